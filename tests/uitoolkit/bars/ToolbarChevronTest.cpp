// A docked toolbar shorter than its buttons hands the buttons that do not fit to its customize
// chevron, which sits at the far end: along a horizontal and a vertical dock, with and without a
// customize command, the last button allowed into the chevron's room, and no overflow in
// customize mode. The bar is sized by resizing its frame, as a user does.
#include "tests/uitoolkit/bars/ButtonsTestFrame.h"
#include "uitoolkit/bars/KTToolbarEditBoxButton.h"
#include "uitoolkit/bars/KTToolbarSpecialButtons.h"

#include <string>

namespace
{
const int kCustomizeCmd = ID_BUTTONS_LAST;

// Where the bar's length ends, measured on a bar long enough for everything: just past a
// button's far edge plus the chevron's room, or exactly at the last button's far edge.
enum class Room
{
    All,          // everything fits beside the chevron
    UpToSave,     // Open and Save fit beside the chevron, the separator does not
    UpToPrint,    // up to Print beside the chevron
    LastExactly,  // the last button ends at the bar's end: no room for a chevron
    LastOneShort, // one pixel short of the last button's end
};

struct ChevronCase
{
    const char* m_name;
    DWORD m_dwAlign;
    int m_iCustomizeCmd;
    Room m_room;
    bool m_bCustomizeMode;
    std::string m_visible; // the buttons shown, "|" a separator
    std::string m_hidden;  // the chevron's list
    bool m_bChevronShown;
};

void PrintTo(const ChevronCase& c, std::ostream* os)
{
    *os << c.m_name;
}

std::string Describe(const CKTToolbarButton* pButton)
{
    return pButton->IsSeparator() ? std::string("|") : std::to_string(pButton->m_nID);
}

std::string Join(const std::string& a, const std::string& b)
{
    return a.empty() ? b : a + " " + b;
}

const std::string kOpen = std::to_string(ID_TEST_OPEN);
const std::string kSave = std::to_string(ID_TEST_SAVE);
const std::string kPrint = std::to_string(ID_TEST_PRINT);
const std::string kCut = std::to_string(ID_TEST_CUT);

class ToolbarChevronTest : public ButtonsWindowTest, public ::testing::WithParamInterface<ChevronCase>
{
protected:
    void TearDown() override
    {
        CKTToolBar::SetCustomizeMode(FALSE);
        ButtonsWindowTest::TearDown();
        CKTToolBar::SetSizes(CSize(23, 22), CSize(16, 15));
    }

    int ClientLength(CKTToolBar* pBar) const
    {
        CRect rect;
        pBar->GetClientRect(&rect);
        return pBar->IsHorizontal() ? rect.Width() : rect.Height();
    }

    // Resizes the frame until the bar's client area has the length along the dock.
    void SetBarLength(CKTToolBar* pBar, int nLength)
    {
        for (int i = 0; i < 4 && ClientLength(pBar) != nLength; i++)
        {
            CRect rect;
            m_pFrame->GetWindowRect(&rect);
            const int nDelta = nLength - ClientLength(pBar);
            m_pFrame->SetWindowPos(nullptr, 0, 0, rect.Width() + (pBar->IsHorizontal() ? nDelta : 0),
                                   rect.Height() + (pBar->IsHorizontal() ? 0 : nDelta), SWP_NOMOVE | SWP_NOZORDER);
            Relayout();
        }
        ASSERT_EQ(nLength, ClientLength(pBar));
    }
};

TEST_P(ToolbarChevronTest, ButtonsThatDoNotFitGoToTheChevron)
{
    const ChevronCase& c = GetParam();
    const BOOL bHorz = (c.m_dwAlign & (CBRS_TOP | CBRS_BOTTOM)) != 0;
    CKTToolBar* pBar = AddBar(c.m_dwAlign);
    // Wide buttons, so that the short bars stay above the frame's smallest size.
    CKTToolBar::SetSizes(CSize(56, 26), CSize(16, 15));
    auto* pChevron = new CCustomizeButton(c.m_iCustomizeCmd, L"Customize...");
    ASSERT_GE(pBar->InsertButton(pChevron), 0);
    pBar->m_pCustomizeBtn = pChevron;
    ASSERT_EQ(pChevron, pBar->GetChevron());

    // On a long bar every button shows: their far edges and the chevron's room.
    SetBarLength(pBar, 400);
    int aEnd[5];
    for (int i = 0; i < 5; i++)
    {
        CRect rect;
        pBar->GetItemRect(i, &rect);
        aEnd[i] = bHorz ? rect.right : rect.bottom;
        ASSERT_FALSE(pBar->GetButton(i)->m_bHidden) << i;
    }
    CClientDC dc(pBar);
    CCustomizeButton measured(c.m_iCustomizeCmd, L"Customize...");
    measured.OnChangeParentWnd(pBar);
    const CSize sizeChevron = measured.OnCalculateSize(&dc, CSize(pBar->GetColumnWidth(), pBar->GetRowHeight()), bHorz);
    const int nChevron = bHorz ? sizeChevron.cx : sizeChevron.cy;
    ASSERT_GT(nChevron, 0);

    int nLength = 400;
    switch (c.m_room)
    {
    case Room::All:
        nLength = aEnd[4] + nChevron;
        break;
    case Room::UpToSave:
        nLength = aEnd[1] + nChevron + 1;
        break;
    case Room::UpToPrint:
        nLength = aEnd[3] + nChevron + 1;
        break;
    case Room::LastExactly:
        nLength = aEnd[4];
        break;
    case Room::LastOneShort:
        nLength = aEnd[4] - 1;
        break;
    }
    if (c.m_bCustomizeMode)
    {
        ASSERT_TRUE(CKTToolBar::SetCustomizeMode(TRUE));
    }
    SetBarLength(pBar, nLength);

    std::string visible, hidden;
    for (int i = 0; i < pBar->GetCount(); i++)
    {
        const CKTToolbarButton* pButton = pBar->GetButton(i);
        if (pButton != pChevron && !pButton->m_bHidden)
            visible = Join(visible, Describe(pButton));
    }
    for (POSITION pos = pChevron->GetInvisibleButtons().GetHeadPosition(); pos != nullptr;)
    {
        const auto* pButton = static_cast<const CKTToolbarButton*>(pChevron->GetInvisibleButtons().GetNext(pos));
        hidden = Join(hidden, Describe(pButton));
        EXPECT_TRUE(pButton->m_bHidden) << Describe(pButton);
    }
    EXPECT_EQ(c.m_visible, visible);
    EXPECT_EQ(c.m_hidden, hidden);
    EXPECT_EQ(c.m_bChevronShown, !pChevron->m_bHidden);

    CRect rectClient;
    pBar->GetClientRect(&rectClient);
    if (c.m_bChevronShown)
    {
        // At the far end, and no shown button reaches into it.
        const CRect& r = pChevron->m_rect;
        if (bHorz)
            EXPECT_EQ(CRect(rectClient.right - nChevron, rectClient.top, rectClient.right - 1, rectClient.bottom), r);
        else
            EXPECT_EQ(CRect(rectClient.left, rectClient.bottom - 1 - nChevron, rectClient.right, rectClient.bottom - 1),
                      r);
        for (int i = 0; i < pBar->GetCount(); i++)
        {
            const CKTToolbarButton* pButton = pBar->GetButton(i);
            if (pButton != pChevron && !pButton->m_bHidden)
            {
                EXPECT_LE(bHorz ? pButton->m_rect.right : pButton->m_rect.bottom, bHorz ? r.left : r.top) << i;
            }
        }
        // What the user sees is what the chevron offers.
        EXPECT_EQ(pBar->GetCount() - 1, pBar->HitTest(r.CenterPoint()));
    }
    else
        EXPECT_TRUE(pChevron->m_rect.IsRectEmpty());
    SaveScreenshot(
        (std::wstring(L"toolbar_chevron_") + std::wstring(c.m_name, c.m_name + strlen(c.m_name)) + L".bmp").c_str());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ToolbarChevronTest,
    ::testing::Values(ChevronCase{"AllFitWithTheCommand", CBRS_TOP, kCustomizeCmd, Room::All, false,
                                  Join(Join(Join(Join(kOpen, kSave), "|"), kPrint), kCut), "", true},
                      ChevronCase{"AllFitWithoutACommand", CBRS_TOP, 0, Room::All, false,
                                  Join(Join(Join(Join(kOpen, kSave), "|"), kPrint), kCut), "", false},
                      ChevronCase{"TailGoesToTheChevron", CBRS_TOP, kCustomizeCmd, Room::UpToSave, false,
                                  Join(kOpen, kSave), Join(Join("|", kPrint), kCut), true},
                      ChevronCase{"WithoutACommandOnlyOverflowShowsIt", CBRS_TOP, 0, Room::UpToPrint, false,
                                  Join(Join(Join(kOpen, kSave), "|"), kPrint), kCut, true},
                      ChevronCase{"LastButtonUsesTheChevronsRoom", CBRS_TOP, 0, Room::LastExactly, false,
                                  Join(Join(Join(Join(kOpen, kSave), "|"), kPrint), kCut), "", false},
                      ChevronCase{"LastButtonOnePixelShort", CBRS_TOP, 0, Room::LastOneShort, false,
                                  Join(Join(Join(kOpen, kSave), "|"), kPrint), kCut, true},
                      ChevronCase{"CommandKeepsRoomForItself", CBRS_TOP, kCustomizeCmd, Room::LastExactly, false,
                                  Join(Join(Join(kOpen, kSave), "|"), kPrint), kCut, true},
                      ChevronCase{"VerticalDock", CBRS_LEFT, kCustomizeCmd, Room::UpToSave, false, Join(kOpen, kSave),
                                  Join(Join("|", kPrint), kCut), true},
                      ChevronCase{"VerticalDockLastButtonFits", CBRS_LEFT, 0, Room::LastExactly, false,
                                  Join(Join(Join(Join(kOpen, kSave), "|"), kPrint), kCut), "", false},
                      ChevronCase{"CustomizeModeHidesNothing", CBRS_TOP, kCustomizeCmd, Room::UpToSave, true,
                                  Join(Join(Join(Join(kOpen, kSave), "|"), kPrint), kCut), "", false}),
    [](const ::testing::TestParamInfo<ChevronCase>& info) { return std::string(info.param.m_name); });
} // namespace

namespace
{
using ToolbarChevronWideButtonTest = ButtonsWindowTest;
} // namespace

TEST_F(ToolbarChevronWideButtonTest, AWideButtonThatDoesNotFitLeavesRoomForTheNarrowOnesAfterIt)
{
    // Wide buttons, so that the short bar stays above the frame's smallest size.
    CKTToolBar::SetSizes(CSize(56, 26), CSize(16, 15));
    CKTToolBar* pBar = AddBar(CBRS_TOP);
    const UINT kFind = ID_BUTTONS_ZOOM + 1;
    ASSERT_EQ(2, pBar->InsertButton(CKTToolbarEditBoxButton(kFind, -1, ES_AUTOHSCROLL, 150), 2));
    auto* pChevron = new CCustomizeButton(kCustomizeCmd, L"Customize...");
    ASSERT_GE(pBar->InsertButton(pChevron), 0);
    pBar->m_pCustomizeBtn = pChevron;
    Relayout();

    // Room for everything but the box: Open, Save, then the separator, Print and Cut after it.
    CRect rectClient, rectCut, rectBox;
    pBar->GetItemRect(2, &rectBox);
    pBar->GetItemRect(5, &rectCut);
    pBar->GetClientRect(&rectClient);
    CClientDC dc(pBar);
    CCustomizeButton measured(kCustomizeCmd, L"Customize...");
    measured.OnChangeParentWnd(pBar);
    const int nChevron = measured.OnCalculateSize(&dc, CSize(pBar->GetColumnWidth(), pBar->GetRowHeight()), TRUE).cx;
    const int nWanted = rectCut.right - rectBox.Width() + nChevron + 2;
    ASSERT_GT(rectClient.Width(), nWanted);
    for (int i = 0; i < 4 && rectClient.Width() != nWanted; i++)
    {
        CRect rect;
        m_pFrame->GetWindowRect(&rect);
        m_pFrame->SetWindowPos(nullptr, 0, 0, rect.Width() + nWanted - rectClient.Width(), rect.Height(),
                               SWP_NOMOVE | SWP_NOZORDER);
        Relayout();
        pBar->GetClientRect(&rectClient);
    }
    std::string visible, hidden;
    for (int i = 0; i < pBar->GetCount(); i++)
    {
        const CKTToolbarButton* pButton = pBar->GetButton(i);
        if (pButton != pChevron && !pButton->m_bHidden)
            visible = Join(visible, Describe(pButton));
    }
    for (POSITION pos = pChevron->GetInvisibleButtons().GetHeadPosition(); pos != nullptr;)
        hidden = Join(hidden, Describe(static_cast<const CKTToolbarButton*>(pChevron->GetInvisibleButtons().GetNext(pos))));
    EXPECT_EQ(Join(Join(Join(Join(kOpen, kSave), "|"), kPrint), kCut), visible);
    EXPECT_EQ(std::to_string(kFind), hidden);
    EXPECT_FALSE(pChevron->m_bHidden);
    SaveScreenshot(L"toolbar_chevron_wide_button_hidden.bmp");
    CKTToolBar::SetSizes(CSize(23, 22), CSize(16, 15));
}

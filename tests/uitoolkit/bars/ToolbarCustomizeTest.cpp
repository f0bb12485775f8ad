// Toolbars in customize mode on the test display, driven with the display's mouse and keys:
// buttons dragged within a bar, to another bar and off every bar (moved, copied with Ctrl,
// cancelled with Escape), the group separator a short drag adds or removes, the drop marker, the
// button context menu and what it offers, widening a hosted control, and what the drop target
// accepts.
#include "tests/framework/input/UserInput.h"
#include "tests/framework/windows/WindowsTestSupport.h"
#include "tests/uitoolkit/bars/BarLayoutText.h"
#include "tests/uitoolkit/bars/ToolbarTestIds.h"
#include "uitoolkit/bars/KTDropDownToolBar.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/bars/KTToolbarEditBoxButton.h"
#include "uitoolkit/customize/KTButtonDragDrop.h"
#include "uitoolkit/customize/KTCommandManager.h"
#include "uitoolkit/customize/KTCursorResource.h"
#include "uitoolkit/looks/KTUIGlobals.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace
{
class CCustomizeToolBar : public CKTToolBar
{
public:
    using CKTToolBar::m_DropTarget;
    using CKTToolBar::m_rectDrag;
};

class CCustomizeTestFrame : public CFrameWnd
{
public:
    std::vector<UINT> m_commands;
    std::vector<HWND> m_barMenus;

protected:
    void OnCommandRange(UINT nID) { m_commands.push_back(nID); }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == KT_WM_TOOLBARMENU)
        {
            m_barMenus.push_back(reinterpret_cast<HWND>(wParam));
            return 0;
        }
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCustomizeTestFrame, CFrameWnd)
ON_COMMAND_RANGE(ID_TEST_OPEN, ID_TEST_AMP, &CCustomizeTestFrame::OnCommandRange)
END_MESSAGE_MAP()

bool Near(COLORREF a, COLORREF b)
{
    return abs(GetRValue(a) - GetRValue(b)) < 24 && abs(GetGValue(a) - GetGValue(b)) < 24 &&
           abs(GetBValue(a) - GetBValue(b)) < 24;
}

class ToolbarCustomizeTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(AfxOleInit()); }

    void SetUp() override
    {
        CKTToolBar::SetSizes(CSize(23, 22), CSize(16, 15));
        m_pFrame = new CCustomizeTestFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, L"Customize", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 560, 320)));
        m_hFrame = m_pFrame->GetSafeHwnd();
        m_pFirst = AddBar(IDR_TEST_TOOLBAR, AFX_IDW_TOOLBAR);
        m_pSecond = AddBar(IDR_TEST_TOOLBAR2, AFX_IDW_TOOLBAR + 1);
        ::SetForegroundWindow(m_hFrame);
        RunMessageLoopFor(100);
    }
    void TearDown() override
    {
        CKTToolBar::SetCustomizeMode(FALSE);
        m_bars.clear();
        if (m_pFrame != nullptr && ::IsWindow(m_hFrame))
            m_pFrame->DestroyWindow();
        PumpAndIdle();
        CKTCommandManager::GetInstance()->ClearAllCmdImages();
    }

    CCustomizeToolBar* AddBar(UINT uiResID, UINT nID)
    {
        auto bar = std::make_unique<CCustomizeToolBar>();
        EXPECT_TRUE(bar->Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, nID));
        EXPECT_TRUE(bar->LoadToolBar(uiResID));
        m_bars.push_back(std::move(bar));
        m_pFrame->RecalcLayout();
        PumpAndIdle();
        return m_bars.back().get();
    }

    static CPoint OnScreen(CKTToolBar* pBar, CPoint point)
    {
        pBar->ClientToScreen(&point);
        return point;
    }
    // A point of the button, dx pixels right of its left edge, half way down.
    static CPoint ButtonPoint(CKTToolBar* pBar, int iIndex, int dx)
    {
        CRect rect;
        pBar->GetItemRect(iIndex, &rect);
        return OnScreen(pBar, CPoint(rect.left + dx, rect.CenterPoint().y));
    }
    static CPoint Centre(CKTToolBar* pBar, int iIndex)
    {
        CRect rect;
        pBar->GetItemRect(iIndex, &rect);
        return OnScreen(pBar, rect.CenterPoint());
    }

    // A drag with the left button from one point to another, the keys held as the case says.
    void Drag(CPoint ptFrom, CPoint ptTo, bool bCtrl, bool bEscape, std::function<void()> whileOver = nullptr)
    {
        UserInput input;
        input.MoveTo(ptFrom).Pause(100);
        if (bCtrl)
            input.DisplayKey("ctrl", true);
        input.LeftDown().Glide(ptFrom, ptTo, 16).Pause(300).MoveTo(CPoint(ptTo.x + 1, ptTo.y)).MoveTo(ptTo).Pause(200);
        if (whileOver)
            input.Call(whileOver);
        if (bEscape)
            input.Key(VK_ESCAPE, true).Key(VK_ESCAPE, false).Pause(200);
        input.LeftUp();
        if (bCtrl)
            input.DisplayKey("ctrl", false);
        input.Pause(100);
        Play(input);
    }

    void Play(UserInput& input)
    {
        input.Start();
        EXPECT_TRUE(PumpUntil([&] { return input.Done(); }, 15000));
        input.Wait();
        PumpAndIdle();
        RunMessageLoopFor(100);
    }

    void SaveScreenshot(const wchar_t* name)
    {
        ::CreateDirectoryW(L"screenshots", nullptr);
        ::RedrawWindow(m_hFrame, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        RunMessageLoopFor(200);
        CRect rect;
        m_pFrame->GetWindowRect(&rect);
        EXPECT_TRUE(SaveScreenArea((std::wstring(L"screenshots\\") + name).c_str(), rect));
    }

    CCustomizeTestFrame* m_pFrame = nullptr;
    HWND m_hFrame = nullptr;
    std::vector<std::unique_ptr<CCustomizeToolBar>> m_bars;
    CCustomizeToolBar* m_pFirst = nullptr;
    CCustomizeToolBar* m_pSecond = nullptr;
};

// Where the drag goes: the second bar between its two buttons, the frame's empty client area,
// or a point on the first bar itself.
enum class Target
{
    SecondBarMiddle,
    OffTheBars,
    FirstBarRightOfPrint
};

struct DragCase
{
    const char* m_name;
    Target m_target;
    bool m_bCtrl;
    bool m_bEscape;
    std::string m_first;     // the first bar afterwards
    std::string m_second;    // the second bar afterwards
    DROPEFFECT m_cursorOver; // the effect whose cursor shows over the target
};

void PrintTo(const DragCase& c, std::ostream* os)
{
    *os << c.m_name;
}

class ToolbarDragCaseTest : public ToolbarCustomizeTest, public ::testing::WithParamInterface<DragCase>
{
};

TEST_P(ToolbarDragCaseTest, OpenIsDraggedFromTheFirstBar)
{
    const DragCase& c = GetParam();
    ASSERT_EQ(BarIds({ID_TEST_OPEN, ID_TEST_SAVE, 0, ID_TEST_PRINT, ID_TEST_CUT}), BarLayout(*m_pFirst));
    ASSERT_EQ(BarIds({ID_TEST_PASTE, ID_TEST_SAVE}), BarLayout(*m_pSecond));
    ASSERT_TRUE(CKTToolBar::SetCustomizeMode(TRUE));
    EXPECT_FALSE(CKTToolBar::SetCustomizeMode(TRUE)) << "already in customize mode";

    CPoint ptTo;
    switch (c.m_target)
    {
    case Target::SecondBarMiddle:
        ptTo = ButtonPoint(m_pSecond, 1, 3);
        break;
    case Target::OffTheBars: {
        CRect rect;
        m_pFrame->GetClientRect(&rect);
        m_pFrame->ClientToScreen(&rect);
        ptTo = CPoint(rect.CenterPoint().x, rect.bottom - 30);
        break;
    }
    case Target::FirstBarRightOfPrint: {
        CRect rect;
        m_pFirst->GetItemRect(3, &rect);
        ptTo = OnScreen(m_pFirst, CPoint(rect.right - 3, rect.CenterPoint().y));
        break;
    }
    }
    HCURSOR hCursorOver = nullptr;
    Drag(Centre(m_pFirst, 0), ptTo, c.m_bCtrl, c.m_bEscape, [&] {
        CURSORINFO info = {};
        info.cbSize = sizeof(info);
        if (::GetCursorInfo(&info))
            hCursorOver = info.hCursor;
    });

    const CKTToolbarDropSource& dropSource = CKTToolbarDropSource::GetInstance();
    ASSERT_TRUE(dropSource.GetCursorFor(c.m_cursorOver) != nullptr);
    EXPECT_EQ(dropSource.GetCursorFor(c.m_cursorOver), hCursorOver) << "the cursor over the target";
    EXPECT_EQ(c.m_first, BarLayout(*m_pFirst));
    EXPECT_EQ(c.m_second, BarLayout(*m_pSecond));
    EXPECT_TRUE(m_pFirst->GetDropIndex() < 0 && m_pSecond->GetDropIndex() < 0) << "no marker is left";
    // Escape leaves the bar under the mouse as the drag ends; a drop on a bar leaves none.
    EXPECT_EQ(c.m_target == Target::OffTheBars || c.m_bEscape,
              !!CKTToolbarDropSource::GetInstance().m_bDragOutsideToolbars);
    const UINT nCheckedFirst = m_pFirst->GetButtonStyle(0) & TBBS_CHECKED;
    EXPECT_EQ(0u, nCheckedFirst);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ToolbarDragCaseTest,
    ::testing::Values(DragCase{"MoveToAnotherBar", Target::SecondBarMiddle, false, false,
                               BarIds({ID_TEST_SAVE, 0, ID_TEST_PRINT, ID_TEST_CUT}),
                               BarIds({ID_TEST_PASTE, ID_TEST_OPEN, ID_TEST_SAVE}), DROPEFFECT_MOVE},
                      DragCase{"CtrlCopiesToAnotherBar", Target::SecondBarMiddle, true, false,
                               BarIds({ID_TEST_OPEN, ID_TEST_SAVE, 0, ID_TEST_PRINT, ID_TEST_CUT}),
                               BarIds({ID_TEST_PASTE, ID_TEST_OPEN, ID_TEST_SAVE}), DROPEFFECT_COPY},
                      DragCase{"EscapeChangesNothing", Target::SecondBarMiddle, false, true,
                               BarIds({ID_TEST_OPEN, ID_TEST_SAVE, 0, ID_TEST_PRINT, ID_TEST_CUT}),
                               BarIds({ID_TEST_PASTE, ID_TEST_SAVE}), DROPEFFECT_MOVE},
                      DragCase{"OffTheBarsDeletes", Target::OffTheBars, false, false,
                               BarIds({ID_TEST_SAVE, 0, ID_TEST_PRINT, ID_TEST_CUT}),
                               BarIds({ID_TEST_PASTE, ID_TEST_SAVE}), DROPEFFECT_NONE},
                      DragCase{"MoveWithinTheBar", Target::FirstBarRightOfPrint, false, false,
                               BarIds({ID_TEST_SAVE, 0, ID_TEST_PRINT, ID_TEST_OPEN, ID_TEST_CUT}),
                               BarIds({ID_TEST_PASTE, ID_TEST_SAVE}), DROPEFFECT_MOVE},
                      DragCase{"CtrlCopiesWithinTheBar", Target::FirstBarRightOfPrint, true, false,
                               BarIds({ID_TEST_OPEN, ID_TEST_SAVE, 0, ID_TEST_PRINT, ID_TEST_OPEN, ID_TEST_CUT}),
                               BarIds({ID_TEST_PASTE, ID_TEST_SAVE}), DROPEFFECT_COPY}),
    [](const ::testing::TestParamInfo<DragCase>& info) { return std::string(info.param.m_name); });

TEST_F(ToolbarCustomizeTest, ShortDragOntoItsOwnPlaceTogglesTheGroupSeparator)
{
    ASSERT_TRUE(CKTToolBar::SetCustomizeMode(TRUE));
    // Save dragged right onto the separator behind it: a separator now stands before Save.
    CRect rectSave;
    m_pFirst->GetItemRect(1, &rectSave);
    Drag(Centre(m_pFirst, 1), OnScreen(m_pFirst, CPoint(rectSave.right + 2, rectSave.CenterPoint().y)), false, false);
    EXPECT_EQ(BarIds({ID_TEST_OPEN, 0, ID_TEST_SAVE, 0, ID_TEST_PRINT, ID_TEST_CUT}), BarLayout(*m_pFirst));

    // Print dragged left onto the separator before it: that separator goes.
    CRect rectPrint;
    m_pFirst->GetItemRect(4, &rectPrint);
    Drag(Centre(m_pFirst, 4), OnScreen(m_pFirst, CPoint(rectPrint.left - 2, rectPrint.CenterPoint().y)), false, false);
    EXPECT_EQ(BarIds({ID_TEST_OPEN, 0, ID_TEST_SAVE, ID_TEST_PRINT, ID_TEST_CUT}), BarLayout(*m_pFirst));
}

// The drag leaves the bar first, so that it really starts, and comes back to drop the button a few
// pixels beside the place it was pressed at: only 6 pixels or more add or remove the separator.
TEST_F(ToolbarCustomizeTest, GroupSeparatorTogglesOnlyFromSixPixelsOn)
{
    const struct
    {
        const char* m_name;
        int m_iIndex;
        int m_dx;
        std::string m_expected;
    } cases[] = {
        {"Save 5 right", 1, 5, BarIds({ID_TEST_OPEN, ID_TEST_SAVE, 0, ID_TEST_PRINT, ID_TEST_CUT})},
        {"Save 6 right", 1, 6, BarIds({ID_TEST_OPEN, 0, ID_TEST_SAVE, 0, ID_TEST_PRINT, ID_TEST_CUT})},
        {"Print 5 left", 3, -5, BarIds({ID_TEST_OPEN, ID_TEST_SAVE, 0, ID_TEST_PRINT, ID_TEST_CUT})},
        {"Print 6 left", 3, -6, BarIds({ID_TEST_OPEN, ID_TEST_SAVE, ID_TEST_PRINT, ID_TEST_CUT})},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.m_name);
        m_pFirst->RestoreResourceState();
        ASSERT_TRUE(CKTToolBar::SetCustomizeMode(TRUE));
        const CPoint ptPress = Centre(m_pFirst, c.m_iIndex);
        const CPoint ptAway(ptPress.x, ptPress.y + 60);
        const CPoint ptDrop(ptPress.x + c.m_dx, ptPress.y);
        UserInput input;
        input.MoveTo(ptPress).Pause(100).LeftDown().Glide(ptPress, ptAway, 8).Pause(200);
        input.Glide(ptAway, ptDrop, 8).Pause(200).MoveTo(ptDrop).Pause(200).LeftUp().Pause(100);
        Play(input);
        EXPECT_EQ(c.m_expected, BarLayout(*m_pFirst));
        ASSERT_TRUE(CKTToolBar::SetCustomizeMode(FALSE));
    }
}

TEST_F(ToolbarCustomizeTest, MarkerShowsWhereTheButtonWillLand)
{
    ASSERT_TRUE(CKTToolBar::SetCustomizeMode(TRUE));
    int iDropSeen = -1;
    CRect rectMarker;
    COLORREF clrStem = 0;
    CPoint ptStem;
    const CPoint ptTo = ButtonPoint(m_pSecond, 1, 3);
    Drag(Centre(m_pFirst, 3), ptTo, false, true, [&] {
        iDropSeen = m_pSecond->GetDropIndex();
        rectMarker = m_pSecond->m_rectDrag;
        ptStem = OnScreen(m_pSecond, CPoint(rectMarker.left + rectMarker.Width() / 2, rectMarker.CenterPoint().y));
        clrStem = ScreenPixel(ptStem);
        ::CreateDirectoryW(L"screenshots", nullptr);
        CRect rect;
        m_pFrame->GetWindowRect(&rect);
        SaveScreenArea(L"screenshots\\toolbar_drag_marker.bmp", rect);
    });
    EXPECT_EQ(1, iDropSeen);
    CRect rectSave;
    m_pSecond->GetItemRect(1, &rectSave);
    EXPECT_EQ(6, rectMarker.Width());
    EXPECT_EQ(rectSave.left, rectMarker.CenterPoint().x) << "centred on the left edge of Save";
    EXPECT_TRUE(Near(clrStem, ktGlobals.m_colorBarShadow)) << std::hex << clrStem;
    EXPECT_EQ(BarIds({ID_TEST_PASTE, ID_TEST_SAVE}), BarLayout(*m_pSecond)) << "Escape dropped nothing";
}

TEST_F(ToolbarCustomizeTest, OutsideCustomizeModeAPressIsAClickAndNoDrag)
{
    Drag(Centre(m_pFirst, 0), ButtonPoint(m_pSecond, 1, 3), false, false);
    EXPECT_EQ(BarIds({ID_TEST_OPEN, ID_TEST_SAVE, 0, ID_TEST_PRINT, ID_TEST_CUT}), BarLayout(*m_pFirst));
    EXPECT_EQ(BarIds({ID_TEST_PASTE, ID_TEST_SAVE}), BarLayout(*m_pSecond));
    EXPECT_TRUE(m_pFrame->m_commands.empty()) << "released outside the pressed button";
}

TEST_F(ToolbarCustomizeTest, AltDragMovesWithoutTheSheetAndEndsCustomizeMode)
{
    CKTToolBar::EnableAltCustomization(TRUE);
    const CPoint ptFrom = Centre(m_pFirst, 0);
    const CPoint ptTo = ButtonPoint(m_pSecond, 1, 3);
    UserInput input;
    input.MoveTo(ptFrom).Pause(100).DisplayKey("alt", true).LeftDown().Glide(ptFrom, ptTo, 16).Pause(300);
    input.MoveTo(CPoint(ptTo.x + 1, ptTo.y)).MoveTo(ptTo).Pause(200).LeftUp().DisplayKey("alt", false).Pause(200);
    // A lone Alt release may still open the frame's window menu: Escape closes it.
    input.Press(VK_ESCAPE).Pause(100).Press(VK_ESCAPE).Pause(100);
    Play(input);
    CKTToolBar::EnableAltCustomization(FALSE);
    EXPECT_EQ(BarIds({ID_TEST_SAVE, 0, ID_TEST_PRINT, ID_TEST_CUT}), BarLayout(*m_pFirst));
    EXPECT_EQ(BarIds({ID_TEST_PASTE, ID_TEST_OPEN, ID_TEST_SAVE}), BarLayout(*m_pSecond));
    EXPECT_FALSE(CKTToolBar::IsCustomizeMode());
    EXPECT_FALSE(CKTToolBar::IsAltCustomizeMode());
}

// The drop target answers for button data only in customize mode, and never on a locked bar.
TEST_F(ToolbarCustomizeTest, DropTargetAcceptsButtonsOnlyInCustomizeMode)
{
    CKTToolbarButton button(ID_TEST_PRINT, -1, L"Print");
    COleDataSource source;
    ASSERT_TRUE(button.PrepareDrag(source));
    COleDataObject data;
    data.Attach(source.GetDataObject(), TRUE);

    CSharedFile other;
    {
        CArchive ar(&other, CArchive::store);
        ar << CString(L"not a button");
    }
    COleDataSource otherSource;
    otherSource.CacheGlobalData(static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"KestOtherData")), other.Detach());
    COleDataObject otherData;
    otherData.Attach(otherSource.GetDataObject(), TRUE);

    CRect rect;
    m_pSecond->GetItemRect(1, &rect);
    const CPoint point(rect.left + 2, rect.CenterPoint().y);
    CKTToolbarDropTarget& target = m_pSecond->m_DropTarget;
    EXPECT_EQ(DROPEFFECT_NONE, target.OnDragEnter(m_pSecond, &data, MK_LBUTTON, point)) << "not customizing";
    target.OnDragLeave(m_pSecond);

    ASSERT_TRUE(CKTToolBar::SetCustomizeMode(TRUE));
    EXPECT_EQ(DROPEFFECT_MOVE, target.OnDragEnter(m_pSecond, &data, MK_LBUTTON, point));
    EXPECT_EQ(DROPEFFECT_COPY, target.OnDragOver(m_pSecond, &data, MK_LBUTTON | MK_CONTROL, point));
    EXPECT_EQ(1, m_pSecond->GetDropIndex());
    target.OnDragLeave(m_pSecond);
    EXPECT_EQ(-1, m_pSecond->GetDropIndex());
    EXPECT_EQ(DROPEFFECT_NONE, target.OnDragEnter(m_pSecond, &otherData, MK_LBUTTON, point)) << "foreign data";
    target.OnDragLeave(m_pSecond);

    m_pSecond->m_bLocked = TRUE;
    EXPECT_EQ(DROPEFFECT_NONE, target.OnDragEnter(m_pSecond, &data, MK_LBUTTON, point)) << "locked bar";
    target.OnDragLeave(m_pSecond);
    m_pSecond->m_bLocked = FALSE;

    // A drop takes the data's button, cut at its first tab.
    EXPECT_EQ(DROPEFFECT_MOVE, target.OnDragEnter(m_pSecond, &data, MK_LBUTTON, point));
    EXPECT_EQ(DROPEFFECT_MOVE, target.OnDropEx(m_pSecond, &data, DROPEFFECT_MOVE, DROPEFFECT_MOVE, point));
    EXPECT_EQ(BarIds({ID_TEST_PASTE, ID_TEST_PRINT, ID_TEST_SAVE}), BarLayout(*m_pSecond));
}

TEST_F(ToolbarCustomizeTest, FindDropIndexOnEveryPartOfAButtonRow)
{
    CRect r0, r1, r4, rectClient;
    m_pFirst->GetItemRect(0, &r0);
    m_pFirst->GetItemRect(1, &r1);
    m_pFirst->GetItemRect(4, &r4);
    m_pFirst->GetClientRect(&rectClient);
    const int y = r0.CenterPoint().y;
    struct Case
    {
        CPoint m_point;
        int m_index;
        int m_edge;
    } cases[] = {
        {CPoint(r0.left + 2, y), 0, r0.left},          // left half of the first button
        {CPoint(r0.right - 2, y), 1, r0.right},        // right half
        {CPoint(r1.left + 3, y), 1, r1.left},          // left half of the second
        {CPoint(r4.right + 20, y), 5, r4.right},       // beyond the last button of the row
        {CPoint(r4.right + 20, y + 200), 5, r4.right}, // below the last row
    };
    for (const Case& c : cases)
    {
        CRect rectDrag;
        EXPECT_EQ(c.m_index, m_pFirst->FindDropIndex(c.m_point, rectDrag)) << c.m_point.x << "," << c.m_point.y;
        EXPECT_EQ(6, rectDrag.Width());
        EXPECT_TRUE(rectClient.left <= rectDrag.left && rectDrag.right <= rectClient.right) << "kept inside";
        if (c.m_edge > rectClient.left + 3)
        {
            EXPECT_EQ(c.m_edge, rectDrag.CenterPoint().x);
        }
    }
    // An empty bar takes the drop at 0 over its whole client area.
    m_pSecond->RemoveAllButtons();
    CRect rectDrag, rectSecond;
    m_pSecond->GetClientRect(&rectSecond);
    EXPECT_EQ(0, m_pSecond->FindDropIndex(CPoint(5, 5), rectDrag));
    EXPECT_EQ(rectSecond, rectDrag);
}

// The context menu of a customize-mode button, opened with a right click and driven with the
// menu's mnemonics, as a user picks an item.
struct MenuCase
{
    const char* m_name;
    int m_iButton;  // the button right-clicked on the first bar
    WORD m_vkFirst; // an item chosen first (0: none)
    WORD m_vkItem;  // the item chosen
    std::string m_layout;
    int m_iLook; // the button whose look is checked afterwards, -1 none
    BOOL m_bImage;
    BOOL m_bText;
};

void PrintTo(const MenuCase& c, std::ostream* os)
{
    *os << c.m_name;
}

class ToolbarMenuCaseTest : public ToolbarCustomizeTest, public ::testing::WithParamInterface<MenuCase>
{
};

TEST_P(ToolbarMenuCaseTest, ContextMenuItemChangesTheButton)
{
    const MenuCase& c = GetParam();
    ASSERT_TRUE(CKTToolBar::SetCustomizeMode(TRUE));
    auto choose = [&](WORD vk, const wchar_t* screenshot) {
        const CPoint pt = Centre(m_pFirst, c.m_iButton);
        UserInput input;
        input.MoveTo(pt).Pause(100).RightDown().RightUp().Pause(500);
        if (screenshot != nullptr)
            input.Call([&] {
                ::CreateDirectoryW(L"screenshots", nullptr);
                CRect rect(pt.x - 60, pt.y - 60, pt.x + 260, pt.y + 260);
                SaveScreenArea(screenshot, rect);
            });
        input.Press(vk).Pause(300);
        Play(input);
    };
    if (c.m_vkFirst != 0)
        choose(c.m_vkFirst, nullptr);
    choose(c.m_vkItem, c.m_iButton == 1 && c.m_vkFirst == 0 ? L"screenshots\\toolbar_button_menu.bmp" : nullptr);
    EXPECT_EQ(c.m_layout, BarLayout(*m_pFirst));
    if (c.m_iLook >= 0)
    {
        const CKTToolbarButton* pButton = m_pFirst->GetButton(c.m_iLook);
        ASSERT_NE(nullptr, pButton);
        EXPECT_EQ(c.m_bImage, pButton->m_bImage);
        EXPECT_EQ(c.m_bText, pButton->m_bText);
        if (c.m_bText)
        {
            EXPECT_FALSE(pButton->m_strText.IsEmpty()) << "the command's default text";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ToolbarMenuCaseTest,
    ::testing::Values(MenuCase{"Delete", 0, 0, 'D', BarIds({ID_TEST_SAVE, 0, ID_TEST_PRINT, ID_TEST_CUT}), -1, FALSE,
                               FALSE},
                      MenuCase{"StartGroupAddsASeparator", 1, 0, 'S',
                               BarIds({ID_TEST_OPEN, 0, ID_TEST_SAVE, 0, ID_TEST_PRINT, ID_TEST_CUT}), 2, TRUE, FALSE},
                      MenuCase{"StartGroupRemovesTheSeparator", 3, 0, 'S',
                               BarIds({ID_TEST_OPEN, ID_TEST_SAVE, ID_TEST_PRINT, ID_TEST_CUT}), 2, TRUE, FALSE},
                      MenuCase{"TextOnly", 3, 0, 'T',
                               BarIds({ID_TEST_OPEN, ID_TEST_SAVE, 0, ID_TEST_PRINT, ID_TEST_CUT}), 3, FALSE, TRUE},
                      MenuCase{"ImageAndText", 0, 0, 'A',
                               BarIds({ID_TEST_OPEN, ID_TEST_SAVE, 0, ID_TEST_PRINT, ID_TEST_CUT}), 0, TRUE, TRUE},
                      MenuCase{"ResetAfterText", 4, 'T', 'R',
                               BarIds({ID_TEST_OPEN, ID_TEST_SAVE, 0, ID_TEST_PRINT, ID_TEST_CUT}), 4, TRUE, FALSE}),
    [](const ::testing::TestParamInfo<MenuCase>& info) { return std::string(info.param.m_name); });

// What the button context menu offers, item by item in the order Reset, Copy Button Image, Button
// Appearance, Image, Text, Image and Text, Start Group: '-' offered, 'g' greyed, 'c' checked, 'b'
// both.
TEST_F(ToolbarCustomizeTest, ContextMenuOffersWhatTheButtonAllows)
{
    CKTDropDownToolBar group;
    ASSERT_TRUE(group.Create(m_pFrame, WS_CHILD | CBRS_TOP, AFX_IDW_TOOLBAR + 20));
    ASSERT_TRUE(group.LoadToolBar(IDR_TEST_TOOLBAR2));
    const struct
    {
        const char* m_name;
        std::function<int(CKTToolBar&)> m_prepare; // the button whose menu is asked for
        const char* m_expected;
    } cases[] = {
        {"the first button cannot start a group", [](CKTToolBar&) { return 0; }, "---c--g"},
        {"a button after a separator starts one", [](CKTToolBar&) { return 3; }, "---c--c"},
        {"a text-only button has no image to copy",
         [](CKTToolBar& bar) {
             bar.GetButton(1)->m_bImage = FALSE;
             bar.GetButton(1)->m_bText = TRUE;
             return 1;
         },
         "-g--c--"},
        {"a label under the image on a horizontal bar",
         [](CKTToolBar& bar) {
             bar.EnableTextLabels(TRUE);
             return 4;
         },
         "---b---"},
        {"a drop-down button shows its group's images",
         [&group](CKTToolBar& bar) { return bar.InsertButton(new CKTDropDownToolbarButton(L"Group", &group)); },
         "-ggggg-"},
    };
    for (const auto& c : cases)
    {
        m_pFirst->EnableTextLabels(FALSE);
        m_pFirst->RestoreResourceState();
        const int iButton = c.m_prepare(*m_pFirst);
        CMenu menu;
        ASSERT_TRUE(menu.LoadMenu(CKTToolBar::IDR_KT_BUTTON_MENU));
        CMenu* pPopup = menu.GetSubMenu(0);
        ASSERT_TRUE(pPopup != nullptr);
        m_pFirst->EnableContextMenuItems(m_pFirst->GetButton(iButton), pPopup);
        std::string states;
        for (UINT uiCmd :
             {CKTToolBar::ID_KT_BUTTON_RESET, CKTToolBar::ID_KT_BUTTON_COPY_IMAGE, CKTToolBar::ID_KT_BUTTON_APPEARANCE,
              CKTToolBar::ID_KT_BUTTON_IMAGE, CKTToolBar::ID_KT_BUTTON_TEXT, CKTToolBar::ID_KT_BUTTON_IMAGE_AND_TEXT,
              CKTToolBar::ID_KT_BUTTON_START_GROUP})
        {
            const UINT nState = pPopup->GetMenuState(uiCmd, MF_BYCOMMAND);
            const bool bGrey = (nState & MF_GRAYED) != 0;
            const bool bCheck = (nState & MF_CHECKED) != 0;
            states += bGrey && bCheck ? 'b' : bGrey ? 'g' : bCheck ? 'c' : '-';
        }
        EXPECT_EQ(c.m_expected, states) << c.m_name;
    }
    m_pFirst->EnableTextLabels(FALSE);
    m_pFirst->RestoreResourceState();
    group.DestroyWindow();
}

TEST_F(ToolbarCustomizeTest, RightClickOutsideCustomizeModeAsksTheFrame)
{
    UserInput input;
    input.MoveTo(Centre(m_pSecond, 0)).Pause(100).RightDown().RightUp().Pause(200);
    Play(input);
    EXPECT_EQ(std::vector<HWND>{m_pSecond->GetSafeHwnd()}, m_pFrame->m_barMenus);
    EXPECT_EQ(BarIds({ID_TEST_PASTE, ID_TEST_SAVE}), BarLayout(*m_pSecond));
}

TEST_F(ToolbarCustomizeTest, HostedEditIsWidenedAtItsRightEdge)
{
    // A command the frame handles (so that it stays enabled) and no other test forbids.
    const UINT uiEditCmd = ID_TEST_AMP;
    auto edit = std::make_unique<CKTToolbarEditBoxButton>(uiEditCmd, -1, ES_AUTOHSCROLL, 80);
    ASSERT_EQ(2, m_pSecond->InsertButton(edit.get()));
    CKTToolbarEditBoxButton* pEdit = edit.release();
    m_pSecond->AdjustLayout();
    m_pFrame->RecalcLayout();
    PumpAndIdle();
    ASSERT_TRUE(CKTToolBar::SetCustomizeMode(TRUE));
    EXPECT_FALSE(::IsWindowEnabled(pEdit->GetHwnd())) << "hosted controls rest while customizing";

    CRect rect;
    m_pSecond->GetItemRect(2, &rect);
    const CPoint ptFrom = OnScreen(m_pSecond, CPoint(rect.right - 2, rect.CenterPoint().y));
    const CPoint ptTo(ptFrom.x + 40, ptFrom.y);
    UserInput input;
    input.MoveTo(ptFrom).Pause(100).LeftDown().Pause(100).LeftUp().Pause(100); // selects it
    input.LeftDown().Glide(ptFrom, ptTo, 10).Pause(200).Call([&] {
        ::CreateDirectoryW(L"screenshots", nullptr);
        CRect rectShot;
        m_pFrame->GetWindowRect(&rectShot);
        SaveScreenArea(L"screenshots\\toolbar_widen_edit.bmp", rectShot);
    });
    input.LeftUp().Pause(200);
    Play(input);
    EXPECT_NEAR(80 + 40 - 2, pEdit->GetWidth(), 2);
    EXPECT_EQ(BarIds({ID_TEST_PASTE, ID_TEST_SAVE, uiEditCmd}), BarLayout(*m_pSecond)) << "widened, not dragged";

    // A move of a few pixels leaves the width alone.
    const int iWidth = pEdit->GetWidth();
    m_pSecond->GetItemRect(2, &rect);
    const CPoint ptEdge = OnScreen(m_pSecond, CPoint(rect.right - 2, rect.CenterPoint().y));
    UserInput small;
    small.MoveTo(ptEdge).Pause(100).LeftDown().Glide(ptEdge, CPoint(ptEdge.x + 4, ptEdge.y), 3).LeftUp().Pause(200);
    Play(small);
    EXPECT_EQ(iWidth, pEdit->GetWidth());

    ASSERT_TRUE(CKTToolBar::SetCustomizeMode(FALSE));
    EXPECT_TRUE(::IsWindowEnabled(pEdit->GetHwnd()));
}

// A bar resized while one of its buttons is being dragged or widened ends that drag: the
// buttons are no longer where it started, so the bars stay as they were.
struct ResizeCase
{
    const char* m_name;
    bool m_bWiden; // widen the hosted edit at its right edge instead of dragging Open away
};

void PrintTo(const ResizeCase& c, std::ostream* os)
{
    *os << c.m_name;
}

class ToolbarResizeDuringDragTest : public ToolbarCustomizeTest, public ::testing::WithParamInterface<ResizeCase>
{
};

TEST_P(ToolbarResizeDuringDragTest, ResizingTheBarCancelsTheDrag)
{
    const ResizeCase& c = GetParam();
    auto edit = std::make_unique<CKTToolbarEditBoxButton>(ID_TEST_AMP, -1, ES_AUTOHSCROLL, 80);
    ASSERT_EQ(5, m_pFirst->InsertButton(edit.get()));
    CKTToolbarEditBoxButton* pEdit = edit.release();
    m_pFirst->AdjustLayout();
    m_pFrame->RecalcLayout();
    PumpAndIdle();
    const std::string firstBefore = BarLayout(*m_pFirst);
    const std::string secondBefore = BarLayout(*m_pSecond);
    ASSERT_TRUE(CKTToolBar::SetCustomizeMode(TRUE));

    CPoint ptFrom = Centre(m_pFirst, 0);
    CPoint ptTo = ButtonPoint(m_pSecond, 1, 3);
    CRect rectEdit;
    m_pFirst->GetItemRect(5, &rectEdit);
    UserInput input;
    if (c.m_bWiden)
    {
        ptFrom = OnScreen(m_pFirst, CPoint(rectEdit.right - 2, rectEdit.CenterPoint().y));
        ptTo = CPoint(ptFrom.x + 40, ptFrom.y);
        input.MoveTo(ptFrom).Pause(100).LeftDown().Pause(100).LeftUp().Pause(100); // selects it
    }
    CRect rectFrame;
    m_pFrame->GetWindowRect(&rectFrame);
    int nResized = 0;
    input.MoveTo(ptFrom).Pause(100).LeftDown().Glide(ptFrom, ptTo, 12).Pause(300);
    input.Call([&] {
        // The user's other hand: the frame, and with it the docked bars, gets narrower.
        ::SetWindowPos(m_hFrame, nullptr, 0, 0, rectFrame.Width() - 30, rectFrame.Height(), SWP_NOMOVE | SWP_NOZORDER);
        nResized++;
    });
    input.Pause(200).MoveTo(CPoint(ptTo.x + 2, ptTo.y)).Pause(200).LeftUp().Pause(200);
    Play(input);

    EXPECT_EQ(1, nResized);
    EXPECT_EQ(firstBefore, BarLayout(*m_pFirst));
    EXPECT_EQ(secondBefore, BarLayout(*m_pSecond));
    EXPECT_EQ(80, pEdit->GetWidth()) << "not widened";
    EXPECT_TRUE(m_pFirst->GetDropIndex() < 0 && m_pSecond->GetDropIndex() < 0);
    EXPECT_EQ(nullptr, ::GetCapture());

    // The next drag is not cancelled by the last one's resize.
    if (!c.m_bWiden)
    {
        Drag(Centre(m_pFirst, 0), ButtonPoint(m_pSecond, 1, 3), false, false);
        EXPECT_EQ(BarIds({ID_TEST_PASTE, ID_TEST_OPEN, ID_TEST_SAVE}), BarLayout(*m_pSecond));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ToolbarResizeDuringDragTest,
                         ::testing::Values(ResizeCase{"DragToAnotherBar", false}, ResizeCase{"WidenAHostedEdit", true}),
                         [](const ::testing::TestParamInfo<ResizeCase>& info) {
                             return std::string(info.param.m_name);
                         });

// Each drop effect shows the cursor of its own resource: copy 16004, move 16146, anything else
// (over no toolbar) 16133, hot spot at the arrow's tip.
TEST(ToolbarDragCursorTest, EachDropEffectShowsItsResourceCursor)
{
    CKTToolbarDropSource& dropSource = CKTToolbarDropSource::GetInstance();
    dropSource.LoadCursors();
    struct
    {
        DROPEFFECT m_effect;
        UINT m_uiResource;
    } const cases[] = {{DROPEFFECT_COPY, 16004},
                       {DROPEFFECT_MOVE, 16146},
                       {DROPEFFECT_COPY | DROPEFFECT_MOVE, 16004},
                       {DROPEFFECT_NONE, 16133},
                       {DROPEFFECT_LINK, 16133}};
    std::vector<HCURSOR> shown;
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.m_uiResource);
        EXPECT_EQ(S_OK, dropSource.GiveFeedback(c.m_effect));
        const HCURSOR hShown = ::GetCursor();
        ASSERT_TRUE(hShown != nullptr);
        EXPECT_EQ(dropSource.GetCursorFor(c.m_effect), hShown);
        shown.push_back(hShown);

        // The same picture as the resource.
        HCURSOR hResource = KTLoadCursorResource(c.m_uiResource);
        ASSERT_TRUE(hResource != nullptr);
        ICONINFO infoShown = {}, infoResource = {};
        ASSERT_TRUE(::GetIconInfo(hShown, &infoShown));
        ASSERT_TRUE(::GetIconInfo(hResource, &infoResource));
        EXPECT_EQ(0u, infoShown.xHotspot);
        EXPECT_EQ(0u, infoShown.yHotspot);
        BITMAP bmShown = {}, bmResource = {};
        ::GetObjectW(infoShown.hbmMask, sizeof(bmShown), &bmShown);
        ::GetObjectW(infoResource.hbmMask, sizeof(bmResource), &bmResource);
        ASSERT_EQ(bmResource.bmWidthBytes * bmResource.bmHeight, bmShown.bmWidthBytes * bmShown.bmHeight);
        std::vector<BYTE> bitsShown(bmShown.bmWidthBytes * bmShown.bmHeight);
        std::vector<BYTE> bitsResource(bitsShown.size());
        ::GetBitmapBits(infoShown.hbmMask, static_cast<LONG>(bitsShown.size()), bitsShown.data());
        ::GetBitmapBits(infoResource.hbmMask, static_cast<LONG>(bitsResource.size()), bitsResource.data());
        EXPECT_EQ(bitsResource, bitsShown);
        for (HBITMAP hbm : {infoShown.hbmMask, infoShown.hbmColor, infoResource.hbmMask, infoResource.hbmColor})
            if (hbm != nullptr)
                ::DeleteObject(hbm);
        ::DestroyCursor(hResource);
    }
    EXPECT_NE(shown[0], shown[1]);
    EXPECT_NE(shown[1], shown[3]);
    EXPECT_NE(shown[0], shown[3]);
}
} // namespace

TEST_F(ToolbarCustomizeTest, EmptyBarTakesThreeDroppedCommands)
{
    // A bar made without buttons, as the user makes one on the Toolbars page.
    auto bar = std::make_unique<CCustomizeToolBar>();
    ASSERT_TRUE(bar->Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR + 2));
    CCustomizeToolBar* pEmpty = bar.get();
    m_bars.push_back(std::move(bar));
    m_pFrame->RecalcLayout();
    PumpAndIdle();
    ASSERT_EQ(0, pEmpty->GetCount());
    CRect rectEmpty;
    pEmpty->GetClientRect(&rectEmpty);
    ASSERT_FALSE(rectEmpty.IsRectEmpty());

    ASSERT_TRUE(CKTToolBar::SetCustomizeMode(TRUE));
    const int aSources[] = {0, 1, 3};
    for (int iSource : aSources)
    {
        // Onto the far end of what the bar already holds: the bar's right end.
        CRect rect;
        pEmpty->GetClientRect(&rect);
        Drag(Centre(m_pFirst, iSource), OnScreen(pEmpty, CPoint(rect.right - 4, rect.CenterPoint().y)), true, false);
    }
    EXPECT_EQ(BarIds({ID_TEST_OPEN, ID_TEST_SAVE, ID_TEST_PRINT}), BarLayout(*pEmpty));
    EXPECT_EQ(BarIds({ID_TEST_OPEN, ID_TEST_SAVE, 0, ID_TEST_PRINT, ID_TEST_CUT}), BarLayout(*m_pFirst)) << "copies";
    SaveScreenshot(L"toolbar_empty_bar_after_three_drops.bmp");
}

TEST_F(ToolbarCustomizeTest, RefusedDropLeavesTheButtonOnItsBar)
{
    // The second bar refuses every drop while it is locked; the dragged button stays home.
    ASSERT_TRUE(CKTToolBar::SetCustomizeMode(TRUE));
    m_pSecond->m_bLocked = TRUE;
    Drag(Centre(m_pFirst, 0), ButtonPoint(m_pSecond, 1, 3), false, false);
    m_pSecond->m_bLocked = FALSE;
    EXPECT_EQ(BarIds({ID_TEST_OPEN, ID_TEST_SAVE, 0, ID_TEST_PRINT, ID_TEST_CUT}), BarLayout(*m_pFirst));
    EXPECT_EQ(BarIds({ID_TEST_PASTE, ID_TEST_SAVE}), BarLayout(*m_pSecond));
}

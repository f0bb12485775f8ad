// The status bar in a real frame on the test display: pane layout, texts and the frame's prompts,
// icons, animations and progress read back from the screen, command updates, the size grip, and
// the release of everything a pane owns when the indicators are set again.
#include "tests/framework/input/UserInput.h"
#include "tests/framework/windows/WindowsTestSupport.h"
#include "tests/uitoolkit/bars/StatusBarTestIds.h"
#include "uitoolkit/bars/KTStatusBar.h"
#include "uitoolkit/looks/KTUIGlobals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace
{
const UINT kPaneCommandFirst = IDS_TEST_CAP;
const UINT kPaneCommandLast = IDS_TEST_PAGE;

// Reaches the pane records, as the bar's own drawing does.
class CTestStatusBar : public CKTStatusBar
{
public:
    using CKTStatusBar::GetPanePtr;
};

// A frame whose command updates the test steers, and which records the commands it gets.
class CStatusTestFrame : public CFrameWnd
{
public:
    BOOL m_bEnableCap = TRUE;
    int m_nCheckNum = 0;
    CString m_strPage;
    std::vector<UINT> m_commands;

protected:
    void OnUpdateCap(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bEnableCap); }
    void OnUpdateNum(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_nCheckNum); }
    void OnUpdatePage(CCmdUI* pCmdUI)
    {
        if (!m_strPage.IsEmpty())
            pCmdUI->SetText(m_strPage);
    }
    void OnPaneCommand(UINT nID) { m_commands.push_back(nID); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CStatusTestFrame, CFrameWnd)
ON_UPDATE_COMMAND_UI(IDS_TEST_CAP, &CStatusTestFrame::OnUpdateCap)
ON_UPDATE_COMMAND_UI(IDS_TEST_NUM, &CStatusTestFrame::OnUpdateNum)
ON_UPDATE_COMMAND_UI(IDS_TEST_PAGE, &CStatusTestFrame::OnUpdatePage)
ON_COMMAND_RANGE(kPaneCommandFirst, kPaneCommandLast, &CStatusTestFrame::OnPaneCommand)
END_MESSAGE_MAP()

// A solid square icon of one colour.
HICON SolidIcon(int size, COLORREF colour)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = size;
    bmi.bmiHeader.biHeight = -size;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    HBITMAP hColour = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    auto* pPixels = static_cast<DWORD*>(pBits);
    for (int i = 0; i < size * size; ++i)
        pPixels[i] = 0xFF000000 | (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    std::vector<BYTE> maskBits(((size + 15) / 16) * 2 * size, 0);
    HBITMAP hMask = ::CreateBitmap(size, size, 1, 1, maskBits.data());
    ICONINFO info = {TRUE, 0, 0, hMask, hColour};
    HICON hIcon = ::CreateIconIndirect(&info);
    ::DeleteObject(hColour);
    ::DeleteObject(hMask);
    return hIcon;
}

int TextWidth(HFONT hFont, const wchar_t* text)
{
    HDC hDC = ::GetDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, hFont);
    SIZE size = {};
    ::GetTextExtentPoint32W(hDC, text, lstrlenW(text), &size);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(nullptr, hDC);
    return size.cx;
}

bool Near(COLORREF a, COLORREF b)
{
    return abs(GetRValue(a) - GetRValue(b)) < 24 && abs(GetGValue(a) - GetGValue(b)) < 24 &&
           abs(GetBValue(a) - GetBValue(b)) < 24;
}

// How many pixels of the screen rectangle are near the colour.
int CountNear(const RECT& rect, COLORREF colour)
{
    int n = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            n += Near(ScreenPixel(POINT{x, y}), colour) ? 1 : 0;
    return n;
}

// The display gets a window's painting a little later than the window: waits (a few seconds at
// most) until the pixel has the colour.
bool ShowsSoon(POINT pt, COLORREF colour)
{
    return PumpUntil([&] { return Near(colour, ScreenPixel(pt)); }, 3000);
}

class StatusBarTest : public ::testing::Test
{
protected:
    void SetUp() override { CreateFrame(WS_OVERLAPPEDWINDOW, CRect(40, 40, 680, 280)); }
    void TearDown() override
    {
        if (m_pFrame != nullptr && ::IsWindow(m_hFrame))
            m_pFrame->DestroyWindow();
        PumpAndIdle();
    }

    void CreateFrame(DWORD dwStyle, const CRect& rect)
    {
        m_pFrame = new CStatusTestFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, L"Status bar", dwStyle | WS_VISIBLE, rect));
        m_hFrame = m_pFrame->GetSafeHwnd();
        m_bar = std::make_unique<CTestStatusBar>();
        ASSERT_TRUE(m_bar->Create(m_pFrame));
        ::SetForegroundWindow(m_hFrame);
        Relayout();
    }

    void Relayout()
    {
        m_pFrame->RecalcLayout();
        PumpAndIdle();
        m_bar->UpdateWindow();
    }

    // The pane's rectangle on the screen.
    CRect ScreenPane(int nIndex) const
    {
        CRect rect;
        m_bar->GetItemRect(nIndex, &rect);
        m_bar->ClientToScreen(&rect);
        return rect;
    }

    // The bar's usable right edge: the inside less the size grip.
    int UsableRight() const
    {
        CRect rect;
        m_bar->GetClientRect(&rect);
        if (m_bar->IsSizeGripHidden())
            return rect.right + 1;
        // The grip is a scroll bar wide, at most as wide as the bar is high inside its top border.
        const int cxGrip = std::min(::GetSystemMetrics(SM_CXVSCROLL) + 1, rect.Height() - 2);
        return rect.right - cxGrip;
    }

    bool PaneInvalidated(int nIndex) const
    {
        CRect update;
        if (!::GetUpdateRect(m_bar->GetSafeHwnd(), &update, FALSE))
            return false;
        CRect pane;
        m_bar->GetItemRect(nIndex, &pane);
        return !(update & pane).IsRectEmpty();
    }

    void SaveScreenshot(const wchar_t* name)
    {
        ::CreateDirectoryW(L"screenshots", nullptr);
        CRect rect;
        m_pFrame->GetWindowRect(&rect);
        EXPECT_TRUE(SaveScreenArea((std::wstring(L"screenshots\\") + name).c_str(), rect));
    }

    CStatusTestFrame* m_pFrame = nullptr;
    HWND m_hFrame = nullptr;
    std::unique_ptr<CTestStatusBar> m_bar;
};

TEST_F(StatusBarTest, PaneWidthsFollowTextIconsAndTheStretchingPane)
{
    const HFONT hFont = m_bar->GetCurrentFont();
    const int cxCap = TextWidth(hFont, L"CAP");
    const int cxNum = TextWidth(hFont, L"NUM");
    const int cxQuarter = ::GetSystemMetrics(SM_CXSCREEN) / 4;
    const int kIcon = 16;

    struct Case
    {
        const char* what;
        std::vector<UINT> ids;
        int iconPane;            // -1 none
        std::vector<int> widths; // -1: stretches to the usable right edge
    };
    const Case cases[] = {
        {"text pane first stretches", {0, IDS_TEST_CAP, IDS_TEST_NUM}, -1, {-1, cxCap + 4, cxNum + 4}},
        {"text pane later keeps a quarter screen",
         {IDS_TEST_CAP, 0, IDS_TEST_NUM},
         -1,
         {cxCap + 4, cxQuarter + 4, cxNum + 4}},
        {"icon and text: 8 more than both", {0, IDS_TEST_CAP, IDS_TEST_NUM}, 1, {-1, cxCap + kIcon + 8, cxNum + 4}},
    };
    HICON hIcon = SolidIcon(kIcon, RGB(255, 0, 0));
    for (const Case& c : cases)
    {
        ASSERT_TRUE(m_bar->SetIndicators(c.ids.data(), static_cast<int>(c.ids.size())));
        if (c.iconPane >= 0)
            m_bar->SetPaneIcon(c.iconPane, hIcon);
        Relayout();
        int x = 4; // the left border
        for (size_t i = 0; i < c.ids.size(); ++i)
        {
            CRect rect;
            m_bar->GetItemRect(static_cast<int>(i), &rect);
            EXPECT_EQ(x, rect.left) << c.what << ", pane " << i;
            if (c.widths[i] >= 0)
            {
                EXPECT_EQ(c.widths[i], rect.Width()) << c.what << ", pane " << i;
            }
            x = rect.right + 2; // the gap
        }
        // The panes fill the bar up to the size grip.
        CRect last;
        m_bar->GetItemRect(static_cast<int>(c.ids.size()) - 1, &last);
        if (c.widths[0] < 0)
        {
            EXPECT_EQ(UsableRight(), last.right) << c.what;
        }
    }
    ::DestroyIcon(hIcon);

    // A narrow bar: the pane that crosses the usable edge is cut there, the ones after it are empty.
    const UINT ids[] = {IDS_TEST_CAP, 0, IDS_TEST_NUM};
    ASSERT_TRUE(m_bar->SetIndicators(ids, 3));
    m_pFrame->SetWindowPos(nullptr, 0, 0, 200, 200, SWP_NOMOVE | SWP_NOZORDER);
    Relayout();
    CRect rect;
    m_bar->GetItemRect(1, &rect);
    EXPECT_EQ(UsableRight(), rect.right);
    m_bar->GetItemRect(2, &rect);
    EXPECT_TRUE(rect.IsRectEmpty());
}

TEST_F(StatusBarTest, HeightIsTheTallerOfTextAndIconsPlusBorders)
{
    const UINT ids[] = {0, IDS_TEST_CAP};
    ASSERT_TRUE(m_bar->SetIndicators(ids, 2));
    HDC hDC = ::GetDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, m_bar->GetCurrentFont());
    TEXTMETRICW tm = {};
    ::GetTextMetricsW(hDC, &tm);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(nullptr, hDC);
    const int cyText = tm.tmHeight - tm.tmInternalLeading;

    // A bottom bar created with only its top border line has none: top border 2, bottom 0, and 4.
    EXPECT_EQ(0u, m_bar->GetBarStyle() & (CBRS_BORDER_ANY | CBRS_BORDER_3D));
    EXPECT_EQ(cyText + 2 + 4, m_bar->CalcFixedLayout(TRUE, TRUE).cy);
    EXPECT_EQ(32767, m_bar->CalcFixedLayout(TRUE, TRUE).cx);

    const int cyIcon = cyText + 10;
    HICON hIcon = SolidIcon(cyIcon, RGB(0, 0, 255));
    m_bar->SetPaneIcon(1, hIcon);
    ::DestroyIcon(hIcon);
    EXPECT_EQ(cyIcon + 2 + 4, m_bar->CalcFixedLayout(TRUE, TRUE).cy);
    Relayout();
    CRect client;
    m_bar->GetClientRect(&client);
    EXPECT_EQ(cyIcon + 6, client.Height());
}

TEST_F(StatusBarTest, TextsRepaintOnlyWhenTheyChangeAndTheFramePromptsReachPaneZero)
{
    const UINT ids[] = {0, IDS_TEST_CAP, IDS_TEST_PAGE};
    ASSERT_TRUE(m_bar->SetIndicators(ids, 3));
    Relayout();
    EXPECT_STREQ(L"CAP", m_bar->GetPaneText(1).GetString());
    EXPECT_STREQ(L"Page 1000 of 1000", m_bar->GetPaneText(2).GetString());

    struct Case
    {
        const wchar_t* text;
        bool repaints;
    };
    const Case cases[] = {
        {L"Ready", true}, {L"Ready", false}, {L"", true}, {nullptr, false}, {L"", false}, {L"Busy", true},
    };
    for (const Case& c : cases)
    {
        m_bar->ValidateRect(nullptr);
        EXPECT_TRUE(m_bar->SetPaneText(0, c.text));
        EXPECT_EQ(c.repaints, PaneInvalidated(0)) << (c.text ? c.text : L"(null)");
    }

    // The frame's prompts are the bar's window text.
    m_pFrame->SetMessageText(L"Converting page 3");
    EXPECT_STREQ(L"Converting page 3", m_bar->GetPaneText(0).GetString());
    EXPECT_EQ(17, m_bar->SendMessage(WM_GETTEXTLENGTH));
    wchar_t buffer[8] = {L'x', L'x', L'x', L'x', L'x', L'x', L'x', L'x'};
    EXPECT_EQ(7, m_bar->SendMessage(WM_GETTEXT, 8, reinterpret_cast<LPARAM>(buffer)));
    EXPECT_STREQ(L"Convert", buffer);
    EXPECT_EQ(0, m_bar->SendMessage(WM_GETTEXT, 0, reinterpret_cast<LPARAM>(buffer)));
    EXPECT_EQ(TRUE, m_bar->SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"")));
    EXPECT_EQ(0, m_bar->SendMessage(WM_GETTEXTLENGTH));

    // Without a pane of command 0 the window text goes nowhere.
    const UINT noText[] = {IDS_TEST_CAP};
    ASSERT_TRUE(m_bar->SetIndicators(noText, 1));
    EXPECT_EQ(-1, m_bar->SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"lost")));
    EXPECT_EQ(0, m_bar->SendMessage(WM_GETTEXT, 8, reinterpret_cast<LPARAM>(buffer)));
    EXPECT_EQ(0, m_bar->SendMessage(WM_GETTEXTLENGTH));
}

TEST_F(StatusBarTest, BadIndicesAndMissingStringsChangeNothing)
{
    const UINT ids[] = {0, IDS_TEST_CAP};
    ASSERT_TRUE(m_bar->SetIndicators(ids, 2));
    EXPECT_FALSE(m_bar->SetPaneText(2, L"x"));
    EXPECT_FALSE(m_bar->SetPaneText(-1, L"x"));
    EXPECT_FALSE(m_bar->SetPaneTooltip(5, L"x"));
    EXPECT_EQ(0u, m_bar->GetPaneStyle(-1));
    m_bar->SetPaneStyle(9, SBPS_POPOUT);
    m_bar->SetPaneIcon(9, nullptr);
    m_bar->SetPaneAnimation(-3, nullptr);
    m_bar->SetPaneProgress(7, 1);
    m_bar->InvalidatePane(2);
    EXPECT_EQ(-1, m_bar->CommandToIndex(IDS_TEST_NUM));
    EXPECT_EQ(1, m_bar->CommandToIndex(IDS_TEST_CAP));
    EXPECT_EQ(-1, m_bar->HitTest(CPoint(-5, -5)));
    EXPECT_EQ(2, m_bar->GetCount());

    // A missing string: FALSE, with the panes before it set up.
    const UINT withMissing[] = {IDS_TEST_CAP, IDS_TEST_MISSING, IDS_TEST_NUM};
    EXPECT_FALSE(m_bar->SetIndicators(withMissing, 3));
    EXPECT_EQ(3, m_bar->GetCount());
    EXPECT_STREQ(L"CAP", m_bar->GetPaneText(0).GetString());
    EXPECT_EQ(IDS_TEST_CAP, m_bar->GetItemID(0));
    EXPECT_FALSE(m_bar->SetIndicators(nullptr, -1));

    // No array: empty panes, laid out.
    EXPECT_TRUE(m_bar->SetIndicators(nullptr, 2));
    EXPECT_EQ(2, m_bar->GetCount());
    EXPECT_TRUE(m_bar->GetPaneText(0).IsEmpty());
}

TEST_F(StatusBarTest, SettingIndicatorsAgainReleasesTooltipsIconsAndAnimations)
{
    const UINT ids[] = {0, IDS_TEST_CAP, IDS_TEST_NUM};
    ASSERT_TRUE(m_bar->SetIndicators(ids, 3));
    HIMAGELIST hFrames = ImageList_Create(16, 16, ILC_MASK | ILC_COLOR32, 2, 0);
    for (COLORREF colour : {RGB(255, 0, 0), RGB(0, 0, 255)})
    {
        HICON hIcon = SolidIcon(16, colour);
        ImageList_AddIcon(hFrames, hIcon);
        ::DestroyIcon(hIcon);
    }
    m_bar->SetPaneAnimation(1, hFrames, 60000);
    HICON hIcon = SolidIcon(16, RGB(0, 255, 0));
    m_bar->SetPaneIcon(2, hIcon);
    ::DestroyIcon(hIcon);
    ASSERT_TRUE(m_bar->SetPaneTooltip(2, L"Number lock"));
    ASSERT_NE(nullptr, m_bar->GetPanePtr(1)->hImages);

    // The new panes start clean, and the old animation's timer no longer runs.
    const UINT next[] = {0, IDS_TEST_PAGE};
    ASSERT_TRUE(m_bar->SetIndicators(next, 2));
    EXPECT_FALSE(::KillTimer(m_bar->GetSafeHwnd(), IDS_TEST_CAP));
    for (int i = 0; i < 2; ++i)
    {
        const CKTStatusBarPaneInfo* pPane = m_bar->GetPanePtr(i);
        EXPECT_EQ(nullptr, pPane->hImages);
        EXPECT_EQ(nullptr, pPane->lpszToolTip);
        EXPECT_EQ(0, pPane->nFrameCount);
        EXPECT_EQ((COLORREF)-1, pPane->clrText);
    }

    // The same holds when the window goes.
    m_bar->SetPaneAnimation(1, hFrames, 60000);
    ASSERT_TRUE(::KillTimer(m_bar->GetSafeHwnd(), IDS_TEST_PAGE));
    m_bar->SetPaneAnimation(1, hFrames, 60000);
    HWND hBar = m_bar->GetSafeHwnd();
    m_bar->DestroyWindow();
    EXPECT_FALSE(::KillTimer(hBar, IDS_TEST_PAGE));
    EXPECT_EQ(nullptr, m_bar->GetPanePtr(1)->hImages);
    ImageList_Destroy(hFrames);
}

TEST_F(StatusBarTest, IconProgressAndTextPanesAsTheyAppearOnTheScreen)
{
    const UINT ids[] = {0, IDS_TEST_CAP, IDS_TEST_NUM, IDS_TEST_PAGE};
    ASSERT_TRUE(m_bar->SetIndicators(ids, 4));
    m_bar->SetPaneText(0, L"Ready");
    HICON hRed = SolidIcon(16, RGB(255, 0, 0));
    m_bar->SetPaneIcon(1, hRed);
    ::DestroyIcon(hRed);
    m_bar->SetPaneTextColor(1, RGB(0, 160, 0));
    m_bar->SetPaneStyle(2, m_bar->GetPaneStyle(2) | SBPS_DISABLED);
    m_bar->EnablePaneProgressBar(3, 4, FALSE, RGB(0, 0, 255));
    m_bar->SetPaneProgress(3, 1);
    Relayout();

    // The icon at the left of its pane, vertically centred.
    const CRect iconPane = ScreenPane(1);
    const POINT iconCentre = {iconPane.left + 2 + 8, iconPane.top + iconPane.Height() / 2};
    EXPECT_TRUE(ShowsSoon(iconCentre, RGB(255, 0, 0)));
    // Its text in the pane's colour, after the icon.
    CRect textPart(iconPane.left + 2 + 16 + 4, iconPane.top + 1, iconPane.right - 2, iconPane.bottom - 1);
    EXPECT_GT(CountNear(textPart, RGB(0, 160, 0)), 3);
    // The disabled pane's text in the grey-text colour.
    const CRect numPane = ScreenPane(2);
    EXPECT_GT(CountNear(CRect(numPane.left + 2, numPane.top + 1, numPane.right - 2, numPane.bottom - 1),
                        ktGlobals.m_colorGrayText),
              3);
    // A quarter of the progress pane is filled, the rest is not, and no text is drawn.
    const CRect progress = ScreenPane(3);
    const int inner = progress.Width() - 6;
    const int y = progress.top + progress.Height() / 2;
    EXPECT_TRUE(Near(RGB(0, 0, 255), ScreenPixel(POINT{progress.left + 3 + 2, y})));
    EXPECT_TRUE(Near(RGB(0, 0, 255), ScreenPixel(POINT{progress.left + 3 + inner / 4 - 2, y})));
    EXPECT_FALSE(Near(RGB(0, 0, 255), ScreenPixel(POINT{progress.left + 3 + inner / 4 + 4, y})));
    EXPECT_FALSE(Near(RGB(0, 0, 255), ScreenPixel(POINT{progress.right - 6, y})));
    SaveScreenshot(L"status_bar.bmp");

    m_bar->SetPaneProgress(3, 99); // held at the total
    EXPECT_EQ(4, m_bar->GetPanePtr(3)->nProgressCurr);
    m_bar->UpdateWindow();
    EXPECT_TRUE(ShowsSoon(POINT{progress.right - 6, y}, RGB(0, 0, 255)));
}

TEST_F(StatusBarTest, AnimationAdvancesAFrameAtATimeRepaintingOnlyTheIcon)
{
    const UINT ids[] = {0, IDS_TEST_CAP};
    ASSERT_TRUE(m_bar->SetIndicators(ids, 2));
    HIMAGELIST hFrames = ImageList_Create(16, 16, ILC_MASK | ILC_COLOR32, 3, 0);
    for (COLORREF colour : {RGB(255, 0, 0), RGB(0, 0, 255), RGB(0, 255, 0)})
    {
        HICON hIcon = SolidIcon(16, colour);
        ImageList_AddIcon(hFrames, hIcon);
        ::DestroyIcon(hIcon);
    }
    m_bar->SetPaneAnimation(1, hFrames, 60000);
    ImageList_Destroy(hFrames); // the pane keeps copies
    Relayout();

    const CRect pane = ScreenPane(1);
    const POINT centre = {pane.left + 2 + 8, pane.top + pane.Height() / 2};
    const COLORREF expected[] = {RGB(255, 0, 0), RGB(0, 0, 255), RGB(0, 255, 0), RGB(255, 0, 0)};
    for (int step = 0; step < 4; ++step)
    {
        EXPECT_TRUE(ShowsSoon(centre, expected[step])) << "frame " << step;
        m_bar->ValidateRect(nullptr);
        m_bar->SendMessage(WM_TIMER, IDS_TEST_CAP);
        CRect update;
        ASSERT_TRUE(::GetUpdateRect(m_bar->GetSafeHwnd(), &update, FALSE));
        CRect paneClient;
        m_bar->GetItemRect(1, &paneClient);
        EXPECT_EQ(CRect(paneClient.left + 2, paneClient.top + 1, paneClient.left + 2 + 16, paneClient.bottom - 1),
                  update);
        m_bar->UpdateWindow();
    }

    // An icon replaces the animation and stops its timer.
    HICON hIcon = SolidIcon(16, RGB(255, 255, 0));
    m_bar->SetPaneIcon(1, hIcon);
    ::DestroyIcon(hIcon);
    EXPECT_FALSE(::KillTimer(m_bar->GetSafeHwnd(), IDS_TEST_CAP));
    EXPECT_EQ(0, m_bar->GetPanePtr(1)->nFrameCount);
}

TEST_F(StatusBarTest, CommandUpdatesDisableCheckAndSetText)
{
    const UINT ids[] = {0, IDS_TEST_CAP, IDS_TEST_NUM, IDS_TEST_PAGE};
    ASSERT_TRUE(m_bar->SetIndicators(ids, 4));
    Relayout();

    m_pFrame->m_bEnableCap = FALSE;
    m_pFrame->m_nCheckNum = 1;
    m_pFrame->m_strPage = L"Page 3 of 9";
    m_bar->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_NE(0u, m_bar->GetPaneStyle(1) & SBPS_DISABLED);
    EXPECT_NE(0u, m_bar->GetPaneStyle(2) & SBPS_POPOUT);
    EXPECT_STREQ(L"Page 3 of 9", m_bar->GetPaneText(3).GetString());
    // Pane 0 has no handler and is not disabled for it.
    EXPECT_EQ(0u, m_bar->GetPaneStyle(0) & SBPS_DISABLED);

    m_pFrame->m_bEnableCap = TRUE;
    m_pFrame->m_nCheckNum = 0;
    m_bar->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_EQ(0u, m_bar->GetPaneStyle(1) & SBPS_DISABLED);
    EXPECT_EQ(0u, m_bar->GetPaneStyle(2) & SBPS_POPOUT);

    // An unchanged style does not repaint.
    m_bar->ValidateRect(nullptr);
    m_bar->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    EXPECT_FALSE(PaneInvalidated(1));
}

TEST_F(StatusBarTest, TooltipsComeFromThePaneUnderThePoint)
{
    const UINT ids[] = {0, IDS_TEST_CAP, IDS_TEST_NUM};
    ASSERT_TRUE(m_bar->SetIndicators(ids, 3));
    EXPECT_EQ(0u, m_bar->GetBarStyle() & CBRS_TOOLTIPS);
    ASSERT_TRUE(m_bar->SetPaneTooltip(2, L"Number lock"));
    EXPECT_NE(0u, m_bar->GetBarStyle() & CBRS_TOOLTIPS);
    Relayout();

    CRect cap, num;
    m_bar->GetItemRect(1, &cap);
    m_bar->GetItemRect(2, &num);
    TOOLINFO ti = {};
    ti.cbSize = sizeof(ti);
    EXPECT_EQ(-1, m_bar->OnToolHitTest(cap.CenterPoint(), &ti));
    EXPECT_EQ(static_cast<INT_PTR>(IDS_TEST_NUM), m_bar->OnToolHitTest(num.CenterPoint(), &ti));
    ASSERT_NE(nullptr, ti.lpszText);
    EXPECT_STREQ(L"Number lock", ti.lpszText);
    EXPECT_EQ(num, CRect(ti.rect));
    EXPECT_EQ(m_bar->GetSafeHwnd(), ti.hwnd);
    free(ti.lpszText);

    EXPECT_TRUE(m_bar->SetPaneTooltip(2, nullptr));
    EXPECT_EQ(-1, m_bar->OnToolHitTest(num.CenterPoint(), nullptr));
}

TEST_F(StatusBarTest, DoubleClickOnAPaneSendsItsCommandWhenAsked)
{
    const UINT ids[] = {0, IDS_TEST_CAP, IDS_TEST_NUM};
    ASSERT_TRUE(m_bar->SetIndicators(ids, 3));
    Relayout();
    const CRect num = ScreenPane(2);
    const CRect cap = ScreenPane(1);

    auto doubleClick = [](POINT pt) {
        UserInput input;
        input.MoveTo(pt).LeftDown().LeftUp().LeftDown().LeftUp().Pause(100);
        input.Start();
        PumpUntil([&] { return input.Done(); });
        PumpAndIdle();
    };
    doubleClick(num.CenterPoint());
    EXPECT_TRUE(m_pFrame->m_commands.empty());

    m_bar->m_bDblClickSendsCommands = TRUE;
    ::Sleep(600); // the next press starts a new double click
    doubleClick(num.CenterPoint());
    ::Sleep(600);
    doubleClick(cap.CenterPoint());
    EXPECT_EQ((std::vector<UINT>{IDS_TEST_NUM, IDS_TEST_CAP}), m_pFrame->m_commands);
}

TEST_F(StatusBarTest, SizeGripShowsOnlyInTheCornerOfARestoredSizableFrame)
{
    const UINT ids[] = {0, IDS_TEST_CAP};
    ASSERT_TRUE(m_bar->SetIndicators(ids, 2));
    Relayout();
    ASSERT_FALSE(m_bar->IsSizeGripHidden());
    CRect grip = m_bar->GetSizeGripRect();
    ASSERT_FALSE(grip.IsRectEmpty());
    CPoint inGrip = grip.CenterPoint();
    m_bar->ClientToScreen(&inGrip);
    EXPECT_EQ(HTBOTTOMRIGHT, m_bar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(inGrip.x, inGrip.y)));
    CRect pane0;
    m_bar->GetItemRect(0, &pane0);
    CPoint onPane = pane0.CenterPoint();
    m_bar->ClientToScreen(&onPane);
    EXPECT_NE(HTBOTTOMRIGHT, m_bar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(onPane.x, onPane.y)));

    m_pFrame->ShowWindow(SW_MAXIMIZE);
    Relayout();
    EXPECT_TRUE(m_bar->IsSizeGripHidden());
    EXPECT_TRUE(m_bar->GetSizeGripRect().IsRectEmpty());
    CRect last;
    m_bar->GetItemRect(1, &last);
    CRect client;
    m_bar->GetClientRect(&client);
    EXPECT_EQ(client.right + 1, last.right); // the panes take the grip's room
    SaveScreenshot(L"status_bar_maximized.bmp");

    m_pFrame->ShowWindow(SW_RESTORE);
    Relayout();
    EXPECT_FALSE(m_bar->IsSizeGripHidden());

    // A frame without a sizing border has no grip.
    m_pFrame->DestroyWindow();
    m_bar.reset();
    CreateFrame(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, CRect(40, 40, 680, 280));
    ASSERT_TRUE(m_bar->SetIndicators(ids, 2));
    Relayout();
    EXPECT_TRUE(m_bar->IsSizeGripHidden());
}
} // namespace

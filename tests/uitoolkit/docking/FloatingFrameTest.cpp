// Floating sizing bars in the toolkit's floating frame: resized from every edge and corner, rolled
// up by the button and automatically, kept reachable, closed only when the bar allows; dock states
// applied; the help key.
#include "SizingFixture.h"

#include "framework/AfxDockBar.h"
#include "framework/AfxDockContext.h"
#include "uitoolkit/bars/KTResizingDockContext.h"

namespace
{

const UINT kLeft = AFX_IDW_DOCKBAR_LEFT;

bool g_bPopupOpen = false;

BOOL TestPopupOpen()
{
    return g_bPopupOpen ? TRUE : FALSE;
}

class FloatingTest : public SizingTest
{
public:
    void SetUp() override
    {
        SizingTest::SetUp();
        g_bPopupOpen = false;
        CKTMiniDockFrameWnd::m_pfnIsPopupMenuOpen = &TestPopupOpen;
    }

    // Bar A floating at the point, its frame returned.
    CKTMiniDockFrameWnd* FloatA(CPoint pt = CPoint(300, 200), CSize size = CSize(200, 160))
    {
        CTestSizingBar* pBar = AddBar('A', size);
        m_pFrame->FloatControlBar(pBar, pt);
        Layout();
        return FloatingFrameOf(pBar);
    }

    CRect WindowRect(CWnd* pWnd) const
    {
        CRect rect;
        pWnd->GetWindowRect(&rect);
        return rect;
    }

    int RolledHeight() const { return 2 * ::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYSMCAPTION) - 1; }
};

} // namespace

TEST_F(FloatingTest, AFloatingSizingBarLivesInTheToolkitsFrameAsAToolWindowWithSizingBorders)
{
    CKTMiniDockFrameWnd* pFloating = FloatA();
    ASSERT_NE(pFloating, nullptr);
    EXPECT_TRUE(pFloating->IsKindOf(RUNTIME_CLASS(CKTMiniDockFrameWnd)));
    EXPECT_NE(pFloating->GetExStyle() & WS_EX_TOOLWINDOW, 0u);
    EXPECT_EQ(pFloating->GetStyle() & MFS_4THICKFRAME, 0u);
    EXPECT_NE(dynamic_cast<CKTResizingDockContext*>(Bar('A')->m_pDockContext), nullptr);
    // The bar bits given to Create are the bar's style, never the window's; sizing is dynamic.
    EXPECT_EQ(Bar('A')->GetBarStyle() & (CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC),
              static_cast<DWORD>(CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC));
    EXPECT_EQ(Bar('A')->GetStyle() & (WS_DLGFRAME | 0xFFFF), 0u);
    EXPECT_NE(Bar('A')->GetStyle() & WS_CLIPCHILDREN, 0u);
    CString strTitle;
    pFloating->GetWindowText(strTitle);
    EXPECT_EQ(strTitle, CString(L"Bar A"));
    // The bar's new text reaches the frame's caption.
    Bar('A')->SetWindowText(L"Renamed");
    pFloating->GetWindowText(strTitle);
    EXPECT_EQ(strTitle, CString(L"Renamed"));
}

TEST_F(FloatingTest, ResizingFromAnEdgeOrCornerKeepsTheOppositeSideInPlace)
{
    struct Case
    {
        LRESULT nHit;
        int dx;
        int dy;
    };
    const Case cases[] = {
        {HTLEFT, -30, 0},      {HTRIGHT, 30, 0},      {HTTOP, 0, -30},         {HTBOTTOM, 0, 30},
        {HTTOPLEFT, -30, -30}, {HTTOPRIGHT, 30, -30}, {HTBOTTOMLEFT, -30, 30}, {HTBOTTOMRIGHT, 30, 30},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nHit);
        TearDown();
        SetUp();
        CKTMiniDockFrameWnd* pFloating = FloatA();
        ASSERT_NE(pFloating, nullptr);
        const CRect before = WindowRect(pFloating);
        POINT pt;
        ASSERT_TRUE(FindHitPoint(pFloating->m_hWnd, c.nHit, &pt));

        UserInput input;
        input.MoveTo(pt).LeftDown().Glide(pt, {pt.x + c.dx, pt.y + c.dy}).LeftUp();
        Play(input);
        Layout();

        const CRect after = WindowRect(pFloating);
        const BOOL bLeft = c.dx < 0;
        const BOOL bRight = c.dx > 0;
        const BOOL bTop = c.dy < 0;
        const BOOL bBottom = c.dy > 0;
        EXPECT_EQ(after.right, before.right + (bRight ? c.dx : 0));
        EXPECT_EQ(after.left, before.left + (bLeft ? c.dx : 0));
        EXPECT_EQ(after.bottom, before.bottom + (bBottom ? c.dy : 0));
        EXPECT_EQ(after.top, before.top + (bTop ? c.dy : 0));
        EXPECT_EQ(::GetCapture(), nullptr);
    }
}

TEST_F(FloatingTest, AResizeDoesNotStartWhileAnotherWindowHasTheMouse)
{
    CKTMiniDockFrameWnd* pFloating = FloatA();
    ASSERT_NE(pFloating, nullptr);
    const CRect before = WindowRect(pFloating);
    const CSize sizeFloat = Bar('A')->GetFloatSize();
    m_wndPane.SetCapture();
    Bar('A')->m_pDockContext->StartResize(HTRIGHT, CPoint(before.right - 1, before.CenterPoint().y));
    EXPECT_EQ(::GetCapture(), m_wndPane.m_hWnd) << "the other window keeps the mouse";
    ::ReleaseCapture();
    PumpAndIdle();
    EXPECT_EQ(WindowRect(pFloating), before);
    EXPECT_EQ(Bar('A')->GetFloatSize(), sizeFloat);
}

TEST_F(FloatingTest, TheRollButtonWalksTheRollUpModes)
{
    struct Case
    {
        int nModeBefore;
        BOOL bRolledBefore;
        int nModeAfter;
        BOOL bRolledAfter;
    };
    const Case cases[] = {
        {1, FALSE, 1, TRUE},  {1, TRUE, 1, FALSE}, {2, TRUE, 3, FALSE},
        {3, FALSE, 2, FALSE}, {4, TRUE, 5, FALSE}, {5, FALSE, 4, FALSE},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "mode " << c.nModeBefore << (c.bRolledBefore ? " rolled" : ""));
        TearDown();
        SetUp();
        CKTMiniDockFrameWnd* pFloating = FloatA();
        ASSERT_NE(pFloating, nullptr);
        pFloating->SetRollState(c.nModeBefore, c.bRolledBefore);
        Layout();
        // The cursor over a frame that rolls up automatically unrolls it first (and a narrow one
        // widens): the button is clicked where it is then.
        const CRect rectBefore = WindowRect(pFloating);
        UserInput hover;
        hover.MoveTo({rectBefore.left + 8, rectBefore.top + 8}).MoveTo({rectBefore.left + 10, rectBefore.top + 8});
        Play(hover);
        Layout();
        const CRect rectButton = pFloating->GetRollButtonRect();
        ASSERT_FALSE(rectButton.IsRectEmpty());
        const CRect rectWindow = WindowRect(pFloating);
        const POINT pt = {rectWindow.left + rectButton.CenterPoint().x, rectWindow.top + rectButton.CenterPoint().y};

        UserInput input;
        input.MoveTo(pt).LeftDown().LeftUp();
        Play(input);
        Layout();

        EXPECT_EQ(Bar('A')->m_nRollingType, c.nModeAfter);
        EXPECT_EQ(Bar('A')->m_bRolled, c.bRolledAfter);
        EXPECT_EQ(pFloating->GetRollingType(), c.nModeAfter);
        if (c.bRolledAfter)
            EXPECT_EQ(WindowRect(pFloating).Height(), RolledHeight());
        else
            EXPECT_GT(WindowRect(pFloating).Height(), RolledHeight() + 20);
        if (c.nModeBefore == 1 && !c.bRolledBefore)
            SavePicture(L"floating_rolled_up.bmp");
    }
}

TEST_F(FloatingTest, ARolledUpBarMeasuresAsAStripAndMode4IsAsWideAsItsTitle)
{
    CKTMiniDockFrameWnd* pFloating = FloatA(CPoint(300, 200), CSize(260, 160));
    ASSERT_NE(pFloating, nullptr);
    SavePicture(L"floating_frame.bmp");
    m_pFrame->SetFocus();
    pFloating->SetRollState(1, TRUE);
    EXPECT_EQ(Bar('A')->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH), CSize(260, ::GetSystemMetrics(SM_CYFRAME) - 1));

    pFloating->SetRollState(4, TRUE);
    Layout();
    CString strTitle;
    pFloating->GetWindowText(strTitle);
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof(ncm);
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
    HFONT hFont = ::CreateFontIndirectW(&ncm.lfSmCaptionFont);
    HDC hDC = ::GetDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, hFont);
    SIZE sizeText{};
    ::GetTextExtentPoint32W(hDC, strTitle, strTitle.GetLength(), &sizeText);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(nullptr, hDC);
    ::DeleteObject(hFont);
    EXPECT_EQ(WindowRect(pFloating).Width(),
              sizeText.cx + 3 * ::GetSystemMetrics(SM_CXSMSIZE) + 4 + 2 * ::GetSystemMetrics(SM_CXFRAME));
    EXPECT_EQ(WindowRect(pFloating).Height(), RolledHeight());
}

TEST_F(FloatingTest, AutomaticRollUpFollowsTheCursorAndWaitsForAnOpenPopupMenu)
{
    CKTMiniDockFrameWnd* pFloating = FloatA();
    ASSERT_NE(pFloating, nullptr);
    pFloating->SetRollState(2, TRUE);
    Layout();
    ::SetForegroundWindow(m_pFrame->m_hWnd);
    m_pFrame->SetFocus();
    PumpAndIdle();
    const CRect rectRolled = WindowRect(pFloating);
    const POINT ptCaption = {rectRolled.left + 20, rectRolled.top + rectRolled.Height() / 2};
    CRect rectPane;
    m_wndPane.GetWindowRect(&rectPane);
    const POINT ptAway = {rectPane.left + 10, rectPane.bottom - 10};

    for (bool bPopup : {false, true})
    {
        SCOPED_TRACE(bPopup ? "a popup menu is open" : "no popup menu");
        g_bPopupOpen = false;
        UserInput input;
        input.MoveTo(ptAway).MoveTo(ptCaption).MoveTo({ptCaption.x + 5, ptCaption.y});
        Play(input);
        ASSERT_TRUE(PumpUntil([&] { return !Bar('A')->m_bRolled; }, 3000)) << "the cursor over it unrolls it";
        g_bPopupOpen = bPopup;
        UserInput leave;
        leave.MoveTo(ptAway);
        Play(leave);
        if (!bPopup)
        {
            EXPECT_TRUE(PumpUntil([&] { return Bar('A')->m_bRolled != FALSE; }, 6000)) << "rolled up after it left";
            EXPECT_EQ(WindowRect(pFloating).Height(), RolledHeight());
        }
        else
        {
            RunMessageLoopFor(2500);
            EXPECT_FALSE(Bar('A')->m_bRolled) << "not while a popup menu is open";
            g_bPopupOpen = false;
            EXPECT_TRUE(PumpUntil([&] { return Bar('A')->m_bRolled != FALSE; }, 6000)) << "once it has closed";
        }
    }
}

TEST_F(FloatingTest, AMovedFrameStaysWithinReachOnItsMonitor)
{
    CKTMiniDockFrameWnd* pFloating = FloatA();
    ASSERT_NE(pFloating, nullptr);
    RECT rectWork;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rectWork, 0);
    const int nBand = ::GetSystemMetrics(SM_CYSMCAPTION);
    struct Case
    {
        const char* name;
        POINT ptMoveTo;
    };
    const Case cases[] = {
        {"above the top", {200, rectWork.top - 400}},
        {"below the bottom", {200, rectWork.bottom + 100}},
        {"past the right", {rectWork.right + 300, 200}},
        {"past the left", {rectWork.left - 2000, 200}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        pFloating->SetWindowPos(nullptr, c.ptMoveTo.x, c.ptMoveTo.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        const CRect rect = WindowRect(pFloating);
        EXPECT_GE(rect.top, rectWork.top);
        EXPECT_LE(rect.top, rectWork.bottom - nBand);
        EXPECT_GE(rect.right, rectWork.left + nBand);
        EXPECT_LE(rect.left, rectWork.right - nBand);
    }
    // Inside the work area, a move is left alone.
    pFloating->SetWindowPos(nullptr, 250, 180, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(WindowRect(pFloating).TopLeft(), CPoint(250, 180));
}

TEST_F(FloatingTest, ClosingTheFrameAsksTheBar)
{
    for (BOOL bCanBeClosed : {FALSE, TRUE})
    {
        SCOPED_TRACE(bCanBeClosed ? "may be closed" : "refuses");
        TearDown();
        SetUp();
        CKTMiniDockFrameWnd* pFloating = FloatA();
        ASSERT_NE(pFloating, nullptr);
        Bar('A')->m_bCanBeClosed = bCanBeClosed;
        pFloating->SendMessage(WM_CLOSE);
        PumpAndIdle();
        EXPECT_EQ(pFloating->IsWindowVisible() != FALSE, bCanBeClosed == FALSE);
        EXPECT_EQ(Bar('A')->IsWindowVisible() != FALSE, bCanBeClosed == FALSE);
        EXPECT_TRUE(::IsWindow(Bar('A')->m_hWnd)) << "closed means hidden, never destroyed";
    }
}

TEST_F(FloatingTest, ADockStateAppliedPutsEveryBarBackWhereItWas)
{
    AddBar('A');
    AddBar('B');
    AddBar('C', CSize(180, 140));
    DockRow(kLeft, "AB");
    m_pFrame->FloatControlBar(Bar('C'), CPoint(380, 240));
    Layout();
    CDockState state;
    m_pFrame->GetDockState(state);
    const CRect rectA = Place(Bar('A'));
    const CRect rectFloating = WindowRect(FloatingFrameOf(Bar('C')));

    // Everything moved about, then the state applied again.
    m_pFrame->DockControlBar(Bar('C'), AFX_IDW_DOCKBAR_TOP);
    m_pFrame->FloatControlBar(Bar('A'), CPoint(100, 300));
    Layout();
    ApplyDockState(m_pFrame, state);
    Layout();

    EXPECT_EQ(Rows(kLeft), "AB|");
    // Placement comes from the state; lengths from the bars' own sizes and the row fit.
    EXPECT_EQ(Place(Bar('A')).TopLeft(), rectA.TopLeft());
    CKTMiniDockFrameWnd* pFloating = FloatingFrameOf(Bar('C'));
    ASSERT_NE(pFloating, nullptr);
    EXPECT_TRUE(pFloating->IsWindowVisible());
    EXPECT_EQ(WindowRect(pFloating).TopLeft(), rectFloating.TopLeft());
    EXPECT_EQ(FloatingFrameOf(Bar('A')), nullptr);
}

TEST(FrameDockingTest, TheHelpKeyIsAPlainF1Press)
{
    struct Case
    {
        const char* name;
        UINT message;
        WPARAM key;
        LPARAM lParam;
        bool expected;
    };
    const Case cases[] = {
        {"F1 down", WM_KEYDOWN, VK_F1, 0x003B0001, true},
        {"F1 repeated", WM_KEYDOWN, VK_F1, 0x403B0001, false},
        {"F1 up", WM_KEYUP, VK_F1, static_cast<LPARAM>(0xC03B0001), false},
        {"F2", WM_KEYDOWN, VK_F2, 0x003C0001, false},
    };
    for (const Case& c : cases)
    {
        MSG msg{};
        msg.message = c.message;
        msg.wParam = c.key;
        msg.lParam = c.lParam;
        EXPECT_EQ(IsHelpKey(&msg) != FALSE, c.expected) << c.name;
    }
}

TEST_F(FloatingTest, ATornOffFrameFollowsTheCursorUntilDroppedOrIsGoneWhenCancelled)
{
    struct Case
    {
        const char* name;
        bool bEscape;
    };
    for (const Case& c : {Case{"dropped", false}, Case{"Escape", true}})
    {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        auto* pBar = new CTestSizingBar;
        ASSERT_TRUE(
            pBar->Create(L"Torn off", m_pFrame, CSize(160, 120), TRUE, 0xE830, WS_CHILD | WS_VISIBLE | CBRS_TOP));
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        // A dropped bar goes with the frame at the end; a cancelled one is deleted by the tear-off.
        pBar->m_bAutoDelete = !c.bEscape;
        m_pFrame->FloatControlBar(pBar, CPoint(200, 150));
        PumpAndIdle();
        CKTMiniDockFrameWnd* pFloating = FloatingFrameOf(pBar);
        ASSERT_NE(pFloating, nullptr);
        const HWND hWndFloating = pFloating->m_hWnd;
        const HWND hWndBar = pBar->m_hWnd;
        const CRect before = WindowRect(pFloating);
        const POINT ptGrip = {before.CenterPoint().x, before.top + 5};
        const POINT ptTarget = {ptGrip.x + 120, ptGrip.y + 90};

        UserInput input;
        input.Pause(400).Glide(ptGrip, ptTarget, 6);
        if (c.bEscape)
            input.Key(VK_ESCAPE, true).Key(VK_ESCAPE, false);
        else
            input.LeftDown().LeftUp();
        input.Start();
        const BOOL bDropped = pFloating->StartTearOff(pBar);
        input.Wait();
        PumpAndIdle();

        EXPECT_EQ(bDropped != FALSE, !c.bEscape);
        EXPECT_EQ(::GetCapture(), nullptr);
        if (!c.bEscape)
        {
            ASSERT_TRUE(::IsWindow(hWndFloating));
            EXPECT_TRUE(::IsWindowVisible(hWndFloating));
            EXPECT_EQ(WindowRect(pFloating).TopLeft(), before.TopLeft() + CSize(120, 90));
        }
        else
        {
            EXPECT_FALSE(::IsWindow(hWndBar)) << "the bar is destroyed";
            EXPECT_FALSE(::IsWindow(hWndFloating)) << "with its frame";
            EXPECT_EQ(m_pFrame->GetControlBar(0xE830), nullptr);
        }
    }
}

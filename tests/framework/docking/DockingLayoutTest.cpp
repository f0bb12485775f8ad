// Docking without the mouse: the rows of the dock bars, where bars are placed, and when.
#include "DockingFixture.h"

#include "../windows/WindowsTestSupport.h"

namespace
{

const UINT kTop = AFX_IDW_DOCKBAR_TOP;
const UINT kLeft = AFX_IDW_DOCKBAR_LEFT;
const UINT kBottom = AFX_IDW_DOCKBAR_BOTTOM;

// A screen rectangle over the right half of a docked bar: docking there joins its row after it.
CRect RightOf(const CControlBar* pBar)
{
    CRect rect;
    pBar->GetWindowRect(&rect);
    rect.OffsetRect(rect.Width() / 2, 0);
    return rect;
}

TEST_F(DockingTest, DockBarRowsFollowDockHideFloatAndRedock)
{
    struct Case
    {
        const char* name;
        void (*act)(DockingTest& test, CFrameWnd* pFrame);
        const char* top;
        const char* left;
        size_t nFloatingFrames;
    };
    const Case cases[] = {
        {"two bars docked without a place open a row each", [](DockingTest&, CFrameWnd*) {}, "A|B|", "", 0},
        {"a bar docked right of another joins its row",
         [](DockingTest& t, CFrameWnd* pFrame) {
             CRect rect = RightOf(t.Bar('A'));
             pFrame->DockControlBar(t.Bar('B'), kTop, &rect);
         },
         "AB|", "", 0},
        {"a hidden bar keeps its entry",
         [](DockingTest& t, CFrameWnd* pFrame) {
             CRect rect = RightOf(t.Bar('A'));
             pFrame->DockControlBar(t.Bar('B'), kTop, &rect);
             pFrame->ShowControlBar(t.Bar('B'), FALSE, FALSE);
         },
         "AB|", "", 0},
        {"a floated bar leaves a placeholder in its row",
         [](DockingTest& t, CFrameWnd* pFrame) {
             CRect rect = RightOf(t.Bar('A'));
             pFrame->DockControlBar(t.Bar('B'), kTop, &rect);
             pFrame->FloatControlBar(t.Bar('A'), CPoint(300, 300));
         },
         "aB|", "", 1},
        {"toggling a floated bar docks it back into its placeholder",
         [](DockingTest& t, CFrameWnd* pFrame) {
             CRect rect = RightOf(t.Bar('A'));
             pFrame->DockControlBar(t.Bar('B'), kTop, &rect);
             pFrame->FloatControlBar(t.Bar('A'), CPoint(300, 300));
             t.Bar('A')->m_pDockContext->ToggleDocking();
         },
         "AB|", "", 0},
        {"a floated bar docked on another side leaves no placeholder behind",
         [](DockingTest& t, CFrameWnd* pFrame) {
             pFrame->FloatControlBar(t.Bar('A'), CPoint(300, 300));
             pFrame->DockControlBar(t.Bar('A'), kLeft);
         },
         "B|", "A|", 0},
        {"a bar moved to the left side leaves the top row for good",
         [](DockingTest& t, CFrameWnd* pFrame) { pFrame->DockControlBar(t.Bar('A'), kLeft); }, "B|", "A|", 0},
        {"a bar floated twice lives in one frame",
         [](DockingTest& t, CFrameWnd* pFrame) {
             pFrame->FloatControlBar(t.Bar('B'), CPoint(300, 300));
             pFrame->FloatControlBar(t.Bar('B'), CPoint(320, 320));
         },
         "A|b|", "", 1},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        AddBar('A');
        AddBar('B');
        m_pFrame->DockControlBar(Bar('A'), kTop);
        m_pFrame->DockControlBar(Bar('B'), kTop);
        c.act(*this, m_pFrame);
        PumpAndIdle();
        EXPECT_EQ(Rows(kTop), c.top);
        EXPECT_EQ(Rows(kLeft), c.left);
        EXPECT_EQ(FloatingFrames().size(), c.nFloatingFrames);
        for (CMiniDockFrameWnd* pFloating : FloatingFrames())
            EXPECT_TRUE(pFloating->IsWindowVisible());
    }
}

TEST_F(DockingTest, BarsLieSideBySideAndWrapWhenTheRowIsFull)
{
    // The frame's client area is 400 wide. Each bar is dropped over the right half of the one
    // before: it is pushed to that bar's end (borders overlapping). The third sticks out past the
    // end, pulled back only as far as its neighbour allows; the fourth would start past the end
    // and wraps to a second row.
    CRect rectWindow(0, 0, 400, 400);
    ::AdjustWindowRectEx(&rectWindow, m_pFrame->GetStyle(), FALSE, m_pFrame->GetExStyle());
    m_pFrame->SetWindowPos(nullptr, 0, 0, rectWindow.Width(), rectWindow.Height(), SWP_NOMOVE | SWP_NOZORDER);
    CRect rectClient;
    m_pFrame->GetClientRect(&rectClient);
    ASSERT_EQ(rectClient.Width(), 400);
    for (char c : {'A', 'B', 'C', 'D'})
    {
        AddBar(c, 150, 24);
        if (c == 'A')
            m_pFrame->DockControlBar(Bar(c), kTop);
        else
        {
            CRect rect = RightOf(Bar(static_cast<char>(c - 1)));
            m_pFrame->DockControlBar(Bar(c), kTop, &rect);
        }
    }
    PumpAndIdle();
    EXPECT_EQ(Rows(kTop), "ABC|D|");
    struct Expected
    {
        char cBar;
        CRect place;
    };
    const Expected expected[] = {
        {'A', CRect(0, 0, 150, 24)},
        {'B', CRect(148, 0, 298, 24)},
        {'C', CRect(296, 0, 446, 24)},
        {'D', CRect(0, 24, 150, 48)},
    };
    for (const Expected& e : expected)
        EXPECT_EQ(PlaceInDockBar(Bar(e.cBar)), e.place) << e.cBar;
    // The view gets what the two rows and the dock bar's border line leave.
    EXPECT_EQ(PaneRect().top, 48 + AFX_CY_BORDER);

    // A bar docked on the left lies across the height, below the top side.
    AddBar('E', 100, 30);
    m_pFrame->DockControlBar(Bar('E'), kLeft);
    PumpAndIdle();
    EXPECT_EQ(PlaceInDockBar(Bar('E')), CRect(0, 0, 30, 100));
    CRect rectLeft;
    Side(kLeft)->GetWindowRect(&rectLeft);
    m_pFrame->ScreenToClient(&rectLeft);
    EXPECT_EQ(rectLeft.top, 48 + AFX_CY_BORDER);
    EXPECT_EQ(PaneRect().left, 30 + AFX_CX_BORDER);
}

TEST_F(DockingTest, ALayoutQueryMovesNothingAndKeepsTheRows)
{
    AddBar('A', 300, 24);
    AddBar('B', 300, 24);
    m_pFrame->DockControlBar(Bar('A'), kTop);
    CRect rect = RightOf(Bar('A'));
    m_pFrame->DockControlBar(Bar('B'), kTop, &rect);
    PumpAndIdle();
    ASSERT_EQ(Rows(kTop), "AB|");
    const CRect placeA = PlaceInDockBar(Bar('A'));
    const CRect placeB = PlaceInDockBar(Bar('B'));
    const CRect pane = PaneRect();

    // A query narrower than one bar: B would start past its end and wrap, so the answer has two
    // rows, but only the answer: no window moves and the rows stay.
    CRect rectQuery(0, 0, 250, 400);
    m_pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rectQuery, &rectQuery);
    EXPECT_EQ(rectQuery.top, 48 + AFX_CY_BORDER);
    EXPECT_EQ(PlaceInDockBar(Bar('A')), placeA);
    EXPECT_EQ(PlaceInDockBar(Bar('B')), placeB);
    EXPECT_EQ(PaneRect(), pane);
    EXPECT_EQ(Rows(kTop), "AB|");
}

TEST_F(DockingTest, DelayedShowAndHideWaitForIdleTimeUndelayedOnesHappenAtOnce)
{
    struct Case
    {
        const char* name;
        BOOL bShow;
        BOOL bDelay;
        bool bVisibleAtOnce;
    };
    const Case cases[] = {
        {"delayed hide", FALSE, TRUE, true},
        {"hide", FALSE, FALSE, false},
        {"delayed show", TRUE, TRUE, false},
        {"show", TRUE, FALSE, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        AddBar('A', 120, 30);
        m_pFrame->DockControlBar(Bar('A'), kBottom);
        if (c.bShow)
            m_pFrame->ShowControlBar(Bar('A'), FALSE, FALSE);
        PumpAndIdle();
        const int nPaneBottomBefore = PaneRect().bottom;

        m_pFrame->ShowControlBar(Bar('A'), c.bShow, c.bDelay);
        EXPECT_EQ(Bar('A')->IsWindowVisible() != FALSE, c.bVisibleAtOnce);
        EXPECT_EQ(PaneRect().bottom == nPaneBottomBefore, c.bDelay != FALSE) << "the layout waits with the bar";
        PumpAndIdle();
        EXPECT_EQ(Bar('A')->IsWindowVisible() != FALSE, c.bShow != FALSE);
        EXPECT_EQ(PaneRect().bottom - nPaneBottomBefore, c.bShow ? -(30 + AFX_CY_BORDER) : 30 + AFX_CY_BORDER);
    }
}

TEST_F(DockingTest, BaseLayoutAnswersAreTheMinimumsDerivedBarsBuildOn)
{
    struct Case
    {
        BOOL bStretch;
        BOOL bHorz;
        CSize size;
    };
    const Case cases[] = {
        {FALSE, TRUE, CSize(0, 0)},
        {FALSE, FALSE, CSize(0, 0)},
        {TRUE, TRUE, CSize(32767, 0)},
        {TRUE, FALSE, CSize(0, 32767)},
    };
    CControlBar bar;
    for (const Case& c : cases)
    {
        EXPECT_EQ(bar.CalcFixedLayout(c.bStretch, c.bHorz), c.size) << c.bStretch << c.bHorz;
        DWORD dwMode = (c.bStretch ? LM_STRETCH : 0) | (c.bHorz ? LM_HORZ : 0);
        EXPECT_EQ(bar.CalcDynamicLayout(-1, dwMode), c.size);
    }
    // The style keeps only control-bar bits; the element array refuses what cannot be.
    bar.SetBarStyle(0xFFFFFFFF);
    EXPECT_EQ(bar.GetBarStyle(), static_cast<DWORD>(CBRS_ALL));
    EXPECT_FALSE(bar.AllocElements(-1, 4));
    EXPECT_FALSE(bar.AllocElements(0x7FFFFFFF, 0x7FFFFFFF));
    ASSERT_TRUE(bar.AllocElements(3, 8));
    EXPECT_EQ(bar.GetCount(), 3);
}

TEST_F(DockingTest, FloatingFrameFollowsItsOwnersActivationAndTakesTheBarsText)
{
    AddBar('A');
    m_pFrame->DockControlBar(Bar('A'), kTop);
    m_pFrame->FloatControlBar(Bar('A'), CPoint(200, 200));
    PumpAndIdle();
    ASSERT_EQ(FloatingFrames().size(), 1u);
    CMiniDockFrameWnd* pFloating = FloatingFrames().front();
    EXPECT_TRUE(pFloating->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE));
    CString strTitle;
    pFloating->GetWindowText(strTitle);
    EXPECT_EQ(strTitle, CString(L"A"));
    EXPECT_EQ(pFloating->m_wndDockBar.GetDlgCtrlID(), AFX_IDW_DOCKBAR_FLOAT);

    // A plain mini frame without the style does not claim to follow anyone.
    auto* pPalette = new CMiniFrameWnd;
    ASSERT_TRUE(pPalette->Create(nullptr, L"palette", WS_POPUP | WS_CAPTION, CRect(10, 10, 100, 100), m_pFrame));
    EXPECT_FALSE(pPalette->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE));
    pPalette->DestroyWindow();
}

} // namespace

namespace
{

// Records the command updates it is asked for.
class CUpdatingBar : public CPlainBar
{
public:
    CUpdatingBar() : CPlainBar(100, 24, RGB(90, 90, 90)) {}
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override
    {
        m_targets.push_back(pTarget);
        m_bLastDisable = bDisableIfNoHndler;
    }
    std::vector<CFrameWnd*> m_targets;
    BOOL m_bLastDisable = FALSE;
};

TEST_F(DockingTest, IdleTimeUpdatesVisibleBarsForTheirFrameAndHelpModeNamesTheBar)
{
    CUpdatingBar bar;
    ASSERT_TRUE(bar.Create(m_pFrame, 0xE820, L"updating"));
    bar.EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
    PumpAndIdle();
    ASSERT_FALSE(bar.m_targets.empty());
    EXPECT_EQ(bar.m_targets.back(), m_pFrame) << "the frame the bar belongs to, not its dock bar";
    EXPECT_TRUE(bar.m_bLastDisable);

    // Floating, it still updates for the frame it docks to.
    m_pFrame->FloatControlBar(&bar, CPoint(300, 300));
    bar.m_targets.clear();
    PumpAndIdle();
    ASSERT_FALSE(bar.m_targets.empty());
    EXPECT_EQ(bar.m_targets.back(), m_pFrame);

    // A hidden bar is not updated.
    m_pFrame->ShowControlBar(&bar, FALSE, FALSE);
    bar.m_targets.clear();
    PumpAndIdle();
    EXPECT_TRUE(bar.m_targets.empty());

    // Context help over the bar itself (no tool under the point) names the bar's control.
    EXPECT_EQ(static_cast<DWORD_PTR>(bar.SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(5, 5))), HID_BASE_CONTROL + 0xE820);
    bar.DestroyWindow();
}

} // namespace

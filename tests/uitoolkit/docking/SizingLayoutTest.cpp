// Sizing bars in their rows: the toolkit's dock bars, the size rules, the row fit, expanding.
#include "SizingFixture.h"

#include "framework/AfxDockBar.h"
#include "uitoolkit/bars/KTToolDockBar.h"
#include "uitoolkit/looks/KTVisualManagerXP.h"

namespace
{

const UINT kTop = AFX_IDW_DOCKBAR_TOP;
const UINT kBottom = AFX_IDW_DOCKBAR_BOTTOM;
const UINT kLeft = AFX_IDW_DOCKBAR_LEFT;
const UINT kRight = AFX_IDW_DOCKBAR_RIGHT;

} // namespace

TEST_F(SizingTest, TheFrameDocksOnTheToolkitsDockBarsAndKeepsThemWhenDockingIsEnabledAgain)
{
    std::vector<CControlBar*> before;
    for (UINT nID : {kTop, kBottom, kLeft, kRight})
    {
        CControlBar* pDockBar = m_pFrame->GetControlBar(nID);
        ASSERT_NE(pDockBar, nullptr);
        EXPECT_TRUE(pDockBar->IsKindOf(RUNTIME_CLASS(CKTToolDockBar))) << nID;
        before.push_back(pDockBar);
    }
    EnableFrameDocking(m_pFrame, CBRS_ALIGN_ANY);
    size_t i = 0;
    for (UINT nID : {kTop, kBottom, kLeft, kRight})
        EXPECT_EQ(m_pFrame->GetControlBar(nID), before[i++]) << "kept: " << nID;
    size_t nDockBars = 0;
    for (CControlBar* pBar : m_pFrame->m_listControlBars)
        nDockBars += pBar->IsDockBar();
    EXPECT_EQ(nDockBars, 4u);
    EXPECT_EQ(m_pFrame->m_pFloatingFrameClass, RUNTIME_CLASS(CKTMiniDockFrameWnd));
}

TEST_F(SizingTest, FixedLayoutFollowsTheSizeRules)
{
    struct Case
    {
        const char* name;
        UINT nSide;
        BOOL bStretch;
        CSize size; // horizontal or vertical size, by the side
        CSize sizeMin;
        CSize sizeMax;
        CSize expected;
    };
    const Case cases[] = {
        {"stretched along the top", kTop, TRUE, CSize(150, 90), CSize(33, 32), CSize(-1, -1), CSize(32767, 90)},
        {"stretched along the left", kLeft, TRUE, CSize(110, 150), CSize(33, 32), CSize(-1, -1), CSize(110, 32767)},
        {"the maximum limits the thickness only (left)", kLeft, FALSE, CSize(300, 200), CSize(33, 32), CSize(120, 150),
         CSize(120, 200)},
        {"the maximum limits the thickness only (top)", kTop, FALSE, CSize(300, 200), CSize(33, 32), CSize(120, 150),
         CSize(300, 150)},
        {"a maximum below 1 is none", kLeft, FALSE, CSize(300, 200), CSize(33, 32), CSize(0, 0), CSize(300, 200)},
        {"both raised to the minimum", kLeft, FALSE, CSize(10, 5), CSize(33, 32), CSize(-1, -1), CSize(33, 32)},
        {"a larger minimum", kTop, FALSE, CSize(50, 60), CSize(80, 70), CSize(-1, -1), CSize(80, 70)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        CTestSizingBar* pBar = AddBar('A');
        pBar->SetMinSize(c.sizeMin);
        pBar->SetMaxSize(c.sizeMax);
        DockRow(c.nSide, "A");
        const BOOL bHorz = c.nSide == kTop || c.nSide == kBottom;
        if (bHorz)
            pBar->SetHorzSize(c.size);
        else
            pBar->SetVertSize(c.size);
        EXPECT_EQ(pBar->CalcFixedLayout(c.bStretch, bHorz), c.expected);
    }
}

TEST_F(SizingTest, TheRowFitHandsTheDifferenceOutPixelByPixelDownToTheMinimum)
{
    struct Case
    {
        const char* name;
        int nFirst; // lengths asked for (vertical sizes' cy) before the fit
        int nSecond;
        int nSecondMin;
        BOOL bSecondJustShown;
        // Expected: the difference to the row length split as the fit splits it.
    };
    const Case cases[] = {
        {"growing: both take half", 100, 100, 32, FALSE},
        {"shrinking: both give half", 400, 300, 32, FALSE},
        {"shrinking stops at the minimum", 600, 60, 50, FALSE},
        {"a bar just shown keeps its length", 100, 140, 32, TRUE},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        AddBar('A');
        AddBar('B')->SetMinSize(CSize(33, c.nSecondMin));
        DockRow(kLeft, "AB");
        ASSERT_EQ(Rows(kLeft), "AB|");
        if (c.bSecondJustShown)
            m_pFrame->ShowControlBar(Bar('B'), FALSE, FALSE);
        Bar('A')->SetVertSize(CSize(150, c.nFirst));
        Bar('B')->SetVertSize(CSize(150, c.nSecond));
        if (c.bSecondJustShown)
            m_pFrame->ShowControlBar(Bar('B'), TRUE, FALSE);
        Layout();

        CRect rectRow;
        Side(kLeft)->GetClientRect(&rectRow);
        const int nLength = rectRow.Height() - 2;
        const int nDiff = nLength - c.nFirst - c.nSecond;
        int nFirst = c.nFirst;
        int nSecond = c.nSecond;
        if (c.bSecondJustShown)
            nFirst += nDiff;
        else if (nDiff < 0 && c.nSecond + nDiff / 2 < c.nSecondMin)
        {
            nSecond = c.nSecondMin;
            nFirst = nLength - nSecond;
        }
        else
        {
            // One pixel each in turn, the first bar first.
            nFirst += nDiff > 0 ? (nDiff + 1) / 2 : -((-nDiff + 1) / 2);
            nSecond = nLength - nFirst;
        }
        EXPECT_EQ(Bar('A')->GetVertSize().cy, nFirst);
        EXPECT_EQ(Bar('B')->GetVertSize().cy, nSecond);
        EXPECT_EQ(Place(Bar('A')).Height(), nFirst);
        EXPECT_EQ(Place(Bar('B')).top, Place(Bar('A')).bottom) << "side by side";
        EXPECT_EQ(Place(Bar('B')).Height(), nSecond);
        EXPECT_EQ(Place(Bar('A')).Width(), Place(Bar('B')).Width()) << "one thickness for the row";
    }
}

TEST_F(SizingTest, ABarWhoseRowCannotHoldTheMinimumsMovesToARowOfItsOwn)
{
    AddBar('A')->SetMinSize(CSize(33, 200));
    AddBar('B')->SetMinSize(CSize(33, 200));
    AddBar('C')->SetMinSize(CSize(33, 200));
    m_pFrame->DockControlBar(Bar('A'), kLeft);
    // Three in one row by hand: the dock bar holds them as one row.
    CDockBar* pLeft = Side(kLeft);
    pLeft->m_arrBars.RemoveAll();
    for (void* p : {static_cast<void*>(nullptr), static_cast<void*>(Bar('A')), static_cast<void*>(Bar('B')),
                    static_cast<void*>(Bar('C')), static_cast<void*>(nullptr)})
        pLeft->m_arrBars.Add(p);
    for (char c : {'B', 'C'})
    {
        Bar(c)->SetParent(pLeft);
        Bar(c)->m_pDockBar = pLeft;
        Bar(c)->SetBarStyle((Bar(c)->GetBarStyle() & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_LEFT);
    }
    Layout();
    // 3 x 200 do not fit in the frame's height: the first bar goes to a row after it, and the
    // two left fit.
    EXPECT_EQ(Rows(kLeft), "BC|A|");
    CRect rectRow;
    pLeft->GetClientRect(&rectRow);
    EXPECT_EQ(Bar('B')->GetVertSize().cy + Bar('C')->GetVertSize().cy, rectRow.Height() - 2);
    EXPECT_GE(Place(Bar('A')).left, Place(Bar('B')).right) << "a row further in";
}

TEST_F(SizingTest, ExpandingGivesTheRowToOneBarAndCollapsingGivesTheSizesBack)
{
    AddBar('A');
    AddBar('B');
    AddBar('C');
    DockRow(kTop, "ABC");
    ASSERT_EQ(Rows(kTop), "ABC|");
    const int nA = Bar('A')->GetHorzSize().cx;
    const int nB = Bar('B')->GetHorzSize().cx;
    const int nC = Bar('C')->GetHorzSize().cx;

    CString strTip;
    Bar('B')->GetToolTip().GetText(strTip, Bar('B'), CKTSizingControlBar::kExpandButton + 1);
    EXPECT_EQ(strTip, CString(L"Expand docked window"));
    Bar('B')->GetToolTip().GetText(strTip, Bar('B'), CKTSizingControlBar::kCloseButton + 1);
    EXPECT_EQ(strTip, CString(L"Hide docked window"));

    Bar('B')->ToggleExpand(TRUE);
    Layout();
    EXPECT_TRUE(Bar('B')->IsExpanded());
    Bar('B')->GetToolTip().GetText(strTip, Bar('B'), CKTSizingControlBar::kExpandButton + 1);
    EXPECT_EQ(strTip, CString(L"Contract docked window"));
    CRect rectRow;
    Side(kTop)->GetClientRect(&rectRow);
    EXPECT_EQ(Place(Bar('A')).Width(), 33);
    EXPECT_EQ(Place(Bar('C')).Width(), 33);
    EXPECT_EQ(Place(Bar('B')).Width(), rectRow.Width() - 2 * 33);

    // Another bar expanding takes the flag over.
    Bar('C')->ToggleExpand(TRUE);
    Layout();
    EXPECT_FALSE(Bar('B')->IsExpanded());
    EXPECT_TRUE(Bar('C')->IsExpanded());
    EXPECT_EQ(Place(Bar('B')).Width(), 33);

    Bar('C')->ToggleExpand(TRUE);
    Layout();
    EXPECT_FALSE(Bar('C')->IsExpanded());
    EXPECT_EQ(Bar('A')->GetHorzSize().cx + Bar('B')->GetHorzSize().cx + Bar('C')->GetHorzSize().cx, rectRow.Width());
    EXPECT_NEAR(Bar('A')->GetHorzSize().cx, nA, 2);
    EXPECT_NEAR(Bar('B')->GetHorzSize().cx, nB, 2);
    EXPECT_NEAR(Bar('C')->GetHorzSize().cx, nC, 2);
}

TEST_F(SizingTest, ABarAloneInItsRowOrFloatingDoesNotExpand)
{
    AddBar('A');
    AddBar('B');
    DockRow(kLeft, "A");
    EXPECT_TRUE(Bar('A')->IsAloneInRow());
    Bar('A')->ToggleExpand(TRUE);
    EXPECT_FALSE(Bar('A')->IsExpanded());

    m_pFrame->FloatControlBar(Bar('B'), CPoint(300, 300));
    Layout();
    Bar('B')->ToggleExpand(TRUE);
    EXPECT_FALSE(Bar('B')->IsExpanded());
}

TEST_F(SizingTest, DynamicLayoutKeepsTheFloatingSizeWithinItsLimits)
{
    CTestSizingBar* pBar = AddBar('A', CSize(200, 180));
    pBar->SetMinSize(CSize(60, 50));
    pBar->SetMaxSize(CSize(400, -1));
    struct Case
    {
        const char* name;
        int nLength;
        DWORD dwMode;
        CSize expected;
    };
    const Case cases[] = {
        {"a width", 250, LM_HORZ, CSize(250, 180)},
        {"a height", 300, LM_HORZ | LM_LENGTHY, CSize(250, 300)},
        {"below the minimum", 10, LM_HORZ, CSize(60, 300)},
        {"above the maximum", 900, LM_HORZ, CSize(400, 300)},
        {"the last width asked for stores nothing", 120, LM_HORZ | LM_MRUWIDTH, CSize(400, 300)},
        {"a commit stores nothing", 120, LM_HORZ | LM_COMMIT, CSize(400, 300)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(pBar->CalcDynamicLayout(c.nLength, c.dwMode), c.expected);
    }
}

TEST_F(SizingTest, BarsDockedOnEverySideLeaveThePaneTheMiddle)
{
    AddBar('A', CSize(160, 90));
    AddBar('B', CSize(160, 90));
    AddBar('C', CSize(120, 150));
    AddBar('D', CSize(120, 150));
    AddBar('E', CSize(120, 150));
    DockRow(kTop, "A");
    DockRow(kBottom, "B");
    DockRow(kLeft, "CD");
    DockRow(kRight, "E");
    SavePicture(L"sizing_bars_docked.bmp");
    // The same in the program's look.
    CKTVisualManager::SetDefaultManager(RUNTIME_CLASS(CKTVisualManagerXP));
    Bar('C')->ToggleExpand(TRUE);
    Layout();
    m_pFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpAndIdle();
    SavePicture(L"sizing_bars_docked_xp.bmp");
    Bar('C')->ToggleExpand(TRUE);
    CKTVisualManager::SetDefaultManager(nullptr);
    Layout();

    CRect rectClient;
    m_pFrame->GetClientRect(&rectClient);
    CRect rectPane;
    m_wndPane.GetWindowRect(&rectPane);
    m_pFrame->ScreenToClient(&rectPane);
    // Each dock bar adds its border line toward the pane.
    EXPECT_EQ(rectPane.top, 90 + 1);
    EXPECT_EQ(rectPane.bottom, rectClient.bottom - 90 - 1);
    EXPECT_EQ(rectPane.left, 120 + 1);
    EXPECT_EQ(rectPane.right, rectClient.right - 120 - 1);
    EXPECT_EQ(Place(Bar('C')).Height() + Place(Bar('D')).Height(), rectPane.Height() - 2) << "the row fills its side";
    // Captions: at the left of a bar docked at the top, at the top of one docked at the left.
    CRect rectWindow;
    CRect rectClientA;
    Bar('A')->GetWindowRect(&rectWindow);
    Bar('A')->GetClientRect(&rectClientA);
    Bar('A')->ClientToScreen(&rectClientA);
    EXPECT_GE(rectClientA.left - rectWindow.left, 5 + Bar('A')->GetCaptionHeight());
    Bar('C')->GetWindowRect(&rectWindow);
    CRect rectClientC;
    Bar('C')->GetClientRect(&rectClientC);
    Bar('C')->ClientToScreen(&rectClientC);
    EXPECT_GE(rectClientC.top - rectWindow.top, 5 + Bar('C')->GetCaptionHeight());
}

namespace
{

// A bar of one size that paints nothing of its own.
class CFixedBar : public CControlBar
{
public:
    explicit CFixedBar(CSize size) : m_size(size) {}
    CSize CalcFixedLayout(BOOL, BOOL bHorz) override { return bHorz ? m_size : CSize(m_size.cy, m_size.cx); }
    CSize m_size;
};

// The top dock bar, with the bars whose id is in the set taken for menu bars.
class CMenuRuleDockBar : public CKTToolDockBar
{
public:
    UINT m_nFullLengthID = 0;

protected:
    BOOL IsFullLengthBar(const CControlBar* pBar) const override
    {
        return pBar->m_hWnd != nullptr && static_cast<UINT>(pBar->GetDlgCtrlID()) == m_nFullLengthID;
    }
};

} // namespace

TEST_F(SizingTest, AMenuBarTakesTheWholeSideInARowOfItsOwn)
{
    // The frame's top dock bar replaced by one that knows bar M as its menu bar.
    CControlBar* pOld = m_pFrame->GetControlBar(kTop);
    ASSERT_NE(pOld, nullptr);
    m_pFrame->RemoveControlBar(pOld);
    pOld->m_pDockSite = nullptr;
    pOld->DestroyWindow();
    auto* pTop = new CMenuRuleDockBar;
    pTop->m_bAutoDelete = TRUE;
    pTop->m_nFullLengthID = 0xE850;
    ASSERT_TRUE(pTop->Create(m_pFrame, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP, kTop));
    pTop->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    std::vector<std::unique_ptr<CFixedBar>> bars;
    for (UINT nID : {0xE850u, 0xE851u})
    {
        bars.push_back(std::make_unique<CFixedBar>(CSize(120, 24)));
        ASSERT_TRUE(bars.back()->Create(AfxRegisterWndClass(0), L"", WS_CHILD | WS_VISIBLE | CBRS_TOP,
                                        CRect(0, 0, 0, 0), m_pFrame, nID));
        bars.back()->EnableDocking(CBRS_ALIGN_ANY);
    }
    m_pFrame->DockControlBar(bars[0].get(), kTop);
    CRect rect(130, 0, 250, 24);
    pTop->ClientToScreen(&rect);
    m_pFrame->DockControlBar(bars[1].get(), pTop, &rect);
    Layout();

    CRect rectTop;
    pTop->GetClientRect(&rectTop);
    CRect rectMenu = Place(bars[0].get());
    CRect rectOther = Place(bars[1].get());
    EXPECT_EQ(rectMenu, CRect(0, 0, rectTop.Width(), 24)) << "the whole length";
    EXPECT_GE(rectOther.top, rectMenu.bottom) << "the other bar in a row of its own below";
    EXPECT_EQ(rectOther.Width(), 120);
    m_pFrame->DestroyWindow(); // before the bars go
    m_pFrame = nullptr;
}

// Sizing bars under the display's mouse: edges dragged, drags cancelled, caption buttons, right
// clicks, and a right-to-left frame.
#include "SizingFixture.h"

#include "framework/AfxDockBar.h"
#include "uitoolkit/bars/KTBarPopupMessage.h"
#include "uitoolkit/looks/KTRegistry.h"

#include <algorithm>

namespace
{

const UINT kTop = AFX_IDW_DOCKBAR_TOP;
const UINT kLeft = AFX_IDW_DOCKBAR_LEFT;

POINT Offset(POINT pt, int dx, int dy)
{
    return {pt.x + dx, pt.y + dy};
}

// The edge drag's calls: it starts, draws and erases the tracker in pairs, and stops.
void ExpectTrackerPairs(const std::vector<std::string>& calls)
{
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front(), "start");
    EXPECT_EQ(calls.back(), "stop");
    const auto nTracker = std::count(calls.begin(), calls.end(), std::string("tracker"));
    EXPECT_GE(nTracker, 2);
    EXPECT_EQ(nTracker % 2, 0) << "every tracker drawn is erased";
    EXPECT_EQ(std::count(calls.begin(), calls.end(), std::string("start")), 1);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), std::string("stop")), 1);
}

int RegistryInt(const CString& path, const wchar_t* name, int nMissing = -12345)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return nMissing;
    DWORD dwValue = 0;
    DWORD cb = sizeof(dwValue);
    DWORD dwType = 0;
    LONG lResult = ::RegQueryValueExW(hKey, name, nullptr, &dwType, reinterpret_cast<BYTE*>(&dwValue), &cb);
    ::RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS ? static_cast<int>(dwValue) : nMissing;
}

} // namespace

TEST_F(SizingTest, TheEdgeBetweenTwoBarsDraggedToTheEndExpandsTheBarAndSavesItsKeptSize)
{
    AddBar('A');
    AddBar('B');
    DockRow(kLeft, "AB");
    ASSERT_EQ(Rows(kLeft), "AB|");
    const int nStartA = Bar('A')->GetVertSize().cy;
    POINT ptEdge;
    ASSERT_TRUE(FindHitPoint(Bar('A')->m_hWnd, HTBOTTOM, &ptEdge));
    CRect rectClient;
    m_pFrame->GetClientRect(&rectClient);
    m_pFrame->ClientToScreen(&rectClient);
    Bar('A')->m_calls.clear();

    UserInput input;
    input.MoveTo(ptEdge).LeftDown().Glide(ptEdge, {ptEdge.x, rectClient.bottom + 40}).LeftUp();
    Play(input);
    Layout();

    ExpectTrackerPairs(Bar('A')->m_calls);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_TRUE(Bar('A')->IsExpanded());
    EXPECT_FALSE(Bar('B')->IsExpanded());
    CRect rectRow;
    Side(kLeft)->GetClientRect(&rectRow);
    EXPECT_EQ(Place(Bar('B')).Height(), 32) << "the other bar at its minimum";
    EXPECT_EQ(Place(Bar('A')).Height(), rectRow.Height() - 2 - 32);

    Bar('A')->SaveState(L"DockingTest\\SizingBars");
    CString strKey;
    strKey.Format(L"DockingTest\\SizingBars-SCBar-%d", Bar('A')->GetDlgCtrlID());
    const CString path = GetRegistryPath(strKey);
    EXPECT_EQ(RegistryInt(path, L"Expanded"), 1);
    EXPECT_EQ(RegistryInt(path, L"sizeVertCY"), nStartA) << "the kept size, not the expanded one";
    EXPECT_EQ(RegistryInt(path, L"RolledFloat"), -12345) << "no roll-up state for a bar that never rolls";
    CKTRegistry(FALSE, FALSE).DeleteKey(GetRegistryPath(L"DockingTest"));

    // Contracting gives the row back as it was.
    Bar('A')->ToggleExpand(TRUE);
    Layout();
    EXPECT_FALSE(Bar('A')->IsExpanded());
    EXPECT_NEAR(Place(Bar('A')).Height(), nStartA, 1);
}

TEST_F(SizingTest, AThicknessDragStopsShortOfTheFreeClientArea)
{
    AddBar('A', CSize(150, 150));
    DockRow(kLeft, "A");
    CRect rectPane;
    m_wndPane.GetWindowRect(&rectPane);
    const int nStart = Bar('A')->GetVertSize().cx;
    POINT ptEdge;
    ASSERT_TRUE(FindHitPoint(Bar('A')->m_hWnd, HTRIGHT, &ptEdge));

    UserInput input;
    input.MoveTo(ptEdge).LeftDown().Glide(ptEdge, {rectPane.right + 60, ptEdge.y}).LeftUp();
    Play(input);
    Layout();

    ExpectTrackerPairs(Bar('A')->m_calls);
    EXPECT_EQ(Bar('A')->GetVertSize().cx, nStart + rectPane.Width() - 4);
    EXPECT_FALSE(Bar('A')->IsExpanded()) << "thickness never expands";
}

TEST_F(SizingTest, EscapeOrTheRightButtonCancelAnEdgeDrag)
{
    for (const char* how : {"escape", "right button"})
    {
        SCOPED_TRACE(how);
        TearDown();
        SetUp();
        AddBar('A');
        AddBar('B');
        DockRow(kTop, "AB");
        const CSize sizeA = Bar('A')->GetHorzSize();
        const CSize sizeB = Bar('B')->GetHorzSize();
        POINT ptEdge;
        ASSERT_TRUE(FindHitPoint(Bar('A')->m_hWnd, HTRIGHT, &ptEdge));

        UserInput input;
        input.MoveTo(ptEdge).LeftDown().Glide(ptEdge, Offset(ptEdge, 80, 0));
        if (std::string(how) == "escape")
            input.Key(VK_ESCAPE, true).Key(VK_ESCAPE, false);
        else
            input.RightDown().RightUp();
        input.Glide(Offset(ptEdge, 80, 0), Offset(ptEdge, 120, 0)).LeftUp();
        Play(input);
        Layout();

        ExpectTrackerPairs(Bar('A')->m_calls);
        EXPECT_EQ(Bar('A')->GetHorzSize(), sizeA);
        EXPECT_EQ(Bar('B')->GetHorzSize(), sizeB);
        EXPECT_FALSE(Bar('A')->IsTracking());
        EXPECT_EQ(::GetCapture(), nullptr);
        EXPECT_TRUE(m_pFrame->m_popupRequests.empty()) << "a right button that cancels asks for no menu";
    }
}

TEST_F(SizingTest, CaptionButtonsCloseAndExpandAsTheBarAllows)
{
    struct Case
    {
        const char* name;
        const char* row;
        int nButton;
        BOOL bCanBeClosed;
        BOOL bVisibleAfter;
        BOOL bExpandedAfter;
    };
    const Case cases[] = {
        {"close hides the bar", "AB", CKTSizingControlBar::kCloseButton, TRUE, FALSE, FALSE},
        {"close refused by the bar", "AB", CKTSizingControlBar::kCloseButton, FALSE, TRUE, FALSE},
        {"expand in a row of two", "AB", CKTSizingControlBar::kExpandButton, TRUE, TRUE, TRUE},
        {"expand is inactive for a bar alone", "A", CKTSizingControlBar::kExpandButton, TRUE, TRUE, FALSE},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        AddBar('A');
        AddBar('B');
        DockRow(kLeft, c.row);
        if (std::string(c.row) == "A")
            m_pFrame->ShowControlBar(Bar('B'), FALSE, FALSE);
        Bar('A')->m_bCanBeClosed = c.bCanBeClosed;
        CRect rectWindow;
        Bar('A')->GetWindowRect(&rectWindow);
        const CRect rectButton = Bar('A')->GetButton(c.nButton).GetRect();
        ASSERT_FALSE(rectButton.IsRectEmpty());
        const POINT pt = {rectWindow.left + rectButton.CenterPoint().x, rectWindow.top + rectButton.CenterPoint().y};
        EXPECT_EQ(::SendMessage(Bar('A')->m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)),
                  static_cast<LRESULT>(Bar('A')->GetButton(c.nButton).m_nHit));

        UserInput input;
        input.MoveTo(Offset(pt, -3, -3)).MoveTo(pt).LeftDown().LeftUp().MoveTo(Offset(pt, 200, 200));
        Play(input);
        Layout();

        EXPECT_EQ(Bar('A')->IsWindowVisible() != FALSE, c.bVisibleAfter != FALSE);
        EXPECT_EQ(Bar('A')->IsExpanded(), c.bExpandedAfter);
        EXPECT_EQ(::GetCapture(), nullptr) << "the button gave the mouse back";
        EXPECT_FALSE(Bar('A')->GetButton(c.nButton).m_bPushed);
    }
}

TEST_F(SizingTest, RightClicksReachTheFrameWithTheBarAndTheSignedScreenPoint)
{
    struct PackCase
    {
        int x;
        int y;
    };
    for (const PackCase& c :
         {PackCase{-300, 200}, PackCase{200, -40}, PackCase{-1, -1}, PackCase{32767, 0}, PackCase{-32768, 1024}})
    {
        const CPoint pt = KTUnpackScreenPoint(KTPackScreenPoint(CPoint(c.x, c.y)));
        EXPECT_EQ(pt.x, c.x);
        EXPECT_EQ(pt.y, c.y);
    }

    AddBar('A');
    AddBar('B');
    DockRow(kLeft, "A");
    m_pFrame->FloatControlBar(Bar('B'), CPoint(420, 260));
    Layout();
    CKTMiniDockFrameWnd* pFloating = FloatingFrameOf(Bar('B'));
    ASSERT_NE(pFloating, nullptr);
    CRect rectClient;
    Bar('A')->GetClientRect(&rectClient);
    Bar('A')->ClientToScreen(&rectClient);
    const POINT ptBar = {rectClient.CenterPoint().x, rectClient.CenterPoint().y};
    POINT ptCaption;
    ASSERT_TRUE(FindHitPoint(pFloating->m_hWnd, HTCAPTION, &ptCaption));
    ptCaption.x += 10;

    UserInput input;
    input.MoveTo(ptBar).RightDown().RightUp().MoveTo(ptCaption).RightDown().RightUp();
    Play(input);

    ASSERT_EQ(m_pFrame->m_popupRequests.size(), 2u);
    EXPECT_EQ(m_pFrame->m_popupRequests[0].hWndBar, Bar('A')->m_hWnd);
    EXPECT_EQ(m_pFrame->m_popupRequests[0].ptScreen, CPoint(ptBar));
    EXPECT_EQ(m_pFrame->m_popupRequests[1].hWndBar, pFloating->m_hWnd);
    EXPECT_EQ(m_pFrame->m_popupRequests[1].ptScreen, CPoint(ptCaption));
}

TEST_F(SizingTest, ARightToLeftFrameMirrorsTheEdgesAndTheDrag)
{
    m_pFrame->ModifyStyleEx(0, WS_EX_LAYOUTRTL);
    AddBar('A', CSize(150, 150));
    DockRow(kLeft, "A");
    CRect rectWindow;
    Bar('A')->GetWindowRect(&rectWindow);
    CRect rectFrame;
    m_pFrame->GetClientRect(&rectFrame);
    m_pFrame->ClientToScreen(&rectFrame);
    ASSERT_GT(rectWindow.left, rectFrame.CenterPoint().x) << "the left side is at the right";

    struct Case
    {
        int x;
        LRESULT nHit;
    };
    // The inner edge (the right one, in the bar's own terms) is on the screen's left.
    const Case cases[] = {{rectWindow.left + 2, HTRIGHT}, {rectWindow.right - 3, HTCLIENT}};
    for (const Case& c : cases)
    {
        const LRESULT nHit = Bar('A')->HitTestEdges(CPoint(c.x, rectWindow.CenterPoint().y));
        if (c.nHit == HTRIGHT)
            EXPECT_EQ(nHit, HTRIGHT) << c.x;
        else
            EXPECT_EQ(nHit, HTNOWHERE) << c.x;
    }

    const int nStart = Bar('A')->GetVertSize().cx;
    const POINT ptEdge = {rectWindow.left + 2, rectWindow.CenterPoint().y};
    UserInput input;
    input.MoveTo(ptEdge).LeftDown().Glide(ptEdge, Offset(ptEdge, -50, 0)).LeftUp();
    Play(input);
    Layout();
    ExpectTrackerPairs(Bar('A')->m_calls);
    EXPECT_EQ(Bar('A')->GetVertSize().cx, nStart + 50) << "dragged away from its side, it grows";
}

TEST_F(SizingTest, DraggingTheCaptionDocksOnTheSideTheOutlineMeetsAndFloatsElsewhere)
{
    struct Case
    {
        const char* name;
        int x; // in the frame's client area; negative from the right or bottom
        int y;
        bool bCtrl;
        UINT nSide; // 0: floats
        int dyMore; // further up or down: the outline keeps the caption's offset from its edge
    };
    const Case cases[] = {
        {"to the top edge", 300, 3, false, AFX_IDW_DOCKBAR_TOP, -20},
        {"to the bottom edge", 300, -3, false, AFX_IDW_DOCKBAR_BOTTOM, 0},
        {"to the right edge", -5, 250, false, AFX_IDW_DOCKBAR_RIGHT, 0},
        {"to the middle: floats", 350, 250, false, 0, 0},
        {"to the top edge with Ctrl held: floats", 300, 3, true, 0, -20},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        AddBar('A');
        DockRow(kLeft, "A");
        POINT ptCaption;
        ASSERT_TRUE(FindHitPoint(Bar('A')->m_hWnd, HTCAPTION, &ptCaption));
        ptCaption = Offset(ptCaption, 3, 2);
        ASSERT_EQ(::SendMessage(Bar('A')->m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(ptCaption.x, ptCaption.y)), HTCAPTION);
        CRect rectClient;
        m_pFrame->GetClientRect(&rectClient);
        POINT ptTarget = {c.x >= 0 ? c.x : rectClient.right + c.x, c.y >= 0 ? c.y : rectClient.bottom + c.y};
        ::ClientToScreen(m_pFrame->m_hWnd, &ptTarget);
        ptTarget.y += c.dyMore;

        UserInput input;
        input.MoveTo(ptCaption);
        if (c.bCtrl)
            input.DisplayKey("ctrl", true);
        input.LeftDown().Glide(ptCaption, ptTarget).LeftUp();
        if (c.bCtrl)
            input.DisplayKey("ctrl", false);
        Play(input);
        Layout();

        EXPECT_EQ(::GetCapture(), nullptr);
        if (c.nSide != 0)
        {
            EXPECT_EQ(Rows(c.nSide), "A|");
            EXPECT_EQ(Bar('A')->m_pDockBar, Side(c.nSide));
            EXPECT_EQ(Bar('A')->IsHorzDocked(), c.nSide == AFX_IDW_DOCKBAR_TOP || c.nSide == AFX_IDW_DOCKBAR_BOTTOM);
        }
        else
        {
            CKTMiniDockFrameWnd* pFloating = FloatingFrameOf(Bar('A'));
            ASSERT_NE(pFloating, nullptr);
            EXPECT_TRUE(pFloating->IsWindowVisible());
            EXPECT_TRUE(Bar('A')->IsFloating());
            EXPECT_EQ(Rows(kLeft), "a|") << "its place is kept for the way back";
        }
    }
}

TEST_F(SizingTest, ADoubleClickOnTheCaptionFloatsTheBarAndOneOnTheFrameDocksItBack)
{
    AddBar('A');
    AddBar('B');
    DockRow(kLeft, "AB");
    POINT ptCaption;
    ASSERT_TRUE(FindHitPoint(Bar('A')->m_hWnd, HTCAPTION, &ptCaption));
    ptCaption = Offset(ptCaption, 3, 2);

    UserInput input;
    input.MoveTo(ptCaption).LeftDown().LeftUp().LeftDown().LeftUp();
    Play(input);
    Layout();
    CKTMiniDockFrameWnd* pFloating = FloatingFrameOf(Bar('A'));
    ASSERT_NE(pFloating, nullptr);
    EXPECT_EQ(Rows(kLeft), "aB|");

    // Away from the frame's sides, so that the first click of the double click docks it nowhere.
    pFloating->SetWindowPos(nullptr, 300, 260, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpAndIdle();
    POINT ptFrameCaption;
    ASSERT_TRUE(FindHitPoint(pFloating->m_hWnd, HTCAPTION, &ptFrameCaption));
    ptFrameCaption = Offset(ptFrameCaption, 4, 3);
    UserInput back;
    back.MoveTo(ptFrameCaption).LeftDown().LeftUp().LeftDown().LeftUp();
    Play(back);
    Layout();
    // Back in B's row (the framework's docking puts it after B, which took the row meanwhile).
    EXPECT_TRUE(Rows(kLeft) == "AB|" || Rows(kLeft) == "BA|") << Rows(kLeft);
    EXPECT_FALSE(Bar('A')->IsFloating());
}

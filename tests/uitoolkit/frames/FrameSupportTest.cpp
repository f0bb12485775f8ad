// What every toolkit frame shares: the stored window position, user toolbars, tear-off bars, the
// dock-state check and docking beside a bar.
#include "tests/uitoolkit/frames/FramesFixture.h"

#include "framework/AfxDockState.h"
#include "uitoolkit/bars/KTFrameImpl.h"
#include "uitoolkit/bars/KTWorkspace.h"
#include "uitoolkit/looks/KTRegistry.h"

#include <string>

namespace
{

// A workspace that hands out one stored placement and records what it is told.
class CFakeWorkspace : public CKTWorkspace
{
public:
    CFakeWorkspace() { SetRegistryBase(L"Frames"); }
    BOOL LoadState(LPCTSTR, CKTFrameSupport*) override
    {
        m_nLoads++;
        return TRUE;
    }
    void OnClosingMainFrame(CKTFrameSupport*) override { m_nClosings++; }
    BOOL LoadWindowPlacement(CRect& rect, int& nFlags, int& nShowCmd) override
    {
        if (!m_bStored)
            return FALSE;
        rect = m_rectStored;
        nFlags = 0;
        nShowCmd = m_nShowStored;
        return TRUE;
    }
    BOOL StoreWindowPlacement(const CRect& rect, int, int nShowCmd) override
    {
        m_rectStored = rect;
        m_nShowStored = nShowCmd;
        m_bStored = TRUE;
        return TRUE;
    }

    BOOL m_bStored = FALSE;
    CRect m_rectStored;
    int m_nShowStored = SW_SHOWNORMAL;
    int m_nLoads = 0;
    int m_nClosings = 0;
};

CRect WorkArea()
{
    CRect rect;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rect, 0);
    return rect;
}

} // namespace

TEST(FrameSupportPositionTest, RestorePositionKeepsTheStoredSizeInsideTheWorkArea)
{
    const CRect work = WorkArea();
    const CRect rectDefault(10, 10, 310, 210);
    struct Case
    {
        const char* name;
        BOOL bStored;
        CRect stored;
        int nShowStored;
        int nAppShow;
        CRect expected;
        int nAppShowAfter;
    } cases[] = {
        {"nothing stored", FALSE, CRect(), 0, SW_SHOWNORMAL, rectDefault, SW_SHOWNORMAL},
        {"inside", TRUE, CRect(100, 80, 500, 380), SW_SHOWNORMAL, SW_SHOWNORMAL, CRect(100, 80, 500, 380),
         SW_SHOWNORMAL},
        {"maximized kept", TRUE, CRect(100, 80, 500, 380), SW_SHOWMAXIMIZED, SW_SHOWNORMAL, CRect(100, 80, 500, 380),
         SW_SHOWMAXIMIZED},
        {"minimized becomes normal", TRUE, CRect(100, 80, 500, 380), SW_SHOWMINIMIZED, SW_SHOWDEFAULT,
         CRect(100, 80, 500, 380), SW_SHOWNORMAL},
        {"minimized start kept", TRUE, CRect(100, 80, 500, 380), SW_SHOWMAXIMIZED, SW_SHOWMINNOACTIVE,
         CRect(100, 80, 500, 380), SW_SHOWMINNOACTIVE},
        {"minimize start kept", TRUE, CRect(100, 80, 500, 380), SW_SHOWNORMAL, SW_MINIMIZE, CRect(100, 80, 500, 380),
         SW_MINIMIZE},
        {"start without activation takes the stored show", TRUE, CRect(100, 80, 500, 380), SW_SHOWMAXIMIZED,
         SW_SHOWNA, CRect(100, 80, 500, 380), SW_SHOWMAXIMIZED},
        {"hanging over the left and top", TRUE, CRect(work.left - 50, work.top - 40, work.left + 350, work.top + 260),
         SW_SHOWNORMAL, SW_SHOWNORMAL, CRect(work.left, work.top, work.left + 400, work.top + 300), SW_SHOWNORMAL},
        {"on a monitor that is gone", TRUE, CRect(work.right + 100, 50, work.right + 500, 350), SW_SHOWNORMAL,
         SW_SHOWNORMAL, rectDefault, SW_SHOWNORMAL},
    };
    for (const Case& c : cases)
    {
        CFakeWorkspace workspace;
        workspace.m_bStored = c.bStored;
        workspace.m_rectStored = c.stored;
        workspace.m_nShowStored = c.nShowStored;
        TestApp().m_nCmdShow = c.nAppShow;
        CFrameWnd frame;
        CKTFrameSupport support(&frame);
        CREATESTRUCT cs{};
        cs.x = rectDefault.left;
        cs.y = rectDefault.top;
        cs.cx = rectDefault.Width();
        cs.cy = rectDefault.Height();
        support.RestorePosition(cs);
        EXPECT_EQ(c.expected, CRect(cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy)) << c.name;
        if (c.bStored)
        {
            EXPECT_EQ(c.nAppShowAfter, TestApp().m_nCmdShow) << c.name;
        }
    }
    TestApp().m_nCmdShow = SW_SHOWNORMAL;
}

TEST_F(FramesTest, ClosingTheFrameStoresItsPlacementAndDropsHiddenTearOffBars)
{
    CFakeWorkspace workspace;
    CKTFrameSupport& support = m_pFrame->GetFrameSupport();
    auto* pShown = new CKTToolBar;
    ASSERT_TRUE(pShown->Create(m_pFrame, CKTFrameSupport::kUserToolbarStyle, 0xE850));
    auto* pHidden = new CKTToolBar;
    ASSERT_TRUE(pHidden->Create(m_pFrame, CKTFrameSupport::kUserToolbarStyle & ~WS_VISIBLE, 0xE851));
    support.AddTearOffBar(pShown);
    support.AddTearOffBar(pHidden);

    m_pFrame->SetWindowPos(nullptr, 60, 50, 500, 400, SWP_NOZORDER);
    support.OnCloseFrame();
    EXPECT_EQ(1, workspace.m_nClosings);
    ASSERT_TRUE(workspace.m_bStored);
    EXPECT_EQ(CRect(60, 50, 560, 450), workspace.m_rectStored) << "in screen coordinates";
    EXPECT_EQ(SW_SHOWNORMAL, workspace.m_nShowStored);
    ASSERT_EQ(1, support.GetTearOffBars().GetCount());
    EXPECT_EQ(pShown, support.GetTearOffBars().GetHead());
}

TEST_F(FramesTest, UserToolbarsAreRefusedBeyondTheRangeAndIdsAreReused)
{
    CKTFrameSupport& support = m_pFrame->GetFrameSupport();
    support.EnableUserToolbars(L"SOFTWARE\\KestTests\\Frames\\", ID_FRAMES_USERBAR_FIRST, ID_FRAMES_USERBAR_LAST);
    std::vector<CKTToolBar*> bars;
    for (int i = 0; i < 10; i++)
    {
        CString strName;
        strName.Format(L"Mine %d", i + 1);
        CKTToolBar* pBar = reinterpret_cast<CKTToolBar*>(
            m_pFrame->SendMessage(KT_WM_CREATETOOLBAR, 0, reinterpret_cast<LPARAM>((LPCTSTR)strName)));
        ASSERT_NE(nullptr, pBar) << i;
        EXPECT_EQ(ID_FRAMES_USERBAR_FIRST + i, (UINT)pBar->GetDlgCtrlID());
        EXPECT_TRUE(pBar->IsFloating());
        EXPECT_TRUE(support.IsUserToolbar(pBar));
        bars.push_back(pBar);
    }
    EXPECT_FALSE(support.IsUserToolbar(&m_wndToolBar));
    TestApp().m_messageBoxes.clear();
    EXPECT_EQ(0, m_pFrame->SendMessage(KT_WM_CREATETOOLBAR, 0, reinterpret_cast<LPARAM>(L"One too many")));
    ASSERT_EQ(1u, TestApp().m_messageBoxes.size());
    EXPECT_EQ(std::wstring(L"You can't create more than 10 user-defined toolbars!"), TestApp().m_messageBoxes[0]);

    // The window menu's toolbar items take the bars' names; an item without a bar goes.
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, ID_FRAMES_OPEN, L"Open");
    menu.AppendMenu(MF_STRING, ID_FRAMES_USERBAR_FIRST, L"x");
    menu.AppendMenu(MF_STRING, ID_FRAMES_USERBAR_FIRST + 1, L"y");
    EXPECT_TRUE(m_pFrame->SendMessage(KT_WM_DELETETOOLBAR, 0, reinterpret_cast<LPARAM>(bars[0])));
    EXPECT_FALSE(m_pFrame->SendMessage(KT_WM_DELETETOOLBAR, 0, reinterpret_cast<LPARAM>(&m_wndToolBar)));
    support.SetUserToolbarMenuItems(menu.GetSafeHmenu(), ID_FRAMES_USERBAR_FIRST, ID_FRAMES_USERBAR_LAST);
    ASSERT_EQ(3, menu.GetMenuItemCount());
    CString strText;
    menu.GetMenuString(1, strText, MF_BYPOSITION);
    EXPECT_EQ(CString(L"Mine 2"), strText);
    menu.GetMenuString(2, strText, MF_BYPOSITION);
    EXPECT_EQ(CString(L"Mine 3"), strText);
    support.SetUserToolbarMenuItems(menu.GetSafeHmenu(), ID_FRAMES_USERBAR_FIRST, ID_FRAMES_USERBAR_FIRST + 1);
    EXPECT_EQ(3, menu.GetMenuItemCount());

    // The deleted first bar's id is the next one given.
    CKTToolBar* pNew = reinterpret_cast<CKTToolBar*>(
        m_pFrame->SendMessage(KT_WM_CREATETOOLBAR, 0, reinterpret_cast<LPARAM>(L"Again")));
    ASSERT_NE(nullptr, pNew);
    EXPECT_EQ((UINT)ID_FRAMES_USERBAR_FIRST, (UINT)pNew->GetDlgCtrlID());
}

TEST_F(FramesTest, TearOffBarsComeBackFromTheRegistryAndForeignStateEndsTheLoad)
{
    CFakeWorkspace workspace;
    const CString strKey = workspace.GetRegSectionPath(L"") + L"ControlBars-TearOff";
    CKTRegistry cleaner(FALSE, FALSE);
    for (int n = 0; n < 5; n++)
    {
        CString strBar;
        strBar.Format(L"%s-%d", (LPCTSTR)strKey, n);
        cleaner.DeleteKey(strBar);
    }
    CKTFrameSupport& support = m_pFrame->GetFrameSupport();
    for (int i = 0; i < 3; i++)
    {
        auto* pBar = new CKTToolBar;
        ASSERT_TRUE(pBar->Create(m_pFrame, CKTFrameSupport::kUserToolbarStyle, 0xE860 + i));
        CString strName;
        strName.Format(L"Torn %d", i);
        pBar->SetWindowText(strName);
        support.AddTearOffBar(pBar);
    }
    support.SaveTearOffBars();
    support.LoadTearOffBars();
    ASSERT_EQ(3, support.GetTearOffBars().GetCount());
    int i = 0;
    for (POSITION pos = support.GetTearOffBars().GetHeadPosition(); pos != nullptr; i++)
    {
        CControlBar* pBar = static_cast<CControlBar*>(support.GetTearOffBars().GetNext(pos));
        CString strName;
        pBar->GetWindowText(strName);
        CString strExpected;
        strExpected.Format(L"Torn %d", i);
        EXPECT_EQ(strExpected, strName);
        EXPECT_EQ(0xE860 + i, pBar->GetDlgCtrlID());
        EXPECT_TRUE(pBar->IsKindOf(RUNTIME_CLASS(CKTToolBar)));
    }

    // The second bar's state names a class that is no toolbar: loading stops before it.
    {
        CKTRegistry reg(FALSE, FALSE);
        ASSERT_TRUE(reg.CreateKey(strKey + L"-1"));
        CObList notABar;
        ASSERT_TRUE(reg.Write(L"State", &notABar));
    }
    support.LoadTearOffBars();
    EXPECT_EQ(1, support.GetTearOffBars().GetCount());
}

TEST_F(FramesTest, DockStateNamingAMissingDockedBarIsNotValid)
{
    CKTFrameSupport& support = m_pFrame->GetFrameSupport();
    CDockState state;
    EXPECT_TRUE(support.IsDockStateValid(state)) << "no bars";
    auto* pToolbarInfo = new CControlBarInfo;
    pToolbarInfo->m_nBarID = AFX_IDW_TOOLBAR;
    state.m_arrBarInfo.Add(pToolbarInfo);
    auto* pFloating = new CControlBarInfo;
    pFloating->m_nBarID = 0xE8F0;
    pFloating->m_bFloating = TRUE;
    state.m_arrBarInfo.Add(pFloating);
    EXPECT_TRUE(support.IsDockStateValid(state)) << "a floating record need not exist";
    auto* pGone = new CControlBarInfo;
    pGone->m_nBarID = 0xE8F1;
    state.m_arrBarInfo.Add(pGone);
    EXPECT_FALSE(support.IsDockStateValid(state));
}

TEST_F(FramesTest, DockControlBarLeftOfPutsTheBarOnTheSameRowAfterTheOther)
{
    CKTToolBar second;
    ASSERT_TRUE(second.Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR + 5));
    ASSERT_TRUE(second.LoadToolBar(IDR_FRAMES_TOOLBAR));
    second.EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBarLeftOf(&second, &m_wndToolBar);
    m_pFrame->RecalcLayout();
    Settle();
    CRect rectFirst, rectSecond;
    m_wndToolBar.GetWindowRect(&rectFirst);
    second.GetWindowRect(&rectSecond);
    EXPECT_EQ(rectFirst.top, rectSecond.top);
    EXPECT_GE(rectSecond.left, rectFirst.right - 2);
    second.DestroyWindow();
}

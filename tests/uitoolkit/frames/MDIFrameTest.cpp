// The toolkit's frame windows: the MDI client area without tabs, context help, the dock bars'
// right-click message, and the frame kinds the toolkit finds its hooks on.
#include "tests/uitoolkit/frames/FramesFixture.h"

#include "framework/AfxDockBar.h"
#include "uitoolkit/bars/KTFrameWnd.h"
#include "uitoolkit/bars/KTOleIPFrameWnd.h"

TEST_F(FramesTest, ClientAreaWithoutTabsFillsItsRectangleAndClosingChangesNoLayout)
{
    CKTMDIClientArea& client = m_pFrame->GetClientArea();
    ASSERT_EQ(m_pFrame->m_hWndMDIClient, client.GetSafeHwnd()) << "the MDI client is subclassed";
    EXPECT_FALSE(client.AreMDITabs());
    ASSERT_NE(nullptr, client.GetTabWnd().GetSafeHwnd());
    EXPECT_FALSE(client.GetTabWnd().IsWindowVisible());
    // The documents' tabs: a frame of their own, nothing erased, an inner frame, plain labels.
    EXPECT_TRUE(client.GetTabWnd().m_bFlatFrame);
    EXPECT_TRUE(client.GetTabWnd().m_bNoEraseBkgnd);
    EXPECT_TRUE(client.GetTabWnd().m_bInnerFrame);
    EXPECT_TRUE(client.GetTabWnd().GetDisplayFlag());

    CMDIChildWnd* pFirst = OpenDocument(L"Report 1");
    OpenDocument(L"Report 2");
    CRect rectBefore;
    client.GetWindowRect(&rectBefore);
    EXPECT_EQ(0, client.GetTabWnd().GetTabsNum());
    pFirst->MDIDestroy();
    Settle();
    CRect rectAfter;
    client.GetWindowRect(&rectAfter);
    EXPECT_EQ(rectBefore, rectAfter);
    EXPECT_FALSE(client.GetTabWnd().IsWindowVisible());
}

TEST_F(FramesTest, TabStripHidesWhenSingleAsSetAndActivateTabPicksTheDocument)
{
    CKTMDIClientArea& client = m_pFrame->GetClientArea();
    client.GetTabWnd().HideSingleTab(TRUE);
    client.EnableMDITabs(TRUE);
    CMDIChildWnd* pFirst = OpenDocument(L"Report 1");
    m_pFrame->RecalcLayout();
    Settle();
    ASSERT_EQ(1, client.GetTabWnd().GetTabsNum());
    EXPECT_FALSE(client.GetTabWnd().IsWindowVisible()) << "one document: no strip";
    CRect rectSingle;
    client.GetWindowRect(&rectSingle);

    CMDIChildWnd* pSecond = OpenDocument(L"Report 2");
    m_pFrame->RecalcLayout();
    Settle();
    ASSERT_EQ(2, client.GetTabWnd().GetTabsNum());
    EXPECT_TRUE(client.GetTabWnd().IsWindowVisible()) << "two documents: the strip shows";
    CRect rectTwo;
    client.GetWindowRect(&rectTwo);
    EXPECT_LT(rectTwo.Height(), rectSingle.Height()) << "the strip takes its room";
    SaveScreenshot(L"frames_mdi_tabs_two_documents.bmp");

    client.ActivateTab(pFirst->GetSafeHwnd());
    EXPECT_EQ(client.GetTabWnd().GetTabFromHwnd(pFirst->GetSafeHwnd()), client.GetTabWnd().GetActiveTab());
    client.ActivateTab(pSecond->GetSafeHwnd());
    EXPECT_EQ(client.GetTabWnd().GetTabFromHwnd(pSecond->GetSafeHwnd()), client.GetTabWnd().GetActiveTab());

    pSecond->MDIDestroy();
    Settle();
    EXPECT_FALSE(client.GetTabWnd().IsWindowVisible()) << "single again: hidden again";
}

TEST_F(FramesTest, ClosingTheFrameClosesTheObjectActiveInPlaceFirst)
{
    struct CClosingItem : COleClientItem
    {
        int m_nCloses = 0;
        BOOL m_bFrameAlive = FALSE;
        HWND m_hFrame = nullptr;
        void Close() override
        {
            m_nCloses++;
            m_bFrameAlive = ::IsWindow(m_hFrame);
        }
    } item;
    item.m_hFrame = m_hFrame;
    m_pFrame->m_pActiveItem = &item;
    // Not the application's main window: its close would end the test program.
    TestApp().m_pMainWnd = nullptr;
    m_pFrame->SendMessage(WM_CLOSE);
    PumpAndIdle();
    EXPECT_EQ(1, item.m_nCloses);
    EXPECT_TRUE(item.m_bFrameAlive) << "before the frame goes";
    EXPECT_FALSE(::IsWindow(m_hFrame));
}

TEST_F(FramesTest, WinHelpWithContextZeroDuringContextHelpOpensNoHelp)
{
    // Inside the help loop a WinHelp call with context 0 runs context help again: the frame stays
    // in help mode, and Escape ends the one loop.
    UserInput input;
    input.Pause(300)
        .Call([&] { m_pFrame->PostMessage(WM_COMMAND, CFramesMainFrame::kWinHelpProbeCommand); })
        .Pause(300)
        .Press(VK_ESCAPE);
    input.Start();
    m_pFrame->SendMessage(WM_COMMAND, ID_CONTEXT_HELP);
    input.Wait();
    Settle();
    EXPECT_EQ(1, m_pFrame->m_nHelpCalls);
    EXPECT_TRUE(m_pFrame->m_bHelpModeAfterWinHelp);
    EXPECT_FALSE(m_pFrame->IsContextHelpRunning());
    EXPECT_EQ((int)CFrameWnd::HELP_INACTIVE, m_pFrame->m_bHelpMode);
}

TEST_F(FramesTest, RightClickOnAnEmptyDockBarAsksTheFrameForTheBarsMenu)
{
    CControlBar* pDockBar = m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP);
    ASSERT_NE(nullptr, pDockBar);
    CRect rectDock, rectToolbar;
    pDockBar->GetWindowRect(&rectDock);
    m_wndToolBar.GetWindowRect(&rectToolbar);
    const POINT pt = {rectDock.right - 10, rectToolbar.CenterPoint().y};
    UserInput input;
    input.MoveTo(pt).RightDown().RightUp();
    Play(input);
    ASSERT_EQ(1u, m_pFrame->m_toolbarMenuRequests.size());
    EXPECT_EQ(pDockBar->GetSafeHwnd(), m_pFrame->m_toolbarMenuRequests[0]);
}

TEST(FrameKindsTest, EveryToolkitFrameKindOffersTheHooks)
{
    CKTMDIFrameWnd mdi;
    CKTFrameWnd sdi;
    CKTOleIPFrameWnd ip;
    CKTOleDocIPFrameWnd docIp;
    CFrameWnd plain;
    EXPECT_EQ(&mdi.GetFrameSupport(), KTGetFrameSupport(&mdi));
    EXPECT_EQ(&sdi.GetFrameSupport(), KTGetFrameSupport(&sdi));
    EXPECT_EQ(&ip.GetFrameSupport(), KTGetFrameSupport(&ip));
    EXPECT_EQ(&docIp.GetFrameSupport(), KTGetFrameSupport(&docIp));
    EXPECT_EQ(nullptr, KTGetFrameHooks(&plain));
    EXPECT_EQ(nullptr, KTGetFrameHooks(nullptr));
    for (CKTFrameHooks* pHooks : {KTGetFrameHooks(&mdi), KTGetFrameHooks(&sdi), KTGetFrameHooks(&ip)})
    {
        ASSERT_NE(nullptr, pHooks);
        EXPECT_TRUE(pHooks->OnShowPopupMenu(nullptr));
        EXPECT_TRUE(pHooks->OnTearOffMenu(nullptr, nullptr));
        EXPECT_FALSE(pHooks->OnMenuButtonToolHitTest(nullptr, nullptr));
    }
    for (const char* name : {"CKTMDIFrameWnd", "CKTFrameWnd", "CKTOleIPFrameWnd", "CKTOleDocIPFrameWnd"})
    {
        CRuntimeClass* pClass = CRuntimeClass::FromName(name);
        ASSERT_NE(nullptr, pClass) << name;
        std::unique_ptr<CObject> pObject(pClass->CreateObject());
        EXPECT_NE(nullptr, KTGetFrameHooks(static_cast<CWnd*>(pObject.get()))) << name;
    }
}

TEST(SingleDocumentFrameTest, MenuBarTakesTheMenuOfASingleDocumentFrame)
{
    auto* pFrame = new CKTFrameWnd;
    ASSERT_TRUE(pFrame->LoadFrame(IDR_FRAMES_MAIN, WS_OVERLAPPEDWINDOW));
    pFrame->EnableDocking(CBRS_ALIGN_ANY);
    CKTMenuBar menuBar;
    ASSERT_TRUE(menuBar.Create(pFrame));
    EXPECT_EQ(&menuBar, pFrame->GetMenuBar());
    EXPECT_EQ(nullptr, ::GetMenu(pFrame->GetSafeHwnd()));
    EXPECT_EQ(3, menuBar.GetCount());
    pFrame->ShowWindow(SW_SHOW);
    pFrame->DockControlBar(&menuBar);
    pFrame->RecalcLayout();
    PumpAndIdle();
    pFrame->OnUpdateFrameMenu(nullptr);
    EXPECT_EQ(nullptr, ::GetMenu(pFrame->GetSafeHwnd()));
    pFrame->DestroyWindow();
    PumpAndIdle();
}

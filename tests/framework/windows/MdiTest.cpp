// MDI children: opened, activated, listed in the window menu, closed.
#include "RoutingFixture.h"
#include "TestResource.h"

namespace {

class MdiTest : public RoutingFixture
{
protected:
    // The entries the MDI client keeps for its children at the end of the window menu.
    std::vector<std::wstring> WindowMenuEntries()
    {
        std::vector<std::wstring> entries;
        HMENU hWindowMenu = m_pMainFrame->GetWindowMenuPopup(::GetMenu(m_pMainFrame->m_hWnd));
        if (hWindowMenu == nullptr)
            return entries;
        int nCount = ::GetMenuItemCount(hWindowMenu);
        for (int i = 0; i < nCount; i++)
        {
            UINT nID = ::GetMenuItemID(hWindowMenu, i);
            if (nID < AFX_IDM_FIRST_MDICHILD || nID == (UINT)-1)
                continue;
            wchar_t text[128] = {};
            ::GetMenuString(hWindowMenu, i, text, 128, MF_BYPOSITION);
            entries.push_back(text);
        }
        return entries;
    }
};

TEST_F(MdiTest, ChildrenAreListedActivatedAndClosedWithTheirMenus)
{
    // Frames show their own title (FWS_ADDTOTITLE): the title is set on the frame, not its window.
    m_pChild->SetTitle(L"First");
    m_pChild->OnUpdateFrameTitle(TRUE);
    CMDIChildWnd* pSecond = OpenChild();
    ASSERT_NE(pSecond, nullptr);
    pSecond->SetTitle(L"Second");
    pSecond->OnUpdateFrameTitle(TRUE);
    PumpAndIdle();

    // The active child's shared menu is on the frame, and its window menu lists both children.
    EXPECT_EQ(m_pMainFrame->MDIGetActive(), pSecond);
    EXPECT_EQ(::GetMenu(m_pMainFrame->m_hWnd), m_pTemplate->m_hMenuShared);
    std::vector<std::wstring> entries = WindowMenuEntries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_NE(entries[0].find(L"First"), std::wstring::npos) << entries[0] << " / " << entries[1];
    EXPECT_NE(entries[1].find(L"Second"), std::wstring::npos) << entries[0] << " / " << entries[1];

    // Choosing the first entry of the window menu activates the first child.
    m_pMainFrame->SendMessage(WM_COMMAND, MAKEWPARAM(AFX_IDM_FIRST_MDICHILD, 0), 0);
    EXPECT_EQ(m_pMainFrame->MDIGetActive(), m_pChild);
    m_pMainFrame->MDIActivate(pSecond);
    EXPECT_EQ(m_pMainFrame->MDIGetActive(), pSecond);

    // Closing a child deletes it and takes it off the list.
    HWND hSecond = pSecond->m_hWnd;
    pSecond->SendMessage(WM_CLOSE);
    PumpAndIdle();
    EXPECT_FALSE(::IsWindow(hSecond));
    EXPECT_EQ(CWnd::FromHandlePermanent(hSecond), nullptr);
    EXPECT_EQ(m_pMainFrame->MDIGetActive(), m_pChild);
    entries = WindowMenuEntries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_NE(entries[0].find(L"First"), std::wstring::npos) << entries[0];

    // With the last child gone the frame's own menu comes back.
    m_pChild->SendMessage(WM_CLOSE);
    m_pChild = nullptr;
    PumpAndIdle();
    EXPECT_EQ(m_pMainFrame->MDIGetActive(), nullptr);
    EXPECT_EQ(::GetMenu(m_pMainFrame->m_hWnd), m_pMainFrame->m_hMenuDefault);
}

TEST_F(MdiTest, WindowCommandsAreDisabledWithoutChildren)
{
    CCmdUI state;
    CTestCmdUI test;
    test.m_nID = ID_WINDOW_CASCADE;
    m_pMainFrame->OnCmdMsg(ID_WINDOW_CASCADE, (int)CN_UPDATE_COMMAND_UI, &test, nullptr);
    EXPECT_TRUE(test.m_bEnabled);
    m_pChild->SendMessage(WM_CLOSE);
    m_pChild = nullptr;
    PumpAndIdle();
    CTestCmdUI afterClose;
    afterClose.m_nID = ID_WINDOW_CASCADE;
    m_pMainFrame->OnCmdMsg(ID_WINDOW_CASCADE, (int)CN_UPDATE_COMMAND_UI, &afterClose, nullptr);
    EXPECT_FALSE(afterClose.m_bEnabled);
}

} // namespace

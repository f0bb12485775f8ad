// Commands from menus and accelerators, their user-interface updates and idle-time work.
#include "RoutingFixture.h"
#include "TestResource.h"

namespace {

using Levels = std::vector<std::wstring>;

class CommandRoutingTest : public RoutingFixture {};

TEST_F(CommandRoutingTest, MenuCommandVisitsViewChildFrameMainFrameApplicationUntilOneTakesIt)
{
    struct Case
    {
        const wchar_t* acceptor;
        Levels expected;
    };
    const Case cases[] = {
        {nullptr, {L"view", L"child frame", L"main frame", L"application"}},
        {L"view", {L"view"}},
        {L"child frame", {L"view", L"child frame"}},
        {L"main frame", {L"view", L"child frame", L"main frame"}},
        {L"application", {L"view", L"child frame", L"main frame", L"application"}},
    };
    for (const Case& c : cases)
    {
        Probe().log.clear();
        Probe().accepting.clear();
        if (c.acceptor != nullptr)
            Probe().accepting.insert(c.acceptor);
        TestApp().m_bAcceptProbe = c.acceptor != nullptr && std::wstring(c.acceptor) == L"application";
        // A menu item arrives as WM_COMMAND without a control.
        m_pMainFrame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_PROBE, 0), 0);
        EXPECT_EQ(Probe().log, c.expected) << (c.acceptor != nullptr ? c.acceptor : L"nobody");
    }
}

TEST_F(CommandRoutingTest, AcceleratorOfTheActiveChildRoutesLikeTheMenu)
{
    CWnd* pView = m_pChild->GetActiveView();
    ASSERT_NE(pView, nullptr);
    // The key goes to the view; the child's accelerator table turns it into the command.
    pView->PostMessage(WM_KEYDOWN, VK_F7, 0x00410001);
    PumpAndIdle();
    EXPECT_EQ(Probe().log, (Levels{L"view", L"child frame", L"main frame", L"application"}));
}

TEST_F(CommandRoutingTest, CommandReachesTheViewOfTheActiveChildOnly)
{
    CMDIChildWnd* pSecond = OpenChild();
    ASSERT_NE(pSecond, nullptr);
    ASSERT_EQ(m_pMainFrame->MDIGetActive(), pSecond);
    Probe().accepting.insert(L"view");
    m_pMainFrame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_PROBE, 0), 0);
    EXPECT_EQ(Probe().log, (Levels{L"view"}));
    EXPECT_EQ(m_pMainFrame->GetActiveFrame(), pSecond);
}

class MenuUpdateTest : public RoutingFixture
{
protected:
    // Opens the child's Edit menu the way the system does: WM_INITMENUPOPUP to the frame.
    HMENU OpenEditMenu()
    {
        HMENU hMenuBar = ::GetMenu(m_pMainFrame->m_hWnd);
        HMENU hEdit = ::GetSubMenu(hMenuBar, 1);
        m_pMainFrame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hEdit), MAKELPARAM(1, FALSE));
        return hEdit;
    }
};

TEST_F(MenuUpdateTest, UpdateHandlersCheckDisableAndRenameItemsWhenTheMenuOpens)
{
    HMENU hEdit = OpenEditMenu();
    ASSERT_NE(hEdit, nullptr);
    EXPECT_TRUE(::GetMenuState(hEdit, ID_TEST_CHECKED, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(::GetMenuState(hEdit, ID_TEST_DISABLED, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(::GetMenuState(hEdit, ID_TEST_PROBE, MF_BYCOMMAND) & MF_GRAYED);
    wchar_t text[64] = {};
    ::GetMenuString(hEdit, ID_TEST_RENAMED, text, 64, MF_BYCOMMAND);
    EXPECT_STREQ(text, L"New name");

    MENUITEMINFO mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE | MIIM_STATE;
    ASSERT_TRUE(::GetMenuItemInfo(hEdit, ID_TEST_RADIO, FALSE, &mii));
    EXPECT_TRUE(mii.fType & MFT_RADIOCHECK);
    EXPECT_TRUE(mii.fState & MFS_CHECKED);
}

TEST_F(MenuUpdateTest, ItemWithoutHandlerIsDisabledOnlyWhileAutoMenuEnableIsOn)
{
    HMENU hEdit = OpenEditMenu();
    EXPECT_TRUE(::GetMenuState(hEdit, ID_TEST_NOHANDLER, MF_BYCOMMAND) & MF_GRAYED);

    m_pMainFrame->m_bAutoMenuEnable = FALSE;
    ::EnableMenuItem(hEdit, ID_TEST_NOHANDLER, MF_BYCOMMAND | MF_ENABLED);
    OpenEditMenu();
    EXPECT_FALSE(::GetMenuState(hEdit, ID_TEST_NOHANDLER, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(MenuUpdateTest, CommandItsUpdateHandlerDisablesIsNotCarriedOut)
{
    // From the menu and from the accelerator alike.
    m_pMainFrame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_REFUSED, 0), 0);
    m_pChild->GetActiveView()->PostMessage(WM_KEYDOWN, VK_F8, 0x00420001);
    PumpAndIdle();
    EXPECT_EQ(Probe().nRefusedRuns, 0);
}

// A control bar stand-in: takes a strip at the top of its frame and counts idle updates.
class CIdleProbeBar : public CWnd
{
public:
    int m_nIdleUpdates = 0;
    int m_nHeight = 24;

protected:
    LRESULT OnIdleUpdateCmdUI(WPARAM, LPARAM)
    {
        m_nIdleUpdates++;
        return 0;
    }
    LRESULT OnSizeParent(WPARAM, LPARAM lParam)
    {
        auto* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
        RECT rect = pLayout->rect;
        rect.bottom = rect.top + m_nHeight;
        pLayout->rect.top += m_nHeight;
        AfxRepositionWindow(pLayout, m_hWnd, &rect);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CIdleProbeBar, CWnd)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CIdleProbeBar::OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_SIZEPARENT, &CIdleProbeBar::OnSizeParent)
END_MESSAGE_MAP()

class IdleUpdateTest : public RoutingFixture {};

TEST_F(IdleUpdateTest, IdleTimeUpdatesBarsAndRunsTheDelayedLayout)
{
    CIdleProbeBar bar;
    ASSERT_TRUE(bar.Create(nullptr, L"bar", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), m_pMainFrame, AFX_IDW_TOOLBAR));
    m_pMainFrame->DelayRecalcLayout();
    RECT rectClient;
    ::GetWindowRect(m_pMainFrame->m_hWndMDIClient, &rectClient);
    m_pMainFrame->ScreenToClient(&rectClient);
    EXPECT_EQ(rectClient.top, 0) << "the layout waits for idle time";

    RunMessageLoopFor(200);

    EXPECT_GE(bar.m_nIdleUpdates, 1);
    ::GetWindowRect(m_pMainFrame->m_hWndMDIClient, &rectClient);
    m_pMainFrame->ScreenToClient(&rectClient);
    EXPECT_EQ(rectClient.top, 24);
    bar.DestroyWindow();
}

} // namespace

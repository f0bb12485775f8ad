// The menu bar of a toolkit MDI program: built from the frame's menus, switched with the active
// document, the maximised document's buttons, walked from the keyboard, and opened whole by a
// double click with personalised menus.
#include "tests/uitoolkit/frames/FramesFixture.h"

#include "uitoolkit/bars/KTPopupMenuBar.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/customize/KTCmdUsageCount.h"

namespace
{

std::vector<CString> Texts(std::initializer_list<const wchar_t*> list)
{
    std::vector<CString> texts;
    for (const wchar_t* p : list)
        texts.emplace_back(p);
    return texts;
}

} // namespace

TEST_F(FramesTest, MenuBarReplacesTheFrameMenuAndFollowsTheActiveDocument)
{
    EXPECT_EQ(nullptr, ::GetMenu(m_hFrame)) << "the window's own menu goes";
    EXPECT_EQ(&m_wndMenuBar, m_pFrame->GetMenuBar());
    EXPECT_EQ(Texts({L"&File", L"&Window", L"&Help"}), MenuBarTexts());
    EXPECT_TRUE(m_wndMenuBar.GetButton(0)->IsKindOf(RUNTIME_CLASS(CKTToolbarMenuButton)));
    EXPECT_FALSE(m_wndMenuBar.GetButton(2)->IsKindOf(RUNTIME_CLASS(CKTToolbarMenuButton)));
    EXPECT_EQ((UINT)ID_FRAMES_HELP, m_wndMenuBar.GetButton(2)->m_nID);
    CString strTitle;
    m_wndMenuBar.GetWindowText(strTitle);
    EXPECT_EQ(CString(L"Menu Bar"), strTitle);

    CMDIChildWnd* pChild = OpenDocument(L"Report 1");
    ASSERT_NE(nullptr, pChild);
    EXPECT_EQ(nullptr, ::GetMenu(m_hFrame));
    EXPECT_EQ(Texts({L"&File", L"&Edit", L"|", L"&Window", L"R&&D &Help"}), MenuBarTexts());
    EXPECT_EQ(m_pTemplate->m_hMenuShared, m_wndMenuBar.GetMenu());
    EXPECT_EQ(m_pFrame->GetWindowMenuPopup(m_wndMenuBar.GetMenu()), m_pFrame->GetWindowMenu());

    pChild->MDIDestroy();
    Settle();
    EXPECT_EQ(Texts({L"&File", L"&Window", L"&Help"}), MenuBarTexts());
    EXPECT_EQ(nullptr, ::GetMenu(m_hFrame));
}

TEST_F(FramesTest, TooltipOfAnItemIsItsMenuTextWithDoubledAmpersands)
{
    OpenDocument(L"Report 1");
    EXPECT_EQ(CString(L"R&&D &Help"), m_wndMenuBar.GetButtonToolTipText(ID_FRAMES_HELP));
    EXPECT_EQ(CString(L"&Copy"), m_wndMenuBar.GetButtonToolTipText(ID_FRAMES_COPY)) << "found in a submenu";
    EXPECT_EQ(CString(L"Open"), m_wndMenuBar.GetButtonToolTipText(ID_FRAMES_OPEN))
        << "not in the document menu: the command's own tooltip";
}

TEST_F(FramesTest, MaximisedDocumentPutsItsButtonsOnTheMenuBar)
{
    CMDIChildWnd* pChild = OpenDocument(L"Report 1");
    ASSERT_NE(nullptr, pChild);
    const int nItems = m_wndMenuBar.GetCount();
    pChild->MDIMaximize();
    Settle();
    ASSERT_TRUE(m_wndMenuBar.IsMaximizeMode());
    EXPECT_EQ(3, m_wndMenuBar.GetSystemButtonsCount());
    ASSERT_EQ(nItems + 4, m_wndMenuBar.GetCount()) << "system menu first, then minimise, restore, close";
    EXPECT_EQ((UINT)SC_MINIMIZE, m_wndMenuBar.GetButton(nItems + 1)->m_nID);
    EXPECT_EQ((UINT)SC_RESTORE, m_wndMenuBar.GetButton(nItems + 2)->m_nID);
    EXPECT_EQ((UINT)SC_CLOSE, m_wndMenuBar.GetButton(nItems + 3)->m_nID);
    EXPECT_FALSE(m_wndMenuBar.GetButton(nItems + 3)->m_nStyle & TBBS_DISABLED);

    // The window buttons sit at the far right, each of the window-button size, right to left.
    CRect rectClient;
    m_wndMenuBar.GetClientRect(&rectClient);
    CRect rectClose, rectRestore;
    m_wndMenuBar.GetItemRect(nItems + 3, &rectClose);
    m_wndMenuBar.GetItemRect(nItems + 2, &rectRestore);
    EXPECT_EQ(rectClient.right, rectClose.right);
    EXPECT_EQ(m_wndMenuBar.GetSystemButtonSize(), rectClose.Size());
    EXPECT_EQ(rectClose.left - 1, rectRestore.right);
    SaveScreenshot(L"frames_maximised_child_buttons.bmp");

    // Clicking restore brings the window back and the buttons go.
    UserInput input;
    input.ClickAt([&] { return ItemCentre(&m_wndMenuBar, nItems + 2); });
    Play(input);
    BOOL bMaximized = TRUE;
    m_pFrame->MDIGetActive(&bMaximized);
    EXPECT_FALSE(bMaximized);
    EXPECT_FALSE(m_wndMenuBar.IsMaximizeMode());
    EXPECT_EQ(nItems, m_wndMenuBar.GetCount());
}

TEST_F(FramesTest, MaximisedWindowWithoutMinimiseBoxGetsRestoreAndClose)
{
    CMDIChildWnd* pChild = OpenDocument(L"Report 1");
    ASSERT_NE(nullptr, pChild);
    pChild->ModifyStyle(WS_MINIMIZEBOX, 0);
    const int nItems = m_wndMenuBar.GetCount();
    pChild->MDIMaximize();
    Settle();
    ASSERT_TRUE(m_wndMenuBar.IsMaximizeMode());
    ASSERT_EQ(nItems + 3, m_wndMenuBar.GetCount());
    EXPECT_EQ((UINT)SC_RESTORE, m_wndMenuBar.GetButton(nItems + 1)->m_nID);
    EXPECT_EQ((UINT)SC_CLOSE, m_wndMenuBar.GetButton(nItems + 2)->m_nID);

    // The close button closes the document window.
    UserInput input;
    input.ClickAt([&] { return ItemCentre(&m_wndMenuBar, nItems + 2); });
    Play(input);
    EXPECT_EQ(nullptr, m_pFrame->MDIGetActive());
    EXPECT_FALSE(m_wndMenuBar.IsMaximizeMode());
    EXPECT_EQ(Texts({L"&File", L"&Window", L"&Help"}), MenuBarTexts());
}

TEST_F(FramesTest, AltGivesTheMenuBarTheKeysAndArrowsWrapAround)
{
    OpenDocument(L"Report 1");
    const int nLast = m_wndMenuBar.GetCount() - 1;
    struct Step
    {
        std::vector<WORD> keys;
        int iHot;           // expected hot item afterwards (-1 none)
        BOOL bMenuBarFocus; // the menu bar has the focus
    } steps[] = {
        {{VK_MENU}, 0, TRUE},
        {{VK_LEFT}, nLast, TRUE},        // Left on the first makes the last hot
        {{VK_RIGHT}, 0, TRUE},           // Right on the last makes the first hot
        {{VK_RIGHT, VK_RIGHT}, 3, TRUE}, // the separator is passed over
        {{VK_ESCAPE}, -1, FALSE},
    };
    for (const Step& step : steps)
    {
        UserInput input;
        for (WORD vk : step.keys)
            input.Press(vk);
        Play(input);
        CKTToolbarButton* pHot = m_wndMenuBar.GetHotButton();
        EXPECT_EQ(step.iHot, pHot != nullptr ? m_wndMenuBar.ButtonToIndex(pHot) : -1) << "after key " << step.keys[0];
        EXPECT_EQ(step.bMenuBarFocus, CWnd::GetFocus() == &m_wndMenuBar) << "after key " << step.keys[0];
    }
    EXPECT_TRUE(m_pFrame->m_commands.empty());
}

TEST_F(FramesTest, EnterOnACommandItemAndItsMnemonicRunItOnce)
{
    OpenDocument(L"Report 1");
    const int iHelp = m_wndMenuBar.GetCount() - 1;
    {
        UserInput input;
        input.Press(VK_MENU).Press(VK_LEFT).Press(VK_RETURN);
        Play(input);
        ASSERT_EQ(std::vector<UINT>{ID_FRAMES_HELP}, m_pFrame->m_commands);
        EXPECT_NE(CWnd::GetFocus(), &m_wndMenuBar);
        (void)iHelp;
    }
    m_pFrame->m_commands.clear();
    {
        UserInput input;
        input.Key(VK_MENU, true).Press('H').Key(VK_MENU, false);
        Play(input);
        EXPECT_EQ(std::vector<UINT>{ID_FRAMES_HELP}, m_pFrame->m_commands) << "Alt+H, the item's mnemonic";
    }
}

TEST_F(FramesTest, CtrlAcceleratorStillReachesTheFrame)
{
    UserInput input;
    input.Key(VK_CONTROL, true).Press('N').Key(VK_CONTROL, false);
    Play(input);
    EXPECT_EQ(std::vector<UINT>{ID_FRAMES_NEW}, m_pFrame->m_commands);
}

TEST_F(FramesTest, WithPersonalisedMenusADoubleClickOnATitleOpensItsMenuWhole)
{
    CList<UINT, UINT> basic;
    basic.AddTail(ID_FRAMES_NEW);
    CKTToolBar::SetBasicCommands(basic);
    CKTCmdUsageCount& usage = CKTToolBar::GetUsageCount();
    usage.Reset();
    for (int i = 0; i < 20; i++)
        usage.AddCmd(ID_FRAMES_HELP);
    const BOOL bRecentlyUsed = CKTToolBar::m_bRecentlyUsedMenus;
    CKTMenuBar::SetRecentlyUsedMenus(TRUE);
    // A menu expanded by an earlier test leaves the mode on until a context menu closes.
    CKTPopupMenuBar::m_bMenuBarShowAllCommands = FALSE;
    const auto openPopup = [] {
        CKTPopupMenu* pPopup = CKTPopupMenu::GetActiveMenu();
        return pPopup != nullptr && ::IsWindow(pPopup->GetSafeHwnd()) ? pPopup : nullptr;
    };

    // A click shows the commands in use; the second click of a double click, all of them.
    const struct
    {
        const char* name;
        int nClicks;
        std::vector<UINT> commands;
    } cases[] = {
        {"a click", 1, {ID_FRAMES_NEW, 0}},
        {"a double click", 2, {ID_FRAMES_NEW, ID_FRAMES_OPEN, 0, ID_FRAMES_EXIT}},
    };
    for (const auto& c : cases)
    {
        UserInput input;
        input.MoveTo(ItemCentre(&m_wndMenuBar, 0)).Pause(50);
        for (int i = 0; i < c.nClicks; i++)
            input.LeftDown().LeftUp();
        input.Pause(150);
        Play(input);
        CKTPopupMenu* pPopup = openPopup();
        ASSERT_NE(nullptr, pPopup) << c.name;
        EXPECT_EQ(c.commands, PopupCommands(pPopup)) << c.name;
        EXPECT_EQ(0, m_wndMenuBar.ButtonToIndex(m_wndMenuBar.GetHotButton())) << c.name;
        pPopup->SendMessage(WM_CLOSE);
        Settle();
        CKTPopupMenuBar::m_bMenuBarShowAllCommands = FALSE;
    }
    EXPECT_TRUE(m_pFrame->m_commands.empty());
    CKTMenuBar::SetRecentlyUsedMenus(bRecentlyUsed);
    usage.Reset();
}

TEST_F(FramesTest, DoubleClickOnAMaximisedDocumentsSystemMenuButtonClosesIt)
{
    CMDIChildWnd* pChild = OpenDocument(L"Report 1");
    ASSERT_NE(nullptr, pChild);
    pChild->MDIMaximize();
    Settle();
    ASSERT_TRUE(m_wndMenuBar.IsMaximizeMode());
    UserInput input;
    input.MoveTo(ItemCentre(&m_wndMenuBar, 0)).Pause(50).LeftDown().LeftUp().LeftDown().LeftUp().Pause(150);
    Play(input);
    EXPECT_EQ(nullptr, m_pFrame->MDIGetActive());
    EXPECT_FALSE(m_wndMenuBar.IsMaximizeMode());
    EXPECT_EQ(nullptr, CKTPopupMenu::GetActiveMenu()) << "no system menu left open";
    EXPECT_EQ(Texts({L"&File", L"&Window", L"&Help"}), MenuBarTexts());
}

TEST_F(FramesTest, RestingOnTheTitleOfAWholeMenuLeavesItAsItIs)
{
    UserInput input;
    input.MoveTo(ItemCentre(&m_wndMenuBar, 0)).Pause(50).LeftDown().LeftUp().Pause(100).Press(VK_DOWN).Pause(50);
    Play(input);
    CKTPopupMenu* pPopup = CKTPopupMenu::GetActiveMenu();
    ASSERT_NE(nullptr, pPopup);
    ASSERT_TRUE(pPopup->GetMenuBar()->AreAllCommandsShown());
    const int iHot = pPopup->GetMenuBar()->GetHighlightedIndex();
    ASSERT_GE(iHot, 0);

    // The personalised menus' timer fires while the pointer rests on the title: a menu that
    // shows every item already is not built again, and keeps its hot item.
    m_wndMenuBar.SendMessage(WM_TIMER, CKTMenuBar::kExpandTimer);
    Settle();
    ASSERT_EQ(pPopup, CKTPopupMenu::GetActiveMenu());
    EXPECT_EQ(iHot, pPopup->GetMenuBar()->GetHighlightedIndex());
    EXPECT_TRUE(pPopup->IsWindowVisible());
    pPopup->SendMessage(WM_CLOSE);
    Settle();
}

// A split menu button on a real toolbar with the display's mouse: its command part runs the
// command, its arrow part drops the menu, a second click closes it, an item chosen there runs.
#include "tests/uitoolkit/bars/ButtonsTestFrame.h"
#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTPopupMenuBar.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/customize/KTKeyHelper.h"
#include "uitoolkit/customize/KTKeyboardManager.h"

#include <memory>

namespace
{
class ToolbarMenuButtonWindowTest : public ButtonsWindowTest
{
protected:
    void SetUp() override
    {
        ButtonsWindowTest::SetUp();
        m_pBar = AddBar(CBRS_TOP);
        HMENU hMenu = ::CreatePopupMenu();
        ::AppendMenuW(hMenu, MF_STRING, ID_TEST_OPEN, L"&Open");
        ::AppendMenuW(hMenu, MF_STRING, ID_TEST_SAVE, L"&Save");
        m_iButton = m_pBar->InsertButton(new CKTToolbarMenuButton(ID_TEST_PASTE, hMenu, -1, L"Paste"));
        ::DestroyMenu(hMenu);
        ASSERT_GE(m_iButton, 0);
        Relayout();
    }

    CKTToolbarMenuButton* Button() const { return static_cast<CKTToolbarMenuButton*>(m_pBar->GetButton(m_iButton)); }

    POINT CommandPart() const
    {
        CRect rect = Button()->m_rect;
        m_pBar->ClientToScreen(&rect);
        return POINT{rect.left + 6, rect.CenterPoint().y};
    }

    POINT ArrowPart() const
    {
        CRect rect = Button()->m_rect;
        m_pBar->ClientToScreen(&rect);
        return POINT{rect.right - 4, rect.CenterPoint().y};
    }

    CKTToolBar* m_pBar = nullptr;
    int m_iButton = -1;
};
} // namespace

TEST_F(ToolbarMenuButtonWindowTest, TheCommandPartRunsTheCommandAndOpensNothing)
{
    EXPECT_TRUE(Button()->IsDrawDownArrow());
    EXPECT_TRUE(Button()->IsSplitButton());
    UserInput input;
    input.MoveTo(CommandPart()).Pause(50).LeftDown().Pause(50).LeftUp().Pause(150);
    Play(input);
    EXPECT_EQ(1u, m_pFrame->CommandsOf(ID_TEST_PASTE).size());
    EXPECT_FALSE(Button()->IsDroppedDown());
}

TEST_F(ToolbarMenuButtonWindowTest, TheArrowPartDropsTheMenuAndASecondClickClosesIt)
{
    {
        UserInput input;
        input.MoveTo(ArrowPart()).Pause(50).LeftDown().Pause(50).LeftUp().Pause(300);
        Play(input);
    }
    ASSERT_TRUE(Button()->IsDroppedDown());
    EXPECT_TRUE(Button()->IsClickedOnMenu());
    EXPECT_TRUE(m_pFrame->CommandsOf(ID_TEST_PASTE).empty()) << "the arrow runs no command";
    CKTPopupMenu* pPopup = Button()->m_pPopupMenu;
    ASSERT_TRUE(pPopup->GetSafeHwnd() != nullptr);
    EXPECT_EQ(Button(), pPopup->m_pParentBtn);
    EXPECT_EQ(CKTPopupMenu::DROP_DIRECTION_BOTTOM, pPopup->m_DropDirection);
    CRect rectPopup, rectButton = Button()->m_rect;
    pPopup->GetWindowRect(&rectPopup);
    m_pBar->ClientToScreen(&rectButton);
    EXPECT_EQ(rectButton.left, rectPopup.left);
    EXPECT_EQ(rectButton.bottom - 1, rectPopup.top);
    {
        ::CreateDirectoryW(L"screenshots", nullptr);
        RunMessageLoopFor(300);
        CRect rectShot;
        m_pFrame->GetWindowRect(&rectShot);
        EXPECT_TRUE(SaveScreenArea(L"screenshots\\toolbar_menubutton_open.bmp", rectShot));
    }
    const HWND hPopup = pPopup->GetSafeHwnd();
    {
        UserInput input;
        input.MoveTo(ArrowPart()).Pause(50).LeftDown().Pause(50).LeftUp().Pause(300);
        Play(input);
    }
    PumpUntil([&] { return !::IsWindow(hPopup); }, 2000);
    EXPECT_FALSE(::IsWindow(hPopup));
    EXPECT_FALSE(Button()->IsDroppedDown());
    EXPECT_TRUE(m_pFrame->CommandsOf(ID_TEST_PASTE).empty());
}

TEST_F(ToolbarMenuButtonWindowTest, AnItemChosenInTheMenuRunsItsCommand)
{
    {
        UserInput input;
        input.MoveTo(ArrowPart()).Pause(50).LeftDown().Pause(50).LeftUp().Pause(300);
        Play(input);
    }
    ASSERT_TRUE(Button()->IsDroppedDown());
    CKTPopupMenu* pPopup = Button()->m_pPopupMenu;
    const HWND hPopup = pPopup->GetSafeHwnd();
    CKTToolBar* pItems = pPopup->GetMenuBar();
    ASSERT_EQ(2, pItems->GetCount());
    CRect rectSave;
    pItems->GetItemRect(1, &rectSave);
    pItems->ClientToScreen(&rectSave);
    {
        UserInput input;
        input.MoveTo(rectSave.CenterPoint()).Pause(100).LeftDown().Pause(50).LeftUp().Pause(300);
        Play(input);
    }
    PumpUntil([&] { return !::IsWindow(hPopup); }, 2000);
    EXPECT_FALSE(::IsWindow(hPopup));
    EXPECT_EQ(1u, m_pFrame->CommandsOf(ID_TEST_SAVE).size());
    EXPECT_FALSE(Button()->IsDroppedDown());
}

TEST_F(ToolbarMenuButtonWindowTest, MenuItemsShowTheCurrentShortcut)
{
    ACCEL first[] = {{FVIRTKEY | FCONTROL, 'N', ID_TEST_OPEN}};
    ACCEL second[] = {{FVIRTKEY | FCONTROL | FSHIFT, 'O', ID_TEST_OPEN}};
    HACCEL hFirst = ::CreateAcceleratorTableW(first, 1);
    HACCEL hSecond = ::CreateAcceleratorTableW(second, 1);
    m_pFrame->m_hAccelTable = hFirst;
    CFrameWnd* pPreviousMain = CKTPopupMenu::m_pToolkitMainFrame;
    CKTPopupMenu::m_pToolkitMainFrame = m_pFrame;
    auto manager = std::make_unique<CKTKeyboardManager>();

    CKTPopupMenuBar menuBar;
    CKTToolbarMenuButton open(ID_TEST_OPEN, nullptr, -1, L"&Open\tOld");
    CKTToolbarMenuButton close(SC_CLOSE, nullptr, -1, L"&Close\tAlt+F4");
    open.OnChangeParentWnd(&menuBar);
    close.OnChangeParentWnd(&menuBar);
    CClientDC dc(m_pFrame);
    // The key names are the keyboard layout's.
    CString strFirst, strSecond;
    CKTKeyHelper(&first[0]).Format(strFirst);
    CKTKeyHelper(&second[0]).Format(strSecond);
    const struct
    {
        HACCEL hAccel;
        CString expected;
    } cases[] = {{hFirst, L"&Open\t" + strFirst}, {hSecond, L"&Open\t" + strSecond}, {nullptr, L"&Open"}};
    for (const auto& c : cases)
    {
        m_pFrame->m_hAccelTable = c.hAccel;
        open.OnCalculateSize(&dc, CSize(23, 22), TRUE);
        close.OnCalculateSize(&dc, CSize(23, 22), TRUE);
        EXPECT_STREQ(static_cast<LPCTSTR>(c.expected), open.m_strText);
        EXPECT_STREQ(L"&Close\tAlt+F4", close.m_strText) << "a system command keeps its text";
    }
    manager.reset();
    CKTKeyboardManager::CleanUp();
    CKTPopupMenu::m_pToolkitMainFrame = pPreviousMain;
    m_pFrame->m_hAccelTable = nullptr;
    ::DestroyAcceleratorTable(hFirst);
    ::DestroyAcceleratorTable(hSecond);
}

namespace
{
// A bar with a menu title "&Menu" (a menu of its own, no command) beside the split button.
class ToolbarMenuTitleTest : public ToolbarMenuButtonWindowTest
{
protected:
    void SetUp() override
    {
        ToolbarMenuButtonWindowTest::SetUp();
        HMENU hMenu = ::CreatePopupMenu();
        ::AppendMenuW(hMenu, MF_STRING, ID_TEST_CUT, L"&Cut");
        ::AppendMenuW(hMenu, MF_STRING, ID_TEST_PRINT, L"&Print");
        auto* pTitle = new CKTToolbarMenuButton(0, hMenu, -1, L"&Menu");
        ::DestroyMenu(hMenu);
        pTitle->m_bText = TRUE;
        pTitle->m_bImage = FALSE;
        m_iTitle = m_pBar->InsertButton(pTitle);
        ASSERT_GE(m_iTitle, 0);
        Relayout();
    }
    void TearDown() override
    {
        if (Title() != nullptr && Title()->IsDroppedDown())
            Title()->OnCancelMode();
        PumpAndIdle();
        ToolbarMenuButtonWindowTest::TearDown();
    }
    CKTToolbarMenuButton* Title() const
    {
        return m_pBar != nullptr ? static_cast<CKTToolbarMenuButton*>(m_pBar->GetButton(m_iTitle)) : nullptr;
    }

    int m_iTitle = -1;
};
} // namespace

TEST_F(ToolbarMenuTitleTest, ItsMnemonicOpensTheMenuAtOnceWithTheFirstItemChosen)
{
    const int nAnimation = CKTPopupMenu::GetAnimationType();
    CKTPopupMenu::SetAnimationType(CKTPopupMenu::ANIMATION_SLIDE);
    m_pBar->SetFocus();
    ASSERT_TRUE(m_pBar->TranslateChar('M'));
    EXPECT_EQ(static_cast<int>(CKTPopupMenu::ANIMATION_SLIDE), CKTPopupMenu::GetAnimationType()) << "set back";
    CKTPopupMenu::SetAnimationType(nAnimation);
    ASSERT_TRUE(Title()->IsDroppedDown());
    CKTPopupMenu* pPopup = Title()->m_pPopupMenu;
    PumpAndIdle();
    CKTToolbarButton* pChosen = pPopup->GetMenuBar()->GetHighlightedButton();
    ASSERT_NE(nullptr, pChosen);
    EXPECT_EQ(static_cast<UINT>(ID_TEST_CUT), pChosen->m_nID);
    EXPECT_EQ(Title(), m_pBar->GetHighlightedButton()) << "the title stays hot";

    // The keyboard focus moving into the bar's own menu leaves the title hot and the menu open.
    pPopup->SetFocus();
    PumpAndIdle();
    EXPECT_TRUE(Title()->IsDroppedDown());
    EXPECT_EQ(Title(), m_pBar->GetHighlightedButton());
    ::CreateDirectoryW(L"screenshots", nullptr);
    CRect rectShot;
    m_pFrame->GetWindowRect(&rectShot);
    EXPECT_TRUE(SaveScreenArea(L"screenshots\\toolbar_mnemonic_menu.bmp", rectShot));
}

TEST_F(ToolbarMenuTitleTest, AClickInHelpModeOpensTheMenuInsteadOfAskingHelp)
{
    const CPoint pt = Title()->m_rect.CenterPoint();
    EXPECT_EQ(-1, m_pBar->SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(pt.x, pt.y)));
    EXPECT_TRUE(Title()->IsDroppedDown());

    // A plain button still asks help for its command.
    CRect rectOpen;
    m_pBar->GetItemRect(0, &rectOpen);
    Title()->OnCancelMode();
    const LRESULT lResult =
        m_pBar->SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(rectOpen.CenterPoint().x, rectOpen.CenterPoint().y));
    EXPECT_EQ(static_cast<LRESULT>(0x10000 + ID_TEST_OPEN), lResult);
}

TEST_F(ToolbarMenuButtonWindowTest, CancellingTheOpenItemsClosesTheirSubmenusAndKeepsTheMenu)
{
    HMENU hSub = ::CreatePopupMenu();
    ::AppendMenuW(hSub, MF_STRING, ID_TEST_SAVE, L"&Save");
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuW(hMenu, MF_STRING, ID_TEST_OPEN, L"&Open");
    ::AppendMenuW(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hSub), L"&More");
    const int iButton = m_pBar->InsertButton(new CKTToolbarMenuButton(ID_TEST_PRINT, hMenu, -1, L"Print"));
    ::DestroyMenu(hMenu);
    ASSERT_GE(iButton, 0);
    Relayout();
    auto* pButton = static_cast<CKTToolbarMenuButton*>(m_pBar->GetButton(iButton));
    EXPECT_TRUE(pButton->CancelOpenItems()) << "with no menu open there is nothing to cancel";

    ASSERT_TRUE(pButton->OpenPopupMenu(m_pBar));
    PumpAndIdle();
    ASSERT_TRUE(pButton->IsDroppedDown());
    CKTPopupMenuBar* pItems = pButton->m_pPopupMenu->GetMenuBar();
    ASSERT_EQ(2, pItems->GetCount());
    auto* pMore = static_cast<CKTToolbarMenuButton*>(pItems->GetButton(1));
    ASSERT_TRUE(pMore->OpenPopupMenu(pItems));
    PumpAndIdle();
    ASSERT_TRUE(pMore->IsDroppedDown());
    const HWND hSubmenu = pMore->m_pPopupMenu->GetSafeHwnd();
    const HWND hMenuWnd = pButton->m_pPopupMenu->GetSafeHwnd();

    EXPECT_TRUE(pButton->CancelOpenItems());
    PumpUntil([&] { return !::IsWindow(hSubmenu); }, 2000);
    EXPECT_FALSE(::IsWindow(hSubmenu)) << "the submenu closes";
    EXPECT_FALSE(pMore->IsDroppedDown());
    EXPECT_TRUE(::IsWindow(hMenuWnd)) << "the menu itself stays";
    EXPECT_TRUE(pButton->IsDroppedDown());
    pButton->OnCancelMode();
    PumpUntil([&] { return !::IsWindow(hMenuWnd); }, 2000);
}

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

// The menu bar and its popups over a toolkit MDI frame as a user meets them: help mode on a menu
// title, the menu bar floating in its own frame (which must not close it), the window popup with
// a submenu, and what the popups ask of the frame (tips and images).
#include "tests/uitoolkit/frames/FramesFixture.h"

#include "uitoolkit/bars/KTMiniDockFrameWnd.h"
#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTPopupMenuBar.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"

namespace
{

POINT ButtonCentre(CKTToolBar* pBar, UINT uiCmd)
{
    CRect rect = pBar->GetButton(pBar->CommandToIndex(uiCmd))->m_rect;
    pBar->ClientToScreen(&rect);
    return rect.CenterPoint();
}

class MenuBarMendsTest : public FramesTest
{
protected:
    void TearDown() override
    {
        for (int i = 0; i < 5 && CKTPopupMenu::GetActiveMenu() != nullptr; i++)
        {
            CKTPopupMenu* pActive = CKTPopupMenu::GetActiveMenu();
            if (pActive->GetSafeHwnd() != nullptr)
                pActive->SendMessage(WM_CLOSE);
            Settle();
        }
        FramesTest::TearDown();
    }
};

} // namespace

TEST_F(MenuBarMendsTest, HelpModeOnAMenuTitleOpensTheMenuAndHelpComesForTheItemChosen)
{
    ASSERT_EQ(CString(L"&File"), m_wndMenuBar.GetButton(0)->m_strText);
    const POINT ptTitle = ItemCentre(&m_wndMenuBar, 0);
    UserInput input;
    // Each step waits for what the user would see first: on the slower 32-bit program help mode
    // and the menu come late, and a click made before them lands elsewhere.
    CFramesMainFrame* pFrame = m_pFrame;
    auto waitFor = [](auto condition) {
        for (int i = 0; i < 400 && !condition(); i++)
            ::Sleep(25);
    };
    input.Call([pFrame] { pFrame->PostMessage(WM_COMMAND, ID_CONTEXT_HELP); });
    input.Call([pFrame, waitFor] { waitFor([pFrame] { return pFrame->m_bHelpMode == CFrameWnd::HELP_ACTIVE; }); });
    input.Pause(100);
    input.MoveTo(ptTitle).Pause(100).LeftDown().LeftUp();
    input.Call([waitFor] { waitFor([] { return CKTPopupMenu::GetActiveMenu() != nullptr; }); }).Pause(300);
    CKTPopupMenu* pSeen = nullptr;
    int nHelpCallsWithMenuOpen = -1;
    // The test thread runs the help loop meanwhile: the input thread looks up the item itself.
    input.ClickAt([&]() -> POINT {
        pSeen = CKTPopupMenu::GetActiveMenu();
        nHelpCallsWithMenuOpen = m_pFrame->m_nHelpCalls;
        if (pSeen == nullptr)
            return ptTitle;
        CKTPopupMenuBar* pBar = pSeen->GetMenuBar();
        CRect rect = pBar->GetButton(pBar->CommandToIndex(ID_FRAMES_OPEN))->m_rect;
        pBar->ClientToScreen(&rect);
        return rect.CenterPoint();
    });
    input.Pause(300).Press(VK_ESCAPE).Pause(100);
    Play(input);
    ASSERT_NE(nullptr, pSeen) << "the click on the title opened its menu";
    EXPECT_EQ(0, nHelpCallsWithMenuOpen) << "no help for the title (context 0xFFFF)";
    EXPECT_EQ(1, m_pFrame->m_nHelpCalls);
    EXPECT_EQ(static_cast<DWORD_PTR>(0x10000 + ID_FRAMES_OPEN), m_pFrame->m_lastHelpData);
}

TEST_F(MenuBarMendsTest, FloatingMenuBarCannotBeClosedFromItsCaption)
{
    m_pFrame->FloatControlBar(&m_wndMenuBar, CPoint(200, 320));
    m_pFrame->FloatControlBar(&m_wndToolBar, CPoint(420, 320));
    Settle();
    CFrameWnd* pMenuFrame = m_wndMenuBar.GetParentFrame();
    CFrameWnd* pToolFrame = m_wndToolBar.GetParentFrame();
    ASSERT_TRUE(pMenuFrame != nullptr && pMenuFrame->IsKindOf(RUNTIME_CLASS(CKTMiniDockFrameWnd)));
    ASSERT_TRUE(pToolFrame != nullptr && pToolFrame->IsKindOf(RUNTIME_CLASS(CKTMiniDockFrameWnd)));
    EXPECT_EQ(m_hFrame, ::GetWindow(pMenuFrame->GetSafeHwnd(), GW_OWNER)) << "it stays above the main window";

    HMENU hSysMenu = ::GetSystemMenu(pMenuFrame->GetSafeHwnd(), FALSE);
    ASSERT_NE(nullptr, hSysMenu);
    EXPECT_NE(0u, ::GetMenuState(hSysMenu, SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);
    for (UINT uiCmd : {SC_RESTORE, SC_MINIMIZE, SC_MAXIMIZE})
        EXPECT_EQ(static_cast<UINT>(-1), ::GetMenuState(hSysMenu, uiCmd, MF_BYCOMMAND)) << uiCmd;
    HMENU hToolSysMenu = ::GetSystemMenu(pToolFrame->GetSafeHwnd(), FALSE);
    EXPECT_EQ(0u, ::GetMenuState(hToolSysMenu, SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);

    // The caption's close button, then the system command and the close message.
    auto closeButton = [](CWnd* pWnd) {
        CRect rect;
        pWnd->GetWindowRect(&rect);
        const int cxFrame = ::GetSystemMetrics((pWnd->GetStyle() & WS_THICKFRAME) ? SM_CXFRAME : SM_CXDLGFRAME);
        const int cyFrame = ::GetSystemMetrics((pWnd->GetStyle() & WS_THICKFRAME) ? SM_CYFRAME : SM_CYDLGFRAME);
        return CPoint(rect.right - cxFrame - ::GetSystemMetrics(SM_CXSMSIZE) / 2 - 1,
                      rect.top + cyFrame + ::GetSystemMetrics(SM_CYSMCAPTION) / 2);
    };
    SaveScreenshot(L"frames_floating_menu_bar.bmp");
    {
        UserInput input;
        const CPoint pt = closeButton(pMenuFrame);
        input.MoveTo(pt).Pause(100).LeftDown().Pause(50).LeftUp().Pause(200);
        Play(input);
    }
    pMenuFrame->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    pMenuFrame->SendMessage(WM_CLOSE);
    Settle();
    EXPECT_TRUE(m_wndMenuBar.IsWindowVisible()) << "the menu bar would be gone for good";
    EXPECT_TRUE(pMenuFrame->IsWindowVisible());

    // A toolbar closes from its caption.
    {
        UserInput input;
        const CPoint pt = closeButton(pToolFrame);
        input.MoveTo(pt).Pause(100).LeftDown().Pause(50).LeftUp().Pause(200);
        Play(input);
    }
    EXPECT_FALSE(m_wndToolBar.IsWindowVisible());
}

TEST_F(MenuBarMendsTest, WindowPopupWithASubmenuListsTheDocumentsOnceAfterTheSubmenuCloses)
{
    OpenDocument(L"Report 1");
    OpenDocument(L"Report 2");
    HMENU hMenu = ::CreatePopupMenu();
    HMENU hArrange = ::CreatePopupMenu();
    ::AppendMenuW(hArrange, MF_STRING, ID_FRAMES_LEAF, L"&Leaf");
    ::AppendMenuW(hMenu, MF_STRING, ID_WINDOW_CASCADE, L"&Cascade");
    ::AppendMenuW(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hArrange), L"&Arrange");
    auto* pPopup = new CKTPopupMenu;
    ASSERT_TRUE(pPopup->Create(m_pFrame, 120, 120, hMenu, FALSE, TRUE));
    Settle();
    const std::vector<UINT> expected = {ID_WINDOW_CASCADE, (UINT)-1, 0, 0xFF00, 0xFF01};
    ASSERT_EQ(expected, PopupCommands(pPopup));

    // Down to the submenu, open it with Right, close it with Escape: the window popup stays.
    UserInput input;
    input.Press(VK_DOWN).Pause(50).Press(VK_DOWN).Pause(50).Press(VK_RIGHT).Pause(200);
    Play(input);
    CKTPopupMenu* pSubmenu = CKTPopupMenu::GetActiveMenu();
    ASSERT_NE(pSubmenu, pPopup);
    ASSERT_NE(nullptr, pSubmenu);
    EXPECT_EQ(std::vector<UINT>{ID_FRAMES_LEAF}, PopupCommands(pSubmenu));
    UserInput escape;
    escape.Press(VK_ESCAPE).Pause(200);
    Play(escape);
    ASSERT_EQ(pPopup, CKTPopupMenu::GetActiveMenu());
    EXPECT_EQ(expected, PopupCommands(pPopup));
}

TEST_F(MenuBarMendsTest, MenuItemsShowNoTipOfTheirOwnTextAndAskTheFrameForTipsAndImages)
{
    const POINT ptTitle = ItemCentre(&m_wndMenuBar, 0);
    UserInput input;
    input.MoveTo(ptTitle).Pause(100).LeftDown().LeftUp().Pause(300);
    Play(input);
    CKTPopupMenu* pPopup = CKTPopupMenu::GetActiveMenu();
    ASSERT_NE(nullptr, pPopup) << "the click opened the File menu";
    EXPECT_GT(m_pFrame->m_nMenuImageRequests, 0) << "items without an image ask the frame to draw one";
    CKTPopupMenuBar* pBar = pPopup->GetMenuBar();
    CPoint ptItem = ButtonCentre(pBar, ID_FRAMES_OPEN);
    pBar->ScreenToClient(&ptItem);
    TOOLINFO ti = {};
    ti.cbSize = sizeof(ti);
    EXPECT_EQ(-1, pBar->OnToolHitTest(ptItem, &ti)) << "no tip repeating the item's text";
    EXPECT_EQ(1, m_pFrame->m_nMenuToolHitTests);
}

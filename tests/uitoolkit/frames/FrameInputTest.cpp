// Keys and clicks that the frame support sees before the frame translates them: hosted controls
// in toolbars keep their keys, a minimised frame drops them, customize mode refuses commands, and
// toolbar mnemonics answer the frame's menu-character question.
#include "tests/uitoolkit/frames/FramesFixture.h"

#include "framework/AfxDockBar.h"
#include "uitoolkit/bars/KTFrameImpl.h"
#include "uitoolkit/bars/KTToolbarEditBoxButton.h"

TEST_F(FramesTest, AHostedEditKeepsTheFramesAcceleratorKeys)
{
    CKTToolbarEditBoxButton editButton(ID_FRAMES_OPEN, -1, ES_AUTOHSCROLL, 80);
    ASSERT_EQ(1, m_wndToolBar.ReplaceButton(ID_FRAMES_OPEN, editButton));
    m_pFrame->RecalcLayout();
    Settle();
    const int iEdit = m_wndToolBar.CommandToIndex(ID_FRAMES_OPEN);
    CKTToolbarButton* pButton = m_wndToolBar.GetButton(iEdit);
    ASSERT_NE(nullptr, pButton);
    ASSERT_NE(nullptr, pButton->GetHwnd());
    ::SetFocus(pButton->GetHwnd());
    Settle();
    ASSERT_TRUE(pButton->HasFocus());

    UserInput input;
    input.Key(VK_CONTROL, true).Press('N').Key(VK_CONTROL, false).Type(L"ab");
    Play(input);
    EXPECT_TRUE(m_pFrame->m_commands.empty()) << "Ctrl+N stays with the edit";
    wchar_t szText[32] = {};
    ::GetWindowTextW(pButton->GetHwnd(), szText, 32);
    EXPECT_STREQ(L"ab", szText);

    // Back on the frame, the accelerator runs its command.
    m_pFrame->SetFocus();
    Settle();
    UserInput again;
    again.Key(VK_CONTROL, true).Press('N').Key(VK_CONTROL, false);
    Play(again);
    EXPECT_EQ(std::vector<UINT>{ID_FRAMES_NEW}, m_pFrame->m_commands);
}

TEST_F(FramesTest, MinimisedFrameDropsKeysAndCustomizeModeRefusesCommands)
{
    CKTFrameSupport& support = m_pFrame->GetFrameSupport();
    m_pFrame->ShowWindow(SW_MINIMIZE);
    Settle();
    EXPECT_TRUE(support.ProcessKeyDown('N'));
    m_pFrame->ShowWindow(SW_RESTORE);
    Settle();
    EXPECT_FALSE(support.ProcessKeyDown('N'));

    CKTToolBar::m_bCustomizeMode = TRUE;
    EXPECT_FALSE(m_pFrame->SendMessage(WM_COMMAND, ID_FRAMES_OPEN));
    EXPECT_FALSE(support.ProcessKeyDown('N'));
    CKTToolBar::m_bCustomizeMode = FALSE;
    EXPECT_TRUE(m_pFrame->m_commands.empty());
    m_pFrame->SendMessage(WM_COMMAND, ID_FRAMES_OPEN);
    EXPECT_EQ(std::vector<UINT>{ID_FRAMES_OPEN}, m_pFrame->m_commands);
}

TEST_F(FramesTest, MenuCharacterOfAToolbarButtonRunsItAndClosesTheSystemMenu)
{
    // The toolbar's buttons have no text: only the menu bar's mnemonics answer.
    EXPECT_EQ(static_cast<LRESULT>(0xFFFF0002), m_pFrame->SendMessage(WM_MENUCHAR, MAKEWPARAM('H', MF_POPUP), 0));
    Settle();
    EXPECT_EQ(std::vector<UINT>{ID_FRAMES_HELP}, m_pFrame->m_commands);
    EXPECT_NE(static_cast<LRESULT>(0xFFFF0002), m_pFrame->SendMessage(WM_MENUCHAR, MAKEWPARAM('Q', MF_POPUP), 0));
}

TEST_F(FramesTest, DockedToolbarButtonsAndMenuBarCommandsReachTheFrame)
{
    // Docked, a bar's parent is a dock bar; its commands still go to the frame.
    ASSERT_TRUE(m_wndToolBar.GetParent()->IsKindOf(RUNTIME_CLASS(CDockBar)));
    UserInput input;
    input.ClickAt([&] { return ItemCentre(&m_wndToolBar, 1); });
    Play(input);
    EXPECT_EQ(std::vector<UINT>{ID_FRAMES_OPEN}, m_pFrame->m_commands);
}

// Popup menus over a toolkit MDI frame: the window popup lists the document windows, and the
// frame support routes keys and clicks while a popup is open (shadow, outside clicks, Alt, Ctrl
// accelerators).
#include "tests/uitoolkit/frames/FramesFixture.h"

#include "uitoolkit/bars/KTFrameImpl.h"
#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTPopupMenuBar.h"

namespace
{

HMENU MakeWindowMenu()
{
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuW(hMenu, MF_STRING, ID_WINDOW_CASCADE, L"&Cascade");
    ::AppendMenuW(hMenu, MF_STRING, ID_WINDOW_TILE_HORZ, L"&Tile");
    return hMenu;
}

HMENU MakeEditMenu()
{
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuW(hMenu, MF_STRING, ID_FRAMES_COPY, L"&Copy");
    ::AppendMenuW(hMenu, MF_STRING, ID_FRAMES_LEAF, L"&Leaf");
    return hMenu;
}

} // namespace

class PopupFrameTest : public FramesTest
{
protected:
    void TearDown() override
    {
        CKTPopupMenu* pActive = CKTPopupMenu::GetActiveMenu();
        if (pActive != nullptr && pActive->GetSafeHwnd() != nullptr)
            pActive->SendMessage(WM_CLOSE);
        Settle();
        FramesTest::TearDown();
    }

    CKTPopupMenu* OpenPopup(HMENU hMenu, int x = 120, int y = 120)
    {
        auto* pPopup = new CKTPopupMenu;
        if (!pPopup->Create(m_pFrame, x, y, hMenu, FALSE, TRUE))
            return nullptr;
        Settle();
        return pPopup;
    }
};

TEST_F(PopupFrameTest, WindowPopupListsTenDocumentsWithoutMoreWindowsAndEndsWithTheWindowsItem)
{
    m_pFrame->EnableWindowsDialog(ID_FRAMES_WINDOWS, L"&Windows...", FALSE);
    CMDIChildWnd* pFirst = nullptr;
    for (int i = 0; i < 10; i++)
    {
        CString strTitle;
        strTitle.Format(L"Report %d", i + 1);
        CMDIChildWnd* pChild = OpenDocument(strTitle);
        ASSERT_NE(nullptr, pChild);
        if (pFirst == nullptr)
            pFirst = pChild;
    }
    // The active document among the nine listed shows checked.
    m_pFrame->MDIActivate(pFirst);
    Settle();
    CKTPopupMenu* pPopup = OpenPopup(MakeWindowMenu());
    ASSERT_NE(nullptr, pPopup);
    std::vector<UINT> expected = {ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ, 0};
    for (UINT i = 0; i < 9; i++)
        expected.push_back(0xFF00 + i);
    expected.push_back(ID_FRAMES_WINDOWS);
    EXPECT_EQ(expected, PopupCommands(pPopup));
    CKTPopupMenuBar* pBar = pPopup->GetMenuBar();
    int nChecked = 0;
    for (int i = 3; i < 12; i++)
        nChecked += (pBar->GetButton(i)->m_nStyle & TBBS_CHECKED) != 0 ? 1 : 0;
    EXPECT_EQ(1, nChecked) << "the active document is checked";
    EXPECT_EQ(CString(L"&Windows..."), pBar->GetButton(12)->m_strText);
    SaveScreenshot(L"frames_window_menu_ten_documents.bmp");
}

TEST_F(PopupFrameTest, FewDocumentsListNoWindowsItemAndOtherPopupsNoDocuments)
{
    m_pFrame->EnableWindowsDialog(ID_FRAMES_WINDOWS, L"&Windows...", FALSE);
    OpenDocument(L"Report 1");
    OpenDocument(L"Report 2");
    CKTPopupMenu* pPopup = OpenPopup(MakeWindowMenu());
    ASSERT_NE(nullptr, pPopup);
    EXPECT_EQ((std::vector<UINT>{ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ, 0, 0xFF00, 0xFF01}), PopupCommands(pPopup));
    pPopup->SendMessage(WM_CLOSE);
    Settle();

    CKTPopupMenu* pEdit = OpenPopup(MakeEditMenu());
    ASSERT_NE(nullptr, pEdit);
    EXPECT_EQ((std::vector<UINT>{ID_FRAMES_COPY, ID_FRAMES_LEAF}), PopupCommands(pEdit));
}

TEST_F(PopupFrameTest, RefusingFrameKeepsThePopupClosed)
{
    m_pFrame->m_bRefusePopups = TRUE;
    OpenPopup(MakeEditMenu());
    EXPECT_EQ(nullptr, CKTPopupMenu::GetActiveMenu());
}

TEST_F(PopupFrameTest, WhileAPopupIsOpenCtrlAcceleratorsDoNothingAndAltClosesIt)
{
    CMDIChildWnd* pChild = OpenDocument(L"Report 1");
    ASSERT_NE(nullptr, pChild);
    CKTPopupMenu* pPopup = OpenPopup(MakeEditMenu());
    ASSERT_NE(nullptr, pPopup);
    ASSERT_EQ(pPopup, CKTFrameSupport::GetActivePopupMenu());
    {
        UserInput input;
        input.Key(VK_CONTROL, true).Press('N').Key(VK_CONTROL, false);
        Play(input);
    }
    EXPECT_TRUE(m_pFrame->m_commands.empty());
    EXPECT_NE(nullptr, CKTPopupMenu::GetActiveMenu());
    {
        UserInput input;
        input.Press(VK_MENU);
        Play(input);
    }
    EXPECT_EQ(nullptr, CKTPopupMenu::GetActiveMenu());
    EXPECT_TRUE(m_pFrame->m_commands.empty());
}

TEST_F(PopupFrameTest, ClickOnTheShadowClosesThePopupAndFocusesTheFrame)
{
    CKTPopupMenu* pPopup = OpenPopup(MakeEditMenu(), 200, 150);
    ASSERT_NE(nullptr, pPopup);
    SaveScreenshot(L"frames_popup_over_frame.bmp");
    if (pPopup->GetShadowSize() <= 0)
        GTEST_SKIP() << "no menu shadow on this screen";
    CRect rect;
    pPopup->GetWindowRect(&rect);
    const POINT ptShadow = {rect.right - pPopup->GetShadowSize() / 2 - 1, rect.CenterPoint().y};
    ASSERT_EQ(CKTPopupMenu::MENU_AREA_SHADOW_RIGHT, pPopup->HitTest(ptShadow));
    UserInput input;
    input.MoveTo(ptShadow).LeftDown().LeftUp();
    Play(input);
    EXPECT_EQ(nullptr, CKTPopupMenu::GetActiveMenu());
    const HWND hFocus = ::GetFocus();
    EXPECT_TRUE(hFocus == m_hFrame || ::IsChild(m_hFrame, hFocus)) << "the frame (or its active view) has the focus";
}

TEST_F(PopupFrameTest, ClickOnAnotherWindowClosesThePopupAndTheClickArrives)
{
    CKTPopupMenu* pPopup = OpenPopup(MakeEditMenu(), 300, 200);
    ASSERT_NE(nullptr, pPopup);
    UserInput input;
    input.ClickAt([&] { return ItemCentre(&m_wndToolBar, 1); });
    Play(input);
    EXPECT_EQ(nullptr, CKTPopupMenu::GetActiveMenu());
    EXPECT_EQ(std::vector<UINT>{ID_FRAMES_OPEN}, m_pFrame->m_commands);
}

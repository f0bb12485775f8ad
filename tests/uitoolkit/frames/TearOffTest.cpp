// Popup menus torn off into floating bars: the caption offered under a button with a tear-off id,
// the bar made from the menu's items, refused or accepted by the frame, and stored with the
// frame's tear-off bars.
#include "tests/uitoolkit/frames/FramesFixture.h"

#include "uitoolkit/bars/KTFrameImpl.h"
#include "uitoolkit/bars/KTMenuStore.h"
#include "uitoolkit/bars/KTMiniDockFrameWnd.h"
#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTPopupMenuBar.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/looks/KTUIGlobals.h"

#include <cwchar>

namespace
{

const UINT kTearOffFirst = 0xE900;

HMENU MakeTearOffMenu()
{
    HMENU hMenu = ::CreatePopupMenu();
    HMENU hSub = ::CreatePopupMenu();
    ::AppendMenuW(hSub, MF_STRING, ID_FRAMES_LEAF, L"&Leaf");
    ::AppendMenuW(hMenu, MF_STRING, ID_FRAMES_COPY, L"&Copy\tCtrl+C");
    ::AppendMenuW(hMenu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hSub), L"&More");
    ::AppendMenuW(hMenu, MF_STRING, ID_FILE_MRU_FIRST, L"&1 recent.kest");
    ::AppendMenuW(hMenu, MF_STRING, 0xF060, L"Close window");
    ::AppendMenuW(hMenu, MF_SEPARATOR, 0, nullptr);
    return hMenu;
}

} // namespace

class TearOffTest : public FramesTest
{
protected:
    void SetUp() override
    {
        FramesTest::SetUp();
        m_pButton = new CKTToolbarMenuButton((UINT)-1, m_hMenu, -1, L"&Edit");
        m_pButton->SetTearOff(kTearOffFirst);
        ASSERT_GE(m_wndToolBar.InsertButton(m_pButton), 0);
        m_wndToolBar.AdjustLayout();
        m_pFrame->RecalcLayout();
        Settle();
    }
    void TearDown() override
    {
        CKTPopupMenu* pActive = CKTPopupMenu::GetActiveMenu();
        if (pActive != nullptr && pActive->GetSafeHwnd() != nullptr)
            pActive->SendMessage(WM_CLOSE);
        Settle();
        FramesTest::TearDown();
        ::DestroyMenu(m_hMenu);
    }
    CKTPopupMenu* Open()
    {
        if (!m_pButton->OpenPopupMenu())
            return nullptr;
        Settle();
        return m_pButton->m_pPopupMenu;
    }

    HMENU m_hMenu = MakeTearOffMenu();
    CKTToolbarMenuButton* m_pButton = nullptr;
};

TEST_F(TearOffTest, DraggingTheCaptionOffTheMenuMakesAFloatingBarOfItsItems)
{
    CKTPopupMenu* pPopup = Open();
    ASSERT_NE(nullptr, pPopup);
    const CRect rectCaption = pPopup->GetTearOffCaptionRect();
    ASSERT_FALSE(rectCaption.IsRectEmpty()) << "a menu with a tear-off id offers its caption";
    EXPECT_EQ(10, rectCaption.Height());
    CRect rectBar;
    pPopup->GetMenuBar()->GetWindowRect(&rectBar);
    pPopup->ScreenToClient(&rectBar);
    EXPECT_GE(rectBar.top, rectCaption.bottom) << "the items start below the caption";
    EXPECT_EQ(CKTPopupMenu::MENU_AREA_TEAROFF_CAPTION, pPopup->HitTest([&] {
        CPoint pt = rectCaption.CenterPoint();
        pPopup->ClientToScreen(&pt);
        return pt;
    }()));
    SaveScreenshot(L"frames_tear_off_caption.bmp");

    // Pressed on the caption and dragged away, the menu becomes a floating bar at the mouse.
    CPoint ptCaption = rectCaption.CenterPoint();
    pPopup->ClientToScreen(&ptCaption);
    const CPoint ptAway(ptCaption.x + 120, ptCaption.y + 160);
    UserInput input;
    input.MoveTo(ptCaption).LeftDown().Glide(ptCaption, ptAway, 8).LeftUp();
    Play(input);

    CControlBar* pControlBar = m_pFrame->GetControlBar(kTearOffFirst);
    ASSERT_NE(nullptr, pControlBar);
    ASSERT_TRUE(pControlBar->IsKindOf(RUNTIME_CLASS(CKTToolBar)));
    CKTToolBar* pBar = static_cast<CKTToolBar*>(pControlBar);
    EXPECT_TRUE(pBar->IsFloating());
    CString strTitle;
    pBar->GetWindowText(strTitle);
    EXPECT_EQ(CString(L"Edit"), strTitle) << "the button's text without its mnemonic mark";
    std::vector<UINT> commands;
    for (int i = 0; i < pBar->GetCount(); i++)
        commands.push_back(pBar->GetButton(i)->IsSeparator() ? 0 : pBar->GetButton(i)->m_nID);
    EXPECT_EQ((std::vector<UINT>{ID_FRAMES_COPY, 0, (UINT)-1}), commands)
        << "no recent file, no system command, no separator at the end";
    EXPECT_EQ(CString(L"&Copy"), pBar->GetButton(0)->m_strText) << "cut at the tab";
    EXPECT_GE(pBar->GetButton(0)->GetImage(), 0) << "the command's toolbar image";
    EXPECT_TRUE(pBar->GetButton(2)->IsKindOf(RUNTIME_CLASS(CKTToolbarMenuButton)));
    EXPECT_TRUE(pBar->GetButton(2)->m_bText) << "an item without image shows its text";
    EXPECT_EQ(1, m_pFrame->GetFrameSupport().GetTearOffBars().GetCount());
    EXPECT_EQ(pBar, m_pFrame->GetFrameSupport().GetTearOffBars().GetHead());

    // The floating frame went with the mouse, held in the middle of its top edge, and the menu
    // it came from is closed.
    CFrameWnd* pFloating = pBar->GetParentFrame();
    ASSERT_NE(nullptr, pFloating);
    ASSERT_TRUE(pFloating->IsKindOf(RUNTIME_CLASS(CKTMiniDockFrameWnd)));
    CRect rectFloating;
    pFloating->GetWindowRect(&rectFloating);
    EXPECT_NEAR(ptAway.x, rectFloating.CenterPoint().x, 1);
    EXPECT_EQ(ptAway.y - 5, rectFloating.top);
    EXPECT_TRUE(pFloating->IsWindowVisible());
    EXPECT_EQ(nullptr, m_pButton->m_pPopupMenu);
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(TearOffTest, EscapeWhileTheTornOffFrameFollowsTheMouseTakesTheBarAway)
{
    CKTPopupMenu* pPopup = Open();
    ASSERT_NE(nullptr, pPopup);
    CPoint ptCaption = pPopup->GetTearOffCaptionRect().CenterPoint();
    pPopup->ClientToScreen(&ptCaption);
    const CPoint ptAway(ptCaption.x + 120, ptCaption.y + 160);
    UserInput input;
    input.MoveTo(ptCaption).LeftDown().Glide(ptCaption, ptAway, 8).Press(VK_ESCAPE).LeftUp();
    Play(input);

    EXPECT_EQ(nullptr, m_pFrame->GetControlBar(kTearOffFirst)) << "the bar is destroyed";
    EXPECT_EQ(0, m_pFrame->GetFrameSupport().GetTearOffBars().GetCount()) << "and forgotten by the frame";
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(TearOffTest, RefusingFrameLeavesNoBarAndAMenuWithoutIdNoCaption)
{
    m_pFrame->m_bRefuseTearOff = TRUE;
    CKTPopupMenu* pPopup = Open();
    ASSERT_NE(nullptr, pPopup);
    EXPECT_FALSE(pPopup->TearOffAt(CPoint(5, 5)));
    EXPECT_EQ(nullptr, m_pFrame->GetControlBar(kTearOffFirst));
    EXPECT_EQ(0, m_pFrame->GetFrameSupport().GetTearOffBars().GetCount());
    pPopup->SendMessage(WM_CLOSE);
    Settle();

    m_pButton->SetTearOff(0);
    pPopup = Open();
    ASSERT_NE(nullptr, pPopup);
    EXPECT_TRUE(pPopup->GetTearOffCaptionRect().IsRectEmpty());
    EXPECT_FALSE(pPopup->TearOffAt(CPoint(5, 5)));
}

TEST_F(TearOffTest, TheCaptionLooksPressedWhileItsTipIsShown)
{
    // The caption's tip keeps to the toolkit's maximum tip width.
    const int nMaxWidthBefore = ktGlobals.m_tipMaxWidth;
    ktGlobals.m_tipMaxWidth = 140;
    CKTPopupMenu* pPopup = Open();
    ktGlobals.m_tipMaxWidth = nMaxWidthBefore;
    ASSERT_NE(nullptr, pPopup);
    const CRect rectCaption = pPopup->GetTearOffCaptionRect();
    ASSERT_FALSE(rectCaption.IsRectEmpty());
    HWND hCaptionTip = nullptr;
    for (HWND hTip = ::FindWindowW(TOOLTIPS_CLASSW, nullptr); hTip != nullptr;
         hTip = ::FindWindowExW(nullptr, hTip, TOOLTIPS_CLASSW, nullptr))
        if (::GetWindow(hTip, GW_OWNER) == pPopup->GetSafeHwnd())
            hCaptionTip = hTip;
    ASSERT_NE(nullptr, hCaptionTip);
    EXPECT_EQ(140, ::SendMessageW(hCaptionTip, TTM_GETMAXTIPWIDTH, 0, 0));
    CPoint ptCaption = rectCaption.CenterPoint();
    pPopup->ClientToScreen(&ptCaption);
    EXPECT_FALSE(pPopup->IsTearOffCaptionPressed());

    // Resting on the caption brings its tip, and the caption is drawn pressed with it.
    UserInput input;
    input.MoveTo(CPoint(ptCaption.x - 4, ptCaption.y)).Pause(50).MoveTo(ptCaption);
    Play(input);
    const auto tipShown = [] {
        HWND hTip = ::FindWindowW(TOOLTIPS_CLASSW, nullptr);
        for (; hTip != nullptr; hTip = ::FindWindowExW(nullptr, hTip, TOOLTIPS_CLASSW, nullptr))
        {
            wchar_t szText[80] = {};
            ::GetWindowTextW(hTip, szText, 79);
            if (::IsWindowVisible(hTip) && wcscmp(szText, L"Drag to make this menu float") == 0)
                return true;
        }
        return false;
    };
    EXPECT_TRUE(PumpUntil([&] { return tipShown() && pPopup->IsTearOffCaptionPressed(); }, 4000));
    SaveScreenshot(L"frames_tear_off_tip.bmp");

    // Moving on to the items takes the tip away and the caption comes up again.
    CRect rectItem = pPopup->GetMenuBar()->GetButton(0)->m_rect;
    pPopup->GetMenuBar()->ClientToScreen(&rectItem);
    UserInput away;
    away.MoveTo(rectItem.CenterPoint()).Pause(100);
    Play(away);
    EXPECT_TRUE(PumpUntil([&] { return !pPopup->IsTearOffCaptionPressed(); }, 3000));
    EXPECT_FALSE(tipShown());
}

// Popup menus as a user meets them on the test display: opened from a bar of menu titles, walked
// with the keys and the mouse, submenus that open and close after the menu show delay, clicks on
// the shadow and outside, a menu taller than the screen that scrolls, and screenshots.
#include "tests/framework/input/UserInput.h"
#include "tests/framework/windows/WindowsTestSupport.h"
#include "tests/uitoolkit/menus/MenuTestSupport.h"
#include "uitoolkit/bars/KTMenuBar.h"
#include "uitoolkit/customize/KTCmdUsageCount.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManagerXP.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

namespace
{
const int kTestDelayMs = 300;

void SetMenuShowDelay(const wchar_t* lpszValue)
{
    HKEY hKey = nullptr;
    ::RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_WRITE, nullptr, &hKey, nullptr);
    ::RegSetValueExW(hKey, L"MenuShowDelay", 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                     static_cast<DWORD>((wcslen(lpszValue) + 1) * sizeof(wchar_t)));
    ::RegCloseKey(hKey);
    CKTPopupMenuBar::ResetMenuShowDelay();
}

class PopupMenuWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetMenuShowDelay(std::to_wstring(kTestDelayMs).c_str());
        CKTPopupMenu::SetAnimationType(CKTPopupMenu::ANIMATION_NONE);
        m_pFrame = new CMenuTestFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, L"Menus", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 640, 480)));
        m_hFrame = m_pFrame->GetSafeHwnd();
        ::SetForegroundWindow(m_hFrame);
        m_pFrame->RecalcLayout();
        PumpAndIdle();
    }
    void TearDown() override
    {
        CloseAll();
        if (::IsWindow(m_hFrame))
            m_pFrame->DestroyWindow();
        PumpAndIdle();
        CKTPopupMenu::SetAnimationType(CKTPopupMenu::ANIMATION_NONE);
    }
    void CloseAll()
    {
        for (int i = 0; i < 10 && ActivePopup() != nullptr; i++)
        {
            CKTPopupMenu* pRoot = ActivePopup();
            while (pRoot->GetParentPopupMenu() != nullptr)
                pRoot = pRoot->GetParentPopupMenu();
            pRoot->SendMessage(WM_CLOSE);
            PumpAndIdle();
        }
    }
    CMenuHostBar& Host() { return m_pFrame->m_wndHost; }
    POINT TitleCentre(int i)
    {
        CRect rect = Host().GetMenuButton(i)->m_rect;
        Host().ClientToScreen(&rect);
        return rect.CenterPoint();
    }
    static POINT ItemCentre(CKTPopupMenu* pPopup, int iItem)
    {
        CRect rect = pPopup->GetMenuBar()->GetButton(iItem)->m_rect;
        pPopup->GetMenuBar()->ClientToScreen(&rect);
        return rect.CenterPoint();
    }
    static int IndexOf(CKTPopupMenu* pPopup, UINT uiCmd) { return pPopup->GetMenuBar()->CommandToIndex(uiCmd); }
    void Play(UserInput& input)
    {
        input.Start();
        PumpUntil([&] { return input.Done(); }, 15000);
        PumpAndIdle();
    }
    // The chain's depth: 0 closed, 1 a menu, 2 a submenu...
    static int Depth()
    {
        int n = 0;
        for (CKTPopupMenu* p = ActivePopup(); p != nullptr; p = p->GetParentPopupMenu())
            n++;
        return n;
    }
    static UINT HotCommand()
    {
        CKTPopupMenu* pPopup = ActivePopup();
        if (pPopup == nullptr)
            return 0;
        CKTToolbarButton* pHot = pPopup->GetMenuBar()->GetButton(pPopup->GetMenuBar()->GetHighlightedIndex());
        return pHot != nullptr ? pHot->m_nID : 0;
    }
    void SaveScreenshot(const wchar_t* name, CRect rect)
    {
        ::CreateDirectoryW(L"screenshots", nullptr);
        RunMessageLoopFor(200);
        EXPECT_TRUE(SaveScreenArea((std::wstring(L"screenshots\\") + name).c_str(), rect));
    }

    CMenuTestFrame* m_pFrame = nullptr;
    HWND m_hFrame = nullptr;
};
} // namespace

TEST_F(PopupMenuWindowTest, OpensBelowItsTitleWithTheItemsImported)
{
    ASSERT_TRUE(Host().OpenMenu(0));
    PumpAndIdle();
    CKTPopupMenu* pPopup = ActivePopup();
    ASSERT_NE(nullptr, pPopup);
    EXPECT_EQ(1, CountPopupWindows());
    // Separators: none at the ends, one where two stood.
    EXPECT_EQ((std::vector<UINT>{ID_M_NEW, ID_M_OPEN, 0, ID_M_SAVE, 0, ID_M_EXIT}), BarCommands(*pPopup->GetMenuBar()));
    EXPECT_EQ(ID_M_OPEN, pPopup->GetMenuBar()->GetDefaultCommand());
    EXPECT_FALSE(m_pFrame->m_initMenuPopups.empty()) << "the owner saw the menu before it was read";
    EXPECT_TRUE(pPopup->GetMenuBar()->GetButton(3)->m_nStyle & TBBS_DISABLED) << "Save has no enabled handler";
    CRect rectTitle = Host().GetMenuButton(0)->m_rect;
    Host().ClientToScreen(&rectTitle);
    CRect rectPopup;
    pPopup->GetWindowRect(&rectPopup);
    EXPECT_EQ(rectTitle.left, rectPopup.left);
    EXPECT_EQ(rectTitle.bottom - 1, rectPopup.top);
    EXPECT_TRUE(Host().GetMenuButton(0)->IsDroppedDown());

    pPopup->SendMessage(WM_CLOSE);
    PumpAndIdle();
    EXPECT_EQ(nullptr, ActivePopup());
    EXPECT_FALSE(Host().GetMenuButton(0)->IsDroppedDown()) << "the title forgets its closed popup";
    EXPECT_EQ(0, CountPopupWindows());
}

TEST_F(PopupMenuWindowTest, KeysTable)
{
    struct Step
    {
        const char* name;
        std::vector<WORD> keys;
        int depth;                  // popups open afterwards
        UINT hot;                   // hot command of the deepest popup (0: none/not checked)
        std::vector<UINT> commands; // received by the frame
        int openTitle;              // the host title whose menu is open, -1 none
    };
    const UINT kSub = static_cast<UINT>(-1);
    const std::vector<Step> steps = {
        {"Down from nothing takes the first item", {VK_DOWN}, 1, ID_M_UNDO, {}, 1},
        {"Down, Down reach the last", {VK_DOWN, VK_DOWN}, 1, ID_M_COPY, {}, 1},
        {"Down wraps to the first", {VK_DOWN}, 1, ID_M_UNDO, {}, 1},
        {"Up wraps to the last", {VK_UP}, 1, ID_M_COPY, {}, 1},
        {"Home", {VK_HOME}, 1, ID_M_UNDO, {}, 1},
        {"End", {VK_END}, 1, ID_M_COPY, {}, 1},
        {"Right on a command moves to the next menu", {VK_RIGHT}, 1, 0, {}, 0},
        {"Right on the last menu wraps to the first", {VK_RIGHT}, 1, 0, {}, 1},
        {"Left on the first menu wraps to the last", {VK_LEFT, VK_LEFT}, 1, 0, {}, 1},
        {"Right into a submenu selects its first item", {VK_HOME, VK_DOWN, VK_RIGHT}, 2, ID_M_ALPHA, {}, 1},
        {"and on into the next level", {VK_DOWN, VK_RIGHT}, 3, ID_M_GAMMA, {}, 1},
        {"Left goes back one level", {VK_LEFT}, 2, kSub, {}, 1},
        {"Escape closes one level", {VK_ESCAPE}, 1, kSub, {}, 1},
        {"Alt and a Ctrl accelerator do nothing", {VK_MENU, VK_CONTROL}, 1, kSub, {}, 1},
        {"Enter on a submenu item opens it", {VK_RETURN}, 2, ID_M_ALPHA, {}, 1},
        {"Enter chooses once and closes the chain", {VK_RETURN}, 0, 0, {ID_M_ALPHA}, -1},
    };
    ASSERT_TRUE(Host().OpenMenu(1));
    PumpAndIdle();
    for (const Step& step : steps)
    {
        m_pFrame->m_commands.clear();
        UserInput input;
        for (WORD vk : step.keys)
        {
            if (vk == VK_CONTROL)
                input.Key(VK_CONTROL, true).Press('C').Key(VK_CONTROL, false);
            else
                input.Press(vk);
            input.Pause(30);
        }
        Play(input);
        RunMessageLoopFor(50);
        EXPECT_EQ(step.depth, Depth()) << step.name;
        if (step.hot != 0)
        {
            EXPECT_EQ(step.hot, HotCommand()) << step.name;
        }
        EXPECT_EQ(step.commands, m_pFrame->m_commands) << step.name;
        if (step.openTitle >= 0)
        {
            ASSERT_NE(nullptr, Host().GetMenuButton(step.openTitle)->m_pPopupMenu) << step.name;
        }
    }
    EXPECT_EQ(0, CountPopupWindows());
}

TEST_F(PopupMenuWindowTest, MnemonicsTable)
{
    const struct
    {
        const char* name;
        int title;
        std::vector<WORD> keys;
        std::vector<UINT> commands;
        int depth;
    } cases[] = {
        {"a command's mnemonic chooses it", 0, {'N'}, {ID_M_NEW}, 0},
        {"a mnemonic after a tab-separated shortcut", 0, {'O'}, {ID_M_OPEN}, 0},
        {"a disabled item's mnemonic closes without a command", 0, {'S'}, {}, 0},
        {"a submenu's mnemonic opens it", 1, {'M'}, {}, 2},
        {"down two levels by mnemonics", 1, {'M', 'D', 'G'}, {ID_M_GAMMA}, 0},
        {"an unknown character does nothing", 1, {'Z'}, {}, 1},
    };
    for (const auto& c : cases)
    {
        CloseAll();
        m_pFrame->m_commands.clear();
        ASSERT_TRUE(Host().OpenMenu(c.title)) << c.name;
        PumpAndIdle();
        UserInput input;
        for (WORD vk : c.keys)
            input.Press(vk).Pause(30);
        Play(input);
        RunMessageLoopFor(50);
        EXPECT_EQ(c.commands, m_pFrame->m_commands) << c.name;
        EXPECT_EQ(c.depth, Depth()) << c.name;
    }
}

TEST_F(PopupMenuWindowTest, MouseChoosesInTheDeepestSubmenuOnce)
{
    UserInput input;
    const POINT ptTitle = TitleCentre(1);
    input.MoveTo(ptTitle).LeftDown().LeftUp().Pause(100);
    Play(input);
    CKTPopupMenu* pEdit = ActivePopup();
    ASSERT_NE(nullptr, pEdit);
    EXPECT_TRUE(m_pFrame->m_commands.empty()) << "the opening release chooses nothing";

    UserInput toMore;
    const POINT ptMore = ItemCentre(pEdit, 1);
    toMore.Glide(ptTitle, ptMore).Pause(kTestDelayMs + 200);
    Play(toMore);
    ASSERT_EQ(2, Depth()) << "the submenu opened after the delay";
    CKTPopupMenu* pMore = ActivePopup();

    UserInput toDeep;
    const POINT ptAlpha = ItemCentre(pMore, 0);
    const POINT ptDeep = ItemCentre(pMore, 1);
    toDeep.Glide(ptMore, ptAlpha, 6).Glide(ptAlpha, ptDeep, 6).Pause(kTestDelayMs + 200);
    Play(toDeep);
    ASSERT_EQ(3, Depth());
    CKTPopupMenu* pDeep = ActivePopup();
    const POINT ptDelta = ItemCentre(pDeep, 1);
    CRect rectDeep;
    pDeep->GetWindowRect(&rectDeep);
    CRect rectAll;
    pEdit->GetWindowRect(&rectAll);
    rectAll.UnionRect(&rectAll, &rectDeep);
    rectAll.InflateRect(4, 4);

    UserInput choose;
    choose.Glide(ptDeep, ptDelta, 6).Pause(100);
    Play(choose);
    SaveScreenshot(L"menus_open_submenu_with_shadow.bmp", rectAll);
    UserInput click;
    click.LeftDown().LeftUp().Pause(100);
    Play(click);
    RunMessageLoopFor(100);
    EXPECT_EQ((std::vector<UINT>{ID_M_DELTA}), m_pFrame->m_commands) << "one command, once";
    EXPECT_EQ(0, Depth());
    EXPECT_EQ(0, CountPopupWindows()) << "the whole chain closed";
    EXPECT_GE(Host().m_nDeactivations, 1) << "the bar that held the chain was deactivated";
    EXPECT_EQ(1, CKTPopupMenuBar::GetLastCommandIndex());
}

TEST_F(PopupMenuWindowTest, HoverLeavesASubmenuOpenUntilTheCloseDelay)
{
    ASSERT_TRUE(Host().OpenMenu(1));
    PumpAndIdle();
    CKTPopupMenu* pEdit = ActivePopup();
    const POINT ptUndo = ItemCentre(pEdit, 0);
    const POINT ptMore = ItemCentre(pEdit, 1);
    const POINT ptCopy = ItemCentre(pEdit, 2);
    UserInput open;
    open.MoveTo(ptUndo).Pause(50).Glide(ptUndo, ptMore, 4).Pause(kTestDelayMs / 3);
    Play(open);
    EXPECT_EQ(1, Depth()) << "not before the delay";
    RunMessageLoopFor(kTestDelayMs + 150);
    ASSERT_EQ(2, Depth()) << "open after the delay";

    // Away and back within delay - 1 ms: the submenu stays.
    UserInput away;
    away.Glide(ptMore, ptCopy, 3).Pause(kTestDelayMs / 4).Glide(ptCopy, ptMore, 3);
    Play(away);
    RunMessageLoopFor(kTestDelayMs + 150);
    EXPECT_EQ(2, Depth()) << "coming back in time keeps it open";

    // Away for longer: it closes, and the parent becomes the active popup.
    UserInput leave;
    leave.Glide(ptMore, ptCopy, 3);
    Play(leave);
    EXPECT_EQ(2, Depth()) << "not at once";
    RunMessageLoopFor(kTestDelayMs + 200);
    EXPECT_EQ(1, Depth());
    EXPECT_EQ(pEdit, ActivePopup());
    EXPECT_FALSE(pEdit->GetMenuBar()->GetButton(1)->IsDroppedDown());

    // The arrow keys close an open submenu at once.
    UserInput keys;
    keys.Glide(ptCopy, ptMore, 3).Pause(kTestDelayMs + 200);
    Play(keys);
    ASSERT_EQ(2, Depth());
    ActivePopup()->SendMessage(WM_KEYDOWN, VK_ESCAPE);
    PumpAndIdle();
    pEdit->SendMessage(WM_KEYDOWN, VK_DOWN);
    PumpAndIdle();
    EXPECT_EQ(1, Depth());
}

TEST_F(PopupMenuWindowTest, ClicksOnTheShadowAndOutside)
{
    // A frame that holds the popup and its shadow, so that the shadow is drawn.
    ASSERT_TRUE(Host().OpenMenu(0));
    PumpAndIdle();
    CKTPopupMenu* pPopup = ActivePopup();
    ASSERT_NE(nullptr, pPopup);
    const int nShadow = pPopup->GetShadowSize();
    if (nShadow > 0)
    {
        CRect rect;
        pPopup->GetWindowRect(&rect);
        const CPoint ptShadow(rect.right - nShadow / 2 - 1, rect.top + rect.Height() / 2);
        EXPECT_EQ(CKTPopupMenu::MENU_AREA_SHADOW_RIGHT, pPopup->HitTest(ptShadow));
        EXPECT_EQ(CKTPopupMenu::MENU_AREA_SHADOW_BOTTOM, pPopup->HitTest(CPoint(rect.left + 10, rect.bottom - 1)));
        UserInput input;
        input.MoveTo(ptShadow).LeftDown().LeftUp().Pause(100);
        Play(input);
        EXPECT_EQ(0, Depth()) << "a click on the shadow closes the menu";
        EXPECT_EQ(m_hFrame, ::GetFocus()) << "and the frame has the focus";
        EXPECT_TRUE(m_pFrame->m_commands.empty());
    }
    else
        ADD_FAILURE() << "a popup inside its frame casts a shadow";

    // A click on another window: the menu closes and the click arrives there.
    CButton button;
    ASSERT_TRUE(
        button.Create(L"Target", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(400, 300, 520, 340), m_pFrame, 1234));
    ASSERT_TRUE(Host().OpenMenu(0));
    PumpAndIdle();
    CRect rectButton;
    button.GetWindowRect(&rectButton);
    UserInput input;
    input.MoveTo(rectButton.CenterPoint()).LeftDown().Pause(50).LeftUp().Pause(100);
    Play(input);
    RunMessageLoopFor(100);
    EXPECT_EQ(0, Depth());
    EXPECT_EQ(std::count(m_pFrame->m_commands.begin(), m_pFrame->m_commands.end(), 1234u), 1)
        << "the button got the click";
    button.DestroyWindow();
}

TEST_F(PopupMenuWindowTest, MenuTallerThanTheScreenScrollsOneItemPerTick)
{
    CRect rectWork;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rectWork, 0);
    const int nItems = rectWork.Height() / 10;
    CKTPopupMenu* pPopup = new CKTPopupMenu;
    ASSERT_TRUE(pPopup->Create(m_pFrame, 100, 100, MakeLongMenu(nItems), FALSE, TRUE));
    PumpAndIdle();
    ASSERT_TRUE(pPopup->IsScrollable());
    CRect rect;
    pPopup->GetWindowRect(&rect);
    EXPECT_GE(rect.top, rectWork.top);
    EXPECT_LE(rect.bottom, rectWork.bottom);
    EXPECT_TRUE(pPopup->GetScrollUpRect().IsRectEmpty()) << "nothing above yet";
    ASSERT_FALSE(pPopup->GetScrollDownRect().IsRectEmpty());
    EXPECT_EQ(0, pPopup->GetMenuBar()->GetFirstShownItem());

    CRect rectDown = pPopup->GetScrollDownRect();
    pPopup->ClientToScreen(&rectDown);
    UserInput input;
    input.MoveTo(CPoint(rectDown.CenterPoint().x, rectDown.top - 20)).Pause(50).MoveTo(rectDown.CenterPoint());
    Play(input);
    const DWORD dwStart = ::GetTickCount();
    RunMessageLoopFor(10 * CKTPopupMenu::kScrollTimerMs);
    const DWORD dwElapsed = ::GetTickCount() - dwStart;
    const int nFirst = pPopup->GetMenuBar()->GetFirstShownItem();
    EXPECT_GE(nFirst, 3);
    EXPECT_LE(nFirst, static_cast<int>(dwElapsed / CKTPopupMenu::kScrollTimerMs) + 1) << "one item per 80 ms";
    EXPECT_FALSE(pPopup->GetScrollUpRect().IsRectEmpty()) << "now it can scroll back";
    SaveScreenshot(L"menus_scrolling.bmp", CRect(rect.left, rect.top, rect.right, rect.top + 300));

    // Leaving the button stops the scrolling.
    UserInput away;
    away.MoveTo(CPoint(rect.CenterPoint().x, rect.CenterPoint().y));
    Play(away);
    RunMessageLoopFor(2 * CKTPopupMenu::kScrollTimerMs);
    const int nStopped = pPopup->GetMenuBar()->GetFirstShownItem();
    RunMessageLoopFor(4 * CKTPopupMenu::kScrollTimerMs);
    EXPECT_EQ(nStopped, pPopup->GetMenuBar()->GetFirstShownItem());

    // End keeps the last item in sight.
    pPopup->SendMessage(WM_KEYDOWN, VK_END);
    PumpAndIdle();
    CKTToolbarButton* pLast = pPopup->GetMenuBar()->GetButton(nItems - 1);
    CRect rectBar;
    pPopup->GetMenuBar()->GetClientRect(&rectBar);
    EXPECT_LE(pLast->m_rect.bottom, rectBar.bottom);
    EXPECT_GE(pLast->m_rect.top, rectBar.top);
    pPopup->SendMessage(WM_CLOSE);
    PumpAndIdle();
}

TEST_F(PopupMenuWindowTest, ContextMenuAtDefaultPlaceAndAnimations)
{
    const int types[] = {CKTPopupMenu::ANIMATION_NONE, CKTPopupMenu::ANIMATION_UNFOLD, CKTPopupMenu::ANIMATION_SLIDE,
                         CKTPopupMenu::ANIMATION_FADE};
    for (int type : types)
    {
        CKTPopupMenu::SetAnimationType(type);
        CKTPopupMenu* pPopup = new CKTPopupMenu;
        ASSERT_TRUE(pPopup->Create(m_pFrame, -1, -1, MakeFileMenu(), FALSE, TRUE)) << type;
        CRect rectClient;
        m_pFrame->GetClientRect(&rectClient);
        m_pFrame->ClientToScreen(&rectClient);
        CRect rect;
        pPopup->GetWindowRect(&rect);
        EXPECT_EQ(rectClient.left + 5, rect.left) << "5 pixels right of the parent's client origin";
        EXPECT_EQ(rectClient.top + 5, rect.top);
        EXPECT_TRUE(PumpUntil([&] { return pPopup->GetMenuBar()->IsWindowVisible() != FALSE; }, 3000))
            << "the animation ends with the items shown: " << type;
        pPopup->SendMessage(WM_CLOSE);
        PumpAndIdle();
    }
}

TEST_F(PopupMenuWindowTest, SlideAnimationGrowsRowByRowOnItsTicksUntilTheItemsShow)
{
    CKTPopupMenu::SetAnimationType(CKTPopupMenu::ANIMATION_SLIDE);
    CKTPopupMenu* pPopup = new CKTPopupMenu;
    ASSERT_TRUE(pPopup->Create(m_pFrame, -1, -1, MakeLongMenu(20), FALSE, TRUE));
    const HWND hPopup = pPopup->GetSafeHwnd();
    const int nRow = pPopup->GetMenuBar()->GetRowHeight();
    const int nShadow = pPopup->GetShadowSize();
    const CSize sizeFinal = pPopup->GetFinalSize();
    ASSERT_FALSE(pPopup->IsAnimationDone());
    EXPECT_FALSE(pPopup->GetMenuBar()->IsWindowVisible()) << "the items wait for the animation";
    std::vector<int> heights{pPopup->GetAnimatedSize().cy};
    EXPECT_EQ(nRow, heights.front()) << "it starts one row high";
    PumpUntil(
        [&] {
            if (!::IsWindow(hPopup))
                return true;
            const int cy = pPopup->GetAnimatedSize().cy;
            if (cy != heights.back())
                heights.push_back(cy);
            return pPopup->IsAnimationDone() != FALSE;
        },
        5000);
    ASSERT_TRUE(::IsWindow(hPopup));
    ASSERT_TRUE(pPopup->IsAnimationDone());
    EXPECT_TRUE(pPopup->GetMenuBar()->IsWindowVisible());
    EXPECT_EQ(sizeFinal.cy + nShadow, heights.back()) << "it ends at its full size";
    ASSERT_GE(heights.size(), 3u) << "the ticks grew it in steps";
    for (size_t i = 1; i + 1 < heights.size(); i++)
    {
        EXPECT_GT(heights[i], heights[i - 1]);
        EXPECT_EQ(0, (heights[i] - heights.front()) % nRow) << "whole rows per tick";
    }
    pPopup->SendMessage(WM_CLOSE);
    PumpAndIdle();
}

TEST_F(PopupMenuWindowTest, UnfoldAnimationEndsWhenTheWidthIsReached)
{
    // A tall narrow menu: its width is whole long before its height.
    CKTPopupMenu::SetAnimationType(CKTPopupMenu::ANIMATION_UNFOLD);
    CKTPopupMenu* pPopup = new CKTPopupMenu;
    ASSERT_TRUE(pPopup->Create(m_pFrame, -1, -1, MakeLongMenu(20), FALSE, TRUE));
    const HWND hPopup = pPopup->GetSafeHwnd();
    const int nShadow = pPopup->GetShadowSize();
    const CSize sizeFinal = pPopup->GetFinalSize();
    ASSERT_FALSE(pPopup->IsAnimationDone());
    const int nColumnSteps =
        (sizeFinal.cx + pPopup->GetMenuBar()->GetColumnWidth() - 1) / pPopup->GetMenuBar()->GetColumnWidth();
    ASSERT_GE(nColumnSteps, 2);
    ASSERT_GT(sizeFinal.cy / 2, (nColumnSteps + 1) * pPopup->GetMenuBar()->GetRowHeight());
    std::vector<CSize> sizes{pPopup->GetAnimatedSize()};
    PumpUntil(
        [&] {
            if (!::IsWindow(hPopup))
                return true;
            const CSize size = pPopup->GetAnimatedSize();
            if (size != sizes.back())
                sizes.push_back(size);
            return pPopup->IsAnimationDone() != FALSE;
        },
        5000);
    ASSERT_TRUE(::IsWindow(hPopup));
    ASSERT_TRUE(pPopup->IsAnimationDone());
    EXPECT_TRUE(pPopup->GetMenuBar()->IsWindowVisible());
    ASSERT_GE(sizes.size(), 3u);
    EXPECT_EQ(CSize(sizeFinal.cx + nShadow, sizeFinal.cy + nShadow), sizes.back()) << "it ends at its full size";
    const CSize& sizeBefore = sizes[sizes.size() - 2];
    EXPECT_LT(sizeBefore.cx - nShadow, sizeFinal.cx) << "no step after the width was reached";
    EXPECT_LT(sizeBefore.cy - nShadow, sizeFinal.cy / 2) << "the height had far to go";
    pPopup->SendMessage(WM_CLOSE);
    PumpAndIdle();
}

TEST_F(PopupMenuWindowTest, RestingOnTheShowAllItemExpandsTheMenuAfterTwiceTheDelay)
{
    CList<UINT, UINT> basic;
    basic.AddTail(ID_M_NEW);
    CKTToolBar::SetBasicCommands(basic);
    CKTCmdUsageCount& usage = CKTToolBar::GetUsageCount();
    usage.Reset();
    for (int i = 0; i < 20; i++)
        usage.AddCmd(ID_M_UNDO);
    CKTToolBar::m_bRecentlyUsedMenus = TRUE;
    const BOOL bAfterDelay = CKTToolBar::m_bShowAllMenusAfterDelay;
    CKTToolBar::m_bShowAllMenusAfterDelay = TRUE;

    ASSERT_TRUE(Host().OpenMenu(0));
    PumpAndIdle();
    CKTPopupMenu* pPopup = ActivePopup();
    ASSERT_NE(nullptr, pPopup);
    CKTPopupMenuBar* pBar = pPopup->GetMenuBar();
    ASSERT_EQ(2, pBar->GetCount());
    const POINT ptShowAll = ItemCentre(pPopup, 1);
    DWORD dwExpanded = 0;
    UserInput input;
    input.MoveTo(ItemCentre(pPopup, 0)).Pause(100).Glide(ItemCentre(pPopup, 0), ptShowAll, 4);
    input.Start();
    PumpUntil([&] { return input.Done(); }, 5000);
    const DWORD dwRested = ::GetTickCount();
    EXPECT_TRUE(PumpUntil([&] { return pBar->GetCount() > 2; }, 4 * kTestDelayMs + 2000)) << "the menu expanded";
    dwExpanded = ::GetTickCount();
    EXPECT_GE(dwExpanded - dwRested + 50, static_cast<DWORD>(kTestDelayMs * 3 / 2)) << "twice the delay, not once";
    EXPECT_EQ((std::vector<UINT>{ID_M_NEW, ID_M_OPEN, 0, ID_M_SAVE, 0, ID_M_EXIT}), BarCommands(*pBar));
    EXPECT_EQ(1, CountPopupWindows()) << "no empty submenu opened for the item";

    pPopup->SendMessage(WM_CLOSE);
    PumpAndIdle();
    CKTPopupMenuBar::m_bMenuBarShowAllCommands = FALSE;
    CKTToolBar::m_bShowAllMenusAfterDelay = bAfterDelay;
    CKTToolBar::SetBasicCommands(CList<UINT, UINT>());
    usage.Reset();
}

TEST(PopupMenuBarTest, EmptyBarAndExportRoundTrip)
{
    CKTPopupMenuBar bar;
    EXPECT_EQ(CSize(52, 22), bar.CalcSize(TRUE));
    EXPECT_FALSE(bar.ImportFromMenu(nullptr));

    HMENU hEdit = MakeEditMenu();
    ::ModifyMenuW(hEdit, ID_M_COPY, MF_BYCOMMAND | MF_STRING | MF_MENUBREAK | MF_CHECKED, ID_M_COPY, L"&Copy");
    ::SetMenuDefaultItem(hEdit, ID_M_COPY, FALSE);
    ASSERT_TRUE(bar.ImportFromMenu(hEdit, TRUE));
    EXPECT_EQ((std::vector<UINT>{ID_M_UNDO, static_cast<UINT>(-1), ID_M_COPY}), BarCommands(bar));
    EXPECT_TRUE(bar.GetButton(2)->m_nStyle & TBBS_CHECKED);
    EXPECT_TRUE(bar.GetButton(2)->m_nStyle & 0x20000000) << "column break";
    EXPECT_EQ(ID_M_COPY, bar.GetDefaultCommand());

    HMENU hExported = bar.ExportToMenu();
    ASSERT_NE(nullptr, hExported);
    ASSERT_EQ(3, ::GetMenuItemCount(hExported));
    EXPECT_EQ(static_cast<UINT>(ID_M_UNDO), ::GetMenuItemID(hExported, 0));
    HMENU hMore = ::GetSubMenu(hExported, 1);
    ASSERT_NE(nullptr, hMore);
    EXPECT_NE(::GetSubMenu(hEdit, 1), hMore) << "a copy of its own";
    HMENU hDeep = ::GetSubMenu(hMore, 1);
    ASSERT_NE(nullptr, hDeep);
    EXPECT_EQ(static_cast<UINT>(ID_M_DELTA), ::GetMenuItemID(hDeep, 1));
    EXPECT_EQ(static_cast<UINT>(ID_M_COPY), ::GetMenuDefaultItem(hExported, FALSE, 0));
    EXPECT_TRUE(::GetMenuState(hExported, 1, MF_BYPOSITION) & MF_POPUP);
    wchar_t szText[32] = {};
    ::GetMenuStringW(hExported, 1, szText, 32, MF_BYPOSITION);
    EXPECT_STREQ(L"&More", szText);
    ::DestroyMenu(hExported);
    ::DestroyMenu(hEdit);
}

TEST(PopupMenuBarTest, ImportKeepsSeparatorsOffTheEnds)
{
    const UINT S = 0;
    const struct
    {
        const char* name;
        std::vector<UINT> items; // 0 a separator
        std::vector<UINT> expected;
    } cases[] = {
        {"leading and trailing", {S, 1, S, 2, S}, {1, S, 2}},
        {"two in a row", {1, S, S, 2}, {1, S, 2}},
        {"two at the end", {1, 2, S, S}, {1, 2}},
        {"only separators", {S, S}, {}},
        {"none", {1, 2}, {1, 2}},
    };
    for (const auto& c : cases)
    {
        HMENU hMenu = ::CreatePopupMenu();
        for (UINT id : c.items)
            ::AppendMenuW(hMenu, id == 0 ? MF_SEPARATOR : MF_STRING, id == 0 ? 0 : 500 + id, L"x");
        CKTPopupMenuBar bar;
        ASSERT_TRUE(bar.ImportFromMenu(hMenu, TRUE)) << c.name;
        std::vector<UINT> expected;
        for (UINT id : c.expected)
            expected.push_back(id == 0 ? 0 : 500 + id);
        EXPECT_EQ(expected, BarCommands(bar)) << c.name;
        ::DestroyMenu(hMenu);
    }
}

TEST_F(PopupMenuWindowTest, RecentFilePlaceholder)
{
    const UINT kRecent = 0xE110;
    auto makeMenu = [] {
        HMENU hMenu = ::CreatePopupMenu();
        ::AppendMenuW(hMenu, MF_STRING, ID_M_OPEN, L"&Open");
        ::AppendMenuW(hMenu, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuW(hMenu, MF_STRING, kRecent, L"Recent File");
        ::AppendMenuW(hMenu, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuW(hMenu, MF_STRING, ID_M_EXIT, L"E&xit");
        return hMenu;
    };
    CRecentFileList* pOld = TestApp().m_pRecentFileList;
    CRecentFileList list(0, L"Recent File List", L"File%d", 4);
    TestApp().m_pRecentFileList = &list;

    CKTPopupMenu* pPopup = new CKTPopupMenu;
    ASSERT_TRUE(pPopup->Create(m_pFrame, 100, 100, makeMenu(), FALSE, TRUE));
    EXPECT_EQ((std::vector<UINT>{ID_M_OPEN, 0, ID_M_EXIT}), BarCommands(*pPopup->GetMenuBar()))
        << "an empty list: the placeholder and one of its separators go";
    pPopup->SendMessage(WM_CLOSE);

    list.Add(L"C:\\kest\\second.kest");
    list.Add(L"C:\\kest\\first.kest");
    pPopup = new CKTPopupMenu;
    ASSERT_TRUE(pPopup->Create(m_pFrame, 100, 100, makeMenu(), FALSE, TRUE));
    EXPECT_EQ((std::vector<UINT>{ID_M_OPEN, 0, kRecent, kRecent + 1, 0, ID_M_EXIT}),
              BarCommands(*pPopup->GetMenuBar()));
    const CString strFirst = pPopup->GetMenuBar()->GetButton(2)->m_strText;
    EXPECT_EQ(0, strFirst.Find(L"&1 ")) << static_cast<LPCWSTR>(strFirst);
    EXPECT_GE(strFirst.Find(L"first.kest"), 0);
    EXPECT_EQ(0, pPopup->GetMenuBar()->GetButton(3)->m_strText.Find(L"&2 "));
    pPopup->SendMessage(WM_CLOSE);
    PumpAndIdle();
    TestApp().m_pRecentFileList = pOld;
}

TEST_F(PopupMenuWindowTest, PersonalisedMenusHideRarelyUsedCommands)
{
    CList<UINT, UINT> basic;
    basic.AddTail(ID_M_NEW);
    CKTToolBar::SetBasicCommands(basic);
    CKTCmdUsageCount& usage = CKTToolBar::GetUsageCount();
    usage.Reset();
    for (int i = 0; i < 20; i++)
        usage.AddCmd(ID_M_UNDO);
    CKTToolBar::m_bRecentlyUsedMenus = TRUE;

    ASSERT_TRUE(Host().OpenMenu(0));
    PumpAndIdle();
    CKTPopupMenu* pPopup = ActivePopup();
    CKTPopupMenuBar* pBar = pPopup->GetMenuBar();
    EXPECT_FALSE(pBar->AreAllCommandsShown());
    ASSERT_EQ(2, pBar->GetCount()) << "New, then the show-all item; no separator is left at an end";
    EXPECT_EQ(static_cast<UINT>(ID_M_NEW), pBar->GetButton(0)->m_nID);
    EXPECT_TRUE(pBar->GetButton(1)->IsKindOf(RUNTIME_CLASS(CKTShowAllButton)));

    // Ctrl+Down shows everything.
    UserInput input;
    input.Key(VK_CONTROL, true).Press(VK_DOWN).Key(VK_CONTROL, false).Pause(50);
    Play(input);
    EXPECT_EQ((std::vector<UINT>{ID_M_NEW, ID_M_OPEN, 0, ID_M_SAVE, 0, ID_M_EXIT}), BarCommands(*pBar));
    pPopup->SendMessage(WM_CLOSE);
    PumpAndIdle();
    CKTPopupMenuBar::m_bMenuBarShowAllCommands = FALSE;

    // A hidden command's mnemonic runs it directly.
    ASSERT_TRUE(Host().OpenMenu(0));
    PumpAndIdle();
    UserInput key;
    key.Press('X').Pause(50);
    Play(key);
    EXPECT_EQ((std::vector<UINT>{ID_M_EXIT}), m_pFrame->m_commands);
    EXPECT_EQ(0, Depth());

    CKTToolBar::SetBasicCommands(CList<UINT, UINT>());
    usage.Reset();
}

TEST_F(PopupMenuWindowTest, ADoubledAmpersandIsNoMnemonic)
{
    const UINT kCopyPaste = 1001;
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuW(hMenu, MF_STRING, ID_M_NEW, L"&New");
    ::AppendMenuW(hMenu, MF_STRING, kCopyPaste, L"Copy && &Paste");
    Host().AddMenu(L"&Tools", hMenu);
    Host().AdjustLayout();
    CList<UINT, UINT> basic;
    basic.AddTail(ID_M_NEW);
    CKTToolBar::SetBasicCommands(basic);
    CKTCmdUsageCount& usage = CKTToolBar::GetUsageCount();
    const BOOL bRecentlyUsed = CKTToolBar::m_bRecentlyUsedMenus;

    const struct
    {
        const char* name;
        BOOL bHidden; // personalised menus leave the rarely used item out
    } cases[] = {{"a shown item", FALSE}, {"a hidden item", TRUE}};
    for (const auto& c : cases)
    {
        usage.Reset();
        for (int i = 0; c.bHidden && i < 20; i++)
            usage.AddCmd(ID_M_UNDO);
        CKTToolBar::m_bRecentlyUsedMenus = c.bHidden;
        m_pFrame->m_commands.clear();
        ASSERT_TRUE(Host().OpenMenu(2)) << c.name;
        PumpAndIdle();
        ASSERT_NE(nullptr, ActivePopup());
        EXPECT_EQ(c.bHidden ? -1 : 1, ActivePopup()->GetMenuBar()->CommandToIndex(kCopyPaste)) << c.name;
        UserInput key;
        key.Press('P').Pause(50);
        Play(key);
        EXPECT_EQ((std::vector<UINT>{kCopyPaste}), m_pFrame->m_commands) << c.name;
        EXPECT_EQ(0, Depth()) << c.name;
        CloseAll();
        CKTPopupMenuBar::m_bMenuBarShowAllCommands = FALSE;
    }
    CKTToolBar::m_bRecentlyUsedMenus = bRecentlyUsed;
    CKTToolBar::SetBasicCommands(CList<UINT, UINT>());
    usage.Reset();
}

TEST_F(PopupMenuWindowTest, StoredParametersReachTheMenus)
{
    // The menus follow what the toolbar parameters load, with nothing else to switch.
    const wchar_t kProfile[] = L"Software\\KestTests\\MenuParameters\\";
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KestTests\\MenuParameters");
    CList<UINT, UINT> basic;
    basic.AddTail(ID_M_NEW);
    CKTToolBar::SetBasicCommands(basic);
    CKTCmdUsageCount& usage = CKTToolBar::GetUsageCount();
    usage.Reset();
    for (int i = 0; i < 20; i++)
        usage.AddCmd(ID_M_UNDO);

    struct Case
    {
        int nAnimation;
        BOOL bRecentlyUsed;
        BOOL bItemsShownAtOnce; // no animation: the items are there as the popup appears
        int nItems;             // New and the show-all item, or the whole File menu
    } cases[] = {
        {CKTPopupMenu::ANIMATION_SLIDE, TRUE, FALSE, 2},
        {CKTPopupMenu::ANIMATION_NONE, FALSE, TRUE, 6},
        {CKTPopupMenu::ANIMATION_UNFOLD, FALSE, FALSE, 6},
        {CKTPopupMenu::ANIMATION_NONE, TRUE, TRUE, 2},
    };
    for (const Case& c : cases)
    {
        CKTToolBar::m_nMenuAnimation = c.nAnimation;
        CKTToolBar::m_bRecentlyUsedMenus = c.bRecentlyUsed;
        ASSERT_TRUE(CKTToolBar::SaveParameters(kProfile));
        CKTToolBar::m_nMenuAnimation = c.nAnimation == 0 ? 2 : 0;
        CKTToolBar::m_bRecentlyUsedMenus = !c.bRecentlyUsed;
        ASSERT_TRUE(CKTToolBar::LoadParameters(kProfile));
        EXPECT_EQ(c.nAnimation, CKTPopupMenu::GetAnimationType());
        EXPECT_EQ(c.bRecentlyUsed, CKTMenuBar::IsRecentlyUsedMenus());

        ASSERT_TRUE(Host().OpenMenu(0)) << c.nAnimation;
        CKTPopupMenu* pPopup = ActivePopup();
        ASSERT_NE(nullptr, pPopup);
        EXPECT_EQ(c.bItemsShownAtOnce, pPopup->GetMenuBar()->IsWindowVisible() != FALSE)
            << "animation " << c.nAnimation;
        EXPECT_TRUE(PumpUntil([&] { return pPopup->GetMenuBar()->IsWindowVisible() != FALSE; }, 3000));
        EXPECT_EQ(c.nItems, pPopup->GetMenuBar()->GetCount()) << "recently used " << c.bRecentlyUsed;
        EXPECT_EQ(!c.bRecentlyUsed, pPopup->GetMenuBar()->AreAllCommandsShown());
        CloseAll();
    }

    CKTToolBar::m_nMenuAnimation = 0;
    CKTToolBar::m_bRecentlyUsedMenus = TRUE;
    CKTToolBar::SetBasicCommands(CList<UINT, UINT>());
    usage.Reset();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KestTests\\MenuParameters");
}

TEST_F(PopupMenuWindowTest, CustomizedItemsGoBackIntoTheButtonTheyDroppedFrom)
{
    CKTToolBar::SetCustomizeMode(TRUE);
    ASSERT_TRUE(Host().OpenMenu(1));
    PumpAndIdle();
    CKTPopupMenu* pPopup = ActivePopup();
    ASSERT_NE(nullptr, pPopup);
    CKTPopupMenuBar* pBar = pPopup->GetMenuBar();
    const int iCopy = pBar->CommandToIndex(ID_M_COPY);
    ASSERT_GE(iCopy, 0);
    ASSERT_TRUE(pBar->RemoveButton(iCopy));
    ASSERT_TRUE(pBar->InsertButton(new CKTToolbarMenuButton(ID_M_ACCEL, nullptr, -1, L"&Added"), 0) >= 0);
    pPopup->CloseMenu(FALSE);
    PumpAndIdle();
    CKTToolBar::SetCustomizeMode(FALSE);

    std::vector<UINT> items;
    const CObList& commands = Host().GetMenuButton(1)->GetCommands();
    for (POSITION pos = commands.GetHeadPosition(); pos != nullptr;)
        items.push_back(static_cast<CKTToolbarButton*>(commands.GetNext(pos))->m_nID);
    EXPECT_EQ((std::vector<UINT>{ID_M_ACCEL, ID_M_UNDO, (UINT)-1}), items);

    // Outside customize mode nothing is written back.
    ASSERT_TRUE(Host().OpenMenu(1));
    PumpAndIdle();
    pPopup = ActivePopup();
    ASSERT_NE(nullptr, pPopup);
    const int nBefore = static_cast<int>(Host().GetMenuButton(1)->GetCommands().GetCount());
    pPopup->GetMenuBar()->RemoveButton(0);
    CloseAll();
    EXPECT_EQ(nBefore, static_cast<int>(Host().GetMenuButton(1)->GetCommands().GetCount()));
}

TEST_F(PopupMenuWindowTest, PopupsAtTheScreensEdgesStayOnTheWorkArea)
{
    CRect rectWork;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rectWork, 0);
    struct Case
    {
        const char* name;
        CPoint point;
        BOOL bLeftOfPoint; // flipped to end at the right edge
        BOOL bAbovePoint;  // opened upwards, ending at the point
    } cases[] = {
        {"inside", CPoint(rectWork.left + 100, rectWork.top + 100), FALSE, FALSE},
        {"at the right edge", CPoint(rectWork.right - 5, rectWork.top + 100), TRUE, FALSE},
        {"at the bottom edge", CPoint(rectWork.left + 100, rectWork.bottom - 5), FALSE, TRUE},
        {"past the bottom right corner", CPoint(rectWork.right + 50, rectWork.bottom + 50), TRUE, TRUE},
        {"before the top left corner", CPoint(rectWork.left - 50, rectWork.top - 50), FALSE, FALSE},
    };
    for (const Case& c : cases)
    {
        CKTPopupMenu* pPopup = new CKTPopupMenu;
        ASSERT_TRUE(pPopup->Create(m_pFrame, c.point.x, c.point.y, MakeEditMenu(), FALSE, TRUE)) << c.name;
        PumpAndIdle();
        CRect rect;
        pPopup->GetWindowRect(&rect);
        // The menu itself, without the shadow that may fall beyond it.
        rect.right -= pPopup->GetShadowSize();
        rect.bottom -= pPopup->GetShadowSize();
        EXPECT_GE(rect.left, rectWork.left) << c.name;
        EXPECT_GE(rect.top, rectWork.top) << c.name;
        EXPECT_LE(rect.right, rectWork.right) << c.name;
        EXPECT_LE(rect.bottom, rectWork.bottom) << c.name;
        EXPECT_EQ(c.bLeftOfPoint, rect.left < std::min(c.point.x, rectWork.right) - 1) << c.name;
        EXPECT_EQ(c.bAbovePoint, rect.top < std::min(c.point.y, rectWork.bottom) - 1) << c.name;
        pPopup->SendMessage(WM_CLOSE);
        PumpAndIdle();
    }
}

namespace
{
// The columns from the leftmost to the rightmost pixel of colour clrInk in a screen rectangle, or
// 0 when there is none.
int InkWidthOnScreen(const CRect& rect, COLORREF clrInk)
{
    HDC hScreen = ::GetDC(nullptr);
    int xLeft = INT_MAX, xRight = INT_MIN;
    for (int y = rect.top; y < rect.bottom; y++)
        for (int x = rect.left; x < rect.right; x++)
            if (::GetPixel(hScreen, x, y) == clrInk)
            {
                xLeft = std::min(xLeft, x);
                xRight = std::max(xRight, x);
            }
    ::ReleaseDC(nullptr, hScreen);
    return xRight >= xLeft ? xRight - xLeft + 1 : 0;
}

// The same for a text drawn in the menu font, without any clipping.
int InkWidthOfText(const wchar_t* pszText)
{
    const int cx = 400, cy = 40;
    HDC hScreen = ::GetDC(nullptr);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, cx, cy);
    ::ReleaseDC(nullptr, hScreen);
    HGDIOBJ hOldBitmap = ::SelectObject(hDC, hBitmap);
    HGDIOBJ hOldFont = ::SelectObject(hDC, ktGlobals.m_fontText.GetSafeHandle());
    RECT rect = {0, 0, cx, cy};
    ::FillRect(hDC, &rect, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::SetTextColor(hDC, RGB(0, 0, 0));
    ::SetBkMode(hDC, TRANSPARENT);
    ::DrawTextW(hDC, pszText, -1, &rect, DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
    int xLeft = INT_MAX, xRight = INT_MIN;
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
            if (::GetPixel(hDC, x, y) == RGB(0, 0, 0))
            {
                xLeft = std::min(xLeft, x);
                xRight = std::max(xRight, x);
            }
    ::SelectObject(hDC, hOldFont);
    ::SelectObject(hDC, hOldBitmap);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hDC);
    return xRight >= xLeft ? xRight - xLeft + 1 : 0;
}
} // namespace

// When the widest item of a menu is a plain command, its whole text shows in every look and with
// wider menu images, none of it cut off at the menu's right edge.
TEST_F(PopupMenuWindowTest, TheWidestItemShowsItsWholeText)
{
    struct Case
    {
        const char* name;
        CRuntimeClass* pLook;
        CSize sizeMenuImage;
    };
    const Case cases[] = {{"standard look", nullptr, CSize(16, 15)},
                          {"xp look", RUNTIME_CLASS(CKTVisualManagerXP), CSize(16, 15)},
                          {"xp look, wider images", RUNTIME_CLASS(CKTVisualManagerXP), CSize(19, 18)}};
    const CSize sizeButtonBefore = CKTToolBar::GetMenuButtonSize();
    const CSize sizeImageBefore = CKTToolBar::GetMenuImageSize();
    for (const Case& c : cases)
    {
        CKTVisualManager::SetDefaultManager(c.pLook);
        CKTToolBar::SetMenuSizes(c.sizeMenuImage + CSize(7, 7), c.sizeMenuImage);
        HMENU hMenu = ::CreatePopupMenu();
        HMENU hSub = ::CreatePopupMenu();
        ::AppendMenuW(hSub, MF_STRING, ID_M_ALPHA, L"&Alpha");
        ::AppendMenuW(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hSub), L"&Tools");
        ::AppendMenuW(hMenu, MF_STRING, ID_M_UNDO, L"&Status Bar");
        CKTPopupMenu* pPopup = new CKTPopupMenu;
        ASSERT_TRUE(pPopup->Create(m_pFrame, -1, -1, hMenu, FALSE, TRUE)) << c.name;
        ASSERT_TRUE(PumpUntil([&] { return pPopup->GetMenuBar()->IsWindowVisible() != FALSE; }, 3000));
        pPopup->GetMenuBar()->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        PumpAndIdle();
        const int iItem = IndexOf(pPopup, ID_M_UNDO);
        ASSERT_GE(iItem, 0);
        CRect rectItem = pPopup->GetMenuBar()->GetButton(iItem)->m_rect;
        pPopup->GetMenuBar()->ClientToScreen(&rectItem);
        // The mnemonic's underline lies under the first letter's ink.
        EXPECT_EQ(InkWidthOfText(L"Status Bar"), InkWidthOnScreen(rectItem, ktGlobals.m_colorText)) << c.name;
        pPopup->SendMessage(WM_CLOSE);
        PumpAndIdle();
    }
    CKTToolBar::SetMenuSizes(sizeButtonBefore, sizeImageBefore);
    CKTVisualManager::SetDefaultManager(nullptr);
}

TEST_F(PopupMenuWindowTest, SubmenuOfARightToLeftMenuOpensToItsLeft)
{
    // Far enough from the screen's left edge for the submenu to fit there.
    m_pFrame->SetWindowPos(nullptr, 400, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_pFrame->ModifyStyleEx(0, WS_EX_LAYOUTRTL);
    const char* ways[] = {"after the delay", "by a click on the item"};
    for (const char* way : ways)
    {
        CKTPopupMenu* pPopup = new CKTPopupMenu;
        ASSERT_TRUE(pPopup->Create(m_pFrame, -1, -1, MakeEditMenu(), FALSE, TRUE)) << way;
        ASSERT_TRUE(PumpUntil([&] { return pPopup->GetMenuBar()->IsWindowVisible() != FALSE; }, 3000)) << way;
        EXPECT_NE(0u, pPopup->GetExStyle() & WS_EX_LAYOUTRTL) << way;
        CKTPopupMenuBar* pBar = pPopup->GetMenuBar();
        auto* pMore = static_cast<CKTToolbarMenuButton*>(pBar->GetButton(1));
        ASSERT_EQ(static_cast<UINT>(-1), pMore->m_nID) << way;
        if (way == ways[0])
            ASSERT_TRUE(pBar->OpenItemPopup(pMore)) << way;
        else
            ASSERT_TRUE(pMore->OnClick(pBar, FALSE)) << way;
        PumpAndIdle();
        CKTPopupMenu* pSub = pMore->m_pPopupMenu;
        ASSERT_NE(nullptr, pSub) << way;
        EXPECT_EQ(CKTPopupMenu::DROP_DIRECTION_LEFT, pSub->m_DropDirection) << way;
        CRect rectMenu;
        CRect rectSub;
        pPopup->GetWindowRect(&rectMenu);
        pSub->GetWindowRect(&rectSub);
        EXPECT_LE(rectSub.right, rectMenu.left) << way;
        EXPECT_GE(rectSub.right, rectMenu.left - 2) << way << ": beside its parent";
        pPopup->SendMessage(WM_CLOSE);
        PumpAndIdle();
        EXPECT_EQ(0, CountPopupWindows()) << way;
    }
}

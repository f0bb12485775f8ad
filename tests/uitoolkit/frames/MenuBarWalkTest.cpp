// The menus of the toolkit MDI program as a user walks them with the mouse: opened from the menu
// bar, into the submenu two levels deep by resting on its items, closed by a choice; a click on
// the open menu's title ends there; passing over another title opens its menu.
#include "tests/uitoolkit/frames/FramesFixture.h"

#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTPopupMenuBar.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"

#include <functional>
#include <string>
#include <vector>

namespace
{

// The open chain's depth: 0 closed, 1 a menu, 2 a submenu...
int Depth()
{
    int n = 0;
    for (CKTPopupMenu* p = CKTPopupMenu::GetActiveMenu(); p != nullptr; p = p->GetParentPopupMenu())
        n++;
    return n;
}

// The highlighted item of the deepest menu (0 when none).
UINT HotCommand()
{
    CKTPopupMenu* pPopup = CKTPopupMenu::GetActiveMenu();
    if (pPopup == nullptr)
        return 0;
    CKTToolbarButton* pHot = pPopup->GetMenuBar()->GetButton(pPopup->GetMenuBar()->GetHighlightedIndex());
    return pHot != nullptr ? pHot->m_nID : 0;
}

// The title whose menu is open on the menu bar, or empty.
CString OpenTitle(const CKTMenuBar& bar)
{
    for (int i = 0; i < bar.GetCount(); i++)
    {
        const CKTToolbarButton* pButton = bar.GetButton(i);
        if (pButton->IsKindOf(RUNTIME_CLASS(CKTToolbarMenuButton)) &&
            static_cast<const CKTToolbarMenuButton*>(pButton)->m_pPopupMenu != nullptr)
            return pButton->m_strText;
    }
    return CString();
}

} // namespace

class MenuBarWalkTest : public FramesTest
{
protected:
    void TearDown() override
    {
        for (int i = 0; i < 5 && CKTPopupMenu::GetActiveMenu() != nullptr; i++)
        {
            CKTPopupMenu::GetActiveMenu()->SendMessage(WM_CLOSE);
            Settle();
        }
        FramesTest::TearDown();
    }
    POINT PopupItemCentre(int iItem)
    {
        CKTPopupMenuBar* pBar = CKTPopupMenu::GetActiveMenu()->GetMenuBar();
        CRect rect = pBar->GetButton(iItem)->m_rect;
        pBar->ClientToScreen(&rect);
        return rect.CenterPoint();
    }
};

TEST_F(MenuBarWalkTest, KeysOpenWalkAndCloseTheMenus)
{
    ASSERT_NE(nullptr, OpenDocument(L"Report 1"));
    const UINT kSub = (UINT)-1;
    struct Step
    {
        const char* name;
        std::function<void(UserInput&)> keys;
        int depth;
        const wchar_t* openTitle; // the menu bar's title whose menu is open ("" none)
        UINT hot;                 // the deepest menu's highlighted command (0: not checked)
        std::vector<UINT> commands;
    };
    const auto press = [](std::vector<WORD> vks) {
        return [vks](UserInput& input) {
            for (WORD vk : vks)
                input.Press(vk).Pause(40);
        };
    };
    const auto alt = [](char ch) {
        return [ch](UserInput& input) { input.Key(VK_MENU, true).Press(ch).Key(VK_MENU, false).Pause(60); };
    };
    const std::vector<Step> steps = {
        {"Alt+E opens Edit", alt('E'), 1, L"&Edit", 0, {}},
        {"End takes its last item", press({VK_END}), 1, L"&Edit", kSub, {}},
        {"Home wraps back to the first", press({VK_HOME}), 1, L"&Edit", ID_FRAMES_COPY, {}},
        {"Up wraps to the last", press({VK_UP}), 1, L"&Edit", kSub, {}},
        {"Right opens the submenu on its first item", press({VK_RIGHT}), 2, L"&Edit", kSub, {}},
        {"and the next level", press({VK_RIGHT}), 3, L"&Edit", ID_FRAMES_LEAF, {}},
        {"Left goes back one level", press({VK_LEFT}), 2, L"&Edit", kSub, {}},
        {"Escape closes one level", press({VK_ESCAPE}), 1, L"&Edit", kSub, {}},
        {"Right on an item without a submenu opens the next menu on its first item",
         press({VK_HOME, VK_RIGHT}),
         1,
         L"&Window",
         ID_WINDOW_CASCADE,
         {}},
        {"Left opens the menu before", press({VK_LEFT}), 1, L"&Edit", ID_FRAMES_COPY, {}},
        {"and the first menu", press({VK_LEFT}), 1, L"&File", ID_FRAMES_NEW, {}},
        {"Left on the first menu goes round to the last", press({VK_LEFT}), 1, L"&Window", ID_WINDOW_CASCADE, {}},
        {"Right on the last goes round to the first", press({VK_RIGHT}), 1, L"&File", ID_FRAMES_NEW, {}},
        {"Right again", press({VK_RIGHT}), 1, L"&Edit", ID_FRAMES_COPY, {}},
        {"a Ctrl accelerator does nothing while a menu is open",
         [](UserInput& input) { input.Key(VK_CONTROL, true).Press('N').Key(VK_CONTROL, false).Pause(60); },
         1,
         L"&Edit",
         0,
         {}},
        {"the grayed item's mnemonic chooses nothing", press({'P'}), 0, L"", 0, {}},
        {"Alt+E, End, Right, Right, Enter chooses the deepest item once",
         [&](UserInput& input) {
             alt('E')(input);
             press({VK_END, VK_RIGHT, VK_RIGHT, VK_RETURN})(input);
         },
         0,
         L"",
         0,
         {ID_FRAMES_LEAF}},
    };
    for (const Step& step : steps)
    {
        m_pFrame->m_commands.clear();
        UserInput input;
        step.keys(input);
        Play(input);
        RunMessageLoopFor(100);
        EXPECT_EQ(step.depth, Depth()) << step.name;
        EXPECT_EQ(std::wstring(step.openTitle), std::wstring(OpenTitle(m_wndMenuBar))) << step.name;
        if (step.hot != 0)
        {
            EXPECT_EQ(step.hot, HotCommand()) << step.name;
        }
        EXPECT_EQ(step.commands, m_pFrame->m_commands) << step.name;
    }
}

TEST_F(MenuBarWalkTest, TheMouseOpensAMenuAndChoosesInItsDeepestSubmenuOnce)
{
    ASSERT_NE(nullptr, OpenDocument(L"Report 1"));
    const int iEdit = 1;
    {
        UserInput input;
        input.MoveTo(ItemCentre(&m_wndMenuBar, iEdit)).LeftDown().Pause(60).LeftUp().Pause(200);
        Play(input);
    }
    ASSERT_EQ(1, Depth());
    EXPECT_EQ(CString(L"&Edit"), OpenTitle(m_wndMenuBar));
    EXPECT_TRUE(m_pFrame->m_commands.empty()) << "the release that opened the menu chooses nothing";

    // Resting on More, then on Deeper, opens them after the menu delay; Leaf is clicked.
    for (int iLevel = 1; iLevel <= 2; iLevel++)
    {
        CKTPopupMenuBar* pBar = CKTPopupMenu::GetActiveMenu()->GetMenuBar();
        const int iSub = pBar->CommandToIndex((UINT)-1);
        ASSERT_GE(iSub, 0);
        UserInput input;
        // The first move into a menu only tells it where the mouse is.
        const CPoint ptItem = PopupItemCentre(iSub);
        input.MoveTo(CPoint(ptItem.x - 4, ptItem.y)).Pause(50).MoveTo(ptItem);
        Play(input);
        EXPECT_TRUE(PumpUntil([&] { return Depth() == iLevel + 1; }, 3000)) << "level " << iLevel;
    }
    SaveScreenshot(L"frames_menu_bar_deepest_submenu.bmp");
    {
        const int iLeaf = CKTPopupMenu::GetActiveMenu()->GetMenuBar()->CommandToIndex(ID_FRAMES_LEAF);
        ASSERT_GE(iLeaf, 0);
        UserInput input;
        input.MoveTo(PopupItemCentre(iLeaf)).Pause(50).LeftDown().Pause(50).LeftUp().Pause(150);
        Play(input);
    }
    EXPECT_EQ(0, Depth());
    EXPECT_EQ(std::vector<UINT>{ID_FRAMES_LEAF}, m_pFrame->m_commands);

    // On the menu bar a second click on the open menu's title ends there: the menu stays as it
    // is and nothing is chosen.
    m_pFrame->m_commands.clear();
    for (int nClicks : {1, 2})
    {
        UserInput input;
        input.MoveTo(ItemCentre(&m_wndMenuBar, iEdit)).LeftDown().Pause(60).LeftUp().Pause(200);
        Play(input);
        EXPECT_EQ(1, Depth()) << nClicks;
        EXPECT_EQ(CString(L"&Edit"), OpenTitle(m_wndMenuBar)) << nClicks;
    }
    EXPECT_TRUE(m_pFrame->m_commands.empty());

    // While a menu is open, the pointer passing over another title opens that menu instead.
    const struct
    {
        int iTitle;
        const wchar_t* pszTitle;
    } titles[] = {{0, L"&File"}, {3, L"&Window"}, {iEdit, L"&Edit"}};
    for (const auto& title : titles)
    {
        UserInput input;
        input.MoveTo(ItemCentre(&m_wndMenuBar, title.iTitle)).Pause(100);
        Play(input);
        EXPECT_TRUE(PumpUntil([&] { return OpenTitle(m_wndMenuBar) == title.pszTitle; }, 2000)) << title.pszTitle;
        EXPECT_EQ(1, Depth()) << title.pszTitle;
    }
    EXPECT_TRUE(m_pFrame->m_commands.empty());
}

// Open one menu with a click, slide to the next title and go straight down into its menu: the
// menu that opened on the way shows its items and takes the click (it once stayed blank and
// swallowed clicks until Escape).
TEST_F(MenuBarWalkTest, AMenuReachedBySlidingAlongTheTitlesShowsItsItemsAndTakesAClick)
{
    ASSERT_NE(nullptr, OpenDocument(L"Report 1"));
    const int iFile = 0;
    const int iEdit = 1;
    CRect rectEdit;
    m_wndMenuBar.GetItemRect(iEdit, &rectEdit);
    m_wndMenuBar.ClientToScreen(&rectEdit);
    const CPoint ptFile = ItemCentre(&m_wndMenuBar, iFile);
    const CPoint ptEdit = rectEdit.CenterPoint();
    const CPoint ptInto(rectEdit.left + 12, rectEdit.bottom + 10);
    struct Seen
    {
        CKTPopupMenu* pPopup = nullptr;
        BOOL bItemsShown = FALSE;
    } seen;
    UserInput input;
    input.MoveTo(ptFile).Pause(100).LeftDown().Pause(60).LeftUp().Pause(200);
    input.Glide(ptFile, ptEdit, 5).Glide(ptEdit, ptInto, 3);
    input.ClickAt([&]() -> POINT {
        // Read on the input thread as the user looks at the screen: the menu under the pointer.
        for (int i = 0; i < 40 && CKTPopupMenu::GetActiveMenu() == nullptr; i++)
            ::Sleep(25);
        CKTPopupMenu* pPopup = CKTPopupMenu::GetActiveMenu();
        seen.pPopup = pPopup;
        if (pPopup == nullptr)
            return ptInto;
        CKTPopupMenuBar* pBar = pPopup->GetMenuBar();
        seen.bItemsShown = ::IsWindowVisible(pBar->GetSafeHwnd());
        const int iCopy = pBar->CommandToIndex(ID_FRAMES_COPY);
        if (iCopy < 0)
            return ptInto;
        CRect rect = pBar->GetButton(iCopy)->m_rect;
        pBar->ClientToScreen(&rect);
        return rect.CenterPoint();
    });
    input.Pause(200);
    Play(input);
    ASSERT_NE(nullptr, seen.pPopup) << "a menu was open under the pointer";
    EXPECT_TRUE(seen.bItemsShown) << "its items were shown";
    EXPECT_EQ(0, Depth()) << "the click chose and closed the menu";
    EXPECT_EQ(std::vector<UINT>{ID_FRAMES_COPY}, m_pFrame->m_commands);
}

// Open popup menus in customize mode as a user edits them: a submenu item dragged within the menu
// and out of it keeps its submenu, also through the menu store and a stored copy; a command
// dropped into the menu becomes a menu item (one without text is refused); an item cannot be
// dropped into its own submenu.
#include "tests/framework/input/UserInput.h"
#include "tests/framework/windows/WindowsTestSupport.h"
#include "tests/uitoolkit/menus/MenuTestSupport.h"
#include "uitoolkit/bars/KTMenuStore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

std::vector<UINT> ItemCommands(const CObList& items)
{
    std::vector<UINT> commands;
    for (POSITION pos = items.GetHeadPosition(); pos != nullptr;)
        commands.push_back(static_cast<CKTToolbarButton*>(items.GetNext(pos))->m_nID);
    return commands;
}

// The "&More" submenu of the test's Edit menu, as an item carries it.
void ExpectMoreSubmenu(const CKTToolbarButton* pItem, const char* where)
{
    ASSERT_NE(nullptr, pItem) << where;
    ASSERT_TRUE(pItem->IsKindOf(RUNTIME_CLASS(CKTToolbarMenuButton))) << where;
    const auto* pMore = static_cast<const CKTToolbarMenuButton*>(pItem);
    EXPECT_EQ(CString(L"&More"), pMore->m_strText) << where;
    ASSERT_EQ((std::vector<UINT>{ID_M_ALPHA, (UINT)-1}), ItemCommands(pMore->GetCommands())) << where;
    const auto* pDeep = static_cast<const CKTToolbarMenuButton*>(pMore->GetCommands().GetTail());
    EXPECT_EQ((std::vector<UINT>{ID_M_GAMMA, ID_M_DELTA}), ItemCommands(pDeep->GetCommands())) << where;
}

class PopupMenuCustomizeTest : public ::testing::Test
{
protected:
    // Items are dragged through OLE; the bars register as drop targets when they are created.
    static void SetUpTestSuite() { ASSERT_TRUE(AfxOleInit()); }

    void SetUp() override
    {
        CKTPopupMenu::SetAnimationType(CKTPopupMenu::ANIMATION_NONE);
        m_pFrame = new CMenuTestFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, L"Menus", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 640, 480)));
        m_hFrame = m_pFrame->GetSafeHwnd();
        // A bar of plain commands to drag from: one with a text, one whose text is only a
        // shortcut (nothing is left of it in a menu, where the text ends at its tab).
        ASSERT_TRUE(m_wndCommands.Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR + 1));
        auto* pAdded = new CKTToolbarButton(ID_M_ACCEL, -1, L"&Added");
        pAdded->m_bText = TRUE;
        m_wndCommands.InsertButton(pAdded);
        auto* pBlank = new CKTToolbarButton(ID_M_ACCEL + 1, -1, L"\tCtrl+B");
        pBlank->m_bText = TRUE;
        m_wndCommands.InsertButton(pBlank);
        m_wndCommands.AdjustLayout();
        ::SetForegroundWindow(m_hFrame);
        m_pFrame->RecalcLayout();
        PumpAndIdle();
        ASSERT_TRUE(CKTToolBar::SetCustomizeMode(TRUE));
    }
    void TearDown() override
    {
        CKTToolBar::SetCustomizeMode(FALSE);
        for (int i = 0; i < 10 && ActivePopup() != nullptr; i++)
        {
            ActivePopup()->SendMessage(WM_CLOSE);
            PumpAndIdle();
        }
        if (::IsWindow(m_hFrame))
            m_pFrame->DestroyWindow();
        PumpAndIdle();
    }
    CMenuHostBar& Host() { return m_pFrame->m_wndHost; }
    static CPoint OnScreen(CWnd* pWnd, CPoint pt)
    {
        pWnd->ClientToScreen(&pt);
        return pt;
    }
    static CPoint ItemPoint(CKTToolBar& bar, int iItem, int dy = 0)
    {
        const CRect rect = bar.GetButton(iItem)->m_rect;
        return OnScreen(&bar, CPoint(rect.CenterPoint().x, rect.CenterPoint().y + dy));
    }
    void Drag(CPoint ptFrom, CPoint ptTo)
    {
        UserInput input;
        input.MoveTo(ptFrom).Pause(100).LeftDown().Glide(ptFrom, ptTo, 14).Pause(300);
        input.MoveTo(CPoint(ptTo.x + 1, ptTo.y)).MoveTo(ptTo).Pause(200).LeftUp().Pause(200);
        input.Start();
        PumpUntil([&] { return input.Done(); }, 15000);
        PumpAndIdle();
    }
    CKTPopupMenu* OpenEdit()
    {
        if (!Host().OpenMenu(1))
            return nullptr;
        PumpAndIdle();
        return ActivePopup();
    }

    CMenuTestFrame* m_pFrame = nullptr;
    HWND m_hFrame = nullptr;
    CKTToolBar m_wndCommands;
};

} // namespace

TEST_F(PopupMenuCustomizeTest, SubmenuItemDraggedWithinAndOutOfTheMenuKeepsItsSubmenuAndStoresIt)
{
    CKTPopupMenu* pPopup = OpenEdit();
    ASSERT_NE(nullptr, pPopup);
    CKTPopupMenuBar* pBar = pPopup->GetMenuBar();
    ASSERT_EQ((std::vector<UINT>{ID_M_UNDO, (UINT)-1, ID_M_COPY}), BarCommands(*pBar));

    // Within the menu: "&More" below "&Copy".
    const int nRow = pBar->GetButton(2)->m_rect.Height();
    Drag(ItemPoint(*pBar, 1), ItemPoint(*pBar, 2, nRow / 2 - 2));
    ASSERT_EQ(pPopup, ActivePopup());
    ASSERT_EQ((std::vector<UINT>{ID_M_UNDO, ID_M_COPY, (UINT)-1}), BarCommands(*pBar));
    ExpectMoreSubmenu(pBar->GetButton(2), "moved within the menu");
    HMENU hExported = pBar->ExportToMenu();
    ASSERT_NE(nullptr, hExported);
    HMENU hMoreExported = ::GetSubMenu(hExported, 2);
    EXPECT_TRUE(hMoreExported != nullptr && ::GetMenuItemCount(hMoreExported) == 2) << "the export has the submenu";
    ::DestroyMenu(hExported);
    {
        CRect rect;
        pPopup->GetWindowRect(&rect);
        rect.InflateRect(10, 10);
        ::CreateDirectoryW(L"screenshots", nullptr);
        RunMessageLoopFor(100);
        EXPECT_TRUE(SaveScreenArea(L"screenshots\\menus_customize_submenu_moved.bmp", rect));
    }

    // Through the menu store and back.
    CKTMenuFileStore store;
    ASSERT_TRUE(store.SaveMenu(0x7770, *pBar));
    CKTPopupMenuBar loaded;
    ASSERT_TRUE(store.LoadMenu(0x7770, loaded));
    ASSERT_EQ((std::vector<UINT>{ID_M_UNDO, ID_M_COPY, (UINT)-1}), BarCommands(loaded));
    ExpectMoreSubmenu(loaded.GetButton(2), "loaded from the store");

    // Out of the menu onto the bar of titles, after "&Edit".
    const CRect rectEdit = Host().GetMenuButton(1)->m_rect;
    Drag(ItemPoint(*pBar, 2), OnScreen(&Host(), CPoint(rectEdit.right + 6, rectEdit.CenterPoint().y)));
    ASSERT_EQ(3, Host().GetCount()) << "the item landed on the bar";
    ExpectMoreSubmenu(Host().GetButton(2), "dropped on a toolbar");
    // The menu the item left closes and writes what is left back into its title.
    EXPECT_EQ(nullptr, ActivePopup()) << "the menu closed after the drop";
    EXPECT_EQ((std::vector<UINT>{ID_M_UNDO, ID_M_COPY}), ItemCommands(Host().GetMenuButton(1)->GetCommands()))
        << "moved, not copied";

    // The dropped button stored and read back, as the bar's state stores it.
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar.WriteObject(Host().GetButton(2));
    }
    file.SeekToBegin();
    CArchive arLoad(&file, CArchive::load);
    std::unique_ptr<CKTToolbarButton> pRead(CKTToolbarButton::ReadButton(arLoad));
    ExpectMoreSubmenu(pRead.get(), "read back");
}

TEST_F(PopupMenuCustomizeTest, CommandDroppedIntoAnOpenMenuBecomesAMenuItemAndOneWithoutTextIsRefused)
{
    CKTPopupMenu* pPopup = OpenEdit();
    ASSERT_NE(nullptr, pPopup);
    CKTPopupMenuBar* pBar = pPopup->GetMenuBar();
    const int nRow = pBar->GetButton(0)->m_rect.Height();
    Drag(ItemPoint(m_wndCommands, 0), ItemPoint(*pBar, 0, nRow / 2 - 2));
    ASSERT_EQ(pPopup, ActivePopup());
    ASSERT_EQ((std::vector<UINT>{ID_M_UNDO, ID_M_ACCEL, (UINT)-1, ID_M_COPY}), BarCommands(*pBar));
    CKTToolbarButton* pItem = pBar->GetButton(1);
    EXPECT_TRUE(pItem->IsKindOf(RUNTIME_CLASS(CKTToolbarMenuButton))) << "a menu item, not a plain button";
    EXPECT_EQ(CString(L"&Added"), pItem->m_strText);

    const int iBlank = m_wndCommands.CommandToIndex(ID_M_ACCEL + 1);
    ASSERT_GE(iBlank, 0);
    ASSERT_GT(m_wndCommands.GetButton(iBlank)->m_rect.Width(), 4) << "the command without text can be taken";
    Drag(ItemPoint(m_wndCommands, iBlank), ItemPoint(*pBar, 0, nRow / 2 - 2));
    EXPECT_EQ((std::vector<UINT>{ID_M_UNDO, ID_M_ACCEL, (UINT)-1, ID_M_COPY}), BarCommands(*pBar))
        << "a command without text is refused";
    EXPECT_EQ(iBlank, m_wndCommands.CommandToIndex(ID_M_ACCEL + 1)) << "and stays where it was";

    // The menu writes its items back into its title: the new item stays.
    pPopup->CloseMenu(FALSE);
    PumpAndIdle();
    EXPECT_EQ((std::vector<UINT>{ID_M_UNDO, ID_M_ACCEL, (UINT)-1, ID_M_COPY}),
              ItemCommands(Host().GetMenuButton(1)->GetCommands()));
}

TEST_F(PopupMenuCustomizeTest, AnItemCannotBeDroppedIntoItsOwnSubmenu)
{
    CKTPopupMenu* pPopup = OpenEdit();
    ASSERT_NE(nullptr, pPopup);
    CKTPopupMenuBar* pBar = pPopup->GetMenuBar();
    auto* pMore = static_cast<CKTToolbarMenuButton*>(pBar->GetButton(1));
    // In customize mode a click opens the submenu at once.
    ASSERT_TRUE(pMore->OnClick(pBar, FALSE));
    PumpAndIdle();
    CKTPopupMenu* pSubmenu = pMore->m_pPopupMenu;
    ASSERT_NE(nullptr, pSubmenu);
    CKTPopupMenuBar* pSubBar = pSubmenu->GetMenuBar();
    const std::vector<UINT> subBefore = BarCommands(*pSubBar);
    const HWND hSubBar = pSubBar->GetSafeHwnd();
    UserInput input;
    const CPoint ptFrom = ItemPoint(*pBar, 1);
    const CPoint ptTo = ItemPoint(*pSubBar, 0);
    input.MoveTo(ptFrom).Pause(100).LeftDown().Glide(ptFrom, ptTo, 14).Pause(300);
    input.MoveTo(CPoint(ptTo.x + 1, ptTo.y)).MoveTo(ptTo).Pause(200).LeftUp().Pause(200);
    input.Start();
    PumpUntil([&] { return input.Done(); }, 15000);
    PumpAndIdle();
    // The menu would hold itself: the submenu took nothing.
    ASSERT_TRUE(::IsWindow(hSubBar));
    EXPECT_EQ(subBefore, BarCommands(*pSubBar));
}

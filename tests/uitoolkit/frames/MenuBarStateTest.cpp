// The menu bar's saved state: every menu it shows (the default menu and each document menu) in
// the real registry, the buttons the user put on a menu kept across menu switches, saving while a
// document window is maximised, and the way back to the resources' menus. User toolbars stored
// and read back beside it.
#include "tests/support/UserRegistryBytes.h"
#include "tests/uitoolkit/frames/FramesFixture.h"

#include "uitoolkit/bars/KTFrameImpl.h"
#include "uitoolkit/bars/KTMenuStore.h"
#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/bars/KTWorkspace.h"

#include <algorithm>

namespace
{

const wchar_t kProfile[] = L"Software\\KestTests\\MenuBarState\\";
const wchar_t kProfileKey[] = L"Software\\KestTests\\MenuBarState";

BOOL KeyExists(const CString& strKey)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, strKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return FALSE;
    ::RegCloseKey(hKey);
    return TRUE;
}

std::vector<UINT> Commands(const CKTToolBar& bar)
{
    std::vector<UINT> commands;
    for (int i = 0; i < bar.GetCount(); i++)
        commands.push_back(bar.GetButton(i)->IsSeparator() ? 0 : bar.GetButton(i)->m_nID);
    return commands;
}

BOOL HasCommand(const CKTToolBar& bar, UINT uiCmd)
{
    const std::vector<UINT> commands = Commands(bar);
    return std::find(commands.begin(), commands.end(), uiCmd) != commands.end();
}

} // namespace

class MenuBarStateTest : public FramesTest
{
protected:
    // Buttons are dragged between bars with OLE drag and drop.
    static void SetUpTestSuite() { ASSERT_TRUE(AfxOleInit()); }

    void SetUp() override
    {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kProfileKey);
        FramesTest::SetUp();
        // The bar stores the menus of the application's templates.
        TestApp().m_templateList.m_templates.push_back(m_pTemplate.get());
    }
    void TearDown() override
    {
        CKTToolBar::SetCustomizeMode(FALSE);
        auto& templates = TestApp().m_templateList.m_templates;
        templates.erase(std::remove(templates.begin(), templates.end(), m_pTemplate.get()), templates.end());
        FramesTest::TearDown();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kProfileKey);
    }
    // The bar's section for a menu: the bar's id, then the menu's resource id (0: the default).
    static CString Section(UINT uiMenuId)
    {
        CString strKey;
        strKey.Format(L"%sKTToolBar-%d%x", kProfile, AFX_IDW_MENUBAR, uiMenuId);
        return strKey;
    }
    // What is stored for a menu, read by a plain toolbar.
    std::vector<UINT> StoredCommands(UINT uiMenuId)
    {
        CKTToolBar reader;
        EXPECT_TRUE(reader.Create(m_pFrame, WS_CHILD | CBRS_TOP, 0xE8A0));
        EXPECT_TRUE(reader.LoadState(kProfile, AFX_IDW_MENUBAR, uiMenuId)) << uiMenuId;
        const std::vector<UINT> commands = Commands(reader);
        reader.DestroyWindow();
        return commands;
    }
    // A button put on the menu bar where a drop at the point would land.
    void DropCommandAt(CPoint ptClient, UINT uiCmd, LPCTSTR lpszText)
    {
        CRect rectMarker;
        const int iIndex = m_wndMenuBar.FindDropIndex(ptClient, rectMarker);
        ASSERT_GE(iIndex, 0);
        ASSERT_GE(m_wndMenuBar.InsertButton(new CKTToolbarButton(uiCmd, -1, lpszText), iIndex), 0);
        m_wndMenuBar.AdjustLayout();
    }
    // The user drags the toolbar's button onto the menu bar in customize mode, holding Ctrl so
    // that the toolbar keeps its own.
    void DragFromToolbarToMenuBar(int iToolbarButton, CPoint ptMenuBarClient)
    {
        ASSERT_TRUE(CKTToolBar::SetCustomizeMode(TRUE));
        Settle();
        const CPoint ptFrom = ItemCentre(&m_wndToolBar, iToolbarButton);
        CPoint ptTo = ptMenuBarClient;
        m_wndMenuBar.ClientToScreen(&ptTo);
        UserInput input;
        input.MoveTo(ptFrom).Pause(100).DisplayKey("ctrl", true);
        input.LeftDown().Glide(ptFrom, ptTo, 16).Pause(300).MoveTo(CPoint(ptTo.x + 1, ptTo.y)).MoveTo(ptTo).Pause(200);
        input.LeftUp().DisplayKey("ctrl", false).Pause(100);
        Play(input);
        CKTToolBar::SetCustomizeMode(FALSE);
        Settle();
    }
    CPoint RightEnd()
    {
        CRect rect;
        m_wndMenuBar.GetClientRect(&rect);
        return CPoint(rect.right - 2, rect.CenterPoint().y);
    }
};

TEST_F(MenuBarStateTest, MenuSwitchingKeepsADraggedButton)
{
    CMDIChildWnd* pChild = OpenDocument(L"Report 1");
    ASSERT_NE(nullptr, pChild);
    ASSERT_EQ((UINT)ID_FRAMES_COPY, m_wndToolBar.GetButton(2)->m_nID);
    ASSERT_FALSE(HasCommand(m_wndMenuBar, ID_FRAMES_COPY));
    DragFromToolbarToMenuBar(2, RightEnd());
    ASSERT_TRUE(HasCommand(m_wndMenuBar, ID_FRAMES_COPY)) << "dropped on the menu bar";
    EXPECT_TRUE(HasCommand(m_wndToolBar, ID_FRAMES_COPY)) << "copied with Ctrl";
    SaveScreenshot(L"frames_menu_bar_dragged_button.bmp");

    // To the default menu and back: the document menu keeps the button, the default has none.
    pChild->MDIDestroy();
    Settle();
    EXPECT_EQ(m_wndMenuBar.GetDefaultMenu(), m_wndMenuBar.GetMenu());
    EXPECT_FALSE(HasCommand(m_wndMenuBar, ID_FRAMES_COPY));
    ASSERT_NE(nullptr, OpenDocument(L"Report 2"));
    EXPECT_EQ(m_pTemplate->m_hMenuShared, m_wndMenuBar.GetMenu());
    EXPECT_TRUE(HasCommand(m_wndMenuBar, ID_FRAMES_COPY));
    EXPECT_EQ(ID_FRAMES_COPY, Commands(m_wndMenuBar).back()) << "where it was dropped";
}

TEST_F(MenuBarStateTest, DropOnAMaximisedChildsBarLandsBetweenTheSystemButtons)
{
    CMDIChildWnd* pChild = OpenDocument(L"Report 1");
    ASSERT_NE(nullptr, pChild);
    pChild->MDIMaximize();
    Settle();
    ASSERT_TRUE(m_wndMenuBar.IsMaximizeMode());
    const int nCount = m_wndMenuBar.GetCount();
    const int nWindowButtons = m_wndMenuBar.GetSystemButtonsCount();
    struct Case
    {
        const char* name;
        CPoint point;
        int iExpected;
    } cases[] = {
        {"on the window buttons", RightEnd(), nCount - nWindowButtons},
        {"left of the system-menu button", CPoint(0, RightEnd().y), 1},
    };
    for (const Case& c : cases)
    {
        CRect rectMarker;
        EXPECT_EQ(c.iExpected, m_wndMenuBar.FindDropIndex(c.point, rectMarker)) << c.name;
        EXPECT_FALSE(rectMarker.IsRectEmpty()) << c.name;
        CRect rectNeighbour;
        m_wndMenuBar.GetItemRect(c.iExpected - 1, &rectNeighbour);
        EXPECT_EQ(rectNeighbour.right, rectMarker.CenterPoint().x) << "the marker after the item before: " << c.name;
    }
    DropCommandAt(RightEnd(), ID_FRAMES_LEAF, L"&Leaf");
    EXPECT_EQ(nWindowButtons, m_wndMenuBar.GetSystemButtonsCount());
    EXPECT_EQ((UINT)ID_FRAMES_LEAF, m_wndMenuBar.GetButton(nCount - nWindowButtons)->m_nID);
    EXPECT_EQ((UINT)SC_CLOSE, m_wndMenuBar.GetButton(m_wndMenuBar.GetCount() - 1)->m_nID);

    // Restoring the window takes away exactly its buttons; the dropped one stays.
    pChild->MDIRestore();
    Settle();
    EXPECT_FALSE(m_wndMenuBar.IsMaximizeMode());
    EXPECT_EQ(ID_FRAMES_LEAF, Commands(m_wndMenuBar).back());
    EXPECT_FALSE(HasCommand(m_wndMenuBar, SC_CLOSE));
}

TEST_F(MenuBarStateTest, SavingWhileMaximisedStoresNoWindowButtonsAndKeepsThem)
{
    CMDIChildWnd* pChild = OpenDocument(L"Report 1");
    ASSERT_NE(nullptr, pChild);
    pChild->MDIMaximize();
    Settle();
    ASSERT_TRUE(m_wndMenuBar.IsMaximizeMode());
    const std::vector<UINT> before = Commands(m_wndMenuBar);

    ASSERT_TRUE(m_wndMenuBar.SaveState(kProfile));
    EXPECT_TRUE(m_wndMenuBar.IsMaximizeMode()) << "the user sees no change";
    EXPECT_EQ(before, Commands(m_wndMenuBar));
    EXPECT_EQ(m_pTemplate->m_hMenuShared, m_wndMenuBar.GetMenu());
    EXPECT_EQ(3, m_wndMenuBar.GetSystemButtonsCount());

    EXPECT_TRUE(KeyExists(Section(0))) << "the default menu";
    EXPECT_TRUE(KeyExists(Section(IDR_FRAMES_DOC))) << "the document menu";
    const std::vector<UINT> stored = StoredCommands(IDR_FRAMES_DOC);
    EXPECT_EQ((std::vector<UINT>{(UINT)-1, (UINT)-1, 0, (UINT)-1, ID_FRAMES_HELP}), stored)
        << "the menu's own items, no system-menu or window buttons";
    EXPECT_EQ((std::vector<UINT>{(UINT)-1, (UINT)-1, ID_FRAMES_HELP}), StoredCommands(0));
}

TEST_F(MenuBarStateTest, StateRoundTripThroughTheRegistry)
{
    CMDIChildWnd* pChild = OpenDocument(L"Report 1");
    ASSERT_NE(nullptr, pChild);
    DropCommandAt(RightEnd(), ID_FRAMES_LEAF, L"&Leaf");
    ASSERT_TRUE(m_wndMenuBar.SaveState(kProfile));
    m_pFrame->m_resetMenus.clear();

    // The user's button goes (the menus as the resources give them), then the stored state
    // brings it back to the document menu only.
    m_wndMenuBar.RestoreResourceState();
    EXPECT_FALSE(HasCommand(m_wndMenuBar, ID_FRAMES_LEAF));
    EXPECT_EQ(m_pTemplate->m_hMenuShared, m_wndMenuBar.GetMenu());
    ASSERT_TRUE(m_wndMenuBar.LoadState(kProfile));
    EXPECT_TRUE(m_pFrame->m_resetMenus.empty());
    EXPECT_TRUE(HasCommand(m_wndMenuBar, ID_FRAMES_LEAF));
    pChild->MDIDestroy();
    Settle();
    EXPECT_FALSE(HasCommand(m_wndMenuBar, ID_FRAMES_LEAF));
    ASSERT_NE(nullptr, OpenDocument(L"Report 2"));
    EXPECT_TRUE(HasCommand(m_wndMenuBar, ID_FRAMES_LEAF));

    // Nothing stored: each menu is built from itself and the frame is told which.
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kProfileKey);
    EXPECT_FALSE(m_wndMenuBar.LoadState(kProfile));
    EXPECT_EQ((std::vector<UINT>{IDR_FRAMES_DOC, IDR_FRAMES_MAIN}), m_pFrame->m_resetMenus);
    EXPECT_FALSE(HasCommand(m_wndMenuBar, ID_FRAMES_LEAF));
    EXPECT_EQ(m_pTemplate->m_hMenuShared, m_wndMenuBar.GetMenu());
}

TEST_F(MenuBarStateTest, UserToolbarsAreStoredReadBackAndForgottenWhenDeleted)
{
    const CString strSection = CString(kProfile) + L"UserBars\\";
    CKTFrameSupport& support = m_pFrame->GetFrameSupport();
    support.EnableUserToolbars(strSection, ID_FRAMES_USERBAR_FIRST, ID_FRAMES_USERBAR_LAST);
    std::vector<CKTToolBar*> bars;
    for (int i = 0; i < 3; i++)
    {
        CString strName;
        strName.Format(L"Mine %d", i + 1);
        CKTToolBar* pBar = support.CreateUserToolbar(strName);
        ASSERT_NE(nullptr, pBar);
        pBar->InsertButton(new CKTToolbarButton(ID_FRAMES_COPY + i, -1, L"x"));
        bars.push_back(pBar);
    }
    support.SaveUserToolbars();
    CString strFirst;
    strFirst.Format(L"%sKTToolBar-%d", (LPCTSTR)strSection, ID_FRAMES_USERBAR_FIRST);
    EXPECT_TRUE(KeyExists(strFirst));
    ASSERT_TRUE(support.DeleteUserToolbar(bars[0]));
    EXPECT_FALSE(KeyExists(strFirst)) << "a deleted bar's state goes with it";

    // Another frame's support reads the two that are left, with their ids, names and buttons.
    CKTFrameSupport second(m_pFrame);
    second.EnableUserToolbars(strSection, ID_FRAMES_USERBAR_FIRST, ID_FRAMES_USERBAR_LAST);
    second.LoadUserToolbars();
    ASSERT_EQ(2, second.GetUserToolbarCount());
    for (int i = 0; i < 2; i++)
    {
        CKTToolBar* pBar = second.GetUserToolbarByIndex(i);
        ASSERT_NE(nullptr, pBar);
        EXPECT_EQ(ID_FRAMES_USERBAR_FIRST + 1 + i, (UINT)pBar->GetDlgCtrlID());
        CString strName;
        pBar->GetWindowText(strName);
        CString strExpected;
        strExpected.Format(L"Mine %d", i + 2);
        EXPECT_EQ(strExpected, strName);
        EXPECT_EQ((std::vector<UINT>{(UINT)(ID_FRAMES_COPY + 1 + i)}), Commands(*pBar));
    }
    // The freed first id goes to the next new bar.
    CKTToolBar* pNew = second.CreateUserToolbar(L"Again");
    ASSERT_NE(nullptr, pNew);
    EXPECT_EQ((UINT)ID_FRAMES_USERBAR_FIRST, (UINT)pNew->GetDlgCtrlID());
}

namespace
{

void WriteValue(const CString& strKey, LPCTSTR lpszValue, const std::vector<BYTE>& bytes)
{
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegCreateKeyExW(HKEY_CURRENT_USER, strKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr));
    ::RegSetValueExW(hKey, lpszValue, 0, REG_BINARY, bytes.empty() ? nullptr : bytes.data(),
                     static_cast<DWORD>(bytes.size()));
    ::RegCloseKey(hKey);
}

// The menu buttons of a list that still name a menu handle the system no longer knows.
int DeadMenuHandles(const CObList& buttons)
{
    int nDead = 0;
    for (POSITION pos = buttons.GetHeadPosition(); pos != nullptr;)
    {
        const CObject* pObject = buttons.GetNext(pos);
        if (pObject != nullptr && pObject->IsKindOf(RUNTIME_CLASS(CKTToolbarMenuButton)))
        {
            const HMENU hMenu = static_cast<const CKTToolbarMenuButton*>(pObject)->m_hMenu;
            if (hMenu != nullptr && !::IsMenu(hMenu))
                nDead++;
        }
    }
    return nDead;
}
} // namespace

TEST_F(MenuBarStateTest, AfterARestoreTheMenusOpenFromTheirResourcesAndNameNoDestroyedMenu)
{
    ASSERT_NE(nullptr, OpenDocument(L"Report 1"));
    DropCommandAt(RightEnd(), ID_FRAMES_LEAF, L"&Leaf");
    m_wndMenuBar.RestoreResourceState();
    Settle();
    EXPECT_FALSE(HasCommand(m_wndMenuBar, ID_FRAMES_LEAF));
    EXPECT_EQ(0, DeadMenuHandles(m_wndMenuBar.GetAllButtons()));

    // The user clicks "Edit": its popup holds the resource's items.
    const int iEdit = 1;
    ASSERT_EQ(CString(L"&Edit"), m_wndMenuBar.GetButton(iEdit)->m_strText);
    UserInput input;
    input.MoveTo(ItemCentre(&m_wndMenuBar, iEdit)).LeftDown().LeftUp().Pause(200);
    Play(input);
    CKTPopupMenu* pPopup = CKTPopupMenu::GetActiveMenu();
    ASSERT_NE(nullptr, pPopup);
    std::vector<UINT> items;
    for (int i = 0; i < pPopup->GetMenuBar()->GetCount(); i++)
        items.push_back(pPopup->GetMenuBar()->GetButton(i)->m_nID);
    EXPECT_EQ((std::vector<UINT>{ID_FRAMES_COPY, ID_FRAMES_PASTE, (UINT)-1}), items);
    pPopup->SendMessage(WM_CLOSE);
    Settle();
}

TEST_F(MenuBarStateTest, ADamagedStoredListRebuildsOnlyItsOwnMenu)
{
    // The default menu and the document menu each carry a button the user dropped there.
    DropCommandAt(RightEnd(), ID_FRAMES_LEAF, L"&Leaf");
    ASSERT_NE(nullptr, OpenDocument(L"Report 1"));
    DropCommandAt(RightEnd(), ID_FRAMES_COPY, L"&Copy");
    ASSERT_TRUE(m_wndMenuBar.SaveState(kProfile));
    const std::vector<BYTE> stored = UserRegistryBytes(Section(IDR_FRAMES_DOC), L"Buttons");
    ASSERT_GT(stored.size(), 8u);

    struct Case
    {
        const char* name;
        std::vector<BYTE> bytes;
    } cases[] = {
        {"cut short", std::vector<BYTE>(stored.begin(), stored.end() - 3)},
        {"no list at all", {0xFF, 0xFF, 0xFF, 0xFF}},
        {"empty", {}},
        // One entry that is no button: a count of 1, the null object, no labels, no title.
        {"a list with an empty entry", {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
    };
    for (const Case& c : cases)
    {
        ASSERT_TRUE(m_wndMenuBar.SaveState(kProfile)) << c.name;
        WriteValue(Section(IDR_FRAMES_DOC), L"Buttons", c.bytes);
        m_pFrame->m_resetMenus.clear();
        m_wndMenuBar.LoadState(kProfile);
        EXPECT_EQ((std::vector<UINT>{IDR_FRAMES_DOC}), m_pFrame->m_resetMenus) << "only that menu's: " << c.name;
        EXPECT_EQ(m_pTemplate->m_hMenuShared, m_wndMenuBar.GetMenu()) << c.name;
        EXPECT_EQ((std::vector<UINT>{(UINT)-1, (UINT)-1, 0, (UINT)-1, ID_FRAMES_HELP}), Commands(m_wndMenuBar))
            << "the document menu as it is: " << c.name;

        CKTToolBar reader;
        ASSERT_TRUE(reader.Create(m_pFrame, WS_CHILD | CBRS_TOP, 0xE8A1));
        ASSERT_TRUE(CKTMenuFileStore::Get().LoadMenu(CKTMenuFileStore::MenuId(m_wndMenuBar.GetDefaultMenu()), reader));
        EXPECT_TRUE(HasCommand(reader, ID_FRAMES_LEAF)) << "the default menu keeps its button: " << c.name;
        reader.DestroyWindow();
        // The document menu gets its button back for the next case.
        DropCommandAt(RightEnd(), ID_FRAMES_COPY, L"&Copy");
    }
}

TEST_F(MenuBarStateTest, WithSmartUpdateTheStoredMenusFollowAChangedResource)
{
    CKTWorkspace workspace(TRUE);
    ASSERT_TRUE(CKTToolBar::IsResourceSmartUpdate());
    DropCommandAt(RightEnd(), ID_FRAMES_LEAF, L"&Leaf");
    ASSERT_TRUE(m_wndMenuBar.SaveState(kProfile));
    for (UINT uiMenuId : {0u, (UINT)IDR_FRAMES_DOC})
        EXPECT_FALSE(UserRegistryBytes(Section(uiMenuId), L"OriginalItems").empty())
            << "the resource's items: " << uiMenuId;
    EXPECT_EQ(0, DeadMenuHandles(m_wndMenuBar.GetOrigButtons())) << "read from resources that are gone";

    struct Case
    {
        const char* name;
        UINT uiResource; // the default menu's resource when the state is read back
        BOOL bKeepsButton;
        std::vector<UINT> resets;
    } cases[] = {
        {"the same resource keeps the user's button", IDR_FRAMES_MAIN, TRUE, {}},
        {"a changed resource starts from the menu again", IDR_FRAMES_DOC, FALSE, {IDR_FRAMES_DOC}},
    };
    for (const Case& c : cases)
    {
        m_wndMenuBar.SetDefaultMenuResId(c.uiResource);
        m_pFrame->m_resetMenus.clear();
        m_wndMenuBar.LoadState(kProfile);
        EXPECT_EQ(c.bKeepsButton, HasCommand(m_wndMenuBar, ID_FRAMES_LEAF)) << c.name;
        EXPECT_EQ(c.resets, m_pFrame->m_resetMenus) << c.name;
    }
    m_wndMenuBar.SetDefaultMenuResId(IDR_FRAMES_MAIN);
}

// Context menus and popup menus inside dialogs, as real windows on the test display: menus by id
// and by handle, owners that take or refuse them, tracked menus ended by Escape or by an item, and
// a dialog whose keys and clicks go to its open menu.
#include "tests/uitoolkit/customize/CustomizeTestApp.h"
#include "tests/uitoolkit/customize/CustomizeTestIds.h"
#include "tests/uitoolkit/customize/CustomizeTestSupport.h"
#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTPopupMenuBar.h"
#include "uitoolkit/bars/KTMenuStore.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/bars/KTWorkspace.h"
#include "uitoolkit/customize/KTContextMenuManager.h"
#include "uitoolkit/customize/KTDialog.h"
#include "uitoolkit/customize/KTDialogMenuHelper.h"
#include "uitoolkit/customize/KTPropertyPage.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
const wchar_t kStateRoot[] = L"SOFTWARE\\KestCustomizeTests\\ContextMenus";
const wchar_t kStatePrefix[] = L"SOFTWARE\\KestCustomizeTests\\ContextMenus\\";

bool KeyExists(const CString& strKey)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, strKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(hKey);
    return true;
}

// A top-level window with a child; both record the commands that reach them.
class CCommandWnd : public CWnd
{
public:
    std::vector<UINT> m_commands;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        m_commands.push_back(LOWORD(wParam));
        return CWnd::OnCommand(wParam, lParam);
    }
};

HMENU MakeMenu()
{
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuW(hMenu, MF_STRING, ID_TEST_CMD_NEW, L"New");
    ::AppendMenuW(hMenu, MF_STRING, ID_TEST_CMD_OPEN, L"Open");
    return hMenu;
}

// The screen point of the popup's item.
POINT ItemPoint(CKTPopupMenu* pMenu, int nItem)
{
    CKTPopupMenuBar* pBar = pMenu->GetMenuBar();
    CRect rect = pBar->GetButton(nItem)->m_rect;
    pBar->ClientToScreen(&rect);
    return rect.CenterPoint();
}

class ContextMenuTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::CreateDirectoryW(L"screenshots", nullptr);
        const CString strClass = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1));
        ASSERT_TRUE(m_top.CreateEx(0, strClass, L"Context menus", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                   CRect(60, 60, 460, 360), nullptr, 0));
        ASSERT_TRUE(
            m_child.CreateEx(0, strClass, L"", WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(40, 40, 240, 200), &m_top, 7));
        m_top.SetForegroundWindow();
        m_hMenu = MakeMenu();
        Pump();
    }
    void TearDown() override
    {
        CKTPopupMenu* pActive = CKTPopupMenu::GetActiveMenu();
        if (pActive != nullptr && pActive->GetSafeHwnd() != nullptr)
            pActive->SendMessage(WM_CLOSE);
        Pump();
        m_top.DestroyWindow();
        ::DestroyMenu(m_hMenu);
        Pump();
    }

    CKTContextMenuManager m_manager;
    CCommandWnd m_top;
    CCommandWnd m_child;
    HMENU m_hMenu = nullptr;
};

TEST_F(ContextMenuTest, TheInstanceIsTheGlobalManagerAndAnEmptyOneHasNoMenus)
{
    EXPECT_EQ(&m_manager, g_pContextMenuManager);
    EXPECT_FALSE(m_manager.ShowPopupMenuById(IDR_TEST_CONTEXT, -1, -1, &m_top));
    CStringList names;
    names.AddTail(L"left over");
    m_manager.GetMenuNames(names);
    EXPECT_TRUE(names.IsEmpty());
    UINT uiId = 99;
    EXPECT_EQ(nullptr, m_manager.GetMenuByName(L"Page", &uiId));
    EXPECT_EQ(0u, uiId);
}

TEST_F(ContextMenuTest, RegisteredMenuOpensByIdFivePixelsIntoTheOwnerWhenNoPointIsGiven)
{
    ASSERT_TRUE(m_manager.AddMenu(L"Page", IDR_TEST_CONTEXT));
    EXPECT_FALSE(m_manager.AddMenu(L"Page", IDR_TEST_CONTEXT));
    UINT uiId = 0;
    EXPECT_NE(nullptr, m_manager.GetMenuByName(L"Page", &uiId));
    EXPECT_EQ((UINT)IDR_TEST_CONTEXT, uiId);
    CStringList names;
    m_manager.GetMenuNames(names);
    ASSERT_EQ(1, (int)names.GetCount());
    EXPECT_EQ(CString(L"Page"), names.GetHead());

    ASSERT_TRUE(m_manager.ShowPopupMenuById(IDR_TEST_CONTEXT, -1, -1, &m_child, TRUE));
    Pump();
    CKTPopupMenu* pMenu = CKTPopupMenu::GetActiveMenu();
    ASSERT_NE(nullptr, pMenu);
    CPoint ptOrigin(0, 0);
    m_child.ClientToScreen(&ptOrigin);
    CRect rectMenu;
    pMenu->GetWindowRect(&rectMenu);
    EXPECT_EQ(ptOrigin + CSize(5, 5), rectMenu.TopLeft());
    CRect rectShot(rectMenu.TopLeft() - CSize(20, 20), rectMenu.Size() + CSize(40, 40));
    SaveScreenArea(L"screenshots/context-menu.bmp", rectShot);
}

TEST_F(ContextMenuTest, DialogsAndToolkitPagesTakeAMenuOnlyWithTheirOwnMessages)
{
    CKTPropertyPage page;
    CKTDialog dialog;
    EXPECT_EQ(nullptr, m_manager.ShowPopupMenu(m_hMenu, 100, 100, &page, FALSE));
    EXPECT_EQ(nullptr, m_manager.ShowPopupMenu(m_hMenu, 100, 100, &dialog, FALSE));
    EXPECT_EQ(nullptr, CKTPopupMenu::GetActiveMenu());
}

TEST_F(ContextMenuTest, ChildOwnersCommandReachesTheTopLevelWindowAndTheCallerKeepsTheMenu)
{
    CRect rectChild;
    m_child.GetWindowRect(&rectChild);
    CKTPopupMenu* pMenu = m_manager.ShowPopupMenu(m_hMenu, rectChild.left + 10, rectChild.top + 10, &m_child, FALSE);
    ASSERT_NE(nullptr, pMenu);
    Pump();
    UserInput input;
    input.ClickAt([&] { return ItemPoint(pMenu, 1); }).Pause(300);
    Play(input);
    PumpFor(200);

    EXPECT_EQ((std::vector<UINT>{ID_TEST_CMD_OPEN}), m_top.m_commands);
    EXPECT_TRUE(m_child.m_commands.empty());
    EXPECT_TRUE(::IsMenu(m_hMenu));
}

TEST_F(ContextMenuTest, TrackedMenuAnswersItsItemOrZeroAndSendsNoCommand)
{
    struct Case
    {
        const char* what;
        bool bChoose;
        UINT uiExpected;
    };
    const Case cases[] = {{"Escape", false, 0}, {"an item", true, ID_TEST_CMD_OPEN}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        UserInput input;
        input.Pause(400);
        if (c.bChoose)
            input.ClickAt([&] { return ItemPoint(CKTPopupMenu::GetActiveMenu(), 1); });
        else
            input.Call([&] {
                CKTPopupMenu* pMenu = CKTPopupMenu::GetActiveMenu();
                if (pMenu != nullptr)
                    pMenu->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
            });
        input.Pause(300);
        input.Start();
        CRect rectChild;
        m_child.GetWindowRect(&rectChild);
        const UINT uiCommand = m_manager.TrackPopupMenu(m_hMenu, rectChild.left + 10, rectChild.top + 10, &m_child);
        input.Wait();
        Pump();
        EXPECT_EQ(c.uiExpected, uiCommand);
        EXPECT_TRUE(m_top.m_commands.empty());
        EXPECT_TRUE(m_child.m_commands.empty());
        EXPECT_FALSE(m_manager.IsTrackMode());
    }
}

TEST_F(ContextMenuTest, TrackedMenuThatCannotBeShownAnswersZeroAtOnce)
{
    // No menu, or a dialog owner (which takes no command a tracked menu hands back): nothing
    // opens, and no loop waits for a window that never came.
    CKTDialog dialog;
    struct Case
    {
        const char* what;
        HMENU hMenu;
        CWnd* pOwner;
    };
    const Case cases[] = {{"no menu", nullptr, &m_child}, {"a dialog owner", m_hMenu, &dialog}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(0u, m_manager.TrackPopupMenu(c.hMenu, 100, 100, c.pOwner));
        EXPECT_FALSE(m_manager.IsTrackMode());
        EXPECT_EQ(nullptr, CKTPopupMenu::GetActiveMenu());
    }
}

TEST_F(ContextMenuTest, CustomizedItemsOfRegisteredMenusAreSavedAndComeBackIntoTheMenuStore)
{
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kStateRoot);
    CString strKey;
    strKey.Format(L"%sKTToolBar-%d%x", kStatePrefix, 0, (UINT)IDR_TEST_CONTEXT);

    // Nothing registered, or nothing customized: nothing is written.
    EXPECT_TRUE(m_manager.SaveState(kStatePrefix));
    EXPECT_TRUE(m_manager.LoadState(kStatePrefix));
    ASSERT_TRUE(m_manager.AddMenu(L"Page", IDR_TEST_CONTEXT));
    EXPECT_TRUE(m_manager.SaveState(kStatePrefix));
    EXPECT_FALSE(KeyExists(strKey));

    // The user took "New" off the menu.
    HMENU hPopup = ::GetSubMenu(m_manager.GetMenuByName(L"Page"), 0);
    const UINT uiStoreId = static_cast<UINT>(reinterpret_cast<UINT_PTR>(hPopup));
    {
        CKTPopupMenuBar bar;
        ASSERT_TRUE(bar.ImportFromMenu(hPopup));
        ASSERT_TRUE(bar.RemoveButton(0));
        ASSERT_TRUE(CKTMenuFileStore::Get().SaveMenu(uiStoreId, bar));
    }
    EXPECT_TRUE(m_manager.SaveState(kStatePrefix));
    EXPECT_TRUE(KeyExists(strKey));

    // The next start finds the customized items.
    CKTMenuFileStore::Get().RemoveMenu(uiStoreId);
    EXPECT_TRUE(m_manager.LoadState(kStatePrefix));
    CKTPopupMenuBar loaded;
    ASSERT_TRUE(CKTMenuFileStore::Get().LoadMenu(uiStoreId, loaded));
    ASSERT_EQ(1, loaded.GetCount());
    EXPECT_EQ((UINT)ID_TEST_CMD_OPEN, loaded.GetButton(0)->m_nID);

    CKTMenuFileStore::Get().RemoveMenu(uiStoreId);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kStateRoot);
}

TEST(ContextMenuWorkspaceTest, TheWorkspaceMakesItsManagerOnTheFirstAskAndDeletesIt)
{
    ASSERT_EQ(nullptr, g_pContextMenuManager);
    {
        CKTWorkspace workspace;
        EXPECT_FALSE(workspace.ShowPopupMenu(IDR_TEST_CONTEXT, CPoint(100, 100), nullptr));
        CKTContextMenuManager* pManager = workspace.GetContextMenuManager();
        ASSERT_NE(nullptr, pManager);
        EXPECT_EQ(pManager, g_pContextMenuManager);
        EXPECT_EQ(pManager, workspace.GetContextMenuManager());
        EXPECT_FALSE(workspace.InitContextMenuManager());
        // Known to the manager only when registered.
        EXPECT_FALSE(workspace.ShowPopupMenu(IDR_TEST_CONTEXT, CPoint(100, 100), nullptr));
    }
    EXPECT_EQ(nullptr, g_pContextMenuManager);
}

// The context menus the user customized are saved and loaded with the rest of the workspace's
// state, under the workspace's path.
TEST(ContextMenuWorkspaceTest, CustomizedContextMenusGoWithTheWorkspacesState)
{
    ASSERT_EQ(nullptr, g_pContextMenuManager);
    HMENU hPopup = nullptr;
    UINT_PTR uiStoreId = 0;
    {
        CKTWorkspace workspace;
        workspace.SetRegistryBase(L"ContextMenuWorkspaceTest");
        workspace.CleanState();
        CKTContextMenuManager* pManager = workspace.GetContextMenuManager();
        ASSERT_TRUE(pManager->AddMenu(L"Page", IDR_TEST_CONTEXT));
        hPopup = ::GetSubMenu(pManager->GetMenuByName(L"Page"), 0);
        uiStoreId = reinterpret_cast<UINT_PTR>(hPopup);
        CKTPopupMenuBar bar;
        ASSERT_TRUE(bar.ImportFromMenu(hPopup));
        ASSERT_TRUE(bar.RemoveButton(0));
        ASSERT_TRUE(CKTMenuFileStore::Get().SaveMenu(uiStoreId, bar));
        EXPECT_TRUE(workspace.SaveState());
        EXPECT_TRUE(KeyExists(workspace.GetRegSectionPath()));
    }
    CKTMenuFileStore::Get().RemoveMenu(uiStoreId);

    // The next start: the same menu registered again finds the user's items.
    CKTWorkspace workspace;
    workspace.SetRegistryBase(L"ContextMenuWorkspaceTest");
    CKTContextMenuManager* pManager = workspace.GetContextMenuManager();
    ASSERT_TRUE(pManager->AddMenu(L"Page", IDR_TEST_CONTEXT));
    hPopup = ::GetSubMenu(pManager->GetMenuByName(L"Page"), 0);
    uiStoreId = reinterpret_cast<UINT_PTR>(hPopup);
    EXPECT_TRUE(workspace.LoadState());
    CKTPopupMenuBar loaded;
    ASSERT_TRUE(CKTMenuFileStore::Get().LoadMenu(uiStoreId, loaded));
    ASSERT_EQ(1, loaded.GetCount());
    EXPECT_EQ((UINT)ID_TEST_CMD_OPEN, loaded.GetButton(0)->m_nID);
    CKTMenuFileStore::Get().RemoveMenu(uiStoreId);
    workspace.CleanState();
}

// A modeless toolkit dialog with a popup menu opened for it.
class DialogMenuTest : public ContextMenuTest
{
protected:
    void SetUp() override
    {
        ContextMenuTest::SetUp();
        ASSERT_TRUE(m_dialog.Create(IDD_TEST_KEYS, nullptr));
        m_dialog.SetWindowPos(nullptr, 120, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        m_dialog.SetForegroundWindow();
        m_pPlain = m_dialog.GetDlgItem(IDC_TEST_PLAIN_EDIT);
        m_pPlain->SetFocus();
        Pump();
    }
    void TearDown() override
    {
        ContextMenuTest::TearDown();
        m_dialog.DestroyWindow();
        Pump();
    }

    // Beside the dialog, or (bInside) within it, where the menu casts its shadow.
    CKTPopupMenu* OpenMenu(BOOL bInside = FALSE)
    {
        CRect rect;
        m_dialog.GetWindowRect(&rect);
        const CPoint pt = bInside ? CPoint(rect.left + 20, rect.top + 40) : CPoint(rect.right + 10, rect.top);
        CKTPopupMenu* pMenu = m_manager.ShowPopupMenu(m_hMenu, pt.x, pt.y, &m_dialog, TRUE);
        if (pMenu != nullptr)
            m_dialog.SetActiveMenu(pMenu);
        Pump();
        return pMenu;
    }

    CKTDialog m_dialog;
    CWnd* m_pPlain = nullptr;
};

TEST_F(DialogMenuTest, KeysGoToTheOpenMenuNotToTheDialogsControls)
{
    CKTPopupMenu* pMenu = OpenMenu();
    ASSERT_NE(nullptr, pMenu);
    const HWND hMenu = pMenu->GetSafeHwnd();
    UserInput input;
    input.Type(L"x").Press(VK_ESCAPE).Pause(300);
    Play(input);

    CString strText;
    m_pPlain->GetWindowText(strText);
    EXPECT_TRUE(strText.IsEmpty());
    EXPECT_FALSE(::IsWindow(hMenu));
    EXPECT_EQ(nullptr, CKTDialogMenuHelper::GetActiveMenu());
    EXPECT_FALSE(CKTDialogMenuHelper::IsHookInstalled());
}

TEST_F(DialogMenuTest, AClickOnAControlClosesTheMenuAndReachesTheControl)
{
    CKTPopupMenu* pMenu = OpenMenu();
    ASSERT_NE(nullptr, pMenu);
    const HWND hMenu = pMenu->GetSafeHwnd();
    CWnd* pKeyEdit = m_dialog.GetDlgItem(IDC_TEST_KEY_EDIT);
    CRect rectEdit;
    pKeyEdit->GetWindowRect(&rectEdit);
    UserInput input;
    input.MoveTo(rectEdit.CenterPoint()).LeftDown().LeftUp().Pause(300);
    Play(input);
    EXPECT_FALSE(::IsWindow(hMenu));
    EXPECT_EQ(pKeyEdit->GetSafeHwnd(), ::GetFocus());
}

TEST_F(DialogMenuTest, AClickOnTheShadowClosesTheMenuAndIsSwallowed)
{
    m_dialog.SetWindowPos(nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER);
    CKTPopupMenu* pMenu = OpenMenu(TRUE);
    ASSERT_NE(nullptr, pMenu);
    const HWND hMenu = pMenu->GetSafeHwnd();
    CRect rectDialog;
    m_dialog.GetWindowRect(&rectDialog);
    SaveScreenArea(L"screenshots/dialog-popup-menu.bmp", rectDialog);
    CRect rectMenu;
    pMenu->GetWindowRect(&rectMenu);
    const CPoint ptShadow(rectMenu.right - 2, rectMenu.CenterPoint().y);
    if (pMenu->HitTest(ptShadow) != CKTPopupMenu::MENU_AREA_SHADOW_RIGHT)
        GTEST_SKIP() << "no menu shadow on this display";
    MSG msg{m_dialog.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, 0, 0, {}};
    CPoint ptClient = ptShadow;
    m_dialog.ScreenToClient(&ptClient);
    msg.lParam = MAKELPARAM(ptClient.x, ptClient.y);
    EXPECT_TRUE(m_dialog.PreTranslateMessage(&msg));
    Pump();
    EXPECT_FALSE(::IsWindow(hMenu));
}

TEST_F(DialogMenuTest, InCustomizeModeNothingIsSwallowed)
{
    CKTPopupMenu* pMenu = OpenMenu();
    ASSERT_NE(nullptr, pMenu);
    CKTToolBar::m_bCustomizeMode = TRUE;
    CRect rectEdit;
    m_pPlain->GetWindowRect(&rectEdit);
    // The helper's filter alone: the dialog's own message handling takes every message for
    // its controls.
    MSG msg{m_pPlain->GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5), 0, {}};
    const BOOL bSwallowed = m_dialog.GetMenuHelper().FilterMessage(&msg);
    const BOOL bOutside = CKTDialogMenuHelper::IsClickOutsideMenu(rectEdit.CenterPoint());
    CKTToolBar::m_bCustomizeMode = FALSE;
    EXPECT_FALSE(bSwallowed);
    EXPECT_FALSE(bOutside);
    EXPECT_TRUE(::IsWindow(pMenu->GetSafeHwnd()));
}

TEST_F(DialogMenuTest, OpeningAndClosingMenusKeepsAtMostOneHook)
{
    for (int i = 0; i < 3; ++i)
    {
        CKTPopupMenu* pMenu = OpenMenu();
        ASSERT_NE(nullptr, pMenu);
        m_dialog.SetActiveMenu(pMenu);
        EXPECT_TRUE(CKTDialogMenuHelper::IsHookInstalled());
        EXPECT_EQ(&m_dialog.GetMenuHelper(), CKTDialogMenuHelper::GetCurrentHelper());
        pMenu->SendMessage(WM_CLOSE);
        m_dialog.SetActiveMenu(nullptr);
        Pump();
        EXPECT_FALSE(CKTDialogMenuHelper::IsHookInstalled());
        EXPECT_EQ(nullptr, CKTDialogMenuHelper::GetCurrentHelper());
    }
}

TEST(KindOfTest, TheObjectIsLookedAtOnce)
{
    CWnd wnd;
    int nCalls = 0;
    auto next = [&]() -> CObject* {
        ++nCalls;
        return &wnd;
    };
    EXPECT_EQ(&wnd, KT_KIND_OF(CWnd, next()));
    EXPECT_EQ(1, nCalls);
    EXPECT_EQ(nullptr, KT_KIND_OF(CFrameWnd, next()));
    EXPECT_EQ(2, nCalls);
    CObject* pNothing = nullptr;
    EXPECT_EQ(nullptr, KT_KIND_OF(CWnd, pNothing));
}

} // namespace

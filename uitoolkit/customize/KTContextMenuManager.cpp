#include "uitoolkit/customize/KTContextMenuManager.h"

#include "uitoolkit/bars/KTMenuStore.h"
#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTPopupMenuBar.h"
#include "uitoolkit/customize/KTDialog.h"
#include "uitoolkit/customize/KTPropertyPage.h"
#include "uitoolkit/looks/KTRegistry.h"

CKTContextMenuManager* g_pContextMenuManager = nullptr;

IMPLEMENT_DYNAMIC(CKTContextMenuManager, CObject)

namespace
{
// A popup that leaves the menu it shows to the caller.
class CKTContextPopupMenu : public CKTPopupMenu
{
public:
    CKTContextPopupMenu() { m_bAutoDestroyMenu = FALSE; }
};

BOOL IsMenuHostingOwner(CWnd* pWnd)
{
    return pWnd != nullptr &&
           (pWnd->IsKindOf(RUNTIME_CLASS(CKTDialog)) || pWnd->IsKindOf(RUNTIME_CLASS(CKTPropertyPage)));
}

} // namespace

CKTContextMenuManager::CKTContextMenuManager()
{
    g_pContextMenuManager = this;
    CKTPopupMenuBar::m_pfnTrackCommand = &CKTContextMenuManager::OnTrackCommand;
}

CKTContextMenuManager::~CKTContextMenuManager()
{
    for (POSITION pos = m_Menus.GetStartPosition(); pos != nullptr;)
    {
        UINT uiResId = 0;
        HMENU hMenu = nullptr;
        m_Menus.GetNextAssoc(pos, uiResId, hMenu);
        ::DestroyMenu(hMenu);
    }
    m_Menus.RemoveAll();
    m_MenuNames.RemoveAll();
    if (CKTPopupMenuBar::m_pfnTrackCommand == &CKTContextMenuManager::OnTrackCommand)
        CKTPopupMenuBar::m_pfnTrackCommand = nullptr;
    if (g_pContextMenuManager == this)
        g_pContextMenuManager = nullptr;
}

BOOL CKTContextMenuManager::AddMenu(LPCTSTR lpszName, UINT uiMenuResId)
{
    HMENU hMenuExisting = nullptr;
    if (lpszName == nullptr || m_Menus.Lookup(uiMenuResId, hMenuExisting) ||
        m_MenuNames.Lookup(lpszName, hMenuExisting))
        return FALSE;
    HMENU hMenu = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(uiMenuResId));
    if (hMenu == nullptr)
        return FALSE;
    m_Menus.SetAt(uiMenuResId, hMenu);
    m_MenuNames.SetAt(lpszName, hMenu);
    return TRUE;
}

void CKTContextMenuManager::OnTrackCommand(UINT uiCmd)
{
    if (g_pContextMenuManager == nullptr)
        return;
    g_pContextMenuManager->m_nLastCommandID = uiCmd;
    g_pContextMenuManager->m_bTrackEnded = TRUE;
}

BOOL CKTContextMenuManager::ShowPopupMenuById(UINT uiMenuResId, int x, int y, CWnd* pWndOwner, BOOL bOwnMessage,
                                              BOOL bRightAlign)
{
    HMENU hMenu = nullptr;
    if (!m_Menus.Lookup(uiMenuResId, hMenu) || hMenu == nullptr)
        return FALSE;
    if (x == -1 && y == -1 && pWndOwner != nullptr && pWndOwner->GetSafeHwnd() != nullptr)
    {
        CPoint ptOrigin(0, 0);
        pWndOwner->ClientToScreen(&ptOrigin);
        x = ptOrigin.x + 5;
        y = ptOrigin.y + 5;
    }
    HMENU hmenuPopup = ::GetSubMenu(hMenu, 0);
    if (hmenuPopup == nullptr)
        return FALSE;
    return ShowPopupMenu(hmenuPopup, x, y, pWndOwner, bOwnMessage, bRightAlign) != nullptr;
}

CKTPopupMenu* CKTContextMenuManager::ShowPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner, BOOL bOwnMessage,
                                                   BOOL bRightAlign)
{
    if (hmenuPopup == nullptr || (IsMenuHostingOwner(pWndOwner) && !bOwnMessage))
        return nullptr;

    if (g_pTearOffIdTable != nullptr)
        g_pTearOffIdTable->AssignMenuIds(hmenuPopup);

    if (m_bTrackMode)
    {
        bOwnMessage = TRUE;
    }
    else if (!bOwnMessage)
    {
        // The commands go to the top-level window.
        while (pWndOwner != nullptr && pWndOwner->GetSafeHwnd() != nullptr && (pWndOwner->GetStyle() & WS_CHILD) != 0)
            pWndOwner = pWndOwner->GetParent();
    }

    CKTPopupMenu* pActive = CKTPopupMenu::GetActiveMenu();
    if (pActive != nullptr && pActive->GetSafeHwnd() != nullptr)
        pActive->SendMessage(WM_CLOSE);

    CKTPopupMenu* pPopupMenu = new CKTContextPopupMenu;
    pPopupMenu->m_bTrackMode = m_bTrackMode;
    pPopupMenu->m_bRightAlign = bRightAlign;
    // A popup that cannot be created deletes itself.
    if (!pPopupMenu->Create(pWndOwner, x, y, hmenuPopup, FALSE, bOwnMessage))
        return nullptr;
    // A dialog or toolkit page routes its keys and clicks to the menu while it is open.
    if (IsMenuHostingOwner(pWndOwner))
        CKTDialogMenuHelper::OnOwnerMenu(pPopupMenu, pWndOwner, TRUE);
    return pPopupMenu;
}

UINT CKTContextMenuManager::TrackPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner, BOOL bRightAlign)
{
    m_nLastCommandID = 0;
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return 0;

    m_bTrackEnded = FALSE;
    m_bTrackMode = TRUE;
    CKTPopupMenu* pMenu = ShowPopupMenu(hmenuPopup, x, y, pWndOwner, FALSE, bRightAlign);
    m_bTrackMode = FALSE;
    // Nothing was shown: nothing to wait for, and no window to touch.
    if (pMenu == nullptr)
        return 0;
    const HWND hWndMenu = pMenu->GetSafeHwnd();

    CWnd* pOwnerParent = pWndOwner != nullptr && pWndOwner->GetSafeHwnd() != nullptr ? pWndOwner->GetParent() : nullptr;
    if (IsMenuHostingOwner(pOwnerParent) && ::IsWindow(hWndMenu))
        CKTDialogMenuHelper::OnOwnerMenu(pMenu, pOwnerParent, TRUE);

    while (::IsWindow(hWndMenu) && !m_bTrackEnded)
    {
        MSG msg;
        if (!::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            ::WaitMessage();
            continue;
        }
        if (msg.message == WM_QUIT)
        {
            // The application's own loop ends on it.
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (!pApp->PreTranslateMessage(&msg))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
        pApp->OnIdle(0);
    }

    if (IsMenuHostingOwner(pOwnerParent) && pOwnerParent->GetSafeHwnd() != nullptr)
        CKTDialogMenuHelper::OnOwnerMenu(pMenu, pOwnerParent, FALSE);
    return m_nLastCommandID;
}

void CKTContextMenuManager::GetMenuNames(CStringList& listOfNames) const
{
    listOfNames.RemoveAll();
    for (POSITION pos = m_MenuNames.GetStartPosition(); pos != nullptr;)
    {
        CString strName;
        HMENU hMenu = nullptr;
        m_MenuNames.GetNextAssoc(pos, strName, hMenu);
        listOfNames.AddTail(strName);
    }
}

HMENU CKTContextMenuManager::GetMenuByName(LPCTSTR lpszName, UINT* puiOrigResID) const
{
    if (puiOrigResID != nullptr)
        *puiOrigResID = 0;
    HMENU hMenu = nullptr;
    if (lpszName == nullptr || !m_MenuNames.Lookup(lpszName, hMenu))
        return nullptr;
    if (puiOrigResID != nullptr)
    {
        for (POSITION pos = m_Menus.GetStartPosition(); pos != nullptr;)
        {
            UINT uiResId = 0;
            HMENU hMenuById = nullptr;
            m_Menus.GetNextAssoc(pos, uiResId, hMenuById);
            if (hMenuById == hMenu)
            {
                *puiOrigResID = uiResId;
                break;
            }
        }
    }
    return hMenu;
}

BOOL CKTContextMenuManager::LoadState(LPCTSTR lpszProfileName)
{
    const CString strPath = GetRegistryPath(L"KTContextMenuManager", lpszProfileName);
    for (POSITION pos = m_Menus.GetStartPosition(); pos != nullptr;)
    {
        UINT uiResId = 0;
        HMENU hMenu = nullptr;
        m_Menus.GetNextAssoc(pos, uiResId, hMenu);
        HMENU hmenuPopup = ::GetSubMenu(hMenu, 0);
        CKTPopupMenuBar bar;
        if (hmenuPopup == nullptr || !bar.ImportFromMenu(hmenuPopup))
            return FALSE;
        // Later popups of the menu show the customized items.
        if (bar.LoadState(strPath, 0, uiResId))
            CKTMenuFileStore::Get().SaveMenu(CKTMenuFileStore::MenuId(hmenuPopup), bar);
    }
    return TRUE;
}

BOOL CKTContextMenuManager::SaveState(LPCTSTR lpszProfileName)
{
    const CString strPath = GetRegistryPath(L"KTContextMenuManager", lpszProfileName);
    for (POSITION pos = m_Menus.GetStartPosition(); pos != nullptr;)
    {
        UINT uiResId = 0;
        HMENU hMenu = nullptr;
        m_Menus.GetNextAssoc(pos, uiResId, hMenu);
        HMENU hmenuPopup = ::GetSubMenu(hMenu, 0);
        CKTPopupMenuBar bar;
        if (hmenuPopup == nullptr || !CKTMenuFileStore::Get().LoadMenu(CKTMenuFileStore::MenuId(hmenuPopup), bar))
            continue;
        if (!bar.SaveState(strPath, 0, uiResId))
            return FALSE;
    }
    return TRUE;
}

// The menu bar's saved state: one stored list of buttons per menu the bar shows (the default menu
// and the menu of every multi-document template), each under its own id in the bar's section, and
// the way back to the menus as the resources give them.
//
// The bar works through the menu store: for each menu it loads the stored copy into itself, saves
// or loads that under the menu's id, and puts the result back into the store. The current menu is
// loaded again at the end, so that the user sees no change. The buttons of a maximised document
// window are never stored.
#include "uitoolkit/bars/KTMenuBar.h"

#include "framework/AfxDocTemplate.h"
#include "framework/AfxMdi.h"
#include "uitoolkit/bars/KTMenuBarButtons.h"

#include <functional>

namespace
{

// Every multi-document template of the application with a shared menu.
void ForEachMenuTemplate(const std::function<void(CMultiDocTemplate*)>& visit)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return;
    for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != nullptr;)
    {
        CDocTemplate* pTemplate = pApp->GetNextDocTemplate(pos);
        if (pTemplate == nullptr || !pTemplate->IsKindOf(RUNTIME_CLASS(CMultiDocTemplate)))
            continue;
        CMultiDocTemplate* pMulti = static_cast<CMultiDocTemplate*>(pTemplate);
        if (pMulti->m_hMenuShared != nullptr)
            visit(pMulti);
    }
}

// A menu resource, destroyed with the object.
class CLoadedMenu
{
public:
    explicit CLoadedMenu(UINT uiResId)
        : m_hMenu(uiResId != 0 ? ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(uiResId)) : nullptr)
    {
    }
    ~CLoadedMenu()
    {
        if (m_hMenu != nullptr)
            ::DestroyMenu(m_hMenu);
    }
    CLoadedMenu(const CLoadedMenu&) = delete;
    CLoadedMenu& operator=(const CLoadedMenu&) = delete;
    HMENU Get() const { return m_hMenu; }

private:
    HMENU m_hMenu;
};

} // namespace

// Working on the stored copies ----------------------------------------------------------------

void CKTMenuBar::BuildButtonsFromMenu(HMENU hMenu)
{
    RemoveAllButtons();
    if (hMenu == nullptr || !::IsMenu(hMenu))
        return;
    KTAssignTearOffIds(hMenu);
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; i++)
    {
        const UINT uiID = ::GetMenuItemID(hMenu, i);
        HMENU hSub = ::GetSubMenu(hMenu, i);
        if (uiID == 0 && hSub == nullptr)
        {
            InsertSeparator();
            continue;
        }
        const CString strText = GetMenuItemText(hMenu, i);
        CKTToolbarButton* pButton =
            hSub != nullptr ? KTNewMenuBarMenuButton(hSub, strText) : KTNewMenuBarCommandButton(uiID, strText);
        if (InsertButton(pButton) < 0)
            delete pButton;
    }
}

void CKTMenuBar::TakeStoredCopy(HMENU hMenu)
{
    const HMENU hOuter = m_hMenuInWork;
    m_hMenuInWork = hMenu;
    if (hMenu == nullptr || !KTLoadMenuCopy(hMenu, this))
        BuildButtonsFromMenu(hMenu);
    m_hMenuInWork = hOuter;
}

BOOL CKTMenuBar::BuildResourceItems(UINT uiMenuResId)
{
    if (!IsResourceSmartUpdate())
        return TRUE;
    DeleteResourceItems();
    CLoadedMenu menu(uiMenuResId);
    if (menu.Get() == nullptr)
        return FALSE;
    const int nCount = ::GetMenuItemCount(menu.Get());
    for (int i = 0; i < nCount; i++)
    {
        const UINT uiID = ::GetMenuItemID(menu.Get(), i);
        HMENU hSub = ::GetSubMenu(menu.Get(), i);
        const CString strText = GetMenuItemText(menu.Get(), i);
        CKTToolbarButton* pItem = nullptr;
        if (uiID == 0 && hSub == nullptr)
            pItem = new CKTToolbarButton(0, -1, nullptr, FALSE, TRUE); // a separator, as toolbars keep it
        else if (hSub != nullptr)
            pItem = KTNewMenuBarMenuButton(hSub, strText);
        else
            pItem = KTNewMenuBarCommandButton(uiID, strText);
        m_OrigButtons.AddTail(pItem);
    }
    return TRUE;
}

// Leaving and coming back ------------------------------------------------------------------------

BOOL CKTMenuBar::LeaveCurrentMenu()
{
    if (m_hMenu != nullptr)
        KTSaveMenuCopy(m_hMenu, this);
    const BOOL bMaximize = m_bMaximizeMode;
    SetMaximizeMode(FALSE, nullptr, FALSE);
    return bMaximize;
}

void CKTMenuBar::ReturnToCurrentMenu(BOOL bMaximize)
{
    TakeStoredCopy(m_hMenu);
    if (bMaximize)
    {
        // RestoreMaximizeMode builds the buttons only while the flag says they should be there.
        m_bMaximizeMode = TRUE;
        m_nSystemButtonsNum = 0;
        m_hSysMenu = nullptr;
        RestoreMaximizeMode();
    }
    CFrameWnd* pFrame = GetSafeHwnd() != nullptr ? GetParentFrame() : nullptr;
    if (pFrame != nullptr)
        pFrame->RecalcLayout();
    if (GetSafeHwnd() != nullptr)
    {
        AdjustLayout();
        Invalidate();
    }
    RebuildAccelerationKeys();
}

// Saved state -----------------------------------------------------------------------------------

BOOL CKTMenuBar::SaveState(LPCTSTR lpszProfileName, int nIndex, UINT /*uiID*/)
{
    const BOOL bMaximize = LeaveCurrentMenu();
    if (m_bMenuPerDocument)
    {
        ForEachMenuTemplate([&](CMultiDocTemplate* pTemplate) {
            TakeStoredCopy(pTemplate->m_hMenuShared);
            BuildResourceItems(pTemplate->m_nIDResource);
            CKTToolBar::SaveState(lpszProfileName, nIndex, pTemplate->m_nIDResource);
        });
    }
    BOOL bSaved = TRUE;
    if (m_hDefaultMenu != nullptr)
    {
        TakeStoredCopy(m_hDefaultMenu);
        BuildResourceItems(m_uiDefMenuResId);
        bSaved = CKTToolBar::SaveState(lpszProfileName, nIndex, 0);
    }
    ReturnToCurrentMenu(bMaximize);
    return bSaved;
}

BOOL CKTMenuBar::LoadMenuState(HMENU hMenu, UINT uiMenuResId, LPCTSTR lpszProfileName, int nIndex, UINT uiID)
{
    TakeStoredCopy(hMenu);
    BuildResourceItems(uiMenuResId);
    m_bResourceWasChanged = FALSE;
    m_hMenuInWork = hMenu;
    const BOOL bLoaded = CKTToolBar::LoadState(lpszProfileName, nIndex, uiID);
    m_hMenuInWork = nullptr;
    if (!bLoaded || IsResourceChanged())
    {
        // What was stored no longer fits the menu: the menu as it is now, and the program told.
        BuildButtonsFromMenu(hMenu);
        CWnd* pTarget = m_pParentWnd != nullptr ? m_pParentWnd : GetParent();
        if (pTarget != nullptr && pTarget->GetSafeHwnd() != nullptr)
            pTarget->SendMessage(KT_WM_RESETMENU, uiMenuResId);
    }
    KTSaveMenuCopy(hMenu, this);
    return bLoaded;
}

BOOL CKTMenuBar::LoadState(LPCTSTR lpszProfileName, int nIndex, UINT /*uiID*/)
{
    const BOOL bMaximize = LeaveCurrentMenu();
    if (m_bMenuPerDocument)
    {
        ForEachMenuTemplate([&](CMultiDocTemplate* pTemplate) {
            LoadMenuState(pTemplate->m_hMenuShared, pTemplate->m_nIDResource, lpszProfileName, nIndex,
                          pTemplate->m_nIDResource);
        });
    }
    BOOL bLoaded = FALSE;
    if (m_hDefaultMenu != nullptr)
        bLoaded = LoadMenuState(m_hDefaultMenu, m_uiDefMenuResId, lpszProfileName, nIndex, 0);
    ReturnToCurrentMenu(bMaximize);
    return bLoaded;
}

void CKTMenuBar::RestoreResourceState()
{
    if (m_hMenuInWork != nullptr)
    {
        // A stored list that cannot be read, met while one menu's copy is read: only that menu
        // starts again from itself, and counts as changed.
        BuildButtonsFromMenu(m_hMenuInWork);
        m_bResourceWasChanged = TRUE;
        return;
    }
    const BOOL bMaximize = LeaveCurrentMenu();
    ForEachMenuTemplate([&](CMultiDocTemplate* pTemplate) {
        CLoadedMenu menu(pTemplate->m_nIDResource);
        if (menu.Get() == nullptr)
            return;
        BuildButtonsFromMenu(menu.Get());
        KTSaveMenuCopy(pTemplate->m_hMenuShared, this);
        UpdateMDIChildrenMenus(pTemplate);
    });
    if (m_hDefaultMenu != nullptr)
    {
        CLoadedMenu menu(m_uiDefMenuResId);
        if (menu.Get() != nullptr)
        {
            OnDefaultMenuLoaded(menu.Get());
            BuildButtonsFromMenu(menu.Get());
            KTSaveMenuCopy(m_hDefaultMenu, this);
        }
    }
    ReturnToCurrentMenu(bMaximize);
}

void CKTMenuBar::ResetAllImages()
{
    const BOOL bMaximize = LeaveCurrentMenu();
    ForEachMenuTemplate([&](CMultiDocTemplate* pTemplate) {
        TakeStoredCopy(pTemplate->m_hMenuShared);
        CKTToolBar::ResetAllImages();
        KTSaveMenuCopy(pTemplate->m_hMenuShared, this);
    });
    if (m_hDefaultMenu != nullptr)
    {
        TakeStoredCopy(m_hDefaultMenu);
        CKTToolBar::ResetAllImages();
        KTSaveMenuCopy(m_hDefaultMenu, this);
    }
    ReturnToCurrentMenu(bMaximize);
}

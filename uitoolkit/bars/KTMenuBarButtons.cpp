#include "uitoolkit/bars/KTMenuBarButtons.h"

#include "uitoolkit/bars/KTMenuBar.h"
#include "uitoolkit/bars/KTMenuStore.h"
#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTPopupMenuBar.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/bars/KTToolbarSpecialButtons.h"

CKTToolbarButton* KTNewMenuBarMenuButton(HMENU hSubMenu, const CString& strText)
{
    // The button takes the submenu's items: its popup is built from them. It keeps no handle:
    // the menus the bar reads from resources are destroyed once read.
    // A menu that can be torn off carries its bar id in front of its text.
    CString strTitle = strText;
    const UINT uiTearOffId = g_pTearOffIdTable != nullptr ? CKTTearOffIdTable::ParseTearOffId(strTitle) : 0;
    auto* pButton = new CKTToolbarMenuButton((UINT)-1, hSubMenu, -1, strTitle);
    pButton->SetTearOff(uiTearOffId);
    pButton->m_hMenu = nullptr;
    pButton->m_bText = TRUE;
    pButton->m_bImage = FALSE;
    return pButton;
}

CKTToolbarButton* KTNewMenuBarCommandButton(UINT uiID, const CString& strText)
{
    auto* pButton = new CKTToolbarButton(uiID, -1, strText);
    pButton->m_bText = TRUE;
    pButton->m_bImage = FALSE;
    return pButton;
}

CKTToolbarButton* KTNewSystemMenuButton(HMENU hSysMenu, HICON hIcon)
{
    return new CKTToolbarSystemMenuButton(hSysMenu, hIcon);
}

CKTToolbarButton* KTNewWindowButton(UINT uiSysCmd)
{
    return new CKTToolbarMenuButtonsButton(uiSysCmd);
}

BOOL KTIsWindowButton(const CKTToolbarButton* pButton)
{
    return pButton != nullptr && pButton->IsKindOf(RUNTIME_CLASS(CKTToolbarMenuButtonsButton));
}

void KTSaveMenuCopy(HMENU hMenu, CKTMenuBar* pBar)
{
    CKTMenuFileStore::Get().SaveMenu(CKTMenuFileStore::MenuId(hMenu), *pBar);
}

BOOL KTLoadMenuCopy(HMENU hMenu, CKTMenuBar* pBar)
{
    const UINT_PTR uiMenuId = CKTMenuFileStore::MenuId(hMenu);
    if (!CKTMenuFileStore::Get().HasMenu(uiMenuId))
        return FALSE;
    // A copy that brings no buttons back is no copy: the bar is then built from the menu.
    pBar->RemoveAllButtons();
    return CKTMenuFileStore::Get().LoadMenu(uiMenuId, *pBar) && pBar->GetCount() > 0;
}

void KTAssignTearOffIds(HMENU hMenu)
{
    if (g_pTearOffIdTable != nullptr)
        g_pTearOffIdTable->AssignMenuIds(hMenu);
}

void KTFreeTearOffIds(HMENU hMenu)
{
    if (g_pTearOffIdTable != nullptr)
        g_pTearOffIdTable->FreeMenuIds(hMenu);
}

void KTShowAllItems(CKTPopupMenu* pPopup)
{
    if (pPopup != nullptr && pPopup->GetSafeHwnd() != nullptr)
        pPopup->ShowAllItems();
}

void KTShowAllItemsOnNextOpen(BOOL bShowAll)
{
    CKTPopupMenuBar::m_bMenuBarShowAllCommands = bShowAll;
}

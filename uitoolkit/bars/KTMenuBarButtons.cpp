#include "uitoolkit/bars/KTMenuBarButtons.h"

#include "uitoolkit/bars/KTMenuBar.h"
#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/bars/KTToolbarSpecialButtons.h"

CKTToolbarButton* KTNewMenuBarMenuButton(HMENU hSubMenu, const CString& strText)
{
    // The button takes the submenu's items: its popup is built from them.
    auto* pButton = new CKTToolbarMenuButton((UINT)-1, hSubMenu, -1, strText);
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

void KTSaveMenuCopy(HMENU, CKTMenuBar*) {}

BOOL KTLoadMenuCopy(HMENU, CKTMenuBar*)
{
    return FALSE;
}

void KTAssignTearOffIds(HMENU) {}

void KTFreeTearOffIds(HMENU) {}

void KTShowAllItems(CKTPopupMenu*) {}

void KTShowAllItemsOnNextOpen(BOOL) {}

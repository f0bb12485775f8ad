#include "uitoolkit/bars/KTMenuBarButtons.h"

#include "uitoolkit/bars/KTMenuBar.h"
#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"

CKTToolbarButton* KTNewMenuBarMenuButton(HMENU hSubMenu, const CString& strText)
{
    auto* pButton = new CKTToolbarMenuButton;
    pButton->m_nID = (UINT)-1;
    pButton->m_hMenu = hSubMenu;
    pButton->m_strText = strText;
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

CKTToolbarButton* KTNewSystemMenuButton(HMENU hSysMenu, HICON)
{
    auto* pButton = new CKTToolbarMenuButton;
    pButton->m_nID = (UINT)-1;
    pButton->m_hMenu = hSysMenu;
    pButton->m_bText = FALSE;
    pButton->m_bImage = TRUE;
    return pButton;
}

CKTToolbarButton* KTNewWindowButton(UINT uiSysCmd)
{
    auto* pButton = new CKTToolbarButton(uiSysCmd, -1, nullptr, FALSE, TRUE);
    return pButton;
}

BOOL KTIsWindowButton(const CKTToolbarButton* pButton)
{
    return pButton != nullptr && pButton->IsLocked() &&
           (pButton->m_nID == SC_MINIMIZE || pButton->m_nID == SC_RESTORE || pButton->m_nID == SC_CLOSE);
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

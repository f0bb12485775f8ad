#pragma once
// The buttons the menu bar is built of, and what it asks of the menu store, the tear-off ids and
// the popup menus, in one place.
#include "framework/Afx.h"

class CKTMenuBar;
class CKTPopupMenu;
class CKTToolbarButton;

// A top-level popup item: a menu button with the submenu, text shown, no image, and the tear-off
// id the text carries.
CKTToolbarButton* KTNewMenuBarMenuButton(HMENU hSubMenu, const CString& strText);
// A command item: the id and text, text shown, no image.
CKTToolbarButton* KTNewMenuBarCommandButton(UINT uiID, const CString& strText);
// The icon of a maximised document window that opens its system menu.
CKTToolbarButton* KTNewSystemMenuButton(HMENU hSysMenu, HICON hIcon);
// A minimise, restore or close button of a maximised document window.
CKTToolbarButton* KTNewWindowButton(UINT uiSysCmd);
BOOL KTIsWindowButton(const CKTToolbarButton* pButton);

// The menu store: the bar's buttons saved for the menu, and loaded back (FALSE when none).
void KTSaveMenuCopy(HMENU hMenu, CKTMenuBar* pBar);
BOOL KTLoadMenuCopy(HMENU hMenu, CKTMenuBar* pBar);
void KTAssignTearOffIds(HMENU hMenu);
void KTFreeTearOffIds(HMENU hMenu);

// The popup shows all its items (personalised menus).
void KTShowAllItems(CKTPopupMenu* pPopup);
// The next popup to open shows all its items.
void KTShowAllItemsOnNextOpen(BOOL bShowAll);

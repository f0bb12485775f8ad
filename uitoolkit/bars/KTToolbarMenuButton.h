#pragma once
// A toolbar button that opens a popup menu, and the "show all items" item of a popup menu, as the
// looks see them.
#include "uitoolkit/bars/KTToolbarButton.h"

class CKTPopupMenu;

class CKTToolbarMenuButton : public CKTToolbarButton
{
    DECLARE_DYNAMIC(CKTToolbarMenuButton)
public:
    CKTToolbarMenuButton() = default;

    BOOL IsDroppedDown() const override { return m_pPopupMenu != nullptr; }
    // TRUE for ordinary menu buttons: the XP look leaves the menu border open toward them.
    virtual BOOL IsMenuConnectable() const { return TRUE; }

    HMENU m_hMenu = nullptr;
    // The open popup menu, null while closed; owned by its window.
    CKTPopupMenu* m_pPopupMenu = nullptr;
    BOOL m_bMenuMode = FALSE;
};

class CKTShowAllButton : public CKTToolbarMenuButton
{
    DECLARE_DYNAMIC(CKTShowAllButton)
};

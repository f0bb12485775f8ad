#pragma once
// A popup menu window as the looks see it: the button that opened it and the side it dropped to.
#include "framework/Afx.h"

class CKTToolbarMenuButton;

class CKTPopupMenu : public CWnd
{
    DECLARE_DYNAMIC(CKTPopupMenu)
public:
    enum DropDirection
    {
        DROP_DIRECTION_NONE = 0,
        DROP_DIRECTION_BOTTOM = 1,
        DROP_DIRECTION_TOP = 2,
        DROP_DIRECTION_RIGHT = 3,
        DROP_DIRECTION_LEFT = 4
    };

    // The menu button that opened this menu; null for a menu opened from another popup menu.
    CKTToolbarMenuButton* m_pParentBtn = nullptr;
    DropDirection m_DropDirection = DROP_DIRECTION_NONE;
};

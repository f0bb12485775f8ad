#pragma once
// The toolkit's toolbar and popup menu bar as the looks see them: their class-wide state (the
// customize mode, the checked button inset, the custom text colour). The toolbar work fills in
// the rest.
#include "framework/Afx.h"

class CKTImageStrip;

class CKTToolBar : public CControlBar
{
    DECLARE_DYNAMIC(CKTToolBar)
public:
    static BOOL IsCustomizeMode() { return m_bCustomizeMode; }
    // The size by which a checked button's dithered face is inset on each side.
    static CSize GetButtonBorderSize() { return m_sizeButtonBorder; }
    // The toolbars' custom text colour, -1 when none is set.
    static COLORREF GetCustomTextColor() { return m_clrCustomText; }

    inline static BOOL m_bCustomizeMode = FALSE;
    inline static CSize m_sizeButtonBorder = CSize(3, 3);
    inline static COLORREF m_clrCustomText = (COLORREF)-1;
    // The "MenuShadows" option: soft shadows under popup menus and their open menu buttons.
    static BOOL IsMenuShadows() { return m_bMenuShadows; }
    inline static BOOL m_bMenuShadows = TRUE;
    // The image size used in menus: the size set for menus, else the default image size.
    static CSize GetMenuImageSize() { return m_sizeMenuImage.cx > 0 ? m_sizeMenuImage : m_sizeImage; }
    inline static CSize m_sizeMenuImage = CSize(0, 0);
    inline static CSize m_sizeImage = CSize(16, 15);

    // The image index recorded for the command by the bars' resources; FALSE when none is.
    static BOOL GetDefaultImage(UINT uiCmd, int& iImage);
    // The strip a button draws from in lists: the user images for a user-image button, else
    // the menu images when there are any, else the default images; null when none is loaded.
    static CKTImageStrip* GetListItemImages(BOOL bUserImage);
    virtual BOOL IsButtonExtraSizeAvailable() const { return TRUE; }
};

class CKTPopupMenuBar : public CKTToolBar
{
    DECLARE_DYNAMIC(CKTPopupMenuBar)
};

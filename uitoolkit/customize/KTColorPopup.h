#pragma once
// The popup menu that a colour menu button or a colour button control drops down: one colour bar
// fills it instead of menu items. Torn off a colour menu button, it becomes a floating colour bar
// with the button's command id.
//
// Like every popup menu the object deletes itself with its window; the bar is a member.

#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/customize/KTColorBar.h"

class CKTColorMenuButton;

class CColorPopup : public CKTPopupMenu
{
    DECLARE_DYNAMIC(CColorPopup)
public:
    CColorPopup(const CArray<COLORREF, COLORREF>& colors, COLORREF color, LPCTSTR lpszAutoColor, LPCTSTR lpszOtherColor,
                LPCTSTR lpszDocColors, const CList<COLORREF, COLORREF>& lstDocColors, int nColumns, int nRowsDockHorz,
                int nColDockVert, COLORREF colorAutomatic, UINT uiCommandID, CKTColorBarOwner* pOwner = nullptr);

    CKTPopupMenuBar* GetMenuBar() override { return &m_wndColorBar; }
    CKTColorBar* GetColorBar() { return &m_wndColorBar; }
    // The colour menu button that dropped the popup, or null.
    CKTColorMenuButton* GetParentColorButton() const;
    CKTToolBar* CreateTearOffBar(CFrameWnd* pFrame, UINT uiID, LPCTSTR lpszName) override;

    // Opens in customize mode too (the customization pages show a colour popup).
    BOOL m_bEnabledInCustomizeMode = FALSE;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()

    CKTColorBar m_wndColorBar;
};

// The window as a colour popup, or null.
CColorPopup* AsColorPopup(CWnd* pWnd);

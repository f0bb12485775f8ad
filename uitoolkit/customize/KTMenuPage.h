#pragma once
// The customize sheet's "Menu" page: puts the default menu or a document template's shared menu
// into the frame's menu bar for editing, opens a registered context menu as a live popup for
// editing, resets either to its resource, and holds the menu animation and shadow options, which
// take effect when the page goes.

#include "framework/Afx.h"

class CKTMenuBar;
class CKTPopupMenu;

class CKTMenuPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CKTMenuPage)
public:
    enum
    {
        IDD = 16134
    };

    explicit CKTMenuPage(CFrameWnd* pParentFrame = nullptr, BOOL bAutoSet = FALSE);

    // Shows the template's menu; FALSE when the template is not listed.
    BOOL SelectMenu(CDocTemplate* pTemplate);
    // The context menu being edited closed: it is stored and forgotten.
    void CloseContextMenu(CKTPopupMenu* pMenu);
    void SaveContextMenu();

    CKTMenuBar* GetMenuBar() const { return m_pMenuBar; }
    HMENU GetShownMenu() const { return m_hmenuSelected; }
    // The context menu open for editing, or null.
    CKTPopupMenu* GetContextMenu() const;
    // Where the next context menu opens: where the last one was.
    inline static CPoint s_ptContextMenu = CPoint(100, 100);

protected:
    BOOL OnInitDialog() override;
    void OnSelchangeMenuSelector();
    void OnSelchangeContextMenu();
    void OnResetFrameMenu();
    void OnResetContextMenu();
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

    // The chosen application menu into the menu bar.
    void ShowChosenMenu();
    void CloseContextPopup();
    BOOL ConfirmReset(const CString& strName);

    CComboBox m_wndMenuSelector;
    CComboBox m_wndContextMenus;
    CComboBox m_wndAnimation;
    int m_iMenuAnimationType;
    BOOL m_bMenuShadows;
    CKTMenuBar* m_pMenuBar = nullptr;
    HMENU m_hmenuCurr = nullptr;
    HMENU m_hmenuSelected = nullptr;
    CKTPopupMenu* m_pContextMenu = nullptr;
    HWND m_hContextMenuWnd = nullptr;
    UINT m_uiContextMenuResId = 0;
    BOOL m_bIsDefaultMDIMenu = FALSE;
    BOOL m_bAutoSet;
    CFrameWnd* m_pParentFrame;
    HICON m_hMenuIcon = nullptr;
};

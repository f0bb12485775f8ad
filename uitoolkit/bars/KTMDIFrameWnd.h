#pragma once
// The toolkit's base of a multi-document main window: a menu bar instead of the window's menu,
// the window popup filled with the document windows (and a "Windows..." item), keys and clicks
// routed to the frame support before the framework translates them, context help with the
// toolbars in help mode, and the MDI client area that can show the documents as tabs.
//
// User-interface thread only. The frame owns its frame support and client-area object.

#include "framework/AfxMdi.h"
#include "uitoolkit/bars/KTFrameForwarding.h"
#include "uitoolkit/bars/KTMDIClient.h"

class COleClientItem;

// The toolkit's registry section word of bars.
extern const LPCTSTR KTToolBarsRegSection;

class CKTMDIFrameWnd : public CKTFrameForwarding<CMDIFrameWnd>
{
    DECLARE_DYNCREATE(CKTMDIFrameWnd)
public:
    // Hooks ------------------------------------------------------------------------------------------
    // The MDI machinery hands the frame a menu: TRUE when the menu bar took it.
    virtual BOOL OnSetMenu(HMENU hmenu);
    // TRUE when the frame erased the client area's background itself.
    virtual BOOL OnEraseMDIClientBackground(CDC* /*pDC*/) { return FALSE; }
    // The in-place active item of the active document, or null.
    virtual COleClientItem* GetActiveOleItem();
    // Where a toolbar forwards a button's tooltip to the frame: TRUE when the frame gave the
    // text. No text of the frame's own in the base.
    virtual BOOL OnToolbarHook(CKTToolbarButton* /*pButton*/, CString& /*strTTText*/) { return FALSE; }
    BOOL GetToolbarButtonToolTipText(CKTToolbarButton* pButton, CString& strTTText) override
    {
        return OnToolbarHook(pButton, strTTText);
    }
    // The frames' say, with the window popup filled with the document windows.
    BOOL OnPopupMenuOpening(CKTPopupMenu* pMenuPopup) override;

    // Operations ---------------------------------------------------------------------------------
    HMENU GetWindowMenu() const { return m_hmenuWindow; }
    CKTMDIClientArea& GetClientArea() { return m_wndClientArea; }
    void EnableDocking(DWORD dwDockStyle);
    void DockControlBarLeftOf(CControlBar* pBar, CControlBar* pLeftOf);
    // The "Windows..." item at the end of the window popup; uiCmdId 0 leaves it off.
    void EnableWindowsDialog(UINT uiCmdId, LPCTSTR lpszMenuText, BOOL bShowAllways = FALSE,
                             BOOL bShowHelpButton = FALSE);
    void EnableWindowsDialog(UINT uiCmdId, UINT uiMenuTextResId, BOOL bShowAllways = FALSE,
                             BOOL bShowHelpButton = FALSE);
    void ShowWindowsDialog();
    // The "Windows..." command and its menu text; 0 while the item is off.
    UINT GetWindowsDialogCmd() const { return m_uiWindowsDlgMenuId; }
    const CString& GetWindowsDialogText() const { return m_strWindowsDlgMenuText; }
    // Runs the windows dialog for the frame; set by the dialog's code, nothing without it.
    static void (*m_pfnRunWindowsDialog)(CKTMDIFrameWnd* pFrame, BOOL bShowHelpButton);

    // Framework overrides ----------------------------------------------------------------------
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    HMENU GetWindowMenuPopup(HMENU hMenuBar) override;
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;
    void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override;
    // The menu bar in maximize mode while the active child is maximised, else out of it.
    void UpdateMaximizeMode();

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;

    void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    // An object active in place closes with the frame.
    void OnClose();
    DECLARE_MESSAGE_MAP()

    CKTMDIClientArea m_wndClientArea;
    HMENU m_hmenuWindow = nullptr;
    BOOL m_bDoSubclass = TRUE;
    UINT m_uiWindowsDlgMenuId = 0;
    CString m_strWindowsDlgMenuText;
    BOOL m_bShowWindowsDlgAlways = FALSE;
    BOOL m_bShowWindowsDlgHelpButton = FALSE;
};

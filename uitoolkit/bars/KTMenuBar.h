#pragma once
// The menu of a toolkit frame as a dockable bar: each top-level item of the frame's menu becomes a
// menu button that opens its submenu as a popup menu, each command item a button, each separator
// a separator. The bar keeps the user's copy of every menu it has shown in the menu store, so that
// switching between the default menu and the document menus keeps changes; while a document
// window is maximised it carries that window's system-menu button and its minimise, restore and
// close buttons; the keyboard walks and opens its menus.
//
// User-interface thread only. The bar owns its buttons; the frame and the menus are borrowed.

#include "uitoolkit/bars/KTToolBar.h"

class CMultiDocTemplate;
class CMDIFrameWnd;
class CKTMenuPage;

// The control id of a frame's menu bar.
#ifndef AFX_IDW_MENUBAR
#define AFX_IDW_MENUBAR 0xE81A
#endif

class CKTMenuBar : public CKTToolBar
{
    DECLARE_SERIAL(CKTMenuBar)
public:
    CKTMenuBar();
    ~CKTMenuBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT nID = AFX_IDW_MENUBAR) override;
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                  CRect rcBorders = CRect(1, 1, 1, 1), UINT nID = AFX_IDW_MENUBAR) override;

    // Rebuilds the buttons from the menu (or from the store's copy of it). bDefaultMenu makes it
    // the default menu as well; bForce rebuilds even when the menu is the current one.
    virtual void CreateFromMenu(HMENU hMenu, BOOL bDefaultMenu = FALSE, BOOL bForce = FALSE);
    // Told when the default menu is installed or loaded again; nothing in the base.
    virtual void OnDefaultMenuLoaded(HMENU /*hMenu*/) {}

    HMENU GetMenu() const { return m_hMenu; }
    HMENU GetDefaultMenu() const { return m_hDefaultMenu; }
    UINT GetDefaultMenuResId() const { return m_uiDefMenuResId; }
    void SetDefaultMenuResId(UINT uiResId) { m_uiDefMenuResId = uiResId; }

    // The system-menu button and the window buttons of a maximised child, on or off.
    void SetMaximizeMode(BOOL bMax, CWnd* pWnd = nullptr, BOOL bRecalcLayout = TRUE);
    // Builds them again for the active child after the buttons were reloaded.
    void RestoreMaximizeMode();
    BOOL IsMaximizeMode() const { return m_bMaximizeMode; }
    int GetSystemButtonsCount() const { return m_nSystemButtonsNum; }
    CSize GetSystemButtonSize() const { return m_szSystemButton; }

    // Every child of the template's documents takes its shared menu again.
    static void UpdateMDIChildrenMenus(CMultiDocTemplate* pTemplate);
    // Personalised menus: the one switch the toolbar parameters store ("RecentlyUsedMenus").
    static void SetRecentlyUsedMenus(BOOL bOn = TRUE) { m_bRecentlyUsedMenus = bOn; }
    static BOOL IsRecentlyUsedMenus() { return m_bRecentlyUsedMenus; }
    // Personalized menus show all their items after a short delay ("ShowAllMenusAfterDelay").
    static void SetShowAllCommandsAfterDelay(BOOL bOn = TRUE) { m_bShowAllMenusAfterDelay = bOn; }
    static BOOL IsShowAllCommandsAfterDelay() { return m_bShowAllMenusAfterDelay; }
    static CFont& GetMenuFont(BOOL bHorz = TRUE);
    // Set while the bar is driven from the keyboard.
    static BOOL IsKeyboardMode() { return m_bKeyboardMode; }

    // Toolbar overrides ------------------------------------------------------------------------
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    CSize CalcLayout(DWORD dwMode, int nLength = -1) override;
    void AdjustLocations() override;
    void ResetAllImages() override;
    int GetRowHeight() const override;
    int GetColumnWidth() const override;
    void CalcMaxButtonHeight() override;
    BOOL IsButtonExtraSizeAvailable() const override { return FALSE; }
    BOOL AllowChangeTextLabels() const override { return FALSE; }
    BOOL CanBeRestored() const override { return TRUE; }
    BOOL CanBeClosed() const override { return FALSE; }
    CString GetButtonToolTipText(UINT uiCmd) const override;
    void OnChangeHot(int iHot) override;
    BOOL OnSendCommand(const CKTToolbarButton* pButton) override;
    BOOL IsPureMenuButton(CKTToolbarButton* pButton) const override;
    // The toolbar's drop index, kept between the system-menu button and the window buttons.
    int FindDropIndex(const CPoint point, CRect& rectDrag) const override;

    // Saved state (KTMenuBarState.cpp): the default menu under id 0 and each document menu under
    // its template's resource id, all in the bar's section; the index is the bar's.
    BOOL LoadState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = (UINT)-1) override;
    BOOL SaveState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = (UINT)-1) override;
    // Every menu as its resource gives it.
    void RestoreResourceState() override;

    // The customize sheet's Menu page while it is open (it sets and clears this): a document
    // switch in customize mode selects the new document's menu there.
    void SetMenuPage(CKTMenuPage* pPage);

    // The button whose popup (or drop-down frame) is open from this bar, or null. A button
    // that opens sets it, one that closes clears it; a button that opens cancels the one that
    // was dropped before.
    CKTToolbarButton* GetDroppedButton() const;
    void SetDroppedButton(CKTToolbarButton* pButton) { m_pDroppedButton = pButton; }
    void ClearDroppedButton() { m_pDroppedButton = nullptr; }
    // The dropped button closes its popup and is forgotten.
    void CancelDroppedButton();
    // Items that open a menu show a drop arrow beside their text.
    void SetMenuDropArrows(BOOL bShow) { m_bMenuDropArrows = bShow; }
    BOOL IsMenuDropArrows() const { return m_bMenuDropArrows; }

    // The frame that owns the bar (set by Create).
    CWnd* GetOwnerFrame() const { return m_pParentWnd; }
    // The timer of personalised menus.
    static const UINT_PTR kExpandTimer = 1;

protected:
    void OnSetFocus(CWnd* pOldWnd);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    void OnTimer(UINT_PTR nIDEvent);
    void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    void OnDestroy();
    int OnCreate(LPCREATESTRUCT lpcs);
    DECLARE_MESSAGE_MAP()

    void MeasureSystemButtons();
    // Buttons other than the system-menu button and the window buttons: first and end index.
    int FirstItem() const;
    int EndItem() const;
    void MakeItemHot(int iIndex);
    // Shows the menu's template (or the default menu) on the open Menu page.
    void SelectMenuOnPage(HMENU hMenu);
    BOOL IsWindowButton(int iIndex) const;
    CMDIFrameWnd* GetMDIFrame() const;
    void InstallMouseHook();
    static void RemoveMouseHook();
    static LRESULT CALLBACK BarMouseProc(int nCode, WPARAM wParam, LPARAM lParam);
    static CString GetMenuItemText(HMENU hMenu, int iIndex);

    // The menus' copies (KTMenuBarState.cpp).
    void BuildButtonsFromMenu(HMENU hMenu);
    // The store's copy of the menu, or the menu itself when the store has none.
    void TakeStoredCopy(HMENU hMenu);
    BOOL BuildResourceItems(UINT uiMenuResId);
    // The current buttons go to the store and maximize mode off; TRUE when it was on.
    BOOL LeaveCurrentMenu();
    void ReturnToCurrentMenu(BOOL bMaximize);
    BOOL LoadMenuState(HMENU hMenu, UINT uiMenuResId, LPCTSTR lpszProfileName, int nIndex, UINT uiID);

    BOOL m_bMenuPerDocument = TRUE;
    CWnd* m_pParentWnd = nullptr;
    BOOL m_bMaximizeMode = FALSE;
    HMENU m_hMenu = nullptr;
    HMENU m_hDefaultMenu = nullptr;
    HMENU m_hSysMenu = nullptr;
    UINT m_uiDefMenuResId = 0;
    int m_nSystemButtonsNum = 0;
    int m_nSystemButtonsNumSaved = 0;
    BOOL m_bHaveButtons = FALSE;
    CSize m_szSystemButton = CSize(0, 0);
    BOOL m_bLaidOut = FALSE;
    // The menu whose copy the bar holds while it works on the stored copies, else null.
    HMENU m_hMenuInWork = nullptr;
    CKTMenuPage* m_pMenuPage = nullptr;
    HWND m_hMenuPageWnd = nullptr;
    BOOL m_bSelectingOnPage = FALSE;
    // Compared only, never followed until it is found among the bar's buttons again.
    CKTToolbarButton* m_pDroppedButton = nullptr;
    BOOL m_bMenuDropArrows = FALSE;

    inline static BOOL m_bKeyboardMode = FALSE;
    inline static HHOOK m_hookMouse = nullptr;
    inline static CKTMenuBar* m_pHookedBar = nullptr;
};

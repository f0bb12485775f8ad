#pragma once
// The bar of items inside a CKTPopupMenu: a toolbar laid out vertically in one or more columns,
// whose buttons are menu items (CKTToolbarMenuButton; separators are separator buttons). It
// imports its items from a menu handle, hides rarely used commands with personalised menus,
// opens and closes submenus after the system's menu show delay, runs the chosen command and
// exports its items back to a menu handle.
//
// Ownership: the bar owns its items, and each item its own submenu (its sub-items); the popup
// that holds the bar owns the bar. User-interface thread only.
#include "uitoolkit/bars/KTToolBar.h"

class CKTPopupMenu;
class CKTToolbarMenuButton;

class CKTPopupMenuBar : public CKTToolBar
{
    DECLARE_SERIAL(CKTPopupMenuBar)
public:
    CKTPopupMenuBar();
    ~CKTPopupMenuBar() override;

    enum
    {
        TIMER_OPEN_SUBMENU = 1,
        TIMER_CLOSE_SUBMENU = 2
    };

    BOOL ImportFromMenu(HMENU hMenu, BOOL bShowAllCommands = FALSE);
    // A new popup menu handle with the bar's items (the caller owns it); null on failure.
    HMENU ExportToMenu() const;
    // Runs a chosen command (0 only closes the chain). The chain, this bar included, is gone
    // when it returns.
    void SendCommand(UINT uiCmd, CKTToolbarButton* pButton = nullptr);
    void ChangeHotButton(int iHot);
    void CancelDelayedClose();
    void KeepSubmenuOpen();
    void SetInCommand(BOOL bInCommand = TRUE);
    // The bar of a parent popup, or the parent toolbar of the top popup, under the screen
    // point; null when none.
    CKTToolBar* FindBarAtPoint(CPoint ptScreen);
    // The keys the popup hands on; TRUE when the bar took the key.
    virtual BOOL OnKey(UINT nChar);

    // Opens the item's submenu now (delayed: after nDelayFactor times the menu show delay, on
    // timer 1). The show-all item expands the menu instead.
    BOOL OpenItemPopup(CKTToolbarMenuButton* pItem, BOOL bDelay = FALSE, int nDelayFactor = 1);
    // A menu item that opens a submenu (a cascading item, or one that carries sub-items).
    BOOL IsItemWithSubmenu(const CKTToolbarButton* pButton) const;
    CKTToolbarMenuButton* GetOpenItem(int* pIndex = nullptr) const;

    // The bar's vertical size (52 by 22 when empty).
    CSize CalcSize(BOOL bVertDock) override;
    void AdjustLocations() override;
    void OnChangeHot(int iHot) override;
    BOOL OnSendCommand(const CKTToolbarButton* pButton) override;
    CWnd* GetCommandTarget() const override;
    void DrawSeparator(CDC* pDC, const CRect& rect, BOOL bHorz) override;
    void DoPaint(CDC* pDC) override;
    int GetRowHeight() const override;
    void RemoveAllButtons() override;
    // No tip repeats an item's own text: only the show-all item and the frame's hook give one.
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    // The parent toolbar's text first (the hidden buttons of its chevron menu are its own).
    CString GetButtonToolTipText(UINT uiCmd) const override;

    // Customize mode (KTPopupMenuBarCustomize.cpp).
    // An item of this popup's own chain of parent menus cannot be dropped into it without Ctrl.
    DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    int FindDropIndex(const CPoint point, CRect& rectDrag) const override;
    void DrawDragMarker(CDC* pDC) override;
    // A dropped command becomes a menu item with the text it has in menus; an empty text is
    // refused.
    CKTToolbarButton* CreateDroppedButton(COleDataObject* pDataObject) override;
    void EnableContextMenuItems(CKTToolbarButton* pButton, CMenu* pPopup) override;
    // The button of this bar that a customize drag is taking out, or null.
    CKTToolbarButton* GetDraggedButton() const { return m_pDragButton; }
    // The menu closes while an item is dragged out of it (a drop elsewhere closes the menus):
    // the item goes with the drag, unless Ctrl copies it.
    void RemoveDraggedButton();

    CKTPopupMenu* GetPopupMenu() const;
    int GetHighlightedIndex() const { return m_iHighlighted; }
    void ClearHot()
    {
        m_iHot = -1;
        m_iHighlighted = -1;
    }
    int GetFirstShownItem() const { return m_iOffset; }
    void SetFirstShownItem(int iOffset) { m_iOffset = iOffset; }
    int GetLastItemBottom() const;
    BOOL AreAllCommandsShown() const { return m_bAreAllCommandsShown; }
    UINT GetDefaultCommand() const { return m_uiDefaultMenuCmdId; }

    // The system's menu show delay in ms, read on first use; see ParseMenuShowDelay.
    static int GetMenuShowDelay();
    static void ResetMenuShowDelay() { m_nMenuShowDelay = -1; }
    // "MenuShowDelay" as stored (null: missing): a missing or non-numeric value gives 500,
    // anything else is clamped to 0..5000.
    static int ParseMenuShowDelay(LPCWSTR lpszValue);
    // A deep copy of a menu (the caller owns it); null when the source is no menu.
    static HMENU CopyMenuTree(HMENU hSource);
    static int GetLastCommandIndex() { return m_iLastCommandIndex; }

    // The menu bar's show-all-items mode: every command is shown while it is on.
    inline static BOOL m_bMenuBarShowAllCommands = FALSE;
    // Where a track-mode popup hands its chosen command (the context menu manager).
    inline static void (*m_pfnTrackCommand)(UINT uiCmd) = nullptr;

    UINT m_uiDefaultMenuCmdId = 0;
    CKTToolbarMenuButton* m_pDelayedPopupMenuButton = nullptr;
    CKTToolbarMenuButton* m_pDelayedClosePopupMenuButton = nullptr;
    BOOL m_bFirstClick = TRUE;
    BOOL m_bFirstMove = TRUE;
    int m_iOffset = 0;
    int m_xSeparatorOffsetLeft = 0;
    int m_xSeparatorOffsetRight = 0;
    BOOL m_bAreAllCommandsShown = TRUE;
    int m_iMaxWidth = -1;
    CArray<int, int> m_arColumns;
    CMap<UINT, UINT, UINT, UINT> m_HiddenItemsAccel;
    BOOL m_bInCommand = FALSE;
    BOOL m_bTrackMode = FALSE;
    BOOL m_bPressSinceLayout = FALSE;

protected:
    // Timer and item pointers stay valid only while the bar's window lives; the chain may be
    // gone after any of these returns, so callers touch nothing afterwards.
    BOOL ChooseItem(CKTToolbarButton* pButton);
    void CloseItemPopup(CKTToolbarMenuButton* pItem);
    void CloseOpenSubmenus();
    int NextSelectableItem(int iFrom, int iStep) const;
    void MoveHot(int iNew, BOOL bFromKey);
    BOOL IsCursorOverButton(const CKTToolbarButton* pButton) const;
    void ShowHotPrompt(int iHot);

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnTimer(UINT_PTR nIDEvent);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnKillFocus(CWnd* pNewWnd);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    // "&Text" and "Image &and Text" of the button context menu: the command's image in menus.
    void OnMenuItemText() { ShowMenuItemImage(FALSE); }
    void OnMenuItemImageAndText() { ShowMenuItemImage(TRUE); }
    void ShowMenuItemImage(BOOL bShow);
    DECLARE_MESSAGE_MAP()

    BOOL m_bFromKey = FALSE;
    BOOL m_bFirstLayoutDone = FALSE;

    inline static int m_nMenuShowDelay = -1;
    inline static int m_iLastCommandIndex = -1;
};

#pragma once
// The work every toolkit frame shares (the multi-document main frame, the single-document frame
// and the in-place frames hold one CKTFrameSupport each and forward to it): the main window's
// stored position, the saved state loaded after the frame, user-defined toolbars, toolbars torn
// off popup menus, the menu bar, and the keys and clicks that open popup menus, hosted controls
// and customize mode must see before the frame translates them.
//
// User-interface thread only. The object owns the user toolbars and the tear-off bars it lists;
// the menu bar and the frame are borrowed.

#include "framework/Afx.h"

class CDockState;
class CKTFrameSupport;
class CKTMenuBar;
class CKTPopupMenu;
class CKTToolBar;
class CKTToolbarButton;
class CKTToolbarMenuButton;

// The hooks every toolkit frame offers the popup menus and buttons, the same in every frame kind.
// KTGetFrameHooks finds them on a frame window.
class CKTFrameHooks
{
public:
    virtual ~CKTFrameHooks() = default;

    // Run by a toolkit popup menu as it opens: the frame's own checks, then OnShowPopupMenu.
    // FALSE: the popup must not open.
    virtual BOOL OnPopupMenuOpening(CKTPopupMenu* pMenuPopup) = 0;
    // The frame's say before a popup menu opens; FALSE refuses it.
    virtual BOOL OnShowPopupMenu(CKTPopupMenu* /*pMenuPopup*/) { return TRUE; }
    // A popup menu closes (it is no longer the active one by then); nothing in the base.
    virtual void OnClosePopupMenu(CKTPopupMenu* /*pMenuPopup*/) {}
    // TRUE when the frame drew the menu item's image itself.
    virtual BOOL OnDrawMenuImage(CDC* /*pDC*/, const CKTToolbarMenuButton* /*pMenuButton*/, const CRect& /*rectImage*/)
    {
        return FALSE;
    }
    // TRUE when the frame filled the tooltip of a menu item.
    virtual BOOL OnMenuButtonToolHitTest(CKTToolbarButton* /*pButton*/, TOOLINFO* /*pTI*/) { return FALSE; }
    // TRUE when the frame supplied the button's tooltip text.
    virtual BOOL GetToolbarButtonToolTipText(CKTToolbarButton* /*pButton*/, CString& /*strTTText*/) { return FALSE; }
    // Paints the strip beside a popup menu's items; nothing by default.
    virtual void OnDrawMenuLogo(CDC* /*pDC*/, CKTPopupMenu* /*pMenu*/, const CRect& /*rectLogo*/) {}
    // FALSE refuses a popup menu torn off into the bar.
    virtual BOOL OnTearOffMenu(CKTPopupMenu* /*pMenuPopup*/, CControlBar* /*pBar*/) { return TRUE; }

    virtual CKTFrameSupport& GetFrameSupport() = 0;
};

// The hooks of a toolkit frame (multi-document, single-document or in-place), or null.
CKTFrameHooks* KTGetFrameHooks(CWnd* pWnd);
// The frame support of a toolkit frame, or null.
CKTFrameSupport* KTGetFrameSupport(CWnd* pWnd);

class CKTFrameSupport
{
public:
    explicit CKTFrameSupport(CFrameWnd* pFrame);
    virtual ~CKTFrameSupport();
    CKTFrameSupport(const CKTFrameSupport&) = delete;
    CKTFrameSupport& operator=(const CKTFrameSupport&) = delete;

    // The popup menu that is open now (the innermost one the frames were told of), or null.
    static CKTPopupMenu* GetActivePopupMenu();

    // User toolbars (the application's workspace, when there is one, stores them) ----------
    void EnableUserToolbars(LPCTSTR lpszRegEntry, UINT uiUserToolbarFirst, UINT uiUserToolbarLast);
    CKTToolBar* CreateUserToolbar(LPCTSTR lpszName);
    BOOL DeleteUserToolbar(CKTToolBar* pBar);
    CKTToolBar* GetUserToolbarByIndex(int iIndex) const;
    BOOL IsUserToolbar(const CControlBar* pBar) const;
    // Items with ids in [first, last] take the names of the user toolbars of that index; items
    // without a toolbar go.
    void SetUserToolbarMenuItems(HMENU hMenu, UINT uiFirst, UINT uiLast) const;
    void LoadUserToolbars();
    void SaveUserToolbars(BOOL bFrameBarsOnly = FALSE);
    int GetUserToolbarCount() const { return static_cast<int>(m_listUserBars.GetCount()); }

    // Tear-off bars ------------------------------------------------------------------------------
    void AddTearOffBar(CControlBar* pBar);
    void RemoveTearOffBar(CControlBar* pBar);
    void LoadTearOffBars();
    void SaveTearOffBars(BOOL bFrameBarsOnly = FALSE);
    const CObList& GetTearOffBars() const { return m_listTearOffBars; }

    // Frame ----------------------------------------------------------------------------------------
    // TRUE when every bar the state records as docked is in the frame.
    BOOL IsDockStateValid(const CDockState& state) const;
    // Docks the bar on the row of the neighbour, just after it.
    void DockControlBarLeftOf(CControlBar* pBar, CControlBar* pLeftOf);
    void SetMenuBar(CKTMenuBar* pMenuBar);
    CKTMenuBar* GetMenuBar() const { return m_pMenuBar; }
    HMENU GetDefaultMenu() const { return m_hDefaultMenu; }
    void SetDefaultMenu(HMENU hMenu) { m_hDefaultMenu = hMenu; }
    CFrameWnd* GetFrame() const { return m_pFrame; }
    UINT GetResourceID() const { return m_nIDDefaultResource; }
    void SetResourceID(UINT nID) { m_nIDDefaultResource = nID; }

    void OnCloseFrame();
    void RestorePosition(CREATESTRUCT& cs);
    void OnLoadFrame();

    // Input ----------------------------------------------------------------------------------------
    // A key-down before the frame translates accelerators: TRUE when it was taken. pbProcessed,
    // when given, is cleared when the frame must not translate the key.
    BOOL ProcessKeyDown(UINT nKey, BOOL* pbProcessed = nullptr);
    // A mouse button, context-menu or non-client button message: TRUE when it was taken.
    BOOL ProcessMouseClick(UINT uiMsg, CPoint pt, HWND hwnd);
    // Told whenever a popup menu opens (the popup) or closes (null); always TRUE.
    BOOL OnShowPopupMenu(CKTPopupMenu* pMenuPopup);
    // The menu bar's mnemonic, then every visible toolbar of the frame.
    BOOL TranslateCharToBars(UINT nChar);
    // The frame loses the activation: an open popup of the menu bar closes, the bar leaves menu
    // mode.
    void OnDeactivateFrame();
    // The filter every toolkit frame's PreTranslateMessage runs first; see KTFrameFilter.
    int FilterMessage(MSG* pMsg);
    // The frame's OnCommand runs this first: an accelerator's command is counted and closes an
    // open popup menu (taken); in customize mode no command runs (refused); a user tool's
    // command, from a key or a menu, runs the tool (taken).
    int FilterCommand(WPARAM wParam, LPARAM lParam = 0);
    // A user tool's command needs no handler: its menu items and buttons stay enabled.
    static BOOL UpdateUserToolCommand(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
    // WM_ACTIVATE after the frame's handling.
    void OnActivateFrame(UINT nState);
    // The frame's windows (floating bars, the customize sheet) stay above it: a display without a
    // window manager raises the clicked frame over the windows it owns.
    void KeepOwnedWindowsAbove();
    // A timer of the frame window's own, with its own procedure: the frame's message map never
    // sees it.
    static const UINT_PTR kOwnedWindowsTimer = 0x4B54;
    static void CALLBACK OwnedWindowsTimerProc(HWND hwnd, UINT uMsg, UINT_PTR idEvent, DWORD dwTime);
    // WM_DESTROY: the frame's own accelerator table goes.
    void ReleaseAccelerators();

    // User toolbars are created with these.
    static const DWORD kUserToolbarStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_HIDE_INPLACE;
    static const DWORD kUserToolbarBarStyle = CBRS_SIZE_DYNAMIC | CBRS_TOOLTIPS | CBRS_FLYBY;

protected:
    // The toolkit toolbar of the window's tree whose hosted control is the window, or null.
    BOOL ClickOnHostedControl(UINT uiMsg, CPoint pt, HWND hwnd);
    CKTToolBar* FindUserToolbar(UINT uiID) const;
    BOOL IsKeyInFrameAccelerators(UINT nKey) const;
    static BOOL IsHostedControlFocused();
    CString GetTearOffKey() const;
    void FinishBar(CKTToolBar* pBar, BOOL bFloatAtCentre);

    UINT m_uiUserToolbarFirst = (UINT)-1;
    UINT m_uiUserToolbarLast = (UINT)-1;
    CObList m_listUserBars{10};
    CObList m_listTearOffBars{10};
    CString m_strControlBarRegEntry;
    CKTMenuBar* m_pMenuBar = nullptr;
    HMENU m_hDefaultMenu = nullptr;
    CFrameWnd* m_pFrame;
    UINT m_nIDDefaultResource = 0;
};

// What a toolkit frame's PreTranslateMessage does after FilterMessage.
enum KTFrameFilter
{
    kFilterPassOn = 0,      // the frame's base handling
    kFilterTaken = 1,       // the message ends (TRUE)
    kFilterNoTranslate = 2, // not translated (FALSE); for commands: refused
};

// The registry section word of tear-off bars.
extern const LPCTSTR KTTearOffBarsSection;

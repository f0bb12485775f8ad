#pragma once
// What a dialog or property page needs to host a toolkit popup menu, which is a top-level window
// of its own: keys go to the open menu, a click elsewhere closes it (a click on its shadow is
// swallowed), the dialog's caption stays drawn active while its menu is the active window, and
// a command from the menu is counted and closes it.
//
// Only one popup menu can be open in a dialog at a time, so the open menu, the helper of the
// dialog that owns it and the thread mouse hook that sees clicks outside the dialog are
// process-wide. User-interface thread only.

#include "framework/Afx.h"

class CKTPopupMenu;

// The object as a T when its run-time class derives from T's; null otherwise. The object is
// evaluated once, so an argument with side effects or a costly lookup is safe.
template <class T, class U>
T* KTKindOf(CRuntimeClass* pClassT, U* pObject)
{
    return pObject != nullptr && pObject->IsKindOf(pClassT) ? static_cast<T*>(pObject) : nullptr;
}
#define KT_KIND_OF(T, pObject) KTKindOf<T>(RUNTIME_CLASS(T), pObject)

class CKTDialogMenuHelper
{
public:
    explicit CKTDialogMenuHelper(CWnd* pDlg) : m_pDlg(pDlg) {}
    // A dialog that goes stops being the one with the open menu.
    ~CKTDialogMenuHelper();
    CKTDialogMenuHelper(const CKTDialogMenuHelper&) = delete;
    CKTDialogMenuHelper& operator=(const CKTDialogMenuHelper&) = delete;

    // The menu now open in this dialog (null: none). The mouse hook is installed once while a
    // menu is open and removed when none is.
    void SetActiveMenu(CKTPopupMenu* pMenu);

    // TRUE when the screen point lies outside the open menu and outside every menu of its
    // chain; FALSE in customize mode or without an open menu.
    static BOOL IsClickOutsideMenu(CPoint ptScreen);

    // The dialog's message filter: TRUE when the message was consumed.
    BOOL FilterMessage(MSG* pMsg);
    // The dialog's command filter: TRUE when the command was handled here.
    BOOL FilterCommand(WPARAM wParam, LPARAM lParam);
    // A click at a screen point while a menu is open: TRUE when it was consumed.
    BOOL ProcessMouseClick(CPoint ptScreen);

    // Activation of the dialog window (WM_ACTIVATE), and what WM_NCACTIVATE draws.
    void OnActivate(UINT nState, CWnd* pWndOther);
    BOOL OnNcActivate(BOOL bActive);

    // For popup menus: one opened (bOpen) or closed for an owner; a toolkit dialog or property
    // page owner takes it as its active menu, any other owner is left alone.
    static void OnOwnerMenu(CKTPopupMenu* pMenu, CWnd* pOwner, BOOL bOpen);

    // The open menu, its dialog's helper and whether the hook is in; a menu that closed without
    // telling its dialog is forgotten (and the hook removed) on the way.
    static CKTPopupMenu* GetActiveMenu() { return IsMenuOpen() ? s_pActiveMenu : nullptr; }
    static CKTDialogMenuHelper* GetCurrentHelper()
    {
        IsMenuOpen();
        return s_pCurrentHelper;
    }
    static BOOL IsHookInstalled()
    {
        IsMenuOpen();
        return s_hMouseHook != nullptr;
    }

private:
    static BOOL IsMenuOpen();
    static LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static void CloseMenu(CKTPopupMenu* pMenu);

    CWnd* m_pDlg;
    BOOL m_bStayActive = FALSE;

    inline static CKTPopupMenu* s_pActiveMenu = nullptr;
    inline static CKTDialogMenuHelper* s_pCurrentHelper = nullptr;
    inline static HHOOK s_hMouseHook = nullptr;
    // The open menu's window, to tell a living menu from a deleted one.
    inline static HWND s_hActiveMenuWnd = nullptr;
};

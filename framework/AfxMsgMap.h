// The ON_ macros that build message-map entries (see AfxCmdTarget.h).
#pragma once

#include "framework/AfxCmdTarget.h"

#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

// Builds one entry; the body sees `self` (the target as ThisClass) and `call` (the AFX_MSGCALL).
#define AFX_MAP_ENTRY(msg, code, id, lastId, sig, ...) \
    {(UINT)(msg), (UINT)(code), (UINT)(id), (UINT)(lastId), (UINT_PTR)(sig), \
     [](CCmdTarget* pTarget_, AFX_MSGCALL& call) -> BOOL { \
         ThisClass* self = static_cast<ThisClass*>(pTarget_); \
         (void)self; (void)call; \
         __VA_ARGS__ \
     }},

// A window message whose handler result (if any) is set in the body.
#define AFX_WM(msg, ...) AFX_MAP_ENTRY(msg, 0, 0, 0, AfxSig_msg, __VA_ARGS__ return TRUE;)

#define AFX_LPARAM_POINT(lp) CPoint((int)(short)LOWORD(lp), (int)(short)HIWORD(lp))

// Window messages -------------------------------------------------------------------------------
#define ON_WM_CREATE() AFX_WM(WM_CREATE, call.lResult = self->OnCreate(reinterpret_cast<LPCREATESTRUCT>(call.lParam));)
#define ON_WM_NCCREATE() AFX_WM(WM_NCCREATE, call.lResult = self->OnNcCreate(reinterpret_cast<LPCREATESTRUCT>(call.lParam));)
#define ON_WM_DESTROY() AFX_WM(WM_DESTROY, self->OnDestroy();)
#define ON_WM_NCDESTROY() AFX_WM(WM_NCDESTROY, self->OnNcDestroy();)
#define ON_WM_CLOSE() AFX_WM(WM_CLOSE, self->OnClose();)
#define ON_WM_SIZE() AFX_WM(WM_SIZE, self->OnSize((UINT)call.wParam, (int)(short)LOWORD(call.lParam), (int)(short)HIWORD(call.lParam));)
#define ON_WM_MOVE() AFX_WM(WM_MOVE, self->OnMove((int)(short)LOWORD(call.lParam), (int)(short)HIWORD(call.lParam));)
#define ON_WM_SIZING() AFX_WM(WM_SIZING, self->OnSizing((UINT)call.wParam, reinterpret_cast<LPRECT>(call.lParam)); call.lResult = TRUE;)
#define ON_WM_MOVING() AFX_WM(WM_MOVING, self->OnMoving((UINT)call.wParam, reinterpret_cast<LPRECT>(call.lParam)); call.lResult = TRUE;)
#define ON_WM_PAINT() AFX_WM(WM_PAINT, self->OnPaint();)
#define ON_WM_NCPAINT() AFX_WM(WM_NCPAINT, self->OnNcPaint();)
#define ON_WM_ERASEBKGND() AFX_WM(WM_ERASEBKGND, call.lResult = self->OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(call.wParam)));)
#define ON_WM_TIMER() AFX_WM(WM_TIMER, self->OnTimer((UINT_PTR)call.wParam);)
#define AFX_WM_MOUSE(msg, fn) AFX_WM(msg, self->fn((UINT)call.wParam, AFX_LPARAM_POINT(call.lParam));)
#define ON_WM_LBUTTONDOWN() AFX_WM_MOUSE(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_WM_MOUSE(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_WM_MOUSE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_WM_MOUSE(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_WM_MOUSE(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_WM_MOUSE(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() AFX_WM_MOUSE(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_WM_MOUSE(WM_MBUTTONUP, OnMButtonUp)
#define ON_WM_MOUSEMOVE() AFX_WM_MOUSE(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_MOUSEHOVER() AFX_WM_MOUSE(WM_MOUSEHOVER, OnMouseHover)
#define ON_WM_MOUSELEAVE() AFX_WM(WM_MOUSELEAVE, self->OnMouseLeave();)
#define ON_WM_MOUSEWHEEL() AFX_WM(WM_MOUSEWHEEL, call.lResult = self->OnMouseWheel((UINT)LOWORD(call.wParam), (short)HIWORD(call.wParam), AFX_LPARAM_POINT(call.lParam));)
#define ON_WM_MOUSEACTIVATE() AFX_WM(WM_MOUSEACTIVATE, call.lResult = self->OnMouseActivate(CWnd::FromHandle(reinterpret_cast<HWND>(call.wParam)), (UINT)(short)LOWORD(call.lParam), (UINT)HIWORD(call.lParam));)
#define ON_WM_SETCURSOR() AFX_WM(WM_SETCURSOR, call.lResult = self->OnSetCursor(CWnd::FromHandle(reinterpret_cast<HWND>(call.wParam)), (UINT)(short)LOWORD(call.lParam), (UINT)HIWORD(call.lParam));)
#define AFX_WM_KEY(msg, fn) AFX_WM(msg, self->fn((UINT)call.wParam, (UINT)LOWORD(call.lParam), (UINT)HIWORD(call.lParam));)
#define ON_WM_KEYDOWN() AFX_WM_KEY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() AFX_WM_KEY(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR() AFX_WM_KEY(WM_CHAR, OnChar)
#define ON_WM_SYSKEYDOWN() AFX_WM_KEY(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_SYSKEYUP() AFX_WM_KEY(WM_SYSKEYUP, OnSysKeyUp)
#define ON_WM_SYSCHAR() AFX_WM_KEY(WM_SYSCHAR, OnSysChar)
#define ON_WM_SETFOCUS() AFX_WM(WM_SETFOCUS, self->OnSetFocus(CWnd::FromHandle(reinterpret_cast<HWND>(call.wParam)));)
#define ON_WM_KILLFOCUS() AFX_WM(WM_KILLFOCUS, self->OnKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(call.wParam)));)
#define ON_WM_ACTIVATE() AFX_WM(WM_ACTIVATE, self->OnActivate((UINT)LOWORD(call.wParam), CWnd::FromHandle(reinterpret_cast<HWND>(call.lParam)), (BOOL)HIWORD(call.wParam));)
#define ON_WM_ACTIVATEAPP() AFX_WM(WM_ACTIVATEAPP, self->OnActivateApp((BOOL)call.wParam, (DWORD)call.lParam);)
#define ON_WM_NCACTIVATE() AFX_WM(WM_NCACTIVATE, call.lResult = self->OnNcActivate((BOOL)call.wParam);)
#define ON_WM_NCCALCSIZE() AFX_WM(WM_NCCALCSIZE, self->OnNcCalcSize((BOOL)call.wParam, reinterpret_cast<NCCALCSIZE_PARAMS*>(call.lParam));)
#define ON_WM_NCHITTEST() AFX_WM(WM_NCHITTEST, call.lResult = self->OnNcHitTest(AFX_LPARAM_POINT(call.lParam));)
#define AFX_WM_NCMOUSE(msg, fn) AFX_WM(msg, self->fn((UINT)call.wParam, AFX_LPARAM_POINT(call.lParam));)
#define ON_WM_NCLBUTTONDOWN() AFX_WM_NCMOUSE(WM_NCLBUTTONDOWN, OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() AFX_WM_NCMOUSE(WM_NCLBUTTONUP, OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() AFX_WM_NCMOUSE(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN() AFX_WM_NCMOUSE(WM_NCRBUTTONDOWN, OnNcRButtonDown)
#define ON_WM_NCRBUTTONUP() AFX_WM_NCMOUSE(WM_NCRBUTTONUP, OnNcRButtonUp)
#define ON_WM_NCMOUSEMOVE() AFX_WM_NCMOUSE(WM_NCMOUSEMOVE, OnNcMouseMove)
#define ON_WM_SHOWWINDOW() AFX_WM(WM_SHOWWINDOW, self->OnShowWindow((BOOL)call.wParam, (UINT)call.lParam);)
#define ON_WM_WINDOWPOSCHANGING() AFX_WM(WM_WINDOWPOSCHANGING, self->OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(call.lParam));)
#define ON_WM_WINDOWPOSCHANGED() AFX_WM(WM_WINDOWPOSCHANGED, self->OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(call.lParam));)
#define ON_WM_GETMINMAXINFO() AFX_WM(WM_GETMINMAXINFO, self->OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(call.lParam));)
#define ON_WM_CONTEXTMENU() AFX_WM(WM_CONTEXTMENU, self->OnContextMenu(CWnd::FromHandle(reinterpret_cast<HWND>(call.wParam)), AFX_LPARAM_POINT(call.lParam));)
#define ON_WM_HSCROLL() AFX_WM(WM_HSCROLL, self->OnHScroll((UINT)LOWORD(call.wParam), (UINT)HIWORD(call.wParam), reinterpret_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(call.lParam))));)
#define ON_WM_VSCROLL() AFX_WM(WM_VSCROLL, self->OnVScroll((UINT)LOWORD(call.wParam), (UINT)HIWORD(call.wParam), reinterpret_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(call.lParam))));)
// Every WM_CTLCOLORxxx message arrives here with its CTLCOLOR_ type in call.nCode.
#define ON_WM_CTLCOLOR() AFX_WM(WM_CTLCOLOR, call.lResult = reinterpret_cast<LRESULT>(self->OnCtlColor(CDC::FromHandle(reinterpret_cast<HDC>(call.wParam)), CWnd::FromHandle(reinterpret_cast<HWND>(call.lParam)), call.nCode));)
#define ON_WM_DRAWITEM() AFX_WM(WM_DRAWITEM, self->OnDrawItem((int)call.wParam, reinterpret_cast<LPDRAWITEMSTRUCT>(call.lParam)); call.lResult = TRUE;)
#define ON_WM_MEASUREITEM() AFX_WM(WM_MEASUREITEM, self->OnMeasureItem((int)call.wParam, reinterpret_cast<LPMEASUREITEMSTRUCT>(call.lParam)); call.lResult = TRUE;)
#define ON_WM_COMPAREITEM() AFX_WM(WM_COMPAREITEM, call.lResult = self->OnCompareItem((int)call.wParam, reinterpret_cast<LPCOMPAREITEMSTRUCT>(call.lParam));)
#define ON_WM_DELETEITEM() AFX_WM(WM_DELETEITEM, self->OnDeleteItem((int)call.wParam, reinterpret_cast<LPDELETEITEMSTRUCT>(call.lParam)); call.lResult = TRUE;)
#define ON_WM_INITMENU() AFX_WM(WM_INITMENU, self->OnInitMenu(CMenu::FromHandle(reinterpret_cast<HMENU>(call.wParam)));)
#define ON_WM_INITMENUPOPUP() AFX_WM(WM_INITMENUPOPUP, self->OnInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(call.wParam)), (UINT)LOWORD(call.lParam), (BOOL)HIWORD(call.lParam));)
#define ON_WM_MENUSELECT() AFX_WM(WM_MENUSELECT, self->OnMenuSelect((UINT)LOWORD(call.wParam), (UINT)HIWORD(call.wParam), reinterpret_cast<HMENU>(call.lParam));)
#define ON_WM_MENUCHAR() AFX_WM(WM_MENUCHAR, call.lResult = self->OnMenuChar((UINT)LOWORD(call.wParam), (UINT)HIWORD(call.wParam), CMenu::FromHandle(reinterpret_cast<HMENU>(call.lParam)));)
#define ON_WM_ENTERMENULOOP() AFX_WM(WM_ENTERMENULOOP, self->OnEnterMenuLoop((BOOL)call.wParam);)
#define ON_WM_EXITMENULOOP() AFX_WM(WM_EXITMENULOOP, self->OnExitMenuLoop((BOOL)call.wParam);)
#define ON_WM_ENTERIDLE() AFX_WM(WM_ENTERIDLE, self->OnEnterIdle((UINT)call.wParam, CWnd::FromHandle(reinterpret_cast<HWND>(call.lParam)));)
#define ON_WM_SYSCOMMAND() AFX_WM(WM_SYSCOMMAND, self->OnSysCommand((UINT)call.wParam, call.lParam);)
#define ON_WM_SETTINGCHANGE() AFX_WM(WM_SETTINGCHANGE, self->OnSettingChange((UINT)call.wParam, reinterpret_cast<LPCTSTR>(call.lParam));)
#define ON_WM_SYSCOLORCHANGE() AFX_WM(WM_SYSCOLORCHANGE, self->OnSysColorChange();)
#define ON_WM_CANCELMODE() AFX_WM(WM_CANCELMODE, self->OnCancelMode();)
#define ON_WM_CAPTURECHANGED() AFX_WM(WM_CAPTURECHANGED, self->OnCaptureChanged(CWnd::FromHandle(reinterpret_cast<HWND>(call.lParam)));)
#define ON_WM_DROPFILES() AFX_WM(WM_DROPFILES, self->OnDropFiles(reinterpret_cast<HDROP>(call.wParam));)
#define ON_WM_GETDLGCODE() AFX_WM(WM_GETDLGCODE, call.lResult = self->OnGetDlgCode();)
#define ON_WM_QUERYENDSESSION() AFX_WM(WM_QUERYENDSESSION, call.lResult = self->OnQueryEndSession();)
#define ON_WM_ENDSESSION() AFX_WM(WM_ENDSESSION, self->OnEndSession((BOOL)call.wParam);)
#define ON_WM_STYLECHANGED() AFX_WM(WM_STYLECHANGED, self->OnStyleChanged((int)call.wParam, reinterpret_cast<LPSTYLESTRUCT>(call.lParam));)
#define ON_WM_STYLECHANGING() AFX_WM(WM_STYLECHANGING, self->OnStyleChanging((int)call.wParam, reinterpret_cast<LPSTYLESTRUCT>(call.lParam));)
#define ON_WM_ENABLE() AFX_WM(WM_ENABLE, self->OnEnable((BOOL)call.wParam);)
#define ON_WM_HELPINFO() AFX_WM(WM_HELP, call.lResult = self->OnHelpInfo(reinterpret_cast<HELPINFO*>(call.lParam));)
#define ON_WM_COPYDATA() AFX_WM(WM_COPYDATA, call.lResult = self->OnCopyData(CWnd::FromHandle(reinterpret_cast<HWND>(call.wParam)), reinterpret_cast<COPYDATASTRUCT*>(call.lParam));)
#define ON_WM_PALETTECHANGED() AFX_WM(WM_PALETTECHANGED, self->OnPaletteChanged(CWnd::FromHandle(reinterpret_cast<HWND>(call.wParam)));)
#define ON_WM_QUERYNEWPALETTE() AFX_WM(WM_QUERYNEWPALETTE, call.lResult = self->OnQueryNewPalette();)
#define ON_WM_PARENTNOTIFY() AFX_WM(WM_PARENTNOTIFY, self->OnParentNotify((UINT)LOWORD(call.wParam), call.lParam);)
#define ON_WM_MDIACTIVATE() AFX_WM(WM_MDIACTIVATE, self->OnMDIActivate(reinterpret_cast<HWND>(call.lParam) == self->m_hWnd, CWnd::FromHandle(reinterpret_cast<HWND>(call.lParam)), CWnd::FromHandle(reinterpret_cast<HWND>(call.wParam)));)
#define ON_WM_CHILDACTIVATE() AFX_WM(WM_CHILDACTIVATE, self->OnChildActivate();)
#define ON_WM_NCRBUTTONDBLCLK() AFX_WM_NCMOUSE(WM_NCRBUTTONDBLCLK, OnNcRButtonDblClk)
#define ON_WM_THEMECHANGED() AFX_WM(WM_THEMECHANGED, call.lResult = self->OnThemeChanged();)

// Other messages -------------------------------------------------------------------------------
// LRESULT handler(WPARAM, LPARAM)
#define ON_MESSAGE(message, memberFxn) \
    AFX_WM(message, call.lResult = (self->*(memberFxn))(call.wParam, call.lParam);)
// nMessageVariable: a UINT holding the id from RegisterWindowMessage
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
    {0xC000, 0, 0, 0, (UINT_PTR)(&nMessageVariable), \
     [](CCmdTarget* pTarget_, AFX_MSGCALL& call) -> BOOL { \
         call.lResult = (static_cast<ThisClass*>(pTarget_)->*(memberFxn))(call.wParam, call.lParam); \
         return TRUE; \
     }},
#define ON_THREAD_MESSAGE(message, memberFxn) \
    AFX_WM(message, (self->*(memberFxn))(call.wParam, call.lParam);)

// Commands: void handler(), BOOL handler(UINT) for _EX, void handler(UINT) for ranges ----------
#define ON_COMMAND(id, memberFxn) \
    AFX_MAP_ENTRY(WM_COMMAND, CN_COMMAND, id, id, AfxSig_cmd, (self->*(memberFxn))(); return TRUE;)
#define ON_COMMAND_EX(id, memberFxn) \
    AFX_MAP_ENTRY(WM_COMMAND, CN_COMMAND, id, id, AfxSig_cmd, return (self->*(memberFxn))(call.nID);)
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    AFX_MAP_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, AfxSig_cmd, (self->*(memberFxn))(call.nID); return TRUE;)
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn) \
    AFX_MAP_ENTRY(WM_COMMAND, CN_COMMAND, id, idLast, AfxSig_cmd, return (self->*(memberFxn))(call.nID);)
// void handler(CCmdUI*)
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    AFX_MAP_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, id, AfxSig_cmdui, \
                  (self->*(memberFxn))(static_cast<CCmdUI*>(call.pExtra)); return TRUE;)
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
    AFX_MAP_ENTRY(WM_COMMAND, CN_UPDATE_COMMAND_UI, id, idLast, AfxSig_cmdui, \
                  (self->*(memberFxn))(static_cast<CCmdUI*>(call.pExtra)); return TRUE;)

// Control notifications through WM_COMMAND: void handler()
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
    AFX_MAP_ENTRY(WM_COMMAND, (WORD)(wNotifyCode), id, id, AfxSig_cmd, (self->*(memberFxn))(); return TRUE;)
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
    AFX_MAP_ENTRY(WM_COMMAND, (WORD)(wNotifyCode), id, idLast, AfxSig_cmd, (self->*(memberFxn))(call.nID); return TRUE;)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SELCANCEL(id, memberFxn) ON_CONTROL(LBN_SELCANCEL, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_CLBN_CHKCHANGE(id, memberFxn) ON_CONTROL(CLBN_CHKCHANGE, id, memberFxn)

// WM_NOTIFY: void handler(NMHDR*, LRESULT*); _EX: BOOL handler(UINT id, NMHDR*, LRESULT*)
#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
    AFX_MAP_ENTRY(WM_NOTIFY, (WORD)(int)(wNotifyCode), id, id, AfxSig_notify, \
        AFX_NOTIFY* n_ = static_cast<AFX_NOTIFY*>(call.pExtra); (self->*(memberFxn))(n_->pNMHDR, n_->pResult); return TRUE;)
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn) \
    AFX_MAP_ENTRY(WM_NOTIFY, (WORD)(int)(wNotifyCode), id, idLast, AfxSig_notify, \
        AFX_NOTIFY* n_ = static_cast<AFX_NOTIFY*>(call.pExtra); (self->*(memberFxn))(call.nID, n_->pNMHDR, n_->pResult); return TRUE;)
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn) \
    AFX_MAP_ENTRY(WM_NOTIFY, (WORD)(int)(wNotifyCode), id, id, AfxSig_notify, \
        AFX_NOTIFY* n_ = static_cast<AFX_NOTIFY*>(call.pExtra); return (self->*(memberFxn))(call.nID, n_->pNMHDR, n_->pResult);)
#define ON_NOTIFY_EX_RANGE(wNotifyCode, id, idLast, memberFxn) \
    AFX_MAP_ENTRY(WM_NOTIFY, (WORD)(int)(wNotifyCode), id, idLast, AfxSig_notify, \
        AFX_NOTIFY* n_ = static_cast<AFX_NOTIFY*>(call.pExtra); return (self->*(memberFxn))(call.nID, n_->pNMHDR, n_->pResult);)

// Reflection: the parent hands a control's notification back to the control object -----------
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn) \
    AFX_MAP_ENTRY(WM_REFLECT_BASE + WM_COMMAND, (WORD)(wNotifyCode), 0, 0, AfxSig_reflect, (self->*(memberFxn))(); return TRUE;)
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn) \
    AFX_MAP_ENTRY(WM_REFLECT_BASE + WM_COMMAND, (WORD)(wNotifyCode), 0, 0, AfxSig_reflect, return (self->*(memberFxn))();)
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn) \
    AFX_MAP_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, (WORD)(int)(wNotifyCode), 0, 0, AfxSig_reflect, \
        AFX_NOTIFY* n_ = static_cast<AFX_NOTIFY*>(call.pExtra); (self->*(memberFxn))(n_->pNMHDR, n_->pResult); return TRUE;)
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn) \
    AFX_MAP_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, (WORD)(int)(wNotifyCode), 0, 0, AfxSig_reflect, \
        AFX_NOTIFY* n_ = static_cast<AFX_NOTIFY*>(call.pExtra); return (self->*(memberFxn))(n_->pNMHDR, n_->pResult);)
#define ON_WM_CTLCOLOR_REFLECT() \
    AFX_WM(WM_REFLECT_BASE + WM_CTLCOLOR, call.lResult = reinterpret_cast<LRESULT>(self->CtlColor(CDC::FromHandle(reinterpret_cast<HDC>(call.wParam)), call.nCode));)
#define ON_WM_DRAWITEM_REFLECT() \
    AFX_WM(WM_REFLECT_BASE + WM_DRAWITEM, self->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(call.lParam)); call.lResult = TRUE;)
#define ON_WM_MEASUREITEM_REFLECT() \
    AFX_WM(WM_REFLECT_BASE + WM_MEASUREITEM, self->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(call.lParam)); call.lResult = TRUE;)
#define ON_WM_COMPAREITEM_REFLECT() \
    AFX_WM(WM_REFLECT_BASE + WM_COMPAREITEM, call.lResult = self->CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(call.lParam));)
#define ON_WM_DELETEITEM_REFLECT() \
    AFX_WM(WM_REFLECT_BASE + WM_DELETEITEM, self->DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(call.lParam)); call.lResult = TRUE;)
#define ON_WM_HSCROLL_REFLECT() \
    AFX_WM(WM_REFLECT_BASE + WM_HSCROLL, self->HScroll((UINT)LOWORD(call.wParam), (UINT)HIWORD(call.wParam));)
#define ON_WM_VSCROLL_REFLECT() \
    AFX_WM(WM_REFLECT_BASE + WM_VSCROLL, self->VScroll((UINT)LOWORD(call.wParam), (UINT)HIWORD(call.wParam));)
#define ON_WM_PARENTNOTIFY_REFLECT() \
    AFX_WM(WM_REFLECT_BASE + WM_PARENTNOTIFY, self->ParentNotify((UINT)LOWORD(call.wParam), call.lParam);)

// An update handler of the control itself, asked before its parent by UpdateDialogControls.
#define ON_UPDATE_COMMAND_UI_REFLECT(memberFxn) \
    AFX_MAP_ENTRY(WM_REFLECT_BASE + WM_COMMAND, (WORD)-1, 0, 0, AfxSig_cmdui, \
                  (self->*(memberFxn))(static_cast<CCmdUI*>(call.pExtra)); return TRUE;)

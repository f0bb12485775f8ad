#include "framework/AfxWnd.h"

#include "framework/AfxGdi.h"
#include "framework/AfxMenu.h"
#include "framework/AfxThread.h"
#include "framework/AfxFrame.h"
#include "framework/AfxWinApp.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace {

void SetWndHandle(CWnd* pWnd, HWND hWnd)
{
    pWnd->m_hWnd = hWnd;
}

CHandleMap<CWnd, HWND>& WndMap()
{
    return AfxGetThreadHandleMap<CWnd, HWND>(&SetWndHandle);
}

LRESULT CALLBACK CbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_WND_STATE* pState = AfxGetThreadWndState();
    if (code != HCBT_CREATEWND || pState->m_pWndInit == nullptr)
        return CallNextHookEx(pState->m_hHookOldCbtFilter, code, wParam, lParam);

    HWND hWnd = reinterpret_cast<HWND>(wParam);
    CWnd* pWndInit = pState->m_pWndInit;
    pState->m_pWndInit = nullptr;
    pWndInit->Attach(hWnd);
    pWndInit->PreSubclassWindow();
    WNDPROC oldProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (oldProc != &AfxWndProc)
        pWndInit->m_pfnSuper = oldProc;
    return CallNextHookEx(pState->m_hHookOldCbtFilter, code, wParam, lParam);
}

void AFXAPI ForgetThreadWindows(CWnd* pWnd)
{
    CWinThread* pThread = AfxGetThread();
    if (pThread == nullptr)
        return;
    if (pThread->m_pMainWnd == pWnd)
    {
        if (pThread == AfxGetApp())
            ::PostQuitMessage(0);
        pThread->m_pMainWnd = nullptr;
    }
    if (pThread->m_pActiveWnd == pWnd)
        pThread->m_pActiveWnd = nullptr;
}

void AFXAPI CancelOwnToolTips(CWnd* pWnd)
{
    if ((pWnd->m_nFlags & WF_TOOLTIPS) != 0)
        CWnd::CancelToolTips();
}

std::mutex& CleanupLock()
{
    static std::mutex lock;
    return lock;
}

std::vector<AFX_WND_CLEANUP>& CleanupList()
{
    static std::vector<AFX_WND_CLEANUP> entries{&ForgetThreadWindows, &CancelOwnToolTips};
    return entries;
}

// A copy, so that an entry added while a window dies (or on another thread) does not disturb the walk.
std::vector<AFX_WND_CLEANUP> CleanupEntries()
{
    std::lock_guard<std::mutex> guard(CleanupLock());
    return CleanupList();
}

} // namespace

void AFXAPI AfxAddWndCleanup(AFX_WND_CLEANUP pfnCleanup)
{
    if (pfnCleanup == nullptr)
        return;
    std::lock_guard<std::mutex> guard(CleanupLock());
    std::vector<AFX_WND_CLEANUP>& entries = CleanupList();
    if (std::find(entries.begin(), entries.end(), pfnCleanup) == entries.end())
        entries.push_back(pfnCleanup);
}

AFX_THREAD_WND_STATE* AFXAPI AfxGetThreadWndState()
{
    static thread_local AFX_THREAD_WND_STATE state;
    return &state;
}

void AFXAPI AfxHookWindowCreate(CWnd* pWnd)
{
    AFX_THREAD_WND_STATE* pState = AfxGetThreadWndState();
    if (pState->m_hHookOldCbtFilter == nullptr)
        pState->m_hHookOldCbtFilter = SetWindowsHookEx(WH_CBT, &CbtFilterHook, nullptr, GetCurrentThreadId());
    pState->m_pWndInit = pWnd;
}

BOOL AFXAPI AfxUnhookWindowCreate()
{
    AFX_THREAD_WND_STATE* pState = AfxGetThreadWndState();
    if (pState->m_hHookOldCbtFilter != nullptr)
    {
        UnhookWindowsHookEx(pState->m_hHookOldCbtFilter);
        pState->m_hHookOldCbtFilter = nullptr;
    }
    if (pState->m_pWndInit != nullptr)
    {
        pState->m_pWndInit = nullptr;
        return FALSE;
    }
    return TRUE;
}

LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_WND_STATE* pState = AfxGetThreadWndState();
    MSG oldState = pState->m_lastSentMsg;
    pState->m_lastSentMsg.hwnd = hWnd;
    pState->m_lastSentMsg.message = nMsg;
    pState->m_lastSentMsg.wParam = wParam;
    pState->m_lastSentMsg.lParam = lParam;
    // The handler may destroy and delete pWnd: nothing below touches it again.
    LRESULT lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    pState->m_lastSentMsg = oldState;
    return lResult;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_QUERYAFXWNDPROC)
        return 1;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr)
        return ::DefWindowProc(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_NCDESTROY()
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_COMPAREITEM()
    ON_WM_DELETEITEM()
    ON_WM_CTLCOLOR()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_PARENTNOTIFY()
END_MESSAGE_MAP()

CWnd::CWnd() = default;

CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd) {}

CWnd::~CWnd()
{
    // A permanent object that still owns its window destroys it; the wndTop family and temporary
    // objects only borrow a handle.
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
    return WndMap().FromHandle(hWnd);
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
    return hWnd == nullptr ? nullptr : WndMap().LookupPermanent(hWnd);
}

void PASCAL CWnd::DeleteTempMap()
{
    WndMap().DeleteTemp();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == nullptr || m_hWnd != nullptr)
        return FALSE;
    m_hWnd = hWndNew;
    WndMap().SetPermanent(hWndNew, this);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr)
        WndMap().RemoveHandle(hWnd);
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd != nullptr)
        return FALSE;
    CREATESTRUCT cs{};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                 cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    const BOOL attached = AfxUnhookWindowCreate();
    if (hWnd == nullptr)
    {
        // A window that failed in WM_CREATE was destroyed and its object told in PostNcDestroy; one
        // that never came to be is told here. Every failed creation so ends there, and a window that
        // deletes itself is gone after any failure: its creator must not touch it again.
        if (!attached)
            PostNcDestroy();
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr)
    {
        AfxEndDeferRegisterClass(0);
        cs.lpszClass = _afxWnd;
    }
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    if (FromHandlePermanent(m_hWnd) != this)
    {
        // A temporary or borrowed object: destroy the window and forget the handle.
        BOOL bResult = ::DestroyWindow(m_hWnd);
        m_hWnd = nullptr;
        return bResult;
    }
    HWND hWnd = m_hWnd;
    BOOL bResult = ::DestroyWindow(hWnd);
    // Windows created without our procedure (subclassed late) may not have sent WM_NCDESTROY to us.
    if (bResult && FromHandlePermanent(hWnd) == this)
        Detach();
    return bResult;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC oldProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (oldProc != &AfxWndProc)
        m_pfnSuper = oldProc;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = ::GetDlgItem(pParent->GetSafeHwnd(), (int)nID);
    return hWndControl != nullptr && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    if (m_pfnSuper != nullptr)
    {
        SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = nullptr;
    }
    return Detach();
}

void CWnd::PreSubclassWindow() {}

void CWnd::PostNcDestroy() {}

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::OnNcCreate(LPCREATESTRUCT)
{
    return (BOOL)Default();
}

void CWnd::OnNcDestroy()
{
    for (AFX_WND_CLEANUP pfnCleanup : CleanupEntries())
        pfnCleanup(this);
    Default();
    // Give the window its original procedure back, then let the object go (frames delete themselves).
    if (m_pfnSuper != nullptr && m_hWnd != nullptr)
        SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    Detach();
    PostNcDestroy();
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != nullptr)
        return ::CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& msg = AfxGetThreadWndState()->m_lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

const MSG* PASCAL CWnd::GetCurrentMessage()
{
    AFX_THREAD_WND_STATE* pState = AfxGetThreadWndState();
    pState->m_lastSentMsg.time = ::GetMessageTime();
    DWORD pos = ::GetMessagePos();
    pState->m_lastSentMsg.pt.x = (short)LOWORD(pos);
    pState->m_lastSentMsg.pt.y = (short)HIWORD(pos);
    return &pState->m_lastSentMsg;
}

BOOL CWnd::DispatchMapMessage(UINT message, AFX_MSGCALL& call)
{
    const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(message, 0, 0);
    if (pEntry == nullptr)
        return FALSE;
    call.message = message;
    return pEntry->pfn(this, call);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND)
    {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY)
    {
        NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        LRESULT lResult = 0;
        if (pNMHDR == nullptr || pNMHDR->hwndFrom == nullptr || !OnNotify(wParam, lParam, &lResult))
            return FALSE;
        *pResult = lResult;
        return TRUE;
    }
    AFX_MSGCALL call;
    call.wParam = wParam;
    call.lParam = lParam;
    UINT mapMessage = message;
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
    {
        mapMessage = WM_CTLCOLOR;
        call.nCode = message - WM_CTLCOLORMSGBOX;
    }
    if (!DispatchMapMessage(mapMessage, call))
        return FALSE;
    // The handler may have deleted this object: only the local result is used from here on.
    *pResult = call.lResult;
    return TRUE;
}

BOOL CWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    return CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (hWndCtrl == nullptr)
    {
        // A menu item or accelerator: a command its update handler disables is not carried out.
        if (nID == 0)
            return FALSE;
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, (int)CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    }
    else
    {
        if (AfxGetThreadWndState()->m_hLockoutNotifyWindow == m_hWnd)
            return TRUE;
        if (ReflectLastMsg(hWndCtrl))
            return TRUE;
        if (nID == 0)
            return FALSE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    HWND hWndCtrl = pNMHDR->hwndFrom;
    UINT nID = (UINT)pNMHDR->idFrom;
    int nCode = (int)pNMHDR->code;
    if (AfxGetThreadWndState()->m_hLockoutNotifyWindow == m_hWnd)
        return TRUE;
    if (ReflectLastMsg(hWndCtrl, pResult))
        return TRUE;
    AFX_NOTIFY notify{pResult, pNMHDR};
    if (OnCmdMsg(nID, MAKELONG(nCode, WM_NOTIFY), &notify, nullptr))
        return TRUE;
    // Tooltip text nobody supplied comes from the tool's string resource.
    return nCode == (int)TTN_NEEDTEXTW && AnswerToolTipText(pNMHDR, pResult);
}

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    return pWnd != nullptr && pWnd->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG& msg = AfxGetThreadWndState()->m_lastSentMsg;
    return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lLocal = 0;
    if (pResult == nullptr)
        pResult = &lLocal;
    switch (message)
    {
    case WM_COMMAND:
    {
        int nCode = HIWORD(wParam);
        if (CCmdTarget::OnCmdMsg(0, MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND), nullptr, nullptr))
        {
            *pResult = 1;
            return TRUE;
        }
        return FALSE;
    }
    case WM_NOTIFY:
    {
        NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        AFX_NOTIFY notify{pResult, pNMHDR};
        return CCmdTarget::OnCmdMsg(0, MAKELONG((int)pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY), &notify, nullptr);
    }
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_COMPAREITEM:
    case WM_DELETEITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    {
        AFX_MSGCALL call;
        call.wParam = wParam;
        call.lParam = lParam;
        if (!DispatchMapMessage(WM_REFLECT_BASE + message, call))
            return FALSE;
        *pResult = call.lResult;
        return TRUE;
    }
    default:
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        {
            AFX_MSGCALL call;
            call.wParam = wParam;
            call.lParam = lParam;
            call.nCode = message - WM_CTLCOLORMSGBOX;
            if (!DispatchMapMessage(WM_REFLECT_BASE + WM_CTLCOLOR, call) || call.lResult == 0)
                return FALSE;
            *pResult = call.lResult;
            return TRUE;
        }
        return FALSE;
    }
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar != nullptr && ReflectLastMsg(reinterpret_cast<CWnd*>(pScrollBar)->m_hWnd))
        return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar != nullptr && ReflectLastMsg(reinterpret_cast<CWnd*>(pScrollBar)->m_hWnd))
        return;
    Default();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT lResult = 0;
    if (pWnd != nullptr && ReflectLastMsg(pWnd->m_hWnd, &lResult))
        return reinterpret_cast<HBRUSH>(lResult);
    return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->CtlType == ODT_MENU)
    {
        CMenu* pMenu = CMenu::FromHandlePermanent(reinterpret_cast<HMENU>(lpDrawItemStruct->hwndItem));
        if (pMenu != nullptr)
        {
            pMenu->DrawItem(lpDrawItemStruct);
            return;
        }
    }
    else if (ReflectLastMsg(lpDrawItemStruct->hwndItem))
        return;
    Default();
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct->CtlType != ODT_MENU)
    {
        HWND hWndChild = ::GetDlgItem(m_hWnd, nIDCtl);
        if (hWndChild != nullptr && ReflectLastMsg(hWndChild))
            return;
        // A control the framework created is attached before its first message and measures its
        // own items; one subclassed later (from a dialog template) measured before it had an
        // object, and gets the default here.
    }
    Default();
}

int CWnd::OnCompareItem(int, LPCOMPAREITEMSTRUCT lpCompareItemStruct)
{
    LRESULT lResult = 0;
    if (ReflectLastMsg(lpCompareItemStruct->hwndItem, &lResult))
        return (int)lResult;
    return (int)Default();
}

void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT lpDeleteItemStruct)
{
    if (ReflectLastMsg(lpDeleteItemStruct->hwndItem))
        return;
    Default();
}

void CWnd::OnParentNotify(UINT message, LPARAM lParam)
{
    if ((LOWORD(message) == WM_CREATE || LOWORD(message) == WM_DESTROY) &&
        ReflectLastMsg(reinterpret_cast<HWND>(lParam)))
        return;
    Default();
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
    if ((m_nFlags & WF_TOOLTIPS) != 0)
        FilterToolTipMessage(pMsg);
    return FALSE;
}

BOOL PASCAL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

void PASCAL CWnd::SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                           BOOL bOnlyPerm)
{
    for (HWND hWndChild = ::GetTopWindow(hWnd); hWndChild != nullptr;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        if (bOnlyPerm)
        {
            CWnd* pWnd = FromHandlePermanent(hWndChild);
            if (pWnd != nullptr)
                AfxCallWndProc(pWnd, pWnd->m_hWnd, message, wParam, lParam);
        }
        else
            ::SendMessage(hWndChild, message, wParam, lParam);
        if (bDeep && ::GetTopWindow(hWndChild) != nullptr)
            SendMessageToDescendants(hWndChild, message, wParam, lParam, bDeep, bOnlyPerm);
    }
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    SendMessageToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

#include "framework/AfxWnd.h"

#include "framework/AfxGdi.h"
#include "framework/AfxMenu.h"
#include "framework/AfxThread.h"
#include "framework/AfxFrame.h"
#include "framework/AfxWinApp.h"

namespace {

void SetWndHandle(CWnd* pWnd, HWND hWnd)
{
    pWnd->m_hWnd = hWnd;
}

CHandleMap<CWnd, HWND>& WndMap()
{
    static thread_local CHandleMap<CWnd, HWND> map(&SetWndHandle);
    return map;
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

} // namespace

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
    AfxUnhookWindowCreate();
    if (hWnd == nullptr)
    {
        // A window that failed in WM_CREATE was destroyed (and its object told in PostNcDestroy).
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
    CWinThread* pThread = AfxGetThread();
    if (pThread != nullptr && pThread->m_pMainWnd == this)
    {
        if (pThread == AfxGetApp())
            ::PostQuitMessage(0);
        pThread->m_pMainWnd = nullptr;
    }
    if (pThread != nullptr && pThread->m_pActiveWnd == this)
        pThread->m_pActiveWnd = nullptr;
    if ((m_nFlags & WF_TOOLTIPS) != 0)
        CancelToolTips();
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
    return OnCmdMsg(nID, MAKELONG(nCode, WM_NOTIFY), &notify, nullptr);
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
        // Owner-draw fixed list boxes measure before they are subclassed: find the control by id
        // among the children being created.
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

CWnd* CWnd::GetParent() const
{
    if (!::IsWindow(m_hWnd))
        return nullptr;
    HWND hWndParent = (GetStyle() & WS_CHILD) != 0 ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    return FromHandle(hWndParent);
}

CWnd* CWnd::SetParent(CWnd* pWndNewParent)
{
    return FromHandle(::SetParent(m_hWnd, pWndNewParent->GetSafeHwnd()));
}

CWnd* CWnd::GetOwner() const
{
    return m_hWndOwner != nullptr ? FromHandle(m_hWndOwner) : GetParent();
}

CWnd* CWnd::GetParentOwner() const
{
    HWND hWndParent = m_hWnd;
    HWND hWndT;
    while ((::GetWindowLong(hWndParent, GWL_STYLE) & WS_CHILD) != 0 &&
           (hWndT = ::GetParent(hWndParent)) != nullptr)
        hWndParent = hWndT;
    return FromHandle(hWndParent);
}

CWnd* CWnd::GetTopLevelParent() const
{
    if (GetSafeHwnd() == nullptr)
        return nullptr;
    HWND hWndParent = m_hWnd;
    HWND hWndT;
    while ((hWndT = ::GetParent(hWndParent)) != nullptr &&
           (::GetWindowLong(hWndParent, GWL_STYLE) & WS_CHILD) != 0)
        hWndParent = hWndT;
    return FromHandle(hWndParent);
}

CWnd* CWnd::GetTopLevelOwner() const
{
    if (GetSafeHwnd() == nullptr)
        return nullptr;
    HWND hWndOwner = m_hWnd;
    HWND hWndT;
    while ((hWndT = ::GetWindow(hWndOwner, GW_OWNER)) != nullptr)
        hWndOwner = hWndT;
    return FromHandle(hWndOwner);
}

CFrameWnd* CWnd::GetParentFrame() const
{
    if (GetSafeHwnd() == nullptr)
        return nullptr;
    for (CWnd* pParentWnd = GetParent(); pParentWnd != nullptr; pParentWnd = pParentWnd->GetParent())
    {
        if (pParentWnd->IsFrameWnd())
            return static_cast<CFrameWnd*>(pParentWnd);
    }
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    if (GetSafeHwnd() == nullptr)
        return nullptr;
    CWnd* pFrameWnd = const_cast<CWnd*>(this);
    if (!IsFrameWnd())
        pFrameWnd = GetParentFrame();
    if (pFrameWnd != nullptr)
    {
        CWnd* pTemp;
        while ((pTemp = pFrameWnd->GetParentFrame()) != nullptr)
            pFrameWnd = pTemp;
    }
    return static_cast<CFrameWnd*>(pFrameWnd);
}

BOOL PASCAL CWnd::IsFrameWnd(HWND hWnd)
{
    CWnd* pWnd = FromHandlePermanent(hWnd);
    return pWnd != nullptr && pWnd->IsFrameWnd();
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != nullptr;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        if (::GetDlgCtrlID(hWndChild) == nID)
        {
            CWnd* pWnd = bOnlyPerm ? FromHandlePermanent(hWndChild) : FromHandle(hWndChild);
            if (pWnd != nullptr)
                return pWnd;
        }
        if (::GetTopWindow(hWndChild) != nullptr)
        {
            CWnd wndChild(hWndChild);
            CWnd* pWnd = wndChild.GetDescendantWindow(nID, bOnlyPerm);
            wndChild.m_hWnd = nullptr;
            if (pWnd != nullptr)
                return pWnd;
        }
    }
    return nullptr;
}

BOOL PASCAL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = (DWORD)::GetWindowLong(hWnd, GWL_STYLE);
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLong(hWnd, GWL_STYLE, (LONG)dwNewStyle);
    if (nFlags != 0)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL PASCAL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = (DWORD)::GetWindowLong(hWnd, GWL_EXSTYLE);
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLong(hWnd, GWL_EXSTYLE, (LONG)dwNewStyle);
    if (nFlags != 0)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
    if ((GetExStyle() & WS_EX_LAYOUTRTL) != 0)
        std::swap(lpRect->left, lpRect->right);
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
    if ((GetExStyle() & WS_EX_LAYOUTRTL) != 0)
        std::swap(lpRect->left, lpRect->right);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    HWND hWndCenter = pAlternateOwner->GetSafeHwnd();
    DWORD dwStyle = GetStyle();
    if (hWndCenter == nullptr)
        hWndCenter = (dwStyle & WS_CHILD) != 0 ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    RECT rcDlg;
    GetWindowRect(&rcDlg);
    RECT rcArea;
    RECT rcCenter;
    if ((dwStyle & WS_CHILD) == 0)
    {
        if (hWndCenter != nullptr)
        {
            DWORD dwCenterStyle = (DWORD)::GetWindowLong(hWndCenter, GWL_STYLE);
            if ((dwCenterStyle & WS_VISIBLE) == 0 || (dwCenterStyle & WS_MINIMIZE) != 0)
                hWndCenter = nullptr;
        }
        MONITORINFO mi{};
        mi.cbSize = sizeof(mi);
        HMONITOR hMonitor = ::MonitorFromWindow(hWndCenter != nullptr ? hWndCenter : m_hWnd, MONITOR_DEFAULTTONEAREST);
        ::GetMonitorInfo(hMonitor, &mi);
        rcArea = mi.rcWork;
        if (hWndCenter == nullptr)
            rcCenter = rcArea;
        else
            ::GetWindowRect(hWndCenter, &rcCenter);
    }
    else
    {
        HWND hWndParent = ::GetParent(m_hWnd);
        ::GetClientRect(hWndParent, &rcArea);
        ::GetClientRect(hWndCenter, &rcCenter);
        ::MapWindowPoints(hWndCenter, hWndParent, reinterpret_cast<LPPOINT>(&rcCenter), 2);
    }
    int nWidth = rcDlg.right - rcDlg.left;
    int nHeight = rcDlg.bottom - rcDlg.top;
    int xLeft = (rcCenter.left + rcCenter.right) / 2 - nWidth / 2;
    int yTop = (rcCenter.top + rcCenter.bottom) / 2 - nHeight / 2;
    if (xLeft + nWidth > rcArea.right)
        xLeft = rcArea.right - nWidth;
    if (xLeft < rcArea.left)
        xLeft = rcArea.left;
    if (yTop + nHeight > rcArea.bottom)
        yTop = rcArea.bottom - nHeight;
    if (yTop < rcArea.top)
        yTop = rcArea.top;
    SetWindowPos(nullptr, xLeft, yTop, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    DWORD dwExStyle = GetExStyle();
    if (nAdjustType == 0)
        dwExStyle &= ~WS_EX_CLIENTEDGE;
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, dwExStyle);
}

void CWnd::InvalidateRgn(CRgn* pRgn, BOOL bErase)
{
    ::InvalidateRgn(m_hWnd, (HRGN)pRgn->GetSafeHandle(), bErase);
}

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags)
{
    return ::RedrawWindow(m_hWnd, lpRectUpdate, (HRGN)prgnUpdate->GetSafeHandle(), flags);
}

CDC* CWnd::BeginPaint(LPPAINTSTRUCT lpPaint)
{
    return CDC::FromHandle(::BeginPaint(m_hWnd, lpPaint));
}

CDC* CWnd::GetDC()
{
    return CDC::FromHandle(::GetDC(m_hWnd));
}

CDC* CWnd::GetWindowDC()
{
    return CDC::FromHandle(::GetWindowDC(m_hWnd));
}

CDC* CWnd::GetDCEx(CRgn* prgnClip, DWORD flags)
{
    return CDC::FromHandle(::GetDCEx(m_hWnd, (HRGN)prgnClip->GetSafeHandle(), flags));
}

int CWnd::ReleaseDC(CDC* pDC)
{
    return ::ReleaseDC(m_hWnd, pDC->GetSafeHdc());
}

void CWnd::GetWindowText(CString& rString) const
{
    int nLen = ::GetWindowTextLength(m_hWnd);
    ::GetWindowText(m_hWnd, rString.GetBufferSetLength(nLen), nLen + 1);
    rString.ReleaseBuffer();
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    HWND hWnd = ::GetDlgItem(m_hWnd, nID);
    if (hWnd != nullptr)
    {
        int nLen = ::GetWindowTextLength(hWnd);
        ::GetWindowText(hWnd, rString.GetBufferSetLength(nLen), nLen + 1);
        rString.ReleaseBuffer();
    }
    return rString.GetLength();
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    ::SendMessage(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(pFont->GetSafeHandle()), bRedraw);
}

CFont* CWnd::GetFont() const
{
    return CFont::FromHandle(reinterpret_cast<HFONT>(::SendMessage(m_hWnd, WM_GETFONT, 0, 0)));
}

int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const
{
    for (int nID = nIDFirstButton; nID <= nIDLastButton; nID++)
    {
        if (IsDlgButtonChecked(nID))
            return nID;
    }
    return 0;
}

CMenu* CWnd::GetMenu() const
{
    return CMenu::FromHandle(::GetMenu(m_hWnd));
}

BOOL CWnd::SetMenu(CMenu* pMenu)
{
    return ::SetMenu(m_hWnd, pMenu->GetSafeHmenu());
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
    return TRUE;
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) const
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    CString caption;
    if (lpszCaption == nullptr)
    {
        CWinApp* pApp = AfxGetApp();
        caption = pApp != nullptr ? CString(pApp->m_pszAppName) : CString();
        lpszCaption = caption;
    }
    return ::MessageBox(GetSafeHwnd(), lpszText, lpszCaption, nType);
}

void CWnd::DragAcceptFiles(BOOL bAccept)
{
    ModifyStyleEx(bAccept ? 0 : WS_EX_ACCEPTFILES, bAccept ? WS_EX_ACCEPTFILES : 0);
}

void CWnd::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr)
        pApp->WinHelp(dwData, nCmd);
}

BOOL CWnd::ContinueModal()
{
    return (m_nFlags & WF_CONTINUEMODAL) != 0;
}

void CWnd::EndModalLoop(int nResult)
{
    // The loop sees the cleared flag after the message being handled.
    m_nFlags &= ~WF_CONTINUEMODAL;
    m_nModalResult = nResult;
    ::PostMessage(m_hWnd, WM_NULL, 0, 0);
}

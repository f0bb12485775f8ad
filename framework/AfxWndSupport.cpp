// CWnd services beyond message dispatch: window classes, modal loops, dialog-item data,
// command updates of dialog controls and tooltips.
#include "framework/AfxWnd.h"

#include "framework/AfxThread.h"
#include "framework/AfxDocTemplate.h"
#include "framework/AfxFrame.h"

#include <mutex>
#include <set>
#include <string>

const TCHAR _afxWnd[] = L"AfxWnd";
const TCHAR _afxWndFrameOrView[] = L"AfxFrameOrView";
const TCHAR _afxWndMDIFrame[] = L"AfxMDIFrame";

namespace {

std::mutex g_classMutex;

BOOL RegisterClassOnce(LPCTSTR lpszClassName, UINT nStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    WNDCLASS wndcls{};
    HINSTANCE hInst = AfxGetInstanceHandle();
    if (::GetClassInfo(hInst, lpszClassName, &wndcls))
        return TRUE;
    wndcls.style = nStyle;
    wndcls.lpfnWndProc = ::DefWindowProc;
    wndcls.hInstance = hInst;
    wndcls.hCursor = hCursor;
    wndcls.hbrBackground = hbrBackground;
    wndcls.hIcon = hIcon;
    wndcls.lpszClassName = lpszClassName;
    return ::RegisterClass(&wndcls) != 0;
}

} // namespace

BOOL AFXAPI AfxEndDeferRegisterClass(LONG)
{
    std::lock_guard<std::mutex> lock(g_classMutex);
    HCURSOR hArrow = ::LoadCursor(nullptr, IDC_ARROW);
    HICON hIcon = ::LoadIcon(nullptr, IDI_APPLICATION);
    BOOL bResult = RegisterClassOnce(_afxWnd, CS_DBLCLKS, hArrow, nullptr, nullptr);
    bResult &= RegisterClassOnce(_afxWndFrameOrView, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, hArrow,
                                 reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), hIcon);
    bResult &= RegisterClassOnce(_afxWndMDIFrame, CS_DBLCLKS, hArrow, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), hIcon);
    return bResult;
}

BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass)
{
    if (lpWndClass == nullptr || lpWndClass->lpszClassName == nullptr)
        return FALSE;
    WNDCLASS wndcls;
    if (::GetClassInfo(lpWndClass->hInstance, lpWndClass->lpszClassName, &wndcls))
        return TRUE;
    return ::RegisterClass(lpWndClass) != 0;
}

LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    // One class per combination of traits; the names live for the process.
    static std::set<std::wstring> names;
    wchar_t buffer[128];
    swprintf(buffer, 128, L"Afx:%p:%x:%p:%p:%p", (void*)AfxGetInstanceHandle(), nClassStyle, (void*)hCursor,
             (void*)hbrBackground, (void*)hIcon);
    std::lock_guard<std::mutex> lock(g_classMutex);
    const std::wstring& name = *names.insert(buffer).first;
    if (!RegisterClassOnce(name.c_str(), nClassStyle, hCursor, hbrBackground, hIcon))
        return nullptr;
    return name.c_str();
}

int CWnd::RunModalLoop(DWORD dwFlags)
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) != 0 && (GetStyle() & WS_VISIBLE) == 0;
    HWND hWndParent = ::GetParent(m_hWnd);
    m_nFlags |= WF_MODALLOOP | WF_CONTINUEMODAL;
    MSG msg;
    for (;;)
    {
        // Idle time: show the window once, tell the owner, kick the window's idle work.
        while (bIdle && !::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE))
        {
            if (bShowIdle)
            {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if ((dwFlags & MLF_NOIDLEMSG) == 0 && hWndParent != nullptr && lIdleCount == 0)
                ::SendMessage(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(m_hWnd));
            if ((dwFlags & MLF_NOKICKIDLE) != 0 || !SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++))
                bIdle = FALSE;
            if (!ContinueModal())
                goto ExitModal;
        }
        do
        {
            if (!AfxPumpMessage())
            {
                // WM_QUIT ends the loop and stays posted for the outer loop.
                ::PostQuitMessage(0);
                m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
                return -1;
            }
            if (bShowIdle && (AfxGetThreadWndState()->m_msgCur.message == 0x0118 ||
                              AfxGetThreadWndState()->m_msgCur.message == WM_SYSKEYDOWN))
            {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!ContinueModal())
                goto ExitModal;
            if (AfxInternalIsIdleMessage(&AfxGetThreadWndState()->m_msgCur))
            {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
ExitModal:
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    return m_nModalResult;
}

BOOL CWnd::ExecuteDlgInit(LPCTSTR lpszResourceName)
{
    if (lpszResourceName == nullptr)
        return TRUE;
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hDlgInit = ::FindResource(hInst, lpszResourceName, MAKEINTRESOURCE(240));
    if (hDlgInit == nullptr)
        return TRUE;  // no initial data
    HGLOBAL hResource = ::LoadResource(hInst, hDlgInit);
    if (hResource == nullptr)
        return FALSE;
    return ExecuteDlgInit(::LockResource(hResource), ::SizeofResource(hInst, hDlgInit));
}

BOOL CWnd::ExecuteDlgInit(LPVOID lpResource, DWORD dwSize)
{
    // Records: WORD control id, WORD message, DWORD length, the data; a zero id ends the list.
    // The lengths come from a resource and are checked against its size.
    const BYTE* p = static_cast<const BYTE*>(lpResource);
    const BYTE* pEnd = p + dwSize;
    BOOL bSuccess = TRUE;
    while (p != nullptr && pEnd - p >= 2)
    {
        WORD nIDC = *reinterpret_cast<const WORD*>(p);
        if (nIDC == 0)
            break;
        if (pEnd - p < 8)
            return FALSE;
        WORD nMsg = *reinterpret_cast<const WORD*>(p + 2);
        DWORD dwLen = *reinterpret_cast<const DWORD*>(p + 4);
        p += 8;
        if (dwLen > (DWORD)(pEnd - p))
            return FALSE;
        const char* pszText = reinterpret_cast<const char*>(p);
        p += dwLen;
        // The strings are stored in the ANSI code page with the old list and combo messages.
        UINT nMsgNow = 0;
        if (nMsg == 0x0401)
            nMsgNow = LB_ADDSTRING;
        else if (nMsg == 0x0403 || nMsg == 0x1234)
            nMsgNow = CB_ADDSTRING;
        if (nMsgNow == 0 || dwLen == 0)
            continue;
        std::string text(pszText, strnlen(pszText, dwLen));
        if (::SendDlgItemMessageA(m_hWnd, nIDC, nMsgNow, 0, reinterpret_cast<LPARAM>(text.c_str())) < 0)
            bSuccess = FALSE;
    }
    return bSuccess;
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    CCmdUI state;
    CWnd wndTemp;
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != nullptr;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        state.m_nID = (UINT)::GetDlgCtrlID(hWndChild);
        state.m_pOther = &wndTemp;
        wndTemp.m_hWnd = hWndChild;

        // The control's own update handler first, then this window's.
        CWnd* pWnd = FromHandlePermanent(hWndChild);
        if (pWnd != nullptr &&
            pWnd->CCmdTarget::OnCmdMsg(0, MAKELONG(0xFFFF, WM_REFLECT_BASE + WM_COMMAND), &state, nullptr))
            continue;
        if (CWnd::OnCmdMsg(state.m_nID, (int)CN_UPDATE_COMMAND_UI, &state, nullptr))
            continue;

        // Only push buttons are disabled for lack of a handler.
        BOOL bDisableTemp = bDisableIfNoHndler;
        if (bDisableTemp)
        {
            if ((::SendMessage(hWndChild, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) == 0)
                bDisableTemp = FALSE;
            else
            {
                UINT nStyle = (UINT)(::GetWindowLong(hWndChild, GWL_STYLE) & 0x0F);
                if (nStyle == BS_AUTOCHECKBOX || nStyle == BS_AUTO3STATE || nStyle == BS_GROUPBOX ||
                    nStyle == BS_AUTORADIOBUTTON)
                    bDisableTemp = FALSE;
            }
        }
        state.DoUpdate(pTarget, bDisableTemp);
    }
    wndTemp.m_hWnd = nullptr;
}

// Tooltips ----------------------------------------------------------------------------------

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    // The child control under the point is the tool; its text comes back through TTN_NEEDTEXT.
    HWND hWndChild = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (hWndChild == nullptr || hWndChild == m_hWnd)
        return -1;
    if (pTI != nullptr)
    {
        pTI->hwnd = m_hWnd;
        pTI->uId = reinterpret_cast<UINT_PTR>(hWndChild);
        pTI->uFlags |= TTF_IDISHWND | TTF_CENTERTIP;
        pTI->lpszText = LPSTR_TEXTCALLBACK;
    }
    int nID = ::GetDlgCtrlID(hWndChild);
    return nID != 0 ? nID : -1;
}

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    BOOL bOld = (m_nFlags & WF_TOOLTIPS) != 0;
    if (bEnable)
        m_nFlags |= WF_TOOLTIPS;
    else
    {
        m_nFlags &= ~WF_TOOLTIPS;
        CancelToolTips();
    }
    return bOld;
}

namespace {

void FreeToolText(TOOLINFO& ti)
{
    if (ti.lpszText != nullptr && ti.lpszText != LPSTR_TEXTCALLBACK)
        free(ti.lpszText);
    ti.lpszText = nullptr;
}

HWND ThreadToolTip(AFX_THREAD_WND_STATE* pState)
{
    if (pState->m_hWndToolTip != nullptr && ::IsWindow(pState->m_hWndToolTip))
        return pState->m_hWndToolTip;
    pState->m_hWndToolTip = ::CreateWindowEx(WS_EX_TOPMOST, TOOLTIPS_CLASS, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                                             nullptr, AfxGetInstanceHandle(), nullptr);
    if (pState->m_hWndToolTip != nullptr)
        ::SendMessage(pState->m_hWndToolTip, TTM_SETMAXTIPWIDTH, 0, SHRT_MAX);
    return pState->m_hWndToolTip;
}

} // namespace

void PASCAL CWnd::CancelToolTips(BOOL)
{
    AFX_THREAD_WND_STATE* pState = AfxGetThreadWndState();
    if (pState->m_hWndToolTip != nullptr && ::IsWindow(pState->m_hWndToolTip))
    {
        ::SendMessage(pState->m_hWndToolTip, TTM_ACTIVATE, FALSE, 0);
        if (pState->m_bLastInfoValid)
            ::SendMessage(pState->m_hWndToolTip, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&pState->m_lastInfo));
    }
    pState->m_bLastInfoValid = FALSE;
    pState->m_nLastHit = -1;
    pState->m_pLastHit = nullptr;
}

BOOL CWnd::AnswerToolTipText(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pTTT = reinterpret_cast<TOOLTIPTEXTW*>(pNMHDR);
    UINT nID = static_cast<UINT>(pNMHDR->idFrom);
    if ((pTTT->uFlags & TTF_IDISHWND) != 0)
    {
        HWND hWndTool = reinterpret_cast<HWND>(pNMHDR->idFrom);
        if (!::IsWindow(hWndTool))
            return FALSE;
        nID = static_cast<UINT>(::GetDlgCtrlID(hWndTool));
        // A hosted control may know its own text (a combo box of a toolbar, say).
        if (hWndTool != m_hWnd)
        {
            pTTT->szText[0] = L'\0';
            pTTT->lpszText = pTTT->szText;
            ::SendMessage(hWndTool, WM_NOTIFY, nID, reinterpret_cast<LPARAM>(pNMHDR));
            if (pTTT->lpszText != pTTT->szText || pTTT->szText[0] != L'\0')
            {
                *pResult = 0;
                return TRUE;
            }
        }
    }
    CString strFull;
    if (nID == 0 || !strFull.LoadString(nID))
        return FALSE;
    CString strTip;
    AfxExtractSubString(strTip, strFull, 1, L'\n');
    lstrcpynW(pTTT->szText, strTip, static_cast<int>(sizeof(pTTT->szText) / sizeof(pTTT->szText[0])));
    pTTT->lpszText = pTTT->szText;
    *pResult = 0;
    return TRUE;
}

void CWnd::FilterToolTipMessage(MSG* pMsg)
{
    UINT message = pMsg->message;
    if (message != WM_MOUSEMOVE && message != WM_NCMOUSEMOVE && message != WM_LBUTTONUP &&
        message != WM_RBUTTONUP && message != WM_MBUTTONUP && message != WM_LBUTTONDOWN &&
        message != WM_RBUTTONDOWN && message != WM_MBUTTONDOWN)
        return;
    AFX_THREAD_WND_STATE* pState = AfxGetThreadWndState();
    HWND hWndToolTip = ThreadToolTip(pState);
    if (hWndToolTip == nullptr)
        return;

    POINT point = pMsg->pt;
    ::ScreenToClient(m_hWnd, &point);
    TOOLINFO ti{};
    ti.cbSize = sizeof(TOOLINFO);
    INT_PTR nHit = OnToolHitTest(CPoint(point.x, point.y), &ti);
    if (pState->m_pLastHit != this || pState->m_nLastHit != nHit)
    {
        // Another tool: the old one goes, the new one is added and activated.
        if (pState->m_bLastInfoValid)
            ::SendMessage(hWndToolTip, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&pState->m_lastInfo));
        pState->m_bLastInfoValid = FALSE;
        if (nHit != -1)
        {
            if ((ti.uFlags & TTF_IDISHWND) == 0 && ti.rect.right == 0 && ti.rect.bottom == 0)
                GetClientRect(&ti.rect);
            ti.uFlags &= ~TTF_SUBCLASS;
            ::SendMessage(hWndToolTip, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti));
            ::SendMessage(hWndToolTip, TTM_ACTIVATE, TRUE, 0);
            pState->m_lastInfo = ti;
            pState->m_lastInfo.lpszText = nullptr;
            pState->m_bLastInfoValid = TRUE;
        }
        else
            ::SendMessage(hWndToolTip, TTM_ACTIVATE, FALSE, 0);
        pState->m_pLastHit = this;
        pState->m_nLastHit = nHit;
    }
    FreeToolText(ti);
    if (nHit != -1)
    {
        MSG msg = *pMsg;
        ::SendMessage(hWndToolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    }
}

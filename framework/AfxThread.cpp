#include "framework/AfxThread.h"

#include "framework/AfxWnd.h"
#include "framework/AfxFrame.h"
#include "framework/AfxGdi.h"
#include "framework/AfxMenu.h"
#include "framework/AfxWinApp.h"
#include "framework/AfxThreadData.h"

#include <algorithm>

namespace {

thread_local CWinThread* t_pCurrentThread = nullptr;

} // namespace

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

CWinThread::CWinThread() = default;

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pfnThreadProc(pfnThreadProc), m_pThreadParams(pParam)
{
}

CWinThread::~CWinThread()
{
    if (m_hThread != nullptr)
        ::CloseHandle(m_hThread);
    if (t_pCurrentThread == this)
        t_pCurrentThread = nullptr;
}

CWinThread* AFXAPI AfxGetThread()
{
    if (t_pCurrentThread != nullptr)
        return t_pCurrentThread;
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && (pApp->m_nThreadID == 0 || pApp->m_nThreadID == ::GetCurrentThreadId()))
        return pApp;
    return nullptr;
}

CWnd* AFXAPI AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    return pThread != nullptr ? pThread->GetMainWnd() : nullptr;
}

CWnd* CWinThread::GetMainWnd()
{
    if (m_pActiveWnd != nullptr)
        return m_pActiveWnd;
    return m_pMainWnd;
}

BOOL CWinThread::InitInstance()
{
    return FALSE;
}

int CWinThread::ExitInstance()
{
    return (int)m_msgCur.wParam;
}

void CWinThread::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    // Started suspended so that the handle and id are stored before the thread can end.
    m_hThread = ::CreateThread(lpSecurityAttrs, nStackSize, &CWinThread::ThreadEntry, this,
                               dwCreateFlags | CREATE_SUSPENDED, &m_nThreadID);
    if (m_hThread == nullptr)
        return FALSE;
    if ((dwCreateFlags & CREATE_SUSPENDED) == 0)
        ::ResumeThread(m_hThread);
    return TRUE;
}

DWORD WINAPI CWinThread::ThreadEntry(LPVOID pParam)
{
    CWinThread* pThread = static_cast<CWinThread*>(pParam);
    t_pCurrentThread = pThread;
    UINT nResult;
    if (pThread->m_pfnThreadProc != nullptr)
        nResult = pThread->m_pfnThreadProc(pThread->m_pThreadParams);
    else if (pThread->InitInstance())
        nResult = (UINT)pThread->Run();
    else
        nResult = (UINT)pThread->ExitInstance();
    AfxDeleteTempMaps();
    t_pCurrentThread = nullptr;
    pThread->Delete();
    // Last: objects deleted with the thread object still look their handles up.
    AfxDeleteThreadHandleMaps();
    AfxDeleteThreadData();
    return nResult;
}

namespace {

// Starts the thread of a new thread object (deleted when it cannot start).
CWinThread* StartThread(CWinThread* pThread, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                        LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs))
    {
        delete pThread;
        return nullptr;
    }
    pThread->SetThreadPriority(nPriority);
    if ((dwCreateFlags & CREATE_SUSPENDED) == 0)
        pThread->ResumeThread();
    return pThread;
}

} // namespace

CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                                  DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    return StartThread(new CWinThread(pfnThreadProc, pParam), nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs);
}

CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (pThreadClass == nullptr || !pThreadClass->IsDerivedFrom(RUNTIME_CLASS(CWinThread)))
        return nullptr;
    CObject* pObject = pThreadClass->CreateObject();
    if (pObject == nullptr)
        return nullptr;
    return StartThread(static_cast<CWinThread*>(pObject), nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs);
}

void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete)
{
    CWinThread* pThread = t_pCurrentThread;
    AfxDeleteTempMaps();
    t_pCurrentThread = nullptr;
    if (pThread != nullptr && bDelete)
        pThread->Delete();
    AfxDeleteThreadHandleMaps();
    AfxDeleteThreadData();
    ::ExitThread(nExitCode);
}

BOOL AFXAPI AfxInternalIsIdleMessage(MSG* pMsg)
{
    static thread_local POINT ptCursorLast{-1, -1};
    static thread_local UINT nMsgLast = 0;
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE)
    {
        // Mouse moves that do not move are not worth an idle pass.
        if (pMsg->message == nMsgLast && pMsg->pt.x == ptCursorLast.x && pMsg->pt.y == ptCursorLast.y)
            return FALSE;
        ptCursorLast = pMsg->pt;
        nMsgLast = pMsg->message;
        return TRUE;
    }
    // Paint and the caret's blink timer come all the time.
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    return AfxInternalIsIdleMessage(pMsg);
}

BOOL CWinThread::ProcessMessageFilter(int, LPMSG)
{
    return FALSE;
}

BOOL AFXAPI AfxPreTranslateMessage(MSG* pMsg)
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != nullptr)
        return pThread->PreTranslateMessage(pMsg);
    return CWnd::WalkPreTranslateTree(nullptr, pMsg);
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd == nullptr)
    {
        // Thread messages go to the thread's own map.
        const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(pMsg->message, 0, 0);
        if (pEntry != nullptr)
        {
            AFX_MSGCALL call;
            call.message = pMsg->message;
            call.wParam = pMsg->wParam;
            call.lParam = pMsg->lParam;
            pEntry->pfn(this, call);
            return TRUE;
        }
    }
    CWnd* pMainWnd = AfxGetMainWnd();
    if (CWnd::WalkPreTranslateTree(pMainWnd->GetSafeHwnd(), pMsg))
        return TRUE;
    // Keys in a modeless dialog still reach the main window's accelerators.
    if (pMainWnd != nullptr && pMainWnd->m_hWnd != nullptr && pMsg->hwnd != nullptr)
    {
        HWND hWndTop = pMsg->hwnd;
        while ((::GetWindowLong(hWndTop, GWL_STYLE) & WS_CHILD) != 0 && ::GetParent(hWndTop) != nullptr)
            hWndTop = ::GetParent(hWndTop);
        if (hWndTop != pMainWnd->m_hWnd)
            return pMainWnd->PreTranslateMessage(pMsg);
    }
    return FALSE;
}

BOOL AFXAPI AfxPumpMessage()
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != nullptr)
        return pThread->PumpMessage();
    MSG msg;
    if (!::GetMessage(&msg, nullptr, 0, 0))
    {
        ::PostQuitMessage((int)msg.wParam);
        return FALSE;
    }
    if (msg.message != WM_KICKIDLE && !AfxPreTranslateMessage(&msg))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    return TRUE;
}

BOOL CWinThread::PumpMessage()
{
    if (!::GetMessage(&m_msgCur, nullptr, 0, 0))
        return FALSE;
    AfxGetThreadWndState()->m_msgCur = m_msgCur;
    if (m_msgCur.message != WM_KICKIDLE && !PreTranslateMessage(&m_msgCur))
    {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessage(&m_msgCur);
    }
    return TRUE;
}

void AFXAPI AfxIdleUpdateWindows(CWnd* pMainWnd)
{
    if (pMainWnd != nullptr && pMainWnd->m_hWnd != nullptr && pMainWnd->IsWindowVisible())
    {
        AfxCallWndProc(pMainWnd, pMainWnd->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
        pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    }
    // Other top-level frames of the thread (floating palettes, other main windows); the list is
    // copied because an update may create or destroy frames.
    std::vector<CFrameWnd*> frames = AfxGetThreadFrameList();
    for (CFrameWnd* pFrameWnd : frames)
    {
        auto& current = AfxGetThreadFrameList();
        if (std::find(current.begin(), current.end(), pFrameWnd) == current.end())
            continue;
        if (pFrameWnd->m_hWnd == nullptr || pFrameWnd == pMainWnd || (pFrameWnd->GetStyle() & WS_CHILD) != 0)
            continue;
        if (pFrameWnd->m_nShowDelay == SW_HIDE)
            pFrameWnd->ShowWindow(SW_HIDE);
        if (pFrameWnd->IsWindowVisible() || pFrameWnd->m_nShowDelay >= 0)
        {
            AfxCallWndProc(pFrameWnd, pFrameWnd->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
            pFrameWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
        if (pFrameWnd->m_nShowDelay > SW_HIDE)
            pFrameWnd->ShowWindow(pFrameWnd->m_nShowDelay);
        pFrameWnd->m_nShowDelay = -1;
    }
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0)
    {
        AfxIdleUpdateWindows(m_pMainWnd);
        return TRUE;
    }
    // Second pass: free the temporary objects made by FromHandle since the last one.
    AfxDeleteTempMaps();
    return FALSE;
}

int CWinThread::Run()
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    MSG msg;
    for (;;)
    {
        while (bIdle && !::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE))
        {
            if (!OnIdle(lIdleCount++))
                bIdle = FALSE;
        }
        do
        {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&m_msgCur))
            {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
}

// CWinThread: a thread with a message pump, idle processing and the pre-translation chain.
#pragma once

#include "framework/AfxCmdTarget.h"

class CWnd;
class CWinApp;

typedef UINT (AFX_CDECL* AFX_THREADPROC)(LPVOID);

class CWinThread : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    ~CWinThread() override;

    CWnd* m_pMainWnd = nullptr;    // the thread's main window; quitting follows its destruction
    CWnd* m_pActiveWnd = nullptr;  // the active in-place frame, when one exists
    BOOL m_bAutoDelete = TRUE;     // delete the object when the thread ends
    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    MSG m_msgCur{};                // the message the pump is handling
    AFX_THREADPROC m_pfnThreadProc = nullptr;
    LPVOID m_pThreadParams = nullptr;

    operator HANDLE() const { return m_hThread; }

    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
    int GetThreadPriority() { return ::GetThreadPriority(m_hThread); }
    BOOL SetThreadPriority(int nPriority) { return ::SetThreadPriority(m_hThread, nPriority); }
    DWORD SuspendThread() { return ::SuspendThread(m_hThread); }
    DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
    BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam)
    { return ::PostThreadMessage(m_nThreadID, message, wParam, lParam); }

    virtual CWnd* GetMainWnd();
    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // The message loop: pumps messages and runs OnIdle while the queue is empty; returns the
    // exit code when WM_QUIT arrives.
    virtual int Run();
    // Returns TRUE when the message was handled: the target window and its parents, then the
    // main window, then accelerators get their PreTranslateMessage.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual BOOL PumpMessage();
    // lCount counts the idle calls since the last message; returns TRUE for more idle time.
    virtual BOOL OnIdle(LONG lCount);
    virtual BOOL IsIdleMessage(MSG* pMsg);
    virtual BOOL ProcessMessageFilter(int code, LPMSG lpMsg);
    virtual void Delete();

    static DWORD WINAPI ThreadEntry(LPVOID pParam);

private:
    MSG m_msgPrevIdle{};
};

// The CWinThread object of the calling thread (the application on the main thread).
CWinThread* AFXAPI AfxGetThread();
CWnd* AFXAPI AfxGetMainWnd();
CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                                  int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                                  DWORD dwCreateFlags = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority = THREAD_PRIORITY_NORMAL,
                                  UINT nStackSize = 0, DWORD dwCreateFlags = 0,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);
// Pumps one message of the calling thread; FALSE on WM_QUIT (which stays posted).
BOOL AFXAPI AfxPumpMessage();
// The thread's pre-translation for a message (window chain, then the thread's main window).
BOOL AFXAPI AfxPreTranslateMessage(MSG* pMsg);
BOOL AFXAPI AfxInternalIsIdleMessage(MSG* pMsg);
// Sends WM_IDLEUPDATECMDUI to the frame windows of the thread (what OnIdle does at lCount 0).
void AFXAPI AfxIdleUpdateWindows(CWnd* pMainWnd);

// The window half of CWinApp: instance hooks, idle time, message boxes, help and templates.
#include "framework/AfxWinApp.h"

#include "framework/AfxAppUI.h"
#include "framework/AfxMsgMap.h"
#include "framework/AfxWnd.h"
#include "framework/AfxFrame.h"
#include "framework/AfxRecentFileList.h"

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    ON_COMMAND(ID_APP_EXIT, &CWinApp::OnAppExit)
    ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
    ON_COMMAND(ID_HELP_INDEX, &CWinApp::OnHelpIndex)
    ON_COMMAND(ID_HELP_FINDER, &CWinApp::OnHelpFinder)
    ON_COMMAND(ID_HELP_USING, &CWinApp::OnHelpUsing)
END_MESSAGE_MAP()

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    SaveStdProfileSettings();
    return (int)m_msgCur.wParam;
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    if (lCount <= 0)
    {
        CWinThread::OnIdle(lCount);
        return TRUE;
    }
    if (lCount == 1)
        CWinThread::OnIdle(lCount);
    return FALSE;
}

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt)
{
    // The owner is the active window's top-level parent, or the main window.
    HWND hWndOwner = ::GetActiveWindow();
    if (hWndOwner != nullptr)
    {
        HWND hWndTop;
        while ((::GetWindowLong(hWndOwner, GWL_STYLE) & WS_CHILD) != 0 && (hWndTop = ::GetParent(hWndOwner)) != nullptr)
            hWndOwner = hWndTop;
    }
    else if (m_pMainWnd != nullptr)
        hWndOwner = m_pMainWnd->GetSafeHwnd();
    if ((nType & MB_ICONMASK) == 0)
    {
        switch (nType & MB_TYPEMASK)
        {
        case MB_OK:
        case MB_OKCANCEL:
            nType |= MB_ICONEXCLAMATION;
            break;
        case MB_YESNO:
        case MB_YESNOCANCEL:
            nType |= MB_ICONQUESTION;
            break;
        default:
            break;
        }
    }
    DWORD_PTR dwOldPromptContext = m_dwPromptContext;
    if (nIDPrompt != 0)
        m_dwPromptContext = HID_BASE_PROMPT + nIDPrompt;
    int nResult = ::MessageBox(hWndOwner, lpszPrompt, m_pszAppName != nullptr ? m_pszAppName : L"", nType);
    m_dwPromptContext = dwOldPromptContext;
    return nResult;
}

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr)
        return pApp->DoMessageBox(lpszText, nType, nIDHelp);
    return ::MessageBox(::GetActiveWindow(), lpszText, L"", nType);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString string;
    string.LoadString(nIDPrompt);
    if (nIDHelp == (UINT)-1)
        nIDHelp = nIDPrompt;
    return AfxMessageBox(string, nType, nIDHelp);
}

void CWinApp::DoWaitCursor(int nCode)
{
    if (nCode > 0)
        BeginWaitCursor();
    else if (nCode < 0)
        EndWaitCursor();
    else
        RestoreWaitCursor();
}

CWaitCursor::CWaitCursor()
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->DoWaitCursor(1);
}

CWaitCursor::~CWaitCursor()
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->DoWaitCursor(-1);
}

void CWaitCursor::Restore()
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->DoWaitCursor(0);
}

void CWinApp::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    CWnd* pMainWnd = AfxGetMainWnd();
    if (m_pszHelpFilePath == nullptr || pMainWnd == nullptr)
        return;
    ::WinHelp(pMainWnd->GetSafeHwnd(), m_pszHelpFilePath, nCmd, dwData);
}

void CWinApp::OnHelp()
{
    if (m_dwPromptContext != 0)
    {
        WinHelp(m_dwPromptContext);
        return;
    }
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd != nullptr && pMainWnd->SendMessage(WM_COMMANDHELP) != 0)
        return;
    WinHelp(0, HELP_FINDER);
}

void CWinApp::OnHelpIndex()
{
    WinHelp(0, HELP_INDEX);
}

void CWinApp::OnHelpFinder()
{
    WinHelp(0, HELP_FINDER);
}

void CWinApp::OnHelpUsing()
{
    WinHelp(0, HELP_HELPONHELP);
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd != nullptr)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

BOOL CWinApp::SaveAllModified()
{
    return TRUE;
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (pTemplate == nullptr)
        return;
    pTemplate->LoadTemplate();
    m_templateList.m_templates.push_back(pTemplate);
    if (m_pDocManager == nullptr)
        m_pDocManager = &m_docManager;
}

// A template position is its index plus one.
POSITION CWinApp::GetFirstDocTemplatePosition() const
{
    return m_templateList.m_templates.empty() ? nullptr : reinterpret_cast<POSITION>(static_cast<INT_PTR>(1));
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const
{
    INT_PTR nIndex = reinterpret_cast<INT_PTR>(pos) - 1;
    if (nIndex < 0 || nIndex >= (INT_PTR)m_templateList.m_templates.size())
    {
        pos = nullptr;
        return nullptr;
    }
    CDocTemplate* pTemplate = m_templateList.m_templates[(size_t)nIndex];
    pos = nIndex + 1 < (INT_PTR)m_templateList.m_templates.size() ? reinterpret_cast<POSITION>(nIndex + 2) : nullptr;
    return pTemplate;
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource));
}

HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const
{
    return ::LoadIcon(AfxGetResourceHandle(), lpszResourceName);
}

HICON CWinApp::LoadStandardIcon(LPCTSTR lpszIconName) const
{
    return ::LoadIcon(nullptr, lpszIconName);
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const
{
    return ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource));
}

HCURSOR CWinApp::LoadCursor(LPCTSTR lpszResourceName) const
{
    return ::LoadCursor(AfxGetResourceHandle(), lpszResourceName);
}

HCURSOR CWinApp::LoadStandardCursor(LPCTSTR lpszCursorName) const
{
    return ::LoadCursor(nullptr, lpszCursorName);
}

HCURSOR CWinApp::LoadOEMCursor(UINT nIDCursor) const
{
    return ::LoadCursor(nullptr, MAKEINTRESOURCE(nIDCursor));
}

int AFXAPI AfxWinMain(HINSTANCE, HINSTANCE, LPTSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return -1;
    pApp->SetCurrentHandles();
    pApp->m_lpCmdLine = lpCmdLine;
    pApp->m_nCmdShow = nCmdShow;
    pApp->m_nThreadID = ::GetCurrentThreadId();
    if (!pApp->InitInstance())
    {
        if (pApp->m_pMainWnd != nullptr)
            pApp->m_pMainWnd->DestroyWindow();
        return pApp->ExitInstance();
    }
    return pApp->Run();
}

#include "WindowsTestSupport.h"

#include "TestResource.h"

namespace {

CTestWinApp theApp;

void CALLBACK QuitTimerProc(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    ::KillTimer(nullptr, nIDEvent);
    ::PostQuitMessage(0);
}

} // namespace

BEGIN_MESSAGE_MAP(CTestWinApp, CWinApp)
    ON_COMMAND_EX(ID_TEST_PROBE, &CTestWinApp::OnProbe)
END_MESSAGE_MAP()

CTestWinApp::CTestWinApp() : CWinApp(L"KestWindowTests") {}

CTestWinApp& TestApp()
{
    return theApp;
}

int CTestWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT)
{
    m_messageBoxes.push_back(lpszPrompt);
    return IDOK;
}

int CTestWinApp::ExitInstance()
{
    return 0;  // the tests keep no settings
}

BOOL CTestWinApp::OnProbe(UINT)
{
    if (m_pRouteLog != nullptr)
        m_pRouteLog->push_back(L"application");
    return m_bAcceptProbe;
}

void PumpAndIdle()
{
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE))
    {
        if (msg.message == WM_QUIT)
        {
            ::PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
            continue;
        }
        theApp.PumpMessage();
    }
    LONG lCount = 0;
    while (theApp.OnIdle(lCount++))
    {
    }
}

void RunMessageLoopFor(UINT nMilliseconds)
{
    ::SetTimer(nullptr, 0, nMilliseconds, &QuitTimerProc);
    theApp.CWinThread::Run();
}

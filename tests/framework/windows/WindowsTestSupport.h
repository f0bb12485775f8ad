// The application object and message-loop helpers shared by the window tests.
#pragma once

#include "framework/Afx.h"

#include <string>
#include <vector>

// One application per process, as in a program; it records what reaches it.
class CTestWinApp : public CWinApp
{
public:
    CTestWinApp();

    std::vector<std::wstring> m_messageBoxes;  // texts of message boxes (never shown)
    std::vector<std::wstring>* m_pRouteLog = nullptr;
    BOOL m_bAcceptProbe = FALSE;

    int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;
    int ExitInstance() override;

protected:
    BOOL OnProbe(UINT nID);
    DECLARE_MESSAGE_MAP()
};

CTestWinApp& TestApp();

// Dispatches everything queued (through the thread's pre-translation), then gives the thread its
// idle passes, as the application's loop does when the queue runs dry.
void PumpAndIdle();
// Runs the application's own loop for about the given time, then returns.
void RunMessageLoopFor(UINT nMilliseconds);
// Pumps messages until the predicate holds or the time is up; returns the predicate's value.
template <class Pred>
bool PumpUntil(Pred pred, DWORD dwTimeoutMs = 5000)
{
    DWORD dwStart = ::GetTickCount();
    while (!pred())
    {
        if (::GetTickCount() - dwStart > dwTimeoutMs)
            return false;
        PumpAndIdle();
        ::Sleep(5);
    }
    return true;
}

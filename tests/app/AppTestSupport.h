#pragma once
// The application object of the app tests, which can keep its messages instead of showing them,
// and what the tests share.
#include <functional>
#include <string>
#include <vector>

#include "app/CDCApp.h"

class TestApp : public CCDCApp
{
public:
    // The picture stays off unless a test asks for it: most tests run start-up steps alone.
    TestApp() { m_splashEnabled = false; }

    std::vector<std::wstring> GetStartupArguments() const override { return m_arguments; }
    // A test may make the main frame itself (one that fails to load, say).
    CFrameWnd* CreateMainFrame() override { return m_makeMainFrame ? m_makeMainFrame() : CCDCApp::CreateMainFrame(); }
    std::wstring GetRegistryCompany() const override { return m_company; }

    int ShowMessage(HWND owner, const std::wstring& text, UINT type) override
    {
        if (!m_recordMessages)
            return CCDCApp::ShowMessage(owner, text, type);
        m_messages.push_back(text);
        return IDOK;
    }

    // Back to a start without any command line and with default options.
    void ResetStart()
    {
        m_commandLine = CommandLine();
        m_startupResult = 0;
        m_displayFlags = 0;
        m_runFlags = 0;
        m_noUI = false;
        m_rangeOption.clear();
        m_outputOption.clear();
        m_printedPath.clear();
        Options().CopyFrom(CDCOptions());
        m_messages.clear();
        m_settingsLoaded = false;
        m_resultOverride = 0;
        m_arguments.clear();
        m_printers = nullptr;
        m_spooler = nullptr;
        m_makeMainFrame = nullptr;
    }

    std::vector<std::wstring> m_arguments;
    std::function<CFrameWnd*()> m_makeMainFrame;
    std::wstring m_company = L"QuillMere";
    bool m_recordMessages = false;
    std::vector<std::wstring> m_messages;
};

extern TestApp theApp;

// Switches the application's profile to HKEY_CURRENT_USER\Software\<key>\<profile> (a null key:
// back to the private profile file named profile).
struct ProfileNames : CWinApp
{
    static void Set(CWinApp& app, LPCTSTR key, LPCTSTR profile)
    {
        ReplaceName(app.m_pszRegistryKey, key);
        ReplaceName(app.m_pszProfileName, profile);
    }
};

// Runs the queued messages of this thread for at least the given time.
void PumpFor(DWORD milliseconds);
// Pumps until the condition holds or the time is up; the condition's last value.
template <typename Condition>
bool PumpUntil(Condition condition, DWORD milliseconds = 20000)
{
    const DWORD start = GetTickCount();
    while (!condition())
    {
        if (GetTickCount() - start > milliseconds)
            return false;
        PumpFor(10);
    }
    return true;
}

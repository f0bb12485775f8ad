// The toolkit's start-up registrations in KEST.exe itself: the property list's change message and
// formats are made as the program starts, although the program shows no property list, nor any
// other of the toolkit's widgets.
#include "app/MainFrame.h"
#include "tests/app/AppTestSupport.h"
#include "uitoolkit/widgets/KTHeaderCtrl.h"
#include "uitoolkit/widgets/KTMaskEdit.h"
#include "uitoolkit/widgets/KTOutlookBar.h"
#include "uitoolkit/widgets/KTPropList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace
{

TEST(ToolkitStartup, TheProgramCarriesThePropertyListRegistration)
{
    // The registration is linked into a program only with the property list's code: its message
    // name in the program's image shows that KEST.exe runs it as it starts.
    std::ifstream file(KEST_PROGRAM_EXE, std::ios::binary);
    ASSERT_TRUE(file.good());
    const std::vector<char> image((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::string name;
    for (char c : std::string("KTM_PROPERTYCHANGED"))
    {
        name.push_back(c);
        name.push_back('\0');
    }
    EXPECT_NE(std::search(image.begin(), image.end(), name.begin(), name.end()), image.end());

    // In a process that links the program's start-up the message is registered before main runs.
    EXPECT_NE(0u, KTGetPropertyChangedMessage());
    EXPECT_EQ(::RegisterWindowMessage(L"KTM_PROPERTYCHANGED"), KTGetPropertyChangedMessage());
    EXPECT_EQ(std::wstring(L"%d"), std::wstring(static_cast<LPCWSTR>(CKTProp::m_strFormatShort)));
    EXPECT_EQ(std::wstring(L"%lf"), std::wstring(static_cast<LPCWSTR>(CKTProp::m_strFormatDouble)));
}

class FixedPrinters : public DefaultPrinterAccess
{
public:
    std::wstring m_default = L"Office Laser";
    bool GetDefault(std::wstring& name) override
    {
        name = m_default;
        return true;
    }
    bool SetDefault(const std::wstring& name) override
    {
        m_default = name;
        return true;
    }
};

// The framework objects of a window and all windows below it.
BOOL CALLBACK CollectWindow(HWND window, LPARAM param)
{
    auto* windows = reinterpret_cast<std::vector<CWnd*>*>(param);
    if (CWnd* pWnd = CWnd::FromHandlePermanent(window))
        windows->push_back(pWnd);
    return TRUE;
}

BOOL CALLBACK CollectTopWindow(HWND window, LPARAM param)
{
    CollectWindow(window, param);
    ::EnumChildWindows(window, CollectWindow, param);
    return TRUE;
}

TEST(ToolkitStartup, TheProgramCreatesNoneOfTheToolkitsWidgets)
{
    const std::wstring savedProfile = theApp.m_pszProfileName ? theApp.m_pszProfileName : L"";
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KestWidgetsTest");
    theApp.ResetStart();
    theApp.m_company = L"KestWidgetsTest";
    theApp.m_recordMessages = true;
    FixedPrinters printers;
    theApp.m_printers = &printers;
    ASSERT_TRUE(theApp.InitInstance());
    ASSERT_NE(nullptr, dynamic_cast<CMainFrame*>(theApp.m_pMainWnd));
    // With a document open as well: its child frame and view hold no widget either.
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring copy = std::wstring(folder) + L"KestWidgetsTest.kest";
    const std::wstring sample = std::wstring(L"" KEST_SOURCE_DIR) + L"/samples/table.kest";
    ASSERT_TRUE(CopyFileW(sample.c_str(), copy.c_str(), FALSE));
    EXPECT_TRUE(theApp.OpenDocument(copy, false));
    PumpFor(200);

    std::vector<CWnd*> windows;
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectTopWindow, reinterpret_cast<LPARAM>(&windows));
    EXPECT_GT(windows.size(), 10u) << "the main frame, its bars and the document's windows";
    for (CWnd* pWnd : windows)
    {
        EXPECT_EQ(nullptr, dynamic_cast<CKTOutlookBar*>(pWnd)); // the tasks pane is one as well
        EXPECT_EQ(nullptr, dynamic_cast<CKTPropList*>(pWnd));
        EXPECT_EQ(nullptr, dynamic_cast<CKTMaskEdit*>(pWnd));
        EXPECT_EQ(nullptr, dynamic_cast<CKTHeaderCtrl*>(pWnd));
    }

    theApp.m_pMainWnd->DestroyWindow();
    theApp.m_pMainWnd = nullptr;
    PumpFor(30);
    theApp.ExitInstance();
    ProfileNames::Set(theApp, nullptr, savedProfile.c_str());
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KestWidgetsTest");
    DeleteFileW(copy.c_str());
    theApp.m_company = L"QuillMere";
    theApp.m_recordMessages = false;
    theApp.ResetStart();
}

} // namespace

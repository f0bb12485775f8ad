// The application's start-up and exit chains run in this process: what a start leaves on screen
// and in the profile, what an early end leaves untouched, and the installer switches' results.
#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "app/PrinterInstaller.h"
#include "app/PrintedFileHandoff.h"
#include "tests/app/AppTestSupport.h"
#include "tests/framework/input/UserInput.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/customize/KTCommandManager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

const std::wstring SampleTable = std::wstring(L"" KEST_SOURCE_DIR) + L"/samples/table.kest";

class RecordedPrinters : public DefaultPrinterAccess
{
public:
    std::wstring m_default;
    std::vector<std::wstring> m_sets;

    bool GetDefault(std::wstring& name) override
    {
        name = m_default;
        return !name.empty();
    }
    bool SetDefault(const std::wstring& name) override
    {
        m_sets.push_back(name);
        m_default = name;
        return true;
    }
};

// The spooler refuses the first step, as it does for a user without the right to administer it.
class RefusingSpooler : public SystemSpooler
{
public:
    bool OpenHandle(const std::wstring&, ACCESS_MASK, HANDLE&) override
    {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    bool ListPrinters(std::vector<PrinterEntry>&) override
    {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
};

bool KeyExists(const std::wstring& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void WriteNumber(const std::wstring& path, const wchar_t* name, DWORD value)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    RegCloseKey(key);
}

DWORD ReadNumber(const std::wstring& path, const wchar_t* name)
{
    DWORD value = 0, size = sizeof(value);
    if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS)
        return 0xFFFFFFFF;
    return value;
}

class StartupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_savedProfile = theApp.m_pszProfileName ? theApp.m_pszProfileName : L"";
        m_profile = std::wstring(L"Software\\KestStartupTest\\") + theApp.m_pszAppName;
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KestStartupTest");
        theApp.ResetStart();
        theApp.m_company = L"KestStartupTest";
        theApp.m_recordMessages = true;
        m_printers.m_default = L"Office Laser";
        theApp.m_printers = &m_printers;
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        m_jobs = std::wstring(temp) + L"KestStartupJobs";
        CreateDirectoryW(m_jobs.c_str(), nullptr);
        theApp.m_printJobFolder = m_jobs;
    }
    void TearDown() override
    {
        if (theApp.m_pMainWnd && theApp.m_pMainWnd->m_hWnd)
            theApp.m_pMainWnd->DestroyWindow();
        theApp.m_pMainWnd = nullptr;
        PumpFor(20);
        ProfileNames::Set(theApp, nullptr, m_savedProfile.c_str());
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KestStartupTest");
        theApp.m_company = L"QuillMere";
        theApp.m_recordMessages = false;
        theApp.m_printJobFolder.clear();
        theApp.m_selectionMode = 0;
        theApp.ResetStart();
    }

    CMainFrame* Main() const { return dynamic_cast<CMainFrame*>(theApp.m_pMainWnd); }

    int FrameCount() const
    {
        int count = 0;
        for (HWND child = GetWindow(Main()->m_hWndMDIClient, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (dynamic_cast<CChildFrame*>(CWnd::FromHandlePermanent(child)))
                ++count;
        return count;
    }

    // The main window goes as the user's close would take it, then the exit chain runs.
    int CloseAndExit()
    {
        if (theApp.m_pMainWnd && theApp.m_pMainWnd->m_hWnd)
            theApp.m_pMainWnd->DestroyWindow();
        theApp.m_pMainWnd = nullptr;
        PumpFor(20);
        return theApp.ExitInstance();
    }

    std::wstring CopyOfSample(const std::wstring& folder, const wchar_t* name)
    {
        const std::wstring path = folder + L"\\" + name;
        EXPECT_TRUE(CopyFileW(SampleTable.c_str(), path.c_str(), FALSE));
        return path;
    }

    std::wstring m_savedProfile, m_profile, m_jobs;
    RecordedPrinters m_printers;
};

TEST_F(StartupTest, APlainStartShowsTheMainWindowAndTheExitPutsEverythingBack)
{
    ASSERT_TRUE(theApp.InitInstance());
    CMainFrame* main = Main();
    ASSERT_NE(main, nullptr);
    wchar_t className[64] = {};
    GetClassNameW(main->m_hWnd, className, 64);
    EXPECT_STREQ(className, MainFrameClassName);
    EXPECT_TRUE(IsWindowVisible(main->m_hWnd));
    EXPECT_NE(GetWindowLongW(main->m_hWnd, GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
    // The convert button shows the target's picture, the mode button the mode's, and the saved
    // interface state was loaded through the workspace, whose hook makes both mode buttons menus.
    CKTCommandManager* images = CKTCommandManager::GetInstance();
    const int targetImage = images->GetCmdImage(theApp.Options().GetTargetCommand(), FALSE);
    const int tableModeImage = images->GetCmdImage(CConvertingMainFrame::TableEditingCommand, FALSE);
    EXPECT_EQ(images->GetCmdImage(CConvertingMainFrame::SelectionModeCommand, FALSE), tableModeImage);
    for (UINT command : {CConvertingMainFrame::ConvertCommand, CConvertingMainFrame::SelectionModeCommand,
                         CConvertingMainFrame::ColumnModeCommand})
    {
        CObList buttons;
        CKTToolBar::GetCommandButtons(command, buttons);
        ASSERT_FALSE(buttons.IsEmpty()) << command;
        for (POSITION position = buttons.GetHeadPosition(); position;)
        {
            auto* button = dynamic_cast<CKTToolbarMenuButton*>(buttons.GetNext(position));
            ASSERT_NE(button, nullptr) << command;
            if (command == CConvertingMainFrame::ConvertCommand)
                EXPECT_EQ(button->GetImage(), targetImage);
            else
                EXPECT_TRUE(button->IsMenuOnly()) << command;
        }
    }
    EXPECT_EQ(std::wstring(theApp.GetRegistryBase()), L"Settings");
    EXPECT_EQ(theApp.m_startupResult, 0);
    EXPECT_TRUE(theApp.SettingsLoaded());
    // The profile now lives under the company's key, with this version of the interface noted.
    EXPECT_EQ(ReadNumber(m_profile + L"\\Settings", L"UIVersion"), 4u);
    EXPECT_EQ(m_printers.m_default, L"Kest Printer");
    EXPECT_TRUE(theApp.m_messages.empty());

    RedrawWindow(main->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpFor(100);
    CreateDirectoryW(L"screenshots", nullptr);
    RECT area = {};
    GetWindowRect(main->m_hWnd, &area);
    EXPECT_TRUE(SaveScreenArea(L"screenshots/startup-empty-main-window.bmp", area));

    theApp.m_selectionMode = 1;
    EXPECT_EQ(CloseAndExit(), 0);
    EXPECT_EQ(m_printers.m_default, L"Office Laser");
    EXPECT_EQ(m_printers.m_sets, (std::vector<std::wstring>{L"Kest Printer", L"Office Laser"}));
    EXPECT_EQ(ReadNumber(m_profile + L"\\Settings", L"SelectionMode"), 1u);
    EXPECT_TRUE(KeyExists(m_profile + L"\\Options"));
}

// A main frame whose creation fails (as when one of its bars cannot be made).
class MainFrameFailingToLoad : public CMainFrame
{
public:
    ~MainFrameFailingToLoad() override { ++s_deleted; }
    static int s_deleted;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        return message == WM_CREATE ? -1 : CMainFrame::WindowProc(message, wParam, lParam);
    }
};
int MainFrameFailingToLoad::s_deleted = 0;

// The framework deletes a frame whose creation failed; start-up must not delete it again.
TEST_F(StartupTest, AMainFrameThatFailsToLoadIsDeletedOnceAndTheExitStillRuns)
{
    theApp.m_recordMessages = true;
    MainFrameFailingToLoad::s_deleted = 0;
    theApp.m_makeMainFrame = [] { return new MainFrameFailingToLoad; };
    EXPECT_FALSE(theApp.InitInstance());
    EXPECT_EQ(MainFrameFailingToLoad::s_deleted, 1);
    EXPECT_EQ(theApp.m_pMainWnd, nullptr);
    EXPECT_EQ(FindWindowW(MainFrameClassName, nullptr), nullptr);
    EXPECT_EQ(CloseAndExit(), 0);
    EXPECT_EQ(MainFrameFailingToLoad::s_deleted, 1);
}

TEST_F(StartupTest, ACopyThatEndsEarlyLeavesProfileAndPrinterAlone)
{
    // A refused command line is named, so that the user does not see the program do nothing; a
    // job that never appeared and an installer's quiet switch end silently.
    struct Case
    {
        std::vector<std::wstring> arguments;
        int32_t result;
        std::vector<std::wstring> told;
    } cases[] = {
        {{L"-noui"}, CommandLineRejected, {L"Kest does not know the command-line option \"-noui\"."}},
        {{L"-range=1-2", L"-input=C:\\a.kest"},
         CommandLineRejected,
         {L"Kest does not know the command-line option \"-range\"."}},
        {{L"C:\\a.kest"},
         CommandLineRejected,
         {L"Kest cannot open \"C:\\a.kest\": its command line names work files as options.\nTo open a work file, "
          L"start Kest with -input=\"C:\\a.kest\"."}},
        {{L"-printed=a.kest", L"-printed=b.kest"}, CommandLineRejected,
         {L"Kest cannot read its command line:\n-printed=a.kest -printed=b.kest"}},
        {{L"/NoUI", L"C:\\a.kest"}, CommandLineRejected, {}},
        {{L"-printed=NeverPrinted.kest"}, 0, {}},
    };
    theApp.m_printedWaitTimeout = 300;
    for (const Case& c : cases)
    {
        theApp.ResetStart();
        theApp.m_printers = &m_printers;
        theApp.m_recordMessages = true;
        theApp.m_arguments = c.arguments;
        EXPECT_FALSE(theApp.InitInstance()) << c.arguments[0];
        EXPECT_EQ(theApp.m_startupResult, c.result) << c.arguments[0];
        EXPECT_EQ(theApp.m_pMainWnd, nullptr) << c.arguments[0];
        EXPECT_EQ(CloseAndExit(), 0) << c.arguments[0];
        EXPECT_FALSE(KeyExists(L"Software\\KestStartupTest")) << c.arguments[0];
        EXPECT_TRUE(m_printers.m_sets.empty()) << c.arguments[0];
        EXPECT_EQ(theApp.m_messages, c.told) << c.arguments[0];
    }
    theApp.m_printedWaitTimeout = 60000;
}

TEST_F(StartupTest, InputFilesOpenOnceAndANonWorkFileIsNamed)
{
    const std::wstring work = CopyOfSample(m_jobs, L"Input.kest");
    const std::wstring other = m_jobs + L"\\Notes.txt";
    HANDLE file = CreateFileW(other.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    theApp.m_arguments = {L"-input=" + work, L"-input=" + other};
    ASSERT_TRUE(theApp.InitInstance());
    EXPECT_EQ(FrameCount(), 1);
    EXPECT_EQ(theApp.m_messages, std::vector<std::wstring>{L"The file " + other + L" is not a valid Kest file"});
    // The document's frame came from the template: its menu and keys, its icon, its one view.
    CChildFrame* frame = Main()->FindChildFrame(work);
    auto* docTemplate = dynamic_cast<CMultiDocTemplate*>(theApp.GetDocTemplate());
    ASSERT_TRUE(frame && docTemplate);
    EXPECT_EQ(frame->m_hMenuShared, docTemplate->m_hMenuShared);
    EXPECT_NE(GetClassLongPtrW(frame->m_hWnd, GCLP_HICON), 0u);
    EXPECT_EQ(GetDlgItem(frame->m_hWnd, CChildView::ViewId), frame->GetView().m_hWnd);
    EXPECT_EQ(frame->GetDocumentPath(), work);
    // An input file is the user's own: it enters the recent files and never becomes a print target.
    EXPECT_EQ(Main()->GetPrintTarget(), nullptr);
    ASSERT_NE(theApp.m_pRecentFileList, nullptr);
    EXPECT_EQ(std::wstring(static_cast<LPCWSTR>((*theApp.m_pRecentFileList)[0])), work);

    // Opening it again activates the frame that shows it.
    EXPECT_TRUE(theApp.OpenDocument(work, true));
    EXPECT_EQ(FrameCount(), 1);
    EXPECT_EQ(CloseAndExit(), 0);
    DeleteFileW(work.c_str());
    DeleteFileW(other.c_str());
}

TEST_F(StartupTest, APrintedJobWithNoRunningCopyOpensAsThePrintTarget)
{
    const std::wstring job = CopyOfSample(m_jobs, L"Job0001.kest");
    // The driver's line: the name alone, joined to the print-job folder.
    theApp.m_arguments = {L"-printed=Job0001.kest", L"-input=C:\\Elsewhere\\Mine.kest"};
    ASSERT_TRUE(theApp.InitInstance());
    CChildFrame* frame = Main()->FindChildFrame(job);
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->IsPrintedJob());
    EXPECT_EQ(Main()->GetPrintTarget(), frame);
    // The input file of a copy that shows a print job is dropped.
    EXPECT_EQ(FrameCount(), 1);
    EXPECT_TRUE(theApp.m_messages.empty());
    // A frame destroyed a moment ago may have lived where the target lives now: its late notice
    // leaves the target alone.
    PostMessageW(Main()->m_hWnd, WM_CHILDFRAME_DESTROYED, 0, reinterpret_cast<LPARAM>(frame));
    PumpFor(50);
    EXPECT_EQ(Main()->GetPrintTarget(), frame);
    CloseAndExit();
    DeleteFileW(job.c_str());
}

TEST_F(StartupTest, SavedInterfaceStateOfAnotherVersionIsDiscarded)
{
    struct Case
    {
        DWORD version;
        bool kept;
    } cases[] = {{3, false}, {0, false}, {4, true}};
    for (const Case& c : cases)
    {
        theApp.ResetStart();
        theApp.m_printers = &m_printers;
        const std::wstring toolbar = m_profile + L"\\Settings\\KTToolBar-59392";
        WriteNumber(toolbar, L"Buttons", 7);
        if (c.version != 0)
            WriteNumber(m_profile + L"\\Settings", L"UIVersion", c.version);
        // The program's own settings share the section; they are kept in every case.
        const std::pair<const wchar_t*, DWORD> own[] = {
            {L"SelectionMode", 1}, {L"AdvancedMode", 1}, {L"SampleBarHeight", 45}, {L"SampleBarShow", 0}};
        for (const auto& [name, value] : own)
            WriteNumber(m_profile + L"\\Settings", name, value);
        ASSERT_TRUE(theApp.InitInstance()) << c.version;
        EXPECT_EQ(KeyExists(toolbar), c.kept) << c.version;
        EXPECT_EQ(ReadNumber(m_profile + L"\\Settings", L"UIVersion"), 4u) << c.version;
        for (const auto& [name, value] : own)
            EXPECT_EQ(ReadNumber(m_profile + L"\\Settings", name), value) << c.version << " " << name;
        CloseAndExit();
        RegDeleteTreeW(HKEY_CURRENT_USER, m_profile.c_str());
    }
}

// The program keeps its toolbars' resource items with their state: a toolbar whose resource
// changed since the last run keeps the user's buttons and gets back every resource item the saved
// items lack (the button the user took off among them).
TEST_F(StartupTest, AToolbarWhoseResourceChangedSinceTheLastRunStartsFromIt)
{
    auto standardBar = [] () -> CKTToolBar* {
        const CObList& bars = CKTToolBar::GetAllToolbars();
        for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;)
        {
            auto* pBar = static_cast<CKTToolBar*>(bars.GetNext(pos));
            if (pBar->GetSafeHwnd() != nullptr && pBar->GetDlgCtrlID() == AFX_IDW_TOOLBAR)
                return pBar;
        }
        return nullptr;
    };
    auto readBytes = [](const std::wstring& path, const wchar_t* name) {
        std::vector<BYTE> bytes;
        DWORD size = 0;
        if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_REG_BINARY, nullptr, nullptr, &size) ==
                ERROR_SUCCESS && size > 0)
        {
            bytes.resize(size);
            RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_REG_BINARY, nullptr, bytes.data(), &size);
        }
        return bytes;
    };
    const std::wstring settings = m_profile + L"\\Settings";
    const std::wstring standardKey = settings + L"\\KTToolBar-59392";

    // A run where the user takes the first button off the standard bar.
    theApp.ResetStart();
    theApp.m_printers = &m_printers;
    ASSERT_TRUE(theApp.InitInstance());
    ASSERT_TRUE(theApp.IsResourceSmartUpdate());
    CKTToolBar* pBar = standardBar();
    ASSERT_NE(nullptr, pBar);
    const int nResourceButtons = pBar->GetCount();
    const UINT uiFirstCommand = pBar->GetItemID(0);
    ASSERT_TRUE(pBar->RemoveButton(0));
    auto* pMain = dynamic_cast<CMainFrame*>(theApp.m_pMainWnd);
    ASSERT_NE(nullptr, pMain);
    ASSERT_TRUE(theApp.SaveState(nullptr, &pMain->GetFrameSupport()));
    const std::vector<BYTE> original = readBytes(standardKey, L"OriginalItems");
    ASSERT_FALSE(original.empty()) << "the resource's items are kept with the bar";
    CloseAndExit();

    // The next run finds the user's bar.
    theApp.ResetStart();
    theApp.m_printers = &m_printers;
    ASSERT_TRUE(theApp.InitInstance());
    ASSERT_NE(nullptr, standardBar());
    EXPECT_EQ(nResourceButtons - 1, standardBar()->GetCount());
    CloseAndExit();

    // The program's resource changes: the saved items are those of another bar now.
    const std::vector<BYTE> other = readBytes(settings + L"\\KTToolBar-59396", L"OriginalItems");
    ASSERT_FALSE(other.empty());
    ASSERT_NE(other, original);
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, standardKey.c_str(), 0, KEY_SET_VALUE, &key));
    RegSetValueExW(key, L"OriginalItems", 0, REG_BINARY, other.data(), static_cast<DWORD>(other.size()));
    RegCloseKey(key);

    theApp.ResetStart();
    theApp.m_printers = &m_printers;
    ASSERT_TRUE(theApp.InitInstance());
    ASSERT_NE(nullptr, standardBar());
    EXPECT_GE(standardBar()->CommandToIndex(uiFirstCommand), 0) << "the removed resource button is back";
    EXPECT_GE(standardBar()->GetCount(), nResourceButtons) << "the user's buttons stay beside it";
    EXPECT_TRUE(standardBar()->IsResourceChanged());
    CloseAndExit();
    RegDeleteTreeW(HKEY_CURRENT_USER, m_profile.c_str());
}

TEST_F(StartupTest, InstallerSwitchesEndStartupWithTheirCode)
{
    RefusingSpooler spooler;
    struct Case
    {
        std::vector<std::wstring> arguments;
        int32_t code;
        bool shown;
    } cases[] = {
        {{L"/NoUI", L"/InstallPrinter"}, InstallOpenMonitor, false},
        {{L"/InstallPrinter", L"/NoUI"}, InstallOpenMonitor, true},
        {{L"-input=C:\\a.kest", L"/NoUI", L"/UninstallPrinter"}, InstallListPrinters, false},
    };
    for (const Case& c : cases)
    {
        theApp.ResetStart();
        theApp.m_printers = &m_printers;
        theApp.m_spooler = &spooler;
        theApp.m_arguments = c.arguments;
        EXPECT_FALSE(theApp.InitInstance());
        EXPECT_EQ(theApp.m_pMainWnd, nullptr);
        // The exit code carries the failure to an unattended caller; nothing else is written.
        EXPECT_EQ(CloseAndExit(), c.code) << c.arguments[0];
        EXPECT_EQ(theApp.m_startupResult, c.shown ? 0 : c.code) << c.arguments[0];
        EXPECT_EQ(theApp.m_messages.size(), c.shown ? 1u : 0u) << c.arguments[0];
        EXPECT_FALSE(KeyExists(L"Software\\KestStartupTest")) << c.arguments[0];
        EXPECT_TRUE(m_printers.m_sets.empty());
    }
}

} // namespace

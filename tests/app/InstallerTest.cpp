// The printer installer: every failing step against a recording spooler (what wine's spooler
// cannot be made to do), and a full install and removal through wine's spooler itself.
#include "app/DefaultPrinter.h"
#include "app/PrinterInstaller.h"
#include "tests/app/AppTestSupport.h"

#include <gtest/gtest.h>

#include <map>

namespace
{

// Records each call as "name:argument"; the n-th call of a name (0: every call) fails with an
// error number of its own, and every successful call clears the error as later calls would.
class RecordingSpooler : public Spooler
{
public:
    std::vector<std::wstring> m_calls;
    std::map<std::wstring, int> m_failOn;
    std::map<std::wstring, int> m_counts;
    DWORD m_portStatus = 0;
    std::vector<PrinterEntry> m_printers;
    DRIVER_INFO_6W m_driver = {};
    std::wstring m_driverEnvironment, m_dependentFiles, m_driverPath;
    DWORD m_printerAttributes = 0;

    bool Call(const std::wstring& name, const std::wstring& argument = std::wstring())
    {
        m_calls.push_back(argument.empty() ? name : name + L":" + argument);
        const int count = ++m_counts[name];
        const auto fail = m_failOn.find(name);
        if (fail != m_failOn.end() && (fail->second == 0 || fail->second == count))
        {
            m_error = 1000 + static_cast<DWORD>(m_calls.size());
            return false;
        }
        m_error = 0;
        return true;
    }

    bool OpenHandle(const std::wstring& name, ACCESS_MASK, HANDLE& handle) override
    {
        handle = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(7));
        return Call(L"Open", name);
    }
    void ClosePrinterHandle(HANDLE) override { Call(L"Close"); }
    bool SendAddPort(HANDLE, const std::wstring& port, DWORD& status) override
    {
        status = m_portStatus;
        return Call(L"AddPort", port);
    }
    void RemovePort(const std::wstring& port) override { Call(L"DeletePort", port); }
    bool GetDriverDirectory(const std::wstring&, std::wstring& folder) override
    {
        folder = L"C:\\Spool\\Drivers";
        return Call(L"Directory");
    }
    bool CopyDriverFile(const std::wstring& from, const std::wstring& to) override
    {
        return Call(L"Copy", from + L">" + to);
    }
    void RemoveFile(const std::wstring& path) override { Call(L"Delete", path); }
    bool AddDriver(DRIVER_INFO_6W& driver) override
    {
        m_driver = driver;
        m_driverEnvironment = driver.pEnvironment;
        m_driverPath = driver.pDriverPath;
        const wchar_t* end = driver.pDependentFiles;
        while (*end)
            end += wcslen(end) + 1;
        m_dependentFiles = std::wstring(static_cast<const wchar_t*>(driver.pDependentFiles), end + 1);
        return Call(L"AddDriver", driver.pName);
    }
    bool DeleteDriver(const std::wstring& environment, const std::wstring& driver, DWORD) override
    {
        return Call(L"DeleteDriver", environment + L"|" + driver);
    }
    bool CreatePrinter(PRINTER_INFO_2W& printer) override
    {
        m_printerAttributes = printer.Attributes;
        return Call(L"AddPrinter", std::wstring(printer.pPrinterName) + L"|" + printer.pPortName + L"|" +
                                       printer.pDriverName + L"|" + printer.pPrintProcessor + L"|" + printer.pDatatype);
    }
    bool RemovePrinter(HANDLE) override { return Call(L"DeletePrinter"); }
    bool ListPrinters(std::vector<PrinterEntry>& printers) override
    {
        printers = m_printers;
        return Call(L"List");
    }
    bool WriteDriverValues(const std::wstring& programPath) override { return Call(L"WriteValues", programPath); }
    void DeleteDriverValues() override { Call(L"DeleteValues"); }
    DWORD LastError() override { return m_error; }

private:
    DWORD m_error = 0;
};

const std::wstring Program = L"C:\\Program Files\\Kest\\KEST.exe";
const std::wstring Folder = L"C:\\Program Files\\Kest\\DriverFiles";

std::vector<std::wstring> Copies(int count)
{
    const wchar_t* files[] = {L"KESTPrintDriver.dll", L"KESTPrintUI.dll", L"KESTPrintUI.hlp", L"KESTPrinter.pcd"};
    std::vector<std::wstring> calls;
    for (int i = 0; i < count; ++i)
        calls.push_back(L"Copy:" + Folder + L"\\" + files[i] + L">C:\\Spool\\Drivers\\" + files[i]);
    return calls;
}

std::vector<std::wstring> DeleteCopies()
{
    return {L"Directory", L"Delete:C:\\Spool\\Drivers\\KESTPrintDriver.dll",
            L"Delete:C:\\Spool\\Drivers\\KESTPrintUI.dll", L"Delete:C:\\Spool\\Drivers\\KESTPrintUI.hlp",
            L"Delete:C:\\Spool\\Drivers\\KESTPrinter.pcd"};
}

std::vector<std::wstring> Join(std::initializer_list<std::vector<std::wstring>> parts)
{
    std::vector<std::wstring> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

const std::wstring DriverArgument = std::wstring(PrinterInstaller::Environment) + L"|Kest Virtual Printer";
const std::wstring PrinterArgument = L"Kest Printer|QuillmereKEST|Kest Virtual Printer|WinPrint|RAW";

TEST(PrinterInstallerTest, EachFailingInstallStepUndoesTheEarlierOnes)
{
    const std::vector<std::wstring> port = {L"Open:,XcvMonitor Local Port", L"AddPort:QuillmereKEST", L"Close"};
    const std::vector<std::wstring> driver = {L"Directory", L"AddDriver:Kest Virtual Printer"};
    const std::vector<std::wstring> undoDriver = {L"DeleteDriver:" + DriverArgument, L"DeletePort:QuillmereKEST"};
    struct Case
    {
        const wchar_t* failing;
        int occurrence;
        DWORD portStatus;
        int32_t code;
        DWORD error; // 0: the failing call's own number
        std::vector<std::wstring> calls;
    } cases[] = {
        {L"Open", 1, 0, -1001, 0, {L"Open:,XcvMonitor Local Port"}},
        {L"AddPort", 1, 0, -1002, 0, port},
        // The port exists already: the call works, its status says no.
        {L"", 0, ERROR_ALREADY_EXISTS, -1002, ERROR_ALREADY_EXISTS, port},
        {L"Directory", 1, 0, -1201, 0, Join({port, {L"Directory"}, DeleteCopies(), {L"DeletePort:QuillmereKEST"}})},
        // A missing "KESTPrinter.pcd": three copies made, then all four removed again.
        {L"Copy", 4, 0, -1202, 0,
         Join({port, {L"Directory"}, Copies(4), DeleteCopies(), {L"DeletePort:QuillmereKEST"}})},
        {L"Directory", 2, 0, -1401, 0,
         Join({port, {L"Directory"}, Copies(4), {L"Directory"}, DeleteCopies(), {L"DeletePort:QuillmereKEST"}})},
        {L"AddDriver", 1, 0, -1402, 0,
         Join({port, {L"Directory"}, Copies(4), driver, DeleteCopies(), {L"DeletePort:QuillmereKEST"}})},
        {L"AddPrinter", 1, 0, -1601, 0,
         Join({port, {L"Directory"}, Copies(4), driver, {L"AddPrinter:" + PrinterArgument}, undoDriver})},
        {L"WriteValues", 1, 0, -1901, 0,
         Join({port,
               {L"Directory"},
               Copies(4),
               driver,
               {L"AddPrinter:" + PrinterArgument, L"WriteValues:" + Program},
               {L"Open:Kest Printer", L"DeletePrinter", L"Close", L"DeleteValues"},
               undoDriver})},
        {L"", 0, 0, 0, 0,
         Join(
             {port, {L"Directory"}, Copies(4), driver, {L"AddPrinter:" + PrinterArgument, L"WriteValues:" + Program}})},
    };
    for (const Case& c : cases)
    {
        RecordingSpooler spooler;
        if (*c.failing)
            spooler.m_failOn[c.failing] = c.occurrence;
        spooler.m_portStatus = c.portStatus;
        PrinterInstaller installer(spooler);
        const int32_t code = installer.InstallVirtualPrinter(Folder, Program);
        EXPECT_EQ(code, c.code) << c.failing << c.occurrence;
        EXPECT_EQ(spooler.m_calls, c.calls) << c.failing << c.occurrence;
        if (code == 0)
            continue;
        // The error shown is the failing step's, not that of an undo step after it.
        DWORD expected = c.error;
        if (expected == 0)
        {
            size_t at = 0;
            int seen = 0;
            for (; at < spooler.m_calls.size(); ++at)
                if (spooler.m_calls[at].rfind(c.failing, 0) == 0 && ++seen == c.occurrence)
                    break;
            expected = 1000 + static_cast<DWORD>(at + 1);
        }
        EXPECT_EQ(installer.GetSystemError(), expected) << c.failing << c.occurrence;
    }

    RecordingSpooler spooler;
    PrinterInstaller installer(spooler);
    EXPECT_EQ(installer.InstallVirtualPrinter(L"", Program), -1);
    EXPECT_TRUE(spooler.m_calls.empty());
    ASSERT_EQ(installer.InstallVirtualPrinter(Folder + L"\\", Program), 0);
    EXPECT_EQ(spooler.m_calls[4], Copies(1)[0]);
    EXPECT_EQ(spooler.m_driver.cVersion, 3u);
    EXPECT_EQ(spooler.m_driverEnvironment, PrinterInstaller::Environment);
    EXPECT_EQ(spooler.m_driverPath, L"C:\\Spool\\Drivers\\KESTPrintDriver.dll");
    EXPECT_EQ(spooler.m_dependentFiles,
              std::wstring(L"KESTPrintDriver.dll\0KESTPrintUI.dll\0KESTPrintUI.hlp\0KESTPrinter.pcd\0\0", 69));
    EXPECT_EQ(spooler.m_driver.dwlDriverVersion, static_cast<DWORDLONG>(2) << 32);
    EXPECT_EQ(spooler.m_printerAttributes, static_cast<DWORD>(PRINTER_ATTRIBUTE_DIRECT));
#ifdef _WIN64
    EXPECT_EQ(std::wstring(PrinterInstaller::Environment), L"Windows x64");
#else
    EXPECT_EQ(std::wstring(PrinterInstaller::Environment), L"Windows NT x86");
#endif
}

TEST(PrinterInstallerTest, UninstallRemovesEveryPrinterOfTheDriverOrKeepsDriverAndPort)
{
    const std::vector<Spooler::PrinterEntry> printers = {{L"Kest Printer", L"Kest Virtual Printer"},
                                                         {L"Other", L"Other Driver"},
                                                         {L"My Tables", L"Kest Virtual Printer"}};
    const std::vector<std::wstring> first = {L"List", L"Open:Kest Printer", L"DeletePrinter", L"Close"};
    const std::vector<std::wstring> second = {L"Open:My Tables", L"DeletePrinter", L"Close"};
    const std::vector<std::wstring> rest = {L"DeleteValues", L"DeleteDriver:" + DriverArgument,
                                            L"DeletePort:QuillmereKEST"};
    struct Case
    {
        const wchar_t* failing;
        int occurrence;
        std::vector<Spooler::PrinterEntry> printers;
        int32_t code;
        std::vector<std::wstring> calls;
    } cases[] = {
        {L"", 0, printers, 0, Join({first, second, rest})},
        {L"", 0, {}, 0, Join({{L"List"}, rest})},
        {L"List", 1, printers, -1801, {L"List"}},
        {L"Open", 2, printers, -1701, Join({first, {L"Open:My Tables"}})},
        {L"DeletePrinter", 1, printers, -1702, {L"List", L"Open:Kest Printer", L"DeletePrinter", L"Close"}},
        // Wine's spooler refuses every delete flag: the printers and port still go.
        {L"DeleteDriver", 1, printers, -1501, Join({first, second, rest})},
    };
    for (const Case& c : cases)
    {
        RecordingSpooler spooler;
        spooler.m_printers = c.printers;
        if (*c.failing)
            spooler.m_failOn[c.failing] = c.occurrence;
        PrinterInstaller installer(spooler);
        EXPECT_EQ(installer.UninstallVirtualPrinter(), c.code) << c.failing;
        EXPECT_EQ(spooler.m_calls, c.calls) << c.failing;
    }
}

std::vector<std::wstring> g_shownErrors;

TEST(PrinterInstallerTest, SwitchesShowFailuresUnlessQuietAndGiveTheExitCode)
{
    struct Case
    {
        InstallerSwitch which;
        std::wstring module;
        const wchar_t* failing;
        int32_t code;
        const wchar_t* shown;
    } cases[] = {
        {{InstallerSwitch::Install, false},
         L"KEST.exe",
         L"",
         -101,
         L"Kest Printer install error -101 (0)\nPlease contact product support"},
        {{InstallerSwitch::Install, true}, L"KEST.exe", L"", -101, nullptr},
        {{InstallerSwitch::Install, false},
         L"",
         L"",
         -100,
         L"Kest Printer install error -100 (0)\nPlease contact product support"},
        {{InstallerSwitch::Install, true}, Program, L"AddPort", -1002, nullptr},
        {{InstallerSwitch::Install, false},
         Program,
         L"AddPort",
         -1002,
         L"Kest Printer install error -1002 (1002)\nPlease contact product support"},
        {{InstallerSwitch::Uninstall, false},
         Program,
         L"List",
         -1801,
         L"Kest Printer uninstall error -1801 (1001)\nPlease contact product support"},
        {{InstallerSwitch::Install, false}, Program, L"", 0, nullptr},
        {{InstallerSwitch::Uninstall, true}, Program, L"", 0, nullptr},
    };
    for (const Case& c : cases)
    {
        RecordingSpooler spooler;
        if (*c.failing)
            spooler.m_failOn[c.failing] = 1;
        g_shownErrors.clear();
        InstallerRun run;
        run.m_showError = [](const std::wstring& text) { g_shownErrors.push_back(text); };
        EXPECT_EQ(run.Run(c.which, c.module, spooler), c.code) << c.module;
        if (c.shown)
        {
            EXPECT_EQ(g_shownErrors, std::vector<std::wstring>{c.shown}) << c.module;
        }
        else
        {
            EXPECT_TRUE(g_shownErrors.empty()) << c.module;
        }
        if (c.code == 0 && c.which.m_kind == InstallerSwitch::Install)
        {
            EXPECT_EQ(spooler.m_calls[4], L"Copy:C:\\Program Files\\Kest\\DriverFiles\\KESTPrintDriver.dll>"
                                          L"C:\\Spool\\Drivers\\KESTPrintDriver.dll");
        }
    }
}

// ---- wine's own spooler ----

bool HasPrinter(const std::wstring& name, std::wstring* driver = nullptr)
{
    SystemSpooler spooler;
    std::vector<Spooler::PrinterEntry> printers;
    if (!spooler.ListPrinters(printers))
        return false;
    for (const auto& printer : printers)
        if (printer.m_name == name)
        {
            if (driver)
                *driver = printer.m_driver;
            return true;
        }
    return false;
}

std::wstring ReadValue(const wchar_t* key, const wchar_t* name)
{
    wchar_t text[MAX_PATH] = {};
    DWORD bytes = sizeof(text) - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, text, &bytes) != ERROR_SUCCESS)
        return L"";
    return text;
}

void WriteFileText(const std::wstring& path, const char* text)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, text, static_cast<DWORD>(strlen(text)), &written, nullptr);
    CloseHandle(file);
}

TEST(PrinterInstallerTest, WinesSpoolerInstallsOnceAndUninstallRemovesRenamedPrinters)
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring base = std::wstring(temp) + L"KestInstallerTest";
    const std::wstring folder = base + L"\\DriverFiles";
    const std::wstring jobs = base + L"\\Jobs";
    const wchar_t* const valuesKey = L"Software\\QuillMere\\KestInstallerTest";
    CreateDirectoryW(base.c_str(), nullptr);
    CreateDirectoryW(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(L"" KEST_DRIVER_DLL, (folder + L"\\KESTPrintDriver.dll").c_str(), FALSE));
    // Placeholders: the spooler loads the configuration module into this process, and a module
    // without the printer interface's exports would bring it down.
    WriteFileText(folder + L"\\KESTPrintUI.dll", "Kest printer interface placeholder\n");
    WriteFileText(folder + L"\\KESTPrintUI.hlp", "Kest printer help placeholder\n");
    WriteFileText(folder + L"\\KESTPrinter.pcd", "Kest printer description placeholder\n");

    SystemSpooler spooler;
    spooler.m_valuesRoot = HKEY_CURRENT_USER;
    spooler.m_valuesKey = valuesKey;
    spooler.m_jobFolder = jobs;
    PrinterInstaller installer(spooler);
    installer.UninstallVirtualPrinter(); // whatever an earlier run left

    const std::wstring program = L"C:\\Kest\\KEST.exe";
    ASSERT_EQ(installer.InstallVirtualPrinter(folder, program), 0) << installer.GetSystemError();
    std::wstring driver;
    EXPECT_TRUE(HasPrinter(L"Kest Printer", &driver));
    EXPECT_EQ(driver, L"Kest Virtual Printer");
    EXPECT_EQ(ReadValue(valuesKey, L"Path"), program);
    EXPECT_EQ(ReadValue(valuesKey, L"Temp"), jobs);
    EXPECT_NE(GetFileAttributesW(jobs.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);

    // Wine's default printer follows the switch.
    SystemDefaultPrinter system;
    DefaultPrinterSwitch switcher;
    switcher.SwitchToKest(system);
    std::wstring current;
    EXPECT_TRUE(system.GetDefault(current));
    EXPECT_EQ(current, L"Kest Printer");
    switcher.Restore(system);

    // A second install finds the port and changes nothing.
    EXPECT_EQ(installer.InstallVirtualPrinter(folder, program), -1002);
    EXPECT_TRUE(HasPrinter(L"Kest Printer"));

    // A printer the user made on the same driver under another name goes too.
    std::wstring name = L"Kest Renamed", port = L"QuillmereKEST", driverName = L"Kest Virtual Printer",
                 processor = L"WinPrint", type = L"RAW";
    PRINTER_INFO_2W second = {};
    second.pPrinterName = &name[0];
    second.pPortName = &port[0];
    second.pDriverName = &driverName[0];
    second.pPrintProcessor = &processor[0];
    second.pDatatype = &type[0];
    second.Attributes = PRINTER_ATTRIBUTE_DIRECT;
    ASSERT_TRUE(spooler.CreatePrinter(second));
    ASSERT_TRUE(HasPrinter(L"Kest Renamed"));

    const int32_t removed = installer.UninstallVirtualPrinter();
    // Wine refuses to delete a driver with any flag: the removal ends there, printers gone.
    EXPECT_TRUE(removed == 0 || removed == -1501) << removed;
    EXPECT_FALSE(HasPrinter(L"Kest Printer"));
    EXPECT_FALSE(HasPrinter(L"Kest Renamed"));
    EXPECT_EQ(ReadValue(valuesKey, L"Path"), L"");
    EXPECT_EQ(ReadValue(valuesKey, L"Temp"), L"");
    RegDeleteTreeW(HKEY_CURRENT_USER, valuesKey);
}

} // namespace

namespace
{

class RecordingDefaultPrinter : public DefaultPrinterAccess
{
public:
    std::wstring m_default;
    bool m_setFails = false;
    std::vector<std::wstring> m_sets;

    bool GetDefault(std::wstring& name) override
    {
        name = m_default;
        return !name.empty();
    }
    bool SetDefault(const std::wstring& name) override
    {
        m_sets.push_back(name);
        if (m_setFails)
            return false;
        m_default = name;
        return true;
    }
};

TEST(DefaultPrinterTest, KestIsTheDefaultWhileRunningAndThePreviousOneComesBack)
{
    struct Case
    {
        const char* name;
        std::wstring before;
        bool setFails;
        std::wstring changedMeanwhile; // empty: the user changed nothing
        std::wstring saved;
        std::vector<std::wstring> sets;
        std::wstring after;
    } cases[] = {
        {"no default printer", L"", false, L"", L"", {L"Kest Printer"}, L"Kest Printer"},
        {"already Kest", L"Kest Printer", false, L"", L"", {}, L"Kest Printer"},
        {"another", L"Office", false, L"", L"Office", {L"Kest Printer", L"Office"}, L"Office"},
        {"changed by the user", L"Office", false, L"Plotter", L"Office", {L"Kest Printer"}, L"Plotter"},
        {"switch refused", L"Office", true, L"", L"", {L"Kest Printer"}, L"Office"},
        {"same name in other case",
         L"kest printer",
         false,
         L"",
         L"kest printer",
         {L"Kest Printer", L"kest printer"},
         L"kest printer"},
    };
    for (const Case& c : cases)
    {
        RecordingDefaultPrinter printers;
        printers.m_default = c.before;
        printers.m_setFails = c.setFails;
        DefaultPrinterSwitch switcher;
        switcher.SwitchToKest(printers);
        EXPECT_EQ(switcher.GetSaved(), c.saved) << c.name;
        if (!c.changedMeanwhile.empty())
            printers.m_default = c.changedMeanwhile;
        switcher.Restore(printers);
        EXPECT_EQ(printers.m_sets, c.sets) << c.name;
        EXPECT_EQ(printers.m_default, c.after) << c.name;
    }
}

} // namespace

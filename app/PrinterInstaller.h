#pragma once
// Installs and removes the virtual printer: port, driver files, driver, printer and the driver's
// machine-wide values. A failed step undoes the earlier ones; the code of the first failure is
// returned with the system error it met.
#include <cstdint>
#include <functional>
#include <string>

#include "app/CommandLine.h"
#include "app/Spooler.h"

enum PrinterInstallError : int32_t
{
    InstallNoFolder = -1,
    InstallNoModulePath = -100,
    InstallModulePathWithoutFolder = -101,
    InstallOpenMonitor = -1001,
    InstallAddPort = -1002,
    InstallCopyDirectory = -1201,
    InstallCopyFile = -1202,
    InstallDeleteCopiesDirectory = -1301,
    InstallDriverDirectory = -1401,
    InstallAddDriver = -1402,
    InstallDeleteDriver = -1501,
    InstallAddPrinter = -1601,
    InstallOpenPrinter = -1701,
    InstallDeletePrinter = -1702,
    InstallListPrinters = -1801,
    InstallDriverValues = -1901,
};

class PrinterInstaller
{
public:
    static constexpr const wchar_t* PortName = L"QuillmereKEST";
    static constexpr const wchar_t* DriverName = L"Kest Virtual Printer";
    static constexpr const wchar_t* PrinterName = L"Kest Printer";
#ifdef _WIN64
    static constexpr const wchar_t* Environment = L"Windows x64";
#else
    static constexpr const wchar_t* Environment = L"Windows NT x86";
#endif
    static constexpr const wchar_t* Monitor = L",XcvMonitor Local Port";
    static constexpr const wchar_t* const Files[4] = {L"KESTPrintDriver.dll", L"KESTPrintUI.dll", L"KESTPrintUI.hlp",
                                                      L"KESTPrinter.pcd"};

    explicit PrinterInstaller(Spooler& spooler) : m_spooler(spooler) {}

    // folder holds the four files; programPath is written as "Path" for the driver.
    int32_t InstallVirtualPrinter(const std::wstring& folder, const std::wstring& programPath);
    int32_t UninstallVirtualPrinter();

    // The system error of the first failed step, read before anything was undone.
    DWORD GetSystemError() const
    {
        return m_systemError;
    }

private:
    bool Fail(int32_t code, DWORD error = 0);
    bool AddPortStep();
    void DeletePortStep();
    bool CopyFiles(const std::wstring& folder);
    void DeleteCopies();
    bool AddDriver();
    bool DeleteDriver();
    bool AddPrinterStep();
    bool DeletePrinterStep(const std::wstring& name);
    bool DeletePrintersOfDriver();

    Spooler& m_spooler;
    int32_t m_code = 0;
    DWORD m_systemError = 0;
};

// What a start with an installer switch does: runs the installer and, without "/NoUI" before the
// switch, shows a failure. The result is the process's exit code (0 on success).
struct InstallerRun
{
    // "Kest Printer install error %d (%d)..." goes through this; null shows a message box.
    std::function<void(const std::wstring& text)> m_showError;

    int32_t Run(const InstallerSwitch& which, const std::wstring& modulePath, Spooler& spooler);
};

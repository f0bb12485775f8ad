#include "app/PrinterInstaller.h"

#include <cstring>
#include <vector>

namespace
{

std::wstring InFolder(const std::wstring& folder, const wchar_t* name)
{
    std::wstring path = folder;
    if (!path.empty() && path.back() != L'\\')
        path += L'\\';
    return path + name;
}

} // namespace

bool PrinterInstaller::Fail(int32_t code, DWORD error)
{
    // The first failure counts: undo steps that fail after it change neither code nor error.
    if (m_code == 0)
    {
        m_code = code;
        m_systemError = error != 0 ? error : m_spooler.LastError();
    }
    return false;
}

bool PrinterInstaller::AddPortStep()
{
    HANDLE monitor = nullptr;
    if (!m_spooler.OpenHandle(Monitor, SERVER_ACCESS_ADMINISTER, monitor))
        return Fail(InstallOpenMonitor);
    DWORD status = 0;
    const bool sent = m_spooler.SendAddPort(monitor, PortName, status);
    // The monitor's own status counts as well: an existing port answers "already exists".
    const bool added = sent && status == ERROR_SUCCESS;
    if (!added)
        Fail(InstallAddPort, sent ? status : 0);
    m_spooler.ClosePrinterHandle(monitor);
    return added;
}

void PrinterInstaller::DeletePortStep()
{
    m_spooler.RemovePort(PortName);
}

bool PrinterInstaller::CopyFiles(const std::wstring& folder)
{
    std::wstring directory;
    if (!m_spooler.GetDriverDirectory(Environment, directory))
        return Fail(InstallCopyDirectory);
    for (const wchar_t* file : Files)
        if (!m_spooler.CopyDriverFile(InFolder(folder, file), InFolder(directory, file)))
            return Fail(InstallCopyFile);
    return true;
}

void PrinterInstaller::DeleteCopies()
{
    std::wstring directory;
    if (!m_spooler.GetDriverDirectory(Environment, directory))
    {
        Fail(InstallDeleteCopiesDirectory);
        return;
    }
    for (const wchar_t* file : Files)
        m_spooler.RemoveFile(InFolder(directory, file));
}

bool PrinterInstaller::AddDriver()
{
    std::wstring directory;
    if (!m_spooler.GetDriverDirectory(Environment, directory))
        return Fail(InstallDriverDirectory);
    std::wstring name = DriverName;
    std::wstring environment = Environment;
    std::wstring driverPath = InFolder(directory, Files[0]);
    std::wstring configFile = InFolder(directory, Files[1]);
    std::wstring helpFile = InFolder(directory, Files[2]);
    std::wstring dataFile = InFolder(directory, Files[3]);
    std::wstring dependent;
    for (const wchar_t* file : Files)
        dependent.append(file).push_back(L'\0');
    dependent.push_back(L'\0');
    std::wstring dataType;
    std::wstring maker = L"Quillmere Systems";
    std::wstring hardwareId = L"QuillmereKEST_driver0101";
    DRIVER_INFO_6W driver;
    std::memset(&driver, 0, sizeof(driver));
    driver.cVersion = 3;
    driver.pName = &name[0];
    driver.pEnvironment = &environment[0];
    driver.pDriverPath = &driverPath[0];
    driver.pDataFile = &dataFile[0];
    driver.pConfigFile = &configFile[0];
    driver.pHelpFile = &helpFile[0];
    driver.pDependentFiles = &dependent[0];
    driver.pDefaultDataType = &dataType[0];
    driver.dwlDriverVersion = static_cast<DWORDLONG>(2) << 32;
    driver.pszMfgName = &maker[0];
    driver.pszHardwareID = &hardwareId[0];
    driver.pszProvider = &maker[0];
    if (!m_spooler.AddDriver(driver))
        return Fail(InstallAddDriver);
    return true;
}

bool PrinterInstaller::DeleteDriver()
{
    if (!m_spooler.DeleteDriver(Environment, DriverName, 3))
        return Fail(InstallDeleteDriver);
    return true;
}

bool PrinterInstaller::AddPrinterStep()
{
    std::wstring printerName = PrinterName;
    std::wstring port = PortName;
    std::wstring driver = DriverName;
    std::wstring processor = L"WinPrint";
    std::wstring dataType = L"RAW";
    PRINTER_INFO_2W printer;
    std::memset(&printer, 0, sizeof(printer));
    printer.pPrinterName = &printerName[0];
    printer.pPortName = &port[0];
    printer.pDriverName = &driver[0];
    printer.pPrintProcessor = &processor[0];
    printer.pDatatype = &dataType[0];
    // Direct: the driver writes the work file itself while the application prints.
    printer.Attributes = PRINTER_ATTRIBUTE_DIRECT;
    if (!m_spooler.CreatePrinter(printer))
        return Fail(InstallAddPrinter);
    return true;
}

bool PrinterInstaller::DeletePrinterStep(const std::wstring& name)
{
    HANDLE printer = nullptr;
    if (!m_spooler.OpenHandle(name, PRINTER_ALL_ACCESS, printer))
        return Fail(InstallOpenPrinter);
    const bool deleted = m_spooler.RemovePrinter(printer);
    if (!deleted)
        Fail(InstallDeletePrinter);
    m_spooler.ClosePrinterHandle(printer);
    return deleted;
}

bool PrinterInstaller::DeletePrintersOfDriver()
{
    std::vector<Spooler::PrinterEntry> printers;
    if (!m_spooler.ListPrinters(printers))
        return Fail(InstallListPrinters);
    for (const Spooler::PrinterEntry& printer : printers)
        if (printer.m_driver == DriverName && !DeletePrinterStep(printer.m_name))
            return false;
    return true;
}

int32_t PrinterInstaller::InstallVirtualPrinter(const std::wstring& folder, const std::wstring& programPath)
{
    m_code = 0;
    m_systemError = 0;
    if (folder.empty())
        return InstallNoFolder;
    if (!AddPortStep())
        return m_code;
    if (!CopyFiles(folder) || !AddDriver())
    {
        const int32_t code = m_code;
        DeleteCopies();
        DeletePortStep();
        return code;
    }
    const bool printerAdded = AddPrinterStep();
    if (!printerAdded || !m_spooler.WriteDriverValues(programPath))
    {
        if (printerAdded)
            Fail(InstallDriverValues);
        const int32_t code = m_code;
        if (printerAdded)
        {
            DeletePrinterStep(PrinterName);
            m_spooler.DeleteDriverValues();
        }
        DeleteDriver();
        DeletePortStep();
        return code;
    }
    return 0;
}

int32_t PrinterInstaller::UninstallVirtualPrinter()
{
    m_code = 0;
    m_systemError = 0;
    // A printer that stays needs its driver and port: both are kept.
    if (!DeletePrintersOfDriver())
        return m_code;
    // With the printers gone nothing reads the driver's values any more.
    m_spooler.DeleteDriverValues();
    const bool driverDeleted = DeleteDriver();
    DeletePortStep();
    return driverDeleted ? 0 : m_code;
}

int32_t InstallerRun::Run(const InstallerSwitch& which, const std::wstring& modulePath, Spooler& spooler)
{
    PrinterInstaller installer(spooler);
    int32_t code = 0;
    DWORD error = 0;
    if (which.m_kind == InstallerSwitch::Install)
    {
        const size_t slash = modulePath.find_last_of(L'\\');
        if (modulePath.empty())
            code = InstallNoModulePath;
        else if (slash == std::wstring::npos)
            code = InstallModulePathWithoutFolder;
        else
        {
            code = installer.InstallVirtualPrinter(modulePath.substr(0, slash + 1) + L"DriverFiles", modulePath);
            error = installer.GetSystemError();
        }
    }
    else if (which.m_kind == InstallerSwitch::Uninstall)
    {
        code = installer.UninstallVirtualPrinter();
        error = installer.GetSystemError();
    }
    if (code != 0 && !which.m_quiet)
    {
        const wchar_t* what = which.m_kind == InstallerSwitch::Install ? L"install" : L"uninstall";
        const std::wstring text = std::wstring(L"Kest Printer ") + what + L" error " + std::to_wstring(code) + L" (" +
                                  std::to_wstring(error) + L")\nPlease contact product support";
        if (m_showError)
            m_showError(text);
        else
            ::MessageBoxW(nullptr, text.c_str(), L"Kest", MB_OK | MB_ICONERROR);
    }
    return code;
}

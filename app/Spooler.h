#pragma once
// The few spooler calls the printer installer makes, behind one interface: the system's spooler
// for the program, a recording stand-in for tests of what the system cannot be made to do.
#include <windows.h>

#include <winspool.h>

#include <string>
#include <vector>

class Spooler
{
public:
    virtual ~Spooler() = default;

    virtual bool OpenHandle(const std::wstring& name, ACCESS_MASK access, HANDLE& handle) = 0;
    virtual void ClosePrinterHandle(HANDLE handle) = 0;
    // The port monitor's "AddPort" command; false when the call itself failed.
    virtual bool SendAddPort(HANDLE monitor, const std::wstring& port, DWORD& status) = 0;
    virtual void RemovePort(const std::wstring& port) = 0;
    virtual bool GetDriverDirectory(const std::wstring& environment, std::wstring& folder) = 0;
    virtual bool CopyDriverFile(const std::wstring& from, const std::wstring& to) = 0;
    virtual void RemoveFile(const std::wstring& path) = 0;
    virtual bool AddDriver(DRIVER_INFO_6W& driver) = 0;
    virtual bool DeleteDriver(const std::wstring& environment, const std::wstring& driver, DWORD version) = 0;
    // The new printer's handle is closed again.
    virtual bool CreatePrinter(PRINTER_INFO_2W& printer) = 0;
    virtual bool RemovePrinter(HANDLE printer) = 0;
    struct PrinterEntry
    {
        std::wstring m_name;
        std::wstring m_driver;
    };
    virtual bool ListPrinters(std::vector<PrinterEntry>& printers) = 0;
    // The machine-wide "Temp" folder (created when missing) and "Path" values the driver reads.
    virtual bool WriteDriverValues(const std::wstring& programPath) = 0;
    virtual void DeleteDriverValues() = 0;
    virtual DWORD LastError() = 0;
};

// The system's spooler, file system and registry.
class SystemSpooler : public Spooler
{
public:
    // Where the driver values live; tests point them elsewhere so as not to disturb other users
    // of the prefix.
    HKEY m_valuesRoot = HKEY_LOCAL_MACHINE;
    std::wstring m_valuesKey = L"Software\\QuillMere\\KEST";
    // Empty: the common application-data folder's "QuillMere\KEST\Temp".
    std::wstring m_jobFolder;

    bool OpenHandle(const std::wstring& name, ACCESS_MASK access, HANDLE& handle) override;
    void ClosePrinterHandle(HANDLE handle) override;
    bool SendAddPort(HANDLE monitor, const std::wstring& port, DWORD& status) override;
    void RemovePort(const std::wstring& port) override;
    bool GetDriverDirectory(const std::wstring& environment, std::wstring& folder) override;
    bool CopyDriverFile(const std::wstring& from, const std::wstring& to) override;
    void RemoveFile(const std::wstring& path) override;
    bool AddDriver(DRIVER_INFO_6W& driver) override;
    bool DeleteDriver(const std::wstring& environment, const std::wstring& driver, DWORD version) override;
    bool CreatePrinter(PRINTER_INFO_2W& printer) override;
    bool RemovePrinter(HANDLE printer) override;
    bool ListPrinters(std::vector<PrinterEntry>& printers) override;
    bool WriteDriverValues(const std::wstring& programPath) override;
    void DeleteDriverValues() override;
    DWORD LastError() override { return ::GetLastError(); }

    // The print-job folder the install creates.
    std::wstring JobFolder() const;
};

#pragma once
// "Kest Printer" as the default printer while the program runs, and the previous default back at
// exit unless the user picked another one meanwhile.
#include <string>

class DefaultPrinterAccess
{
public:
    virtual ~DefaultPrinterAccess() = default;
    // False when there is no default printer.
    virtual bool GetDefault(std::wstring& name) = 0;
    virtual bool SetDefault(const std::wstring& name) = 0;
};

class SystemDefaultPrinter : public DefaultPrinterAccess
{
public:
    bool GetDefault(std::wstring& name) override;
    bool SetDefault(const std::wstring& name) override;
};

class DefaultPrinterSwitch
{
public:
    static constexpr const wchar_t* KestPrinter = L"Kest Printer";

    // Start-up: keeps the current default and makes "Kest Printer" the default.
    void SwitchToKest(DefaultPrinterAccess& printers);
    // Exit: the kept default comes back while "Kest Printer" still is the default.
    void Restore(DefaultPrinterAccess& printers);

    // The printer to restore; empty when there is nothing to restore.
    const std::wstring& GetSaved() const { return m_saved; }

private:
    std::wstring m_saved;
};

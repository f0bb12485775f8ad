#include "app/DefaultPrinter.h"

#include <windows.h>

#include <winspool.h>

#include <vector>

bool SystemDefaultPrinter::GetDefault(std::wstring& name)
{
    name.clear();
    DWORD size = 0;
    // The first call only asks for the size and fails with the insufficient-buffer error.
    if (::GetDefaultPrinterW(nullptr, &size) || ::GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0 ||
        size > 32768)
        return false;
    std::vector<wchar_t> buffer(size + 1);
    if (!::GetDefaultPrinterW(buffer.data(), &size))
        return false;
    buffer.back() = 0;
    name = buffer.data();
    return !name.empty();
}

bool SystemDefaultPrinter::SetDefault(const std::wstring& name)
{
    return ::SetDefaultPrinterW(name.c_str()) != FALSE;
}

void DefaultPrinterSwitch::SwitchToKest(DefaultPrinterAccess& printers)
{
    if (!printers.GetDefault(m_saved))
        m_saved.clear();
    if (m_saved == KestPrinter)
    {
        m_saved.clear();
        return;
    }
    if (!printers.SetDefault(KestPrinter))
        m_saved.clear();
}

void DefaultPrinterSwitch::Restore(DefaultPrinterAccess& printers)
{
    if (m_saved.empty())
        return;
    std::wstring current;
    if (printers.GetDefault(current) && current == KestPrinter)
        printers.SetDefault(m_saved);
    m_saved.clear();
}

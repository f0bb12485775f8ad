#include "app/Spooler.h"

#include <sddl.h>
#include <shlobj.h>

bool SystemSpooler::OpenHandle(const std::wstring& name, ACCESS_MASK access, HANDLE& handle)
{
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, access};
    handle = nullptr;
    std::wstring copy = name;
    return ::OpenPrinterW(&copy[0], &handle, &defaults) != FALSE;
}

void SystemSpooler::ClosePrinterHandle(HANDLE handle)
{
    if (handle)
        ::ClosePrinter(handle);
}

bool SystemSpooler::SendAddPort(HANDLE monitor, const std::wstring& port, DWORD& status)
{
    BYTE output[260] = {};
    DWORD needed = 0;
    status = 0;
    return ::XcvDataW(monitor, L"AddPort", reinterpret_cast<BYTE*>(const_cast<wchar_t*>(port.c_str())),
                      static_cast<DWORD>((port.size() + 1) * sizeof(wchar_t)), output, sizeof(output), &needed,
                      &status) != FALSE;
}

void SystemSpooler::RemovePort(const std::wstring& port)
{
    std::wstring copy = port;
    ::DeletePortW(nullptr, nullptr, &copy[0]);
}

bool SystemSpooler::GetDriverDirectory(const std::wstring& environment, std::wstring& folder)
{
    wchar_t buffer[MAX_PATH + 1] = {};
    DWORD needed = 0;
    std::wstring copy = environment;
    if (!::GetPrinterDriverDirectoryW(nullptr, &copy[0], 1, reinterpret_cast<BYTE*>(buffer),
                                      sizeof(buffer) - sizeof(wchar_t), &needed))
        return false;
    folder = buffer;
    return !folder.empty();
}

bool SystemSpooler::CopyDriverFile(const std::wstring& from, const std::wstring& to)
{
    return ::CopyFileW(from.c_str(), to.c_str(), FALSE) != FALSE;
}

void SystemSpooler::RemoveFile(const std::wstring& path)
{
    ::DeleteFileW(path.c_str());
}

bool SystemSpooler::AddDriver(DRIVER_INFO_6W& driver)
{
    return ::AddPrinterDriverW(nullptr, 6, reinterpret_cast<BYTE*>(&driver)) != FALSE;
}

bool SystemSpooler::DeleteDriver(const std::wstring& environment, const std::wstring& driver, DWORD version)
{
    std::wstring env = environment;
    std::wstring name = driver;
    return ::DeletePrinterDriverExW(nullptr, &env[0], &name[0], DPD_DELETE_UNUSED_FILES | DPD_DELETE_SPECIFIC_VERSION,
                                    version) != FALSE;
}

bool SystemSpooler::CreatePrinter(PRINTER_INFO_2W& printer)
{
    HANDLE handle = ::AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
    if (!handle)
        return false;
    ::ClosePrinter(handle);
    return true;
}

bool SystemSpooler::RemovePrinter(HANDLE printer)
{
    return ::DeletePrinter(printer) != FALSE;
}

bool SystemSpooler::ListPrinters(std::vector<PrinterEntry>& printers)
{
    printers.clear();
    DWORD needed = 0;
    DWORD count = 0;
    for (int attempt = 0; attempt < 4; ++attempt)
    {
        std::vector<BYTE> buffer(needed);
        if (::EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.empty() ? nullptr : buffer.data(),
                            static_cast<DWORD>(buffer.size()), &needed, &count))
        {
            // The count comes from the spooler: it must fit the bytes it filled.
            if (count > buffer.size() / sizeof(PRINTER_INFO_2W))
                return false;
            const PRINTER_INFO_2W* list = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
            for (DWORD i = 0; i < count; ++i)
                printers.push_back({list[i].pPrinterName ? list[i].pPrinterName : L"",
                                    list[i].pDriverName ? list[i].pDriverName : L""});
            return true;
        }
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0)
            return false;
    }
    return false;
}

std::wstring SystemSpooler::JobFolder() const
{
    if (!m_jobFolder.empty())
        return m_jobFolder;
    wchar_t common[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, common)))
        return std::wstring();
    return std::wstring(common) + L"\\QuillMere\\KEST\\Temp";
}

namespace
{

// The spooler writes the jobs and every user's copy of the program deletes them.
bool CreateSharedFolder(const std::wstring& folder)
{
    for (size_t at = folder.find(L'\\', 3); at != std::wstring::npos; at = folder.find(L'\\', at + 1))
        ::CreateDirectoryW(folder.substr(0, at).c_str(), nullptr);
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(
            L"D:(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1301bf;;;BU)", SDDL_REVISION_1, &descriptor, nullptr))
        descriptor = nullptr;
    SECURITY_ATTRIBUTES attributes = {sizeof(attributes), descriptor, FALSE};
    const BOOL created = ::CreateDirectoryW(folder.c_str(), descriptor ? &attributes : nullptr);
    const DWORD error = ::GetLastError();
    if (descriptor)
        ::LocalFree(descriptor);
    if (!created && error != ERROR_ALREADY_EXISTS)
        return false;
    const DWORD attributesNow = ::GetFileAttributesW(folder.c_str());
    return attributesNow != INVALID_FILE_ATTRIBUTES && (attributesNow & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool WriteText(HKEY key, const wchar_t* name, const std::wstring& value)
{
    return ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

} // namespace

bool SystemSpooler::WriteDriverValues(const std::wstring& programPath)
{
    const std::wstring jobFolder = JobFolder();
    if (jobFolder.empty() || !CreateSharedFolder(jobFolder))
        return false;
    HKEY key = nullptr;
    const LONG opened =
        ::RegCreateKeyExW(m_valuesRoot, m_valuesKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
    if (opened != ERROR_SUCCESS)
    {
        ::SetLastError(static_cast<DWORD>(opened));
        return false;
    }
    const bool written = WriteText(key, L"Temp", jobFolder) && WriteText(key, L"Path", programPath);
    ::RegCloseKey(key);
    return written;
}

void SystemSpooler::DeleteDriverValues()
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(m_valuesRoot, m_valuesKey.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    ::RegDeleteValueW(key, L"Temp");
    ::RegDeleteValueW(key, L"Path");
    ::RegCloseKey(key);
}

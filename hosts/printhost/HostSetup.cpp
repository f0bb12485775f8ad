#include "hosts/printhost/HostSetup.h"

#include <windows.h>

const wchar_t kKestRegistryKey[] = L"Software\\QuillMere\\KEST";

namespace {

bool WriteString(HKEY key, const wchar_t* name, const std::wstring& value)
{
    const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes)
           == ERROR_SUCCESS;
}

} // namespace

bool SetJobRegistryValues(const std::wstring& tempFolder, const std::wstring& programPath)
{
    CreateDirectoryW(tempFolder.c_str(), nullptr);
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKestRegistryKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr)
        != ERROR_SUCCESS)
        return false;
    bool written = WriteString(key, L"Temp", tempFolder) && WriteString(key, L"Path", programPath);
    RegCloseKey(key);
    return written;
}

bool DeleteJobRegistryValue(const wchar_t* name)
{
    HKEY key = nullptr;
    LONG opened = RegOpenKeyExW(HKEY_LOCAL_MACHINE, kKestRegistryKey, 0, KEY_SET_VALUE, &key);
    if (opened == ERROR_FILE_NOT_FOUND)
        return true;
    if (opened != ERROR_SUCCESS)
        return false;
    LONG deleted = RegDeleteValueW(key, name);
    RegCloseKey(key);
    return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}

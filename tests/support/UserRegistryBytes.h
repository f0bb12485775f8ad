#pragma once
// The bytes of a value under the user's registry branch, as the saved states are checked against
// what was written; empty when the key or the value is missing.
#include <windows.h>

#include <vector>

inline std::vector<BYTE> UserRegistryBytes(LPCWSTR lpszKey, LPCWSTR lpszValue)
{
    std::vector<BYTE> bytes;
    HKEY hKey = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, lpszKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return bytes;
    DWORD cb = 0;
    if (::RegQueryValueExW(hKey, lpszValue, nullptr, nullptr, nullptr, &cb) == ERROR_SUCCESS && cb > 0)
    {
        bytes.resize(cb);
        if (::RegQueryValueExW(hKey, lpszValue, nullptr, nullptr, bytes.data(), &cb) == ERROR_SUCCESS)
            bytes.resize(cb);
        else
            bytes.clear();
    }
    ::RegCloseKey(hKey);
    return bytes;
}

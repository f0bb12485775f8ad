// INTERIM until the page model's helpers land.
#include "driver/JobEnvironment.h"

GlyphCharMap* GetGlyphMapOnScreenDC(GlyphMapCache&, const LOGFONTW&)
{
    return nullptr;
}

std::wstring CombinePath(const std::wstring& folder, const std::wstring& name, bool)
{
    if (folder.empty())
        return name;
    if (name.empty())
        return folder;
    std::wstring result = folder;
    if (result.back() != L'\\' && result.back() != L'/')
        result += L'\\';
    result += (name[0] == L'\\' || name[0] == L'/') ? name.substr(1) : name;
    return result;
}

bool FileExists(const std::wstring& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_OFFLINE));
}

static std::wstring KeyName(const wchar_t* subKey)
{
    return std::wstring(L"Software\\QuillMere\\") + subKey;
}

std::wstring ReadRegistryString(const wchar_t* subKey, const wchar_t* valueName, bool& found)
{
    found = false;
    wchar_t buffer[1024];
    DWORD size = sizeof buffer - sizeof(wchar_t);
    DWORD type = 0;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, KeyName(subKey).c_str(), valueName, RRF_RT_REG_SZ, &type, buffer, &size)
            != ERROR_SUCCESS
        || size <= sizeof(wchar_t))
        return std::wstring();
    found = true;
    return std::wstring(buffer);
}

DWORD ReadRegistryDword(const wchar_t* subKey, const wchar_t* valueName, bool& found)
{
    DWORD value = 0;
    DWORD size = sizeof value;
    found = RegGetValueW(HKEY_LOCAL_MACHINE, KeyName(subKey).c_str(), valueName, RRF_RT_REG_DWORD, nullptr, &value,
                         &size) == ERROR_SUCCESS;
    return found ? value : 0xFFFFFFFF;
}

bool WriteRegistryDword(const wchar_t* subKey, const wchar_t* valueName, DWORD value)
{
    HKEY key;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, KeyName(subKey).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr)
        != ERROR_SUCCESS)
        return false;
    bool stored = RegSetValueExW(key, valueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value)
                  == ERROR_SUCCESS;
    return RegCloseKey(key) == ERROR_SUCCESS && stored;
}

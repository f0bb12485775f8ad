#include "app/FileTypes.h"

#include <shellapi.h>

#include <vector>

#include "pagemodel/RegistryValues.h"

std::wstring GetModulePath()
{
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;)
    {
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return std::wstring();
        if (length < buffer.size())
            return std::wstring(buffer.data(), length);
        if (buffer.size() >= 32768)
            return std::wstring();
        buffer.resize(buffer.size() * 2);
    }
}

bool GetShellOpenCommand(const std::wstring& modulePath, bool inputOption, std::wstring& command)
{
    if (modulePath.empty())
        return false;
    // Quoted: a path with spaces would otherwise start another program.
    command = L"\"" + modulePath + L"\"" + (inputOption ? L" -input=\"%1\"" : L" %1");
    return true;
}

namespace
{

bool WriteDefault(HKEY root, const std::wstring& keyName, const std::wstring& value)
{
    HKEY key = nullptr;
    if (::RegCreateKeyExW(root, keyName.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    const bool written = ::RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    ::RegCloseKey(key);
    return written;
}

} // namespace

bool RegisterFileType(const std::wstring& extension, const std::wstring& modulePath, const std::wstring& command,
                      HKEY root)
{
    if (extension.empty() || command.empty())
        return false;
    const std::wstring type = extension + L"file";
    return WriteDefault(root, L"." + extension, type) &&
           WriteDefault(root, type + L"\\DefaultIcon", modulePath + L",1") &&
           WriteDefault(root, type + L"\\shell\\open\\command", command);
}

int32_t SetupNumberFromName(const std::wstring& name)
{
    const size_t slash = name.find_last_of(L"\\/");
    const size_t fileStart = slash == std::wstring::npos ? 0 : slash + 1;
    const size_t dash = name.find(L'-', fileStart);
    size_t at = dash == std::wstring::npos ? 0 : dash;
    while (at < name.size() && (name[at] < L'0' || name[at] > L'9'))
        ++at;
    int64_t number = 0;
    bool any = false;
    for (; at < name.size() && name[at] >= L'0' && name[at] <= L'9'; ++at)
    {
        number = number * 10 + (name[at] - L'0');
        if (number > INT32_MAX)
            return 0;
        any = true;
    }
    return any ? static_cast<int32_t>(number) : 0;
}

int32_t ReadSetupNumber()
{
    bool found = false;
    const std::wstring name = ReadRegistryString(kKestSubKey, L"SetupExeName", found);
    return found ? SetupNumberFromName(name) : 0;
}

std::wstring GetWebLinkUrl(int32_t setupNumber, int32_t linkId)
{
    return L"https://www.quillmere.com/redirect.php?A=" + std::to_wstring(setupNumber) + L"&L=" +
           std::to_wstring(linkId) + L"&V=1";
}

bool ShellOpenDefault(HWND owner, const std::wstring& target)
{
    const HINSTANCE result = ::ShellExecuteW(owner, nullptr, target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

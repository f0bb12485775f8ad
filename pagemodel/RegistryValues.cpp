#include "pagemodel/RegistryValues.h"

#include <vector>

const wchar_t* const kMachineKeyRoot = L"Software\\QuillMere";
const wchar_t* const kKestSubKey = L"KEST";

namespace {

// Strings longer than this are not a folder or a program path.
const DWORD kMaxStringBytes = 64 * 1024;

std::wstring KeyPath(const std::wstring& subKey)
{
    return std::wstring(kMachineKeyRoot) + L"\\" + subKey;
}

class OpenKey
{
public:
    OpenKey(HKEY root, const std::wstring& path, REGSAM access, bool create)
    {
        const LONG status = create
            ? RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, access, nullptr, &m_key, nullptr)
            : RegOpenKeyExW(root, path.c_str(), 0, access, &m_key);
        if (status != ERROR_SUCCESS)
            m_key = nullptr;
    }
    ~OpenKey()
    {
        if (m_key != nullptr)
            RegCloseKey(m_key);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    HKEY Get() const { return m_key; }
    bool Close()
    {
        const bool closed = m_key != nullptr && RegCloseKey(m_key) == ERROR_SUCCESS;
        m_key = nullptr;
        return closed;
    }

private:
    HKEY m_key = nullptr;
};

} // namespace

std::wstring ReadRegistryString(HKEY root, const std::wstring& subKey, const std::wstring& valueName, bool& found)
{
    found = false;
    OpenKey key(root, KeyPath(subKey), KEY_READ, false);
    if (key.Get() == nullptr)
        return std::wstring();
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS
        || type != REG_SZ || size < sizeof(wchar_t) || size > kMaxStringBytes)
        return std::wstring();
    // One more character than stored: the stored value need not end in a zero.
    std::vector<wchar_t> value(size / sizeof(wchar_t) + 1, L'\0');
    DWORD read = size;
    if (RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &read)
            != ERROR_SUCCESS
        || type != REG_SZ || read > size)
        return std::wstring();
    std::wstring text(value.data());
    if (text.empty())
        return text;
    found = true;
    return text;
}

uint32_t ReadRegistryDword(HKEY root, const std::wstring& subKey, const std::wstring& valueName, bool& found)
{
    found = false;
    OpenKey key(root, KeyPath(subKey), KEY_READ, false);
    if (key.Get() == nullptr)
        return 0xFFFFFFFF;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size)
            != ERROR_SUCCESS
        || type != REG_DWORD || size != sizeof(value))
        return 0xFFFFFFFF;
    found = true;
    return value;
}

bool WriteRegistryDword(HKEY root, const std::wstring& subKey, const std::wstring& valueName, uint32_t value)
{
    OpenKey key(root, KeyPath(subKey), KEY_WRITE, true);
    if (key.Get() == nullptr)
        return false;
    const DWORD stored = value;
    const bool written = RegSetValueExW(key.Get(), valueName.c_str(), 0, REG_DWORD,
                                        reinterpret_cast<const BYTE*>(&stored), sizeof(stored)) == ERROR_SUCCESS;
    return key.Close() && written;
}

std::wstring ReadRegistryString(const std::wstring& subKey, const std::wstring& valueName, bool& found)
{
    return ReadRegistryString(HKEY_LOCAL_MACHINE, subKey, valueName, found);
}

uint32_t ReadRegistryDword(const std::wstring& subKey, const std::wstring& valueName, bool& found)
{
    return ReadRegistryDword(HKEY_LOCAL_MACHINE, subKey, valueName, found);
}

bool WriteRegistryDword(const std::wstring& subKey, const std::wstring& valueName, uint32_t value)
{
    return WriteRegistryDword(HKEY_LOCAL_MACHINE, subKey, valueName, value);
}

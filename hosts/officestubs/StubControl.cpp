#include "StubControl.h"

#include <windows.h>

#include <cstdlib>
#include <map>
#include <mutex>

namespace officestubs {

std::wstring ReadSetting(const wchar_t* name)
{
    wchar_t buffer[1024];
    DWORD n = GetEnvironmentVariableW(name, buffer, ARRAYSIZE(buffer));
    if (n == 0 || n >= ARRAYSIZE(buffer))
        return std::wstring();
    return std::wstring(buffer, n);
}

void LogLine(const std::wstring& line)
{
    const std::wstring path = ReadSetting(L"KEST_STUB_LOG");
    if (path.empty())
        return;
    std::wstring text = line + L"\n";
    int bytes = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                    nullptr, nullptr);
    std::string utf8(bytes > 0 ? bytes : 0, '\0');
    if (bytes > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &utf8[0], bytes, nullptr,
                            nullptr);
    HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
    CloseHandle(file);
}

bool ShouldFail(const std::wstring& member)
{
    static std::mutex guard;
    static std::wstring lastSession;
    static std::map<std::wstring, int> calls;

    std::lock_guard<std::mutex> lock(guard);
    // A new log or a new switch starts a new count, so each test counts from its own first call.
    const std::wstring session = ReadSetting(L"KEST_STUB_LOG") + L"|" + ReadSetting(L"KEST_STUB_FAIL");
    if (session != lastSession) {
        lastSession = session;
        calls.clear();
    }
    const int count = ++calls[member];

    const std::wstring spec = ReadSetting(L"KEST_STUB_FAIL");
    if (spec.empty())
        return false;
    const size_t hash = spec.find(L'#');
    if (spec.substr(0, hash) != member)
        return false;
    return hash == std::wstring::npos || std::wcstol(spec.c_str() + hash + 1, nullptr, 10) == count;
}

} // namespace officestubs

// Test-side helpers for the stand-in automation servers: registration in the test prefix, one
// session per test (its own call log, fail switch and Word version), and readers for what the
// stand-ins leave behind (clipboard formats, zip entries). Needs KEST_OFFICE_STUBS_DLL.
#pragma once
#include <windows.h>
#include <minizip/unzip.h>
#include <minizip/iowin32.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace officestubs {

inline std::wstring Widen(const std::string& utf8)
{
    if (utf8.empty())
        return std::wstring();
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(n > 0 ? n : 0, L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &out[0], n);
    return out;
}

inline std::string Utf8(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n : 0, '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

// Registers both stand-ins under HKEY_CLASSES_ROOT, as the server's own registration does.
inline HRESULT RegisterOfficeStubs()
{
    HMODULE dll = LoadLibraryW(L"" KEST_OFFICE_STUBS_DLL);
    if (!dll)
        return HRESULT_FROM_WIN32(GetLastError());
    auto reg = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
        reinterpret_cast<void*>(GetProcAddress(dll, "DllRegisterServer")));
    HRESULT hr = reg ? reg() : E_NOINTERFACE;
    FreeLibrary(dll);
    return hr;
}

inline std::wstring TempPath(const wchar_t* prefix)
{
    wchar_t dir[MAX_PATH], file[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    GetTempFileNameW(dir, prefix, 0, file);
    return file;
}

inline std::string ReadFileBytes(const std::wstring& path)
{
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

// One test's view of the stand-ins: a fresh log, no fail switch, the default Word version.
class StubSession {
public:
    StubSession() : m_log(TempPath(L"kst"))
    {
        SetEnvironmentVariableW(L"KEST_STUB_LOG", m_log.c_str());
        SetEnvironmentVariableW(L"KEST_STUB_FAIL", nullptr);
        SetEnvironmentVariableW(L"KEST_WORD_VERSION", nullptr);
    }
    ~StubSession()
    {
        SetEnvironmentVariableW(L"KEST_STUB_LOG", nullptr);
        SetEnvironmentVariableW(L"KEST_STUB_FAIL", nullptr);
        SetEnvironmentVariableW(L"KEST_WORD_VERSION", nullptr);
        DeleteFileW(m_log.c_str());
    }
    StubSession(const StubSession&) = delete;
    StubSession& operator=(const StubSession&) = delete;

    void Fail(const wchar_t* spec) { SetEnvironmentVariableW(L"KEST_STUB_FAIL", spec); }
    void WordVersion(const wchar_t* version) { SetEnvironmentVariableW(L"KEST_WORD_VERSION", version); }

    std::vector<std::string> Log() const
    {
        std::vector<std::string> lines;
        std::istringstream in(ReadFileBytes(m_log));
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
    // The lines that contain the text.
    std::vector<std::string> Calls(const std::string& text) const
    {
        std::vector<std::string> found;
        for (const std::string& line : Log())
            if (line.find(text) != std::string::npos)
                found.push_back(line);
        return found;
    }
    bool Logged(const std::string& line) const
    {
        for (const std::string& l : Log())
            if (l == line)
                return true;
        return false;
    }

private:
    std::wstring m_log;
};

// The bytes of a clipboard format, its terminating zero included; empty when it is absent.
inline std::string ClipboardBytes(UINT format)
{
    std::string bytes;
    if (!OpenClipboard(nullptr))
        return bytes;
    if (HANDLE data = GetClipboardData(format)) {
        if (const void* p = GlobalLock(data)) {
            bytes.assign(static_cast<const char*>(p), GlobalSize(data));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return bytes;
}

inline std::wstring ClipboardText()
{
    const std::string bytes = ClipboardBytes(CF_UNICODETEXT);
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    return text.substr(0, text.find(L'\0'));
}

inline std::string ClipboardRtf()
{
    const std::string bytes = ClipboardBytes(RegisterClipboardFormatW(L"Rich Text Format"));
    return bytes.substr(0, bytes.find('\0'));
}

inline void EmptyTheClipboard()
{
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
}

// One entry of a zip archive; empty when the archive or the entry cannot be read.
inline std::string ReadZipEntry(const std::wstring& path, const char* entry)
{
    zlib_filefunc64_def io;
    fill_win32_filefunc64W(&io);
    std::string content;
    unzFile zip = unzOpen2_64(path.c_str(), &io);
    if (!zip)
        return content;
    if (unzLocateFile(zip, entry, 1) == UNZ_OK && unzOpenCurrentFile(zip) == UNZ_OK) {
        char buffer[4096];
        int got = 0;
        while ((got = unzReadCurrentFile(zip, buffer, sizeof buffer)) > 0)
            content.append(buffer, got);
        unzCloseCurrentFile(zip);
    }
    unzClose(zip);
    return content;
}

} // namespace officestubs

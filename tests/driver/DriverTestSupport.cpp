#include "tests/driver/DriverTestSupport.h"

#include "driver/DriverErrors.h"
#include "hosts/printhost/HostSetup.h"
#include "hosts/printhost/ReportPrinter.h"
#include "hosts/printhost/engine/StandInEngine.h"
#include "pagemodel/Unzipper.h"

#include <algorithm>
#include <cstdlib>
#include <cwchar>

namespace {

void RecordMessage(const wchar_t* text, const wchar_t* /*caption*/)
{
    DriverTest_RecordedMessages().push_back(text);
}

void RemoveFolder(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE)
    {
        do
        {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = folder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolder(path);
            else
            {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

} // namespace

std::vector<std::wstring>& DriverTest_RecordedMessages()
{
    static std::vector<std::wstring> messages;
    return messages;
}

std::vector<std::wstring>& DriverTest::Messages()
{
    return DriverTest_RecordedMessages();
}

std::vector<int> DriverTest::ErrorNumbers()
{
    std::vector<int> numbers;
    for (const std::wstring& message : Messages())
    {
        int number = 0;
        if (swscanf(message.c_str(), L"Internal Kest printer driver error %d", &number) == 1)
            numbers.push_back(number);
    }
    return numbers;
}

void DriverTest::SetUp()
{
    standin::ResetEngine();
    ClearDriverFaults();
    Messages().clear();
    SetDriverMessageSink(&RecordMessage);

    static int sequence = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    m_folder = std::wstring(temp) + L"kest-driver-test-" + std::to_wstring(GetCurrentProcessId()) + L"-"
               + std::to_wstring(++sequence);
    RemoveFolder(m_folder);
    ASSERT_TRUE(SetJobRegistryValues(m_folder, StandInProgramPath()));
    SetEnvironmentVariableW(L"KEST_STANDIN_LOG", LaunchLog().c_str());
    SetDocumentCounter(0x100);
}

void DriverTest::TearDown()
{
    ClearDriverFaults();
    standin::ResetEngine();
    standin::SetGlyphBatchSize(8);
    SetEnvironmentVariableW(L"KEST_STANDIN_LOG", nullptr);
    RemoveFolder(m_folder);
}

std::vector<std::wstring> DriverTest::FilesIn(const wchar_t* pattern) const
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((m_folder + L"\\" + pattern).c_str(), &found);
    if (search != INVALID_HANDLE_VALUE)
    {
        do
            names.push_back(found.cFileName);
        while (FindNextFileW(search, &found));
        FindClose(search);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::wstring> DriverTest::LaunchedCommandLines(size_t expected) const
{
    std::vector<std::wstring> lines;
    for (int attempt = 0; attempt < 100; ++attempt)
    {
        lines.clear();
        FILE* log = _wfopen(LaunchLog().c_str(), L"r, ccs=UTF-8");
        if (log)
        {
            wchar_t line[2048];
            while (fgetws(line, 2048, log))
            {
                std::wstring text = line;
                while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r'))
                    text.pop_back();
                lines.push_back(text);
            }
            fclose(log);
        }
        if (lines.size() >= expected)
            break;
        Sleep(100);
    }
    return lines;
}

void DriverTest::SetDocumentCounter(DWORD value)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKestRegistryKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, L"DocumentUnique", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

void DriverTest::DeleteDocumentCounter()
{
    DeleteJobRegistryValue(L"DocumentUnique");
}

DWORD DriverTest::DocumentCounter()
{
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kKestRegistryKey, L"DocumentUnique", RRF_RT_REG_DWORD, nullptr, &value,
                     &size)
        != ERROR_SUCCESS)
        return 0;
    return value;
}

std::wstring StandInProgramPath()
{
    std::string narrow = KEST_BIN_DIR "/kest_program_standin.exe";
    std::wstring path(narrow.begin(), narrow.end());
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

std::vector<ArchiveEntry> ReadArchive(const std::wstring& path)
{
    std::vector<ArchiveEntry> entries;
    CUnzipper archive;
    if (!archive.Open(path.c_str()))
        return entries;
    for (bool more = archive.GotoFirstFile(); more; more = archive.GotoNextFile())
    {
        UnzipFileInfo info{};
        unsigned char* data = nullptr;
        uint32_t size = 0;
        if (!archive.GetFileInfo(info) || !archive.ReadCurrentFile(data, size))
            break;
        ArchiveEntry entry;
        entry.name = info.name;
        entry.data.assign(data, data + size);
        free(data);
        entries.push_back(std::move(entry));
    }
    return entries;
}

const ArchiveEntry* FindEntry(const std::vector<ArchiveEntry>& entries, const char* name)
{
    for (const ArchiveEntry& entry : entries)
    {
        if (entry.name == name)
            return &entry;
    }
    return nullptr;
}

bool HasEntryNamed(const std::vector<ArchiveEntry>& entries, const char* name)
{
    return FindEntry(entries, name) != nullptr;
}

bool PrintTextPages(DriverSession& session, const std::vector<std::wstring>& pageTexts, const wchar_t* name)
{
    return PrintTextPages(session, pageTexts, name, ReportLayout());
}

bool PrintTextPages(DriverSession& session, const std::vector<std::wstring>& pageTexts, const wchar_t* name,
                    const ReportLayout& layout)
{
    std::wstring text;
    for (size_t i = 0; i < pageTexts.size(); ++i)
    {
        if (i)
            text += L"\f";
        text += pageTexts[i];
    }
    std::vector<EnhMetaFile> pages = MakeReportPages(text, layout);
    return pages.size() == pageTexts.size() && PrintEmfDocument(session, pages, name);
}

std::wstring Characters(const CDCText& text)
{
    std::wstring chars;
    for (const CDCCharInfo& info : text.m_chars)
        chars.push_back(static_cast<wchar_t>(info.m_char));
    return chars;
}

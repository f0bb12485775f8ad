// KEST.exe after things went wrong: a copy killed while it showed a print job, and saved
// interface state that was damaged. The next start must offer the job, clear what was left, and
// come up and close whole over any damaged value.
#include "tests/app/AppTestSupport.h"
#include "tests/app/ProgramProcess.h"
#include "tests/table/ui/PageViewFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cwctype>
#include <string>
#include <vector>

namespace
{

using namespace program_process;

const std::wstring SampleTable = std::wstring(L"" KEST_SOURCE_DIR) + L"/samples/table.kest";

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void WriteBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

bool WaitForChildWindows(HWND main, int count, DWORD milliseconds = 60000)
{
    const DWORD start = GetTickCount();
    while (ChildWindowCount(main) != count)
    {
        if (GetTickCount() - start > milliseconds)
            return false;
        Sleep(100);
    }
    return true;
}

// The print-job folder of the prefix points at a folder of the test's own while it runs.
class JobFolderOfTheTest
{
public:
    JobFolderOfTheTest()
    {
        m_savedTemp = ProductValue(L"Temp");
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        m_folder = std::wstring(temp) + L"KestRecoveryJobs";
        CreateDirectoryW(m_folder.c_str(), nullptr);
        SetProductValue(L"Temp", m_folder);
    }
    ~JobFolderOfTheTest()
    {
        SetProductValue(L"Temp", m_savedTemp);
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((m_folder + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE)
        {
            do
                DeleteFileW((m_folder + L"\\" + found.cFileName).c_str());
            while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(m_folder.c_str());
    }
    std::wstring File(const wchar_t* name) const { return m_folder + L"\\" + name; }

private:
    std::wstring m_folder, m_savedTemp;
};

TEST(ProgramRecoveryTest, AJobOfAKilledCopyOpensAtTheNextStartAndItsLeftoversGo)
{
    if (HasKestPrinter())
        RunProcess(ProgramPath(), L"/NoUI /UninstallPrinter");
    JobFolderOfTheTest jobs;
    const std::wstring job = jobs.File(L"Killed.kest");
    ASSERT_TRUE(CopyFileW(SampleTable.c_str(), job.c_str(), FALSE));

    HANDLE killed = StartProcess(ProgramPath(), L"-printed=\"Killed.kest\"");
    ASSERT_NE(killed, nullptr);
    HWND main = WaitForMainWindow(120000);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitForChildWindows(main, 1));
    TerminateProcess(killed, 9);
    FinishProcess(killed);
    CloseHandle(killed);
    ASSERT_TRUE(Exists(job));
    // What killed writes leave: a temporary archive, and a job that never became whole.
    WriteBytes(jobs.File(L"KES12345678.tmp"), "half an archive");
    WriteBytes(jobs.File(L"0000002a.tmp"), "PK");
    WriteBytes(jobs.File(L"Broken.kest"), "PK\x03\x04 cut short");

    HANDLE next = StartProcess(ProgramPath(), L"");
    ASSERT_NE(next, nullptr);
    main = WaitForMainWindow(120000);
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(WaitForChildWindows(main, 1));
    EXPECT_TRUE(Exists(job));
    EXPECT_FALSE(Exists(jobs.File(L"Broken.kest")));
    EXPECT_FALSE(Exists(jobs.File(L"KES12345678.tmp")));
    EXPECT_FALSE(Exists(jobs.File(L"0000002a.tmp")));
    Sleep(1500);
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(300);
    CreateDirectoryW(L"screenshots", nullptr);
    Screenshot shot(main);
    EXPECT_TRUE(shot.Save("screenshots/program-recovered-job.bmp"));

    // The recovered job is a print job again: it goes when its program closes.
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(FinishProcess(next), 0u);
    CloseHandle(next);
    EXPECT_FALSE(Exists(job));
}

// ---- damaged saved state ----

const wchar_t* const ProfileKey = L"Software\\QuillMere\\Kest";
const wchar_t* const ProfileBackup = L"Software\\KestRecoveryTestBackup";

struct SavedValue
{
    std::wstring key; // below the profile key
    std::wstring name;
    DWORD type = 0;
    std::string bytes;
};

void ReadValues(HKEY root, const std::wstring& path, std::vector<SavedValue>& values)
{
    HKEY key = nullptr;
    const std::wstring full = path.empty() ? ProfileKey : std::wstring(ProfileKey) + L"\\" + path;
    if (RegOpenKeyExW(root, full.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    for (DWORD index = 0;; ++index)
    {
        wchar_t name[256];
        DWORD nameLength = 256, type = 0, size = 0;
        if (RegEnumValueW(key, index, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            break;
        SavedValue value{path, name, type, std::string(size, '\0')};
        nameLength = 256;
        RegEnumValueW(key, index, name, &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(&value.bytes[0]), &size);
        values.push_back(value);
    }
    std::vector<std::wstring> subkeys;
    for (DWORD index = 0;; ++index)
    {
        wchar_t name[256];
        DWORD nameLength = 256;
        if (RegEnumKeyExW(key, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        subkeys.push_back(name);
    }
    RegCloseKey(key);
    for (const std::wstring& subkey : subkeys)
        ReadValues(root, path.empty() ? subkey : path + L"\\" + subkey, values);
}

void WriteValue(const SavedValue& value)
{
    HKEY key = nullptr;
    const std::wstring full = value.key.empty() ? ProfileKey : std::wstring(ProfileKey) + L"\\" + value.key;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, full.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, value.name.c_str(), 0, value.type, reinterpret_cast<const BYTE*>(value.bytes.data()),
                   static_cast<DWORD>(value.bytes.size()));
    RegCloseKey(key);
}

void ReplaceProfile(const std::vector<SavedValue>& values)
{
    RegDeleteTreeW(HKEY_CURRENT_USER, ProfileKey);
    for (const SavedValue& value : values)
        WriteValue(value);
}

// Each 16-bit tag of a saved object list that says "a new object of a class already named" turned
// into a reference to an object read before it: the list then names itself, its parent or a
// sibling. Up to count such variants, spread over the value.
std::vector<std::string> BackReferences(const std::string& bytes, size_t count)
{
    std::vector<size_t> tags;
    for (size_t at = 0; at + 1 < bytes.size(); ++at)
    {
        const unsigned word = static_cast<unsigned char>(bytes[at]) | (static_cast<unsigned char>(bytes[at + 1]) << 8);
        if (word > 0x8000 && word < 0x8010)
            tags.push_back(at);
    }
    std::vector<std::string> variants;
    for (size_t i = 0; i < count && i < tags.size(); ++i)
    {
        const size_t at = tags[tags.size() * i / count];
        for (unsigned reference : {1u, 2u})
        {
            std::string damaged = bytes;
            damaged[at] = static_cast<char>(reference);
            damaged[at + 1] = 0;
            variants.push_back(damaged);
        }
    }
    return variants;
}

std::string Scrambled(const std::string& bytes, unsigned seed)
{
    std::string damaged = bytes;
    for (size_t at = 0; at < damaged.size(); ++at)
    {
        seed = seed * 1103515245u + 12345u;
        if ((seed >> 16) % 5 == 0)
            damaged[at] = static_cast<char>(seed >> 24);
    }
    return damaged;
}

struct Damage
{
    std::wstring what;
    std::vector<SavedValue> values; // written over the sound state
};

// One start over each damaged value of every kind the program saved: cut short, scrambled, all
// ones, and for object lists references back to objects already read.
std::vector<Damage> DamagesOf(const std::vector<SavedValue>& sound)
{
    std::vector<Damage> damages;
    std::vector<std::wstring> kindsSeen;
    std::vector<SavedValue> allNumbers;
    for (const SavedValue& value : sound)
    {
        if (value.type == REG_DWORD)
        {
            SavedValue huge = value;
            huge.bytes = std::string("\xFF\xFF\xFF\x7F", 4);
            allNumbers.push_back(huge);
            continue;
        }
        if (value.type != REG_BINARY || value.bytes.size() < 4)
            continue;
        // One representative of each kind of value: its name with the numbers of its key left out.
        std::wstring kind = value.name + L"@";
        for (wchar_t c : value.key)
            if (!iswdigit(c))
                kind += c;
        const bool firstOfKind = std::find(kindsSeen.begin(), kindsSeen.end(), kind) == kindsSeen.end();
        // Every bar's button list: the menu bar's and each toolbar's are read apart.
        if (!firstOfKind && value.name != L"Buttons")
            continue;
        kindsSeen.push_back(kind);
        const std::wstring what = value.key + L"\\" + value.name;
        if (firstOfKind)
        {
            SavedValue cut = value;
            cut.bytes.resize(value.bytes.size() / 2);
            damages.push_back({what + L" cut short", {cut}});
            SavedValue ones = value;
            ones.bytes.assign(value.bytes.size(), '\xFF');
            damages.push_back({what + L" all ones", {ones}});
        }
        if (value.name != L"Buttons")
            continue;
        // Object lists of buttons are where a damaged value could make a menu contain itself.
        SavedValue scrambled = value;
        scrambled.bytes = Scrambled(value.bytes, static_cast<unsigned>(value.bytes.size()));
        damages.push_back({what + L" scrambled", {scrambled}});
        for (const std::string& variant : BackReferences(value.bytes, 1))
        {
            SavedValue referring = value;
            referring.bytes = variant;
            damages.push_back({what + L" referring back", {referring}});
        }
    }
    if (!allNumbers.empty())
        damages.push_back({L"every number at its largest", allNumbers});
    return damages;
}

TEST(ProgramRecoveryTest, EveryDamagedSavedValueStillStartsAndClosesTheProgram)
{
    if (HasKestPrinter())
        RunProcess(ProgramPath(), L"/NoUI /UninstallPrinter");
    RegDeleteTreeW(HKEY_CURRENT_USER, ProfileBackup);
    {
        HKEY backup = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, ProfileBackup, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &backup,
                                  nullptr),
                  ERROR_SUCCESS);
        HKEY profile = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, ProfileKey, 0, KEY_READ, &profile) == ERROR_SUCCESS)
        {
            RegCopyTreeW(profile, nullptr, backup);
            RegCloseKey(profile);
        }
        RegCloseKey(backup);
    }

    // A first start and close saves the state the program reads.
    RegDeleteTreeW(HKEY_CURRENT_USER, ProfileKey);
    auto startAndClose = [](const std::wstring& what) {
        HANDLE process = StartProcess(ProgramPath(), L"");
        ASSERT_NE(process, nullptr) << what;
        HWND main = WaitForMainWindow(60000);
        EXPECT_NE(main, nullptr) << what << ": no main window";
        if (main)
            PostMessageW(main, WM_CLOSE, 0, 0);
        const DWORD code = FinishProcess(process, 60000);
        if (code == STILL_ACTIVE)
            TerminateProcess(process, 1);
        EXPECT_EQ(code, 0u) << what << ": did not close cleanly";
        CloseHandle(process);
    };
    startAndClose(L"a first start");
    std::vector<SavedValue> sound;
    ReadValues(HKEY_CURRENT_USER, L"", sound);
    ASSERT_FALSE(sound.empty());

    const std::vector<Damage> damages = DamagesOf(sound);
    EXPECT_GE(damages.size(), 8u);
    for (const Damage& damage : damages)
    {
        ReplaceProfile(sound);
        for (const SavedValue& value : damage.values)
            WriteValue(value);
        std::printf("damaged start: %ls\n", damage.what.c_str());
        startAndClose(damage.what);
    }
    std::printf("%u damaged starts\n", static_cast<unsigned>(damages.size()));

    RegDeleteTreeW(HKEY_CURRENT_USER, ProfileKey);
    HKEY backup = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, ProfileBackup, 0, KEY_READ, &backup) == ERROR_SUCCESS)
    {
        HKEY profile = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, ProfileKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &profile,
                            nullptr) == ERROR_SUCCESS)
        {
            RegCopyTreeW(backup, nullptr, profile);
            RegCloseKey(profile);
        }
        RegCloseKey(backup);
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, ProfileBackup);
}

} // namespace

// The options and settings in the user's profile, through wine's registry.
#include "app/ConvertingOptions.h"
#include "tests/app/AppTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{

const wchar_t* const ProfileKey = L"QuillMere";
const wchar_t* const ProfileName = L"KestOptionsTest";
const wchar_t* const ProfilePath = L"Software\\QuillMere\\KestOptionsTest";

class OptionsProfileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_savedProfile = theApp.m_pszProfileName;
        RegDeleteTreeW(HKEY_CURRENT_USER, ProfilePath);
        ProfileNames::Set(theApp, ProfileKey, ProfileName);
    }
    void TearDown() override
    {
        ProfileNames::Set(theApp, nullptr, m_savedProfile.c_str());
        RegDeleteTreeW(HKEY_CURRENT_USER, ProfilePath);
    }

    static void SetNumber(const wchar_t* section, const wchar_t* name, DWORD value)
    {
        HKEY key = nullptr;
        const std::wstring path = std::wstring(ProfilePath) + L"\\" + section;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
        RegCloseKey(key);
    }
    static void SetRaw(const wchar_t* name, DWORD type, const void* data, DWORD bytes)
    {
        HKEY key = nullptr;
        const std::wstring path = std::wstring(ProfilePath) + L"\\Options";
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), bytes);
        RegCloseKey(key);
    }
    // The value names of a section in the order the registry keeps them.
    static std::vector<std::wstring> Names(const wchar_t* section)
    {
        std::vector<std::wstring> names;
        HKEY key = nullptr;
        const std::wstring path = std::wstring(ProfilePath) + L"\\" + section;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return names;
        for (DWORD i = 0;; ++i)
        {
            wchar_t name[64];
            DWORD length = 64;
            if (RegEnumValueW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            names.emplace_back(name, length);
        }
        RegCloseKey(key);
        return names;
    }

    std::wstring m_savedProfile;
};

TEST_F(OptionsProfileTest, FreshProfileGivesTheDefaultsAndSavesEveryNameInOrder)
{
    CDCOptions options;
    ASSERT_TRUE(options.Load(theApp));
    const CDCOptions defaults;
    EXPECT_EQ(options.m_target, TargetExcelSheet);
    EXPECT_FALSE(options.m_askForFilename);
    EXPECT_EQ(options.m_convertPages, 0);
    EXPECT_TRUE(options.m_askConvertPages);
    EXPECT_FALSE(options.m_excelKeepFormatting);
    EXPECT_FALSE(options.m_excelMergeCells);
    EXPECT_TRUE(options.m_wordKeepFormatting);
    EXPECT_FALSE(options.m_wordMergeCells);
    EXPECT_EQ(options.m_excelDate, defaults.m_excelDate);
    EXPECT_FALSE(options.m_accumulate);
    EXPECT_TRUE(Names(L"Options").empty());

    options.m_excelMergeCells = true;
    options.m_excelNumber = L"0.00";
    ASSERT_TRUE(options.Save(theApp));
    const std::vector<std::wstring> expected = {L"Target",           L"AskForFilename",      L"ConvertPages",
                                                L"AskConvertPages",  L"ExcelKeepFormatting", L"WordKeepFormatting",
                                                L"TextSelectionDir", L"DrawHandles",         L"DrawRowAlways",
                                                L"ExcelCurrency",    L"ExcelDate",           L"ExcelTime",
                                                L"ExcelNumber",      L"ExcelMergeCells",     L"WordMergeCells",
                                                L"Accumulate"};
    std::vector<std::wstring> sorted = expected;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(Names(L"Options"), sorted); // the registry lists its values by name

    // The order of the writes shows in a private profile file, which keeps it.
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring file = std::wstring(folder) + L"KestOptionsOrder.ini";
    DeleteFileW(file.c_str());
    ProfileNames::Set(theApp, nullptr, file.c_str());
    ASSERT_TRUE(options.Save(theApp));
    std::vector<wchar_t> keys(4096);
    const DWORD length = GetPrivateProfileStringW(L"Options", nullptr, L"", keys.data(), 4096, file.c_str());
    std::vector<std::wstring> written;
    for (const wchar_t* key = keys.data(); key < keys.data() + length && *key; key += wcslen(key) + 1)
        written.emplace_back(key);
    EXPECT_EQ(written, expected);
    DeleteFileW(file.c_str());
    ProfileNames::Set(theApp, ProfileKey, ProfileName);

    CDCOptions back;
    back.Load(theApp);
    EXPECT_TRUE(back.m_excelMergeCells);
    EXPECT_EQ(back.m_excelNumber, L"0.00");
}

TEST_F(OptionsProfileTest, StoredValuesAreTakenAsTheyAreAndDamagedOnesKeepTheField)
{
    SetNumber(L"Options", L"Target", 7);
    SetNumber(L"Options", L"AskConvertPages", 2); // only 1 is true
    SetRaw(L"ExcelDate", REG_SZ, L"", sizeof(wchar_t));
    const wchar_t unterminated[] = {L'h', L'h'};
    SetRaw(L"ExcelTime", REG_SZ, unterminated, sizeof(unterminated));
    SetRaw(L"ConvertPages", REG_SZ, L"2", 2 * sizeof(wchar_t)); // the wrong type reads as absent
    const BYTE shortNumber[] = {1, 0};
    SetRaw(L"DrawHandles", REG_DWORD, shortNumber, sizeof(shortNumber));
    SetRaw(L"ExcelNumber", REG_DWORD, shortNumber, sizeof(shortNumber));

    CDCOptions options;
    options.Load(theApp);
    EXPECT_EQ(static_cast<int32_t>(options.m_target), 7);
    EXPECT_EQ(options.GetTargetCommand(), 0u);
    EXPECT_FALSE(options.m_askConvertPages);
    EXPECT_EQ(options.m_excelDate, L"");
    EXPECT_EQ(options.m_excelTime, L"hh");
    EXPECT_EQ(options.m_convertPages, 0);
    EXPECT_FALSE(options.m_drawHandles);
    EXPECT_EQ(options.m_excelNumber, L"0.0000");

    struct Case
    {
        int32_t target;
        uint32_t command;
    } commands[] = {{0, 34101}, {4, 34105}, {5, 0}, {-1, 0}};
    for (const Case& c : commands)
    {
        options.m_target = static_cast<ConversionTarget>(c.target);
        EXPECT_EQ(options.GetTargetCommand(), c.command) << c.target;
    }
}

TEST_F(OptionsProfileTest, SelectionModeTwoLoadsAsAdvancedTableSelection)
{
    theApp.ResetStart();
    SetNumber(L"Settings", L"SelectionMode", 2);
    SetNumber(L"Settings", L"AdvancedMode", 0);
    theApp.LoadSettings();
    EXPECT_EQ(theApp.m_selectionMode, 0);
    EXPECT_TRUE(theApp.m_advancedMode);
    theApp.SaveSettings();
    EXPECT_EQ(theApp.GetProfileInt(L"Settings", L"SelectionMode", -1), 0u);
    EXPECT_EQ(theApp.GetProfileInt(L"Settings", L"AdvancedMode", -1), 1u);

    // An unknown mode from the profile selects nothing unknown.
    SetNumber(L"Settings", L"SelectionMode", 9);
    theApp.LoadSettings();
    EXPECT_EQ(theApp.m_selectionMode, 0);
    theApp.m_advancedMode = false;
}

TEST_F(OptionsProfileTest, AccumulateToggledTwiceLeavesTheRecordAsBefore)
{
    theApp.ResetStart();
    const CDCOptions before = theApp.DCOptions();
    theApp.ToggleAccumulate();
    EXPECT_TRUE(theApp.DCOptions().m_accumulate);
    EXPECT_EQ(theApp.GetProfileInt(L"Options", L"Accumulate", -1), 1u);
    theApp.ToggleAccumulate();
    EXPECT_FALSE(theApp.DCOptions().m_accumulate);
    EXPECT_EQ(theApp.GetProfileInt(L"Options", L"Accumulate", -1), 0u);
    EXPECT_EQ(theApp.DCOptions().m_excelCurrency, before.m_excelCurrency);
    EXPECT_EQ(theApp.DCOptions().m_target, before.m_target);

    CDCOptions copy;
    copy.m_accumulate = true;
    copy.m_excelTime = L"hh:mm:ss";
    CDCOptions target;
    target.CopyFrom(copy);
    EXPECT_TRUE(target.m_accumulate);
    EXPECT_EQ(target.m_excelTime, L"hh:mm:ss");
}

TEST_F(OptionsProfileTest, ACopyThatEndsBeforeLoadingSettingsWritesNothing)
{
    theApp.ResetStart();
    theApp.Options().m_excelDate = L"yy";
    theApp.LoadStdProfileSettings(8);
    theApp.AddToRecentFileList(L"C:\\Jobs\\Recent.kest");
    EXPECT_EQ(theApp.ExitInstance(), 0);
    EXPECT_TRUE(Names(L"Options").empty());
    EXPECT_TRUE(Names(L"Settings").empty());
    EXPECT_TRUE(Names(L"Recent File List").empty());

    // Before its profile key is set, a copy would write a private profile file instead.
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring file = std::wstring(folder) + L"KestEarlyCopy.ini";
    DeleteFileW(file.c_str());
    ProfileNames::Set(theApp, nullptr, file.c_str());
    theApp.ExitInstance();
    EXPECT_EQ(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
    theApp.ResetStart();

    // Once the settings were loaded, the exit writes them and the recent files.
    ProfileNames::Set(theApp, ProfileKey, ProfileName);
    theApp.LoadSettings();
    theApp.Options().m_excelDate = L"yy";
    theApp.ExitInstance();
    EXPECT_EQ(std::wstring(static_cast<LPCWSTR>(theApp.GetProfileString(L"Options", L"ExcelDate"))), L"yy");
    EXPECT_EQ(std::wstring(static_cast<LPCWSTR>(theApp.GetProfileString(L"Recent File List", L"File1"))),
              L"C:\\Jobs\\Recent.kest");
    theApp.ResetStart();
}

} // namespace

#include "pagemodel/PathHelpers.h"
#include "pagemodel/RegistryValues.h"
#include "pagemodel/TextTokenizer.h"
#include "pagemodel/VersionInfo.h"
#include "tests/pagemodel/TestFiles.h"

#include <gtest/gtest.h>

#include <cwctype>

namespace {

TEST(CombinePathTest, Joins)
{
    struct Case { std::wstring folder, name; bool testAbsolute; std::wstring expected; };
    const Case cases[] = {
        {L"C:\\Temp", L"00000002", false, L"C:\\Temp\\00000002"},
        {L"C:\\Temp\\", L"\\x.kest", false, L"C:\\Temp\\x.kest"},
        {L"C:/Temp/", L"/x.kest", false, L"C:/Temp/x.kest"},
        {L"C:\\Temp", L"/x.kest", false, L"C:\\Temp\\x.kest"},
        {L"", L"x.kest", true, L"x.kest"},
        {L"C:\\Temp", L"", true, L"C:\\Temp"},
        {L"C:\\Temp", L"D:\\jobs\\x.kest", true, L"D:\\jobs\\x.kest"},
        {L"C:\\Temp", L"\\\\server\\share\\x", true, L"\\\\server\\share\\x"},
        {L"C:\\Temp", L"D:", true, L"C:\\Temp\\D:"},              // two characters: not a drive path
        {L"C:\\Temp", L"D:\\x", false, L"C:\\Temp\\D:\\x"},       // the driver joins without the test
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, CombinePath(c.folder, c.name, c.testAbsolute)) << c.folder.size() << " " << c.name.size();
}

TEST(FileExistsTest, FilesOnly)
{
    TempFile file;
    EXPECT_TRUE(FileExists(file.Path()));
    wchar_t folder[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, folder);
    EXPECT_FALSE(FileExists(folder));
    EXPECT_FALSE(FileExists(std::wstring(file.Path()) + L".missing"));
    EXPECT_FALSE(FileExists(L""));
}

class RegistryValuesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_subKey = L"KestTest" + std::to_wstring(GetCurrentProcessId());
        m_path = std::wstring(kMachineKeyRoot) + L"\\" + m_subKey;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                                 nullptr, &m_key, nullptr));
    }
    void TearDown() override
    {
        RegCloseKey(m_key);
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, m_path.c_str());
    }
    void SetRaw(const wchar_t* name, DWORD type, const void* data, DWORD size)
    {
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(m_key, name, 0, type, static_cast<const BYTE*>(data), size));
    }

    std::wstring m_subKey;
    std::wstring m_path;
    HKEY m_key = nullptr;
};

TEST_F(RegistryValuesTest, Strings)
{
    const wchar_t path[] = L"C:\\Program Files\\Kest\\Kest.exe";
    SetRaw(L"Path", REG_SZ, path, sizeof(path));
    SetRaw(L"Empty", REG_SZ, L"", 0);
    SetRaw(L"JustZero", REG_SZ, L"", sizeof(wchar_t));
    SetRaw(L"Unterminated", REG_SZ, L"abc", 3 * sizeof(wchar_t));
    SetRaw(L"Expand", REG_EXPAND_SZ, L"%TEMP%", 7 * sizeof(wchar_t));
    const DWORD number = 5;
    SetRaw(L"Number", REG_DWORD, &number, sizeof(number));

    struct Case { const wchar_t* name; bool found; std::wstring value; };
    const Case cases[] = {
        {L"Path", true, path},
        {L"Unterminated", true, L"abc"},
        {L"Empty", false, L""},
        {L"JustZero", false, L""},
        {L"Expand", false, L""},
        {L"Number", false, L""},
        {L"Missing", false, L""},
    };
    for (const Case& c : cases) {
        bool found = !c.found;
        EXPECT_EQ(c.value, ReadRegistryString(m_subKey, c.name, found)) << c.name;
        EXPECT_EQ(c.found, found) << c.name;
    }
    bool found = true;
    EXPECT_EQ(L"", ReadRegistryString(m_subKey + L"\\NoSuchKey", L"Path", found));
    EXPECT_FALSE(found);
}

TEST_F(RegistryValuesTest, Dwords)
{
    ASSERT_TRUE(WriteRegistryDword(m_subKey, L"DocumentUnique", 41));
    ASSERT_TRUE(WriteRegistryDword(m_subKey, L"DocumentUnique", 42));
    const unsigned long long wide = 7;
    SetRaw(L"Wide", REG_QWORD, &wide, sizeof(wide));
    const DWORD bytes = 9;
    SetRaw(L"Binary", REG_BINARY, &bytes, sizeof(bytes));
    SetRaw(L"Text", REG_SZ, L"12", 3 * sizeof(wchar_t));

    struct Case { const wchar_t* name; bool found; uint32_t value; };
    const Case cases[] = {
        {L"DocumentUnique", true, 42},
        {L"Wide", false, 0xFFFFFFFF},
        {L"Binary", false, 0xFFFFFFFF},
        {L"Text", false, 0xFFFFFFFF},
        {L"Missing", false, 0xFFFFFFFF},
    };
    for (const Case& c : cases) {
        bool found = !c.found;
        EXPECT_EQ(c.value, ReadRegistryDword(m_subKey, c.name, found)) << c.name;
        EXPECT_EQ(c.found, found) << c.name;
    }

    // Writing creates the key.
    const std::wstring newKey = m_subKey + L"\\Created";
    ASSERT_TRUE(WriteRegistryDword(newKey, L"DocumentUnique", 0xFFFFFFFE));
    bool found = false;
    EXPECT_EQ(0xFFFFFFFEu, ReadRegistryDword(newKey, L"DocumentUnique", found));
    EXPECT_TRUE(found);
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, (m_path + L"\\Created").c_str());
}

TEST(VersionInfoTest, ReadsTheFixedFileVersion)
{
    VersionInfo program;
    EXPECT_NE(std::wstring::npos, program.GetFileName().find(L"test_pagemodel"));

    VersionInfo system(GetModuleHandleW(L"kernel32.dll"));
    ASSERT_TRUE(system.IsValid());
    const std::wstring version = system.GetVersionString();
    int parts = 1;
    for (wchar_t c : version) {
        if (c == L'.')
            ++parts;
        else
            EXPECT_TRUE(std::iswdigit(c)) << version;
    }
    EXPECT_EQ(4, parts) << version;

    VersionInfo unknown(reinterpret_cast<HMODULE>(0x10));
    EXPECT_FALSE(unknown.IsValid());
    EXPECT_EQ(L"", unknown.GetVersionString());
}

std::vector<std::wstring> Tokens(const std::wstring& text, bool trim, const wchar_t* delimiters = nullptr)
{
    TextTokenizer tokenizer(text, delimiters);
    std::vector<std::wstring> tokens;
    std::wstring token;
    while (tokenizer.NextTokenString(token, trim))
        tokens.push_back(token);
    return tokens;
}

TEST(TextTokenizerTest, Splits)
{
    using Tokens_ = std::vector<std::wstring>;
    struct Case { std::wstring text; bool trim; const wchar_t* delimiters; Tokens_ expected; };
    const Case cases[] = {
        {L"  12 345\t6\r\n", false, nullptr, {L"12", L"345", L"6"}},
        {L"", false, nullptr, {}},
        {L" \t\r\n", false, nullptr, {}},
        {L"(12.)", true, nullptr, {L"12"}},
        {L"-- (a) ... b", true, nullptr, {L"a", L"b"}},
        {L"1;2;;3", false, L";", {L"1", L"2", L"3"}},
        {L"a b", false, L";", {L"a b"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, Tokens(c.text, c.trim, c.delimiters)) << c.text.size();
}

TEST(TextTokenizerTest, PointFlag)
{
    // Built from a temporary: the tokens must not point into a string that is gone.
    TextTokenizer tokenizer(std::wstring(L"(12.) 3.5 x. (y)"));
    struct Expected { std::wstring token; bool point; };
    const Expected expected[] = {{L"12", true}, {L"3.5", false}, {L"x", true}, {L"y", false}};
    for (const Expected& e : expected) {
        size_t length = 0;
        bool point = !e.point;
        const wchar_t* token = tokenizer.NextToken(length, point, true);
        ASSERT_NE(nullptr, token);
        EXPECT_EQ(e.token, std::wstring(token, length));
        EXPECT_EQ(e.point, point) << e.token;
    }
    size_t length = 1;
    bool point = true;
    EXPECT_EQ(nullptr, tokenizer.NextToken(length, point, true));
}

} // namespace

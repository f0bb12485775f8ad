#include "pagemodel/RegistryValues.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <string>

namespace
{

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

    struct Case
    {
        const wchar_t* name;
        bool found;
        std::wstring value;
    };
    const Case cases[] = {
        {L"Path", true, path},   {L"Unterminated", true, L"abc"}, {L"Empty", false, L""},   {L"JustZero", false, L""},
        {L"Expand", false, L""}, {L"Number", false, L""},         {L"Missing", false, L""},
    };
    for (const Case& c : cases)
    {
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

    struct Case
    {
        const wchar_t* name;
        bool found;
        uint32_t value;
    };
    const Case cases[] = {
        {L"DocumentUnique", true, 42}, {L"Wide", false, 0xFFFFFFFF},    {L"Binary", false, 0xFFFFFFFF},
        {L"Text", false, 0xFFFFFFFF},  {L"Missing", false, 0xFFFFFFFF},
    };
    for (const Case& c : cases)
    {
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

} // namespace

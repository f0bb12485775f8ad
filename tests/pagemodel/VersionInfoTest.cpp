#include "pagemodel/VersionInfo.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <cwctype>
#include <string>

namespace
{

TEST(VersionInfoTest, ReadsTheFixedFileVersion)
{
    VersionInfo program;
    EXPECT_NE(std::wstring::npos, program.GetFileName().find(L"test_pagemodel"));

    VersionInfo system(GetModuleHandleW(L"kernel32.dll"));
    ASSERT_TRUE(system.IsValid());
    const std::wstring version = system.GetVersionString();
    int parts = 1;
    for (wchar_t c : version)
    {
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

} // namespace

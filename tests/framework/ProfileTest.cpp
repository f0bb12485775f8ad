#include "framework/Afx.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const LPCTSTR kCompany = _T("KestFrameworkTest");
const LPCTSTR kAppName = _T("ProfileApp");

void DeleteTestKey()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, _T("Software\\KestFrameworkTest"));
}

class ProfileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        DeleteTestKey();
        app = std::make_unique<CWinApp>(kAppName);
        app->SetRegistryKey(kCompany);
    }
    void TearDown() override
    {
        app.reset();
        DeleteTestKey();
    }

    // Reads a value straight from the registry, bypassing the framework.
    static bool RawValue(LPCTSTR subKey, LPCTSTR name, DWORD* type)
    {
        HKEY key;
        CString path = CString(_T("Software\\KestFrameworkTest\\ProfileApp\\")) + subKey;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        LONG result = RegQueryValueExW(key, name, nullptr, type, nullptr, nullptr);
        RegCloseKey(key);
        return result == ERROR_SUCCESS;
    }

    std::unique_ptr<CWinApp> app;
};

} // namespace

TEST_F(ProfileTest, ValuesRoundTripThroughTheRegistryWithTheirTypes)
{
    EXPECT_STREQ(kAppName, app->m_pszProfileName);
    EXPECT_EQ(app.get(), AfxGetApp());

    EXPECT_TRUE(app->WriteProfileInt(_T("Options"), _T("Target"), -3));
    EXPECT_TRUE(app->WriteProfileString(_T("Options"), _T("ExcelDate"), _T("dd.mm.yyyy")));
    BYTE bytes[] = {0, 1, 0xFF, 0x80, 7};
    EXPECT_TRUE(app->WriteProfileBinary(_T("Workspace\\Bars\\Bar-1"), _T("State"), bytes, sizeof(bytes)));

    // A fresh application object sees what the first one wrote.
    app = std::make_unique<CWinApp>(kAppName);
    app->SetRegistryKey(kCompany);
    EXPECT_EQ(static_cast<UINT>(-3), app->GetProfileInt(_T("Options"), _T("Target"), 0));
    EXPECT_STREQ(_T("dd.mm.yyyy"), app->GetProfileString(_T("Options"), _T("ExcelDate")));
    LPBYTE data = nullptr;
    UINT size = 0;
    ASSERT_TRUE(app->GetProfileBinary(_T("Workspace\\Bars\\Bar-1"), _T("State"), &data, &size));
    ASSERT_EQ(sizeof(bytes), size);
    EXPECT_EQ(0, memcmp(bytes, data, size));
    delete[] data;

    DWORD type = 0;
    EXPECT_TRUE(RawValue(_T("Options"), _T("Target"), &type));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
    EXPECT_TRUE(RawValue(_T("Workspace\\Bars\\Bar-1"), _T("State"), &type));  // backslashes made subkeys
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
}

TEST_F(ProfileTest, MissingOrMistypedValuesGiveTheDefault)
{
    EXPECT_EQ(static_cast<UINT>(-1), app->GetProfileInt(_T("Options"), _T("Missing"), -1));
    EXPECT_STREQ(_T("\x01\x01"), app->GetProfileString(_T("Options"), _T("Missing"), _T("\x01\x01")));
    LPBYTE data = reinterpret_cast<LPBYTE>(1);
    UINT size = 9;
    EXPECT_FALSE(app->GetProfileBinary(_T("Options"), _T("Missing"), &data, &size));
    EXPECT_EQ(nullptr, data);
    EXPECT_EQ(0u, size);

    // A string where a number is expected, and a short binary value: neither is read as a number.
    app->WriteProfileString(_T("Options"), _T("Number"), _T("12"));
    BYTE two[] = {1, 2};
    app->WriteProfileBinary(_T("Options"), _T("Short"), two, sizeof(two));
    EXPECT_EQ(5u, app->GetProfileInt(_T("Options"), _T("Number"), 5));
    EXPECT_EQ(5u, app->GetProfileInt(_T("Options"), _T("Short"), 5));
    EXPECT_STREQ(_T("d"), app->GetProfileString(_T("Options"), _T("Short"), _T("d")));
}

TEST_F(ProfileTest, StringWithoutTerminatorEndsAtTheDataAndNullsDelete)
{
    HKEY key = app->GetSectionKey(_T("Raw"));
    ASSERT_NE(nullptr, key);
    const wchar_t text[3] = {L'a', L'b', L'c'};  // stored without its zero
    RegSetValueExW(key, _T("Unterminated"), 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof(text));
    RegCloseKey(key);
    EXPECT_STREQ(_T("abc"), app->GetProfileString(_T("Raw"), _T("Unterminated")));

    EXPECT_TRUE(app->WriteProfileString(_T("Raw"), _T("Unterminated"), nullptr));
    EXPECT_STREQ(_T("gone"), app->GetProfileString(_T("Raw"), _T("Unterminated"), _T("gone")));
    app->WriteProfileInt(_T("Raw\\Sub"), _T("Deep"), 1);
    EXPECT_TRUE(app->WriteProfileString(_T("Raw"), nullptr, nullptr));
    DWORD type;
    EXPECT_FALSE(RawValue(_T("Raw\\Sub"), _T("Deep"), &type));
}

TEST(PrivateProfileTest, WithoutRegistryKeyValuesGoToTheProfileFile)
{
    TCHAR dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    CString file = CString(dir) + _T("KestFrameworkTest.ini");
    DeleteFileW(file);
    {
        CWinApp app(_T("IniApp"));
        free(const_cast<LPTSTR>(app.m_pszProfileName));
        app.m_pszProfileName = _tcsdup(file);
        EXPECT_TRUE(app.WriteProfileInt(_T("Settings"), _T("SampleBarHeight"), 120));
        EXPECT_EQ(120u, app.GetProfileInt(_T("Settings"), _T("SampleBarHeight"), 0));
        BYTE bytes[] = {0x00, 0x5A, 0xFF};
        EXPECT_TRUE(app.WriteProfileBinary(_T("Settings"), _T("Blob"), bytes, sizeof(bytes)));
        LPBYTE data = nullptr;
        UINT size = 0;
        ASSERT_TRUE(app.GetProfileBinary(_T("Settings"), _T("Blob"), &data, &size));
        ASSERT_EQ(3u, size);
        EXPECT_EQ(0, memcmp(bytes, data, 3));
        delete[] data;
        // Letters outside the encoding are not taken as bytes.
        app.WriteProfileString(_T("Settings"), _T("Broken"), _T("AZ"));
        EXPECT_FALSE(app.GetProfileBinary(_T("Settings"), _T("Broken"), &data, &size));
    }
    DeleteFileW(file);
}

TEST_F(ProfileTest, RecentFileListKeepsOrderMovesDuplicatesAndDropsTheOldest)
{
    CRecentFileList list(0, _T("Layout File List"), _T("File%d"), 3);
    list.Add(_T("C:\\a.layout"));
    list.Add(_T("C:\\b.layout"));
    list.Add(_T("C:\\c.layout"));
    list.Add(_T("C:\\A.LAYOUT"));  // same file: moves to the top, nothing is lost
    EXPECT_STREQ(_T("C:\\A.LAYOUT"), list[0]);
    EXPECT_STREQ(_T("C:\\c.layout"), list[1]);
    EXPECT_STREQ(_T("C:\\b.layout"), list[2]);
    list.Add(_T("C:\\d.layout"));  // a fourth distinct file pushes the oldest out
    EXPECT_STREQ(_T("C:\\d.layout"), list[0]);
    EXPECT_STREQ(_T("C:\\c.layout"), list[2]);
    list.Remove(1);
    EXPECT_STREQ(_T("C:\\c.layout"), list[1]);
    EXPECT_TRUE(list[2].IsEmpty());
    EXPECT_TRUE(list[7].IsEmpty());

    list.WriteList();
    CRecentFileList reread(0, _T("Layout File List"), _T("File%d"), 3);
    reread.ReadList();
    EXPECT_STREQ(_T("C:\\d.layout"), reread[0]);
    EXPECT_STREQ(_T("C:\\c.layout"), reread[1]);
    EXPECT_TRUE(reread[2].IsEmpty());
    EXPECT_STREQ(_T("C:\\c.layout"), app->GetProfileString(_T("Layout File List"), _T("File2")));
    EXPECT_STREQ(_T("none"), app->GetProfileString(_T("Layout File List"), _T("File3"), _T("none")));
}

TEST_F(ProfileTest, StandardListIsReadAndSavedUnderRecentFileList)
{
    app->WriteProfileString(_T("Recent File List"), _T("File1"), _T("C:\\jobs\\one.kest"));
    app->LoadStdProfileSettings(8);
    ASSERT_NE(nullptr, app->m_pRecentFileList);
    EXPECT_EQ(8, app->m_pRecentFileList->GetSize());
    EXPECT_STREQ(_T("C:\\jobs\\one.kest"), (*app->m_pRecentFileList)[0]);
    app->AddToRecentFileList(_T("C:\\jobs\\two.kest"));
    app->SaveStdProfileSettings();
    EXPECT_STREQ(_T("C:\\jobs\\one.kest"), app->GetProfileString(_T("Recent File List"), _T("File2")));
}

TEST(RecentFileNameTest, DisplayNamesAreAbbreviated)
{
    struct Case { LPCTSTR path; int max; BOOL atLeastName; LPCTSTR want; } cases[] = {
        {_T("C:\\short.kest"), 30, TRUE, _T("C:\\short.kest")},
        {_T("C:\\Program Files\\Kest\\layouts\\jobs\\invoice.layout"), 36, TRUE, _T("C:\\Program Files\\...\\invoice.layout")},
        {_T("C:\\Program Files\\Kest\\layouts\\jobs\\invoice.layout"), 30, TRUE, _T("invoice.layout")},
        {_T("C:\\Program Files\\Kest\\layouts\\jobs\\invoice.layout"), 40, TRUE, _T("C:\\Program Files\\...\\jobs\\invoice.layout")},
        {_T("C:\\Program Files\\Kest\\layouts\\jobs\\invoice.layout"), 20, TRUE, _T("invoice.layout")},
        {_T("C:\\dir\\a-very-long-file-name-indeed.layout"), 10, TRUE, _T("a-very-long-file-name-indeed.layout")},
        {_T("C:\\dir\\a-very-long-file-name-indeed.layout"), 10, FALSE, _T("")},
        {_T("\\\\server\\share\\deep\\deeper\\file.kest"), 30, TRUE, _T("\\\\server\\share\\...\\file.kest")},
        // Shapes without a volume must not run past the text.
        {_T("relative\\folder\\and\\a\\name.kest"), 12, TRUE, _T("name.kest")},
        {_T("\\\\server-without-share-name.kest"), 31, TRUE, _T("server-without-share-name.kest")},
        {_T("C:noslash-but-long-name.kest"), 12, TRUE, _T("noslash-but-long-name.kest")},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(c.want, AfxAbbreviateName(c.path, c.max, c.atLeastName)) << c.path << " " << c.max;

    CRecentFileList list(0, _T("L"), _T("File%d"), 2);
    list[0] = _T("C:\\work\\jobs\\report.kest");
    CString name;
    EXPECT_TRUE(list.GetDisplayName(name, 0, _T("C:\\WORK\\jobs"), 12));
    EXPECT_STREQ(_T("report.kest"), name);
    EXPECT_TRUE(list.GetDisplayName(name, 0, _T("C:\\other"), 8));
    EXPECT_STREQ(_T("C:\\work\\jobs\\report.kest"), name);
    EXPECT_FALSE(list.GetDisplayName(name, 1, nullptr, 0));
}

// File-type entries read back from the classes root, the setup number and the feedback link.
#include "app/FileTypes.h"
#include "tests/app/AppTestSupport.h"

#include <gtest/gtest.h>

namespace
{

std::wstring DefaultValue(const std::wstring& key)
{
    wchar_t text[512] = {};
    DWORD bytes = sizeof(text) - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, text, &bytes) != ERROR_SUCCESS)
        return L"<missing>";
    return text;
}

TEST(FileTypesTest, TheExtensionOpensThroughTheQuotedProgram)
{
    const std::wstring module = L"C:\\Program Files\\Kest\\KEST.exe";
    std::wstring command;
    ASSERT_TRUE(GetShellOpenCommand(module, true, command));
    EXPECT_EQ(command, L"\"C:\\Program Files\\Kest\\KEST.exe\" -input=\"%1\"");
    ASSERT_TRUE(GetShellOpenCommand(module, false, command));
    EXPECT_EQ(command, L"\"C:\\Program Files\\Kest\\KEST.exe\" %1");
    EXPECT_FALSE(GetShellOpenCommand(L"", true, command));

    // A test extension of its own, so the prefix's real entries stay as they are.
    const std::wstring extension = L"kesttypetest";
    ASSERT_TRUE(GetShellOpenCommand(module, true, command));
    ASSERT_TRUE(RegisterFileType(extension, module, command));
    EXPECT_EQ(DefaultValue(L"." + extension), extension + L"file");
    EXPECT_EQ(DefaultValue(extension + L"file\\DefaultIcon"), module + L",1");
    EXPECT_EQ(DefaultValue(extension + L"file\\shell\\open\\command"), command);
    EXPECT_FALSE(RegisterFileType(extension, module, L""));
    RegDeleteTreeW(HKEY_CLASSES_ROOT, (L"." + extension).c_str());
    RegDeleteTreeW(HKEY_CLASSES_ROOT, (extension + L"file").c_str());
    RegDeleteKeyW(HKEY_CLASSES_ROOT, (L"." + extension).c_str());
    RegDeleteKeyW(HKEY_CLASSES_ROOT, (extension + L"file").c_str());
}

TEST(FileTypesTest, SetupNumberComesFromTheSetupProgramsName)
{
    struct Case
    {
        const wchar_t* name;
        int32_t number;
    } cases[] = {
        {L"C:\\Downloads\\Setup-1234.exe", 1234},
        {L"Setup-1234.exe", 1234},
        {L"D:/x/KestSetup-77b.exe", 77},
        {L"C:\\Downloads\\Setup.exe", 0},
        {L"Setup-.exe", 0},
        {L"Setup-99999999999.exe", 0},
        {L"Setup-2147483647.exe", 2147483647},
        {L"", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SetupNumberFromName(c.name), c.number) << c.name;

    // Through the machine-wide value the installer leaves.
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\QuillMere\\KEST", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    const wchar_t name[] = L"C:\\Users\\me\\Downloads\\Setup-1234.exe";
    RegSetValueExW(key, L"SetupExeName", 0, REG_SZ, reinterpret_cast<const BYTE*>(name), sizeof(name));
    EXPECT_EQ(ReadSetupNumber(), 1234);
    RegDeleteValueW(key, L"SetupExeName");
    EXPECT_EQ(ReadSetupNumber(), 0);
    RegCloseKey(key);
}

std::vector<std::wstring> g_opened;

TEST(FileTypesTest, FeedbackOpensTheLinkWithVersionOneAndLinkForty)
{
    EXPECT_EQ(GetWebLinkUrl(1234, FeedbackLinkId), L"https://www.quillmere.com/redirect.php?A=1234&L=40&V=1");
    EXPECT_EQ(GetWebLinkUrl(0, 7), L"https://www.quillmere.com/redirect.php?A=0&L=7&V=1");

    g_opened.clear();
    const ShellOpenFunction saved = theApp.m_shellOpen;
    theApp.m_shellOpen = [](HWND, const std::wstring& target) {
        g_opened.push_back(target);
        return true;
    };
    theApp.m_setupNumber = 55;
    // As the menu sends it: the command reaches the application.
    EXPECT_TRUE(theApp.OnCmdMsg(CCDCApp::FeedbackCommand, CN_COMMAND, nullptr, nullptr));
    theApp.m_shellOpen = saved;
    theApp.m_setupNumber = 0;
    EXPECT_EQ(g_opened, std::vector<std::wstring>{L"https://www.quillmere.com/redirect.php?A=55&L=40&V=1"});
}

} // namespace

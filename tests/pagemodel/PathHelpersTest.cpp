#include "pagemodel/PathHelpers.h"
#include "tests/pagemodel/TestFiles.h"

#include <gtest/gtest.h>

namespace
{

TEST(CombinePathTest, Joins)
{
    struct Case
    {
        std::wstring folder, name;
        bool testAbsolute;
        std::wstring expected;
    };
    const Case cases[] = {
        {L"C:\\Temp", L"00000002", false, L"C:\\Temp\\00000002"},
        {L"C:\\Temp\\", L"\\x.kest", false, L"C:\\Temp\\x.kest"},
        {L"C:/Temp/", L"/x.kest", false, L"C:/Temp/x.kest"},
        {L"C:\\Temp", L"/x.kest", false, L"C:\\Temp\\x.kest"},
        {L"", L"x.kest", true, L"x.kest"},
        {L"C:\\Temp", L"", true, L"C:\\Temp"},
        {L"C:\\Temp", L"D:\\jobs\\x.kest", true, L"D:\\jobs\\x.kest"},
        {L"C:\\Temp", L"\\\\server\\share\\x", true, L"\\\\server\\share\\x"},
        {L"C:\\Temp", L"D:", true, L"C:\\Temp\\D:"},        // two characters: not a drive path
        {L"C:\\Temp", L"D:\\x", false, L"C:\\Temp\\D:\\x"}, // the driver joins without the test
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

} // namespace

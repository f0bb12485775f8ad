// The file an Excel save replaces: set aside, then discarded or put back, and never lost.
#include "table/SetAsideFile.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace
{
// A folder of its own in the temporary folder, emptied and removed at the end.
class Folder
{
public:
    Folder()
    {
        wchar_t temp[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH, temp);
        m_path = std::wstring(temp) + L"kest-aside-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(m_path.c_str(), nullptr);
    }
    ~Folder()
    {
        for (const std::wstring& name : Names())
        {
            const std::wstring path = File(name.c_str());
            if (!DeleteFileW(path.c_str()))
                RemoveDirectoryW(path.c_str());
        }
        RemoveDirectoryW(m_path.c_str());
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    std::wstring File(const wchar_t* name) const { return m_path + L"\\" + name; }
    std::vector<std::wstring> Names() const
    {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW((m_path + L"\\*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE)
            return names;
        do
        {
            const std::wstring name = data.cFileName;
            if (name != L"." && name != L"..")
                names.push_back(name);
        } while (FindNextFileW(find, &data));
        FindClose(find);
        return names;
    }

private:
    std::wstring m_path;
};

void WriteText(const std::wstring& path, const std::string& text)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

std::string ReadText(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "(none)";
    char buffer[256];
    DWORD read = 0;
    ReadFile(file, buffer, sizeof buffer, &read, nullptr);
    CloseHandle(file);
    return std::string(buffer, read);
}

TEST(SetAsideFile, NoFileNothingToKeep)
{
    Folder folder;
    SetAsideFile aside(folder.File(L"report.xlsx"));
    EXPECT_FALSE(aside.IsSetAside());
    EXPECT_TRUE(aside.Restore());
    EXPECT_TRUE(folder.Names().empty());
}

TEST(SetAsideFile, DiscardedAfterASaveOrPutBackOverWhatAFailedOneLeft)
{
    Folder folder;
    const std::wstring path = folder.File(L"report.xlsx");
    WriteText(path, "old");
    {
        SetAsideFile aside(path);
        ASSERT_TRUE(aside.IsSetAside());
        EXPECT_EQ(ReadText(path), "(none)");
        EXPECT_EQ(ReadText(aside.SetAsidePath()), "old");
        WriteText(path, "half a workbook");
        EXPECT_TRUE(aside.Restore());
    }
    EXPECT_EQ(ReadText(path), "old");
    EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"report.xlsx"});
    {
        SetAsideFile aside(path);
        WriteText(path, "new");
        aside.Discard();
    }
    EXPECT_EQ(ReadText(path), "new");
    EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"report.xlsx"});
}

// The user's only copy is never deleted: when it cannot go back, it stays where it was set aside.
TEST(SetAsideFile, AFileThatCannotGoBackStaysWhereItWasSetAside)
{
    Folder folder;
    const std::wstring path = folder.File(L"report.xlsx");
    WriteText(path, "old");
    std::wstring keptAs;
    {
        SetAsideFile aside(path);
        ASSERT_TRUE(aside.IsSetAside());
        ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr)); // something the move cannot replace
        EXPECT_FALSE(aside.Restore());
        keptAs = aside.SetAsidePath();
    }
    EXPECT_EQ(ReadText(keptAs), "old");
}

} // namespace

// The job folder's leftovers: what nobody holds open goes or is found, what a writer or reader
// holds open stays, through the real writers and readers that hold them.
#include "ScratchFiles.h"
#include "pagemodel/AtomicFileWriter.h"
#include "pagemodel/JobFolder.h"
#include "pagemodel/Unzipper.h"
#include "pagemodel/Zipper.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace
{

using Names = std::vector<std::wstring>;

void WriteArchive(const std::wstring& path)
{
    CZipper zipper;
    ASSERT_TRUE(zipper.OpenZip(path.c_str()));
    ASSERT_TRUE(zipper.AddFileToZip(L"Pages.dat", "pages", 5));
    ASSERT_TRUE(zipper.CloseZip());
}

TEST(JobFolderTest, OnlyWhatNobodyHoldsOpenIsRemovedOrFound)
{
    ScratchFolder folder;
    // Left by writes that were killed: a driver's archive and a save's temporary file.
    ASSERT_TRUE(WriteWholeFile(folder.File(L"0000002a.tmp"), Bytes{1, 2, 3}));
    ASSERT_TRUE(WriteWholeFile(folder.File(L"KES1A2B3C4D.tmp"), Bytes{1}));
    // Being written now: a driver's archive and a save in progress.
    CZipper driver;
    ASSERT_TRUE(driver.OpenZip(folder.File(L"0000002b.tmp").c_str()));
    ASSERT_TRUE(driver.AddFileToZip(L"Page0001.bmp", "BM", 2));
    AtomicFileWriter save;
    ASSERT_TRUE(save.Begin(folder.File(L"Shown.kest").c_str()));
    const std::wstring saving = save.GetTemporaryPath().substr(folder.Path().size() + 1);
    // Jobs: one left by a killed copy, one shown by a running copy, one that is a folder.
    WriteArchive(folder.File(L"Left.kest"));
    WriteArchive(folder.File(L"Shown.kest"));
    CUnzipper shown;
    ASSERT_TRUE(shown.Open(folder.File(L"Shown.kest").c_str()));
    ASSERT_TRUE(CreateDirectoryW(folder.File(L"Folder.kest").c_str(), nullptr));

    EXPECT_TRUE(IsFileInUse(folder.File(L"Shown.kest")));
    EXPECT_FALSE(IsFileInUse(folder.File(L"Left.kest")));
    EXPECT_FALSE(IsFileInUse(folder.File(L"Missing.kest")));

    EXPECT_EQ(RemoveUnusedTemporaryFiles(folder.Path()), (Names{L"0000002a.tmp", L"KES1A2B3C4D.tmp"}));
    EXPECT_EQ(FindUnusedWorkFiles(folder.Path()), Names{folder.File(L"Left.kest")});
    EXPECT_TRUE(PathExists(folder.File(L"0000002b.tmp")));
    EXPECT_TRUE(PathExists(folder.File(saving)));

    // Once the writers and the reader are done, nothing holds them.
    ASSERT_TRUE(driver.CloseZip());
    save.Discard();
    ASSERT_TRUE(shown.Close());
    EXPECT_EQ(RemoveUnusedTemporaryFiles(folder.Path() + L"\\"), Names{L"0000002b.tmp"});
    EXPECT_EQ(FindUnusedWorkFiles(folder.Path()), (Names{folder.File(L"Left.kest"), folder.File(L"Shown.kest")}));
    EXPECT_TRUE(RemoveUnusedTemporaryFiles(L"").empty());
    EXPECT_TRUE(FindUnusedWorkFiles(folder.File(L"NoSuchFolder")).empty());
}

} // namespace

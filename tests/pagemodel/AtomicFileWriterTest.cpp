#include "ScratchFiles.h"
#include "pagemodel/AtomicFileWriter.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{

using Names = std::vector<std::wstring>;

Bytes Text(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

std::wstring NamePart(const std::wstring& path)
{
    return path.substr(path.find_last_of(L'\\') + 1);
}

// What a write killed after Begin leaves behind: its temporary file, with part of the data.
std::wstring LeaveKilledWrite(const std::wstring& target)
{
    AtomicFileWriter writer;
    EXPECT_TRUE(writer.Begin(target.c_str()));
    const std::wstring leftover = writer.GetTemporaryPath();
    writer.Discard();
    EXPECT_TRUE(WriteWholeFile(leftover, Text("half a file")));
    return leftover;
}

class AtomicFileWriterTest : public ::testing::Test
{
protected:
    ScratchFolder m_folder;
    std::wstring m_target = m_folder.File(L"table.layout");

    Bytes Content(const std::wstring& path)
    {
        Bytes bytes;
        EXPECT_TRUE(ReadWholeFile(path, bytes)) << "missing file";
        return bytes;
    }
};

TEST_F(AtomicFileWriterTest, TheTargetChangesOnlyOnCommitAndNothingElseStays)
{
    for (const bool existed : {false, true})
    {
        SCOPED_TRACE(existed ? "replacing a file" : "a new file");
        DeleteFileW(m_target.c_str());
        if (existed)
        {
            ASSERT_TRUE(WriteWholeFile(m_target, Text("old")));
        }

        AtomicFileWriter writer;
        ASSERT_TRUE(writer.Begin(m_target.c_str()));
        ASSERT_TRUE(writer.Write("new ", 4));
        ASSERT_TRUE(writer.Write("content", 7));
        EXPECT_EQ(11u, writer.GetCount());
        // Mid-write, readers still see the old file, and the new bytes lie beside it.
        EXPECT_EQ(m_folder.Path() + L"\\", writer.GetTemporaryPath().substr(0, m_folder.Path().size() + 1));
        EXPECT_EQ(existed, PathExists(m_target));
        if (existed)
        {
            EXPECT_EQ(Text("old"), Content(m_target));
        }

        ASSERT_TRUE(writer.Commit());
        EXPECT_EQ(Text("new content"), Content(m_target));
        EXPECT_EQ(Names{L"table.layout"}, m_folder.FileNames());
        EXPECT_FALSE(writer.Commit()) << "a writer commits once";
    }
}

TEST_F(AtomicFileWriterTest, AWriteThatIsNotCommittedLeavesTheTargetAsItWas)
{
    ASSERT_TRUE(WriteWholeFile(m_target, Text("old")));
    {
        AtomicFileWriter dropped;
        ASSERT_TRUE(dropped.Begin(m_target.c_str()));
        ASSERT_TRUE(dropped.Write("partial", 7));
    }
    AtomicFileWriter discarded;
    ASSERT_TRUE(discarded.Begin(m_target.c_str()));
    ASSERT_TRUE(discarded.Write("partial", 7));
    discarded.Discard();
    EXPECT_FALSE(discarded.Write("more", 4));
    EXPECT_FALSE(discarded.Commit());
    EXPECT_EQ(Text("old"), Content(m_target));
    EXPECT_EQ(Names{L"table.layout"}, m_folder.FileNames());
}

TEST_F(AtomicFileWriterTest, WritesThatCannotBeDoneFailAndLeaveNothing)
{
    // A folder cannot be replaced by a file: the rename fails after the bytes were written.
    const std::wstring folderTarget = m_folder.File(L"folder");
    ASSERT_TRUE(CreateDirectoryW(folderTarget.c_str(), nullptr));
    EXPECT_FALSE(AtomicFileWriter::WriteWholeFile(folderTarget.c_str(), "x", 1));
    EXPECT_EQ(Names{L"folder"}, m_folder.FileNames());

    AtomicFileWriter writer;
    EXPECT_FALSE(writer.Begin(m_folder.File(L"missing\\table.layout").c_str()));
    EXPECT_FALSE(writer.Begin(L""));
    EXPECT_FALSE(writer.Begin(nullptr));
    EXPECT_FALSE(writer.Write("x", 1));
    EXPECT_EQ(Names{L"folder"}, m_folder.FileNames());
}

// Windows will not replace a read-only file; wine would. The writer refuses it on both, whether the
// attribute was there before the write began or came while it ran.
TEST_F(AtomicFileWriterTest, AReadOnlyTargetIsRefusedAndKeptAsItWas)
{
    ASSERT_TRUE(AtomicFileWriter::WriteWholeFile(m_target.c_str(), "old", 3));
    ASSERT_TRUE(SetFileAttributesW(m_target.c_str(), FILE_ATTRIBUTE_READONLY));
    AtomicFileWriter refused;
    EXPECT_FALSE(refused.Begin(m_target.c_str()));
    EXPECT_EQ(ERROR_ACCESS_DENIED, GetLastError());
    EXPECT_EQ(Text("old"), Content(m_target));
    EXPECT_EQ(Names{L"table.layout"}, m_folder.FileNames());

    ASSERT_TRUE(SetFileAttributesW(m_target.c_str(), FILE_ATTRIBUTE_NORMAL));
    AtomicFileWriter late;
    ASSERT_TRUE(late.Begin(m_target.c_str()));
    ASSERT_TRUE(late.Write("new", 3));
    ASSERT_TRUE(SetFileAttributesW(m_target.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(late.Commit());
    EXPECT_EQ(Text("old"), Content(m_target));
    EXPECT_EQ(Names{L"table.layout"}, m_folder.FileNames());
    SetFileAttributesW(m_target.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(AtomicFileWriterTest, TheNextWriteOfATargetRemovesOnlyItsOwnLeftovers)
{
    const std::wstring otherTarget = m_folder.File(L"other.layout");
    const std::wstring ours = NamePart(LeaveKilledWrite(m_target));
    const std::wstring oursInOtherCase = NamePart(LeaveKilledWrite(m_folder.File(L"TABLE.LAYOUT")));
    const std::wstring theirs = NamePart(LeaveKilledWrite(otherTarget));
    ASSERT_EQ(0, ours.compare(0, 3, L"KES"));
    ASSERT_EQ(L".tmp", ours.substr(ours.size() - 4));
    // Files of the same look that no write of ours made.
    const std::wstring stem = ours.substr(0, ours.size() - 8);
    const Names foreign = {L"KES1234.tmp", stem + L"12345.tmp", stem + L"WXYZ.tmp", stem + L"1234.txt"};
    for (const std::wstring& name : foreign)
        ASSERT_TRUE(WriteWholeFile(m_folder.File(name), Text("keep")));

    // A write of the same target in progress: its file must survive the sweep.
    AtomicFileWriter live;
    ASSERT_TRUE(live.Begin(m_target.c_str()));
    ASSERT_TRUE(live.Write("live", 4));
    const std::wstring liveName = NamePart(live.GetTemporaryPath());

    ASSERT_TRUE(AtomicFileWriter::WriteWholeFile(m_target.c_str(), "done", 4));
    Names expected = foreign;
    expected.push_back(liveName);
    expected.push_back(theirs);
    expected.push_back(L"table.layout");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, m_folder.FileNames()) << "removed: " << std::string(ours.begin(), ours.end()) << " and "
                                              << std::string(oursInOtherCase.begin(), oursInOtherCase.end());

    ASSERT_TRUE(live.Commit());
    EXPECT_EQ(Text("live"), Content(m_target));
}

} // namespace

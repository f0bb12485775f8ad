#include "ScratchFiles.h"
#include "tests/support/WorkFileBuilder.h"
#include "WorkFileTestSupport.h"
#include "pagemodel/AtomicFileWriter.h"
#include "pagemodel/CDCText.h"
#include "pagemodel/CDCWorkFile.h"
#include "pagemodel/PageWordList.h"
#include "pagemodel/Zipper.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

using Names_ = std::vector<std::string>;

class WorkFileSaveTest : public WorkFileFixture
{
protected:
    // No temporary file stays beside the work file, where saves write them.
    void ExpectNoTemporaryFilesLeft(const std::vector<std::wstring>& expectedInFolder)
    {
        EXPECT_EQ(expectedInFolder, m_folder.FileNames());
    }

    // Marks page n as rewritten by a glyph remap: its text becomes the given word.
    static void ChangePage(CDCWorkFile& file, uint32_t n, const std::wstring& word)
    {
        CDCPage& page = *file.GetPageSet().GetPage(n);
        ASSERT_TRUE(page.IsLoaded());
        for (size_t i = 0; i < page.GetItemCount(); ++i)
        {
            if (page.GetItem(i)->GetType() != CDCItemTypeText)
                continue;
            CDCText& text = *static_cast<CDCText*>(page.GetItem(i));
            text.m_chars.clear();
            for (size_t c = 0; c < word.size(); ++c)
                text.m_chars.emplace_back(uint16_t(word[c]), uint16_t(c * 12), uint16_t(12));
        }
        page.SetChanged(true);
    }
};

TEST_F(WorkFileSaveTest, SaveRewritesChangedPagesInPlaceAndPutsPageListAndLayoutLast)
{
    WorkFileBuilder builder = NumberedPages(3);
    builder.SetLayout(Serialized(TextRecord(L"old layout")));
    ASSERT_TRUE(builder.Write(m_path));
    const std::vector<Entry> before = ReadEntries(m_path);
    ASSERT_EQ((Names_{"Page0001.bmp", "Page0002.bmp", "Page0003.bmp", "Pages.dat", "Page0001.dat", "Page0002.dat",
                      "Page0003.dat", "Page.Layout"}),
              Names(before));

    CDCWorkFile file;
    ASSERT_TRUE(file.Open(m_path.c_str()));
    PageWords(file, 2);
    ChangePage(file, 2, L"remapped");
    const TextRecord layout(L"new layout");
    ASSERT_TRUE(file.Save(m_path.c_str(), &layout, true));
    EXPECT_TRUE(file.IsOpen());
    EXPECT_EQ(m_path, file.GetFileName());

    const std::vector<Entry> after = ReadEntries(m_path);
    ASSERT_EQ((Names_{"Page0001.bmp", "Page0002.bmp", "Page0003.bmp", "Page0001.dat", "Page0002.dat", "Page0003.dat",
                      "Pages.dat", "Page.Layout"}),
              Names(after));
    for (const char* unchanged : {"Page0001.bmp", "Page0002.bmp", "Page0003.bmp", "Page0001.dat", "Page0003.dat"})
    {
        SCOPED_TRACE(unchanged);
        EXPECT_EQ(Find(before, unchanged)->bytes, Find(after, unchanged)->bytes);
        EXPECT_EQ(Find(before, unchanged)->dosDate, Find(after, unchanged)->dosDate);
    }
    EXPECT_NE(Find(before, "Page0002.dat")->bytes, Find(after, "Page0002.dat")->bytes);
    EXPECT_EQ(Find(before, "Page0002.dat")->dosDate, Find(after, "Page0002.dat")->dosDate);
    EXPECT_EQ(Serialized(layout), Find(after, "Page.Layout")->bytes);
    ExpectNoTemporaryFilesLeft({L"job.kest"});

    // The file reads back with the rewritten page, from the archive it now holds open.
    CDCWorkFile reread;
    ASSERT_TRUE(reread.Open(m_path.c_str()));
    EXPECT_EQ((std::vector<std::wstring>{L"remapped"}), PageWords(reread, 2));
    EXPECT_EQ((std::vector<std::wstring>{L"p3"}), PageWords(file, 3));
    TextRecord readLayout;
    ASSERT_TRUE(reread.HasLayout());
    ASSERT_TRUE(reread.LoadLayout(readLayout));
    EXPECT_EQ(L"new layout", readLayout.text);
}

TEST_F(WorkFileSaveTest, LayoutIsReplacedKeptOrDropped)
{
    struct Case
    {
        const char* what;
        bool storedLayout;
        const TextRecord* layout;
        bool replaceLayout;
        const wchar_t* expected; // null: no layout afterwards
    };
    const TextRecord given(L"given");
    const Case cases[] = {
        {"replaced", true, &given, true, L"given"},          {"added", false, &given, true, L"given"},
        {"dropped", true, nullptr, true, nullptr},           {"kept without replacing", true, &given, false, L"stored"},
        {"none stays none", false, nullptr, false, nullptr},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        WorkFileBuilder builder = NumberedPages(1);
        if (c.storedLayout)
            builder.SetLayout(Serialized(TextRecord(L"stored")));
        ASSERT_TRUE(builder.Write(m_path));
        CDCWorkFile file;
        ASSERT_TRUE(file.Open(m_path.c_str()));
        ASSERT_TRUE(file.Save(m_path.c_str(), c.layout, c.replaceLayout));
        ASSERT_EQ(c.expected != nullptr, file.HasLayout());
        if (c.expected)
        {
            TextRecord read;
            ASSERT_TRUE(file.LoadLayout(read));
            EXPECT_EQ(c.expected, read.text);
        }
    }
}

TEST_F(WorkFileSaveTest, SaveAsWritesTheNewFileAndLeavesTheOldOne)
{
    ASSERT_TRUE(NumberedPages(2).Write(m_path));
    Bytes original;
    ASSERT_TRUE(ReadWholeFile(m_path, original));
    CDCWorkFile file;
    ASSERT_TRUE(file.Open(m_path.c_str()));
    PageWords(file, 1);
    ChangePage(file, 1, L"edited");
    const std::wstring copy = m_folder.File(L"copy.kest");
    const TextRecord layout(L"layout");
    ASSERT_TRUE(file.Save(copy.c_str(), &layout, true));
    EXPECT_EQ(copy, file.GetFileName());
    EXPECT_TRUE(file.IsOpen());
    EXPECT_EQ((std::vector<std::wstring>{L"p2"}), PageWords(file, 2)) << "pages load from the new file";
    EXPECT_TRUE(file.HasLayout());

    Bytes old;
    ASSERT_TRUE(ReadWholeFile(m_path, old));
    EXPECT_EQ(original, old);
    CDCWorkFile reread;
    ASSERT_TRUE(reread.Open(copy.c_str()));
    EXPECT_EQ((std::vector<std::wstring>{L"edited"}), PageWords(reread, 1));
    ExpectNoTemporaryFilesLeft({L"copy.kest", L"job.kest"});
}

// A save killed half-way leaves its temporary file; the next save of that file sweeps it.
TEST_F(WorkFileSaveTest, SaveRemovesWhatAKilledSaveOfTheSameFileLeft)
{
    ASSERT_TRUE(NumberedPages(2).Write(m_path));
    const std::wstring other = m_folder.File(L"other.kest");
    ASSERT_TRUE(NumberedPages(1).Write(other));
    std::vector<std::wstring> leftovers;
    for (const std::wstring& target : {m_path, other})
    {
        AtomicFileWriter killed;
        ASSERT_TRUE(killed.Begin(target.c_str()));
        leftovers.push_back(killed.GetTemporaryPath());
        killed.Discard();
        ASSERT_TRUE(WriteWholeFile(leftovers.back(), {'P', 'K', 3, 4}));
    }

    CDCWorkFile file;
    ASSERT_TRUE(file.Open(m_path.c_str()));
    ASSERT_TRUE(file.Save(m_path.c_str(), nullptr, false));
    EXPECT_FALSE(PathExists(leftovers[0]));
    EXPECT_TRUE(PathExists(leftovers[1])) << "another file's leftover is not ours to remove";
    EXPECT_EQ((std::vector<std::wstring>{L"p2"}), PageWords(file, 2));
}

TEST_F(WorkFileSaveTest, FailedSaveLeavesTheOldFileAndNoTemporaryFile)
{
    struct Case
    {
        const char* what;
        const char* extraName;
        bool corruptImage;
        bool breakDirectory; // the directory record of the last entry is damaged
    };
    const Case cases[] = {
        {"a page file beyond the page list", "Page0009.dat", false, false},
        {"an entry that is no page file", "Notes.dat", false, false},
        {"an image that does not read", nullptr, true, false},
        // Saving must not quietly drop the entries behind the break.
        {"a directory that breaks off", nullptr, false, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        WorkFileBuilder builder = NumberedPages(2);
        if (c.extraName)
            builder.AddExtraEntry(c.extraName, {1, 2, 3});
        ASSERT_TRUE(builder.Write(m_path));
        if (c.corruptImage)
        {
            Bytes bytes;
            ASSERT_TRUE(ReadWholeFile(m_path, bytes));
            const size_t local = FindSignature(bytes, kLocalHeaderSignature).at(1);
            PutU32(bytes, local + kLocalCrc, 0xBADBAD);
            PutU32(bytes, FindSignature(bytes, kCentralHeaderSignature).at(1) + kCentralCrc, 0xBADBAD);
            ASSERT_TRUE(WriteWholeFile(m_path, bytes));
        }
        if (c.breakDirectory)
        {
            Bytes bytes;
            ASSERT_TRUE(ReadWholeFile(m_path, bytes));
            PutU32(bytes, FindSignature(bytes, kCentralHeaderSignature).back(), 0x12345678);
            ASSERT_TRUE(WriteWholeFile(m_path, bytes));
        }
        Bytes original;
        ASSERT_TRUE(ReadWholeFile(m_path, original));

        CDCWorkFile file;
        ASSERT_TRUE(file.Open(m_path.c_str()));
        const TextRecord layout(L"layout");
        EXPECT_FALSE(file.Save(m_path.c_str(), &layout, true));
        const std::wstring other = m_folder.File(L"other.kest");
        EXPECT_FALSE(file.Save(other.c_str(), &layout, true));

        Bytes now;
        ASSERT_TRUE(ReadWholeFile(m_path, now));
        EXPECT_EQ(original, now);
        EXPECT_FALSE(PathExists(other));
        EXPECT_TRUE(file.IsOpen());
        EXPECT_EQ(m_path, file.GetFileName());
        EXPECT_EQ((std::vector<std::wstring>{L"p1"}), PageWords(file, 1)) << "still reading the old file";
        ExpectNoTemporaryFilesLeft({L"job.kest"});
    }
}

TEST_F(WorkFileSaveTest, AppendRenumbersTheOtherFilesPagesBehindOurs)
{
    WorkFileBuilder ours = NumberedPages(5, 144, L"a");
    ours.SetLayout(Serialized(TextRecord(L"our layout")));
    ASSERT_TRUE(ours.Write(m_path));
    WorkFileBuilder theirs = NumberedPages(3, 144, L"b");
    theirs.SetLayout(Serialized(TextRecord(L"their layout")));
    const std::wstring job = m_folder.File(L"second.kest");
    ASSERT_TRUE(theirs.Write(job));
    const std::vector<Entry> added = ReadEntries(job);

    CDCWorkFile file;
    ASSERT_TRUE(file.Open(m_path.c_str()));
    EXPECT_EQ((std::vector<std::wstring>{L"a1"}), PageWords(file, 1));
    ASSERT_TRUE(file.AddWorkFile(job.c_str()));
    EXPECT_EQ(8u, file.GetPageCount());
    EXPECT_TRUE(file.GetPageSet().GetPage(1)->IsLoaded()) << "our pages keep their state";
    EXPECT_FALSE(file.GetPageSet().GetPage(6)->IsLoaded());
    EXPECT_EQ((std::vector<std::wstring>{L"b1"}), PageWords(file, 6));
    EXPECT_EQ((std::vector<std::wstring>{L"b3"}), PageWords(file, 8));
    EXPECT_EQ((std::vector<std::wstring>{L"a5"}), PageWords(file, 5));

    const std::vector<Entry> appended = ReadEntries(m_path);
    ASSERT_EQ((Names_{"Page0001.bmp", "Page0002.bmp", "Page0003.bmp", "Page0004.bmp", "Page0005.bmp", "Page0001.dat",
                      "Page0002.dat", "Page0003.dat", "Page0004.dat", "Page0005.dat", "Page.Layout", "Pages.dat",
                      "Page0006.bmp", "Page0007.bmp", "Page0008.bmp", "Page0006.dat", "Page0007.dat", "Page0008.dat"}),
              Names(appended));
    for (int n = 1; n <= 3; ++n)
    {
        for (const char* extension : {".bmp", ".dat"})
        {
            const std::string from = "Page000" + std::to_string(n) + extension;
            const std::string to = "Page000" + std::to_string(n + 5) + extension;
            SCOPED_TRACE(to);
            EXPECT_EQ(Find(added, from)->bytes, Find(appended, to)->bytes);
            EXPECT_EQ(Find(added, from)->dosDate, Find(appended, to)->dosDate);
        }
    }
    TextRecord layout;
    ASSERT_TRUE(file.LoadLayout(layout));
    EXPECT_EQ(L"our layout", layout.text);
    EXPECT_TRUE(PathExists(job)) << "the appended job's file is its owner's to delete";
    ExpectNoTemporaryFilesLeft({L"job.kest", L"second.kest"});

    // A save after the append writes the page list of 8 pages and reads back whole.
    ASSERT_TRUE(file.Save(m_path.c_str(), nullptr, true));
    const std::vector<Entry> saved = ReadEntries(m_path);
    ASSERT_EQ((Names_{"Page0001.bmp", "Page0002.bmp", "Page0003.bmp", "Page0004.bmp", "Page0005.bmp", "Page0001.dat",
                      "Page0002.dat", "Page0003.dat", "Page0004.dat", "Page0005.dat", "Page0006.bmp", "Page0007.bmp",
                      "Page0008.bmp", "Page0006.dat", "Page0007.dat", "Page0008.dat", "Pages.dat"}),
              Names(saved));
    CDCWorkFile reread;
    ASSERT_TRUE(reread.Open(m_path.c_str()));
    ASSERT_EQ(8u, reread.GetPageCount());
    for (uint32_t n = 1; n <= 8; ++n)
    {
        const std::wstring expected = (n <= 5 ? L"a" + std::to_wstring(n) : L"b" + std::to_wstring(n - 5));
        EXPECT_EQ((std::vector<std::wstring>{expected}), PageWords(reread, n));
    }
    ExpectNoTemporaryFilesLeft({L"job.kest", L"second.kest"});
}

TEST_F(WorkFileSaveTest, AppendThatCannotBeDoneChangesNothing)
{
    struct Case
    {
        const char* what;
        uint32_t pages;
        uint32_t resolution;
        const char* extraName; // an entry added to the other file
        bool succeeds;
    };
    const Case cases[] = {
        {"another resolution", 2, 300, nullptr, false},
        {"no pages", 0, 144, nullptr, true},
        {"an entry that is neither page file nor image", 2, 144, "Notes.txt", false},
        {"a page number of 0", 2, 144, "Page0000.bmp", false},
        {"a page beyond the other file's page list", 2, 144, "Page0003.dat", false},
        {"a name too short", 2, 144, ".bmp", false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(NumberedPages(3).Write(m_path));
        Bytes original;
        ASSERT_TRUE(ReadWholeFile(m_path, original));
        WorkFileBuilder theirs = NumberedPages(c.pages, c.resolution);
        if (c.extraName)
            theirs.AddExtraEntry(c.extraName, {9});
        const std::wstring job = m_folder.File(L"second.kest");
        ASSERT_TRUE(theirs.Write(job));

        CDCWorkFile file;
        ASSERT_TRUE(file.Open(m_path.c_str()));
        PageWords(file, 3);
        EXPECT_EQ(c.succeeds, file.AddWorkFile(job.c_str()));
        EXPECT_EQ(3u, file.GetPageCount());
        EXPECT_TRUE(file.GetPageSet().GetPage(3)->IsLoaded());
        EXPECT_TRUE(file.IsOpen());
        EXPECT_EQ((std::vector<std::wstring>{L"p2"}), PageWords(file, 2));
        Bytes now;
        ASSERT_TRUE(ReadWholeFile(m_path, now));
        EXPECT_EQ(original, now);
        ExpectNoTemporaryFilesLeft({L"job.kest", L"second.kest"});
    }
    CDCWorkFile file;
    ASSERT_TRUE(file.Open(m_path.c_str()));
    EXPECT_FALSE(file.AddWorkFile(m_folder.File(L"missing.kest").c_str()));

    CDCWorkFile reread;
    EXPECT_TRUE(reread.Open(m_path.c_str()));
    CDCWorkFile closed;
    EXPECT_FALSE(closed.AddWorkFile(m_path.c_str()));
}

} // namespace

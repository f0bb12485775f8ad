#include "ScratchFiles.h"
#include "tests/support/WorkFileBuilder.h"
#include "WorkFileTestSupport.h"
#include "pagemodel/CDCPageImage.h"
#include "pagemodel/CDCText.h"
#include "pagemodel/CDCWorkFile.h"
#include "pagemodel/PageWordList.h"
#include "pagemodel/Zipper.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{

class WorkFileTest : public WorkFileFixture
{
};

TEST_F(WorkFileTest, OpensThePageListAndKeepsTheNameOnlyOnSuccess)
{
    WorkFileBuilder builder = NumberedPages(2, 0);
    ASSERT_TRUE(builder.Write(m_path));
    CDCWorkFile file;
    ASSERT_TRUE(file.Open(m_path.c_str()));
    EXPECT_EQ(2u, file.GetPageCount());
    EXPECT_EQ(144u, file.GetResolution()) << "a resolution of 0 is read as 144";
    EXPECT_EQ(L"Test document", file.GetPageSet().GetDocumentName());
    EXPECT_EQ(m_path, file.GetFileName());
    EXPECT_FALSE(file.GetPageSet().GetPage(1)->IsLoaded()) << "pages are read on first use";

    const std::wstring garbage = m_folder.File(L"garbage.kest");
    ASSERT_TRUE(WriteWholeFile(garbage, Bytes(100, 'x')));
    EXPECT_FALSE(file.Open(garbage.c_str()));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(L"", file.GetFileName());
    EXPECT_EQ(0u, file.GetPageCount());
}

TEST_F(WorkFileTest, ArchivesWithoutAReadablePageListDoNotOpen)
{
    struct Case
    {
        const char* what;
        Bytes pageSet; // stored as "Pages.dat"; empty: the entry is missing
    };
    const Bytes wrongMagic = {0x19, 0x71, 0xAA, 0x89, 4, 0, 0, 0, 1, 0, 0, 0, 144, 0, 0, 0, 0, 0, 0, 0};
    const Bytes hugeCount = {0x17, 0x71, 0xAA, 0x89, 4, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 144, 0, 0, 0, 0, 0, 0, 0};
    const Bytes truncated = {0x17, 0x71, 0xAA, 0x89, 4, 0, 0, 0, 1, 0};
    // The archive holds one page entry: a list of two pages claims more than was recorded.
    const Bytes twoPages = {0x17, 0x71, 0xAA, 0x89, 4, 0, 0, 0, 2, 0, 0, 0, 144, 0, 0, 0, 0, 0, 0, 0};
    for (const Case& c : {Case{"missing", {}}, Case{"wrong magic", wrongMagic}, Case{"huge page count", hugeCount},
                          Case{"truncated", truncated}, Case{"more pages than page entries", twoPages}})
    {
        SCOPED_TRACE(c.what);
        CZipper zipper(m_path.c_str());
        ASSERT_TRUE(zipper.AddFileToZip(L"Page0001.dat", "x", 1));
        if (!c.pageSet.empty())
        {
            ASSERT_TRUE(zipper.AddFileToZip(L"Pages.dat", c.pageSet.data(), uint32_t(c.pageSet.size())));
        }
        ASSERT_TRUE(zipper.CloseZip());
        CDCWorkFile file;
        EXPECT_FALSE(file.Open(m_path.c_str()));
        EXPECT_FALSE(file.IsOpen());
    }
}

TEST_F(WorkFileTest, UnreadablePageFailsAndLeavesTheWordListAsItWas)
{
    WorkFileBuilder builder = NumberedPages(1);
    builder.AddPage(); // page 2: replaced by a broken entry below
    ASSERT_TRUE(builder.Write(m_path));
    std::vector<Entry> entries = ReadEntries(m_path);
    const Entry* good = Find(entries, "Page0002.dat");
    ASSERT_NE(nullptr, good);

    CDCWorkFile original;
    ASSERT_TRUE(original.Open(m_path.c_str()));
    PageWordList words;
    ASSERT_TRUE(original.GetPageWords(1, m_dc, words));
    ASSERT_EQ(1, words.GetCount());
    // Page numbers outside the page list.
    EXPECT_FALSE(original.GetPageWords(0, m_dc, words));
    EXPECT_FALSE(original.GetPageWords(3, m_dc, words));
    EXPECT_EQ(1, words.GetCount());

    // Page 1's entry cut at every length: each either fails or gives page 1's words.
    Bytes pageOne = Find(entries, "Page0001.dat")->bytes;
    for (size_t length = 0; length < pageOne.size(); ++length)
    {
        SCOPED_TRACE(length);
        const std::wstring cut = m_folder.File(L"cut.kest");
        {
            CZipper zipper(cut.c_str());
            const Bytes& pageSet = Find(entries, "Pages.dat")->bytes;
            ASSERT_TRUE(zipper.AddFileToZip(L"Pages.dat", pageSet.data(), uint32_t(pageSet.size())));
            ASSERT_TRUE(zipper.AddFileToZip(L"Page0001.dat", pageOne.data(), uint32_t(length)));
            // Page 2 keeps its image but lost its items.
            ASSERT_TRUE(zipper.AddFileToZip(L"Page0002.bmp", "BM", 2));
        }
        CDCWorkFile file;
        ASSERT_TRUE(file.Open(cut.c_str()));
        EXPECT_FALSE(file.GetPageWords(1, m_dc, words));
        ASSERT_EQ(1, words.GetCount()) << "the list stays as it was";
        EXPECT_FALSE(file.GetPageSet().GetPage(1)->IsLoaded());
        EXPECT_FALSE(file.GetPageWords(2, m_dc, words)) << "no entry for page 2";
    }
}

// A conversion walks every page and unloads each when done: one page of items at a time.
TEST_F(WorkFileTest, UnloadedPagesAreReadAgainAndChangedPagesKeepTheirItems)
{
    ASSERT_TRUE(NumberedPages(3).Write(m_path));
    CDCWorkFile file;
    ASSERT_TRUE(file.Open(m_path.c_str()));
    for (uint32_t n = 1; n <= 3; ++n)
    {
        SCOPED_TRACE(n);
        EXPECT_EQ((std::vector<std::wstring>{L"p" + std::to_wstring(n)}), PageWords(file, n));
        file.UnloadPage(n);
        EXPECT_FALSE(file.GetPageSet().GetPage(n)->IsLoaded());
        EXPECT_EQ(0u, file.GetPageSet().GetPage(n)->GetItemCount());
    }
    EXPECT_EQ((std::vector<std::wstring>{L"p2"}), PageWords(file, 2)) << "read again from the archive";

    // Changes made in memory exist nowhere else: unloading must not drop them.
    CDCPage& changed = *file.GetPageSet().GetPage(2);
    CDCText& run = *static_cast<CDCText*>(changed.GetItem(changed.GetItemCount() - 1));
    run.m_chars.resize(1);
    changed.SetChanged(true);
    file.UnloadPage(2);
    EXPECT_TRUE(changed.IsLoaded());
    EXPECT_EQ((std::vector<std::wstring>{L"p"}), PageWords(file, 2));
    file.UnloadPage(0);
    file.UnloadPage(4);
    ASSERT_TRUE(file.Save(m_path.c_str(), nullptr, true));
    CDCWorkFile reread;
    ASSERT_TRUE(reread.Open(m_path.c_str()));
    EXPECT_EQ((std::vector<std::wstring>{L"p"}), PageWords(reread, 2));
}

TEST_F(WorkFileTest, PageImagesAreHandedToTheHolder)
{
    WorkFileBuilder builder;
    for (int i = 0; i < 4; ++i)
        builder.AddPage();
    builder.SetImage(1, BlankBitmapFile(40, 30, 1));
    builder.SetImage(2, BlankBitmapFile(17, 5, 24));
    builder.SetImage(3, {});
    Bytes cut = BlankBitmapFile(40, 30, 24);
    cut.resize(cut.size() - 1);
    builder.SetImage(4, cut);
    ASSERT_TRUE(builder.Write(m_path));
    CDCWorkFile file;
    ASSERT_TRUE(file.Open(m_path.c_str()));
    struct Case
    {
        uint32_t page;
        bool loads;
        int width, height, bitCount;
    };
    for (const Case& c : {Case{1, true, 40, 30, 1}, Case{2, true, 17, 5, 24}, Case{3, false, 0, 0, -1},
                          Case{4, false, 0, 0, -1}, Case{5, false, 0, 0, -1}})
    {
        SCOPED_TRACE(c.page);
        CDCPageImage image;
        EXPECT_EQ(c.loads, file.LoadPageImage(c.page, image));
        EXPECT_EQ(c.width, image.GetWidth());
        EXPECT_EQ(c.height, image.GetHeight());
        EXPECT_EQ(c.bitCount, image.GetBitCount());
    }
}

// A run recorded by glyph index reads as characters once the page is loaded, and the
// next save stores the page with the characters.
TEST_F(WorkFileTest, GlyphIndexTextIsMappedAndTheMappedPageIsSaved)
{
    LOGFONTW logFont = {};
    logFont.lfHeight = -20;
    wcscpy(logFont.lfFaceName, L"Arial");
    HFONT font = CreateFontIndirectW(&logFont);
    HGDIOBJ old = SelectObject(m_dc, font);
    WORD glyphs[5] = {};
    ASSERT_EQ(5u, GetGlyphIndicesW(m_dc, L"Total", 5, glyphs, GGI_MARK_NONEXISTING_GLYPHS));
    SelectObject(m_dc, old);
    DeleteObject(font);

    WorkFileBuilder builder = NumberedPages(1);
    CDCPage& page = builder.AddPage();
    AddFontItem(page, L"Arial", 10);
    CDCText run;
    run.m_rect = {10, 10, 110, 30};
    run.m_glyphIndex = 1;
    for (int i = 0; i < 5; ++i)
        run.m_chars.emplace_back(glyphs[i], uint16_t(i * 10), uint16_t(10));
    page.AddItem(run);
    ASSERT_TRUE(builder.Write(m_path));

    CDCWorkFile file;
    ASSERT_TRUE(file.Open(m_path.c_str()));
    EXPECT_EQ((std::vector<std::wstring>{L"Total"}), PageWords(file, 2));
    EXPECT_TRUE(file.GetPageSet().GetPage(2)->IsChanged());
    ASSERT_TRUE(file.Save(m_path.c_str(), nullptr, true));

    CDCWorkFile reread;
    ASSERT_TRUE(reread.Open(m_path.c_str()));
    PageWordList words;
    ASSERT_TRUE(reread.GetPageWords(2, m_dc, words));
    EXPECT_FALSE(reread.GetPageSet().GetPage(2)->IsChanged()) << "stored with characters";
    EXPECT_EQ((std::vector<std::wstring>{L"Total"}), WordTexts(words));
}

// A small file must not cost a large amount of memory: every entry here declares 16 MiB,
// zeros that deflate to a few kilobytes behind a valid record, and only the records are read.
TEST_F(WorkFileTest, EntriesInflateOnlyAsFarAsTheirRecordsGo)
{
    WorkFileBuilder builder = NumberedPages(1);
    builder.SetImage(1, BlankBitmapFile(8, 8, 1));
    builder.SetLayout(Serialized(TextRecord(L"layout")));
    ASSERT_TRUE(builder.Write(m_path));
    const std::vector<Entry> entries = ReadEntries(m_path);
    const size_t padding = 16u << 20;
    {
        CZipper zipper(m_path.c_str());
        for (const Entry& entry : entries)
        {
            Bytes padded = entry.bytes;
            padded.resize(padded.size() + padding);
            ASSERT_TRUE(zipper.AddFileToZip(std::wstring(entry.name.begin(), entry.name.end()).c_str(), padded.data(),
                                            uint32_t(padded.size())));
        }
    }
    CDCWorkFile file;
    ASSERT_TRUE(file.Open(m_path.c_str()));
    EXPECT_EQ((std::vector<std::wstring>{L"p1"}), PageWords(file, 1));
    CDCPageImage image;
    ASSERT_TRUE(file.LoadPageImage(1, image));
    EXPECT_EQ(8, image.GetWidth());
    TextRecord layout;
    ASSERT_TRUE(file.LoadLayout(layout));
    EXPECT_EQ(L"layout", layout.text);
    EXPECT_LT(file.GetBytesInflated(), 64u * 1024) << "the records and the image are a few hundred bytes";

    // A save copies every entry but the page list whole, in pieces.
    const std::wstring copy = m_folder.File(L"copy.kest");
    ASSERT_TRUE(file.Save(copy.c_str(), nullptr, false));
    const std::vector<Entry> copied = ReadEntries(copy);
    ASSERT_EQ(entries.size(), copied.size());
    for (const Entry& entry : copied)
    {
        const Entry& stored = *Find(entries, entry.name);
        const bool rewritten = entry.name == "Pages.dat";
        EXPECT_EQ(stored.bytes.size() + (rewritten ? 0 : padding), entry.bytes.size()) << entry.name;
        EXPECT_TRUE(std::equal(stored.bytes.begin(), stored.bytes.end(), entry.bytes.begin())) << entry.name;
    }
}

// Whatever the damage to a work file, reading it gives a clean failure or the right content.
TEST_F(WorkFileTest, DamagedArchivesFailCleanly)
{
    WorkFileBuilder builder = NumberedPages(2);
    builder.SetImage(1, BlankBitmapFile(8, 8, 1));
    ASSERT_TRUE(builder.Write(m_path));
    Bytes original;
    ASSERT_TRUE(ReadWholeFile(m_path, original));
    const std::wstring damaged = m_folder.File(L"damaged.kest");
    const std::wstring saved = m_folder.File(L"saved.kest");

    auto readEverything = [&](const Bytes& bytes) {
        ASSERT_TRUE(WriteWholeFile(damaged, bytes));
        CDCWorkFile file;
        if (!file.Open(damaged.c_str()))
            return;
        ASSERT_EQ(2u, file.GetPageCount());
        for (uint32_t n = 1; n <= 2; ++n)
        {
            PageWordList words;
            if (file.GetPageWords(n, m_dc, words))
            {
                // A flipped byte inside a character may change a letter, never the shape.
                EXPECT_LE(words.GetCount(), 2);
            }
            CDCPageImage image;
            file.LoadPageImage(n, image);
        }
        if (file.Save(saved.c_str(), nullptr, true))
        {
            CDCWorkFile reread;
            EXPECT_TRUE(reread.Open(saved.c_str()));
        }
    };
    for (size_t length = 0; length < original.size(); ++length)
    {
        SCOPED_TRACE(length);
        readEverything(Bytes(original.begin(), original.begin() + length));
    }
    // Every third byte: each field of three bytes or more gets one of its bytes flipped.
    for (size_t at = 0; at < original.size(); at += 3)
    {
        SCOPED_TRACE(at);
        Bytes flipped = original;
        flipped[at] ^= 0xFF;
        readEverything(flipped);
    }
}

} // namespace

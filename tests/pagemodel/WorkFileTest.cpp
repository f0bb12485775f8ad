#include "ScratchFiles.h"
#include "WorkFileBuilder.h"
#include "WorkFileTestSupport.h"
#include "pagemodel/CDCPageImage.h"
#include "pagemodel/CDCText.h"
#include "pagemodel/CDCWorkFile.h"
#include "pagemodel/PageWordList.h"
#include "pagemodel/Zipper.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

class WorkFileTest : public ::testing::Test
{
protected:
    ScratchFolder folder;
    std::wstring path = folder.File(L"job.kest");
    MemoryDC dc;

    std::vector<std::wstring> PageWords(CDCWorkFile& file, uint32_t n)
    {
        PageWordList words;
        EXPECT_TRUE(file.GetPageWords(n, dc, words)) << "page " << n;
        return WordTexts(words);
    }
};

TEST_F(WorkFileTest, OpensThePageListAndKeepsTheNameOnlyOnSuccess)
{
    WorkFileBuilder builder = NumberedPages(2, 0);
    ASSERT_TRUE(builder.Write(path));
    CDCWorkFile file;
    ASSERT_TRUE(file.Open(path.c_str()));
    EXPECT_EQ(2u, file.GetPageCount());
    EXPECT_EQ(144u, file.GetResolution()) << "a resolution of 0 is read as 144";
    EXPECT_EQ(L"Test document", file.GetPageSet().GetDocumentName());
    EXPECT_EQ(path, file.GetFileName());
    EXPECT_FALSE(file.GetPageSet().GetPage(1)->IsLoaded()) << "pages are read on first use";

    const std::wstring garbage = folder.File(L"garbage.kest");
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
    for (const Case& c : {Case{"missing", {}}, Case{"wrong magic", wrongMagic}, Case{"huge page count", hugeCount},
                          Case{"truncated", truncated}}) {
        SCOPED_TRACE(c.what);
        CZipper zipper(path.c_str());
        ASSERT_TRUE(zipper.AddFileToZip(L"Page0001.dat", "x", 1));
        if (!c.pageSet.empty()) {
            ASSERT_TRUE(zipper.AddFileToZip(L"Pages.dat", c.pageSet.data(), uint32_t(c.pageSet.size())));
        }
        ASSERT_TRUE(zipper.CloseZip());
        CDCWorkFile file;
        EXPECT_FALSE(file.Open(path.c_str()));
        EXPECT_FALSE(file.IsOpen());
    }
}

TEST_F(WorkFileTest, PositionedTextSplitsAtSpacesAndWideGaps)
{
    WorkFileBuilder builder;
    CDCPage& page = builder.AddPage();
    AddFontItem(page, L"Arial", 10);
    // a b space space c d: two words.
    AddPositionedText(page, {100, 10, 200, 30}, L"ab  cd", {0, 8, 16, 24, 32, 40}, {8, 8, 8, 8, 8, 8}, 0x0000FF);
    // a b c d whose c stands far behind b: two words.
    AddPositionedText(page, {100, 50, 400, 70}, L"abcd", {0, 8, 200, 208}, {8, 8, 8, 8});
    ASSERT_TRUE(builder.Write(path));

    CDCWorkFile file;
    ASSERT_TRUE(file.Open(path.c_str()));
    PageWordList words;
    ASSERT_TRUE(file.GetPageWords(1, dc, words));
    ASSERT_EQ((std::vector<std::wstring>{L"ab", L"cd", L"ab", L"cd"}), WordTexts(words));
    struct Expected
    {
        LONG left, top, right, bottom;
    };
    const Expected boxes[] = {{100, 10, 116, 30}, {132, 10, 148, 30}, {100, 50, 116, 70}, {300, 50, 316, 70}};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const ConvertingWord& w = *words.GetAt(i);
        EXPECT_EQ(boxes[i].left, w.m_rect.left);
        EXPECT_EQ(boxes[i].top, w.m_rect.top);
        EXPECT_EQ(boxes[i].right, w.m_rect.right);
        EXPECT_EQ(boxes[i].bottom, w.m_rect.bottom);
        EXPECT_EQ(1000, w.m_fontSize) << "the stored points times 100";
        EXPECT_EQ(i + 1, w.m_sequence);
    }
    EXPECT_EQ(0x0000FF, words.GetAt(0)->m_colour);
    EXPECT_TRUE(file.GetPageSet().GetPage(1)->IsLoaded());
}

// The gap that splits a positioned word is one space of the run's font at the page's
// resolution, as GDI measures it.
TEST_F(WorkFileTest, GapThatSplitsAWordIsOneSpaceOfTheFont)
{
    const uint32_t resolution = 300;
    LOGFONTW logFont = {};
    logFont.lfHeight = -MulDiv(12, resolution, 72);
    wcscpy(logFont.lfFaceName, L"Arial");
    HFONT font = CreateFontIndirectW(&logFont);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE space = {};
    ASSERT_TRUE(GetTextExtentPoint32W(dc, L" ", 1, &space));
    SelectObject(dc, old);
    DeleteObject(font);
    ASSERT_GT(space.cx, 1);

    WorkFileBuilder builder(resolution);
    CDCPage& page = builder.AddPage();
    AddFontItem(page, L"Arial", 12);
    const int s = space.cx;
    // b ends at 20; c at 20 + s still joins, c at 20 + s + 1 starts a new word.
    AddPositionedText(page, {0, 0, 500, 50}, L"abc", {0, 10, 20 + s}, {10, 10, 10});
    AddPositionedText(page, {0, 100, 500, 150}, L"abc", {0, 10, 20 + s + 1}, {10, 10, 10});
    ASSERT_TRUE(builder.Write(path));
    CDCWorkFile file;
    ASSERT_TRUE(file.Open(path.c_str()));
    EXPECT_EQ((std::vector<std::wstring>{L"abc", L"ab", L"c"}), PageWords(file, 1));
}

TEST_F(WorkFileTest, UnpositionedTextIsCutIntoMeasuredTokens)
{
    const uint32_t resolution = 144;
    WorkFileBuilder builder(resolution);
    CDCPage& page = builder.AddPage();
    AddFontItem(page, L"Arial", 10);
    AddUnpositionedText(page, {50, 10, 400, 30}, L"  Net\t1234\r\n");
    AddUnpositionedText(page, {50, 100, 70, 120}, L"  alone ");
    AddUnpositionedText(page, {50, 200, 70, 220}, L" \t ");
    ASSERT_TRUE(builder.Write(path));

    LOGFONTW logFont = {};
    logFont.lfHeight = -MulDiv(10, resolution, 72);
    wcscpy(logFont.lfFaceName, L"Arial");
    HFONT font = CreateFontIndirectW(&logFont);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE net = {}, number = {}, space = {};
    GetTextExtentPoint32W(dc, L"Net", 3, &net);
    GetTextExtentPoint32W(dc, L"1234", 4, &number);
    GetTextExtentPoint32W(dc, L" ", 1, &space);
    SelectObject(dc, old);
    DeleteObject(font);

    CDCWorkFile file;
    ASSERT_TRUE(file.Open(path.c_str()));
    PageWordList words;
    ASSERT_TRUE(file.GetPageWords(1, dc, words));
    ASSERT_EQ((std::vector<std::wstring>{L"Net", L"1234", L"alone"}), WordTexts(words));
    EXPECT_EQ(50, words.GetAt(0)->m_rect.left);
    EXPECT_EQ(50 + net.cx, words.GetAt(0)->m_rect.right);
    EXPECT_EQ(50 + net.cx + space.cx, words.GetAt(1)->m_rect.left);
    EXPECT_EQ(50 + net.cx + space.cx + number.cx, words.GetAt(1)->m_rect.right);
    // A single token keeps the run's rectangle.
    EXPECT_EQ(50, words.GetAt(2)->m_rect.left);
    EXPECT_EQ(70, words.GetAt(2)->m_rect.right);
}

TEST_F(WorkFileTest, RunWithAnEmptyRectangleGivesNoWordsButTheRestOfThePageDoes)
{
    WorkFileBuilder builder;
    CDCPage& page = builder.AddPage();
    AddFontItem(page, L"Arial", 10);
    AddEvenText(page, 10, 10, 30, L"before", 10);
    AddPositionedText(page, {50, 50, 50, 70}, L"flat", {0, 1, 2, 3}, {1, 1, 1, 1});
    AddPositionedText(page, {50, 90, 60, 80}, L"upside", {0, 1, 2, 3, 4, 5}, {1, 1, 1, 1, 1, 1});
    AddPositionedText(page, {50, 100, 60, 120}, L"", {}, {});
    AddEvenText(page, 10, 200, 220, L"after", 10);
    ASSERT_TRUE(builder.Write(path));
    CDCWorkFile file;
    ASSERT_TRUE(file.Open(path.c_str()));
    EXPECT_EQ((std::vector<std::wstring>{L"before", L"after"}), PageWords(file, 1));
}

TEST_F(WorkFileTest, UnreadablePageFailsAndLeavesTheWordListAsItWas)
{
    WorkFileBuilder builder = NumberedPages(1);
    builder.AddPage(); // page 2: replaced by a broken entry below
    ASSERT_TRUE(builder.Write(path));
    std::vector<Entry> entries = ReadEntries(path);
    const Entry* good = Find(entries, "Page0002.dat");
    ASSERT_NE(nullptr, good);

    CDCWorkFile original;
    ASSERT_TRUE(original.Open(path.c_str()));
    PageWordList words;
    ASSERT_TRUE(original.GetPageWords(1, dc, words));
    ASSERT_EQ(1, words.GetCount());
    // Page numbers outside the page list.
    EXPECT_FALSE(original.GetPageWords(0, dc, words));
    EXPECT_FALSE(original.GetPageWords(3, dc, words));
    EXPECT_EQ(1, words.GetCount());

    // Page 1's entry cut at every length: each either fails or gives page 1's words.
    Bytes pageOne = Find(entries, "Page0001.dat")->bytes;
    for (size_t length = 0; length < pageOne.size(); ++length) {
        SCOPED_TRACE(length);
        const std::wstring cut = folder.File(L"cut.kest");
        {
            CZipper zipper(cut.c_str());
            const Bytes& pageSet = Find(entries, "Pages.dat")->bytes;
            ASSERT_TRUE(zipper.AddFileToZip(L"Pages.dat", pageSet.data(), uint32_t(pageSet.size())));
            ASSERT_TRUE(zipper.AddFileToZip(L"Page0001.dat", pageOne.data(), uint32_t(length)));
        }
        CDCWorkFile file;
        ASSERT_TRUE(file.Open(cut.c_str()));
        EXPECT_FALSE(file.GetPageWords(1, dc, words));
        ASSERT_EQ(1, words.GetCount()) << "the list stays as it was";
        EXPECT_FALSE(file.GetPageSet().GetPage(1)->IsLoaded());
        EXPECT_FALSE(file.GetPageWords(2, dc, words)) << "no entry for page 2";
    }
}

// Every font created for measuring is deleted: a page of many runs, read again and again,
// must not use up the process's GDI handles.
TEST_F(WorkFileTest, MeasuringLeavesNoFontBehind)
{
    WorkFileBuilder builder;
    CDCPage& page = builder.AddPage();
    AddFontItem(page, L"Arial", 10);
    for (int i = 0; i < 1000; ++i) {
        const std::wstring number = std::to_wstring(i);
        AddUnpositionedText(page, {10 * (i % 50), 20 * (i / 50), 10 * (i % 50) + 8, 20 * (i / 50) + 15},
                            number + L" " + number, uint32_t(i));
    }
    ASSERT_TRUE(builder.Write(path));
    CDCWorkFile file;
    ASSERT_TRUE(file.Open(path.c_str()));
    const HGDIOBJ fontBefore = GetCurrentObject(dc, OBJ_FONT);
    PageWordList words;
    for (int round = 0; round < 80; ++round)
        ASSERT_TRUE(file.GetPageWords(1, dc, words)) << round;
    EXPECT_EQ(2000, words.GetCount());
    EXPECT_EQ(fontBefore, GetCurrentObject(dc, OBJ_FONT)) << "the device context gets its font back";
    LOGFONTW logFont = {};
    logFont.lfHeight = -12;
    HFONT probe = CreateFontIndirectW(&logFont);
    EXPECT_NE(nullptr, probe) << "GDI handles ran out";
    DeleteObject(probe);
}

TEST_F(WorkFileTest, FaceNameFillingAllCharactersIsTerminated)
{
    WorkFileBuilder builder;
    CDCPage& page = builder.AddPage();
    LOGFONTW logFont = {};
    logFont.lfHeight = 10;
    for (wchar_t& c : logFont.lfFaceName)
        c = L'W';
    page.AddItem(CDCFont(logFont));
    AddUnpositionedText(page, {0, 0, 100, 20}, L"one two");
    ASSERT_TRUE(builder.Write(path));
    CDCWorkFile file;
    ASSERT_TRUE(file.Open(path.c_str()));
    EXPECT_EQ((std::vector<std::wstring>{L"one", L"two"}), PageWords(file, 1));
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
    ASSERT_TRUE(builder.Write(path));
    CDCWorkFile file;
    ASSERT_TRUE(file.Open(path.c_str()));
    struct Case
    {
        uint32_t page;
        bool loads;
        int width, height, bitCount;
    };
    for (const Case& c : {Case{1, true, 40, 30, 1}, Case{2, true, 17, 5, 24}, Case{3, false, 0, 0, -1},
                          Case{4, false, 0, 0, -1}, Case{5, false, 0, 0, -1}}) {
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
    HGDIOBJ old = SelectObject(dc, font);
    WORD glyphs[5] = {};
    ASSERT_EQ(5u, GetGlyphIndicesW(dc, L"Total", 5, glyphs, GGI_MARK_NONEXISTING_GLYPHS));
    SelectObject(dc, old);
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
    ASSERT_TRUE(builder.Write(path));

    CDCWorkFile file;
    ASSERT_TRUE(file.Open(path.c_str()));
    EXPECT_EQ((std::vector<std::wstring>{L"Total"}), PageWords(file, 2));
    EXPECT_TRUE(file.GetPageSet().GetPage(2)->IsChanged());
    ASSERT_TRUE(file.Save(path.c_str(), nullptr, true));

    CDCWorkFile reread;
    ASSERT_TRUE(reread.Open(path.c_str()));
    PageWordList words;
    ASSERT_TRUE(reread.GetPageWords(2, dc, words));
    EXPECT_FALSE(reread.GetPageSet().GetPage(2)->IsChanged()) << "stored with characters";
    EXPECT_EQ((std::vector<std::wstring>{L"Total"}), WordTexts(words));
}

// Whatever the damage to a work file, reading it gives a clean failure or the right content.
TEST_F(WorkFileTest, DamagedArchivesFailCleanly)
{
    WorkFileBuilder builder = NumberedPages(2);
    builder.SetImage(1, BlankBitmapFile(8, 8, 1));
    ASSERT_TRUE(builder.Write(path));
    Bytes original;
    ASSERT_TRUE(ReadWholeFile(path, original));
    const std::wstring damaged = folder.File(L"damaged.kest");
    const std::wstring saved = folder.File(L"saved.kest");

    auto readEverything = [&](const Bytes& bytes) {
        ASSERT_TRUE(WriteWholeFile(damaged, bytes));
        CDCWorkFile file;
        if (!file.Open(damaged.c_str()))
            return;
        ASSERT_EQ(2u, file.GetPageCount());
        for (uint32_t n = 1; n <= 2; ++n) {
            PageWordList words;
            if (file.GetPageWords(n, dc, words)) {
                // A flipped byte inside a character may change a letter, never the shape.
                EXPECT_LE(words.GetCount(), 2);
            }
            CDCPageImage image;
            file.LoadPageImage(n, image);
        }
        if (file.Save(saved.c_str(), nullptr, true)) {
            CDCWorkFile reread;
            EXPECT_TRUE(reread.Open(saved.c_str()));
        }
    };
    for (size_t length = 0; length < original.size(); ++length) {
        SCOPED_TRACE(length);
        readEverything(Bytes(original.begin(), original.begin() + length));
    }
    // Every third byte: each field of three bytes or more gets one of its bytes flipped.
    for (size_t at = 0; at < original.size(); at += 3) {
        SCOPED_TRACE(at);
        Bytes flipped = original;
        flipped[at] ^= 0xFF;
        readEverything(flipped);
    }
}

} // namespace

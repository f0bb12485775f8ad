#include "pagemodel/CDCPage.h"
#include "pagemodel/CDCText.h"
#include "tests/pagemodel/TestFiles.h"

#include <gtest/gtest.h>

#include <type_traits>

namespace {

static_assert(std::is_nothrow_move_constructible<CDCPage>::value,
              "a growing page set must move its pages, keeping their states");

CDCFont MakeFont(LONG height, const wchar_t* face)
{
    CDCFont font;
    font.m_logFont.lfHeight = height;
    wcsncpy(font.m_logFont.lfFaceName, face, LF_FACESIZE - 1);
    return font;
}

CDCText MakeText(LONG left, const std::wstring& characters, BYTE glyphIndex = 0)
{
    CDCText text;
    text.m_rect = RECT{left, 10, left + 10 * LONG(characters.size()), 30};
    text.m_glyphIndex = glyphIndex;
    for (size_t i = 0; i < characters.size(); ++i)
        text.m_chars.emplace_back(uint16_t(characters[i]), uint16_t(10 * i), uint16_t(10));
    return text;
}

CDCPage SamplePage(BYTE glyphIndex = 0)
{
    CDCPage page;
    page.AddFont(MakeFont(12, L"Serif"));
    page.AddItem(MakeText(100, L"Total"));
    page.AddItem(MakeText(200, L"12", glyphIndex));
    return page;
}

std::vector<uint8_t> Saved(const CDCPage& page)
{
    return WrittenBytes([&](OxReadWrite& s) { return page.Save(s); });
}

bool Load(CDCPage& page, const std::vector<uint8_t>& bytes)
{
    return ReadFromBytes(bytes, [&](OxReadWrite& s) { return page.Load(s); });
}

std::wstring TextOf(const CDCPage& page, size_t index)
{
    const CDCItem* item = page.GetItem(index);
    if (item->GetType() != CDCItemTypeText)
        return L"<font>";
    std::wstring text;
    for (const CDCCharInfo& info : static_cast<const CDCText*>(item)->m_chars)
        text += wchar_t(info.m_char);
    return text;
}

TEST(CDCPageTest, EmptyPageIsTwelveBytes)
{
    EXPECT_EQ(ByteWriter().U32(0x89AA7119).U32(4).U32(0).Get(), Saved(CDCPage()));
}

TEST(CDCPageTest, RoundTripAndGlyphFlags)
{
    for (BYTE glyphIndex : {0, 1}) {
        const CDCPage page = SamplePage(glyphIndex);
        CDCPage read;
        ASSERT_TRUE(Load(read, Saved(page)));
        EXPECT_TRUE(read.IsLoaded());
        EXPECT_FALSE(read.IsChanged());
        EXPECT_EQ(glyphIndex, read.GetGlyphFlags());
        ASSERT_EQ(3u, read.GetItemCount());
        EXPECT_TRUE(static_cast<CDCFont*>(read.GetItem(0))->IsEqual(MakeFont(12, L"Serif")));
        EXPECT_EQ(L"Total", TextOf(read, 1));
        EXPECT_EQ(L"12", TextOf(read, 2));
        EXPECT_EQ(Saved(page), Saved(read));
    }
}

TEST(CDCPageTest, PageOfSmallestItemsLoads)
{
    // Texts without characters are the smallest items a page can hold.
    CDCPage page;
    for (int i = 0; i < 3; ++i)
        page.AddItem(MakeText(10 * i, L""));
    const std::vector<uint8_t> bytes = Saved(page);
    ASSERT_EQ(12u + 3 * 26, bytes.size());
    CDCPage read;
    ASSERT_TRUE(Load(read, bytes));
    EXPECT_EQ(3u, read.GetItemCount());
}

TEST(CDCPageTest, OlderVersionsBuiltByteByByte)
{
    // A font, then a text "ab" with offsets (version 3) or spaced evenly (version 2).
    for (uint32_t version : {2u, 3u}) {
        ByteWriter bytes;
        bytes.U32(0x89AA7119).U32(version).U32(2);
        bytes.U8(2).Bytes(std::vector<uint8_t>(92, 0));
        bytes.U8(1).I32(10).I32(30).I32(100).I32(120).U8(1).Wide(L"ab").U32(0xFF).U8(version == 3 ? 0 : 1);
        if (version == 3)
            bytes.I32(0).I32(12);
        CDCPage page;
        ASSERT_TRUE(Load(page, bytes.Get())) << version;
        ASSERT_EQ(2u, page.GetItemCount());
        EXPECT_EQ(1, page.GetGlyphFlags());
        const CDCText* text = static_cast<const CDCText*>(page.GetItem(1));
        const std::vector<CDCCharInfo> expected = version == 3
            ? std::vector<CDCCharInfo>{{'a', 0, 12}, {'b', 12, 8}}
            : std::vector<CDCCharInfo>{{'a', 0, 10}, {'b', 10, 10}};
        EXPECT_EQ(expected, text->m_chars) << version;
        EXPECT_EQ(100, text->m_rect.left);
        EXPECT_EQ(30, text->m_rect.bottom);
    }
}

TEST(CDCPageTest, RejectsForeignAndCorruptFiles)
{
    const std::vector<uint8_t> valid = Saved(SamplePage());
    auto patched = [&](size_t offset, uint32_t value) {
        std::vector<uint8_t> bytes = valid;
        for (int i = 0; i < 4; ++i)
            bytes[offset + i] = uint8_t(value >> (8 * i));
        return bytes;
    };
    std::vector<uint8_t> unknownType = valid;
    unknownType[12] = 3;
    struct Case { const char* what; std::vector<uint8_t> bytes; };
    const Case cases[] = {
        {"page-set magic", patched(0, 0x89AA7117)},
        {"version 5", patched(4, 5)},
        {"version 1", patched(4, 1)},
        {"one item more than stored", patched(8, 4)},
        {"giant item count", patched(8, 0xFFFFFFFF)},
        {"unknown item type", unknownType},
    };
    for (const Case& c : cases) {
        CDCPage page;
        EXPECT_FALSE(Load(page, c.bytes)) << c.what;
        EXPECT_FALSE(page.IsLoaded()) << c.what;
    }
    for (size_t length = 0; length < valid.size(); ++length) {
        CDCPage page;
        EXPECT_FALSE(Load(page, Truncated(valid, length))) << length;
        EXPECT_FALSE(page.IsLoaded());
    }
}

TEST(CDCPageTest, FailedLoadKeepsTheItemsReadSoFar)
{
    std::vector<uint8_t> bytes = Saved(SamplePage());
    bytes.resize(bytes.size() - 1);
    CDCPage page;
    EXPECT_FALSE(Load(page, bytes));
    EXPECT_EQ(2u, page.GetItemCount());
    EXPECT_FALSE(page.IsLoaded());

    // A later load starts from an empty page.
    ASSERT_TRUE(Load(page, Saved(SamplePage())));
    EXPECT_EQ(3u, page.GetItemCount());
}

TEST(CDCPageTest, CopyClonesItemsAndDropsChangedState)
{
    CDCPage page;
    ASSERT_TRUE(Load(page, Saved(SamplePage(1))));
    page.SetChanged(true);

    CDCPage copy(page);
    EXPECT_TRUE(copy.IsLoaded());
    EXPECT_FALSE(copy.IsChanged());
    EXPECT_EQ(0, copy.GetGlyphFlags());
    ASSERT_EQ(3u, copy.GetItemCount());
    EXPECT_NE(page.GetItem(1), copy.GetItem(1));
    static_cast<CDCText*>(copy.GetItem(1))->m_chars.clear();
    EXPECT_EQ(L"Total", TextOf(page, 1)) << "the copy owns clones";

    CDCPage moved(std::move(page));
    EXPECT_TRUE(moved.IsChanged());
    EXPECT_EQ(1, moved.GetGlyphFlags());

    moved.Clear();
    EXPECT_EQ(0u, moved.GetItemCount());
    EXPECT_FALSE(moved.IsLoaded());
    EXPECT_EQ(0, moved.GetGlyphFlags());
    EXPECT_TRUE(moved.IsChanged()) << "Clear keeps the changed state";
}

TEST(CDCPageTest, AddFontDropsRepeatedFonts)
{
    struct Case { const char* what; std::vector<CDCFont> fonts; size_t expectedItems; };
    const Case cases[] = {
        {"all-zero font of a new page", {CDCFont()}, 0},
        {"two equal fonts in a row", {MakeFont(12, L"Serif"), MakeFont(12, L"Serif")}, 1},
        {"different fonts", {MakeFont(12, L"Serif"), MakeFont(10, L"Serif")}, 2},
        {"back to an earlier font", {MakeFont(12, L"Serif"), MakeFont(10, L"Serif"), MakeFont(12, L"Serif")}, 3},
    };
    for (const Case& c : cases) {
        CDCPage page;
        for (const CDCFont& font : c.fonts)
            EXPECT_TRUE(page.AddFont(font));
        EXPECT_EQ(c.expectedItems, page.GetItemCount()) << c.what;
        EXPECT_TRUE(page.GetCurrentFont().IsEqual(c.fonts.back())) << c.what;
    }
}

std::vector<uint8_t> SavedSet(const CDCPageSet& set)
{
    return WrittenBytes([&](OxReadWrite& s) { return set.Save(s); });
}

bool LoadSet(CDCPageSet& set, const std::vector<uint8_t>& bytes)
{
    return ReadFromBytes(bytes, [&](OxReadWrite& s) { return set.Load(s); });
}

TEST(CDCPageSetTest, StoredFormAndRoundTrip)
{
    CDCPageSet set;
    ASSERT_TRUE(set.SetPageCount(3));
    set.SetResolution(300);
    set.SetDocumentName(L"Invoice \x05D0");
    const std::vector<uint8_t> expected =
        ByteWriter().U32(0x89AA7117).U32(4).U32(3).U32(300).Wide(L"Invoice \x05D0").Get();
    EXPECT_EQ(expected, SavedSet(set));

    CDCPageSet read;
    read.SetDocumentName(L"old");
    ASSERT_TRUE(LoadSet(read, expected));
    EXPECT_EQ(3u, read.GetPageCount());
    EXPECT_EQ(300u, read.GetResolution());
    EXPECT_EQ(L"Invoice \x05D0", read.GetDocumentName());
    for (uint32_t n = 1; n <= 3; ++n) {
        ASSERT_NE(nullptr, read.GetPage(n));
        EXPECT_FALSE(read.GetPage(n)->IsLoaded());
    }
    EXPECT_EQ(nullptr, read.GetPage(0));
    EXPECT_EQ(nullptr, read.GetPage(4));
}

TEST(CDCPageSetTest, OlderVersions)
{
    struct Case { uint32_t version; std::vector<uint8_t> bytes; std::wstring name; };
    const Case cases[] = {
        {2, ByteWriter().U32(0x89AA7117).U32(2).U32(2).U32(0).Get(), L""},
        {3, ByteWriter().U32(0x89AA7117).U32(3).U32(2).U32(0).Wide(L"Report").Get(), L"Report"},
    };
    for (const Case& c : cases) {
        CDCPageSet set;
        set.SetDocumentName(L"previous");
        ASSERT_TRUE(LoadSet(set, c.bytes)) << c.version;
        EXPECT_EQ(2u, set.GetPageCount());
        EXPECT_EQ(0u, set.GetResolution());
        EXPECT_EQ(c.name, set.GetDocumentName());
    }
}

TEST(CDCPageSetTest, RejectsForeignAndCorruptFiles)
{
    const std::vector<uint8_t> valid = ByteWriter().U32(0x89AA7117).U32(4).U32(2).U32(144).Wide(L"ab").Get();
    struct Case { const char* what; std::vector<uint8_t> bytes; };
    const Case cases[] = {
        {"page magic", ByteWriter().U32(0x89AA7119).U32(4).U32(2).U32(144).Wide(L"").Get()},
        {"version 5", ByteWriter().U32(0x89AA7117).U32(5).U32(2).U32(144).Wide(L"").Get()},
        {"version 1", ByteWriter().U32(0x89AA7117).U32(1).U32(2).U32(144).Get()},
        {"giant page count", ByteWriter().U32(0x89AA7117).U32(4).U32(0xFFFFFFFF).U32(144).Wide(L"").Get()},
        {"name longer than the file", ByteWriter().U32(0x89AA7117).U32(4).U32(2).U32(144).U32(3).U16('a').Get()},
    };
    for (const Case& c : cases) {
        CDCPageSet set;
        set.SetPageCount(5);
        EXPECT_FALSE(LoadSet(set, c.bytes)) << c.what;
        EXPECT_EQ(0u, set.GetPageCount()) << c.what;
    }
    for (size_t length = 0; length < valid.size(); ++length) {
        CDCPageSet set;
        EXPECT_FALSE(LoadSet(set, Truncated(valid, length))) << length;
    }
}

// The page count is bounded by the caller (a work file: the page entries of its archive),
// not by a fixed figure: the printer driver records any number of pages.
TEST(CDCPageSetTest, PageCountIsBoundedByTheCallersLimit)
{
    const uint32_t count = 150000;
    const std::vector<uint8_t> bytes = ByteWriter().U32(0x89AA7117).U32(4).U32(count).U32(144).Wide(L"").Get();
    for (const uint32_t limit : {count - 1, count, UINT32_MAX}) {
        CDCPageSet set;
        const bool loaded = ReadFromBytes(bytes, [&](OxReadWrite& s) { return set.Load(s, limit); });
        EXPECT_EQ(limit >= count, loaded) << limit;
        EXPECT_EQ(loaded ? count : 0u, set.GetPageCount()) << limit;
    }
}

TEST(CDCPageSetTest, GrowingKeepsThePagesStates)
{
    CDCPageSet set;
    ASSERT_TRUE(set.SetPageCount(1));
    ASSERT_TRUE(Load(*set.GetPage(1), Saved(SamplePage(1))));
    set.GetPage(1)->SetChanged(true);
    ASSERT_TRUE(set.SetPageCount(500));
    EXPECT_TRUE(set.GetPage(1)->IsLoaded());
    EXPECT_TRUE(set.GetPage(1)->IsChanged());
    EXPECT_EQ(1, set.GetPage(1)->GetGlyphFlags());
    EXPECT_EQ(3u, set.GetPage(1)->GetItemCount());
    EXPECT_FALSE(set.GetPage(500)->IsLoaded());

    set.Clear();
    EXPECT_EQ(0u, set.GetPageCount());
    EXPECT_EQ(0u, set.GetResolution());
    EXPECT_TRUE(set.GetDocumentName().empty());
}

} // namespace

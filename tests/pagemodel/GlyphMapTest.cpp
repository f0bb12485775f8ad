#include "pagemodel/CDCPage.h"
#include "pagemodel/OxBuffer.h"
#include "pagemodel/OxReadWrite.h"
#include "pagemodel/CDCText.h"
#include "pagemodel/GlyphMap.h"
#include "pagemodel/SelectedFont.h"
#include "tests/support/MemoryDC.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <vector>

namespace {

int CALLBACK CollectTrueType(const LOGFONTW* logFont, const TEXTMETRICW*, DWORD type, LPARAM found)
{
    if ((type & TRUETYPE_FONTTYPE) != 0 && logFont->lfFaceName[0] != L'@') {
        *reinterpret_cast<std::wstring*>(found) = logFont->lfFaceName;
        return 0;
    }
    return 1;
}

// A TrueType face this machine has; the tests compare with what GDI reports for it.
LOGFONTW TestFont()
{
    static std::wstring face;
    if (face.empty()) {
        MemoryDC dc;
        for (const wchar_t* preferred : {L"DejaVu Sans", L"Tahoma", L"Arial"}) {
            LOGFONTW wanted = {};
            wcscpy(wanted.lfFaceName, preferred);
            EnumFontFamiliesExW(dc, &wanted, CollectTrueType, reinterpret_cast<LPARAM>(&face), 0);
            if (!face.empty())
                break;
        }
        if (face.empty()) {
            LOGFONTW any = {};
            any.lfCharSet = DEFAULT_CHARSET;
            EnumFontFamiliesExW(dc, &any, CollectTrueType, reinterpret_cast<LPARAM>(&face), 0);
        }
    }
    LOGFONTW logFont = {};
    logFont.lfHeight = 12;
    wcsncpy(logFont.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return logFont;
}

// The glyph GDI itself gives the character in the font.
WORD GlyphOf(HDC dc, const LOGFONTW& logFont, wchar_t character)
{
    HFONT font = CreateFontIndirectW(&logFont);
    HGDIOBJ old = SelectObject(dc, font);
    WORD glyph = 0xFFFF;
    GetGlyphIndicesW(dc, &character, 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS);
    SelectObject(dc, old);
    DeleteObject(font);
    return glyph;
}

TEST(GlyphMapTest, FontKey)
{
    LOGFONTW logFont = {};
    wcscpy(logFont.lfFaceName, L"Arial");
    logFont.lfHeight = 12;
    logFont.lfWeight = 700;
    logFont.lfItalic = 1;
    logFont.lfUnderline = 1;
    logFont.lfPitchAndFamily = 34;
    logFont.lfCharSet = 177;   // not part of the key
    logFont.lfWidth = 9;
    EXPECT_EQ(L"Arial|12|700|3|34", GetGlyphMapKey(logFont));

    LOGFONTW struck = {};
    struck.lfHeight = -16;
    struck.lfStrikeOut = 1;
    EXPECT_EQ(L"|-16|0|4|0", GetGlyphMapKey(struck));

    // A face name that fills all 32 characters, followed in memory by more text.
    struct { LOGFONTW logFont; wchar_t after[4]; } full = {};
    for (int i = 0; i < LF_FACESIZE; ++i)
        full.logFont.lfFaceName[i] = wchar_t(L'a' + i % 26);
    wcscpy(full.after, L"XYZ");
    const std::wstring key = GetGlyphMapKey(full.logFont);
    EXPECT_EQ(std::wstring(full.logFont.lfFaceName, LF_FACESIZE) + L"|0|0|0|0", key);
}

TEST(GlyphMapTest, MapsGlyphsBackToTheCharactersGdiReports)
{
    MemoryDC dc;
    const LOGFONTW logFont = TestFont();
    ASSERT_NE(L'\0', logFont.lfFaceName[0]) << "no TrueType font on this machine";
    HGDIOBJ before = GetCurrentObject(dc, OBJ_FONT);
    GlyphCharMap map;
    ASSERT_TRUE(BuildGlyphMap(map, logFont, dc));
    EXPECT_EQ(before, GetCurrentObject(dc, OBJ_FONT)) << "the old font is selected back";
    for (wchar_t c : std::wstring(L"ABCxyz0129.,")) {
        const WORD glyph = GlyphOf(dc, logFont, c);
        ASSERT_NE(0xFFFF, glyph);
        ASSERT_EQ(1u, map.count(glyph)) << wchar_t(c);
        EXPECT_EQ(uint16_t(c), map[glyph]) << wchar_t(c);
    }
    EXPECT_EQ(0u, map.count(0xFFFF)) << "the mark of missing glyphs is no glyph";
}

TEST(GlyphMapTest, SharedGlyphGivesTheCharacterListedFirst)
{
    MemoryDC dc;
    const LOGFONTW logFont = TestFont();
    HFONT font = CreateFontIndirectW(&logFont);
    HGDIOBJ old = SelectObject(dc, font);
    std::vector<BYTE> block(GetFontUnicodeRanges(dc, nullptr));
    ASSERT_GE(block.size(), sizeof(GLYPHSET));
    GLYPHSET* set = reinterpret_cast<GLYPHSET*>(block.data());
    GetFontUnicodeRanges(dc, set);
    // Walk the coverage in GDI's order and note the first character of the first shared glyph.
    std::map<WORD, wchar_t> firstSeen;
    WORD shared = 0xFFFF;
    wchar_t first = 0;
    for (DWORD r = 0; r < set->cRanges && shared == 0xFFFF; ++r) {
        for (USHORT i = 0; i < set->ranges[r].cGlyphs; ++i) {
            const wchar_t c = wchar_t(set->ranges[r].wcLow + i);
            WORD glyph = 0xFFFF;
            GetGlyphIndicesW(dc, &c, 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS);
            if (glyph == 0xFFFF)
                continue;
            const auto seen = firstSeen.emplace(glyph, c);
            if (!seen.second) {
                shared = glyph;
                first = seen.first->second;
                break;
            }
        }
    }
    SelectObject(dc, old);
    DeleteObject(font);
    if (shared == 0xFFFF)
        GTEST_SKIP() << "the font draws no two characters with one glyph";
    GlyphCharMap map;
    ASSERT_TRUE(BuildGlyphMap(map, logFont, dc));
    EXPECT_EQ(uint16_t(first), map[shared]);
}

TEST(GlyphMapTest, FontsAreDeletedAndRestored)
{
    MemoryDC dc;
    const LOGFONTW logFont = TestFont();
    HGDIOBJ before = GetCurrentObject(dc, OBJ_FONT);
    HFONT created = nullptr;
    {
        SelectedFont font(dc, logFont);
        ASSERT_TRUE(font.IsValid());
        created = font.GetHandle();
        EXPECT_EQ(created, GetCurrentObject(dc, OBJ_FONT));
    }
    EXPECT_EQ(before, GetCurrentObject(dc, OBJ_FONT));
    EXPECT_EQ(0u, GetObjectType(created)) << "the font was deleted";

    // A face name without its terminator is cut to 31 characters, not read past its end.
    struct { LOGFONTW logFont; wchar_t after[8]; } full = {};
    full.logFont.lfHeight = 12;
    for (int i = 0; i < LF_FACESIZE; ++i)
        full.logFont.lfFaceName[i] = L'Q';
    wcscpy(full.after, L"garbage");
    SelectedFont font(dc, full.logFont);
    ASSERT_TRUE(font.IsValid());
    LOGFONTW used = {};
    ASSERT_EQ(int(sizeof(used)), GetObjectW(font.GetHandle(), sizeof(used), &used));
    EXPECT_EQ(std::wstring(LF_FACESIZE - 1, L'Q'), std::wstring(used.lfFaceName));
}

TEST(GlyphMapTest, CacheKeepsBuiltMapsAndForgetsFailures)
{
    MemoryDC dc;
    const LOGFONTW logFont = TestFont();
    GlyphMapCache cache;
    GlyphCharMap* map = GetGlyphMap(cache, logFont, dc);
    ASSERT_NE(nullptr, map);
    EXPECT_FALSE(map->empty());
    EXPECT_EQ(map, GetGlyphMap(cache, logFont, dc));
    EXPECT_EQ(1u, cache.size());

    HDC gone = CreateCompatibleDC(nullptr);
    DeleteDC(gone);
    LOGFONTW other = logFont;
    other.lfWeight = 700;
    EXPECT_EQ(nullptr, GetGlyphMap(cache, other, gone));
    EXPECT_EQ(1u, cache.size()) << "a failed build leaves no key behind";
    EXPECT_EQ(map, GetGlyphMap(cache, logFont, gone)) << "cached maps need no device context";

    GlyphMapCache screenCache;
    EXPECT_NE(nullptr, GetGlyphMapOnScreenDC(screenCache, logFont));
}

CDCText GlyphText(const std::vector<uint16_t>& glyphs, BYTE flag)
{
    CDCText text;
    text.m_rect = RECT{0, 0, 100, 20};
    text.m_glyphIndex = flag;
    for (size_t i = 0; i < glyphs.size(); ++i)
        text.m_chars.emplace_back(glyphs[i], uint16_t(10 * i), uint16_t(10));
    return text;
}

std::wstring Characters(const CDCPage& page, size_t index)
{
    std::wstring text;
    for (const CDCCharInfo& info : static_cast<const CDCText*>(page.GetItem(index))->m_chars)
        text += wchar_t(info.m_char);
    return text;
}

// A loaded page: the font, a flagged text of A, a glyph the font lacks, and C, and an unflagged text.
CDCPage GlyphPage(HDC dc, const LOGFONTW& logFont)
{
    GlyphCharMap map;
    BuildGlyphMap(map, logFont, dc);
    const uint16_t unknown = uint16_t(map.rbegin()->first + 1);
    CDCPage source;
    source.AddFont(CDCFont(logFont));
    source.AddItem(GlyphText({GlyphOf(dc, logFont, L'A'), unknown, GlyphOf(dc, logFont, L'C')}, 1));
    source.AddItem(GlyphText({L'x', L'y'}, 0));
    OxBuffer buffer;
    OxReadWriteBuffer writer(buffer);
    source.Save(writer);
    OxReadWriteBuffer reader(buffer);
    CDCPage page;
    page.Load(reader);
    return page;
}

TEST(RemapGlyphTextTest, MapsFlaggedTextsAndDropsUnknownGlyphs)
{
    MemoryDC dc;
    CDCPage page = GlyphPage(dc, TestFont());
    ASSERT_EQ(1, page.GetGlyphFlags());
    RemapGlyphText(page, dc);
    EXPECT_TRUE(page.IsChanged());
    const CDCText* mapped = static_cast<const CDCText*>(page.GetItem(1));
    EXPECT_EQ(0, mapped->m_glyphIndex);
    EXPECT_EQ(L"AC", Characters(page, 1));
    ASSERT_EQ(2u, mapped->m_chars.size());
    EXPECT_EQ(20, mapped->m_chars[1].m_x) << "the third character keeps its place";
    EXPECT_EQ(L"xy", Characters(page, 2)) << "unflagged text untouched";
}

TEST(RemapGlyphTextTest, WithoutAMapTheTextStaysAsItWas)
{
    MemoryDC dc;
    CDCPage page = GlyphPage(dc, TestFont());
    const std::wstring before = Characters(page, 1);
    HDC gone = CreateCompatibleDC(nullptr);
    DeleteDC(gone);
    RemapGlyphText(page, gone);
    EXPECT_FALSE(page.IsChanged());
    EXPECT_EQ(1, static_cast<const CDCText*>(page.GetItem(1))->m_glyphIndex);
    EXPECT_EQ(before, Characters(page, 1));
}

TEST(RemapGlyphTextTest, PageWithoutGlyphTextsIsLeftAlone)
{
    MemoryDC dc;
    CDCPage page;
    page.AddFont(CDCFont(TestFont()));
    page.AddItem(GlyphText({36, 38}, 1));   // flagged, but the page was not loaded: no glyph flags
    RemapGlyphText(page, dc);
    EXPECT_FALSE(page.IsChanged());
    EXPECT_EQ(1, static_cast<const CDCText*>(page.GetItem(1))->m_glyphIndex);
}

} // namespace

#include "pagemodel/GlyphMap.h"

#include "pagemodel/CDCPage.h"
#include "pagemodel/CDCText.h"
#include "pagemodel/SelectedFont.h"

#include <algorithm>
#include <cstddef>
#include <cwchar>
#include <vector>

namespace {

const WORD kMissingGlyph = 0xFFFF;

} // namespace

std::wstring GetGlyphMapKey(const LOGFONTW& logFont)
{
    // The stored face name need not be terminated within its 32 characters.
    std::wstring key(logFont.lfFaceName, wcsnlen(logFont.lfFaceName, LF_FACESIZE));
    const int style = (logFont.lfStrikeOut ? 4 : 0) + (logFont.lfUnderline ? 2 : 0) + (logFont.lfItalic ? 1 : 0);
    key += L"|" + std::to_wstring(logFont.lfHeight) + L"|" + std::to_wstring(logFont.lfWeight) + L"|"
        + std::to_wstring(style) + L"|" + std::to_wstring(unsigned(logFont.lfPitchAndFamily));
    return key;
}

bool BuildGlyphMap(GlyphCharMap& map, const LOGFONTW& logFont, HDC dc)
{
    SelectedFont font(dc, logFont);
    if (!font.IsValid())
        return false;
    const DWORD size = GetFontUnicodeRanges(dc, nullptr);
    if (size < sizeof(GLYPHSET))
        return true;
    std::vector<BYTE> block(size);
    GLYPHSET* glyphSet = reinterpret_cast<GLYPHSET*>(block.data());
    glyphSet->cbThis = size;
    if (GetFontUnicodeRanges(dc, glyphSet) != size)
        return false;
    const DWORD rangeCount =
        (std::min)(glyphSet->cRanges, DWORD((size - offsetof(GLYPHSET, ranges)) / sizeof(WCRANGE)));
    for (DWORD r = 0; r < rangeCount; ++r) {
        const WCRANGE& range = glyphSet->ranges[r];
        for (uint32_t i = 0; i < range.cGlyphs; ++i) {
            const uint32_t code = uint32_t(range.wcLow) + i;
            if (code > 0xFFFF)
                break;
            const wchar_t character = wchar_t(code);
            WORD glyph = 0;
            if (GetGlyphIndicesW(dc, &character, 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS) != 1)
                return false;
            if (glyph != kMissingGlyph)
                map.emplace(uint16_t(glyph), uint16_t(character));
        }
    }
    return true;
}

GlyphCharMap* GetGlyphMap(GlyphMapCache& cache, const LOGFONTW& logFont, HDC dc)
{
    const std::wstring key = GetGlyphMapKey(logFont);
    const auto found = cache.find(key);
    if (found != cache.end())
        return &found->second;
    const auto inserted = cache.emplace(key, GlyphCharMap()).first;
    if (BuildGlyphMap(inserted->second, logFont, dc) && !inserted->second.empty())
        return &inserted->second;
    cache.erase(inserted);
    return nullptr;
}

GlyphCharMap* GetGlyphMapOnScreenDC(GlyphMapCache& cache, const LOGFONTW& logFont)
{
    HDC screen = GetDC(nullptr);
    if (screen == nullptr)
        return nullptr;
    GlyphCharMap* map = GetGlyphMap(cache, logFont, screen);
    ReleaseDC(nullptr, screen);
    return map;
}

void RemapGlyphText(CDCPage& page, HDC dc)
{
    if (page.GetGlyphFlags() == 0)
        return;
    GlyphMapCache cache;
    LOGFONTW logFont = {};
    for (size_t i = 0; i < page.GetItemCount(); ++i) {
        CDCItem* item = page.GetItem(i);
        if (item->GetType() == CDCItemTypeFont) {
            logFont = static_cast<CDCFont*>(item)->m_logFont;
            continue;
        }
        if (item->GetType() != CDCItemTypeText)
            continue;
        CDCText& text = *static_cast<CDCText*>(item);
        if (text.m_glyphIndex == 0 || text.m_chars.empty())
            continue;
        const GlyphCharMap* map = GetGlyphMap(cache, logFont, dc);
        if (map == nullptr)
            continue;
        std::vector<CDCCharInfo> mapped;
        mapped.reserve(text.m_chars.size());
        for (const CDCCharInfo& info : text.m_chars) {
            const auto found = map->find(info.m_char);
            if (found != map->end())
                mapped.emplace_back(found->second, info.m_x, info.m_width);
        }
        text.m_chars.swap(mapped);
        text.m_glyphIndex = 0;
        page.SetChanged(true);
    }
}

#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>

class CDCPage;

// Glyph index -> the character the font draws with it, for one font.
using GlyphCharMap = std::map<uint16_t, uint16_t>;
// Font key -> its map.
using GlyphMapCache = std::map<std::wstring, GlyphCharMap>;

// Face name (at most 32 characters), height, weight, style bits (4 strike-out,
// 2 underline, 1 italic) and pitch-and-family, joined by "|".
std::wstring GetGlyphMapKey(const LOGFONTW& logFont);

// Fills the map from the font's Unicode coverage on the device context; the first
// character found for a glyph wins. A font without coverage leaves the map as it is.
bool BuildGlyphMap(GlyphCharMap& map, const LOGFONTW& logFont, HDC dc);
// The font's map from the cache, or newly built. Null when building fails or finds
// no glyph at all (such a map would erase every character it was applied to).
GlyphCharMap* GetGlyphMap(GlyphMapCache& cache, const LOGFONTW& logFont, HDC dc);
// GetGlyphMap on the screen's device context, taken for the call.
GlyphCharMap* GetGlyphMapOnScreenDC(GlyphMapCache& cache, const LOGFONTW& logFont);

// Turns the glyph indices of a loaded page's flagged texts back into characters with
// the fonts the page records; glyphs the font does not know are dropped. A text
// whose font gives no map stays as it is. Marks the page changed when a text was mapped.
void RemapGlyphText(CDCPage& page, HDC dc);

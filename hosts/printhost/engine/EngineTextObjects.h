// The engine's text objects (fonts with their metrics and transform, strings with their glyph
// positions, solid brushes) made from real GDI fonts, and the engine's own text output.
#pragma once

#include "driver/DriverDdi.h"

#include <memory>
#include <string>
#include <vector>

namespace standin {

// The number of glyphs STROBJ_bEnum hands out per batch (so that long strings come in several).
void SetGlyphBatchSize(ULONG glyphs);

// A font of the page: a GDI font of the given logical font in device pixels.
struct EngineFont
{
    FONTOBJ object{};          // first: a FONTOBJ pointer leads back to its EngineFont
    struct Transform
    {
        XFORMOBJ object{};     // first: an XFORMOBJ pointer leads back to its transform
        XFORML xform{};
    } transform;
    LOGFONTW logicalFont{};
    HFONT font = nullptr;
    HDC dc = nullptr;
    HGDIOBJ previousFont = nullptr;
    std::vector<BYTE> metrics;  // IFIMETRICS followed by the family name; empty without outline metrics
    LONG ascent = 0;
    LONG descent = 0;
    bool fixedPitch = false;

    // Null when GDI cannot make the font.
    static std::unique_ptr<EngineFont> Create(const LOGFONTW& deviceFont, ULONG dpi);
    ~EngineFont();

    std::vector<WORD> GlyphIndices(const std::wstring& text) const;
};

// One string of a text output call.
struct EngineString
{
    STROBJ object{};           // first: an STROBJ pointer leads back to its EngineString
    std::wstring text;         // what pwszOrg points at
    std::vector<GLYPHPOS> positions;
    std::vector<LONG> advances;  // pixels
    ULONG cursor = 0;

    // glyphs: glyph indices; origins: glyph origins on the baseline in device pixels.
    EngineString(const std::wstring& original, bool byGlyphIndex, const std::vector<WORD>& glyphs,
                 const std::vector<POINTL>& origins, const std::vector<LONG>& advanceWidths,
                 const RECTL& background, ULONG charIncrement);
};

struct EngineBrush
{
    BRUSHOBJ object{};
    COLORREF colour = 0;

    explicit EngineBrush(COLORREF rgb);
};

} // namespace standin

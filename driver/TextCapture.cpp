#include "driver/TextCapture.h"

#include "driver/DriverErrors.h"
#include "driver/DriverPDEV.h"
#include "driver/JobEnvironment.h"
#include "driver/PrintJob.h"

#include "pagemodel/CDCPage.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// The word builder reads offsets and widths as signed 16-bit numbers: beyond this they would
// come back negative.
constexpr LONG kMaxOffset = 0x7FFF;
constexpr int kFaceNameLength = LF_FACESIZE - 1;  // room for the terminating zero

uint16_t ClampWidth(LONG width)
{
    return static_cast<uint16_t>((std::min)((std::max)(width, 0L), kMaxOffset));
}

// The characters of the string with their positions: fixed pitch, the engine's positions and
// advance widths, or (when neither gives them) every character at the left edge without width.
// False when the positions cannot be enumerated.
bool CaptureCharacters(STROBJ* string, std::vector<CapturedChar>& chars)
{
    const LONG left = string->rclBkGround.left;
    const ULONG count = string->cGlyphs;
    const WCHAR* text = string->pwszOrg;
    chars.clear();
    if (!text || count == 0)
        return true;

    if (string->ulCharInc)
    {
        const LONG increment = static_cast<LONG>(string->ulCharInc);
        for (ULONG i = 0; i < count; ++i)
            chars.push_back({text[i], left + static_cast<LONG>(i) * increment, increment});
        return true;
    }

    std::vector<LONG> positions;
    STROBJ_vEnumStart(string);
    for (;;)
    {
        ULONG batch = 0;
        GLYPHPOS* glyphs = nullptr;
        const BOOL more = STROBJ_bEnum(string, &batch, &glyphs);
        if (DriverFaultForced(kErrorEnumerateGlyphs) || static_cast<ULONG>(more) == DDI_ERROR)
            return false;
        for (ULONG i = 0; glyphs && i < batch; ++i)
            positions.push_back(glyphs[i].ptl.x);
        // Every batch is read; an engine that never ends is not followed past the string.
        if (!more || positions.size() > count)
            break;
    }
    if (positions.size() == count)
    {
        std::vector<POINTQF> advances(count);
        if (STROBJ_bGetAdvanceWidths(string, 0, count, advances.data()))
        {
            for (ULONG i = 0; i < count; ++i)
                chars.push_back({text[i], positions[i], static_cast<LONG>(advances[i].x.QuadPart >> 36)});
        }
    }
    if (chars.empty())
    {
        for (ULONG i = 0; i < count; ++i)
            chars.push_back({text[i], left, 0});
    }
    return true;
}

// With the font's glyph map each glyph index becomes its character; a glyph the map lacks is dropped.
void MapGlyphs(const GlyphCharMap& map, std::vector<CapturedChar>& chars)
{
    std::vector<CapturedChar> mapped;
    for (const CapturedChar& c : chars)
    {
        auto found = map.find(c.character);
        if (found != map.end())
            mapped.push_back({found->second, c.x, c.width});
    }
    chars.swap(mapped);
}

} // namespace

LOGFONTW MakeFontRecord(FONTOBJ* font, const IFIMETRICS& metrics, DWORD deviceResolution)
{
    LOGFONTW record{};
    XFORML transform{};
    XFORMOBJ* transformObject = FONTOBJ_pxoGetXform(font);
    if (transformObject && XFORMOBJ_iGetXform(transformObject, &transform) != DDI_ERROR)
    {
        const double m21 = FloatFromFloatL(transform.eM21);
        const double m22 = FloatFromFloatL(transform.eM22);
        const double unitsPerEm = static_cast<SHORT>(metrics.fwdUnitsPerEm);
        LONG resolution = font->sizLogResPpi.cy;
        if (resolution <= 0)
            resolution = static_cast<LONG>(deviceResolution);
        if (resolution > 0)
        {
            const double points = std::sqrt(m21 * m21 + m22 * m22) * unitsPerEm * 72.0 / resolution;
            record.lfHeight = std::abs(static_cast<LONG>(std::lround(points)));
        }
    }
    record.lfWeight = metrics.usWinWeight;
    record.lfItalic = (metrics.fsSelection & FM_SEL_ITALIC) ? 1 : 0;
    record.lfUnderline = (metrics.fsSelection & FM_SEL_UNDERSCORE) ? 1 : 0;
    record.lfStrikeOut = (metrics.fsSelection & FM_SEL_STRIKEOUT) ? 1 : 0;
    record.lfCharSet = metrics.jWinCharSet;
    record.lfPitchAndFamily = metrics.jWinPitchAndFamily;

    // The family name lies inside the metrics record, at its offset.
    const PTRDIFF offset = metrics.dpwszFamilyName;
    if (offset >= static_cast<PTRDIFF>(sizeof(IFIMETRICS)) && offset < static_cast<PTRDIFF>(metrics.cjThis))
    {
        const auto* name = reinterpret_cast<const WCHAR*>(reinterpret_cast<const BYTE*>(&metrics) + offset);
        const size_t room = (metrics.cjThis - static_cast<size_t>(offset)) / sizeof(WCHAR);
        for (size_t i = 0; i < room && i < static_cast<size_t>(kFaceNameLength) && name[i]; ++i)
            record.lfFaceName[i] = name[i];
    }
    return record;
}

std::vector<CDCText> SplitIntoRuns(const RECTL& rectangle, BYTE glyphIndex, uint32_t colour,
                                   const std::vector<CapturedChar>& chars)
{
    std::vector<CDCText> runs(1);
    auto startRun = [&](LONG left) {
        CDCText& run = runs.back();
        run.m_rect = RECT{left, rectangle.top, rectangle.right, rectangle.bottom};
        run.m_glyphIndex = glyphIndex;
        run.m_colour = colour;
    };
    startRun(rectangle.left);
    for (const CapturedChar& c : chars)
    {
        LONG offset = c.x - runs.back().m_rect.left;
        if (offset < 0 && runs.back().m_chars.empty())
        {
            // A glyph that overhangs the run's left edge moves the edge.
            runs.back().m_rect.left = c.x;
            offset = 0;
        }
        else if (offset < 0 || offset > kMaxOffset)
        {
            LONG end = runs.back().m_rect.left;
            for (const CDCCharInfo& info : runs.back().m_chars)
                end = (std::max)(end, runs.back().m_rect.left + info.m_x + info.m_width);
            runs.back().m_rect.right = end;
            runs.emplace_back();
            startRun(c.x);
            offset = 0;
        }
        runs.back().m_chars.emplace_back(c.character, static_cast<uint16_t>(offset), ClampWidth(c.width));
    }
    return runs;
}

BOOL APIENTRY DrvTextOut(SURFOBJ* surface, STROBJ* string, FONTOBJ* font, CLIPOBJ* clip, RECTL* extra,
                         RECTL* opaque, BRUSHOBJ* foreground, BRUSHOBJ* opaqueBrush, POINTL* brushOrigin, MIX mix)
{
    BOOL result;
    DriverPDEV* pdev = WorkingPDEV(surface, result);
    if (!pdev)
        return result;

    PrintJob* job = pdev->m_job.get();
    CDCPage* page = job ? job->m_currentPage.get() : nullptr;
    if (page && string)
    {
        const uint32_t colour = foreground ? BRUSHOBJ_ulGetBrushColor(foreground) : 0;
        CDCFont fontItem;
        const IFIMETRICS* metrics = font ? FONTOBJ_pifi(font) : nullptr;
        if (metrics)
        {
            fontItem.m_logFont = MakeFontRecord(font, *metrics, pdev->m_resolution);
            if (DriverFaultForced(kErrorAddFont) || !page->AddFont(fontItem))
                return ReportDriverError(pdev, kErrorAddFont);
        }
        BYTE glyphIndex = (string->flAccel & SO_GLYPHINDEX_TEXTOUT) ? 1 : 0;

        std::vector<CapturedChar> chars;
        if (!CaptureCharacters(string, chars))
            return ReportDriverError(pdev, kErrorEnumerateGlyphs);

        // Glyph indices are mapped only with the font they belong to; without its metrics they
        // stay flagged, for the program to map with the right font later.
        if (glyphIndex && metrics && job->m_glyphMaps)
        {
            if (const GlyphCharMap* map = GetGlyphMapOnScreenDC(*job->m_glyphMaps, fontItem.m_logFont))
            {
                MapGlyphs(*map, chars);
                glyphIndex = 0;
            }
        }

        for (const CDCText& run : SplitIntoRuns(string->rclBkGround, glyphIndex, colour, chars))
        {
            if (DriverFaultForced(kErrorAddText) || !page->AddItem(run))
                return ReportDriverError(pdev, kErrorAddText);
        }
    }
    return EngTextOut(surface, string, font, clip, extra, opaque, foreground, opaqueBrush, brushOrigin, mix);
}

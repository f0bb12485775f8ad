#include "hosts/printhost/engine/EngineTextObjects.h"

#include "hosts/printhost/engine/StandInEngine.h"

#include <atomic>
#include <cmath>

namespace standin {
namespace {

std::atomic<ULONG> g_batchSize{8};
std::atomic<ULONG> g_fontUniqueness{0};

EngineFont* FontOf(FONTOBJ* object)
{
    return reinterpret_cast<EngineFont*>(object);
}

EngineString* StringOf(STROBJ* object)
{
    return reinterpret_cast<EngineString*>(object);
}

BYTE LogicalPitchAndFamily(BYTE textMetricPitchAndFamily)
{
    // TEXTMETRIC's fixed-pitch bit means the opposite of LOGFONT's.
    const BYTE pitch = (textMetricPitchAndFamily & TMPF_FIXED_PITCH) ? VARIABLE_PITCH : FIXED_PITCH;
    return static_cast<BYTE>((textMetricPitchAndFamily & 0xF0) | pitch);
}

} // namespace

void SetGlyphBatchSize(ULONG glyphs)
{
    g_batchSize = glyphs ? glyphs : 1;
}

std::unique_ptr<EngineFont> EngineFont::Create(const LOGFONTW& deviceFont, ULONG dpi)
{
    auto font = std::make_unique<EngineFont>();
    font->logicalFont = deviceFont;
    font->font = CreateFontIndirectW(&deviceFont);
    font->dc = CreateCompatibleDC(nullptr);
    if (!font->font || !font->dc)
        return nullptr;
    font->previousFont = SelectObject(font->dc, font->font);

    TEXTMETRICW textMetrics{};
    if (!GetTextMetricsW(font->dc, &textMetrics))
        return nullptr;
    font->ascent = textMetrics.tmAscent;
    font->descent = textMetrics.tmDescent;
    font->fixedPitch = (textMetrics.tmPitchAndFamily & TMPF_FIXED_PITCH) == 0;

    font->object.iUniq = ++g_fontUniqueness;
    font->object.sizLogResPpi.cx = static_cast<LONG>(dpi);
    font->object.sizLogResPpi.cy = static_cast<LONG>(dpi);
    font->object.cxMax = static_cast<ULONG>(textMetrics.tmMaxCharWidth);
    font->object.flFontType = TRUETYPE_FONTTYPE;

    UINT outlineSize = GetOutlineTextMetricsW(font->dc, 0, nullptr);
    if (outlineSize < sizeof(OUTLINETEXTMETRICW))
        return font;
    std::vector<BYTE> outlineBuffer(outlineSize);
    auto* outline = reinterpret_cast<OUTLINETEXTMETRICW*>(outlineBuffer.data());
    if (!GetOutlineTextMetricsW(font->dc, outlineSize, outline) || outline->otmEMSquare == 0)
        return font;

    std::wstring family;
    const auto familyOffset = reinterpret_cast<size_t>(outline->otmpFamilyName);
    if (familyOffset >= sizeof(OUTLINETEXTMETRICW) && familyOffset < outlineSize)
    {
        const auto* name = reinterpret_cast<const wchar_t*>(outlineBuffer.data() + familyOffset);
        const size_t room = (outlineSize - familyOffset) / sizeof(wchar_t);
        size_t length = 0;
        while (length < room && name[length])
            ++length;
        family.assign(name, length);
    }
    if (family.empty())
        family = deviceFont.lfFaceName;

    font->metrics.assign(sizeof(IFIMETRICS) + (family.size() + 1) * sizeof(wchar_t), 0);
    auto* ifi = reinterpret_cast<IFIMETRICS*>(font->metrics.data());
    ifi->cjThis = static_cast<ULONG>(font->metrics.size());
    ifi->dpwszFamilyName = sizeof(IFIMETRICS);
    std::memcpy(font->metrics.data() + sizeof(IFIMETRICS), family.c_str(), (family.size() + 1) * sizeof(wchar_t));
    ifi->jWinCharSet = textMetrics.tmCharSet;
    ifi->jWinPitchAndFamily = LogicalPitchAndFamily(textMetrics.tmPitchAndFamily);
    ifi->usWinWeight = static_cast<USHORT>(textMetrics.tmWeight);
    ifi->fsSelection = static_cast<FWORD>(
        (deviceFont.lfItalic || textMetrics.tmItalic ? FM_SEL_ITALIC : 0)
        | (deviceFont.lfUnderline ? FM_SEL_UNDERSCORE : 0) | (deviceFont.lfStrikeOut ? FM_SEL_STRIKEOUT : 0));
    ifi->fwdUnitsPerEm = static_cast<FWORD>(outline->otmEMSquare);
    ifi->fwdWinAscender = static_cast<FWORD>(outline->otmAscent);
    ifi->fwdWinDescender = static_cast<FWORD>(-outline->otmDescent);

    // Notional (em units) to device pixels.
    // A negative height asks for the em height itself; a positive one for the cell.
    const LONG emPixels = deviceFont.lfHeight < 0 ? -deviceFont.lfHeight
                                                  : textMetrics.tmHeight - textMetrics.tmInternalLeading;
    const float scale = static_cast<float>(emPixels) / static_cast<float>(outline->otmEMSquare);
    font->transform.xform.eM11 = FloatLFromFloat(scale);
    font->transform.xform.eM22 = FloatLFromFloat(scale);
    font->transform.xform.eM12 = FloatLFromFloat(0.0f);
    font->transform.xform.eM21 = FloatLFromFloat(0.0f);
    font->transform.xform.eDx = FloatLFromFloat(0.0f);
    font->transform.xform.eDy = FloatLFromFloat(0.0f);
    return font;
}

EngineFont::~EngineFont()
{
    if (dc)
    {
        if (previousFont)
            SelectObject(dc, previousFont);
        DeleteDC(dc);
    }
    if (font)
        DeleteObject(font);
}

std::vector<WORD> EngineFont::GlyphIndices(const std::wstring& text) const
{
    std::vector<WORD> glyphs(text.size());
    if (!text.empty()
        && GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(), 0) == GDI_ERROR)
        glyphs.assign(text.size(), 0);
    return glyphs;
}

EngineString::EngineString(const std::wstring& original, bool byGlyphIndex, const std::vector<WORD>& glyphs,
                           const std::vector<POINTL>& origins, const std::vector<LONG>& advanceWidths,
                           const RECTL& background, ULONG charIncrement)
    : text(original), advances(advanceWidths)
{
    positions.resize(origins.size());
    for (size_t i = 0; i < origins.size(); ++i)
    {
        positions[i].hg = i < glyphs.size() ? glyphs[i] : 0;
        positions[i].ptl = origins[i];
    }
    object.cGlyphs = static_cast<ULONG>(positions.size());
    object.flAccel = byGlyphIndex ? SO_GLYPHINDEX_TEXTOUT : 0;
    object.ulCharInc = charIncrement;
    object.rclBkGround = background;
    object.pgp = positions.empty() ? nullptr : positions.data();
    object.pwszOrg = text.empty() ? nullptr : &text[0];
}

EngineBrush::EngineBrush(COLORREF rgb) : colour(rgb)
{
    object.iSolidColor = rgb;
}

} // namespace standin

using namespace standin;

IFIMETRICS* APIENTRY FONTOBJ_pifi(FONTOBJ* object)
{
    EngineFont* font = FontOf(object);
    if (!font || Fails(EngineCall::FontMetrics) || font->metrics.empty())
        return nullptr;
    return reinterpret_cast<IFIMETRICS*>(font->metrics.data());
}

XFORMOBJ* APIENTRY FONTOBJ_pxoGetXform(FONTOBJ* object)
{
    EngineFont* font = FontOf(object);
    return font ? &font->transform.object : nullptr;
}

ULONG APIENTRY XFORMOBJ_iGetXform(XFORMOBJ* object, XFORML* xform)
{
    if (!object || Fails(EngineCall::FontTransform))
        return DDI_ERROR;
    const auto* transform = reinterpret_cast<const EngineFont::Transform*>(object);
    if (xform)
        *xform = transform->xform;
    return GX_SCALE;
}

ULONG APIENTRY BRUSHOBJ_ulGetBrushColor(BRUSHOBJ* brush)
{
    return brush ? reinterpret_cast<EngineBrush*>(brush)->colour : 0xFFFFFFFF;
}

VOID APIENTRY STROBJ_vEnumStart(STROBJ* object)
{
    if (object)
        StringOf(object)->cursor = 0;
}

BOOL APIENTRY STROBJ_bEnum(STROBJ* object, ULONG* count, PGLYPHPOS* positions)
{
    if (!object || !count || !positions || Fails(EngineCall::EnumGlyphs))
        return static_cast<BOOL>(DDI_ERROR);
    EngineString* string = StringOf(object);
    const ULONG total = static_cast<ULONG>(string->positions.size());
    const ULONG first = string->cursor < total ? string->cursor : total;
    const ULONG batch = (std::min)(g_batchSize.load(), total - first);
    *count = batch;
    *positions = batch ? string->positions.data() + first : nullptr;
    string->cursor = first + batch;
    return string->cursor < total ? TRUE : FALSE;
}

BOOL APIENTRY STROBJ_bGetAdvanceWidths(STROBJ* object, ULONG first, ULONG count, POINTQF* widths)
{
    if (!object || !widths || Fails(EngineCall::AdvanceWidths))
        return FALSE;
    EngineString* string = StringOf(object);
    if (first > string->advances.size() || count > string->advances.size() - first)
        return FALSE;
    for (ULONG i = 0; i < count; ++i)
    {
        widths[i].x.QuadPart = static_cast<LONGLONG>(string->advances[first + i]) << 36;
        widths[i].y.QuadPart = 0;
    }
    return TRUE;
}

BOOL APIENTRY EngTextOut(SURFOBJ* surface, STROBJ* string, FONTOBJ* fontObject, CLIPOBJ* /*clip*/,
                         RECTL* /*extra*/, RECTL* opaque, BRUSHOBJ* foreground, BRUSHOBJ* opaqueBrush,
                         POINTL* /*origin*/, MIX /*mix*/)
{
    if (Fails(EngineCall::TextOut) || !surface || !string || !fontObject)
        return FALSE;
    HDC dc = SurfaceDC(surface->hsurf);
    EngineFont* font = FontOf(fontObject);
    if (!dc)
        return FALSE;

    const int saved = SaveDC(dc);
    SetGraphicsMode(dc, GM_ADVANCED);
    ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);
    SetMapMode(dc, MM_TEXT);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetViewportOrgEx(dc, 0, 0, nullptr);
    SelectClipRgn(dc, nullptr);
    if (opaque && opaqueBrush)
    {
        HBRUSH brush = CreateSolidBrush(BRUSHOBJ_ulGetBrushColor(opaqueBrush));
        RECT area{opaque->left, opaque->top, opaque->right, opaque->bottom};
        FillRect(dc, &area, brush);
        DeleteObject(brush);
    }
    SelectObject(dc, font->font);
    SetTextColor(dc, BRUSHOBJ_ulGetBrushColor(foreground));
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
    BOOL drawn = TRUE;
    for (const GLYPHPOS& position : StringOf(string)->positions)
    {
        WORD glyph = static_cast<WORD>(position.hg);
        drawn &= ExtTextOutW(dc, position.ptl.x, position.ptl.y, ETO_GLYPH_INDEX, nullptr,
                             reinterpret_cast<LPCWSTR>(&glyph), 1, nullptr);
    }
    RestoreDC(dc, saved);
    return drawn;
}

#include "hosts/printhost/EmfPlayer.h"

#include "hosts/printhost/BidiLayout.h"

#include <algorithm>
#include <cmath>

EnhMetaFile::~EnhMetaFile()
{
    if (m_handle)
        DeleteEnhMetaFile(m_handle);
}

EnhMetaFile& EnhMetaFile::operator=(EnhMetaFile&& other) noexcept
{
    if (this != &other)
    {
        if (m_handle)
            DeleteEnhMetaFile(m_handle);
        m_handle = other.m_handle;
        other.m_handle = nullptr;
    }
    return *this;
}

namespace {

POINT ToDevice(HDC dc, LONG x, LONG y)
{
    POINT point{x, y};
    LPtoDP(dc, &point, 1);
    return point;
}

double DeviceLength(HDC dc, LONG dx, LONG dy)
{
    POINT origin = ToDevice(dc, 0, 0);
    POINT end = ToDevice(dc, dx, dy);
    return std::hypot(static_cast<double>(end.x - origin.x), static_cast<double>(end.y - origin.y));
}

LONG ScaleLength(LONG length, double scale)
{
    if (length == 0)
        return 0;
    LONG scaled = static_cast<LONG>(std::lround(length * scale));
    if (scaled == 0)
        scaled = length < 0 ? -1 : 1;
    return scaled;
}

// Truncated as the device's own page size is (paper x dpi / 254 in tenths of a millimetre), so that
// a page drawn for the paper covers exactly the device's page.
LONG HundredthsOfMmToPixels(LONG value, ULONG dpi)
{
    return static_cast<LONG>(static_cast<LONGLONG>(value) * dpi / 2540);
}

// The largest paper the device mode can describe, in tenths of a millimetre.
const LONG kLargestPaper = 0x7FFF;

} // namespace

bool FrameOnDevice(const ENHMETAHEADER& header, ULONG dpi, RECT& area)
{
    const RECTL& frame = header.rclFrame;
    if (frame.right <= frame.left || frame.bottom <= frame.top || frame.left < -kLargestPaper * 10
        || frame.top < -kLargestPaper * 10 || frame.right > kLargestPaper * 10 || frame.bottom > kLargestPaper * 10)
        return false;
    area = RECT{HundredthsOfMmToPixels(frame.left, dpi), HundredthsOfMmToPixels(frame.top, dpi),
                HundredthsOfMmToPixels(frame.right, dpi), HundredthsOfMmToPixels(frame.bottom, dpi)};
    return area.right > area.left && area.bottom > area.top;
}

PaperChoice ChoosePaper(const std::vector<EnhMetaFile>& pages, DeviceSettings& settings)
{
    LONG width = 0;
    LONG length = 0;
    for (const EnhMetaFile& page : pages)
    {
        ENHMETAHEADER header{};
        if (!page.Get() || !GetEnhMetaFileHeader(page.Get(), sizeof header, &header))
            return PaperChoice::Unreadable;
        const RECTL& frame = header.rclFrame;
        if (frame.right <= frame.left || frame.bottom <= frame.top)
            continue;
        // Paper from the page's origin to the far edges of its frame, in tenths of a millimetre.
        width = (std::max)(width, (std::max<LONG>(frame.right, 0) + 9) / 10);
        length = (std::max)(length, (std::max<LONG>(frame.bottom, 0) + 9) / 10);
    }
    if (width == 0 || length == 0)
        return PaperChoice::Kept;
    if (width > kLargestPaper || length > kLargestPaper)
        return PaperChoice::TooLarge;
    // The device mode describes portrait paper and turns it for wide pages.
    settings.landscape = width > length;
    settings.paperWidth = static_cast<SHORT>((std::min)(width, length));
    settings.paperLength = static_cast<SHORT>((std::max)(width, length));
    return PaperChoice::FromPages;
}

bool EmfPagePlayer::Play(HENHMETAFILE page)
{
    HDC dc = m_session.SurfaceDC();
    if (!dc || !page)
        return false;
    ENHMETAHEADER header{};
    if (!GetEnhMetaFileHeader(page, sizeof header, &header))
        return false;
    // The page keeps its own size: its frame lands on the paper where and as large as it was drawn.
    // Only a page without a usable frame is fitted to the printable page.
    RECT pageArea{0, 0, static_cast<LONG>(m_session.GdiInfo().ulHorzRes),
                  static_cast<LONG>(m_session.GdiInfo().ulVertRes)};
    RECT frame{};
    if (FrameOnDevice(header, m_session.Resolution(), frame))
        pageArea = frame;
    m_textFailed = false;
    const int saved = SaveDC(dc);
    BOOL played = EnumEnhMetaFile(dc, page, &EmfPagePlayer::OnRecord, this, &pageArea);
    RestoreDC(dc, saved);
    return played && !m_textFailed;
}

int CALLBACK EmfPagePlayer::OnRecord(HDC dc, HANDLETABLE* handles, const ENHMETARECORD* record, int handleCount,
                                     LPARAM context)
{
    auto* player = reinterpret_cast<EmfPagePlayer*>(context);
    if ((record->iType == EMR_EXTTEXTOUTW || record->iType == EMR_EXTTEXTOUTA)
        && record->nSize >= sizeof(EMREXTTEXTOUTW))
    {
        const auto& text = *reinterpret_cast<const EMREXTTEXTOUTW*>(record);
        if (text.emrtext.nChars > 0)
        {
            if (!player->PlayText(dc, text, record->nSize, record->iType == EMR_EXTTEXTOUTW))
                player->m_textFailed = true;
            return 1;
        }
    }
    PlayEnhMetaFileRecord(dc, handles, record, static_cast<UINT>(handleCount));
    return 1;
}

standin::EngineFont* EmfPagePlayer::DeviceFont(HDC dc)
{
    LOGFONTW logical{};
    if (!GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof logical, &logical))
        return nullptr;
    LOGFONTW device = logical;
    device.lfHeight = ScaleLength(logical.lfHeight, DeviceLength(dc, 0, 1000) / 1000.0);
    device.lfWidth = ScaleLength(logical.lfWidth, DeviceLength(dc, 1000, 0) / 1000.0);
    for (const auto& font : m_fonts)
    {
        if (std::memcmp(&font->logicalFont, &device, sizeof device) == 0)
            return font.get();
    }
    std::unique_ptr<standin::EngineFont> font = standin::EngineFont::Create(device, m_session.Resolution());
    if (!font)
        return nullptr;
    m_fonts.push_back(std::move(font));
    return m_fonts.back().get();
}

bool EmfPagePlayer::PlayText(HDC dc, const EMREXTTEXTOUTW& record, DWORD recordSize, bool wide)
{
    const EMRTEXT& emrText = record.emrtext;
    const ULONGLONG count = emrText.nChars;
    const ULONGLONG unitSize = wide ? sizeof(wchar_t) : 1;
    const ULONGLONG dxPerChar = (emrText.fOptions & ETO_PDY) ? 2 : 1;
    if (emrText.offString + count * unitSize > recordSize
        || (emrText.offDx && emrText.offDx + count * dxPerChar * sizeof(INT) > recordSize))
        return false;

    const BYTE* base = reinterpret_cast<const BYTE*>(&record);
    std::wstring text;
    if (wide)
    {
        text.resize(static_cast<size_t>(count));
        std::memcpy(&text[0], base + emrText.offString, static_cast<size_t>(count * unitSize));
    }
    else
    {
        const auto* bytes = reinterpret_cast<const char*>(base + emrText.offString);
        const int length = MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(count), nullptr, 0);
        text.resize(static_cast<size_t>(length));
        if (length)
            MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(count), &text[0], length);
    }
    const bool byGlyphIndex = wide && (emrText.fOptions & ETO_GLYPH_INDEX);
    // Characters (not glyph indices) go through the system's text layout before the driver sees
    // them: right-to-left runs arrive in the order they stand on the page.
    std::vector<size_t> logicalOf;
    if (!byGlyphIndex && !(emrText.fOptions & ETO_IGNORELANGUAGE))
    {
        const bool rightToLeftReading = (emrText.fOptions & ETO_RTLREADING) || (GetTextAlign(dc) & TA_RTLREADING);
        DisplayOrder order = ToDisplayOrder(text, rightToLeftReading);
        text = std::move(order.text);
        logicalOf = std::move(order.logical);
    }

    standin::EngineFont* font = DeviceFont(dc);
    if (!font)
        return false;
    std::vector<WORD> glyphs;
    if (byGlyphIndex)
        glyphs.assign(text.begin(), text.end());
    else
        glyphs = font->GlyphIndices(text);

    // Glyph origins in device pixels, from the record's advances where it carries them.
    const size_t n = text.size();
    std::vector<POINTL> origins(n);
    std::vector<LONG> advances(n);
    const INT* dx = emrText.offDx && n == count ? reinterpret_cast<const INT*>(base + emrText.offDx) : nullptr;
    LONG logicalX = emrText.ptlReference.x;
    LONG logicalY = emrText.ptlReference.y;
    POINT start = ToDevice(dc, logicalX, logicalY);
    std::vector<INT> deviceWidths(n);
    if (!dx)
    {
        SIZE ignored;
        std::vector<INT> extents(n);
        INT fitted = 0;
        BOOL measured = byGlyphIndex
            ? GetTextExtentExPointI(font->dc, glyphs.data(), static_cast<int>(n), 0, &fitted, extents.data(), &ignored)
            : GetTextExtentExPointW(font->dc, text.c_str(), static_cast<int>(n), 0, &fitted, extents.data(),
                                    &ignored);
        for (size_t i = 0; i < n; ++i)
            deviceWidths[i] = measured ? extents[i] - (i ? extents[i - 1] : 0) : 0;
    }
    LONG deviceX = start.x;
    for (size_t i = 0; i < n; ++i)
    {
        if (dx)
        {
            // The record's advances belong to the characters in their logical order.
            const size_t own = i < logicalOf.size() ? logicalOf[i] : i;
            POINT here = ToDevice(dc, logicalX, logicalY);
            logicalX += dx[own * dxPerChar];
            if (dxPerChar == 2)
                logicalY += dx[own * 2 + 1];
            POINT next = ToDevice(dc, logicalX, logicalY);
            origins[i] = POINTL{here.x, here.y};
            advances[i] = next.x - here.x;
        }
        else
        {
            origins[i] = POINTL{deviceX, start.y};
            advances[i] = deviceWidths[i];
            deviceX += deviceWidths[i];
        }
    }

    LONG total = 0;
    for (LONG advance : advances)
        total += advance;
    const UINT align = GetTextAlign(dc);
    LONG shiftX = 0;
    if ((align & TA_CENTER) == TA_CENTER)
        shiftX = -total / 2;
    else if (align & TA_RIGHT)
        shiftX = -total;
    LONG shiftY = 0;
    if ((align & TA_BASELINE) == TA_BASELINE)
        shiftY = 0;
    else if (align & TA_BOTTOM)
        shiftY = -font->descent;
    else
        shiftY = font->ascent;
    for (POINTL& origin : origins)
    {
        origin.x += shiftX;
        origin.y += shiftY;
    }
    const LONG left = start.x + shiftX;
    const LONG baseline = start.y + shiftY;
    RECTL background{left, baseline - font->ascent, left + total, baseline + font->descent};

    ULONG charIncrement = 0;
    if (font->fixedPitch && n > 0 && advances[0] > 0)
    {
        charIncrement = static_cast<ULONG>(advances[0]);
        for (LONG advance : advances)
        {
            if (advance != advances[0])
                charIncrement = 0;
        }
    }

    standin::EngineString string(text, byGlyphIndex, glyphs, origins, advances, background, charIncrement);
    standin::EngineBrush foreground(GetTextColor(dc));
    standin::EngineBrush opaqueBrush(GetBkColor(dc));
    RECTL opaque{};
    const bool opaqueWanted = (emrText.fOptions & ETO_OPAQUE) != 0;
    if (opaqueWanted)
    {
        POINT topLeft = ToDevice(dc, emrText.rcl.left, emrText.rcl.top);
        POINT bottomRight = ToDevice(dc, emrText.rcl.right, emrText.rcl.bottom);
        opaque = RECTL{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    }
    return m_session.TextOut(&string.object, &font->object, opaqueWanted ? &opaque : nullptr, &foreground.object,
                             opaqueWanted ? &opaqueBrush.object : nullptr) != FALSE;
}

bool PrintEmfDocument(DriverSession& session, const std::vector<EnhMetaFile>& pages, const wchar_t* documentName)
{
    if (!session.StartDoc(documentName))
        return false;
    EmfPagePlayer player(session);
    bool ok = true;
    for (const EnhMetaFile& page : pages)
    {
        ok = session.StartPage() && ok;
        ok = player.Play(page.Get()) && ok;
        ok = session.SendPage() && ok;
    }
    return session.EndDoc() && ok;
}

#include "SamplePage.h"

#include "pagemodel/CDCText.h"
#include "tests/support/WorkFileBuilder.h"

#include <cwchar>

SamplePage::SamplePage(CDCPage& page, int width, int height, int resolution)
    : m_page(page), m_width(width), m_height(height), m_resolution(resolution)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    m_dc = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_pixels = static_cast<uint8_t*>(bits);
    m_oldBitmap = SelectObject(m_dc, m_bitmap);
    RECT all = {0, 0, width, height};
    FillRect(m_dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(m_dc, TRANSPARENT);
}

SamplePage::~SamplePage()
{
    if (m_font) {
        SelectObject(m_dc, m_oldFont);
        DeleteObject(m_font);
    }
    SelectObject(m_dc, m_oldBitmap);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
}

void SamplePage::SetFont(const wchar_t* face, int points, bool bold)
{
    AddFontItem(m_page, face, points, bold ? FW_BOLD : FW_NORMAL);
    LOGFONTW logFont = {};
    logFont.lfHeight = -MulDiv(points, m_resolution, 72);
    logFont.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    logFont.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(logFont.lfFaceName, face, LF_FACESIZE - 1);
    HFONT font = CreateFontIndirectW(&logFont);
    HGDIOBJ previous = SelectObject(m_dc, font);
    if (m_font)
        DeleteObject(m_font);
    else
        m_oldFont = previous;
    m_font = font;
}

int SamplePage::LineHeight() const
{
    TEXTMETRICW metrics = {};
    GetTextMetricsW(m_dc, &metrics);
    return metrics.tmHeight;
}

RECT SamplePage::Text(int x, int y, const std::wstring& text, COLORREF colour)
{
    std::vector<int> ends(text.size());
    SIZE size = {};
    GetTextExtentExPointW(m_dc, text.c_str(), int(text.size()), 0, nullptr, ends.data(), &size);
    std::vector<int> offsets, widths;
    for (size_t i = 0; i < text.size(); ++i) {
        const int start = i == 0 ? 0 : ends[i - 1];
        offsets.push_back(start);
        widths.push_back(ends[i] - start);
    }
    const RECT rect = {x, y, x + size.cx, y + LineHeight()};
    AddPositionedText(m_page, rect, text, offsets, widths, colour);
    SetTextColor(m_dc, colour);
    for (size_t i = 0; i < text.size(); ++i)
        TextOutW(m_dc, x + offsets[i], y, &text[i], 1);
    return rect;
}

RECT SamplePage::TextRightAligned(int right, int y, const std::wstring& text, COLORREF colour)
{
    SIZE size = {};
    GetTextExtentPoint32W(m_dc, text.c_str(), int(text.size()), &size);
    return Text(right - size.cx, y, text, colour);
}

void SamplePage::Rule(int x0, int y0, int x1, int y1)
{
    MoveToEx(m_dc, x0, y0, nullptr);
    LineTo(m_dc, x1, y1);
}

std::vector<uint8_t> SamplePage::ImageFile(int bitCount) const
{
    GdiFlush();
    const size_t stride = ((size_t(m_width) * 3 + 3) / 4) * 4;
    std::vector<uint8_t> pixels;
    pixels.reserve(size_t(m_width) * 3 * size_t(m_height));
    for (int y = 0; y < m_height; ++y)
        pixels.insert(pixels.end(), m_pixels + size_t(y) * stride, m_pixels + size_t(y) * stride + size_t(m_width) * 3);
    return BitmapFileFromPixels(m_width, m_height, pixels, bitCount);
}

#include "tests/support/MemoryDC.h"

MemoryDC::MemoryDC() : m_dc(CreateCompatibleDC(nullptr)) {}

MemoryDC::MemoryDC(int width, int height) : m_dc(CreateCompatibleDC(nullptr))
{
    if (!m_dc || width <= 0 || height <= 0)
        return;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!m_bitmap || !bits)
        return;
    m_oldBitmap = SelectObject(m_dc, m_bitmap);
    m_bits = static_cast<const DWORD*>(bits);
    m_width = width;
    m_height = height;
    const RECT all = {0, 0, width, height};
    FillRect(m_dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

MemoryDC::~MemoryDC()
{
    if (m_oldBitmap)
        SelectObject(m_dc, m_oldBitmap);
    if (m_bitmap)
        DeleteObject(m_bitmap);
    if (m_dc)
        DeleteDC(m_dc);
}

COLORREF MemoryDC::Pixel(int x, int y) const
{
    if (!m_bits || x < 0 || y < 0 || x >= m_width || y >= m_height)
        return CLR_INVALID;
    GdiFlush();
    // A 32-bit surface stores blue, green, red: 0x00RRGGBB as one number.
    const DWORD value = m_bits[static_cast<size_t>(y) * m_width + x];
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

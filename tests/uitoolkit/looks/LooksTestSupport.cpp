#include "tests/uitoolkit/looks/LooksTestSupport.h"

#include "uitoolkit/looks/KTUIGlobals.h"

#include <cstdio>

ScopedSysColors::ScopedSysColors(std::initializer_list<std::pair<int, COLORREF>> colors)
{
    std::vector<COLORREF> values;
    for (const auto& color : colors)
    {
        m_indexes.push_back(color.first);
        m_old.push_back(::GetSysColor(color.first));
        values.push_back(color.second);
    }
    ::SetSysColors(static_cast<int>(m_indexes.size()), m_indexes.data(), values.data());
    ktGlobals.UpdateSysColors();
}

ScopedSysColors::~ScopedSysColors()
{
    ::SetSysColors(static_cast<int>(m_indexes.size()), m_indexes.data(), m_old.data());
    ktGlobals.UpdateSysColors();
}

std::initializer_list<std::pair<int, COLORREF>> ScopedSysColors::Classic()
{
    static const std::initializer_list<std::pair<int, COLORREF>> classic = {
        {COLOR_BTNFACE, RGB(212, 208, 200)},   {COLOR_BTNSHADOW, RGB(128, 128, 128)},
        {COLOR_BTNHIGHLIGHT, RGB(255, 255, 255)}, {COLOR_BTNTEXT, RGB(0, 0, 0)},
        {COLOR_3DDKSHADOW, RGB(64, 64, 64)},    {COLOR_3DLIGHT, RGB(212, 208, 200)},
        {COLOR_HIGHLIGHT, RGB(10, 36, 106)},    {COLOR_WINDOW, RGB(255, 255, 255)}};
    return classic;
}

DibSurface::DibSurface(int width, int height, COLORREF fill) : m_width(width), m_height(height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    m_hBitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    m_pBits = static_cast<uint32_t*>(pBits);
    m_dc.Attach(::CreateCompatibleDC(nullptr));
    m_hOld = ::SelectObject(m_dc.GetSafeHdc(), m_hBitmap);
    Fill(fill);
}

DibSurface::~DibSurface()
{
    ::SelectObject(m_dc.GetSafeHdc(), m_hOld);
    m_dc.DeleteDC();
    ::DeleteObject(m_hBitmap);
}

COLORREF DibSurface::Pixel(int x, int y) const
{
    ::GdiFlush();
    if (m_pBits == nullptr || x < 0 || y < 0 || x >= m_width || y >= m_height)
        return CLR_INVALID;
    const uint32_t bgr = m_pBits[y * m_width + x];
    return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
}

void DibSurface::Fill(COLORREF color)
{
    RECT all{0, 0, m_width, m_height};
    HBRUSH hBrush = ::CreateSolidBrush(color);
    ::FillRect(m_dc.GetSafeHdc(), &all, hBrush);
    ::DeleteObject(hBrush);
    ::GdiFlush();
}

bool DibSurface::SaveAs(const wchar_t* fileName) const
{
    ::GdiFlush();
    const std::wstring path = ScreenshotFolder() + L"\\" + fileName;
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (file == nullptr)
        return false;
    const DWORD bitsSize = static_cast<DWORD>(m_width) * m_height * 4;
    BITMAPFILEHEADER fileHeader{};
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = m_width;
    header.biHeight = -m_height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    fileHeader.bfType = 0x4D42;
    fileHeader.bfOffBits = sizeof(fileHeader) + sizeof(header);
    fileHeader.bfSize = fileHeader.bfOffBits + bitsSize;
    // Viewers read the fourth byte as opacity, which GDI leaves 0 and themed drawing sets.
    std::vector<uint32_t> opaque(m_pBits, m_pBits + static_cast<size_t>(m_width) * m_height);
    for (uint32_t& pixel : opaque)
        pixel |= 0xFF000000u;
    const bool ok = fwrite(&fileHeader, sizeof(fileHeader), 1, file) == 1 && fwrite(&header, sizeof(header), 1, file) == 1 &&
                    fwrite(opaque.data(), bitsSize, 1, file) == 1;
    return fclose(file) == 0 && ok;
}

std::wstring ScreenshotFolder()
{
    wchar_t module[MAX_PATH];
    DWORD length = ::GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring folder(module, length);
    folder = folder.substr(0, folder.find_last_of(L"\\/")) + L"\\screenshots";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

std::string ColorText(COLORREF color)
{
    char text[32];
    snprintf(text, sizeof(text), "%u,%u,%u", GetRValue(color), GetGValue(color), GetBValue(color));
    return text;
}

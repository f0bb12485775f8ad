#pragma once
// Shared helpers of the looks' tests: system colours set for one test, 32-bit memory surfaces
// whose pixels are read back, and a screenshot folder in the build tree.
#include "framework/Afx.h"

#include <cstdint>
#include <string>
#include <vector>

// Sets system colours for its lifetime and refreshes the globals; the old colours come back,
// refreshed again, when it ends (the colours outlive the test otherwise: they last as long as
// the wineserver).
class ScopedSysColors
{
public:
    ScopedSysColors(std::initializer_list<std::pair<int, COLORREF>> colors);
    ~ScopedSysColors();
    ScopedSysColors(const ScopedSysColors&) = delete;
    ScopedSysColors& operator=(const ScopedSysColors&) = delete;

    // The classic grey scheme's face, shadow, highlight, text, dark shadow and light colours.
    static std::initializer_list<std::pair<int, COLORREF>> Classic();

private:
    std::vector<int> m_indexes;
    std::vector<COLORREF> m_old;
};

// A top-down 32-bit DIB section selected into a memory device context.
class DibSurface
{
public:
    DibSurface(int width, int height, COLORREF fill = RGB(255, 255, 255));
    ~DibSurface();
    DibSurface(const DibSurface&) = delete;
    DibSurface& operator=(const DibSurface&) = delete;

    CDC& Dc() { return m_dc; }
    HDC Hdc() const { return m_dc.GetSafeHdc(); }
    HBITMAP Bitmap() const { return m_hBitmap; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    COLORREF Pixel(int x, int y) const;
    void Fill(COLORREF color);
    // Writes the surface as a 32-bit bitmap file into the screenshot folder of the build tree.
    bool SaveAs(const wchar_t* fileName) const;

private:
    CDC m_dc;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOld = nullptr;
    uint32_t* m_pBits = nullptr;
    int m_width;
    int m_height;
};

// The folder for screenshots beside the test program (made on first use).
std::wstring ScreenshotFolder();

// "R,G,B" for failure messages.
std::string ColorText(COLORREF color);

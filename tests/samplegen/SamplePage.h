#pragma once
// One page of a sample print job: draws text into a page image with GDI and records the same
// text runs, with the positions GDI gives them, as the printer driver would.

#include "pagemodel/CDCPage.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class SamplePage
{
public:
    SamplePage(CDCPage& page, int width, int height, int resolution);
    ~SamplePage();
    SamplePage(const SamplePage&) = delete;
    SamplePage& operator=(const SamplePage&) = delete;

    // Makes the font current for the following texts and records it.
    void SetFont(const wchar_t* face, int points, bool bold);
    // Draws and records a run whose top left is (x, y); returns its rectangle. The characters
    // are drawn one by one at their recorded places, so a run is given in the order its
    // characters stand on the paper (right-to-left text as the driver records it).
    RECT Text(int x, int y, const std::wstring& text, COLORREF colour = RGB(0, 0, 0));
    // The same with the run's right edge at x.
    RECT TextRightAligned(int right, int y, const std::wstring& text, COLORREF colour = RGB(0, 0, 0));
    void Rule(int x0, int y0, int x1, int y1);
    int LineHeight() const;

    // The page image as a bitmap file of 1 or 24 bits per pixel.
    std::vector<uint8_t> ImageFile(int bitCount) const;

private:
    CDCPage& m_page;
    int m_width, m_height, m_resolution;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    uint8_t* m_pixels = nullptr;
    HFONT m_font = nullptr;
    HGDIOBJ m_oldFont = nullptr;
};

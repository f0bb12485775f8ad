#pragma once
// Writes work files for tests and samples the way the printer driver lays them out:
// the page images, then "Pages.dat", then the page files in page order.

#include "pagemodel/CDCPage.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class WorkFileBuilder
{
public:
    explicit WorkFileBuilder(uint32_t resolution = 144, const std::wstring& documentName = L"Test document");

    // A new empty page; its number is the page count afterwards.
    CDCPage& AddPage();
    CDCPage& Page(uint32_t number) { return m_pages.at(number - 1); }
    uint32_t PageCount() const { return static_cast<uint32_t>(m_pages.size()); }

    // The bytes stored as "Page%04d.bmp" for a page (a made-up block when not set).
    void SetImage(uint32_t number, const std::vector<uint8_t>& bytes);
    // The bytes stored as "Page.Layout", written last; none by default.
    void SetLayout(const std::vector<uint8_t>& bytes) { m_layout = bytes; m_hasLayout = true; }
    // Entries the driver would never write, added behind the others.
    void AddExtraEntry(const char* name, const std::vector<uint8_t>& bytes);

    bool Write(const std::wstring& path) const;

private:
    uint32_t m_resolution;
    std::wstring m_documentName;
    std::vector<CDCPage> m_pages;
    std::vector<std::vector<uint8_t>> m_images;
    std::vector<uint8_t> m_layout;
    bool m_hasLayout = false;
    std::vector<std::pair<std::string, std::vector<uint8_t>>> m_extra;
};

// A bitmap file of the given size, all white, with 1 or 24 bits per pixel.
std::vector<uint8_t> BlankBitmapFile(int width, int height, int bitCount);
// The bitmap file of a top-down pixel block (BGR rows of width x 3 bytes, unpadded), stored
// with 24 bits per pixel or, with bitCount 1, as black and white.
std::vector<uint8_t> BitmapFileFromPixels(int width, int height, const std::vector<uint8_t>& bgrTopDown,
                                          int bitCount = 24);

// A font item as the driver records it: height in points.
void AddFontItem(CDCPage& page, const wchar_t* face, int points, int weight = FW_NORMAL);
// A text run whose characters carry their own x offsets and widths.
void AddPositionedText(CDCPage& page, const RECT& rect, const std::wstring& text, const std::vector<int>& xOffsets,
                       const std::vector<int>& widths, uint32_t colour = 0);
// A text run without positions (every width 0).
void AddUnpositionedText(CDCPage& page, const RECT& rect, const std::wstring& text, uint32_t colour = 0);
// Lays a run out character by character in a fixed width, as the tests need no font for it.
void AddEvenText(CDCPage& page, LONG left, LONG top, LONG bottom, const std::wstring& text, int charWidth,
                 uint32_t colour = 0);

#include "tests/support/WorkFileBuilder.h"

#include "pagemodel/CDCText.h"
#include "pagemodel/OxBuffer.h"
#include "pagemodel/OxReadWrite.h"
#include "pagemodel/Zipper.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>

namespace {

bool AddBuffer(CZipper& zipper, const char* name, const OxBuffer& buffer)
{
    return zipper.AddFileToZip(name, buffer.GetData(), buffer.GetSize(), CZipper::CurrentTimeInfo());
}

std::string PageEntry(uint32_t number, const char* extension)
{
    char name[40];
    std::snprintf(name, sizeof name, "Page%04u%s", number, extension);
    return name;
}

} // namespace

WorkFileBuilder::WorkFileBuilder(uint32_t resolution, const std::wstring& documentName)
    : m_resolution(resolution), m_documentName(documentName)
{
}

CDCPage& WorkFileBuilder::AddPage()
{
    m_pages.emplace_back();
    const uint32_t number = PageCount();
    const std::string marker = "BM image of page " + std::to_string(number);
    m_images.emplace_back(marker.begin(), marker.end());
    return m_pages.back();
}

void WorkFileBuilder::SetImage(uint32_t number, const std::vector<uint8_t>& bytes)
{
    m_images.at(number - 1) = bytes;
}

void WorkFileBuilder::AddExtraEntry(const char* name, const std::vector<uint8_t>& bytes)
{
    m_extra.emplace_back(name, bytes);
}

bool WorkFileBuilder::Write(const std::wstring& path) const
{
    CZipper zipper;
    if (!zipper.OpenZip(path.c_str()))
        return false;
    for (uint32_t n = 1; n <= PageCount(); ++n) {
        const std::vector<uint8_t>& image = m_images[n - 1];
        if (!zipper.AddFileToZip(PageEntry(n, ".bmp").c_str(), image.data(), uint32_t(image.size()),
                                 CZipper::CurrentTimeInfo()))
            return false;
    }
    CDCPageSet pageSet;
    pageSet.SetPageCount(PageCount());
    pageSet.SetResolution(m_resolution);
    pageSet.SetDocumentName(m_documentName);
    OxBuffer pageSetBuffer;
    OxReadWriteBuffer pageSetStream(pageSetBuffer);
    if (!pageSet.Save(pageSetStream) || !AddBuffer(zipper, "Pages.dat", pageSetBuffer))
        return false;
    for (uint32_t n = 1; n <= PageCount(); ++n) {
        OxBuffer page;
        OxReadWriteBuffer stream(page);
        if (!m_pages[n - 1].Save(stream) || !AddBuffer(zipper, PageEntry(n, ".dat").c_str(), page))
            return false;
    }
    if (m_hasLayout &&
        !zipper.AddFileToZip("Page.Layout", m_layout.data(), uint32_t(m_layout.size()), CZipper::CurrentTimeInfo()))
        return false;
    for (const auto& extra : m_extra)
        if (!zipper.AddFileToZip(extra.first.c_str(), extra.second.data(), uint32_t(extra.second.size()),
                                 CZipper::CurrentTimeInfo()))
            return false;
    return zipper.CloseZip();
}

namespace {

void PutLE(std::vector<uint8_t>& bytes, uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.push_back(uint8_t(value >> (8 * i)));
}

// File header, information header and colour table of a bottom-up bitmap.
std::vector<uint8_t> BitmapHeaders(int width, int height, int bitCount, uint32_t rowBytes)
{
    const uint32_t colours = bitCount == 1 ? 2 : 0;
    const uint32_t bitsOffset = 14 + 40 + colours * 4;
    std::vector<uint8_t> bytes;
    bytes.push_back('B');
    bytes.push_back('M');
    PutLE(bytes, bitsOffset + rowBytes * uint32_t(height), 4);
    PutLE(bytes, 0, 4);
    PutLE(bytes, bitsOffset, 4);
    PutLE(bytes, 40, 4);
    PutLE(bytes, uint32_t(width), 4);
    PutLE(bytes, uint32_t(height), 4);
    PutLE(bytes, 1, 2);
    PutLE(bytes, uint32_t(bitCount), 2);
    PutLE(bytes, 0, 4);
    PutLE(bytes, rowBytes * uint32_t(height), 4);
    PutLE(bytes, 5669, 4);
    PutLE(bytes, 5669, 4);
    PutLE(bytes, colours, 4);
    PutLE(bytes, 0, 4);
    if (colours) {
        PutLE(bytes, 0x000000, 4);
        PutLE(bytes, 0xFFFFFF, 4);
    }
    return bytes;
}

uint32_t RowBytes(int width, int bitCount)
{
    return ((uint32_t(width) * uint32_t(bitCount) + 31) / 32) * 4;
}

} // namespace

std::vector<uint8_t> BlankBitmapFile(int width, int height, int bitCount)
{
    const uint32_t rowBytes = RowBytes(width, bitCount);
    std::vector<uint8_t> bytes = BitmapHeaders(width, height, bitCount, rowBytes);
    bytes.resize(bytes.size() + rowBytes * uint32_t(height), 0xFF);
    return bytes;
}

std::vector<uint8_t> BitmapFileFromPixels(int width, int height, const std::vector<uint8_t>& bgrTopDown,
                                          int bitCount)
{
    const uint32_t rowBytes = RowBytes(width, bitCount);
    std::vector<uint8_t> bytes = BitmapHeaders(width, height, bitCount, rowBytes);
    for (int y = height - 1; y >= 0; --y) {
        const uint8_t* row = bgrTopDown.data() + size_t(y) * size_t(width) * 3;
        std::vector<uint8_t> stored(rowBytes, 0);
        for (int x = 0; x < width; ++x) {
            const uint8_t* pixel = row + size_t(x) * 3;
            if (bitCount == 24) {
                std::copy(pixel, pixel + 3, stored.begin() + size_t(x) * 3);
            } else if (pixel[0] + pixel[1] + pixel[2] > 3 * 128) {
                stored[size_t(x) / 8] |= uint8_t(0x80 >> (x % 8)); // colour 1: white
            }
        }
        bytes.insert(bytes.end(), stored.begin(), stored.end());
    }
    return bytes;
}

void AddFontItem(CDCPage& page, const wchar_t* face, int points, int weight)
{
    LOGFONTW logFont = {};
    logFont.lfHeight = points;
    logFont.lfWeight = weight;
    logFont.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(logFont.lfFaceName, face, LF_FACESIZE - 1);
    page.AddItem(CDCFont(logFont));
}

void AddPositionedText(CDCPage& page, const RECT& rect, const std::wstring& text, const std::vector<int>& xOffsets,
                       const std::vector<int>& widths, uint32_t colour)
{
    CDCText run;
    run.m_rect = rect;
    run.m_colour = colour;
    for (size_t i = 0; i < text.size(); ++i)
        run.m_chars.emplace_back(uint16_t(text[i]), uint16_t(xOffsets.at(i)), uint16_t(widths.at(i)));
    page.AddItem(run);
}

void AddUnpositionedText(CDCPage& page, const RECT& rect, const std::wstring& text, uint32_t colour)
{
    AddPositionedText(page, rect, text, std::vector<int>(text.size(), 0), std::vector<int>(text.size(), 0), colour);
}

void AddEvenText(CDCPage& page, LONG left, LONG top, LONG bottom, const std::wstring& text, int charWidth,
                 uint32_t colour)
{
    std::vector<int> x, widths;
    for (size_t i = 0; i < text.size(); ++i) {
        x.push_back(int(i) * charWidth);
        widths.push_back(charWidth);
    }
    const RECT rect = {left, top, left + LONG(text.size()) * charWidth, bottom};
    AddPositionedText(page, rect, text, x, widths, colour);
}

#include "WorkFileBuilder.h"

#include "pagemodel/CDCText.h"
#include "pagemodel/OxBuffer.h"
#include "pagemodel/OxReadWrite.h"
#include "pagemodel/Zipper.h"

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

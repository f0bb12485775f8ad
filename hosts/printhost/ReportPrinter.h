// Turns a plain text file into enhanced-metafile pages the way an application prints a report:
// a fixed-pitch font, a fixed number of lines per page, a form feed starting a new page.
#pragma once

#include "hosts/printhost/EmfPlayer.h"

#include <string>
#include <vector>

struct ReportLayout
{
    int linesPerPage = 60;
    int pointSize = 10;
    std::wstring face = L"Courier New";
    bool fixedPitch = true;
    COLORREF colour = RGB(0, 0, 0);
    bool byGlyphIndex = false;  // record the text as glyph indices, as some applications print
    int paperWidthMm = 210;
    int paperLengthMm = 297;
    int marginMm = 15;
};

// Reads a text file: UTF-16 with its byte-order mark, else UTF-8 (the system code page when not UTF-8).
bool ReadTextFile(const std::wstring& path, std::wstring& text);

// One page per linesPerPage lines (at least one page, also for an empty text).
std::vector<EnhMetaFile> MakeReportPages(const std::wstring& text, const ReportLayout& layout);

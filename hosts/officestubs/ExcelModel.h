// What the spreadsheet stand-in keeps of the workbooks it was given.
#pragma once
#include "ExcelValue.h"

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace officestubs {

struct XlBlock {
    long top, left, bottom, right;
    bool Contains(long row, long column) const
    {
        return row >= top && row <= bottom && column >= left && column <= right;
    }
    bool Overlaps(const XlBlock& o) const
    {
        return top <= o.bottom && o.top <= bottom && left <= o.right && o.left <= right;
    }
};

// Font settings of Characters(start, length) of a cell, clamped to the cell's text.
struct XlFontRun {
    long start = 1, length = 0;
    bool hasColor = false;
    long color = 0; // COLORREF: red in the low byte
    bool hasSize = false;
    double size = 0;
};

enum : long { kXlAlignTop = -4160, kXlRightToLeft = -5004 };
// The most characters a cell holds.
const size_t kXlCellLimit = 32767;

struct XlCell {
    std::wstring formula;
    XlTypedValue value;        // what the formula was read as when it was typed
    std::wstring numberFormat; // empty: General
    long verticalAlignment = 0;
    long readingOrder = 0;
    std::vector<XlFontRun> runs;
};

struct XlSheet {
    std::map<std::pair<long, long>, XlCell> cells; // by (row, column)
    std::vector<XlBlock> merges;
    std::map<long, double> columnWidths; // by column, in characters of the standard font

    XlBlock UsedRange() const;
    const XlCell* Find(long row, long column) const;
    // Types a value into the cell, read under the cell's number format as it stands.
    void Type(long row, long column, const std::wstring& formula);
    // Fits the widths of the block's columns to their cells' texts; a column without text keeps
    // its width and cells merged across columns do not count.
    void AutoFitColumns(const XlBlock& block);
};

struct XlWorkbook {
    std::vector<std::shared_ptr<XlSheet>> sheets;
    bool closed = false;
};

struct XlApplication {
    std::vector<std::shared_ptr<XlWorkbook>> workbooks;
    bool visible = false;
};

// "A1"-style names; columns up to XFD (16384), rows up to 1048576.
std::wstring XlCellName(long row, long column);
bool XlParseCellName(const std::wstring& name, long& row, long& column);

// Writes the sheet as an .xlsx workbook; false when the file cannot be written.
bool WriteXlsx(const XlSheet& sheet, const std::wstring& path);

} // namespace officestubs

// What the word-processor stand-in keeps: documents with one table, the selection and the typing font.
#pragma once
#include <memory>
#include <string>
#include <vector>

namespace officestubs {

struct WdRun {
    std::wstring text;
    double size = 0;  // 0: the default size
    long color = -1;  // -1: automatic; else COLORREF
};

struct WdCell {
    std::vector<WdRun> runs;
    bool rightToLeft = false;
    long rowSpan = 1, columnSpan = 1;
    bool covered = false; // merged into the block whose top-left cell is (ownerRow, ownerColumn)
    long ownerRow = 0, ownerColumn = 0;
    std::wstring Text() const;
};

// Character positions: the cells in row order, each its text and an end-of-cell mark, each row an
// end-of-row mark, then the document's closing paragraph mark.
struct WdTable {
    long rows = 0, columns = 0;
    std::vector<WdCell> cells;
    long autoFit = -1;

    WdCell& At(long row, long column) { return cells[(row - 1) * columns + (column - 1)]; }
    const WdCell& At(long row, long column) const { return cells[(row - 1) * columns + (column - 1)]; }
    long CellStart(long row, long column) const;
    long CellEnd(long row, long column) const; // after the end-of-cell mark
    long Length() const;
    bool Locate(long position, long& row, long& column) const;
};

struct WdDocument {
    std::shared_ptr<WdTable> table;
    long paragraphDirection = -1;
    bool closed = false;
    long Length() const { return (table ? table->Length() : 0) + 1; }
};

struct WdFont {
    double size = 0;
    double sizeBi = 0;
    long color = -1;
};

struct WdSelection {
    enum Kind { None, InsertionPoint, Cell, Range, Document } kind = None;
    std::shared_ptr<WdDocument> document;
    long row = 0, column = 0; // Cell
    long start = 0, end = 0;  // Range
};

struct WdApplication {
    std::wstring version;
    bool older = false; // a major version below 9
    bool quit = false;
    std::vector<std::shared_ptr<WdDocument>> documents;
    WdSelection selection;
    WdFont font;
};

// The columns' widths in twips: an inch each, or fitted to their contents after
// AutoFitBehavior(1).
std::vector<long> ColumnWidths(const WdTable& table);

// The table as the clipboard gets it: an RTF table with merged cells, and TAB/CR LF text.
std::string TableRtf(const WdTable& table);
std::wstring TableText(const WdTable& table);

} // namespace officestubs

#include "WordModel.h"

#include <algorithm>
#include <cstdio>

namespace officestubs {

std::wstring WdCell::Text() const
{
    std::wstring text;
    for (const WdRun& run : runs)
        text += run.text;
    return text;
}

long WdTable::CellStart(long row, long column) const
{
    long position = 0;
    for (long r = 1; r <= rows; ++r) {
        for (long c = 1; c <= columns; ++c) {
            if (r == row && c == column)
                return position;
            position += static_cast<long>(At(r, c).Text().size()) + 1;
        }
        position += 1;
    }
    return position;
}

long WdTable::CellEnd(long row, long column) const
{
    return CellStart(row, column) + static_cast<long>(At(row, column).Text().size()) + 1;
}

long WdTable::Length() const
{
    return CellStart(rows + 1, 1);
}

bool WdTable::Locate(long position, long& row, long& column) const
{
    for (long r = 1; r <= rows; ++r)
        for (long c = 1; c <= columns; ++c)
            if (position >= CellStart(r, c) && position < CellEnd(r, c)) {
                row = r;
                column = c;
                return true;
            }
    return false;
}

namespace {

std::string RtfText(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text) {
        if (c == L'\\' || c == L'{' || c == L'}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == L'\r' || c == L'\n') {
            out += "\\par ";
        } else if (c == L'\v') {
            out += "\\line ";
        } else if (c == L'\t') {
            out += "\\tab ";
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += "\\u" + std::to_string(static_cast<short>(c)) + "?";
        }
    }
    return out;
}

long CellRight(const std::vector<long>& widths, long column)
{
    long right = 0;
    for (long c = 0; c < column; ++c)
        right += widths[static_cast<size_t>(c)];
    return right;
}

} // namespace

namespace {

// The width of a cell's longest line: about 6 points a character at 11 points.
double TextWidth(const WdCell& cell)
{
    const double kTwipsPerCharacter = 120, kDefaultSize = 11;
    double widest = 0, line = 0;
    for (const WdRun& run : cell.runs) {
        const double scale = (run.size > 0 ? run.size : kDefaultSize) / kDefaultSize;
        for (wchar_t ch : run.text) {
            if (ch == L'\r' || ch == L'\n' || ch == L'\v')
                line = 0;
            else
                line += kTwipsPerCharacter * scale;
            widest = (std::max)(widest, line);
        }
    }
    return widest;
}

} // namespace

std::vector<long> ColumnWidths(const WdTable& table)
{
    const long kFixedWidth = 1440; // an inch, in twips: a new table's columns
    std::vector<long> widths(static_cast<size_t>(table.columns), kFixedWidth);
    if (table.autoFit != 1)
        return widths;
    // Fitted to the contents: each column to its widest cell and the cell's margins; a cell merged
    // across columns then widens the columns it spans evenly where they are too narrow for it.
    const long kMargins = 216, kNarrowest = 360;
    for (long c = 1; c <= table.columns; ++c) {
        long widest = kNarrowest;
        for (long r = 1; r <= table.rows; ++r) {
            const WdCell& cell = table.At(r, c);
            if (!cell.covered && cell.columnSpan == 1)
                widest = (std::max)(widest, static_cast<long>(TextWidth(cell)) + kMargins);
        }
        widths[static_cast<size_t>(c - 1)] = widest;
    }
    for (long r = 1; r <= table.rows; ++r)
        for (long c = 1; c <= table.columns; ++c) {
            const WdCell& cell = table.At(r, c);
            if (cell.covered || cell.columnSpan == 1)
                continue;
            long spanned = 0;
            for (long k = c; k < c + cell.columnSpan; ++k)
                spanned += widths[static_cast<size_t>(k - 1)];
            const long missing = static_cast<long>(TextWidth(cell)) + kMargins - spanned;
            for (long k = c; missing > 0 && k < c + cell.columnSpan; ++k)
                widths[static_cast<size_t>(k - 1)] += (missing + cell.columnSpan - 1) / cell.columnSpan;
        }
    return widths;
}

std::string TableRtf(const WdTable& table)
{
    std::vector<long> colors;
    for (const WdCell& cell : table.cells)
        for (const WdRun& run : cell.runs)
            if (run.color >= 0 && std::find(colors.begin(), colors.end(), run.color) == colors.end())
                colors.push_back(run.color);

    std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil Default;}}{\\colortbl;";
    for (long color : colors)
        rtf += "\\red" + std::to_string(color & 0xFF) + "\\green" + std::to_string((color >> 8) & 0xFF) +
               "\\blue" + std::to_string((color >> 16) & 0xFF) + ";";
    rtf += "}\n";
    const std::vector<long> widths = ColumnWidths(table);
    for (long r = 1; r <= table.rows; ++r) {
        rtf += "\\trowd\\trgaph108\\trleft0";
        for (long c = 1; c <= table.columns; ++c) {
            const WdCell& cell = table.At(r, c);
            const long ownerRow = cell.covered ? cell.ownerRow : r;
            const long ownerColumn = cell.covered ? cell.ownerColumn : c;
            const WdCell& owner = table.At(ownerRow, ownerColumn);
            if (owner.rowSpan > 1)
                rtf += r == ownerRow ? "\\clvmgf" : "\\clvmrg";
            if (owner.columnSpan > 1)
                rtf += c == ownerColumn ? "\\clmgf" : "\\clmrg";
            rtf += "\\cellx" + std::to_string(CellRight(widths, c));
        }
        rtf += "\n";
        for (long c = 1; c <= table.columns; ++c) {
            const WdCell& cell = table.At(r, c);
            rtf += "\\pard\\intbl";
            rtf += cell.rightToLeft ? "\\rtlpar " : "\\ltrpar ";
            for (const WdRun& run : cell.runs) {
                rtf += "{";
                if (run.size > 0)
                    rtf += "\\fs" + std::to_string(static_cast<long>(run.size * 2 + 0.5));
                if (run.color >= 0)
                    rtf += "\\cf" + std::to_string(std::find(colors.begin(), colors.end(), run.color) -
                                                    colors.begin() + 1);
                rtf += " " + RtfText(run.text) + "}";
            }
            rtf += "\\cell\n";
        }
        rtf += "\\row\n";
    }
    return rtf + "\\pard\\par}";
}

std::wstring TableText(const WdTable& table)
{
    std::wstring text;
    for (long r = 1; r <= table.rows; ++r) {
        for (long c = 1; c <= table.columns; ++c) {
            if (c > 1)
                text += L'\t';
            text += table.At(r, c).Text();
        }
        text += L"\r\n";
    }
    return text;
}

} // namespace officestubs

#pragma once
// How the exports read the cell grid of a conversion.
#include "table/ConvertingTableGrid.h"

#include <cstdint>
#include <string>
#include <vector>

struct ExportWord
{
    std::wstring text;
    uint32_t color;  // COLORREF in the low 24 bits
    int32_t size;    // hundredths of a point
    bool spaceFollows;
};

inline int GridRowCount(const ConvertingTableGrid& grid)
{
    return grid.GetRowCount();
}

inline int GridFlaggedColumns(const ConvertingTableGrid& grid)
{
    return grid.GetColumnCount();
}

inline int GridCellCount(const ConvertingTableGrid& grid, int)
{
    return grid.GetColumnCount();
}

// A copy of the cell: the grid keeps its rows packed.
inline ConvertingTableCell GridCell(const ConvertingTableGrid& grid, int row, int column)
{
    return grid.GetCell(column, row);
}

inline bool CellHasWords(const ConvertingTableCell& cell)
{
    return !cell.m_words.empty();
}

inline int32_t CellSpan(const ConvertingTableCell& cell)
{
    return cell.m_span;
}

inline int32_t CellFormatOf(const ConvertingTableCell& cell)
{
    return cell.m_format;
}

inline bool CellHasRtl(const ConvertingTableCell& cell)
{
    return cell.HasRtlText();
}

// The text as written to a cell: left-to-right output, Number minus moved, trimmed.
inline std::wstring CellText(const ConvertingTableGrid&, const ConvertingTableCell& cell)
{
    return ConvertingTableGrid::GetCellText(cell, false);
}

inline std::vector<ExportWord> ToExportWords(const std::vector<ConvertingTableCellWord>& words)
{
    std::vector<ExportWord> out;
    for (const ConvertingTableCellWord& w : words)
        out.push_back(ExportWord{w.m_text, static_cast<uint32_t>(w.m_colour), w.m_fontSize, w.m_spaceFollows != 0});
    return out;
}

inline std::vector<ExportWord> CellWords(const ConvertingTableCell& cell)
{
    return ToExportWords(cell.m_words);
}

// The words in display order, right-to-left runs reordered (the Word export types them so).
inline std::vector<ExportWord> CellDisplayWords(const ConvertingTableCell& cell)
{
    std::vector<ConvertingTableCellWord> words;
    cell.GetDisplayWords(words);
    return ToExportWords(words);
}

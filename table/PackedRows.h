#pragma once
// The finished rows of a cell grid, kept compact: each row is one record in a store of large
// blocks, its cells as lengths, its words as lengths with a colour-and-size index, and its text
// as the cells' joined texts one after the other (one byte a character when every character of
// the row is below U+0100). A cell whose words are its text's pieces between single spaces, all
// of one colour and size, needs no word records at all. A conversion of a thousand pages then holds its table in about the
// size of its text instead of one heap object a word.
//
// A cell that does not fit the record (a span, a word or text longer than the record counts, an
// unusual format or very many words or styles) is kept whole beside the records.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "table/ConvertingTableGrid.h"

class PackedRows
{
public:
    PackedRows() = default;
    PackedRows(const PackedRows&) = delete;
    PackedRows& operator=(const PackedRows&) = delete;

    // Packs the row behind the rows already packed; it must hold columnCount cells.
    void Append(const ConvertingTableRow& row);
    // Takes the last row off again, whole.
    ConvertingTableRow TakeLast();

    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    // Characters of the joined cell texts of every row, packed or kept whole.
    size_t GetTextLength() const { return m_textLength; }

    ConvertingTableCell GetCell(int column, int row) const;
    // The cell's words joined, each followed by a space where one follows it.
    std::wstring GetJoinedText(int column, int row) const;
    bool HasWords(int column, int row) const;
    int32_t GetFormat(int column, int row) const;

private:
    // Where a cell's part of its row record begins.
    struct CellPlace
    {
        uint32_t cell;     // the packed cell
        size_t firstWord;  // index into the row's words
        size_t firstChar;  // index into the row's text
    };
    struct RowView
    {
        uint32_t columnCount;
        uint32_t wordCount;
        uint32_t textLength;
        bool wide;
        const uint32_t* cells;
        const uint32_t* words;
        const uint8_t* text;
    };

    RowView View(int row) const;
    bool Locate(int column, int row, RowView& view, CellPlace& place) const;
    const ConvertingTableCell* KeptWhole(int column, int row) const;
    wchar_t CharAt(const RowView& view, size_t index) const;
    // The index of the colour and size, added when new; false when the table is full.
    bool StyleIndex(int32_t colour, int32_t fontSize, uint32_t& index);
    // Whether the cell can be packed, the length of its joined text and, for a plain cell (words
    // between single spaces, of one style), its style; a value above every style otherwise.
    bool Fits(const ConvertingTableCell& cell, size_t& textLength, uint32_t& plainStyle);
    uint8_t* Allocate(size_t bytes);

    std::vector<std::unique_ptr<uint8_t[]>> m_blocks;
    size_t m_blockUsed = 0;
    size_t m_blockSize = 0;
    std::vector<const uint8_t*> m_rows;
    std::vector<std::pair<int32_t, int32_t>> m_styles;
    std::map<std::pair<int32_t, int32_t>, uint32_t> m_styleIndex;
    // Cells kept whole, by (row << 32) | column.
    std::map<uint64_t, ConvertingTableCell> m_whole;
    size_t m_textLength = 0;
    // Scratch of Append, kept from row to row.
    std::vector<uint8_t> m_fits;
    std::vector<uint32_t> m_plainStyles;
};

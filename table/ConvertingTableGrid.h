#pragma once
// The parsed table of one conversion or preview: rows of cells, each cell the words (or pieces
// of words) that fell into it. Pages append their rows one after the other.
//
// The grid has one column per converted layout column (flag 1); skipped layout columns have no
// grid column, and spans of merged cells count grid columns.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "table/CellFormat.h"

class ConvertingTableLayout;
class ConvertingWord;

struct ConvertingTableCellWord
{
    std::wstring m_text;     // the word, or the part of it that fell into the cell
    int32_t m_colour = 0;
    int32_t m_fontSize = 0;
    uint8_t m_spaceFollows = 0;
    uint8_t m_flag2 = 0;

    bool operator==(const ConvertingTableCellWord& other) const
    {
        return m_text == other.m_text && m_colour == other.m_colour && m_fontSize == other.m_fontSize &&
               m_spaceFollows == other.m_spaceFollows && m_flag2 == other.m_flag2;
    }
};

class ConvertingTableCell
{
public:
    // Sets the cell's format; a space goes between the last word and this one when spaceBefore.
    void AddWord(const ConvertingWord& word, const std::wstring& text, bool spaceBefore, int32_t format);
    bool HasRtlText() const;
    // The words joined, each followed by a space where one follows it.
    std::wstring GetJoinedText() const;
    // The index of the word that holds the character at index in the joined text (a following
    // space belongs to its word); the first word for an index at or past the end; -1 when empty.
    int WordAtChar(int index) const;
    // The words in display order: right-to-left text is reordered and cut into words of one
    // colour and size.
    void GetDisplayWords(std::vector<ConvertingTableCellWord>& list) const;

    std::vector<ConvertingTableCellWord> m_words;
    int32_t m_format = CellFormatAutomatic; // the format of the column of the last word added
    int32_t m_span = 0;                     // (extra rows << 16) | extra columns at a block's top-left cell
};

using ConvertingTableRow = std::vector<ConvertingTableCell>;

class PackedRows;

class ConvertingTableGrid
{
public:
    // Counts the converted columns of the layout, which the grid borrows.
    explicit ConvertingTableGrid(const ConvertingTableLayout* layout);
    ~ConvertingTableGrid();
    ConvertingTableGrid(const ConvertingTableGrid&) = delete;
    ConvertingTableGrid& operator=(const ConvertingTableGrid&) = delete;

    // Appends rows until the row exists and adds the word to cell (column, row) in grid columns;
    // sets the span when a block reaches further. A column beyond the row throws
    // std::out_of_range.
    void SetCell(int column, int row, int extraColumns, int extraRows, const ConvertingWord& word,
                 const std::wstring& text, bool spaceBefore, int32_t format);
    // Puts the rows filled so far into the grid's compact store, where a long conversion keeps
    // them in little memory. The parser packs a page's rows when it has placed its words; a
    // later SetCell on a packed row takes the rows from there on out again.
    void PackRows();

    // The cell's text for output: a trailing minus of a Number cell goes in front, then the text
    // is trimmed and made ready for right-to-left output (rtl) or turned into printed order.
    static std::wstring GetCellText(const ConvertingTableCell& cell, bool rtl);
    // The same for the cell at (column, row), without building its words.
    std::wstring GetCellText(int column, int row, bool rtl) const;
    // The format shared by every non-empty cell of the column; Automatic when they differ or
    // none has words.
    int32_t GetColumnFormat(int column) const;

    int GetRowCount() const;
    // Every row has one cell per converted column.
    int GetColumnCount() const { return m_flaggedColumnCount; }
    // A copy of the cell at (column, row), with its words.
    ConvertingTableCell GetCell(int column, int row) const;
    // The characters of every cell's words with the spaces between them: no text of the whole
    // grid holds more, besides its separators.
    size_t GetTextLength() const;
    const ConvertingTableLayout* GetLayout() const { return m_layout; }

private:
    // Takes packed rows from row on out again, so that they can change.
    void UnpackFrom(int row);

    std::unique_ptr<PackedRows> m_packed;
    // The rows behind the packed ones, as they are being filled.
    std::vector<ConvertingTableRow> m_open;
    // Rows packed and emptied, kept for the rows to come.
    std::vector<ConvertingTableRow> m_spareRows;
    int32_t m_flaggedColumnCount = 0;
    const ConvertingTableLayout* m_layout;
};

#pragma once
// The table laid over a printed page: a rectangle in page units cut by column lines and row lines,
// with a format and a conversion flag per column and merged cells.
//
// Cells are addressed (column, row), both 0-based. Every cell holds an id (R << 16) | C naming
// the top-left cell (C, R) of the merged block it belongs to; a cell on its own holds its own id.
// Blocks are always rectangles and every block's top-left cell holds its own id.
#include <windows.h>
#include <cstdint>
#include <vector>

#include "pagemodel/OxSerializable.h"
#include "table/CellFormat.h"

class OxReadWrite;

static_assert(sizeof(LONG) == 4, "page coordinates are stored as 32-bit values");

struct ConvertingTableColumn
{
    int32_t x = -1;      // the column's right edge; -1 for the last column (the table's right)
    uint8_t flag = 1;    // 1: the column is converted; 0: skipped
    int32_t format = CellFormatAutomatic;

    bool operator==(const ConvertingTableColumn& other) const
    {
        return x == other.x && flag == other.flag && format == other.format;
    }
    bool operator!=(const ConvertingTableColumn& other) const { return !(*this == other); }
};

class ConvertingTableLayout : public OxSerializable
{
public:
    static constexpr uint32_t FileMagic = 0x4DF699DE;
    static constexpr uint32_t FileVersion = 7;
    static constexpr uint32_t OldestFileVersion = 2;
    // Ids keep a column and a row in 16 bits each.
    static constexpr int MaxColumns = 0xFFFF;
    static constexpr int MaxRows = 0xFFFF;

    ConvertingTableLayout();
    ConvertingTableLayout(const ConvertingTableLayout&) = default;
    ConvertingTableLayout& operator=(const ConvertingTableLayout&) = default;
    ConvertingTableLayout(ConvertingTableLayout&&) = default;
    ConvertingTableLayout& operator=(ConvertingTableLayout&&) = default;
    ~ConvertingTableLayout() override;

    // Every field, formats, row lines, ids and trailer values included.
    bool operator==(const ConvertingTableLayout& other) const;
    bool operator!=(const ConvertingTableLayout& other) const { return !(*this == other); }

    static int32_t MakeCellId(int column, int row) { return static_cast<int32_t>((row << 16) | column); }
    static int IdColumn(int32_t id) { return id & 0xFFFF; }
    static int IdRow(int32_t id) { return (id >> 16) & 0xFFFF; }

    // --- the table and its lines
    const RECT& GetTableRect() const { return m_rect; }
    void SetTableRect(const RECT& rect) { m_rect = rect; }
    bool IsEmpty() const;
    bool HasConvertedColumn() const;
    bool HasColumns() const { return !m_columns.empty(); }
    int GetColumnCount() const { return static_cast<int>(m_columns.size()); }
    ConvertingTableColumn& GetColumn(int i) { return m_columns[i]; }
    const ConvertingTableColumn& GetColumn(int i) const { return m_columns[i]; }
    void SetColumnX(int i, int32_t x) { m_columns[i].x = x; }
    int GetRowLineCount() const { return static_cast<int>(m_rowLines.size()); }
    int GetRowCount() const { return GetRowLineCount() + 1; }
    int32_t GetRowLine(int i) const { return m_rowLines[i]; }
    void SetRowLine(int i, int32_t y) { m_rowLines[i] = y; }
    // The id of cell (column, row); -1 for a cell outside the matrix.
    int32_t GetCellId(int column, int row) const;

    int32_t GetTrailerValue() const { return m_trailerValue; }
    void SetTrailerValue(int32_t value) { m_trailerValue = value; }
    bool GetAutoRowDetection() const { return m_autoRowDetection; }
    void SetAutoRowDetection(bool on) { m_autoRowDetection = on; }
    uint8_t GetTrailerFlag() const { return m_trailerFlag; }
    void SetTrailerFlag(uint8_t flag) { m_trailerFlag = flag; }
    int32_t GetTrailerValue2() const { return m_trailerValue2; }
    void SetTrailerValue2(int32_t value) { m_trailerValue2 = value; }

    // --- geometry (page units)
    // The column whose area holds the point; -1 outside the table (right and bottom exclusive).
    int ColumnAt(int32_t x, int32_t y) const;
    // The row whose area holds y: the first row line at or below y, else the last row.
    int RowAt(int32_t x, int32_t y) const;
    RECT GetColumnExtent(int column) const;
    RECT GetRowExtent(int row) const;
    RECT GetCellRect(int column, int row) const;
    // False unless (column, row) is a block's top-left cell; then the whole block's rectangle.
    bool GetMergedCellRect(int column, int row, RECT& rect) const;
    bool WordInTable(const RECT& word) const;
    // The id of the cell that takes the word, or -1 when the word lies in no cell.
    int32_t CellOfWord(const RECT& word) const;

    // --- merged blocks
    void GetCellOrigin(int& column, int& row) const;
    bool IsOrigin(int column, int row) const;
    bool IsMergedOrigin(int column, int row) const;
    void GetBlockEnd(int column, int row, int& lastColumn, int& lastRow) const;
    bool HasMergedCells() const;

    // True when the table rectangle, the columns' x or flags, or TrailerValue differ; formats,
    // row lines and merges are not looked at.
    bool Differs(const ConvertingTableLayout& other) const;

    // --- edits; all keep the cell-id invariants
    void Clear();
    // False (nothing changed) for an index beyond the count or a table at its size limit.
    bool InsertColumn(int i, const ConvertingTableColumn& column);
    void DeleteColumn(int i);
    // Appends a column whose cells stand alone; used while columns are rebuilt.
    bool AppendColumn(const ConvertingTableColumn& column);
    bool InsertRowLine(int i, int32_t y);
    void DeleteRowLine(int i);
    void ResetRows();
    void ResetColumns();
    void ResetIds();
    void SetBlock(int column0, int row0, int column1, int row1);
    void CollectRectIds(int column0, int row0, int column1, int row1, std::vector<uint32_t>& ids) const;
    void CollectBlockIds(int column, int row, std::vector<uint32_t>& ids) const;
    // False (nothing changed) when the list holds fewer ids than the block has cells.
    bool SetBlockIds(int column, int row, const std::vector<uint32_t>& ids);
    // Clips a layout loaded for another page to this one: columns and row lines that would lie
    // outside it, or closer than the minimum to its edges, are dropped; a table left smaller than
    // the minimum is cleared. Leaves a consistent layout consistent.
    void FitToPage(const RECT& page, int32_t minWidth, int32_t minHeight);

    // --- the layout file format
    // Reads a layout of versions 2 to 7. The stream is untrusted: on any failure, short read or
    // inconsistent content the layout is left exactly as it was. A format code outside CellFormat
    // is kept as stored.
    bool Read(OxReadWrite& stream) override;
    // Writes version 7; false, before anything is written, for a layout that is not consistent
    // (Read would refuse it), and as soon as the stream refuses a write.
    bool Write(OxReadWrite& stream) const override;
    // The shape and id invariants: ascending lines inside the table, the last column at -1, flags
    // 0 or 1, one id per cell, every id naming a top-left cell that holds its own id, rectangular blocks.
    bool IsConsistent() const;

private:
    struct Block
    {
        int column0, row0, column1, row1;
    };
    bool ReadBody(OxReadWrite& stream, uint32_t version);
    bool LinesAreConsistent() const;
    bool IdsAreConsistent() const;
    std::vector<Block> CollectBlocks() const;
    void SetIdsFromBlocks(const std::vector<Block>& blocks, int columnCount, int rowCount);
    void FillOwnIds(int rowCount, int columnCount);
    void FitMatrixToColumns();

    RECT m_rect;
    std::vector<ConvertingTableColumn> m_columns;
    std::vector<int32_t> m_rowLines;
    std::vector<std::vector<int32_t>> m_ids;
    int32_t m_trailerValue = 0;
    bool m_autoRowDetection = true;
    uint8_t m_trailerFlag = 0;
    int32_t m_trailerValue2 = 0;
};

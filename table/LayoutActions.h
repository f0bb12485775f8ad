#pragma once
// The undoable changes the layout editor makes to a table layout.
#include <cstdint>
#include <map>
#include <vector>

#include "table/ConvertingTableLayout.h"
#include "table/OxActionList.h"

// A row line or a column line moved by delta.
class LineMove : public OxAction
{
public:
    enum Kind : uint8_t { RowLine = 0, ColumnLine = 1 };

    LineMove(int32_t index, int32_t delta, uint8_t kind);
    bool Undo(ConvertingTableLayout& target) override;
    bool Redo(ConvertingTableLayout& target) override;

private:
    bool Move(ConvertingTableLayout& target, int32_t delta) const;

    int32_t m_index;
    int32_t m_delta;
    uint8_t m_kind;  // any value but RowLine moves a column line
};

// Any change, recorded as the whole layout before and after it.
class LayoutChange : public OxAction
{
public:
    LayoutChange(const ConvertingTableLayout& before, const ConvertingTableLayout& after);
    bool Undo(ConvertingTableLayout& target) override;
    bool Redo(ConvertingTableLayout& target) override;

private:
    ConvertingTableLayout m_before;
    ConvertingTableLayout m_after;
};

// A merge or a split of columns, rows or cells, and its inverse. The first merge records what it
// removes so that the split can put it back; a split recorded by the split command records the
// cells' own ids on its first application. Every application works on a copy: one that fails, or
// that would leave a consistent layout inconsistent, changes nothing.
class MergeSplit : public OxAction
{
public:
    enum Kind : int32_t { Columns = 0, Rows = 1, Cells = 2 };

    // For Cells, first and last are the block's top-left and bottom-right cells packed as
    // (row << 16) | column; otherwise column or row indices.
    MergeSplit(int32_t first, int32_t last, int32_t kind, bool wasMerge);
    // An action that starts with saved values, as the split command records one: for Rows the y
    // of each line to insert, for Cells the block's ids row by row, for Columns the records
    // first..last packed by PackColumn (the last one only gives its flag and format).
    MergeSplit(int32_t first, int32_t last, int32_t kind, bool wasMerge, std::vector<uint32_t> savedValues);
    // A column action with whole saved records, so that no x or format is narrowed.
    MergeSplit(int32_t first, int32_t last, bool wasMerge, std::vector<ConvertingTableColumn> savedColumns);

    // x in bits 0-23 (unsigned), format in bits 24-30, flag in bit 31.
    static uint32_t PackColumn(const ConvertingTableColumn& column);
    static ConvertingTableColumn UnpackColumn(uint32_t packed);
    bool Undo(ConvertingTableLayout& target) override;
    bool Redo(ConvertingTableLayout& target) override;

private:
    bool Apply(ConvertingTableLayout& target, bool merge);
    bool MergeColumns(ConvertingTableLayout& target);
    bool SplitColumns(ConvertingTableLayout& target);
    bool MergeRows(ConvertingTableLayout& target);
    bool SplitRows(ConvertingTableLayout& target);
    bool MergeCells(ConvertingTableLayout& target);
    bool SplitCells(ConvertingTableLayout& target);

    int32_t m_first;
    int32_t m_last;
    int32_t m_kind;
    bool m_wasMerge;
    // Rows: the y of the lines a merge removed. Cells: the ids of the block row by row as they
    // were before the merge.
    std::vector<uint32_t> m_saved;
    // Columns: the records first..last as they were before the merge, whole, so that no x or
    // format is narrowed on the way back.
    std::vector<ConvertingTableColumn> m_savedColumns;
};

// New format for a set of columns, with each column's old format.
class ColumnFormat : public OxAction
{
public:
    ColumnFormat(std::map<int32_t, int32_t> oldFormats, int32_t newFormat);
    bool Undo(ConvertingTableLayout& target) override;
    bool Redo(ConvertingTableLayout& target) override;

private:
    bool ColumnsExist(const ConvertingTableLayout& target) const;

    std::map<int32_t, int32_t> m_oldFormats;
    int32_t m_newFormat;
};

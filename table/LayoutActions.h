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

    int32_t index_;
    int32_t delta_;
    uint8_t kind_;  // any value but RowLine moves a column line
};

// Any change, recorded as the whole layout before and after it.
class LayoutChange : public OxAction
{
public:
    LayoutChange(const ConvertingTableLayout& before, const ConvertingTableLayout& after);
    bool Undo(ConvertingTableLayout& target) override;
    bool Redo(ConvertingTableLayout& target) override;

private:
    ConvertingTableLayout before_;
    ConvertingTableLayout after_;
};

// A merge or a split of columns, rows or cells, and its inverse. The first merge records what it
// removes so that the split can put it back; a split recorded by the split command records the
// cells' own ids on its first application.
class MergeSplit : public OxAction
{
public:
    enum Kind : int32_t { Columns = 0, Rows = 1, Cells = 2 };

    // For Cells, first and last are the block's top-left and bottom-right cells packed as
    // (row << 16) | column; otherwise column or row indices.
    MergeSplit(int32_t first, int32_t last, int32_t kind, bool wasMerge);
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

    int32_t first_;
    int32_t last_;
    int32_t kind_;
    bool wasMerge_;
    // Rows: the y of the lines a merge removed. Cells: the ids of the block row by row as they
    // were before the merge.
    std::vector<uint32_t> saved_;
    // Columns: the records first..last as they were before the merge, whole, so that no x or
    // format is narrowed on the way back.
    std::vector<ConvertingTableColumn> savedColumns_;
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

    std::map<int32_t, int32_t> oldFormats_;
    int32_t newFormat_;
};

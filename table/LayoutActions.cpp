#include "table/LayoutActions.h"

#include <limits>
#include <utility>

namespace {

bool AddWithinRange(int32_t value, int32_t delta, int32_t& result)
{
    int64_t sum = static_cast<int64_t>(value) + delta;
    if (sum < std::numeric_limits<int32_t>::min() || sum > std::numeric_limits<int32_t>::max())
        return false;
    result = static_cast<int32_t>(sum);
    return true;
}

} // namespace

// ---------------------------------------------------------------------------------------------
LineMove::LineMove(int32_t index, int32_t delta, uint8_t kind) : index_(index), delta_(delta), kind_(kind)
{
}

bool LineMove::Undo(ConvertingTableLayout& target)
{
    if (delta_ == std::numeric_limits<int32_t>::min())
        return false;
    return Move(target, -delta_);
}

bool LineMove::Redo(ConvertingTableLayout& target)
{
    return Move(target, delta_);
}

bool LineMove::Move(ConvertingTableLayout& target, int32_t delta) const
{
    int32_t moved = 0;
    if (kind_ == RowLine) {
        if (index_ < 0 || index_ >= target.GetRowLineCount())
            return false;
        if (!AddWithinRange(target.GetRowLine(index_), delta, moved))
            return false;
        target.SetRowLine(index_, moved);
        return true;
    }
    // The last column's -1 stands for the table's right edge; it is not a line that moves.
    if (index_ < 0 || index_ >= target.GetColumnCount() || target.GetColumn(index_).x == -1)
        return false;
    if (!AddWithinRange(target.GetColumn(index_).x, delta, moved))
        return false;
    target.SetColumnX(index_, moved);
    return true;
}

// ---------------------------------------------------------------------------------------------
LayoutChange::LayoutChange(const ConvertingTableLayout& before, const ConvertingTableLayout& after)
    : before_(before), after_(after)
{
}

bool LayoutChange::Undo(ConvertingTableLayout& target)
{
    target = before_;
    return true;
}

bool LayoutChange::Redo(ConvertingTableLayout& target)
{
    target = after_;
    return true;
}

// ---------------------------------------------------------------------------------------------
MergeSplit::MergeSplit(int32_t first, int32_t last, int32_t kind, bool wasMerge)
    : first_(first), last_(last), kind_(kind), wasMerge_(wasMerge)
{
}

bool MergeSplit::Undo(ConvertingTableLayout& target)
{
    return Apply(target, !wasMerge_);
}

bool MergeSplit::Redo(ConvertingTableLayout& target)
{
    return Apply(target, wasMerge_);
}

// Works on a copy and hands it over only when every step succeeded, so that a failing action
// leaves the user's layout as it was.
bool MergeSplit::Apply(ConvertingTableLayout& target, bool merge)
{
    using Step = bool (MergeSplit::*)(ConvertingTableLayout&);
    static const Step steps[][2] = {
        {&MergeSplit::SplitColumns, &MergeSplit::MergeColumns},
        {&MergeSplit::SplitRows, &MergeSplit::MergeRows},
        {&MergeSplit::SplitCells, &MergeSplit::MergeCells},
    };
    if (kind_ < Columns || kind_ > Cells)
        return false;
    ConvertingTableLayout work(target);
    if (!(this->*steps[kind_][merge ? 1 : 0])(work))
        return false;
    target = std::move(work);
    return true;
}

bool MergeSplit::MergeColumns(ConvertingTableLayout& target)
{
    if (first_ < 0 || first_ >= last_ || last_ >= target.GetColumnCount())
        return false;
    if (savedColumns_.empty()) {
        for (int c = first_; c <= last_; ++c)
            savedColumns_.push_back(target.GetColumn(c));
    }
    ConvertingTableColumn merged = target.GetColumn(first_);
    const int32_t formatBefore = merged.format;
    merged.x = target.GetColumn(last_).x;
    for (int c = last_; c > first_; --c) {
        const ConvertingTableColumn& column = target.GetColumn(c);
        if (column.format != formatBefore)
            merged.format = CellFormatAutomatic;
        merged.flag |= column.flag;
        target.DeleteColumn(c);
    }
    target.GetColumn(first_) = merged;
    return true;
}

bool MergeSplit::SplitColumns(ConvertingTableLayout& target)
{
    const int count = static_cast<int>(savedColumns_.size());
    if (count < 2 || first_ < 0 || first_ >= target.GetColumnCount() || last_ != first_ + count - 1)
        return false;
    for (int i = 0; i + 1 < count; ++i) {
        if (!target.InsertColumn(first_ + i, savedColumns_[i]))
            return false;
    }
    // The merged column, now at last, keeps its x.
    ConvertingTableColumn& merged = target.GetColumn(last_);
    merged.format = savedColumns_.back().format;
    merged.flag = savedColumns_.back().flag;
    return true;
}

bool MergeSplit::MergeRows(ConvertingTableLayout& target)
{
    const int lineCount = target.GetRowLineCount();
    if (first_ < 0 || first_ >= last_ || first_ >= lineCount)
        return false;
    // Merging up to the last row removes every line from first on.
    const int removals = (last_ < lineCount ? last_ : lineCount) - first_;
    const bool record = saved_.empty();
    for (int i = 0; i < removals; ++i) {
        if (record)
            saved_.push_back(static_cast<uint32_t>(target.GetRowLine(first_)));
        target.DeleteRowLine(first_);
    }
    return true;
}

bool MergeSplit::SplitRows(ConvertingTableLayout& target)
{
    if (saved_.empty() || first_ < 0 || first_ > target.GetRowLineCount())
        return false;
    for (size_t i = 0; i < saved_.size(); ++i) {
        if (!target.InsertRowLine(first_ + static_cast<int>(i), static_cast<int32_t>(saved_[i])))
            return false;
    }
    return true;
}

bool MergeSplit::MergeCells(ConvertingTableLayout& target)
{
    const int column0 = ConvertingTableLayout::IdColumn(first_), row0 = ConvertingTableLayout::IdRow(first_);
    const int column1 = ConvertingTableLayout::IdColumn(last_), row1 = ConvertingTableLayout::IdRow(last_);
    if (column0 > column1 || row0 > row1 || column1 >= target.GetColumnCount() || row1 >= target.GetRowCount())
        return false;
    if (saved_.empty())
        target.CollectRectIds(column0, row0, column1, row1, saved_);
    target.SetBlock(column0, row0, column1, row1);
    return true;
}

bool MergeSplit::SplitCells(ConvertingTableLayout& target)
{
    const int column = ConvertingTableLayout::IdColumn(first_), row = ConvertingTableLayout::IdRow(first_);
    if (column >= target.GetColumnCount() || row >= target.GetRowCount() || !target.IsMergedOrigin(column, row))
        return false;
    if (!saved_.empty())
        return target.SetBlockIds(column, row, saved_);
    std::vector<uint32_t> ownIds;
    target.CollectBlockIds(column, row, ownIds);
    if (!target.SetBlockIds(column, row, ownIds))
        return false;
    saved_ = std::move(ownIds);
    return true;
}

// ---------------------------------------------------------------------------------------------
ColumnFormat::ColumnFormat(std::map<int32_t, int32_t> oldFormats, int32_t newFormat)
    : oldFormats_(std::move(oldFormats)), newFormat_(newFormat)
{
}

bool ColumnFormat::Undo(ConvertingTableLayout& target)
{
    if (!ColumnsExist(target))
        return false;
    for (const auto& [column, format] : oldFormats_)
        target.GetColumn(column).format = format;
    return true;
}

bool ColumnFormat::Redo(ConvertingTableLayout& target)
{
    if (!ColumnsExist(target))
        return false;
    for (const auto& entry : oldFormats_)
        target.GetColumn(entry.first).format = newFormat_;
    return true;
}

bool ColumnFormat::ColumnsExist(const ConvertingTableLayout& target) const
{
    for (const auto& entry : oldFormats_) {
        if (entry.first < 0 || entry.first >= target.GetColumnCount())
            return false;
    }
    return true;
}

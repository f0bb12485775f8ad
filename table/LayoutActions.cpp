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
LineMove::LineMove(int32_t index, int32_t delta, uint8_t kind) : m_index(index), m_delta(delta), m_kind(kind)
{
}

bool LineMove::Undo(ConvertingTableLayout& target)
{
    if (m_delta == std::numeric_limits<int32_t>::min())
        return false;
    return Move(target, -m_delta);
}

bool LineMove::Redo(ConvertingTableLayout& target)
{
    return Move(target, m_delta);
}

bool LineMove::Move(ConvertingTableLayout& target, int32_t delta) const
{
    const bool wasConsistent = target.IsConsistent();
    int32_t moved = 0;
    if (m_kind == RowLine) {
        if (m_index < 0 || m_index >= target.GetRowLineCount())
            return false;
        const int32_t before = target.GetRowLine(m_index);
        if (!AddWithinRange(before, delta, moved))
            return false;
        target.SetRowLine(m_index, moved);
        // A move past a neighbour or out of the table would give a layout that cannot be stored.
        if (wasConsistent && !target.IsConsistent()) {
            target.SetRowLine(m_index, before);
            return false;
        }
        return true;
    }
    // The last column's -1 stands for the table's right edge; it is not a line that moves.
    if (m_index < 0 || m_index >= target.GetColumnCount() || target.GetColumn(m_index).x == -1)
        return false;
    const int32_t before = target.GetColumn(m_index).x;
    if (!AddWithinRange(before, delta, moved))
        return false;
    target.SetColumnX(m_index, moved);
    if (wasConsistent && !target.IsConsistent()) {
        target.SetColumnX(m_index, before);
        return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
LayoutChange::LayoutChange(const ConvertingTableLayout& before, const ConvertingTableLayout& after)
    : m_before(before), m_after(after)
{
}

bool LayoutChange::Undo(ConvertingTableLayout& target)
{
    target = m_before;
    return true;
}

bool LayoutChange::Redo(ConvertingTableLayout& target)
{
    target = m_after;
    return true;
}

// ---------------------------------------------------------------------------------------------
MergeSplit::MergeSplit(int32_t first, int32_t last, int32_t kind, bool wasMerge)
    : m_first(first), m_last(last), m_kind(kind), m_wasMerge(wasMerge)
{
}

MergeSplit::MergeSplit(int32_t first, int32_t last, int32_t kind, bool wasMerge, std::vector<uint32_t> savedValues)
    : m_first(first), m_last(last), m_kind(kind), m_wasMerge(wasMerge)
{
    if (kind != Columns) {
        m_saved = std::move(savedValues);
        return;
    }
    for (uint32_t packed : savedValues)
        m_savedColumns.push_back(UnpackColumn(packed));
}

MergeSplit::MergeSplit(int32_t first, int32_t last, bool wasMerge, std::vector<ConvertingTableColumn> savedColumns)
    : m_first(first), m_last(last), m_kind(Columns), m_wasMerge(wasMerge), m_savedColumns(std::move(savedColumns))
{
}

uint32_t MergeSplit::PackColumn(const ConvertingTableColumn& column)
{
    return (static_cast<uint32_t>(column.x) & 0xFFFFFFu) | ((static_cast<uint32_t>(column.format) & 0x7Fu) << 24) |
           (column.flag ? 0x80000000u : 0u);
}

ConvertingTableColumn MergeSplit::UnpackColumn(uint32_t packed)
{
    return ConvertingTableColumn{static_cast<int32_t>(packed & 0xFFFFFFu), static_cast<uint8_t>(packed >> 31),
                                 static_cast<int32_t>((packed >> 24) & 0x7Fu)};
}

bool MergeSplit::Undo(ConvertingTableLayout& target)
{
    return Apply(target, !m_wasMerge);
}

bool MergeSplit::Redo(ConvertingTableLayout& target)
{
    return Apply(target, m_wasMerge);
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
    if (m_kind < Columns || m_kind > Cells)
        return false;
    ConvertingTableLayout work(target);
    if (!(this->*steps[m_kind][merge ? 1 : 0])(work))
        return false;
    // Saved values that do not fit the layout as it now stands (a row line outside its rows, a
    // column line out of order) would give a layout that can no longer be stored.
    if (!work.IsConsistent() && target.IsConsistent())
        return false;
    target = std::move(work);
    return true;
}

bool MergeSplit::MergeColumns(ConvertingTableLayout& target)
{
    if (m_first < 0 || m_first >= m_last || m_last >= target.GetColumnCount())
        return false;
    if (m_savedColumns.empty()) {
        for (int c = m_first; c <= m_last; ++c)
            m_savedColumns.push_back(target.GetColumn(c));
    }
    ConvertingTableColumn merged = target.GetColumn(m_first);
    const int32_t formatBefore = merged.format;
    merged.x = target.GetColumn(m_last).x;
    for (int c = m_last; c > m_first; --c) {
        const ConvertingTableColumn& column = target.GetColumn(c);
        if (column.format != formatBefore)
            merged.format = CellFormatAutomatic;
        merged.flag |= column.flag;
        target.DeleteColumn(c);
    }
    target.GetColumn(m_first) = merged;
    return true;
}

bool MergeSplit::SplitColumns(ConvertingTableLayout& target)
{
    const int count = static_cast<int>(m_savedColumns.size());
    if (count < 2 || m_first < 0 || m_first >= target.GetColumnCount() || m_last != m_first + count - 1)
        return false;
    for (int i = 0; i + 1 < count; ++i) {
        if (!target.InsertColumn(m_first + i, m_savedColumns[i]))
            return false;
    }
    // The merged column, now at last, keeps its x.
    ConvertingTableColumn& merged = target.GetColumn(m_last);
    merged.format = m_savedColumns.back().format;
    merged.flag = m_savedColumns.back().flag;
    return true;
}

bool MergeSplit::MergeRows(ConvertingTableLayout& target)
{
    const int lineCount = target.GetRowLineCount();
    if (m_first < 0 || m_first >= m_last || m_first >= lineCount)
        return false;
    // Merging up to the last row removes every line from first on.
    const int removals = (m_last < lineCount ? m_last : lineCount) - m_first;
    const bool record = m_saved.empty();
    for (int i = 0; i < removals; ++i) {
        if (record)
            m_saved.push_back(static_cast<uint32_t>(target.GetRowLine(m_first)));
        target.DeleteRowLine(m_first);
    }
    return true;
}

bool MergeSplit::SplitRows(ConvertingTableLayout& target)
{
    if (m_saved.empty() || m_first < 0 || m_first > target.GetRowLineCount())
        return false;
    for (size_t i = 0; i < m_saved.size(); ++i) {
        if (!target.InsertRowLine(m_first + static_cast<int>(i), static_cast<int32_t>(m_saved[i])))
            return false;
    }
    return true;
}

bool MergeSplit::MergeCells(ConvertingTableLayout& target)
{
    const int column0 = ConvertingTableLayout::IdColumn(m_first), row0 = ConvertingTableLayout::IdRow(m_first);
    const int column1 = ConvertingTableLayout::IdColumn(m_last), row1 = ConvertingTableLayout::IdRow(m_last);
    if (column0 > column1 || row0 > row1 || column1 >= target.GetColumnCount() || row1 >= target.GetRowCount())
        return false;
    if (m_saved.empty())
        target.CollectRectIds(column0, row0, column1, row1, m_saved);
    target.SetBlock(column0, row0, column1, row1);
    return true;
}

bool MergeSplit::SplitCells(ConvertingTableLayout& target)
{
    const int column = ConvertingTableLayout::IdColumn(m_first), row = ConvertingTableLayout::IdRow(m_first);
    if (column >= target.GetColumnCount() || row >= target.GetRowCount() || !target.IsMergedOrigin(column, row))
        return false;
    if (!m_saved.empty())
        return target.SetBlockIds(column, row, m_saved);
    std::vector<uint32_t> ownIds;
    target.CollectBlockIds(column, row, ownIds);
    if (!target.SetBlockIds(column, row, ownIds))
        return false;
    m_saved = std::move(ownIds);
    return true;
}

// ---------------------------------------------------------------------------------------------
ColumnFormat::ColumnFormat(std::map<int32_t, int32_t> oldFormats, int32_t newFormat)
    : m_oldFormats(std::move(oldFormats)), m_newFormat(newFormat)
{
}

bool ColumnFormat::Undo(ConvertingTableLayout& target)
{
    if (!ColumnsExist(target))
        return false;
    for (const auto& [column, format] : m_oldFormats)
        target.GetColumn(column).format = format;
    return true;
}

bool ColumnFormat::Redo(ConvertingTableLayout& target)
{
    if (!ColumnsExist(target))
        return false;
    for (const auto& entry : m_oldFormats)
        target.GetColumn(entry.first).format = m_newFormat;
    return true;
}

bool ColumnFormat::ColumnsExist(const ConvertingTableLayout& target) const
{
    for (const auto& entry : m_oldFormats) {
        if (entry.first < 0 || entry.first >= target.GetColumnCount())
            return false;
    }
    return true;
}

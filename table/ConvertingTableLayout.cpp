#include "table/ConvertingTableLayout.h"

#include <algorithm>

#include "pagemodel/OxReadWrite.h"
#include "table/WordGeometry.h"

namespace
{
RECT MakeRect(LONG left, LONG top, LONG right, LONG bottom)
{
    RECT rect;
    rect.left = left;
    rect.top = top;
    rect.right = right;
    rect.bottom = bottom;
    return rect;
}

// Maps the span [first, last] of a block on one axis to the axis without index i.
// False when the whole span lay on i.
bool RemoveIndexFromSpan(int& first, int& last, int i)
{
    if (last < i)
        return true;
    if (first > i)
    {
        --first;
        --last;
        return true;
    }
    if (first == last)
        return false;
    --last;
    return true;
}
} // namespace

ConvertingTableLayout::ConvertingTableLayout() : m_rect(MakeRect(0, 0, 0, 0)), m_ids(1)
{
}

ConvertingTableLayout::~ConvertingTableLayout() = default;

bool ConvertingTableLayout::operator==(const ConvertingTableLayout& other) const
{
    return EqualRect(&m_rect, &other.m_rect) && m_columns == other.m_columns && m_rowLines == other.m_rowLines &&
           m_ids == other.m_ids && m_trailerValue == other.m_trailerValue &&
           m_autoRowDetection == other.m_autoRowDetection && m_trailerFlag == other.m_trailerFlag &&
           m_trailerValue2 == other.m_trailerValue2;
}

bool ConvertingTableLayout::IsEmpty() const
{
    return m_rect.left == 0 && m_rect.top == 0 && m_rect.right == 0 && m_rect.bottom == 0;
}

bool ConvertingTableLayout::HasConvertedColumn() const
{
    return std::any_of(m_columns.begin(), m_columns.end(),
                       [](const ConvertingTableColumn& column) { return column.flag == 1; });
}

int32_t ConvertingTableLayout::GetCellId(int column, int row) const
{
    if (row < 0 || row >= static_cast<int>(m_ids.size()) || column < 0 ||
        column >= static_cast<int>(m_ids[row].size()))
        return -1;
    return m_ids[row][column];
}

int ConvertingTableLayout::ColumnAt(int32_t x, int32_t y) const
{
    if (m_columns.empty() || x < m_rect.left || x >= m_rect.right || y < m_rect.top || y >= m_rect.bottom)
        return -1;
    const int last = GetColumnCount() - 1;
    for (int i = 0; i < last; ++i)
    {
        if (m_columns[i].x >= x)
            return i;
    }
    return last;
}

int ConvertingTableLayout::RowAt(int32_t, int32_t y) const
{
    for (int i = 0; i < GetRowLineCount(); ++i)
    {
        if (m_rowLines[i] >= y)
            return i;
    }
    return GetRowLineCount();
}

RECT ConvertingTableLayout::GetColumnExtent(int column) const
{
    RECT extent = m_rect;
    if (column > 0)
        extent.left = m_columns[column - 1].x;
    const int32_t x = m_columns[column].x;
    if (x != -1 && (column > 0 || GetColumnCount() >= 2))
        extent.right = x;
    return extent;
}

RECT ConvertingTableLayout::GetRowExtent(int row) const
{
    RECT extent = m_rect;
    if (row > 0)
        extent.top = m_rowLines[row - 1];
    if (row < GetRowLineCount())
        extent.bottom = m_rowLines[row];
    return extent;
}

RECT ConvertingTableLayout::GetCellRect(int column, int row) const
{
    const RECT columnExtent = GetColumnExtent(column);
    const RECT rowExtent = GetRowExtent(row);
    return MakeRect(columnExtent.left, rowExtent.top, columnExtent.right, rowExtent.bottom);
}

bool ConvertingTableLayout::GetMergedCellRect(int column, int row, RECT& rect) const
{
    if (!IsOrigin(column, row))
        return false;
    int lastColumn = column, lastRow = row;
    GetBlockEnd(column, row, lastColumn, lastRow);
    const RECT first = GetCellRect(column, row);
    const RECT last = GetCellRect(lastColumn, lastRow);
    rect = MakeRect(first.left, first.top, last.right, last.bottom);
    return true;
}

bool ConvertingTableLayout::WordInTable(const RECT& word) const
{
    if (word.right < m_rect.left || word.left > m_rect.right)
        return false;
    const int32_t centre = VerticalCentre(word);
    return centre >= m_rect.top && centre <= m_rect.bottom;
}

int32_t ConvertingTableLayout::CellOfWord(const RECT& word) const
{
    if (!WordInTable(word))
        return -1;
    const int32_t x = (std::max)(static_cast<int32_t>(word.left), static_cast<int32_t>(m_rect.left));
    const int32_t centre = VerticalCentre(word);
    const int column = ColumnAt(x, centre);
    if (column < 0)
        return -1;
    return GetCellId(column, RowAt(x, centre));
}

void ConvertingTableLayout::GetCellOrigin(int& column, int& row) const
{
    const int32_t id = GetCellId(column, row);
    if (id < 0)
        return;
    column = IdColumn(id);
    row = IdRow(id);
}

bool ConvertingTableLayout::IsOrigin(int column, int row) const
{
    const int32_t id = GetCellId(column, row);
    return id >= 0 && id == MakeCellId(column, row);
}

bool ConvertingTableLayout::IsMergedOrigin(int column, int row) const
{
    if (!IsOrigin(column, row))
        return false;
    const int32_t id = MakeCellId(column, row);
    return GetCellId(column + 1, row) == id || GetCellId(column, row + 1) == id;
}

void ConvertingTableLayout::GetBlockEnd(int column, int row, int& lastColumn, int& lastRow) const
{
    const int32_t id = GetCellId(column, row);
    lastColumn = column;
    lastRow = row;
    if (id < 0)
        return;
    while (GetCellId(lastColumn + 1, row) == id)
        ++lastColumn;
    while (GetCellId(column, lastRow + 1) == id)
        ++lastRow;
}

bool ConvertingTableLayout::HasMergedCells() const
{
    for (size_t row = 0; row < m_ids.size(); ++row)
    {
        for (size_t column = 0; column < m_ids[row].size(); ++column)
        {
            if (m_ids[row][column] != MakeCellId(static_cast<int>(column), static_cast<int>(row)))
                return true;
        }
    }
    return false;
}

bool ConvertingTableLayout::Differs(const ConvertingTableLayout& other) const
{
    if (m_trailerValue != other.m_trailerValue || !EqualRect(&m_rect, &other.m_rect) ||
        m_columns.size() != other.m_columns.size())
        return true;
    for (size_t i = 0; i < m_columns.size(); ++i)
    {
        if (m_columns[i].x != other.m_columns[i].x || m_columns[i].flag != other.m_columns[i].flag)
            return true;
    }
    return false;
}

void ConvertingTableLayout::Clear()
{
    m_rect = MakeRect(0, 0, 0, 0);
    m_columns.clear();
    m_rowLines.clear();
    m_ids.assign(1, std::vector<int32_t>());
    m_autoRowDetection = true;
    m_trailerValue2 = 0;
}

void ConvertingTableLayout::FillOwnIds(int rowCount, int columnCount)
{
    m_ids.assign(rowCount, std::vector<int32_t>(columnCount));
    for (int row = 0; row < rowCount; ++row)
    {
        for (int column = 0; column < columnCount; ++column)
            m_ids[row][column] = MakeCellId(column, row);
    }
}

// Brings a matrix that does not match the column count (as ResetColumns leaves it) to one id per
// column, the missing cells standing alone.
void ConvertingTableLayout::FitMatrixToColumns()
{
    m_ids.resize(GetRowCount());
    for (size_t row = 0; row < m_ids.size(); ++row)
    {
        std::vector<int32_t>& ids = m_ids[row];
        if (ids.size() == m_columns.size())
            continue;
        const size_t kept = (std::min)(ids.size(), m_columns.size());
        ids.resize(m_columns.size());
        for (size_t column = kept; column < ids.size(); ++column)
            ids[column] = MakeCellId(static_cast<int>(column), static_cast<int>(row));
    }
}

bool ConvertingTableLayout::InsertColumn(int i, const ConvertingTableColumn& column)
{
    if (i < 0 || i > GetColumnCount() || GetColumnCount() >= MaxColumns)
        return false;
    FitMatrixToColumns();
    const bool last = i == GetColumnCount();
    m_columns.insert(m_columns.begin() + i, column);
    for (size_t row = 0; row < m_ids.size(); ++row)
    {
        std::vector<int32_t>& ids = m_ids[row];
        // A block that ran across the new line keeps the new column; one that began at i moves right.
        const int32_t inserted = last ? MakeCellId(i, static_cast<int>(row)) : ids[i];
        ids.insert(ids.begin() + i, inserted);
        for (size_t c = i + 1; c < ids.size(); ++c)
        {
            if (IdColumn(ids[c]) >= i)
                ++ids[c];
        }
    }
    return true;
}

bool ConvertingTableLayout::AppendColumn(const ConvertingTableColumn& column)
{
    return InsertColumn(GetColumnCount(), column);
}

std::vector<ConvertingTableLayout::Block> ConvertingTableLayout::CollectBlocks() const
{
    std::vector<Block> blocks;
    for (int row = 0; row < static_cast<int>(m_ids.size()); ++row)
    {
        for (int column = 0; column < static_cast<int>(m_ids[row].size()); ++column)
        {
            if (!IsOrigin(column, row))
                continue;
            Block block{column, row, column, row};
            GetBlockEnd(column, row, block.column1, block.row1);
            blocks.push_back(block);
        }
    }
    return blocks;
}

void ConvertingTableLayout::SetIdsFromBlocks(const std::vector<Block>& blocks, int columnCount, int rowCount)
{
    FillOwnIds(rowCount, columnCount);
    for (const Block& block : blocks)
        SetBlock(block.column0, block.row0, block.column1, block.row1);
}

void ConvertingTableLayout::DeleteColumn(int i)
{
    if (i < 0 || i >= GetColumnCount())
        return;
    FitMatrixToColumns();
    std::vector<Block> blocks = CollectBlocks();
    // A block that began in the deleted column joins the block on its left when that one covers
    // exactly the same rows, so the area that column i - 1 takes over keeps its merge; otherwise
    // what is left of it stands as a block of its own.
    std::vector<bool> joined(blocks.size(), false);
    for (size_t b = 0; b < blocks.size() && i > 0; ++b)
    {
        const Block block = blocks[b];
        if (block.column0 != i || block.column1 == i)
            continue;
        for (Block& left : blocks)
        {
            if (left.column1 == i - 1 && left.row0 == block.row0 && left.row1 == block.row1)
            {
                left.column1 = block.column1; // lowered by one with the others below
                joined[b] = true;
                break;
            }
        }
    }
    std::vector<Block> mapped;
    for (size_t b = 0; b < blocks.size(); ++b)
    {
        Block block = blocks[b];
        if (!joined[b] && RemoveIndexFromSpan(block.column0, block.column1, i))
            mapped.push_back(block);
    }
    m_columns.erase(m_columns.begin() + i);
    SetIdsFromBlocks(mapped, GetColumnCount(), GetRowCount());
}

bool ConvertingTableLayout::InsertRowLine(int i, int32_t y)
{
    if (i < 0 || i > GetRowLineCount() || GetRowCount() >= MaxRows)
        return false;
    FitMatrixToColumns();
    m_rowLines.insert(m_rowLines.begin() + i, y);
    std::vector<int32_t> inserted = m_ids[i];
    m_ids.insert(m_ids.begin() + i, inserted);
    for (size_t row = i + 1; row < m_ids.size(); ++row)
    {
        for (int32_t& id : m_ids[row])
        {
            if (IdRow(id) >= i)
                id += 1 << 16;
        }
    }
    return true;
}

void ConvertingTableLayout::DeleteRowLine(int i)
{
    if (i < 0 || i >= GetRowLineCount())
        return;
    FitMatrixToColumns();
    std::vector<Block> mapped;
    for (Block block : CollectBlocks())
    {
        if (RemoveIndexFromSpan(block.row0, block.row1, i))
            mapped.push_back(block);
    }
    m_rowLines.erase(m_rowLines.begin() + i);
    SetIdsFromBlocks(mapped, GetColumnCount(), GetRowCount());
}

void ConvertingTableLayout::ResetRows()
{
    m_rowLines.clear();
    FillOwnIds(1, GetColumnCount());
}

void ConvertingTableLayout::ResetColumns()
{
    m_columns.clear();
    m_ids.assign(GetRowCount(), std::vector<int32_t>(1));
    for (int row = 0; row < GetRowCount(); ++row)
        m_ids[row][0] = MakeCellId(0, row);
}

void ConvertingTableLayout::ResetIds()
{
    FillOwnIds(GetRowCount(), GetColumnCount());
}

void ConvertingTableLayout::SetBlock(int column0, int row0, int column1, int row1)
{
    const int32_t id = MakeCellId(column0, row0);
    for (int row = (std::max)(row0, 0); row <= row1 && row < static_cast<int>(m_ids.size()); ++row)
    {
        for (int column = (std::max)(column0, 0); column <= column1 && column < static_cast<int>(m_ids[row].size());
             ++column)
            m_ids[row][column] = id;
    }
}

void ConvertingTableLayout::CollectRectIds(int column0, int row0, int column1, int row1,
                                           std::vector<uint32_t>& ids) const
{
    for (int row = row0; row <= row1; ++row)
    {
        for (int column = column0; column <= column1; ++column)
            ids.push_back(static_cast<uint32_t>(GetCellId(column, row)));
    }
}

void ConvertingTableLayout::CollectBlockIds(int column, int row, std::vector<uint32_t>& ids) const
{
    int lastColumn = column, lastRow = row;
    GetBlockEnd(column, row, lastColumn, lastRow);
    for (int r = row; r <= lastRow; ++r)
    {
        for (int c = column; c <= lastColumn; ++c)
            ids.push_back(static_cast<uint32_t>(MakeCellId(c, r)));
    }
}

bool ConvertingTableLayout::SetBlockIds(int column, int row, const std::vector<uint32_t>& ids)
{
    if (GetCellId(column, row) < 0)
        return false;
    int lastColumn = column, lastRow = row;
    GetBlockEnd(column, row, lastColumn, lastRow);
    const size_t width = static_cast<size_t>(lastColumn - column + 1);
    const size_t height = static_cast<size_t>(lastRow - row + 1);
    if (ids.size() < width * height)
        return false;
    for (int r = row; r <= lastRow; ++r)
    {
        for (int c = column; c <= lastColumn; ++c)
            m_ids[r][c] = static_cast<int32_t>(ids[width * (r - row) + (c - column)]);
    }
    return true;
}

void ConvertingTableLayout::FitToPage(const RECT& page, int32_t minWidth, int32_t minHeight)
{
    if (IsEmpty())
        return;
    const int64_t pageLeftLimit = static_cast<int64_t>(page.left) + minWidth;
    const int64_t pageRightLimit = static_cast<int64_t>(page.right) - minWidth;
    if (m_rect.left < page.left)
    {
        // The last column's right edge is the table's, which the width check below deals with.
        while (GetColumnCount() > 1 && m_columns[0].x < pageLeftLimit)
            DeleteColumn(0);
        m_rect.left = page.left;
    }
    if (HasColumns() && m_rect.right > page.right)
    {
        int first = 0;
        while (first < GetColumnCount() && (m_columns[first].x == -1 || m_columns[first].x <= pageRightLimit))
            ++first;
        while (GetColumnCount() > first)
            DeleteColumn(GetColumnCount() - 1);
        if (HasColumns())
            m_columns.back().x = -1;
        else
            AppendColumn(ConvertingTableColumn{-1, 1, CellFormatAutomatic});
        m_rect.right = page.right;
    }
    m_rect.top = (std::max)(m_rect.top, page.top);
    m_rect.bottom = (std::min)(m_rect.bottom, page.bottom);
    if (static_cast<int64_t>(m_rect.right) - m_rect.left < minWidth ||
        static_cast<int64_t>(m_rect.bottom) - m_rect.top < minHeight)
    {
        Clear();
        return;
    }
    const int64_t lowestLine = static_cast<int64_t>(m_rect.bottom) - minHeight;
    while (GetRowLineCount() > 1 && m_rowLines.back() > lowestLine)
        DeleteRowLine(GetRowLineCount() - 1);
    // A line left outside the clipped table would make a layout that cannot be stored: the row
    // above a line above the top, and the row below a line below the bottom, are gone with the
    // page.
    while (GetRowLineCount() > 0 && m_rowLines.front() < m_rect.top)
        DeleteRowLine(0);
    while (GetRowLineCount() > 0 && m_rowLines.back() > m_rect.bottom)
        DeleteRowLine(GetRowLineCount() - 1);
}

// --- the layout file format

namespace
{
// Format codes of versions 3 and 4, indexed by the stored code.
constexpr int32_t OldFormatCodes[] = {CellFormatAutomatic, CellFormatNumber, CellFormatText, CellFormatDate};

bool StreamHolds(const OxReadWrite& stream, uint64_t bytes)
{
    return bytes <= stream.GetCount();
}
} // namespace

bool ConvertingTableLayout::Read(OxReadWrite& stream)
{
    uint32_t magic = 0, version = 0;
    if (!stream.ReadValue(magic) || magic != FileMagic)
        return false;
    if (!stream.ReadValue(version) || version < OldestFileVersion || version > FileVersion)
        return false;
    // Read into a layout of its own so that a file that fails half-way leaves this one as it was.
    ConvertingTableLayout read;
    if (!read.ReadBody(stream, version) || !read.IsConsistent())
        return false;
    *this = std::move(read);
    return true;
}

bool ConvertingTableLayout::ReadBody(OxReadWrite& stream, uint32_t version)
{
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    if (!stream.ReadValue(left) || !stream.ReadValue(top) || !stream.ReadValue(right) || !stream.ReadValue(bottom))
        return false;
    m_rect = MakeRect(left, top, right, bottom);

    uint32_t columnCount = 0;
    if (!stream.ReadValue(columnCount) || columnCount > static_cast<uint32_t>(MaxColumns))
        return false;
    const uint32_t columnBytes = version >= 3 ? 9 : 5;
    if (!StreamHolds(stream, static_cast<uint64_t>(columnCount) * columnBytes))
        return false;
    m_columns.resize(columnCount);
    for (ConvertingTableColumn& column : m_columns)
    {
        if (!stream.ReadValue(column.flag) || !stream.ReadValue(column.x))
            return false;
        column.format = CellFormatAutomatic;
        if (version < 3)
            continue;
        if (!stream.ReadValue(column.format))
            return false;
        if (version <= 4)
        {
            if (column.format < 0 || column.format > 3)
                return false;
            column.format = OldFormatCodes[column.format];
        }
        // Later versions store the format as it is; a code this program does not know is kept as
        // read (and converted as Automatic) so that one column never costs the whole table.
    }

    if (version < 4)
    {
        FillOwnIds(1, GetColumnCount());
        return true;
    }
    uint32_t rowLineCount = 0;
    if (!stream.ReadValue(rowLineCount) || rowLineCount >= static_cast<uint32_t>(MaxRows))
        return false;
    const uint64_t idCount = (static_cast<uint64_t>(rowLineCount) + 1) * columnCount;
    if (!StreamHolds(stream, (rowLineCount + idCount) * sizeof(int32_t)))
        return false;
    m_rowLines.resize(rowLineCount);
    if (rowLineCount > 0 && !stream.Read(m_rowLines.data(), rowLineCount * sizeof(int32_t)))
        return false;
    m_ids.assign(rowLineCount + 1, std::vector<int32_t>(columnCount));
    for (std::vector<int32_t>& row : m_ids)
    {
        if (columnCount > 0 && !stream.Read(row.data(), columnCount * sizeof(int32_t)))
            return false;
    }

    if (version >= 6 && !stream.ReadValue(m_trailerValue))
        return false;
    if (version >= 7)
    {
        uint8_t autoRows = 0;
        if (!stream.ReadValue(autoRows) || !stream.ReadValue(m_trailerFlag) || !stream.ReadValue(m_trailerValue2))
            return false;
        m_autoRowDetection = autoRows != 0;
    }
    return true;
}

bool ConvertingTableLayout::Write(OxReadWrite& stream) const
{
    // A file that Read would refuse loses the user's table on the next open: refuse it here, so
    // that the save fails where the user sees it.
    if (!IsConsistent())
        return false;
    const int32_t rect[4] = {m_rect.left, m_rect.top, m_rect.right, m_rect.bottom};
    if (!stream.WriteValue(FileMagic) || !stream.WriteValue(FileVersion) || !stream.Write(rect, sizeof rect) ||
        !stream.WriteValue(static_cast<uint32_t>(m_columns.size())))
        return false;
    for (const ConvertingTableColumn& column : m_columns)
    {
        if (!stream.WriteValue(column.flag) || !stream.WriteValue(column.x) || !stream.WriteValue(column.format))
            return false;
    }
    if (!stream.WriteValue(static_cast<uint32_t>(m_rowLines.size())))
        return false;
    if (!m_rowLines.empty() && !stream.Write(m_rowLines.data(), static_cast<uint32_t>(m_rowLines.size() * sizeof(int32_t))))
        return false;
    for (const std::vector<int32_t>& row : m_ids)
    {
        if (!row.empty() && !stream.Write(row.data(), static_cast<uint32_t>(row.size() * sizeof(int32_t))))
            return false;
    }
    const uint8_t autoRows = m_autoRowDetection ? 1 : 0;
    return stream.WriteValue(m_trailerValue) && stream.WriteValue(autoRows) && stream.WriteValue(m_trailerFlag) &&
           stream.WriteValue(m_trailerValue2);
}

bool ConvertingTableLayout::IsConsistent() const
{
    return LinesAreConsistent() && IdsAreConsistent();
}

bool ConvertingTableLayout::LinesAreConsistent() const
{
    if (!m_columns.empty() && m_columns.back().x != -1)
        return false;
    for (const ConvertingTableColumn& column : m_columns)
    {
        if (column.flag > 1)
            return false;
    }
    LONG previous = m_rect.left;
    for (size_t i = 0; i + 1 < m_columns.size(); ++i)
    {
        if (m_columns[i].x < previous || m_columns[i].x > m_rect.right)
            return false;
        previous = m_columns[i].x;
    }
    previous = m_rect.top;
    for (int32_t y : m_rowLines)
    {
        if (y < previous || y > m_rect.bottom)
            return false;
        previous = y;
    }
    return true;
}

bool ConvertingTableLayout::IdsAreConsistent() const
{
    const int rowCount = GetRowCount(), columnCount = GetColumnCount();
    if (static_cast<int>(m_ids.size()) != rowCount)
        return false;
    // Cells per block, kept at the block's top-left cell.
    std::vector<uint32_t> cellsOfBlock(static_cast<size_t>(rowCount) * columnCount, 0);
    for (int row = 0; row < rowCount; ++row)
    {
        if (static_cast<int>(m_ids[row].size()) != columnCount)
            return false;
        for (int column = 0; column < columnCount; ++column)
        {
            const int32_t id = m_ids[row][column];
            const int originColumn = IdColumn(id), originRow = IdRow(id);
            if (id < 0 || originColumn > column || originRow > row || m_ids[originRow][originColumn] != id)
                return false;
            ++cellsOfBlock[static_cast<size_t>(originRow) * columnCount + originColumn];
        }
    }
    // Each block must fill the rectangle spanned by its top row and its left column.
    for (int row = 0; row < rowCount; ++row)
    {
        for (int column = 0; column < columnCount; ++column)
        {
            const uint32_t cells = cellsOfBlock[static_cast<size_t>(row) * columnCount + column];
            if (cells == 0)
                continue;
            int lastColumn = column, lastRow = row;
            GetBlockEnd(column, row, lastColumn, lastRow);
            const uint64_t area = static_cast<uint64_t>(lastColumn - column + 1) * (lastRow - row + 1);
            if (area != cells)
                return false;
            for (int r = row; r <= lastRow; ++r)
            {
                for (int c = column; c <= lastColumn; ++c)
                {
                    if (m_ids[r][c] != m_ids[row][column])
                        return false;
                }
            }
        }
    }
    return true;
}

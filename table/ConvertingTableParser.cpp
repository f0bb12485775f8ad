#include "table/ConvertingTableParser.h"

#include <algorithm>

#include "table/ConvertingTableLayout.h"
#include "table/ProgressInterface.h"
#include "table/TableDetection.h"

namespace
{
// The part of the word's text that lies within [cellLeft, cellRight], by the share of the
// word's width; whole-number divisions, so a cut between two characters rounds toward zero.
// Taken into piece, whose storage serves every word of a conversion.
void PieceInCell(const ConvertingWord& word, const RECT& cell, std::wstring& piece)
{
    const int64_t length = static_cast<int64_t>(word.m_text.size());
    const int64_t width = static_cast<int64_t>(word.m_rect.right) - word.m_rect.left;
    int64_t first = 0, end = length;
    if (width > 0 && word.m_rect.right > cell.right)
    {
        const int64_t keep = (static_cast<int64_t>(cell.right) - word.m_rect.left) * length / width;
        end = (std::max)(int64_t(0), (std::min)(keep, length));
    }
    if (width > 0 && cell.left > word.m_rect.left)
    {
        const int64_t drop = (static_cast<int64_t>(cell.left) - word.m_rect.left) * length / width;
        first = (std::min)(drop, end);
    }
    piece.assign(word.m_text, static_cast<size_t>(first), static_cast<size_t>(end - first));
}

// Whether a space separates the word from the previous piece of the same cell on its line:
// when the gap between them is at least an eighth of the word's height.
bool SpaceBetween(const RECT& word, const RECT& previous)
{
    int64_t gap = 0;
    if (word.left > previous.right)
        gap = static_cast<int64_t>(word.left) - previous.right;
    else if (word.right < previous.left)
        gap = static_cast<int64_t>(previous.left) - word.right; // the word lies wholly left of it
    else
        gap = (std::max)(int64_t(0), static_cast<int64_t>(word.right) - previous.left);
    return gap >= (static_cast<int64_t>(word.bottom) - word.top) / 8;
}
} // namespace

std::unique_ptr<ConvertingTableGrid> ConvertingTableParser::ParsePage(int, std::unique_ptr<ConvertingTableGrid>, bool)
{
    return nullptr;
}

std::unique_ptr<ConvertingTableGrid> ConvertingTableParser::ParseWords(const WordList& words,
                                                                       std::unique_ptr<ConvertingTableGrid> grid,
                                                                       bool detectRows)
{
    if (!grid)
        grid.reset(new ConvertingTableGrid(m_layout));
    if (!m_layout)
        return grid;
    const int base = grid->GetRowCount();
    if (detectRows)
        DetectTableRows(words, *m_layout);
    const ConvertingTableLayout& layout = *m_layout;

    // Grid columns count the converted layout columns only: flaggedBefore[c] is the grid column
    // of layout column c.
    const int columnCount = layout.GetColumnCount();
    std::vector<int> flaggedBefore(columnCount + 1, 0);
    for (int c = 0; c < columnCount; ++c)
        flaggedBefore[c + 1] = flaggedBefore[c] + (layout.GetColumn(c).flag == 1 ? 1 : 0);

    const int64_t total = static_cast<int64_t>(words.size());
    int lastStep = 0;
    int previousColumn = -1;
    RECT previous{0, 0, 0, 0};
    std::wstring piece;
    for (int64_t i = 0; i < total; ++i)
    {
        if (m_progress && i % 10 == 0)
        {
            const int step = static_cast<int>(i * 100 / total);
            if (step > lastStep)
            {
                m_progress->Step(step - lastStep);
                lastStep = step;
            }
            if (m_progress->IsCanceled())
                return nullptr;
        }
        const ConvertingWord& word = *words[static_cast<size_t>(i)];
        const RECT& rect = word.m_rect;
        const int32_t id = layout.CellOfWord(rect);
        if (id < 0)
            continue;
        const int row = ConvertingTableLayout::IdRow(id);
        for (int c = ConvertingTableLayout::IdColumn(id); c < columnCount; ++c)
        {
            int originColumn = c, originRow = row;
            layout.GetCellOrigin(originColumn, originRow);
            if (originColumn != c)
                continue; // part of a block that starts further left
            int extraColumns = 0, extraRows = 0;
            if (layout.IsMergedOrigin(c, originRow))
            {
                int lastColumn = c, lastRow = originRow;
                layout.GetBlockEnd(c, originRow, lastColumn, lastRow);
                extraColumns = flaggedBefore[lastColumn + 1] - flaggedBefore[c + 1];
                extraRows = lastRow - originRow;
            }
            if (layout.GetColumn(c).flag != 1)
                continue;
            RECT cell;
            if (!layout.GetMergedCellRect(c, originRow, cell) || cell.left >= rect.right)
                break;
            if (cell.right < rect.left)
                continue;
            PieceInCell(word, cell, piece);
            const bool spaceBefore =
                previousColumn != c || !IsSameTextLine(rect, previous) || SpaceBetween(rect, previous);
            // A grid made for another layout may have fewer columns; such pieces have no cell.
            if (flaggedBefore[c] < grid->GetColumnCount())
                grid->SetCell(flaggedBefore[c], base + originRow, extraColumns, extraRows, word, piece, spaceBefore,
                              ConvertedCellFormat(layout.GetColumn(c).format));
            if (!spaceBefore && previous.top >= rect.top && previous.bottom <= rect.bottom &&
                previous.right >= rect.left)
                previous = BoxUnion(previous, rect);
            else
                previous = rect;
            previousColumn = c;
        }
    }
    grid->PackRows();
    return grid;
}

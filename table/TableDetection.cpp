#include "table/TableDetection.h"

#include <algorithm>

#include "table/ConvertingTableLayout.h"

namespace
{
struct Interval
{
    int64_t a, b;
};

// Merges [left, right] into the ascending list of disjoint intervals. An interval that only
// touches one on its left stays apart, one that touches one on its right joins it: the result
// depends on the order in which the words come.
void MergeInterval(std::vector<Interval>& intervals, int64_t left, int64_t right)
{
    size_t k = 0;
    while (k < intervals.size() && intervals[k].b <= left)
        ++k;
    if (k == intervals.size())
    {
        intervals.push_back(Interval{left, right});
        return;
    }
    Interval& hit = intervals[k];
    if (hit.a > right)
    {
        intervals.insert(intervals.begin() + k, Interval{left, right});
        return;
    }
    if (left < hit.a)
        hit.a = left;
    for (;;)
    {
        Interval& current = intervals[k];
        if (right >= current.a && right < current.b)
            return;
        if (k + 1 == intervals.size() || intervals[k + 1].a >= right)
        {
            current.b = right;
            return;
        }
        current.b = intervals[k + 1].b;
        intervals.erase(intervals.begin() + k + 1);
    }
}

bool IsEmptyBox(const RECT& box)
{
    return box.right <= box.left || box.bottom <= box.top;
}
} // namespace

bool DetectTableColumns(const WordList& words, ConvertingTableLayout& layout, bool keepFormats, bool* noWords)
{
    if (noWords)
        *noWords = true;
    std::vector<Interval> intervals;
    for (const ConvertingWord* word : words)
    {
        const RECT& rect = word->m_rect;
        if (!layout.WordInTable(rect))
            continue;
        if (noWords)
            *noWords = false;
        const int64_t widen = (static_cast<int64_t>(rect.bottom) - rect.top) / 4;
        MergeInterval(intervals, rect.left - widen, rect.right + widen);
    }

    std::vector<int32_t> formats;
    for (int i = 0; keepFormats && i < layout.GetColumnCount(); ++i)
        formats.push_back(layout.GetColumn(i).format);
    size_t nextFormat = 0;
    auto takeFormat = [&]() { return nextFormat < formats.size() ? formats[nextFormat++] : CellFormatAutomatic; };

    layout.ResetColumns();
    // Words reaching over the table's edges widen intervals beyond it: keep every line inside the
    // table and in order, as a stored layout must be. The last column, at -1, always finds room.
    const RECT& table = layout.GetTableRect();
    int64_t previous = table.left;
    for (size_t i = 0; i + 1 < intervals.size() && layout.GetColumnCount() + 1 < ConvertingTableLayout::MaxColumns; ++i)
    {
        const int64_t middle = (intervals[i].b + intervals[i + 1].a) / 2;
        previous = (std::min)((std::max)(middle, previous), static_cast<int64_t>(table.right));
        layout.AppendColumn(ConvertingTableColumn{static_cast<int32_t>(previous), 1, takeFormat()});
    }
    layout.AppendColumn(ConvertingTableColumn{-1, 1, takeFormat()});
    return DetectTableRows(words, layout);
}

bool DetectTableRows(const WordList& words, ConvertingTableLayout& layout)
{
    std::vector<RECT> lines;
    RECT box{0, 0, 0, 0};
    for (const ConvertingWord* word : words)
    {
        const RECT& rect = word->m_rect;
        if (!layout.WordInTable(rect))
            continue;
        if (IsEmptyBox(box))
            box = rect;
        else if (IsSameTextLine(rect, box))
            box = BoxUnion(box, rect);
        else
        {
            lines.push_back(box);
            box = rect;
        }
    }
    if (!IsEmptyBox(box))
        lines.push_back(box);

    // The boxes follow the words' list order, which need not run down the page (text printed in
    // columns, or out of order): the lines between them are kept, sorted and inside the table, so
    // that every word finds its row and the layout can be stored.
    const RECT& table = layout.GetTableRect();
    std::vector<int32_t> ys;
    for (size_t i = 0; i + 1 < lines.size(); ++i)
    {
        const int64_t middle = (static_cast<int64_t>(lines[i + 1].top) + lines[i].bottom) / 2;
        ys.push_back(static_cast<int32_t>(
            (std::min)((std::max)(middle, static_cast<int64_t>(table.top)), static_cast<int64_t>(table.bottom))));
    }
    std::sort(ys.begin(), ys.end());
    layout.ResetRows();
    for (int32_t y : ys)
    {
        if (!layout.InsertRowLine(layout.GetRowLineCount(), y))
            break;
    }
    return true;
}

bool DetectTableOverWords(const WordList& words, ConvertingTableLayout& layout)
{
    if (words.empty())
        return false;
    RECT area = words.front()->m_rect;
    for (const ConvertingWord* word : words)
        UnionRect(&area, &area, &word->m_rect);
    InflateRect(&area, 2, 2);
    layout.SetTableRect(area);
    return DetectTableColumns(words, layout, false) && DetectTableRows(words, layout);
}

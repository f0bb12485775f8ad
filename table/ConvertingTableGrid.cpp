#include "table/ConvertingTableGrid.h"

#include <iterator>
#include <stdexcept>

#include "pagemodel/ConvertingWord.h"
#include "pagemodel/RtlText.h"
#include "table/ConvertingTableLayout.h"
#include "table/PackedRows.h"

void ConvertingTableCell::AddWord(const ConvertingWord& word, const std::wstring& text, bool spaceBefore,
                                  int32_t format)
{
    m_format = format;
    if (!m_words.empty() && spaceBefore)
        m_words.back().m_spaceFollows = 1;
    ConvertingTableCellWord added;
    added.m_text = text;
    added.m_colour = word.m_colour;
    added.m_fontSize = word.m_fontSize;
    m_words.push_back(std::move(added));
}

bool ConvertingTableCell::HasRtlText() const
{
    for (const ConvertingTableCellWord& word : m_words)
    {
        if (::HasRtlText(word.m_text))
            return true;
    }
    return false;
}

std::wstring ConvertingTableCell::GetJoinedText() const
{
    std::wstring text;
    for (const ConvertingTableCellWord& word : m_words)
    {
        text += word.m_text;
        if (word.m_spaceFollows)
            text += L' ';
    }
    return text;
}

int ConvertingTableCell::WordAtChar(int index) const
{
    if (m_words.empty())
        return -1;
    int end = 0;
    for (size_t i = 0; i < m_words.size(); ++i)
    {
        end += static_cast<int>(m_words[i].m_text.size()) + (m_words[i].m_spaceFollows ? 1 : 0);
        if (index < end)
            return static_cast<int>(i);
    }
    return 0;
}

void ConvertingTableCell::GetDisplayWords(std::vector<ConvertingTableCellWord>& list) const
{
    if (!HasRtlText())
    {
        list.insert(list.end(), m_words.begin(), m_words.end());
        return;
    }
    std::vector<int> indexMap;
    const std::wstring display = ConvertRtlTextWithMap(GetJoinedText(), indexMap);
    bool open = false;
    ConvertingTableCellWord current;
    for (size_t i = 0; i < display.size(); ++i)
    {
        if (display[i] == L' ')
        {
            if (open)
            {
                current.m_spaceFollows = 1;
                list.push_back(current);
                open = false;
            }
            continue;
        }
        const int wordIndex = i < indexMap.size() ? WordAtChar(indexMap[i]) : 0;
        const ConvertingTableCellWord& source = m_words[wordIndex < 0 ? 0 : wordIndex];
        if (open && (current.m_colour != source.m_colour || current.m_fontSize != source.m_fontSize))
        {
            list.push_back(current);
            open = false;
        }
        if (!open)
        {
            current = ConvertingTableCellWord();
            current.m_colour = source.m_colour;
            current.m_fontSize = source.m_fontSize;
            open = true;
        }
        current.m_text += display[i];
    }
    if (open)
        list.push_back(current);
}

ConvertingTableGrid::ConvertingTableGrid(const ConvertingTableLayout* layout)
    : m_packed(std::make_unique<PackedRows>()), m_layout(layout)
{
    for (int i = 0; layout && i < layout->GetColumnCount(); ++i)
    {
        if (layout->GetColumn(i).flag == 1)
            ++m_flaggedColumnCount;
    }
}

ConvertingTableGrid::~ConvertingTableGrid() = default;

int ConvertingTableGrid::GetRowCount() const
{
    return m_packed->GetRowCount() + static_cast<int>(m_open.size());
}

size_t ConvertingTableGrid::GetTextLength() const
{
    size_t length = m_packed->GetTextLength();
    for (const ConvertingTableRow& row : m_open)
        for (const ConvertingTableCell& cell : row)
            for (const ConvertingTableCellWord& word : cell.m_words)
                length += word.m_text.size() + (word.m_spaceFollows ? 1 : 0);
    return length;
}

void ConvertingTableGrid::SetCell(int column, int row, int extraColumns, int extraRows, const ConvertingWord& word,
                                  const std::wstring& text, bool spaceBefore, int32_t format)
{
    if (row < m_packed->GetRowCount())
        UnpackFrom(row);
    while (GetRowCount() <= row)
    {
        if (m_spareRows.empty())
        {
            m_open.emplace_back(m_flaggedColumnCount);
            continue;
        }
        m_open.push_back(std::move(m_spareRows.back()));
        m_spareRows.pop_back();
    }
    ConvertingTableRow& cells = m_open[static_cast<size_t>(row - m_packed->GetRowCount())];
    if (column < 0 || column >= static_cast<int>(cells.size()))
        throw std::out_of_range("invalid vector<T> subscript");
    ConvertingTableCell& cell = cells[column];
    cell.AddWord(word, text, spaceBefore, format);
    if (extraColumns > 0 || extraRows > 0)
        cell.m_span = (extraRows << 16) | extraColumns;
}

void ConvertingTableGrid::PackRows()
{
    // The emptied rows serve the next page, so that their cells' storage is not made anew each time.
    for (ConvertingTableRow& row : m_open)
    {
        m_packed->Append(row);
        for (ConvertingTableCell& cell : row)
        {
            cell.m_words.clear();
            cell.m_format = CellFormatAutomatic;
            cell.m_span = 0;
        }
        m_spareRows.push_back(std::move(row));
    }
    m_open.clear();
}

void ConvertingTableGrid::UnpackFrom(int row)
{
    std::vector<ConvertingTableRow> taken;
    while (m_packed->GetRowCount() > row)
        taken.push_back(m_packed->TakeLast());
    m_open.insert(m_open.begin(), std::make_move_iterator(taken.rbegin()), std::make_move_iterator(taken.rend()));
}

ConvertingTableCell ConvertingTableGrid::GetCell(int column, int row) const
{
    if (row < m_packed->GetRowCount())
        return m_packed->GetCell(column, row);
    return m_open[static_cast<size_t>(row - m_packed->GetRowCount())][static_cast<size_t>(column)];
}

namespace
{
// "12.50-" is how some programs print a negative number; spreadsheets want "-12.50".
void MoveTrailingMinusToFront(std::wstring& text)
{
    if (text.size() <= 1 || text.back() != L'-' ||
        text.find_first_not_of(L"0123456789,.-") != std::wstring::npos)
        return;
    text.pop_back();
    text.insert(text.begin(), L'-');
}

std::wstring OutputText(std::wstring text, int32_t format, bool rtl)
{
    if (format == CellFormatNumber)
        MoveTrailingMinusToFront(text);
    return rtl ? PrepareRtlText(text) : ConvertRtlText(text);
}
} // namespace

std::wstring ConvertingTableGrid::GetCellText(const ConvertingTableCell& cell, bool rtl)
{
    return OutputText(cell.GetJoinedText(), cell.m_format, rtl);
}

std::wstring ConvertingTableGrid::GetCellText(int column, int row, bool rtl) const
{
    if (row < m_packed->GetRowCount())
        return OutputText(m_packed->GetJoinedText(column, row), m_packed->GetFormat(column, row), rtl);
    return GetCellText(GetCell(column, row), rtl);
}

int32_t ConvertingTableGrid::GetColumnFormat(int column) const
{
    bool found = false;
    int32_t format = CellFormatAutomatic;
    if (column < 0 || column >= m_flaggedColumnCount)
        return format;
    for (int row = 0; row < GetRowCount(); ++row)
    {
        int32_t cellFormat = CellFormatAutomatic;
        if (row < m_packed->GetRowCount())
        {
            if (!m_packed->HasWords(column, row))
                continue;
            cellFormat = m_packed->GetFormat(column, row);
        }
        else
        {
            const ConvertingTableCell& cell = m_open[static_cast<size_t>(row - m_packed->GetRowCount())][column];
            if (cell.m_words.empty())
                continue;
            cellFormat = cell.m_format;
        }
        if (found && cellFormat != format)
            return CellFormatAutomatic;
        format = cellFormat;
        found = true;
    }
    return format;
}

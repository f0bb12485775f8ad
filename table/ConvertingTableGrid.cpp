#include "table/ConvertingTableGrid.h"

#include <stdexcept>

#include "pagemodel/ConvertingWord.h"
#include "pagemodel/RtlText.h"
#include "table/ConvertingTableLayout.h"

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
    m_words.push_back(added);
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

ConvertingTableGrid::ConvertingTableGrid(const ConvertingTableLayout* layout) : m_layout(layout)
{
    for (int i = 0; layout && i < layout->GetColumnCount(); ++i)
    {
        if (layout->GetColumn(i).flag == 1)
            ++m_flaggedColumnCount;
    }
}

void ConvertingTableGrid::SetCell(int column, int row, int extraColumns, int extraRows, const ConvertingWord& word,
                                  const std::wstring& text, bool spaceBefore, int32_t format)
{
    while (static_cast<int>(m_rows.size()) <= row)
        m_rows.emplace_back(m_flaggedColumnCount);
    ConvertingTableRow& cells = m_rows[row];
    if (column < 0 || column >= static_cast<int>(cells.size()))
        throw std::out_of_range("invalid vector<T> subscript");
    ConvertingTableCell& cell = cells[column];
    cell.AddWord(word, text, spaceBefore, format);
    if (extraColumns > 0 || extraRows > 0)
        cell.m_span = (extraRows << 16) | extraColumns;
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
} // namespace

std::wstring ConvertingTableGrid::GetCellText(const ConvertingTableCell& cell, bool rtl)
{
    std::wstring text = cell.GetJoinedText();
    if (cell.m_format == CellFormatNumber)
        MoveTrailingMinusToFront(text);
    return rtl ? PrepareRtlText(text) : ConvertRtlText(text);
}

int32_t ConvertingTableGrid::GetColumnFormat(int column) const
{
    bool found = false;
    int32_t format = CellFormatAutomatic;
    for (const ConvertingTableRow& row : m_rows)
    {
        if (column < 0 || column >= static_cast<int>(row.size()) || row[column].m_words.empty())
            continue;
        if (found && row[column].m_format != format)
            return CellFormatAutomatic;
        format = row[column].m_format;
        found = true;
    }
    return format;
}

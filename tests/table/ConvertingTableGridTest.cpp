// The grid of a conversion: rows of cells, each the words that fell into it.
#include "pagemodel/ConvertingWord.h"
#include "table/ConvertingTableGrid.h"
#include "table/ConvertingTableLayout.h"
#include "tests/table/LayoutPictures.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace
{
TEST(ConvertingTableGridTest, ColumnFormatIsTheSharedFormatOfNonEmptyCells)
{
    ConvertingTableLayout layout = LayoutFromPicture({"abc"});
    ConvertingTableGrid grid(&layout);
    const ConvertingWord word(RECT{0, 0, 10, 10}, L"x");
    grid.SetCell(0, 0, 0, 0, word, L"1", true, CellFormatDate);
    grid.SetCell(0, 2, 0, 0, word, L"2", true, CellFormatDate);
    grid.SetCell(1, 0, 0, 0, word, L"3", true, CellFormatDate);
    grid.SetCell(1, 1, 0, 0, word, L"4", true, CellFormatNumber);
    EXPECT_EQ(grid.GetColumnFormat(0), CellFormatDate);      // row 1 is empty and does not count
    EXPECT_EQ(grid.GetColumnFormat(1), CellFormatAutomatic); // two formats
    EXPECT_EQ(grid.GetColumnFormat(2), CellFormatAutomatic); // no words
    EXPECT_EQ(grid.GetRowCount(), 3);
    EXPECT_THROW(grid.SetCell(3, 0, 0, 0, word, L"5", true, 0), std::out_of_range);
}

TEST(ConvertingTableGridTest, WordAtCharCountsTheSpaceWithItsWord)
{
    ConvertingTableCell cell;
    EXPECT_EQ(cell.WordAtChar(0), -1);
    const ConvertingWord word(RECT{0, 0, 10, 10}, L"");
    cell.AddWord(word, L"ab", true, 0);
    cell.AddWord(word, L"cde", true, 0);
    cell.AddWord(word, L"f", false, 0);
    ASSERT_EQ(cell.GetJoinedText(), L"ab cdef");
    const int expected[] = {0, 0, 0, 1, 1, 1, 2, 0, 0};
    for (int index = 0; index < 9; ++index)
        EXPECT_EQ(cell.WordAtChar(index), expected[index]) << index;
}

TEST(ConvertingTableGridTest, DisplayWordsFollowTheDisplayOrderOfRightToLeftText)
{
    const ConvertingWord red(RECT{0, 0, 10, 10}, L"", 1, 1000);
    const ConvertingWord blue(RECT{0, 0, 10, 10}, L"", 2, 1200);

    ConvertingTableCell latin;
    latin.AddWord(red, L"ab", true, 0);
    latin.AddWord(blue, L"cd", true, 0);
    std::vector<ConvertingTableCellWord> words;
    latin.GetDisplayWords(words);
    EXPECT_EQ(words, latin.m_words);

    // Two Hebrew words in printed order; the display order reverses the line and keeps each
    // word's colour and size.
    ConvertingTableCell hebrew;
    hebrew.AddWord(red, L"\x05D0\x05D1", true, 0);
    hebrew.AddWord(blue, L"\x05D2\x05D3", true, 0);
    ASSERT_TRUE(hebrew.HasRtlText());
    words.clear();
    hebrew.GetDisplayWords(words);
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[0].m_text, L"\x05D3\x05D2");
    EXPECT_EQ(words[0].m_colour, 2);
    EXPECT_EQ(words[0].m_fontSize, 1200);
    EXPECT_EQ(words[0].m_spaceFollows, 1);
    EXPECT_EQ(words[1].m_text, L"\x05D1\x05D0");
    EXPECT_EQ(words[1].m_colour, 1);
    EXPECT_EQ(words[1].m_spaceFollows, 0);
}
} // namespace

namespace
{
// Everything a reader can see of a grid, cell by cell.
std::vector<std::wstring> Describe(const ConvertingTableGrid& grid)
{
    std::vector<std::wstring> lines;
    for (int row = 0; row < grid.GetRowCount(); ++row)
    {
        for (int column = 0; column < grid.GetColumnCount(); ++column)
        {
            const ConvertingTableCell cell = grid.GetCell(column, row);
            std::wstring line = std::to_wstring(row) + L"," + std::to_wstring(column) + L" f" +
                                std::to_wstring(cell.m_format) + L" s" + std::to_wstring(cell.m_span) + L" [" +
                                grid.GetCellText(column, row, false) + L"] [" +
                                grid.GetCellText(column, row, true) + L"]";
            EXPECT_EQ(grid.GetCellText(column, row, false), ConvertingTableGrid::GetCellText(cell, false));
            for (const ConvertingTableCellWord& word : cell.m_words)
                line += L" <" + word.m_text + L"|" + std::to_wstring(word.m_colour) + L"|" +
                        std::to_wstring(word.m_fontSize) + L"|" + std::to_wstring(word.m_spaceFollows) + L">";
            lines.push_back(line);
        }
    }
    for (int column = 0; column < grid.GetColumnCount(); ++column)
        lines.push_back(L"format " + std::to_wstring(grid.GetColumnFormat(column)));
    return lines;
}

// Fills a grid with the kinds of cells the packed store treats apart: plain words of several
// colours and sizes, right-to-left and other wide text, a span, an unknown format, a word longer
// than a packed word holds, and a cell of more words than a packed cell counts.
void Fill(ConvertingTableGrid& grid, int firstRow)
{
    const ConvertingWord plain(RECT{0, 0, 10, 10}, L"", 0x112233, 1000);
    const ConvertingWord red(RECT{0, 0, 10, 10}, L"", 0x0000FF, 1200);
    grid.SetCell(0, firstRow, 0, 0, plain, L" 12.50-", true, CellFormatNumber);
    grid.SetCell(0, firstRow, 0, 0, red, L"ab", false, CellFormatNumber);
    grid.SetCell(1, firstRow, 0, 0, plain, L"\x05D0\x05D1 x", true, CellFormatText);
    grid.SetCell(1, firstRow, 0, 0, red, L"\x00E9t\x00E9", true, CellFormatText);
    grid.SetCell(2, firstRow, 1, 2, plain, L"merged", true, CellFormatDate);
    grid.SetCell(0, firstRow + 1, 0, 0, plain, L"odd", true, 77);
    grid.SetCell(1, firstRow + 1, 0, 0, plain, std::wstring(70000, L'w'), true, CellFormatText);
    for (int i = 0; i < 130; ++i)
        grid.SetCell(2, firstRow + 2, 0, 0, i % 2 ? plain : red, L"n", i % 3 == 0, CellFormatNumber);
    grid.SetCell(1, firstRow + 3, 0, 0, plain, L"1,000-", true, CellFormatNumber);
    for (const wchar_t* text : {L"Hex", L"bolt", L"M8"})
        grid.SetCell(0, firstRow + 4, 0, 0, red, text, true, CellFormatText);
    grid.SetCell(1, firstRow + 4, 0, 0, plain, L"ab", true, CellFormatText);
    grid.SetCell(1, firstRow + 4, 0, 0, plain, L"cd", false, CellFormatText);
    grid.SetCell(1, firstRow + 4, 0, 0, plain, L"", true, CellFormatText);
    grid.SetCell(2, firstRow + 4, 0, 0, plain, L"\x05D0\x05D1", true, CellFormatText);
    grid.SetCell(2, firstRow + 4, 0, 0, red, L"x", true, CellFormatText);
}
} // namespace

TEST(ConvertingTableGridTest, PackedRowsReadAsTheyWereFilled)
{
    ConvertingTableLayout layout = LayoutFromPicture({"abc"});
    ConvertingTableGrid open(&layout), packed(&layout);
    Fill(open, 0);
    Fill(open, 5);
    Fill(packed, 0);
    packed.PackRows();
    Fill(packed, 5);
    packed.PackRows();
    const std::vector<std::wstring> expected = Describe(open);
    EXPECT_EQ(Describe(packed), expected);
    EXPECT_EQ(packed.GetTextLength(), open.GetTextLength());

    // A word for a packed row takes the rows from there on out again; the others stay as they were.
    const ConvertingWord word(RECT{0, 0, 10, 10}, L"", 0, 0);
    open.SetCell(0, 3, 0, 0, word, L"late", true, CellFormatText);
    packed.SetCell(0, 3, 0, 0, word, L"late", true, CellFormatText);
    EXPECT_EQ(Describe(packed), Describe(open));
    packed.PackRows();
    EXPECT_EQ(Describe(packed), Describe(open));
    EXPECT_EQ(packed.GetTextLength(), open.GetTextLength());
    EXPECT_THROW(packed.SetCell(3, 0, 0, 0, word, L"5", true, 0), std::out_of_range);
}

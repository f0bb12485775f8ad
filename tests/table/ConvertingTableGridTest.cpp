// The grid of a conversion: rows of cells, each the words that fell into it.
#include "pagemodel/ConvertingWord.h"
#include "table/ConvertingTableGrid.h"
#include "table/ConvertingTableLayout.h"
#include "tests/table/LayoutPictures.h"

#include <gtest/gtest.h>

#include <stdexcept>
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

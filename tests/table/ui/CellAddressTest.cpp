#include "table/ui/CellTextRuns.h"
#include "table/ui/ExcelCellName.h"

#include <gtest/gtest.h>

TEST(ExcelCellName, ColumnLettersRollOverLikeExcel)
{
    struct Case {
        int row, column;
        const wchar_t* name;
    } cases[] = {{1, 1, L"A1"},      {4, 26, L"Z4"},     {4, 27, L"AA4"},      {4, 28, L"AB4"},
                 {7, 702, L"ZZ7"},   {7, 703, L"AAA7"},  {1048576, 16384, L"XFD1048576"}};
    for (const Case& c : cases)
        EXPECT_EQ(GetExcelCellName(c.row, c.column), c.name) << c.row << "," << c.column;
}

namespace {

struct Piece {
    int start, length;
    size_t word;
    bool operator==(const Piece& o) const { return start == o.start && length == o.length && word == o.word; }
};

std::vector<Piece> Runs(const std::vector<std::pair<std::wstring, bool>>& words, const std::wstring& written)
{
    std::vector<Piece> runs;
    for (const CellTextRun& r : FindCellTextRuns(words, written))
        runs.push_back(Piece{r.start, r.length, r.word});
    return runs;
}

std::ostream& operator<<(std::ostream& out, const Piece& r)
{
    return out << "(" << r.start << "," << r.length << ":" << r.word << ")";
}

} // namespace

// The runs address the text as written to the cell, not the words as joined.
TEST(CellTextRuns, AddressTheWrittenText)
{
    // Plain case: the space after a word is its own.
    EXPECT_EQ(Runs({{L"12", true}, {L"345", false}}, L"12 345"), (std::vector<Piece>{{1, 3, 0}, {4, 3, 1}}));
    // The last word's space was trimmed away: no run may reach past the text.
    EXPECT_EQ(Runs({{L"12", true}, {L"345", true}}, L"12 345"), (std::vector<Piece>{{1, 3, 0}, {4, 3, 1}}));
    // A Number cell moves its trailing minus to the front.
    EXPECT_EQ(Runs({{L"1,000", false}, {L"-", false}}, L"-1,000"), (std::vector<Piece>{{1, 1, 1}, {2, 5, 0}}));
    // Right-to-left reordering puts the second word first.
    EXPECT_EQ(Runs({{L"\u05D0\u05D1", true}, {L"\u05D2\u05D3", false}}, L"\u05D2\u05D3 \u05D0\u05D1"),
              (std::vector<Piece>{{1, 2, 1}, {3, 3, 0}}));
    EXPECT_TRUE(Runs({}, L"").empty());
}

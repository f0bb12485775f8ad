#include "table/ui/CellTextRuns.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Piece {
    int start, length;
    size_t word;
    bool operator==(const Piece& o) const { return start == o.start && length == o.length && word == o.word; }
};

std::ostream& operator<<(std::ostream& out, const Piece& r)
{
    return out << "(" << r.start << "," << r.length << ":" << r.word << ")";
}

std::vector<Piece> Runs(const std::vector<std::pair<std::wstring, bool>>& words, const std::wstring& written)
{
    std::vector<Piece> runs;
    for (const CellTextRun& r : FindCellTextRuns(words, written))
        runs.push_back(Piece{r.start, r.length, r.word});
    return runs;
}

} // namespace

// The runs address the text as written to the cell, not the words as joined.
TEST(CellTextRuns, AddressTheWrittenText)
{
    struct Case {
        const char* what;
        std::vector<std::pair<std::wstring, bool>> words; // text, space follows
        std::wstring written;
        std::vector<Piece> runs;
    } cases[] = {
        {"the space after a word is its own", {{L"12", true}, {L"345", false}}, L"12 345", {{1, 3, 0}, {4, 3, 1}}},
        {"the last word's space was trimmed: no run reaches past the text", {{L"12", true}, {L"345", true}},
         L"12 345", {{1, 3, 0}, {4, 3, 1}}},
        {"a Number cell moved its trailing minus to the front", {{L"1,000", false}, {L"-", false}}, L"-1,000",
         {{1, 1, 1}, {2, 5, 0}}},
        {"right-to-left reordering put the second word first", {{L"\u05D0\u05D1", true}, {L"\u05D2\u05D3", false}},
         L"\u05D2\u05D3 \u05D0\u05D1", {{1, 2, 1}, {3, 3, 0}}},
        {"no words", {}, L"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Runs(c.words, c.written), c.runs) << c.what;
}

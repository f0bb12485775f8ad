#pragma once
// Where each word of a cell ended up in the text that was written to the cell. The written text
// is the joined words after trimming, the moved minus sign of Number cells and right-to-left
// reordering, so positions counted on the joined words would address the wrong characters.
#include <string>
#include <vector>

struct CellTextRun
{
    int start;   // 1-based position in the written text
    int length;
    size_t word; // index of the word the characters came from
};

// words: the word texts in their order, each with whether a space follows it (the space belongs
// to its word). Returns the runs of the written text in text order; characters that came from no
// word (none in practice) belong to no run.
std::vector<CellTextRun> FindCellTextRuns(const std::vector<std::pair<std::wstring, bool>>& words,
                                          const std::wstring& written);

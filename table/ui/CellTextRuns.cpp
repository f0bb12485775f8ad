#include "table/ui/CellTextRuns.h"

std::vector<CellTextRun> FindCellTextRuns(const std::vector<std::pair<std::wstring, bool>>& words,
                                          const std::wstring& written)
{
    std::wstring joined;
    std::vector<size_t> owner;
    for (size_t w = 0; w < words.size(); ++w) {
        std::wstring piece = words[w].first + (words[w].second ? L" " : L"");
        joined += piece;
        owner.insert(owner.end(), piece.size(), w);
    }

    // Each written character is matched to an unused equal character of the joined words: the
    // next one after the last match when there is one (the usual, unchanged order), otherwise the
    // first unused one (a moved minus sign, a reordered run).
    const size_t none = static_cast<size_t>(-1);
    std::vector<bool> used(joined.size(), false);
    std::vector<size_t> writtenOwner(written.size(), none);
    size_t next = 0;
    for (size_t k = 0; k < written.size(); ++k) {
        size_t match = none;
        for (size_t j = next; j < joined.size() && match == none; ++j)
            if (!used[j] && joined[j] == written[k])
                match = j;
        for (size_t j = 0; j < joined.size() && match == none; ++j)
            if (!used[j] && joined[j] == written[k])
                match = j;
        if (match == none)
            continue;
        used[match] = true;
        writtenOwner[k] = owner[match];
        next = match + 1;
    }

    std::vector<CellTextRun> runs;
    for (size_t k = 0; k < written.size(); ++k) {
        if (writtenOwner[k] == none)
            continue;
        if (!runs.empty() && runs.back().word == writtenOwner[k] &&
            static_cast<size_t>(runs.back().start - 1 + runs.back().length) == k)
            ++runs.back().length;
        else
            runs.push_back(CellTextRun{static_cast<int>(k) + 1, 1, writtenOwner[k]});
    }
    return runs;
}

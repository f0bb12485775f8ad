#include "table/CDCTableParser.h"

#include "pagemodel/CDCWorkFile.h"
#include "pagemodel/PageWordList.h"

#include <algorithm>

namespace {

bool ParsedBefore(const ConvertingWord& a, const ConvertingWord& b)
{
    if (IsSameTextLine(a.m_rect, b.m_rect))
        return a.m_rect.left < b.m_rect.left;
    return VerticalCentre(a.m_rect) < VerticalCentre(b.m_rect);
}

} // namespace

void SortWordsForParsing(WordList& words)
{
    WordList scratch(words.size());
    for (size_t width = 1; width < words.size(); width *= 2) {
        for (size_t begin = 0; begin + width < words.size(); begin += 2 * width) {
            const size_t middle = begin + width;
            const size_t end = (std::min)(begin + 2 * width, words.size());
            size_t left = begin, right = middle, out = begin;
            while (left < middle && right < end)
                scratch[out++] = ParsedBefore(*words[right], *words[left]) ? words[right++] : words[left++];
            while (left < middle)
                scratch[out++] = words[left++];
            while (right < end)
                scratch[out++] = words[right++];
            std::copy(scratch.begin() + static_cast<std::ptrdiff_t>(begin),
                      scratch.begin() + static_cast<std::ptrdiff_t>(end),
                      words.begin() + static_cast<std::ptrdiff_t>(begin));
        }
    }
}

CDCTableParser::CDCTableParser(CDCWorkFile* workFile, HDC dc) : workFile_(workFile), dc_(dc)
{
}

std::unique_ptr<ConvertingTableGrid> CDCTableParser::ParsePage(int page, std::unique_ptr<ConvertingTableGrid> grid,
                                                               bool perPageDetection)
{
    if (!workFile_ || page < 1)
        return nullptr;
    PageWordList pageWords;
    if (!workFile_->GetPageWords(static_cast<uint32_t>(page), dc_, pageWords))
        return nullptr;
    WordList words = WordsOf(pageWords);
    SortWordsForParsing(words);
    return ParseWords(words, std::move(grid), perPageDetection);
}

#include "table/CDCTableParser.h"

#include "pagemodel/CDCPage.h"
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

CDCTableParser::CDCTableParser(CDCWorkFile* workFile, HDC dc) : m_workFile(workFile), m_dc(dc)
{
}

std::unique_ptr<ConvertingTableGrid> CDCTableParser::ParsePage(int page, std::unique_ptr<ConvertingTableGrid> grid,
                                                               bool perPageDetection)
{
    if (!m_workFile || page < 1)
        return nullptr;
    const uint32_t n = static_cast<uint32_t>(page);
    // A page loaded only for this conversion is released as soon as its words are taken, so
    // that a long conversion holds one page at a time; a page that was loaded before (the one
    // on show) stays as it was.
    const CDCPage* before = m_workFile->GetPageSet().GetPage(n);
    const bool wasLoaded = before && before->IsLoaded();
    const bool read = m_workFile->GetPageWords(n, m_dc, m_pageWords);
    if (!wasLoaded)
        m_workFile->UnloadPage(n);
    if (!read)
        return nullptr;
    m_words.clear();
    for (int i = 0; i < m_pageWords.GetCount(); ++i)
        m_words.push_back(m_pageWords.GetAt(i));
    SortWordsForParsing(m_words);
    return ParseWords(m_words, std::move(grid), perPageDetection);
}

#include "pagemodel/WordReadingOrder.h"

#include <algorithm>
#include <cstdlib>
#include <cwchar>

namespace {

int32_t VerticalCentre(const RECT& r)
{
    return static_cast<int32_t>((int64_t(r.top) + r.bottom) / 2);
}

bool WithinSpan(int32_t y, const RECT& r)
{
    return y >= r.top && y <= r.bottom;
}

int64_t Area(const RECT& r)
{
    const int64_t width = int64_t(r.right) - r.left, height = int64_t(r.bottom) - r.top;
    return width > 0 && height > 0 ? width * height : 0;
}

int64_t OverlapArea(const RECT& a, const RECT& b)
{
    const int64_t width = int64_t((std::min)(a.right, b.right)) - (std::max)(a.left, b.left);
    const int64_t height = int64_t((std::min)(a.bottom, b.bottom)) - (std::max)(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

void MergeRuns(WordVector& words, WordVector& scratch, size_t begin, size_t middle, size_t end)
{
    size_t left = begin, right = middle, out = begin;
    while (left < middle && right < end) {
        // The right run goes first only when it strictly precedes: equal words keep their order.
        if (PrecedesInReadingOrder(*words[right], *words[left]))
            scratch[out++] = std::move(words[right++]);
        else
            scratch[out++] = std::move(words[left++]);
    }
    while (left < middle)
        scratch[out++] = std::move(words[left++]);
    while (right < end)
        scratch[out++] = std::move(words[right++]);
    for (size_t i = begin; i < end; ++i)
        words[i] = std::move(scratch[i]);
}

// Drops the null entries that the clean-up steps leave behind.
void Compact(WordVector& words)
{
    words.erase(std::remove(words.begin(), words.end(), nullptr), words.end());
}

} // namespace

bool PrecedesInReadingOrder(const ConvertingWord& a, const ConvertingWord& b)
{
    const int32_t centreA = VerticalCentre(a.m_rect), centreB = VerticalCentre(b.m_rect);
    const bool sameLine = WithinSpan(centreA, b.m_rect) || WithinSpan(centreB, a.m_rect);
    if (sameLine && a.m_rect.left != b.m_rect.left)
        return a.m_rect.left < b.m_rect.left;
    return centreA < centreB;
}

void SortInReadingOrder(WordVector& words)
{
    WordVector scratch(words.size());
    for (size_t width = 1; width < words.size(); width *= 2) {
        for (size_t begin = 0; begin + width < words.size(); begin += 2 * width) {
            const size_t end = (std::min)(begin + 2 * width, words.size());
            MergeRuns(words, scratch, begin, begin + width, end);
        }
    }
}

bool AreDuplicateWords(const ConvertingWord& a, const ConvertingWord& b)
{
    if (_wcsicmp(a.m_text.c_str(), b.m_text.c_str()) != 0)
        return false;
    if (std::llabs(int64_t(a.m_rect.left) - b.m_rect.left) < 3 && std::llabs(int64_t(a.m_rect.top) - b.m_rect.top) < 3)
        return true;
    const int64_t overlap = OverlapArea(a.m_rect, b.m_rect);
    return overlap > 0 && overlap * 2 >= (std::min)(Area(a.m_rect), Area(b.m_rect));
}

void RemoveDuplicateWords(WordVector& words)
{
    size_t kept = 0;
    for (size_t i = 1; i < words.size(); ++i) {
        if (!AreDuplicateWords(*words[kept], *words[i])) {
            kept = i;
            continue;
        }
        if (words[i]->m_sequence > words[kept]->m_sequence) {
            words[kept].reset();
            kept = i;
        } else {
            words[i].reset();
        }
    }
    Compact(words);
}

void JoinAdjacentWords(WordVector& words)
{
    size_t kept = 0;
    for (size_t i = 1; i < words.size(); ++i) {
        ConvertingWord& previous = *words[kept];
        const ConvertingWord& word = *words[i];
        const bool join = previous.m_colour == word.m_colour && previous.m_fontSize == word.m_fontSize &&
                          previous.m_rect.top == word.m_rect.top && previous.m_rect.bottom == word.m_rect.bottom &&
                          int64_t(previous.m_rect.right) + (int64_t(word.m_rect.bottom) - word.m_rect.top) / 8 >=
                              word.m_rect.left;
        if (!join) {
            kept = i;
            continue;
        }
        previous.m_rect.right = word.m_rect.right;
        previous.m_text += word.m_text;
        words[i].reset();
    }
    Compact(words);
}

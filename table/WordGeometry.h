#pragma once
// What the table layer asks of the words of a page: whether two boxes stand on one text line,
// and the words as a plain list of pointers in reading order.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "pagemodel/ConvertingWord.h"

class PageWordList;

using WordList = std::vector<const ConvertingWord*>;

// The words of the list, in its order; the list keeps owning them.
WordList WordsOf(const PageWordList& words);

// Inline: the parser's sorts ask these of every pair of words they compare.
inline int32_t VerticalCentre(const RECT& rect)
{
    // Summed in 64 bits so that no coordinate overflows.
    return static_cast<int32_t>((static_cast<int64_t>(rect.top) + rect.bottom) / 2);
}

// True when the vertical centre of either box lies within the other's top..bottom (both ends
// included); centres in whole numbers, rounded toward zero.
inline bool IsSameTextLine(const RECT& a, const RECT& b)
{
    const int32_t centreA = VerticalCentre(a);
    const int32_t centreB = VerticalCentre(b);
    return (centreA >= b.top && centreA <= b.bottom) || (centreB >= a.top && centreB <= a.bottom);
}

// The smallest box that holds both.
RECT BoxUnion(const RECT& a, const RECT& b);

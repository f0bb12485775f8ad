#include "table/WordGeometry.h"

#include "pagemodel/PageWordList.h"

#include <algorithm>

WordList WordsOf(const PageWordList& words)
{
    WordList list;
    list.reserve(words.GetCount());
    for (int i = 0; i < words.GetCount(); ++i)
        list.push_back(words.GetAt(i));
    return list;
}

int32_t VerticalCentre(const RECT& rect)
{
    // Summed in 64 bits so that no coordinate overflows.
    return static_cast<int32_t>((static_cast<int64_t>(rect.top) + rect.bottom) / 2);
}

bool IsSameTextLine(const RECT& a, const RECT& b)
{
    const int32_t centreA = VerticalCentre(a);
    const int32_t centreB = VerticalCentre(b);
    return (centreA >= b.top && centreA <= b.bottom) || (centreB >= a.top && centreB <= a.bottom);
}

RECT BoxUnion(const RECT& a, const RECT& b)
{
    return RECT{(std::min)(a.left, b.left), (std::min)(a.top, b.top), (std::max)(a.right, b.right),
                (std::max)(a.bottom, b.bottom)};
}

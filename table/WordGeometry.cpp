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

RECT BoxUnion(const RECT& a, const RECT& b)
{
    return RECT{(std::min)(a.left, b.left), (std::min)(a.top, b.top), (std::max)(a.right, b.right),
                (std::max)(a.bottom, b.bottom)};
}

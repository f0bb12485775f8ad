#pragma once
// What the table layer asks of the words of a page: whether two boxes stand on one text line,
// and the words as a plain list of pointers in reading order.
#include <windows.h>

#include <vector>

#include "pagemodel/ConvertingWord.h"

class PageWordList;

using WordList = std::vector<const ConvertingWord*>;

// The words of the list, in its order; the list keeps owning them.
WordList WordsOf(const PageWordList& words);

// True when the vertical centre of either box lies within the other's top..bottom (both ends
// included); centres in whole numbers, rounded toward zero.
bool IsSameTextLine(const RECT& a, const RECT& b);

int32_t VerticalCentre(const RECT& rect);

// The smallest box that holds both.
RECT BoxUnion(const RECT& a, const RECT& b);

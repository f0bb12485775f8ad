#pragma once
// Reading order and clean-up of the words built from a page's text runs.

#include "pagemodel/ConvertingWord.h"

#include <memory>
#include <vector>

using WordVector = std::vector<std::unique_ptr<ConvertingWord>>;

// True when a comes before b: on one text line the left one first, otherwise the higher one.
// Being "on one line" is not transitive, so this is no strict weak ordering: it is only
// used by the merge sort below, which gives a defined result with any comparison.
bool PrecedesInReadingOrder(const ConvertingWord& a, const ConvertingWord& b);

// Stable merge sort by PrecedesInReadingOrder.
void SortInReadingOrder(WordVector& words);

// Two words are the same drawing repeated when their texts are equal (ignoring case) and
// their lefts and tops each differ by less than 3 pixels, or their boxes overlap by at
// least half of the smaller box.
bool AreDuplicateWords(const ConvertingWord& a, const ConvertingWord& b);

// Of each pair of duplicates in a row the one drawn later stays.
void RemoveDuplicateWords(WordVector& words);

// Joins each word to the one before it when both share colour, size, top and bottom and
// the gap between them is at most an eighth of their height.
void JoinAdjacentWords(WordVector& words);

#pragma once
// Page lists as users type them ("1-3, 5, 10-12") and as the page dialogs show them.
#include <string>

#include "table/PageRangeList.h"

// Fills pages with the list's half-open ranges, sorted, merged where they touch or overlap.
// Spaces are ignored; anything but digits, '-' and ',' fails, and so does an empty text, an
// empty number, a trailing ',' or '-', or a number beyond 32 bits. On failure pages is empty.
bool ParsePageList(const std::wstring& text, PageRangeList& pages);

// "a" for a one-page range, "a-b" otherwise, joined by ", ".
std::wstring FormatPageList(const PageRangeList& pages);

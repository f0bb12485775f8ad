#pragma once
// Lists of page ranges: {first page, end page}, 1-based and half-open ({3, 6} is pages 3, 4 and 5).
#include <cstdint>
#include <vector>

struct PageRange
{
    int32_t first = 0;
    int32_t end = 0;
};

using PageRangeList = std::vector<PageRange>;

// The number of pages the list names: the sum of (end - first). -1 when a range runs backwards
// or the sum does not fit in 32 bits, so that a caller never allocates or loops by a bad count.
int32_t CountPages(const PageRangeList& pages);

// True when every range lies inside the document: 1 <= first <= end <= pageCount + 1, and the
// list names at least one page.
bool IsValidPageRangeList(const PageRangeList& pages, int32_t pageCount);

// Whether a conversion re-detects the row lines on every page: never when it converts just the
// current page, otherwise as the layout's automatic row detection says.
bool NeedsPerPageDetection(const PageRangeList& pages, int32_t currentPage, bool autoRowDetection);

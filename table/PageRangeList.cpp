#include "table/PageRangeList.h"

#include <limits>

int32_t CountPages(const PageRangeList& pages)
{
    int64_t count = 0;
    for (const PageRange& range : pages) {
        if (range.end < range.first)
            return -1;
        count += static_cast<int64_t>(range.end) - range.first;
        if (count > std::numeric_limits<int32_t>::max())
            return -1;
    }
    return static_cast<int32_t>(count);
}

bool IsValidPageRangeList(const PageRangeList& pages, int32_t pageCount)
{
    if (pageCount < 1)
        return false;
    for (const PageRange& range : pages) {
        if (range.first < 1 || range.end < range.first ||
            static_cast<int64_t>(range.end) > static_cast<int64_t>(pageCount) + 1)
            return false;
    }
    return CountPages(pages) > 0;
}

bool NeedsPerPageDetection(const PageRangeList& pages, int32_t currentPage, bool autoRowDetection)
{
    if (!pages.empty() && pages.front().first == currentPage && CountPages(pages) == 1)
        return false;
    return autoRowDetection;
}

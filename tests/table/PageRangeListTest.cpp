#include <gtest/gtest.h>

#include "table/PageRangeList.h"

#include <climits>

TEST(PageRangeList, CountsHalfOpenRangesAndRefusesBadOnes)
{
    struct Case
    {
        PageRangeList pages;
        int32_t count;
    } cases[] = {
        {{}, 0},
        {{{3, 6}}, 3},
        {{{2, 3}}, 1},
        {{{4, 4}}, 0},
        {{{1, 3}, {5, 6}, {9, 12}}, 6},
        {{{6, 3}}, -1},                   // backwards
        {{{1, 2}, {6, 3}}, -1},           // backwards after a good one
        {{{INT_MIN, INT_MAX}}, -1},       // more pages than 32 bits hold
        {{{1, INT_MAX}, {1, INT_MAX}}, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CountPages(c.pages), c.count) << "ranges: " << c.pages.size();
}

TEST(PageRangeList, ValidOnlyInsideTheDocument)
{
    struct Case
    {
        PageRangeList pages;
        int32_t pageCount;
        bool valid;
    } cases[] = {
        {{{1, 6}}, 5, true},              // all pages
        {{{5, 6}}, 5, true},              // the last page
        {{{5, 7}}, 5, false},             // one past the last page
        {{{0, 2}}, 5, false},             // page 0
        {{{-3, 2}}, 5, false},
        {{{2, 3}, {7, 9}}, 5, false},     // a later range outside, the first inside
        {{{3, 4}, {2, 1}}, 5, false},     // a later range backwards
        {{{1, 2}, {7, 9}, {3, 4}}, 5, false},  // a middle range outside, first and last inside
        {{}, 5, false},                   // nothing to convert
        {{{2, 2}}, 5, false},
        {{{1, 2}}, 0, false},             // a document without pages
        {{{1, INT_MAX}}, INT_MAX, true},  // end = pageCount + 1 does not overflow
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsValidPageRangeList(c.pages, c.pageCount), c.valid)
            << c.pages.size() << " ranges, " << c.pageCount << " pages";
}

TEST(PageRangeList, PerPageDetectionOnlyBeyondTheCurrentPage)
{
    struct Case
    {
        PageRangeList pages;
        int32_t currentPage;
        bool autoRows;
        bool detect;
    } cases[] = {
        {{{2, 3}}, 2, true, false},       // the current page alone
        {{{2, 4}}, 2, true, true},
        {{{2, 4}}, 2, false, false},      // automatic row detection off
        {{{1, 2}}, 1, true, false},       // all pages of a one-page document
        {{{3, 4}}, 2, true, true},        // one page, not the one the layout was drawn on
        {{{2, 3}, {5, 6}}, 2, true, true},
        {{}, 1, true, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NeedsPerPageDetection(c.pages, c.currentPage, c.autoRows), c.detect)
            << "first " << (c.pages.empty() ? 0 : c.pages[0].first) << " current " << c.currentPage;
}

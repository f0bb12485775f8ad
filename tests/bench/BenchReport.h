// The benchmark's report: pages of an order list as a business application prints them, the same
// text for the driver and for the PDF it is compared with.
#pragma once

#include <string>

constexpr int kBenchLinesPerPage = 60;

// Page number (1-based) of the report: a heading, a column header, detail lines and a page total,
// kBenchLinesPerPage lines in all.
std::wstring BenchReportPage(int page);

// The whole report of pageCount pages, one after the other: a page is full after
// kBenchLinesPerPage lines, so no form feed is needed (one would add an empty page).
std::wstring BenchReport(int pageCount);

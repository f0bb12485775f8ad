#include "tests/bench/BenchReport.h"

#include <cwchar>

namespace {

const wchar_t* const kItems[] = {L"Hex bolt M8 x 40",  L"Flat washer M8",    L"Lock nut M8",
                                 L"Threaded rod M10",  L"Wall plug 8 mm",    L"Wood screw 4 x 35",
                                 L"Cable tie 200 mm",  L"Hinge steel 80 mm", L"Shelf bracket 150",
                                 L"Anchor bolt M12"};

} // namespace

std::wstring BenchReportPage(int page)
{
    std::wstring text;
    wchar_t line[160];
    swprintf(line, 160, L"Northwind Supply Ltd       Order journal March 2026            Page %5d\n", page);
    text += line;
    text += L"Order  Date        Item                    Qty     Price      Amount  Store\n";
    const int details = kBenchLinesPerPage - 3;
    long long pageTotal = 0;
    for (int i = 0; i < details; ++i)
    {
        const int order = 10000 + (page - 1) * details + i;
        const int quantity = 10 + (order * 37) % 990;
        const int priceCents = 15 + (order * 53) % 4985;
        const long long amount = static_cast<long long>(quantity) * priceCents;
        pageTotal += amount;
        swprintf(line, 160, L"%05d  2026-03-%02d  %-22ls %5d %9d.%02d %11lld.%02lld  Store %d\n", order,
                 1 + order % 28, kItems[order % 10], quantity, priceCents / 100, priceCents % 100, amount / 100,
                 amount % 100, 1 + order % 7);
        text += line;
    }
    swprintf(line, 160, L"Page total                                        %11lld.%02lld\n", pageTotal / 100,
             pageTotal % 100);
    text += line;
    return text;
}

std::wstring BenchReport(int pageCount)
{
    std::wstring text;
    for (int page = 1; page <= pageCount; ++page)
        text += BenchReportPage(page);
    return text;
}

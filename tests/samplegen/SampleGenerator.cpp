// Writes the two sample work files of samples/: "table.kest", a one-page order with a table
// and its layout, and "report.kest", a three-page report in two font sizes with a
// right-to-left line and a layout over its first page's table.
//   kest_samplegen <output folder>

#include "SamplePage.h"
#include "tests/support/WorkFileBuilder.h"
#include "pagemodel/OxBuffer.h"
#include "pagemodel/OxReadWrite.h"
#include "table/ConvertingTableLayout.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

const int kResolution = 144;
// A letter-size page at that resolution.
const int kPageWidth = 1224;
const int kPageHeight = 1584;

struct Column
{
    int left;        // where the column's text starts (left-aligned columns)
    int right;       // where it ends (right-aligned columns)
    bool alignRight;
};

// A table of rows of cells; its layout puts a column line halfway between neighbouring
// columns and a row line halfway between neighbouring rows.
struct TableSpec
{
    std::vector<Column> columns;
    std::vector<std::vector<std::wstring>> rows; // the first is the header
    int top;
    int rowPitch;
    std::vector<int> formats;
};

RECT DrawTable(SamplePage& page, const TableSpec& table, const wchar_t* face, int points, COLORREF headerColour)
{
    RECT extent = {table.columns.front().left - 12, table.top - 8, table.columns.back().right + 12, 0};
    int y = table.top;
    for (size_t r = 0; r < table.rows.size(); ++r) {
        page.SetFont(face, points, r == 0 || r + 1 == table.rows.size());
        for (size_t c = 0; c < table.columns.size() && c < table.rows[r].size(); ++c) {
            const std::wstring& cell = table.rows[r][c];
            if (cell.empty())
                continue;
            const COLORREF colour = r == 0 ? headerColour : RGB(0, 0, 0);
            if (table.columns[c].alignRight)
                page.TextRightAligned(table.columns[c].right, y, cell, colour);
            else
                page.Text(table.columns[c].left, y, cell, colour);
        }
        if (r == 0)
            page.Rule(extent.left, y + table.rowPitch - 6, extent.right, y + table.rowPitch - 6);
        y += table.rowPitch;
    }
    extent.bottom = y;
    return extent;
}

bool LayoutBytes(const TableSpec& table, const RECT& extent, std::vector<uint8_t>& bytes)
{
    ConvertingTableLayout layout;
    layout.SetTableRect(extent);
    for (size_t c = 0; c < table.columns.size(); ++c) {
        ConvertingTableColumn column;
        column.x = c + 1 < table.columns.size() ? (table.columns[c].right + table.columns[c + 1].left) / 2 : -1;
        column.format = table.formats.at(c);
        if (!layout.AppendColumn(column))
            return false;
    }
    for (size_t r = 1; r < table.rows.size(); ++r)
        if (!layout.InsertRowLine(int(r - 1), table.top + int(r) * table.rowPitch - 8))
            return false;
    if (!layout.IsConsistent())
        return false;
    OxBuffer buffer;
    OxReadWriteBuffer stream(buffer);
    if (!layout.Write(stream))
        return false;
    bytes.assign(buffer.GetData(), buffer.GetData() + buffer.GetSize());
    return true;
}

bool WriteTableSample(const std::wstring& path)
{
    WorkFileBuilder builder(kResolution, L"Order 2024-117 - Stationery");
    SamplePage page(builder.AddPage(), kPageWidth, kPageHeight, kResolution);
    page.SetFont(L"Arial", 16, true);
    page.Text(100, 100, L"Order 2024-117", RGB(0, 0, 128));
    page.SetFont(L"Arial", 10, false);
    page.Text(100, 160, L"Customer: Harbour Office Supplies Ltd.");

    TableSpec table;
    table.columns = {{100, 400, false}, {430, 590, false}, {620, 700, true}, {730, 860, true}, {890, 1040, true}};
    table.formats = {1, 4, 2, 3, 3};
    table.top = 240;
    table.rowPitch = 34;
    table.rows = {
        {L"Item", L"Date", L"Qty", L"Unit price", L"Amount"},
        {L"Paper A4, 500 sheets", L"2024-03-04", L"10", L"4.99", L"49.90"},
        {L"Toner cartridge black", L"2024-03-04", L"2", L"61.50", L"123.00"},
        {L"Stapler", L"2024-03-05", L"1", L"12.75", L"12.75"},
        {L"Ring binder, blue", L"2024-03-06", L"12", L"2.10", L"25.20"},
        {L"Envelopes C5", L"2024-03-06", L"4", L"3.45", L"13.80"},
        {L"Desk lamp", L"2024-03-07", L"1", L"34.00", L"34.00"},
        {L"Total", L"", L"", L"", L"258.65"},
    };
    const RECT extent = DrawTable(page, table, L"Arial", 10, RGB(0, 0, 128));
    page.SetFont(L"Arial", 10, false);
    page.Text(100, extent.bottom + 60, L"Payment within 30 days.");

    std::vector<uint8_t> layout;
    if (!LayoutBytes(table, extent, layout))
        return false;
    builder.SetImage(1, page.ImageFile(24));
    builder.SetLayout(layout);
    return builder.Write(path);
}

void Paragraph(SamplePage& page, int& y, const std::vector<std::wstring>& lines)
{
    for (const std::wstring& line : lines) {
        page.Text(100, y, line);
        y += 30;
    }
    y += 20;
}

// The page's title in the large size; the body then follows in the small one from the
// returned y.
int ReportHeading(SamplePage& page, const wchar_t* title)
{
    page.SetFont(L"Times New Roman", 16, true);
    page.Text(100, 100, title);
    page.SetFont(L"Times New Roman", 10, false);
    return 180;
}

void ReportFooter(SamplePage& page, WorkFileBuilder& builder, uint32_t number)
{
    page.SetFont(L"Times New Roman", 10, false);
    page.Text(560, 1480, L"Page " + std::to_wstring(number) + L" of 3");
    builder.SetImage(number, page.ImageFile(1));
}

bool WriteReportSample(const std::wstring& path)
{
    WorkFileBuilder builder(kResolution, L"Quarterly report 2024");
    std::vector<uint8_t> layout;

    {
        SamplePage page(builder.AddPage(), kPageWidth, kPageHeight, kResolution);
        int y = ReportHeading(page, L"Quarterly report 2024");
        Paragraph(page, y, {L"Sales grew in every quarter of the year, led by the northern region.",
                            L"The figures below are in thousands and not yet audited."});
        TableSpec table;
        table.columns = {{100, 300, false}, {330, 500, true}, {530, 700, true}, {730, 900, true}};
        table.formats = {1, 2, 2, 2};
        table.top = y + 20;
        table.rowPitch = 32;
        table.rows = {
            {L"Quarter", L"Revenue", L"Costs", L"Margin"},
            {L"Q1", L"1,204", L"987", L"217"},
            {L"Q2", L"1,377", L"1,032", L"345"},
            {L"Q3", L"1,290", L"1,011", L"279"},
            {L"Q4", L"1,512", L"1,104", L"408"},
            {L"Year", L"5,383", L"4,134", L"1,249"},
        };
        const RECT extent = DrawTable(page, table, L"Times New Roman", 10, RGB(0, 0, 0));
        if (!LayoutBytes(table, extent, layout))
            return false;
        ReportFooter(page, builder, 1);
    }
    {
        SamplePage page(builder.AddPage(), kPageWidth, kPageHeight, kResolution);
        int y = ReportHeading(page, L"Regional figures");
        Paragraph(page, y, {L"North: 2,115    South: 1,640    East: 903    West: 725",
                            L"The eastern branch reports in its own language:"});
        page.SetFont(L"Arial", 10, false);
        // "Total sum 1,250.00" in Hebrew, as it stands on the paper: the number on the left,
        // the Hebrew words to its right with their letters in visual order.
        page.Text(100, y, L"1,250.00 \x05DC\x05DC\x05D5\x05DB \x05DD\x05D5\x05DB\x05E1");
        y += 50;
        page.SetFont(L"Times New Roman", 10, false);
        Paragraph(page, y, {L"Branch offices opened in Haifa and Tel Aviv during the third quarter."});
        ReportFooter(page, builder, 2);
    }
    {
        SamplePage page(builder.AddPage(), kPageWidth, kPageHeight, kResolution);
        int y = ReportHeading(page, L"Outlook");
        Paragraph(page, y, {L"We expect revenue of 5,900 for the coming year.",
                            L"Costs should stay below 4,400 as the new warehouse opens in March."});
        ReportFooter(page, builder, 3);
    }
    builder.SetLayout(layout);
    return builder.Write(path);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        std::fwprintf(stderr, L"usage: kest_samplegen <output folder>\n");
        return 2;
    }
    const std::wstring folder = argv[1];
    const bool ok = WriteTableSample(folder + L"\\table.kest") && WriteReportSample(folder + L"\\report.kest");
    std::fwprintf(ok ? stdout : stderr, ok ? L"samples written\n" : L"writing the samples failed\n");
    return ok ? 0 : 1;
}

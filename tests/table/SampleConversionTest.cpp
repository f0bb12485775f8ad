// The sample work files of samples/ converted with the layouts stored in them.
#include <gtest/gtest.h>

#include "pagemodel/CDCWorkFile.h"
#include "table/CDCTableParser.h"
#include "table/ConvertingTableLayout.h"
#include "table/TableConverter.h"
#include "tests/table/ClipboardHelpers.h"

#include <windows.h>

#include <string>

namespace {

const std::wstring SamplesFolder = std::wstring(L"" KEST_SOURCE_DIR) + L"/samples/";

struct SampleCase
{
    const wchar_t* file;
    PageRangeList pages;
    bool perPageDetection;
    std::wstring text;
};

} // namespace

TEST(SampleConversion, StoredLayoutGivesTheTableAsText)
{
    const SampleCase cases[] = {
        {L"table.kest", {{1, 2}}, false,
         L"Item\tDate\tQty\tUnit price\tAmount\t\r\n"
         L"Paper A4, 500 sheets\t2024-03-04\t10\t4.99\t49.90\t\r\n"
         L"Toner cartridge black\t2024-03-04\t2\t61.50\t123.00\t\r\n"
         L"Stapler\t2024-03-05\t1\t12.75\t12.75\t\r\n"
         L"Ring binder, blue\t2024-03-06\t12\t2.10\t25.20\t\r\n"
         L"Envelopes C5\t2024-03-06\t4\t3.45\t13.80\t\r\n"
         L"Desk lamp\t2024-03-07\t1\t34.00\t34.00\t\r\n"
         L"Total\t\t\t\t258.65\t\r\n"},
        {L"report.kest", {{1, 2}}, false,
         L"Quarter\tRevenue\tCosts\tMargin\t\r\n"
         L"Q1\t1,204\t987\t217\t\r\n"
         L"Q2\t1,377\t1,032\t345\t\r\n"
         L"Q3\t1,290\t1,011\t279\t\r\n"
         L"Q4\t1,512\t1,104\t408\t\r\n"
         L"Year\t5,383\t4,134\t1,249\t\r\n"},
        // All three pages, rows found anew on each: the second page's right-to-left line and the
        // paragraph below it fall into the table's area (the paragraph cut at the column lines);
        // the third page has nothing there.
        {L"report.kest", {{1, 4}}, true,
         L"Quarter\tRevenue\tCosts\tMargin\t\r\n"
         L"Q1\t1,204\t987\t217\t\r\n"
         L"Q2\t1,377\t1,032\t345\t\r\n"
         L"Q3\t1,290\t1,011\t279\t\r\n"
         L"Q4\t1,512\t1,104\t408\t\r\n"
         L"Year\t5,383\t4,134\t1,249\t\r\n"
         L"\x05E1\x05DB\x05D5\x05DD \x05DB\x05D5\x05DC\x05DC 1,250.00\t\t\t\t\r\n"
         L"Branch offices opene\td in Haifa and Tel Av\tiv during the third\tquarter.\t\r\n"},
    };
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    for (const SampleCase& c : cases) {
        SCOPED_TRACE(c.file);
        CDCWorkFile workFile;
        ASSERT_TRUE(workFile.Open((SamplesFolder + c.file).c_str()));
        TableConverter converter;
        ASSERT_TRUE(workFile.LoadLayout(converter.GetLayout()));
        const ConvertingTableLayout stored = converter.GetLayout();
        CDCTableParser parser(&workFile, dc);

        ASSERT_TRUE(converter.Convert(parser, c.pages, TargetClipboardText, L"", c.perPageDetection))
            << converter.GetErrorText();
        EXPECT_EQ(ReadClipboardText(), c.text);
        EXPECT_TRUE(converter.GetLayout() == stored);
    }
    DeleteDC(dc);
}

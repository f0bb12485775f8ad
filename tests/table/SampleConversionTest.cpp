// The sample work files of samples/ converted with the layouts stored in them.
#include <gtest/gtest.h>

#include "pagemodel/CDCWorkFile.h"
#include "table/CDCTableParser.h"
#include "table/ConvertingTableLayout.h"
#include "table/TableConverter.h"
#include "tests/support/MemoryDC.h"
#include "tests/table/ClipboardHelpers.h"
#include "tests/table/SampleTexts.h"

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
        {L"table.kest", {{1, 2}}, false, SampleOrderText},
        {L"report.kest", {{1, 2}}, false, SampleReportText},
        // All three pages, rows found anew on each: the second page's right-to-left line and the
        // paragraph below it fall into the table's area (the paragraph cut at the column lines);
        // the third page has nothing there.
        {L"report.kest", {{1, 4}}, true,
         SampleReportText +
         L"\x05E1\x05DB\x05D5\x05DD \x05DB\x05D5\x05DC\x05DC 1,250.00\t\t\t\t\r\n"
         L"Branch offices opene\td in Haifa and Tel Av\tiv during the third\tquarter.\t\r\n"},
    };
    MemoryDC dc;
    ASSERT_NE(static_cast<HDC>(dc), nullptr);
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
}

// Right-to-left text printed through the host reaches every target in reading order: the host lays
// out each line as the system does before the driver records it (right-to-left runs in the order
// they stand on the page), and the program turns the recorded runs back into reading order.
#include "tests/support/CopiedTableText.h"
#include "tests/printpath/PrintedJob.h"

#include "hosts/officestubs/StubClient.h"
#include "hosts/printhost/ReportPrinter.h"
#include "pagemodel/CDCWorkFile.h"
#include "pagemodel/PageWordList.h"
#include "table/CDCTableParser.h"
#include "table/TableConverter.h"
#include "table/TableDetection.h"
#include "table/WordGeometry.h"
#include "table/ui/ExcelExporter.h"
#include "table/ui/WordExporter.h"

#include <gmock/gmock.h>

namespace
{

// Each row: a Latin name, the name in Hebrew, a town, a greeting in Arabic (or more Hebrew).
const std::vector<std::vector<std::wstring>> kRows = {
    {L"Name", L"Hebrew", L"Town", L"Arabic"},
    {L"Cohen", L"\u05D3\u05D5\u05D3 \u05DB\u05D4\u05DF", L"Haifa",
     L"\u0645\u0631\u062D\u0628\u0627 \u0628\u0643\u0645"},
    {L"Levi", L"\u05E9\u05E8\u05D4 \u05DC\u05D5\u05D9", L"Eilat",
     L"\u0634\u0643\u0631\u0627 \u062C\u0632\u064A\u0644\u0627"},
    {L"Sasson", L"\u05E8\u05D9\u05E0\u05D4", L"Akko", L"\u0635\u0628\u0627\u062D"},
    // A number inside right-to-left text keeps its own order; brackets are drawn mirrored.
    {L"Mizrahi", L"\u05D7\u05D3\u05E8 12", L"Jaffa", L"\u05EA\u05DC (\u05D0\u05D1)"},
};

// The rows as a report prints them: each cell in a column of its own, in logical order.
std::wstring Report()
{
    std::wstring text;
    for (const auto& row : kRows)
    {
        std::wstring line;
        for (size_t column = 0; column < row.size(); ++column)
        {
            line += row[column];
            if (column + 1 < row.size())
                line.append(16 - row[column].size(), L' ');
        }
        text += line + L"\n";
    }
    return text;
}

std::wstring CopiedTable(bool tabAfterLastCell)
{
    return CopiedTableText(kRows, tabAfterLastCell);
}

class RightToLeft : public PrintedJobTest
{
protected:
    static void SetUpTestSuite() { ASSERT_EQ(officestubs::RegisterOfficeStubs(), S_OK); }

    void SetUp() override
    {
        PrintedJobTest::SetUp();
        std::vector<EnhMetaFile> pages = MakeReportPages(Report(), ReportLayout{});
        ASSERT_EQ(pages.size(), 1u);
        const std::wstring path = Print(pages, DeviceSettings{});
        ASSERT_FALSE(path.empty());
        ASSERT_TRUE(m_workFile.Open(path.c_str()));
        ASSERT_TRUE(DetectLayout());
    }
    void TearDown() override
    {
        m_workFile.Close();
        DeleteDC(m_dc);
        PrintedJobTest::TearDown();
    }

    // The table covers every word of the page; its columns and rows come from the words.
    bool DetectLayout()
    {
        if (!m_workFile.GetPageWords(1, m_dc, m_words))
            return false;
        return DetectTableOverWords(WordsOf(m_words), m_converter.GetLayout());
    }

    bool Convert(ConversionTarget target, GridExporter* exporter, const std::wstring& output = std::wstring())
    {
        officestubs::EmptyTheClipboard();
        if (exporter)
            m_converter.SetExporter(target, exporter);
        CDCTableParser parser(&m_workFile, m_dc);
        return m_converter.Convert(parser, PageRangeList{{1, 2}}, target, output, false);
    }

    officestubs::StubSession m_session;
    CDCWorkFile m_workFile;
    HDC m_dc = CreateCompatibleDC(nullptr);
    PageWordList m_words;
    TableConverter m_converter;
};

} // namespace

// One job for the whole behaviour: every job starts the program, which costs most on emulated
// 32-bit runs.
TEST_F(RightToLeft, EachLineIsRecordedAsItStandsAndEveryTargetGetsTheCellsInReadingOrder)
{
    // The second line's Hebrew name as it stands on the page, left to right: its words swapped
    // and each word's letters reversed.
    bool found = false;
    for (int i = 0; i < m_words.GetCount(); ++i)
        found = found || m_words.GetAt(i)->m_text == L"\u05DF\u05D4\u05DB";
    EXPECT_TRUE(found) << "the last Hebrew word of the line, reversed";
    EXPECT_EQ(m_converter.GetLayout().GetColumnCount(), 4);

    ExcelExporter excel{ExcelExportOptions{false, false, L"0.00", L"#,##0.00", L"yyyy-mm-dd", L"hh:mm"}};
    ExcelExporter excelKeepingFormats{ExcelExportOptions{true, false, L"0.00", L"#,##0.00", L"yyyy-mm-dd", L"hh:mm"}};
    WordExporter word{WordExportOptions{false, false}};
    WordExporter wordKeepingFormats{WordExportOptions{true, false}};
    struct Case
    {
        const char* what;
        ConversionTarget target;
        GridExporter* exporter;
        std::wstring expected;
    } cases[] = {
        {"clipboard text", TargetClipboardText, nullptr, CopiedTable(true)},
        {"Excel sheet copied", TargetClipboardExcel, &excel, CopiedTable(false)},
        {"Excel sheet copied, formats kept", TargetClipboardExcel, &excelKeepingFormats, CopiedTable(false)},
        {"Word table copied", TargetClipboardWord, &word, CopiedTable(false)},
        {"Word table copied, formats kept", TargetClipboardWord, &wordKeepingFormats, CopiedTable(false)},
    };
    for (const Case& c : cases)
    {
        ASSERT_TRUE(Convert(c.target, c.exporter))
            << c.what << ": " << testing::PrintToString(m_converter.GetErrorText());
        EXPECT_EQ(officestubs::ClipboardText(), c.expected) << c.what;
    }

    // The saved workbook holds the same cells, the right-to-left ones read right to left; a real
    // reader checks it too (check_workbooks.py).
    CreateDirectoryW(L"" KEST_WORKBOOK_DIR, nullptr);
    const std::wstring path = std::wstring(L"" KEST_WORKBOOK_DIR) + L"\\printed-rtl.xlsx";
    DeleteFileW(path.c_str());
    ASSERT_TRUE(Convert(TargetExcelFile, &excel, path)) << testing::PrintToString(m_converter.GetErrorText());
    const std::string sheet = officestubs::ReadZipEntry(path, "xl/worksheets/sheet1.xml");
    for (const auto& row : kRows)
    {
        for (const std::wstring& cell : row)
            EXPECT_THAT(sheet, testing::HasSubstr(">" + officestubs::Utf8(cell) + "<"));
    }
    EXPECT_THAT(officestubs::ReadZipEntry(path, "xl/styles.xml"), testing::HasSubstr("readingOrder=\"2\""));
}

// TableConverter::Convert from page words to each of the five targets, with the automation
// exports registered and the stand-in servers answering.
#include "ExportFixture.h"

#include "table/ConvertingTableParser.h"
#include "table/WordGeometry.h"
#include "table/ui/ExcelExporter.h"
#include "table/ui/WordExporter.h"

#include <map>

using ::testing::HasSubstr;

namespace {

// Pages given as words in page coordinates.
class WordsParser : public ConvertingTableParser
{
public:
    std::unique_ptr<ConvertingTableGrid> ParsePage(int page, std::unique_ptr<ConvertingTableGrid> grid,
                                                   bool perPageDetection) override
    {
        WordList words;
        for (const ConvertingWord& word : pages[page])
            words.push_back(&word);
        return ParseWords(words, std::move(grid), perPageDetection);
    }
    std::map<int, std::vector<ConvertingWord>> pages;
};

ConvertingWord At(int column, const wchar_t* text)
{
    return ConvertingWord(RECT{column * 100 + 10, 10, column * 100 + 60, 30}, text);
}

class ConvertTargets : public StubExportTest
{
protected:
    void SetUp() override
    {
        StubExportTest::SetUp();
        ConvertingTableLayout& layout = converter.GetLayout();
        layout.SetTableRect(RECT{0, 0, 300, 40});
        for (int32_t x : {100, 200, -1}) {
            ConvertingTableColumn column;
            column.x = x;
            column.format = x == 200 ? CellFormatNumber : CellFormatAutomatic;
            layout.AppendColumn(column);
        }
        parser.pages[1] = {At(0, L"Item"), At(1, L"12.50-"), At(2, L"x")};
        parser.pages[2] = {At(0, L"Pen"), At(1, L"3")};
        for (ConversionTarget target : {TargetExcelSheet, TargetExcelFile, TargetClipboardExcel})
            converter.SetExporter(target, &excel);
        converter.SetExporter(TargetClipboardWord, &word);
    }

    bool Convert(ConversionTarget target, const std::wstring& file = std::wstring())
    {
        officestubs::EmptyTheClipboard();
        return converter.Convert(parser, PageRangeList{{1, 3}}, target, file, false);
    }

    WordsParser parser;
    ExcelExporter excel{ExcelExportOptions{false, false, L"0.00", L"", L"", L""}};
    WordExporter word{WordExportOptions{}};
};

} // namespace

TEST_F(ConvertTargets, ExcelSheetIsLeftOpenWithTheTable)
{
    ASSERT_TRUE(Convert(TargetExcelSheet)) << converter.GetErrorText();
    EXPECT_TRUE(Logged("Excel Range[A4].Formula = \"Item\""));
    EXPECT_TRUE(Logged("Excel Range[B4].NumberFormat = \"0.00\""));
    EXPECT_TRUE(Logged("Excel Range[B4].Formula = \"-12.50\""));
    EXPECT_TRUE(Logged("Excel Range[A5].Formula = \"Pen\""));
    EXPECT_TRUE(Logged("Excel Application.Visible = true"));
}

TEST_F(ConvertTargets, ExcelFileHoldsTheTable)
{
    const std::wstring file = officestubs::TempPath(L"kcv") + L".xlsx";
    ASSERT_TRUE(Convert(TargetExcelFile, file)) << converter.GetErrorText();
    const std::string sheet = officestubs::ReadZipEntry(file, "xl/worksheets/sheet1.xml");
    EXPECT_THAT(sheet, HasSubstr("<c r=\"A4\" t=\"inlineStr\"><is><r><t xml:space=\"preserve\">Item</t>"));
    EXPECT_THAT(sheet, HasSubstr("<c r=\"B4\" s=\"1\"><v>-12.5</v></c>"));
    EXPECT_THAT(sheet, HasSubstr("<c r=\"B5\" s=\"1\"><v>3</v></c>"));
    EXPECT_THAT(officestubs::ReadZipEntry(file, "xl/styles.xml"), HasSubstr("formatCode=\"0.00\""));
    DeleteFileW(file.c_str());
}

TEST_F(ConvertTargets, ClipboardTargetsHoldTheTable)
{
    ASSERT_TRUE(Convert(TargetClipboardText)) << converter.GetErrorText();
    EXPECT_EQ(officestubs::ClipboardText(), L"Item\t-12.50\tx\t\r\nPen\t3\t\t\r\n");

    ASSERT_TRUE(Convert(TargetClipboardExcel)) << converter.GetErrorText();
    EXPECT_EQ(officestubs::ClipboardText(), L"Item\t-12.50\tx\r\nPen\t3\t\r\n");

    ASSERT_TRUE(Convert(TargetClipboardWord)) << converter.GetErrorText();
    EXPECT_EQ(officestubs::ClipboardText(), L"Item\t-12.50\tx\r\nPen\t3\t\r\n");
    EXPECT_THAT(officestubs::ClipboardRtf(), HasSubstr("{ Item}\\cell"));
}

// The sample order (samples/table.kest, one page with its stored layout) converted to the
// automation targets through the printed-page parser, the stand-ins answering for Excel and Word.
#include "ExportFixture.h"

#include "pagemodel/CDCWorkFile.h"
#include "table/CDCTableParser.h"
#include "table/ui/ExcelExporter.h"
#include "table/ui/WordExporter.h"
#include "tests/table/SampleTexts.h"

using ::testing::HasSubstr;

namespace {

class SampleConversion : public StubExportTest
{
protected:
    void SetUp() override
    {
        StubExportTest::SetUp();
        ASSERT_TRUE(file.Open(L"" KEST_SOURCE_DIR L"/samples/table.kest"));
        ASSERT_TRUE(file.LoadLayout(converter.GetLayout()));
        for (ConversionTarget target : {TargetExcelSheet, TargetExcelFile, TargetClipboardExcel})
            converter.SetExporter(target, &excel);
        converter.SetExporter(TargetClipboardWord, &word);
    }
    void TearDown() override { DeleteDC(dc); }

    bool Convert(ConversionTarget target, const std::wstring& output = std::wstring())
    {
        officestubs::EmptyTheClipboard();
        CDCTableParser parser(&file, dc);
        return converter.Convert(parser, PageRangeList{{1, 2}}, target, output, false);
    }

    CDCWorkFile file;
    HDC dc = CreateCompatibleDC(nullptr);
    ExcelExporter excel{ExcelExportOptions{false, true, L"0.00", L"#,##0.00", L"yyyy-mm-dd", L"hh:mm"}};
    WordExporter word{WordExportOptions{false, true}};
};

} // namespace

// The applications' copies end each row with its last cell, not with a TAB.
std::wstring WithoutRowEndTabs(std::wstring text)
{
    for (size_t at = text.find(L"\t\r\n"); at != std::wstring::npos; at = text.find(L"\t\r\n", at))
        text.erase(at, 1);
    return text;
}

TEST_F(SampleConversion, ExcelTargets)
{
    ASSERT_TRUE(Convert(TargetClipboardExcel)) << converter.GetErrorText();
    EXPECT_EQ(officestubs::ClipboardText(), WithoutRowEndTabs(SampleOrderText));

    const std::wstring xlsx = officestubs::TempPath(L"ksc") + L".xlsx";
    ASSERT_TRUE(Convert(TargetExcelFile, xlsx)) << converter.GetErrorText();
    const std::string sheet = officestubs::ReadZipEntry(xlsx, "xl/worksheets/sheet1.xml");
    EXPECT_THAT(sheet, HasSubstr("<t xml:space=\"preserve\">Toner cartridge black</t>"));
    EXPECT_THAT(sheet, HasSubstr("<c r=\"E6\" s=\"4\"><v>123</v></c>"));
    EXPECT_THAT(sheet, HasSubstr("<c r=\"E11\" s=\"4\"><v>258.65</v></c>"));
    EXPECT_THAT(officestubs::ReadZipEntry(xlsx, "xl/styles.xml"), HasSubstr("formatCode=\"yyyy-mm-dd\""));
    DeleteFileW(xlsx.c_str());

    ASSERT_TRUE(Convert(TargetExcelSheet)) << converter.GetErrorText();
    EXPECT_THAT(Calls("Application.Visible = true"), ::testing::SizeIs(2)) << "the file and the sheet stay open";
}

TEST_F(SampleConversion, WordTarget)
{
    ASSERT_TRUE(Convert(TargetClipboardWord)) << converter.GetErrorText();
    EXPECT_EQ(officestubs::ClipboardText(), WithoutRowEndTabs(SampleOrderText));
    EXPECT_THAT(officestubs::ClipboardRtf(), HasSubstr("\\pard\\intbl\\ltrpar { Toner cartridge black}\\cell"));
}

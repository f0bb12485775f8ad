#include "ExportFixture.h"

#include "table/ui/ExcelExporter.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::SizeIs;
using officestubs::ReadZipEntry;

namespace {

ExcelExportOptions Formats()
{
    ExcelExportOptions options;
    options.numberFormat = L"#,##0.00";
    options.currencyFormat = L"$#,##0.00";
    options.dateFormat = L"yyyy-mm-dd";
    options.timeFormat = L"hh:mm";
    options.mergeCells = true;
    return options;
}

class ExcelExport : public StubExportTest
{
protected:
    bool Export(const TestGrid& grid, ConversionTarget target, const ExcelExportOptions& options = Formats(),
                const std::wstring& file = std::wstring(), int32_t range = 400)
    {
        ExcelExporter exporter(options);
        return exporter.Export(converter, grid.Grid(), target, file, range);
    }
};

// Files the export leaves in the folder of path besides path itself.
std::vector<std::wstring> OthersBeside(const std::wstring& folder, const std::wstring& keep)
{
    std::vector<std::wstring> found;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return found;
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L".." && name != keep)
            found.push_back(name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return found;
}

class ScratchFolder
{
public:
    ScratchFolder() : m_path(officestubs::TempPath(L"kxf"))
    {
        DeleteFileW(m_path.c_str());
        CreateDirectoryW(m_path.c_str(), nullptr);
    }
    ~ScratchFolder()
    {
        for (const std::wstring& name : OthersBeside(m_path, L""))
            DeleteFileW((m_path + L"\\" + name).c_str());
        RemoveDirectoryW(m_path.c_str());
    }
    std::wstring File(const wchar_t* name) const { return m_path + L"\\" + name; }
    const std::wstring& Path() const { return m_path; }

private:
    std::wstring m_path;
};

void WriteText(const std::wstring& path, const std::string& text)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

} // namespace

TEST_F(ExcelExport, FileTargetWritesValuesFormatsAndMergesFromRowFour)
{
    TestGrid grid(5);
    grid.Add(0, 1, L"Name")
        .Add(1, 0, L"=SUM(A1:A3)", CellFormatNumber)
        .Add(1, 1, L"12.50-", CellFormatNumber)
        .Add(2, 0, L"2024-01-31", CellFormatDate)
        .Add(2, 1, L"text", CellFormatText)
        .AddBlock(1, 2, 1, 2, L"block");
    ScratchFolder folder;
    const std::wstring file = folder.File(L"out.xlsx");
    ASSERT_TRUE(Export(grid, TargetExcelFile, Formats(), file)) << converter.GetErrorText();

    const std::string sheet = ReadZipEntry(file, "xl/worksheets/sheet1.xml");
    const std::string styles = ReadZipEntry(file, "xl/styles.xml");
    // A4 stays empty; the first row's second cell is B4.
    EXPECT_THAT(sheet, Not(HasSubstr("r=\"A4\"")));
    EXPECT_THAT(sheet, HasSubstr("<c r=\"B4\" t=\"inlineStr\"><is><r><t xml:space=\"preserve\">Name</t>"));
    // "=" text in a Number column is text, never a formula.
    EXPECT_THAT(sheet, HasSubstr("<c r=\"A5\" s=\"1\" t=\"inlineStr\"><is><r><t xml:space=\"preserve\">=SUM(A1:A3)"));
    EXPECT_THAT(sheet, HasSubstr("<c r=\"B5\" s=\"2\"><v>-12.5</v></c>"));
    EXPECT_THAT(sheet, HasSubstr("<mergeCell ref=\"C5:E6\"/>"));
    EXPECT_THAT(styles, HasSubstr("formatCode=\"#,##0.00\""));
    EXPECT_THAT(styles, HasSubstr("formatCode=\"yyyy-mm-dd\""));
    EXPECT_THAT(styles, HasSubstr("<alignment vertical=\"top\"/>"));
    EXPECT_TRUE(Logged("Excel Range[A5].NumberFormat = \"@\""));
    EXPECT_TRUE(Logged("Excel Range[C5:E6].Merge(false)"));
    EXPECT_TRUE(Logged("Excel Range[C5:E6].VerticalAlignment = -4160"));
    EXPECT_TRUE(Logged("Excel Columns[A4:E6].AutoFit()"));
    EXPECT_TRUE(Logged("Excel Application.Visible = true"));
    EXPECT_THAT(Calls("Workbook.Close"), IsEmpty()) << "the saved workbook stays open";
    EXPECT_THAT(progress.statusTexts, ElementsAre(L"Writing data to Microsoft Excel", L"Saving Microsoft Excel File"));
}

TEST_F(ExcelExport, MergingFollowsItsOption)
{
    TestGrid grid(5);
    grid.AddBlock(1, 2, 1, 2, L"block");
    ASSERT_TRUE(Export(grid, TargetExcelSheet, Formats()));
    EXPECT_TRUE(Logged("Excel Range[C5:E6].Merge(false)"));

    officestubs::StubSession second;
    ExcelExportOptions noMerge = Formats();
    noMerge.mergeCells = false;
    ASSERT_TRUE(Export(grid, TargetExcelSheet, noMerge));
    EXPECT_THAT(second.Calls("Merge"), IsEmpty());
}

TEST_F(ExcelExport, KeepFormattingSetsColourAndRoundedSizePerWordOfTheWrittenText)
{
    TestGrid grid(2);
    grid.Add(0, 0, L"12", 0, true, RGB(255, 0, 0), 1050)
        .Add(0, 0, L"345", 0, true, RGB(0, 0, 255), 950)
        .Add(0, 1, L"small", 0, true, RGB(0, 128, 0), 80)
        // A Number cell written as "-1,000": the minus came from the second word.
        .Add(1, 0, L"1,000", CellFormatNumber, true, RGB(1, 2, 3), 1200)
        .Add(1, 0, L"-", CellFormatNumber, false, RGB(4, 5, 6), 1200)
        // Damaged sizes from a work file: negative, and far beyond Excel's largest.
        .Add(2, 0, L"odd", 0, true, 0, -5000)
        .Add(2, 1, L"vast", 0, true, 0, 2000000000);
    ExcelExportOptions options = Formats();
    options.keepFormatting = true;
    ASSERT_TRUE(Export(grid, TargetExcelSheet, options)) << converter.GetErrorText();

    EXPECT_TRUE(Logged("Excel Characters[A4,1,3].Font()"));
    EXPECT_TRUE(Logged("Excel Font[A4,1,3].Color = 255"));
    EXPECT_TRUE(Logged("Excel Font[A4,1,3].Size = 11")) << "10.5 points round up";
    EXPECT_TRUE(Logged("Excel Characters[A4,4,3].Font()"));
    EXPECT_TRUE(Logged("Excel Font[A4,4,3].Size = 10"));
    EXPECT_TRUE(Logged("Excel Font[B4,1,5].Color = 32768"));
    EXPECT_THAT(Calls("Font[B4,1,5].Size"), IsEmpty()) << "below one point keeps Excel's size";
    EXPECT_TRUE(Logged("Excel Range[A5].Formula = \"-1,000\""));
    EXPECT_TRUE(Logged("Excel Font[A5,1,1].Color = 394500"));
    EXPECT_TRUE(Logged("Excel Font[A5,2,5].Color = 197121"));
    EXPECT_THAT(Calls("Font[A6,1,3].Size"), IsEmpty());
    EXPECT_THAT(Calls("Font[B6,1,4].Size"), IsEmpty());
}

TEST_F(ExcelExport, RightToLeftCellsReadRightToLeft)
{
    TestGrid grid(2);
    grid.Add(0, 0, L"\u05E9\u05DC\u05D5\u05DD").Add(0, 1, L"plain");
    ASSERT_TRUE(Export(grid, TargetExcelSheet));
    EXPECT_TRUE(Logged("Excel Range[A4].ReadingOrder = -5004"));
    EXPECT_THAT(Calls("Range[B4].ReadingOrder"), IsEmpty());
}

TEST_F(ExcelExport, ClipboardTargetCopiesTheUsedRangeAndClosesUnsaved)
{
    TestGrid grid(3);
    grid.Add(0, 0, L"a").Add(0, 2, L"c").Add(1, 1, L"b");
    officestubs::EmptyTheClipboard();
    ASSERT_TRUE(Export(grid, TargetClipboardExcel));
    EXPECT_EQ(officestubs::ClipboardText(), L"a\t\tc\r\n\tb\t\r\n");
    EXPECT_TRUE(Logged("Excel Workbook.Close(false, -, -)"));
    EXPECT_THAT(Calls("Visible"), IsEmpty());
    EXPECT_THAT(progress.statusTexts, ElementsAre(L"Writing data to Microsoft Excel",
                                                  L"Copying Microsoft Excel data to Clipboard"));
}

TEST_F(ExcelExport, ReportsTheSecondHalfOfTheRangeAfterEachRowAndStopsOnCancel)
{
    TestGrid grid(1);
    grid.Add(0, 0, L"x").Add(1, 0, L"y").Add(2, 0, L"z");
    ASSERT_TRUE(Export(grid, TargetExcelSheet, Formats(), L"", 400));
    EXPECT_THAT(progress.positions, ElementsAre(200, 266, 333));

    officestubs::StubSession second;
    progress.positions.clear();
    progress.cancelAtPosition = 1;
    EXPECT_FALSE(Export(grid, TargetExcelSheet, Formats(), L"", 400));
    EXPECT_EQ(converter.GetErrorText(), L"");
    EXPECT_THAT(progress.positions, SizeIs(1));
    EXPECT_TRUE(second.Logged("Excel Workbook.Close(false, -, -)"));
    EXPECT_THAT(second.Calls("Range[A5]"), IsEmpty()) << "nothing is written after the cancel";
    EXPECT_THAT(second.Calls("Visible"), IsEmpty());

    // A range too wide for row x half in 32 bits: the positions still climb to the end.
    officestubs::StubSession third;
    progress.positions.clear();
    progress.cancelAtPosition = 0;
    progress.SetCanceled(false);
    grid.Add(3, 0, L"w");
    ASSERT_TRUE(Export(grid, TargetExcelSheet, Formats(), L"", 2000000000));
    EXPECT_THAT(progress.positions, ElementsAre(1000000000, 1250000000, 1500000000, 1750000000));
}

// A failure that is not the framework's still closes the hidden workbook of the clipboard export.
TEST_F(ExcelExport, AnyFailureOfTheClipboardExportClosesItsWorkbook)
{
    TestGrid grid(1);
    grid.Add(0, 0, L"x").Add(1, 0, L"y");
    progress.throwAtPosition = 2;
    EXPECT_THROW(Export(grid, TargetClipboardExcel), std::runtime_error);
    EXPECT_TRUE(Logged("Excel Workbook.Close(false, -, -)"));
    EXPECT_THAT(Calls("Copy"), IsEmpty());
}

TEST_F(ExcelExport, FailedSaveKeepsTheOldFileAndASuccessfulOneReplacesIt)
{
    TestGrid grid(1);
    grid.Add(0, 0, L"new");
    ScratchFolder folder;
    const std::wstring file = folder.File(L"report.xlsx");
    WriteText(file, "the user's old workbook");

    session.Fail(L"Excel.Workbook.SaveAs");
    EXPECT_FALSE(Export(grid, TargetExcelFile, Formats(), file));
    EXPECT_EQ(converter.GetErrorText(), L"Excel exception: Forced failure of Excel.Workbook.SaveAs");
    EXPECT_EQ(officestubs::ReadFileBytes(file), "the user's old workbook");
    EXPECT_THAT(OthersBeside(folder.Path(), L"report.xlsx"), IsEmpty());

    session.Fail(nullptr);
    ASSERT_TRUE(Export(grid, TargetExcelFile, Formats(), file)) << converter.GetErrorText();
    EXPECT_THAT(ReadZipEntry(file, "xl/worksheets/sheet1.xml"), HasSubstr(">new<"));
    EXPECT_THAT(OthersBeside(folder.Path(), L"report.xlsx"), IsEmpty());
}

// Every message of the Excel export, each forced through a failing call.
TEST_F(ExcelExport, FailuresGiveTheirMessages)
{
    struct Case {
        const wchar_t* failingCall;
        const wchar_t* text;
        bool final;
        bool workbookClosed; // Excel stays hidden for the clipboard: nobody else would close it
    } cases[] = {
        {L"Excel.create", L"Failed to load Excel application", true, false},
        {L"Excel.Workbooks.Add", L"Excel exception: Forced failure of Excel.Workbooks.Add", false, false},
        {L"Excel.Range.NumberFormat", L"Excel exception: Forced failure of Excel.Range.NumberFormat", false, true},
        {L"Excel.Range.Formula#2", L"Excel exception: Forced failure of Excel.Range.Formula", false, true},
        {L"Excel.Range.AutoFit", L"Excel exception: Forced failure of Excel.Range.AutoFit", false, true},
        {L"Excel.Range.Copy", L"Excel exception: Forced failure of Excel.Range.Copy", false, true},
    };
    TestGrid grid(2);
    grid.Add(0, 0, L"1", CellFormatNumber).Add(0, 1, L"2");
    for (const Case& c : cases) {
        officestubs::StubSession own;
        own.Fail(c.failingCall);
        EXPECT_FALSE(Export(grid, TargetClipboardExcel)) << officestubs::Utf8(c.failingCall);
        EXPECT_EQ(converter.GetErrorText(), c.text);
        EXPECT_EQ(converter.IsErrorFinal(), c.final) << officestubs::Utf8(c.failingCall);
        EXPECT_EQ(own.Logged("Excel Workbook.Close(false, -, -)"), c.workbookClosed)
            << officestubs::Utf8(c.failingCall);
    }
}

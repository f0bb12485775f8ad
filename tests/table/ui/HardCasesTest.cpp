// One table of hard cases, every cell in every column format, through every target: what each
// cell holds afterwards, read back from the workbook, the clipboard and the Word table. The
// workbook and the clipboard texts are also left in KEST_WORKBOOK_DIR with what each cell must
// hold, where a real reader checks them (tests/hosts/check_workbooks.py: openpyxl for the
// workbook, python's csv module for the paste of the clipboard text).
#include "ExportFixture.h"

#include "table/ClipboardText.h"
#include "table/ui/ExcelExporter.h"
#include "table/ui/WordExporter.h"

#include <cmath>
#include <regex>

using ::testing::HasSubstr;
using ::testing::Not;

namespace {

enum Column { Automatic, Text, Number, Currency, Date, Time, ColumnCount };
const int32_t kFormats[ColumnCount] = {CellFormatAutomatic, CellFormatText,  CellFormatNumber,
                                       CellFormatCurrency,  CellFormatDate, CellFormatTime};
const char* const kColumnNames[ColumnCount] = {"Automatic", "Text", "Number", "Currency", "Date", "Time"};

const double T = NAN;                 // the cell holds text
const double kMarch4 = 45355;         // 2024-03-04
const double kHalfPastTwo = 14.5 / 24; // 14:30

struct HardCase
{
    std::wstring typed;
    // The value in each column (the Text column always holds text): a number, or T.
    double value[ColumnCount];
    // The text a workbook cell holds where it is not the cell's text as the grid gives it.
    std::wstring inWorkbook;
};

std::vector<HardCase> HardCases()
{
    return {
        {L"1,234.50", {1234.5, T, 1234.5, 1234.5, 1234.5, 1234.5}, L""},
        {L"-42.5", {-42.5, T, -42.5, -42.5, -42.5, -42.5}, L""},
        {L"+7", {7, T, 7, 7, 7, 7}, L""},
        {L"12.50-", {T, T, -12.5, T, T, T}, L""},
        {L"(1,234.00)", {-1234, T, -1234, -1234, -1234, -1234}, L""},
        {L"$258.65", {258.65, T, 258.65, 258.65, 258.65, 258.65}, L""},
        {L"10%", {0.1, T, 0.1, 0.1, 0.1, 0.1}, L""},
        {L"1.5E3", {1500, T, 1500, 1500, 1500, 1500}, L""},
        {L"007", {7, T, 7, 7, 7, 7}, L""},
        {L"12 345", {T, T, T, T, T, T}, L""},
        // Excel keeps 15 digits: under General the card number stays text.
        {L"9999999999999999", {T, T, 1e16, 1e16, 1e16, 1e16}, L""},
        {L"2024-03-04", {T, T, T, T, kMarch4, kMarch4}, L""},
        {L"3/4/2024", {T, T, T, T, kMarch4, kMarch4}, L""},
        {L"05.12.2024", {T, T, T, T, T, T}, L""},
        {L"4-Mar-2024", {T, T, T, T, kMarch4, kMarch4}, L""},
        {L"14:30", {T, T, T, T, kHalfPastTwo, kHalfPastTwo}, L""},
        {L"=SUM(1,2)", {T, T, T, T, T, T}, L""},
        {L"+1+1", {T, T, T, T, T, T}, L""},
        {L"-2+3", {T, T, T, T, T, T}, L""},
        {L"@SUM(1,2)", {T, T, T, T, T, T}, L""},
        {L"+44 20", {T, T, T, T, T, T}, L""},
        {L"+HYPERLINK(\"http://example.com\",\"x\")", {T, T, T, T, T, T}, L""},
        {L"-", {T, T, T, T, T, T}, L""},
        {L"a\tb", {T, T, T, T, T, T}, L""},
        {L"say \"hi\"\tnow", {T, T, T, T, T, T}, L""},
        {L"line 1\nline 2", {T, T, T, T, T, T}, L""},
        {L"line 1\r\nline 2", {T, T, T, T, T, T}, L"line 1\nline 2"},
        {std::wstring(40000, L'x'), {T, T, T, T, T, T}, std::wstring(32767, L'x')},
        {std::wstring(32766, L'y') + L"\U0001D11E tail", {T, T, T, T, T, T}, std::wstring(32766, L'y')},
        {L"\u05E9\u05DC\u05D5\u05DD", {T, T, T, T, T, T}, L""},
        {L"\u0645\u0631\u062D\u0628\u0627", {T, T, T, T, T, T}, L""},
        {L"\u6771\u4EAC\u90FD \u6E0B\u8C37\u533A", {T, T, T, T, T, T}, L""},
        {L"\U0001D11E music", {T, T, T, T, T, T}, L""},
    };
}

ExcelExportOptions Formats()
{
    ExcelExportOptions options;
    options.keepFormatting = true;
    options.numberFormat = L"#,##0.00";
    options.currencyFormat = L"$#,##0.00";
    options.dateFormat = L"m/d/yyyy";
    options.timeFormat = L"h:mm";
    return options;
}

std::string JsonText(const std::wstring& text)
{
    std::string out = "\"";
    for (char c : officestubs::Utf8(text)) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

void SaveBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    EXPECT_EQ(written, bytes.size());
}

std::wstring OutputPath(const wchar_t* name)
{
    CreateDirectoryW(L"" KEST_WORKBOOK_DIR, nullptr);
    const std::wstring path = std::wstring(L"" KEST_WORKBOOK_DIR) + L"\\" + name;
    DeleteFileW(path.c_str());
    return path;
}

// The XML of one cell of a written sheet.
std::string CellXml(const std::string& sheetXml, const std::string& name)
{
    const size_t start = sheetXml.find("<c r=\"" + name + "\"");
    if (start == std::string::npos)
        return std::string();
    const size_t tagEnd = sheetXml.find('>', start);
    if (tagEnd != std::string::npos && sheetXml[tagEnd - 1] == '/')
        return sheetXml.substr(start, tagEnd + 1 - start);
    return sheetXml.substr(start, sheetXml.find("</c>", start) - start);
}

// The text of an inline-string cell, its runs joined, as a reader decodes it.
std::wstring InlineText(const std::string& cellXml)
{
    // Found by hand: a regular expression over a cell of 32,767 characters runs out of stack.
    std::string text;
    for (size_t at = cellXml.find("<t"); at != std::string::npos; at = cellXml.find("<t", at + 1)) {
        const size_t open = cellXml.find('>', at);
        const size_t close = cellXml.find("</t>", open);
        if (open == std::string::npos || close == std::string::npos)
            break;
        text.append(cellXml, open + 1, close - open - 1);
        at = close;
    }
    const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}};
    for (const auto& entity : entities)
        for (size_t at = text.find(entity.first); at != std::string::npos; at = text.find(entity.first, at + 1))
            text.replace(at, strlen(entity.first), entity.second);
    return officestubs::Widen(text);
}

class HardCasesTest : public StubExportTest
{
protected:
    HardCasesTest() : grid(ColumnCount)
    {
        for (size_t row = 0; row < cases.size(); ++row)
            for (int column = 0; column < ColumnCount; ++column)
                grid.Add(static_cast<int>(row), column, cases[row].typed.c_str(), kFormats[column]);
    }

    // The text of the cell as the grid gives it to every export.
    std::wstring GridText(size_t row, int column) const
    {
        return ConvertingTableGrid::GetCellText(grid.Grid().GetCell(column, static_cast<int>(row)), false);
    }
    // The text Excel is given for a cell: the grid's, unless the workbook must hold another.
    std::wstring ExcelText(size_t row, int column) const
    {
        return cases[row].inWorkbook.empty() ? GridText(row, column) : cases[row].inWorkbook;
    }
    static std::string CellName(size_t row, int column)
    {
        return std::string(1, static_cast<char>('A' + column)) + std::to_string(4 + row);
    }
    // The rows of cell texts a paste must give, as JSON.
    template <class CellText> std::string RowsJson(CellText cellText, bool trailingEmptyCell) const
    {
        std::string json = "[";
        for (size_t row = 0; row < cases.size(); ++row) {
            json += row ? ",\n[" : "\n[";
            for (int column = 0; column < ColumnCount; ++column)
                json += (column ? "," : "") + JsonText(cellText(row, column));
            json += trailingEmptyCell ? ",\"\"]" : "]";
        }
        return json + "]\n";
    }

    const std::vector<HardCase> cases = HardCases();
    TestGrid grid;
};

} // namespace

TEST_F(HardCasesTest, ExcelFileHoldsEveryCaseAsPrintedAndNoFormula)
{
    const std::wstring path = OutputPath(L"hard-cases.xlsx");
    ExcelExporter exporter(Formats());
    ASSERT_TRUE(exporter.Export(converter, grid.Grid(), TargetExcelFile, path, 400)) << converter.GetErrorText();
    EXPECT_THAT(Calls("holds a formula"), ::testing::IsEmpty());
    EXPECT_THAT(Calls("FAILED"), ::testing::IsEmpty());

    const std::string xml = officestubs::ReadZipEntry(path, "xl/worksheets/sheet1.xml");
    std::string expected = "{";
    for (size_t row = 0; row < cases.size(); ++row) {
        for (int column = 0; column < ColumnCount; ++column) {
            const std::string name = CellName(row, column);
            SCOPED_TRACE(name + " " + kColumnNames[column] + " " + officestubs::Utf8(cases[row].typed.substr(0, 40)));
            const std::string cell = CellXml(xml, name);
            EXPECT_THAT(cell, Not(HasSubstr("<f>")));
            const double value = column == Text ? T : cases[row].value[column];
            expected += row || column ? ",\n" : "\n";
            if (std::isnan(value)) {
                EXPECT_THAT(cell, HasSubstr("t=\"inlineStr\""));
                EXPECT_EQ(InlineText(cell), ExcelText(row, column));
                expected += "\"" + name + "\": {\"text\": " + JsonText(ExcelText(row, column)) + "}";
            } else {
                std::smatch stored;
                ASSERT_TRUE(std::regex_search(cell, stored, std::regex("<v>([^<]*)</v>"))) << cell;
                EXPECT_DOUBLE_EQ(std::stod(stored[1]), value);
                char number[64];
                snprintf(number, sizeof number, "%.17g", value);
                expected += "\"" + name + "\": {\"number\": " + number + "}";
            }
        }
    }
    SaveBytes(path + L".expected.json", expected + "}\n");
    // Each cell that was cut is named once, after the conversion.
    EXPECT_EQ(converter.GetNotice().rfind(L"12 cells held more than 32,767 characters", 0), 0u) << converter.GetNotice();
    EXPECT_THAT(officestubs::Utf8(converter.GetNotice()), HasSubstr("(A31, B31, C31, D31, E31, F31, A32, B32,"));
}

TEST_F(HardCasesTest, ExcelSheetAndClipboardGetTheSameCellsAndNoFormula)
{
    ExcelExporter exporter(Formats());
    ASSERT_TRUE(exporter.Export(converter, grid.Grid(), TargetExcelSheet, L"", 400)) << converter.GetErrorText();
    EXPECT_THAT(Calls("holds a formula"), ::testing::IsEmpty());
    EXPECT_FALSE(converter.GetNotice().empty());

    officestubs::EmptyTheClipboard();
    ASSERT_TRUE(exporter.Export(converter, grid.Grid(), TargetClipboardExcel, L"", 400)) << converter.GetErrorText();
    EXPECT_THAT(Calls("holds a formula"), ::testing::IsEmpty());
    // The number cells were given the grid's text, the others what the workbook holds.
    const std::wstring path = OutputPath(L"hard-cases-clipboard-excel.txt");
    SaveBytes(path, officestubs::Utf8(officestubs::ClipboardText()));
    SaveBytes(path + L".expected.json", RowsJson([&](size_t row, int column) { return ExcelText(row, column); }, false));
}

TEST_F(HardCasesTest, ClipboardTextPastesEveryCellIntoItsOwnPlace)
{
    officestubs::EmptyTheClipboard();
    ASSERT_TRUE(converter.CopyTextToClipboard(BuildTableText(grid.Grid()))) << converter.GetErrorText();
    const std::wstring text = officestubs::ClipboardText();
    // One line a row where no cell holds a line break: every line break of a cell is quoted.
    EXPECT_THAT(officestubs::Utf8(text), HasSubstr("\t\"a\tb\"\t\"a\tb\"\t"));
    EXPECT_THAT(officestubs::Utf8(text), HasSubstr("\"say \"\"hi\"\"\tnow\""));
    const std::wstring path = OutputPath(L"hard-cases-clipboard.txt");
    SaveBytes(path, officestubs::Utf8(text));
    SaveBytes(path + L".expected.json", RowsJson([&](size_t row, int column) { return GridText(row, column); }, true));
}

TEST_F(HardCasesTest, WordTableKeepsLineBreaksSingle)
{
    for (bool keepFormatting : {false, true}) {
        SCOPED_TRACE(keepFormatting ? "keeping the formatting" : "plain");
        officestubs::EmptyTheClipboard();
        WordExporter exporter(WordExportOptions{keepFormatting, false});
        ASSERT_TRUE(exporter.Export(converter, grid.Grid(), TargetClipboardWord, L"", 400))
            << converter.GetErrorText();
        const std::string rtf = officestubs::ClipboardRtf();
        // CR LF and LF are one line break each, inside the cell's one paragraph.
        EXPECT_THAT(rtf, HasSubstr("line 1\\line line 2}\\cell"));
        EXPECT_THAT(rtf, Not(HasSubstr("line 1\\par")));
        EXPECT_THAT(rtf, Not(HasSubstr(" }\\cell"))) << "a cell ends in a space";
        EXPECT_THAT(Calls("FAILED"), ::testing::IsEmpty());
    }
}

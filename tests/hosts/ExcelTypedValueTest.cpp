// What the spreadsheet stand-in makes of values typed into cells: numbers only where the
// application reads a number, dates and times as serial numbers in date and time columns, and
// column widths after AutoFit. The workbooks are also left in KEST_WORKBOOK_DIR, where a real
// reader checks them (check_workbooks.py).
#include "StubFixture.h"

#include <gmock/gmock.h>

#include <cmath>
#include <cstdlib>
#include <regex>

namespace
{

class ExcelTypedValue : public StubTest
{
};

struct Sheet
{
    Disp app = CreateByProgId(L"Excel.Application");
    Disp book, sheet;

    Sheet()
    {
        book = app.Object(0x23C).Object(0xB5, {Var::I4(-4167)}, DISPATCH_METHOD);
        sheet = book.Object(0x1EE).Object(0xAA, {Var::I4(1)});
    }
    Disp Range(const std::wstring& first, const std::wstring& last) const
    {
        return sheet.Object(0xC5, {Var::Str(first.c_str()), Var::Str(last.c_str())});
    }
    // As the export writes a cell: its number format first, then the value.
    void Type(const std::wstring& cell, const wchar_t* format, const wchar_t* text) const
    {
        Disp range = Range(cell, cell);
        if (format)
        {
            EXPECT_EQ(range.Put(0xC1, Var::Str(format)).hr, S_OK);
        }
        EXPECT_EQ(range.Put(0x105, Var::Str(text)).hr, S_OK);
    }
    HRESULT SaveAs(const std::wstring& path) const
    {
        return book
            .Call(0x11C,
                  {Var::Str(path.c_str()), Var::Missing(), Var::Missing(), Var::Missing(), Var::Missing(),
                   Var::Bool(false), Var::I4(2), Var::Missing(), Var::Bool(false), Var::Missing(), Var::Missing()})
            .hr;
    }
};

// The XML of one cell of the written sheet.
std::string CellXml(const std::string& sheetXml, const std::string& name)
{
    const size_t start = sheetXml.find("<c r=\"" + name + "\"");
    if (start == std::string::npos)
        return std::string();
    const size_t selfClosed = sheetXml.find("/>", start);
    const size_t closed = sheetXml.find("</c>", start);
    const size_t end = (std::min)(selfClosed == std::string::npos ? closed : selfClosed, closed);
    return sheetXml.substr(start, end - start);
}

// The stored number of a cell, NAN when the cell holds text.
double StoredNumber(const std::string& cellXml)
{
    std::smatch match;
    if (!std::regex_search(cellXml, match, std::regex("<v>([^<]*)</v>")))
        return NAN;
    return std::stod(match[1]);
}

const double k2024March4 = 45355; // days since 1899-12-30
const double kHalfPastTwoPm = 14.5 / 24;

} // namespace

TEST_F(ExcelTypedValue, NumbersDatesAndTimesAreReadOnlyWhereTheApplicationWould)
{
    struct Case
    {
        const wchar_t* typed;
        const wchar_t* format; // null: General
        double expected;       // NAN: stays text
        const wchar_t* kind;   // what the reader must find: number, date, time or text
    } cases[] = {
        {L"1234.5", nullptr, 1234.5, L"number"},
        {L"1,234.5", L"#,##0.00", 1234.5, L"number"},
        {L"12,345,678", nullptr, 12345678, L"number"},
        {L"-0.25", nullptr, -0.25, L"number"},
        {L"(1,234.00)", L"#,##0.00", -1234, L"number"},
        {L"1.5E3", nullptr, 1500, L"number"},
        {L".5", nullptr, 0.5, L"number"},
        {L"007", nullptr, 7, L"number"},
        {L"12", L"0.00", 12, L"number"},
        // Commas that are no thousands grouping, and what a C library would read as a number.
        {L"1,23", nullptr, NAN, L"text"},
        {L"1234,567", nullptr, NAN, L"text"},
        {L"1,2345", nullptr, NAN, L"text"},
        {L"12 345", nullptr, NAN, L"text"},
        {L"nan", nullptr, NAN, L"text"},
        {L"inf", nullptr, NAN, L"text"},
        {L"Infinity", nullptr, NAN, L"text"},
        {L"0x1F", nullptr, NAN, L"text"},
        {L"1e999", nullptr, NAN, L"text"},
        {L"12", L"@", NAN, L"text"},
        // Currency amounts and percentages are numbers; 15 significant digits are kept.
        {L"$258.65", nullptr, 258.65, L"number"},
        {L"-$5", L"$#,##0.00", -5, L"number"},
        {L"12.5%", nullptr, 0.125, L"number"},
        {L"9999999999999999", nullptr, 1e16, L"number"},
        {L"1234567890.1234567", nullptr, 1234567890.12346, L"number"},
        // Dates in date columns, read by the English (United States) rules whatever the column's
        // order: month first, "/" or "-" only.
        {L"2024-03-04", L"yyyy-mm-dd", k2024March4, L"date"},
        {L"3/4/2024", L"dd/mm/yyyy", k2024March4, L"date"},
        {L"3/4/2024", L"m/d/yyyy", k2024March4, L"date"},
        {L"3-4-24", L"d.m.yy", k2024March4, L"date"},
        {L"4.3.24", L"d.m.yy", NAN, L"text"},
        {L"05.12.2024", L"dd.mm.yyyy", NAN, L"text"},
        {L"4-Mar-2024", L"yyyy-mm-dd", k2024March4, L"date"},
        {L"Mar 4, 2024", L"yyyy-mm-dd", k2024March4, L"date"},
        {L"3/4/2024 2:30 PM", L"m/d/yyyy h:mm AM/PM", k2024March4 + kHalfPastTwoPm, L"date"},
        {L"1900-02-28", L"yyyy-mm-dd", 59, L"date"},
        {L"1900-03-01", L"yyyy-mm-dd", 61, L"date"},
        {L"2/31/2024", L"m/d/yyyy", NAN, L"text"},
        {L"31/12/2024", L"dd/mm/yyyy", NAN, L"text"},
        {L"2024-13-01", L"yyyy-mm-dd", NAN, L"text"},
        {L"2024-03-04", L"0.00", NAN, L"text"},
        {L"14:30", L"hh:mm", kHalfPastTwoPm, L"time"},
        {L"2:30 PM", L"[h]:mm", kHalfPastTwoPm, L"time"},
        {L"24:30", L"hh:mm", NAN, L"text"},
    };
    Sheet sheet;
    ASSERT_TRUE(sheet.sheet);
    long row = 1;
    for (const Case& c : cases)
    {
        sheet.Type(L"A" + std::to_wstring(row), c.format, c.typed);
        sheet.Type(L"B" + std::to_wstring(row), L"@", c.kind);
        ++row;
    }
    const std::wstring path = WorkbookPath(L"typed-values.xlsx");
    ASSERT_EQ(sheet.SaveAs(path), S_OK);
    const std::string xml = officestubs::ReadZipEntry(path, "xl/worksheets/sheet1.xml");
    row = 1;
    for (const Case& c : cases)
    {
        const std::string cell = CellXml(xml, "A" + std::to_string(row++));
        const std::string what =
            officestubs::Utf8(c.typed) + " under " + officestubs::Utf8(c.format ? c.format : L"General");
        if (std::isnan(c.expected))
        {
            EXPECT_THAT(cell, ::testing::HasSubstr("t=\"inlineStr\"")) << what;
            EXPECT_THAT(cell, ::testing::HasSubstr(">" + officestubs::Utf8(c.typed) + "<")) << what;
        }
        else
            EXPECT_NEAR(StoredNumber(cell), c.expected, 1e-9) << what << ": " << cell;
    }
    // A date keeps the column's format, so that a reader shows it as a date.
    EXPECT_THAT(officestubs::ReadZipEntry(path, "xl/styles.xml"), ::testing::HasSubstr("formatCode=\"dd/mm/yyyy\""));
    EXPECT_TRUE(session->Calls("holds a formula").empty());
}

TEST_F(ExcelTypedValue, AutoFitWidensColumnsToTheirLongestTextAndOnlyWholeColumnsFit)
{
    Sheet sheet;
    sheet.Type(L"A1", nullptr, L"Item");
    sheet.Type(L"A2", nullptr, L"Toner cartridge black");
    sheet.Type(L"B1", nullptr, L"12");
    // A title merged across B2:D2 does not widen B; D has no text of its own and keeps its width.
    sheet.Type(L"B2", nullptr, L"A title much longer than any column");
    ASSERT_EQ(sheet.Range(L"B2", L"D2").Call(0x234, {Var::Bool(false)}).hr, S_OK);
    sheet.Type(L"C1", nullptr, L"wide");
    Disp big = sheet.Range(L"C1", L"C1").Object(0x25B, {Var::I4(1), Var::I4(4)}).Object(0x92);
    ASSERT_EQ(big.Put(0x68, Var::I4(22)).hr, S_OK);

    Disp used = sheet.sheet.Object(0x19C);
    EXPECT_EQ(used.Call(0xED).hr, DISP_E_EXCEPTION) << "a range that is neither rows nor columns";
    ASSERT_EQ(used.Object(0xF1).Call(0xED).hr, S_OK);

    const std::wstring path = WorkbookPath(L"autofit.xlsx");
    ASSERT_EQ(sheet.SaveAs(path), S_OK);
    const std::string xml = officestubs::ReadZipEntry(path, "xl/worksheets/sheet1.xml");
    std::map<int, double> widths;
    const std::regex column("<col min=\"(\\d+)\" max=\"\\d+\" width=\"([0-9.]+)\"");
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), column); it != std::sregex_iterator(); ++it)
        widths[std::stoi((*it)[1])] = std::stod((*it)[2]);
    ASSERT_EQ(widths.count(4), 0u) << xml;
    ASSERT_EQ(widths.size(), 3u) << xml;
    EXPECT_GT(widths[1], 21.0) << "\"Toner cartridge black\" has 21 characters";
    EXPECT_LT(widths[2], 4.0) << "only \"12\" counts in column B";
    EXPECT_GT(widths[3], widths[2] * 2) << "the 22-point text is twice as wide";
    EXPECT_LT(xml.find("<cols>"), xml.find("<sheetData>")) << "the reader wants the widths first";
}

TEST_F(ExcelTypedValue, TextsThatStartLikeAFormulaBecomeOneUnlessTheCellIsText)
{
    struct Case
    {
        const wchar_t* typed;
        const wchar_t* format; // null: General
        const char* stored;    // the <f> the workbook holds; null: no formula
    } cases[] = {
        {L"=A1+1", nullptr, "A1+1"},
        {L"+1+1", nullptr, "+1+1"},
        {L"-2+3", L"#,##0.00", "-2+3"},
        {L"@SUM(1,2)", L"m/d/yyyy", "SUM(1,2)"},
        {L"+44 20", nullptr, "+44 20"},
        {L"+1+1", L"@", nullptr},
        {L"-42.5", nullptr, nullptr},
        {L"+7", nullptr, nullptr},
        {L"-", nullptr, nullptr},
    };
    Sheet sheet;
    long row = 1;
    for (const Case& c : cases)
        sheet.Type(L"A" + std::to_wstring(row++), c.format, c.typed);
    // Value is read the same way as Formula.
    ASSERT_EQ(sheet.Range(L"B1", L"B1").Put(0x6, Var::Str(L"-2+3")).hr, S_OK);
    const std::wstring path = WorkbookPath(L"formulas.xlsx");
    ASSERT_EQ(sheet.SaveAs(path), S_OK);
    const std::string xml = officestubs::ReadZipEntry(path, "xl/worksheets/sheet1.xml");
    row = 1;
    for (const Case& c : cases)
    {
        const std::string name = "A" + std::to_string(row++);
        const std::string cell = CellXml(xml, name);
        if (c.stored)
        {
            EXPECT_THAT(cell, ::testing::HasSubstr(std::string("<f>") + c.stored + "</f>")) << name;
            EXPECT_TRUE(session->Logged("Excel " + name + " holds a formula")) << name;
        }
        else
        {
            EXPECT_THAT(cell, ::testing::Not(::testing::HasSubstr("<f>"))) << name;
            EXPECT_FALSE(session->Logged("Excel " + name + " holds a formula")) << name;
        }
    }
    EXPECT_THAT(CellXml(xml, "B1"), ::testing::HasSubstr("<f>-2+3</f>"));
}

TEST_F(ExcelTypedValue, ACellRefusesMoreThanItHolds)
{
    Sheet sheet;
    const std::wstring full(32767, L'x');
    EXPECT_EQ(sheet.Range(L"A1", L"A1").Put(0x105, Var::Str(full.c_str())).hr, S_OK);
    const std::wstring over(32768, L'x');
    EXPECT_EQ(sheet.Range(L"A2", L"A2").Put(0x105, Var::Str(over.c_str())).hr, DISP_E_EXCEPTION);
    EXPECT_EQ(sheet.Range(L"A3", L"A3").Put(0x6, Var::Str(over.c_str())).hr, DISP_E_EXCEPTION);
}

TEST_F(ExcelTypedValue, AutoFitMeasuresTheValueAsTheCellShowsIt)
{
    struct Case
    {
        const wchar_t* typed;
        const wchar_t* format;
        const wchar_t* shown;
    } cases[] = {
        {L"10", L"0.0000", L"10.0000"},
        {L"258.65", L"$#,##0.00", L"$258.65"},
        {L"-1234567", L"#,##0", L"-1,234,567"},
        {L"-5", L"#,##0.00;(#,##0.00)", L"(5.00)"},
        {L"0.25", L"0%", L"25%"},
        {L"3/4/2024", L"mmmm d, yyyy", L"March 4, 2024"},
        {L"14:30", L"h:mm AM/PM", L"2:30 PM"},
        {L"123456789012", nullptr, L"1.23457E+11"},
    };
    Sheet sheet;
    long column = 1;
    for (const Case& c : cases)
    {
        const std::wstring name = std::wstring(1, static_cast<wchar_t>(L'A' + column - 1)) + L"1";
        sheet.Type(name, c.format, c.typed);
        ++column;
    }
    ASSERT_EQ(sheet.sheet.Object(0x19C).Object(0xF1).Call(0xED).hr, S_OK);
    const std::wstring path = WorkbookPath(L"autofit-shown.xlsx");
    ASSERT_EQ(sheet.SaveAs(path), S_OK);
    const std::string xml = officestubs::ReadZipEntry(path, "xl/worksheets/sheet1.xml");
    column = 1;
    for (const Case& c : cases)
    {
        std::smatch match;
        const std::regex width("<col min=\"" + std::to_string(column) + "\" max=\"\\d+\" width=\"([0-9.]+)\"");
        ASSERT_TRUE(std::regex_search(xml, match, width)) << xml;
        EXPECT_NEAR(std::stod(match[1]), wcslen(c.shown) + 0.71, 0.01) << officestubs::Utf8(c.shown);
        ++column;
    }
}

TEST_F(ExcelTypedValue, WorkbooksKeepEveryCharacterAndCarryTheirDate)
{
    Sheet sheet;
    sheet.Type(L"A1", nullptr, L"line 1\r\nline 2");
    sheet.Type(L"A2", nullptr, L"_x0041_ stays as typed");
    sheet.Type(L"A3", nullptr, L"bell\a");
    const std::wstring path = WorkbookPath(L"escapes.xlsx");
    ASSERT_EQ(sheet.SaveAs(path), S_OK);
    const std::string xml = officestubs::ReadZipEntry(path, "xl/worksheets/sheet1.xml");
    // A raw CR would reach a reader as a LF; the application writes it escaped.
    EXPECT_THAT(CellXml(xml, "A1"), ::testing::HasSubstr(">line 1_x000D_\nline 2<"));
    EXPECT_THAT(CellXml(xml, "A2"), ::testing::HasSubstr(">_x005F_x0041_ stays as typed<"));
    EXPECT_THAT(CellXml(xml, "A3"), ::testing::HasSubstr(">bell_x0007_<"));

    zlib_filefunc64_def io;
    fill_win32_filefunc64W(&io);
    unzFile zip = unzOpen2_64(path.c_str(), &io);
    ASSERT_TRUE(zip);
    SYSTEMTIME today;
    GetLocalTime(&today);
    int entries = 0;
    for (int at = unzGoToFirstFile(zip); at == UNZ_OK; at = unzGoToNextFile(zip), ++entries)
    {
        unz_file_info64 info{};
        ASSERT_EQ(unzGetCurrentFileInfo64(zip, &info, nullptr, 0, nullptr, 0, nullptr, 0), UNZ_OK);
        // Written a moment ago: today, unless midnight passed in between.
        EXPECT_GE(info.tmu_date.tm_year, 2024);
        EXPECT_GE(info.tmu_date.tm_mday, 1);
        EXPECT_LE(std::abs(static_cast<int>(info.tmu_date.tm_mday) - today.wDay), 1);
    }
    unzClose(zip);
    EXPECT_EQ(entries, 6);
}

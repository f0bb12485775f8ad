#include "StubFixture.h"

#include <gmock/gmock.h>

using ::testing::HasSubstr;
using officestubs::ReadZipEntry;

namespace {

// The sheet of a new one-worksheet workbook, as the exports reach it.
struct Workbook {
    Disp app, book, sheet;
    explicit Workbook(Disp application) : app(application)
    {
        Disp books = app.Object(0x23C);
        book = books.Object(0xB5, {Var::I4(-4167)}, DISPATCH_METHOD);
        sheet = book.Object(0x1EE).Object(0xAA, {Var::I4(1)});
    }
    Disp Range(const wchar_t* first, const wchar_t* last) const
    {
        return sheet.Object(0xC5, {Var::Str(first), Var::Str(last)});
    }
    Reply SaveAs(const std::wstring& path) const
    {
        return book.Call(0x11C, {Var::Str(path.c_str()), Var::Missing(), Var::Missing(), Var::Missing(),
                                 Var::Missing(), Var::Bool(false), Var::I4(2), Var::Missing(), Var::Bool(false),
                                 Var::Missing(), Var::Missing()});
    }
};

class ExcelStub : public StubTest {};

} // namespace

TEST_F(ExcelStub, RegisteredUnderItsProgIdAndLogsItsCreation)
{
    Disp app = CreateByProgId(L"Excel.Application");
    ASSERT_TRUE(app);
    EXPECT_TRUE(session->Logged("Excel create"));
    EXPECT_EQ(app.Put(0x22E, Var::Bool(true)).hr, S_OK);
    EXPECT_TRUE(session->Logged("Excel Application.Visible = true"));
}

TEST_F(ExcelStub, SaveAsWritesAWorkbookWithValuesFormatsAndMerges)
{
    Workbook wb(CreateByProgId(L"Excel.Application"));
    ASSERT_TRUE(wb.sheet);
    Disp b4 = wb.Range(L"B4", L"B4");
    ASSERT_EQ(b4.Put(0xC1, Var::Str(L"@")).hr, S_OK);
    ASSERT_EQ(b4.Put(0x105, Var::Str(L"=SUM(A1:A3)")).hr, S_OK);
    Disp c4 = wb.Range(L"C4", L"C4");
    ASSERT_EQ(c4.Put(0xC1, Var::Str(L"#,##0.00")).hr, S_OK);
    ASSERT_EQ(c4.Put(0x105, Var::Str(L"1,234.5")).hr, S_OK);
    Disp a5 = wb.Range(L"A5", L"A5");
    ASSERT_EQ(a5.Put(0x105, Var::Str(L"12 345")).hr, S_OK);
    Disp font = a5.Object(0x25B, {Var::I4(4), Var::I4(3)}).Object(0x92);
    ASSERT_EQ(font.Put(0x63, Var::I4(0x0000FF)).hr, S_OK);
    ASSERT_EQ(font.Put(0x68, Var::I4(11)).hr, S_OK);
    Disp block = wb.Range(L"C5", L"E6");
    ASSERT_EQ(block.Call(0x234, {Var::Bool(false)}).hr, S_OK);
    ASSERT_EQ(block.Put(0x89, Var::I4(-4160)).hr, S_OK);

    // A real reader opens this workbook too (check_workbooks.py).
    const std::wstring path = WorkbookPath(L"values-formats-merges.xlsx");
    Reply saved = wb.SaveAs(path);
    ASSERT_EQ(saved.hr, S_OK) << ::testing::PrintToString(session->Calls("FAILED"));
    const std::string sheet = ReadZipEntry(path, "xl/worksheets/sheet1.xml");
    const std::string styles = ReadZipEntry(path, "xl/styles.xml");
    EXPECT_FALSE(ReadZipEntry(path, "[Content_Types].xml").empty());
    EXPECT_FALSE(ReadZipEntry(path, "xl/workbook.xml").empty());
    EXPECT_FALSE(ReadZipEntry(path, "_rels/.rels").empty());
    // Text format keeps the formula as text; the number format lets "1,234.5" become a number.
    EXPECT_THAT(sheet, HasSubstr("<c r=\"B4\" s=\"1\" t=\"inlineStr\"><is><r><t xml:space=\"preserve\">=SUM(A1:A3)</t>"));
    EXPECT_THAT(sheet, HasSubstr("<c r=\"C4\" s=\"2\"><v>1234.5</v></c>"));
    EXPECT_THAT(sheet, HasSubstr("<r><t xml:space=\"preserve\">12 </t></r><r><rPr><sz val=\"11\"/>"
                                 "<color rgb=\"FFFF0000\"/></rPr><t xml:space=\"preserve\">345</t></r>"));
    EXPECT_THAT(sheet, HasSubstr("<mergeCell ref=\"C5:E6\"/>"));
    EXPECT_THAT(styles, HasSubstr("<numFmt numFmtId=\"164\" formatCode=\"#,##0.00\"/>"));
    EXPECT_THAT(styles, HasSubstr("<xf numFmtId=\"49\""));
    EXPECT_THAT(styles, HasSubstr("<alignment vertical=\"top\"/>"));

    // An existing file is never replaced behind the user's back.
    Reply again = wb.SaveAs(path);
    EXPECT_EQ(again.hr, DISP_E_EXCEPTION);
    EXPECT_THAT(officestubs::Utf8(again.description), HasSubstr("already exists"));
}

TEST_F(ExcelStub, UsedRangeCopyPutsTabSeparatedTextOnTheClipboard)
{
    Workbook wb(CreateByProgId(L"Excel.Application"));
    wb.Range(L"A4", L"A4").Put(0x105, Var::Str(L"a"));
    wb.Range(L"C4", L"C4").Put(0x105, Var::Str(L"c"));
    wb.Range(L"B5", L"B5").Put(0x105, Var::Str(L"b"));
    officestubs::EmptyTheClipboard();
    Disp used = wb.sheet.Object(0x19C);
    ASSERT_EQ(used.Call(0x227, {Var::Missing()}).hr, S_OK);
    EXPECT_EQ(officestubs::ClipboardText(), L"a\t\tc\r\n\tb\t\r\n");
    EXPECT_TRUE(session->Logged("Excel Range[A4:C5].Copy(-)"));
}

TEST_F(ExcelStub, RefusesCallsAStrictServerRefuses)
{
    Workbook wb(CreateByProgId(L"Excel.Application"));
    Disp a4 = wb.Range(L"A4", L"A4");
    struct Case {
        const char* what;
        Reply reply;
        HRESULT expected;
    } cases[] = {
        {"unknown member", a4.Call(0x7777), DISP_E_MEMBERNOTFOUND},
        {"property put called as a get", a4.Get(0x105), DISP_E_MEMBERNOTFOUND},
        {"too few arguments", wb.sheet.Get(0xC5, {Var::Str(L"A1")}), DISP_E_BADPARAMCOUNT},
        {"integer where text belongs", a4.Put(0x105, Var::I4(5)), DISP_E_TYPEMISMATCH},
        {"short reading order", a4.Put(0x3CF, Var::Bool(true)), DISP_E_TYPEMISMATCH},
        {"bad cell name", wb.sheet.Get(0xC5, {Var::Str(L"4A"), Var::Missing()}), DISP_E_EXCEPTION},
        {"second worksheet of a one-sheet book", wb.book.Object(0x1EE).Get(0xAA, {Var::I4(2)}), DISP_E_BADINDEX},
        {"other template", wb.app.Object(0x23C).Call(0xB5, {Var::I4(1)}), DISP_E_EXCEPTION},
        {"characters before the text", a4.Get(0x25B, {Var::I4(0), Var::I4(1)}), DISP_E_EXCEPTION},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.reply.hr, c.expected) << c.what;
    DISPID id = 0;
    LPOLESTR name = const_cast<LPOLESTR>(L"Formula");
    EXPECT_EQ(a4.get()->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), DISP_E_UNKNOWNNAME);
    EXPECT_THAT(session->Calls("FAILED"), ::testing::SizeIs(9));
}

TEST_F(ExcelStub, FailSwitchFailsTheNamedCallOrItsNthCall)
{
    session->Fail(L"Excel.Range.Formula#2");
    Workbook wb(CreateByProgId(L"Excel.Application"));
    Disp a4 = wb.Range(L"A4", L"A4");
    EXPECT_EQ(a4.Put(0x105, Var::Str(L"1")).hr, S_OK);
    Reply second = a4.Put(0x105, Var::Str(L"2"));
    EXPECT_EQ(second.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(second.description, L"Forced failure of Excel.Range.Formula");
    EXPECT_EQ(a4.Put(0x105, Var::Str(L"3")).hr, S_OK);

    session->Fail(L"Excel.create");
    EXPECT_FALSE(CreateByProgId(L"Excel.Application"));
    EXPECT_TRUE(session->Logged("FAILED Excel create"));
}

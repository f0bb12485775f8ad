// What the exports do to a text so that a spreadsheet keeps it as printed: formulas, digits
// beyond the fifteen kept, the cell limit, line breaks and the quoting of pasted cells.
#include <gtest/gtest.h>

#include "table/ConversionMessages.h"
#include "table/SpreadsheetText.h"

#include <string>
#include <vector>

TEST(SpreadsheetText, FormulasNumbersAndLongDigitStringsAreTold)
{
    struct Case
    {
        const wchar_t* text;
        bool formula;
        bool tooManyDigits;
    } cases[] = {
        {L"=SUM(A1:A3)", true, false},
        {L"+1+1", true, false},
        {L"-2+3", true, false},
        {L"@SUM(1,2)", true, false},
        {L"+44 20", true, false},
        {L"+HYPERLINK(\"http://x\")", true, false},
        {L"-", true, false},
        {L"-1,23", true, false},  // no thousands grouping: no number, Excel would try a formula
        {L"-1e999", true, false}, // beyond what a cell holds
        {L"-42.5", false, false},
        {L"+7", false, false},
        {L"-1,234.50", false, false},
        {L"-$5.00", false, false},
        {L"-12.5%", false, false},
        {L"-1.5E3", false, false},
        {L"-.5", false, false},
        {L"12+3", false, false},
        {L"", false, false},
        {L"123456789012345", false, false},
        {L"9999999999999999", false, true},
        {L"-4111111111111111", false, true},
        {L"0000123456789012345", false, false}, // leading zeros are not significant
        {L"1234567890.1234567", false, true},
        {L"1234567890.12345000", false, false},
        {L"1,234,567,890,123,456", false, true},
        {L"1E+20", false, false},
        {L"4111 1111 1111 1111", false, false}, // no number: it stays text anyway
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << std::string(c.text, c.text + wcslen(c.text)));
        EXPECT_EQ(LooksLikeFormula(c.text), c.formula);
        EXPECT_EQ(HasMoreDigitsThanKept(c.text), c.tooManyDigits);
    }
    EXPECT_TRUE(IsSpreadsheetNumber(L"(1,234.00)"));
    EXPECT_FALSE(IsSpreadsheetNumber(L"(-5)"));
}

TEST(SpreadsheetText, LineBreaksBecomeOneLineFeedAndCellsAreCutWhole)
{
    EXPECT_EQ(WithSpreadsheetLineBreaks(L"a\r\nb\rc\nd\r\n\r\ne"), L"a\nb\nc\nd\n\ne");

    std::wstring fits(SpreadsheetCellLimit, L'x');
    EXPECT_FALSE(CutToCellLimit(fits));
    EXPECT_EQ(fits.size(), SpreadsheetCellLimit);

    std::wstring longer(40000, L'x');
    EXPECT_TRUE(CutToCellLimit(longer));
    EXPECT_EQ(longer, std::wstring(SpreadsheetCellLimit, L'x'));

    // A character outside the basic plane across the limit goes whole.
    std::wstring astral = std::wstring(SpreadsheetCellLimit - 1, L'y') + L"\U0001D11E" + L"zz";
    EXPECT_TRUE(CutToCellLimit(astral));
    EXPECT_EQ(astral, std::wstring(SpreadsheetCellLimit - 1, L'y'));
}

TEST(SpreadsheetText, OnlyCellsWithTabsOrLineBreaksAreQuotedForThePaste)
{
    EXPECT_EQ(ClipboardCellText(L"plain \"quoted\" text"), L"plain \"quoted\" text");
    EXPECT_EQ(ClipboardCellText(L"a\tb"), L"\"a\tb\"");
    EXPECT_EQ(ClipboardCellText(L"say \"hi\"\r\nthere"), L"\"say \"\"hi\"\"\r\nthere\"");
    EXPECT_EQ(ClipboardCellText(L"a\nb"), L"\"a\nb\"");
    EXPECT_EQ(ClipboardCellText(L""), L"");
}

TEST(SpreadsheetText, CutCellsAreNamedOnceAfterTheConversion)
{
    EXPECT_EQ(CutCellsNotice({}), L"");
    EXPECT_EQ(CutCellsNotice({L"B7"}), L"1 cell held more than 32,767 characters, the most a spreadsheet cell holds: "
                                        L"only its first 32,767 characters were written (B7).");
    std::vector<std::wstring> names;
    for (int row = 4; row < 16; ++row)
        names.push_back(L"A" + std::to_wstring(row));
    EXPECT_EQ(CutCellsNotice(names),
              L"12 cells held more than 32,767 characters, the most a spreadsheet cell holds: only their first "
              L"32,767 characters were written (A4, A5, A6, A7, A8, A9, A10, A11, A12, A13 and 2 more).");
}

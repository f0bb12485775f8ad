#include "table/ConvertingTableParser.h"
#include "table/ConvertingTableLayout.h"
#include "table/ProgressInterface.h"
#include "tests/table/LayoutPictures.h"
#include "tests/table/TableWords.h"

#include <gtest/gtest.h>

namespace
{
// A table over (0, 0, 1000, 1000) with the given inner column lines, flags and formats.
ConvertingTableLayout Columns(const std::vector<int32_t>& lines, const std::vector<uint8_t>& flags = {},
                              const std::vector<int32_t>& formats = {})
{
    ConvertingTableLayout layout;
    layout.SetTableRect(RECT{0, 0, 1000, 1000});
    for (size_t i = 0; i <= lines.size(); ++i)
    {
        ConvertingTableColumn column;
        column.x = i < lines.size() ? lines[i] : -1;
        column.flag = i < flags.size() ? flags[i] : 1;
        column.format = i < formats.size() ? formats[i] : CellFormatAutomatic;
        layout.AppendColumn(column);
    }
    return layout;
}

std::unique_ptr<ConvertingTableGrid> Parse(ConvertingTableLayout& layout, const TestPage& page,
                                           std::unique_ptr<ConvertingTableGrid> grid = nullptr,
                                           bool detectRows = false)
{
    ConvertingTableParser parser;
    parser.SetLayout(&layout);
    return parser.ParseWords(page.Words(), std::move(grid), detectRows);
}

// The texts of a grid's cells, row by row, "|" between cells.
std::vector<std::wstring> Texts(const ConvertingTableGrid& grid)
{
    std::vector<std::wstring> rows;
    for (int row = 0; row < grid.GetRowCount(); ++row)
    {
        std::wstring line;
        for (int c = 0; c < grid.GetColumnCount(); ++c)
            line += (c ? L"|" : L"") + grid.GetCell(c, row).GetJoinedText();
        rows.push_back(line);
    }
    return rows;
}

TEST(ConvertingTableParserTest, AWordAcrossColumnLinesIsCutByItsWidth)
{
    struct Case { std::vector<int32_t> lines; std::wstring cells; };
    const Case cases[] = {
        {{150}, L"ABCDE|FGHIJKLMN"},       // the line at 5/14 of the word
        {{155}, L"ABCDE|FGHIJKLMN"},       // 5.5 characters: both sides round toward zero
        {{160}, L"ABCDEF|GHIJKLMN"},
        {{150, 200}, L"ABCDE|FGHIJ|KLMN"}, // a middle cell takes the middle
        {{90}, L"|ABCDEFGHIJKLMN"},        // the word starts right of the line
    };
    for (const Case& c : cases)
    {
        ConvertingTableLayout layout = Columns(c.lines);
        TestPage page;
        page.Add(100, 10, 240, 50, L"ABCDEFGHIJKLMN");
        const auto grid = Parse(layout, page);
        ASSERT_TRUE(grid);
        EXPECT_EQ(Texts(*grid), std::vector<std::wstring>{c.cells}) << c.cells;
    }
}

TEST(ConvertingTableParserTest, ASpaceSeparatesWordsOnlyAcrossAnEighthOfTheirHeight)
{
    // The first word is "a" at 100..120; the second follows at the given box; height 40 unless said.
    struct Case { const char* what; RECT second; std::wstring cell0; std::wstring cell1; };
    const Case cases[] = {
        {"gap 2 < 40 / 8: joined", RECT{122, 10, 140, 50}, L"ab", L""},
        {"gap 4: joined", RECT{124, 10, 140, 50}, L"ab", L""},
        {"gap 5 = 40 / 8: space", RECT{125, 10, 140, 50}, L"a b", L""},
        {"gap 2 with a height of 15 (15 / 8 = 1): space", RECT{122, 10, 140, 25}, L"a b", L""},
        {"another line: space", RECT{122, 60, 140, 100}, L"a b", L""},
        {"wholly left of the previous piece, far: space", RECT{10, 10, 30, 50}, L"a b", L""},
        {"overlapping the previous piece: space", RECT{110, 10, 140, 50}, L"a b", L""},
        {"in the next column", RECT{510, 10, 530, 50}, L"a", L"b"},
    };
    for (const Case& c : cases)
    {
        ConvertingTableLayout layout = Columns({500});
        TestPage page;
        page.Add(100, 10, 120, 50, L"a").Add(c.second.left, c.second.top, c.second.right, c.second.bottom, L"b");
        const auto grid = Parse(layout, page);
        ASSERT_TRUE(grid);
        ASSERT_EQ(grid->GetRowCount(), 1) << c.what;
        EXPECT_EQ(grid->GetCell(0, 0).GetJoinedText(), c.cell0) << c.what;
        EXPECT_EQ(grid->GetCell(1, 0).GetJoinedText(), c.cell1) << c.what;
    }

    // A piece placed in another column in between breaks the run: the next word gets a space.
    ConvertingTableLayout layout = Columns({500});
    TestPage page;
    page.Add(100, 10, 120, 50, L"a").Add(510, 10, 530, 50, L"x").Add(121, 10, 140, 50, L"b");
    const auto grid = Parse(layout, page);
    EXPECT_EQ(grid->GetCell(0, 0).GetJoinedText(), L"a b");
}

TEST(ConvertingTableParserTest, NumberCellsMoveATrailingMinusToTheFront)
{
    struct Case { int32_t format; std::vector<std::wstring> words; std::wstring text; };
    const Case cases[] = {
        {CellFormatNumber, {L"1,000-"}, L"-1,000"},
        {CellFormatNumber, {L"12.50-"}, L"-12.50"},
        {CellFormatNumber, {L"10", L"-"}, L"10 -"}, // a space is outside the set
        {CellFormatNumber, {L"abc-"}, L"abc-"},
        {CellFormatNumber, {L"-"}, L"-"},           // one character: left alone
        {CellFormatText, {L"1,000-"}, L"1,000-"},
        {CellFormatAutomatic, {L"1,000-"}, L"1,000-"},
    };
    for (const Case& c : cases)
    {
        ConvertingWord word(RECT{0, 0, 10, 10}, L"");
        ConvertingTableCell cell;
        for (const std::wstring& text : c.words)
            cell.AddWord(word, text, true, c.format);
        EXPECT_EQ(ConvertingTableGrid::GetCellText(cell, false), c.text) << c.text;
        EXPECT_EQ(ConvertingTableGrid::GetCellText(cell, true), c.text) << c.text;
    }
}

TEST(ConvertingTableParserTest, SkippedColumnsHaveNoGridColumn)
{
    // Layout columns 0 and 2 are converted, 1 is skipped: the grid has two columns.
    ConvertingTableLayout layout = Columns({100, 200}, {1, 0, 1}, {CellFormatText, CellFormatDate, CellFormatNumber});
    layout.InsertRowLine(0, 55);
    TestPage page;
    page.Add(10, 10, 50, 50, L"left").Add(110, 10, 150, 50, L"dropped").Add(210, 10, 250, 50, L"right");
    page.Add(60, 60, 160, 100, L"ABCDEFGHIJ"); // half in the skipped column
    auto grid = Parse(layout, page);
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->GetColumnCount(), 2);
    EXPECT_EQ(Texts(*grid), (std::vector<std::wstring>{L"left|right", L"ABCD|"}));
    EXPECT_EQ(grid->GetCell(1, 0).m_format, CellFormatNumber);

    // A block across the skipped column spans one more grid column, not two; a block that
    // begins in the skipped column is dropped with it.
    layout.SetBlock(0, 0, 2, 0);
    layout.SetBlock(1, 1, 2, 1);
    grid = Parse(layout, page);
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->GetCell(0, 0).GetJoinedText(), L"left dropped right");
    EXPECT_EQ(grid->GetCell(0, 0).m_span, 1);
    EXPECT_EQ(Texts(*grid), (std::vector<std::wstring>{L"left dropped right|", L"ABCD|"}));
}

TEST(ConvertingTableParserTest, MergedBlocksCollectTheirWordsInTheTopLeftCell)
{
    ConvertingTableLayout layout = LayoutFromPicture({"aab", "aac", "ddd"}); // cells of 100 x 100
    TestPage page;
    page.Add(10, 10, 40, 40, L"one").Add(110, 150, 140, 180, L"two").Add(210, 110, 240, 140, L"three");
    page.Add(10, 210, 40, 240, L"four");
    const auto grid = Parse(layout, page);
    ASSERT_TRUE(grid);
    EXPECT_EQ(Texts(*grid), (std::vector<std::wstring>{L"one two||", L"||three", L"four||"}));
    EXPECT_EQ(grid->GetCell(0, 0).m_span, (1 << 16) | 1);
    EXPECT_EQ(grid->GetCell(0, 2).m_span, 2);
    EXPECT_EQ(grid->GetCell(2, 1).m_span, 0);
}

TEST(ConvertingTableParserTest, PagesAppendRowsAndMayDetectTheirOwnRows)
{
    ConvertingTableLayout layout = Columns({500});
    TestPage first;
    first.Add(10, 10, 50, 50, L"a").Add(10, 110, 50, 150, L"b");
    TestPage second;
    second.Add(10, 10, 50, 50, L"c").Add(10, 110, 50, 150, L"d").Add(10, 210, 50, 250, L"e");

    auto grid = Parse(layout, first, nullptr, true);
    ASSERT_EQ(layout.GetRowLineCount(), 1);
    EXPECT_EQ(layout.GetRowLine(0), 80);
    grid = Parse(layout, second, std::move(grid), true);
    ASSERT_TRUE(grid);
    EXPECT_EQ(layout.GetRowLineCount(), 2);
    EXPECT_EQ(Texts(*grid), (std::vector<std::wstring>{L"a|", L"b|", L"c|", L"d|", L"e|"}));

    // Without detection the layout's rows stand: everything of the page falls into the rows it has.
    ConvertingTableLayout fixed = Columns({500});
    grid = Parse(fixed, second);
    EXPECT_EQ(Texts(*grid), (std::vector<std::wstring>{L"c d e|"}));
}

TEST(ConvertingTableParserTest, WordsOutsideTheTableAreLeftOut)
{
    ConvertingTableLayout layout = Columns({500});
    layout.SetTableRect(RECT{0, 0, 1000, 100});
    TestPage page;
    page.Add(10, 80, 50, 120, L"bottom-edge").Add(1000, 10, 1050, 50, L"right-edge").Add(10, 10, 50, 50, L"in");
    const auto grid = Parse(layout, page);
    EXPECT_EQ(Texts(*grid), (std::vector<std::wstring>{L"in|"}));
}

class CountingProgress : public ProgressInterface
{
public:
    explicit CountingProgress(bool cancelOnStep) : m_cancelOnStep(cancelOnStep) {}
    void SetRange(int32_t, int32_t) override {}
    void SetPos(int32_t) override {}
    void ShowPercent(bool, bool) override {}
    void SetStatusText(const std::wstring&) override {}
    void SetPosAndText(int32_t, const std::wstring&) override {}
    void SetTitle(const std::wstring&) override {}
    void AllowCancel(bool) override {}
    void Hide(bool) override {}
    void Step(int32_t delta) override
    {
        m_steps.push_back(delta);
        if (m_cancelOnStep)
            SetCanceled(true);
    }
    std::vector<int32_t> m_steps;

private:
    bool m_cancelOnStep;
};

TEST(ConvertingTableParserTest, ProgressIsReportedAndCancelPolledEveryTenWords)
{
    ConvertingTableLayout layout = Columns({500});
    TestPage page;
    for (int i = 0; i < 25; ++i)
        page.Add(10, 10 + 40 * i, 50, 40 + 40 * i, L"w");

    CountingProgress progress(false);
    ConvertingTableParser parser;
    parser.SetLayout(&layout);
    parser.SetProgress(&progress);
    auto grid = parser.ParseWords(page.Words(), nullptr, true);
    ASSERT_TRUE(grid);
    EXPECT_EQ(progress.m_steps, (std::vector<int32_t>{40, 40})); // at words 10 and 20 of 25
    EXPECT_EQ(grid->GetRowCount(), 25);

    // Cancelled at the first report, after word 10: the grid given in is gone.
    CountingProgress canceling(true);
    parser.SetProgress(&canceling);
    grid = parser.ParseWords(page.Words(), std::move(grid), false);
    EXPECT_FALSE(grid);
    EXPECT_EQ(canceling.m_steps, (std::vector<int32_t>{40}));

    // A cancel already set stops before the first word.
    CountingProgress early(false);
    early.SetCanceled(true);
    parser.SetProgress(&early);
    EXPECT_FALSE(parser.ParseWords(page.Words(), nullptr, false));
}

// A layout file may bring a format code this program does not know: such a column converts as
// Automatic, and the layout keeps the code.
TEST(ConvertingTableParserTest, UnknownColumnFormatsConvertAsAutomatic)
{
    ConvertingTableLayout layout = Columns({500}, {}, {CellFormatNumber, 77});
    TestPage page;
    page.Add(100, 10, 200, 50, L"1,000-").Add(600, 10, 700, 50, L"1,000-");
    const auto grid = Parse(layout, page);
    ASSERT_TRUE(grid);
    const ConvertingTableCell number = grid->GetCell(0, 0);
    const ConvertingTableCell unknown = grid->GetCell(1, 0);
    EXPECT_EQ(ConvertingTableGrid::GetCellText(number, false), L"-1,000");
    EXPECT_EQ(ConvertingTableGrid::GetCellText(unknown, false), L"1,000-");
    EXPECT_EQ(unknown.m_format, CellFormatAutomatic);
    EXPECT_EQ(grid->GetColumnFormat(1), CellFormatAutomatic);
    EXPECT_EQ(layout.GetColumn(1).format, 77);
}
} // namespace

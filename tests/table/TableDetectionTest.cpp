#include "table/TableDetection.h"
#include "table/ConvertingTableLayout.h"
#include "tests/table/LayoutPictures.h"
#include "tests/table/TableWords.h"

#include <gtest/gtest.h>

namespace
{
ConvertingTableLayout Table()
{
    ConvertingTableLayout layout;
    layout.SetTableRect(RECT{0, 0, 1000, 1000});
    layout.AppendColumn(ConvertingTableColumn{});
    return layout;
}

std::vector<int32_t> ColumnXs(const ConvertingTableLayout& layout)
{
    std::vector<int32_t> xs;
    for (int i = 0; i < layout.GetColumnCount(); ++i)
        xs.push_back(layout.GetColumn(i).x);
    return xs;
}

std::vector<int32_t> RowLines(const ConvertingTableLayout& layout)
{
    std::vector<int32_t> ys;
    for (int i = 0; i < layout.GetRowLineCount(); ++i)
        ys.push_back(layout.GetRowLine(i));
    return ys;
}

// Words 40 high on one line: each widens by 10 on both sides.
struct Span
{
    LONG left, right;
};

TEST(TableDetectionTest, ColumnLinesFallInTheGapsBetweenWidenedWords)
{
    struct Case { const char* what; std::vector<Span> words; std::vector<int32_t> xs; };
    const Case cases[] = {
        {"overlapping: one column", {{10, 100}, {115, 200}}, {-1}},
        {"a gap of 10 between [0, 110] and [120, 210]: the middle", {{10, 100}, {130, 200}}, {115, -1}},
        {"an odd gap rounds toward zero", {{10, 100}, {131, 200}}, {115, -1}},
        {"touching, left word first: a line at the touching point", {{10, 100}, {120, 200}}, {110, -1}},
        {"touching, right word first: one column", {{120, 200}, {10, 100}}, {-1}},
        {"a word bridging two intervals joins them", {{10, 100}, {300, 400}, {90, 310}}, {-1}},
        {"three columns, words in any order", {{500, 600}, {10, 100}, {300, 400}}, {200, 450, -1}},
        {"words outside the table are not looked at", {{10, 100}, {1100, 1200}}, {-1}},
    };
    for (const Case& c : cases)
    {
        TestPage page;
        for (const Span& span : c.words)
            page.Add(span.left, 10, span.right, 50, L"w");
        ConvertingTableLayout layout = Table();
        bool noWords = true;
        EXPECT_TRUE(DetectTableColumns(page.Words(), layout, false, &noWords));
        EXPECT_FALSE(noWords) << c.what;
        EXPECT_EQ(ColumnXs(layout), c.xs) << c.what;
        EXPECT_TRUE(layout.IsConsistent()) << c.what;
    }
}

TEST(TableDetectionTest, OldFormatsPassOnByPosition)
{
    struct Case { std::vector<int32_t> old; bool keep; int detected; std::vector<int32_t> formats; };
    const Case cases[] = {
        {{CellFormatText, CellFormatNumber, CellFormatDate}, true, 5,
         {CellFormatText, CellFormatNumber, CellFormatDate, CellFormatAutomatic, CellFormatAutomatic}},
        {{CellFormatText, CellFormatNumber, CellFormatDate}, true, 1, {CellFormatText}},
        {{CellFormatText, CellFormatNumber}, false, 2, {CellFormatAutomatic, CellFormatAutomatic}},
    };
    for (const Case& c : cases)
    {
        ConvertingTableLayout layout;
        layout.SetTableRect(RECT{0, 0, 1000, 1000});
        for (size_t i = 0; i < c.old.size(); ++i)
            layout.AppendColumn(ConvertingTableColumn{i + 1 == c.old.size() ? -1 : int32_t(i + 1) * 100, 1, c.old[i]});
        TestPage page;
        for (int i = 0; i < c.detected; ++i)
            page.Add(10 + 150 * i, 10, 100 + 150 * i, 50, L"w");
        DetectTableColumns(page.Words(), layout, c.keep);
        ASSERT_EQ(layout.GetColumnCount(), c.detected);
        for (int i = 0; i < c.detected; ++i)
        {
            EXPECT_EQ(layout.GetColumn(i).format, c.formats[i]) << i;
            EXPECT_EQ(layout.GetColumn(i).flag, 1);
        }
    }
}

// The lines lie between boxes that follow each other in list order, and are then kept in order:
// a layout whose lines run up the page finds no rows for its words and cannot be stored.
TEST(TableDetectionTest, RowLinesLieBetweenConsecutiveLineBoxesInListOrder)
{
    struct Case { const char* what; std::vector<LONG> tops; std::vector<int32_t> ys; };
    const Case cases[] = {
        // Lines of words 10 high: boxes [top, top + 10].
        {"three lines", {10, 40, 70}, {30, 60}},
        {"words of one line grow one box", {10, 12, 40}, {31}},
        {"the list order picks the pairs: (70, 10) and (10, 40)", {70, 10, 40}, {30, 45}},
        {"lines listed bottom to top", {70, 40, 10}, {30, 60}},
        {"one line: no row lines", {10}, {}},
    };
    for (const Case& c : cases)
    {
        TestPage page;
        for (LONG top : c.tops)
            page.Add(10, top, 50, top + 10, L"w");
        ConvertingTableLayout layout = Table();
        EXPECT_TRUE(DetectTableRows(page.Words(), layout));
        EXPECT_EQ(RowLines(layout), c.ys) << c.what;
        EXPECT_TRUE(layout.IsConsistent()) << c.what;
    }
}

TEST(TableDetectionTest, ATableWithoutWordsGetsOneColumnAndNoRows)
{
    ConvertingTableLayout layout = LayoutFromPicture({"aab", "aac"});
    layout.GetColumn(0).format = CellFormatDate;
    TestPage page;
    page.Add(5000, 10, 5100, 50, L"outside");
    bool noWords = false;
    EXPECT_TRUE(DetectTableColumns(page.Words(), layout, true, &noWords));
    EXPECT_TRUE(noWords);
    EXPECT_EQ(ColumnXs(layout), std::vector<int32_t>{-1});
    EXPECT_EQ(layout.GetColumn(0).format, CellFormatDate);
    EXPECT_EQ(layout.GetRowLineCount(), 0);
    EXPECT_TRUE(layout.IsConsistent());
}

TEST(TableDetectionTest, DetectionDropsEveryMergedCell)
{
    TestPage page;
    page.Add(10, 10, 50, 50, L"a").Add(150, 10, 190, 50, L"b").Add(10, 110, 50, 150, L"c");
    ConvertingTableLayout columns = LayoutFromPicture({"aab", "aac"});
    DetectTableColumns(page.Words(), columns, false);
    EXPECT_FALSE(columns.HasMergedCells());
    EXPECT_EQ(PictureOf(columns), (Picture{"ab", "cd"}));

    ConvertingTableLayout rows = LayoutFromPicture({"aab", "aac"});
    DetectTableRows(page.Words(), rows);
    EXPECT_FALSE(rows.HasMergedCells());
    EXPECT_EQ(PictureOf(rows), (Picture{"abc", "def"}));
}
} // namespace

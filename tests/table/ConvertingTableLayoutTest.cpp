#include "table/ConvertingTableLayout.h"
#include "tests/table/LayoutPictures.h"

#include <gtest/gtest.h>

namespace
{
RECT Rect(LONG left, LONG top, LONG right, LONG bottom)
{
    return RECT{left, top, right, bottom};
}

// Three columns (right edges 100, 200, -1) and two row lines (100, 200) over (0, 0, 300, 300).
ConvertingTableLayout ThreeByThree()
{
    return LayoutFromPicture({"abc", "def", "ghi"});
}

TEST(ConvertingTableLayoutTest, NewAndClearedLayoutsHoldTheirDefaults)
{
    ConvertingTableLayout layout;
    EXPECT_TRUE(layout.IsEmpty());
    EXPECT_FALSE(layout.HasColumns());
    EXPECT_EQ(layout.GetRowCount(), 1);
    EXPECT_TRUE(layout.GetAutoRowDetection());
    EXPECT_EQ(layout.GetTrailerValue(), 0);
    EXPECT_EQ(layout.GetTrailerFlag(), 0);
    EXPECT_EQ(layout.GetTrailerValue2(), 0);

    layout = ThreeByThree();
    layout.SetBlock(0, 0, 1, 1);
    layout.SetAutoRowDetection(false);
    layout.SetTrailerValue(5);
    layout.SetTrailerFlag(6);
    layout.SetTrailerValue2(7);
    layout.Clear();
    EXPECT_TRUE(layout.IsEmpty());
    EXPECT_EQ(layout.GetColumnCount(), 0);
    EXPECT_EQ(layout.GetRowLineCount(), 0);
    EXPECT_TRUE(layout.GetAutoRowDetection());
    EXPECT_EQ(layout.GetTrailerValue2(), 0);
    // Clear keeps these two.
    EXPECT_EQ(layout.GetTrailerValue(), 5);
    EXPECT_EQ(layout.GetTrailerFlag(), 6);
    EXPECT_TRUE(layout.IsConsistent());
}

TEST(ConvertingTableLayoutTest, ExtentsFollowTheLines)
{
    const ConvertingTableLayout layout = ThreeByThree();
    struct Case { int column, row; RECT cell; };
    const Case cases[] = {
        {0, 0, Rect(0, 0, 100, 100)},
        {1, 1, Rect(100, 100, 200, 200)},
        {2, 2, Rect(200, 200, 300, 300)}, // last column -1 and last row reach the table's edges
    };
    for (const Case& c : cases)
    {
        const RECT cell = layout.GetCellRect(c.column, c.row);
        EXPECT_TRUE(EqualRect(&cell, &c.cell)) << c.column << "," << c.row;
    }

    ConvertingTableLayout single;
    single.SetTableRect(Rect(10, 20, 500, 600));
    single.AppendColumn(ConvertingTableColumn{});
    const RECT whole = single.GetColumnExtent(0);
    EXPECT_TRUE(EqualRect(&whole, &single.GetTableRect()));
}

TEST(ConvertingTableLayoutTest, PointsAndWordsFindTheirCells)
{
    ConvertingTableLayout layout = ThreeByThree();
    layout.SetBlock(1, 1, 2, 2); // e f h i -> one block at (1, 1)
    struct Case { const char* what; int x, y; int column, row; };
    const Case points[] = {
        {"top-left corner is inside", 0, 0, 0, 0},
        {"a line belongs to the cell left of it", 100, 50, 0, 0},
        {"just right of a line", 101, 50, 1, 0},
        {"a row line belongs to the row above it", 50, 100, 0, 0},
        {"right edge is outside", 300, 50, -1, 0},
        {"bottom edge: no column", 50, 300, -1, 2},
        {"left of the table", -1, 50, -1, 0},
    };
    for (const Case& c : points)
    {
        EXPECT_EQ(layout.ColumnAt(c.x, c.y), c.column) << c.what;
        EXPECT_EQ(layout.RowAt(c.x, c.y), c.row) << c.what;
    }

    const int32_t mergedId = ConvertingTableLayout::MakeCellId(1, 1);
    struct WordCase { const char* what; RECT word; bool inTable; int32_t cell; };
    const WordCase words[] = {
        {"inside cell (0, 0)", Rect(10, 10, 50, 30), true, 0},
        {"a lower cell of a block gives the block's id", Rect(210, 210, 250, 230), true, mergedId},
        {"left of the table but reaching in: measured from the table's left", Rect(-50, 10, 20, 30), true, 0},
        {"right touching the table's left", Rect(-50, 10, 0, 30), true, 0},
        {"right just left of the table", Rect(-50, 10, -1, 30), false, -1},
        {"left on the table's right edge: in the table, no cell", Rect(300, 10, 320, 30), true, -1},
        {"left beyond the right edge", Rect(301, 10, 320, 30), false, -1},
        {"centre on the bottom edge: in the table, no cell", Rect(10, 290, 50, 310), true, -1},
        {"centre on the top edge", Rect(10, -10, 50, 10), true, 0},
        {"centre above the table", Rect(10, -12, 50, 10), false, -1},
        {"centre (odd sum) rounds toward zero", Rect(10, 99, 50, 102), true, 0},
    };
    for (const WordCase& c : words)
    {
        EXPECT_EQ(layout.WordInTable(c.word), c.inTable) << c.what;
        EXPECT_EQ(layout.CellOfWord(c.word), c.cell) << c.what;
    }
}

TEST(ConvertingTableLayoutTest, MergedBlocksAnswerTheirQueries)
{
    const ConvertingTableLayout layout = LayoutFromPicture({"aab", "aac", "ddd"});
    RECT rect{};
    ASSERT_TRUE(layout.GetMergedCellRect(0, 0, rect));
    const RECT expected = Rect(0, 0, 200, 200);
    EXPECT_TRUE(EqualRect(&rect, &expected));
    EXPECT_FALSE(layout.GetMergedCellRect(1, 1, rect)); // not a top-left cell
    ASSERT_TRUE(layout.GetMergedCellRect(2, 0, rect));

    int column = 1, row = 1;
    layout.GetCellOrigin(column, row);
    EXPECT_EQ(column, 0);
    EXPECT_EQ(row, 0);
    int lastColumn = 0, lastRow = 0;
    layout.GetBlockEnd(0, 2, lastColumn, lastRow);
    EXPECT_EQ(lastColumn, 2);
    EXPECT_EQ(lastRow, 2);

    EXPECT_TRUE(layout.IsMergedOrigin(0, 0));
    EXPECT_TRUE(layout.IsMergedOrigin(0, 2));
    EXPECT_FALSE(layout.IsMergedOrigin(2, 0)); // stands alone
    EXPECT_TRUE(layout.IsOrigin(2, 0));
    EXPECT_FALSE(layout.IsOrigin(1, 0));
    EXPECT_TRUE(layout.HasMergedCells());
    EXPECT_FALSE(ThreeByThree().HasMergedCells());
}

TEST(ConvertingTableLayoutTest, DiffersLooksAtRectangleColumnsAndTrailerValueOnly)
{
    struct Case { const char* what; void (*change)(ConvertingTableLayout&); bool differs; };
    const Case cases[] = {
        {"nothing", [](ConvertingTableLayout&) {}, false},
        {"format", [](ConvertingTableLayout& l) { l.GetColumn(0).format = CellFormatDate; }, false},
        {"row line", [](ConvertingTableLayout& l) { l.SetRowLine(0, 90); }, false},
        {"merge", [](ConvertingTableLayout& l) { l.SetBlock(0, 0, 1, 0); }, false},
        {"trailer flag", [](ConvertingTableLayout& l) { l.SetTrailerFlag(1); }, false},
        {"column x", [](ConvertingTableLayout& l) { l.SetColumnX(0, 90); }, true},
        {"column flag", [](ConvertingTableLayout& l) { l.GetColumn(1).flag = 0; }, true},
        {"column count", [](ConvertingTableLayout& l) { l.DeleteColumn(1); }, true},
        {"rectangle", [](ConvertingTableLayout& l) { l.SetTableRect(Rect(0, 0, 300, 301)); }, true},
        {"trailer value", [](ConvertingTableLayout& l) { l.SetTrailerValue(1); }, true},
    };
    for (const Case& c : cases)
    {
        ConvertingTableLayout changed = ThreeByThree();
        c.change(changed);
        EXPECT_EQ(changed.Differs(ThreeByThree()), c.differs) << c.what;
    }
}

// Each edit is applied to a picture and must give the expected picture with every invariant kept.
struct EditCase
{
    const char* what;
    Picture before;
    void (*edit)(ConvertingTableLayout&);
    Picture after;
};

void CheckEdits(const EditCase* begin, const EditCase* end)
{
    for (const EditCase* c = begin; c != end; ++c)
    {
        ConvertingTableLayout layout = LayoutFromPicture(c->before);
        c->edit(layout);
        // Lay the lines out evenly again so that the check below judges the ids alone.
        RECT table = layout.GetTableRect();
        table.right = layout.GetColumnCount() * 100;
        layout.SetTableRect(table);
        for (int i = 0; i < layout.GetColumnCount(); ++i)
            layout.SetColumnX(i, i + 1 == layout.GetColumnCount() ? -1 : (i + 1) * 100);
        EXPECT_EQ(PictureOf(layout), c->after) << c->what;
        EXPECT_TRUE(layout.IsConsistent()) << c->what;
    }
}

const ConvertingTableColumn NewColumn{50, 1, CellFormatText};

TEST(ConvertingTableLayoutTest, InsertingAColumnWidensOrMovesBlocks)
{
    const EditCase cases[] = {
        {"inside a block: the block widens", {"aab"}, [](ConvertingTableLayout& l) { l.InsertColumn(1, NewColumn); },
         {"aaab"}},
        {"at a block's first column: the block moves right", {"abb"},
         [](ConvertingTableLayout& l) { l.InsertColumn(1, NewColumn); }, {"abcc"}},
        {"at the first column of a block of two rows: the new cells form a block of their own",
         {"abb", "abb", "ccc"}, [](ConvertingTableLayout& l) { l.InsertColumn(1, NewColumn); },
         {"abcc", "abcc", "dddd"}},
        {"at the end: a column of its own cells", {"aa", "bb"},
         [](ConvertingTableLayout& l) { l.InsertColumn(2, NewColumn); }, {"aab", "ccd"}},
        {"at the front", {"aa", "bc"}, [](ConvertingTableLayout& l) { l.InsertColumn(0, NewColumn); },
         {"abb", "cde"}},
    };
    CheckEdits(std::begin(cases), std::end(cases));
}

TEST(ConvertingTableLayoutTest, DeletingAColumnKeepsBlocksRectangular)
{
    const EditCase cases[] = {
        {"plain cells", {"abc", "def"}, [](ConvertingTableLayout& l) { l.DeleteColumn(1); }, {"ab", "cd"}},
        {"a block across the column shrinks", {"aab", "ccc"}, [](ConvertingTableLayout& l) { l.DeleteColumn(1); },
         {"ab", "cc"}},
        {"a one-row block starting in the column joins the single cell on its left", {"abb", "cde"},
         [](ConvertingTableLayout& l) { l.DeleteColumn(1); }, {"aa", "bc"}},
        {"a block of two rows joins a left block of the same rows", {"abb", "abb", "cde"},
         [](ConvertingTableLayout& l) { l.DeleteColumn(1); }, {"aa", "aa", "bc"}},
        {"a block of two rows beside two single cells stands alone", {"abb", "cbb"},
         [](ConvertingTableLayout& l) { l.DeleteColumn(1); }, {"ab", "cb"}},
        {"a block whose left neighbour belongs to a taller block stands alone", {"abb", "acc"},
         [](ConvertingTableLayout& l) { l.DeleteColumn(1); }, {"ab", "ac"}},
        {"a left neighbour that belongs to a wider block", {"aabb", "cdee"},
         [](ConvertingTableLayout& l) { l.DeleteColumn(2); }, {"aaa", "bcc"}},
        {"deleting column 0 under a block that began there", {"aab", "aac"},
         [](ConvertingTableLayout& l) { l.DeleteColumn(0); }, {"ab", "ac"}},
        {"deleting a one-column block", {"ab", "ac"}, [](ConvertingTableLayout& l) { l.DeleteColumn(0); },
         {"a", "b"}},
    };
    CheckEdits(std::begin(cases), std::end(cases));
}

TEST(ConvertingTableLayoutTest, InsertingAndDeletingRowLinesKeepBlocks)
{
    const EditCase cases[] = {
        {"insert inside a block: it grows", {"ab", "ac"}, [](ConvertingTableLayout& l) { l.InsertRowLine(1, 150); },
         {"ab", "ac", "ad"}},
        {"insert at a block's top row: the new row is a block of its own", {"aa", "aa"},
         [](ConvertingTableLayout& l) { l.InsertRowLine(0, 50); }, {"aa", "bb", "bb"}},
        {"insert at the last row", {"ab"}, [](ConvertingTableLayout& l) { l.InsertRowLine(0, 50); }, {"ab", "cd"}},
        {"delete the top row of a block", {"ab", "ac", "dd"}, [](ConvertingTableLayout& l) { l.DeleteRowLine(0); },
         {"ab", "cc"}},
        {"delete a row inside a block", {"ab", "ac", "ad"}, [](ConvertingTableLayout& l) { l.DeleteRowLine(1); },
         {"ab", "ac"}},
        {"delete a row of single cells", {"ab", "cd", "ee"}, [](ConvertingTableLayout& l) { l.DeleteRowLine(1); },
         {"ab", "cc"}},
    };
    CheckEdits(std::begin(cases), std::end(cases));

    ConvertingTableLayout layout = ThreeByThree();
    layout.InsertRowLine(1, 150);
    EXPECT_EQ(layout.GetRowLine(1), 150);
    layout.DeleteRowLine(0);
    EXPECT_EQ(layout.GetRowLineCount(), 2);
    EXPECT_EQ(layout.GetRowLine(0), 150);
}

TEST(ConvertingTableLayoutTest, ResetsDropMerges)
{
    const EditCase cases[] = {
        {"ResetIds", {"aab", "aac"}, [](ConvertingTableLayout& l) { l.ResetIds(); }, {"abc", "def"}},
        {"ResetRows", {"aab", "aac"}, [](ConvertingTableLayout& l) { l.ResetRows(); }, {"abc"}},
    };
    CheckEdits(std::begin(cases), std::end(cases));

    ConvertingTableLayout layout = LayoutFromPicture({"aab", "aac"});
    layout.ResetColumns();
    EXPECT_EQ(layout.GetColumnCount(), 0);
    EXPECT_EQ(layout.GetCellId(0, 1), ConvertingTableLayout::MakeCellId(0, 1));
    // Columns added after a reset stand alone in every row.
    layout.AppendColumn(ConvertingTableColumn{100, 1, 0});
    layout.AppendColumn(ConvertingTableColumn{});
    EXPECT_EQ(PictureOf(layout), (Picture{"ab", "cd"}));
    EXPECT_TRUE(layout.IsConsistent());
}

TEST(ConvertingTableLayoutTest, BlockIdsCanBeCollectedAndWrittenBack)
{
    ConvertingTableLayout layout = LayoutFromPicture({"aab", "ccb", "ddd"});
    std::vector<uint32_t> before;
    layout.CollectRectIds(0, 0, 2, 1, before);
    ASSERT_EQ(before.size(), 6u);
    layout.SetBlock(0, 0, 2, 1);
    EXPECT_EQ(PictureOf(layout), (Picture{"aaa", "aaa", "bbb"}));

    std::vector<uint32_t> own;
    layout.CollectBlockIds(0, 0, own);
    const std::vector<uint32_t> expectedOwn = {0x0, 0x1, 0x2, 0x10000, 0x10001, 0x10002};
    EXPECT_EQ(own, expectedOwn);

    EXPECT_FALSE(layout.SetBlockIds(0, 0, std::vector<uint32_t>(5, 0))); // too short: nothing written
    EXPECT_EQ(PictureOf(layout), (Picture{"aaa", "aaa", "bbb"}));
    ASSERT_TRUE(layout.SetBlockIds(0, 0, before));
    EXPECT_EQ(PictureOf(layout), (Picture{"aab", "ccb", "ddd"}));
    EXPECT_TRUE(layout.IsConsistent());
}
} // namespace

namespace
{
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

// A layout loaded for a larger page is clipped to this one (minimum width and height 10): what
// would lie outside goes, and what is left can be stored.
TEST(ConvertingTableLayoutTest, FittingToAPageDropsWhatLiesOutside)
{
    // Columns 100, 200, -1 and rows 100, 200, 300 over (0, 0, 300, 400).
    const Picture picture = {"aab", "ccd", "eef", "ghi"};
    struct Case
    {
        const char* what;
        RECT page;
        RECT table;
        std::vector<int32_t> xs, ys;
        Picture cells;
    };
    const Case cases[] = {
        {"the page holds the table", Rect(0, 0, 1000, 1000), Rect(0, 0, 300, 400), {100, 200, -1}, {100, 200, 300},
         picture},
        {"left cut inside the first column: the columns stay", Rect(50, 0, 1000, 1000), Rect(50, 0, 300, 400),
         {100, 200, -1}, {100, 200, 300}, picture},
        {"left cut close to a line: that column goes too", Rect(95, 0, 1000, 1000), Rect(95, 0, 300, 400), {200, -1},
         {100, 200, 300}, {"ab", "cd", "ef", "gh"}},
        {"left cut past every line: one column is left", Rect(250, 0, 1000, 1000), Rect(250, 0, 300, 400), {-1},
         {100, 200, 300}, {"a", "b", "c", "d"}},
        {"right cut between the lines", Rect(0, 0, 250, 1000), Rect(0, 0, 250, 400), {100, 200, -1},
         {100, 200, 300}, picture},
        {"right cut close to a line: the columns from it go", Rect(0, 0, 205, 1000), Rect(0, 0, 205, 400), {-1},
         {100, 200, 300}, {"a", "b", "c", "d"}},
        {"bottom cut: lines too close to the bottom go", Rect(0, 0, 1000, 250), Rect(0, 0, 300, 250), {100, 200, -1},
         {100, 200}, {"aab", "ccd", "efg"}},
        // Both kept today and refused by the file reader on the next open: the table was lost.
        {"top cut below a line", Rect(0, 150, 1000, 1000), Rect(0, 150, 300, 400), {100, 200, -1}, {200, 300},
         {"aab", "ccd", "efg"}},
        {"bottom cut above the last line", Rect(0, 0, 1000, 95), Rect(0, 0, 300, 95), {100, 200, -1}, {},
         {"abc"}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        ConvertingTableLayout layout = LayoutFromPicture(picture);
        layout.FitToPage(c.page, 10, 10);
        EXPECT_TRUE(EqualRect(&layout.GetTableRect(), &c.table));
        EXPECT_EQ(ColumnXs(layout), c.xs);
        EXPECT_EQ(RowLines(layout), c.ys);
        EXPECT_EQ(PictureOf(layout), c.cells);
        EXPECT_TRUE(layout.IsConsistent());
    }
}

TEST(ConvertingTableLayoutTest, FittingLeavesTooSmallATableClearedAndAnEmptyOneAlone)
{
    ConvertingTableLayout layout = LayoutFromPicture({"ab", "cd"});
    layout.SetTrailerValue(5);
    layout.FitToPage(Rect(0, 195, 1000, 1000), 10, 10); // 5 units of the table on the page
    EXPECT_TRUE(layout.IsEmpty());
    EXPECT_FALSE(layout.HasColumns());
    EXPECT_EQ(layout.GetTrailerValue(), 5); // Clear keeps the document's values

    ConvertingTableLayout empty;
    empty.FitToPage(Rect(100, 100, 200, 200), 10, 10);
    EXPECT_TRUE(empty == ConvertingTableLayout());
}
} // namespace

#include <gtest/gtest.h>

#include "table/LayoutActions.h"
#include "tests/table/LayoutPictures.h"

#include <functional>
#include <memory>
#include <string>

namespace {

ConvertingTableLayout WithColumns(ConvertingTableLayout layout, std::vector<ConvertingTableColumn> columns)
{
    for (size_t c = 0; c < columns.size(); ++c)
        layout.GetColumn(static_cast<int>(c)) = columns[c];
    return layout;
}

int32_t Cell(int column, int row)
{
    return ConvertingTableLayout::MakeCellId(column, row);
}

struct RoundTrip
{
    std::string name;
    ConvertingTableLayout before;
    std::function<std::unique_ptr<OxAction>()> action;
    ConvertingTableLayout after;  // what the action's first Redo makes of "before"
};

const ConvertingTableColumn Number{100, 1, CellFormatNumber};

} // namespace

// Every action: Redo turns "before" into "after", Undo gives "before" back in every field,
// Redo again gives "after" again (the second application must not record anew).
TEST(LayoutActions, UndoAndRedoRoundTrip)
{
    const ConvertingTableLayout grid = LayoutFromPicture({"abcd", "efgh", "ijkl"});

    ConvertingTableLayout rowMoved = grid;
    rowMoved.SetRowLine(1, 207);
    ConvertingTableLayout columnMoved = grid;
    columnMoved.SetColumnX(0, 70);

    ConvertingTableLayout changed = LayoutFromPicture({"aab", "aac"});
    changed.SetAutoRowDetection(false);
    changed.SetTrailerValue(9);

    // Three columns Number, Number, Text with flags 0, 1, 1 merged into one.
    const ConvertingTableLayout formatted = WithColumns(grid, {{100, 0, CellFormatNumber}, {200, 1, CellFormatNumber},
                                                               {300, 1, CellFormatText}, {-1, 1, CellFormatDate}});
    ConvertingTableLayout threeMerged = LayoutFromPicture({"ab", "cd", "ef"});
    threeMerged.SetTableRect(grid.GetTableRect());
    threeMerged = WithColumns(threeMerged, {{300, 1, CellFormatAutomatic}, {-1, 1, CellFormatDate}});

    // Two columns Number merged: the format stays; the merged column takes the flags ORed.
    const ConvertingTableLayout flags = WithColumns(grid, {{100, 0, CellFormatNumber}, {200, 1, CellFormatNumber},
                                                           {300, 0, CellFormatText}, {-1, 1, CellFormatText}});
    ConvertingTableLayout twoMerged = LayoutFromPicture({"abc", "def", "ghi"});
    twoMerged.SetTableRect(grid.GetTableRect());
    twoMerged = WithColumns(twoMerged, {{200, 1, CellFormatNumber}, {300, 0, CellFormatText}, {-1, 1, CellFormatText}});

    // Lines beyond 24 bits, as a layout file may bring them, come back whole.
    ConvertingTableLayout wide = grid;
    wide.SetTableRect(RECT{0, 0, 40000000, 300});
    wide = WithColumns(wide, {{17000000, 1, 0}, {25000000, 1, 0}, {30000000, 1, 0}, {-1, 1, 0}});
    ConvertingTableLayout wideMerged = LayoutFromPicture({"abc", "def", "ghi"});
    wideMerged.SetTableRect(wide.GetTableRect());
    wideMerged = WithColumns(wideMerged, {{25000000, 1, 0}, {30000000, 1, 0}, {-1, 1, 0}});

    // The last three columns, the table's right edge among them.
    ConvertingTableLayout rightMerged = LayoutFromPicture({"ab", "cd", "ef"});
    rightMerged.SetTableRect(grid.GetTableRect());
    rightMerged = WithColumns(rightMerged, {{100, 1, 0}, {-1, 1, 0}});

    const ConvertingTableLayout fourRows = LayoutFromPicture({"ab", "cd", "ef", "gh"});
    ConvertingTableLayout middleRowsMerged = LayoutFromPicture({"ab", "cd", "ef"});
    middleRowsMerged.SetTableRect(fourRows.GetTableRect());
    middleRowsMerged.SetRowLine(1, 300);
    ConvertingTableLayout lastRowsMerged = LayoutFromPicture({"ab", "cd"});
    lastRowsMerged.SetTableRect(fourRows.GetTableRect());

    // A cell merge over a block that was merged before: its undo gives the inner block back.
    const ConvertingTableLayout inner = LayoutFromPicture({"abcd", "effg", "hffi"});
    const ConvertingTableLayout outer = LayoutFromPicture({"abcd", "eeef", "eeeg"});
    const ConvertingTableLayout split = LayoutFromPicture({"abcd", "efgh", "ijkl"});

    // Splits as the split command records them, with their saved values: column 1 (100..200) at
    // 150, row 1 (100..200) at 150.
    ConvertingTableLayout columnSplit = LayoutFromPicture({"abcde", "fghij", "klmno"});
    columnSplit.SetTableRect(grid.GetTableRect());
    columnSplit = WithColumns(columnSplit, {{100, 1, 0}, {150, 0, CellFormatDate}, {200, 0, CellFormatDate},
                                            {300, 1, 0}, {-1, 1, 0}});
    ConvertingTableLayout unsplitColumn = WithColumns(grid, {{100, 1, 0}, {200, 0, CellFormatDate}, {300, 1, 0},
                                                             {-1, 1, 0}});
    const std::vector<uint32_t> savedColumns = {MergeSplit::PackColumn({150, 0, CellFormatDate}),
                                                MergeSplit::PackColumn({200, 0, CellFormatDate})};
    ConvertingTableLayout rowSplit = LayoutFromPicture({"ab", "cd", "ef", "gh", "ij"});
    rowSplit.SetTableRect(fourRows.GetTableRect());
    rowSplit.SetRowLine(1, 150);
    rowSplit.SetRowLine(2, 200);
    rowSplit.SetRowLine(3, 300);

    ConvertingTableLayout reformatted = formatted;
    reformatted.GetColumn(0).format = CellFormatTime;
    reformatted.GetColumn(2).format = CellFormatTime;

    const RoundTrip cases[] = {
        {"row line", grid, [] { return std::make_unique<LineMove>(1, 7, LineMove::RowLine); }, rowMoved},
        {"column line", grid, [] { return std::make_unique<LineMove>(0, -30, LineMove::ColumnLine); }, columnMoved},
        {"column line, any kind but 0", grid, [] { return std::make_unique<LineMove>(0, -30, 7); }, columnMoved},
        {"layout change", grid, [&] { return std::make_unique<LayoutChange>(grid, changed); }, changed},
        {"three columns, mixed formats", formatted,
         [] { return std::make_unique<MergeSplit>(0, 2, MergeSplit::Columns, true); }, threeMerged},
        {"two columns, flags 0 and 1", flags,
         [] { return std::make_unique<MergeSplit>(0, 1, MergeSplit::Columns, true); }, twoMerged},
        {"columns beyond 24 bits", wide,
         [] { return std::make_unique<MergeSplit>(0, 1, MergeSplit::Columns, true); }, wideMerged},
        {"columns up to the right edge", grid,
         [] { return std::make_unique<MergeSplit>(1, 3, MergeSplit::Columns, true); }, rightMerged},
        {"middle rows", fourRows, [] { return std::make_unique<MergeSplit>(1, 2, MergeSplit::Rows, true); },
         middleRowsMerged},
        {"rows down to the last", fourRows, [] { return std::make_unique<MergeSplit>(1, 3, MergeSplit::Rows, true); },
         lastRowsMerged},
        {"cells over a merged block", inner,
         [] { return std::make_unique<MergeSplit>(Cell(0, 1), Cell(2, 2), MergeSplit::Cells, true); }, outer},
        {"cell split by the split command", outer,
         [] { return std::make_unique<MergeSplit>(Cell(0, 1), Cell(2, 2), MergeSplit::Cells, false); }, split},
        {"column split with saved values", unsplitColumn,
         [=] { return std::make_unique<MergeSplit>(1, 2, MergeSplit::Columns, false, savedColumns); }, columnSplit},
        {"column split with saved records", unsplitColumn,
         [] {
             return std::make_unique<MergeSplit>(
                 1, 2, false,
                 std::vector<ConvertingTableColumn>{{150, 0, CellFormatDate}, {200, 0, CellFormatDate}});
         },
         columnSplit},
        {"row split with a saved y", fourRows,
         [] { return std::make_unique<MergeSplit>(1, 2, MergeSplit::Rows, false, std::vector<uint32_t>{150}); },
         rowSplit},
        {"cell merge with saved ids", inner,
         [] {
             return std::make_unique<MergeSplit>(Cell(0, 1), Cell(2, 2), MergeSplit::Cells, true,
                                                 std::vector<uint32_t>{0x10000, 0x10001, 0x10001, //
                                                                       0x20000, 0x10001, 0x10001});
         },
         outer},
        {"column formats", formatted,
         [] {
             return std::make_unique<ColumnFormat>(std::map<int32_t, int32_t>{{0, CellFormatNumber}, {2, CellFormatText}},
                                                   CellFormatTime);
         },
         reformatted},
    };
    for (const RoundTrip& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<OxAction> action = c.action();
        ConvertingTableLayout layout = c.before;
        ASSERT_TRUE(action->Redo(layout));
        EXPECT_EQ(PictureOf(layout), PictureOf(c.after));
        EXPECT_TRUE(layout == c.after);
        ASSERT_TRUE(action->Undo(layout));
        EXPECT_EQ(PictureOf(layout), PictureOf(c.before));
        EXPECT_TRUE(layout == c.before);
        ASSERT_TRUE(action->Redo(layout));
        EXPECT_TRUE(layout == c.after);
    }
}

// An action that cannot apply says so and leaves the layout as it was.
TEST(LayoutActions, RefusedActionsChangeNothing)
{
    const ConvertingTableLayout grid = LayoutFromPicture({"abc", "def"});
    struct Case
    {
        std::string name;
        std::function<std::unique_ptr<OxAction>()> action;
        bool undo;  // try Undo instead of Redo
    } cases[] = {
        {"row line beyond the count", [] { return std::make_unique<LineMove>(1, 5, LineMove::RowLine); }, false},
        {"negative column", [] { return std::make_unique<LineMove>(-1, 5, LineMove::ColumnLine); }, false},
        {"the table's right edge", [] { return std::make_unique<LineMove>(2, 5, LineMove::ColumnLine); }, false},
        {"column merge past the last column", [] { return std::make_unique<MergeSplit>(1, 3, MergeSplit::Columns, true); },
         false},
        {"column split with nothing recorded",
         [] { return std::make_unique<MergeSplit>(0, 1, MergeSplit::Columns, false); }, false},
        {"split of a cell that is not merged",
         [] { return std::make_unique<MergeSplit>(Cell(1, 0), Cell(2, 1), MergeSplit::Cells, true); }, true},
        {"cell merge outside the table",
         [] { return std::make_unique<MergeSplit>(Cell(1, 0), Cell(1, 2), MergeSplit::Cells, true); }, false},
        {"row merge without lines below", [] { return std::make_unique<MergeSplit>(1, 2, MergeSplit::Rows, true); },
         false},
        {"unknown kind", [] { return std::make_unique<MergeSplit>(0, 1, 3, true); }, false},
        // Saved values that no longer fit would leave a layout that cannot be stored.
        {"row split at a y outside the row",
         [] { return std::make_unique<MergeSplit>(0, 1, MergeSplit::Rows, false, std::vector<uint32_t>{150}); }, false},
        {"column split at an x right of the next line",
         [] {
             return std::make_unique<MergeSplit>(0, 1, MergeSplit::Columns, false,
                                                 std::vector<uint32_t>{MergeSplit::PackColumn({250, 1, 0}),
                                                                       MergeSplit::PackColumn({100, 1, 0})});
         },
         false},
        {"row line moved below the table", [] { return std::make_unique<LineMove>(0, 101, LineMove::RowLine); }, false},
        {"column line moved past its neighbour",
         [] { return std::make_unique<LineMove>(0, 101, LineMove::ColumnLine); }, false},
        {"format of a column beyond the count",
         [] { return std::make_unique<ColumnFormat>(std::map<int32_t, int32_t>{{0, 0}, {3, 0}}, CellFormatText); },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ConvertingTableLayout layout = grid;
        std::unique_ptr<OxAction> action = c.action();
        EXPECT_FALSE(c.undo ? action->Undo(layout) : action->Redo(layout));
        EXPECT_TRUE(layout == grid);
    }
}

// Column records packed as the split command saves them: x in 24 bits, format in 7, flag in 1.
TEST(LayoutActions, PackedColumnsKeepXFormatAndFlag)
{
    const ConvertingTableColumn columns[] = {{0, 0, CellFormatAutomatic}, {150, 1, CellFormatTime},
                                             {0xFFFFFF, 1, 0x7F}, {12345, 0, CellFormatCurrency}};
    for (const ConvertingTableColumn& column : columns)
        EXPECT_TRUE(MergeSplit::UnpackColumn(MergeSplit::PackColumn(column)) == column) << column.x;
    EXPECT_EQ(MergeSplit::PackColumn({150, 1, CellFormatTime}), 0x85000096u);
}

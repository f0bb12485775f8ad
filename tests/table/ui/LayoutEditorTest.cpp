// The layout editor's rules, without a window: hit test and cursors, drags and their limits,
// merge, split, clear and formats undone and redone, the saved-state numbering, fitting a
// layout to the page, layout files, text selection, search and the conversion commands.
#include "tests/table/LayoutPictures.h"
#include "tests/table/ui/LayoutTestSupport.h"

#include "pagemodel/OxBuffer.h"
#include "pagemodel/OxReadWrite.h"
#include "table/ConvertingTableParser.h"
#include "table/LayoutActions.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

namespace
{

// Sets the drag rectangle for one test and puts the old one back.
class DragMetrics
{
public:
    DragMetrics(int width, int height) : m_width(GetSystemMetrics(SM_CXDRAG)), m_height(GetSystemMetrics(SM_CYDRAG))
    {
        SystemParametersInfoW(SPI_SETDRAGWIDTH, width, nullptr, 0);
        SystemParametersInfoW(SPI_SETDRAGHEIGHT, height, nullptr, 0);
    }
    ~DragMetrics()
    {
        SystemParametersInfoW(SPI_SETDRAGWIDTH, m_width, nullptr, 0);
        SystemParametersInfoW(SPI_SETDRAGHEIGHT, m_height, nullptr, 0);
    }
    bool Applied(int width, int height) const
    {
        return GetSystemMetrics(SM_CXDRAG) == width && GetSystemMetrics(SM_CYDRAG) == height;
    }

private:
    int m_width;
    int m_height;
};

std::wstring TempPath(const wchar_t* name)
{
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

bool WriteLayoutFile(const std::wstring& path, const ConvertingTableLayout& layout, uint32_t cutBytes = 0)
{
    OxBuffer buffer;
    OxReadWriteBuffer stream(buffer);
    if (!layout.Write(stream))
        return false;
    OxReadWriteBuffer reader(buffer);
    std::vector<uint8_t> bytes(reader.GetCount());
    reader.Read(bytes.data(), static_cast<uint32_t>(bytes.size()));
    bytes.resize(bytes.size() - cutBytes);
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file)
        return false;
    fwrite(bytes.data(), 1, bytes.size(), file);
    fclose(file);
    return true;
}

struct EditorFixture : ::testing::Test
{
    TestShell shell;
    WordLayoutView view;
    void Use(const Picture& picture, bool autoColumns = false)
    {
        view.GetLayout() = LayoutFromPicture(picture);
        view.SetAutoColumnDetection(autoColumns);
        view.ClearActions();
    }
};

using HitTestTest = EditorFixture;

TEST_F(HitTestTest, EveryEdgeCornerAndLineWithItsCursor)
{
    DragMetrics metrics(4, 4);
    ASSERT_TRUE(metrics.Applied(4, 4));
    Use({"abc", "ddd", "efg"}); // a 300 x 300 table; the middle row one merged block
    shell.m_advanced = true;
    view.CheckMergedCellsMode();
    struct Case
    {
        int x, y, code, index;
        bool onColumn;
        LPCWSTR cursor;
    } cases[] = {
        {0, 0, 13, -1, false, IDC_SIZENWSE},   {300, 0, 14, -1, false, IDC_SIZENESW},
        {0, 300, 16, -1, false, IDC_SIZENESW}, {300, 300, 17, -1, false, IDC_SIZENWSE},
        {-5, 150, 10, -1, false, IDC_SIZEWE},  {305, 150, 11, -1, false, IDC_SIZEWE},
        {150, 5, 12, -1, false, IDC_SIZENS},   {150, 295, 15, -1, false, IDC_SIZENS},
        {105, 50, 18, 0, true, IDC_SIZEWE},    {195, 250, 18, 1, true, IDC_SIZEWE},
        {50, 204, 18, 1, false, IDC_SIZENS},   {106, 50, 1, 1, false, nullptr},
        {100, 150, 1, 0, false, nullptr}, // the line inside the merged row is no line
        {-6, 150, 0, -1, false, nullptr},      {150, 306, 0, -1, false, nullptr},
    };
    for (const Case& c : cases)
    {
        const LayoutView::Hit hit = view.HitTest(c.x, c.y);
        EXPECT_EQ(hit.m_code, c.code) << c.x << "," << c.y;
        if (c.code == 18)
        {
            EXPECT_EQ(hit.m_column, c.index) << c.x << "," << c.y;
            EXPECT_EQ(hit.m_onColumnLine, c.onColumn) << c.x << "," << c.y;
        }
        if (c.code == 1)
        {
            EXPECT_EQ(hit.m_column, c.index) << c.x << "," << c.y;
        }
        EXPECT_EQ(view.CursorForHit(hit, false), c.cursor) << c.x << "," << c.y;
    }
    // Without Row and Cell Editing a row line leaves the cursor alone until it is dragged.
    shell.m_advanced = false;
    view.SetRowAndCellEditing(false);
    const LayoutView::Hit rowLine = view.HitTest(50, 100);
    EXPECT_EQ(view.CursorForHit(rowLine, false), nullptr);
    EXPECT_EQ(view.CursorForHit(rowLine, true), IDC_SIZENS);
}

TEST_F(HitTestTest, BottomCornersUseTheVerticalTolerance)
{
    DragMetrics metrics(8, 4);
    ASSERT_TRUE(metrics.Applied(8, 4));
    Use({"ab", "cd"}); // 200 x 200; tx = 10, ty = 5
    struct Case
    {
        int x, y, code;
    } cases[] = {{0, 192, 10}, {200, 192, 11}, {0, 195, 16}, {200, 205, 17}, {0, 8, 10}, {0, 5, 13}};
    for (const Case& c : cases)
        EXPECT_EQ(view.HitTest(c.x, c.y).m_code, c.code) << c.x << "," << c.y;
}

using DragTest = EditorFixture;

TEST_F(DragTest, ColumnLineStaysTheMinimumAwayAndUndoes)
{
    DragMetrics metrics(4, 4);
    Use({"abc"});
    view.OnLButtonDown(100, 50, 0);
    ASSERT_TRUE(view.IsDragging());
    view.OnMouseMove(9, 50, 0); // closer than 10 to the table's left: ignored
    EXPECT_EQ(view.GetLayout().GetColumn(0).x, 100);
    view.OnMouseMove(10, 50, 0);
    EXPECT_EQ(view.GetLayout().GetColumn(0).x, 10);
    view.OnMouseMove(191, 50, 0); // closer than 10 to the next line
    EXPECT_EQ(view.GetLayout().GetColumn(0).x, 10);
    view.OnLButtonUp(190, 50, 0);
    EXPECT_EQ(view.GetLayout().GetColumn(0).x, 190);
    EXPECT_FALSE(view.GetAutoColumnDetection());
    ASSERT_TRUE(view.UndoLayout());
    EXPECT_EQ(view.GetLayout().GetColumn(0).x, 100);
    ASSERT_TRUE(view.RedoLayout());
    EXPECT_EQ(view.GetLayout().GetColumn(0).x, 190);
}

TEST_F(DragTest, RowsFoundAnewAfterAColumnDragUndoWithTheirMerges)
{
    DragMetrics metrics(4, 4);
    shell.m_advanced = true;
    Use({"aab", "ccd", "efg"});
    view.SetRowAndCellEditing(true);
    ASSERT_TRUE(view.GetLayout().GetAutoRowDetection());
    const ConvertingTableLayout before = view.GetLayout();
    view.OnLButtonDown(200, 50, 0);
    ASSERT_TRUE(view.IsDragging());
    view.OnLButtonUp(250, 50, 0);
    // No words: the rows found anew are one row, the merges gone.
    EXPECT_EQ(view.GetLayout().GetRowLineCount(), 0);
    ASSERT_TRUE(view.UndoLayout());
    EXPECT_EQ(view.GetLayout(), before);
    EXPECT_EQ(PictureOf(view.GetLayout()), (Picture{"aab", "ccd", "efg"}));
}

TEST_F(DragTest, EdgeOutsideItsLimitsPutsTheTableBack)
{
    DragMetrics metrics(4, 4);
    Use({"ab"});
    view.OnLButtonDown(200, 50, 0); // right edge
    view.OnMouseMove(250, 50, 0);
    EXPECT_EQ(view.GetLayout().GetTableRect().right, 250);
    view.OnMouseMove(105, 50, 0); // closer than 10 to the inner line
    EXPECT_EQ(view.GetLayout().GetTableRect().right, 200);
    view.OnMouseMove(240, 50, 0);
    view.OnLButtonUp(240, 50, 0);
    EXPECT_EQ(view.GetLayout().GetTableRect().right, 240);
    ASSERT_TRUE(view.UndoLayout());
    EXPECT_EQ(view.GetLayout().GetTableRect().right, 200);
}

TEST_F(DragTest, ARowLineDragStopsTheRowsBeingFoundAnew)
{
    DragMetrics metrics(4, 4);
    shell.m_advanced = true;
    Use({"ab", "cd", "ef"});
    view.SetRowAndCellEditing(true);
    view.OnLButtonDown(50, 100, 0); // row line 0
    ASSERT_TRUE(view.IsDragging());
    view.OnLButtonUp(50, 120, 0);
    EXPECT_FALSE(view.GetLayout().GetAutoRowDetection());
    // A later column drag keeps the row lines as they are.
    view.OnLButtonDown(100, 50, 0);
    view.OnLButtonUp(130, 50, 0);
    EXPECT_EQ(view.GetLayout().GetRowLineCount(), 2);
    EXPECT_EQ(view.GetLayout().GetRowLine(0), 120);
}

TEST_F(DragTest, LeavingRowAndCellEditingWithMergedCellsAsks)
{
    struct Case
    {
        int answer;
        bool advancedAfter;
        Picture picture;
    } cases[] = {{IDYES, true, {"aab", "cde"}}, {IDNO, false, {"abc", "def"}}};
    for (const Case& c : cases)
    {
        shell.m_advanced = true;
        Use({"aab", "cde"});
        view.SetRowAndCellEditing(true);
        shell.m_answers = {c.answer};
        shell.m_messages.clear();
        EXPECT_TRUE(view.OnRowAndCellEditing());
        EXPECT_EQ(shell.m_messages.size(), 1u);
        EXPECT_EQ(shell.m_advanced, c.advancedAfter);
        EXPECT_EQ(view.IsRowAndCellEditing(), c.advancedAfter);
        EXPECT_EQ(PictureOf(view.GetLayout()), c.picture);
    }
    // Leaving it switches the selection kind back to columns on the frame's button.
    EXPECT_EQ(shell.m_columnModeButtons.back(), 0);
}

TEST_F(DragTest, MergedCellsModeQuestionsComeInTheirOrder)
{
    struct Case
    {
        const char* name;
        bool advancedBefore;
        int answer;
        std::function<void(WordLayoutView&)> run;
        std::vector<std::string> events;
    } cases[] = {
        {"layout set, Yes",
         false,
         IDYES,
         [](WordLayoutView& v) { v.CheckMergedCellsMode(); },
         {"button 0", "message", "advanced on"}},
        {"layout set, No",
         false,
         IDNO,
         [](WordLayoutView& v) { v.CheckMergedCellsMode(); },
         {"button 0", "message", "button 0"}},
        {"leave, No",
         true,
         IDNO,
         [](WordLayoutView& v) { v.OnRowAndCellEditing(); },
         {"message", "advanced off", "button 0"}},
        {"enter", false, IDNO, [](WordLayoutView& v) { v.OnRowAndCellEditing(); }, {"advanced on"}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        shell.m_advanced = c.advancedBefore;
        Use({"aab", "cde"});
        view.SetRowAndCellEditing(c.advancedBefore);
        shell.m_events.clear();
        shell.m_answers = {c.answer};
        c.run(view);
        EXPECT_EQ(shell.m_events, c.events);
    }
}

using EditUndoTest = EditorFixture;

TEST_F(EditUndoTest, EveryEditUndoesAndRedoesToTheSameLayout)
{
    DragMetrics metrics(4, 4);
    struct Case
    {
        const char* name;
        int32_t kind;
        std::vector<int32_t> selection;
        std::function<void(WordLayoutView&)> edit;
    } cases[] = {
        {"merge columns", 0, {0, 1}, [](WordLayoutView& v) { EXPECT_TRUE(v.Merge()); }},
        {"split column", 0, {2}, [](WordLayoutView& v) { EXPECT_TRUE(v.Split()); }},
        {"merge rows", 1, {1, 2}, [](WordLayoutView& v) { EXPECT_TRUE(v.Merge()); }},
        {"split row", 1, {0}, [](WordLayoutView& v) { EXPECT_TRUE(v.Split()); }},
        {"merge cells", 2, {0, 1, 0x10000, 0x10001}, [](WordLayoutView& v) { EXPECT_TRUE(v.Merge()); }},
        {"split cell", 2, {0x20001}, [](WordLayoutView& v) { EXPECT_TRUE(v.Split()); }},
        {"clear", 0, {}, [](WordLayoutView& v) { v.ClearLayout(); }},
        {"format", 0, {0, 2}, [](WordLayoutView& v) { v.OnColumnFormat(34143); }},
        {"bottom-right corner",
         0,
         {},
         [](WordLayoutView& v) {
             v.OnLButtonDown(300, 300, 0);
             v.OnMouseMove(350, 330, 0);
             v.OnLButtonUp(350, 330, 0);
         }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        shell.m_advanced = true;
        Use({"abc", "def", "ghh"});
        view.SetRowAndCellEditing(true);
        view.OnSelectionMode(34111 + c.kind);
        view.SetSelection(c.selection);
        const ConvertingTableLayout before = view.GetLayout();
        c.edit(view);
        const ConvertingTableLayout after = view.GetLayout();
        EXPECT_NE(after, before);
        ASSERT_TRUE(view.UndoLayout());
        EXPECT_EQ(view.GetLayout(), before);
        ASSERT_TRUE(view.RedoLayout());
        EXPECT_EQ(view.GetLayout(), after);
    }
}

TEST_F(EditUndoTest, SplitAndBandNeedTwiceAndOnceTheMinimum)
{
    ConvertingTableLayout layout;
    layout.SetTableRect({0, 0, 39, 100});
    layout.AppendColumn({19, 1, 0});
    layout.AppendColumn({-1, 1, 0});
    view.GetLayout() = layout;
    view.SetSelection({0});
    EXPECT_FALSE(view.CanSplit()); // 19 wide
    view.SetSelection({1});
    EXPECT_TRUE(view.CanSplit()); // 20 wide

    struct Band
    {
        RECT rect;
        bool table;
    } bands[] = {{{0, 0, 9, 50}, false}, {{0, 0, 10, 10}, true}, {{0, 0, 50, 9}, false}};
    for (const Band& band : bands)
    {
        view.GetLayout().Clear();
        view.GetLayout().SetTableRect(band.rect);
        view.CreateTableFromBand(false);
        EXPECT_EQ(!view.GetLayout().IsEmpty(), band.table) << band.rect.right << "x" << band.rect.bottom;
    }
}

TEST_F(EditUndoTest, ActionStatesAreNeverReused)
{
    Use({"ab"});
    const uint64_t start = view.GetActionState();
    view.SetSelection({0});
    view.OnColumnFormat(34141);
    const uint64_t saved = view.GetActionState();
    EXPECT_NE(saved, start);
    // Undo, then a new action where the saved one stood: a different state.
    ASSERT_TRUE(view.UndoLayout());
    EXPECT_EQ(view.GetActionState(), start);
    view.SetSelection({0});
    view.OnColumnFormat(34142);
    EXPECT_NE(view.GetActionState(), saved);
    EXPECT_NE(view.GetActionState(), start);
    // Twenty-one actions push the first out: undoing all of them no longer reaches the start.
    Use({"ab"});
    view.SetSelection({0});
    const uint64_t fresh = view.GetActionState();
    for (int i = 0; i < 21; ++i)
        view.OnColumnFormat(34140 + i % 6);
    while (view.UndoLayout())
    {
    }
    EXPECT_NE(view.GetActionState(), fresh);
}

using FitTest = EditorFixture;

TEST_F(FitTest, FittedLayoutsStayInsideThePageAndSaveUnchanged)
{
    view.SetPage(250, 250);
    Use({"abc", "def", "ghi"}); // 300 x 300 on a 250 x 250 page
    view.FitLayoutToPage();
    const ConvertingTableLayout& fitted = view.GetLayout();
    EXPECT_EQ(fitted.GetTableRect().right, 250);
    EXPECT_EQ(fitted.GetTableRect().bottom, 250);
    EXPECT_EQ(fitted.GetColumnCount(), 3);
    EXPECT_EQ(fitted.GetColumn(2).x, -1);
    EXPECT_EQ(fitted.GetRowLineCount(), 2);
    EXPECT_TRUE(fitted.IsConsistent());
    OxBuffer buffer;
    OxReadWriteBuffer writer(buffer);
    ASSERT_TRUE(fitted.Write(writer));
    ConvertingTableLayout back;
    OxReadWriteBuffer reader(buffer);
    ASSERT_TRUE(back.Read(reader));
    EXPECT_EQ(back, fitted);

    // A page that cuts into the last row: its line goes, no line below the bottom stays.
    view.SetPage(250, 205);
    Use({"abc", "def", "ghi"});
    view.FitLayoutToPage();
    EXPECT_EQ(view.GetLayout().GetRowLineCount(), 1);
    EXPECT_TRUE(view.GetLayout().IsConsistent());
}

using LayoutFileTest = EditorFixture;

TEST_F(LayoutFileTest, ATruncatedFileChangesNothing)
{
    Use({"ab"});
    view.SetSelection({0});
    view.OnColumnFormat(34141);
    const ConvertingTableLayout before = view.GetLayout();
    const size_t actions = view.GetCount();
    const std::wstring path = TempPath(L"kest-truncated.layout");
    ASSERT_TRUE(WriteLayoutFile(path, LayoutFromPicture({"abc", "def"}), 6));
    EXPECT_FALSE(view.OpenLayoutFile(path));
    EXPECT_EQ(view.GetLayout(), before);
    EXPECT_EQ(view.GetCount(), actions);
    ASSERT_EQ(shell.m_messages.size(), 1u);
    EXPECT_EQ(shell.m_messages[0], L"Cannot read layout from the file");
    EXPECT_TRUE(shell.m_recent.empty());
    DeleteFileW(path.c_str());
}

TEST_F(LayoutFileTest, UndoBringsTheOldLayoutAndRedoTheFittedOne)
{
    view.SetPage(250, 250);
    Use({"ab"});
    const ConvertingTableLayout before = view.GetLayout();
    const std::wstring path = TempPath(L"kest-wide.layout");
    ASSERT_TRUE(WriteLayoutFile(path, LayoutFromPicture({"abc", "def", "ghi"})));
    ASSERT_TRUE(view.OpenLayoutFile(path));
    const ConvertingTableLayout loaded = view.GetLayout();
    EXPECT_EQ(loaded.GetTableRect().right, 250);
    EXPECT_FALSE(view.GetAutoColumnDetection());
    ASSERT_TRUE(view.UndoLayout());
    EXPECT_EQ(view.GetLayout(), before);
    ASSERT_TRUE(view.RedoLayout());
    EXPECT_EQ(view.GetLayout(), loaded);
    EXPECT_EQ(shell.m_recent, std::vector<std::wstring>{path});
    DeleteFileW(path.c_str());
}

TEST_F(LayoutFileTest, MergedCellsAskedOutsideRowAndCellEditing)
{
    const std::wstring path = TempPath(L"kest-merged.layout");
    ASSERT_TRUE(WriteLayoutFile(path, LayoutFromPicture({"aab", "cde"})));
    struct Case
    {
        int answer;
        bool loaded;
        Picture picture;
        bool advanced;
    } cases[] = {
        {IDNO, true, {"abc", "def"}, false}, {IDYES, true, {"aab", "cde"}, true}, {IDCANCEL, false, {"a"}, false}};
    for (const Case& c : cases)
    {
        shell.m_advanced = false;
        view.SetRowAndCellEditing(false);
        Use({"a"});
        shell.m_answers = {c.answer};
        EXPECT_EQ(view.OpenLayoutFile(path), c.loaded);
        EXPECT_EQ(PictureOf(view.GetLayout()), c.picture);
        EXPECT_EQ(shell.m_advanced, c.advanced);
    }
    DeleteFileW(path.c_str());
}

TEST_F(LayoutFileTest, SaveProposesTheDocumentNameAndRefusesABrokenLayout)
{
    struct Case
    {
        const wchar_t* document;
        const wchar_t* proposed;
    } cases[] = {{L"C:\\Jobs\\report.old\\Invoice.kest", L"C:\\Jobs\\report.old\\Invoice.layout"},
                 {L"C:\\Jobs\\report.old\\Invoice", L"C:\\Jobs\\report.old\\Invoice.layout"},
                 {L"", L".layout"}};
    for (const Case& c : cases)
        EXPECT_EQ(LayoutView::LayoutNameFor(c.document), c.proposed);

    Use({"ab", "cd"});
    const std::wstring path = TempPath(L"kest-saved.layout");
    shell.m_savePath = path;
    view.m_frame.m_documentName = L"C:\\x\\Job.kest";
    view.SaveLayout(nullptr);
    EXPECT_EQ(shell.m_proposedNames.back(), L"C:\\x\\Job.layout");
    EXPECT_EQ(shell.m_recent, std::vector<std::wstring>{path});
    ConvertingTableLayout back;
    OxReadWriteFile file;
    ASSERT_TRUE(file.Open(path.c_str(), true, false));
    ASSERT_TRUE(back.Read(file));
    file.Close();
    EXPECT_EQ(back, view.GetLayout());

    // A row line below the bottom: the reader would refuse it, so it is not written.
    view.GetLayout().SetRowLine(0, 500);
    EXPECT_FALSE(view.SaveLayoutFile(path));
    EXPECT_EQ(shell.m_messages.back(), L"Cannot write to file");
    ASSERT_TRUE(file.Open(path.c_str(), true, false));
    ConvertingTableLayout kept;
    EXPECT_TRUE(kept.Read(file));
    file.Close();
    EXPECT_EQ(kept, back);
    DeleteFileW(path.c_str());
}

struct TextFixture : EditorFixture
{
    void SetUp() override
    {
        shell.m_mode = 1;
        // Two lines 30 units high; gaps of 2 and 3 on the first.
        view.AddWord(0, 0, 40, 30, L"alpha").AddWord(42, 0, 80, 30, L"beta").AddWord(83, 0, 120, 30, L"gamma");
        view.AddWord(0, 50, 40, 80, L"Beta").AddWord(50, 50, 90, 80, L"delta");
    }
    std::wstring Drag(int x0, int y0, int x1, int y1)
    {
        view.OnLButtonDown(x0, y0, 0);
        view.OnMouseMove(x1, y1, 0);
        view.OnLButtonUp(x1, y1, 0);
        return view.GetSelectedText();
    }
};

using TextSelectionTest = TextFixture;

TEST_F(TextSelectionTest, HitTestWordGivesWordAndPosition)
{
    struct Case
    {
        int x, y, word, position;
    } cases[] = {
        {10, 10, 1, 1}, {41, 10, 2, 0}, {60, 40, 4, 0},  {200, 40, 4, 2},
        {10, 90, 5, 2}, {60, 45, 4, 0}, {200, 10, 4, 2},
    };
    for (const Case& c : cases)
    {
        LayoutView::WordPoint point;
        ASSERT_TRUE(view.HitTestWord(c.x, c.y, point)) << c.x << "," << c.y;
        EXPECT_EQ(point.m_word, c.word) << c.x << "," << c.y;
        EXPECT_EQ(point.m_position, c.position) << c.x << "," << c.y;
    }
}

TEST_F(TextSelectionTest, CopiedTextJoinsWordsByTheirGaps)
{
    struct Case
    {
        int x0, y0, x1, y1;
        const wchar_t* text;
    } cases[] = {
        {10, 10, 41, 10, L"alpha"},            // to the gap before "beta"
        {10, 10, 10, 10, L"alpha"},            // back on the first word
        {10, 10, 100, 10, L"alphabeta gamma"}, // gap 2: no space; gap 3: one
        {10, 10, 60, 60, L"alphabeta gamma\r\nBeta delta"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Drag(c.x0, c.y0, c.x1, c.y1), c.text) << c.x1 << "," << c.y1;
}

TEST_F(TextSelectionTest, CopyPutsTheSelectedLinesOnTheClipboard)
{
    Drag(10, 10, 60, 60);
    view.CopySelectedText();
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    std::wstring text = data ? static_cast<const wchar_t*>(GlobalLock(data)) : L"<none>";
    if (data)
        GlobalUnlock(data);
    CloseClipboard();
    EXPECT_EQ(text, L"alphabeta gamma\r\nBeta delta");
}

using FindTest = TextFixture;

TEST_F(FindTest, FindsForwardBackwardWithCaseAndWraps)
{
    struct Step
    {
        const wchar_t* text;
        bool down, matchCase;
        int anchor, end;
    } steps[] = {
        {L"beta", true, false, 2, 2},         {L"beta", true, false, 4, 4},  {L"beta", true, false, 2, 2},
        {L"Beta", true, true, 4, 4},          {L"beta", false, false, 2, 2}, {L"ta gam", true, false, 2, 3},
        {L"pha beta gam", true, false, 1, 3},
    };
    for (const Step& s : steps)
    {
        view.FindText(s.text, s.down, s.matchCase);
        EXPECT_TRUE(view.HasTextSelection());
        EXPECT_EQ(view.GetAnchor().m_word, s.anchor) << s.text;
        EXPECT_EQ(view.GetSelectionEnd().m_word, s.end) << s.text;
    }
    const int changes = view.m_selectionChanges;
    view.FindText(L"omega", true, false);
    EXPECT_EQ(view.GetAnchor().m_word, 1);
    EXPECT_EQ(view.m_selectionChanges, changes);
    EXPECT_EQ(LayoutView::FindInText(L"ABCabc", L"cA", false), 2);
    EXPECT_EQ(LayoutView::FindInText(L"ABCabc", L"cA", true), -1);
}

using ConvertCommandTest = EditorFixture;

TEST_F(ConvertCommandTest, NoUserInterfaceSetsExitCodesAndCloses)
{
    struct Case
    {
        Picture picture;
        bool convertResult;
        int32_t exitCode;
        bool converted;
    } cases[] = {{{"ab"}, false, 301, false}, {{"ab"}, true, 0, false}};
    for (const Case& c : cases)
    {
        shell.m_noUI = true;
        shell.m_exitCode = 0;
        Use(c.picture);
        view.m_convertResult = c.convertResult;
        view.OnConvert();
        EXPECT_EQ(shell.m_exitCode, c.exitCode);
    }
    // Nothing to convert: 402, and closing asks nothing.
    shell.m_exitCode = 0;
    view.GetLayout().Clear();
    view.OnConvert();
    EXPECT_EQ(shell.m_exitCode, 402);
    EXPECT_TRUE(view.IsConverted());
    // An exit code already set stays.
    view.OnConvert();
    EXPECT_EQ(shell.m_exitCode, 402);
}

TEST_F(ConvertCommandTest, ClosingWarnsOnlyWithTheFlagAndOnlyWhenNotConverted)
{
    struct Case
    {
        uint32_t flags;
        bool convertResult;
        int answer;
        bool canClose;
        size_t questions;
    } cases[] = {
        {0, false, IDNO, true, 0},
        {LayoutShell::RunWarnUnconverted, false, IDNO, false, 1},
        {LayoutShell::RunWarnUnconverted, false, IDYES, true, 1},
        {LayoutShell::RunWarnUnconverted, true, IDNO, true, 0},
    };
    for (const Case& c : cases)
    {
        WordLayoutView fresh;
        shell.m_messages.clear();
        shell.m_runFlags = c.flags;
        shell.m_answers = {c.answer};
        fresh.m_convertResult = c.convertResult;
        EXPECT_EQ(fresh.CanClose(), c.canClose);
        EXPECT_EQ(shell.m_messages.size(), c.questions);
        if (c.questions)
        {
            EXPECT_EQ(shell.m_messages[0], L"The data was not converted; do you wish to close the file anyway?");
        }
    }
}

class PagesJob : public ConversionJob
{
protected:
    std::unique_ptr<ConvertingTableParser> CreateParser() override { return nullptr; }
};

TEST_F(ConvertCommandTest, PageChoicesFillTheJob)
{
    Use({"ab"});
    struct Case
    {
        const char* name;
        int32_t convertPages;
        bool ask;
        ConversionPagesAnswer answer;
        PageRangeList rangeAnswer;
        int32_t current, count;
        bool result;
        PageRangeList pages;
        bool perPage;
    } cases[] = {
        {"current", 0, false, {}, {}, 2, 5, true, {{2, 3}}, false},
        {"all", 1, false, {}, {}, 2, 5, true, {{1, 6}}, true},
        {"all of one", 1, false, {}, {}, 1, 1, true, {{1, 2}}, false},
        {"dialog ranges", 0, true, {2, false, {{2, 4}}}, {}, 2, 5, true, {{2, 4}}, true},
        {"dialog one page", 0, true, {2, false, {{2, 3}}}, {}, 2, 5, true, {{2, 3}}, false},
        {"range dialog", 2, false, {}, {{3, 5}}, 2, 5, true, {{3, 5}}, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        shell.m_options.m_convertPages = c.convertPages;
        shell.m_options.m_askConvertPages = c.ask;
        shell.m_pagesAnswer = c.answer;
        shell.m_rangeAnswer = c.rangeAnswer;
        PagesJob job;
        EXPECT_EQ(view.RunConversion(job, c.current, c.count), c.result);
        ASSERT_EQ(job.GetPages().size(), c.pages.size());
        for (size_t i = 0; i < c.pages.size(); ++i)
        {
            EXPECT_EQ(job.GetPages()[i].first, c.pages[i].first);
            EXPECT_EQ(job.GetPages()[i].end, c.pages[i].end);
        }
        EXPECT_EQ(job.GetPerPageDetection(), c.perPage);
    }
    // A command-line range beyond the document.
    shell.m_options.m_convertPages = 2;
    shell.m_options.m_askConvertPages = false;
    shell.m_hasRange = true;
    shell.m_range = {{4, 8}};
    PagesJob job;
    EXPECT_FALSE(view.RunConversion(job, 1, 5));
    EXPECT_EQ(shell.m_messages.back(), L"Predefined page range is not valid for this PDF file");
}

TEST_F(ConvertCommandTest, MissingTargetsAreReported)
{
    Use({"ab"});
    struct Case
    {
        ConversionTarget target;
        const wchar_t* message;
    } cases[] = {
        {TargetExcelSheet, L"Microsoft Excel must be installed on this computer for this option to be available"},
        {TargetClipboardWord, L"Microsoft Word must be installed on this computer for this option to be available"}};
    for (const Case& c : cases)
    {
        PagesJob job;
        job.SetTarget(c.target);
        EXPECT_FALSE(view.StartConversion(job));
        EXPECT_EQ(shell.m_messages.back(), c.message);
    }
}

} // namespace

#include "ExportFixture.h"

#include "table/ui/WordExporter.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::SizeIs;

namespace {

class WordExport : public StubExportTest
{
protected:
    bool Export(const TestGrid& grid, bool keepFormatting = false, bool merge = true, int32_t range = 200)
    {
        WordExporter exporter(WordExportOptions{keepFormatting, merge});
        return exporter.Export(converter, grid.Grid(), TargetClipboardWord, L"", range);
    }
    bool Quit() const { return Logged("Word Application.Quit(false, -, -)"); }
    bool Closed() const { return Logged("Word Document.Close(false, -, -)"); }
};

} // namespace

TEST_F(WordExport, CopiesTheTableWithMergedBlocksToTheClipboardAndQuits)
{
    TestGrid grid(4);
    grid.Add(0, 0, L"head").Add(0, 3, L"tail").AddBlock(2, 1, 1, 1, L"block").Rows(4);
    officestubs::EmptyTheClipboard();
    ASSERT_TRUE(Export(grid)) << converter.GetErrorText();

    EXPECT_EQ(officestubs::ClipboardText(), L"head\t\t\ttail\r\n\t\t\t\r\n\tblock\t\t\r\nr\t\t\t\r\n");
    const std::string rtf = officestubs::ClipboardRtf();
    // Fitted to the contents: "head" and "tail" need 696 twips, "block" 816 over two columns.
    EXPECT_THAT(rtf, HasSubstr("\\cellx696\\clvmgf\\clmgf\\cellx1104\\clvmgf\\clmrg\\cellx1512\\cellx2208"));
    EXPECT_THAT(rtf, HasSubstr("\\cellx696\\clvmrg\\clmgf\\cellx1104\\clvmrg\\clmrg\\cellx1512\\cellx2208"));
    // The block at row 3, column 2 runs from the start of cell (3, 2) to the end of cell (4, 3).
    EXPECT_THAT(Calls("Word Tables.Add"), ElementsAre("Word Tables.Add(Range[0,0], 4, 4)"));
    EXPECT_TRUE(Logged("Word Document.Range(19, 32)"));
    EXPECT_THAT(Calls("Cells.Merge"), SizeIs(1));
    EXPECT_TRUE(Logged("Word Selection.Copy()"));
    EXPECT_TRUE(Closed());
    EXPECT_TRUE(Quit());
    EXPECT_THAT(progress.statusTexts, ElementsAre(L"Writing data to Microsoft Word"));
}

TEST_F(WordExport, TwoBlocksInOneRowMergeTheRightOneFirst)
{
    TestGrid grid(4);
    grid.AddBlock(0, 0, 0, 1, L"left").AddBlock(0, 2, 0, 1, L"right");
    ASSERT_TRUE(Export(grid)) << converter.GetErrorText();
    const std::vector<std::string> ranges = Calls("Word Cell[");
    // The cell ranges read for merging: (1,3) and (1,4) before (1,1) and (1,2).
    ASSERT_THAT(ranges, Not(IsEmpty()));
    std::vector<std::string> reads;
    for (const std::string& line : ranges)
        if (line.find(".Range()") != std::string::npos)
            reads.push_back(line);
    EXPECT_THAT(reads, ElementsAre("Word Cell[1,3].Range()", "Word Cell[1,4].Range()", "Word Cell[1,1].Range()",
                                   "Word Cell[1,2].Range()"));
    EXPECT_THAT(officestubs::ClipboardRtf(), HasSubstr("\\clmgf\\cellx360\\clmrg\\cellx720\\clmgf\\cellx1128"
                                                       "\\clmrg\\cellx1536"));
}

TEST_F(WordExport, BlockReachingBelowTheLastRowIsCutAtTheTable)
{
    TestGrid grid(2);
    grid.Add(0, 0, L"a").AddBlock(1, 0, 3, 1, L"low");
    ASSERT_TRUE(Export(grid)) << converter.GetErrorText();
    EXPECT_THAT(Calls("Cells.Merge"), SizeIs(1));
    EXPECT_TRUE(Logged("Word Cell[2,2].Range()"));
}

TEST_F(WordExport, VersionPicksTheWrapperFamily)
{
    struct Case {
        const wchar_t* version;
        bool newer;
    } cases[] = {{L"8.0", false}, {L"9.0", true}, {L"Preview", false}};
    for (const Case& c : cases) {
        officestubs::StubSession own;
        own.WordVersion(c.version);
        TestGrid grid(2);
        grid.Add(0, 0, L"\u05E9\u05DC\u05D5\u05DD", 0, true, RGB(255, 0, 0), 950).Add(0, 1, L"x", 0, true, 0, 80);
        ASSERT_TRUE(Export(grid, true)) << converter.GetErrorText();
        const char* what = c.newer ? "newer" : "older";
        EXPECT_THAT(own.Calls("create"), SizeIs(2)) << "probe and live instance";
        EXPECT_EQ(own.Logged("Word Paragraphs.ReadingOrder = 1"), c.newer) << what;
        EXPECT_EQ(own.Logged("Word Table.AutoFitBehavior(1)"), c.newer) << what;
        EXPECT_EQ(own.Logged("Word Selection.RtlPara()"), c.newer) << what;
        EXPECT_EQ(own.Logged("Word Font.Color = 255"), c.newer) << what;
        EXPECT_EQ(own.Logged("Word Font.SizeBi = 10f"), c.newer) << what;
        EXPECT_TRUE(own.Logged("Word Font.Size = 10f")) << "950 hundredths type at 10 points";
        EXPECT_THAT(own.Calls("Font.Size = "), SizeIs(1)) << "a size of 80 keeps Word's size";
        EXPECT_THAT(own.Calls("FAILED"), IsEmpty());
    }
}

TEST_F(WordExport, WithoutKeepFormattingSetsTheCellText)
{
    TestGrid grid(1);
    grid.Add(0, 0, L"12.50-", CellFormatNumber);
    ASSERT_TRUE(Export(grid, false));
    EXPECT_TRUE(Logged("Word Selection.Text = \"-12.50\""));
    EXPECT_THAT(Calls("TypeText"), IsEmpty());
}

TEST_F(WordExport, KeepingTheFormattingTypesNoSpaceAfterTheLastWord)
{
    TestGrid grid(1);
    // A piece of a printed text may end in a space of its own.
    grid.Add(0, 0, L"12").Add(0, 0, L"345 ");
    ASSERT_TRUE(Export(grid, true)) << converter.GetErrorText();
    EXPECT_THAT(Calls("TypeText"), ElementsAre("Word Selection.TypeText(\"12\")", "Word Selection.TypeText(\" \")",
                                               "Word Selection.TypeText(\"345\")"));
}

TEST_F(WordExport, AutoFitSizesTheColumnsToTheirContents)
{
    TestGrid grid(2);
    grid.Add(0, 0, L"4111111111111111").Add(0, 1, L"x").Add(1, 1, L"a much longer text than the number");
    officestubs::EmptyTheClipboard();
    ASSERT_TRUE(Export(grid)) << converter.GetErrorText();
    // 16 digits of about 120 twips and the margins: the number stays on one line.
    EXPECT_THAT(officestubs::ClipboardRtf(), HasSubstr("\\cellx2136\\cellx6432\n"));
}

TEST_F(WordExport, SixtyThreeColumnsAreExportedSixtyFourRefusedBeforeWordStarts)
{
    TestGrid wide(64);
    wide.Add(0, 0, L"x");
    EXPECT_FALSE(Export(wide));
    EXPECT_EQ(converter.GetErrorText(), L"Too many columns: Word doesn't support tables with more then 63 columns");
    EXPECT_TRUE(converter.IsErrorFinal());
    EXPECT_THAT(Calls("create"), IsEmpty());

    TestGrid widest(63);
    widest.Add(0, 62, L"x");
    EXPECT_TRUE(Export(widest)) << converter.GetErrorText();
    EXPECT_TRUE(Logged("Word Tables.Add(Range[0,0], 1, 63)"));
}

TEST_F(WordExport, ReportsProgressPerRowAndStopsOnCancel)
{
    TestGrid grid(1);
    grid.Add(0, 0, L"a").Add(1, 0, L"b").Add(2, 0, L"c").Add(3, 0, L"d");
    ASSERT_TRUE(Export(grid, false, true, 200));
    EXPECT_THAT(progress.positions, ElementsAre(125, 150, 175, 200));

    officestubs::StubSession second;
    progress.positions.clear();
    progress.cancelAtPosition = 2;
    EXPECT_FALSE(Export(grid, false, true, 200));
    EXPECT_EQ(converter.GetErrorText(), L"");
    EXPECT_THAT(progress.positions, ElementsAre(125, 150));
    EXPECT_TRUE(second.Logged("Word Document.Close(false, -, -)"));
    EXPECT_TRUE(second.Logged("Word Application.Quit(false, -, -)"));
    EXPECT_THAT(second.Calls("Copy"), IsEmpty());
    EXPECT_THAT(second.Calls("Cell[3,1]"), IsEmpty());

    // A range too wide for half x rows in 32 bits: the positions still climb to the end.
    officestubs::StubSession third;
    progress.positions.clear();
    progress.cancelAtPosition = 0;
    progress.SetCanceled(false);
    ASSERT_TRUE(Export(grid, false, true, 2000000000));
    EXPECT_THAT(progress.positions, ElementsAre(1250000000, 1500000000, 1750000000, 2000000000));
}

// A failure that is not the framework's still closes the document and quits the hidden Word.
TEST_F(WordExport, AnyFailureClosesTheDocumentAndQuitsWord)
{
    TestGrid grid(1);
    grid.Add(0, 0, L"a").Add(1, 0, L"b");
    progress.throwAtPosition = 1;
    EXPECT_THROW(Export(grid), std::runtime_error);
    EXPECT_TRUE(Closed());
    EXPECT_THAT(Calls("Application.Quit"), SizeIs(2)) << "the probe's and the live Word's";
    EXPECT_THAT(Calls("Copy"), IsEmpty());
}

// Every message of the Word export, each forced through a failing call; Word is always left.
TEST_F(WordExport, FailuresGiveTheirMessagesAndLeaveWord)
{
    struct Case {
        const wchar_t* failingCall;
        const wchar_t* text;
        bool documentClosed;
        bool wordStarted; // a Word that was started, the probe included, is quit
    } cases[] = {
        {L"Word.create#1", L"Failed to load Word application", false, false},
        {L"Word.create#2", L"Failed to load Word application", false, true},
        {L"Word.Application.Version", L"Word exception: Forced failure of Word.Application.Version", false, true},
        {L"Word.Documents.Add", L"Word exception: Forced failure of Word.Documents.Add", false, true},
        {L"Word.Tables.Add", L"Word exception: Forced failure of Word.Tables.Add", true, true},
        {L"Word.Selection.Text", L"Word exception: Forced failure of Word.Selection.Text", true, true},
        {L"Word.Cells.Merge", L"Word exception: Forced failure of Word.Cells.Merge", true, true},
        {L"Word.Selection.Copy", L"Word exception: Forced failure of Word.Selection.Copy", true, true},
        {L"Word.Document.Close", L"Word exception: Forced failure of Word.Document.Close", false, true},
        {L"Word.Application.Quit#2", L"Word exception: Forced failure of Word.Application.Quit", true, true},
    };
    TestGrid grid(2);
    grid.AddBlock(0, 0, 0, 1, L"a");
    for (const Case& c : cases) {
        officestubs::StubSession own;
        own.Fail(c.failingCall);
        const std::string what = officestubs::Utf8(c.failingCall);
        EXPECT_FALSE(Export(grid)) << what;
        EXPECT_EQ(converter.GetErrorText(), c.text) << what;
        EXPECT_FALSE(converter.IsErrorFinal()) << what;
        EXPECT_EQ(own.Logged("Word Document.Close(false, -, -)"), c.documentClosed) << what;
        EXPECT_EQ(!own.Calls("Application.Quit").empty(), c.wordStarted) << what;
    }
}

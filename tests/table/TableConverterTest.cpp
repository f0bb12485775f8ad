#include <gtest/gtest.h>

#include "table/ConversionJob.h"
#include "table/ConversionMessages.h"
#include "table/ConvertingTableLayout.h"
#include "table/ConvertingTableParser.h"
#include "table/GridExporter.h"
#include "table/ProgressInterface.h"
#include "table/TableConverter.h"
#include "tests/table/ClipboardHelpers.h"
#include "tests/table/TableWords.h"

#include <atomic>
#include <functional>
#include <map>
#include <stdexcept>
#include <thread>
#include <string>
#include <vector>

namespace {

class RecordingProgress : public ProgressInterface
{
public:
    enum CancelAt { Never, OnRange, OnSecondPage, OnStep };
    explicit RecordingProgress(CancelAt cancelAt = Never) : m_cancelAt(cancelAt) {}

    void SetRange(int32_t low, int32_t high) override
    {
        calls.push_back(L"range " + std::to_wstring(low) + L" " + std::to_wstring(high));
        if (m_cancelAt == OnRange)
            SetCanceled(true);
    }
    void SetPosAndText(int32_t pos, const std::wstring& text) override
    {
        calls.push_back(L"pos " + std::to_wstring(pos) + L" " + text);
        if (m_cancelAt == OnSecondPage && pos == 100)
            SetCanceled(true);
    }
    void SetStatusText(const std::wstring& text) override { calls.push_back(L"status " + text); }
    void Step(int32_t) override
    {
        if (m_cancelAt == OnStep)
            SetCanceled(true);
    }
    void SetPos(int32_t) override {}
    void ShowPercent(bool, bool) override {}
    void SetTitle(const std::wstring&) override {}
    void AllowCancel(bool) override {}
    void Hide(bool) override {}

    std::vector<std::wstring> calls;

private:
    CancelAt m_cancelAt;
};

// Pages of words by number; records what each parse saw.
class PagesParser : public ConvertingTableParser
{
public:
    std::unique_ptr<ConvertingTableGrid> ParsePage(int page, std::unique_ptr<ConvertingTableGrid> grid,
                                                   bool perPageDetection) override
    {
        parsed.push_back(page);
        parsedWithGivenLayout = parsedWithGivenLayout || GetLayout() == watched;
        auto found = pages.find(page);
        if (found == pages.end())
            return nullptr;
        auto result = ParseWords(found->second.Words(), std::move(grid), perPageDetection);
        if (result)
            rowLinesSeen.push_back(GetLayout()->GetRowLineCount());
        if (watched && *watched != watchedAsGiven)
            givenLayoutChanged = true;
        return result;
    }
    // The layout the user interface shows while the conversion runs.
    void Watch(const ConvertingTableLayout* layout)
    {
        watched = layout;
        watchedAsGiven = *layout;
    }

    std::map<int, TestPage> pages;
    std::vector<int> parsed;
    std::vector<int> rowLinesSeen;
    const ConvertingTableLayout* watched = nullptr;
    ConvertingTableLayout watchedAsGiven;
    bool parsedWithGivenLayout = false;
    bool givenLayoutChanged = false;
};

// Columns 100 wide over (0, 0, 300, 1000) with the given flags and row lines.
ConvertingTableLayout TwoColumns(std::vector<uint8_t> flags = {1, 1}, std::vector<int32_t> rowLines = {500})
{
    ConvertingTableLayout layout;
    layout.SetTableRect(RECT{0, 0, 300, 1000});
    for (size_t c = 0; c < flags.size(); ++c)
        layout.AppendColumn(ConvertingTableColumn{c + 1 == flags.size() ? -1 : static_cast<int32_t>(c + 1) * 100,
                                                  flags[c], CellFormatAutomatic});
    for (int32_t y : rowLines)
        layout.InsertRowLine(layout.GetRowLineCount(), y);
    return layout;
}

// One line of words at the given top, one word per column, with the texts given.
void AddLine(TestPage& page, LONG top, const std::vector<std::wstring>& texts)
{
    for (size_t c = 0; c < texts.size(); ++c)
        page.Add(static_cast<LONG>(c) * 100 + 10, top, static_cast<LONG>(c) * 100 + 60, top + 20, texts[c]);
}

void AddTwoPages(PagesParser& parser)
{
    AddLine(parser.pages[1], 10, {L"a", L"b"});
    AddLine(parser.pages[1], 60, {L"c", L"d"});
    AddLine(parser.pages[2], 10, {L"e", L"f"});
    AddLine(parser.pages[2], 60, {L"g", L"h"});
    AddLine(parser.pages[2], 110, {L"i", L"j"});
}

class TableConverterTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(PresetClipboardText(L"before")); }
};

} // namespace

TEST_F(TableConverterTest, PagesGoToTheClipboardAsOneTable)
{
    TableConverter converter;
    converter.GetLayout() = TwoColumns({1, 1}, {50, 100});
    PagesParser parser;
    AddTwoPages(parser);
    RecordingProgress progress;
    converter.SetProgress(&progress);

    ASSERT_TRUE(converter.Convert(parser, {{1, 3}}, TargetClipboardText, L"", false));
    EXPECT_EQ(ReadClipboardText(), L"a\tb\t\r\nc\td\t\r\ne\tf\t\r\ng\th\t\r\ni\tj\t\r\n");
    EXPECT_EQ(progress.calls, (std::vector<std::wstring>{L"range 0 200", L"pos 0 Parsing page 1 (1 out of 2)",
                                                         L"pos 100 Parsing page 2 (2 out of 2)",
                                                         L"status Preparing data for copy"}));
    EXPECT_EQ(converter.GetErrorText(), L"");
    EXPECT_EQ(parser.GetLayout(), nullptr);  // handed back as it came
    EXPECT_EQ(parser.GetProgress(), nullptr);
}

// Per-page row detection rewrites the row lines for every page; the layout on show must not
// change while the worker parses, nor after.
TEST_F(TableConverterTest, PerPageDetectionParsesACopyOfTheLayout)
{
    TableConverter converter;
    ConvertingTableLayout shown = TwoColumns();
    const ConvertingTableLayout original = shown;
    PagesParser parser;
    AddTwoPages(parser);
    parser.SetLayout(&shown);
    parser.Watch(&shown);

    ASSERT_TRUE(converter.Convert(parser, {{1, 3}}, TargetClipboardText, L"", true));
    EXPECT_EQ(ReadClipboardText(), L"a\tb\t\r\nc\td\t\r\ne\tf\t\r\ng\th\t\r\ni\tj\t\r\n");
    EXPECT_EQ(parser.rowLinesSeen, (std::vector<int>{1, 2}));
    EXPECT_FALSE(parser.parsedWithGivenLayout);
    EXPECT_FALSE(parser.givenLayoutChanged);
    EXPECT_TRUE(shown == original);
    EXPECT_EQ(parser.GetLayout(), &shown);
}

TEST_F(TableConverterTest, FailuresSayWhyAndLeaveTheClipboard)
{
    struct Case
    {
        const char* what;
        ConvertingTableLayout layout;
        PageRangeList pages;
        ConversionTarget target;
        int pagesThere;  // pages 1..pagesThere have words
        std::wstring error;
        bool final;
        size_t parsed;
    } cases[] = {
        {"empty layout", ConvertingTableLayout(), {{1, 2}}, TargetClipboardText, 1,
         L"Cannot convert with an empty layout", true, 0},
        {"Word and 21 pages", TwoColumns(), {{1, 22}}, TargetClipboardWord, 21,
         L"Too many pages: Word doesn't support tables with data from more then 20 pages.", true, 0},
        {"Word and 20 pages, no Word export here", TwoColumns(), {{1, 11}, {11, 21}}, TargetClipboardWord, 20,
         L"This conversion target is not available", false, 20},
        {"a page that cannot be read", TwoColumns(), {{1, 4}}, TargetClipboardText, 2, L"Page 3 could not be read",
         false, 3},
        {"a range that runs backwards", TwoColumns(), {{1, 2}, {4, 3}}, TargetClipboardText, 5,
         L"The page range is not valid", false, 0},
        {"no words in the table", TwoColumns(), {{7, 8}}, TargetClipboardText, 0, L"No data available for conversion",
         true, 1},
        {"Excel file, no Excel export here", TwoColumns(), {{1, 2}}, TargetExcelFile, 1,
         L"This conversion target is not available", false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TableConverter converter;
        converter.GetLayout() = c.layout;
        PagesParser parser;
        for (int page = 1; page <= c.pagesThere; ++page)
            AddLine(parser.pages[page], 10, {L"x", L"y"});
        parser.pages[7];  // a page without words

        EXPECT_FALSE(converter.Convert(parser, c.pages, c.target, L"out.xls", false));
        EXPECT_EQ(converter.GetErrorText(), c.error);
        EXPECT_EQ(converter.IsErrorFinal(), c.final);
        EXPECT_EQ(parser.parsed.size(), c.parsed);
        EXPECT_EQ(ReadClipboardText(), L"before");
    }
}

TEST_F(TableConverterTest, CancelEndsWithoutAMessage)
{
    for (auto cancelAt : {RecordingProgress::OnRange, RecordingProgress::OnSecondPage, RecordingProgress::OnStep}) {
        SCOPED_TRACE(cancelAt);
        TableConverter converter;
        converter.GetLayout() = TwoColumns();
        const ConvertingTableLayout original = converter.GetLayout();
        PagesParser parser;
        for (int line = 0; line < 6; ++line)
            AddLine(parser.pages[1], 10 + line * 50, {L"x", L"y"});  // 12 words: a progress step at the tenth
        AddTwoPages(parser);
        RecordingProgress progress(cancelAt);
        converter.SetProgress(&progress);

        EXPECT_FALSE(converter.Convert(parser, {{1, 3}}, TargetClipboardText, L"", true));
        EXPECT_EQ(converter.GetErrorText(), L"");
        EXPECT_TRUE(converter.GetLayout() == original);
        EXPECT_EQ(ReadClipboardText(), L"before");
        EXPECT_EQ(parser.parsed.size(), cancelAt == RecordingProgress::OnRange ? 0u : 1u);
    }
}

TEST_F(TableConverterTest, RegisteredExporterTakesTheGrid)
{
    struct FakeExporter : GridExporter
    {
        bool Export(TableConverter& converter, const ConvertingTableGrid& grid, ConversionTarget target,
                    const std::wstring& outputFileName, int32_t progressRange) override
        {
            rows = grid.GetRowCount();
            this->target = target;
            fileName = outputFileName;
            range = progressRange;
            converter.SetError(L"Excel exception: busy", true);
            return false;
        }
        int rows = 0;
        ConversionTarget target = TargetClipboardText;
        std::wstring fileName;
        int32_t range = 0;
    } excel;

    TableConverter converter;
    converter.GetLayout() = TwoColumns({1, 1}, {50, 100});
    converter.SetExporter(TargetExcelFile, &excel);
    PagesParser parser;
    AddTwoPages(parser);
    RecordingProgress progress;
    converter.SetProgress(&progress);

    EXPECT_FALSE(converter.Convert(parser, {{1, 3}}, TargetExcelFile, L"C:\\out.xls", false));
    EXPECT_EQ(excel.rows, 5);
    EXPECT_EQ(excel.target, TargetExcelFile);
    EXPECT_EQ(excel.fileName, L"C:\\out.xls");
    EXPECT_EQ(excel.range, 400);  // 200 units a page for every target but clipboard text
    EXPECT_EQ(progress.calls.front(), L"range 0 400");
    EXPECT_EQ(ConversionErrorMessage(converter.GetErrorText(), converter.IsErrorFinal()), L"Excel exception: busy");

    // The clipboard text target needs no exporter.
    EXPECT_TRUE(converter.Convert(parser, {{1, 2}}, TargetClipboardText, L"", false));
    EXPECT_EQ(ReadClipboardText(), L"a\tb\t\r\nc\td\t\r\n");
}

namespace {

class PagesJob : public ConversionJob
{
public:
    explicit PagesJob(std::function<void(PagesParser&)> fill) : m_fill(std::move(fill)) {}

protected:
    std::unique_ptr<ConvertingTableParser> CreateParser() override
    {
        auto parser = std::make_unique<PagesParser>();
        m_fill(*parser);
        return parser;
    }

private:
    std::function<void(PagesParser&)> m_fill;
};

class ThrowingParser : public ConvertingTableParser
{
public:
    explicit ThrowingParser(bool standard) : m_standard(standard) {}
    std::unique_ptr<ConvertingTableGrid> ParsePage(int, std::unique_ptr<ConvertingTableGrid>, bool) override
    {
        if (m_standard)
            throw std::out_of_range("invalid vector<T> subscript");
        throw 42;
    }

private:
    bool m_standard;
};

class ThrowingJob : public ConversionJob
{
public:
    explicit ThrowingJob(bool standard) : m_standard(standard) {}

protected:
    std::unique_ptr<ConvertingTableParser> CreateParser() override
    {
        return std::make_unique<ThrowingParser>(m_standard);
    }

private:
    bool m_standard;
};

} // namespace

TEST_F(TableConverterTest, JobConvertsALayoutWithASkippedColumn)
{
    TableConverter converter;
    ConvertingTableLayout layout = TwoColumns({1, 0, 1});
    PagesJob job([](PagesParser& parser) { AddLine(parser.pages[1], 10, {L"a", L"b", L"c"}); });
    job.SetLayout(&layout);
    job.SetPages({{1, 2}});
    RecordingProgress progress;

    EXPECT_EQ(job.Run(&converter, &progress), 0);
    EXPECT_TRUE(job.Succeeded()) << converter.GetErrorText();
    EXPECT_EQ(ReadClipboardText(), L"a\tc\t\r\n");
    EXPECT_EQ(converter.GetProgress(), nullptr);
    EXPECT_EQ(progress.calls.front(), L"range 0 100");
}

// Nothing may unwind out of the worker's job: it ends as a failed conversion with a detail.
TEST_F(TableConverterTest, ExceptionInTheJobBecomesAFailedConversion)
{
    struct Case
    {
        bool standard;
        std::wstring error;
    } cases[] = {
        {true, L"Unexpected error: invalid vector<T> subscript"},
        {false, L"Unexpected error: unknown exception"},
    };
    for (const Case& c : cases) {
        TableConverter converter;
        converter.GetLayout() = TwoColumns();
        ThrowingJob job(c.standard);
        job.SetPages({{1, 2}});
        RecordingProgress progress;
        int32_t result = -1;
        EXPECT_NO_THROW(result = job.Run(&converter, &progress));
        EXPECT_EQ(result, 0);
        EXPECT_FALSE(job.Succeeded());
        EXPECT_EQ(converter.GetErrorText(), c.error);
        EXPECT_FALSE(converter.IsErrorFinal());
        EXPECT_EQ(converter.GetProgress(), nullptr);
        EXPECT_EQ(ReadClipboardText(), L"before");
    }
}

namespace {

// Waits until the condition holds, at most ten seconds, so that a broken handshake fails the
// test instead of hanging it.
bool WaitFor(const std::function<bool()>& condition)
{
    for (int waited = 0; waited < 10000; ++waited) {
        if (condition())
            return true;
        Sleep(1);
    }
    return condition();
}

} // namespace

// The user-interface thread cancels while the worker converts: the worker sees the flag at its
// next checkpoint, and the user-interface thread sees the job finish.
TEST_F(TableConverterTest, CancelFromAnotherThreadReachesTheWorker)
{
    class HandshakeProgress : public RecordingProgress
    {
    public:
        void SetPosAndText(int32_t pos, const std::wstring& text) override
        {
            RecordingProgress::SetPosAndText(pos, text);
            if (pos == 100) {
                reachedSecondPage = true;
                WaitFor([this] { return IsCanceled(); });
            }
        }
        std::atomic<bool> reachedSecondPage{false};
    } progress;

    TableConverter converter;
    converter.GetLayout() = TwoColumns();
    PagesJob job([](PagesParser& parser) { AddTwoPages(parser); });
    job.SetPages({{1, 3}});
    std::thread worker([&] {
        job.Run(&converter, &progress);
        progress.JobFinished();
    });
    EXPECT_TRUE(WaitFor([&] { return progress.reachedSecondPage.load(); }));
    progress.SetCanceled(true);
    EXPECT_TRUE(WaitFor([&] { return progress.IsFinished(); }));
    worker.join();

    EXPECT_FALSE(job.Succeeded());
    EXPECT_EQ(converter.GetErrorText(), L"");
    EXPECT_EQ(ReadClipboardText(), L"before");
}

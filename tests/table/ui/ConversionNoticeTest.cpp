// What a conversion had to change is told once, after it: the cells cut to what a spreadsheet
// cell holds, named as the spreadsheet names them; nothing without a user to read it.
#include "tests/table/LayoutPictures.h"
#include "tests/table/ui/LayoutTestSupport.h"

#include "hosts/officestubs/StubClient.h"
#include "table/ConversionJob.h"
#include "table/ConvertingTableParser.h"
#include "table/ui/ExcelExporter.h"

#include <gtest/gtest.h>

namespace
{

// One page with a word in each cell of a one-row layout of two cells.
class WordsJob : public ConversionJob
{
public:
    WordsJob(std::wstring first, std::wstring second) : m_first(std::move(first)), m_second(std::move(second))
    {
        SetTarget(TargetExcelSheet);
        SetPages({{1, 2}});
    }

protected:
    class Parser : public ConvertingTableParser
    {
    public:
        Parser(const std::wstring& first, const std::wstring& second)
            : m_words{ConvertingWord(RECT{10, 10, 60, 30}, first), ConvertingWord(RECT{110, 10, 160, 30}, second)}
        {
        }
        std::unique_ptr<ConvertingTableGrid> ParsePage(int, std::unique_ptr<ConvertingTableGrid> grid,
                                                       bool perPageDetection) override
        {
            return ParseWords({&m_words[0], &m_words[1]}, std::move(grid), perPageDetection);
        }

    private:
        ConvertingWord m_words[2];
    };
    std::unique_ptr<ConvertingTableParser> CreateParser() override
    {
        return std::make_unique<Parser>(m_first, m_second);
    }

private:
    std::wstring m_first, m_second;
};

struct ConversionNotice : ::testing::Test
{
    static void SetUpTestSuite() { ASSERT_EQ(officestubs::RegisterOfficeStubs(), S_OK); }
    void SetUp() override
    {
        view.GetLayout() = LayoutFromPicture({"ab"});
        shell.m_options.m_excelInstalled = true;
        view.SetExporter(TargetExcelSheet, &excel);
    }
    void TearDown() override { view.SetExporter(TargetExcelSheet, nullptr); }

    officestubs::StubSession session;
    TestShell shell;
    WordLayoutView view;
    ExcelExporter excel{ExcelExportOptions{}};
};

} // namespace

TEST_F(ConversionNotice, CutCellsAreToldOnceAfterTheConversion)
{
    WordsJob job(L"short", std::wstring(40000, L'x'));
    ASSERT_TRUE(view.StartConversion(job));
    ASSERT_TRUE(job.Succeeded()) << view.GetErrorText();
    EXPECT_EQ(shell.m_messages,
              std::vector<std::wstring>{L"1 cell held more than 32,767 characters, the most a spreadsheet cell holds: "
                                        L"only its first 32,767 characters were written (B4)."});

    // The next conversion that cuts nothing says nothing.
    shell.m_messages.clear();
    WordsJob fitting(L"short", std::wstring(32767, L'x'));
    ASSERT_TRUE(view.StartConversion(fitting));
    ASSERT_TRUE(fitting.Succeeded()) << view.GetErrorText();
    EXPECT_TRUE(shell.m_messages.empty());
}

TEST_F(ConversionNotice, WithoutAUserNothingIsShown)
{
    shell.m_noUI = true;
    WordsJob job(std::wstring(40000, L'x'), std::wstring(40000, L'y'));
    ASSERT_TRUE(view.StartConversion(job));
    ASSERT_TRUE(job.Succeeded()) << view.GetErrorText();
    EXPECT_TRUE(shell.m_messages.empty());
    EXPECT_EQ(view.GetNotice().rfind(L"2 cells held more", 0), 0u);
}

// Printed pages through the whole conversion: work file, page words, parser, clipboard text.
#include <gtest/gtest.h>

#include "pagemodel/CDCPage.h"
#include "pagemodel/CDCWorkFile.h"
#include "pagemodel/PageWordList.h"
#include "table/CDCTableParser.h"
#include "table/ConversionJob.h"
#include "table/ConvertingTableLayout.h"
#include "table/ProgressInterface.h"
#include "table/TableConverter.h"
#include "tests/support/MemoryDC.h"
#include "tests/support/WorkFileBuilder.h"
#include "tests/table/ClipboardHelpers.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

constexpr LONG CharWidth = 10;

// One printed line: each text run starts at its x; 20 units high.
void PrintLine(CDCPage& page, LONG top, const std::vector<std::pair<LONG, std::wstring>>& runs)
{
    for (const auto& run : runs)
        AddEvenText(page, run.first, top, top + 20, run.second, CharWidth);
}

// A price list over two pages; the table's columns: name (Text), quantity, price (Number).
std::wstring WritePriceList()
{
    WorkFileBuilder builder;
    CDCPage& first = builder.AddPage();
    AddFontItem(first, L"Arial", 10);
    PrintLine(first, 20, {{100, L"Price list"}});  // above the table
    PrintLine(first, 100, {{100, L"Apple"}, {400, L"3"}, {600, L"1,50"}});
    PrintLine(first, 140, {{100, L"Pear"}, {400, L"12"}, {600, L"0,80-"}});
    CDCPage& second = builder.AddPage();
    AddFontItem(second, L"Arial", 10);
    PrintLine(second, 100, {{100, L"Plum"}, {400, L"7"}, {600, L"2,00"}});
    PrintLine(second, 140, {{100, L"Kiwi"}, {600, L"0,30"}});
    PrintLine(second, 180, {{100, L"Fig tree"}, {600, L"9,99"}});

    wchar_t folder[MAX_PATH], path[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    GetTempFileNameW(folder, L"KTC", 0, path);
    return builder.Write(path) ? path : L"";
}

ConvertingTableLayout PriceColumns()
{
    ConvertingTableLayout layout;
    layout.SetTableRect(RECT{50, 80, 800, 230});
    layout.AppendColumn({300, 1, CellFormatText});
    layout.AppendColumn({500, 1, CellFormatAutomatic});
    layout.AppendColumn({-1, 1, CellFormatNumber});
    layout.InsertRowLine(0, 130);
    return layout;
}

class CDCConversionJob : public ConversionJob
{
public:
    CDCConversionJob(CDCWorkFile* workFile, HDC dc) : m_workFile(workFile), m_dc(dc) {}

protected:
    std::unique_ptr<ConvertingTableParser> CreateParser() override
    {
        return std::make_unique<CDCTableParser>(m_workFile, m_dc);
    }

private:
    CDCWorkFile* m_workFile;
    HDC m_dc;
};

class WorkFileConversionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_path = WritePriceList();
        ASSERT_FALSE(m_path.empty());
        ASSERT_TRUE(m_workFile.Open(m_path.c_str()));
        ASSERT_NE(static_cast<HDC>(m_dc), nullptr);
        ASSERT_TRUE(PresetClipboardText(L"before"));
    }
    void TearDown() override
    {
        m_workFile.Close();
        DeleteFileW(m_path.c_str());
    }

    std::wstring m_path;
    CDCWorkFile m_workFile;
    MemoryDC m_dc;
};

} // namespace

TEST_F(WorkFileConversionTest, AllPagesWithRowsDetectedPerPage)
{
    TableConverter converter;
    converter.GetLayout() = PriceColumns();
    const ConvertingTableLayout shown = converter.GetLayout();
    CDCConversionJob job(&m_workFile, m_dc);
    job.SetLayout(&converter.GetLayout());
    job.SetPages({{1, 3}});
    job.SetPerPageDetection(true);

    job.Run(&converter, nullptr);
    ASSERT_TRUE(job.Succeeded()) << converter.GetErrorText();
    EXPECT_EQ(ReadClipboardText(),
              L"Apple\t3\t1,50\t\r\n"
              L"Pear\t12\t-0,80\t\r\n"
              L"Plum\t7\t2,00\t\r\n"
              L"Kiwi\t\t0,30\t\r\n"
              L"Fig tree\t\t9,99\t\r\n");
    EXPECT_TRUE(converter.GetLayout() == shown);
}

TEST_F(WorkFileConversionTest, TheLayoutsOwnRowsWithoutDetection)
{
    TableConverter converter;
    converter.GetLayout() = PriceColumns();
    CDCTableParser parser(&m_workFile, m_dc);

    // The second page's three lines fall into two rows: the row line stays at 130.
    ASSERT_TRUE(converter.Convert(parser, {{2, 3}}, TargetClipboardText, L"", false)) << converter.GetErrorText();
    EXPECT_EQ(ReadClipboardText(), L"Plum\t7\t2,00\t\r\nKiwi Fig tree\t\t0,30 9,99\t\r\n");
}

TEST_F(WorkFileConversionTest, PageBeyondTheFileNamesItsNumber)
{
    TableConverter converter;
    converter.GetLayout() = PriceColumns();
    CDCTableParser parser(&m_workFile, m_dc);

    EXPECT_FALSE(converter.Convert(parser, {{1, 4}}, TargetClipboardText, L"", true));
    EXPECT_EQ(converter.GetErrorText(), L"Page 3 could not be read");
    EXPECT_FALSE(converter.IsErrorFinal());
    EXPECT_EQ(ReadClipboardText(), L"before");
}

namespace {

// Counts, as each page starts, the pages of the work file that hold their items.
class LoadedPagesProgress : public ProgressInterface
{
public:
    explicit LoadedPagesProgress(CDCWorkFile& workFile) : m_workFile(workFile) {}
    void SetRange(int32_t, int32_t) override {}
    void SetPos(int32_t) override {}
    void ShowPercent(bool, bool) override {}
    void SetStatusText(const std::wstring&) override {}
    void SetPosAndText(int32_t, const std::wstring&) override { loadedAtEachPage.push_back(Loaded()); }
    void SetTitle(const std::wstring&) override {}
    void AllowCancel(bool) override {}
    void Step(int32_t) override {}
    void Hide(bool) override {}

    std::vector<uint32_t> Loaded() const
    {
        std::vector<uint32_t> pages;
        for (uint32_t n = 1; n <= m_workFile.GetPageCount(); ++n)
        {
            if (m_workFile.GetPageSet().GetPage(n)->IsLoaded())
                pages.push_back(n);
        }
        return pages;
    }

    std::vector<std::vector<uint32_t>> loadedAtEachPage;

private:
    CDCWorkFile& m_workFile;
};

} // namespace

// A conversion holds one page at a time: what it loaded goes when the page is done; the page
// on show, loaded before, stays.
TEST_F(WorkFileConversionTest, EachPageIsReleasedWhenItIsDone)
{
    using Pages = std::vector<uint32_t>;
    PageWordList shown;
    ASSERT_TRUE(m_workFile.GetPageWords(2, m_dc, shown));
    LoadedPagesProgress progress(m_workFile);
    TableConverter converter;
    converter.SetProgress(&progress);
    converter.GetLayout() = PriceColumns();
    CDCTableParser parser(&m_workFile, m_dc);

    ASSERT_TRUE(converter.Convert(parser, {{1, 3}, {1, 2}}, TargetClipboardText, L"", true))
        << converter.GetErrorText();
    EXPECT_EQ(progress.loadedAtEachPage, (std::vector<Pages>{{2}, {2}, {2}}));
    EXPECT_EQ(progress.Loaded(), Pages{2});
    EXPECT_EQ(ReadClipboardText().rfind(L"Apple\t3\t1,50\t\r\n", 0), 0u) << "the pages were converted";
}

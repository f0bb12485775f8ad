#include "WorkFileTestSupport.h"
#include "pagemodel/CDCPageImage.h"
#include "pagemodel/CDCWorkFile.h"
#include "pagemodel/PageWordList.h"
#include "pagemodel/RtlText.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

const std::wstring kSamples = std::wstring(L"" KEST_SOURCE_DIR) + L"/samples/";

// The texts of the words that share a line with the first word whose text is given.
std::vector<std::wstring> LineOf(const PageWordList& words, const std::wstring& first)
{
    std::vector<std::wstring> line;
    const ConvertingWord* start = nullptr;
    for (int i = 0; i < words.GetCount(); ++i) {
        const ConvertingWord* w = words.GetAt(i);
        if (!start && w->m_text == first)
            start = w;
        if (start && w->m_rect.top == start->m_rect.top)
            line.push_back(w->m_text);
    }
    return line;
}

TEST(SampleFilesTest, TableSampleHoldsOnePageWithItsTableAndLayout)
{
    CDCWorkFile file;
    ASSERT_TRUE(file.Open((kSamples + L"table.kest").c_str()));
    ASSERT_EQ(1u, file.GetPageCount());
    EXPECT_EQ(144u, file.GetResolution());
    CDCPageImage image;
    ASSERT_TRUE(file.LoadPageImage(1, image));
    EXPECT_EQ(1224, image.GetWidth());
    EXPECT_EQ(1584, image.GetHeight());
    EXPECT_EQ(24, image.GetBitCount());

    MemoryDC dc;
    PageWordList words;
    ASSERT_TRUE(file.GetPageWords(1, dc, words));
    EXPECT_EQ((std::vector<std::wstring>{L"Toner", L"cartridge", L"black", L"2024-03-04", L"2", L"61.50", L"123.00"}),
              LineOf(words, L"Toner"));
    EXPECT_EQ((std::vector<std::wstring>{L"Total", L"258.65"}), LineOf(words, L"Total"));
    ASSERT_TRUE(file.HasLayout());
    const std::vector<Entry> entries = ReadEntries(kSamples + L"table.kest");
    ASSERT_NE(nullptr, Find(entries, "Page.Layout"));
    EXPECT_EQ(0x4DF699DEu, GetU32(Find(entries, "Page.Layout")->bytes, 0));
}

TEST(SampleFilesTest, ReportSampleHoldsThreePagesTwoSizesAndARightToLeftLine)
{
    CDCWorkFile file;
    ASSERT_TRUE(file.Open((kSamples + L"report.kest").c_str()));
    ASSERT_EQ(3u, file.GetPageCount());
    MemoryDC dc;
    std::set<int32_t> sizes;
    int rightToLeftWords = 0;
    for (uint32_t n = 1; n <= 3; ++n) {
        SCOPED_TRACE(n);
        CDCPageImage image;
        ASSERT_TRUE(file.LoadPageImage(n, image));
        EXPECT_EQ(1, image.GetBitCount());
        PageWordList words;
        ASSERT_TRUE(file.GetPageWords(n, dc, words));
        EXPECT_EQ((std::vector<std::wstring>{L"Page", std::to_wstring(n), L"of", L"3"}), LineOf(words, L"Page"));
        for (int i = 0; i < words.GetCount(); ++i) {
            sizes.insert(words.GetAt(i)->m_fontSize);
            rightToLeftWords += HasRtlText(words.GetAt(i)->m_text) ? 1 : 0;
        }
    }
    EXPECT_EQ((std::set<int32_t>{1000, 1600}), sizes);
    EXPECT_EQ(2, rightToLeftWords);
    EXPECT_TRUE(file.HasLayout());
}

} // namespace

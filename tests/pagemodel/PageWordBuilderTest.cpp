#include "tests/support/WorkFileBuilder.h"
#include "WorkFileTestSupport.h"
#include "pagemodel/CDCFont.h"
#include "pagemodel/CDCPage.h"
#include "pagemodel/PageWordBuilder.h"
#include "pagemodel/PageWordList.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

namespace
{

class PageWordBuilderTest : public ::testing::Test
{
protected:
    MemoryDC m_dc;
    uint32_t m_resolution = 144;

    // The words as a work file gives them: built, then in reading order.
    void Build(const CDCPage& page, PageWordList& words)
    {
        words.Clear();
        BuildPageWords(page, m_resolution, m_dc, words);
        words.ArrangeInReadingOrder();
    }
    std::vector<std::wstring> Words(const CDCPage& page)
    {
        PageWordList words;
        Build(page, words);
        return WordTexts(words);
    }
};

TEST_F(PageWordBuilderTest, PositionedTextSplitsAtSpacesAndWideGaps)
{
    CDCPage page;
    AddFontItem(page, L"Arial", 10);
    // a b space space c d: two words.
    AddPositionedText(page, {100, 10, 200, 30}, L"ab  cd", {0, 8, 16, 24, 32, 40}, {8, 8, 8, 8, 8, 8}, 0x0000FF);
    // a b c d whose c stands far behind b: two words.
    AddPositionedText(page, {100, 50, 400, 70}, L"abcd", {0, 8, 200, 208}, {8, 8, 8, 8});

    PageWordList words;
    Build(page, words);
    ASSERT_EQ((std::vector<std::wstring>{L"ab", L"cd", L"ab", L"cd"}), WordTexts(words));
    struct Expected
    {
        LONG left, top, right, bottom;
    };
    const Expected boxes[] = {{100, 10, 116, 30}, {132, 10, 148, 30}, {100, 50, 116, 70}, {300, 50, 316, 70}};
    for (int i = 0; i < 4; ++i)
    {
        SCOPED_TRACE(i);
        const ConvertingWord& w = *words.GetAt(i);
        EXPECT_EQ(boxes[i].left, w.m_rect.left);
        EXPECT_EQ(boxes[i].top, w.m_rect.top);
        EXPECT_EQ(boxes[i].right, w.m_rect.right);
        EXPECT_EQ(boxes[i].bottom, w.m_rect.bottom);
        EXPECT_EQ(1000, w.m_fontSize) << "the stored points times 100";
        EXPECT_EQ(i + 1, w.m_sequence);
    }
    EXPECT_EQ(0x0000FF, words.GetAt(0)->m_colour);
}

// The gap that splits a positioned word is one space of the run's font at the page's
// resolution, as GDI measures it.
TEST_F(PageWordBuilderTest, GapThatSplitsAWordIsOneSpaceOfTheFont)
{
    const uint32_t resolution = 300;
    m_resolution = resolution;
    LOGFONTW logFont = {};
    logFont.lfHeight = -MulDiv(12, resolution, 72);
    wcscpy(logFont.lfFaceName, L"Arial");
    HFONT font = CreateFontIndirectW(&logFont);
    HGDIOBJ old = SelectObject(m_dc, font);
    SIZE space = {};
    ASSERT_TRUE(GetTextExtentPoint32W(m_dc, L" ", 1, &space));
    SelectObject(m_dc, old);
    DeleteObject(font);
    ASSERT_GT(space.cx, 1);

    CDCPage page;
    AddFontItem(page, L"Arial", 12);
    const int s = space.cx;
    // b ends at 20; c at 20 + s still joins, c at 20 + s + 1 starts a new word.
    AddPositionedText(page, {0, 0, 500, 50}, L"abc", {0, 10, 20 + s}, {10, 10, 10});
    AddPositionedText(page, {0, 100, 500, 150}, L"abc", {0, 10, 20 + s + 1}, {10, 10, 10});
    EXPECT_EQ((std::vector<std::wstring>{L"abc", L"ab", L"c"}), Words(page));
}

TEST_F(PageWordBuilderTest, UnpositionedTextIsCutIntoMeasuredTokens)
{
    const uint32_t resolution = 144;
    m_resolution = resolution;
    CDCPage page;
    AddFontItem(page, L"Arial", 10);
    AddUnpositionedText(page, {50, 10, 400, 30}, L"  Net\t1234\r\n");
    AddUnpositionedText(page, {50, 100, 70, 120}, L"  alone ");
    AddUnpositionedText(page, {50, 200, 70, 220}, L" \t ");

    LOGFONTW logFont = {};
    logFont.lfHeight = -MulDiv(10, resolution, 72);
    wcscpy(logFont.lfFaceName, L"Arial");
    HFONT font = CreateFontIndirectW(&logFont);
    HGDIOBJ old = SelectObject(m_dc, font);
    SIZE net = {}, number = {}, space = {};
    GetTextExtentPoint32W(m_dc, L"Net", 3, &net);
    GetTextExtentPoint32W(m_dc, L"1234", 4, &number);
    GetTextExtentPoint32W(m_dc, L" ", 1, &space);
    SelectObject(m_dc, old);
    DeleteObject(font);

    PageWordList words;
    Build(page, words);
    ASSERT_EQ((std::vector<std::wstring>{L"Net", L"1234", L"alone"}), WordTexts(words));
    EXPECT_EQ(50, words.GetAt(0)->m_rect.left);
    EXPECT_EQ(50 + net.cx, words.GetAt(0)->m_rect.right);
    EXPECT_EQ(50 + net.cx + space.cx, words.GetAt(1)->m_rect.left);
    EXPECT_EQ(50 + net.cx + space.cx + number.cx, words.GetAt(1)->m_rect.right);
    // A single token keeps the run's rectangle.
    EXPECT_EQ(50, words.GetAt(2)->m_rect.left);
    EXPECT_EQ(70, words.GetAt(2)->m_rect.right);
}

TEST_F(PageWordBuilderTest, RunWithAnEmptyRectangleGivesNoWordsButTheRestOfThePageDoes)
{
    CDCPage page;
    AddFontItem(page, L"Arial", 10);
    AddEvenText(page, 10, 10, 30, L"before", 10);
    AddPositionedText(page, {50, 50, 50, 70}, L"flat", {0, 1, 2, 3}, {1, 1, 1, 1});
    AddPositionedText(page, {50, 90, 60, 80}, L"upside", {0, 1, 2, 3, 4, 5}, {1, 1, 1, 1, 1, 1});
    AddPositionedText(page, {50, 100, 60, 120}, L"", {}, {});
    AddEvenText(page, 10, 200, 220, L"after", 10);
    EXPECT_EQ((std::vector<std::wstring>{L"before", L"after"}), Words(page));
}

// Every font created for measuring is deleted: a page of many runs, read again and again,
// must not use up the process's GDI handles.
TEST_F(PageWordBuilderTest, MeasuringLeavesNoFontBehind)
{
    CDCPage page;
    AddFontItem(page, L"Arial", 10);
    for (int i = 0; i < 1000; ++i)
    {
        const std::wstring number = std::to_wstring(i);
        AddUnpositionedText(page, {10 * (i % 50), 20 * (i / 50), 10 * (i % 50) + 8, 20 * (i / 50) + 15},
                            number + L" " + number, uint32_t(i));
    }
    const HGDIOBJ fontBefore = GetCurrentObject(m_dc, OBJ_FONT);
    PageWordList words;
    for (int round = 0; round < 80; ++round)
        Build(page, words);
    EXPECT_EQ(2000, words.GetCount());
    EXPECT_EQ(fontBefore, GetCurrentObject(m_dc, OBJ_FONT)) << "the device context gets its font back";
    LOGFONTW logFont = {};
    logFont.lfHeight = -12;
    HFONT probe = CreateFontIndirectW(&logFont);
    EXPECT_NE(nullptr, probe) << "GDI handles ran out";
    DeleteObject(probe);
}

TEST_F(PageWordBuilderTest, FaceNameFillingAllCharactersIsTerminated)
{
    CDCPage page;
    LOGFONTW logFont = {};
    logFont.lfHeight = 10;
    for (wchar_t& c : logFont.lfFaceName)
        c = L'W';
    page.AddItem(CDCFont(logFont));
    AddUnpositionedText(page, {0, 0, 100, 20}, L"one two");
    EXPECT_EQ((std::vector<std::wstring>{L"one", L"two"}), Words(page));
}

} // namespace

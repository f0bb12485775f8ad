#include <gtest/gtest.h>

#include "table/CDCTableParser.h"
#include "table/ConvertingTableLayout.h"
#include "tests/table/TableWords.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::wstring TextsOf(const WordList& words)
{
    std::wstring texts;
    for (const ConvertingWord* word : words)
        texts += word->m_text;
    return texts;
}

} // namespace

TEST(CDCTableParser, SortsByLineThenByLeftEdge)
{
    struct Case
    {
        const char* what;
        std::vector<std::pair<RECT, std::wstring>> words;
        std::wstring order;
    } cases[] = {
        {"one line, right to left", {{{200, 0, 250, 20}, L"c"}, {{100, 2, 150, 22}, L"b"}, {{0, 0, 50, 20}, L"a"}},
         L"abc"},
        {"two lines, lower first", {{{0, 100, 50, 120}, L"c"}, {{100, 0, 150, 20}, L"b"}, {{0, 0, 50, 20}, L"a"}},
         L"abc"},
        {"equal lefts on one line keep their order", {{{0, 0, 50, 20}, L"x"}, {{0, 5, 50, 25}, L"y"}}, L"xy"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestPage page;
        for (const auto& word : c.words)
            page.Add(word.first.left, word.first.top, word.first.right, word.first.bottom, word.second);
        WordList words = page.Words();
        SortWordsForParsing(words);
        EXPECT_EQ(TextsOf(words), c.order);
    }
}

// "On one line" is not transitive: a before b (one line, left), b before c (one line, left),
// c before a (different lines, higher). Every input order must come out as a permutation of the
// same words, and many such boxes must not upset the sort.
TEST(CDCTableParser, SortStaysDefinedForCyclicOrders)
{
    TestPage page;
    page.Add(0, 20, 50, 40, L"a").Add(100, 0, 150, 50, L"b").Add(200, 0, 250, 10, L"c");
    WordList words = page.Words();
    std::sort(words.begin(), words.end());
    do {
        WordList sorted = words;
        SortWordsForParsing(sorted);
        std::wstring texts = TextsOf(sorted);
        std::sort(texts.begin(), texts.end());
        EXPECT_EQ(texts, L"abc");
    } while (std::next_permutation(words.begin(), words.end()));

    TestPage many;
    unsigned seed = 12345;
    for (int i = 0; i < 300; ++i) {
        seed = seed * 1103515245u + 12345u;
        const LONG top = static_cast<LONG>((seed >> 8) % 500), height = static_cast<LONG>((seed >> 20) % 60 + 1);
        const LONG left = static_cast<LONG>((seed >> 4) % 800);
        many.Add(left, top, left + 30, top + height, std::to_wstring(i));
    }
    WordList manyWords = many.Words();
    SortWordsForParsing(manyWords);
    WordList expected = many.Words();
    std::sort(expected.begin(), expected.end());
    std::sort(manyWords.begin(), manyWords.end());
    EXPECT_EQ(manyWords, expected);
}

TEST(CDCTableParser, WithoutAWorkFileNoPageParses)
{
    ConvertingTableLayout layout;
    CDCTableParser parser(nullptr, nullptr);
    parser.SetLayout(&layout);
    EXPECT_EQ(parser.ParsePage(1, nullptr, false), nullptr);
}

#include "pagemodel/PageWordList.h"
#include "pagemodel/WordReadingOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct WordSpec
{
    const wchar_t* text;
    LONG left, top, right, bottom;
    int32_t colour = 0;
    int32_t fontSize = 1000;
};

void Fill(PageWordList& list, const std::vector<WordSpec>& specs)
{
    list.Clear();
    for (const WordSpec& s : specs)
        list.AddWord(std::make_unique<ConvertingWord>(RECT{s.left, s.top, s.right, s.bottom}, s.text, s.colour,
                                                      s.fontSize));
}

std::vector<std::wstring> Texts(const PageWordList& list)
{
    std::vector<std::wstring> texts;
    for (int i = 0; i < list.GetCount(); ++i)
        texts.push_back(list.GetAt(i)->m_text);
    return texts;
}

TEST(WordReadingOrderTest, OrderOfTwoWords)
{
    struct Case { const char* what; RECT a, b; bool aFirst; };
    const Case cases[] = {
        {"same line, smaller left", {10, 100, 20, 120}, {30, 104, 40, 124}, true},
        {"same line, larger left", {30, 100, 40, 120}, {10, 104, 40, 124}, false},
        {"centre on the other's bottom edge is the same line", {50, 100, 60, 120}, {10, 90, 20, 110}, false},
        {"lines apart, higher first whatever the left", {500, 100, 510, 120}, {10, 200, 20, 220}, true},
        {"same left, higher centre first", {10, 100, 20, 120}, {10, 104, 20, 124}, true},
        {"negative coordinates", {-30, -20, -10, -1}, {-50, -19, -40, 0}, false},
    };
    for (const Case& c : cases) {
        ConvertingWord a(c.a, L"a"), b(c.b, L"b");
        a.m_sequence = 1;
        b.m_sequence = 2;
        EXPECT_EQ(c.aFirst, PrecedesInReadingOrder(a, b)) << c.what;
        EXPECT_EQ(!c.aFirst, PrecedesInReadingOrder(b, a)) << c.what;
    }
}

TEST(WordReadingOrderTest, ArrangeOrdersCleansAndRenumbers)
{
    struct Case
    {
        const char* what;
        std::vector<WordSpec> words;
        std::vector<std::wstring> expected;
    };
    const Case cases[] = {
        {"one line drawn right to left", {{L"c", 200, 0, 230, 20}, {L"b", 100, 0, 130, 20}, {L"a", 0, 0, 30, 20}},
         {L"a", L"b", L"c"}},
        {"lines top to bottom, each left to right",
         {{L"d", 100, 50, 130, 70}, {L"a", 0, 0, 30, 20}, {L"c", 0, 50, 30, 70}, {L"b", 100, 0, 130, 20}},
         {L"a", L"b", L"c", L"d"}},
        {"a raised word still on its line", {{L"x", 100, 4, 130, 24}, {L"w", 0, 0, 30, 20}}, {L"w", L"x"}},
        {"equal lefts: the higher first", {{L"low", 0, 30, 30, 50}, {L"high", 0, 0, 30, 20}}, {L"high", L"low"}},
        {"equal places keep the drawing order", {{L"first", 0, 0, 30, 20, 1}, {L"second", 0, 0, 30, 20, 2}},
         {L"first", L"second"}},
        {"the same word drawn twice", {{L"Total", 10, 10, 60, 30}, {L"Total", 10, 10, 60, 30}}, {L"Total"}},
        {"a duplicate in other case", {{L"Total", 10, 10, 60, 30}, {L"TOTAL", 11, 12, 61, 32}}, {L"TOTAL"}},
        // A tight table: the same number in two rows whose boxes touch by a sliver are two values.
        {"equal values in neighbouring rows", {{L"12", 0, 100, 40, 120}, {L"12", 0, 118, 40, 138}},
         {L"12", L"12"}},
        {"equal values in neighbouring columns", {{L"7", 0, 0, 40, 20, 1}, {L"7", 38, 0, 78, 20, 2}}, {L"7", L"7"}},
        {"a shifted repeat overlapping by more than half", {{L"99", 0, 0, 40, 20}, {L"99", 10, 5, 50, 25}},
         {L"99"}},
        {"lefts and tops within 2 pixels", {{L"ab", 0, 0, 40, 20}, {L"ab", 2, 2, 8, 8}}, {L"ab"}},
        {"different texts at one place", {{L"ab", 0, 0, 40, 20, 1}, {L"cd", 0, 0, 40, 20, 2}}, {L"ab", L"cd"}},
        {"pieces of one number join", {{L"12", 0, 0, 30, 40}, {L"34", 31, 0, 60, 40}}, {L"1234"}},
        {"a gap wider than an eighth of the height", {{L"12", 0, 0, 30, 40}, {L"34", 36, 0, 60, 40}},
         {L"12", L"34"}},
        {"another colour does not join", {{L"12", 0, 0, 30, 40, 0}, {L"34", 31, 0, 60, 40, 255}}, {L"12", L"34"}},
        {"another size does not join", {{L"12", 0, 0, 30, 40, 0, 1000}, {L"34", 31, 0, 60, 40, 0, 1200}},
         {L"12", L"34"}},
        {"another top does not join", {{L"12", 0, 0, 30, 40}, {L"34", 31, 1, 60, 40}}, {L"12", L"34"}},
        {"no words", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PageWordList list;
        Fill(list, c.words);
        list.ArrangeInReadingOrder();
        EXPECT_EQ(c.expected, Texts(list));
        for (int i = 0; i < list.GetCount(); ++i)
            EXPECT_EQ(i + 1, list.GetAt(i)->m_sequence);
    }
}

TEST(WordReadingOrderTest, OfTwoDuplicatesTheOneDrawnLaterStays)
{
    PageWordList list;
    Fill(list, {{L"Sum", 10, 10, 60, 30, 1}, {L"x", 500, 500, 510, 510}, {L"Sum", 11, 11, 61, 31, 2}});
    list.ArrangeInReadingOrder();
    ASSERT_EQ(2, list.GetCount());
    EXPECT_EQ(2, list.GetAt(0)->m_colour);
    EXPECT_EQ(11, list.GetAt(0)->m_rect.left);
}

TEST(WordReadingOrderTest, JoinedWordSpansBothPieces)
{
    PageWordList list;
    Fill(list, {{L"34", 31, 0, 60, 40}, {L"12", 0, 0, 30, 40}, {L"56", 64, 0, 90, 40}});
    list.ArrangeInReadingOrder();
    ASSERT_EQ(1, list.GetCount());
    EXPECT_EQ(L"123456", list.GetAt(0)->m_text);
    EXPECT_EQ(0, list.GetAt(0)->m_rect.left);
    EXPECT_EQ(90, list.GetAt(0)->m_rect.right);
}

// "On one line" chains: a is on b's line and b on c's, but a is not on c's. The sort must
// still give every word back once, in the same order from the same input.
TEST(WordReadingOrderTest, ChainedLinesSortToAPermutation)
{
    WordVector words;
    unsigned seed = 7;
    for (int i = 0; i < 200; ++i) {
        seed = seed * 1103515245u + 12345u;
        const LONG top = LONG(seed >> 16) % 400, left = LONG(seed >> 8) % 600;
        const LONG height = 5 + LONG(seed % 40);
        words.push_back(
            std::make_unique<ConvertingWord>(RECT{left, top, left + 20, top + height}, std::to_wstring(i)));
        words.back()->m_sequence = i + 1;
    }
    WordVector again;
    for (const auto& w : words)
        again.push_back(std::make_unique<ConvertingWord>(*w));
    SortInReadingOrder(words);
    SortInReadingOrder(again);
    std::vector<int> sequences;
    for (size_t i = 0; i < words.size(); ++i) {
        ASSERT_NE(nullptr, words[i]);
        EXPECT_EQ(words[i]->m_sequence, again[i]->m_sequence);
        sequences.push_back(words[i]->m_sequence);
    }
    std::sort(sequences.begin(), sequences.end());
    for (int i = 0; i < 200; ++i)
        ASSERT_EQ(i + 1, sequences[i]);
}

} // namespace

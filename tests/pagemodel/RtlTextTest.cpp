#include "pagemodel/RtlText.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Hebrew alef, bet, gimel, dalet.
const wchar_t A = 0x05D0, B = 0x05D1, G = 0x05D2, D = 0x05D3;
const std::wstring kHebrew = {A, B, G, D};

wchar_t Mirror(wchar_t c)
{
    const std::wstring from = L"()<>[]{}", to = L")(><][}{";
    const size_t at = from.find(c);
    return at == std::wstring::npos ? c : to[at];
}

// Every output character must be the (possibly mirrored) input character the map names,
// and no input position may be named twice.
void ExpectTracesBack(const std::wstring& input, const std::wstring& output, const std::vector<int>& map)
{
    ASSERT_EQ(output.size(), map.size());
    std::vector<int> seen = map;
    std::sort(seen.begin(), seen.end());
    EXPECT_TRUE(std::adjacent_find(seen.begin(), seen.end()) == seen.end());
    for (size_t i = 0; i < output.size(); ++i) {
        ASSERT_GE(map[i], 0);
        ASSERT_LT(size_t(map[i]), input.size());
        const wchar_t source = input[size_t(map[i])];
        EXPECT_TRUE(output[i] == source || output[i] == Mirror(source)) << "position " << i;
    }
}

TEST(RtlTextTest, RightToLeftRanges)
{
    struct Case { wchar_t c; bool rtl; };
    const Case cases[] = {
        {0x058F, false}, {0x0590, true}, {0x05FF, true}, {0x0600, true}, {0x06FF, true}, {0x0700, false},
        {0xFB1D, false}, {0xFB1E, true}, {0xFB4F, true}, {0xFB50, true}, {0xFDFF, true}, {0xFE00, false},
        {0xFE6F, false}, {0xFE70, true}, {0xFEFE, true}, {0xFEFF, false}, {L'a', false}, {L'1', false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.rtl, IsRtlChar(c.c)) << std::hex << int(c.c);
    EXPECT_TRUE(HasRtlText(L"abc " + std::wstring(1, A)));
    EXPECT_FALSE(HasRtlText(L"abc 123"));
    EXPECT_FALSE(HasRtlText(L""));
}

TEST(RtlTextTest, Trim)
{
    const std::pair<std::wstring, std::wstring> cases[] = {
        {L"", L""}, {L" \t\r\n", L""}, {L"  a b \n", L"a b"}, {L"abc", L"abc"}, {L"\x3000x\x3000", L"x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.second, TrimText(c.first)) << c.first.size();
}

TEST(RtlTextTest, PrepareWithDirectionMarks)
{
    const wchar_t L2R = 0x202D, POP = 0x202C;
    struct Case { std::wstring input, expected; };
    const Case cases[] = {
        {L"  plain text \n", L"plain text"},
        {L"abc " + kHebrew, L"abc" + std::wstring{L2R, L' ', A, B, G, D, POP}},
        {kHebrew + L", x", std::wstring{L2R, A, B, G, D, L',', L' ', POP} + L"x"},
        // A line feed ends the right-to-left run.
        {std::wstring{A, B, L'\n', G, D}, std::wstring{L2R, A, B, POP, L'\n', L2R, G, D, POP}},
        {L"x\n" + kHebrew, std::wstring{L'x', L'\n', L2R, A, B, G, D, POP}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, PrepareRtlText(c.input, true)) << c.input.size();
}

TEST(RtlTextTest, PrepareByReordering)
{
    EXPECT_EQ(L"plain", PrepareRtlText(L" plain ", false));
    EXPECT_EQ((std::wstring{D, G, B, A}), PrepareRtlText(L" " + kHebrew + L" ", false));
    EXPECT_EQ((std::wstring{L'1', L'2', L' ', B, A}), PrepareRtlText(std::wstring{A, B, L' ', L'1', L'2'}, false));
}

TEST(RtlTextTest, ReorderLine)
{
    struct Case { const char* what; std::wstring input, expected; };
    const Case cases[] = {
        {"hebrew reversed", kHebrew, std::wstring{D, G, B, A}},
        {"brackets mirrored", std::wstring{A, B, L'(', L'1', L')', G, D}, std::wstring{D, G, L'(', L'1', L')', B, A}},
        {"latin keeps its order", L"abc", L"abc"},
        {"latin run inside hebrew", std::wstring{A, L' ', L'x', L'y', L' ', B},
         std::wstring{B, L' ', L'x', L'y', L' ', A}},
        {"leading punctuation before hebrew", std::wstring{L'-', A, B}, std::wstring{B, A, L'-'}},
        {"percent stays with the number", std::wstring{A, L' ', L'5', L'%', L' ', B},
         std::wstring{B, L' ', L'5', L'%', L' ', A}},
        {"empty", L"", L""},
    };
    for (const Case& c : cases) {
        std::vector<int> map;
        const std::wstring result = ReorderRtlLine(c.input, &map);
        EXPECT_EQ(c.expected, result) << c.what;
        ExpectTracesBack(c.input, result, map);
        EXPECT_EQ(c.expected, ReorderRtlLine(c.input)) << c.what << ": no map";
    }
}

TEST(RtlTextTest, ConvertText)
{
    EXPECT_EQ(L"plain", ConvertRtlText(L"  plain "));
    EXPECT_EQ((std::wstring{D, G, B, A}), ConvertRtlText(L" " + kHebrew + L"\n"));
    EXPECT_EQ((std::wstring{L'1', L'2', L' ', B, A}), ConvertRtlText(std::wstring{A, B, L' ', L'1', L'2'}));
}

TEST(RtlTextTest, ConvertWithMapKeepsTextAndMapAligned)
{
    const std::wstring texts[] = {
        L"no hebrew", L" \t\r\n", L"", kHebrew, L"  " + kHebrew, L"\t\n " + kHebrew + L"  \r\n",
        std::wstring{L' ', A, B, L' ', L'1', L'2', L' ', L'(', G, L')'}, L"abc " + kHebrew,
    };
    for (const std::wstring& text : texts) {
        std::vector<int> map;
        const std::wstring result = ConvertRtlTextWithMap(text, map);
        ExpectTracesBack(text, result, map);
        // Only the trailing delimiters of a right-to-left text are dropped.
        size_t expectedLength = text.size();
        if (HasRtlText(text))
            expectedLength = text.find_last_not_of(L" \n\t\r") + 1;
        EXPECT_EQ(expectedLength, result.size());
    }

    std::vector<int> map;
    EXPECT_EQ(L"no hebrew", ConvertRtlTextWithMap(L"no hebrew", map));
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}), map);

    EXPECT_EQ((std::wstring{L' ', L' ', D, G, B, A}), ConvertRtlTextWithMap(L"  " + kHebrew + L" ", map));
    EXPECT_EQ((std::vector<int>{0, 1, 5, 4, 3, 2}), map);
}

} // namespace

#include "pagemodel/TextTokenizer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

std::vector<std::wstring> Tokens(const std::wstring& text, bool trim, const wchar_t* delimiters = nullptr)
{
    TextTokenizer tokenizer(text, delimiters);
    std::vector<std::wstring> tokens;
    std::wstring token;
    while (tokenizer.NextTokenString(token, trim))
        tokens.push_back(token);
    return tokens;
}

TEST(TextTokenizerTest, Splits)
{
    using Tokens_ = std::vector<std::wstring>;
    struct Case
    {
        std::wstring text;
        bool trim;
        const wchar_t* delimiters;
        Tokens_ expected;
    };
    const Case cases[] = {
        {L"  12 345\t6\r\n", false, nullptr, {L"12", L"345", L"6"}},
        {L"", false, nullptr, {}},
        {L" \t\r\n", false, nullptr, {}},
        {L"(12.)", true, nullptr, {L"12"}},
        {L"-- (a) ... b", true, nullptr, {L"a", L"b"}},
        {L"1;2;;3", false, L";", {L"1", L"2", L"3"}},
        {L"a b", false, L";", {L"a b"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, Tokens(c.text, c.trim, c.delimiters)) << c.text.size();
}

TEST(TextTokenizerTest, PointFlag)
{
    // Built from a temporary: the tokens must not point into a string that is gone.
    TextTokenizer tokenizer(std::wstring(L"(12.) 3.5 x. (y)"));
    struct Expected
    {
        std::wstring token;
        bool point;
    };
    const Expected expected[] = {{L"12", true}, {L"3.5", false}, {L"x", true}, {L"y", false}};
    for (const Expected& e : expected)
    {
        size_t length = 0;
        bool point = !e.point;
        const wchar_t* token = tokenizer.NextToken(length, point, true);
        ASSERT_NE(nullptr, token);
        EXPECT_EQ(e.token, std::wstring(token, length));
        EXPECT_EQ(e.point, point) << e.token;
    }
    size_t length = 1;
    bool point = true;
    EXPECT_EQ(nullptr, tokenizer.NextToken(length, point, true));
}

} // namespace

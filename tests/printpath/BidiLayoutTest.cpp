// The host's layout of a line before the driver sees it: right-to-left runs in the order they
// stand on the page, numbers inside them left to right, brackets drawn mirrored.
#include "hosts/printhost/BidiLayout.h"

#include <gtest/gtest.h>

TEST(BidiLayout, RightToLeftRunsComeOutInTheOrderTheyStandOnThePage)
{
    struct Case
    {
        const char* what;
        const wchar_t* logical;
        bool rightToLeftReading;
        const wchar_t* display;
    } cases[] = {
        {"Latin only", L"Invoice 12", false, L"Invoice 12"},
        {"Hebrew between Latin", L"abc \u05D0\u05D1\u05D2 def", false, L"abc \u05D2\u05D1\u05D0 def"},
        {"two Hebrew words", L"\u05D3\u05D5\u05D3 \u05DB\u05D4\u05DF", false, L"\u05DF\u05D4\u05DB \u05D3\u05D5\u05D3"},
        {"a number after Hebrew", L"\u05D0\u05D1 12", false, L"12 \u05D1\u05D0"},
        {"brackets in Hebrew", L"\u05D0(\u05D1)", false, L"(\u05D1)\u05D0"},
        {"Arabic", L"\u0645\u0631\u062D\u0628\u0627", false, L"\u0627\u0628\u062D\u0631\u0645"},
        {"a right-to-left paragraph", L"abc \u05D0", true, L"\u05D0 abc"},
        {"empty", L"", false, L""},
    };
    for (const Case& c : cases)
    {
        const DisplayOrder order = ToDisplayOrder(c.logical, c.rightToLeftReading);
        EXPECT_EQ(order.text, c.display) << c.what;
        // Every character comes from one place of the logical text, each place used once.
        std::vector<bool> used(order.text.size());
        ASSERT_EQ(order.logical.size(), order.text.size()) << c.what;
        for (size_t at : order.logical)
        {
            ASSERT_LT(at, used.size()) << c.what;
            EXPECT_FALSE(used[at]) << c.what;
            used[at] = true;
        }
    }
    const DisplayOrder mixed = ToDisplayOrder(L"ab \u05D0\u05D1", false);
    EXPECT_EQ(mixed.logical, (std::vector<size_t>{0, 1, 2, 4, 3}));
}

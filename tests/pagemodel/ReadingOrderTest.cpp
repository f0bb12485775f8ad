#include "pagemodel/WordReadingOrder.h"

#include <gtest/gtest.h>

namespace {

TEST(ReadingOrderTest, OrderOfTwoWords)
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

} // namespace

#include "table/WordGeometry.h"

#include <gtest/gtest.h>

namespace
{
TEST(WordGeometryTest, SameTextLineComparesEachCentreWithTheOtherBox)
{
    struct Case { RECT a, b; bool same; };
    const Case cases[] = {
        {{0, 10, 5, 20}, {0, 15, 5, 40}, true},  // a's centre 15 on b's top
        {{0, 10, 5, 20}, {0, 16, 5, 40}, false}, // 15 above b, b's centre 28 below a
        {{0, 0, 5, 100}, {0, 40, 5, 45}, true},  // a small box inside a tall one
        {{0, 10, 5, 21}, {0, 0, 5, 15}, true},   // a's centre 15 (31 / 2) on b's bottom
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(IsSameTextLine(c.a, c.b), c.same);
        EXPECT_EQ(IsSameTextLine(c.b, c.a), c.same);
    }
}
} // namespace

#include "pagemodel/OxBuffer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace
{

// A malloc'ed block of the given capacity holding `size` bytes of 0xAB.
void AttachBlock(OxBuffer& buffer, uint32_t size, uint32_t capacity)
{
    void* block = std::malloc(capacity);
    std::memset(block, 0xAB, capacity);
    buffer.Attach(block, size, capacity);
}

TEST(OxBufferTest, GrowthFollowsDoublingOrExactNeed)
{
    struct Case
    {
        uint32_t size, capacity, append, expectedCapacity;
    };
    const Case cases[] = {
        {0, 0, 1, 2},       // size + n + 1
        {100, 100, 1, 200}, // 2 x capacity
        {50, 100, 10, 100}, // fits: no growth
        {10, 10, 300, 311}, // need beats doubling
        {0, 0, 0, 0},       // nothing to add, nothing allocated
    };
    for (const Case& c : cases)
    {
        OxBuffer buffer;
        if (c.capacity != 0)
            AttachBlock(buffer, c.size, c.capacity);
        std::vector<uint8_t> extra(c.append, 0x5A);
        ASSERT_TRUE(buffer.Append(extra.data(), c.append));
        EXPECT_EQ(c.expectedCapacity, buffer.GetCapacity()) << c.size << "+" << c.append;
        EXPECT_EQ(c.size + c.append, buffer.GetSize());
        for (uint32_t i = 0; i < c.size; ++i)
            ASSERT_EQ(0xAB, buffer.GetData()[i]) << "old bytes kept";
        for (uint32_t i = c.size; i < c.size + c.append; ++i)
            ASSERT_EQ(0x5A, buffer.GetData()[i]) << "new bytes behind the old";
    }
}

TEST(OxBufferTest, ReserveAndSetSize)
{
    OxBuffer buffer;
    ASSERT_TRUE(buffer.Reserve(10));
    EXPECT_EQ(11u, buffer.GetCapacity());
    EXPECT_EQ(0u, buffer.GetSize());
    ASSERT_TRUE(buffer.Append("abc", 3));
    ASSERT_TRUE(buffer.Reserve(10));
    EXPECT_EQ(11u, buffer.GetCapacity()) << "enough room: unchanged";
    ASSERT_TRUE(buffer.SetSize(40));
    EXPECT_EQ(40u, buffer.GetSize());
    EXPECT_EQ(41u, buffer.GetCapacity());
    EXPECT_EQ(0, std::memcmp(buffer.GetData(), "abc", 3)) << "reserving keeps the used bytes";

    // A reservation that cannot be made leaves the size as it was.
    EXPECT_FALSE(buffer.Reserve(UINT32_MAX));
    EXPECT_FALSE(buffer.SetSize(UINT32_MAX));
    EXPECT_EQ(40u, buffer.GetSize());

    buffer.Free();
    EXPECT_EQ(nullptr, buffer.GetData());
    EXPECT_EQ(0u, buffer.GetSize());
    EXPECT_EQ(0u, buffer.GetCapacity());
}

TEST(OxBufferTest, AttachTakesOverTheBlock)
{
    OxBuffer buffer;
    ASSERT_TRUE(buffer.Append("old", 3));
    void* block = std::malloc(8);
    std::memcpy(block, "newdata", 8);
    buffer.Attach(block, 7, 8);
    EXPECT_EQ(block, buffer.GetData());
    EXPECT_EQ(7u, buffer.GetSize());
    EXPECT_EQ(8u, buffer.GetCapacity());
    // Appending beyond the attached capacity moves the bytes into a new block.
    ASSERT_TRUE(buffer.Append("!", 1));
    ASSERT_TRUE(buffer.Append("?", 1));
    EXPECT_EQ(16u, buffer.GetCapacity());
    EXPECT_EQ(0, std::memcmp(buffer.GetData(), "newdata!?", 9));
}

} // namespace

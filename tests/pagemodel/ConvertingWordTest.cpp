#include "pagemodel/ConvertingWord.h"
#include "pagemodel/OxBuffer.h"
#include "pagemodel/OxReadWrite.h"
#include "tests/pagemodel/TestFiles.h"

#include <gtest/gtest.h>

namespace {

TEST(ConvertingWordTest, StoredFormAndRoundTrip)
{
    ConvertingWord word(RECT{10, 20, 30, 40}, L"Total", 0x00FF00, 1200);
    word.m_sequence = 7;
    word.m_extra = 99;
    OxBuffer buffer;
    OxReadWriteBuffer writer(buffer);
    ASSERT_TRUE(word.Write(writer));
    const std::vector<uint8_t> expected = ByteWriter()
        .I32(10).I32(30).I32(20).I32(40)  // left, right, top, bottom
        .I32(0x00FF00).Wide(L"Total").I32(7).I32(1200).Get();
    ASSERT_EQ(expected, std::vector<uint8_t>(buffer.GetData(), buffer.GetData() + buffer.GetSize()));

    OxReadWriteBuffer reader(buffer);
    ConvertingWord read;
    read.m_extra = 5;
    ASSERT_TRUE(read.Read(reader));
    EXPECT_EQ(10, read.m_rect.left);
    EXPECT_EQ(20, read.m_rect.top);
    EXPECT_EQ(30, read.m_rect.right);
    EXPECT_EQ(40, read.m_rect.bottom);
    EXPECT_EQ(0x00FF00, read.m_colour);
    EXPECT_EQ(L"Total", read.m_text);
    EXPECT_EQ(7, read.m_sequence);
    EXPECT_EQ(1200, read.m_fontSize);
    EXPECT_EQ(5, read.m_extra) << "the extra value is not stored";
}

TEST(ConvertingWordTest, NewWordIsUnnumbered)
{
    ConvertingWord word;
    EXPECT_EQ(-1, word.m_sequence);
    EXPECT_EQ(0, word.m_extra);
    EXPECT_TRUE(word.m_text.empty());
}

TEST(ConvertingWordTest, EveryTruncationFails)
{
    ConvertingWord word(RECT{1, 2, 3, 4}, L"ab", 5, 6);
    OxBuffer whole;
    OxReadWriteBuffer writer(whole);
    ASSERT_TRUE(word.Write(writer));
    for (uint32_t length = 0; length < whole.GetSize(); ++length) {
        OxBuffer part;
        part.Append(whole.GetData(), length);
        OxReadWriteBuffer reader(part);
        ConvertingWord read;
        EXPECT_FALSE(read.Read(reader)) << length;
    }
}

} // namespace

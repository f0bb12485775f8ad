#include "pagemodel/CDCFont.h"
#include "pagemodel/CDCText.h"
#include "tests/pagemodel/TestFiles.h"

#include <gtest/gtest.h>

namespace {

CDCText SampleText()
{
    CDCText text;
    text.m_rect = RECT{-5, 20, 140, 60};
    text.m_glyphIndex = 1;
    text.m_colour = 0x00123456;
    text.m_chars = {CDCCharInfo(L'a', 0, 10), CDCCharInfo(L'b', 10, 15), CDCCharInfo(0xFFFF, 25, 0)};
    return text;
}

std::vector<uint8_t> OlderTextRecord(int32_t left, int32_t right, const std::wstring& text, BYTE mode,
                                     const std::vector<int32_t>& offsets)
{
    ByteWriter bytes;
    bytes.I32(5).I32(25).I32(left).I32(right).U8(0).Wide(text).U32(0xABCDEF).U8(mode);
    for (int32_t offset : offsets)
        bytes.I32(offset);
    return bytes.Get();
}

TEST(CDCTextTest, StoredFormOfVersion4)
{
    const CDCText text = SampleText();
    const std::vector<uint8_t> expected = ByteWriter()
        .I32(20).I32(60).I32(-5).I32(140)  // top, bottom, left, right
        .U8(1).U32(0x00123456).I32(3)
        .U16('a').U16(0).U16(10).U16('b').U16(10).U16(15).U16(0xFFFF).U16(25).U16(0).Get();
    EXPECT_EQ(expected, WrittenBytes([&](OxReadWrite& s) { return text.Write(s); }));

    CDCText read;
    ASSERT_TRUE(ReadFromBytes(expected, [&](OxReadWrite& s) { return read.Read(s, 4) && s.GetCount() == 0; }));
    EXPECT_EQ(text.m_rect.left, read.m_rect.left);
    EXPECT_EQ(text.m_rect.top, read.m_rect.top);
    EXPECT_EQ(text.m_rect.right, read.m_rect.right);
    EXPECT_EQ(text.m_rect.bottom, read.m_rect.bottom);
    EXPECT_EQ(1, read.m_glyphIndex);
    EXPECT_EQ(0x00123456u, read.m_colour);
    EXPECT_EQ(text.m_chars, read.m_chars);
}

TEST(CDCTextTest, OlderRecordsBecomeCharacterRecords)
{
    struct Case {
        const char* what;
        uint32_t version;
        int32_t left, right;
        std::wstring text;
        BYTE mode;
        std::vector<int32_t> offsets;
        std::vector<CDCCharInfo> expected;
    };
    const Case cases[] = {
        {"offsets, last width from the rectangle", 3, 100, 140, L"abc", 0, {0, 10, 25},
         {{'a', 0, 10}, {'b', 10, 15}, {'c', 25, 15}}},
        {"even spacing", 2, 0, 10, L"abcd", 1, {}, {{'a', 0, 2}, {'b', 2, 2}, {'c', 4, 2}, {'d', 6, 2}}},
        {"even spacing rounds down", 3, 0, 11, L"abc", 7, {}, {{'a', 0, 3}, {'b', 3, 3}, {'c', 6, 3}}},
        {"empty text, spaced", 3, 0, 10, L"", 1, {}, {}},
        {"empty text, no offsets", 2, 0, 10, L"", 0, {}, {}},
        // right - left is taken as unsigned; only the low 16 bits are kept.
        {"reversed rectangle", 3, 10, 0, L"ab", 1, {}, {{'a', 0, 0xFFFB}, {'b', 0xFFFB, 0xFFFB}}},
        {"offsets beyond 16 bits", 2, 0, 0x10010, L"xy", 0, {0, 0x10005}, {{'x', 0, 5}, {'y', 5, 11}}},
    };
    for (const Case& c : cases) {
        const std::vector<uint8_t> bytes = OlderTextRecord(c.left, c.right, c.text, c.mode, c.offsets);
        CDCText read;
        ASSERT_TRUE(ReadFromBytes(bytes, [&](OxReadWrite& s) { return read.Read(s, c.version) && s.GetCount() == 0; }))
            << c.what;
        EXPECT_EQ(c.expected, read.m_chars) << c.what;
        EXPECT_EQ(0xABCDEFu, read.m_colour) << c.what;
        EXPECT_EQ(5, read.m_rect.top);
        EXPECT_EQ(25, read.m_rect.bottom);
    }
}

TEST(CDCTextTest, EveryTruncationFailsAndKeepsTheItem)
{
    const CDCText sample = SampleText();
    const std::vector<std::pair<uint32_t, std::vector<uint8_t>>> records = {
        {4, WrittenBytes([&](OxReadWrite& s) { return sample.Write(s); })},
        {3, OlderTextRecord(100, 140, L"abc", 0, {0, 10, 25})},
        {2, OlderTextRecord(0, 10, L"abcd", 1, {})},
    };
    for (const auto& record : records) {
        for (size_t length = 0; length < record.second.size(); ++length) {
            CDCText read;
            read.m_colour = 77;
            EXPECT_FALSE(ReadFromBytes(Truncated(record.second, length),
                                       [&](OxReadWrite& s) { return read.Read(s, record.first); }))
                << "version " << record.first << ", " << length << " bytes";
            EXPECT_EQ(77u, read.m_colour);
            EXPECT_TRUE(read.m_chars.empty());
        }
    }
}

TEST(CDCTextTest, CharacterCountBeyondTheRecordFails)
{
    // Counts a corrupt file may carry: each must fail before anything is sized by it.
    const int32_t counts[] = {4, 0x7FFFFFFF, -1, INT32_MIN, 0x2AAAAAAB};
    for (int32_t count : counts) {
        const std::vector<uint8_t> bytes = ByteWriter()
            .I32(0).I32(10).I32(0).I32(10).U8(0).U32(0).I32(count)
            .U16('a').U16(0).U16(5).U16('b').U16(5).U16(5).U16('c').U16(10).U16(5).Get();
        CDCText read;
        EXPECT_FALSE(ReadFromBytes(bytes, [&](OxReadWrite& s) { return read.Read(s, 4); })) << count;
    }
}

TEST(CDCTextTest, CharacterRecordsNeedVersion4)
{
    const std::vector<uint8_t> bytes = ByteWriter().U16('a').U16(1).U16(2).Get();
    for (uint32_t version : {2u, 3u}) {
        CDCCharInfo info;
        EXPECT_FALSE(ReadFromBytes(bytes, [&](OxReadWrite& s) { return info.Read(s, version); })) << version;
    }
    CDCCharInfo info;
    ASSERT_TRUE(ReadFromBytes(bytes, [&](OxReadWrite& s) { return info.Read(s, 4); }));
    EXPECT_EQ(CDCCharInfo('a', 1, 2), info);
}

} // namespace

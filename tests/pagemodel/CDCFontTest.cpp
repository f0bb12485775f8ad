#include "pagemodel/CDCFont.h"
#include "tests/pagemodel/TestFiles.h"

#include <gtest/gtest.h>

#include <cwchar>

namespace
{

TEST(CDCFontTest, RecordIsTheWholeLogicalFont)
{
    CDCFont font;
    EXPECT_TRUE(font.IsEqual(CDCFont())) << "a new font is all zero";
    font.m_logFont.lfHeight = 12;
    font.m_logFont.lfWeight = 700;
    font.m_logFont.lfItalic = 1;
    wcscpy(font.m_logFont.lfFaceName, L"Courier");
    const std::vector<uint8_t> bytes = WrittenBytes([&](OxReadWrite& s) { return font.Write(s); });
    ASSERT_EQ(92u, bytes.size());
    EXPECT_EQ(12, bytes[0]);
    EXPECT_EQ('C', bytes[28]) << "face name behind the 28 bytes of numbers";

    for (uint32_t version : {2u, 3u, 4u})
    {
        CDCFont read;
        ASSERT_TRUE(ReadFromBytes(bytes, [&](OxReadWrite& s) { return read.Read(s, version); }));
        EXPECT_TRUE(read.IsEqual(font));
    }
    CDCFont shorter;
    EXPECT_FALSE(ReadFromBytes(Truncated(bytes, 91), [&](OxReadWrite& s) { return shorter.Read(s, 4); }));
    EXPECT_TRUE(shorter.IsEqual(CDCFont()));

    // Every byte counts, the face name's tail included.
    CDCFont other;
    other.Assign(font);
    EXPECT_TRUE(other.IsEqual(font));
    other.m_logFont.lfFaceName[31] = L'x';
    EXPECT_FALSE(other.IsEqual(font));
}

} // namespace

#include "pagemodel/OxBuffer.h"
#include "pagemodel/OxReadWrite.h"
#include "tests/pagemodel/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

std::vector<uint8_t> Content(const OxBuffer& buffer)
{
    return std::vector<uint8_t>(buffer.GetData(), buffer.GetData() + buffer.GetSize());
}

void Fill(OxBuffer& buffer, const std::vector<uint8_t>& bytes)
{
    buffer.Free();
    ASSERT_TRUE(buffer.Append(bytes.data(), uint32_t(bytes.size())));
}

TEST(OxReadWriteBufferTest, CountsBytesLeftAndFailedReadConsumesNothing)
{
    OxBuffer buffer;
    Fill(buffer, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    OxReadWriteBuffer stream(buffer);
    EXPECT_EQ(10u, stream.GetCount());
    uint8_t bytes[10] = {};
    ASSERT_TRUE(stream.Read(bytes, 4));
    EXPECT_EQ(6u, stream.GetCount());
    EXPECT_FALSE(stream.Read(bytes, 7));
    EXPECT_EQ(6u, stream.GetCount());
    ASSERT_TRUE(stream.Read(bytes, 6));
    EXPECT_EQ(4, bytes[0]) << "the failed read consumed nothing";
    EXPECT_EQ(9, bytes[5]);
    EXPECT_EQ(0u, stream.GetCount());
    EXPECT_TRUE(stream.Read(bytes, 0));
    EXPECT_FALSE(stream.Read(bytes, 1));
}

TEST(OxReadWriteBufferTest, WritingAppendsAndReadWindowIsFixed)
{
    OxBuffer buffer;
    Fill(buffer, {1, 2});
    OxReadWriteBuffer stream(buffer);
    ASSERT_TRUE(stream.WriteValue(uint32_t(0x04030201)));
    EXPECT_EQ(6u, stream.GetCount()) << "a written memory stream counts the bytes held";
    EXPECT_EQ((std::vector<uint8_t>{1, 2, 1, 2, 3, 4}), Content(buffer));

    OxReadWriteBuffer reader(buffer);
    uint8_t bytes[6] = {};
    ASSERT_TRUE(reader.Read(bytes, 6));
    buffer.Append("x", 1);
    EXPECT_FALSE(reader.Read(bytes, 1)) << "bytes appended after construction are not seen";
}

TEST(OxReadWriteFileTest, WriteAppendAndReadBack)
{
    TempFile file;
    {
        OxReadWriteFile stream;
        ASSERT_TRUE(stream.Open(file.Path(), false, false));
        ASSERT_TRUE(stream.Write("abcdef", 6));
        EXPECT_EQ(6u, stream.GetCount()) << "a written file counts the bytes written";
        EXPECT_TRUE(stream.Close());
        EXPECT_FALSE(stream.Write("x", 1)) << "closed";
    }
    {
        OxReadWriteFile stream;
        ASSERT_TRUE(stream.Open(file.Path(), false, true));
        EXPECT_EQ(0u, stream.GetCount());
        ASSERT_TRUE(stream.Write("gh", 2));
    }
    OxReadWriteFile stream;
    ASSERT_TRUE(stream.Open(file.Path(), true, false));
    EXPECT_EQ(8u, stream.GetCount());
    char bytes[9] = {};
    ASSERT_TRUE(stream.Read(bytes, 3));
    EXPECT_EQ(5u, stream.GetCount());
    EXPECT_FALSE(stream.Read(bytes + 3, 6)) << "only 5 bytes left";
    EXPECT_TRUE(stream.Open(file.Path(), true, false)) << "reopening closes the old file first";
    ASSERT_TRUE(stream.Read(bytes, 8));
    EXPECT_STREQ("abcdefgh", bytes);
    EXPECT_EQ(0u, stream.GetCount());

    // Writing anew truncates.
    OxReadWriteFile writer;
    ASSERT_TRUE(writer.Open(file.Path(), false, false));
    writer.Close();
    ASSERT_TRUE(stream.Open(file.Path(), true, false));
    EXPECT_EQ(0u, stream.GetCount());
}

TEST(OxReadWriteFileTest, MissingFileDoesNotOpen)
{
    OxReadWriteFile stream;
    EXPECT_FALSE(stream.Open(L"Z:\\no\\such\\folder\\file.dat", true, false));
    EXPECT_FALSE(stream.IsOpen());
    EXPECT_EQ(0u, stream.GetCount());
    char byte = 0;
    EXPECT_FALSE(stream.Read(&byte, 1));
}

TEST(WideStringTest, RoundTripsAndStoredForm)
{
    const std::wstring texts[] = {
        L"", L"a", L"Total 1.234,50", std::wstring(L"a\0b", 3),
        L"\x05D0\x05D1\x05D2", L"\xD83D\xDE00 surrogate pair", std::wstring(300, L'x'),
    };
    for (const std::wstring& text : texts) {
        OxBuffer buffer;
        OxReadWriteBuffer writer(buffer);
        ASSERT_TRUE(WriteWideString(writer, text));
        ASSERT_EQ(4 + 2 * text.size(), buffer.GetSize());
        OxReadWriteBuffer reader(buffer);
        std::wstring read = L"previous";
        ASSERT_TRUE(ReadWideString(reader, read));
        EXPECT_EQ(text, read);
        EXPECT_EQ(0u, reader.GetCount());
    }

    OxBuffer buffer;
    OxReadWriteBuffer writer(buffer);
    ASSERT_TRUE(WriteWideString(writer, L""));
    ASSERT_TRUE(WriteWideString(writer, L"A\x05D0"));
    EXPECT_EQ((std::vector<uint8_t>{0, 0, 0, 0, 2, 0, 0, 0, 'A', 0, 0xD0, 0x05}), Content(buffer));
}

TEST(WideStringTest, CountBeyondTheStreamFailsAndKeepsTheString)
{
    struct Case { const char* what; std::vector<uint8_t> bytes; };
    const Case cases[] = {
        {"count one more than the units", ByteWriter().U32(3).U16('a').U16('b').Get()},
        {"odd byte left", ByteWriter().U32(1).U8('a').Get()},
        {"giant count", ByteWriter().U32(0xFFFFFFFF).U16('a').Get()},
        // 2 x count wraps to 2 in 32 bits: only the count may decide how much is read.
        {"count whose byte size wraps", ByteWriter().U32(0x80000001).U16('a').Get()},
        {"short count", ByteWriter().U16(1).Get()},
        {"nothing", {}},
    };
    for (const Case& c : cases) {
        OxBuffer buffer;
        if (!c.bytes.empty())
            Fill(buffer, c.bytes);
        OxReadWriteBuffer reader(buffer);
        std::wstring text = L"kept";
        EXPECT_FALSE(ReadWideString(reader, text)) << c.what;
        EXPECT_EQ(L"kept", text) << c.what;
    }
}

TEST(WideStringTest, CountBeyondTheFileFails)
{
    TempFile file;
    {
        OxReadWriteFile writer;
        ASSERT_TRUE(writer.Open(file.Path(), false, false));
        ASSERT_TRUE(writer.WriteValue(uint32_t(0x40000000)));
        ASSERT_TRUE(writer.Write(L"ab", 4));
    }
    OxReadWriteFile reader;
    ASSERT_TRUE(reader.Open(file.Path(), true, false));
    std::wstring text = L"kept";
    EXPECT_FALSE(ReadWideString(reader, text));
    EXPECT_EQ(L"kept", text);
}

TEST(WideStringTest, EveryTruncationFails)
{
    OxBuffer whole;
    OxReadWriteBuffer writer(whole);
    ASSERT_TRUE(WriteWideString(writer, L"abc"));
    for (uint32_t length = 0; length < whole.GetSize(); ++length) {
        OxBuffer part;
        part.Append(whole.GetData(), length);
        OxReadWriteBuffer reader(part);
        std::wstring text = L"kept";
        EXPECT_FALSE(ReadWideString(reader, text)) << length;
        EXPECT_EQ(L"kept", text);
    }
}

} // namespace

#include "pagemodel/CDCFont.h"
#include "pagemodel/CDCItem.h"
#include "pagemodel/CDCText.h"
#include "tests/pagemodel/TestFiles.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{

CDCText SampleText()
{
    CDCText text;
    text.m_rect = RECT{-5, 20, 140, 60};
    text.m_glyphIndex = 1;
    text.m_colour = 0x00123456;
    text.m_chars = {CDCCharInfo(L'a', 0, 10), CDCCharInfo(L'b', 10, 15), CDCCharInfo(0xFFFF, 25, 0)};
    return text;
}

TEST(CDCItemTest, FactoryReadsKnownTypesOnly)
{
    CDCFont font;
    font.m_logFont.lfHeight = 10;
    const CDCText text = SampleText();
    ByteWriter fontItem;
    fontItem.U8(2).Bytes(WrittenBytes([&](OxReadWrite& s) { return font.Write(s); }));
    ByteWriter textItem;
    textItem.U8(1).Bytes(WrittenBytes([&](OxReadWrite& s) { return text.Write(s); }));

    std::unique_ptr<CDCItem> item;
    ASSERT_TRUE(ReadFromBytes(fontItem.Get(), [&](OxReadWrite& s) {
        item.reset(CreatePageItem(s, 4));
        return item != nullptr;
    }));
    ASSERT_EQ(CDCItemTypeFont, item->GetType());
    EXPECT_TRUE(static_cast<CDCFont*>(item.get())->IsEqual(font));

    ASSERT_TRUE(ReadFromBytes(textItem.Get(), [&](OxReadWrite& s) {
        item.reset(CreatePageItem(s, 4));
        return item != nullptr;
    }));
    ASSERT_EQ(CDCItemTypeText, item->GetType());
    EXPECT_EQ(text.m_chars, static_cast<CDCText*>(item.get())->m_chars);

    // A second read gets its own item, not the first one's characters.
    std::unique_ptr<CDCItem> second;
    std::vector<uint8_t> emptyText = ByteWriter().U8(1).I32(0).I32(1).I32(0).I32(1).U8(0).U32(0).I32(0).Get();
    ASSERT_TRUE(ReadFromBytes(emptyText, [&](OxReadWrite& s) {
        second.reset(CreatePageItem(s, 4));
        return second != nullptr;
    }));
    EXPECT_TRUE(static_cast<CDCText*>(second.get())->m_chars.empty());
    EXPECT_EQ(3u, static_cast<CDCText*>(item.get())->m_chars.size());

    for (BYTE type : {0, 3, 255})
    {
        std::vector<uint8_t> bytes = fontItem.Get();
        bytes[0] = type;
        EXPECT_FALSE(ReadFromBytes(bytes, [&](OxReadWrite& s) { return CreatePageItem(s, 4) != nullptr; }))
            << int(type);
    }
}

} // namespace

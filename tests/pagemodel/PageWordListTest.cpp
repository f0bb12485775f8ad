#include "pagemodel/PageWordList.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{

void Fill(PageWordList& list, const std::vector<std::pair<const wchar_t*, RECT>>& words)
{
    list.Clear();
    for (const auto& word : words)
        list.AddWord(std::make_unique<ConvertingWord>(word.second, word.first));
}

TEST(PageWordListTest, AddNumbersWordsAndGetCopiesByNumber)
{
    PageWordList list;
    Fill(list, {{L"a", {0, 0, 10, 10}}, {L"b", {20, 0, 30, 10}}});
    EXPECT_EQ(1, list.GetAt(0)->m_sequence);
    EXPECT_EQ(2, list.GetAt(1)->m_sequence);
    ConvertingWord word;
    for (int n : {0, 3, -1})
        EXPECT_FALSE(list.GetWord(n, word)) << n;
    ASSERT_TRUE(list.GetWord(2, word));
    EXPECT_EQ(L"b", word.m_text);
    EXPECT_EQ(20, word.m_rect.left);
    list.Clear();
    EXPECT_EQ(0, list.GetCount());
    EXPECT_FALSE(list.GetWord(1, word));
}

} // namespace

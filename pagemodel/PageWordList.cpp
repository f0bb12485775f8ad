#include "pagemodel/PageWordList.h"

#include "pagemodel/WordReadingOrder.h"

ConvertingWord* PageWordList::AddWord(std::unique_ptr<ConvertingWord> word)
{
    m_words.push_back(std::move(word));
    ConvertingWord* added = m_words.back().get();
    added->m_sequence = GetCount();
    return added;
}

bool PageWordList::GetWord(int n, ConvertingWord& word) const
{
    if (n < 1 || n > GetCount())
        return false;
    word = *m_words[n - 1];
    return true;
}

void PageWordList::Clear()
{
    m_words.clear();
}

void PageWordList::ArrangeInReadingOrder()
{
    SortInReadingOrder(m_words);
    RemoveDuplicateWords(m_words);
    JoinAdjacentWords(m_words);
    for (size_t i = 0; i < m_words.size(); ++i)
        m_words[i]->m_sequence = static_cast<int32_t>(i + 1);
}

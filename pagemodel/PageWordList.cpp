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
    for (std::unique_ptr<ConvertingWord>& word : m_words)
        m_spare.push_back(std::move(word));
    m_words.clear();
}

std::unique_ptr<ConvertingWord> PageWordList::NewWord()
{
    if (m_spare.empty())
        return std::make_unique<ConvertingWord>();
    std::unique_ptr<ConvertingWord> word = std::move(m_spare.back());
    m_spare.pop_back();
    word->m_rect = RECT{0, 0, 0, 0};
    word->m_colour = 0;
    word->m_fontSize = 0;
    word->m_text.clear();
    word->m_extra = 0;
    word->m_sequence = -1;
    return word;
}

void PageWordList::ArrangeInReadingOrder()
{
    SortInReadingOrder(m_words);
    RemoveDuplicateWords(m_words);
    JoinAdjacentWords(m_words);
    for (size_t i = 0; i < m_words.size(); ++i)
        m_words[i]->m_sequence = static_cast<int32_t>(i + 1);
}

#pragma once
// The words of the page on show, in reading order, owned by the list.

#include "pagemodel/ConvertingWord.h"

#include <memory>
#include <vector>

class PageWordList
{
public:
    PageWordList() = default;
    PageWordList(const PageWordList&) = delete;
    PageWordList& operator=(const PageWordList&) = delete;

    // Takes the word and gives it the sequence number of its place (the new count).
    ConvertingWord* AddWord(std::unique_ptr<ConvertingWord> word);
    // Copies the word with the 1-based sequence number n; false outside 1..count.
    bool GetWord(int n, ConvertingWord& word) const;
    // Empties the list; its words are kept as spares for the next build.
    void Clear();
    // A word to fill and add: a spare one, reset to a new word's values, when there is one, so
    // that a list rebuilt page after page reuses its words and their text storage.
    std::unique_ptr<ConvertingWord> NewWord();

    int GetCount() const { return static_cast<int>(m_words.size()); }
    // 0-based access in list order.
    ConvertingWord* GetAt(int index) const { return m_words[index].get(); }

    // Puts the words into reading order, removes repeated drawings of one word, joins the
    // pieces of a word drawn in several runs and renumbers the result.
    void ArrangeInReadingOrder();

private:
    std::vector<std::unique_ptr<ConvertingWord>> m_words;
    std::vector<std::unique_ptr<ConvertingWord>> m_spare;
};

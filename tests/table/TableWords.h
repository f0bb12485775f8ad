#pragma once
// Words of a test page, owned by the page and handed out as the table layer's word list.
#include "pagemodel/ConvertingWord.h"
#include "table/WordGeometry.h"

#include <memory>
#include <string>
#include <vector>

class TestPage
{
public:
    TestPage& Add(LONG left, LONG top, LONG right, LONG bottom, const std::wstring& text, int32_t colour = 0,
                  int32_t fontSize = 1000)
    {
        m_words.push_back(std::make_unique<ConvertingWord>(RECT{left, top, right, bottom}, text, colour, fontSize));
        return *this;
    }
    WordList Words() const
    {
        WordList list;
        for (const auto& word : m_words)
            list.push_back(word.get());
        return list;
    }

private:
    std::vector<std::unique_ptr<ConvertingWord>> m_words;
};

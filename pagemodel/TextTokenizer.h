#pragma once

#include <cstddef>
#include <string>

// Splits a text into tokens at delimiter characters (default: space, tab, line feed,
// carriage return). Tokens point into the tokenizer's own copy of the text.
class TextTokenizer
{
public:
    explicit TextTokenizer(const std::wstring& text, const wchar_t* delimiters = nullptr);
    TextTokenizer(const TextTokenizer&) = delete;
    TextTokenizer& operator=(const TextTokenizer&) = delete;

    // The next token and its length; null at the end. With trim set, characters that are
    // neither letters nor digits are dropped from both ends (endsWithPoint tells whether a
    // "." was dropped from the end) and tokens that become empty are skipped.
    const wchar_t* NextToken(size_t& length, bool& endsWithPoint, bool trim);
    bool NextTokenString(std::wstring& token, bool trim);

private:
    bool IsDelimiter(wchar_t c) const;

    const std::wstring m_text;
    const wchar_t* m_position;
    const wchar_t* m_end;
    std::wstring m_delimiters;
    const wchar_t* m_lastToken = nullptr;
};

#include "pagemodel/TextTokenizer.h"

#include <cwctype>

TextTokenizer::TextTokenizer(const std::wstring& text, const wchar_t* delimiters)
    : m_text(text), m_position(m_text.data()), m_end(m_text.data() + m_text.size()),
      m_delimiters(delimiters != nullptr ? delimiters : L" \t\n\r")
{
}

bool TextTokenizer::IsDelimiter(wchar_t c) const
{
    return m_delimiters.find(c) != std::wstring::npos;
}

const wchar_t* TextTokenizer::NextToken(size_t& length, bool& endsWithPoint, bool trim)
{
    endsWithPoint = false;
    for (;;) {
        while (m_position < m_end && IsDelimiter(*m_position))
            ++m_position;
        if (m_position >= m_end) {
            length = 0;
            return nullptr;
        }
        const wchar_t* start = m_position;
        while (m_position < m_end && !IsDelimiter(*m_position))
            ++m_position;
        const wchar_t* stop = m_position;
        if (trim) {
            bool droppedPoint = false;
            while (start < stop && !std::iswalnum(*start))
                ++start;
            while (stop > start && !std::iswalnum(stop[-1])) {
                droppedPoint = droppedPoint || stop[-1] == L'.';
                --stop;
            }
            if (start == stop)
                continue;
            endsWithPoint = droppedPoint;
        }
        m_lastToken = start;
        length = size_t(stop - start);
        return start;
    }
}

bool TextTokenizer::NextTokenString(std::wstring& token, bool trim)
{
    size_t length = 0;
    bool endsWithPoint = false;
    const wchar_t* start = NextToken(length, endsWithPoint, trim);
    if (start == nullptr)
        return false;
    token.assign(start, length);
    return true;
}

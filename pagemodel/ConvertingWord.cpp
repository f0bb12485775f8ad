#include "pagemodel/ConvertingWord.h"

#include "pagemodel/OxReadWrite.h"

ConvertingWord::ConvertingWord(const RECT& rect, const std::wstring& text, int32_t colour, int32_t fontSize)
    : m_rect(rect), m_colour(colour), m_fontSize(fontSize), m_text(text)
{
}

bool ConvertingWord::Write(OxReadWrite& stream) const
{
    return stream.WriteValue(int32_t(m_rect.left)) && stream.WriteValue(int32_t(m_rect.right))
        && stream.WriteValue(int32_t(m_rect.top)) && stream.WriteValue(int32_t(m_rect.bottom))
        && stream.WriteValue(m_colour) && WriteWideString(stream, m_text)
        && stream.WriteValue(m_sequence) && stream.WriteValue(m_fontSize);
}

bool ConvertingWord::Read(OxReadWrite& stream)
{
    int32_t left = 0, right = 0, top = 0, bottom = 0;
    if (!stream.ReadValue(left) || !stream.ReadValue(right) || !stream.ReadValue(top)
        || !stream.ReadValue(bottom))
        return false;
    m_rect = RECT{left, top, right, bottom};
    return stream.ReadValue(m_colour) && ReadWideString(stream, m_text)
        && stream.ReadValue(m_sequence) && stream.ReadValue(m_fontSize);
}

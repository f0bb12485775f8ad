#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

class OxReadWrite;

// A word of a page: its box in page pixels, its text and where it came from.
class ConvertingWord
{
public:
    ConvertingWord() = default;
    ConvertingWord(const RECT& rect, const std::wstring& text, int32_t colour = 0, int32_t fontSize = 0);
    virtual ~ConvertingWord() = default;
    ConvertingWord(const ConvertingWord&) = default;
    ConvertingWord& operator=(const ConvertingWord&) = default;

    // left, right, top, bottom, colour, text, sequence number, font size.
    // The extra value is not stored; Read leaves it as it is.
    virtual bool Write(OxReadWrite& stream) const;
    virtual bool Read(OxReadWrite& stream);

    RECT m_rect = {0, 0, 0, 0};
    int32_t m_colour = 0;
    int32_t m_fontSize = 0;   // font height in hundredths of a point
    std::wstring m_text;
    int32_t m_extra = 0;
    int32_t m_sequence = -1;  // 1-based position in the page's word list
};

static_assert(sizeof(LONG) == 4, "word rectangles are stored as 32-bit values");

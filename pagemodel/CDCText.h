#pragma once

#include "pagemodel/CDCItem.h"

#include <vector>

// One character of a text run, in pixels from the run's left edge.
class CDCCharInfo
{
public:
    CDCCharInfo() = default;
    CDCCharInfo(uint16_t character, uint16_t x, uint16_t width) : m_char(character), m_x(x), m_width(width) {}
    virtual ~CDCCharInfo() = default;
    CDCCharInfo(const CDCCharInfo&) = default;
    CDCCharInfo& operator=(const CDCCharInfo&) = default;

    virtual bool Write(OxReadWrite& stream) const;
    // Character records exist from version 4 on.
    virtual bool Read(OxReadWrite& stream, uint32_t version);

    bool operator==(const CDCCharInfo& other) const
    {
        return m_char == other.m_char && m_x == other.m_x && m_width == other.m_width;
    }

    uint16_t m_char = 0;   // UTF-16 code unit, or a glyph index while the run is flagged
    uint16_t m_x = 0;
    uint16_t m_width = 0;
};

// One run of text drawn by one text-output call.
class CDCText : public CDCItem
{
public:
    bool Write(OxReadWrite& stream) const override;
    // Versions 2 and 3 carry the text as a string with optional x offsets; they are
    // converted into character records. A failed read leaves the item as it was.
    bool Read(OxReadWrite& stream, uint32_t version) override;
    CDCItem* Clone() const override;
    BYTE GetType() const override { return CDCItemTypeText; }

    RECT m_rect = {0, 0, 0, 0};
    BYTE m_glyphIndex = 0;   // nonzero: m_chars hold glyph indices of the font
    uint32_t m_colour = 0;
    std::vector<CDCCharInfo> m_chars;

private:
    bool ReadOlderText(OxReadWrite& stream, std::vector<CDCCharInfo>& chars, uint32_t& colour,
                       const RECT& rect);
};

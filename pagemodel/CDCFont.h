#pragma once

#include "pagemodel/CDCItem.h"

static_assert(sizeof(LOGFONTW) == 92, "a font record is the 92-byte wide logical font");

// The font in which the following texts of a page are drawn. The height is in
// points, positive.
class CDCFont : public CDCItem
{
public:
    CDCFont() : m_logFont() {}
    explicit CDCFont(const LOGFONTW& logFont) : m_logFont(logFont) {}

    bool Write(OxReadWrite& stream) const override;
    bool Read(OxReadWrite& stream, uint32_t version) override;
    CDCItem* Clone() const override;
    BYTE GetType() const override { return CDCItemTypeFont; }
    virtual bool IsEqual(const CDCFont& other) const;
    virtual void Assign(const CDCFont& other);

    LOGFONTW m_logFont;
};

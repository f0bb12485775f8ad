#include "pagemodel/CDCFont.h"

#include "pagemodel/OxReadWrite.h"

#include <cstring>
#include <new>

bool CDCFont::Write(OxReadWrite& stream) const
{
    return stream.Write(&m_logFont, sizeof(m_logFont));
}

bool CDCFont::Read(OxReadWrite& stream, uint32_t)
{
    LOGFONTW logFont;
    if (!stream.Read(&logFont, sizeof(logFont)))
        return false;
    m_logFont = logFont;
    return true;
}

CDCItem* CDCFont::Clone() const
{
    return new (std::nothrow) CDCFont(*this);
}

bool CDCFont::IsEqual(const CDCFont& other) const
{
    return std::memcmp(&m_logFont, &other.m_logFont, sizeof(m_logFont)) == 0;
}

void CDCFont::Assign(const CDCFont& other)
{
    m_logFont = other.m_logFont;
}

#include "pagemodel/SelectedFont.h"

SelectedFont::SelectedFont(HDC dc, const LOGFONTW& logFont) : m_dc(dc)
{
    LOGFONTW terminated = logFont;
    terminated.lfFaceName[LF_FACESIZE - 1] = L'\0';
    m_font = CreateFontIndirectW(&terminated);
    if (m_font == nullptr)
        return;
    m_oldFont = SelectObject(dc, m_font);
    if (m_oldFont == HGDI_ERROR)
        m_oldFont = nullptr;
}

SelectedFont::~SelectedFont()
{
    if (m_oldFont != nullptr)
        SelectObject(m_dc, m_oldFont);
    if (m_font != nullptr)
        DeleteObject(m_font);
}

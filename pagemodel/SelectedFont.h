#pragma once

#include <windows.h>

// A font created from a logical font and selected into a device context for the life
// of the object; the old font is selected back and the new one deleted at the end.
// The face name is terminated within its 32 characters before the font is created.
class SelectedFont
{
public:
    SelectedFont(HDC dc, const LOGFONTW& logFont);
    ~SelectedFont();
    SelectedFont(const SelectedFont&) = delete;
    SelectedFont& operator=(const SelectedFont&) = delete;

    // False when the font could not be created or selected.
    bool IsValid() const { return m_font != nullptr && m_oldFont != nullptr; }
    HFONT GetHandle() const { return m_font; }

private:
    HDC m_dc;
    HFONT m_font = nullptr;
    HGDIOBJ m_oldFont = nullptr;
};

// The fonts window code relies on are present in the prefix: Marlett draws the caption buttons,
// Tahoma is the dialog font. Without Marlett the buttons show the letters "0", "1" and "r".
#include "tests/support/MemoryDC.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace
{

int CALLBACK NoteTrueType(const LOGFONTW*, const TEXTMETRICW*, DWORD type, LPARAM found)
{
    if (type & TRUETYPE_FONTTYPE)
        *reinterpret_cast<bool*>(found) = true;
    return 1;
}

bool IsTrueTypeFamily(HDC dc, const wchar_t* face)
{
    LOGFONTW wanted = {};
    wanted.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    EnumFontFamiliesExW(dc, &wanted, NoteTrueType, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

// The face the font mapper really gives for a request: another one when the face is missing.
std::wstring FaceGivenFor(HDC dc, const wchar_t* face, BYTE charSet)
{
    HFONT font = CreateFontW(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, charSet, 0, 0, 0, 0, face);
    HGDIOBJ old = SelectObject(dc, font);
    wchar_t given[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, given);
    SelectObject(dc, old);
    DeleteObject(font);
    return given;
}

struct Box
{
    int left = 0, top = 0, right = -1, bottom = -1;
    int Width() const { return right - left + 1; }
    int Height() const { return bottom - top + 1; }
};

// The pixels of the surface in the given colour, and the box around them.
std::vector<std::vector<bool>> PixelsOf(const MemoryDC& dc, COLORREF colour, Box& box)
{
    std::vector<std::vector<bool>> set(dc.Height(), std::vector<bool>(dc.Width(), false));
    box = Box{dc.Width(), dc.Height(), -1, -1};
    for (int y = 0; y < dc.Height(); ++y)
        for (int x = 0; x < dc.Width(); ++x)
            if (dc.Pixel(x, y) == colour)
            {
                set[y][x] = true;
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
            }
    return set;
}

} // namespace

TEST(WineFonts, MarlettAndTahomaAreInstalledAndChosenByName)
{
    MemoryDC dc;
    const struct
    {
        const wchar_t* face;
        BYTE charSet;
    } cases[] = {{L"Marlett", SYMBOL_CHARSET}, {L"Tahoma", DEFAULT_CHARSET}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "face " << std::string(c.face, c.face + wcslen(c.face)));
        EXPECT_TRUE(IsTrueTypeFamily(dc, c.face));
        EXPECT_EQ(FaceGivenFor(dc, c.face, c.charSet), c.face);
    }
}

// Marlett's close glyph is a cross: the same mirrored left to right and top to bottom, and
// filled at its centre. The letter "r" a missing Marlett leaves behind is neither.
TEST(WineFonts, CaptionCloseButtonDrawsMarlettsCross)
{
    MemoryDC dc(40, 40);
    ASSERT_TRUE(dc.HasSurface());
    RECT button = {0, 0, 40, 40};
    ASSERT_TRUE(DrawFrameControl(dc, &button, DFC_CAPTION, DFCS_CAPTIONCLOSE));

    const COLORREF ink = GetSysColor(COLOR_BTNTEXT);
    Box box;
    const auto glyph = PixelsOf(dc, ink, box);
    ASSERT_GE(box.Width(), 6) << "no glyph drawn";
    ASSERT_GE(box.Height(), 6) << "no glyph drawn";
    EXPECT_LE(std::abs(box.Width() - box.Height()), 2) << "a cross is as wide as it is high";

    int inked = 0, mirroredAcross = 0, mirroredDown = 0;
    for (int y = box.top; y <= box.bottom; ++y)
        for (int x = box.left; x <= box.right; ++x)
        {
            if (!glyph[y][x])
                continue;
            ++inked;
            mirroredAcross += glyph[y][box.left + box.right - x];
            mirroredDown += glyph[box.top + box.bottom - y][x];
        }
    EXPECT_GE(mirroredAcross * 10, inked * 9);
    EXPECT_GE(mirroredDown * 10, inked * 9);
    const int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
    EXPECT_TRUE(glyph[cy][cx] || glyph[cy][cx + 1] || glyph[cy + 1][cx] || glyph[cy + 1][cx + 1])
        << "the arms cross at the centre";
}

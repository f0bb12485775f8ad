// The shared look data as the screen and the system colours make it.
#include "tests/uitoolkit/looks/LooksTestSupport.h"
#include "uitoolkit/looks/KTUIGlobals.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
COLORREF SolidBrushColor(CBrush& brush)
{
    LOGBRUSH logBrush{};
    EXPECT_NE(0, brush.GetLogBrush(&logBrush));
    EXPECT_EQ(static_cast<UINT>(BS_SOLID), logBrush.lbStyle);
    return logBrush.lbColor;
}

LOGFONTW LogFontOf(CFont& font)
{
    LOGFONTW logFont{};
    EXPECT_NE(0, font.GetLogFont(&logFont));
    return logFont;
}

// The face GDI gives for a request of this face on the screen.
CString RealisedFace(LPCTSTR face)
{
    HDC hScreen = ::GetDC(nullptr);
    HFONT hFont = ::CreateFontW(-11, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
    HGDIOBJ hOld = ::SelectObject(hScreen, hFont);
    wchar_t realised[LF_FACESIZE] = {};
    ::GetTextFaceW(hScreen, LF_FACESIZE, realised);
    ::SelectObject(hScreen, hOld);
    ::DeleteObject(hFont);
    ::ReleaseDC(nullptr, hScreen);
    return CString(realised);
}
} // namespace

TEST(UIGlobalsTest, HalftoneIsTheMidColourAboveEightBits)
{
    if (ktGlobals.m_bitsPerPixel <= 8)
        GTEST_SKIP() << "palette screen: see the checker test";
    struct Case
    {
        COLORREF face;
        COLORREF highlight;
        COLORREF expected;
    };
    const Case cases[] = {
        {RGB(192, 192, 192), RGB(255, 255, 255), RGB(223, 223, 223)},
        {RGB(200, 10, 0), RGB(100, 11, 255), RGB(150, 10, 127)},  // signed halves truncate toward zero
    };
    for (const Case& c : cases)
    {
        ScopedSysColors colors{{COLOR_BTNFACE, c.face}, {COLOR_BTNHIGHLIGHT, c.highlight}};
        EXPECT_EQ(c.face, ktGlobals.m_colorFace);
        EXPECT_EQ(c.face, ktGlobals.m_colorBarFace);
        EXPECT_EQ(c.face, SolidBrushColor(ktGlobals.m_brushFace));
        EXPECT_EQ(ColorText(c.expected), ColorText(SolidBrushColor(ktGlobals.m_brushHalftone)));
    }
}

TEST(UIGlobalsTest, TheDitherBitmapIsAnEightByEightCheckerOfFaceAndHighlight)
{
    ScopedSysColors colors{{COLOR_BTNFACE, RGB(192, 192, 192)}, {COLOR_BTNHIGHLIGHT, RGB(255, 255, 255)}};
    DibSurface surface(8, 8, RGB(1, 2, 3));
    HBITMAP hDither = ktGlobals.CreateDitherBitmap(surface.Hdc());
    ASSERT_NE(nullptr, hDither);
    BITMAP info{};
    ::GetObjectW(hDither, sizeof(info), &info);
    EXPECT_EQ(8, info.bmWidth);
    EXPECT_EQ(8, info.bmHeight);
    HDC hSource = ::CreateCompatibleDC(surface.Hdc());
    HGDIOBJ hOld = ::SelectObject(hSource, hDither);
    ::BitBlt(surface.Hdc(), 0, 0, 8, 8, hSource, 0, 0, SRCCOPY);
    ::SelectObject(hSource, hOld);
    ::DeleteDC(hSource);
    ::DeleteObject(hDither);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(ColorText((x + y) % 2 ? RGB(255, 255, 255) : RGB(192, 192, 192)), ColorText(surface.Pixel(x, y)))
                << x << "," << y;
}

TEST(UIGlobalsTest, TextFaceFollowsTheMenuFontsCharacterSet)
{
    const CString westernFace = RealisedFace(KT_FONT_TAHOMA).CompareNoCase(KT_FONT_TAHOMA) == 0
                                    ? CString(KT_FONT_TAHOMA)
                                    : CString(KT_FONT_SANS_SERIF);
    struct Case
    {
        BYTE charSet;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {ANSI_CHARSET, westernFace},       {DEFAULT_CHARSET, westernFace},    {SYMBOL_CHARSET, westernFace},
        {SHIFTJIS_CHARSET, L"Menu Face"},  {RUSSIAN_CHARSET, L"Menu Face"},   {GREEK_CHARSET, L"Menu Face"},
    };
    HDC hScreen = ::GetDC(nullptr);
    for (const Case& c : cases)
        EXPECT_STREQ(c.expected, CKTUIGlobals::ChooseTextFace(c.charSet, L"Menu Face", hScreen).GetString())
            << int(c.charSet);
    ::ReleaseDC(nullptr, hScreen);
    EXPECT_STREQ(westernFace, LogFontOf(ktGlobals.m_fontText).lfFaceName);
}

TEST(UIGlobalsTest, FontsAreTheMenuFontInTheirStyles)
{
    ktGlobals.UpdateFonts();
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0));

    const LOGFONTW text = LogFontOf(ktGlobals.m_fontText);
    EXPECT_EQ(metrics.lfMenuFont.lfHeight, text.lfHeight);
    EXPECT_EQ(metrics.lfMenuFont.lfWeight, text.lfWeight);
    EXPECT_EQ(FW_BOLD, LogFontOf(ktGlobals.m_fontBold).lfWeight);
    EXPECT_FALSE(LogFontOf(ktGlobals.m_fontBold).lfUnderline);
    EXPECT_TRUE(LogFontOf(ktGlobals.m_fontUnderline).lfUnderline);
    EXPECT_EQ(metrics.lfStatusFont.lfWeight, LogFontOf(ktGlobals.m_fontStatusStyle).lfWeight);

    const LOGFONTW symbols = LogFontOf(ktGlobals.m_fontSymbols);
    EXPECT_EQ(::GetSystemMetrics(SM_CYMENUCHECK) - 1, symbols.lfHeight);
    EXPECT_EQ(SYMBOL_CHARSET, symbols.lfCharSet);
    EXPECT_STREQ(KT_FONT_MARLETT, symbols.lfFaceName);

    EXPECT_EQ(2700, LogFontOf(ktGlobals.m_fontRotated270).lfEscapement);
    EXPECT_EQ(900, LogFontOf(ktGlobals.m_fontRotated90).lfEscapement);
    EXPECT_STREQ(KT_FONT_ARIAL, LogFontOf(ktGlobals.m_fontRotated90).lfFaceName);

    HDC hScreen = ::GetDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hScreen, ktGlobals.m_fontText.GetSafeHandle());
    TEXTMETRICW tm{};
    ::GetTextMetricsW(hScreen, &tm);
    ::SelectObject(hScreen, hOld);
    ::ReleaseDC(nullptr, hScreen);
    EXPECT_EQ(tm.tmHeight + tm.tmInternalLeading + tm.tmExternalLeading, ktGlobals.m_textHeight);
    EXPECT_GT(ktGlobals.m_textHeightRotated, 0);
}

namespace
{
// A parent whose background is red left of x = 100 and blue from there on.
LRESULT CALLBACK TwoColourParentProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND)
    {
        HDC hDC = reinterpret_cast<HDC>(wParam);
        RECT left{0, 0, 100, 400};
        RECT right{100, 0, 400, 400};
        HBRUSH red = ::CreateSolidBrush(RGB(255, 0, 0));
        HBRUSH blue = ::CreateSolidBrush(RGB(0, 0, 255));
        ::FillRect(hDC, &left, red);
        ::FillRect(hDC, &right, blue);
        ::DeleteObject(red);
        ::DeleteObject(blue);
        return 1;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}
} // namespace

// The child sits at (90, 30) of its parent: its pixel (9, y) lies over red, (10, y) over blue.
TEST(UIGlobalsTest, ParentBackgroundIsPaintedUnderTheChild)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = TwoColourParentProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KestLooksTwoColourParent";
    ::RegisterClassW(&wc);
    HWND hParent = ::CreateWindowExW(0, wc.lpszClassName, L"parent", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 300,
                                     200, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(nullptr, hParent);
    HWND hChild =
        ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 90, 30, 20, 10, hParent, nullptr, wc.hInstance, nullptr);
    CWnd child;
    child.Attach(hChild);

    struct Case
    {
        const wchar_t* themeLibrary;
        const RECT* clip;
    };
    const RECT rightHalf{10, 0, 20, 10};
    const Case cases[] = {{L"UxTheme.dll", nullptr}, {L"kest-no-such-theme-library.dll", nullptr},
                          {L"kest-no-such-theme-library.dll", &rightHalf}};
    for (const Case& c : cases)
    {
        ktGlobals.SetThemeLibraryName(c.themeLibrary);
        DibSurface surface(20, 10, RGB(0, 255, 0));
        ktGlobals.DrawParentBackground(&child, &surface.Dc(), c.clip);
        EXPECT_EQ(ColorText(c.clip ? RGB(0, 255, 0) : RGB(255, 0, 0)), ColorText(surface.Pixel(9, 5))) << c.themeLibrary;
        EXPECT_EQ(ColorText(RGB(0, 0, 255)), ColorText(surface.Pixel(10, 5))) << c.themeLibrary;
        EXPECT_EQ(ColorText(RGB(0, 0, 255)), ColorText(surface.Pixel(19, 9))) << c.themeLibrary;
        HRGN hClip = ::CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(0, ::GetClipRgn(surface.Hdc(), hClip)) << "the clip is removed";
        ::DeleteObject(hClip);
    }
    ktGlobals.SetThemeLibraryName(L"UxTheme.dll");
    child.Detach();
    ::DestroyWindow(hParent);
}

// The themes-off run (KEST_LOOKS_THEMES=off) must really run without visual styles, or its
// fallback paths would go untested.
TEST(UIGlobalsTest, VisualStylesAreAsTheRunSays)
{
    char mode[16] = {};
    const bool themesOff = ::GetEnvironmentVariableA("KEST_LOOKS_THEMES", mode, sizeof(mode)) > 0 &&
                           strcmp(mode, "off") == 0;
    HMODULE hTheme = ::LoadLibraryW(L"UxTheme.dll");
    ASSERT_NE(nullptr, hTheme);
    using OpenThemeDataFn = HANDLE(WINAPI*)(HWND, LPCWSTR);
    using CloseThemeDataFn = HRESULT(WINAPI*)(HANDLE);
    auto openThemeData =
        reinterpret_cast<OpenThemeDataFn>(reinterpret_cast<void*>(::GetProcAddress(hTheme, "OpenThemeData")));
    auto closeThemeData =
        reinterpret_cast<CloseThemeDataFn>(reinterpret_cast<void*>(::GetProcAddress(hTheme, "CloseThemeData")));
    ASSERT_NE(nullptr, openThemeData);
    HWND hWnd = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
    HANDLE hThemeData = openThemeData(hWnd, L"TOOLBAR");
    EXPECT_EQ(themesOff, hThemeData == nullptr) << (themesOff ? "themes-off run" : "themes-on run");
    if (hThemeData != nullptr && closeThemeData != nullptr)
        closeThemeData(hThemeData);
    ::DestroyWindow(hWnd);
    ::FreeLibrary(hTheme);
}

// The 2003 look: its colours from the system colours (and the standard style's from its theme
// colours), its gradient painters, and the XP look's pixels on palette screens.
#include "tests/uitoolkit/looks/LookOperations.h"
#include "tests/uitoolkit/looks/LookSheet.h"
#include "tests/uitoolkit/looks/LooksTestSupport.h"
#include "uitoolkit/bars/KTTabWnd.h"
#include "uitoolkit/bars/KTPopupMenuBar.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/looks/KTDrawHelper.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManager2003.h"

#include <gtest/gtest.h>

namespace
{
class Look2003Test : public ::testing::Test
{
protected:
    Look2003Test() : m_colors(ScopedSysColors::Classic()) {}
    ~Look2003Test() override
    {
        CKTVisualManager2003::m_strThemeFileOverride.Empty();
        CKTThemeLibrary::SetModuleName(m_module);
        // The look wrote its bar colours into the globals.
        ktGlobals.UpdateSysColors();
    }
    ScopedSysColors m_colors;
    CString m_module = CKTThemeLibrary::GetModuleName();
};

struct ColorCase
{
    const char* what;
    COLORREF actual;
    COLORREF expected;
};

// Within one of the 64 bands of a gradient.
bool Near(COLORREF expected, COLORREF actual)
{
    return abs(GetRValue(expected) - GetRValue(actual)) <= 4 && abs(GetGValue(expected) - GetGValue(actual)) <= 4 &&
           abs(GetBValue(expected) - GetBValue(actual)) <= 4;
}

void ExpectColors(const std::vector<ColorCase>& cases, const char* run)
{
    for (const ColorCase& c : cases)
        EXPECT_EQ(ColorText(c.expected), ColorText(c.actual)) << run << ": " << c.what;
}
} // namespace

TEST_F(Look2003Test, OutsideTheStandardStyleColoursFollowTheSystemColours)
{
    // Wine's visual style is not the standard one; "Royale" stands for any other.
    for (const wchar_t* themeFile : {L"", L"Royale"})
    {
        CKTVisualManager2003::m_strThemeFileOverride = themeFile;
        CKTVisualManager2003 look;
        ASSERT_FALSE(look.IsStandardStyle());
        auto sys = [&look](int index) { return look.GetThemeSysColorOrDefault(look.m_hThemeWindow, index); };
        const COLORREF face = sys(COLOR_BTNFACE);
        EXPECT_EQ(ColorText(face), ColorText(ktGlobals.m_colorBarFace));
        EXPECT_EQ(ColorText(sys(COLOR_3DDKSHADOW)), ColorText(ktGlobals.m_colorBarDarkShadow));
        const COLORREF hStart = CKTDrawHelper::BlendColors(face, sys(COLOR_BTNFACE), 0.93, 2, 1);
        const COLORREF hEnd = CKTDrawHelper::BlendColors(face, sys(COLOR_WINDOW), 1.03, 1, 1);
        const COLORREF dark = ktGlobals.m_colorBarDarkShadow;
        const COLORREF pressed = CKTDrawHelper::PixelAlpha(look.m_clrHighlight, 120);
        ExpectColors(
            {{"toolbar gradient start", look.m_clrToolBarGradientStart, hStart},
             {"toolbar gradient end", look.m_clrToolBarGradientEnd, hEnd},
             {"vertical gradient start", look.m_clrToolBarGradientVertStart, hEnd},
             {"vertical gradient end", look.m_clrToolBarGradientVertEnd, CKTDrawHelper::PixelAlpha(hStart, 98)},
             {"bar gradient start", look.m_clrBarGradientStart,
              CKTDrawHelper::BlendColors(face, sys(COLOR_3DLIGHT), 0.99, 2, 1)},
             {"bar gradient end", look.m_clrBarGradientEnd, hEnd},
             {"menu item highlight", look.m_clrMenuItemHighlight, (COLORREF)-1},
             {"highlight gradient end", look.m_clrHighlightGradientEnd, look.m_clrHighlight},
             {"highlight gradient start", look.m_clrHighlightGradientStart, look.m_clrHighlightDn},
             {"pressed", look.m_clrPressed, pressed},
             {"pressed gradient start", look.m_clrPressedGradientStart, look.m_clrHighlightDn},
             {"checked", look.m_clrChecked, look.m_clrHighlightDn},
             {"checked gradient start", look.m_clrCheckedGradientStart, CKTDrawHelper::PixelAlpha(pressed, 120)},
             {"customize button start", look.m_clrCustomizeButtonGradientStart, dark},
             {"customize button end", look.m_clrCustomizeButtonGradientEnd, ktGlobals.m_colorBarShadow},
             {"toolbar edge", look.m_clrToolBarEdge, dark},
             {"corner 1", look.m_clrToolBarCorner1, ktGlobals.m_colorBarLight},
             {"corner 2", look.m_clrToolBarCorner2, dark},
             {"gripper dots", look.m_clrGripperDots, dark},
             {"caption bar start", look.m_clrCaptionBarGradientStart, ktGlobals.m_colorBarShadow},
             {"caption bar end", look.m_clrCaptionBarGradientEnd, dark},
             {"highlight border", look.m_clrHighlightBorder, ::GetSysColor(COLOR_HIGHLIGHT)}},
            themeFile[0] == 0 ? "the run's style" : "another style");
    }
}

// The standard style's colours come from the push button's accent and border colours and the
// window theme's fill colour; with no theme data (no theme library here) the system's highlight,
// button shadow and window colours stand in.
TEST_F(Look2003Test, TheStandardStyleMixesTheThemeColours)
{
    CKTThemeLibrary::SetModuleName(L"KestNoThemeLibrary.dll");
    CKTVisualManager2003::m_strThemeFileOverride = L"luna";
    CKTVisualManager2003 look;
    ASSERT_TRUE(look.IsStandardStyle());
    const COLORREF window = RGB(255, 255, 255), highlight = RGB(10, 36, 106), shadow = RGB(128, 128, 128);
    const COLORREF face = CKTDrawHelper::BlendColors(window, ::GetSysColor(COLOR_MENUHILIGHT), 1.0, 1, 1);
    const COLORREF hStart = CKTDrawHelper::BlendColors(highlight, ::GetSysColor(COLOR_BTNFACE), 0.93, 2, 1);
    const COLORREF hEnd = CKTDrawHelper::BlendColors(highlight, window, 1.03, 1, 1);
    const COLORREF vEnd = CKTDrawHelper::PixelAlpha(hStart, 98);
    const COLORREF darkShadow = CKTDrawHelper::BlendColors(shadow, highlight, 0.63, 1, 3);
    const COLORREF barShadow = CKTDrawHelper::BlendColors(shadow, highlight, 1.2, 1, 3);
    const COLORREF pressed = CKTDrawHelper::BlendColors(highlight, window, 1.03, 1, 2);
    ExpectColors(
        {{"bar face", ktGlobals.m_colorBarFace, face},
         {"bar highlight", ktGlobals.m_colorBarHighlight, CKTDrawHelper::PixelAlpha(face, 130)},
         {"bar light", ktGlobals.m_colorBarLight, CKTDrawHelper::PixelAlpha(face, 110)},
         {"bar dark shadow", ktGlobals.m_colorBarDarkShadow, darkShadow},
         {"bar shadow", ktGlobals.m_colorBarShadow, barShadow},
         {"toolbar gradient start", look.m_clrToolBarGradientStart, hStart},
         {"toolbar gradient end", look.m_clrToolBarGradientEnd, hEnd},
         {"menu item highlight", look.m_clrMenuItemHighlight, CKTDrawHelper::BlendColors(highlight, window, 1.3, 1, 1)},
         {"highlight gradient end", look.m_clrHighlightGradientEnd,
          CKTDrawHelper::BlendColors(highlight, window, 1.55, 2, 1)},
         {"highlight gradient start", look.m_clrHighlightGradientStart,
          CKTDrawHelper::BlendColors(highlight, window, 1.03, 2, 1)},
         {"pressed", look.m_clrPressed, pressed},
         {"checked gradient start", look.m_clrCheckedGradientStart, CKTDrawHelper::PixelAlpha(pressed, 120)},
         {"customize button start", look.m_clrCustomizeButtonGradientStart, darkShadow},
         {"customize button end", look.m_clrCustomizeButtonGradientEnd, barShadow},
         {"caption bar start", look.m_clrCaptionBarGradientStart, barShadow},
         {"caption bar end", look.m_clrCaptionBarGradientEnd, darkShadow},
         {"toolbar edge", look.m_clrToolBarEdge, CKTDrawHelper::PixelAlpha(hStart, 50)},
         {"corner 1", look.m_clrToolBarCorner1, CKTDrawHelper::PixelAlpha(hEnd, 92)},
         {"corner 2", look.m_clrToolBarCorner2, CKTDrawHelper::PixelAlpha(hStart, 97)},
         {"gripper dots", look.m_clrGripperDots, CKTDrawHelper::PixelAlpha(vEnd, 40)},
         {"highlight border", look.m_clrHighlightBorder, CKTDrawHelper::PixelAlpha(vEnd, 40)},
         {"pen", look.m_clrPen, CKTDrawHelper::PixelAlpha(vEnd, 81)}},
        "standard style");

    // Highlighted areas become gradients, solid inside menus.
    using State = CKTVisualManager::ButtonState;
    CKTToolBar toolBar;
    CKTPopupMenuBar menuBar;
    CKTToolbarMenuButton onBar, inMenu;
    onBar.m_pWndParent = &toolBar;
    inMenu.m_pWndParent = &menuBar;
    DibSurface surface(40, 40);
    look.OnFillButtonInterior(&surface.Dc(), &onBar, CRect(0, 0, 40, 40), State(2));
    EXPECT_TRUE(Near(look.m_clrHighlightGradientStart, surface.Pixel(20, 36))) << "bottom of the gradient";
    EXPECT_TRUE(Near(look.m_clrHighlightGradientEnd, surface.Pixel(20, 2))) << "top of the gradient";
    COLORREF text = 0;
    look.OnHighlightMenuItem(&surface.Dc(), &inMenu, CRect(0, 0, 40, 40), text);
    EXPECT_EQ(ColorText(look.m_clrMenuItemHighlight), ColorText(surface.Pixel(20, 20))) << "menu item";
}

TEST_F(Look2003Test, GradientBarsCornersGrippersAndEtchedSeparators)
{
    if (ktGlobals.m_bitsPerPixel <= 8)
        return;
    CKTVisualManager2003 look;
    CKTToolBar toolBar;
    toolBar.m_dwStyle = CBRS_ALIGN_TOP | CBRS_BORDER_ANY;
    DibSurface bar(100, 30, RGB(0, 128, 128));
    look.OnFillBarBackground(&bar.Dc(), &toolBar, CRect(0, 0, 100, 30), CRect());
    CRect rect(0, 0, 100, 30);
    DibSurface border(100, 30, RGB(0, 128, 128));
    look.OnDrawBarBorder(&border.Dc(), &toolBar, rect);
    look.OnDrawBarGripper(&bar.Dc(), CRect(2, 2, 10, 28), TRUE, &toolBar);
    look.OnDrawSeparator(&bar.Dc(), &toolBar, CRect(40, 2, 48, 28), TRUE);
    EXPECT_TRUE(Near(look.m_clrToolBarGradientEnd, bar.Pixel(50, 1))) << "the gradient ends at the top";
    EXPECT_TRUE(Near(look.m_clrToolBarGradientStart, bar.Pixel(50, 28))) << "and starts at the bottom";
    ExpectColors({{"bottom edge", bar.Pixel(50, 29), look.m_clrToolBarEdge},
                  {"top-left corner", bar.Pixel(0, 0), look.m_clrToolBarCorner1},
                  {"bottom-right corner", bar.Pixel(99, 29), look.m_clrToolBarCorner2},
                  {"gripper square", bar.Pixel(5, 4), look.m_clrGripperDots},
                  {"gripper square's light", bar.Pixel(7, 6), ktGlobals.m_colorHighlight},
                  {"separator", bar.Pixel(43, 10), look.m_clrPen},
                  {"separator's light line", bar.Pixel(44, 10), ktGlobals.m_colorBarHighlight},
                  {"no bar border", border.Pixel(0, 0), RGB(0, 128, 128)}},
                 "2003");
    EXPECT_EQ(CRect(0, 0, 100, 30), rect) << "the border takes no room";
}

TEST_F(Look2003Test, ThreeDTabFramesAreGradientsLighterAwayFromTheTabs)
{
    if (ktGlobals.m_bitsPerPixel <= 8)
        return;
    CKTVisualManager2003 look;
    CKTTabWnd tabWnd;
    DibSurface frame(40, 40, RGB(0, 128, 128));
    EXPECT_TRUE(look.OnEraseTabsFrame(&frame.Dc(), CRect(0, 0, 40, 40), &tabWnd)) << "tabs at the bottom";
    EXPECT_TRUE(Near(ktGlobals.m_colorBarFace, frame.Pixel(20, 39)));
    EXPECT_TRUE(Near(ktGlobals.m_colorBarHighlight, frame.Pixel(20, 0)));
    COLORREF dark = 0, black = 0, highlight = 0, face = 0, darkShadow = 0, light = 0;
    CBrush* pbrFace = nullptr;
    CBrush* pbrBlack = nullptr;
    look.GetTabFrameColors(&tabWnd, dark, black, highlight, face, darkShadow, light, pbrFace, pbrBlack);
    EXPECT_EQ(ColorText(ktGlobals.m_colorBarDarkShadow), ColorText(dark));
    EXPECT_TRUE(look.IsActiveTabAlwaysHighlighted());
}

TEST_F(Look2003Test, OnAPaletteScreenEveryPainterIsTheXPLook)
{
    // On a real palette screen (the 8-bit run) as it is; elsewhere the globals say 8 bits.
    const int real = ktGlobals.m_bitsPerPixel;
    ktGlobals.m_bitsPerPixel = std::min(real, 8);
    {
        CKTVisualManagerXP xp(TRUE);
        CKTVisualManager2003 look(TRUE);
        ExpectSamePixels(xp, look, "8 bits per pixel");
    }
    ktGlobals.m_bitsPerPixel = real;
}

TEST_F(Look2003Test, ScreenshotOfThe2003Look)
{
    CKTVisualManager2003 look;
    DibSurface capture(kLookSheetWidth, kLookSheetHeight);
    CaptureLookSheet(look, capture, L"look-2003.bmp");
}

// The XP look: its colours from the system colours, the menu button joined to its open menu, and
// its painters on surfaces and in a window.
#include "tests/uitoolkit/looks/LookSheet.h"
#include "tests/uitoolkit/looks/LooksTestSupport.h"
#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTSizingControlBar.h"
#include "uitoolkit/bars/KTTabWnd.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/bars/KTToolbarEditBoxButton.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/customize/KTColorBar.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManagerXP.h"

#include <gtest/gtest.h>

namespace
{
class XPLookTest : public ::testing::Test
{
protected:
    XPLookTest() : m_colors(ScopedSysColors::Classic()) {}
    ScopedSysColors m_colors;
};
} // namespace

TEST_F(XPLookTest, ColoursFromTheClassicScheme)
{
    CKTVisualManagerXP look(TRUE);
    struct Case
    {
        const char* what;
        COLORREF actual;
        COLORREF expected;
    };
    const Case cases[] = {
        {"menu background", look.m_clrMenuLight, RGB(249, 248, 247)},
        {"menu border", look.m_clrMenuBorder, RGB(116, 114, 110)},
        {"highlight border", look.m_clrHighlightBorder, RGB(10, 36, 106)},
        {"highlight", look.m_clrHighlight, RGB(177, 185, 210)},  // (selection + 2 x menu) / 3 by 105 percent
        {"separator", look.m_clrSeparator, RGB(182, 179, 172)},
        {"gripper dots", look.m_clrGripper, RGB(140, 140, 140)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ColorText(c.expected), ColorText(c.actual)) << c.what;
    EXPECT_FALSE(look.IsLook2000Allowed());
    EXPECT_EQ(3, look.GetMenuImageMargin());
}

TEST_F(XPLookTest, AGreyFaceKeepsAGreyTabArea)
{
    ScopedSysColors grey{{COLOR_BTNFACE, RGB(200, 200, 200)}};
    CKTVisualManagerXP look(TRUE);
    EXPECT_EQ(GetRValue(look.m_clrTabArea), GetGValue(look.m_clrTabArea));
    EXPECT_EQ(GetRValue(look.m_clrTabArea), GetBValue(look.m_clrTabArea));
    EXPECT_GT(GetRValue(look.m_clrTabArea), 200);
}

TEST_F(XPLookTest, HighlightedTextIsBlackOnlyWhenEveryByteIsAbove128)
{
    CKTVisualManagerXP look(TRUE);
    struct Case
    {
        COLORREF highlight;
        COLORREF text;
    };
    const Case cases[] = {{RGB(129, 129, 129), RGB(0, 0, 0)},
                          {RGB(128, 255, 255), RGB(255, 255, 255)},
                          {RGB(255, 128, 255), RGB(255, 255, 255)},
                          {RGB(255, 255, 128), RGB(255, 255, 255)}};
    for (const Case& c : cases)
    {
        look.m_clrHighlight = c.highlight;
        EXPECT_EQ(ColorText(c.text), ColorText(look.GetHighlightedTextColor())) << ColorText(c.highlight);
    }
}

TEST_F(XPLookTest, APaletteScreenUsesThePlainSystemColours)
{
    const int real = ktGlobals.m_bitsPerPixel;
    ktGlobals.m_bitsPerPixel = 8;
    CKTVisualManagerXP look(TRUE);
    ktGlobals.m_bitsPerPixel = real;
    const COLORREF window = ::GetSysColor(COLOR_WINDOW), face = ::GetSysColor(COLOR_BTNFACE),
                   shadow = ::GetSysColor(COLOR_BTNSHADOW), dark = ::GetSysColor(COLOR_3DDKSHADOW);
    struct Case
    {
        const char* what;
        COLORREF actual;
        COLORREF expected;
    };
    const Case cases[] = {
        {"menu background", look.m_clrMenuLight, window}, {"checked", look.m_clrHighlightChecked, window},
        {"toolbar", look.m_clrBarBkgnd, face},            {"highlight", look.m_clrHighlight, face},
        {"pressed", look.m_clrHighlightDn, face},         {"inactive tab text", look.m_clrInactiveTabText, dark},
        {"tab area", look.m_clrTabArea, face},            {"separator", look.m_clrSeparator, shadow},
        {"pane border", look.m_clrPaneBorder, shadow},    {"menu border", look.m_clrMenuBorder, dark},
        {"gripper", look.m_clrGripper, shadow},           {"highlight border", look.m_clrHighlightBorder, ::GetSysColor(COLOR_HIGHLIGHT)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ColorText(c.expected), ColorText(c.actual)) << c.what;
}

TEST_F(XPLookTest, AMenuButtonReachesIntoItsOpenMenu)
{
    CKTVisualManagerXP look(TRUE);
    HWND hMenuWnd = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, hMenuWnd);
    CKTPopupMenu menu;
    menu.Attach(hMenuWnd);
    CKTToolbarMenuButton button;
    const CRect buttonRect(100, 10, 140, 30);  // 40 wide, 20 high
    struct Case
    {
        CKTPopupMenu::DropDirection direction;
        int menuWidth, menuHeight;
        CRect expected;
    };
    const Case cases[] = {
        {CKTPopupMenu::DROP_DIRECTION_BOTTOM, 100, 100, CRect(100, 10, 140, 34)},
        {CKTPopupMenu::DROP_DIRECTION_BOTTOM, 30, 100, CRect(100, 10, 140, 31)},
        {CKTPopupMenu::DROP_DIRECTION_TOP, 100, 100, CRect(100, 6, 140, 30)},
        {CKTPopupMenu::DROP_DIRECTION_TOP, 30, 100, CRect(100, 10, 140, 30)},
        {CKTPopupMenu::DROP_DIRECTION_RIGHT, 100, 100, CRect(100, 10, 144, 30)},
        {CKTPopupMenu::DROP_DIRECTION_RIGHT, 100, 15, CRect(100, 10, 141, 30)},
        {CKTPopupMenu::DROP_DIRECTION_LEFT, 100, 100, CRect(96, 10, 140, 30)},
        {CKTPopupMenu::DROP_DIRECTION_LEFT, 100, 15, CRect(99, 10, 140, 30)},
    };
    CRect rect = buttonRect;
    look.AdjustMenuButtonRect(&button, rect);
    EXPECT_EQ(buttonRect, rect) << "no open menu";
    button.m_pPopupMenu = &menu;
    for (const Case& c : cases)
    {
        ::SetWindowPos(hMenuWnd, nullptr, 0, 0, c.menuWidth, c.menuHeight, SWP_NOZORDER | SWP_NOACTIVATE);
        menu.m_DropDirection = c.direction;
        rect = buttonRect;
        look.AdjustMenuButtonRect(&button, rect);
        EXPECT_EQ(c.expected, rect) << "direction " << c.direction << ", menu " << c.menuWidth << " x " << c.menuHeight;
    }
    button.m_pPopupMenu = nullptr;
    menu.Detach();
    ::DestroyWindow(hMenuWnd);
}

TEST_F(XPLookTest, PaintersInAWindow)
{
    CKTVisualManagerXP look(TRUE);
    DibSurface capture(kLookSheetWidth, kLookSheetHeight);
    CaptureLookSheet(look, capture, L"look-xp.bmp");
    if (ktGlobals.m_bitsPerPixel <= 8)
        return;
    // Button states at x 64, 92, 120 (24 wide): pressed-and-checked fill and the hot frame.
    EXPECT_EQ(ColorText(look.m_clrHighlightBorder), ColorText(capture.Pixel(120, 10))) << "hot button frame";
    EXPECT_EQ(ColorText(look.m_clrHighlight), ColorText(capture.Pixel(130, 15))) << "hot button fill";
    EXPECT_EQ(ColorText(look.m_clrHighlightChecked), ColorText(capture.Pixel(100, 15))) << "checked button fill";
    EXPECT_EQ(ColorText(look.m_clrMenuBorder), ColorText(capture.Pixel(240, 20))) << "menu border";
    EXPECT_EQ(ColorText(look.m_clrSeparator), ColorText(capture.Pixel(54, 10))) << "separator line";
}

namespace
{
// A colour bar as it is torn off from a colour popup (a toolbar), or in a popup or on a dialog.
class CPaletteBar : public CKTColorBar
{
public:
    explicit CPaletteBar(BOOL bTornOff) { m_bIsTearOff = bTornOff; }
};
} // namespace

TEST_F(XPLookTest, AColourBarHasTheToolbarOrMenuBackgroundAndNoImageStrip)
{
    CKTVisualManagerXP look(TRUE);
    for (BOOL bTornOff : {FALSE, TRUE})
    {
        CPaletteBar bar(bTornOff);
        DibSurface surface(60, 30, RGB(0, 128, 128));
        look.OnFillBarBackground(&surface.Dc(), &bar, CRect(0, 0, 60, 30), CRect());
        const COLORREF expected = bTornOff ? look.m_clrBarBkgnd : look.m_clrMenuLight;
        EXPECT_EQ(ColorText(expected), ColorText(surface.Pixel(2, 15))) << "no image strip, torn off " << bTornOff;
        EXPECT_EQ(ColorText(expected), ColorText(surface.Pixel(50, 15))) << "torn off " << bTornOff;
    }
}

TEST_F(XPLookTest, BarBordersAreInTheBarFaceAndLeaveTheBackgroundColour)
{
    CKTVisualManagerXP look(TRUE);
    CKTToolBar toolBar;
    toolBar.m_dwStyle = CBRS_ALIGN_TOP | CBRS_BORDER_LEFT | CBRS_BORDER_TOP;
    DibSurface surface(40, 20, RGB(0, 128, 128));
    surface.Dc().SetBkColor(RGB(1, 2, 3));
    CRect rect(0, 0, 40, 20);
    look.OnDrawBarBorder(&surface.Dc(), &toolBar, rect);
    EXPECT_EQ(CRect(1, 1, 40, 20), rect) << "one pixel off each bordered side";
    EXPECT_EQ(ColorText(ktGlobals.m_colorBarFace), ColorText(surface.Pixel(0, 10))) << "left border";
    EXPECT_EQ(ColorText(RGB(0, 128, 128)), ColorText(surface.Pixel(20, 1))) << "no etched line below the top";
    EXPECT_EQ(ColorText(RGB(0, 128, 128)), ColorText(surface.Pixel(39, 10))) << "no border on the right";
    EXPECT_EQ(ColorText(RGB(1, 2, 3)), ColorText(surface.Dc().GetBkColor())) << "the caller's background colour";
}

TEST_F(XPLookTest, TheTabAreaOfA3DTabWindowHasItsOwnColourAndALightEdgeOverBottomTabs)
{
    CKTVisualManagerXP look(TRUE);
    CKTTabWnd tabWnd;
    for (CKTTabWnd::Location location : {CKTTabWnd::LOCATION_BOTTOM, CKTTabWnd::LOCATION_TOP})
    {
        tabWnd.SetLocation(location);
        DibSurface surface(40, 20, RGB(0, 128, 128));
        look.OnEraseTabsArea(&surface.Dc(), CRect(0, 0, 40, 20), &tabWnd);
        const BOOL bottom = location == CKTTabWnd::LOCATION_BOTTOM;
        EXPECT_EQ(ColorText(bottom ? ktGlobals.m_colorBarHighlight : look.m_clrTabArea),
                  ColorText(surface.Pixel(20, 0)))
            << "edge next to the tabs, bottom " << bottom;
        EXPECT_EQ(ColorText(look.m_clrTabArea), ColorText(surface.Pixel(20, 10))) << "bottom " << bottom;
    }
}

TEST_F(XPLookTest, EditBordersAreDrawnOnlyWithTheFlatEditSwitch)
{
    CKTVisualManagerXP look(TRUE);
    for (BOOL bFlat : {FALSE, TRUE})
        for (BOOL bHot : {FALSE, TRUE})
        {
            CKTToolbarEditBoxButton::m_bFlat = bFlat;
            DibSurface surface(60, 30, RGB(0, 128, 128));
            look.OnDrawEditBorder(&surface.Dc(), CRect(2, 2, 58, 28), FALSE, bHot, nullptr);
            const COLORREF expected = bFlat && bHot ? look.m_clrHighlightBorder : RGB(0, 128, 128);
            EXPECT_EQ(ColorText(expected), ColorText(surface.Pixel(2, 10))) << "flat " << bFlat << " hot " << bHot;
        }
    CKTToolbarEditBoxButton::m_bFlat = FALSE;
}

TEST_F(XPLookTest, ASizingBarsTitleTakesTheWholeHeightOfItsCaption)
{
    CKTVisualManagerXP look(TRUE);
    HWND hWnd = ::CreateWindowExW(0, L"STATIC", L"Tutorial", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, hWnd);
    CKTSizingControlBar bar;
    bar.Attach(hWnd);
    // Rows with ink in the left part of a surface, where the title stands.
    const auto inkRows = [](const DibSurface& surface, COLORREF background, int width) {
        int rows = 0;
        for (int y = 0; y < surface.Height(); ++y)
            for (int x = 0; x < width; ++x)
                if (surface.Pixel(x, y) != background)
                {
                    ++rows;
                    break;
                }
        return rows;
    };
    const int height = std::max(ktGlobals.m_textHeight, 12);
    DibSurface free(200, 3 * height, RGB(255, 255, 255));
    CFont* pOld = free.Dc().SelectObject(&ktGlobals.m_fontText);
    const int width = free.Dc().GetTextExtent(L"Tutorial").cx;
    free.Dc().TextOut(0, height, L"Tutorial");
    free.Dc().SelectObject(pOld);

    // A bar docked at the side has its caption across its top.
    DibSurface caption(200, height, ktGlobals.m_colorBarFace);
    look.OnDrawBarGripper(&caption.Dc(), CRect(0, 0, 200, height), FALSE, &bar);
    caption.SaveAs(L"xp-sizing-bar-caption.bmp");
    EXPECT_GT(inkRows(free, RGB(255, 255, 255), width), 4);
    EXPECT_EQ(inkRows(free, RGB(255, 255, 255), width), inkRows(caption, ktGlobals.m_colorBarFace, width))
        << "the title is not cut";
    bar.Detach();
    ::DestroyWindow(hWnd);
}

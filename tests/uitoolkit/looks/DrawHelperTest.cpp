// The drawing helper's colour maths and its effects on 32-bit surfaces.
#include "tests/uitoolkit/looks/LooksTestSupport.h"
#include "uitoolkit/looks/KTDrawHelper.h"
#include "uitoolkit/looks/KTUIGlobals.h"

#include <gtest/gtest.h>

namespace
{
// Runs the body as if the screen had 256 colours.
template <class Body>
void OnPaletteScreen(Body body)
{
    const int real = ktGlobals.m_bitsPerPixel;
    ktGlobals.m_bitsPerPixel = 8;
    body();
    ktGlobals.m_bitsPerPixel = real;
}
} // namespace

TEST(DrawHelperTest, ChannelScalingAndMixing)
{
    struct Case
    {
        const char* what;
        COLORREF result;
        COLORREF expected;
    };
    const Case cases[] = {
        {"150 percent", CKTDrawHelper::PixelAlpha(RGB(128, 64, 32), 150), RGB(192, 96, 48)},
        {"300 percent caps", CKTDrawHelper::PixelAlpha(RGB(128, 64, 32), 300), RGB(255, 192, 96)},
        {"per channel", CKTDrawHelper::PixelAlpha(RGB(100, 100, 100), 50, 100, 110), RGB(50, 100, 110)},
        {"black channel above 100", CKTDrawHelper::PixelAlpha(RGB(0, 0, 10), 150, 100, 150), RGB(127, 0, 15)},
        {"factors round to nearest", CKTDrawHelper::PixelAlpha(RGB(255, 255, 255), .976, .973, .969),
         RGB(249, 248, 247)},
        {"factors round halves up", CKTDrawHelper::PixelAlpha(RGB(255, 1, 3), .5, .5, .5), RGB(128, 1, 2)},
        {"factors cap", CKTDrawHelper::PixelAlpha(RGB(200, 0, 0), 2.0, 1.0, 1.0), RGB(255, 0, 0)},
        {"mix white and black 25", CKTDrawHelper::MixColors(RGB(255, 255, 255), RGB(0, 0, 0), 25), RGB(63, 63, 63)},
        {"mix 100 is the first", CKTDrawHelper::MixColors(RGB(1, 2, 3), RGB(200, 200, 200), 100), RGB(1, 2, 3)},
        {"blend without weights", CKTDrawHelper::BlendColors(RGB(1, 2, 3), RGB(4, 5, 6), 1.0, 0, 0), RGB(0, 0, 0)},
        {"blend of equals", CKTDrawHelper::BlendColors(RGB(90, 90, 90), RGB(90, 90, 90), 1.0, 1, 3), RGB(90, 90, 90)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ColorText(c.expected), ColorText(c.result)) << c.what;
}

TEST(DrawHelperTest, ColourSpaceConversions)
{
    double h = 0, s = 0, l = 0;
    CKTDrawHelper::RGBtoHSL(RGB(77, 77, 77), &h, &s, &l);
    EXPECT_EQ(0.0, h);
    EXPECT_EQ(0.0, s);
    EXPECT_NEAR(77 / 255.0, l, 1e-9);
    CKTDrawHelper::RGBtoHSL(RGB(255, 0, 128), &h, &s, &l);
    EXPECT_GT(h, 0.9) << "a negative hue comes back as hue + 1";

    for (COLORREF color : {RGB(255, 0, 0), RGB(0, 255, 0), RGB(10, 36, 106), RGB(212, 208, 200), RGB(255, 0, 128),
                           RGB(48, 150, 250)})
    {
        CKTDrawHelper::RGBtoHSL(color, &h, &s, &l);
        const COLORREF back = CKTDrawHelper::HLStoRGB(h, l, s);
        const COLORREF backDegrees = CKTDrawHelper::HLStoRGBDegrees(h * 360, l, s);
        for (COLORREF result : {back, backDegrees})
        {
            EXPECT_NEAR(GetRValue(color), GetRValue(result), 1) << ColorText(color);
            EXPECT_NEAR(GetGValue(color), GetGValue(result), 1) << ColorText(color);
            EXPECT_NEAR(GetBValue(color), GetBValue(result), 1) << ColorText(color);
        }
        double hv = 0, sv = 0, v = 0;
        CKTDrawHelper::RGBtoHSV(color, &hv, &sv, &v);
        const COLORREF backHsv = CKTDrawHelper::HSVtoRGB(hv, sv, v);
        EXPECT_NEAR(GetRValue(color), GetRValue(backHsv), 1) << ColorText(color);
        EXPECT_NEAR(GetBValue(color), GetBValue(backHsv), 1) << ColorText(color);
    }
    EXPECT_EQ(RGB(127, 127, 127), CKTDrawHelper::HLStoRGB(0.3, 0.5, 0)) << "no saturation: the grey, truncated";
    EXPECT_EQ(RGB(255, 0, 0), CKTDrawHelper::HLStoRGBDegrees(360, 0.5, 1)) << "360 degrees is red again";
    EXPECT_EQ(RGB(0, 0, 255), CKTDrawHelper::HLStoRGBDegrees(-120, 0.5, 1));
    double hv = 0, sv = 0, v = 0;
    CKTDrawHelper::RGBtoHSV(RGB(0, 0, 0), &hv, &sv, &v);
    EXPECT_EQ(-1.0, hv);
    EXPECT_EQ(0.0, sv);
    EXPECT_EQ(RGB(0, 255, 0), CKTDrawHelper::HSVtoRGB(120, 1, 1));
    EXPECT_EQ(RGB(51, 51, 51), CKTDrawHelper::HSVtoRGB(200, 0, 0.2));
}

TEST(DrawHelperTest, HighlightAndDesaturateChangeEveryPixelButTheTransparentOnes)
{
    ScopedSysColors colors{{COLOR_BTNHIGHLIGHT, RGB(255, 255, 255)}};
    struct Case
    {
        const char* what;
        int percent;
        bool desaturate;
        COLORREF before;
        COLORREF expected;
    };
    const Case cases[] = {
        {"100 percent changes nothing", 100, false, RGB(10, 20, 30), RGB(10, 20, 30)},
        {"default goes halfway to the highlight", -1, false, RGB(0, 0, 0), RGB(127, 127, 127)},
        {"default from a colour", -1, false, RGB(100, 200, 254), RGB(177, 227, 254)},
        {"percent scales", 50, false, RGB(100, 200, 254), RGB(50, 100, 127)},
        {"grey halfway to the highlight", -1, true, RGB(255, 0, 0), RGB(191, 191, 191)},
        {"grey scaled", 100, true, RGB(255, 0, 0), RGB(127, 127, 127)},
    };
    for (const Case& c : cases)
    {
        DibSurface surface(6, 4, c.before);
        surface.Dc().FillSolidRect(CRect(0, 0, 1, 1), RGB(1, 2, 3));
        CKTDrawHelper helper(&surface.Dc());
        if (c.desaturate)
            helper.DesaturateRect(CRect(0, 0, 4, 4), c.percent, RGB(1, 2, 3));
        else
            helper.HighlightRect(CRect(0, 0, 4, 4), c.percent, RGB(1, 2, 3));
        EXPECT_EQ(ColorText(c.expected), ColorText(surface.Pixel(3, 3))) << c.what;
        EXPECT_EQ(ColorText(RGB(1, 2, 3)), ColorText(surface.Pixel(0, 0))) << c.what << ": transparent pixel";
        EXPECT_EQ(ColorText(c.before), ColorText(surface.Pixel(4, 0))) << c.what << ": outside the rectangle";
    }
}

TEST(DrawHelperTest, OnAPaletteScreenHighlightIsTheHalftoneAndDesaturateDoesNothing)
{
    DibSurface surface(4, 4, RGB(0, 0, 0));
    OnPaletteScreen(
        [&]
        {
            CKTDrawHelper helper(&surface.Dc());
            helper.DesaturateRect(CRect(0, 0, 4, 4));
            EXPECT_EQ(ColorText(RGB(0, 0, 0)), ColorText(surface.Pixel(1, 1)));
            helper.HighlightRect(CRect(0, 0, 4, 4));
        });
    LOGBRUSH halftone{};
    ktGlobals.m_brushHalftone.GetLogBrush(&halftone);
    EXPECT_EQ(ColorText(halftone.lbColor), ColorText(surface.Pixel(1, 1)));
}

TEST(DrawHelperTest, ShadowBandsDarkenFromTheEdgeOutward)
{
    const CRect rect(2, 2, 12, 10);
    {
        DibSurface surface(20, 20, RGB(200, 200, 200));
        CKTDrawHelper(&surface.Dc()).DrawShadow(CRect(2, 2, 5, 10), 4, 50, 100);
        EXPECT_EQ(ColorText(RGB(200, 200, 200)), ColorText(surface.Pixel(5, 5))) << "deeper than the rectangle";
    }
    DibSurface surface(20, 20, RGB(200, 200, 200));
    CBitmap saveBottom, saveRight;
    CKTDrawHelper helper(&surface.Dc());
    helper.DrawShadow(rect, 4, 60, 100, &saveBottom, &saveRight);
    EXPECT_NE(nullptr, saveBottom.GetSafeHandle());
    // Steps of (100 - 60) / 4 = 10 percent: 100, 90, 80, 70 from the edge outward.
    const int expected[] = {200, 180, 160, 140};
    for (int d = 0; d < 4; ++d)
    {
        EXPECT_EQ(expected[d], GetRValue(surface.Pixel(7, rect.bottom + d))) << "bottom band, row " << d;
        EXPECT_EQ(expected[d], GetRValue(surface.Pixel(rect.right + d, 9))) << "side band, column " << d;
    }
    EXPECT_EQ(200, GetRValue(surface.Pixel(rect.left + 1, rect.bottom + 1))) << "the band starts depth to the right";
    EXPECT_EQ(160, GetRValue(surface.Pixel(rect.right, rect.top + 4 + 1))) << "the side band's top corner fades";
    EXPECT_EQ(200, GetRValue(surface.Pixel(7, 7))) << "inside untouched";

    helper.DrawShadow(rect, 4, 60, 100, &saveBottom, &saveRight);
    for (int d = 0; d < 4; ++d)
    {
        EXPECT_EQ(200, GetRValue(surface.Pixel(7, rect.bottom + d))) << "removed, row " << d;
        EXPECT_EQ(200, GetRValue(surface.Pixel(rect.right + d, 7))) << "removed, column " << d;
    }
}

TEST(DrawHelperTest, GradientsHaveSixtyFourBandsFromTheStartEdge)
{
    DibSurface surface(128, 64);
    CKTDrawHelper helper(&surface.Dc());
    helper.FillGradient(CRect(0, 0, 64, 64), RGB(0, 0, 0), RGB(255, 128, 64), TRUE);
    EXPECT_EQ(ColorText(RGB(0, 0, 0)), ColorText(surface.Pixel(10, 63))) << "horizontal bands start at the bottom";
    EXPECT_EQ(ColorText(RGB(251, 126, 63)), ColorText(surface.Pixel(10, 0))) << "band 63 of 64";
    EXPECT_EQ(ColorText(RGB(127, 64, 32)), ColorText(surface.Pixel(10, 31)));

    helper.FillGradient(CRect(64, 0, 96, 64), RGB(0, 0, 0), RGB(64, 64, 64), FALSE);
    EXPECT_EQ(ColorText(RGB(1, 1, 1)), ColorText(surface.Pixel(64, 5))) << "band 0 is empty at 32 pixels";
    EXPECT_EQ(ColorText(RGB(63, 63, 63)), ColorText(surface.Pixel(95, 5))) << "32 pixels hold every other band";

    helper.FillGradient(CRect(96, 0, 128, 64), RGB(9, 9, 9), RGB(9, 9, 9), FALSE);
    EXPECT_EQ(ColorText(RGB(9, 9, 9)), ColorText(surface.Pixel(127, 63)));

    helper.FillGradientAngle(CRect(0, 0, 64, 64), RGB(255, 0, 0), RGB(0, 0, 255), 45);
    EXPECT_EQ(ColorText(RGB(255, 0, 0)), ColorText(surface.Pixel(0, 63))) << "45 degrees starts bottom left";
    EXPECT_GT(GetBValue(surface.Pixel(63, 0)), 245) << "and ends top right";
    EXPECT_LT(GetRValue(surface.Pixel(63, 0)), 10);

    surface.Fill(RGB(1, 1, 1));
    helper.FillGradientRing(CRect(0, 0, 64, 64), RGB(255, 0, 0), RGB(0, 0, 255), (COLORREF)-1, 0, 8);
    EXPECT_EQ(ColorText(RGB(1, 1, 1)), ColorText(surface.Pixel(32, 32))) << "inside the ring untouched";
    EXPECT_EQ(ColorText(RGB(1, 1, 1)), ColorText(surface.Pixel(0, 0))) << "outside the ring untouched";
    EXPECT_GT(GetRValue(surface.Pixel(60, 32)), 200) << "the start colour at the starting angle";
    EXPECT_GT(GetBValue(surface.Pixel(3, 32)), 200) << "the finish colour half way round";
}

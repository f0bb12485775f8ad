#include "uitoolkit/looks/KTDrawHelper.h"

#include "uitoolkit/looks/KTUIGlobals.h"

#include <algorithm>
#include <cmath>

namespace
{
int Cap(int value)
{
    return std::min(std::max(value, 0), 255);
}

// DIB pixels lie as blue, green, red: 0x00RRGGBB as a number, the reverse of a COLORREF.
DWORD ToDib(COLORREF color)
{
    return (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
}

COLORREF FromDib(DWORD bgr)
{
    return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
}

double HueValue(double m1, double m2, double hue)
{
    if (hue > 1)
        hue -= 1;
    if (hue < 0)
        hue += 1;
    if (6 * hue < 1)
        return m1 + (m2 - m1) * hue * 6;
    if (2 * hue < 1)
        return m2;
    if (3 * hue < 2)
        return m1 + (m2 - m1) * (2.0 / 3.0 - hue) * 6;
    return m1;
}

double HueValueDegrees(double m1, double m2, double hue)
{
    while (hue > 360)
        hue -= 360;
    while (hue < 0)
        hue += 360;
    if (hue < 60)
        return m1 + (m2 - m1) * hue / 60;
    if (hue < 180)
        return m2;
    if (hue < 240)
        return m1 + (m2 - m1) * (240 - hue) / 60;
    return m1;
}

bool IsPaletteScreen()
{
    return ktGlobals.m_bitsPerPixel <= 8;
}

COLORREF TowardHighlight(COLORREF color)
{
    const COLORREF h = ktGlobals.m_colorHighlight;
    auto half = [](int c, int t) { return Cap(c + (t - c) / 2); };
    return RGB(half(GetRValue(color), GetRValue(h)), half(GetGValue(color), GetGValue(h)),
               half(GetBValue(color), GetBValue(h)));
}
} // namespace

COLORREF CKTDrawHelper::PixelAlpha(COLORREF srcPixel, int percent)
{
    return RGB(Cap(GetRValue(srcPixel) * percent / 100), Cap(GetGValue(srcPixel) * percent / 100),
               Cap(GetBValue(srcPixel) * percent / 100));
}

COLORREF CKTDrawHelper::PixelAlpha(COLORREF srcPixel, int percentR, int percentG, int percentB)
{
    // A black channel cannot be brightened by scaling; above 100 percent it gets the excess.
    auto scale = [](int channel, int percent)
    {
        if (channel == 0 && percent > 100)
            return Cap((percent - 100) * 255 / 100);
        return Cap(channel * percent / 100);
    };
    return RGB(scale(GetRValue(srcPixel), percentR), scale(GetGValue(srcPixel), percentG),
               scale(GetBValue(srcPixel), percentB));
}

COLORREF CKTDrawHelper::PixelAlpha(COLORREF srcPixel, double percentR, double percentG, double percentB)
{
    auto scale = [](int channel, double factor) { return Cap(static_cast<int>(std::lround(channel * factor))); };
    return RGB(scale(GetRValue(srcPixel), percentR), scale(GetGValue(srcPixel), percentG),
               scale(GetBValue(srcPixel), percentB));
}

COLORREF CKTDrawHelper::MixColors(COLORREF colorFirst, COLORREF colorSecond, int percent)
{
    auto mix = [percent](int a, int b) { return Cap((a * percent + b * (100 - percent)) / 100); };
    return RGB(mix(GetRValue(colorFirst), GetRValue(colorSecond)), mix(GetGValue(colorFirst), GetGValue(colorSecond)),
               mix(GetBValue(colorFirst), GetBValue(colorSecond)));
}

COLORREF CKTDrawHelper::BlendColors(COLORREF colorFirst, COLORREF colorSecond, double dblLumRatio, int k1, int k2)
{
    if (k1 + k2 == 0)
        return 0;
    auto mean = [k1, k2](int a, int b) { return Cap((a * k1 + b * k2) / (k1 + k2)); };
    COLORREF color = RGB(mean(GetRValue(colorFirst), GetRValue(colorSecond)),
                         mean(GetGValue(colorFirst), GetGValue(colorSecond)),
                         mean(GetBValue(colorFirst), GetBValue(colorSecond)));

    // The channel mean greys a mix of two saturated colours; saturation and value are taken as
    // the weighted means of the two colours' own, around the mean's hue.
    double h = 0, s = 0, v = 0, h1 = 0, s1 = 0, v1 = 0, h2 = 0, s2 = 0, v2 = 0;
    RGBtoHSV(color, &h, &s, &v);
    RGBtoHSV(colorFirst, &h1, &s1, &v1);
    RGBtoHSV(colorSecond, &h2, &s2, &v2);
    if (h >= 0)
        color = HSVtoRGB(h, (s1 * k1 + s2 * k2) / (k1 + k2), (v1 * k1 + v2 * k2) / (k1 + k2));

    if (dblLumRatio != 1.0)
    {
        double H = 0, S = 0, L = 0;
        RGBtoHSL(color, &H, &S, &L);
        color = HLStoRGB(H, std::min(1.0, L * dblLumRatio), S);
    }
    return color;
}

void CKTDrawHelper::RGBtoHSL(COLORREF rgb, double* H, double* S, double* L)
{
    const double r = GetRValue(rgb) / 255.0, g = GetGValue(rgb) / 255.0, b = GetBValue(rgb) / 255.0;
    const double maxC = std::max({r, g, b}), minC = std::min({r, g, b});
    *L = (maxC + minC) / 2;
    if (maxC == minC)
    {
        *S = 0;
        *H = 0;
        return;
    }
    const double delta = maxC - minC;
    *S = *L <= 0.5 ? delta / (maxC + minC) : delta / (2 - maxC - minC);
    double hue;
    if (r == maxC)
        hue = (g - b) / delta;
    else if (g == maxC)
        hue = 2 + (b - r) / delta;
    else
        hue = 4 + (r - g) / delta;
    hue /= 6;
    if (hue < 0)
        hue += 1;
    *H = hue;
}

COLORREF CKTDrawHelper::HLStoRGB(double H, double L, double S)
{
    if (S == 0)
    {
        const int grey = Cap(static_cast<int>(L * 255));
        return RGB(grey, grey, grey);
    }
    const double m2 = L <= 0.5 ? L * (1 + S) : L + S - L * S;
    const double m1 = 2 * L - m2;
    return RGB(Cap(static_cast<int>(HueValue(m1, m2, H + 1.0 / 3.0) * 255)), Cap(static_cast<int>(HueValue(m1, m2, H) * 255)),
               Cap(static_cast<int>(HueValue(m1, m2, H - 1.0 / 3.0) * 255)));
}

COLORREF CKTDrawHelper::HLStoRGBDegrees(double H, double L, double S)
{
    if (S == 0)
    {
        const int grey = Cap(static_cast<int>(L * 255));
        return RGB(grey, grey, grey);
    }
    const double m2 = L <= 0.5 ? L * (1 + S) : L + S - L * S;
    const double m1 = 2 * L - m2;
    return RGB(Cap(static_cast<int>(HueValueDegrees(m1, m2, H + 120) * 255)),
               Cap(static_cast<int>(HueValueDegrees(m1, m2, H) * 255)),
               Cap(static_cast<int>(HueValueDegrees(m1, m2, H - 120) * 255)));
}

void CKTDrawHelper::RGBtoHSV(COLORREF rgb, double* H, double* S, double* V)
{
    const double r = GetRValue(rgb) / 255.0, g = GetGValue(rgb) / 255.0, b = GetBValue(rgb) / 255.0;
    const double maxC = std::max({r, g, b}), minC = std::min({r, g, b});
    const double delta = maxC - minC;
    *V = maxC;
    if (maxC == 0)
    {
        *S = 0;
        *H = -1;
        return;
    }
    *S = delta / maxC;
    if (delta == 0)
    {
        *H = 0;
        return;
    }
    double hue;
    if (r == maxC)
        hue = (g - b) / delta;
    else if (g == maxC)
        hue = 2 + (b - r) / delta;
    else
        hue = 4 + (r - g) / delta;
    hue *= 60;
    if (hue < 0)
        hue += 360;
    *H = hue;
}

COLORREF CKTDrawHelper::HSVtoRGB(double H, double S, double V)
{
    auto channel = [](double value) { return Cap(static_cast<int>(value * 255)); };
    if (S == 0)
        return RGB(channel(V), channel(V), channel(V));
    double hue = std::fmod(H, 360.0);
    if (hue < 0)
        hue += 360;
    hue /= 60;
    const int sector = static_cast<int>(hue) % 6;
    const double f = hue - std::floor(hue);
    const double p = V * (1 - S), q = V * (1 - S * f), t = V * (1 - S * (1 - f));
    switch (sector)
    {
    case 0:
        return RGB(channel(V), channel(t), channel(p));
    case 1:
        return RGB(channel(q), channel(V), channel(p));
    case 2:
        return RGB(channel(p), channel(V), channel(t));
    case 3:
        return RGB(channel(p), channel(q), channel(V));
    case 4:
        return RGB(channel(t), channel(p), channel(V));
    default:
        return RGB(channel(V), channel(p), channel(q));
    }
}

BOOL CKTDrawHelper::ChangePixels(const CRect& rect, const std::function<void(int x, int y, DWORD& bgr)>& change)
{
    const int width = rect.Width(), height = rect.Height();
    if (m_pDC == nullptr || width <= 0 || height <= 0)
        return FALSE;
    HDC hTarget = m_pDC->GetSafeHdc();
    HDC hMemory = ::CreateCompatibleDC(hTarget);
    if (hMemory == nullptr)
        return FALSE;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = width * height;
    void* pvBits = nullptr;
    HBITMAP hDib = ::CreateDIBSection(hTarget, &info, DIB_RGB_COLORS, &pvBits, nullptr, 0);
    if (hDib == nullptr || pvBits == nullptr)
    {
        ::DeleteDC(hMemory);
        return FALSE;
    }
    HGDIOBJ hOld = ::SelectObject(hMemory, hDib);
    ::BitBlt(hMemory, 0, 0, width, height, hTarget, rect.left, rect.top, SRCCOPY);
    ::GdiFlush();
    DWORD* pBits = static_cast<DWORD*>(pvBits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            change(x, y, pBits[y * width + x]);
    ::BitBlt(hTarget, rect.left, rect.top, width, height, hMemory, 0, 0, SRCCOPY);
    ::SelectObject(hMemory, hOld);
    ::DeleteObject(hDib);
    ::DeleteDC(hMemory);
    return TRUE;
}

void CKTDrawHelper::HighlightRect(CRect rect, int nPercentage, COLORREF clrTransparent)
{
    if (nPercentage == 100 || m_pDC == nullptr)
        return;
    if (IsPaletteScreen())
    {
        m_pDC->FillRect(rect, &ktGlobals.m_brushHalftone);
        return;
    }
    const DWORD transparent = clrTransparent == (COLORREF)-1 ? 0xFFFFFFFFu : ToDib(clrTransparent);
    ChangePixels(rect,
                 [&](int, int, DWORD& bgr)
                 {
                     if ((bgr & 0xFFFFFF) == transparent)
                         return;
                     const COLORREF color = FromDib(bgr);
                     bgr = ToDib(nPercentage == -1 ? TowardHighlight(color)
                                                   : PixelAlpha(color, nPercentage, nPercentage, nPercentage));
                 });
}

void CKTDrawHelper::DesaturateRect(CRect rect, int nPercentage, COLORREF clrTransparent, COLORREF)
{
    if (m_pDC == nullptr || IsPaletteScreen())
        return;
    const DWORD transparent = clrTransparent == (COLORREF)-1 ? 0xFFFFFFFFu : ToDib(clrTransparent);
    ChangePixels(rect,
                 [&](int, int, DWORD& bgr)
                 {
                     if ((bgr & 0xFFFFFF) == transparent)
                         return;
                     double H = 0, S = 0, L = 0;
                     RGBtoHSL(FromDib(bgr), &H, &S, &L);
                     const COLORREF grey = HLStoRGB(H, L, 0);
                     bgr = ToDib(nPercentage == -1 ? TowardHighlight(grey) : PixelAlpha(grey, nPercentage));
                 });
}

void CKTDrawHelper::DrawShadow(CRect rect, int nDepth, int nMinBrightness, int nMaxBrightness, CBitmap* pBmpSaveBottom,
                               CBitmap* pBmpSaveRight, COLORREF clrShadow, BOOL bRightShadow)
{
    if (m_pDC == nullptr || nDepth <= 0 || nDepth >= rect.Width() || nDepth >= rect.Height() || IsPaletteScreen())
        return;

    const CRect bottom(rect.left + nDepth, rect.bottom, rect.right + nDepth, rect.bottom + nDepth);
    const CRect side = bRightShadow ? CRect(rect.right, rect.top + nDepth, rect.right + nDepth, rect.bottom)
                                    : CRect(rect.left - nDepth, rect.top + nDepth, rect.left, rect.bottom);
    CDC memory;
    if (!memory.CreateCompatibleDC(m_pDC))
        return;

    // Saved bands are drawn back: that removes a shadow drawn earlier.
    struct Band
    {
        const CRect& area;
        CBitmap* pSave;
    };
    bool restored = false;
    for (const Band& band : {Band{bottom, pBmpSaveBottom}, Band{side, pBmpSaveRight}})
    {
        if (band.pSave == nullptr)
            continue;
        if (band.pSave->GetSafeHandle() != nullptr)
        {
            CBitmap* pOld = memory.SelectObject(band.pSave);
            m_pDC->BitBlt(band.area.left, band.area.top, band.area.Width(), band.area.Height(), &memory, 0, 0, SRCCOPY);
            memory.SelectObject(pOld);
            restored = true;
        }
        else if (band.pSave->CreateCompatibleBitmap(m_pDC, band.area.Width(), band.area.Height()))
        {
            CBitmap* pOld = memory.SelectObject(band.pSave);
            memory.BitBlt(0, 0, band.area.Width(), band.area.Height(), m_pDC, band.area.left, band.area.top, SRCCOPY);
            memory.SelectObject(pOld);
        }
    }
    if (restored)
        return;

    const int step = (nMaxBrightness - nMinBrightness) / nDepth;
    auto shade = [&](DWORD& bgr, int distance)
    {
        // distance 0 lies next to the rectangle, depth - 1 at the outer edge.
        const int percent = nMaxBrightness - step * distance;
        const COLORREF color = FromDib(bgr);
        bgr = ToDib(clrShadow == (COLORREF)-1 ? PixelAlpha(color, percent) : MixColors(color, clrShadow, percent));
    };
    ChangePixels(bottom,
                 [&](int x, int y, DWORD& bgr)
                 {
                     // The corner beyond the rectangle's edge shades diagonally.
                     const int fromEnd = bottom.Width() - 1 - x;
                     shade(bgr, fromEnd < nDepth ? std::max(y, nDepth - 1 - fromEnd) : y);
                 });
    ChangePixels(side,
                 [&](int x, int y, DWORD& bgr)
                 {
                     const int out = bRightShadow ? x : nDepth - 1 - x;
                     shade(bgr, y < nDepth ? std::max(out, nDepth - 1 - y) : out);
                 });
}

void CKTDrawHelper::FillGradient(CRect rect, COLORREF colorStart, COLORREF colorFinish, BOOL bHorz)
{
    if (m_pDC == nullptr)
        return;
    if (colorStart == colorFinish)
    {
        m_pDC->FillSolidRect(rect, colorStart);
        return;
    }
    const int bands = 64;
    const int length = bHorz ? rect.Height() : rect.Width();
    for (int i = 0; i < bands; ++i)
    {
        // Fixed point with six fractional bits: (finish - start) * i / 64.
        auto channel = [i](int start, int finish) { return Cap(start + (((finish - start) * (i << 6)) >> 12)); };
        const COLORREF color = RGB(channel(GetRValue(colorStart), GetRValue(colorFinish)),
                                   channel(GetGValue(colorStart), GetGValue(colorFinish)),
                                   channel(GetBValue(colorStart), GetBValue(colorFinish)));
        const int from = i * length / bands, to = (i + 1) * length / bands;
        if (to <= from)
            continue;
        const CRect band = bHorz ? CRect(rect.left, rect.bottom - to, rect.right, rect.bottom - from)
                                 : CRect(rect.left + from, rect.top, rect.left + to, rect.bottom);
        m_pDC->FillSolidRect(band, color);
    }
}

void CKTDrawHelper::FillGradientAngle(CRect rect, COLORREF colorStart, COLORREF colorFinish, int nAngle)
{
    const int angle = ((nAngle % 360) + 360) % 360;
    switch (angle)
    {
    case 0:
        FillGradient(rect, colorStart, colorFinish, FALSE);
        return;
    case 90:
        FillGradient(rect, colorStart, colorFinish, TRUE);
        return;
    case 180:
        FillGradient(rect, colorFinish, colorStart, FALSE);
        return;
    case 270:
        FillGradient(rect, colorFinish, colorStart, TRUE);
        return;
    default:
        break;
    }
    // Any other direction: each pixel takes the colour of its projection on the direction.
    const double radians = angle * 3.14159265358979323846 / 180;
    const double dx = std::cos(radians), dy = -std::sin(radians);
    const double w = rect.Width() - 1, h = rect.Height() - 1;
    double lo = 0, hi = 0;
    for (double px : {0.0, w})
        for (double py : {0.0, h})
        {
            lo = std::min(lo, px * dx + py * dy);
            hi = std::max(hi, px * dx + py * dy);
        }
    const double span = hi > lo ? hi - lo : 1;
    ChangePixels(rect,
                 [&](int x, int y, DWORD& bgr)
                 {
                     const int percent = static_cast<int>(((x * dx + y * dy) - lo) * 100 / span);
                     bgr = ToDib(MixColors(colorFinish, colorStart, percent));
                 });
}

void CKTDrawHelper::FillGradientRing(CRect rect, COLORREF colorStart, COLORREF colorFinish, COLORREF colorFrame,
                                     int nAngle, int nWidth, COLORREF clrClear)
{
    const int size = std::min(rect.Width(), rect.Height());
    if (size <= 0 || nWidth <= 0)
        return;
    const double outer = size / 2.0, inner = std::max(0.0, outer - nWidth);
    const double cx = rect.Width() / 2.0, cy = rect.Height() / 2.0;
    ChangePixels(rect,
                 [&](int x, int y, DWORD& bgr)
                 {
                     const double ddx = x + 0.5 - cx, ddy = y + 0.5 - cy;
                     const double distance = std::sqrt(ddx * ddx + ddy * ddy);
                     if (distance > outer || distance < inner)
                     {
                         if (clrClear != (COLORREF)-1)
                             bgr = ToDib(clrClear);
                         return;
                     }
                     if (colorFrame != (COLORREF)-1 && (distance > outer - 1 || distance < inner + 1))
                     {
                         bgr = ToDib(colorFrame);
                         return;
                     }
                     double degrees = std::atan2(-ddy, ddx) * 180 / 3.14159265358979323846 - nAngle;
                     degrees = std::fmod(std::fmod(degrees, 360) + 360, 360);
                     // Start and finish meet at the starting angle: the colour runs there and back.
                     const double turn = degrees <= 180 ? degrees / 180 : (360 - degrees) / 180;
                     bgr = ToDib(MixColors(colorFinish, colorStart, static_cast<int>(turn * 100)));
                 });
}

#pragma once
// The looks' pixel-level effects on one borrowed device context: lightening and greying a
// rectangle, soft shadows and gradients, and the colour maths they share (channel scaling,
// mixing, RGB to and from HLS and HSV).
//
// Per-pixel effects copy the area into a 32-bit DIB section, change it there and copy it back.
// On screens of 8 bits per pixel or fewer they fall back to the halftone brush or do nothing.

#include "framework/Afx.h"

#include <functional>

class CKTDrawHelper
{
public:
    explicit CKTDrawHelper(CDC* pDC) : m_pDC(pDC) {}
    virtual ~CKTDrawHelper() = default;

    // Moves every pixel that is not the transparent colour halfway to the highlight colour
    // (percent -1) or scales its channels by percent; nothing for 100.
    void HighlightRect(CRect rect, int nPercentage = -1, COLORREF clrTransparent = (COLORREF)-1);
    // Makes every pixel that is not the transparent colour grey: halfway to the highlight
    // colour for percent -1, else the grey scaled by percent.
    void DesaturateRect(CRect rect, int nPercentage = -1, COLORREF clrTransparent = (COLORREF)-1,
                        COLORREF clrDisabled = (COLORREF)-1);
    // Darkens depth-wide bands under and beside the rectangle from nMaxBrightness (percent)
    // next to it to nMinBrightness at the outer edge. With save bitmaps: empty ones receive the
    // original bands first; filled ones are drawn back instead, which removes the shadow.
    void DrawShadow(CRect rect, int nDepth, int nMinBrightness = 100, int nMaxBrightness = 50,
                    CBitmap* pBmpSaveBottom = nullptr, CBitmap* pBmpSaveRight = nullptr,
                    COLORREF clrShadow = (COLORREF)-1, BOOL bRightShadow = TRUE);
    // 64 bands from the start colour (bottom edge for horizontal bands, left edge otherwise).
    void FillGradient(CRect rect, COLORREF colorStart, COLORREF colorFinish, BOOL bHorz = TRUE);
    // A gradient along nAngle degrees (0 runs left to right, 90 bottom to top).
    void FillGradientAngle(CRect rect, COLORREF colorStart, COLORREF colorFinish, int nAngle);
    // A ring of nWidth pixels inside the rectangle whose colour turns from the start to the
    // finish colour around the circle, starting at nAngle; pixels outside the ring keep the
    // clear colour (or the target when it is -1); the frame colour (not -1) outlines the ring.
    void FillGradientRing(CRect rect, COLORREF colorStart, COLORREF colorFinish, COLORREF colorFrame, int nAngle,
                          int nWidth, COLORREF clrClear = (COLORREF)-1);

    static COLORREF PixelAlpha(COLORREF srcPixel, int percent);
    static COLORREF PixelAlpha(COLORREF srcPixel, int percentR, int percentG, int percentB);
    // Scales by factors and rounds to the nearest value.
    static COLORREF PixelAlpha(COLORREF srcPixel, double percentR, double percentG, double percentB);
    static COLORREF MixColors(COLORREF colorFirst, COLORREF colorSecond, int percent);
    static COLORREF BlendColors(COLORREF colorFirst, COLORREF colorSecond, double dblLumRatio, int k1, int k2);

    // Hue in [0, 1) in sixths of the circle; saturation and hue 0 for greys.
    static void RGBtoHSL(COLORREF rgb, double* H, double* S, double* L);
    static COLORREF HLStoRGB(double H, double L, double S);
    // The same with the hue in degrees.
    static COLORREF HLStoRGBDegrees(double H, double L, double S);
    // Hue in degrees [0, 360); for black saturation 0 and hue -1.
    static void RGBtoHSV(COLORREF rgb, double* H, double* S, double* V);
    static COLORREF HSVtoRGB(double H, double S, double V);

protected:
    // Hands every pixel of the rectangle (as 0x00RRGGBB... in the DIB's blue-green-red order)
    // with its position to change; FALSE when the area could not be copied.
    BOOL ChangePixels(const CRect& rect, const std::function<void(int x, int y, DWORD& bgr)>& change);

    CDC* m_pDC;
};

// Painting of the colour pickers: every kind draws into a memory bitmap with the palette selected
// and realised, which is then copied to the control.
#include "uitoolkit/customize/KTColorPickerCtrl.h"

#include "uitoolkit/looks/KTDrawHelper.h"
#include "uitoolkit/looks/KTUIGlobals.h"

#include <algorithm>
#include <vector>

namespace
{
void SelectPalette(CDC* pDC, CPalette* pPalette, CPalette*& pOld)
{
    pOld = nullptr;
    if (pPalette != nullptr && pPalette->GetSafeHandle() != nullptr)
    {
        pOld = pDC->SelectPalette(pPalette, FALSE);
        pDC->RealizePalette();
    }
}

void FrameHexagon(CDC* pDC, CPoint center, int nSize, int nWidth, COLORREF color)
{
    POINT corners[6];
    CKTColorHexCell::MakeCorners(center, nSize, corners);
    CPen pen(PS_SOLID, nWidth, color);
    CPen* pOldPen = pDC->SelectObject(&pen);
    CGdiObject* pOldBrush = pDC->SelectStockObject(NULL_BRUSH);
    pDC->Polygon(corners, 6);
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldBrush);
}

} // namespace

void CKTColorPickerCtrl::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rect;
    GetClientRect(&rect);
    if (rect.IsRectEmpty())
        return;

    CPalette* pOldPalette = nullptr;
    SelectPalette(pDC, m_pPalette, pOldPalette);

    CDC dcMem;
    CBitmap bmpMem;
    const BOOL bMemory =
        dcMem.CreateCompatibleDC(pDC) && bmpMem.CreateCompatibleBitmap(pDC, rect.Width(), rect.Height());
    CDC* pDraw = bMemory ? &dcMem : pDC;
    CBitmap* pOldBitmap = bMemory ? dcMem.SelectObject(&bmpMem) : nullptr;
    CPalette* pOldMemPalette = nullptr;
    if (bMemory)
        SelectPalette(&dcMem, m_pPalette, pOldMemPalette);

    switch (m_colorType)
    {
    case CURRENT:
        DrawSwatch(pDraw, rect);
        break;
    case LUMINANCE:
        DrawLuminanceBar(pDraw, rect);
        break;
    case PICKER:
        DrawPicture(pDraw, rect);
        break;
    case HEX:
    case HEX_GREYSCALE:
        DrawHexagons(pDraw, rect);
        break;
    }

    if (bMemory)
    {
        pDC->BitBlt(0, 0, rect.Width(), rect.Height(), &dcMem, 0, 0, SRCCOPY);
        if (pOldMemPalette != nullptr)
            dcMem.SelectPalette(pOldMemPalette, FALSE);
        dcMem.SelectObject(pOldBitmap);
    }
    if (pOldPalette != nullptr)
        pDC->SelectPalette(pOldPalette, FALSE);
}

void CKTColorPickerCtrl::DrawSwatch(CDC* pDC, const CRect& rect)
{
    CRect rectNew = rect;
    rectNew.bottom = rect.top + rect.Height() / 2;
    CRect rectCurrent = rect;
    rectCurrent.top = rectNew.bottom;
    CBrush brNew(m_colorNew);
    CBrush brCurrent(m_colorOriginal);
    pDC->FillRect(&rectNew, &brNew);
    pDC->FillRect(&rectCurrent, &brCurrent);
    pDC->Draw3dRect(rect, ktGlobals.m_colorDarkShadow, ktGlobals.m_colorDarkShadow);
}

void CKTColorPickerCtrl::DrawLuminanceBar(CDC* pDC, const CRect& rect)
{
    pDC->FillSolidRect(rect, ktGlobals.m_colorFace);
    const CRect bar = LuminanceBarRect();
    for (int y = bar.top; y < bar.bottom; y++)
    {
        const double lum = LuminanceFromHeight(rect, y);
        CBrush br(PaintColor(CKTDrawHelper::HLStoRGB(m_dblHue, lum, m_dblSat)));
        CRect row(bar.left, y, bar.right, y + 1);
        pDC->FillRect(&row, &br);
    }
    DrawLuminanceMarker(pDC);
}

void CKTColorPickerCtrl::DrawLuminanceMarker(CDC* pDC)
{
    const CRect box = LuminanceMarkerRect();
    const int y = box.top + 4;
    POINT pts[3] = {{box.left, y}, {box.left + 8, y - 4}, {box.left + 8, y + 4}};
    const BOOL bFocused = GetFocus() == this;
    CBrush br(::GetSysColor(bFocused ? COLOR_BTNTEXT : COLOR_BTNSHADOW));
    CPen pen(PS_SOLID, 1, ::GetSysColor(bFocused ? COLOR_BTNTEXT : COLOR_BTNSHADOW));
    CBrush* pOldBrush = pDC->SelectObject(&br);
    CPen* pOldPen = pDC->SelectObject(&pen);
    pDC->Polygon(pts, 3);
    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldPen);
}

BOOL CKTColorPickerCtrl::BuildPicture(CDC* pDC, const CSize& size)
{
    m_bmpPicture.DeleteObject();
    if (!m_bmpPicture.CreateCompatibleBitmap(pDC, size.cx, size.cy))
        return FALSE;
    m_sizePicture = size;
    CDC dc;
    if (!dc.CreateCompatibleDC(pDC))
        return FALSE;
    CBitmap* pOld = dc.SelectObject(&m_bmpPicture);
    CPalette* pOldPalette = nullptr;
    SelectPalette(&dc, m_pPalette, pOldPalette);

    if (ktGlobals.m_bitsPerPixel <= 8)
    {
        // A palette screen cannot show the smooth picture; blocks of the nearest entries read better.
        for (int y = 0; y < size.cy; y += 4)
        {
            for (int x = 0; x < size.cx; x += 4)
            {
                const double sat = static_cast<double>(size.cy - 1 - y) / size.cy;
                const COLORREF color = CKTDrawHelper::HLStoRGB(static_cast<double>(x) / size.cx, 0.5, sat);
                CBrush br(PaintColor(color));
                CRect block(x, y, std::min(x + 4, (int)size.cx), std::min(y + 4, (int)size.cy));
                dc.FillRect(&block, &br);
            }
        }
    }
    else
    {
        BITMAPINFO bmi{};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = size.cx;
        bmi.bmiHeader.biHeight = size.cy; // bottom-up: row 0 is the bottom, saturation 0
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        std::vector<DWORD> pixels(static_cast<size_t>(size.cx) * size.cy);
        for (int y = 0; y < size.cy; y++)
        {
            const double sat = static_cast<double>(y) / size.cy;
            for (int x = 0; x < size.cx; x++)
            {
                const COLORREF c = CKTDrawHelper::HLStoRGB(static_cast<double>(x) / size.cx, 0.5, sat);
                pixels[static_cast<size_t>(y) * size.cx + x] =
                    (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
            }
        }
        ::SetDIBitsToDevice(dc.GetSafeHdc(), 0, 0, size.cx, size.cy, 0, 0, 0, size.cy, pixels.data(), &bmi,
                            DIB_RGB_COLORS);
    }
    if (pOldPalette != nullptr)
        dc.SelectPalette(pOldPalette, FALSE);
    dc.SelectObject(pOld);
    return TRUE;
}

void CKTColorPickerCtrl::DrawPicture(CDC* pDC, const CRect& rect)
{
    if (m_bmpPicture.GetSafeHandle() == nullptr || m_sizePicture != rect.Size())
        BuildPicture(pDC, rect.Size());
    CDC dc;
    if (m_bmpPicture.GetSafeHandle() != nullptr && dc.CreateCompatibleDC(pDC))
    {
        CBitmap* pOld = dc.SelectObject(&m_bmpPicture);
        pDC->BitBlt(0, 0, rect.Width(), rect.Height(), &dc, 0, 0, SRCCOPY);
        dc.SelectObject(pOld);
    }
    else
    {
        pDC->FillSolidRect(rect, ktGlobals.m_colorFace);
    }
    pDC->Draw3dRect(rect, ktGlobals.m_colorDarkShadow, ktGlobals.m_colorHighlight);
    DrawPictureMarker(pDC);
}

void CKTColorPickerCtrl::DrawPictureMarker(CDC* pDC)
{
    const CRect box = PictureMarkerRect();
    const CPoint c = box.CenterPoint();
    const COLORREF color = GetFocus() == this ? RGB(0, 0, 0) : RGB(255, 255, 255);
    pDC->FillSolidRect(CRect(c.x - 1, box.top, c.x + 2, box.top + 5), color);
    pDC->FillSolidRect(CRect(c.x - 1, box.bottom - 5, c.x + 2, box.bottom), color);
    pDC->FillSolidRect(CRect(box.left, c.y - 1, box.left + 5, c.y + 2), color);
    pDC->FillSolidRect(CRect(box.right - 5, c.y - 1, box.right, c.y + 2), color);
}

void CKTColorPickerCtrl::DrawHexagons(CDC* pDC, const CRect& rect)
{
    if (m_cells.empty())
        BuildCells();
    pDC->FillSolidRect(rect, ktGlobals.m_colorFace);
    for (CKTColorHexCell& cell : m_cells)
    {
        CPen pen(PS_SOLID, 1, cell.m_colorPaint);
        CBrush br(cell.m_colorPaint);
        CPen* pOldPen = pDC->SelectObject(&pen);
        CBrush* pOldBrush = pDC->SelectObject(&br);
        pDC->Polygon(cell.m_corners, 6);
        pDC->SelectObject(pOldPen);
        pDC->SelectObject(pOldBrush);
    }
    const CKTColorHexCell* pSelected = FindCell(m_colorNew);
    if (pSelected != nullptr)
    {
        const int s = pSelected->m_nSize;
        FrameHexagon(pDC, CPoint(pSelected->m_center.x, pSelected->m_center.y - 1), s + 2, 2, RGB(255, 255, 255));
        FrameHexagon(pDC, pSelected->m_center, s + 2, 1, RGB(0, 0, 0));
        FrameHexagon(pDC, pSelected->m_center, s - 1, 1, RGB(0, 0, 0));
    }
}

#include "uitoolkit/customize/KTColorPickerCtrl.h"

#include "uitoolkit/looks/KTDrawHelper.h"
#include "uitoolkit/looks/KTUIGlobals.h"

#include <algorithm>
#include <cmath>

IMPLEMENT_DYNAMIC(CKTColorPickerCtrl, CButton)

namespace
{
const double kHexHeightRatio = 0.57735026;
const double kRadToDeg = 57.29577951308239;
const double kKeyStep = 0.05;
const int kLumBarMargin = 5;
const int kMarkerHalf = 9;

double Clamp01(double value)
{
    return std::min(1.0, std::max(0.0, value));
}

COLORREF SnapColor(COLORREF color, int nTolerance)
{
    return RGB(CKTColorPickerCtrl::SnapChannel(GetRValue(color), nTolerance),
               CKTColorPickerCtrl::SnapChannel(GetGValue(color), nTolerance),
               CKTColorPickerCtrl::SnapChannel(GetBValue(color), nTolerance));
}

CKTColorHexCell MakeCell(CPoint center, int nSize, COLORREF color)
{
    CKTColorHexCell cell;
    cell.m_center = center;
    cell.m_nSize = nSize;
    cell.m_color = color;
    cell.m_colorPaint = color;
    CKTColorHexCell::MakeCorners(center, nSize, cell.m_corners);
    return cell;
}

// Points above the hexagon's edge through a and b (corners run clockwise on the screen).
long long Side(const POINT& a, const POINT& b, CPoint p)
{
    return (long long)(b.x - a.x) * (p.y - a.y) - (long long)(b.y - a.y) * (p.x - a.x);
}

} // namespace

void CKTColorHexCell::MakeCorners(CPoint center, int nSize, POINT corners[6])
{
    const int h = static_cast<int>(nSize * kHexHeightRatio) / 2;
    const int m = nSize / 2;
    const int x = center.x, y = center.y;
    corners[0] = {x - m, y - h};
    corners[1] = {x, y - m};
    corners[2] = {x + m, y - h};
    corners[3] = {x + m, y + h};
    corners[4] = {x, y + m};
    corners[5] = {x - m, y + h};
}

BOOL CKTColorHexCell::Contains(CPoint point) const
{
    for (int i = 0; i < 6; i++)
    {
        if (Side(m_corners[i], m_corners[(i + 1) % 6], point) < 0)
            return FALSE;
    }
    return TRUE;
}

BEGIN_MESSAGE_MAP(CKTColorPickerCtrl, CButton)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDBLCLK()
ON_WM_KEYDOWN()
ON_WM_GETDLGCODE()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_SIZE()
ON_WM_ERASEBKGND()
ON_WM_QUERYNEWPALETTE()
ON_WM_PALETTECHANGED()
END_MESSAGE_MAP()

CKTColorPickerCtrl::CKTColorPickerCtrl() = default;

CKTColorPickerCtrl::~CKTColorPickerCtrl() = default;

int CKTColorPickerCtrl::SnapChannel(int nValue, int nTolerance)
{
    if (nTolerance == 0)
        return nValue;
    if (nValue < nTolerance)
        return 0;
    if (nValue > 255 - nTolerance)
        return 255;
    if (std::abs(nValue - 128) < nTolerance)
        return 128;
    if (std::abs(nValue - 192) < nTolerance)
        return 192;
    return nValue;
}

double CKTColorPickerCtrl::LuminanceFromHeight(const CRect& rectClient, int y)
{
    const int top = rectClient.top + kLumBarMargin;
    const int bottom = rectClient.bottom - kLumBarMargin;
    if (bottom <= top)
        return 0;
    y = std::min(bottom, std::max(top, y));
    return static_cast<double>(bottom - y) / (bottom - top);
}

void CKTColorPickerCtrl::MakeColorHexagons(CRect rect, std::vector<CKTColorHexCell>& cells)
{
    cells.clear();
    if (rect.Width() > rect.Height())
    {
        rect.left += (rect.Width() - rect.Height()) / 2;
        rect.right = rect.left + rect.Height();
    }
    else
    {
        rect.top += (rect.Height() - rect.Width()) / 2;
        rect.bottom = rect.top + rect.Width();
    }
    const int s = rect.Width() / 13 + 1;
    const CPoint center = rect.CenterPoint();
    cells.push_back(MakeCell(center, s, RGB(255, 255, 255)));

    static const double dx[6] = {-0.5, -1, -0.5, 0.5, 1, 0.5};
    static const double dy[6] = {0.8660254, 0, -0.8660254, -0.8660254, 0, 0.8660254};
    for (int r = 1; r <= 6; r++)
    {
        // The ring's luminance falls from the centre outwards; integer division would flatten it.
        const double dblLum = (7.0 - r) / 7.0 + 0.1;
        CPoint pt(center.x + r * s, center.y);
        for (int k = 0; k < 6; k++)
        {
            const int stepX = static_cast<int>(dx[k] * s);
            const int stepY = static_cast<int>(dy[k] * s);
            for (int j = 0; j < r; j++)
            {
                const double dblHue = static_cast<int>(
                    std::atan2(static_cast<double>(pt.y - center.y), static_cast<double>(pt.x - center.x)) * kRadToDeg);
                const COLORREF color = SnapColor(CKTDrawHelper::HLStoRGBDegrees(dblHue, dblLum, 1.0), 16);
                cells.push_back(MakeCell(pt, s, color));
                pt.x += stepX;
                pt.y += stepY;
            }
        }
    }
}

void CKTColorPickerCtrl::MakeGreyHexagons(const CRect& rect, std::vector<CKTColorHexCell>& cells)
{
    cells.clear();
    int c = std::min(rect.Height() / 2 - 2, rect.Width() / 13);
    if (c % 2 != 0)
        c++;
    if (c <= 0)
        return;
    const int nHalfRise = static_cast<int>(c * kHexHeightRatio * 1.5) / 2;
    const int nGreys = 15;
    // Big white, the zigzag of greys a half cell apart, big black.
    const int nTotal = 2 * c + c + (nGreys - 1) * (c / 2) + 2 * c;
    const int left = rect.left + (rect.Width() - nTotal) / 2;
    const int cy = rect.CenterPoint().y;

    cells.push_back(MakeCell(CPoint(left + c, cy), 2 * c, RGB(255, 255, 255)));
    int x = left + 2 * c + c / 2;
    for (int i = 0; i < nGreys; i++)
    {
        const int level = SnapChannel(240 - 15 * i, 7);
        const int y = (i % 2 == 0) ? cy - nHalfRise : cy + nHalfRise;
        cells.push_back(MakeCell(CPoint(x, y), c, RGB(level, level, level)));
        if (i + 1 < nGreys)
            x += c / 2;
    }
    cells.push_back(MakeCell(CPoint(x + c / 2 + c, cy), 2 * c, RGB(0, 0, 0)));
}

void CKTColorPickerCtrl::BuildCells()
{
    if (m_hWnd == nullptr)
        return;
    CRect rect;
    GetClientRect(&rect);
    if (m_colorType == HEX)
        MakeColorHexagons(rect, m_cells);
    else if (m_colorType == HEX_GREYSCALE)
        MakeGreyHexagons(rect, m_cells);
    else
        m_cells.clear();
    for (CKTColorHexCell& cell : m_cells)
        cell.m_colorPaint = PaintColor(cell.m_color);
}

const CKTColorHexCell* CKTColorPickerCtrl::CellFromPoint(CPoint point) const
{
    for (const CKTColorHexCell& cell : m_cells)
    {
        if (cell.Contains(point))
            return &cell;
    }
    return nullptr;
}

const CKTColorHexCell* CKTColorPickerCtrl::FindCell(COLORREF color) const
{
    for (const CKTColorHexCell& cell : m_cells)
    {
        if (cell.m_color == color)
            return &cell;
    }
    return nullptr;
}

COLORREF CKTColorPickerCtrl::PaintColor(COLORREF color) const
{
    if (m_pPalette != nullptr && m_pPalette->GetSafeHandle() != nullptr && ktGlobals.m_bitsPerPixel <= 8)
        return PALETTEINDEX(::GetNearestPaletteIndex((HPALETTE)m_pPalette->GetSafeHandle(), color));
    return color;
}

void CKTColorPickerCtrl::SetPalette(CPalette* pPalette)
{
    m_pPalette = pPalette;
    m_bmpPicture.DeleteObject();
    for (CKTColorHexCell& cell : m_cells)
        cell.m_colorPaint = PaintColor(cell.m_color);
}

void CKTColorPickerCtrl::SetColor(COLORREF color)
{
    m_colorNew = color;
    CKTDrawHelper::RGBtoHSL(color, &m_dblHue, &m_dblSat, &m_dblLum);
    if (m_hWnd != nullptr)
        Invalidate();
}

void CKTColorPickerCtrl::SetOriginalColor(COLORREF color)
{
    m_colorOriginal = color;
    if (m_hWnd != nullptr)
        Invalidate();
}

void CKTColorPickerCtrl::SetHLS(double hue, double luminance, double saturation, BOOL bInvalidate)
{
    if (hue != -1)
        m_dblHue = hue;
    if (luminance != -1)
        m_dblLum = luminance;
    if (saturation != -1)
        m_dblSat = saturation;
    RecomputeColor();
    if (bInvalidate && m_hWnd != nullptr)
        Invalidate();
}

void CKTColorPickerCtrl::RecomputeColor()
{
    m_colorNew = CKTDrawHelper::HLStoRGB(m_dblHue, m_dblLum, m_dblSat);
}

void CKTColorPickerCtrl::SetLuminanceBarWidth(int nWidth)
{
    if (m_hWnd != nullptr)
    {
        CRect rect;
        GetClientRect(&rect);
        nWidth = std::min(nWidth, rect.Width() * 3 / 4);
    }
    m_nLumBarWidth = nWidth;
    if (m_hWnd != nullptr)
        Invalidate();
}

void CKTColorPickerCtrl::NotifyParent(UINT nCode)
{
    CWnd* pParent = GetParent();
    if (pParent != nullptr)
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), nCode), (LPARAM)m_hWnd);
}

CRect CKTColorPickerCtrl::LuminanceBarRect() const
{
    CRect rect;
    GetClientRect(&rect);
    return CRect(rect.left, rect.top + kLumBarMargin, rect.left + m_nLumBarWidth, rect.bottom - kLumBarMargin);
}

CRect CKTColorPickerCtrl::PictureMarkerRect() const
{
    CRect rect;
    GetClientRect(&rect);
    const int x = static_cast<int>(rect.Width() * m_dblHue);
    const int y = static_cast<int>(rect.Height() * (1 - m_dblSat));
    return CRect(x - kMarkerHalf, y - kMarkerHalf, x + kMarkerHalf + 1, y + kMarkerHalf + 1);
}

CRect CKTColorPickerCtrl::LuminanceMarkerRect() const
{
    const CRect bar = LuminanceBarRect();
    const int y = bar.bottom - static_cast<int>(m_dblLum * bar.Height());
    const int x = bar.right + 6;
    return CRect(x, y - 4, x + 9, y + 5);
}

void CKTColorPickerCtrl::HandlePoint(CPoint point)
{
    CRect rect;
    GetClientRect(&rect);
    point.x = std::min(rect.right, std::max(rect.left, point.x));
    point.y = std::min(rect.bottom, std::max(rect.top, point.y));

    switch (m_colorType)
    {
    case LUMINANCE: {
        const CRect rectOld = LuminanceMarkerRect();
        m_dblLum = LuminanceFromHeight(rect, point.y);
        RecomputeColor();
        InvalidateRect(rectOld);
        InvalidateRect(LuminanceMarkerRect());
        break;
    }
    case PICKER: {
        const CRect rectOld = PictureMarkerRect();
        // Ctrl holds the hue (the marker's x), Shift the saturation (its y).
        if ((::GetKeyState(VK_CONTROL) & 0x8000) == 0 && rect.Width() > 0)
            m_dblHue = static_cast<double>(point.x) / rect.Width();
        if ((::GetKeyState(VK_SHIFT) & 0x8000) == 0 && rect.Height() > 0)
            m_dblSat = 1 - static_cast<double>(point.y) / rect.Height();
        RecomputeColor();
        InvalidateRect(rectOld);
        InvalidateRect(PictureMarkerRect());
        break;
    }
    case HEX:
    case HEX_GREYSCALE: {
        const CKTColorHexCell* pCell = CellFromPoint(point);
        if (pCell == nullptr)
            return;
        m_colorNew = pCell->m_color;
        CKTDrawHelper::RGBtoHSL(m_colorNew, &m_dblHue, &m_dblSat, &m_dblLum);
        Invalidate();
        break;
    }
    default:
        return;
    }
    NotifyParent();
}

void CKTColorPickerCtrl::OnLButtonDown(UINT /*nFlags*/, CPoint point)
{
    SetCapture();
    m_bTracking = TRUE;
    SetFocus();
    HandlePoint(point);
}

void CKTColorPickerCtrl::OnMouseMove(UINT /*nFlags*/, CPoint point)
{
    if (m_bTracking && GetCapture() == this)
        HandlePoint(point);
}

void CKTColorPickerCtrl::OnLButtonUp(UINT /*nFlags*/, CPoint /*point*/)
{
    m_bTracking = FALSE;
    if (GetCapture() == this)
        ::ReleaseCapture();
}

void CKTColorPickerCtrl::OnLButtonDblClk(UINT /*nFlags*/, CPoint /*point*/)
{
    if (m_colorType == PICKER || m_colorType == HEX || m_colorType == HEX_GREYSCALE)
        NotifyParent(BN_DOUBLECLICKED);
}

void CKTColorPickerCtrl::OnKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    double hue = m_dblHue, sat = m_dblSat, lum = m_dblLum;
    if (m_colorType == LUMINANCE)
    {
        if (nChar == VK_UP)
            lum += kKeyStep;
        else if (nChar == VK_DOWN)
            lum -= kKeyStep;
    }
    else if (m_colorType == PICKER)
    {
        if (nChar == VK_LEFT)
            hue -= kKeyStep;
        else if (nChar == VK_RIGHT)
            hue += kKeyStep;
        else if (nChar == VK_UP)
            sat += kKeyStep;
        else if (nChar == VK_DOWN)
            sat -= kKeyStep;
    }
    hue = Clamp01(hue);
    sat = Clamp01(sat);
    lum = Clamp01(lum);
    if (hue == m_dblHue && sat == m_dblSat && lum == m_dblLum)
    {
        Default();
        return;
    }
    const CRect rectOld = m_colorType == LUMINANCE ? LuminanceMarkerRect() : PictureMarkerRect();
    m_dblHue = hue;
    m_dblSat = sat;
    m_dblLum = lum;
    RecomputeColor();
    InvalidateRect(rectOld);
    InvalidateRect(m_colorType == LUMINANCE ? LuminanceMarkerRect() : PictureMarkerRect());
    NotifyParent();
}

UINT CKTColorPickerCtrl::OnGetDlgCode()
{
    return static_cast<UINT>(Default()) | DLGC_WANTARROWS;
}

void CKTColorPickerCtrl::OnSetFocus(CWnd* /*pOldWnd*/)
{
    Default();
    Invalidate();
}

void CKTColorPickerCtrl::OnKillFocus(CWnd* /*pNewWnd*/)
{
    Default();
    Invalidate();
}

void CKTColorPickerCtrl::OnSize(UINT /*nType*/, int /*cx*/, int /*cy*/)
{
    Default();
    m_bmpPicture.DeleteObject();
    m_cells.clear();
}

BOOL CKTColorPickerCtrl::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

BOOL CKTColorPickerCtrl::OnQueryNewPalette()
{
    Invalidate();
    return TRUE;
}

void CKTColorPickerCtrl::OnPaletteChanged(CWnd* /*pFocusWnd*/)
{
    Invalidate();
}

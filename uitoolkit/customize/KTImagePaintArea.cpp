// The image editor's drawing surface: the bitmap's pixels as a zoomed grid, and the tools
// applied with the mouse.
#include "uitoolkit/customize/KTImageEditDlg.h"

#include "uitoolkit/customize/KTCursorResource.h"
#include "uitoolkit/looks/KTImageStrip.h"
#include "uitoolkit/looks/KTUIGlobals.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CKTImagePaintArea, CButton)

BEGIN_MESSAGE_MAP(CKTImagePaintArea, CButton)
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_CANCELMODE()
ON_WM_SETCURSOR()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace
{
// The tools' cursors, by tool value.
const UINT kToolCursors[] = {16144, 16142, 16143, 16140, 16141, 16145};
} // namespace

CKTImagePaintArea::CKTImagePaintArea(CKTImageEditDlg* pDlg) : m_pDlg(pDlg)
{
    m_rectDraw.SetRectEmpty();
    m_rectPreview.SetRectEmpty();
    m_penDraw.CreatePen(PS_SOLID, 1, m_rgbColor);
}

CKTImagePaintArea::~CKTImagePaintArea()
{
    for (HCURSOR hCursor : m_aCursors)
        if (hCursor != nullptr)
            ::DestroyCursor(hCursor);
}

void CKTImagePaintArea::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    for (int i = 0; i < 6; i++)
        if (m_aCursors[i] == nullptr)
            m_aCursors[i] = KTLoadCursorResource(kToolCursors[i]);
}

HCURSOR CKTImagePaintArea::GetToolCursor(int iTool) const
{
    return iTool >= 0 && iTool < 6 ? m_aCursors[iTool] : nullptr;
}

int CKTImagePaintArea::GetTool() const
{
    return m_pDlg != nullptr ? m_pDlg->GetTool() : ToolPencil;
}

void CKTImagePaintArea::SetBitmap(CBitmap* pBitmap)
{
    m_pBitmap = pBitmap;
    m_sizeImage = CSize(0, 0);
    if (m_memDC.GetSafeHdc() == nullptr)
    {
        CClientDC dc(this);
        m_memDC.CreateCompatibleDC(&dc);
    }
    BITMAP bmp = {};
    if (pBitmap == nullptr || pBitmap->GetSafeHandle() == nullptr || !pBitmap->GetBitmap(&bmp) || bmp.bmWidth <= 0 ||
        bmp.bmHeight <= 0)
    {
        m_pBitmap = nullptr;
        return;
    }
    m_sizeImage = CSize(bmp.bmWidth, bmp.bmHeight);
    CRect rectClient;
    GetClientRect(&rectClient);
    m_sizeCell = CSize(std::max(1, static_cast<int>((rectClient.Width() - 2) / m_sizeImage.cx)),
                       std::max(1, static_cast<int>((rectClient.Height() - 2) / m_sizeImage.cy)));
    RebuildGridPen();
}

void CKTImagePaintArea::RebuildGridPen()
{
    m_penGrid.DeleteObject();
    m_penGrid.CreatePen(PS_SOLID, std::min(m_sizeCell.cx, m_sizeCell.cy), ::GetSysColor(COLOR_BTNTEXT));
}

void CKTImagePaintArea::SetColor(COLORREF color)
{
    m_rgbColor = color;
    m_penDraw.DeleteObject();
    m_penDraw.CreatePen(PS_SOLID, 1, color);
}

CPoint CKTImagePaintArea::ClientToPixel(CPoint point) const
{
    const int x = (point.x - 1) / m_sizeCell.cx;
    const int y = (point.y - 1) / m_sizeCell.cy;
    return CPoint(std::max(0, std::min(x, static_cast<int>(m_sizeImage.cx) - 1)),
                  std::max(0, std::min(y, static_cast<int>(m_sizeImage.cy) - 1)));
}

CPoint CKTImagePaintArea::PixelToClient(CPoint pixel) const
{
    return CPoint(pixel.x * m_sizeCell.cx + 1 + m_sizeCell.cx / 2, pixel.y * m_sizeCell.cy + 1 + m_sizeCell.cy / 2);
}

BOOL CKTImagePaintArea::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CKTImagePaintArea::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rect = lpDIS->rcItem;
    pDC->FillRect(rect, &ktGlobals.m_brushFace);
    if (m_pBitmap == nullptr)
        return;
    rect.DeflateRect(1, 1);
    const CRect rectGrid(rect.TopLeft(), CSize(m_sizeImage.cx * m_sizeCell.cx, m_sizeImage.cy * m_sizeCell.cy));
    CRect rectBorder = rectGrid;
    rectBorder.InflateRect(1, 1);
    pDC->Draw3dRect(rectBorder, ktGlobals.m_colorDarkShadow, ktGlobals.m_colorHighlight);

    CPen penLines(PS_SOLID, 1, ktGlobals.m_colorShadow);
    CPen* pOldPen = pDC->SelectObject(&penLines);
    for (int x = 0; x <= m_sizeImage.cx; x++)
    {
        pDC->MoveTo(rectGrid.left + x * m_sizeCell.cx, rectGrid.top);
        pDC->LineTo(rectGrid.left + x * m_sizeCell.cx, rectGrid.bottom);
    }
    for (int y = 0; y <= m_sizeImage.cy; y++)
    {
        pDC->MoveTo(rectGrid.left, rectGrid.top + y * m_sizeCell.cy);
        pDC->LineTo(rectGrid.right, rectGrid.top + y * m_sizeCell.cy);
    }
    pDC->SelectObject(pOldPen);

    CBitmap* pOldBitmap = m_memDC.SelectObject(m_pBitmap);
    for (int y = 0; y < m_sizeImage.cy; y++)
    {
        for (int x = 0; x < m_sizeImage.cx; x++)
        {
            const COLORREF color = m_memDC.GetPixel(x, y);
            if (color == CLR_INVALID)
                continue;
            CRect rectCell(rectGrid.left + x * m_sizeCell.cx, rectGrid.top + y * m_sizeCell.cy, 0, 0);
            rectCell.right = rectCell.left + m_sizeCell.cx;
            rectCell.bottom = rectCell.top + m_sizeCell.cy;
            rectCell.DeflateRect(1, 1, 0, 0);
            pDC->FillSolidRect(rectCell, CKTImageStrip::MapFromSysColor(color));
        }
    }
    m_memDC.SelectObject(pOldBitmap);
}

void CKTImagePaintArea::RepaintAll()
{
    Invalidate();
    UpdateWindow();
    if (m_pDlg != nullptr && m_pDlg->GetSafeHwnd() != nullptr)
    {
        m_pDlg->InvalidateRect(m_rectPreview);
        m_pDlg->UpdateWindow();
    }
}

void CKTImagePaintArea::DrawPixel(CPoint pixel)
{
    if (m_pBitmap == nullptr)
        return;
    {
        CClientDC dc(this);
        CRect rectCell(pixel.x * m_sizeCell.cx + 1, pixel.y * m_sizeCell.cy + 1, 0, 0);
        rectCell.right = rectCell.left + m_sizeCell.cx;
        rectCell.bottom = rectCell.top + m_sizeCell.cy;
        rectCell.DeflateRect(1, 1, 0, 0);
        dc.FillSolidRect(rectCell, m_rgbColor);
    }
    // Stored as drawn, as every other tool stores it: painting maps system colours back to the
    // standard ones, so a mapped pixel would come back as another colour.
    CBitmap* pOldBitmap = m_memDC.SelectObject(m_pBitmap);
    m_memDC.SetPixel(pixel, m_rgbColor);
    m_memDC.SelectObject(pOldBitmap);
    if (m_pDlg != nullptr && m_pDlg->GetSafeHwnd() != nullptr)
        m_pDlg->InvalidateRect(m_rectPreview);
}

void CKTImagePaintArea::OnLButtonDown(UINT, CPoint point)
{
    if (m_pBitmap == nullptr)
        return;
    const CPoint pixel = ClientToPixel(point);
    switch (GetTool())
    {
    case ToolPencil:
        DrawPixel(pixel);
        break;
    case ToolLine:
    case ToolRectangle:
    case ToolEllipse:
        m_rectDraw = CRect(pixel, pixel);
        break;
    default:
        break;
    }
    m_bDragging = TRUE;
    SetCapture();
}

void CKTImagePaintArea::DrawRubberBand()
{
    if (m_rectDraw.TopLeft() == m_rectDraw.BottomRight())
        return;
    CClientDC dc(this);
    CRgn rgnGrid;
    rgnGrid.CreateRectRgn(1, 1, 1 + m_sizeImage.cx * m_sizeCell.cx, 1 + m_sizeImage.cy * m_sizeCell.cy);
    dc.SelectClipRgn(&rgnGrid);
    CPen* pOldPen = dc.SelectObject(&m_penGrid);
    CGdiObject* pOldBrush = dc.SelectStockObject(NULL_BRUSH);
    const int nOldRop = dc.SetROP2(R2_NOT);
    const CPoint ptStart = PixelToClient(m_rectDraw.TopLeft());
    const CPoint ptEnd = PixelToClient(m_rectDraw.BottomRight());
    switch (GetTool())
    {
    case ToolLine:
        dc.MoveTo(ptStart);
        dc.LineTo(ptEnd);
        break;
    case ToolRectangle:
        dc.Rectangle(CRect(ptStart, ptEnd));
        break;
    case ToolEllipse:
        dc.Ellipse(CRect(ptStart, ptEnd));
        break;
    default:
        break;
    }
    dc.SetROP2(nOldRop);
    dc.SelectObject(pOldBrush);
    dc.SelectObject(pOldPen);
    ::SelectClipRgn(dc.GetSafeHdc(), nullptr);
}

void CKTImagePaintArea::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bDragging || !(nFlags & MK_LBUTTON) || m_pBitmap == nullptr)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    point.x = std::max(rectClient.left, std::min(point.x, static_cast<LONG>(rectClient.right - 1)));
    point.y = std::max(rectClient.top, std::min(point.y, static_cast<LONG>(rectClient.bottom - 1)));
    const CPoint pixel = ClientToPixel(point);
    switch (GetTool())
    {
    case ToolPencil:
        DrawPixel(pixel);
        break;
    case ToolLine:
    case ToolRectangle:
    case ToolEllipse:
        DrawRubberBand();
        m_rectDraw.right = pixel.x;
        m_rectDraw.bottom = pixel.y;
        DrawRubberBand();
        break;
    default:
        break;
    }
}

void CKTImagePaintArea::OnLButtonUp(UINT, CPoint point)
{
    if (!m_bDragging)
        return;
    m_bDragging = FALSE;
    if (GetCapture() == this)
        ::ReleaseCapture();
    if (m_pBitmap == nullptr)
        return;
    const int iTool = GetTool();
    const CPoint pixel = ClientToPixel(point);
    CRect rectShape = m_rectDraw;
    const BOOL bSinglePixel = rectShape.TopLeft() == rectShape.BottomRight();
    if (iTool == ToolRectangle || iTool == ToolEllipse)
    {
        // The outline covers both the start and the end pixel, also when they share a row or a
        // column (an empty box would draw nothing).
        (rectShape.left > rectShape.right ? rectShape.left : rectShape.right)++;
        (rectShape.top > rectShape.bottom ? rectShape.top : rectShape.bottom)++;
    }

    switch (iTool)
    {
    case ToolPencil:
        DrawPixel(pixel);
        break;
    case ToolFill: {
        CBitmap* pOldBitmap = m_memDC.SelectObject(m_pBitmap);
        CBrush brush(m_rgbColor);
        CBrush* pOldBrush = m_memDC.SelectObject(&brush);
        ::ExtFloodFill(m_memDC.GetSafeHdc(), pixel.x, pixel.y, m_memDC.GetPixel(pixel), FLOODFILLSURFACE);
        m_memDC.SelectObject(pOldBrush);
        m_memDC.SelectObject(pOldBitmap);
        RepaintAll();
        break;
    }
    case ToolLine:
        if (bSinglePixel)
        {
            DrawPixel(rectShape.TopLeft());
            break;
        }
        {
            CBitmap* pOldBitmap = m_memDC.SelectObject(m_pBitmap);
            CPen* pOldPen = m_memDC.SelectObject(&m_penDraw);
            m_memDC.MoveTo(rectShape.TopLeft());
            m_memDC.LineTo(rectShape.BottomRight());
            m_memDC.SelectObject(pOldPen);
            m_memDC.SelectObject(pOldBitmap);
        }
        // A line leaves out its last pixel.
        DrawPixel(rectShape.BottomRight());
        RepaintAll();
        break;
    case ToolRectangle:
    case ToolEllipse:
        if (bSinglePixel)
        {
            DrawPixel(rectShape.TopLeft());
            break;
        }
        {
            CBitmap* pOldBitmap = m_memDC.SelectObject(m_pBitmap);
            CPen* pOldPen = m_memDC.SelectObject(&m_penDraw);
            CGdiObject* pOldBrush = m_memDC.SelectStockObject(NULL_BRUSH);
            rectShape.NormalizeRect();
            if (iTool == ToolRectangle)
                m_memDC.Rectangle(rectShape);
            else
                m_memDC.Ellipse(rectShape);
            m_memDC.SelectObject(pOldBrush);
            m_memDC.SelectObject(pOldPen);
            m_memDC.SelectObject(pOldBitmap);
        }
        RepaintAll();
        break;
    case ToolSelectColor: {
        CBitmap* pOldBitmap = m_memDC.SelectObject(m_pBitmap);
        const COLORREF color = m_memDC.GetPixel(pixel);
        m_memDC.SelectObject(pOldBitmap);
        if (m_pDlg != nullptr && color != CLR_INVALID)
            m_pDlg->OnPickColor(color);
        break;
    }
    default:
        break;
    }
    m_rectDraw.SetRectEmpty();
}

void CKTImagePaintArea::OnCancelMode()
{
    CButton::OnCancelMode();
    m_bDragging = FALSE;
    if (GetCapture() == this)
        ::ReleaseCapture();
}

BOOL CKTImagePaintArea::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    const HCURSOR hCursor = GetToolCursor(GetTool());
    if (hCursor == nullptr)
        return CButton::OnSetCursor(pWnd, nHitTest, message);
    ::SetCursor(hCursor);
    return TRUE;
}

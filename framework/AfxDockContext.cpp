#include "framework/AfxDockContext.h"

#include "framework/AfxDockBar.h"
#include "framework/AfxGdi.h"
#include "framework/AfxMiniDockFrameWnd.h"

namespace
{

// The outline: a thin frame while over a dock bar, a thick one while floating.
const int kDockOutline = 1;
const int kFloatOutline = 3;

HBRUSH HalftoneBrush()
{
    static HBRUSH s_hbr = [] {
        WORD pattern[8];
        for (int i = 0; i < 8; ++i)
            pattern[i] = static_cast<WORD>(0x5555 << (i & 1));
        HBITMAP hbm = ::CreateBitmap(8, 8, 1, 1, pattern);
        HBRUSH hbr = ::CreatePatternBrush(hbm);
        ::DeleteObject(hbm);
        return hbr;
    }();
    return s_hbr;
}

// XORs a frame of the given thickness: drawn twice, it is gone.
void InvertFrame(HDC hDC, const CRect& rect, int nThickness)
{
    HGDIOBJ hOld = ::SelectObject(hDC, HalftoneBrush());
    int cx = rect.Width();
    int cy = rect.Height();
    ::PatBlt(hDC, rect.left, rect.top, cx, nThickness, PATINVERT);
    ::PatBlt(hDC, rect.left, rect.bottom - nThickness, cx, nThickness, PATINVERT);
    ::PatBlt(hDC, rect.left, rect.top + nThickness, nThickness, cy - 2 * nThickness, PATINVERT);
    ::PatBlt(hDC, rect.right - nThickness, rect.top + nThickness, nThickness, cy - 2 * nThickness, PATINVERT);
    ::SelectObject(hDC, hOld);
}

// The floating frame's outline around a bar of the given size at pt.
CRect FloatingFrameRect(CPoint pt, CSize sizeBar)
{
    CRect rect(pt, sizeBar);
    CMiniFrameWnd::CalcBorders(&rect, WS_CAPTION | WS_SYSMENU);
    rect.OffsetRect(pt - rect.TopLeft());
    return rect;
}

} // namespace

CDockContext::CDockContext(CControlBar* pBar) : m_pBar(pBar), m_pDockSite(pBar->m_pDockSite)
{
    m_rectMRUDockPos.SetRectEmpty();
}

CDockContext::~CDockContext()
{
    if (m_pDC != nullptr)
        CancelLoop();
}

void CDockContext::InitLoop()
{
    m_rectLast.SetRectEmpty();
    m_sizeLast = CSize(0, 0);
    m_bDitherLast = FALSE;
    m_bForceFrame = ::GetKeyState(VK_CONTROL) < 0;
    if (m_pDockSite == nullptr)
        m_pDockSite = m_pBar->m_pDockSite;
    if (m_pDC == nullptr)
    {
        m_pDC = new CDC;
        m_pDC->Attach(::GetDCEx(::GetDesktopWindow(), nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE));
    }
}

void CDockContext::CancelLoop()
{
    DrawFocusRect(TRUE);
    if (::GetCapture() == m_pBar->m_hWnd)
        ::ReleaseCapture();
    if (m_pDC != nullptr)
    {
        HDC hDC = m_pDC->Detach();
        if (hDC != nullptr)
            ::ReleaseDC(::GetDesktopWindow(), hDC);
        delete m_pDC;
        m_pDC = nullptr;
    }
}

void CDockContext::DrawFocusRect(BOOL bRemoveRect)
{
    if (m_pDC == nullptr || m_pDC->m_hDC == nullptr)
        return;
    CRect rect;
    BOOL bDither = FALSE;
    if (m_bDragging)
    {
        if (m_dwOverDockStyle == 0)
        {
            rect = m_rectFrameDragHorz;
            bDither = TRUE;
        }
        else
            rect = (m_dwOverDockStyle & CBRS_ORIENT_HORZ) != 0 ? m_rectDragHorz : m_rectDragVert;
    }
    else
    {
        rect = m_rectRequestedSize;
        bDither = TRUE;
    }
    if (!m_rectLast.IsRectEmpty())
        InvertFrame(m_pDC->m_hDC, m_rectLast, m_bDitherLast ? kFloatOutline : kDockOutline);
    m_rectLast.SetRectEmpty();
    if (bRemoveRect)
        return;
    InvertFrame(m_pDC->m_hDC, rect, bDither ? kFloatOutline : kDockOutline);
    m_rectLast = rect;
    m_sizeLast = rect.Size();
    m_bDitherLast = bDither;
}

CDockBar* CDockContext::GetDockBar(DWORD dwOverDockStyle)
{
    if (m_pDockSite == nullptr)
        return nullptr;
    const CRect* pRect = nullptr;
    for (CControlBar* pCandidate : m_pDockSite->m_listControlBars)
    {
        auto* pDockBar = dynamic_cast<CDockBar*>(pCandidate);
        if (pDockBar == nullptr || pDockBar->m_bFloating || pDockBar->m_hWnd == nullptr ||
            (pDockBar->m_dwStyle & dwOverDockStyle & CBRS_ALIGN_ANY) == 0)
            continue;
        pRect = (pDockBar->m_dwStyle & CBRS_ORIENT_HORZ) != 0 ? &m_rectDragHorz : &m_rectDragVert;
        // An empty side is a line along the frame's edge: it still catches an outline crossing it.
        CRect rectBar;
        pDockBar->GetWindowRect(&rectBar);
        if (rectBar.Width() == 0)
            ++rectBar.right;
        if (rectBar.Height() == 0)
            ++rectBar.bottom;
        CRect rectMeet;
        if (rectMeet.IntersectRect(&rectBar, pRect))
            return pDockBar;
    }
    return nullptr;
}

DWORD CDockContext::CanDock()
{
    m_pTargetDockBar = nullptr;
    if (m_bForceFrame)
        return 0;
    // The sides of the bar's own orientation are tried first (a bar docked at the left whose
    // outline also touches the top stays on its side), then the others, each only where the bar
    // may dock.
    static const DWORD horzFirst[] = {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT};
    static const DWORD vertFirst[] = {CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT, CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM};
    const BOOL bVert = (m_dwStyle & CBRS_FLOATING) == 0 && (m_dwStyle & CBRS_ORIENT_VERT) != 0;
    for (DWORD dwSide : bVert ? vertFirst : horzFirst)
    {
        if ((m_dwDockStyle & dwSide) == 0)
            continue;
        CDockBar* pDockBar = GetDockBar(dwSide);
        if (pDockBar != nullptr)
        {
            m_pTargetDockBar = pDockBar;
            return pDockBar->m_dwStyle & CBRS_ALIGN_ANY;
        }
    }
    return 0;
}

void CDockContext::StartDrag(CPoint pt)
{
    m_bDragging = TRUE;
    InitLoop();
    m_dwDockStyle = m_pBar->m_dwDockStyle;
    m_dwStyle = m_pBar->m_dwStyle;

    CRect rect;
    m_pBar->GetWindowRect(&rect);
    m_ptLast = pt;
    CSize sizeHorz = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK);
    CSize sizeVert = m_pBar->CalcDynamicLayout(0, LM_VERTDOCK);
    CSize sizeFloat = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
    if (m_pBar->IsFloating())
    {
        // A floating bar is dragged by its frame: the outlines start there.
        CFrameWnd* pFrame = m_pBar->GetParentFrame();
        if (pFrame != nullptr)
            pFrame->GetWindowRect(&rect);
    }
    m_rectDragHorz = CRect(rect.TopLeft(), sizeHorz);
    m_rectDragVert = CRect(rect.TopLeft(), sizeVert);
    m_rectFrameDragHorz = FloatingFrameRect(rect.TopLeft(), sizeFloat);
    m_rectFrameDragVert = FloatingFrameRect(rect.TopLeft(), sizeVert);
    // Each outline keeps the point under the cursor inside it.
    for (CRect* pRect : {&m_rectDragHorz, &m_rectDragVert, &m_rectFrameDragHorz, &m_rectFrameDragVert})
    {
        if (pt.x >= pRect->right)
            pRect->OffsetRect(pt.x - pRect->right + pRect->Width() / 2, 0);
        if (pt.y >= pRect->bottom)
            pRect->OffsetRect(0, pt.y - pRect->bottom + pRect->Height() / 2);
    }
    m_dwOverDockStyle = CanDock();
    DrawFocusRect();
    Track();
}

void CDockContext::Move(CPoint pt)
{
    CPoint ptOffset = pt - m_ptLast;
    m_rectDragHorz.OffsetRect(ptOffset);
    m_rectDragVert.OffsetRect(ptOffset);
    m_rectFrameDragHorz.OffsetRect(ptOffset);
    m_rectFrameDragVert.OffsetRect(ptOffset);
    m_ptLast = pt;
    m_dwOverDockStyle = CanDock();
    DrawFocusRect();
}

void CDockContext::OnKey(int nChar, BOOL bDown)
{
    if (nChar == VK_CONTROL && m_bForceFrame != bDown)
    {
        m_bForceFrame = bDown;
        m_dwOverDockStyle = CanDock();
        DrawFocusRect();
    }
}

void CDockContext::EndDrag()
{
    CancelLoop();
    if (m_dwOverDockStyle != 0 && m_pTargetDockBar != nullptr)
    {
        CDockBar* pDockBar = m_pTargetDockBar;
        CRect rect = (m_dwOverDockStyle & CBRS_ORIENT_VERT) != 0 ? m_rectDragVert : m_rectDragHorz;
        m_uMRUDockID = pDockBar->GetDlgCtrlID();
        m_rectMRUDockPos = rect;
        pDockBar->ScreenToClient(&m_rectMRUDockPos);
        m_pDockSite->DockControlBar(m_pBar, pDockBar, &rect);
        m_pDockSite->RecalcLayout();
        return;
    }
    m_dwMRUFloatStyle = CBRS_ALIGN_TOP | (m_dwDockStyle & CBRS_FLOAT_MULTI);
    m_ptMRUFloatPos = m_rectFrameDragHorz.TopLeft();
    m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
}

void CDockContext::ToggleDocking()
{
    if (m_pDockSite == nullptr)
        m_pDockSite = m_pBar->m_pDockSite;
    if (m_pDockSite == nullptr)
        return;
    if (m_pBar->IsFloating())
    {
        auto* pDockBar = dynamic_cast<CDockBar*>(m_pDockSite->GetControlBar(m_uMRUDockID));
        if (pDockBar != nullptr && !m_rectMRUDockPos.IsRectEmpty())
        {
            CRect rect(m_rectMRUDockPos);
            pDockBar->ClientToScreen(&rect);
            m_pDockSite->DockControlBar(m_pBar, pDockBar, &rect);
        }
        else
            m_pDockSite->DockControlBar(m_pBar, pDockBar, nullptr);
        m_pDockSite->RecalcLayout();
        return;
    }
    CPoint ptFloat = m_ptMRUFloatPos;
    if (ptFloat.x < 0 || ptFloat.y < 0)
    {
        CRect rect;
        m_pBar->GetWindowRect(&rect);
        ptFloat = rect.TopLeft();
    }
    m_pDockSite->FloatControlBar(m_pBar, ptFloat, m_dwMRUFloatStyle);
}

void CDockContext::StartResize(int nHitTest, CPoint pt)
{
    m_bDragging = FALSE;
    m_nHitTest = nHitTest;
    InitLoop();
    CFrameWnd* pFrame = m_pBar->GetParentFrame();
    if (pFrame == nullptr)
        return;
    pFrame->GetWindowRect(&m_rectActualFrameSize);
    m_pBar->GetWindowRect(&m_rectActualSize);
    m_rectRequestedSize = m_rectActualFrameSize;
    m_ptLast = pt;
    DrawFocusRect();
    Track();
}

void CDockContext::Stretch(CPoint pt)
{
    CPoint ptOffset = pt - m_ptLast;
    CRect rect(m_rectRequestedSize);
    CRect rectBorder(
        m_rectActualFrameSize.left - m_rectActualSize.left, m_rectActualFrameSize.top - m_rectActualSize.top,
        m_rectActualFrameSize.right - m_rectActualSize.right, m_rectActualFrameSize.bottom - m_rectActualSize.bottom);
    BOOL bLeft = m_nHitTest == HTLEFT || m_nHitTest == HTTOPLEFT || m_nHitTest == HTBOTTOMLEFT;
    BOOL bRight = m_nHitTest == HTRIGHT || m_nHitTest == HTTOPRIGHT || m_nHitTest == HTBOTTOMRIGHT;
    BOOL bTop = m_nHitTest == HTTOP || m_nHitTest == HTTOPLEFT || m_nHitTest == HTTOPRIGHT;
    BOOL bBottom = m_nHitTest == HTBOTTOM || m_nHitTest == HTBOTTOMLEFT || m_nHitTest == HTBOTTOMRIGHT;
    if (bLeft || bRight)
    {
        int nWidth = rect.Width() - rectBorder.right + rectBorder.left + (bLeft ? -ptOffset.x : ptOffset.x);
        CSize size = m_pBar->CalcDynamicLayout(nWidth, LM_HORZ);
        int cx = size.cx + rectBorder.right - rectBorder.left;
        if (bLeft)
            rect.left = rect.right - cx;
        else
            rect.right = rect.left + cx;
        rect.bottom = rect.top + size.cy + rectBorder.bottom - rectBorder.top;
    }
    if (bTop || bBottom)
    {
        int nHeight = rect.Height() - rectBorder.bottom + rectBorder.top + (bTop ? -ptOffset.y : ptOffset.y);
        CSize size = m_pBar->CalcDynamicLayout(nHeight, LM_HORZ | LM_LENGTHY);
        int cy = size.cy + rectBorder.bottom - rectBorder.top;
        if (bTop)
            rect.top = rect.bottom - cy;
        else
            rect.bottom = rect.top + cy;
        rect.right = rect.left + size.cx + rectBorder.right - rectBorder.left;
    }
    m_ptLast = pt;
    m_rectRequestedSize = rect;
    DrawFocusRect();
}

void CDockContext::EndResize()
{
    CancelLoop();
    CFrameWnd* pFrame = m_pBar->GetParentFrame();
    if (pFrame == nullptr)
        return;
    CRect rectBorder(
        m_rectActualFrameSize.left - m_rectActualSize.left, m_rectActualFrameSize.top - m_rectActualSize.top,
        m_rectActualFrameSize.right - m_rectActualSize.right, m_rectActualFrameSize.bottom - m_rectActualSize.bottom);
    int nWidth = m_rectRequestedSize.Width() - rectBorder.right + rectBorder.left;
    m_pBar->CalcDynamicLayout(nWidth, LM_HORZ | LM_COMMIT);
    pFrame->SetWindowPos(nullptr, m_rectRequestedSize.left, m_rectRequestedSize.top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pFrame->RecalcLayout();
}

BOOL CDockContext::Track()
{
    // Another window's capture (a menu, another drag) means this loop must not start.
    if (::GetCapture() != nullptr)
    {
        CancelLoop();
        return FALSE;
    }
    HWND hWndBar = m_pBar->m_hWnd;
    ::SetCapture(hWndBar);
    while (::GetCapture() == hWndBar)
    {
        MSG msg;
        if (!::GetMessage(&msg, nullptr, 0, 0))
        {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        switch (msg.message)
        {
        case WM_LBUTTONUP: {
            if (m_bDragging)
            {
                // Ctrl held at the release (mouse key state) floats the bar too.
                if ((msg.wParam & MK_CONTROL) != 0 && !m_bForceFrame)
                    OnKey(VK_CONTROL, TRUE);
                EndDrag();
            }
            else
                EndResize();
            return TRUE;
        }
        case WM_MOUSEMOVE: {
            POINT pt = {static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
            ::ClientToScreen(msg.hwnd, &pt);
            if (m_bDragging)
            {
                m_bForceFrame = (msg.wParam & MK_CONTROL) != 0;
                Move(CPoint(pt.x, pt.y));
            }
            else
                Stretch(CPoint(pt.x, pt.y));
            break;
        }
        case WM_KEYUP:
            if (m_bDragging)
                OnKey(static_cast<int>(msg.wParam), FALSE);
            break;
        case WM_KEYDOWN:
            if (m_bDragging)
                OnKey(static_cast<int>(msg.wParam), TRUE);
            if (msg.wParam == VK_ESCAPE)
            {
                CancelLoop();
                return FALSE;
            }
            break;
        case WM_RBUTTONDOWN:
            CancelLoop();
            return FALSE;
        default:
            ::DispatchMessage(&msg);
            break;
        }
    }
    CancelLoop();
    return FALSE;
}

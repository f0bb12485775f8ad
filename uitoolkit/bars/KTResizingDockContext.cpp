#include "uitoolkit/bars/KTResizingDockContext.h"

#include "framework/AfxDockBar.h"
#include "framework/AfxGdi.h"
#include "framework/AfxMiniDockFrameWnd.h"

void CKTResizingDockContext::StartResize(int nHitTest, CPoint pt)
{
    if (::GetCapture() != nullptr)
        return;
    CFrameWnd* pFrame = m_pBar->GetParentFrame();
    if (pFrame == nullptr)
        return;
    m_bDragging = FALSE;
    m_nHitTest = nHitTest;
    InitLoop();
    if (m_pDC != nullptr && m_pDC->m_hDC != nullptr)
        ::SetLayout(m_pDC->m_hDC, 0);

    CRect rectBar;
    m_pBar->GetWindowRect(&rectBar);
    const CSize size = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
    m_sizeFloatBefore = size;
    m_rectDragHorz = CRect(rectBar.TopLeft(), size);
    m_rectDragVert = m_rectDragHorz;
    // The frame around the bar as it stands: its borders and caption stay the same while it grows.
    CRect rectFrame;
    pFrame->GetWindowRect(&rectFrame);
    m_rectFrameDragVert = CRect(rectFrame.left - rectBar.left, rectFrame.top - rectBar.top,
                                rectFrame.right - rectBar.right, rectFrame.bottom - rectBar.bottom);
    m_rectFrameDragHorz =
        CRect(m_rectDragHorz.left + m_rectFrameDragVert.left, m_rectDragHorz.top + m_rectFrameDragVert.top,
              m_rectDragHorz.right + m_rectFrameDragVert.right, m_rectDragHorz.bottom + m_rectFrameDragVert.bottom);
    m_rectActualFrameSize = rectFrame;
    m_rectActualSize = rectBar;
    m_rectRequestedSize = m_rectFrameDragHorz;
    m_ptLast = pt;
    Stretch(pt);
    Track();
}

void CKTResizingDockContext::Stretch(CPoint pt)
{
    const CPoint delta = pt - m_ptLast;
    const int nHit = m_nHitTest;
    const BOOL bLeft = nHit == HTLEFT || nHit == HTTOPLEFT || nHit == HTBOTTOMLEFT;
    const BOOL bRight = nHit == HTRIGHT || nHit == HTTOPRIGHT || nHit == HTBOTTOMRIGHT;
    const BOOL bTop = nHit == HTTOP || nHit == HTTOPLEFT || nHit == HTTOPRIGHT;
    const BOOL bBottom = nHit == HTBOTTOM || nHit == HTBOTTOMLEFT || nHit == HTBOTTOMRIGHT;

    CSize size = m_rectDragHorz.Size();
    if (bLeft || bRight)
        size = m_pBar->CalcDynamicLayout(size.cx + (bLeft ? -delta.x : delta.x), LM_HORZ);
    if (bTop || bBottom)
        size = m_pBar->CalcDynamicLayout(size.cy + (bTop ? -delta.y : delta.y), LM_HORZ | LM_LENGTHY);

    // Anchored at the corner opposite the one dragged.
    CRect rect = m_rectDragHorz;
    if (nHit == HTLEFT || nHit == HTTOP || nHit == HTTOPLEFT)
        rect = CRect(rect.right - size.cx, rect.bottom - size.cy, rect.right, rect.bottom);
    else if (nHit == HTTOPRIGHT)
        rect = CRect(rect.left, rect.bottom - size.cy, rect.left + size.cx, rect.bottom);
    else if (nHit == HTBOTTOMLEFT)
        rect = CRect(rect.right - size.cx, rect.top, rect.right, rect.top + size.cy);
    else
        rect = CRect(rect.TopLeft(), size);
    const CRect rectFrame(rect.left + m_rectFrameDragVert.left, rect.top + m_rectFrameDragVert.top,
                          rect.right + m_rectFrameDragVert.right, rect.bottom + m_rectFrameDragVert.bottom);
    CRect rectDesktop;
    ::GetWindowRect(::GetDesktopWindow(), &rectDesktop);
    CRect rectMeet;
    if (rectMeet.IntersectRect(&rectFrame, &rectDesktop))
    {
        m_rectDragHorz = rect;
        m_rectDragVert = rect;
        m_rectFrameDragHorz = rectFrame;
        m_rectRequestedSize = rectFrame;
    }
    m_ptLast = pt;
    DrawFocusRect();
}

BOOL CKTResizingDockContext::Track()
{
    if (::GetCapture() != nullptr)
    {
        CancelLoop();
        return FALSE;
    }
    const BOOL bResizing = !m_bDragging;
    const BOOL bDone = CDockContext::Track();
    if (!bDone && bResizing && m_sizeFloatBefore.cx > 0)
    {
        m_pBar->CalcDynamicLayout(m_sizeFloatBefore.cx, LM_HORZ);
        m_pBar->CalcDynamicLayout(m_sizeFloatBefore.cy, LM_HORZ | LM_LENGTHY);
    }
    return bDone;
}

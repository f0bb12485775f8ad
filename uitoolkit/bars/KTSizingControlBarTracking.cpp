// Dragging a docked sizing bar's edge: the limits, the sizes while the mouse moves, the tracker
// drawn over the frame, and the end (kept, expanded or cancelled).
#include "uitoolkit/bars/KTSizingControlBar.h"

#include "uitoolkit/looks/KTUIGlobals.h"

#include <algorithm>

namespace
{

LONG& AlongOf(CSize& size, BOOL bHorz)
{
    return bHorz ? size.cx : size.cy;
}

LONG& AcrossOf(CSize& size, BOOL bHorz)
{
    return bHorz ? size.cy : size.cx;
}

const int kNoLimit = 32767;

} // namespace

void CKTSizingControlBar::StartTracking(UINT nHitTest)
{
    if (m_pDockBar == nullptr || m_pDockSite == nullptr)
        return;
    const BOOL bHorz = IsHorzDocked();
    std::vector<CKTSizingControlBar*> bars;
    GetRowSizingBars(bars);
    m_arrTrackStart.clear();
    for (CKTSizingControlBar* pBar : bars)
        m_arrTrackStart.emplace_back(pBar, bHorz ? pBar->m_szHorz : pBar->m_szVert);

    SetCapture();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    m_szOld = bHorz ? m_szHorz : m_szVert;
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    m_ptOld = pt;
    m_htEdge = nHitTest;
    m_bTracking = TRUE;
    // Escape reaches the bar while it has the focus.
    m_hWndFocusBeforeTracking = ::GetFocus();
    SetFocus();

    m_szMinT = m_szMin;
    int nMinThickness = 0;
    int nMaxThickness = 0;
    BOOL bUnlimited = FALSE;
    for (CKTSizingControlBar* pBar : bars)
    {
        CSize sizeMin = pBar->m_szMin;
        CSize sizeMax = pBar->m_szMax;
        nMinThickness = std::max<LONG>(nMinThickness, AcrossOf(sizeMin, bHorz));
        if (AcrossOf(sizeMax, bHorz) < 1)
            bUnlimited = TRUE;
        else
            nMaxThickness = std::max<LONG>(nMaxThickness, AcrossOf(sizeMax, bHorz));
    }
    AcrossOf(m_szMinT, bHorz) = std::max<LONG>(AcrossOf(m_szMinT, bHorz), nMinThickness);
    m_szMaxT = CSize(kNoLimit, kNoLimit);
    m_pNeighbour = nullptr;
    m_bThicknessDrag =
        bHorz ? (nHitTest == HTTOP || nHitTest == HTBOTTOM) : (nHitTest == HTLEFT || nHitTest == HTRIGHT);
    if (m_bThicknessDrag)
    {
        // As thick as the frame allows: the room its view has now, less a little.
        CRect rectFree(0, 0, 0, 0);
        m_pDockSite->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rectFree, nullptr, TRUE);
        m_szMaxT = m_szOld + rectFree.Size() - CSize(4, 4);
        if (!bUnlimited && nMaxThickness > 0)
            AcrossOf(m_szMaxT, bHorz) = std::min<LONG>(AcrossOf(m_szMaxT, bHorz), nMaxThickness);
    }
    else
    {
        auto it = std::find(bars.begin(), bars.end(), this);
        if (it != bars.end())
        {
            const BOOL bLeading = nHitTest == HTLEFT || nHitTest == HTTOP;
            if (bLeading && it != bars.begin())
                m_pNeighbour = *(it - 1);
            else if (!bLeading && it + 1 != bars.end())
                m_pNeighbour = *(it + 1);
        }
        if (m_pNeighbour != nullptr)
        {
            m_szNeighbourOld = bHorz ? m_pNeighbour->m_szHorz : m_pNeighbour->m_szVert;
            CSize sizeNeighbourMin = m_pNeighbour->m_szMin;
            AlongOf(m_szMaxT, bHorz) =
                AlongOf(m_szOld, bHorz) + AlongOf(m_szNeighbourOld, bHorz) - AlongOf(sizeNeighbourMin, bHorz);
        }
    }
    m_szMaxT.cx = std::max(m_szMaxT.cx, m_szMinT.cx);
    m_szMaxT.cy = std::max(m_szMaxT.cy, m_szMinT.cy);
    OnTrackInvertTracker();
}

void CKTSizingControlBar::OnTrackUpdateSize(CPoint& point)
{
    if (!m_bTracking)
        return;
    const BOOL bHorz = IsHorzDocked();
    CSize size = m_szOld;
    const CSize delta = point - m_ptOld;
    switch (m_htEdge)
    {
    case HTLEFT:
        size.cx -= delta.cx;
        break;
    case HTRIGHT:
        size.cx += delta.cx;
        break;
    case HTTOP:
        size.cy -= delta.cy;
        break;
    case HTBOTTOM:
        size.cy += delta.cy;
        break;
    default:
        break;
    }
    size.cx = std::max(m_szMinT.cx, std::min(size.cx, m_szMaxT.cx));
    size.cy = std::max(m_szMinT.cy, std::min(size.cy, m_szMaxT.cy));
    if (size == (bHorz ? m_szHorz : m_szVert))
        return;

    OnTrackInvertTracker();
    (bHorz ? m_szHorz : m_szVert) = size;
    if (m_bThicknessDrag)
    {
        std::vector<CKTSizingControlBar*> bars;
        GetRowSizingBars(bars);
        for (CKTSizingControlBar* pBar : bars)
            AcrossOf(bHorz ? pBar->m_szHorz : pBar->m_szVert, bHorz) = AcrossOf(size, bHorz);
    }
    else if (m_pNeighbour != nullptr)
    {
        CSize sizeNeighbour = m_szNeighbourOld;
        AlongOf(sizeNeighbour, bHorz) -= AlongOf(size, bHorz) - AlongOf(m_szOld, bHorz);
        (bHorz ? m_pNeighbour->m_szHorz : m_pNeighbour->m_szVert) = sizeNeighbour;
    }
    OnTrackInvertTracker();
}

CRect CKTSizingControlBar::GetTrackerRect() const
{
    CRect band = GetEdgeRect(m_htEdge);
    const CSize sizeNow = IsHorzDocked() ? m_szHorz : m_szVert;
    int nMoved = 0;
    if (m_htEdge == HTLEFT || m_htEdge == HTRIGHT)
        nMoved = sizeNow.cx - m_szOld.cx;
    else
        nMoved = sizeNow.cy - m_szOld.cy;
    // The edges facing the dock side move the other way as the bar grows.
    if (m_htEdge == HTLEFT || m_htEdge == HTTOP)
        nMoved = -nMoved;
    if (m_htEdge == HTLEFT || m_htEdge == HTRIGHT)
        band.OffsetRect(nMoved, 0);
    else
        band.OffsetRect(0, nMoved);

    CRect rectWindow;
    GetWindowRect(&rectWindow);
    if (!IsLeftToRightFrame())
        band = CRect(rectWindow.Width() - band.right, band.top, rectWindow.Width() - band.left, band.bottom);
    band.OffsetRect(rectWindow.TopLeft());
    if (m_bThicknessDrag && m_pDockBar != nullptr)
    {
        CRect rectDock;
        m_pDockBar->GetWindowRect(&rectDock);
        if (IsHorzDocked())
        {
            band.left = rectDock.left + 1;
            band.right = rectDock.right - 1;
        }
        else
        {
            band.top = rectDock.top + 1;
            band.bottom = rectDock.bottom - 1;
        }
    }
    return band;
}

void CKTSizingControlBar::OnTrackInvertTracker()
{
    if (m_pDockSite == nullptr || m_pDockSite->m_hWnd == nullptr)
        return;
    HDC hDC = ::GetDCEx(m_pDockSite->m_hWnd, nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
    if (hDC == nullptr)
        return;
    // Screen geometry throughout: no mirroring of a right-to-left frame's DC.
    ::SetLayout(hDC, 0);
    CRect rectSite;
    m_pDockSite->GetWindowRect(&rectSite);
    CRect rect = GetTrackerRect();
    rect.OffsetRect(-rectSite.TopLeft());
    HGDIOBJ hOld = ::SelectObject(hDC, ktGlobals.m_brushHalftone.GetSafeHandle() != nullptr
                                           ? ktGlobals.m_brushHalftone.GetSafeHandle()
                                           : ::GetStockObject(GRAY_BRUSH));
    ::PatBlt(hDC, rect.left, rect.top, rect.Width(), rect.Height(), PATINVERT);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(m_pDockSite->m_hWnd, hDC);
}

void CKTSizingControlBar::StopTracking()
{
    if (!m_bTracking)
        return;
    OnTrackInvertTracker();
    m_bTracking = FALSE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (m_hWndFocusBeforeTracking != nullptr && ::IsWindow(m_hWndFocusBeforeTracking) && ::GetFocus() == m_hWnd)
        ::SetFocus(m_hWndFocusBeforeTracking);
    m_hWndFocusBeforeTracking = nullptr;
    if (m_pDockSite != nullptr)
        m_pDockSite->DelayRecalcLayout();
}

void CKTSizingControlBar::FinishTracking()
{
    if (!m_bTracking)
        return;
    StopTracking();
    const BOOL bHorz = IsHorzDocked();
    std::vector<CKTSizingControlBar*> bars;
    GetRowSizingBars(bars);
    auto setExpanded = [](CKTSizingControlBar* pBar, BOOL bExpanded) {
        if (pBar->m_bMaximized == bExpanded)
            return;
        pBar->m_bMaximized = bExpanded;
        pBar->m_Buttons[kExpandButton].m_uiTT = bExpanded ? IDS_KT_CONTRACT_BAR : IDS_KT_EXPAND_BAR;
        if (pBar->m_ToolTip.m_hWnd != nullptr)
            pBar->m_ToolTip.UpdateTipText(pBar->m_Buttons[kExpandButton].m_uiTT, pBar, kExpandButton + 1);
        pBar->RedrawButton(pBar->m_Buttons[kExpandButton]);
    };
    if (bars.size() == 2 && !m_bThicknessDrag && m_pNeighbour != nullptr)
    {
        // The bar that took the whole row (the other one at its minimum) is expanded, and both
        // keep their sizes from before the drag to come back to.
        CKTSizingControlBar* pExpanded = nullptr;
        for (CKTSizingControlBar* pBar : {static_cast<CKTSizingControlBar*>(this), m_pNeighbour})
        {
            CKTSizingControlBar* pOther = pBar == this ? m_pNeighbour : this;
            CSize sizeOther = bHorz ? pOther->m_szHorz : pOther->m_szVert;
            CSize sizeOtherMin = pOther->m_szMin;
            if (AlongOf(sizeOther, bHorz) <= AlongOf(sizeOtherMin, bHorz))
                pExpanded = pBar;
        }
        if (pExpanded != nullptr)
        {
            CSize sizeKept = pExpanded == this ? m_szOld : m_szNeighbourOld;
            CSize sizeNow = bHorz ? pExpanded->m_szHorz : pExpanded->m_szVert;
            if (AlongOf(sizeKept, bHorz) == AlongOf(sizeNow, bHorz))
                AlongOf(sizeKept, bHorz) /= 2;
            CKTSizingControlBar* pOther = pExpanded == this ? m_pNeighbour : this;
            pOther->m_szOld = pExpanded == this ? m_szNeighbourOld : m_szOld;
            pExpanded->m_szOld = sizeKept;
        }
        setExpanded(this, pExpanded == this);
        setExpanded(m_pNeighbour, pExpanded == m_pNeighbour);
    }
    else
        setExpanded(this, FALSE);
    m_pNeighbour = nullptr;
    m_arrTrackStart.clear();
}

void CKTSizingControlBar::CancelTracking()
{
    if (!m_bTracking)
        return;
    OnTrackInvertTracker();
    const BOOL bHorz = IsHorzDocked();
    for (auto& [pBar, size] : m_arrTrackStart)
    {
        if (FindBar(pBar) >= 0)
            (bHorz ? pBar->m_szHorz : pBar->m_szVert) = size;
    }
    m_arrTrackStart.clear();
    m_pNeighbour = nullptr;
    // The tracker is gone already: StopTracking must not draw it again.
    OnTrackInvertTracker();
    StopTracking();
}

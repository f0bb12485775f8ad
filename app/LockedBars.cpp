#include "app/LockedBars.h"

#include "framework/AfxMsgMap.h"

IMPLEMENT_DYNAMIC(CKTLockedToolBar, CKTToolBar)
IMPLEMENT_DYNAMIC(CKTLockedSizingControlBar, CKTSizingControlBar)

BEGIN_MESSAGE_MAP(CKTLockedToolBar, CKTToolBar)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

void CKTLockedToolBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    // Only a press on a button counts: anywhere else the bar would start a drag.
    if (HitTest(point) < 0)
    {
        m_iButtonCapture = -1;
        return;
    }
    CKTToolBar::OnLButtonDown(nFlags, point);
}

void CKTLockedToolBar::OnLButtonDblClk(UINT, CPoint)
{
    // A double click would float or dock the bar.
}

BEGIN_MESSAGE_MAP(CKTLockedSizingControlBar, CKTSizingControlBar)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_NCLBUTTONDOWN()
ON_WM_NCLBUTTONDBLCLK()
ON_WM_NCCALCSIZE()
END_MESSAGE_MAP()

void CKTLockedSizingControlBar::ReleaseCaptionButtons()
{
    bool pushed = false;
    for (CKTSizingBarButton& button : m_Buttons)
    {
        pushed = pushed || button.m_bPushed;
        button.m_bPushed = FALSE;
    }
    if (pushed && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CKTLockedSizingControlBar::OnLButtonDown(UINT, CPoint point)
{
    ReleaseCaptionButtons();
    CPoint screen = point;
    ClientToScreen(&screen);
    CRect window, client;
    GetWindowRect(&window);
    GetClientRect(&client);
    ClientToScreen(&client);
    if (!IsFloating() && window.PtInRect(screen) && !client.PtInRect(screen))
    {
        const LRESULT edge = HitTestEdges(screen);
        if (edge != HTNOWHERE && IsEdgeShown(static_cast<UINT>(edge)))
        {
            StartTracking(static_cast<UINT>(edge));
            return;
        }
    }
    // The sizing bar's own press would start moving the bar.
    Default();
}

void CKTLockedSizingControlBar::OnLButtonDblClk(UINT, CPoint) {}

void CKTLockedSizingControlBar::OnNcLButtonDown(UINT nHitTest, CPoint)
{
    // Presses on the caption or the gripper move nothing; the docked bar's edges still size it.
    if (IsFloating() || nHitTest < HTLEFT || nHitTest > HTBOTTOMRIGHT)
        return;
    if (IsEdgeShown(nHitTest))
        StartTracking(nHitTest);
}

void CKTLockedSizingControlBar::OnNcLButtonDblClk(UINT, CPoint) {}

void CKTLockedSizingControlBar::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    CKTSizingControlBar::OnNcCalcSize(bCalcValidRects, lpncsp);
    if (IsFloating())
        m_Buttons[kCloseButton].m_bHidden = TRUE;
}

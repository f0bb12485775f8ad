// The sizing bar's non-client area (edges, caption band, caption buttons), its mouse handling and
// the dragging of its edges.
#include "uitoolkit/bars/KTSizingControlBar.h"

#include "framework/AfxDockContext.h"
#include "framework/AfxMsgMap.h"
#include "uitoolkit/bars/KTBarPopupMessage.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/looks/KTBarNcPainter.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManager.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CKTSizingControlBar, CControlBar)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_NCCALCSIZE()
ON_WM_NCHITTEST()
ON_WM_NCPAINT()
ON_WM_NCLBUTTONDOWN()
ON_WM_NCLBUTTONUP()
ON_WM_NCLBUTTONDBLCLK()
ON_WM_NCRBUTTONUP()
ON_WM_NCMOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_RBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_CAPTURECHANGED()
ON_WM_SETCURSOR()
ON_WM_WINDOWPOSCHANGING()
ON_WM_WINDOWPOSCHANGED()
ON_WM_SIZE()
ON_WM_PAINT()
ON_WM_KEYDOWN()
ON_MESSAGE(WM_SETTEXT, &CKTSizingControlBar::OnSetText)
END_MESSAGE_MAP()

namespace
{

BOOL IsEdgeHit(UINT nHit)
{
    return nHit >= HTSIZEFIRST && nHit <= HTSIZELAST;
}

// The window rectangle of a window, with the origin at its top-left corner.
CRect WindowBox(const CWnd* pWnd)
{
    CRect rect;
    pWnd->GetWindowRect(&rect);
    return CRect(0, 0, rect.Width(), rect.Height());
}

} // namespace

BOOL CKTSizingControlBar::IsLeftToRightFrame() const
{
    return (GetExStyle() & WS_EX_LAYOUTRTL) == 0;
}

BOOL CKTSizingControlBar::IsEdgeShown(UINT nHitTest) const
{
    switch (nHitTest)
    {
    case HTLEFT:
        return m_nDockBarID == AFX_IDW_DOCKBAR_RIGHT && (m_dwSCBStyle & kEdgeLeft) != 0;
    case HTTOP:
        return m_nDockBarID == AFX_IDW_DOCKBAR_BOTTOM && (m_dwSCBStyle & kEdgeTop) != 0;
    case HTRIGHT:
        return (m_dwSCBStyle & kEdgeRight) != 0 && !(IsRowLast() && m_nDockBarID != AFX_IDW_DOCKBAR_LEFT);
    case HTBOTTOM:
        return (m_dwSCBStyle & kEdgeBottom) != 0 && !(IsRowLast() && m_nDockBarID != AFX_IDW_DOCKBAR_TOP);
    default:
        return FALSE;
    }
}

CRect CKTSizingControlBar::GetEdgeRect(UINT nHitTest) const
{
    CRect box = WindowBox(this);
    if ((m_dwSCBStyle & kEdgeReserved) != 0)
        box.DeflateRect(1, 1);
    CRect band = box;
    switch (nHitTest)
    {
    case HTLEFT:
        band.right = band.left + m_cxEdge;
        break;
    case HTRIGHT:
        band.left = band.right - m_cxEdge;
        break;
    case HTTOP:
        band.bottom = band.top + m_cxEdge;
        break;
    case HTBOTTOM:
        band.top = band.bottom - m_cxEdge;
        break;
    default:
        return CRect(0, 0, 0, 0);
    }
    const BOOL bSideBand = nHitTest == HTLEFT || nHitTest == HTRIGHT;
    if (IsHorzDocked() && bSideBand)
        band.DeflateRect(0, m_cxEdge);
    if (IsVertDocked() && !bSideBand)
        band.DeflateRect(m_cxEdge, 0);
    // One pixel further toward the frame's border, where the dock bar meets it.
    switch (m_nDockBarID)
    {
    case AFX_IDW_DOCKBAR_TOP:
        --band.top;
        break;
    case AFX_IDW_DOCKBAR_BOTTOM:
        ++band.bottom;
        break;
    case AFX_IDW_DOCKBAR_LEFT:
        --band.left;
        break;
    case AFX_IDW_DOCKBAR_RIGHT:
        ++band.right;
        break;
    default:
        break;
    }
    return band;
}

LRESULT CKTSizingControlBar::HitTestEdges(CPoint ptScreen) const
{
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    CPoint pt = ptScreen - rectWindow.TopLeft();
    if (!IsLeftToRightFrame())
        pt.x = rectWindow.Width() - 1 - pt.x;
    for (UINT nHit : {HTLEFT, HTTOP, HTRIGHT, HTBOTTOM})
    {
        if (IsEdgeShown(nHit) && GetEdgeRect(nHit).PtInRect(pt))
            return nHit;
    }
    return HTNOWHERE;
}

LRESULT CKTSizingControlBar::OnNcHitTest(CPoint point)
{
    if (IsFloating())
        return CControlBar::OnNcHitTest(point);
    LRESULT nHit = HitTestEdges(point);
    if (nHit != HTNOWHERE)
        return nHit;
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    CPoint pt = point - rectWindow.TopLeft();
    if (!IsLeftToRightFrame())
        pt.x = rectWindow.Width() - 1 - pt.x;
    for (const CKTSizingBarButton& button : m_Buttons)
    {
        if (!button.m_bHidden && button.GetRect().PtInRect(pt))
            return button.m_nHit;
    }
    CRect rectClient;
    GetClientRect(&rectClient);
    ClientToScreen(&rectClient);
    if (rectClient.PtInRect(point))
        return HTCLIENT;
    if (m_nCaptionHeight > 0)
        return HTCAPTION;
    return HTBORDER;
}

void CKTSizingControlBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    CWnd* pParent = GetParent();
    m_nDockBarID = pParent != nullptr ? static_cast<UINT>(pParent->GetDlgCtrlID()) : 0;
    CRect rc(lpncsp->rgrc[0]);
    const CRect rcWindow = rc;
    rc.DeflateRect(m_nBorder, m_nBorder);

    UINT nFlags = m_dwSCBStyle & kEdgeReserved;
    switch (m_nDockBarID)
    {
    case AFX_IDW_DOCKBAR_TOP:
        nFlags |= kEdgeBottom;
        break;
    case AFX_IDW_DOCKBAR_BOTTOM:
        nFlags |= kEdgeTop;
        break;
    case AFX_IDW_DOCKBAR_LEFT:
        nFlags |= kEdgeRight;
        break;
    case AFX_IDW_DOCKBAR_RIGHT:
        nFlags |= kEdgeLeft;
        break;
    default:
        break;
    }
    const BOOL bDocked = !IsFloating();
    if (bDocked)
    {
        const BOOL bHorz = IsHorzDocked();
        if (!IsRowFirst())
            nFlags |= bHorz ? kEdgeLeft : kEdgeTop;
        if (!IsRowLast())
            nFlags |= bHorz ? kEdgeRight : kEdgeBottom;
    }
    m_dwSCBStyle = nFlags;
    if ((nFlags & kEdgeReserved) != 0)
    {
        if ((nFlags & kEdgeLeft) != 0)
            rc.left += m_cxEdge;
        if ((nFlags & kEdgeTop) != 0)
            rc.top += m_cxEdge;
        if ((nFlags & kEdgeRight) != 0)
            rc.right -= m_cxEdge;
        if ((nFlags & kEdgeBottom) != 0)
            rc.bottom -= m_cxEdge;
    }

    // The caption band, and its buttons across its middle. A floating bar shows its frame's
    // caption instead.
    const BOOL bCaption = bDocked && m_nCaptionHeight > 0;
    for (CKTSizingBarButton& button : m_Buttons)
        button.m_bHidden = !bCaption;
    if (bCaption)
    {
        const CSize sizeButton = m_Buttons[kCloseButton].GetSize();
        if (IsHorzDocked())
        {
            CRect band(rc.left, rc.top, rc.left + m_nCaptionHeight, rc.bottom);
            rc.left = band.right;
            const int x = band.left + (band.Width() - sizeButton.cx) / 2;
            m_Buttons[kCloseButton].m_ptOrg = CPoint(x, band.top) - rcWindow.TopLeft();
            m_Buttons[kExpandButton].m_ptOrg = CPoint(x, band.top + sizeButton.cy + 2) - rcWindow.TopLeft();
        }
        else
        {
            CRect band(rc.left, rc.top, rc.right, rc.top + m_nCaptionHeight);
            rc.top = band.bottom;
            const int y = band.top + (band.Height() - sizeButton.cy) / 2;
            m_Buttons[kCloseButton].m_ptOrg = CPoint(band.right - sizeButton.cx, y) - rcWindow.TopLeft();
            m_Buttons[kExpandButton].m_ptOrg = CPoint(band.right - 2 * sizeButton.cx - 2, y) - rcWindow.TopLeft();
        }
    }
    if (m_ToolTip.m_hWnd != nullptr)
    {
        // The tools are in client coordinates: the buttons lie left of and above the client area.
        const CPoint ptClient = rc.TopLeft() - rcWindow.TopLeft();
        for (int i = 0; i < 2; ++i)
        {
            CRect rectTool = m_Buttons[i].GetRect();
            rectTool.OffsetRect(-ptClient);
            m_ToolTip.SetToolRect(this, i + 1, &rectTool);
        }
    }
    if (rc.right < rc.left)
        rc.right = rc.left;
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
    lpncsp->rgrc[0] = rc;
}

void CKTSizingControlBar::OnNcPaint()
{
    CWindowDC dc(this);
    const CRect rectWindow = WindowBox(this);
    CRect rectClient;
    GetClientRect(&rectClient);
    ClientToScreen(&rectClient);
    CRect rectScreen;
    GetWindowRect(&rectScreen);
    rectClient.OffsetRect(-rectScreen.TopLeft());
    if (!IsLeftToRightFrame())
        rectClient = CRect(rectWindow.Width() - rectClient.right, rectClient.top, rectWindow.Width() - rectClient.left,
                           rectClient.bottom);
    if (IsNcPaintClipped())
        CKTBarNcPainter::ClipToNcUpdateRegion(&dc, this);
    dc.ExcludeClipRect(&rectClient);
    if (!m_rectRedraw.IsRectEmpty())
        dc.IntersectClipRect(&m_rectRedraw);

    CKTVisualManager* pLook = CKTVisualManager::GetInstance();
    pLook->OnFillBarBackground(&dc, this, rectWindow, CRect(0, 0, 0, 0));

    // The edges, each along its side of the area inside the border.
    CRect rectInside = rectWindow;
    rectInside.DeflateRect(m_nBorder, m_nBorder);
    if ((m_dwSCBStyle & kEdgeReserved) != 0)
    {
        struct Edge
        {
            UINT nFlag;
            CRect rect;
        } edges[] = {
            {kEdgeLeft, CRect(rectWindow.left, rectWindow.top, rectWindow.left + m_cxEdge, rectWindow.bottom)},
            {kEdgeTop, CRect(rectWindow.left, rectWindow.top, rectWindow.right, rectWindow.top + m_cxEdge)},
            {kEdgeRight, CRect(rectWindow.right - m_cxEdge, rectWindow.top, rectWindow.right, rectWindow.bottom)},
            {kEdgeBottom, CRect(rectWindow.left, rectWindow.bottom - m_cxEdge, rectWindow.right, rectWindow.bottom)},
        };
        for (Edge& edge : edges)
        {
            if ((m_dwSCBStyle & edge.nFlag) == 0)
                continue;
            CRect rect = edge.rect;
            if (pLook->IsLook2000())
            {
                dc.Draw3dRect(rect, ktGlobals.m_colorBarShadow, ktGlobals.m_colorBarHighlight);
                rect.DeflateRect(1, 1);
                dc.Draw3dRect(rect, ktGlobals.m_colorBarHighlight, ktGlobals.m_colorBarShadow);
            }
            else
                dc.Draw3dRect(rect, ktGlobals.m_colorBarHighlight, ktGlobals.m_colorBarDarkShadow);
        }
    }

    if (!IsFloating() && m_nCaptionHeight > 0)
    {
        CRect rectCaption = rectClient;
        if (IsHorzDocked())
        {
            rectCaption.right = rectClient.left;
            rectCaption.left = rectCaption.right - m_nCaptionHeight;
        }
        else
        {
            rectCaption.bottom = rectClient.top;
            rectCaption.top = rectCaption.bottom - m_nCaptionHeight;
        }
        // The grip lines stop short of the buttons.
        CRect rectGrip = rectCaption;
        const CRect rectButtons = m_Buttons[kCloseButton].GetRect() | m_Buttons[kExpandButton].GetRect();
        if (IsHorzDocked())
            rectGrip.top = std::max(rectGrip.top, rectButtons.bottom + 2);
        else
            rectGrip.right = std::min(rectGrip.right, rectButtons.left - 2);
        pLook->OnDrawBarGripper(&dc, rectGrip, IsHorzDocked(), this);
        for (CKTSizingBarButton& button : m_Buttons)
        {
            if (!button.m_bHidden)
                pLook->OnDrawCaptionButton(&dc, &button, IsHorzDocked(), m_bMaximized,
                                           &button == &m_Buttons[kExpandButton] && m_bAloneInRow);
        }
    }
}

void CKTSizingControlBar::DrawCaption(CDC* pDC, const CRect& rectCaption)
{
    pDC->FillSolidRect(rectCaption, m_bActive ? ktGlobals.m_colorActiveCaption : ktGlobals.m_colorInactiveCaption);
    CString strText;
    GetWindowText(strText);
    if (strText.IsEmpty())
        return;
    const BOOL bVertical = IsHorzDocked();
    CFont* pOldFont = pDC->SelectObject(bVertical ? &ktGlobals.m_fontRotated90 : &ktGlobals.m_fontText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF clrOld =
        pDC->SetTextColor(m_bActive ? ktGlobals.m_colorCaptionText : ktGlobals.m_colorInactiveCaptionText);
    CRect rect = rectCaption;
    if (bVertical)
        pDC->ExtTextOut(rect.left + 1, rect.bottom - 2, ETO_CLIPPED, &rect, strText, nullptr);
    else
    {
        rect.DeflateRect(3, 0);
        pDC->DrawText(strText, &rect, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    pDC->SetTextColor(clrOld);
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
}

void CKTSizingControlBar::RedrawButton(const CKTSizingBarButton& button)
{
    if (m_hWnd == nullptr || button.m_bHidden)
        return;
    m_rectRedraw = button.GetRect();
    SendMessage(WM_NCPAINT);
    m_rectRedraw.SetRectEmpty();
}

void CKTSizingControlBar::SetHighlightedButton(int nButton)
{
    if (nButton == kExpandButton && m_bAloneInRow)
        nButton = -1;
    BOOL bAny = FALSE;
    for (int i = 0; i < 2; ++i)
    {
        CKTSizingBarButton& button = m_Buttons[i];
        const BOOL bFocused = i == nButton;
        bAny = bAny || bFocused || button.m_bPushed;
        if (button.m_bFocused != bFocused)
        {
            button.m_bFocused = bFocused;
            RedrawButton(button);
        }
    }
    if (bAny && ::GetCapture() != m_hWnd)
        SetCapture();
    else if (!bAny && ::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

CFrameWnd* CKTSizingControlBar::GetFrameForPopup() const
{
    if (m_pDockSite != nullptr)
        return m_pDockSite;
    CWnd* pMain = AfxGetMainWnd();
    return pMain != nullptr && pMain->IsFrameWnd() ? static_cast<CFrameWnd*>(pMain) : nullptr;
}

void CKTSizingControlBar::SendPopupMenuMessage(CPoint ptScreen)
{
    if (CKTToolBar::IsCustomizeMode())
        return;
    CWnd* pTarget = m_pDockSite != nullptr ? static_cast<CWnd*>(m_pDockSite) : AfxGetMainWnd();
    if (pTarget != nullptr && pTarget->m_hWnd != nullptr)
        pTarget->SendMessage(KTGetToolbarPopupMenuMessage(), reinterpret_cast<WPARAM>(m_hWnd),
                             KTPackScreenPoint(ptScreen));
}

void CKTSizingControlBar::OnButtonClicked(int nButton)
{
    if (nButton == kCloseButton)
    {
        if (CanBeClosed() && m_pDockSite != nullptr)
            m_pDockSite->ShowControlBar(this, FALSE, FALSE);
    }
    else
        ToggleExpand(TRUE);
}

void CKTSizingControlBar::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (m_bTracking || IsFloating())
    {
        if (!m_bTracking)
            CControlBar::OnNcLButtonDown(nHitTest, point);
        return;
    }
    for (int i = 0; i < 2; ++i)
    {
        if (nHitTest != m_Buttons[i].m_nHit)
            continue;
        if (i == kExpandButton && m_bAloneInRow)
            return;
        m_Buttons[i].m_bPushed = TRUE;
        m_Buttons[i].m_bFocused = TRUE;
        RedrawButton(m_Buttons[i]);
        SetCapture();
        return;
    }
    if (IsEdgeHit(nHitTest))
    {
        StartTracking(nHitTest);
        return;
    }
    if (nHitTest == HTCAPTION && m_pDockContext != nullptr && m_pDockBar != nullptr)
    {
        m_pDockContext->StartDrag(point);
        return;
    }
    CControlBar::OnNcLButtonDown(nHitTest, point);
}

void CKTSizingControlBar::OnNcLButtonUp(UINT nHitTest, CPoint point)
{
    CControlBar::OnNcLButtonUp(nHitTest, point);
}

void CKTSizingControlBar::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    if (!IsEdgeHit(nHitTest) && nHitTest != HTOBJECT && nHitTest != HTMAXBUTTON && m_pDockBar != nullptr &&
        m_pDockContext != nullptr)
    {
        m_pDockContext->ToggleDocking();
        return;
    }
    CControlBar::OnNcLButtonDblClk(nHitTest, point);
}

void CKTSizingControlBar::OnNcRButtonUp(UINT nHitTest, CPoint point)
{
    if (m_bTracking)
        return;
    SendPopupMenuMessage(point);
    CControlBar::OnNcRButtonUp(nHitTest, point);
}

void CKTSizingControlBar::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    if (!m_bTracking)
    {
        int nButton = -1;
        for (int i = 0; i < 2; ++i)
            nButton = nHitTest == m_Buttons[i].m_nHit ? i : nButton;
        SetHighlightedButton(nButton);
    }
    CControlBar::OnNcMouseMove(nHitTest, point);
}

void CKTSizingControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_bTracking)
        return;
    // While a highlighted button holds the mouse, presses anywhere arrive here.
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    const LRESULT nHit = OnNcHitTest(ptScreen);
    if (nHit != HTCLIENT)
    {
        OnNcLButtonDown(static_cast<UINT>(nHit), ptScreen);
        return;
    }
    CControlBar::OnLButtonDown(nFlags, point);
}

void CKTSizingControlBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CControlBar::OnLButtonDblClk(nFlags, point);
}

void CKTSizingControlBar::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (m_bTracking)
    {
        CancelTracking();
        return;
    }
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    SendPopupMenuMessage(ptScreen);
    CControlBar::OnRButtonDown(nFlags, point);
}

void CKTSizingControlBar::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_bTracking && nChar == VK_ESCAPE)
    {
        CancelTracking();
        return;
    }
    CControlBar::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CKTSizingControlBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bTracking)
    {
        OnTrackUpdateSize(point);
        FinishTracking();
        return;
    }
    for (int i = 0; i < 2; ++i)
    {
        CKTSizingBarButton& button = m_Buttons[i];
        if (!button.m_bPushed)
            continue;
        button.m_bPushed = FALSE;
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        const BOOL bOver = OnNcHitTest(ptScreen) == static_cast<LRESULT>(button.m_nHit);
        button.m_bFocused = bOver;
        RedrawButton(button);
        SetHighlightedButton(bOver ? i : -1);
        if (bOver)
            OnButtonClicked(i); // may hide the bar: nothing after this
        return;
    }
    CControlBar::OnLButtonUp(nFlags, point);
}

void CKTSizingControlBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bTracking)
    {
        OnTrackUpdateSize(point);
        return;
    }
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    const LRESULT nHit = OnNcHitTest(ptScreen);
    int nButton = -1;
    for (int i = 0; i < 2; ++i)
        nButton = nHit == static_cast<LRESULT>(m_Buttons[i].m_nHit) ? i : nButton;
    SetHighlightedButton(nButton);
    CControlBar::OnMouseMove(nFlags, point);
}

void CKTSizingControlBar::OnCaptureChanged(CWnd* pWnd)
{
    if (pWnd != this)
    {
        if (m_bTracking)
            FinishTracking();
        for (CKTSizingBarButton& button : m_Buttons)
        {
            if (button.m_bPushed || button.m_bFocused)
            {
                button.m_bPushed = button.m_bFocused = FALSE;
                RedrawButton(button);
            }
        }
    }
    CControlBar::OnCaptureChanged(pWnd);
}

BOOL CKTSizingControlBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTLEFT || nHitTest == HTRIGHT)
    {
        ::SetCursor(m_hcurSizeWE);
        return TRUE;
    }
    if (nHitTest == HTTOP || nHitTest == HTBOTTOM)
    {
        ::SetCursor(m_hcurSizeNS);
        return TRUE;
    }
    return CControlBar::OnSetCursor(pWnd, nHitTest, message);
}

void CKTSizingControlBar::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    CControlBar::OnWindowPosChanging(lpwndpos);
}

void CKTSizingControlBar::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CControlBar::OnWindowPosChanged(lpwndpos);
    CWnd* pParent = GetParent();
    m_nDockBarID = pParent != nullptr ? static_cast<UINT>(pParent->GetDlgCtrlID()) : 0;
    if ((lpwndpos->flags & SWP_SHOWWINDOW) != 0 && !IsFloating())
        m_bKeepSize = TRUE;
    if ((lpwndpos->flags & SWP_FRAMECHANGED) == 0)
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CKTSizingControlBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
}

void CKTSizingControlBar::OnPaint()
{
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    CKTVisualManager::GetInstance()->OnFillBarBackground(&dc, this, rect, rect);
}

LRESULT CKTSizingControlBar::OnSetText(WPARAM, LPARAM lParam)
{
    LRESULT lResult = Default();
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_DRAWFRAME);
    if (IsFloating())
    {
        CFrameWnd* pFrame = GetParentFrame();
        if (pFrame != nullptr && pFrame != m_pDockSite)
            pFrame->SetWindowText(reinterpret_cast<LPCTSTR>(lParam));
    }
    return lResult;
}

// The shortcut bar's input: scrolling while an arrow button is held, delayed page activation,
// the resizing strip, and the commands of its own buttons.
#include "uitoolkit/widgets/KTOutlookBar.h"
#include "uitoolkit/widgets/KTOutlookButton.h"

#include "framework/AfxFrame.h"

#include <algorithm>
#include <memory>

namespace
{
const UINT kScrollDelay = 100;
const int kAnimationSteps = 4;
const int kMinBarSize = 22;
} // namespace

void CKTOutlookBar::OnSize(UINT nType, int cx, int cy)
{
    CKTToolBar::OnSize(nType, cx, cy);
    // A larger bar has room for shortcuts scrolled out before: they come back one at a time.
    const BOOL bHorz = IsHorizontal();
    const int nArea = bHorz ? m_rectShortcuts.Width() : m_rectShortcuts.Height();
    while (m_nScrolledButtons > 0 && GetShortcutsLength() - m_nScrollOffset < nArea)
    {
        const int nBefore = m_nScrolledButtons;
        const BOOL bAnimation = m_bEnableAnimation;
        m_bEnableAnimation = FALSE;
        SetScrolledButtons(m_nScrolledButtons - 1);
        m_bEnableAnimation = bAnimation;
        if (m_nScrolledButtons == nBefore)
            break;
    }
}

// Scrolling ---------------------------------------------------------------------------------------

BOOL CKTOutlookBar::ScrollUp()
{
    if (m_nScrolledButtons <= 0)
        return FALSE;
    SetScrolledButtons(m_nScrolledButtons - 1);
    return TRUE;
}

BOOL CKTOutlookBar::ScrollDown()
{
    const int nArea = IsHorizontal() ? m_rectShortcuts.Width() : m_rectShortcuts.Height();
    if (GetShortcutsLength() - m_nScrollOffset <= nArea)
        return FALSE;
    SetScrolledButtons(m_nScrolledButtons + 1);
    return TRUE;
}

void CKTOutlookBar::SetScrolledButtons(int nButtons)
{
    int nOffset = 0;
    int nCounted = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr && nCounted < nButtons;)
    {
        auto* pButton = static_cast<CKTToolbarButton*>(m_Buttons.GetNext(pos));
        if (!IsShortcutShown(pButton))
            continue;
        nOffset += ShortcutLength(pButton);
        nCounted++;
    }
    if (m_bEnableAnimation && GetSafeHwnd() != nullptr)
    {
        const int nFrom = m_nScrollOffset;
        for (int nStep = 1; nStep < kAnimationSteps; nStep++)
        {
            m_nScrollOffset = nFrom + (nOffset - nFrom) * nStep / kAnimationSteps;
            AdjustLocations();
            InvalidateWorkArea();
            ::Sleep(10);
        }
    }
    m_nScrolledButtons = nCounted;
    m_nScrollOffset = nOffset;
    AdjustLocations();
    InvalidateWorkArea();
}

void CKTOutlookBar::UpdateScrollButtons()
{
    if (m_btnScrollBack.GetSafeHwnd() == nullptr || m_btnScrollForward.GetSafeHwnd() == nullptr)
        return;
    CRect rectButton;
    m_btnScrollBack.GetWindowRect(&rectButton);
    const CSize size = rectButton.Size();
    const BOOL bHorz = IsHorizontal();
    const int nArea = bHorz ? m_rectShortcuts.Width() : m_rectShortcuts.Height();
    const BOOL bBack = m_nScrolledButtons > 0;
    const BOOL bForward = GetShortcutsLength() - m_nScrollOffset > nArea;
    const CPoint ptBack = bHorz ? CPoint(m_rectShortcuts.left + 2, m_rectShortcuts.bottom - size.cy - 2)
                                : CPoint(m_rectShortcuts.right - size.cx - 2, m_rectShortcuts.top + 2);
    const CPoint ptForward = CPoint(m_rectShortcuts.right - size.cx - 2, m_rectShortcuts.bottom - size.cy - 2);
    m_btnScrollBack.SetWindowPos(&CWnd::wndTop, ptBack.x, ptBack.y, 0, 0,
                                 SWP_NOSIZE | SWP_NOACTIVATE | (bBack ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    m_btnScrollForward.SetWindowPos(&CWnd::wndTop, ptForward.x, ptForward.y, 0, 0,
                                    SWP_NOSIZE | SWP_NOACTIVATE | (bForward ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void CKTOutlookBar::InvalidateWorkArea()
{
    CRect rect = GetWorkArea();
    InvalidateRect(rect);
    UpdateWindow();
}

void CKTOutlookBar::OnParentNotify(UINT message, LPARAM lParam)
{
    CKTToolBar::OnParentNotify(message, lParam);
    if (message != WM_LBUTTONDOWN)
        return;
    const POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const HWND hwndChild = ::ChildWindowFromPointEx(m_hWnd, pt, CWP_SKIPINVISIBLE);
    if (hwndChild == nullptr)
        return;
    if (hwndChild == m_btnScrollBack.GetSafeHwnd())
        SetTimer(TimerScrollBack, kScrollDelay, nullptr);
    else if (hwndChild == m_btnScrollForward.GetSafeHwnd())
        SetTimer(TimerScrollForward, kScrollDelay, nullptr);
}

void CKTOutlookBar::OnTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent)
    {
    case TimerScrollBack:
        if (!m_btnScrollBack.IsPushed() || !m_btnScrollBack.IsHighlighted() || !ScrollUp())
            KillTimer(TimerScrollBack);
        return;
    case TimerScrollForward:
        if (!m_btnScrollForward.IsPushed() || !m_btnScrollForward.IsHighlighted() || !ScrollDown())
            KillTimer(TimerScrollForward);
        return;
    case TimerActivatePage: {
        KillTimer(TimerActivatePage);
        CKTOutlookBarPage* pPage = m_pPageToActivate;
        m_pPageToActivate = nullptr;
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        if (pPage != nullptr && PageFromPoint(point) == pPage)
            ActivatePage(pPage->m_uiID);
        return;
    }
    default:
        CKTToolBar::OnTimer(nIDEvent);
    }
}

// Buttons dragged onto the bar ------------------------------------------------------------------

DROPEFFECT CKTOutlookBar::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    // The bar shows shortcut buttons only: any other button would vanish on it.
    const std::unique_ptr<CKTToolbarButton> pButton(CKTToolbarButton::CreateFromOleData(pDataObject));
    if (pButton == nullptr || !pButton->IsKindOf(RUNTIME_CLASS(CKTOutlookButton)))
    {
        ActivatePageDelayed(nullptr);
        return DROPEFFECT_NONE;
    }
    const DROPEFFECT effect = CKTToolBar::OnDragOver(pDataObject, dwKeyState, point);
    // Only what the bar takes opens another page.
    ActivatePageDelayed(effect != DROPEFFECT_NONE ? PageFromPoint(point) : nullptr);
    return effect;
}

void CKTOutlookBar::OnDragLeave()
{
    ActivatePageDelayed(nullptr);
    CKTToolBar::OnDragLeave();
}

BOOL CKTOutlookBar::OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    ActivatePageDelayed(nullptr);
    auto* pDragged = m_pDragButton != nullptr && m_pDragButton->IsKindOf(RUNTIME_CLASS(CKTOutlookButton))
                         ? static_cast<CKTOutlookButton*>(m_pDragButton)
                         : nullptr;
    const int iDragged = pDragged != nullptr ? ButtonToIndex(pDragged) : -1;
    if (iDragged >= 0 && dropEffect == DROPEFFECT_MOVE && m_pActivePage != nullptr &&
        pDragged->m_uiPageID != m_pActivePage->m_uiID && (m_iDropIndex == iDragged || m_iDropIndex == iDragged + 1))
    {
        // Moved to another page at the place it holds among that page's shortcuts: only its page
        // changes (the toolbar would take this for a drop on its own place).
        EraseDragMarker();
        m_pDragButton = nullptr;
        pDragged->m_uiPageID = m_pActivePage->m_uiID;
        AdjustLayout();
        Invalidate();
        return TRUE;
    }
    return CKTToolBar::OnDrop(pDataObject, dropEffect, point);
}

CKTToolbarButton* CKTOutlookBar::CreateDroppedButton(COleDataObject* pDataObject)
{
    CKTToolbarButton* pButton = CKTToolBar::CreateDroppedButton(pDataObject);
    if (pButton != nullptr && m_pActivePage != nullptr && pButton->IsKindOf(RUNTIME_CLASS(CKTOutlookButton)))
        static_cast<CKTOutlookButton*>(pButton)->m_uiPageID = m_pActivePage->m_uiID;
    return pButton;
}

BOOL CKTOutlookBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const HWND hwndControl = reinterpret_cast<HWND>(lParam);
    const UINT nID = LOWORD(wParam);
    if (hwndControl != nullptr && ::GetParent(hwndControl) == m_hWnd)
    {
        if (hwndControl == m_btnClose.GetSafeHwnd())
        {
            if (CFrameWnd* pFrame = GetParentFrame())
                pFrame->ShowControlBar(this, FALSE, FALSE);
            else
                ShowWindow(SW_HIDE);
            return TRUE;
        }
        // Held arrow buttons scroll on their timers.
        if (hwndControl == m_btnScrollBack.GetSafeHwnd() || hwndControl == m_btnScrollForward.GetSafeHwnd())
            return TRUE;
        CKTOutlookBarPage* pPage =
            nID >= IdFirstPageButton ? GetPage(static_cast<int>(nID - IdFirstPageButton)) : nullptr;
        if (pPage != nullptr && pPage->m_pButton->GetSafeHwnd() == hwndControl)
        {
            ActivatePage(pPage->m_uiID);
            return TRUE;
        }
    }
    return CKTToolBar::OnCommand(wParam, lParam);
}

// The resizing strip ------------------------------------------------------------------------------

BOOL CKTOutlookBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT && !m_rectSplitter.IsRectEmpty())
    {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        if (m_bResizing || m_rectSplitter.PtInRect(point))
        {
            ::SetCursor(IsHorizontal() ? m_hcurSplitVert : m_hcurSplitHorz);
            return TRUE;
        }
    }
    return CKTToolBar::OnSetCursor(pWnd, nHitTest, message);
}

void CKTOutlookBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!m_rectSplitter.IsRectEmpty() && m_rectSplitter.PtInRect(point))
    {
        SetCapture();
        m_bResizing = TRUE;
        m_ptResizeStart = point;
        DrawResizeLine(point);
        return;
    }
    CKTToolBar::OnLButtonDown(nFlags, point);
}

void CKTOutlookBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bResizing)
    {
        DrawResizeLine(point);
        return;
    }
    CKTToolBar::OnMouseMove(nFlags, point);
}

void CKTOutlookBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bResizing)
    {
        DrawResizeLine(point);
        EndResizing(TRUE);
        return;
    }
    CKTToolBar::OnLButtonUp(nFlags, point);
}

void CKTOutlookBar::OnCancelMode()
{
    EndResizing(FALSE);
    CKTToolBar::OnCancelMode();
}

void CKTOutlookBar::InvertResizeLine(CPoint point)
{
    // Drawn inverted on the screen: a second drawing at the same place removes it.
    HDC hdc = ::GetDC(nullptr);
    if (hdc == nullptr)
        return;
    CRect rectBar;
    GetWindowRect(&rectBar);
    ClientToScreen(&point);
    const CRect rect = IsHorizontal() ? CRect(rectBar.left, point.y - 1, rectBar.right, point.y + 1)
                                      : CRect(point.x - 1, rectBar.top, point.x + 1, rectBar.bottom);
    ::PatBlt(hdc, rect.left, rect.top, rect.Width(), rect.Height(), DSTINVERT);
    ::ReleaseDC(nullptr, hdc);
}

void CKTOutlookBar::DrawResizeLine(CPoint point)
{
    if (m_ptResizeLine != CPoint(-1, -1))
        InvertResizeLine(m_ptResizeLine);
    m_ptResizeLine = point;
    InvertResizeLine(point);
}

void CKTOutlookBar::EndResizing(BOOL bApply)
{
    if (!m_bResizing)
        return;
    m_bResizing = FALSE;
    const CPoint ptEnd = m_ptResizeLine;
    if (m_ptResizeLine != CPoint(-1, -1))
        InvertResizeLine(m_ptResizeLine);
    m_ptResizeLine = CPoint(-1, -1);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (!bApply || ptEnd == CPoint(-1, -1))
        return;
    int nDelta = 0;
    switch (GetDockSide())
    {
    case CBRS_ALIGN_LEFT:
        nDelta = ptEnd.x - m_ptResizeStart.x;
        break;
    case CBRS_ALIGN_RIGHT:
        nDelta = m_ptResizeStart.x - ptEnd.x;
        break;
    case CBRS_ALIGN_TOP:
        nDelta = ptEnd.y - m_ptResizeStart.y;
        break;
    case CBRS_ALIGN_BOTTOM:
        nDelta = m_ptResizeStart.y - ptEnd.y;
        break;
    default:
        break;
    }
    SetBarSize(std::max(kMinBarSize, m_nBarSize + nDelta));
}

// The tab window's painting and everything the user does to it: clicks, hot tracking, dragging a
// tab, renaming one in place, the keyboard, the splitter and the shared scroll bar.
#include "uitoolkit/bars/KTTabWnd.h"

#include "uitoolkit/customize/KTButton.h"
#include "uitoolkit/looks/KTMemDC.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManager.h"

#include <algorithm>

namespace
{
const UINT_PTR kTimerScrollLeft = 1;
const UINT_PTR kTimerScrollRight = 2;
const UINT kDragScrollMs = 250;
const UINT kRenameEditId = 1;
} // namespace

BOOL CKTTabWnd::OnEraseBkgnd(CDC* pDC)
{
    if (!m_bNoEraseBkgnd && GetVisibleTabsNum() == 0)
    {
        CRect rectClient;
        GetClientRect(&rectClient);
        ::FillRect(pDC->GetSafeHdc(), &rectClient, (HBRUSH)ktGlobals.m_brushFace.GetSafeHandle());
    }
    return TRUE;
}

void CKTTabWnd::OnPaint()
{
    CPaintDC dcPaint(this);
    CRect rectClient;
    GetClientRect(&rectClient);
    if (rectClient.IsRectEmpty())
        return;
    // Painted in memory first so that the tabs do not flicker while they scroll.
    CKTMemDC memDC(dcPaint, rectClient);
    if (memDC.IsMemDC())
        ::FillRect(memDC.GetDC().GetSafeHdc(), &rectClient, (HBRUSH)ktGlobals.m_brushFace.GetSafeHandle());
    Paint(&memDC.GetDC());
}

void CKTTabWnd::Paint(CDC* pDC)
{
    CKTVisualManager* pVM = CKTVisualManager::GetInstance();
    CRect rectClient;
    GetClientRect(&rectClient);

    COLORREF clrDark, clrBlack, clrHighlight, clrFace, clrDarkShadow, clrLight;
    CBrush* pbrFace = nullptr;
    CBrush* pbrBlack = nullptr;
    pVM->GetTabFrameColors(this, clrDark, clrBlack, clrHighlight, clrFace, clrDarkShadow, clrLight, pbrFace, pbrBlack);

    // The frame round the windows area, between it and the client edge.
    CRect rectFrame = rectClient;
    if (!pVM->OnEraseTabsFrame(pDC, rectFrame, this) && pbrFace != nullptr)
        ::FillRect(pDC->GetSafeHdc(), &rectFrame, (HBRUSH)pbrFace->GetSafeHandle());

    if (m_rectTabsArea.Height() > 0)
    {
        CRect rectTabsBand = m_rectTabsArea;
        rectTabsBand.left = rectClient.left;
        rectTabsBand.right = rectClient.right;
        pVM->OnEraseTabsArea(pDC, rectTabsBand, this);
    }

    if (m_bFlatFrame && !m_rectWndArea.IsRectEmpty())
    {
        CRect rectBorder = m_rectWndArea;
        rectBorder.InflateRect(1, 1);
        if (m_bFlat)
        {
            pDC->Draw3dRect(&rectBorder, clrDark, clrDark);
        }
        else
        {
            pDC->Draw3dRect(&rectBorder, clrDark, clrHighlight);
            if (m_bInnerFrame)
            {
                rectBorder.InflateRect(1, 1);
                pDC->Draw3dRect(&rectBorder, clrDarkShadow, clrLight);
            }
        }
    }

    if (m_rectTabsArea.Height() <= 0 || GetVisibleTabsNum() == 0)
        return;

    CRgn rgnClip;
    rgnClip.CreateRectRgnIndirect(&m_rectTabsArea);
    pDC->SelectClipRgn(&rgnClip);
    CFont* pOldFont = pDC->SelectObject(GetTabFont());
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    for (int i = GetTabsNum() - 1; i >= 0; i--)
        if (i != m_iActiveTab && m_arTabs[i]->m_bVisible)
        {
            if (m_bFlat)
                DrawFlatTab(pDC, i, FALSE);
            else
                DrawTab(pDC, i, FALSE);
        }
    if (m_iActiveTab >= 0 && m_arTabs[m_iActiveTab]->m_bVisible)
    {
        if (m_bFlat && m_fntTabsBold.GetSafeHandle() != nullptr)
            pDC->SelectObject(&m_fntTabsBold);
        if (m_bFlat)
            DrawFlatTab(pDC, m_iActiveTab, TRUE);
        else
            DrawTab(pDC, m_iActiveTab, TRUE);
    }

    if (m_bTabDrag && m_nTabDropIndex >= 0)
    {
        int x;
        if (m_nTabDropIndex < GetTabsNum() && m_arTabs[m_nTabDropIndex]->m_bVisible)
            x = m_arTabs[m_nTabDropIndex]->m_rect.left;
        else
        {
            x = m_rectTabsArea.left;
            for (const CKTTabInfo* pTab : m_arTabs)
                if (pTab->m_bVisible)
                    x = std::max<int>(x, (int)pTab->m_rect.right);
        }
        const int nSize = std::max<int>(3, m_nTabsHeight / 4);
        DrawTabArrow(pDC, x, m_location == LOCATION_BOTTOM ? m_rectTabsArea.top : m_rectTabsArea.bottom - nSize, nSize);
    }
    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(pOldFont);
    pDC->SelectClipRgn(nullptr);
}

void CKTTabWnd::DrawTab(CDC* pDC, int iTab, BOOL bIsActive)
{
    CKTVisualManager::GetInstance()->OnDrawTab(pDC, m_arTabs[iTab]->m_rect, iTab, bIsActive, this);
}

void CKTTabWnd::DrawFlatTab(CDC* pDC, int iTab, BOOL bIsActive)
{
    CKTVisualManager::GetInstance()->OnDrawTab(pDC, m_arTabs[iTab]->m_rect, iTab, bIsActive, this);
}

void CKTTabWnd::DrawTabArrow(CDC* pDC, int x, int y, int nSize)
{
    // A filled triangle pointing at the row, its tip at x.
    const int dy = m_location == LOCATION_BOTTOM ? nSize : -nSize;
    const int yBase = m_location == LOCATION_BOTTOM ? y : y + nSize;
    POINT pts[3] = {{x - nSize, yBase}, {x + nSize, yBase}, {x, yBase + dy}};
    CBrush brush;
    brush.CreateSolidBrush(ktGlobals.m_colorText);
    CPen pen(PS_SOLID, 1, ktGlobals.m_colorText);
    CBrush* pOldBrush = pDC->SelectObject(&brush);
    CPen* pOldPen = pDC->SelectObject(&pen);
    pDC->Polygon(pts, 3);
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldBrush);
}

void CKTTabWnd::PassMouseToParent(UINT message, UINT nFlags, CPoint point)
{
    // Only below the band of the row's own height at the top of the window.
    if (point.y < m_nTabsHeight)
        return;
    CWnd* pParent = GetParent();
    if (pParent == nullptr)
        return;
    MapWindowPoints(pParent, &point, 1);
    pParent->SendMessage(message, nFlags, MAKELPARAM((WORD)(short)point.x, (WORD)(short)point.y));
}

void CKTTabWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!m_rectTabSplitter.IsRectEmpty() && m_rectTabSplitter.PtInRect(point))
    {
        m_bTrackSplitter = TRUE;
        SetCapture();
        return;
    }
    const int iTab = GetTabFromPoint(point);
    if (iTab >= 0 && iTab != m_iActiveTab)
    {
        const int iOld = m_iActiveTab;
        if (m_iHighlighted >= 0)
        {
            const int iHot = m_iHighlighted;
            m_iHighlighted = -1;
            InvalidateTab(iHot);
        }
        SetActiveTab(iTab);
        GetParent()->SendMessage(KTM_ONCHANGE_ACTIVE_TAB, (WPARAM)m_iActiveTab, (LPARAM)iOld);
    }
    if (iTab >= 0)
    {
        if (m_bEnableTabSwap && m_rectTabsArea.PtInRect(point))
        {
            m_bTabDrag = TRUE;
            m_nTabDragIndex = m_nTabDropIndex = iTab;
            SetCapture();
        }
        CWnd::OnLButtonDown(nFlags, point);
        return;
    }
    CWnd::OnLButtonDown(nFlags, point);
    PassMouseToParent(WM_LBUTTONDOWN, nFlags, point);
}

void CKTTabWnd::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    const int iTab = GetTabFromPoint(point);
    if (iTab >= 0)
    {
        StartRenameTab(iTab);
        return;
    }
    CWnd::OnLButtonDblClk(nFlags, point);
    PassMouseToParent(WM_LBUTTONDBLCLK, nFlags, point);
}

void CKTTabWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bTrackSplitter)
    {
        const int nArrow = ::GetSystemMetrics(SM_CXHSCROLL);
        CRect rectClient;
        GetClientRect(&rectClient);
        const int nRight = rectClient.right - m_nTabBorderSize;
        const int nMaxWidth =
            m_rectTabsArea.right + m_rectTabSplitter.Width() + m_nHorzScrollWidth - (m_rectTabsArea.left + 5);
        m_nHorzScrollWidth = std::max<int>(2 * nArrow, std::min<int>(nRight - point.x, nMaxWidth));
        RecalcLayout();
        return;
    }
    if (m_bTabDrag)
    {
        if (point.x < m_rectTabsArea.left)
        {
            KillTimer(kTimerScrollRight);
            SetTimer(kTimerScrollLeft, kDragScrollMs, nullptr);
            return;
        }
        if (point.x > m_rectTabsArea.right)
        {
            KillTimer(kTimerScrollLeft);
            SetTimer(kTimerScrollRight, kDragScrollMs, nullptr);
            return;
        }
        KillTimer(kTimerScrollLeft);
        KillTimer(kTimerScrollRight);
        int nDrop = m_nTabDropIndex;
        const int iTab = GetTabFromPoint(CPoint(point.x, m_rectTabsArea.CenterPoint().y));
        if (iTab >= 0)
            nDrop = point.x < m_arTabs[iTab]->m_rect.CenterPoint().x ? iTab : iTab + 1;
        if (nDrop != m_nTabDropIndex)
        {
            m_nTabDropIndex = nDrop;
            InvalidateRect(&m_rectTabsArea);
            UpdateWindow();
        }
        return;
    }

    if (m_bHotTrack && !CKTVisualManager::GetInstance()->IsActiveTabAlwaysHighlighted())
        m_bHotTrack = FALSE;
    if (m_bHotTrack)
    {
        const int iTab = GetTabFromPoint(point);
        if (iTab != m_iHighlighted)
        {
            const int iOld = m_iHighlighted;
            m_iHighlighted = iTab;
            InvalidateTab(iOld);
            InvalidateTab(iTab);
            if (iTab >= 0 && CWnd::GetCapture() != this)
                SetCapture();
            else if (iTab < 0 && CWnd::GetCapture() == this)
                ::ReleaseCapture();
        }
    }
    CWnd::OnMouseMove(nFlags, point);
}

void CKTTabWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bTrackSplitter)
    {
        m_bTrackSplitter = FALSE;
        if (CWnd::GetCapture() == this)
            ::ReleaseCapture();
        return;
    }
    if (m_bTabDrag)
    {
        EndDrag(TRUE);
        return;
    }
    CWnd::OnLButtonUp(nFlags, point);
}

void CKTTabWnd::EndDrag(BOOL bDrop)
{
    KillTimer(kTimerScrollLeft);
    KillTimer(kTimerScrollRight);
    m_bTabDrag = FALSE;
    if (CWnd::GetCapture() == this)
        ::ReleaseCapture();
    const int nFrom = m_nTabDragIndex;
    // The drop index counts places between tabs (0 .. count); the ones on either side of the
    // dragged tab leave it where it is.
    const int nTo = m_nTabDropIndex;
    m_nTabDragIndex = m_nTabDropIndex = -1;
    if (bDrop && nFrom >= 0 && nFrom < GetTabsNum() && nTo >= 0 && nTo <= GetTabsNum() && nTo != nFrom &&
        nTo != nFrom + 1)
    {
        if (GetParent()->SendMessage(KTM_ON_BEFOREMOVE_TAB, (WPARAM)nFrom, (LPARAM)nTo) == 0)
        {
            CKTTabInfo* pTab = m_arTabs[nFrom];
            const BOOL bActive = nFrom == m_iActiveTab;
            const int nActiveBefore = m_iActiveTab;
            m_arTabs.erase(m_arTabs.begin() + nFrom);
            const int nPlace = nTo > nFrom ? nTo - 1 : nTo;
            m_arTabs.insert(m_arTabs.begin() + nPlace, pTab);
            if (bActive)
                m_iActiveTab = nPlace;
            else if (nFrom < nActiveBefore && nPlace >= nActiveBefore)
                m_iActiveTab = nActiveBefore - 1;
            else if (nFrom > nActiveBefore && nPlace <= nActiveBefore)
                m_iActiveTab = nActiveBefore + 1;
            GetParent()->SendMessage(KTM_ON_MOVE_TAB, (WPARAM)nFrom, (LPARAM)nTo);
            RecalcTabs();
        }
    }
    Invalidate();
    UpdateWindow();
}

void CKTTabWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kTimerScrollLeft || nIDEvent == kTimerScrollRight)
    {
        if (!m_bTabDrag)
        {
            KillTimer(nIDEvent);
            return;
        }
        ScrollBy(nIDEvent == kTimerScrollLeft ? BUTTON_LEFT : BUTTON_RIGHT);
        return;
    }
    CWnd::OnTimer(nIDEvent);
}

void CKTTabWnd::OnCancelMode()
{
    CWnd::OnCancelMode();
    if (m_bTrackSplitter)
    {
        m_bTrackSplitter = FALSE;
        if (CWnd::GetCapture() == this)
            ::ReleaseCapture();
    }
    CloseRenameEdit();
    if (m_bTabDrag)
        EndDrag(FALSE);
    if (m_iHighlighted >= 0)
    {
        const int iOld = m_iHighlighted;
        m_iHighlighted = -1;
        InvalidateTab(iOld);
        if (CWnd::GetCapture() == this)
            ::ReleaseCapture();
    }
}

BOOL CKTTabWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_pInPlaceEdit != nullptr && pWnd == m_pInPlaceEdit)
    {
        ::SetCursor(::LoadCursor(nullptr, IDC_IBEAM));
        return TRUE;
    }
    if (m_bFlat && !m_rectTabSplitter.IsRectEmpty())
    {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        if (m_rectTabSplitter.PtInRect(point))
        {
            ::SetCursor(ktGlobals.m_hcurStretch != nullptr ? ktGlobals.m_hcurStretch
                                                           : ::LoadCursor(nullptr, IDC_SIZEWE));
            return TRUE;
        }
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

BOOL CKTTabWnd::StartRenameTab(int iTab)
{
    if (!m_bIsInPlaceEdit || iTab < 0 || iTab >= GetTabsNum() || !m_arTabs[iTab]->m_bVisible)
        return FALSE;
    CloseRenameEdit();
    EnsureVisible(iTab);
    CRect rectEdit = m_arTabs[iTab]->m_rect;
    rectEdit.DeflateRect(m_nTabsHeight / 2, 1);
    m_pInPlaceEdit = new CEdit;
    if (!m_pInPlaceEdit->Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, rectEdit, this, kRenameEditId))
    {
        delete m_pInPlaceEdit;
        m_pInPlaceEdit = nullptr;
        return FALSE;
    }
    m_iEditedTab = iTab;
    m_pInPlaceEdit->SetWindowText(m_arTabs[iTab]->m_strText);
    m_pInPlaceEdit->SetFont(&ktGlobals.m_fontText);
    m_pInPlaceEdit->SetSel(0, -1);
    m_pInPlaceEdit->SetFocus();
    ::ShowCaret(m_pInPlaceEdit->GetSafeHwnd());
    return TRUE;
}

BOOL CKTTabWnd::RenameTab()
{
    if (m_pInPlaceEdit == nullptr || m_iEditedTab < 0 || m_iEditedTab >= GetTabsNum())
        return FALSE;
    CString strName;
    m_pInPlaceEdit->GetWindowText(strName);
    if (strName.IsEmpty() || !CanRenameTab(m_iEditedTab, strName) ||
        GetParent()->SendMessage(KTM_ON_RENAME_TAB, (WPARAM)m_iEditedTab, (LPARAM)(LPCTSTR)strName) != 0)
    {
        ::MessageBeep((UINT)-1);
        return FALSE;
    }
    SetTabLabel(m_iEditedTab, strName);
    CloseRenameEdit();
    return TRUE;
}

void CKTTabWnd::CloseRenameEdit()
{
    if (m_pInPlaceEdit == nullptr)
        return;
    CEdit* pEdit = m_pInPlaceEdit;
    m_pInPlaceEdit = nullptr;
    m_iEditedTab = -1;
    pEdit->DestroyWindow();
    delete pEdit;
    if (GetSafeHwnd() != nullptr)
        InvalidateRect(&m_rectTabsArea);
}

BOOL CKTTabWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_pInPlaceEdit != nullptr)
    {
        const HWND hEdit = m_pInPlaceEdit->GetSafeHwnd();
        if (pMsg->message == WM_KEYDOWN)
        {
            if (pMsg->wParam == VK_RETURN)
            {
                RenameTab();
                return TRUE;
            }
            if (pMsg->wParam == VK_ESCAPE)
            {
                CloseRenameEdit();
                return TRUE;
            }
        }
        if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
        {
            ::TranslateMessage(pMsg);
            ::DispatchMessage(pMsg);
            return TRUE;
        }
        if (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST)
        {
            if (pMsg->hwnd == hEdit)
                return FALSE;
            if (pMsg->message == WM_MOUSEMOVE)
                return TRUE;
            RenameTab();
            return TRUE;
        }
        return CWnd::PreTranslateMessage(pMsg);
    }

    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_PRIOR || pMsg->wParam == VK_NEXT) &&
        (::GetKeyState(VK_CONTROL) & 0x8000) && GetVisibleTabsNum() > 1 && m_iActiveTab >= 0)
    {
        const int nCount = GetTabsNum();
        const int nStep = pMsg->wParam == VK_PRIOR ? nCount - 1 : 1;
        int iTab = m_iActiveTab;
        do
            iTab = (iTab + nStep) % nCount;
        while (!m_arTabs[iTab]->m_bVisible && iTab != m_iActiveTab);
        if (iTab != m_iActiveTab)
        {
            const int iOld = m_iActiveTab;
            SetActiveTab(iTab);
            if (GetActiveWnd() != nullptr)
                GetActiveWnd()->SetFocus();
            GetParent()->SendMessage(KTM_ONCHANGE_ACTIVE_TAB, (WPARAM)m_iActiveTab, (LPARAM)iOld);
        }
        return TRUE;
    }
    if (m_ToolTip.GetSafeHwnd() != nullptr && pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST)
        m_ToolTip.RelayEvent(pMsg);
    return CWnd::PreTranslateMessage(pMsg);
}

BOOL CKTTabWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* pNMHDR = reinterpret_cast<const NMHDR*>(lParam);
    if (pNMHDR != nullptr)
    {
        if (pNMHDR->code == TTN_SHOW && m_ToolTip.GetSafeHwnd() == pNMHDR->hwndFrom)
            m_ToolTip.SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        else if (pNMHDR->code == HDN_ITEMCHANGEDW || pNMHDR->code == HDN_ITEMCHANGEDA)
            SynchronizeScrollBar();
    }
    return CWnd::OnNotify(wParam, lParam, pResult);
}

void CKTTabWnd::SynchronizeScrollBar()
{
    if (!m_bSharedScroll || m_wndScrollWnd.GetSafeHwnd() == nullptr)
        return;
    CWnd* pWnd = GetActiveWnd();
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    BOOL bHasScroll = pWnd != nullptr && ::GetScrollInfo(pWnd->GetSafeHwnd(), SB_HORZ, &si);
    if (bHasScroll && (si.nPage == 0 || (int)si.nPage > si.nMax - si.nMin))
        bHasScroll = FALSE;
    if (!bHasScroll)
    {
        SCROLLINFO siEmpty{};
        siEmpty.fMask = SIF_ALL;
        m_wndScrollWnd.SetScrollInfo(&siEmpty);
        m_wndScrollWnd.EnableScrollBar(ESB_DISABLE_BOTH);
        return;
    }
    m_wndScrollWnd.EnableScrollBar(ESB_ENABLE_BOTH);
    si.fMask = SIF_ALL;
    m_wndScrollWnd.SetScrollInfo(&si);
}

void CKTTabWnd::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar == nullptr || pScrollBar->GetSafeHwnd() != m_wndScrollWnd.GetSafeHwnd())
    {
        CWnd::OnHScroll(nSBCode, nPos, pScrollBar);
        return;
    }
    CWnd* pWnd = GetActiveWnd();
    if (pWnd == nullptr || s_bInScrollForwarding)
        return;
    s_bInScrollForwarding = TRUE;
    const int nTab = m_iActiveTab;
    if (m_arTabs[nTab]->m_bIsListView && (nSBCode == SB_THUMBPOSITION || nSBCode == SB_THUMBTRACK))
    {
        const int nOld = ::GetScrollPos(pWnd->GetSafeHwnd(), SB_HORZ);
        pWnd->SendMessage(LVM_SCROLL, (WPARAM)((int)nPos - nOld), 0);
    }
    else
        pWnd->SendMessage(WM_HSCROLL, MAKEWPARAM(nSBCode, nPos), 0);
    m_wndScrollWnd.SetScrollPos(::GetScrollPos(pWnd->GetSafeHwnd(), SB_HORZ));
    GetParent()->SendMessage(KTM_ON_HSCROLL, MAKEWPARAM(nSBCode, nPos), 0);
    s_bInScrollForwarding = FALSE;
}

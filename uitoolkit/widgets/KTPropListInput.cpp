// The property grid's painting, mouse, keys, wheel and header.
#include "uitoolkit/widgets/KTPropList.h"

#include "uitoolkit/looks/KTMemDC.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManager.h"

#include <algorithm>

namespace
{
const int kSplitterTolerance = 3;
const int kWheelUnit = 120;
const UINT kCursorSplitHorz = 30980;
const UINT kCursorSplitVert = 30981;
} // namespace

BOOL CKTPropList::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

void CKTPropList::OnPaint()
{
    CPaintDC dcPaint(this);
    CRect rectClient;
    GetClientRect(&rectClient);
    CKTMemDC memDC(dcPaint, rectClient);
    CDC* pDC = &memDC.GetDC();

    pDC->FillRect(rectClient, &ktGlobals.m_brushWindow);
    HFONT hFont = reinterpret_cast<HFONT>(OnGetFont(0, 0));
    HGDIOBJ hOldFont = ::SelectObject(pDC->GetSafeHdc(), hFont);
    pDC->SetBkMode(TRANSPARENT);
    pDC->IntersectClipRect(m_rectList);
    std::vector<CKTProp*> props;
    GetVisibleProps(props);
    for (CKTProp* pProp : props)
    {
        if (pProp->m_Rect.bottom > m_rectList.top && pProp->m_Rect.top < m_rectList.bottom)
            DrawProp(pDC, pProp);
    }
    pDC->SelectClipRgn(nullptr);
    if (m_bDescriptionArea)
    {
        CRect rectDescr(rectClient.left, m_rectList.bottom, rectClient.right, rectClient.bottom);
        pDC->FillRect(rectDescr, &ktGlobals.m_brushFace);
        pDC->Draw3dRect(rectDescr, ktGlobals.m_colorShadow, ktGlobals.m_colorHighlight);
        if (m_pSel != nullptr)
        {
            rectDescr.DeflateRect(4, 4);
            CFont* pOld = pDC->SelectObject(&m_fontBold);
            pDC->SetTextColor(ktGlobals.m_colorText);
            pDC->DrawText(m_pSel->GetName(), -1, rectDescr, DT_SINGLELINE | DT_TOP | DT_LEFT | DT_NOPREFIX);
            pDC->SelectObject(pOld);
        }
    }
    ::SelectObject(pDC->GetSafeHdc(), hOldFont);
}

void CKTPropList::DrawProp(CDC* pDC, CKTProp* pProp)
{
    const CRect rect = pProp->m_Rect;
    const BOOL bSelected = pProp == m_pSel;
    CRect rectName(rect.left, rect.top, rect.left + m_nLeftColumnWidth, rect.bottom);
    if (pProp->IsGroup())
    {
        pDC->FillSolidRect(rect, GetGroupBackColor());
        rectName = rect;
    }
    const int nIndent = (pProp->GetParent() != nullptr ? 1 : 0) * 10 + 16;
    if (bSelected)
    {
        CRect rectSel = rectName;
        rectSel.left += nIndent - 2;
        pDC->FillSolidRect(rectSel, m_bFocused ? ktGlobals.m_colorSelection : ktGlobals.m_colorFace);
    }
    if (pProp->IsGroup())
    {
        CKTVisualManager::GetInstance()->OnDrawExpandingBox(pDC, pProp->GetExpandBox(), pProp->IsExpanded(),
                                                            ktGlobals.m_colorShadow);
    }
    pDC->SetTextColor(bSelected && m_bFocused ? ktGlobals.m_colorSelectionText : ktGlobals.m_colorText);
    CRect rectText = rectName;
    rectText.left += nIndent;
    CFont* pOldFont = pProp->IsGroup() ? pDC->SelectObject(&m_fontBold) : nullptr;
    pDC->DrawText(pProp->GetName(), -1, rectText, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
    if (pOldFont != nullptr)
        pDC->SelectObject(pOldFont);
    if (!pProp->IsGroup())
    {
        pDC->SetTextColor(ktGlobals.m_colorText);
        pProp->OnDrawValue(pDC, pProp->m_rectValue);
        pDC->FillSolidRect(CRect(rectName.right, rect.top, rectName.right + 1, rect.bottom), ktGlobals.m_colorFace);
    }
    pDC->FillSolidRect(CRect(rect.left, rect.bottom - 1, rect.right, rect.bottom), ktGlobals.m_colorFace);
}

UINT CKTPropList::OnGetDlgCode()
{
    return DLGC_WANTARROWS | DLGC_WANTCHARS;
}

void CKTPropList::OnLButtonDown(UINT /*nFlags*/, CPoint point)
{
    SetFocus();
    if (m_rectList.PtInRect(point) && std::abs(point.x - (m_rectList.left + m_nLeftColumnWidth)) <= kSplitterTolerance)
    {
        m_bTracking = TRUE;
        SetCapture();
        return;
    }
    if (m_bDescriptionArea && std::abs(point.y - (m_rectList.bottom - 4)) <= kSplitterTolerance)
    {
        m_bTrackingDescr = TRUE;
        CRect rectClient;
        GetClientRect(&rectClient);
        m_rectTrackDescr = CRect(rectClient.left, point.y, rectClient.right, point.y + 2);
        InvertTrackLine();
        SetCapture();
        return;
    }
    CKTProp* pHit = HitTest(point);
    if (pHit == nullptr)
        return;
    SetCurSel(pHit);
    if (pHit->IsGroup() && (pHit->GetExpandBox().PtInRect(point) || point.x < pHit->m_Rect.left + 16))
        pHit->Expand(!pHit->IsExpanded());
    else if (pHit->IsAllowEdit() && pHit->GetButtonRect().PtInRect(point))
    {
        EndEditItem(TRUE);
        EnsureVisible(pHit);
        pHit->OnClickButton();
        return;
    }
    else if (pHit->m_rectValue.PtInRect(point))
    {
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        if (EditItem(pHit, &ptScreen) && pHit->m_pWndInPlace != nullptr)
        {
            CPoint ptEdit = ptScreen;
            pHit->m_pWndInPlace->ScreenToClient(&ptEdit);
            pHit->m_pWndInPlace->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptEdit.x, ptEdit.y));
            pHit->m_pWndInPlace->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptEdit.x, ptEdit.y));
        }
    }
    EnsureVisible(pHit);
}

void CKTPropList::OnRButtonDown(UINT /*nFlags*/, CPoint point)
{
    SetFocus();
    CKTProp* pHit = HitTest(point);
    if (pHit == nullptr)
        return;
    SetCurSel(pHit);
    EnsureVisible(pHit);
    if (pHit->m_rectValue.PtInRect(point))
    {
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        if (EditItem(pHit, &ptScreen) && pHit->m_pWndInPlace != nullptr)
        {
            pHit->m_pWndInPlace->ScreenToClient(&ptScreen);
            pHit->m_pWndInPlace->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(ptScreen.x, ptScreen.y));
        }
    }
}

void CKTPropList::OnLButtonDblClk(UINT /*nFlags*/, CPoint point)
{
    CKTProp* pHit = HitTest(point);
    if (pHit == nullptr)
        return;
    if (pHit->IsGroup())
        pHit->Expand(!pHit->IsExpanded());
    else if (pHit->IsAllowEdit() && pHit->GetButtonRect().PtInRect(point))
        pHit->OnClickButton(); // the second press of a quick pair is a press of the button as well
    else
    {
        EditItem(pHit);
        pHit->OnDblClick(point);
    }
}

void CKTPropList::InvertTrackLine()
{
    CClientDC dc(this);
    dc.InvertRect(m_rectTrackDescr);
}

void CKTPropList::OnMouseMove(UINT /*nFlags*/, CPoint point)
{
    if (m_bTracking)
    {
        HDITEM item{};
        item.mask = HDI_WIDTH;
        item.cxy = point.x - m_rectList.left;
        m_wndHeader.SetItem(0, &item);
        return;
    }
    if (m_bTrackingDescr)
    {
        int nTop = 0, nBottom = 0;
        GetDividerLimits(nTop, nBottom);
        const int y = std::max(nTop, std::min(nBottom, static_cast<int>(point.y)));
        InvertTrackLine();
        m_rectTrackDescr.MoveToY(y);
        InvertTrackLine();
    }
}

void CKTPropList::OnLButtonUp(UINT /*nFlags*/, CPoint point)
{
    if (m_bTracking)
    {
        m_bTracking = FALSE;
        ::ReleaseCapture();
        SetLeftColumnWidth(point.x - m_rectList.left);
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        return;
    }
    if (m_bTrackingDescr)
    {
        InvertTrackLine();
        m_bTrackingDescr = FALSE;
        ::ReleaseCapture();
        CRect rectClient;
        GetClientRect(&rectClient);
        m_nDescrHeight = rectClient.bottom - m_rectTrackDescr.top;
        AdjustLayout();
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
}

void CKTPropList::OnCancelMode()
{
    Default();
    if (m_bTrackingDescr)
    {
        InvertTrackLine();
        m_bTrackingDescr = FALSE;
    }
    m_bTracking = FALSE;
    if (GetCapture() == this)
        ::ReleaseCapture();
    EndEditItem(FALSE);
}

BOOL CKTPropList::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT)
    {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        HINSTANCE hInst = AfxGetResourceHandle();
        if (m_bDescriptionArea && std::abs(point.y - (m_rectList.bottom - 4)) <= kSplitterTolerance)
        {
            HCURSOR hCursor = ::LoadCursor(hInst, MAKEINTRESOURCE(kCursorSplitVert));
            ::SetCursor(hCursor != nullptr ? hCursor : ::LoadCursor(nullptr, IDC_SIZENS));
            return TRUE;
        }
        if (m_rectList.PtInRect(point) &&
            std::abs(point.x - (m_rectList.left + m_nLeftColumnWidth)) <= kSplitterTolerance)
        {
            HCURSOR hCursor = ::LoadCursor(hInst, MAKEINTRESOURCE(kCursorSplitHorz));
            ::SetCursor(hCursor != nullptr ? hCursor : ::LoadCursor(nullptr, IDC_SIZEWE));
            return TRUE;
        }
        if (m_pSel != nullptr && m_pSel->m_rectValue.PtInRect(point) && !m_pSel->GetButtonRect().PtInRect(point) &&
            m_pSel->OnSetCursor(point))
            return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CKTPropList::OnKillFocus(CWnd* pNewWnd)
{
    Default();
    if (pNewWnd != nullptr && IsChild(pNewWnd))
        return;
    if (m_pSel != nullptr && m_pSel->IsKindOf(RUNTIME_CLASS(CKTColorProp)) &&
        static_cast<CKTColorProp*>(m_pSel)->GetPopup() != nullptr)
        return; // the popup has the focus for a moment
    m_bFocused = FALSE;
    if (m_pSel != nullptr && m_pSel->m_pWndInPlace == nullptr)
        InvalidateRect(m_pSel->m_Rect);
}

void CKTPropList::OnSetFocus(CWnd* /*pOldWnd*/)
{
    Default();
    m_bFocused = TRUE;
    if (m_pSel != nullptr)
    {
        InvalidateRect(m_pSel->m_Rect);
        if (m_pSel->m_pWndInPlace != nullptr)
            m_pSel->m_pWndInPlace->SetFocus();
    }
}

void CKTPropList::OnVScroll(UINT nSBCode, UINT /*nPos*/, CScrollBar* /*pScrollBar*/)
{
    SCROLLINFO si{};
    si.cbSize = sizeof(SCROLLINFO);
    si.fMask = SIF_TRACKPOS;
    ::GetScrollInfo(m_hWnd, SB_VERT, &si);
    switch (nSBCode)
    {
    case SB_LINEUP:
        Scroll(-1);
        break;
    case SB_LINEDOWN:
        Scroll(1);
        break;
    case SB_PAGEUP:
        Scroll(-RowsPerPage());
        break;
    case SB_PAGEDOWN:
        Scroll(RowsPerPage());
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        SetScrollPos(si.nTrackPos);
        break;
    default:
        break;
    }
}

BOOL CKTPropList::OnMouseWheel(UINT /*nFlags*/, short zDelta, CPoint /*pt*/)
{
    const int nSteps = std::abs(zDelta) / kWheelUnit;
    Scroll(zDelta > 0 ? -nSteps : nSteps);
    return TRUE;
}

void CKTPropList::OnKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    if (m_lstProps.empty() || nChar < VK_PRIOR || nChar > VK_SUBTRACT)
    {
        Default();
        return;
    }
    std::vector<CKTProp*> props;
    GetVisibleProps(props);
    const auto it = std::find(props.begin(), props.end(), m_pSel);
    const int nSel = it == props.end() ? -1 : static_cast<int>(it - props.begin());
    const int nLast = static_cast<int>(props.size()) - 1;
    int nNew = nSel;
    switch (nChar)
    {
    case VK_UP:
    case VK_LEFT:
    case VK_DOWN:
    case VK_RIGHT:
        if (nSel < 0)
        {
            SetScrollPos(0);
            SetCurSel(props.front());
            return;
        }
        nNew = (nChar == VK_UP || nChar == VK_LEFT) ? nSel - 1 : nSel + 1;
        break;
    case VK_PRIOR:
    case VK_NEXT: {
        const int nPage = RowsPerPage();
        nNew = nSel < 0 ? 0 : (nChar == VK_PRIOR ? nSel - nPage : nSel + nPage);
        Scroll(nChar == VK_PRIOR ? -nPage : nPage);
        nNew = std::max(0, std::min(nNew, nLast));
        break;
    }
    case VK_HOME:
        nNew = 0;
        break;
    case VK_END:
        nNew = nLast;
        break;
    case VK_ADD:
    case VK_SUBTRACT:
        if (m_pSel != nullptr && m_pSel->IsGroup())
            m_pSel->Expand(nChar == VK_ADD);
        return;
    default:
        Default();
        return;
    }
    if (nNew < 0 || nNew > nLast || nNew == nSel)
        return;
    SetCurSel(props[static_cast<size_t>(nNew)]);
    EnsureVisible(props[static_cast<size_t>(nNew)]);
}

void CKTPropList::OnChar(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    if (m_pSel == nullptr || !m_pSel->IsAllowEdit() || m_pSel->IsGroup() || nChar < 32)
    {
        Default();
        return;
    }
    if (EditItem(m_pSel) && m_pSel->m_pWndInPlace != nullptr)
    {
        m_pSel->m_pWndInPlace->SendMessage(WM_CHAR, nChar);
    }
}

BOOL CKTPropList::PreTranslateMessage(MSG* pMsg)
{
    // An open colour popup closes on Escape, or on a press anywhere but in itself.
    CKTColorProp* pColorProp = m_pSel != nullptr && m_pSel->IsKindOf(RUNTIME_CLASS(CKTColorProp))
                                   ? static_cast<CKTColorProp*>(m_pSel)
                                   : nullptr;
    if (pColorProp != nullptr && pColorProp->GetPopup() != nullptr)
    {
        const HWND hPopup = pColorProp->GetPopup()->GetSafeHwnd();
        const BOOL bPress =
            pMsg->message == WM_LBUTTONDOWN || pMsg->message == WM_RBUTTONDOWN || pMsg->message == WM_MBUTTONDOWN;
        if ((pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) ||
            (bPress && pMsg->hwnd != hPopup && !::IsChild(hPopup, pMsg->hwnd)))
        {
            pColorProp->OnEndEdit(FALSE);
            if (!bPress)
                return TRUE;
        }
    }
    if (pMsg->message == WM_KEYDOWN && m_pSel != nullptr && m_pSel->m_pWndInPlace != nullptr &&
        pMsg->hwnd == m_pSel->m_pWndInPlace->GetSafeHwnd())
    {
        if (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE)
        {
            EndEditItem(pMsg->wParam == VK_RETURN);
            SetFocus();
            return TRUE;
        }
    }
    return CWnd::PreTranslateMessage(pMsg);
}

BOOL CKTPropList::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == InPlaceEditId && HIWORD(wParam) == EN_KILLFOCUS && m_pSel != nullptr &&
        m_pSel->m_pWndInPlace != nullptr)
    {
        EndEditItem(TRUE);
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CKTPropList::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* pHdr = reinterpret_cast<const NMHDR*>(lParam);
    if (pHdr != nullptr && pHdr->idFrom == 1 && !m_bInUpdate)
    {
        if (pHdr->code == HDN_ITEMCHANGED)
        {
            const NMHEADER* pHeader = reinterpret_cast<const NMHEADER*>(lParam);
            if (pHeader->iItem == 0 && pHeader->pitem != nullptr && (pHeader->pitem->mask & HDI_WIDTH) != 0)
            {
                // The name column never grows past the list.
                m_nLeftColumnWidth = std::min(pHeader->pitem->cxy, static_cast<int>(m_rectList.Width()));
                AdjustLayout();
                Invalidate();
            }
            *pResult = 0;
            return TRUE;
        }
        if (pHdr->code == HDN_TRACKW || pHdr->code == HDN_TRACKA)
        {
            *pResult = OnHeaderTrack(reinterpret_cast<NMHEADER*>(lParam));
            return TRUE;
        }
        if (pHdr->code == HDN_ENDTRACK)
        {
            AdjustLayout();
            Invalidate();
        }
    }
    return CWnd::OnNotify(wParam, lParam, pResult);
}

void CKTPropList::OnSize(UINT /*nType*/, int cx, int /*cy*/)
{
    Default();
    EndEditItem(TRUE);
    m_nLeftColumnWidth = cx / 2;
    AdjustLayout();
}

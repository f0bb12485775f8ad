// The property grid's frame and surroundings: system settings and colours, the in-place editors'
// colours and drop-down list, the border, style changes, the header's divider and tooltips.
#include "uitoolkit/widgets/KTPropList.h"

#include "uitoolkit/looks/KTVisualManager.h"

#include <algorithm>

void CKTPropList::OnSettingChange(UINT /*uFlags*/, LPCTSTR /*lpszSection*/)
{
    Default();
    // The default GUI font (and so the row height) may have changed with the settings.
    EndEditItem(TRUE);
    OnSetFont(reinterpret_cast<WPARAM>(m_hFont), TRUE);
}

void CKTPropList::OnSysColorChange()
{
    Default();
    if (m_wndHeader.GetSafeHwnd() != nullptr)
        m_wndHeader.SendMessage(WM_SYSCOLORCHANGE);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

HBRUSH CKTPropList::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (m_pSel != nullptr && m_pSel->m_pWndInPlace != nullptr && pWnd != nullptr &&
        pWnd->GetSafeHwnd() == m_pSel->m_pWndInPlace->GetSafeHwnd())
    {
        if (HBRUSH hBrush = m_pSel->OnCtlColor(pDC, nCtlColor))
            return hBrush;
    }
    return CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
}

void CKTPropList::OnNcCalcSize(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS* /*lpncsp*/)
{
    // The system keeps the border and the scroll bar; the list lays itself out in what is left.
    Default();
}

void CKTPropList::OnNcPaint()
{
    Default();
    if ((GetStyle() & WS_BORDER) == 0)
        return;
    // The look's frame instead of the system's black one.
    CKTVisualManager::GetInstance()->OnDrawControlBorder(this);
}

void CKTPropList::OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct)
{
    Default();
    if (nStyleType == GWL_STYLE && lpStyleStruct != nullptr &&
        ((lpStyleStruct->styleOld ^ lpStyleStruct->styleNew) & (WS_BORDER | WS_VSCROLL)) != 0)
    {
        // A border or scroll bar that comes or goes changes the client area.
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    AdjustLayout();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void CKTPropList::OnSelectCombo()
{
    if (m_pSel != nullptr)
        m_pSel->OnSelectCombo();
}

void CKTPropList::OnCloseCombo()
{
    if (m_pSel != nullptr)
        m_pSel->OnCloseCombo();
}

BOOL CKTPropList::OnHeaderTrack(NMHEADER* pHeader)
{
    if (pHeader == nullptr || pHeader->iItem != 0 || pHeader->pitem == nullptr ||
        (pHeader->pitem->mask & HDI_WIDTH) == 0)
        return FALSE;
    // The divider never passes the list's right edge.
    pHeader->pitem->cxy = std::max(0, std::min(pHeader->pitem->cxy, static_cast<int>(m_rectList.Width())));
    EndEditItem(TRUE);
    m_nLeftColumnWidth = pHeader->pitem->cxy;
    AdjustLayout();
    RedrawWindow(m_rectList, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    return FALSE; // the header goes on tracking
}

INT_PTR CKTPropList::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    const CKTProp* pProp = HitTest(point);
    if (pProp == nullptr)
        return -1;
    // One tool per part of the row, so that the text follows the pointer from name to value.
    CRect rectTool = pProp->m_Rect;
    const BOOL bValue = !pProp->IsGroup() && pProp->m_rectValue.PtInRect(point);
    if (!pProp->IsGroup())
    {
        if (bValue)
            rectTool = pProp->m_rectValue;
        else
            rectTool.right = pProp->m_rectValue.left;
    }
    std::vector<CKTProp*> props;
    GetVisibleProps(props);
    const auto it = std::find(props.begin(), props.end(), pProp);
    const INT_PTR nId = 2 * (it - props.begin()) + (bValue ? 2 : 1);
    if (pTI != nullptr)
    {
        pTI->hwnd = m_hWnd;
        pTI->uId = static_cast<UINT_PTR>(nId);
        pTI->rect = rectTool;
        pTI->uFlags &= ~TTF_IDISHWND;
        pTI->lpszText = LPSTR_TEXTCALLBACK;
    }
    return nId;
}

BOOL CKTPropList::OnNeedTipText(UINT /*nID*/, NMHDR* pNMHDR, LRESULT* pResult)
{
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    // The tools' ids are rows, not commands: no string resource stands in for an empty text.
    const CKTProp* pProp = HitTest(point);
    m_strTipText = pProp != nullptr ? pProp->GetTooltipText(point) : CString();
    auto* pTTT = reinterpret_cast<TOOLTIPTEXTW*>(pNMHDR);
    pTTT->lpszText = const_cast<LPWSTR>(static_cast<LPCWSTR>(m_strTipText));
    *pResult = 0;
    return TRUE;
}

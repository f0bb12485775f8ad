#include "uitoolkit/widgets/KTHeaderCtrl.h"

#include "uitoolkit/looks/KTMemDC.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManager.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CKTHeaderCtrl, CHeaderCtrl)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_CANCELMODE()
ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

BOOL CKTHeaderCtrl::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

void CKTHeaderCtrl::OnPaint()
{
    CPaintDC dcPaint(this);
    CRect rectClient;
    GetClientRect(&rectClient);
    CKTMemDC memDC(dcPaint, rectClient);
    CDC* pDC = &memDC.GetDC();

    CKTVisualManager::GetInstance()->OnFillHeaderCtrlBackground(pDC, rectClient, this);
    CFont* pOldFont = pDC->SelectObject(&ktGlobals.m_fontText);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(ktGlobals.m_colorBarText);

    // Only the item under a held press counts as pressed.
    const BOOL bPressing = GetCapture() == this && (::GetKeyState(VK_LBUTTON) & 0x8000) != 0;
    int xLast = rectClient.left;
    const int nCount = GetItemCount();
    for (int i = 0; i < nCount; i++)
    {
        CRect rectItem;
        if (!GetItemRect(i, rectItem))
            continue;
        CRgn rgnClip;
        rgnClip.CreateRectRgnIndirect(&rectItem);
        pDC->SelectClipRgn(&rgnClip);
        const BOOL bHot = i == m_nHighlightedItem;
        OnDrawItem(pDC, i, rectItem, bPressing && bHot, bHot);
        pDC->SelectClipRgn(nullptr);
        xLast = std::max(xLast, (int)rectItem.right);
    }
    CRect rectRest = rectClient;
    rectRest.left = xLast;
    if (rectRest.Width() > 0)
    {
        CRgn rgnClip;
        rgnClip.CreateRectRgnIndirect(&rectRest);
        pDC->SelectClipRgn(&rgnClip);
        OnDrawItem(pDC, -1, rectRest, FALSE, FALSE);
        pDC->SelectClipRgn(nullptr);
    }
    pDC->SelectObject(pOldFont);
}

void CKTHeaderCtrl::OnDrawItem(CDC* pDC, int iItem, CRect rect, BOOL bIsPressed, BOOL bIsHighlighted)
{
    CKTVisualManager::GetInstance()->OnDrawHeaderCtrlBorder(pDC, rect, bIsPressed, bIsHighlighted, this);
    if (iItem < 0)
        return;
    TCHAR szText[256] = {0};
    HDITEM hdItem{};
    hdItem.mask = HDI_TEXT | HDI_FORMAT;
    hdItem.pszText = szText;
    hdItem.cchTextMax = 255;
    if (!GetItem(iItem, &hdItem))
        return;
    UINT uiFormat = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
    if ((hdItem.fmt & HDF_JUSTIFYMASK) == HDF_CENTER)
        uiFormat |= DT_CENTER;
    else if ((hdItem.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT)
        uiFormat |= DT_RIGHT;
    rect.DeflateRect(5, 0);
    if (bIsPressed)
        rect.OffsetRect(1, 1);
    if (hdItem.fmt & (HDF_SORTUP | HDF_SORTDOWN))
    {
        // The sort triangle at the item's right end; the text keeps clear of it.
        const int kArrowWidth = 8;
        const int kArrowHeight = 5;
        CRect rectArrow(rect.right - kArrowWidth, rect.CenterPoint().y - kArrowHeight / 2, rect.right,
                        rect.CenterPoint().y - kArrowHeight / 2 + kArrowHeight);
        if (rectArrow.left > rect.left)
        {
            CKTVisualManager::GetInstance()->OnDrawHeaderCtrlSortArrow(pDC, rectArrow, (hdItem.fmt & HDF_SORTUP) != 0);
            rect.right = rectArrow.left - 4;
        }
    }
    pDC->DrawText(szText, -1, rect, uiFormat);
}

void CKTHeaderCtrl::SetHot(int nItem)
{
    if (nItem == m_nHighlightedItem)
        return;
    m_nHighlightedItem = nItem;
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CKTHeaderCtrl::OnLButtonDown(UINT /*nFlags*/, CPoint /*point*/)
{
    Default();
}

void CKTHeaderCtrl::OnLButtonUp(UINT /*nFlags*/, CPoint /*point*/)
{
    Default();
}

void CKTHeaderCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    if ((nFlags & MK_LBUTTON) == 0)
    {
        HDHITTESTINFO hdHitTestInfo{};
        hdHitTestInfo.pt = point;
        const int nHit = static_cast<int>(SendMessage(HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hdHitTestInfo)));
        const int nItem = (hdHitTestInfo.flags & HHT_ONHEADER) != 0 ? nHit : -1;
        if (!m_bTracked)
        {
            m_bTracked = TRUE;
            TRACKMOUSEEVENT trackEvent{sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hWnd, 0};
            ::TrackMouseEvent(&trackEvent);
        }
        SetHot(nItem);
    }
    Default();
}

void CKTHeaderCtrl::OnMouseLeave()
{
    m_bTracked = FALSE;
    SetHot(-1);
}

void CKTHeaderCtrl::OnCancelMode()
{
    Default();
    m_bTracked = FALSE;
    SetHot(-1);
}

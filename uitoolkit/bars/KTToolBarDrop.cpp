// The toolbar as the place a dragged button lands: where it would go and the marker that shows
// it, and the drop itself (a new button, a copy, a move within the bar or a group separator).
#include "uitoolkit/bars/KTToolBar.h"

#include "uitoolkit/customize/KTButtonDragDrop.h"

#include <memory>

namespace
{
// The marker is this thick across the edge it marks.
const int kMarkerHalf = 3;
// A drop of a button on its own place this far from the press adds or removes a group separator.
const int kSeparatorToggleDistance = 6;
const int kRowGapDrop = 5;

// The rectangle shifted, not shrunk, to lie inside the bounds.
CRect KeepInside(CRect rect, const CRect& rectBounds)
{
    if (rect.left < rectBounds.left)
        rect.OffsetRect(rectBounds.left - rect.left, 0);
    if (rect.right > rectBounds.right)
        rect.OffsetRect(rectBounds.right - rect.right, 0);
    if (rect.top < rectBounds.top)
        rect.OffsetRect(0, rectBounds.top - rect.top);
    if (rect.bottom > rectBounds.bottom)
        rect.OffsetRect(0, rectBounds.bottom - rect.bottom);
    return rect;
}
} // namespace

DROPEFFECT CKTToolBar::OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    CKTToolbarDropSource::GetInstance().m_bDragOutsideToolbars = FALSE;
    m_iDropIndex = -1;
    return OnDragOver(pDataObject, dwKeyState, point);
}

DROPEFFECT CKTToolBar::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (m_bLocked)
        return DROPEFFECT_NONE;
    std::unique_ptr<CKTToolbarButton> pButton(CKTToolbarButton::CreateFromOleData(pDataObject));
    if (pButton == nullptr || !pButton->CanBeDropped(this))
        return DROPEFFECT_NONE;
    if (m_pDragButton == nullptr && m_iSelected >= 0)
        SelectButton(-1);

    CRect rectDrag;
    const int iIndex = FindDropIndex(point, rectDrag);
    if (rectDrag != m_rectDrag)
    {
        CRect rectOld = m_rectDrag;
        rectOld.InflateRect(2, 2);
        InvalidateRect(&rectOld);
        CRect rectNew = rectDrag;
        rectNew.InflateRect(2, 2);
        InvalidateRect(&rectNew);
    }
    m_iDropIndex = iIndex;
    m_rectDrag = rectDrag;

    const int iHot = HitTest(point);
    if (iHot != m_iHighlighted)
    {
        const int iOld = m_iHighlighted;
        m_iHighlighted = iHot;
        m_iHot = iHot;
        InvalidateButton(iOld);
        InvalidateButton(iHot);
    }
    UpdateWindow();
    if (iIndex < 0)
        return DROPEFFECT_NONE;
    return (dwKeyState & MK_CONTROL) != 0 ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

void CKTToolBar::EraseDragMarker()
{
    if (!m_rectDrag.IsRectEmpty() && GetSafeHwnd() != nullptr)
    {
        CRect rect = m_rectDrag;
        rect.InflateRect(2, 2);
        InvalidateRect(&rect);
    }
    m_rectDrag.SetRectEmpty();
    m_iDropIndex = -1;
}

void CKTToolBar::OnDragLeave()
{
    CKTToolbarDropSource::GetInstance().m_bDragOutsideToolbars = TRUE;
    EraseDragMarker();
    const int iOld = m_iHighlighted;
    m_iHighlighted = -1;
    m_iHot = -1;
    InvalidateButton(iOld);
    if (GetSafeHwnd() != nullptr)
        UpdateWindow();
}

int CKTToolBar::FindDropIndex(const CPoint point, CRect& rectDrag) const
{
    CRect rectClient;
    GetClientRect(&rectClient);
    rectDrag.SetRectEmpty();
    int nReal = GetCount();
    if (m_pCustomizeBtn != nullptr && nReal > 0)
        nReal--;
    if (nReal <= 0)
    {
        rectDrag = rectClient;
        return 0;
    }

    int iIndex = -1;
    int iLastVisible = -1;
    CRect rectRef;
    int nEdge = 0;
    if (!IsHorizontal())
    {
        for (int i = 0; i < nReal && iIndex < 0; i++)
        {
            const CRect rect = GetButton(i)->m_rect;
            if (GetButton(i)->m_bHidden)
                continue;
            iLastVisible = i;
            if (rect.top > point.y)
            {
                iIndex = i;
                nEdge = rect.top;
            }
            else if (point.y < rect.bottom)
            {
                const BOOL bUpper = point.y - rect.top < rect.bottom - point.y;
                iIndex = bUpper ? i : i + 1;
                nEdge = bUpper ? rect.top : rect.bottom;
            }
        }
        if (iIndex < 0)
        {
            if (iLastVisible < 0)
            {
                rectDrag = rectClient;
                return 0;
            }
            iIndex = iLastVisible + 1;
            nEdge = GetButton(iLastVisible)->m_rect.bottom;
        }
        rectDrag.SetRect(rectClient.left, nEdge - kMarkerHalf, rectClient.right, nEdge + kMarkerHalf);
        rectDrag = KeepInside(rectDrag, rectClient);
        return iIndex;
    }

    const int iRow = std::max<int>(0, point.y - rectClient.top) / (GetRowHeight() + kRowGapDrop);
    int iRowNow = 0;
    int iLastInRow = -1;
    for (int i = 0; i < nReal && iIndex < 0; i++)
    {
        const CKTToolbarButton* pButton = GetButton(i);
        const CRect rect = pButton->m_rect;
        if (!pButton->m_bHidden)
        {
            iLastVisible = i;
            if (iRowNow == iRow)
            {
                if (rect.left > point.x)
                {
                    iIndex = i;
                    nEdge = rect.left;
                    rectRef = rect;
                }
                else if (point.x < rect.right)
                {
                    const BOOL bLeft = point.x - rect.left < rect.right - point.x;
                    iIndex = bLeft ? i : i + 1;
                    nEdge = bLeft ? rect.left : rect.right;
                    rectRef = rect;
                }
                else
                {
                    iLastInRow = i;
                }
            }
        }
        if (pButton->m_bWrap)
        {
            if (iRowNow == iRow)
                break;
            iRowNow++;
        }
    }
    if (iIndex < 0)
    {
        // Right of the row's last button, or below the last row: after the last button.
        const int iAfter = iLastInRow >= 0 ? iLastInRow : iLastVisible;
        if (iAfter < 0)
        {
            rectDrag = rectClient;
            return 0;
        }
        iIndex = iAfter + 1;
        rectRef = GetButton(iAfter)->m_rect;
        nEdge = rectRef.right;
    }
    rectDrag.SetRect(nEdge - kMarkerHalf, rectRef.top, nEdge + kMarkerHalf, rectRef.bottom);
    rectDrag = KeepInside(rectDrag, rectClient);
    return iIndex;
}

void CKTToolBar::DrawDragMarker(CDC* pDC)
{
    if (m_rectDrag.IsRectEmpty())
        return;
    CPen* pOldPen = pDC->SelectObject(&m_penSeparator);
    const CRect& r = m_rectDrag;
    const BOOL bStemDown = r.Height() >= r.Width();
    for (int iOffset = 0; iOffset < 2; iOffset++)
    {
        if (bStemDown)
        {
            const int x = r.left + r.Width() / 2 - 1 + iOffset;
            pDC->MoveTo(x, r.top);
            pDC->LineTo(x, r.bottom);
            pDC->MoveTo(r.left, r.top + iOffset);
            pDC->LineTo(r.right, r.top + iOffset);
            pDC->MoveTo(r.left, r.bottom - 1 - iOffset);
            pDC->LineTo(r.right, r.bottom - 1 - iOffset);
        }
        else
        {
            const int y = r.top + r.Height() / 2 - 1 + iOffset;
            pDC->MoveTo(r.left, y);
            pDC->LineTo(r.right, y);
            pDC->MoveTo(r.left + iOffset, r.top);
            pDC->LineTo(r.left + iOffset, r.bottom);
            pDC->MoveTo(r.right - 1 - iOffset, r.top);
            pDC->LineTo(r.right - 1 - iOffset, r.bottom);
        }
    }
    pDC->SelectObject(pOldPen);
}

BOOL CKTToolBar::OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    int iDropIndex = m_iDropIndex;
    EraseDragMarker();
    if (iDropIndex < 0)
        return FALSE;
    std::unique_ptr<CKTToolbarButton> pButton(CreateDroppedButton(pDataObject));
    if (pButton == nullptr)
        return FALSE;

    const int iDragged = m_pDragButton != nullptr && !m_bStretchButton ? ButtonToIndex(m_pDragButton) : -1;
    if (iDragged >= 0 && dropEffect == DROPEFFECT_MOVE)
    {
        // The drag source must find nothing left to remove: the bar takes care of the move.
        m_pDragButton = nullptr;
        if (iDropIndex == iDragged || iDropIndex == iDragged + 1)
        {
            const int nMoved = IsHorizontal() ? point.x - m_ptStartDrag.x : point.y - m_ptStartDrag.y;
            const BOOL bSeparatorBefore = iDragged > 0 && GetButton(iDragged - 1)->IsSeparator();
            if (nMoved <= -kSeparatorToggleDistance && bSeparatorBefore)
                RemoveButton(iDragged - 1);
            else if (nMoved >= kSeparatorToggleDistance && !bSeparatorBefore && iDragged > 0)
                InsertSeparator(iDragged);
            AdjustLayout();
            Invalidate();
            return TRUE;
        }
        // The button that the drop came before keeps its place in the row, whatever the removal
        // of the dragged one tidies away.
        CKTToolbarButton* pBefore = GetButton(iDropIndex);
        RemoveButton(iDragged);
        const int iBefore = pBefore != nullptr ? ButtonToIndex(pBefore) : -1;
        if (iBefore >= 0)
            iDropIndex = iBefore;
        else
        {
            if (iDropIndex > iDragged)
                iDropIndex--;
            iDropIndex = std::min(iDropIndex, GetCount());
        }
    }
    if (InsertButton(pButton.get(), iDropIndex) < 0)
        return FALSE;
    pButton.release();
    AdjustLayout();
    SelectButton(-1);
    Invalidate();
    return TRUE;
}

CKTToolbarButton* CKTToolBar::CreateDroppedButton(COleDataObject* pDataObject)
{
    std::unique_ptr<CKTToolbarButton> pButton(CKTToolbarButton::CreateFromOleData(pDataObject));
    if (pButton == nullptr)
        return nullptr;
    const int iTab = pButton->m_strText.Find(L'\t');
    if (iTab >= 0)
        pButton->m_strText = pButton->m_strText.Left(iTab);
    if (!pButton->IsDragFromCollection())
    {
        const BOOL bHasImage = pButton->GetImage() >= 0;
        pButton->m_bImage = bHasImage;
        pButton->m_bText = !bHasImage;
    }
    else if (pButton->GetImage() < 0 && pButton->m_strText.IsEmpty())
    {
        if (m_pfnButtonAppearance == nullptr || !m_pfnButtonAppearance(pButton.get(), this))
            return nullptr;
    }
    pButton->SetDragFromCollection(FALSE);
    return pButton.release();
}

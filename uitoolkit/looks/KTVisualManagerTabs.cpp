// The base look's tab window parts.
#include "uitoolkit/bars/KTTabWnd.h"
#include "uitoolkit/customize/KTButton.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManager.h"

namespace
{
// The colour of the active tab of a slanted tab window, -1 when it has none.
COLORREF ActiveSlantedColor(const CKTTabWnd* pTabWnd)
{
    if (pTabWnd == nullptr || !pTabWnd->IsSlantedStyle())
        return (COLORREF)-1;
    return pTabWnd->GetTabBkColor(pTabWnd->GetActiveTab());
}

void DrawLines(CDC* pDC, CPen* pPen, const POINT* pts, int nCount)
{
    CPen* pOld = pDC->SelectObject(pPen);
    pDC->MoveTo(pts[0]);
    for (int i = 1; i < nCount; i++)
        pDC->LineTo(pts[i]);
    pDC->SelectObject(pOld);
}
} // namespace

void CKTVisualManager::OnEraseTabsArea(CDC* pDC, CRect rect, const CKTTabWnd* pTabWnd)
{
    pDC->FillRect(rect, &ktGlobals.m_brushBarFace);
    const COLORREF clrActive = ActiveSlantedColor(pTabWnd);
    if (clrActive != (COLORREF)-1)
    {
        CRect rectBottom = rect;
        rectBottom.top = rect.bottom - 2;
        pDC->FillSolidRect(&rectBottom, clrActive);
    }
}

void CKTVisualManager::OnDrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, const CKTTabWnd* pTabWnd)
{
    if (pTabWnd == nullptr)
        return;
    const BOOL bBottom = pTabWnd->GetLocation() == CKTTabWnd::LOCATION_BOTTOM;
    const int nHalf = pTabWnd->GetTabsHeight() / 2;
    CRect rectContent = rectTab;

    if (pTabWnd->IsFlatTab() || pTabWnd->IsSlantedStyle())
    {
        COLORREF clrFill = pTabWnd->GetTabBkColor(iTab);
        if (clrFill == (COLORREF)-1)
            clrFill = ktGlobals.m_colorFace;
        const int nEdge = bBottom ? rectTab.top : rectTab.bottom - 1;
        const int nFar = bBottom ? rectTab.bottom - 1 : rectTab.top;
        POINT pts[4];
        if (pTabWnd->IsFlatTab())
        {
            pts[0] = {rectTab.left, nEdge};
            pts[1] = {rectTab.left + nHalf, nFar};
            pts[2] = {rectTab.right - nHalf, nFar};
            pts[3] = {rectTab.right, nEdge};
            rectContent.DeflateRect(nHalf, 0);
        }
        else
        {
            const int nSlant = pTabWnd->GetTabsHeight();
            pts[0] = {rectTab.left, nEdge};
            pts[1] = {rectTab.left + nSlant, nFar};
            pts[2] = {rectTab.right - 1, nFar};
            pts[3] = {rectTab.right - 1, nEdge};
            rectContent.left += nSlant;
        }
        CBrush brush;
        brush.CreateSolidBrush(clrFill);
        CPen pen(PS_SOLID, 1, ktGlobals.m_colorBarDarkShadow);
        CBrush* pOldBrush = pDC->SelectObject(&brush);
        CPen* pOldPen = pDC->SelectObject(&pen);
        pDC->Polygon(pts, 4);
        pDC->SelectObject(pOldPen);
        pDC->SelectObject(pOldBrush);
    }
    else
    {
        // 3-D: bevelled corners; the active tab joins the windows area, the others stand back.
        if (!bIsActive)
        {
            if (bBottom)
                rectTab.bottom -= 2;
            else
                rectTab.top += 2;
        }
        else
        {
            CRect rectFill = rectTab;
            pDC->FillRect(rectFill, &ktGlobals.m_brushBarFace);
        }
        CPen penLight(PS_SOLID, 1, ktGlobals.m_colorBarHighlight);
        CPen penShadow(PS_SOLID, 1, ktGlobals.m_colorBarShadow);
        const int L = rectTab.left, R = rectTab.right - 1;
        if (bBottom)
        {
            const int T = rectTab.top, B = rectTab.bottom - 1;
            const POINT light[] = {{L, T}, {L, B - 2}, {L + 2, B}};
            const POINT shadow[] = {{L + 2, B}, {R - 2, B}, {R, B - 2}, {R, T - 1}};
            DrawLines(pDC, &penLight, light, 3);
            DrawLines(pDC, &penShadow, shadow, 4);
        }
        else
        {
            const int T = rectTab.top, B = rectTab.bottom;
            const POINT light[] = {{L, B}, {L, T + 2}, {L + 2, T}, {R - 2, T}};
            const POINT shadow[] = {{R - 2, T}, {R, T + 2}, {R, B}};
            DrawLines(pDC, &penLight, light, 4);
            DrawLines(pDC, &penShadow, shadow, 3);
        }
    }
    OnDrawTabContent(pDC, rectContent, iTab, bIsActive, pTabWnd, pTabWnd->GetTabTextColor(iTab));
}

void CKTVisualManager::OnDrawTabContent(CDC* pDC, CRect rectTab, int iTab, BOOL, const CKTTabWnd* pTabWnd,
                                        COLORREF clrText)
{
    if (pTabWnd == nullptr)
        return;
    pDC->SetTextColor(clrText != (COLORREF)-1 ? clrText : ktGlobals.m_colorBarText);
    CString strLabel;
    pTabWnd->GetTabLabel(iTab, strLabel);
    const UINT uiNoPrefix = pTabWnd->GetDisplayFlag() ? DT_NOPREFIX : 0;
    if (pTabWnd->IsFlatTab())
    {
        pDC->DrawText(strLabel, rectTab, DT_CENTER | DT_VCENTER | DT_SINGLELINE | uiNoPrefix);
        return;
    }
    const int nMargin = CKTTabWnd::TAB_IMAGE_MARGIN;
    const UINT uiIcon = pTabWnd->GetTabIcon(iTab);
    const CSize sizeImage = pTabWnd->GetImageSize();
    CRect rectText = rectTab;
    rectText.left += nMargin;
    if (pTabWnd->GetImageList() != nullptr && uiIcon != (UINT)-1)
    {
        if (rectTab.Width() > sizeImage.cx + nMargin)
            ImageList_Draw(pTabWnd->GetImageList(), (int)uiIcon, pDC->GetSafeHdc(), rectTab.left + nMargin,
                           rectTab.top + (rectTab.Height() - sizeImage.cy) / 2, ILD_TRANSPARENT);
        rectText.left += sizeImage.cx + nMargin;
    }
    rectText.right -= nMargin;
    UINT uiFlags = DT_END_ELLIPSIS | DT_VCENTER | DT_SINGLELINE | uiNoPrefix;
    if (pTabWnd->IsSlantedStyle())
        uiFlags |= DT_CENTER;
    pDC->DrawText(strLabel, rectText, uiFlags);
}

void CKTVisualManager::OnEraseTabsButton(CDC* pDC, CRect rect, CKTButton*, const CKTTabWnd*)
{
    pDC->FillRect(rect, &ktGlobals.m_brushBarFace);
}

void CKTVisualManager::OnDrawTabsButtonBorder(CDC* pDC, CRect& rect, CKTButton* pButton, UINT uiState, const CKTTabWnd*)
{
    const BOOL bPressed =
        (pButton != nullptr && pButton->IsPushed() && pButton->IsHighlighted()) || (uiState & ODS_SELECTED);
    if (bPressed)
    {
        pDC->Draw3dRect(rect, ktGlobals.m_colorDarkShadow, ktGlobals.m_colorHighlight);
        rect.left += 2;
        rect.top += 2;
    }
    else
        pDC->Draw3dRect(rect, ktGlobals.m_colorHighlight, ktGlobals.m_colorDarkShadow);
    rect.DeflateRect(2, 2);
}

void CKTVisualManager::GetTabFrameColors(const CKTTabWnd* pTabWnd, COLORREF& clrDark, COLORREF& clrBlack,
                                         COLORREF& clrHighlight, COLORREF& clrFace, COLORREF& clrDarkShadow,
                                         COLORREF& clrLight, CBrush*& pbrFace, CBrush*& pbrBlack)
{
    clrDark = ktGlobals.m_colorBarShadow;
    clrBlack = ktGlobals.m_colorBarText;
    clrHighlight = ktGlobals.m_colorBarHighlight;
    const COLORREF clrActive = ActiveSlantedColor(pTabWnd);
    clrFace = clrActive != (COLORREF)-1 ? clrActive : ktGlobals.m_colorBarFace;
    clrDarkShadow = ktGlobals.m_colorBarDarkShadow;
    clrLight = ktGlobals.m_colorBarLight;
    pbrFace = &ktGlobals.m_brushBarFace;
    pbrBlack = &ktGlobals.m_brushDarkShadow;
}

BOOL CKTVisualManager::OnEraseTabsFrame(CDC* pDC, CRect rect, const CKTTabWnd* pTabWnd)
{
    const COLORREF clrActive = ActiveSlantedColor(pTabWnd);
    if (clrActive == (COLORREF)-1)
        return FALSE;
    pDC->FillSolidRect(&rect, clrActive);
    return TRUE;
}

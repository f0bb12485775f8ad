// The XP look's tab window parts: 3-D tab windows get the look's own tab area and tabs; flat and
// slanted ones keep the base look.
#include "uitoolkit/bars/KTTabWnd.h"
#include "uitoolkit/customize/KTButton.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManagerXP.h"

namespace
{
BOOL Is3dTabWnd(const CKTTabWnd* pTabWnd)
{
    return pTabWnd != nullptr && !pTabWnd->IsFlatTab();
}
} // namespace

void CKTVisualManagerXP::OnEraseTabsArea(CDC* pDC, CRect rect, const CKTTabWnd* pTabWnd)
{
    if (!Is3dTabWnd(pTabWnd))
    {
        CKTVisualManager::OnEraseTabsArea(pDC, rect, pTabWnd);
        return;
    }
    pDC->FillRect(rect, &m_brTabBack);
    if (pTabWnd->GetLocation() == CKTTabWnd::LOCATION_BOTTOM)
    {
        CPen pen(PS_SOLID, 1, ktGlobals.m_colorBarHighlight);
        CPen* pOld = pDC->SelectObject(&pen);
        pDC->MoveTo(rect.left, rect.top);
        pDC->LineTo(rect.right, rect.top);
        pDC->SelectObject(pOld);
    }
}

void CKTVisualManagerXP::OnDrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, const CKTTabWnd* pTabWnd)
{
    if (!Is3dTabWnd(pTabWnd) || pTabWnd->IsSlantedStyle())
    {
        CKTVisualManager::OnDrawTab(pDC, rectTab, iTab, bIsActive, pTabWnd);
        return;
    }
    COLORREF clrDark, clrBlack, clrHighlight, clrFace, clrDarkShadow, clrLight;
    CBrush* pbrFace = nullptr;
    CBrush* pbrBlack = nullptr;
    GetTabFrameColors(pTabWnd, clrDark, clrBlack, clrHighlight, clrFace, clrDarkShadow, clrLight, pbrFace, pbrBlack);
    CPen penDark(PS_SOLID, 1, clrDark);
    CPen penBlack(PS_SOLID, 1, clrBlack);
    CPen penHighlight(PS_SOLID, 1, clrHighlight);
    CPen* pOldPen = pDC->SelectObject(&penDark);

    const int L = rectTab.left, T = rectTab.top, R = rectTab.right, B = rectTab.bottom;
    if (iTab != pTabWnd->GetActiveTab() - 1)
    {
        pDC->MoveTo(R, T + 3);
        pDC->LineTo(R, B - 3);
    }
    if (bIsActive)
    {
        if (pTabWnd->GetLocation() == CKTTabWnd::LOCATION_BOTTOM)
        {
            CRect rectFill(L, T - (pTabWnd->m_bFlatFrame ? 1 : 2), R, B);
            if (pbrFace != nullptr)
                pDC->FillRect(rectFill, pbrFace);
            pDC->SelectObject(&penBlack);
            pDC->MoveTo(R, T);
            pDC->LineTo(R, B);
            pDC->LineTo(L, B);
            pDC->SelectObject(&penHighlight);
            pDC->LineTo(L, T);
        }
        else
        {
            CRect rectFill(L + 1, T, R, B + 1);
            if (pbrFace != nullptr)
                pDC->FillRect(rectFill, pbrFace);
            pDC->SelectObject(&penBlack);
            pDC->MoveTo(R, B);
            pDC->LineTo(R, T - 1);
            pDC->SelectObject(&penHighlight);
            pDC->MoveTo(R, T);
            pDC->LineTo(L, T);
            pDC->LineTo(L, B);
        }
    }
    pDC->SelectObject(pOldPen);

    const COLORREF clrOwn = pTabWnd->GetTabTextColor(iTab);
    OnDrawTabContent(pDC, rectTab, iTab, bIsActive, pTabWnd,
                     clrOwn != (COLORREF)-1 ? clrOwn
                     : bIsActive            ? ktGlobals.m_colorBarText
                                            : m_clrInactiveTabText);
}

void CKTVisualManagerXP::OnEraseTabsButton(CDC* pDC, CRect rect, CKTButton* pButton, const CKTTabWnd* pTabWnd)
{
    if (Is3dTabWnd(pTabWnd))
    {
        pDC->FillRect(rect, &m_brTabBack);
        return;
    }
    CBrush* pBrush = &ktGlobals.m_brushBarFace;
    if (pButton != nullptr && pButton->IsHighlighted())
        pBrush = pButton->IsPushed() ? &m_brHighlightDn : &m_brHighlight;
    OnFillHighlightedArea(pDC, rect, pBrush, nullptr);
}

void CKTVisualManagerXP::OnDrawTabsButtonBorder(CDC* pDC, CRect& rect, CKTButton* pButton, UINT,
                                                const CKTTabWnd* pTabWnd)
{
    const BOOL bPushed = pButton != nullptr && pButton->IsPushed();
    const BOOL bHighlighted = pButton != nullptr && pButton->IsHighlighted();
    if (Is3dTabWnd(pTabWnd))
    {
        if (bPushed && bHighlighted)
            pDC->Draw3dRect(rect, ktGlobals.m_colorBarDarkShadow, m_clrGripper);
        else if (bHighlighted)
            pDC->Draw3dRect(rect, m_clrGripper, ktGlobals.m_colorBarDarkShadow);
    }
    else if (bPushed || bHighlighted)
        pDC->Draw3dRect(rect, ktGlobals.m_colorBarDarkShadow, ktGlobals.m_colorBarDarkShadow);
    rect.DeflateRect(2, 2);
}

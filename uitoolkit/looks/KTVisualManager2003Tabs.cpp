// The 2003 look's tab window parts: 3-D tab windows get gradient frames, areas and scroll buttons
// and frame colours from the bar dark shadow; flat ones, and every tab window on a palette
// screen, keep the XP look.
#include "uitoolkit/bars/KTTabWnd.h"
#include "uitoolkit/customize/KTButton.h"
#include "uitoolkit/looks/KTDrawHelper.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManager2003.h"

#include <utility>

namespace
{
BOOL IsGradientTabWnd(const CKTTabWnd* pTabWnd)
{
    return pTabWnd != nullptr && !pTabWnd->IsFlatTab() && ktGlobals.m_bitsPerPixel > 8;
}

COLORREF ActiveTabColor(const CKTTabWnd* pTabWnd)
{
    return pTabWnd->IsSlantedStyle() ? pTabWnd->GetTabBkColor(pTabWnd->GetActiveTab()) : (COLORREF)-1;
}
} // namespace

BOOL CKTVisualManager2003::OnEraseTabsFrame(CDC* pDC, CRect rect, const CKTTabWnd* pTabWnd)
{
    if (!IsGradientTabWnd(pTabWnd))
        return CKTVisualManagerXP::OnEraseTabsFrame(pDC, rect, pTabWnd);
    COLORREF first = ktGlobals.m_colorBarFace, second = ktGlobals.m_colorBarHighlight;
    const COLORREF active = ActiveTabColor(pTabWnd);
    if (active != (COLORREF)-1)
    {
        first = active;
        second = CKTDrawHelper::PixelAlpha(active, 130);
    }
    // The lighter end lies away from the tabs.
    if (pTabWnd->GetLocation() == CKTTabWnd::LOCATION_TOP)
        std::swap(first, second);
    CKTDrawHelper(pDC).FillGradient(rect, first, second, TRUE);
    return TRUE;
}

void CKTVisualManager2003::OnEraseTabsArea(CDC* pDC, CRect rect, const CKTTabWnd* pTabWnd)
{
    if (!IsGradientTabWnd(pTabWnd))
    {
        CKTVisualManagerXP::OnEraseTabsArea(pDC, rect, pTabWnd);
        return;
    }
    const BOOL bottom = pTabWnd->GetLocation() == CKTTabWnd::LOCATION_BOTTOM;
    CKTDrawHelper(pDC).FillGradient(rect, bottom ? m_clrToolBarGradientEnd : m_clrToolBarGradientStart,
                                    bottom ? m_clrToolBarGradientStart : m_clrToolBarGradientEnd, TRUE);
}

void CKTVisualManager2003::OnEraseTabsButton(CDC* pDC, CRect rect, CKTButton* pButton, const CKTTabWnd* pTabWnd)
{
    if (!IsGradientTabWnd(pTabWnd))
    {
        CKTVisualManagerXP::OnEraseTabsButton(pDC, rect, pButton, pTabWnd);
        return;
    }
    if (pButton != nullptr && pButton->IsHighlighted())
    {
        const BOOL pressed = pButton->IsPushed();
        if (m_clrMenuItemHighlight != (COLORREF)-1 && !pressed)
            pDC->FillSolidRect(rect, m_clrMenuItemHighlight);
        else
            CKTDrawHelper(pDC).FillGradient(rect, pressed ? m_clrPressedGradientStart : m_clrHighlightGradientStart,
                                            pressed ? m_clrPressed : m_clrHighlightGradientEnd, TRUE);
        return;
    }
    CKTDrawHelper(pDC).FillGradient(rect, m_clrToolBarGradientStart, m_clrToolBarGradientEnd, TRUE);
}

void CKTVisualManager2003::GetTabFrameColors(const CKTTabWnd* pTabWnd, COLORREF& clrDark, COLORREF& clrBlack,
                                             COLORREF& clrHighlight, COLORREF& clrFace, COLORREF& clrDarkShadow,
                                             COLORREF& clrLight, CBrush*& pbrFace, CBrush*& pbrBlack)
{
    CKTVisualManagerXP::GetTabFrameColors(pTabWnd, clrDark, clrBlack, clrHighlight, clrFace, clrDarkShadow, clrLight,
                                          pbrFace, pbrBlack);
    if (!IsGradientTabWnd(pTabWnd) || pTabWnd->IsSlantedStyle())
        return;
    clrDark = ktGlobals.m_colorBarDarkShadow;
    clrBlack = CKTDrawHelper::PixelAlpha(ktGlobals.m_colorBarDarkShadow, 80);
    clrDarkShadow = clrBlack;
}

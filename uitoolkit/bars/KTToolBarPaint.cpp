// The toolbar's painting: double-buffered, backgrounds and separators from the visual manager,
// buttons drawing themselves.
#include "uitoolkit/bars/KTToolBar.h"

#include "uitoolkit/bars/KTToolbarSpecialButtons.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManager.h"

BOOL CKTToolBar::IsButtonHighlighted(int iButton) const
{
    if (m_bCustomizeMode && !m_bLocked)
        return FALSE;
    if (m_bMenuMode)
        return iButton == m_iHighlighted;
    if (m_iButtonCapture >= 0 && m_iButtonCapture != iButton)
        return FALSE;
    return iButton == m_iHighlighted || iButton == m_iButtonCapture;
}

void CKTToolBar::InvalidateButton(int nIndex)
{
    if (GetSafeHwnd() == nullptr || GetButton(nIndex) == nullptr)
        return;
    CRect rect;
    GetInvalidateItemRect(nIndex, &rect);
    rect.InflateRect(10, 10);
    InvalidateRect(&rect);
    // The chevron may draw into a margin beyond the bar's client area.
    CCustomizeButton* pChevron = GetChevron();
    if (pChevron != nullptr && pChevron == GetButton(nIndex) && pChevron->GetExtraMargin() != 0)
    {
        rect.InflateRect(pChevron->GetExtraMargin(), pChevron->GetExtraMargin());
        RedrawWindow(&rect, nullptr, RDW_INVALIDATE | RDW_FRAME);
    }
}

void CKTToolBar::DrawSeparator(CDC* pDC, const CRect& rect, BOOL bHorz)
{
    CKTVisualManager::GetInstance()->OnDrawSeparator(pDC, this, rect, bHorz);
}

BOOL CKTToolBar::DrawButton(CDC* pDC, CKTToolbarButton* pButton, CKTImageStrip* pImages, BOOL bHighlighted,
                            BOOL bDrawDisabledImages)
{
    if (pButton->m_bHidden || !pDC->RectVisible(&pButton->m_rect))
        return TRUE;
    const BOOL bCustomizeLook = m_bCustomizeMode && !m_bLocked;
    pButton->OnDraw(pDC, pButton->m_rect, pImages, IsHorizontal(), bCustomizeLook, bHighlighted, m_bDrawBorders,
                    m_bGrayDisabledButtons && !bDrawDisabledImages);
    return TRUE;
}

CKTImageStrip* CKTToolBar::PickStrip(CKTToolbarButton* pButton, BOOL bHighlighted, BOOL& bFromDisabled)
{
    bFromDisabled = FALSE;
    if (pButton->m_bUserButton)
        return m_pUserImages;
    const BOOL bLarge = m_bLargeIcons && m_bLargeIconsAreEnbaled;
    CKTImageStrip* pDefault;
    CKTImageStrip* pCold;
    CKTImageStrip* pDisabled;
    if (m_bLocked)
    {
        pDefault = bLarge && m_LargeImagesLocked.GetCount() > 0 ? &m_LargeImagesLocked : &m_ImagesLocked;
        pCold = bLarge ? &m_LargeColdImagesLocked : &m_ColdImagesLocked;
        pDisabled = bLarge ? &m_LargeDisabledImagesLocked : &m_DisabledImagesLocked;
    }
    else
    {
        pDefault = bLarge && m_LargeImages.GetCount() > 0 ? &m_LargeImages : &m_Images;
        pCold = bLarge ? &m_LargeColdImages : &m_ColdImages;
        pDisabled = bLarge ? &m_LargeDisabledImages : &m_DisabledImages;
    }
    const BOOL bDisabled = (pButton->m_nStyle & TBBS_DISABLED) && !m_bCustomizeMode;
    if (m_bMenuMode)
    {
        CKTImageStrip* pMenu = m_bLocked ? &m_MenuImagesLocked : &m_MenuImages;
        CKTImageStrip* pMenuDisabled = m_bLocked ? &m_MenuImagesLockedDisabled : &m_DisabledMenuImages;
        if (bDisabled && pMenuDisabled->GetCount() > 0)
        {
            bFromDisabled = TRUE;
            return pMenuDisabled;
        }
        if (pMenu->GetCount() > 0)
            return pMenu;
    }
    if (bDisabled && pDisabled->GetCount() > 0)
    {
        bFromDisabled = TRUE;
        return pDisabled;
    }
    if (!bHighlighted && !(pButton->m_nStyle & TBBS_PRESSED) && !pButton->IsDroppedDown() && pCold->GetCount() > 0)
        return pCold;
    return pDefault;
}

void CKTToolBar::DoPaint(CDC* pDCPaint)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    if (rectClient.IsRectEmpty())
        return;
    CRect rectClip;
    pDCPaint->GetClipBox(&rectClip);

    CDC dcMem;
    dcMem.CreateCompatibleDC(pDCPaint);
    CBitmap bmpMem;
    bmpMem.CreateCompatibleBitmap(pDCPaint, rectClient.Width(), rectClient.Height());
    CBitmap* pOldBmp = dcMem.SelectObject(&bmpMem);
    CDC* pDC = &dcMem;
    ::IntersectClipRect(pDC->GetSafeHdc(), rectClip.left, rectClip.top, rectClip.right, rectClip.bottom);

    CKTVisualManager* pLook = CKTVisualManager::GetInstance();
    if (GetStyle() & 0x8000)
        m_NcPainter.DrawParentBackground(pDC);
    else
        pLook->OnFillBarBackground(pDC, this, rectClient, rectClip);

    const BOOL bHorz = IsHorizontal();
    CFont* pOldFont = pDC->SelectObject(bHorz ? &ktGlobals.m_fontText : &ktGlobals.m_fontRotated270);
    CKTImageStrip* pCurrent = nullptr;
    CKTDrawState ds;
    BOOL bDrawing = FALSE;
    const CSize sizeImageDest = m_bMenuMode ? GetMenuImageSize() : GetImageSize();

    int i = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; i++)
    {
        CKTToolbarButton* pButton = static_cast<CKTToolbarButton*>(m_Buttons.GetNext(pos));
        if (pButton->m_bHidden)
            continue;
        if (pButton->IsSeparator())
        {
            if (pButton->m_bWrap && bHorz)
            {
                const CRect rectLine(rectClient.left, pButton->m_rect.bottom, rectClient.right,
                                     pButton->m_rect.bottom + 5);
                DrawSeparator(pDC, rectLine, FALSE);
            }
            else if (!pButton->m_rect.IsRectEmpty())
                DrawSeparator(pDC, pButton->m_rect, bHorz);
            continue;
        }
        if (!CRect().IntersectRect(&pButton->m_rect, &rectClip))
            continue;
        const BOOL bHighlighted = IsButtonHighlighted(i);
        BOOL bFromDisabled = FALSE;
        CKTImageStrip* pStrip = PickStrip(pButton, bHighlighted, bFromDisabled);
        if (pStrip != pCurrent)
        {
            if (bDrawing)
                pCurrent->EndDrawImage(ds);
            bDrawing = pStrip != nullptr && pStrip->PrepareDrawImage(ds, sizeImageDest);
            pCurrent = pStrip;
        }
        DrawButton(pDC, pButton, bDrawing ? pStrip : nullptr, bHighlighted, bFromDisabled);
    }
    if (bDrawing)
        pCurrent->EndDrawImage(ds);

    if (m_bCustomizeMode && m_pSelToolbar == this && !m_bLocked)
    {
        CKTToolbarButton* pSelected = GetButton(m_iSelected);
        if (pSelected != nullptr && pSelected->CanBeStored())
        {
            CRect rect = pSelected->m_rect;
            if (pSelected->GetHwnd() != nullptr)
                rect.InflateRect(0, 1);
            pDC->Draw3dRect(rect, ktGlobals.m_colorBarShadow, ktGlobals.m_colorBarShadow);
            rect.DeflateRect(1, 1);
            pDC->Draw3dRect(rect, ktGlobals.m_colorBarShadow, ktGlobals.m_colorBarShadow);
        }
    }
    if (m_bCustomizeMode && m_iDropIndex >= 0)
        DrawDragMarker(pDC);
    pDC->SelectObject(pOldFont);
    pDCPaint->BitBlt(rectClip.left, rectClip.top, rectClip.Width(), rectClip.Height(), pDC, rectClip.left, rectClip.top,
                     SRCCOPY);
    dcMem.SelectObject(pOldBmp);
}

BOOL CKTToolBar::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CKTToolBar::OnNcPaint()
{
    m_NcPainter.DrawNcArea();
}

void CKTToolBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    CRect rect(lpncsp->rgrc[0]);
    m_NcPainter.CalcNcSize(rect);
    lpncsp->rgrc[0] = rect;
}

void CKTToolBar::OnSysColorChange()
{
    ktGlobals.UpdateSysColors();
    CKTVisualManager::GetInstance()->OnUpdateSystemColors();
    CKTImageStrip* strips[] = {&m_Images,
                               &m_ColdImages,
                               &m_MenuImages,
                               &m_DisabledImages,
                               &m_DisabledMenuImages,
                               &m_LargeImages,
                               &m_LargeColdImages,
                               &m_LargeDisabledImages,
                               &m_ImagesLocked,
                               &m_ColdImagesLocked,
                               &m_DisabledImagesLocked,
                               &m_LargeImagesLocked,
                               &m_LargeColdImagesLocked,
                               &m_LargeDisabledImagesLocked,
                               &m_MenuImagesLocked,
                               &m_MenuImagesLockedDisabled};
    for (CKTImageStrip* pStrip : strips)
        pStrip->OnSysColorChange();
    if (m_pUserImages != nullptr)
        m_pUserImages->OnSysColorChange();
    m_penSeparator.DeleteObject();
    m_penSeparator.CreatePen(PS_SOLID, 1, ktGlobals.m_colorBarShadow);
    Invalidate();
}

void CKTToolBar::OnSettingChange(UINT uFlags, LPCTSTR)
{
    if (uFlags == SPI_SETNONCLIENTMETRICS)
    {
        ktGlobals.UpdateFonts();
        AdjustLayout();
    }
}

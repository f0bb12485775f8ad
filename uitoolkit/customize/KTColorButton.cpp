// The cells of a colour bar: drawing, tooltips and storage.
#include "uitoolkit/customize/KTColorBar.h"

#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManager.h"

IMPLEMENT_SERIAL(CColorButton, CKTToolbarButton, VERSIONABLE_SCHEMA | 1)

CColorButton* AsColorButton(CObject* pObject)
{
    return pObject != nullptr && pObject->IsKindOf(RUNTIME_CLASS(CColorButton)) ? static_cast<CColorButton*>(pObject)
                                                                                : nullptr;
}

const CColorButton* AsColorButton(const CObject* pObject)
{
    return AsColorButton(const_cast<CObject*>(pObject));
}

CKTColorBar* AsColorBar(CObject* pObject)
{
    return pObject != nullptr && pObject->IsKindOf(RUNTIME_CLASS(CKTColorBar)) ? static_cast<CKTColorBar*>(pObject)
                                                                               : nullptr;
}

CColorButton::CColorButton()
{
    m_bLocked = TRUE;
}

CColorButton::CColorButton(COLORREF color, BOOL bIsAutomatic, BOOL bIsOther, LPCTSTR lpszText, BOOL bIsLabel,
                           BOOL bIsDocument, BOOL bIsOtherColor)
    : m_Color(color), m_bIsAutomatic(bIsAutomatic), m_bIsOther(bIsOther), m_bIsLabel(bIsLabel),
      m_bIsDocument(bIsDocument), m_bIsOtherColor(bIsOtherColor)
{
    m_bLocked = TRUE;
    m_strText = lpszText != nullptr ? lpszText : _T("");
    m_bText = !m_strText.IsEmpty();
    m_bImage = FALSE;
}

void CColorButton::Serialize(CArchive& ar)
{
    CKTToolbarButton::Serialize(ar);
    if (ar.IsStoring())
    {
        ar << static_cast<DWORD>(m_Color) << m_bIsAutomatic << m_bIsOther << m_bIsLabel << m_bIsDocument
           << m_bIsOtherColor;
    }
    else
    {
        DWORD dwColor = 0;
        ar >> dwColor >> m_bIsAutomatic >> m_bIsOther >> m_bIsLabel >> m_bIsDocument >> m_bIsOtherColor;
        m_Color = dwColor;
    }
}

void CColorButton::CopyFrom(const CKTToolbarButton& src)
{
    CKTToolbarButton::CopyFrom(src);
    const CColorButton* pSrc = AsColorButton(&src);
    if (pSrc == nullptr)
        return;
    m_Color = pSrc->m_Color;
    m_bHighlight = pSrc->m_bHighlight;
    m_bIsAutomatic = pSrc->m_bIsAutomatic;
    m_bIsOther = pSrc->m_bIsOther;
    m_bIsLabel = pSrc->m_bIsLabel;
    m_bIsDocument = pSrc->m_bIsDocument;
    m_bIsOtherColor = pSrc->m_bIsOtherColor;
}

void CColorButton::OnChangeParentWnd(CWnd* pWndParent)
{
    CKTToolbarButton::OnChangeParentWnd(pWndParent);
    m_pParentBar = AsColorBar(pWndParent);
}

CString CColorButton::GetTooltipText() const
{
    if ((m_nStyle & TBBS_DISABLED) != 0 || !CKTToolBar::m_bShowTooltips)
        return CString();
    if (IsTextButton())
    {
        CString strText = m_strText;
        strText.Remove(_T('&'));
        return strText;
    }
    if (m_Color == (COLORREF)-1)
        return CString();
    CString strText;
    strText.Format(_T("Hex={%02X,%02X,%02X}"), GetRValue(m_Color), GetGValue(m_Color), GetBValue(m_Color));
    return strText;
}

BOOL CColorButton::OnToolHitTest(const CWnd* /*pWnd*/, TOOLINFO* pTI)
{
    const CString strText = GetTooltipText();
    if (strText.IsEmpty())
        return FALSE;
    if (pTI != nullptr)
        pTI->lpszText = _wcsdup(strText);
    return TRUE;
}

void CColorButton::OnDraw(CDC* pDC, const CRect& rect, CKTImageStrip* /*pImages*/, BOOL bHorz, BOOL /*bCustomizeMode*/,
                          BOOL bHighlight, BOOL /*bDrawBorder*/, BOOL /*bGrayDisabledButtons*/)
{
    CPalette* pOldPalette = nullptr;
    if (m_pParentBar != nullptr && ktGlobals.m_bitsPerPixel <= 8)
    {
        CPalette* pPalette = m_pParentBar->GetDrawPalette();
        if (pPalette != nullptr && pPalette->GetSafeHandle() != nullptr)
        {
            pOldPalette = pDC->SelectPalette(pPalette, FALSE);
            pDC->RealizePalette();
        }
    }

    const UINT nSavedStyle = m_nStyle;
    if (m_bHighlight)
        m_nStyle |= TBBS_CHECKED;
    const BOOL bDisabled = (m_nStyle & TBBS_DISABLED) != 0;
    FillInterior(pDC, rect, bHighlight);
    if (!bDisabled && !m_bIsLabel)
    {
        CKTVisualManager::ButtonState state = CKTVisualManager::ButtonsIsRegular;
        if ((m_nStyle & (TBBS_CHECKED | TBBS_PRESSED)) != 0)
            state = CKTVisualManager::ButtonsIsPressed;
        else if (bHighlight)
            state = CKTVisualManager::ButtonsIsHighlighted;
        if (state != CKTVisualManager::ButtonsIsRegular)
            CKTVisualManager::GetInstance()->OnDrawButtonBorder(pDC, this, rect, state);
    }
    m_nStyle = nSavedStyle;

    CRect rectInner = rect;
    const int nMargin = CKTVisualManager::GetInstance()->GetMenuImageMargin();
    rectInner.DeflateRect(nMargin, nMargin);

    auto paintColor = [&](COLORREF color) {
        if (ktGlobals.m_bitsPerPixel <= 8 && m_pParentBar != nullptr && m_pParentBar->GetDrawPalette() != nullptr)
            return PALETTEINDEX(
                ::GetNearestPaletteIndex((HPALETTE)m_pParentBar->GetDrawPalette()->GetSafeHandle(), color));
        return color;
    };

    if (!IsTextButton() || m_bIsAutomatic)
    {
        CRect rectColor = rectInner;
        if (m_bIsAutomatic)
        {
            rectColor.DeflateRect(1, 1);
            rectColor.right = rectColor.left + rectColor.Height();
        }
        if (bDisabled)
        {
            pDC->Draw3dRect(rectColor, ktGlobals.m_colorHighlight, ktGlobals.m_colorShadow);
            rectColor.OffsetRect(1, 1);
            pDC->Draw3dRect(rectColor, ktGlobals.m_colorShadow, ktGlobals.m_colorHighlight);
        }
        else if (m_Color != (COLORREF)-1)
        {
            CBrush br(paintColor(m_Color));
            pDC->FillRect(rectColor, &br);
            pDC->Draw3dRect(rectColor, ktGlobals.m_colorShadow, ktGlobals.m_colorShadow);
        }
        else
        {
            pDC->Draw3dRect(rectColor, ktGlobals.m_colorShadow, ktGlobals.m_colorShadow);
        }
        if (m_bIsAutomatic)
            rectInner.left = rectColor.right + nMargin;
    }

    if (IsTextButton() && !m_strText.IsEmpty())
    {
        // On a vertical bar the horizontal font keeps the text upright.
        CFont* pOldFont = nullptr;
        if (!bHorz)
            pOldFont = pDC->SelectObject(&ktGlobals.m_fontText);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(bDisabled ? ktGlobals.m_colorGrayText : ktGlobals.m_colorBarText);
        const UINT uiFormat = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | (m_bIsLabel ? DT_LEFT : DT_CENTER);
        CString strText = m_strText;
        pDC->DrawText(strText, -1, rectInner, uiFormat);
        if (pOldFont != nullptr)
            pDC->SelectObject(pOldFont);
    }

    if (pOldPalette != nullptr)
        pDC->SelectPalette(pOldPalette, FALSE);
}

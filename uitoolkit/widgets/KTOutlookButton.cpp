// The shortcut bar's large buttons: measuring, drawing and storing them.
#include "uitoolkit/widgets/KTOutlookButton.h"

#include "uitoolkit/bars/KTStateVersion.h"
#include "uitoolkit/looks/KTImageStrip.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManager.h"
#include "uitoolkit/widgets/KTOutlookBar.h"

#include <algorithm>

IMPLEMENT_SERIAL(CKTOutlookButton, CKTToolbarButton, VERSIONABLE_SCHEMA | 1)

namespace
{
// Room around the image (for its frame) and between image and text.
const int kImageMargin = 4;
const int kTextGap = 2;

BOOL IsPageIdStored()
{
    return !KTGetLoadingStateVersion().IsKnownAndBefore(4, 71);
}
} // namespace

CKTOutlookButton::CKTOutlookButton()
{
    m_bText = TRUE;
}

CKTOutlookButton::CKTOutlookButton(UINT uiID, int iImage, LPCTSTR lpszText, UINT uiPageID)
    : CKTToolbarButton(uiID, iImage, lpszText), m_uiPageID(uiPageID)
{
    m_bText = TRUE;
}

void CKTOutlookButton::Serialize(CArchive& ar)
{
    CKTToolbarButton::Serialize(ar);
    if (ar.IsStoring())
    {
        if (IsPageIdStored())
            ar << static_cast<DWORD>(m_uiPageID);
        return;
    }
    DWORD dwPage = 0;
    if (IsPageIdStored())
        ar >> dwPage;
    m_uiPageID = dwPage;
}

void CKTOutlookButton::CopyFrom(const CKTToolbarButton& src)
{
    CKTToolbarButton::CopyFrom(src);
    if (!src.IsKindOf(RUNTIME_CLASS(CKTOutlookButton)) || &src == this)
        return;
    const auto& other = static_cast<const CKTOutlookButton&>(src);
    m_uiPageID = other.m_uiPageID;
    m_nImageHeight = other.m_nImageHeight;
    m_nTextHeight = other.m_nTextHeight;
}

SIZE CKTOutlookButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz)
{
    m_bHorz = bHorz;
    const CSize sizeImage = CKTToolBar::GetDefaultImageSize();
    m_nImageHeight = sizeImage.cy + 2 * kImageMargin;
    CSize sizeText(0, 0);
    if (pDC != nullptr && !m_strText.IsEmpty())
    {
        const CString strLabel = PrepareLabel(m_strText);
        sizeText = pDC->GetTextExtent(strLabel);
    }
    m_nTextHeight = sizeText.cy;
    const int cx = std::max<int>(
        {sizeImage.cx + 2 * kImageMargin, static_cast<int>(sizeText.cx) + 8, static_cast<int>(sizeDefault.cx)});
    const int cy = m_nImageHeight + kTextGap + m_nTextHeight + 6;
    return CSize(cx, cy);
}

void CKTOutlookButton::OnDraw(CDC* pDC, const CRect& rect, CKTImageStrip* pImages, BOOL bHorz, BOOL bCustomizeMode,
                              BOOL bHighlight, BOOL bDrawBorder, BOOL /*bGrayDisabledButtons*/)
{
    m_bHorz = bHorz;
    CKTVisualManager* pLook = CKTVisualManager::GetInstance();
    const CSize sizeImage = pImages != nullptr ? pImages->GetImageSize() : CKTToolBar::GetDefaultImageSize();
    CRect rectImage(CPoint(rect.CenterPoint().x - sizeImage.cx / 2 - kImageMargin, rect.top + 2),
                    CSize(sizeImage.cx + 2 * kImageMargin, sizeImage.cy + 2 * kImageMargin));
    FillInterior(pDC, rectImage, bHighlight);

    const BOOL bDisabled = bCustomizeMode ? !IsEditable() : (m_nStyle & TBBS_DISABLED) != 0;
    const int iImage = GetImage();
    if (m_bImage && pImages != nullptr && iImage >= 0 && iImage < pImages->GetCount())
    {
        const int nShift = (m_nStyle & TBBS_PRESSED) && bHighlight ? 1 : 0;
        pImages->Draw(pDC, rectImage.left + kImageMargin + nShift, rectImage.top + kImageMargin + nShift, iImage,
                      bHighlight, bDisabled);
    }
    if (bDrawBorder && !bCustomizeMode)
    {
        if (m_nStyle & (TBBS_PRESSED | TBBS_CHECKED))
            pLook->OnDrawButtonBorder(pDC, this, rectImage, CKTVisualManager::ButtonsIsPressed);
        else if (bHighlight)
            pLook->OnDrawButtonBorder(pDC, this, rectImage, CKTVisualManager::ButtonsIsHighlighted);
    }
    if (!m_bText || m_strText.IsEmpty())
        return;
    const CKTVisualManager::ButtonState state =
        bHighlight ? CKTVisualManager::ButtonsIsHighlighted : CKTVisualManager::ButtonsIsRegular;
    const COLORREF clrOld = pDC->SetTextColor(pLook->GetToolbarButtonTextColor(this, state));
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CRect rectText(rect.left, rectImage.bottom + kTextGap, rect.right, rect.bottom);
    CString strLabel = m_strText;
    pDC->DrawText(strLabel, rectText, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_END_ELLIPSIS);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(clrOld);
}

void CKTOutlookButton::OnChangeParentWnd(CWnd* pWndParent)
{
    CKTToolbarButton::OnChangeParentWnd(pWndParent);
    m_bText = TRUE;
    m_bImage = TRUE;
}

BOOL CKTOutlookButton::CanBeDropped(CKTToolBar* pToolbar)
{
    return pToolbar != nullptr && pToolbar->IsKindOf(RUNTIME_CLASS(CKTOutlookBar));
}

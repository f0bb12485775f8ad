// The colour menu button: its stripe, its popup, keeping colours in step and its stored settings.
#include "uitoolkit/customize/KTColorMenuButton.h"

#include "uitoolkit/bars/KTStateVersion.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/customize/KTColorBar.h"
#include "uitoolkit/customize/KTColorDialog.h"
#include "uitoolkit/customize/KTColorPopup.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManager.h"
#include "uitoolkit/looks/KTVisualManagerXP.h"

#include <algorithm>
#include <vector>

IMPLEMENT_SERIAL(CKTColorMenuButton, CKTToolbarMenuButton, VERSIONABLE_SCHEMA | 1)

namespace
{
const int kDefaultPaletteColors = 20;
const int kStripeHeight = 5;

// The docked layouts came with state version 4.71; older state holds none.
BOOL IsDockedLayoutStored()
{
    const KTStateVersion version = KTGetLoadingStateVersion();
    return version.m_bWorkspace && !version.IsKnownAndBefore(4, 71);
}

BOOL IsXPLook()
{
    return CKTVisualManager::GetInstance()->IsKindOf(RUNTIME_CLASS(CKTVisualManagerXP));
}

const UINT s_uiGetDocumentColors = ::RegisterWindowMessageW(L"KTTOOLBAR__GETDOCUMENTCOLORS");
} // namespace

CKTColorMenuButton* AsColorMenuButton(CObject* pObject)
{
    return pObject != nullptr && pObject->IsKindOf(RUNTIME_CLASS(CKTColorMenuButton))
               ? static_cast<CKTColorMenuButton*>(pObject)
               : nullptr;
}

UINT CKTColorMenuButton::GetDocumentColorsMessage()
{
    return s_uiGetDocumentColors;
}

CKTColorMenuButton::CKTColorMenuButton()
{
    Initialize();
}

CKTColorMenuButton::CKTColorMenuButton(UINT uiCmdID, LPCTSTR lpszText, CPalette* pPalette)
    : CKTToolbarMenuButton(uiCmdID, nullptr, -1, lpszText)
{
    Initialize();
    HPALETTE hPalette = pPalette != nullptr ? (HPALETTE)pPalette->GetSafeHandle() : nullptr;
    int nColors = kDefaultPaletteColors;
    if (hPalette != nullptr)
        nColors = ::GetPaletteEntries(hPalette, 0, 0, nullptr);
    else
        hPalette = (HPALETTE)::GetStockObject(DEFAULT_PALETTE);
    if (nColors <= 0)
        return;
    std::vector<PALETTEENTRY> entries(static_cast<size_t>(nColors));
    const UINT nRead = ::GetPaletteEntries(hPalette, 0, nColors, entries.data());
    for (UINT i = 0; i < nRead; i++)
        m_Colors.Add(RGB(entries[i].peRed, entries[i].peGreen, entries[i].peBlue));
}

void CKTColorMenuButton::Initialize()
{
    m_Color = (COLORREF)-1;
    m_colorAutomatic = 0;
    m_nColumns = -1;
    m_nHorzDockRows = -1;
    m_nVertDockColumns = -1;
}

void CKTColorMenuButton::EnableAutomaticButton(LPCTSTR lpszLabel, COLORREF colorAutomatic, BOOL bEnable)
{
    m_bIsAutomaticButton = bEnable;
    m_strAutomaticButtonLabel = lpszLabel != nullptr ? lpszLabel : _T("");
    m_colorAutomatic = colorAutomatic;
}

void CKTColorMenuButton::EnableOtherButton(LPCTSTR lpszLabel, BOOL bAltColorDlg, BOOL bEnable)
{
    m_bIsOtherButton = bEnable;
    m_strOtherButtonLabel = lpszLabel != nullptr ? lpszLabel : _T("");
    m_bStdColorDlg = !bAltColorDlg;
}

void CKTColorMenuButton::EnableDocumentColors(LPCTSTR lpszLabel, BOOL bEnable)
{
    m_bIsDocumentColors = bEnable;
    m_strDocumentColorsLabel = lpszLabel != nullptr ? lpszLabel : _T("");
}

void CKTColorMenuButton::SetDockedLayout(int nRowsDockHorz, int nColDockVert)
{
    m_nHorzDockRows = nRowsDockHorz;
    m_nVertDockColumns = nColDockVert;
}

void CKTColorMenuButton::SetColors(const CArray<COLORREF, COLORREF>& colors)
{
    m_Colors.RemoveAll();
    m_Colors.Append(colors);
    m_Palette.DeleteObject();
}

void CKTColorMenuButton::SyncColorButtons(UINT uiCmdID, COLORREF color, const CKTColorMenuButton* pExcept)
{
    const CObList& bars = CKTToolBar::GetAllToolbars();
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;)
    {
        CKTToolBar* pBar = static_cast<CKTToolBar*>(bars.GetNext(pos));
        for (int i = 0; i < pBar->GetCount(); i++)
        {
            CKTColorMenuButton* pButton = AsColorMenuButton(pBar->GetButton(i));
            if (pButton != nullptr && pButton != pExcept && pButton->m_nID == uiCmdID)
                pButton->SetColor(color, FALSE);
        }
    }
}

void CKTColorMenuButton::SetColor(COLORREF color, BOOL bNotify)
{
    m_Color = color;
    if (m_pWndParent != nullptr && m_pWndParent->GetSafeHwnd() != nullptr)
        m_pWndParent->InvalidateRect(m_rect);
    if (!bNotify)
        return;
    SyncColorButtons(m_nID, color, this);
    CKTColorBar::SyncColorBars(m_nID, color);
}

BOOL CKTColorMenuButton::OpenColorDialog(COLORREF colorDefault, COLORREF& colorRes)
{
    CWnd* pParent = m_pWndParent != nullptr && m_pWndParent->GetSafeHwnd() != nullptr ? m_pWndParent : nullptr;
    if (m_bStdColorDlg)
    {
        CColorDialog dlg(colorDefault, CC_FULLOPEN | CC_ANYCOLOR, pParent);
        if (dlg.DoModal() != IDOK)
            return FALSE;
        colorRes = dlg.GetColor();
        return TRUE;
    }
    CKTColorDialog dlg(colorDefault, 0, pParent);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    colorRes = dlg.GetColor();
    return TRUE;
}

void CKTColorMenuButton::GetDocumentColors(CList<COLORREF, COLORREF>& lstColors)
{
    lstColors.RemoveAll();
    if (!m_bIsDocumentColors || m_pWndParent == nullptr || m_pWndParent->GetSafeHwnd() == nullptr)
        return;
    CWnd* pFrame = m_pWndParent->GetTopLevelFrame();
    if (pFrame == nullptr)
        pFrame = AfxGetMainWnd();
    if (pFrame != nullptr && pFrame->GetSafeHwnd() != nullptr)
        pFrame->SendMessage(s_uiGetDocumentColors, m_nID, reinterpret_cast<LPARAM>(&lstColors));
}

CKTPopupMenu* CKTColorMenuButton::CreatePopupMenu()
{
    if (CKTToolBar::IsCustomizeMode())
        return nullptr;
    CList<COLORREF, COLORREF> lstDocColors;
    GetDocumentColors(lstDocColors);
    return new CColorPopup(m_Colors, m_Color, m_bIsAutomaticButton ? (LPCTSTR)m_strAutomaticButtonLabel : nullptr,
                           m_bIsOtherButton ? (LPCTSTR)m_strOtherButtonLabel : nullptr,
                           m_bIsDocumentColors ? (LPCTSTR)m_strDocumentColorsLabel : nullptr, lstDocColors, m_nColumns,
                           m_nHorzDockRows, m_nVertDockColumns, m_colorAutomatic, m_nID);
}

void CKTColorMenuButton::OnChangeParentWnd(CWnd* pWndParent)
{
    CKTToolbarMenuButton::OnChangeParentWnd(pWndParent);
    if (pWndParent == nullptr)
        return;
    if (pWndParent->IsKindOf(RUNTIME_CLASS(CKTPopupMenuBar)))
    {
        m_bText = TRUE;
        m_bMenuMode = TRUE;
        m_bDrawDownArrow = FALSE;
    }
    else if (m_bMenuMode == FALSE && m_bImage)
    {
        // A toolbar button: the arrow opens the colours.
        m_bDrawDownArrow = TRUE;
    }
}

COLORREF CKTColorMenuButton::GetStripeColor() const
{
    if (m_nStyle & TBBS_DISABLED)
        return ktGlobals.m_colorShadow;
    return m_Color == (COLORREF)-1 ? m_colorAutomatic : m_Color;
}

CRect CKTColorMenuButton::GetStripeRect(const CRect& rectButton, BOOL bHighlight) const
{
    CKTVisualManager* pLook = CKTVisualManager::GetInstance();
    if (m_bMenuMode)
    {
        const CSize sizeImage = CKTToolBar::GetMenuImageSize();
        const int iMargin = pLook->GetMenuImageMargin();
        const int left = rectButton.left + iMargin;
        const int bottom = rectButton.top + (rectButton.Height() + sizeImage.cy) / 2;
        return CRect(left, bottom - 7, left + sizeImage.cx, bottom - 2);
    }
    CRect rect = rectButton;
    const CSize sizeExtra = pLook->GetButtonExtraBorder();
    rect.DeflateRect(sizeExtra.cx / 2 + 1, sizeExtra.cy / 2 + 1);
    if (m_bDrawDownArrow)
        rect.right -= CKTToolBar::GetMenuImageSize().cx + 2;
    const CKTToolBar* pBar = m_pWndParent != nullptr && m_pWndParent->IsKindOf(RUNTIME_CLASS(CKTToolBar))
                                 ? static_cast<CKTToolBar*>(m_pWndParent)
                                 : nullptr;
    const CSize sizeImage = pBar != nullptr ? pBar->GetImageSize() : CKTToolBar::GetMenuImageSize();
    if (m_bText && !m_bTextBelow)
        rect.right = std::min(static_cast<int>(rect.right), static_cast<int>(rect.left + sizeImage.cx) + 8);
    const int imageBottom = rect.top + (rect.Height() + sizeImage.cy) / 2;
    CRect rectStripe(rect.left + 4, imageBottom - 1 - kStripeHeight, rect.right - 4, imageBottom - 1);
    if (!bHighlight)
        rectStripe.OffsetRect(0, 1);
    if ((m_nStyle & (TBBS_PRESSED | TBBS_CHECKED)) && !pLook->IsMenuFlatLook())
        rectStripe.OffsetRect(1, 1);
    return rectStripe;
}

void CKTColorMenuButton::BuildPalette()
{
    if (m_Palette.GetSafeHandle() != nullptr || m_Colors.GetSize() == 0)
        return;
    CKTColorBar::CreatePaletteOfColors(m_Palette, m_Colors, 256);
}

void CKTColorMenuButton::OnDraw(CDC* pDC, const CRect& rect, CKTImageStrip* pImages, BOOL bHorz, BOOL bCustomizeMode,
                                BOOL bHighlight, BOOL bDrawBorder, BOOL bGrayDisabledButtons)
{
    CKTToolbarMenuButton::OnDraw(pDC, rect, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder,
                                 bGrayDisabledButtons);
    if (pImages == nullptr || GetImage() < 0 || (!m_bImage && !m_bMenuMode))
        return;

    CPalette* pOldPalette = nullptr;
    if (ktGlobals.m_bitsPerPixel <= 8)
    {
        BuildPalette();
        if (m_Palette.GetSafeHandle() != nullptr)
        {
            pOldPalette = pDC->SelectPalette(&m_Palette, FALSE);
            pDC->RealizePalette();
        }
    }
    const BOOL bXP = IsXPLook();
    const BOOL bDisabled = (m_nStyle & TBBS_DISABLED) != 0;
    CRect rectStripe = GetStripeRect(rect, bHighlight);
    if (bXP && bHighlight && !(m_nStyle & (TBBS_CHECKED | TBBS_PRESSED)) && !bDisabled)
    {
        CRect rectFrame = rectStripe;
        rectFrame.InflateRect(1, 1);
        pDC->Draw3dRect(rectFrame, ktGlobals.m_colorShadow, ktGlobals.m_colorShadow);
    }
    const COLORREF color = GetStripeColor();
    CBrush brush(pOldPalette != nullptr ? PALETTERGB(GetRValue(color), GetGValue(color), GetBValue(color)) : color);
    pDC->FillRect(rectStripe, &brush);
    if (!bXP)
    {
        CRect rectFrame = rectStripe;
        rectFrame.InflateRect(1, 1);
        pDC->Draw3dRect(rectFrame, ktGlobals.m_colorShadow, ktGlobals.m_colorLight);
    }
    else if (color == ktGlobals.m_colorFace)
    {
        pDC->Draw3dRect(rectStripe, ktGlobals.m_colorDarkShadow, ktGlobals.m_colorDarkShadow);
    }
    if (pOldPalette != nullptr)
        pDC->SelectPalette(pOldPalette, FALSE);
}

int CKTColorMenuButton::DrawAsListItem(CDC* pDC, const CRect& rect, BOOL bSelected)
{
    const UINT nID = m_nID;
    m_nID = 0;
    CRect rectItem = rect;
    rectItem.DeflateRect(1, 0);
    const int iWidth = CKTToolbarMenuButton::DrawAsListItem(pDC, rectItem, bSelected);
    m_nID = nID;
    return iWidth;
}

void CKTColorMenuButton::CopyFrom(const CKTToolbarButton& src)
{
    CKTToolbarMenuButton::CopyFrom(src);
    const CKTColorMenuButton* pSrc = AsColorMenuButton(const_cast<CKTToolbarButton*>(&src));
    if (pSrc == nullptr)
        return;
    m_Color = pSrc->m_Color;
    m_Colors.RemoveAll();
    m_Colors.Append(pSrc->m_Colors);
    m_Palette.DeleteObject();
    m_bIsAutomaticButton = pSrc->m_bIsAutomaticButton;
    m_bIsOtherButton = pSrc->m_bIsOtherButton;
    m_bIsDocumentColors = pSrc->m_bIsDocumentColors;
    m_colorAutomatic = pSrc->m_colorAutomatic;
    m_strAutomaticButtonLabel = pSrc->m_strAutomaticButtonLabel;
    m_strOtherButtonLabel = pSrc->m_strOtherButtonLabel;
    m_strDocumentColorsLabel = pSrc->m_strDocumentColorsLabel;
    m_nColumns = pSrc->m_nColumns;
    m_nHorzDockRows = pSrc->m_nHorzDockRows;
    m_nVertDockColumns = pSrc->m_nVertDockColumns;
    m_bStdColorDlg = pSrc->m_bStdColorDlg;
}

void CKTColorMenuButton::Serialize(CArchive& ar)
{
    CKTToolbarMenuButton::Serialize(ar);
    if (ar.IsStoring())
    {
        CKTColorBar::SerializeColors(ar, m_Colors);
        ar << m_nColumns;
        if (IsDockedLayoutStored())
            ar << m_nHorzDockRows << m_nVertDockColumns;
        ar << m_bIsAutomaticButton << m_bIsOtherButton << m_bIsDocumentColors;
        ar << m_strAutomaticButtonLabel << m_strOtherButtonLabel << m_strDocumentColorsLabel;
        ar << static_cast<DWORD>(m_colorAutomatic) << m_bStdColorDlg;
        return;
    }
    CKTColorBar::SerializeColors(ar, m_Colors);
    m_Palette.DeleteObject();
    ar >> m_nColumns;
    if (IsDockedLayoutStored())
        ar >> m_nHorzDockRows >> m_nVertDockColumns;
    else
        m_nVertDockColumns = m_nHorzDockRows = -1;
    ar >> m_bIsAutomaticButton >> m_bIsOtherButton >> m_bIsDocumentColors;
    ar >> m_strAutomaticButtonLabel >> m_strOtherButtonLabel >> m_strDocumentColorsLabel;
    DWORD dwAutomatic = 0;
    ar >> dwAutomatic >> m_bStdColorDlg;
    m_colorAutomatic = dwAutomatic;

    // The colour is not stored: a button loaded beside others takes theirs.
    const CObList& bars = CKTToolBar::GetAllToolbars();
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;)
    {
        CKTToolBar* pBar = static_cast<CKTToolBar*>(bars.GetNext(pos));
        for (int i = 0; i < pBar->GetCount(); i++)
        {
            CKTColorMenuButton* pOther = AsColorMenuButton(pBar->GetButton(i));
            if (pOther != nullptr && pOther != this && pOther->m_nID == m_nID && pOther->m_Color != (COLORREF)-1)
            {
                m_Color = pOther->m_Color;
                return;
            }
        }
    }
}

#include "uitoolkit/looks/KTVisualManager.h"

#include "uitoolkit/bars/KTSizingControlBar.h"
#include "uitoolkit/bars/KTCaptionBar.h"
#include "uitoolkit/bars/KTStatusBar.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/looks/KTDrawHelper.h"
#include "uitoolkit/looks/KTImageStrip.h"
#include "uitoolkit/looks/KTMenuGlyphs.h"
#include "uitoolkit/looks/KTUIGlobals.h"

#include <cstring>

IMPLEMENT_DYNCREATE(CKTVisualManager, CObject)

CKTVisualManager* CKTVisualManager::m_pVisManager = nullptr;
CRuntimeClass* CKTVisualManager::m_pRTIDefault = nullptr;

namespace
{
const UINT kRedrawAllFlags = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW;
const UINT kRedrawFrameFlags = RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME;

BOOL CALLBACK RedrawThreadWindow(HWND hWnd, LPARAM)
{
    if (::IsWindowVisible(hWnd))
        ::RedrawWindow(hWnd, nullptr, nullptr, kRedrawAllFlags);
    return TRUE;
}
} // namespace

CKTVisualManager::CKTVisualManager(BOOL bIsTemporary) : m_bIsTemporary(bIsTemporary)
{
    if (!bIsTemporary)
    {
        if (m_pVisManager == nullptr)
            m_pVisManager = this;
        // A temporary probe must not undo the bar colours of the look in use.
        ktGlobals.UpdateSysColors();
    }
}

CKTVisualManager::~CKTVisualManager()
{
    if (!m_bIsTemporary && m_pVisManager == this)
        m_pVisManager = nullptr;
}

CKTVisualManager* CKTVisualManager::GetInstance()
{
    if (m_pVisManager != nullptr)
        return m_pVisManager;

    CKTVisualManager* pManager = nullptr;
    if (m_pRTIDefault != nullptr)
    {
        CObject* pObject = m_pRTIDefault->CreateObject();
        pManager = dynamic_cast<CKTVisualManager*>(pObject);
        if (pManager == nullptr)
            delete pObject;
    }
    if (pManager == nullptr)
        pManager = new CKTVisualManager(FALSE);
    m_pVisManager = pManager;
    pManager->m_bAutoDelete = TRUE;
    pManager->OnUpdateSystemColors();
    CKTImageStrip::s_bEmbossDisabledImages = pManager->m_bEmbossDisabledImage;
    return pManager;
}

BOOL CKTVisualManager::SetDefaultManager(CRuntimeClass* pRTI)
{
    if (pRTI != nullptr && !pRTI->IsDerivedFrom(RUNTIME_CLASS(CKTVisualManager)))
        return FALSE;
    m_pRTIDefault = pRTI;
    CKTVisualManager* pOld = m_pVisManager;
    m_pVisManager = nullptr;
    if (pOld != nullptr && pOld->m_bAutoDelete)
        delete pOld;
    ktGlobals.UpdateSysColors();
    RedrawAll();
    return TRUE;
}

void CKTVisualManager::DestroyInstance()
{
    if (m_pVisManager != nullptr && m_pVisManager->m_bAutoDelete)
    {
        CKTVisualManager* pManager = m_pVisManager;
        m_pVisManager = nullptr;
        delete pManager;
    }
}

void CKTVisualManager::RedrawAll()
{
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd != nullptr && pMainWnd->GetSafeHwnd() != nullptr)
        ::RedrawWindow(pMainWnd->GetSafeHwnd(), nullptr, nullptr, kRedrawAllFlags);
    // Docked bars are children of the main window; floating ones are windows of this thread.
    ::EnumThreadWindows(::GetCurrentThreadId(), RedrawThreadWindow, 0);
}

void CKTVisualManager::SetLook2000(BOOL bLook2000)
{
    m_bLook2000 = bLook2000;
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd != nullptr && pMainWnd->GetSafeHwnd() != nullptr)
        ::RedrawWindow(pMainWnd->GetSafeHwnd(), nullptr, nullptr, kRedrawFrameFlags);
    RedrawAll();
}

BOOL CKTVisualManager::IsKindOfClass(const CObject* pObject, const char* lpszClassName)
{
    if (pObject == nullptr)
        return FALSE;
    for (const CRuntimeClass* pClass = pObject->GetRuntimeClass(); pClass != nullptr; pClass = pClass->m_pBaseClass)
        if (strcmp(pClass->m_lpszClassName, lpszClassName) == 0)
            return TRUE;
    return FALSE;
}

BOOL CKTVisualManager::IsButtonDisabled(const CKTToolbarButton* pButton)
{
    if (pButton == nullptr)
        return FALSE;
    return CKTToolBar::IsCustomizeMode() ? !pButton->IsEditable() : (pButton->m_nStyle & TBBS_DISABLED) != 0;
}

void CKTVisualManager::OnUpdateSystemColors() {}

void CKTVisualManager::OnFillBarBackground(CDC* pDC, CControlBar* pBar, CRect rectClient, CRect rectClip)
{
    if (IsKindOfClass(pBar, "CKTOutlookBar"))
        return;
    if (IsKindOfClass(pBar, "CKTCaptionBar"))
    {
        const COLORREF background = static_cast<CKTCaptionBar*>(pBar)->m_clrBarBackground;
        pDC->FillSolidRect(rectClip, background == (COLORREF)-1 ? ktGlobals.m_colorBarShadow : background);
        return;
    }
    pDC->FillRect(rectClip.IsRectEmpty() ? rectClient : rectClip, &ktGlobals.m_brushBarFace);
}

void CKTVisualManager::OnDrawBarBorder(CDC* pDC, CControlBar* pBar, CRect& rect)
{
    const DWORD dwStyle = pBar != nullptr ? pBar->GetBarStyle() : 0;
    if ((dwStyle & CBRS_BORDER_ANY) == 0)
        return;
    const COLORREF oldBk = pDC->GetBkColor();
    const COLORREF topLeft = (dwStyle & CBRS_BORDER_3D) ? ktGlobals.m_colorBarHighlight : ktGlobals.m_colorBarShadow;
    const COLORREF bottomRight = ktGlobals.m_colorBarShadow;
    if (dwStyle & CBRS_BORDER_LEFT)
        pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), topLeft);
    if (dwStyle & CBRS_BORDER_TOP)
        pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, topLeft);
    if (dwStyle & CBRS_BORDER_RIGHT)
        pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), bottomRight);
    if (dwStyle & CBRS_BORDER_BOTTOM)
        pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, bottomRight);
    if (pBar->m_pDockContext == nullptr)
    {
        pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, ktGlobals.m_colorBarShadow);
        pDC->FillSolidRect(rect.left, rect.top + 1, rect.Width(), 1, ktGlobals.m_colorBarHighlight);
    }
    if (dwStyle & CBRS_BORDER_LEFT)
        ++rect.left;
    if (dwStyle & CBRS_BORDER_TOP)
        ++rect.top;
    if (dwStyle & CBRS_BORDER_RIGHT)
        --rect.right;
    if (dwStyle & CBRS_BORDER_BOTTOM)
        --rect.bottom;
    pDC->SetBkColor(oldBk);
}

void CKTVisualManager::OnDrawMenuBorder(CDC* pDC, CWnd*, CRect rect)
{
    pDC->Draw3dRect(rect, ktGlobals.m_colorBarLight, ktGlobals.m_colorBarDarkShadow);
    rect.DeflateRect(1, 1);
    pDC->Draw3dRect(rect, ktGlobals.m_colorBarHighlight, ktGlobals.m_colorBarShadow);
}

void CKTVisualManager::OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CControlBar*)
{
    const int lines = m_bLook2000 ? 1 : 2;
    const int d = m_bLook2000 ? 0 : 1;
    const int flag = m_bLook2000 ? 1 : 0;
    CRect rect = rectGripper;
    if (bHorz)
    {
        rect.DeflateRect(0, 2 + flag);
        rect.left = (rect.left + rect.right) / 2 - ((lines - 1) * d + 3 * lines) / 2 + d;
        rect.right = rect.left + 3;
    }
    else
    {
        rect.top += d;
        rect.DeflateRect(2 + flag, 0);
        rect.top = (rect.top + rect.bottom) / 2 - (4 * lines - 1) / 2 + d;
        rect.bottom = rect.top + 3;
    }
    for (int i = 0; i < lines; ++i)
    {
        pDC->Draw3dRect(rect, ktGlobals.m_colorBarHighlight, ktGlobals.m_colorBarShadow);
        if (!m_bLook2000)
        {
            if (bHorz)
                pDC->SetPixel(rect.left, rect.bottom - 1, ktGlobals.m_colorBarHighlight);
            else
                pDC->SetPixel(rect.right - 1, rect.top, ktGlobals.m_colorBarHighlight);
        }
        if (bHorz)
            rect.OffsetRect(4, 0);
        else
            rect.OffsetRect(0, 4);
    }
}

void CKTVisualManager::OnDrawSeparator(CDC* pDC, CControlBar*, CRect rect, BOOL bIsHoriz)
{
    CRect band = rect;
    if (bIsHoriz)
    {
        band.left += rect.Width() / 2 - 1;
        band.right = band.left + 2;
    }
    else
    {
        band.top += rect.Height() / 2 - 1;
        band.bottom = band.top + 2;
    }
    pDC->Draw3dRect(band, ktGlobals.m_colorBarShadow, ktGlobals.m_colorBarHighlight);
}

void CKTVisualManager::OnDrawMenuSystemButton(CDC* pDC, CRect rect, UINT uiSystemCommand, UINT nStyle, BOOL)
{
    UINT uiState = 0;
    switch (uiSystemCommand)
    {
    case SC_CLOSE:
        uiState = DFCS_CAPTIONCLOSE;
        break;
    case SC_MINIMIZE:
        uiState = DFCS_CAPTIONMIN;
        break;
    case SC_RESTORE:
        uiState = DFCS_CAPTIONRESTORE;
        break;
    default:
        return;
    }
    if (nStyle & TBBS_PRESSED)
        uiState |= DFCS_PUSHED;
    if (nStyle & TBBS_DISABLED)
        uiState |= DFCS_INACTIVE;
    pDC->DrawFrameControl(rect, DFC_CAPTION, uiState);
}

void CKTVisualManager::OnDrawStatusBarPaneBorder(CDC* pDC, CKTStatusBar*, CRect rectPane, UINT, UINT nStyle)
{
    if (nStyle & SBPS_NOBORDERS)
        return;
    if (nStyle & SBPS_POPOUT)
        pDC->Draw3dRect(rectPane, ktGlobals.m_colorBarHighlight, ktGlobals.m_colorBarShadow);
    else
        pDC->Draw3dRect(rectPane, ktGlobals.m_colorBarShadow, ktGlobals.m_colorBarHighlight);
}

void CKTVisualManager::OnDrawStatusBarProgress(CDC* pDC, CKTStatusBar*, CRect rectProgress, int nProgressTotal,
                                               int nProgressCurr, COLORREF clrBar, COLORREF clrProgressBarDest,
                                               COLORREF clrProgressText, BOOL bProgressText)
{
    if (nProgressTotal == 0)
        return;
    CRect rectComplete = rectProgress;
    // In 64 bits: a long bar times a large position would overflow 32.
    rectComplete.right = rectComplete.left + static_cast<int>(static_cast<long long>(rectProgress.Width()) *
                                                              nProgressCurr / nProgressTotal);
    if (clrProgressBarDest == (COLORREF)-1)
    {
        CBrush brush(clrBar);
        pDC->FillRect(rectComplete, &brush);
    }
    else
    {
        CKTDrawHelper(pDC).FillGradient(rectComplete, clrBar, clrProgressBarDest, FALSE);
    }
    if (!bProgressText)
        return;

    CString text;
    text.Format(L"%d%%", static_cast<int>(static_cast<long long>(nProgressCurr) * 100 / nProgressTotal));
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldText = pDC->SetTextColor(ktGlobals.m_colorText);
    CRect rectText = rectProgress;
    pDC->DrawText(text, rectText, format);

    HRGN hOldClip = ::CreateRectRgn(0, 0, 0, 0);
    const BOOL hadClip = ::GetClipRgn(pDC->GetSafeHdc(), hOldClip) == 1;
    CRgn clip;
    clip.CreateRectRgnIndirect(rectComplete);
    pDC->SelectClipRgn(&clip, RGN_AND);
    pDC->SetTextColor(clrProgressText == (COLORREF)-1 ? ktGlobals.m_colorSelectionText : clrProgressText);
    rectText = rectProgress;
    pDC->DrawText(text, rectText, format);
    ::SelectClipRgn(pDC->GetSafeHdc(), hadClip ? hOldClip : nullptr);
    ::DeleteObject(hOldClip);
    pDC->SetTextColor(oldText);
    pDC->SetBkMode(oldMode);
}

void CKTVisualManager::OnDrawStatusBarSizeBox(CDC* pDC, CKTStatusBar* pStatBar, CRect rectSizeBox)
{
    const BOOL rightToLeft = pStatBar != nullptr && pStatBar->GetSafeHwnd() != nullptr &&
                             (::GetWindowLongW(pStatBar->GetSafeHwnd(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
    CFont* pOldFont = pDC->SelectObject(&ktGlobals.m_fontSymbols);
    const COLORREF oldText = pDC->SetTextColor(ktGlobals.m_colorShadow);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const wchar_t grip = rightToLeft ? L'x' : L'o';
    CSize extent = pDC->GetTextExtent(&grip, 1);
    pDC->ExtTextOut(rectSizeBox.right - extent.cx, rectSizeBox.bottom - extent.cy, ETO_CLIPPED, rectSizeBox, &grip, 1,
                    nullptr);
    pDC->SetBkMode(oldMode);
    pDC->SetTextColor(oldText);
    pDC->SelectObject(pOldFont);
}

void CKTVisualManager::OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                             BOOL bIsHighlighted, CKTToolbarButton*)
{
    pDC->FillRect(rect, &ktGlobals.m_brushBarFace);
    pDC->Draw3dRect(rect, ktGlobals.m_colorBarHighlight, ktGlobals.m_colorBarHighlight);
    const CSize glyph(9, 9);
    CPoint point(rect.left + (rect.Width() - glyph.cx) / 2, rect.top + (rect.Height() - glyph.cy) / 2);
    if (bIsDropped)
    {
        point.Offset(1, 1);
        rect.OffsetRect(1, 1);
        pDC->Draw3dRect(rect, ktGlobals.m_colorBarShadow, ktGlobals.m_colorBarHighlight);
    }
    else if (bIsHighlighted)
    {
        pDC->Draw3dRect(rect, ktGlobals.m_colorBarHighlight, ktGlobals.m_colorBarShadow);
    }
    CKTMenuGlyphs::Draw(pDC, bDisabled ? CKTMenuGlyphs::IdArrowDownDisabled : CKTMenuGlyphs::IdArrowDown, point);
}

void CKTVisualManager::OnDrawComboBorder(CDC* pDC, CRect rect, BOOL, BOOL bIsDropped, BOOL bIsHighlighted,
                                         CKTToolbarButton*)
{
    if (!bIsDropped && !bIsHighlighted)
        return;
    if (m_bMenuFlatLook)
    {
        CRect inner = rect;
        inner.DeflateRect(1, 1);
        pDC->Draw3dRect(inner, ktGlobals.m_colorBarDarkShadow, ktGlobals.m_colorBarDarkShadow);
    }
    else
    {
        pDC->Draw3dRect(rect, ktGlobals.m_colorBarShadow, ktGlobals.m_colorBarHighlight);
    }
}

void CKTVisualManager::OnDrawEditBorder(CDC* pDC, CRect rect, BOOL, BOOL bIsHighlighted, CKTToolbarButton*)
{
    if (bIsHighlighted)
        pDC->DrawEdge(rect, EDGE_SUNKEN, BF_RECT);
}

void CKTVisualManager::OnDrawTearOffCaption(CDC* pDC, CRect rect, BOOL bIsActive)
{
    pDC->FillRect(rect, &ktGlobals.m_brushBarFace);
    rect.DeflateRect(2, 1);
    pDC->FillSolidRect(rect, bIsActive ? ktGlobals.m_colorActiveCaption : ktGlobals.m_colorInactiveCaption);
}

void CKTVisualManager::OnFillButtonInterior(CDC* pDC, CKTToolbarButton* pButton, CRect rect, ButtonState state)
{
    if (IsKindOfClass(pButton, "CKTShowAllButton"))
    {
        if (state == ButtonsIsHighlighted)
            CKTDrawHelper(pDC).HighlightRect(rect);
        return;
    }
    if (pButton == nullptr || IsKindOfClass(pButton, "CKTOutlookButton"))
        return;
    if (CKTToolBar::IsCustomizeMode() || state == ButtonsIsHighlighted)
        return;
    if ((pButton->m_nStyle & (TBBS_CHECKED | TBBS_INDETERMINATE)) == 0)
        return;
    const CSize border = CKTToolBar::GetButtonBorderSize();
    CRect dither = rect;
    dither.DeflateRect(border.cx, border.cy);
    HBITMAP hDither = ktGlobals.CreateDitherBitmap(pDC->GetSafeHdc());
    if (hDither == nullptr)
        return;
    HBRUSH hBrush = ::CreatePatternBrush(hDither);
    ::FillRect(pDC->GetSafeHdc(), dither, hBrush);
    ::DeleteObject(hBrush);
    ::DeleteObject(hDither);
}

void CKTVisualManager::OnDrawButtonBorder(CDC* pDC, CKTToolbarButton* pButton, CRect rect, ButtonState state)
{
    const COLORREF dark =
        IsKindOfClass(pButton, "CKTOutlookButton") ? ktGlobals.m_colorBarDarkShadow : ktGlobals.m_colorBarShadow;
    if (state == ButtonsIsPressed)
        pDC->Draw3dRect(rect, dark, ktGlobals.m_colorBarHighlight);
    else if (state == ButtonsIsHighlighted)
        pDC->Draw3dRect(rect, ktGlobals.m_colorBarHighlight, dark);
}

void CKTVisualManager::OnDrawDropDownSeparator(CDC* pDC, CKTToolbarMenuButton* pButton, CRect rect,
                                               ButtonState state, BOOL)
{
    if (m_bMenuFlatLook && pButton != nullptr && pButton->IsDroppedDown())
        return;
    OnDrawButtonBorder(pDC, pButton, rect, state);
}

void CKTVisualManager::OnHighlightMenuItem(CDC* pDC, CKTToolbarMenuButton*, CRect rect, COLORREF&)
{
    pDC->FillRect(rect, &ktGlobals.m_brushSelection);
}

void CKTVisualManager::OnHighlightRarelyUsedMenuItems(CDC* pDC, CRect rectRarelyUsed)
{
    CKTDrawHelper(pDC).HighlightRect(rectRarelyUsed);
    pDC->Draw3dRect(rectRarelyUsed, ktGlobals.m_colorBarShadow, ktGlobals.m_colorBarHighlight);
}

COLORREF CKTVisualManager::GetToolbarButtonTextColor(CKTToolbarButton* pButton, ButtonState state)
{
    const BOOL disabled = IsButtonDisabled(pButton);
    if (IsKindOfClass(pButton, "CKTOutlookButton"))
        return disabled ? ::GetSysColor(COLOR_BTNFACE) : ktGlobals.m_colorWindow;
    if (disabled)
        return ktGlobals.m_colorGrayText;
    if (state == ButtonsIsHighlighted)
    {
        const COLORREF custom = CKTToolBar::GetCustomTextColor();
        return custom == (COLORREF)-1 ? ktGlobals.m_colorBarText : custom;
    }
    return ktGlobals.m_colorBarText;
}

COLORREF CKTVisualManager::GetCaptionBarTextColor(CControlBar*)
{
    return ktGlobals.m_colorWindow;
}

COLORREF CKTVisualManager::OnFillCommandsListBackground(CDC* pDC, CRect rect, BOOL bIsSelected)
{
    if (bIsSelected)
    {
        pDC->FillRect(rect, &ktGlobals.m_brushSelection);
        return ktGlobals.m_colorSelectionText;
    }
    pDC->FillRect(rect, &ktGlobals.m_brushFace);
    return ktGlobals.m_colorBarText;
}

void CKTVisualManager::OnFillHeaderCtrlBackground(CDC* pDC, CRect rect, CWnd* /*pHeader*/)
{
    pDC->FillRect(rect, &ktGlobals.m_brushFace);
}

void CKTVisualManager::OnDrawHeaderCtrlBorder(CDC* pDC, CRect& rect, BOOL bIsPressed, BOOL bIsHighlighted,
                                              CWnd* /*pHeader*/)
{
    if (bIsPressed)
        pDC->Draw3dRect(rect, ktGlobals.m_colorShadow, ktGlobals.m_colorShadow);
    else if (bIsHighlighted)
        pDC->Draw3dRect(rect, ktGlobals.m_colorHighlight, ktGlobals.m_colorDarkShadow);
    else
        pDC->Draw3dRect(rect, ktGlobals.m_colorHighlight, ktGlobals.m_colorShadow);
    rect.DeflateRect(1, 1);
}

int CKTVisualManager::GetShowAllMenuItemsHeight(CDC*, const CSize&)
{
    CKTMenuGlyphs::Initialize();
    return CKTMenuGlyphs::GetImageSize().cy + 6;
}

void CKTVisualManager::OnDrawShowAllMenuItems(CDC* pDC, CRect rect, ButtonState)
{
    CKTMenuGlyphs::Initialize();
    const CSize glyph = CKTMenuGlyphs::GetImageSize();
    CKTMenuGlyphs::Draw(pDC, CKTMenuGlyphs::IdChevronVertical,
                        CPoint(rect.left + (rect.Width() - glyph.cx) / 2, rect.top + (rect.Height() - glyph.cy) / 2));
}

int CKTVisualManager::GetCaptionButtonGlyph(const CKTSizingBarButton* pButton, BOOL bHorz, BOOL bMaximized,
                                            BOOL bDisabled)
{
    if (pButton->m_nHit == HTOBJECT)
        return CKTMenuGlyphs::IdCaptionClose;
    if (bHorz)
        return bMaximized ? CKTMenuGlyphs::IdArrowRight
                          : (bDisabled ? CKTMenuGlyphs::IdArrowRightDisabled : CKTMenuGlyphs::IdArrowLeft);
    return bMaximized ? CKTMenuGlyphs::IdArrowDown : (bDisabled ? CKTMenuGlyphs::IdArrowUpDisabled : CKTMenuGlyphs::IdArrowUp);
}

void CKTVisualManager::OnDrawCaptionButton(CDC* pDC, CKTSizingBarButton* pButton, BOOL bHorz, BOOL bMaximized,
                                           BOOL bDisabled)
{
    const CRect rect = pButton->GetRect();
    const int glyph = GetCaptionButtonGlyph(pButton, bHorz, bMaximized, bDisabled);
    const BOOL bPushed = pButton->m_bPushed && pButton->m_bFocused;
    CPoint ptGlyph = rect.TopLeft() + CSize(2, 2);
    if (bPushed)
    {
        CRect frame = rect;
        pDC->Draw3dRect(frame, ktGlobals.m_colorBarDarkShadow, ktGlobals.m_colorBarLight);
        frame.DeflateRect(1, 1);
        pDC->Draw3dRect(frame, ktGlobals.m_colorBarDarkShadow, ktGlobals.m_colorBarHighlight);
        ptGlyph.Offset(1, 1);
    }
    else if (!m_bLook2000)
    {
        CRect frame = rect;
        pDC->Draw3dRect(frame, ktGlobals.m_colorBarLight, ktGlobals.m_colorBarDarkShadow);
        frame.DeflateRect(1, 1);
        pDC->Draw3dRect(frame, ktGlobals.m_colorBarHighlight, ktGlobals.m_colorBarShadow);
    }
    else if ((pButton->m_bFocused || pButton->m_bPushed) && glyph != CKTMenuGlyphs::IdArrowUpDisabled &&
             glyph != CKTMenuGlyphs::IdArrowRightDisabled)
        pDC->Draw3dRect(rect, ktGlobals.m_colorBarHighlight, ktGlobals.m_colorBarShadow);
    CKTMenuGlyphs::Draw(pDC, glyph, ptGlyph);
}

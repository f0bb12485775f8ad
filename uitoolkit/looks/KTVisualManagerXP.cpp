#include "uitoolkit/looks/KTVisualManagerXP.h"

#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTSizingControlBar.h"
#include "uitoolkit/bars/KTStatusBar.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/bars/KTToolbarEditBoxButton.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/customize/KTColorBar.h"
#include "uitoolkit/looks/KTDrawHelper.h"
#include "uitoolkit/looks/KTMenuGlyphs.h"
#include "uitoolkit/looks/KTUIGlobals.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CKTVisualManagerXP, CKTVisualManager)

namespace
{
COLORREF MeanWithWeight(COLORREF selection, COLORREF menu, int menuWeight)
{
    auto mean = [menuWeight](int a, int b) { return (a + menuWeight * b) / (menuWeight + 1); };
    return RGB(mean(GetRValue(selection), GetRValue(menu)), mean(GetGValue(selection), GetGValue(menu)),
               mean(GetBValue(selection), GetBValue(menu)));
}
} // namespace

CKTVisualManagerXP::CKTVisualManagerXP(BOOL bIsTemporary) : CKTVisualManager(bIsTemporary)
{
    m_bLook2000 = TRUE;
    m_nMenuShadowDepth = 4;
    m_bMenuFlatLook = TRUE;
    m_bShadowHighlightedImage = TRUE;
    m_bEmbossDisabledImage = FALSE;
    m_bFadeInactiveImage = TRUE;
    m_nVertMargin = 4;
    m_nHorzMargin = 4;
    m_nGroupVertOffset = 4;
    m_nGroupCaptionHeight = 0;
    m_nGroupCaptionHorzOffset = 0;
    m_nGroupCaptionVertOffset = 0;
    m_nTasksHorzOffset = 12;
    m_nTasksIconHorzOffset = 5;
    m_nTasksIconVertOffset = 4;
    m_bActiveCaptions = FALSE;
    if (!bIsTemporary)
        ktGlobals.UpdateSysColors();
    OnUpdateSystemColors();
}

CKTVisualManagerXP::~CKTVisualManagerXP() = default;

void CKTVisualManagerXP::OnUpdateSystemColors()
{
    for (CGdiObject* object : std::initializer_list<CGdiObject*>{&m_brGripperHorz, &m_brGripperVert, &m_brBarBkgnd,
                                                                 &m_brMenuLight, &m_brHighlight, &m_brHighlightDn,
                                                                 &m_brHighlightChecked, &m_brTabBack, &m_penSeparator})
        object->DeleteObject();

    if (ktGlobals.m_bitsPerPixel > 8)
    {
        m_clrMenuLight = CKTDrawHelper::PixelAlpha(ktGlobals.m_colorWindow, .976, .973, .969);
        double H = 0, S = 0, L = 0;
        CKTDrawHelper::RGBtoHSL(ktGlobals.m_colorBarFace, &H, &S, &L);
        double L2, S2;
        if (S >= 0.1)
        {
            L2 = std::min(1.0, (L + 1) * 0.5);
            S2 = std::min(1.0, 2 * S);
        }
        else
        {
            L2 = std::min(1.0, L + (1 - L) * 0.5);
            S2 = S == 0 ? 0 : std::min(1.0, S + 0.1);
        }
        m_clrTabArea = CKTDrawHelper::HLStoRGB(H, L2, S2);
        m_clrBarBkgnd = L <= 0.9 ? CKTDrawHelper::HLStoRGB(H, 1.03 * L, S) : ktGlobals.m_colorBarFace;
        m_clrInactiveTabText = CKTDrawHelper::HLStoRGB(H, 0.4 * L, S);
        m_clrHighlight = CKTDrawHelper::PixelAlpha(MeanWithWeight(ktGlobals.m_colorSelection, m_clrMenuLight, 2), 105);
        m_clrHighlightDn = CKTDrawHelper::PixelAlpha(m_clrHighlight, .87, .87, .87);
        m_clrHighlightChecked =
            CKTDrawHelper::PixelAlpha(MeanWithWeight(ktGlobals.m_colorSelection, m_clrMenuLight, 5), 100);
        m_clrSeparator = CKTDrawHelper::PixelAlpha(ktGlobals.m_colorBarFace, .86, .86, .86);
        m_clrPaneBorder = CKTDrawHelper::PixelAlpha(ktGlobals.m_colorBarFace, 108);
        m_clrMenuBorder = CKTDrawHelper::PixelAlpha(ktGlobals.m_colorBarFace, 55);
        m_clrGripper = CKTDrawHelper::PixelAlpha(ktGlobals.m_colorBarShadow, 110);
    }
    else
    {
        m_clrMenuLight = ::GetSysColor(COLOR_WINDOW);
        m_clrHighlightChecked = m_clrMenuLight;
        m_clrBarBkgnd = ::GetSysColor(COLOR_BTNFACE);
        m_clrHighlight = m_clrBarBkgnd;
        m_clrHighlightDn = m_clrBarBkgnd;
        m_clrInactiveTabText = ::GetSysColor(COLOR_3DDKSHADOW);
        m_clrTabArea = m_clrBarBkgnd;
        m_clrSeparator = ::GetSysColor(COLOR_BTNSHADOW);
        m_clrPaneBorder = m_clrSeparator;
        m_clrMenuBorder = ::GetSysColor(COLOR_3DDKSHADOW);
        m_clrGripper = m_clrSeparator;
    }
    m_clrHighlightBorder = ::GetSysColor(COLOR_HIGHLIGHT);

    m_brBarBkgnd.CreateSolidBrush(m_clrBarBkgnd);
    m_brMenuLight.CreateSolidBrush(m_clrMenuLight);
    m_brHighlight.CreateSolidBrush(m_clrHighlight);
    m_brHighlightDn.CreateSolidBrush(m_clrHighlightDn);
    m_brHighlightChecked.CreateSolidBrush(m_clrHighlightChecked);
    m_brTabBack.CreateSolidBrush(m_clrTabArea);
    m_penSeparator.CreatePen(PS_SOLID, 1, m_clrSeparator);
}

void CKTVisualManagerXP::CreateGripperBrushes()
{
    // Monochrome bitmap rows are 16 bits wide.
    const WORD horizontalLines[8] = {0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00};
    const WORD verticalLines[8] = {0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA};
    for (auto& pattern :
         {std::make_pair(&m_brGripperHorz, horizontalLines), std::make_pair(&m_brGripperVert, verticalLines)})
    {
        pattern.first->DeleteObject();
        HBITMAP hBitmap = ::CreateBitmap(8, 8, 1, 1, pattern.second);
        if (hBitmap == nullptr)
            continue;
        pattern.first->Attach(::CreatePatternBrush(hBitmap));
        ::DeleteObject(hBitmap);
    }
}

void CKTVisualManagerXP::AdjustMenuButtonRect(CKTToolbarMenuButton* pButton, CRect& rect)
{
    if (pButton == nullptr || pButton->m_pPopupMenu == nullptr || pButton->m_pPopupMenu->GetSafeHwnd() == nullptr)
        return;
    CRect rectMenu;
    ::GetWindowRect(pButton->m_pPopupMenu->GetSafeHwnd(), &rectMenu);
    switch (pButton->m_pPopupMenu->m_DropDirection)
    {
    case CKTPopupMenu::DROP_DIRECTION_BOTTOM:
        rect.bottom += rectMenu.Width() < rect.Width() ? 1 : 4;
        break;
    case CKTPopupMenu::DROP_DIRECTION_TOP:
        rect.top -= rectMenu.Width() < rect.Width() ? 0 : 4;
        break;
    case CKTPopupMenu::DROP_DIRECTION_RIGHT:
        rect.right += rectMenu.Height() < rect.Height() ? 1 : 4;
        break;
    case CKTPopupMenu::DROP_DIRECTION_LEFT:
        rect.left -= rectMenu.Height() < rect.Height() ? 1 : 4;
        break;
    default:
        break;
    }
}

void CKTVisualManagerXP::OnFillHighlightedArea(CDC* pDC, CRect rect, CBrush* pBrush, CKTToolbarButton*)
{
    pDC->FillRect(rect, pBrush);
}

BOOL CKTVisualManagerXP::IsInPopupMenu(const CKTToolbarButton* pButton) const
{
    return IsKindOfClass(pButton, "CKTToolbarMenuButton") && IsKindOfClass(pButton->m_pWndParent, "CKTPopupMenuBar");
}

int CKTVisualManagerXP::MenuImageWidth() const
{
    return CKTToolBar::GetMenuImageSize().cx;
}

COLORREF CKTVisualManagerXP::GetHighlightedTextColor() const
{
    return (GetRValue(m_clrHighlight) > 128 && GetGValue(m_clrHighlight) > 128 && GetBValue(m_clrHighlight) > 128)
               ? RGB(0, 0, 0)
               : RGB(255, 255, 255);
}

void CKTVisualManagerXP::OnFillBarBackground(CDC* pDC, CControlBar* pBar, CRect rectClient, CRect rectClip)
{
    if (rectClip.IsRectEmpty())
        rectClip = rectClient;
    if (IsKindOfClass(pBar, "CKTMenuBar") || IsKindOfClass(pBar, "CKTOutlookBar"))
    {
        CKTVisualManager::OnFillBarBackground(pDC, pBar, rectClient, rectClip);
        return;
    }
    if (IsKindOfClass(pBar, "CKTColorBar"))
    {
        // A torn-off palette is a toolbar; one in a popup or on a dialog is a menu without images.
        pDC->FillRect(rectClip, static_cast<CKTColorBar*>(pBar)->IsTornOff() ? &m_brBarBkgnd : &m_brMenuLight);
        return;
    }
    if (IsKindOfClass(pBar, "CKTPopupMenuBar"))
    {
        pDC->FillRect(rectClip, &m_brMenuLight);
        CRect strip = rectClient;
        strip.right = strip.left + MenuImageWidth() + 2 * GetMenuImageMargin() + 1;
        pDC->FillRect(strip, &m_brBarBkgnd);
        return;
    }
    if (IsKindOfClass(pBar, "CKTToolBar"))
    {
        pDC->FillRect(rectClip, &m_brBarBkgnd);
        return;
    }
    CKTVisualManager::OnFillBarBackground(pDC, pBar, rectClient, rectClip);
}

void CKTVisualManagerXP::OnDrawBarBorder(CDC* pDC, CControlBar* pBar, CRect& rect)
{
    const DWORD dwStyle = pBar != nullptr ? pBar->GetBarStyle() : 0;
    if ((dwStyle & CBRS_BORDER_ANY) == 0)
        return;
    const COLORREF oldBk = pDC->GetBkColor();
    const COLORREF face = ktGlobals.m_colorBarFace;
    if (dwStyle & CBRS_BORDER_LEFT)
        pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), face);
    if (dwStyle & CBRS_BORDER_TOP)
        pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, face);
    if (dwStyle & CBRS_BORDER_RIGHT)
        pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), face);
    if (dwStyle & CBRS_BORDER_BOTTOM)
        pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, face);
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

void CKTVisualManagerXP::OnDrawMenuBorder(CDC* pDC, CWnd* pMenu, CRect rect)
{
    DrawFrame(pDC, rect, m_clrMenuBorder);
    CRect inner = rect;
    inner.DeflateRect(1, 1);
    DrawFrame(pDC, inner, m_clrMenuLight);
    pDC->FillRect(CRect(rect.left + 1, rect.top + 1, rect.left + 2, rect.bottom - 1), &m_brBarBkgnd);

    CKTPopupMenu* pPopup = IsKindOfClass(pMenu, "CKTPopupMenu") ? static_cast<CKTPopupMenu*>(pMenu) : nullptr;
    CKTToolbarMenuButton* pButton = pPopup != nullptr ? pPopup->m_pParentBtn : nullptr;
    if (!m_bConnectMenuToParent || pButton == nullptr || !pButton->IsMenuConnectable() ||
        IsKindOfClass(pButton->m_pWndParent, "CKTPopupMenuBar") || pButton->m_pWndParent == nullptr ||
        pButton->m_pWndParent->GetSafeHwnd() == nullptr || pMenu->GetSafeHwnd() == nullptr)
        return;

    // The button's rectangle in the menu's client coordinates, grown by one pixel.
    CRect rectButton = pButton->m_rect;
    ::MapWindowPoints(pButton->m_pWndParent->GetSafeHwnd(), pMenu->GetSafeHwnd(), reinterpret_cast<POINT*>(&rectButton),
                      2);
    rectButton.InflateRect(1, 1);
    CRect strip;
    BOOL tooWide = FALSE;
    switch (pPopup->m_DropDirection)
    {
    case CKTPopupMenu::DROP_DIRECTION_BOTTOM:
        strip = CRect(rect.left, rect.top, rect.right, rect.top + 1);
        tooWide = pButton->m_rect.Width() > rect.Width() + 2;
        break;
    case CKTPopupMenu::DROP_DIRECTION_TOP:
        strip = CRect(rect.left, rect.bottom - 1, rect.right, rect.bottom);
        tooWide = pButton->m_rect.Width() > rect.Width() + 2;
        break;
    case CKTPopupMenu::DROP_DIRECTION_RIGHT:
        strip = CRect(rect.left, rect.top, rect.left + 1, rect.bottom);
        tooWide = pButton->m_rect.Height() > rect.Height() + 2;
        break;
    case CKTPopupMenu::DROP_DIRECTION_LEFT:
        strip = CRect(rect.right - 1, rect.top, rect.right, rect.bottom);
        tooWide = pButton->m_rect.Height() > rect.Height() + 2;
        break;
    default:
        return;
    }
    CRect open;
    if (!tooWide && open.IntersectRect(strip, rectButton))
        pDC->FillRect(open, &m_brBarBkgnd);
}

void CKTVisualManagerXP::OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CControlBar* pBar)
{
    if (m_brGripperHorz.GetSafeHandle() == nullptr)
        CreateGripperBrushes();
    const BOOL sizingBar = IsKindOfClass(pBar, "CKTSizingControlBar");
    CRect rect = rectGripper;
    CBrush* pPattern = nullptr;
    if (sizingBar)
    {
        // The title takes the whole height of the caption; the grip lines fill what it leaves.
        DrawSizingBarTitle(pDC, rect, bHorz, pBar);
        if (bHorz)
            rect.DeflateRect(4, 0);
        else
            rect.DeflateRect(0, 4);
        pPattern = bHorz ? &m_brGripperVert : &m_brGripperHorz;
    }
    else if (bHorz)
    {
        const int w = rect.Width();
        rect = CRect(rectGripper.right - (w / 2 + 2), rectGripper.top + 6, rectGripper.left + (w / 2 + 2),
                     rectGripper.bottom - 6);
        pPattern = &m_brGripperHorz;
    }
    else
    {
        const int h = rect.Height();
        rect = CRect(rectGripper.left + 6, rectGripper.bottom - (h / 2 + 2), rectGripper.right - 6,
                     rectGripper.top + (h / 2 + 2));
        pPattern = &m_brGripperVert;
    }
    const BOOL onFace = sizingBar || IsKindOfClass(pBar, "CKTMenuBar");
    const COLORREF oldText = pDC->SetTextColor(m_clrGripper);
    const COLORREF oldBk = pDC->SetBkColor(onFace ? ktGlobals.m_colorBarFace : m_clrBarBkgnd);
    pDC->FillRect(rect, pPattern);
    pDC->SetTextColor(oldText);
    pDC->SetBkColor(oldBk);
}

void CKTVisualManagerXP::DrawSizingBarTitle(CDC* pDC, CRect& rectGripper, BOOL bHorz, CControlBar* pBar)
{
    CString strTitle;
    if (pBar->GetSafeHwnd() != nullptr)
        pBar->GetWindowText(strTitle);
    if (strTitle.IsEmpty() || rectGripper.IsRectEmpty())
        return;
    // A bar docked at the top or bottom has its caption down its left side: the title runs
    // upward from the bottom there, in the rotated font.
    CFont* pOldFont = pDC->SelectObject(bHorz ? &ktGlobals.m_fontRotated90 : &ktGlobals.m_fontText);
    const COLORREF oldText = pDC->SetTextColor(ktGlobals.m_colorBarText);
    const COLORREF oldBk = pDC->SetBkColor(ktGlobals.m_colorBarFace);
    const int oldMode = pDC->SetBkMode(OPAQUE);
    const CSize extent = pDC->GetTextExtent(strTitle);
    const int kGap = 4;
    if (bHorz)
    {
        const int length = std::min(static_cast<int>(extent.cx), static_cast<int>(rectGripper.Height()));
        CRect rectText(rectGripper.left, rectGripper.bottom - length, rectGripper.right, rectGripper.bottom);
        const int x = rectText.left + std::max(0, static_cast<int>(rectText.Width() - extent.cy) / 2);
        pDC->ExtTextOut(x, rectText.bottom, ETO_CLIPPED | ETO_OPAQUE, rectText, strTitle, nullptr);
        rectGripper.bottom = rectText.top - kGap;
    }
    else
    {
        CRect rectText = rectGripper;
        pDC->DrawText(strTitle, rectText, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_CALCRECT);
        rectText.top = rectGripper.top;
        rectText.bottom = rectGripper.bottom;
        rectText.right = std::min(rectText.right, rectGripper.right);
        pDC->DrawText(strTitle, rectText, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS);
        rectGripper.left = rectText.right + kGap;
    }
    pDC->SetBkMode(oldMode);
    pDC->SetBkColor(oldBk);
    pDC->SetTextColor(oldText);
    pDC->SelectObject(pOldFont);
}

void CKTVisualManagerXP::OnDrawSeparator(CDC* pDC, CControlBar* pBar, CRect rect, BOOL bIsHoriz)
{
    CPen* pOldPen = pDC->SelectObject(&m_penSeparator);
    if (bIsHoriz)
    {
        const int x = rect.left + rect.Width() / 2;
        pDC->MoveTo(x, rect.top);
        pDC->LineTo(x, rect.bottom - 1);
    }
    else
    {
        const int y = rect.top + rect.Height() / 2;
        int left = rect.left, right = rect.right;
        if (IsKindOfClass(pBar, "CKTPopupMenuBar") && !IsKindOfClass(pBar, "CKTColorBar"))
        {
            left = rect.left + GetMenuImageMargin() + MenuImageWidth() + 1;
            right = 32767;
        }
        pDC->MoveTo(left, y);
        pDC->LineTo(right, y);
    }
    pDC->SelectObject(pOldPen);
}

void CKTVisualManagerXP::OnDrawMenuSystemButton(CDC* pDC, CRect rect, UINT uiSystemCommand, UINT nStyle,
                                                BOOL bHighlight)
{
    const BOOL disabled = (nStyle & TBBS_DISABLED) != 0;
    const BOOL pressed = (nStyle & TBBS_PRESSED) != 0;
    int glyph = -1;
    switch (uiSystemCommand)
    {
    case SC_MINIMIZE:
        glyph = CKTMenuGlyphs::IdMinimize;
        break;
    case SC_RESTORE:
        glyph = CKTMenuGlyphs::IdRestore;
        break;
    case SC_CLOSE:
        glyph = CKTMenuGlyphs::IdClose;
        break;
    default:
        return;
    }
    if (disabled)
        ++glyph;
    else if (bHighlight && pressed)
        glyph = CKTMenuGlyphs::IdMinimizeHighlighted + (glyph - CKTMenuGlyphs::IdMinimize) / 2;
    if (bHighlight && !disabled)
    {
        OnFillHighlightedArea(pDC, rect, pressed ? &m_brHighlightDn : &m_brHighlight, nullptr);
        DrawFrame(pDC, rect, m_clrHighlightBorder);
    }
    CKTMenuGlyphs::Initialize();
    const CSize size = CKTMenuGlyphs::GetImageSize();
    CKTMenuGlyphs::Draw(pDC, glyph,
                        CPoint(rect.left + (rect.Width() - size.cx) / 2, rect.top + (rect.Height() - size.cy) / 2));
}

void CKTVisualManagerXP::OnDrawStatusBarPaneBorder(CDC* pDC, CKTStatusBar*, CRect rectPane, UINT, UINT nStyle)
{
    if (nStyle & SBPS_NOBORDERS)
        return;
    if (nStyle & SBPS_POPOUT)
        CKTDrawHelper(pDC).HighlightRect(rectPane);
    DrawFrame(pDC, rectPane, m_clrPaneBorder);
}

void CKTVisualManagerXP::OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                               BOOL bIsHighlighted, CKTToolbarButton* pButton)
{
    if (!bIsDropped && !bIsHighlighted)
    {
        pDC->FillRect(rect, &ktGlobals.m_brushBarFace);
        DrawFrame(pDC, rect, ktGlobals.m_colorBarHighlight);
    }
    else
    {
        OnFillHighlightedArea(pDC, rect, bIsDropped ? &m_brHighlightDn : &m_brHighlight, pButton);
        pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), m_clrHighlightBorder);
    }
    DrawComboArrow(pDC, rect, bDisabled, bIsDropped);
}

void CKTVisualManagerXP::DrawComboArrow(CDC* pDC, const CRect& rect, BOOL bDisabled, BOOL bIsDropped)
{
    const int glyph = bIsDropped  ? CKTMenuGlyphs::IdArrowDownDropped
                      : bDisabled ? CKTMenuGlyphs::IdArrowDownDisabled
                                  : CKTMenuGlyphs::IdArrowDown;
    CKTMenuGlyphs::Initialize();
    const CSize size = CKTMenuGlyphs::GetImageSize();
    CKTMenuGlyphs::Draw(
        pDC, glyph, CPoint(rect.left + (rect.Width() - size.cx) / 2 + 1, rect.top + (rect.Height() - size.cy) / 2 + 1));
}

void CKTVisualManagerXP::OnDrawComboBorder(CDC* pDC, CRect rect, BOOL, BOOL bIsDropped, BOOL bIsHighlighted,
                                           CKTToolbarButton*)
{
    if (!bIsDropped && !bIsHighlighted)
        return;
    rect.DeflateRect(1, 1);
    DrawFrame(pDC, rect, m_clrHighlightBorder);
}

void CKTVisualManagerXP::OnDrawEditBorder(CDC* pDC, CRect rect, BOOL, BOOL bIsHighlighted, CKTToolbarButton*)
{
    if (CKTToolbarEditBoxButton::m_bFlat && bIsHighlighted)
        DrawFrame(pDC, rect, m_clrHighlightBorder);
}

void CKTVisualManagerXP::OnDrawTearOffCaption(CDC* pDC, CRect rect, BOOL bIsActive)
{
    if (m_brGripperHorz.GetSafeHandle() == nullptr)
        CreateGripperBrushes();
    pDC->FillRect(rect, &m_brMenuLight);
    CRect inner = rect;
    inner.DeflateRect(1, 1);
    OnFillHighlightedArea(pDC, inner, bIsActive ? &m_brHighlight : &m_brBarBkgnd, nullptr);

    const int width = std::max(20, 2 * MenuImageWidth());
    CRect band(inner.CenterPoint().x - width / 2, inner.top + (bIsActive ? 2 : 1), 0,
               inner.bottom - (bIsActive ? 2 : 1));
    band.right = band.left + width;
    const COLORREF oldText = pDC->SetTextColor(bIsActive ? ktGlobals.m_colorBarDarkShadow : ktGlobals.m_colorBarShadow);
    const COLORREF oldBk = pDC->SetBkColor(bIsActive ? m_clrHighlight : m_clrBarBkgnd);
    pDC->FillRect(band, &m_brGripperHorz);
    pDC->SetTextColor(oldText);
    pDC->SetBkColor(oldBk);
    if (bIsActive)
        DrawFrame(pDC, inner, ktGlobals.m_colorBarDarkShadow);
}

void CKTVisualManagerXP::OnFillButtonInterior(CDC* pDC, CKTToolbarButton* pButton, CRect rect, ButtonState state)
{
    if (pButton == nullptr || state == ButtonsIsRegular || CKTToolBar::IsCustomizeMode())
        return;
    const BOOL inMenu = IsInPopupMenu(pButton);
    if (!(inMenu && state == ButtonsIsHighlighted))
    {
        --rect.right;
        --rect.bottom;
    }
    CBrush* pBrush = ((pButton->m_nStyle & TBBS_PRESSED) && !inMenu) ? &m_brHighlightDn : &m_brHighlight;

    CKTToolbarMenuButton* pMenuButton =
        IsKindOfClass(pButton, "CKTToolbarMenuButton") ? static_cast<CKTToolbarMenuButton*>(pButton) : nullptr;
    if (pMenuButton != nullptr && !inMenu && pMenuButton->IsDroppedDown())
    {
        pBrush = &m_brBarBkgnd;
        AdjustMenuButtonRect(pMenuButton, rect);
    }
    const BOOL checked = (pButton->m_nStyle & TBBS_CHECKED) != 0;
    if (checked)
        pBrush = state == ButtonsIsHighlighted ? &m_brHighlightDn : &m_brHighlightChecked;
    if (pMenuButton != nullptr && !inMenu && (pButton->m_nStyle & TBBS_DISABLED))
        pBrush = &m_brMenuLight;

    if (!checked)
        rect.DeflateRect(1, 1);
    else if (inMenu)
        --rect.left;
    OnFillHighlightedArea(pDC, rect, pBrush, pButton);
}

void CKTVisualManagerXP::OnDrawButtonBorder(CDC* pDC, CKTToolbarButton* pButton, CRect rect, ButtonState state)
{
    if (pButton == nullptr || state == ButtonsIsRegular)
        return;
    const BOOL inMenu = IsInPopupMenu(pButton);
    COLORREF color = m_clrHighlightBorder;
    CKTToolbarMenuButton* pMenuButton =
        IsKindOfClass(pButton, "CKTToolbarMenuButton") ? static_cast<CKTToolbarMenuButton*>(pButton) : nullptr;
    if (pMenuButton != nullptr && !inMenu && pMenuButton->m_pPopupMenu != nullptr &&
        pMenuButton->m_pPopupMenu->GetSafeHwnd() != nullptr)
    {
        color = m_clrMenuBorder;
        AdjustMenuButtonRect(pMenuButton, rect);
        if (CKTToolBar::IsMenuShadows() && !CKTToolBar::IsCustomizeMode() && ktGlobals.m_bitsPerPixel > 8)
            CKTDrawHelper(pDC).DrawShadow(rect, m_nMenuShadowDepth, 100, 75);
    }
    if (!(inMenu && state == ButtonsIsHighlighted))
    {
        --rect.right;
        --rect.bottom;
    }
    if (inMenu && (pButton->m_nStyle & TBBS_CHECKED))
        ++rect.bottom;
    DrawFrame(pDC, rect, color);
}

void CKTVisualManagerXP::OnHighlightMenuItem(CDC* pDC, CKTToolbarMenuButton* pButton, CRect rect, COLORREF& clrText)
{
    const BOOL disabled = pButton != nullptr && (pButton->m_nStyle & TBBS_DISABLED) != 0;
    CBrush* pBrush = disabled ? &m_brMenuLight : &m_brHighlight;
    OnFillHighlightedArea(pDC, rect, pBrush, pButton);
    DrawFrame(pDC, rect, m_clrHighlightBorder);

    const int margin = GetMenuImageMargin();
    if (pButton != nullptr && IsKindOfClass(pButton->m_pWndParent, "CKTPopupMenuBar") && rect.left > margin - 1)
    {
        int stripRight = MenuImageWidth() + 2 * margin - 1;
        if (pButton->m_nStyle & TBBS_CHECKED)
            stripRight += 2;
        const CRect join(stripRight, rect.top, rect.left + 1, rect.bottom);
        if (join.Width() > 0)
        {
            DrawFrame(pDC, join, m_clrHighlightBorder);
            CRect inside = join;
            inside.DeflateRect(0, 1);
            pDC->FillRect(inside, pBrush);
        }
    }
    clrText = disabled ? ktGlobals.m_colorGrayText : GetHighlightedTextColor();
}

void CKTVisualManagerXP::OnHighlightRarelyUsedMenuItems(CDC* pDC, CRect rectRarelyUsed)
{
    CRect strip = rectRarelyUsed;
    strip.left -= 1;
    strip.right = strip.left + MenuImageWidth() + 2 * GetMenuImageMargin() + 2;
    CKTDrawHelper(pDC).HighlightRect(strip, 94);
}

COLORREF CKTVisualManagerXP::GetToolbarButtonTextColor(CKTToolbarButton* pButton, ButtonState state)
{
    if (pButton != nullptr && state == ButtonsIsHighlighted && !IsButtonDisabled(pButton) &&
        (pButton->m_nStyle & (TBBS_CHECKED | TBBS_PRESSED)) != 0)
        return ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    return CKTVisualManager::GetToolbarButtonTextColor(pButton, state);
}

COLORREF CKTVisualManagerXP::OnFillCommandsListBackground(CDC* pDC, CRect rect, BOOL bIsSelected)
{
    if (bIsSelected)
    {
        pDC->FillRect(rect, &m_brHighlight);
        return GetHighlightedTextColor();
    }
    pDC->FillRect(rect, &m_brMenuLight);
    CRect strip = rect;
    strip.right = strip.left + MenuImageWidth() + 2 * GetMenuImageMargin();
    pDC->FillRect(strip, &m_brBarBkgnd);
    return ktGlobals.m_colorBarText;
}

void CKTVisualManagerXP::OnDrawCaptionButton(CDC* pDC, CKTSizingBarButton* pButton, BOOL bHorz, BOOL bMaximized,
                                             BOOL bDisabled)
{
    if (pButton->m_nHit != HTOBJECT && bHorz)
    {
        CKTVisualManager::OnDrawCaptionButton(pDC, pButton, bHorz, bMaximized, bDisabled);
        return;
    }
    const CRect rect = pButton->GetRect();
    if (pButton->m_bFocused || pButton->m_bPushed)
    {
        OnFillHighlightedArea(pDC, rect, pButton->m_bPushed && pButton->m_bFocused ? &m_brHighlightDn : &m_brHighlight,
                              nullptr);
        DrawFrame(pDC, rect, m_clrHighlightBorder);
    }
    CKTMenuGlyphs::Draw(pDC, GetCaptionButtonGlyph(pButton, bHorz, bMaximized, bDisabled),
                        rect.TopLeft() + CSize(2, 2));
}

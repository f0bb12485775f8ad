#include "uitoolkit/looks/KTVisualManager2003.h"

#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTCaptionBar.h"
#include "uitoolkit/bars/KTStatusBar.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/looks/KTDrawHelper.h"
#include "uitoolkit/looks/KTMenuGlyphs.h"
#include "uitoolkit/looks/KTUIGlobals.h"

#include <algorithm>

#include <vssym32.h>

IMPLEMENT_DYNCREATE(CKTVisualManager2003, CKTVisualManagerXP)

namespace
{
BOOL IsVerticalBar(const CControlBar* pBar)
{
    return pBar != nullptr && (pBar->GetBarStyle() & CBRS_ORIENT_HORZ) == 0 &&
           (pBar->GetBarStyle() & CBRS_ORIENT_VERT) != 0;
}
} // namespace

CKTVisualManager2003::CKTVisualManager2003(BOOL bIsTemporary) : CKTVisualManagerXP(bIsTemporary)
{
    m_nMenuShadowDepth = 2;
    m_bShadowHighlightedImage = FALSE;
    m_bFadeInactiveImage = FALSE;
    m_nVertMargin = 8;
    m_nHorzMargin = 8;
    m_nGroupVertOffset = 8;
    m_nGroupCaptionHeight = 18;
    m_nGroupCaptionHorzOffset = 3;
    m_nGroupCaptionVertOffset = 3;
    m_nTasksHorzOffset = 8;
    m_nTasksIconHorzOffset = 5;
    m_nTasksIconVertOffset = 4;
    m_bActiveCaptions = TRUE;
    OnUpdateSystemColors();
}

CKTVisualManager2003::~CKTVisualManager2003() = default;

BOOL CKTVisualManager2003::IsPaletteScreen()
{
    return ktGlobals.m_bitsPerPixel <= 8;
}

BOOL CKTVisualManager2003::IsCustomizeButton(const CKTToolbarButton* pButton) const
{
    return IsKindOfClass(pButton, "CCustomizeButton");
}

void CKTVisualManager2003::ModifyGlobalColors()
{
    COLORREF face, shadow, highlight, darkShadow, light;
    if (!m_bStandardStyle || IsPaletteScreen())
    {
        face = ThemeSysColor(COLOR_BTNFACE);
        shadow = ThemeSysColor(COLOR_BTNSHADOW);
        highlight = ThemeSysColor(COLOR_BTNHIGHLIGHT);
        darkShadow = ThemeSysColor(COLOR_3DDKSHADOW);
        light = ThemeSysColor(COLOR_3DLIGHT);
    }
    else
    {
        face = CKTDrawHelper::BlendColors(ThemeSysColor(COLOR_WINDOW), ThemeSysColor(COLOR_MENUHILIGHT), 1.0, 1, 1);
        shadow = CKTDrawHelper::PixelAlpha(face, 70);
        highlight = CKTDrawHelper::PixelAlpha(face, 130);
        darkShadow = CKTDrawHelper::PixelAlpha(face, 50);
        light = CKTDrawHelper::PixelAlpha(face, 110);
    }
    // A temporary manager leaves the colours of the look in use alone.
    if (m_bIsTemporary)
        return;
    ktGlobals.m_colorBarFace = face;
    ktGlobals.m_colorBarShadow = shadow;
    ktGlobals.m_colorBarHighlight = highlight;
    ktGlobals.m_colorBarDarkShadow = darkShadow;
    ktGlobals.m_colorBarLight = light;
    ktGlobals.m_brushBarFace.DeleteObject();
    ktGlobals.m_brushBarFace.CreateSolidBrush(face);
}

void CKTVisualManager2003::OnUpdateSystemColors()
{
    OpenThemes();
    m_bStandardStyle = FALSE;
    CWnd* pMainWnd = AfxGetMainWnd();
    if (m_bUseGlobalTheme || (pMainWnd != nullptr && HasWindowTheme(pMainWnd->GetSafeHwnd())))
    {
        const CString title = m_strThemeFileOverride.IsEmpty() ? GetCurrentThemeFileTitle() : m_strThemeFileOverride;
        m_bStandardStyle = title.CompareNoCase(L"Luna") == 0;
    }
    ModifyGlobalColors();
    CKTVisualManagerXP::OnUpdateSystemColors();

    for (CGdiObject* object :
         std::initializer_list<CGdiObject*>{&m_penSeparator2003, &m_penBarHighlight, &m_brBarArea, &m_brFace2003})
        object->DeleteObject();
    if (IsPaletteScreen())
    {
        // Every painter is the XP look's here; the brushes only keep a valid handle.
        m_brBarArea.CreateSolidBrush(ktGlobals.m_colorBarFace);
        m_brFace2003.CreateSolidBrush(ktGlobals.m_colorBarFace);
        m_penBarHighlight.CreatePen(PS_SOLID, 1, ktGlobals.m_colorBarHighlight);
        m_penSeparator2003.CreatePen(PS_SOLID, 1, ktGlobals.m_colorBarShadow);
        return;
    }

    const COLORREF base = m_bStandardStyle ? ThemeSysColor(COLOR_HIGHLIGHT) : ktGlobals.m_colorBarFace;
    m_clrToolBarGradientStart = CKTDrawHelper::BlendColors(base, ThemeSysColor(COLOR_BTNFACE), 0.93, 2, 1);
    m_clrToolBarGradientEnd = CKTDrawHelper::BlendColors(base, ThemeSysColor(COLOR_WINDOW), 1.03, 1, 1);
    m_clrToolBarGradientVertStart = m_clrToolBarGradientEnd;
    m_clrToolBarGradientVertEnd = CKTDrawHelper::PixelAlpha(m_clrToolBarGradientStart, 98);
    m_clrBarGradientStart = CKTDrawHelper::BlendColors(base, ThemeSysColor(COLOR_3DLIGHT), 0.99, 2, 1);
    m_clrBarGradientEnd = m_clrToolBarGradientEnd;

    COLORREF barShadow = ktGlobals.m_colorBarShadow, barDarkShadow = ktGlobals.m_colorBarDarkShadow;
    if (!m_bStandardStyle)
    {
        m_clrMenuItemHighlight = (COLORREF)-1;
        m_clrHighlightGradientEnd = m_clrHighlight;
        m_clrHighlightGradientStart = m_clrHighlightDn;
        m_clrPressed = CKTDrawHelper::PixelAlpha(m_clrHighlightGradientEnd, 120);
        m_clrToolBarEdge = barDarkShadow;
        m_clrToolBarCorner1 = ktGlobals.m_colorBarLight;
        m_clrToolBarCorner2 = barDarkShadow;
        m_clrGripperDots = barDarkShadow;
        m_clrPen = barShadow;
    }
    else
    {
        // The accent colour of the push button (else of the radio button) mixed with the fill
        // colour of the window theme; where the theme names none, the system's colours.
        COLORREF accent = ThemeSysColor(COLOR_HIGHLIGHT);
        if (!GetThemeColorValue(m_hThemeButton, BP_PUSHBUTTON, PBS_NORMAL, TMT_ACCENTCOLORHINT, accent))
            GetThemeColorValue(m_hThemeButton, BP_RADIOBUTTON, RBS_UNCHECKEDNORMAL, TMT_ACCENTCOLORHINT, accent);
        COLORREF fill = ThemeSysColor(COLOR_WINDOW);
        GetThemeColorValue(m_hThemeWindow, 0, 0, TMT_FILLCOLORHINT, fill);
        COLORREF border = ThemeSysColor(COLOR_BTNSHADOW);
        GetThemeColorValue(m_hThemeButton, BP_PUSHBUTTON, PBS_NORMAL, TMT_BORDERCOLORHINT, border);

        m_clrMenuItemHighlight = CKTDrawHelper::BlendColors(accent, fill, 1.3, 1, 1);
        m_clrHighlightGradientEnd = CKTDrawHelper::BlendColors(accent, fill, 1.55, 2, 1);
        m_clrHighlightGradientStart = CKTDrawHelper::BlendColors(accent, fill, 1.03, 2, 1);
        m_clrPressed = CKTDrawHelper::BlendColors(accent, fill, 1.03, 1, 2);
        barDarkShadow = CKTDrawHelper::BlendColors(border, base, 0.63, 1, 3);
        barShadow = CKTDrawHelper::BlendColors(border, base, 1.2, 1, 3);
        if (!m_bIsTemporary)
        {
            ktGlobals.m_colorBarDarkShadow = barDarkShadow;
            ktGlobals.m_colorBarShadow = barShadow;
        }
        m_clrToolBarEdge = CKTDrawHelper::PixelAlpha(m_clrToolBarGradientStart, 50);
        m_clrToolBarCorner1 = CKTDrawHelper::PixelAlpha(m_clrToolBarGradientEnd, 92);
        m_clrToolBarCorner2 = CKTDrawHelper::PixelAlpha(m_clrToolBarGradientStart, 97);
        m_clrGripperDots = CKTDrawHelper::PixelAlpha(m_clrToolBarGradientVertEnd, 40);
        m_clrHighlightBorder = m_clrGripperDots;
        m_clrPen = CKTDrawHelper::PixelAlpha(m_clrToolBarGradientVertEnd, 81);
    }
    m_clrCustomizeButtonGradientStart = barDarkShadow;
    m_clrCustomizeButtonGradientEnd = barShadow;
    m_clrPressedGradientStart = m_clrHighlightGradientStart;
    m_clrChecked = m_clrHighlightGradientStart;
    m_clrCheckedGradientStart = CKTDrawHelper::PixelAlpha(m_clrPressed, 120);
    m_clrCaptionBarGradientStart = barShadow;
    m_clrCaptionBarGradientEnd = barDarkShadow;

    m_brBarArea.CreateSolidBrush(m_clrBarGradientEnd);
    m_penBarHighlight.CreatePen(PS_SOLID, 1, ktGlobals.m_colorBarHighlight);
    m_brFace2003.CreateSolidBrush(ktGlobals.m_colorBarFace);
    m_penSeparator2003.CreatePen(PS_SOLID, 1, m_clrPen);
}

void CKTVisualManager2003::OnFillBarBackground(CDC* pDC, CControlBar* pBar, CRect rectClient, CRect rectClip)
{
    if (IsPaletteScreen() || IsKindOfClass(pBar, "CKTOutlookBar") ||
        (IsKindOfClass(pBar, "CKTStatusBar") && !m_bStatusBarGradient))
    {
        CKTVisualManagerXP::OnFillBarBackground(pDC, pBar, rectClient, rectClip);
        return;
    }
    if (rectClip.IsRectEmpty())
        rectClip = rectClient;
    CKTDrawHelper helper(pDC);
    if (IsKindOfClass(pBar, "CKTCaptionBar"))
    {
        helper.FillGradient(rectClient, m_clrCaptionBarGradientStart, m_clrCaptionBarGradientEnd, TRUE);
        return;
    }
    if (IsKindOfClass(pBar, "CKTPopupMenuBar"))
    {
        pDC->FillRect(rectClip, &m_brMenuLight);
        CRect strip = rectClient;
        strip.right = strip.left + MenuImageWidth() + 2 * GetMenuImageMargin() + 1;
        helper.FillGradient(strip, m_clrToolBarGradientStart, m_clrToolBarGradientEnd, FALSE);
        return;
    }
    if (IsKindOfClass(pBar, "CKTToolBar") && !IsKindOfClass(pBar, "CKTMenuBar"))
    {
        const BOOL vertical = IsVerticalBar(pBar);
        if (vertical)
            helper.FillGradient(rectClient, m_clrToolBarGradientVertStart, m_clrToolBarGradientVertEnd, FALSE);
        else
            helper.FillGradient(rectClient, m_clrToolBarGradientStart, m_clrToolBarGradientEnd, TRUE);
        // The edge away from the dock row and rounded corners.
        if (vertical)
            pDC->FillSolidRect(rectClient.right - 1, rectClient.top + 2, 1, rectClient.Height() - 4, m_clrToolBarEdge);
        else
            pDC->FillSolidRect(rectClient.left + 2, rectClient.bottom - 1, rectClient.Width() - 4, 1, m_clrToolBarEdge);
        pDC->SetPixel(rectClient.left, rectClient.top, m_clrToolBarCorner1);
        pDC->SetPixel(rectClient.right - 1, rectClient.top, m_clrToolBarCorner1);
        pDC->SetPixel(rectClient.left, rectClient.bottom - 1, m_clrToolBarCorner2);
        pDC->SetPixel(rectClient.right - 1, rectClient.bottom - 1, m_clrToolBarCorner2);
        return;
    }
    helper.FillGradient(rectClient, m_clrBarGradientStart, m_clrBarGradientEnd, FALSE);
}

void CKTVisualManager2003::OnDrawBarBorder(CDC* pDC, CControlBar* pBar, CRect& rect)
{
    if (IsPaletteScreen())
        CKTVisualManagerXP::OnDrawBarBorder(pDC, pBar, rect);
}

void CKTVisualManager2003::OnDrawMenuBorder(CDC* pDC, CWnd* pMenu, CRect rect)
{
    const CKTPopupMenu* pPopup = IsKindOfClass(pMenu, "CKTPopupMenu") ? static_cast<CKTPopupMenu*>(pMenu) : nullptr;
    const BOOL fromCustomize = !IsPaletteScreen() && pPopup != nullptr && IsCustomizeButton(pPopup->m_pParentBtn);
    const BOOL connect = m_bConnectMenuToParent;
    if (fromCustomize)
        m_bConnectMenuToParent = FALSE;
    CKTVisualManagerXP::OnDrawMenuBorder(pDC, pMenu, rect);
    m_bConnectMenuToParent = connect;
}

void CKTVisualManager2003::OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CControlBar* pBar)
{
    if (IsPaletteScreen() || !IsKindOfClass(pBar, "CKTToolBar"))
    {
        CKTVisualManagerXP::OnDrawBarGripper(pDC, rectGripper, bHorz, pBar);
        return;
    }
    // A horizontal bar's gripper runs down its left end, a vertical bar's along its top.
    const int length = bHorz ? rectGripper.Height() : rectGripper.Width();
    const int count = std::max(1, length / 4);
    const int first = (length - count * 4) / 2 + 1;
    const CPoint centre = rectGripper.CenterPoint();
    for (int i = 0; i < count; ++i)
    {
        const CPoint square = bHorz ? CPoint(centre.x - 1, rectGripper.top + first + i * 4)
                                    : CPoint(rectGripper.left + first + i * 4, centre.y - 1);
        pDC->FillSolidRect(square.x + 1, square.y + 1, 2, 2, ktGlobals.m_colorHighlight);
        pDC->FillSolidRect(square.x, square.y, 2, 2, m_clrGripperDots);
    }
}

void CKTVisualManager2003::OnDrawSeparator(CDC* pDC, CControlBar* pBar, CRect rect, BOOL bIsHoriz)
{
    if (IsPaletteScreen() || !IsKindOfClass(pBar, "CKTToolBar") || IsKindOfClass(pBar, "CKTPopupMenuBar"))
    {
        CKTVisualManagerXP::OnDrawSeparator(pDC, pBar, rect, bIsHoriz);
        return;
    }
    CPen* pOldPen = pDC->SelectObject(&m_penSeparator2003);
    if (bIsHoriz)
    {
        const int x = rect.left + rect.Width() / 2 - 1;
        pDC->MoveTo(x, rect.top + 2);
        pDC->LineTo(x, rect.bottom - 2);
        pDC->SelectObject(&m_penBarHighlight);
        pDC->MoveTo(x + 1, rect.top + 3);
        pDC->LineTo(x + 1, rect.bottom - 1);
    }
    else
    {
        const int y = rect.top + rect.Height() / 2 - 1;
        pDC->MoveTo(rect.left + 2, y);
        pDC->LineTo(rect.right - 2, y);
        pDC->SelectObject(&m_penBarHighlight);
        pDC->MoveTo(rect.left + 3, y + 1);
        pDC->LineTo(rect.right - 1, y + 1);
    }
    pDC->SelectObject(pOldPen);
}

void CKTVisualManager2003::OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                                 BOOL bIsHighlighted, CKTToolbarButton* pButton)
{
    if (IsPaletteScreen())
    {
        CKTVisualManagerXP::OnDrawComboDropButton(pDC, rect, bDisabled, bIsDropped, bIsHighlighted, pButton);
        return;
    }
    if (!bIsDropped && !bIsHighlighted)
    {
        CKTDrawHelper(pDC).FillGradient(rect, m_clrToolBarGradientStart, m_clrToolBarGradientEnd, TRUE);
    }
    else
    {
        OnFillHighlightedArea(pDC, rect, bIsDropped ? &m_brHighlightDn : &m_brHighlight, pButton);
        DrawFrame(pDC, rect, m_clrHighlightBorder);
    }
    DrawComboArrow(pDC, rect, bDisabled, bIsDropped);
}

void CKTVisualManager2003::OnDrawComboBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                                             CKTToolbarButton* pButton)
{
    if (IsPaletteScreen())
    {
        CKTVisualManagerXP::OnDrawComboBorder(pDC, rect, bDisabled, bIsDropped, bIsHighlighted, pButton);
        return;
    }
    if (!bIsDropped && !bIsHighlighted && !bDisabled)
        return;
    rect.DeflateRect(1, 1);
    DrawFrame(pDC, rect, bDisabled ? ktGlobals.m_colorBarShadow : m_clrHighlightBorder);
}

void CKTVisualManager2003::OnDrawTearOffCaption(CDC* pDC, CRect rect, BOOL bIsActive)
{
    if (IsPaletteScreen())
    {
        CKTVisualManagerXP::OnDrawTearOffCaption(pDC, rect, bIsActive);
        return;
    }
    pDC->FillRect(rect, &m_brBarArea);
    CRect inner = rect;
    inner.DeflateRect(1, 1);
    DrawFrame(pDC, inner, m_clrMenuBorder);
    inner.DeflateRect(1, 1);
    OnFillHighlightedArea(pDC, inner, bIsActive ? &m_brHighlight : &m_brBarBkgnd, nullptr);
}

COLORREF CKTVisualManager2003::OnFillCommandsListBackground(CDC* pDC, CRect rect, BOOL bIsSelected)
{
    if (IsPaletteScreen())
        return CKTVisualManagerXP::OnFillCommandsListBackground(pDC, rect, bIsSelected);
    if (bIsSelected)
    {
        if (m_clrMenuItemHighlight != (COLORREF)-1)
            pDC->FillSolidRect(rect, m_clrMenuItemHighlight);
        else
            CKTDrawHelper(pDC).FillGradient(rect, m_clrHighlightGradientStart, m_clrHighlightGradientEnd, TRUE);
        DrawFrame(pDC, rect, m_clrHighlightBorder);
        return GetHighlightedTextColor();
    }
    pDC->FillRect(rect, &m_brMenuLight);
    CRect strip = rect;
    strip.right = strip.left + MenuImageWidth() + 2 * GetMenuImageMargin();
    CKTDrawHelper(pDC).FillGradient(strip, m_clrToolBarGradientStart, m_clrToolBarGradientEnd, FALSE);
    return ktGlobals.m_colorBarText;
}

void CKTVisualManager2003::OnFillButtonInterior(CDC* pDC, CKTToolbarButton* pButton, CRect rect, ButtonState state)
{
    if (IsPaletteScreen() || !IsCustomizeButton(pButton))
    {
        CKTVisualManagerXP::OnFillButtonInterior(pDC, pButton, rect, state);
        return;
    }
    // The customize button reaches the end of its toolbar.
    CWnd* pBar = pButton->m_pWndParent;
    const BOOL horizontal = !IsVerticalBar(dynamic_cast<CControlBar*>(pBar));
    if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr)
    {
        CRect client;
        ::GetClientRect(pBar->GetSafeHwnd(), &client);
        if (horizontal)
            rect.right = client.right;
        else
            rect.bottom = client.bottom;
    }
    OnDrawCustomizeButton(pDC, rect, horizontal, state);
}

void CKTVisualManager2003::OnDrawButtonBorder(CDC* pDC, CKTToolbarButton* pButton, CRect rect, ButtonState state)
{
    if (IsPaletteScreen() || !IsCustomizeButton(pButton))
        CKTVisualManagerXP::OnDrawButtonBorder(pDC, pButton, rect, state);
}

void CKTVisualManager2003::OnDrawCustomizeButton(CDC* pDC, CRect rect, BOOL bIsHorz, ButtonState state)
{
    CKTDrawHelper helper(pDC);
    if (state == ButtonsIsHighlighted || state == ButtonsIsPressed)
        helper.FillGradient(rect, m_clrHighlightGradientStart, m_clrHighlightGradientEnd, bIsHorz);
    else
        helper.FillGradient(rect, m_clrCustomizeButtonGradientStart, m_clrCustomizeButtonGradientEnd, bIsHorz);
    CKTMenuGlyphs::Initialize();
    const CSize glyph = CKTMenuGlyphs::GetImageSize();
    const int id = bIsHorz ? CKTMenuGlyphs::IdArrowDown : CKTMenuGlyphs::IdArrowRight;
    CKTMenuGlyphs::Draw(pDC, id,
                        CPoint(rect.left + (rect.Width() - glyph.cx) / 2, rect.top + (rect.Height() - glyph.cy) / 2));
}

void CKTVisualManager2003::OnFillAreaWithBorder(CDC* pDC, CRect rect, COLORREF clrFill, BOOL bDrawBorder)
{
    pDC->FillSolidRect(rect, clrFill == (COLORREF)-1 ? m_clrBarGradientEnd : clrFill);
    if (bDrawBorder)
        pDC->Draw3dRect(rect, m_clrToolBarGradientEnd, m_clrToolBarEdge);
}

void CKTVisualManager2003::OnFillHighlightedArea(CDC* pDC, CRect rect, CBrush* pBrush, CKTToolbarButton* pButton)
{
    if (IsPaletteScreen() || !m_bStandardStyle)
    {
        CKTVisualManagerXP::OnFillHighlightedArea(pDC, rect, pBrush, pButton);
        return;
    }
    const BOOL inMenu = IsInPopupMenu(pButton);
    if (inMenu && pBrush == &m_brHighlight && m_clrMenuItemHighlight != (COLORREF)-1)
    {
        pDC->FillSolidRect(rect, m_clrMenuItemHighlight);
        return;
    }
    COLORREF start = 0, end = 0;
    if (pBrush == &m_brHighlight)
        start = m_clrHighlightGradientStart, end = m_clrHighlightGradientEnd;
    else if (pBrush == &m_brHighlightDn)
        start = m_clrPressedGradientStart, end = m_clrPressed;
    else if (pBrush == &m_brHighlightChecked)
        start = m_clrCheckedGradientStart, end = m_clrChecked;
    else if (pBrush == &m_brBarBkgnd && !inMenu && IsKindOfClass(pButton, "CKTToolbarMenuButton") &&
             static_cast<CKTToolbarMenuButton*>(pButton)->IsDroppedDown())
        start = m_clrToolBarGradientStart, end = m_clrToolBarGradientEnd;
    else
    {
        CKTVisualManagerXP::OnFillHighlightedArea(pDC, rect, pBrush, pButton);
        return;
    }
    if (inMenu)
        pDC->FillSolidRect(rect, pBrush == &m_brHighlight ? start : end);
    else
        CKTDrawHelper(pDC).FillGradient(rect, start, end, TRUE);
}

int CKTVisualManager2003::GetShowAllMenuItemsHeight(CDC* pDC, const CSize& sizeDefault)
{
    const int height = CKTVisualManagerXP::GetShowAllMenuItemsHeight(pDC, sizeDefault);
    return IsPaletteScreen() ? height : height + 4;
}

void CKTVisualManager2003::OnDrawShowAllMenuItems(CDC* pDC, CRect rect, ButtonState state)
{
    if (!IsPaletteScreen())
    {
        CKTMenuGlyphs::Initialize();
        const CSize glyph = CKTMenuGlyphs::GetImageSize();
        const int side = std::max(glyph.cx, glyph.cy) + 6;
        CRect ring(CPoint(rect.CenterPoint().x - side / 2, rect.CenterPoint().y - side / 2), CSize(side, side));
        CKTDrawHelper(pDC).FillGradientRing(ring, m_clrToolBarGradientStart, m_clrMenuLight, (COLORREF)-1, 45,
                                            side / 2);
    }
    CKTVisualManagerXP::OnDrawShowAllMenuItems(pDC, rect, state);
}

void CKTVisualManager2003::OnDrawStatusBarProgress(CDC* pDC, CKTStatusBar* pStatusBar, CRect rectProgress,
                                                   int nProgressTotal, int nProgressCurr, COLORREF clrBar,
                                                   COLORREF clrProgressBarDest, COLORREF clrProgressText,
                                                   BOOL bProgressText)
{
    if (IsPaletteScreen() || !DrawProgress(pDC, rectProgress, nProgressTotal, nProgressCurr, bProgressText))
        CKTVisualManagerXP::OnDrawStatusBarProgress(pDC, pStatusBar, rectProgress, nProgressTotal, nProgressCurr,
                                                    clrBar, clrProgressBarDest, clrProgressText, bProgressText);
}

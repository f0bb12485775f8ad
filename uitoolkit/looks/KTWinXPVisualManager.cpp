#include "uitoolkit/looks/KTWinXPVisualManager.h"

#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTSizingControlBar.h"
#include "uitoolkit/bars/KTStatusBar.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/customize/KTButton.h"
#include "uitoolkit/looks/KTMenuGlyphs.h"
#include "uitoolkit/looks/KTUIGlobals.h"

#include <vssym32.h>

IMPLEMENT_DYNCREATE(CKTWinXPVisualManager, CKTVisualManagerXP)

CKTWinXPVisualManager::CKTWinXPVisualManager(BOOL bIsTemporary) : CKTVisualManagerXP(bIsTemporary)
{
    m_nVertMargin = 12;
    m_nHorzMargin = 12;
    m_nGroupVertOffset = 15;
    m_nGroupCaptionHeight = 25;
    m_nGroupCaptionHorzOffset = 13;
    m_nGroupCaptionVertOffset = 7;
    m_nTasksHorzOffset = 12;
    m_nTasksIconHorzOffset = 5;
    m_nTasksIconVertOffset = 4;
    m_bActiveCaptions = TRUE;
    OnUpdateSystemColors();
}

CKTWinXPVisualManager::~CKTWinXPVisualManager() = default;

BOOL CKTWinXPVisualManager::IsWinXPThemeAvailable()
{
    // The instance is looked at without creating one.
    CKTVisualManager* pCurrent = CKTVisualManager::GetCurrent();
    if (auto* pThemed = dynamic_cast<CKTWinXPVisualManager*>(pCurrent))
        return pThemed->m_hThemeWindow != nullptr;
    CKTWinXPVisualManager probe(TRUE);
    return probe.m_hThemeWindow != nullptr;
}

void CKTWinXPVisualManager::OnUpdateSystemColors()
{
    CKTVisualManagerXP::OnUpdateSystemColors();
    m_bShadowHighlightedImage = m_hThemeWindow == nullptr;
}

BOOL CKTWinXPVisualManager::KeepsXPMenuLook(const CKTToolbarButton* pButton) const
{
    if (!m_bXPMenus || pButton == nullptr)
        return FALSE;
    if (IsInPopupMenu(pButton))
        return TRUE;
    return IsKindOfClass(pButton, "CKTToolbarMenuButton") &&
           static_cast<const CKTToolbarMenuButton*>(pButton)->IsDroppedDown();
}

int CKTWinXPVisualManager::GetToolbarButtonThemeState(const CKTToolbarButton* pButton, ButtonState state)
{
    const UINT style = pButton != nullptr ? pButton->m_nStyle : 0;
    if (style & TBBS_DISABLED)
        return TS_DISABLED;
    if (style & TBBS_CHECKED)
        return state == ButtonsIsHighlighted ? TS_HOTCHECKED : TS_CHECKED;
    if (style & TBBS_PRESSED)
        return TS_PRESSED;
    if (state == ButtonsIsHighlighted)
        return TS_HOT;
    return TS_NORMAL;
}

void CKTWinXPVisualManager::OnFillBarBackground(CDC* pDC, CControlBar* pBar, CRect rectClient, CRect rectClip)
{
    if (HasSystemMenus() && IsKindOfClass(pBar, "CKTPopupMenuBar"))
    {
        ::FillRect(pDC->GetSafeHdc(), rectClip.IsRectEmpty() ? &rectClient : &rectClip, ::GetSysColorBrush(COLOR_MENU));
        return;
    }
    CKTVisualManagerXP::OnFillBarBackground(pDC, pBar, rectClient, rectClip);
}

void CKTWinXPVisualManager::OnDrawMenuBorder(CDC* pDC, CWnd* pMenu, CRect rect)
{
    if (HasSystemMenus())
        CKTVisualManager::OnDrawMenuBorder(pDC, pMenu, rect);
    else
        CKTVisualManagerXP::OnDrawMenuBorder(pDC, pMenu, rect);
}

void CKTWinXPVisualManager::OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CControlBar* pBar)
{
    if (m_hThemeRebar == nullptr)
    {
        CKTVisualManagerXP::OnDrawBarGripper(pDC, rectGripper, bHorz, pBar);
        return;
    }
    const COLORREF oldText = pDC->SetTextColor(ktGlobals.m_colorBarShadow);
    const COLORREF oldBk = pDC->SetBkColor(ktGlobals.m_colorBarFace);
    DrawThemed(m_hThemeRebar, pDC, bHorz ? RP_GRIPPER : RP_GRIPPERVERT, 0, rectGripper);
    pDC->SetTextColor(oldText);
    pDC->SetBkColor(oldBk);
}

void CKTWinXPVisualManager::OnDrawSeparator(CDC* pDC, CControlBar* pBar, CRect rect, BOOL bIsHoriz)
{
    if (m_hThemeToolBar == nullptr || (m_bXPMenus && IsKindOfClass(pBar, "CKTPopupMenuBar")))
        CKTVisualManagerXP::OnDrawSeparator(pDC, pBar, rect, bIsHoriz);
    else
        DrawThemed(m_hThemeToolBar, pDC, bIsHoriz ? TP_SEPARATOR : TP_SEPARATORVERT, 0, rect);
}

void CKTWinXPVisualManager::OnDrawMenuSystemButton(CDC* pDC, CRect rect, UINT uiSystemCommand, UINT nStyle,
                                                   BOOL bHighlight)
{
    int part = 0;
    switch (uiSystemCommand)
    {
    case SC_MINIMIZE:
        part = WP_MDIMINBUTTON;
        break;
    case SC_CLOSE:
        part = WP_MDICLOSEBUTTON;
        break;
    case SC_RESTORE:
        part = WP_MDIRESTOREBUTTON;
        break;
    default:
        break;
    }
    if (m_hThemeWindow == nullptr || part == 0)
    {
        CKTVisualManagerXP::OnDrawMenuSystemButton(pDC, rect, uiSystemCommand, nStyle, bHighlight);
        return;
    }
    int state = CBS_NORMAL;
    if (nStyle & TBBS_DISABLED)
        state = CBS_DISABLED;
    else if ((nStyle & TBBS_PRESSED) && bHighlight)
        state = CBS_PUSHED;
    else if (bHighlight)
        state = CBS_HOT;
    DrawThemed(m_hThemeWindow, pDC, part, state, rect);
}

void CKTWinXPVisualManager::OnDrawStatusBarPaneBorder(CDC* pDC, CKTStatusBar* pBar, CRect rectPane, UINT uiID,
                                                      UINT nStyle)
{
    if (m_hThemeStatusBar == nullptr)
        CKTVisualManagerXP::OnDrawStatusBarPaneBorder(pDC, pBar, rectPane, uiID, nStyle);
    else if ((nStyle & SBPS_NOBORDERS) == 0)
        DrawThemed(m_hThemeStatusBar, pDC, SP_PANE, 0, rectPane);
}

void CKTWinXPVisualManager::OnDrawStatusBarProgress(CDC* pDC, CKTStatusBar* pStatusBar, CRect rectProgress,
                                                    int nProgressTotal, int nProgressCurr, COLORREF clrBar,
                                                    COLORREF clrProgressBarDest, COLORREF clrProgressText,
                                                    BOOL bProgressText)
{
    if (!DrawProgress(pDC, rectProgress, nProgressTotal, nProgressCurr, bProgressText))
        CKTVisualManager::OnDrawStatusBarProgress(pDC, pStatusBar, rectProgress, nProgressTotal, nProgressCurr, clrBar,
                                                  clrProgressBarDest, clrProgressText, bProgressText);
}

void CKTWinXPVisualManager::OnDrawStatusBarSizeBox(CDC* pDC, CKTStatusBar* pStatBar, CRect rectSizeBox)
{
    if (m_hThemeScrollBar == nullptr)
        CKTVisualManagerXP::OnDrawStatusBarSizeBox(pDC, pStatBar, rectSizeBox);
    else
        DrawThemed(m_hThemeScrollBar, pDC, SBP_SIZEBOX, SZB_RIGHTALIGN, rectSizeBox);
}

void CKTWinXPVisualManager::OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                                  BOOL bIsHighlighted, CKTToolbarButton* pButton)
{
    if (m_hThemeComboBox == nullptr)
    {
        CKTVisualManagerXP::OnDrawComboDropButton(pDC, rect, bDisabled, bIsDropped, bIsHighlighted, pButton);
        return;
    }
    const int state = bDisabled ? CBXS_DISABLED : bIsDropped ? CBXS_PRESSED : bIsHighlighted ? CBXS_HOT : CBXS_NORMAL;
    DrawThemed(m_hThemeComboBox, pDC, CP_DROPDOWNBUTTON, state, rect);
}

void CKTWinXPVisualManager::OnDrawComboBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped,
                                              BOOL bIsHighlighted, CKTToolbarButton* pButton)
{
    if (m_hThemeWindow == nullptr)
    {
        CKTVisualManagerXP::OnDrawComboBorder(pDC, rect, bDisabled, bIsDropped, bIsHighlighted, pButton);
        return;
    }
    if (!bIsDropped && !bIsHighlighted)
        return;
    rect.DeflateRect(1, 1);
    const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    pDC->Draw3dRect(rect, highlight, highlight);
}

void CKTWinXPVisualManager::OnDrawEditBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsHighlighted,
                                             CKTToolbarButton* pButton)
{
    if (m_hThemeWindow == nullptr)
    {
        CKTVisualManagerXP::OnDrawEditBorder(pDC, rect, bDisabled, bIsHighlighted, pButton);
        return;
    }
    if (bIsHighlighted)
    {
        const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
        pDC->Draw3dRect(rect, highlight, highlight);
    }
}

void CKTWinXPVisualManager::OnFillButtonInterior(CDC* pDC, CKTToolbarButton* pButton, CRect rect, ButtonState state)
{
    if (m_hThemeToolBar == nullptr || pButton == nullptr || KeepsXPMenuLook(pButton) || CKTToolBar::IsCustomizeMode())
    {
        CKTVisualManagerXP::OnFillButtonInterior(pDC, pButton, rect, state);
        return;
    }
    DrawThemed(m_hThemeToolBar, pDC, TP_BUTTON, GetToolbarButtonThemeState(pButton, state), rect);
}

void CKTWinXPVisualManager::OnDrawButtonBorder(CDC* pDC, CKTToolbarButton* pButton, CRect rect, ButtonState state)
{
    // The themed button includes its border.
    if (m_hThemeToolBar == nullptr || KeepsXPMenuLook(pButton))
        CKTVisualManagerXP::OnDrawButtonBorder(pDC, pButton, rect, state);
}

void CKTWinXPVisualManager::OnDrawDropDownSeparator(CDC* pDC, CKTToolbarMenuButton* pButton, CRect rect,
                                                    ButtonState state, BOOL bHorz)
{
    if (m_hThemeToolBar == nullptr)
    {
        CKTVisualManagerXP::OnDrawDropDownSeparator(pDC, pButton, rect, state, bHorz);
        return;
    }
    rect.InflateRect(2, 2);
    DrawThemed(m_hThemeToolBar, pDC, bHorz ? TP_SEPARATOR : TP_SEPARATORVERT, 0, rect);
}

void CKTWinXPVisualManager::OnHighlightMenuItem(CDC* pDC, CKTToolbarMenuButton* pButton, CRect rect, COLORREF& clrText)
{
    if (HasSystemMenus())
        CKTVisualManager::OnHighlightMenuItem(pDC, pButton, rect, clrText);
    else
        CKTVisualManagerXP::OnHighlightMenuItem(pDC, pButton, rect, clrText);
}

COLORREF CKTWinXPVisualManager::OnFillCommandsListBackground(CDC* pDC, CRect rect, BOOL bIsSelected)
{
    if (!HasSystemMenus())
        return CKTVisualManagerXP::OnFillCommandsListBackground(pDC, rect, bIsSelected);
    ::FillRect(pDC->GetSafeHdc(), &rect, ::GetSysColorBrush(COLOR_MENU));
    return ::GetSysColor(COLOR_MENUTEXT);
}

CSize CKTWinXPVisualManager::GetButtonExtraBorder() const
{
    return m_hThemeWindow != nullptr ? CSize(2, 2) : CSize(0, 0);
}

void CKTWinXPVisualManager::OnDrawCaptionButton(CDC* pDC, CKTSizingBarButton* pButton, BOOL bHorz, BOOL bMaximized,
                                                BOOL bDisabled)
{
    if (m_hThemeButton == nullptr)
    {
        CKTVisualManagerXP::OnDrawCaptionButton(pDC, pButton, bHorz, bMaximized, bDisabled);
        return;
    }
    int state = PBS_NORMAL;
    if (bDisabled)
        state = PBS_DISABLED;
    else if (pButton->m_bPushed && pButton->m_bFocused)
        state = PBS_PRESSED;
    else if (pButton->m_bFocused)
        state = PBS_HOT;
    const CRect rect = pButton->GetRect();
    DrawThemed(m_hThemeButton, pDC, BP_PUSHBUTTON, state, rect);
    CKTMenuGlyphs::Draw(pDC, GetCaptionButtonGlyph(pButton, bHorz, bMaximized, bDisabled),
                        rect.TopLeft() + CSize(2, 2));
}

BOOL CKTWinXPVisualManager::OnDrawPushButtonBorder(CDC* pDC, CRect& rect, CKTButton* pButton, UINT uiState)
{
    if (m_hThemeButton == nullptr || pButton == nullptr)
        return CKTVisualManagerXP::OnDrawPushButtonBorder(pDC, rect, pButton, uiState);
    const BOOL bPressed = (pButton->IsPushed() && pButton->IsHighlighted()) || (uiState & ODS_SELECTED) != 0;
    return DrawThemed(m_hThemeButton, pDC, BP_PUSHBUTTON,
                      GetPushButtonState(pButton->GetSafeHwnd(), bPressed, bPressed || pButton->IsHighlighted()), rect);
}

void CKTWinXPVisualManager::OnEraseTabsButton(CDC* pDC, CRect rect, CKTButton* pButton, const CKTTabWnd* pTabWnd)
{
    // The themed border covers the button.
    if (m_hThemeButton == nullptr)
        CKTVisualManagerXP::OnEraseTabsButton(pDC, rect, pButton, pTabWnd);
}

void CKTWinXPVisualManager::OnDrawTabsButtonBorder(CDC* pDC, CRect& rect, CKTButton* pButton, UINT uiState,
                                                   const CKTTabWnd* pTabWnd)
{
    if (m_hThemeButton == nullptr || pButton == nullptr)
    {
        CKTVisualManagerXP::OnDrawTabsButtonBorder(pDC, rect, pButton, uiState, pTabWnd);
        return;
    }
    const BOOL bPressed = (pButton->IsPushed() && pButton->IsHighlighted()) || (uiState & ODS_SELECTED) != 0;
    DrawThemed(m_hThemeButton, pDC, BP_PUSHBUTTON,
               GetPushButtonState(pButton->GetSafeHwnd(), bPressed, bPressed || pButton->IsHighlighted()), rect);
    rect.DeflateRect(2, 2);
}

// The themed look of the widgets: header items, the explorer-bar parts of the tasks pane, tree
// glyphs for the property list's boxes and a themed control frame. Each part falls back to the
// XP look when its theme is not open.
#include "uitoolkit/looks/KTWinXPVisualManager.h"

#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/widgets/KTTasksPane.h"

#include <vssym32.h>

void CKTWinXPVisualManager::OnFillHeaderCtrlBackground(CDC* pDC, CRect rect, CWnd* pHeader)
{
    if (!DrawThemed(m_hThemeHeader, pDC, HP_HEADERITEM, HIS_NORMAL, rect))
        CKTVisualManagerXP::OnFillHeaderCtrlBackground(pDC, rect, pHeader);
}

void CKTWinXPVisualManager::OnDrawHeaderCtrlBorder(CDC* pDC, CRect& rect, BOOL bIsPressed, BOOL bIsHighlighted,
                                                   CWnd* pHeader)
{
    const int state = bIsPressed ? HIS_PRESSED : (bIsHighlighted ? HIS_HOT : HIS_NORMAL);
    if (DrawThemed(m_hThemeHeader, pDC, HP_HEADERITEM, state, rect))
        rect.DeflateRect(1, 1);
    else
        CKTVisualManagerXP::OnDrawHeaderCtrlBorder(pDC, rect, bIsPressed, bIsHighlighted, pHeader);
}

void CKTWinXPVisualManager::OnFillOutlookBarCaption(CDC* pDC, CRect rectCaption, COLORREF& clrText)
{
    if (DrawThemed(m_hThemeButton, pDC, BP_PUSHBUTTON, PBS_NORMAL, rectCaption))
        clrText = GetThemeSysColorOrDefault(m_hThemeButton, COLOR_BTNTEXT);
    else
        CKTVisualManagerXP::OnFillOutlookBarCaption(pDC, rectCaption, clrText);
}

void CKTWinXPVisualManager::OnFillTasksPaneBackground(CDC* pDC, CRect rectWorkArea)
{
    if (!DrawThemed(m_hThemeExplorerBar, pDC, EBP_HEADERBACKGROUND, 0, rectWorkArea))
        CKTVisualManagerXP::OnFillTasksPaneBackground(pDC, rectWorkArea);
}

void CKTWinXPVisualManager::OnDrawTasksGroupCaption(CDC* pDC, const CKTTasksGroup* pGroup, BOOL bIsHighlighted)
{
    if (pGroup == nullptr || m_hThemeExplorerBar == nullptr)
    {
        CKTVisualManagerXP::OnDrawTasksGroupCaption(pDC, pGroup, bIsHighlighted);
        return;
    }
    DrawThemed(m_hThemeExplorerBar, pDC, EBP_NORMALGROUPHEAD, 0, pGroup->m_rectCaption);
    DrawTasksGroupCaptionContent(pDC, pGroup, bIsHighlighted ? ktGlobals.m_colorHotText : ktGlobals.m_colorBarText);
}

void CKTWinXPVisualManager::OnFillTasksGroupInterior(CDC* pDC, CRect rect)
{
    if (!DrawThemed(m_hThemeExplorerBar, pDC, EBP_NORMALGROUPBACKGROUND, 0, rect))
        CKTVisualManagerXP::OnFillTasksGroupInterior(pDC, rect);
}

void CKTWinXPVisualManager::OnDrawTasksGroupAreaBorder(CDC* pDC, CRect rect)
{
    // The themed group background carries its own border.
    if (m_hThemeExplorerBar == nullptr)
        CKTVisualManagerXP::OnDrawTasksGroupAreaBorder(pDC, rect);
}

void CKTWinXPVisualManager::OnDrawScrollButton(CDC* pDC, CRect rect, BOOL bIsUp, BOOL bIsHighlighted,
                                               BOOL bIsPressed, BOOL bIsDisabled)
{
    if (m_hThemeButton == nullptr)
    {
        CKTVisualManagerXP::OnDrawScrollButton(pDC, rect, bIsUp, bIsHighlighted, bIsPressed, bIsDisabled);
        return;
    }
    int state = PBS_NORMAL;
    if (bIsDisabled)
        state = PBS_DISABLED;
    else if (bIsPressed && bIsHighlighted)
        state = PBS_PRESSED;
    else if (bIsHighlighted)
        state = PBS_HOT;
    DrawThemed(m_hThemeButton, pDC, BP_PUSHBUTTON, state, rect);
    DrawScrollGlyph(pDC, rect, bIsUp, bIsDisabled);
}

void CKTWinXPVisualManager::OnDrawExpandingBox(CDC* pDC, CRect rect, BOOL bIsOpened, COLORREF colorBox)
{
    if (!DrawThemed(m_hThemeTree, pDC, TVP_GLYPH, bIsOpened ? GLPS_OPENED : GLPS_CLOSED, rect))
        CKTVisualManagerXP::OnDrawExpandingBox(pDC, rect, bIsOpened, colorBox);
}

void CKTWinXPVisualManager::OnDrawControlBorder(CWnd* pWndCtrl)
{
    if (m_hThemeWindow == nullptr || pWndCtrl == nullptr || pWndCtrl->GetSafeHwnd() == nullptr)
    {
        CKTVisualManagerXP::OnDrawControlBorder(pWndCtrl);
        return;
    }
    // The edge of a themed list: one line in the theme's shadow colour, the window colour inside.
    CWindowDC dc(pWndCtrl);
    CRect rect;
    pWndCtrl->GetWindowRect(rect);
    rect.OffsetRect(-rect.left, -rect.top);
    DrawFrame(&dc, rect, GetThemeSysColorOrDefault(m_hThemeWindow, COLOR_BTNSHADOW));
    rect.DeflateRect(1, 1);
    DrawFrame(&dc, rect, GetThemeSysColorOrDefault(m_hThemeWindow, COLOR_WINDOW));
}

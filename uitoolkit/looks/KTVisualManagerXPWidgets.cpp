// The XP look of the shortcut bar's caption and of the tasks pane: the bar tint behind the
// groups, light group interiors framed like menus, hot items in the look's highlight.
#include "uitoolkit/looks/KTVisualManagerXP.h"

#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/widgets/KTTasksPane.h"

void CKTVisualManagerXP::OnFillOutlookBarCaption(CDC* pDC, CRect rectCaption, COLORREF& clrText)
{
    pDC->FillSolidRect(rectCaption, ktGlobals.m_colorBarShadow);
    clrText = ktGlobals.m_colorWindow;
}

void CKTVisualManagerXP::OnFillTasksPaneBackground(CDC* pDC, CRect rectWorkArea)
{
    pDC->FillRect(rectWorkArea, &m_brBarBkgnd);
}

void CKTVisualManagerXP::OnDrawTasksGroupCaption(CDC* pDC, const CKTTasksGroup* pGroup, BOOL bIsHighlighted)
{
    if (pGroup == nullptr)
        return;
    const CRect rect = pGroup->m_rectCaption;
    if (bIsHighlighted)
        OnFillHighlightedArea(pDC, rect, &m_brHighlight, nullptr);
    else
        pDC->FillRect(rect, &m_brTabBack);
    DrawFrame(pDC, rect, bIsHighlighted ? m_clrHighlightBorder : m_clrMenuBorder);
    DrawTasksGroupCaptionContent(pDC, pGroup, bIsHighlighted ? GetHighlightedTextColor() : ktGlobals.m_colorBarText);
}

void CKTVisualManagerXP::OnFillTasksGroupInterior(CDC* pDC, CRect rect)
{
    pDC->FillRect(rect, &m_brMenuLight);
}

void CKTVisualManagerXP::OnDrawTasksGroupAreaBorder(CDC* pDC, CRect rect)
{
    DrawFrame(pDC, rect, m_clrMenuBorder);
}

void CKTVisualManagerXP::OnDrawTask(CDC* pDC, const CKTTask* pTask, BOOL bIsHighlighted)
{
    if (pTask == nullptr)
        return;
    DrawTaskText(pDC, pTask,
                 pTask->m_uiCommandID == 0 ? ktGlobals.m_colorBarText
                                           : (bIsHighlighted ? m_clrHighlightBorder : ktGlobals.m_colorHotText));
}

void CKTVisualManagerXP::OnDrawScrollButton(CDC* pDC, CRect rect, BOOL bIsUp, BOOL bIsHighlighted, BOOL bIsPressed,
                                            BOOL bIsDisabled)
{
    if (bIsHighlighted && !bIsDisabled)
    {
        OnFillHighlightedArea(pDC, rect, bIsPressed ? &m_brHighlightDn : &m_brHighlight, nullptr);
        DrawFrame(pDC, rect, m_clrHighlightBorder);
    }
    else
    {
        pDC->FillRect(rect, &m_brBarBkgnd);
    }
    DrawScrollGlyph(pDC, rect, bIsUp, bIsDisabled);
}

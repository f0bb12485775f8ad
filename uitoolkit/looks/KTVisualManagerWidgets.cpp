// The base look of the widgets: shortcut bar caption, header sort arrows, tasks pane, property
// list boxes and control frames.
#include "uitoolkit/looks/KTVisualManager.h"

#include "uitoolkit/looks/KTMenuGlyphs.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/widgets/KTTasksPane.h"

namespace
{
// Room between a caption's text and its collapse glyph.
const int kCaptionTextMargin = 6;
} // namespace

void CKTVisualManager::OnFillOutlookBarCaption(CDC* pDC, CRect rectCaption, COLORREF& clrText)
{
    pDC->FillRect(rectCaption, &ktGlobals.m_brushBarFace);
    pDC->Draw3dRect(rectCaption, ktGlobals.m_colorBarHighlight, ktGlobals.m_colorBarShadow);
    clrText = ktGlobals.m_colorBarText;
}

void CKTVisualManager::OnDrawHeaderCtrlSortArrow(CDC* pDC, CRect rectArrow, BOOL bIsUp)
{
    // An etched triangle: the lit sides in the highlight pen, the shaded ones in the shadow pen.
    CPen penLight(PS_SOLID, 1, ktGlobals.m_colorHighlight);
    CPen penDark(PS_SOLID, 1, ktGlobals.m_colorShadow);
    CPen* pOldPen = pDC->SelectObject(&penDark);
    const int xMid = rectArrow.CenterPoint().x;
    if (bIsUp)
    {
        pDC->MoveTo(xMid, rectArrow.top);
        pDC->LineTo(rectArrow.left, rectArrow.bottom - 1);
        pDC->SelectObject(&penLight);
        pDC->LineTo(rectArrow.right, rectArrow.bottom - 1);
        pDC->MoveTo(xMid, rectArrow.top);
        pDC->LineTo(rectArrow.right, rectArrow.bottom);
    }
    else
    {
        pDC->MoveTo(rectArrow.left, rectArrow.top);
        pDC->LineTo(rectArrow.right, rectArrow.top);
        pDC->MoveTo(rectArrow.left, rectArrow.top);
        pDC->LineTo(xMid, rectArrow.bottom - 1);
        pDC->SelectObject(&penLight);
        pDC->MoveTo(rectArrow.right - 1, rectArrow.top);
        pDC->LineTo(xMid, rectArrow.bottom);
    }
    pDC->SelectObject(pOldPen);
}

void CKTVisualManager::OnFillTasksPaneBackground(CDC* pDC, CRect rectWorkArea)
{
    pDC->FillSolidRect(rectWorkArea, ktGlobals.m_colorWindow);
}

void CKTVisualManager::OnDrawTasksGroupCaption(CDC* pDC, const CKTTasksGroup* pGroup, BOOL bIsHighlighted)
{
    if (pGroup == nullptr)
        return;
    const CRect rect = pGroup->m_rectCaption;
    pDC->FillRect(rect, &ktGlobals.m_brushBarFace);
    DrawTasksGroupCaptionContent(pDC, pGroup, bIsHighlighted ? ktGlobals.m_colorHotText : ktGlobals.m_colorBarText);
}

void CKTVisualManager::DrawTasksGroupCaptionContent(CDC* pDC, const CKTTasksGroup* pGroup, COLORREF clrText)
{
    CKTMenuGlyphs::Initialize();
    const CSize glyph = CKTMenuGlyphs::GetImageSize();
    const CRect rect = pGroup->m_rectCaption;
    CRect rectText = rect;
    rectText.DeflateRect(kCaptionTextMargin, 0, kCaptionTextMargin * 2 + glyph.cx, 0);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldText = pDC->SetTextColor(clrText);
    pDC->DrawText(pGroup->m_strName, rectText, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    pDC->SetTextColor(oldText);
    pDC->SetBkMode(oldMode);
    CKTMenuGlyphs::Draw(pDC, pGroup->m_bCollapsed ? CKTMenuGlyphs::IdArrowDown : CKTMenuGlyphs::IdArrowUp,
                        CPoint(rect.right - glyph.cx - kCaptionTextMargin, rect.CenterPoint().y - glyph.cy / 2));
}

void CKTVisualManager::OnFillTasksGroupInterior(CDC*, CRect) {}

void CKTVisualManager::OnDrawTasksGroupAreaBorder(CDC*, CRect) {}

void CKTVisualManager::OnDrawTasksGroupFrame(CDC* pDC, CRect rect)
{
    // Lines down both sides and along the bottom; the caption closes the top.
    CPen pen(PS_SOLID, 1, ktGlobals.m_colorBarShadow);
    CPen* pOldPen = pDC->SelectObject(&pen);
    pDC->MoveTo(rect.left, rect.top);
    pDC->LineTo(rect.left, rect.bottom - 1);
    pDC->LineTo(rect.right - 1, rect.bottom - 1);
    pDC->LineTo(rect.right - 1, rect.top - 1);
    pDC->SelectObject(pOldPen);
}

void CKTVisualManager::OnDrawTask(CDC* pDC, const CKTTask* pTask, BOOL bIsHighlighted)
{
    if (pTask == nullptr)
        return;
    DrawTaskText(pDC, pTask,
                 pTask->m_uiCommandID == 0 ? ktGlobals.m_colorWindowText
                                           : (bIsHighlighted ? ktGlobals.m_colorHotText : RGB(0, 0, 255)));
}

void CKTVisualManager::DrawTaskText(CDC* pDC, const CKTTask* pTask, COLORREF clrText)
{
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldText = pDC->SetTextColor(clrText);
    CRect rect = pTask->m_rect;
    pDC->DrawText(pTask->m_strName, rect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    pDC->SetTextColor(oldText);
    pDC->SetBkMode(oldMode);
}

void CKTVisualManager::OnDrawScrollButton(CDC* pDC, CRect rect, BOOL bIsUp, BOOL bIsHighlighted, BOOL bIsPressed,
                                          BOOL bIsDisabled)
{
    pDC->FillRect(rect, &ktGlobals.m_brushBarFace);
    const BOOL bSunken = bIsPressed && bIsHighlighted;
    if (bSunken)
        pDC->Draw3dRect(rect, ktGlobals.m_colorBarShadow, ktGlobals.m_colorBarHighlight);
    else if (bIsHighlighted)
        pDC->Draw3dRect(rect, ktGlobals.m_colorBarHighlight, ktGlobals.m_colorBarShadow);
    DrawScrollGlyph(pDC, rect, bIsUp, bIsDisabled, bSunken ? CSize(1, 1) : CSize(0, 0));
}

void CKTVisualManager::DrawScrollGlyph(CDC* pDC, const CRect& rect, BOOL bIsUp, BOOL bIsDisabled, CSize offset)
{
    CKTMenuGlyphs::Initialize();
    const CSize size = CKTMenuGlyphs::GetImageSize();
    const CPoint ptGlyph(rect.left + (rect.Width() - size.cx) / 2 + offset.cx,
                         rect.top + (rect.Height() - size.cy) / 2 + offset.cy);
    const int glyph = bIsUp ? (bIsDisabled ? CKTMenuGlyphs::IdArrowUpDisabled : CKTMenuGlyphs::IdArrowUp)
                            : (bIsDisabled ? CKTMenuGlyphs::IdArrowDownDisabled : CKTMenuGlyphs::IdArrowDown);
    CKTMenuGlyphs::Draw(pDC, glyph, ptGlyph);
}

void CKTVisualManager::OnDrawExpandingBox(CDC* pDC, CRect rect, BOOL bIsOpened, COLORREF colorBox)
{
    pDC->FillSolidRect(rect, ktGlobals.m_colorWindow);
    pDC->Draw3dRect(rect, colorBox, colorBox);
    const CPoint centre = rect.CenterPoint();
    pDC->FillSolidRect(CRect(rect.left + 2, centre.y, rect.right - 2, centre.y + 1), ktGlobals.m_colorText);
    if (!bIsOpened)
        pDC->FillSolidRect(CRect(centre.x, rect.top + 2, centre.x + 1, rect.bottom - 2), ktGlobals.m_colorText);
}

void CKTVisualManager::OnDrawControlBorder(CWnd* pWndCtrl)
{
    if (pWndCtrl == nullptr || pWndCtrl->GetSafeHwnd() == nullptr)
        return;
    CWindowDC dc(pWndCtrl);
    CRect rect;
    pWndCtrl->GetWindowRect(rect);
    rect.OffsetRect(-rect.left, -rect.top);
    dc.Draw3dRect(rect, ktGlobals.m_colorBarDarkShadow, ktGlobals.m_colorBarHighlight);
}

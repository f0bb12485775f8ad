#include "uitoolkit/bars/KTToolDockBar.h"

#include "uitoolkit/bars/KTSizingControlBar.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/looks/KTVisualManager.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CKTToolDockBar, CDockBar)

namespace
{

BOOL IsOfClassNamed(const CObject* pObject, const char* lpszName)
{
    for (const CRuntimeClass* pClass = pObject->GetRuntimeClass(); pClass != nullptr; pClass = pClass->m_pBaseClass)
    {
        if (std::strcmp(pClass->m_lpszClassName, lpszName) == 0)
            return TRUE;
    }
    return FALSE;
}

} // namespace

BOOL CKTToolDockBar::IsFullLengthBar(const CControlBar* pBar) const
{
    return IsOfClassNamed(pBar, "CKTMenuBar");
}

CSize CKTToolDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (!m_bLayoutQuery)
    {
        // Rows of their own for the full-length bars, so that the rows lay out around them.
        for (int i = 1; i < m_arrBars.GetSize(); ++i)
        {
            CControlBar* pBar = GetDockedControlBar(i);
            if (pBar == nullptr || !pBar->IsVisible() || !IsFullLengthBar(pBar))
                continue;
            if (m_arrBars[i - 1] != nullptr)
            {
                m_arrBars.InsertAt(i, static_cast<void*>(nullptr));
                ++i;
            }
            if (i + 1 < m_arrBars.GetSize() && m_arrBars[i + 1] != nullptr)
                m_arrBars.InsertAt(i + 1, static_cast<void*>(nullptr));
        }
    }
    const CSize size = CDockBar::CalcFixedLayout(bStretch, bHorz);
    if (m_bLayoutQuery)
        return size;

    CRect rectRoom = m_rectLayout;
    if (rectRoom.IsRectEmpty())
    {
        CFrameWnd* pFrame = GetParentFrame();
        rectRoom.SetRectEmpty();
        if (pFrame != nullptr)
            pFrame->GetClientRect(&rectRoom);
    }
    const int nLength = bHorz ? rectRoom.Width() : rectRoom.Height();
    for (int i = 1; i < m_arrBars.GetSize(); ++i)
    {
        CControlBar* pBar = GetDockedControlBar(i);
        if (pBar == nullptr || !pBar->IsVisible() || !IsFullLengthBar(pBar))
            continue;
        CRect rect;
        pBar->GetWindowRect(&rect);
        ScreenToClient(&rect);
        CRect rectFull = rect;
        if (bHorz)
        {
            rectFull.left = 0;
            rectFull.right = nLength;
        }
        else
        {
            rectFull.top = 0;
            rectFull.bottom = nLength;
        }
        if (rectFull != rect)
            pBar->SetWindowPos(nullptr, rectFull.left, rectFull.top, rectFull.Width(), rectFull.Height(),
                               SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return size;
}

int CKTToolDockBar::BarOverlap(const CControlBar* pBar) const
{
    if (pBar != nullptr && (pBar->IsKindOf(RUNTIME_CLASS(CKTToolBar)) ||
                            pBar->IsKindOf(RUNTIME_CLASS(CKTSizingControlBar)) || IsOfClassNamed(pBar, "CKTDialogBar")))
        return 0;
    return CDockBar::BarOverlap(pBar);
}

void CKTToolDockBar::DoPaint(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    CKTVisualManager::GetInstance()->OnFillBarBackground(pDC, this, rect, rect);
}

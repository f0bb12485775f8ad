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

CSize CKTToolDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    return CDockBar::CalcFixedLayout(bStretch, bHorz);
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

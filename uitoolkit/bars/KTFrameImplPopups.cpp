#include "uitoolkit/bars/KTFrameImplPopups.h"

#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"

KTPopupHit KTPopupHitTest(CKTPopupMenu* pMenu, CPoint ptScreen)
{
    CRect rect;
    pMenu->GetWindowRect(&rect);
    return rect.PtInRect(ptScreen) ? KTPopupHit::kItems : KTPopupHit::kOutside;
}

BOOL KTPopupStaysOpen(CKTPopupMenu*)
{
    return FALSE;
}

BOOL KTPopupEndsClick(CKTPopupMenu*)
{
    return FALSE;
}

CKTPopupMenu* KTGetParentPopupMenu(CKTPopupMenu* pMenu)
{
    CKTToolbarMenuButton* pButton = pMenu != nullptr ? pMenu->m_pParentBtn : nullptr;
    CWnd* pBar = pButton != nullptr ? pButton->m_pWndParent : nullptr;
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr || !pBar->IsKindOf(RUNTIME_CLASS(CKTPopupMenuBar)))
        return nullptr;
    CWnd* pParent = pBar->GetParent();
    return pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CKTPopupMenu)) ? static_cast<CKTPopupMenu*>(pParent)
                                                                                : nullptr;
}

void KTCancelPendingClose(CKTPopupMenu*) {}

HMENU KTPopupGetMenu(CKTPopupMenu*)
{
    return nullptr;
}

void KTPopupAppendButton(CKTPopupMenu*, const CKTToolbarButton&) {}

BOOL KTPopupIsTearOffCopy(CKTPopupMenu*)
{
    return FALSE;
}

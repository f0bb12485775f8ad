#include "uitoolkit/bars/KTFrameImplPopups.h"

#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTPopupMenuBar.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"

KTPopupHit KTPopupHitTest(CKTPopupMenu* pMenu, CPoint ptScreen)
{
    return static_cast<KTPopupHit>(pMenu->HitTest(ptScreen));
}

BOOL KTPopupStaysOpen(CKTPopupMenu* pMenu)
{
    return pMenu->IsAlwaysStayOpen();
}

BOOL KTPopupEndsClick(CKTPopupMenu* pMenu)
{
    return pMenu->m_bClickEndsHere;
}

CKTPopupMenu* KTGetParentPopupMenu(CKTPopupMenu* pMenu)
{
    return pMenu != nullptr ? pMenu->GetParentPopupMenu() : nullptr;
}

void KTCancelPendingClose(CKTPopupMenu* pMenu)
{
    CKTPopupMenuBar* pBar = pMenu->GetMenuBar();
    if (pBar != nullptr)
        pBar->m_pDelayedClosePopupMenuButton = nullptr;
}

HMENU KTPopupGetMenu(CKTPopupMenu* pMenu)
{
    return pMenu != nullptr ? pMenu->GetHMenu() : nullptr;
}

void KTPopupAppendButton(CKTPopupMenu* pMenu, const CKTToolbarButton& button)
{
    CKTPopupMenuBar* pBar = pMenu->GetMenuBar();
    if (pBar == nullptr)
        return;
    if (button.IsSeparator() || button.m_nID == 0)
    {
        pBar->InsertSeparator();
        return;
    }
    if (pBar->InsertButton(button) >= 0)
        return;
    // A button class that cannot be copied by class goes in as a plain item.
    auto* pPlain = new CKTToolbarButton(button.m_nID, -1, button.m_strText, FALSE, TRUE);
    pPlain->m_nStyle = button.m_nStyle;
    pPlain->m_bText = TRUE;
    pPlain->m_bImage = FALSE;
    if (pBar->InsertButton(pPlain) < 0)
        delete pPlain;
}

BOOL KTPopupIsTearOffCopy(CKTPopupMenu* pMenu)
{
    return pMenu != nullptr && pMenu->m_bShown;
}

BOOL KTPopupHasCommandIn(CKTPopupMenu* pMenu, UINT uiFirst, UINT uiLast)
{
    CKTPopupMenuBar* pBar = pMenu != nullptr ? pMenu->GetMenuBar() : nullptr;
    if (pBar == nullptr)
        return FALSE;
    for (int i = 0; i < pBar->GetCount(); i++)
    {
        const UINT uiCmd = pBar->GetButton(i)->m_nID;
        if (uiCmd >= uiFirst && uiCmd <= uiLast && uiCmd != (UINT)-1)
            return TRUE;
    }
    return FALSE;
}

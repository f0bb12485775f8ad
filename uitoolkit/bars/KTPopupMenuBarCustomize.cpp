// The popup menu bar in customize mode: where a dragged item lands and the marker that shows it,
// the menu item a dropped command becomes, and the button context menu of a menu item.
#include "uitoolkit/bars/KTPopupMenuBar.h"

#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/customize/KTCommandManager.h"

#include <memory>

namespace
{
// The marker is this high across the edge it marks.
const int kMarkerHeight = 6;
} // namespace

DROPEFFECT CKTPopupMenuBar::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    // Moving a menu into its own submenu would make the menu hold itself.
    if ((dwKeyState & MK_CONTROL) == 0)
    {
        CKTPopupMenu* pPopup = GetPopupMenu();
        for (CKTPopupMenu* pParent = pPopup != nullptr ? pPopup->GetParentPopupMenu() : nullptr; pParent != nullptr;
             pParent = pParent->GetParentPopupMenu())
        {
            if (pParent->GetMenuBar()->GetDraggedButton() != nullptr)
            {
                EraseDragMarker();
                return DROPEFFECT_NONE;
            }
        }
    }
    return CKTToolBar::OnDragOver(pDataObject, dwKeyState, point);
}

int CKTPopupMenuBar::FindDropIndex(const CPoint point, CRect& rectDrag) const
{
    CRect rectClient;
    GetClientRect(&rectClient);
    rectDrag.SetRectEmpty();
    const int nCount = GetCount();
    if (nCount == 0)
    {
        rectDrag.SetRect(rectClient.left, rectClient.top, rectClient.right, rectClient.top + kMarkerHeight);
        return 0;
    }
    int iIndex = -1;
    int nEdge = 0;
    for (int i = 0; i < nCount; i++)
    {
        const CRect rect = GetButton(i)->m_rect;
        if (point.y < rect.top || point.y >= rect.bottom)
            continue;
        const BOOL bAfter = point.y - rect.top > rect.bottom - point.y;
        iIndex = bAfter ? i + 1 : i;
        nEdge = bAfter ? rect.bottom : rect.top;
        break;
    }
    if (iIndex < 0)
    {
        // Beyond the items: below the last one.
        iIndex = nCount;
        nEdge = GetButton(nCount - 1)->m_rect.bottom;
        if (point.y < GetButton(0)->m_rect.top)
        {
            iIndex = 0;
            nEdge = GetButton(0)->m_rect.top;
        }
    }
    rectDrag.SetRect(rectClient.left, nEdge - kMarkerHeight / 2, rectClient.right, nEdge + kMarkerHeight / 2);
    return iIndex;
}

void CKTPopupMenuBar::DrawDragMarker(CDC* pDC)
{
    if (m_rectDrag.IsRectEmpty())
        return;
    CPen* pOldPen = pDC->SelectObject(&m_penSeparator);
    const CRect& r = m_rectDrag;
    const int yMiddle = r.top + r.Height() / 2;
    for (int y = yMiddle - 1; y <= yMiddle; y++)
    {
        pDC->MoveTo(r.left, y);
        pDC->LineTo(r.right, y);
    }
    // Two strokes at each end, the inner one a pixel shorter at top and bottom.
    pDC->MoveTo(r.left, r.top);
    pDC->LineTo(r.left, r.bottom);
    pDC->MoveTo(r.left + 1, r.top + 1);
    pDC->LineTo(r.left + 1, r.bottom - 1);
    pDC->MoveTo(r.right - 1, r.top);
    pDC->LineTo(r.right - 1, r.bottom);
    pDC->MoveTo(r.right - 2, r.top + 1);
    pDC->LineTo(r.right - 2, r.bottom - 1);
    pDC->SelectObject(pOldPen);
}

void CKTPopupMenuBar::RemoveDraggedButton()
{
    CKTToolbarButton* pDragged = m_pDragButton;
    m_pDragButton = nullptr;
    const int iIndex = pDragged != nullptr ? ButtonToIndex(pDragged) : -1;
    if (iIndex >= 0 && ::GetKeyState(VK_CONTROL) >= 0)
        RemoveButton(iIndex);
}

CKTToolbarButton* CKTPopupMenuBar::CreateDroppedButton(COleDataObject* pDataObject)
{
    std::unique_ptr<CKTToolbarButton> pDropped(CKTToolbarButton::CreateFromOleData(pDataObject));
    if (pDropped == nullptr)
        return nullptr;
    pDropped->SetDragFromCollection(FALSE);
    const int iTab = pDropped->m_strText.Find(L'\t');
    if (iTab >= 0)
        pDropped->m_strText = pDropped->m_strText.Left(iTab);
    if (pDropped->IsSeparator())
        return pDropped.release();
    if (pDropped->IsKindOf(RUNTIME_CLASS(CKTToolbarMenuButton)) && !pDropped->IsKindOf(RUNTIME_CLASS(CKTShowAllButton)))
    {
        // A menu item, or a menu of its own: it keeps its submenu.
        if (pDropped->m_strText.IsEmpty())
            return nullptr;
        return pDropped.release();
    }
    // Any other button becomes a menu item: a plain button here would be lost when the menu
    // writes its items back.
    auto pItem = std::make_unique<CKTToolbarMenuButton>();
    pItem->m_nID = pDropped->m_nID;
    pItem->m_bUserButton = pDropped->m_bUserButton;
    pItem->m_iImage = pDropped->m_iImage;
    pItem->m_iUserImage = pDropped->m_iUserImage;
    pItem->m_strText = pDropped->m_strText;
    pDropped->ExportToMenuButton(*pItem);
    pItem->m_bText = TRUE;
    pItem->m_bImage = pItem->GetImage() >= 0;
    if (pItem->m_strText.IsEmpty())
        return nullptr;
    return pItem.release();
}

void CKTPopupMenuBar::EnableContextMenuItems(CKTToolbarButton* pButton, CMenu* pPopup)
{
    if (pButton == nullptr || pPopup == nullptr || pButton->OnCustomizeMenu(pPopup))
        return;
    const UINT nGray = MF_BYCOMMAND | MF_GRAYED;
    const UINT nCheck = MF_BYCOMMAND | MF_CHECKED;
    const BOOL bCommand = pButton->m_nID != 0 && pButton->m_nID != (UINT)-1;
    const BOOL bHasImage = bCommand && pButton->GetImage() >= 0;
    if (!bHasImage)
        pPopup->EnableMenuItem(ID_KT_BUTTON_COPY_IMAGE, nGray);
    if (!bCommand)
        pPopup->EnableMenuItem(ID_KT_BUTTON_RESET, nGray);
    // A menu item always shows its text: only whether its image shows beside it is a choice.
    pPopup->EnableMenuItem(ID_KT_BUTTON_IMAGE, nGray);
    if (!bHasImage)
    {
        pPopup->EnableMenuItem(ID_KT_BUTTON_TEXT, nGray);
        pPopup->EnableMenuItem(ID_KT_BUTTON_IMAGE_AND_TEXT, nGray);
    }
    if (bCommand && CKTCommandManager::GetInstance()->IsMenuItemWithoutImage(pButton->m_nID))
        pPopup->CheckMenuItem(ID_KT_BUTTON_TEXT, nCheck);
    else if (bHasImage)
        pPopup->CheckMenuItem(ID_KT_BUTTON_IMAGE_AND_TEXT, nCheck);
    const int iIndex = ButtonToIndex(pButton);
    if (iIndex <= 0)
        pPopup->EnableMenuItem(ID_KT_BUTTON_START_GROUP, nGray);
    else if (GetButton(iIndex - 1)->IsSeparator())
        pPopup->CheckMenuItem(ID_KT_BUTTON_START_GROUP, nCheck);
}

void CKTPopupMenuBar::ShowMenuItemImage(BOOL bShow)
{
    CKTToolbarButton* pButton = GetButton(m_iSelected);
    if (pButton == nullptr || pButton->m_nID == 0 || pButton->m_nID == (UINT)-1)
        return;
    CKTCommandManager::GetInstance()->EnableMenuItemImage(pButton->m_nID, bShow);
    AdjustLayout();
    Invalidate();
}

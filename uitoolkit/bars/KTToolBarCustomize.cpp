// The toolbar in customize mode: entering and leaving it, selecting, dragging and widening
// buttons with the mouse, and the button context menu with its commands.
#include "uitoolkit/bars/KTToolBar.h"

#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/customize/KTButtonDragDrop.h"
#include "uitoolkit/customize/KTCommandManager.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace
{
// The split cursor of a button resize, loaded once.
HCURSOR StretchCursor()
{
    const HCURSOR hCursor = CKTToolBar::GetSplitCursor();
    return hCursor != nullptr ? hCursor : ::LoadCursorW(nullptr, IDC_SIZEWE);
}

// Whether the screen point lies on a toolbar (or on a window inside one).
BOOL IsOverToolbar(CPoint ptScreen)
{
    for (HWND h = ::WindowFromPoint(ptScreen); h != nullptr; h = ::GetParent(h))
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(h);
        if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CKTToolBar)))
            return TRUE;
    }
    return FALSE;
}

// How close to its right edge a press must come to widen a button.
const int kStretchMargin = 7;
// A resize smaller than this leaves the button as it was.
const int kMinStretchWidth = 4;
const int kMinStretchMove = 6;
} // namespace

// Entering and leaving ---------------------------------------------------------------------------

BOOL CKTToolBar::SetCustomizeMode(BOOL bSet)
{
    bSet = bSet ? TRUE : FALSE;
    if (m_bCustomizeMode == bSet)
        return FALSE;

    // A bar may create or destroy another while it changes mode: go over the list again until
    // it stays the same for a whole pass.
    std::vector<CKTToolBar*> done;
    for (BOOL bChanged = TRUE; bChanged;)
    {
        bChanged = FALSE;
        std::vector<CObject*> pass;
        for (POSITION pos = m_AllToolbars.GetHeadPosition(); pos != nullptr;)
            pass.push_back(m_AllToolbars.GetNext(pos));
        for (CObject* pObject : pass)
        {
            if (m_AllToolbars.Find(pObject) == nullptr)
            {
                bChanged = TRUE;
                continue;
            }
            CKTToolBar* pBar = static_cast<CKTToolBar*>(pObject);
            if (std::find(done.begin(), done.end(), pBar) != done.end())
                continue;
            done.push_back(pBar);
            pBar->OnSetCustomizeMode(bSet);
        }
        if (static_cast<size_t>(m_AllToolbars.GetCount()) != pass.size())
            bChanged = TRUE;
    }

    m_bCustomizeMode = bSet;
    if (!bSet)
        m_pSelToolbar = nullptr;
    for (POSITION pos = m_AllToolbars.GetHeadPosition(); pos != nullptr;)
    {
        CKTToolBar* pBar = static_cast<CKTToolBar*>(m_AllToolbars.GetNext(pos));
        if (pBar->m_pCustomizeBtn != nullptr)
            pBar->AdjustLayout();
        if (pBar->GetSafeHwnd() != nullptr)
            pBar->RedrawWindow(nullptr, nullptr,
                               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    return TRUE;
}

void CKTToolBar::OnSetCustomizeMode(BOOL bSet)
{
    m_iButtonCapture = -1;
    m_iHighlighted = -1;
    m_iHot = -1;
    m_iSelected = -1;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
    {
        CKTToolbarButton* pButton = static_cast<CKTToolbarButton*>(m_Buttons.GetNext(pos));
        pButton->OnCancelMode();
        if (!(pButton->m_nStyle & TBBS_DISABLED))
            pButton->EnableWindow(!bSet);
    }
}

// Selecting, dragging and widening ----------------------------------------------------------------

void CKTToolBar::SelectButton(int iIndex)
{
    const int iOld = m_iSelected;
    m_iSelected = iIndex;
    if (iIndex >= 0)
        m_pSelToolbar = this;
    if (GetSafeHwnd() == nullptr)
        return;
    InvalidateButton(iOld);
    InvalidateButton(iIndex);
    UpdateWindow();
}

BOOL CKTToolBar::OnCustomizePress(UINT nFlags, CPoint point)
{
    if (m_bLocked)
        return FALSE;
    const int iHit = HitTest(point);
    const BOOL bAltDrag =
        !m_bCustomizeMode && m_bAltCustomization && ::GetKeyState(VK_MENU) < 0 && GetButton(iHit) != nullptr;
    if (!m_bCustomizeMode && !bAltDrag)
        return FALSE;
    if (bAltDrag)
    {
        m_bAltCustomizeMode = TRUE;
        SetCustomizeMode(TRUE);
    }

    if (m_pSelToolbar != this)
    {
        CKTToolBar* pOld = m_pSelToolbar;
        m_pSelToolbar = this;
        if (pOld != nullptr && m_AllToolbars.Find(pOld) != nullptr)
            pOld->SelectButton(-1);
    }
    SelectButton(iHit);

    CKTToolbarButton* pButton = GetButton(iHit);
    if (pButton == nullptr)
    {
        // A press beside the buttons moves the bar, as outside customize mode.
        CControlBar::OnLButtonDown(nFlags, point);
        return TRUE;
    }
    m_bIsDragCopy = (nFlags & MK_CONTROL) != 0;
    if (!pButton->IsEditable())
    {
        SelectButton(-1);
    }
    else if (!bAltDrag && pButton->CanBeStretched() && IsOverStretchEdge(point))
    {
        StartStretch(pButton);
        return TRUE;
    }
    else if (pButton->CanBeStored())
    {
        m_ptStartDrag = point;
        const HWND hWnd = m_hWnd;
        DragButton(pButton, bAltDrag);
        // The bar may have gone during the drag.
        if (!::IsWindow(hWnd) || CWnd::FromHandlePermanent(hWnd) != this)
            return TRUE;
    }
    if (bAltDrag)
    {
        m_bAltCustomizeMode = FALSE;
        SetCustomizeMode(FALSE);
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    }
    return TRUE;
}

void CKTToolBar::DragButton(CKTToolbarButton* pButton, BOOL /*bAltDrag*/)
{
    COleDataSource source;
    if (!pButton->PrepareDrag(source))
        return;
    CKTToolbarDropSource& dropSource = CKTToolbarDropSource::GetInstance();
    CRect rectStart = pButton->m_rect;
    ClientToScreen(&rectStart);
    m_pDragButton = pButton;
    ShowCommandMessageString(pButton->m_nID);

    const HWND hWnd = m_hWnd;
    const DROPEFFECT dropEffect = source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE, &rectStart, &dropSource);
    if (!::IsWindow(hWnd) || CWnd::FromHandlePermanent(hWnd) != this)
        return;

    // A drop on this bar took the button already and left nothing here to remove.
    CKTToolbarButton* pLeft = m_pDragButton;
    m_pDragButton = nullptr;
    m_ptStartDrag = CPoint(-1, -1);
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    if (dropSource.m_bDragStarted && !rectStart.PtInRect(ptCursor))
    {
        // Only a button still on the bar: the drop target may have deleted it meanwhile.
        const int iLeft = pLeft != nullptr ? ButtonToIndex(pLeft) : -1;
        // Moved to another bar, or dropped where no bar is: the button leaves this bar. A bar
        // that refused the drop leaves it where it was.
        const BOOL bMovedAway =
            dropEffect == DROPEFFECT_MOVE || (dropEffect == DROPEFFECT_NONE && !IsOverToolbar(ptCursor));
        if (dropEffect != DROPEFFECT_NONE && !dropSource.IsCancelled() && iLeft >= 0)
            pLeft->OnAfterDrop();
        if (bMovedAway && !dropSource.IsCancelled() && iLeft >= 0)
        {
            RemoveButton(iLeft);
            m_iSelected = -1;
            AdjustLayout();
        }
        else
        {
            Invalidate();
            UpdateWindow();
        }
        return;
    }
    const int iHot = ButtonToIndex(pButton);
    if (iHot >= 0)
    {
        m_iHighlighted = iHot;
        InvalidateButton(iHot);
        UpdateWindow();
    }
}

BOOL CKTToolBar::IsOverStretchEdge(CPoint point) const
{
    const CKTToolbarButton* pButton = GetButton(m_iSelected);
    if (pButton == nullptr || !pButton->CanBeStretched())
        return FALSE;
    return pButton->m_rect.PtInRect(point) && point.x >= pButton->m_rect.right - kStretchMargin;
}

void CKTToolBar::StartStretch(CKTToolbarButton* pButton)
{
    m_pDragButton = pButton;
    m_bStretchButton = TRUE;
    m_rectTrack = pButton->m_rect;
    if (pButton->GetHwnd() != nullptr)
        m_rectTrack.InflateRect(2, 2);
    m_rectTrackDrawn.SetRectEmpty();
    CWnd* pPrev = SetCapture();
    m_hwndPrevCapture = pPrev != nullptr ? pPrev->GetSafeHwnd() : nullptr;
    ::SetCursor(StretchCursor());
}

void CKTToolBar::DrawStretchRect(const CRect& rect)
{
    CClientDC dc(this);
    const CSize sizeFrame(2, 2);
    const CSize sizeNone(0, 0);
    dc.DrawDragRect(rect, rect.IsRectEmpty() ? sizeNone : sizeFrame,
                    m_rectTrackDrawn.IsRectEmpty() ? nullptr : &m_rectTrackDrawn,
                    m_rectTrackDrawn.IsRectEmpty() ? sizeNone : sizeFrame);
    m_rectTrackDrawn = rect;
}

void CKTToolBar::TrackStretch(CPoint point)
{
    if (m_pDragButton == nullptr || point.x - m_pDragButton->m_rect.left <= kMinStretchWidth)
        return;
    CRect rect = m_rectTrack;
    rect.right = point.x;
    DrawStretchRect(rect);
}

void CKTToolBar::EndStretch(CPoint point, BOOL bApply)
{
    if (!m_bStretchButton)
        return;
    m_bStretchButton = FALSE;
    if (!m_rectTrackDrawn.IsRectEmpty())
        DrawStretchRect(CRect(0, 0, 0, 0));
    m_rectTrackDrawn.SetRectEmpty();
    if (GetCapture() == this)
        ::ReleaseCapture();
    if (m_hwndPrevCapture != nullptr && ::IsWindow(m_hwndPrevCapture))
        ::SetCapture(m_hwndPrevCapture);
    m_hwndPrevCapture = nullptr;

    CKTToolbarButton* pButton = m_pDragButton;
    m_pDragButton = nullptr;
    if (!bApply || pButton == nullptr || ButtonToIndex(pButton) < 0)
        return;
    const int iWidth = point.x - pButton->m_rect.left;
    if (iWidth > kMinStretchWidth && abs(point.x - pButton->m_rect.right) > kMinStretchMove)
    {
        pButton->OnSize(iWidth);
        AdjustLayout();
    }
}

BOOL CKTToolBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_bCustomizeMode && !m_bLocked && nHitTest == HTCLIENT)
    {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        if (m_bStretchButton || (m_pSelToolbar == this && IsOverStretchEdge(point)))
        {
            ::SetCursor(StretchCursor());
            return TRUE;
        }
    }
    return CControlBar::OnSetCursor(pWnd, nHitTest, message);
}

// The context menu --------------------------------------------------------------------------------

void CKTToolBar::OnContextMenu(CWnd*, CPoint point)
{
    if (!m_bCustomizeMode)
    {
        CWnd* pTarget = GetMessageTarget();
        if (pTarget != nullptr)
            pTarget->SendMessage(KT_WM_TOOLBARMENU, reinterpret_cast<WPARAM>(m_hWnd), MAKELPARAM(point.x, point.y));
        return;
    }
    if (m_bLocked)
    {
        ::MessageBeep(static_cast<UINT>(-1));
        return;
    }
    const BOOL bKeyboard = point.x == -1 && point.y == -1;
    int iHit = m_pSelToolbar == this ? m_iSelected : -1;
    if (!bKeyboard)
    {
        CPoint ptClient = point;
        ScreenToClient(&ptClient);
        iHit = HitTest(ptClient);
    }
    if (m_pSelToolbar != this)
    {
        CKTToolBar* pOld = m_pSelToolbar;
        m_pSelToolbar = this;
        if (pOld != nullptr && m_AllToolbars.Find(pOld) != nullptr)
            pOld->SelectButton(-1);
    }
    SelectButton(iHit);
    CKTToolbarButton* pButton = GetButton(iHit);
    if (pButton == nullptr)
        return;
    if (!pButton->IsEditable())
    {
        SelectButton(-1);
        return;
    }
    if (!pButton->CanBeStored())
        return;
    if (bKeyboard)
    {
        point = pButton->m_rect.TopLeft() + CSize(5, 5);
        ClientToScreen(&point);
    }
    CMenu menu;
    if (!menu.LoadMenu(IDR_KT_BUTTON_MENU))
        return;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (pPopup == nullptr)
        return;
    if (pButton->IsLocked())
        pPopup->EnableMenuItem(ID_KT_BUTTON_RESET, MF_BYCOMMAND | MF_GRAYED);
    EnableContextMenuItems(pButton, pPopup);
    pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}

void CKTToolBar::EnableContextMenuItems(CKTToolbarButton* pButton, CMenu* pPopup)
{
    if (pButton == nullptr || pPopup == nullptr || pButton->OnCustomizeMenu(pPopup))
        return;
    const UINT nGray = MF_BYCOMMAND | MF_GRAYED;
    const UINT nCheck = MF_BYCOMMAND | MF_CHECKED;
    if (!pButton->m_bImage || pButton->GetImage() < 0)
        pPopup->EnableMenuItem(ID_KT_BUTTON_COPY_IMAGE, nGray);
    if (pButton->m_nID == 0 || pButton->m_nID == (UINT)-1)
        pPopup->EnableMenuItem(ID_KT_BUTTON_RESET, nGray);
    if (pButton->m_bImage && pButton->m_bText)
        pPopup->CheckMenuItem(ID_KT_BUTTON_IMAGE_AND_TEXT, nCheck);
    else if (pButton->m_bText)
        pPopup->CheckMenuItem(ID_KT_BUTTON_TEXT, nCheck);
    else
        pPopup->CheckMenuItem(ID_KT_BUTTON_IMAGE, nCheck);
    if (pButton->m_bTextBelow && IsHorizontal())
        pPopup->EnableMenuItem(ID_KT_BUTTON_IMAGE, nGray);
    if (IsPureMenuButton(pButton))
    {
        pPopup->EnableMenuItem(ID_KT_BUTTON_IMAGE, nGray);
        pPopup->EnableMenuItem(ID_KT_BUTTON_TEXT, nGray);
        pPopup->EnableMenuItem(ID_KT_BUTTON_IMAGE_AND_TEXT, nGray);
        pButton->m_bText = TRUE;
    }
    const int iIndex = ButtonToIndex(pButton);
    if (iIndex <= 0)
        pPopup->EnableMenuItem(ID_KT_BUTTON_START_GROUP, nGray);
    else if (GetButton(iIndex - 1)->IsSeparator())
        pPopup->CheckMenuItem(ID_KT_BUTTON_START_GROUP, nCheck);
}

void CKTToolBar::OnToolbarReset()
{
    CKTToolbarButton* pButton = GetButton(m_iSelected);
    if (pButton == nullptr || pButton->m_nID == 0 || pButton->m_nID == (UINT)-1)
        return;
    CKTCommandManager::GetInstance()->ClearUserCmdImage(pButton->m_nID);
    int iImage = -1;
    pButton->m_bUserButton = FALSE;
    if (CKTToolbarButton::FindUserTool(pButton->m_nID) != nullptr)
    {
        // A user tool's button keeps its image: the tool's icon.
        pButton->m_bImage = TRUE;
    }
    else if (GetDefaultImage(pButton->m_nID, iImage) && iImage >= 0)
    {
        pButton->SetImage(iImage);
        pButton->m_bImage = TRUE;
    }
    else
    {
        pButton->m_iImage = -1;
        pButton->m_iUserImage = -1;
        pButton->m_bImage = FALSE;
    }
    pButton->m_bText = m_bMenuMode || !pButton->m_bImage;
    LoadButtonDefaultText(pButton);
    AdjustLayout();
    Invalidate();
}

void CKTToolBar::OnToolbarCopyImage()
{
    CKTToolbarButton* pButton = GetButton(m_iSelected);
    if (pButton == nullptr || pButton->GetImage() < 0)
        return;
    CKTImageStrip* pStrip = pButton->m_bUserButton ? m_pUserImages : &m_Images;
    if (pStrip != nullptr)
        pStrip->CopyImageToClipboard(pButton->GetImage());
}

void CKTToolBar::OnToolbarDelete()
{
    if (!RemoveButton(m_iSelected))
        return;
    m_iSelected = -1;
    AdjustLayout();
}

void CKTToolBar::OnToolbarAppearance()
{
    CKTToolbarButton* pButton = GetButton(m_iSelected);
    if (pButton == nullptr)
        return;
    if (pButton->m_strText.IsEmpty())
        LoadButtonDefaultText(pButton);
    if (m_pfnButtonAppearance != nullptr && m_pfnButtonAppearance(pButton, this))
    {
        AdjustLayout();
        Invalidate();
    }
}

namespace
{
// What the look commands may have to put back when the user cancels the appearance dialog.
struct ButtonLook
{
    explicit ButtonLook(const CKTToolbarButton& button)
        : m_bImage(button.m_bImage), m_bText(button.m_bText), m_bUserButton(button.m_bUserButton),
          m_iImage(button.m_iImage), m_iUserImage(button.m_iUserImage), m_strText(button.m_strText)
    {
    }
    void Restore(CKTToolbarButton& button) const
    {
        button.m_bImage = m_bImage;
        button.m_bText = m_bText;
        button.m_bUserButton = m_bUserButton;
        button.m_iImage = m_iImage;
        button.m_iUserImage = m_iUserImage;
        button.m_strText = m_strText;
    }
    BOOL m_bImage;
    BOOL m_bText;
    BOOL m_bUserButton;
    int m_iImage;
    int m_iUserImage;
    CString m_strText;
};
} // namespace

void CKTToolBar::OnToolbarImage()
{
    ShowImageOfSelected(FALSE);
}

void CKTToolBar::OnToolbarText()
{
    CKTToolbarButton* pButton = GetButton(m_iSelected);
    if (pButton == nullptr)
        return;
    pButton->m_bImage = FALSE;
    pButton->m_bText = TRUE;
    if (pButton->m_strText.IsEmpty())
        LoadButtonDefaultText(pButton);
    if (pButton->m_strText.IsEmpty())
    {
        ::MessageBeep(static_cast<UINT>(-1));
        pButton->m_bImage = TRUE;
        pButton->m_bText = FALSE;
    }
    AdjustLayout();
}

void CKTToolBar::OnToolbarImageAndText()
{
    ShowImageOfSelected(TRUE);
}

void CKTToolBar::ShowImageOfSelected(BOOL bWithText)
{
    CKTToolbarButton* pButton = GetButton(m_iSelected);
    if (pButton == nullptr)
        return;
    // A button without an image gets one in the appearance dialog first; cancelling it puts
    // back what the dialog changed.
    const ButtonLook before(*pButton);
    if (pButton->GetImage() < 0 && (m_pfnButtonAppearance == nullptr || !m_pfnButtonAppearance(pButton, this)))
    {
        before.Restore(*pButton);
        return;
    }
    pButton->m_bImage = TRUE;
    pButton->m_bText = bWithText;
    if (bWithText && pButton->m_strText.IsEmpty())
        LoadButtonDefaultText(pButton);
    if (bWithText && pButton->m_strText.IsEmpty())
    {
        ::MessageBeep(static_cast<UINT>(-1));
        pButton->m_bText = FALSE;
    }
    AdjustLayout();
}

void CKTToolBar::OnToolbarStartGroup()
{
    const int iIndex = m_iSelected;
    if (GetButton(iIndex) == nullptr || iIndex == 0)
        return;
    if (GetButton(iIndex - 1)->IsSeparator())
        RemoveButton(iIndex - 1);
    else if (InsertSeparator(iIndex) >= 0)
        m_iSelected = iIndex + 1;
    AdjustLayout();
}

void CKTToolBar::OnToolbarNewMenu()
{
    std::unique_ptr<CKTToolbarMenuButton> pMenuButton(new CKTToolbarMenuButton);
    pMenuButton->m_nID = (UINT)-1;
    pMenuButton->m_bText = TRUE;
    pMenuButton->m_bImage = FALSE;
    if (m_pfnButtonAppearance == nullptr || !m_pfnButtonAppearance(pMenuButton.get(), this))
        return;
    const int iIndex = InsertButton(pMenuButton.get(), m_iSelected < 0 ? -1 : m_iSelected);
    if (iIndex < 0)
        return;
    CKTToolbarMenuButton* pInserted = pMenuButton.release();
    m_pSelToolbar = this;
    m_iSelected = iIndex;
    AdjustLayout();
    pInserted->OnClick(this, FALSE);
}

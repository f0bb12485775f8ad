// The popup menu bar's input: hot changes with the delayed opening and closing of submenus, the
// mouse, the keys and the choice of an item. Choosing destroys the whole chain of popups, this
// bar included, so every path that chooses returns at once and touches nothing afterwards.
#include "uitoolkit/bars/KTPopupMenuBar.h"

#include "uitoolkit/bars/KTMenuSound.h"
#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/bars/KTFrameImpl.h"
#include "uitoolkit/customize/KTCmdUsageCount.h"

#include <algorithm>

void CKTPopupMenuBar::SetInCommand(BOOL bInCommand)
{
    m_bInCommand = bInCommand;
    for (CKTPopupMenu* pPopup = GetPopupMenu(); pPopup != nullptr; pPopup = pPopup->GetParentPopupMenu())
        pPopup->GetMenuBar()->m_bInCommand = bInCommand;
}

CKTToolbarMenuButton* CKTPopupMenuBar::GetOpenItem(int* pIndex) const
{
    CKTToolbarButton* pButton = GetDroppedDownMenu(pIndex);
    return pButton != nullptr ? static_cast<CKTToolbarMenuButton*>(pButton) : nullptr;
}

BOOL CKTPopupMenuBar::IsCursorOverButton(const CKTToolbarButton* pButton) const
{
    if (pButton == nullptr || GetSafeHwnd() == nullptr)
        return FALSE;
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    return pButton->m_rect.PtInRect(point);
}

// Submenus ---------------------------------------------------------------------------------------------

BOOL CKTPopupMenuBar::OpenItemPopup(CKTToolbarMenuButton* pItem, BOOL bDelay, int nDelayFactor)
{
    if (pItem == nullptr || GetSafeHwnd() == nullptr || ButtonToIndex(pItem) < 0)
        return FALSE;
    if (bDelay && !m_bCustomizeMode)
    {
        const int nDelay = GetMenuShowDelay() * std::max(nDelayFactor, 1);
        m_pDelayedPopupMenuButton = pItem;
        if (nDelay >= 1)
        {
            SetTimer(TIMER_OPEN_SUBMENU, static_cast<UINT>(nDelay), nullptr);
            return TRUE;
        }
        KillTimer(TIMER_OPEN_SUBMENU);
        m_pDelayedPopupMenuButton = nullptr;
    }
    // The item's tip would stand over the submenu.
    CWnd::CancelToolTips(FALSE);
    if (pItem->IsKindOf(RUNTIME_CLASS(CKTShowAllButton)))
        return pItem->OnClick(this, FALSE); // the menu expands; this item is gone afterwards
    if (pItem->m_pPopupMenu != nullptr)
        return FALSE;
    // The popup owns and destroys the menu made from the item's submenu.
    HMENU hMenu = pItem->CreateMenu();
    if (hMenu == nullptr)
        return FALSE;
    CKTPopupMenu* pOwnPopup = GetPopupMenu();
    CRect rectItem = pItem->m_rect;
    ClientToScreen(&rectItem);
    CRect rectPopup;
    if (pOwnPopup != nullptr)
        pOwnPopup->GetWindowRect(&rectPopup);
    else
        GetWindowRect(&rectPopup);
    const BOOL bRightToLeft = pOwnPopup != nullptr && (pOwnPopup->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    int x = rectPopup.right + 1 - (pOwnPopup != nullptr ? pOwnPopup->GetShadowSize() : 0);
    CKTPopupMenu::DropDirection direction = CKTPopupMenu::DROP_DIRECTION_RIGHT;
    if (bRightToLeft)
    {
        x = rectPopup.left - 1;
        direction = CKTPopupMenu::DROP_DIRECTION_LEFT;
    }
    const int y = rectItem.top - 2;

    CKTPopupMenu* pPopup = new CKTPopupMenu;
    pPopup->m_pParentBtn = pItem;
    pPopup->m_DropDirection = direction;
    pItem->m_pPopupMenu = pPopup;
    InvalidateButton(ButtonToIndex(pItem));
    if (!pPopup->Create(this, x, y, hMenu, FALSE, FALSE))
    {
        // A popup whose window failed deleted itself; the button forgets it.
        pItem->m_pPopupMenu = nullptr;
        return FALSE;
    }
    return TRUE;
}

void CKTPopupMenuBar::CloseItemPopup(CKTToolbarMenuButton* pItem)
{
    if (pItem == nullptr || pItem->m_pPopupMenu == nullptr)
        return;
    CKTPopupMenu* pPopup = pItem->m_pPopupMenu;
    pPopup->m_bAutoDestroyParent = FALSE;
    pItem->m_pPopupMenu = nullptr;
    pPopup->m_pParentBtn = nullptr;
    if (pPopup->GetSafeHwnd() != nullptr)
        pPopup->DestroyWindow();
    const int iIndex = ButtonToIndex(pItem);
    if (iIndex >= 0)
        InvalidateButton(iIndex);
}

void CKTPopupMenuBar::CloseOpenSubmenus()
{
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
    {
        CKTToolbarButton* pButton = static_cast<CKTToolbarButton*>(m_Buttons.GetNext(pos));
        if (pButton->IsKindOf(RUNTIME_CLASS(CKTToolbarMenuButton)))
            CloseItemPopup(static_cast<CKTToolbarMenuButton*>(pButton));
    }
}

void CKTPopupMenuBar::CancelDelayedClose()
{
    if (GetSafeHwnd() != nullptr)
        KillTimer(TIMER_CLOSE_SUBMENU);
    CKTToolbarMenuButton* pItem = m_pDelayedClosePopupMenuButton;
    m_pDelayedClosePopupMenuButton = nullptr;
    CloseItemPopup(pItem);
}

void CKTPopupMenuBar::KeepSubmenuOpen()
{
    CKTToolbarMenuButton* pItem = m_pDelayedClosePopupMenuButton;
    m_pDelayedClosePopupMenuButton = nullptr;
    if (GetSafeHwnd() == nullptr)
        return;
    KillTimer(TIMER_CLOSE_SUBMENU);
    if (pItem == nullptr)
        return;
    const int iOld = m_iHighlighted;
    const int iNew = ButtonToIndex(pItem);
    m_iHighlighted = iNew;
    m_iHot = iNew;
    InvalidateButton(iOld);
    InvalidateButton(iNew);
}

void CKTPopupMenuBar::ShowHotPrompt(int iHot)
{
    CKTToolbarButton* pButton = GetButton(iHot);
    if (pButton != nullptr && !IsItemWithSubmenu(pButton))
        ShowCommandMessageString(pButton->m_nID);
}

void CKTPopupMenuBar::MoveHot(int iNew, BOOL bFromKey)
{
    const BOOL bOldFromKey = m_bFromKey;
    m_bFromKey = bFromKey;
    OnChangeHot(iNew);
    m_bFromKey = bOldFromKey;
}

void CKTPopupMenuBar::ChangeHotButton(int iHot)
{
    OnChangeHot(iHot);
}

void CKTPopupMenuBar::OnChangeHot(int iHot)
{
    if (m_bCustomizeMode || GetSafeHwnd() == nullptr)
    {
        CKTToolBar::OnChangeHot(iHot);
        return;
    }
    if (iHot == -1)
    {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        iHot = HitTest(point);
        if (iHot == m_iHot && iHot >= 0)
            return;
    }
    CKTToolbarButton* pNew = GetButton(iHot);
    int iOpen = -1;
    CKTToolbarMenuButton* pOpen = GetOpenItem(&iOpen);
    if (pNew != nullptr && pNew == pOpen)
    {
        if (m_pDelayedClosePopupMenuButton == pOpen)
        {
            m_pDelayedClosePopupMenuButton = nullptr;
            KillTimer(TIMER_CLOSE_SUBMENU);
        }
    }
    else if (pOpen != nullptr && m_pDelayedClosePopupMenuButton != pOpen)
    {
        const int nCloseDelay = GetMenuShowDelay() - 1;
        if (!m_bFromKey && nCloseDelay >= 1)
        {
            m_pDelayedClosePopupMenuButton = pOpen;
            InvalidateButton(iOpen);
            SetTimer(TIMER_CLOSE_SUBMENU, static_cast<UINT>(nCloseDelay), nullptr);
        }
        else
        {
            CloseItemPopup(pOpen);
            CKTPopupMenu::ActivatePopupMenu(CKTPopupMenu::GetTopFrame(this), GetPopupMenu());
        }
    }

    // The visual change without the base's toggling of the hot item.
    const int iOld = m_iHighlighted;
    m_iHot = iHot;
    m_iHighlighted = iHot;
    InvalidateButton(iOld);
    InvalidateButton(iHot);
    if (iOld != iHot)
        ShowHotPrompt(iHot);

    KillTimer(TIMER_OPEN_SUBMENU);
    m_pDelayedPopupMenuButton = nullptr;
    if (pNew != nullptr && pNew != pOpen && !m_bFromKey && IsItemWithSubmenu(pNew) && !(pNew->m_nStyle & TBBS_DISABLED))
    {
        if (pNew == m_pDelayedClosePopupMenuButton)
            KeepSubmenuOpen();
        else
            OpenItemPopup(static_cast<CKTToolbarMenuButton*>(pNew), TRUE);
    }
    else if (pNew != nullptr && !m_bFromKey && pNew->IsKindOf(RUNTIME_CLASS(CKTShowAllButton)))
        pNew->OnClick(this, TRUE); // resting on it expands the menu

    // Pointing into this submenu keeps it open in the parent.
    CKTPopupMenu* pPopup = GetPopupMenu();
    CKTPopupMenu* pParentPopup = pPopup != nullptr ? pPopup->GetParentPopupMenu() : nullptr;
    if (pParentPopup != nullptr && pParentPopup->GetMenuBar()->m_pDelayedClosePopupMenuButton == pPopup->m_pParentBtn)
        pParentPopup->GetMenuBar()->KeepSubmenuOpen();
}

void CKTPopupMenuBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == TIMER_OPEN_SUBMENU)
    {
        KillTimer(TIMER_OPEN_SUBMENU);
        if (m_pDelayedClosePopupMenuButton != nullptr && IsCursorOverButton(m_pDelayedClosePopupMenuButton))
            return;
        CancelDelayedClose();
        CKTToolbarMenuButton* pItem = m_pDelayedPopupMenuButton;
        m_pDelayedPopupMenuButton = nullptr;
        if (pItem != nullptr && GetButton(m_iHot) == pItem)
            OpenItemPopup(pItem, FALSE); // the show-all item rebuilds this bar: nothing follows
        return;
    }
    if (nIDEvent == TIMER_CLOSE_SUBMENU)
    {
        KillTimer(TIMER_CLOSE_SUBMENU);
        CKTToolbarMenuButton* pItem = m_pDelayedClosePopupMenuButton;
        if (pItem != nullptr && !IsCursorOverButton(pItem))
        {
            m_pDelayedClosePopupMenuButton = nullptr;
            CloseItemPopup(pItem);
            CKTPopupMenu::ActivatePopupMenu(CKTPopupMenu::GetTopFrame(this), GetPopupMenu());
        }
        return;
    }
    CKTToolBar::OnTimer(nIDEvent);
}

void CKTPopupMenuBar::OnDestroy()
{
    KillTimer(TIMER_OPEN_SUBMENU);
    KillTimer(TIMER_CLOSE_SUBMENU);
    m_pDelayedPopupMenuButton = nullptr;
    m_pDelayedClosePopupMenuButton = nullptr;
    CloseOpenSubmenus();
    CKTToolBar::OnDestroy();
}

void CKTPopupMenuBar::OnKillFocus(CWnd* pNewWnd)
{
    // The popup keeps its hot item; the base would deactivate the bar.
    CControlBar::OnKillFocus(pNewWnd);
}

// Choosing ------------------------------------------------------------------------------------------------

BOOL CKTPopupMenuBar::OnSendCommand(const CKTToolbarButton* pButton)
{
    // The release handling of this bar chooses through ChooseItem; a release that reached the
    // toolbar's own handling sends nothing.
    (void)pButton;
    return TRUE;
}

BOOL CKTPopupMenuBar::ChooseItem(CKTToolbarButton* pButton)
{
    if (pButton == nullptr || pButton->IsSeparator() || (pButton->m_nStyle & TBBS_DISABLED))
        return FALSE;
    if (pButton->IsKindOf(RUNTIME_CLASS(CKTShowAllButton)))
    {
        CKTPopupMenu* pPopup = GetPopupMenu();
        if (pPopup != nullptr)
            pPopup->ShowAllItems();
        return FALSE;
    }
    if (IsItemWithSubmenu(pButton))
    {
        CKTToolbarMenuButton* pItem = static_cast<CKTToolbarMenuButton*>(pButton);
        if (pItem->m_pPopupMenu == nullptr)
            OpenItemPopup(pItem, FALSE);
        return FALSE;
    }
    if (pButton->m_nID == static_cast<UINT>(-1))
        return FALSE;
    SendCommand(pButton->m_nID, pButton);
    return TRUE;
}

void CKTPopupMenuBar::SendCommand(UINT uiCmd, CKTToolbarButton* pButton)
{
    CKTPopupMenu* pPopup = GetPopupMenu();
    CWnd* pMessageWnd = pPopup != nullptr ? pPopup->GetMessageWnd() : nullptr;
    CWnd* pTarget = pMessageWnd != nullptr ? pMessageWnd : GetMessageTarget();
    if (pTarget != nullptr && pTarget->GetSafeHwnd() != nullptr)
        pTarget->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);

    CKTPopupMenu* pTop = pPopup;
    while (pTop != nullptr && pTop->GetParentPopupMenu() != nullptr)
        pTop = pTop->GetParentPopupMenu();
    CKTToolBar* pTopBar = pTop != nullptr ? pTop->GetParentToolBar() : nullptr;
    if (pTopBar != nullptr && pTopBar->GetSafeHwnd() != nullptr)
        pTopBar->Deactivate();

    if (uiCmd != 0)
    {
        SetInCommand(TRUE);
        PlayMenuSound(CKTMenuSound::SOUND_COMMAND);
        if (!m_bTrackMode)
        {
            GetUsageCount().AddCmd(uiCmd);
            if (pTarget != nullptr && pTarget->GetSafeHwnd() != nullptr)
                pTarget->PostMessage(WM_COMMAND, uiCmd, 0);
        }
        else if (m_pfnTrackCommand != nullptr)
            m_pfnTrackCommand(uiCmd);
    }
    m_iLastCommandIndex = pButton != nullptr ? ButtonToIndex(pButton) : -1;
    SetInCommand(FALSE);
    if (pPopup != nullptr && pPopup->GetSafeHwnd() != nullptr)
        pPopup->DestroyWindow(); // this bar goes with it
}

// Mouse ---------------------------------------------------------------------------------------------------

CKTToolBar* CKTPopupMenuBar::FindBarAtPoint(CPoint ptScreen)
{
    CKTPopupMenu* pPopup = GetPopupMenu();
    for (CKTPopupMenu* pParent = pPopup != nullptr ? pPopup->GetParentPopupMenu() : nullptr; pParent != nullptr;
         pParent = pParent->GetParentPopupMenu())
    {
        CKTPopupMenuBar* pBar = pParent->GetMenuBar();
        CRect rect;
        pBar->GetClientRect(&rect);
        pBar->ClientToScreen(&rect);
        if (rect.PtInRect(ptScreen))
            return pBar;
    }
    CKTPopupMenu* pTop = pPopup;
    while (pTop != nullptr && pTop->GetParentPopupMenu() != nullptr)
        pTop = pTop->GetParentPopupMenu();
    CKTToolBar* pTopBar = pTop != nullptr ? pTop->GetParentToolBar() : nullptr;
    if (pTopBar != nullptr && pTopBar->GetSafeHwnd() != nullptr)
    {
        CRect rect;
        pTopBar->GetClientRect(&rect);
        pTopBar->ClientToScreen(&rect);
        if (rect.PtInRect(ptScreen))
            return pTopBar;
    }
    return nullptr;
}

void CKTPopupMenuBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bFirstMove)
    {
        m_bFirstMove = FALSE;
        m_ptLastMouse = point;
        return;
    }
    CRect rectClient;
    GetClientRect(&rectClient);
    if (!m_bCustomizeMode && !rectClient.PtInRect(point))
    {
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        CKTToolBar* pBar = FindBarAtPoint(ptScreen);
        if (pBar != nullptr)
        {
            pBar->ScreenToClient(&ptScreen);
            pBar->SendMessage(WM_MOUSEMOVE, nFlags, MAKELPARAM(ptScreen.x, ptScreen.y));
            return;
        }
    }
    CKTToolBar::OnMouseMove(nFlags, point);
}

void CKTPopupMenuBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_bFirstClick = FALSE;
    m_bPressSinceLayout = TRUE;
    CRect rectClient;
    GetClientRect(&rectClient);
    if (m_bCustomizeMode)
    {
        CKTToolBar::OnLButtonDown(nFlags, point);
        return;
    }
    if (!rectClient.PtInRect(point))
    {
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        CKTToolBar* pBar = FindBarAtPoint(ptScreen);
        if (pBar != nullptr)
        {
            pBar->ScreenToClient(&ptScreen);
            pBar->SendMessage(WM_LBUTTONDOWN, nFlags, MAKELPARAM(ptScreen.x, ptScreen.y));
            return;
        }
    }
    CKTToolbarButton* pButton = GetButton(HitTest(point));
    if (pButton != nullptr && IsItemWithSubmenu(pButton) && !(pButton->m_nStyle & TBBS_DISABLED))
    {
        OpenItemPopup(static_cast<CKTToolbarMenuButton*>(pButton), FALSE);
        return;
    }
    CKTToolBar::OnLButtonDown(nFlags, point);
}

void CKTPopupMenuBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bCustomizeMode)
    {
        CKTToolBar::OnLButtonUp(nFlags, point);
        return;
    }
    const int iPressed = m_iButtonCapture;
    if (GetCapture() == this)
        ::ReleaseCapture();
    m_iButtonCapture = -1;
    CKTToolbarButton* pPressed = GetButton(iPressed);
    if (pPressed != nullptr)
    {
        pPressed->SetStyle(pPressed->m_nStyle & ~TBBS_PRESSED);
        InvalidateButton(iPressed);
    }

    CRect rectClient;
    GetClientRect(&rectClient);
    if (!rectClient.PtInRect(point))
    {
        if (m_bFirstClick)
            return;
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        CKTToolBar* pBar = FindBarAtPoint(ptScreen);
        CKTPopupMenu* pPopup = GetPopupMenu();
        if (pBar != nullptr)
        {
            pBar->ScreenToClient(&ptScreen);
            pBar->SendMessage(WM_LBUTTONUP, nFlags, MAKELPARAM(ptScreen.x, ptScreen.y));
        }
        if (pPopup != nullptr && pPopup->GetSafeHwnd() != nullptr)
            pPopup->DestroyWindow();
        return;
    }
    m_bFirstClick = FALSE;
    // The release of the click that opened the menu chooses nothing.
    if (!m_bPressSinceLayout)
        return;
    const int iHit = HitTest(point);
    CKTToolbarButton* pButton = GetButton(iHit);
    if (pButton == nullptr || (iPressed >= 0 && iHit != iPressed))
        return;
    m_iHighlighted = iHit;
    ChooseItem(pButton); // may destroy this bar: nothing follows
}

void CKTPopupMenuBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CKTToolbarButton* pButton = GetButton(HitTest(point));
    if (pButton != nullptr && IsItemWithSubmenu(pButton))
    {
        Default();
        return;
    }
    OnLButtonDown(nFlags, point);
}

LRESULT CKTPopupMenuBar::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    if (m_bTrackMode)
        return 0;
    CWnd* pParent = GetParent();
    if (!IsWindowVisible() || pParent == nullptr || !pParent->IsWindowVisible())
        return 0;
    CKTPopupMenu* pPopup = GetPopupMenu();
    CWnd* pTarget = pPopup != nullptr ? pPopup->GetMessageWnd() : nullptr;
    if (pTarget == nullptr)
        pTarget = GetOwner();
    CFrameWnd* pFrame = nullptr;
    if (pTarget != nullptr)
        pFrame = pTarget->IsFrameWnd() ? static_cast<CFrameWnd*>(pTarget) : pTarget->GetParentFrame();
    if (pFrame == nullptr)
        pFrame = GetParentFrame();
    if (pFrame != nullptr)
        OnUpdateCmdUI(pFrame, pFrame->m_bAutoMenuEnable);
    return 0;
}

// Keys ---------------------------------------------------------------------------------------------------------

int CKTPopupMenuBar::NextSelectableItem(int iFrom, int iStep) const
{
    const int n = GetCount();
    for (int step = 1; step <= n; step++)
    {
        const int i = ((iFrom + iStep * step) % n + n) % n;
        CKTToolbarButton* pButton = GetButton(i);
        if (pButton != nullptr && !pButton->IsSeparator() && !pButton->m_rect.IsRectEmpty())
            return i;
    }
    return -1;
}

BOOL CKTPopupMenuBar::OnKey(UINT nChar)
{
    const int n = GetCount();
    switch (nChar)
    {
    case VK_DOWN:
    case VK_UP:
    case VK_HOME:
    case VK_END: {
        if (n == 0)
            return TRUE;
        int iNew = -1;
        if (nChar == VK_HOME)
            iNew = NextSelectableItem(-1, 1);
        else if (nChar == VK_END)
            iNew = NextSelectableItem(n, -1);
        else
        {
            const int iFrom = m_iHighlighted >= 0 ? m_iHighlighted : (nChar == VK_DOWN ? -1 : n);
            iNew = NextSelectableItem(iFrom, nChar == VK_DOWN ? 1 : -1);
        }
        if (iNew >= 0)
            MoveHot(iNew, TRUE);
        return TRUE;
    }
    case VK_RETURN: {
        CKTToolbarButton* pHot = GetButton(m_iHighlighted);
        if (pHot == nullptr)
            return TRUE;
        if (IsItemWithSubmenu(pHot))
        {
            CKTToolbarMenuButton* pItem = static_cast<CKTToolbarMenuButton*>(pHot);
            if (pItem->m_pPopupMenu == nullptr && OpenItemPopup(pItem, FALSE) && pItem->m_pPopupMenu != nullptr)
                pItem->m_pPopupMenu->SendMessage(WM_KEYDOWN, VK_HOME);
            return TRUE;
        }
        SendIdlePrompt();
        ChooseItem(pHot); // may destroy this bar
        return TRUE;
    }
    default:
        break;
    }
    if (m_bCustomizeMode || (::GetKeyState(VK_CONTROL) & 0x8000))
        return FALSE;

    BYTE keyState[256] = {};
    ::GetKeyboardState(keyState);
    WORD wChar = 0;
    if (::ToAsciiEx(nChar, ::MapVirtualKeyW(nChar, 0), keyState, &wChar, 0, ::GetKeyboardLayout(0)) != 1)
        return FALSE;
    wchar_t ch = static_cast<wchar_t>(wChar);
    if (ch < L' ')
        return FALSE;
    ::CharUpperBuffW(&ch, 1);
    for (int i = 0; i < n; i++)
    {
        CKTToolbarButton* pButton = GetButton(i);
        if (pButton->IsSeparator() || GetMnemonic(pButton->m_strText) != ch)
            continue;
        if (IsItemWithSubmenu(pButton) && !(pButton->m_nStyle & TBBS_DISABLED))
        {
            MoveHot(i, TRUE);
            CKTToolbarMenuButton* pItem = static_cast<CKTToolbarMenuButton*>(pButton);
            if (pItem->m_pPopupMenu == nullptr && OpenItemPopup(pItem, FALSE) && pItem->m_pPopupMenu != nullptr)
                pItem->m_pPopupMenu->SendMessage(WM_KEYDOWN, VK_HOME);
            return TRUE;
        }
        if (pButton->m_nStyle & TBBS_DISABLED)
            SendCommand(0, nullptr); // closes the chain
        else
            ChooseItem(pButton);
        return TRUE; // this bar may be gone
    }
    UINT uiHidden = 0;
    if (m_bRecentlyUsedMenus && !m_bAreAllCommandsShown && m_HiddenItemsAccel.Lookup(ch, uiHidden))
    {
        SendCommand(uiHidden, nullptr);
        return TRUE;
    }
    return FALSE;
}

// Tooltips ------------------------------------------------------------------------------------------------------

INT_PTR CKTPopupMenuBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    CKTToolbarButton* pButton = GetButton(const_cast<CKTPopupMenuBar*>(this)->HitTest(point));
    if (pButton == nullptr || pButton->IsSeparator())
        return -1;
    BOOL bFilled = FALSE;
    if (pButton->IsKindOf(RUNTIME_CLASS(CKTShowAllButton)))
        bFilled = pButton->OnToolHitTest(this, pTI);
    else if (CKTFrameHooks* pHooks = KTGetFrameHooks(CKTPopupMenu::GetTopFrame(this)))
        bFilled = pHooks->OnMenuButtonToolHitTest(pButton, pTI);
    if (!bFilled)
        return -1;
    if (pTI != nullptr)
    {
        pTI->hwnd = m_hWnd;
        pTI->rect = pButton->m_rect;
        pTI->uFlags &= ~TTF_IDISHWND;
    }
    return pTI != nullptr ? static_cast<INT_PTR>(pTI->uId) : 0;
}

CString CKTPopupMenuBar::GetButtonToolTipText(UINT uiCmd) const
{
    CKTPopupMenu* pPopup = GetPopupMenu();
    CKTToolBar* pParentBar = pPopup != nullptr ? pPopup->GetParentToolBar() : nullptr;
    if (pParentBar != nullptr && pParentBar != this && pParentBar->GetSafeHwnd() != nullptr)
    {
        const CString strText = pParentBar->GetButtonToolTipText(uiCmd);
        if (!strText.IsEmpty())
            return strText;
    }
    return CKTToolBar::GetButtonToolTipText(uiCmd);
}

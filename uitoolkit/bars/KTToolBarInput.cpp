// The toolbar's input: hot tracking, press and release, keyboard, tooltips, command states, help
// mode and the common-controls toolbar messages it answers.
#include "uitoolkit/bars/KTToolBar.h"

#include "uitoolkit/bars/KTDropDownToolBar.h"
#include "uitoolkit/bars/KTFrameImpl.h"
#include "uitoolkit/bars/KTMenuSound.h"
#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/bars/KTToolbarSpecialButtons.h"
#include "uitoolkit/bars/KTTrackMouseLeave.h"
#include "uitoolkit/customize/KTCmdUsageCount.h"
#include "uitoolkit/customize/KTToolbarCustomize.h"
#include "uitoolkit/customize/KTUserToolsManager.h"
#include "uitoolkit/looks/KTUIGlobals.h"

#include <cwchar>

BEGIN_MESSAGE_MAP(CKTToolBar, CControlBar)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_NCPAINT()
ON_WM_NCCALCSIZE()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_NCHITTEST()
ON_WM_NCLBUTTONDOWN()
ON_WM_NCLBUTTONDBLCLK()
ON_WM_MOUSELEAVE()
ON_WM_CANCELMODE()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_WINDOWPOSCHANGED()
ON_WM_SETTINGCHANGE()
ON_WM_SYSCOLORCHANGE()
ON_WM_CTLCOLOR()
ON_WM_CONTEXTMENU()
ON_WM_SETCURSOR()
ON_COMMAND(CKTToolBar::ID_KT_BUTTON_RESET, &CKTToolBar::OnToolbarReset)
ON_COMMAND(CKTToolBar::ID_KT_BUTTON_COPY_IMAGE, &CKTToolBar::OnToolbarCopyImage)
ON_COMMAND(CKTToolBar::ID_KT_BUTTON_DELETE, &CKTToolBar::OnToolbarDelete)
ON_COMMAND(CKTToolBar::ID_KT_BUTTON_APPEARANCE, &CKTToolBar::OnToolbarAppearance)
ON_COMMAND(CKTToolBar::ID_KT_BUTTON_IMAGE, &CKTToolBar::OnToolbarImage)
ON_COMMAND(CKTToolBar::ID_KT_BUTTON_TEXT, &CKTToolBar::OnToolbarText)
ON_COMMAND(CKTToolBar::ID_KT_BUTTON_IMAGE_AND_TEXT, &CKTToolBar::OnToolbarImageAndText)
ON_COMMAND(CKTToolBar::ID_KT_BUTTON_START_GROUP, &CKTToolBar::OnToolbarStartGroup)
ON_COMMAND(CKTToolBar::ID_KT_BUTTON_NEW_MENU, &CKTToolBar::OnToolbarNewMenu)
ON_MESSAGE(WM_HELPHITTEST, &CKTToolBar::OnHelpHitTest)
ON_MESSAGE(TB_BUTTONCOUNT, &CKTToolBar::OnButtonCount)
ON_MESSAGE(TB_GETITEMRECT, &CKTToolBar::OnGetItemRect)
ON_MESSAGE(TB_GETBUTTON, &CKTToolBar::OnGetButton)
ON_MESSAGE(TB_GETBUTTONTEXTW, &CKTToolBar::OnGetButtonText)
END_MESSAGE_MAP()

namespace
{
// Maps a command handler's answers onto a toolbar button's style.
class CKTToolCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        CKTToolBar* pBar = static_cast<CKTToolBar*>(m_pOther);
        UINT nNew = pBar->GetButtonStyle(static_cast<int>(m_nIndex)) & ~TBBS_DISABLED;
        if (!bOn)
            nNew |= TBBS_DISABLED;
        pBar->SetButtonStyle(static_cast<int>(m_nIndex), nNew);
    }
    void SetCheck(int nCheck) override
    {
        if (nCheck > 2)
            nCheck = 1;
        CKTToolBar* pBar = static_cast<CKTToolBar*>(m_pOther);
        UINT nNew = pBar->GetButtonStyle(static_cast<int>(m_nIndex)) & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
        if (nCheck == 1)
            nNew |= TBBS_CHECKED;
        else if (nCheck == 2)
            nNew |= TBBS_INDETERMINATE;
        pBar->SetButtonStyle(static_cast<int>(m_nIndex), nNew | TBBS_CHECKBOX);
    }
    void SetRadio(BOOL bOn) override
    {
        SetCheck(bOn ? 1 : 0);
        CKTToolbarButton* pButton = static_cast<CKTToolBar*>(m_pOther)->GetButton(static_cast<int>(m_nIndex));
        if (pButton != nullptr)
            pButton->SetRadio();
    }
    void SetText(LPCTSTR lpszText) override
    {
        CKTToolBar* pBar = static_cast<CKTToolBar*>(m_pOther);
        CKTToolbarButton* pButton = pBar->GetButton(static_cast<int>(m_nIndex));
        if (pButton == nullptr || lpszText == nullptr || pBar->m_bBlockTextChanges)
            return;
        CString strText(lpszText);
        const int iTab = strText.Find(L'\t');
        if (iTab >= 0)
            strText = strText.Left(iTab);
        if (strText.Compare(pButton->m_strText) != 0)
        {
            pButton->m_strText = strText;
            pBar->AdjustLayout();
        }
    }
};

const UINT kHelpBaseCommand = 0x10000;

BOOL IsSystemOrReservedCommand(UINT uiCmd)
{
    return uiCmd == 0 || (uiCmd >= 0xF000 && uiCmd <= 0xF1EF) || uiCmd >= 0xFF00;
}
} // namespace

CWnd* CKTToolBar::GetMessageTarget() const
{
    // Docked or floating, the bar's parent is a dock bar, which does nothing with prompts, resets
    // or bar menus: without an owner of its own the bar tells the frame it docks to.
    if (m_hWndOwner == nullptr && m_pDockBar != nullptr && m_pDockSite != nullptr)
        return m_pDockSite;
    CWnd* pTarget = GetOwner();
    return pTarget != nullptr ? pTarget : GetParentFrame();
}

void CKTToolBar::SendIdlePrompt()
{
    if (m_hookMouseHelp != nullptr)
        return;
    CWnd* pTarget = GetMessageTarget();
    if (pTarget != nullptr)
        pTarget->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
}

void CKTToolBar::ShowCommandMessageString(UINT uiCmdId)
{
    if (m_hookMouseHelp != nullptr)
        return;
    if (uiCmdId >= 0xF000 && uiCmdId <= 0xF1EF)
        uiCmdId = 0xEF00 + (uiCmdId - 0xF000) / 16;
    else if (uiCmdId >= 0xFF00)
        uiCmdId = 0xEF1F;
    CWnd* pTarget = GetMessageTarget();
    if (pTarget != nullptr)
        pTarget->SendMessage(WM_SETMESSAGESTRING, uiCmdId, 0);
}

void CKTToolBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    // The buttons are about to move: a drag or resize that started from their old places ends
    // and leaves the bar as it was.
    if (m_bCustomizeMode && !m_bLocked)
    {
        if (m_bStretchButton)
            EndStretch(CPoint(0, 0), FALSE);
        else if (m_pDragButton != nullptr)
            CKTToolbarDropSource::GetInstance().CancelDrag();
    }
    AdjustLocations();
    Invalidate();
}

void CKTToolBar::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CControlBar::OnWindowPosChanged(lpwndpos);
    // The customize sheet's toolbar list follows a bar shown or hidden while it is open.
    CKTToolbarCustomize* pSheet = CKTToolbarCustomize::GetOpenSheet();
    if (m_bCustomizeMode && !m_bLocked && pSheet != nullptr && (lpwndpos->flags & (SWP_HIDEWINDOW | SWP_SHOWWINDOW)))
        pSheet->ShowToolBar(this, (lpwndpos->flags & SWP_SHOWWINDOW) != 0);
    if (lpwndpos->flags & SWP_HIDEWINDOW && m_pSelToolbar == this)
    {
        m_pSelToolbar = nullptr;
        m_iSelected = -1;
    }
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

HBRUSH CKTToolBar::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (m_bCustomizeMode && pWnd != nullptr)
    {
        for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
        {
            CKTToolbarButton* pButton = static_cast<CKTToolbarButton*>(m_Buttons.GetNext(pos));
            if (!pButton->IsOwnerOf(pWnd->GetSafeHwnd()))
                continue;
            HBRUSH hBrush = pButton->OnCtlColor(pDC, nCtlColor);
            if (hBrush != nullptr)
                return hBrush;
            break;
        }
    }
    return CControlBar::OnCtlColor(pDC, pWnd, nCtlColor);
}

// Mouse -------------------------------------------------------------------------------------

void CKTToolBar::OnMouseMove(UINT, CPoint point)
{
    if (m_bStretchButton)
    {
        TrackStretch(point);
        return;
    }
    if (point == m_ptLastMouse)
        return;
    m_ptLastMouse = point;

    const int iHit = HitTest(point);
    int iHot = iHit;
    if (iHot < 0 && GetCapture() == this)
        iHot = m_iHighlighted;
    CKTToolbarButton* pHot = GetButton(iHot);
    if (pHot != nullptr && (pHot->IsSeparator() || ((pHot->m_nStyle & TBBS_DISABLED) && !m_bCustomizeMode)))
        iHot = -1;

    if (!m_bTracked)
    {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
        m_bTracked = KTTrackMouseLeave(&tme);
    }

    // The pressed button shows pressed only while the mouse is over it.
    CKTToolbarButton* pPressed = GetButton(m_iButtonCapture);
    if (pPressed != nullptr)
    {
        const UINT nStyle = pPressed->m_nStyle;
        const UINT nNew = iHit == m_iButtonCapture ? (nStyle | TBBS_PRESSED) : (nStyle & ~TBBS_PRESSED);
        if (nNew != nStyle)
        {
            pPressed->SetStyle(nNew);
            InvalidateButton(m_iButtonCapture);
        }
    }

    if (iHot == m_iHighlighted)
        return;
    const int iOld = m_iHighlighted;
    m_iHighlighted = iHot;
    InvalidateButton(iOld);
    InvalidateButton(iHot);
    if (iHot < 0 && m_iButtonCapture < 0)
        SendIdlePrompt();
    else if (iHot >= 0)
        ShowCommandMessageString(GetButton(iHot)->m_nID);
    m_iHot = -2; // OnChangeHot must not toggle this change off
    OnChangeHot(iHot);
}

void CKTToolBar::UpdateButtonFromHandler(int iIndex)
{
    CKTToolbarButton* pButton = GetButton(iIndex);
    CWnd* pTarget = GetCommandTarget();
    if (pButton == nullptr || pTarget == nullptr || IsSystemOrReservedCommand(pButton->m_nID) || pButton->IsSeparator())
        return;
    CKTToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndex = static_cast<UINT>(iIndex);
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    state.m_nID = pButton->m_nID;
    CFrameWnd* pFrame = pTarget->IsFrameWnd() ? static_cast<CFrameWnd*>(pTarget) : pTarget->GetParentFrame();
    if (pFrame != nullptr)
        state.DoUpdate(pFrame, m_bDisableControlsIfNoHandler && CKTToolbarButton::FindUserTool(pButton->m_nID) == nullptr);
}

void CKTToolBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (OnCustomizePress(nFlags, point))
        return;
    const int iHit = HitTest(point);
    CKTToolbarButton* pButton = GetButton(iHit);
    if (pButton == nullptr)
    {
        m_iButtonCapture = -1;
        CControlBar::OnLButtonDown(nFlags, point);
        return;
    }
    UpdateButtonFromHandler(iHit);
    // A drop-down button whose current command is disabled still opens its group, where other
    // commands may be enabled; the release sends the disabled command nowhere.
    if ((pButton->m_nStyle & TBBS_DISABLED) && !pButton->IsKindOf(RUNTIME_CLASS(CKTDropDownToolbarButton)))
        return;
    m_iButtonCapture = iHit;
    m_iHighlighted = iHit;
    pButton->SetStyle(pButton->m_nStyle | TBBS_PRESSED);
    InvalidateButton(iHit);
    UpdateWindow();
    ShowCommandMessageString(pButton->m_nID);
    if (pButton->OnClick(this, FALSE))
    {
        // The button took the click (a menu button opened its popup).
        pButton->SetStyle(pButton->m_nStyle & ~TBBS_PRESSED);
        m_iButtonCapture = -1;
        InvalidateButton(iHit);
        return;
    }
    CWnd* pPrev = SetCapture();
    m_hwndPrevCapture = pPrev != nullptr ? pPrev->GetSafeHwnd() : nullptr;
}

void CKTToolBar::OnLButtonUp(UINT, CPoint point)
{
    if (m_bStretchButton)
    {
        EndStretch(point, TRUE);
        return;
    }
    if (m_iButtonCapture < 0)
    {
        m_ptLastMouse = CPoint(-1, -1);
        OnMouseMove(0, point);
        return;
    }
    const int iPressed = m_iButtonCapture;
    ::ReleaseCapture();
    if (m_hwndPrevCapture != nullptr && ::IsWindow(m_hwndPrevCapture))
        ::SetCapture(m_hwndPrevCapture);
    m_hwndPrevCapture = nullptr;
    m_iButtonCapture = -1;
    m_iHighlighted = -1;
    m_iHot = -1;
    SendIdlePrompt();
    RestoreFocus();

    CKTToolbarButton* pButton = GetButton(iPressed);
    if (pButton == nullptr)
        return;
    const UINT nStyle = pButton->m_nStyle & ~TBBS_PRESSED;
    UINT uiCommand = 0;
    if (HitTest(point) == iPressed)
    {
        UpdateButtonFromHandler(iPressed);
        pButton = GetButton(iPressed);
        if (pButton != nullptr && !(pButton->m_nStyle & TBBS_DISABLED) && !OnSendCommand(pButton))
        {
            InvalidateButton(iPressed);
            GetUsageCount().AddCmd(pButton->m_nID);
            if (!pButton->OnClickUp())
                uiCommand = pButton->m_nID;
        }
    }
    // The bar is done with before the command runs: a command such as Exit destroys the frame and
    // its bars, after which nothing of this bar may be touched.
    pButton = GetButton(iPressed);
    if (pButton != nullptr && GetSafeHwnd() != nullptr)
    {
        SetButtonStyle(iPressed, nStyle);
        InvalidateButton(iPressed);
        m_ptLastMouse = CPoint(-1, -1);
        CPoint ptCursor;
        ::GetCursorPos(&ptCursor);
        ScreenToClient(&ptCursor);
        OnMouseMove(0, ptCursor);
    }
    if (uiCommand != 0)
        SendButtonCommand(uiCommand);
}

void CKTToolBar::SendButtonCommand(UINT uiCommand)
{
    PlayMenuSound(1);
    if (g_pUserToolsManager != nullptr && g_pUserToolsManager->InvokeTool(uiCommand))
        return;
    CWnd* pTarget = GetCommandTarget();
    if (pTarget != nullptr)
        pTarget->SendMessage(WM_COMMAND, uiCommand, 0);
}

void CKTToolBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    // The system-menu icon of a maximized child takes its double click; others are pressed.
    CKTToolbarButton* pButton = GetButton(HitTest(point));
    if (pButton != nullptr && pButton->OnDblClick(this))
        return;
    OnLButtonDown(nFlags, point);
}

LRESULT CKTToolBar::OnNcHitTest(CPoint point)
{
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    CRect rectClient;
    GetClientRect(&rectClient);
    ClientToScreen(&rectClient);
    // The frame around the buttons is the bar's handle; the default answer for a child without
    // a border would be "nowhere", which the system treats as nothing to press.
    if (rectWindow.PtInRect(point) && !rectClient.PtInRect(point))
        return HTCAPTION;
    return CControlBar::OnNcHitTest(point);
}

void CKTToolBar::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    // Never the system's own move of a captioned window: the dock context moves the bar.
    if (nHitTest == HTCAPTION)
    {
        if (m_pDockBar != nullptr && m_pDockContext != nullptr)
            m_pDockContext->StartDrag(point);
        return;
    }
    CControlBar::OnNcLButtonDown(nHitTest, point);
}

void CKTToolBar::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    if (nHitTest == HTCAPTION)
    {
        if (m_pDockBar != nullptr && m_pDockContext != nullptr)
            m_pDockContext->ToggleDocking();
        return;
    }
    CControlBar::OnNcLButtonDblClk(nHitTest, point);
}

void CKTToolBar::OnMouseLeave()
{
    // The next move starts tracking again.
    m_bTracked = FALSE;
    if (m_hookMouseHelp != nullptr)
        return;
    if (m_bMenuMode && !m_bCustomizeMode && GetDroppedDownMenu() != nullptr)
        return;
    const int iOld = m_iHighlighted;
    m_ptLastMouse = CPoint(-1, -1);
    if (m_iButtonCapture >= 0)
        return;
    m_iHighlighted = -1;
    m_iHot = -1;
    InvalidateButton(iOld);
    SendIdlePrompt();
}

void CKTToolBar::OnCancelMode()
{
    CControlBar::OnCancelMode();
    EndStretch(CPoint(0, 0), FALSE);
    if (GetCapture() == this)
        ::ReleaseCapture();
    CKTToolbarButton* pPressed = GetButton(m_iButtonCapture);
    if (pPressed != nullptr)
        pPressed->SetStyle(pPressed->m_nStyle & ~TBBS_PRESSED);
    m_iButtonCapture = -1;
    m_iHighlighted = -1;
    m_iHot = -1;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
        static_cast<CKTToolbarButton*>(m_Buttons.GetNext(pos))->OnCancelMode();
    Invalidate();
}

// Keyboard and focus ----------------------------------------------------------------------------

void CKTToolBar::OnChangeHot(int iHot)
{
    if (iHot == m_iHot && iHot >= 0)
        iHot = -1;
    const int iOld = m_iHighlighted;
    m_iHot = iHot;
    m_iHighlighted = iHot;
    MoveOpenMenuTo(iHot);
    InvalidateButton(iOld);
    InvalidateButton(iHot);
    if (m_bCustomizeMode && !m_bLocked && iHot >= 0 && !GetButton(iHot)->IsSeparator())
    {
        m_iSelected = iHot;
        m_pSelToolbar = this;
    }
    if (GetSafeHwnd() != nullptr)
        UpdateWindow();
}

// While a menu is open, the menu follows the hot button from one title to the next, as a menu bar
// is browsed by pointer or arrow keys. In customize mode, leaving the buttons closes the menu, and
// the system menu of a maximised document is never opened by passing over it.
void CKTToolBar::MoveOpenMenuTo(int iHot)
{
    int iOpen = -1;
    CKTToolbarButton* pOpen = GetDroppedDownMenu(&iOpen);
    if (pOpen == nullptr || iHot == iOpen)
        return;
    CKTToolbarButton* pNew = GetButton(iHot);
    if (pNew == nullptr && !m_bCustomizeMode)
        return;
    if (pNew != nullptr && (!pNew->IsKindOf(RUNTIME_CLASS(CKTToolbarMenuButton)) || (pNew->m_nStyle & TBBS_DISABLED) ||
                            (m_bCustomizeMode && pNew->IsKindOf(RUNTIME_CLASS(CKTToolbarSystemMenuButton)))))
        return;
    CKTPopupMenu* pOpenPopup = static_cast<CKTToolbarMenuButton*>(pOpen)->m_pPopupMenu;
    if (pOpenPopup != nullptr && pOpenPopup->GetSafeHwnd() != nullptr)
        pOpenPopup->SendMessage(WM_CLOSE);
    if (pNew != nullptr && GetSafeHwnd() != nullptr && GetButton(iHot) == pNew)
        pNew->OnClick(this, FALSE);
}

CKTToolbarButton* CKTToolBar::GetDroppedDownMenu(int* pIndex) const
{
    int i = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; i++)
    {
        CKTToolbarButton* pButton = static_cast<CKTToolbarButton*>(m_Buttons.GetNext(pos));
        if (pButton->IsDroppedDown())
        {
            if (pIndex != nullptr)
                *pIndex = i;
            return pButton;
        }
    }
    if (pIndex != nullptr)
        *pIndex = -1;
    return nullptr;
}

BOOL CKTToolBar::TranslateChar(UINT nChar)
{
    BYTE keyState[256] = {};
    ::GetKeyboardState(keyState);
    WORD wChar = 0;
    if (::ToAsciiEx(nChar, ::MapVirtualKeyW(nChar, 0), keyState, &wChar, 0, ::GetKeyboardLayout(0)) != 1)
        wChar = static_cast<WORD>(nChar);
    wchar_t ch = static_cast<wchar_t>(wChar);
    if (!::IsCharAlphaNumericW(ch))
        return FALSE;
    ::CharUpperBuffW(&ch, 1);
    CKTToolbarButton* pButton = nullptr;
    if (!m_AcellKeys.Lookup(ch, pButton) || pButton == nullptr)
        return FALSE;
    // A menu reached by its key appears at once, with its first item chosen.
    const int nAnimation = CKTPopupMenu::GetAnimationType();
    CKTPopupMenu::SetAnimationType(CKTPopupMenu::ANIMATION_NONE);
    const BOOL bOpened = pButton->OnClick(this, FALSE);
    CKTPopupMenu::SetAnimationType(nAnimation);
    if (bOpened)
    {
        OnChangeHot(ButtonToIndex(pButton));
        SelectFirstItemOf(pButton);
        return TRUE;
    }
    GetUsageCount().AddCmd(pButton->m_nID);
    CWnd* pTarget = GetCommandTarget();
    if (pTarget != nullptr)
        pTarget->PostMessage(WM_COMMAND, pButton->m_nID, 0);
    return TRUE;
}

// A menu reached by the arrow keys appears at once, with its first item chosen.
void CKTToolBar::OpenMenuFromKeyboard(int iIndex)
{
    const int nAnimation = CKTPopupMenu::GetAnimationType();
    CKTPopupMenu::SetAnimationType(CKTPopupMenu::ANIMATION_NONE);
    OnChangeHot(iIndex);
    CKTPopupMenu::SetAnimationType(nAnimation);
    SelectFirstItemOf(GetButton(iIndex));
}

void CKTToolBar::SelectFirstItemOf(CKTToolbarButton* pButton)
{
    if (pButton == nullptr || !pButton->IsDroppedDown() || !pButton->IsKindOf(RUNTIME_CLASS(CKTToolbarMenuButton)))
        return;
    CKTPopupMenu* pPopup = static_cast<CKTToolbarMenuButton*>(pButton)->m_pPopupMenu;
    if (pPopup != nullptr && pPopup->GetSafeHwnd() != nullptr)
        pPopup->SendMessage(WM_KEYDOWN, VK_HOME);
}

BOOL CKTToolBar::PrevMenu()
{
    int iIndex = -1;
    if (GetDroppedDownMenu(&iIndex) == nullptr)
        return FALSE;
    const int n = GetCount();
    for (int step = 1; step < n; step++)
    {
        const int i = (iIndex - step + n) % n;
        CKTToolbarButton* pButton = GetButton(i);
        if (pButton->IsKindOf(RUNTIME_CLASS(CKTToolbarMenuButton)) && !(pButton->m_nStyle & TBBS_DISABLED))
        {
            OpenMenuFromKeyboard(i);
            return TRUE;
        }
    }
    return TRUE;
}

BOOL CKTToolBar::NextMenu()
{
    int iIndex = -1;
    if (GetDroppedDownMenu(&iIndex) == nullptr)
        return FALSE;
    const int n = GetCount();
    for (int step = 1; step < n; step++)
    {
        const int i = (iIndex + step) % n;
        CKTToolbarButton* pButton = GetButton(i);
        if (pButton->IsKindOf(RUNTIME_CLASS(CKTToolbarMenuButton)) && !(pButton->m_nStyle & TBBS_DISABLED))
        {
            OpenMenuFromKeyboard(i);
            return TRUE;
        }
    }
    return TRUE;
}

void CKTToolBar::Deactivate()
{
    if (m_iHighlighted >= 0)
    {
        const int iOld = m_iHighlighted;
        m_iHighlighted = -1;
        m_iHot = -1;
        InvalidateButton(iOld);
        SendIdlePrompt();
    }
    RestoreFocus();
}

BOOL CKTToolBar::RestoreFocus()
{
    if (m_hwndLastFocus != nullptr && ::IsWindow(m_hwndLastFocus))
    {
        ::SetFocus(m_hwndLastFocus);
        m_hwndLastFocus = nullptr;
        return TRUE;
    }
    m_hwndLastFocus = nullptr;
    return FALSE;
}

void CKTToolBar::OnSetFocus(CWnd* pOldWnd)
{
    CControlBar::OnSetFocus(pOldWnd);
    if (pOldWnd == nullptr || pOldWnd->GetSafeHwnd() == nullptr)
        return;
    // Never a toolbar or a window inside one.
    for (HWND h = pOldWnd->GetSafeHwnd(); h != nullptr; h = ::GetParent(h))
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(h);
        if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CKTToolBar)))
            return;
    }
    m_hwndLastFocus = pOldWnd->GetSafeHwnd();
}

void CKTToolBar::OnKillFocus(CWnd* pNewWnd)
{
    CControlBar::OnKillFocus(pNewWnd);
    if (!m_bCustomizeMode && !IsOwnPopupMenu(pNewWnd))
        Deactivate();
}

BOOL CKTToolBar::IsOwnPopupMenu(CWnd* pWnd) const
{
    // The window or one it sits in is a popup menu whose chain of parent menus starts at one of
    // this bar's buttons.
    for (HWND h = pWnd->GetSafeHwnd(); h != nullptr; h = ::GetParent(h))
    {
        CWnd* pPermanent = CWnd::FromHandlePermanent(h);
        if (pPermanent == nullptr || !pPermanent->IsKindOf(RUNTIME_CLASS(CKTPopupMenu)))
            continue;
        for (auto* pPopup = static_cast<CKTPopupMenu*>(pPermanent); pPopup != nullptr;
             pPopup = pPopup->GetParentPopupMenu())
        {
            if (pPopup->GetParentToolBar() == this)
                return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

BOOL CKTToolBar::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE && m_bStretchButton)
    {
        EndStretch(CPoint(0, 0), FALSE);
        return TRUE;
    }
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE && GetDroppedDownMenu() == nullptr &&
        m_iHighlighted >= 0)
    {
        Deactivate();
        RestoreFocus();
        return TRUE;
    }
    return CControlBar::PreTranslateMessage(pMsg);
}

BOOL CKTToolBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (m_bCustomizeMode && !m_bLocked)
        return CControlBar::OnCommand(wParam, lParam);
    HWND hwndControl = reinterpret_cast<HWND>(lParam);
    if (hwndControl == nullptr && LOWORD(wParam) == IDCANCEL)
    {
        RestoreFocus();
        return TRUE;
    }
    if (hwndControl == nullptr && LOWORD(wParam) == IDOK)
        hwndControl = ::GetFocus();
    if (hwndControl == nullptr)
        return CControlBar::OnCommand(wParam, lParam);
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
    {
        CKTToolbarButton* pButton = static_cast<CKTToolbarButton*>(m_Buttons.GetNext(pos));
        if (!pButton->IsOwnerOf(hwndControl))
            continue;
        const int iCode = LOWORD(wParam) == IDOK && lParam == 0 ? 0 : HIWORD(wParam);
        if (pButton->NotifyCommand(iCode))
        {
            CWnd* pTarget = GetCommandTarget();
            if (pTarget != nullptr)
                pTarget->PostMessage(WM_COMMAND, MAKEWPARAM(pButton->m_nID, iCode),
                                     reinterpret_cast<LPARAM>(hwndControl));
        }
        return TRUE;
    }
    return CControlBar::OnCommand(wParam, lParam);
}

// Command states ---------------------------------------------------------------------------------

void CKTToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CKTToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (int i = 0; i < GetCount(); i++)
    {
        CKTToolbarButton* pButton = GetButton(i);
        if (pButton == nullptr || pButton->IsSeparator() || IsSystemOrReservedCommand(pButton->m_nID))
            continue;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nID = pButton->m_nID;
        // A user tool runs without a command handler.
        const BOOL bDisable = bDisableIfNoHndler && CKTToolbarButton::FindUserTool(pButton->m_nID) == nullptr &&
                              (pButton->GetHwnd() == nullptr || m_bDisableControlsIfNoHandler);
        state.DoUpdate(pTarget, bDisable);
    }
}

// Tooltips -------------------------------------------------------------------------------------

CString CKTToolBar::GetButtonToolTipText(UINT uiCmd) const
{
    CString strText;
    CKTToolbarButton::LoadCommandText(uiCmd, strText);
    return strText;
}

CFrameWnd* CKTToolBar::GetTopFrame() const
{
    // A floating bar's own parent is its mini frame: the frame it docks to answers for it.
    if (m_pDockSite != nullptr)
        return m_pDockSite;
    CFrameWnd* pFrame = GetTopLevelFrame();
    if (pFrame != nullptr)
        return pFrame;
    CWnd* pMain = AfxGetMainWnd();
    return pMain != nullptr && pMain->IsFrameWnd() ? static_cast<CFrameWnd*>(pMain) : nullptr;
}

BOOL CKTToolBar::ForwardToFrame(CKTToolbarButton* pButton, CString& strText) const
{
    CKTFrameHooks* pHooks = KTGetFrameHooks(GetTopFrame());
    return pHooks != nullptr && pHooks->GetToolbarButtonToolTipText(pButton, strText) && !strText.IsEmpty();
}

CString CKTToolBar::GetToolTipTextOf(CKTToolbarButton* pButton) const
{
    CString strText;
    if (ForwardToFrame(pButton, strText))
        return strText;
    const UINT uiCmd = pButton->m_nID;
    if (uiCmd == 0 || uiCmd == (UINT)-1 || (pButton->m_bUserButton && !pButton->m_strText.IsEmpty()))
    {
        strText = pButton->m_strText;
        strText.Remove(L'&');
    }
    else if (CKTToolbarButton::FindUserTool(uiCmd) != nullptr)
        strText = pButton->m_strText;
    else
        strText = GetButtonToolTipText(uiCmd);
    return strText;
}

INT_PTR CKTToolBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    if (!m_bShowTooltips)
        return -1;
    const INT_PTR nChild = CControlBar::OnToolHitTest(point, pTI);
    if (nChild != -1)
        return nChild;
    const int iHit = const_cast<CKTToolBar*>(this)->HitTest(point);
    CKTToolbarButton* pButton = GetButton(iHit);
    if (pButton == nullptr || pButton->IsWindowVisible())
        return -1;
    // The thread's tooltip window exists once the framework asks with a record to fill.
    const HWND hwndTip = AfxGetThreadWndState()->m_hWndToolTip;
    if (hwndTip != nullptr)
        ::SendMessage(hwndTip, WM_SETFONT, reinterpret_cast<WPARAM>(ktGlobals.m_fontText.GetSafeHandle()), FALSE);

    // The button first: a menu item asks its frame, the show-all item names its key.
    if (pTI != nullptr && pButton->OnToolHitTest(this, pTI))
    {
        pTI->hwnd = m_hWnd;
        pTI->rect = pButton->m_rect;
        pTI->uFlags &= ~TTF_IDISHWND;
        if (pTI->uId == 0)
            pTI->uId = pButton->m_nID;
        return static_cast<INT_PTR>(pTI->uId);
    }

    CString strText = GetToolTipTextOf(pButton);
    if (strText.IsEmpty())
        return -1;
    CString strKey;
    if (m_bShowShortcutKeys && CKTToolbarButton::FindCommandKey(pButton->m_nID, GetTopFrame(), strKey))
        strText += L" (" + strKey + L")";
    if (pTI != nullptr)
    {
        pTI->hwnd = m_hWnd;
        pTI->uId = pButton->m_nID;
        pTI->rect = pButton->m_rect;
        pTI->uFlags &= ~TTF_IDISHWND;
        pTI->lpszText = _wcsdup(strText);
    }
    return static_cast<INT_PTR>(pButton->m_nID);
}

// Help mode -----------------------------------------------------------------------------------

LRESULT CALLBACK CKTToolBar::HelpMouseProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION && wParam == WM_MOUSEMOVE)
    {
        const MOUSEHOOKSTRUCT* pInfo = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        CKTToolBar* pBar = nullptr;
        CWnd* pWnd = CWnd::FromHandlePermanent(::WindowFromPoint(pInfo->pt));
        if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CKTToolBar)))
            pBar = static_cast<CKTToolBar*>(pWnd);
        if (m_pLastHookedToolbar != nullptr && m_pLastHookedToolbar != pBar)
        {
            const int iOld = m_pLastHookedToolbar->m_iHighlighted;
            m_pLastHookedToolbar->m_iHighlighted = -1;
            m_pLastHookedToolbar->m_iHot = -1;
            m_pLastHookedToolbar->InvalidateButton(iOld);
        }
        m_pLastHookedToolbar = pBar;
        if (pBar != nullptr)
        {
            CPoint pt = pInfo->pt;
            pBar->ScreenToClient(&pt);
            pBar->OnMouseMove(0, pt);
        }
    }
    return ::CallNextHookEx(m_hookMouseHelp, nCode, wParam, lParam);
}

void CKTToolBar::SetHelpMode(BOOL bOn)
{
    if (bOn)
    {
        if (m_hookMouseHelp == nullptr)
            m_hookMouseHelp = ::SetWindowsHookExW(WH_MOUSE, HelpMouseProc, nullptr, ::GetCurrentThreadId());
        return;
    }
    if (m_hookMouseHelp != nullptr)
    {
        ::UnhookWindowsHookEx(m_hookMouseHelp);
        m_hookMouseHelp = nullptr;
    }
    m_pLastHookedToolbar = nullptr;
    for (POSITION pos = m_AllToolbars.GetHeadPosition(); pos != nullptr;)
    {
        CKTToolBar* pBar = static_cast<CKTToolBar*>(m_AllToolbars.GetNext(pos));
        if (pBar->GetSafeHwnd() != nullptr)
            pBar->OnCancelMode();
    }
}

LRESULT CKTToolBar::OnHelpHitTest(WPARAM, LPARAM lParam)
{
    OnCancelMode();
    const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    CKTToolbarButton* pButton = GetButton(HitTest(point));
    if (pButton == nullptr)
    {
        ::MessageBeep(static_cast<UINT>(-1));
        return -1;
    }
    // A menu button opens its menu, where the user picks the item to ask about.
    if (pButton->OnContextHelp(this))
        return -1;
    const LRESULT lResult = pButton->m_nID != 0 ? kHelpBaseCommand + pButton->m_nID : 0;
    if (lResult > 0)
        SetHelpMode(FALSE);
    return lResult;
}

// Common-controls toolbar messages --------------------------------------------------------------

LRESULT CKTToolBar::OnButtonCount(WPARAM, LPARAM)
{
    return GetCount();
}

LRESULT CKTToolBar::OnGetItemRect(WPARAM wParam, LPARAM lParam)
{
    const int iIndex = static_cast<int>(wParam);
    if (GetButton(iIndex) == nullptr || lParam == 0)
        return FALSE;
    GetItemRect(iIndex, reinterpret_cast<LPRECT>(lParam));
    return TRUE;
}

LRESULT CKTToolBar::OnGetButton(WPARAM wParam, LPARAM lParam)
{
    const CKTToolbarButton* pButton = GetButton(static_cast<int>(wParam));
    TBBUTTON* pTB = reinterpret_cast<TBBUTTON*>(lParam);
    if (pButton == nullptr || pTB == nullptr)
        return FALSE;
    memset(pTB, 0, sizeof(TBBUTTON));
    pTB->iBitmap = 0;
    pTB->idCommand = static_cast<int>(pButton->m_nID);
    // The TBBS_ state bits are the control's state bits shifted up, except that "disabled"
    // stands for a missing TBSTATE_ENABLED.
    BYTE fsState = static_cast<BYTE>((pButton->m_nStyle >> 16) & 0xFF);
    fsState &= ~static_cast<BYTE>(TBSTATE_ENABLED);
    if (!(pButton->m_nStyle & TBBS_DISABLED))
        fsState |= TBSTATE_ENABLED;
    pTB->fsState = fsState;
    pTB->fsStyle = static_cast<BYTE>(pButton->m_nStyle & 0xFF);
    pTB->dwData = 0;
    pTB->iString = 0;
    return TRUE;
}

LRESULT CKTToolBar::OnGetButtonText(WPARAM wParam, LPARAM lParam)
{
    const int iIndex = CommandToIndex(static_cast<UINT>(wParam));
    if (iIndex < 0)
        return -1;
    const CString& strText = GetButton(iIndex)->m_strText;
    LPWSTR pBuffer = reinterpret_cast<LPWSTR>(lParam);
    if (pBuffer != nullptr)
        wcscpy(pBuffer, strText);
    return strText.GetLength();
}

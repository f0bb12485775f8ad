// The toolkit button's mouse, keyboard and check handling: pressing, hot tracking, auto-repeat,
// check and radio states and the keys that move between radio buttons.
#include "uitoolkit/customize/KTButton.h"

#include "uitoolkit/bars/KTPopupMenu.h"

namespace
{
const UINT_PTR kAutoRepeatTimer = 1;

// TRUE while a toolkit popup menu of this thread is on screen.
BOOL IsPopupMenuOpen()
{
    struct Finder
    {
        static BOOL CALLBACK Visit(HWND hWnd, LPARAM lParam)
        {
            CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
            if (pWnd != nullptr && ::IsWindowVisible(hWnd) && pWnd->IsKindOf(RUNTIME_CLASS(CKTPopupMenu)))
            {
                *reinterpret_cast<BOOL*>(lParam) = TRUE;
                return FALSE;
            }
            return TRUE;
        }
    };
    BOOL bFound = FALSE;
    ::EnumThreadWindows(::GetCurrentThreadId(), &Finder::Visit, reinterpret_cast<LPARAM>(&bFound));
    return bFound;
}

CKTButton* ToolkitRadio(HWND hWnd)
{
    CKTButton* pButton = dynamic_cast<CKTButton*>(CWnd::FromHandlePermanent(hWnd));
    return pButton != nullptr && pButton->IsRadioButton() ? pButton : nullptr;
}
} // namespace

void CKTButton::NotifyClick()
{
    CWnd* pParent = GetParent();
    if (pParent == nullptr || pParent->GetSafeHwnd() == nullptr)
        return;
    pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), (LPARAM)m_hWnd);
}

void CKTButton::ClearVisualState()
{
    m_bPushed = FALSE;
    m_bClickedInside = FALSE;
    m_bHighlighted = FALSE;
    m_bHover = FALSE;
}

BOOL CKTButton::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CKTButton::OnCancelMode()
{
    CButton::OnCancelMode();
    if (m_bCaptured)
    {
        if (CWnd::GetCapture() == this)
            ::ReleaseCapture();
        m_bCaptured = FALSE;
        ClearVisualState();
        RedrawWindow();
    }
    if (m_nAutoRepeatTimeDelay >= 0)
        KillTimer(kAutoRepeatTimer);
}

void CKTButton::OnMouseMove(UINT nFlags, CPoint point)
{
    m_bHover = FALSE;
    if ((nFlags & MK_LBUTTON) || m_nFlatStyle != BUTTONSTYLE_3D || s_bWinXPTheme)
    {
        BOOL bRedraw = FALSE;
        CRect rectClient;
        GetClientRect(&rectClient);
        if (rectClient.PtInRect(point))
        {
            m_bHover = TRUE;
            if (!m_bHighlighted)
            {
                m_bHighlighted = TRUE;
                bRedraw = TRUE;
            }
            if ((nFlags & MK_LBUTTON) && !m_bPushed && m_bClickedInside)
            {
                m_bPushed = TRUE;
                bRedraw = TRUE;
            }
            if (!m_bCaptured)
            {
                SetCapture();
                m_bCaptured = TRUE;
                RedrawWindow();
                CButton::OnMouseMove(nFlags, point);
                return;
            }
        }
        else
        {
            if (nFlags & MK_LBUTTON)
            {
                if (m_bPushed)
                {
                    m_bPushed = FALSE;
                    bRedraw = TRUE;
                }
            }
            else if (m_bHighlighted)
            {
                m_bHighlighted = FALSE;
                bRedraw = TRUE;
            }
            if (m_bCaptured && nFlags == 0)
            {
                if (CWnd::GetCapture() == this)
                    ::ReleaseCapture();
                m_bCaptured = FALSE;
                RedrawWindow();
                CButton::OnMouseMove(nFlags, point);
                return;
            }
        }
        if (bRedraw)
        {
            Invalidate();
            UpdateWindow();
        }
    }
    CButton::OnMouseMove(nFlags, point);
}

void CKTButton::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_bPushed = TRUE;
    m_bClickedInside = TRUE;
    m_bHighlighted = TRUE;
    if (!m_bCaptured)
    {
        SetCapture();
        m_bCaptured = TRUE;
    }
    Invalidate();
    UpdateWindow();
    if (m_nAutoRepeatTimeDelay > 0)
        SetTimer(kAutoRepeatTimer, (UINT)m_nAutoRepeatTimeDelay);
    CButton::OnLButtonDown(nFlags, point);
}

void CKTButton::OnLButtonUp(UINT nFlags, CPoint point)
{
    const BOOL bClicked = m_bPushed && m_bClickedInside && m_bHighlighted;
    m_bPushed = FALSE;
    m_bClickedInside = FALSE;
    m_bHighlighted = FALSE;
    if (bClicked && m_bAutoCheck)
    {
        if (m_bCheckButton)
            m_bChecked = !m_bChecked;
        else if (m_bRadioButton && !m_bChecked)
        {
            m_bChecked = TRUE;
            UncheckRadioGroup();
        }
    }
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    CButton::OnLButtonUp(nFlags, point);
    if (m_bCaptured)
    {
        if (CWnd::GetCapture() == this)
            ::ReleaseCapture();
        m_bCaptured = FALSE;
    }
    if (m_nAutoRepeatTimeDelay > 0)
        KillTimer(kAutoRepeatTimer);
}

BOOL CKTButton::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_hCursor != nullptr)
    {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        CRect rectClient;
        GetClientRect(&rectClient);
        if (rectClient.PtInRect(point))
        {
            ::SetCursor(m_hCursor);
            return TRUE;
        }
    }
    return CButton::OnSetCursor(pWnd, nHitTest, message);
}

void CKTButton::OnEnable(BOOL bEnable)
{
    if (!bEnable)
    {
        m_bPushed = FALSE;
        m_bClickedInside = FALSE;
        m_bHighlighted = FALSE;
        if (m_bCaptured && CWnd::GetCapture() == this)
            ::ReleaseCapture();
        m_bCaptured = FALSE;
        KillTimer(kAutoRepeatTimer);
    }
    CButton::OnEnable(bEnable);
}

void CKTButton::OnSize(UINT nType, int cx, int cy)
{
    m_bDelayFullTextTooltipSet = m_bFullTextTooltip;
    CButton::OnSize(nType, cx, cy);
}

void CKTButton::OnKillFocus(CWnd* pNewWnd)
{
    CButton::OnKillFocus(pNewWnd);
    if (m_bCaptured && CWnd::GetCapture() == this)
        ::ReleaseCapture();
    m_bCaptured = FALSE;
    ClearVisualState();
    KillTimer(kAutoRepeatTimer);
    RedrawWindow();
}

void CKTButton::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    m_bPushed = TRUE;
    m_bClickedInside = TRUE;
    m_bHighlighted = TRUE;
    if (!m_bCaptured)
    {
        SetCapture();
        m_bCaptured = TRUE;
    }
    RedrawWindow();
    // The system control would report the second press of a double click as a double click and
    // not track it; given as a press, it tracks it and reports the click on its release.
    DefWindowProc(WM_LBUTTONDOWN, nFlags, MAKELPARAM((WORD)(short)point.x, (WORD)(short)point.y));
}

void CKTButton::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kAutoRepeatTimer)
    {
        if (m_bPushed && m_bHighlighted)
            NotifyClick();
        return;
    }
    CButton::OnTimer(nIDEvent);
}

LRESULT CKTButton::OnSetFont(WPARAM wParam, LPARAM lParam)
{
    m_hFont = (HFONT)wParam;
    if (lParam)
    {
        Invalidate();
        UpdateWindow();
    }
    return 0;
}

LRESULT CKTButton::OnGetFont(WPARAM, LPARAM)
{
    return (LRESULT)m_hFont;
}

LRESULT CKTButton::OnGetCheck(WPARAM, LPARAM)
{
    return (m_bCheckButton || m_bRadioButton) && m_bChecked ? BST_CHECKED : BST_UNCHECKED;
}

LRESULT CKTButton::OnSetCheck(WPARAM wParam, LPARAM)
{
    if (!m_bCheckButton && !m_bRadioButton)
        return 0;
    const BOOL bCheck = wParam != BST_UNCHECKED;
    if (bCheck == m_bChecked)
        return 0;
    m_bChecked = bCheck;
    if (m_bRadioButton && m_bChecked)
        UncheckRadioGroup();
    Invalidate();
    UpdateWindow();
    return 0;
}

void CKTButton::UncheckRadioGroup()
{
    // The group runs from the nearest window at or before this one that starts a group up to the
    // next one that does; hidden and disabled members are unchecked too.
    HWND hFirst = m_hWnd;
    while (!(::GetWindowLong(hFirst, GWL_STYLE) & WS_GROUP))
    {
        HWND hPrev = ::GetWindow(hFirst, GW_HWNDPREV);
        if (hPrev == nullptr)
            break;
        hFirst = hPrev;
    }
    for (HWND hWnd = hFirst; hWnd != nullptr; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
    {
        if (hWnd != hFirst && (::GetWindowLong(hWnd, GWL_STYLE) & WS_GROUP))
            break;
        CKTButton* pRadio = ToolkitRadio(hWnd);
        if (pRadio != nullptr && pRadio != this && pRadio->m_bChecked)
        {
            pRadio->m_bChecked = FALSE;
            pRadio->Invalidate();
            pRadio->UpdateWindow();
        }
    }
}

BOOL CKTButton::CheckNextRadio(BOOL bPrevious)
{
    CWnd* pParent = GetParent();
    if (pParent == nullptr)
        return FALSE;
    HWND hWnd = m_hWnd;
    // Bounded by the number of siblings: the walk stops when it comes back to this button.
    for (int nGuard = 0; nGuard < 10000; nGuard++)
    {
        hWnd = ::GetNextDlgGroupItem(pParent->m_hWnd, hWnd, bPrevious);
        if (hWnd == nullptr || hWnd == m_hWnd)
            return FALSE;
        CKTButton* pRadio = ToolkitRadio(hWnd);
        if (pRadio == nullptr || !::IsWindowEnabled(hWnd) || !::IsWindowVisible(hWnd) || pRadio->m_bChecked)
            continue;
        pRadio->SendMessage(BM_SETCHECK, BST_CHECKED);
        pRadio->SetFocus();
        pRadio->NotifyClick();
        return TRUE;
    }
    return FALSE;
}

BOOL CKTButton::PreTranslateMessage(MSG* pMsg)
{
    if (m_pToolTip != nullptr && m_pToolTip->GetSafeHwnd() != nullptr &&
        (pMsg->message == WM_LBUTTONDOWN || pMsg->message == WM_LBUTTONUP || pMsg->message == WM_MOUSEMOVE))
        m_pToolTip->RelayEvent(pMsg);

    if (pMsg->message == WM_KEYDOWN)
    {
        switch (pMsg->wParam)
        {
        case VK_RETURN:
            if (!IsPopupMenuOpen() && GetParent() != nullptr)
            {
                NotifyClick();
                return TRUE;
            }
            break;
        case VK_SPACE:
            if (m_bAutoCheck && m_bCheckButton)
            {
                m_bChecked = !m_bChecked;
                RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
                NotifyClick();
                return TRUE;
            }
            break;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            if (m_bAutoCheck && m_bRadioButton && CheckNextRadio(pMsg->wParam == VK_LEFT || pMsg->wParam == VK_UP))
                return TRUE;
            break;
        default:
            break;
        }
    }
    return CButton::PreTranslateMessage(pMsg);
}

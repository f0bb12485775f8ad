#include "uitoolkit/customize/KTDialogMenuHelper.h"

#include "uitoolkit/bars/KTBarPopupMessage.h"
#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTPopupMenuBar.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/customize/KTCmdUsageCount.h"
#include "uitoolkit/customize/KTDialog.h"
#include "uitoolkit/customize/KTPropertyPage.h"
#include "uitoolkit/customize/KTUserToolsManager.h"

namespace
{
CPoint ScreenPointOf(const MSG* pMsg)
{
    CPoint point(static_cast<short>(LOWORD(pMsg->lParam)), static_cast<short>(HIWORD(pMsg->lParam)));
    ::ClientToScreen(pMsg->hwnd, &point);
    return point;
}

BOOL IsShadow(int nArea)
{
    return nArea == CKTPopupMenu::MENU_AREA_SHADOW_RIGHT || nArea == CKTPopupMenu::MENU_AREA_SHADOW_BOTTOM;
}
} // namespace

CKTDialogMenuHelper::~CKTDialogMenuHelper()
{
    if (s_pCurrentHelper == this)
        SetActiveMenu(nullptr);
}

void CKTDialogMenuHelper::SetActiveMenu(CKTPopupMenu* pMenu)
{
    s_pActiveMenu = pMenu;
    s_hActiveMenuWnd = pMenu != nullptr ? pMenu->GetSafeHwnd() : nullptr;
    if (pMenu != nullptr)
    {
        if (s_hMouseHook == nullptr)
            s_hMouseHook =
                ::SetWindowsHookEx(WH_MOUSE, &CKTDialogMenuHelper::MouseHookProc, nullptr, ::GetCurrentThreadId());
        s_pCurrentHelper = this;
    }
    else
    {
        if (s_hMouseHook != nullptr)
            ::UnhookWindowsHookEx(s_hMouseHook);
        s_hMouseHook = nullptr;
        s_pCurrentHelper = nullptr;
    }
}

BOOL CKTDialogMenuHelper::IsMenuOpen()
{
    if (s_pActiveMenu == nullptr)
        return FALSE;
    // The menu deletes itself with its window: only a living window of that very object counts.
    if (s_hActiveMenuWnd == nullptr)
        s_hActiveMenuWnd = s_pActiveMenu->GetSafeHwnd();
    if (s_hActiveMenuWnd != nullptr && ::IsWindow(s_hActiveMenuWnd) &&
        CWnd::FromHandlePermanent(s_hActiveMenuWnd) == s_pActiveMenu)
        return TRUE;
    // The menu closed without telling its dialog: the hook goes with it.
    if (s_hActiveMenuWnd != nullptr && s_pCurrentHelper != nullptr)
        s_pCurrentHelper->SetActiveMenu(nullptr);
    return FALSE;
}

void CKTDialogMenuHelper::OnOwnerMenu(CKTPopupMenu* pMenu, CWnd* pOwner, BOOL bOpen)
{
    CKTDialogMenuHelper* pHelper = nullptr;
    if (pOwner != nullptr && pOwner->IsKindOf(RUNTIME_CLASS(CKTDialog)))
        pHelper = &static_cast<CKTDialog*>(pOwner)->GetMenuHelper();
    else if (pOwner != nullptr && pOwner->IsKindOf(RUNTIME_CLASS(CKTPropertyPage)))
        pHelper = &static_cast<CKTPropertyPage*>(pOwner)->GetMenuHelper();
    if (pHelper == nullptr)
        return;
    if (bOpen)
        pHelper->SetActiveMenu(pMenu);
    else if (s_pActiveMenu == pMenu && s_pCurrentHelper == pHelper)
        pHelper->SetActiveMenu(nullptr);
}

void CKTDialogMenuHelper::CloseMenu(CKTPopupMenu* pMenu)
{
    if (pMenu != nullptr && pMenu->GetSafeHwnd() != nullptr)
        pMenu->SendMessage(WM_CLOSE);
}

BOOL CKTDialogMenuHelper::IsClickOutsideMenu(CPoint ptScreen)
{
    if (CKTToolBar::IsCustomizeMode() || !IsMenuOpen())
        return FALSE;
    CRect rectMenu;
    s_pActiveMenu->GetWindowRect(&rectMenu);
    if (rectMenu.PtInRect(ptScreen))
        return FALSE;
    return s_pActiveMenu->GetMenuBar()->FindBarAtPoint(ptScreen) == nullptr;
}

BOOL CKTDialogMenuHelper::ProcessMouseClick(CPoint ptScreen)
{
    if (CKTToolBar::IsCustomizeMode() || !IsMenuOpen())
        return FALSE;
    CKTPopupMenu* pMenu = s_pActiveMenu;
    const int nArea = pMenu->HitTest(ptScreen);
    if (IsShadow(nArea))
    {
        CloseMenu(pMenu);
        m_pDlg->SetFocus();
        return TRUE;
    }
    if (nArea != CKTPopupMenu::MENU_AREA_OUTSIDE)
        return FALSE;

    CKTToolbarMenuButton* pParentButton = pMenu->GetParentButton();
    CWnd* pParentBar = pParentButton != nullptr ? pParentButton->m_pWndParent : nullptr;
    if (pParentBar != nullptr && pParentBar->GetSafeHwnd() != nullptr)
    {
        CRect rectButton = pParentButton->m_rect;
        pParentBar->ClientToScreen(&rectButton);
        if (rectButton.PtInRect(ptScreen))
        {
            // The button that opened the menu closes it.
            if (!pMenu->IsAlwaysStayOpen())
                CloseMenu(pMenu);
            return TRUE;
        }
        CKTPopupMenuBar* pPopupBar = KT_KIND_OF(CKTPopupMenuBar, pParentBar);
        CKTPopupMenu* pParentMenu = pPopupBar != nullptr ? pPopupBar->GetPopupMenu() : nullptr;
        if (pParentMenu != nullptr && pParentMenu->GetSafeHwnd() != nullptr)
        {
            const int nParentArea = pParentMenu->HitTest(ptScreen);
            if (IsShadow(nParentArea))
            {
                CloseMenu(pParentMenu);
                m_pDlg->SetFocus();
                return TRUE;
            }
            if (nParentArea != CKTPopupMenu::MENU_AREA_OUTSIDE)
                return FALSE;
        }
    }

    if (!pMenu->IsAlwaysStayOpen())
        CloseMenu(pMenu);
    CWnd* pFocus = CWnd::GetFocus();
    if (pFocus != nullptr && pFocus->IsKindOf(RUNTIME_CLASS(CKTToolBar)))
        m_pDlg->SetFocus();
    return FALSE;
}

BOOL CKTDialogMenuHelper::FilterMessage(MSG* pMsg)
{
    switch (pMsg->message)
    {
    case WM_KEYDOWN:
        if (IsMenuOpen())
        {
            s_pActiveMenu->SendMessage(WM_KEYDOWN, pMsg->wParam, pMsg->lParam);
            return TRUE;
        }
        break;
    case WM_SYSKEYDOWN:
    case WM_CONTEXTMENU:
        if (pMsg->wParam == VK_MENU && IsMenuOpen())
        {
            CloseMenu(s_pActiveMenu);
            return TRUE;
        }
        break;
    case WM_SYSKEYUP:
        if (IsMenuOpen())
            return TRUE;
        break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
        return ProcessMouseClick(
            CPoint(static_cast<short>(LOWORD(pMsg->lParam)), static_cast<short>(HIWORD(pMsg->lParam))));
    case WM_MOUSEMOVE:
        return IsClickOutsideMenu(ScreenPointOf(pMsg));
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: {
        const CPoint ptScreen = ScreenPointOf(pMsg);
        const HWND hWndTarget = pMsg->hwnd;
        if (ProcessMouseClick(ptScreen) || !::IsWindow(hWndTarget))
            return TRUE;
        if (pMsg->message == WM_RBUTTONUP && !CKTToolBar::IsCustomizeMode())
        {
            CWnd* pTarget = CWnd::FromHandlePermanent(hWndTarget);
            if (pTarget != nullptr && pTarget->IsKindOf(RUNTIME_CLASS(CControlBar)))
                m_pDlg->SendMessage(KTGetToolbarPopupMenuMessage(), (WPARAM)m_pDlg->GetSafeHwnd(),
                                    KTPackScreenPoint(ptScreen));
        }
        break;
    }
    default:
        break;
    }
    return FALSE;
}

BOOL CKTDialogMenuHelper::FilterCommand(WPARAM wParam, LPARAM)
{
    if (HIWORD(wParam) != 1)
        return FALSE;
    CKTToolBar::GetUsageCount().AddCmd(LOWORD(wParam));
    if (IsMenuOpen())
    {
        s_pActiveMenu->SendMessage(WM_KEYDOWN, VK_ESCAPE);
        return TRUE;
    }
    return g_pUserToolsManager != nullptr && g_pUserToolsManager->InvokeTool(LOWORD(wParam));
}

void CKTDialogMenuHelper::OnActivate(UINT nState, CWnd* pWndOther)
{
    m_bStayActive = FALSE;
    CWnd* pWndActive = nState == WA_INACTIVE ? pWndOther : m_pDlg;
    if (pWndActive == nullptr || pWndActive->GetSafeHwnd() == nullptr)
    {
        m_pDlg->SendMessage(WM_NCACTIVATE, FALSE);
        return;
    }
    // Another window keeps the caption active only when it is one of ours (a popup menu).
    if (pWndActive != m_pDlg && pWndActive->SendMessage(WM_FLOATSTATUS, FS_SYNCACTIVE) == 0)
        return;
    m_bStayActive = TRUE;
}

BOOL CKTDialogMenuHelper::OnNcActivate(BOOL bActive)
{
    if (m_bStayActive)
        bActive = TRUE;
    if (!m_pDlg->IsWindowEnabled())
        bActive = FALSE;
    return (BOOL)::DefWindowProc(m_pDlg->GetSafeHwnd(), WM_NCACTIVATE, bActive, 0);
}

LRESULT CALLBACK CKTDialogMenuHelper::MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    const HHOOK hHook = s_hMouseHook;
    if (nCode >= 0 && s_pCurrentHelper != nullptr && s_pCurrentHelper->m_pDlg->GetSafeHwnd() != nullptr)
    {
        switch (wParam)
        {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN: {
            CPoint ptCursor;
            ::GetCursorPos(&ptCursor);
            CRect rectDlg;
            s_pCurrentHelper->m_pDlg->GetWindowRect(&rectDlg);
            if (!rectDlg.PtInRect(ptCursor))
                s_pCurrentHelper->ProcessMouseClick(ptCursor);
            break;
        }
        default:
            break;
        }
    }
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}

#include "uitoolkit/bars/KTMDIFrameWnd.h"

#include "framework/AfxMsgMap.h"
#include "framework/AfxOleFrames.h"
#include "uitoolkit/bars/KTFrameDocking.h"
#include "uitoolkit/bars/KTFrameImplPopups.h"
#include "uitoolkit/bars/KTMenuBar.h"
#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"

const LPCTSTR KTToolBarsRegSection = L"KTToolBars";

IMPLEMENT_DYNCREATE(CKTMDIFrameWnd, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CKTMDIFrameWnd, CMDIFrameWnd)
KT_FRAME_FORWARDING_MESSAGES(CKTMDIFrameWnd)
ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

void (*CKTMDIFrameWnd::m_pfnRunWindowsDialog)(CKTMDIFrameWnd*, BOOL) = nullptr;

namespace
{

const UINT kMoreWindowsCmd = 0xFF09;
const UINT kFirstDocumentWindowCmd = 0xFF00;
const int kWindowEntryTextMax = 1024;

BOOL HasWindowCommands(HMENU hMenu)
{
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; i++)
    {
        const UINT uiID = ::GetMenuItemID(hMenu, i);
        if (uiID >= AFX_IDM_WINDOW_FIRST && uiID <= AFX_IDM_WINDOW_LAST)
            return TRUE;
    }
    return FALSE;
}

} // namespace

// Hooks -------------------------------------------------------------------------------------------

BOOL CKTMDIFrameWnd::OnSetMenu(HMENU hmenu)
{
    if (GetActiveOleItem() != nullptr)
        return FALSE;
    CKTMenuBar* pMenuBar = GetMenuBar();
    if (pMenuBar == nullptr)
        return FALSE;
    SetMenu(nullptr);
    pMenuBar->CreateFromMenu(hmenu != nullptr ? hmenu : m_Impl.GetDefaultMenu(), FALSE, FALSE);
    return TRUE;
}

COleClientItem* CKTMDIFrameWnd::GetActiveOleItem()
{
    CMDIChildWnd* pChild = MDIGetActive();
    return pChild != nullptr ? AfxGetActiveOleItem(pChild) : nullptr;
}

BOOL CKTMDIFrameWnd::OnPopupMenuOpening(CKTPopupMenu* pMenuPopup)
{
    if (!m_Impl.OnShowPopupMenu(pMenuPopup))
        return FALSE;
    HMENU hPopupMenu = KTPopupGetMenu(pMenuPopup);
    // A popup made active again (its submenu closed) has its list already.
    const BOOL bListed = KTPopupHasCommandIn(pMenuPopup, kFirstDocumentWindowCmd, 0xFFFF) ||
                         (m_uiWindowsDlgMenuId != 0 &&
                          KTPopupHasCommandIn(pMenuPopup, m_uiWindowsDlgMenuId, m_uiWindowsDlgMenuId));
    if (!CKTToolBar::IsCustomizeMode() && !bListed && m_hmenuWindow != nullptr && ::IsMenu(m_hmenuWindow) &&
        hPopupMenu != nullptr && HasWindowCommands(hPopupMenu))
    {
        BOOL bMoreWindows = FALSE;
        BOOL bFirst = TRUE;
        const int nCount = ::GetMenuItemCount(m_hmenuWindow);
        for (int i = 0; i < nCount; i++)
        {
            const UINT uiCmd = ::GetMenuItemID(m_hmenuWindow, i);
            if (uiCmd < kFirstDocumentWindowCmd || uiCmd == (UINT)-1)
                continue;
            if (m_uiWindowsDlgMenuId != 0 && uiCmd == kMoreWindowsCmd)
            {
                bMoreWindows = TRUE;
                continue;
            }
            if (bFirst)
            {
                KTPopupAppendButton(pMenuPopup, CKTToolbarButton());
                ::SendMessage(m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
                bFirst = FALSE;
            }
            wchar_t szText[kWindowEntryTextMax + 1] = {};
            ::GetMenuStringW(m_hmenuWindow, static_cast<UINT>(i), szText, kWindowEntryTextMax, MF_BYPOSITION);
            CKTToolbarMenuButton button;
            button.m_nID = uiCmd;
            button.m_strText = szText;
            button.m_bText = TRUE;
            button.m_bImage = FALSE;
            if (::GetMenuState(m_hmenuWindow, static_cast<UINT>(i), MF_BYPOSITION) & MF_CHECKED)
                button.m_nStyle |= TBBS_CHECKED;
            KTPopupAppendButton(pMenuPopup, button);
        }
        if (m_uiWindowsDlgMenuId != 0 && (bMoreWindows || m_bShowWindowsDlgAlways))
        {
            CKTToolBar::AddBasicCommand(m_uiWindowsDlgMenuId);
            CKTToolbarMenuButton button;
            button.m_nID = m_uiWindowsDlgMenuId;
            button.m_strText = m_strWindowsDlgMenuText;
            button.m_bText = TRUE;
            button.m_bImage = FALSE;
            KTPopupAppendButton(pMenuPopup, button);
        }
    }
    if (KTPopupIsTearOffCopy(pMenuPopup))
        return TRUE;
    return OnShowPopupMenu(pMenuPopup);
}

// Operations -----------------------------------------------------------------------------------------

void CKTMDIFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    EnableFrameDocking(this, dwDockStyle);
}

void CKTMDIFrameWnd::DockControlBarLeftOf(CControlBar* pBar, CControlBar* pLeftOf)
{
    m_Impl.DockControlBarLeftOf(pBar, pLeftOf);
}

void CKTMDIFrameWnd::EnableWindowsDialog(UINT uiCmdId, LPCTSTR lpszMenuText, BOOL bShowAllways, BOOL bShowHelpButton)
{
    m_uiWindowsDlgMenuId = uiCmdId;
    m_strWindowsDlgMenuText = lpszMenuText != nullptr ? lpszMenuText : L"";
    m_bShowWindowsDlgAlways = bShowAllways;
    m_bShowWindowsDlgHelpButton = bShowHelpButton;
}

void CKTMDIFrameWnd::EnableWindowsDialog(UINT uiCmdId, UINT uiMenuTextResId, BOOL bShowAllways, BOOL bShowHelpButton)
{
    CString strText;
    strText.LoadString(uiMenuTextResId);
    EnableWindowsDialog(uiCmdId, strText, bShowAllways, bShowHelpButton);
}

void CKTMDIFrameWnd::ShowWindowsDialog()
{
    if (m_pfnRunWindowsDialog != nullptr)
        m_pfnRunWindowsDialog(this, m_bShowWindowsDlgHelpButton);
}

void CKTMDIFrameWnd::UpdateMaximizeMode()
{
    CKTMenuBar* pMenuBar = GetMenuBar();
    if (pMenuBar == nullptr || pMenuBar->GetSafeHwnd() == nullptr || m_hWndMDIClient == nullptr)
        return;
    BOOL bMaximized = FALSE;
    CMDIChildWnd* pChild = MDIGetActive(&bMaximized);
    if (pChild != nullptr && bMaximized)
        pMenuBar->SetMaximizeMode(TRUE, pChild);
    else
        pMenuBar->SetMaximizeMode(FALSE);
}

// Framework overrides -----------------------------------------------------------------------------

BOOL CKTMDIFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    m_Impl.RestorePosition(cs);
    return CMDIFrameWnd::PreCreateWindow(cs);
}

BOOL CKTMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    if (!CKTFrameForwarding<CMDIFrameWnd>::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    if (GetMenuBar() != nullptr)
        m_hMenuDefault = m_Impl.GetDefaultMenu();
    return TRUE;
}

BOOL CKTMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    if (!CMDIFrameWnd::OnCreateClient(lpcs, pContext))
        return FALSE;
    if (m_bDoSubclass && m_hWndMDIClient != nullptr)
        m_wndClientArea.SubclassWindow(m_hWndMDIClient);
    return TRUE;
}

HMENU CKTMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar)
{
    m_hmenuWindow = CMDIFrameWnd::GetWindowMenuPopup(hMenuBar);
    return m_hmenuWindow;
}

void CKTMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    CMDIFrameWnd::OnUpdateFrameMenu(hMenuAlt);
    // With an object active in place its own menu stays.
    HideOwnMenuForMenuBar(GetActiveOleItem() != nullptr);
}

void CKTMDIFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState)
{
    m_wndClientArea.OnSetPreviewMode(bPreview);
    CMDIFrameWnd::OnSetPreviewMode(bPreview, pState);
}

// Messages -----------------------------------------------------------------------------------------

void CKTMDIFrameWnd::OnClose()
{
    if (COleClientItem* pItem = GetActiveOleItem())
        pItem->Close();
    CKTFrameForwarding<CMDIFrameWnd>::OnClose();
}

void CKTMDIFrameWnd::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    Default();
    (void)lpwndpos;
    UpdateMaximizeMode();
}

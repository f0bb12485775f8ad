#include "uitoolkit/customize/KTMenuPage.h"

#include "uitoolkit/bars/KTFrameWnd.h"
#include "uitoolkit/bars/KTMDIFrameWnd.h"
#include "uitoolkit/bars/KTMenuBar.h"
#include "uitoolkit/bars/KTMenuStore.h"
#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/customize/KTContextMenuManager.h"
#include "uitoolkit/customize/KTDialogMenuHelper.h"
#include "uitoolkit/customize/KTToolbarCustomize.h"

IMPLEMENT_DYNCREATE(CKTMenuPage, CPropertyPage)

namespace
{
const UINT IDC_KT_MENU_DESCRIPTION = 16506;
const UINT IDC_KT_MENU_ICON = 16507;
const UINT IDC_KT_CONTEXT_LABEL = 16508;
const UINT IDC_KT_CONTEXT_HINT = 16519;
const UINT IDC_KT_CONTEXT_GROUP = 16520;
const UINT IDC_KT_ANIMATION_LABEL = 16543;
const UINT IDC_KT_MENU_SELECTOR = 16621;
const UINT IDC_KT_CONTEXT_MENUS = 16622;
const UINT IDC_KT_RESET_CONTEXT = 16623;
const UINT IDC_KT_RESET_FRAME = 16624;
const UINT IDC_KT_ANIMATION = 16625;
const UINT IDC_KT_SHADOWS = 16626;
const UINT IDS_KT_CANT_CUSTOMIZE_MENUS = 16007;
const UINT IDS_KT_DEFAULT_MENU = 16106;
const UINT IDS_KT_DEFAULT_MENU_DESCRIPTION = 16107;
const UINT IDS_KT_NO_CONTEXT_MENU = 16108;
const UINT IDP_KT_RESET_MENU = 16113;

// The store keys a copy by the whole handle, as the popups and the menu bar look it up.
UINT_PTR StoreId(HMENU hMenu)
{
    return CKTMenuFileStore::MenuId(hMenu);
}

CString LoadText(UINT nID)
{
    CString str;
    str.LoadString(nID);
    return str;
}

// A popup that leaves the registered menu it shows to the context menu manager.
class CKTContextEditMenu : public CKTPopupMenu
{
public:
    CKTContextEditMenu(CKTMenuPage* pPage, LPCTSTR lpszTitle, BOOL bKeepMenu) : CKTPopupMenu(pPage, lpszTitle)
    {
        if (bKeepMenu)
            m_bAutoDestroyMenu = FALSE;
    }
};
} // namespace

BEGIN_MESSAGE_MAP(CKTMenuPage, CPropertyPage)
ON_CBN_SELCHANGE(IDC_KT_MENU_SELECTOR, &CKTMenuPage::OnSelchangeMenuSelector)
ON_CBN_SELCHANGE(IDC_KT_CONTEXT_MENUS, &CKTMenuPage::OnSelchangeContextMenu)
ON_BN_CLICKED(IDC_KT_RESET_FRAME, &CKTMenuPage::OnResetFrameMenu)
ON_BN_CLICKED(IDC_KT_RESET_CONTEXT, &CKTMenuPage::OnResetContextMenu)
ON_WM_DESTROY()
END_MESSAGE_MAP()

CKTMenuPage::CKTMenuPage(CFrameWnd* pParentFrame, BOOL bAutoSet)
    : CPropertyPage(IDD), m_iMenuAnimationType(CKTPopupMenu::GetAnimationType()),
      m_bMenuShadows(CKTToolBar::m_bMenuShadows), m_bAutoSet(bAutoSet), m_pParentFrame(pParentFrame)
{
}

CKTPopupMenu* CKTMenuPage::GetContextMenu() const
{
    return m_hContextMenuWnd != nullptr && ::IsWindow(m_hContextMenuWnd) &&
                   CWnd::FromHandlePermanent(m_hContextMenuWnd) == m_pContextMenu
               ? m_pContextMenu
               : nullptr;
}

BOOL CKTMenuPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_wndMenuSelector.SubclassDlgItem(IDC_KT_MENU_SELECTOR, this);
    m_wndContextMenus.SubclassDlgItem(IDC_KT_CONTEXT_MENUS, this);
    m_wndAnimation.SubclassDlgItem(IDC_KT_ANIMATION, this);
    m_wndAnimation.SetCurSel(m_iMenuAnimationType);
    CheckDlgButton(IDC_KT_SHADOWS, m_bMenuShadows ? BST_CHECKED : BST_UNCHECKED);

    const CObList& bars = CKTToolBar::GetAllToolbars();
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr && m_pMenuBar == nullptr;)
    {
        CKTToolBar* pBar = static_cast<CKTToolBar*>(bars.GetNext(pos));
        if (pBar != nullptr && pBar->GetSafeHwnd() != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CKTMenuBar)))
            m_pMenuBar = static_cast<CKTMenuBar*>(pBar);
    }

    if (m_pMenuBar == nullptr)
    {
        m_wndMenuSelector.EnableWindow(FALSE);
        if (CWnd* pReset = GetDlgItem(IDC_KT_RESET_FRAME))
            pReset->EnableWindow(FALSE);
        SetDlgItemText(IDC_KT_MENU_DESCRIPTION, LoadText(IDS_KT_CANT_CUSTOMIZE_MENUS));
    }
    else
    {
        m_pMenuBar->SetMenuPage(this);
        m_hmenuCurr = m_pMenuBar->GetMenu();
        m_pMenuBar->OnChangeHot(-1);
        if (m_hmenuCurr != nullptr)
            CKTMenuFileStore::Get().SaveMenu(StoreId(m_hmenuCurr), *m_pMenuBar);

        int nCurrent = -1;
        CWinApp* pApp = AfxGetApp();
        if (m_bAutoSet && pApp != nullptr)
        {
            for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != nullptr;)
            {
                CDocTemplate* pDocTemplate = pApp->GetNextDocTemplate(pos);
                CMultiDocTemplate* pTemplate = KT_KIND_OF(CMultiDocTemplate, pDocTemplate);
                if (pTemplate == nullptr || pTemplate->m_hMenuShared == nullptr)
                    continue;
                BOOL bListed = FALSE;
                for (int i = 0; i < m_wndMenuSelector.GetCount() && !bListed; ++i)
                {
                    const CDocTemplate* pListed = static_cast<CDocTemplate*>(m_wndMenuSelector.GetItemDataPtr(i));
                    bListed = pListed != nullptr && pListed->m_nIDResource == pTemplate->m_nIDResource;
                }
                if (bListed)
                    continue;
                CString strName;
                pTemplate->GetDocString(strName, CDocTemplate::fileNewName);
                const int nIndex = m_wndMenuSelector.AddString(strName);
                m_wndMenuSelector.SetItemDataPtr(nIndex, pTemplate);
                if (pTemplate->m_hMenuShared == m_hmenuCurr)
                    nCurrent = nIndex;
            }
        }
        const int nDefault = m_wndMenuSelector.AddString(LoadText(IDS_KT_DEFAULT_MENU));
        m_wndMenuSelector.SetItemDataPtr(nDefault, nullptr);
        if (nCurrent < 0)
        {
            m_bIsDefaultMDIMenu = TRUE;
            nCurrent = nDefault;
        }
        m_wndMenuSelector.SetCurSel(nCurrent);
        ShowChosenMenu();
    }

    m_wndContextMenus.AddString(LoadText(IDS_KT_NO_CONTEXT_MENU));
    m_wndContextMenus.SetCurSel(0);
    if (g_pContextMenuManager == nullptr)
    {
        for (UINT nID : {IDC_KT_CONTEXT_GROUP, IDC_KT_CONTEXT_HINT, IDC_KT_RESET_CONTEXT, IDC_KT_CONTEXT_LABEL,
                         IDC_KT_CONTEXT_MENUS})
        {
            if (CWnd* pWnd = GetDlgItem(nID))
                pWnd->ShowWindow(SW_HIDE);
        }
    }
    else
    {
        CStringList names;
        g_pContextMenuManager->GetMenuNames(names);
        for (POSITION pos = names.GetHeadPosition(); pos != nullptr;)
            m_wndContextMenus.AddString(names.GetNext(pos));
        const BOOL bAny = m_wndContextMenus.GetCount() > 1;
        m_wndContextMenus.EnableWindow(bAny);
        if (CWnd* pReset = GetDlgItem(IDC_KT_RESET_CONTEXT))
            pReset->EnableWindow(bAny);
    }

    CWnd* pParent = GetParent();
    CKTToolbarCustomize* pSheet = KT_KIND_OF(CKTToolbarCustomize, pParent);
    const UINT uiFlags = pSheet != nullptr ? pSheet->GetFlags() : 0;
    if ((uiFlags & CKTToolbarCustomize::KT_CUSTOMIZE_MENU_SHADOWS) == 0)
    {
        if (CWnd* pWnd = GetDlgItem(IDC_KT_SHADOWS))
            pWnd->ShowWindow(SW_HIDE);
    }
    if ((uiFlags & CKTToolbarCustomize::KT_CUSTOMIZE_MENU_ANIMATIONS) == 0)
    {
        for (UINT nID : {IDC_KT_ANIMATION_LABEL, IDC_KT_ANIMATION})
        {
            if (CWnd* pWnd = GetDlgItem(nID))
                pWnd->ShowWindow(SW_HIDE);
        }
    }
    return TRUE;
}

void CKTMenuPage::OnSelchangeMenuSelector()
{
    ShowChosenMenu();
}

void CKTMenuPage::ShowChosenMenu()
{
    if (m_pMenuBar == nullptr)
        return;
    if (m_hmenuSelected != nullptr)
        m_pMenuBar->OnChangeHot(-1);

    CString strDescription;
    HICON hIcon = nullptr;
    HMENU hMenu = nullptr;
    const int nIndex = m_wndMenuSelector.GetCurSel();
    if (nIndex >= 0)
    {
        CMultiDocTemplate* pTemplate = static_cast<CMultiDocTemplate*>(m_wndMenuSelector.GetItemDataPtr(nIndex));
        if (pTemplate == nullptr)
        {
            strDescription = LoadText(IDS_KT_DEFAULT_MENU_DESCRIPTION);
            CWnd* pMainWnd = AfxGetMainWnd();
            if (pMainWnd != nullptr && pMainWnd->GetSafeHwnd() != nullptr)
                hIcon = reinterpret_cast<HICON>(::GetClassLongPtrW(pMainWnd->GetSafeHwnd(), GCLP_HICON));
            hMenu = m_pMenuBar->GetDefaultMenu();
        }
        else
        {
            pTemplate->GetDocString(strDescription, CDocTemplate::regFileTypeName);
            hIcon = ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(pTemplate->m_nIDResource));
            if (hIcon == nullptr)
                hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
            hMenu = pTemplate->m_hMenuShared;
        }
        m_pMenuBar->CreateFromMenu(hMenu, FALSE, TRUE);
    }
    m_hmenuSelected = hMenu;
    if (CStatic* pIcon = static_cast<CStatic*>(GetDlgItem(IDC_KT_MENU_ICON)))
        pIcon->SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(hIcon));
    SetDlgItemText(IDC_KT_MENU_DESCRIPTION, strDescription);
}

void CKTMenuPage::SaveContextMenu()
{
    CKTPopupMenu* pMenu = GetContextMenu();
    if (pMenu == nullptr)
        return;
    CRect rect;
    pMenu->GetWindowRect(&rect);
    s_ptContextMenu = rect.TopLeft();
    if (pMenu->GetHMenu() != nullptr)
        CKTMenuFileStore::Get().SaveMenu(StoreId(pMenu->GetHMenu()), *pMenu->GetMenuBar());
}

void CKTMenuPage::CloseContextPopup()
{
    CKTPopupMenu* pMenu = GetContextMenu();
    if (pMenu != nullptr)
        SaveContextMenu();
    // Forgotten before it closes: a menu the page closes itself must not report its closing as
    // the user's, which would turn the list back to no menu under the choice being made.
    m_pContextMenu = nullptr;
    m_hContextMenuWnd = nullptr;
    if (pMenu != nullptr)
        pMenu->SendMessage(WM_CLOSE);
}

void CKTMenuPage::CloseContextMenu(CKTPopupMenu* pMenu)
{
    if (pMenu == nullptr || pMenu != GetContextMenu())
        return;
    SaveContextMenu();
    m_pContextMenu = nullptr;
    m_hContextMenuWnd = nullptr;
    m_wndContextMenus.SetCurSel(0);
    if (CWnd* pReset = GetDlgItem(IDC_KT_RESET_CONTEXT))
        pReset->EnableWindow(FALSE);
}

void CKTMenuPage::OnSelchangeContextMenu()
{
    if (CWnd* pReset = GetDlgItem(IDC_KT_RESET_CONTEXT))
        pReset->EnableWindow(FALSE);
    if (g_pContextMenuManager == nullptr)
        return;
    m_uiContextMenuResId = 0;
    CloseContextPopup();

    const int nIndex = m_wndContextMenus.GetCurSel();
    if (nIndex <= 0)
        return;
    CString strName;
    m_wndContextMenus.GetLBText(nIndex, strName);
    HMENU hMenu = g_pContextMenuManager->GetMenuByName(strName, &m_uiContextMenuResId);
    HMENU hPopup = hMenu != nullptr ? ::GetSubMenu(hMenu, 0) : nullptr;
    if (hPopup == nullptr)
    {
        ::MessageBeep((UINT)-1);
        return;
    }
    // The manager owns its registered menus: the popup leaves the handle alone.
    CKTPopupMenu* pPopup = new CKTContextEditMenu(this, strName, TRUE);
    CFrameWnd* pTopFrame = m_pParentFrame != nullptr ? m_pParentFrame->GetTopLevelFrame() : nullptr;
    if (pTopFrame == nullptr)
        pTopFrame = m_pParentFrame;
    if (!pPopup->Create(pTopFrame, s_ptContextMenu.x, s_ptContextMenu.y, hPopup))
    {
        AfxMessageBox(L"Can't create context menu!");
        return;
    }
    m_pContextMenu = pPopup;
    m_hContextMenuWnd = pPopup->GetSafeHwnd();
    if (CWnd* pReset = GetDlgItem(IDC_KT_RESET_CONTEXT))
        pReset->EnableWindow(TRUE);
}

BOOL CKTMenuPage::ConfirmReset(const CString& strName)
{
    CString strPrompt;
    strPrompt.Format(LoadText(IDP_KT_RESET_MENU), static_cast<LPCTSTR>(strName));
    return AfxMessageBox(strPrompt, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void CKTMenuPage::OnResetContextMenu()
{
    if (g_pContextMenuManager == nullptr)
        return;
    CString strName;
    const int nIndex = m_wndContextMenus.GetCurSel();
    if (nIndex <= 0)
        return;
    m_wndContextMenus.GetLBText(nIndex, strName);
    if (!ConfirmReset(strName))
        return;
    UINT uiResId = 0;
    HMENU hMenu = g_pContextMenuManager->GetMenuByName(strName, &uiResId);
    HMENU hPopup = hMenu != nullptr ? ::GetSubMenu(hMenu, 0) : nullptr;
    if (hPopup == nullptr)
    {
        ::MessageBeep((UINT)-1);
        return;
    }
    CKTPopupMenu* pMenu = GetContextMenu();
    if (pMenu != nullptr)
        pMenu->GetMenuBar()->ImportFromMenu(hPopup);
    if (m_pParentFrame != nullptr)
        m_pParentFrame->SendMessage(KT_WM_RESETCONTEXTMENU, uiResId, reinterpret_cast<LPARAM>(pMenu));
    // The reset items are stored and shown afresh.
    OnSelchangeContextMenu();
    if (CKTPopupMenu* pNew = GetContextMenu())
    {
        pNew->GetMenuBar()->AdjustLayout();
        pNew->GetMenuBar()->Invalidate();
        pNew->GetMenuBar()->UpdateWindow();
    }
}

void CKTMenuPage::OnResetFrameMenu()
{
    const int nIndex = m_wndMenuSelector.GetCurSel();
    if (m_pMenuBar == nullptr || nIndex < 0)
        return;
    CString strName;
    m_wndMenuSelector.GetLBText(nIndex, strName);
    if (!ConfirmReset(strName))
        return;

    CMultiDocTemplate* pTemplate = static_cast<CMultiDocTemplate*>(m_wndMenuSelector.GetItemDataPtr(nIndex));
    HMENU hOldMenu = nullptr;
    HMENU hNewMenu = nullptr;
    if (pTemplate == nullptr)
    {
        const UINT uiResId = m_pMenuBar->GetDefaultMenuResId();
        if (uiResId == 0)
            return;
        hNewMenu = ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(uiResId));
        if (hNewMenu == nullptr)
            return;
        hOldMenu = m_pMenuBar->GetDefaultMenu();
        m_pMenuBar->CreateFromMenu(hNewMenu, TRUE, TRUE);
        if (m_pParentFrame != nullptr && m_pParentFrame->SendMessage(KT_WM_RESETMENU, uiResId, 0) != 0)
            m_pMenuBar->AdjustLayout();
        if (m_pParentFrame != nullptr)
            m_pParentFrame->m_hMenuDefault = hNewMenu;
        if (m_bIsDefaultMDIMenu)
            m_hmenuCurr = hNewMenu;
    }
    else
    {
        hNewMenu = ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(pTemplate->m_nIDResource));
        if (hNewMenu == nullptr)
            return;
        hOldMenu = pTemplate->m_hMenuShared;
        pTemplate->m_hMenuShared = hNewMenu;
        m_pMenuBar->CreateFromMenu(hNewMenu, FALSE, TRUE);
        CKTMenuBar::UpdateMDIChildrenMenus(pTemplate);
        if (m_pParentFrame != nullptr && m_pParentFrame->SendMessage(KT_WM_RESETMENU, pTemplate->m_nIDResource, 0) != 0)
            m_pMenuBar->AdjustLayout();
        if (hOldMenu == m_hmenuCurr)
            m_hmenuCurr = hNewMenu;
    }
    // The reset menu is what the bar shows now; the customised one is gone.
    CKTMenuFileStore::Get().RemoveMenu(StoreId(hNewMenu));
    CKTMenuFileStore::Get().SaveMenu(StoreId(hNewMenu), *m_pMenuBar);
    m_hmenuSelected = hNewMenu;
    if (m_pParentFrame != nullptr && m_pParentFrame->GetSafeHwnd() != nullptr && m_hmenuCurr != nullptr)
        m_pParentFrame->OnUpdateFrameMenu(m_hmenuCurr);
    if (hOldMenu != nullptr && hOldMenu != hNewMenu)
    {
        CKTMenuFileStore::Get().RemoveMenu(StoreId(hOldMenu));
        ::DestroyMenu(hOldMenu);
    }
    m_pMenuBar->Invalidate();
    m_pMenuBar->UpdateWindow();
}

void CKTMenuPage::OnDestroy()
{
    m_iMenuAnimationType = m_wndAnimation.GetSafeHwnd() != nullptr ? m_wndAnimation.GetCurSel() : m_iMenuAnimationType;
    if (m_iMenuAnimationType >= 0)
        CKTPopupMenu::SetAnimationType(m_iMenuAnimationType);
    if (m_pMenuBar != nullptr && m_pMenuBar->GetSafeHwnd() != nullptr)
    {
        m_pMenuBar->SetMenuPage(nullptr);
        // The bar stores the edited menu as it switches back.
        m_pMenuBar->OnChangeHot(-1);
        if (m_hmenuCurr != nullptr)
            m_pMenuBar->CreateFromMenu(m_hmenuCurr, m_hmenuCurr == m_pMenuBar->GetDefaultMenu(), TRUE);
    }
    CloseContextPopup();
    CKTToolBar::m_bMenuShadows = IsDlgButtonChecked(IDC_KT_SHADOWS) == BST_CHECKED;
    CPropertyPage::OnDestroy();
}

BOOL CKTMenuPage::SelectMenu(CDocTemplate* pTemplate)
{
    if (m_wndMenuSelector.GetSafeHwnd() == nullptr)
        return FALSE;
    for (int i = 0; i < m_wndMenuSelector.GetCount(); ++i)
    {
        if (m_wndMenuSelector.GetItemDataPtr(i) == pTemplate)
        {
            m_wndMenuSelector.SetCurSel(i);
            ShowChosenMenu();
            return TRUE;
        }
    }
    return FALSE;
}

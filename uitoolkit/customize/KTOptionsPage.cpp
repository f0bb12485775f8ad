#include "uitoolkit/customize/KTOptionsPage.h"

#include "uitoolkit/bars/KTMenuBar.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/customize/KTCmdUsageCount.h"
#include "uitoolkit/customize/KTToolbarCustomize.h"
#include "uitoolkit/looks/KTVisualManager.h"

IMPLEMENT_DYNCREATE(CKTOptionsPage, CPropertyPage)

namespace
{
const UINT IDC_KT_VISUALIZATIONS = 17001;
const UINT IDC_KT_SHOW_TOOLTIPS = 16651;
const UINT IDC_KT_SHORTCUT_KEYS = 16652;
const UINT IDC_KT_LARGE_ICONS = 16653;
const UINT IDC_KT_LOOK2000 = 16654;
const UINT IDC_KT_RECENTLY_USED = 16655;
const UINT IDC_KT_SHOW_ALL_AFTER_DELAY = 16656;
const UINT IDC_KT_RESET_USAGE = 16657;
const UINT IDC_KT_PERSONALIZED_TITLE = 16538;
const UINT IDC_KT_PERSONALIZED_LINE = 16539;
const UINT IDP_KT_RESET_USAGE = 16244;
} // namespace

BEGIN_MESSAGE_MAP(CKTOptionsPage, CPropertyPage)
ON_BN_CLICKED(IDC_KT_SHOW_TOOLTIPS, &CKTOptionsPage::OnShowTooltips)
ON_BN_CLICKED(IDC_KT_SHORTCUT_KEYS, &CKTOptionsPage::OnShowShortcutKeys)
ON_BN_CLICKED(IDC_KT_RECENTLY_USED, &CKTOptionsPage::OnRecentlyUsedMenus)
ON_BN_CLICKED(IDC_KT_SHOW_ALL_AFTER_DELAY, &CKTOptionsPage::OnShowAllMenusAfterDelay)
ON_BN_CLICKED(IDC_KT_LARGE_ICONS, &CKTOptionsPage::OnLargeIcons)
ON_BN_CLICKED(IDC_KT_LOOK2000, &CKTOptionsPage::OnLook2000)
ON_BN_CLICKED(IDC_KT_RESET_USAGE, &CKTOptionsPage::OnResetUsageData)
ON_BN_CLICKED(IDC_KT_VISUALIZATIONS, &CKTOptionsPage::OnVisualizations)
END_MESSAGE_MAP()

CKTOptionsPage::CKTOptionsPage(BOOL bIsMenuBarExist)
    : CPropertyPage(IDD), m_bShowTooltips(CKTToolBar::m_bShowTooltips),
      m_bShowShortcutKeys(CKTToolBar::m_bShowShortcutKeys), m_bRecentlyUsedMenus(CKTMenuBar::IsRecentlyUsedMenus()),
      m_bShowAllMenusAfterDelay(CKTMenuBar::IsShowAllCommandsAfterDelay()), m_bLargeIcons(CKTToolBar::IsLargeIcons()),
      m_bLook2000(CKTVisualManager::GetInstance()->IsLook2000()), m_bIsMenuBarExist(bIsMenuBarExist)
{
}

void CKTOptionsPage::HideAndDisable(UINT nID)
{
    if (CWnd* pWnd = GetDlgItem(nID))
    {
        pWnd->ShowWindow(SW_HIDE);
        pWnd->EnableWindow(FALSE);
    }
}

void CKTOptionsPage::ReadCheck(UINT nID, BOOL& bValue)
{
    bValue = IsDlgButtonChecked(nID) == BST_CHECKED;
}

BOOL CKTOptionsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    CheckDlgButton(IDC_KT_SHOW_TOOLTIPS, m_bShowTooltips ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_KT_SHORTCUT_KEYS, m_bShowShortcutKeys ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_KT_RECENTLY_USED, m_bRecentlyUsedMenus ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_KT_SHOW_ALL_AFTER_DELAY, m_bShowAllMenusAfterDelay ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_KT_LARGE_ICONS, m_bLargeIcons ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_KT_LOOK2000, m_bLook2000 ? BST_CHECKED : BST_UNCHECKED);

    GetDlgItem(IDC_KT_SHORTCUT_KEYS)->EnableWindow(m_bShowTooltips);
    GetDlgItem(IDC_KT_SHOW_ALL_AFTER_DELAY)->EnableWindow(m_bRecentlyUsedMenus);

    if (!CKTToolBar::HasBasicCommands() || !m_bIsMenuBarExist)
    {
        for (UINT nID : {IDC_KT_RECENTLY_USED, IDC_KT_RESET_USAGE, IDC_KT_PERSONALIZED_TITLE, IDC_KT_PERSONALIZED_LINE,
                         IDC_KT_SHOW_ALL_AFTER_DELAY})
            HideAndDisable(nID);
    }

    CWnd* pParent = GetParent();
    const CKTToolbarCustomize* pSheet = pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CKTToolbarCustomize))
                                            ? static_cast<CKTToolbarCustomize*>(pParent)
                                            : nullptr;
    if (pSheet == nullptr || (pSheet->GetFlags() & CKTToolbarCustomize::KT_CUSTOMIZE_LOOK2000) == 0)
        HideAndDisable(IDC_KT_LOOK2000);
    HideAndDisable(IDC_KT_VISUALIZATIONS);
    return TRUE;
}

void CKTOptionsPage::OnShowTooltips()
{
    ReadCheck(IDC_KT_SHOW_TOOLTIPS, m_bShowTooltips);
    CKTToolBar::m_bShowTooltips = m_bShowTooltips;
    GetDlgItem(IDC_KT_SHORTCUT_KEYS)->EnableWindow(m_bShowTooltips);
}

void CKTOptionsPage::OnShowShortcutKeys()
{
    ReadCheck(IDC_KT_SHORTCUT_KEYS, m_bShowShortcutKeys);
    CKTToolBar::m_bShowShortcutKeys = m_bShowShortcutKeys;
}

void CKTOptionsPage::OnRecentlyUsedMenus()
{
    ReadCheck(IDC_KT_RECENTLY_USED, m_bRecentlyUsedMenus);
    CKTMenuBar::SetRecentlyUsedMenus(m_bRecentlyUsedMenus);
    GetDlgItem(IDC_KT_SHOW_ALL_AFTER_DELAY)->EnableWindow(m_bRecentlyUsedMenus);
}

void CKTOptionsPage::OnShowAllMenusAfterDelay()
{
    ReadCheck(IDC_KT_SHOW_ALL_AFTER_DELAY, m_bShowAllMenusAfterDelay);
    CKTMenuBar::SetShowAllCommandsAfterDelay(m_bShowAllMenusAfterDelay);
}

void CKTOptionsPage::OnLargeIcons()
{
    ReadCheck(IDC_KT_LARGE_ICONS, m_bLargeIcons);
    CKTToolBar::SetLargeIcons(m_bLargeIcons);
}

void CKTOptionsPage::OnLook2000()
{
    ReadCheck(IDC_KT_LOOK2000, m_bLook2000);
    CKTVisualManager::GetInstance()->SetLook2000(m_bLook2000);
    CWinApp* pApp = AfxGetApp();
    // The frame does not clip its children: a plain Invalidate would erase the bars' borders and
    // grippers under its background without asking them to paint again.
    if (pApp != nullptr && pApp->m_pMainWnd != nullptr && pApp->m_pMainWnd->GetSafeHwnd() != nullptr)
        pApp->m_pMainWnd->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void CKTOptionsPage::OnResetUsageData()
{
    if (AfxMessageBox(IDP_KT_RESET_USAGE, MB_YESNO | MB_ICONQUESTION) == IDYES)
        CKTToolBar::GetUsageCount().Reset();
}

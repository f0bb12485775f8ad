#include "uitoolkit/customize/KTKeyboardPage.h"

#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/bars/KTToolbarButton.h"
#include "uitoolkit/customize/KTKeyboardManager.h"
#include "uitoolkit/customize/KTToolbarCustomize.h"

IMPLEMENT_DYNCREATE(CKTKeyboardPage, CPropertyPage)

namespace
{
const UINT IDC_KT_CATEGORY = 16601;
const UINT IDC_KT_COMMANDS = 16641;
const UINT IDC_KT_VIEW_TYPE = 16642;
const UINT IDC_KT_CURRENT_KEYS = 16643;
const UINT IDC_KT_NEW_KEY = 16644;
const UINT IDC_KT_ASSIGN = 16645;
const UINT IDC_KT_REMOVE = 16646;
const UINT IDC_KT_RESET_ALL = 16647;
const UINT IDC_KT_DESCRIPTION = 16514;
const UINT IDC_KT_VIEW_ICON = 16526;
const UINT IDC_KT_ASSIGNED_TO = 16527;
const UINT IDC_KT_ASSIGNED_TO_TITLE = 16528;
const UINT IDS_KT_UNASSIGNED = 16009;
const UINT IDS_KT_DEFAULT_VIEW = 16114;
const UINT IDP_KT_RESET_KEYBOARD = 16115;
// The flags two combinations must share to be the same (FNOINVERT does not count).
const BYTE kAccelFlagsMask = FVIRTKEY | FSHIFT | FCONTROL | FALT;

CString FormatAccel(ACCEL accel)
{
    CString str;
    CKTKeyHelper(&accel).Format(str);
    return str;
}
} // namespace

BEGIN_MESSAGE_MAP(CKTKeyboardPage, CPropertyPage)
ON_BN_CLICKED(IDC_KT_ASSIGN, &CKTKeyboardPage::OnAssign)
ON_CBN_SELCHANGE(IDC_KT_CATEGORY, &CKTKeyboardPage::OnSelchangeCategory)
ON_LBN_SELCHANGE(IDC_KT_COMMANDS, &CKTKeyboardPage::OnSelchangeCommandsList)
ON_LBN_SELCHANGE(IDC_KT_CURRENT_KEYS, &CKTKeyboardPage::OnSelchangeCurrentKeysList)
ON_BN_CLICKED(IDC_KT_REMOVE, &CKTKeyboardPage::OnRemove)
ON_BN_CLICKED(IDC_KT_RESET_ALL, &CKTKeyboardPage::OnResetAll)
ON_CBN_SELCHANGE(IDC_KT_VIEW_TYPE, &CKTKeyboardPage::OnSelchangeViewType)
ON_EN_UPDATE(IDC_KT_NEW_KEY, &CKTKeyboardPage::OnUpdateNewShortcutKey)
END_MESSAGE_MAP()

CKTKeyboardPage::CKTKeyboardPage(CFrameWnd* pParentFrame, BOOL bAutoSet)
    : CPropertyPage(IDD), m_pParentFrame(pParentFrame), m_bAutoSet(bAutoSet)
{
}

CKTToolbarCustomize* CKTKeyboardPage::GetSheet() const
{
    CWnd* pParent = GetParent();
    return pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CKTToolbarCustomize))
               ? static_cast<CKTToolbarCustomize*>(pParent)
               : nullptr;
}

void CKTKeyboardPage::UpdateTexts()
{
    SetDlgItemText(IDC_KT_DESCRIPTION, m_strDescription);
    SetDlgItemText(IDC_KT_ASSIGNED_TO, m_strAssignedTo);
}

BOOL CKTKeyboardPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_wndCategoryList.SubclassDlgItem(IDC_KT_CATEGORY, this);
    m_wndCommandsList.SubclassDlgItem(IDC_KT_COMMANDS, this);
    m_wndViewTypeList.SubclassDlgItem(IDC_KT_VIEW_TYPE, this);
    m_wndCurrentKeysList.SubclassDlgItem(IDC_KT_CURRENT_KEYS, this);
    m_wndNewKey.SubclassDlgItem(IDC_KT_NEW_KEY, this);
    m_wndAssignButton.SubclassDlgItem(IDC_KT_ASSIGN, this);
    m_wndRemoveButton.SubclassDlgItem(IDC_KT_REMOVE, this);
    m_wndViewIcon.SubclassDlgItem(IDC_KT_VIEW_ICON, this);
    m_wndAssignedToTitle.SubclassDlgItem(IDC_KT_ASSIGNED_TO_TITLE, this);

    if (CKTToolbarCustomize* pSheet = GetSheet())
        pSheet->FillCategoryCombo(m_wndCategoryList, FALSE);
    m_wndCategoryList.SetCurSel(0);
    OnSelchangeCategory();

    if (m_bAutoSet)
    {
        CWinApp* pApp = AfxGetApp();
        for (POSITION pos = pApp != nullptr ? pApp->GetFirstDocTemplatePosition() : nullptr; pos != nullptr;)
        {
            CDocTemplate* pTemplate = pApp->GetNextDocTemplate(pos);
            if (pTemplate == nullptr || !pTemplate->IsKindOf(RUNTIME_CLASS(CMultiDocTemplate)) ||
                static_cast<CMultiDocTemplate*>(pTemplate)->m_hAccelTable == nullptr)
                continue;
            BOOL bListed = FALSE;
            for (int i = 0; i < m_wndViewTypeList.GetCount() && !bListed; ++i)
            {
                const CDocTemplate* pListed = static_cast<const CDocTemplate*>(m_wndViewTypeList.GetItemDataPtr(i));
                bListed = pListed != nullptr && pListed->m_nIDResource == pTemplate->m_nIDResource;
            }
            if (bListed)
                continue;
            CString strName;
            pTemplate->GetDocString(strName, CDocTemplate::fileNewName);
            const int nIndex = m_wndViewTypeList.AddString(strName);
            m_wndViewTypeList.SetItemDataPtr(nIndex, pTemplate);
        }
    }

    if (m_pParentFrame != nullptr && m_pParentFrame->m_hAccelTable != nullptr)
    {
        CString strDefault;
        strDefault.LoadString(IDS_KT_DEFAULT_VIEW);
        const int nIndex = m_wndViewTypeList.AddString(strDefault);
        m_wndViewTypeList.SetItemDataPtr(nIndex, nullptr);
        m_wndViewTypeList.SetCurSel(nIndex);
        OnSelchangeViewType();
    }

    if (m_wndViewTypeList.GetCurSel() == CB_ERR)
    {
        m_wndViewTypeList.SetCurSel(0);
        OnSelchangeViewType();
    }
    return TRUE;
}

void CKTKeyboardPage::OnSelchangeCategory()
{
    const int nCategory = m_wndCategoryList.GetCurSel();
    if (nCategory == CB_ERR)
        return;
    m_wndCommandsList.ResetContent();
    m_wndCurrentKeysList.ResetContent();

    CString strCategory;
    m_wndCategoryList.GetLBText(nCategory, strCategory);
    const CObList* pList = static_cast<const CObList*>(m_wndCategoryList.GetItemDataPtr(nCategory));
    for (POSITION pos = pList != nullptr ? pList->GetHeadPosition() : nullptr; pos != nullptr;)
    {
        CKTToolbarButton* pButton = static_cast<CKTToolbarButton*>(pList->GetNext(pos));
        if (pButton->m_nID == 0 || pButton->m_nID == (UINT)-1)
            continue;
        // Two commands of the same text are told apart by where they stand in the menus.
        CString strText = pButton->m_strText;
        if (!pButton->m_strMenuPath.IsEmpty() &&
            (strCategory == m_strAllCategory ||
             CKTToolbarCustomize::CountButtonsWithText(pButton->m_strText, pList) > 1))
            strText = pButton->m_strMenuPath;
        const int nIndex = m_wndCommandsList.AddString(strText);
        m_wndCommandsList.SetItemDataPtr(nIndex, pButton);
    }

    m_wndNewKey.EnableWindow(FALSE);
    m_wndCommandsList.SetCurSel(0);
    OnSelchangeCommandsList();
}

void CKTKeyboardPage::OnSelchangeViewType()
{
    m_pSelTemplate = nullptr;
    m_accels.clear();

    const int nIndex = m_wndViewTypeList.GetCurSel();
    if (nIndex == CB_ERR)
    {
        m_wndViewIcon.SetIcon(nullptr);
        return;
    }

    CMultiDocTemplate* pTemplate = static_cast<CMultiDocTemplate*>(m_wndViewTypeList.GetItemDataPtr(nIndex));
    HACCEL hAccelTable = nullptr;
    HICON hIcon = nullptr;
    if (pTemplate == nullptr)
    {
        if (m_pParentFrame != nullptr && m_pParentFrame->GetSafeHwnd() != nullptr)
        {
            hAccelTable = m_pParentFrame->m_hAccelTable;
            hIcon = (HICON)::GetClassLongPtr(m_pParentFrame->GetSafeHwnd(), GCLP_HICON);
        }
        else if (m_pParentFrame != nullptr)
        {
            hAccelTable = m_pParentFrame->m_hAccelTable;
        }
    }
    else
    {
        hAccelTable = pTemplate->m_hAccelTable;
        hIcon = ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(pTemplate->m_nIDResource));
    }
    m_wndViewIcon.SetIcon(hIcon != nullptr ? hIcon : ::LoadIcon(nullptr, IDI_APPLICATION));

    const int nCount = hAccelTable != nullptr ? ::CopyAcceleratorTable(hAccelTable, nullptr, 0) : 0;
    if (nCount > 0)
    {
        m_accels.assign((size_t)nCount, ACCEL{});
        const int nCopied = ::CopyAcceleratorTable(hAccelTable, m_accels.data(), nCount);
        m_accels.resize(nCopied > 0 ? (size_t)nCopied : 0);
    }
    m_pSelTemplate = pTemplate;
    OnSelchangeCommandsList();
}

void CKTKeyboardPage::OnSelchangeCommandsList()
{
    m_strDescription.Empty();
    m_wndCurrentKeysList.ResetContent();
    OnSelchangeCurrentKeysList();

    const int nIndex = m_wndCommandsList.GetCurSel();
    if (nIndex == LB_ERR)
    {
        m_pSelButton = nullptr;
        m_wndNewKey.EnableWindow(FALSE);
        UpdateTexts();
        return;
    }

    m_pSelButton = static_cast<CKTToolbarButton*>(m_wndCommandsList.GetItemDataPtr(nIndex));
    if (m_pParentFrame != nullptr)
        m_pParentFrame->GetMessageString(m_pSelButton->m_nID, m_strDescription);
    for (size_t i = 0; i < m_accels.size(); ++i)
    {
        if (m_accels[i].cmd != m_pSelButton->m_nID)
            continue;
        const int nKey = m_wndCurrentKeysList.AddString(FormatAccel(m_accels[i]));
        m_wndCurrentKeysList.SetItemData(nKey, (DWORD_PTR)i);
    }
    m_wndNewKey.EnableWindow(TRUE);
    UpdateTexts();
}

void CKTKeyboardPage::OnSelchangeCurrentKeysList()
{
    const int nIndex = m_wndCurrentKeysList.GetCurSel();
    m_iSelEntry = nIndex == LB_ERR ? -1 : (int)m_wndCurrentKeysList.GetItemData(nIndex);
    m_wndRemoveButton.EnableWindow(m_iSelEntry >= 0);
}

void CKTKeyboardPage::OnUpdateNewShortcutKey()
{
    m_strAssignedTo.Empty();
    m_wndAssignedToTitle.ShowWindow(SW_HIDE);
    m_wndAssignButton.EnableWindow(FALSE);
    if (!m_wndNewKey.IsKeyDefined())
    {
        UpdateTexts();
        return;
    }

    const ACCEL* pNew = m_wndNewKey.GetAccel();
    const ACCEL* pTaken = nullptr;
    for (const ACCEL& entry : m_accels)
    {
        if (entry.key == pNew->key && (entry.fVirt & kAccelFlagsMask) == (pNew->fVirt & kAccelFlagsMask))
        {
            pTaken = &entry;
            break;
        }
    }
    if (pTaken != nullptr)
    {
        CKTToolbarCustomize* pSheet = GetSheet();
        LPCTSTR lpszName = pSheet != nullptr ? pSheet->GetCommandText(pTaken->cmd) : nullptr;
        m_strAssignedTo = lpszName != nullptr ? lpszName : L"????";
    }
    else
    {
        m_strAssignedTo.LoadString(IDS_KT_UNASSIGNED);
        m_wndAssignButton.EnableWindow(TRUE);
    }
    m_wndAssignedToTitle.ShowWindow(SW_SHOW);
    UpdateTexts();
}

void CKTKeyboardPage::InstallWorkingCopy()
{
    if (g_pKeyboardManager == nullptr || m_accels.empty())
        return;
    // A table that cannot be installed leaves the old one in use; the page keeps its copy.
    g_pKeyboardManager->UpdateAccelTable(m_pSelTemplate, m_accels.data(), (int)m_accels.size());
}

void CKTKeyboardPage::OnAssign()
{
    if (m_pSelButton == nullptr || !m_wndNewKey.IsKeyDefined())
        return;
    ACCEL* pNew = m_wndNewKey.GetAccel();
    pNew->cmd = (WORD)m_pSelButton->m_nID;
    m_accels.push_back(*pNew);
    InstallWorkingCopy();

    const int nKey = m_wndCurrentKeysList.AddString(FormatAccel(*pNew));
    m_wndCurrentKeysList.SetItemData(nKey, (DWORD_PTR)(m_accels.size() - 1));
    m_wndNewKey.ResetKey();
    OnUpdateNewShortcutKey();
    m_wndCommandsList.SetFocus();
}

void CKTKeyboardPage::OnRemove()
{
    if (m_iSelEntry < 0 || m_iSelEntry >= (int)m_accels.size())
        return;
    m_accels.erase(m_accels.begin() + m_iSelEntry);
    m_iSelEntry = -1;
    InstallWorkingCopy();
    OnSelchangeCommandsList();
    m_wndCommandsList.SetFocus();
}

void CKTKeyboardPage::OnResetAll()
{
    if (AfxMessageBox(IDP_KT_RESET_KEYBOARD, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    if (g_pKeyboardManager != nullptr)
        g_pKeyboardManager->ResetAll();
    if (m_pParentFrame != nullptr && m_pParentFrame->GetSafeHwnd() != nullptr)
    {
        CKTToolBar::RegisterMessages();
        m_pParentFrame->SendMessage(KT_WM_RESETKEYBOARD);
    }
    OnSelchangeViewType();
    OnSelchangeCommandsList();
}

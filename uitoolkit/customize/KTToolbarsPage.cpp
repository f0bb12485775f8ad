#include "uitoolkit/customize/KTToolbarsPage.h"

#include "framework/AfxDockBar.h"
#include "framework/AfxMiniDockFrameWnd.h"
#include "uitoolkit/bars/KTDropDownToolBar.h"
#include "uitoolkit/bars/KTFrameImpl.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/customize/KTCommandManager.h"
#include "uitoolkit/customize/KTDialogMenuHelper.h"
#include "uitoolkit/customize/KTToolbarCustomize.h"

IMPLEMENT_DYNAMIC(CKTToolbarsCheckList, CCheckListBox)
IMPLEMENT_DYNCREATE(CKTToolbarsPage, CPropertyPage)

namespace
{
const UINT IDC_KT_TOOLBAR_LIST = 16611;
const UINT IDC_KT_TEXT_LABELS = 16612;
const UINT IDC_KT_RESET = 16613;
const UINT IDC_KT_RESET_ALL = 16614;
const UINT IDC_KT_NEW = 16615;
const UINT IDC_KT_RENAME = 16616;
const UINT IDC_KT_DELETE = 16617;
const UINT IDC_KT_TOOLBAR_NAME = 16516;
const UINT IDS_KT_UNTITLED = 16104;
const UINT IDP_KT_DELETE_TOOLBAR = 16109;
const UINT IDP_KT_RESET_TOOLBAR = 16111;
const UINT IDP_KT_RESET_ALL = 16112;

BOOL AskYesNo(UINT nIDPrompt, LPCTSTR lpszName = nullptr)
{
    CString strPrompt;
    strPrompt.LoadString(nIDPrompt);
    if (lpszName != nullptr)
    {
        CString strFormat = strPrompt;
        strPrompt.Format(strFormat, lpszName);
    }
    return AfxMessageBox(strPrompt, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

CString WindowText(CWnd* pWnd)
{
    CString str;
    pWnd->GetWindowText(str);
    return str;
}
} // namespace

// The check list ----------------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CKTToolbarsCheckList, CCheckListBox)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_KEYDOWN()
ON_MESSAGE(LB_ADDSTRING, &CKTToolbarsCheckList::OnAddString)
ON_MESSAGE(LB_INSERTSTRING, &CKTToolbarsCheckList::OnInsertString)
ON_MESSAGE(LB_DELETESTRING, &CKTToolbarsCheckList::OnDeleteString)
ON_MESSAGE(LB_RESETCONTENT, &CKTToolbarsCheckList::OnResetContent)
END_MESSAGE_MAP()

void CKTToolbarsCheckList::EnableCheck(int nIndex, BOOL bEnable)
{
    if (nIndex >= 0 && (size_t)nIndex < m_checkEnabled.size())
        m_checkEnabled[(size_t)nIndex] = bEnable;
}

BOOL CKTToolbarsCheckList::IsCheckEnabled(int nIndex) const
{
    return nIndex >= 0 && (size_t)nIndex < m_checkEnabled.size() && m_checkEnabled[(size_t)nIndex];
}

int CKTToolbarsCheckList::ItemAt(CPoint point, BOOL& bOnCheck) const
{
    BOOL bOutside = TRUE;
    const int nIndex = (int)ItemFromPoint(point, bOutside);
    bOnCheck = !bOutside && point.x < CheckBoxSize();
    return bOutside ? -1 : nIndex;
}

BOOL(WINAPI* CKTToolbarsCheckList::m_pfnMessageBeep)(UINT) = ::MessageBeep;

void CKTToolbarsCheckList::OnLButtonDown(UINT nFlags, CPoint point)
{
    BOOL bOnCheck = FALSE;
    const int nIndex = ItemAt(point, bOnCheck);
    if (bOnCheck && !IsCheckEnabled(nIndex))
    {
        CKTToolbarsCheckList::m_pfnMessageBeep((UINT)-1);
        return;
    }
    CCheckListBox::OnLButtonDown(nFlags, point);
}

void CKTToolbarsCheckList::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    BOOL bOnCheck = FALSE;
    const int nIndex = ItemAt(point, bOnCheck);
    if (nIndex >= 0 && !IsCheckEnabled(nIndex))
    {
        CKTToolbarsCheckList::m_pfnMessageBeep((UINT)-1);
        return;
    }
    CCheckListBox::OnLButtonDblClk(nFlags, point);
    CWnd* pParent = GetParent();
    if (pParent != nullptr)
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE), reinterpret_cast<LPARAM>(m_hWnd));
}

void CKTToolbarsCheckList::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_SPACE && GetCaretIndex() != LB_ERR && !IsCheckEnabled(GetCaretIndex()))
    {
        CKTToolbarsCheckList::m_pfnMessageBeep((UINT)-1);
        return;
    }
    CCheckListBox::OnKeyDown(nChar, nRepCnt, nFlags);
}

LRESULT CKTToolbarsCheckList::OnAddString(WPARAM, LPARAM)
{
    const LRESULT lResult = Default();
    if (lResult >= 0 && (size_t)lResult <= m_checkEnabled.size())
        m_checkEnabled.insert(m_checkEnabled.begin() + lResult, TRUE);
    return lResult;
}

LRESULT CKTToolbarsCheckList::OnInsertString(WPARAM, LPARAM)
{
    return OnAddString(0, 0);
}

LRESULT CKTToolbarsCheckList::OnDeleteString(WPARAM wParam, LPARAM)
{
    const LRESULT lResult = Default();
    if (lResult != LB_ERR && wParam < m_checkEnabled.size())
        m_checkEnabled.erase(m_checkEnabled.begin() + (ptrdiff_t)wParam);
    return lResult;
}

LRESULT CKTToolbarsCheckList::OnResetContent(WPARAM, LPARAM)
{
    m_checkEnabled.clear();
    return Default();
}

// The name dialog ---------------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CKTToolbarNameDlg, CDialog)
ON_EN_CHANGE(IDC_KT_TOOLBAR_NAME, &CKTToolbarNameDlg::OnUpdateName)
END_MESSAGE_MAP()

CKTToolbarNameDlg::CKTToolbarNameDlg(CWnd* pParent) : CDialog(IDD, pParent) {}

BOOL CKTToolbarNameDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_KT_TOOLBAR_NAME, m_strToolbarName);
    OnUpdateName();
    return TRUE;
}

void CKTToolbarNameDlg::OnUpdateName()
{
    GetDlgItemText(IDC_KT_TOOLBAR_NAME, m_strToolbarName);
    if (CWnd* pOK = GetDlgItem(IDOK))
        pOK->EnableWindow(!m_strToolbarName.IsEmpty());
}

void CKTToolbarNameDlg::OnOK()
{
    GetDlgItemText(IDC_KT_TOOLBAR_NAME, m_strToolbarName);
    if (m_strToolbarName.IsEmpty())
        return;
    CDialog::OnOK();
}

// The page -----------------------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CKTToolbarsPage, CPropertyPage)
ON_LBN_SELCHANGE(IDC_KT_TOOLBAR_LIST, &CKTToolbarsPage::OnSelchangeToolbarList)
ON_LBN_DBLCLK(IDC_KT_TOOLBAR_LIST, &CKTToolbarsPage::OnDblclkToolbarList)
ON_CONTROL(CLBN_CHKCHANGE, IDC_KT_TOOLBAR_LIST, &CKTToolbarsPage::OnCheckChange)
ON_BN_CLICKED(IDC_KT_RESET, &CKTToolbarsPage::OnReset)
ON_BN_CLICKED(IDC_KT_RESET_ALL, &CKTToolbarsPage::OnResetAll)
ON_BN_CLICKED(IDC_KT_NEW, &CKTToolbarsPage::OnNew)
ON_BN_CLICKED(IDC_KT_RENAME, &CKTToolbarsPage::OnRename)
ON_BN_CLICKED(IDC_KT_DELETE, &CKTToolbarsPage::OnDelete)
ON_BN_CLICKED(IDC_KT_TEXT_LABELS, &CKTToolbarsPage::OnTextLabels)
END_MESSAGE_MAP()

CKTToolbarsPage::CKTToolbarsPage(CFrameWnd* pParentFrame) : CPropertyPage(IDD), m_pParentFrame(pParentFrame) {}

CFrameWnd* CKTToolbarsPage::GetFrame() const
{
    return m_pParentFrame != nullptr ? m_pParentFrame : GetParentFrame();
}

BOOL CKTToolbarsPage::IsUserDefined(const CKTToolBar* pBar)
{
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
        return FALSE;
    CKTFrameSupport* pSupport = KTGetFrameSupport(pBar->GetTopLevelFrame());
    return pSupport != nullptr && pSupport->IsUserToolbar(pBar);
}

void CKTToolbarsPage::EnableItem(UINT nID, BOOL bEnable)
{
    if (CWnd* pWnd = GetDlgItem(nID))
        pWnd->EnableWindow(bEnable);
}

BOOL CKTToolbarsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_wndToolbarList.SubclassDlgItem(IDC_KT_TOOLBAR_LIST, this);

    if (!m_bUserDefinedToolbars)
    {
        EnableItem(IDC_KT_NEW, FALSE);
        for (UINT nID : {IDC_KT_NEW, IDC_KT_DELETE, IDC_KT_RENAME})
        {
            if (CWnd* pWnd = GetDlgItem(nID))
                pWnd->ShowWindow(SW_HIDE);
        }
    }

    CFrameWnd* pFrame = GetFrame();
    CFrameWnd* pTopFrame =
        pFrame != nullptr ? (pFrame->GetTopLevelFrame() != nullptr ? pFrame->GetTopLevelFrame() : pFrame) : nullptr;
    const CObList& bars = CKTToolBar::GetAllToolbars();
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;)
    {
        CKTToolBar* pBar = static_cast<CKTToolBar*>(bars.GetNext(pos));
        if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr || pBar->IsKindOf(RUNTIME_CLASS(CKTDropDownToolBar)) ||
            pBar->GetTopLevelFrame() != pTopFrame || !pBar->AllowShowOnList())
            continue;
        CString strName = WindowText(pBar);
        if (strName.IsEmpty())
            strName.LoadString(IDS_KT_UNTITLED);
        const int nIndex = m_wndToolbarList.AddString(strName);
        m_wndToolbarList.SetItemDataPtr(nIndex, pBar);
        m_wndToolbarList.SetCheck(nIndex, pBar->IsWindowVisible() ? 1 : 0);
        m_wndToolbarList.EnableCheck(nIndex, pBar->CanBeClosed());
    }

    CWnd* pParent = GetParent();
    CKTToolbarCustomize* pSheet = KT_KIND_OF(CKTToolbarCustomize, pParent);
    if (pSheet != nullptr && (pSheet->GetFlags() & CKTToolbarCustomize::KT_CUSTOMIZE_TEXT_LABELS) == 0)
    {
        if (CWnd* pWnd = GetDlgItem(IDC_KT_TEXT_LABELS))
            pWnd->ShowWindow(SW_HIDE);
    }
    OnSelchangeToolbarList();
    return TRUE;
}

int CKTToolbarsPage::FindToolbar(const CKTToolBar* pBar) const
{
    if (m_wndToolbarList.GetSafeHwnd() == nullptr)
        return -1;
    for (int i = 0; i < m_wndToolbarList.GetCount(); ++i)
    {
        if (m_wndToolbarList.GetItemDataPtr(i) == pBar)
            return i;
    }
    return -1;
}

void CKTToolbarsPage::ShowToolBar(CKTToolBar* pBar, BOOL bShow)
{
    const int nIndex = FindToolbar(pBar);
    if (nIndex >= 0)
        m_wndToolbarList.SetCheck(nIndex, bShow ? 1 : 0);
}

void CKTToolbarsPage::OnSelchangeToolbarList()
{
    const int nIndex = m_wndToolbarList.GetCurSel();
    m_pSelectedToolbar = nIndex >= 0 ? static_cast<CKTToolBar*>(m_wndToolbarList.GetItemDataPtr(nIndex)) : nullptr;
    if (m_pSelectedToolbar == nullptr)
    {
        for (UINT nID : {IDC_KT_RESET, IDC_KT_DELETE, IDC_KT_RENAME, IDC_KT_TEXT_LABELS})
            EnableItem(nID, FALSE);
        return;
    }
    const BOOL bUserDefined = IsUserDefined(m_pSelectedToolbar);
    EnableItem(IDC_KT_RESET, m_pSelectedToolbar->CanBeRestored());
    EnableItem(IDC_KT_DELETE, bUserDefined);
    EnableItem(IDC_KT_RENAME, bUserDefined);
    EnableItem(IDC_KT_TEXT_LABELS, m_pSelectedToolbar->AllowChangeTextLabels());
    CheckDlgButton(IDC_KT_TEXT_LABELS, m_pSelectedToolbar->IsTextLabels() ? BST_CHECKED : BST_UNCHECKED);
}

void CKTToolbarsPage::OnCheckChange()
{
    const int nIndex = m_wndToolbarList.GetCurSel();
    CKTToolBar* pBar = nIndex >= 0 ? static_cast<CKTToolBar*>(m_wndToolbarList.GetItemDataPtr(nIndex)) : nullptr;
    if (pBar == nullptr)
        return;
    const BOOL bShow = m_wndToolbarList.GetCheck(nIndex) == 1;
    if (pBar->CanBeClosed())
    {
        CFrameWnd* pDockFrame = pBar->m_pDockSite != nullptr ? pBar->m_pDockSite : pBar->GetParentFrame();
        if (pDockFrame != nullptr)
            pDockFrame->ShowControlBar(pBar, bShow, FALSE);
    }
    else if (!bShow)
    {
        m_wndToolbarList.SetCheck(nIndex, 1);
        CKTToolbarsCheckList::m_pfnMessageBeep((UINT)-1);
    }
}

void CKTToolbarsPage::OnDblclkToolbarList()
{
    const int nIndex = m_wndToolbarList.GetCurSel();
    CKTToolBar* pBar = nIndex >= 0 ? static_cast<CKTToolBar*>(m_wndToolbarList.GetItemDataPtr(nIndex)) : nullptr;
    if (pBar != nullptr && pBar->CanBeClosed())
        m_wndToolbarList.SetCheck(nIndex, m_wndToolbarList.GetCheck(nIndex) == 1 ? 0 : 1);
    else
        CKTToolbarsCheckList::m_pfnMessageBeep((UINT)-1);
    OnSelchangeToolbarList();
}

void CKTToolbarsPage::OnReset()
{
    if (m_pSelectedToolbar == nullptr || !AskYesNo(IDP_KT_RESET_TOOLBAR, WindowText(m_pSelectedToolbar)))
        return;
    m_pSelectedToolbar->RestoreResourceState();
}

void CKTToolbarsPage::OnResetAll()
{
    if (!AskYesNo(IDP_KT_RESET_ALL))
        return;
    CKTCommandManager* pManager = CKTCommandManager::GetInstance();
    pManager->ClearAllCmdImages();
    const CMap<UINT, UINT, int, int>& defaults = CKTToolBar::GetDefaultImages();
    for (POSITION pos = defaults.GetStartPosition(); pos != nullptr;)
    {
        UINT uiCmd = 0;
        int iImage = -1;
        defaults.GetNextAssoc(pos, uiCmd, iImage);
        pManager->SetCmdImage(uiCmd, iImage, FALSE);
    }
    for (int i = 0; i < m_wndToolbarList.GetCount(); ++i)
    {
        CKTToolBar* pBar = static_cast<CKTToolBar*>(m_wndToolbarList.GetItemDataPtr(i));
        if (pBar != nullptr && pBar->CanBeRestored())
            pBar->RestoreResourceState();
    }
}

void CKTToolbarsPage::AddAndSelect(const CString& strName, CKTToolBar* pBar, BOOL bChecked)
{
    const int nIndex = m_wndToolbarList.AddString(strName);
    m_wndToolbarList.SetItemDataPtr(nIndex, pBar);
    m_wndToolbarList.SetCheck(nIndex, bChecked ? 1 : 0);
    m_wndToolbarList.EnableCheck(nIndex, pBar->CanBeClosed());
    m_wndToolbarList.SetCurSel(nIndex);
    m_wndToolbarList.SetTopIndex(nIndex);
    OnSelchangeToolbarList();
}

void CKTToolbarsPage::OnNew()
{
    CKTToolbarNameDlg dlg(this);
    if (dlg.DoModal() != IDOK)
        return;
    CFrameWnd* pFrame = GetFrame();
    if (pFrame == nullptr)
    {
        CKTToolbarsCheckList::m_pfnMessageBeep(MB_ICONASTERISK);
        return;
    }
    CKTToolBar* pBar = reinterpret_cast<CKTToolBar*>(pFrame->SendMessage(
        KT_WM_CREATETOOLBAR, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(dlg.m_strToolbarName))));
    if (pBar == nullptr)
    {
        CKTToolbarsCheckList::m_pfnMessageBeep(MB_ICONASTERISK);
        return;
    }
    AddAndSelect(dlg.m_strToolbarName, pBar, TRUE);
}

void CKTToolbarsPage::OnRename()
{
    CKTToolBar* pBar = m_pSelectedToolbar;
    if (pBar == nullptr)
        return;
    CKTToolbarNameDlg dlg(this);
    dlg.m_strToolbarName = WindowText(pBar);
    if (dlg.DoModal() != IDOK)
        return;
    pBar->SetWindowText(dlg.m_strToolbarName);
    if (pBar->IsFloating())
    {
        CWnd* pMiniFrame = pBar->GetParentFrame();
        if (pMiniFrame != nullptr && pMiniFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
        {
            pMiniFrame->SetWindowText(dlg.m_strToolbarName);
            if (pBar->m_pDockBar != nullptr)
                pBar->m_pDockBar->SetWindowText(dlg.m_strToolbarName);
        }
    }
    const int nIndex = FindToolbar(pBar);
    if (nIndex >= 0)
        m_wndToolbarList.DeleteString((UINT)nIndex);
    AddAndSelect(dlg.m_strToolbarName, pBar, pBar->IsWindowVisible());
}

void CKTToolbarsPage::OnDelete()
{
    CKTToolBar* pBar = m_pSelectedToolbar;
    if (pBar == nullptr || !AskYesNo(IDP_KT_DELETE_TOOLBAR, WindowText(pBar)))
        return;
    CFrameWnd* pFrame = GetFrame();
    const int nIndex = FindToolbar(pBar);
    if (pFrame == nullptr || pFrame->SendMessage(KT_WM_DELETETOOLBAR, 0, reinterpret_cast<LPARAM>(pBar)) == 0)
    {
        CKTToolbarsCheckList::m_pfnMessageBeep(MB_ICONASTERISK);
        return;
    }
    if (nIndex >= 0)
        m_wndToolbarList.DeleteString((UINT)nIndex);
    m_wndToolbarList.SetCurSel(m_wndToolbarList.GetCount() > 0 ? 0 : -1);
    OnSelchangeToolbarList();
}

void CKTToolbarsPage::OnTextLabels()
{
    if (m_pSelectedToolbar == nullptr)
        return;
    m_pSelectedToolbar->EnableTextLabels(IsDlgButtonChecked(IDC_KT_TEXT_LABELS) == BST_CHECKED);
}

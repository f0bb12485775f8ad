// The Mouse page: the views, their double-click command and its description.
#include "uitoolkit/customize/KTMousePage.h"

#include "uitoolkit/customize/KTMouseManager.h"
#include "uitoolkit/customize/KTToolbarCustomize.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CKTMousePage, CPropertyPage)

namespace
{
CKTToolbarCustomize* SheetOf(const CWnd* pPage)
{
    CWnd* pParent = pPage->GetParent();
    return pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CKTToolbarCustomize))
               ? static_cast<CKTToolbarCustomize*>(pParent)
               : nullptr;
}
} // namespace

BEGIN_MESSAGE_MAP(CKTMousePage, CPropertyPage)
ON_BN_CLICKED(IDC_NO_DBLCLICK, &CKTMousePage::OnNoDblClick)
ON_BN_CLICKED(IDC_USE_DBLCLICK, &CKTMousePage::OnUseDblClick)
ON_LBN_SELCHANGE(IDC_COMMANDS, &CKTMousePage::OnSelChangeCommands)
ON_NOTIFY(LVN_ITEMCHANGED, IDC_VIEWS, &CKTMousePage::OnItemChangedViews)
END_MESSAGE_MAP()

CKTMousePage::CKTMousePage() : CPropertyPage(IDD) {}

namespace
{
CPropertyPage* CreateMousePage()
{
    return new CKTMousePage;
}

BOOL MouseManagerExists()
{
    return g_pMouseManager != nullptr;
}
} // namespace

void CKTMousePage::RegisterWithSheet()
{
    CKTToolbarCustomize::s_MousePage = {&CreateMousePage, &MouseManagerExists};
}

CKTMousePage::~CKTMousePage() = default;

BOOL CKTMousePage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_wndListOfViews.SubclassDlgItem(IDC_VIEWS, this);
    m_wndListOfCommands.SubclassDlgItem(IDC_COMMANDS, this);

    const int cxIcon = ::GetSystemMetrics(SM_CXSMICON);
    const int cyIcon = ::GetSystemMetrics(SM_CYSMICON);
    m_ViewsImages.Create(cxIcon, cyIcon, ILC_COLOR32 | ILC_MASK, 0, 4);
    m_wndListOfViews.SetImageList(&m_ViewsImages, LVSIL_SMALL);

    // A report view takes items only once it has its column.
    m_wndListOfViews.InsertColumn(0, L"", LVCFMT_LEFT, 0);
    int nWidest = 0;
    CStringList names;
    if (g_pMouseManager != nullptr)
        g_pMouseManager->GetViewNames(names);
    CClientDC dc(&m_wndListOfViews);
    CFont* pOldFont = dc.SelectObject(m_wndListOfViews.GetFont());
    for (POSITION pos = names.GetHeadPosition(); pos != nullptr;)
    {
        const CString strName = names.GetNext(pos);
        const int iViewId = g_pMouseManager->GetViewIdByName(strName);
        int iImage = -1;
        const UINT uiIcon = g_pMouseManager->GetViewIconId(iViewId);
        if (uiIcon != 0)
        {
            HICON hIcon = static_cast<HICON>(
                ::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(uiIcon), IMAGE_ICON, cxIcon, cyIcon, 0));
            if (hIcon != nullptr)
            {
                iImage = m_ViewsImages.Add(hIcon);
                ::DestroyIcon(hIcon);
            }
        }
        // Sorted by name, UTF-16 code units in order, case counting.
        int iInsert = 0;
        while (iInsert < m_wndListOfViews.GetItemCount() &&
               wcscmp(m_wndListOfViews.GetItemText(iInsert, 0), strName) < 0)
            iInsert++;
        const int iItem = m_wndListOfViews.InsertItem(iInsert, strName, iImage);
        if (iItem >= 0)
            m_wndListOfViews.SetItemData(iItem, static_cast<DWORD_PTR>(iViewId));
        nWidest = std::max(nWidest, static_cast<int>(dc.GetTextExtent(strName).cx));
    }
    dc.SelectObject(pOldFont);
    m_wndListOfViews.SetColumnWidth(0, nWidest + cxIcon + 12);

    if (CKTToolbarCustomize* pSheet = SheetOf(this))
        pSheet->FillCommandList(m_wndListOfCommands);
    // A double click runs a command: the catalogue's menu buttons ("New Menu", submenus) have
    // none, and choosing one would store nothing while the page showed it chosen.
    for (int i = m_wndListOfCommands.GetCount() - 1; i >= 0; i--)
    {
        const UINT uiCmd = static_cast<UINT>(m_wndListOfCommands.GetItemData(i));
        if (uiCmd == 0 || uiCmd == (UINT)-1)
            m_wndListOfCommands.DeleteString(static_cast<UINT>(i));
    }

    if (m_wndListOfViews.GetItemCount() > 0)
        m_wndListOfViews.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    else
        ShowViewCommand();
    return TRUE;
}

CString CKTMousePage::PromptOf(UINT uiCmd) const
{
    CString strPrompt;
    CWnd* pMainWnd = AfxGetMainWnd();
    CFrameWnd* pFrame = pMainWnd != nullptr && pMainWnd->IsFrameWnd() ? static_cast<CFrameWnd*>(pMainWnd) : nullptr;
    CKTToolbarCustomize* pSheet = SheetOf(this);
    if (pSheet != nullptr && pSheet->GetParentFrame() != nullptr)
        pFrame = pSheet->GetParentFrame();
    if (pFrame != nullptr)
        pFrame->GetMessageString(uiCmd, strPrompt);
    return strPrompt;
}

void CKTMousePage::EnableCommands(BOOL bEnable)
{
    m_wndListOfCommands.EnableWindow(bEnable);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_DESCRIPTION), bEnable);
    if (!bEnable)
    {
        m_wndListOfCommands.SetCurSel(-1);
        m_strCommandDescription.Empty();
        SetDlgItemText(IDC_DESCRIPTION, m_strCommandDescription);
    }
}

void CKTMousePage::ShowViewCommand()
{
    const UINT uiCmd =
        g_pMouseManager != nullptr && m_iCurrViewId != -1 ? g_pMouseManager->GetViewDblClickCommand(m_iCurrViewId) : 0;
    CheckDlgButton(IDC_NO_DBLCLICK, uiCmd == 0 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_USE_DBLCLICK, uiCmd == 0 ? BST_UNCHECKED : BST_CHECKED);
    if (uiCmd == 0)
    {
        EnableCommands(FALSE);
        return;
    }
    EnableCommands(TRUE);
    m_wndListOfCommands.SetCurSel(-1);
    for (int i = 0; i < m_wndListOfCommands.GetCount(); i++)
    {
        if (static_cast<UINT>(m_wndListOfCommands.GetItemData(i)) == uiCmd)
        {
            m_wndListOfCommands.SetCurSel(i);
            break;
        }
    }
    m_strCommandDescription = PromptOf(uiCmd);
    SetDlgItemText(IDC_DESCRIPTION, m_strCommandDescription);
}

void CKTMousePage::OnItemChangedViews(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const NMLISTVIEW* pView = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    if ((pView->uChanged & LVIF_STATE) == 0 || (pView->uNewState & LVIS_SELECTED) == 0 || pView->iItem < 0)
        return;
    m_iCurrViewId = static_cast<int>(m_wndListOfViews.GetItemData(pView->iItem));
    ShowViewCommand();
}

void CKTMousePage::OnNoDblClick()
{
    if (g_pMouseManager != nullptr && m_iCurrViewId != -1)
        g_pMouseManager->SetCommandForDblClick(m_iCurrViewId, 0);
    EnableCommands(FALSE);
}

void CKTMousePage::OnUseDblClick()
{
    if (m_iCurrViewId == -1)
    {
        ::MessageBeep((UINT)-1);
        return;
    }
    EnableCommands(TRUE);
    // No command until one is chosen.
    if (g_pMouseManager != nullptr)
        g_pMouseManager->SetCommandForDblClick(m_iCurrViewId, 0);
}

void CKTMousePage::OnSelChangeCommands()
{
    if (m_iCurrViewId == -1)
    {
        ::MessageBeep((UINT)-1);
        return;
    }
    const int iSel = m_wndListOfCommands.GetCurSel();
    if (iSel < 0)
        return;
    const UINT uiCmd = static_cast<UINT>(m_wndListOfCommands.GetItemData(iSel));
    m_strCommandDescription = PromptOf(uiCmd);
    SetDlgItemText(IDC_DESCRIPTION, m_strCommandDescription);
    if (g_pMouseManager != nullptr)
        g_pMouseManager->SetCommandForDblClick(m_iCurrViewId, uiCmd);
}

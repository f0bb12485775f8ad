// The Tools page: the list of user tools and the selected tool's texts.
#include "uitoolkit/customize/KTToolsPage.h"

#include "uitoolkit/customize/KTToolbarCustomize.h"
#include "uitoolkit/customize/KTUserTool.h"
#include "uitoolkit/customize/KTUserToolsManager.h"

IMPLEMENT_DYNCREATE(CKTToolsPage, CPropertyPage)

namespace
{
const UINT IDS_KT_MAX_TOOLS = 16024;

CKTToolbarCustomize* SheetOf(const CWnd* pPage)
{
    CWnd* pParent = pPage->GetParent();
    return pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CKTToolbarCustomize))
               ? static_cast<CKTToolbarCustomize*>(pParent)
               : nullptr;
}
} // namespace

// The list --------------------------------------------------------------------------------------

void CKTToolsListBox::OnSelectionChanged()
{
    m_page.OnToolSelected();
}

BOOL CKTToolsListBox::OnBeforeRemoveItem(int iItem)
{
    return m_page.OnRemoveTool(iItem);
}

void CKTToolsListBox::OnAfterAddItem(int iItem)
{
    m_page.OnNewTool(iItem);
}

void CKTToolsListBox::OnAfterRenameItem(int iItem)
{
    m_page.OnRenameTool(iItem);
}

void CKTToolsListBox::OnAfterMoveItemUp(int iItem)
{
    m_page.OnMoveTool(iItem, TRUE);
}

void CKTToolsListBox::OnAfterMoveItemDown(int iItem)
{
    m_page.OnMoveTool(iItem, FALSE);
}

// The page --------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CKTToolsPage, CPropertyPage)
ON_EN_UPDATE(IDC_COMMAND, &CKTToolsPage::OnUpdateCommand)
ON_EN_UPDATE(IDC_ARGUMENTS, &CKTToolsPage::OnUpdateArguments)
ON_EN_UPDATE(IDC_INITIAL_DIR, &CKTToolsPage::OnUpdateInitialDirectory)
ON_BN_CLICKED(IDC_BROWSE, &CKTToolsPage::OnBrowseCommand)
ON_BN_CLICKED(IDC_ARGUMENTS_MENU, &CKTToolsPage::OnArgumentsMenu)
ON_BN_CLICKED(IDC_INITIAL_DIR_MENU, &CKTToolsPage::OnInitialDirMenu)
END_MESSAGE_MAP()

CKTToolsPage::CKTToolsPage() : CPropertyPage(IDD), m_wndToolsList(*this) {}

namespace
{
CPropertyPage* CreateToolsPage()
{
    return new CKTToolsPage;
}

BOOL UserToolsManagerExists()
{
    return g_pUserToolsManager != nullptr;
}

const CObList* GetUserToolsList()
{
    return g_pUserToolsManager != nullptr ? &g_pUserToolsManager->GetUserTools() : nullptr;
}
} // namespace

void CKTToolsPage::RegisterWithSheet()
{
    CKTToolbarCustomize::s_ToolsPage = {&CreateToolsPage, &UserToolsManagerExists};
    CKTToolbarCustomize::s_pfnGetTools = &GetUserToolsList;
}

CKTToolsPage::~CKTToolsPage() = default;

CKTUserTool* CKTToolsPage::ToolOf(int iItem) const
{
    if (iItem < 0 || iItem >= m_wndToolsList.GetCount())
        return nullptr;
    CObject* pObject = reinterpret_cast<CObject*>(m_wndToolsList.GetItemData(iItem));
    return pObject != nullptr && pObject->IsKindOf(RUNTIME_CLASS(CKTUserTool)) ? static_cast<CKTUserTool*>(pObject)
                                                                               : nullptr;
}

void CKTToolsPage::SetUpMenuButton(CKTMenuButton& button, CMenu& menu, UINT uiMenuId)
{
    if (uiMenuId == 0 || !menu.LoadMenu(uiMenuId) || ::GetSubMenu(menu.GetSafeHmenu(), 0) == nullptr)
    {
        button.ShowWindow(SW_HIDE);
        return;
    }
    button.m_hMenu = ::GetSubMenu(menu.GetSafeHmenu(), 0);
    button.m_bRightArrow = TRUE;
    button.ShowWindow(SW_SHOW);
}

BOOL CKTToolsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_wndToolsList.SubclassDlgItem(IDC_TOOLS_LIST, this);
    m_wndCommand.SubclassDlgItem(IDC_COMMAND, this);
    m_wndArguments.SubclassDlgItem(IDC_ARGUMENTS, this);
    m_wndInitialDirectory.SubclassDlgItem(IDC_INITIAL_DIR, this);
    m_wndArgumentsMenu.SubclassDlgItem(IDC_ARGUMENTS_MENU, this);
    m_wndInitialDirMenu.SubclassDlgItem(IDC_INITIAL_DIR_MENU, this);
    m_wndToolsList.SetStandardButtons();
    if (CKTToolbarCustomize* pSheet = SheetOf(this))
        pSheet->OnToolsPageInit();

    if (g_pUserToolsManager != nullptr)
    {
        const CObList& tools = g_pUserToolsManager->GetUserTools();
        for (POSITION pos = tools.GetHeadPosition(); pos != nullptr;)
        {
            CKTUserTool* pTool = static_cast<CKTUserTool*>(tools.GetNext(pos));
            m_wndToolsList.AddItem(pTool->m_strLabel, reinterpret_cast<DWORD_PTR>(pTool));
        }
        SetUpMenuButton(m_wndArgumentsMenu, m_menuArguments, g_pUserToolsManager->GetArgumentsMenuID());
        SetUpMenuButton(m_wndInitialDirMenu, m_menuInitialDir, g_pUserToolsManager->GetInitialDirMenuID());
    }
    else
    {
        m_wndArgumentsMenu.ShowWindow(SW_HIDE);
        m_wndInitialDirMenu.ShowWindow(SW_HIDE);
    }
    ShowSelectedTool();
    return TRUE;
}

void CKTToolsPage::ShowSelectedTool()
{
    const BOOL bTool = m_pSelTool != nullptr;
    m_bFilling = TRUE;
    m_wndCommand.SetWindowText(bTool ? (LPCTSTR)m_pSelTool->GetCommand() : _T(""));
    m_wndArguments.SetWindowText(bTool ? (LPCTSTR)m_pSelTool->m_strArguments : _T(""));
    m_wndInitialDirectory.SetWindowText(bTool ? (LPCTSTR)m_pSelTool->m_strInitialDirectory : _T(""));
    m_bFilling = FALSE;
    for (UINT nID : {IDC_COMMAND, IDC_BROWSE, IDC_ARGUMENTS, IDC_ARGUMENTS_MENU, IDC_INITIAL_DIR, IDC_INITIAL_DIR_MENU})
        ::EnableWindow(::GetDlgItem(m_hWnd, nID), bTool);
}

void CKTToolsPage::OnToolSelected()
{
    CKTToolbarCustomize* pSheet = SheetOf(this);
    if (pSheet != nullptr)
        pSheet->OnToolChanging(m_pSelTool);
    m_pSelTool = ToolOf(m_wndToolsList.GetSelItem());
    ShowSelectedTool();
    if (pSheet != nullptr)
        pSheet->OnToolChanged(m_pSelTool);
}

BOOL CKTToolsPage::OnKillActive()
{
    CKTToolbarCustomize* pSheet = SheetOf(this);
    if (pSheet != nullptr && g_pUserToolsManager != nullptr &&
        !pSheet->ValidateTools(g_pUserToolsManager->GetUserTools()))
        return FALSE;
    return CPropertyPage::OnKillActive();
}

BOOL CKTToolsPage::OnRemoveTool(int iItem)
{
    CKTUserTool* pTool = ToolOf(iItem);
    if (pTool == nullptr || g_pUserToolsManager == nullptr)
        return TRUE;
    if (pTool == m_pSelTool)
    {
        m_pSelTool = nullptr;
        ShowSelectedTool();
    }
    g_pUserToolsManager->RemoveTool(pTool);
    return TRUE;
}

void CKTToolsPage::OnNewTool(int iItem)
{
    CKTUserTool* pTool = g_pUserToolsManager != nullptr ? g_pUserToolsManager->CreateNewTool() : nullptr;
    if (pTool == nullptr)
    {
        if (g_pUserToolsManager != nullptr)
        {
            CString strFormat, strMessage;
            strFormat.LoadString(IDS_KT_MAX_TOOLS);
            strMessage.Format(strFormat, g_pUserToolsManager->GetMaxTools());
            AfxMessageBox(strMessage);
        }
        m_wndToolsList.RemoveItem(iItem);
        OnToolSelected();
        return;
    }
    pTool->m_strLabel = m_wndToolsList.GetItemText(iItem);
    m_wndToolsList.SetItemData(iItem, reinterpret_cast<DWORD_PTR>(pTool));
    OnToolSelected();
}

void CKTToolsPage::OnRenameTool(int iItem)
{
    if (CKTUserTool* pTool = ToolOf(iItem))
        pTool->m_strLabel = m_wndToolsList.GetItemText(iItem);
}

void CKTToolsPage::OnMoveTool(int iItem, BOOL bUp)
{
    CKTUserTool* pTool = ToolOf(iItem);
    if (pTool == nullptr || g_pUserToolsManager == nullptr)
        return;
    if (bUp)
        g_pUserToolsManager->MoveToolUp(pTool);
    else
        g_pUserToolsManager->MoveToolDown(pTool);
}

void CKTToolsPage::OnUpdateCommand()
{
    if (m_bFilling || m_pSelTool == nullptr)
        return;
    CString strText;
    m_wndCommand.GetWindowText(strText);
    m_pSelTool->SetCommand(strText);
}

void CKTToolsPage::OnUpdateArguments()
{
    if (!m_bFilling && m_pSelTool != nullptr)
        m_wndArguments.GetWindowText(m_pSelTool->m_strArguments);
}

void CKTToolsPage::OnUpdateInitialDirectory()
{
    if (!m_bFilling && m_pSelTool != nullptr)
        m_wndInitialDirectory.GetWindowText(m_pSelTool->m_strInitialDirectory);
}

void CKTToolsPage::StoreTexts()
{
    if (m_pSelTool == nullptr)
        return;
    CString strCommand;
    m_wndCommand.GetWindowText(strCommand);
    m_pSelTool->SetCommand(strCommand);
    m_wndArguments.GetWindowText(m_pSelTool->m_strArguments);
    m_wndInitialDirectory.GetWindowText(m_pSelTool->m_strInitialDirectory);
}

void CKTToolsPage::OnOK()
{
    StoreTexts();
    CPropertyPage::OnOK();
}

void CKTToolsPage::OnBrowseCommand()
{
    if (g_pUserToolsManager == nullptr)
        return;
    CString strCommand;
    m_wndCommand.GetWindowText(strCommand);
    CFileDialog dlg(TRUE, g_pUserToolsManager->GetDefExt(), strCommand, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                    g_pUserToolsManager->GetFilter(), this);
    if (dlg.DoModal() == IDOK)
        m_wndCommand.SetWindowText(dlg.GetPathName());
}

void CKTToolsPage::TypeMenuChoice(const CKTMenuButton& button, UINT nEditID)
{
    const int nChoice = button.GetMenuResult();
    if (nChoice <= 0)
        return;
    CString strText;
    if (!strText.LoadString(static_cast<UINT>(nChoice)))
        return;
    CWnd* pEdit = GetDlgItem(nEditID);
    if (pEdit == nullptr)
        return;
    pEdit->SetFocus();
    for (int i = 0; i < strText.GetLength(); i++)
        pEdit->SendMessage(WM_CHAR, static_cast<WPARAM>(strText[i]));
}

void CKTToolsPage::OnArgumentsMenu()
{
    TypeMenuChoice(m_wndArgumentsMenu, IDC_ARGUMENTS);
}

void CKTToolsPage::OnInitialDirMenu()
{
    TypeMenuChoice(m_wndInitialDirMenu, IDC_INITIAL_DIR);
}

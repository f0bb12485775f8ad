#include "uitoolkit/customize/KTToolbarCustomize.h"

#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/bars/KTToolbarButton.h"
#include "uitoolkit/bars/KTFrameWnd.h"
#include "uitoolkit/bars/KTMDIFrameWnd.h"
#include "uitoolkit/bars/KTMenuBar.h"
#include "uitoolkit/bars/KTMenuStore.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/customize/KTContextMenuManager.h"
#include "uitoolkit/customize/KTCustomizePage.h"
#include "uitoolkit/customize/KTDialogMenuHelper.h"
#include "uitoolkit/customize/KTButtonAppearanceDlg.h"
#include "uitoolkit/customize/KTKeyboardManager.h"
#include "uitoolkit/customize/KTKeyboardPage.h"
#include "uitoolkit/customize/KTMenuPage.h"
#include "uitoolkit/customize/KTOptionsPage.h"
#include "uitoolkit/customize/KTToolbarsPage.h"
#include "uitoolkit/customize/KTUserTool.h"
#include "uitoolkit/customize/KTUserToolsManager.h"
#include "uitoolkit/looks/KTVisualManager.h"

namespace
{
const UINT IDS_KT_NEW_MENU = 16014;
const UINT IDS_KT_CUSTOMIZE = 16103;
const UINT IDS_KT_ALL_COMMANDS = 16110;

CString LoadText(UINT nID)
{
    CString str;
    str.LoadString(nID);
    return str;
}

// TRUE when the list holds a command a bar can run (not a separator, not a menu button).
BOOL HoldsCommand(const CObList* pList)
{
    for (POSITION pos = pList->GetHeadPosition(); pos != nullptr;)
    {
        const CKTToolbarButton* pButton = static_cast<const CKTToolbarButton*>(pList->GetNext(pos));
        if (pButton->m_nID != 0 && pButton->m_nID != (UINT)-1)
            return TRUE;
    }
    return FALSE;
}

CKTToolbarButton* NewButtonLike(const CKTToolbarButton& button)
{
    CObject* pObject = button.GetRuntimeClass()->CreateObject();
    CKTToolbarButton* pNew = pObject != nullptr && pObject->IsKindOf(RUNTIME_CLASS(CKTToolbarButton))
                                 ? static_cast<CKTToolbarButton*>(pObject)
                                 : nullptr;
    if (pNew == nullptr)
    {
        delete pObject;
        return nullptr;
    }
    pNew->CopyFrom(button);
    return pNew;
}
} // namespace

CKTToolbarCustomize::CKTToolbarCustomize(CFrameWnd* pWndParentFrame, BOOL bAutoSet, UINT uiFlags,
                                         CList<CPropertyPage*, CPropertyPage*>* plistCustomPages)
    : CPropertySheet(L"", pWndParentFrame), m_pParentFrame(pWndParentFrame), m_bAutoSet(bAutoSet), m_uiFlags(uiFlags)
{
    m_ButtonsByCategory.InitHashTable(17);
    // The bars' button menus and drops open the Button Appearance dialog while the sheet is up.
    CKTButtonAppearanceDlg::Install();
    if (plistCustomPages != nullptr)
    {
        for (POSITION pos = plistCustomPages->GetHeadPosition(); pos != nullptr;)
            m_listCustomPages.AddTail(plistCustomPages->GetNext(pos));
    }

    if (!CKTVisualManager::GetInstance()->IsLook2000Allowed())
        m_uiFlags &= ~KT_CUSTOMIZE_LOOK2000;
    m_uiFlags &= ~KT_CUSTOMIZE_NOTOOLS;

    m_pCustomizePage = new CKTCustomizePage;
    m_pToolbarsPage = new CKTToolbarsPage(m_pParentFrame);
    m_pToolsPage = s_ToolsPage.pfnCreatePage != nullptr ? s_ToolsPage.pfnCreatePage() : nullptr;
    m_pKeyboardPage = new CKTKeyboardPage(m_pParentFrame, m_bAutoSet);
    m_pMenuPage = new CKTMenuPage(m_pParentFrame, m_bAutoSet);
    m_pMousePage = s_MousePage.pfnCreatePage != nullptr ? s_MousePage.pfnCreatePage() : nullptr;

    AddPage(m_pCustomizePage);
    AddPage(m_pToolbarsPage);
    if (m_pToolsPage != nullptr && s_ToolsPage.IsActive())
        AddPage(m_pToolsPage);
    if (g_pKeyboardManager != nullptr && m_pParentFrame != nullptr && m_pParentFrame->m_hAccelTable != nullptr)
        AddPage(m_pKeyboardPage);
    if (g_pContextMenuManager != nullptr || HasMenuBar(m_pParentFrame))
        AddPage(m_pMenuPage);
    if (m_pMousePage != nullptr && s_MousePage.IsActive())
        AddPage(m_pMousePage);
    for (POSITION pos = m_listCustomPages.GetHeadPosition(); pos != nullptr;)
        AddPage(m_listCustomPages.GetNext(pos));
    m_pOptionsPage = new CKTOptionsPage(HasMenuBar(m_pParentFrame));
    AddPage(m_pOptionsPage);

    m_strAllCommands = LoadText(IDS_KT_ALL_COMMANDS);
    m_pCustomizePage->SetAllCommandsCategory(m_strAllCommands);
    m_pKeyboardPage->SetAllCommandsCategory(m_strAllCommands);
    SetTitle(LoadText(IDS_KT_CUSTOMIZE));

    if (m_bAutoSet)
        AddAllMenus();

    const CString strNewMenu = LoadText(IDS_KT_NEW_MENU);
    CKTToolbarMenuButton newMenu;
    newMenu.m_nID = 0;
    newMenu.m_strText = strNewMenu;
    AddCategoryButton(strNewMenu, newMenu);
}

CKTToolbarCustomize::~CKTToolbarCustomize()
{
    for (POSITION pos = m_ButtonsByCategory.GetStartPosition(); pos != nullptr;)
    {
        CString strCategory;
        CObList* pList = nullptr;
        m_ButtonsByCategory.GetNextAssoc(pos, strCategory, pList);
        while (!pList->IsEmpty())
            delete pList->RemoveHead();
        delete pList;
    }
    m_ButtonsByCategory.RemoveAll();
    while (!m_listCustomPages.IsEmpty())
        delete m_listCustomPages.RemoveHead();
    delete m_pCustomizePage;
    delete m_pToolbarsPage;
    delete m_pToolsPage;
    delete m_pKeyboardPage;
    delete m_pMenuPage;
    delete m_pMousePage;
    delete m_pOptionsPage;
}

CKTMenuBar* CKTToolbarCustomize::GetFrameMenuBar(CFrameWnd* pFrame)
{
    if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CKTMDIFrameWnd)))
        return static_cast<CKTMDIFrameWnd*>(pFrame)->GetMenuBar();
    if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CKTFrameWnd)))
        return static_cast<CKTFrameWnd*>(pFrame)->GetMenuBar();
    return nullptr;
}

BOOL CKTToolbarCustomize::HasMenuBar(CFrameWnd* pFrame)
{
    return GetFrameMenuBar(pFrame) != nullptr;
}

void CKTToolbarCustomize::AddAllMenus()
{
    CWinApp* pApp = AfxGetApp();
    for (POSITION pos = pApp != nullptr ? pApp->GetFirstDocTemplatePosition() : nullptr; pos != nullptr;)
    {
        CDocTemplate* pTemplate = pApp->GetNextDocTemplate(pos);
        if (pTemplate != nullptr && pTemplate->IsKindOf(RUNTIME_CLASS(CMultiDocTemplate)) &&
            static_cast<CMultiDocTemplate*>(pTemplate)->m_hMenuShared != nullptr)
            AddMenuItems(static_cast<CMultiDocTemplate*>(pTemplate)->m_hMenuShared);
    }
    // A frame whose menu bar shows its menu may have none of its own.
    HMENU hDefault = m_pParentFrame != nullptr ? m_pParentFrame->m_hMenuDefault : nullptr;
    if (hDefault == nullptr)
    {
        CKTMenuBar* pMenuBar = GetFrameMenuBar(m_pParentFrame);
        hDefault = pMenuBar != nullptr ? pMenuBar->GetDefaultMenu() : nullptr;
    }
    if (hDefault != nullptr)
        AddMenuItems(hDefault);
}

BOOL CKTToolbarCustomize::AddMenu(UINT uiMenuResId)
{
    HMENU hMenu = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(uiMenuResId));
    if (hMenu == nullptr)
        return FALSE;
    AddMenuItems(hMenu);
    ::DestroyMenu(hMenu);
    return TRUE;
}

CString CKTToolbarCustomize::CleanItemText(const CString& strText)
{
    CString str = strText;
    str.Remove(L'&');
    const int iTab = str.Find(L'\t');
    if (iTab >= 0)
        str = str.Left(iTab);
    return str;
}

CString CKTToolbarCustomize::MakeMenuPathName(const CString& strPath, const CString& strText)
{
    CString strName = strPath + strText;
    const int iTab = strName.Find(L'\t');
    if (iTab >= 0)
        strName = strName.Left(iTab);
    CString strResult;
    BOOL bUpper = FALSE;
    for (int i = 0; i < strName.GetLength(); ++i)
    {
        const wchar_t ch = strName[i];
        if (ch == L' ')
        {
            bUpper = TRUE;
            continue;
        }
        strResult += bUpper ? (wchar_t)(UINT_PTR)::CharUpperW(reinterpret_cast<LPWSTR>((UINT_PTR)ch)) : ch;
        bUpper = FALSE;
    }
    return strResult;
}

void CKTToolbarCustomize::AddMenuItems(HMENU hMenu, BOOL bPopup, LPCTSTR lpszCategory, LPCTSTR lpszMenuPath)
{
    BOOL bWindowMenu = FALSE;
    const int nCount = hMenu != nullptr ? ::GetMenuItemCount(hMenu) : 0;
    for (int i = 0; i < nCount; ++i)
    {
        const UINT uiCmd = ::GetMenuItemID(hMenu, i);
        wchar_t szText[256] = {};
        ::GetMenuStringW(hMenu, (UINT)i, szText, 256, MF_BYPOSITION);
        CString strText(szText);
        strText.Remove(L'&');

        if (uiCmd == 0)
            continue;
        if (uiCmd == (UINT)-1)
        {
            HMENU hSubMenu = ::GetSubMenu(hMenu, i);
            if (hSubMenu == nullptr)
                continue;
            // A menu made for tear-off bars carries the bar's id before its text.
            const UINT uiTearOffId =
                g_pTearOffIdTable != nullptr ? CKTTearOffIdTable::ParseTearOffId(strText) : 0;
            const CString strCategory = lpszCategory != nullptr ? CString(lpszCategory) : strText;
            if (m_bAutoSet)
            {
                if (bPopup)
                {
                    CKTToolbarMenuButton menuButton;
                    menuButton.m_nID = (UINT)-1;
                    menuButton.m_hMenu = hSubMenu;
                    menuButton.m_strText = strText;
                    menuButton.SetTearOff(uiTearOffId);
                    AddCategoryButton(strCategory, menuButton);
                }
                const CString strPath = CString(lpszMenuPath != nullptr ? lpszMenuPath : L"") + strText;
                AddMenuItems(hSubMenu, TRUE, strCategory, strPath);
            }
            else
            {
                AddMenuItems(hSubMenu, TRUE);
            }
            continue;
        }

        if (bPopup && uiCmd >= 0xE130 && uiCmd <= 0xE13F)
            bWindowMenu = TRUE;
        if (lpszCategory != nullptr && g_pUserToolsManager != nullptr &&
            uiCmd == g_pUserToolsManager->GetToolsEntryCmd())
        {
            AddUserToolButtons(lpszCategory);
            continue;
        }
        CKTToolbarButton button(uiCmd, -1, strText);
        if (lpszMenuPath != nullptr)
            button.m_strMenuPath = MakeMenuPathName(lpszMenuPath, strText);
        AddCategoryButton(lpszCategory != nullptr ? lpszCategory : (LPCTSTR)m_strAllCommands, button);
    }

    // The window menu offers the frame's windows dialog, which the frame adds to it only when
    // the menu opens.
    CKTMDIFrameWnd* pMDIFrame = KT_KIND_OF(CKTMDIFrameWnd, m_pParentFrame);
    if (bWindowMenu && lpszCategory != nullptr && pMDIFrame != nullptr && pMDIFrame->GetWindowsDialogCmd() != 0)
    {
        AddCategoryButton(lpszCategory,
                          CKTToolbarButton(pMDIFrame->GetWindowsDialogCmd(), -1, pMDIFrame->GetWindowsDialogText()));
    }
}

void CKTToolbarCustomize::AddUserToolButtons(LPCTSTR lpszCategory)
{
    if (g_pUserToolsManager == nullptr)
        return;
    const CObList& tools = g_pUserToolsManager->GetUserTools();
    for (POSITION pos = tools.GetHeadPosition(); pos != nullptr;)
    {
        const CKTUserTool* pTool = static_cast<const CKTUserTool*>(tools.GetNext(pos));
        AddCategoryButton(lpszCategory, CKTToolbarButton(pTool->m_uiCmdId, 0, pTool->m_strLabel));
    }
}

BOOL CKTToolbarCustomize::IsRefusedCommand(UINT uiCmd)
{
    return (uiCmd >= 0xE110 && uiCmd <= 0xE11F) || (uiCmd >= 0xF000 && uiCmd <= 0xF1EF) || (int)uiCmd >= 0xFF00 ||
           (uiCmd >= 0xE210 && uiCmd <= 0xE21F) || CKTToolBar::IsCommandForbidden(uiCmd) ||
           (g_pUserToolsManager != nullptr && uiCmd == g_pUserToolsManager->GetToolsEntryCmd());
}

BOOL CKTToolbarCustomize::IsSameEntry(const CKTToolbarButton& a, const CKTToolbarButton& b)
{
    if (a.m_nID != b.m_nID)
        return FALSE;
    return a.m_nID != (UINT)-1 || a.m_strText == b.m_strText;
}

CObList* CKTToolbarCustomize::CategoryList(const CString& strCategory)
{
    CObList* pList = nullptr;
    if (m_ButtonsByCategory.Lookup(strCategory, pList))
        return pList;
    pList = new CObList;
    m_ButtonsByCategory.SetAt(strCategory, pList);
    if (strCategory != m_strAllCommands)
        m_strCategoriesList.AddTail(strCategory);
    return pList;
}

void CKTToolbarCustomize::AddCategoryButton(LPCTSTR lpszCategory, const CKTToolbarButton& button, int iInsertAfter)
{
    if (lpszCategory == nullptr || IsRefusedCommand(button.m_nID))
        return;

    const BOOL bUserTool = g_pUserToolsManager != nullptr && g_pUserToolsManager->IsUserToolCmd(button.m_nID);
    CString strText;
    if (bUserTool)
    {
        const CKTUserTool* pTool = g_pUserToolsManager->FindTool(button.m_nID);
        if (pTool == nullptr)
            return;
        strText = pTool->m_strLabel;
    }
    else
    {
        strText = button.m_strText;
        strText.Trim();
        if (strText.IsEmpty())
        {
            if (!CKTToolbarButton::LoadCommandText(button.m_nID, strText) || strText.IsEmpty())
                return;
        }
        else
        {
            strText = CleanItemText(strText);
        }
    }

    const CString strCategory(lpszCategory);
    CObList* pList = CategoryList(strCategory);
    for (POSITION pos = pList->GetHeadPosition(); pos != nullptr;)
    {
        CKTToolbarButton* pExisting = static_cast<CKTToolbarButton*>(pList->GetNext(pos));
        if (IsSameEntry(*pExisting, button))
        {
            if (pExisting->m_strText.IsEmpty())
                pExisting->m_strText = strText;
            return;
        }
    }

    CKTToolbarButton* pNew = NewButtonLike(button);
    if (pNew == nullptr)
        return;
    pNew->m_strText = strText;
    if (bUserTool)
        pNew->SetImage(0);
    // A button's copy leaves its menu-path name behind; the catalogue shows it.
    pNew->m_strMenuPath = button.m_strMenuPath;
    POSITION posAfter = iInsertAfter >= 0 ? pList->FindIndex(iInsertAfter) : nullptr;
    if (posAfter != nullptr)
        pList->InsertAfter(posAfter, pNew);
    else
        pList->AddTail(pNew);

    if (strCategory != m_strAllCommands)
        AddCategoryButton(m_strAllCommands, button);
    pNew->OnAddToCustomizePage();
}

void CKTToolbarCustomize::ReplaceButton(UINT uiCmd, const CKTToolbarButton& button)
{
    // Named categories first, "All Commands" last.
    CStringList categories;
    categories.AddTail(&m_strCategoriesList);
    categories.AddTail(m_strAllCommands);
    for (POSITION posCategory = categories.GetHeadPosition(); posCategory != nullptr;)
    {
        CObList* pList = nullptr;
        if (!m_ButtonsByCategory.Lookup(categories.GetNext(posCategory), pList))
            continue;
        for (POSITION pos = pList->GetHeadPosition(); pos != nullptr;)
        {
            const POSITION posThis = pos;
            CKTToolbarButton* pOld = static_cast<CKTToolbarButton*>(pList->GetNext(pos));
            if (pOld->m_nID != uiCmd)
                continue;
            CKTToolbarButton* pNew = NewButtonLike(button);
            if (pNew == nullptr)
                continue;
            if (pNew->m_strText.IsEmpty())
                pNew->m_strText = pOld->m_strText;
            pList->SetAt(posThis, pNew);
            delete pOld;
        }
    }
}

const CObList* CKTToolbarCustomize::GetCategoryButtons(LPCTSTR lpszCategory) const
{
    CObList* pList = nullptr;
    return lpszCategory != nullptr && m_ButtonsByCategory.Lookup(lpszCategory, pList) ? pList : nullptr;
}

template <class Control>
void CKTToolbarCustomize::FillCategories(Control& wndCategory, BOOL bAddEmpty) const
{
    CStringList categories;
    categories.AddTail(const_cast<CStringList*>(&m_strCategoriesList));
    categories.AddTail(m_strAllCommands);
    for (POSITION pos = categories.GetHeadPosition(); pos != nullptr;)
    {
        const CString strCategory = categories.GetNext(pos);
        CObList* pList = nullptr;
        if (!m_ButtonsByCategory.Lookup(strCategory, pList))
            continue;
        if (!bAddEmpty && strCategory != m_strAllCommands && !HoldsCommand(pList))
            continue;
        const int nIndex = wndCategory.AddString(strCategory);
        wndCategory.SetItemDataPtr(nIndex, pList);
    }
}

void CKTToolbarCustomize::FillCategoryCombo(CComboBox& wndCategory, BOOL bAddEmpty) const
{
    FillCategories(wndCategory, bAddEmpty);
}

void CKTToolbarCustomize::FillCategoryList(CListBox& wndCategory, BOOL bAddEmpty) const
{
    FillCategories(wndCategory, bAddEmpty);
}

void CKTToolbarCustomize::FillCommandList(CListBox& wndCommands) const
{
    wndCommands.ResetContent();
    const CObList* pList = GetCategoryButtons(m_strAllCommands);
    for (POSITION pos = pList != nullptr ? pList->GetHeadPosition() : nullptr; pos != nullptr;)
    {
        const CKTToolbarButton* pButton = static_cast<const CKTToolbarButton*>(pList->GetNext(pos));
        const int nIndex =
            wndCommands.AddString(pButton->m_strMenuPath.IsEmpty() ? pButton->m_strText : pButton->m_strMenuPath);
        wndCommands.SetItemData(nIndex, pButton->m_nID);
    }
}

LPCTSTR CKTToolbarCustomize::GetCommandText(UINT uiCmd) const
{
    const CObList* pList = GetCategoryButtons(m_strAllCommands);
    for (POSITION pos = pList != nullptr ? pList->GetHeadPosition() : nullptr; pos != nullptr;)
    {
        const CKTToolbarButton* pButton = static_cast<const CKTToolbarButton*>(pList->GetNext(pos));
        if (pButton->m_nID == uiCmd)
            return pButton->m_strText;
    }
    return nullptr;
}

int CKTToolbarCustomize::CountButtonsWithText(const CString& strText, const CObList* pList)
{
    int nCount = 0;
    for (POSITION pos = pList != nullptr ? pList->GetHeadPosition() : nullptr; pos != nullptr;)
    {
        const CKTToolbarButton* pButton = static_cast<const CKTToolbarButton*>(pList->GetNext(pos));
        if (pButton->m_strText == strText)
            ++nCount;
    }
    return nCount;
}

#pragma once
// The customize sheet's "Tools" page: the user tools as an editable list (new, delete, move up
// and down, rename in place) and the selected tool's program, arguments and initial folder,
// written into the tool as they are typed.
//
// The page edits the tools of the global user tools manager; it owns its controls and menus.

#include "framework/Afx.h"
#include "uitoolkit/customize/KTEditListBox.h"
#include "uitoolkit/customize/KTMenuButton.h"

class CKTToolsPage;
class CKTUserTool;

// The page's list of tools: each change of the list is a change of the tools.
class CKTToolsListBox : public CKTEditListBox
{
public:
    explicit CKTToolsListBox(CKTToolsPage& page) : m_page(page) {}

protected:
    void OnSelectionChanged() override;
    BOOL OnBeforeRemoveItem(int iItem) override;
    void OnAfterAddItem(int iItem) override;
    void OnAfterRenameItem(int iItem) override;
    void OnAfterMoveItemUp(int iItem) override;
    void OnAfterMoveItemDown(int iItem) override;

    CKTToolsPage& m_page;
};

class CKTToolsPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CKTToolsPage)
public:
    enum
    {
        IDD = 16928,
        IDC_TOOLS_LIST = 16921,
        IDC_COMMAND = 16922,
        IDC_BROWSE = 16923,
        IDC_ARGUMENTS = 16924,
        IDC_ARGUMENTS_MENU = 16989,
        IDC_INITIAL_DIR = 16925,
        IDC_INITIAL_DIR_MENU = 16997
    };

    CKTToolsPage();
    ~CKTToolsPage() override;

    // The customize sheet shows the page while a user tools manager exists (the manager calls
    // this when it is made).
    static void RegisterWithSheet();

    CKTToolsListBox& GetToolsList() { return m_wndToolsList; }
    CKTUserTool* GetSelectedTool() const { return m_pSelTool; }

    // The list's notifications, by item.
    void OnToolSelected();
    BOOL OnRemoveTool(int iItem);
    void OnNewTool(int iItem);
    void OnRenameTool(int iItem);
    void OnMoveTool(int iItem, BOOL bUp);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    // The sheet checks the tools before the page may be left.
    BOOL OnKillActive() override;
    void OnUpdateCommand();
    void OnUpdateArguments();
    void OnUpdateInitialDirectory();
    void OnBrowseCommand();
    void OnArgumentsMenu();
    void OnInitialDirMenu();
    DECLARE_MESSAGE_MAP()

    CKTUserTool* ToolOf(int iItem) const;
    // Shows the selected tool's texts and enables the controls while one is selected.
    void ShowSelectedTool();
    void StoreTexts();
    void SetUpMenuButton(CKTMenuButton& button, CMenu& menu, UINT uiMenuId);
    // The menu item's string, typed into the edit.
    void TypeMenuChoice(const CKTMenuButton& button, UINT nEditID);

    CKTToolsListBox m_wndToolsList;
    CEdit m_wndCommand;
    CEdit m_wndArguments;
    CEdit m_wndInitialDirectory;
    CKTMenuButton m_wndArgumentsMenu;
    CKTMenuButton m_wndInitialDirMenu;
    CMenu m_menuArguments;
    CMenu m_menuInitialDir;
    CKTUserTool* m_pSelTool = nullptr;
    // Set while the page writes the edits itself: their updates are not the user's.
    BOOL m_bFilling = FALSE;
};

#pragma once
// The customize sheet's "Mouse" page: for each kind of view of the mouse manager, no double-click
// command or a command chosen from the list. A choice takes effect at once.
//
// The page owns its image list of view icons; the mouse manager is the global one.

#include "framework/Afx.h"

class CKTMousePage : public CPropertyPage
{
    DECLARE_DYNCREATE(CKTMousePage)
public:
    enum
    {
        IDD = 16135,
        IDC_VIEWS = 16631,
        IDC_NO_DBLCLICK = 16632,
        IDC_USE_DBLCLICK = 16633,
        IDC_COMMANDS = 16634,
        IDC_DESCRIPTION = 16514
    };

    CKTMousePage();
    ~CKTMousePage() override;

    // The customize sheet shows the page while a mouse manager exists (the manager calls this
    // when it is made).
    static void RegisterWithSheet();

    int GetCurrentViewId() const { return m_iCurrViewId; }
    const CString& GetDescription() const { return m_strCommandDescription; }
    CListCtrl& GetViewsList() { return m_wndListOfViews; }
    CListBox& GetCommandsList() { return m_wndListOfCommands; }

protected:
    BOOL OnInitDialog() override;
    void OnNoDblClick();
    void OnUseDblClick();
    void OnSelChangeCommands();
    void OnItemChangedViews(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    // The list and the radio buttons for the view's command.
    void ShowViewCommand();
    void EnableCommands(BOOL bEnable);
    // The frame's prompt text of the command, empty without a frame.
    CString PromptOf(UINT uiCmd) const;

    CListCtrl m_wndListOfViews;
    CListBox m_wndListOfCommands;
    CImageList m_ViewsImages;
    CString m_strCommandDescription;
    int m_iCurrViewId = -1;
};

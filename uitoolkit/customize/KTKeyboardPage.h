#pragma once
// The customize sheet's "Keyboard" page: pick a command by category, see its shortcuts, type a new
// combination and see which command has it, and assign, remove or reset shortcuts, for the main
// frame and for each multi-document template. Every change is installed at once through the
// keyboard manager.
//
// The page works on a copy of the chosen table's entries; the current-keys list holds indices
// into that copy.

#include "uitoolkit/customize/KTKeyAssignEdit.h"

#include <vector>

class CKTToolbarButton;
class CKTToolbarCustomize;

class CKTKeyboardPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CKTKeyboardPage)
public:
    enum
    {
        IDD = 16136
    };

    explicit CKTKeyboardPage(CFrameWnd* pParentFrame = nullptr, BOOL bAutoSet = FALSE);

    void SetAllCommandsCategory(LPCTSTR lpszCategory) { m_strAllCategory = lpszCategory; }

    // The entries the page works on, in the table's order.
    const std::vector<ACCEL>& GetWorkingCopy() const { return m_accels; }
    CMultiDocTemplate* GetSelectedTemplate() const { return m_pSelTemplate; }

protected:
    BOOL OnInitDialog() override;

    void OnAssign();
    void OnSelchangeCategory();
    void OnSelchangeCommandsList();
    void OnSelchangeCurrentKeysList();
    void OnRemove();
    void OnResetAll();
    void OnSelchangeViewType();
    void OnUpdateNewShortcutKey();
    DECLARE_MESSAGE_MAP()

    CKTToolbarCustomize* GetSheet() const;
    // Installs the working copy for the chosen template, or for the main frame.
    void InstallWorkingCopy();
    void UpdateTexts();

    CComboBox m_wndCategoryList;
    CListBox m_wndCommandsList;
    CComboBox m_wndViewTypeList;
    CListBox m_wndCurrentKeysList;
    CKTKeyAssignEdit m_wndNewKey;
    CButton m_wndAssignButton;
    CButton m_wndRemoveButton;
    CStatic m_wndViewIcon;
    CStatic m_wndAssignedToTitle;

    CFrameWnd* m_pParentFrame;
    BOOL m_bAutoSet;
    CString m_strAllCategory;
    std::vector<ACCEL> m_accels;
    CMultiDocTemplate* m_pSelTemplate = nullptr;
    CKTToolbarButton* m_pSelButton = nullptr;
    int m_iSelEntry = -1;
    CString m_strDescription;
    CString m_strAssignedTo;
};

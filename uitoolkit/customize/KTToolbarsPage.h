#pragma once
// The customize sheet's "Toolbars" page: the frame's toolbars with a check for each visible one,
// Reset and Reset All, New, Rename and Delete of the user's own toolbars (the frame decides,
// through "KTTOOLBAR_CREATE" and "KTTOOLBAR_DELETE") and the selected bar's text labels. With it
// the check list whose check boxes can be held fixed, and the dialog that asks a toolbar's name.

#include "framework/Afx.h"

#include <vector>

class CKTToolBar;

// A check list whose items each have a check box that can be held fixed: a click on it, Space
// or a double click on its item only beeps. A double click on any other item tells the parent
// CLBN_CHKCHANGE after the list's own handling.
class CKTToolbarsCheckList : public CCheckListBox
{
    DECLARE_DYNAMIC(CKTToolbarsCheckList)
public:
    CKTToolbarsCheckList() = default;

    void EnableCheck(int nIndex, BOOL bEnable = TRUE);
    BOOL IsCheckEnabled(int nIndex) const;

    // The sound of every refusal on the Toolbars page; tests put a recorder in its place.
    static BOOL(WINAPI* m_pfnMessageBeep)(UINT uType);

protected:
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    LRESULT OnAddString(WPARAM wParam, LPARAM lParam);
    LRESULT OnInsertString(WPARAM wParam, LPARAM lParam);
    LRESULT OnDeleteString(WPARAM wParam, LPARAM lParam);
    LRESULT OnResetContent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // The item under the point; bOnCheck: the point lies on its check box.
    int ItemAt(CPoint point, BOOL& bOnCheck) const;

    std::vector<BOOL> m_checkEnabled;
};

class CKTToolbarNameDlg : public CDialog
{
public:
    enum
    {
        IDD = 16130
    };

    explicit CKTToolbarNameDlg(CWnd* pParent = nullptr);

    CString m_strToolbarName;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnUpdateName();
    DECLARE_MESSAGE_MAP()
};

class CKTToolbarsPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CKTToolbarsPage)
public:
    enum
    {
        IDD = 16105
    };

    explicit CKTToolbarsPage(CFrameWnd* pParentFrame = nullptr);

    void EnableUserDefinedToolbars(BOOL bEnable) { m_bUserDefinedToolbars = bEnable; }
    // The bar's check follows its window.
    void ShowToolBar(CKTToolBar* pBar, BOOL bShow);

    CKTToolbarsCheckList& GetToolbarList() { return m_wndToolbarList; }
    CKTToolBar* GetSelectedToolbar() const { return m_pSelectedToolbar; }
    // The item of the bar, -1 when it is not listed.
    int FindToolbar(const CKTToolBar* pBar) const;
    // The bar's id lies in the user-toolbar range of its toolkit frame.
    static BOOL IsUserDefined(const CKTToolBar* pBar);

protected:
    BOOL OnInitDialog() override;
    void OnSelchangeToolbarList();
    void OnDblclkToolbarList();
    void OnCheckChange();
    void OnReset();
    void OnResetAll();
    void OnNew();
    void OnRename();
    void OnDelete();
    void OnTextLabels();
    DECLARE_MESSAGE_MAP()

    CFrameWnd* GetFrame() const;
    // Appends the bar, checked when visible, selected and scrolled into view.
    void AddAndSelect(const CString& strName, CKTToolBar* pBar, BOOL bChecked);
    void EnableItem(UINT nID, BOOL bEnable);

    CKTToolbarsCheckList m_wndToolbarList;
    CKTToolBar* m_pSelectedToolbar = nullptr;
    BOOL m_bUserDefinedToolbars = FALSE;
    CFrameWnd* m_pParentFrame;
};

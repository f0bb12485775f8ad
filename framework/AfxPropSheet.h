// Property sheets and their pages: modal through the framework's loop, modeless, or as a child.
#pragma once

#include "framework/AfxDialog.h"

#include <prsht.h>
#include <vector>

class CTabCtrl;
class CPropertySheet;

class CPropertyPage : public CDialog
{
    DECLARE_DYNAMIC(CPropertyPage)
public:
    CPropertyPage() = default;
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0, DWORD dwSize = sizeof(PROPSHEETPAGE));
    explicit CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0, DWORD dwSize = sizeof(PROPSHEETPAGE));
    void Construct(UINT nIDTemplate, UINT nIDCaption = 0);
    void Construct(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);

    PROPSHEETPAGE m_psp{};
    CString m_strCaption;
    BOOL m_bFirstSetActive = TRUE;

    void CancelToClose();
    void SetModified(BOOL bChanged = TRUE);
    LRESULT QuerySiblings(WPARAM wParam, LPARAM lParam);

    // Page notifications from the sheet
    virtual BOOL OnSetActive();     // FALSE keeps the page from showing
    virtual BOOL OnKillActive();    // FALSE keeps the page (its data did not validate)
    virtual BOOL OnApply();
    virtual void OnReset();
    virtual BOOL OnQueryCancel();
    virtual LRESULT OnWizardBack();
    virtual LRESULT OnWizardNext();
    virtual BOOL OnWizardFinish();
    void OnOK() override;
    void OnCancel() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    CPropertySheet* GetParentSheet() const;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    static UINT CALLBACK PageCallback(HWND hWnd, UINT message, LPPROPSHEETPAGE ppsp);
    void CommonConstruct(LPCTSTR lpszTemplateName, UINT nIDCaption);
};

class CPropertySheet : public CWnd
{
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CPropertySheet() override;
    void Construct(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    void Construct(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    PROPSHEETHEADER m_psh{};
    CString m_strCaption;
    CWnd* m_pParentWnd = nullptr;
    BOOL m_bModeless = FALSE;

    // Modeless (or, with WS_CHILD in dwStyle, a child control of pParentWnd). The standard buttons
    // of a modeless sheet are hidden; its dialog keys are handled in PreTranslateMessage.
    virtual BOOL Create(CWnd* pParentWnd = nullptr, DWORD dwStyle = (DWORD)-1, DWORD dwExStyle = 0);
    // Modal through the framework's loop (WM_KICKIDLE reaches the sheet); IDOK or IDCANCEL.
    virtual INT_PTR DoModal();

    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);
    int GetPageCount() const;
    CPropertyPage* GetPage(int nPage) const;
    int GetPageIndex(CPropertyPage* pPage) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage);
    void SetTitle(LPCTSTR lpszText, UINT nStyle = 0);
    CTabCtrl* GetTabControl() const;
    void EndDialog(int nEndID);
    BOOL PressButton(int nButton) { return (BOOL)SendMessage(PSM_PRESSBUTTON, (WPARAM)nButton); }
    void SetWizardMode() { m_psh.dwFlags |= PSH_WIZARD; }
    void SetWizardButtons(DWORD dwFlags) { PostMessage(PSM_SETWIZBUTTONS, 0, (LPARAM)dwFlags); }
    void SetFinishText(LPCTSTR lpszText) { SendMessage(PSM_SETFINISHTEXT, 0, (LPARAM)lpszText); }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL ContinueModal() override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    // Fills m_psh with the pages; the page array lives until the sheet window exists.
    void BuildPropPageArray();
    BOOL CreateSheetWindow(CWnd* pParentWnd);
    virtual BOOL OnInitDialog();
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);
    void OnClose();
    static int CALLBACK SheetCallback(HWND hWnd, UINT message, LPARAM lParam);

    std::vector<CPropertyPage*> m_pages;
    std::vector<PROPSHEETPAGE> m_pageArray;
    DWORD m_dwCreateStyle = (DWORD)-1;
    DWORD m_dwCreateExStyle = 0;

    DECLARE_MESSAGE_MAP()
};

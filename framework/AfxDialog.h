// Dialogs from resource templates: modal through the framework's own loop, or modeless.
#pragma once

#include "framework/AfxWnd.h"

class CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog() = default;
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    LPCTSTR m_lpszTemplateName = nullptr;  // resource name or MAKEINTRESOURCE id
    LPCDLGTEMPLATE m_lpDialogTemplate = nullptr;  // in-memory template (InitModalIndirect)
    void* m_lpDialogInit = nullptr;        // in-memory "DLGINIT" data
    DWORD m_dwDialogInitSize = 0;
    CWnd* m_pParentWnd = nullptr;
    UINT m_nIDHelp = 0;

    // Modeless
    virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr,
                                void* lpDialogInit = nullptr);
    // Modal: the owner is disabled while the dialog's own loop runs; idle time sends WM_KICKIDLE.
    BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr, void* lpDialogInit = nullptr);
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    virtual void OnSetFont(CFont* pFont);

    void NextDlgCtrl() const { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
    void PrevDlgCtrl() const { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
    void GotoDlgCtrl(CWnd* pWndCtrl) { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, (WPARAM)pWndCtrl->GetSafeHwnd(), 1); }
    void SetDefID(UINT nID) { ::SendMessage(m_hWnd, DM_SETDEFID, nID, 0); }
    DWORD GetDefID() const { return (DWORD)::SendMessage(m_hWnd, DM_GETDEFID, 0, 0); }
    void MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    virtual void OnOK();
    virtual void OnCancel();

protected:
    // Creates the dialog window from a template with this object attached from its first message.
    BOOL CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst);
    // The template of m_lpszTemplateName (or m_lpDialogTemplate); NULL when missing.
    LPCDLGTEMPLATE LoadTemplate(HINSTANCE* phInst) const;
    HWND PreModal();
    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    LRESULT HandleSetFont(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};

// The dialog procedure of every framework dialog: OnInitDialog for WM_INITDIALOG, the default
// dialog handling otherwise (the object sees every message through its window procedure first).
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
// TRUE for keyboard and mouse messages to the dialog or one of its controls.
BOOL AFXAPI AfxIsDialogInput(HWND hWndDlg, const MSG* pMsg);

#include "uitoolkit/customize/KTDialog.h"

IMPLEMENT_DYNAMIC(CKTDialog, CDialog)

BEGIN_MESSAGE_MAP(CKTDialog, CDialog)
ON_WM_ACTIVATE()
ON_WM_NCACTIVATE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CKTDialog::CKTDialog() : m_Menu(this) {}

CKTDialog::CKTDialog(UINT nIDTemplate, CWnd* pParentWnd) : CDialog(nIDTemplate, pParentWnd), m_Menu(this) {}

BOOL CKTDialog::PreTranslateMessage(MSG* pMsg)
{
    if (m_Menu.FilterMessage(pMsg))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

BOOL CKTDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (m_Menu.FilterCommand(wParam, lParam))
        return TRUE;
    return CDialog::OnCommand(wParam, lParam);
}

void CKTDialog::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    m_Menu.OnActivate(nState, pWndOther);
    CDialog::OnActivate(nState, pWndOther, bMinimized);
}

BOOL CKTDialog::OnNcActivate(BOOL bActive)
{
    return m_Menu.OnNcActivate(bActive);
}

void CKTDialog::OnDestroy()
{
    if (CKTDialogMenuHelper::GetCurrentHelper() == &m_Menu)
        m_Menu.SetActiveMenu(nullptr);
    CDialog::OnDestroy();
}

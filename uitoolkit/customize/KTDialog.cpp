#include "uitoolkit/customize/KTDialog.h"

IMPLEMENT_DYNAMIC(CKTDialog, CDialog)

BEGIN_MESSAGE_MAP(CKTDialog, CDialog)
KT_DIALOG_FORWARDING_MESSAGES(CKTDialog)
ON_WM_DESTROY()
END_MESSAGE_MAP()

CKTDialog::CKTDialog() = default;

CKTDialog::CKTDialog(UINT nIDTemplate, CWnd* pParentWnd) : CKTDialogForwarding(nIDTemplate, pParentWnd) {}

void CKTDialog::OnDestroy()
{
    if (CKTDialogMenuHelper::GetCurrentHelper() == &m_Menu)
        m_Menu.SetActiveMenu(nullptr);
    CDialog::OnDestroy();
}

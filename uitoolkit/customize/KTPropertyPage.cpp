#include "uitoolkit/customize/KTPropertyPage.h"

IMPLEMENT_DYNCREATE(CKTPropertyPage, CPropertyPage)
IMPLEMENT_DYNAMIC(CKTPropertySheet, CPropertySheet)

BEGIN_MESSAGE_MAP(CKTPropertyPage, CPropertyPage)
KT_DIALOG_FORWARDING_MESSAGES(CKTPropertyPage)
END_MESSAGE_MAP()

CKTPropertyPage::CKTPropertyPage() = default;

CKTPropertyPage::CKTPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CKTDialogForwarding(nIDTemplate, nIDCaption) {}

BOOL CKTPropertyPage::OnSetActive()
{
    CWnd* pParent = GetParent();
    CKTPropertySheet* pSheet = KT_KIND_OF(CKTPropertySheet, pParent);
    if (pSheet != nullptr)
        pSheet->OnActivatePage(this);
    return CPropertyPage::OnSetActive();
}

BEGIN_MESSAGE_MAP(CKTPropertySheet, CPropertySheet)
KT_DIALOG_FORWARDING_MESSAGES(CKTPropertySheet)
END_MESSAGE_MAP()

CKTPropertySheet::CKTPropertySheet() = default;

CKTPropertySheet::CKTPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CKTDialogForwarding(nIDCaption, pParentWnd, iSelectPage)
{
}

CKTPropertySheet::CKTPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CKTDialogForwarding(pszCaption, pParentWnd, iSelectPage)
{
}

void CKTPropertySheet::OnActivatePage(CPropertyPage* pPage)
{
    m_pLastActivePage = pPage;
}

#include "uitoolkit/customize/KTPropertyPage.h"

IMPLEMENT_DYNCREATE(CKTPropertyPage, CPropertyPage)
IMPLEMENT_DYNAMIC(CKTPropertySheet, CPropertySheet)

BEGIN_MESSAGE_MAP(CKTPropertyPage, CPropertyPage)
ON_WM_ACTIVATE()
ON_WM_NCACTIVATE()
END_MESSAGE_MAP()

CKTPropertyPage::CKTPropertyPage() : m_Menu(this) {}

CKTPropertyPage::CKTPropertyPage(UINT nIDTemplate, UINT nIDCaption)
    : CPropertyPage(nIDTemplate, nIDCaption), m_Menu(this)
{
}

BOOL CKTPropertyPage::OnSetActive()
{
    CWnd* pParent = GetParent();
    CKTPropertySheet* pSheet = KT_KIND_OF(CKTPropertySheet, pParent);
    if (pSheet != nullptr)
        pSheet->OnActivatePage(this);
    return CPropertyPage::OnSetActive();
}

BOOL CKTPropertyPage::PreTranslateMessage(MSG* pMsg)
{
    if (m_Menu.FilterMessage(pMsg))
        return TRUE;
    return CPropertyPage::PreTranslateMessage(pMsg);
}

BOOL CKTPropertyPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (m_Menu.FilterCommand(wParam, lParam))
        return TRUE;
    return CPropertyPage::OnCommand(wParam, lParam);
}

void CKTPropertyPage::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    m_Menu.OnActivate(nState, pWndOther);
    CPropertyPage::OnActivate(nState, pWndOther, bMinimized);
}

BOOL CKTPropertyPage::OnNcActivate(BOOL bActive)
{
    return m_Menu.OnNcActivate(bActive);
}

BEGIN_MESSAGE_MAP(CKTPropertySheet, CPropertySheet)
ON_WM_ACTIVATE()
ON_WM_NCACTIVATE()
END_MESSAGE_MAP()

CKTPropertySheet::CKTPropertySheet() : m_Menu(this) {}

CKTPropertySheet::CKTPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage), m_Menu(this)
{
}

CKTPropertySheet::CKTPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage), m_Menu(this)
{
}

void CKTPropertySheet::OnActivatePage(CPropertyPage* pPage)
{
    m_pLastActivePage = pPage;
}

BOOL CKTPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (m_Menu.FilterMessage(pMsg))
        return TRUE;
    return CPropertySheet::PreTranslateMessage(pMsg);
}

BOOL CKTPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (m_Menu.FilterCommand(wParam, lParam))
        return TRUE;
    return CPropertySheet::OnCommand(wParam, lParam);
}

void CKTPropertySheet::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    m_Menu.OnActivate(nState, pWndOther);
    CPropertySheet::OnActivate(nState, pWndOther, bMinimized);
}

BOOL CKTPropertySheet::OnNcActivate(BOOL bActive)
{
    return m_Menu.OnNcActivate(bActive);
}

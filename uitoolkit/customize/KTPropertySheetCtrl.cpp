#include "uitoolkit/customize/KTPropertySheetCtrl.h"

IMPLEMENT_DYNAMIC(CPropertySheetCtrl, CPropertySheet)

BEGIN_MESSAGE_MAP(CPropertySheetCtrl, CPropertySheet)
ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CPropertySheetCtrl::OnInitDialog()
{
    const BOOL bResult = CPropertySheet::OnInitDialog();
    ModifyStyleEx(0, WS_EX_CONTROLPARENT);
    LayoutPages();
    return bResult;
}

void CPropertySheetCtrl::LayoutPages()
{
    CTabCtrl* pTab = GetTabControl();
    if (pTab == nullptr || pTab->GetSafeHwnd() == nullptr)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    pTab->MoveWindow(rectClient);

    CRect rectPage = rectClient;
    pTab->AdjustRect(FALSE, &rectPage);
    const int cxEdge = ::GetSystemMetrics(SM_CXEDGE);
    const int cyEdge = ::GetSystemMetrics(SM_CYEDGE);
    for (int i = 0; i < GetPageCount(); i++)
    {
        CPropertyPage* pPage = GetPage(i);
        if (pPage != nullptr && pPage->GetSafeHwnd() != nullptr)
            pPage->SetWindowPos(nullptr, rectPage.left, rectPage.top, rectPage.Width() - 3 * cxEdge,
                                rectPage.Height() - cyEdge, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CPropertySheetCtrl::OnSize(UINT /*nType*/, int /*cx*/, int /*cy*/)
{
    Default();
    LayoutPages();
}

BOOL CPropertySheetCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const BOOL bResult = CPropertySheet::OnNotify(wParam, lParam, pResult);
    const NMHDR* pHdr = reinterpret_cast<const NMHDR*>(lParam);
    if (pHdr != nullptr && pHdr->code == TCN_SELCHANGE)
        LayoutPages();
    return bResult;
}

BOOL CPropertySheetCtrl::PreTranslateMessage(MSG* pMsg)
{
    // The dialog's navigation keys reach the sheet before the dialog that holds it.
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hWnd != nullptr &&
        ::IsChild(m_hWnd, pMsg->hwnd) && ::SendMessage(m_hWnd, PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(pMsg)))
        return TRUE;
    return CPropertySheet::PreTranslateMessage(pMsg);
}

void CPropertySheetCtrl::PostNcDestroy()
{
    CPropertySheet::PostNcDestroy();
    if (m_bAutoDelete)
        delete this;
}

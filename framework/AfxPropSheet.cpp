#include "framework/AfxPropSheet.h"

#include "framework/AfxMsgMap.h"
#include "framework/AfxCommCtrl.h"
#include "framework/AfxThread.h"

namespace {

thread_local CPropertySheet* t_pSheetCreating = nullptr;

const int kApplyNowButton = ID_APPLY_NOW;

} // namespace

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

// CPropertyPage -------------------------------------------------------------------------------

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption, DWORD)
{
    CommonConstruct(MAKEINTRESOURCE(nIDTemplate), nIDCaption);
}

CPropertyPage::CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption, DWORD)
{
    CommonConstruct(lpszTemplateName, nIDCaption);
}

void CPropertyPage::Construct(UINT nIDTemplate, UINT nIDCaption)
{
    CommonConstruct(MAKEINTRESOURCE(nIDTemplate), nIDCaption);
}

void CPropertyPage::Construct(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    CommonConstruct(lpszTemplateName, nIDCaption);
}

void CPropertyPage::CommonConstruct(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName))
        m_nIDHelp = (UINT)(UINT_PTR)lpszTemplateName;
    m_psp = PROPSHEETPAGE{};
    m_psp.dwSize = sizeof(PROPSHEETPAGE);
    m_psp.dwFlags = PSP_USECALLBACK;
    m_psp.hInstance = AfxGetResourceHandle();
    m_psp.pszTemplate = lpszTemplateName;
    m_psp.pfnDlgProc = &AfxDlgProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
    m_psp.pfnCallback = &CPropertyPage::PageCallback;
    if (nIDCaption != 0 && m_strCaption.LoadString(nIDCaption))
    {
        m_psp.pszTitle = m_strCaption;
        m_psp.dwFlags |= PSP_USETITLE;
    }
}

UINT CALLBACK CPropertyPage::PageCallback(HWND, UINT message, LPPROPSHEETPAGE ppsp)
{
    // The page window is created next: attach the object from its first message.
    if (message == PSPCB_CREATE && ppsp != nullptr)
        AfxHookWindowCreate(reinterpret_cast<CPropertyPage*>(ppsp->lParam));
    return TRUE;
}

CPropertySheet* CPropertyPage::GetParentSheet() const
{
    CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    if (pParent == nullptr || !pParent->IsKindOf(RUNTIME_CLASS(CPropertySheet)))
        return nullptr;
    return static_cast<CPropertySheet*>(pParent);
}

void CPropertyPage::CancelToClose()
{
    ::SendMessage(::GetParent(m_hWnd), PSM_CANCELTOCLOSE, 0, 0);
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    ::SendMessage(::GetParent(m_hWnd), bChanged ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

LRESULT CPropertyPage::QuerySiblings(WPARAM wParam, LPARAM lParam)
{
    return ::SendMessage(::GetParent(m_hWnd), PSM_QUERYSIBLINGS, wParam, lParam);
}

BOOL CPropertyPage::OnSetActive()
{
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

BOOL CPropertyPage::OnQueryCancel()
{
    return TRUE;
}

LRESULT CPropertyPage::OnWizardBack()
{
    return 0;
}

LRESULT CPropertyPage::OnWizardNext()
{
    return 0;
}

BOOL CPropertyPage::OnWizardFinish()
{
    return TRUE;
}

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

BOOL CPropertyPage::PreTranslateMessage(MSG* pMsg)
{
    // The sheet handles the dialog keys of its pages.
    return CWnd::PreTranslateMessage(pMsg);
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (pNMHDR->hwndFrom != ::GetParent(m_hWnd))
        return CDialog::OnNotify(wParam, lParam, pResult);
    switch (pNMHDR->code)
    {
    case PSN_SETACTIVE: *pResult = OnSetActive() ? 0 : -1; break;
    case PSN_KILLACTIVE: *pResult = !OnKillActive(); break;
    case PSN_APPLY:
        *pResult = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        // The sheet's OK (not Apply) ends a modal sheet with IDOK.
        if (*pResult == PSNRET_NOERROR && reinterpret_cast<PSHNOTIFY*>(lParam)->lParam != 0)
        {
            if (CPropertySheet* pSheet = GetParentSheet())
                pSheet->m_nModalResult = IDOK;
        }
        break;
    case PSN_RESET:
        OnReset();
        if (CPropertySheet* pSheet = GetParentSheet())
            pSheet->m_nModalResult = IDCANCEL;
        break;
    case PSN_QUERYCANCEL: *pResult = !OnQueryCancel(); break;
    case PSN_WIZNEXT: *pResult = OnWizardNext(); break;
    case PSN_WIZBACK: *pResult = OnWizardBack(); break;
    case PSN_WIZFINISH: *pResult = !OnWizardFinish(); break;
    case PSN_HELP: SendMessage(WM_COMMAND, ID_HELP); break;
    default: return CDialog::OnNotify(wParam, lParam, pResult);
    }
    // The sheet reads the answer as the message's result and, for dialogs, from DWLP_MSGRESULT.
    ::SetWindowLongPtr(m_hWnd, DWLP_MSGRESULT, *pResult);
    return TRUE;
}

// CPropertySheet ------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
    ON_MESSAGE(WM_INITDIALOG, &CPropertySheet::HandleInitDialog)
    ON_MESSAGE(WM_KICKIDLE, &CPropertySheet::OnKickIdle)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CPropertySheet::CPropertySheet()
{
    Construct(static_cast<LPCTSTR>(nullptr));
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    Construct(nIDCaption, pParentWnd, iSelectPage);
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    Construct(pszCaption, pParentWnd, iSelectPage);
}

CPropertySheet::~CPropertySheet()
{
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

void CPropertySheet::Construct(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CString caption;
    caption.LoadString(nIDCaption);
    Construct(caption, pParentWnd, iSelectPage);
}

void CPropertySheet::Construct(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    m_strCaption = pszCaption;
    m_pParentWnd = pParentWnd;
    m_psh = PROPSHEETHEADER{};
    m_psh.dwSize = sizeof(PROPSHEETHEADER);
    m_psh.dwFlags = PSH_PROPSHEETPAGE | PSH_USECALLBACK;
    m_psh.hInstance = AfxGetResourceHandle();
    m_psh.nStartPage = iSelectPage;
    m_psh.pfnCallback = &CPropertySheet::SheetCallback;
}

void CPropertySheet::BuildPropPageArray()
{
    m_pageArray.clear();
    for (CPropertyPage* pPage : m_pages)
    {
        PROPSHEETPAGE psp = pPage->m_psp;
        if ((psp.dwFlags & PSP_USETITLE) != 0)
            psp.pszTitle = pPage->m_strCaption;
        m_pageArray.push_back(psp);
    }
    m_psh.ppsp = m_pageArray.empty() ? nullptr : m_pageArray.data();
    m_psh.nPages = (UINT)m_pageArray.size();
    m_psh.pszCaption = m_strCaption;
    if (m_psh.nStartPage >= m_psh.nPages)
        m_psh.nStartPage = 0;
}

int CALLBACK CPropertySheet::SheetCallback(HWND, UINT message, LPARAM lParam)
{
    CPropertySheet* pSheet = t_pSheetCreating;
    if (message != PSCB_PRECREATE || pSheet == nullptr || lParam == 0 || pSheet->m_dwCreateStyle == (DWORD)-1)
        return 0;
    // Give the sheet's template the style asked for (a child sheet loses its caption and frame).
    DWORD dwStyle = pSheet->m_dwCreateStyle;
    if ((dwStyle & WS_CHILD) != 0)
    {
        dwStyle &= ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CONTEXTHELP);
        dwStyle |= DS_CONTROL | WS_CHILD;
    }
    // Whether a font record follows the title is told by DS_SETFONT: the template keeps its own
    // bit, or the system reads the font's name as the first control (a caller's child style
    // without DS_SETFONT made every child sheet fail to be created).
    const DWORD kLayoutBits = DS_SETFONT;
    WORD* pWords = reinterpret_cast<WORD*>(lParam);
    if (pWords[1] == 0xFFFF)
    {
        // DLGTEMPLATEEX: version, signature, help id, extended style, style.
        DWORD* pdw = reinterpret_cast<DWORD*>(pWords + 2);
        pdw[1] = pSheet->m_dwCreateExStyle | ((dwStyle & WS_CHILD) != 0 ? WS_EX_CONTROLPARENT : 0);
        pdw[2] = (dwStyle & ~kLayoutBits) | (pdw[2] & kLayoutBits);
    }
    else
    {
        DLGTEMPLATE* pTemplate = reinterpret_cast<DLGTEMPLATE*>(lParam);
        pTemplate->style = (dwStyle & ~kLayoutBits) | (pTemplate->style & kLayoutBits);
        pTemplate->dwExtendedStyle = pSheet->m_dwCreateExStyle | ((dwStyle & WS_CHILD) != 0 ? WS_EX_CONTROLPARENT : 0);
    }
    return 0;
}

BOOL CPropertySheet::CreateSheetWindow(CWnd* pParentWnd)
{
    m_psh.hwndParent = pParentWnd->GetSafeHwnd();
    BuildPropPageArray();
    CPropertySheet* pOldCreating = t_pSheetCreating;
    t_pSheetCreating = this;
    AfxHookWindowCreate(this);
    INT_PTR nResult = ::PropertySheet(&m_psh);
    AfxUnhookWindowCreate();
    t_pSheetCreating = pOldCreating;
    return nResult != 0 && nResult != -1 && m_hWnd != nullptr;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle)
{
    if (dwStyle == (DWORD)-1)
        dwStyle = DS_MODALFRAME | DS_3DLOOK | DS_CONTEXTHELP | DS_SETFONT | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
    m_dwCreateStyle = dwStyle;
    m_dwCreateExStyle = dwExStyle;
    m_bModeless = TRUE;
    m_psh.dwFlags |= PSH_MODELESS;
    if (pParentWnd == nullptr && (dwStyle & WS_CHILD) == 0)
        pParentWnd = m_pParentWnd != nullptr ? m_pParentWnd : AfxGetMainWnd();
    return CreateSheetWindow(pParentWnd);
}

INT_PTR CPropertySheet::DoModal()
{
    m_bModeless = FALSE;
    m_dwCreateStyle = (DWORD)-1;
    m_psh.dwFlags |= PSH_MODELESS;  // the framework runs the loop, so that idle time reaches it
    CWnd* pParent = m_pParentWnd != nullptr ? m_pParentWnd : AfxGetMainWnd();
    HWND hWndParent = pParent->GetSafeHwnd();
    while (hWndParent != nullptr && (::GetWindowLong(hWndParent, GWL_STYLE) & WS_CHILD) != 0)
        hWndParent = ::GetParent(hWndParent);
    BOOL bEnableParent = FALSE;
    if (hWndParent != nullptr && ::IsWindowEnabled(hWndParent))
    {
        ::EnableWindow(hWndParent, FALSE);
        bEnableParent = TRUE;
    }
    m_nModalResult = IDCANCEL;
    if (CreateSheetWindow(CWnd::FromHandle(hWndParent)))
    {
        m_nFlags |= WF_CONTINUEMODAL;
        RunModalLoop(MLF_SHOWONIDLE);
    }
    if (bEnableParent)
        ::EnableWindow(hWndParent, TRUE);
    if (hWndParent != nullptr && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndParent);
    DestroyWindow();
    return m_nModalResult;
}

BOOL CPropertySheet::ContinueModal()
{
    if (!CWnd::ContinueModal())
        return FALSE;
    // A sheet closed by OK or Cancel has no current page any more.
    return m_hWnd != nullptr && ::SendMessage(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0) != 0;
}

LRESULT CPropertySheet::HandleInitDialog(WPARAM, LPARAM)
{
    LRESULT lResult = Default();
    OnInitDialog();
    return lResult;
}

BOOL CPropertySheet::OnInitDialog()
{
    if (!m_bModeless || (m_psh.dwFlags & PSH_WIZARD) != 0)
        return TRUE;
    // A modeless sheet has no standard buttons; it gives up their room.
    const int buttons[] = {IDOK, IDCANCEL, kApplyNowButton, IDHELP};
    RECT rectButton{};
    BOOL bHaveButton = FALSE;
    for (int nID : buttons)
    {
        HWND hWnd = ::GetDlgItem(m_hWnd, nID);
        if (hWnd == nullptr)
            continue;
        if (!bHaveButton)
        {
            ::GetWindowRect(hWnd, &rectButton);
            ScreenToClient(&rectButton);
            bHaveButton = TRUE;
        }
        ::ShowWindow(hWnd, SW_HIDE);
        ::EnableWindow(hWnd, FALSE);
    }
    if (bHaveButton)
    {
        RECT rectClient;
        GetClientRect(&rectClient);
        int nShrink = rectClient.bottom - rectButton.top;
        RECT rectWindow;
        GetWindowRect(&rectWindow);
        if (nShrink > 0 && nShrink < rectWindow.bottom - rectWindow.top)
            SetWindowPos(nullptr, 0, 0, rectWindow.right - rectWindow.left, rectWindow.bottom - rectWindow.top - nShrink,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return TRUE;
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))
        m_nModalResult = LOWORD(wParam);
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CPropertySheet::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

LRESULT CPropertySheet::OnKickIdle(WPARAM wParam, LPARAM lParam)
{
    CPropertyPage* pPage = GetActivePage();
    if (pPage != nullptr && pPage->m_hWnd != nullptr)
        return pPage->SendMessage(WM_KICKIDLE, wParam, lParam);
    return 0;
}

void CPropertySheet::OnClose()
{
    if (m_bModeless)
        DestroyWindow();
    else
        Default();
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (!AfxIsDialogInput(m_hWnd, pMsg))
        return FALSE;
    return (BOOL)::SendMessage(m_hWnd, PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(pMsg));
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    if (pPage == nullptr)
        return;
    m_pages.push_back(pPage);
    if (m_hWnd == nullptr)
        return;
    PROPSHEETPAGE psp = pPage->m_psp;
    HPROPSHEETPAGE hPage = ::CreatePropertySheetPage(&psp);
    if (hPage != nullptr && !::SendMessage(m_hWnd, PSM_ADDPAGE, 0, reinterpret_cast<LPARAM>(hPage)))
    {
        ::DestroyPropertySheetPage(hPage);
        m_pages.pop_back();
    }
}

void CPropertySheet::RemovePage(CPropertyPage* pPage)
{
    int nPage = GetPageIndex(pPage);
    if (nPage >= 0)
        RemovePage(nPage);
}

void CPropertySheet::RemovePage(int nPage)
{
    if (nPage < 0 || nPage >= (int)m_pages.size())
        return;
    if (m_hWnd != nullptr)
        ::SendMessage(m_hWnd, PSM_REMOVEPAGE, (WPARAM)nPage, 0);
    m_pages.erase(m_pages.begin() + nPage);
}

int CPropertySheet::GetPageCount() const
{
    return (int)m_pages.size();
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    return nPage >= 0 && nPage < (int)m_pages.size() ? m_pages[(size_t)nPage] : nullptr;
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const
{
    for (size_t i = 0; i < m_pages.size(); i++)
    {
        if (m_pages[i] == pPage)
            return (int)i;
    }
    return -1;
}

int CPropertySheet::GetActiveIndex() const
{
    if (m_hWnd == nullptr)
        return (int)m_psh.nStartPage;
    HWND hWndPage = reinterpret_cast<HWND>(::SendMessage(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0));
    for (size_t i = 0; i < m_pages.size(); i++)
    {
        if (m_pages[i]->m_hWnd != nullptr && m_pages[i]->m_hWnd == hWndPage)
            return (int)i;
    }
    return (int)::SendMessage(m_hWnd, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(hWndPage), 0);
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    return GetPage(GetActiveIndex());
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (m_hWnd == nullptr)
    {
        m_psh.nStartPage = (UINT)nPage;
        return TRUE;
    }
    return (BOOL)::SendMessage(m_hWnd, PSM_SETCURSEL, (WPARAM)nPage, 0);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage)
{
    int nPage = GetPageIndex(pPage);
    return nPage >= 0 && SetActivePage(nPage);
}

void CPropertySheet::SetTitle(LPCTSTR lpszText, UINT nStyle)
{
    m_strCaption = lpszText;
    m_psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPTITLE) | (nStyle & PSH_PROPTITLE);
    if (m_hWnd != nullptr)
        ::SendMessage(m_hWnd, PSM_SETTITLE, nStyle, reinterpret_cast<LPARAM>((LPCTSTR)m_strCaption));
}

CTabCtrl* CPropertySheet::GetTabControl() const
{
    return static_cast<CTabCtrl*>(CWnd::FromHandle(reinterpret_cast<HWND>(::SendMessage(m_hWnd, PSM_GETTABCONTROL, 0, 0))));
}

void CPropertySheet::EndDialog(int nEndID)
{
    CWnd::EndModalLoop(nEndID);
    if (m_bModeless)
        DestroyWindow();
    else
        PostMessage(PSM_PRESSBUTTON, PSBTN_CANCEL);
}

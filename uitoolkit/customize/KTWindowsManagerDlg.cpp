// The windows dialog: the list of document windows, its buttons and the arrangement commands.
#include "uitoolkit/customize/KTWindowsManagerDlg.h"

#include "uitoolkit/bars/KTMDIFrameWnd.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CKTWindowsManagerDlg, CDialog)

namespace
{
const UINT s_uiWindowHelp = ::RegisterWindowMessageW(L"WINDOW_HELP");
const int kTitleLength = 256;

void RunWindowsDialog(CKTMDIFrameWnd* pFrame, BOOL bShowHelpButton)
{
    CKTWindowsManagerDlg dlg(pFrame, bShowHelpButton);
    dlg.DoModal();
}

// The system's minimize and restore animation, switched off while the dialog moves windows and
// put back as it was afterwards.
class CAnimationOff
{
public:
    CAnimationOff()
    {
        m_info.cbSize = sizeof(m_info);
        m_bRead = ::SystemParametersInfoW(SPI_GETANIMATION, sizeof(m_info), &m_info, 0);
        if (m_bRead && m_info.iMinAnimate)
        {
            ANIMATIONINFO off = m_info;
            off.iMinAnimate = 0;
            ::SystemParametersInfoW(SPI_SETANIMATION, sizeof(off), &off, 0);
        }
    }
    ~CAnimationOff()
    {
        if (m_bRead && m_info.iMinAnimate)
            ::SystemParametersInfoW(SPI_SETANIMATION, sizeof(m_info), &m_info, 0);
    }
    CAnimationOff(const CAnimationOff&) = delete;
    CAnimationOff& operator=(const CAnimationOff&) = delete;

private:
    ANIMATIONINFO m_info{};
    BOOL m_bRead = FALSE;
};

// Whether the window's system menu lets it close; FALSE when that cannot be told.
BOOL CanClose(HMENU hSysMenu)
{
    const UINT uiState = ::GetMenuState(hSysMenu, SC_CLOSE, MF_BYCOMMAND);
    return uiState != (UINT)-1 && (uiState & (MF_DISABLED | MF_GRAYED)) == 0;
}
} // namespace

BEGIN_MESSAGE_MAP(CKTWindowsManagerDlg, CDialog)
ON_BN_CLICKED(IDC_ACTIVATE, &CKTWindowsManagerDlg::OnActivate)
ON_BN_CLICKED(IDC_SAVE, &CKTWindowsManagerDlg::OnSave)
ON_BN_CLICKED(IDC_CLOSE_WINDOWS, &CKTWindowsManagerDlg::OnClose)
ON_BN_CLICKED(IDC_CASCADE, &CKTWindowsManagerDlg::OnCascade)
ON_BN_CLICKED(IDC_TILE_HORZ, &CKTWindowsManagerDlg::OnTileHorz)
ON_BN_CLICKED(IDC_TILE_VERT, &CKTWindowsManagerDlg::OnTileVert)
ON_BN_CLICKED(IDC_MINIMIZE, &CKTWindowsManagerDlg::OnMinimize)
ON_BN_CLICKED(IDC_HELP_BUTTON, &CKTWindowsManagerDlg::OnHelp)
ON_LBN_SELCHANGE(IDC_WINDOWS_LIST, &CKTWindowsManagerDlg::OnSelChange)
ON_LBN_DBLCLK(IDC_WINDOWS_LIST, &CKTWindowsManagerDlg::OnActivate)
ON_WM_DRAWITEM()
ON_WM_HELPINFO()
END_MESSAGE_MAP()

CKTWindowsManagerDlg::CKTWindowsManagerDlg(CKTMDIFrameWnd* pMDIFrame, BOOL bHelpButton)
    : CDialog(IDD, pMDIFrame), m_pMDIFrame(pMDIFrame), m_bShowHelpButton(bHelpButton)
{
}

UINT CKTWindowsManagerDlg::GetHelpMessage()
{
    return s_uiWindowHelp;
}

void CKTWindowsManagerDlg::Install()
{
    CKTMDIFrameWnd::m_pfnRunWindowsDialog = &RunWindowsDialog;
}

namespace
{
// The frames find the dialog as soon as this file is part of the program.
const bool s_bInstalled = (CKTWindowsManagerDlg::Install(), true);
} // namespace

BOOL CKTWindowsManagerDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_wndList.SubclassDlgItem(IDC_WINDOWS_LIST, this);
    FillWindowList();
    if (!m_bMDIActions)
    {
        for (UINT nID : {IDC_TILE_HORZ, IDC_TILE_VERT, IDC_CASCADE, IDC_MINIMIZE})
            ::ShowWindow(::GetDlgItem(m_hWnd, nID), SW_HIDE);
    }
    SelActive();
    UpdateButtons();
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_HELP_BUTTON), m_bShowHelpButton ? SW_SHOW : SW_HIDE);
    // Over the frame whose windows it lists, not at the corner of its client area.
    CenterWindow(m_pMDIFrame);
    return TRUE;
}

void CKTWindowsManagerDlg::FillWindowList()
{
    m_wndList.SetRedraw(FALSE);
    m_wndList.ResetContent();
    m_bMDIActions = TRUE;
    m_lstCloseDisabled.clear();
    HWND hClient = m_pMDIFrame != nullptr ? m_pMDIFrame->m_hWndMDIClient : nullptr;
    for (HWND hChild = hClient != nullptr ? ::GetWindow(hClient, GW_CHILD) : nullptr; hChild != nullptr;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        if (!::IsWindowVisible(hChild))
            continue;
        wchar_t szTitle[kTitleLength + 1] = {};
        ::GetWindowTextW(hChild, szTitle, kTitleLength);
        const int iIndex = m_wndList.AddString(szTitle);
        if (iIndex >= 0)
            m_wndList.SetItemData(iIndex, reinterpret_cast<DWORD_PTR>(hChild));

        HMENU hSysMenu = nullptr;
        if ((::GetWindowLongW(hChild, GWL_STYLE) & WS_SYSMENU) == 0 ||
            (hSysMenu = ::GetSystemMenu(hChild, FALSE)) == nullptr)
        {
            m_bMDIActions = FALSE;
            m_lstCloseDisabled.push_back(hChild);
        }
        else if (!CanClose(hSysMenu))
            m_lstCloseDisabled.push_back(hChild);
    }
    m_wndList.SetRedraw(TRUE);
    m_wndList.Invalidate();
}

void CKTWindowsManagerDlg::SelActive()
{
    const int nCount = m_wndList.GetCount();
    if (nCount > 0)
        m_wndList.SelItemRange(FALSE, 0, nCount - 1);
    HWND hClient = m_pMDIFrame != nullptr ? m_pMDIFrame->m_hWndMDIClient : nullptr;
    if (hClient == nullptr)
        return;
    HWND hActive = reinterpret_cast<HWND>(::SendMessageW(hClient, WM_MDIGETACTIVE, 0, 0));
    for (int i = 0; i < nCount; i++)
    {
        if (reinterpret_cast<HWND>(m_wndList.GetItemData(i)) == hActive)
        {
            m_wndList.SetSel(i, TRUE);
            break;
        }
    }
}

std::vector<HWND> CKTWindowsManagerDlg::GetSelectedWindows()
{
    std::vector<HWND> windows;
    const int nSel = m_wndList.GetSelCount();
    if (nSel <= 0)
        return windows;
    std::vector<int> items(static_cast<size_t>(nSel));
    const int nRead = m_wndList.GetSelItems(nSel, items.data());
    for (int i = 0; i < nRead; i++)
        windows.push_back(reinterpret_cast<HWND>(m_wndList.GetItemData(items[static_cast<size_t>(i)])));
    return windows;
}

void CKTWindowsManagerDlg::UpdateButtons()
{
    const std::vector<HWND> selected = GetSelectedWindows();
    const size_t nSel = selected.size();
    BOOL bCloseAllowed = nSel > 0;
    for (HWND hWnd : selected)
    {
        if (std::find(m_lstCloseDisabled.begin(), m_lstCloseDisabled.end(), hWnd) != m_lstCloseDisabled.end())
            bCloseAllowed = FALSE;
    }
    auto enable = [this](UINT nID, BOOL bEnable) { ::EnableWindow(::GetDlgItem(m_hWnd, nID), bEnable); };
    enable(IDC_ACTIVATE, nSel == 1);
    enable(IDC_SAVE, nSel > 0);
    enable(IDC_CLOSE_WINDOWS, bCloseAllowed);
    enable(IDC_CASCADE, m_bMDIActions && nSel > 1);
    enable(IDC_TILE_HORZ, m_bMDIActions && nSel > 1);
    enable(IDC_TILE_VERT, m_bMDIActions && nSel > 1);
    enable(IDC_MINIMIZE, m_bMDIActions && nSel > 0);
}

void CKTWindowsManagerDlg::OnSelChange()
{
    UpdateButtons();
}

void CKTWindowsManagerDlg::OnActivate()
{
    const std::vector<HWND> selected = GetSelectedWindows();
    if (selected.size() != 1 || m_pMDIFrame == nullptr)
        return;
    HWND hWnd = selected.front();
    if (::IsIconic(hWnd))
        ::ShowWindow(hWnd, SW_RESTORE);
    ::SendMessageW(m_pMDIFrame->m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hWnd), 0);
    EndDialog(IDOK);
}

void CKTWindowsManagerDlg::OnSave()
{
    for (HWND hWnd : GetSelectedWindows())
    {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd == nullptr || !pWnd->IsFrameWnd())
            continue;
        CDocument* pDocument = static_cast<CFrameWnd*>(pWnd)->GetActiveDocument();
        if (pDocument != nullptr)
            pDocument->DoFileSave();
    }
    FillWindowList();
    SelActive();
    UpdateButtons();
}

void CKTWindowsManagerDlg::OnClose()
{
    HWND hClient = m_pMDIFrame != nullptr ? m_pMDIFrame->m_hWndMDIClient : nullptr;
    m_wndList.SetRedraw(FALSE);
    const std::vector<HWND> selected = GetSelectedWindows();
    for (auto it = selected.rbegin(); it != selected.rend(); ++it)
    {
        ::SendMessageW(*it, WM_CLOSE, 0, 0);
        // A window still there was kept open (by its user or its document): the rest stay too.
        if (::IsWindow(*it) && ::GetParent(*it) == hClient)
            break;
    }
    m_wndList.SetRedraw(TRUE);
    FillWindowList();
    SelActive();
    UpdateButtons();
}

void CKTWindowsManagerDlg::OnMinimize()
{
    {
        CAnimationOff animationOff;
        const std::vector<HWND> selected = GetSelectedWindows();
        for (auto it = selected.rbegin(); it != selected.rend(); ++it)
            ::ShowWindow(*it, SW_MINIMIZE);
        FillWindowList();
        SelActive();
        UpdateButtons();
    }
}

void CKTWindowsManagerDlg::MDIMessage(UINT uMsg, WPARAM wParam)
{
    if (m_pMDIFrame == nullptr || m_pMDIFrame->m_hWndMDIClient == nullptr)
        return;
    HWND hClient = m_pMDIFrame->m_hWndMDIClient;
    CAnimationOff animationOff;
    ::LockWindowUpdate(hClient);
    for (int i = m_wndList.GetCount() - 1; i >= 0; i--)
    {
        HWND hWnd = reinterpret_cast<HWND>(m_wndList.GetItemData(i));
        if (m_wndList.GetSel(i) > 0)
            ::ShowWindow(hWnd, SW_RESTORE);
        else
            ::ShowWindow(hWnd, SW_MINIMIZE);
    }
    ::SendMessageW(hClient, uMsg, wParam, 0);
    ::LockWindowUpdate(nullptr);
}

void CKTWindowsManagerDlg::OnCascade()
{
    MDIMessage(WM_MDICASCADE, 0);
}

void CKTWindowsManagerDlg::OnTileHorz()
{
    MDIMessage(WM_MDITILE, MDITILE_HORIZONTAL);
}

void CKTWindowsManagerDlg::OnTileVert()
{
    MDIMessage(WM_MDITILE, MDITILE_VERTICAL);
}

void CKTWindowsManagerDlg::OnHelp()
{
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd != nullptr && pMainWnd->GetSafeHwnd() != nullptr)
        pMainWnd->SendMessage(s_uiWindowHelp, 0, reinterpret_cast<LPARAM>(this));
}

BOOL CKTWindowsManagerDlg::OnHelpInfo(HELPINFO*)
{
    OnHelp();
    return FALSE;
}

void CKTWindowsManagerDlg::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDIS)
{
    if (nIDCtl != IDC_WINDOWS_LIST)
    {
        CDialog::OnDrawItem(nIDCtl, lpDIS);
        return;
    }
    if (lpDIS->itemID == (UINT)-1)
        return;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const BOOL bSelected = (lpDIS->itemState & ODS_SELECTED) != 0;
    const COLORREF clrBack = ::GetSysColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    const COLORREF clrText = ::GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    CRect rect = lpDIS->rcItem;
    if (lpDIS->itemAction & (ODA_DRAWENTIRE | ODA_SELECT))
        pDC->FillSolidRect(rect, clrBack);

    HWND hWnd = reinterpret_cast<HWND>(lpDIS->itemData);
    const int nIconSize = rect.Height();
    HICON hIcon = reinterpret_cast<HICON>(::GetClassLongPtrW(hWnd, GCLP_HICONSM));
    if (hIcon != nullptr)
        ::DrawIconEx(lpDIS->hDC, rect.left + 2, rect.top, hIcon, nIconSize, nIconSize, 0, nullptr, DI_NORMAL);

    wchar_t szTitle[kTitleLength + 1] = {};
    ::SendMessageW(lpDIS->hwndItem, LB_GETTEXT, lpDIS->itemID, reinterpret_cast<LPARAM>(szTitle));
    CRect rectText = rect;
    rectText.left += 2 + nIconSize + 4;
    pDC->SetTextColor(clrText);
    pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(szTitle, -1, rectText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (lpDIS->itemState & ODS_FOCUS)
        pDC->DrawFocusRect(rect);
}

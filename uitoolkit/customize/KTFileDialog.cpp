#include "uitoolkit/customize/KTFileDialog.h"

#include "uitoolkit/looks/KTUIGlobals.h"

#include <shellapi.h>

IMPLEMENT_DYNAMIC(CKTFileDialog, CFileDialog)

CString CKTFileDialog::s_strFilter;
CString CKTFileDialog::s_strDefExt;
WNDPROC CKTFileDialog::s_pfnPrevProc = nullptr;
CKTFileDialog* CKTFileDialog::s_pActiveDialog = nullptr;

namespace
{
const UINT IDS_KT_FILEDLG_FILE = 16015;
const UINT IDS_KT_FILEDLG_FOLDER = 16016;
const UINT IDS_KT_FILEDLG_EXISTING = 16018;
const UINT IDS_KT_FILEDLG_RECENT = 16019;
const UINT IDS_KT_FILEDLG_NEW = 16027;
// The Explorer dialog's Help button (its own id beside the standard one).
const int kExplorerHelpId = 1038;
const int kMargin = 4;

// One kind of new document on the "New" page.
class CNewDocumentEntry : public CObject
{
public:
    CNewDocumentEntry(LPCTSTR lpszText, int iImage) : m_strText(lpszText), m_iImage(iImage) {}
    CString m_strText;
    int m_iImage;
};

CString LoadText(UINT nID)
{
    CString str;
    str.LoadString(nID);
    return str;
}

CString ClassOf(HWND hWnd)
{
    wchar_t szClass[64] = {};
    ::GetClassNameW(hWnd, szClass, 64);
    return szClass;
}

CRect ChildRect(HWND hWndChild, HWND hWndParent)
{
    CRect rect;
    ::GetWindowRect(hWndChild, &rect);
    ::MapWindowPoints(nullptr, hWndParent, reinterpret_cast<LPPOINT>(&rect), 2);
    return rect;
}
} // namespace

CKTFileDialog::CKTFileDialog(LPCTSTR lpszTitle, BOOL bNewPage, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                             LPCTSTR lpszFilter, CWnd* pParentWnd, BOOL bFillRecent)
    : CFileDialog(TRUE, lpszDefExt, lpszFileName, dwFlags, lpszFilter, pParentWnd), m_bNewPage(bNewPage),
      m_nPage(bNewPage ? PAGE_NEW : PAGE_EXISTING), m_strTitle(lpszTitle), m_bFillRecent(bFillRecent)
{
    CWinApp* pApp = AfxGetApp();
    if (lpszFilter != nullptr || pApp == nullptr || pApp->m_pDocManager == nullptr)
        return;
    BuildTemplateFilter();
    m_ofn.lpstrFilter = s_strFilter;
    if (!s_strDefExt.IsEmpty())
    {
        m_strDefExt = s_strDefExt;
        m_ofn.lpstrDefExt = m_strDefExt;
        m_ofn.nFilterIndex = 1;
    }
}

CKTFileDialog::~CKTFileDialog()
{
    while (!m_lstNewDocuments.IsEmpty())
        delete m_lstNewDocuments.RemoveHead();
    if (s_pActiveDialog == this)
        s_pActiveDialog = nullptr;
}

void CKTFileDialog::BuildTemplateFilter()
{
    s_strFilter.Empty();
    s_strDefExt.Empty();
    CWinApp* pApp = AfxGetApp();
    BOOL bFirst = TRUE;
    for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != nullptr; bFirst = FALSE)
    {
        CDocTemplate* pTemplate = pApp->GetNextDocTemplate(pos);
        CString strName;
        CString strExt;
        if (pTemplate == nullptr || !pTemplate->GetDocString(strName, CDocTemplate::filterName) ||
            !pTemplate->GetDocString(strExt, CDocTemplate::filterExt))
            continue;
        if (bFirst)
            s_strDefExt = strExt[0] == L'.' ? strExt.Mid(1) : strExt;
        s_strFilter += strName;
        s_strFilter += L'\0';
        s_strFilter += L'*';
        s_strFilter += strExt;
        s_strFilter += L'\0';
    }
    CString strAll = LoadText(AFX_IDS_ALLFILTER);
    if (strAll.IsEmpty())
        strAll = L"All Files (*.*)";
    s_strFilter += strAll;
    s_strFilter += L'\0';
    s_strFilter += L"*.*";
    s_strFilter += L'\0';
}

void CKTFileDialog::AddNewDocument(LPCTSTR lpszText, int iImage)
{
    m_lstNewDocuments.AddTail(new CNewDocumentEntry(lpszText, iImage));
}

CRect CKTFileDialog::TabRect() const
{
    CRect rect;
    ::GetClientRect(::GetParent(m_hWnd), &rect);
    rect.DeflateRect(kMargin, kMargin);
    rect.top += m_nLogoHeightExtra;
    return rect;
}

void CKTFileDialog::OnInitDone()
{
    CWnd* pDlg = GetParent();
    if (pDlg == nullptr)
        return;
    HWND hDlg = pDlg->GetSafeHwnd();

    CRect rectWindow;
    pDlg->GetWindowRect(&rectWindow);
    const int nNewWidth = rectWindow.Width() + 40 + m_nExtraWidth;

    if (m_pBmpLogo != nullptr && m_pBmpLogo->GetSafeHandle() != nullptr)
    {
        BITMAP bmp{};
        m_pBmpLogo->GetObject(sizeof(bmp), &bmp);
        m_rectLogo = CRect(CPoint((nNewWidth - bmp.bmWidth) / 2, 8), CSize(bmp.bmWidth, bmp.bmHeight));
        m_nLogoHeightExtra = bmp.bmHeight + 20;
    }

    pDlg->ModifyStyle(WS_THICKFRAME, WS_CAPTION);
    pDlg->ModifyStyleEx(WS_EX_WINDOWEDGE, 0);
    pDlg->SetWindowPos(nullptr, 0, 0, nNewWidth, rectWindow.Height() + 80 + m_nExtraHeight + m_nLogoHeightExtra,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);

    for (HWND hChild = ::GetWindow(hDlg, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        CRect rect = ChildRect(hChild, hDlg);
        ::SetWindowPos(hChild, nullptr, rect.left + 20, rect.top + 40 + m_nLogoHeightExtra, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    const DWORD dwListStyle = WS_CHILD | WS_BORDER | WS_TABSTOP | LVS_SINGLESEL;
    m_wndNewList.CreateEx(WS_EX_CLIENTEDGE, WC_LISTVIEW, nullptr, dwListStyle | LVS_ICON, CRect(0, 0, 0, 0), pDlg,
                          IDC_KT_FILEDLG_NEW);
    if (m_pImagesNew != nullptr)
        m_wndNewList.SetImageList(m_pImagesNew, LVSIL_NORMAL);
    int nItem = 0;
    for (POSITION pos = m_lstNewDocuments.GetHeadPosition(); pos != nullptr;)
    {
        CNewDocumentEntry* pEntry = static_cast<CNewDocumentEntry*>(m_lstNewDocuments.GetNext(pos));
        m_wndNewList.InsertItem(nItem++, pEntry->m_strText, pEntry->m_iImage);
    }

    m_wndRecentList.CreateEx(WS_EX_CLIENTEDGE, WC_LISTVIEW, nullptr, dwListStyle | LVS_REPORT, CRect(0, 0, 0, 0), pDlg,
                             IDC_KT_FILEDLG_RECENT);
    m_imagesRecent.Create(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), ILC_COLOR32 | ILC_MASK, 0,
                          4);
    m_wndRecentList.SetImageList(&m_imagesRecent, LVSIL_SMALL);
    m_wndRecentList.InsertColumn(0, LoadText(IDS_KT_FILEDLG_FILE), LVCFMT_LEFT, 100);
    m_wndRecentList.InsertColumn(1, LoadText(IDS_KT_FILEDLG_FOLDER));
    CRecentFileList* pRecent = AfxGetApp() != nullptr ? AfxGetApp()->m_pRecentFileList : nullptr;
    if (m_bFillRecent && pRecent != nullptr)
    {
        for (int i = 0; i < pRecent->GetSize(); i++)
        {
            const CString strPath = (*pRecent)[i];
            if (!strPath.IsEmpty())
                AddRecentFile(strPath);
        }
    }

    m_wndTab.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, TabRect(), pDlg, IDC_KT_FILEDLG_TABS);
    m_wndTab.SetFont(pDlg->GetFont());
    // Under the dialog's own controls, which it frames.
    m_wndTab.SetWindowPos(&CWnd::wndBottom, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    int nTab = 0;
    if (m_bNewPage)
        m_wndTab.InsertItem(nTab++, LoadText(IDS_KT_FILEDLG_NEW));
    m_wndTab.InsertItem(nTab++, LoadText(IDS_KT_FILEDLG_EXISTING));
    m_wndTab.InsertItem(nTab++, LoadText(IDS_KT_FILEDLG_RECENT));

    pDlg->SetWindowText(m_strTitle);
    if (m_hIconSmall != nullptr)
        pDlg->SendMessage(WM_SETICON, ICON_SMALL, (LPARAM)m_hIconSmall);
    if (m_hIconBig != nullptr)
        pDlg->SendMessage(WM_SETICON, ICON_BIG, (LPARAM)m_hIconBig);

    s_pActiveDialog = this;
    s_pfnPrevProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtr(hDlg, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ExplorerWindowProc)));
    m_lstHiddenControls.RemoveAll();
    LayoutPages();
}

void CKTFileDialog::AddRecentFile(const CString& strPath)
{
    const int iSlash = strPath.ReverseFind(L'\\');
    const CString strFile = iSlash >= 0 ? strPath.Mid(iSlash + 1) : strPath;
    const CString strFolder = iSlash >= 0 ? strPath.Left(iSlash) : strPath;

    int iImage = -1;
    SHFILEINFOW info{};
    if (::SHGetFileInfoW(strPath, 0, &info, sizeof(info), SHGFI_ICON | SHGFI_SMALLICON) != 0 && info.hIcon != nullptr)
    {
        iImage = m_imagesRecent.Add(info.hIcon);
        ::DestroyIcon(info.hIcon);
    }
    const int nItem = m_wndRecentList.InsertItem(m_wndRecentList.GetItemCount(), strFile, iImage);
    m_wndRecentList.SetItemText(nItem, 1, strFolder);
    m_wndRecentList.SetItemData(nItem, (DWORD_PTR)m_arrRecentPaths.Add(strPath));

    CClientDC dc(&m_wndRecentList);
    HGDIOBJ hOldFont = dc.SelectObject(m_wndRecentList.GetFont()->GetSafeHandle());
    const int cxFolder = dc.GetTextExtent(strFolder).cx + 20;
    dc.SelectObject(hOldFont);
    if (m_wndRecentList.GetColumnWidth(1) < cxFolder)
        m_wndRecentList.SetColumnWidth(1, cxFolder);
}

void CKTFileDialog::LayoutPages()
{
    if (!m_lstHiddenControls.IsEmpty())
        return;
    HWND hDlg = ::GetParent(m_hWnd);
    CRect rectShell(0, 0, 0, 0);
    HWND hShellView = nullptr;
    for (HWND hChild = ::GetWindow(hDlg, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        if (ClassOf(hChild) == L"SHELLDLL_DefView")
        {
            hShellView = hChild;
            rectShell = ChildRect(hChild, hDlg);
        }
    }
    if (hShellView == nullptr)
        return;

    // The page starts at the toolbar just above the file list.
    CRect rectPage(rectShell.left, rectShell.top, rectShell.right, rectShell.bottom - 10);
    int nToolbarTop = -1;
    for (HWND hChild = ::GetWindow(hDlg, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        const CString strClass = ClassOf(hChild);
        const int nID = ::GetDlgCtrlID(hChild);
        if (strClass == L"ToolbarWindow32")
        {
            const CRect rect = ChildRect(hChild, hDlg);
            if (rect.top < rectShell.top && rect.top > nToolbarTop)
                nToolbarTop = rect.top;
        }
        if (hChild == hShellView || hChild == m_hWnd || !::IsWindowVisible(hChild) ||
            (nID >= IDC_KT_FILEDLG_TABS && nID <= IDC_KT_FILEDLG_RECENT))
            continue;
        if (strClass.CompareNoCase(L"BUTTON") == 0 &&
            (nID == IDOK || nID == IDCANCEL || nID == IDHELP || nID == kExplorerHelpId))
            continue;
        m_lstHiddenControls.AddTail(hChild);
    }
    if (nToolbarTop >= 0)
        rectPage.top = nToolbarTop;

    m_wndNewList.MoveWindow(rectPage);
    m_wndRecentList.MoveWindow(rectPage);
    SwitchPage();
}

void CKTFileDialog::SwitchPage()
{
    m_nPage = m_wndTab.GetCurSel() + (m_bNewPage ? 0 : 1);
    const BOOL bExisting = m_nPage == PAGE_EXISTING;
    HWND hDlg = ::GetParent(m_hWnd);
    for (HWND hChild = ::GetWindow(hDlg, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        if (ClassOf(hChild) == L"SHELLDLL_DefView")
            ::ShowWindow(hChild, bExisting ? SW_SHOW : SW_HIDE);
    }
    for (POSITION pos = m_lstHiddenControls.GetHeadPosition(); pos != nullptr;)
        ::ShowWindow(m_lstHiddenControls.GetNext(pos), bExisting ? SW_SHOW : SW_HIDE);
    m_wndNewList.ShowWindow(m_nPage == PAGE_NEW ? SW_SHOW : SW_HIDE);
    m_wndRecentList.ShowWindow(m_nPage == PAGE_RECENT ? SW_SHOW : SW_HIDE);
}

void CKTFileDialog::OpenSelectedItem()
{
    CListCtrl& list = m_nPage == PAGE_RECENT ? m_wndRecentList : m_wndNewList;
    const int nItem = list.GetNextItem(-1, LVNI_SELECTED);
    if (nItem < 0)
        return;
    if (m_nPage == PAGE_RECENT)
    {
        // The entry as the list had it: one without a folder shows its whole text as the folder,
        // and joining the two columns would name a file inside a folder of its own name.
        const INT_PTR iPath = (INT_PTR)list.GetItemData(nItem);
        if (iPath < 0 || iPath >= m_arrRecentPaths.GetSize())
            return;
        m_strRecentFilePath = m_arrRecentPaths[iPath];
    }
    else
    {
        m_iNewItemIndex = nItem;
    }
    ::EndDialog(::GetParent(m_hWnd), IDOK);
}

LRESULT CALLBACK CKTFileDialog::ExplorerWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CKTFileDialog* pThis = s_pActiveDialog;
    WNDPROC pfnPrev = s_pfnPrevProc;
    if (pThis == nullptr || pfnPrev == nullptr)
        return ::DefWindowProc(hWnd, message, wParam, lParam);

    switch (message)
    {
    case WM_NOTIFY: {
        const NMHDR* pHdr = reinterpret_cast<const NMHDR*>(lParam);
        if (pHdr != nullptr && pHdr->idFrom == IDC_KT_FILEDLG_TABS && pHdr->code == TCN_SELCHANGE)
        {
            pThis->SwitchPage();
            return 0;
        }
        if (pHdr != nullptr && pHdr->code == NM_DBLCLK &&
            (pHdr->idFrom == IDC_KT_FILEDLG_NEW || pHdr->idFrom == IDC_KT_FILEDLG_RECENT))
        {
            pThis->OpenSelectedItem();
            return 0;
        }
        break;
    }
    case WM_SIZE: {
        const LRESULT lResult = ::CallWindowProc(pfnPrev, hWnd, message, wParam, lParam);
        if (pThis->m_wndTab.GetSafeHwnd() != nullptr)
            pThis->m_wndTab.MoveWindow(pThis->TabRect());
        pThis->m_lstHiddenControls.RemoveAll();
        pThis->LayoutPages();
        return lResult;
    }
    case WM_PAINT: {
        pThis->LayoutPages();
        const LRESULT lResult = ::CallWindowProc(pfnPrev, hWnd, message, wParam, lParam);
        if (pThis->m_pBmpLogo != nullptr && pThis->m_pBmpLogo->GetSafeHandle() != nullptr)
        {
            HDC hDC = ::GetDC(hWnd);
            const CRect& rect = pThis->m_rectLogo;
            ::DrawState(hDC, nullptr, nullptr, (LPARAM)pThis->m_pBmpLogo->GetSafeHandle(), 0, rect.left, rect.top,
                        rect.Width(), rect.Height(), DST_BITMAP);
            CRect rectFrame = rect;
            rectFrame.InflateRect(1, 1);
            CDC::FromHandle(hDC)->Draw3dRect(rectFrame, ktGlobals.m_colorShadow, ktGlobals.m_colorLight);
            ::ReleaseDC(hWnd, hDC);
        }
        return lResult;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK && pThis->m_nPage != PAGE_EXISTING)
        {
            pThis->OpenSelectedItem();
            return 0;
        }
        break;
    case WM_NCDESTROY:
        ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfnPrev));
        s_pfnPrevProc = nullptr;
        s_pActiveDialog = nullptr;
        return ::CallWindowProc(pfnPrev, hWnd, message, wParam, lParam);
    default:
        break;
    }
    return ::CallWindowProc(pfnPrev, hWnd, message, wParam, lParam);
}

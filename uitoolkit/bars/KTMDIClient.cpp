#include "uitoolkit/bars/KTMDIClient.h"

#include "framework/AfxMdi.h"
#include "framework/AfxMsgMap.h"
#include "uitoolkit/bars/KTMDIChildWnd.h"
#include "uitoolkit/bars/KTMDIFrameWnd.h"
#include "uitoolkit/bars/KTMenuBar.h"

#include <commctrl.h>

BEGIN_MESSAGE_MAP(CKTMDIClientArea, CWnd)
ON_MESSAGE(WM_MDISETMENU, &CKTMDIClientArea::OnSetMenu)
ON_MESSAGE(WM_MDIREFRESHMENU, &CKTMDIClientArea::OnRefreshMenu)
ON_MESSAGE(WM_MDIDESTROY, &CKTMDIClientArea::OnMDIDestroy)
ON_MESSAGE(CKTMDIClientArea::kUpdateTabsMessage, &CKTMDIClientArea::OnUpdateTabs)
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace
{

CKTMDIFrameWnd* ToolkitFrameOf(CWnd* pClient)
{
    CWnd* pParent = pClient->GetParent();
    return pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CKTMDIFrameWnd))
               ? static_cast<CKTMDIFrameWnd*>(pParent)
               : nullptr;
}

} // namespace

CKTMDIClientArea::CKTMDIClientArea()
{
    m_mapIcons.InitHashTable(17);
}

CKTMDIClientArea::~CKTMDIClientArea()
{
    m_mapIcons.RemoveAll();
    if (m_hImageList != nullptr)
        ImageList_Destroy(m_hImageList);
    m_wndTab.DestroyWindow();
}

void CKTMDIClientArea::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    const CKTTabWnd::Location location = m_bTabIsTop ? CKTTabWnd::LOCATION_TOP : CKTTabWnd::LOCATION_BOTTOM;
    if (!m_wndTab.Create(CKTTabWnd::STYLE_3D_SCROLLED, CRect(0, 0, 0, 0), GetParent(), (UINT)-1, location,
                         m_bTabCloseButton))
        return;
    m_wndTab.SetLocation(CKTTabWnd::LOCATION_TOP);
    m_wndTab.HideInactiveWindow(FALSE);
    m_wndTab.AutoSizeWindow(FALSE);
    // Frame lines along the windows, no erasing under them (the client area paints itself), an
    // inner frame, and the children's titles shown as they are (an "&" is no mnemonic).
    m_wndTab.m_bFlatFrame = TRUE;
    m_wndTab.m_bNoEraseBkgnd = TRUE;
    m_wndTab.m_bInnerFrame = TRUE;
    m_wndTab.SetDisplayFlag(TRUE, FALSE);
    if (!m_bTabIsEnabled)
        m_wndTab.ShowWindow(SW_HIDE);
    m_hImageList =
        ImageList_Create(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), ILC_MASK | ILC_COLOR8, 0, 1);
}

BOOL CKTMDIClientArea::IsStripHiddenByOptions() const
{
    const int nVisible = m_wndTab.GetVisibleTabsNum();
    return (m_wndTab.IsHideSingleTab() && nVisible < 2) || (m_wndTab.IsHideNoTabs() && nVisible == 0);
}

BOOL CKTMDIClientArea::IsTabStripVisible() const
{
    if (m_wndTab.GetSafeHwnd() == nullptr || !m_wndTab.IsWindowVisible())
        return FALSE;
    return !IsStripHiddenByOptions();
}

void CKTMDIClientArea::EnableMDITabs(BOOL bEnable)
{
    m_bTabIsEnabled = bEnable;
    if (m_wndTab.GetSafeHwnd() != nullptr)
        m_wndTab.ShowWindow(bEnable ? SW_SHOWNOACTIVATE : SW_HIDE);
    UpdateTabs();
    CWnd* pFrame = GetParent();
    if (pFrame != nullptr && pFrame->IsFrameWnd())
        static_cast<CFrameWnd*>(pFrame)->RecalcLayout();
}

void CKTMDIClientArea::OnSetPreviewMode(BOOL bPreview)
{
    if (!m_bTabIsEnabled || m_wndTab.GetSafeHwnd() == nullptr)
        return;
    m_wndTab.ShowWindow(bPreview ? SW_HIDE : SW_SHOWNOACTIVATE);
}

void CKTMDIClientArea::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    if (m_wndTab.GetSafeHwnd() != nullptr)
    {
        if (m_bTabIsEnabled && !IsStripHiddenByOptions())
        {
            CRect rectOld;
            m_wndTab.GetWindowRect(&rectOld);
            m_wndTab.SetWindowPos(nullptr, lpClientRect->left, lpClientRect->top,
                                  lpClientRect->right - lpClientRect->left, lpClientRect->bottom - lpClientRect->top,
                                  SWP_NOZORDER | SWP_NOACTIVATE);
            CRect rectTabClient;
            m_wndTab.GetClientRect(&rectTabClient);
            const CRect rectWndArea = m_wndTab.GetWndArea();
            lpClientRect->left += rectWndArea.left - rectTabClient.left;
            lpClientRect->top += rectWndArea.top - rectTabClient.top;
            lpClientRect->right -= rectTabClient.right - rectWndArea.right;
            lpClientRect->bottom -= rectTabClient.bottom - rectWndArea.bottom;
            m_wndTab.ShowWindow(SW_SHOWNOACTIVATE);
            CRect rectNew;
            m_wndTab.GetWindowRect(&rectNew);
            if (rectNew != rectOld)
                m_wndTab.RedrawWindow(nullptr, nullptr,
                                      RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW |
                                          RDW_FRAME);
        }
        else
        {
            m_wndTab.ShowWindow(SW_HIDE);
        }
    }
    SetWindowPos(nullptr, lpClientRect->left, lpClientRect->top, lpClientRect->right - lpClientRect->left,
                 lpClientRect->bottom - lpClientRect->top, SWP_NOZORDER | SWP_NOACTIVATE);
    CWnd::CalcWindowRect(lpClientRect, nAdjustType);
}

LRESULT CKTMDIClientArea::OnSetMenu(WPARAM wParam, LPARAM lParam)
{
    CKTMDIFrameWnd* pFrame = ToolkitFrameOf(this);
    if (pFrame != nullptr && pFrame->OnSetMenu(reinterpret_cast<HMENU>(wParam)))
        wParam = 0;
    return DefWindowProc(WM_MDISETMENU, wParam, lParam);
}

LRESULT CKTMDIClientArea::OnRefreshMenu(WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = DefWindowProc(WM_MDIREFRESHMENU, wParam, lParam);
    CKTMDIFrameWnd* pFrame = ToolkitFrameOf(this);
    if (pFrame != nullptr && pFrame->GetMenuBar() != nullptr)
        pFrame->GetWindowMenuPopup(pFrame->GetMenuBar()->GetMenu());
    return lResult;
}

BOOL CKTMDIClientArea::OnEraseBkgnd(CDC* pDC)
{
    CKTMDIFrameWnd* pFrame = ToolkitFrameOf(this);
    if (pFrame != nullptr && pFrame->OnEraseMDIClientBackground(pDC))
        return TRUE;
    return static_cast<BOOL>(Default());
}

LRESULT CKTMDIClientArea::OnMDIDestroy(WPARAM wParam, LPARAM lParam)
{
    const BOOL bVisibleBefore = IsTabStripVisible();
    HWND hChild = reinterpret_cast<HWND>(wParam);
    CWnd* pChild = CWnd::FromHandlePermanent(hChild);
    if (pChild != nullptr && pChild->IsKindOf(RUNTIME_CLASS(CKTMDIChildWnd)))
        static_cast<CKTMDIChildWnd*>(pChild)->m_bToBeDestroyed = TRUE;
    if (m_bTabIsEnabled && m_wndTab.GetSafeHwnd() != nullptr)
    {
        const int iTab = m_wndTab.GetTabFromHwnd(hChild);
        if (iTab >= 0)
            m_wndTab.RemoveTab(iTab);
    }
    const LRESULT lResult = DefWindowProc(WM_MDIDESTROY, wParam, lParam);
    if (IsTabStripVisible() != bVisibleBefore)
    {
        CWnd* pFrame = GetParent();
        if (pFrame != nullptr && pFrame->IsFrameWnd())
            static_cast<CFrameWnd*>(pFrame)->RecalcLayout();
    }
    return lResult;
}

LRESULT CKTMDIClientArea::OnUpdateTabs(WPARAM, LPARAM)
{
    UpdateTabs(FALSE);
    return 0;
}

void CKTMDIClientArea::ActivateTab(HWND hwnd)
{
    if (!m_bTabIsEnabled || m_wndTab.GetSafeHwnd() == nullptr)
        return;
    const int iTab = m_wndTab.GetTabFromHwnd(hwnd);
    if (iTab >= 0)
        m_wndTab.SetActiveTab(iTab);
}

void CKTMDIClientArea::UpdateTabs(BOOL bScroll)
{
    if (!m_bTabIsEnabled || m_wndTab.GetSafeHwnd() == nullptr || GetSafeHwnd() == nullptr)
        return;
    BOOL bChanged = FALSE;
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        CWnd* pChild = CWnd::FromHandlePermanent(hChild);
        CKTMDIChildWnd* pToolkitChild = pChild != nullptr && pChild->IsKindOf(RUNTIME_CLASS(CKTMDIChildWnd))
                                            ? static_cast<CKTMDIChildWnd*>(pChild)
                                            : nullptr;
        int iImage = -1;
        if (m_bTabIcons && m_hImageList != nullptr)
        {
            HICON hIcon = nullptr;
            if (pToolkitChild != nullptr)
                hIcon = pToolkitChild->GetFrameIcon();
            else
            {
                hIcon = reinterpret_cast<HICON>(::SendMessageW(hChild, WM_GETICON, ICON_SMALL, 0));
                if (hIcon == nullptr)
                    hIcon = reinterpret_cast<HICON>(::GetClassLongPtrW(hChild, GCLP_HICONSM));
            }
            if (hIcon != nullptr && !m_mapIcons.Lookup(hIcon, iImage))
            {
                iImage = ImageList_AddIcon(m_hImageList, hIcon);
                m_mapIcons.SetAt(hIcon, iImage);
                if (ImageList_GetImageCount(m_hImageList) == 1)
                    m_wndTab.SetImageList(m_hImageList);
            }
        }
        CString strLabel;
        if (pToolkitChild != nullptr)
            strLabel = pToolkitChild->GetFrameText();
        else
        {
            wchar_t szText[256] = {};
            ::GetWindowTextW(hChild, szText, 255);
            strLabel = szText;
        }
        const int iTab = m_wndTab.GetTabFromHwnd(hChild);
        if (iTab < 0)
        {
            if (pToolkitChild != nullptr && pToolkitChild->m_bToBeDestroyed)
                continue;
            if (pChild == nullptr)
                continue;
            m_wndTab.AddTab(pChild, strLabel, static_cast<UINT>(iImage));
            m_wndTab.SetActiveTab(m_wndTab.GetTabsNum() - 1);
            bChanged = TRUE;
        }
        else if ((::GetWindowLongW(hChild, GWL_STYLE) & WS_VISIBLE) == 0)
        {
            m_wndTab.RemoveTab(iTab);
            bChanged = TRUE;
        }
        else
        {
            CString strOld;
            m_wndTab.GetTabLabel(iTab, strOld);
            if (strOld != strLabel)
            {
                m_wndTab.SetTabLabel(iTab, strLabel);
                bChanged = TRUE;
            }
            if (m_wndTab.GetTabIcon(iTab) != static_cast<UINT>(iImage))
            {
                m_wndTab.SetTabIcon(iTab, static_cast<UINT>(iImage));
                bChanged = TRUE;
            }
        }
    }
    if (bChanged)
    {
        CWnd* pFrame = GetParent();
        if (pFrame != nullptr && pFrame->IsFrameWnd())
            static_cast<CFrameWnd*>(pFrame)->RecalcLayout();
    }
    if (bScroll && m_wndTab.GetActiveTab() >= 0)
        m_wndTab.EnsureVisible(m_wndTab.GetActiveTab());
}

// The customize sheet's window: creation with customize mode, the "Close" button layout, help,
// and the end that leaves customize mode.
#include "uitoolkit/customize/KTToolbarCustomize.h"

#include "uitoolkit/bars/KTSizingControlBar.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/bars/KTWorkspace.h"
#include "uitoolkit/customize/KTDialogMenuHelper.h"
#include "uitoolkit/customize/KTToolbarsPage.h"

#include <initializer_list>
#include <iterator>

IMPLEMENT_DYNAMIC(CKTToolbarCustomize, CPropertySheet)

BEGIN_MESSAGE_MAP(CKTToolbarCustomize, CPropertySheet)
ON_WM_CREATE()
ON_MESSAGE(WM_HELP, &CKTToolbarCustomize::OnHelp)
ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

namespace
{
const UINT IDS_KT_CLOSE = 16105;
const UINT IDB_KT_CUSTOMIZE_HELP = 16131;
const DWORD kHelpIdOffset = 0x41000;

// The controls of the pages that have context help, in the order of their table.
const UINT kHelpControls[] = {16601, 16602, 16603, 16611, 16612, 16613, 16614, 16615, 16616, 16617, 16621, 16622,
                              16623, 16624, 16625, 16626, 16631, 16632, 16633, 16634, 16601, 16641, 16642, 16643,
                              16644, 16645, 16646, 16647, 16651, 16652, 16653, 16654, 16655, 16656, 16657};

static_assert(std::size(kHelpControls) == 35, "one help pair per control");

BOOL IsKindOfAny(CWnd* pWnd, std::initializer_list<CRuntimeClass*> classes)
{
    for (CRuntimeClass* pClass : classes)
    {
        if (pWnd->IsKindOf(pClass))
            return TRUE;
    }
    return FALSE;
}
} // namespace

BOOL CKTToolbarCustomize::Create()
{
    DWORD dwExStyle = 0;
    if (m_pParentFrame != nullptr && m_pParentFrame->GetSafeHwnd() != nullptr)
        dwExStyle |= m_pParentFrame->GetExStyle() & WS_EX_LAYOUTRTL;
    if ((m_uiFlags & KT_CUSTOMIZE_NOHELP) == 0)
    {
        // The system enables the Help button page by page.
        m_psh.dwFlags |= PSH_HASHELP;
        for (int i = 0; i < GetPageCount(); ++i)
            GetPage(i)->m_psp.dwFlags |= PSP_HASHELP;
    }
    if (!CPropertySheet::Create(m_pParentFrame, (DWORD)-1, dwExStyle))
        return FALSE;
    m_bAutoDelete = TRUE;
    s_pOpenSheet = this;
    SetFrameCustMode(TRUE);
    return TRUE;
}

int CKTToolbarCustomize::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CPropertySheet::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (m_uiFlags & KT_CUSTOMIZE_CONTEXT_HELP)
        ModifyStyleEx(0, WS_EX_CONTEXTHELP);
    s_pOpenSheet = this;
    return 0;
}

void CKTToolbarCustomize::PostNcDestroy()
{
    if (s_pOpenSheet == this)
        s_pOpenSheet = nullptr;
    const BOOL bAutoDelete = m_bAutoDelete;
    if (bAutoDelete)
        SetFrameCustMode(FALSE);
    CPropertySheet::PostNcDestroy();
    if (bAutoDelete)
        delete this;
}

void CKTToolbarCustomize::SetFrameCustMode(BOOL bCustMode)
{
    if (m_pParentFrame == nullptr || m_pParentFrame->GetSafeHwnd() == nullptr)
    {
        CKTToolBar::SetCustomizeMode(bCustMode);
        return;
    }
    for (CWnd* pChild = m_pParentFrame->GetWindow(GW_CHILD); pChild != nullptr; pChild = pChild->GetNextWindow())
    {
        CWnd* pPermanent = CWnd::FromHandlePermanent(pChild->GetSafeHwnd());
        if (pPermanent == nullptr ||
            !IsKindOfAny(pPermanent, {RUNTIME_CLASS(CDockBar), RUNTIME_CLASS(CReBar), RUNTIME_CLASS(CKTToolBar)}))
        {
            pChild->EnableWindow(!bCustMode);
            continue;
        }
        if (!pPermanent->IsKindOf(RUNTIME_CLASS(CDockBar)))
            continue;
        // A sizing bar keeps its frame (it can still be moved); the bar itself decides what of its
        // contents customize mode disables.
        for (CWnd* pBar = pPermanent->GetWindow(GW_CHILD); pBar != nullptr; pBar = pBar->GetNextWindow())
        {
            CWnd* pPermanentBar = CWnd::FromHandlePermanent(pBar->GetSafeHwnd());
            if (CKTSizingControlBar* pSizingBar = KT_KIND_OF(CKTSizingControlBar, pPermanentBar))
                pSizingBar->DisableChildWindows(bCustMode);
        }
    }

    CKTToolBar::SetCustomizeMode(bCustMode);
    m_pParentFrame->SendMessage(KT_WM_CUSTOMIZETOOLBAR, (WPARAM)bCustMode, 0);

    if (!bCustMode)
    {
        CFrameWnd* pActive = m_pParentFrame->GetActiveFrame();
        if (pActive == nullptr)
            pActive = m_pParentFrame;
        pActive->PostMessage(WM_SETFOCUS);
    }
}

void CKTToolbarCustomize::EnableUserDefinedToolbars(BOOL bEnable)
{
    if (m_pToolbarsPage != nullptr)
        m_pToolbarsPage->EnableUserDefinedToolbars(bEnable);
}

void CKTToolbarCustomize::ShowToolBar(CKTToolBar* pBar, BOOL bShow)
{
    if (m_pToolbarsPage != nullptr)
        m_pToolbarsPage->ShowToolBar(pBar, bShow);
}

BOOL CKTToolbarCustomize::OnInitDialog()
{
    const BOOL bResult = CPropertySheet::OnInitDialog();
    LayOutButtons();
    return bResult;
}

void CKTToolbarCustomize::LayOutButtons()
{
    CWnd* pClose = GetDlgItem(IDCANCEL);
    if (pClose == nullptr)
        return;
    pClose->ShowWindow(SW_SHOW);
    pClose->EnableWindow();
    pClose->ModifyStyle(0, BS_DEFPUSHBUTTON);
    if (CWnd* pOK = GetDlgItem(IDOK))
        pOK->ModifyStyle(BS_DEFPUSHBUTTON, 0);
    SendMessage(DM_SETDEFID, IDCANCEL);
    CString strClose;
    strClose.LoadString(IDS_KT_CLOSE);
    pClose->SetWindowText(strClose);

    CRect rectClose;
    pClose->GetWindowRect(&rectClose);
    ScreenToClient(&rectClose);
    CRect rectClient;
    GetClientRect(&rectClient);
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    SetWindowPos(nullptr, 0, 0, rectWindow.Width(), rectWindow.Height() + rectClose.Height() + 16,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const int yFormerTop = rectClose.top;
    pClose->SetWindowPos(nullptr, rectClient.right - 8 - rectClose.Width(), yFormerTop + 4, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    CWnd* pHelp = GetDlgItem(IDHELP);
    if (pHelp == nullptr)
        return;
    if (m_uiFlags & KT_CUSTOMIZE_NOHELP)
    {
        pHelp->ShowWindow(SW_HIDE);
        pHelp->EnableWindow(FALSE);
        return;
    }
    m_bmpHelp.DeleteObject();
    HBITMAP hBitmap = static_cast<HBITMAP>(::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDB_KT_CUSTOMIZE_HELP),
                                                        IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS | LR_LOADTRANSPARENT));
    CSize sizeBitmap(16, 16);
    if (hBitmap != nullptr)
    {
        m_bmpHelp.Attach(hBitmap);
        BITMAP bm = {};
        m_bmpHelp.GetBitmap(&bm);
        sizeBitmap = CSize(bm.bmWidth, bm.bmHeight);
        pHelp->ModifyStyle(0, BS_BITMAP);
        pHelp->SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap));
    }
    pHelp->SetWindowPos(nullptr, 8, yFormerTop, sizeBitmap.cx + 8, sizeBitmap.cy + 8, SWP_NOZORDER | SWP_NOACTIVATE);
    pHelp->ShowWindow(SW_SHOW);
    pHelp->EnableWindow();
}

BOOL CKTToolbarCustomize::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam))
    {
    case IDCANCEL: {
        const CObList* pTools = s_pfnGetTools != nullptr && s_ToolsPage.IsActive() ? s_pfnGetTools() : nullptr;
        if (pTools != nullptr && !ValidateTools(*pTools))
        {
            if (m_pToolsPage != nullptr && GetActivePage() != m_pToolsPage)
                SetActivePage(m_pToolsPage);
            return TRUE;
        }
        DestroyWindow();
        return TRUE;
    }
    case IDHELP:
        SendHelpToFrame();
        return TRUE;
    default:
        return CPropertySheet::OnCommand(wParam, lParam);
    }
}

void CKTToolbarCustomize::SendHelpToFrame()
{
    if (m_pParentFrame != nullptr && m_pParentFrame->GetSafeHwnd() != nullptr)
        m_pParentFrame->SendMessage(KT_WM_CUSTOMIZEHELP, (WPARAM)GetActiveIndex(), reinterpret_cast<LPARAM>(this));
}

LRESULT CKTToolbarCustomize::OnHelp(WPARAM, LPARAM lParam)
{
    const HELPINFO* pHelpInfo = reinterpret_cast<const HELPINFO*>(lParam);
    if ((m_uiFlags & KT_CUSTOMIZE_CONTEXT_HELP) && pHelpInfo != nullptr && pHelpInfo->iContextType == HELPINFO_WINDOW)
    {
        // The frame knows the program's help (its own viewer and file); the sheet only names the
        // control's topic.
        if (m_pParentFrame != nullptr && m_pParentFrame->GetSafeHwnd() != nullptr)
            m_pParentFrame->WinHelp((DWORD_PTR)pHelpInfo->iCtrlId + kHelpIdOffset, HELP_CONTEXTPOPUP);
        return TRUE;
    }
    SendHelpToFrame();
    return TRUE;
}

void CKTToolbarCustomize::OnContextMenu(CWnd* pWnd, CPoint)
{
    CKTWorkspace* pWorkspace = GetWorkspace();
    if ((m_uiFlags & KT_CUSTOMIZE_CONTEXT_HELP) == 0 || pWorkspace == nullptr)
        return;
    DWORD helpIds[2 * std::size(kHelpControls) + 2] = {};
    for (size_t i = 0; i < std::size(kHelpControls); ++i)
    {
        helpIds[2 * i] = kHelpControls[i];
        helpIds[2 * i + 1] = kHelpControls[i] + kHelpIdOffset;
    }
    pWorkspace->OnContextHelp(pWnd, helpIds);
}

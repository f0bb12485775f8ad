#include "framework/AfxMiniDockFrameWnd.h"

#include "framework/AfxDockContext.h"
#include "framework/AfxMenu.h"
#include "framework/AfxMsgMap.h"

IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
ON_WM_CLOSE()
ON_WM_DESTROY()
ON_WM_NCLBUTTONDOWN()
ON_WM_NCLBUTTONDBLCLK()
ON_WM_NCHITTEST()
END_MESSAGE_MAP()

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_wndDockBar(TRUE) {}

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
    DWORD dwStyle =
        WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_MOVEFRAME | MFS_4THICKFRAME | MFS_SYNCACTIVE | MFS_BLOCKSYSMENU;
    // Only bars that size themselves get sizing borders.
    if ((dwBarStyle & CBRS_SIZE_DYNAMIC) != 0)
        dwStyle = (dwStyle & ~MFS_MOVEFRAME) | MFS_THICKFRAME;
    if (!CMiniFrameWnd::CreateEx(0, nullptr, L"", dwStyle, rectDefault, pParent))
        return FALSE;
    m_hWndOwner = pParent->GetSafeHwnd();

    // What a floating bar cannot do; the rest (move, size, close) stays for the program to edit.
    CMenu* pSysMenu = GetSystemMenu(FALSE);
    if (pSysMenu != nullptr)
    {
        ::DeleteMenu(pSysMenu->m_hMenu, SC_MINIMIZE, MF_BYCOMMAND);
        ::DeleteMenu(pSysMenu->m_hMenu, SC_MAXIMIZE, MF_BYCOMMAND);
        ::DeleteMenu(pSysMenu->m_hMenu, SC_RESTORE, MF_BYCOMMAND);
    }

    // Created in the docking frame (its bar list holds floating dock bars too), then moved here.
    if (!m_wndDockBar.Create(pParent, WS_CHILD | WS_VISIBLE | (dwBarStyle & CBRS_ALL), AFX_IDW_DOCKBAR_FLOAT))
    {
        DestroyWindow();
        return FALSE;
    }
    m_wndDockBar.SetParent(this);
    return TRUE;
}

CControlBar* CMiniDockFrameWnd::FirstBar() const
{
    for (int i = 0; i < m_wndDockBar.m_arrBars.GetSize(); ++i)
    {
        CControlBar* pBar = m_wndDockBar.GetDockedControlBar(i);
        if (pBar != nullptr)
            return pBar;
    }
    return nullptr;
}

void CMiniDockFrameWnd::RecalcLayout(BOOL)
{
    if (m_bInRecalcLayout || m_wndDockBar.m_hWnd == nullptr)
        return;
    m_bInRecalcLayout = TRUE;
    // The frame takes the size the dock bar asks for, then lays it out.
    CRect rectQuery(0, 0, 32767, 32767);
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rectQuery, &rectQuery, FALSE);
    CRect rectWindow(0, 0, rectQuery.Width(), rectQuery.Height());
    CalcBorders(&rectWindow, GetStyle(), GetExStyle());
    SetWindowPos(nullptr, 0, 0, rectWindow.Width(), rectWindow.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
    m_bInRecalcLayout = FALSE;

    CControlBar* pBar = FirstBar();
    if (pBar != nullptr)
    {
        CString strTitle;
        pBar->GetWindowText(strTitle);
        CString strOld;
        GetWindowText(strOld);
        if (strOld != strTitle)
            SetWindowText(strTitle);
    }
}

void CMiniDockFrameWnd::OnClose()
{
    // Closing a floating bar hides it: it stays, ready to be shown again.
    m_wndDockBar.ShowAll(FALSE);
}

void CMiniDockFrameWnd::OnDestroy()
{
    m_bDying = TRUE;
    CMiniFrameWnd::OnDestroy();
}

void CMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    CControlBar* pBar = FirstBar();
    if (pBar != nullptr && pBar->m_pDockContext != nullptr)
    {
        if (nHitTest == HTCAPTION && (m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI) == 0)
        {
            CFrameWnd* pSite = pBar->m_pDockSite;
            if (pSite != nullptr)
                pSite->ActivateFrame();
            BringWindowToTop();
            pBar->m_pDockContext->StartDrag(point);
            return;
        }
        if (nHitTest >= HTSIZEFIRST && nHitTest <= HTSIZELAST && (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) != 0)
        {
            pBar->m_pDockContext->StartResize(static_cast<int>(nHitTest), point);
            return;
        }
    }
    CMiniFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    CControlBar* pBar = FirstBar();
    if (nHitTest == HTCAPTION && pBar != nullptr && pBar->m_pDockContext != nullptr)
    {
        pBar->m_pDockContext->ToggleDocking();
        return;
    }
    CMiniFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}

LRESULT CMiniDockFrameWnd::OnNcHitTest(CPoint point)
{
    LRESULT nHit = CMiniFrameWnd::OnNcHitTest(point);
    // A bar of fixed size has borders that only move the frame.
    CControlBar* pBar = FirstBar();
    if (nHit >= HTSIZEFIRST && nHit <= HTSIZELAST && (pBar == nullptr || (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) == 0))
        return HTCAPTION;
    return nHit;
}

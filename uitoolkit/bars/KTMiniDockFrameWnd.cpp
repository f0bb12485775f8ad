#include "uitoolkit/bars/KTMiniDockFrameWnd.h"

#include "framework/AfxDockContext.h"
#include "framework/AfxMsgMap.h"
#include "uitoolkit/bars/KTBarPopupMessage.h"
#include "uitoolkit/bars/KTSizingControlBar.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/looks/KTMenuGlyphs.h"

IMPLEMENT_DYNCREATE(CKTMiniDockFrameWnd, CMiniDockFrameWnd)

BEGIN_MESSAGE_MAP(CKTMiniDockFrameWnd, CMiniDockFrameWnd)
ON_WM_NCLBUTTONDOWN()
ON_WM_NCRBUTTONDOWN()
ON_WM_NCMOUSEMOVE()
ON_WM_NCPAINT()
ON_WM_NCACTIVATE()
ON_WM_SIZE()
ON_WM_WINDOWPOSCHANGING()
ON_WM_WINDOWPOSCHANGED()
ON_WM_TIMER()
ON_WM_CLOSE()
ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

namespace
{

BOOL NoPopupMenuOpen()
{
    return FALSE;
}

void NoTearOffBars(CFrameWnd*, CControlBar*) {}

// Whether the bar lets the user close it (hide it) from its floating frame.
BOOL CanBarBeClosed(CControlBar* pBar)
{
    if (pBar == nullptr)
        return TRUE;
    if (pBar->IsKindOf(RUNTIME_CLASS(CKTToolBar)))
        return static_cast<CKTToolBar*>(pBar)->CanBeClosed();
    if (pBar->IsKindOf(RUNTIME_CLASS(CKTSizingControlBar)))
        return static_cast<CKTSizingControlBar*>(pBar)->CanBeClosed();
    return TRUE;
}

} // namespace

BOOL (*CKTMiniDockFrameWnd::m_pfnIsPopupMenuOpen)() = &NoPopupMenuOpen;
void (*CKTMiniDockFrameWnd::m_pfnRemoveTearOffBar)(CFrameWnd*, CControlBar*) = &NoTearOffBars;

CKTMiniDockFrameWnd::CKTMiniDockFrameWnd()
{
    m_rectRollButton.SetRectEmpty();
}

BOOL CKTMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
    if (!CMiniDockFrameWnd::Create(pParent, dwBarStyle))
        return FALSE;
    ModifyStyle(MFS_4THICKFRAME, 0);
    ModifyStyleEx(0, WS_EX_TOOLWINDOW);
    return TRUE;
}

CKTSizingControlBar* CKTMiniDockFrameWnd::GetSizingBar() const
{
    CControlBar* pBar = FirstBar();
    return CKTSizingControlBar::FindBar(pBar) >= 0 ? static_cast<CKTSizingControlBar*>(pBar) : nullptr;
}

void CKTMiniDockFrameWnd::SetRollState(int nRollingType, BOOL bRolled)
{
    CKTSizingControlBar* pBar = GetSizingBar();
    if (pBar != nullptr)
    {
        pBar->m_nRollingType = nRollingType;
        pBar->m_bRolled = bRolled;
    }
    m_nRollingType = nRollingType;
    m_bRolled = bRolled;
    RecalcLayout();
    SendMessage(WM_SIZE, SIZE_RESTORED, 0);
    RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void CKTMiniDockFrameWnd::RollUp(BOOL bRolled)
{
    CKTSizingControlBar* pBar = GetSizingBar();
    if (pBar == nullptr)
        return;
    pBar->m_bRolled = bRolled;
    m_bRolled = bRolled;
    RecalcLayout();
    RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

int CKTMiniDockFrameWnd::GetRolledWidth()
{
    if (m_nRolledRight < 0)
    {
        CRect rect;
        GetWindowRect(&rect);
        CString strTitle;
        GetWindowText(strTitle);
        NONCLIENTMETRICSW ncm{};
        ncm.cbSize = sizeof(ncm);
        ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
        HFONT hFont = ::CreateFontIndirectW(&ncm.lfSmCaptionFont);
        HDC hDC = ::GetDC(m_hWnd);
        HGDIOBJ hOld =
            ::SelectObject(hDC, hFont != nullptr ? static_cast<HGDIOBJ>(hFont) : ::GetStockObject(DEFAULT_GUI_FONT));
        SIZE sizeText{0, 0};
        ::GetTextExtentPoint32W(hDC, strTitle, strTitle.GetLength(), &sizeText);
        ::SelectObject(hDC, hOld);
        ::ReleaseDC(m_hWnd, hDC);
        if (hFont != nullptr)
            ::DeleteObject(hFont);
        m_nRolledLeft = rect.left;
        m_nRolledRight =
            rect.left + sizeText.cx + 3 * ::GetSystemMetrics(SM_CXSMSIZE) + 4 + 2 * ::GetSystemMetrics(SM_CXFRAME);
    }
    return m_nRolledRight - m_nRolledLeft;
}

void CKTMiniDockFrameWnd::OnRollButton()
{
    CKTSizingControlBar* pBar = GetSizingBar();
    if (pBar == nullptr)
        return;
    int nMode = pBar->m_nRollingType;
    BOOL bRolled = pBar->m_bRolled;
    switch (nMode)
    {
    case kRollAuto:
        nMode = kRollAutoOff;
        bRolled = FALSE;
        break;
    case kRollAutoOff:
        nMode = kRollAuto;
        break;
    case kRollAutoNarrow:
        nMode = kRollAutoNarrowOff;
        bRolled = FALSE;
        break;
    case kRollAutoNarrowOff:
        nMode = kRollAutoNarrow;
        break;
    default:
        bRolled = !bRolled;
        break;
    }
    pBar->m_nRollingType = nMode;
    m_nRollingType = nMode;
    if (nMode == kRollAuto || nMode == kRollAutoNarrow)
    {
        // Automatic again: it rolls up once the cursor has left.
        m_nRollCountdown = kRollCountdown;
        m_nRollTimer = SetTimer(pBar->GetDlgCtrlID(), 250, nullptr);
    }
    RollUp(bRolled);
}

void CKTMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    if (!m_rectRollButton.IsRectEmpty() &&
        m_rectRollButton.PtInRect(CPoint(point.x - rectWindow.left, point.y - rectWindow.top)))
    {
        OnRollButton();
        return;
    }
    CControlBar* pBar = FirstBar();
    if (pBar != nullptr && pBar->m_pDockContext != nullptr)
    {
        CFrameWnd* pSite = pBar->m_pDockSite;
        if (nHitTest == HTCAPTION)
        {
            if (pSite != nullptr)
                pSite->ActivateFrame();
            BringWindowToTop();
            if ((m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI) == 0)
            {
                pBar->m_pDockContext->StartDrag(point);
                return;
            }
        }
        else if (nHitTest >= HTSIZEFIRST && nHitTest <= HTSIZELAST)
        {
            if (pSite != nullptr)
                pSite->ActivateFrame();
            if (GetSizingBar() != nullptr)
            {
                pBar->m_pDockContext->StartResize(static_cast<int>(nHitTest), point);
                return;
            }
        }
    }
    CMiniDockFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CKTMiniDockFrameWnd::OnNcRButtonDown(UINT nHitTest, CPoint point)
{
    if (!CKTToolBar::IsCustomizeMode())
    {
        CWnd* pParent = CWnd::FromHandle(m_hWndOwner != nullptr ? m_hWndOwner : ::GetParent(m_hWnd));
        if (pParent != nullptr && pParent->IsFrameWnd())
        {
            pParent->SendMessage(KTGetToolbarPopupMenuMessage(), reinterpret_cast<WPARAM>(m_hWnd),
                                 KTPackScreenPoint(point));
            return;
        }
    }
    CMiniDockFrameWnd::OnNcRButtonDown(nHitTest, point);
}

void CKTMiniDockFrameWnd::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    CKTSizingControlBar* pBar = GetSizingBar();
    if (pBar != nullptr && pBar->m_bRolled &&
        (pBar->m_nRollingType == kRollAuto || pBar->m_nRollingType == kRollAutoNarrow) && !m_pfnIsPopupMenuOpen() &&
        ::GetFocus() != nullptr)
    {
        RollUp(FALSE);
        // In front, but the focus stays where it is: the roll-up waits for it to leave.
        SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        m_nRollCountdown = kRollCountdown;
        m_nRollTimer = SetTimer(pBar->GetDlgCtrlID(), 250, nullptr);
    }
    CMiniDockFrameWnd::OnNcMouseMove(nHitTest, point);
}

void CKTMiniDockFrameWnd::OnTimer(UINT_PTR nIDEvent)
{
    CKTSizingControlBar* pBar = GetSizingBar();
    if (m_nRollTimer == 0 || nIDEvent != m_nRollTimer)
    {
        CMiniDockFrameWnd::OnTimer(nIDEvent);
        return;
    }
    if (pBar == nullptr || (pBar->m_nRollingType != kRollAuto && pBar->m_nRollingType != kRollAutoNarrow))
    {
        KillTimer(nIDEvent);
        m_nRollTimer = 0;
        return;
    }
    POINT pt;
    ::GetCursorPos(&pt);
    HWND hUnder = ::WindowFromPoint(pt);
    HWND hFocus = ::GetFocus();
    const BOOL bOver = hUnder != nullptr && (hUnder == m_hWnd || ::IsChild(m_hWnd, hUnder));
    const BOOL bFocusInside = hFocus != nullptr && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus));
    if (bOver || bFocusInside || pBar->m_bKeepUnrolled)
    {
        m_nRollCountdown = kRollCountdown;
        return;
    }
    if (m_pfnIsPopupMenuOpen())
        return;
    if (--m_nRollCountdown > 0)
        return;
    KillTimer(nIDEvent);
    m_nRollTimer = 0;
    if (!pBar->m_bRolled)
        RollUp(TRUE);
}

void CKTMiniDockFrameWnd::TrimSystemMenu()
{
    CMenu* pSysMenu = GetSystemMenu(FALSE);
    if (pSysMenu == nullptr)
        return;
    ::DeleteMenu(pSysMenu->m_hMenu, SC_RESTORE, MF_BYCOMMAND);
    ::DeleteMenu(pSysMenu->m_hMenu, SC_MINIMIZE, MF_BYCOMMAND);
    ::DeleteMenu(pSysMenu->m_hMenu, SC_MAXIMIZE, MF_BYCOMMAND);
    // A greyed Close also greys the caption's close button.
    const UINT uiClose = CanBarBeClosed(FirstBar()) ? MF_ENABLED : (MF_GRAYED | MF_DISABLED);
    if ((::GetMenuState(pSysMenu->m_hMenu, SC_CLOSE, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) !=
        (uiClose & (MF_GRAYED | MF_DISABLED)))
    {
        ::EnableMenuItem(pSysMenu->m_hMenu, SC_CLOSE, MF_BYCOMMAND | uiClose);
        RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    }
}

void CKTMiniDockFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CMiniDockFrameWnd::OnSize(nType, cx, cy);
    TrimSystemMenu();
    CKTSizingControlBar* pBar = GetSizingBar();
    if (pBar != nullptr)
    {
        m_nRollingType = pBar->m_nRollingType;
        m_bRolled = pBar->m_bRolled;
    }
    if (m_nRollingType == kRollNone)
    {
        m_rectRollButton.SetRectEmpty();
        return;
    }
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    const int cxButton = ::GetSystemMetrics(SM_CXSMSIZE);
    const int cyButton = ::GetSystemMetrics(SM_CYSMSIZE);
    const int cyCaption = ::GetSystemMetrics(SM_CYSMCAPTION);
    const int cyFrame = ::GetSystemMetrics((GetStyle() & WS_THICKFRAME) != 0 ? SM_CYFRAME : SM_CYDLGFRAME);
    const int cxFrame = ::GetSystemMetrics((GetStyle() & WS_THICKFRAME) != 0 ? SM_CXFRAME : SM_CXDLGFRAME);
    // Left of the caption's close button, the same size as it.
    const int nRight = rectWindow.Width() - cxFrame - cxButton - 2;
    const int nTop = cyFrame + (cyCaption - (cyButton - 4)) / 2;
    m_rectRollButton = CRect(nRight - (cxButton - 2), nTop, nRight, nTop + cyButton - 4);
    RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void CKTMiniDockFrameWnd::OnNcPaint()
{
    CMiniDockFrameWnd::OnNcPaint();
    if (m_nRollingType == kRollNone || m_rectRollButton.IsRectEmpty())
        return;
    CWindowDC dc(this);
    CRect rect = m_rectRollButton;
    ::DrawFrameControl(dc.m_hDC, &rect, DFC_BUTTON, DFCS_BUTTONPUSH);
    int nGlyph = CKTMenuGlyphs::IdArrowUp;
    if (m_nRollingType == kRollAuto || m_nRollingType == kRollAutoNarrow)
        nGlyph = CKTMenuGlyphs::IdArrowLeft;
    else if (m_bRolled)
        nGlyph = CKTMenuGlyphs::IdArrowDown;
    const CSize sizeGlyph = CKTMenuGlyphs::GetImageSize();
    CKTMenuGlyphs::Draw(
        &dc, nGlyph,
        CPoint(rect.left + (rect.Width() - sizeGlyph.cx) / 2, rect.top + (rect.Height() - sizeGlyph.cy) / 2));
}

BOOL CKTMiniDockFrameWnd::OnNcActivate(BOOL bActive)
{
    const BOOL bResult = CMiniDockFrameWnd::OnNcActivate(bActive);
    RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    CControlBar* pBar = FirstBar();
    if (bActive && pBar != nullptr)
        pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return bResult;
}

void CKTMiniDockFrameWnd::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    CMiniDockFrameWnd::OnWindowPosChanging(lpwndpos);
    CKTSizingControlBar* pBar = GetSizingBar();
    if (pBar == nullptr || !pBar->m_bRolled || (lpwndpos->flags & SWP_NOSIZE) != 0)
        return;
    lpwndpos->cy = 2 * ::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYSMCAPTION) - 1;
    if (pBar->m_nRollingType == kRollAutoNarrow)
        lpwndpos->cx = GetRolledWidth();
}

void CKTMiniDockFrameWnd::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CMiniDockFrameWnd::OnWindowPosChanged(lpwndpos);
    if ((lpwndpos->flags & SWP_NOMOVE) == 0)
        KeepReachable();
}

void CKTMiniDockFrameWnd::KeepReachable()
{
    CKTSizingControlBar* pBar = GetSizingBar();
    if (pBar == nullptr || m_bKeepingReachable || (GetStyle() & WS_VISIBLE) == 0)
        return;
    CRect rect;
    GetWindowRect(&rect);
    CRect rectWork;
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    HMONITOR hMonitor = ::MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST);
    if (hMonitor != nullptr && ::GetMonitorInfoW(hMonitor, &mi))
        rectWork = mi.rcWork;
    else
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rectWork, 0);
    // The caption stays where the mouse can take it: its top inside the work area, at least a
    // caption's height of it above the bottom, and a caption's width of it left and right.
    const int nBand = ::GetSystemMetrics(SM_CYSMCAPTION);
    CPoint ptNew = rect.TopLeft();
    if (ptNew.y < rectWork.top)
        ptNew.y = rectWork.top;
    else if (ptNew.y > rectWork.bottom - nBand)
        ptNew.y = rectWork.bottom - nBand;
    if (rect.right < rectWork.left + nBand)
        ptNew.x = rectWork.left + nBand - rect.Width();
    else if (ptNew.x > rectWork.right - nBand)
        ptNew.x = rectWork.right - nBand;
    if (ptNew == rect.TopLeft())
        return;
    m_bKeepingReachable = TRUE;
    SetWindowPos(nullptr, ptNew.x, ptNew.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_bKeepingReachable = FALSE;
}

void CKTMiniDockFrameWnd::OnClose()
{
    // A bar that cannot be closed (the menu bar) would be gone for good.
    if (!CanBarBeClosed(FirstBar()))
        return;
    CMiniDockFrameWnd::OnClose();
}

void CKTMiniDockFrameWnd::OnSysCommand(UINT nID, LPARAM lParam)
{
    if ((nID & 0xFFF0) == SC_CLOSE && !CanBarBeClosed(FirstBar()))
        return;
    CMiniDockFrameWnd::OnSysCommand(nID, lParam);
}

BOOL CKTMiniDockFrameWnd::StartTearOff(CControlBar* pBar)
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
        ::DispatchMessageW(&msg);
    const HWND hWnd = m_hWnd;
    SetCapture();
    CRect rect;
    GetWindowRect(&rect);
    const CPoint ptGrip(rect.CenterPoint().x, rect.top + 5);
    ::SetCursorPos(ptGrip.x, ptGrip.y);
    const CSize offset = ptGrip - rect.TopLeft();

    BOOL bDropped = FALSE;
    BOOL bEnded = FALSE;
    while (!bEnded && ::GetCapture() == hWnd)
    {
        if (!::GetMessageW(&msg, nullptr, 0, 0))
        {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        switch (msg.message)
        {
        case WM_MOUSEMOVE: {
            POINT pt = {static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
            ::ClientToScreen(msg.hwnd, &pt);
            ::SetWindowPos(hWnd, nullptr, pt.x - offset.cx, pt.y - offset.cy, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        }
        case WM_LBUTTONUP:
            bDropped = TRUE;
            bEnded = TRUE;
            break;
        case WM_RBUTTONDOWN:
            bEnded = TRUE;
            break;
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE)
                bEnded = TRUE;
            break;
        default:
            ::DispatchMessageW(&msg);
            break;
        }
    }
    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    if (bDropped)
    {
        ShowWindow(SW_SHOWNA);
        return TRUE;
    }
    if (pBar != nullptr)
    {
        CWnd* pOwner = CWnd::FromHandle(m_hWndOwner);
        CFrameWnd* pTop = pOwner != nullptr ? pOwner->GetTopLevelFrame() : nullptr;
        if (pTop != nullptr)
            m_pfnRemoveTearOffBar(pTop, pBar);
        const BOOL bAutoDelete = pBar->m_bAutoDelete;
        pBar->DestroyWindow(); // takes this frame with it: nothing of it after this
        if (!bAutoDelete)
            delete pBar;
    }
    return FALSE;
}

#include "uitoolkit/bars/KTDropDownToolBar.h"

#include "uitoolkit/bars/KTMenuSound.h"
#include "uitoolkit/bars/KTTrackMouseLeave.h"
#include "uitoolkit/looks/KTUIGlobals.h"

IMPLEMENT_SERIAL(CKTDropDownToolBar, CKTToolBar, 1)
IMPLEMENT_SERIAL(CKTDropDownFrame, CMiniFrameWnd, 1)

namespace
{
// Posted to the frame: closing it inside a handler of its own toolbar would free that toolbar
// while the handler still runs.
const UINT kMsgCloseLater = WM_APP + 0x2C1;

CString s_strFrameClassName;

BOOL IsDockedTopOrBottom(const CWnd* pBar)
{
    if (pBar == nullptr || !pBar->IsKindOf(RUNTIME_CLASS(CControlBar)))
        return TRUE;
    return (static_cast<const CControlBar*>(pBar)->GetBarStyle() & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
}
} // namespace

// The group toolbar ------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CKTDropDownToolBar, CKTToolBar)
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CKTDropDownToolBar::CKTDropDownToolBar()
{
    m_bLocked = TRUE;
}

BOOL CKTDropDownToolBar::LoadBitmap(UINT uiResID, UINT uiColdResID, UINT uiMenuResID, BOOL /*bLocked*/,
                                    UINT uiDisabledResID, UINT uiMenuDisabledResID)
{
    return CKTToolBar::LoadBitmap(uiResID, uiColdResID, uiMenuResID, TRUE, uiDisabledResID, uiMenuDisabledResID);
}

BOOL CKTDropDownToolBar::LoadToolBar(UINT uiResID, UINT uiColdResID, UINT uiMenuResID, BOOL /*bLocked*/,
                                     UINT uiDisabledResID, UINT uiMenuDisabledResID, UINT uiHotResID)
{
    return CKTToolBar::LoadToolBar(uiResID, uiColdResID, uiMenuResID, TRUE, uiDisabledResID, uiMenuDisabledResID,
                                   uiHotResID);
}

void CKTDropDownToolBar::OnUpdateCmdUI(CFrameWnd* /*pTarget*/, BOOL bDisableIfNoHndler)
{
    CWnd* pTarget = GetCommandTarget();
    if (pTarget != nullptr && pTarget->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        CKTToolBar::OnUpdateCmdUI(static_cast<CFrameWnd*>(pTarget), bDisableIfNoHndler);
}

void CKTDropDownToolBar::ShareFrom(CKTDropDownToolBar& source)
{
    m_bLocked = TRUE;
    source.m_ImagesLocked.CopyTo(m_ImagesLocked);
    source.m_ColdImagesLocked.CopyTo(m_ColdImagesLocked);
    source.m_DisabledImagesLocked.CopyTo(m_DisabledImagesLocked);
    m_sizeButtonLocked = source.m_sizeButtonLocked;
    m_sizeImageLocked = source.m_sizeImageLocked;
    m_sizeCurButtonLocked = source.m_sizeCurButtonLocked;
    m_sizeCurImageLocked = source.m_sizeCurImageLocked;
    // Not the group's owner: a docked group without one has its dock bar there.
    SetOwner(source.GetCommandTarget());
    m_bTextLabels = source.m_bTextLabels;
    for (POSITION pos = source.m_Buttons.GetHeadPosition(); pos != nullptr;)
        m_Buttons.AddTail(source.m_Buttons.GetNext(pos));
    SetBarStyle(GetBarStyle() & ~CBRS_GRIPPER);
}

void CKTDropDownToolBar::ReleaseShared()
{
    // The buttons belong to the group toolbar.
    m_Buttons.RemoveAll();
    m_iButtonCapture = -1;
    m_iHighlighted = -1;
    m_iHot = -1;
}

void CKTDropDownToolBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (point == m_ptLastMouse)
        return;
    m_ptLastMouse = point;

    int iHot = HitTest(point);
    CKTToolbarButton* pHot = GetButton(iHot);
    if (pHot != nullptr && (pHot->IsSeparator() || ((pHot->m_nStyle & TBBS_DISABLED) && !m_bCustomizeMode)))
    {
        iHot = -1;
        pHot = nullptr;
    }
    if (!m_bTracked)
    {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
        m_bTracked = KTTrackMouseLeave(&tme);
    }
    if (iHot == m_iHighlighted)
        return;
    // In the dropped group the hot button is the pressed one.
    const int iOld = m_iHighlighted;
    if (CKTToolbarButton* pOld = GetButton(iOld))
        pOld->SetStyle(pOld->m_nStyle & ~TBBS_PRESSED);
    if (pHot != nullptr)
        pHot->SetStyle(pHot->m_nStyle | TBBS_PRESSED);
    m_iHighlighted = iHot;
    InvalidateButton(iOld);
    InvalidateButton(iHot);
    UpdateWindow();
    if (pHot != nullptr)
        ShowCommandMessageString(pHot->m_nID);
    else if (m_iButtonCapture < 0)
        SendIdlePrompt();
    m_iHot = -2;
    OnChangeHot(iHot);
    (void)nFlags;
}

void CKTDropDownToolBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bCustomizeMode)
    {
        CKTToolBar::OnLButtonUp(nFlags, point);
        return;
    }
    CWnd* pFrame = GetParent();
    CRect rectClient;
    GetClientRect(&rectClient);
    if (!rectClient.PtInRect(point))
    {
        ::ReleaseCapture();
        if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CKTDropDownFrame)))
            static_cast<CKTDropDownFrame*>(pFrame)->CloseLater();
        return;
    }
    CKTToolbarButton* pHot = GetButton(m_iHighlighted);
    if (pHot != nullptr)
    {
        m_iButtonCapture = m_iHighlighted;
        pHot->SetStyle(pHot->m_nStyle & ~TBBS_PRESSED);
    }
    CKTToolBar::OnLButtonUp(nFlags, point);
}

BOOL CKTDropDownToolBar::OnSendCommand(const CKTToolbarButton* pButton)
{
    if (pButton == nullptr || (pButton->m_nStyle & TBBS_DISABLED) || pButton->m_nID == 0 || pButton->m_nID == (UINT)-1)
        return FALSE;
    CWnd* pParent = GetParent();
    if (pParent == nullptr || !pParent->IsKindOf(RUNTIME_CLASS(CKTDropDownFrame)))
        return FALSE;
    auto* pFrame = static_cast<CKTDropDownFrame*>(pParent);
    if (CKTDropDownToolbarButton* pDropDown = pFrame->GetParentButton())
        pDropDown->SetDefaultCommand(pButton->m_nID);
    CWnd* pTarget = GetOwner() != nullptr ? GetOwner() : pFrame->GetParent();
    if (pTarget != nullptr)
        pTarget->PostMessage(WM_COMMAND, pButton->m_nID);
    pFrame->CloseLater();
    return TRUE;
}

// The frame --------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CKTDropDownFrame, CMiniFrameWnd)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_PAINT()
ON_WM_MOUSEACTIVATE()
ON_WM_DESTROY()
ON_WM_ERASEBKGND()
ON_WM_ACTIVATEAPP()
ON_WM_CLOSE()
ON_MESSAGE(kMsgCloseLater, &CKTDropDownFrame::OnCloseLater)
END_MESSAGE_MAP()

CKTDropDownFrame::CKTDropDownFrame()
{
    m_bAutoMenuEnable = FALSE;
}

CKTDropDownFrame::~CKTDropDownFrame()
{
    m_wndToolBar.ReleaseShared();
    if (m_wndToolBar.GetSafeHwnd() != nullptr)
        m_wndToolBar.DestroyWindow();
}

BOOL CKTDropDownFrame::Create(CWnd* pWndParent, int x, int y, CKTDropDownToolBar* pWndOriginToolbar)
{
    CKTMenuSound::Get().Play(CKTMenuSound::SOUND_POPUP);
    if (s_strFrameClassName.IsEmpty())
        s_strFrameClassName = AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursor(nullptr, IDC_ARROW),
                                                  reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr);
    m_pWndOriginToolbar = pWndOriginToolbar;
    if (x == -1 && y == -1)
    {
        CPoint ptOrigin(0, 0);
        if (pWndParent->GetSafeHwnd() != nullptr)
        {
            pWndParent->ClientToScreen(&ptOrigin);
            ptOrigin.Offset(5, 5);
        }
        x = ptOrigin.x;
        y = ptOrigin.y;
    }
    m_x = x;
    m_y = y;

    CWnd* pOwner = nullptr;
    DWORD dwExStyle = 0;
    if (pWndParent->GetSafeHwnd() != nullptr)
    {
        pOwner = pWndParent->GetOwner() != nullptr ? pWndParent->GetOwner() : pWndParent->GetParent();
        dwExStyle = pWndParent->GetExStyle() & WS_EX_LAYOUTRTL;
    }
    if (!CMiniFrameWnd::CreateEx(dwExStyle, s_strFrameClassName, L"", WS_POPUP, CRect(x, y, x, y), pOwner))
        return FALSE;
    ShowWindow(SW_SHOWNOACTIVATE);
    return TRUE;
}

int CKTDropDownFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMiniFrameWnd::OnCreate(lpCreateStruct) == -1 || m_pWndOriginToolbar == nullptr)
        return -1;
    const CWnd* pButtonBar = m_pParentBtn != nullptr ? m_pParentBtn->m_pWndBar : nullptr;
    // The group runs across the button's bar.
    const DWORD dwBarStyle = IsDockedTopOrBottom(pButtonBar)
                                 ? (WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
                                 : (WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM);
    if (!m_wndToolBar.CreateEx(this, TBSTYLE_FLAT, dwBarStyle, CRect(1, 1, 1, 1), ToolBarId))
        return -1;
    m_wndToolBar.ShareFrom(*m_pWndOriginToolbar);
    m_wndToolBar.AdjustLayout();
    RecalcLayout();
    ::ReleaseCapture();
    m_wndToolBar.SetCapture();
    return 0;
}

void CKTDropDownFrame::RecalcLayout(BOOL /*bNotify*/)
{
    if (GetSafeHwnd() == nullptr || m_wndToolBar.GetSafeHwnd() == nullptr)
        return;
    const BOOL bVertGroup = (m_wndToolBar.GetBarStyle() & CBRS_ORIENT_HORZ) == 0;
    const CSize sizeBar = m_wndToolBar.CalcSize(bVertGroup);
    const CSize size(sizeBar.cx + 6, sizeBar.cy + 6);
    int x = m_x;
    int y = m_y;
    const CWnd* pButtonBar = m_pParentBtn != nullptr ? m_pParentBtn->m_pWndBar : nullptr;
    if (x + size.cx > ::GetSystemMetrics(SM_CXFULLSCREEN))
    {
        if (pButtonBar != nullptr && !IsDockedTopOrBottom(pButtonBar))
        {
            CRect rectBar;
            pButtonBar->GetWindowRect(&rectBar);
            x = rectBar.left - size.cx;
        }
        else
            x = ::GetSystemMetrics(SM_CXFULLSCREEN) - size.cx - 1;
    }
    if (y + size.cy > ::GetSystemMetrics(SM_CYFULLSCREEN))
    {
        y -= size.cy;
        if (m_pParentBtn != nullptr)
            y -= m_pParentBtn->m_rect.Height() + 4;
        else if (y < 0)
            y = 0;
    }
    SetWindowPos(nullptr, x, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CKTDropDownFrame::OnSize(UINT nType, int cx, int cy)
{
    // Not the frame's own layout: the frame's size follows the toolbar, not the other way round.
    Default();
    (void)nType;
    if (m_wndToolBar.GetSafeHwnd() != nullptr)
        m_wndToolBar.SetWindowPos(nullptr, 2, 2, cx - 4, cy - 4, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CKTDropDownFrame::OnPaint()
{
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    dc.Draw3dRect(rect, ktGlobals.m_colorLight, ktGlobals.m_colorDarkShadow);
    rect.DeflateRect(1, 1);
    dc.Draw3dRect(rect, ktGlobals.m_colorHighlight, ktGlobals.m_colorShadow);
}

BOOL CKTDropDownFrame::OnEraseBkgnd(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    pDC->FillSolidRect(rect, ktGlobals.m_colorFace);
    return TRUE;
}

int CKTDropDownFrame::OnMouseActivate(CWnd*, UINT, UINT)
{
    return MA_NOACTIVATE;
}

void CKTDropDownFrame::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
    CMiniFrameWnd::OnActivateApp(bActive, dwThreadID);
    if (!bActive && !CKTToolBar::IsCustomizeMode())
        SendMessage(WM_CLOSE);
}

void CKTDropDownFrame::OnClose()
{
    DestroyWindow();
}

void CKTDropDownFrame::CloseLater()
{
    if (m_bCloseLaterPosted)
        return;
    m_bCloseLaterPosted = PostMessage(kMsgCloseLater);
    if (!m_bCloseLaterPosted)
        DestroyWindow();
}

LRESULT CKTDropDownFrame::OnCloseLater(WPARAM, LPARAM)
{
    DestroyWindow();
    return 0;
}

void CKTDropDownFrame::OnDestroy()
{
    if (::GetCapture() == m_wndToolBar.GetSafeHwnd())
        ::ReleaseCapture();
    // The shared buttons must not go with this toolbar.
    m_wndToolBar.ReleaseShared();
    CKTDropDownToolbarButton* pButton = m_pParentBtn;
    if (pButton != nullptr)
    {
        pButton->m_pPopupMenu = nullptr;
        pButton->m_nStyle &= ~TBBS_PRESSED;
        CWnd* pBar = pButton->m_pWndBar;
        if (pBar->GetSafeHwnd() != nullptr)
        {
            // The bar ends the press it began before the group dropped down.
            CPoint pt;
            ::GetCursorPos(&pt);
            pBar->ScreenToClient(&pt);
            pBar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        }
    }
    CMiniFrameWnd::OnDestroy();
}

void CKTDropDownFrame::PostNcDestroy()
{
    if (m_pParentBtn != nullptr)
        m_pParentBtn->OnCancelMode();
    CMiniFrameWnd::PostNcDestroy();
}

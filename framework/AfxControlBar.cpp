#include "framework/AfxControlBar.h"

#include "framework/AfxDockBar.h"
#include "framework/AfxDockContext.h"
#include "framework/AfxDockState.h"
#include "framework/AfxGdi.h"
#include "framework/AfxMsgMap.h"

#include <cstdlib>
#include <cstring>
#include <limits>

IMPLEMENT_DYNAMIC(CControlBar, CWnd)
IMPLEMENT_DYNAMIC(CReBar, CControlBar)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_MESSAGE(WM_SIZEPARENT, &CControlBar::OnSizeParent)
ON_MESSAGE(WM_IDLEUPDATECMDUI, &CControlBar::OnIdleUpdateCmdUI)
ON_MESSAGE(WM_HELPHITTEST, &CControlBar::OnHelpHitTest)
END_MESSAGE_MAP()

namespace
{

const int kGripperWidth = 8;

} // namespace

CControlBar::CControlBar() = default;

CControlBar::~CControlBar()
{
    // The window goes first: its destruction takes the bar out of its dock bar and frame.
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this)
        CWnd::DestroyWindow();
    delete m_pDockContext;
    std::free(m_pData);
}

BOOL CControlBar::AllocElements(int nElements, int cbElement)
{
    if (nElements < 0 || cbElement <= 0 ||
        (nElements > 0 && static_cast<size_t>(nElements) > std::numeric_limits<size_t>::max() / cbElement))
        return FALSE;
    void* pData = nullptr;
    if (nElements > 0)
    {
        pData = std::calloc(static_cast<size_t>(nElements), static_cast<size_t>(cbElement));
        if (pData == nullptr)
            return FALSE;
    }
    std::free(m_pData);
    m_pData = pData;
    m_nCount = nElements;
    return TRUE;
}

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    DWORD dwNew = dwStyle & CBRS_ALL;
    if (m_dwStyle == dwNew)
        return;
    DWORD dwOld = m_dwStyle;
    m_dwStyle = dwNew;
    // Border lines and the gripper change the non-client look; the owner lays the bar out again.
    if (m_hWnd != nullptr && ((dwOld ^ dwNew) & (CBRS_BORDER_ANY | CBRS_BORDER_3D | CBRS_GRIPPER)) != 0)
        Invalidate();
}

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    m_cxLeftBorder = cxLeft > 0 ? cxLeft : 0;
    m_cyTopBorder = cyTop > 0 ? cyTop : 0;
    m_cxRightBorder = cxRight > 0 ? cxRight : 0;
    m_cyBottomBorder = cyBottom > 0 ? cyBottom : 0;
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    DWORD dwStyle = m_dwStyle;
    if ((dwStyle & CBRS_BORDER_LEFT) != 0)
        rect.left += AFX_CX_BORDER;
    if ((dwStyle & CBRS_BORDER_TOP) != 0)
        rect.top += AFX_CY_BORDER;
    if ((dwStyle & CBRS_BORDER_RIGHT) != 0)
        rect.right -= AFX_CX_BORDER;
    if ((dwStyle & CBRS_BORDER_BOTTOM) != 0)
        rect.bottom -= AFX_CY_BORDER;
    // The borders run along the bar: a vertical bar turns them a quarter.
    if (bHorz)
    {
        rect.left += m_cxLeftBorder;
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
        if ((dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) == CBRS_GRIPPER)
            rect.left += kGripperWidth;
    }
    else
    {
        rect.left += m_cyTopBorder;
        rect.top += m_cxLeftBorder;
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
        if ((dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) == CBRS_GRIPPER)
            rect.top += kGripperWidth;
    }
}

void CControlBar::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle & (CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI);
    if (m_dwDockStyle == 0)
    {
        delete m_pDockContext;
        m_pDockContext = nullptr;
        return;
    }
    if (m_pDockContext == nullptr)
        m_pDockContext = new CDockContext(this);
    // The site is the frame the bar was created in; a bar created floating keeps the first one.
    if (m_pDockSite == nullptr)
        m_pDockSite = GetParentFrame();
}

CFrameWnd* CControlBar::GetDockingFrame() const
{
    CFrameWnd* pFrame = GetParentFrame();
    return pFrame != nullptr ? pFrame : m_pDockSite;
}

BOOL CControlBar::IsFloating() const
{
    if (m_pDockBar != nullptr)
        return m_pDockBar->m_bFloating;
    return (m_dwStyle & CBRS_FLOATING) != 0;
}

BOOL CControlBar::IsDockBar() const
{
    return IsKindOf(RUNTIME_CLASS(CDockBar));
}

BOOL CControlBar::IsVisible() const
{
    if ((m_nStateFlags & delayHide) != 0)
        return FALSE;
    return (m_nStateFlags & delayShow) != 0 || (GetStyle() & WS_VISIBLE) != 0;
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    // The whole length of the dock bar when stretched, nothing otherwise: derived bars add their
    // content and borders to this.
    return CSize(bStretch && bHorz ? 32767 : 0, bStretch && !bHorz ? 32767 : 0);
}

CSize CControlBar::CalcDynamicLayout(int, DWORD dwMode)
{
    return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZ) != 0);
}

DWORD CControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout)
{
    DWORD dwStyle = (GetStyle() & WS_VISIBLE) | (m_dwStyle & CBRS_ALL);
    if ((m_nStateFlags & (delayHide | delayShow)) == 0)
        return dwStyle;
    BOOL bShow = (m_nStateFlags & delayShow) != 0;
    dwStyle = bShow ? (dwStyle | WS_VISIBLE) : (dwStyle & ~WS_VISIBLE);
    if (lpLayout != nullptr && lpLayout->hDWP != nullptr)
    {
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, m_hWnd, nullptr, 0, 0, 0, 0,
                                          SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                                              (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        m_nStateFlags &= ~(delayHide | delayShow);
    }
    return dwStyle;
}

void CControlBar::DelayShow(BOOL bShow)
{
    m_nStateFlags &= ~(delayHide | delayShow);
    BOOL bVisible = (GetStyle() & WS_VISIBLE) != 0;
    if (bShow && !bVisible)
        m_nStateFlags |= delayShow;
    else if (!bShow && bVisible)
        m_nStateFlags |= delayHide;
}

void CControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect)
{
    DWORD dwStyle = m_dwStyle;
    if ((dwStyle & CBRS_BORDER_ANY) == 0)
        return;
    HDC hDC = pDC->m_hDC;
    HBRUSH hbrShadow = ::GetSysColorBrush(COLOR_BTNSHADOW);
    HBRUSH hbrHilite = ::GetSysColorBrush(COLOR_BTNHIGHLIGHT);
    auto fill = [hDC](int x, int y, int cx, int cy, HBRUSH hbr) {
        RECT r = {x, y, x + cx, y + cy};
        ::FillRect(hDC, &r, hbr);
    };
    if ((dwStyle & CBRS_BORDER_TOP) != 0)
        fill(rect.left, rect.top, rect.Width(), AFX_CY_BORDER, hbrShadow);
    if ((dwStyle & CBRS_BORDER_BOTTOM) != 0)
        fill(rect.left, rect.bottom - AFX_CY_BORDER, rect.Width(), AFX_CY_BORDER, hbrShadow);
    if ((dwStyle & CBRS_BORDER_LEFT) != 0)
        fill(rect.left, rect.top, AFX_CX_BORDER, rect.Height(), hbrShadow);
    if ((dwStyle & CBRS_BORDER_RIGHT) != 0)
        fill(rect.right - AFX_CX_BORDER, rect.top, AFX_CX_BORDER, rect.Height(), hbrShadow);
    if ((dwStyle & CBRS_BORDER_3D) != 0 && (dwStyle & CBRS_BORDER_TOP) != 0)
        fill(rect.left, rect.top + AFX_CY_BORDER, rect.Width(), AFX_CY_BORDER, hbrHilite);
    if ((dwStyle & CBRS_BORDER_TOP) != 0)
        rect.top += AFX_CY_BORDER;
    if ((dwStyle & CBRS_BORDER_BOTTOM) != 0)
        rect.bottom -= AFX_CY_BORDER;
    if ((dwStyle & CBRS_BORDER_LEFT) != 0)
        rect.left += AFX_CX_BORDER;
    if ((dwStyle & CBRS_BORDER_RIGHT) != 0)
        rect.right -= AFX_CX_BORDER;
}

void CControlBar::DrawGripper(CDC* pDC, const CRect& rect)
{
    if ((m_dwStyle & (CBRS_GRIPPER | CBRS_FLOATING)) != CBRS_GRIPPER)
        return;
    BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    RECT grip;
    if (bHorz)
        grip = {rect.left + 2, rect.top + 2, rect.left + 5, rect.bottom - 2};
    else
        grip = {rect.left + 2, rect.top + 2, rect.right - 2, rect.top + 5};
    ::DrawEdge(pDC->m_hDC, &grip, BDR_RAISEDINNER, BF_RECT);
}

void CControlBar::DoPaint(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    DrawBorders(pDC, rect);
    DrawGripper(pDC, rect);
}

INT_PTR CControlBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    return CWnd::OnToolHitTest(point, pTI);
}

BOOL CControlBar::PreTranslateMessage(MSG* pMsg)
{
    // A floating bar's frame is owned by the frame it docks to, so the pre-translation walk reaches
    // that frame's accelerators on its own.
    return CWnd::PreTranslateMessage(pMsg);
}

BOOL CControlBar::DestroyWindow()
{
    // A floating bar alone in its frame goes with its frame.
    if (m_hWnd != nullptr && IsFloating() && m_pDockBar != nullptr && m_pDockBar->GetDockedCount() == 1)
    {
        CFrameWnd* pFloating = m_pDockBar->GetParentFrame();
        if (pFloating != nullptr && pFloating != m_pDockSite)
            return pFloating->DestroyWindow();
    }
    return CWnd::DestroyWindow();
}

void CControlBar::Serialize(CArchive& ar)
{
    CWnd::Serialize(ar);
}

BOOL CControlBar::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CWnd::PreCreateWindow(cs))
        return FALSE;
    // The bar's own style bits live in m_dwStyle, never in the window style.
    m_dwStyle = cs.style & CBRS_ALL;
    cs.style &= ~CBRS_ALL;
    cs.style |= WS_CLIPSIBLINGS;
    return TRUE;
}

int CControlBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    if ((m_dwStyle & CBRS_TOOLTIPS) != 0)
        EnableToolTips();
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr)
    {
        m_pDockSite = pFrame;
        pFrame->AddControlBar(this);
    }
    return 0;
}

void CControlBar::OnDestroy()
{
    if (m_pDockBar != nullptr)
    {
        m_pDockBar->RemoveControlBar(this);
        m_pDockBar = nullptr;
    }
    if (m_pDockSite != nullptr)
        m_pDockSite->RemoveControlBar(this);
    // The frame the bar was created in forgets it too (a floating frame's list).
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr && pFrame != m_pDockSite)
        pFrame->RemoveControlBar(this);
    CWnd::OnDestroy();
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

void CControlBar::OnPaint()
{
    CPaintDC dc(this);
    DoPaint(&dc);
}

BOOL CControlBar::OnEraseBkgnd(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    ::FillRect(pDC->m_hDC, &rect, ::GetSysColorBrush(COLOR_BTNFACE));
    return TRUE;
}

void CControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    // A press on the bar itself (not on a tool in it) picks the bar up, docked or floating.
    if (m_pDockBar != nullptr && m_pDockContext != nullptr && OnToolHitTest(point, nullptr) == -1)
    {
        ClientToScreen(&point);
        m_pDockContext->StartDrag(point);
        return;
    }
    CWnd::OnLButtonDown(nFlags, point);
}

void CControlBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_pDockBar != nullptr && m_pDockContext != nullptr)
    {
        m_pDockContext->ToggleDocking();
        return;
    }
    CWnd::OnLButtonDblClk(nFlags, point);
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    DWORD dwStyle = RecalcDelayShow(lpLayout);
    if ((dwStyle & WS_VISIBLE) == 0 || (dwStyle & CBRS_ALIGN_ANY) == 0)
        return 0;

    CRect rect(lpLayout->rect);
    CSize sizeAvail = rect.Size();
    DWORD dwMode = lpLayout->bStretch ? LM_STRETCH : 0;
    if ((m_dwStyle & CBRS_SIZE_DYNAMIC) != 0 && (m_dwStyle & CBRS_FLOATING) != 0)
        dwMode |= LM_HORZ | LM_MRUWIDTH;
    else if ((dwStyle & CBRS_ORIENT_HORZ) != 0)
        dwMode |= LM_HORZ | LM_HORZDOCK;
    else
        dwMode |= LM_VERTDOCK;
    CSize size = CalcDynamicLayout(-1, dwMode);
    size.cx = size.cx < sizeAvail.cx ? size.cx : sizeAvail.cx;
    size.cy = size.cy < sizeAvail.cy ? size.cy : sizeAvail.cy;
    if (size.cx < 0)
        size.cx = 0;
    if (size.cy < 0)
        size.cy = 0;

    if ((dwStyle & CBRS_ORIENT_HORZ) != 0)
    {
        lpLayout->sizeTotal.cy += size.cy;
        if (lpLayout->sizeTotal.cx < size.cx)
            lpLayout->sizeTotal.cx = size.cx;
        if ((dwStyle & CBRS_ALIGN_TOP) != 0)
            lpLayout->rect.top += size.cy;
        else
        {
            rect.top = rect.bottom - size.cy;
            lpLayout->rect.bottom -= size.cy;
        }
    }
    else
    {
        lpLayout->sizeTotal.cx += size.cx;
        if (lpLayout->sizeTotal.cy < size.cy)
            lpLayout->sizeTotal.cy = size.cy;
        if ((dwStyle & CBRS_ALIGN_LEFT) != 0)
            lpLayout->rect.left += size.cx;
        else
        {
            rect.left = rect.right - size.cx;
            lpLayout->rect.right -= size.cx;
        }
    }
    rect.right = rect.left + size.cx;
    rect.bottom = rect.top + size.cy;
    AfxRepositionWindow(lpLayout, m_hWnd, &rect);
    return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if ((GetStyle() & WS_VISIBLE) == 0)
        return 0;
    // Commands are the frame's the bar docks to, also while it floats in a frame of its own.
    CWnd* pOwner = m_hWndOwner != nullptr ? GetOwner() : nullptr;
    CFrameWnd* pTarget = pOwner != nullptr && pOwner->IsFrameWnd() ? static_cast<CFrameWnd*>(pOwner) : m_pDockSite;
    if (pTarget == nullptr)
        pTarget = GetParentFrame();
    if (pTarget != nullptr)
        OnUpdateCmdUI(pTarget, (BOOL)wParam);
    return 0;
}

LRESULT CControlBar::OnHelpHitTest(WPARAM, LPARAM lParam)
{
    CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    INT_PTR nID = OnToolHitTest(point, nullptr);
    if (nID != -1)
        return HID_BASE_COMMAND + nID;
    int nCtrlID = GetDlgCtrlID();
    return nCtrlID != 0 ? HID_BASE_CONTROL + nCtrlID : 0;
}

void CControlBar::GetBarInfo(CControlBarInfo* pInfo)
{
    pInfo->m_nBarID = GetDlgCtrlID();
    pInfo->m_pBar = this;
    pInfo->m_bVisible = IsVisible();
    pInfo->m_nMRUWidth = m_nMRUWidth;
    pInfo->m_bFloating = FALSE;
    pInfo->m_bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    pInfo->m_bDocking = FALSE;
    pInfo->m_uMRUDockID = 0;
    pInfo->m_rectMRUDockPos.SetRectEmpty();
    pInfo->m_dwMRUFloatStyle = 0;
    pInfo->m_ptMRUFloatPos = CPoint(0, 0);
    CRect rect;
    GetWindowRect(&rect);
    if (m_pDockBar != nullptr)
    {
        pInfo->m_bFloating = m_pDockBar->m_bFloating;
        if (pInfo->m_bFloating)
        {
            // A floating bar is placed by its frame.
            CFrameWnd* pFloating = m_pDockBar->GetParentFrame();
            if (pFloating != nullptr)
                pFloating->GetWindowRect(&rect);
        }
        else
            m_pDockBar->ScreenToClient(&rect);
    }
    pInfo->m_pointPos = rect.TopLeft();
    pInfo->m_bDockBar = IsDockBar();
    pInfo->m_arrBarID.RemoveAll();
    if (pInfo->m_bDockBar)
    {
        auto* pDockBar = static_cast<CDockBar*>(this);
        pInfo->m_bFloating = pDockBar->m_bFloating;
        if (pDockBar->m_bFloating)
        {
            CWnd* pFloating = GetParent();
            if (pFloating != nullptr)
                pFloating->GetWindowRect(&rect);
            pInfo->m_pointPos = rect.TopLeft();
        }
        for (INT_PTR i = 1; i < pDockBar->m_arrBars.GetSize(); ++i)
        {
            void* pEntry = pDockBar->m_arrBars[i];
            if (pEntry == nullptr)
                pInfo->m_arrBarID.Add(0);
            else if (CDockBar::IsPlaceholder(pEntry))
                pInfo->m_arrBarID.Add(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(pEntry)) |
                                      CControlBarInfo::kPlaceholderFlag);
            else
                pInfo->m_arrBarID.Add(static_cast<DWORD>(static_cast<CControlBar*>(pEntry)->GetDlgCtrlID()) & 0xFFFF);
        }
    }
    if (m_pDockContext != nullptr)
    {
        pInfo->m_bDocking = TRUE;
        pInfo->m_uMRUDockID = m_pDockContext->m_uMRUDockID;
        pInfo->m_rectMRUDockPos = m_pDockContext->m_rectMRUDockPos;
        pInfo->m_dwMRUFloatStyle = m_pDockContext->m_dwMRUFloatStyle;
        pInfo->m_ptMRUFloatPos = m_pDockContext->m_ptMRUFloatPos;
    }
}

void CControlBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd)
{
    if (!pInfo->m_bFloating && m_pDockBar != nullptr && !m_pDockBar->m_bFloating)
    {
        // Docked: the dock bar lays it out; only the row offset is taken.
        CRect rect;
        GetWindowRect(&rect);
        m_pDockBar->ScreenToClient(&rect);
        CSize size = rect.Size();
        SetWindowPos(nullptr, pInfo->m_pointPos.x, pInfo->m_pointPos.y, size.cx, size.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
    }
    m_nMRUWidth = pInfo->m_nMRUWidth;
    if (m_pDockContext != nullptr && pInfo->m_bDocking)
    {
        m_pDockContext->m_uMRUDockID = pInfo->m_uMRUDockID;
        m_pDockContext->m_rectMRUDockPos = pInfo->m_rectMRUDockPos;
        m_pDockContext->m_dwMRUFloatStyle = pInfo->m_dwMRUFloatStyle;
        m_pDockContext->m_ptMRUFloatPos = pInfo->m_ptMRUFloatPos;
    }
    DelayShow(pInfo->m_bVisible);
    if (pFrameWnd != nullptr)
        pFrameWnd->DelayRecalcLayout(FALSE);
}

#include "uitoolkit/customize/KTButtonsList.h"

#include "uitoolkit/bars/KTToolbarButton.h"
#include "uitoolkit/looks/KTImageStrip.h"
#include "uitoolkit/looks/KTUIGlobals.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CKTButtonsList, CButton)

BEGIN_MESSAGE_MAP(CKTButtonsList, CButton)
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_KEYDOWN()
ON_WM_GETDLGCODE()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_SIZE()
ON_WM_VSCROLL()
ON_WM_ENABLE()
ON_WM_SYSCOLORCHANGE()
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

namespace
{
// Space between buttons in a row and around the grid.
const int kButtonGap = 4;
const CSize kMargin(4, 5);
} // namespace

CKTButtonsList::CKTButtonsList() = default;

CKTButtonsList::~CKTButtonsList() = default;

void CKTButtonsList::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
}

CKTToolbarButton* CKTButtonsList::GetButton(int iIndex) const
{
    if (iIndex < 0 || iIndex >= GetCount())
        return nullptr;
    return static_cast<CKTToolbarButton*>(m_Buttons.GetAt(m_Buttons.FindIndex(iIndex)));
}

int CKTButtonsList::IndexOf(const CKTToolbarButton* pButton) const
{
    int i = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; i++)
        if (m_Buttons.GetNext(pos) == pButton)
            return i;
    return -1;
}

void CKTButtonsList::SetImages(CKTImageStrip* pImages)
{
    RemoveButtons();
    m_pImages = pImages;
    m_sizeButton = pImages != nullptr ? pImages->GetImageSize() + CSize(7, 7) : CSize(0, 0);
    m_iScrollOffset = 0;
    m_iScrollTotal = 0;
    if (m_wndScrollBar.GetSafeHwnd() != nullptr)
        m_wndScrollBar.DestroyWindow();
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

void CKTButtonsList::AddButton(CKTToolbarButton* pButton)
{
    if (pButton == nullptr)
        return;
    m_Buttons.AddTail(pButton);
    pButton->OnChangeParentWnd(this);
    RebuildLocations();
    if (pButton->GetHwnd() != nullptr)
        ::EnableWindow(pButton->GetHwnd(), FALSE);
}

void CKTButtonsList::RemoveButtons()
{
    m_Buttons.RemoveAll();
    m_pSelButton = nullptr;
    m_iScrollOffset = 0;
    m_iScrollTotal = 0;
    if (m_wndScrollBar.GetSafeHwnd() != nullptr)
        m_wndScrollBar.DestroyWindow();
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

CRect CKTButtonsList::GetButtonsArea() const
{
    CRect rect;
    GetClientRect(&rect);
    rect.right -= ::GetSystemMetrics(SM_CXVSCROLL);
    rect.DeflateRect(kMargin.cx, kMargin.cy);
    return rect;
}

void CKTButtonsList::RebuildLocations()
{
    if (GetSafeHwnd() == nullptr || m_pImages == nullptr)
        return;
    m_bInited = TRUE;
    const CRect rectArea = GetButtonsArea();
    CClientDC dc(this);
    int x = rectArea.left;
    int y = rectArea.top;
    int nBottom = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
    {
        CKTToolbarButton* pButton = static_cast<CKTToolbarButton*>(m_Buttons.GetNext(pos));
        CSize size = pButton->OnCalculateSize(&dc, m_sizeButton, TRUE);
        if (x + size.cx > rectArea.right)
        {
            if (x == rectArea.left)
                size.cx = rectArea.Width();
            else
            {
                x = rectArea.left;
                y += size.cy + kRowGap;
            }
        }
        const CRect rect(x, y, x + size.cx, y + m_sizeButton.cy);
        if (rect != pButton->m_rect)
        {
            pButton->m_rect = rect;
            pButton->OnMove();
        }
        nBottom = rect.bottom;
        x += size.cx + kButtonGap;
    }

    // Scrolling goes by whole rows.
    CRect rectClient;
    GetClientRect(&rectClient);
    const int nRowHeight = GetRowHeight();
    const int nRows = nBottom / nRowHeight;
    m_iScrollPage = rectClient.Height() / nRowHeight;
    if (nRows > m_iScrollPage)
    {
        m_iScrollTotal = nRowHeight * (nRows - m_iScrollPage);
        const CRect rectBar(rectClient.right - ::GetSystemMetrics(SM_CXVSCROLL) - 1, rectClient.top + 1,
                            rectClient.right - 1, rectClient.bottom - 1);
        if (m_wndScrollBar.GetSafeHwnd() == nullptr)
            m_wndScrollBar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, rectBar, this, 1);
        else
            m_wndScrollBar.MoveWindow(rectBar);
        m_wndScrollBar.SetScrollRange(0, m_iScrollTotal, FALSE);
        m_iScrollOffset = std::min(m_iScrollOffset, m_iScrollTotal);
        m_wndScrollBar.SetScrollPos(m_iScrollOffset);
    }
    else
    {
        m_iScrollTotal = 0;
        m_iScrollOffset = 0;
        if (m_wndScrollBar.GetSafeHwnd() != nullptr)
            m_wndScrollBar.DestroyWindow();
    }
}

CKTToolbarButton* CKTButtonsList::HitTest(CPoint point) const
{
    point.y += m_iScrollOffset;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
    {
        CKTToolbarButton* pButton = static_cast<CKTToolbarButton*>(m_Buttons.GetNext(pos));
        if (pButton->m_rect.PtInRect(point))
            return pButton;
    }
    return nullptr;
}

void CKTButtonsList::InvalidateButton(CKTToolbarButton* pButton)
{
    if (pButton == nullptr || GetSafeHwnd() == nullptr)
        return;
    CRect rect = pButton->m_rect;
    rect.InflateRect(2, 2);
    rect.OffsetRect(0, -m_iScrollOffset);
    InvalidateRect(rect);
}

void CKTButtonsList::SelectButton(int iIndex)
{
    SelectButton(GetButton(iIndex));
}

void CKTButtonsList::SelectButton(CKTToolbarButton* pButton)
{
    if (pButton == m_pSelButton)
    {
        InvalidateButton(pButton);
        return;
    }
    InvalidateButton(m_pSelButton);
    m_pSelButton = pButton;
    InvalidateButton(pButton);
    EnsureVisible(pButton);
    if (GetSafeHwnd() == nullptr)
        return;
    UpdateWindow();
    CWnd* pParent = GetParent();
    if (pParent != nullptr)
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), 0), reinterpret_cast<LPARAM>(m_hWnd));
}

BOOL CKTButtonsList::SelectImage(int iImage)
{
    if (iImage < 0)
    {
        SelectButton(static_cast<CKTToolbarButton*>(nullptr));
        return TRUE;
    }
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
    {
        CKTToolbarButton* pButton = static_cast<CKTToolbarButton*>(m_Buttons.GetNext(pos));
        if (pButton->GetImage() == iImage)
        {
            SelectButton(pButton);
            return TRUE;
        }
    }
    return FALSE;
}

void CKTButtonsList::EnsureVisible(CKTToolbarButton* pButton)
{
    if (pButton == nullptr || GetSafeHwnd() == nullptr || m_iScrollTotal == 0)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    const int nRowHeight = GetRowHeight();
    if (pButton->m_rect.top - kMargin.cy < m_iScrollOffset)
        ScrollTo((pButton->m_rect.top - kMargin.cy) / nRowHeight * nRowHeight);
    else if (pButton->m_rect.bottom - m_iScrollOffset > rectClient.bottom)
        ScrollTo((pButton->m_rect.bottom - rectClient.Height() + nRowHeight - 1) / nRowHeight * nRowHeight);
}

void CKTButtonsList::ScrollTo(int iOffset)
{
    iOffset = std::max(0, std::min(iOffset, m_iScrollTotal));
    if (iOffset == m_iScrollOffset)
        return;
    m_iScrollOffset = iOffset;
    if (m_wndScrollBar.GetSafeHwnd() != nullptr)
        m_wndScrollBar.SetScrollPos(m_iScrollOffset);
    CRect rect;
    GetClientRect(&rect);
    rect.right -= ::GetSystemMetrics(SM_CXVSCROLL);
    rect.DeflateRect(1, 1);
    InvalidateRect(rect);
}

void CKTButtonsList::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    const int nRowHeight = GetRowHeight();
    int iOffset = m_iScrollOffset;
    switch (nSBCode)
    {
    case SB_LINEUP:
        iOffset -= nRowHeight;
        break;
    case SB_LINEDOWN:
        iOffset += nRowHeight;
        break;
    case SB_PAGEUP:
        iOffset -= nRowHeight * m_iScrollPage;
        break;
    case SB_PAGEDOWN:
        iOffset += nRowHeight * m_iScrollPage;
        break;
    case SB_THUMBPOSITION:
        iOffset = (static_cast<int>(nPos) + nRowHeight / 2) / nRowHeight * nRowHeight;
        break;
    case SB_TOP:
        iOffset = 0;
        break;
    case SB_BOTTOM:
        iOffset = m_iScrollTotal;
        break;
    default:
        return;
    }
    ScrollTo(iOffset);
}

void CKTButtonsList::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rectClient;
    GetClientRect(&rectClient);
    if (!m_bInited)
        RebuildLocations();
    const int iSaved = pDC->SaveDC();
    if (m_wndScrollBar.GetSafeHwnd() != nullptr)
    {
        CRect rectBar;
        m_wndScrollBar.GetWindowRect(&rectBar);
        ScreenToClient(&rectBar);
        pDC->ExcludeClipRect(rectBar);
    }
    pDC->FillSolidRect(rectClient, ktGlobals.m_colorFace);

    const BOOL bEnabled = IsWindowEnabled();
    CKTDrawState ds;
    const BOOL bImages = m_pImages != nullptr && m_pImages->PrepareDrawImage(ds);
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
    {
        CKTToolbarButton* pButton = static_cast<CKTToolbarButton*>(m_Buttons.GetNext(pos));
        CRect rect = pButton->m_rect;
        rect.OffsetRect(0, -m_iScrollOffset);
        if (rect.top > rectClient.bottom)
            break;
        if (rect.bottom < rectClient.top)
            continue;
        const UINT nStyle = pButton->m_nStyle;
        if (!bEnabled)
            pButton->m_nStyle |= TBBS_DISABLED;
        pButton->OnDraw(pDC, rect, bImages ? m_pImages : nullptr, TRUE, FALSE, FALSE, TRUE, TRUE);
        pButton->m_nStyle = nStyle;

        if (pButton == m_pSelButton && bEnabled)
        {
            if (pButton->GetHwnd() != nullptr)
                rect.InflateRect(0, 2);
            if (m_bHasFocus)
                pDC->Draw3dRect(rect, ktGlobals.m_colorShadow, ktGlobals.m_colorHighlight);
            else
            {
                pDC->DrawFocusRect(rect);
                rect.DeflateRect(1, 1);
                pDC->DrawFocusRect(rect);
            }
        }
    }
    if (bImages)
        m_pImages->EndDrawImage(ds);
    pDC->Draw3dRect(rectClient, ktGlobals.m_colorShadow, ktGlobals.m_colorHighlight);
    pDC->RestoreDC(iSaved);
}

BOOL CKTButtonsList::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CKTButtonsList::OnLButtonDown(UINT, CPoint point)
{
    SetFocus();
    CKTToolbarButton* pButton = HitTest(point);
    if (pButton != nullptr)
        SelectButton(pButton);
}

void CKTButtonsList::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OnLButtonDown(nFlags, point);
}

UINT CKTButtonsList::OnGetDlgCode()
{
    return DLGC_WANTARROWS;
}

void CKTButtonsList::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const int nCount = GetCount();
    const int iSel = IndexOf(m_pSelButton);
    switch (nChar)
    {
    case VK_HOME:
        SelectButton(0);
        return;
    case VK_END:
        SelectButton(nCount - 1);
        return;
    case VK_LEFT:
    case VK_UP:
        if (iSel < 0)
            SelectButton(0);
        else if (iSel > 0)
            SelectButton(iSel - 1);
        return;
    case VK_RIGHT:
    case VK_DOWN:
        if (iSel < 0)
            SelectButton(0);
        else if (iSel < nCount - 1)
            SelectButton(iSel + 1);
        return;
    default:
        CButton::OnKeyDown(nChar, nRepCnt, nFlags);
    }
}

void CKTButtonsList::OnSetFocus(CWnd* pOldWnd)
{
    CButton::OnSetFocus(pOldWnd);
    m_bHasFocus = TRUE;
    if (m_pSelButton == nullptr)
        SelectButton(0);
    else
        InvalidateButton(m_pSelButton);
}

void CKTButtonsList::OnKillFocus(CWnd* pNewWnd)
{
    CButton::OnKillFocus(pNewWnd);
    m_bHasFocus = FALSE;
    InvalidateButton(m_pSelButton);
}

void CKTButtonsList::OnSize(UINT nType, int cx, int cy)
{
    CButton::OnSize(nType, cx, cy);
    RebuildLocations();
}

void CKTButtonsList::OnEnable(BOOL bEnable)
{
    CButton::OnEnable(bEnable);
    Invalidate();
}

void CKTButtonsList::OnSysColorChange()
{
    CButton::OnSysColorChange();
    if (m_pImages != nullptr)
        m_pImages->OnSysColorChange();
    Invalidate();
}

HBRUSH CKTButtonsList::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr && pWnd != nullptr;)
    {
        CKTToolbarButton* pButton = static_cast<CKTToolbarButton*>(m_Buttons.GetNext(pos));
        if (pButton->IsOwnerOf(pWnd->GetSafeHwnd()))
        {
            HBRUSH hBrush = pButton->OnCtlColor(pDC, nCtlColor);
            if (hBrush != nullptr)
                return hBrush;
        }
    }
    return CButton::OnCtlColor(pDC, pWnd, nCtlColor);
}

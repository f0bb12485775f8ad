#include "uitoolkit/looks/KTBarNcPainter.h"

#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManager.h"

namespace
{
// A horizontally docked bar with a gripper and this window style bit keeps its insets 7 pixels
// further left.
const DWORD kShiftedGripperStyle = 0x00400000;
const int kGripperShift = 7;
} // namespace

BOOL CKTBarNcPainter::IsHorizontal() const
{
    return (m_pBar->GetBarStyle() & CBRS_ORIENT_HORZ) != 0;
}

CRect CKTBarNcPainter::GetInsets() const
{
    CRect insets(0, 0, 0, 0);
    if (m_pBar == nullptr)
        return insets;
    const BOOL horizontal = IsHorizontal();
    m_pBar->CalcInsideRect(insets, horizontal);
    const DWORD barStyle = m_pBar->GetBarStyle();
    const BOOL windowBit = m_pBar->GetSafeHwnd() != nullptr &&
                           (::GetWindowLongW(m_pBar->GetSafeHwnd(), GWL_STYLE) & kShiftedGripperStyle) != 0;
    if (horizontal && (barStyle & CBRS_GRIPPER) && !(barStyle & CBRS_FLOATING) && windowBit)
        insets.OffsetRect(-kGripperShift, 0);
    return insets;
}

void CKTBarNcPainter::CalcNcSize(CRect& rect) const
{
    const CRect insets = GetInsets();
    rect.left += insets.left;
    rect.top += insets.top;
    rect.right += insets.right;
    rect.bottom += insets.bottom;
}

void CKTBarNcPainter::DrawNcArea()
{
    if (m_pBar == nullptr || m_pBar->GetSafeHwnd() == nullptr)
        return;
    HWND hWnd = m_pBar->GetSafeHwnd();
    CRect rectWindow;
    ::GetWindowRect(hWnd, &rectWindow);
    CRect rectClient;
    ::GetClientRect(hWnd, &rectClient);
    ::ClientToScreen(hWnd, reinterpret_cast<POINT*>(&rectClient.left));
    ::ClientToScreen(hWnd, reinterpret_cast<POINT*>(&rectClient.right));
    rectClient.OffsetRect(-rectWindow.left, -rectWindow.top);
    rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);

    CWindowDC dc(m_pBar);
    ClipToNcUpdateRegion(&dc, m_pBar);
    dc.ExcludeClipRect(rectClient);
    CKTVisualManager* pLook = CKTVisualManager::GetInstance();
    CRect rectInside = rectWindow;
    pLook->OnDrawBarBorder(&dc, m_pBar, rectInside);
    pLook->OnFillBarBackground(&dc, m_pBar, rectInside, rectInside);

    const DWORD barStyle = m_pBar->GetBarStyle();
    if ((barStyle & CBRS_GRIPPER) && !(barStyle & CBRS_FLOATING))
    {
        // The gripper lies in the non-client strip before the client area.
        const BOOL horizontal = IsHorizontal();
        CRect rectGripper = rectInside;
        if (horizontal)
            rectGripper.right = rectClient.left;
        else
            rectGripper.bottom = rectClient.top;
        if (!rectGripper.IsRectEmpty())
            pLook->OnDrawBarGripper(&dc, rectGripper, horizontal, m_pBar);
    }
}

BOOL CKTBarNcPainter::ClipToNcUpdateRegion(CDC* pDC, CWnd* pWnd)
{
    // The region comes with the WM_NCPAINT being handled, in screen coordinates; 1 means the
    // whole frame.
    const MSG* pMsg = CWnd::GetCurrentMessage();
    if (pDC == nullptr || pWnd == nullptr || pMsg == nullptr || pMsg->message != WM_NCPAINT ||
        pMsg->hwnd != pWnd->GetSafeHwnd() || pMsg->wParam <= 1)
        return FALSE;
    CRgn rgnUpdate;
    if (!rgnUpdate.CreateRectRgn(0, 0, 0, 0) ||
        ::CombineRgn((HRGN)rgnUpdate.GetSafeHandle(), reinterpret_cast<HRGN>(pMsg->wParam), nullptr, RGN_COPY) ==
            ERROR)
        return FALSE;
    CRect rectWindow;
    pWnd->GetWindowRect(&rectWindow);
    rgnUpdate.OffsetRgn(-rectWindow.left, -rectWindow.top);
    return pDC->SelectClipRgn(&rgnUpdate, RGN_AND) != ERROR;
}

void CKTBarNcPainter::DrawParentBackground(CDC* pDC)
{
    ktGlobals.DrawParentBackground(m_pBar, pDC, nullptr);
}

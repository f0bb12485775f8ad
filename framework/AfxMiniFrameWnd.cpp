#include "framework/AfxMiniFrameWnd.h"

#include "framework/AfxMsgMap.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
    ON_WM_NCACTIVATE()
    ON_MESSAGE(WM_FLOATSTATUS, &CMiniFrameWnd::OnFloatStatus)
END_MESSAGE_MAP()

BOOL CMiniFrameWnd::Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                           CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                             const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_strTitle = lpWindowName;
    return CWnd::CreateEx(dwExStyle | WS_EX_TOOLWINDOW, lpClassName, lpWindowName, dwStyle, rect.left, rect.top,
                          rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                          reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)));
}

BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr)
    {
        AfxEndDeferRegisterClass(0);
        cs.lpszClass = _afxWnd;
    }
    // The MFS_ bits stay in the window style (the frame and the programs that derive from it read
    // and change them there); a thick frame gives sizing borders.
    if ((cs.style & (MFS_THICKFRAME | MFS_4THICKFRAME)) != 0 && (cs.style & MFS_MOVEFRAME) == 0)
        cs.style |= WS_THICKFRAME;
    if ((cs.style & WS_CHILD) == 0)
        cs.style |= WS_POPUP;
    return TRUE;
}

void PASCAL CMiniFrameWnd::CalcBorders(LPRECT lpClientRect, DWORD dwStyle, DWORD dwExStyle)
{
    DWORD dwWindowStyle =
        dwStyle & ~(MFS_SYNCACTIVE | MFS_4THICKFRAME | MFS_THICKFRAME | MFS_MOVEFRAME | MFS_BLOCKSYSMENU);
    if ((dwStyle & (MFS_THICKFRAME | MFS_4THICKFRAME)) != 0 && (dwStyle & MFS_MOVEFRAME) == 0)
        dwWindowStyle |= WS_THICKFRAME;
    ::AdjustWindowRectEx(lpClientRect, dwWindowStyle | WS_POPUP, FALSE, dwExStyle | WS_EX_TOOLWINDOW);
}

BOOL CMiniFrameWnd::OnNcActivate(BOOL bActive)
{
    // A synchronised palette shows its caption active while its owner frame is active.
    CWnd* pOwner = GetTopLevelOwner();
    if ((GetStyle() & MFS_SYNCACTIVE) != 0 && pOwner != nullptr && pOwner != this &&
        ::GetActiveWindow() == pOwner->m_hWnd)
        bActive = TRUE;
    return (BOOL)DefWindowProc(WM_NCACTIVATE, bActive, 0);
}

LRESULT CMiniFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM)
{
    // The question "do you follow your owner's activation?" is answered, not carried out.
    if ((wParam & FS_SYNCACTIVE) != 0)
        return (GetStyle() & MFS_SYNCACTIVE) != 0;
    if ((wParam & (FS_SHOW | FS_HIDE)) != 0)
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     ((wParam & FS_SHOW) != 0 ? SWP_SHOWWINDOW : SWP_HIDEWINDOW) | SWP_NOZORDER | SWP_NOMOVE |
                         SWP_NOSIZE | SWP_NOACTIVATE);
    if ((wParam & (FS_ENABLE | FS_DISABLE)) != 0)
        EnableWindow((wParam & FS_ENABLE) != 0);
    if ((wParam & (FS_ACTIVATE | FS_DEACTIVATE)) != 0)
        DefWindowProc(WM_NCACTIVATE, (wParam & FS_ACTIVATE) != 0, 0);
    return TRUE;
}

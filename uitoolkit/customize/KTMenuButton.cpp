#include "uitoolkit/customize/KTMenuButton.h"

#include "uitoolkit/customize/KTContextMenuManager.h"
#include "uitoolkit/looks/KTMenuGlyphs.h"

IMPLEMENT_DYNCREATE(CKTMenuButton, CKTButton)

BEGIN_MESSAGE_MAP(CKTMenuButton, CKTButton)
ON_WM_KEYDOWN()
ON_WM_LBUTTONDOWN()
ON_WM_GETDLGCODE()
ON_WM_LBUTTONUP()
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

namespace
{
const int kArrowMargin = 10;
}

CKTMenuButton::CKTMenuButton() = default;

int CKTMenuButton::GlyphWidth()
{
    CKTMenuGlyphs::Initialize();
    return CKTMenuGlyphs::GetImageSize().cx;
}

CSize CKTMenuButton::SizeToContent(BOOL bCalcOnly)
{
    CSize size = CKTButton::SizeToContent(TRUE);
    size.cx += GlyphWidth();
    if (!bCalcOnly && GetSafeHwnd() != nullptr)
        SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return size;
}

void CKTMenuButton::OnDraw(CDC* pDC, const CRect& rect, UINT uiState)
{
    const CSize sizeGlyph = (CKTMenuGlyphs::Initialize(), CKTMenuGlyphs::GetImageSize());
    CRect rectContent = rect;
    rectContent.right -= sizeGlyph.cx + kArrowMargin;
    CKTButton::OnDraw(pDC, rectContent, uiState);

    int iGlyph = m_bRightArrow ? CKTMenuGlyphs::IdArrowRightLarge : CKTMenuGlyphs::IdArrowDownLarge;
    if (uiState & ODS_DISABLED)
        iGlyph++;

    CString strText;
    GetWindowText(strText);
    const BOOL bHasImage = m_Images.GetSafeHandle() != nullptr && m_Images.GetImageCount() > 0;
    CRect rectArrow = rect;
    if (bHasImage || !strText.IsEmpty())
        rectArrow.left = rectContent.right;
    const CPoint ptGlyph(rectArrow.left + (rectArrow.Width() - sizeGlyph.cx) / 2,
                         rectArrow.top + (rectArrow.Height() - sizeGlyph.cy) / 2);
    CKTMenuGlyphs::Draw(pDC, iGlyph, ptGlyph);
}

void CKTMenuButton::OnShowMenu()
{
    if (m_hMenu == nullptr || m_bMenuIsActive)
        return;

    CRect rectWindow;
    GetWindowRect(&rectWindow);
    int x = 0;
    int y = 0;
    if (m_bRightArrow)
    {
        x = rectWindow.right;
        y = rectWindow.top;
    }
    else
    {
        x = m_bRightAlignMenu ? rectWindow.right : rectWindow.left;
        y = rectWindow.bottom;
    }

    if (m_bStayPressed)
    {
        m_bPushed = TRUE;
        m_bHighlighted = TRUE;
    }
    m_bMenuIsActive = TRUE;
    Invalidate();
    UpdateWindow();

    const BOOL bRightAlign = m_bRightAlignMenu && !m_bRightArrow;
    if (!m_bOSMenu && g_pContextMenuManager != nullptr)
    {
        m_nMenuResult = (int)g_pContextMenuManager->TrackPopupMenu(m_hMenu, x, y, this, bRightAlign);
        SetFocus();
    }
    else
    {
        m_nMenuResult = (int)::TrackPopupMenu(
            m_hMenu, TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY | (bRightAlign ? TPM_RIGHTALIGN : TPM_LEFTALIGN), x,
            y, 0, m_hWnd, nullptr);
    }
    if (m_nMenuResult != 0)
        NotifyClick();

    m_bPushed = FALSE;
    m_bHighlighted = FALSE;
    m_bMenuIsActive = FALSE;
    if (GetSafeHwnd() != nullptr)
    {
        Invalidate();
        UpdateWindow();
    }
    if (CWnd::GetCapture() == this)
        ::ReleaseCapture();
    m_bCaptured = FALSE;
}

void CKTMenuButton::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_SPACE || nChar == VK_DOWN)
    {
        OnShowMenu();
        return;
    }
    CKTButton::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CKTMenuButton::OnLButtonDown(UINT, CPoint)
{
    SetFocus();
    OnShowMenu();
}

UINT CKTMenuButton::OnGetDlgCode()
{
    return DLGC_WANTARROWS;
}

void CKTMenuButton::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (IsHeldByMenu())
    {
        m_bClickedInside = FALSE;
        Default();
        if (CWnd::GetCapture() == this)
            ::ReleaseCapture();
        return;
    }
    CKTButton::OnLButtonUp(nFlags, point);
}

void CKTMenuButton::OnKillFocus(CWnd* pNewWnd)
{
    if (IsHeldByMenu())
    {
        m_bClickedInside = FALSE;
        m_bHover = FALSE;
        Default();
        if (CWnd::GetCapture() == this)
            ::ReleaseCapture();
        return;
    }
    CKTButton::OnKillFocus(pNewWnd);
}

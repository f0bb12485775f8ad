#include "uitoolkit/bars/KTCaptionBar.h"

#include "uitoolkit/bars/KTBarPopupMessage.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/bars/KTTrackMouseLeave.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManager.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CKTCaptionBar, CControlBar)

BEGIN_MESSAGE_MAP(CKTCaptionBar, CControlBar)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_NCCALCSIZE()
ON_WM_NCPAINT()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_RBUTTONUP()
ON_MESSAGE(WM_MOUSELEAVE, &CKTCaptionBar::OnMouseLeave)
ON_MESSAGE(WM_SETFONT, &CKTCaptionBar::OnSetFont)
ON_MESSAGE(WM_GETFONT, &CKTCaptionBar::OnGetFont)
END_MESSAGE_MAP()

namespace
{

// Moves the rectangle into the bounds where it sticks out (a centred or stretched element keeps
// its size), then cuts what is still wider than the bounds.
void KeepInside(CRect& rect, const CRect& bounds)
{
    if (rect.IsRectEmpty())
        return;
    if (rect.right > bounds.right)
        rect.OffsetRect(bounds.right - rect.right, 0);
    if (rect.left < bounds.left)
        rect.OffsetRect(bounds.left - rect.left, 0);
    rect.right = std::min(rect.right, bounds.right);
}

// Cuts the rectangle at the side where it meets the obstacle, keeping the part on its own side.
void CutAt(CRect& rect, const CRect& obstacle)
{
    if (rect.IsRectEmpty() || obstacle.IsRectEmpty() || rect.right <= obstacle.left || rect.left >= obstacle.right)
        return;
    if (rect.left + rect.right < obstacle.left + obstacle.right)
        rect.right = obstacle.left;
    else
        rect.left = obstacle.right;
    if (rect.right < rect.left)
        rect.right = rect.left;
}

} // namespace

CKTCaptionBar::CKTCaptionBar()
{
    m_rectImage.SetRectEmpty();
    m_rectText.SetRectEmpty();
    m_rectDrawText.SetRectEmpty();
    m_rectButton.SetRectEmpty();
}

CKTCaptionBar::~CKTCaptionBar() = default;

BOOL CKTCaptionBar::Create(DWORD dwStyle, CWnd* pParentWnd, UINT uID, int nHeight)
{
    m_nDefaultHeight = nHeight;
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW), nullptr);
    return CWnd::Create(lpszClass, nullptr, dwStyle, CRect(0, 0, 0, 0), pParentWnd, uID);
}

int CKTCaptionBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CControlBar::OnCreate(lpcs) == -1)
        return -1;
    RecalcLayout();
    return 0;
}

void CKTCaptionBar::SetText(const CString& strText, BarElementAlignment align)
{
    m_strText = strText;
    m_iTextAlignment = align;
    RecalcLayout();
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

void CKTCaptionBar::SetIcon(HICON hIcon, BarElementAlignment align)
{
    m_hIcon = hIcon;
    m_iBmpAlignment = align;
    AdjustLayout();
    RecalcLayout();
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

BOOL CKTCaptionBar::SetBitmap(UINT uiBmpResID, CSize sizeImage, COLORREF clrTransparent, BOOL bStretch,
                              BarElementAlignment align)
{
    m_Bitmap.Clear();
    m_Bitmap.SetImageSize(sizeImage);
    const BOOL bLoaded = m_Bitmap.Load(uiBmpResID);
    if (!bLoaded)
        m_Bitmap.Clear();
    else
        m_Bitmap.SetTransparentColor(clrTransparent);
    m_bStretchImage = bStretch;
    m_iBmpAlignment = align;
    AdjustLayout();
    RecalcLayout();
    if (GetSafeHwnd() != nullptr)
        Invalidate();
    return bLoaded;
}

void CKTCaptionBar::SetButton(LPCTSTR lpszLabel, UINT uiCmdUI, BarElementAlignment align, BOOL bHasDropDownArrow)
{
    m_strBtnText = lpszLabel != nullptr ? lpszLabel : L"";
    m_uiBtnID = uiCmdUI;
    m_iBtnAlignment = align;
    m_bBtnHasDropDownArrow = bHasDropDownArrow;
    m_bIsBtnPressed = m_bIsBtnHighlighted = FALSE;
    RecalcLayout();
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

void CKTCaptionBar::SetFlatBorder(BOOL bFlat)
{
    m_bFlatBorder = bFlat;
    if (GetSafeHwnd() != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

CSize CKTCaptionBar::CalcFixedLayout(BOOL /*bStretch*/, BOOL /*bHorz*/)
{
    RecalcLayout();
    return CSize(32767, m_nCurrentHeight);
}

BOOL CKTCaptionBar::HasImage() const
{
    return m_hIcon != nullptr || m_Bitmap.GetCount() > 0;
}

CSize CKTCaptionBar::GetImageSize() const
{
    if (m_hIcon != nullptr)
    {
        ICONINFO info{};
        if (!::GetIconInfo(m_hIcon, &info))
            return CSize(0, 0);
        BITMAP bm{};
        const BOOL bHasBits = ::GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof(bm), &bm);
        // A monochrome icon keeps its image and mask one above the other in the mask.
        CSize size = bHasBits ? CSize(bm.bmWidth, info.hbmColor != nullptr ? bm.bmHeight : bm.bmHeight / 2) : CSize();
        if (info.hbmColor != nullptr)
            ::DeleteObject(info.hbmColor);
        if (info.hbmMask != nullptr)
            ::DeleteObject(info.hbmMask);
        return size;
    }
    return m_Bitmap.GetCount() > 0 ? m_Bitmap.GetImageSize() : CSize(0, 0);
}

CFont* CKTCaptionBar::SelectFont(CDC* pDC)
{
    if (m_hFont != nullptr)
        return CFont::FromHandle(static_cast<HFONT>(pDC->SelectObject(m_hFont)));
    return pDC->SelectObject(&ktGlobals.m_fontText);
}

void CKTCaptionBar::RecalcLayout()
{
    CClientDC dc(nullptr);
    CFont* pOldFont = SelectFont(&dc);
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    const CSize sizeImage = HasImage() ? GetImageSize() : CSize(0, 0);
    m_nCurrentHeight = m_nDefaultHeight != -1
                           ? m_nDefaultHeight
                           : m_nBorderSize + 2 * m_nMargin + std::max<int>(tm.tmHeight + 2, sizeImage.cy);

    m_rectImage.SetRectEmpty();
    m_rectButton.SetRectEmpty();
    m_rectText.SetRectEmpty();
    m_rectDrawText.SetRectEmpty();
    CRect rectClient;
    if (GetSafeHwnd() != nullptr)
        GetClientRect(&rectClient);
    if (rectClient.IsRectEmpty())
    {
        dc.SelectObject(pOldFont);
        return;
    }
    const int M = m_nMargin;
    const int H = m_nHorzElementOffset;
    CRect rectInner = rectClient;
    rectInner.DeflateRect(M, 0);

    if (HasImage())
    {
        if (m_bStretchImage)
            m_rectImage.SetRect(0, rectClient.top + M, sizeImage.cx, rectClient.bottom - M);
        else
        {
            const int top = rectClient.top + (rectClient.Height() - sizeImage.cy) / 2;
            m_rectImage.SetRect(0, top, sizeImage.cx, top + sizeImage.cy);
        }
        int left = rectClient.left + M;
        if (m_iBmpAlignment == ALIGN_RIGHT)
            left = rectClient.right - M - sizeImage.cx;
        else if (m_iBmpAlignment == ALIGN_CENTER)
            left = rectClient.CenterPoint().x - sizeImage.cx / 2;
        m_rectImage.OffsetRect(left, 0);
        KeepInside(m_rectImage, rectInner);
    }

    // What stands at each side before the button and the text.
    const int nLeftStart =
        !m_rectImage.IsRectEmpty() && m_iBmpAlignment == ALIGN_LEFT ? m_rectImage.right : rectClient.left;
    const int nRightStart =
        !m_rectImage.IsRectEmpty() && m_iBmpAlignment == ALIGN_RIGHT ? m_rectImage.left : rectClient.right;

    if (!m_strBtnText.IsEmpty())
    {
        int cx = dc.GetTextExtent(m_strBtnText).cx + 2 * H;
        if (m_uiBtnID != 0 && m_bBtnHasDropDownArrow)
            cx += kArrowStrip;
        int left = nLeftStart;
        if (m_iBtnAlignment == ALIGN_RIGHT)
            left = nRightStart - cx;
        else if (m_iBtnAlignment == ALIGN_CENTER)
            left = rectClient.CenterPoint().x - cx / 2;
        m_rectButton.SetRect(left, rectClient.top, left + cx, rectClient.bottom);
        KeepInside(m_rectButton, rectClient);
        CutAt(m_rectButton, m_rectImage);
    }

    if (!m_strText.IsEmpty())
    {
        CRect rectCalc(0, 0, 32767, 0);
        dc.DrawText(m_strText, &rectCalc, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
        const int cx = rectCalc.Width();
        const int cy = rectCalc.Height();
        const BOOL bButton = !m_rectButton.IsRectEmpty();
        int left = (bButton && m_iBtnAlignment == ALIGN_LEFT ? static_cast<int>(m_rectButton.right) : nLeftStart) + H;
        if (m_iTextAlignment == ALIGN_RIGHT)
        {
            const int right =
                (bButton && m_iBtnAlignment == ALIGN_RIGHT ? static_cast<int>(m_rectButton.left) : nRightStart) - H;
            left = right - cx;
        }
        else if (m_iTextAlignment == ALIGN_CENTER)
            left = rectClient.CenterPoint().x - cx / 2;
        const int top = rectClient.top + (rectClient.Height() - cy) / 2;
        m_rectText.SetRect(left, top, left + cx, top + cy);
        KeepInside(m_rectText, rectInner);
        CutAt(m_rectText, m_rectImage);
        CutAt(m_rectText, m_rectButton);
    }
    m_rectDrawText = m_rectText;
    dc.SelectObject(pOldFont);
}

void CKTCaptionBar::AdjustLayout()
{
    if (GetSafeHwnd() == nullptr)
        return;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr && pFrame->GetSafeHwnd() != nullptr)
        pFrame->RecalcLayout();
}

void CKTCaptionBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    RecalcLayout();
    Invalidate();
}

LRESULT CKTCaptionBar::OnSetFont(WPARAM wParam, LPARAM /*lParam*/)
{
    m_hFont = reinterpret_cast<HFONT>(wParam);
    AdjustLayout();
    return 0;
}

LRESULT CKTCaptionBar::OnGetFont(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return reinterpret_cast<LRESULT>(m_hFont);
}

BOOL CKTCaptionBar::OnEraseBkgnd(CDC* pDC)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    OnDrawBackground(pDC, rectClient);
    return TRUE;
}

void CKTCaptionBar::OnPaint()
{
    CPaintDC dc(this);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(m_clrBarText != (COLORREF)-1 ? m_clrBarText
                                                 : CKTVisualManager::GetInstance()->GetCaptionBarTextColor(this));
    CFont* pOldFont = SelectFont(&dc);
    if (!m_rectButton.IsRectEmpty())
        OnDrawButton(&dc, m_rectButton, m_strBtnText, m_bBtnHasDropDownArrow && m_uiBtnID != 0);
    if (!m_rectDrawText.IsRectEmpty())
        OnDrawText(&dc, m_rectDrawText, m_strText);
    if (!m_rectImage.IsRectEmpty())
        OnDrawImage(&dc, m_rectImage);
    dc.SelectObject(pOldFont);
}

void CKTCaptionBar::OnDrawBackground(CDC* pDC, CRect rect)
{
    CKTVisualManager::GetInstance()->OnFillBarBackground(pDC, this, rect, rect);
}

void CKTCaptionBar::OnDrawBorder(CDC* pDC, CRect rect)
{
    rect.InflateRect(2, 0);
    if (m_clrBarBackground != (COLORREF)-1)
        pDC->FillSolidRect(rect, m_clrBarBackground);
    else
        pDC->FillRect(rect, &ktGlobals.m_brushBarFace);
    if (!m_bFlatBorder)
        pDC->Draw3dRect(rect, ktGlobals.m_colorHighlight, ktGlobals.m_colorShadow);
}

void CKTCaptionBar::OnDrawText(CDC* pDC, CRect rect, const CString& strText)
{
    pDC->DrawText(strText, &rect, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void CKTCaptionBar::OnDrawImage(CDC* pDC, CRect rect)
{
    if (m_hIcon != nullptr)
    {
        ::DrawIconEx(pDC->GetSafeHdc(), rect.left, rect.top, m_hIcon, rect.Width(), rect.Height(), 0, nullptr,
                     DI_NORMAL);
        return;
    }
    CKTDrawState ds;
    if (!m_Bitmap.PrepareDrawImage(ds, m_bStretchImage ? rect.Size() : CSize(0, 0)))
        return;
    m_Bitmap.Draw(pDC, rect.left, rect.top, 0);
    m_Bitmap.EndDrawImage(ds);
}

void CKTCaptionBar::OnDrawButton(CDC* pDC, CRect rect, const CString& strButton, BOOL bDrawArrow)
{
    if (m_bIsBtnPressed || m_bIsBtnHighlighted)
    {
        pDC->Draw3dRect(rect, m_bIsBtnPressed ? ktGlobals.m_colorShadow : ktGlobals.m_colorHighlight,
                        m_bIsBtnPressed ? ktGlobals.m_colorHighlight : ktGlobals.m_colorShadow);
    }
    CRect rectText = rect;
    rectText.DeflateRect(m_nHorzElementOffset, 0);
    if (bDrawArrow)
        rectText.right -= kArrowStrip;
    pDC->DrawText(strButton, &rectText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    if (!bDrawArrow)
        return;

    // A small triangle pointing down, centred in the strip at the right.
    const CRect rectArrow(rect.right - kArrowStrip, rect.top, rect.right, rect.bottom);
    const int nHeight = std::max(1, std::min<int>(rectArrow.Height() / 3, kArrowStrip / 2));
    const int x = rectArrow.CenterPoint().x;
    const int y = rectArrow.CenterPoint().y - nHeight / 2;
    CPen pen(PS_SOLID, 1, pDC->GetTextColor());
    CPen* pOldPen = pDC->SelectObject(&pen);
    for (int i = 0; i < nHeight; ++i)
    {
        const int half = nHeight - 1 - i;
        pDC->MoveTo(x - half, y + i);
        pDC->LineTo(x + half + 1, y + i);
    }
    pDC->SelectObject(pOldPen);
}

void CKTCaptionBar::OnNcCalcSize(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS* lpncsp)
{
    lpncsp->rgrc[0].top += m_nBorderSize;
    lpncsp->rgrc[0].bottom -= m_nBorderSize;
    if (lpncsp->rgrc[0].bottom < lpncsp->rgrc[0].top)
        lpncsp->rgrc[0].bottom = lpncsp->rgrc[0].top;
}

void CKTCaptionBar::OnNcPaint()
{
    CWindowDC dc(this);
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
    OnDrawBorder(&dc, CRect(rectWindow.left, rectWindow.top, rectWindow.right, rectWindow.top + m_nBorderSize));
    OnDrawBorder(&dc, CRect(rectWindow.left, rectWindow.bottom - m_nBorderSize, rectWindow.right, rectWindow.bottom));
}

void CKTCaptionBar::RedrawButton()
{
    if (!m_rectButton.IsRectEmpty())
        InvalidateRect(m_rectButton);
}

void CKTCaptionBar::OnMouseMove(UINT nFlags, CPoint point)
{
    CControlBar::OnMouseMove(nFlags, point);
    if (!m_bTracked)
    {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
        m_bTracked = KTTrackMouseLeave(&tme);
    }
    if (m_uiBtnID == 0 || !m_bBtnHasDropDownArrow)
        return;
    const BOOL bOver = m_rectButton.PtInRect(point);
    if (bOver != m_bIsBtnHighlighted)
    {
        m_bIsBtnHighlighted = bOver;
        RedrawButton();
    }
}

LRESULT CKTCaptionBar::OnMouseLeave(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    m_bTracked = FALSE;
    if (m_bIsBtnPressed || m_bIsBtnHighlighted)
    {
        m_bIsBtnPressed = m_bIsBtnHighlighted = FALSE;
        RedrawButton();
    }
    return 0;
}

void CKTCaptionBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    CControlBar::OnLButtonDown(nFlags, point);
    if (!m_bIsBtnHighlighted)
        return;
    m_bIsBtnPressed = TRUE;
    RedrawButton();
    UpdateWindow();
    CWnd* pParent = GetParent();
    if (pParent != nullptr)
        pParent->SendMessage(WM_COMMAND, m_uiBtnID);
}

void CKTCaptionBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    CControlBar::OnLButtonUp(nFlags, point);
    if (!m_bIsBtnPressed)
        return;
    m_bIsBtnPressed = FALSE;
    RedrawButton();
}

void CKTCaptionBar::OnRButtonUp(UINT nFlags, CPoint point)
{
    CControlBar::OnRButtonUp(nFlags, point);
    if (CKTToolBar::IsCustomizeMode())
        return;
    CWnd* pTarget = GetOwner();
    if (pTarget == nullptr)
        pTarget = GetParent();
    if (pTarget == nullptr)
        return;
    ClientToScreen(&point);
    pTarget->SendMessage(KTGetToolbarPopupMenuMessage(), reinterpret_cast<WPARAM>(m_hWnd), KTPackScreenPoint(point));
}

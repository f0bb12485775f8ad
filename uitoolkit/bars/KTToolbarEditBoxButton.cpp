#include "uitoolkit/bars/KTToolbarEditBoxButton.h"

#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/bars/KTTrackMouseLeave.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManager.h"

#include <algorithm>

IMPLEMENT_SERIAL(CKTToolbarEditBoxButton, CKTToolbarButton, VERSIONABLE_SCHEMA | 1)

namespace
{
CKTToolbarEditBoxButton* AsEditBox(CObject* pObject)
{
    return pObject != nullptr && pObject->IsKindOf(RUNTIME_CLASS(CKTToolbarEditBoxButton))
               ? static_cast<CKTToolbarEditBoxButton*>(pObject)
               : nullptr;
}
} // namespace

LRESULT CKTToolbarEditCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_KEYDOWN:
        if (wParam == VK_TAB && GetParent() != nullptr)
        {
            CWnd* pNext = GetParent()->GetNextDlgTabItem(this, ::GetKeyState(VK_SHIFT) < 0);
            if (pNext != nullptr)
                pNext->SetFocus();
            return 0;
        }
        if (wParam == VK_ESCAPE)
        {
            if (CWnd* pTop = GetTopLevelFrame())
                pTop->SetFocus();
            return 0;
        }
        break;
    case WM_MOUSELEAVE:
        m_bTracked = FALSE;
        m_button.SetHot(::GetFocus() == m_hWnd);
        return 0;
    default:
        break;
    }
    const LRESULT lResult = CEdit::WindowProc(message, wParam, lParam);
    switch (message)
    {
    case WM_SETFOCUS:
        m_button.SetHot(TRUE);
        break;
    case WM_KILLFOCUS:
        m_button.SetHot(FALSE);
        break;
    case WM_MOUSEMOVE:
        m_button.SetHot(TRUE);
        if (!m_bTracked)
        {
            TRACKMOUSEEVENT tme = {sizeof(TRACKMOUSEEVENT), TME_LEAVE, m_hWnd, 0};
            m_bTracked = KTTrackMouseLeave(&tme);
        }
        break;
    default:
        break;
    }
    return lResult;
}

CKTToolbarEditBoxButton::CKTToolbarEditBoxButton() = default;

CKTToolbarEditBoxButton::CKTToolbarEditBoxButton(UINT uiID, int iImage, DWORD dwStyle, int iWidth)
    : CKTToolbarButton(uiID, iImage, nullptr, FALSE, FALSE),
      m_dwStyle(dwStyle | WS_CHILD | WS_VISIBLE), m_iWidth(iWidth == 0 ? DefaultWidth : iWidth)
{
}

CKTToolbarEditBoxButton::~CKTToolbarEditBoxButton() { DestroyEdit(); }

void CKTToolbarEditBoxButton::DestroyEdit()
{
    if (m_pWndEdit == nullptr)
        return;
    if (m_pWndEdit->GetSafeHwnd() != nullptr)
        m_pWndEdit->DestroyWindow();
    delete m_pWndEdit;
    m_pWndEdit = nullptr;
}

void CKTToolbarEditBoxButton::Serialize(CArchive& ar)
{
    CKTToolbarButton::Serialize(ar);
    if (ar.IsLoading())
    {
        int iWidth = 0;
        DWORD dwStyle = 0;
        CString strText;
        ar >> iWidth >> dwStyle >> strText;
        m_iWidth = iWidth;
        m_dwStyle = dwStyle;
        m_strContents = strText;
        m_rect.right = m_rect.left + m_iWidth;
        return;
    }
    // Without a control the kept text is what the box shows, so it is stored as it is.
    if (m_pWndEdit->GetSafeHwnd() != nullptr)
        m_pWndEdit->GetWindowText(m_strContents);
    ar << m_iWidth << m_dwStyle << m_strContents;
}

void CKTToolbarEditBoxButton::CopyFrom(const CKTToolbarButton& src)
{
    CKTToolbarButton::CopyFrom(src);
    if (!src.IsKindOf(RUNTIME_CLASS(CKTToolbarEditBoxButton)))
        return;
    const auto* pSrc = static_cast<const CKTToolbarEditBoxButton*>(&src);
    m_dwStyle = pSrc->m_dwStyle;
    m_iWidth = pSrc->m_iWidth;
    m_strContents = pSrc->m_strContents;
}

SIZE CKTToolbarEditBoxButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz)
{
    m_bHorzLast = bHorz;
    m_bHorz = bHorz;
    if (!bHorz)
    {
        if (m_pWndEdit->GetSafeHwnd() != nullptr)
            m_pWndEdit->ShowWindow(SW_HIDE);
        m_sizeText = CSize(0, 0);
        return CKTToolbarButton::OnCalculateSize(pDC, sizeDefault, bHorz);
    }
    if (m_pWndEdit->GetSafeHwnd() != nullptr && !IsLocked())
        m_pWndEdit->ShowWindow(SW_SHOWNOACTIVATE);
    if (m_bTextBelow && !m_strText.IsEmpty())
    {
        CRect rectText(0, 0, m_iWidth, sizeDefault.cy);
        pDC->DrawText(m_strText, &rectText, DT_CALCRECT | DT_CENTER | DT_WORDBREAK);
        m_sizeText = rectText.Size();
        return CSize(m_iWidth, sizeDefault.cy + m_sizeText.cy);
    }
    return CSize(m_iWidth, sizeDefault.cy);
}

BOOL CKTToolbarEditBoxButton::OnClick(CWnd* pWnd, BOOL bDelay)
{
    if (m_pWndEdit->GetSafeHwnd() != nullptr && m_pWndEdit->IsWindowVisible())
        return TRUE;
    return CKTToolbarButton::OnClick(pWnd, bDelay);
}

void CKTToolbarEditBoxButton::OnChangeParentWnd(CWnd* pWndParent)
{
    CKTToolbarButton::OnChangeParentWnd(pWndParent);
    if (m_pWndEdit->GetSafeHwnd() != nullptr && m_pWndEdit->GetParent() != pWndParent)
    {
        m_pWndEdit->GetWindowText(m_strContents);
        DestroyEdit();
    }
    if (pWndParent->GetSafeHwnd() == nullptr || m_pWndEdit != nullptr)
        return;
    CRect rect = m_rect;
    rect.DeflateRect(3, 1);
    rect.bottom = rect.top + ktGlobals.m_textHeight;
    m_pWndEdit = CreateEdit(pWndParent, rect);
    if (m_pWndEdit == nullptr)
        return;
    OnMove();
    m_pWndEdit->SetFont(&ktGlobals.m_fontText);
    CString strText;
    m_pWndEdit->GetWindowText(strText);
    if (strText.IsEmpty())
    {
        m_bChangingText = TRUE;
        m_pWndEdit->SetWindowText(m_strContents);
        m_bChangingText = FALSE;
    }
    else
        m_strContents = strText;
}

CEdit* CKTToolbarEditBoxButton::CreateEdit(CWnd* pWndParent, const CRect& rect)
{
    auto* pEdit = new CKTToolbarEditCtrl(*this);
    if (!pEdit->Create(m_dwStyle, rect, pWndParent, m_nID))
    {
        delete pEdit;
        return nullptr;
    }
    return pEdit;
}

void CKTToolbarEditBoxButton::OnMove()
{
    // The control's own style: a bar laid out before its frame is shown still places its box.
    if (m_pWndEdit->GetSafeHwnd() == nullptr || (m_pWndEdit->GetStyle() & WS_VISIBLE) == 0)
        return;
    const int cyText = ktGlobals.m_textHeight;
    const int iFree = std::max(0, static_cast<int>(m_rect.Height() - m_sizeText.cy - cyText));
    m_pWndEdit->SetWindowPos(nullptr, m_rect.left + 3, m_rect.top + iFree / 2, m_rect.Width() - 6, cyText,
                             SWP_NOZORDER | SWP_NOACTIVATE);
    m_pWndEdit->SetSel(-1, 0);
    m_pWndEdit->SendMessage(EM_SCROLLCARET);
}

void CKTToolbarEditBoxButton::OnSize(int iSize)
{
    m_iWidth = iSize;
    m_rect.right = m_rect.left + m_iWidth;
    OnMove();
}

HWND CKTToolbarEditBoxButton::GetHwnd() { return m_pWndEdit->GetSafeHwnd(); }

BOOL CKTToolbarEditBoxButton::NotifyCommand(int iNotifyCode)
{
    if (iNotifyCode != EN_UPDATE || m_pWndEdit->GetSafeHwnd() == nullptr)
        return FALSE;
    m_pWndEdit->GetWindowText(m_strContents);
    CObList listButtons;
    CKTToolBar::GetCommandButtons(m_nID, listButtons);
    for (POSITION pos = listButtons.GetHeadPosition(); pos != nullptr;)
    {
        auto* pOther = AsEditBox(listButtons.GetNext(pos));
        if (pOther != nullptr && pOther != this)
            pOther->SetContents(m_strContents);
    }
    return !m_bChangingText;
}

void CKTToolbarEditBoxButton::SetContents(const CString& strText)
{
    if (strText.CompareNoCase(m_strContents) == 0)
        return;
    m_strContents = strText;
    if (m_pWndEdit->GetSafeHwnd() != nullptr)
    {
        m_bChangingText = TRUE;
        m_pWndEdit->SetWindowText(strText);
        m_bChangingText = FALSE;
    }
}

void CKTToolbarEditBoxButton::OnGlobalSync()
{
    CObList listButtons;
    CKTToolBar::GetCommandButtons(m_nID, listButtons);
    for (POSITION pos = listButtons.GetHeadPosition(); pos != nullptr;)
    {
        auto* pOther = AsEditBox(listButtons.GetNext(pos));
        if (pOther != nullptr && pOther != this)
        {
            CopyFrom(*pOther);
            return;
        }
    }
}

HBRUSH CKTToolbarEditBoxButton::OnCtlColor(CDC* pDC, UINT /*nCtlColor*/)
{
    pDC->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    pDC->SetBkColor(::GetSysColor(COLOR_WINDOW));
    return ::GetSysColorBrush(COLOR_WINDOW);
}

BOOL CKTToolbarEditBoxButton::HasVisibleEdit() const
{
    return m_pWndEdit->GetSafeHwnd() != nullptr && m_pWndEdit->IsWindowVisible();
}

BOOL CKTToolbarEditBoxButton::DrawsBorder() const
{
    return !HasVisibleEdit();
}

void CKTToolbarEditBoxButton::GetEditBorder(CRect& rectBorder)
{
    rectBorder.SetRectEmpty();
    if (m_pWndEdit->GetSafeHwnd() == nullptr)
        return;
    m_pWndEdit->GetWindowRect(&rectBorder);
    if (CWnd* pParent = m_pWndEdit->GetParent())
        pParent->ScreenToClient(&rectBorder);
    rectBorder.InflateRect(1, 1);
}

void CKTToolbarEditBoxButton::OnDraw(CDC* pDC, const CRect& rect, CKTImageStrip* pImages, BOOL bHorz,
                                     BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder, BOOL bGrayDisabledButtons)
{
    if (!HasVisibleEdit())
    {
        CKTToolbarButton::OnDraw(pDC, rect, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder,
                                 bGrayDisabledButtons);
        return;
    }
    const BOOL bDisabled = bCustomizeMode ? !IsEditable() : (m_nStyle & TBBS_DISABLED) != 0;
    CRect rectBorder;
    GetEditBorder(rectBorder);
    CKTVisualManager::GetInstance()->OnDrawEditBorder(pDC, rectBorder, bDisabled, TRUE, this);
    if (!HasLabelBelow() || !bHorz)
        return;
    COLORREF clrText = ktGlobals.m_colorBarText;
    if (bDisabled)
        clrText = ktGlobals.m_colorGrayText;
    else if (bHighlight && CKTToolBar::GetCustomTextColor() != (COLORREF)-1)
        clrText = CKTToolBar::GetCustomTextColor();
    const COLORREF clrOld = pDC->SetTextColor(clrText);
    const int iOldMode = pDC->SetBkMode(TRANSPARENT);
    CRect rectText = rect;
    rectText.top = rect.bottom - m_sizeText.cy;
    pDC->DrawText(m_strText, &rectText, DT_CENTER | DT_WORDBREAK);
    pDC->SetBkMode(iOldMode);
    pDC->SetTextColor(clrOld);
}

int CKTToolbarEditBoxButton::DrawAsListItem(CDC* pDC, const CRect& rect, BOOL bSelected)
{
    const int iUsed = CKTToolbarButton::DrawAsListItem(pDC, rect, bSelected);
    CRect rectField = rect;
    rectField.left = std::min(rect.left + iUsed, rect.right - 8);
    rectField.DeflateRect(2, 3);
    pDC->FillSolidRect(rectField, ktGlobals.m_colorWindow);
    ::DrawEdge(pDC->GetSafeHdc(), &rectField, EDGE_SUNKEN, BF_RECT);
    return rect.Width();
}

CRect CKTToolbarEditBoxButton::GetInvalidateRect() const
{
    if (!HasLabelBelow())
        return m_rect;
    CRect rect = m_rect;
    const int xCentre = rect.CenterPoint().x;
    const int iHalf = std::max(static_cast<int>(rect.Width()), static_cast<int>(m_sizeText.cx)) / 2;
    rect.left = xCentre - iHalf;
    rect.right = xCentre + iHalf + 1;
    rect.bottom += m_sizeText.cy;
    return rect;
}

void CKTToolbarEditBoxButton::OnShow(BOOL bShow)
{
    if (m_pWndEdit->GetSafeHwnd() == nullptr)
        return;
    if (bShow && m_bHorzLast)
    {
        m_pWndEdit->ShowWindow(SW_SHOWNOACTIVATE);
        OnMove();
    }
    else
        m_pWndEdit->ShowWindow(SW_HIDE);
}

void CKTToolbarEditBoxButton::SetStyle(UINT nStyle)
{
    m_nStyle = nStyle;
    if (m_pWndEdit->GetSafeHwnd() == nullptr)
        return;
    const BOOL bEnable = CKTToolBar::IsCustomizeMode() ? IsEditable() : (nStyle & TBBS_DISABLED) == 0;
    m_pWndEdit->EnableWindow(bEnable);
}

void CKTToolbarEditBoxButton::SetHot(BOOL bHot)
{
    if (m_bHot == bHot)
        return;
    m_bHot = bHot;
    if (m_pWndParent->GetSafeHwnd() != nullptr)
    {
        m_pWndParent->InvalidateRect(GetInvalidateRect());
        m_pWndParent->UpdateWindow();
    }
}

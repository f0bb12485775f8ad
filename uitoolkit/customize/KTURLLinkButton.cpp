#include "uitoolkit/customize/KTURLLinkButton.h"

#include "uitoolkit/looks/KTUIGlobals.h"

#include <shellapi.h>

IMPLEMENT_DYNCREATE(CKTURLLinkButton, CKTButton)

CKTURLLinkButton::ShellOpenFunc CKTURLLinkButton::s_pfnShellOpen = &CKTURLLinkButton::ShellOpen;

// The click reaches the parent as well: the handler answers FALSE.
BEGIN_MESSAGE_MAP(CKTURLLinkButton, CKTButton)
ON_CONTROL_REFLECT_EX(BN_CLICKED, &CKTURLLinkButton::OnClicked)
END_MESSAGE_MAP()

CKTURLLinkButton::CKTURLLinkButton()
{
    m_nFlatStyle = BUTTONSTYLE_NOBORDERS;
    m_bTransparent = TRUE;
    m_sizePushOffset = CSize(0, 0);
    m_clrRegular = ktGlobals.m_colorSelection;
    m_clrHover = RGB(0, 0, 255);
    SetHandCursor();
}

void CKTURLLinkButton::SetURL(LPCTSTR lpszURL)
{
    m_strURL = lpszURL != nullptr ? lpszURL : L"";
}

BOOL CKTURLLinkButton::ShellOpen(LPCTSTR lpszTarget, int nShowCmd)
{
    return (INT_PTR)::ShellExecute(nullptr, nullptr, lpszTarget, nullptr, nullptr, nShowCmd) > 32;
}

CKTURLLinkButton::ShellOpenFunc CKTURLLinkButton::SetShellOpenFunc(ShellOpenFunc pfnOpen)
{
    ShellOpenFunc pfnOld = s_pfnShellOpen;
    s_pfnShellOpen = pfnOpen != nullptr ? pfnOpen : &CKTURLLinkButton::ShellOpen;
    return pfnOld;
}

void CKTURLLinkButton::OnDraw(CDC* pDC, const CRect& rect, UINT)
{
    CString strText;
    GetWindowText(strText);
    HGDIOBJ hOldFont = pDC->SelectObject(ktGlobals.m_fontUnderline.GetSafeHandle());
    pDC->SetTextColor(m_bHover ? m_clrHover : m_clrRegular);
    pDC->SetBkMode(TRANSPARENT);
    CRect rectText = rect;
    pDC->DrawText(strText, rectText, DT_SINGLELINE | DT_LEFT | DT_TOP);
    if (hOldFont != nullptr)
        pDC->SelectObject(hOldFont);
}

void CKTURLLinkButton::OnDrawFocusRect(CDC* pDC, const CRect&)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    pDC->DrawFocusRect(rectClient);
}

BOOL CKTURLLinkButton::OnClicked()
{
    OpenLink();
    return FALSE;
}

void CKTURLLinkButton::OpenLink()
{
    if (GetSafeHwnd() == nullptr || !IsWindowEnabled())
        return;
    HCURSOR hOldCursor = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    CString strTarget = m_strURL;
    if (strTarget.IsEmpty())
        GetWindowText(strTarget);
    strTarget = m_strURLPrefix + strTarget;
    // Shown: the program that opens the link is started visible.
    s_pfnShellOpen(strTarget, SW_SHOWNORMAL);
    m_bHover = FALSE;
    Invalidate();
    UpdateWindow();
    ::SetCursor(hOldCursor);
}

BOOL CKTURLLinkButton::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_SPACE || pMsg->wParam == VK_RETURN))
        return TRUE;
    if (pMsg->message == WM_KEYUP)
    {
        if (pMsg->wParam == VK_SPACE)
            return TRUE;
        if (pMsg->wParam == VK_RETURN)
        {
            OpenLink();
            return TRUE;
        }
    }
    return CKTButton::PreTranslateMessage(pMsg);
}

CSize CKTURLLinkButton::SizeToContent(BOOL bVCenter, BOOL bHCenter)
{
    if (m_sizeImage != CSize(0, 0))
        return CKTButton::SizeToContent(FALSE);
    if (GetSafeHwnd() == nullptr)
        return CSize(0, 0);

    CString strText;
    GetWindowText(strText);
    CClientDC dc(this);
    HGDIOBJ hOldFont = dc.SelectObject(ktGlobals.m_fontUnderline.GetSafeHandle());
    CRect rectText(0, 0, 0, 0);
    dc.DrawText(strText, rectText, DT_SINGLELINE | DT_CALCRECT);
    if (hOldFont != nullptr)
        dc.SelectObject(hOldFont);
    rectText.InflateRect(3, 3);
    const CSize size = rectText.Size();

    if (!bVCenter && !bHCenter)
    {
        SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return size;
    }

    CRect rectOld;
    GetWindowRect(&rectOld);
    if (CWnd* pParent = GetParent())
        pParent->ScreenToClient(&rectOld);
    const int x = bHCenter ? rectOld.left + (rectOld.Width() - size.cx) / 2 : rectOld.left;
    const int y = bVCenter ? rectOld.top + (rectOld.Height() - size.cy) / 2 : rectOld.top;
    SetWindowPos(nullptr, x, y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    return size;
}

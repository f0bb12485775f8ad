#include "app/PictureStatic.h"

BEGIN_MESSAGE_MAP(CPictureStatic, CStatic)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_MESSAGE(WM_SETTEXT, &CPictureStatic::OnSetText)
END_MESSAGE_MAP()

CPictureStatic::~CPictureStatic()
{
    if (m_bitmap)
        ::DeleteObject(m_bitmap);
}

bool CPictureStatic::SetBitmap(HBITMAP bitmap)
{
    if (!bitmap)
        return false;
    if (m_bitmap && m_bitmap != bitmap)
        ::DeleteObject(m_bitmap);
    m_bitmap = bitmap;
    m_transparent = false;
    BITMAP info = {};
    ::GetObjectW(bitmap, sizeof(info), &info);
    m_width = info.bmWidth;
    m_height = info.bmHeight;
    m_clientRect = {0, 0, m_width, m_height};
    if (m_hWnd)
        Invalidate();
    return true;
}

bool CPictureStatic::SetBitmap(UINT resourceId, COLORREF transparent)
{
    HBITMAP bitmap = static_cast<HBITMAP>(
        ::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!SetBitmap(bitmap))
        return false;
    m_transparentColour = transparent;
    m_transparent = true;
    return true;
}

void CPictureStatic::SizeToBitmap()
{
    if (!m_bitmap || !m_hWnd)
        return;
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, m_width, m_height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::GetClientRect(m_hWnd, &m_clientRect);
}

void CPictureStatic::SetTextArea(const RECT& area)
{
    m_textArea = area;
    if (m_hWnd)
        Invalidate();
}

LRESULT CPictureStatic::OnSetText(WPARAM, LPARAM text)
{
    m_text = text ? reinterpret_cast<const wchar_t*>(text) : L"";
    Default();
    Invalidate();
    return TRUE;
}

BOOL CPictureStatic::OnEraseBkgnd(CDC* dc)
{
    HDC hdc = dc->GetSafeHdc();
    HBRUSH brush = reinterpret_cast<HBRUSH>(::SendMessageW(
        ::GetParent(m_hWnd), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(m_hWnd)));
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    ::FillRect(hdc, &client, brush ? brush : ::GetSysColorBrush(COLOR_BTNFACE));
    return TRUE;
}

void CPictureStatic::DrawTransparent(HDC dc, HDC source) const
{
    // The mask is set where the bitmap has the transparent colour; there the background stays.
    HDC maskDc = ::CreateCompatibleDC(dc);
    HBITMAP mask = ::CreateBitmap(m_width, m_height, 1, 1, nullptr);
    HGDIOBJ oldMask = ::SelectObject(maskDc, mask);
    const COLORREF oldBack = ::SetBkColor(source, m_transparentColour);
    ::BitBlt(maskDc, 0, 0, m_width, m_height, source, 0, 0, SRCCOPY);
    ::SetBkColor(source, oldBack);
    const COLORREF oldDcBack = ::SetBkColor(dc, RGB(255, 255, 255));
    const COLORREF oldDcText = ::SetTextColor(dc, RGB(0, 0, 0));
    ::BitBlt(dc, 0, 0, m_width, m_height, source, 0, 0, SRCINVERT);
    ::BitBlt(dc, 0, 0, m_width, m_height, maskDc, 0, 0, SRCAND);
    ::BitBlt(dc, 0, 0, m_width, m_height, source, 0, 0, SRCINVERT);
    ::SetBkColor(dc, oldDcBack);
    ::SetTextColor(dc, oldDcText);
    ::SelectObject(maskDc, oldMask);
    ::DeleteObject(mask);
    ::DeleteDC(maskDc);
}

void CPictureStatic::OnPaint()
{
    CPaintDC paint(this);
    HDC dc = paint.GetSafeHdc();
    if (m_bitmap)
    {
        HDC source = ::CreateCompatibleDC(dc);
        ::SetMapMode(source, ::GetMapMode(dc));
        HGDIOBJ old = ::SelectObject(source, m_bitmap);
        if (m_transparent)
            DrawTransparent(dc, source);
        else
            ::BitBlt(dc, 0, 0, m_width, m_height, source, 0, 0, SRCCOPY);
        ::SelectObject(source, old);
        ::DeleteDC(source);
    }
    if (m_text.empty() || ::IsRectEmpty(&m_textArea))
        return;
    HGDIOBJ oldFont = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0)));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    RECT area = m_textArea;
    ::DrawTextW(dc, m_text.c_str(), -1, &area, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    if (oldFont)
        ::SelectObject(dc, oldFont);
}

#include "app/AboutDlg.h"

#include "app/AppRes.h"
#include "app/AppStrings.h"

namespace
{

// The version stands right of the picture's drawing, from here to 7 pixels inside its edges.
constexpr POINT TextAreaOrigin = {188, 71};
constexpr int TextAreaInset = 7;
constexpr int ButtonBand = 36;

} // namespace

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg(CWnd* parent, int bitsPerPixel) : CDialog(TemplateId, parent), m_bitsPerPixel(bitsPerPixel)
{
    if (m_bitsPerPixel <= 0)
    {
        HDC screen = ::GetDC(nullptr);
        m_bitsPerPixel = ::GetDeviceCaps(screen, BITSPIXEL) * ::GetDeviceCaps(screen, PLANES);
        ::ReleaseDC(nullptr, screen);
    }
}

void CAboutDlg::ShowPicture(UINT id)
{
    if (!m_picture.SetBitmap(id, Background))
        return;
    m_pictureId = id;
    m_picture.SizeToBitmap();
    const SIZE size = m_picture.GetBitmapSize();
    m_picture.SetTextArea({TextAreaOrigin.x, TextAreaOrigin.y, size.cx - TextAreaInset, size.cy - TextAreaInset});
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_picture.SubclassDlgItem(PictureId, this);
    ShowPicture(m_bitsPerPixel < 9 ? IDB_ABOUT_256 : IDB_ABOUT);
    m_picture.SetWindowText(ProgramVersionText().c_str());

    // The dialog fits around the picture, with the OK button in a band below it.
    const SIZE size = m_picture.GetBitmapSize();
    ::SetWindowPos(m_picture.m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT frame = {0, 0, size.cx, size.cy + ButtonBand};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_EXSTYLE)));
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (HWND ok = ::GetDlgItem(m_hWnd, IDOK))
    {
        RECT button = {};
        ::GetWindowRect(ok, &button);
        const int width = button.right - button.left, height = button.bottom - button.top;
        ::SetWindowPos(ok, nullptr, size.cx - width - TextAreaInset, size.cy + (ButtonBand - height) / 2, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // Over the main window, at the size it has now.
    CenterWindow();
    return TRUE;
}

void CAboutDlg::OnLButtonDblClk(UINT flags, CPoint)
{
    if ((flags & (MK_SHIFT | MK_CONTROL)) == 0)
    {
        Default();
        return;
    }
    const bool palette = m_bitsPerPixel < 9;
    const bool first = m_pictureId == (palette ? IDB_ABOUT_256 : IDB_ABOUT);
    ShowPicture(first ? (palette ? IDB_ABOUT_SECOND_256 : IDB_ABOUT_SECOND) : (palette ? IDB_ABOUT_256 : IDB_ABOUT));
}

#include "app/SplashScreen.h"

#include <string>

#include "app/AppRes.h"
#include "app/AppStrings.h"

const POINT CSplashScreen::Outline[CSplashScreen::OutlinePointCount] = {
    {49, 58},  {48, 57},  {46, 56},  {45, 55},  {44, 53},  {40, 51},  {35, 50},  {31, 48},  {27, 47},  {23, 45},
    {18, 43},  {14, 41},  {10, 39},  {7, 36},   {3, 33},   {0, 30},   {2, 26},   {4, 22},   {6, 18},   {10, 15},
    {14, 12},  {18, 10},  {22, 8},   {26, 6},   {30, 5},   {35, 4},   {39, 2},   {44, 2},   {48, 2},   {53, 1},
    {58, 1},   {62, 1},   {67, 1},   {71, 1},   {76, 1},   {80, 1},   {85, 1},   {90, 1},   {94, 1},   {99, 1},
    {103, 1},  {108, 1},  {113, 1},  {117, 1},  {122, 1},  {126, 1},  {131, 1},  {135, 1},  {140, 1},  {145, 1},
    {149, 1},  {154, 1},  {158, 2},  {163, 2},  {167, 3},  {172, 4},  {175, 7},  {179, 9},  {181, 14}, {182, 18},
    {183, 23}, {183, 27}, {184, 32}, {185, 36}, {186, 41}, {187, 45}, {191, 51}, {201, 56}, {204, 59},
};

namespace
{

// The picture's body; the outline's tab sits on its left part.
constexpr RECT Body = {34, 59, 434, 309};
// Where the version goes, right-aligned above the picture's bottom band.
constexpr RECT VersionArea = {234, 272, 426, 292};

int ScreenBitsPerPixel()
{
    HDC screen = ::GetDC(nullptr);
    const int bits = ::GetDeviceCaps(screen, BITSPIXEL) * ::GetDeviceCaps(screen, PLANES);
    ::ReleaseDC(nullptr, screen);
    return bits;
}

} // namespace

BEGIN_MESSAGE_MAP(CSplashScreen, CWnd)
ON_WM_PAINT()
ON_WM_TIMER()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CSplashScreen::~CSplashScreen()
{
    if (m_bitmap)
        ::DeleteObject(m_bitmap);
}

bool CSplashScreen::Create(int bitsPerPixel)
{
    if (bitsPerPixel <= 0)
        bitsPerPixel = ScreenBitsPerPixel();
    m_bitmapId = bitsPerPixel > 8 ? IDB_SPLASH : IDB_SPLASH_256;
    m_bitmap = static_cast<HBITMAP>(
        ::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(m_bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!m_bitmap)
    {
        PostNcDestroy(); // as a failed window creation: the splash is gone
        return false;
    }
    BITMAP info = {};
    ::GetObjectW(m_bitmap, sizeof(info), &info);
    m_width = info.bmWidth;
    m_height = info.bmHeight;

    HRGN region = ::CreateRectRgn(Body.left, Body.top, Body.right, Body.bottom);
    HRGN tab = ::CreatePolygonRgn(Outline, OutlinePointCount, WINDING);
    ::CombineRgn(region, region, tab, RGN_OR);
    ::DeleteObject(tab);

    RECT desktop = {};
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    const int left = desktop.left + (desktop.right - desktop.left - m_width) / 2;
    const int top = desktop.top + (desktop.bottom - desktop.top - m_height) / 2;
    LPCTSTR windowClass = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(nullptr, IDC_WAIT), nullptr,
                                              ::LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MAINFRAME)));
    const std::wstring title = LoadAppString(IDS_SPLASH_TITLE);
    if (!CreateEx(WS_EX_TOPMOST | WS_EX_APPWINDOW, windowClass, title.c_str(), WS_POPUP | WS_VISIBLE, left, top,
                  m_width, m_height, nullptr, nullptr))
    {
        ::DeleteObject(region);
        return false;
    }
    // The window owns the region from here on.
    if (!::SetWindowRgn(m_hWnd, region, TRUE))
        ::DeleteObject(region);
    ShowWindow(SW_SHOW);
    UpdateWindow();
    // Windows the starting program shows later are put above it by the display.
    ::SetTimer(m_hWnd, OnTopTimer, OnTopInterval, nullptr);
    return true;
}

void CSplashScreen::StartCloseTimer()
{
    KeepOnTop();
    if (m_hWnd && ::SetTimer(m_hWnd, CloseTimer, CloseDelay, nullptr))
        m_closeTimerRunning = true;
}

void CSplashScreen::KeepOnTop()
{
    if (!m_hWnd)
        return;
    // The display's news of what was just shown comes in first; only then is the order known.
    MSG pending;
    ::PeekMessageW(&pending, m_hWnd, 0, 0, PM_NOREMOVE);
    // Already first in the system's order, the picture would not be moved at all: it steps back
    // among the ordinary windows and comes to the top again, which the display follows.
    const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    ::SetWindowPos(m_hWnd, HWND_NOTOPMOST, 0, 0, 0, 0, flags);
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, flags);
}

void CSplashScreen::CloseNow()
{
    ::KillTimer(m_hWnd, CloseTimer);
    m_closeTimerRunning = false;
    ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
}

void CSplashScreen::OnPaint()
{
    CPaintDC paint(this);
    HDC dc = paint.GetSafeHdc();
    HDC memory = ::CreateCompatibleDC(dc);
    HGDIOBJ old = ::SelectObject(memory, m_bitmap);
    ::BitBlt(dc, 0, 0, m_width, m_height, memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);

    const std::wstring version = ProgramVersionText();
    if (version.empty())
        return;
    HFONT font = ::CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
    HGDIOBJ oldFont = ::SelectObject(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(255, 255, 255));
    RECT area = VersionArea;
    ::DrawTextW(dc, version.c_str(), -1, &area, DT_RIGHT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    ::SelectObject(dc, oldFont);
    ::DeleteObject(font);
}

void CSplashScreen::OnTimer(UINT_PTR id)
{
    if (id == OnTopTimer)
    {
        KeepOnTop();
        return;
    }
    if (id != CloseTimer)
    {
        Default();
        return;
    }
    CloseNow();
}

void CSplashScreen::OnLButtonUp(UINT, CPoint)
{
    // During start-up a click does nothing: the picture stays until start-up has finished.
    if (m_closeTimerRunning)
        CloseNow();
    Default();
}

void CSplashScreen::PostNcDestroy()
{
    if (m_ownerSlot && *m_ownerSlot == this)
        *m_ownerSlot = nullptr;
    delete this;
}

// The splash screen, the about box and the picture static as a user meets them: real windows on
// the test display, clicked with the display's mouse, their pixels read back.
#include "app/AboutDlg.h"
#include "app/AppRes.h"
#include "app/PictureStatic.h"
#include "app/SplashScreen.h"
#include "tests/app/AppTestSupport.h"
#include "tests/framework/input/UserInput.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

namespace
{

POINT ScreenPoint(HWND window, int x, int y)
{
    POINT point = {x, y};
    ClientToScreen(window, &point);
    return point;
}

std::wstring TitleOf(HWND window)
{
    wchar_t text[128] = {};
    GetWindowTextW(window, text, 128);
    return text;
}

RECT WindowArea(HWND window)
{
    RECT area = {};
    GetWindowRect(window, &area);
    return area;
}

TEST(SplashScreenTest, PictureFollowsTheColourDepthAndTheWindowItsOutline)
{
    struct Case
    {
        int bits;
        UINT bitmap;
    } cases[] = {{8, IDB_SPLASH_256}, {16, IDB_SPLASH}, {32, IDB_SPLASH}};
    for (const Case& c : cases)
    {
        CSplashScreen* splash = new CSplashScreen;
        ASSERT_TRUE(splash->Create(c.bits)) << c.bits;
        HWND window = splash->m_hWnd;
        EXPECT_EQ(splash->GetBitmapId(), c.bitmap) << c.bits;
        EXPECT_EQ(TitleOf(window), L"Kest Loading...");
        EXPECT_NE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(GetWindowRgn(window, region), ERROR);
        struct Probe
        {
            int x, y;
            bool inside;
        } probes[] = {{200, 200, true}, {40, 300, true},  {2, 30, true},    {100, 10, true},
                      {300, 20, false}, {20, 200, false}, {433, 308, true}, {210, 50, false}};
        for (const Probe& probe : probes)
            EXPECT_EQ(PtInRegion(region, probe.x, probe.y) != FALSE, probe.inside) << probe.x << "," << probe.y;
        DeleteObject(region);
        if (c.bits == 32)
        {
            PumpFor(300);
            CreateDirectoryW(L"screenshots", nullptr);
            EXPECT_TRUE(SaveScreenArea(L"screenshots/splash-shape.bmp", WindowArea(window)));
            // The picture itself under the shape: the body's blue, not the desktop.
            const COLORREF body = ScreenPixel(ScreenPoint(window, 60, 120));
            EXPECT_GT(GetBValue(body), GetRValue(body) + 40);
        }
        splash->DestroyWindow();
        EXPECT_FALSE(IsWindow(window));
    }
}

TEST(SplashScreenTest, AClickClosesItOnlyOnceStartupHasFinished)
{
    CSplashScreen* splash = new CSplashScreen;
    CSplashScreen* slot = splash;
    ASSERT_TRUE(splash->Create(32));
    splash->SetOwnerSlot(&slot);
    HWND window = splash->m_hWnd;
    PumpFor(200);

    UserInput before;
    before.ClickAt([&] { return ScreenPoint(window, 200, 200); });
    before.Start();
    EXPECT_TRUE(PumpUntil([&] { return before.Done(); }, 5000));
    PumpFor(400);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(slot, splash);

    // Start-up has finished: the same click now closes it at once, long before the timer.
    splash->StartCloseTimer();
    EXPECT_TRUE(splash->IsCloseTimerRunning());
    const DWORD clicked = GetTickCount();
    UserInput after;
    after.ClickAt([&] { return ScreenPoint(window, 200, 200); });
    after.Start();
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(window); }, 5000));
    EXPECT_LT(GetTickCount() - clicked, 1200u);
    EXPECT_EQ(slot, nullptr);
    after.Wait();
}

TEST(SplashScreenTest, TheTimerClosesItAfterStartup)
{
    CSplashScreen* splash = new CSplashScreen;
    ASSERT_TRUE(splash->Create(32));
    HWND window = splash->m_hWnd;
    const DWORD started = GetTickCount();
    splash->StartCloseTimer();
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(window); }, 6000));
    EXPECT_GE(GetTickCount() - started, 1400u);
}

// A parent that gives its statics a red background, so that transparent pixels show red.
LRESULT CALLBACK RedParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    static HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    if (message == WM_CTLCOLORSTATIC || message == WM_ERASEBKGND)
    {
        if (message == WM_ERASEBKGND)
        {
            RECT client;
            GetClientRect(window, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, red);
            return 1;
        }
        return reinterpret_cast<LRESULT>(red);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(PictureStaticTest, TheTransparentColourShowsTheParentBeneath)
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = RedParentProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"KestRedParent";
    RegisterClassW(&windowClass);
    HWND parent = CreateWindowExW(WS_EX_TOPMOST, L"KestRedParent", L"Picture", WS_POPUP | WS_VISIBLE, 100, 100, 460,
                                  260, nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(parent, nullptr);
    CPictureStatic picture;
    ASSERT_TRUE(picture.Create(L"", WS_CHILD | WS_VISIBLE, CRect(10, 10, 20, 20), CWnd::FromHandle(parent), 1057));
    ASSERT_TRUE(picture.SetBitmap(IDB_ABOUT, RGB(192, 192, 192)));
    picture.SizeToBitmap();
    RECT client = {};
    GetClientRect(picture.m_hWnd, &client);
    EXPECT_EQ(client.right, 420);
    EXPECT_EQ(client.bottom, 230);
    RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpFor(200);
    // Grey background of the picture: red shows through; its drawing stays as drawn.
    EXPECT_EQ(ScreenPixel(ScreenPoint(picture.m_hWnd, 400, 200)), RGB(255, 0, 0));
    const COLORREF drawn = ScreenPixel(ScreenPoint(picture.m_hWnd, 20, 5));
    EXPECT_NE(drawn, RGB(255, 0, 0));
    EXPECT_NE(drawn, RGB(192, 192, 192));
    CreateDirectoryW(L"screenshots", nullptr);
    EXPECT_TRUE(SaveScreenArea(L"screenshots/picture-static-transparent.bmp", WindowArea(parent)));

    // A bitmap set as a handle is drawn as it is, grey and all.
    HBITMAP copy = static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_ABOUT), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_TRUE(picture.SetBitmap(copy));
    EXPECT_FALSE(picture.IsTransparent());
    EXPECT_FALSE(picture.SetBitmap(static_cast<HBITMAP>(nullptr)));
    RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpFor(200);
    EXPECT_EQ(ScreenPixel(ScreenPoint(picture.m_hWnd, 400, 200)), RGB(192, 192, 192));
    picture.DestroyWindow();
    DestroyWindow(parent);
}

// Double clicks that reached a window of this thread, counted as the loop takes them.
std::atomic<int> doubleClicksTaken{0};

LRESULT CALLBACK CountDoubleClicks(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && wParam == PM_REMOVE && reinterpret_cast<MSG*>(lParam)->message == WM_LBUTTONDBLCLK)
        ++doubleClicksTaken;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Double clicks at the point, Ctrl held through the display when asked, and pumps until the
// double click has been handled. Two clicks that a loaded machine spread too far apart to make a
// double click are tried again. False when no double click arrived.
bool DoubleClick(POINT point, bool withCtrl)
{
    HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, CountDoubleClicks, nullptr, GetCurrentThreadId());
    const int before = doubleClicksTaken;
    for (int attempt = 0; attempt < 3 && doubleClicksTaken == before; ++attempt)
    {
        UserInput input;
        if (withCtrl)
            input.DisplayKey("ctrl", true).Call([] {
                // The display's key reaches the input queue on its own time; the clicks wait for it.
                for (int i = 0; i < 500 && (GetAsyncKeyState(VK_CONTROL) & 0x8000) == 0; ++i)
                    Sleep(10);
            });
        input.MoveTo(point).LeftDown().LeftUp().LeftDown().LeftUp();
        if (withCtrl)
            input.Pause(100).DisplayKey("ctrl", false).Call([] {
                for (int i = 0; i < 500 && (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0; ++i)
                    Sleep(10);
            });
        input.Start();
        PumpUntil([&] { return input.Done(); }, 10000);
        PumpUntil([&] { return doubleClicksTaken != before; }, 2000);
        // The handler runs as the message is dispatched, just after it was taken.
        PumpFor(50);
    }
    UnhookWindowsHookEx(hook);
    return doubleClicksTaken != before;
}

TEST(AboutBoxTest, PictureByColourDepthAndADoubleClickWithCtrlSwapsIt)
{
    struct Case
    {
        int bits;
        UINT first, second;
    } cases[] = {{8, IDB_ABOUT_256, IDB_ABOUT_SECOND_256}, {24, IDB_ABOUT, IDB_ABOUT_SECOND}};
    for (const Case& c : cases)
    {
        CAboutDlg about(nullptr, c.bits);
        ASSERT_TRUE(about.Create(CAboutDlg::TemplateId));
        about.ShowWindow(SW_SHOW);
        SetForegroundWindow(about.m_hWnd);
        PumpFor(200);
        EXPECT_EQ(TitleOf(about.m_hWnd), L"About Kest");
        EXPECT_EQ(about.GetPictureId(), c.first);
        EXPECT_EQ(about.Picture().GetText(), L"Version 1.0.0");
        RECT client = {}, picture = {};
        GetClientRect(about.m_hWnd, &client);
        GetClientRect(about.Picture().m_hWnd, &picture);
        EXPECT_EQ(picture.right, 420);
        EXPECT_EQ(client.right, picture.right);
        EXPECT_GT(client.bottom, picture.bottom);

        if (c.bits == 24)
        {
            RedrawWindow(about.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            PumpFor(200);
            CreateDirectoryW(L"screenshots", nullptr);
            EXPECT_TRUE(SaveScreenArea(L"screenshots/about-box.bmp", WindowArea(about.m_hWnd)));
            // The whole printed page is in the picture: the band's blue at its left, then the
            // page's white, nothing cut at the edge.
            const COLORREF band = ScreenPixel(ScreenPoint(about.Picture().m_hWnd, 3, 110));
            EXPECT_GT(GetBValue(band), GetRValue(band) + 40);
            const COLORREF page = ScreenPixel(ScreenPoint(about.Picture().m_hWnd, 15, 64));
            EXPECT_GT(GetRValue(page), 230);
            EXPECT_GT(GetBValue(page), 230);
        }

        // A plain double click changes nothing; with Ctrl held the second picture comes, and back.
        const POINT onPicture = ScreenPoint(about.m_hWnd, 300, 150);
        ASSERT_TRUE(DoubleClick(onPicture, false)) << c.bits;
        EXPECT_EQ(about.GetPictureId(), c.first);
        for (UINT expected : {c.second, c.first})
        {
            ASSERT_TRUE(DoubleClick(onPicture, true)) << c.bits;
            EXPECT_EQ(about.GetPictureId(), expected) << c.bits;
        }
        about.DestroyWindow();
    }
}

} // namespace

// The toolbar's non-client area: the framework bar's insets, with the shifted gripper case, and
// its painting in a real window.
#include "tests/uitoolkit/looks/LookOperations.h"
#include "tests/uitoolkit/looks/LooksTestSupport.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/looks/KTBarNcPainter.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManagerXP.h"

#include <gtest/gtest.h>

TEST(BarNcPainterTest, InsetsFollowTheBarStyleAndTheShiftedGripper)
{
    struct Case
    {
        const char* what;
        DWORD barStyle;
        BOOL windowBit;
        CRect expected;
    };
    const Case cases[] = {
        {"top, plain", CBRS_ALIGN_TOP, FALSE, CRect(6, 2, -6, -2)},
        {"top, bottom border", CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM, FALSE, CRect(6, 2, -6, -3)},
        {"top, gripper", CBRS_ALIGN_TOP | CBRS_GRIPPER, FALSE, CRect(14, 2, -6, -2)},
        {"top, gripper, window bit", CBRS_ALIGN_TOP | CBRS_GRIPPER, TRUE, CRect(7, 2, -13, -2)},
        {"bottom, gripper, window bit", CBRS_ALIGN_BOTTOM | CBRS_GRIPPER, TRUE, CRect(7, 2, -13, -2)},
        {"floating, gripper, window bit", CBRS_ALIGN_TOP | CBRS_GRIPPER | CBRS_FLOATING, TRUE, CRect(6, 2, -6, -2)},
        {"left, gripper, window bit", CBRS_ALIGN_LEFT | CBRS_GRIPPER, TRUE, CRect(2, 14, -2, -6)},
    };
    for (const Case& c : cases)
    {
        HWND hWnd = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | (c.windowBit ? WS_DLGFRAME : 0), 0,
                                      0, 200, 30, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(nullptr, hWnd);
        CKTToolBar bar;
        bar.Attach(hWnd);
        bar.m_dwStyle = c.barStyle;
        CKTBarNcPainter painter(&bar);
        EXPECT_EQ(c.expected, painter.GetInsets()) << c.what;
        CRect rect(100, 100, 300, 130);
        painter.CalcNcSize(rect);
        EXPECT_EQ(CRect(100 + c.expected.left, 100 + c.expected.top, 300 + c.expected.right, 130 + c.expected.bottom),
                  rect)
            << c.what;
        bar.Detach();
        ::DestroyWindow(hWnd);
    }
}

namespace
{
CKTBarNcPainter* g_pNcPainter = nullptr;

// A bar window whose non-client area is what the painter measures.
LRESULT CALLBACK NcTestBarProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCALCSIZE && wParam && g_pNcPainter != nullptr)
    {
        auto* pParams = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
        CRect rect(pParams->rgrc[0]);
        g_pNcPainter->CalcNcSize(rect);
        pParams->rgrc[0] = rect;
        return 0;
    }
    if (message == WM_NCPAINT || message == WM_PAINT || message == WM_ERASEBKGND)
        return message == WM_PAINT ? (::ValidateRect(hWnd, nullptr), 0) : 1;
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}
} // namespace

TEST(BarNcPainterTest, DrawNcAreaPaintsBorderBackgroundAndGripperAroundTheClientArea)
{
    ScopedSysColors colors(ScopedSysColors::Classic());
    ASSERT_TRUE(CKTVisualManager::SetDefaultManager(RUNTIME_CLASS(CKTVisualManagerXP)));
    auto* pLook = static_cast<CKTVisualManagerXP*>(CKTVisualManager::GetInstance());

    WNDCLASSW wc{};
    wc.lpfnWndProc = NcTestBarProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KestNcTestBar";
    ::RegisterClassW(&wc);
    CKTToolBar bar;
    bar.m_dwStyle = CBRS_ALIGN_TOP | CBRS_GRIPPER | CBRS_BORDER_ANY;
    CKTBarNcPainter painter(&bar);
    g_pNcPainter = &painter;
    const int width = 200, height = 40;
    HWND hWnd = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"KestNcTestBar", L"", WS_POPUP, 20, 20, width, height, nullptr,
                                  nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, hWnd);
    bar.Attach(hWnd);
    ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    const CRect insets = painter.GetInsets();
    CRect client;
    ::GetClientRect(hWnd, &client);
    ASSERT_EQ(width - insets.left + insets.right, client.Width());

    const COLORREF marker = RGB(1, 200, 3);
    HDC hClientDC = ::GetDC(hWnd);
    HBRUSH hMarker = ::CreateSolidBrush(marker);
    ::FillRect(hClientDC, &client, hMarker);
    ::DeleteObject(hMarker);
    ::ReleaseDC(hWnd, hClientDC);
    painter.DrawNcArea();

    DibSurface capture(width, height);
    HDC hWindowDC = ::GetWindowDC(hWnd);
    ::BitBlt(capture.Hdc(), 0, 0, width, height, hWindowDC, 0, 0, SRCCOPY);
    ::ReleaseDC(hWnd, hWindowDC);
    capture.SaveAs((RunTag() + L"nc-area-xp.bmp").c_str());

    if (ktGlobals.m_bitsPerPixel > 8)
    {
        struct Case
        {
            const char* what;
            CPoint point;
            COLORREF expected;
        };
        const Case cases[] = {
            {"left border", CPoint(0, height / 2), ktGlobals.m_colorBarFace},
            {"bottom border", CPoint(width / 2, height - 1), ktGlobals.m_colorBarFace},
            {"right strip", CPoint(width + insets.right + 1, height / 2), pLook->m_clrBarBkgnd},
            {"top strip", CPoint(width / 2, 1), pLook->m_clrBarBkgnd},
            {"client area untouched", CPoint(insets.left + 2, height / 2), marker},
        };
        for (const Case& c : cases)
            EXPECT_EQ(ColorText(c.expected), ColorText(capture.Pixel(c.point.x, c.point.y))) << c.what;
        // The gripper's dots lie in the strip before the client area, never beyond it.
        int dots = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (capture.Pixel(x, y) == pLook->m_clrGripper)
                {
                    ++dots;
                    EXPECT_LT(x, insets.left) << "dot at " << x << ", " << y;
                }
        EXPECT_GT(dots, 8);

        // Painting for a non-client update region that holds only the right half leaves the
        // left half as it was; a whole-frame paint reaches it again.
        const COLORREF old = RGB(250, 3, 200);
        const auto paintOld = [&] {
            HDC hDC = ::GetWindowDC(hWnd);
            HBRUSH hOld = ::CreateSolidBrush(old);
            const RECT all = {0, 0, width, height};
            ::FillRect(hDC, &all, hOld);
            ::DeleteObject(hOld);
            ::ReleaseDC(hWnd, hDC);
        };
        const auto paintFor = [&](WPARAM region) {
            MSG& current = AfxGetThreadWndState()->m_lastSentMsg;
            const MSG saved = current;
            current.hwnd = hWnd;
            current.message = WM_NCPAINT;
            current.wParam = region;
            painter.DrawNcArea();
            current = saved;
            HDC hDC = ::GetWindowDC(hWnd);
            ::BitBlt(capture.Hdc(), 0, 0, width, height, hDC, 0, 0, SRCCOPY);
            ::ReleaseDC(hWnd, hDC);
        };
        CRect rectWindow;
        ::GetWindowRect(hWnd, &rectWindow);
        HRGN hRight = ::CreateRectRgn(rectWindow.left + width / 2, rectWindow.top, rectWindow.right, rectWindow.bottom);
        paintOld();
        paintFor(reinterpret_cast<WPARAM>(hRight));
        ::DeleteObject(hRight);
        EXPECT_EQ(ColorText(old), ColorText(capture.Pixel(0, height / 2))) << "left border";
        EXPECT_EQ(ColorText(old), ColorText(capture.Pixel(insets.left / 2, height / 2))) << "gripper strip";
        EXPECT_NE(ColorText(old), ColorText(capture.Pixel(width - 1, height / 2))) << "right border";
        paintOld();
        paintFor(1);
        EXPECT_NE(ColorText(old), ColorText(capture.Pixel(0, height / 2))) << "left border, whole frame";
    }
    bar.Detach();
    ::DestroyWindow(hWnd);
    g_pNcPainter = nullptr;
    CKTVisualManager::SetDefaultManager(nullptr);
    CKTVisualManager::DestroyInstance();
}

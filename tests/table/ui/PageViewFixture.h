#pragma once
// A page view in a window of its own under the test display, showing a copy of a sample work
// file; the mouse driven by SendInput and the window's pixels read back.
#include "tests/table/ui/LayoutTestSupport.h"

#include "table/ui/ChildView.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

inline const std::wstring SampleTable = std::wstring(L"" KEST_SOURCE_DIR) + L"/samples/table.kest";

inline void Pump(DWORD milliseconds = 50)
{
    const DWORD start = GetTickCount();
    do
    {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

inline void MoveMouse(POINT screen, DWORD flags = 0)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>(screen.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1));
    input.mi.dy = static_cast<LONG>(screen.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
    SendInput(1, &input, sizeof(input));
    Pump(60);
}

inline void Wheel(int delta)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.mouseData = static_cast<DWORD>(delta);
    input.mi.dwFlags = MOUSEEVENTF_WHEEL;
    SendInput(1, &input, sizeof(input));
    Pump(100);
}

// The window's pixels as 32-bit values, read back with BitBlt.
class Screenshot
{
public:
    explicit Screenshot(HWND window)
    {
        RECT client;
        GetClientRect(window, &client);
        m_width = client.right;
        m_height = client.bottom;
        HDC windowDc = GetDC(window);
        HDC memory = CreateCompatibleDC(windowDc);
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), m_width, -m_height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        m_bitmap = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(memory, m_bitmap);
        BitBlt(memory, 0, 0, m_width, m_height, windowDc, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
        ReleaseDC(window, windowDc);
        m_bits = static_cast<const uint32_t*>(bits);
    }
    ~Screenshot() { DeleteObject(m_bitmap); }
    Screenshot(const Screenshot&) = delete;
    Screenshot& operator=(const Screenshot&) = delete;
    // A point outside the window (a table scrolled away) reads as CLR_INVALID, never past the bits.
    COLORREF At(int x, int y) const
    {
        if (m_bits == nullptr || x < 0 || y < 0 || x >= m_width || y >= m_height)
            return CLR_INVALID;
        const uint32_t p = m_bits[y * m_width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    bool Save(const char* path) const
    {
        FILE* file = fopen(path, "wb");
        if (!file)
            return false;
        BITMAPFILEHEADER header = {};
        BITMAPINFOHEADER info = {sizeof(info), m_width, -m_height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        const DWORD size = static_cast<DWORD>(m_width * m_height * 4);
        header.bfType = 0x4D42;
        header.bfOffBits = sizeof(header) + sizeof(info);
        header.bfSize = header.bfOffBits + size;
        fwrite(&header, sizeof(header), 1, file);
        fwrite(&info, sizeof(info), 1, file);
        fwrite(m_bits, 1, size, file);
        fclose(file);
        return true;
    }

private:
    HBITMAP m_bitmap = nullptr;
    const uint32_t* m_bits = nullptr;
    int m_width = 0;
    int m_height = 0;
};

// Premultiplied source over the destination, channel by channel.
inline int Over(int source, int alpha, int destination)
{
    return source + destination * (255 - alpha) / 255;
}

inline bool Near(COLORREF a, COLORREF b)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= 1 && std::abs(GetGValue(a) - GetGValue(b)) <= 1 &&
           std::abs(GetBValue(a) - GetBValue(b)) <= 1;
}

class PageViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LPCTSTR hostClass = AfxRegisterWndClass(0, LoadCursorW(nullptr, IDC_ARROW), GetSysColorBrush(COLOR_WINDOW));
        ASSERT_TRUE(
            m_host.CreateEx(0, hostClass, L"Kest page view", WS_POPUP | WS_VISIBLE, CRect(0, 0, 640, 480), nullptr, 0));
        m_view.SetFrame(&m_frame);
        m_frame.m_window = m_host.m_hWnd;
        ASSERT_TRUE(m_view.Create(&m_host, CRect(0, 0, 640, 480), CChildView::ViewId));
        SetForegroundWindow(m_host.m_hWnd);
        wchar_t folder[MAX_PATH];
        GetTempPathW(MAX_PATH, folder);
        m_copy = std::wstring(folder) + L"kest-page-view.kest";
        ASSERT_TRUE(CopyFileW(SampleTable.c_str(), m_copy.c_str(), FALSE));
        ASSERT_TRUE(m_view.LoadFile(m_copy));
        Pump();
    }
    void TearDown() override
    {
        if (GetCapture())
            ReleaseCapture();
        m_view.DestroyWindow();
        m_host.DestroyWindow();
        Pump();
        DeleteFileW(m_copy.c_str());
    }
    POINT ScreenOfPage(LONG x, LONG y)
    {
        POINT point = m_view.PageToWindow({x, y});
        ClientToScreen(m_view.m_hWnd, &point);
        return point;
    }
    void DragPage(POINT from, POINT to)
    {
        MoveMouse(ScreenOfPage(from.x, from.y));
        MoveMouse(ScreenOfPage(from.x, from.y), MOUSEEVENTF_LEFTDOWN);
        MoveMouse(ScreenOfPage((from.x + to.x) / 2, (from.y + to.y) / 2));
        MoveMouse(ScreenOfPage(to.x, to.y));
        MoveMouse(ScreenOfPage(to.x, to.y), MOUSEEVENTF_LEFTUP);
    }

    std::wstring m_copy;
    TestShell m_shell;
    TestFrame m_frame;
    CWnd m_host;
    CChildView m_view;
};

// Proves the harness: real windows under Xvfb, and the clipboard seen from a second process.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

LRESULT CALLBACK PaintingProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(wnd, &ps);
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        RECT rc;
        GetClientRect(wnd, &rc);
        FillRect(dc, &rc, red);
        DeleteObject(red);
        EndPaint(wnd, &ps);
        return 0;
    }
    return DefWindowProcW(wnd, msg, wp, lp);
}

} // namespace

TEST(PlatformSmoke, TopLevelWindowIsCreatedPaintedAndDestroyed)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = PaintingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KestSmokeWindow";
    ASSERT_NE(RegisterClassW(&wc), 0);
    HWND wnd = CreateWindowExW(0, wc.lpszClassName, L"smoke", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                               10, 10, 200, 120, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(wnd, nullptr);
    UpdateWindow(wnd);

    RECT rc;
    GetClientRect(wnd, &rc);
    HDC windowDc = GetDC(wnd);
    HDC memDc = CreateCompatibleDC(windowDc);
    HBITMAP bmp = CreateCompatibleBitmap(windowDc, rc.right, rc.bottom);
    HGDIOBJ old = SelectObject(memDc, bmp);
    BitBlt(memDc, 0, 0, rc.right, rc.bottom, windowDc, 0, 0, SRCCOPY);
    COLORREF centre = GetPixel(memDc, rc.right / 2, rc.bottom / 2);
    SelectObject(memDc, old);
    DeleteObject(bmp);
    DeleteDC(memDc);
    ReleaseDC(wnd, windowDc);

    EXPECT_EQ(centre, RGB(255, 0, 0));
    EXPECT_TRUE(DestroyWindow(wnd));
    EXPECT_FALSE(IsWindow(wnd));
    UnregisterClassW(wc.lpszClassName, wc.hInstance);
}

TEST(PlatformSmoke, ClipboardTextIsSeenByAnotherProcess)
{
    const std::wstring text = L"Kest clipboard \u00e9\u00e8 42";
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes);
    ASSERT_NE(mem, nullptr);
    std::memcpy(GlobalLock(mem), text.c_str(), bytes);
    GlobalUnlock(mem);
    ASSERT_NE(SetClipboardData(CF_UNICODETEXT, mem), nullptr);
    CloseClipboard();

    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring reader(self);
    reader = reader.substr(0, reader.find_last_of(L"\\/") + 1) + L"clipboard_reader.exe";

    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    HANDLE readEnd, writeEnd;
    ASSERT_TRUE(CreatePipe(&readEnd, &writeEnd, &sa, 0));
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = writeEnd;
    si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION pi{};
    std::wstring cmd = L"\"" + reader + L"\"";
    ASSERT_TRUE(CreateProcessW(reader.c_str(), &cmd[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi));
    CloseHandle(writeEnd);
    std::string out;
    char buf[256];
    DWORD got;
    while (ReadFile(readEnd, buf, sizeof buf, &got, nullptr) && got)
        out.append(buf, got);
    WaitForSingleObject(pi.hProcess, 30000);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    CloseHandle(readEnd);

    EXPECT_EQ(code, 0u);
    EXPECT_EQ(out, "Kest clipboard \xc3\xa9\xc3\xa8 42");
}

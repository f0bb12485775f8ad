#include "tests/uitoolkit/customize/CustomizeTestSupport.h"

#include <string>

void Pump()
{
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        if (!AfxGetThread()->PreTranslateMessage(&msg))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
}

void PumpFor(DWORD dwMs)
{
    const DWORD dwStart = ::GetTickCount();
    while (::GetTickCount() - dwStart < dwMs)
    {
        Pump();
        ::Sleep(5);
    }
}

void Play(UserInput& input)
{
    input.Start();
    PumpUntil([&] { return input.Done(); }, 20000);
    input.Wait();
    Pump();
}

void PrintTo(const CString& str, std::ostream* os)
{
    const std::wstring text((LPCTSTR)str, (size_t)str.GetLength());
    *os << '"';
    for (wchar_t ch : text)
    {
        if (ch >= 0x20 && ch < 0x7F)
            *os << (char)ch;
        else
            *os << "\\x" << std::hex << (unsigned)ch << std::dec;
    }
    *os << '"';
}

HBITMAP SolidBitmap(COLORREF color, int cx, int cy)
{
    HDC hdcScreen = ::GetDC(nullptr);
    HBITMAP hbm = ::CreateCompatibleBitmap(hdcScreen, cx, cy);
    HDC hdc = ::CreateCompatibleDC(hdcScreen);
    HGDIOBJ hOld = ::SelectObject(hdc, hbm);
    HBRUSH hBrush = ::CreateSolidBrush(color);
    RECT rect = {0, 0, cx, cy};
    ::FillRect(hdc, &rect, hBrush);
    ::DeleteObject(hBrush);
    ::SelectObject(hdc, hOld);
    ::DeleteDC(hdc);
    ::ReleaseDC(nullptr, hdcScreen);
    return hbm;
}

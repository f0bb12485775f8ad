#include "UserInput.h"

#include <cstdio>

namespace {

void SendMouse(DWORD dwFlags, LONG x = 0, LONG y = 0)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = x;
    input.mi.dy = y;
    input.mi.dwFlags = dwFlags;
    ::SendInput(1, &input, sizeof(INPUT));
}

void SendMoveTo(POINT pt)
{
    // Absolute coordinates run from 0 to 65535 across the primary screen.
    const int cx = ::GetSystemMetrics(SM_CXSCREEN);
    const int cy = ::GetSystemMetrics(SM_CYSCREEN);
    LONG x = static_cast<LONG>((pt.x * 65535LL + cx / 2) / (cx - 1));
    LONG y = static_cast<LONG>((pt.y * 65535LL + cy / 2) / (cy - 1));
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y);
}

} // namespace

UserInput& UserInput::MoveTo(POINT pt)
{
    m_steps.push_back([pt] {
        SendMoveTo(pt);
        ::Sleep(30);
    });
    return *this;
}

UserInput& UserInput::Glide(POINT from, POINT to, int nSteps)
{
    for (int i = 1; i <= nSteps; i++)
    {
        POINT pt{from.x + (to.x - from.x) * i / nSteps, from.y + (to.y - from.y) * i / nSteps};
        MoveTo(pt);
    }
    return *this;
}

UserInput& UserInput::LeftDown()
{
    m_steps.push_back([] {
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        ::Sleep(60);
    });
    return *this;
}

UserInput& UserInput::ClickAt(std::function<POINT()> where)
{
    m_steps.push_back([where] {
        SendMoveTo(where());
        ::Sleep(30);
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        ::Sleep(60);
        SendMouse(MOUSEEVENTF_LEFTUP);
        ::Sleep(60);
    });
    return *this;
}

UserInput& UserInput::LeftUp()
{
    m_steps.push_back([] {
        SendMouse(MOUSEEVENTF_LEFTUP);
        ::Sleep(60);
    });
    return *this;
}

UserInput& UserInput::RightDown()
{
    m_steps.push_back([] {
        SendMouse(MOUSEEVENTF_RIGHTDOWN);
        ::Sleep(60);
    });
    return *this;
}

UserInput& UserInput::RightUp()
{
    m_steps.push_back([] {
        SendMouse(MOUSEEVENTF_RIGHTUP);
        ::Sleep(60);
    });
    return *this;
}

UserInput& UserInput::Key(WORD vk, bool bDown)
{
    m_steps.push_back([vk, bDown] {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.wScan = static_cast<WORD>(::MapVirtualKey(vk, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = bDown ? 0 : KEYEVENTF_KEYUP;
        ::SendInput(1, &input, sizeof(INPUT));
        ::Sleep(60);
    });
    return *this;
}

UserInput& UserInput::Type(const std::wstring& text)
{
    m_steps.push_back([text] {
        for (wchar_t ch : text)
        {
            INPUT inputs[2]{};
            for (INPUT& input : inputs)
            {
                input.type = INPUT_KEYBOARD;
                input.ki.wScan = ch;
                input.ki.dwFlags = KEYEVENTF_UNICODE;
            }
            inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
            ::SendInput(2, inputs, sizeof(INPUT));
            ::Sleep(30);
        }
    });
    return *this;
}

UserInput& UserInput::DisplayKey(const char* keyName, bool bDown)
{
    std::wstring arguments = bDown ? L"keydown " : L"keyup ";
    for (const char* p = keyName; *p != '\0'; p++)
        arguments += static_cast<wchar_t>(*p);
    m_steps.push_back([arguments] {
        RunXdotool(arguments);
        ::Sleep(100);
    });
    return *this;
}

UserInput& UserInput::Pause(DWORD dwMilliseconds)
{
    m_steps.push_back([dwMilliseconds] { ::Sleep(dwMilliseconds); });
    return *this;
}

UserInput& UserInput::Call(std::function<void()> step)
{
    m_steps.push_back(std::move(step));
    return *this;
}

void UserInput::Start()
{
    m_bDone = false;
    m_thread = std::thread([this] {
        for (auto& step : m_steps)
            step();
        m_bDone = true;
    });
}

void UserInput::Wait()
{
    if (m_thread.joinable())
        m_thread.join();
}

bool RunXdotool(const std::wstring& arguments)
{
    // The program is the display's own (a program of the host system, started through its path).
    std::wstring commandLine = L"/usr/bin/xdotool " + arguments;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(L"Z:\\usr\\bin\\xdotool", &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                          &pi))
        return false;
    ::WaitForSingleObject(pi.hProcess, 10000);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return true;
}

bool SaveScreenArea(const wchar_t* path, const RECT& rect)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return false;
    HDC hScreen = ::GetDC(nullptr);
    HDC hMemory = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, width, height);
    HGDIOBJ hOld = ::SelectObject(hMemory, hBitmap);
    bool ok = ::BitBlt(hMemory, 0, 0, width, height, hScreen, rect.left, rect.top, SRCCOPY) != FALSE;
    ::SelectObject(hMemory, hOld);

    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    bmi.bmiHeader.biCompression = BI_RGB;
    const int stride = ((width * 3) + 3) & ~3;
    std::vector<BYTE> bits(static_cast<size_t>(stride) * static_cast<size_t>(height));
    ok = ok && ::GetDIBits(hMemory, hBitmap, 0, static_cast<UINT>(height), bits.data(), &bmi, DIB_RGB_COLORS) != 0;
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMemory);
    ::ReleaseDC(nullptr, hScreen);
    if (!ok)
        return false;

    BITMAPFILEHEADER bfh{};
    bfh.bfType = 0x4D42;
    bfh.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    bfh.bfSize = bfh.bfOffBits + static_cast<DWORD>(bits.size());
    FILE* pFile = _wfopen(path, L"wb");
    if (pFile == nullptr)
        return false;
    ok = fwrite(&bfh, sizeof(bfh), 1, pFile) == 1 && fwrite(&bmi.bmiHeader, sizeof(BITMAPINFOHEADER), 1, pFile) == 1 &&
         fwrite(bits.data(), 1, bits.size(), pFile) == bits.size();
    fclose(pFile);
    return ok;
}

COLORREF ScreenPixel(POINT pt)
{
    HDC hScreen = ::GetDC(nullptr);
    COLORREF colour = ::GetPixel(hScreen, pt.x, pt.y);
    ::ReleaseDC(nullptr, hScreen);
    return colour;
}

#include "tests/uitoolkit/colors/ColorTestSupport.h"

#include <cstdlib>
#include <string>

void Play(UserInput& input)
{
    input.Start();
    PumpUntil([&] { return input.Done(); }, 20000);
    input.Wait();
    PumpAndIdle();
}

POINT ScreenPoint(CWnd* pWnd, CPoint ptClient)
{
    POINT pt = ptClient;
    ::ClientToScreen(pWnd->GetSafeHwnd(), &pt);
    return pt;
}

int CountScreenPixels(const RECT& rect, COLORREF color)
{
    HDC hScreen = ::GetDC(nullptr);
    int nCount = 0;
    for (int y = rect.top; y < rect.bottom; y++)
    {
        for (int x = rect.left; x < rect.right; x++)
            nCount += ::GetPixel(hScreen, x, y) == color ? 1 : 0;
    }
    ::ReleaseDC(nullptr, hScreen);
    return nCount;
}

bool SaveWindowShot(CWnd* pWnd, const wchar_t* pszName)
{
    ::CreateDirectoryW(L"screenshots", nullptr);
    CRect rect;
    pWnd->GetWindowRect(&rect);
    return SaveScreenArea((std::wstring(L"screenshots\\") + pszName).c_str(), rect);
}

BOOL CHostWnd::Make(const CRect& rect)
{
    return CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1)),
                    L"Colour test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, rect, nullptr, 0);
}

int CHostWnd::Count(UINT nID, UINT nCode) const
{
    int n = 0;
    for (const Notice& notice : m_notices)
        n += notice.nID == nID && notice.nCode == nCode ? 1 : 0;
    return n;
}

BOOL CHostWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    m_notices.push_back({LOWORD(wParam), HIWORD(wParam)});
    // Controls that handle their own notifications get them reflected.
    CWnd::OnCommand(wParam, lParam);
    return TRUE;
}

bool NearColor(COLORREF a, COLORREF b, int nTolerance)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= nTolerance && std::abs(GetGValue(a) - GetGValue(b)) <= nTolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= nTolerance;
}

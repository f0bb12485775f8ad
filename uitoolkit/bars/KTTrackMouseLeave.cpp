#include "uitoolkit/bars/KTTrackMouseLeave.h"

#include <map>

namespace
{
// Thread timers (no window) get ids from the system; the map keeps which window each watches.
std::map<UINT_PTR, HWND>& Tracked()
{
    static std::map<UINT_PTR, HWND>* s_pTracked = new std::map<UINT_PTR, HWND>;
    return *s_pTracked;
}

void CALLBACK LeaveTimerProc(HWND, UINT, UINT_PTR idEvent, DWORD)
{
    auto it = Tracked().find(idEvent);
    if (it == Tracked().end())
    {
        ::KillTimer(nullptr, idEvent);
        return;
    }
    const HWND hwnd = it->second;
    POINT pt;
    ::GetCursorPos(&pt);
    RECT rect;
    POINT ptClient = pt;
    const HWND hwndUnder = ::WindowFromPoint(pt);
    if (!::IsWindow(hwnd) || !::GetClientRect(hwnd, &rect) || !::ScreenToClient(hwnd, &ptClient) ||
        !::PtInRect(&rect, ptClient) ||
        (hwndUnder != hwnd && !::IsChild(hwnd, hwndUnder)))
    {
        ::KillTimer(nullptr, idEvent);
        Tracked().erase(it);
        if (::IsWindow(hwnd))
            ::PostMessageW(hwnd, WM_MOUSELEAVE, 0, 0);
    }
}
} // namespace

BOOL KTIsTrackingMouseLeave(HWND hwnd)
{
    for (const auto& entry : Tracked())
        if (entry.second == hwnd)
            return TRUE;
    return FALSE;
}

BOOL TrackMouseLeave(LPTRACKMOUSEEVENT lpEventTrack)
{
    if (lpEventTrack == nullptr || lpEventTrack->cbSize < 16 || !(lpEventTrack->dwFlags & TME_LEAVE) ||
        !::IsWindow(lpEventTrack->hwndTrack))
        return FALSE;
    if (KTIsTrackingMouseLeave(lpEventTrack->hwndTrack))
        return TRUE;
    const UINT_PTR id = ::SetTimer(nullptr, 0, 100, LeaveTimerProc);
    if (id == 0)
        return FALSE;
    Tracked()[id] = lpEventTrack->hwndTrack;
    return TRUE;
}

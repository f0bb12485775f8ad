#pragma once
// Posts WM_MOUSELEAVE to a window once the cursor has left it, polling every 100 ms with a
// thread timer of its own (so no window's own timer ids can clash with it). One request per
// window; a request for a window already tracked changes nothing. User-interface thread only.
#include "framework/Afx.h"

// lpEventTrack: cbSize at least 16, dwFlags TME_LEAVE, hwndTrack. FALSE for a shorter record,
// a missing window or a request without TME_LEAVE. The leave is posted once the cursor is out
// of the window's client area (on another window than this one or its children).
BOOL TrackMouseLeave(LPTRACKMOUSEEVENT lpEventTrack);
inline BOOL KTTrackMouseLeave(LPTRACKMOUSEEVENT lpEventTrack)
{
    return TrackMouseLeave(lpEventTrack);
}
// TRUE while the window's leave is being watched.
BOOL KTIsTrackingMouseLeave(HWND hwnd);

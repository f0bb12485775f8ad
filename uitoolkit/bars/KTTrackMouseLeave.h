#pragma once
// Posts WM_MOUSELEAVE to a window once the cursor has left it, polling every 100 ms with a
// thread timer of its own (so no window's own timer ids can clash with it). One request per
// window; a request for a window already tracked changes nothing. User-interface thread only.
#include "framework/Afx.h"

// lpEventTrack: cbSize 16 (or the system's size), dwFlags TME_LEAVE, hwndTrack. FALSE for a
// missing window or a request without TME_LEAVE.
BOOL KTTrackMouseLeave(LPTRACKMOUSEEVENT lpEventTrack);
// TRUE while the window's leave is being watched.
BOOL KTIsTrackingMouseLeave(HWND hwnd);

#pragma once
// "KTTOOLBAR_POPUPMENU": a bar tells its frame that it was right-clicked (wParam: the bar's
// window, lParam: the screen point). The point travels as two signed 16-bit halves, so that a
// point left of or above the primary monitor (negative x or y) comes back as it was sent.
#include "framework/Afx.h"

inline UINT KTGetToolbarPopupMenuMessage()
{
    static const UINT s_nMessage = ::RegisterWindowMessageW(L"KTTOOLBAR_POPUPMENU");
    return s_nMessage;
}

inline LPARAM KTPackScreenPoint(CPoint point)
{
    return MAKELPARAM(static_cast<WORD>(static_cast<short>(point.x)), static_cast<WORD>(static_cast<short>(point.y)));
}

inline CPoint KTUnpackScreenPoint(LPARAM lParam)
{
    return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}

#pragma once
// What the toolkit's frames do for docking: dock bars of the toolkit on their sides, a saved dock
// state applied, and the help key of their message pre-translation.
#include "framework/Afx.h"
#include "framework/AfxDockState.h"

// The frame's docking enabled on the sides of dwDockStyle, each side a CKTToolDockBar (one the
// frame has already is kept), floating in CKTMiniDockFrameWnd frames. A dock bar that cannot be
// created throws the framework's resource exception.
void EnableFrameDocking(CFrameWnd* pFrame, DWORD dwDockStyle);

// A saved dock state applied to the frame: floating frames made for its floating records, every
// bar placed, floating frames with visible bars shown without activation, and the frame laid out
// at the next idle time (unless the application starts minimized).
void ApplyDockState(CFrameWnd* pFrame, const CDockState& state);

// TRUE for an F1 key press (not a repeat) with Shift, Ctrl and Alt up.
BOOL IsHelpKey(const MSG* pMsg);

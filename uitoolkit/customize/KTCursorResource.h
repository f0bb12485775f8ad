#pragma once
// The toolkit's own cursors are kept as raw data resources (a cursor image: hot spot, then the
// bitmap with its masks) under their ids, because the linker cannot merge cursor resources from
// several resource scripts. This makes a cursor from one.

#include "framework/Afx.h"

// A new cursor the caller destroys; null when the resource is missing or not a cursor image.
HCURSOR KTLoadCursorResource(UINT nID);

// The toolkit's hand (resource 16919), made once and destroyed at exit; the system's hand when
// the program does not carry it.
HCURSOR KTGetHandCursor();

#pragma once
// Where a popup menu goes on the screen: the calculation behind CKTPopupMenu's placement, apart
// from windows so that every case can be checked against a given work area.
#include <windows.h>

struct KTPopupPlacementInput
{
    RECT rectWork = {};
    // The location asked for (screen); with bRightAlign it is the popup's right edge.
    POINT ptLocation = {};
    // The popup's size without shadow.
    SIZE size = {};
    BOOL bRightAlign = FALSE;
    BOOL bRightToLeft = FALSE;
    // The parent popup's window rectangle and row height, when the popup is a submenu.
    BOOL bHasParentPopup = FALSE;
    RECT rectParentPopup = {};
    int nParentRowHeight = 0;
    // The parent button's rectangle (screen), when it sits on a bar window.
    BOOL bHasParentButton = FALSE;
    RECT rectParentButton = {};
    // The parent button lies on a menu bar docked at the left or right; its window rectangle.
    BOOL bOnVerticalMenuBar = FALSE;
    RECT rectMenuBar = {};
    int nAnimationType = 0;
    int nDropDirection = 0;
};

struct KTPopupPlacement
{
    POINT pt = {};
    SIZE size = {};
    int nDropDirection = 0;
    BOOL bScrollable = FALSE;
    BOOL bAnimateFromLeft = TRUE;
    BOOL bAnimateFromTop = TRUE;
};

// The location is first clamped into the work area. A popup that does not fit at the right
// flips beside its parent popup or menu bar, else moves in from the work area's edge; one that
// does not fit below opens above its button when there is room above it (measured from the
// work area's top, never from 0), else takes the larger side and scrolls.
KTPopupPlacement KTCalcPopupPlacement(const KTPopupPlacementInput& in);

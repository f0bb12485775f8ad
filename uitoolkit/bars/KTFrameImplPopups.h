#pragma once
// What the frames ask of an open popup menu: where a point falls, whether the menu keeps itself
// open, whether a click outside it ends there, the menu it dropped from.
#include "framework/Afx.h"

class CKTPopupMenu;

enum class KTPopupHit
{
    kItems = 0,
    kShadowRight = 1,
    kShadowBottom = 2,
    kSideStrip = 3,
    kOutside = 4,
    kTopStrip = 5,
};

KTPopupHit KTPopupHitTest(CKTPopupMenu* pMenu, CPoint ptScreen);
BOOL KTPopupStaysOpen(CKTPopupMenu* pMenu);
// TRUE when the click that closed the menu must not go on to its target.
BOOL KTPopupEndsClick(CKTPopupMenu* pMenu);
// The popup menu this one dropped from, or null.
CKTPopupMenu* KTGetParentPopupMenu(CKTPopupMenu* pMenu);
// A pending close of the menu (its submenu about to go) is called off.
void KTCancelPendingClose(CKTPopupMenu* pMenu);
// The menu the popup was built from, or null.
HMENU KTPopupGetMenu(CKTPopupMenu* pMenu);
// Appends a copy of the button to the popup's items.
void KTPopupAppendButton(CKTPopupMenu* pMenu, const class CKTToolbarButton& button);
// TRUE for a popup that is the torn-off copy of another.
BOOL KTPopupIsTearOffCopy(CKTPopupMenu* pMenu);
// TRUE when an item of the popup has a command in [uiFirst, uiLast].
BOOL KTPopupHasCommandIn(CKTPopupMenu* pMenu, UINT uiFirst, UINT uiLast);

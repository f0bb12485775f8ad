#pragma once
// The one strip of small 9 x 9 glyphs that menus, popup menus, caption and window buttons draw
// (check mark, radio dot, arrows, window buttons and the others), in the user's colours.
// Loaded on first use; dropped after a system colour change so that the next use reloads it.

#include "uitoolkit/looks/KTImageStrip.h"

class CKTMenuGlyphs
{
public:
    // The glyph numbers the toolkit draws.
    enum Glyph
    {
        IdArrowDown = 0,
        IdArrowDownDisabled = 1,
        IdArrowRight = 2,
        IdArrowRightDisabled = 3,
        IdArrowRightSelected = 4,
        IdArrowDownSelected = 5,
        IdCheck = 6,
        IdCheckDisabled = 7,
        IdMinimize = 8,
        IdRestore = 10,
        IdClose = 12,
        IdMaximize = 14,
        IdArrowUp = 16,
        IdArrowUpDisabled = 17,
        IdChevronVertical = 18,
        IdArrowLeft = 19,
        // The close button of a docked window's caption (smaller than the window buttons' close).
        IdCaptionClose = 20,
        IdChevronHorizontal = 21,
        IdRadio = 22,
        IdRadioDisabled = 23,
        IdArrowDownLarge = 24,
        IdArrowRightLarge = 26,
        IdArrowDownDropped = 28,
        IdMinimizeHighlighted = 29,
        IdRestoreHighlighted = 30,
        IdCloseHighlighted = 31,
        IdScrollFirst = 32,
        IdScrollLast = 33,
        IdScrollLeft = 34,
        IdArrowBack = 35,
        IdArrowForward = 36,
        IdPin = 37,
        IdPinPushed = 38,
        IdScrollLeftDisabled = 39,
        IdCount = 42
    };

    // TRUE when the glyphs are loaded (loading them now when they are not).
    static BOOL Initialize();
    // Draws one glyph at its natural size, or stretched to sizeDest when that is not empty.
    static void Draw(CDC* pDC, int iGlyph, CPoint ptImage, CSize sizeDest = CSize(0, 0));
    // Drops the glyphs so that the next Draw loads them in the current colours.
    static void CleanUp();

    static CSize GetImageSize() { return Strip().GetImageSize(); }
    static int GetCount() { return Strip().GetCount(); }

private:
    static CKTImageStrip& Strip();
};

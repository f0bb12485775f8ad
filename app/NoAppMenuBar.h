#pragma once
// The main frame's menu bar. Its reset loads every menu it shows again from the program's
// resources: the document menu of each template and the frame's own menu, keeping whichever was
// shown, and the frames that shared an old menu take the new one.
#include "uitoolkit/bars/KTMenuBar.h"

class CKTNoAppMenuBar : public CKTMenuBar
{
    DECLARE_SERIAL(CKTNoAppMenuBar)
public:
    void RestoreResourceState() override;

private:
    // The reloaded menu takes the old one's place in the store and in every child frame that
    // showed it; the old one is destroyed. True when the old one was the menu shown.
    bool ReplaceMenu(HMENU oldMenu, HMENU newMenu);
};

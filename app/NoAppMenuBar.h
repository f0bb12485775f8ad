#pragma once
// The main frame's menu bar. Its reset loads every menu it shows again from the program's
// resources (the toolkit's menu bar does that, menu by menu, keeping the menus' handles) and then
// lays the frame out again for the bar's new size.
#include "uitoolkit/bars/KTMenuBar.h"

class CKTNoAppMenuBar : public CKTMenuBar
{
    DECLARE_SERIAL(CKTNoAppMenuBar)
public:
    void RestoreResourceState() override;
};

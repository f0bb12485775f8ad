#pragma once
// The dock bars along a toolkit frame's sides: painted by the visual manager, the toolkit's own
// bars side by side in a row without overlapping, and the menu bar along the whole side.
#include "framework/AfxDockBar.h"

class CKTToolDockBar : public CDockBar
{
    DECLARE_DYNAMIC(CKTToolDockBar)
public:
    CKTToolDockBar() = default;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    int BarOverlap(const CControlBar* pBar) const override;
    void DoPaint(CDC* pDC) override;

protected:
    // A bar that takes the whole length of the dock bar, in a row of its own: the menu bar.
    virtual BOOL IsFullLengthBar(const CControlBar* pBar) const;
};

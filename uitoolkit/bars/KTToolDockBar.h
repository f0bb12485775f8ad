#pragma once
// The dock bars along a toolkit frame's sides: painted by the visual manager, and the toolkit's
// own bars lie side by side in a row without overlapping.
#include "framework/AfxDockBar.h"

class CKTToolDockBar : public CDockBar
{
    DECLARE_DYNAMIC(CKTToolDockBar)
public:
    CKTToolDockBar() = default;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    int BarOverlap(const CControlBar* pBar) const override;
    void DoPaint(CDC* pDC) override;
};

#include "uitoolkit/bars/KTPopupMenuPlacement.h"

namespace
{
const int kDropNone = 0;
const int kDropTop = 2;
const int kDropRight = 3;
const int kDropLeft = 4;
const int kAnimationUnfold = 1;
const int kAnimationFade = 3;

LONG Clamp(LONG nValue, LONG nLow, LONG nHigh)
{
    if (nValue > nHigh)
        nValue = nHigh;
    if (nValue < nLow)
        nValue = nLow;
    return nValue;
}

void FitHorizontally(const KTPopupPlacementInput& in, KTPopupPlacement& out)
{
    const RECT& work = in.rectWork;
    const int cx = out.size.cx;
    LONG& x = out.pt.x;
    // Right to left, the location is the popup's right edge: it runs out at the left.
    const BOOL bNoFit = (in.bRightAlign && x < work.left) ||
                        (!in.bRightAlign && (in.bRightToLeft ? x - cx < work.left : x + cx > work.right));
    if (!bNoFit)
        return;
    if (in.bHasParentPopup)
    {
        x = in.bRightToLeft ? in.rectParentPopup.right + cx : in.rectParentPopup.left - cx;
        out.nDropDirection = in.bRightToLeft ? kDropRight : kDropLeft;
    }
    else if (in.bHasParentButton && in.bOnVerticalMenuBar)
    {
        x = in.rectMenuBar.left - cx;
        out.nDropDirection = in.bRightToLeft ? kDropRight : kDropLeft;
    }
    else
    {
        if (in.bRightAlign)
            x = work.left + 1;
        else if (in.bRightToLeft)
            x = work.left + cx + 1;
        else
            x = work.right - cx - 1;
        out.nDropDirection = kDropNone;
    }
    if (in.bRightToLeft ? x > work.right : x < work.left)
    {
        x = in.bRightToLeft ? work.right : work.left;
        out.nDropDirection = kDropNone;
    }
    if (in.nAnimationType == kAnimationUnfold)
        out.bAnimateFromLeft = FALSE;
    else if (in.nAnimationType == kAnimationFade)
        out.bAnimateFromLeft = out.bAnimateFromTop = FALSE;
}

void FitVertically(const KTPopupPlacementInput& in, KTPopupPlacement& out)
{
    const RECT& work = in.rectWork;
    LONG& y = out.pt.y;
    LONG& cy = out.size.cy;
    if (y + cy > work.bottom)
    {
        out.bAnimateFromTop = FALSE;
        if (!in.bHasParentButton || in.bHasParentPopup)
        {
            y -= cy;
            if (in.bHasParentPopup)
                y += in.nParentRowHeight + 4;
        }
        else
        {
            const int yButtonTop = in.rectParentButton.top;
            if (yButtonTop - cy >= work.top)
            {
                y = yButtonTop - cy;
                out.nDropDirection = kDropTop;
            }
            else
            {
                if (work.bottom - yButtonTop < yButtonTop - work.top)
                {
                    y = work.top;
                    cy = yButtonTop - work.top;
                    out.nDropDirection = kDropNone;
                }
                else
                {
                    cy = work.bottom - y;
                    out.bAnimateFromTop = TRUE;
                }
                out.bScrollable = TRUE;
            }
        }
    }
    if (y < work.top)
    {
        y = work.top;
        out.nDropDirection = kDropNone;
    }
    if (y + cy > work.bottom)
    {
        cy = work.bottom - y;
        out.bScrollable = TRUE;
    }
}
} // namespace

KTPopupPlacement KTCalcPopupPlacement(const KTPopupPlacementInput& in)
{
    KTPopupPlacement out;
    out.nDropDirection = in.nDropDirection;
    out.size = in.size;
    out.pt.x = Clamp(in.ptLocation.x, in.rectWork.left, in.rectWork.right);
    out.pt.y = Clamp(in.ptLocation.y, in.rectWork.top, in.rectWork.bottom);
    FitHorizontally(in, out);
    FitVertically(in, out);
    return out;
}

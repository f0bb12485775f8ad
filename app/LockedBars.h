#pragma once
// Bars the user cannot move: a toolbar that is neither dragged nor floated and is not offered on
// the customize sheet's toolbar list (a child frame's page toolbar), and a sizing bar that can be
// resized at its docked edge but neither moved nor closed from its caption (the preview bar).
#include "uitoolkit/bars/KTSizingControlBar.h"
#include "uitoolkit/bars/KTToolBar.h"

class CKTLockedToolBar : public CKTToolBar
{
    DECLARE_DYNAMIC(CKTLockedToolBar)
public:
    BOOL AllowShowOnList() const override { return m_showOnList; }

    BOOL m_showOnList = FALSE;

protected:
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};

class CKTLockedSizingControlBar : public CKTSizingControlBar
{
    DECLARE_DYNAMIC(CKTLockedSizingControlBar)
public:
    BOOL CanBeClosed() const override { return m_canBeClosed; }

    BOOL m_canBeClosed = FALSE;

protected:
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    DECLARE_MESSAGE_MAP()

private:
    // Lets go of a caption button the press left pushed, and of the mouse.
    void ReleaseCaptionButtons();
};

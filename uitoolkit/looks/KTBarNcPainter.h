#pragma once
// Paints and measures a toolbar's non-client border and gripper through the visual manager.
// A member of every toolbar, which creates it with itself as the owner (borrowed) and calls it
// from its WM_NCCALCSIZE, WM_NCPAINT and background painting.

#include "framework/Afx.h"

class CKTBarNcPainter
{
public:
    explicit CKTBarNcPainter(CControlBar* pBar) : m_pBar(pBar) {}
    virtual ~CKTBarNcPainter() = default;

    // The bar's border, background and gripper in its window DC, the client area left alone
    // (and, inside WM_NCPAINT, what lies outside the update region).
    void DrawNcArea();
    // Moves the edges of the window rectangle in by the bar's insets, leaving the client area.
    void CalcNcSize(CRect& rect) const;
    void DrawParentBackground(CDC* pDC);
    // Inside the WM_NCPAINT of the window: limits pDC (a window DC) to the frame's update region,
    // so that a partial repaint leaves the rest of the frame alone. FALSE, nothing changed, for
    // a whole-frame repaint or outside such a message.
    static BOOL ClipToNcUpdateRegion(CDC* pDC, CWnd* pWnd);

    // The bar's insets on each side as CalcNcSize applies them (left and top positive, right
    // and bottom negative).
    CRect GetInsets() const;

protected:
    BOOL IsHorizontal() const;

    CControlBar* m_pBar;
};

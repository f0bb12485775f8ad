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

    // The bar's border, background and gripper in its window DC, the client area left alone.
    void DrawNcArea();
    // Moves the edges of the window rectangle in by the bar's insets, leaving the client area.
    void CalcNcSize(CRect& rect) const;
    void DrawParentBackground(CDC* pDC);

    // The bar's insets on each side as CalcNcSize applies them (left and top positive, right
    // and bottom negative).
    CRect GetInsets() const;

protected:
    BOOL IsHorizontal() const;

    CControlBar* m_pBar;
};

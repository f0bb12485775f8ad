#pragma once
// A header control whose items light up under the mouse: the item under the pointer is drawn hot
// until the pointer leaves or the mode is cancelled. Drawn double-buffered through the visual
// manager; the property list's column header.
#include "framework/Afx.h"

class CKTHeaderCtrl : public CHeaderCtrl
{
public:
    CKTHeaderCtrl() = default;

    // -1 when no item is hot.
    int GetHotItem() const { return m_nHighlightedItem; }

protected:
    // Draws one item; -1 is the room after the last item.
    virtual void OnDrawItem(CDC* pDC, int iItem, CRect rect, BOOL bIsPressed, BOOL bIsHighlighted);

    BOOL OnEraseBkgnd(CDC* pDC);
    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnCancelMode();
    void OnMouseLeave();
    DECLARE_MESSAGE_MAP()

    void SetHot(int nItem);

    int m_nHighlightedItem = -1;
    BOOL m_bTracked = FALSE;
};

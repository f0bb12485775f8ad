// CDockContext: moves a bar with the mouse (dock where the outline meets a dock bar, float
// elsewhere or with Ctrl) and resizes a floating one; remembers where the bar was docked and floated.
#pragma once

#include "framework/AfxControlBar.h"

class CDockContext
{
public:
    explicit CDockContext(CControlBar* pBar);
    virtual ~CDockContext();
    CDockContext(const CDockContext&) = delete;
    CDockContext& operator=(const CDockContext&) = delete;

    // Drag: a captured loop of its own that runs until the left button is released (docks or
    // floats), or Escape, the right button, a lost capture or a quit message cancels it.
    virtual void StartDrag(CPoint pt);
    void Move(CPoint pt);
    void OnKey(int nChar, BOOL bDown);
    void EndDrag();
    // Docks a floating bar where it was last docked, floats a docked one where it last floated.
    void ToggleDocking();

    // Resize of a floating bar from its frame's border (hit code HTLEFT..HTBOTTOMRIGHT).
    virtual void StartResize(int nHitTest, CPoint pt);
    virtual void Stretch(CPoint pt);
    virtual void EndResize();
    // The loop shared by drag and resize; TRUE when ended by the left button.
    virtual BOOL Track();

    void InitLoop();
    void CancelLoop();
    void DrawFocusRect(BOOL bRemoveRect = FALSE);
    // The dock style (CBRS_ALIGN_ side) of the dock bar the outline meets, 0 for floating.
    DWORD CanDock();
    CDockBar* GetDockBar(DWORD dwOverDockStyle);

    CPoint m_ptLast;
    CRect m_rectLast;
    CSize m_sizeLast;
    BOOL m_bDitherLast = FALSE;
    CRect m_rectDragHorz;      // outline docked horizontally
    CRect m_rectDragVert;      // outline docked vertically
    CRect m_rectFrameDragHorz; // outline floating (frame included)
    CRect m_rectFrameDragVert;
    DWORD m_dwDockStyle = 0;     // sides the bar may dock to
    DWORD m_dwOverDockStyle = 0; // side under the outline now (0: floats)
    DWORD m_dwStyle = 0;         // the bar's style when the drag began
    BOOL m_bFlip = FALSE;
    BOOL m_bForceFrame = FALSE; // Ctrl: float even over a dock bar
    CDC* m_pDC = nullptr;       // the screen, while the outline is drawn
    BOOL m_bDragging = FALSE;
    int m_nHitTest = 0;

    // Where the bar was docked last (dock bar id, rectangle in its client coordinates) and floated
    // last (style, screen position of the frame).
    UINT m_uMRUDockID = 0;
    CRect m_rectMRUDockPos;
    DWORD m_dwMRUFloatStyle = CBRS_ALIGN_TOP;
    CPoint m_ptMRUFloatPos{-1, -1};

    CControlBar* m_pBar;
    CFrameWnd* m_pDockSite;

protected:
    CRect m_rectRequestedSize; // resize: the frame outline being asked for
    CRect m_rectActualSize;
    CRect m_rectActualFrameSize;
    CDockBar* m_pTargetDockBar = nullptr;
};

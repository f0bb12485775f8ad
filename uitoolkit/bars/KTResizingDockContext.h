#pragma once
// The dock context of sizing bars: a floating sizing bar is resized from any edge or corner of
// its frame, the corner opposite the dragged one staying where it is.
#include "framework/AfxDockContext.h"

class CKTResizingDockContext : public CDockContext
{
public:
    explicit CKTResizingDockContext(CControlBar* pBar) : CDockContext(pBar) {}

    void StartResize(int nHitTest, CPoint pt) override;
    void Stretch(CPoint pt) override;
    // FALSE at once while another window has the capture; a cancelled resize gives the bar back
    // the floating size it had.
    BOOL Track() override;

private:
    CSize m_sizeFloatBefore{0, 0};
};

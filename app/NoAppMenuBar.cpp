#include "app/NoAppMenuBar.h"

IMPLEMENT_SERIAL(CKTNoAppMenuBar, CKTMenuBar, VERSIONABLE_SCHEMA | 1)

void CKTNoAppMenuBar::RestoreResourceState()
{
    CKTMenuBar::RestoreResourceState();
    CFrameWnd* frame = GetParentFrame();
    if (!frame || !m_hWnd || IsMaximizeMode())
        return;
    frame->RecalcLayout();
    Invalidate();
}

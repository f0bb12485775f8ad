#include "uitoolkit/bars/KTFrameWnd.h"

#include "framework/AfxMsgMap.h"

IMPLEMENT_DYNCREATE(CKTFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CKTFrameWnd, CFrameWnd)
KT_FRAME_FORWARDING_MESSAGES(CKTFrameWnd)
END_MESSAGE_MAP()

BOOL CKTFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    m_Impl.RestorePosition(cs);
    return CFrameWnd::PreCreateWindow(cs);
}

void CKTFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    CFrameWnd::OnUpdateFrameMenu(hMenuAlt);
    HideOwnMenuForMenuBar(FALSE);
}

#include "uitoolkit/bars/KTFrameDocking.h"

#include "framework/AfxDockBar.h"
#include "framework/AfxException.h"
#include "uitoolkit/bars/KTMiniDockFrameWnd.h"
#include "uitoolkit/bars/KTToolDockBar.h"

namespace
{

const struct
{
    UINT nID;
    DWORD dwStyle;
} kDockBars[] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT},
};

} // namespace

void EnableFrameDocking(CFrameWnd* pFrame, DWORD dwDockStyle)
{
    pFrame->EnableDocking(dwDockStyle);
    for (const auto& side : kDockBars)
    {
        if ((side.dwStyle & dwDockStyle & CBRS_ALIGN_ANY) == 0)
            continue;
        CControlBar* pOld = pFrame->GetControlBar(side.nID);
        if (pOld != nullptr && pOld->IsKindOf(RUNTIME_CLASS(CKTToolDockBar)))
            continue;
        if (pOld != nullptr)
        {
            pFrame->RemoveControlBar(pOld);
            pOld->m_pDockSite = nullptr;
            const BOOL bAutoDelete = pOld->m_bAutoDelete;
            pOld->DestroyWindow();
            if (!bAutoDelete)
                delete pOld;
        }
        auto* pDockBar = new CKTToolDockBar;
        pDockBar->m_bAutoDelete = TRUE;
        if (!pDockBar->Create(pFrame, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | side.dwStyle,
                              side.nID))
        {
            delete pDockBar;
            AfxThrowResourceException();
        }
    }
    pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(CKTMiniDockFrameWnd);
}

void ApplyDockState(CFrameWnd* pFrame, const CDockState& state)
{
    pFrame->SetDockState(state);
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && (pApp->m_nCmdShow == SW_MINIMIZE || pApp->m_nCmdShow == SW_SHOWMINNOACTIVE))
        pFrame->m_nIdleFlags &= ~(CFrameWnd::idleLayout | CFrameWnd::idleNotify);
}

BOOL IsHelpKey(const MSG* pMsg)
{
    return pMsg != nullptr && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F1 &&
           (pMsg->lParam & 0x40000000) == 0 && ::GetKeyState(VK_SHIFT) >= 0 && ::GetKeyState(VK_CONTROL) >= 0 &&
           ::GetKeyState(VK_MENU) >= 0;
}

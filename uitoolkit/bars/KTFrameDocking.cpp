#include "uitoolkit/bars/KTFrameDocking.h"

#include "framework/AfxDockBar.h"
#include "framework/AfxException.h"
#include "framework/AfxMiniDockFrameWnd.h"
#include "uitoolkit/bars/KTMiniDockFrameWnd.h"
#include "uitoolkit/bars/KTToolDockBar.h"

#include <vector>

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

// The framework makes the floating frames of a saved state as for bars of a fixed size; a frame
// that holds a bar the user sizes gets the sizing border it has when the bar is floated by hand.
void GiveFloatingFramesTheirSizingBorders(CFrameWnd* pFrame)
{
    const std::vector<CControlBar*> bars = pFrame->m_listControlBars;
    for (CControlBar* pBar : bars)
    {
        auto* pDockBar = dynamic_cast<CDockBar*>(pBar);
        if (pDockBar == nullptr || !pDockBar->m_bFloating || pDockBar->m_hWnd == nullptr)
            continue;
        auto* pMiniFrame = dynamic_cast<CMiniDockFrameWnd*>(pDockBar->GetParent());
        if (pMiniFrame == nullptr || (pMiniFrame->GetStyle() & WS_THICKFRAME) != 0)
            continue;
        BOOL bSizable = FALSE;
        for (INT_PTR i = 0; i < pDockBar->m_arrBars.GetSize(); ++i)
        {
            CControlBar* pDocked = pDockBar->GetDockedControlBar(static_cast<int>(i));
            bSizable = bSizable || (pDocked != nullptr && (pDocked->m_dwStyle & CBRS_SIZE_DYNAMIC) != 0);
        }
        if (!bSizable)
            continue;
        pDockBar->m_dwStyle |= CBRS_SIZE_DYNAMIC;
        pMiniFrame->ModifyStyle(MFS_MOVEFRAME, MFS_THICKFRAME | WS_THICKFRAME, SWP_FRAMECHANGED);
        pMiniFrame->RecalcLayout(TRUE);
    }
}

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
    GiveFloatingFramesTheirSizingBorders(pFrame);
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

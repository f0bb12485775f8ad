// The frame's docking members: dock bars on the sides, docking, floating, showing and the dock state.
#include "framework/AfxFrame.h"

#include "framework/AfxDockBar.h"
#include "framework/AfxDockContext.h"
#include "framework/AfxDockState.h"
#include "framework/AfxException.h"
#include "framework/AfxMiniDockFrameWnd.h"

#include <algorithm>

const DWORD CFrameWnd::dwDockBarMap[4][2] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_TOP},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_BOTTOM},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_LEFT},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_RIGHT},
};

void CFrameWnd::AddControlBar(CControlBar* pBar)
{
    if (std::find(m_listControlBars.begin(), m_listControlBars.end(), pBar) == m_listControlBars.end())
        m_listControlBars.push_back(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
    m_listControlBars.erase(std::remove(m_listControlBars.begin(), m_listControlBars.end(), pBar),
                            m_listControlBars.end());
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    if (nID == 0)
        return nullptr;
    for (CControlBar* pBar : m_listControlBars)
    {
        if (pBar->m_hWnd != nullptr && static_cast<UINT>(pBar->GetDlgCtrlID()) == nID)
            return pBar;
    }
    return nullptr;
}

void CFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    m_pFloatingFrameClass = RUNTIME_CLASS(CMiniDockFrameWnd);
    for (const auto& entry : dwDockBarMap)
    {
        if ((entry[1] & dwDockStyle & CBRS_ALIGN_ANY) == 0 || GetControlBar(entry[0]) != nullptr)
            continue;
        auto* pDockBar = new CDockBar;
        pDockBar->m_bAutoDelete = TRUE;
        if (!pDockBar->Create(this, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CHILD | WS_VISIBLE | entry[1], entry[0]))
        {
            delete pDockBar;
            AfxThrowResourceException();
        }
    }
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    CDockBar* pDockBar = nDockBarID != 0 ? dynamic_cast<CDockBar*>(GetControlBar(nDockBarID)) : nullptr;
    DockControlBar(pBar, pDockBar, lpRect);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr)
        return;
    if (pDockBar == nullptr)
    {
        // The side the bar is aligned to, else the first side it may dock to.
        for (const auto& entry : dwDockBarMap)
        {
            if ((entry[1] & CBRS_ALIGN_ANY) == (pBar->m_dwStyle & CBRS_ALIGN_ANY))
            {
                pDockBar = dynamic_cast<CDockBar*>(GetControlBar(entry[0]));
                if (pDockBar != nullptr)
                    break;
            }
        }
        for (const auto& entry : dwDockBarMap)
        {
            if (pDockBar != nullptr)
                break;
            if ((entry[1] & pBar->m_dwDockStyle & CBRS_ALIGN_ANY) != 0)
                pDockBar = dynamic_cast<CDockBar*>(GetControlBar(entry[0]));
        }
    }
    if (pDockBar == nullptr)
        return;
    pBar->m_pDockSite = this;
    if (pBar->m_pDockContext != nullptr)
        pBar->m_pDockContext->m_pDockSite = this;
    pDockBar->DockControlBar(pBar, lpRect);
    // Docked on a side now: places it kept on the other sides are stale.
    if (!pDockBar->m_bFloating)
    {
        for (const auto& entry : dwDockBarMap)
        {
            auto* pOther = dynamic_cast<CDockBar*>(GetControlBar(entry[0]));
            if (pOther != nullptr && pOther != pDockBar)
                pOther->RemovePlaceHolder(pBar);
        }
    }
    RecalcLayout();
}

CMiniDockFrameWnd* CFrameWnd::CreateFloatingFrame(DWORD dwStyle)
{
    CRuntimeClass* pClass = m_pFloatingFrameClass != nullptr ? m_pFloatingFrameClass : RUNTIME_CLASS(CMiniDockFrameWnd);
    CObject* pObject = pClass->CreateObject();
    auto* pFrame = dynamic_cast<CMiniDockFrameWnd*>(pObject);
    if (pFrame == nullptr)
    {
        delete pObject;
        AfxThrowResourceException();
    }
    if (!pFrame->Create(this, dwStyle))
        AfxThrowResourceException(); // a failed creation deleted the frame (PostNcDestroy)
    return pFrame;
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr)
        return;
    CDockBar* pOldDockBar = pBar->m_pDockBar;
    if (pOldDockBar != nullptr && pOldDockBar->m_bFloating && pOldDockBar->GetDockedCount() == 1 &&
        (dwStyle & pOldDockBar->m_dwStyle & CBRS_ALIGN_ANY) != 0)
    {
        // Alone in a floating frame of the same orientation: the frame only moves.
        CFrameWnd* pFrame = pOldDockBar->GetParentFrame();
        pFrame->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        pFrame->RecalcLayout(TRUE);
        pFrame->UpdateWindow();
        return;
    }
    // Where it was docked, for the way back.
    if (pBar->m_pDockContext != nullptr && pOldDockBar != nullptr && !pOldDockBar->m_bFloating)
    {
        CRect rect;
        pBar->GetWindowRect(&rect);
        pOldDockBar->ScreenToClient(&rect);
        pBar->m_pDockContext->m_uMRUDockID = pOldDockBar->GetDlgCtrlID();
        pBar->m_pDockContext->m_rectMRUDockPos = rect;
    }
    if ((pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) != 0)
    {
        dwStyle |= CBRS_SIZE_DYNAMIC;
        if ((dwStyle & CBRS_ORIENT_VERT) != 0)
            dwStyle = (dwStyle & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP;
    }
    pBar->m_pDockSite = this;
    CMiniDockFrameWnd* pFrame = CreateFloatingFrame(dwStyle);
    pFrame->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pFrame->m_wndDockBar.DockControlBar(pBar);
    pFrame->RecalcLayout(TRUE);
    if ((GetStyle() & WS_VISIBLE) != 0 && pBar->IsVisible())
    {
        pFrame->ShowWindow(SW_SHOWNA);
        pFrame->UpdateWindow();
    }
    RecalcLayout();
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    if (pBar == nullptr || pBar->m_hWnd == nullptr)
        return;
    CFrameWnd* pParentFrame = pBar->GetDockingFrame();
    if (pParentFrame == nullptr)
        pParentFrame = this;
    if (bDelay)
    {
        pBar->DelayShow(bShow);
        pParentFrame->DelayRecalcLayout();
    }
    else
    {
        pBar->SetWindowPos(nullptr, 0, 0, 0, 0,
                           SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE |
                               (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        pBar->DelayShow(bShow); // clears a pending change: the window is as asked
        if (bShow || !pBar->IsFloating())
            pParentFrame->RecalcLayout(FALSE);
    }
    // A floating frame shows with its first visible bar and hides with its last.
    if (pBar->IsFloating() && pBar->m_pDockBar != nullptr && pParentFrame != this)
    {
        int nVisible = pBar->m_pDockBar->GetDockedVisibleCount();
        if (nVisible > 0 && bShow)
        {
            if (bDelay)
                pParentFrame->m_nShowDelay = SW_SHOWNA;
            else
            {
                pParentFrame->m_nShowDelay = -1;
                pParentFrame->RecalcLayout(FALSE);
                pParentFrame->ShowWindow(SW_SHOWNA);
            }
        }
        else if (nVisible == 0)
        {
            if (bDelay)
                pParentFrame->m_nShowDelay = SW_HIDE;
            else
            {
                pParentFrame->m_nShowDelay = -1;
                pParentFrame->ShowWindow(SW_HIDE);
            }
        }
        else if (!bDelay)
            pParentFrame->RecalcLayout(FALSE);
    }
    if (pParentFrame != this && !bDelay)
        RecalcLayout(FALSE);
}

void CFrameWnd::GetDockState(CDockState& state) const
{
    state.Clear();
    for (CControlBar* pBar : m_listControlBars)
    {
        if (pBar->m_hWnd == nullptr || pBar->GetDlgCtrlID() <= 0)
            continue;
        auto* pInfo = new CControlBarInfo;
        pBar->GetBarInfo(pInfo);
        state.m_arrBarInfo.Add(pInfo);
    }
}

void CFrameWnd::SetDockState(const CDockState& state)
{
    // Floating dock bars of the state become new floating frames; the others are found by id.
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i)
    {
        auto* pInfo = static_cast<CControlBarInfo*>(state.m_arrBarInfo[i]);
        pInfo->m_pBar = nullptr;
        if (pInfo->m_bFloating && pInfo->m_nBarID == AFX_IDW_DOCKBAR_FLOAT)
        {
            CMiniDockFrameWnd* pFrame = CreateFloatingFrame(pInfo->m_bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT);
            pFrame->SetWindowPos(nullptr, pInfo->m_pointPos.x, pInfo->m_pointPos.y, 0, 0,
                                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            pInfo->m_pBar = &pFrame->m_wndDockBar;
        }
        else if (!pInfo->m_bDockBar || pInfo->m_nBarID != AFX_IDW_DOCKBAR_FLOAT)
            pInfo->m_pBar = GetControlBar(pInfo->m_nBarID);
        if (pInfo->m_pBar != nullptr)
            pInfo->m_pBar->m_nMRUWidth = pInfo->m_nMRUWidth;
    }
    // Dock bars take their rows; then every bar its visibility and memory.
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i)
    {
        auto* pInfo = static_cast<CControlBarInfo*>(state.m_arrBarInfo[i]);
        auto* pDockBar = dynamic_cast<CDockBar*>(pInfo->m_pBar);
        if (pDockBar == nullptr)
            continue;
        pDockBar->m_arrBars.RemoveAll();
        pDockBar->m_arrBars.Add(nullptr);
        for (INT_PTR n = 0; n < pInfo->m_arrBarID.GetSize(); ++n)
        {
            DWORD dwID = pInfo->m_arrBarID[n];
            if (dwID == 0)
            {
                if (pDockBar->m_arrBars[pDockBar->m_arrBars.GetSize() - 1] != nullptr)
                    pDockBar->m_arrBars.Add(nullptr);
                continue;
            }
            CControlBar* pBar = (dwID & CControlBarInfo::kPlaceholderFlag) == 0 ? GetControlBar(dwID) : nullptr;
            if (pBar == nullptr || pBar->IsDockBar())
            {
                pDockBar->m_arrBars.Add(reinterpret_cast<void*>(static_cast<UINT_PTR>(dwID & 0xFFFF)));
                continue;
            }
            // Out of wherever it is now, into this row.
            if (pBar->m_pDockBar != nullptr && pBar->m_pDockBar != pDockBar)
            {
                CDockBar* pOld = pBar->m_pDockBar;
                pBar->SetParent(pDockBar);
                pOld->RemoveControlBar(pBar);
            }
            else if (pBar->GetParent() != pDockBar)
                pBar->SetParent(pDockBar);
            pBar->m_pDockBar = pDockBar;
            pBar->m_pDockSite = this;
            DWORD dwStyle =
                (pBar->m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_FLOATING)) | (pDockBar->m_dwStyle & CBRS_ALIGN_ANY);
            if (pDockBar->m_bFloating)
                dwStyle |= CBRS_FLOATING;
            pBar->SetBarStyle(dwStyle);
            pDockBar->m_arrBars.Add(pBar);
        }
        if (pDockBar->m_arrBars[pDockBar->m_arrBars.GetSize() - 1] != nullptr)
            pDockBar->m_arrBars.Add(nullptr);
    }
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i)
    {
        auto* pInfo = static_cast<CControlBarInfo*>(state.m_arrBarInfo[i]);
        if (pInfo->m_pBar != nullptr && !pInfo->m_pBar->IsDockBar())
            pInfo->m_pBar->SetBarInfo(pInfo, this);
    }
    // Floating frames with visible bars show; emptied ones go.
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i)
    {
        auto* pInfo = static_cast<CControlBarInfo*>(state.m_arrBarInfo[i]);
        auto* pDockBar = dynamic_cast<CDockBar*>(pInfo->m_pBar);
        if (pDockBar == nullptr || !pDockBar->m_bFloating)
            continue;
        auto* pFrame = dynamic_cast<CMiniDockFrameWnd*>(pDockBar->GetParent());
        if (pFrame == nullptr)
            continue;
        if (pDockBar->GetDockedCount() == 0)
        {
            pFrame->DestroyWindow();
            continue;
        }
        // The bars' delayed shows happen in this layout.
        pFrame->RecalcLayout(TRUE);
        if (pDockBar->GetDockedVisibleCount() > 0)
            pFrame->ShowWindow(SW_SHOWNA);
    }
    DelayRecalcLayout();
}

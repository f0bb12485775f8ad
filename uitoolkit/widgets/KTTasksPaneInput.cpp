// The tasks pane's input: hot-tracked captions and tasks, clicks, scrolling with the bar or the
// arrows, the group animation, and the navigation commands.
#include "uitoolkit/widgets/KTTasksPane.h"

#include "framework/AfxFrame.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CKTTasksPane, CKTOutlookBar)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_SETTINGCHANGE()
ON_WM_SETCURSOR()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_CANCELMODE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_VSCROLL()
ON_WM_DESTROY()
ON_WM_TIMER()
ON_MESSAGE(WM_SETFONT, &CKTTasksPane::OnSetFont)
ON_MESSAGE(WM_GETFONT, &CKTTasksPane::OnGetFont)
ON_COMMAND(CKTTasksPane::CmdBack, &CKTTasksPane::OnBack)
ON_COMMAND(CKTTasksPane::CmdForward, &CKTTasksPane::OnForward)
ON_UPDATE_COMMAND_UI(CKTTasksPane::CmdBack, &CKTTasksPane::OnUpdateBack)
ON_UPDATE_COMMAND_UI(CKTTasksPane::CmdForward, &CKTTasksPane::OnUpdateForward)
ON_COMMAND(CKTTasksPane::CmdHome, &CKTTasksPane::OnHome)
ON_COMMAND(CKTTasksPane::CmdClose, &CKTTasksPane::OnClose)
ON_COMMAND(CKTTasksPane::CmdOtherPanes, &CKTTasksPane::OnOtherPanes)
END_MESSAGE_MAP()

namespace
{
const UINT kScrollDelay = 80;
} // namespace

void CKTTasksPane::OnSize(UINT nType, int cx, int cy)
{
    CKTOutlookBar::OnSize(nType, cx, cy);
    RecalcTasks();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CKTTasksPane::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CKTOutlookBar::OnSettingChange(uFlags, lpszSection);
    RebuildFonts();
    RecalcTasks();
    Invalidate();
}

// Hit tests ---------------------------------------------------------------------------------------

int CKTTasksPane::GroupCaptionFromPoint(CPoint point) const
{
    if (!m_rectTasks.PtInRect(point))
        return -1;
    for (size_t i = 0; i < m_groups.size(); i++)
        if (m_groups[i].m_rectCaption.PtInRect(point))
            return static_cast<int>(i);
    return -1;
}

int CKTTasksPane::TaskFromPoint(CPoint point, int& nGroup) const
{
    nGroup = -1;
    if (!m_rectTasks.PtInRect(point))
        return -1;
    for (size_t i = 0; i < m_groups.size(); i++)
    {
        const auto& tasks = m_groups[i].m_tasks;
        for (size_t t = 0; t < tasks.size(); t++)
            if (tasks[t].m_rect.PtInRect(point))
            {
                nGroup = static_cast<int>(i);
                return static_cast<int>(t);
            }
    }
    return -1;
}

void CKTTasksPane::RedrawItem(int nGroup, int nTask)
{
    const CKTTasksGroup* pGroup = GetGroup(nGroup);
    if (pGroup == nullptr)
        return;
    CRect rect = pGroup->m_rectCaption;
    if (nTask >= 0 && nTask < static_cast<int>(pGroup->m_tasks.size()))
        rect = pGroup->m_tasks[static_cast<size_t>(nTask)].m_rect;
    RedrawWindow(rect, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

void CKTTasksPane::ShowIdlePrompt()
{
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
}

void CKTTasksPane::ShowTaskPrompt(UINT uiCommandID)
{
    ShowCommandMessageString(uiCommandID);
}

// Mouse -------------------------------------------------------------------------------------------

BOOL CKTTasksPane::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT)
    {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        int nGroup = -1;
        const int nTask = TaskFromPoint(point, nGroup);
        const BOOL bLink =
            nTask >= 0 && m_groups[static_cast<size_t>(nGroup)].m_tasks[static_cast<size_t>(nTask)].m_uiCommandID != 0;
        if (bLink || GroupCaptionFromPoint(point) >= 0)
        {
            ::SetCursor(m_hcurHand);
            return TRUE;
        }
    }
    return CKTOutlookBar::OnSetCursor(pWnd, nHitTest, message);
}

void CKTTasksPane::OnMouseMove(UINT nFlags, CPoint point)
{
    CKTOutlookBar::OnMouseMove(nFlags, point);
    if (m_bUseScrollArrows)
    {
        int nMode = 0;
        if (m_rectScrollUp.PtInRect(point) && m_nTasksScroll > 0)
            nMode = -1;
        else if (m_rectScrollDown.PtInRect(point) && m_nTasksScroll < GetMaxScroll())
            nMode = 1;
        if (nMode != 0)
        {
            if (m_iScrollMode != nMode)
            {
                m_iScrollMode = nMode;
                InvalidateRect(nMode < 0 ? m_rectScrollUp : m_rectScrollDown);
                SetTimer(TimerScroll, kScrollDelay, nullptr);
            }
            return;
        }
    }

    int nTaskGroup = -1;
    const int nGroup = GroupCaptionFromPoint(point);
    const int nTask = nGroup < 0 ? TaskFromPoint(point, nTaskGroup) : -1;
    if (nGroup == m_nHotGroup && nTask == m_nHotTask && nTaskGroup == m_nHotTaskGroup)
        return;
    const int nOldGroup = m_nHotGroup;
    const int nOldTask = m_nHotTask;
    const int nOldTaskGroup = m_nHotTaskGroup;
    auto redrawOld = [&] {
        if (nOldGroup >= 0)
            RedrawItem(nOldGroup, -1);
        if (nOldTask >= 0)
            RedrawItem(nOldTaskGroup, nOldTask);
    };

    if (nGroup < 0 && nTask < 0)
    {
        m_nHotGroup = m_nHotTask = m_nHotTaskGroup = -1;
        redrawOld();
        if (m_nPressedGroup < 0 && m_nPressedTask < 0 && ::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        ShowIdlePrompt();
        return;
    }
    if (nGroup >= 0)
    {
        if (::GetCapture() == nullptr)
            SetCapture();
        m_nHotTask = m_nHotTaskGroup = -1;
        m_nHotGroup = nGroup;
        redrawOld();
        RedrawItem(nGroup, -1);
        return;
    }
    const CKTTask& task = m_groups[static_cast<size_t>(nTaskGroup)].m_tasks[static_cast<size_t>(nTask)];
    if (task.m_uiCommandID == 0)
    {
        ShowIdlePrompt();
        return;
    }
    if (::GetCapture() == nullptr)
        SetCapture();
    m_nHotGroup = -1;
    m_nHotTask = nTask;
    m_nHotTaskGroup = nTaskGroup;
    redrawOld();
    RedrawItem(nTaskGroup, nTask);
    ShowTaskPrompt(task.m_uiCommandID);
}

void CKTTasksPane::OnLButtonDown(UINT nFlags, CPoint point)
{
    CKTOutlookBar::OnLButtonDown(nFlags, point);
    m_nPressedGroup = m_nHotGroup;
    m_nPressedTask = m_nHotTask;
    m_nPressedTaskGroup = m_nHotTaskGroup;
}

// A second click that comes quickly is a second press, not a double click: it toggles a group again.
void CKTTasksPane::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OnLButtonDown(nFlags, point);
}

void CKTTasksPane::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    CKTOutlookBar::OnLButtonUp(nFlags, point);
    const int nPressedGroup = m_nPressedGroup;
    const int nPressedTask = m_nPressedTask;
    const int nPressedTaskGroup = m_nPressedTaskGroup;
    m_nPressedGroup = m_nPressedTask = m_nPressedTaskGroup = -1;

    int nTaskGroup = -1;
    if (nPressedGroup >= 0 && GroupCaptionFromPoint(point) == nPressedGroup)
    {
        CollapseGroup(nPressedGroup, !m_groups[static_cast<size_t>(nPressedGroup)].m_bCollapsed);
        m_nHotGroup = m_nHotTask = m_nHotTaskGroup = -1;
        SendMessage(WM_MOUSEMOVE, nFlags, MAKELPARAM(point.x, point.y));
        return;
    }
    if (nPressedTask >= 0 && TaskFromPoint(point, nTaskGroup) == nPressedTask && nTaskGroup == nPressedTaskGroup)
    {
        const UINT uiCmd =
            m_groups[static_cast<size_t>(nTaskGroup)].m_tasks[static_cast<size_t>(nPressedTask)].m_uiCommandID;
        OnClickTask(nTaskGroup, nPressedTask, uiCmd);
        return;
    }
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

void CKTTasksPane::OnCancelMode()
{
    CKTOutlookBar::OnCancelMode();
    const int nGroups[] = {m_nHotGroup, m_nPressedGroup};
    const int nTasks[][2] = {{m_nHotTaskGroup, m_nHotTask}, {m_nPressedTaskGroup, m_nPressedTask}};
    m_nHotGroup = m_nHotTask = m_nHotTaskGroup = -1;
    m_nPressedGroup = m_nPressedTask = m_nPressedTaskGroup = -1;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    for (int nGroup : nGroups)
        if (nGroup >= 0)
            RedrawItem(nGroup, -1);
    for (const auto& task : nTasks)
        if (task[1] >= 0)
            RedrawItem(task[0], task[1]);
}

void CKTTasksPane::OnClickTask(int, int, UINT uiCommandID)
{
    if (uiCommandID == 0)
        return;
    if (CWnd* pTarget = GetCommandTarget())
        pTarget->PostMessage(WM_COMMAND, uiCommandID, 0);
}

// Scrolling and timers ----------------------------------------------------------------------------

void CKTTasksPane::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    int nNew = m_nTasksScroll;
    switch (nSBCode)
    {
    case SB_LINEUP:
        nNew -= ScrollStep();
        break;
    case SB_LINEDOWN:
        nNew += ScrollStep();
        break;
    case SB_PAGEUP:
        nNew -= m_rectTasks.Height();
        break;
    case SB_PAGEDOWN:
        nNew += m_rectTasks.Height();
        break;
    case SB_TOP:
        nNew = 0;
        break;
    case SB_BOTTOM:
        nNew = GetMaxScroll();
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        nNew = static_cast<int>(nPos);
        break;
    default:
        return;
    }
    SetTasksScroll(nNew);
}

void CKTTasksPane::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == TimerScroll)
    {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        const CRect rectArrow = m_iScrollMode < 0 ? m_rectScrollUp : m_rectScrollDown;
        const int nBefore = m_nTasksScroll;
        if (m_iScrollMode != 0 && rectArrow.PtInRect(point))
            SetTasksScroll(m_nTasksScroll + m_iScrollMode * ScrollStep());
        if (m_iScrollMode == 0 || !rectArrow.PtInRect(point) || m_nTasksScroll == nBefore)
        {
            KillTimer(TimerScroll);
            m_iScrollMode = 0;
            InvalidateRect(rectArrow);
        }
        return;
    }
    if (nIDEvent == TimerAnimation)
    {
        if (::GetTickCount() - m_dwAnimationStart >= 200)
        {
            KillTimer(TimerAnimation);
            m_nAnimatedGroup = -1;
        }
        RecalcTasks();
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
        return;
    }
    CKTOutlookBar::OnTimer(nIDEvent);
}

// Commands ----------------------------------------------------------------------------------------

void CKTTasksPane::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CKTOutlookBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
    if (m_wndToolBar.GetSafeHwnd() != nullptr)
        m_wndToolBar.OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
    CKTToolbarButton* pMenuButton = m_wndToolBar.GetSafeHwnd() != nullptr
                                        ? m_wndToolBar.GetButton(m_wndToolBar.CommandToIndex(CmdOtherPanes))
                                        : nullptr;
    if (pMenuButton != nullptr && pMenuButton->m_strText != GetPageName(GetActivePage()))
    {
        pMenuButton->m_strText = GetPageName(GetActivePage());
        m_wndToolBar.AdjustLayout();
        m_wndToolBar.Invalidate();
    }
}

BOOL CKTTasksPane::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    const HWND hwndControl = reinterpret_cast<HWND>(lParam);
    if (hwndControl == nullptr && nID >= CmdFirstPage && nID <= CmdLastPage)
    {
        SetActivePage(static_cast<int>(nID - CmdFirstPage));
        return TRUE;
    }
    if (hwndControl != nullptr && ::GetParent(hwndControl) == m_hWnd)
    {
        if (hwndControl == m_btnBack.GetSafeHwnd())
        {
            OnPressBackButton();
            return TRUE;
        }
        if (hwndControl == m_btnForward.GetSafeHwnd())
        {
            OnPressForwardButton();
            return TRUE;
        }
        if (hwndControl == m_btnOther.GetSafeHwnd())
        {
            OnOtherPanes();
            return TRUE;
        }
    }
    return CKTOutlookBar::OnCommand(wParam, lParam);
}

void CKTTasksPane::OnPressBackButton()
{
    if (m_iActivePage < 1)
        return;
    m_iActivePage--;
    m_nTasksScroll = 0;
    RecalcTasks();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CKTTasksPane::OnPressForwardButton()
{
    if (m_iActivePage >= GetHistoryCount() - 1)
        return;
    m_iActivePage++;
    m_nTasksScroll = 0;
    RecalcTasks();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CKTTasksPane::OnPressHomeButton()
{
    SetActivePage(0);
}

void CKTTasksPane::OnPressCloseButton()
{
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->ShowControlBar(this, FALSE, FALSE);
    else
        ShowWindow(SW_HIDE);
}

void CKTTasksPane::OnBack()
{
    OnPressBackButton();
}

void CKTTasksPane::OnForward()
{
    OnPressForwardButton();
}

void CKTTasksPane::OnUpdateBack(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_iActivePage >= 1);
}

void CKTTasksPane::OnUpdateForward(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_iActivePage < GetHistoryCount() - 1);
}

void CKTTasksPane::OnHome()
{
    OnPressHomeButton();
}

void CKTTasksPane::OnClose()
{
    OnPressCloseButton();
}

void CKTTasksPane::OnOtherPanes()
{
    const int nIndex = m_wndToolBar.GetSafeHwnd() != nullptr ? m_wndToolBar.CommandToIndex(CmdOtherPanes) : -1;
    CKTToolbarButton* pButton = m_wndToolBar.GetButton(nIndex);
    if (pButton != nullptr && pButton->IsKindOf(RUNTIME_CLASS(CTasksPaneMenuButton)) && !pButton->IsDroppedDown())
        static_cast<CTasksPaneMenuButton*>(pButton)->OpenPopupMenu(&m_wndToolBar);
}

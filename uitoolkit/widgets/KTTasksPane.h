#pragma once
// A tasks pane: a shortcut bar that shows one page at a time of task groups. A group has a caption
// that collapses and expands it and a list of tasks, drawn as links that light up under the
// pointer; a task with a command sends it to the frame when clicked. A navigation toolbar on top
// goes back and forward through the pages visited, home to the first page, closes the pane, and
// drops down the list of the other pages. The pane scrolls its groups with its own scroll bar,
// or, with scroll arrows chosen, while the pointer rests on an arrow.
//
// History: showing a page drops the pages ahead of the current position and appends the page.
//
// User-interface thread only. The pane owns its pages, groups and tasks, its fonts and its
// navigation toolbar.

#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/customize/KTMenuButton.h"
#include "uitoolkit/widgets/KTOutlookBar.h"

#include <vector>

class CKTTasksPane;

// The navigation toolbar: shown and hidden with the pane.
class CTasksPaneToolBar : public CKTToolBar
{
    DECLARE_SERIAL(CTasksPaneToolBar)
public:
    // The pane, not the frame, handles the navigation commands: a frame without handlers for
    // them must not disable the buttons.
    CTasksPaneToolBar() { m_bDisableControlsIfNoHandler = FALSE; }

    CString GetButtonToolTipText(UINT uiCmd) const override;
    // Asks the owning pane (not a frame) for the states of the buttons, and follows its
    // visibility.
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    // Shows or hides the bar as its owner is shown, without moving, sizing or activating it.
    void FollowOwnerVisibility();
};

// The "Other Task Panes" drop-down: its menu lists the pane's pages.
class CTasksPaneMenuButton : public CKTToolbarMenuButton
{
    DECLARE_SERIAL(CTasksPaneMenuButton)
public:
    CTasksPaneMenuButton() = default;
    CTasksPaneMenuButton(UINT uiID, CKTTasksPane* pPane, LPCTSTR lpszText);

    HMENU CreateMenu() const override;
    CKTPopupMenu* CreatePopupMenu() override;
    void CopyFrom(const CKTToolbarButton& src) override;

    CKTTasksPane* m_pPane = nullptr;
};

class CKTTasksPaneMenuButton : public CKTMenuButton
{
    DECLARE_DYNAMIC(CKTTasksPaneMenuButton)
};

struct CKTTask
{
    CString m_strName;
    // 0: a label that cannot be clicked.
    UINT m_uiCommandID = 0;
    CRect m_rect;
};

struct CKTTasksGroup
{
    int m_nPage = 0;
    CString m_strName;
    BOOL m_bCollapsed = FALSE;
    std::vector<CKTTask> m_tasks;
    CRect m_rectCaption;
    CRect m_rectTasks;
};

struct CKTTasksPanePage
{
    CString m_strName;
    CKTTasksPane* m_pPane = nullptr;
};

class CKTTasksPane : public CKTOutlookBar
{
    DECLARE_DYNAMIC(CKTTasksPane)
public:
    enum
    {
        IdScrollBar = 1,
        IdOtherPanesButton = 4,
        IdForwardButton = 5,
        IdBackButton = 6,
        IdNavToolBar = 7
    };
    enum
    {
        CmdBack = 17016,
        CmdForward = 17017,
        CmdHome = 17018,
        CmdClose = 17019,
        CmdOtherPanes = 17020,
        // The pages in the "Other Task Panes" menu, in page order. Ids from 0xFF00 are the
        // toolkit's own: menus neither disable them for want of a frame handler nor count them.
        CmdFirstPage = 0xFFA0,
        CmdLastPage = 0xFFDF
    };
    enum
    {
        TimerAnimation = 1,
        TimerScroll = 2
    };

    CKTTasksPane();
    ~CKTTasksPane() override;

    // Pages: the index of the new page. The first page, "Tasks Pane", comes with the window.
    int AddPage(LPCTSTR lpszName);
    int GetPageCount() const { return static_cast<int>(m_lstPages.size()); }
    CString GetPageName(int nPage) const;
    // Shows the page and records it in the history; FALSE for a page that does not exist.
    BOOL SetActivePage(int nPage);
    int GetActivePage() const;
    int GetHistoryPos() const { return m_iActivePage; }
    int GetHistoryCount() const { return static_cast<int>(m_history.size()); }

    // Groups and tasks: the index of the new one, or -1 for a page or group that does not exist.
    int AddGroup(int nPage, LPCTSTR lpszName);
    int AddTask(int nGroup, LPCTSTR lpszName, UINT uiCommandID = 0);
    int GetGroupCount() const { return static_cast<int>(m_groups.size()); }
    const CKTTasksGroup* GetGroup(int nGroup) const;
    // Collapses or expands a group; FALSE when it does not exist.
    BOOL CollapseGroup(int nGroup, BOOL bCollapse = TRUE);

    // The pages as a menu, the current one checked; the caller owns the menu.
    HMENU CreateOtherPanesMenu() const;

    // The fonts: the pane's (the default GUI font when none is set) and the two made from it.
    HFONT GetPaneFont() const;
    CFont& GetBoldFont() { return m_fontBold; }
    CFont& GetUnderlineFont() { return m_fontUnderline; }

    CTasksPaneToolBar& GetNavToolBar() { return m_wndToolBar; }
    CScrollBar& GetScrollBar() { return m_wndScrollVert; }
    CRect GetTasksArea() const { return m_rectTasks; }
    int GetTasksScrollPos() const { return m_nTasksScroll; }
    // The hot group caption and task: -1 for none.
    int GetHotGroup() const { return m_nHotGroup; }
    int GetHotTask() const { return m_nHotTask; }
    // Scroll arrows at the top and bottom of the task area, shown when the groups do not fit;
    // they replace the scroll bar. Choose before the window is made or call RecalcTasks.
    BOOL m_bUseScrollArrows = FALSE;
    // Groups collapse and expand in steps.
    BOOL m_bAnimateGroups = FALSE;
    CRect GetScrollUpRect() const { return m_rectScrollUp; }
    CRect GetScrollDownRect() const { return m_rectScrollDown; }

    // The navigation commands, in this order.
    virtual void OnPressBackButton();
    virtual void OnPressForwardButton();
    virtual void OnPressHomeButton();
    virtual void OnPressCloseButton();
    // A clicked task: the base sends its command to the frame.
    virtual void OnClickTask(int nGroup, int nTask, UINT uiCommandID);
    // The prompt of a task's command on the status bar.
    virtual void ShowTaskPrompt(UINT uiCommandID);

    void RecalcTasks();
    void AdjustLocations() override;
    void DoPaint(CDC* pDC) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

protected:
    void RebuildFonts();
    int GroupCaptionFromPoint(CPoint point) const;
    // The task under the point: nGroup gets its group; -1 for none.
    int TaskFromPoint(CPoint point, int& nGroup) const;
    int GetMaxScroll() const;
    void SetTasksScroll(int nPos);
    void RedrawItem(int nGroup, int nTask);
    void ShowIdlePrompt();
    int ScrollStep() const;

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnSize(UINT nType, int cx, int cy);
    void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnCancelMode();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnDestroy();
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    void OnBack();
    void OnForward();
    void OnUpdateBack(CCmdUI* pCmdUI);
    void OnUpdateForward(CCmdUI* pCmdUI);
    void OnHome();
    void OnClose();
    void OnOtherPanes();
    DECLARE_MESSAGE_MAP()

    std::vector<CKTTasksPanePage*> m_lstPages;
    std::vector<CKTTasksGroup> m_groups;
    std::vector<int> m_history;
    int m_iActivePage = -1;
    HFONT m_hFont = nullptr;
    CFont m_fontBold;
    CFont m_fontUnderline;
    CTasksPaneToolBar m_wndToolBar;
    CScrollBar m_wndScrollVert;
    CKTButton m_btnOther;
    CKTButton m_btnForward;
    CKTButton m_btnBack;
    CRect m_rectTasks;
    CRect m_rectScrollUp;
    CRect m_rectScrollDown;
    int m_nTasksScroll = 0;
    int m_nContentHeight = 0;
    int m_iScrollMode = 0;
    int m_nHotGroup = -1;
    int m_nHotTask = -1;
    int m_nHotTaskGroup = -1;
    int m_nPressedGroup = -1;
    int m_nPressedTask = -1;
    int m_nPressedTaskGroup = -1;
    // The group that is collapsing or expanding, the full height of its tasks, and when it began.
    int m_nAnimatedGroup = -1;
    int m_nAnimatedHeight = 0;
    DWORD m_dwAnimationStart = 0;

    inline static HCURSOR m_hcurHand = nullptr;
};

// The tasks pane in a frame on the test display: its history and the states of Back and Forward,
// the "Other Task Panes" menu, its fonts, its pages going with the window, and its groups and
// tasks under the display's mouse (hot links, clicks, collapsing, scrolling on the arrows).
#include "tests/uitoolkit/colors/ColorTestSupport.h"
#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTPopupMenuBar.h"
#include "uitoolkit/customize/KTCursorResource.h"
#include "uitoolkit/widgets/KTTasksPane.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{

const UINT kPaneId = AFX_IDW_TOOLBAR + 0x20;
const UINT kOpenCmd = 33100;
const UINT kPrintCmd = 33101;

class CTestTasksPane : public CKTTasksPane
{
public:
    struct Click
    {
        int nGroup;
        int nTask;
        UINT uiCmd;
    };
    std::vector<Click> m_clicks;

    void OnClickTask(int nGroup, int nTask, UINT uiCommandID) override
    {
        m_clicks.push_back({nGroup, nTask, uiCommandID});
        CKTTasksPane::OnClickTask(nGroup, nTask, uiCommandID);
    }
};

class CTasksTestFrame : public CFrameWnd
{
public:
    std::vector<UINT> m_commands;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        m_commands.push_back(LOWORD(wParam));
        return CFrameWnd::OnCommand(wParam, lParam);
    }
};

class TasksPaneTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CTasksTestFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, L"Tasks", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN,
                                     CRect(60, 40, 560, 440)));
        m_hFrame = m_pFrame->GetSafeHwnd();
        ::SetForegroundWindow(m_hFrame);
        m_pPane = std::make_unique<CTestTasksPane>();
        ASSERT_TRUE(m_pPane->Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_LEFT, kPaneId, FALSE));
        m_pPane->SetBarSize(220);
        m_pFrame->RecalcLayout();
        PumpAndIdle();
    }
    void TearDown() override
    {
        m_pPane.reset();
        if (::IsWindow(m_hFrame))
            m_pFrame->DestroyWindow();
        PumpAndIdle();
    }

    // Three pages; the first holds two groups with a label and two commands.
    void Fill()
    {
        ASSERT_EQ(1, m_pPane->AddPage(L"Search"));
        ASSERT_EQ(2, m_pPane->AddPage(L"Help"));
        const int nFiles = m_pPane->AddGroup(0, L"Files");
        ASSERT_EQ(0, nFiles);
        ASSERT_EQ(0, m_pPane->AddTask(nFiles, L"Recent work files"));
        ASSERT_EQ(1, m_pPane->AddTask(nFiles, L"Open a work file", kOpenCmd));
        ASSERT_EQ(2, m_pPane->AddTask(nFiles, L"Print the table", kPrintCmd));
        ASSERT_EQ(1, m_pPane->AddGroup(0, L"Details"));
        ASSERT_EQ(0, m_pPane->AddTask(1, L"No pages selected"));
        ASSERT_EQ(2, m_pPane->AddGroup(1, L"Find"));
        EXPECT_EQ(-1, m_pPane->AddGroup(3, L"No such page"));
        EXPECT_EQ(-1, m_pPane->AddTask(7, L"No such group"));
        m_pPane->RecalcTasks();
        m_pPane->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpAndIdle();
    }

    POINT TaskPoint(int nGroup, int nTask)
    {
        const CKTTasksGroup* pGroup = m_pPane->GetGroup(nGroup);
        const CRect rect = nTask < 0 ? pGroup->m_rectCaption : pGroup->m_tasks[static_cast<size_t>(nTask)].m_rect;
        return ScreenPoint(m_pPane.get(), CPoint(rect.left + 20, rect.CenterPoint().y));
    }

    BOOL IsNavEnabled(UINT uiCmd)
    {
        CTasksPaneToolBar& bar = m_pPane->GetNavToolBar();
        return (bar.GetButtonStyle(bar.CommandToIndex(uiCmd)) & TBBS_DISABLED) == 0;
    }

    CTasksTestFrame* m_pFrame = nullptr;
    HWND m_hFrame = nullptr;
    std::unique_ptr<CTestTasksPane> m_pPane;
};

TEST_F(TasksPaneTest, BackAndForwardFollowTheHistory)
{
    Fill();
    EXPECT_EQ(CString(L"Tasks Pane"), m_pPane->GetPageName(0));
    enum Action
    {
        Start,
        Show1,
        Show2,
        Show0,
        Back,
        Forward,
        Home
    };
    struct Case
    {
        Action action;
        int nPage;
        int nPos;
        int nCount;
        BOOL bBack;
        BOOL bForward;
    };
    const Case cases[] = {
        {Start, 0, 0, 1, FALSE, FALSE}, {Show1, 1, 1, 2, TRUE, FALSE}, {Show2, 2, 2, 3, TRUE, FALSE},
        {Back, 1, 1, 3, TRUE, TRUE},    {Back, 0, 0, 3, FALSE, TRUE},  {Back, 0, 0, 3, FALSE, TRUE},
        {Forward, 1, 1, 3, TRUE, TRUE}, {Show0, 0, 2, 3, TRUE, FALSE}, {Forward, 0, 2, 3, TRUE, FALSE},
        {Back, 1, 1, 3, TRUE, TRUE},    {Home, 0, 2, 3, TRUE, FALSE}};
    for (const Case& c : cases)
    {
        switch (c.action)
        {
        case Show1:
            m_pPane->SetActivePage(1);
            break;
        case Show2:
            m_pPane->SetActivePage(2);
            break;
        case Show0:
            m_pPane->SetActivePage(0);
            break;
        case Back:
            m_pPane->SendMessage(WM_COMMAND, CKTTasksPane::CmdBack);
            break;
        case Forward:
            m_pPane->SendMessage(WM_COMMAND, CKTTasksPane::CmdForward);
            break;
        case Home:
            m_pPane->SendMessage(WM_COMMAND, CKTTasksPane::CmdHome);
            break;
        default:
            break;
        }
        m_pPane->OnUpdateCmdUI(m_pFrame, FALSE);
        const int nStep = static_cast<int>(&c - cases);
        EXPECT_EQ(c.nPage, m_pPane->GetActivePage()) << nStep;
        EXPECT_EQ(c.nPos, m_pPane->GetHistoryPos()) << nStep;
        EXPECT_EQ(c.nCount, m_pPane->GetHistoryCount()) << nStep;
        EXPECT_EQ(c.bBack, IsNavEnabled(CKTTasksPane::CmdBack)) << nStep;
        EXPECT_EQ(c.bForward, IsNavEnabled(CKTTasksPane::CmdForward)) << nStep;
    }
    EXPECT_FALSE(m_pPane->SetActivePage(3));

    // The display's mouse on Back.
    CTasksPaneToolBar& bar = m_pPane->GetNavToolBar();
    CRect rectBack;
    bar.GetItemRect(bar.CommandToIndex(CKTTasksPane::CmdBack), &rectBack);
    const POINT ptBack = ScreenPoint(&bar, rectBack.CenterPoint());
    UserInput click;
    click.Glide(CPoint(ptBack) + CPoint(0, 30), ptBack, 4).Pause(50).LeftDown().LeftUp();
    Play(click);
    EXPECT_TRUE(PumpUntil([&] { return m_pPane->GetActivePage() == 1; }, 2000));
}

TEST_F(TasksPaneTest, OtherTaskPanesMenuListsThePagesWithTheCurrentOneChecked)
{
    Fill();
    for (int nActive : {0, 2, 1})
    {
        m_pPane->SetActivePage(nActive);
        HMENU hMenu = m_pPane->CreateOtherPanesMenu();
        ASSERT_NE(nullptr, hMenu);
        ASSERT_EQ(3, ::GetMenuItemCount(hMenu));
        const wchar_t* names[] = {L"Tasks Pane", L"Search", L"Help"};
        for (int i = 0; i < 3; i++)
        {
            wchar_t text[64] = {};
            ::GetMenuString(hMenu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
            EXPECT_STREQ(names[i], text);
            EXPECT_EQ(CKTTasksPane::CmdFirstPage + i, static_cast<int>(::GetMenuItemID(hMenu, i)));
            EXPECT_EQ(i == nActive, (::GetMenuState(hMenu, static_cast<UINT>(i), MF_BYPOSITION) & MF_CHECKED) != 0)
                << nActive << " " << i;
        }
        ::DestroyMenu(hMenu);
    }

    // The drop-down on the navigation toolbar, chosen with the display's mouse.
    CTasksPaneToolBar& bar = m_pPane->GetNavToolBar();
    EXPECT_EQ(CString(L"Other Task Panes"), bar.GetButtonToolTipText(CKTTasksPane::CmdOtherPanes));
    const int nIndex = bar.CommandToIndex(CKTTasksPane::CmdOtherPanes);
    auto* pMenuButton = static_cast<CTasksPaneMenuButton*>(bar.GetButton(nIndex));
    ASSERT_TRUE(pMenuButton->IsKindOf(RUNTIME_CLASS(CTasksPaneMenuButton)));
    CRect rectMenu;
    bar.GetItemRect(nIndex, &rectMenu);
    const POINT ptMenu = ScreenPoint(&bar, rectMenu.CenterPoint());
    UserInput open;
    open.Glide(CPoint(ptMenu) + CPoint(0, 30), ptMenu, 4).Pause(50).LeftDown().LeftUp();
    Play(open);
    ASSERT_TRUE(PumpUntil([&] { return pMenuButton->m_pPopupMenu != nullptr; }, 2000));
    CKTPopupMenu* pPopup = pMenuButton->m_pPopupMenu;
    ASSERT_EQ(3, pPopup->GetMenuBar()->GetCount());
    RunMessageLoopFor(200);
    SaveWindowShot(pPopup, L"TasksPaneOtherPanes.bmp");
    CRect rectHelp;
    pPopup->GetMenuBar()->GetItemRect(2, &rectHelp);
    const POINT ptHelp = ScreenPoint(pPopup->GetMenuBar(), rectHelp.CenterPoint());
    UserInput choose;
    choose.Glide(ptMenu, ptHelp, 6).Pause(80).LeftDown().LeftUp();
    Play(choose);
    EXPECT_TRUE(PumpUntil([&] { return m_pPane->GetActivePage() == 2; }, 2000));
    EXPECT_TRUE(m_pFrame->m_commands.empty());
}

TEST_F(TasksPaneTest, SetFontRebuildsTheBoldAndUnderlinedFonts)
{
    LOGFONT lf{};
    EXPECT_EQ(::GetStockObject(DEFAULT_GUI_FONT), reinterpret_cast<HGDIOBJ>(m_pPane->SendMessage(WM_GETFONT)));
    struct Case
    {
        const wchar_t* face;
        int nHeight;
    };
    const Case cases[] = {{L"Tahoma", -13}, {L"Courier New", -17}};
    for (const Case& c : cases)
    {
        CFont font;
        ASSERT_TRUE(
            font.CreateFont(c.nHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, 0, DEFAULT_CHARSET, 0, 0, 0, 0, c.face));
        m_pPane->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.GetSafeHandle()), TRUE);
        EXPECT_EQ(font.GetSafeHandle(), reinterpret_cast<HGDIOBJ>(m_pPane->SendMessage(WM_GETFONT)));
        ASSERT_TRUE(::GetObject(m_pPane->GetBoldFont().GetSafeHandle(), sizeof(lf), &lf));
        EXPECT_EQ(FW_BOLD, lf.lfWeight);
        EXPECT_FALSE(lf.lfUnderline);
        EXPECT_EQ(c.nHeight, lf.lfHeight);
        EXPECT_STREQ(c.face, lf.lfFaceName);
        ASSERT_TRUE(::GetObject(m_pPane->GetUnderlineFont().GetSafeHandle(), sizeof(lf), &lf));
        EXPECT_EQ(FW_NORMAL, lf.lfWeight);
        EXPECT_TRUE(lf.lfUnderline);
        EXPECT_EQ(c.nHeight, lf.lfHeight);
        EXPECT_STREQ(c.face, lf.lfFaceName);
        m_pPane->SendMessage(WM_SETFONT, 0, FALSE);
    }
}

TEST_F(TasksPaneTest, EveryPageGoesWithTheWindow)
{
    Fill();
    EXPECT_EQ(3, m_pPane->GetPageCount());
    m_pPane->DestroyWindow();
    EXPECT_EQ(0, m_pPane->GetPageCount());
    EXPECT_EQ(0, m_pPane->GetGroupCount());
    EXPECT_EQ(-1, m_pPane->GetActivePage());
}

TEST_F(TasksPaneTest, LinksLightUpUnderThePointerAndRunTheirCommands)
{
    Fill();
    struct Case
    {
        int nGroup;
        int nTask;
        int nHotGroup;
        int nHotTask;
        BOOL bHand;
    };
    // A label is no link: nothing lights up and the cursor stays the arrow.
    const POINT ptEmpty = ScreenPoint(m_pPane.get(), m_pPane->GetTasksArea().CenterPoint() + CPoint(0, 120));
    const Case cases[] = {{0, 1, -1, 1, TRUE}, {0, 2, -1, 2, TRUE}, {0, -1, 0, -1, TRUE}, {1, 0, -1, -1, FALSE}};
    POINT ptFrom = ptEmpty;
    for (const Case& c : cases)
    {
        const POINT ptTo = TaskPoint(c.nGroup, c.nTask);
        // The label is approached from the empty area below it, over nothing else.
        if (c.bHand == FALSE)
            ptFrom = ptEmpty;
        UserInput move;
        move.Glide(ptFrom, ptTo, 5).Pause(80);
        Play(move);
        ptFrom = ptTo;
        EXPECT_EQ(c.nHotGroup, m_pPane->GetHotGroup()) << c.nGroup << " " << c.nTask;
        EXPECT_EQ(c.nHotTask, m_pPane->GetHotTask()) << c.nGroup << " " << c.nTask;
        CURSORINFO info{};
        info.cbSize = sizeof(info);
        ASSERT_TRUE(::GetCursorInfo(&info));
        EXPECT_EQ(c.bHand, info.hCursor == KTGetHandCursor())
            << c.nGroup << " " << c.nTask;
    }

    // A click on a link runs its command.
    UserInput click;
    click.Glide(ptFrom, TaskPoint(0, 2), 4).Pause(60).LeftDown().LeftUp();
    Play(click);
    ASSERT_EQ(1u, m_pPane->m_clicks.size());
    EXPECT_EQ(0, m_pPane->m_clicks[0].nGroup);
    EXPECT_EQ(2, m_pPane->m_clicks[0].nTask);
    EXPECT_EQ(kPrintCmd, m_pPane->m_clicks[0].uiCmd);
    EXPECT_TRUE(PumpUntil([&] { return !m_pFrame->m_commands.empty(); }, 2000));
    EXPECT_EQ(kPrintCmd, m_pFrame->m_commands.back());
    m_pPane->UpdateWindow();
    SaveWindowShot(m_pPane.get(), L"TasksPane.bmp");

    // Cancel mode clears the hot link.
    EXPECT_EQ(2, m_pPane->GetHotTask());
    m_pPane->SendMessage(WM_CANCELMODE);
    EXPECT_EQ(-1, m_pPane->GetHotTask());
    EXPECT_NE(m_pPane->GetSafeHwnd(), ::GetCapture());

    // A click on a caption collapses the group, a second one expands it.
    for (BOOL bCollapsed : {TRUE, FALSE})
    {
        UserInput toggle;
        toggle.Glide(ptEmpty, TaskPoint(0, -1), 4).Pause(60).LeftDown().LeftUp();
        Play(toggle);
        EXPECT_EQ(bCollapsed, m_pPane->GetGroup(0)->m_bCollapsed);
        EXPECT_EQ(bCollapsed, m_pPane->GetGroup(0)->m_rectTasks.IsRectEmpty());
        if (bCollapsed)
        {
            m_pPane->UpdateWindow();
            SaveWindowShot(m_pPane.get(), L"TasksPaneCollapsed.bmp");
        }
    }
}

TEST_F(TasksPaneTest, RestingOnAScrollArrowScrollsUntilTheEndOrUntilThePointerLeaves)
{
    m_pPane->m_bUseScrollArrows = TRUE;
    const int nGroup = m_pPane->AddGroup(0, L"Many");
    for (int i = 0; i < 40; i++)
    {
        CString strName;
        strName.Format(L"Task %d", i + 1);
        m_pPane->AddTask(nGroup, strName, kOpenCmd);
    }
    m_pPane->RecalcTasks();
    m_pPane->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    ASSERT_FALSE(m_pPane->GetScrollDownRect().IsRectEmpty());
    EXPECT_FALSE(m_pPane->GetScrollBar().IsWindowVisible());
    auto lastTaskShown = [&] {
        const CRect rectLast = m_pPane->GetGroup(nGroup)->m_tasks.back().m_rect;
        return !rectLast.IsRectEmpty() && rectLast.bottom <= m_pPane->GetTasksArea().bottom;
    };
    EXPECT_FALSE(lastTaskShown());

    // Resting on the lower arrow: down to the end, then the timer stops.
    const POINT ptDown = ScreenPoint(m_pPane.get(), m_pPane->GetScrollDownRect().CenterPoint());
    UserInput rest;
    rest.Glide(CPoint(ptDown) + CPoint(0, -40), ptDown, 4);
    Play(rest);
    EXPECT_TRUE(PumpUntil([&] { return m_pPane->GetTasksScrollPos() > 0; }, 2000));
    EXPECT_TRUE(PumpUntil(lastTaskShown, 10000));
    RunMessageLoopFor(300);
    EXPECT_FALSE(::KillTimer(m_pPane->GetSafeHwnd(), CKTTasksPane::TimerScroll));
    m_pPane->UpdateWindow();
    SaveWindowShot(m_pPane.get(), L"TasksPaneScrolled.bmp");

    // Resting on the upper arrow scrolls back; leaving it stops the scrolling.
    const int nEnd = m_pPane->GetTasksScrollPos();
    const POINT ptUp = ScreenPoint(m_pPane.get(), m_pPane->GetScrollUpRect().CenterPoint());
    UserInput up;
    up.Glide(CPoint(ptUp) + CPoint(0, 40), ptUp, 4);
    Play(up);
    EXPECT_TRUE(PumpUntil([&] { return m_pPane->GetTasksScrollPos() < nEnd; }, 2000));
    UserInput off;
    off.Glide(ptUp, CPoint(ptUp) + CPoint(0, 60), 3);
    Play(off);
    RunMessageLoopFor(200);
    const int nStopped = m_pPane->GetTasksScrollPos();
    RunMessageLoopFor(300);
    EXPECT_EQ(nStopped, m_pPane->GetTasksScrollPos());
    EXPECT_GT(nStopped, 0);
    EXPECT_FALSE(::KillTimer(m_pPane->GetSafeHwnd(), CKTTasksPane::TimerScroll));
}

} // namespace

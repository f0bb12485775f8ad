// The tab window in a real window on the test display, driven by its mouse and keys, with the
// parent recording the five messages the tab window sends.
#include "framework/Afx.h"
#include "tests/framework/input/EventSequence.h"
#include "tests/framework/input/UserInput.h"
#include "tests/framework/windows/WindowsTestSupport.h"
#include "uitoolkit/bars/KTTabWnd.h"
#include "uitoolkit/looks/KTUIGlobals.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{

// A top-level window that records the tab window's messages as "name(wParam,lParam)".
class CTabParent : public CWnd
{
public:
    std::vector<std::string> m_events;
    LRESULT m_nVetoMove = 0;
    LRESULT m_nVetoRename = 0;
    std::wstring m_strRenamedTo;

    BOOL Make()
    {
        return CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1)),
                        L"Tab window test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, CRect(60, 60, 660, 420), nullptr,
                        0);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        const char* name = message == KTM_ONCHANGE_ACTIVE_TAB ? "active"
                           : message == KTM_ON_HSCROLL        ? "hscroll"
                           : message == KTM_ON_RENAME_TAB     ? "rename"
                           : message == KTM_ON_BEFOREMOVE_TAB ? "beforemove"
                           : message == KTM_ON_MOVE_TAB       ? "move"
                                                              : nullptr;
        if (name == nullptr)
            return CWnd::WindowProc(message, wParam, lParam);
        if (message == KTM_ON_RENAME_TAB)
        {
            m_strRenamedTo = reinterpret_cast<LPCTSTR>(lParam);
            m_events.push_back(std::string(name) + "(" + std::to_string((int)wParam) + ")");
            return m_nVetoRename;
        }
        m_events.push_back(std::string(name) + "(" + std::to_string((int)wParam) + "," + std::to_string((int)lParam) +
                           ")");
        return message == KTM_ON_BEFOREMOVE_TAB ? m_nVetoMove : 0;
    }
};

void Play(UserInput& input)
{
    input.Start();
    PumpUntil([&] { return input.Done(); }, 30000);
    input.Wait();
    PumpAndIdle();
}

POINT ScreenPoint(CWnd* pWnd, CPoint pt)
{
    pWnd->ClientToScreen(&pt);
    return {pt.x, pt.y};
}

class TabWndTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::CreateDirectoryW(L"screenshots", nullptr);
        ASSERT_TRUE(m_parent.Make());
        m_parent.SetForegroundWindow();
        PumpAndIdle();
    }
    void TearDown() override
    {
        m_tabs.reset();
        m_parent.DestroyWindow();
        PumpAndIdle();
    }

    // A tab window filling the parent, with nTabs edit windows labelled "Tab 0", "Tab 1"...
    CKTTabWnd* MakeTabs(CKTTabWnd::Style style, int nTabs, CKTTabWnd::Location location = CKTTabWnd::LOCATION_BOTTOM,
                        BOOL bClose = FALSE, const wchar_t* labelPrefix = L"Tab ")
    {
        m_tabs = std::make_unique<CKTTabWnd>();
        CRect rectClient;
        m_parent.GetClientRect(&rectClient);
        EXPECT_TRUE(m_tabs->Create(style, rectClient, &m_parent, 1, location, bClose));
        for (int i = 0; i < nTabs; i++)
            AddEdit(std::wstring(labelPrefix) + std::to_wstring(i));
        PumpAndIdle();
        return m_tabs.get();
    }
    CWnd* AddEdit(const std::wstring& label)
    {
        // Owned by the tab window through its auto-destroy flag.
        CEdit* pEdit = new CAutoDelete<CEdit>;
        EXPECT_TRUE(pEdit->Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(0, 0, 10, 10), m_tabs.get(),
                                  100 + m_tabs->GetTabsNum()));
        pEdit->SetWindowText(label.c_str());
        m_tabs->AddTab(pEdit, label.c_str());
        return pEdit;
    }
    CPoint TabCenter(int iTab)
    {
        CRect rect;
        m_tabs->GetTabRect(iTab, rect);
        return rect.CenterPoint();
    }
    std::vector<std::wstring> Labels()
    {
        std::vector<std::wstring> labels;
        for (int i = 0; i < m_tabs->GetTabsNum(); i++)
        {
            CString str;
            m_tabs->GetTabLabel(i, str);
            labels.push_back((LPCTSTR)str);
        }
        return labels;
    }

    // A window that deletes its object with its window, as the tab window's auto-destroy expects.
    template <class TWnd> class CAutoDelete : public TWnd
    {
    protected:
        void PostNcDestroy() override { delete this; }
    };

    CTabParent m_parent;
    std::unique_ptr<CKTTabWnd> m_tabs;
};

TEST_F(TabWndTest, StylesGiveTheirButtonsRowsAndTooltips)
{
    struct Case
    {
        CKTTabWnd::Style style;
        BOOL bClose;
        int nButtons;
        bool bTooltip;
        bool bScrollBar;
        BOOL bFlat;
    };
    const Case cases[] = {
        {CKTTabWnd::STYLE_3D, TRUE, 0, true, false, FALSE},
        {CKTTabWnd::STYLE_FLAT, FALSE, 4, false, false, TRUE},
        {CKTTabWnd::STYLE_FLAT_SHARED_HORZ_SCROLL, TRUE, 5, false, true, TRUE},
        {CKTTabWnd::STYLE_3D_SCROLLED, TRUE, 3, false, false, FALSE},
        {CKTTabWnd::STYLE_3D_SCROLLED, FALSE, 2, false, false, FALSE},
        {CKTTabWnd::STYLE_3D_ONENOTE, FALSE, 2, false, false, FALSE},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "style " << c.style << " close " << c.bClose);
        CKTTabWnd* pTabs = MakeTabs(c.style, 2, CKTTabWnd::LOCATION_BOTTOM, c.bClose);
        int nButtons = 0;
        for (int i = 0; i < CKTTabWnd::BUTTON_COUNT; i++)
            nButtons += pTabs->GetButton((CKTTabWnd::Button)i) != nullptr ? 1 : 0;
        EXPECT_EQ(c.nButtons, nButtons);
        EXPECT_EQ(c.bTooltip, pTabs->GetToolTip() != nullptr);
        EXPECT_EQ(c.bScrollBar, pTabs->GetSharedScrollBar() != nullptr);
        EXPECT_EQ(c.bFlat, pTabs->IsFlatTab());
        EXPECT_EQ(c.style == CKTTabWnd::STYLE_3D_ONENOTE, pTabs->IsHotTrack() || pTabs->IsSlantedStyle());
        // The row at the bottom, the windows above it.
        const CRect rectTabs = pTabs->GetTabsArea();
        const CRect rectWnd = pTabs->GetWndArea();
        EXPECT_GT(rectTabs.Height(), 0);
        EXPECT_LE(rectWnd.bottom, rectTabs.top);
        CRect rectEdit;
        pTabs->GetTabWnd(0)->GetWindowRect(&rectEdit);
        pTabs->ScreenToClient(&rectEdit);
        EXPECT_EQ(rectWnd, rectEdit);
        if (c.bFlat)
            EXPECT_EQ(::GetSystemMetrics(SM_CYHSCROLL) + 2, pTabs->GetTabsHeight());
        else
            EXPECT_EQ(ktGlobals.m_textHeight + 2, pTabs->GetTabsHeight());
        pTabs->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        PumpAndIdle();
        CRect rectScreen;
        pTabs->GetWindowRect(&rectScreen);
        SaveScreenArea(
            (L"screenshots/tabwnd-style" + std::to_wstring(c.style) + (c.bClose ? L"-close" : L"") + L".bmp").c_str(),
            rectScreen);
    }
}

TEST_F(TabWndTest, SlantedTabsGiveTheActiveTabsLeftCornerToItsNeighbour)
{
    CKTTabWnd* pTabs = MakeTabs(CKTTabWnd::STYLE_3D_ONENOTE, 3, CKTTabWnd::LOCATION_TOP);
    pTabs->SetActiveTab(1);
    CRect rect0, rect1;
    pTabs->GetTabRect(0, rect0);
    pTabs->GetTabRect(1, rect1);
    ASSERT_LT(rect1.left, rect0.right) << "slanted tabs overlap";
    EXPECT_EQ(0, pTabs->GetTabFromPoint(CPoint(rect1.left + 2, rect1.bottom - 2)));
    EXPECT_EQ(1, pTabs->GetTabFromPoint(rect1.CenterPoint()));
    EXPECT_EQ(1, pTabs->GetTabFromPoint(CPoint(rect1.right - 2, rect1.bottom - 2)));
    EXPECT_EQ(-1, pTabs->GetTabFromPoint(CPoint(rect1.left, pTabs->GetWndArea().CenterPoint().y)));
}

// A tab window that notes which of its tab painters ran, in order.
class CNotingTabWnd : public CKTTabWnd
{
public:
    std::vector<std::string> m_painted;

protected:
    void DrawTab(CDC* pDC, int iTab, BOOL bIsActive) override
    {
        m_painted.push_back("3d " + std::to_string(iTab) + (bIsActive ? " active" : ""));
        CKTTabWnd::DrawTab(pDC, iTab, bIsActive);
    }
    void DrawFlatTab(CDC* pDC, int iTab, BOOL bIsActive) override
    {
        m_painted.push_back("flat " + std::to_string(iTab) + (bIsActive ? " active" : ""));
        CKTTabWnd::DrawFlatTab(pDC, iTab, bIsActive);
    }
};

TEST_F(TabWndTest, TabsArePaintedThroughTheirPaintersLastToFirstAndTheActiveOneOnTop)
{
    const struct
    {
        CKTTabWnd::Style style;
        const char* kind;
    } cases[] = {{CKTTabWnd::STYLE_3D, "3d"}, {CKTTabWnd::STYLE_FLAT, "flat"}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.kind);
        auto* pTabs = new CNotingTabWnd;
        m_tabs.reset(pTabs);
        CRect rectClient;
        m_parent.GetClientRect(&rectClient);
        ASSERT_TRUE(pTabs->Create(c.style, rectClient, &m_parent, 1));
        for (int i = 0; i < 3; i++)
            AddEdit(L"Tab " + std::to_wstring(i));
        pTabs->SetActiveTab(1);
        PumpAndIdle();
        pTabs->m_painted.clear();
        pTabs->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        const std::string kind = c.kind;
        EXPECT_EQ((std::vector<std::string>{kind + " 2", kind + " 0", kind + " 1 active"}), pTabs->m_painted);
    }
}

TEST_F(TabWndTest, ClickingATabActivatesItAndTellsTheParent)
{
    CKTTabWnd* pTabs = MakeTabs(CKTTabWnd::STYLE_FLAT, 3);
    pTabs->SetTabBkColor(1, RGB(200, 30, 40));
    EXPECT_EQ(0, pTabs->GetActiveTab());
    EXPECT_TRUE(pTabs->GetTabWnd(0)->IsWindowVisible());
    EXPECT_FALSE(pTabs->GetTabWnd(1)->IsWindowVisible());

    UserInput input;
    input.MoveTo(ScreenPoint(pTabs, TabCenter(1))).LeftDown().LeftUp();
    Play(input);
    EXPECT_EQ(1, pTabs->GetActiveTab());
    EXPECT_TRUE(MatchesSequence(m_parent.m_events, {"active(1,0)"})) << JoinSequence(m_parent.m_events);
    EXPECT_FALSE(pTabs->GetTabWnd(0)->IsWindowVisible());
    EXPECT_TRUE(pTabs->GetTabWnd(1)->IsWindowVisible());
    EXPECT_EQ(pTabs->GetTabWnd(1), CWnd::GetFocus());

    // The tab's own colour, painted by the look, read back from the screen.
    pTabs->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpAndIdle();
    CRect rect;
    pTabs->GetTabRect(1, rect);
    const CPoint inside(rect.left + pTabs->GetTabsHeight() / 2 + 2, rect.top + 2);
    EXPECT_EQ(RGB(200, 30, 40), ScreenPixel(ScreenPoint(pTabs, inside)));
    CRect rectScreen;
    pTabs->GetWindowRect(&rectScreen);
    SaveScreenArea(L"screenshots/tabwnd-flat.bmp", rectScreen);

    // Clicking the active tab again sends nothing.
    UserInput again;
    again.LeftDown().LeftUp();
    Play(again);
    EXPECT_EQ(1u, m_parent.m_events.size());

    // A tab without a colour of its own has the button face, active or not.
    for (int iTab : {0, 2})
    {
        pTabs->SetActiveTab(iTab);
        pTabs->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        PumpAndIdle();
        pTabs->GetTabRect(iTab, rect);
        const CPoint plain(rect.left + pTabs->GetTabsHeight() / 2 + 2, rect.top + 2);
        EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), ScreenPixel(ScreenPoint(pTabs, plain))) << "tab " << iTab;
    }
}

TEST_F(TabWndTest, RemovingTabsActivatesTheOneBeforeAndNeverLoops)
{
    CKTTabWnd* pTabs = MakeTabs(CKTTabWnd::STYLE_3D, 3);
    pTabs->SetActiveTab(2);
    const HWND hLast = pTabs->GetTabWnd(2)->GetSafeHwnd();
    m_parent.m_events.clear();

    EXPECT_FALSE(pTabs->RemoveTab(3));
    EXPECT_FALSE(pTabs->RemoveTab(-1));
    EXPECT_TRUE(pTabs->RemoveTab(2));
    EXPECT_FALSE(::IsWindow(hLast)) << "auto-destroy destroys the tab's window";
    EXPECT_EQ(1, pTabs->GetActiveTab());
    EXPECT_TRUE(pTabs->GetTabWnd(1)->IsWindowVisible());
    EXPECT_TRUE(MatchesSequence(m_parent.m_events, {"active(1,0)"})) << JoinSequence(m_parent.m_events);

    // Removing a tab before the active one keeps the same window active.
    CWnd* pActive = pTabs->GetActiveWnd();
    EXPECT_TRUE(pTabs->RemoveTab(0));
    EXPECT_EQ(pActive, pTabs->GetActiveWnd());
    EXPECT_EQ(0, pTabs->GetActiveTab());

    // The only tab: every record goes, once.
    const HWND hOnly = pTabs->GetTabWnd(0)->GetSafeHwnd();
    EXPECT_TRUE(pTabs->RemoveTab(0));
    EXPECT_FALSE(::IsWindow(hOnly));
    EXPECT_EQ(0, pTabs->GetTabsNum());
    EXPECT_EQ(-1, pTabs->GetActiveTab());
    EXPECT_EQ(0, pTabs->GetToolTip()->GetToolCount());

    // Tabs come back as before.
    AddEdit(L"Again");
    EXPECT_EQ(0, pTabs->GetActiveTab());
    EXPECT_EQ(1, pTabs->GetToolTip()->GetToolCount());
}

TEST_F(TabWndTest, AutomaticColoursWithTheTableDisabledGiveNone)
{
    CKTTabWnd* pTabs = MakeTabs(CKTTabWnd::STYLE_FLAT, 10);
    pTabs->SetTabBkColor(3, RGB(1, 2, 3));
    struct Case
    {
        BOOL bAutoColor;
        BOOL bTable;
        int iTab;
        COLORREF expected;
    };
    const Case cases[] = {
        {FALSE, TRUE, 0, (COLORREF)-1}, {TRUE, TRUE, 0, 0xE6AF94},      {TRUE, TRUE, 9, 0x75DBFF},
        {TRUE, TRUE, 3, RGB(1, 2, 3)},  {TRUE, FALSE, 0, (COLORREF)-1}, {TRUE, FALSE, 9, (COLORREF)-1},
        {TRUE, FALSE, 3, RGB(1, 2, 3)}, {TRUE, TRUE, 10, (COLORREF)-1},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.bAutoColor << c.bTable << " tab " << c.iTab);
        pTabs->EnableAutoColor(c.bAutoColor);
        pTabs->EnableAutoColorTable(c.bTable);
        EXPECT_EQ(c.expected, pTabs->GetTabBkColor(c.iTab));
    }
    // A system colour change rebuilds the table only while it is enabled.
    pTabs->EnableAutoColorTable(FALSE);
    pTabs->SendMessage(WM_SYSCOLORCHANGE);
    EXPECT_EQ(0, (int)pTabs->GetAutoColors().GetSize());
    pTabs->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

TEST_F(TabWndTest, HidingASingleTabLeavesTheWholeClientArea)
{
    CKTTabWnd* pTabs = MakeTabs(CKTTabWnd::STYLE_3D_SCROLLED, 1);
    pTabs->HideSingleTab(TRUE);
    CRect rectClient;
    pTabs->GetClientRect(&rectClient);
    EXPECT_EQ(rectClient, pTabs->GetWndArea());
    CRect rectEdit;
    pTabs->GetTabWnd(0)->GetWindowRect(&rectEdit);
    pTabs->ScreenToClient(&rectEdit);
    EXPECT_EQ(rectClient, rectEdit);
    AddEdit(L"Second");
    EXPECT_GT(pTabs->GetTabsArea().Height(), 0);
    EXPECT_NE(rectClient, pTabs->GetWndArea());
}

TEST_F(TabWndTest, HeldScrollButtonRepeatsAndStopsAtTheEnd)
{
    CKTTabWnd* pTabs =
        MakeTabs(CKTTabWnd::STYLE_3D_SCROLLED, 30, CKTTabWnd::LOCATION_BOTTOM, TRUE, L"A rather long tab label ");
    CKTButton* pRight = pTabs->GetButton(CKTTabWnd::BUTTON_RIGHT);
    CKTButton* pLeft = pTabs->GetButton(CKTTabWnd::BUTTON_LEFT);
    ASSERT_NE(nullptr, pRight);
    EXPECT_FALSE(pLeft->IsWindowEnabled());
    EXPECT_TRUE(pRight->IsWindowEnabled());
    EXPECT_GT(pTabs->GetMaxScrollOffset(), 200);

    CRect rectButton;
    pRight->GetWindowRect(&rectButton);
    UserInput press;
    press.MoveTo({rectButton.CenterPoint().x, rectButton.CenterPoint().y}).LeftDown();
    Play(press);
    // Held: one step of 20 pixels per repeat.
    EXPECT_TRUE(PumpUntil([&] { return pTabs->GetScrollOffset() >= 100; }, 10000));
    EXPECT_EQ(0, pTabs->GetScrollOffset() % 20);
    CRect rectScreen;
    pTabs->GetWindowRect(&rectScreen);
    SaveScreenArea(L"screenshots/tabwnd-3d-scrolled.bmp", rectScreen);
    UserInput release;
    release.LeftUp();
    Play(release);
    const int nAtRelease = pTabs->GetScrollOffset();
    RunMessageLoopFor(300);
    EXPECT_EQ(nAtRelease, pTabs->GetScrollOffset());
    EXPECT_TRUE(pLeft->IsWindowEnabled());

    // The last-tab end: the offset stops at its largest value and the button disables.
    for (int i = 0; i < 500 && pRight->IsWindowEnabled(); i++)
        pTabs->SendMessage(WM_COMMAND, MAKEWPARAM(0xFFFF, BN_CLICKED), (LPARAM)pRight->GetSafeHwnd());
    EXPECT_EQ(pTabs->GetMaxScrollOffset(), pTabs->GetScrollOffset());
    EXPECT_FALSE(pRight->IsWindowEnabled());

    // Close sends WM_CLOSE to the active window: an edit's default is to destroy itself.
    const HWND hActive = pTabs->GetActiveWnd()->GetSafeHwnd();
    pTabs->SendMessage(WM_COMMAND, MAKEWPARAM(0xFFFF, BN_CLICKED),
                       (LPARAM)pTabs->GetButton(CKTTabWnd::BUTTON_CLOSE)->GetSafeHwnd());
    EXPECT_FALSE(::IsWindow(hActive));
}

TEST_F(TabWndTest, DoubleClickRenamesAndAnEmptyNameBeepsAndStays)
{
    CKTTabWnd* pTabs = MakeTabs(CKTTabWnd::STYLE_FLAT, 3);
    pTabs->EnableInPlaceEdit(TRUE);

    UserInput open;
    const POINT pt = ScreenPoint(pTabs, TabCenter(1));
    open.MoveTo(pt).LeftDown().LeftUp().LeftDown().LeftUp();
    Play(open);
    ASSERT_NE(nullptr, pTabs->GetRenameEdit());
    EXPECT_EQ(1, pTabs->GetRenamedTab());
    EXPECT_TRUE(MatchesSequence(m_parent.m_events, {"active(1,0)"})) << JoinSequence(m_parent.m_events);
    m_parent.m_events.clear();
    CString strEdit;
    pTabs->GetRenameEdit()->GetWindowText(strEdit);
    EXPECT_EQ(CString(L"Tab 1"), strEdit);
    CRect rectScreen;
    pTabs->GetWindowRect(&rectScreen);
    SaveScreenArea(L"screenshots/tabwnd-rename.bmp", rectScreen);

    // Everything selected: Delete empties it; Enter then beeps and keeps the edit open.
    UserInput empty;
    empty.Key(VK_DELETE, true).Key(VK_DELETE, false).Key(VK_RETURN, true).Key(VK_RETURN, false);
    Play(empty);
    ASSERT_NE(nullptr, pTabs->GetRenameEdit());
    EXPECT_TRUE(m_parent.m_events.empty()) << JoinSequence(m_parent.m_events);
    CString strLabel;
    pTabs->GetTabLabel(1, strLabel);
    EXPECT_EQ(CString(L"Tab 1"), strLabel);

    // A parent that refuses keeps the old label and the edit.
    m_parent.m_nVetoRename = 1;
    UserInput refused;
    refused.Key('X', true).Key('X', false).Key(VK_RETURN, true).Key(VK_RETURN, false);
    Play(refused);
    EXPECT_NE(nullptr, pTabs->GetRenameEdit());
    pTabs->GetTabLabel(1, strLabel);
    EXPECT_EQ(CString(L"Tab 1"), strLabel);

    m_parent.m_nVetoRename = 0;
    UserInput typed;
    typed.Key('Y', true).Key('Y', false).Key(VK_RETURN, true).Key(VK_RETURN, false);
    Play(typed);
    EXPECT_EQ(nullptr, pTabs->GetRenameEdit());
    pTabs->GetTabLabel(1, strLabel);
    EXPECT_EQ(CString(L"xy"), strLabel.MakeLower());
    EXPECT_TRUE(MatchesSequence(m_parent.m_events, {"rename(1)", "rename(1)"})) << JoinSequence(m_parent.m_events);

    // Escape closes without a change.
    ASSERT_TRUE(pTabs->StartRenameTab(0));
    UserInput escape;
    escape.Key('Z', true).Key('Z', false).Key(VK_ESCAPE, true).Key(VK_ESCAPE, false);
    Play(escape);
    EXPECT_EQ(nullptr, pTabs->GetRenameEdit());
    pTabs->GetTabLabel(0, strLabel);
    EXPECT_EQ(CString(L"Tab 0"), strLabel);
}

TEST_F(TabWndTest, DraggingMovesATabUnlessTheParentVetoes)
{
    CKTTabWnd* pTabs = MakeTabs(CKTTabWnd::STYLE_3D_SCROLLED, 4);
    pTabs->EnableTabSwap(TRUE);
    CWnd* pFirst = pTabs->GetTabWnd(0);
    CRect rect2;
    pTabs->GetTabRect(2, rect2);
    const CPoint ptDrop(rect2.right - 3, rect2.CenterPoint().y);

    m_parent.m_nVetoMove = 1;
    UserInput vetoed;
    vetoed.MoveTo(ScreenPoint(pTabs, TabCenter(0))).LeftDown();
    vetoed.Glide(ScreenPoint(pTabs, TabCenter(0)), ScreenPoint(pTabs, ptDrop), 8).LeftUp();
    Play(vetoed);
    EXPECT_EQ((std::vector<std::wstring>{L"Tab 0", L"Tab 1", L"Tab 2", L"Tab 3"}), Labels());
    EXPECT_TRUE(MatchesSequence(m_parent.m_events, {"beforemove(0,3)"})) << JoinSequence(m_parent.m_events);

    m_parent.m_nVetoMove = 0;
    m_parent.m_events.clear();
    // Past the double-click time, so that the press starts a drag rather than a rename.
    UserInput moved;
    moved.Pause(::GetDoubleClickTime() + 100).MoveTo(ScreenPoint(pTabs, TabCenter(0))).LeftDown();
    moved.Glide(ScreenPoint(pTabs, TabCenter(0)), ScreenPoint(pTabs, ptDrop), 8).LeftUp();
    Play(moved);
    EXPECT_EQ((std::vector<std::wstring>{L"Tab 1", L"Tab 2", L"Tab 0", L"Tab 3"}), Labels());
    EXPECT_TRUE(MatchesSequence(m_parent.m_events, {"beforemove(0,3)", "move(0,3)"}))
        << JoinSequence(m_parent.m_events);
    EXPECT_EQ(2, pTabs->GetActiveTab());
    EXPECT_EQ(pFirst, pTabs->GetActiveWnd());
    EXPECT_FALSE(pTabs->IsDragging());
}

TEST_F(TabWndTest, DraggingPastTheRightEndScrollsUntilReleased)
{
    CKTTabWnd* pTabs =
        MakeTabs(CKTTabWnd::STYLE_3D_SCROLLED, 30, CKTTabWnd::LOCATION_TOP, FALSE, L"A rather long tab label ");
    pTabs->EnableTabSwap(TRUE);
    CRect rectArea = pTabs->GetTabsArea();
    CRect rectWindow;
    pTabs->GetClientRect(&rectWindow);
    const CPoint ptPastEnd(rectArea.right + 5, rectArea.CenterPoint().y);
    ASSERT_LT(ptPastEnd.x, rectWindow.right) << "over the scroll buttons, still inside the window";

    UserInput drag;
    drag.MoveTo(ScreenPoint(pTabs, TabCenter(0))).LeftDown();
    drag.Glide(ScreenPoint(pTabs, TabCenter(0)), ScreenPoint(pTabs, ptPastEnd), 10);
    Play(drag);
    EXPECT_TRUE(pTabs->IsDragging());
    EXPECT_TRUE(PumpUntil([&] { return pTabs->GetScrollOffset() >= 60; }, 10000));
    UserInput release;
    release.LeftUp();
    Play(release);
    const int nAtRelease = pTabs->GetScrollOffset();
    RunMessageLoopFor(600);
    EXPECT_EQ(nAtRelease, pTabs->GetScrollOffset());
    EXPECT_FALSE(pTabs->IsDragging());
}

TEST_F(TabWndTest, CtrlPageKeysCycleThroughTheVisibleTabs)
{
    CKTTabWnd* pTabs = MakeTabs(CKTTabWnd::STYLE_3D, 4);
    pTabs->ShowTab(2, FALSE);
    pTabs->GetTabWnd(0)->SetFocus();

    UserInput keys;
    keys.Key(VK_CONTROL, true).Key(VK_NEXT, true).Key(VK_NEXT, false);
    keys.Key(VK_NEXT, true).Key(VK_NEXT, false);
    keys.Key(VK_NEXT, true).Key(VK_NEXT, false);
    keys.Key(VK_PRIOR, true).Key(VK_PRIOR, false).Key(VK_CONTROL, false);
    Play(keys);
    EXPECT_TRUE(MatchesSequence(m_parent.m_events, {"active(1,0)", "active(3,1)", "active(0,3)", "active(3,0)"}))
        << JoinSequence(m_parent.m_events);
    EXPECT_EQ(3, pTabs->GetActiveTab());
    EXPECT_EQ(pTabs->GetTabWnd(3), CWnd::GetFocus());
}

TEST_F(TabWndTest, SharedScrollBarFollowsTheActiveWindow)
{
    CKTTabWnd* pTabs = MakeTabs(CKTTabWnd::STYLE_FLAT_SHARED_HORZ_SCROLL, 1);
    // A second window that scrolls sideways: a single-line list of wide items.
    CListBox* pList = new CAutoDelete<CListBox>;
    ASSERT_TRUE(pList->Create(WS_CHILD | WS_HSCROLL | LBS_NOINTEGRALHEIGHT, CRect(0, 0, 10, 10), pTabs, 300));
    pList->SetHorizontalExtent(3000);
    pList->AddString(L"wide");
    pTabs->AutoDestroyWindow(TRUE);
    pTabs->AddTab(pList, L"List");
    CScrollBar* pBar = pTabs->GetSharedScrollBar();
    ASSERT_NE(nullptr, pBar);

    // The edit without a scroll range leaves the bar disabled and empty.
    SCROLLINFO si{};
    pBar->GetScrollInfo(&si);
    EXPECT_EQ(0, si.nMax);

    pTabs->SetActiveTab(1);
    pBar->GetScrollInfo(&si);
    SCROLLINFO siList{};
    siList.cbSize = sizeof(siList);
    siList.fMask = SIF_ALL;
    ASSERT_TRUE(::GetScrollInfo(pList->GetSafeHwnd(), SB_HORZ, &siList));
    EXPECT_EQ(siList.nMax, si.nMax);
    EXPECT_EQ(siList.nPage, si.nPage);

    m_parent.m_events.clear();
    pTabs->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_PAGERIGHT, 0), (LPARAM)pBar->GetSafeHwnd());
    const int nPos = ::GetScrollPos(pList->GetSafeHwnd(), SB_HORZ);
    EXPECT_GT(nPos, 0);
    EXPECT_EQ(nPos, pBar->GetScrollPos());
    EXPECT_TRUE(MatchesSequence(m_parent.m_events, {"hscroll(" + std::to_string(SB_PAGERIGHT) + ",0)"}))
        << JoinSequence(m_parent.m_events);
}

TEST_F(TabWndTest, SplitterDragGivesTheSharedScrollBarItsWidth)
{
    CKTTabWnd* pTabs = MakeTabs(CKTTabWnd::STYLE_FLAT_SHARED_HORZ_SCROLL, 2);
    CScrollBar* pBar = pTabs->GetSharedScrollBar();
    ASSERT_NE(nullptr, pBar);
    CRect rectBar;
    pBar->GetWindowRect(&rectBar);
    const int nWidthBefore = rectBar.Width();
    CRect rectClient;
    pTabs->GetClientRect(&rectClient);
    EXPECT_EQ((rectClient.Width() - 2 * (3 + 2 * ::GetSystemMetrics(SM_CXVSCROLL))) / 2, nWidthBefore);

    // The splitter stands just left of the bar.
    const POINT ptFrom{rectBar.left - 2, rectBar.CenterPoint().y};
    const POINT ptTo{rectBar.left - 102, rectBar.CenterPoint().y};
    UserInput drag;
    drag.MoveTo(ptFrom).LeftDown().Glide(ptFrom, ptTo, 6).LeftUp();
    Play(drag);
    pBar->GetWindowRect(&rectBar);
    EXPECT_NEAR(nWidthBefore + 100, rectBar.Width(), 3);
    CRect rectBarClient = rectBar;
    pTabs->ScreenToClient(&rectBarClient);
    EXPECT_EQ(pTabs->GetTabsArea().right + 5, rectBarClient.left);

    // Dragged far right it keeps twice the arrow width.
    const POINT ptFar{rectBar.right + 50, rectBar.CenterPoint().y};
    UserInput narrow;
    narrow.MoveTo({rectBar.left - 2, rectBar.CenterPoint().y}).LeftDown();
    narrow.Glide({rectBar.left - 2, rectBar.CenterPoint().y}, ptFar, 6).LeftUp();
    Play(narrow);
    pBar->GetWindowRect(&rectBar);
    EXPECT_EQ(2 * ::GetSystemMetrics(SM_CXHSCROLL), rectBar.Width());
}

} // namespace

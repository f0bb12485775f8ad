// Toolbars as real windows in a frame on the test display: layout (vertical dock, separators),
// the common-controls toolbar messages, command states from the frame's handlers, presses and
// releases with the display's mouse, hot tracking and leaving, help mode, and screenshots.
#include "tests/uitoolkit/bars/ButtonsTestFrame.h"
#include "uitoolkit/bars/KTTrackMouseLeave.h"
#include "uitoolkit/looks/KTVisualManagerXP.h"
#include "uitoolkit/customize/KTCommandManager.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace
{
class CTestToolBar : public CKTToolBar
{
public:
    using CKTToolBar::m_bTracked;
    using CKTToolBar::m_iButtonCapture;
    using CKTToolBar::m_iHighlighted;
    static CKTToolBar* LastHooked() { return m_pLastHookedToolbar; }
    static void SetLastHooked(CKTToolBar* pBar) { m_pLastHookedToolbar = pBar; }
};

class CToolbarTestFrame : public CFrameWnd
{
public:
    std::vector<UINT> m_commands;
    BOOL m_bEnableSave = TRUE;
    int m_nCheckPrint = 0;
    // -1: Open's handler leaves the radio mark alone.
    int m_nRadioOpen = -1;
    CString m_strCutText;

protected:
    void OnCommandRange(UINT nID) { m_commands.push_back(nID); }
    void OnUpdateSave(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bEnableSave); }
    void OnUpdatePrint(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_nCheckPrint); }
    void OnUpdateOpen(CCmdUI* pCmdUI)
    {
        if (m_nRadioOpen >= 0)
            pCmdUI->SetRadio(m_nRadioOpen != 0);
    }
    void OnUpdateCut(CCmdUI* pCmdUI)
    {
        if (!m_strCutText.IsEmpty())
            pCmdUI->SetText(m_strCutText);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CToolbarTestFrame, CFrameWnd)
ON_COMMAND_RANGE(ID_TEST_OPEN, ID_TEST_AMP, &CToolbarTestFrame::OnCommandRange)
ON_UPDATE_COMMAND_UI(ID_TEST_SAVE, &CToolbarTestFrame::OnUpdateSave)
ON_UPDATE_COMMAND_UI(ID_TEST_PRINT, &CToolbarTestFrame::OnUpdatePrint)
ON_UPDATE_COMMAND_UI(ID_TEST_OPEN, &CToolbarTestFrame::OnUpdateOpen)
ON_UPDATE_COMMAND_UI(ID_TEST_CUT, &CToolbarTestFrame::OnUpdateCut)
END_MESSAGE_MAP()

bool Near(COLORREF a, COLORREF b)
{
    return abs(GetRValue(a) - GetRValue(b)) < 24 && abs(GetGValue(a) - GetGValue(b)) < 24 &&
           abs(GetBValue(a) - GetBValue(b)) < 24;
}

class ToolbarWindowTest : public BarsWindowTest<CToolbarTestFrame, CTestToolBar>
{
protected:
    ToolbarWindowTest() : BarsWindowTest(CRect(40, 40, 560, 320)) {}

    // Every bar is laid out as soon as it is docked.
    CTestToolBar* AddBar(DWORD dwAlign, UINT uiResID = IDR_TEST_TOOLBAR, UINT nID = AFX_IDW_TOOLBAR)
    {
        CTestToolBar* pBar = BarsWindowTest::AddBar(dwAlign, uiResID, nID);
        Relayout();
        return pBar;
    }
};
} // namespace

TEST_F(ToolbarWindowTest, HorizontalAndVerticalLayoutWithSeparators)
{
    CTestToolBar* pTop = AddBar(CBRS_TOP);
    // Open, Save | Print, Cut in one row, the separator between.
    CRect r0, r1, r2, r3, r4;
    pTop->GetItemRect(0, &r0);
    pTop->GetItemRect(1, &r1);
    pTop->GetItemRect(2, &r2);
    pTop->GetItemRect(3, &r3);
    pTop->GetItemRect(4, &r4);
    EXPECT_EQ(r0.top, r3.top);
    EXPECT_EQ(r0.right, r1.left);
    EXPECT_EQ(8, r2.Width()) << "a separator is 8 wide";
    EXPECT_EQ(r2.right, r3.left);
    EXPECT_EQ(22, r0.Width());

    CTestToolBar* pLeft = AddBar(CBRS_LEFT, IDR_TEST_TOOLBAR, AFX_IDW_TOOLBAR + 1);
    CRect v0, v1, v3;
    pLeft->GetItemRect(0, &v0);
    pLeft->GetItemRect(1, &v1);
    pLeft->GetItemRect(3, &v3);
    EXPECT_EQ(v0.left, v1.left) << "vertical: one button per row";
    EXPECT_EQ(v0.bottom, v1.top);
    EXPECT_EQ(v1.bottom + 8, v3.top);

    // Two separators in a row: the second takes no room.
    pTop->InsertSeparator(3);
    pTop->AdjustLayout();
    Relayout();
    CRect s1, s2, after;
    pTop->GetItemRect(2, &s1);
    pTop->GetItemRect(3, &s2);
    pTop->GetItemRect(4, &after);
    EXPECT_TRUE(s2.IsRectEmpty());
    EXPECT_EQ(s1.right, after.left);
    EXPECT_EQ(-1, pTop->HitTest(s1.CenterPoint())) << "a separator is never hit";
    EXPECT_EQ(0, pTop->HitTest(r0.CenterPoint()));
}

TEST_F(ToolbarWindowTest, CommonControlsToolbarMessages)
{
    CTestToolBar* pBar = AddBar(CBRS_TOP);
    EXPECT_EQ(5, pBar->SendMessage(TB_BUTTONCOUNT));
    pBar->SetButtonStyle(1, TBBS_DISABLED);
    pBar->SetButtonStyle(3, TBBS_CHECKBOX | TBBS_CHECKED);
    const struct
    {
        int index;
        BOOL result;
        int command;
        BYTE state;
        BYTE style;
    } cases[] = {
        {0, TRUE, ID_TEST_OPEN, TBSTATE_ENABLED, 0},
        {1, TRUE, ID_TEST_SAVE, 0, 0},
        {2, TRUE, 0, TBSTATE_ENABLED, TBBS_SEPARATOR},
        {3, TRUE, ID_TEST_PRINT, TBSTATE_ENABLED | TBSTATE_CHECKED, TBBS_CHECKBOX},
        {5, FALSE, 0, 0, 0},
        {-1, FALSE, 0, 0, 0},
    };
    for (const auto& c : cases)
    {
        TBBUTTON tb;
        memset(&tb, 0xCC, sizeof(tb));
        EXPECT_EQ(c.result, (BOOL)pBar->SendMessage(TB_GETBUTTON, (WPARAM)c.index, (LPARAM)&tb)) << c.index;
        if (!c.result)
            continue;
        EXPECT_EQ(c.command, tb.idCommand) << c.index;
        EXPECT_EQ(c.state, tb.fsState) << c.index;
        EXPECT_EQ(c.style, tb.fsStyle) << c.index;
        EXPECT_EQ(0, tb.iBitmap);
        EXPECT_EQ(0u, (UINT)tb.dwData);
    }
    CRect rect, expected;
    EXPECT_TRUE(pBar->SendMessage(TB_GETITEMRECT, 3, (LPARAM)&rect));
    pBar->GetItemRect(3, &expected);
    EXPECT_EQ(expected, rect);
    EXPECT_FALSE(pBar->SendMessage(TB_GETITEMRECT, 9, (LPARAM)&rect));

    pBar->GetButton(0)->m_strText = L"&Open file";
    wchar_t buffer[64] = {};
    EXPECT_EQ(10, pBar->SendMessage(TB_GETBUTTONTEXTW, ID_TEST_OPEN, (LPARAM)buffer));
    EXPECT_STREQ(L"&Open file", buffer);
    EXPECT_EQ(10, pBar->SendMessage(TB_GETBUTTONTEXTW, ID_TEST_OPEN, 0)) << "length only";
    EXPECT_EQ(-1, pBar->SendMessage(TB_GETBUTTONTEXTW, ID_TEST_PASTE, (LPARAM)buffer));
}

TEST_F(ToolbarWindowTest, CommandHandlersEnableCheckAndRename)
{
    CTestToolBar* pBar = AddBar(CBRS_TOP);
    const struct
    {
        BOOL enableSave;
        int checkPrint;
        int radioOpen;
        UINT saveStyle;
        UINT printStyle;
        UINT openStyle;
    } cases[] = {
        {FALSE, 0, -1, TBBS_DISABLED, TBBS_CHECKBOX, 0},
        {TRUE, 1, 1, 0, TBBS_CHECKBOX | TBBS_CHECKED, TBBS_CHECKBOX | TBBS_CHECKED},
        {TRUE, 2, 0, 0, TBBS_CHECKBOX | TBBS_INDETERMINATE, TBBS_CHECKBOX},
        {TRUE, 7, 1, 0, TBBS_CHECKBOX | TBBS_CHECKED, TBBS_CHECKBOX | TBBS_CHECKED},
    };
    for (const auto& c : cases)
    {
        m_pFrame->m_bEnableSave = c.enableSave;
        m_pFrame->m_nCheckPrint = c.checkPrint;
        m_pFrame->m_nRadioOpen = c.radioOpen;
        pBar->OnUpdateCmdUI(m_pFrame, FALSE);
        EXPECT_EQ(c.saveStyle, pBar->GetButtonStyle(1)) << c.checkPrint;
        EXPECT_EQ(c.printStyle, pBar->GetButtonStyle(3)) << c.checkPrint;
        EXPECT_EQ(c.openStyle, pBar->GetButtonStyle(0)) << "radio " << c.radioOpen;
    }
    m_pFrame->m_nRadioOpen = -1;
    m_pFrame->m_strCutText = L"Snip\tCtrl+X";
    pBar->OnUpdateCmdUI(m_pFrame, FALSE);
    EXPECT_EQ(CString(L"Snip"), pBar->GetButtonText(4));
    pBar->m_bBlockTextChanges = TRUE;
    m_pFrame->m_strCutText = L"Other";
    pBar->OnUpdateCmdUI(m_pFrame, FALSE);
    EXPECT_EQ(CString(L"Snip"), pBar->GetButtonText(4));
}

TEST_F(ToolbarWindowTest, ClickSendsTheCommandAndReleaseOutsideSendsNone)
{
    CTestToolBar* pBar = AddBar(CBRS_TOP);
    const POINT open = ScreenCentre(pBar, 0);
    const POINT away = {open.x, open.y + 120};
    {
        UserInput input;
        input.MoveTo(open).Pause(50).LeftDown().Pause(50).LeftUp().Pause(50);
        Play(input);
    }
    EXPECT_EQ(std::vector<UINT>{ID_TEST_OPEN}, m_pFrame->m_commands);
    EXPECT_EQ(0u, pBar->GetButtonStyle(0) & TBBS_PRESSED);

    m_pFrame->m_commands.clear();
    UINT styleAway = 0, styleBack = 0;
    {
        UserInput input;
        input.MoveTo(open).Pause(50).LeftDown().Pause(50).Glide(open, away).Pause(50);
        input.Call([&] { ::PostMessageW(m_hFrame, WM_NULL, 0, 0); }).Pause(100);
        Play(input);
    }
    styleAway = pBar->GetButtonStyle(0);
    {
        UserInput input;
        input.Glide(away, open).Pause(100);
        Play(input);
    }
    styleBack = pBar->GetButtonStyle(0);
    {
        UserInput input;
        input.Glide(open, away).Pause(50).LeftUp().Pause(50);
        Play(input);
    }
    EXPECT_EQ(0u, styleAway & TBBS_PRESSED) << "not pressed while the mouse is away";
    EXPECT_NE(0u, styleBack & TBBS_PRESSED) << "pressed again over the button";
    EXPECT_TRUE(m_pFrame->m_commands.empty()) << "released outside";
    EXPECT_EQ(-1, pBar->m_iButtonCapture);
}

TEST_F(ToolbarWindowTest, DisabledButtonsAreNeverHotOrPressed)
{
    CTestToolBar* pBar = AddBar(CBRS_TOP);
    m_pFrame->m_bEnableSave = FALSE;
    pBar->OnUpdateCmdUI(m_pFrame, FALSE);
    const POINT save = ScreenCentre(pBar, 1);
    UserInput input;
    input.MoveTo(save).Pause(50).MoveTo(POINT{save.x + 1, save.y}).Pause(50).LeftDown().Pause(50).LeftUp().Pause(50);
    Play(input);
    EXPECT_EQ(-1, pBar->m_iHighlighted);
    EXPECT_TRUE(m_pFrame->m_commands.empty());
    EXPECT_EQ(0u, pBar->GetButtonStyle(1) & TBBS_PRESSED);
}

TEST_F(ToolbarWindowTest, HotButtonFollowsTheMouseAndLeavingIsNoticedEveryTime)
{
    CTestToolBar* pBar = AddBar(CBRS_TOP);
    const POINT open = ScreenCentre(pBar, 0);
    const POINT print = ScreenCentre(pBar, 3);
    const POINT away = {open.x, open.y + 150};
    for (int round = 0; round < 2; round++)
    {
        {
            UserInput input;
            input.Glide(away, open).Pause(80);
            Play(input);
        }
        EXPECT_EQ(0, pBar->m_iHighlighted) << "round " << round;
        EXPECT_TRUE(pBar->IsButtonHighlighted(0));
        EXPECT_EQ(pBar->GetButton(0), pBar->GetHighlightedButton());
        {
            UserInput input;
            input.Glide(open, print).Pause(80);
            Play(input);
        }
        EXPECT_EQ(3, pBar->m_iHighlighted) << "round " << round;
        {
            UserInput input;
            input.Glide(print, away).Pause(50);
            Play(input);
        }
        EXPECT_TRUE(PumpUntil([&] { return pBar->m_iHighlighted == -1; }, 2000)) << "round " << round;
        EXPECT_FALSE(pBar->m_bTracked) << "round " << round;
    }
}

TEST_F(ToolbarWindowTest, DestroyedBarIsForgottenByTheHelpModeHook)
{
    CTestToolBar* pBar = AddBar(CBRS_TOP);
    CTestToolBar::SetLastHooked(pBar);
    pBar->DestroyWindow();
    EXPECT_EQ(nullptr, CTestToolBar::LastHooked());
    CObList& all = const_cast<CObList&>(CKTToolBar::GetAllToolbars());
    EXPECT_EQ(nullptr, all.Find(pBar));
}

TEST_F(ToolbarWindowTest, ImagesShowOnTheScreenInEachLayout)
{
    CTestToolBar* pTop = AddBar(CBRS_TOP);
    CTestToolBar* pLeft = AddBar(CBRS_LEFT, IDR_TEST_TOOLBAR, AFX_IDW_TOOLBAR + 1);
    Relayout();
    RunMessageLoopFor(200);
    // Image 0 is red, image 2 blue, each inside a grey frame.
    const POINT open = ScreenCentre(pTop, 0);
    EXPECT_TRUE(PumpUntil([&] { return Near(RGB(255, 0, 0), ScreenPixel(open)); }, 3000));
    const POINT print = ScreenCentre(pLeft, 3);
    EXPECT_TRUE(PumpUntil([&] { return Near(RGB(0, 0, 255), ScreenPixel(print)); }, 3000));
    SaveScreenshot(L"toolbars.bmp");

    pTop->EnableTextLabels(TRUE);
    for (int i = 0; i < pTop->GetCount(); i++)
        pTop->LoadButtonDefaultText(pTop->GetButton(i));
    pTop->AdjustLayout();
    Relayout();
    CRect rLabelled;
    pTop->GetItemRect(0, &rLabelled);
    EXPECT_GT(rLabelled.Height(), 22) << "labels under the images make the row taller";
    SaveScreenshot(L"toolbars-labels.bmp");
    pTop->EnableTextLabels(FALSE);

    CKTToolBar::SetLargeIcons(TRUE);
    Relayout();
    CRect rLarge;
    pTop->GetItemRect(0, &rLarge);
    EXPECT_EQ(CSize(44, 42), rLarge.Size());
    SaveScreenshot(L"toolbars-large.bmp");
    CKTToolBar::SetLargeIcons(FALSE);
}

TEST_F(ToolbarWindowTest, TooltipsComeFromTheCommandStringOrTheButtonText)
{
    CTestToolBar* pBar = AddBar(CBRS_TOP);
    CRect rect;
    pBar->GetItemRect(0, &rect);
    TOOLINFO ti = {};
    ti.cbSize = sizeof(ti);
    EXPECT_EQ((INT_PTR)ID_TEST_OPEN, pBar->OnToolHitTest(rect.CenterPoint(), &ti));
    ASSERT_NE(nullptr, ti.lpszText);
    EXPECT_STREQ(L"Open", ti.lpszText);
    EXPECT_EQ(rect, CRect(ti.rect));
    free(ti.lpszText);

    CKTToolbarButton* pUser = pBar->GetButton(1);
    pUser->m_bUserButton = TRUE;
    pUser->m_strText = L"&My save";
    pBar->GetItemRect(1, &rect);
    TOOLINFO tiUser = {};
    tiUser.cbSize = sizeof(tiUser);
    EXPECT_EQ((INT_PTR)ID_TEST_SAVE, pBar->OnToolHitTest(rect.CenterPoint(), &tiUser));
    ASSERT_NE(nullptr, tiUser.lpszText);
    EXPECT_STREQ(L"My save", tiUser.lpszText);
    free(tiUser.lpszText);

    pBar->GetItemRect(2, &rect);
    EXPECT_EQ(-1, pBar->OnToolHitTest(rect.CenterPoint(), nullptr)) << "a separator";
    CKTToolBar::m_bShowTooltips = FALSE;
    pBar->GetItemRect(0, &rect);
    EXPECT_EQ(-1, pBar->OnToolHitTest(rect.CenterPoint(), nullptr));
    CKTToolBar::m_bShowTooltips = TRUE;
}

TEST_F(ToolbarWindowTest, MouseLeaveTrackingLeavesTheWindowsOwnTimersAlone)
{
    CTestToolBar* pBar = AddBar(CBRS_TOP);
    // Ids 1 and 2 are what menu bars use for their own timers.
    static int ticks = 0;
    ticks = 0;
    struct TimerCount
    {
        static void CALLBACK Proc(HWND, UINT, UINT_PTR, DWORD) { ++ticks; }
    };
    ASSERT_NE(0u, ::SetTimer(pBar->GetSafeHwnd(), 1, 30, &TimerCount::Proc));
    TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, pBar->GetSafeHwnd(), 0};
    EXPECT_TRUE(KTTrackMouseLeave(&tme));
    EXPECT_TRUE(KTIsTrackingMouseLeave(pBar->GetSafeHwnd()));
    RunMessageLoopFor(300);
    EXPECT_GT(ticks, 2) << "the bar's own timer 1 still runs";
    ::KillTimer(pBar->GetSafeHwnd(), 1);
}

TEST_F(ToolbarWindowTest, XPLookScreenshot)
{
    CKTVisualManager::SetDefaultManager(RUNTIME_CLASS(CKTVisualManagerXP));
    CTestToolBar* pTop = AddBar(CBRS_TOP);
    AddBar(CBRS_LEFT, IDR_TEST_TOOLBAR, AFX_IDW_TOOLBAR + 1);
    m_pFrame->m_nCheckPrint = 1;
    pTop->OnUpdateCmdUI(m_pFrame, FALSE);
    Relayout();
    const POINT open = ScreenCentre(pTop, 0);
    UserInput input;
    input.MoveTo(POINT{open.x + 1, open.y}).Pause(50).MoveTo(open).Pause(150);
    Play(input);
    EXPECT_EQ(0, pTop->m_iHighlighted);
    SaveScreenshot(L"toolbars-xp.bmp");
    CKTVisualManager::SetDefaultManager(nullptr);
}

TEST_F(ToolbarWindowTest, MnemonicPostsTheCommandAndButtonsAreFoundOnEveryBar)
{
    CTestToolBar* pTop = AddBar(CBRS_TOP);
    CTestToolBar* pSecond = AddBar(CBRS_TOP, IDR_TEST_TOOLBAR2, AFX_IDW_TOOLBAR + 2);
    CKTToolbarButton* pCut = pTop->GetButton(4);
    pCut->m_strText = L"Cu&t";
    pCut->m_bText = TRUE;
    pTop->AdjustLayout();
    EXPECT_TRUE(pTop->TranslateChar('T'));
    EXPECT_FALSE(pTop->TranslateChar('Q'));
    PumpAndIdle();
    EXPECT_EQ(std::vector<UINT>{ID_TEST_CUT}, m_pFrame->m_commands);

    CObList found;
    EXPECT_EQ(2, CKTToolBar::GetCommandButtons(ID_TEST_SAVE, found));
    EXPECT_NE(nullptr, found.Find(pTop->GetButton(1)));
    EXPECT_NE(nullptr, found.Find(pSecond->GetButton(1)));
    EXPECT_EQ(0, CKTToolBar::GetCommandButtons(0, found)) << "separators are not looked up";
}

TEST_F(ToolbarWindowTest, VerticalBarWritesItsLabelsDownwards)
{
    CTestToolBar* pLeft = AddBar(CBRS_LEFT);
    CKTToolbarButton* pPrint = pLeft->GetButton(3);
    pPrint->m_strText = L"Print";
    pPrint->m_bText = TRUE;
    pLeft->AdjustLayout();
    Relayout();
    CRect rect;
    pLeft->GetItemRect(3, &rect);
    EXPECT_GT(rect.Height(), 22) << "the label lengthens the button along the bar";
    EXPECT_EQ(22, rect.Width());
    RunMessageLoopFor(200);
    pLeft->ClientToScreen(&rect);
    // The label lies below the image: dark text pixels there.
    int dark = 0;
    for (int y = rect.top + 22; y < rect.bottom; y++)
        for (int x = rect.left; x < rect.right; x++)
        {
            const COLORREF c = ScreenPixel(POINT{x, y});
            dark += (GetRValue(c) + GetGValue(c) + GetBValue(c) < 200) ? 1 : 0;
        }
    EXPECT_GT(dark, 10);
    SaveScreenshot(L"toolbars-vertical-text.bmp");
}

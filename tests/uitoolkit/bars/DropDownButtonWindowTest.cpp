// Drop-down toolbar buttons on a real toolbar, with the display's mouse: a short click runs the
// current command, holding drops the group down, choosing there runs the command and makes it
// current; a disabled current command still lets the group drop down; a release away drops
// nothing; a button removed while its timer or frame runs; the stored form; and a screenshot of
// the open group.
#include "tests/uitoolkit/bars/ButtonsTestFrame.h"
#include "uitoolkit/bars/KTDropDownToolBar.h"
#include "uitoolkit/bars/KTTrackMouseLeave.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"

#include <vector>

namespace
{
const UINT kGroupBarId = AFX_IDW_TOOLBAR + 20;

// Disables Open on request, as a frame does whose document cannot take the command now.
class CDropDownTestFrame : public CButtonsTestFrame
{
public:
    BOOL m_bOpenEnabled = TRUE;

protected:
    void OnUpdateOpen(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bOpenEnabled); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDropDownTestFrame, CButtonsTestFrame)
ON_UPDATE_COMMAND_UI(ID_TEST_OPEN, &CDropDownTestFrame::OnUpdateOpen)
END_MESSAGE_MAP()

class DropDownButtonWindowTest : public BarsWindowTest<CDropDownTestFrame, CKTToolBar>
{
protected:
    void SetUp() override
    {
        BarsWindowTest::SetUp();
        // The group: Open, Save, a separator, Print, Cut; never shown itself.
        ASSERT_TRUE(m_group.Create(m_pFrame, WS_CHILD | CBRS_TOP, kGroupBarId));
        ASSERT_TRUE(m_group.LoadToolBar(IDR_TEST_TOOLBAR));
        m_pBar = AddBar(CBRS_TOP);
        m_iButton = m_pBar->InsertButton(new CKTDropDownToolbarButton(L"Files", &m_group));
        ASSERT_GE(m_iButton, 0);
        Relayout();
    }
    void TearDown() override { BarsWindowTest::TearDown(); }

    CKTDropDownToolbarButton* Button() const
    {
        return static_cast<CKTDropDownToolbarButton*>(m_pBar->GetButton(m_iButton));
    }

    // The centre of a group command in the open frame, on the screen.
    static POINT GroupItem(CKTDropDownToolbarButton* pButton, int iIndex)
    {
        CKTDropDownFrame* pFrame = pButton->GetFrame();
        if (pFrame == nullptr)
            return POINT{0, 0};
        CRect rect;
        pFrame->GetToolBar().GetItemRect(iIndex, &rect);
        pFrame->GetToolBar().ClientToScreen(&rect);
        return rect.CenterPoint();
    }

    CKTDropDownToolBar m_group;
    CKTToolBar* m_pBar = nullptr;
    int m_iButton = -1;
};
} // namespace

TEST_F(DropDownButtonWindowTest, AShortClickRunsTheCurrentCommandAndOpensNothing)
{
    EXPECT_EQ(static_cast<UINT>(ID_TEST_OPEN), Button()->m_nID) << "the group's first command";
    const POINT centre = ScreenCentre(m_pBar, m_iButton);
    UserInput input;
    input.MoveTo(centre).Pause(50).LeftDown().Pause(60).LeftUp().Pause(800);
    Play(input);
    const auto commands = m_pFrame->CommandsOf(ID_TEST_OPEN);
    EXPECT_EQ(1u, commands.size());
    EXPECT_EQ(nullptr, Button()->GetFrame());
    EXPECT_FALSE(Button()->IsTimerRunning());
    EXPECT_EQ(nullptr, CKTDropDownToolbarButton::GetPressedButton());
}

TEST_F(DropDownButtonWindowTest, HoldingDropsTheGroupAndAChoiceBecomesCurrent)
{
    const POINT centre = ScreenCentre(m_pBar, m_iButton);
    BOOL bOpenWhileHeld = FALSE;
    size_t nCommandsWhileHeld = 99;
    CRect rectFrame;
    {
        UserInput input;
        input.MoveTo(centre).Pause(50).LeftDown().Pause(800);
        input.Call([&] {
            bOpenWhileHeld = Button()->GetFrame() != nullptr;
            nCommandsWhileHeld = m_pFrame->m_commands.size();
        });
        Play(input);
    }
    ASSERT_TRUE(bOpenWhileHeld);
    EXPECT_EQ(0u, nCommandsWhileHeld) << "holding runs no command";
    CKTDropDownFrame* pFrame = Button()->GetFrame();
    ASSERT_TRUE(pFrame != nullptr);
    const HWND hFrame = pFrame->GetSafeHwnd();
    EXPECT_TRUE(::IsWindowVisible(hFrame));
    pFrame->GetWindowRect(&rectFrame);
    CRect rectButton = Button()->m_rect;
    m_pBar->ClientToScreen(&rectButton);
    EXPECT_EQ(rectButton.bottom, rectFrame.top) << "below the button of a top bar";
    EXPECT_EQ(5, pFrame->GetToolBar().GetCount()) << "the group's buttons, shared";
    {
        ::CreateDirectoryW(L"screenshots", nullptr);
        RunMessageLoopFor(200);
        CRect rectShot;
        m_pFrame->GetWindowRect(&rectShot);
        rectShot.UnionRect(rectShot, rectFrame);
        EXPECT_TRUE(SaveScreenArea(L"screenshots\\toolbar_dropdown_open.bmp", rectShot));
    }

    // Print is the group's third image (the separator has none).
    const POINT print = GroupItem(Button(), 3);
    {
        UserInput input;
        input.Glide(centre, print).Pause(100).LeftUp().Pause(300);
        Play(input);
    }
    PumpUntil([&] { return !::IsWindow(hFrame); }, 2000);
    EXPECT_FALSE(::IsWindow(hFrame));
    EXPECT_EQ(nullptr, Button()->GetFrame());
    EXPECT_EQ(1u, m_pFrame->CommandsOf(ID_TEST_PRINT).size());
    EXPECT_TRUE(m_pFrame->CommandsOf(ID_TEST_OPEN).empty());
    EXPECT_EQ(static_cast<UINT>(ID_TEST_PRINT), Button()->m_nID);
    EXPECT_EQ(2, Button()->GetCurrentImage());
    EXPECT_EQ(5, m_group.GetCount()) << "the group keeps its buttons";
    EXPECT_EQ(0u, m_pBar->GetButtonStyle(m_iButton) & TBBS_PRESSED);
    SaveScreenshot(L"toolbar_dropdown_chosen.bmp");
    // The button now shows Print's image, as the bar's own Print button does.
    const POINT shown = {ScreenCentre(m_pBar, m_iButton).x - 2, ScreenCentre(m_pBar, m_iButton).y};
    EXPECT_EQ(ScreenPixel(ScreenCentre(m_pBar, 3)), ScreenPixel(shown));
    EXPECT_NE(ScreenPixel(ScreenCentre(m_pBar, 0)), ScreenPixel(shown));
}

TEST_F(DropDownButtonWindowTest, ADisabledCurrentCommandStillLetsTheGroupDropDown)
{
    m_pFrame->m_bOpenEnabled = FALSE;
    const POINT centre = ScreenCentre(m_pBar, m_iButton);
    {
        UserInput input;
        input.MoveTo(centre).Pause(50).LeftDown().Pause(60).LeftUp().Pause(800);
        Play(input);
    }
    EXPECT_TRUE(m_pFrame->m_commands.empty()) << "a short click runs no disabled command";
    EXPECT_EQ(nullptr, Button()->GetFrame());
    EXPECT_FALSE(Button()->IsTimerRunning());
    EXPECT_NE(0u, m_pBar->GetButtonStyle(m_iButton) & TBBS_DISABLED);

    BOOL bOpenWhileHeld = FALSE;
    {
        UserInput input;
        input.MoveTo(centre).Pause(50).LeftDown().Pause(800);
        input.Call([&] { bOpenWhileHeld = Button()->GetFrame() != nullptr; });
        Play(input);
    }
    ASSERT_TRUE(bOpenWhileHeld) << "held, the group drops down although Open is disabled";
    const HWND hFrame = Button()->GetFrame()->GetSafeHwnd();
    {
        UserInput input;
        input.Glide(centre, GroupItem(Button(), 1)).Pause(100).LeftUp().Pause(300);
        Play(input);
    }
    PumpUntil([&] { return !::IsWindow(hFrame); }, 2000);
    EXPECT_EQ(1u, m_pFrame->CommandsOf(ID_TEST_SAVE).size()) << "an enabled command of the group";
    EXPECT_TRUE(m_pFrame->CommandsOf(ID_TEST_OPEN).empty());
    EXPECT_EQ(static_cast<UINT>(ID_TEST_SAVE), Button()->m_nID);
}

TEST_F(DropDownButtonWindowTest, AReleaseAwayFromTheButtonDropsNothing)
{
    const POINT centre = ScreenCentre(m_pBar, m_iButton);
    const POINT away = {centre.x, centre.y + 150};
    UserInput input;
    input.MoveTo(centre).Pause(50).LeftDown().Pause(50).Glide(centre, away, 4).LeftUp().Pause(900);
    Play(input);
    EXPECT_EQ(nullptr, Button()->GetFrame());
    EXPECT_FALSE(Button()->IsTimerRunning());
    EXPECT_TRUE(m_pFrame->CommandsOf(ID_TEST_OPEN).empty());
}

TEST_F(DropDownButtonWindowTest, AButtonRemovedWhileItsTimerOrFrameRunsLeavesNothingBehind)
{
    // Removed while the mouse button is held and the timer runs.
    {
        UserInput input;
        input.MoveTo(ScreenCentre(m_pBar, m_iButton)).Pause(50).LeftDown().Pause(100);
        Play(input);
    }
    EXPECT_TRUE(Button()->IsTimerRunning());
    EXPECT_EQ(Button(), CKTDropDownToolbarButton::GetPressedButton());
    ASSERT_TRUE(m_pBar->RemoveButton(m_iButton));
    EXPECT_EQ(nullptr, CKTDropDownToolbarButton::GetPressedButton());
    {
        UserInput input;
        input.Pause(700).LeftUp().Pause(100);
        Play(input);
    }
    EXPECT_TRUE(m_pFrame->m_commands.empty());

    // Removed while its group is dropped down.
    m_iButton = m_pBar->InsertButton(new CKTDropDownToolbarButton(L"Files", &m_group));
    Relayout();
    {
        UserInput input;
        input.MoveTo(ScreenCentre(m_pBar, m_iButton)).Pause(50).LeftDown().Pause(800);
        Play(input);
    }
    ASSERT_TRUE(Button()->GetFrame() != nullptr);
    const HWND hFrame = Button()->GetFrame()->GetSafeHwnd();
    ASSERT_TRUE(m_pBar->RemoveButton(m_iButton));
    PumpAndIdle();
    EXPECT_FALSE(::IsWindow(hFrame));
    {
        UserInput input;
        input.Pause(50).LeftUp().Pause(100);
        Play(input);
    }
    EXPECT_EQ(5, m_group.GetCount());
    EXPECT_TRUE(m_pFrame->m_commands.empty());
}

TEST_F(DropDownButtonWindowTest, DeactivatingTheApplicationClosesTheGroupOutsideCustomizeMode)
{
    for (const BOOL bCustomize : {TRUE, FALSE})
    {
        CKTToolBar::SetCustomizeMode(bCustomize);
        ASSERT_TRUE(Button()->DropDown());
        CKTDropDownFrame* pFrame = Button()->GetFrame();
        ASSERT_TRUE(pFrame != nullptr);
        const HWND hFrame = pFrame->GetSafeHwnd();
        ::ReleaseCapture();
        ::SendMessageW(hFrame, WM_ACTIVATEAPP, FALSE, 0);
        PumpAndIdle();
        EXPECT_EQ(!bCustomize, !::IsWindow(hFrame)) << "customize mode " << bCustomize;
        EXPECT_EQ(!bCustomize, Button()->GetFrame() == nullptr) << "customize mode " << bCustomize;
        Button()->CloseFrame();
        PumpAndIdle();
        CKTToolBar::SetCustomizeMode(FALSE);
    }
}

TEST_F(DropDownButtonWindowTest, StoredFormFindsItsGroupOnlyWhileItExists)
{
    Button()->SetDefaultCommand(ID_TEST_CUT);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        Button()->Serialize(ar);
    }
    const struct
    {
        const char* name;
        bool groupAlive;
    } cases[] = {{"group exists", true}, {"group gone", false}};
    for (const auto& c : cases)
    {
        if (!c.groupAlive)
            m_group.DestroyWindow();
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load);
        CKTDropDownToolbarButton loaded;
        loaded.Serialize(ar);
        EXPECT_EQ(static_cast<UINT>(ID_TEST_CUT), loaded.m_nID) << c.name;
        EXPECT_EQ(CString(L"Files"), loaded.GetName()) << c.name;
        EXPECT_EQ(3, loaded.GetCurrentImage()) << c.name;
        EXPECT_TRUE(loaded.m_bImage && !loaded.m_bText) << c.name << ": it shows its group's image, not text";
        EXPECT_EQ(c.groupAlive ? &m_group : nullptr, loaded.GetToolBar()) << c.name;
        if (!c.groupAlive)
        {
            EXPECT_FALSE(loaded.DropDown(m_pBar)) << "without its group it only runs its command";
        }
    }
}

TEST_F(DropDownButtonWindowTest, ExportedMenuListsTheGroupUnderItsName)
{
    CKTToolbarMenuButton menuButton;
    ASSERT_TRUE(Button()->ExportToMenuButton(menuButton));
    EXPECT_EQ(0u, menuButton.m_nID);
    EXPECT_EQ(CString(L"Files"), menuButton.m_strText);
    EXPECT_FALSE(menuButton.m_bImage);
    const CObList& items = menuButton.GetCommands();
    ASSERT_EQ(5, items.GetCount());
    const UINT expected[] = {ID_TEST_OPEN, ID_TEST_SAVE, 0, ID_TEST_PRINT, ID_TEST_CUT};
    const wchar_t* texts[] = {L"Open", L"Save", L"", L"Print", L"Cut"};
    int i = 0;
    for (POSITION pos = items.GetHeadPosition(); pos != nullptr; i++)
    {
        const auto* pItem = static_cast<const CKTToolbarButton*>(items.GetNext(pos));
        EXPECT_EQ(expected[i], pItem->m_nID) << i;
        EXPECT_EQ(CString(texts[i]), pItem->m_strText) << i;
    }
    CKTDropDownToolbarButton lone;
    lone.m_nID = ID_TEST_OPEN;
    EXPECT_FALSE(lone.ExportToMenuButton(menuButton)) << "no group, no menu";
}

TEST_F(DropDownButtonWindowTest, AGroupThatWouldLeaveTheScreenOpensLeftOrAbove)
{
    const int cxScreen = ::GetSystemMetrics(SM_CXFULLSCREEN);
    const int cyScreen = ::GetSystemMetrics(SM_CYFULLSCREEN);
    const struct
    {
        const char* name;
        DWORD dwAlign;
        CRect rectFrame;
    } cases[] = {
        {"bottom bar at the screen's foot", CBRS_ALIGN_BOTTOM, CRect(40, cyScreen - 150, 560, cyScreen + 10)},
        {"right bar at the screen's edge", CBRS_ALIGN_RIGHT, CRect(cxScreen - 300, 40, cxScreen + 10, 340)},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        m_pFrame->MoveWindow(c.rectFrame);
        m_pBar->SetBarStyle((m_pBar->GetBarStyle() & ~CBRS_ALIGN_ANY) | c.dwAlign);
        Relayout();
        ASSERT_TRUE(Button()->DropDown());
        CKTDropDownFrame* pFrame = Button()->GetFrame();
        ASSERT_TRUE(pFrame != nullptr);
        CRect rectGroup, rectButton = Button()->m_rect, rectBar;
        pFrame->GetWindowRect(&rectGroup);
        m_pBar->ClientToScreen(&rectButton);
        m_pBar->GetWindowRect(&rectBar);
        if (c.dwAlign == CBRS_ALIGN_BOTTOM)
        {
            EXPECT_LE(rectGroup.bottom, rectButton.top) << "above the button";
            EXPECT_LE(rectGroup.bottom, cyScreen);
        }
        else
        {
            EXPECT_EQ(rectBar.left, rectGroup.right) << "left of the vertical bar";
        }
        Button()->CloseFrame();
        PumpAndIdle();
    }
}

TEST_F(DropDownButtonWindowTest, MouseLeaveIsTrackedOnlyForAWholeRequestAndPostedOutsideTheClientArea)
{
    const HWND hBar = m_pBar->GetSafeHwnd();
    const struct
    {
        const char* name;
        DWORD cbSize;
        DWORD dwFlags;
        HWND hwnd;
        BOOL bTaken;
    } cases[] = {
        {"short record", 12, TME_LEAVE, hBar, FALSE},
        {"no leave flag", sizeof(TRACKMOUSEEVENT), TME_HOVER, hBar, FALSE},
        {"no window", sizeof(TRACKMOUSEEVENT), TME_LEAVE, nullptr, FALSE},
        {"a whole request", sizeof(TRACKMOUSEEVENT), TME_LEAVE, hBar, TRUE},
    };
    for (const auto& c : cases)
    {
        TRACKMOUSEEVENT tme = {c.cbSize, c.dwFlags, c.hwnd, 0};
        EXPECT_EQ(c.bTaken, TrackMouseLeave(&tme)) << c.name;
    }
    // The cursor on the bar's border, outside its client area: the leave comes.
    CRect rectWindow;
    m_pBar->GetWindowRect(&rectWindow);
    CRect rectClient;
    m_pBar->GetClientRect(&rectClient);
    m_pBar->ClientToScreen(&rectClient);
    CPoint ptBorder(rectWindow.left, rectWindow.CenterPoint().y);
    if (rectClient.left == rectWindow.left)
        ptBorder = CPoint(rectWindow.CenterPoint().x, rectClient.top > rectWindow.top ? rectWindow.top : rectWindow.bottom - 1);
    ASSERT_FALSE(rectClient.PtInRect(ptBorder)) << "the bar has a border around its client area";
    UserInput input;
    input.MoveTo(CPoint(rectClient.CenterPoint())).Pause(150).MoveTo(ptBorder).Pause(400);
    Play(input);
    EXPECT_FALSE(KTIsTrackingMouseLeave(hBar)) << "left once the cursor is off the client area";
}

TEST_F(DropDownButtonWindowTest, HelpModeOnTheButtonDropsTheGroupForAPick)
{
    // The help-mode click holds the mouse on the bar, as any press does.
    m_pBar->SetCapture();
    EXPECT_FALSE(Button()->OnContextHelp(m_pBar)) << "the bar still asks help for the current command";
    EXPECT_TRUE(Button()->IsTimerRunning());
    PumpUntil([&] { return Button()->GetFrame() != nullptr; }, 3000);
    ::ReleaseCapture();
    ASSERT_NE(nullptr, Button()->GetFrame()) << "the group drops down when the hold ends";
    const HWND hFrame = Button()->GetFrame()->GetSafeHwnd();
    ::SendMessageW(hFrame, WM_CLOSE, 0, 0);
    PumpUntil([&] { return !::IsWindow(hFrame); }, 2000);
    EXPECT_FALSE(::IsWindow(hFrame));
}

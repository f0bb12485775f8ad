// Toolbars in a toolkit frame on the test display, used as a user uses them: dragged and
// double-clicked by their grippers to float and to dock on another side, read through their
// tooltips (the frame's own text, the shortcut key, the toolkit's font), running a user tool put
// on a bar, and an Exit button whose command destroys the frame and its bars.
#include "tests/framework/input/UserInput.h"
#include "tests/framework/windows/WindowsTestSupport.h"
#include "tests/uitoolkit/bars/ToolbarTestIds.h"
#include "uitoolkit/bars/KTFrameWnd.h"
#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTPopupMenuBar.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/customize/KTCommandManager.h"
#include "uitoolkit/customize/KTKeyHelper.h"
#include "uitoolkit/customize/KTKeyboardManager.h"
#include "uitoolkit/customize/KTUserTool.h"
#include "uitoolkit/customize/KTUserToolsManager.h"
#include "uitoolkit/looks/KTUIGlobals.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
const UINT kFirstTool = 33100;
const UINT kLastTool = 33109;
const UINT kToolsEntry = 33099;

// A toolkit frame that keeps its bar, records the commands that reach it, answers the tooltip
// hooks for some buttons and closes itself on Cut, as Exit does.
class CInFrameTestFrame : public CKTFrameWnd
{
public:
    CKTToolBar m_wndBar;
    std::vector<UINT> m_commands;
    int m_nMenuButtonHitTests = 0;
    // The pressed button's style as the closing command arrived (the frame is gone after it).
    static inline long long s_nStyleAtClose = -1;

    BOOL GetToolbarButtonToolTipText(CKTToolbarButton* pButton, CString& strText) override
    {
        if (pButton->m_nID != ID_TEST_SAVE)
            return FALSE;
        strText = L"Save from the frame";
        return TRUE;
    }
    BOOL OnMenuButtonToolHitTest(CKTToolbarButton*, TOOLINFO*) override
    {
        m_nMenuButtonHitTests++;
        return FALSE;
    }

protected:
    void OnCommandRange(UINT nID)
    {
        m_commands.push_back(nID);
        if (nID == ID_TEST_CUT)
        {
            const int iCut = m_wndBar.CommandToIndex(ID_TEST_CUT);
            s_nStyleAtClose = iCut >= 0 ? static_cast<long long>(m_wndBar.GetButtonStyle(iCut)) : -2;
            DestroyWindow();
        }
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CInFrameTestFrame, CKTFrameWnd)
ON_COMMAND_RANGE(ID_TEST_OPEN, ID_TEST_AMP, &CInFrameTestFrame::OnCommandRange)
END_MESSAGE_MAP()

// Ctrl+O for Open.
ACCEL s_accelOpen = {FVIRTKEY | FCONTROL, 'O', ID_TEST_OPEN};

// Runs the tool instead of the shell: records the program and answers success.
std::vector<std::wstring> s_executed;
HINSTANCE WINAPI RecordExecute(HWND, LPCWSTR, LPCWSTR lpszFile, LPCWSTR, LPCWSTR, INT)
{
    s_executed.push_back(lpszFile != nullptr ? lpszFile : L"");
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
}

class ToolbarInFrameTest : public ::testing::Test
{
protected:
    // Buttons are dragged between bars through OLE.
    static void SetUpTestSuite() { ASSERT_TRUE(AfxOleInit()); }

    void SetUp() override
    {
        CKTToolBar::SetSizes(CSize(23, 22), CSize(16, 15));
        m_pFrame = new CInFrameTestFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, L"Bars", WS_OVERLAPPEDWINDOW, CRect(60, 60, 620, 420)));
        m_hFrame = m_pFrame->GetSafeHwnd();
        // The keyboard manager keeps a copy by the table's handle, which a table of another
        // test may have had.
        CKTKeyboardManager::CleanUp();
        m_hAccel = ::CreateAcceleratorTableW(&s_accelOpen, 1);
        m_pFrame->m_hAccelTable = m_hAccel;
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        CKTToolBar& bar = m_pFrame->m_wndBar;
        ASSERT_TRUE(bar.Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY, AFX_IDW_TOOLBAR));
        ASSERT_TRUE(bar.LoadToolBar(IDR_TEST_TOOLBAR));
        bar.SetBarStyle(bar.GetBarStyle() | CBRS_SIZE_DYNAMIC);
        bar.EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(&bar);
        m_pFrame->ShowWindow(SW_SHOWNORMAL);
        ::SetForegroundWindow(m_hFrame);
        m_pFrame->RecalcLayout();
        PumpAndIdle();
        RunMessageLoopFor(100);
    }
    void TearDown() override
    {
        CKTToolBar::SetCustomizeMode(FALSE);
        delete m_pManager;
        m_pManager = nullptr;
        if (::IsWindow(m_hFrame))
        {
            m_pFrame->m_hAccelTable = nullptr;
            m_pFrame->DestroyWindow();
        }
        PumpAndIdle();
        CKTKeyboardManager::CleanUp();
        ::DestroyAcceleratorTable(m_hAccel);
        CKTCommandManager::GetInstance()->ClearAllCmdImages();
    }

    CKTToolBar& Bar() { return m_pFrame->m_wndBar; }

    // The dotted handle left of a horizontal bar's buttons, above a vertical bar's.
    CPoint Gripper()
    {
        CRect rectWindow, rectClient;
        Bar().GetWindowRect(&rectWindow);
        Bar().GetClientRect(&rectClient);
        Bar().ClientToScreen(&rectClient);
        if (Bar().IsHorizontal())
            return CPoint((rectWindow.left + rectClient.left) / 2, rectWindow.CenterPoint().y);
        return CPoint(rectWindow.CenterPoint().x, (rectWindow.top + rectClient.top) / 2);
    }
    CPoint Centre(int iIndex)
    {
        CRect rect;
        Bar().GetItemRect(iIndex, &rect);
        Bar().ClientToScreen(&rect);
        return rect.CenterPoint();
    }
    CRect FrameClient()
    {
        CRect rect;
        m_pFrame->GetClientRect(&rect);
        m_pFrame->ClientToScreen(&rect);
        return rect;
    }
    UINT DockSide()
    {
        CWnd* pDock = Bar().GetParent();
        return pDock != nullptr ? pDock->GetDlgCtrlID() : 0;
    }

    void Play(UserInput& input)
    {
        input.Start();
        EXPECT_TRUE(PumpUntil([&] { return input.Done(); }, 15000));
        input.Wait();
        PumpAndIdle();
        RunMessageLoopFor(100);
    }
    void Drag(CPoint ptFrom, CPoint ptTo)
    {
        UserInput input;
        input.MoveTo(ptFrom).Pause(100).LeftDown().Glide(ptFrom, ptTo, 16).Pause(200).LeftUp().Pause(100);
        Play(input);
    }
    void DoubleClick(CPoint pt)
    {
        UserInput input;
        input.MoveTo(pt).Pause(100).LeftDown().LeftUp().LeftDown().LeftUp().Pause(200);
        Play(input);
    }
    void SaveScreenshot(const wchar_t* name)
    {
        ::CreateDirectoryW(L"screenshots", nullptr);
        ::RedrawWindow(nullptr, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        RunMessageLoopFor(200);
        CRect rect;
        m_pFrame->GetWindowRect(&rect);
        // Room for a floating bar beside the frame, all of it on the screen.
        rect.InflateRect(80, 80);
        rect.IntersectRect(rect, CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)));
        EXPECT_TRUE(SaveScreenArea((std::wstring(L"screenshots\\") + name).c_str(), rect));
    }

    // The text and font of the tooltip that shows after the pointer rests on the button.
    CString HoverTooltip(int iIndex, HFONT* phFont = nullptr)
    {
        UserInput input;
        const CPoint pt = Centre(iIndex);
        input.MoveTo(CPoint(pt.x, pt.y - 40)).Pause(100).Glide(CPoint(pt.x, pt.y - 40), pt, 6);
        Play(input);
        HWND hwndTip = nullptr;
        PumpUntil(
            [&] {
                hwndTip = AfxGetThreadWndState()->m_hWndToolTip;
                return hwndTip != nullptr && ::IsWindowVisible(hwndTip);
            },
            4000);
        if (hwndTip == nullptr || !::IsWindowVisible(hwndTip))
            return L"(no tooltip)";
        wchar_t szText[256] = {};
        TOOLINFOW ti = {};
        ti.cbSize = sizeof(ti);
        if (!::SendMessageW(hwndTip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&ti)))
            return L"(no current tool)";
        ti.lpszText = szText;
        ::SendMessageW(hwndTip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&ti));
        if (phFont != nullptr)
            *phFont = reinterpret_cast<HFONT>(::SendMessageW(hwndTip, WM_GETFONT, 0, 0));
        return szText;
    }

    CInFrameTestFrame* m_pFrame = nullptr;
    HWND m_hFrame = nullptr;
    CKTUserToolsManager* m_pManager = nullptr;
    HACCEL m_hAccel = nullptr;
};
} // namespace

TEST_F(ToolbarInFrameTest, GripperDragDocksOnAnotherSideAndFloats)
{
    ASSERT_EQ(static_cast<UINT>(AFX_IDW_DOCKBAR_TOP), DockSide());
    // Pressing the gripper answers as the bar's handle, not as a place of nothing.
    const CPoint ptGripper = Gripper();
    EXPECT_EQ(HTCAPTION, Bar().SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptGripper.x, ptGripper.y)));

    // To the left edge of the frame: docked there, upright.
    const CRect rectClient = FrameClient();
    Drag(ptGripper, CPoint(rectClient.left + 4, rectClient.CenterPoint().y));
    EXPECT_FALSE(Bar().IsFloating());
    EXPECT_EQ(static_cast<UINT>(AFX_IDW_DOCKBAR_LEFT), DockSide());
    EXPECT_FALSE(Bar().IsHorizontal());
    SaveScreenshot(L"toolbar_gripper_docked_left.bmp");

    // From there into the middle of the frame: floating.
    Drag(Gripper(), rectClient.CenterPoint());
    EXPECT_TRUE(Bar().IsFloating());
    SaveScreenshot(L"toolbar_gripper_floating.bmp");
    // Its buttons still work where it floats.
    UserInput click;
    click.MoveTo(Centre(0)).Pause(100).LeftDown().LeftUp().Pause(100);
    Play(click);
    ASSERT_EQ(1u, m_pFrame->m_commands.size());
    EXPECT_EQ(static_cast<UINT>(ID_TEST_OPEN), m_pFrame->m_commands[0]);
}

TEST_F(ToolbarInFrameTest, GripperDoubleClickFloatsTheBarAndItsCaptionDocksItBack)
{
    DoubleClick(Gripper());
    ASSERT_TRUE(Bar().IsFloating());
    SaveScreenshot(L"toolbar_gripper_double_click_floating.bmp");

    // The floating bar's caption: double-clicked, the bar goes back where it was docked.
    CWnd* pMiniFrame = Bar().GetParentFrame();
    ASSERT_NE(nullptr, pMiniFrame);
    CRect rectMini, rectBar;
    pMiniFrame->GetWindowRect(&rectMini);
    Bar().GetWindowRect(&rectBar);
    DoubleClick(CPoint(rectBar.CenterPoint().x, (rectMini.top + rectBar.top) / 2));
    EXPECT_FALSE(Bar().IsFloating());
    EXPECT_EQ(static_cast<UINT>(AFX_IDW_DOCKBAR_TOP), DockSide());
}

TEST_F(ToolbarInFrameTest, TooltipsShowTheFramesTextTheShortcutKeyAndTheToolkitFont)
{
    const BOOL bKeys = CKTToolBar::m_bShowShortcutKeys;
    CKTToolBar::m_bShowShortcutKeys = TRUE;
    // The key's name is the keyboard layout's.
    CString strKey;
    CKTKeyHelper(&s_accelOpen).Format(strKey);
    HFONT hFont = nullptr;
    EXPECT_EQ(L"Open (" + strKey + L")", HoverTooltip(0, &hFont));
    // The tooltip keeps a copy of the font it is given.
    LOGFONTW lfTip = {}, lfToolkit = {};
    ASSERT_NE(0, ::GetObjectW(hFont, sizeof(lfTip), &lfTip));
    ASSERT_NE(0, ::GetObjectW(ktGlobals.m_fontText.GetSafeHandle(), sizeof(lfToolkit), &lfToolkit));
    EXPECT_STREQ(lfToolkit.lfFaceName, lfTip.lfFaceName);
    EXPECT_EQ(lfToolkit.lfHeight, lfTip.lfHeight);
    EXPECT_EQ(lfToolkit.lfWeight, lfTip.lfWeight);
    SaveScreenshot(L"toolbar_tooltip_with_shortcut.bmp");
    EXPECT_EQ(CString(L"Save from the frame"), HoverTooltip(1)) << "the frame's own text";
    EXPECT_GT(m_pFrame->m_nMenuButtonHitTests, 0) << "the frame is asked first";

    CKTToolBar::m_bShowShortcutKeys = FALSE;
    EXPECT_EQ(CString(L"Open"), HoverTooltip(0));
    CKTToolBar::m_bShowShortcutKeys = bKeys;
}

TEST_F(ToolbarInFrameTest, UserToolOnABarShowsItsIconAndRunsWithoutAHandler)
{
    m_pManager = new CKTUserToolsManager(kToolsEntry, kFirstTool, kLastTool);
    CKTUserTool* pTool = m_pManager->CreateNewTool();
    ASSERT_NE(nullptr, pTool);
    pTool->m_strLabel = L"Notes";
    pTool->SetCommand(L"C:\\windows\\notepad.exe");
    const auto pfnExecute = CKTUserTool::m_pfnShellExecute;
    CKTUserTool::m_pfnShellExecute = &RecordExecute;
    s_executed.clear();

    CKTToolbarButton toolButton(pTool->m_uiCmdId, -1, L"Notes");
    toolButton.m_bImage = TRUE;
    toolButton.m_bText = FALSE;
    const int iTool = Bar().InsertButton(toolButton);
    ASSERT_GE(iTool, 0);
    CKTToolbarButton* pOnBar = Bar().GetButton(iTool);
    pOnBar->m_bImage = TRUE;
    pOnBar->m_bText = FALSE;
    // Its default image is the tool's icon: resetting keeps it.
    pOnBar->ResetImageToDefault();
    EXPECT_TRUE(pOnBar->m_bImage);
    EXPECT_FALSE(CKTToolbarButton::IsEditableCommand(kToolsEntry)) << "the tools' entry command";
    EXPECT_TRUE(CKTToolbarButton::IsEditableCommand(pTool->m_uiCmdId));
    Bar().AdjustLayout();
    m_pFrame->RecalcLayout();
    PumpAndIdle();
    SaveScreenshot(L"toolbar_user_tool_button.bmp");

    // The icon is drawn: the button's face is not plain.
    CRect rect;
    Bar().GetItemRect(iTool, &rect);
    Bar().ClientToScreen(&rect);
    int nOther = 0;
    const COLORREF clrFace = ScreenPixel(CPoint(rect.left + 2, rect.top + 2));
    for (int y = rect.top + 4; y < rect.bottom - 4; y++)
        for (int x = rect.left + 4; x < rect.right - 4; x++)
            if (ScreenPixel(CPoint(x, y)) != clrFace)
                nOther++;
    EXPECT_GT(nOther, 10) << "the tool's icon";

    UserInput click;
    click.MoveTo(Centre(iTool)).Pause(100).LeftDown().LeftUp().Pause(100);
    Play(click);
    ASSERT_EQ(1u, s_executed.size());
    EXPECT_EQ(std::wstring(L"C:\\windows\\notepad.exe"), s_executed[0]);
    EXPECT_TRUE(m_pFrame->m_commands.empty()) << "the tool ran instead of a command";
    CKTUserTool::m_pfnShellExecute = pfnExecute;
}

// Pixels of the screen rectangle that differ from its top-left pixel.
static int CountMarkedPixels(const CRect& rectScreen)
{
    const COLORREF clrPlain = ScreenPixel(rectScreen.TopLeft());
    int nMarked = 0;
    for (int y = rectScreen.top; y < rectScreen.bottom; y++)
        for (int x = rectScreen.left; x < rectScreen.right; x++)
            if (ScreenPixel(CPoint(x, y)) != clrPlain)
                nMarked++;
    return nMarked;
}

TEST_F(ToolbarInFrameTest, UserToolNamesItsShortcutInTheTooltipAndRunsFromAMenuThatShowsItsIcon)
{
    m_pManager = new CKTUserToolsManager(kToolsEntry, kFirstTool, kLastTool);
    CKTUserTool* pTool = m_pManager->CreateNewTool();
    ASSERT_NE(nullptr, pTool);
    pTool->m_strLabel = L"Notes";
    pTool->SetCommand(L"C:\\windows\\notepad.exe");
    // Ctrl+T runs the tool.
    ACCEL keys[2] = {s_accelOpen, {FVIRTKEY | FCONTROL, 'T', static_cast<WORD>(pTool->m_uiCmdId)}};
    const HACCEL hKeys = ::CreateAcceleratorTableW(keys, 2);
    CKTKeyboardManager::CleanUp();
    m_pFrame->m_hAccelTable = hKeys;
    const BOOL bKeys = CKTToolBar::m_bShowShortcutKeys;
    CKTToolBar::m_bShowShortcutKeys = TRUE;

    CKTToolbarButton toolButton(pTool->m_uiCmdId, -1, L"Notes");
    const int iTool = Bar().InsertButton(toolButton);
    ASSERT_GE(iTool, 0);
    Bar().GetButton(iTool)->m_bImage = TRUE;
    Bar().GetButton(iTool)->m_bText = FALSE;

    // A menu of the tool and of a command without an image.
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuW(hMenu, MF_STRING, pTool->m_uiCmdId, L"&Notes");
    ::AppendMenuW(hMenu, MF_STRING, ID_TEST_AMP, L"&Plain");
    auto* pMenuButton = new CKTToolbarMenuButton(static_cast<UINT>(-1), hMenu, -1, L"&Tools");
    ::DestroyMenu(hMenu);
    pMenuButton->m_bText = TRUE;
    pMenuButton->m_bImage = FALSE;
    const int iMenu = Bar().InsertButton(pMenuButton);
    ASSERT_GE(iMenu, 0);
    Bar().AdjustLayout();
    m_pFrame->RecalcLayout();
    PumpAndIdle();

    CString strKey;
    CKTKeyHelper(&keys[1]).Format(strKey);
    EXPECT_EQ(L"Notes (" + strKey + L")", HoverTooltip(iTool)) << "the tool's label and its key";

    // Opened, and the pointer moves on so that the title's tip goes.
    UserInput open;
    const CRect rectClient = FrameClient();
    open.MoveTo(Centre(iMenu)).Pause(100).LeftDown().LeftUp().Pause(300);
    open.MoveTo(CPoint(rectClient.right - 20, rectClient.bottom - 20)).Pause(300);
    Play(open);
    CKTPopupMenu* pPopup = CKTPopupMenu::GetActiveMenu();
    ASSERT_NE(nullptr, pPopup) << "the click opened the menu";
    CKTPopupMenuBar* pItems = pPopup->GetMenuBar();
    ASSERT_EQ(2, pItems->GetCount());
    EXPECT_EQ(0u, pItems->GetButton(0)->m_nStyle & TBBS_DISABLED) << "a tool needs no command handler";
    SaveScreenshot(L"toolbar_user_tool_menu_item.bmp");
    // The image column of each item: the tool's icon in the first, nothing in the second.
    auto imageColumn = [pItems](int iItem) {
        CRect rect = pItems->GetButton(iItem)->m_rect;
        rect.right = rect.left + CKTToolBar::GetMenuImageSize().cx + 2;
        rect.DeflateRect(1, 1);
        pItems->ClientToScreen(&rect);
        return rect;
    };
    // The look may shade the column; the icon stands out of what the plain item shows.
    EXPECT_GT(CountMarkedPixels(imageColumn(0)), CountMarkedPixels(imageColumn(1)) + 10) << "the tool's icon";

    // Chosen in the menu, the tool runs.
    const auto pfnExecute = CKTUserTool::m_pfnShellExecute;
    CKTUserTool::m_pfnShellExecute = &RecordExecute;
    s_executed.clear();
    CRect rectItem = pItems->GetButton(0)->m_rect;
    pItems->ClientToScreen(&rectItem);
    UserInput choose;
    choose.MoveTo(CPoint(rectItem.CenterPoint().x - 4, rectItem.CenterPoint().y)).Pause(50);
    choose.MoveTo(rectItem.CenterPoint()).Pause(100).LeftDown().Pause(50).LeftUp().Pause(200);
    Play(choose);
    CKTUserTool::m_pfnShellExecute = pfnExecute;
    EXPECT_EQ(nullptr, CKTPopupMenu::GetActiveMenu());
    ASSERT_EQ(1u, s_executed.size()) << "the tool ran from the menu";
    EXPECT_EQ(std::wstring(L"C:\\windows\\notepad.exe"), s_executed[0]);
    EXPECT_TRUE(m_pFrame->m_commands.empty());

    CKTToolBar::m_bShowShortcutKeys = bKeys;
    m_pFrame->m_hAccelTable = m_hAccel;
    CKTKeyboardManager::CleanUp();
    ::DestroyAcceleratorTable(hKeys);
}

TEST_F(ToolbarInFrameTest, ExitOnABarClosesTheFrameWithNothingOfTheBarTouchedAfterwards)
{
    const int iCut = Bar().CommandToIndex(ID_TEST_CUT);
    ASSERT_GE(iCut, 0);
    CInFrameTestFrame::s_nStyleAtClose = -1;
    UserInput click;
    click.MoveTo(Centre(iCut)).Pause(100).LeftDown().LeftUp().Pause(100);
    click.Start();
    EXPECT_TRUE(PumpUntil([&] { return click.Done(); }, 15000));
    click.Wait();
    // The frame and its bar are gone; the bar had shown the button released before.
    EXPECT_FALSE(::IsWindow(m_hFrame));
    ASSERT_GE(CInFrameTestFrame::s_nStyleAtClose, 0);
    EXPECT_EQ(0, CInFrameTestFrame::s_nStyleAtClose & TBBS_PRESSED);
    m_hFrame = nullptr;
    m_pFrame = nullptr;
    PumpAndIdle();
}

TEST_F(ToolbarInFrameTest, OnlyABarTheUserMadeIsUserDefined)
{
    EXPECT_NE(nullptr, CKTToolBar::GetSplitCursor()) << "loaded with the first bar";
    EXPECT_FALSE(Bar().IsUserDefined());
    m_pFrame->GetFrameSupport().EnableUserToolbars(nullptr, kFirstTool, kLastTool);
    CKTToolBar* pMine = m_pFrame->GetFrameSupport().CreateUserToolbar(L"My Tools");
    ASSERT_NE(nullptr, pMine);
    EXPECT_TRUE(pMine->IsUserDefined());
    EXPECT_FALSE(Bar().IsUserDefined());
    EXPECT_TRUE(m_pFrame->GetFrameSupport().DeleteUserToolbar(pMine));
}

TEST_F(ToolbarInFrameTest, AUserToolbarTakesThreeCommandsDroppedOnIt)
{
    m_pFrame->GetFrameSupport().EnableUserToolbars(nullptr, kFirstTool, kLastTool);
    CKTToolBar* pMine = m_pFrame->GetFrameSupport().CreateUserToolbar(L"My Tools");
    ASSERT_NE(nullptr, pMine);
    m_pFrame->RecalcLayout();
    PumpAndIdle();
    ASSERT_EQ(0, pMine->GetCount());
    ASSERT_TRUE(CKTToolBar::SetCustomizeMode(TRUE));
    for (UINT uiCmd : {UINT(ID_TEST_OPEN), UINT(ID_TEST_SAVE), UINT(ID_TEST_PRINT)})
    {
        // Copied with Ctrl onto the far end of what the user's bar holds.
        CRect rect;
        pMine->GetClientRect(&rect);
        CPoint ptTo(rect.right - 4, rect.CenterPoint().y);
        pMine->ClientToScreen(&ptTo);
        const CPoint ptFrom = Centre(Bar().CommandToIndex(uiCmd));
        UserInput input;
        input.MoveTo(ptFrom).Pause(100).DisplayKey("ctrl", true).LeftDown().Glide(ptFrom, ptTo, 16).Pause(300);
        input.MoveTo(CPoint(ptTo.x + 1, ptTo.y)).MoveTo(ptTo).Pause(200).LeftUp().DisplayKey("ctrl", false).Pause(100);
        Play(input);
    }
    ASSERT_EQ(3, pMine->GetCount());
    EXPECT_EQ(static_cast<UINT>(ID_TEST_OPEN), pMine->GetItemID(0));
    EXPECT_EQ(static_cast<UINT>(ID_TEST_SAVE), pMine->GetItemID(1));
    EXPECT_EQ(static_cast<UINT>(ID_TEST_PRINT), pMine->GetItemID(2));
    EXPECT_EQ(5, Bar().GetCount()) << "copies leave the source bar whole";
    SaveScreenshot(L"toolbar_user_toolbar_three_drops.bmp");
    ASSERT_TRUE(CKTToolBar::SetCustomizeMode(FALSE));
}

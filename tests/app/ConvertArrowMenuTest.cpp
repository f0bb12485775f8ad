// The Convert button's arrow as a user meets it in the program's main window: its menu stays open
// after the click that opened it, a click on a target chooses it, and a click outside closes it;
// floating bars and the customize sheet stay above the main window.
#include "tests/app/MainFrameFixture.h"

#include "app/AppRes.h"
#include "app/ConvertingMainFrame.h"

namespace
{
POINT ItemCentre(CKTPopupMenuBar& bar, UINT command)
{
    const int index = bar.CommandToIndex(command);
    if (index < 0)
        return {0, 0};
    CRect rect = bar.GetButton(index)->m_rect;
    bar.ClientToScreen(&rect);
    return rect.CenterPoint();
}

// The program's loop hands every message to the frames' filter before it is dispatched: that is
// where a click outside an open menu closes it.
void PumpAsTheProgram(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    do
    {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            if (AfxPreTranslateMessage(&msg))
                continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

// Pumps as the program does until the condition holds or three seconds passed: the 32-bit
// program under emulation answers the user's input late.
template <typename Condition>
bool PumpAsTheProgramUntil(Condition condition)
{
    for (int n = 0; n < 300 && !condition(); n++)
        PumpAsTheProgram(10);
    return condition();
}

void PlayAsTheProgram(UserInput& input)
{
    input.Start();
    const DWORD start = GetTickCount();
    while (!input.Done() && GetTickCount() - start < 15000)
        PumpAsTheProgram(10);
    PumpAsTheProgram(200);
}
} // namespace

TEST_F(MainFrameTest, TheConvertArrowMenuStaysOpenAndAClickChoosesATarget)
{
    ASSERT_NE(OpenCopy(L"kest-convert-arrow.kest"), nullptr);
    theApp.Options().m_askConvertPages = false;
    theApp.Options().m_target = TargetExcelSheet;
    CKTToolBar& bar = m_main->GetStandardBar();
    const int index = bar.CommandToIndex(CConvertingMainFrame::ConvertCommand);
    ASSERT_GE(index, 0);
    CRect rect;
    bar.GetItemRect(index, &rect);
    bar.ClientToScreen(&rect);
    const POINT arrow = {rect.right - 4, rect.CenterPoint().y};

    UserInput click;
    click.MoveTo(arrow).Pause(100).LeftDown().Pause(80).LeftUp().Pause(400);
    PlayAsTheProgram(click);
    PumpAsTheProgramUntil([] { return CKTPopupMenu::GetActiveMenu() != nullptr; });
    CKTPopupMenu* menu = CKTPopupMenu::GetActiveMenu();
    ASSERT_NE(menu, nullptr) << "the menu stays open after the click that opened it";
    EXPECT_EQ((std::vector<std::wstring>{L"&Excel", L"Excel &File...", L"|", L"&Clipboard",
                                         L"Clipboard as Excel &Sheet", L"Clipboard as Word &Table"}),
              OpenMenuItems());
    {
        CRect window;
        m_main->GetWindowRect(&window);
        CreateDirectoryW(L"screenshots", nullptr);
        EXPECT_TRUE(SaveScreenArea(L"screenshots/convert-arrow-menu.bmp", window));
    }

    // A click on a target chooses it and closes the menu.
    const POINT clipboard = ItemCentre(*menu->GetMenuBar(), 34103);
    UserInput choose;
    choose.MoveTo(clipboard).Pause(150).LeftDown().Pause(50).LeftUp().Pause(300);
    PlayAsTheProgram(choose);
    PumpAsTheProgramUntil([] { return CKTPopupMenu::GetActiveMenu() == nullptr; });
    EXPECT_EQ(CKTPopupMenu::GetActiveMenu(), nullptr);
    EXPECT_EQ(static_cast<ConversionTarget>(2), theApp.Options().m_target) << "Clipboard is the target now";

    // Opened again, a click outside closes it and goes on.
    UserInput again;
    again.MoveTo(arrow).Pause(100).LeftDown().Pause(80).LeftUp().Pause(400);
    PlayAsTheProgram(again);
    PumpAsTheProgramUntil([] { return CKTPopupMenu::GetActiveMenu() != nullptr; });
    ASSERT_NE(CKTPopupMenu::GetActiveMenu(), nullptr);
    CRect client;
    m_main->GetClientRect(&client);
    m_main->ClientToScreen(&client);
    UserInput outside;
    outside.MoveTo(CPoint(client.right - 30, client.bottom - 40)).Pause(100).LeftDown().Pause(50).LeftUp().Pause(300);
    PlayAsTheProgram(outside);
    PumpAsTheProgramUntil([] { return CKTPopupMenu::GetActiveMenu() == nullptr; });
    EXPECT_EQ(CKTPopupMenu::GetActiveMenu(), nullptr);
}

// On a display without a window manager a click raises the main window over the windows it owns;
// the frame puts them back above it.
TEST_F(MainFrameTest, FloatingToolbarsAndTheCustomizeSheetStayAboveTheMainWindowWhenItIsClicked)
{
    CKTToolBar& convert = m_main->GetConvertBar();
    m_main->ShowControlBar(&convert, TRUE, FALSE);
    m_main->FloatControlBar(&convert, CPoint(600, 420));
    m_main->SendMessage(WM_COMMAND, ID_VIEW_CUSTOMIZE);
    PumpFor(200);
    CKTToolbarCustomize* sheet = CKTToolbarCustomize::GetOpenSheet();
    ASSERT_NE(sheet, nullptr);
    CFrameWnd* floating = convert.GetParentFrame();
    ASSERT_TRUE(floating != nullptr && floating != m_main);
    EXPECT_EQ(::GetWindow(floating->m_hWnd, GW_OWNER), m_main->m_hWnd);
    EXPECT_EQ(::GetWindow(sheet->m_hWnd, GW_OWNER), m_main->m_hWnd);

    auto isAboveMain = [this](HWND hwnd) {
        for (HWND h = ::GetWindow(m_main->m_hWnd, GW_HWNDPREV); h != nullptr; h = ::GetWindow(h, GW_HWNDPREV))
            if (h == hwnd)
                return true;
        return false;
    };
    EXPECT_TRUE(isAboveMain(floating->m_hWnd)) << "the floating toolbar, before the click";
    EXPECT_TRUE(isAboveMain(sheet->m_hWnd)) << "the customize sheet, before the click";

    // A click on the main window's empty client area brings it forward, not over its own windows.
    CRect client;
    m_main->GetClientRect(&client);
    m_main->ClientToScreen(&client);
    UserInput click;
    click.MoveTo(CPoint(client.left + 20, client.bottom - 60)).Pause(100).LeftDown().Pause(50).LeftUp().Pause(300);
    Play(click);
    EXPECT_TRUE(isAboveMain(floating->m_hWnd)) << "the floating toolbar";
    EXPECT_TRUE(isAboveMain(sheet->m_hWnd)) << "the customize sheet";
    CRect window;
    m_main->GetWindowRect(&window);
    window.UnionRect(&window, CRect(CPoint(600, 420), CSize(300, 200)));
    CreateDirectoryW(L"screenshots", nullptr);
    EXPECT_TRUE(SaveScreenArea(L"screenshots/floating-bar-and-customize-above-main.bmp", window));
}

// The Standard bar floated and dragged by its caption back over the tutorial pane (its caption,
// its middle, its foot) docks there or floats, but stays on the screen with all its buttons.
TEST_F(MainFrameTest, AFloatingStandardBarDraggedOverTheTutorialPaneStaysOnTheScreen)
{
    CKTToolBar& standard = m_main->GetStandardBar();
    CTutorialPane& tutorial = m_main->GetTutorialPane();
    if (!tutorial.IsVisible())
        m_main->ShowControlBar(&tutorial, TRUE, FALSE);
    m_main->SetWindowPos(nullptr, 10, 10, 900, 440, SWP_NOZORDER);
    m_main->RecalcLayout();
    PumpFor(100);
    CRect rectPane;
    tutorial.GetWindowRect(&rectPane);
    const struct
    {
        const char* where;
        CPoint pt;
    } drops[] = {{"caption", CPoint(rectPane.CenterPoint().x, rectPane.top + 8)},
                 {"middle", rectPane.CenterPoint()},
                 {"foot", CPoint(rectPane.CenterPoint().x, rectPane.bottom - 10)}};
    const CRect rectScreen(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    for (const auto& drop : drops)
    {
        m_main->FloatControlBar(&standard, CPoint(500, 360));
        m_main->RecalcLayout();
        PumpAsTheProgram(200);
        CFrameWnd* floating = standard.GetParentFrame();
        ASSERT_TRUE(floating != nullptr && floating != m_main) << drop.where;
        CRect rectMini, rectBar;
        floating->GetWindowRect(&rectMini);
        standard.GetWindowRect(&rectBar);
        const CPoint caption(rectBar.left + 20, (rectMini.top + rectBar.top) / 2);
        UserInput drag;
        drag.MoveTo(caption).Pause(100).LeftDown().Glide(caption, drop.pt, 16).Pause(200).LeftUp().Pause(200);
        PlayAsTheProgram(drag);
        m_main->RecalcLayout();
        PumpAsTheProgram(200);

        ASSERT_TRUE(standard.IsWindowVisible()) << drop.where << ": the bar is still shown";
        CRect rectAfter, rectSeen;
        standard.GetWindowRect(&rectAfter);
        EXPECT_GT(rectAfter.Width(), 20) << drop.where;
        EXPECT_GT(rectAfter.Height(), 20) << drop.where;
        EXPECT_TRUE(rectSeen.IntersectRect(&rectAfter, &rectScreen) && rectSeen == rectAfter)
            << drop.where << ": all of it on the screen";
        // Docked, the bar lies whole inside its dock bar: nothing of it is cut off.
        CWnd* parent = standard.GetParent();
        CRect rectRoom;
        parent->GetClientRect(&rectRoom);
        parent->ClientToScreen(&rectRoom);
        EXPECT_TRUE(rectSeen.IntersectRect(&rectAfter, &rectRoom) && rectSeen == rectAfter)
            << drop.where << ": all its buttons can be seen";
        EXPECT_TRUE(tutorial.IsVisible()) << drop.where << ": the tutorial pane stays";
        CRect window;
        m_main->GetWindowRect(&window);
        window.UnionRect(&window, &rectAfter);
        window.IntersectRect(&window, &rectScreen);
        CreateDirectoryW(L"screenshots", nullptr);
        const std::wstring name = L"screenshots/standard-bar-over-tutorial-pane-" +
                                  std::wstring(drop.where, drop.where + strlen(drop.where)) + L".bmp";
        EXPECT_TRUE(SaveScreenArea(name.c_str(), window));
    }
}

// The Convert button's arrow as a user meets it in the program's main window: its menu stays open
// after the click that opened it, a click on a target chooses it, and a click outside closes it.
#include "tests/app/MainFrameFixture.h"

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
    Play(click);
    CKTPopupMenu* menu = CKTPopupMenu::GetActiveMenu();
    ASSERT_NE(menu, nullptr) << "the menu stays open after the click that opened it";
    EXPECT_EQ((std::vector<std::wstring>{L"&Excel", L"Excel &File...", L"|", L"&Clipboard", L"Clipboard as Excel &Sheet",
                                         L"Clipboard as Word &Table"}),
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
    Play(choose);
    PumpUntil([] { return CKTPopupMenu::GetActiveMenu() == nullptr; }, 3000);
    EXPECT_EQ(CKTPopupMenu::GetActiveMenu(), nullptr);
    EXPECT_EQ(static_cast<ConversionTarget>(2), theApp.Options().m_target) << "Clipboard is the target now";

    // Opened again, a click outside closes it and goes on.
    UserInput again;
    again.MoveTo(arrow).Pause(100).LeftDown().Pause(80).LeftUp().Pause(400);
    Play(again);
    ASSERT_NE(CKTPopupMenu::GetActiveMenu(), nullptr);
    CRect client;
    m_main->GetClientRect(&client);
    m_main->ClientToScreen(&client);
    UserInput outside;
    outside.MoveTo(CPoint(client.right - 30, client.bottom - 40)).Pause(100).LeftDown().Pause(50).LeftUp().Pause(300);
    Play(outside);
    EXPECT_EQ(CKTPopupMenu::GetActiveMenu(), nullptr);
}

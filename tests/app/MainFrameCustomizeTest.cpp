// The customize sheet over the main window as the user opens it: from the toolbar menu and from
// View > Toolbars with the mouse, the frame in customize mode while it is open and back when it is
// closed, the catalogue with the document menu's commands and the zoom box, the Toolbars page
// listing only the bars the user may show and hide, and user toolbars made and deleted by the frame.
// Beside it, the other bar and window commands of the menus: Status Bar, Standard Toolbar and the
// Window menu's windows dialog.
#include "app/AppRes.h"
#include "app/HtmlHelpSeam.h"
#include "tests/app/DialogUser.h"
#include "tests/app/MainFrameFixture.h"
#include "uitoolkit/bars/KTToolbarComboBoxButton.h"
#include "uitoolkit/customize/KTCustomizePage.h"
#include "uitoolkit/customize/KTKeyboardPage.h"
#include "uitoolkit/customize/KTMenuPage.h"
#include "uitoolkit/customize/KTOptionsPage.h"
#include "uitoolkit/customize/KTToolbarCustomize.h"
#include "uitoolkit/customize/KTToolbarsPage.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{

constexpr UINT NewToolbarButton = 16615;
constexpr UINT DeleteToolbarButton = 16617;

// A menu window on the screen now (hidden ones of earlier menus may stay behind).
HWND VisibleMenuWindow()
{
    for (HWND menu = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); menu;
         menu = FindWindowExW(nullptr, menu, L"#32768", nullptr))
        if (IsWindowVisible(menu))
            return menu;
    return nullptr;
}

// The pop-ups asked of the help viewer: the file and the pairs of control and help id.
std::vector<std::pair<std::wstring, std::vector<DWORD>>> g_popups;
HWND RecordPopup(HWND, const std::wstring& file, UINT command, DWORD_PTR data)
{
    std::vector<DWORD> pairs;
    for (const DWORD* pair = reinterpret_cast<const DWORD*>(data); command == HelpContextPopup; pair += 2)
    {
        pairs.insert(pairs.end(), {pair[0], pair[1]});
        if (pair[0] == 0)
            break;
    }
    g_popups.emplace_back(file, pairs);
    return nullptr;
}

class MainFrameCustomizeTest : public MainFrameTest
{
protected:
    CKTToolbarCustomize* OpenSheetByCommand()
    {
        m_main->SendMessage(WM_COMMAND, ID_VIEW_CUSTOMIZE);
        PumpFor(200);
        return CKTToolbarCustomize::GetOpenSheet();
    }
    // A right click on a toolbar.
    void OpenToolbarMenu()
    {
        UserInput right;
        right.MoveTo(ButtonCentre(m_main->GetTableBar(), 34146)).RightDown().RightUp();
        Play(right);
    }
    // The View menu of the menu bar; with toolbars, its Toolbars submenu too.
    void OpenViewMenu(bool toolbars = false) { OpenMenu(L"&View", toolbars); }
    void OpenMenu(const std::wstring& title, bool firstSubmenu = false)
    {
        CKTMenuBar* menuBar = m_main->GetMenuBar();
        int index = 0;
        while (index < menuBar->GetCount() && std::wstring(menuBar->GetButton(index)->m_strText) != title)
            ++index;
        ASSERT_LT(index, menuBar->GetCount());
        CRect view;
        menuBar->GetItemRect(index, &view);
        menuBar->ClientToScreen(&view);
        UserInput open;
        open.MoveTo(view.CenterPoint()).LeftDown().LeftUp().Pause(300);
        Play(open);
        CKTPopupMenu* viewMenu = CKTPopupMenu::GetActiveMenu();
        ASSERT_NE(viewMenu, nullptr);
        if (!firstSubmenu)
            return;
        CRect item;
        viewMenu->GetMenuBar()->GetItemRect(0, &item);
        viewMenu->GetMenuBar()->ClientToScreen(&item);
        UserInput hover;
        hover.Glide(view.CenterPoint(), item.CenterPoint()).Pause(700);
        Play(hover);
    }
    void OpenViewToolbarsMenu() { OpenViewMenu(true); }
    // Clicks the item of the popup menu open now.
    void ClickMenuItem(const std::wstring& text)
    {
        CKTPopupMenu* menu = CKTPopupMenu::GetActiveMenu();
        ASSERT_NE(menu, nullptr);
        CKTPopupMenuBar* items = menu->GetMenuBar();
        for (int i = 0; i < items->GetCount(); ++i)
            if (std::wstring(items->GetButton(i)->m_strText) == text)
            {
                CRect rect;
                items->GetItemRect(i, &rect);
                items->ClientToScreen(&rect);
                UserInput click;
                click.Glide({rect.left + 4, rect.CenterPoint().y}, rect.CenterPoint(), 4).LeftDown().LeftUp();
                Play(click);
                return;
            }
        ADD_FAILURE() << "no menu item";
    }
    void ClickControl(CWnd* control)
    {
        ASSERT_NE(control, nullptr);
        CRect rect;
        control->GetWindowRect(&rect);
        UserInput click;
        click.MoveTo(rect.CenterPoint()).LeftDown().LeftUp();
        Play(click);
    }
    std::vector<std::wstring> ListedToolbars(CKTToolbarsPage& page)
    {
        std::vector<std::wstring> texts;
        CKTToolbarsCheckList& list = page.GetToolbarList();
        for (int i = 0; i < list.GetCount(); ++i)
        {
            CString text;
            list.GetText(i, text);
            texts.push_back(std::wstring(text));
        }
        return texts;
    }
};

TEST_F(MainFrameCustomizeTest, TheSheetOpensFromTheToolbarMenuAndTheViewMenuAndCloseEndsCustomizeMode)
{
    const struct
    {
        const char* route;
        std::function<void()> openMenu;
        const wchar_t* screenshot;
    } routes[] = {
        {"toolbar menu", [&] { OpenToolbarMenu(); }, L"screenshots/main-window-customize.bmp"},
        {"View > Toolbars", [&] { OpenViewToolbarsMenu(); }, nullptr},
    };
    CWnd* client = CWnd::FromHandle(m_main->m_hWndMDIClient);
    for (const auto& r : routes)
    {
        SCOPED_TRACE(r.route);
        r.openMenu();
        ASSERT_EQ(OpenMenuItems().back(), L"&Customize...");
        ClickMenuItem(L"&Customize...");
        ASSERT_TRUE(PumpUntil([] { return CKTToolbarCustomize::GetOpenSheet() != nullptr; }, 5000));
        PumpFor(300);
        CKTToolbarCustomize* sheet = CKTToolbarCustomize::GetOpenSheet();
        const HWND sheetWindow = sheet->m_hWnd;
        EXPECT_EQ(sheet->GetParentFrame(), m_main);
        // Every optional box, context help and Help; the frame's look allows no 2000 look.
        EXPECT_EQ(sheet->GetFlags(), 0x2Bu);
        const std::vector<CPropertyPage*> expected = {sheet->GetCommandsPage(), sheet->GetToolbarsPage(),
                                                      sheet->GetKeyboardPage(), sheet->GetMenuPage(),
                                                      sheet->GetOptionsPage()};
        std::vector<CPropertyPage*> pages;
        for (int i = 0; i < sheet->GetPageCount(); ++i)
            pages.push_back(sheet->GetPage(i));
        EXPECT_EQ(pages, expected);
        EXPECT_TRUE(CKTToolBar::IsCustomizeMode());
        EXPECT_FALSE(client->IsWindowEnabled());
        EXPECT_TRUE(m_main->GetStandardBar().IsWindowEnabled());
        // Commands are refused while customizing: a second request opens no second sheet.
        m_main->SendMessage(WM_COMMAND, ID_VIEW_CUSTOMIZE);
        EXPECT_EQ(CKTToolbarCustomize::GetOpenSheet(), sheet);

        if (r.screenshot)
        {
            RECT window = {}, sheetRect = {};
            GetWindowRect(m_main->m_hWnd, &window);
            GetWindowRect(sheetWindow, &sheetRect);
            UnionRect(&window, &window, &sheetRect);
            RedrawWindow(m_main->m_hWnd, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            PumpFor(200);
            CreateDirectoryW(L"screenshots", nullptr);
            EXPECT_TRUE(SaveScreenArea(r.screenshot, window));
        }

        ClickControl(sheet->GetDlgItem(IDCANCEL));
        ASSERT_TRUE(PumpUntil([&] { return !IsWindow(sheetWindow); }, 5000));
        EXPECT_EQ(CKTToolbarCustomize::GetOpenSheet(), nullptr);
        EXPECT_FALSE(CKTToolBar::IsCustomizeMode());
        EXPECT_TRUE(client->IsWindowEnabled());
    }
}

TEST_F(MainFrameCustomizeTest, TheOptionsPageOffersWhatTheProgramsLookAndMenusAllow)
{
    CKTToolbarCustomize* sheet = OpenSheetByCommand();
    ASSERT_NE(sheet, nullptr);
    const HWND sheetWindow = sheet->m_hWnd;
    CKTOptionsPage* options = sheet->GetOptionsPage();
    sheet->SetActivePage(options);
    PumpFor(200);
    // Screen tips, their shortcut keys and large icons; the program has no personalized menus
    // (no basic commands) and its look allows no 2000 look.
    const struct
    {
        UINT control;
        bool shown;
    } controls[] = {{16651, true},  {16652, true},  {16653, true},  {16654, false}, {16655, false},
                    {16656, false}, {16657, false}, {16538, false}, {16539, false}, {17001, false}};
    for (const auto& c : controls)
    {
        CWnd* control = options->GetDlgItem(c.control);
        ASSERT_NE(control, nullptr) << c.control;
        EXPECT_EQ(c.shown, control->IsWindowVisible() != FALSE) << c.control;
        EXPECT_EQ(c.shown, control->IsWindowEnabled() != FALSE) << c.control;
    }
    RECT sheetRect = {};
    GetWindowRect(sheetWindow, &sheetRect);
    RedrawWindow(sheetWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpFor(200);
    CreateDirectoryW(L"screenshots", nullptr);
    EXPECT_TRUE(SaveScreenArea(L"screenshots/main-window-customize-options.bmp", sheetRect));
    ClickControl(sheet->GetDlgItem(IDCANCEL));
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(sheetWindow); }, 5000));
}

TEST_F(MainFrameCustomizeTest, TheStatusBarAndTheStandardToolbarAreShownAndHiddenFromTheirMenus)
{
    const struct
    {
        const char* menu;
        std::function<void()> openMenu;
        const wchar_t* item;
        CControlBar* bar;
    } cases[] = {
        {"View", [&] { OpenViewMenu(); }, L"&Status Bar", &m_main->GetStatusBar()},
        {"toolbar menu", [&] { OpenToolbarMenu(); }, L"Standard Toolbar", &m_main->GetStandardBar()},
        {"View > Toolbars", [&] { OpenViewToolbarsMenu(); }, L"Standard Toolbar", &m_main->GetStandardBar()},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.menu);
        const bool shown = c.bar->IsVisible() != FALSE;
        c.openMenu();
        ClickMenuItem(c.item);
        PumpFor(200);
        EXPECT_EQ(c.bar->IsVisible() != FALSE, !shown);
    }
    // Both hidden, then the Standard toolbar back: the View menu's item shows the state.
    EXPECT_FALSE(m_main->GetStatusBar().IsVisible());
    EXPECT_TRUE(m_main->GetStandardBar().IsVisible());
    OpenViewMenu();
    CKTPopupMenuBar* items = CKTPopupMenu::GetActiveMenu()->GetMenuBar();
    PumpFor(100);
    for (int i = 0; i < items->GetCount(); ++i)
        if (items->GetButton(i)->m_nID == ID_VIEW_STATUS_BAR)
        {
            EXPECT_EQ(items->GetButton(i)->m_nStyle & (TBBS_CHECKED | TBBS_DISABLED), 0u);
        }
    UserInput close;
    close.Press(VK_ESCAPE).Press(VK_ESCAPE);
    Play(close);
}

TEST_F(MainFrameCustomizeTest, TheWindowMenuOpensTheWindowsDialogListingTheDocuments)
{
    CChildFrame* first = OpenCopy(L"kest-windows-first.kest");
    CChildFrame* second = OpenCopy(L"kest-windows-second.kest");
    ASSERT_TRUE(first && second);
    OpenMenu(L"&Window");
    ASSERT_EQ(OpenMenuItems().back(), L"&Windows...");
    std::vector<std::wstring> listed;
    DialogUser user({{L"Windows", [&](HWND dialog) {
                          HWND list = GetDlgItem(dialog, 16923);
                          const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
                          for (int i = 0; i < count; ++i)
                          {
                              wchar_t text[MAX_PATH * 2] = {};
                              if (SendMessageW(list, LB_GETTEXTLEN, i, 0) < MAX_PATH * 2)
                                  SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
                              listed.push_back(text);
                          }
                          Click(dialog, IDOK);
                      }}});
    ClickMenuItem(L"&Windows...");
    // Without a dialog the user gives up; this thread answers the window texts it asks meanwhile.
    PumpUntil([&] { return user.Done(); }, 60000);
    EXPECT_FALSE(user.Missed());
    const std::vector<std::wstring> expected = {TextOf(first->m_hWnd), TextOf(second->m_hWnd)};
    EXPECT_EQ(listed, expected);
}

TEST_F(MainFrameCustomizeTest, TheCatalogueHoldsTheMenusCommandsAndTheZoomBox)
{
    CKTToolbarCustomize* sheet = OpenSheetByCommand();
    ASSERT_NE(sheet, nullptr);
    std::vector<std::wstring> categories;
    for (POSITION pos = sheet->GetCategoryNames().GetHeadPosition(); pos;)
        categories.push_back(std::wstring(sheet->GetCategoryNames().GetNext(pos)));
    EXPECT_EQ(categories, (std::vector<std::wstring>{L"File", L"Edit", L"View", L"Convert", L"Layout", L"Window",
                                                     L"Help", L"New Menu"}));
    // Commands of the document's menu stand in "All Commands", whether or not a document is open.
    for (UINT command : {57604u, 34147u, 34170u, 34105u})
        EXPECT_NE(sheet->GetCommandText(command), nullptr) << command;

    const CObList* view = sheet->GetCategoryButtons(L"View");
    ASSERT_NE(view, nullptr);
    CKTToolbarComboBoxButton* zoom = nullptr;
    for (POSITION pos = view->GetHeadPosition(); pos && !zoom;)
    {
        auto* button = static_cast<CKTToolbarButton*>(view->GetNext(pos));
        if (button->m_nID == CConvertingMainFrame::ZoomBoxCommand)
            zoom = dynamic_cast<CKTToolbarComboBoxButton*>(button);
    }
    ASSERT_NE(zoom, nullptr);
    EXPECT_EQ(std::wstring(zoom->m_strText), L"Zoom Box");
    ASSERT_EQ(zoom->GetCount(), 7);
    EXPECT_STREQ(zoom->GetItem(3), L"100%");
    EXPECT_EQ(zoom->GetItemData(0), 34162u);
}

TEST_F(MainFrameCustomizeTest, TheToolbarsPageListsTheFramesBarsAndTheFrameMakesAndDeletesUserToolbars)
{
    // With a document open its own bars (the locked ones) stay off the list.
    ASSERT_NE(OpenCopy(L"kest-customize.kest"), nullptr);
    CKTToolbarCustomize* sheet = OpenSheetByCommand();
    ASSERT_NE(sheet, nullptr);
    sheet->SetActivePage(1);
    PumpFor(200);
    CKTToolbarsPage& page = *sheet->GetToolbarsPage();
    ASSERT_NE(page.GetSafeHwnd(), nullptr);
    const std::vector<std::wstring> frameBars = ListedToolbars(page);
    ASSERT_EQ(frameBars.size(), 5u);
    EXPECT_EQ(std::vector<std::wstring>(frameBars.begin() + 1, frameBars.end()),
              (std::vector<std::wstring>{L"Standard", L"Convert", L"Navigation", L"Table"}));
    EXPECT_EQ(frameBars[0], std::wstring(TextOf(m_main->GetMenuBar()->m_hWnd)));

    // New: the name typed into the dialog becomes a user toolbar of the frame.
    CRect newButton;
    page.GetDlgItem(NewToolbarButton)->GetWindowRect(&newButton);
    UserInput input;
    input.MoveTo(newButton.CenterPoint()).LeftDown().LeftUp();
    input.Call([] {
        for (int i = 0; i < 200 && !FindWindowW(L"#32770", L"Toolbar Name"); ++i)
            Sleep(25);
    });
    input.Pause(200).Type(L"Mine").Pause(100).Press(VK_RETURN).Pause(300);
    Play(input);
    CKTToolBar* mine = m_main->GetFrameSupport().GetUserToolbarByIndex(0);
    ASSERT_NE(mine, nullptr);
    EXPECT_EQ(TextOf(mine->m_hWnd), L"Mine");
    EXPECT_GE(mine->GetDlgCtrlID(), 59432);
    EXPECT_LE(mine->GetDlgCtrlID(), 59441);
    EXPECT_EQ(ListedToolbars(page).back(), L"Mine");
    EXPECT_EQ(page.GetSelectedToolbar(), mine);

    // Delete, answered Yes: the frame removes it.
    std::wstring question;
    {
        DialogUser user({{L"Kest", AnswerMessage(question)}});
        ClickControl(page.GetDlgItem(DeleteToolbarButton));
        PumpUntil([&] { return user.Done(); }, 60000);
        EXPECT_FALSE(user.Missed());
    }
    PumpFor(200);
    EXPECT_EQ(question, L"Do you really want to delete the toolbar 'Mine'?");
    EXPECT_EQ(m_main->GetFrameSupport().GetUserToolbarByIndex(0), nullptr);
    EXPECT_EQ(ListedToolbars(page), frameBars);
}

TEST_F(MainFrameCustomizeTest, WhatsThisAndF1OnAControlOfTheSheetShowItsPopupTextFromTheHelpFile)
{
    CKTToolbarCustomize* sheet = OpenSheetByCommand();
    ASSERT_NE(sheet, nullptr);
    sheet->SetActivePage(1);
    PumpFor(200);
    CKTToolbarsPage& page = *sheet->GetToolbarsPage();
    CRect newButton;
    page.GetDlgItem(NewToolbarButton)->GetWindowRect(&newButton);
    CRect sheetRect;
    sheet->GetWindowRect(&sheetRect);
    g_popups.clear();
    HtmlHelpSeam::m_function = RecordPopup;

    // A right click on "New...": the menu "What's This?" at the pointer; Escape closes it unused,
    // its item shows the button's pop-up.
    bool shown = false;
    std::wstring item;
    auto readMenu = [&](bool keep) {
        return [&, keep] {
            HWND menu = nullptr;
            for (int i = 0; i < 200 && !(menu = VisibleMenuWindow()); ++i)
                Sleep(25);
            shown = menu != nullptr;
            if (keep)
            {
                Sleep(200);
                RECT shot = sheetRect;
                CreateDirectoryW(L"screenshots", nullptr);
                SaveScreenArea(L"screenshots/customize-whats-this.bmp", shot);
            }
        };
    };
    UserInput cancel;
    cancel.MoveTo(newButton.CenterPoint()).RightDown().RightUp().Call(readMenu(false)).Press(VK_ESCAPE).Pause(200);
    Play(cancel);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(g_popups.empty());

    UserInput choose;
    choose.MoveTo(newButton.CenterPoint()).RightDown().RightUp().Call(readMenu(true)).Press('W').Pause(200);
    Play(choose);
    HtmlHelpSeam::m_function = CallHtmlHelpViewer;
    EXPECT_TRUE(shown);
    ASSERT_EQ(g_popups.size(), 1u);
    EXPECT_EQ(g_popups[0].first, HtmlHelpSeam::ApplicationHelpFile() + L"::/ktcshelp.txt");
    EXPECT_EQ(g_popups[0].second, (std::vector<DWORD>{NewToolbarButton, NewToolbarButton + 0x41000, 0, 0}));

    // F1 on the focused "New..." with the pointer on the sheet's caption, away from any control:
    // the button's pop-up, as the frame's help shows it.
    g_popups.clear();
    HtmlHelpSeam::m_function = RecordPopup;
    page.GetDlgItem(NewToolbarButton)->SetFocus();
    UserInput help;
    help.MoveTo({sheetRect.CenterPoint().x, sheetRect.top + GetSystemMetrics(SM_CYCAPTION) / 2 + 2}).Press(VK_F1);
    Play(help);
    HtmlHelpSeam::m_function = CallHtmlHelpViewer;
    ASSERT_EQ(g_popups.size(), 1u);
    EXPECT_EQ(g_popups[0].first, HtmlHelpSeam::ApplicationHelpFile() + L"::/ktcshelp.txt");
    EXPECT_EQ(g_popups[0].second, (std::vector<DWORD>{NewToolbarButton, NewToolbarButton + 0x41000, 0, 0}));

    // A place without a control of the table offers nothing: below "Show text labels".
    CRect labels;
    page.GetDlgItem(16612)->GetWindowRect(&labels);
    g_popups.clear();
    HtmlHelpSeam::m_function = RecordPopup;
    bool menuShown = false;
    UserInput elsewhere;
    elsewhere.MoveTo({labels.CenterPoint().x, labels.bottom + 24}).RightDown().RightUp().Pause(500).Call([&] {
        menuShown = VisibleMenuWindow() != nullptr;
    });
    // Closes a menu shown by mistake (else the sheet, which is then closed anyway).
    elsewhere.Press(VK_ESCAPE).Pause(200);
    Play(elsewhere);
    HtmlHelpSeam::m_function = CallHtmlHelpViewer;
    EXPECT_FALSE(menuShown);
    EXPECT_TRUE(g_popups.empty());
}

TEST_F(MainFrameCustomizeTest, TheProgramsDialogsOpenCentredOverTheMainWindow)
{
    ASSERT_NE(OpenCopy(L"kest-centred.kest"), nullptr);
    CRect main;
    m_main->GetWindowRect(&main);
    struct Case
    {
        UINT command;
        std::wstring caption;
    } cases[] = {{57664, L"About Kest"},
                 {ID_TOOLS_SETTINGS, L"Settings"},
                 {34128, L"Go to page"},
                 {57604, L"Save As"},
                 {ID_WINDOWS_DIALOG, L"Windows"}};
    for (const Case& c : cases)
    {
        CRect shown;
        std::wstring label;
        DialogUser user({{c.caption, [&](HWND dialog) {
                              GetWindowRect(dialog, &shown);
                              HWND text = GetDlgItem(dialog, IDC_STRING_LABEL);
                              if (text && IsWindowVisible(text))
                                  label = TextOf(text);
                              PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
                          }}});
        if (c.command == 34128)
        {
            // The page view's Go to page (its document here has one page, where the command is
            // off) asks through the program's prompt.
            std::wstring page;
            theApp.AskPageNumber(m_main->m_hWnd, c.caption, page);
        }
        else
            m_main->PostMessage(WM_COMMAND, c.command);
        PumpUntil([&] { return user.Done(); }, 20000);
        EXPECT_FALSE(user.Missed()) << c.command;
        PumpFor(200);
        EXPECT_NEAR(shown.CenterPoint().x, main.CenterPoint().x, 2) << c.command;
        EXPECT_NEAR(shown.CenterPoint().y, main.CenterPoint().y, 2) << c.command;
        // Go to page says what to type.
        EXPECT_EQ(label, c.command == 34128 ? L"&Page number:" : L"") << c.command;
    }
    CKTToolbarCustomize* sheet = OpenSheetByCommand();
    ASSERT_NE(sheet, nullptr);
    CRect customize;
    sheet->GetWindowRect(&customize);
    EXPECT_NEAR(customize.CenterPoint().x, main.CenterPoint().x, 2);
    EXPECT_NEAR(customize.CenterPoint().y, main.CenterPoint().y, 2);
}

} // namespace

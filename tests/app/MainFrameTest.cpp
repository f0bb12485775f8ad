// The main window as the program starts it on the test display: its bars, panes, menus and keys,
// the buttons that replace the toolbars' placeholders, tooltips, the Find dialog, the toolbar
// menus in and out of customize mode, and closing with the question and with modified documents.
#include "app/AppRes.h"
#include "app/HtmlHelpSeam.h"
#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "app/OwnToolbarButtons.h"
#include "framework/AfxCommDlg.h"
#include "tests/app/MainFrameFixture.h"
#include "tests/framework/input/UserInput.h"
#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTPopupMenuBar.h"
#include "uitoolkit/bars/KTToolbarComboBoxButton.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace
{

std::wstring TextOf(HWND window)
{
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

struct BoxSearch
{
    HWND skip;
    HWND found;
};

BOOL CALLBACK FindMessageBox(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<BoxSearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (process == GetCurrentProcessId() && window != search->skip && IsWindowVisible(window) &&
        std::wstring(className) == L"#32770" && TextOf(window) == L"Kest")
    {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Answers the program's next message boxes with the buttons, one box each, from a thread of its
// own while the tested thread waits in the boxes; keeps each box's text.
class BoxAnswers
{
public:
    explicit BoxAnswers(std::vector<int> buttons)
        : m_thread([this, buttons]() {
              HWND previous = nullptr;
              for (int button : buttons)
              {
                  BoxSearch search = {previous, nullptr};
                  for (int i = 0; i < 600 && !search.found; ++i)
                  {
                      EnumWindows(FindMessageBox, reinterpret_cast<LPARAM>(&search));
                      if (!search.found)
                          Sleep(10);
                  }
                  if (!search.found)
                      return;
                  Sleep(50);
                  HWND text = FindWindowExW(search.found, nullptr, L"Static", nullptr);
                  while (text && TextOf(text).empty())
                      text = FindWindowExW(search.found, text, L"Static", nullptr);
                  m_texts.push_back(text ? TextOf(text) : L"");
                  PostMessageW(GetDlgItem(search.found, button), BM_CLICK, 0, 0);
                  previous = search.found;
                  Sleep(150);
              }
          })
    {
    }
    ~BoxAnswers() { Join(); }
    const std::vector<std::wstring>& Texts()
    {
        Join();
        return m_texts;
    }

private:
    void Join()
    {
        if (m_thread.joinable())
            m_thread.join();
    }
    std::vector<std::wstring> m_texts;
    std::thread m_thread;
};

struct HelpRequest
{
    std::wstring file;
    UINT command;
    std::vector<DWORD> pairs; // the pop-up's control list, or the context alone
};
std::vector<HelpRequest> g_help;

HWND RecordHelp(HWND, const std::wstring& file, UINT command, DWORD_PTR data)
{
    HelpRequest request{file, command, {}};
    if (command == HelpContextPopup)
    {
        const DWORD* pairs = reinterpret_cast<const DWORD*>(data);
        for (int i = 0; i < 8; i += 2)
        {
            request.pairs.push_back(pairs[i]);
            request.pairs.push_back(pairs[i + 1]);
            if (pairs[i] == 0 && pairs[i + 1] == 0)
                break;
        }
    }
    else
        request.pairs.push_back(static_cast<DWORD>(data));
    g_help.push_back(request);
    return nullptr;
}

// Files dropped on the window as the shell drops them: wide paths, each ended by a zero.
HDROP DroppedFiles(const std::vector<std::wstring>& paths)
{
    size_t characters = 1;
    for (const std::wstring& path : paths)
        characters += path.size() + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + characters * sizeof(wchar_t));
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    auto* names = reinterpret_cast<wchar_t*>(header + 1);
    for (const std::wstring& path : paths)
    {
        std::memcpy(names, path.c_str(), path.size() * sizeof(wchar_t));
        names += path.size() + 1;
    }
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

TEST_F(MainFrameTest, TheEmptyMainWindowShowsItsBarsPanesMenusAndKeys)
{
    wchar_t className[64] = {};
    GetClassNameW(m_main->m_hWnd, className, 64);
    EXPECT_STREQ(className, L"QuillmereKestMainFrame");
    const struct
    {
        UINT id;
        bool visible;
        const wchar_t* title;
    } bars[] = {
        {59398, true, nullptr},
        {59392, true, L"Standard"},
        {59396, false, L"Convert"},
        {59397, true, L"Navigation"},
        {59399, true, L"Table"},
        {59393, true, nullptr},
        {ID_VIEW_TUTORIAL, true, L"Tutorial"},
    };
    for (const auto& b : bars)
    {
        CControlBar* bar = m_main->GetControlBar(b.id);
        ASSERT_NE(bar, nullptr) << b.id;
        EXPECT_EQ(bar->IsVisible() != FALSE, b.visible) << b.id;
        if (b.title)
        {
            EXPECT_EQ(TextOf(bar->m_hWnd), b.title) << b.id;
        }
    }
    // Navigation shares the Standard toolbar's row.
    RECT standard = {}, navigation = {};
    GetWindowRect(m_main->GetStandardBar().m_hWnd, &standard);
    GetWindowRect(m_main->GetNavigationBar().m_hWnd, &navigation);
    EXPECT_EQ(navigation.top, standard.top);
    EXPECT_GT(navigation.left, standard.left);

    std::vector<std::wstring> menus;
    CKTMenuBar* menuBar = m_main->GetMenuBar();
    for (int i = 0; i < menuBar->GetCount(); ++i)
        menus.push_back(std::wstring(menuBar->GetButton(i)->m_strText));
    EXPECT_EQ(menus, (std::vector<std::wstring>{L"&File", L"&Edit", L"&View", L"&Help"}));

    CKTStatusBar& status = m_main->GetStatusBar();
    const std::vector<UINT> panes = {0, 116, 117, 59137, 59138, 59139};
    for (size_t i = 0; i < panes.size(); ++i)
        EXPECT_EQ(status.CommandToIndex(panes[i]), static_cast<int>(i));
    EXPECT_EQ(std::wstring(status.GetPaneText(2)), L"Columns");

    HACCEL keys = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
    ASSERT_NE(keys, nullptr);
    std::vector<ACCEL> table(CopyAcceleratorTableW(keys, nullptr, 0));
    CopyAcceleratorTableW(keys, table.data(), static_cast<int>(table.size()));
    EXPECT_EQ(table.size(), 18u);
    bool shiftF1 = false;
    for (const ACCEL& key : table)
        shiftF1 = shiftF1 || (key.key == VK_F1 && (key.fVirt & FSHIFT) && key.cmd == 57669);
    EXPECT_TRUE(shiftF1);

    // No document: the tutorial takes half the window.
    EXPECT_TRUE(m_main->IsTutorialWidened());
    RECT pane = {}, window = {};
    GetWindowRect(m_main->GetTutorialPane().m_hWnd, &pane);
    GetWindowRect(m_main->m_hWnd, &window);
    EXPECT_NEAR(pane.right - pane.left, (window.right - window.left) / 2, 12);

    RedrawWindow(m_main->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpFor(200);
    CreateDirectoryW(L"screenshots", nullptr);
    EXPECT_TRUE(SaveScreenArea(L"screenshots/main-window-empty.bmp", window));
}

TEST_F(MainFrameTest, ToolbarResetsReplaceThePlaceholders)
{
    for (int round = 0; round < 2; ++round)
    {
        CKTToolbarMenuButton* convert =
            dynamic_cast<CKTToolbarMenuButton*>(FindButton(m_main->GetStandardBar(), 34120));
        ASSERT_NE(convert, nullptr);
        EXPECT_FALSE(convert->IsMenuOnly());
        CKTToolbarMenuButton* mode = dynamic_cast<CKTToolbarMenuButton*>(FindButton(m_main->GetStandardBar(), 34110));
        ASSERT_NE(mode, nullptr);
        EXPECT_TRUE(mode->IsMenuOnly());
        CKTToolbarButtonImage* feedback =
            dynamic_cast<CKTToolbarButtonImage*>(FindButton(m_main->GetStandardBar(), 32837));
        ASSERT_NE(feedback, nullptr);
        EXPECT_EQ(feedback->GetBitmapId(), static_cast<UINT>(IDB_FEEDBACK));
        EXPECT_EQ(feedback->GetImageSize(), CSize(73, 25));
        CKTToolbarComboBoxButton* zoom =
            dynamic_cast<CKTToolbarComboBoxButton*>(FindButton(m_main->GetNavigationBar(), 34160));
        ASSERT_NE(zoom, nullptr);
        ASSERT_EQ(zoom->GetCount(), 7);
        EXPECT_STREQ(zoom->GetItem(0), L"25%");
        EXPECT_EQ(zoom->GetItemData(6), 34168u);
        CKTToolbarMenuButton* columns = dynamic_cast<CKTToolbarMenuButton*>(FindButton(m_main->GetTableBar(), 34114));
        ASSERT_NE(columns, nullptr);
        EXPECT_TRUE(columns->IsMenuOnly());
        // The user's reset of each bar replaces them again.
        for (CKTToolBar* bar : {&m_main->GetStandardBar(), &m_main->GetNavigationBar(), &m_main->GetTableBar()})
            bar->RestoreResourceState();
        PumpFor(50);
    }
}

TEST_F(MainFrameTest, TooltipsNameTheCurrentChoice)
{
    const struct
    {
        UINT command;
        int selectionMode;
        ConversionTarget target;
        const wchar_t* text; // null: the toolkit's own tooltip
    } cases[] = {
        {34110, 0, TargetExcelSheet, L"Table Editing mode"},
        {34110, 1, TargetExcelSheet, L"Text Selection mode"},
        {34114, 0, TargetExcelSheet, L"Column Selection"},
        {34120, 0, TargetExcelSheet, L"Convert to Excel"},
        {34120, 0, static_cast<ConversionTarget>(2), L"Convert to Clipboard"},
        {57669, 0, TargetExcelSheet, nullptr},
    };
    for (const auto& c : cases)
    {
        theApp.m_selectionMode = c.selectionMode;
        theApp.Options().m_target = c.target;
        CKTToolbarButton button(c.command, -1);
        CString text;
        const BOOL given = m_main->GetToolbarButtonToolTipText(&button, text);
        EXPECT_EQ(given != FALSE, c.text != nullptr) << c.command;
        if (c.text)
        {
            EXPECT_EQ(std::wstring(text), c.text) << c.command;
        }
    }
}

TEST_F(MainFrameTest, TheModePaneAndFindFollowTheModeAndTheDocument)
{
    const struct
    {
        bool document;
        int mode;
        const wchar_t* pane;
        bool paneEnabled;
        bool findEnabled;
    } cases[] = {
        {false, 0, L"Table", false, false},
        {false, 1, L"Text", false, false},
        {true, 0, L"Table", true, false},
        {true, 1, L"Text", true, true},
    };
    for (const auto& c : cases)
    {
        if (c.document && !m_main->HasChildFrames())
        {
            ASSERT_NE(OpenCopy(L"kest-main-mode.kest"), nullptr);
        }
        theApp.m_selectionMode = c.mode;
        RecordedCmdUI pane(CMainFrame::SelectionModePane);
        pane.DoUpdate(m_main, FALSE);
        EXPECT_EQ(pane.m_text, c.pane);
        EXPECT_EQ(pane.m_enabled, c.paneEnabled) << c.document << c.mode;
        RecordedCmdUI find(CConvertingMainFrame::FindCommand);
        find.DoUpdate(m_main, FALSE);
        EXPECT_EQ(find.m_enabled, c.findEnabled) << c.document << c.mode;
    }
}

TEST_F(MainFrameTest, TheFindDialogMovesOffAFoundText)
{
    ASSERT_NE(OpenCopy(L"kest-main-find.kest"), nullptr);
    theApp.m_selectionMode = 1;
    m_main->SendMessage(WM_COMMAND, CConvertingMainFrame::FindCommand);
    PumpFor(200);
    ASSERT_NE(m_main->GetFindDialog(), nullptr);
    HWND dialog = m_main->GetFindDialog()->m_hWnd;
    RECT desktop = {};
    GetWindowRect(GetDesktopWindow(), &desktop);
    RECT rect = {};
    GetWindowRect(dialog, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    const int centreX = (desktop.left + desktop.right) / 2, centreY = (desktop.top + desktop.bottom) / 2;
    const struct
    {
        const char* name;
        POINT from;
        POINT to;
    } cases[] = {
        {"over the centre: down by its height",
         {centreX - width / 2, centreY - height / 2},
         {centreX - width / 2, centreY - height / 2 + height}},
        {"at the left: mirrored", {20, 30}, {desktop.right - (20 + width), 30}},
        {"at the right: mirrored", {desktop.right - width - 5, 30}, {5, 30}},
    };
    for (const auto& c : cases)
    {
        SetWindowPos(dialog, nullptr, c.from.x, c.from.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_main->MoveFindDialogAway();
        RECT moved = {};
        ASSERT_TRUE(m_main->GetFindDialogRect(moved));
        EXPECT_EQ(moved.left, c.to.x) << c.name;
        EXPECT_EQ(moved.top, c.to.y) << c.name;
        EXPECT_EQ(moved.right - moved.left, width) << c.name;
    }
    // Closing the dialog makes the frame forget it.
    SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    PumpFor(100);
    EXPECT_EQ(m_main->GetFindDialog(), nullptr);
    RECT none = {};
    EXPECT_FALSE(m_main->GetFindDialogRect(none));
}

TEST_F(MainFrameTest, TheToolbarsMenuListsTheBarsOutsideCustomizeModeOnly)
{
    // A right click on a toolbar opens the toolbar menu.
    const POINT onBar = ButtonCentre(m_main->GetTableBar(), 34146);
    UserInput right;
    right.MoveTo(onBar).RightDown().RightUp();
    Play(right);
    EXPECT_EQ(OpenMenuItems(), (std::vector<std::wstring>{L"Standard Toolbar", L"|", L"&Customize..."}));
    UserInput escape;
    escape.Press(VK_ESCAPE);
    Play(escape);

    // View > Toolbars shows the same list in place of its placeholder.
    CKTMenuBar* menuBar = m_main->GetMenuBar();
    CRect view;
    menuBar->GetItemRect(2, &view);
    menuBar->ClientToScreen(&view);
    UserInput open;
    open.MoveTo(view.CenterPoint()).LeftDown().LeftUp().Pause(300);
    Play(open);
    CKTPopupMenu* viewMenu = CKTPopupMenu::GetActiveMenu();
    ASSERT_NE(viewMenu, nullptr);
    CRect toolbars;
    viewMenu->GetMenuBar()->GetItemRect(0, &toolbars);
    viewMenu->GetMenuBar()->ClientToScreen(&toolbars);
    UserInput hover;
    hover.Glide(view.CenterPoint(), toolbars.CenterPoint()).Pause(700);
    Play(hover);
    EXPECT_EQ(OpenMenuItems(), (std::vector<std::wstring>{L"Standard Toolbar", L"|", L"&Customize..."}));
    UserInput close;
    close.Press(VK_ESCAPE).Press(VK_ESCAPE).Press(VK_ESCAPE);
    Play(close);

    // In customize mode the list does not open.
    CKTPopupMenu popup;
    popup.GetMenuBar()->InsertButton(CKTToolbarButton(ID_VIEW_TOOLBARS_PLACEHOLDER, -1, L"<Toolbars>"));
    CKTToolBar::SetCustomizeMode(TRUE);
    EXPECT_FALSE(m_main->OnShowPopupMenu(&popup));
    CKTToolBar::SetCustomizeMode(FALSE);
    EXPECT_TRUE(m_main->OnShowPopupMenu(&popup));
    EXPECT_EQ(popup.GetMenuBar()->GetButton(0)->m_nID, 59392u);
}

TEST_F(MainFrameTest, ClosingAsksWhilePrintingGoesToKest)
{
    theApp.m_recordMessages = false;
    {
        BoxAnswers answers({IDNO});
        m_main->SendMessage(WM_CLOSE);
        ASSERT_EQ(answers.Texts().size(), 1u);
        EXPECT_EQ(answers.Texts()[0],
                  L"Closing Kest will stop the application printing conversion to excel and "
                  L"return printing to your default printer.\nAre you sure you want to close Kest?");
    }
    EXPECT_TRUE(IsWindow(m_main->m_hWnd));
    const HWND window = m_main->m_hWnd;
    {
        BoxAnswers answers({IDYES});
        SendMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(answers.Texts().size(), 1u);
    }
    PumpFor(50);
    EXPECT_FALSE(IsWindow(window));
    theApp.m_pMainWnd = nullptr;
}

TEST_F(MainFrameTest, CancellingTheSecondSaveQuestionKeepsTheWindowAndThatDocument)
{
    theApp.m_defaultPrinter.Restore(m_printers);
    theApp.m_recordMessages = false;
    CChildFrame* first = OpenCopy(L"kest-main-first.kest");
    CChildFrame* second = OpenCopy(L"kest-main-second.kest");
    ASSERT_TRUE(first && second);
    const HWND firstWindow = first->m_hWnd, secondWindow = second->m_hWnd;
    first->GetView().ClearLayout();
    second->GetView().ClearLayout();
    ASSERT_TRUE(first->IsModified() && second->IsModified());
    {
        // The active (second) document is closed without saving, the first one's question cancelled.
        BoxAnswers answers({IDNO, IDCANCEL});
        m_main->SendMessage(WM_CLOSE);
        EXPECT_EQ(answers.Texts(), (std::vector<std::wstring>{L"Do you wish to save the changes before closing?",
                                                              L"Do you wish to save the changes before closing?"}));
    }
    PumpFor(100);
    EXPECT_TRUE(IsWindow(m_main->m_hWnd));
    EXPECT_FALSE(IsWindow(secondWindow));
    EXPECT_TRUE(IsWindow(firstWindow));
    EXPECT_TRUE(first->IsModified());
    theApp.m_recordMessages = true;
}

TEST_F(MainFrameTest, DroppedFilesOpenAtTheirWholeLength)
{
    const std::wstring folder = L"C:\\" + std::wstring(300, L'd') + L"\\" + std::wstring(300, L'e') + L"\\";
    const std::wstring longPath = folder + std::wstring(250, L'f') + L".kest";
    ASSERT_GT(longPath.size(), 780u);
    const std::wstring shortPath = L"C:\\no-such-folder\\dropped.kest";
    m_main->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(DroppedFiles({shortPath, longPath})));
    // Each is offered to the application whole: neither is a work file, and each is named so.
    ASSERT_EQ(theApp.m_messages.size(), 2u);
    EXPECT_EQ(theApp.m_messages[0], L"The file " + shortPath + L" is not a valid Kest file");
    EXPECT_EQ(theApp.m_messages[1], L"The file " + longPath + L" is not a valid Kest file");

    // A work file dropped opens in its own frame.
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring copy = std::wstring(temp) + L"kest-main-dropped.kest";
    ASSERT_TRUE(CopyFileW(SampleTablePath().c_str(), copy.c_str(), FALSE));
    m_copies.push_back(copy);
    m_main->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(DroppedFiles({copy})));
    PumpFor(100);
    EXPECT_NE(m_main->FindChildFrame(copy), nullptr);
}

TEST_F(MainFrameTest, HelpRequestsGoToTheCompiledHelpFile)
{
    HtmlHelpSeam::m_function = RecordHelp;
    g_help.clear();
    const std::wstring file = HtmlHelpSeam::ApplicationHelpFile();
    m_main->WinHelp(1234, HELP_CONTEXT);
    m_main->WinHelp(0, HELP_FINDER);
    // F1 without a context: the contents, unless a command's prompt is shown.
    m_main->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    EXPECT_EQ(m_main->SendMessage(WM_COMMANDHELP, 0, 0), TRUE);
    m_main->SendMessage(WM_SETMESSAGESTRING, 34120);
    EXPECT_EQ(m_main->SendMessage(WM_COMMANDHELP, 0, 0), TRUE);
    m_main->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    m_main->SendMessage(WM_COMMAND, 57667);
    // The customize sheet's help is no topic of this program.
    EXPECT_EQ(m_main->SendMessage(KT_WM_CUSTOMIZEHELP, 2, 0), 0);
    // A pop-up for the control under the cursor.
    RECT status = {};
    GetWindowRect(m_main->GetStatusBar().m_hWnd, &status);
    UserInput move;
    move.MoveTo({status.left + 40, (status.top + status.bottom) / 2});
    Play(move);
    m_main->WinHelp(77, HELP_CONTEXTPOPUP);
    HtmlHelpSeam::m_function = CallHtmlHelpViewer;

    ASSERT_EQ(g_help.size(), 6u);
    const struct
    {
        std::wstring file;
        UINT command;
        std::vector<DWORD> data;
    } expected[] = {
        {file, HelpDisplayContext, {1234}}, {file, HelpDisplayTopic, {0}},
        {file, HelpDisplayTopic, {0}},      {file, HelpDisplayContext, {0x10000 + 34120}},
        {file, HelpDisplayTopic, {0}},      {file + L"::/ktcshelp.txt", HelpContextPopup, {59393, 77, 0, 0}},
    };
    for (size_t i = 0; i < g_help.size(); ++i)
    {
        EXPECT_EQ(g_help[i].file, expected[i].file) << i;
        EXPECT_EQ(g_help[i].command, expected[i].command) << i;
        EXPECT_EQ(g_help[i].pairs, expected[i].data) << i;
    }
}

TEST_F(MainFrameTest, ContextHelpShowsTheTopicOfTheButtonClicked)
{
    HtmlHelpSeam::m_function = RecordHelp;
    g_help.clear();
    const POINT convert = ButtonCentre(m_main->GetStandardBar(), 34120);
    UserInput input;
    input.Pause(400).MoveTo(convert).LeftDown().LeftUp();
    input.Start();
    // Shift+F1's command: the help loop runs until the click.
    m_main->SendMessage(WM_COMMAND, 57669);
    PumpUntil([&] { return input.Done(); }, 10000);
    PumpFor(100);
    HtmlHelpSeam::m_function = CallHtmlHelpViewer;
    ASSERT_EQ(g_help.size(), 1u);
    EXPECT_EQ(g_help[0].command, HelpDisplayContext);
    EXPECT_EQ(g_help[0].pairs, std::vector<DWORD>{0x10000 + 34120});
    EXPECT_FALSE(m_main->IsContextHelpRunning());
}

TEST_F(MainFrameTest, TheFileMenuListsTheRecentFiles)
{
    theApp.AddToRecentFileList(L"C:\\Reports\\March.kest");
    theApp.AddToRecentFileList(L"C:\\Reports\\April.kest");
    CKTMenuBar* menuBar = m_main->GetMenuBar();
    CRect file;
    menuBar->GetItemRect(0, &file);
    menuBar->ClientToScreen(&file);
    UserInput open;
    open.MoveTo(file.CenterPoint()).LeftDown().LeftUp().Pause(300);
    Play(open);
    const std::vector<std::wstring> items = OpenMenuItems();
    UserInput close;
    close.Press(VK_ESCAPE).Press(VK_ESCAPE);
    Play(close);
    std::vector<std::wstring> recent;
    for (const std::wstring& item : items)
        if (item.find(L".kest") != std::wstring::npos)
            recent.push_back(item);
    ASSERT_EQ(recent.size(), 2u) << items.size();
    EXPECT_NE(recent[0].find(L"April.kest"), std::wstring::npos);
    EXPECT_NE(recent[1].find(L"March.kest"), std::wstring::npos);
    EXPECT_EQ(items.front().rfind(L"&Open...", 0), 0u);
    EXPECT_EQ(items.back(), L"E&xit");
}

TEST_F(MainFrameTest, TheMenuBarsResetBringsBackTheResourceMenus)
{
    const auto texts = [&]() {
        std::vector<std::wstring> items;
        CKTMenuBar* bar = m_main->GetMenuBar();
        // A maximized document adds its system menu and window buttons, which carry no text.
        for (int i = 0; i < bar->GetCount(); ++i)
            if (!bar->GetButton(i)->m_strText.IsEmpty())
                items.push_back(std::wstring(bar->GetButton(i)->m_strText));
        return items;
    };
    const std::vector<std::wstring> empty = {L"&File", L"&Edit", L"&View", L"&Help"};
    const std::vector<std::wstring> document = {L"&File",   L"&Edit",   L"&View", L"&Convert",
                                                L"&Layout", L"&Window", L"&Help"};
    EXPECT_EQ(texts(), empty);
    CKTMenuBar* bar = m_main->GetMenuBar();
    bar->RemoveButton(1);
    bar->RemoveButton(1);
    EXPECT_EQ(texts().size(), 2u);
    bar->RestoreResourceState();
    EXPECT_EQ(texts(), empty);

    // With a document open its menu is shown, and reset from its resource as well.
    ASSERT_NE(OpenCopy(L"kest-main-menus.kest"), nullptr);
    PumpFor(100);
    ASSERT_EQ(texts(), document);
    bar->RemoveButton(3);
    bar->RestoreResourceState();
    EXPECT_EQ(texts(), document);
}

TEST_F(MainFrameTest, UserToolbarsAreShownAndHiddenFromTheToolbarsMenu)
{
    CKTToolBar* mine = m_main->GetFrameSupport().CreateUserToolbar(L"Mine");
    ASSERT_NE(mine, nullptr);
    PumpFor(50);
    const struct
    {
        UINT command;
        bool enabled;
        int checked;
    } shown[] = {{32793, true, 1}, {32794, false, 0}, {32802, false, 0}};
    for (const auto& c : shown)
    {
        RecordedCmdUI ui(c.command);
        ui.DoUpdate(m_main, FALSE);
        EXPECT_EQ(ui.m_enabled, c.enabled) << c.command;
        EXPECT_EQ(ui.m_checked, c.checked) << c.command;
    }
    m_main->SendMessage(WM_COMMAND, 32793);
    EXPECT_FALSE(mine->IsVisible());
    RecordedCmdUI hidden(32793);
    hidden.DoUpdate(m_main, FALSE);
    EXPECT_EQ(hidden.m_checked, 0);
    m_main->SendMessage(WM_COMMAND, 32793);
    EXPECT_TRUE(mine->IsVisible());
    // Nothing happens for a toolbar that is not there.
    m_main->SendMessage(WM_COMMAND, 32794);

    // The toolbar menu names it between the Standard toolbar and Customize.
    const POINT onBar = ButtonCentre(m_main->GetTableBar(), 34146);
    UserInput right;
    right.MoveTo(onBar).RightDown().RightUp();
    Play(right);
    EXPECT_EQ(OpenMenuItems(), (std::vector<std::wstring>{L"Standard Toolbar", L"Mine", L"|", L"&Customize..."}));
    UserInput escape;
    escape.Press(VK_ESCAPE);
    Play(escape);
}

} // namespace

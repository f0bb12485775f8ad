// The child frames as a user meets them inside a main frame: the preview bar's share of the
// frame, the title, the Excel output's name with its questions, Save As and closing of printed
// jobs, and the conversion preview driven with the mouse.
#include "tests/app/ChildFrameFixture.h"
#include "tests/app/DialogUser.h"
#include "tests/framework/input/UserInput.h"
#include "uitoolkit/bars/KTPopupMenu.h"

#include <richedit.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace
{

TEST_F(ChildFramesTest, PreviewBarTakesItsStoredShareAndKeepsItThroughResizes)
{
    struct Case
    {
        int stored;
        int expected;
    };
    for (const Case& c : {Case{95, 80}, Case{30, 30}, Case{55, 55}})
    {
        theApp.WriteProfileInt(L"Settings", L"SampleBarHeight", c.stored);
        CChildFrame* frame = Open(m_copy);
        EXPECT_NEAR(Percent(frame), c.expected, 1) << c.stored;
        frame->SendMessage(WM_CLOSE);
        PumpTranslated();
    }

    CChildFrame* frame = Open(m_copy);
    m_main->MDIRestore(frame);
    frame->MoveWindow(0, 0, 600, 400);
    PumpTranslated();
    const int share = Percent(frame);
    frame->MoveWindow(0, 0, 600, 560);
    PumpTranslated();
    EXPECT_NEAR(Percent(frame), share, 1);
    // A tiny frame still leaves the bar its 20 pixels.
    frame->MoveWindow(0, 0, 600, 60);
    PumpTranslated();
    EXPECT_EQ(frame->GetPreviewBar()->GetHorzSize().cy, 20);
    frame->MoveWindow(0, 0, 600, 500);
    PumpTranslated();
    const int closingShare = Percent(frame);
    frame->SendMessage(WM_CLOSE);
    PumpTranslated();
    EXPECT_EQ(static_cast<int>(theApp.GetProfileInt(L"Settings", L"SampleBarHeight", 0)), closingShare);
    EXPECT_EQ(theApp.GetProfileInt(L"Settings", L"SampleBarShow", 0), 1u);
}

// Tells when it is deleted.
class WatchedChildFrame : public CChildFrame
{
public:
    ~WatchedChildFrame() override { *m_gone = true; }
    bool* m_gone = nullptr;
};

TEST_F(ChildFramesTest, AFrameLoadsOnlyThroughItsTemplateWithTheTemplatesMenuKeysAndIcon)
{
    CMultiDocTemplate docTemplate(129, RUNTIME_CLASS(CDocument), RUNTIME_CLASS(CChildFrame), RUNTIME_CLASS(CView));
    ASSERT_NE(docTemplate.m_hMenuShared, nullptr);
    // Without a template in the creation context nothing is made, and the frame is gone.
    bool gone = false;
    auto* lone = new WatchedChildFrame;
    lone->m_gone = &gone;
    CCreateContext empty;
    EXPECT_FALSE(lone->LoadFrame(129, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, m_main, &empty));
    EXPECT_TRUE(gone);
    EXPECT_EQ(GetWindow(m_main->m_hWndMDIClient, GW_CHILD), nullptr);

    CFrameWnd* made = docTemplate.CreateNewFrame(nullptr, nullptr);
    auto* frame = dynamic_cast<CChildFrame*>(made);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->m_hMenuShared, docTemplate.m_hMenuShared);
    EXPECT_EQ(frame->m_hAccelTable, docTemplate.m_hAccelTable);
    EXPECT_EQ(TextOf(frame->m_hWnd), L"");
    // The window class carries the document icon of the resource.
    EXPECT_NE(GetClassLongPtrW(frame->m_hWnd, GCLP_HICON), 0u);
    // One view, the frame's own (the template's view class made none).
    int views = 0;
    for (HWND child = GetWindow(frame->m_hWnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        views += GetDlgCtrlID(child) == static_cast<int>(CChildView::ViewId) ? 1 : 0;
    EXPECT_EQ(views, 1);
    EXPECT_EQ(GetDlgItem(frame->m_hWnd, CChildView::ViewId), frame->GetView().m_hWnd);
    // Its view loads a file as the application asks any view.
    NoDocFileLoader& loader = frame->GetView();
    EXPECT_TRUE(loader.LoadFile(m_copy, 0));
    EXPECT_EQ(frame->GetDocumentPath(), m_copy);
    frame->DestroyWindow();
    Pump();
}

TEST_F(ChildFramesTest, NewFramesOpenMaximizedUnlessTheActiveOneIsNot)
{
    struct Step
    {
        const char* what;
        std::function<void(CChildFrame* active)> before;
        bool maximized;
    };
    const std::vector<Step> steps = {
        {"the first frame", [](CChildFrame*) {}, true},
        {"beside a maximized frame", [](CChildFrame*) {}, true},
        {"beside a restored frame", [&](CChildFrame* active) { m_main->MDIRestore(active); }, false},
        {"beside a frame maximized again", [&](CChildFrame* active) { m_main->MDIMaximize(active); }, true},
    };
    CChildFrame* active = nullptr;
    for (const Step& step : steps)
    {
        step.before(active);
        PumpTranslated();
        active = Open(m_copy);
        EXPECT_EQ(IsZoomed(active->m_hWnd) != FALSE, step.maximized) << step.what;
        EXPECT_TRUE(IsWindowVisible(active->m_hWnd)) << step.what;
    }
}

TEST_F(ChildFramesTest, TitleShowsThePathAndModifiedMarkExceptForPrintedJobs)
{
    struct Case
    {
        bool printed;
        bool modified;
        std::wstring expected;
    };
    const std::wstring name = L"kest-child-frames.kest";
    for (const Case& c :
         {Case{false, false, name + L" - [" + m_copy + L"]"}, Case{false, true, name + L" - [" + m_copy + L"]*"},
          Case{true, false, name}, Case{true, true, name}})
    {
        CChildFrame* frame = Open(m_copy, c.printed);
        frame->SetModified(c.modified);
        EXPECT_EQ(TextOf(frame->m_hWnd), c.expected);
        frame->SetPrinted(false);
        frame->SetModified(false);
        frame->DestroyWindow();
        PumpTranslated();
    }
}

TEST_F(ChildFramesTest, OutputFileNameFollowsTheDocumentAndAsksAboutExistingFiles)
{
    const std::wstring folder = TempPath(L"kest.out.d");
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring existing = folder + L"\\report.xls";
    HANDLE file = CreateFileW(existing.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(file);
    CreateDirectoryW((folder + L"\\folder.xls").c_str(), nullptr);

    theApp.Options().m_target = TargetExcelFile;
    AnsweringChildFrame* frame = Open(m_copy);
    struct Case
    {
        std::wstring path;
        int answer; // the button pressed in the overwrite question; 0 when none is expected
        std::wstring expected;
        std::wstring proposed; // what the save dialog proposed; empty when it did not open
    };
    const std::wstring picked = folder + L"\\picked.xls";
    frame->m_choice = picked;
    for (const Case& c : {
             Case{folder + L"\\new.kest", 0, folder + L"\\new.xls", L""},
             Case{folder + L"\\noextension", 0, folder + L"\\noextension.xls", L""},
             Case{TempPath(L"kest.out.d\\plain"), 0, folder + L"\\plain.xls", L""},
             Case{existing, IDYES, existing, L""},
             Case{existing, IDCANCEL, L"", L""},
             Case{existing, IDNO, picked, existing},
             Case{folder + L"\\folder.kest", 0, picked, folder + L"\\folder.xls"},
         })
    {
        frame->m_proposals.clear();
        frame->SetDocumentPath(c.path);
        std::wstring question;
        std::wstring name;
        if (c.answer)
        {
            DialogUser user({{L"Kest", [&](HWND box) {
                                  question = TextOf(FindWindowExW(box, nullptr, L"Static", L"")) + L"";
                                  Click(box, c.answer);
                              }}});
            name = frame->GetOutputFileName();
            EXPECT_FALSE(user.Missed()) << c.path;
        }
        else
            name = frame->GetOutputFileName();
        EXPECT_EQ(name, c.expected) << c.path;
        EXPECT_EQ(frame->m_proposals,
                  c.proposed.empty() ? std::vector<std::wstring>{} : std::vector<std::wstring>{c.proposed})
            << c.path;
    }

    // Another target needs no file.
    theApp.Options().m_target = TargetClipboardExcel;
    frame->SetDocumentPath(folder + L"\\new.kest");
    EXPECT_EQ(frame->GetOutputFileName(), L"");
    // A printed job always asks, proposing no name; unattended it has none.
    theApp.Options().m_target = TargetExcelFile;
    frame->SetPrinted(true);
    frame->m_proposals.clear();
    EXPECT_EQ(frame->GetOutputFileName(), picked);
    EXPECT_EQ(frame->m_proposals, std::vector<std::wstring>{L""});
    theApp.m_noUI = true;
    EXPECT_EQ(frame->GetOutputFileName(), L"");
    theApp.m_noUI = false;
    frame->SetPrinted(false);

    DeleteFileW(existing.c_str());
    RemoveDirectoryW((folder + L"\\folder.xls").c_str());
    RemoveDirectoryW(folder.c_str());
}

TEST_F(ChildFramesTest, SavingAPrintedJobAsMakesItTheUsersDocument)
{
    const std::wstring job = TempPath(L"kest-job-saveas.kest");
    const std::wstring saved = TempPath(L"kest-saved-job.kest");
    DeleteFileW(saved.c_str());
    ASSERT_TRUE(CopyFileW(SampleTable.c_str(), job.c_str(), FALSE));
    CChildFrame* frame = Open(job, true);
    ASSERT_EQ(m_main->GetPrintTarget(), frame);

    DialogUser user({{L"Save As", [&](HWND dialog) {
                          for (int id : {1148, 1152})
                              if (HWND edit = GetDlgItem(dialog, id))
                                  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(saved.c_str()));
                          Click(dialog, IDOK);
                      }}});
    frame->SendMessage(WM_COMMAND, CChildFrame::SaveAsCommand);
    ASSERT_FALSE(user.Missed());
    PumpTranslated();

    EXPECT_TRUE(Exists(saved));
    EXPECT_FALSE(frame->IsPrintedJob());
    EXPECT_EQ(frame->GetDocumentPath(), saved);
    EXPECT_EQ(TextOf(frame->m_hWnd), L"kest-saved-job.kest - [" + saved + L"]");
    EXPECT_EQ(m_main->GetPrintTarget(), nullptr);
    EXPECT_FALSE(Exists(job)) << "the job's temporary file";

    // Closing the frame keeps what the user saved.
    frame->SendMessage(WM_CLOSE);
    PumpTranslated();
    EXPECT_TRUE(Exists(saved));
    DeleteFileW(saved.c_str());
    DeleteFileW(job.c_str());
}

TEST_F(ChildFramesTest, ClosingAsksForModifiedDocumentsAndDeletesPrintedJobs)
{
    // A modified printed job closes without a question and takes its file along.
    const std::wstring job = TempPath(L"kest-job-close.kest");
    ASSERT_TRUE(CopyFileW(SampleTable.c_str(), job.c_str(), FALSE));
    CChildFrame* printed = Open(job, true);
    printed->GetView().ClearLayout();
    ASSERT_TRUE(printed->IsModified());
    printed->SendMessage(WM_CLOSE);
    PumpTranslated();
    EXPECT_FALSE(Exists(job));
    EXPECT_EQ(m_main->GetPrintTarget(), nullptr);

    // A modified document asks; Cancel keeps it open, No closes it unsaved and the file stays.
    CChildFrame* mine = Open(m_copy);
    const HWND window = mine->m_hWnd;
    mine->GetView().ClearLayout();
    struct Case
    {
        int answer;
        bool stillOpen;
    };
    for (const Case& c : {Case{IDCANCEL, true}, Case{IDNO, false}})
    {
        std::wstring question;
        DialogUser user({{L"Kest", [&](HWND box) {
                              HWND text = FindWindowExW(box, nullptr, L"Static", nullptr);
                              while (text && TextOf(text).empty())
                                  text = FindWindowExW(box, text, L"Static", nullptr);
                              question = text ? TextOf(text) : L"";
                              Click(box, c.answer);
                          }}});
        ::SendMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_FALSE(user.Missed());
        PumpTranslated();
        EXPECT_EQ(question, L"Do you wish to save the changes before closing?");
        EXPECT_EQ(IsWindow(window) != FALSE, c.stillOpen) << c.answer;
    }
    EXPECT_TRUE(Exists(m_copy));
}

TEST(PreviewNamesTest, ColumnNamesAndFormatNames)
{
    for (const auto& c : std::vector<std::pair<int, std::wstring>>{
             {1, L"A"}, {26, L"Z"}, {27, L"AA"}, {52, L"AZ"}, {702, L"ZZ"}, {703, L"AAA"}})
        EXPECT_EQ(CConvertingSampleBar::ColumnName(c.first), c.second) << c.first;
    for (const auto& c : std::vector<std::pair<std::wstring, std::wstring>>{
             {L"&Automatic", L"Automatic"}, {L"Ti&me", L"Time"}, {L"A&&B", L"A&B"}, {L"Plain", L"Plain"}})
        EXPECT_EQ(CConvertingSampleBar::StripMnemonics(c.first), c.second) << c.first;
}

class PreviewBarTest : public ChildFramesTest
{
protected:
    void SetUp() override
    {
        ChildFramesTest::SetUp();
        m_frame = OpenWithColumns();
        m_bar = m_frame->GetPreviewBar();
        ASSERT_NE(m_bar, nullptr);
        ASSERT_TRUE(m_bar->IsWindowVisible());
        ASSERT_NE(m_bar->GetGrid(), nullptr);
        ASSERT_GE(m_bar->GetGridView().GetItemCount(), 1);
        ASSERT_GE(m_bar->GetColumnMap().size(), 3u);
    }

    // The screen point in the middle of the grid cell (row, grid-view column).
    POINT CellPoint(int row, int column)
    {
        RECT rect = {};
        rect.top = column;
        rect.left = LVIR_BOUNDS;
        m_bar->GetGridView().SendMessage(LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&rect));
        if (column == 0)
            rect.right = rect.left + m_bar->GetGridView().GetColumnWidth(0);
        POINT point = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        ClientToScreen(m_bar->GetGridView().m_hWnd, &point);
        return point;
    }

    POINT HeaderPoint(int column)
    {
        RECT rect = {};
        CHeaderCtrl* header = m_bar->GetGridView().GetHeaderCtrl();
        header->GetItemRect(column, &rect);
        POINT point = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        ClientToScreen(header->m_hWnd, &point);
        return point;
    }

    void Play(UserInput& input)
    {
        input.Start();
        const DWORD start = GetTickCount();
        while (!input.Done() && GetTickCount() - start < 30000)
            PumpTranslated(10);
        EXPECT_TRUE(input.Done());
        input.Wait();
        PumpTranslated();
    }

    std::set<int32_t> Layout(std::initializer_list<int> viewColumns)
    {
        std::set<int32_t> ids;
        for (int column : viewColumns)
            ids.insert(m_bar->GetColumnMap()[column]);
        return ids;
    }

    const std::set<int32_t>& Selected() { return m_frame->GetView().GetSelection(); }

    CChildFrame* m_frame = nullptr;
    CConvertingSampleBar* m_bar = nullptr;
};

TEST_F(PreviewBarTest, GridShowsTheTableWithSpreadsheetHeadings)
{
    const ConvertingTableGrid* grid = m_bar->GetGrid();
    CListCtrl& view = m_bar->GetGridView();
    EXPECT_EQ(view.GetItemCount(), grid->GetRowCount());
    EXPECT_EQ(static_cast<int>(m_bar->GetColumnMap().size()), grid->GetColumnCount() + 1);
    for (int row = 0; row < grid->GetRowCount(); ++row)
    {
        EXPECT_EQ(std::wstring(view.GetItemText(row, 0)), std::to_wstring(row + 1));
        for (int column = 0; column < grid->GetColumnCount(); ++column)
            EXPECT_EQ(std::wstring(view.GetItemText(row, column + 1)),
                      ConvertingTableGrid::GetCellText(grid->GetCell(column, row), false));
    }
    for (int column = 1; column <= grid->GetColumnCount(); ++column)
    {
        wchar_t text[64] = {};
        LVCOLUMNW heading = {};
        heading.mask = LVCF_TEXT;
        heading.pszText = text;
        heading.cchTextMax = 64;
        view.SendMessage(LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&heading));
        const int32_t format = ConvertedCellFormat(grid->GetColumnFormat(column - 1));
        const wchar_t* names[] = {L"Automatic", L"Text", L"Number", L"Currency", L"Date", L"Time"};
        EXPECT_EQ(std::wstring(text), CConvertingSampleBar::ColumnName(column) + L" [" + names[format] + L"]");
    }
    RedrawWindow(m_main->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpTranslated(300);
    CreateDirectoryW(L"screenshots", nullptr);
    Screenshot shot(m_main->m_hWnd);
    EXPECT_TRUE(shot.Save("screenshots/child-frame-with-preview.bmp"));
}

// A layout whose columns are all left unconverted previews its rows by number alone.
TEST_F(PreviewBarTest, ALayoutWithoutAConvertedColumnShowsOnlyTheRowNumbers)
{
    LayoutView& view = m_frame->GetView();
    for (int column = 0; column < view.GetLayout().GetColumnCount(); ++column)
        view.GetLayout().GetColumn(column).flag = 0;
    view.UpdatePreview();
    PumpTranslated();
    ASSERT_NE(m_bar->GetGrid(), nullptr);
    EXPECT_EQ(m_bar->GetColumnMap(), std::vector<int32_t>{-1});
    CListCtrl& list = m_bar->GetGridView();
    EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 1);
    EXPECT_EQ(list.GetItemCount(), m_bar->GetGrid()->GetRowCount());
    for (int row = 0; row < list.GetItemCount(); ++row)
        EXPECT_EQ(std::wstring(list.GetItemText(row, 0)), std::to_wstring(row + 1));
}

TEST_F(PreviewBarTest, PressesAndHeaderClicksSelectLayoutColumns)
{
    struct Step
    {
        const char* what;
        std::function<void(UserInput&)> act;
        std::set<int32_t> expected;
    };
    const std::vector<Step> steps = {
        {"plain press", [&](UserInput& in) { in.MoveTo(CellPoint(0, 2)).LeftDown().LeftUp(); }, Layout({2})},
        {"ctrl press adds",
         [&](UserInput& in) {
             in.DisplayKey("ctrl", true).MoveTo(CellPoint(0, 1)).LeftDown().LeftUp().DisplayKey("ctrl", false);
         },
         Layout({1, 2})},
        {"ctrl press removes",
         [&](UserInput& in) {
             in.DisplayKey("ctrl", true).MoveTo(CellPoint(0, 2)).LeftDown().LeftUp().DisplayKey("ctrl", false);
         },
         Layout({1})},
        {"press on the row number", [&](UserInput& in) { in.MoveTo(CellPoint(0, 0)).LeftDown().LeftUp(); },
         Layout({1})},
        {"header click", [&](UserInput& in) { in.MoveTo(HeaderPoint(2)).LeftDown().LeftUp(); }, Layout({2})},
        {"ctrl header click",
         [&](UserInput& in) {
             in.DisplayKey("ctrl", true).MoveTo(HeaderPoint(1)).LeftDown().LeftUp().DisplayKey("ctrl", false);
         },
         Layout({1, 2})},
        {"right press on a selected column", [&](UserInput& in) { in.MoveTo(CellPoint(0, 3)).RightDown(); },
         Layout({3})},
    };
    for (const Step& step : steps)
    {
        UserInput input;
        step.act(input);
        Play(input);
        EXPECT_EQ(Selected(), step.expected) << step.what;
        EXPECT_EQ(m_bar->GetSelected(), step.expected) << step.what;
    }
    // The list's own selection never changes.
    EXPECT_EQ(m_bar->GetGridView().GetSelectedCount(), 0u);
    UserInput release;
    release.RightUp().Pause(300).Press(VK_ESCAPE);
    Play(release);
}

TEST_F(PreviewBarTest, SelectedColumnsRowsAndCellsAreDrawnHighlighted)
{
    // The share of a grid cell's pixels in the colour (cells hold a little text on their background).
    auto share = [&](const Screenshot& shot, int row, int column, COLORREF colour) {
        RECT rect = {};
        rect.top = column;
        rect.left = LVIR_BOUNDS;
        m_bar->GetGridView().SendMessage(LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&rect));
        if (column == 0)
            rect.right = rect.left + m_bar->GetGridView().GetColumnWidth(0);
        int hits = 0, all = 0;
        for (int y = rect.top + 1; y < rect.bottom - 1; ++y)
            for (int x = rect.left + 1; x < rect.right - 1; ++x, ++all)
                hits += shot.At(x, y) == colour;
        return all ? hits * 100 / all : 0;
    };
    struct Case
    {
        const char* what;
        UINT kind;
        std::vector<std::pair<int, int>> highlighted, plain; // (row, grid-view column)
    };
    const std::vector<Case> cases = {
        {"columns", LayoutView::CmdSelectColumns, {{0, 2}, {1, 2}}, {{0, 1}, {1, 3}}},
        {"rows", LayoutView::CmdSelectColumns + 1, {{1, 1}, {1, 2}, {1, 3}}, {{0, 2}, {2, 2}}},
        {"cells", LayoutView::CmdSelectColumns + 2, {{1, 2}}, {{1, 1}, {0, 2}, {2, 2}}},
    };
    m_frame->GetView().SetRowAndCellEditing(true);
    for (const Case& c : cases)
    {
        m_frame->GetView().OnSelectionMode(c.kind);
        PumpTranslated();
        EXPECT_TRUE(m_bar->GetSelected().empty()) << c.what;
        UserInput press;
        press.MoveTo(CellPoint(1, 2)).LeftDown().LeftUp().MoveTo(HeaderPoint(0));
        Play(press);
        ASSERT_EQ(Selected().size(), 1u) << c.what;
        RedrawWindow(m_bar->GetGridView().m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        PumpTranslated(100);
        Screenshot shot(m_bar->GetGridView().m_hWnd);
        const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
        for (const auto& cell : c.highlighted)
            EXPECT_GT(share(shot, cell.first, cell.second, highlight), 50)
                << c.what << " " << cell.first << "," << cell.second;
        for (const auto& cell : c.plain)
        {
            EXPECT_EQ(share(shot, cell.first, cell.second, highlight), 0)
                << c.what << " " << cell.first << "," << cell.second;
            EXPECT_GT(share(shot, cell.first, cell.second, GetSysColor(COLOR_WINDOW)), 50)
                << c.what << " " << cell.first << "," << cell.second;
        }
        // The row numbers keep the button face.
        EXPECT_GT(share(shot, 1, 0, GetSysColor(COLOR_BTNFACE)), 50) << c.what;
    }
    m_frame->GetView().SetRowAndCellEditing(false);
}

// True when a popup menu of this process is on the screen.
// The format menu comes in the program's own menu style.
bool MenuShown()
{
    CKTPopupMenu* menu = CKTPopupMenu::GetActiveMenu();
    return menu && menu->m_hWnd && IsWindowVisible(menu->m_hWnd);
}

TEST_F(PreviewBarTest, RightClickOpensTheFormatMenuOnlyOnSelectedColumns)
{
    struct Case
    {
        const char* what;
        bool selectFirst;
        bool menu;
    };
    for (const Case& c : {Case{"unselected column", false, false}, Case{"selected column", true, true}})
    {
        m_frame->GetView().SetSelection({});
        PumpTranslated();
        if (c.selectFirst)
        {
            UserInput select;
            select.MoveTo(CellPoint(0, 1)).LeftDown().LeftUp();
            Play(select);
        }
        std::atomic<bool> shown{false};
        UserInput input;
        input.MoveTo(CellPoint(0, 1)).RightDown().RightUp().Pause(600).Call([&] { shown = MenuShown(); });
        input.Press(VK_ESCAPE);
        Play(input);
        EXPECT_EQ(shown.load(), c.menu) << c.what;
        EXPECT_EQ(Selected(), Layout({1})) << c.what;
    }
}

TEST_F(PreviewBarTest, APressInTheGridClosesAnOpenMenuAndTakesTheKeysFromAToolbar)
{
    struct Case
    {
        const char* what;
        std::function<void(UserInput&)> press;
        std::set<int32_t> selected;
    };
    const std::vector<Case> cases = {
        {"left press", [&](UserInput& in) { in.MoveTo(CellPoint(0, 2)).LeftDown().LeftUp(); }, Layout({2})},
        {"right press", [&](UserInput& in) { in.MoveTo(CellPoint(0, 1)).RightDown().RightUp(); }, Layout({1})},
    };
    for (const Case& c : cases)
    {
        HMENU menu = CreatePopupMenu();
        AppendMenuW(menu, MF_STRING, 34140, L"&Automatic");
        AppendMenuW(menu, MF_STRING, 34141, L"&Text");
        RECT main = {};
        GetWindowRect(m_main->m_hWnd, &main);
        auto* popup = new CKTPopupMenu;
        ASSERT_TRUE(popup->Create(m_main, main.left + 40, main.top + 60, menu, FALSE, TRUE));
        const HWND popupWindow = popup->m_hWnd;
        PumpTranslated();
        ASSERT_EQ(CKTPopupMenu::GetActiveMenu(), popup) << c.what;
        m_frame->GetPageBar().SetFocus();
        ASSERT_EQ(GetFocus(), m_frame->GetPageBar().m_hWnd) << c.what;

        UserInput input;
        c.press(input);
        Play(input);
        EXPECT_FALSE(IsWindow(popupWindow)) << c.what;
        EXPECT_EQ(CKTPopupMenu::GetActiveMenu(), nullptr) << c.what;
        // The main window took the keys (and hands them on as it does); the bar lost them.
        const HWND focus = GetFocus();
        EXPECT_NE(focus, m_frame->GetPageBar().m_hWnd) << c.what;
        EXPECT_TRUE(focus == m_main->m_hWnd || IsChild(m_main->m_hWnd, focus)) << c.what;
        EXPECT_EQ(Selected(), c.selected) << c.what;
    }
}

TEST_F(PreviewBarTest, TextPreviewAlignsByDirectionAndLetsGoOfTheGrid)
{
    struct Case
    {
        std::wstring text;
        WORD alignment;
        bool rightToLeft;
    };
    for (const Case& c : {Case{L"\x05e9\x05dc\x05d5\x05dd \x05e2\x05d5\x05dc\x05dd", PFA_RIGHT, true},
                          Case{L"Plain Latin text", PFA_LEFT, false}})
    {
        m_bar->SetPreviewText(c.text);
        PumpTranslated();
        CSmartRichEditCtrl& text = m_bar->GetTextView();
        EXPECT_TRUE(text.IsWindowVisible());
        EXPECT_EQ(text.GetDlgCtrlID(), 59648);
        EXPECT_FALSE(m_bar->GetGridView().IsWindowVisible());
        EXPECT_EQ(m_bar->GetGridView().GetDlgCtrlID(), 59649);
        PARAFORMAT2 paragraph = {};
        paragraph.dwMask = PFM_ALIGNMENT | PFM_RTLPARA;
        text.SetSel(0, -1);
        text.GetParaFormat(paragraph);
        EXPECT_EQ(paragraph.wAlignment, c.alignment);
        EXPECT_EQ((paragraph.wEffects & PFE_RTLPARA) != 0, c.rightToLeft);
        // Read back from the screen: the words stand at the side their direction starts from.
        text.SetSel(0, 0);
        RedrawWindow(text.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        PumpTranslated(200);
        Screenshot shot(text.m_hWnd);
        RECT client = {};
        GetClientRect(text.m_hWnd, &client);
        const int width = client.right;
        int leftmost = width, rightmost = -1;
        for (int y = 0; y < std::min(static_cast<int>(client.bottom), 20); ++y)
            for (int x = 0; x < width; ++x)
                if (GetRValue(shot.At(x, y)) < 128)
                {
                    leftmost = std::min(leftmost, x);
                    rightmost = std::max(rightmost, x);
                }
        ASSERT_GE(rightmost, 0) << "no text drawn";
        if (c.rightToLeft)
            EXPECT_GT(leftmost, width / 2);
        else
            EXPECT_LT(rightmost, width / 2);
    }
    // The text preview let go of the grid: showing the bar again draws no freed table.
    EXPECT_EQ(m_bar->GetGrid(), nullptr);
    m_frame->SendMessage(WM_COMMAND, CConvertingFrame::PreviewBarCommand);
    PumpTranslated();
    EXPECT_FALSE(m_bar->IsWindowVisible());
    m_frame->SendMessage(WM_COMMAND, CConvertingFrame::PreviewBarCommand);
    PumpTranslated();
    EXPECT_TRUE(m_bar->IsWindowVisible());
    EXPECT_TRUE(m_bar->GetGridView().IsWindowVisible());
    EXPECT_EQ(m_bar->GetGridView().GetItemCount(), 0);
}

TEST_F(PreviewBarTest, AHiddenBarKeepsThePreviewAndShowsItWhenShown)
{
    m_frame->SendMessage(WM_COMMAND, CConvertingFrame::PreviewBarCommand);
    PumpTranslated();
    ASSERT_FALSE(m_bar->IsWindowVisible());
    m_frame->GetView().ClearLayout();
    PumpTranslated();
    // Stored but not drawn: the grid view still shows the old table.
    EXPECT_EQ(m_bar->GetGrid(), nullptr);
    EXPECT_GT(m_bar->GetGridView().GetItemCount(), 0);
    m_frame->SendMessage(WM_COMMAND, CConvertingFrame::PreviewBarCommand);
    PumpTranslated();
    EXPECT_TRUE(m_bar->IsWindowVisible());
    EXPECT_EQ(m_bar->GetGridView().GetItemCount(), 0);
    EXPECT_EQ(theApp.GetProfileInt(L"Settings", L"SampleBarShow", 7), 1u);
}

} // namespace

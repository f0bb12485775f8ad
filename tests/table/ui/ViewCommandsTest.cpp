// The page view's commands as the user runs them: conversions to the clipboard and to the
// stand-in spreadsheet, targets that are not installed, the close checks after success and
// failure, the no-user-interface endings, further print jobs, paging, saving, the repaint margin
// and the scroll while a drag is held outside the window.
#include "tests/table/ui/PageViewFixture.h"

#include "hosts/officestubs/StubClient.h"
#include "tests/support/WorkFileBuilder.h"

namespace
{

constexpr const wchar_t* WordMissing =
    L"Microsoft Word must be installed on this computer for this option to be available";
constexpr const wchar_t* NotConverted = L"The data was not converted; do you wish to close the file anyway?";

std::wstring TempFile(const wchar_t* name)
{
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class ViewCommandsTest : public PageViewTest
{
protected:
    void SetUp() override
    {
        PageViewTest::SetUp();
        ASSERT_FALSE(m_view.GetLayout().IsEmpty()) << "the sample holds a stored layout";
        m_shell.m_options.m_askConvertPages = false;
        m_shell.m_options.m_convertPages = 0;
    }
    bool Enabled(UINT command)
    {
        CTestCmdUI ui;
        ui.m_nID = command;
        m_view.OnCmdMsg(command, static_cast<int>(CN_UPDATE_COMMAND_UI), &ui, nullptr);
        return ui.m_bEnabled != FALSE;
    }
};

TEST_F(ViewCommandsTest, ClipboardTextConversionRunsUnderTheProgressDialog)
{
    officestubs::EmptyTheClipboard();
    m_shell.m_options.m_target = TargetClipboardText;
    m_view.SendMessage(WM_COMMAND, LayoutView::CmdConvert);
    EXPECT_EQ(m_shell.m_messages, std::vector<std::wstring>{});
    const std::wstring text = officestubs::ClipboardText();
    EXPECT_NE(text.find(L"Paper A4"), std::wstring::npos) << text;
    EXPECT_NE(text.find(L"\t"), std::wstring::npos) << text;
    EXPECT_TRUE(m_view.IsConverted());
    m_shell.m_runFlags = LayoutShell::RunWarnUnconverted;
    EXPECT_TRUE(m_view.CanClose());
    EXPECT_TRUE(m_shell.m_messages.empty());
}

TEST_F(ViewCommandsTest, SpreadsheetStandInReceivesTheTable)
{
    ASSERT_EQ(officestubs::RegisterOfficeStubs(), S_OK);
    officestubs::StubSession session;
    m_shell.m_options.m_excelInstalled = true;
    m_shell.m_options.m_target = TargetExcelSheet;
    m_view.OnConvert();
    EXPECT_TRUE(m_shell.m_messages.empty());
    EXPECT_TRUE(session.Logged("Excel Application.Visible = true"));
    EXPECT_TRUE(m_view.IsConverted());
}

TEST_F(ViewCommandsTest, ConvertToStoresTheTargetAndAMissingOneLeavesTheViewUnconverted)
{
    m_shell.m_options.m_wordInstalled = false;
    m_view.SendMessage(WM_COMMAND, LayoutView::CmdConvertToFirst + TargetClipboardWord);
    EXPECT_EQ(m_shell.m_options.m_target, TargetClipboardWord);
    EXPECT_EQ(m_shell.m_convertButtonUpdates, 1);
    ASSERT_EQ(m_shell.m_messages.size(), 1u);
    EXPECT_EQ(m_shell.m_messages[0], WordMissing);
    EXPECT_FALSE(m_view.IsConverted());

    // Closing tries once more, then asks; No keeps the view, Yes closes it.
    struct Case
    {
        int answer;
        bool canClose;
    } cases[] = {{IDNO, false}, {IDYES, true}};
    for (const Case& c : cases)
    {
        m_shell.m_messages.clear();
        m_shell.m_runFlags = LayoutShell::RunWarnUnconverted;
        m_shell.m_answers = {IDOK, c.answer};
        EXPECT_EQ(m_view.CanClose(), c.canClose);
        ASSERT_EQ(m_shell.m_messages.size(), 2u);
        EXPECT_EQ(m_shell.m_messages[0], WordMissing);
        EXPECT_EQ(m_shell.m_messages[1], NotConverted);
    }
    // Without the flag the view closes without asking.
    m_shell.m_messages.clear();
    m_shell.m_runFlags = 0;
    EXPECT_TRUE(m_view.CanClose());
    EXPECT_EQ(m_shell.m_messages.size(), 1u);
}

TEST_F(ViewCommandsTest, WithoutUserInterfaceAFailureClosesTheFrameWith301)
{
    m_shell.m_noUI = true;
    m_shell.m_options.m_target = TargetClipboardWord;
    m_view.OnConvert();
    EXPECT_EQ(m_shell.m_exitCode, 301);
    Pump(100);
    EXPECT_FALSE(IsWindow(m_frame.m_window));
}

TEST_F(ViewCommandsTest, WithoutUserInterfaceClipboardTextRunsOnThisThread)
{
    officestubs::EmptyTheClipboard();
    m_shell.m_noUI = true;
    m_shell.m_options.m_target = TargetClipboardText;
    m_view.OnConvert();
    EXPECT_EQ(m_shell.m_exitCode, 0);
    EXPECT_NE(officestubs::ClipboardText().find(L"Paper A4"), std::wstring::npos);
    EXPECT_TRUE(m_view.IsConverted());
}

TEST_F(ViewCommandsTest, AddedJobsPageAndDeleteTheirFileOnlyOnSuccess)
{
    const std::wstring job = TempFile(L"kest-added-job.kest");
    const std::wstring junk = TempFile(L"kest-junk-job.kest");
    ASSERT_TRUE(CopyFileW(SampleTable.c_str(), job.c_str(), FALSE));
    FILE* file = _wfopen(junk.c_str(), L"wb");
    ASSERT_NE(file, nullptr);
    fputs("not an archive", file);
    fclose(file);

    EXPECT_FALSE(Enabled(34122));
    EXPECT_FALSE(Enabled(34128));
    EXPECT_FALSE(m_view.AddPrintedFile(junk));
    EXPECT_TRUE(FileExists(junk));
    EXPECT_EQ(m_view.GetPageCount(), 1);
    ASSERT_TRUE(m_view.AddPrintedFile(job));
    EXPECT_FALSE(FileExists(job));
    EXPECT_EQ(m_view.GetPageCount(), 2);

    struct Step
    {
        UINT command;
        int32_t page;
        bool next, previous;
    } steps[] = {{34122, 2, false, true}, {34123, 1, true, false}, {34127, 2, false, true}, {34124, 1, true, false}};
    for (const Step& s : steps)
    {
        m_view.SendMessage(WM_COMMAND, s.command);
        EXPECT_EQ(m_view.GetCurrentPageNumber(), s.page) << s.command;
        EXPECT_EQ(m_frame.m_pageBox, s.page) << s.command;
        EXPECT_EQ(Enabled(34122), s.next) << s.command;
        EXPECT_EQ(Enabled(34127), s.next) << s.command;
        EXPECT_EQ(Enabled(34123), s.previous) << s.command;
        EXPECT_TRUE(Enabled(34128));
    }
    // The go-to prompt: a page beyond the count is refused with the range.
    m_shell.m_pageNumber = L"3";
    m_view.SendMessage(WM_COMMAND, 34128);
    EXPECT_EQ(m_view.GetCurrentPageNumber(), 1);
    ASSERT_EQ(m_shell.m_messages.size(), 1u);
    EXPECT_NE(m_shell.m_messages[0].find(L"from 1 up to 2, which is the last page"), std::wstring::npos);
    m_shell.m_pageNumber = L"2";
    m_view.SendMessage(WM_COMMAND, 34128);
    EXPECT_EQ(m_view.GetCurrentPageNumber(), 2);
    DeleteFileW(junk.c_str());
}

TEST_F(ViewCommandsTest, SaveAsMovesTheDocumentOnlyWhenTheSaveWorked)
{
    const std::wstring target = TempFile(L"kest-saved-as.kest");
    DeleteFileW(target.c_str());
    m_frame.m_documentName = L"C:\\Jobs\\Invoice.kest";
    m_shell.m_savePath = target;
    ASSERT_TRUE(m_view.SaveDocumentAs());
    EXPECT_EQ(m_shell.m_proposedNames.back(), L"C"); // cut at the first ':'
    EXPECT_TRUE(FileExists(target));
    EXPECT_EQ(m_view.GetWorkFile().GetFileName(), target);
    EXPECT_EQ(m_frame.m_documentName, target);

    m_shell.m_savePath = L"Z:\\kest-no-such-folder\\x.kest";
    EXPECT_FALSE(m_view.SaveDocumentAs());
    EXPECT_EQ(m_shell.m_messages.back(), L"Cannot save the file");
    EXPECT_EQ(m_view.GetWorkFile().GetFileName(), target);
    EXPECT_TRUE(m_view.GoToPage(1));

    // A document whose file was made read-only is refused as Windows refuses it, unchanged.
    m_shell.m_messages.clear();
    const std::string before = officestubs::ReadFileBytes(target);
    ASSERT_TRUE(SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(m_view.SaveDocument());
    EXPECT_EQ(m_shell.m_messages, std::vector<std::wstring>{L"Cannot save the file"});
    EXPECT_EQ(officestubs::ReadFileBytes(target), before);
    SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(m_view.GoToPage(1));

    // A layout the reader would refuse is not stored: the save fails and the file keeps its layout.
    m_shell.m_messages.clear();
    ConvertingTableLayout broken = m_view.GetLayout();
    ASSERT_TRUE(broken.InsertRowLine(0, broken.GetTableRect().bottom + 50));
    m_view.GetLayout() = broken;
    EXPECT_FALSE(m_view.SaveDocument());
    EXPECT_EQ(m_shell.m_messages, std::vector<std::wstring>{L"Cannot save the file"});
    DeleteFileW(target.c_str());
}

TEST_F(ViewCommandsTest, LayoutChangesRepaintTwentyOnePixelsAround)
{
    m_view.SetZoom(50, false);
    Pump();
    ValidateRect(m_view.m_hWnd, nullptr);
    m_view.SetSelection({0});
    RECT update;
    ASSERT_TRUE(GetUpdateRect(m_view.m_hWnd, &update, FALSE));
    RECT table = m_view.GetLayout().GetTableRect();
    const POINT a = m_view.PageToWindow({table.left, table.top});
    const POINT b = m_view.PageToWindow({table.right, table.bottom});
    RECT client;
    GetClientRect(m_view.m_hWnd, &client);
    EXPECT_EQ(update.left, std::max<LONG>(client.left, a.x - 21));
    EXPECT_EQ(update.top, std::max<LONG>(client.top, a.y - 21));
    EXPECT_EQ(update.right, std::min<LONG>(client.right, b.x + 21));
    EXPECT_EQ(update.bottom, std::min<LONG>(client.bottom, b.y + 21));
}

TEST_F(ViewCommandsTest, BandHeldBelowTheWindowKeepsScrolling)
{
    m_view.ClearLayout();
    m_view.SetZoom(m_view.GetMaxZoom(), false);
    m_view.ScrollTo(0, 0);
    Pump();
    POINT start = {100, 100};
    ClientToScreen(m_view.m_hWnd, &start);
    MoveMouse(start);
    MoveMouse(start, MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(m_view.IsDrawingBand());
    RECT window;
    GetWindowRect(m_view.m_hWnd, &window);
    MoveMouse({start.x, window.bottom + 30});
    const int first = m_view.GetScrollY();
    Pump(1000);
    const int later = m_view.GetScrollY();
    EXPECT_GE(later - first, 20);
    EXPECT_LE(later - first, 50);
    EXPECT_EQ((later - first) % 10, 0);
    MoveMouse({start.x, window.bottom + 30}, MOUSEEVENTF_LEFTUP);
    EXPECT_FALSE(m_view.IsDrawingBand());
}

TEST_F(ViewCommandsTest, FitWidthOnAnEmptyPageDoesNothing)
{
    CChildView empty;
    ASSERT_TRUE(empty.Create(&m_host, CRect(0, 0, 100, 100), 1));
    const int32_t zoom = empty.GetZoom();
    empty.SendMessage(WM_COMMAND, 34161);
    EXPECT_EQ(empty.GetZoom(), zoom);
    empty.DestroyWindow();
}

} // namespace

namespace
{

// Holds a key down through xdotool, whose modifier survives the click (one pressed through
// SendInput is lost at the button press).
bool XdoTool(const wchar_t* arguments)
{
    std::wstring command = std::wstring(L"Z:\\usr\\bin\\xdotool ") + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    Pump(100);
    return true;
}

TEST_F(ViewCommandsTest, ClicksWithCtrlAndShiftChooseColumnsAndTheMenuTakesTheClickedOne)
{
    const ConvertingTableLayout& layout = m_view.GetLayout();
    ASSERT_GE(layout.GetColumnCount(), 3);
    m_view.SetZoom(25, false);
    m_view.ScrollTo(0, 0);
    Pump();
    auto clickColumn = [&](int column, DWORD down, DWORD up) {
        // The middle of the column's first cell, clear of every line.
        const RECT cell = layout.GetCellRect(column, 0);
        const POINT screen = ScreenOfPage((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2);
        MoveMouse(screen);
        MoveMouse(screen, down);
        MoveMouse(screen, up);
    };
    clickColumn(0, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(m_view.GetSelection(), (std::set<int32_t>{0}));
    ASSERT_TRUE(XdoTool(L"keydown ctrl"));
    clickColumn(2, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    XdoTool(L"keyup ctrl");
    EXPECT_EQ(m_view.GetSelection(), (std::set<int32_t>{0, 2}));
    clickColumn(0, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(XdoTool(L"keydown shift"));
    clickColumn(2, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    XdoTool(L"keyup shift");
    EXPECT_EQ(m_view.GetSelection(), (std::set<int32_t>{0, 1, 2}));
    EXPECT_TRUE(Enabled(34170)); // merge: a run of neighbouring columns
    EXPECT_FALSE(Enabled(34169));

    // The right button on a column outside the selection makes it the selection, then the menu.
    clickColumn(0, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    clickColumn(1, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    EXPECT_EQ(m_view.GetSelection(), (std::set<int32_t>{1}));
    EXPECT_EQ(m_shell.m_menus, std::vector<UINT>{2046});
}

} // namespace

namespace {

TEST(PageViewPagingTest, APageThatCannotBeShownLeavesTheViewWhollyOnItsPage)
{
    TestShell shell;
    TestFrame frame;
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"kest-bad-second-page.kest";
    WorkFileBuilder builder(96);
    CDCPage& first = builder.AddPage();
    AddFontItem(first, L"Arial", 10);
    AddEvenText(first, 10, 10, 30, L"Hello world", 8);
    builder.SetImage(1, BlankBitmapFile(200, 100, 24));
    CDCPage& second = builder.AddPage();
    AddFontItem(second, L"Arial", 10);
    AddEvenText(second, 10, 40, 60, L"Other", 8);
    builder.SetImage(2, {'B', 'M', 1, 2, 3});  // no bitmap at all
    ASSERT_TRUE(builder.Write(path));

    CChildView view;
    view.SetFrame(&frame);
    ASSERT_TRUE(view.LoadFile(path));
    const int32_t width = view.GetPageWidth(), height = view.GetPageHeight();
    const int words = view.GetWords().GetCount();
    const std::vector<int32_t> order = view.GetLeftToRightOrder();
    ASSERT_GT(words, 0);
    EXPECT_FALSE(view.GoToPage(2));
    EXPECT_EQ(view.GetCurrentPageNumber(), 1);
    EXPECT_EQ(frame.m_pageBox, 1);
    EXPECT_EQ(view.GetPageWidth(), width);
    EXPECT_EQ(view.GetPageHeight(), height);
    EXPECT_EQ(view.GetWords().GetCount(), words);
    EXPECT_EQ(view.GetLeftToRightOrder(), order);
    view.GetWorkFile().Close();
    DeleteFileW(path.c_str());
}

} // namespace

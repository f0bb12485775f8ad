// KEST.exe started as a user starts it, driven with the mouse and the keyboard and read from
// outside: the zoom box, two tiled jobs' page boxes and the main title, a stored layout with
// merged cells, and Open Layout's recent page. Each step leaves a picture in the build folder.
#include "pagemodel/CDCWorkFile.h"
#include "pagemodel/OxReadWrite.h"
#include "table/ConvertingTableLayout.h"
#include "tests/app/DialogUser.h"
#include "tests/app/ProgramProcess.h"
#include "tests/framework/input/UserInput.h"
#include "tests/support/MemoryDC.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{

using namespace program_process;

constexpr const wchar_t* MainClass = L"QuillmereKestMainFrame";
constexpr DWORD CloseDelayOfSplash = 1500;
constexpr const wchar_t* LayoutListKey = L"Software\\QuillMere\\KEST\\Layout File List";
constexpr const wchar_t* MergedCellsQuestion =
    L"The layout contains merged cells, which are only available in Row and Cell Editing Mode.\nDo you wish enter "
    L"that mode?\nPress Yes to change modes\nPress No to split all the merged cells";

std::wstring TempPath(const wchar_t* name)
{
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

std::wstring Sample(const wchar_t* name)
{
    return WindowsPath((std::wstring(L"" KEST_SOURCE_DIR) + L"/samples/" + name).c_str());
}

bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds = 30000)
{
    const DWORD start = GetTickCount();
    while (!condition())
    {
        if (GetTickCount() - start > milliseconds)
            return false;
        Sleep(50);
    }
    return true;
}

DWORD ProcessOf(HWND window)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

struct TopSearch
{
    DWORD process;
    const wchar_t* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopWindow(HWND window, LPARAM param)
{
    auto* s = reinterpret_cast<TopSearch*>(param);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (ProcessOf(window) == s->process && IsWindowVisible(window) &&
        (!s->className || std::wstring(name) == s->className))
        s->found.push_back(window);
    return TRUE;
}

// The visible top-level windows of the process with that class (any class when null).
std::vector<HWND> TopWindows(DWORD process, const wchar_t* className)
{
    TopSearch search = {process, className, {}};
    EnumWindows(CollectTopWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct ChildSearch
{
    const std::function<bool(HWND)>* accept;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM param)
{
    auto* s = reinterpret_cast<ChildSearch*>(param);
    if ((*s->accept)(window))
        s->found.push_back(window);
    return TRUE;
}

// The descendants of the window that the test accepts.
std::vector<HWND> Descendants(HWND root, const std::function<bool(HWND)>& accept)
{
    ChildSearch search = {&accept, {}};
    EnumChildWindows(root, CollectChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A control's text asked of the control itself: the caption the system keeps for a window of
// another process is not what an edit or combo box holds.
std::wstring ControlText(HWND control)
{
    wchar_t text[256] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(control, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &copied);
    return text;
}

bool IsClass(HWND window, const wchar_t* className)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return std::wstring(name) == className;
}

void Play(UserInput& input)
{
    input.Start();
    input.Wait();
}

void ClickAt(POINT at)
{
    UserInput input;
    input.MoveTo(at).LeftDown().LeftUp();
    Play(input);
}

POINT Centre(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void SavePicture(HWND window, const wchar_t* name)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(200);
    RECT rect = {};
    GetWindowRect(window, &rect);
    CreateDirectoryW(L"screenshots", nullptr);
    EXPECT_TRUE(SaveScreenArea((std::wstring(L"screenshots/") + name).c_str(), rect));
}

// A message box's text, from outside its process.
std::wstring MessageText(HWND box)
{
    for (HWND text : Descendants(box, [](HWND w) { return IsClass(w, L"Static"); }))
        if (!TextOf(text).empty())
            return TextOf(text);
    return L"";
}

// KEST.exe run by the test: started with its arguments, its main window found, and closed at the
// end, every question of its closing answered No.
class Program
{
public:
    explicit Program(const std::wstring& arguments)
    {
        m_process = StartProcess(WindowsPath(L"" KEST_PROGRAM_EXE), arguments, &m_id);
    }
    ~Program() { Close(); }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    DWORD Id() const { return m_id; }
    bool Running() const { return m_process && WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT; }
    // The shown main window, after the documents of the command line opened and the start-up
    // picture, which stays above everything until its timer ends, went.
    HWND Main(size_t documents)
    {
        WaitFor(
            [&] {
                const std::vector<HWND> mains = TopWindows(m_id, MainClass);
                m_main = mains.empty() ? nullptr : mains.front();
                return m_main && Documents().size() == documents;
            },
            120000);
        WaitFor(
            [&] {
                for (HWND window : TopWindows(m_id, nullptr))
                    if (TextOf(window) == L"Kest Loading...")
                        return false;
                return true;
            },
            20000);
        return m_main;
    }
    std::vector<HWND> Documents() const
    {
        std::vector<HWND> children;
        HWND client = m_main ? FindWindowExW(m_main, nullptr, L"MDIClient", nullptr) : nullptr;
        for (HWND child = client ? GetWindow(client, GW_CHILD) : nullptr; child; child = GetWindow(child, GW_HWNDNEXT))
            children.push_back(child);
        return children;
    }
    // A message box or dialog of the program with that caption, once it shows.
    HWND Dialog(const wchar_t* caption, DWORD milliseconds = 120000)
    {
        HWND found = nullptr;
        WaitFor(
            [&] {
                for (HWND window : TopWindows(m_id, L"#32770"))
                    if (TextOf(window) == caption)
                        found = window;
                return found != nullptr;
            },
            milliseconds);
        return found;
    }
    void Close()
    {
        if (!m_process)
            return;
        const DWORD start = GetTickCount();
        DWORD asked = 0;
        while (WaitForSingleObject(m_process, 100) == WAIT_TIMEOUT && GetTickCount() - start < 30000)
        {
            // The program refuses a close while one of its questions is open: asked again.
            if (m_main && IsWindow(m_main) && GetTickCount() - asked > 1000)
            {
                PostMessageW(m_main, WM_CLOSE, 0, 0);
                asked = GetTickCount();
            }
            for (HWND box : TopWindows(m_id, L"#32770"))
                if (HWND no = GetDlgItem(box, IDNO))
                    PostMessageW(no, BM_CLICK, 0, 0);
        }
        // A copy that would not end is no user's: the test ends its own process.
        if (WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT)
        {
            ADD_FAILURE() << "KEST.exe did not close";
            TerminateProcess(m_process, 1);
        }
        CloseHandle(m_process);
        m_process = nullptr;
    }

private:
    HANDLE m_process = nullptr;
    DWORD m_id = 0;
    HWND m_main = nullptr;
};

// The width in pixels of the page drawn across the middle row of the view; the view's own
// background colour is no page.
int PageWidth(HWND view)
{
    RECT client = {};
    GetClientRect(view, &client);
    POINT row = {0, client.bottom / 2};
    ClientToScreen(view, &row);
    const COLORREF background = GetSysColor(COLOR_APPWORKSPACE);
    int first = -1, last = -1;
    for (int x = 0; x < client.right; ++x)
        if (ScreenPixel({row.x + x, row.y}) != background)
        {
            if (first < 0)
                first = x;
            last = x;
        }
    return first < 0 ? 0 : last - first + 1;
}

// The screen's pixels of a rectangle, read at once (row by row, 0x00RRGGBB).
struct ScreenPixels
{
    explicit ScreenPixels(const RECT& area)
        : left(area.left), top(area.top), width(area.right - area.left), height(area.bottom - area.top),
          pixels(static_cast<size_t>(width) * height)
    {
        MemoryDC surface(width, height);
        HDC screen = GetDC(nullptr);
        BitBlt(surface, 0, 0, width, height, screen, left, top, SRCCOPY);
        ReleaseDC(nullptr, screen);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
            {
                const COLORREF colour = surface.Pixel(x, y);
                pixels[static_cast<size_t>(y) * width + x] =
                    (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
            }
    }
    DWORD At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
    int left, top, width, height;
    std::vector<DWORD> pixels;
};

// The screen x of the table's vertical lines drawn in the view (the layout's strong orange),
// from the left, and the middle of the rows where the first inner one shows.
std::vector<int> TableLines(HWND view, int& middle)
{
    RECT client = {};
    GetClientRect(view, &client);
    POINT origin = {0, 0};
    ClientToScreen(view, &origin);
    const ScreenPixels shot({origin.x, origin.y, origin.x + client.right, origin.y + client.bottom});
    // Orange as the page view draws it over the page: red full, green about half, little blue.
    auto orange = [&](int x, int y) {
        const DWORD c = shot.At(x, y);
        const DWORD r = c >> 16, g = (c >> 8) & 0xFF, b = c & 0xFF;
        return r > 230 && g >= 96 && g <= 180 && b < 110;
    };
    std::vector<int> hits(static_cast<size_t>(shot.width));
    std::vector<int> firstRow(static_cast<size_t>(shot.width), -1), lastRow(static_cast<size_t>(shot.width), -1);
    for (int y = 0; y < shot.height; y += 2)
        for (int x = 0; x < shot.width; ++x)
            if (orange(x, y) && (x == 0 || !orange(x - 1, y)))
            {
                ++hits[static_cast<size_t>(x)];
                if (firstRow[static_cast<size_t>(x)] < 0)
                    firstRow[static_cast<size_t>(x)] = y;
                lastRow[static_cast<size_t>(x)] = y;
            }
    std::vector<int> lines;
    for (int x = 0; x < shot.width; ++x)
        if (hits[static_cast<size_t>(x)] >= 8 && (lines.empty() || x > lines.back() - origin.x + 3))
            lines.push_back(origin.x + x);
    if (lines.size() >= 2)
    {
        const size_t x = static_cast<size_t>(lines[1] - origin.x);
        middle = origin.y + (firstRow[x] + lastRow[x]) / 2;
    }
    return lines;
}

// A window of another program that the user turns to (Alt+Tab, a click on it).
class OtherProgramWindow
{
public:
    OtherProgramWindow()
    {
        m_window = CreateWindowExW(0, L"STATIC", L"Another program", WS_POPUP | WS_VISIBLE | WS_BORDER, 0, 0, 160, 60,
                                   nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~OtherProgramWindow() { DestroyWindow(m_window); }
    OtherProgramWindow(const OtherProgramWindow&) = delete;
    OtherProgramWindow& operator=(const OtherProgramWindow&) = delete;
    HWND m_window = nullptr;
};

HWND ZoomBox(HWND main)
{
    const std::vector<HWND> boxes =
        Descendants(main, [](HWND w) { return IsClass(w, L"ComboBox") && SendMessageW(w, CB_GETCOUNT, 0, 0) == 7; });
    return boxes.empty() ? nullptr : boxes.front();
}

HWND PageBox(HWND frame)
{
    const std::vector<HWND> boxes = Descendants(
        frame, [](HWND w) { return IsClass(w, L"Edit") && (GetWindowLongW(w, GWL_STYLE) & ES_NUMBER) != 0; });
    return boxes.empty() ? nullptr : boxes.front();
}

void TypeInto(HWND edit, const wchar_t* text)
{
    RECT rect = {};
    GetWindowRect(edit, &rect);
    UserInput input;
    input.MoveTo({rect.left + 6, (rect.top + rect.bottom) / 2}).LeftDown().LeftUp().Press(VK_END);
    for (int i = 0; i < 8; ++i)
        input.Press(VK_BACK);
    input.Type(text).Press(VK_RETURN);
    Play(input);
}

// A copy of a sample under the temporary folder, deleted with the holder.
struct SampleCopy
{
    SampleCopy(const wchar_t* sample, const wchar_t* name) : path(TempPath(name))
    {
        EXPECT_TRUE(CopyFileW(Sample(sample).c_str(), path.c_str(), FALSE));
    }
    ~SampleCopy() { DeleteFileW(path.c_str()); }
    // The command line's option that opens the file.
    std::wstring Input() const { return L"-input=\"" + path + L"\""; }
    std::wstring path;
};

// The picture shown while the program starts: once start-up has finished its close timer runs,
// and until the timer closes it the main window never comes above it and its pixels stay the
// picture's. It goes only by the timer, well after the main window showed.
void ExpectSplashAboveTheMainWindowUntilItsTimer(DWORD process)
{
    HWND splash = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            for (HWND window : TopWindows(process, nullptr))
                if (TextOf(window) == L"Kest Loading...")
                    splash = window;
            return splash != nullptr;
        },
        60000));
    struct Look
    {
        DWORD at;
        bool above;
        bool shown;
    };
    std::vector<Look> looks;
    DWORD mainShown = 0;
    bool shot = false;
    while (IsWindow(splash))
    {
        const std::vector<HWND> mains = TopWindows(process, MainClass);
        if (!mains.empty())
        {
            if (!mainShown)
                mainShown = GetTickCount();
            bool above = false;
            for (HWND below = GetWindow(splash, GW_HWNDNEXT); below && !above; below = GetWindow(below, GW_HWNDNEXT))
                above = below == mains.front();
            RECT rect = {};
            GetWindowRect(splash, &rect);
            // Inside the picture's body, which is blue there.
            const COLORREF body = ScreenPixel({rect.left + 60, rect.top + 120});
            if (!IsWindow(splash))
                break;
            looks.push_back({GetTickCount(), above, GetBValue(body) > GetRValue(body) + 40});
            if (!shot && looks.size() > 20 && looks.back().shown)
            {
                RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
                CreateDirectoryW(L"screenshots", nullptr);
                EXPECT_TRUE(SaveScreenArea(L"screenshots/program-splash-over-main.bmp", screen));
                shot = true;
            }
        }
        Sleep(40);
    }
    const DWORD closed = GetTickCount();
    ASSERT_FALSE(looks.empty());
    EXPECT_GE(closed - mainShown, 1400u);
    // The timer's time: the last 1.5 s, less a look's worth at each end.
    int timed = 0, under = 0, hidden = 0;
    for (const Look& look : looks)
        if (look.at + CloseDelayOfSplash - 100 >= closed && look.at + 100 <= closed)
        {
            ++timed;
            under += look.above ? 0 : 1;
            hidden += look.shown ? 0 : 1;
        }
    EXPECT_GT(timed, 20);
    EXPECT_EQ(under, 0) << "of " << timed;
    EXPECT_EQ(hidden, 0) << "of " << timed;
}

TEST(ProgramControlsTest, TheZoomBoxTakesAChosenAndATypedZoom)
{
    SampleCopy job(L"table.kest", L"kest-program-zoom.kest");
    Program program(job.Input());
    ExpectSplashAboveTheMainWindowUntilItsTimer(program.Id());
    HWND main = program.Main(1);
    ASSERT_NE(main, nullptr);
    HWND box = ZoomBox(main);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(WaitFor([&] { return ControlText(box) == L"100%"; })) << ControlText(box);
    HWND view = GetDlgItem(program.Documents().front(), 59648);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(WaitFor([&] { return PageWidth(view) > 100; }));

    // A line drag that the user leaves for another program (Alt+Tab, a click on its window) ends
    // there, with its undo step and the modified mark; the pointer's later moves change nothing.
    HWND frame = program.Documents().front();
    auto modified = [&] {
        const std::wstring title = TextOf(frame);
        return !title.empty() && title.back() == L'*';
    };
    ASSERT_FALSE(modified()) << TextOf(frame);
    int y = 0;
    const std::vector<int> lines = TableLines(view, y);
    ASSERT_GE(lines.size(), 3u);
    const int line = lines[1];
    UserInput press;
    press.MoveTo({line, y}).LeftDown().MoveTo({line - 10, y}).MoveTo({line - 20, y}).MoveTo({line - 30, y});
    Play(press);
    Sleep(300);
    {
        OtherProgramWindow other;
        ASSERT_NE(other.m_window, nullptr);
        SetForegroundWindow(other.m_window);
        EXPECT_TRUE(WaitFor([&] { return modified(); }, 10000)) << TextOf(frame);
        UserInput later;
        later.MoveTo({line - 50, y}).LeftUp().MoveTo({line - 70, y});
        Play(later);
        Sleep(300);
    }
    int afterY = 0;
    std::vector<int> after = TableLines(view, afterY);
    ASSERT_GE(after.size(), 3u);
    EXPECT_NEAR(after[1], line - 30, 3);
    SavePicture(main, L"program-drag-left-for-another-program.bmp");
    // Its undo step takes the line back, and the mark with it.
    SetForegroundWindow(main);
    Sleep(300);
    UserInput undo;
    undo.Key(VK_CONTROL, true).Press('Z').Key(VK_CONTROL, false);
    Play(undo);
    EXPECT_TRUE(WaitFor([&] { return !modified(); })) << TextOf(frame);
    after = TableLines(view, afterY);
    ASSERT_GE(after.size(), 3u);
    EXPECT_NEAR(after[1], line, 2);

    // Chosen from the list: 50%, a smaller page.
    RECT combo = {};
    GetWindowRect(box, &combo);
    ClickAt({combo.right - 6, (combo.top + combo.bottom) / 2});
    HWND list = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        const std::vector<HWND> lists = TopWindows(program.Id(), L"ComboLBox");
        list = lists.empty() ? nullptr : lists.front();
        return list != nullptr;
    }));
    const int itemHeight = static_cast<int>(SendMessageW(box, CB_GETITEMHEIGHT, 0, 0));
    RECT listRect = {};
    GetWindowRect(list, &listRect);
    ClickAt({(listRect.left + listRect.right) / 2, listRect.top + itemHeight * 3 / 2});
    EXPECT_TRUE(WaitFor([&] { return ControlText(box) == L"50%"; })) << ControlText(box);
    Sleep(500);
    const int half = PageWidth(view);
    SavePicture(main, L"program-zoom-50.bmp");

    // Typed: 25 and Enter halves the page again; 150 and Enter fills the view.
    TypeInto(box, L"25");
    EXPECT_TRUE(WaitFor([&] { return ControlText(box) == L"25%"; })) << ControlText(box);
    EXPECT_TRUE(WaitFor([&] { return std::abs(PageWidth(view) * 2 - half) <= 6; })) << PageWidth(view) << " " << half;
    TypeInto(box, L"150");
    // The box shows the zoom the view took, with its percent sign.
    EXPECT_TRUE(WaitFor([&] { return ControlText(box) == L"150%"; })) << ControlText(box);
    RECT client = {};
    GetClientRect(view, &client);
    EXPECT_TRUE(WaitFor([&] { return PageWidth(view) >= client.right - 2; })) << PageWidth(view);
    SavePicture(main, L"program-zoom-150.bmp");
    // No zoom: the box shows the view's again.
    TypeInto(box, L"0");
    EXPECT_TRUE(WaitFor([&] { return ControlText(box) == L"150%"; })) << ControlText(box);
}

TEST(ProgramControlsTest, TwoTiledJobsKeepTheirPagesAndTheTitleFollowsTheActiveOne)
{
    SampleCopy first(L"report.kest", L"kest-program-first.kest");
    SampleCopy second(L"report.kest", L"kest-program-second.kest");
    Program program(first.Input() + L" " + second.Input());
    HWND main = program.Main(2);
    ASSERT_NE(main, nullptr);
    // Window > Tile from the keyboard.
    UserInput tile;
    tile.Key(VK_MENU, true).Press('W').Key(VK_MENU, false).Press('T');
    Play(tile);
    ASSERT_TRUE(WaitFor([&] {
        for (HWND frame : program.Documents())
            if (IsZoomed(frame))
                return false;
        return true;
    }));
    std::vector<HWND> frames = program.Documents();
    ASSERT_EQ(frames.size(), 2u);
    // The active one (the last opened) lies first among the client's children.
    HWND active = frames[0], other = frames[1];
    ASSERT_TRUE(PageBox(active) && PageBox(other));
    ASSERT_TRUE(WaitFor([&] { return ControlText(PageBox(active)) == L"1"; })) << ControlText(PageBox(active));
    ClickAt(Centre(GetDlgItem(active, 59648)));
    TypeInto(PageBox(active), L"3");
    EXPECT_TRUE(WaitFor([&] { return ControlText(PageBox(active)) == L"3"; }));
    EXPECT_EQ(ControlText(PageBox(other)), L"1");
    SavePicture(main, L"program-two-page-boxes.bmp");

    EXPECT_EQ(TextOf(main), L"kest-program-second.kest - Kest");
    // Ctrl+F4 closes the active one: the title names the other, then no document.
    ClickAt(Centre(GetDlgItem(active, 59648)));
    UserInput close;
    close.Key(VK_CONTROL, true).Press(VK_F4).Key(VK_CONTROL, false);
    Play(close);
    ASSERT_TRUE(WaitFor([&] { return program.Documents().size() == 1; }));
    EXPECT_TRUE(WaitFor([&] { return TextOf(main) == L"kest-program-first.kest - Kest"; })) << TextOf(main);
    EXPECT_EQ(ControlText(PageBox(program.Documents().front())), L"1");
    SavePicture(main, L"program-title-after-close.bmp");

    // Maximized (a double click on its caption), the title still names the document alone: the
    // document window's own title, brackets and path, is not put in brackets after it.
    HWND remaining = program.Documents().front();
    RECT caption = {};
    GetWindowRect(remaining, &caption);
    UserInput maximize;
    maximize.MoveTo({(caption.left + caption.right) / 2, caption.top + GetSystemMetrics(SM_CYCAPTION) / 2 + 2})
        .LeftDown()
        .LeftUp()
        .LeftDown()
        .LeftUp();
    Play(maximize);
    ASSERT_TRUE(WaitFor([&] { return IsZoomed(remaining) != FALSE; }));
    EXPECT_TRUE(WaitFor([&] { return TextOf(main) == L"kest-program-first.kest - Kest"; })) << TextOf(main);
    SavePicture(main, L"program-title-maximized.bmp");
    // A second document handed over by another copy opens maximized and names itself.
    {
        Program handing(second.Input());
        EXPECT_TRUE(WaitFor([&] { return program.Documents().size() == 2; }));
    }
    EXPECT_TRUE(WaitFor([&] { return TextOf(main) == L"kest-program-second.kest - Kest"; })) << TextOf(main);
    // Closing it names the first again, then no document.
    for (const wchar_t* title : {L"kest-program-first.kest - Kest", L"Kest"})
    {
        const size_t before = program.Documents().size();
        ClickAt(Centre(GetDlgItem(program.Documents().front(), 59648)));
        Play(close);
        ASSERT_TRUE(WaitFor([&] { return program.Documents().size() == before - 1; }));
        EXPECT_TRUE(WaitFor([&] { return TextOf(main) == title; })) << TextOf(main);
    }
}

TEST(ProgramControlsTest, AStoredLayoutWithMergedCellsAsksForRowAndCellEditing)
{
    SampleCopy source(L"table.kest", L"kest-program-merged-source.kest");
    const std::wstring merged = TempPath(L"kest-program-merged.kest");
    {
        CDCWorkFile file;
        ASSERT_TRUE(file.Open(source.path.c_str()));
        ConvertingTableLayout layout;
        ASSERT_TRUE(file.LoadLayout(layout));
        ASSERT_GE(layout.GetColumnCount(), 2);
        layout.SetBlock(0, 0, 1, 0);
        ASSERT_TRUE(file.Save(merged.c_str(), &layout, true));
    }
    {
        Program program(L"-input=\"" + merged + L"\"");
        HWND question = program.Dialog(L"Kest");
        ASSERT_NE(question, nullptr);
        EXPECT_EQ(MessageText(question), MergedCellsQuestion);
        SavePicture(question, L"program-merged-layout-question.bmp");
        // A close while the question waits (another program's, or the user's from the taskbar) is
        // refused: the document's window under the question stays, and the program with it.
        HWND main = program.Main(1);
        ASSERT_NE(main, nullptr);
        PostMessageW(main, WM_CLOSE, 0, 0);
        PostMessageW(program.Documents().front(), WM_CLOSE, 0, 0);
        Sleep(500);
        EXPECT_TRUE(IsWindow(question));
        // No: the cells are split and the document opens outside Row and Cell Editing.
        ClickAt(Centre(GetDlgItem(question, IDNO)));
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(question); }));
        Sleep(300);
        EXPECT_TRUE(program.Running());
        EXPECT_EQ(program.Documents().size(), 1u);
        SavePicture(main, L"program-merged-layout-opened.bmp");
    }
    DeleteFileW(merged.c_str());
}

TEST(ProgramControlsTest, OpenLayoutOffersTheRecentLayouts)
{
    // A layout file of the sample's table, listed as the recent layout; the job has no layout.
    SampleCopy source(L"table.kest", L"kest-program-layout-source.kest");
    const std::wstring layoutPath = TempPath(L"kest-program-recent.layout");
    const std::wstring job = TempPath(L"kest-program-no-layout.kest");
    {
        CDCWorkFile file;
        ASSERT_TRUE(file.Open(source.path.c_str()));
        ConvertingTableLayout layout;
        ASSERT_TRUE(file.LoadLayout(layout));
        OxReadWriteFile out;
        ASSERT_TRUE(out.Open(layoutPath.c_str(), false, false));
        ASSERT_TRUE(layout.Write(out));
        out.Close();
        ConvertingTableLayout empty;
        ASSERT_TRUE(file.Save(job.c_str(), &empty, true));
    }
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, LayoutListKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, L"File1", 0, REG_SZ, reinterpret_cast<const BYTE*>(layoutPath.c_str()),
                   static_cast<DWORD>((layoutPath.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    {
        Program program(L"-input=\"" + job + L"\"");
        HWND main = program.Main(1);
        ASSERT_NE(main, nullptr);
        HWND frame = program.Documents().front();
        // Layout > Open Layout... from the keyboard.
        UserInput open;
        open.Key(VK_MENU, true).Press('L').Key(VK_MENU, false).Press('O');
        Play(open);
        HWND dialog = program.Dialog(L"Load Layout File");
        ASSERT_NE(dialog, nullptr);
        // The Recent tab, then its first entry and Enter.
        HWND tabs = GetDlgItem(dialog, 200);
        ASSERT_NE(tabs, nullptr);
        RECT tabRect = {};
        GetWindowRect(tabs, &tabRect);
        UserInput recent;
        recent.MoveTo({tabRect.left + 12, tabRect.top + 8}).LeftDown().LeftUp().Press(VK_RIGHT);
        Play(recent);
        HWND list = GetDlgItem(dialog, 202);
        ASSERT_NE(list, nullptr);
        ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(list) != FALSE; }));
        SavePicture(dialog, L"program-open-layout-recent.bmp");
        HWND header = FindWindowExW(list, nullptr, L"SysHeader32", nullptr);
        RECT headerRect = {}, listRect = {};
        GetWindowRect(list, &listRect);
        if (header)
            GetWindowRect(header, &headerRect);
        else
            headerRect.bottom = listRect.top;
        UserInput choose;
        choose.MoveTo({listRect.left + 30, headerRect.bottom + 8}).LeftDown().LeftUp().Press(VK_RETURN);
        Play(choose);
        // The layout came in as a change of the document.
        EXPECT_TRUE(WaitFor([&] {
            const std::wstring shown = TextOf(frame);
            return shown.size() > 3 && shown.compare(shown.size() - 2, 2, L"]*") == 0;
        })) << TextOf(frame);
        SavePicture(main, L"program-open-layout-loaded.bmp");
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, LayoutListKey);
    DeleteFileW(layoutPath.c_str());
    DeleteFileW(job.c_str());
}

// The program's look (XP) allows no 2000 look: the Options page of the sheet it opens offers no
// such switch, and no personalized menus either (the program has no basic commands).
TEST(ProgramControlsTest, TheCustomizeSheetsOptionsAreThoseTheProgramsLookAllows)
{
    Program program(L"");
    HWND main = program.Main(0);
    ASSERT_NE(main, nullptr);
    // The splash screen leaves 1.5 s after the start; then the keys go to the main window.
    ASSERT_TRUE(WaitFor([&] { return TopWindows(program.Id(), nullptr).size() == 1; }, 10000));
    ASSERT_TRUE(WaitFor(
        [&] {
            SetForegroundWindow(main);
            return GetForegroundWindow() == main;
        },
        10000));
    // View > Toolbars > Customize... from the keyboard, each key once its menu shows.
    const auto pressOnceOpen = [&](const std::function<void(UserInput&)>& keys) {
        const size_t shown = TopWindows(program.Id(), nullptr).size();
        UserInput input;
        keys(input);
        Play(input);
        return WaitFor([&] { return TopWindows(program.Id(), nullptr).size() > shown; }, 10000);
    };
    ASSERT_TRUE(pressOnceOpen([](UserInput& i) { i.Key(VK_MENU, true).Press('V').Key(VK_MENU, false); }));
    ASSERT_TRUE(pressOnceOpen([](UserInput& i) { i.Press('T'); }));
    UserInput customize;
    customize.Press('C');
    Play(customize);
    HWND sheet = program.Dialog(L"Customize", 10000);
    ASSERT_NE(sheet, nullptr);
    // The Options page is the last: one step back from the first page goes round to it.
    ASSERT_TRUE(WaitFor(
        [&] {
            SetForegroundWindow(sheet);
            return GetForegroundWindow() == sheet;
        },
        10000));
    UserInput last;
    last.Key(VK_CONTROL, true).Key(VK_SHIFT, true).Press(VK_TAB).Key(VK_SHIFT, false).Key(VK_CONTROL, false);
    Play(last);
    HWND page = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] {
            const std::vector<HWND> pages = Descendants(sheet, [&](HWND w) {
                return GetParent(w) == sheet && IsClass(w, L"#32770") && IsWindowVisible(w) && GetDlgItem(w, 16651);
            });
            page = pages.empty() ? nullptr : pages.front();
            return page != nullptr;
        },
        10000));
    const struct
    {
        int control;
        bool shown;
    } controls[] = {{16651, true},  {16652, true},  {16653, true},  {16654, false}, {16655, false},
                    {16656, false}, {16657, false}, {16538, false}, {16539, false}, {17001, false}};
    for (const auto& c : controls)
    {
        HWND control = GetDlgItem(page, c.control);
        ASSERT_NE(control, nullptr) << c.control;
        EXPECT_EQ(c.shown, IsWindowVisible(control) != FALSE) << c.control;
        EXPECT_EQ(c.shown, IsWindowEnabled(control) != FALSE) << c.control;
    }
    SavePicture(sheet, L"program-customize-options.bmp");
    // F1 on the page's focused control goes to the program's help (its ids are checked inside the
    // program's own tests: wine's help viewer shows no pop-up text); the sheet stays usable.
    UserInput f1;
    f1.Press(VK_F1);
    Play(f1);
    Sleep(500);
    EXPECT_TRUE(program.Running());
    EXPECT_TRUE(IsWindow(sheet));
    ClickAt(Centre(GetDlgItem(sheet, IDCANCEL)));
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(sheet); }));
}

} // namespace

// The layout drawn into a 32-bit bitmap over a white page, its pixels read back: line widths and
// handle sizes by zoom, the dashes and their blended colours, merged blocks, row lines by mode,
// the inverted selections, and the lines of pens on systems older than version 5.
#include "tests/table/LayoutPictures.h"
#include "tests/table/ui/LayoutTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace
{

// A white 320 x 240 page in a memory device context, page units = pixels.
class Canvas
{
public:
    Canvas()
    {
        HDC screen = GetDC(nullptr);
        m_dc = CreateCompatibleDC(screen);
        ReleaseDC(nullptr, screen);
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), Width, -Height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_old = SelectObject(m_dc, m_bitmap);
        m_bits = static_cast<uint32_t*>(bits);
        const RECT all = {0, 0, Width, Height};
        FillRect(m_dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~Canvas()
    {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return m_dc; }
    COLORREF At(int x, int y) const
    {
        GdiFlush();
        const uint32_t p = m_bits[y * Width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    bool IsWhite(int x, int y) const { return At(x, y) == RGB(255, 255, 255); }
    // Whether anything is drawn in column x between y0 and y1 (a dash may have a gap at any one y).
    bool LineAt(int x, int y0, int y1) const
    {
        for (int y = y0; y < y1; ++y)
            if (!IsWhite(x, y))
                return true;
        return false;
    }

    static constexpr int Width = 320;
    static constexpr int Height = 240;
    static constexpr RECT Clip = {0, 0, Width, Height};

private:
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    uint32_t* m_bits = nullptr;
};

// Premultiplied 0xAARRGGBB over white.
COLORREF OverWhite(uint32_t argb)
{
    const int alpha = (argb >> 24) & 0xFF;
    auto channel = [alpha](int source) { return source + 255 * (255 - alpha) / 255; };
    return RGB(channel((argb >> 16) & 0xFF), channel((argb >> 8) & 0xFF), channel(argb & 0xFF));
}

bool Near(COLORREF a, COLORREF b)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= 1 && std::abs(GetGValue(a) - GetGValue(b)) <= 1 &&
           std::abs(GetBValue(a) - GetBValue(b)) <= 1;
}

// A picture's layout placed at (20, 20) with cells of 100 x 50.
ConvertingTableLayout Placed(const Picture& picture)
{
    ConvertingTableLayout layout = LayoutFromPicture(picture);
    ConvertingTableLayout placed;
    const int rows = static_cast<int>(picture.size());
    const int columns = static_cast<int>(picture[0].size());
    placed.SetTableRect({20, 20, 20 + columns * 100, 20 + rows * 50});
    for (int c = 0; c < columns; ++c)
        placed.AppendColumn({c + 1 == columns ? -1 : 20 + (c + 1) * 100, 1, 0});
    for (int r = 1; r < rows; ++r)
        placed.InsertRowLine(r - 1, 20 + r * 50);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            if (layout.IsOrigin(c, r))
            {
                int lastColumn, lastRow;
                layout.GetBlockEnd(c, r, lastColumn, lastRow);
                placed.SetBlock(c, r, lastColumn, lastRow);
            }
    return placed;
}

struct DrawingFixture : ::testing::Test
{
    TestShell shell;
    WordLayoutView view;
    Canvas canvas;
    void Draw(bool tableMode = true, bool showText = false)
    {
        view.DrawLayout(canvas.Dc(), Canvas::Clip, tableMode, showText);
    }
};

using LayoutDrawingTest = DrawingFixture;

TEST_F(LayoutDrawingTest, LineWidthAndHandleSizeFollowTheZoom)
{
    struct Case
    {
        int zoom, width, handle;
    } cases[] = {{99, 1, 6}, {100, 2, 6}, {150, 2, 12}, {200, 3, 12}, {201, 3, 18}};
    shell.m_options.m_drawHandles = true;
    for (const Case& c : cases)
    {
        EXPECT_EQ(LayoutView::LineWidthForZoom(c.zoom), c.width) << c.zoom;
        EXPECT_EQ(LayoutView::HandleSizeForZoom(c.zoom), c.handle) << c.zoom;
        Canvas fresh;
        view.SetZoom(c.zoom);
        view.GetLayout() = Placed({"ab"});
        view.DrawLayout(fresh.Dc(), Canvas::Clip, true, false);
        // The top edge, where its dashes are on: as many rows as the line is wide.
        int rows = 0;
        while (!fresh.IsWhite(60, 20 + rows))
            ++rows;
        EXPECT_EQ(rows, c.width) << c.zoom;
        // The left frame handle, centred on (20, 45): its black top row is the handle's width.
        int top = 0;
        while (fresh.At(20, top) != RGB(0, 0, 0))
            ++top;
        int black = 0;
        for (int x = 0; x < 40; ++x)
            black += fresh.At(x, top) == RGB(0, 0, 0) ? 1 : 0;
        EXPECT_EQ(black, c.handle) << c.zoom;
        EXPECT_EQ(top, 45 - c.handle / 2) << c.zoom;
    }
}

TEST_F(LayoutDrawingTest, DashesAreFiveOnThreeOffInTheirBlendedColours)
{
    view.GetLayout() = Placed({"ab"});
    struct Case
    {
        bool tableMode;
        uint32_t line, gap;
    } cases[] = {{true, 0xD0D06800, 0x80808080}, {false, 0x60603000, 0x60606060}};
    for (const Case& c : cases)
    {
        Canvas fresh;
        view.DrawLayout(fresh.Dc(), Canvas::Clip, c.tableMode, false);
        for (int i = 0; i < 16; ++i)
        {
            const COLORREF expected = OverWhite(i % 8 < 5 ? c.line : c.gap);
            EXPECT_TRUE(Near(fresh.At(20 + i, 20), expected)) << c.tableMode << " at " << i;
        }
    }
    // No handles without the option.
    Canvas plain;
    view.DrawLayout(plain.Dc(), Canvas::Clip, true, false);
    EXPECT_NE(plain.At(20, 45 - 3), RGB(0, 0, 0));
}

TEST_F(LayoutDrawingTest, MergedBlocksHideTheirInnerLines)
{
    view.GetLayout() = Placed({"aab", "cde"});
    Draw();
    // Column line 0 at x = 120: hidden in the merged first row, drawn in the second.
    EXPECT_FALSE(canvas.LineAt(120, 24, 68));
    EXPECT_TRUE(canvas.LineAt(120, 72, 118));
    // Column line 1 at x = 220 runs through both rows.
    EXPECT_TRUE(canvas.LineAt(220, 24, 68));
    EXPECT_TRUE(canvas.LineAt(220, 72, 118));
}

TEST_F(LayoutDrawingTest, RowLinesByModeAndOption)
{
    struct Case
    {
        bool advanced, always, tableMode;
        bool drawn;
        uint32_t colour;
    } cases[] = {
        {false, false, true, false, 0}, {false, true, true, true, 0x60603000},  {true, false, true, true, 0xD0D06800},
        {true, false, false, false, 0}, {false, true, false, true, 0x60603000},
    };
    for (const Case& c : cases)
    {
        Canvas fresh;
        shell.m_advanced = c.advanced;
        shell.m_options.m_drawRowAlways = c.always;
        view.GetLayout() = Placed({"ab", "cd"});
        view.DrawLayout(fresh.Dc(), Canvas::Clip, c.tableMode, false);
        // The row line at y = 70, 10 pixels from the left end of its dashes.
        EXPECT_EQ(!fresh.IsWhite(62, 70), c.drawn) << c.advanced << c.always << c.tableMode;
        if (c.drawn)
        {
            EXPECT_TRUE(Near(fresh.At(62, 70), OverWhite(c.colour))) << c.advanced << c.always << c.tableMode;
        }
    }
}

TEST_F(LayoutDrawingTest, SelectionsAreInverted)
{
    view.GetLayout() = Placed({"ab", "cd"});
    view.SetSelection({1});
    Draw();
    EXPECT_EQ(canvas.At(170, 40), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(170, 100), RGB(0, 0, 0));
    EXPECT_TRUE(canvas.IsWhite(70, 40));
    // In text mode the table selection is not shown.
    Canvas text;
    view.DrawLayout(text.Dc(), Canvas::Clip, false, false);
    EXPECT_TRUE(text.IsWhite(170, 40));
}

TEST_F(LayoutDrawingTest, TextSelectionIsInvertedWithItsMargins)
{
    shell.m_mode = 1;
    view.AddWord(100, 150, 140, 170, L"one").AddWord(150, 150, 190, 170, L"two");
    view.OnLButtonDown(110, 160, 0);
    view.OnMouseMove(160, 160, 0);
    view.OnLButtonUp(160, 160, 0);
    ASSERT_TRUE(view.HasTextSelection());
    Draw(false, true);
    // The line box 100..190 x 150..170, widened by 2 left and top and by 1 right and bottom.
    EXPECT_EQ(canvas.At(98, 148), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(190, 170), RGB(0, 0, 0));
    EXPECT_TRUE(canvas.IsWhite(97, 160));
    EXPECT_TRUE(canvas.IsWhite(191, 160));
}

TEST_F(LayoutDrawingTest, ATableWithoutAreaDrawsNoRowHandles)
{
    shell.m_advanced = true;
    shell.m_options.m_drawHandles = true;
    view.SetRowAndCellEditing(true);
    for (RECT rect : {RECT{50, 50, 50, 120}, RECT{50, 50, 150, 50}})
    {
        ConvertingTableLayout layout;
        layout.SetTableRect(rect);
        layout.AppendColumn({-1, 1, 0});
        view.GetLayout() = layout;
        Canvas fresh;
        view.DrawLayout(fresh.Dc(), Canvas::Clip, true, false);
        SUCCEED();
    }
}

// On a display of 256 colours the strong lines turn red. Runs where the screen has 8 bits per
// pixel (the build's test_table_ui_8bit); elsewhere it has nothing to look at.
TEST_F(LayoutDrawingTest, EightBitDisplaysDrawRedLines)
{
    HDC screen = GetDC(nullptr);
    const int bits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    // Not GTEST_SKIP: a skipped test has brought the 32-bit runs down under this machine's emulation.
    if (bits > 8)
        return;
    LPCWSTR windowClass = L"KestEightBitCanvas";
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = windowClass;
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(0, windowClass, L"", WS_POPUP | WS_VISIBLE, 0, 0, 320, 240, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    UpdateWindow(window);
    HDC dc = GetDC(window);
    EXPECT_LE(GetDeviceCaps(dc, BITSPIXEL), 8);
    const RECT all = {0, 0, 320, 240};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    view.GetLayout() = Placed({"ab"});
    view.DrawLayout(dc, all, true, false);
    const COLORREF line = GetPixel(dc, 21, 20);
    // What this display makes of the red and of the orange blended over white, one pixel each.
    auto reference = [&](uint32_t argb, int x) {
        HDC memory = CreateCompatibleDC(dc);
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), 1, 1, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HBITMAP pixel = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        *static_cast<uint32_t*>(bits) = argb;
        HGDIOBJ old = SelectObject(memory, pixel);
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        AlphaBlend(dc, x, 200, 1, 1, memory, 0, 0, 1, 1, blend);
        SelectObject(memory, old);
        DeleteObject(pixel);
        DeleteDC(memory);
        return GetPixel(dc, x, 200);
    };
    const COLORREF red = reference(0xD0F00000, 10);
    const COLORREF orange = reference(0xD0D06800, 12);
    ReleaseDC(window, dc);
    DestroyWindow(window);
    EXPECT_EQ(line, red) << std::hex << line << " " << red;
    EXPECT_NE(line, orange) << std::hex << line << " " << orange;
}

// Systems before version 5 draw solid pens. The test starts itself again as a program that
// the display's system reports as version 4.0, and checks there. It runs in a process of its
// own (the build's test_table_ui_pens): a second program started late in a long 32-bit run
// under this machine's emulation has brought the whole run down.
TEST_F(LayoutDrawingTest, OldSystemsDrawSolidPens)
{
    if (GetEnvironmentVariableW(L"KEST_PENS_TEST", nullptr, 0) == 0 &&
        GetEnvironmentVariableW(L"KEST_PENS_CHILD", nullptr, 0) == 0)
        return;
    if (GetEnvironmentVariableW(L"KEST_PENS_CHILD", nullptr, 0) > 0)
    {
        OSVERSIONINFOW version = {};
        version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        ASSERT_TRUE(GetVersionExW(&version));
#pragma GCC diagnostic pop
        ASSERT_EQ(version.dwMajorVersion, 4u);
        struct Case
        {
            bool tableMode;
            COLORREF colour;
        } cases[] = {{true, RGB(255, 128, 0)}, {false, RGB(255, 192, 128)}};
        for (const Case& c : cases)
        {
            Canvas fresh;
            view.GetLayout() = Placed({"ab"});
            view.DrawLayout(fresh.Dc(), Canvas::Clip, c.tableMode, false);
            for (int i = 0; i < 16; ++i)
                EXPECT_EQ(fresh.At(24 + i, 20), c.colour) << i;
        }
        return;
    }
    // A copy under a name of its own carries the old version, so that a run broken off here can
    // never leave this program itself reporting version 4.
    wchar_t exe[MAX_PATH], folder[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    GetTempPathW(MAX_PATH, folder);
    const std::wstring name = L"kest_pens_child.exe";
    const std::wstring child = std::wstring(folder) + name;
    ASSERT_TRUE(CopyFileW(exe, child.c_str(), FALSE));
    const std::wstring key = L"Software\\Wine\\AppDefaults\\" + name;
    HKEY handle = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr),
              ERROR_SUCCESS);
    const wchar_t nt40[] = L"nt40";
    RegSetValueExW(handle, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(nt40), sizeof(nt40));
    RegCloseKey(handle);
    SetEnvironmentVariableW(L"KEST_PENS_CHILD", L"1");
    std::wstring command = L"\"" + child + L"\" --gtest_filter=LayoutDrawingTest.OldSystemsDrawSolidPens";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    const BOOL started =
        CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
    SetEnvironmentVariableW(L"KEST_PENS_CHILD", nullptr);
    DWORD code = 1;
    if (started)
    {
        WaitForSingleObject(process.hProcess, 120000);
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
    DeleteFileW(child.c_str());
    ASSERT_TRUE(started);
    EXPECT_EQ(code, 0u);
}

} // namespace

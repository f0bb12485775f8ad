// What the page view shows the program and keeps for itself: the zoom in the zoom box and the
// box's text applied, Fit Width's fit and the top it keeps, a stored layout with merged cells,
// the converted mark after a cancel and after a failure, right-to-left search words, and a
// shrunk page that keeps its thin strokes.
#include "tests/table/ui/PageViewFixture.h"

#include "pagemodel/CDCPageImage.h"
#include "pagemodel/CDCWorkFile.h"
#include "pagemodel/RtlText.h"

namespace
{

constexpr const wchar_t* MergedCellsQuestion =
    L"The layout contains merged cells, which are only available in Row and Cell Editing Mode.\nDo you wish enter "
    L"that mode?\nPress Yes to change modes\nPress No to split all the merged cells";

std::wstring TempFile(const wchar_t* name)
{
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

using ViewStateTest = PageViewTest;

TEST(ZoomTextTest, TypedTextsGiveTheirPercentOrNone)
{
    const struct
    {
        const wchar_t* text;
        int32_t percent;
    } cases[] = {{L"150", 150}, {L"50%", 50}, {L" 75 % ", 75}, {L"0", 0},        {L"", 0},
                 {L"%", 0},     {L"1.5", 0},  {L"12a", 0},     {L"99999999999", 0}, {L"-5", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(CBitmapLayoutView::ParseZoomText(c.text), c.percent) << c.text;
}

TEST_F(ViewStateTest, EveryZoomChangeShowsInTheZoomBoxAndTheBoxTextIsApplied)
{
    m_shell.m_zoomShown.clear();
    m_view.SendMessage(WM_COMMAND, 34158); // zoom in
    m_view.SendMessage(WM_COMMAND, 34163); // 50%
    m_view.SendMessage(WM_COMMAND, 34161); // fit width
    ASSERT_EQ(m_shell.m_zoomShown.size(), 3u);
    EXPECT_EQ(m_shell.m_zoomShown[0], 150);
    EXPECT_EQ(m_shell.m_zoomShown[1], 50);
    EXPECT_EQ(m_shell.m_zoomShown[2], m_view.GetZoom());

    // The box: a percentage from 1 to the maximum applies, anything else puts the zoom back.
    const struct
    {
        std::wstring text;
        int32_t zoom;
    } cases[] = {{L"150", 150}, {L"30%", 30}, {L"0", 30}, {std::to_wstring(m_view.GetMaxZoom() + 1), 30},
                 {std::to_wstring(m_view.GetMaxZoom()), m_view.GetMaxZoom()}, {L"x", m_view.GetMaxZoom()}};
    for (const auto& c : cases)
    {
        m_shell.m_zoomShown.clear();
        m_shell.m_zoomBoxText = c.text;
        m_view.SendMessage(WM_COMMAND, 34160);
        EXPECT_EQ(m_view.GetZoom(), c.zoom) << c.text;
        ASSERT_FALSE(m_shell.m_zoomShown.empty()) << c.text;
        EXPECT_EQ(m_shell.m_zoomShown.back(), c.zoom) << c.text;
    }
    // Activation shows this view's zoom and modes on the main frame's controls.
    m_shell.m_zoomShown.clear();
    m_shell.m_columnModeButtons.clear();
    m_view.OnActivateView();
    EXPECT_EQ(m_shell.m_zoomShown, std::vector<int32_t>{m_view.GetZoom()});
    EXPECT_EQ(m_shell.m_columnModeButtons, std::vector<int32_t>{0});
    EXPECT_EQ(m_shell.m_selectionModeUpdates, 1);
}

TEST_F(ViewStateTest, FitWidthFillsTheWidthAndKeepsTheTopInView)
{
    RECT client;
    GetClientRect(m_view.m_hWnd, &client);
    m_view.SendMessage(WM_COMMAND, 34161);
    EXPECT_TRUE(m_view.IsFitWidth());
    // No band on either side: the page reaches both edges, short of one percent at most over.
    const POINT left = m_view.PageToWindow({0, 0});
    const POINT right = m_view.PageToWindow({m_view.GetPageWidth(), 0});
    EXPECT_LE(left.x, 0);
    EXPECT_GE(right.x, client.right);
    EXPECT_LE(right.x - client.right, m_view.GetPageWidth() / m_view.GetMaxZoom() + 1);
    // From the top of the page: the top stays in view.
    EXPECT_EQ(m_view.GetScrollY(), 0);
    EXPECT_EQ(m_view.WindowToPage({0, 0}).y, 0);

    // Further down, the line at the top of the window stays at the top.
    m_view.SetZoom(100, false);
    m_view.ScrollTo(0, 300);
    const int32_t top = m_view.WindowToPage({0, 0}).y;
    m_view.SendMessage(WM_COMMAND, 34161);
    EXPECT_NEAR(m_view.WindowToPage({0, 0}).y, top, m_view.GetMaxZoom() / m_view.GetZoom() + 1);

    Pump(100);
    Screenshot shot(m_view.m_hWnd);
    CreateDirectoryW(L"screenshots", nullptr);
    EXPECT_TRUE(shot.Save("screenshots/page-view-fit-width.bmp"));
}

TEST_F(ViewStateTest, AStoredLayoutWithMergedCellsAsksForRowAndCellEditing)
{
    // A copy of the sample whose stored layout merges the first two cells of the first row.
    const std::wstring merged = TempFile(L"kest-merged-layout.kest");
    {
        CDCWorkFile file;
        ASSERT_TRUE(file.Open(m_copy.c_str()));
        ConvertingTableLayout layout;
        ASSERT_TRUE(file.LoadLayout(layout));
        ASSERT_GE(layout.GetColumnCount(), 2);
        layout.SetBlock(0, 0, 1, 0);
        ASSERT_TRUE(layout.HasMergedCells());
        ASSERT_TRUE(file.Save(merged.c_str(), &layout, true));
    }
    const struct
    {
        int answer;
        bool advanced;
        bool merged;
    } cases[] = {{IDNO, false, false}, {IDYES, true, true}};
    for (const auto& c : cases)
    {
        m_shell.m_advanced = false;
        m_shell.m_messages.clear();
        m_shell.m_answers = {c.answer};
        CChildView view;
        TestFrame frame;
        view.SetFrame(&frame);
        ASSERT_TRUE(view.Create(&m_host, CRect(0, 0, 300, 200), 2));
        ASSERT_TRUE(view.LoadFile(merged));
        ASSERT_EQ(m_shell.m_messages.size(), 1u);
        EXPECT_EQ(m_shell.m_messages[0], MergedCellsQuestion);
        EXPECT_EQ(m_shell.IsAdvancedMode(), c.advanced);
        EXPECT_EQ(view.IsRowAndCellEditing(), c.advanced);
        EXPECT_EQ(view.GetLayout().HasMergedCells(), c.merged);
        // The load shows the zoom and the page: the frame's page box holds the first page.
        EXPECT_EQ(frame.m_pageBox, 1);
        view.DestroyWindow();
    }
    m_shell.m_advanced = false;
    DeleteFileW(merged.c_str());
}

TEST_F(ViewStateTest, TheUsersCancelCountsAsConvertedAFailureDoesNot)
{
    // The pages question cancelled.
    m_shell.m_options.m_askConvertPages = true;
    m_shell.m_confirmPages = false;
    EXPECT_FALSE(m_view.Convert());
    EXPECT_TRUE(m_view.IsConverted());
    EXPECT_TRUE(m_view.CanClose());

    // A target that is not installed is a failure: the view stays unconverted.
    CChildView failing;
    TestFrame frame;
    failing.SetFrame(&frame);
    ASSERT_TRUE(failing.Create(&m_host, CRect(0, 0, 300, 200), 2));
    ASSERT_TRUE(failing.LoadFile(m_copy));
    m_shell.m_options.m_askConvertPages = false;
    m_shell.m_options.m_target = TargetClipboardWord;
    m_shell.m_options.m_wordInstalled = false;
    EXPECT_FALSE(failing.Convert());
    EXPECT_FALSE(failing.IsConverted());

    // The Excel file's name refused by the user is a cancel again.
    m_shell.m_options.m_target = TargetExcelFile;
    m_shell.m_options.m_excelInstalled = true;
    frame.m_outputName.clear();
    EXPECT_FALSE(failing.Convert());
    EXPECT_TRUE(failing.IsConverted());
    failing.DestroyWindow();
}

TEST(FindWordsTest, TypedRightToLeftWordsAreFoundInTheirPrintedOrder)
{
    TestShell shell;
    const std::wstring typed = L"\x05E9\x05DC\x05D5\x05DD"; // as the keyboard gives it
    WordLayoutView view;
    view.AddWord(10, 10, 60, 30, L"Total").AddWord(70, 10, 120, 30, ConvertRtlText(typed));
    shell.m_mode = 1;
    OxTextFindInterface search;
    search.m_findText = typed;
    view.FindTyped(search);
    ASSERT_TRUE(view.HasTextSelection());
    EXPECT_EQ(view.GetAnchor().m_word, 2);
    // The preview follows the found word, in reading order.
    EXPECT_EQ(view.m_frame.m_lastText, typed);
}

TEST_F(ViewStateTest, AShrunkPageKeepsItsThinStrokes)
{
    m_view.SetZoom(25, false);
    Pump(100);
    RECT client;
    GetClientRect(m_view.m_hWnd, &client);
    const POINT origin = m_view.PageToWindow({0, 0});
    const POINT end = m_view.PageToWindow({m_view.GetPageWidth(), m_view.GetPageHeight()});
    const RECT page = {std::max<LONG>(origin.x, 0), std::max<LONG>(origin.y, 0), std::min<LONG>(end.x, client.right),
                       std::min<LONG>(end.y, client.bottom)};
    Screenshot shot(m_view.m_hWnd);
    CreateDirectoryW(L"screenshots", nullptr);
    EXPECT_TRUE(shot.Save("screenshots/page-view-shrunk.bmp"));
    auto inked = [&](auto colourAt) {
        int count = 0;
        for (int y = page.top; y < page.bottom; ++y)
            for (int x = page.left; x < page.right; ++x)
            {
                const COLORREF c = colourAt(x - page.left, y - page.top);
                count += GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 245 ? 1 : 0;
            }
        return count;
    };
    const int shown = inked([&](int x, int y) { return shot.At(x + page.left, y + page.top); });

    // The same page shrunk by dropping rows and columns, as a plain stretch does.
    CDCWorkFile file;
    ASSERT_TRUE(file.Open(m_copy.c_str()));
    CDCPageImage image;
    ASSERT_TRUE(file.LoadPageImage(1, image));
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    const int width = end.x - origin.x, height = end.y - origin.y;
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const RECT destination = {0, 0, width, height};
    image.SetStretchMode(COLORONCOLOR);
    image.Draw(memory, &destination, nullptr);
    const int dropped = inked([&](int x, int y) { return GetPixel(memory, x + page.left - origin.x, y + page.top - origin.y); });
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    EXPECT_GT(shown, dropped * 3 / 2) << shown << " " << dropped;
}

} // namespace

// The button image editor on the test display: points to pixels, the tools drawn with the
// display's mouse (inclusive rectangles and ellipses, a single pixel when start equals end, a
// line ending on its end pixel), the pencil keeping its colour under non-grey system colours,
// paste of larger and smaller pictures, Clear, picking a colour, a clipboard round trip, the
// colour bar's palette by depth, and screenshots.
#include "tests/uitoolkit/customize/CustomizeTestApp.h"
#include "tests/uitoolkit/customize/CustomizeTestSupport.h"
#include "uitoolkit/customize/KTImageEditDlg.h"
#include "uitoolkit/looks/KTUIGlobals.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace
{
const CSize kImageSize(16, 15);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

HBITMAP WhiteImage(CSize size = kImageSize, COLORREF color = kWhite)
{
    return SolidBitmap(color, size.cx, size.cy);
}

// The pixels of a bitmap, row by row.
std::vector<COLORREF> Pixels(HBITMAP hbm)
{
    BITMAP bmp = {};
    ::GetObjectW(hbm, sizeof(bmp), &bmp);
    std::vector<COLORREF> pixels;
    HDC hdc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hdc, hbm);
    for (int y = 0; y < bmp.bmHeight; y++)
        for (int x = 0; x < bmp.bmWidth; x++)
            pixels.push_back(::GetPixel(hdc, x, y));
    ::SelectObject(hdc, hOld);
    ::DeleteDC(hdc);
    return pixels;
}

// The pixels of the image that are not white, as "x,y" texts.
std::set<std::string> Drawn(HBITMAP hbm)
{
    const std::vector<COLORREF> pixels = Pixels(hbm);
    std::set<std::string> drawn;
    for (size_t i = 0; i < pixels.size(); i++)
        if (pixels[i] != kWhite)
            drawn.insert(std::to_string(i % kImageSize.cx) + "," + std::to_string(i / kImageSize.cx));
    return drawn;
}

class CTestImageEditDlg : public CKTImageEditDlg
{
public:
    using CKTImageEditDlg::CKTImageEditDlg;
    std::vector<UINT> m_messages;

protected:
    void ShowMessage(UINT nIDPrompt) override { m_messages.push_back(nIDPrompt); }
};

class ImageEditTest : public ::testing::Test
{
protected:
    void SetUp() override { m_hbm = WhiteImage(); }
    void TearDown() override
    {
        if (m_pDlg != nullptr && m_pDlg->GetSafeHwnd() != nullptr)
            m_pDlg->DestroyWindow();
        m_pDlg.reset();
        ::DeleteObject(m_hbm);
        Pump();
    }

    CTestImageEditDlg& Open(int nBitsPerPixel = -1)
    {
        m_pDlg = std::make_unique<CTestImageEditDlg>(m_hbm, nullptr, nBitsPerPixel);
        EXPECT_TRUE(m_pDlg->Create(CKTImageEditDlg::IDD, nullptr));
        m_pDlg->ShowWindow(SW_SHOW);
        m_pDlg->UpdateWindow();
        ::SetForegroundWindow(m_pDlg->GetSafeHwnd());
        PumpFor(100);
        return *m_pDlg;
    }

    // The screen point at the centre of a pixel's cell.
    POINT PixelOnScreen(CPoint pixel)
    {
        CPoint point = m_pDlg->GetPaintArea().PixelToClient(pixel);
        m_pDlg->GetPaintArea().ClientToScreen(&point);
        return point;
    }

    void DragPixels(CPoint from, CPoint to)
    {
        UserInput input;
        const POINT ptFrom = PixelOnScreen(from);
        const POINT ptTo = PixelOnScreen(to);
        input.MoveTo(ptFrom).Pause(50).LeftDown().Glide(ptFrom, ptTo, 8).Pause(50).LeftUp().Pause(100);
        Play(input);
        PumpFor(50);
    }

    void SaveScreenshot(const wchar_t* name)
    {
        ::CreateDirectoryW(L"screenshots", nullptr);
        m_pDlg->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        PumpFor(200);
        CRect rect;
        m_pDlg->GetWindowRect(&rect);
        EXPECT_TRUE(SaveScreenArea((std::wstring(L"screenshots\\") + name).c_str(), rect));
    }

    HBITMAP m_hbm = nullptr;
    std::unique_ptr<CTestImageEditDlg> m_pDlg;
};
} // namespace

TEST_F(ImageEditTest, ClientPointsMapToPixelsWithClamping)
{
    CTestImageEditDlg& dlg = Open();
    CKTImagePaintArea& area = dlg.GetPaintArea();
    const CSize cell = area.GetCellSize();
    CRect rectClient;
    area.GetClientRect(&rectClient);
    EXPECT_EQ((rectClient.Width() - 2) / kImageSize.cx, cell.cx);
    EXPECT_EQ((rectClient.Height() - 2) / kImageSize.cy, cell.cy);
    struct
    {
        CPoint m_client;
        CPoint m_pixel;
    } const cases[] = {
        {CPoint(1, 1), CPoint(0, 0)},
        {CPoint(cell.cx, cell.cy), CPoint(0, 0)},
        {CPoint(cell.cx + 1, cell.cy + 1), CPoint(1, 1)},
        {CPoint(3 * cell.cx + 2, 5 * cell.cy + 1), CPoint(3, 5)},
        {CPoint(-20, -20), CPoint(0, 0)},
        {CPoint(rectClient.right + 50, rectClient.bottom + 50), CPoint(15, 14)},
        {CPoint(16 * cell.cx + 1, 2), CPoint(15, 0)},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.m_pixel, area.ClientToPixel(c.m_client)) << c.m_client.x << "," << c.m_client.y;
    }
    EXPECT_EQ(CPoint(2 * cell.cx + 1 + cell.cx / 2, 1 + cell.cy / 2), area.PixelToClient(CPoint(2, 0)));
}

struct ShapeCase
{
    const char* m_name;
    UINT m_uiTool;
    CPoint m_from;
    CPoint m_to;
    std::set<std::string> m_drawn;
};

void PrintTo(const ShapeCase& c, std::ostream* os)
{
    *os << c.m_name;
}

class ImageEditShapeTest : public ImageEditTest, public ::testing::WithParamInterface<ShapeCase>
{
};

TEST_P(ImageEditShapeTest, DrawnWithTheMouse)
{
    const ShapeCase& c = GetParam();
    CTestImageEditDlg& dlg = Open();
    dlg.SendMessage(WM_COMMAND, c.m_uiTool);
    DragPixels(c.m_from, c.m_to);
    EXPECT_EQ(c.m_drawn, Drawn(m_hbm));
    for (COLORREF color : Pixels(m_hbm))
        EXPECT_TRUE(color == kWhite || color == kBlack) << std::hex << color;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImageEditShapeTest,
    ::testing::Values(
        ShapeCase{"RectangleIncludesBothCorners",
                  CKTImageEditDlg::ID_KT_RECTANGLE,
                  CPoint(2, 3),
                  CPoint(4, 5),
                  {"2,3", "3,3", "4,3", "2,4", "4,4", "2,5", "3,5", "4,5"}},
        ShapeCase{"RectangleDraggedBackwards",
                  CKTImageEditDlg::ID_KT_RECTANGLE,
                  CPoint(4, 5),
                  CPoint(2, 3),
                  {"2,3", "3,3", "4,3", "2,4", "4,4", "2,5", "3,5", "4,5"}},
        ShapeCase{"RectangleOnOnePixel", CKTImageEditDlg::ID_KT_RECTANGLE, CPoint(7, 7), CPoint(7, 7), {"7,7"}},
        ShapeCase{"EllipseOnOnePixel", CKTImageEditDlg::ID_KT_ELLIPSE, CPoint(9, 1), CPoint(9, 1), {"9,1"}},
        ShapeCase{"FlatRectangleIsALine",
                  CKTImageEditDlg::ID_KT_RECTANGLE,
                  CPoint(1, 8),
                  CPoint(4, 8),
                  {"1,8", "2,8", "3,8", "4,8"}},
        ShapeCase{"NarrowEllipseIsAColumn",
                  CKTImageEditDlg::ID_KT_ELLIPSE,
                  CPoint(13, 2),
                  CPoint(13, 6),
                  {"13,2", "13,3", "13,4", "13,5", "13,6"}},
        ShapeCase{"LineEndsOnItsEndPixel",
                  CKTImageEditDlg::ID_KT_LINE,
                  CPoint(0, 0),
                  CPoint(3, 0),
                  {"0,0", "1,0", "2,0", "3,0"}},
        ShapeCase{
            "DiagonalLine", CKTImageEditDlg::ID_KT_LINE, CPoint(5, 5), CPoint(8, 8), {"5,5", "6,6", "7,7", "8,8"}},
        ShapeCase{"LineOnOnePixel", CKTImageEditDlg::ID_KT_LINE, CPoint(12, 13), CPoint(12, 13), {"12,13"}}),
    [](const ::testing::TestParamInfo<ShapeCase>& info) { return std::string(info.param.m_name); });

TEST_F(ImageEditTest, EllipseTouchesAllFourSidesOfItsBox)
{
    CTestImageEditDlg& dlg = Open();
    dlg.SendMessage(WM_COMMAND, CKTImageEditDlg::ID_KT_ELLIPSE);
    DragPixels(CPoint(2, 2), CPoint(10, 8));
    const std::set<std::string> drawn = Drawn(m_hbm);
    for (const char* edge : {"6,2", "6,8", "2,5", "10,5"})
        EXPECT_EQ(1u, drawn.count(edge)) << edge;
    for (const std::string& pixel : drawn)
    {
        const int x = std::stoi(pixel), y = std::stoi(pixel.substr(pixel.find(',') + 1));
        EXPECT_TRUE(x >= 2 && x <= 10 && y >= 2 && y <= 8) << pixel;
    }
    SaveScreenshot(L"image_editor.bmp");
}

// The pencil stores the colour drawn. With system colours that are not greys, a standard grey
// drawn with the pencil still reads back as that grey, and the cell shows it.
TEST_F(ImageEditTest, PencilKeepsTheColourUnderNonGreySystemColours)
{
    const int elements[] = {COLOR_BTNFACE, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
    COLORREF saved[3];
    for (int i = 0; i < 3; i++)
        saved[i] = ::GetSysColor(elements[i]);
    const COLORREF tinted[] = {RGB(236, 233, 216), RGB(172, 168, 153), RGB(255, 255, 240)};
    ASSERT_TRUE(::SetSysColors(3, elements, tinted));
    PumpFor(100);

    struct
    {
        COLORREF m_color;
        CPoint m_pixel;
    } const cases[] = {{RGB(128, 128, 128), CPoint(1, 1)},
                       {RGB(192, 192, 192), CPoint(2, 1)},
                       {RGB(255, 0, 0), CPoint(3, 1)},
                       {RGB(0, 0, 255), CPoint(4, 1)}};
    CTestImageEditDlg& dlg = Open();
    for (const auto& c : cases)
    {
        dlg.GetColorBar().SetColor(c.m_color);
        dlg.SendMessage(WM_COMMAND, CKTImageEditDlg::IDC_KT_COLORS);
        DragPixels(c.m_pixel, c.m_pixel);
        const std::vector<COLORREF> pixels = Pixels(m_hbm);
        EXPECT_EQ(c.m_color, pixels[c.m_pixel.y * kImageSize.cx + c.m_pixel.x]) << std::hex << c.m_color;
        dlg.GetPaintArea().RedrawWindow();
        EXPECT_EQ(c.m_color, ScreenPixel(PixelOnScreen(c.m_pixel))) << std::hex << c.m_color;
    }
    SaveScreenshot(L"image_editor_tinted.bmp");
    ::SetSysColors(3, elements, saved);
    PumpFor(100);
}

struct PasteCase
{
    const char* m_name;
    CSize m_size;
    // Where the pasted picture's corners land; the rest is the button face.
    CPoint m_topLeft;
    CPoint m_bottomRight;
};

void PrintTo(const PasteCase& c, std::ostream* os)
{
    *os << c.m_name;
}

class ImageEditPasteTest : public ImageEditTest, public ::testing::WithParamInterface<PasteCase>
{
};

TEST_P(ImageEditPasteTest, PastedPictureIsCentredOrCut)
{
    const PasteCase& c = GetParam();
    const COLORREF clrPicture = RGB(0, 128, 0);
    CTestImageEditDlg& dlg = Open();
    ASSERT_TRUE(::OpenClipboard(dlg.GetSafeHwnd()));
    ASSERT_TRUE(::EmptyClipboard());
    ASSERT_TRUE(::SetClipboardData(CF_BITMAP, WhiteImage(c.m_size, clrPicture)) != nullptr);
    ::CloseClipboard();
    dlg.OnPaste();
    EXPECT_TRUE(dlg.m_messages.empty());
    const std::vector<COLORREF> pixels = Pixels(m_hbm);
    for (int y = 0; y < kImageSize.cy; y++)
        for (int x = 0; x < kImageSize.cx; x++)
        {
            const bool bInside =
                x >= c.m_topLeft.x && x <= c.m_bottomRight.x && y >= c.m_topLeft.y && y <= c.m_bottomRight.y;
            EXPECT_EQ(bInside ? clrPicture : ktGlobals.m_colorFace, pixels[y * kImageSize.cx + x]) << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImageEditPasteTest,
    ::testing::Values(PasteCase{"SmallerIsCentred", CSize(6, 5), CPoint(5, 5), CPoint(10, 9)},
                      PasteCase{"LargerKeepsItsTopLeft", CSize(40, 30), CPoint(0, 0), CPoint(15, 14)},
                      PasteCase{"SameSize", CSize(16, 15), CPoint(0, 0), CPoint(15, 14)}),
    [](const ::testing::TestParamInfo<PasteCase>& info) { return std::string(info.param.m_name); });

TEST_F(ImageEditTest, PasteWithoutAPictureLeavesTheImage)
{
    CTestImageEditDlg& dlg = Open();
    ASSERT_TRUE(::OpenClipboard(dlg.GetSafeHwnd()));
    ::EmptyClipboard();
    ::CloseClipboard();
    dlg.OnPaste();
    EXPECT_EQ(std::vector<UINT>{CKTImageEditDlg::IDS_KT_CANT_PASTE}, dlg.m_messages);
    EXPECT_TRUE(Drawn(m_hbm).empty()) << "nothing filled before the data was in hand";
}

TEST_F(ImageEditTest, CopyAndPasteRoundTripAndClearUsesTheFace)
{
    CTestImageEditDlg& dlg = Open();
    dlg.SendMessage(WM_COMMAND, CKTImageEditDlg::ID_KT_RECTANGLE);
    DragPixels(CPoint(1, 1), CPoint(5, 4));
    const std::vector<COLORREF> drawn = Pixels(m_hbm);
    dlg.OnCopy();
    EXPECT_TRUE(dlg.m_messages.empty());

    dlg.OnClear();
    for (COLORREF color : Pixels(m_hbm))
        ASSERT_EQ(ktGlobals.m_colorFace, color) << "Clear fills with the button face, not white";
    dlg.OnPaste();
    EXPECT_EQ(drawn, Pixels(m_hbm));
}

TEST_F(ImageEditTest, PickedColourBecomesThePencilColour)
{
    HDC hdc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hdc, m_hbm);
    ::SetPixel(hdc, 6, 6, RGB(0, 0, 128));
    ::SelectObject(hdc, hOld);
    ::DeleteDC(hdc);

    CTestImageEditDlg& dlg = Open();
    dlg.SendMessage(WM_COMMAND, CKTImageEditDlg::ID_KT_SELECT_COLOR);
    EXPECT_EQ(CKTImagePaintArea::ToolSelectColor, dlg.GetTool());
    DragPixels(CPoint(6, 6), CPoint(6, 6));
    EXPECT_EQ(CKTImagePaintArea::ToolPencil, dlg.GetTool()) << "back to the pencil";
    EXPECT_EQ(RGB(0, 0, 128), dlg.GetColorBar().GetColor());
    EXPECT_EQ(RGB(0, 0, 128), dlg.GetPaintArea().GetColor());
    DragPixels(CPoint(8, 2), CPoint(8, 2));
    EXPECT_EQ(RGB(0, 0, 128), Pixels(m_hbm)[2 * kImageSize.cx + 8]);
}

TEST_F(ImageEditTest, ToolsBarAndColoursByDepth)
{
    struct
    {
        int m_nBits;
        int m_nColors;
    } const cases[] = {{4, 16}, {8, 16}, {24, 20}};
    for (const auto& c : cases)
    {
        CTestImageEditDlg& dlg = Open(c.m_nBits);
        EXPECT_EQ(c.m_nColors, dlg.GetColorBar().GetColors().GetSize()) << c.m_nBits;
        EXPECT_EQ(kBlack, dlg.GetColorBar().GetColor());
        CKTToolBar& tools = dlg.GetToolsBar();
        ASSERT_EQ(10, tools.GetCount());
        EXPECT_TRUE(tools.IsLocked());
        // Three buttons a row: Pencil, Fill and Select Color share the first.
        CRect r0, r2, r3;
        tools.GetItemRect(0, &r0);
        tools.GetItemRect(2, &r2);
        tools.GetItemRect(3, &r3);
        EXPECT_EQ(r0.top, r2.top);
        EXPECT_GT(r3.top, r0.top);
        // The current tool's button is checked on the next idle moment.
        dlg.SendMessage(WM_COMMAND, CKTImageEditDlg::ID_KT_LINE);
        dlg.SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, 0);
        EXPECT_TRUE(tools.GetButtonStyle(tools.CommandToIndex(CKTImageEditDlg::ID_KT_LINE)) & TBBS_CHECKED);
        EXPECT_FALSE(tools.GetButtonStyle(tools.CommandToIndex(CKTImageEditDlg::ID_KT_PENCIL)) & TBBS_CHECKED);
        if (c.m_nBits == 24)
            SaveScreenshot(L"image_editor_tools.bmp");
        dlg.DestroyWindow();
    }
}

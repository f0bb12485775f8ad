// The colour pickers: the hexagon geometry and colours, channel snapping, and the pickers as real
// windows under the display's mouse and keys (picture, luminance bar, honeycomb outline).
#include "tests/uitoolkit/colors/ColorTestSupport.h"
#include "uitoolkit/customize/KTColorPickerCtrl.h"
#include "uitoolkit/looks/KTUIGlobals.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace
{

TEST(ColorPickerGeometry, SnappingPullsChannelsOntoTheStandardLevels)
{
    struct Case
    {
        int nValue, nTolerance, nExpected;
    };
    const Case cases[] = {
        {5, 0, 5},      {250, 0, 250},  {15, 16, 0},    {16, 16, 16},   {240, 16, 255}, {239, 16, 239},
        {140, 16, 128}, {112, 16, 112}, {180, 16, 192}, {100, 16, 100}, {135, 7, 135},  {134, 7, 128},
        {195, 7, 192},  {249, 7, 255},  {248, 7, 248},  {6, 7, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.nExpected, CKTColorPickerCtrl::SnapChannel(c.nValue, c.nTolerance))
            << c.nValue << " with tolerance " << c.nTolerance;
}

TEST(ColorPickerGeometry, HexagonCornersFollowCentreAndSize)
{
    POINT corners[6];
    CKTColorHexCell::MakeCorners(CPoint(50, 50), 11, corners);
    // h = int(11 * 0.57735026) / 2 = 3, m = 11 / 2 = 5
    const POINT expected[6] = {{45, 47}, {50, 45}, {55, 47}, {55, 53}, {50, 55}, {45, 53}};
    for (int i = 0; i < 6; i++)
    {
        EXPECT_EQ(expected[i].x, corners[i].x) << i;
        EXPECT_EQ(expected[i].y, corners[i].y) << i;
    }
}

TEST(ColorPickerGeometry, HoneycombHasAWhiteCentreAndSixRingsDarkeningOutwards)
{
    std::vector<CKTColorHexCell> cells;
    // A wide rectangle is made square around its centre.
    CKTColorPickerCtrl::MakeColorHexagons(CRect(0, 0, 170, 130), cells);
    ASSERT_EQ(127u, cells.size());
    const int s = 130 / 13 + 1;
    EXPECT_EQ(s, cells[0].m_nSize);
    EXPECT_EQ(CPoint(85, 65), cells[0].m_center);
    EXPECT_EQ(RGB(255, 255, 255), cells[0].m_color);

    // The first cell of ring r lies r cells right of the centre, hue 0 (red).
    struct Ring
    {
        int r;
        COLORREF color;
    };
    const Ring rings[] = {{1, RGB(255, 233, 233)}, {6, RGB(128, 0, 0)}};
    int nFirst = 1;
    for (int r = 1; r <= 6; r++)
    {
        for (const Ring& ring : rings)
        {
            if (ring.r != r)
                continue;
            EXPECT_EQ(CPoint(85 + r * s, 65), cells[nFirst].m_center) << "ring " << r;
            EXPECT_EQ(ring.color, cells[nFirst].m_color) << "ring " << r;
        }
        nFirst += 6 * r;
    }

    // Every cell has a place of its own and is found at its centre.
    std::set<std::pair<int, int>> centres;
    for (const CKTColorHexCell& cell : cells)
    {
        EXPECT_TRUE(centres.insert({cell.m_center.x, cell.m_center.y}).second)
            << cell.m_center.x << "," << cell.m_center.y;
        EXPECT_TRUE(cell.Contains(cell.m_center));
    }
}

TEST(ColorPickerGeometry, GreyRowRunsFromWhiteThroughSnappedGreysToBlack)
{
    std::vector<CKTColorHexCell> cells;
    const CRect rect(0, 0, 260, 40);
    CKTColorPickerCtrl::MakeGreyHexagons(rect, cells);
    ASSERT_EQ(17u, cells.size());
    const int c = 18; // min(40 / 2 - 2, 260 / 13) = 18, even
    EXPECT_EQ(RGB(255, 255, 255), cells.front().m_color);
    EXPECT_EQ(2 * c, cells.front().m_nSize);
    EXPECT_EQ(RGB(0, 0, 0), cells.back().m_color);
    EXPECT_EQ(2 * c, cells.back().m_nSize);
    const int levels[15] = {240, 225, 210, 192, 180, 165, 150, 135, 120, 105, 90, 75, 60, 45, 30};
    for (int i = 0; i < 15; i++)
    {
        const CKTColorHexCell& cell = cells[1 + i];
        EXPECT_EQ(RGB(levels[i], levels[i], levels[i]), cell.m_color) << i;
        EXPECT_EQ(c, cell.m_nSize);
        const int nRise = static_cast<int>(c * 0.57735026 * 1.5) / 2;
        EXPECT_EQ(i % 2 == 0 ? 20 - nRise : 20 + nRise, cell.m_center.y) << i;
    }
    // Centred: equal room left of the white and right of the black cell.
    const int nLeft = cells.front().m_center.x - c;
    const int nRight = rect.right - (cells.back().m_center.x + c);
    EXPECT_LE(std::abs(nLeft - nRight), 1);

    // An odd cell size is made even.
    CKTColorPickerCtrl::MakeGreyHexagons(CRect(0, 0, 300, 40), cells);
    EXPECT_EQ(18, cells[1].m_nSize);
    CKTColorPickerCtrl::MakeGreyHexagons(CRect(0, 0, 300, 42), cells);
    EXPECT_EQ(20, cells[1].m_nSize); // min(19, 23) = 19 -> 20
}

TEST(ColorPickerGeometry, LuminanceBarMapsHeightsInsideItsMargins)
{
    const CRect rect(0, 0, 30, 110); // the bar runs from 5 to 105
    struct Case
    {
        int y;
        double dblLum;
    };
    const Case cases[] = {{5, 1.0}, {0, 1.0}, {105, 0.0}, {200, 0.0}, {55, 0.5}, {80, 0.25}};
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(c.dblLum, CKTColorPickerCtrl::LuminanceFromHeight(rect, c.y)) << c.y;
}

// Pickers in a real window ----------------------------------------------------------------------

class ColorPickerWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.Make(CRect(120, 120, 520, 420)));
        m_host.SetForegroundWindow();
        PumpAndIdle();
    }
    void TearDown() override
    {
        m_host.DestroyWindow();
        PumpAndIdle();
    }
    void MakePicker(CKTColorPickerCtrl& picker, CKTColorPickerCtrl::COLORTYPE type, const CRect& rect, UINT nID)
    {
        ASSERT_TRUE(picker.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW | WS_TABSTOP, rect, &m_host, nID));
        picker.SetType(type);
        picker.Invalidate();
        picker.UpdateWindow();
        PumpAndIdle();
    }

    CHostWnd m_host;
};

TEST_F(ColorPickerWindowTest, PressOnThePictureSetsHueAndSaturationAndCtrlKeepsTheHue)
{
    CKTColorPickerCtrl picker;
    MakePicker(picker, CKTColorPickerCtrl::PICKER, CRect(10, 10, 210, 110), 100);
    UserInput input;
    input.MoveTo(ScreenPoint(&picker, CPoint(50, 25))).LeftDown().LeftUp().Pause(50);
    Play(input);
    EXPECT_NEAR(50.0 / 200, picker.GetHue(), 1e-9);
    EXPECT_NEAR(1 - 25.0 / 100, picker.GetSaturation(), 1e-9);
    EXPECT_DOUBLE_EQ(0.5, picker.GetLuminance());
    EXPECT_EQ(1, m_host.Count(100, 0));
    EXPECT_EQ(&picker, CWnd::GetFocus());

    // A drag beyond the control is held at its edge.
    UserInput drag;
    drag.MoveTo(ScreenPoint(&picker, CPoint(100, 50)))
        .LeftDown()
        .Glide(ScreenPoint(&picker, CPoint(100, 50)), ScreenPoint(&picker, CPoint(300, 150)), 6);
    drag.LeftUp().Pause(50);
    Play(drag);
    EXPECT_DOUBLE_EQ(1.0, picker.GetHue());
    EXPECT_DOUBLE_EQ(0.0, picker.GetSaturation());

    // Ctrl keeps the marker's x: only the saturation follows.
    UserInput ctrl;
    ctrl.DisplayKey("ctrl", true).Pause(50).MoveTo(ScreenPoint(&picker, CPoint(20, 60))).LeftDown().LeftUp();
    ctrl.DisplayKey("ctrl", false).Pause(50);
    Play(ctrl);
    EXPECT_DOUBLE_EQ(1.0, picker.GetHue());
    EXPECT_NEAR(1 - 60.0 / 100, picker.GetSaturation(), 1e-9);
    SaveWindowShot(&picker, L"ColorPicture.bmp");
}

TEST_F(ColorPickerWindowTest, ArrowKeysOnTheLuminanceBarStopAtZeroAndOne)
{
    CKTColorPickerCtrl bar;
    MakePicker(bar, CKTColorPickerCtrl::LUMINANCE, CRect(10, 10, 50, 130), 101);
    bar.SetHLS(0.0, 0.9, 1.0);
    bar.SetFocus();
    PumpAndIdle();

    UserInput up;
    for (int i = 0; i < 4; i++)
        up.Press(VK_UP);
    up.Pause(50);
    Play(up);
    EXPECT_DOUBLE_EQ(1.0, bar.GetLuminance());
    EXPECT_EQ(2, m_host.Count(101, 0)); // 0.95, 1.0; then nothing changes
    EXPECT_EQ(RGB(255, 255, 255), bar.GetColor());

    m_host.m_notices.clear();
    UserInput down;
    for (int i = 0; i < 24; i++)
        down.Press(VK_DOWN);
    down.Pause(50);
    Play(down);
    EXPECT_DOUBLE_EQ(0.0, bar.GetLuminance());
    EXPECT_EQ(RGB(0, 0, 0), bar.GetColor());
    EXPECT_EQ(20, m_host.Count(101, 0));

    // A press on the bar takes the luminance of that height.
    UserInput press;
    press.MoveTo(ScreenPoint(&bar, CPoint(10, 5 + 55))).LeftDown().LeftUp().Pause(50);
    Play(press);
    EXPECT_NEAR(0.5, bar.GetLuminance(), 1e-9);
}

TEST_F(ColorPickerWindowTest, HoneycombOutlinesOnlyACellOfThePickersColour)
{
    CKTColorPickerCtrl hex;
    MakePicker(hex, CKTColorPickerCtrl::HEX, CRect(10, 10, 190, 170), 102);
    ASSERT_EQ(127u, hex.GetCells().size());
    CRect rectScreen;
    hex.GetWindowRect(&rectScreen);

    // No cell of the honeycomb is black: black pixels are the outline alone.
    hex.SetColor(RGB(1, 2, 3));
    hex.UpdateWindow();
    PumpAndIdle();
    EXPECT_EQ(nullptr, hex.FindCell(RGB(1, 2, 3)));
    EXPECT_EQ(0, CountScreenPixels(rectScreen, RGB(0, 0, 0)));

    const CKTColorHexCell cell = hex.GetCells()[20];
    hex.SetColor(cell.m_color);
    hex.UpdateWindow();
    PumpAndIdle();
    EXPECT_GT(CountScreenPixels(rectScreen, RGB(0, 0, 0)), 10);
    SaveWindowShot(&hex, L"ColorHoneycomb.bmp");

    // A press between cells changes nothing; a press on a cell takes its colour.
    m_host.m_notices.clear();
    UserInput outside;
    outside.MoveTo(ScreenPoint(&hex, CPoint(2, 2))).LeftDown().LeftUp().Pause(50);
    Play(outside);
    EXPECT_EQ(0, m_host.Count(102, 0));
    EXPECT_EQ(cell.m_color, hex.GetColor());

    const CKTColorHexCell other = hex.GetCells()[0];
    UserInput on;
    on.MoveTo(ScreenPoint(&hex, other.m_center)).LeftDown().LeftUp().Pause(50);
    Play(on);
    // Moves while the button is held report the cell again.
    EXPECT_GE(m_host.Count(102, 0), 1);
    EXPECT_EQ(RGB(255, 255, 255), hex.GetColor());
    EXPECT_DOUBLE_EQ(1.0, hex.GetLuminance());

    // A double click asks to choose.
    UserInput dbl;
    dbl.MoveTo(ScreenPoint(&hex, other.m_center)).LeftDown().LeftUp().LeftDown().LeftUp().Pause(50);
    Play(dbl);
    EXPECT_EQ(1, m_host.Count(102, BN_DOUBLECLICKED));
}

TEST_F(ColorPickerWindowTest, LuminanceBarWidthIsHeldToThreeQuartersOfTheControl)
{
    CKTColorPickerCtrl bar;
    MakePicker(bar, CKTColorPickerCtrl::LUMINANCE, CRect(10, 10, 50, 130), 103);
    bar.SetLuminanceBarWidth(100);
    EXPECT_EQ(30, bar.GetLuminanceBarWidth());
    bar.SetLuminanceBarWidth(12);
    EXPECT_EQ(12, bar.GetLuminanceBarWidth());
}

} // namespace

// Bars moved as a user moves them: the display's mouse (SendInput), Ctrl through the display's
// test extension (xdotool), the floating frame's caption, close box and system menu.
#include "DockingFixture.h"

#include "../input/UserInput.h"
#include "../windows/WindowsTestSupport.h"

namespace
{

const UINT kTop = AFX_IDW_DOCKBAR_TOP;
const UINT kLeft = AFX_IDW_DOCKBAR_LEFT;

POINT Center(const CRect& rect)
{
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// A screen point of the window where it answers the hit code, searched along its caption.
bool FindNcPoint(HWND hWnd, LRESULT nHit, POINT* pPoint)
{
    RECT rect;
    ::GetWindowRect(hWnd, &rect);
    for (int y = rect.top + 1; y < rect.top + 40 && y < rect.bottom; y += 2)
    {
        for (int x = rect.right - 2; x > rect.left; x -= 2)
        {
            if (::SendMessage(hWnd, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == nHit)
            {
                *pPoint = {x, y};
                return true;
            }
        }
    }
    return false;
}

class DockingMouseTest : public DockingTest
{
public:
    // A and B in one row on the top side, the frame in front.
    void Prepare()
    {
        AddBar('A', 120, 26);
        AddBar('B', 120, 26);
        m_pFrame->DockControlBar(Bar('A'), kTop);
        CRect rect;
        Bar('A')->GetWindowRect(&rect);
        rect.OffsetRect(rect.Width() / 2, 0);
        m_pFrame->DockControlBar(Bar('B'), kTop, &rect);
        ::SetForegroundWindow(m_pFrame->m_hWnd);
        PumpAndIdle();
        ASSERT_EQ(Rows(kTop), "AB|");
    }

    void Play(UserInput& input)
    {
        input.Start();
        EXPECT_TRUE(PumpUntil([&] { return input.Done(); }, 20000));
        input.Wait();
        PumpAndIdle();
    }

    POINT ClientPoint(int x, int y) const
    {
        POINT pt{x, y};
        ::ClientToScreen(m_pFrame->m_hWnd, &pt);
        return pt;
    }
};

TEST_F(DockingMouseTest, DraggingABarDocksWhereItsOutlineMeetsASideAndFloatsElsewhere)
{
    struct Case
    {
        const char* name;
        // The drag of bar A from its middle to a point of the frame's client area.
        POINT target;
        // Between the press and the release: nothing, Escape, the right button, Ctrl held.
        enum Extra
        {
            none,
            escape,
            rightButton,
            ctrl
        } extra;
        const char* top;
        const char* left;
        size_t nFloatingFrames;
    };
    const Case cases[] = {
        {"to the left edge: docks on the left", {10, 200}, Case::none, "B|", "A|", 0},
        {"to the middle: floats", {300, 200}, Case::none, "aB|", "", 1},
        {"to the left edge with Ctrl held: floats", {10, 200}, Case::ctrl, "aB|", "", 1},
        {"Escape cancels", {300, 200}, Case::escape, "AB|", "", 0},
        {"the right button cancels", {300, 200}, Case::rightButton, "AB|", "", 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        Prepare();
        CRect rectA;
        Bar('A')->GetWindowRect(&rectA);
        const POINT press = Center(rectA);
        const POINT release = ClientPoint(c.target.x, c.target.y);

        UserInput input;
        input.MoveTo(press);
        if (c.extra == Case::ctrl)
            input.DisplayKey("ctrl", true);
        input.LeftDown().Glide(press, release);
        if (c.extra == Case::escape)
            input.Key(VK_ESCAPE, true).Key(VK_ESCAPE, false);
        if (c.extra == Case::rightButton)
            input.RightDown().RightUp();
        input.LeftUp();
        if (c.extra == Case::ctrl)
            input.DisplayKey("ctrl", false);
        Play(input);

        EXPECT_EQ(Rows(kTop), c.top);
        EXPECT_EQ(Rows(kLeft), c.left);
        ASSERT_EQ(FloatingFrames().size(), c.nFloatingFrames);
        EXPECT_EQ(::GetCapture(), nullptr) << "the drag gave the mouse back";
        if (c.nFloatingFrames == 1)
        {
            CMiniDockFrameWnd* pFloating = FloatingFrames().front();
            EXPECT_TRUE(pFloating->IsWindowVisible());
            // The frame lies where the outline was let go: around the release point.
            CRect rectFloating;
            pFloating->GetWindowRect(&rectFloating);
            EXPECT_TRUE(rectFloating.PtInRect(release));
        }
        if (c.left[0] == 'A')
        {
            EXPECT_EQ((Bar('A')->GetBarStyle() & CBRS_ALIGN_ANY), static_cast<DWORD>(CBRS_ALIGN_LEFT));
        }
    }
}

TEST_F(DockingMouseTest, DoubleClicksToggleBetweenTheRowAndTheFloatingFrame)
{
    Prepare();
    const CRect placeA = PlaceInDockBar(Bar('A'));
    CRect rectA;
    Bar('A')->GetWindowRect(&rectA);
    const POINT onBar = Center(rectA);
    {
        UserInput input;
        input.MoveTo(onBar).LeftDown().LeftUp().LeftDown().LeftUp();
        Play(input);
    }
    ASSERT_EQ(FloatingFrames().size(), 1u);
    EXPECT_EQ(Rows(kTop), "aB|");
    CMiniDockFrameWnd* pFloating = FloatingFrames().front();
    SavePicture(L"docking-floated-by-double-click.bmp");

    POINT onCaption;
    ASSERT_TRUE(FindNcPoint(pFloating->m_hWnd, HTCAPTION, &onCaption));
    {
        UserInput input;
        input.MoveTo(onCaption).LeftDown().LeftUp().LeftDown().LeftUp();
        Play(input);
    }
    EXPECT_TRUE(FloatingFrames().empty());
    EXPECT_EQ(Rows(kTop), "AB|");
    EXPECT_EQ(PlaceInDockBar(Bar('A')), placeA) << "back where it was";
}

TEST_F(DockingMouseTest, FloatingFrameCaptionDragsCloseBoxHidesAndSystemMenuFitsABar)
{
    Prepare();
    m_pFrame->FloatControlBar(Bar('A'), CPoint(300, 300));
    PumpAndIdle();
    ASSERT_EQ(FloatingFrames().size(), 1u);
    CMiniDockFrameWnd* pFloating = FloatingFrames().front();

    // The system menu: what a floating bar can do, no more.
    HMENU hSysMenu = ::GetSystemMenu(pFloating->m_hWnd, FALSE);
    ASSERT_NE(hSysMenu, nullptr);
    EXPECT_NE(::GetMenuState(hSysMenu, SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_NE(::GetMenuState(hSysMenu, SC_MOVE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_EQ(::GetMenuState(hSysMenu, SC_MAXIMIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_EQ(::GetMenuState(hSysMenu, SC_MINIMIZE, MF_BYCOMMAND), static_cast<UINT>(-1));

    // The close box hides the bar and its frame; the bar can be shown again.
    POINT onClose;
    ASSERT_TRUE(FindNcPoint(pFloating->m_hWnd, HTCLOSE, &onClose));
    {
        UserInput input;
        input.MoveTo(onClose).LeftDown().LeftUp();
        Play(input);
    }
    EXPECT_FALSE(Bar('A')->IsWindowVisible());
    EXPECT_FALSE(pFloating->IsWindowVisible());
    m_pFrame->ShowControlBar(Bar('A'), TRUE, FALSE);
    PumpAndIdle();
    EXPECT_TRUE(pFloating->IsWindowVisible());

    // The caption drags the bar: over the top row it docks there again.
    POINT onCaption;
    ASSERT_TRUE(FindNcPoint(pFloating->m_hWnd, HTCAPTION, &onCaption));
    CRect rectB;
    Bar('B')->GetWindowRect(&rectB);
    const POINT overRow = {rectB.right + 40, (rectB.top + rectB.bottom) / 2};
    {
        UserInput input;
        input.MoveTo(onCaption).LeftDown().Glide(onCaption, overRow).LeftUp();
        Play(input);
    }
    EXPECT_TRUE(FloatingFrames().empty());
    EXPECT_EQ(Rows(kTop), "BA|");
}

// A bar that takes the width it is given when floating (and remembers it when told to commit).
class CStretchyBar : public CPlainBar
{
public:
    CStretchyBar() : CPlainBar(150, 30, RGB(0, 120, 200)) {}
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override
    {
        if ((dwMode & (LM_HORZDOCK | LM_VERTDOCK)) != 0)
            return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZDOCK) != 0);
        int nWidth = m_nMRUWidth == 32767 ? m_nLength : static_cast<int>(m_nMRUWidth);
        if (nLength >= 0 && (dwMode & LM_LENGTHY) == 0 && (dwMode & LM_MRUWIDTH) == 0)
            nWidth = std::max(nLength, 60);
        if ((dwMode & LM_COMMIT) != 0)
            m_nMRUWidth = static_cast<UINT>(nWidth);
        return CSize(nWidth, m_nThickness);
    }
};

TEST_F(DockingMouseTest, FloatingFrameBorderResizesABarThatSizesItself)
{
    CStretchyBar bar;
    ASSERT_TRUE(bar.Create(m_pFrame, 0xE821, L"stretchy"));
    bar.SetBarStyle(bar.GetBarStyle() | CBRS_SIZE_DYNAMIC);
    bar.EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(&bar, kTop);
    m_pFrame->FloatControlBar(&bar, CPoint(200, 250));
    PumpAndIdle();
    ASSERT_NE(bar.m_pDockBar, nullptr);
    auto* pFloating = dynamic_cast<CMiniDockFrameWnd*>(bar.m_pDockBar->GetParent());
    ASSERT_NE(pFloating, nullptr);
    CRect rectBefore;
    bar.GetWindowRect(&rectBefore);
    ASSERT_EQ(rectBefore.Width(), 150);

    POINT onRight;
    ASSERT_TRUE(FindNcPoint(pFloating->m_hWnd, HTRIGHT, &onRight));
    {
        UserInput input;
        input.MoveTo(onRight).LeftDown().Glide(onRight, {onRight.x + 80, onRight.y}).LeftUp();
        Play(input);
    }
    CRect rectAfter;
    bar.GetWindowRect(&rectAfter);
    EXPECT_NEAR(rectAfter.Width(), 230, 2);
    EXPECT_EQ(rectAfter.left, rectBefore.left) << "the left side stays";
    EXPECT_NEAR(static_cast<int>(bar.m_nMRUWidth), 230, 2) << "the width is remembered for the next float";
    EXPECT_EQ(::GetCapture(), nullptr);
    bar.DestroyWindow();
}

TEST_F(DockingMouseTest, PictureOfTwoRowsOnTwoSidesAndAFloatingBar)
{
    for (char c : {'A', 'B', 'C', 'D', 'E'})
        AddBar(c, c == 'C' || c == 'D' ? 90 : 140, 28);
    m_pFrame->DockControlBar(Bar('A'), kTop);
    m_pFrame->DockControlBar(Bar('B'), kTop);
    m_pFrame->DockControlBar(Bar('C'), kLeft);
    m_pFrame->DockControlBar(Bar('D'), kLeft);
    CRect rectA;
    Bar('A')->GetWindowRect(&rectA);
    m_pFrame->FloatControlBar(Bar('E'), CPoint(rectA.left + 250, rectA.top + 150));
    PumpAndIdle();
    ASSERT_EQ(Rows(kTop), "A|B|");
    ASSERT_EQ(Rows(kLeft), "C|D|");
    ASSERT_EQ(FloatingFrames().size(), 1u);
    SavePicture(L"docking-two-rows-two-sides-floating.bmp");

    // The bars are on the screen where the rows put them, in their own colours.
    for (char c : {'A', 'B', 'C', 'D', 'E'})
    {
        CRect rect;
        Bar(c)->GetWindowRect(&rect);
        EXPECT_EQ(ScreenPixel(Center(rect)), Bar(c)->m_colour) << c;
    }
    CRect rectB;
    Bar('B')->GetWindowRect(&rectB);
    EXPECT_EQ(rectB.top, rectA.bottom) << "the second row lies below the first";
    CRect rectC;
    CRect rectD;
    Bar('C')->GetWindowRect(&rectC);
    Bar('D')->GetWindowRect(&rectD);
    EXPECT_EQ(rectD.left, rectC.right) << "the second left row lies right of the first";
    CRect rectLeftSide;
    Side(kLeft)->GetWindowRect(&rectLeftSide);
    EXPECT_EQ(rectC.top, rectLeftSide.top) << "a bar docked without a place starts its row";
}

} // namespace

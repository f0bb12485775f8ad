// The base look: which instance callers get, and its painters on 32-bit surfaces and in a window.
#include "tests/uitoolkit/looks/LookOperations.h"
#include "tests/uitoolkit/looks/LookSheet.h"
#include "tests/uitoolkit/looks/LooksTestSupport.h"
#include "uitoolkit/bars/KTSizingControlBar.h"
#include "uitoolkit/bars/KTStatusBar.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManager.h"

#include <gtest/gtest.h>

// A look that cannot be created dynamically.
class CUncreatableLook : public CKTVisualManager
{
    DECLARE_DYNAMIC(CUncreatableLook)
};
IMPLEMENT_DYNAMIC(CUncreatableLook, CKTVisualManager)

class CCountedLook : public CKTVisualManager
{
    DECLARE_DYNCREATE(CCountedLook)
public:
    CCountedLook() { ++m_nLive; }
    ~CCountedLook() override { --m_nLive; }
    static int m_nLive;
};
IMPLEMENT_DYNCREATE(CCountedLook, CKTVisualManager)
int CCountedLook::m_nLive = 0;

namespace
{
class VisualManagerTest : public ::testing::Test
{
protected:
    void SetUp() override { CKTVisualManager::SetDefaultManager(nullptr); }
    void TearDown() override
    {
        CKTVisualManager::SetDefaultManager(nullptr);
        CKTVisualManager::DestroyInstance();
    }
};
} // namespace

TEST_F(VisualManagerTest, InstancesComeFromTheChosenClassAndAreFreedOnlyWhenMadeHere)
{
    CKTVisualManager* pBase = CKTVisualManager::GetInstance();
    ASSERT_NE(nullptr, pBase);
    EXPECT_EQ(RUNTIME_CLASS(CKTVisualManager), pBase->GetRuntimeClass());
    EXPECT_TRUE(pBase->IsAutoDelete());
    EXPECT_EQ(pBase, CKTVisualManager::GetInstance());

    EXPECT_FALSE(CKTVisualManager::SetDefaultManager(RUNTIME_CLASS(CKTToolbarButton))) << "not a look";
    EXPECT_EQ(pBase, CKTVisualManager::GetInstance()) << "a refused class keeps the look";

    ASSERT_TRUE(CKTVisualManager::SetDefaultManager(RUNTIME_CLASS(CCountedLook)));
    CKTVisualManager* pCounted = CKTVisualManager::GetInstance();
    EXPECT_TRUE(pCounted->IsKindOf(RUNTIME_CLASS(CCountedLook)));
    EXPECT_EQ(1, CCountedLook::m_nLive);
    ASSERT_TRUE(CKTVisualManager::SetDefaultManager(nullptr));
    EXPECT_EQ(0, CCountedLook::m_nLive) << "the instance made by GetInstance is deleted";
    EXPECT_EQ(RUNTIME_CLASS(CKTVisualManager), CKTVisualManager::GetInstance()->GetRuntimeClass());

    ASSERT_TRUE(CKTVisualManager::SetDefaultManager(RUNTIME_CLASS(CUncreatableLook)));
    EXPECT_EQ(RUNTIME_CLASS(CKTVisualManager), CKTVisualManager::GetInstance()->GetRuntimeClass())
        << "a class that cannot be made falls back to the base look";
}

TEST_F(VisualManagerTest, AnInstanceMadeByTheCallerIsNeverDeletedByTheLibrary)
{
    CKTVisualManager::DestroyInstance();
    {
        CCountedLook own;
        EXPECT_EQ(&own, CKTVisualManager::GetInstance()) << "a constructed look registers itself";
        EXPECT_FALSE(own.IsAutoDelete());
        CKTVisualManager::DestroyInstance();
        EXPECT_EQ(&own, CKTVisualManager::GetInstance()) << "not deleted, still the look";
        ASSERT_TRUE(CKTVisualManager::SetDefaultManager(nullptr));
        EXPECT_EQ(1, CCountedLook::m_nLive) << "forgotten, not deleted";
        EXPECT_NE(&own, CKTVisualManager::GetInstance());
    }
    EXPECT_EQ(0, CCountedLook::m_nLive);
    EXPECT_NE(nullptr, CKTVisualManager::GetInstance()) << "the owner's destructor left the new instance";
}

TEST_F(VisualManagerTest, ATemporaryManagerLeavesTheGlobalColoursAlone)
{
    CKTVisualManager::DestroyInstance();
    ktGlobals.m_colorBarFace = RGB(1, 2, 3);  // as a look that repaints the bars would
    {
        CKTVisualManager probe(TRUE);
        EXPECT_TRUE(probe.IsTemporary());
    }
    EXPECT_EQ(RGB(1, 2, 3), ktGlobals.m_colorBarFace);
    CKTVisualManager* pLook = CKTVisualManager::GetInstance();
    EXPECT_FALSE(pLook->IsTemporary()) << "the probe never became the instance";
    ktGlobals.m_colorBarFace = RGB(1, 2, 3);
    EXPECT_EQ(RGB(1, 2, 3), ktGlobals.m_colorBarFace);
    ktGlobals.UpdateSysColors();
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), ktGlobals.m_colorBarFace);
}

namespace
{
// The base look on its own, with the classic grey scheme.
class BaseLookPaintTest : public ::testing::Test
{
protected:
    BaseLookPaintTest() : m_colors(ScopedSysColors::Classic()) {}
    ScopedSysColors m_colors;
    CKTVisualManager m_look{TRUE};
};
} // namespace

TEST_F(BaseLookPaintTest, SeparatorsLieTwoPixelsThroughTheMiddle)
{
    struct Case
    {
        int size;
        BOOL horizontalBar;
        int first;  // the shadow row (or column); the highlight follows it
    };
    const Case cases[] = {{9, FALSE, 3}, {10, FALSE, 4}, {9, TRUE, 3}, {10, TRUE, 4}};
    for (const Case& c : cases)
    {
        DibSurface surface(20, 20, RGB(0, 255, 0));
        const CRect rect = c.horizontalBar ? CRect(0, 0, c.size, 20) : CRect(0, 0, 20, c.size);
        m_look.OnDrawSeparator(&surface.Dc(), nullptr, rect, c.horizontalBar);
        auto at = [&](int along, int across) { return c.horizontalBar ? surface.Pixel(across, along) : surface.Pixel(along, across); };
        EXPECT_EQ(ColorText(RGB(128, 128, 128)), ColorText(at(5, c.first))) << c.size << " " << c.horizontalBar;
        EXPECT_EQ(ColorText(RGB(255, 255, 255)), ColorText(at(5, c.first + 1))) << c.size << " " << c.horizontalBar;
        EXPECT_EQ(ColorText(RGB(0, 255, 0)), ColorText(at(5, c.first - 1))) << c.size << " " << c.horizontalBar;
        EXPECT_EQ(ColorText(RGB(0, 255, 0)), ColorText(at(5, c.first + 2))) << c.size << " " << c.horizontalBar;
    }
}

TEST_F(BaseLookPaintTest, GripperHasTwoLinesOrOneInLook2000)
{
    const COLORREF highlight = RGB(255, 255, 255), shadow = RGB(128, 128, 128), none = RGB(0, 255, 0);
    struct Case
    {
        BOOL look2000;
        int x;
        int y;
        COLORREF expected;
        const char* what;
    };
    const Case cases[] = {
        {FALSE, 3, 2, highlight, "first line's top-left"},
        {FALSE, 5, 10, shadow, "first line's right edge"},
        {FALSE, 3, 17, highlight, "extra highlight at the bottom-left"},
        {FALSE, 7, 10, highlight, "second line"},
        {FALSE, 3, 1, none, "above the shrunk rectangle"},
        {TRUE, 4, 3, highlight, "the one line"},
        {TRUE, 4, 16, shadow, "no extra pixel"},
        {TRUE, 8, 10, none, "no second line"},
    };
    for (const Case& c : cases)
    {
        DibSurface surface(10, 20, none);
        m_look.SetLook2000(c.look2000);
        m_look.OnDrawBarGripper(&surface.Dc(), CRect(0, 0, 10, 20), TRUE, nullptr);
        EXPECT_EQ(ColorText(c.expected), ColorText(surface.Pixel(c.x, c.y))) << c.what;
    }
}

TEST_F(BaseLookPaintTest, ProgressFillsItsShareAndShowsThePercentage)
{
    const COLORREF background = RGB(0, 255, 0), bar = RGB(200, 0, 0);
    DibSurface empty(90, 16, background);
    m_look.OnDrawStatusBarProgress(&empty.Dc(), nullptr, CRect(0, 0, 90, 16), 0, 1, bar, (COLORREF)-1, RGB(255, 255, 0),
                                   TRUE);
    for (int x = 0; x < 90; x += 5)
        EXPECT_EQ(ColorText(background), ColorText(empty.Pixel(x, 8))) << "total 0 draws nothing";

    DibSurface third(90, 16, background);
    m_look.OnDrawStatusBarProgress(&third.Dc(), nullptr, CRect(0, 0, 90, 16), 3, 1, bar, (COLORREF)-1, RGB(255, 255, 0),
                                   TRUE);
    EXPECT_EQ(ColorText(bar), ColorText(third.Pixel(29, 1)));
    EXPECT_EQ(ColorText(background), ColorText(third.Pixel(30, 1)));

    // The same bar with the expected text drawn by hand: "33%" across, in button text.
    DibSurface expected(90, 16, background);
    expected.Dc().FillSolidRect(CRect(0, 0, 30, 16), bar);
    expected.Dc().SetBkMode(TRANSPARENT);
    expected.Dc().SetTextColor(ktGlobals.m_colorText);
    CRect all(0, 0, 90, 16);
    expected.Dc().DrawText(L"33%", -1, all, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    int differing = 0, textPixels = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 30; x < 90; ++x)
        {
            differing += third.Pixel(x, y) != expected.Pixel(x, y);
            textPixels += expected.Pixel(x, y) != background;
        }
    EXPECT_GT(textPixels, 0) << "the text reaches the unfilled part";
    EXPECT_EQ(0, differing) << "the text is 33%";
}

TEST_F(BaseLookPaintTest, ButtonBordersAndTextColours)
{
    CKTToolbarButton button;
    struct Case
    {
        CKTVisualManager::ButtonState state;
        COLORREF topLeft, bottomRight;
    };
    const Case cases[] = {{CKTVisualManager::ButtonsIsPressed, RGB(128, 128, 128), RGB(255, 255, 255)},
                          {CKTVisualManager::ButtonsIsHighlighted, RGB(255, 255, 255), RGB(128, 128, 128)},
                          {CKTVisualManager::ButtonsIsRegular, RGB(0, 255, 0), RGB(0, 255, 0)}};
    for (const Case& c : cases)
    {
        DibSurface surface(10, 10, RGB(0, 255, 0));
        m_look.OnDrawButtonBorder(&surface.Dc(), &button, CRect(0, 0, 10, 10), c.state);
        EXPECT_EQ(ColorText(c.topLeft), ColorText(surface.Pixel(0, 5))) << c.state;
        EXPECT_EQ(ColorText(c.bottomRight), ColorText(surface.Pixel(9, 5))) << c.state;
    }
    EXPECT_EQ(ktGlobals.m_colorBarText, m_look.GetToolbarButtonTextColor(&button, CKTVisualManager::ButtonsIsRegular));
    button.m_nStyle = TBBS_DISABLED;
    EXPECT_EQ(ktGlobals.m_colorGrayText, m_look.GetToolbarButtonTextColor(&button, CKTVisualManager::ButtonsIsHighlighted));
}

// Every painter of a look in each state, in a real window, captured from the window's DC.
void PaintLookSheet(CKTVisualManager& look, CDC& dc)
{
    dc.FillSolidRect(CRect(0, 0, 420, 140), ktGlobals.m_colorBarFace);
    CKTToolBar toolBar;
    toolBar.m_dwStyle = CBRS_ALIGN_TOP;
    look.OnDrawBarGripper(&dc, CRect(4, 4, 14, 30), TRUE, &toolBar);
    look.OnDrawBarGripper(&dc, CRect(20, 4, 46, 14), FALSE, &toolBar);
    look.OnDrawSeparator(&dc, &toolBar, CRect(50, 4, 58, 30), TRUE);
    look.OnDrawSeparator(&dc, &toolBar, CRect(20, 20, 46, 28), FALSE);
    CKTToolbarMenuButton button;
    for (int state = 0; state < 3; ++state)
    {
        const CRect rect(64 + state * 28, 4, 88 + state * 28, 28);
        button.m_nStyle = state == 1 ? TBBS_CHECKED : 0;
        look.OnFillButtonInterior(&dc, &button, rect, CKTVisualManager::ButtonState(state));
        look.OnDrawButtonBorder(&dc, &button, rect, CKTVisualManager::ButtonState(state));
    }
    COLORREF text = 0;
    look.OnHighlightMenuItem(&dc, &button, CRect(150, 4, 230, 22), text);
    look.OnDrawMenuBorder(&dc, nullptr, CRect(240, 4, 300, 40));
    look.OnDrawComboDropButton(&dc, CRect(310, 4, 326, 24), FALSE, FALSE, TRUE, nullptr);
    look.OnDrawComboDropButton(&dc, CRect(330, 4, 346, 24), FALSE, TRUE, FALSE, nullptr);
    look.OnDrawComboDropButton(&dc, CRect(350, 4, 366, 24), TRUE, FALSE, FALSE, nullptr);
    const UINT commands[] = {SC_MINIMIZE, SC_RESTORE, SC_CLOSE};
    for (int i = 0; i < 3; ++i)
    {
        look.OnDrawMenuSystemButton(&dc, CRect(370 + i * 16, 4, 386 + i * 16, 20), commands[i], 0, FALSE);
        look.OnDrawMenuSystemButton(&dc, CRect(370 + i * 16, 24, 386 + i * 16, 40), commands[i], TBBS_PRESSED, TRUE);
        look.OnDrawMenuSystemButton(&dc, CRect(370 + i * 16, 44, 386 + i * 16, 60), commands[i], TBBS_DISABLED, FALSE);
    }
    look.OnDrawStatusBarPaneBorder(&dc, nullptr, CRect(4, 50, 100, 70), 0, 0);
    look.OnDrawStatusBarPaneBorder(&dc, nullptr, CRect(104, 50, 200, 70), 0, SBPS_POPOUT);
    look.OnDrawStatusBarProgress(&dc, nullptr, CRect(204, 50, 330, 70), 3, 1, RGB(10, 36, 106), (COLORREF)-1,
                                 (COLORREF)-1, TRUE);
    look.OnDrawStatusBarProgress(&dc, nullptr, CRect(204, 74, 330, 94), 3, 2, RGB(10, 36, 106), RGB(166, 202, 240),
                                 (COLORREF)-1, TRUE);
    look.OnDrawStatusBarSizeBox(&dc, nullptr, CRect(334, 50, 350, 70));
    look.OnDrawTearOffCaption(&dc, CRect(4, 100, 100, 110), TRUE);
    look.OnDrawTearOffCaption(&dc, CRect(104, 100, 200, 110), FALSE);
    look.OnHighlightRarelyUsedMenuItems(&dc, CRect(204, 100, 300, 130));
    look.OnDrawShowAllMenuItems(&dc, CRect(304, 100, 340, 120), CKTVisualManager::ButtonsIsRegular);
    // A piece of toolbar with a hot and a checked button on it.
    const CRect bar(352, 64, 418, 136);
    look.OnFillBarBackground(&dc, &toolBar, bar, CRect());
    CKTToolbarButton onBar;
    onBar.m_pWndParent = &toolBar;
    for (int i = 0; i < 2; ++i)
    {
        const CRect rect(358, 70 + i * 30, 382, 94 + i * 30);
        onBar.m_nStyle = i == 1 ? TBBS_CHECKED : 0;
        look.OnFillButtonInterior(&dc, &onBar, rect, CKTVisualManager::ButtonsIsHighlighted);
        look.OnDrawButtonBorder(&dc, &onBar, rect, CKTVisualManager::ButtonsIsHighlighted);
    }
}

void CaptureLookSheet(CKTVisualManager& look, DibSurface& capture, const wchar_t* fileName)
{
    HWND hWnd = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 10, 10, kLookSheetWidth,
                                  kLookSheetHeight, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, hWnd);
    HDC hWindowDC = ::GetDC(hWnd);
    PaintLookSheet(look, *CDC::FromHandle(hWindowDC));
    ::BitBlt(capture.Hdc(), 0, 0, kLookSheetWidth, kLookSheetHeight, hWindowDC, 0, 0, SRCCOPY);
    ::ReleaseDC(hWnd, hWindowDC);
    ::DestroyWindow(hWnd);
    EXPECT_TRUE(capture.SaveAs((RunTag() + fileName).c_str()));
}

TEST_F(BaseLookPaintTest, ScreenshotsOfTheBaseLook)
{
    struct Case
    {
        BOOL look2000;
        const wchar_t* file;
    };
    for (const Case& c : {Case{FALSE, L"look-base.bmp"}, Case{TRUE, L"look-base-2000.bmp"}})
    {
        m_look.SetLook2000(c.look2000);
        DibSurface capture(kLookSheetWidth, kLookSheetHeight);
        CaptureLookSheet(m_look, capture, c.file);
        if (ktGlobals.m_bitsPerPixel > 8)
        {
            EXPECT_EQ(ColorText(RGB(128, 128, 128)), ColorText(capture.Pixel(50 + 3, 10))) << "separator in the window";
        }
    }
}

TEST(CaptionButtonGlyphTest, EachCaptionButtonShowsItsGlyph)
{
    struct Case
    {
        const char* what;
        UINT nHit;
        BOOL bHorz;
        BOOL bMaximized;
        BOOL bDisabled;
        int glyph;
    };
    const Case cases[] = {
        {"close", HTOBJECT, FALSE, FALSE, FALSE, 20},
        {"close, docked at the top", HTOBJECT, TRUE, TRUE, TRUE, 20},
        {"expand, docked at the top", HTMAXBUTTON, TRUE, FALSE, FALSE, 19},
        {"contract, docked at the top", HTMAXBUTTON, TRUE, TRUE, FALSE, 2},
        {"expand disabled, docked at the top", HTMAXBUTTON, TRUE, FALSE, TRUE, 3},
        {"expand, docked at the side", HTMAXBUTTON, FALSE, FALSE, FALSE, 16},
        {"contract, docked at the side", HTMAXBUTTON, FALSE, TRUE, FALSE, 0},
        {"expand disabled, docked at the side", HTMAXBUTTON, FALSE, FALSE, TRUE, 17},
    };
    for (const Case& c : cases)
    {
        CKTSizingBarButton button;
        button.m_nHit = c.nHit;
        EXPECT_EQ(c.glyph, CKTVisualManager::GetCaptionButtonGlyph(&button, c.bHorz, c.bMaximized, c.bDisabled))
            << c.what;
    }
}

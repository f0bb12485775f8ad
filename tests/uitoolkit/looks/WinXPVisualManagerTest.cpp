// The themed look: without visual styles (no theme library, or themes off) it paints exactly as
// the XP look; with them its parts come from the theme in the states the buttons are in.
#include "tests/uitoolkit/looks/LookOperations.h"
#include "tests/uitoolkit/looks/LookSheet.h"
#include "tests/uitoolkit/looks/LooksTestSupport.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTWinXPVisualManager.h"

#include <gtest/gtest.h>
#include <vssym32.h>

namespace
{
// Names a missing theme library for its lifetime.
class ScopedThemeModule
{
public:
    explicit ScopedThemeModule(LPCTSTR lpszName) : m_old(CKTThemeLibrary::GetModuleName())
    {
        CKTThemeLibrary::SetModuleName(lpszName);
    }
    ~ScopedThemeModule() { CKTThemeLibrary::SetModuleName(m_old); }

private:
    CString m_old;
};

bool SamePixels(const DibSurface& a, const DibSurface& b)
{
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y))
                return false;
    return true;
}

const wchar_t* const kMissingLibrary = L"KestNoThemeLibrary.dll";
} // namespace

TEST(ThemedLookTest, WithoutVisualStylesEveryPainterIsTheXPLook)
{
    struct Case
    {
        const char* what;
        const wchar_t* module;
        bool run;
    };
    // The real library only has no themes in the themes-off run.
    const Case cases[] = {{"no theme library", kMissingLibrary, true},
                          {"themes off", L"UxTheme.dll", IsThemesOffRun()}};
    for (const Case& c : cases)
    {
        if (!c.run)
            continue;
        ScopedThemeModule module(c.module);
        CKTVisualManagerXP xp(TRUE);
        CKTWinXPVisualManager themed(TRUE);
        EXPECT_EQ(c.module == kMissingLibrary, !themed.IsLibraryLoaded()) << c.what;
        for (HTHEME hTheme :
             {themed.m_hThemeToolBar, themed.m_hThemeRebar, themed.m_hThemeButton, themed.m_hThemeStatusBar,
              themed.m_hThemeWindow, themed.m_hThemeComboBox, themed.m_hThemeProgress, themed.m_hThemeHeader,
              themed.m_hThemeScrollBar, themed.m_hThemeExplorerBar, themed.m_hThemeTree, themed.m_hThemeStartPanel,
              themed.m_hThemeTaskBand, themed.m_hThemeTaskBar})
            EXPECT_EQ(nullptr, hTheme) << c.what;
        EXPECT_FALSE(CKTWinXPVisualManager::IsWinXPThemeAvailable()) << c.what;
        EXPECT_TRUE(themed.IsShadowHighlightedImage()) << c.what;
        ExpectSamePixels(xp, themed, c.what);

        DibSurface surface(40, 20);
        EXPECT_FALSE(themed.DrawProgress(&surface.Dc(), CRect(0, 0, 40, 20), 3, 1, TRUE)) << c.what;
        EXPECT_FALSE(themed.DrawPushButtonWindow(&surface.Dc(), CRect(0, 0, 40, 20), nullptr, TRUE, TRUE)) << c.what;
    }
}

TEST(ThemedLookTest, ThemedPartsDrawInTheButtonsStates)
{
    CKTWinXPVisualManager themed(TRUE);
    if (IsThemesOffRun())
    {
        EXPECT_EQ(nullptr, themed.m_hThemeToolBar);
        return;
    }
    ASSERT_NE(nullptr, themed.m_hThemeToolBar);
    ASSERT_NE(nullptr, themed.m_hThemeWindow);
    EXPECT_TRUE(CKTWinXPVisualManager::IsWinXPThemeAvailable());
    EXPECT_EQ(nullptr, CKTVisualManager::GetCurrent()) << "the probe is not the instance";
    EXPECT_FALSE(themed.IsShadowHighlightedImage());
    EXPECT_EQ(CSize(2, 2), themed.GetButtonExtraBorder());

    using State = CKTVisualManager::ButtonState;
    CKTToolBar toolBar;
    CKTToolbarButton button;
    button.m_pWndParent = &toolBar;
    const CRect rect(2, 2, 26, 26);
    struct Case
    {
        const char* what;
        std::function<void(CDC&)> paint;
        HTHEME hTheme;
        int part, state;
        CRect rect;
    };
    auto interior = [&](UINT style, State state) {
        return [&, style, state](CDC& dc) {
            button.m_nStyle = style;
            themed.OnFillButtonInterior(&dc, &button, rect, state);
            themed.OnDrawButtonBorder(&dc, &button, rect, state);
        };
    };
    const Case cases[] = {
        {"button", interior(0, State(0)), themed.m_hThemeToolBar, TP_BUTTON, TS_NORMAL, rect},
        {"hot button", interior(0, State(2)), themed.m_hThemeToolBar, TP_BUTTON, TS_HOT, rect},
        {"pressed button", interior(TBBS_PRESSED, State(1)), themed.m_hThemeToolBar, TP_BUTTON, TS_PRESSED, rect},
        {"disabled button, hot", interior(TBBS_DISABLED, State(2)), themed.m_hThemeToolBar, TP_BUTTON, TS_DISABLED,
         rect},
        {"checked button", interior(TBBS_CHECKED, State(1)), themed.m_hThemeToolBar, TP_BUTTON, TS_CHECKED, rect},
        {"checked button, hot", interior(TBBS_CHECKED, State(2)), themed.m_hThemeToolBar, TP_BUTTON, TS_HOTCHECKED,
         rect},
        {"separator", [&](CDC& dc) { themed.OnDrawSeparator(&dc, &toolBar, rect, TRUE); }, themed.m_hThemeToolBar,
         TP_SEPARATOR, 0, rect},
        {"vertical separator", [&](CDC& dc) { themed.OnDrawSeparator(&dc, &toolBar, rect, FALSE); },
         themed.m_hThemeToolBar, TP_SEPARATORVERT, 0, rect},
        {"gripper", [&](CDC& dc) { themed.OnDrawBarGripper(&dc, rect, TRUE, &toolBar); }, themed.m_hThemeRebar,
         RP_GRIPPER, 0, rect},
        {"combo, dropped", [&](CDC& dc) { themed.OnDrawComboDropButton(&dc, rect, FALSE, TRUE, TRUE, nullptr); },
         themed.m_hThemeComboBox, CP_DROPDOWNBUTTON, CBXS_PRESSED, rect},
        {"combo, disabled and hot",
         [&](CDC& dc) { themed.OnDrawComboDropButton(&dc, rect, TRUE, FALSE, TRUE, nullptr); }, themed.m_hThemeComboBox,
         CP_DROPDOWNBUTTON, CBXS_DISABLED, rect},
        {"status pane", [&](CDC& dc) { themed.OnDrawStatusBarPaneBorder(&dc, nullptr, rect, 0, 0); },
         themed.m_hThemeStatusBar, SP_PANE, 0, rect},
        {"size box", [&](CDC& dc) { themed.OnDrawStatusBarSizeBox(&dc, nullptr, rect); }, themed.m_hThemeScrollBar,
         SBP_SIZEBOX, SZB_RIGHTALIGN, rect},
        {"close, pressed", [&](CDC& dc) { themed.OnDrawMenuSystemButton(&dc, rect, SC_CLOSE, TBBS_PRESSED, TRUE); },
         themed.m_hThemeWindow, WP_MDICLOSEBUTTON, CBS_PUSHED, rect},
        {"minimize, disabled",
         [&](CDC& dc) { themed.OnDrawMenuSystemButton(&dc, rect, SC_MINIMIZE, TBBS_DISABLED, TRUE); },
         themed.m_hThemeWindow, WP_MDIMINBUTTON, CBS_DISABLED, rect},
        {"restore, hot", [&](CDC& dc) { themed.OnDrawMenuSystemButton(&dc, rect, SC_RESTORE, 0, TRUE); },
         themed.m_hThemeWindow, WP_MDIRESTOREBUTTON, CBS_HOT, rect},
        {"drop-down separator",
         [&](CDC& dc) { themed.OnDrawDropDownSeparator(&dc, nullptr, CRect(12, 6, 14, 20), State(2), TRUE); },
         themed.m_hThemeToolBar, TP_SEPARATOR, 0, CRect(10, 4, 16, 22)},
        {"progress, total 0",
         [&](CDC& dc) {
             themed.OnDrawStatusBarProgress(&dc, nullptr, rect, 0, 0, 0, (COLORREF)-1, (COLORREF)-1, TRUE);
         },
         themed.m_hThemeProgress, PP_BAR, 0, rect},
    };
    for (const Case& c : cases)
    {
        ASSERT_NE(nullptr, c.hTheme) << c.what;
        DibSurface painted(28, 28, RGB(0, 128, 128)), expected(28, 28, RGB(0, 128, 128));
        c.paint(painted.Dc());
        themed.DrawThemed(c.hTheme, &expected.Dc(), c.part, c.state, c.rect);
        EXPECT_TRUE(SamePixels(expected, painted)) << c.what;
    }

    // The themed states really differ from the XP look's.
    CKTVisualManagerXP xp(TRUE);
    DibSurface themedHot(28, 28), xpHot(28, 28);
    interior(0, State(2))(themedHot.Dc());
    button.m_nStyle = 0;
    xp.OnFillButtonInterior(&xpHot.Dc(), &button, rect, State(2));
    xp.OnDrawButtonBorder(&xpHot.Dc(), &button, rect, State(2));
    EXPECT_FALSE(SamePixels(xpHot, themedHot));
}

TEST(ThemedLookTest, APushButtonWhoseWindowIsDisabledStaysDisabledWhileHot)
{
    CKTWinXPVisualManager themed(TRUE);
    if (themed.m_hThemeButton == nullptr)
    {
        EXPECT_TRUE(IsThemesOffRun());
        return;
    }
    HWND hParent = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 120, 60, nullptr, nullptr,
                                     ::GetModuleHandleW(nullptr), nullptr);
    HWND hButton = ::CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 10, 10, 80, 30, hParent,
                                     nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, hButton);
    CWnd wnd;
    wnd.Attach(hButton);
    const CRect rect(0, 0, 80, 30);
    auto reference = [&](int state, DibSurface& surface) {
        ktGlobals.DrawParentBackground(&wnd, &surface.Dc(), &rect);
        themed.DrawThemed(themed.m_hThemeButton, &surface.Dc(), BP_PUSHBUTTON, state, rect);
    };
    struct Case
    {
        const char* what;
        BOOL enabled, pushed, highlighted, pressedWindow;
        int state;
    };
    const Case cases[] = {{"disabled, pushed and hot", FALSE, TRUE, TRUE, FALSE, PBS_DISABLED},
                          {"disabled, hot", FALSE, FALSE, TRUE, FALSE, PBS_DISABLED},
                          {"pushed and hot", TRUE, TRUE, TRUE, FALSE, PBS_PRESSED},
                          {"window pressed", TRUE, FALSE, FALSE, TRUE, PBS_PRESSED},
                          {"hot", TRUE, FALSE, TRUE, FALSE, PBS_HOT},
                          {"pushed, not hot", TRUE, TRUE, FALSE, FALSE, PBS_NORMAL},
                          {"normal", TRUE, FALSE, FALSE, FALSE, PBS_NORMAL}};
    for (const Case& c : cases)
    {
        ::EnableWindow(hButton, c.enabled);
        ::SendMessageW(hButton, BM_SETSTATE, c.pressedWindow, 0);
        DibSurface painted(80, 30, RGB(0, 128, 128)), expected(80, 30, RGB(0, 128, 128));
        EXPECT_TRUE(themed.DrawPushButtonWindow(&painted.Dc(), rect, &wnd, c.pushed, c.highlighted)) << c.what;
        reference(c.state, expected);
        EXPECT_TRUE(SamePixels(expected, painted)) << c.what;
    }
    ::SendMessageW(hButton, BM_SETSTATE, FALSE, 0);

    // A button that has the focus, or is checked, is not pressed.
    ::SetForegroundWindow(hParent);
    ::SetFocus(hButton);
    ::SendMessageW(hButton, BM_SETCHECK, BST_CHECKED, 0);
    const LRESULT buttonState = ::SendMessageW(hButton, BM_GETSTATE, 0, 0);
    EXPECT_NE(0, buttonState & (BST_FOCUS | BST_CHECKED));
    EXPECT_EQ(0, buttonState & BST_PUSHED);
    EXPECT_EQ(PBS_HOT, CKTThemeLibrary::GetPushButtonState(hButton, FALSE, TRUE));
    EXPECT_EQ(PBS_NORMAL, CKTThemeLibrary::GetPushButtonState(hButton, FALSE, FALSE));

    DibSurface disabled(80, 30, RGB(0, 128, 128)), hot(80, 30, RGB(0, 128, 128));
    reference(PBS_DISABLED, disabled);
    reference(PBS_HOT, hot);
    EXPECT_FALSE(SamePixels(disabled, hot)) << "the theme draws the two states apart";

    DibSurface surface(80, 30);
    EXPECT_FALSE(themed.DrawPushButton(&surface.Dc(), rect, nullptr, 0));
    wnd.Detach();
    ::DestroyWindow(hParent);
}

TEST(ThemedLookTest, ProgressChunkCoversItsShare)
{
    CKTWinXPVisualManager themed(TRUE);
    if (themed.m_hThemeProgress == nullptr)
    {
        EXPECT_TRUE(IsThemesOffRun());
        return;
    }
    const CRect rect(0, 0, 106, 20);
    DibSurface painted(106, 20, RGB(0, 128, 128)), expected(106, 20, RGB(0, 128, 128));
    EXPECT_TRUE(themed.DrawProgress(&painted.Dc(), rect, 4, 1, FALSE));
    themed.DrawThemed(themed.m_hThemeProgress, &expected.Dc(), PP_BAR, 0, rect);
    themed.DrawThemed(themed.m_hThemeProgress, &expected.Dc(), PP_CHUNK, 0, CRect(3, 3, 3 + 25, 17));
    EXPECT_TRUE(SamePixels(expected, painted));
}

TEST(ThemedLookTest, ScreenshotOfTheThemedLook)
{
    CKTWinXPVisualManager themed(TRUE);
    DibSurface capture(kLookSheetWidth, kLookSheetHeight);
    CaptureLookSheet(themed, capture, L"look-themed.bmp");
}

// The toolkit's owner-drawn button in real windows under the test display, driven by the display's
// mouse and keys: clicks and what they report, auto-repeat, check and radio states, tooltips,
// sizes and the pixels of its frame and glyph.
#include "tests/framework/input/UserInput.h"
#include "tests/uitoolkit/customize/CustomizeTestApp.h"
#include "tests/uitoolkit/customize/CustomizeTestSupport.h"
#include "uitoolkit/customize/KTButton.h"
#include "uitoolkit/looks/KTMenuGlyphs.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTWinXPVisualManager.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{

// A top-level window that records the clicks its buttons report.
class CClickParent : public CWnd
{
public:
    struct Click
    {
        UINT nID;
        UINT nCode;
        HWND hWnd;
    };
    std::vector<Click> m_clicks;

    BOOL Make()
    {
        return CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1)),
                        L"KTButton test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, CRect(100, 100, 500, 300), nullptr,
                        0);
    }
    int Count(UINT nID) const
    {
        int n = 0;
        for (const Click& c : m_clicks)
            n += c.nID == nID && c.nCode == BN_CLICKED ? 1 : 0;
        return n;
    }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        m_clicks.push_back({LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)});
        return TRUE;
    }
};

class KTButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::CreateDirectoryW(L"screenshots", nullptr);
        ASSERT_TRUE(m_parent.Make());
        m_parent.SetForegroundWindow();
        Pump();
    }
    void TearDown() override
    {
        m_buttons.clear();
        m_parent.DestroyWindow();
        Pump();
    }

    CKTButton* AddButton(LPCTSTR lpszText, DWORD dwStyle, const CRect& rect, UINT nID)
    {
        m_buttons.push_back(std::make_unique<CKTButton>());
        CKTButton* pButton = m_buttons.back().get();
        EXPECT_TRUE(pButton->Create(lpszText, WS_CHILD | WS_VISIBLE | dwStyle, rect, &m_parent, nID));
        return pButton;
    }

    static POINT Center(CWnd* pWnd)
    {
        CRect rect;
        pWnd->GetWindowRect(&rect);
        return {rect.CenterPoint().x, rect.CenterPoint().y};
    }
    static POINT Outside(CWnd* pWnd)
    {
        CRect rect;
        pWnd->GetWindowRect(&rect);
        return {rect.right + 40, rect.CenterPoint().y};
    }

    CClickParent m_parent;
    std::vector<std::unique_ptr<CKTButton>> m_buttons;
};

TEST_F(KTButtonTest, CreationMakesTheButtonOwnerDrawnAndReadsItsKind)
{
    struct Case
    {
        DWORD dwStyle;
        BOOL bCheck, bRadio, bAuto;
    };
    const Case cases[] = {
        {BS_PUSHBUTTON, FALSE, FALSE, FALSE}, {BS_DEFPUSHBUTTON, FALSE, FALSE, FALSE},
        {BS_CHECKBOX, TRUE, FALSE, FALSE},    {BS_AUTOCHECKBOX, TRUE, FALSE, TRUE},
        {BS_RADIOBUTTON, FALSE, TRUE, FALSE}, {BS_AUTORADIOBUTTON, FALSE, TRUE, TRUE},
    };
    UINT nID = 100;
    for (const Case& c : cases)
    {
        CKTButton* pButton = AddButton(L"Kind", c.dwStyle, CRect(10, 10, 90, 40), nID++);
        SCOPED_TRACE(c.dwStyle);
        EXPECT_EQ((DWORD)BS_OWNERDRAW, pButton->GetStyle() & BS_TYPEMASK);
        EXPECT_EQ(c.bCheck, pButton->IsCheckButton());
        EXPECT_EQ(c.bRadio, pButton->IsRadioButton());
        EXPECT_EQ(c.bAuto, pButton->IsAutoCheck());
    }
}

TEST_F(KTButtonTest, PressDragOutAndBackThenReleaseTogglesOnlyWhenReleasedInside)
{
    CKTButton* pCheck = AddButton(L"Check", BS_AUTOCHECKBOX, CRect(20, 20, 140, 50), 201);
    Pump();

    // Released outside: no click, state unchanged, nothing left pushed.
    UserInput out;
    out.MoveTo(Center(pCheck)).LeftDown().Glide(Center(pCheck), Outside(pCheck), 4).LeftUp();
    Play(out);
    EXPECT_EQ(0, m_parent.Count(201));
    EXPECT_EQ(BST_UNCHECKED, pCheck->GetCheck());
    EXPECT_FALSE(pCheck->IsPushed());

    // Out and back in before the release: pushed again, and the release toggles it.
    BOOL bPushedOutside = TRUE, bPushedBack = FALSE;
    UserInput back;
    back.MoveTo(Center(pCheck)).LeftDown().Glide(Center(pCheck), Outside(pCheck), 4).Pause(150);
    back.Call([&] { bPushedOutside = pCheck->IsPushed(); });
    back.Glide(Outside(pCheck), Center(pCheck), 4).Pause(150).Call([&] { bPushedBack = pCheck->IsPushed(); }).LeftUp();
    Play(back);
    EXPECT_FALSE(bPushedOutside);
    EXPECT_TRUE(bPushedBack);
    EXPECT_EQ(1, m_parent.Count(201));
    EXPECT_EQ(BST_CHECKED, pCheck->GetCheck());
    ASSERT_FALSE(m_parent.m_clicks.empty());
    EXPECT_EQ(pCheck->GetSafeHwnd(), m_parent.m_clicks.back().hWnd);
}

TEST_F(KTButtonTest, HeldButtonRepeatsItsClickOnlyWhileThePointerIsOverIt)
{
    CKTButton* pButton = AddButton(L"", BS_PUSHBUTTON, CRect(20, 20, 60, 50), 301);
    pButton->SetStdImage(CKTMenuGlyphs::IdArrowRightLarge, CKTMenuGlyphs::IdArrowRightLarge + 1);
    pButton->SetAutoRepeatMode(100);
    Pump();

    int nAtLeave = 0, nBeforeBack = 0, nAfterBack = 0;
    UserInput input;
    input.MoveTo(Center(pButton)).LeftDown();
    Play(input);
    // Held: the repeats arrive while this thread runs its messages.
    EXPECT_TRUE(PumpUntil([&] { return m_parent.Count(301) >= 3; }));

    UserInput leave;
    leave.Glide(Center(pButton), Outside(pButton), 3).Pause(100);
    Play(leave);
    nAtLeave = m_parent.Count(301);
    PumpFor(400);
    nBeforeBack = m_parent.Count(301);
    EXPECT_EQ(nAtLeave, nBeforeBack) << "no repeats while the pointer is off the button";
    EXPECT_FALSE(pButton->IsPushed());

    UserInput back;
    back.Glide(Outside(pButton), Center(pButton), 3);
    Play(back);
    EXPECT_TRUE(PumpUntil([&] { return m_parent.Count(301) >= nBeforeBack + 2; }));
    nAfterBack = m_parent.Count(301);

    UserInput up;
    up.LeftUp();
    Play(up);
    // The release itself reports one more click; the timer is gone afterwards.
    const int nAfterUp = m_parent.Count(301);
    EXPECT_GE(nAfterUp, nAfterBack + 1);
    PumpFor(300);
    EXPECT_EQ(nAfterUp, m_parent.Count(301));
}

TEST_F(KTButtonTest, RadioGroupsSkipDisabledAndHiddenNeighbours)
{
    CKTButton* pFirst = AddButton(L"One", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, CRect(10, 10, 90, 30), 401);
    CKTButton* pDisabled = AddButton(L"Two", BS_AUTORADIOBUTTON, CRect(10, 40, 90, 60), 402);
    CKTButton* pHidden = AddButton(L"Three", BS_AUTORADIOBUTTON, CRect(10, 70, 90, 90), 403);
    CKTButton* pOther = AddButton(L"Other", BS_AUTORADIOBUTTON | WS_GROUP, CRect(100, 10, 180, 30), 404);
    pDisabled->EnableWindow(FALSE);
    pHidden->ShowWindow(SW_HIDE);
    pFirst->SetCheck(BST_CHECKED);
    pOther->SetCheck(BST_CHECKED);
    pFirst->SetFocus();
    Pump();

    MSG msg{pFirst->GetSafeHwnd(), WM_KEYDOWN, VK_RIGHT, 0, 0, {0, 0}};
    EXPECT_FALSE(pFirst->PreTranslateMessage(&msg)) << "nothing to move to: the key goes on";
    EXPECT_EQ(BST_CHECKED, pFirst->GetCheck());
    EXPECT_TRUE(m_parent.m_clicks.empty());

    // Enabled again, the neighbour takes the check, the focus and reports the click itself.
    pDisabled->EnableWindow(TRUE);
    EXPECT_TRUE(pFirst->PreTranslateMessage(&msg));
    EXPECT_EQ(BST_UNCHECKED, pFirst->GetCheck());
    EXPECT_EQ(BST_CHECKED, pDisabled->GetCheck());
    EXPECT_EQ(pDisabled, CWnd::GetFocus());
    ASSERT_EQ(1u, m_parent.m_clicks.size());
    EXPECT_EQ(402u, m_parent.m_clicks[0].nID);
    EXPECT_EQ(pDisabled->GetSafeHwnd(), m_parent.m_clicks[0].hWnd);
    EXPECT_EQ(BST_CHECKED, pOther->GetCheck()) << "another group is left alone";

    // BM_SETCHECK on a radio unchecks the hidden member too; a push button ignores it.
    pHidden->SetCheck(BST_CHECKED);
    EXPECT_EQ(BST_UNCHECKED, pDisabled->GetCheck());
    EXPECT_EQ(BST_CHECKED, pHidden->GetCheck());
    CKTButton* pPush = AddButton(L"Push", BS_PUSHBUTTON | WS_GROUP, CRect(100, 40, 180, 60), 405);
    pPush->SetCheck(BST_CHECKED);
    EXPECT_EQ(BST_UNCHECKED, pPush->GetCheck());
    EXPECT_FALSE(pPush->IsChecked());
}

TEST_F(KTButtonTest, ClickingACheckedAutoRadioKeepsItAndItsNeighbours)
{
    CKTButton* pFirst = AddButton(L"One", BS_AUTORADIOBUTTON | WS_GROUP, CRect(10, 10, 120, 40), 501);
    CKTButton* pSecond = AddButton(L"Two", BS_AUTORADIOBUTTON, CRect(10, 50, 120, 80), 502);
    pFirst->SetCheck(BST_CHECKED);
    Pump();

    UserInput input;
    input.MoveTo(Center(pFirst)).LeftDown().LeftUp().MoveTo(Center(pSecond)).LeftDown().LeftUp();
    Play(input);
    EXPECT_EQ(1, m_parent.Count(501));
    EXPECT_EQ(1, m_parent.Count(502));
    EXPECT_EQ(BST_UNCHECKED, pFirst->GetCheck());
    EXPECT_EQ(BST_CHECKED, pSecond->GetCheck());

    UserInput again;
    again.LeftDown().LeftUp();
    Play(again);
    EXPECT_EQ(BST_CHECKED, pSecond->GetCheck());
    EXPECT_EQ(BST_UNCHECKED, pFirst->GetCheck());
}

TEST_F(KTButtonTest, EveryPressOfADoubleClickIsAClick)
{
    CKTButton* pCheck = AddButton(L"Check", BS_AUTOCHECKBOX, CRect(20, 20, 140, 50), 651);
    Pump();
    UserInput input;
    input.MoveTo(Center(pCheck)).LeftDown().LeftUp().LeftDown().LeftUp();
    Play(input);
    EXPECT_EQ(2, m_parent.Count(651));
    EXPECT_EQ(BST_UNCHECKED, pCheck->GetCheck());

    // The second press released outside reports nothing and leaves the state.
    UserInput outside;
    outside.LeftDown().LeftUp().LeftDown().Glide(Center(pCheck), Outside(pCheck), 3).LeftUp();
    Play(outside);
    EXPECT_EQ(3, m_parent.Count(651));
    EXPECT_EQ(BST_CHECKED, pCheck->GetCheck());
    EXPECT_FALSE(pCheck->IsPushed());
}

TEST_F(KTButtonTest, EnterAndSpaceReportClicks)
{
    CKTButton* pPush = AddButton(L"Push", BS_PUSHBUTTON, CRect(10, 10, 120, 40), 601);
    CKTButton* pCheck = AddButton(L"Check", BS_AUTOCHECKBOX, CRect(10, 50, 120, 80), 602);
    pPush->SetFocus();
    UserInput input;
    input.Key(VK_RETURN, true).Key(VK_RETURN, false);
    Play(input);
    EXPECT_EQ(1, m_parent.Count(601));

    pCheck->SetFocus();
    UserInput space;
    space.Key(VK_SPACE, true).Key(VK_SPACE, false);
    Play(space);
    EXPECT_EQ(1, m_parent.Count(602)) << "the key-up does not report a second click";
    EXPECT_EQ(BST_CHECKED, pCheck->GetCheck());
}

TEST_F(KTButtonTest, FullTextTooltipFollowsWhetherTheCaptionFits)
{
    const CString strCaption = L"A caption far too long for its narrow button";
    CKTButton* pButton = AddButton(strCaption, BS_PUSHBUTTON, CRect(10, 10, 60, 40), 701);
    pButton->EnableFullTextTooltip(TRUE);
    pButton->SetWindowPos(nullptr, 0, 0, 70, 30, SWP_NOMOVE | SWP_NOZORDER);
    pButton->RedrawWindow();
    Pump();
    ASSERT_NE(nullptr, pButton->GetToolTipCtrl());
    CString strTip;
    pButton->GetToolTipCtrl()->GetText(strTip, pButton);
    EXPECT_EQ(strCaption, strTip);
    EXPECT_TRUE(pButton->IsToolTipActive());

    pButton->SetWindowPos(nullptr, 0, 0, 380, 30, SWP_NOMOVE | SWP_NOZORDER);
    pButton->RedrawWindow();
    Pump();
    EXPECT_FALSE(pButton->IsToolTipActive());
}

TEST_F(KTButtonTest, SizeToContentHoldsImageAndCaption)
{
    CKTButton* pButton = AddButton(L"", BS_PUSHBUTTON, CRect(10, 10, 200, 60), 801);
    CClientDC dc(pButton);
    HGDIOBJ hOld = dc.SelectObject(::GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    const CSize sizeText = dc.GetTextExtent(CString(L"Hello"));
    dc.SelectObject(hOld);
    CKTMenuGlyphs::Initialize();
    const CSize sizeGlyph = CKTMenuGlyphs::GetImageSize();

    struct Case
    {
        const wchar_t* caption;
        bool bGlyph;
        CSize expected;
    };
    const Case cases[] = {
        {L"", false, CSize(10, tm.tmHeight + 10)},
        {L"Hello", false, CSize(sizeText.cx + 20, sizeText.cy + 10)},
        {L"", true, CSize(sizeGlyph.cx + 10, std::max<int>(sizeGlyph.cy, tm.tmHeight) + 10)},
        {L"Hello", true, CSize(sizeGlyph.cx + sizeText.cx + 20, std::max<int>(sizeGlyph.cy, sizeText.cy) + 10)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.caption << " glyph " << c.bGlyph);
        pButton->SetWindowText(c.caption);
        if (c.bGlyph)
            pButton->SetStdImage(CKTMenuGlyphs::IdClose);
        else
            pButton->CleanUp();
        const CSize size = pButton->SizeToContent();
        EXPECT_EQ(c.expected, size);
        CRect rect;
        pButton->GetWindowRect(&rect);
        EXPECT_EQ(c.expected, rect.Size());
    }
}

TEST_F(KTButtonTest, FrameAndGlyphPixelsFollowTheState)
{
    CKTButton* pButton = AddButton(L"", BS_PUSHBUTTON, CRect(20, 20, 60, 56), 901);
    pButton->SetStdImage(CKTMenuGlyphs::IdArrowRightLarge, CKTMenuGlyphs::IdArrowRightLarge + 1);
    pButton->RedrawWindow();
    Pump();
    CRect rect;
    pButton->GetWindowRect(&rect);
    const POINT topLeft{rect.left, rect.top};
    const POINT bottomRight{rect.right - 1, rect.bottom - 1};
    EXPECT_EQ(ktGlobals.m_colorHighlight, ScreenPixel(topLeft));
    EXPECT_EQ(ktGlobals.m_colorDarkShadow, ScreenPixel(bottomRight));
    SaveScreenArea(L"screenshots/ktbutton-normal.bmp", rect);

    // The glyph shows in the text colour somewhere inside; disabled, the grey glyph replaces it.
    auto countDark = [&] {
        int n = 0;
        for (int y = rect.top + 2; y < rect.bottom - 2; y++)
            for (int x = rect.left + 2; x < rect.right - 2; x++)
                n += ScreenPixel({x, y}) == ::GetSysColor(COLOR_BTNTEXT) ? 1 : 0;
        return n;
    };
    EXPECT_GT(countDark(), 0);
    pButton->EnableWindow(FALSE);
    pButton->RedrawWindow();
    Pump();
    EXPECT_EQ(0, countDark());
    SaveScreenArea(L"screenshots/ktbutton-disabled.bmp", rect);
    pButton->EnableWindow(TRUE);

    UserInput input;
    COLORREF clrPressedTopLeft = 0;
    input.MoveTo(Center(pButton)).LeftDown().Pause(150);
    input.Call([&] { clrPressedTopLeft = ScreenPixel(topLeft); });
    input.Call([&] { SaveScreenArea(L"screenshots/ktbutton-pressed.bmp", rect); });
    input.LeftUp();
    Play(input);
    EXPECT_EQ(ktGlobals.m_colorDarkShadow, clrPressedTopLeft);
    EXPECT_EQ(1, m_parent.Count(901));
}

TEST_F(KTButtonTest, BitmapImagesDrawAndGreyOutWhenDisabled)
{
    CKTButton* pButton = AddButton(L"", BS_PUSHBUTTON, CRect(20, 20, 60, 60), 1001);
    // A red square on the face colour, which the image list leaves out.
    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    CClientDC dcScreen(nullptr);
    CBitmap bmp;
    ASSERT_TRUE(bmp.CreateCompatibleBitmap(&dcScreen, 16, 16));
    CDC dcMem;
    ASSERT_TRUE(dcMem.CreateCompatibleDC(&dcScreen));
    CBitmap* pOld = dcMem.SelectObject(&bmp);
    dcMem.FillSolidRect(0, 0, 16, 16, clrFace);
    dcMem.FillSolidRect(4, 4, 8, 8, RGB(255, 0, 0));
    dcMem.SelectObject(pOld);
    pButton->SetImage((HBITMAP)bmp.Detach(), TRUE);
    EXPECT_EQ(CSize(16, 16), pButton->GetImageSize());
    EXPECT_EQ(-1, pButton->GetStdImage());

    CRect rect;
    pButton->GetWindowRect(&rect);
    auto countRed = [&] {
        int n = 0;
        for (int y = rect.top; y < rect.bottom; y++)
            for (int x = rect.left; x < rect.right; x++)
                n += ScreenPixel({x, y}) == RGB(255, 0, 0) ? 1 : 0;
        return n;
    };
    pButton->RedrawWindow();
    Pump();
    EXPECT_EQ(64, countRed());
    SaveScreenArea(L"screenshots/ktbutton-bitmap.bmp", rect);

    pButton->EnableWindow(FALSE);
    pButton->RedrawWindow();
    Pump();
    EXPECT_EQ(0, countRed()) << "the disabled image is greyed";
    SaveScreenArea(L"screenshots/ktbutton-bitmap-disabled.bmp", rect);

    // A glyph replaces the images; CleanUp leaves nothing to draw.
    pButton->SetStdImage(CKTMenuGlyphs::IdClose);
    pButton->EnableWindow(TRUE);
    pButton->RedrawWindow();
    Pump();
    EXPECT_EQ(0, countRed());
    pButton->CleanUp();
    EXPECT_EQ(CSize(0, 0), pButton->GetImageSize());
    EXPECT_EQ(-1, pButton->GetStdImage());
}

TEST_F(KTButtonTest, ThemeSwitchHandsTheFrameToTheThemedLook)
{
    CKTButton* pButton = AddButton(L"Themed", BS_PUSHBUTTON, CRect(20, 20, 120, 50), 1101);
    CRect rect;
    pButton->GetWindowRect(&rect);
    auto capture = [&] {
        pButton->RedrawWindow();
        Pump();
        std::vector<COLORREF> pixels;
        for (int x = rect.left; x < rect.right; x++)
            pixels.push_back(ScreenPixel({x, rect.top + 1}));
        return pixels;
    };
    const std::vector<COLORREF> classic = capture();

    // Only a themed look with the switch on draws differently; either alone keeps the button's own frame.
    CKTButton::EnableWinXPTheme(TRUE);
    EXPECT_EQ(classic, capture()) << "the base look has no theme part";
    CKTButton::EnableWinXPTheme(FALSE);
    ASSERT_TRUE(CKTVisualManager::SetDefaultManager(RUNTIME_CLASS(CKTWinXPVisualManager)));
    EXPECT_EQ(classic, capture());
    if (!CKTWinXPVisualManager::IsWinXPThemeAvailable())
    {
        CKTVisualManager::SetDefaultManager(nullptr);
        GTEST_SKIP() << "no visual styles on this display";
    }
    CKTButton::EnableWinXPTheme(TRUE);
    const std::vector<COLORREF> themed = capture();
    SaveScreenArea(L"screenshots/ktbutton-themed.bmp", rect);
    CKTButton::EnableWinXPTheme(FALSE);
    CKTVisualManager::SetDefaultManager(nullptr);
    EXPECT_NE(classic, themed);
}

} // namespace

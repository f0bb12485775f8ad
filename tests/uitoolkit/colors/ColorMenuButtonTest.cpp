// The colour menu button on a real toolbar: its stripe, its popup chosen with the display's mouse,
// colours kept in step across buttons and bars, its stored settings; the colour button control
// on a window, opened with a key and chosen with the mouse.
#include "tests/uitoolkit/colors/ColorTestSupport.h"
#include "uitoolkit/bars/KTFrameWnd.h"
#include "uitoolkit/bars/KTStateVersion.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/customize/KTColorBar.h"
#include "uitoolkit/customize/KTColorButtonControl.h"
#include "uitoolkit/customize/KTColorMenuButton.h"
#include "uitoolkit/customize/KTColorPopup.h"
#include "uitoolkit/looks/KTImageStrip.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManager.h"
#include "uitoolkit/looks/KTWinXPVisualManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace
{

const UINT kColorCommand = 0x7A20;
const UINT kOtherCommand = 0x7A21;

// A toolkit frame: keys pressed while a popup is open reach the popup as in the program.
class CMenuButtonFrame : public CKTFrameWnd
{
public:
    std::vector<UINT> m_commands;
    BOOL m_bEnable = TRUE;
    // The document colours the frame gives a colour button that asks; none: it does not answer.
    std::vector<COLORREF> m_documentColors;
    std::vector<UINT> m_documentColorRequests;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == CKTColorMenuButton::GetDocumentColorsMessage())
        {
            m_documentColorRequests.push_back(static_cast<UINT>(wParam));
            auto* pList = reinterpret_cast<CList<COLORREF, COLORREF>*>(lParam);
            for (COLORREF color : m_documentColors)
                pList->AddTail(color);
            return 0;
        }
        return CKTFrameWnd::WindowProc(message, wParam, lParam);
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        m_commands.push_back(LOWORD(wParam));
        return CKTFrameWnd::OnCommand(wParam, lParam);
    }
    void OnColor() {}
    void OnUpdateColor(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bEnable); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMenuButtonFrame, CKTFrameWnd)
ON_COMMAND(kColorCommand, &CMenuButtonFrame::OnColor)
ON_UPDATE_COMMAND_UI(kColorCommand, &CMenuButtonFrame::OnUpdateColor)
ON_COMMAND(kOtherCommand, &CMenuButtonFrame::OnColor)
END_MESSAGE_MAP()

// A white image for the buttons, added once to the toolbars' shared strip.
int WhiteImage()
{
    static int s_iImage = -1;
    if (s_iImage >= 0)
        return s_iImage;
    CKTImageStrip* pImages = CKTToolBar::GetImages();
    if (pImages->GetCount() == 0)
        pImages->SetImageSize(CSize(16, 15));
    const CSize size = pImages->GetImageSize();
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, size.cx, size.cy);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    RECT rect = {0, 0, size.cx, size.cy};
    ::FillRect(hMem, &rect, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    ::ReleaseDC(nullptr, hScreen);
    s_iImage = pImages->AddImage(hBitmap);
    ::DeleteObject(hBitmap);
    return s_iImage;
}

CKTColorMenuButton* MakeButton(UINT uiCmd)
{
    CKTColorMenuButton* pButton = new CKTColorMenuButton(uiCmd, L"Colour");
    pButton->SetImage(WhiteImage());
    pButton->m_bImage = TRUE;
    pButton->EnableAutomaticButton(L"Automatic", RGB(0, 128, 0));
    pButton->EnableOtherButton(L"More Colors...");
    return pButton;
}

class ColorMenuButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CKTToolBar::SetSizes(CSize(23, 22), CSize(16, 15));
        m_pFrame = new CMenuButtonFrame;
        ASSERT_TRUE(
            m_pFrame->Create(nullptr, L"Colour buttons", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(60, 60, 600, 420)));
        m_hFrame = m_pFrame->GetSafeHwnd();
        ::SetForegroundWindow(m_hFrame);
        PumpAndIdle();
    }
    void TearDown() override
    {
        for (auto& bar : m_bars)
        {
            if (bar->GetSafeHwnd() != nullptr)
                bar->DestroyWindow();
        }
        m_bars.clear();
        if (::IsWindow(m_hFrame))
            m_pFrame->DestroyWindow();
        PumpAndIdle();
    }
    CKTToolBar* AddBar(std::unique_ptr<CKTToolBar> bar, UINT nID)
    {
        EXPECT_TRUE(bar->Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, nID));
        m_bars.push_back(std::move(bar));
        return m_bars.back().get();
    }
    // A toolbar holding one colour menu button for the command.
    CKTColorMenuButton* AddButtonBar(UINT uiCmd)
    {
        CKTToolBar* pBar = AddBar(std::make_unique<CKTToolBar>(), AFX_IDW_TOOLBAR + 1 + (UINT)m_bars.size());
        const int iIndex = pBar->InsertButton(MakeButton(uiCmd));
        EXPECT_GE(iIndex, 0);
        Relayout();
        return AsColorMenuButton(pBar->GetButton(iIndex));
    }
    void Relayout()
    {
        for (auto& bar : m_bars)
            bar->AdjustLayout();
        m_pFrame->RecalcLayout();
        PumpAndIdle();
        for (auto& bar : m_bars)
            bar->UpdateWindow();
    }
    static POINT ArrowPart(CKTColorMenuButton* pButton)
    {
        CRect rect = pButton->m_rect;
        pButton->m_pWndParent->ClientToScreen(&rect);
        return POINT{rect.right - 4, rect.CenterPoint().y};
    }
    static CColorPopup* PopupOf(CKTColorMenuButton* pButton)
    {
        return pButton->m_pPopupMenu != nullptr ? AsColorPopup(pButton->m_pPopupMenu) : nullptr;
    }
    static POINT CellCentre(CKTColorBar* pBar, int iIndex)
    {
        CRect rect;
        pBar->GetItemRect(iIndex, &rect);
        pBar->ClientToScreen(&rect);
        return rect.CenterPoint();
    }
    // The button's popup torn off and docked in the frame: its colour bar, or null.
    CKTColorBar* TearOffDocked(CKTColorMenuButton* pButton)
    {
        OpenPopup(pButton);
        CColorPopup* pPopup = PopupOf(pButton);
        CKTToolBar* pTorn =
            pPopup != nullptr ? pPopup->CreateTearOffBar(m_pFrame, AFX_IDW_TOOLBAR + 30, L"Colours") : nullptr;
        if (pTorn == nullptr)
            return nullptr;
        m_bars.emplace_back(pTorn);
        pPopup->CloseMenu();
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(pTorn);
        Relayout();
        return AsColorBar(pTorn);
    }
    void OpenPopup(CKTColorMenuButton* pButton)
    {
        UserInput input;
        input.MoveTo(ArrowPart(pButton)).Pause(50).LeftDown().Pause(50).LeftUp().Pause(300);
        Play(input);
    }

    CMenuButtonFrame* m_pFrame = nullptr;
    HWND m_hFrame = nullptr;
    std::vector<std::unique_ptr<CKTToolBar>> m_bars;
};

} // namespace

TEST_F(ColorMenuButtonTest, StripeShowsTheColourTheAutomaticColourOrTheShadowColour)
{
    CKTColorMenuButton* pButton = AddButtonBar(kColorCommand);
    ASSERT_NE(nullptr, pButton);
    const struct
    {
        const char* name;
        COLORREF color;
        BOOL bEnabled;
        COLORREF expected;
    } cases[] = {
        {"a colour", RGB(0, 0, 255), TRUE, RGB(0, 0, 255)},
        {"automatic", (COLORREF)-1, TRUE, RGB(0, 128, 0)},
        {"disabled", RGB(0, 0, 255), FALSE, ktGlobals.m_colorShadow},
    };
    for (const auto& c : cases)
    {
        m_pFrame->m_bEnable = c.bEnabled;
        pButton->SetColor(c.color, FALSE);
        m_pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        pButton->m_pWndParent->RedrawWindow();
        PumpAndIdle();
        EXPECT_EQ(c.expected, pButton->GetStripeColor()) << c.name;
        CRect rectStripe = pButton->GetStripeRect(pButton->m_rect, FALSE);
        ASSERT_FALSE(rectStripe.IsRectEmpty()) << c.name;
        pButton->m_pWndParent->ClientToScreen(&rectStripe);
        EXPECT_EQ(rectStripe.Width() * rectStripe.Height(), CountScreenPixels(rectStripe, c.expected)) << c.name;
    }
    m_pFrame->m_bEnable = TRUE;
}

TEST_F(ColorMenuButtonTest, ChoosingInOnePopupChangesEveryButtonAndBarOfTheCommand)
{
    CKTColorMenuButton* pFirst = AddButtonBar(kColorCommand);
    CKTColorMenuButton* pSecond = AddButtonBar(kColorCommand);
    CKTColorMenuButton* pForeign = AddButtonBar(kOtherCommand);
    CArray<COLORREF, COLORREF> colors;
    CList<COLORREF, COLORREF> none;
    colors.Append(pFirst->GetColors());
    CKTToolBar* pColorBar = AddBar(std::make_unique<CKTColorBar>(colors, (COLORREF)-1, nullptr, nullptr, nullptr, none,
                                                                 -1, -1, -1, 0, kColorCommand),
                                   AFX_IDW_TOOLBAR + 9);
    Relayout();

    OpenPopup(pFirst);
    CColorPopup* pPopup = PopupOf(pFirst);
    ASSERT_NE(nullptr, pPopup);
    CKTColorBar* pBar = pPopup->GetColorBar();
    EXPECT_EQ(kColorCommand, pBar->GetCommandID());
    // The automatic button comes first, then the cells.
    const int iCell = 1 + 9;
    const COLORREF chosen = pFirst->GetColors()[9];
    m_pFrame->m_commands.clear();
    UserInput input;
    input.MoveTo(CellCentre(pBar, iCell)).Pause(80).LeftDown().Pause(50).LeftUp().Pause(300);
    Play(input);

    EXPECT_EQ(nullptr, pFirst->m_pPopupMenu) << "the popup closes";
    EXPECT_EQ(chosen, pFirst->GetColor());
    EXPECT_EQ(chosen, pSecond->GetColor());
    EXPECT_EQ((COLORREF)-1, pForeign->GetColor());
    EXPECT_EQ(chosen, static_cast<CKTColorBar*>(pColorBar)->GetColor());
    EXPECT_EQ(1, std::count(m_pFrame->m_commands.begin(), m_pFrame->m_commands.end(), kColorCommand));
}

TEST_F(ColorMenuButtonTest, EnterChoosesTheHotCellOfThePopup)
{
    CKTColorMenuButton* pButton = AddButtonBar(kColorCommand);
    OpenPopup(pButton);
    CColorPopup* pPopup = PopupOf(pButton);
    ASSERT_NE(nullptr, pPopup);
    CKTColorBar* pBar = pPopup->GetColorBar();
    // The automatic button comes first: the pointer makes the fifth colour's cell the hot one.
    const COLORREF chosen = pButton->GetColors()[4];
    m_pFrame->m_commands.clear();
    UserInput input;
    input.MoveTo(CellCentre(pBar, 1 + 4)).Pause(150).Press(VK_RETURN).Pause(300);
    Play(input);

    EXPECT_EQ(nullptr, pButton->m_pPopupMenu) << "the popup closes";
    EXPECT_EQ(chosen, pButton->GetColor());
    EXPECT_EQ(1, std::count(m_pFrame->m_commands.begin(), m_pFrame->m_commands.end(), kColorCommand));
}

TEST_F(ColorMenuButtonTest, AutomaticInThePopupChoosesMinusOneAndAPictureIsKept)
{
    CKTColorMenuButton* pButton = AddButtonBar(kColorCommand);
    CList<COLORREF, COLORREF> docColors;
    pButton->SetColor(RGB(12, 34, 56), FALSE);
    OpenPopup(pButton);
    CColorPopup* pPopup = PopupOf(pButton);
    ASSERT_NE(nullptr, pPopup);
    CKTColorBar* pBar = pPopup->GetColorBar();
    ASSERT_NE(nullptr, pBar->GetCustomCell());
    EXPECT_TRUE(pBar->NeedsCustomCell()) << "a colour outside the cells shows in the custom cell";
    pPopup->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    RunMessageLoopFor(200);
    EXPECT_TRUE(SaveWindowShot(pPopup, L"colour_popup.png"));

    UserInput input;
    input.MoveTo(CellCentre(pBar, 0)).Pause(80).LeftDown().Pause(50).LeftUp().Pause(300);
    Play(input);
    EXPECT_EQ(nullptr, pButton->m_pPopupMenu);
    EXPECT_EQ((COLORREF)-1, pButton->GetColor());
}

namespace
{
KTStateVersion s_version;
KTStateVersion ReportVersion()
{
    return s_version;
}

std::vector<BYTE> Store(CKTColorMenuButton& button)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        button.Serialize(ar);
        ar.Close();
    }
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

bool Load(CKTColorMenuButton& button, std::vector<BYTE> bytes)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    try
    {
        CArchive ar(&file, CArchive::load);
        button.Serialize(ar);
        return true;
    }
    catch (CException* e)
    {
        e->Delete();
        return false;
    }
}
} // namespace

TEST(ColorMenuButtonState, DockedLayoutsLoadOnlyFromVersionFourSeventyOne)
{
    CKTColorMenuButton button(kColorCommand, L"Colour");
    button.SetColumnsNumber(6);
    button.SetDockedLayout(2, 3);
    button.EnableAutomaticButton(L"Auto", RGB(1, 2, 3));
    button.EnableDocumentColors(L"Doc");
    const struct
    {
        const char* name;
        KTStateVersion version;
        int nRows;
        int nColumnsVert;
    } cases[] = {
        {"no workspace", {FALSE, -1, -1}, -1, -1},
        {"4.70", {TRUE, 4, 70}, -1, -1},
        {"4.71", {TRUE, 4, 71}, 2, 3},
        {"5.0", {TRUE, 5, 0}, 2, 3},
    };
    const KTStateVersionReader pfnPrevious = KTSetStateVersionReader(&ReportVersion);
    for (const auto& c : cases)
    {
        s_version = c.version;
        CKTColorMenuButton loaded;
        loaded.SetDockedLayout(7, 7);
        ASSERT_TRUE(Load(loaded, Store(button))) << c.name;
        EXPECT_EQ(c.nRows, loaded.GetRowsDockHorz()) << c.name;
        EXPECT_EQ(c.nColumnsVert, loaded.GetColumnsDockVert()) << c.name;
        EXPECT_EQ(6, loaded.GetColumns()) << c.name;
        EXPECT_EQ(20, loaded.GetColors().GetSize()) << c.name;
        EXPECT_TRUE(loaded.IsAutomaticButton()) << c.name;
        EXPECT_FALSE(loaded.IsOtherButton()) << c.name;
        EXPECT_TRUE(loaded.IsDocumentColors()) << c.name;
        EXPECT_EQ(RGB(1, 2, 3), loaded.GetAutomaticColor()) << c.name;
        EXPECT_EQ((COLORREF)-1, loaded.GetColor()) << c.name << ": the colour is not stored";
    }
    KTSetStateVersionReader(pfnPrevious);
}

TEST(ColorMenuButtonState, DamagedColourCountOrTruncatedStateFailsTheLoad)
{
    const KTStateVersionReader pfnPrevious = KTSetStateVersionReader(&ReportVersion);
    s_version = KTStateVersion{TRUE, 6, 0};
    CKTColorMenuButton button(kColorCommand, L"Colour");
    std::vector<BYTE> bytes = Store(button);
    CKTColorMenuButton probe;
    ASSERT_TRUE(Load(probe, bytes));
    // The colour count follows the menu button's own data: find it as the 20 before the colours.
    const std::vector<BYTE> count = {20, 0, 0, 0};
    auto it = std::search(bytes.begin(), bytes.end(), count.begin(), count.end());
    ASSERT_NE(bytes.end(), it);
    const struct
    {
        const char* name;
        std::vector<BYTE> value;
    } cases[] = {
        {"huge", {0xFF, 0xFF, 0xFF, 0x3F}},
        {"negative", {0xFF, 0xFF, 0xFF, 0xFF}},
        {"one more than stored", {0xFF, 0x00, 0x00, 0x00}},
    };
    for (const auto& c : cases)
    {
        std::vector<BYTE> damaged = bytes;
        std::copy(c.value.begin(), c.value.end(), damaged.begin() + (it - bytes.begin()));
        CKTColorMenuButton loaded;
        EXPECT_FALSE(Load(loaded, damaged)) << c.name;
    }
    for (size_t n = 0; n < bytes.size(); n += 5)
    {
        CKTColorMenuButton loaded;
        EXPECT_FALSE(Load(loaded, std::vector<BYTE>(bytes.begin(), bytes.begin() + n))) << n;
    }
    KTSetStateVersionReader(pfnPrevious);
}

TEST_F(ColorMenuButtonTest, ALoadedButtonTakesTheColourOfItsSiblings)
{
    CKTColorMenuButton* pPlaced = AddButtonBar(kColorCommand);
    pPlaced->SetColor(RGB(200, 100, 50), FALSE);
    CKTColorMenuButton stored(kColorCommand, L"Colour");
    CKTColorMenuButton loaded;
    ASSERT_TRUE(Load(loaded, Store(stored)));
    EXPECT_EQ(RGB(200, 100, 50), loaded.GetColor());
}

TEST_F(ColorMenuButtonTest, ThePopupShowsTheDocumentColoursTheFrameGives)
{
    CKTColorMenuButton* pButton = AddButtonBar(kColorCommand);
    const struct
    {
        const char* name;
        BOOL bDocumentColors;
        std::vector<COLORREF> given;
        size_t nRequests;
        int nShown;
    } cases[] = {
        {"switched off", FALSE, {RGB(1, 2, 3)}, 0, 0},
        {"a frame that does not answer", TRUE, {}, 1, 0},
        {"two colours", TRUE, {RGB(1, 2, 3), RGB(4, 5, 6)}, 1, 2},
    };
    for (const auto& c : cases)
    {
        pButton->EnableDocumentColors(L"Document colours", c.bDocumentColors);
        m_pFrame->m_documentColors = c.given;
        m_pFrame->m_documentColorRequests.clear();
        OpenPopup(pButton);
        CColorPopup* pPopup = PopupOf(pButton);
        ASSERT_NE(nullptr, pPopup) << c.name;
        EXPECT_EQ(c.nRequests, m_pFrame->m_documentColorRequests.size()) << c.name;
        if (!m_pFrame->m_documentColorRequests.empty())
        {
            EXPECT_EQ(kColorCommand, m_pFrame->m_documentColorRequests[0]) << c.name;
        }
        CKTColorBar* pBar = pPopup->GetColorBar();
        int nShown = 0;
        for (int i = 0; i < pBar->GetCount(); i++)
        {
            const CColorButton* pCell = AsColorButton(pBar->GetButton(i));
            nShown += pCell != nullptr && pCell->m_bIsDocument && !pCell->m_bHidden ? 1 : 0;
        }
        EXPECT_EQ(c.nShown, nShown) << c.name;
        pPopup->CloseMenu();
        PumpAndIdle();
    }
}

TEST_F(ColorMenuButtonTest, ATornOffBarCarriesTheCommandAndNoDocumentColoursDocked)
{
    CKTColorMenuButton* pButton = AddButtonBar(kColorCommand);
    CKTColorBar* pBar = TearOffDocked(pButton);
    ASSERT_NE(nullptr, pBar);
    EXPECT_EQ(kColorCommand, pBar->GetCommandID());
    EXPECT_TRUE(pBar->IsTornOff());
    EXPECT_FALSE(pBar->ShowsDocumentColors());
}

TEST_F(ColorMenuButtonTest, AColourChosenOnATornOffBarReachesTheButtonsOfItsCommand)
{
    CKTColorMenuButton* pButton = AddButtonBar(kColorCommand);
    CKTColorMenuButton* pSibling = AddButtonBar(kColorCommand);
    CKTColorMenuButton* pForeign = AddButtonBar(kOtherCommand);
    CKTColorBar* pBar = TearOffDocked(pButton);
    ASSERT_NE(nullptr, pBar);

    // The torn-off bar starts with the automatic button; cell 5 follows it.
    const int iCell = 1 + 5;
    const COLORREF chosen = pButton->GetColors()[5];
    UserInput input;
    input.MoveTo(CellCentre(pBar, iCell)).Pause(80).LeftDown().Pause(50).LeftUp().Pause(200);
    Play(input);
    EXPECT_EQ(chosen, pBar->GetColor());
    EXPECT_EQ(chosen, pButton->GetColor());
    EXPECT_EQ(chosen, pSibling->GetColor());
    EXPECT_EQ((COLORREF)-1, pForeign->GetColor());
    SaveWindowShot(m_pFrame, L"ColorTornOffBarChosen.bmp");
}

TEST(ColorButtonControl, SpaceOpensThePopupAndAClickedCellIsShownAndReported)
{
    CHostWnd host;
    ASSERT_TRUE(host.Make(CRect(100, 100, 400, 300)));
    const UINT kId = 1234;
    CKTColorButton button;
    ASSERT_TRUE(
        button.Create(L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, CRect(20, 20, 100, 44), &host, kId));
    EXPECT_EQ(20, button.GetColors().GetSize()) << "a screen without a palette gives the default palette's colours";
    button.SetColor(RGB(0, 0, 0));
    ::SetForegroundWindow(host.GetSafeHwnd());
    button.SetFocus();
    PumpAndIdle();

    UserInput input;
    input.Press(VK_SPACE).Pause(300);
    Play(input);
    ASSERT_NE(nullptr, button.GetPopup());
    CKTColorBar* pBar = button.GetPopup()->GetColorBar();
    const COLORREF chosen = button.GetColors()[3];
    CRect rect;
    pBar->GetItemRect(3, &rect);
    pBar->ClientToScreen(&rect);
    UserInput click;
    click.MoveTo(rect.CenterPoint()).Pause(80).LeftDown().Pause(50).LeftUp().Pause(300);
    Play(click);
    EXPECT_EQ(nullptr, button.GetPopup());
    EXPECT_EQ(chosen, button.GetColor());
    EXPECT_EQ(1, host.Count(kId, BN_CLICKED));

    // Escape closes a popup without a choice.
    UserInput escape;
    escape.Press(VK_DOWN).Pause(300);
    Play(escape);
    ASSERT_NE(nullptr, button.GetPopup());
    UserInput close;
    close.Press(VK_ESCAPE).Pause(300);
    Play(close);
    EXPECT_EQ(nullptr, button.GetPopup());
    EXPECT_EQ(chosen, button.GetColor());
    EXPECT_EQ(1, host.Count(kId, BN_CLICKED));

    // Focus moving to another control closes it too.
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(200, 20, 280, 44), &host, kId + 1));
    UserInput reopen;
    reopen.Press(VK_DOWN).Pause(300);
    button.SetFocus();
    Play(reopen);
    ASSERT_NE(nullptr, button.GetPopup());
    UserInput away;
    away.MoveTo(ScreenPoint(&edit, CPoint(10, 10))).Pause(60).LeftDown().Pause(40).LeftUp().Pause(300);
    Play(away);
    EXPECT_EQ(nullptr, button.GetPopup());
    EXPECT_EQ(chosen, button.GetColor());
    host.DestroyWindow();
}

TEST(ColorButtonControl, DrawnPushedWhileOpenWhenTheThemedLookIsTheCurrentOne)
{
    struct Case
    {
        CRuntimeClass* pLook;
        BOOL bButtonTheme;
        bool bPushed;
    };
    const Case cases[] = {
        {RUNTIME_CLASS(CKTWinXPVisualManager), FALSE, true}, // the look decides
        {RUNTIME_CLASS(CKTVisualManager), TRUE, false},      // the buttons' theme switch alone does not
    };
    for (const Case& c : cases)
    {
        ASSERT_TRUE(CKTVisualManager::SetDefaultManager(c.pLook));
        CKTButton::EnableWinXPTheme(c.bButtonTheme);
        CHostWnd host;
        ASSERT_TRUE(host.Make(CRect(100, 100, 400, 300)));
        CKTColorButton button;
        ASSERT_TRUE(
            button.Create(L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, CRect(20, 20, 100, 44), &host, 77));
        ::SetForegroundWindow(host.GetSafeHwnd());
        button.SetFocus();
        PumpAndIdle();
        UserInput open;
        open.Press(VK_SPACE).Pause(300);
        Play(open);
        ASSERT_NE(nullptr, button.GetPopup());
        button.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        CRect rect;
        button.GetWindowRect(&rect);
        const COLORREF clrCorner = ScreenPixel(rect.TopLeft());
        EXPECT_EQ(c.bPushed, clrCorner == ktGlobals.m_colorDarkShadow) << c.pLook->m_lpszClassName;
        if (c.bPushed)
            SaveWindowShot(&host, L"ColorButtonPushed.bmp");
        UserInput close;
        close.Press(VK_ESCAPE).Pause(200);
        Play(close);
        host.DestroyWindow();
        PumpAndIdle();
    }
    CKTButton::EnableWinXPTheme(FALSE);
    CKTVisualManager::SetDefaultManager(nullptr);
}

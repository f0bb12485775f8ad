// The colour bar: its grid of cells and its size, the automatic, other-colours and custom cells,
// tooltips, storage, document colours by placement, and choosing with the display's mouse.
#include "tests/uitoolkit/colors/ColorTestSupport.h"
#include "uitoolkit/customize/KTColorBar.h"
#include "uitoolkit/looks/KTUIGlobals.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{

const UINT kBarCommand = 0x7A10;

class CColorTestFrame : public CFrameWnd
{
public:
    std::vector<UINT> m_commands;
    BOOL m_bEnable = TRUE;

protected:
    void OnColor() { m_commands.push_back(kBarCommand); }
    void OnUpdateColor(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bEnable); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColorTestFrame, CFrameWnd)
ON_COMMAND(kBarCommand, &CColorTestFrame::OnColor)
ON_UPDATE_COMMAND_UI(kBarCommand, &CColorTestFrame::OnUpdateColor)
END_MESSAGE_MAP()

void SomeColors(int nCount, CArray<COLORREF, COLORREF>& colors)
{
    for (int i = 0; i < nCount; i++)
        colors.Add(RGB(10 * i, 255 - 10 * i, 100));
}

// A bar as a popup makes it: colours, selection, texts and document colours given.
std::unique_ptr<CKTColorBar> PopupBar(int nColors, COLORREF selected, LPCTSTR lpszAuto, LPCTSTR lpszOther,
                                      LPCTSTR lpszDoc, int nDocColors, int nColumns = -1)
{
    CList<COLORREF, COLORREF> docColors;
    for (int i = 0; i < nDocColors; i++)
        docColors.AddTail(RGB(1, 1, i + 1));
    CArray<COLORREF, COLORREF> colors;
    SomeColors(nColors, colors);
    return std::make_unique<CKTColorBar>(colors, selected, lpszAuto, lpszOther, lpszDoc, docColors, nColumns, -1, -1,
                                         RGB(0, 0, 0), kBarCommand);
}

class ColorBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CColorTestFrame;
        ASSERT_TRUE(
            m_pFrame->Create(nullptr, L"Colour bars", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(60, 60, 560, 420)));
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
    CKTColorBar* Place(std::unique_ptr<CKTColorBar> bar, DWORD dwStyle = CBRS_TOP)
    {
        EXPECT_TRUE(bar->Create(m_pFrame, WS_CHILD | WS_VISIBLE | dwStyle, AFX_IDW_TOOLBAR + 20 + (UINT)m_bars.size()));
        m_bars.push_back(std::move(bar));
        m_pFrame->RecalcLayout();
        PumpAndIdle();
        return m_bars.back().get();
    }
    static CColorButton* Cell(CKTColorBar* pBar, int i) { return AsColorButton(pBar->GetButton(i)); }
    static int FindButton(CKTColorBar* pBar, BOOL (*pred)(const CColorButton&))
    {
        for (int i = 0; i < pBar->GetCount(); i++)
        {
            const CColorButton* pButton = Cell(pBar, i);
            if (pButton != nullptr && pred(*pButton))
                return i;
        }
        return -1;
    }
    POINT ScreenCentre(CKTColorBar* pBar, int iIndex)
    {
        CRect rect;
        pBar->GetItemRect(iIndex, &rect);
        pBar->ClientToScreen(&rect);
        return rect.CenterPoint();
    }

    CColorTestFrame* m_pFrame = nullptr;
    HWND m_hFrame = nullptr;
    std::vector<std::unique_ptr<CKTColorBar>> m_bars;
};

TEST_F(ColorBarTest, TwentyDefaultColoursMakeFiveColumnsAndFourRows)
{
    CKTColorBar* pBar = Place(std::make_unique<CKTColorBar>());
    ASSERT_EQ(20, pBar->GetColors().GetSize());
    PALETTEENTRY entry{};
    ::GetPaletteEntries((HPALETTE)::GetStockObject(DEFAULT_PALETTE), 7, 1, &entry);
    EXPECT_EQ(RGB(entry.peRed, entry.peGreen, entry.peBlue), pBar->GetColors()[7]);
    int nColumns = 0, nRows = 0;
    pBar->GetColumnsAndRows(FALSE, nColumns, nRows);
    EXPECT_EQ(5, nColumns);
    EXPECT_EQ(4, nRows);
    const CSize cell = pBar->GetCellSize();
    EXPECT_EQ(CKTToolBar::GetMenuImageSize() + CSize(1, 1), cell);
    EXPECT_EQ(CSize(5 * cell.cx + 8, 4 * cell.cy + 8), pBar->CalcSize(FALSE));

    // The cells run left to right in rows of five.
    CRect rect0, rect4, rect5;
    pBar->GetItemRect(0, &rect0);
    pBar->GetItemRect(4, &rect4);
    pBar->GetItemRect(5, &rect5);
    EXPECT_EQ(rect0.top, rect4.top);
    EXPECT_EQ(rect0.left + 4 * cell.cx, rect4.left);
    EXPECT_EQ(rect0.left, rect5.left);
    EXPECT_EQ(rect0.top + cell.cy, rect5.top);
}

TEST_F(ColorBarTest, SizeGrowsByTheTextRowsAndDocumentColours)
{
    struct Case
    {
        LPCTSTR lpszAuto, lpszOther, lpszDoc;
        int nDocColors;
        int nExtraRows;   // text rows
        int nExtraPixels; // margins
        int nDocRows;
    };
    const Case cases[] = {
        {nullptr, nullptr, nullptr, 0, 0, 0, 0},           {L"Automatic", nullptr, nullptr, 0, 1, 0, 0},
        {nullptr, L"More Colors...", nullptr, 0, 1, 4, 0}, {L"Automatic", L"More Colors...", nullptr, 0, 2, 0, 0},
        {nullptr, nullptr, L"Document", 7, 1, 8, 2}, // 7 colours in 5 columns: two rows
        {nullptr, nullptr, L"Document", 0, 0, 0, 0}, // a label without colours shows nothing
    };
    for (const Case& c : cases)
    {
        CKTColorBar* pBar =
            Place(PopupBar(12, (COLORREF)-1, c.lpszAuto, c.lpszOther, c.lpszDoc, c.nDocColors, 5), CBRS_TOP);
        const CSize cell = pBar->GetCellSize();
        const int nTextRow = pBar->GetTextRowHeight();
        EXPECT_EQ(cell.cy * 3 / 2, nTextRow);
        const CSize expected(5 * cell.cx + 8,
                             8 + 3 * cell.cy + c.nExtraRows * nTextRow + c.nExtraPixels + c.nDocRows * cell.cy);
        EXPECT_EQ(expected, pBar->CalcSize(FALSE))
            << (c.lpszAuto ? "auto " : "") << (c.lpszOther ? "other " : "") << (c.lpszDoc ? "doc" : "");
    }
}

TEST_F(ColorBarTest, CustomCellShowsForAColourOutsideTheCells)
{
    CKTColorBar* pBar = Place(PopupBar(10, RGB(30, 225, 100), L"Automatic", L"More Colors...", nullptr, 0, 5));
    const int iOther = FindButton(pBar, [](const CColorButton& b) -> BOOL { return b.m_bIsOther; });
    ASSERT_GE(iOther, 0);
    CColorButton* pCustom = pBar->GetCustomCell();
    ASSERT_NE(nullptr, pCustom);
    // The colour is the fourth cell's: no custom cell.
    EXPECT_TRUE(Cell(pBar, 4)->m_bHighlight);
    EXPECT_TRUE(pCustom->m_bHidden);
    CRect rectOtherWide;
    pBar->GetItemRect(iOther, &rectOtherWide);

    pBar->SetColor(RGB(1, 2, 3));
    EXPECT_FALSE(pCustom->m_bHidden);
    EXPECT_TRUE(pCustom->m_bHighlight);
    EXPECT_EQ(RGB(1, 2, 3), pCustom->m_Color);
    EXPECT_FALSE(Cell(pBar, 4)->m_bHighlight);
    CRect rectOther;
    pBar->GetItemRect(iOther, &rectOther);
    EXPECT_EQ(rectOtherWide.right - pBar->GetCellSize().cx, rectOther.right);
    EXPECT_GE(pCustom->m_rect.left, rectOther.right);
    pBar->UpdateWindow();
    RunMessageLoopFor(200);
    CRect rectCustom = pCustom->m_rect;
    pBar->ClientToScreen(&rectCustom);
    EXPECT_TRUE(NearColor(RGB(1, 2, 3), ScreenPixel(rectCustom.CenterPoint()), 8));
    SaveWindowShot(pBar, L"ColorBarCustomCell.bmp");

    // Choosing a palette colour hides it again; automatic marks the automatic button.
    pBar->SetColor(RGB(60, 195, 100));
    EXPECT_TRUE(pCustom->m_bHidden);
    EXPECT_TRUE(Cell(pBar, 7)->m_bHighlight);
    pBar->SetColor((COLORREF)-1);
    EXPECT_TRUE(pCustom->m_bHidden);
    EXPECT_TRUE(Cell(pBar, 0)->m_bIsAutomatic);
    EXPECT_TRUE(Cell(pBar, 0)->m_bHighlight);
}

TEST_F(ColorBarTest, ClicksChooseTheCellAndAutomaticChoosesMinusOne)
{
    CKTColorBar* pBar = Place(PopupBar(10, RGB(30, 225, 100), L"Automatic", nullptr, nullptr, 0, 5));
    CKTColorBar* pSibling = Place(PopupBar(10, RGB(30, 225, 100), nullptr, nullptr, nullptr, 0, 5));
    pBar->UpdateWindow();

    UserInput cell;
    cell.MoveTo(ScreenCentre(pBar, 3)).Pause(30).LeftDown().LeftUp().Pause(50);
    Play(cell);
    EXPECT_EQ(RGB(20, 235, 100), pBar->GetColor());
    ASSERT_EQ(1u, m_pFrame->m_commands.size());
    // A bar with the same command follows.
    EXPECT_EQ(RGB(20, 235, 100), pSibling->GetColor());

    UserInput automatic;
    automatic.MoveTo(ScreenCentre(pBar, 0)).Pause(30).LeftDown().LeftUp().Pause(50);
    Play(automatic);
    EXPECT_EQ((COLORREF)-1, pBar->GetColor());
    EXPECT_EQ(2u, m_pFrame->m_commands.size());

    // A press held outside the cell chooses nothing.
    UserInput away;
    away.MoveTo(ScreenCentre(pBar, 5)).LeftDown().Glide(ScreenCentre(pBar, 5), CPoint(700, 500), 4).LeftUp().Pause(50);
    Play(away);
    EXPECT_EQ((COLORREF)-1, pBar->GetColor());
    EXPECT_EQ(2u, m_pFrame->m_commands.size());
}

TEST_F(ColorBarTest, CommandUpdateDisablesEveryCell)
{
    CKTColorBar* pBar = Place(PopupBar(6, (COLORREF)-1, L"Automatic", nullptr, nullptr, 0, 3));
    m_pFrame->m_bEnable = FALSE;
    pBar->OnUpdateCmdUI(m_pFrame, TRUE);
    EXPECT_FALSE(pBar->IsEnabled());
    for (int i = 0; i < pBar->GetCount(); i++)
        EXPECT_NE(0u, pBar->GetButton(i)->m_nStyle & TBBS_DISABLED) << i;
    EXPECT_TRUE(Cell(pBar, 1)->GetTooltipText().IsEmpty());
    m_pFrame->m_bEnable = TRUE;
    pBar->OnUpdateCmdUI(m_pFrame, TRUE);
    EXPECT_TRUE(pBar->IsEnabled());
    EXPECT_EQ(0u, pBar->GetButton(1)->m_nStyle & TBBS_DISABLED);
}

TEST(ColorButtonTooltip, ShowsTheColourInHexOrTheButtonText)
{
    struct Case
    {
        COLORREF color;
        BOOL bAutomatic;
        LPCTSTR lpszText;
        BOOL bDisabled;
        BOOL bTooltips;
        const wchar_t* pszExpected;
    };
    const Case cases[] = {
        {RGB(255, 128, 0), FALSE, nullptr, FALSE, TRUE, L"Hex={FF,80,00}"},
        {RGB(1, 2, 171), FALSE, nullptr, FALSE, TRUE, L"Hex={01,02,AB}"},
        {RGB(0, 0, 0), TRUE, L"&Automatic", FALSE, TRUE, L"Automatic"},
        {RGB(255, 128, 0), FALSE, nullptr, TRUE, TRUE, L""},
        {RGB(255, 128, 0), FALSE, nullptr, FALSE, FALSE, L""},
    };
    const BOOL bSaved = CKTToolBar::m_bShowTooltips;
    for (const Case& c : cases)
    {
        CColorButton button(c.color, c.bAutomatic, FALSE, c.lpszText);
        if (c.bDisabled)
            button.m_nStyle |= TBBS_DISABLED;
        CKTToolBar::m_bShowTooltips = c.bTooltips;
        EXPECT_EQ(std::wstring(c.pszExpected), std::wstring(static_cast<LPCWSTR>(button.GetTooltipText())));
    }
    CKTToolBar::m_bShowTooltips = bSaved;
}

// The stored bytes of a torn-off bar.
std::vector<BYTE> Store(CKTColorBar& bar)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        bar.Serialize(ar);
        ar.Close();
    }
    const ULONGLONG nLength = file.GetLength();
    std::vector<BYTE> bytes(static_cast<size_t>(nLength));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(nLength));
    return bytes;
}

void Load(CKTColorBar& bar, std::vector<BYTE> bytes)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    bar.Serialize(ar);
}

TEST_F(ColorBarTest, StoresItsSettingsAndColoursAndLoadsThemBack)
{
    CArray<COLORREF, COLORREF> colors;
    colors.Add(RGB(1, 2, 3));
    colors.Add(RGB(255, 0, 0));
    CList<COLORREF, COLORREF> none;
    CKTColorBar popup(colors, (COLORREF)-1, L"Au", L"Mo", nullptr, none, 5, -1, 2, RGB(0, 0, 128), 77);
    CKTColorBar bar(popup, 500);
    const std::vector<BYTE> bytes = Store(bar);
    const std::vector<BYTE> golden = {
        5,    0,    0,    0, 0xFF, 0xFF, 0xFF, 0xFF,
        2,    0,    0,    0,                      // columns, rows docked horizontally, vertical columns
        0,    0,    0x80, 0,                      // automatic colour
        0xFF, 0xFE, 0xFF, 2, 'A',  0,    'u',  0, // "Au"
        0xFF, 0xFE, 0xFF, 2, 'M',  0,    'o',  0, // "Mo"
        0xFF, 0xFE, 0xFF, 0,                      // no document label
        1,    0,    0,    0, 0xF4, 1,    0,    0,
        0,    0,    0,    0, // torn off, command 500, own dialog
        2,    0,    0,    0, 1,    2,    3,    0,
        0xFF, 0,    0,    0, // two colours
    };
    EXPECT_EQ(golden, bytes);

    CKTColorBar loaded;
    Load(loaded, bytes);
    EXPECT_EQ(bytes, Store(loaded));
    EXPECT_EQ(2, loaded.GetColors().GetSize());
    EXPECT_EQ(RGB(255, 0, 0), loaded.GetColors()[1]);
    EXPECT_EQ(500u, loaded.GetCommandID());
    EXPECT_TRUE(loaded.IsTornOff());
    EXPECT_EQ(RGB(0, 0, 128), loaded.GetAutomaticColor());
}

TEST_F(ColorBarTest, DamagedColourCountFailsTheLoad)
{
    CArray<COLORREF, COLORREF> colors;
    colors.Add(RGB(1, 2, 3));
    CList<COLORREF, COLORREF> none;
    CKTColorBar popup(colors, (COLORREF)-1, nullptr, nullptr, nullptr, none, 5, -1, -1, 0, 77);
    CKTColorBar bar(popup, 500);
    std::vector<BYTE> bytes = Store(bar);
    const size_t nCountAt = bytes.size() - 8;
    struct Case
    {
        DWORD dwCount;
        bool bLoads;
    };
    const Case cases[] = {{1, true}, {2, false}, {0x40000000, false}, {0xFFFFFFFF, false}};
    for (const Case& c : cases)
    {
        memcpy(&bytes[nCountAt], &c.dwCount, sizeof(DWORD));
        CKTColorBar loaded;
        bool bLoaded = true;
        try
        {
            Load(loaded, bytes);
        }
        catch (CException* e)
        {
            e->Delete();
            bLoaded = false;
        }
        EXPECT_EQ(c.bLoads, bLoaded) << c.dwCount;
    }
}

TEST_F(ColorBarTest, DocumentColoursShowInAPopupOrFloatingButNeverDocked)
{
    auto popup = PopupBar(10, (COLORREF)-1, nullptr, nullptr, L"Document", 3, 5);
    EXPECT_TRUE(popup->ShowsDocumentColors());

    m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
    auto torn = std::make_unique<CKTColorBar>(*popup, kBarCommand);
    CKTColorBar* pBar = Place(std::move(torn));
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
    m_pFrame->RecalcLayout();
    PumpAndIdle();
    EXPECT_FALSE(pBar->IsFloating());
    EXPECT_FALSE(pBar->ShowsDocumentColors());
    const CSize cell = pBar->GetCellSize();
    EXPECT_EQ(2 * cell.cy + 8, pBar->CalcSize(FALSE).cy);
    int nDocShown = 0;
    for (int i = 0; i < pBar->GetCount(); i++)
    {
        const CColorButton* pCell = Cell(pBar, i);
        if (pCell != nullptr && (pCell->m_bIsDocument || pCell->m_bIsLabel) && !pCell->m_bHidden)
            nDocShown++;
    }
    EXPECT_EQ(0, nDocShown);

    m_pFrame->FloatControlBar(pBar, CPoint(300, 300));
    PumpAndIdle();
    EXPECT_TRUE(pBar->IsFloating());
    EXPECT_TRUE(pBar->ShowsDocumentColors());
    EXPECT_EQ(2 * cell.cy + 8 + cell.cy + 4 + pBar->GetTextRowHeight() + 4, pBar->CalcSize(FALSE).cy);
}

TEST(ColorBarControl, ColumnsToFitTheRectangle)
{
    struct Case
    {
        int nColors, cx, cy, nColumns;
    };
    // The count that first overflows the height, plus one.
    const Case cases[] = {{20, 100, 80, 5}, {20, 200, 40, 10}, {20, 50, 200, 3}, {16, 64, 64, 4}, {1, 10, 100, -1}};
    for (const Case& c : cases)
        EXPECT_EQ(c.nColumns, CKTColorBar::ColumnsToFit(c.nColors, c.cx, c.cy)) << c.cx << "x" << c.cy;
}

TEST(ColorBarControl, PaletteControlOnAWindowFitsSquareCellsAndReportsItsId)
{
    CHostWnd host;
    ASSERT_TRUE(host.Make(CRect(100, 100, 400, 300)));
    host.SetForegroundWindow();
    CKTColorBar bar;
    ASSERT_TRUE(bar.CreateControl(&host, CRect(10, 10, 130, 110), 333, 5));
    PumpAndIdle();
    const CSize cell = bar.GetCellSize();
    EXPECT_EQ(cell.cx, cell.cy);
    const CSize size = bar.CalcSize(FALSE);
    CRect rectClient;
    bar.GetClientRect(&rectClient);
    EXPECT_LE(size.cx, rectClient.Width());
    EXPECT_LE(size.cy, rectClient.Height());
    EXPECT_GE(size.cy + cell.cy, rectClient.Height()); // as large as fits
    bar.UpdateWindow();
    SaveWindowShot(&bar, L"ColorBarControl.bmp");

    CRect rectCell;
    bar.GetItemRect(6, &rectCell);
    bar.ClientToScreen(&rectCell);
    UserInput input;
    input.MoveTo(rectCell.CenterPoint()).Pause(30).LeftDown().LeftUp().Pause(50);
    Play(input);
    EXPECT_EQ(bar.GetColors()[6], bar.GetColor());
    EXPECT_EQ(1, host.Count(333, 0));
    bar.DestroyWindow();
    host.DestroyWindow();
    PumpAndIdle();
}

TEST(ColorBarControl, APaletteWithoutColoursGivesAnEmptyControlThatFitsItsPlace)
{
    CHostWnd host;
    ASSERT_TRUE(host.Make(CRect(100, 100, 400, 300)));
    LOGPALETTE empty = {0x300, 0, {}};
    CPalette palette;
    ASSERT_TRUE(palette.CreatePalette(&empty));
    ASSERT_EQ(0u, ::GetPaletteEntries(static_cast<HPALETTE>(palette.GetSafeHandle()), 0, 0, nullptr));
    CKTColorBar bar;
    // Cells that no size follows: fitting them ends at once, here and on every resize.
    ASSERT_TRUE(bar.CreateControl(&host, CRect(10, 10, 130, 110), 334, -1, &palette));
    EXPECT_EQ(0, bar.GetColors().GetSize());
    bar.SetWindowPos(nullptr, 0, 0, 150, 90, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpAndIdle();
    EXPECT_TRUE(bar.IsWindowVisible());
    bar.DestroyWindow();
    host.DestroyWindow();
    PumpAndIdle();
}

} // namespace

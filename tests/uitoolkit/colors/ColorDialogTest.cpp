// The toolkit's colour dialog: its two pages kept in step with the new colour, the Custom page's
// field mappings, choosing by a double click, and the hand-over to the system dialog on screens
// below 8 bits per pixel.
#include "tests/uitoolkit/colors/ColorTestSupport.h"
#include "uitoolkit/customize/KTColorDialog.h"
#include "uitoolkit/customize/KTColorPages.h"
#include "uitoolkit/customize/KTColorResources.h"
#include "uitoolkit/customize/KTPropertySheetCtrl.h"
#include "uitoolkit/looks/KTUIGlobals.h"

#include <gtest/gtest.h>

namespace
{

class ColorDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.Make(CRect(40, 40, 200, 120)));
        PumpAndIdle();
    }
    void TearDown() override
    {
        if (m_pDialog != nullptr && m_pDialog->GetSafeHwnd() != nullptr)
            m_pDialog->DestroyWindow();
        delete m_pDialog;
        m_host.DestroyWindow();
        PumpAndIdle();
    }
    CKTColorDialog& Open(COLORREF color)
    {
        m_pDialog = new CKTColorDialog(color, 0, &m_host);
        EXPECT_TRUE(m_pDialog->Create(IDD_KT_COLOR_DIALOG, &m_host));
        m_pDialog->ShowWindow(SW_SHOW);
        m_pDialog->UpdateWindow();
        PumpAndIdle();
        return *m_pDialog;
    }
    int Field(int nID) const
    {
        return static_cast<int>(m_pDialog->GetCustomPage()->GetDlgItemInt(nID, nullptr, FALSE));
    }
    void SetField(int nID, int nValue)
    {
        m_pDialog->GetCustomPage()->SetDlgItemInt(nID, nValue, FALSE);
        PumpAndIdle();
    }

    CHostWnd m_host;
    CKTColorDialog* m_pDialog = nullptr;
};

TEST_F(ColorDialogTest, OpensWithBothPagesShowingTheColour)
{
    CKTColorDialog& dlg = Open(RGB(255, 128, 0));
    ASSERT_NE(nullptr, dlg.GetSheet());
    ASSERT_NE(nullptr, dlg.GetSheet()->GetSafeHwnd());
    EXPECT_EQ(2, dlg.GetSheet()->GetPageCount());
    ASSERT_NE(nullptr, dlg.GetStandardPage()->GetSafeHwnd());
    ASSERT_NE(nullptr, dlg.GetCustomPage()->GetSafeHwnd());
    EXPECT_NE(0u, dlg.GetSheet()->GetExStyle() & WS_EX_CONTROLPARENT);

    // The sheet covers the placeholder.
    CRect rectPlace, rectSheet;
    dlg.GetDlgItem(IDC_KT_COLOR_PLACEHOLDER)->GetWindowRect(&rectPlace);
    dlg.GetSheet()->GetWindowRect(&rectSheet);
    EXPECT_EQ(rectPlace, rectSheet);

    EXPECT_EQ(RGB(255, 128, 0), dlg.GetColor());
    EXPECT_EQ(RGB(255, 128, 0), dlg.GetSwatch().GetColor());
    EXPECT_EQ(RGB(255, 128, 0), dlg.GetStandardPage()->m_hexpicker.GetColor());
    EXPECT_EQ(255, Field(IDC_KT_COLOR_RED));
    EXPECT_EQ(128, Field(IDC_KT_COLOR_GREEN));
    EXPECT_EQ(0, Field(IDC_KT_COLOR_BLUE));
    EXPECT_EQ(255, Field(IDC_KT_COLOR_SAT_EDIT));
    EXPECT_EQ(128, Field(IDC_KT_COLOR_LUM_EDIT));
    SaveWindowShot(&dlg, L"ColorDialogStandard.bmp");

    dlg.GetSheet()->SetActivePage(1);
    PumpAndIdle();
    dlg.UpdateWindow();
    SaveWindowShot(&dlg, L"ColorDialogCustom.bmp");
}

TEST_F(ColorDialogTest, HueSaturationAndLuminanceFieldsMapToColours)
{
    // The field value v is the component (v + 0.5) / 255, and the conversion truncates, so the
    // extremes come within a few steps of pure colours.
    struct Case
    {
        int nHue, nSat, nLum;
        COLORREF expected;
    };
    const Case cases[] = {
        {0, 255, 255, RGB(255, 255, 255)}, {100, 255, 255, RGB(255, 255, 255)}, {200, 80, 255, RGB(255, 255, 255)},
        {0, 255, 0, RGB(0, 0, 0)},         {170, 255, 0, RGB(0, 0, 0)},         {0, 255, 128, RGB(255, 0, 0)},
        {255, 255, 128, RGB(255, 0, 0)},   {85, 255, 128, RGB(0, 255, 0)},      {0, 0, 128, RGB(128, 128, 128)},
    };
    CKTColorDialog& dlg = Open(RGB(10, 20, 30));
    for (const Case& c : cases)
    {
        SetField(IDC_KT_COLOR_HUE_EDIT, c.nHue);
        SetField(IDC_KT_COLOR_SAT_EDIT, c.nSat);
        SetField(IDC_KT_COLOR_LUM_EDIT, c.nLum);
        const COLORREF color = dlg.GetColor();
        EXPECT_TRUE(NearColor(c.expected, color, 4))
            << c.nHue << "/" << c.nSat << "/" << c.nLum << " gave " << (int)GetRValue(color) << ","
            << (int)GetGValue(color) << "," << (int)GetBValue(color);
        // The red, green and blue fields and the Standard page follow.
        EXPECT_EQ(GetRValue(color), Field(IDC_KT_COLOR_RED));
        EXPECT_EQ(GetGValue(color), Field(IDC_KT_COLOR_GREEN));
        EXPECT_EQ(GetBValue(color), Field(IDC_KT_COLOR_BLUE));
        EXPECT_EQ(color, dlg.GetStandardPage()->m_hexpicker.GetColor());
    }
    EXPECT_DOUBLE_EQ(1.0, CColorPage2::FieldToComponent(255));
    EXPECT_DOUBLE_EQ(0.5 / 255, CColorPage2::FieldToComponent(0));
    EXPECT_EQ(255, CColorPage2::ComponentToField(1.0));
    EXPECT_EQ(128, CColorPage2::ComponentToField(0.5));
}

TEST_F(ColorDialogTest, TypedRedGreenAndBlueReachTheOtherFieldsAndPages)
{
    CKTColorDialog& dlg = Open(RGB(0, 0, 0));
    dlg.GetSheet()->SetActivePage(1);
    PumpAndIdle();
    CWnd* pRed = dlg.GetCustomPage()->GetDlgItem(IDC_KT_COLOR_RED);
    dlg.SetForegroundWindow();
    pRed->SetFocus();
    static_cast<CEdit*>(pRed)->SetSel(0, -1);
    PumpAndIdle();
    UserInput input;
    input.Type(L"255").Pause(50);
    Play(input);

    EXPECT_EQ(RGB(255, 0, 0), dlg.GetColor());
    EXPECT_EQ(0, Field(IDC_KT_COLOR_HUE_EDIT));
    EXPECT_EQ(255, Field(IDC_KT_COLOR_SAT_EDIT));
    EXPECT_EQ(128, Field(IDC_KT_COLOR_LUM_EDIT));
    EXPECT_EQ(RGB(255, 0, 0), dlg.GetStandardPage()->m_hexpicker.GetColor());
    EXPECT_DOUBLE_EQ(1.0, dlg.GetCustomPage()->m_wndColorPicker.GetSaturation());
    EXPECT_DOUBLE_EQ(0.5, dlg.GetCustomPage()->m_wndLum.GetLuminance());

    // A value out of range is not taken.
    SetField(IDC_KT_COLOR_GREEN, 300);
    EXPECT_EQ(RGB(255, 0, 0), dlg.GetColor());
}

TEST_F(ColorDialogTest, ClickOnTheHoneycombSetsTheNewColourAndTheCustomPage)
{
    CKTColorDialog& dlg = Open(RGB(0, 0, 0));
    dlg.SetForegroundWindow();
    PumpAndIdle();
    CKTColorPickerCtrl& hex = dlg.GetStandardPage()->m_hexpicker;
    ASSERT_FALSE(hex.GetCells().empty());
    const CKTColorHexCell cell = hex.GetCells()[7];
    EXPECT_EQ(RGB(0, 0, 0), dlg.GetStandardPage()->m_hexpicker_greyscale.GetColor());

    UserInput input;
    input.MoveTo(ScreenPoint(&hex, cell.m_center)).LeftDown().LeftUp().Pause(50);
    Play(input);
    EXPECT_EQ(cell.m_color, dlg.GetColor());
    EXPECT_EQ(cell.m_color, dlg.GetSwatch().GetColor());
    EXPECT_EQ(GetRValue(cell.m_color), Field(IDC_KT_COLOR_RED));
    EXPECT_EQ(GetGValue(cell.m_color), Field(IDC_KT_COLOR_GREEN));
    EXPECT_EQ(GetBValue(cell.m_color), Field(IDC_KT_COLOR_BLUE));
    // The grey row has no such colour and shows none.
    EXPECT_EQ(nullptr, dlg.GetStandardPage()->m_hexpicker_greyscale.FindCell(cell.m_color));

    // A grey cell gives back its own grey.
    CKTColorPickerCtrl& grey = dlg.GetStandardPage()->m_hexpicker_greyscale;
    const CKTColorHexCell greyCell = grey.GetCells()[4];
    UserInput onGrey;
    onGrey.MoveTo(ScreenPoint(&grey, greyCell.m_center)).LeftDown().LeftUp().Pause(50);
    Play(onGrey);
    EXPECT_EQ(greyCell.m_color, dlg.GetColor());
    EXPECT_EQ(greyCell.m_color, hex.GetColor());
}

TEST_F(ColorDialogTest, DoubleClickOnTheHoneycombChoosesTheColour)
{
    CKTColorDialog dlg(RGB(0, 0, 0), 0, &m_host);
    COLORREF colorCell = (COLORREF)-1;
    UserInput input;
    input.Pause(300).ClickAt([&] {
        // The dialog comes up on the test's thread while this one waits for its honeycomb.
        for (int i = 0; i < 200; i++)
        {
            CColorPage1* pPage = dlg.GetStandardPage();
            if (pPage != nullptr && pPage->m_hexpicker.GetSafeHwnd() != nullptr &&
                pPage->m_hexpicker.GetCells().size() == 127)
                break;
            ::Sleep(50);
        }
        CKTColorPickerCtrl& hex = dlg.GetStandardPage()->m_hexpicker;
        colorCell = hex.GetCells()[3].m_color;
        return ScreenPoint(&hex, hex.GetCells()[3].m_center);
    });
    input.LeftDown().LeftUp().Pause(200);
    input.Start();
    const INT_PTR nResult = dlg.DoModal();
    input.Wait();
    EXPECT_EQ(IDOK, nResult);
    EXPECT_EQ(colorCell, dlg.GetColor());
}

// Records the colour it was opened with and answers as a user would.
class CRecordingColorDialog : public CKTColorDialog
{
public:
    using CKTColorDialog::CKTColorDialog;
    COLORREF m_colorOpened = (COLORREF)-1;
    INT_PTR m_nAnswer = IDOK;
    int m_nRuns = 0;

protected:
    INT_PTR RunSystemColorDialog(COLORREF& color) override
    {
        m_nRuns++;
        m_colorOpened = color;
        color = RGB(1, 2, 3);
        return m_nAnswer;
    }
};

TEST_F(ColorDialogTest, BelowEightBitsTheSystemDialogOpensWithTheCurrentColour)
{
    struct Case
    {
        int nBits;
        INT_PTR nAnswer;
        int nRuns;
    };
    const Case cases[] = {{4, IDOK, 1}, {4, IDCANCEL, 1}, {1, IDOK, 1}};
    const int nSavedBits = ktGlobals.m_bitsPerPixel;
    for (const Case& c : cases)
    {
        ktGlobals.m_bitsPerPixel = c.nBits;
        CRecordingColorDialog dlg(RGB(40, 50, 60), 0, &m_host);
        dlg.m_nAnswer = c.nAnswer;
        const INT_PTR nResult = dlg.DoModal();
        EXPECT_EQ(c.nAnswer, nResult) << c.nBits;
        EXPECT_EQ(c.nRuns, dlg.m_nRuns);
        EXPECT_EQ(RGB(40, 50, 60), dlg.m_colorOpened);
        EXPECT_EQ(c.nAnswer == IDOK ? RGB(1, 2, 3) : RGB(40, 50, 60), dlg.GetColor());
    }
    ktGlobals.m_bitsPerPixel = nSavedBits;

    // From 8 bits on the toolkit's own dialog shows.
    ktGlobals.m_bitsPerPixel = 8;
    CRecordingColorDialog* pDlg = new CRecordingColorDialog(RGB(40, 50, 60), 0, &m_host);
    m_pDialog = pDlg;
    EXPECT_TRUE(pDlg->Create(IDD_KT_COLOR_DIALOG, &m_host));
    PumpAndIdle();
    EXPECT_EQ(0, pDlg->m_nRuns);
    EXPECT_NE(nullptr, pDlg->GetPalette());
    // On a palette screen the swatch shows the nearest palette entry.
    EXPECT_EQ(0x01000000u, pDlg->GetSwatch().GetColor() & 0xFF000000u);
    ktGlobals.m_bitsPerPixel = nSavedBits;
}

} // namespace

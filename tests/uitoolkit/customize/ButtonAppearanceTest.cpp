// The Button Appearance dialog on the test display: what it takes from the button, its answers
// to OK without an image or a text, menu mode changing the command manager's list instead of the
// button, "&Edit..." keeping the strip's transparent colour, the images list scrolling by whole
// rows, a locked button, a user tool's button, and the dialog opened from a toolbar's button menu
// in customize mode.
#include "tests/uitoolkit/customize/CustomizeTestApp.h"
#include "tests/uitoolkit/customize/CustomizeTestSupport.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/customize/KTButtonAppearanceDlg.h"
#include "uitoolkit/customize/KTCommandManager.h"
#include "uitoolkit/customize/KTUserTool.h"
#include "uitoolkit/customize/KTUserToolsManager.h"
#include "uitoolkit/looks/KTImageStrip.h"
#include "uitoolkit/looks/KTUIGlobals.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace
{
// Commands of these tests alone: the command manager keeps the images of every toolbar loaded by
// the other tests of the program.
const UINT kCmdWithImage = 34901;
const UINT kCmdWithoutImage = 34902;
const int kDefaultImage = 3;
const UINT kToolsEntry = 34200;
const UINT kFirstTool = 34210;
const UINT kLastTool = 34219;

// The toolbars' command-to-image map, as loading a toolbar resource fills it.
class CMapToolBar : public CKTToolBar
{
public:
    static void SetDefault(UINT uiCmd, int iImage) { m_DefaultImages.SetAt(uiCmd, iImage); }
    static void Forget(UINT uiCmd) { m_DefaultImages.RemoveKey(uiCmd); }
};

// A strip of solid images, each its own colour.
HBITMAP SolidImage(COLORREF color, CSize size = CSize(16, 15))
{
    return SolidBitmap(color, size.cx, size.cy);
}

void FillStrip(CKTImageStrip& strip, int nImages)
{
    strip.SetImageSize(CSize(16, 15));
    for (int i = 0; i < nImages; i++)
    {
        HBITMAP hbm = SolidImage(RGB(40 * (i % 6), 255 - 20 * (i % 12), 30 * (i % 8)));
        strip.AddImage(hbm);
        ::DeleteObject(hbm);
    }
}

// The dialog with the editor replaced: it records what the editor would have been given and
// answers as told, drawing a red pixel when it keeps the drawing.
class CTestAppearanceDlg : public CKTButtonAppearanceDlg
{
public:
    using CKTButtonAppearanceDlg::CKTButtonAppearanceDlg;
    using CKTButtonAppearanceDlg::m_Buttons;

    INT_PTR m_nEditAnswer = IDOK;
    std::vector<COLORREF> m_editedPixels; // (0,0) and (15,14) of each bitmap the editor got

protected:
    INT_PTR EditImage(HBITMAP hbmImage, int) override
    {
        HDC hdc = ::CreateCompatibleDC(nullptr);
        HGDIOBJ hOld = ::SelectObject(hdc, hbmImage);
        m_editedPixels.push_back(::GetPixel(hdc, 0, 0));
        m_editedPixels.push_back(::GetPixel(hdc, 15, 14));
        if (m_nEditAnswer == IDOK)
            ::SetPixel(hdc, 0, 0, RGB(255, 0, 0));
        ::SelectObject(hdc, hOld);
        ::DeleteDC(hdc);
        return m_nEditAnswer;
    }
};

class ButtonAppearanceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CustomizeTestApp().m_messageBoxes.clear();
        CMapToolBar::SetDefault(kCmdWithImage, kDefaultImage);
        CMapToolBar::Forget(kCmdWithoutImage);
        FillStrip(m_userImages, 6);
    }
    void TearDown() override
    {
        if (m_pDlg != nullptr && m_pDlg->GetSafeHwnd() != nullptr)
            m_pDlg->DestroyWindow();
        m_pDlg.reset();
        CMapToolBar::Forget(kCmdWithImage);
        CKTCommandManager::GetInstance()->EnableMenuItemImage(kCmdWithImage, TRUE);
        Pump();
    }

    // The dialog shown modeless, to look at.
    CTestAppearanceDlg& Open(CKTToolbarButton& button, BOOL bMenuMode = FALSE, CKTImageStrip* pImages = nullptr)
    {
        m_pDlg = std::make_unique<CTestAppearanceDlg>(&button, pImages != nullptr ? pImages : &m_userImages, nullptr, 0,
                                                      bMenuMode);
        EXPECT_TRUE(m_pDlg->Create(CKTButtonAppearanceDlg::IDD, nullptr));
        m_pDlg->ShowWindow(SW_SHOW);
        m_pDlg->UpdateWindow();
        Pump();
        return *m_pDlg;
    }
    BOOL Enabled(int nID) const { return m_pDlg->GetDlgItem(nID)->IsWindowEnabled(); }
    BOOL Checked(int nID) const { return m_pDlg->IsDlgButtonChecked(nID) == BST_CHECKED; }
    void Click(int nID)
    {
        m_pDlg->SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED),
                            reinterpret_cast<LPARAM>(m_pDlg->GetDlgItem(nID)->GetSafeHwnd()));
        Pump();
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

    CKTImageStrip m_userImages;
    std::unique_ptr<CTestAppearanceDlg> m_pDlg;
};

struct ConstructionCase
{
    const char* m_name;
    UINT m_uiCmd;
    BOOL m_bUserButton;
    int m_iUserImage;
    BOOL m_bImage;
    BOOL m_bText;
    BOOL m_bTextBelow;
    BOOL m_bMenuMode;
    BOOL m_bWithoutMenuImage; // the command manager lists the command without menu image
    // What the dialog starts from.
    int m_iImage;
    BOOL m_bUserImage;
    BOOL m_bImageShown;
    BOOL m_bTextShown;
};

void PrintTo(const ConstructionCase& c, std::ostream* os)
{
    *os << c.m_name;
}

class ButtonAppearanceConstructionTest : public ButtonAppearanceTest,
                                         public ::testing::WithParamInterface<ConstructionCase>
{
};

TEST_P(ButtonAppearanceConstructionTest, FlagsComeFromTheButtonAndTheCommand)
{
    const ConstructionCase& c = GetParam();
    CKTToolbarButton button(c.m_uiCmd, -1, L"Save");
    button.m_iImage = c.m_uiCmd == kCmdWithImage ? kDefaultImage : -1;
    button.m_bUserButton = c.m_bUserButton;
    button.m_iUserImage = c.m_iUserImage;
    button.m_bImage = c.m_bImage;
    button.m_bText = c.m_bText;
    button.m_bTextBelow = c.m_bTextBelow;
    CKTCommandManager::GetInstance()->EnableMenuItemImage(c.m_uiCmd, !c.m_bWithoutMenuImage);
    CTestAppearanceDlg dlg(&button, &m_userImages, nullptr, 0, c.m_bMenuMode);
    EXPECT_EQ(c.m_iImage, dlg.GetImageIndex());
    EXPECT_EQ(c.m_bUserImage, dlg.IsUserImage());
    EXPECT_EQ(c.m_bImageShown, dlg.IsImageShown());
    EXPECT_EQ(c.m_bTextShown, dlg.IsTextShown());
    CKTCommandManager::GetInstance()->EnableMenuItemImage(c.m_uiCmd, TRUE);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ButtonAppearanceConstructionTest,
    ::testing::Values(ConstructionCase{"DefaultImage", kCmdWithImage, FALSE, -1, TRUE, FALSE, FALSE, FALSE, FALSE,
                                       kDefaultImage, FALSE, TRUE, FALSE},
                      ConstructionCase{"UserImage", kCmdWithImage, TRUE, 2, TRUE, FALSE, FALSE, FALSE, FALSE, 2, TRUE,
                                       TRUE, FALSE},
                      ConstructionCase{"NoDefaultMeansUserImage", kCmdWithoutImage, FALSE, -1, FALSE, TRUE, FALSE,
                                       FALSE, FALSE, -1, TRUE, FALSE, TRUE},
                      ConstructionCase{"TextBelowShowsText", kCmdWithImage, FALSE, -1, TRUE, FALSE, TRUE, FALSE, FALSE,
                                       kDefaultImage, FALSE, TRUE, TRUE},
                      ConstructionCase{"MenuModeAlwaysShowsText", kCmdWithImage, FALSE, -1, TRUE, FALSE, FALSE, TRUE,
                                       FALSE, kDefaultImage, FALSE, TRUE, TRUE},
                      ConstructionCase{"MenuItemListedWithoutImage", kCmdWithImage, FALSE, -1, TRUE, TRUE, FALSE, TRUE,
                                       TRUE, kDefaultImage, FALSE, FALSE, TRUE},
                      ConstructionCase{"WithoutImageListOutsideMenus", kCmdWithImage, FALSE, -1, TRUE, FALSE, FALSE,
                                       FALSE, TRUE, kDefaultImage, FALSE, TRUE, FALSE}),
    [](const ::testing::TestParamInfo<ConstructionCase>& info) { return std::string(info.param.m_name); });

// OK refuses a shown image that is not chosen and a shown text that is empty, and stays open.
TEST_F(ButtonAppearanceTest, OkAsksForAnImageAndForAText)
{
    CKTToolbarButton button(kCmdWithoutImage, -1, L"Go");
    button.m_bImage = FALSE;
    button.m_bText = TRUE;
    CTestAppearanceDlg& dlg = Open(button);
    EXPECT_TRUE(Checked(CKTButtonAppearanceDlg::IDC_KT_TEXT_ONLY));
    EXPECT_TRUE(Checked(CKTButtonAppearanceDlg::IDC_KT_USER_IMAGE)) << "the command has no image of its own";

    struct
    {
        int m_nLook;
        const wchar_t* m_text;
        const wchar_t* m_message; // null: accepted
    } const cases[] = {
        {CKTButtonAppearanceDlg::IDC_KT_IMAGE_ONLY, L"Go", L"You should select an image!"},
        {CKTButtonAppearanceDlg::IDC_KT_TEXT_ONLY, L"", L"You should enter a text!"},
        {CKTButtonAppearanceDlg::IDC_KT_TEXT_ONLY, L"Run", nullptr},
    };
    for (const auto& c : cases)
    {
        CustomizeTestApp().m_messageBoxes.clear();
        dlg.CheckRadioButton(CKTButtonAppearanceDlg::IDC_KT_IMAGE_ONLY, CKTButtonAppearanceDlg::IDC_KT_IMAGE_AND_TEXT,
                             c.m_nLook);
        Click(c.m_nLook);
        dlg.SetDlgItemText(CKTButtonAppearanceDlg::IDC_KT_BUTTON_TEXT, c.m_text);
        Click(IDOK);
        if (c.m_message != nullptr)
        {
            EXPECT_EQ(std::vector<std::wstring>{c.m_message}, CustomizeTestApp().m_messageBoxes);
            EXPECT_TRUE(dlg.IsWindowVisible()) << "the dialog stays";
            EXPECT_EQ(CString(L"Go"), button.m_strText) << "the button is unchanged";
        }
        else
        {
            EXPECT_TRUE(CustomizeTestApp().m_messageBoxes.empty());
            EXPECT_EQ(CString(L"Run"), button.m_strText);
            EXPECT_TRUE(button.m_bText);
            EXPECT_FALSE(button.m_bImage);
        }
    }
}

// A button with a user image whose command has no image of its own: its default image is no
// choice (the radio is off), and taken anyway OK asks for an image and leaves the button.
TEST_F(ButtonAppearanceTest, DefaultImageOfACommandWithoutOneIsRefused)
{
    CKTToolbarButton button(kCmdWithoutImage, -1, L"Go");
    button.m_bUserButton = TRUE;
    button.m_iUserImage = 1;
    button.m_bImage = TRUE;
    Open(button);
    EXPECT_TRUE(Checked(CKTButtonAppearanceDlg::IDC_KT_USER_IMAGE));
    EXPECT_FALSE(Enabled(CKTButtonAppearanceDlg::IDC_KT_DEFAULT_IMAGE));
    Click(CKTButtonAppearanceDlg::IDC_KT_DEFAULT_IMAGE);
    Click(IDOK);
    EXPECT_EQ(std::vector<std::wstring>{L"You should select an image!"}, CustomizeTestApp().m_messageBoxes);
    EXPECT_TRUE(m_pDlg->IsWindowVisible()) << "the dialog stays";
    EXPECT_TRUE(button.m_bUserButton);
    EXPECT_EQ(1, button.m_iUserImage);
}

// A user image chosen in the list, and back to the default image: OK stores the kind of image
// the dialog shows, so that a default image never stays marked as a user image.
TEST_F(ButtonAppearanceTest, OkStoresTheChosenImageAndItsKind)
{
    CKTToolbarButton button(kCmdWithImage, kDefaultImage, L"Save\tCtrl+S");
    button.m_bImage = TRUE;
    CTestAppearanceDlg& dlg = Open(button);
    EXPECT_TRUE(Checked(CKTButtonAppearanceDlg::IDC_KT_DEFAULT_IMAGE));
    CString strText;
    dlg.GetDlgItemText(CKTButtonAppearanceDlg::IDC_KT_BUTTON_TEXT, strText);
    EXPECT_EQ(CString(L"Save"), strText) << "the shortcut is not edited";

    Click(CKTButtonAppearanceDlg::IDC_KT_USER_IMAGE);
    EXPECT_TRUE(Enabled(CKTButtonAppearanceDlg::IDC_KT_IMAGES_LIST));
    dlg.GetImagesList().SelectButton(4);
    Pump();
    EXPECT_EQ(4, dlg.GetImageIndex());
    EXPECT_TRUE(Enabled(CKTButtonAppearanceDlg::IDC_KT_EDIT_IMAGE));
    SaveScreenshot(L"button_appearance.bmp");
    Click(IDOK);
    EXPECT_TRUE(button.m_bUserButton);
    EXPECT_EQ(4, button.m_iUserImage);
    EXPECT_EQ(CString(L"Save\tCtrl+S"), button.m_strText) << "the shortcut comes back";

    Open(button);
    EXPECT_TRUE(Checked(CKTButtonAppearanceDlg::IDC_KT_USER_IMAGE));
    Click(CKTButtonAppearanceDlg::IDC_KT_DEFAULT_IMAGE);
    EXPECT_FALSE(Enabled(CKTButtonAppearanceDlg::IDC_KT_IMAGES_LIST));
    Click(IDOK);
    EXPECT_FALSE(button.m_bUserButton) << "the default image is not a user image";
    EXPECT_EQ(kDefaultImage, button.GetImage());
    CKTCommandManager::GetInstance()->ClearUserCmdImage(kCmdWithImage);
}

// In a menu the image choice goes to the command manager's list of commands without menu
// images; the button keeps its own image flag and always shows its text.
TEST_F(ButtonAppearanceTest, MenuModeChangesTheCommandManagerNotTheButton)
{
    CKTToolbarButton button(kCmdWithImage, kDefaultImage, L"&Save");
    button.m_bImage = TRUE;
    button.m_bText = TRUE;
    Open(button, TRUE);
    EXPECT_TRUE(Checked(CKTButtonAppearanceDlg::IDC_KT_IMAGE_AND_TEXT));
    Click(CKTButtonAppearanceDlg::IDC_KT_TEXT_ONLY);
    Click(IDOK);
    EXPECT_TRUE(CKTCommandManager::GetInstance()->IsMenuItemWithoutImage(kCmdWithImage));
    EXPECT_TRUE(button.m_bImage) << "the button itself keeps its image";
    EXPECT_TRUE(button.m_bText);

    Open(button, TRUE);
    EXPECT_TRUE(Checked(CKTButtonAppearanceDlg::IDC_KT_TEXT_ONLY));
    Click(CKTButtonAppearanceDlg::IDC_KT_IMAGE_AND_TEXT);
    Click(IDOK);
    EXPECT_FALSE(CKTCommandManager::GetInstance()->IsMenuItemWithoutImage(kCmdWithImage));
}

// "&Edit..." copies the image onto light grey with light grey as the transparent colour, and the
// strip gets its own transparent colour back; "&New..." starts from the button face.
TEST_F(ButtonAppearanceTest, EditKeepsTheStripsTransparentColour)
{
    const COLORREF clrMagenta = RGB(255, 0, 255);
    m_userImages.SetTransparentColor(clrMagenta);
    CKTToolbarButton button(kCmdWithoutImage, -1, L"Go");
    button.m_bUserButton = TRUE;
    button.m_iUserImage = 1;
    CTestAppearanceDlg& dlg = Open(button);
    ASSERT_EQ(1, dlg.GetImageIndex());
    Click(CKTButtonAppearanceDlg::IDC_KT_EDIT_IMAGE);
    EXPECT_EQ(clrMagenta, m_userImages.GetTransparentColor());
    ASSERT_EQ(2u, dlg.m_editedPixels.size());
    EXPECT_NE(RGB(192, 192, 192), dlg.m_editedPixels[0]) << "the image itself, drawn over the grey";

    const int nBefore = m_userImages.GetCount();
    Click(CKTButtonAppearanceDlg::IDC_KT_NEW_IMAGE);
    ASSERT_EQ(4u, dlg.m_editedPixels.size());
    EXPECT_EQ(ktGlobals.m_colorFace, dlg.m_editedPixels[3]) << "a new image starts as the button face";
    EXPECT_EQ(nBefore + 1, m_userImages.GetCount());
    EXPECT_EQ(nBefore, dlg.GetImageIndex()) << "the new image is chosen";
    EXPECT_EQ(nBefore + 1, dlg.GetImagesList().GetCount());

    dlg.m_nEditAnswer = IDCANCEL;
    Click(CKTButtonAppearanceDlg::IDC_KT_NEW_IMAGE);
    EXPECT_EQ(nBefore + 1, m_userImages.GetCount()) << "Cancel adds nothing";
}

// With more images than fit, the list scrolls by whole rows and the thumb snaps to a row.
TEST_F(ButtonAppearanceTest, ImagesListScrollsByWholeRows)
{
    CKTImageStrip many;
    FillStrip(many, 90);
    CKTToolbarButton button(kCmdWithoutImage, -1, L"Go");
    button.m_bUserButton = TRUE;
    button.m_iUserImage = 0;
    CTestAppearanceDlg& dlg = Open(button, FALSE, &many);
    CKTButtonsList& list = dlg.GetImagesList();
    ASSERT_EQ(90, list.GetCount());
    ASSERT_TRUE(list.GetScrollBar().GetSafeHwnd() != nullptr);
    const int h = list.GetRowHeight();
    const int nTotal = list.GetScrollTotal();
    ASSERT_GT(nTotal, 2 * h);
    EXPECT_EQ(0, nTotal % h);

    struct
    {
        UINT m_nCode;
        int m_nPos;
        int m_iExpected;
    } const cases[] = {
        {SB_LINEDOWN, 0, h},
        {SB_LINEDOWN, 0, 2 * h},
        {SB_LINEUP, 0, h},
        {SB_THUMBTRACK, 2 * h + 3, h},
        {SB_THUMBPOSITION, 2 * h + h / 2 - 1, 2 * h},
        {SB_THUMBPOSITION, h + h / 2 + 1, 2 * h},
        {SB_TOP, 0, 0},
        {SB_LINEUP, 0, 0},
        {SB_BOTTOM, 0, nTotal},
        {SB_LINEDOWN, 0, nTotal},
    };
    for (size_t i = 0; i < std::size(cases); i++)
    {
        const auto& c = cases[i];
        list.SendMessage(WM_VSCROLL, MAKEWPARAM(c.m_nCode, c.m_nPos),
                         reinterpret_cast<LPARAM>(list.GetScrollBar().GetSafeHwnd()));
        EXPECT_EQ(c.m_iExpected, list.GetScrollOffset()) << i;
        EXPECT_EQ(list.GetScrollOffset(), list.GetScrollBar().GetScrollPos()) << i;
    }
    // A button chosen below the visible rows brings its row into view.
    list.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_TOP, 0), 0);
    list.SetFocus();
    list.SelectButton(89);
    Pump();
    EXPECT_EQ(nTotal, list.GetScrollOffset());
    EXPECT_EQ(89, dlg.GetImageIndex());
    SaveScreenshot(L"button_appearance_scrolled.bmp");
}

// The images list from the keyboard: the focus chooses the first image, the arrows step through
// the images and stop at the ends, Home and End jump, and the list scrolls to the chosen row.
TEST_F(ButtonAppearanceTest, ImagesListFollowsTheKeys)
{
    CKTImageStrip many;
    FillStrip(many, 60);
    CKTToolbarButton button(kCmdWithoutImage, -1, L"Go");
    button.m_bUserButton = TRUE;
    button.m_bImage = TRUE;
    CTestAppearanceDlg& dlg = Open(button, FALSE, &many);
    CKTButtonsList& list = dlg.GetImagesList();
    ASSERT_EQ(nullptr, list.GetSelectedButton());
    dlg.SetForegroundWindow();
    {
        // A click on the list's border, where no button stands, only gives it the focus.
        CRect rect;
        list.GetWindowRect(&rect);
        UserInput input;
        input.MoveTo(CPoint(rect.left + 1, rect.bottom - 2)).Pause(50).LeftDown().LeftUp().Pause(150);
        Play(input);
    }
    ASSERT_EQ(&list, CWnd::GetFocus());
    EXPECT_EQ(0, dlg.GetImageIndex()) << "the focus chose the first image";

    struct
    {
        WORD m_vk;
        int m_iImage;
    } const steps[] = {
        {VK_LEFT, 0}, {VK_UP, 0},     {VK_RIGHT, 1}, {VK_DOWN, 2},
        {VK_END, 59}, {VK_RIGHT, 59}, {VK_LEFT, 58}, {VK_HOME, 0},
    };
    for (const auto& step : steps)
    {
        UserInput input;
        input.Press(step.m_vk).Pause(80);
        Play(input);
        EXPECT_EQ(step.m_iImage, dlg.GetImageIndex()) << step.m_vk;
        if (step.m_vk == VK_END)
        {
            EXPECT_EQ(list.GetScrollTotal(), list.GetScrollOffset()) << "the last row is shown";
        }
        if (step.m_vk == VK_HOME)
        {
            EXPECT_EQ(0, list.GetScrollOffset()) << "the first row is shown";
        }
    }
    EXPECT_TRUE(Enabled(CKTButtonAppearanceDlg::IDC_KT_EDIT_IMAGE));
}

// The colour at the centre of a toolbar image as the toolbars' strip draws it.
COLORREF ToolbarImageCentre(int iImage)
{
    CKTImageStrip* pStrip = CKTToolBar::GetImages();
    const CSize size = pStrip->GetImageSize();
    HBITMAP hbm = SolidBitmap(RGB(1, 2, 3), size.cx, size.cy);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), hbm);
    CKTDrawState ds;
    if (pStrip->PrepareDrawImage(ds))
    {
        pStrip->Draw(&dc, 0, 0, iImage);
        pStrip->EndDrawImage(ds);
    }
    const COLORREF color = dc.GetPixel(size.cx / 2, size.cy / 2);
    ::SelectObject(dc.GetSafeHdc(), hOld);
    ::DeleteObject(hbm);
    return color;
}

int CountScreenPixels(CRect rect, COLORREF color)
{
    HDC hScreen = ::GetDC(nullptr);
    int nCount = 0;
    for (int y = rect.top; y < rect.bottom; y++)
        for (int x = rect.left; x < rect.right; x++)
            nCount += ::GetPixel(hScreen, x, y) == color ? 1 : 0;
    ::ReleaseDC(nullptr, hScreen);
    return nCount;
}

// A locked button keeps its own image: both image choices, the list and its buttons are off, and
// the preview shows the button's own drawing.
TEST_F(ButtonAppearanceTest, LockedButtonOffersNoImageChoice)
{
    CKTImageStrip* pToolbarImages = CKTToolBar::GetImages();
    if (pToolbarImages->GetCount() == 0)
        pToolbarImages->SetImageSize(CSize(16, 15));
    while (pToolbarImages->GetCount() <= kDefaultImage)
    {
        HBITMAP hbm = SolidImage(RGB(200, 30, 60), pToolbarImages->GetImageSize());
        pToolbarImages->AddImage(hbm);
        ::DeleteObject(hbm);
    }
    const COLORREF clrImage = ToolbarImageCentre(kDefaultImage);
    ASSERT_NE(RGB(1, 2, 3), clrImage);

    CKTToolbarButton button(kCmdWithImage, kDefaultImage, L"Save", FALSE, TRUE);
    ASSERT_TRUE(button.IsLocked());
    CTestAppearanceDlg& dlg = Open(button);
    for (int nID : {CKTButtonAppearanceDlg::IDC_KT_DEFAULT_IMAGE, CKTButtonAppearanceDlg::IDC_KT_USER_IMAGE,
                    CKTButtonAppearanceDlg::IDC_KT_IMAGES_LIST, CKTButtonAppearanceDlg::IDC_KT_NEW_IMAGE,
                    CKTButtonAppearanceDlg::IDC_KT_EDIT_IMAGE})
        EXPECT_FALSE(Enabled(nID)) << nID;
    EXPECT_TRUE(Enabled(CKTButtonAppearanceDlg::IDC_KT_IMAGE_ONLY));
    dlg.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpFor(100);
    CRect rectPreview = dlg.GetDefaultImageRect();
    dlg.ClientToScreen(&rectPreview);
    EXPECT_GE(CountScreenPixels(rectPreview, clrImage), 4) << "the button's image in the preview";
    SaveScreenshot(L"button_appearance_locked.bmp");
}

// The icon as it shows on the screen at the point: the pixels it covers whatever lies below it,
// each compared with the screen. Returns the number of covered pixels; mismatches counts those
// that differ.
int CompareIconOnScreen(HICON hIcon, POINT ptScreen, int& nMismatches)
{
    const int cx = ::GetSystemMetrics(SM_CXSMICON);
    const int cy = ::GetSystemMetrics(SM_CYSMICON);
    HDC hScreen = ::GetDC(nullptr);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    std::vector<COLORREF> onBlack, onWhite;
    for (COLORREF background : {RGB(0, 0, 0), RGB(255, 255, 255)})
    {
        HBITMAP hbm = SolidBitmap(background, cx, cy);
        HGDIOBJ hOld = ::SelectObject(hMem, hbm);
        ::DrawIconEx(hMem, 0, 0, hIcon, cx, cy, 0, nullptr, DI_NORMAL);
        std::vector<COLORREF>& pixels = background == 0 ? onBlack : onWhite;
        for (int y = 0; y < cy; y++)
            for (int x = 0; x < cx; x++)
                pixels.push_back(::GetPixel(hMem, x, y));
        ::SelectObject(hMem, hOld);
        ::DeleteObject(hbm);
    }
    int nCovered = 0;
    nMismatches = 0;
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
        {
            const size_t i = static_cast<size_t>(y * cx + x);
            if (onBlack[i] != onWhite[i])
                continue;
            nCovered++;
            if (::GetPixel(hScreen, ptScreen.x + x, ptScreen.y + y) != onBlack[i])
                nMismatches++;
        }
    ::DeleteDC(hMem);
    ::ReleaseDC(nullptr, hScreen);
    return nCovered;
}

// A user tool's button: the tool's icon stands for the default image, the text is the tool's menu
// text and not edited here, and OK without a user image stores image 0 as the default image.
TEST_F(ButtonAppearanceTest, UserToolButtonShowsTheToolsIcon)
{
    CKTUserToolsManager tools(kToolsEntry, kFirstTool, kLastTool);
    CKTUserTool* pTool = tools.CreateNewTool();
    ASSERT_NE(nullptr, pTool);
    ASSERT_EQ(kFirstTool, pTool->m_uiCmdId);
    pTool->m_strLabel = L"Notes";
    pTool->SetCommand(L"no-such-tool-here.exe"); // not on the search path: the default icon
    ASSERT_NE(nullptr, pTool->GetIcon());

    // Neither command has an image of its own: only the one without a tool falls back to a user
    // image, and a tool's button that has a user image keeps it.
    struct
    {
        const char* m_name;
        UINT m_uiCmd;
        BOOL m_bUserButton;
        BOOL m_bTool;
        BOOL m_bUserImage;
    } const cases[] = {
        {"tool", kFirstTool, FALSE, TRUE, FALSE},
        {"tool with a user image", kFirstTool, TRUE, TRUE, TRUE},
        {"free id of the tools' range", kFirstTool + 1, FALSE, FALSE, TRUE},
    };
    for (const auto& c : cases)
    {
        CKTToolbarButton button(c.m_uiCmd, -1, L"Notes");
        button.m_bUserButton = c.m_bUserButton;
        button.m_iUserImage = c.m_bUserButton ? 2 : -1;
        CTestAppearanceDlg dlg(&button, &m_userImages, nullptr);
        EXPECT_EQ(c.m_bTool ? pTool : nullptr, dlg.GetUserTool()) << c.m_name;
        EXPECT_EQ(c.m_bUserImage, dlg.IsUserImage()) << c.m_name;
    }

    CKTToolbarButton button(kFirstTool, -1, L"Notes");
    button.m_bImage = TRUE;
    button.m_bText = TRUE;
    CTestAppearanceDlg& dlg = Open(button);
    EXPECT_TRUE(Checked(CKTButtonAppearanceDlg::IDC_KT_DEFAULT_IMAGE));
    EXPECT_TRUE(Checked(CKTButtonAppearanceDlg::IDC_KT_IMAGE_AND_TEXT));
    EXPECT_FALSE(Enabled(CKTButtonAppearanceDlg::IDC_KT_BUTTON_TEXT)) << "the tool's text comes from the Tools page";
    EXPECT_TRUE(Enabled(CKTButtonAppearanceDlg::IDC_KT_DEFAULT_IMAGE));
    Click(CKTButtonAppearanceDlg::IDC_KT_TEXT_ONLY);
    EXPECT_TRUE(Enabled(CKTButtonAppearanceDlg::IDC_KT_DEFAULT_IMAGE)) << "a tool always has its icon";
    dlg.CheckRadioButton(CKTButtonAppearanceDlg::IDC_KT_IMAGE_ONLY, CKTButtonAppearanceDlg::IDC_KT_IMAGE_AND_TEXT,
                         CKTButtonAppearanceDlg::IDC_KT_IMAGE_ONLY);
    Click(CKTButtonAppearanceDlg::IDC_KT_IMAGE_ONLY);

    dlg.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpFor(100);
    CRect rectPreview = dlg.GetDefaultImageRect();
    dlg.ClientToScreen(&rectPreview);
    int nMismatches = -1;
    EXPECT_GT(CompareIconOnScreen(pTool->GetIcon(), rectPreview.TopLeft(), nMismatches), 20);
    EXPECT_EQ(0, nMismatches) << "the preview shows the tool's icon";
    SaveScreenshot(L"button_appearance_user_tool.bmp");

    Click(IDOK);
    EXPECT_TRUE(CustomizeTestApp().m_messageBoxes.empty()) << "a tool needs no image of the toolbars";
    EXPECT_FALSE(button.m_bUserButton);
    EXPECT_EQ(0, button.GetImage());
    EXPECT_TRUE(button.m_bImage);
    EXPECT_FALSE(button.m_bText);
    EXPECT_EQ(CString(L"Notes"), button.m_strText);
    m_pDlg->DestroyWindow();
    m_pDlg.reset();
}
} // namespace

namespace
{
// A frame with a toolbar of two buttons, the second without an image of its own.
class ButtonAppearanceFromToolbarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CKTButtonAppearanceDlg::Install();
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(
            m_pFrame->Create(nullptr, L"Appearance", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(60, 60, 460, 260)));
        ASSERT_TRUE(m_bar.Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR));
        m_bar.InsertButton(new CKTToolbarButton(kCmdWithImage, kDefaultImage, L"Save"));
        m_bar.InsertButton(new CKTToolbarButton(kCmdWithoutImage, -1, L"Go"));
        m_bar.GetButton(1)->m_bImage = FALSE;
        m_bar.GetButton(1)->m_bText = TRUE;
        m_bar.AdjustLayout();
        m_pFrame->RecalcLayout();
        ::SetForegroundWindow(m_pFrame->GetSafeHwnd());
        PumpFor(100);
    }
    void TearDown() override
    {
        CKTToolBar::SetCustomizeMode(FALSE);
        CKTToolBar::m_pfnButtonAppearance = nullptr;
        m_bar.DestroyWindow();
        m_pFrame->DestroyWindow();
        Pump();
    }

    CFrameWnd* m_pFrame = nullptr;
    CKTToolBar m_bar;
};
} // namespace

TEST_F(ButtonAppearanceFromToolbarTest, ButtonMenuOpensTheDialogInCustomizeMode)
{
    ASSERT_TRUE(CKTToolBar::SetCustomizeMode(TRUE));
    CRect rect;
    m_bar.GetItemRect(1, &rect);
    m_bar.ClientToScreen(&rect);
    HWND hDialog = nullptr;
    CString strCaption, strText;
    UserInput input;
    input.MoveTo(rect.CenterPoint()).Pause(100).RightDown().RightUp().Pause(400).Type(L"b").Pause(800);
    input.Call([&] {
        hDialog = ::FindWindowW(nullptr, L"Button Appearance");
        if (hDialog == nullptr)
            return;
        ::GetDlgItemTextW(hDialog, CKTButtonAppearanceDlg::IDC_KT_BUTTON_TEXT, strText.GetBuffer(64), 64);
        strText.ReleaseBuffer();
        ::CreateDirectoryW(L"screenshots", nullptr);
        CRect rectShot;
        ::GetWindowRect(hDialog, &rectShot);
        SaveScreenArea(L"screenshots\\button_appearance_from_toolbar.bmp", rectShot);
        // A new text, then OK.
        ::SetDlgItemTextW(hDialog, CKTButtonAppearanceDlg::IDC_KT_BUTTON_TEXT, L"Start");
    });
    input.Press(VK_RETURN).Pause(300);
    Play(input);
    ASSERT_TRUE(hDialog != nullptr) << "the dialog opened";
    EXPECT_EQ(CString(L"Go"), strText);
    EXPECT_FALSE(::IsWindow(hDialog));
    EXPECT_EQ(CString(L"Start"), m_bar.GetButton(1)->m_strText);
}

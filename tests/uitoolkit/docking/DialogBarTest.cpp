// The dialog bar: a dialog template's controls in a sizing bar, docked in a frame; the template's
// size decides while the bar is not sizable, the sizing bar's layout once it is.
#include "DialogBarTestIds.h"
#include "SizingFixture.h"

#include "tests/framework/windows/TestResource.h"

#include "uitoolkit/bars/KTCaptionBar.h"
#include "uitoolkit/bars/KTDialogBar.h"

namespace
{

const UINT kDialogBarId = 0xE870;

class DialogBarTest : public SizingTest
{
public:
    void SetUp() override
    {
        SizingTest::SetUp();
        ASSERT_TRUE(
            m_bar.Create(L"Find", m_pFrame, TRUE, IDD_TEST_DIALOGBAR, WS_CHILD | WS_VISIBLE | CBRS_TOP, kDialogBarId));
        m_bar.EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(&m_bar, AFX_IDW_DOCKBAR_TOP);
        Layout();
    }

    CKTDialogBar m_bar;
};

} // namespace

TEST_F(DialogBarTest, TheTemplatesControlsLiveInTheBar)
{
    EXPECT_EQ(m_bar.GetDlgCtrlID(), static_cast<int>(kDialogBarId));
    CString title;
    m_bar.GetWindowText(title);
    EXPECT_STREQ(title.GetString(), L"Find");
    EXPECT_NE(m_bar.GetDlgItem(IDC_TEST_EDIT), nullptr);
    EXPECT_NE(m_bar.GetDlgItem(IDC_TEST_BUTTON), nullptr);
    EXPECT_EQ(m_bar.GetStyle() & (WS_POPUP | WS_CAPTION), 0u) << "a child without a frame of its own";
    EXPECT_TRUE(m_bar.IsKindOf(RUNTIME_CLASS(CKTSizingControlBar)));
    EXPECT_NE(CKTSizingControlBar::FindBar(&m_bar), -1);

    // 160 x 24 dialog units in pixels.
    CRect rectUnits(0, 0, 160, 24);
    ::MapDialogRect(m_bar.m_hWnd, &rectUnits);
    EXPECT_EQ(m_bar.GetTemplateSize(), rectUnits.Size());

    // Typing reaches the edit control of the docked bar (handles, as temporary window objects go
    // at idle time).
    const HWND hEdit = m_bar.GetDlgItem(IDC_TEST_EDIT)->m_hWnd;
    CRect rectEdit;
    ::GetWindowRect(hEdit, &rectEdit);
    UserInput input;
    input.MoveTo(rectEdit.CenterPoint()).LeftDown().LeftUp().Pause(100).Type(L"kest");
    Play(input);
    wchar_t szTyped[16] = {};
    ::GetWindowTextW(hEdit, szTyped, 16);
    EXPECT_STREQ(szTyped, L"kest");
    EXPECT_EQ(::GetFocus(), hEdit);
}

TEST_F(DialogBarTest, NotSizableItKeepsTheTemplateSizeWithItsCaptionAndBorders)
{
    const CSize sizeTemplate = m_bar.GetTemplateSize();
    const int nCaption = m_bar.GetCaptionHeight();
    ASSERT_GT(nCaption, 0);
    EXPECT_EQ(m_bar.CalcFixedLayout(FALSE, TRUE).cx, sizeTemplate.cx + 10 + nCaption);
    const int cyTop = m_bar.CalcFixedLayout(FALSE, TRUE).cy;
    EXPECT_TRUE(cyTop == sizeTemplate.cy + 10 || cyTop == sizeTemplate.cy + 10 + 6) << cyTop;
    EXPECT_EQ(m_bar.CalcFixedLayout(TRUE, TRUE).cx, 32767 + 10 + nCaption) << "stretched along the side";
    CRect rect;
    m_bar.GetWindowRect(&rect);
    EXPECT_EQ(rect.Size(), m_bar.CalcFixedLayout(FALSE, TRUE)) << "docked at that size";

    m_pFrame->DockControlBar(&m_bar, AFX_IDW_DOCKBAR_LEFT);
    Layout();
    EXPECT_EQ(m_bar.CalcFixedLayout(FALSE, FALSE).cy, sizeTemplate.cy + 10 + nCaption);

    m_bar.SetSizable(TRUE);
    m_bar.SetVertSize(CSize(260, 120));
    EXPECT_EQ(m_bar.CalcFixedLayout(FALSE, FALSE).cx, 260) << "the sizing bar's own size";
}

TEST_F(DialogBarTest, ControlsFollowTheCommandHandlersOfTheFrame)
{
    CWnd* pButton = m_bar.GetDlgItem(IDC_TEST_BUTTON); // no message runs while it is used
    m_bar.OnUpdateCmdUI(m_pFrame, TRUE);
    EXPECT_FALSE(pButton->IsWindowEnabled()) << "no handler: disabled";
    // The application handles the probe command.
    pButton->SetDlgCtrlID(ID_TEST_PROBE);
    m_bar.OnUpdateCmdUI(m_pFrame, TRUE);
    EXPECT_TRUE(pButton->IsWindowEnabled());
}

TEST_F(DialogBarTest, AMissingTemplateMakesNoBar)
{
    CKTDialogBar missing;
    EXPECT_FALSE(missing.Create(L"None", m_pFrame, TRUE, IDD_TEST_MISSING, WS_CHILD | CBRS_TOP, kDialogBarId + 1));
    EXPECT_EQ(missing.m_hWnd, nullptr);
    EXPECT_FALSE(missing.Create(L"None", m_pFrame, TRUE, L"NoSuchDialog", WS_CHILD | CBRS_TOP, kDialogBarId + 1));
}

TEST_F(DialogBarTest, BesideACaptionBarInOneFrame)
{
    CKTCaptionBar caption;
    ASSERT_TRUE(caption.Create(WS_CHILD | WS_VISIBLE | CBRS_TOP, m_pFrame, 0xE881));
    caption.SetText(L"Type a word and press Go", CKTCaptionBar::ALIGN_LEFT);
    caption.SetButton(L"Options", 0x8124, CKTCaptionBar::ALIGN_RIGHT);
    Layout();
    m_pFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpAndIdle();
    CRect rectCaption;
    CRect rectBar;
    caption.GetWindowRect(&rectCaption);
    m_bar.GetWindowRect(&rectBar);
    CRect overlap;
    EXPECT_FALSE(overlap.IntersectRect(rectCaption, rectBar));
    SavePicture(L"dialog-bar.bmp");
}

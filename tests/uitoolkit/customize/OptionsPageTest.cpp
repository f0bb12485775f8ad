// The customize sheet's Options page in a real sheet: one table of check boxes to the options
// they switch at once, the controls that depend on others, the parts hidden by the program's
// set-up, and the usage reset that asks first.
#include "tests/uitoolkit/customize/CustomizeTestApp.h"
#include "tests/uitoolkit/customize/CustomizeTestSupport.h"
#include "uitoolkit/bars/KTMenuBar.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/customize/KTCmdUsageCount.h"
#include "uitoolkit/customize/KTOptionsPage.h"
#include "uitoolkit/customize/KTToolbarCustomize.h"
#include "uitoolkit/looks/KTVisualManager.h"

#include <functional>
#include <gtest/gtest.h>

namespace
{
const UINT IDC_SHOW_TOOLTIPS = 16651;
const UINT IDC_SHORTCUT_KEYS = 16652;
const UINT IDC_LARGE_ICONS = 16653;
const UINT IDC_LOOK2000 = 16654;
const UINT IDC_RECENTLY_USED = 16655;
const UINT IDC_SHOW_ALL_AFTER_DELAY = 16656;
const UINT IDC_RESET_USAGE = 16657;
const UINT IDC_PERSONALIZED_TITLE = 16538;
const UINT IDC_VISUALIZATIONS = 17001;

class OptionsPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::CreateDirectoryW(L"screenshots", nullptr);
        CustomizeTestApp().m_messageBoxes.clear();
        ASSERT_TRUE(m_frame.Create(nullptr, L"Options frame", WS_OVERLAPPEDWINDOW, CRect(40, 40, 600, 500)));
    }
    void TearDown() override
    {
        if (m_pSheet != nullptr && m_pSheet->GetSafeHwnd() != nullptr)
            m_pSheet->DestroyWindow();
        delete m_pSheet;
        m_frame.DestroyWindow();
        CustomizeTestApp().m_nAnswer = IDNO;
        CKTToolBar::m_bShowTooltips = TRUE;
        CKTToolBar::m_bShowShortcutKeys = TRUE;
        CKTMenuBar::SetRecentlyUsedMenus(TRUE);
        CKTMenuBar::SetShowAllCommandsAfterDelay(TRUE);
        CKTToolBar::SetLargeIcons(FALSE);
        CKTVisualManager::GetInstance()->SetLook2000(FALSE);
        Pump();
    }

    CKTOptionsPage* OpenOptions(UINT uiFlags)
    {
        m_pSheet = new CKTToolbarCustomize(&m_frame, FALSE, uiFlags);
        if (!m_pSheet->CPropertySheet::Create(&m_frame))
            return nullptr;
        m_pSheet->SetActivePage(m_pSheet->GetOptionsPage());
        m_pSheet->SetWindowPos(nullptr, 90, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        Pump();
        m_pPage = m_pSheet->GetOptionsPage();
        return m_pPage->GetSafeHwnd() != nullptr ? m_pPage : nullptr;
    }
    CWnd* Item(UINT nID) { return m_pPage->GetDlgItem(nID); }
    void Click(UINT nID)
    {
        CRect rect;
        Item(nID)->GetWindowRect(&rect);
        UserInput input;
        input.MoveTo({rect.left + 6, rect.CenterPoint().y}).LeftDown().LeftUp().Pause(100);
        Play(input);
    }

    CFrameWnd m_frame;
    CKTToolbarCustomize* m_pSheet = nullptr;
    CKTOptionsPage* m_pPage = nullptr;
};

TEST_F(OptionsPageTest, EachCheckBoxSwitchesItsOptionAtOnce)
{
    ASSERT_NE(nullptr, OpenOptions(0x2F));
    CRect rect;
    m_pSheet->GetWindowRect(&rect);
    SaveScreenArea(L"screenshots/options-page.bmp", rect);

    struct Case
    {
        UINT nID;
        std::function<BOOL()> option;
    };
    const Case cases[] = {
        {IDC_SHOW_TOOLTIPS, [] { return CKTToolBar::m_bShowTooltips; }},
        {IDC_SHORTCUT_KEYS, [] { return CKTToolBar::m_bShowShortcutKeys; }},
        {IDC_LARGE_ICONS, [] { return CKTToolBar::IsLargeIcons(); }},
        {IDC_LOOK2000, [] { return CKTVisualManager::GetInstance()->IsLook2000(); }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.nID);
        ASSERT_TRUE(Item(c.nID)->IsWindowVisible());
        const BOOL bBefore = c.option();
        EXPECT_EQ(bBefore ? BST_CHECKED : BST_UNCHECKED, m_pPage->IsDlgButtonChecked(c.nID));
        Click(c.nID);
        EXPECT_EQ(!bBefore, c.option());
        Click(c.nID);
        EXPECT_EQ(bBefore, c.option());
    }
    EXPECT_FALSE(Item(IDC_VISUALIZATIONS)->IsWindowVisible());
}

TEST_F(OptionsPageTest, ShortcutKeysWaitForScreenTips)
{
    CKTToolBar::m_bShowTooltips = FALSE;
    ASSERT_NE(nullptr, OpenOptions(0x2F));
    EXPECT_FALSE(Item(IDC_SHORTCUT_KEYS)->IsWindowEnabled());
    Click(IDC_SHOW_TOOLTIPS);
    EXPECT_TRUE(CKTToolBar::m_bShowTooltips);
    EXPECT_TRUE(Item(IDC_SHORTCUT_KEYS)->IsWindowEnabled());
}

TEST_F(OptionsPageTest, WithoutAMenuBarOrLook2000FlagThosePartsAreHidden)
{
    ASSERT_NE(nullptr, OpenOptions(0x2B));
    for (UINT nID :
         {IDC_RECENTLY_USED, IDC_SHOW_ALL_AFTER_DELAY, IDC_RESET_USAGE, IDC_PERSONALIZED_TITLE, IDC_LOOK2000})
    {
        SCOPED_TRACE(nID);
        EXPECT_FALSE(Item(nID)->IsWindowVisible());
        EXPECT_FALSE(Item(nID)->IsWindowEnabled());
    }
    EXPECT_FALSE(CKTToolbarCustomize::HasMenuBar(&m_frame));
}

TEST_F(OptionsPageTest, ResettingUsageDataAsksAndNoKeepsEveryCount)
{
    ASSERT_NE(nullptr, OpenOptions(0x2F));
    CKTCmdUsageCount& usage = CKTToolBar::GetUsageCount();
    const UINT uiCmd = 34777;
    usage.AddCmd(uiCmd);
    const UINT nCount = usage.GetCount(uiCmd);
    ASSERT_GT(nCount, 0u);

    CustomizeTestApp().m_nAnswer = IDNO;
    m_pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_RESET_USAGE, BN_CLICKED), 0);
    ASSERT_EQ(1u, CustomizeTestApp().m_messageBoxes.size());
    CString strQuestion;
    strQuestion.LoadString(16244);
    EXPECT_EQ(std::wstring((LPCTSTR)strQuestion), CustomizeTestApp().m_messageBoxes[0]);
    EXPECT_EQ(nCount, usage.GetCount(uiCmd));

    CustomizeTestApp().m_nAnswer = IDYES;
    m_pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_RESET_USAGE, BN_CLICKED), 0);
    EXPECT_EQ(0u, usage.GetCount(uiCmd));
}

} // namespace

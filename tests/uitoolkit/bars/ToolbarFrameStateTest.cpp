// A frame built as the program builds one: toolbars carrying every kind of button (plain, text
// only, separator, menu, edit box, combo box, drop-down group, the customize chevron) docked at
// the top and at the left, and a status bar with text, icon and progress panes. The user's
// changes to the bars and their visibility are saved through the workspace and loaded into a new
// frame built from the resources. Screenshots of the frame in each look, with large icons and with
// text labels.
#include "tests/uitoolkit/bars/ButtonsTestFrame.h"
#include "tests/uitoolkit/bars/StatusBarTestIds.h"
#include "uitoolkit/bars/KTDropDownToolBar.h"
#include "uitoolkit/bars/KTStatusBar.h"
#include "uitoolkit/bars/KTToolbarComboBoxButton.h"
#include "uitoolkit/bars/KTToolbarEditBoxButton.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/bars/KTToolbarSpecialButtons.h"
#include "uitoolkit/bars/KTWorkspace.h"
#include "uitoolkit/looks/KTRegistry.h"
#include "uitoolkit/looks/KTVisualManager2003.h"
#include "uitoolkit/looks/KTVisualManagerXP.h"
#include "uitoolkit/looks/KTWinXPVisualManager.h"

#include <sstream>
#include <string>

namespace
{
const wchar_t kSection[] = L"KestTests\\ToolbarFrameState";
const UINT kGroupBarId = AFX_IDW_TOOLBAR + 20;
const UINT kMainBarId = AFX_IDW_TOOLBAR;
// Not AFX_IDW_TOOLBAR + 1: that is the status bar's id.
const UINT kKindsBarId = AFX_IDW_TOOLBAR + 5;
const UINT kLeftBarId = AFX_IDW_TOOLBAR + 6;
const UINT kZoomCmd = ID_BUTTONS_ZOOM;
const UINT kFindCmd = ID_BUTTONS_ZOOM + 1;
const UINT kViewMenuCmd = ID_BUTTONS_ZOOM + 2;
const UINT kCustomizeCmd = ID_BUTTONS_LAST;

std::string Narrow(const CString& str)
{
    std::string s;
    for (int i = 0; i < str.GetLength(); i++)
        s += static_cast<char>(str[i] < 0x80 ? str[i] : '?');
    return s;
}

// Everything the user can tell about a bar's buttons, one line per button.
std::string Describe(const CKTToolBar& bar)
{
    std::ostringstream os;
    for (int i = 0; i < bar.GetCount(); i++)
    {
        const CKTToolbarButton* p = bar.GetButton(i);
        os << p->GetRuntimeClass()->m_lpszClassName << ' ' << p->m_nID;
        if (p->IsSeparator())
        {
            os << " |\n";
            continue;
        }
        os << " image " << p->m_bImage << " text " << p->m_bText << " \"" << Narrow(p->m_strText) << '"';
        if (const auto* pEdit = dynamic_cast<const CKTToolbarEditBoxButton*>(p))
            os << " contents \"" << Narrow(pEdit->GetContents()) << "\" width " << pEdit->GetWidth();
        if (const auto* pCombo = dynamic_cast<const CKTToolbarComboBoxButton*>(p))
        {
            os << " items";
            for (int j = 0; j < pCombo->GetCount(); j++)
                os << " " << Narrow(pCombo->GetItem(j));
            os << " selected " << pCombo->GetCurSel() << " width " << pCombo->GetWidth();
        }
        if (const auto* pDropDown = dynamic_cast<const CKTDropDownToolbarButton*>(p))
            os << " group " << Narrow(pDropDown->GetName()) << " of "
               << (pDropDown->GetToolBar() != nullptr ? pDropDown->GetToolBar()->GetDlgCtrlID() : 0);
        else if (const auto* pMenu = dynamic_cast<const CKTToolbarMenuButton*>(p))
            os << " items " << pMenu->GetCommands().GetCount();
        os << '\n';
    }
    return os.str();
}

class ToolbarFrameStateTest : public ButtonsWindowTest
{
protected:
    void SetUp() override
    {
        ButtonsWindowTest::SetUp();
        CKTRegistry(FALSE, FALSE).DeleteKey(GetRegistryPath(kSection));
        m_workspace.SetRegistryBase(kSection);
    }
    void TearDown() override
    {
        DestroyBars();
        ButtonsWindowTest::TearDown();
        CKTRegistry(FALSE, FALSE).DeleteKey(GetRegistryPath(kSection));
        CKTVisualManager::SetDefaultManager(nullptr);
    }

    // The frame's bars as the program's resources and start-up make them.
    void BuildBars()
    {
        ASSERT_TRUE(m_group->Create(m_pFrame, WS_CHILD | CBRS_TOP, kGroupBarId));
        ASSERT_TRUE(m_group->LoadToolBar(IDR_TEST_TOOLBAR));

        m_pMain = AddBar(CBRS_TOP, IDR_TEST_TOOLBAR, kMainBarId);
        m_pMain->SetWindowText(L"Standard");
        m_pKinds = AddBar(CBRS_TOP, IDR_TEST_TOOLBAR2, kKindsBarId);
        m_pKinds->SetWindowText(L"Kinds");
        HMENU hMenu = ::CreatePopupMenu();
        ::AppendMenuW(hMenu, MF_STRING, ID_TEST_OPEN, L"&Open");
        ::AppendMenuW(hMenu, MF_STRING, ID_TEST_PRINT, L"&Print");
        ASSERT_GE(m_pKinds->InsertButton(new CKTToolbarMenuButton(kViewMenuCmd, hMenu, -1, L"&View")), 0);
        ::DestroyMenu(hMenu);
        ASSERT_GE(m_pKinds->InsertButton(new CKTToolbarEditBoxButton(kFindCmd, -1, ES_AUTOHSCROLL, 60)), 0);
        auto* pZoom = new CKTToolbarComboBoxButton(kZoomCmd, -1, CBS_DROPDOWNLIST, 70);
        for (const wchar_t* item : {L"50%", L"100%", L"200%"})
            pZoom->AddItem(item);
        pZoom->SelectItem(1, FALSE);
        ASSERT_GE(m_pKinds->InsertButton(pZoom), 0);
        ASSERT_GE(m_pKinds->InsertButton(new CKTDropDownToolbarButton(L"Files", m_group.get())), 0);
        auto* pChevron = new CCustomizeButton(kCustomizeCmd, L"Customize...");
        ASSERT_GE(m_pKinds->InsertButton(pChevron), 0);
        m_pKinds->m_pCustomizeBtn = pChevron;
        m_pLeft = AddBar(CBRS_LEFT, IDR_TEST_TOOLBAR, kLeftBarId);
        m_pLeft->SetWindowText(L"Side");

        m_status = std::make_unique<CKTStatusBar>();
        ASSERT_TRUE(m_status->Create(m_pFrame));
        const UINT indicators[] = {ID_SEPARATOR, IDS_TEST_PAGE, IDS_TEST_CAP, IDS_TEST_NUM};
        ASSERT_TRUE(m_status->SetIndicators(indicators, 4));
        m_status->SetPaneText(0, L"Ready");
        m_status->SetPaneIcon(1, ::LoadIcon(nullptr, IDI_INFORMATION));
        m_status->EnablePaneProgressBar(2, 100);
        m_status->SetPaneProgress(2, 60);
        Relayout();
    }

    void DestroyBars()
    {
        m_bars.clear();
        m_pMain = m_pKinds = m_pLeft = nullptr;
        if (m_status != nullptr && m_status->GetSafeHwnd() != nullptr)
            m_status->DestroyWindow();
        m_status.reset();
        if (m_group->GetSafeHwnd() != nullptr)
            m_group->DestroyWindow();
        m_group = std::make_unique<CKTDropDownToolBar>();
    }

    // The frame goes and a new one is built from the resources, as at the next start.
    void RebuildFrame()
    {
        DestroyBars();
        m_pFrame->DestroyWindow();
        PumpAndIdle();
        m_pFrame = new CButtonsTestFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, L"Buttons", WS_OVERLAPPEDWINDOW | WS_VISIBLE, m_rectFrame));
        m_hFrame = m_pFrame->GetSafeHwnd();
        ::SetForegroundWindow(m_hFrame);
        BuildBars();
    }

    CKTWorkspace m_workspace;
    std::unique_ptr<CKTDropDownToolBar> m_group = std::make_unique<CKTDropDownToolBar>();
    std::unique_ptr<CKTStatusBar> m_status;
    CKTToolBar* m_pMain = nullptr;
    CKTToolBar* m_pKinds = nullptr;
    CKTToolBar* m_pLeft = nullptr;
};
} // namespace

TEST_F(ToolbarFrameStateTest, EveryButtonKindAndTheBarsSurviveASaveAndLoad)
{
    BuildBars();
    const std::string mainFromResource = Describe(*m_pMain);
    const std::string kindsFromResource = Describe(*m_pKinds);

    // The user's changes: Cut moved to the front and Save shown as text, the search text typed,
    // the edit widened, another zoom chosen, the side bar and the status bar hidden.
    CKTToolbarButton cut;
    cut.CopyFrom(*m_pMain->GetButton(4));
    ASSERT_TRUE(m_pMain->RemoveButton(4));
    ASSERT_EQ(0, m_pMain->InsertButton(cut, 0));
    CKTToolbarButton* pSave = m_pMain->GetButton(2);
    ASSERT_EQ(static_cast<UINT>(ID_TEST_SAVE), pSave->m_nID);
    pSave->m_bImage = FALSE;
    pSave->m_bText = TRUE;
    pSave->m_strText = L"Keep";
    auto* pFind = static_cast<CKTToolbarEditBoxButton*>(m_pKinds->GetButton(m_pKinds->CommandToIndex(kFindCmd)));
    pFind->SetContents(L"total");
    pFind->OnSize(90);
    auto* pZoom = static_cast<CKTToolbarComboBoxButton*>(m_pKinds->GetButton(m_pKinds->CommandToIndex(kZoomCmd)));
    pZoom->SelectItem(2, FALSE);
    m_pFrame->ShowControlBar(m_pLeft, FALSE, FALSE);
    m_pFrame->ShowControlBar(m_status.get(), FALSE, FALSE);
    Relayout();
    const std::string mainChanged = Describe(*m_pMain);
    const std::string kindsChanged = Describe(*m_pKinds);
    const std::string leftChanged = Describe(*m_pLeft);
    ASSERT_NE(mainFromResource, mainChanged);
    ASSERT_NE(kindsFromResource, kindsChanged);

    CKTWorkspaceFrame side(m_pFrame);
    ASSERT_TRUE(m_workspace.SaveFrameState(nullptr, &side));

    RebuildFrame();
    ASSERT_EQ(mainFromResource, Describe(*m_pMain)) << "a new frame starts from the resources";
    ASSERT_TRUE(m_pLeft->IsVisible());
    CKTWorkspaceFrame sideAgain(m_pFrame);
    ASSERT_TRUE(m_workspace.LoadFrameState(nullptr, &sideAgain));
    Relayout();

    EXPECT_EQ(mainChanged, Describe(*m_pMain));
    EXPECT_EQ(kindsChanged, Describe(*m_pKinds));
    EXPECT_EQ(leftChanged, Describe(*m_pLeft));
    CString strTitle;
    m_pKinds->GetWindowText(strTitle);
    EXPECT_EQ("Kinds", Narrow(strTitle));
    EXPECT_EQ(m_pKinds->GetCount() - 1, m_pKinds->ButtonToIndex(m_pKinds->m_pCustomizeBtn)) << "the chevron stays last";
    EXPECT_FALSE(m_pLeft->IsVisible());
    EXPECT_FALSE(m_status->IsVisible());
    EXPECT_TRUE(m_pMain->IsVisible());
    EXPECT_TRUE(m_pKinds->IsVisible());

    // The hosted controls show what was stored.
    pFind = static_cast<CKTToolbarEditBoxButton*>(m_pKinds->GetButton(m_pKinds->CommandToIndex(kFindCmd)));
    ASSERT_TRUE(pFind->GetHwnd() != nullptr);
    CString strShown;
    ::GetWindowTextW(pFind->GetHwnd(), strShown.GetBuffer(64), 64);
    strShown.ReleaseBuffer();
    EXPECT_EQ(CString(L"total"), strShown);
    pZoom = static_cast<CKTToolbarComboBoxButton*>(m_pKinds->GetButton(m_pKinds->CommandToIndex(kZoomCmd)));
    ASSERT_TRUE(pZoom->GetComboBox() != nullptr);
    EXPECT_EQ(2, pZoom->GetComboBox()->GetCurSel());
}

TEST_F(ToolbarFrameStateTest, ScreenshotsInEachLook)
{
    BuildBars();
    struct
    {
        const wchar_t* m_name;
        CRuntimeClass* m_pLook;
    } const looks[] = {{L"base", nullptr},
                       {L"xp", RUNTIME_CLASS(CKTVisualManagerXP)},
                       {L"2003", RUNTIME_CLASS(CKTVisualManager2003)},
                       {L"winxp", RUNTIME_CLASS(CKTWinXPVisualManager)}};
    for (const auto& look : looks)
    {
        CKTVisualManager::SetDefaultManager(look.m_pLook);
        Relayout();
        SaveScreenshot((std::wstring(L"frame_bars_") + look.m_name + L".bmp").c_str());
        EXPECT_TRUE(m_pKinds->IsVisible() && m_status->IsVisible());
    }
    CKTVisualManager::SetDefaultManager(nullptr);

    CKTToolBar::SetLargeIcons(TRUE);
    Relayout();
    SaveScreenshot(L"frame_bars_large.bmp");
    CRect rectOpen;
    m_pMain->GetItemRect(0, &rectOpen);
    EXPECT_GE(rectOpen.Height(), 2 * 15) << "large icons make the buttons taller";
    CKTToolBar::SetLargeIcons(FALSE);

    for (CKTToolBar* pBar : {m_pMain, m_pKinds, m_pLeft})
        pBar->EnableTextLabels(TRUE);
    Relayout();
    SaveScreenshot(L"frame_bars_labels.bmp");
    m_pMain->GetItemRect(0, &rectOpen);
    EXPECT_GT(rectOpen.Height(), 22) << "a label under the image";
}

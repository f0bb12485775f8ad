// The customize sheet's Toolbars and Menu pages on a toolkit frame in customize mode: toolbars
// shown and hidden from the check list (a bar that cannot be closed keeps its check), the user's
// own toolbars made, renamed and deleted through the frame's answers, the name dialog, menus of
// the templates and the frame put into the menu bar, a reset that reaches every document window,
// and menu options that take effect only when the sheet closes.
#include "tests/uitoolkit/customize/CustomizeTestApp.h"
#include "tests/uitoolkit/customize/CustomizeTestIds.h"
#include "tests/uitoolkit/customize/CustomizeTestSupport.h"
#include "tests/uitoolkit/customize/SheetTestFrame.h"
#include "uitoolkit/bars/KTMenuBar.h"
#include "uitoolkit/bars/KTMenuStore.h"
#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/customize/KTContextMenuManager.h"
#include "uitoolkit/customize/KTMenuPage.h"
#include "uitoolkit/customize/KTToolbarCustomize.h"
#include "uitoolkit/customize/KTToolbarsPage.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{
const UINT IDC_TOOLBAR_LIST = 16611;
const UINT IDC_NEW = 16615;
const UINT IDC_RENAME = 16616;
const UINT IDC_DELETE = 16617;
const UINT IDC_TOOLBAR_NAME = 16516;
const UINT IDC_MENU_SELECTOR = 16621;
const UINT IDC_CONTEXT_MENUS = 16622;
const UINT IDC_RESET_CONTEXT_MENU = 16623;
const UINT IDC_RESET_FRAME_MENU = 16624;
const UINT IDC_ANIMATION = 16625;
const UINT IDC_SHADOWS = 16626;
const UINT IDC_MENU_DESCRIPTION = 16506;

std::wstring Text(CWnd* pWnd)
{
    CString str;
    pWnd->GetWindowText(str);
    return (LPCTSTR)str;
}

// The Toolbars page's refusals, by sound type.
std::vector<UINT> g_beeps;
BOOL WINAPI RecordBeep(UINT uType)
{
    g_beeps.push_back(uType);
    return TRUE;
}

class SheetPagesTest : public SheetTest
{
protected:
    void SetUp() override
    {
        SheetTest::SetUp();
        g_beeps.clear();
        CKTToolbarsCheckList::m_pfnMessageBeep = &RecordBeep;
    }
    void TearDown() override
    {
        CKTToolbarsCheckList::m_pfnMessageBeep = &::MessageBeep;
        SheetTest::TearDown();
    }
    CKTToolbarsPage* OpenToolbars()
    {
        if (OpenSheet() == nullptr)
            return nullptr;
        m_pSheet->SetActivePage(m_pSheet->GetToolbarsPage());
        Settle();
        return m_pSheet->GetToolbarsPage();
    }
    CKTMenuPage* OpenMenuPage()
    {
        if (OpenSheet() == nullptr)
            return nullptr;
        m_pSheet->SetActivePage(m_pSheet->GetMenuPage());
        Settle();
        return m_pSheet->GetMenuPage();
    }
    // The screen point of a list item, on its check box or on its text.
    CPoint ItemPoint(CKTToolbarsPage* pPage, int nIndex, bool bOnCheck)
    {
        CKTToolbarsCheckList& list = pPage->GetToolbarList();
        CRect rect;
        list.GetItemRect(nIndex, &rect);
        list.ClientToScreen(&rect);
        return CPoint(bOnCheck ? rect.left + 6 : rect.left + 40, rect.CenterPoint().y);
    }
    void PressButton(CPropertyPage* pPage, UINT nID)
    {
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)pPage->GetDlgItem(nID)->GetSafeHwnd());
        Settle();
    }
    // Clicks the page's button, which opens the name dialog, and types the name into it.
    void NameThroughDialog(CPropertyPage* pPage, UINT nButton, const wchar_t* name)
    {
        CRect rect;
        pPage->GetDlgItem(nButton)->GetWindowRect(&rect);
        UserInput input;
        input.MoveTo(rect.CenterPoint()).LeftDown().LeftUp();
        // Keys go to the dialog only once it is there (a slow machine takes its time).
        input.Call([] {
            for (int i = 0; i < 200 && ::FindWindowW(L"#32770", L"Toolbar Name") == nullptr; ++i)
                ::Sleep(25);
        });
        input.Pause(200);
        input.Press(VK_END).Key(VK_SHIFT, true).Press(VK_HOME).Key(VK_SHIFT, false).Press(VK_DELETE);
        input.Type(name).Pause(100).Press(VK_RETURN).Pause(300);
        Play(input);
        Settle();
    }
};

TEST_F(SheetPagesTest, ListsTheFramesBarsWithTheirVisibilityAndUntitledOnes)
{
    CKTToolbarsPage* pPage = OpenToolbars();
    ASSERT_NE(nullptr, pPage);
    CKTToolbarsCheckList& list = pPage->GetToolbarList();
    struct Case
    {
        CKTToolBar* pBar;
        const wchar_t* text;
        BOOL bCheckEnabled;
    };
    const Case cases[] = {
        {&m_wndStandard, L"Standard", TRUE}, {&m_wndFormat, L"Format", FALSE}, {&m_wndUntitled, L"<Untitled>", TRUE}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::wstring(c.text));
        const int nIndex = pPage->FindToolbar(c.pBar);
        ASSERT_GE(nIndex, 0);
        CString strText;
        list.GetText(nIndex, strText);
        EXPECT_EQ(CString(c.text), strText);
        EXPECT_EQ(1, list.GetCheck(nIndex));
        EXPECT_EQ(c.bCheckEnabled, list.IsCheckEnabled(nIndex));
    }
    // Bars built from resources are neither renamed nor deleted.
    list.SetCurSel(pPage->FindToolbar(&m_wndStandard));
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TOOLBAR_LIST, LBN_SELCHANGE), (LPARAM)list.GetSafeHwnd());
    EXPECT_FALSE(pPage->GetDlgItem(IDC_RENAME)->IsWindowEnabled());
    EXPECT_FALSE(pPage->GetDlgItem(IDC_DELETE)->IsWindowEnabled());
    EXPECT_TRUE(pPage->GetDlgItem(16613)->IsWindowEnabled());
}

TEST_F(SheetPagesTest, ACheckHidesAndShowsItsBarButABarThatCannotCloseKeepsItsCheck)
{
    CKTToolbarsPage* pPage = OpenToolbars();
    ASSERT_NE(nullptr, pPage);
    CKTToolbarsCheckList& list = pPage->GetToolbarList();
    const int nStandard = pPage->FindToolbar(&m_wndStandard);
    UserInput hide;
    hide.MoveTo(ItemPoint(pPage, nStandard, true)).LeftDown().LeftUp().Pause(200);
    Play(hide);
    EXPECT_EQ(0, list.GetCheck(nStandard));
    EXPECT_FALSE(m_wndStandard.IsWindowVisible());
    EXPECT_TRUE(g_beeps.empty());
    SaveScreenshot(L"customize-toolbar-hidden.bmp");
    UserInput show;
    show.Press(VK_SPACE).Pause(200);
    Play(show);
    EXPECT_EQ(1, list.GetCheck(nStandard));
    EXPECT_TRUE(m_wndStandard.IsWindowVisible());

    struct Case
    {
        const char* what;
        int nClicks;
        bool bOnCheck;
        bool bSpace;
    };
    const Case cases[] = {
        {"a click on its check", 1, true, false}, {"Space", 0, false, true}, {"a double click", 2, false, false}};
    const int nFormat = pPage->FindToolbar(&m_wndFormat);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        list.SetCurSel(nFormat);
        list.SetCaretIndex(nFormat);
        g_beeps.clear();
        UserInput input;
        input.MoveTo(ItemPoint(pPage, nFormat, c.bOnCheck));
        for (int i = 0; i < c.nClicks; ++i)
            input.LeftDown().LeftUp();
        if (c.bSpace)
            input.Press(VK_SPACE);
        input.Pause(250);
        Play(input);
        EXPECT_EQ(1, list.GetCheck(nFormat));
        EXPECT_TRUE(m_wndFormat.IsWindowVisible());
        EXPECT_EQ((std::vector<UINT>{(UINT)-1}), g_beeps) << "one refusal, one beep";
    }
}

TEST_F(SheetPagesTest, NewRenameAndDeleteGoThroughTheFrame)
{
    CKTToolbarsPage* pPage = OpenToolbars();
    ASSERT_NE(nullptr, pPage);
    CKTToolbarsCheckList& list = pPage->GetToolbarList();
    const int nBefore = list.GetCount();

    // The frame refuses: nothing is listed, and the refusal sounds.
    m_pFrame->m_bRefuseToolbars = TRUE;
    NameThroughDialog(pPage, IDC_NEW, L"Refused");
    EXPECT_EQ(nBefore, list.GetCount());
    EXPECT_EQ((std::vector<UINT>{MB_ICONASTERISK}), g_beeps);
    m_pFrame->m_bRefuseToolbars = FALSE;

    NameThroughDialog(pPage, IDC_NEW, L"Mine");
    ASSERT_EQ(nBefore + 1, list.GetCount());
    CKTToolBar* pMine = pPage->GetSelectedToolbar();
    ASSERT_NE(nullptr, pMine);
    EXPECT_EQ(nBefore, list.GetCurSel());
    EXPECT_EQ(L"Mine", Text(pMine));
    EXPECT_EQ(1, list.GetCheck(nBefore));
    EXPECT_TRUE(CKTToolbarsPage::IsUserDefined(pMine));
    EXPECT_TRUE(pPage->GetDlgItem(IDC_RENAME)->IsWindowEnabled());
    EXPECT_TRUE(pPage->GetDlgItem(IDC_DELETE)->IsWindowEnabled());

    // Renamed, the bar goes to the end of the list; floating, its frame takes the name too.
    m_pFrame->FloatControlBar(pMine, CPoint(300, 300));
    Settle();
    ASSERT_TRUE(pMine->IsFloating());
    NameThroughDialog(pPage, IDC_RENAME, L"Ours");
    EXPECT_EQ(L"Ours", Text(pMine));
    CWnd* pMiniFrame = pMine->GetParentFrame();
    ASSERT_NE(nullptr, pMiniFrame);
    EXPECT_NE(static_cast<CWnd*>(m_pFrame), pMiniFrame);
    EXPECT_EQ(L"Ours", Text(pMiniFrame));
    ASSERT_NE(nullptr, pMine->m_pDockBar);
    EXPECT_EQ(L"Ours", Text(pMine->m_pDockBar));
    EXPECT_EQ(nBefore, pPage->FindToolbar(pMine));
    CString strItem;
    list.GetText(nBefore, strItem);
    EXPECT_EQ(CString(L"Ours"), strItem);

    struct Case
    {
        const char* what;
        BOOL bRefuse;
        int nAnswer;
        bool bGone;
        std::vector<UINT> beeps;
    };
    const Case cases[] = {{"the user says No", FALSE, IDNO, false, {}},
                          {"the frame refuses", TRUE, IDYES, false, {MB_ICONASTERISK}},
                          {"the frame deletes it", FALSE, IDYES, true, {}}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        list.SetCurSel(pPage->FindToolbar(pMine));
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TOOLBAR_LIST, LBN_SELCHANGE), (LPARAM)list.GetSafeHwnd());
        m_pFrame->m_bRefuseToolbars = c.bRefuse;
        CustomizeTestApp().m_nAnswer = c.nAnswer;
        CustomizeTestApp().m_messageBoxes.clear();
        g_beeps.clear();
        PressButton(pPage, IDC_DELETE);
        ASSERT_EQ(1u, CustomizeTestApp().m_messageBoxes.size());
        EXPECT_EQ(L"Do you really want to delete the toolbar 'Ours'?", CustomizeTestApp().m_messageBoxes[0]);
        EXPECT_EQ(c.bGone ? nBefore : nBefore + 1, list.GetCount());
        EXPECT_EQ(c.beeps, g_beeps);
    }
    m_pFrame->m_bRefuseToolbars = FALSE;
}

TEST_F(SheetPagesTest, TheNameDialogTakesNoEmptyName)
{
    CKTToolbarNameDlg dlg(m_pFrame);
    ASSERT_TRUE(dlg.Create(CKTToolbarNameDlg::IDD, m_pFrame));
    Settle();
    CWnd* pOK = dlg.GetDlgItem(IDOK);
    struct Case
    {
        const wchar_t* name;
        BOOL bEnabled;
    };
    for (const Case& c : {Case{L"", FALSE}, Case{L"Bar", TRUE}, Case{L"", FALSE}})
    {
        dlg.SetDlgItemText(IDC_TOOLBAR_NAME, c.name);
        EXPECT_EQ(c.bEnabled, pOK->IsWindowEnabled()) << std::wstring(c.name);
    }
    dlg.DestroyWindow();
}

TEST_F(SheetPagesTest, MenuPageListsEachTemplateOnceAndPutsTheChosenMenuIntoTheBar)
{
    CKTMenuPage* pPage = OpenMenuPage();
    ASSERT_NE(nullptr, pPage);
    CComboBox* pSelector = static_cast<CComboBox*>(pPage->GetDlgItem(IDC_MENU_SELECTOR));
    std::vector<std::wstring> names;
    for (int i = 0; i < pSelector->GetCount(); ++i)
    {
        CString str;
        pSelector->GetLBText(i, str);
        names.push_back((LPCTSTR)str);
    }
    EXPECT_EQ((std::vector<std::wstring>{L"Work file", L"Table layout", L"Default Menu"}), names);
    EXPECT_EQ(2, pSelector->GetCurSel());
    const HMENU hDefault = m_wndMenuBar.GetMenu();
    // Without a context menu manager the context part is hidden.
    EXPECT_FALSE(pPage->GetDlgItem(IDC_CONTEXT_MENUS)->IsWindowVisible());

    pSelector->SetCurSel(0);
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MENU_SELECTOR, CBN_SELCHANGE), (LPARAM)pSelector->GetSafeHwnd());
    Settle();
    EXPECT_EQ(m_templates[0]->m_hMenuShared, m_wndMenuBar.GetMenu());
    EXPECT_EQ(L"Kest work file", Text(pPage->GetDlgItem(IDC_MENU_DESCRIPTION)));
    SaveScreenshot(L"customize-menu-template.bmp");

    // Closing the sheet gives the bar its menu back.
    CloseSheet();
    EXPECT_EQ(hDefault, m_wndMenuBar.GetMenu());
}

TEST_F(SheetPagesTest, AContextMenuManagerWithoutMenusLeavesItsListDisabled)
{
    CKTContextMenuManager manager;
    CKTMenuPage* pPage = OpenMenuPage();
    ASSERT_NE(nullptr, pPage);
    CComboBox* pContext = static_cast<CComboBox*>(pPage->GetDlgItem(IDC_CONTEXT_MENUS));
    EXPECT_TRUE(pContext->IsWindowVisible());
    EXPECT_FALSE(pContext->IsWindowEnabled());
    EXPECT_EQ(1, pContext->GetCount());
    CloseSheet();
}

TEST_F(SheetPagesTest, ResettingATemplateMenuReachesEveryDocumentWindow)
{
    CFrameWnd* pFirst = OpenDocument(m_templates[0].get());
    CFrameWnd* pSecond = OpenDocument(m_templates[0].get());
    ASSERT_NE(nullptr, pFirst);
    ASSERT_NE(nullptr, pSecond);
    const HMENU hOld = m_templates[0]->m_hMenuShared;
    CKTMenuPage* pPage = OpenMenuPage();
    ASSERT_NE(nullptr, pPage);
    CComboBox* pSelector = static_cast<CComboBox*>(pPage->GetDlgItem(IDC_MENU_SELECTOR));
    pSelector->SetCurSel(0);
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MENU_SELECTOR, CBN_SELCHANGE), (LPARAM)pSelector->GetSafeHwnd());
    Settle();

    CustomizeTestApp().m_nAnswer = IDYES;
    CustomizeTestApp().m_messageBoxes.clear();
    PressButton(pPage, IDC_RESET_FRAME_MENU);
    ASSERT_EQ(1u, CustomizeTestApp().m_messageBoxes.size());
    EXPECT_EQ(L"All your changes will be lost! Do you really want to reset the menu 'Work file'?",
              CustomizeTestApp().m_messageBoxes[0]);
    const HMENU hNew = m_templates[0]->m_hMenuShared;
    EXPECT_NE(hOld, hNew);
    EXPECT_TRUE(::IsMenu(hNew));
    EXPECT_EQ(hNew, m_wndMenuBar.GetMenu());
    for (CFrameWnd* pChild : {pFirst, pSecond})
        EXPECT_EQ(hNew, static_cast<CMDIChildWnd*>(pChild)->m_hMenuShared);
    EXPECT_EQ((std::vector<UINT>{IDR_SHEET_DOC}), m_pFrame->m_resetMenus);
    CloseSheet();
}

TEST_F(SheetPagesTest, AnimationAndShadowsTakeEffectOnlyWhenTheSheetCloses)
{
    const int nOldAnimation = CKTPopupMenu::GetAnimationType();
    const BOOL bOldShadows = CKTToolBar::m_bMenuShadows;
    CKTMenuPage* pPage = OpenMenuPage();
    ASSERT_NE(nullptr, pPage);
    CComboBox* pAnimation = static_cast<CComboBox*>(pPage->GetDlgItem(IDC_ANIMATION));
    ASSERT_EQ(4, pAnimation->GetCount());
    CString strFade;
    pAnimation->GetLBText(3, strFade);
    EXPECT_EQ(CString(L"Fade"), strFade);
    pAnimation->SetCurSel(CKTPopupMenu::ANIMATION_FADE);
    pPage->CheckDlgButton(IDC_SHADOWS, bOldShadows ? BST_UNCHECKED : BST_CHECKED);
    Settle();
    EXPECT_EQ(nOldAnimation, CKTPopupMenu::GetAnimationType());
    EXPECT_EQ(bOldShadows, CKTToolBar::m_bMenuShadows);

    CloseSheet();
    EXPECT_EQ((int)CKTPopupMenu::ANIMATION_FADE, CKTPopupMenu::GetAnimationType());
    EXPECT_EQ(!bOldShadows, CKTToolBar::m_bMenuShadows);
    CKTPopupMenu::SetAnimationType(nOldAnimation);
    CKTToolBar::m_nMenuAnimation = nOldAnimation;
    CKTToolBar::m_bMenuShadows = bOldShadows;
}

TEST_F(SheetPagesTest, ABarShownOrHiddenElsewhereMovesItsCheck)
{
    CKTToolbarsPage* pPage = OpenToolbars();
    ASSERT_NE(nullptr, pPage);
    CKTToolbarsCheckList& list = pPage->GetToolbarList();
    const int nStandard = pPage->FindToolbar(&m_wndStandard);
    for (BOOL bShow : {FALSE, TRUE})
    {
        m_pFrame->ShowControlBar(&m_wndStandard, bShow, FALSE);
        Settle();
        EXPECT_EQ(bShow ? 1 : 0, list.GetCheck(nStandard)) << bShow;
    }
}

} // namespace

TEST_F(SheetPagesTest, ADocumentSwitchWhileTheMenuPageIsOpenShowsTheNewDocumentsMenuThere)
{
    CFrameWnd* pWork = OpenDocument(m_templates[0].get());
    ASSERT_NE(nullptr, pWork);
    CKTMenuPage* pPage = OpenMenuPage();
    ASSERT_NE(nullptr, pPage);
    CComboBox* pSelector = static_cast<CComboBox*>(pPage->GetDlgItem(IDC_MENU_SELECTOR));
    ASSERT_EQ(0, pSelector->GetCurSel()) << "the active document's menu";

    // The documents change under the open sheet: each switch reaches the page.
    struct Step
    {
        const char* name;
        std::function<void()> act;
        int iSelected;
        std::wstring description;
    };
    CFrameWnd* pLayout = nullptr;
    const std::vector<Step> steps = {
        {"a layout opens", [&] { pLayout = OpenDocument(m_templates[1].get()); }, 1, L"Kest table layout"},
        {"the layout closes", [&] { pLayout->DestroyWindow(); }, 0, L"Kest work file"},
        {"the last document closes", [&] { pWork->DestroyWindow(); }, 2,
         L"Default application menu. Appears when no documents are open."},
    };
    for (const Step& step : steps)
    {
        step.act();
        Settle();
        EXPECT_EQ(step.iSelected, pSelector->GetCurSel()) << step.name;
        EXPECT_EQ(step.description, Text(pPage->GetDlgItem(IDC_MENU_DESCRIPTION))) << step.name;
        EXPECT_EQ(pPage->GetShownMenu(), m_wndMenuBar.GetMenu()) << step.name;
    }
    CloseSheet();
}

TEST_F(SheetPagesTest, AnEditedContextMenuClosedByTheUserIsStoredAndTheListGoesBack)
{
    CKTContextMenuManager manager;
    ASSERT_TRUE(manager.AddMenu(L"Page", IDR_TEST_CONTEXT));
    CKTMenuPage* pPage = OpenMenuPage();
    ASSERT_NE(nullptr, pPage);
    CComboBox* pContext = static_cast<CComboBox*>(pPage->GetDlgItem(IDC_CONTEXT_MENUS));
    ASSERT_EQ(2, pContext->GetCount());
    pContext->SetCurSel(1);
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CONTEXT_MENUS, CBN_SELCHANGE), (LPARAM)pContext->GetSafeHwnd());
    Settle();
    CKTPopupMenu* pPopup = pPage->GetContextMenu();
    ASSERT_NE(nullptr, pPopup);
    const HMENU hShown = pPopup->GetHMenu();
    EXPECT_EQ(L"Page", Text(pPopup));
    EXPECT_TRUE(pPage->GetDlgItem(IDC_RESET_CONTEXT_MENU)->IsWindowEnabled());
    pPopup->SetWindowPos(nullptr, 130, 110, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    CKTMenuFileStore::Get().RemoveMenu(CKTMenuFileStore::MenuId(hShown));

    // Closed from its own caption: the page stores it and is ready for the next one.
    pPopup->SendMessage(WM_SYSCOMMAND, SC_CLOSE);
    Settle();
    EXPECT_EQ(nullptr, pPage->GetContextMenu());
    EXPECT_EQ(0, pContext->GetCurSel());
    EXPECT_FALSE(pPage->GetDlgItem(IDC_RESET_CONTEXT_MENU)->IsWindowEnabled());
    EXPECT_TRUE(CKTMenuFileStore::Get().HasMenu(CKTMenuFileStore::MenuId(hShown))) << "the edited items are kept";
    EXPECT_EQ(CPoint(130, 110), CKTMenuPage::s_ptContextMenu) << "the next one opens where this one was";
    EXPECT_TRUE(::IsMenu(hShown)) << "the manager's menu stays";
    CloseSheet();
    CKTMenuPage::s_ptContextMenu = CPoint(100, 100);
}

TEST_F(SheetPagesTest, ChoosingAnotherContextMenuOrResettingOneShowsItInPlaceOfTheOpenOne)
{
    CKTContextMenuManager manager;
    ASSERT_TRUE(manager.AddMenu(L"Page", IDR_TEST_CONTEXT));
    ASSERT_TRUE(manager.AddMenu(L"Work", IDR_SHEET_DOC));
    CKTMenuPage* pPage = OpenMenuPage();
    ASSERT_NE(nullptr, pPage);
    CComboBox* pContext = static_cast<CComboBox*>(pPage->GetDlgItem(IDC_CONTEXT_MENUS));
    ASSERT_EQ(3, pContext->GetCount());
    auto choose = [&](int nIndex) {
        pContext->SetCurSel(nIndex);
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CONTEXT_MENUS, CBN_SELCHANGE), (LPARAM)pContext->GetSafeHwnd());
        Settle();
    };
    const int nPage = pContext->FindStringExact(0, L"Page");
    const int nWork = pContext->FindStringExact(0, L"Work");
    ASSERT_GT(nPage, 0);
    ASSERT_GT(nWork, 0);

    // The open menu closes as the page's own doing: the choice stands and the new menu opens.
    choose(nPage);
    ASSERT_NE(nullptr, pPage->GetContextMenu());
    choose(nWork);
    CKTPopupMenu* pWork = pPage->GetContextMenu();
    ASSERT_NE(nullptr, pWork) << "the chosen menu opens";
    EXPECT_EQ(L"Work", Text(pWork));
    EXPECT_EQ(nWork, pContext->GetCurSel());
    EXPECT_TRUE(pPage->GetDlgItem(IDC_RESET_CONTEXT_MENU)->IsWindowEnabled());

    // A reset stores the reset items and opens the menu again.
    CustomizeTestApp().m_nAnswer = IDYES;
    CustomizeTestApp().m_messageBoxes.clear();
    PressButton(pPage, IDC_RESET_CONTEXT_MENU);
    ASSERT_EQ(1u, CustomizeTestApp().m_messageBoxes.size());
    EXPECT_EQ(L"All your changes will be lost! Do you really want to reset the menu 'Work'?",
              CustomizeTestApp().m_messageBoxes[0]);
    CKTPopupMenu* pReset = pPage->GetContextMenu();
    ASSERT_NE(nullptr, pReset) << "the reset menu opens again";
    EXPECT_EQ(L"Work", Text(pReset));
    EXPECT_EQ(nWork, pContext->GetCurSel());
    EXPECT_TRUE(pPage->GetDlgItem(IDC_RESET_CONTEXT_MENU)->IsWindowEnabled());

    // The dashes close the open menu and open none.
    const HWND hReset = pReset->GetSafeHwnd();
    choose(0);
    EXPECT_FALSE(::IsWindow(hReset));
    EXPECT_EQ(nullptr, pPage->GetContextMenu());
    EXPECT_EQ(0, pContext->GetCurSel());
    EXPECT_FALSE(pPage->GetDlgItem(IDC_RESET_CONTEXT_MENU)->IsWindowEnabled());
    CloseSheet();
    CKTMenuPage::s_ptContextMenu = CPoint(100, 100);
}

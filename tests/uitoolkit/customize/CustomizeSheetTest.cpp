// The customize sheet on a toolkit frame, as the user meets it: the pages it shows for the
// managers present, customize mode entered with the sheet and left with its "Close" button, the
// button layout and help, the Commands page over the catalogue built from the frame's and the
// templates' menus, and a picture of the frame in customize mode with each page.
#include "tests/uitoolkit/customize/CustomizeTestApp.h"
#include "tests/uitoolkit/customize/CustomizeTestIds.h"
#include "tests/uitoolkit/customize/CustomizeTestSupport.h"
#include "tests/uitoolkit/customize/SheetTestFrame.h"
#include "uitoolkit/bars/KTMenuBar.h"
#include "uitoolkit/bars/KTSizingControlBar.h"
#include "uitoolkit/bars/KTToolbarButton.h"
#include "uitoolkit/bars/KTWorkspace.h"
#include "uitoolkit/customize/KTContextMenuManager.h"
#include "uitoolkit/customize/KTCustomizePage.h"
#include "uitoolkit/customize/KTKeyboardManager.h"
#include "uitoolkit/customize/KTKeyboardPage.h"
#include "uitoolkit/customize/KTMenuPage.h"
#include "uitoolkit/customize/KTOptionsPage.h"
#include "uitoolkit/customize/KTToolbarCustomize.h"
#include "uitoolkit/customize/KTToolbarsPage.h"
#include "uitoolkit/looks/KTVisualManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{
const UINT IDC_CATEGORY = 16601;
const UINT IDC_COMMANDS = 16602;
const UINT IDC_DESCRIPTION = 16603;

CPropertyPage* NewEmptyPage()
{
    return new CPropertyPage;
}
BOOL ManagerExists()
{
    return TRUE;
}

std::vector<std::wstring> ListTexts(CWnd* pList)
{
    std::vector<std::wstring> texts;
    const int nCount = (int)pList->SendMessage(LB_GETCOUNT);
    for (int i = 0; i < nCount; ++i)
    {
        wchar_t sz[256] = {};
        if (pList->SendMessage(LB_GETTEXTLEN, (WPARAM)i) < 255)
            pList->SendMessage(LB_GETTEXT, (WPARAM)i, (LPARAM)sz);
        texts.push_back(sz);
    }
    return texts;
}

std::wstring Text(CWnd* pWnd)
{
    CString str;
    pWnd->GetWindowText(str);
    return (LPCTSTR)str;
}

TEST_F(SheetTest, PagesFollowTheManagersPresentAndOptionsComeLast)
{
    struct Case
    {
        const char* what;
        bool bKeyboard;
        bool bContextMenus;
        bool bToolsAndMouse;
        bool bMenuBarFrame;
        int nPages;
    };
    // Commands, Toolbars, [Tools], [Keyboard], [Menu], [Mouse], Options.
    const Case cases[] = {
        {"a frame with a menu bar", false, false, false, true, 4},
        {"and a keyboard manager", true, false, false, true, 5},
        {"and the tools and mouse managers", true, false, true, true, 7},
        {"a plain frame", false, false, false, false, 3},
        {"a plain frame with context menus", false, true, false, false, 4},
    };
    CFrameWnd plainFrame;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        std::unique_ptr<CKTKeyboardManager> pKeyboard(c.bKeyboard ? new CKTKeyboardManager : nullptr);
        std::unique_ptr<CKTContextMenuManager> pContextMenus(c.bContextMenus ? new CKTContextMenuManager : nullptr);
        if (c.bToolsAndMouse)
        {
            CKTToolbarCustomize::s_ToolsPage = {&NewEmptyPage, &ManagerExists};
            CKTToolbarCustomize::s_MousePage = {&NewEmptyPage, &ManagerExists};
        }
        CKTToolbarCustomize sheet(c.bMenuBarFrame ? static_cast<CFrameWnd*>(m_pFrame) : &plainFrame, TRUE, 0x2F);
        CKTToolbarCustomize::s_ToolsPage = {nullptr, nullptr};
        CKTToolbarCustomize::s_MousePage = {nullptr, nullptr};

        std::vector<CPropertyPage*> expected = {sheet.GetCommandsPage(), sheet.GetToolbarsPage()};
        if (c.bToolsAndMouse)
            expected.push_back(sheet.GetToolsPage());
        if (c.bKeyboard && c.bMenuBarFrame)
            expected.push_back(sheet.GetKeyboardPage());
        if (c.bMenuBarFrame || c.bContextMenus)
            expected.push_back(sheet.GetMenuPage());
        if (c.bToolsAndMouse)
            expected.push_back(sheet.GetMousePage());
        expected.push_back(sheet.GetOptionsPage());
        ASSERT_EQ(c.nPages, (int)expected.size());
        std::vector<CPropertyPage*> pages;
        for (int i = 0; i < sheet.GetPageCount(); ++i)
            pages.push_back(sheet.GetPage(i));
        EXPECT_EQ(expected, pages);
    }
}

TEST_F(SheetTest, CustomizeModeComesWithTheSheetAndGoesWithItsCloseButton)
{
    ASSERT_FALSE(CKTToolBar::IsCustomizeMode());
    CWnd* pMDIClient = CWnd::FromHandle(m_pFrame->m_hWndMDIClient);
    ASSERT_NE(nullptr, OpenSheet());
    EXPECT_EQ(m_pSheet, CKTToolbarCustomize::GetOpenSheet());
    EXPECT_TRUE(CKTToolBar::IsCustomizeMode());
    EXPECT_FALSE(m_pFrame->m_wndPlain.IsWindowEnabled());
    EXPECT_FALSE(pMDIClient->IsWindowEnabled());
    for (CWnd* pBar : std::vector<CWnd*>{&m_wndMenuBar, &m_wndStandard, &m_wndFormat})
        EXPECT_TRUE(pBar->IsWindowEnabled());
    EXPECT_EQ((std::vector<WPARAM>{TRUE}), m_pFrame->m_customizeFlags);
    // The children were disabled before the frame heard of it.
    EXPECT_EQ((std::vector<BOOL>{FALSE}), m_pFrame->m_childEnabledAtMessage);
    SaveScreenshot(L"customize-commands.bmp");

    ClickItem(m_pSheet->GetDlgItem(IDCANCEL));
    EXPECT_FALSE(::IsWindow(m_hSheet));
    EXPECT_EQ(nullptr, CKTToolbarCustomize::GetOpenSheet());
    EXPECT_FALSE(CKTToolBar::IsCustomizeMode());
    EXPECT_TRUE(m_pFrame->m_wndPlain.IsWindowEnabled());
    EXPECT_TRUE(pMDIClient->IsWindowEnabled());
    EXPECT_EQ((std::vector<WPARAM>{TRUE, FALSE}), m_pFrame->m_customizeFlags);
    m_hSheet = nullptr;
}

// A sizing bar that records what customize mode tells it.
class CRecordingSizingBar : public CKTSizingControlBar
{
public:
    std::vector<BOOL> m_calls;
    void DisableChildWindows(BOOL bDisable) override
    {
        m_calls.push_back(bDisable);
        CKTSizingControlBar::DisableChildWindows(bDisable);
    }
};

TEST_F(SheetTest, SizingBarsAreToldOfCustomizeModeAndDisableTheirOwnContents)
{
    CRecordingSizingBar bar;
    ASSERT_TRUE(bar.Create(L"Pane", m_pFrame, CSize(120, 100), TRUE, 4160, WS_CHILD | WS_VISIBLE | CBRS_LEFT));
    CEdit inner;
    ASSERT_TRUE(inner.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(4, 24, 100, 44), &bar, 1));
    bar.EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(&bar);
    m_pFrame->RecalcLayout();
    Settle();

    ASSERT_NE(nullptr, OpenSheet());
    EXPECT_EQ((std::vector<BOOL>{TRUE}), bar.m_calls);
    EXPECT_FALSE(inner.IsWindowEnabled());
    EXPECT_TRUE(bar.IsWindowEnabled()) << "the bar itself can still be moved";
    CloseSheet();
    EXPECT_EQ((std::vector<BOOL>{TRUE, FALSE}), bar.m_calls);
    EXPECT_TRUE(inner.IsWindowEnabled());
    bar.DestroyWindow();
}

TEST_F(SheetTest, WithoutAMenuOfItsOwnTheFrameLendsItsMenuBarsDefaultMenu)
{
    ASSERT_NE(nullptr, m_wndMenuBar.GetDefaultMenu());
    const HMENU hOwn = m_pFrame->m_hMenuDefault;
    m_pFrame->m_hMenuDefault = nullptr;
    std::vector<UINT> all;
    bool bWindowCategory = false;
    {
        CKTToolbarCustomize sheet(m_pFrame, TRUE);
        const CObList* pAll = sheet.GetCategoryButtons(sheet.GetAllCommandsCategory());
        for (POSITION pos = pAll != nullptr ? pAll->GetHeadPosition() : nullptr; pos != nullptr;)
            all.push_back(static_cast<const CKTToolbarButton*>(pAll->GetNext(pos))->m_nID);
        bWindowCategory = sheet.GetCategoryButtons(L"Window") != nullptr;
    }
    m_pFrame->m_hMenuDefault = hOwn;
    // Open and the Window menu stand only in the frame's menu.
    EXPECT_NE(all.end(), std::find(all.begin(), all.end(), (UINT)ID_SHEET_OPEN));
    EXPECT_TRUE(bWindowCategory);
}

TEST_F(SheetTest, Look2000SwitchedOnTheOptionsPageRepaintsTheBarsInTheOtherLook)
{
    ASSERT_TRUE(CKTVisualManager::SetDefaultManager(nullptr));
    CKTVisualManager::GetInstance()->SetLook2000(FALSE);
    // The gripper is what the 2000 look draws otherwise (one line instead of two).
    m_wndStandard.SetBarStyle(m_wndStandard.GetBarStyle() | CBRS_GRIPPER);
    m_pFrame->RecalcLayout();
    Settle();
    ASSERT_NE(nullptr, OpenSheet());
    m_pSheet->SetActivePage(m_pSheet->GetOptionsPage());
    Settle();
    CWnd* pLook2000 = PageItem(m_pSheet->GetOptionsPage(), 16654);
    ASSERT_NE(nullptr, pLook2000);
    ASSERT_TRUE(pLook2000->IsWindowVisible());
    CRect rectBar;
    m_wndStandard.GetWindowRect(&rectBar);
    const auto barPixels = [&] {
        Settle();
        std::vector<COLORREF> pixels;
        for (int y = rectBar.top; y < rectBar.bottom; ++y)
            for (int x = rectBar.left; x < rectBar.left + 12; ++x)
                pixels.push_back(ScreenPixel({x, y}));
        return pixels;
    };
    const std::vector<COLORREF> before = barPixels();

    ClickItem(pLook2000, CPoint(6, 5));
    EXPECT_TRUE(CKTVisualManager::GetInstance()->IsLook2000());
    const std::vector<COLORREF> look2000 = barPixels();
    EXPECT_NE(before, look2000) << "the gripper is drawn again with one line";
    SaveScreenshot(L"customize-options-look2000.bmp");

    ClickItem(pLook2000, CPoint(6, 5));
    EXPECT_FALSE(CKTVisualManager::GetInstance()->IsLook2000());
    EXPECT_EQ(before, barPixels()) << "the two-line gripper again";
    CloseSheet();
}

TEST_F(SheetTest, CloseTakesTheStandardButtonsPlaceAndHelpStandsLeft)
{
    struct Case
    {
        UINT uiFlags;
        bool bHelp;
    };
    for (const Case& c : {Case{0x2F, true}, Case{0x3F, false}})
    {
        SCOPED_TRACE(c.uiFlags);
        ASSERT_NE(nullptr, OpenSheet(c.uiFlags));
        CWnd* pClose = m_pSheet->GetDlgItem(IDCANCEL);
        ASSERT_NE(nullptr, pClose);
        EXPECT_TRUE(pClose->IsWindowVisible());
        EXPECT_TRUE(pClose->IsWindowEnabled());
        EXPECT_EQ(L"Close", Text(pClose));
        EXPECT_EQ((DWORD)BS_DEFPUSHBUTTON, pClose->GetStyle() & 0x0F);
        CWnd* pOK = m_pSheet->GetDlgItem(IDOK);
        EXPECT_TRUE(pOK == nullptr || !pOK->IsWindowVisible());

        CRect rectClient;
        m_pSheet->GetClientRect(&rectClient);
        CRect rectClose;
        pClose->GetWindowRect(&rectClose);
        m_pSheet->ScreenToClient(&rectClose);
        EXPECT_EQ(rectClient.right - 8, rectClose.right);
        // The sheet grew by the button's height and 16 pixels; the button sits 4 below its former top.
        EXPECT_EQ(rectClient.bottom - 12, rectClose.bottom);

        CWnd* pHelp = m_pSheet->GetDlgItem(IDHELP);
        if (c.bHelp)
        {
            ASSERT_NE(nullptr, pHelp);
            EXPECT_TRUE(pHelp->IsWindowVisible());
            CRect rectHelp;
            pHelp->GetWindowRect(&rectHelp);
            m_pSheet->ScreenToClient(&rectHelp);
            EXPECT_EQ(8, rectHelp.left);
            EXPECT_EQ(rectClose.top - 4, rectHelp.top);
            EXPECT_EQ(CSize(24, 24), rectHelp.Size());
            // The bitmap's silver takes the button face; its "?" stays black.
            Settle();
            CRect rectFace;
            pHelp->GetWindowRect(&rectFace);
            rectFace.DeflateRect(3, 3);
            const COLORREF clrFace = ::GetSysColor(COLOR_3DFACE);
            int nFace = 0, nBlack = 0, nSilver = 0;
            for (int y = rectFace.top; y < rectFace.bottom; ++y)
            {
                for (int x = rectFace.left; x < rectFace.right; ++x)
                {
                    const COLORREF clr = ScreenPixel({x, y});
                    nFace += clr == clrFace ? 1 : 0;
                    nBlack += clr == RGB(0, 0, 0) ? 1 : 0;
                    nSilver += clr == RGB(192, 192, 192) && clrFace != RGB(192, 192, 192) ? 1 : 0;
                }
            }
            EXPECT_EQ(0, nSilver);
            EXPECT_GT(nFace, rectFace.Width() * rectFace.Height() / 2);
            EXPECT_GT(nBlack, 20);

            m_pFrame->m_helpPages.clear();
            m_pSheet->SetActivePage(1);
            ClickItem(pHelp);
            EXPECT_EQ((std::vector<int>{1}), m_pFrame->m_helpPages);
        }
        else if (pHelp != nullptr)
        {
            EXPECT_FALSE(pHelp->IsWindowVisible());
            EXPECT_FALSE(pHelp->IsWindowEnabled());
        }
        CloseSheet();
    }
}

TEST_F(SheetTest, ContextHelpComesWithItsFlagAndOtherHelpGoesToTheFrame)
{
    struct Case
    {
        UINT uiFlags;
        bool bContextHelp;
    };
    for (const Case& c : {Case{0x2F, true}, Case{0x0F, false}})
    {
        SCOPED_TRACE(c.uiFlags);
        ASSERT_NE(nullptr, OpenSheet(c.uiFlags));
        EXPECT_EQ(c.bContextHelp, (m_pSheet->GetExStyle() & WS_EX_CONTEXTHELP) != 0);
        m_pSheet->SetActivePage(2);
        m_pFrame->m_helpPages.clear();
        // Help for a menu item is never a control's pop-up; without the flag neither is a control's.
        HELPINFO help = {sizeof(HELPINFO), HELPINFO_MENUITEM, 0, nullptr, 0, {0, 0}};
        m_pSheet->SendMessage(WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
        std::vector<int> expected = {2};
        if (!c.bContextHelp)
        {
            help.iContextType = HELPINFO_WINDOW;
            help.iCtrlId = 16601;
            help.hItemHandle = m_pSheet->GetSafeHwnd();
            m_pSheet->SendMessage(WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
            expected.push_back(2);
        }
        EXPECT_EQ(expected, m_pFrame->m_helpPages);

        // With the flag a control's help is the frame's: the control's topic as a pop-up.
        m_pFrame->m_winHelp.clear();
        help.iContextType = HELPINFO_WINDOW;
        help.iCtrlId = 16653;
        help.hItemHandle = m_pSheet->GetSafeHwnd();
        m_pSheet->SendMessage(WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
        if (c.bContextHelp)
        {
            const std::vector<std::pair<DWORD_PTR, UINT>> popup = {{16653 + 0x41000, HELP_CONTEXTPOPUP}};
            EXPECT_EQ(popup, m_pFrame->m_winHelp);
        }
        else
        {
            EXPECT_TRUE(m_pFrame->m_winHelp.empty());
        }
        CloseSheet();
    }
}

// A workspace that keeps the context help it was asked for.
class CHelpWorkspace : public CKTWorkspace
{
public:
    void OnContextHelp(CWnd* pWnd, const DWORD* dwHelpIDArray) override
    {
        m_windows.push_back(pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr);
        for (const DWORD* p = dwHelpIDArray; p != nullptr && p[0] != 0; p += 2)
            m_pairs.emplace_back(p[0], p[1]);
    }
    std::vector<HWND> m_windows;
    std::vector<std::pair<DWORD, DWORD>> m_pairs;
};

TEST_F(SheetTest, F1AndARightClickOnAControlAskTheProgramsHelpForItsTopic)
{
    CHelpWorkspace workspace;
    ASSERT_NE(nullptr, OpenSheet());
    CKTOptionsPage* pOptions = m_pSheet->GetOptionsPage();
    m_pSheet->SetActivePage(pOptions);
    Settle();
    CWnd* pLargeIcons = PageItem(pOptions, 16653);
    ASSERT_NE(nullptr, pLargeIcons);
    pLargeIcons->SetFocus();
    m_pFrame->m_winHelp.clear();
    UserInput f1;
    f1.Press(VK_F1).Pause(200);
    Play(f1);
    Settle();
    const std::vector<std::pair<DWORD_PTR, UINT>> popup = {{16653 + 0x41000, HELP_CONTEXTPOPUP}};
    EXPECT_EQ(popup, m_pFrame->m_winHelp) << "the frame's help shows the control's topic";

    CRect rect;
    pLargeIcons->GetWindowRect(&rect);
    UserInput right;
    right.MoveTo(rect.CenterPoint()).RightDown().RightUp().Pause(200);
    Play(right);
    Settle();
    ASSERT_EQ(1u, workspace.m_windows.size()) << "the program's context help, once";
    EXPECT_EQ(35u, workspace.m_pairs.size());
    const auto largeIcons = std::make_pair<DWORD, DWORD>(16653, 16653 + 0x41000);
    EXPECT_NE(workspace.m_pairs.end(), std::find(workspace.m_pairs.begin(), workspace.m_pairs.end(), largeIcons));
    EXPECT_EQ(popup, m_pFrame->m_winHelp) << "no second help";
    CloseSheet();
}

TEST_F(SheetTest, CommandsPageShowsTheCatalogueOfTheFrameAndTemplateMenus)
{
    ASSERT_NE(nullptr, OpenSheet());
    CKTCustomizePage* pPage = m_pSheet->GetCommandsPage();
    ASSERT_NE(nullptr, pPage->GetSafeHwnd());
    CListBox* pCategories = static_cast<CListBox*>(PageItem(pPage, IDC_CATEGORY));
    CListBox* pCommands = static_cast<CListBox*>(PageItem(pPage, IDC_COMMANDS));
    // A category of submenus alone ("New Menu") is listed too.
    EXPECT_EQ((std::vector<std::wstring>{L"File", L"Edit", L"Layout", L"Window", L"New Menu", L"All Commands"}),
              ListTexts(pCategories));
    EXPECT_EQ(0, pCategories->GetCurSel());
    EXPECT_EQ((std::vector<std::wstring>{L"New", L"Save", L"Open"}), ListTexts(pCommands));

    struct Case
    {
        const wchar_t* category;
        std::vector<std::wstring> commands;
    };
    // "All Commands" holds each command once, by its menu path (the two Saves differ there), sorted
    // by code units.
    const Case cases[] = {
        {L"Edit", {L"Copy", L"Paste", L"Format", L"Bold"}},
        {L"Layout", {L"Save", L"Copy"}},
        {L"New Menu", {L"New Menu"}},
        {L"All Commands",
         {L"EditCopy", L"EditFormatBold", L"EditPaste", L"FileNew", L"FileOpen", L"FileSave", L"Format", L"LayoutSave",
          L"New Menu", L"WindowCascade"}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::wstring(c.category));
        pCategories->SetCurSel(pCategories->FindStringExact(-1, c.category));
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CATEGORY, LBN_SELCHANGE), (LPARAM)pCategories->GetSafeHwnd());
        EXPECT_EQ(c.commands, ListTexts(pCommands));
        EXPECT_EQ(L"", Text(PageItem(pPage, IDC_DESCRIPTION)));
    }
}

TEST_F(SheetTest, AllCommandsAreSortedByCodeUnitsWhateverTheirCaseOrScript)
{
    ASSERT_NE(nullptr, OpenSheet());
    // Code-unit order: capitals before small letters, Latin-1 letters after both, a character
    // outside the basic plane (a surrogate pair) before the full-width letters.
    const std::vector<std::wstring> sorted = {
        L"Alpha", L"Zulu", L"beta", L"\u00C4gypten", L"\u00E9mile", L"\U0001D49C script", L"\uFF21 wide"};
    const std::vector<std::wstring> added = {sorted[2], sorted[6], sorted[0], sorted[4],
                                             sorted[5], sorted[3], sorted[1]};
    UINT uiCmd = 34401;
    for (const std::wstring& text : added)
        m_pSheet->AddCategoryButton(L"Sorting", CKTToolbarButton(uiCmd++, -1, text.c_str()));

    CKTCustomizePage* pPage = m_pSheet->GetCommandsPage();
    CListBox* pCategories = static_cast<CListBox*>(PageItem(pPage, IDC_CATEGORY));
    pCategories->SetCurSel(pCategories->FindStringExact(-1, L"All Commands"));
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CATEGORY, LBN_SELCHANGE), (LPARAM)pCategories->GetSafeHwnd());
    std::vector<std::wstring> shown;
    for (const std::wstring& text : ListTexts(PageItem(pPage, IDC_COMMANDS)))
    {
        if (std::find(sorted.begin(), sorted.end(), text) != sorted.end())
            shown.push_back(text);
    }
    EXPECT_EQ(sorted, shown);
}

TEST_F(SheetTest, ChoosingACommandShowsItsPromptFromTheFrame)
{
    ASSERT_NE(nullptr, OpenSheet());
    CKTCustomizePage* pPage = m_pSheet->GetCommandsPage();
    CListBox* pCommands = static_cast<CListBox*>(PageItem(pPage, IDC_COMMANDS));
    CRect rectList;
    pCommands->GetWindowRect(&rectList);
    CRect rectItem;
    pCommands->GetItemRect(0, &rectItem);
    // A real click on the first command ("New"); the drag it could start never leaves the item.
    UserInput input;
    input.MoveTo(rectList.TopLeft() + CSize(rectItem.CenterPoint().x, rectItem.CenterPoint().y))
        .LeftDown()
        .LeftUp()
        .Pause(200);
    Play(input);
    EXPECT_EQ(0, pCommands->GetCurSel());
    ASSERT_NE(nullptr, pPage->GetSelectedButton());
    EXPECT_EQ((UINT)ID_SHEET_NEW, pPage->GetSelectedButton()->m_nID);
    EXPECT_EQ(L"Creates a document", Text(PageItem(pPage, IDC_DESCRIPTION)));

    struct Case
    {
        const wchar_t* category;
        const wchar_t* command;
        const wchar_t* description;
    };
    // The new-menu button (id 0) describes itself; a submenu's button has no prompt.
    const Case cases[] = {{L"New Menu", L"New Menu", L"New Menu"}, {L"Edit", L"Format", L""}};
    CListBox* pCategories = static_cast<CListBox*>(PageItem(pPage, IDC_CATEGORY));
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::wstring(c.command));
        pCategories->SetCurSel(pCategories->FindStringExact(-1, c.category));
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CATEGORY, LBN_SELCHANGE), (LPARAM)pCategories->GetSafeHwnd());
        pCommands->SetCurSel(pCommands->FindStringExact(-1, c.command));
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_COMMANDS, LBN_SELCHANGE), (LPARAM)pCommands->GetSafeHwnd());
        ASSERT_NE(nullptr, pPage->GetSelectedButton());
        EXPECT_EQ(c.description, Text(PageItem(pPage, IDC_DESCRIPTION)));
    }
}

TEST_F(SheetTest, EveryPageInCustomizeModeIsPictured)
{
    CKTKeyboardManager keyboard;
    ASSERT_NE(nullptr, OpenSheet());
    struct Shot
    {
        CPropertyPage* pPage;
        const wchar_t* name;
    };
    const Shot shots[] = {{m_pSheet->GetCommandsPage(), L"customize-page-commands.bmp"},
                          {m_pSheet->GetToolbarsPage(), L"customize-page-toolbars.bmp"},
                          {m_pSheet->GetKeyboardPage(), L"customize-page-keyboard.bmp"},
                          {m_pSheet->GetMenuPage(), L"customize-page-menu.bmp"},
                          {m_pSheet->GetOptionsPage(), L"customize-page-options.bmp"}};
    for (const Shot& shot : shots)
    {
        ASSERT_TRUE(m_pSheet->SetActivePage(shot.pPage));
        Settle();
        EXPECT_TRUE(shot.pPage->IsWindowVisible());
        SaveScreenshot(shot.name);
    }
    EXPECT_TRUE(CKTToolBar::IsCustomizeMode());
    CloseSheet();
    EXPECT_FALSE(CKTToolBar::IsCustomizeMode());
}

} // namespace

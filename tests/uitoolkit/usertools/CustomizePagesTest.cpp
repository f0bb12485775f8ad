// The Tools and Mouse pages on the customize sheet of a test frame that makes a user tools
// manager and a mouse manager, driven with the display's keyboard and mouse.
#include "framework/Afx.h"
#include "tests/framework/input/UserInput.h"
#include "tests/framework/windows/WindowsTestSupport.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/bars/KTToolbarButton.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/customize/KTMouseManager.h"
#include "uitoolkit/customize/KTMousePage.h"
#include "uitoolkit/customize/KTToolbarCustomize.h"
#include "uitoolkit/customize/KTToolsPage.h"
#include "uitoolkit/customize/KTUserTool.h"
#include "uitoolkit/customize/KTUserToolsManager.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{

const UINT kToolsEntry = 33100;
const UINT kFirstTool = 33110;
const UINT kLastTool = 33119;
const UINT kReportCommand = 33200;
const UINT kPrintCommand = 33201;
const UINT kArgumentsMenu = 33300;

// A sheet whose tools check fails while the flag says so.
class CCheckingSheet : public CKTToolbarCustomize
{
public:
    using CKTToolbarCustomize::CKTToolbarCustomize;
    BOOL m_bToolsValid = TRUE;
    int m_nChecks = 0;
    int m_nInits = 0;
    std::vector<CObject*> m_changedTo;
    BOOL ValidateTools(const CObList&) override
    {
        m_nChecks++;
        return m_bToolsValid;
    }
    void OnToolsPageInit() override { m_nInits++; }
    void OnToolChanged(CObject* pTool) override { m_changedTo.push_back(pTool); }
};

class CPagesMouseManager : public CKTMouseManager
{
public:
    void AddView(int iId, LPCTSTR lpszName) { m_ViewsNames.SetAt(lpszName, iId); }
};

class CustomizePagesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::CreateDirectoryW(L"screenshots", nullptr);
        CKTToolBar::RegisterMessages();
        TestApp().m_messageBoxes.clear();
        m_pTools = std::make_unique<CKTUserToolsManager>(kToolsEntry, kFirstTool, kLastTool, nullptr, kArgumentsMenu);
        m_pMouse = std::make_unique<CPagesMouseManager>();
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(
            m_pFrame->Create(nullptr, L"Tools frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 700, 560)));
        m_hFrame = m_pFrame->GetSafeHwnd();
        m_pOldMain = TestApp().m_pMainWnd;
        TestApp().m_pMainWnd = m_pFrame;
    }
    void TearDown() override
    {
        if (m_pSheet != nullptr && m_pSheet->GetSafeHwnd() != nullptr)
            m_pSheet->DestroyWindow();
        delete m_pSheet;
        TestApp().m_pMainWnd = m_pOldMain;
        if (::IsWindow(m_hFrame))
            m_pFrame->DestroyWindow();
        PumpAndIdle();
        m_pMouse.reset();
        m_pTools.reset();
    }

    void OpenSheet(BOOL bMousePage = FALSE, CKTToolbarCustomize* pSheet = nullptr)
    {
        // The sheet adds the Tools and Mouse pages itself while the managers exist.
        m_pSheet = pSheet != nullptr ? pSheet : new CKTToolbarCustomize(m_pFrame, FALSE, 0x2F);
        m_pToolsPage = dynamic_cast<CKTToolsPage*>(m_pSheet->GetToolsPage());
        m_pMousePage = dynamic_cast<CKTMousePage*>(m_pSheet->GetMousePage());
        ASSERT_NE(nullptr, m_pToolsPage);
        ASSERT_NE(nullptr, m_pMousePage);
        ASSERT_GE(m_pSheet->GetPageIndex(m_pToolsPage), 0);
        ASSERT_GE(m_pSheet->GetPageIndex(m_pMousePage), 0);
        m_pSheet->AddCategoryButton(L"File", CKTToolbarButton(kReportCommand, -1, L"Report"));
        m_pSheet->AddCategoryButton(L"File", CKTToolbarButton(kPrintCommand, -1, L"Print"));
        CKTToolbarMenuButton submenu;
        submenu.m_nID = (UINT)-1;
        submenu.m_strText = L"Recent";
        m_pSheet->AddCategoryButton(L"File", submenu);
        ASSERT_TRUE(m_pSheet->CPropertySheet::Create(m_pFrame));
        m_pSheet->SetWindowPos(nullptr, 60, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        m_pSheet->SetForegroundWindow();
        PumpAndIdle();
        CPropertyPage* pActive = bMousePage ? static_cast<CPropertyPage*>(m_pMousePage) : m_pToolsPage;
        m_pSheet->SetActivePage(pActive);
        RunMessageLoopFor(100);
        PumpAndIdle();
    }
    CKTUserTool* AddTool(LPCTSTR lpszLabel, LPCTSTR lpszCommand = L"")
    {
        CKTUserTool* pTool = m_pTools->CreateNewTool();
        pTool->m_strLabel = lpszLabel;
        pTool->SetCommand(lpszCommand);
        return pTool;
    }
    static POINT Centre(CWnd* pWnd)
    {
        CRect rect;
        pWnd->GetWindowRect(&rect);
        return rect.CenterPoint();
    }
    static POINT ItemCentre(CListCtrl* pList, int iItem)
    {
        CRect rect;
        pList->GetItemRect(iItem, &rect, LVIR_LABEL);
        pList->ClientToScreen(&rect);
        return rect.CenterPoint();
    }
    static void Click(UserInput& input, POINT pt)
    {
        input.MoveTo(pt).Pause(60).LeftDown().Pause(40).LeftUp().Pause(200);
    }
    static void Play(UserInput& input)
    {
        input.Start();
        PumpUntil([&] { return input.Done(); }, 20000);
        input.Wait();
        PumpAndIdle();
    }
    std::vector<std::wstring> Labels() const
    {
        std::vector<std::wstring> labels;
        const CObList& tools = m_pTools->GetUserTools();
        for (POSITION pos = tools.GetHeadPosition(); pos != nullptr;)
            labels.push_back(static_cast<LPCWSTR>(static_cast<CKTUserTool*>(tools.GetNext(pos))->m_strLabel));
        return labels;
    }
    void Screenshot(const wchar_t* pszName)
    {
        m_pSheet->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        RunMessageLoopFor(200);
        CRect rect;
        m_pSheet->GetWindowRect(&rect);
        EXPECT_TRUE(SaveScreenArea((std::wstring(L"screenshots\\") + pszName).c_str(), rect));
    }

    std::unique_ptr<CKTUserToolsManager> m_pTools;
    std::unique_ptr<CPagesMouseManager> m_pMouse;
    CFrameWnd* m_pFrame = nullptr;
    HWND m_hFrame = nullptr;
    CWnd* m_pOldMain = nullptr;
    CKTToolbarCustomize* m_pSheet = nullptr;
    CKTToolsPage* m_pToolsPage = nullptr;
    CKTMousePage* m_pMousePage = nullptr;
};

} // namespace

TEST_F(CustomizePagesTest, ANewToolIsNamedInPlaceAndTakesWhatIsTyped)
{
    AddTool(L"Alpha", L"C:\\Tools\\alpha.exe")->m_strArguments = L"-v";
    AddTool(L"Beta");
    OpenSheet();
    CKTToolsListBox& list = m_pToolsPage->GetToolsList();
    ASSERT_EQ(2, list.GetCount());
    EXPECT_EQ(CString(L"Alpha"), list.GetItemText(0));
    EXPECT_FALSE(m_pToolsPage->GetDlgItem(CKTToolsPage::IDC_COMMAND)->IsWindowEnabled()) << "no tool selected";
    EXPECT_TRUE(m_pToolsPage->GetDlgItem(CKTToolsPage::IDC_ARGUMENTS_MENU)->IsWindowVisible());
    EXPECT_FALSE(m_pToolsPage->GetDlgItem(CKTToolsPage::IDC_INITIAL_DIR_MENU)->IsWindowVisible())
        << "the manager names no folder menu";

    {
        UserInput input;
        Click(input, ItemCentre(list.GetListCtrl(), 0));
        Play(input);
    }
    CString strText;
    m_pToolsPage->GetDlgItemText(CKTToolsPage::IDC_COMMAND, strText);
    EXPECT_EQ(CString(L"C:\\Tools\\alpha.exe"), strText);
    m_pToolsPage->GetDlgItemText(CKTToolsPage::IDC_ARGUMENTS, strText);
    EXPECT_EQ(CString(L"-v"), strText);

    {
        UserInput input;
        input.Press(VK_INSERT).Pause(300).Type(L"Gamma").Pause(100).Press(VK_RETURN).Pause(300);
        Play(input);
    }
    ASSERT_EQ((std::vector<std::wstring>{L"Alpha", L"Beta", L"Gamma"}), Labels());
    CKTUserTool* pGamma = m_pTools->FindTool(kFirstTool + 2);
    ASSERT_NE(nullptr, pGamma);
    EXPECT_EQ(CString(L"Gamma"), pGamma->m_strLabel);

    {
        UserInput input;
        Click(input, ItemCentre(list.GetListCtrl(), 2));
        Click(input, Centre(m_pToolsPage->GetDlgItem(CKTToolsPage::IDC_COMMAND)));
        input.Type(L"grep.exe").Pause(100);
        Click(input, Centre(m_pToolsPage->GetDlgItem(CKTToolsPage::IDC_INITIAL_DIR)));
        input.Type(L"C:\\Src").Pause(100);
        Play(input);
    }
    EXPECT_EQ(pGamma, m_pToolsPage->GetSelectedTool());
    EXPECT_EQ(CString(L"grep.exe"), pGamma->GetCommand());
    EXPECT_EQ(CString(L"C:\\Src"), pGamma->m_strInitialDirectory);
    Screenshot(L"tools_page.png");

    // A word from the arguments menu is typed into the arguments.
    {
        UserInput input;
        Click(input, Centre(m_pToolsPage->GetDlgItem(CKTToolsPage::IDC_ARGUMENTS_MENU)));
        input.Pause(300).Press(VK_DOWN).Pause(100).Press(VK_RETURN).Pause(300);
        Play(input);
    }
    EXPECT_EQ(CString(L"$(FilePath)"), pGamma->m_strArguments);

    // Delete removes the selected tool.
    {
        UserInput input;
        Click(input, ItemCentre(list.GetListCtrl(), 1));
        input.Press(VK_DELETE).Pause(300);
        Play(input);
    }
    EXPECT_EQ((std::vector<std::wstring>{L"Alpha", L"Gamma"}), Labels());
    EXPECT_EQ(2, list.GetCount());
}

namespace
{
// The visible dialog of the thread with the caption, waited for (null when none came).
HWND WaitForDialog(DWORD dwThreadId, const wchar_t* pszCaption)
{
    struct Search
    {
        const wchar_t* pszCaption;
        HWND hFound;
        static BOOL CALLBACK Visit(HWND hWnd, LPARAM lParam)
        {
            Search* pSearch = reinterpret_cast<Search*>(lParam);
            wchar_t szClass[16] = {};
            wchar_t szCaption[64] = {};
            ::GetClassNameW(hWnd, szClass, 16);
            ::GetWindowTextW(hWnd, szCaption, 64);
            if (wcscmp(szClass, L"#32770") != 0 || wcscmp(szCaption, pSearch->pszCaption) != 0 ||
                !::IsWindowVisible(hWnd))
                return TRUE;
            pSearch->hFound = hWnd;
            return FALSE;
        }
    } search{pszCaption, nullptr};
    for (int i = 0; i < 200 && search.hFound == nullptr; i++)
    {
        ::EnumThreadWindows(dwThreadId, &Search::Visit, reinterpret_cast<LPARAM>(&search));
        if (search.hFound == nullptr)
            ::Sleep(50);
    }
    return search.hFound;
}
} // namespace

// Browse opens the file dialog with the manager's filter; Cancel leaves the program as it was, a
// chosen file becomes the program.
TEST_F(CustomizePagesTest, BrowseChoosesTheProgramAndCancelKeepsIt)
{
    CString strFilter;
    ASSERT_TRUE(strFilter.LoadString(16023));
    m_pTools->SetFilter(strFilter);
    m_pTools->SetDefExt(L"exe");
    wchar_t szPath[MAX_PATH] = {};
    ASSERT_GT(::GetFullPathNameW(L"browse-tool.exe", MAX_PATH, szPath, nullptr), 0u);
    HANDLE hFile = ::CreateFileW(szPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);
    ::CloseHandle(hFile);

    CKTUserTool* pTool = AddTool(L"Alpha", L"old.exe");
    OpenSheet();
    {
        UserInput input;
        Click(input, ItemCentre(m_pToolsPage->GetToolsList().GetListCtrl(), 0));
        Play(input);
    }
    ASSERT_EQ(pTool, m_pToolsPage->GetSelectedTool());
    ASSERT_TRUE(m_pToolsPage->GetDlgItem(CKTToolsPage::IDC_BROWSE)->IsWindowEnabled());

    struct
    {
        const char* m_name;
        bool m_bChoose;
        std::wstring m_expected;
    } const cases[] = {
        {"Cancel", false, L"old.exe"},
        {"a file chosen", true, szPath},
    };
    const DWORD dwThread = ::GetCurrentThreadId();
    for (const auto& c : cases)
    {
        HWND hDlg = nullptr;
        std::wstring firstType;
        UserInput input;
        Click(input, Centre(m_pToolsPage->GetDlgItem(CKTToolsPage::IDC_BROWSE)));
        input.Call([&] {
            hDlg = WaitForDialog(dwThread, L"Open");
            // The file types box (cmb1) shows the manager's filter.
            wchar_t szType[128] = {};
            HWND hTypes = ::GetDlgItem(hDlg, 0x470);
            if (hTypes != nullptr && ::SendMessageW(hTypes, CB_GETLBTEXTLEN, 0, 0) < 128)
                ::SendMessageW(hTypes, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(szType));
            firstType = szType;
        });
        input.Pause(300);
        if (c.m_bChoose)
            input.Type(szPath).Pause(100).Press(VK_RETURN);
        else
            input.Press(VK_ESCAPE);
        input.Pause(400).Call([&] {
            // A dialog the steps missed is let go, so that the test ends.
            if (::IsWindow(hDlg))
                ::PostMessageW(hDlg, WM_COMMAND, IDCANCEL, 0);
        });
        Play(input);
        ASSERT_NE(nullptr, hDlg) << c.m_name << ": no file dialog";
        EXPECT_EQ(L"Executable (*.exe)", firstType) << c.m_name;
        CString strCommand;
        m_pToolsPage->GetDlgItemText(CKTToolsPage::IDC_COMMAND, strCommand);
        EXPECT_EQ(c.m_expected, std::wstring(strCommand)) << c.m_name;
        EXPECT_EQ(c.m_expected, std::wstring(pTool->GetCommand())) << c.m_name;
    }
    ::DeleteFileW(szPath);
}

TEST_F(CustomizePagesTest, ANewToolBeyondTheRangeIsRefusedWithTheLimit)
{
    for (int i = 0; i < 10; i++)
        AddTool((L"Tool " + std::to_wstring(i)).c_str());
    OpenSheet();
    CKTToolsListBox& list = m_pToolsPage->GetToolsList();
    ASSERT_EQ(10, list.GetCount());
    UserInput input;
    Click(input, ItemCentre(list.GetListCtrl(), 0));
    input.Press(VK_INSERT).Pause(300).Type(L"Eleven").Pause(100).Press(VK_RETURN).Pause(300);
    Play(input);
    ASSERT_EQ(1u, TestApp().m_messageBoxes.size());
    EXPECT_EQ(L"You may define up to 10 tools.", TestApp().m_messageBoxes[0]);
    EXPECT_EQ(10, list.GetCount()) << "the new item is removed";
    EXPECT_EQ(10, m_pTools->GetUserTools().GetCount());
}

TEST_F(CustomizePagesTest, TheMousePageSetsAndClearsAViewsCommand)
{
    m_pMouse->AddView(2, L"Pages");
    m_pMouse->AddView(1, L"Grid");
    m_pMouse->AddView(3, L"grid");
    m_pMouse->SetCommandForDblClick(2, kPrintCommand);
    OpenSheet(TRUE);
    // Hidden pages are made when shown: the Mouse page is up now.
    CListCtrl& views = m_pMousePage->GetViewsList();
    ASSERT_EQ(3, views.GetItemCount());
    EXPECT_EQ(CString(L"Grid"), views.GetItemText(0, 0));
    EXPECT_EQ(CString(L"Pages"), views.GetItemText(1, 0));
    EXPECT_EQ(CString(L"grid"), views.GetItemText(2, 0));
    EXPECT_EQ(1, m_pMousePage->GetCurrentViewId()) << "the first view is selected";
    EXPECT_EQ(BST_CHECKED, m_pMousePage->IsDlgButtonChecked(CKTMousePage::IDC_NO_DBLCLICK));
    EXPECT_FALSE(m_pMousePage->GetCommandsList().IsWindowEnabled());
    // The sheet's commands, without its menu buttons: "New Menu" and a submenu run nothing.
    std::vector<std::wstring> commands;
    for (int i = 0; i < m_pMousePage->GetCommandsList().GetCount(); i++)
    {
        CString strText;
        m_pMousePage->GetCommandsList().GetText(i, strText);
        commands.push_back(static_cast<LPCWSTR>(strText));
    }
    EXPECT_EQ((std::vector<std::wstring>{L"Print", L"Report"}), commands);

    {
        UserInput input;
        Click(input, ItemCentre(&views, 1));
        Play(input);
    }
    EXPECT_EQ(2, m_pMousePage->GetCurrentViewId());
    EXPECT_EQ(BST_CHECKED, m_pMousePage->IsDlgButtonChecked(CKTMousePage::IDC_USE_DBLCLICK));
    EXPECT_TRUE(m_pMousePage->GetCommandsList().IsWindowEnabled());
    const int iSel = m_pMousePage->GetCommandsList().GetCurSel();
    ASSERT_GE(iSel, 0);
    EXPECT_EQ(kPrintCommand, (UINT)m_pMousePage->GetCommandsList().GetItemData(iSel));
    EXPECT_EQ(CString(L"Prints the pages"), m_pMousePage->GetDescription());

    // The first view gets the Report command, then none again.
    int iReport = -1;
    for (int i = 0; i < m_pMousePage->GetCommandsList().GetCount(); i++)
        if (m_pMousePage->GetCommandsList().GetItemData(i) == kReportCommand)
            iReport = i;
    ASSERT_GE(iReport, 0);
    {
        UserInput input;
        Click(input, ItemCentre(&views, 0));
        Click(input, Centre(m_pMousePage->GetDlgItem(CKTMousePage::IDC_USE_DBLCLICK)));
        Play(input);
    }
    EXPECT_TRUE(m_pMousePage->GetCommandsList().IsWindowEnabled());
    EXPECT_EQ(0u, m_pMouse->GetViewDblClickCommand(1));
    {
        CRect rect;
        m_pMousePage->GetCommandsList().GetItemRect(iReport, &rect);
        m_pMousePage->GetCommandsList().ClientToScreen(&rect);
        UserInput input;
        Click(input, rect.CenterPoint());
        Play(input);
    }
    EXPECT_EQ(kReportCommand, m_pMouse->GetViewDblClickCommand(1));
    EXPECT_EQ(CString(L"Opens the report"), m_pMousePage->GetDescription());
    Screenshot(L"mouse_page.png");
    {
        UserInput input;
        Click(input, Centre(m_pMousePage->GetDlgItem(CKTMousePage::IDC_NO_DBLCLICK)));
        Play(input);
    }
    EXPECT_EQ(0u, m_pMouse->GetViewDblClickCommand(1));
    EXPECT_FALSE(m_pMousePage->GetCommandsList().IsWindowEnabled());
    EXPECT_EQ(kPrintCommand, m_pMouse->GetViewDblClickCommand(2)) << "the other view keeps its command";
}

TEST_F(CustomizePagesTest, TheToolsPageStaysWhileTheSheetFindsTheToolsInvalid)
{
    CKTUserTool* pTool = AddTool(L"Alpha");
    CCheckingSheet* pSheet = new CCheckingSheet(m_pFrame, FALSE, 0x2F);
    OpenSheet(FALSE, pSheet);
    EXPECT_EQ(1, pSheet->m_nInits);
    {
        UserInput input;
        Click(input, ItemCentre(m_pToolsPage->GetToolsList().GetListCtrl(), 0));
        Play(input);
    }
    ASSERT_FALSE(pSheet->m_changedTo.empty());
    EXPECT_EQ(pTool, pSheet->m_changedTo.back());

    pSheet->m_bToolsValid = FALSE;
    pSheet->SetActivePage(m_pMousePage);
    PumpAndIdle();
    EXPECT_EQ(m_pToolsPage, pSheet->GetActivePage());
    EXPECT_GE(pSheet->m_nChecks, 1);
    pSheet->m_bToolsValid = TRUE;
    pSheet->SetActivePage(m_pMousePage);
    PumpAndIdle();
    EXPECT_EQ(m_pMousePage, pSheet->GetActivePage());
}

TEST_F(CustomizePagesTest, WithoutTheManagersTheSheetHasNoToolsOrMousePage)
{
    m_pTools.reset();
    m_pMouse.reset();
    CKTToolbarCustomize sheet(m_pFrame, FALSE, 0x2F);
    ASSERT_NE(nullptr, sheet.GetToolsPage()) << "made for every sheet";
    EXPECT_LT(sheet.GetPageIndex(sheet.GetToolsPage()), 0);
    EXPECT_LT(sheet.GetPageIndex(sheet.GetMousePage()), 0);
}

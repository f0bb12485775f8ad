// The toolkit's file dialog as a user meets it: the system's Explorer dialog on the test display
// with the tab strip, the "New" and "Recent" lists, real clicks on tabs, items and OK, and the
// filter it builds from the document templates.
#include "tests/uitoolkit/customize/CustomizeTestApp.h"
#include "tests/uitoolkit/customize/CustomizeTestIds.h"
#include "tests/uitoolkit/customize/CustomizeTestSupport.h"
#include "uitoolkit/customize/KTFileDialog.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

namespace
{

CString LoadText(UINT nID)
{
    CString str;
    str.LoadString(nID);
    return str;
}

CRect WindowRectOf(HWND hWnd)
{
    CRect rect;
    ::GetWindowRect(hWnd, &rect);
    return rect;
}

// The visible dialog of this thread owned by the window, waited for.
HWND WaitForDialog(DWORD dwThreadId, HWND hWndOwner)
{
    struct Search
    {
        HWND hWndOwner;
        HWND hWndFound;
    } search{hWndOwner, nullptr};
    const DWORD dwStart = ::GetTickCount();
    while (search.hWndFound == nullptr && ::GetTickCount() - dwStart < 10000)
    {
        struct Visit
        {
            static BOOL CALLBACK Window(HWND hWnd, LPARAM lParam)
            {
                Search* pSearch = reinterpret_cast<Search*>(lParam);
                wchar_t szClass[16] = {};
                ::GetClassNameW(hWnd, szClass, 16);
                if (lstrcmpW(szClass, L"#32770") != 0 || !::IsWindowVisible(hWnd) ||
                    ::GetWindow(hWnd, GW_OWNER) != pSearch->hWndOwner)
                    return TRUE;
                pSearch->hWndFound = hWnd;
                return FALSE;
            }
        };
        ::EnumThreadWindows(dwThreadId, &Visit::Window, reinterpret_cast<LPARAM>(&search));
        if (search.hWndFound == nullptr)
            ::Sleep(50);
    }
    return search.hWndFound;
}

HWND FindChildOfClass(HWND hDlg, const wchar_t* pszClass)
{
    for (HWND hChild = ::GetWindow(hDlg, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        wchar_t szClass[64] = {};
        ::GetClassNameW(hChild, szClass, 64);
        if (lstrcmpW(szClass, pszClass) == 0)
            return hChild;
    }
    return nullptr;
}

POINT TabPoint(HWND hTab, int nItem)
{
    CRect rect;
    ::SendMessageW(hTab, TCM_GETITEMRECT, (WPARAM)nItem, (LPARAM)&rect);
    ::MapWindowPoints(hTab, nullptr, reinterpret_cast<LPPOINT>(&rect), 2);
    return rect.CenterPoint();
}

POINT ListItemPoint(HWND hList, int nItem)
{
    CRect rect;
    rect.left = LVIR_LABEL;
    ::SendMessageW(hList, LVM_GETITEMRECT, (WPARAM)nItem, (LPARAM)&rect);
    ::MapWindowPoints(hList, nullptr, reinterpret_cast<LPPOINT>(&rect), 2);
    return rect.CenterPoint();
}

POINT CenterOf(HWND hWnd)
{
    return WindowRectOf(hWnd).CenterPoint();
}

class FileDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::CreateDirectoryW(L"screenshots", nullptr);
        TestDocTemplate(IDR_TEST_DOCTYPE);
        ASSERT_TRUE(
            m_owner.CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1)),
                             L"file dialog owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 300, 200, nullptr, 0));
        m_owner.SetForegroundWindow();
        Pump();
        m_dwThreadId = ::GetCurrentThreadId();
        m_pOldRecent = CustomizeTestApp().m_pRecentFileList;
        // Stored entries as the profile may hold them; adding would make a full path of the name.
        m_recent[0] = L"C:\\data\\reports\\march.kest";
        m_recent[1] = L"solo.kest";
        CustomizeTestApp().m_pRecentFileList = &m_recent;
    }
    void TearDown() override
    {
        CustomizeTestApp().m_pRecentFileList = m_pOldRecent;
        m_owner.DestroyWindow();
        Pump();
    }

    void FindDialog(UserInput& input)
    {
        input.Call([this] { m_hDlg = WaitForDialog(m_dwThreadId, m_owner.m_hWnd); }).Pause(300);
    }
    // Lets a dialog that the steps missed go, so that the test ends.
    void CloseIfStillUp(UserInput& input)
    {
        input.Call([this] {
            const DWORD dwStart = ::GetTickCount();
            while (::IsWindow(m_hDlg) && ::GetTickCount() - dwStart < 3000)
                ::Sleep(50);
            if (::IsWindow(m_hDlg))
                ::PostMessageW(m_hDlg, WM_COMMAND, IDCANCEL, 0);
        });
    }
    INT_PTR Run(CKTFileDialog& dlg, UserInput& input)
    {
        CloseIfStillUp(input);
        input.Start();
        const INT_PTR nResult = dlg.DoModal();
        input.Wait();
        return nResult;
    }

    CWnd m_owner;
    DWORD m_dwThreadId = 0;
    std::atomic<HWND> m_hDlg{nullptr};
    CRecentFileList m_recent{0, L"KestCustomizeTests Recent", L"File%d", 4};
    CRecentFileList* m_pOldRecent = nullptr;
};

TEST_F(FileDialogTest, FilterComesFromTheTemplatesThatHaveOneAndTheFirstGivesTheExtension)
{
    CKTFileDialog dlg(L"Open");
    const CString& filter = CKTFileDialog::GetTemplateFilter();
    const std::wstring expected = std::wstring(L"Kest work files (*.kest)") + L'\0' + L"*.kest" + L'\0' +
                                  L"Table layouts (*.layout)" + L'\0' + L"*.layout" + L'\0' +
                                  (LPCTSTR)LoadText(AFX_IDS_ALLFILTER) + L'\0' + L"*.*" + L'\0';
    EXPECT_EQ(expected, std::wstring((LPCTSTR)filter, (size_t)filter.GetLength()));
    EXPECT_EQ(CString(L"kest"), CKTFileDialog::GetTemplateDefExt());
    EXPECT_STREQ(L"kest", dlg.m_ofn.lpstrDefExt);
    EXPECT_EQ(1u, dlg.m_ofn.nFilterIndex);
    EXPECT_EQ((LPCTSTR)filter, dlg.m_ofn.lpstrFilter);

    // A caller's own filter is kept.
    CKTFileDialog own(L"Open", TRUE, nullptr, nullptr, OFN_HIDEREADONLY, L"Text (*.txt)|*.txt||");
    EXPECT_STREQ(L"Text (*.txt)", own.m_ofn.lpstrFilter);
}

TEST_F(FileDialogTest, NewPageWaitsForAChoiceAndADoubleClickEndsTheDialogWithIt)
{
    CImageList images;
    images.Create(32, 32, ILC_COLOR32 | ILC_MASK, 0, 2);
    images.Add(::LoadIcon(nullptr, IDI_APPLICATION));
    CKTFileDialog dlg(L"Open a work file", TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_NOCHANGEDIR, nullptr,
                      &m_owner);
    dlg.SetNewImages(&images);
    dlg.AddNewDocument(L"Empty work file", 0);
    dlg.AddNewDocument(L"From a layout", 0);

    int nTabs = 0;
    CString strTab0;
    BOOL bNewShown = FALSE, bShellShown = TRUE, bStillUpAfterOk = FALSE;
    UserInput input;
    FindDialog(input);
    input.Call([&] {
        nTabs = dlg.GetTabs().GetItemCount();
        wchar_t szText[64] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = szText;
        item.cchTextMax = 64;
        ::SendMessageW(dlg.GetTabs().GetSafeHwnd(), TCM_GETITEMW, 0, (LPARAM)&item);
        strTab0 = szText;
        bNewShown = dlg.GetNewList().IsWindowVisible();
        bShellShown = ::IsWindowVisible(FindChildOfClass(m_hDlg, L"SHELLDLL_DefView"));
        SaveScreenArea(L"screenshots/file-dialog-new.bmp", WindowRectOf(m_hDlg));
    });
    // OK with nothing chosen on "New" keeps the dialog.
    input.ClickAt([&] { return CenterOf(::GetDlgItem(m_hDlg, IDOK)); }).Pause(300);
    input.Call([&] { bStillUpAfterOk = ::IsWindow(m_hDlg) && ::IsWindowVisible(m_hDlg); });
    input.ClickAt([&] { return ListItemPoint(dlg.GetNewList().GetSafeHwnd(), 1); }).Pause(50);
    input.ClickAt([&] { return ListItemPoint(dlg.GetNewList().GetSafeHwnd(), 1); });
    const INT_PTR nResult = Run(dlg, input);

    ASSERT_NE(nullptr, m_hDlg.load()) << "no dialog appeared";
    EXPECT_EQ(3, nTabs);
    EXPECT_EQ(LoadText(16027), strTab0);
    EXPECT_TRUE(bNewShown);
    EXPECT_FALSE(bShellShown);
    EXPECT_TRUE(bStillUpAfterOk);
    EXPECT_EQ(IDOK, nResult);
    EXPECT_EQ(CKTFileDialog::PAGE_NEW, dlg.GetPage());
    EXPECT_EQ(1, dlg.GetNewDocumentIndex());
}

TEST_F(FileDialogTest, WithoutNewTheRecentPageIsTwoAndAnEntryWithoutFolderIsItsName)
{
    CKTFileDialog dlg(L"Open", FALSE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_NOCHANGEDIR, nullptr, &m_owner);

    int nTabs = 0, nPageAtStart = -1, nPageOnRecent = -1;
    CString strFolderOfMarch, strFolderOfSolo;
    BOOL bShellShown = FALSE, bRecentShown = FALSE;
    UserInput input;
    FindDialog(input);
    input.Call([&] {
        nTabs = dlg.GetTabs().GetItemCount();
        nPageAtStart = dlg.GetPage();
        bShellShown = ::IsWindowVisible(FindChildOfClass(m_hDlg, L"SHELLDLL_DefView"));
    });
    input.ClickAt([&] { return TabPoint(dlg.GetTabs().GetSafeHwnd(), 1); });
    input.Call([&] {
        // A loaded machine can take a while to switch pages: wait for the list, not a fixed time.
        for (int i = 0; i < 100 && !dlg.GetRecentList().IsWindowVisible(); ++i)
            ::Sleep(50);
        nPageOnRecent = dlg.GetPage();
        bRecentShown = dlg.GetRecentList().IsWindowVisible();
        strFolderOfMarch = dlg.GetRecentList().GetItemText(0, 1);
        strFolderOfSolo = dlg.GetRecentList().GetItemText(1, 1);
        SaveScreenArea(L"screenshots/file-dialog-recent.bmp", WindowRectOf(m_hDlg));
    });
    // The recent list holds the newest first: "march.kest", then "solo.kest".
    input.ClickAt([&] { return ListItemPoint(dlg.GetRecentList().GetSafeHwnd(), 1); }).Pause(50);
    input.ClickAt([&] { return ListItemPoint(dlg.GetRecentList().GetSafeHwnd(), 1); });
    const INT_PTR nResult = Run(dlg, input);

    ASSERT_NE(nullptr, m_hDlg.load()) << "no dialog appeared";
    EXPECT_EQ(2, nTabs);
    EXPECT_EQ(CKTFileDialog::PAGE_EXISTING, nPageAtStart);
    EXPECT_TRUE(bShellShown);
    EXPECT_EQ(CKTFileDialog::PAGE_RECENT, nPageOnRecent);
    EXPECT_TRUE(bRecentShown);
    EXPECT_EQ(std::wstring(L"C:\\data\\reports"), (LPCTSTR)strFolderOfMarch);
    // Without a folder the whole entry stands in the folder column.
    EXPECT_EQ(std::wstring(L"solo.kest"), (LPCTSTR)strFolderOfSolo);
    EXPECT_EQ(IDOK, nResult);
    EXPECT_EQ(CKTFileDialog::PAGE_RECENT, dlg.GetPage());
    EXPECT_EQ(std::wstring(L"solo.kest"), (LPCTSTR)dlg.GetRecentFilePath());
}

TEST_F(FileDialogTest, ResizedDialogKeepsTheListsOverTheFileList)
{
    CKTFileDialog dlg(L"Open", TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_ENABLESIZING, nullptr,
                      &m_owner);
    CRect rectShell, rectNew, rectRecent, rectTab, rectClient;
    UserInput input;
    FindDialog(input);
    input.Call([&] {
        const CRect rect = WindowRectOf(m_hDlg);
        ::SetWindowPos(m_hDlg, nullptr, 0, 0, rect.Width() + 120, rect.Height() + 90, SWP_NOMOVE | SWP_NOZORDER);
    });
    input.Pause(300).Call([&] {
        HWND hShell = FindChildOfClass(m_hDlg, L"SHELLDLL_DefView");
        rectShell = WindowRectOf(hShell);
        rectNew = WindowRectOf(dlg.GetNewList().GetSafeHwnd());
        rectRecent = WindowRectOf(dlg.GetRecentList().GetSafeHwnd());
        rectTab = WindowRectOf(dlg.GetTabs().GetSafeHwnd());
        ::GetClientRect(m_hDlg, &rectClient);
        ::MapWindowPoints(m_hDlg, nullptr, reinterpret_cast<LPPOINT>(&rectClient), 2);
        SaveScreenArea(L"screenshots/file-dialog-resized.bmp", WindowRectOf(m_hDlg));
    });
    input.Call([&] { ::PostMessageW(m_hDlg, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(IDCANCEL, Run(dlg, input));

    EXPECT_EQ(rectShell.left, rectNew.left);
    EXPECT_EQ(rectShell.right, rectNew.right);
    EXPECT_EQ(rectShell.bottom - 10, rectNew.bottom);
    EXPECT_EQ(rectNew, rectRecent);
    EXPECT_LT(rectNew.top, rectShell.top);
    CRect rectExpectedTab = rectClient;
    rectExpectedTab.DeflateRect(4, 4);
    EXPECT_EQ(rectExpectedTab, rectTab);
}

TEST_F(FileDialogTest, RecentFilesAreListedOnlyWhenTheDialogFillsTheListItself)
{
    struct Case
    {
        BOOL bFillRecent;
        int nRows;
    };
    for (const Case& c : {Case{TRUE, 2}, Case{FALSE, 0}})
    {
        SCOPED_TRACE(c.bFillRecent);
        m_hDlg = nullptr;
        CKTFileDialog dlg(L"Open", FALSE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_NOCHANGEDIR, nullptr, &m_owner,
                          c.bFillRecent);
        int nRows = -1;
        UserInput input;
        FindDialog(input);
        input.Call([&] {
            nRows = dlg.GetRecentList().GetItemCount();
            ::PostMessageW(m_hDlg, WM_COMMAND, IDCANCEL, 0);
        });
        EXPECT_EQ(IDCANCEL, Run(dlg, input));
        ASSERT_NE(nullptr, m_hDlg.load()) << "no dialog appeared";
        EXPECT_EQ(c.nRows, nRows);
    }
}

} // namespace

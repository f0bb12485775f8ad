// The common dialogs and the check list box as a user meets them: the real dialog windows found on
// the screen, names and colours typed, Enter, Escape and clicks given through the system's input.
#include "../windows/WindowsTestSupport.h"
#include "UserInput.h"

#include <gtest/gtest.h>

#include <dlgs.h>

#include <atomic>
#include <string>
#include <vector>

namespace
{

struct OwnedDialogSearch
{
    HWND m_hWndOwner;
    HWND m_hWndFound;
};

// A named CALLBACK function, not a lambda: on 32-bit the enumeration calls with stdcall.
BOOL CALLBACK FindOwnedDialog(HWND hWnd, LPARAM lParam)
{
    auto* pSearch = reinterpret_cast<OwnedDialogSearch*>(lParam);
    wchar_t szClass[16] = {};
    ::GetClassNameW(hWnd, szClass, _countof(szClass));
    if (lstrcmpW(szClass, L"#32770") != 0 || !::IsWindowVisible(hWnd) ||
        ::GetWindow(hWnd, GW_OWNER) != pSearch->m_hWndOwner)
        return TRUE;
    pSearch->m_hWndFound = hWnd;
    return FALSE;
}

// The visible dialog window that the thread shows for the owner, waited for up to the time given.
HWND WaitForOwnedDialog(DWORD dwThreadId, HWND hWndOwner, DWORD dwTimeoutMs = 10000)
{
    OwnedDialogSearch search{hWndOwner, nullptr};
    const DWORD dwStart = ::GetTickCount();
    while (search.m_hWndFound == nullptr && ::GetTickCount() - dwStart < dwTimeoutMs)
    {
        ::EnumThreadWindows(dwThreadId, FindOwnedDialog, reinterpret_cast<LPARAM>(&search));
        if (search.m_hWndFound == nullptr)
            ::Sleep(50);
    }
    return search.m_hWndFound;
}

CRect WindowRectOf(HWND hWnd)
{
    CRect rect;
    ::GetWindowRect(hWnd, &rect);
    return rect;
}

const UINT kCheckListID = 120;

// The owner of the dialogs and the parent of the check list box; logs what reaches it from them.
class COwnerWnd : public CWnd
{
public:
    std::vector<std::wstring> m_log;
    CCheckListBox* m_pList = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == CFindReplaceDialog::GetFindReplaceMessage())
        {
            CFindReplaceDialog* pDlg = CFindReplaceDialog::GetNotifier(lParam);
            if (pDlg->IsTerminating())
                m_log.push_back(L"end");
            else if (pDlg->FindNext())
                m_log.push_back(L"find " + std::wstring(pDlg->GetFindString()) + (pDlg->MatchCase() ? L" case" : L""));
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void OnSelChange() { m_log.push_back(L"select " + std::to_wstring(m_pList->GetCurSel())); }
    void OnCheckChange()
    {
        const int nItem = m_pList->GetCaretIndex();
        m_log.push_back(L"check " + std::to_wstring(nItem) + L"=" + std::to_wstring(m_pList->GetCheck(nItem)));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COwnerWnd, CWnd)
ON_LBN_SELCHANGE(kCheckListID, &COwnerWnd::OnSelChange)
ON_CLBN_CHKCHANGE(kCheckListID, &COwnerWnd::OnCheckChange)
END_MESSAGE_MAP()

// A top-level owner with an edit box that holds the focus before a dialog opens.
class CommonDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_owner.CreateEx(
            0, AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)),
            L"dialog owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 320, 200, nullptr, nullptr));
        m_hWndEdit = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 10, 10, 200, 24,
                                       m_owner.m_hWnd, nullptr, nullptr, nullptr);
        ASSERT_NE(m_hWndEdit, nullptr);
        m_owner.SetForegroundWindow();
        ::SetFocus(m_hWndEdit);
        RunMessageLoopFor(100);
        m_dwThreadId = ::GetCurrentThreadId();
    }
    void TearDown() override
    {
        m_owner.DestroyWindow();
        PumpAndIdle();
    }

    // Waits for the dialog of the owner and notes what a user sees of the owner meanwhile.
    void FindDialog(UserInput& input)
    {
        input.Call([this] {
            m_hWndDialog = WaitForOwnedDialog(m_dwThreadId, m_owner.m_hWnd);
            m_bOwnerEnabledMeanwhile = ::IsWindowEnabled(m_owner.m_hWnd) != FALSE;
        });
        input.Pause(300);
    }

    // Lets the dialog go when the keys missed it, so that the test ends.
    void CloseDialogIfStillUp(UserInput& input)
    {
        input.Call([this] {
            const DWORD dwStart = ::GetTickCount();
            while (::IsWindow(m_hWndDialog) && ::GetTickCount() - dwStart < 5000)
                ::Sleep(50);
            if (::IsWindow(m_hWndDialog))
                ::PostMessageW(m_hWndDialog, WM_COMMAND, IDCANCEL, 0);
        });
    }

    COwnerWnd m_owner;
    HWND m_hWndEdit = nullptr;
    DWORD m_dwThreadId = 0;
    std::atomic<HWND> m_hWndDialog{nullptr};
    std::atomic<bool> m_bOwnerEnabledMeanwhile{true};
};

// ---------------------------------------------------------------------------------------------
// File dialog

struct FileDialogCase
{
    const char* m_pszName;
    DWORD m_dwFlags;
    const wchar_t* m_pszInitialName; // or null
    const wchar_t* m_pszTyped;
    WORD m_vkEnd;
    INT_PTR m_nExpected;
    const wchar_t* m_pszExpectedName; // GetFileName afterwards
};

class FileDialogTest : public CommonDialogTest, public ::testing::WithParamInterface<FileDialogCase>
{
};

TEST_P(FileDialogTest, TypedNameEndsTheDialogWithTheOwnerDisabledMeanwhile)
{
    const FileDialogCase& c = GetParam();
    wchar_t szTemp[MAX_PATH] = {};
    ASSERT_GT(::GetTempPathW(MAX_PATH, szTemp), 0u);
    const std::wstring folder = std::wstring(szTemp) + L"kest_file_dialog";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring existing = folder + L"\\picked.kest";
    HANDLE hFile = ::CreateFileW(existing.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(hFile, INVALID_HANDLE_VALUE);
    ::CloseHandle(hFile);

    // The process's folder stays (the screenshots are written there).
    CFileDialog dlg(TRUE, L"kest", c.m_pszInitialName, OFN_HIDEREADONLY | OFN_NOCHANGEDIR | c.m_dwFlags,
                    L"Kest Files (*.kest)|*.kest|All Files (*.*)|*.*||", &m_owner);
    dlg.m_ofn.lpstrInitialDir = folder.c_str();
    EXPECT_EQ(dlg.m_ofn.lStructSize, sizeof(OPENFILENAME));

    bool bResizable = false;
    UserInput input;
    FindDialog(input);
    input.Call([&] {
        bResizable = (::GetWindowLongW(m_hWndDialog, GWL_STYLE) & WS_THICKFRAME) != 0;
        if (c.m_dwFlags & OFN_ENABLESIZING)
            SaveScreenArea(L"file_dialog.bmp", WindowRectOf(m_hWndDialog));
    });
    input.Type(c.m_pszTyped).Pause(100).Press(c.m_vkEnd);
    CloseDialogIfStillUp(input);
    input.Start();
    const INT_PTR nResult = dlg.DoModal();
    input.Wait();

    ASSERT_NE(m_hWndDialog.load(), nullptr) << "no dialog appeared";
    EXPECT_EQ(nResult, c.m_nExpected);
    EXPECT_FALSE(m_bOwnerEnabledMeanwhile);
    EXPECT_EQ(bResizable, (c.m_dwFlags & OFN_ENABLESIZING) != 0);
    EXPECT_EQ(std::wstring(dlg.GetFileName()), c.m_pszExpectedName);
    if (nResult == IDOK)
    {
        EXPECT_EQ(lstrcmpiW(dlg.GetPathName(), existing.c_str()), 0) << std::wstring(dlg.GetPathName());
    }
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    // The owner is back as it was: enabled, and the focus where the user left it.
    EXPECT_TRUE(m_owner.IsWindowEnabled());
    EXPECT_EQ(::GetFocus(), m_hWndEdit);
    ::DeleteFileW(existing.c_str());
    ::RemoveDirectoryW(folder.c_str());
}

INSTANTIATE_TEST_SUITE_P(Cases, FileDialogTest,
                         ::testing::Values(FileDialogCase{"EnterTakesTheTypedName", 0, nullptr, L"picked.kest",
                                                          VK_RETURN, IDOK, L"picked.kest"},
                                           FileDialogCase{"ResizableOnlyWhenAsked", OFN_ENABLESIZING, nullptr,
                                                          L"picked", VK_RETURN, IDOK, L"picked.kest"},
                                           FileDialogCase{"EscapeKeepsTheCallersName", 0, L"start.kest", L"other.kest",
                                                          VK_ESCAPE, IDCANCEL, L"start.kest"}),
                         [](const ::testing::TestParamInfo<FileDialogCase>& info) {
                             return std::string(info.param.m_pszName);
                         });

// ---------------------------------------------------------------------------------------------
// Colour dialog

struct ColourDialogCase
{
    const char* m_pszName;
    const wchar_t* m_pszRed;    // typed into the red field, or null
    COLORREF m_clrSetByProgram; // SetCurrentColor while the dialog is up, or CLR_INVALID
    WORD m_vkEnd;
    INT_PTR m_nExpected;
    COLORREF m_clrExpected;
};

const COLORREF kInitialColour = RGB(10, 20, 30);

class ColourDialogTest : public CommonDialogTest, public ::testing::WithParamInterface<ColourDialogCase>
{
};

TEST_P(ColourDialogTest, ColourChosenInTheDialogIsTheResult)
{
    const ColourDialogCase& c = GetParam();
    CColorDialog dlg(kInitialColour, CC_FULLOPEN, &m_owner);
    UserInput input;
    FindDialog(input);
    if (c.m_pszRed != nullptr)
    {
        // The user clicks into the red field, empties it and types the new value.
        input.ClickAt([&] { return WindowRectOf(::GetDlgItem(m_hWndDialog, 706)).CenterPoint(); });
        input.Press(VK_END).Press(VK_BACK).Press(VK_BACK).Press(VK_BACK).Type(c.m_pszRed).Press(VK_TAB);
    }
    if (c.m_clrSetByProgram != CLR_INVALID)
        input.Call([&] { dlg.SetCurrentColor(c.m_clrSetByProgram); });
    input.Pause(200).Call([&] { SaveScreenArea(L"colour_dialog.bmp", WindowRectOf(m_hWndDialog)); });
    input.Press(c.m_vkEnd);
    CloseDialogIfStillUp(input);
    input.Start();
    const INT_PTR nResult = dlg.DoModal();
    input.Wait();

    ASSERT_NE(m_hWndDialog.load(), nullptr) << "no dialog appeared";
    EXPECT_EQ(nResult, c.m_nExpected);
    EXPECT_EQ(dlg.GetColor(), c.m_clrExpected);
    EXPECT_FALSE(m_bOwnerEnabledMeanwhile);
    EXPECT_TRUE(m_owner.IsWindowEnabled());
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ColourDialogTest,
    ::testing::Values(ColourDialogCase{"TypedRed", L"200", CLR_INVALID, VK_RETURN, IDOK, RGB(200, 20, 30)},
                      ColourDialogCase{"SetByTheProgram", nullptr, RGB(1, 2, 3), VK_RETURN, IDOK, RGB(1, 2, 3)},
                      ColourDialogCase{"EscapeKeepsTheColour", L"99", CLR_INVALID, VK_ESCAPE, IDCANCEL,
                                       kInitialColour}),
    [](const ::testing::TestParamInfo<ColourDialogCase>& info) { return std::string(info.param.m_pszName); });

// ---------------------------------------------------------------------------------------------
// Find dialog (modeless: the owner's loop runs meanwhile)

class CWatchedFindDialog : public CFindReplaceDialog
{
public:
    explicit CWatchedFindDialog(bool* pbDeleted) : m_pbDeleted(pbDeleted) {}
    ~CWatchedFindDialog() override { *m_pbDeleted = true; }

private:
    bool* m_pbDeleted;
};

TEST_F(CommonDialogTest, FindDialogReportsTypedTextAndEndsItselfOnEscape)
{
    bool bDeleted = false;
    auto* pDlg = new CWatchedFindDialog(&bDeleted);
    ASSERT_TRUE(pDlg->Create(TRUE, L"", nullptr, FR_DOWN, &m_owner));
    m_hWndDialog = pDlg->m_hWnd;
    ASSERT_TRUE(::IsWindowVisible(m_hWndDialog));
    EXPECT_EQ(::GetWindow(m_hWndDialog, GW_OWNER), m_owner.m_hWnd);

    UserInput input;
    input.Pause(300).Type(L"needle").Press(VK_RETURN).Pause(200);
    // "Match case", then Enter with the focus on that box: the default button still answers.
    input.ClickAt([&] { return WindowRectOf(::GetDlgItem(m_hWndDialog, chx2)).CenterPoint(); });
    input.Press(VK_RETURN).Pause(200);
    input.Call([&] { SaveScreenArea(L"find_dialog.bmp", WindowRectOf(m_hWndDialog)); });
    input.Press(VK_ESCAPE);
    input.Start();
    EXPECT_TRUE(PumpUntil([&] { return input.Done() && bDeleted; }, 15000));
    input.Wait();
    if (!bDeleted)
        ::DestroyWindow(m_hWndDialog);

    const std::vector<std::wstring> expected = {L"find needle", L"find needle case", L"end"};
    EXPECT_EQ(m_owner.m_log, expected);
    EXPECT_TRUE(bDeleted);
    EXPECT_TRUE(m_owner.IsWindowEnabled());
}

// ---------------------------------------------------------------------------------------------
// Check list box

TEST_F(CommonDialogTest, ClickOnACheckBoxTellsTheParent)
{
    CCheckListBox list;
    ASSERT_TRUE(
        list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_NOTIFY, CRect(10, 40, 250, 150), &m_owner, kCheckListID));
    m_owner.m_pList = &list;
    for (const wchar_t* pszItem : {L"Disabled", L"Second", L"Third"})
        list.AddString(pszItem);
    list.Enable(0, FALSE);
    RunMessageLoopFor(100);

    // Client points of an item's check box and of its text, as screen points.
    auto itemPoint = [&list](int nItem, bool bBox) {
        CRect rect;
        list.GetItemRect(nItem, &rect);
        CPoint point(bBox ? rect.left + (::GetSystemMetrics(SM_CYMENUCHECK) + 2) / 2 : rect.left + 60,
                     rect.CenterPoint().y);
        list.ClientToScreen(&point);
        return point;
    };
    UserInput input;
    input.MoveTo(itemPoint(1, true)).LeftDown().LeftUp().Pause(150);
    input.MoveTo(itemPoint(2, false)).LeftDown().LeftUp().Pause(150);
    input.Press(VK_SPACE).Pause(150);
    input.MoveTo(itemPoint(0, true)).LeftDown().LeftUp().Pause(150);
    input.MoveTo(itemPoint(1, true)).LeftDown().LeftUp().Pause(150);
    input.Start();
    EXPECT_TRUE(PumpUntil([&] { return input.Done(); }, 10000));
    input.Wait();
    PumpAndIdle();
    SaveScreenArea(L"check_list_box.bmp", WindowRectOf(list.m_hWnd));

    // The clicked item is selected before its check changes; a disabled item's box does not change.
    const std::vector<std::wstring> expected = {L"select 1", L"check 1=1", L"select 2", L"check 2=1",
                                                L"select 0", L"select 1",  L"check 1=0"};
    EXPECT_EQ(m_owner.m_log, expected);
    EXPECT_EQ(list.GetCheck(0), 0);
    EXPECT_EQ(list.GetCheck(1), 0);
    EXPECT_EQ(list.GetCheck(2), 1);
    m_owner.m_pList = nullptr;
}

} // namespace

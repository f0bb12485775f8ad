// The customize sheet's Keyboard page in a real sheet over a real frame: a typed combination is
// looked up (FNOINVERT aside), assigned and removed at once in the frame's table, the lists stay
// sorted, and Reset All asks first.
#include "tests/uitoolkit/customize/CustomizeTestApp.h"
#include "tests/uitoolkit/customize/CustomizeTestIds.h"
#include "tests/uitoolkit/customize/CustomizeTestSupport.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/customize/KTKeyHelper.h"
#include "uitoolkit/customize/KTKeyboardManager.h"
#include "uitoolkit/customize/KTKeyboardPage.h"
#include "uitoolkit/customize/KTToolbarCustomize.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{
const UINT IDC_CATEGORY = 16601;
const UINT IDC_COMMANDS = 16641;
const UINT IDC_VIEW_TYPE = 16642;
const UINT IDC_CURRENT_KEYS = 16643;
const UINT IDC_NEW_KEY = 16644;
const UINT IDC_ASSIGN = 16645;
const UINT IDC_REMOVE = 16646;
const UINT IDC_RESET_ALL = 16647;
const UINT IDC_ASSIGNED_TO = 16527;
const UINT IDC_ASSIGNED_TO_TITLE = 16528;

CString Formatted(ACCEL accel)
{
    CString str;
    CKTKeyHelper(&accel).Format(str);
    return str;
}

std::vector<ACCEL> Entries(HACCEL hAccel)
{
    std::vector<ACCEL> entries;
    const int nCount = hAccel != nullptr ? ::CopyAcceleratorTable(hAccel, nullptr, 0) : 0;
    if (nCount > 0)
    {
        entries.resize((size_t)nCount);
        ::CopyAcceleratorTable(hAccel, entries.data(), nCount);
    }
    return entries;
}

bool HasEntry(HACCEL hAccel, BYTE fVirt, WORD wKey, WORD wCmd)
{
    for (const ACCEL& entry : Entries(hAccel))
    {
        if (entry.fVirt == fVirt && entry.key == wKey && entry.cmd == wCmd)
            return true;
    }
    return false;
}

std::vector<std::wstring> ListTexts(CWnd* pList)
{
    std::vector<std::wstring> texts;
    const int nCount = (int)pList->SendMessage(LB_GETCOUNT);
    for (int i = 0; i < nCount; ++i)
    {
        wchar_t szText[128] = {};
        pList->SendMessage(LB_GETTEXT, (WPARAM)i, (LPARAM)szText);
        texts.push_back(szText);
    }
    return texts;
}

bool IsSortedAsTheListSorts(const std::vector<std::wstring>& texts)
{
    for (size_t i = 1; i < texts.size(); ++i)
    {
        if (::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, texts[i - 1].c_str(), -1, texts[i].c_str(), -1) ==
            CSTR_GREATER_THAN)
            return false;
    }
    return true;
}

// A frame that records the keyboard-reset message.
class CResetFrame : public CFrameWnd
{
public:
    int m_nResets = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != 0 && message == KT_WM_RESETKEYBOARD)
            ++m_nResets;
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
};

HMENU MakeMenu()
{
    HMENU hFile = ::CreatePopupMenu();
    ::AppendMenuW(hFile, MF_STRING, ID_TEST_CMD_NEW, L"&New\tCtrl+N");
    ::AppendMenuW(hFile, MF_STRING, ID_TEST_CMD_OPEN, L"&Open...");
    ::AppendMenuW(hFile, MF_SEPARATOR, 0, nullptr);
    HMENU hHelp = ::CreatePopupMenu();
    ::AppendMenuW(hHelp, MF_STRING, ID_TEST_CMD_HELP, L"&Help Topics");
    HMENU hMain = ::CreateMenu();
    ::AppendMenuW(hMain, MF_POPUP, (UINT_PTR)hFile, L"&File");
    ::AppendMenuW(hMain, MF_POPUP, (UINT_PTR)hHelp, L"&Help");
    return hMain;
}

class KeyboardPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::CreateDirectoryW(L"screenshots", nullptr);
        CKTToolBar::RegisterMessages();
        CustomizeTestApp().m_messageBoxes.clear();
        m_hMenu = MakeMenu();
        ASSERT_TRUE(m_frame.Create(nullptr, L"Keyboard frame", WS_OVERLAPPEDWINDOW, CRect(40, 40, 700, 560)));
        const ACCEL table[] = {{FVIRTKEY | FCONTROL | FNOINVERT, 'N', ID_TEST_CMD_NEW},
                               {FVIRTKEY, VK_F1, ID_TEST_CMD_HELP}};
        m_frame.m_hAccelTable = ::CreateAcceleratorTable(const_cast<LPACCEL>(table), 2);
        m_frame.m_bOwnAccelTable = TRUE;
        m_frame.m_nIDHelp = IDR_TEST_MAINFRAME;
        m_frame.m_hMenuDefault = m_hMenu;
        m_pOldMain = CustomizeTestApp().m_pMainWnd;
        CustomizeTestApp().m_pMainWnd = &m_frame;
        m_frame.ShowWindow(SW_SHOW);
    }
    void TearDown() override
    {
        if (m_pSheet != nullptr && m_pSheet->GetSafeHwnd() != nullptr)
            m_pSheet->DestroyWindow();
        delete m_pSheet;
        CustomizeTestApp().m_pMainWnd = m_pOldMain;
        CustomizeTestApp().m_nAnswer = IDNO;
        m_frame.m_hMenuDefault = nullptr;
        m_frame.DestroyWindow();
        ::DestroyMenu(m_hMenu);
        Pump();
    }

    CKTKeyboardPage* OpenSheet(BOOL bAutoSet = TRUE)
    {
        m_pSheet = new CKTToolbarCustomize(&m_frame, bAutoSet);
        if (!m_pSheet->CPropertySheet::Create(&m_frame))
            return nullptr;
        // The Commands and Toolbars pages come first.
        m_pSheet->SetActivePage(m_pSheet->GetKeyboardPage());
        m_pSheet->SetWindowPos(nullptr, 80, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        m_pSheet->SetForegroundWindow();
        Pump();
        m_pPage = m_pSheet->GetKeyboardPage();
        return m_pPage->GetSafeHwnd() != nullptr ? m_pPage : nullptr;
    }
    CWnd* Item(UINT nID) { return m_pPage->GetDlgItem(nID); }
    void Choose(UINT nID, const wchar_t* text, bool bCombo)
    {
        CWnd* pControl = Item(nID);
        const int nIndex =
            (int)pControl->SendMessage(bCombo ? CB_FINDSTRINGEXACT : LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)text);
        ASSERT_GE(nIndex, 0) << std::wstring(text);
        pControl->SendMessage(bCombo ? CB_SETCURSEL : LB_SETCURSEL, (WPARAM)nIndex);
        m_pPage->SendMessage(WM_COMMAND, MAKEWPARAM(nID, bCombo ? CBN_SELCHANGE : LBN_SELCHANGE),
                             (LPARAM)pControl->GetSafeHwnd());
        Pump();
    }
    void ChooseCommand(const wchar_t* category, const wchar_t* command)
    {
        Choose(IDC_CATEGORY, category, true);
        Choose(IDC_COMMANDS, command, false);
    }
    // Clicks into the new-key edit and types the keys, modifiers held around the last one.
    void TypeCombination(std::vector<WORD> modifiers, WORD wKey)
    {
        CRect rect;
        Item(IDC_NEW_KEY)->GetWindowRect(&rect);
        UserInput input;
        input.MoveTo(rect.CenterPoint()).LeftDown().LeftUp();
        for (WORD wModifier : modifiers)
            input.Key(wModifier, true);
        input.Press(wKey);
        for (WORD wModifier : modifiers)
            input.Key(wModifier, false);
        input.Pause(100);
        Play(input);
    }
    void Click(UINT nID)
    {
        CRect rect;
        Item(nID)->GetWindowRect(&rect);
        UserInput input;
        input.MoveTo(rect.CenterPoint()).LeftDown().LeftUp().Pause(100);
        Play(input);
    }
    CString Text(UINT nID)
    {
        CString str;
        Item(nID)->GetWindowText(str);
        return str;
    }

    CKTKeyboardManager m_manager;
    CResetFrame m_frame;
    HMENU m_hMenu = nullptr;
    CWnd* m_pOldMain = nullptr;
    CKTToolbarCustomize* m_pSheet = nullptr;
    CKTKeyboardPage* m_pPage = nullptr;
};

TEST_F(KeyboardPageTest, ATakenCombinationNamesItsCommandEvenWithoutTheNoInvertFlag)
{
    ASSERT_NE(nullptr, OpenSheet());
    ChooseCommand(L"File", L"Open...");
    TypeCombination({VK_CONTROL}, 'N');

    EXPECT_TRUE(Item(IDC_ASSIGNED_TO_TITLE)->IsWindowVisible());
    EXPECT_EQ(CString(L"New"), Text(IDC_ASSIGNED_TO));
    EXPECT_FALSE(Item(IDC_ASSIGN)->IsWindowEnabled());

    TypeCombination({VK_CONTROL, VK_SHIFT}, 'N');
    CString strUnassigned;
    strUnassigned.LoadString(16009);
    EXPECT_EQ(strUnassigned, Text(IDC_ASSIGNED_TO));
    EXPECT_TRUE(Item(IDC_ASSIGN)->IsWindowEnabled());

    CRect rect;
    m_pSheet->GetWindowRect(&rect);
    SaveScreenArea(L"screenshots/keyboard-page.bmp", rect);
}

TEST_F(KeyboardPageTest, AssignAndRemoveChangeTheFramesTableAtOnceAndKeepTheListSorted)
{
    ASSERT_NE(nullptr, OpenSheet());
    ChooseCommand(L"File", L"Open...");
    const std::vector<std::pair<std::vector<WORD>, WORD>> keys = {
        {{VK_CONTROL}, 'K'}, {{}, VK_F2}, {{VK_SHIFT}, VK_F3}};
    for (const auto& key : keys)
    {
        TypeCombination(key.first, key.second);
        ASSERT_TRUE(Item(IDC_ASSIGN)->IsWindowEnabled());
        Click(IDC_ASSIGN);
        EXPECT_TRUE(Text(IDC_NEW_KEY).IsEmpty());
    }
    EXPECT_TRUE(HasEntry(m_frame.m_hAccelTable, FVIRTKEY | FCONTROL, 'K', ID_TEST_CMD_OPEN));
    EXPECT_TRUE(HasEntry(m_frame.m_hAccelTable, FVIRTKEY, VK_F2, ID_TEST_CMD_OPEN));
    EXPECT_TRUE(HasEntry(m_frame.m_hAccelTable, FVIRTKEY | FSHIFT, VK_F3, ID_TEST_CMD_OPEN));
    EXPECT_TRUE(HasEntry(m_frame.m_hAccelTable, FVIRTKEY | FCONTROL | FNOINVERT, 'N', ID_TEST_CMD_NEW));
    std::vector<std::wstring> current = ListTexts(Item(IDC_CURRENT_KEYS));
    ASSERT_EQ(3u, current.size());
    EXPECT_TRUE(IsSortedAsTheListSorts(current));

    const std::wstring removed((LPCTSTR)Formatted({FVIRTKEY, VK_F2, 0}));
    Choose(IDC_CURRENT_KEYS, removed.c_str(), false);
    EXPECT_TRUE(Item(IDC_REMOVE)->IsWindowEnabled());
    Click(IDC_REMOVE);
    EXPECT_FALSE(HasEntry(m_frame.m_hAccelTable, FVIRTKEY, VK_F2, ID_TEST_CMD_OPEN));
    EXPECT_TRUE(HasEntry(m_frame.m_hAccelTable, FVIRTKEY | FCONTROL, 'K', ID_TEST_CMD_OPEN));
    current = ListTexts(Item(IDC_CURRENT_KEYS));
    EXPECT_EQ(2u, current.size());
    EXPECT_TRUE(IsSortedAsTheListSorts(current));
    EXPECT_FALSE(Item(IDC_REMOVE)->IsWindowEnabled());
}

TEST_F(KeyboardPageTest, ResetAllAsksFirstAndNoChangesNothing)
{
    ASSERT_NE(nullptr, OpenSheet());
    ChooseCommand(L"File", L"Open...");
    TypeCombination({VK_CONTROL}, 'K');
    Click(IDC_ASSIGN);
    const size_t nBefore = Entries(m_frame.m_hAccelTable).size();

    CustomizeTestApp().m_nAnswer = IDNO;
    m_pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_RESET_ALL, BN_CLICKED), (LPARAM)Item(IDC_RESET_ALL)->GetSafeHwnd());
    ASSERT_EQ(1u, CustomizeTestApp().m_messageBoxes.size());
    CString strQuestion;
    strQuestion.LoadString(16115);
    EXPECT_EQ(std::wstring((LPCTSTR)strQuestion), CustomizeTestApp().m_messageBoxes[0]);
    EXPECT_EQ(nBefore, Entries(m_frame.m_hAccelTable).size());
    EXPECT_EQ(nBefore, m_pPage->GetWorkingCopy().size());
    EXPECT_EQ(0, m_frame.m_nResets);

    CustomizeTestApp().m_nAnswer = IDYES;
    m_pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_RESET_ALL, BN_CLICKED), (LPARAM)Item(IDC_RESET_ALL)->GetSafeHwnd());
    HACCEL hResource = ::LoadAcceleratorsW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_TEST_MAINFRAME));
    EXPECT_EQ(Entries(hResource).size(), Entries(m_frame.m_hAccelTable).size());
    EXPECT_FALSE(HasEntry(m_frame.m_hAccelTable, FVIRTKEY | FCONTROL, 'K', ID_TEST_CMD_OPEN));
    EXPECT_EQ(1, m_frame.m_nResets);
    EXPECT_EQ(Entries(hResource).size(), m_pPage->GetWorkingCopy().size());
}

TEST_F(KeyboardPageTest, ViewTypesAreTheTemplatesOnceAndTheFrame)
{
    TestDocTemplate(IDR_TEST_DOCTYPE);
    ASSERT_NE(nullptr, OpenSheet(TRUE));
    CWnd* pViewType = Item(IDC_VIEW_TYPE);
    CString strDefault;
    strDefault.LoadString(16114);
    ASSERT_EQ(2, (int)pViewType->SendMessage(CB_GETCOUNT));
    EXPECT_GE((int)pViewType->SendMessage(CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)L"Kest"), 0);
    const int nDefault = (int)pViewType->SendMessage(CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)(LPCTSTR)strDefault);
    EXPECT_EQ(nDefault, (int)pViewType->SendMessage(CB_GETCURSEL));

    // Separators and menu buttons never stand among the commands.
    Choose(IDC_CATEGORY, L"File", true);
    EXPECT_EQ((std::vector<std::wstring>{L"New", L"Open..."}), ListTexts(Item(IDC_COMMANDS)));

    Choose(IDC_VIEW_TYPE, L"Kest", true);
    EXPECT_EQ(TestDocTemplate(IDR_TEST_DOCTYPE), m_pPage->GetSelectedTemplate());
    EXPECT_EQ(Entries(TestDocTemplate(IDR_TEST_DOCTYPE)->m_hAccelTable).size(), m_pPage->GetWorkingCopy().size());

    m_pSheet->DestroyWindow();
    delete m_pSheet;
    m_pSheet = nullptr;
    ASSERT_NE(nullptr, OpenSheet(FALSE));
    pViewType = Item(IDC_VIEW_TYPE);
    EXPECT_EQ(1, (int)pViewType->SendMessage(CB_GETCOUNT));
    EXPECT_EQ(0, (int)pViewType->SendMessage(CB_GETCURSEL));
}

TEST_F(KeyboardPageTest, CommandsOfTheSameTextAreToldApartByTheirMenuPaths)
{
    // File holds two "Save"s, one of them in a submenu; both land in the File category.
    HMENU hLayout = ::CreatePopupMenu();
    ::AppendMenuW(hLayout, MF_STRING, ID_TEST_CMD_CUT, L"&Save");
    HMENU hFile = ::CreatePopupMenu();
    ::AppendMenuW(hFile, MF_STRING, ID_TEST_CMD_NEW, L"&New");
    ::AppendMenuW(hFile, MF_STRING, ID_TEST_CMD_SAVEAS, L"&Save");
    ::AppendMenuW(hFile, MF_POPUP, (UINT_PTR)hLayout, L"&Layout");
    HMENU hMain = ::CreateMenu();
    ::AppendMenuW(hMain, MF_POPUP, (UINT_PTR)hFile, L"&File");
    m_frame.m_hMenuDefault = hMain;
    ASSERT_NE(nullptr, OpenSheet());

    struct Case
    {
        const wchar_t* category;
        std::vector<std::wstring> commands; // in any order
    };
    const Case cases[] = {
        {L"File", {L"FileLayoutSave", L"FileSave", L"New"}},
        {L"All Commands", {L"FileLayoutSave", L"FileNew", L"FileSave"}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::wstring(c.category));
        Choose(IDC_CATEGORY, c.category, true);
        std::vector<std::wstring> shown = ListTexts(Item(IDC_COMMANDS));
        std::sort(shown.begin(), shown.end());
        EXPECT_EQ(c.commands, shown);
    }

    m_pSheet->DestroyWindow();
    delete m_pSheet;
    m_pSheet = nullptr;
    m_frame.m_hMenuDefault = m_hMenu;
    ::DestroyMenu(hMain);
}

} // namespace

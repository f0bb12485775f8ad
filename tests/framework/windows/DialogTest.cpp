// Modal dialogs through the framework's own loop, and dialog data exchange.
#include "WindowsTestSupport.h"
#include "TestResource.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class CTestDialog : public CDialog
{
public:
    CTestDialog() : CDialog(IDD_TEST_DIALOG) {}

    CString m_strName = L"start";
    int m_nCount = 7;
    int m_nFlag = 1;
    int m_nRadio = 2;
    int m_nChoice = 1;

    int m_nKicks = 0;
    // Run at the first idle kick, while the dialog is up and filled.
    std::function<void(CTestDialog&)> m_onFirstKick;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_NAME, m_strName);
        DDV_MaxChars(pDX, m_strName, 10);
        DDX_Text(pDX, IDC_COUNT, m_nCount);
        DDV_MinMaxInt(pDX, m_nCount, 0, 255);
        DDX_Check(pDX, IDC_FLAG, m_nFlag);
        DDX_Radio(pDX, IDC_RADIO1, m_nRadio);
        DDX_CBIndex(pDX, IDC_CHOICE, m_nChoice);
    }
    LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        if (m_nKicks++ == 0 && m_onFirstKick)
            m_onFirstKick(*this);
        return FALSE;  // no more idle time wanted
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDialog, CDialog)
    ON_MESSAGE(WM_KICKIDLE, &CTestDialog::OnKickIdle)
END_MESSAGE_MAP()

CString ItemText(CWnd& dlg, int nID)
{
    CString text;
    dlg.GetDlgItemText(nID, text);
    return text;
}

TEST(DialogTest, ModalDialogKicksIdleAndExchangesDataBothWays)
{
    CTestDialog dlg;
    CString shownName;
    CString shownCount;
    UINT shownFlag = 0;
    UINT shownRadio3 = 0;
    int comboItems = 0;
    int comboSelection = -1;
    dlg.m_onFirstKick = [&](CTestDialog& d) {
        shownName = ItemText(d, IDC_NAME);
        shownCount = ItemText(d, IDC_COUNT);
        shownFlag = d.IsDlgButtonChecked(IDC_FLAG);
        shownRadio3 = d.IsDlgButtonChecked(IDC_RADIO3);
        comboItems = (int)d.SendDlgItemMessage(IDC_CHOICE, CB_GETCOUNT);
        comboSelection = (int)d.SendDlgItemMessage(IDC_CHOICE, CB_GETCURSEL);
        // The user edits everything and presses OK.
        d.SetDlgItemText(IDC_NAME, L"changed");
        d.SetDlgItemText(IDC_COUNT, L" 42 ");
        d.CheckDlgButton(IDC_FLAG, BST_UNCHECKED);
        d.CheckRadioButton(IDC_RADIO1, IDC_RADIO3, IDC_RADIO1);
        d.SendDlgItemMessage(IDC_CHOICE, CB_SETCURSEL, 2);
        d.PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(d.m_hWnd, IDOK));
    };

    EXPECT_EQ(dlg.DoModal(), IDOK);

    EXPECT_GE(dlg.m_nKicks, 1);
    EXPECT_EQ(shownName, CString(L"start"));
    EXPECT_EQ(shownCount, CString(L"7"));
    EXPECT_EQ(shownFlag, (UINT)BST_CHECKED);
    EXPECT_EQ(shownRadio3, (UINT)BST_CHECKED);
    EXPECT_EQ(comboItems, 3) << "the dialog's initial combo data";
    EXPECT_EQ(comboSelection, 1);

    EXPECT_EQ(dlg.m_strName, CString(L"changed"));
    EXPECT_EQ(dlg.m_nCount, 42);
    EXPECT_EQ(dlg.m_nFlag, 0);
    EXPECT_EQ(dlg.m_nRadio, 0);
    EXPECT_EQ(dlg.m_nChoice, 2);
    EXPECT_EQ(dlg.m_hWnd, nullptr) << "the window is gone after DoModal";
}

TEST(DialogTest, InvalidEntryIsReportedAndKeepsTheDialogOpen)
{
    struct Case
    {
        const wchar_t* name;
        const wchar_t* count;
        const wchar_t* expectedPrompt;
        int expectedCount;  // a number that parses is stored before its range check fails
    };
    const Case cases[] = {
        {L"start", L"300", L"Enter an integer between 0 and 255.", 300},
        {L"start", L"12abc", L"Please enter an integer.", 7},
        {L"start", L"99999999999", L"Please enter an integer.", 7},
        {L"far too long a name", L"1", L"Enter no more than 10 characters.", 7},
    };
    for (const Case& c : cases)
    {
        TestApp().m_messageBoxes.clear();
        CTestDialog dlg;
        BOOL bStillOpenAfterOK = FALSE;
        dlg.m_onFirstKick = [&](CTestDialog& d) {
            d.SetDlgItemText(IDC_NAME, c.name);
            d.SetDlgItemText(IDC_COUNT, c.count);
            d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(d.m_hWnd, IDOK));
            bStillOpenAfterOK = d.ContinueModal();
            d.EndDialog(IDCANCEL);
        };
        EXPECT_EQ(dlg.DoModal(), IDCANCEL) << c.count;
        EXPECT_TRUE(bStillOpenAfterOK) << c.count;
        ASSERT_EQ(TestApp().m_messageBoxes.size(), 1u) << c.count;
        EXPECT_EQ(TestApp().m_messageBoxes[0], c.expectedPrompt);
        EXPECT_EQ(dlg.m_nCount, c.expectedCount) << c.count;
    }
}

TEST(DialogTest, ModelessDialogLivesUntilDestroyedAndReturnsItsValues)
{
    CTestDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_DIALOG));
    EXPECT_EQ(ItemText(dlg, IDC_NAME), CString(L"start"));
    dlg.SetDlgItemText(IDC_NAME, L"typed");
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.m_strName, CString(L"typed"));
    dlg.DestroyWindow();
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

} // namespace

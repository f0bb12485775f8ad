// Property sheets: modeless with page switching and data exchange, modal through the framework's loop.
#include "WindowsTestSupport.h"
#include "TestResource.h"

#include <gtest/gtest.h>

namespace {

class COptionPage : public CPropertyPage
{
public:
    COptionPage() : CPropertyPage(IDD_TEST_PAGE1) {}
    int m_nOption = 0;
    int m_nKills = 0;
    int m_nApplies = 0;
    int m_nKicks = 0;
    BOOL m_bPressOkOnKick = FALSE;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Check(pDX, IDC_PAGE_CHECK, m_nOption); }
    BOOL OnKillActive() override
    {
        m_nKills++;
        return CPropertyPage::OnKillActive();
    }
    BOOL OnApply() override
    {
        m_nApplies++;
        return CPropertyPage::OnApply();
    }
    LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        if (m_nKicks++ == 0 && m_bPressOkOnKick)
        {
            CheckDlgButton(IDC_PAGE_CHECK, BST_CHECKED);
            GetParentSheet()->PressButton(PSBTN_OK);
        }
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COptionPage, CPropertyPage)
    ON_MESSAGE(WM_KICKIDLE, &COptionPage::OnKickIdle)
END_MESSAGE_MAP()

class CTextPage : public CPropertyPage
{
public:
    CTextPage() : CPropertyPage(IDD_TEST_PAGE2) {}
    CString m_strText = L"hello";

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_PAGE_EDIT, m_strText); }
};

TEST(PropertySheetTest, ModelessSheetSwitchesPagesExchangesDataAndClosesItself)
{
    CPropertySheet sheet(L"Settings");
    COptionPage first;
    CTextPage second;
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    ASSERT_TRUE(sheet.Create());
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    ASSERT_NE(first.m_hWnd, nullptr) << "the page object is attached to its window";
    EXPECT_EQ(second.m_hWnd, nullptr) << "pages are created when first shown";
    HWND hOK = ::GetDlgItem(sheet.m_hWnd, IDOK);
    EXPECT_TRUE(hOK == nullptr || !::IsWindowVisible(hOK)) << "a modeless sheet has no OK button";
    CString title;
    sheet.GetWindowText(title);
    EXPECT_NE(title.Find(L"Settings"), -1);

    first.CheckDlgButton(IDC_PAGE_CHECK, BST_CHECKED);
    ASSERT_TRUE(sheet.SetActivePage(1));
    EXPECT_EQ(sheet.GetActiveIndex(), 1);
    EXPECT_EQ(sheet.GetActivePage(), &second);
    EXPECT_EQ(first.m_nKills, 1);
    EXPECT_EQ(first.m_nOption, 1) << "leaving a page saves its data";
    ASSERT_NE(second.m_hWnd, nullptr);
    CString text;
    second.GetDlgItemText(IDC_PAGE_EDIT, text);
    EXPECT_EQ(text, CString(L"hello"));
    EXPECT_NE(sheet.GetTabControl(), nullptr);

    sheet.SendMessage(WM_CLOSE);
    EXPECT_EQ(sheet.m_hWnd, nullptr);
}

TEST(PropertySheetTest, ModalSheetRunsTheFrameworksLoopAndAppliesOnOK)
{
    CPropertySheet sheet(L"Modal");
    COptionPage page;
    page.m_bPressOkOnKick = TRUE;
    sheet.AddPage(&page);
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_GE(page.m_nKicks, 1) << "the sheet passes idle kicks to its active page";
    EXPECT_EQ(page.m_nApplies, 1);
    EXPECT_EQ(page.m_nOption, 1);
    EXPECT_EQ(sheet.m_hWnd, nullptr);
}

} // namespace

namespace {

// A sheet embedded as a child control of another window (as a dialog embeds one): inside its
// parent, without caption, with its pages.
TEST(PropertySheetTest, ChildSheetLivesInsideItsParent)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)),
                              L"colours", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 80, 80, 420, 360, nullptr, nullptr));
    CPropertySheet sheet;
    COptionPage first;
    CTextPage second;
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    ASSERT_TRUE(sheet.Create(&host, WS_CHILD | WS_VISIBLE | WS_TABSTOP, WS_EX_CONTROLPARENT));
    EXPECT_EQ(::GetParent(sheet.m_hWnd), host.m_hWnd);
    const DWORD dwStyle = sheet.GetStyle();
    EXPECT_NE(dwStyle & WS_CHILD, 0u);
    EXPECT_EQ(dwStyle & (WS_CAPTION | WS_POPUP), 0u);
    EXPECT_NE(sheet.GetExStyle() & WS_EX_CONTROLPARENT, 0u);
    EXPECT_TRUE(sheet.IsWindowVisible());
    ASSERT_NE(first.m_hWnd, nullptr);
    EXPECT_EQ(::GetParent(first.m_hWnd), sheet.m_hWnd);
    ASSERT_TRUE(sheet.SetActivePage(1));
    EXPECT_EQ(sheet.GetActivePage(), &second);
    host.DestroyWindow();
    EXPECT_EQ(sheet.m_hWnd, nullptr);
}

} // namespace

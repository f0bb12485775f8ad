// The control members later code calls, each against a real control: hit tests of list cells,
// the rich edit's selection text and second-version formats, 32-bit spin positions, tooltip
// tools, region inversion and mirrored layout, window regions and class registration.
#include "WindowsTestSupport.h"

#include <gtest/gtest.h>

namespace {

class ControlsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)),
                                      L"controls", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 500, 400, nullptr,
                                      nullptr));
    }
    void TearDown() override { m_parent.DestroyWindow(); }
    CWnd m_parent;
};

TEST_F(ControlsTest, ListSubItemHitTestFindsRowAndColumn)
{
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 300, 200), &m_parent, 10));
    LVCOLUMN column{};
    column.mask = LVCF_WIDTH;
    column.cx = 100;
    ListView_InsertColumn(list.m_hWnd, 0, &column);
    ListView_InsertColumn(list.m_hWnd, 1, &column);
    list.InsertItem(0, L"first");
    list.InsertItem(1, L"second");
    CRect rectItem;
    ListView_GetItemRect(list.m_hWnd, 1, &rectItem, LVIR_BOUNDS);

    LVHITTESTINFO hit{};
    hit.pt = CPoint(150, rectItem.CenterPoint().y);
    EXPECT_EQ(list.SubItemHitTest(&hit), 1);
    EXPECT_EQ(hit.iItem, 1);
    EXPECT_EQ(hit.iSubItem, 1);
    hit = LVHITTESTINFO{};
    hit.pt = CPoint(50, 190);
    EXPECT_EQ(list.SubItemHitTest(&hit), -1);
}

TEST_F(ControlsTest, RichEditSelectionTextAndSecondVersionFormats)
{
    ASSERT_TRUE(AfxInitRichEdit2());
    CRichEditCtrl edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(0, 0, 300, 100), &m_parent, 11));
    edit.SetWindowText(L"Hello world");
    edit.SetSel(6, 11);
    EXPECT_EQ(edit.GetSelText(), CString(L"world"));
    edit.SetSel(3, 3);
    EXPECT_TRUE(edit.GetSelText().IsEmpty());

    edit.SetSel(0, -1);
    PARAFORMAT2 para{};
    para.dwMask = PFM_RTLPARA;
    para.wEffects = PFE_RTLPARA;
    EXPECT_TRUE(edit.SetParaFormat(para));
    PARAFORMAT2 paraRead{};
    edit.GetParaFormat(paraRead);
    EXPECT_NE(paraRead.wEffects & PFE_RTLPARA, 0);

    CHARFORMAT2 chars{};
    chars.dwMask = CFM_BACKCOLOR;
    chars.dwEffects = CFE_AUTOBACKCOLOR;
    EXPECT_TRUE(edit.SetSelectionCharFormat(chars));
    CHARFORMAT2 charsRead{};
    edit.GetSelectionCharFormat(charsRead);
    EXPECT_NE(charsRead.dwEffects & CFE_AUTOBACKCOLOR, 0u);
    EXPECT_TRUE(edit.SetTargetDevice(nullptr, 0));
}

TEST_F(ControlsTest, SpinKeepsThirtyTwoBitRangeAndPosition)
{
    CEdit buddy;
    ASSERT_TRUE(buddy.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 80, 24), &m_parent, 13));
    CSpinButtonCtrl spin;
    ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_NOTHOUSANDS, CRect(80, 0, 100, 24),
                            &m_parent, 12));
    spin.SetBuddy(&buddy);
    spin.SetRange32(-5, 100000);
    int nLower = 0, nUpper = 0;
    spin.GetRange(nLower, nUpper);
    EXPECT_EQ(nLower, -5);
    EXPECT_EQ(nUpper, 100000);
    spin.SetPos32(70000);
    CString text;
    buddy.GetWindowText(text);
    EXPECT_EQ(text, CString(L"70000"));
    BOOL bError = TRUE;
    EXPECT_EQ(spin.GetPos32(&bError), 70000);
    EXPECT_FALSE(bError);
    buddy.SetWindowText(L"many");
    spin.GetPos32(&bError);
    EXPECT_TRUE(bError) << "a buddy text that is no number is reported";
}

TEST_F(ControlsTest, ToolTipControlAnswersForItsTools)
{
    CToolTipCtrl tips;
    ASSERT_TRUE(tips.Create(&m_parent));
    CRect rectTool(10, 10, 60, 40);
    ASSERT_TRUE(tips.AddTool(&m_parent, L"Tip text", &rectTool, 7));
    CString text;
    tips.GetText(text, &m_parent, 7);
    EXPECT_EQ(text, CString(L"Tip text"));
    TOOLINFO info{};
    EXPECT_TRUE(tips.GetToolInfo(info, &m_parent, 7));
    EXPECT_EQ(CRect(info.rect), rectTool);
    EXPECT_FALSE(tips.GetToolInfo(info, &m_parent, 8));
    tips.SetMaxTipWidth(200);
    EXPECT_EQ(tips.GetMaxTipWidth(), 200);
    tips.DestroyWindow();
}

TEST_F(ControlsTest, RegionInversionMirroredLayoutAndWindowRegion)
{
    CClientDC dcWindow(&m_parent);
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(&dcWindow));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&dcWindow, 40, 40));
    CBitmap* pOld = dc.SelectObject(&bitmap);
    dc.FillSolidRect(CRect(0, 0, 40, 40), RGB(255, 255, 255));
    CRgn rgn;
    ASSERT_TRUE(rgn.CreateRectRgn(10, 10, 20, 20));
    EXPECT_TRUE(dc.InvertRgn(&rgn));
    EXPECT_EQ(dc.GetPixel(15, 15), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(25, 25), RGB(255, 255, 255));
    EXPECT_EQ(dc.SetLayout(LAYOUT_RTL), 0u);
    EXPECT_EQ(dc.GetLayout(), static_cast<DWORD>(LAYOUT_RTL));
    dc.SelectObject(pOld);

    HRGN hEllipse = ::CreateEllipticRgn(0, 0, 200, 100);
    EXPECT_NE(m_parent.SetWindowRgn(hEllipse, TRUE), 0);
    HRGN hRead = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(m_parent.GetWindowRgn(hRead), COMPLEXREGION);
    ::DeleteObject(hRead);
}

TEST(AfxRegisterClassTest, RegistersOnceAndAcceptsTheSameClassAgain)
{
    WNDCLASS wndcls{};
    wndcls.lpfnWndProc = ::DefWindowProc;
    wndcls.hInstance = AfxGetInstanceHandle();
    wndcls.lpszClassName = L"KestRegisterClassTest";
    EXPECT_TRUE(AfxRegisterClass(&wndcls));
    EXPECT_TRUE(AfxRegisterClass(&wndcls));
    WNDCLASS found{};
    EXPECT_TRUE(::GetClassInfo(AfxGetInstanceHandle(), L"KestRegisterClassTest", &found));
    EXPECT_FALSE(AfxRegisterClass(nullptr));
}

} // namespace

// The property grid in a real window: integer values over variant types, the keys with and
// without a selection, the wheel, the column and divider limits, colour changes reported only
// when the colour differs, and the colour popup under the display's mouse.
#include "tests/uitoolkit/colors/ColorTestSupport.h"
#include "uitoolkit/widgets/KTPropList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

class CCountingPropList : public CKTPropList
{
public:
    mutable std::vector<CKTProp*> m_changed;
    void OnPropertyChanged(CKTProp* pProp) const override
    {
        m_changed.push_back(pProp);
        CKTPropList::OnPropertyChanged(pProp);
    }
};

TEST(PropListStartUp, RegistersItsMessageAndFormats)
{
    EXPECT_NE(0u, KT_WM_PROPERTYCHANGED);
    EXPECT_EQ(::RegisterWindowMessage(L"KTM_PROPERTYCHANGED"), KT_WM_PROPERTYCHANGED);
    EXPECT_EQ(std::wstring(L"%d"), std::wstring(static_cast<LPCWSTR>(CKTProp::m_strFormatShort)));
    EXPECT_EQ(std::wstring(L"%ld"), std::wstring(static_cast<LPCWSTR>(CKTProp::m_strFormatLong)));
    EXPECT_EQ(std::wstring(L"%f"), std::wstring(static_cast<LPCWSTR>(CKTProp::m_strFormatFloat)));
    EXPECT_EQ(std::wstring(L"%lf"), std::wstring(static_cast<LPCWSTR>(CKTProp::m_strFormatDouble)));
}

TEST(PropValues, IntegerSetterKeepsLongErrorAndBooleanTypes)
{
    struct Case
    {
        COleVariant var;
        long nValue;
        VARTYPE vtExpected;
        long nExpected;
    };
    const Case cases[] = {
        {COleVariant(7L), 42, VT_I4, 42},
        {COleVariant(7L, VT_ERROR), 42, VT_ERROR, 42},
        {COleVariant(0L, VT_BOOL), 5, VT_BOOL, -1},
        {COleVariant(-1L, VT_BOOL), 0, VT_BOOL, 0},
        {COleVariant(-1L, VT_BOOL), -3, VT_BOOL, 0},
        {COleVariant(L"text"), 9, VT_I4, 9},
        {COleVariant(2.5), -4, VT_I4, -4},
    };
    for (const Case& c : cases)
    {
        CKTProp prop(L"Value", c.var);
        prop.SetIntValue(c.nValue);
        EXPECT_EQ(c.vtExpected, prop.GetValue().vt) << c.nValue;
        const long nGot =
            prop.GetValue().vt == VT_BOOL ? static_cast<short>(prop.GetValue().boolVal) : prop.GetValue().lVal;
        EXPECT_EQ(c.nExpected, nGot) << c.nValue;
    }
}

class PropListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.Make(CRect(120, 120, 460, 420)));
        m_host.SetForegroundWindow();
        ASSERT_TRUE(
            m_list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, CRect(10, 10, 310, 250), &m_host, 400));
        CKTProp* pLook = new CKTProp(CString(L"Appearance"));
        pLook->AddSubItem(new CKTProp(L"Caption", COleVariant(L"Kest")));
        pLook->AddSubItem(new CKTProp(L"Width", COleVariant(120L)));
        m_pColor = new CKTColorProp(L"Colour", RGB(255, 0, 0));
        pLook->AddSubItem(m_pColor);
        m_list.AddProperty(pLook);
        CKTProp* pMisc = new CKTProp(CString(L"Misc"));
        for (int i = 0; i < 12; i++)
            pMisc->AddSubItem(
                new CKTProp(CString((L"Item " + std::to_wstring(i)).c_str()), COleVariant(static_cast<long>(i))));
        m_list.AddProperty(pMisc);
        m_list.UpdateWindow();
        PumpAndIdle();
    }
    void TearDown() override
    {
        m_list.DestroyWindow();
        m_host.DestroyWindow();
        PumpAndIdle();
    }
    std::vector<CKTProp*> Rows()
    {
        std::vector<CKTProp*> rows;
        for (int i = 0; i < m_list.GetPropertyCount(); i++)
        {
            CKTProp* pGroup = m_list.GetProperty(i);
            rows.push_back(pGroup);
            if (pGroup->IsExpanded())
                for (int j = 0; j < pGroup->GetSubItemsCount(); j++)
                    rows.push_back(pGroup->GetSubItem(j));
        }
        return rows;
    }
    int SelRow()
    {
        const std::vector<CKTProp*> rows = Rows();
        for (size_t i = 0; i < rows.size(); i++)
            if (rows[i] == m_list.GetCurSel())
                return static_cast<int>(i);
        return -1;
    }
    void Keys(std::initializer_list<WORD> keys)
    {
        m_list.SetFocus();
        UserInput input;
        for (WORD vk : keys)
            input.Press(vk);
        input.Pause(80);
        Play(input);
    }

    CHostWnd m_host;
    CCountingPropList m_list;
    CKTColorProp* m_pColor = nullptr;
};

TEST_F(PropListTest, KeysMoveTheSelectionWithAndWithoutOne)
{
    // 2 groups, 3 + 12 items: 17 rows.
    ASSERT_EQ(17u, Rows().size());
    const int nPage = m_list.GetListRect().Height() / m_list.GetRowHeight();
    struct Step
    {
        std::vector<WORD> keys;
        int nRow;
    };
    const Step steps[] = {
        {{VK_DOWN}, 0}, // nothing selected: the first row
        {{VK_DOWN, VK_DOWN}, 2},
        {{VK_RIGHT}, 3},
        {{VK_UP}, 2},
        {{VK_LEFT, VK_LEFT, VK_LEFT}, 0}, // stops at the top
        {{VK_NEXT}, nPage},
        {{VK_END}, 16},
        {{VK_DOWN}, 16}, // stops at the bottom
        {{VK_PRIOR}, 16 - nPage},
        {{VK_HOME}, 0},
    };
    for (const Step& step : steps)
    {
        m_list.SetFocus();
        UserInput input;
        for (WORD vk : step.keys)
            input.Press(vk);
        input.Pause(80);
        Play(input);
        EXPECT_EQ(step.nRow, SelRow()) << step.keys.size() << " keys, first " << step.keys.front();
    }
    EXPECT_EQ(0, m_list.GetScrollPos());

    // The numeric pad's minus collapses a group and plus expands it.
    Keys({VK_SUBTRACT});
    EXPECT_FALSE(m_list.GetProperty(0)->IsExpanded());
    EXPECT_EQ(14u, Rows().size());
    Keys({VK_ADD});
    EXPECT_TRUE(m_list.GetProperty(0)->IsExpanded());
    SaveWindowShot(&m_list, L"PropList.bmp");
}

TEST_F(PropListTest, WithNothingSelectedTheMovingKeysSelectTheFirstRowAtTheTop)
{
    for (WORD vk : {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_PRIOR, VK_NEXT})
    {
        m_list.SetCurSel(nullptr);
        m_list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, -360), 0);
        ASSERT_EQ(3, m_list.GetScrollPos());
        Keys({vk});
        EXPECT_EQ(0, SelRow()) << vk;
        EXPECT_EQ(0, m_list.GetScrollPos()) << vk;
    }
    // Keys outside the list's range change nothing.
    m_list.SetCurSel(nullptr);
    Keys({VK_F5});
    EXPECT_EQ(-1, SelRow());
}

TEST_F(PropListTest, WheelScrollsALinePerNotch)
{
    struct Step
    {
        short zDelta;
        int nPos;
    };
    const Step steps[] = {{-120, 1}, {-240, 3}, {120, 2}, {360, 0}, {-119, 0}, {-1200, 10}};
    for (const Step& step : steps)
    {
        m_list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, step.zDelta), 0);
        const int nMax = 17 - m_list.GetListRect().Height() / m_list.GetRowHeight();
        EXPECT_EQ(std::min(step.nPos, nMax), m_list.GetScrollPos()) << step.zDelta;
    }
}

TEST_F(PropListTest, NameColumnAndDividerStayInsideTheList)
{
    HDITEM item{};
    item.mask = HDI_WIDTH;
    item.cxy = 5000;
    m_list.GetHeaderCtrl().SetItem(0, &item);
    PumpAndIdle();
    EXPECT_EQ(m_list.GetListRect().Width(), m_list.GetLeftColumnWidth());
    m_list.SetLeftColumnWidth(90);
    EXPECT_EQ(90, m_list.GetLeftColumnWidth());

    // The description divider, dragged with the mouse beyond both ends, stops a row short.
    m_list.EnableDescriptionArea();
    m_list.UpdateWindow();
    PumpAndIdle();
    int nTop = 0, nBottom = 0;
    m_list.GetDividerLimits(nTop, nBottom);
    CRect rectClient;
    m_list.GetClientRect(&rectClient);
    EXPECT_EQ(m_list.GetListRect().top + m_list.GetRowHeight(), nTop);
    EXPECT_EQ(rectClient.bottom - m_list.GetRowHeight(), nBottom);

    struct Drag
    {
        int yTo;
        int nHeight;
    };
    const Drag drags[] = {{rectClient.bottom + 200, rectClient.bottom - nBottom},
                          {rectClient.top - 200, rectClient.bottom - nTop}};
    for (const Drag& drag : drags)
    {
        const int yDivider = m_list.GetListRect().bottom - 4;
        const POINT from = ScreenPoint(&m_list, CPoint(100, yDivider));
        const POINT to = ScreenPoint(&m_list, CPoint(100, drag.yTo));
        UserInput input;
        input.MoveTo(from).Pause(30).LeftDown().Glide(from, to, 6).LeftUp().Pause(80);
        Play(input);
        EXPECT_EQ(drag.nHeight, m_list.GetDescriptionHeight()) << drag.yTo;
    }
}

TEST_F(PropListTest, ColourChangesAreReportedOnlyWhenTheColourDiffers)
{
    m_list.SetCurSel(m_pColor);
    m_list.UpdateColor(RGB(255, 0, 0));
    EXPECT_TRUE(m_list.m_changed.empty());
    m_list.UpdateColor(RGB(0, 0, 255));
    ASSERT_EQ(1u, m_list.m_changed.size());
    EXPECT_EQ(m_pColor, m_list.m_changed[0]);
    EXPECT_EQ(RGB(0, 0, 255), m_pColor->GetColor());
    EXPECT_EQ(std::wstring(L"0000FF"), std::wstring(static_cast<LPCWSTR>(m_pColor->FormatProperty())));
    // Another property selected: nothing to colour.
    m_list.SetCurSel(m_list.GetProperty(0)->GetSubItem(1));
    m_list.UpdateColor(RGB(1, 1, 1));
    EXPECT_EQ(1u, m_list.m_changed.size());
}

TEST_F(PropListTest, ColourPopupDropsUnderTheValueAndTakesTheChosenCell)
{
    const CRect rectValue = m_pColor->GetValueRect();
    UserInput open;
    open.MoveTo(ScreenPoint(&m_list, rectValue.CenterPoint())).Pause(30).LeftDown().LeftUp().Pause(150);
    Play(open);
    CWnd* pPopup = m_pColor->GetPopup();
    ASSERT_NE(nullptr, pPopup);
    CKTColorBar* pBar = AsColorBar(pPopup->GetWindow(GW_CHILD));
    ASSERT_NE(nullptr, pBar);
    EXPECT_EQ(RGB(255, 0, 0), pBar->GetColor());
    pBar->UpdateWindow();
    SaveWindowShot(pPopup, L"PropListColourPopup.bmp");

    CRect rectCell;
    pBar->GetItemRect(2, &rectCell);
    pBar->ClientToScreen(&rectCell);
    const COLORREF colorCell = pBar->GetColors()[2];
    UserInput choose;
    choose.MoveTo(rectCell.CenterPoint()).Pause(30).LeftDown().LeftUp().Pause(150);
    Play(choose);
    EXPECT_EQ(colorCell, m_pColor->GetColor());
    EXPECT_EQ(nullptr, m_pColor->GetPopup());
    EXPECT_EQ(colorCell == RGB(255, 0, 0) ? 0u : 1u, m_list.m_changed.size());

    // Escape closes a popup without a choice.
    UserInput again;
    again.MoveTo(ScreenPoint(&m_list, rectValue.CenterPoint())).Pause(30).LeftDown().LeftUp().Pause(150);
    again.Press(VK_ESCAPE).Pause(100);
    Play(again);
    EXPECT_EQ(nullptr, m_pColor->GetPopup());
    EXPECT_EQ(colorCell, m_pColor->GetColor());
}

TEST_F(PropListTest, TypedValueIsTakenOnEnter)
{
    CKTProp* pWidth = m_list.GetProperty(0)->GetSubItem(1);
    UserInput input;
    input.MoveTo(ScreenPoint(&m_list, pWidth->GetValueRect().CenterPoint())).Pause(30).LeftDown().LeftUp().Pause(80);
    input.Press(VK_END).Press(VK_BACK).Press(VK_BACK).Press(VK_BACK).Type(L"250").Press(VK_RETURN).Pause(80);
    Play(input);
    EXPECT_EQ(VT_I4, pWidth->GetValue().vt);
    EXPECT_EQ(250, pWidth->GetValue().lVal);
    ASSERT_EQ(1u, m_list.m_changed.size());
    EXPECT_EQ(nullptr, pWidth->GetInPlaceEditor());
}

} // namespace

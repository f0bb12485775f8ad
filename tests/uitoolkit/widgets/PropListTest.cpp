// The property grid in a real window: integer values over variant types, the keys with and
// without a selection, the wheel, the column and divider limits, colour changes reported only
// when the colour differs, and the colour popup under the display's mouse.
#include "tests/uitoolkit/colors/ColorTestSupport.h"
#include "uitoolkit/looks/KTDrawHelper.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/widgets/KTPropList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <commctrl.h>

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
    // A click on the colour value: the colour bar of the popup it opens, or null.
    CKTColorBar* OpenColourPopup()
    {
        UserInput open;
        open.MoveTo(ScreenPoint(&m_list, m_pColor->GetValueRect().CenterPoint())).Pause(30).LeftDown().LeftUp();
        open.Pause(150);
        Play(open);
        CWnd* pPopup = m_pColor->GetPopup();
        return pPopup != nullptr ? AsColorBar(pPopup->GetWindow(GW_CHILD)) : nullptr;
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
    CKTColorBar* pBar = OpenColourPopup();
    ASSERT_NE(nullptr, pBar);
    CWnd* pPopup = m_pColor->GetPopup();
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

TEST_F(PropListTest, ChoosingACellClosesThePopupOnlyOnceTheClickIsDone)
{
    CKTColorBar* pBar = OpenColourPopup();
    ASSERT_NE(nullptr, pBar);
    const HWND hPopup = m_pColor->GetPopup()->GetSafeHwnd();
    const HWND hBar = pBar->GetSafeHwnd();
    CRect rectCell;
    pBar->GetItemRect(3, &rectCell);
    const COLORREF colorCell = pBar->GetColors()[3];

    // The click reaches the bar as the system delivers it: the bar's own handlers run to their
    // end with the bar and its popup still there, hidden.
    const LPARAM lParam = MAKELPARAM(rectCell.CenterPoint().x, rectCell.CenterPoint().y);
    ::SendMessageW(hBar, WM_LBUTTONDOWN, MK_LBUTTON, lParam);
    ::SendMessageW(hBar, WM_LBUTTONUP, 0, lParam);
    EXPECT_TRUE(::IsWindow(hPopup)) << "the popup went while its bar was still handling the click";
    EXPECT_TRUE(::IsWindow(hBar));
    EXPECT_FALSE(::IsWindowVisible(hPopup));
    EXPECT_EQ(colorCell, m_pColor->GetColor());

    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(hPopup); }, 2000));
    EXPECT_EQ(nullptr, m_pColor->GetPopup());
}

// A property that records what its list hands it.
class CRecordingProp : public CKTProp
{
public:
    using CKTProp::CKTProp;
    std::vector<std::wstring> m_events;
    COLORREF m_editorColor = (COLORREF)-1;
    CBrush m_brush;

    void OnSelectCombo() override
    {
        m_events.push_back(L"select");
        CKTProp::OnSelectCombo();
    }
    void OnCloseCombo() override
    {
        m_events.push_back(L"close");
        CKTProp::OnCloseCombo();
    }
    HBRUSH OnCtlColor(CDC* pDC, UINT nCtlColor) override
    {
        if (m_editorColor == (COLORREF)-1)
            return CKTProp::OnCtlColor(pDC, nCtlColor);
        if (m_brush.GetSafeHandle() == nullptr)
            m_brush.CreateSolidBrush(m_editorColor);
        pDC->SetBkColor(m_editorColor);
        return static_cast<HBRUSH>(m_brush.GetSafeHandle());
    }
};

class PropListChoicesTest : public PropListTest
{
protected:
    void SetUp() override
    {
        PropListTest::SetUp();
        CKTProp* pGroup = new CKTProp(CString(L"Choices"));
        m_pAlign = new CRecordingProp(L"Align", COleVariant(L"Left"));
        for (const wchar_t* option : {L"Left", L"Centre", L"Right"})
            m_pAlign->AddOption(option);
        m_pVisible = new CRecordingProp(L"Visible", COleVariant(-1L, VT_BOOL));
        m_pNote = new CRecordingProp(L"Note", COleVariant(L"plain"));
        pGroup->AddSubItem(m_pAlign);
        pGroup->AddSubItem(m_pVisible);
        pGroup->AddSubItem(m_pNote);
        m_list.RemoveAll();
        m_list.AddProperty(pGroup);
        m_list.UpdateWindow();
        PumpAndIdle();
    }
    void Click(const CRect& rect, bool bDouble = false)
    {
        UserInput input;
        input.MoveTo(ScreenPoint(&m_list, rect.CenterPoint())).Pause(30).LeftDown().LeftUp();
        if (bDouble)
            input.LeftDown().LeftUp();
        input.Pause(120);
        Play(input);
    }
    CRect NameRect(CKTProp* pProp)
    {
        CRect rect = pProp->GetRect();
        rect.right = pProp->GetValueRect().left;
        return rect;
    }

    CRecordingProp* m_pAlign = nullptr;
    CRecordingProp* m_pVisible = nullptr;
    CRecordingProp* m_pNote = nullptr;
};

TEST_F(PropListChoicesTest, AValueWithOptionsIsChosenFromTheInPlaceList)
{
    Click(m_pAlign->GetValueRect());
    CWnd* pEditor = m_pAlign->GetInPlaceEditor();
    ASSERT_NE(nullptr, pEditor);
    EXPECT_EQ(CKTPropList::InPlaceComboId, pEditor->GetDlgCtrlID());
    CComboBox* pCombo = static_cast<CComboBox*>(pEditor);
    ASSERT_EQ(3, pCombo->GetCount());
    EXPECT_EQ(0, pCombo->GetCurSel());

    // The press went on to the list; open or not after it, the list drops and a click on an item
    // chooses it.
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(::GetComboBoxInfo(pCombo->GetSafeHwnd(), &info));
    if (!::IsWindowVisible(info.hwndList))
    {
        pCombo->ShowDropDown(TRUE);
        PumpAndIdle();
    }
    ASSERT_TRUE(::IsWindowVisible(info.hwndList));
    EXPECT_TRUE(m_list.m_changed.empty()) << "nothing chosen yet";
    m_pAlign->m_events.clear();
    SaveWindowShot(&m_host, L"PropListCombo.bmp");
    RECT rectItem{};
    ASSERT_NE(LB_ERR, ::SendMessageW(info.hwndList, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&rectItem)));
    ::MapWindowPoints(info.hwndList, nullptr, reinterpret_cast<POINT*>(&rectItem), 2);
    UserInput choose;
    choose.MoveTo(CRect(rectItem).CenterPoint()).Pause(30).LeftDown().LeftUp().Pause(120);
    Play(choose);

    EXPECT_EQ((std::vector<std::wstring>{L"select", L"close"}), m_pAlign->m_events);
    EXPECT_EQ(std::wstring(L"Right"), std::wstring(static_cast<LPCWSTR>(m_pAlign->FormatProperty())));
    ASSERT_EQ(1u, m_list.m_changed.size());
    EXPECT_EQ(m_pAlign, m_list.m_changed[0]);
}

TEST_F(PropListChoicesTest, ADoubleClickTurnsABooleanAndOpensATextForTyping)
{
    Click(NameRect(m_pVisible), true);
    EXPECT_EQ(VARIANT_FALSE, m_pVisible->GetValue().boolVal);
    ASSERT_NE(nullptr, m_pVisible->GetInPlaceEditor());
    EXPECT_EQ(CKTPropList::InPlaceComboId, m_pVisible->GetInPlaceEditor()->GetDlgCtrlID());
    ASSERT_EQ(1u, m_list.m_changed.size());

    Click(NameRect(m_pNote), true);
    ASSERT_NE(nullptr, m_pNote->GetInPlaceEditor());
    EXPECT_EQ(CKTPropList::InPlaceEditId, m_pNote->GetInPlaceEditor()->GetDlgCtrlID());
    EXPECT_EQ(std::wstring(L"plain"), std::wstring(static_cast<LPCWSTR>(m_pNote->FormatProperty())));
}

TEST_F(PropListChoicesTest, TheSelectedPropertySetsItsCursorAndColoursItsEditor)
{
    struct Case
    {
        CKTProp* pProp;
        bool bValue;
        HCURSOR hExpected;
    };
    const Case cases[] = {
        {m_pNote, true, ::LoadCursor(nullptr, IDC_IBEAM)},  // a text to type
        {m_pNote, false, ::LoadCursor(nullptr, IDC_ARROW)}, // its name
        {m_pAlign, true, ::LoadCursor(nullptr, IDC_ARROW)}, // chosen from a list
    };
    for (const Case& c : cases)
    {
        m_list.SetCurSel(c.pProp);
        CRect rect = c.bValue ? c.pProp->GetValueRect() : NameRect(c.pProp);
        UserInput move;
        move.MoveTo(ScreenPoint(&m_list, rect.CenterPoint() + CPoint(0, 1))).Pause(40);
        move.MoveTo(ScreenPoint(&m_list, rect.CenterPoint())).Pause(80);
        Play(move);
        CURSORINFO cursor{};
        cursor.cbSize = sizeof(cursor);
        ASSERT_TRUE(::GetCursorInfo(&cursor));
        EXPECT_EQ(c.hExpected, cursor.hCursor) << static_cast<LPCWSTR>(c.pProp->GetName()) << c.bValue;
    }

    m_pNote->m_editorColor = RGB(255, 255, 0);
    Click(m_pNote->GetValueRect());
    CWnd* pEdit = m_pNote->GetInPlaceEditor();
    ASSERT_NE(nullptr, pEdit);
    pEdit->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    CRect rectEdit;
    pEdit->GetWindowRect(&rectEdit);
    EXPECT_GT(CountScreenPixels(rectEdit, RGB(255, 255, 0)), rectEdit.Width() * rectEdit.Height() / 3);
}

TEST_F(PropListTest, TheHoveredPropertyNamesItselfAndShowsItsValueInATip)
{
    CKTProp* pCaption = m_list.GetProperty(0)->GetSubItem(0);
    const auto shownTip = [] {
        for (HWND hTip = ::FindWindowW(TOOLTIPS_CLASSW, nullptr); hTip != nullptr;
             hTip = ::FindWindowExW(nullptr, hTip, TOOLTIPS_CLASSW, nullptr))
        {
            wchar_t szText[80] = {};
            ::GetWindowTextW(hTip, szText, 79);
            if (::IsWindowVisible(hTip))
                return std::wstring(szText);
        }
        return std::wstring();
    };
    struct Case
    {
        CPoint point;
        std::wstring text;
    };
    CRect rectName = pCaption->GetRect();
    rectName.right = pCaption->GetValueRect().left;
    const Case cases[] = {
        {rectName.CenterPoint(), L"Caption"},
        {pCaption->GetValueRect().CenterPoint(), L"Kest"},
        {m_list.GetProperty(1)->GetRect().CenterPoint(), L"Misc"},
    };
    for (const Case& c : cases)
    {
        UserInput move;
        move.MoveTo(ScreenPoint(&m_list, c.point - CPoint(0, 2))).Pause(30).MoveTo(ScreenPoint(&m_list, c.point));
        Play(move);
        EXPECT_TRUE(PumpUntil([&] { return shownTip() == c.text; }, 4000)) << c.text << " / " << shownTip();
    }
    SaveWindowShot(&m_host, L"PropListTip.bmp");
}

TEST_F(PropListTest, TheAlphabeticalViewListsEveryValueByNameWithoutGroups)
{
    m_list.SetCurSel(m_pColor);
    m_list.SetAlphabeticMode(TRUE);
    EXPECT_TRUE(m_list.IsAlphabeticMode());
    // Caption, Colour, Item 0..11, Width: groups gone, names in order whatever their group.
    std::vector<std::wstring> names;
    for (CKTProp* pProp = m_list.HitTest(CPoint(20, m_list.GetListRect().top + 1)); pProp != nullptr;)
    {
        names.push_back(static_cast<LPCWSTR>(pProp->GetName()));
        const CPoint next(20, pProp->GetRect().bottom + 1);
        pProp = m_list.GetListRect().PtInRect(next) ? m_list.HitTest(next) : nullptr;
    }
    std::vector<std::wstring> expected = {L"Caption", L"Colour", L"Item 0", L"Item 1", L"Item 10", L"Item 11"};
    ASSERT_GE(names.size(), expected.size());
    names.resize(expected.size());
    EXPECT_EQ(expected, names);
    SaveWindowShot(&m_list, L"PropListAlphabetical.bmp");

    // The keys walk the sorted rows: End is the last name.
    Keys({VK_END});
    ASSERT_NE(nullptr, m_list.GetCurSel());
    EXPECT_EQ(std::wstring(L"Width"), std::wstring(static_cast<LPCWSTR>(m_list.GetCurSel()->GetName())));
    Keys({VK_HOME});
    EXPECT_EQ(std::wstring(L"Caption"), std::wstring(static_cast<LPCWSTR>(m_list.GetCurSel()->GetName())));

    // Back to the groups: the list is as before.
    m_list.SetAlphabeticMode(FALSE);
    EXPECT_EQ(17u, Rows().size());
    EXPECT_EQ(m_list.GetProperty(0), m_list.HitTest(CPoint(20, m_list.GetListRect().top + 1)));
}

TEST_F(PropListTest, GroupsTakeTheBarColoursInTheFlatLook)
{
    if (ktGlobals.m_bitsPerPixel <= 8)
        GTEST_SKIP() << "the group colour is the shadow on palette screens";
    const COLORREF clrBarFaceBefore = ktGlobals.m_colorBarFace;
    ktGlobals.m_colorBarFace = RGB(100, 150, 200);
    CKTProp* pGroup = m_list.GetProperty(1);
    const CRect rectRow = pGroup->GetRect();
    const POINT ptEmpty = ScreenPoint(&m_list, CPoint(rectRow.right - 6, rectRow.CenterPoint().y));
    const COLORREF clrButton = ScreenPixel(ptEmpty);
    m_list.SetFlatLook(TRUE);
    EXPECT_TRUE(m_list.IsFlatLook());
    const COLORREF clrFlat = ScreenPixel(ptEmpty);
    ktGlobals.m_colorBarFace = clrBarFaceBefore;
    m_list.SetFlatLook(FALSE);
    EXPECT_EQ(CKTDrawHelper::PixelAlpha(ktGlobals.m_colorFace, 94), clrButton);
    EXPECT_EQ(CKTDrawHelper::PixelAlpha(RGB(100, 150, 200), 94), clrFlat);
}

TEST_F(PropListTest, TheHeaderDividerDraggedPastTheEndStopsAtTheListsEdge)
{
    CRect rectHeader;
    m_list.GetHeaderCtrl().GetItemRect(0, &rectHeader);
    const POINT from = ScreenPoint(&m_list.GetHeaderCtrl(), CPoint(rectHeader.right - 1, rectHeader.CenterPoint().y));
    const POINT to = {from.x + 800, from.y};
    const POINT mid = {from.x + 40, from.y};
    UserInput input;
    input.MoveTo(from).Pause(30).LeftDown().Glide(from, mid, 4).Pause(40);
    Play(input);
    EXPECT_NEAR(rectHeader.right + 40, m_list.GetLeftColumnWidth(), 2) << "the column follows while dragging";
    UserInput rest;
    rest.Glide(mid, to, 6).LeftUp().Pause(80);
    Play(rest);
    EXPECT_EQ(m_list.GetListRect().Width(), m_list.GetLeftColumnWidth());
}

TEST_F(PropListTest, ASettingChangeTakesTheNewFontAndKeepsTheLayout)
{
    const int nRowHeight = m_list.GetRowHeight();
    m_list.SendMessage(WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    EXPECT_EQ(nRowHeight, m_list.GetRowHeight());
    m_list.SendMessage(WM_SYSCOLORCHANGE);
    // A border added afterwards narrows the list at once.
    const int nWidth = m_list.GetListRect().Width();
    m_list.ModifyStyle(WS_BORDER, 0);
    EXPECT_EQ(nWidth + 2, m_list.GetListRect().Width());
    m_list.ModifyStyle(0, WS_BORDER);
    EXPECT_EQ(nWidth, m_list.GetListRect().Width());
}

} // namespace

// Combo-box and edit-box buttons on real toolbars: typing and choosing in one copy shows in every
// copy without echoing commands, the edit box's keys, the vertical bar's plain button, and
// screenshots.
#include "tests/uitoolkit/bars/ButtonsTestFrame.h"
#include "uitoolkit/bars/KTToolbarComboBoxButton.h"
#include "uitoolkit/bars/KTToolbarEditBoxButton.h"

namespace
{
bool Near(COLORREF a, COLORREF b)
{
    return abs(GetRValue(a) - GetRValue(b)) < 24 && abs(GetGValue(a) - GetGValue(b)) < 24 &&
           abs(GetBValue(a) - GetBValue(b)) < 24;
}

class ToolbarComboWindowTest : public ButtonsWindowTest
{
protected:
    // The combo at the end of a new bar; -1 when it could not be inserted.
    CKTToolbarComboBoxButton* AddComboBar(DWORD dwAlign, UINT nID, const CKTToolbarComboBoxButton& combo)
    {
        CKTToolBar* pBar = AddBar(dwAlign, IDR_TEST_TOOLBAR, nID);
        const int iIndex = pBar->InsertButton(combo);
        EXPECT_GE(iIndex, 0);
        return iIndex < 0 ? nullptr : static_cast<CKTToolbarComboBoxButton*>(pBar->GetButton(iIndex));
    }

    static CString ShownText(CKTToolbarComboBoxButton* pCombo)
    {
        CString strText;
        pCombo->GetComboBox()->GetWindowText(strText);
        return strText;
    }

    static POINT ComboPoint(CKTToolbarComboBoxButton* pCombo, int dx)
    {
        CRect rect;
        pCombo->GetComboBox()->GetWindowRect(&rect);
        return POINT{rect.left + dx, rect.top + rect.Height() / 2};
    }
};
} // namespace

TEST_F(ToolbarComboWindowTest, TypingInOneCopyShowsInEveryCopyWithoutEcho)
{
    CKTToolbarComboBoxButton zoom(ID_BUTTONS_ZOOM, -1, CBS_DROPDOWN, 120);
    zoom.AddItem(L"50%", 50);
    zoom.AddItem(L"100%", 100);
    CKTToolbarComboBoxButton* pFirst = AddComboBar(CBRS_TOP, AFX_IDW_TOOLBAR, zoom);
    CKTToolbarComboBoxButton* pSecond = AddComboBar(CBRS_TOP, AFX_IDW_TOOLBAR + 1, zoom);
    ASSERT_TRUE(pFirst != nullptr && pSecond != nullptr);
    Relayout();
    ASSERT_TRUE(pFirst->GetComboBox()->IsWindowVisible());
    EXPECT_EQ(CString(L"50%"), ShownText(pSecond));

    UserInput input;
    input.MoveTo(ComboPoint(pFirst, 20)).Pause(50).LeftDown().LeftUp().Pause(100);
    input.Press(VK_END).Pause(50);
    input.Press(VK_BACK).Press(VK_BACK).Press(VK_BACK).Type(L"125").Pause(150);
    Play(input);

    EXPECT_EQ(CString(L"125"), ShownText(pFirst));
    EXPECT_EQ(CString(L"125"), ShownText(pSecond));
    EXPECT_EQ(CString(L"125"), pSecond->GetText());
    EXPECT_STREQ(L"125", CKTToolbarComboBoxButton::GetTextByCommand(ID_BUTTONS_ZOOM));
    EXPECT_EQ(pFirst, CKTToolbarComboBoxButton::GetByCommand(ID_BUTTONS_ZOOM, TRUE)) << "the focused copy";

    int nEditChanges = 0;
    for (const auto& c : m_pFrame->CommandsOf(ID_BUTTONS_ZOOM))
    {
        EXPECT_EQ(pFirst->GetHwnd(), c.hwndControl) << "no command from the copy, code " << c.code;
        if (c.code == CBN_EDITCHANGE)
            nEditChanges++;
    }
    EXPECT_EQ(6, nEditChanges) << "three deletions and three characters";

    // The control paints its edit field in the window colour.
    CRect rectCombo;
    pSecond->GetComboBox()->GetWindowRect(&rectCombo);
    EXPECT_TRUE(Near(::GetSysColor(COLOR_WINDOW), ScreenPixel(POINT{rectCombo.left + 60, rectCombo.top + 4})));
    SaveScreenshot(L"toolbar_combo_typed.bmp");
}

TEST_F(ToolbarComboWindowTest, TypingInOneEditCopyShowsInEveryCopyWithoutEcho)
{
    const UINT kFind = ID_BUTTONS_ZOOM + 1;
    CKTToolbarEditBoxButton find(kFind, -1, ES_AUTOHSCROLL, 100);
    std::vector<CKTToolbarEditBoxButton*> copies;
    for (UINT nID : {UINT(AFX_IDW_TOOLBAR), UINT(AFX_IDW_TOOLBAR + 1)})
    {
        CKTToolBar* pBar = AddBar(CBRS_TOP, IDR_TEST_TOOLBAR, nID);
        const int iIndex = pBar->InsertButton(find);
        ASSERT_GE(iIndex, 0);
        copies.push_back(static_cast<CKTToolbarEditBoxButton*>(pBar->GetButton(iIndex)));
    }
    Relayout();
    ASSERT_TRUE(copies[0]->GetEditBox() != nullptr && copies[0]->GetEditBox()->IsWindowVisible());

    CRect rectEdit;
    copies[0]->GetEditBox()->GetWindowRect(&rectEdit);
    UserInput input;
    input.MoveTo(CPoint(rectEdit.left + 10, rectEdit.CenterPoint().y)).Pause(50).LeftDown().LeftUp().Pause(100);
    input.Type(L"sum").Pause(150);
    Play(input);

    for (CKTToolbarEditBoxButton* pCopy : copies)
    {
        CString strShown;
        pCopy->GetEditBox()->GetWindowText(strShown);
        EXPECT_EQ(CString(L"sum"), strShown);
        EXPECT_EQ(CString(L"sum"), pCopy->GetContents());
    }
    int nUpdates = 0;
    for (const auto& c : m_pFrame->CommandsOf(kFind))
    {
        EXPECT_EQ(copies[0]->GetHwnd(), c.hwndControl) << "no command from the copy, code " << c.code;
        if (c.code == EN_UPDATE)
            nUpdates++;
    }
    EXPECT_EQ(3, nUpdates) << "one per character typed";
    SaveScreenshot(L"toolbar_edit_typed.bmp");
}

TEST_F(ToolbarComboWindowTest, ChoosingFromTheListSelectsInEveryCopy)
{
    CKTToolbarComboBoxButton zoom(ID_BUTTONS_ZOOM, -1, CBS_DROPDOWNLIST, 120);
    zoom.AddItem(L"50%", 50);
    zoom.AddItem(L"100%", 100);
    zoom.AddItem(L"200%", 200);
    CKTToolbarComboBoxButton* pFirst = AddComboBar(CBRS_TOP, AFX_IDW_TOOLBAR, zoom);
    CKTToolbarComboBoxButton* pSecond = AddComboBar(CBRS_TOP, AFX_IDW_TOOLBAR + 1, zoom);
    ASSERT_TRUE(pFirst != nullptr && pSecond != nullptr);
    Relayout();

    CComboBox* pControl = pFirst->GetComboBox();
    UserInput input;
    input.MoveTo(ComboPoint(pFirst, 30)).Pause(50).LeftDown().LeftUp().Pause(200);
    input.ClickAt([pControl] {
        CRect rectList;
        pControl->GetDroppedControlRect(&rectList);
        const int cyItem = pControl->GetItemHeight(0);
        CRect rectCombo;
        pControl->GetWindowRect(&rectCombo);
        // The list opens below the field; its third item.
        return POINT{rectList.left + 20, rectCombo.bottom + 1 + 2 * cyItem + cyItem / 2};
    });
    input.Pause(200);
    Play(input);

    EXPECT_EQ(2, pFirst->GetCurSel());
    EXPECT_EQ(2, pSecond->GetCurSel());
    EXPECT_EQ(2, pSecond->GetComboBox()->GetCurSel());
    EXPECT_EQ(CString(L"200%"), pSecond->GetText());
    bool bSelEndOk = false;
    for (const auto& c : m_pFrame->CommandsOf(ID_BUTTONS_ZOOM))
    {
        EXPECT_EQ(pFirst->GetHwnd(), c.hwndControl) << "no command from the copy, code " << c.code;
        bSelEndOk = bSelEndOk || c.code == CBN_SELENDOK;
    }
    EXPECT_TRUE(bSelEndOk);

    // Selecting by program brings the copies along but sends no command.
    m_pFrame->m_commands.clear();
    EXPECT_TRUE(pSecond->SelectItem(0, TRUE));
    PumpAndIdle();
    EXPECT_EQ(0, pFirst->GetCurSel());
    EXPECT_EQ(0, pFirst->GetComboBox()->GetCurSel());
    EXPECT_TRUE(m_pFrame->CommandsOf(ID_BUTTONS_ZOOM).empty());
    SaveScreenshot(L"toolbar_combo_list.bmp");
}

TEST_F(ToolbarComboWindowTest, OnAVerticalBarTheControlHidesAndAClickSendsTheCommand)
{
    CKTToolbarComboBoxButton zoom(ID_BUTTONS_ZOOM, -1, CBS_DROPDOWN, 120);
    zoom.m_strText = L"Zoom";
    zoom.AddItem(L"50%", 50);
    CKTToolbarComboBoxButton* pCombo = AddComboBar(CBRS_LEFT, AFX_IDW_TOOLBAR, zoom);
    ASSERT_TRUE(pCombo != nullptr);
    Relayout();
    EXPECT_FALSE(pCombo->GetComboBox()->IsWindowVisible());
    EXPECT_LT(pCombo->m_rect.Width(), 60) << "a plain button's size";

    CKTToolBar* pBar = m_bars.back().get();
    UserInput input;
    input.MoveTo(ScreenCentre(pBar, pBar->GetCount() - 1)).Pause(50).LeftDown().Pause(50).LeftUp().Pause(100);
    Play(input);
    const auto commands = m_pFrame->CommandsOf(ID_BUTTONS_ZOOM);
    ASSERT_EQ(1u, commands.size());
    EXPECT_EQ(0u, commands[0].code);
    SaveScreenshot(L"toolbar_combo_vertical.bmp");
}

TEST_F(ToolbarComboWindowTest, InTheCommandListAComboIsPicturedBesideItsName)
{
    CKTToolbarComboBoxButton zoom(ID_BUTTONS_ZOOM, -1, CBS_DROPDOWN, 120);
    zoom.m_strText = L"Zoom";
    CClientDC dcScreen(m_pFrame);
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(&dcScreen));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&dcScreen, 200, 24));
    CBitmap* pOld = dc.SelectObject(&bitmap);
    const COLORREF clrBack = RGB(10, 20, 30);
    dc.FillSolidRect(0, 0, 200, 24, clrBack);
    const CRect rect(0, 0, 200, 24);
    EXPECT_EQ(200, zoom.DrawAsListItem(&dc, rect, FALSE));

    // The field runs from after the name to the right end: window colour inside a sunken frame,
    // and a raised face-coloured box with the arrow at its end.
    const struct
    {
        const char* name;
        int x;
        int y;
        COLORREF expected;
    } cases[] = {
        {"inside the field", 120, 12, ::GetSysColor(COLOR_WINDOW)},
        {"the box", 184, 6, ::GetSysColor(COLOR_BTNFACE)},
        {"outside the field", 120, 1, clrBack},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(Near(c.expected, dc.GetPixel(c.x, c.y))) << c.name << " " << std::hex << dc.GetPixel(c.x, c.y);
    dc.SelectObject(pOld);
}

TEST_F(ToolbarComboWindowTest, EditBoxDrawsItsBorderItsLabelAndAListItem)
{
    const UINT kFind = ID_BUTTONS_ZOOM + 1;
    CKTToolBar* pBar = AddBar(CBRS_TOP);
    const int iIndex = pBar->InsertButton(CKTToolbarEditBoxButton(kFind, -1, ES_AUTOHSCROLL, 100));
    ASSERT_GE(iIndex, 0);
    auto* pEdit = static_cast<CKTToolbarEditBoxButton*>(pBar->GetButton(iIndex));
    Relayout();
    ASSERT_TRUE(pEdit->GetEditBox() != nullptr && pEdit->GetEditBox()->IsWindowVisible());

    // The border: the box's own rectangle in the bar, one pixel larger each way.
    CRect rectBox, rectBorder;
    pEdit->GetEditBox()->GetWindowRect(&rectBox);
    pBar->ScreenToClient(&rectBox);
    pEdit->GetEditBorder(rectBorder);
    rectBox.InflateRect(1, 1);
    EXPECT_EQ(rectBox, rectBorder);
    EXPECT_FALSE(pEdit->DrawsBorder()) << "the look draws the box's border";
    EXPECT_EQ(pEdit->m_rect, pEdit->GetInvalidateRect()) << "no label";

    // With text labels the label goes under the box and is repainted with it.
    pEdit->m_strText = L"Find a word in the pages";
    pBar->EnableTextLabels(TRUE);
    Relayout();
    const CRect rectRepaint = pEdit->GetInvalidateRect();
    EXPECT_GT(rectRepaint.bottom, pEdit->m_rect.bottom - 1);
    EXPECT_EQ(pEdit->m_rect.top, rectRepaint.top);
    EXPECT_LE(rectRepaint.left, pEdit->m_rect.left);
    SaveScreenshot(L"toolbar_edit_with_label.bmp");

    // As a list item: the base part takes what its text needs, the box takes the rest.
    CClientDC dc(pBar);
    const CRect rectItem(0, 0, 300, 20);
    CKTToolbarButton plain(ID_TEST_OPEN, -1, L"&Open");
    const int iUsed = plain.DrawAsListItem(&dc, rectItem, FALSE);
    EXPECT_GT(iUsed, dc.GetTextExtent(CString(L"Open")).cx);
    EXPECT_LT(iUsed, rectItem.Width());
    EXPECT_EQ(rectItem.Width(), pEdit->DrawAsListItem(&dc, rectItem, FALSE));
}

TEST_F(ToolbarComboWindowTest, EditBoxKeysAndACopyOnAVerticalBar)
{
    const UINT kFind = ID_BUTTONS_ZOOM + 1;
    const UINT kReplace = ID_BUTTONS_ZOOM + 2;
    CKTToolBar* pTop = AddBar(CBRS_TOP);
    const int iFind = pTop->InsertButton(CKTToolbarEditBoxButton(kFind, -1, ES_AUTOHSCROLL | WS_TABSTOP, 90));
    const int iReplace = pTop->InsertButton(CKTToolbarEditBoxButton(kReplace, -1, ES_AUTOHSCROLL | WS_TABSTOP, 90));
    ASSERT_TRUE(iFind >= 0 && iReplace >= 0);
    auto* pFind = static_cast<CKTToolbarEditBoxButton*>(pTop->GetButton(iFind));
    auto* pReplace = static_cast<CKTToolbarEditBoxButton*>(pTop->GetButton(iReplace));
    Relayout();
    ASSERT_TRUE(pFind->GetEditBox()->IsWindowVisible() && pReplace->GetEditBox()->IsWindowVisible());

    // Tab goes on to the next box of the bar, Escape gives the keys back to the frame.
    CRect rectEdit;
    pFind->GetEditBox()->GetWindowRect(&rectEdit);
    UserInput input;
    input.MoveTo(CPoint(rectEdit.left + 10, rectEdit.CenterPoint().y)).Pause(50).LeftDown().LeftUp().Pause(100);
    input.Type(L"abc").Pause(100);
    Play(input);
    ASSERT_EQ(pFind->GetEditBox()->GetSafeHwnd(), ::GetFocus());
    UserInput tab;
    tab.Press(VK_TAB).Pause(100);
    Play(tab);
    EXPECT_EQ(pReplace->GetEditBox()->GetSafeHwnd(), ::GetFocus());
    UserInput escape;
    escape.Press(VK_ESCAPE).Pause(100);
    Play(escape);
    EXPECT_EQ(m_hFrame, ::GetFocus());
    EXPECT_TRUE(m_pFrame->CommandsOf(kReplace).empty()) << "the keys are the box's, no command";

    // A copy on a vertical bar keeps the text, hides its box and is a plain button there.
    CKTToolBar* pLeft = AddBar(CBRS_LEFT, IDR_TEST_TOOLBAR, AFX_IDW_TOOLBAR + 1);
    const int iCopy = pLeft->InsertButton(*pFind);
    ASSERT_GE(iCopy, 0);
    auto* pCopy = static_cast<CKTToolbarEditBoxButton*>(pLeft->GetButton(iCopy));
    pCopy->m_strText = L"Find";
    Relayout();
    EXPECT_EQ(CString(L"abc"), pCopy->GetContents());
    ASSERT_TRUE(pCopy->GetEditBox() != nullptr);
    EXPECT_FALSE(pCopy->GetEditBox()->IsWindowVisible());
    EXPECT_TRUE(pCopy->DrawsBorder());
    EXPECT_LT(pCopy->m_rect.Height(), 80) << "a plain button's size, not the box's width";
    m_pFrame->m_commands.clear();
    UserInput click;
    click.MoveTo(ScreenCentre(pLeft, iCopy)).Pause(50).LeftDown().Pause(50).LeftUp().Pause(100);
    Play(click);
    const auto commands = m_pFrame->CommandsOf(kFind);
    ASSERT_EQ(1u, commands.size());
    EXPECT_EQ(0u, commands[0].code);
    SaveScreenshot(L"toolbar_edit_vertical.bmp");
}

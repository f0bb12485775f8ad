// The editable list in a real window: its caption with a mnemonic, its caption buttons and their
// tooltips, moving items by buttons and keys, naming a new item, a refused delete and renaming by
// a second click.
#include "tests/uitoolkit/colors/ColorTestSupport.h"
#include "uitoolkit/customize/KTButton.h"
#include "uitoolkit/customize/KTEditListBox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{

std::wstring W(const CString& str)
{
    return std::wstring(static_cast<LPCWSTR>(str));
}

class CRecordingEditList : public CKTEditListBox
{
public:
    BOOL m_bAllowRemove = TRUE;
    std::vector<std::wstring> m_events;

protected:
    BOOL OnBeforeRemoveItem(int iItem) override
    {
        m_events.push_back(L"remove? " + std::to_wstring(iItem));
        return m_bAllowRemove;
    }
    void OnAfterAddItem(int iItem) override { m_events.push_back(L"added " + std::to_wstring(iItem)); }
    void OnAfterRenameItem(int iItem) override { m_events.push_back(L"renamed " + std::to_wstring(iItem)); }
    void OnAfterMoveItemUp(int iItem) override { m_events.push_back(L"up " + std::to_wstring(iItem)); }
    void OnAfterMoveItemDown(int iItem) override { m_events.push_back(L"down " + std::to_wstring(iItem)); }
};

class EditListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.Make(CRect(150, 150, 450, 400)));
        m_host.SetForegroundWindow();
        ASSERT_TRUE(m_list.Create(L"Menu contents:", WS_CHILD | WS_VISIBLE, CRect(10, 10, 290, 240), &m_host, 300));
        m_list.SetFont(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
        ASSERT_TRUE(m_list.SetStandardButtons());
        for (const wchar_t* psz : {L"First", L"Second", L"Third"})
            m_list.AddItem(psz);
        m_list.UpdateWindow();
        PumpAndIdle();
    }
    void TearDown() override
    {
        m_list.DestroyWindow();
        m_host.DestroyWindow();
        PumpAndIdle();
    }
    std::vector<std::wstring> Items() const
    {
        std::vector<std::wstring> items;
        for (int i = 0; i < m_list.GetCount(); i++)
            items.push_back(W(m_list.GetItemText(i)));
        return items;
    }
    POINT ButtonCentre(int iButton)
    {
        CRect rect;
        m_list.GetButton(iButton)->GetWindowRect(&rect);
        return rect.CenterPoint();
    }
    POINT ItemCentre(int iItem)
    {
        CRect rect;
        m_list.GetListCtrl()->GetItemRect(iItem, &rect, LVIR_LABEL);
        m_list.GetListCtrl()->ClientToScreen(&rect);
        return rect.CenterPoint();
    }
    void Click(POINT pt)
    {
        UserInput input;
        input.MoveTo(pt).Pause(30).LeftDown().LeftUp().Pause(80);
        Play(input);
    }

    CHostWnd m_host;
    CRecordingEditList m_list;
};

TEST_F(EditListTest, StandardButtonsStandAtTheRightWithTheirKeysInTheTooltips)
{
    ASSERT_EQ(4, m_list.GetButtonsCount());
    CRect rectList, rectLast, rectFirst;
    m_list.GetClientRect(&rectList);
    m_list.GetButton(3)->GetWindowRect(&rectLast);
    m_list.GetButton(0)->GetWindowRect(&rectFirst);
    m_list.ScreenToClient(&rectLast);
    m_list.ScreenToClient(&rectFirst);
    EXPECT_EQ(rectList.right - 1, rectLast.right);
    EXPECT_EQ(rectLast.left - 3 * rectLast.Width(), rectFirst.left);
    EXPECT_EQ(m_list.GetCaptionRect().top + 1, rectLast.top);
    EXPECT_EQ(m_list.GetCaptionRect().Height() - 2, rectLast.Height());
    EXPECT_EQ(m_list.GetCaptionRect().bottom, m_list.GetListRect().top);

    struct Case
    {
        int iButton;
        const wchar_t* pszName;
        WORD wKey;
        BYTE fVirt;
    };
    const Case cases[] = {{0, L"New", VK_INSERT, 0},
                          {1, L"Delete", VK_DELETE, 0},
                          {2, L"Move Item Up", VK_UP, FALT},
                          {3, L"Move Item Down", VK_DOWN, FALT}};
    for (const Case& c : cases)
    {
        CToolTipCtrl* pTip = m_list.GetButton(c.iButton)->GetToolTipCtrl();
        ASSERT_NE(nullptr, pTip);
        wchar_t szText[128] = {};
        TOOLINFO ti{};
        ti.cbSize = TTTOOLINFOW_V2_SIZE;
        ti.lpszText = szText;
        ASSERT_TRUE(pTip->SendMessage(TTM_ENUMTOOLS, 0, reinterpret_cast<LPARAM>(&ti)));
        const std::wstring strKey = W(CKTEditListBase::FormatKey(c.wKey, c.fVirt));
        EXPECT_EQ(std::wstring(c.pszName) + L" (" + strKey + L")", std::wstring(szText));
    }
    // The keyboard's own name of the key, after the modifier.
    EXPECT_EQ(0u, W(CKTEditListBase::FormatKey(VK_UP, FALT)).find(L"Alt+"));
    SaveWindowShot(&m_list, L"EditList.bmp");
}

// The caption's ink as the screen shows it: left of the buttons, every pixel that is not the
// face colour, as offsets from the caption's top-left corner.
std::vector<POINT> CaptionInk(CKTEditListBox& list)
{
    list.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpAndIdle();
    CRect rectCaption = list.GetCaptionRect();
    list.ClientToScreen(&rectCaption);
    CRect rectButton;
    list.GetButton(0)->GetWindowRect(&rectButton);
    std::vector<POINT> ink;
    HDC hScreen = ::GetDC(nullptr);
    const COLORREF clrFace = ::GetPixel(hScreen, rectCaption.left, rectCaption.top);
    for (int y = rectCaption.top; y < rectCaption.bottom; y++)
        for (int x = rectCaption.left; x < rectButton.left; x++)
            if (::GetPixel(hScreen, x, y) != clrFace)
                ink.push_back(POINT{x - rectCaption.left, y - rectCaption.top});
    ::ReleaseDC(nullptr, hScreen);
    return ink;
}

// The caption is the static's text with its mnemonic: "&Menu contents:" shows as "Menu contents:"
// with the M underlined, never with the "&" itself.
TEST_F(EditListTest, CaptionShowsTheMnemonicNotTheAmpersand)
{
    const std::vector<POINT> plain = CaptionInk(m_list);
    m_list.SetWindowText(L"&Menu contents:");
    const std::vector<POINT> mnemonic = CaptionInk(m_list);
    SaveWindowShot(&m_list, L"EditListMnemonic.bmp");
    ASSERT_FALSE(plain.empty());
    ASSERT_FALSE(mnemonic.empty());
    const auto rightmost = [](const std::vector<POINT>& ink) {
        LONG x = 0;
        for (const POINT& pt : ink)
            x = std::max(x, pt.x);
        return x;
    };
    EXPECT_EQ(rightmost(plain), rightmost(mnemonic)) << "no room taken by an ampersand";
    // Every pixel of the plain text is there; what is added is the underline below the text.
    LONG yPlainBottom = 0;
    for (const POINT& pt : plain)
        yPlainBottom = std::max(yPlainBottom, pt.y);
    size_t nFound = 0, nBelow = 0;
    for (const POINT& pt : mnemonic)
    {
        const bool bInPlain =
            std::any_of(plain.begin(), plain.end(), [&](const POINT& p) { return p.x == pt.x && p.y == pt.y; });
        nFound += bInPlain ? 1 : 0;
        nBelow += !bInPlain && pt.y >= yPlainBottom - 2 ? 1 : 0;
    }
    EXPECT_EQ(plain.size(), nFound);
    EXPECT_EQ(mnemonic.size(), nFound + nBelow) << "only the underline is new";
    EXPECT_GT(nBelow, 0u) << "the mnemonic is underlined";
}

// The buttons' pictures are drawn on silver, which loading turns into the face colour; a picture
// without a colour table keeps its silver, a grey square on every face that is not silver.
TEST_F(EditListTest, ButtonPicturesStandOnTheButtonFace)
{
    const COLORREF clrSilver = RGB(192, 192, 192);
    if (::GetSysColor(COLOR_BTNFACE) == clrSilver)
        GTEST_SKIP() << "the face is silver itself";
    m_list.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpAndIdle();
    HDC hScreen = ::GetDC(nullptr);
    for (int iButton = 0; iButton < m_list.GetButtonsCount(); iButton++)
    {
        CRect rect;
        m_list.GetButton(iButton)->GetWindowRect(&rect);
        int nSilver = 0;
        for (int y = rect.top; y < rect.bottom; y++)
            for (int x = rect.left; x < rect.right; x++)
                nSilver += ::GetPixel(hScreen, x, y) == clrSilver ? 1 : 0;
        EXPECT_EQ(0, nSilver) << "button " << iButton;
    }
    ::ReleaseDC(nullptr, hScreen);
}

TEST_F(EditListTest, MovingStopsAtTheEndsAndFollowsAltArrowsOnly)
{
    struct Step
    {
        int iSelect;
        int iButton; // -1: keys instead
        const char* pszKeys;
        std::vector<std::wstring> expected;
    };
    const Step steps[] = {
        {0, 2, "", {L"First", L"Second", L"Third"}},      // up on the first
        {2, 3, "", {L"First", L"Second", L"Third"}},      // down on the last
        {0, 3, "", {L"Second", L"First", L"Third"}},      // down
        {1, 2, "", {L"First", L"Second", L"Third"}},      // and back up
        {0, -1, "alt", {L"Second", L"First", L"Third"}},  // Alt+Down moves
        {1, -1, "ctrl", {L"Second", L"First", L"Third"}}, // Ctrl+Down does not
    };
    for (const Step& step : steps)
    {
        m_list.SelectItem(step.iSelect);
        PumpAndIdle();
        if (step.iButton >= 0)
        {
            Click(ButtonCentre(step.iButton));
        }
        else
        {
            m_list.GetListCtrl()->SetFocus();
            const WORD vk = std::string(step.pszKeys) == "alt" ? VK_MENU : VK_CONTROL;
            UserInput input;
            input.Key(vk, true).Pause(30).Press(VK_DOWN).Pause(30).Key(vk, false).Pause(80);
            Play(input);
        }
        EXPECT_EQ(step.expected, Items()) << step.iSelect << " " << step.iButton << " " << step.pszKeys;
    }
    const std::vector<std::wstring> events = {L"down 1", L"up 0", L"down 1"};
    EXPECT_EQ(events, m_list.m_events);
}

TEST_F(EditListTest, NewItemIsNamedOrLeftOutWhenNoNameIsGiven)
{
    Click(ButtonCentre(0));
    ASSERT_EQ(4, m_list.GetCount());
    ASSERT_NE(nullptr, m_list.GetListCtrl()->GetEditControl());
    EXPECT_FALSE(m_list.GetButton(1)->IsWindowEnabled()); // buttons wait while a label is edited
    UserInput escape;
    escape.Press(VK_ESCAPE).Pause(80);
    Play(escape);
    EXPECT_EQ(3, m_list.GetCount());
    EXPECT_TRUE(m_list.GetButton(1)->IsWindowEnabled());

    // Insert in the list does the same; a name keeps the item.
    m_list.GetListCtrl()->SetFocus();
    UserInput named;
    named.Press(VK_INSERT).Pause(80).Type(L"Fourth").Press(VK_RETURN).Pause(80);
    Play(named);
    const std::vector<std::wstring> expected = {L"First", L"Second", L"Third", L"Fourth"};
    EXPECT_EQ(expected, Items());
    ASSERT_FALSE(m_list.m_events.empty());
    EXPECT_EQ(L"added 3", m_list.m_events.back());
}

TEST_F(EditListTest, DeleteAsksFirstAndARefusalKeepsTheItem)
{
    m_list.SelectItem(1);
    m_list.m_bAllowRemove = FALSE;
    Click(ButtonCentre(1));
    EXPECT_EQ(3, m_list.GetCount());
    m_list.m_bAllowRemove = TRUE;
    m_list.GetListCtrl()->SetFocus();
    UserInput del;
    del.Press(VK_DELETE).Pause(80);
    Play(del);
    const std::vector<std::wstring> expected = {L"First", L"Third"};
    EXPECT_EQ(expected, Items());
    const std::vector<std::wstring> events = {L"remove? 1", L"remove? 1"};
    EXPECT_EQ(events, m_list.m_events);
}

TEST_F(EditListTest, SecondClickOnTheSelectedItemRenamesIt)
{
    Click(ItemCentre(2));
    EXPECT_EQ(2, m_list.GetSelItem());
    EXPECT_EQ(nullptr, m_list.GetListCtrl()->GetEditControl());
    ::Sleep(600); // not a double click
    Click(ItemCentre(2));
    ASSERT_NE(nullptr, m_list.GetListCtrl()->GetEditControl());
    UserInput input;
    input.Key(VK_CONTROL, true).Press('A').Key(VK_CONTROL, false).Type(L"Last").Press(VK_RETURN).Pause(80);
    Play(input);
    EXPECT_EQ(L"Last", W(m_list.GetItemText(2)));
    ASSERT_FALSE(m_list.m_events.empty());
    EXPECT_EQ(L"renamed 2", m_list.m_events.back());

    // F2 renames as well; an empty name leaves an old item as it was.
    m_list.GetListCtrl()->SetFocus();
    UserInput f2;
    f2.Press(VK_F2).Pause(80).Press(VK_DELETE).Press(VK_RETURN).Pause(80);
    Play(f2);
    EXPECT_EQ(3, m_list.GetCount());
}

} // namespace

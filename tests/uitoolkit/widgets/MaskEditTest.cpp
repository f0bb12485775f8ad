// The masked edit: which characters fit where, setting values with and without literals, typing
// through the mask with real keys, text that does not fit coming back, and the group search.
#include "tests/uitoolkit/colors/ColorTestSupport.h"
#include "uitoolkit/widgets/KTMaskEdit.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

std::wstring W(const CString& str)
{
    return std::wstring(static_cast<LPCWSTR>(str));
}

// A phone number: "(DDD) DDD-LL" with literals around three groups.
const wchar_t* const kMask = L" DDD  DDD LL";
const wchar_t* const kTemplate = L"(___) ___-__";

// Counts the control's refusals instead of sounding them.
class CCountingMaskEdit : public CKTMaskEdit
{
public:
    mutable int m_nBeeps = 0;

protected:
    void Beep() const override { m_nBeeps++; }
};

TEST(MaskEditRules, ValidCharactersAndPositions)
{
    CKTMaskEdit edit;
    EXPECT_TRUE(edit.IsValidChar(L'x'));
    EXPECT_TRUE(edit.CheckChar(L'x', 5)); // no mask: only the valid set counts
    edit.SetValidChars(L"0123456789abc");
    EXPECT_TRUE(edit.IsValidChar(L'7'));
    EXPECT_FALSE(edit.IsValidChar(L'x'));
    EXPECT_FALSE(edit.CheckChar(L'x', 0));

    ASSERT_TRUE(edit.EnableMask(kMask, kTemplate, L'_', L"0123456789abcXYZ"));
    struct Case
    {
        wchar_t ch;
        int nPos;
        BOOL bFits;
    };
    const Case cases[] = {
        {L'5', 1, TRUE},   {L'a', 1, FALSE},  {L'5', 0, FALSE}, // a literal position takes nothing
        {L'9', 8, TRUE},   {L'-', 9, FALSE},  {L'X', 10, TRUE},
        {L'c', 11, TRUE},  {L'Q', 10, FALSE}, // a letter, but not in the valid set
        {L'5', 10, FALSE}, {L'5', 12, FALSE}, {L'5', -1, FALSE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.bFits, edit.CheckChar(c.ch, c.nPos)) << (char)c.ch << " at " << c.nPos;

    // Mask and template must match in length.
    EXPECT_FALSE(edit.EnableMask(L"DD", L"___"));
    EXPECT_FALSE(edit.EnableMask(L"", L""));
}

TEST(MaskEditRules, SettingValuesWithAndWithoutLiterals)
{
    CKTMaskEdit edit;
    ASSERT_TRUE(edit.EnableMask(kMask, kTemplate));
    EXPECT_EQ(std::wstring(L"(___) ___-__"), W(edit.GetValue()));
    struct Case
    {
        const wchar_t* pszValue;
        BOOL bWithDelimiters;
        BOOL bTaken;
    };
    const Case cases[] = {
        {L"(123) 456-ab", TRUE, TRUE},   {L"(123) 456-a", TRUE, FALSE}, // too short
        {L"(123) 456-abc", TRUE, FALSE},                                // too long
        {L"(12x) 456-ab", TRUE, FALSE},                                 // a letter where a digit belongs
        {L"[123] 456-ab", TRUE, FALSE},                                 // a literal changed
        {L"(1__) 4__-a_", TRUE, TRUE},                                  // empty positions keep the default character
        {L"987654yz", FALSE, TRUE},      {L"98765yz", FALSE, FALSE},    {L"9876541z", FALSE, FALSE},
    };
    CString strLastTaken = edit.GetValue();
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.bTaken, edit.SetValue(c.pszValue, c.bWithDelimiters))
            << testing::PrintToString(std::wstring(c.pszValue));
        if (c.bTaken)
            strLastTaken = edit.GetValue();
        // A refused value changes nothing.
        EXPECT_EQ(W(strLastTaken), W(edit.GetValue()));
    }
    EXPECT_EQ(std::wstring(L"(987) 654-yz"), W(edit.GetValue()));
    EXPECT_EQ(std::wstring(L"987654yz"), W(edit.GetValueWithoutDelimiters()));
    // What the control hands out it takes back.
    EXPECT_TRUE(edit.SetValue(edit.GetValue()));
}

TEST(MaskEditRules, GroupSearchFindsTheRunAroundAPosition)
{
    CKTMaskEdit edit;
    ASSERT_TRUE(edit.EnableMask(kMask, kTemplate));
    struct Case
    {
        int nPos;
        BOOL bForward;
        int nBegin, nEnd;
    };
    const Case cases[] = {
        {0, TRUE, -1, 0},  // before the first editable position
        {12, TRUE, -1, 0}, // after the last
        {1, TRUE, 1, 4},   {3, TRUE, 1, 4},  {4, TRUE, 6, 9},    {4, FALSE, 1, 4},
        {9, TRUE, 10, 12}, {9, FALSE, 6, 9}, {11, TRUE, 10, 12},
    };
    for (const Case& c : cases)
    {
        int nBegin = 99, nEnd = 99;
        edit.GetGroupBounds(nBegin, nEnd, c.nPos, c.bForward);
        EXPECT_EQ(c.nBegin, nBegin) << c.nPos << (c.bForward ? " forward" : " backward");
        EXPECT_EQ(c.nEnd, nEnd) << c.nPos;
    }
}

class MaskEditWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.Make(CRect(150, 150, 450, 260)));
        m_host.SetForegroundWindow();
        PumpAndIdle();
    }
    void TearDown() override
    {
        m_host.DestroyWindow();
        PumpAndIdle();
    }
    void Make(CKTMaskEdit& edit, DWORD dwStyle = 0)
    {
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | dwStyle, CRect(10, 10, 250, 34),
                                &m_host, 200));
        edit.SetFont(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
    }
    static CString Text(CWnd& wnd)
    {
        CString str;
        wnd.GetWindowText(str);
        return str;
    }

    CHostWnd m_host;
};

TEST_F(MaskEditWindowTest, TypedCharactersGoThroughTheMaskAndMisfitsAreDropped)
{
    CCountingMaskEdit edit;
    ASSERT_TRUE(edit.EnableMask(kMask, kTemplate));
    Make(edit);
    EXPECT_EQ(std::wstring(kTemplate), W(Text(edit))); // the value shows on creation
    edit.SetFocus();
    PumpAndIdle();
    int nStart = -1, nEnd = -1;
    edit.GetSel(nStart, nEnd);
    EXPECT_EQ(1, nStart); // focus selects the first group
    EXPECT_EQ(4, nEnd);

    UserInput input;
    input.Type(L"12x3456ab").Pause(50);
    Play(input);
    // The x does not fit: it beeps once and is dropped; the caret jumps over the literals.
    EXPECT_EQ(std::wstring(L"(123) 456-ab"), W(Text(edit)));
    EXPECT_EQ(std::wstring(L"(123) 456-ab"), W(edit.GetValue()));
    EXPECT_EQ(1, edit.m_nBeeps);

    // Past the last position nothing fits: each further character beeps and the value stays.
    UserInput beyond;
    beyond.Type(L"7z").Pause(50);
    Play(beyond);
    EXPECT_EQ(std::wstring(L"(123) 456-ab"), W(edit.GetValue()));
    EXPECT_EQ(3, edit.m_nBeeps);

    // Backspace empties the position before the caret, over the literal.
    edit.SetSel(6, 6);
    UserInput back;
    back.Press(VK_BACK).Pause(50);
    Play(back);
    EXPECT_EQ(std::wstring(L"(12_) 456-ab"), W(edit.GetValue()));
    edit.GetSel(nStart, nEnd);
    EXPECT_EQ(3, nStart);

    // Delete empties the position at the caret; the literal at the caret beeps.
    edit.SetSel(7, 7);
    UserInput del;
    del.Press(VK_DELETE).Pause(50);
    Play(del);
    EXPECT_EQ(std::wstring(L"(12_) 4_6-ab"), W(edit.GetValue()));
    EXPECT_EQ(3, edit.m_nBeeps) << "emptying editable positions is no refusal";

    // Delete on a literal and Backspace before the first position have nothing to empty.
    edit.SetSel(4, 4);
    UserInput refused;
    refused.Press(VK_DELETE).Press(VK_HOME).Press(VK_BACK).Pause(50);
    Play(refused);
    EXPECT_EQ(std::wstring(L"(12_) 4_6-ab"), W(edit.GetValue()));
    EXPECT_EQ(5, edit.m_nBeeps);

    SaveWindowShot(&edit, L"MaskEdit.bmp");
}

TEST_F(MaskEditWindowTest, CaseStylesConvertTypedLetters)
{
    struct Case
    {
        DWORD dwStyle;
        const wchar_t* pszTyped;
        const wchar_t* pszExpected;
    };
    const Case cases[] = {
        {ES_UPPERCASE, L"abC", L"ABC"},
        {ES_LOWERCASE, L"AbC", L"abc"},
        {0, L"AbC", L"AbC"},
    };
    for (const Case& c : cases)
    {
        CCountingMaskEdit edit;
        ASSERT_TRUE(edit.EnableMask(L"LLL", L"___", L' '));
        Make(edit, c.dwStyle);
        edit.SetFocus();
        edit.SetSel(0, 0);
        PumpAndIdle();
        UserInput input;
        input.Type(c.pszTyped).Pause(50);
        Play(input);
        EXPECT_EQ(std::wstring(c.pszExpected), W(edit.GetValue())) << c.dwStyle;
        EXPECT_EQ(0, edit.m_nBeeps) << c.dwStyle;
        edit.DestroyWindow();
    }
}

TEST_F(MaskEditWindowTest, TextThatDoesNotFitComesBack)
{
    CCountingMaskEdit edit;
    ASSERT_TRUE(edit.EnableMask(kMask, kTemplate));
    Make(edit);
    ASSERT_TRUE(edit.SetValue(L"(123) 456-ab"));
    // Text set from outside (as a paste would) that breaks the mask is refused.
    edit.SetWindowText(L"(12) 456-abz");
    PumpAndIdle();
    EXPECT_EQ(std::wstring(L"(123) 456-ab"), W(Text(edit)));
    EXPECT_EQ(std::wstring(L"(123) 456-ab"), W(edit.GetValue()));
    EXPECT_FALSE(edit.CanUndo());
    EXPECT_EQ(1, edit.m_nBeeps);
    // Text that fits is taken as the value, silently.
    edit.SetWindowText(L"(999) 456-ab");
    PumpAndIdle();
    EXPECT_EQ(std::wstring(L"(999) 456-ab"), W(edit.GetValue()));
    EXPECT_EQ(1, edit.m_nBeeps);

    // Without a mask the valid set still holds.
    CCountingMaskEdit plain;
    plain.SetValidChars(L"0123456789");
    ASSERT_TRUE(plain.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 40, 250, 64), &m_host, 201));
    plain.SetFocus();
    PumpAndIdle();
    UserInput input;
    input.Type(L"4a2").Pause(50);
    Play(input);
    EXPECT_EQ(std::wstring(L"42"), W(Text(plain)));
    EXPECT_EQ(std::wstring(L"42"), W(plain.GetValue()));
    EXPECT_EQ(1, plain.m_nBeeps);
}

} // namespace

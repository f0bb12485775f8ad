// The key-assign edit in a real dialog, typed into with the display's keys: the key that brings
// the focus is not taken, combinations show as the key helper writes them, Escape and Tab alone
// clear the field (Tab also moves the focus on).
#include "tests/uitoolkit/customize/CustomizeTestApp.h"
#include "tests/uitoolkit/customize/CustomizeTestIds.h"
#include "tests/uitoolkit/customize/CustomizeTestSupport.h"
#include "uitoolkit/customize/KTKeyAssignEdit.h"

#include <gtest/gtest.h>

namespace
{

CString Formatted(ACCEL accel)
{
    CString str;
    CKTKeyHelper(&accel).Format(str);
    return str;
}

CString TextOf(CWnd& wnd)
{
    CString str;
    wnd.GetWindowText(str);
    return str;
}

POINT CenterOf(CWnd& wnd)
{
    CRect rect;
    wnd.GetWindowRect(&rect);
    return rect.CenterPoint();
}

class KeyAssignEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::CreateDirectoryW(L"screenshots", nullptr);
        ASSERT_TRUE(m_dialog.Create(IDD_TEST_KEYS, nullptr));
        ASSERT_TRUE(m_edit.SubclassDlgItem(IDC_TEST_KEY_EDIT, &m_dialog));
        m_dialog.SetWindowPos(nullptr, 120, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        m_dialog.SetForegroundWindow();
        m_pPlain = m_dialog.GetDlgItem(IDC_TEST_PLAIN_EDIT);
        ASSERT_NE(nullptr, m_pPlain);
        Pump();
    }
    void TearDown() override
    {
        m_dialog.DestroyWindow();
        Pump();
    }

    // The focus given as the keyboard gives it: Tab from the plain edit.
    void TabIntoTheEdit()
    {
        m_pPlain->SetFocus();
        UserInput input;
        input.Press(VK_TAB);
        Play(input);
        ASSERT_EQ(m_edit.GetSafeHwnd(), ::GetFocus());
    }
    void ClickIntoTheEdit()
    {
        m_pPlain->SetFocus();
        UserInput input;
        input.MoveTo(CenterOf(m_edit)).LeftDown().LeftUp();
        Play(input);
        ASSERT_EQ(m_edit.GetSafeHwnd(), ::GetFocus());
    }

    CDialog m_dialog;
    CKTKeyAssignEdit m_edit;
    CWnd* m_pPlain = nullptr;
};

TEST_F(KeyAssignEditTest, TheKeyThatBroughtTheFocusIsNotTaken)
{
    TabIntoTheEdit();
    EXPECT_FALSE(m_edit.IsKeyDefined());
    EXPECT_TRUE(TextOf(m_edit).IsEmpty());

    UserInput input;
    input.Press(VK_F5);
    Play(input);
    EXPECT_TRUE(m_edit.IsKeyDefined());
    EXPECT_EQ(Formatted({FVIRTKEY, VK_F5, 0}), TextOf(m_edit));
}

TEST_F(KeyAssignEditTest, AfterAKeyboardFocusTheFirstKeyIsIgnoredAfterAClickNone)
{
    // Focus set without a click: the next key press is the one that is ignored.
    m_edit.SetFocus();
    Pump();
    UserInput first;
    first.Key(VK_F6, true);
    Play(first);
    EXPECT_FALSE(m_edit.IsKeyDefined());
    UserInput release;
    release.Key(VK_F6, false).Press(VK_F7);
    Play(release);
    EXPECT_TRUE(m_edit.IsKeyDefined());
    EXPECT_EQ(VK_F7, m_edit.GetAccel()->key);

    m_edit.ResetKey();
    ClickIntoTheEdit();
    UserInput afterClick;
    afterClick.Key(VK_F6, true);
    Play(afterClick);
    EXPECT_TRUE(m_edit.IsKeyDefined());
    EXPECT_EQ(Formatted({FVIRTKEY, VK_F6, 0}), TextOf(m_edit));
    UserInput up;
    up.Key(VK_F6, false);
    Play(up);
}

TEST_F(KeyAssignEditTest, HeldModifiersShowFirstThenTheCombination)
{
    ClickIntoTheEdit();
    CString strWhileHeld;
    UserInput input;
    input.Key(VK_CONTROL, true).Pause(100).Call([&] { strWhileHeld = TextOf(m_edit); });
    input.Press('K').Key(VK_CONTROL, false);
    Play(input);

    EXPECT_EQ(Formatted({FCONTROL, 0, 0}), strWhileHeld);
    EXPECT_TRUE(m_edit.IsKeyDefined());
    EXPECT_EQ((BYTE)(FVIRTKEY | FCONTROL), m_edit.GetAccel()->fVirt);
    EXPECT_EQ('K', m_edit.GetAccel()->key);
    EXPECT_EQ(Formatted({FVIRTKEY | FCONTROL, 'K', 0}), TextOf(m_edit));

    CRect rect;
    m_dialog.GetWindowRect(&rect);
    SaveScreenArea(L"screenshots/key-assign-edit.bmp", rect);

    // A new press starts a new combination.
    UserInput next;
    next.Press(VK_F3);
    Play(next);
    EXPECT_EQ(Formatted({FVIRTKEY, VK_F3, 0}), TextOf(m_edit));
}

TEST_F(KeyAssignEditTest, EscapeAloneClearsTheFieldAndKeepsTheDialog)
{
    ClickIntoTheEdit();
    UserInput input;
    input.Press(VK_F5).Press(VK_ESCAPE);
    Play(input);
    EXPECT_FALSE(m_edit.IsKeyDefined());
    EXPECT_TRUE(TextOf(m_edit).IsEmpty());
    EXPECT_TRUE(m_dialog.IsWindowVisible());
    EXPECT_EQ(m_edit.GetSafeHwnd(), ::GetFocus());
}

TEST_F(KeyAssignEditTest, TabAloneClearsTheFieldAndMovesTheFocusOn)
{
    ClickIntoTheEdit();
    UserInput input;
    input.Press(VK_F5).Press(VK_TAB);
    Play(input);
    EXPECT_FALSE(m_edit.IsKeyDefined());
    EXPECT_TRUE(TextOf(m_edit).IsEmpty());
    EXPECT_EQ(m_pPlain->GetSafeHwnd(), ::GetFocus());
}

TEST_F(KeyAssignEditTest, ResetKeyForgetsTheWholeEntry)
{
    ClickIntoTheEdit();
    UserInput input;
    input.Key(VK_SHIFT, true).Press(VK_F8).Key(VK_SHIFT, false);
    Play(input);
    ASSERT_TRUE(m_edit.IsKeyDefined());
    m_edit.GetAccel()->cmd = 77;
    m_edit.ResetKey();
    EXPECT_FALSE(m_edit.IsKeyDefined());
    EXPECT_EQ(0, m_edit.GetAccel()->fVirt);
    EXPECT_EQ(0, m_edit.GetAccel()->key);
    EXPECT_EQ(0, m_edit.GetAccel()->cmd);
    EXPECT_TRUE(TextOf(m_edit).IsEmpty());

    CKTKeyAssignEdit noWindow;
    noWindow.ResetKey();
    EXPECT_FALSE(noWindow.IsKeyDefined());
}

} // namespace

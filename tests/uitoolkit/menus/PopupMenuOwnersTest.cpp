// What a popup menu takes from outside and must not trust for its whole life: the window that
// receives its commands, which may be destroyed (and its object freed) while the menu is open;
// the screen's colour depth, which turns the fade off for one popup without touching the stored
// animation setting; and the owner's window, outside which no shadow is drawn. Runs under the
// heap checker, so a freed window touched fails.
#include "tests/framework/input/UserInput.h"
#include "tests/framework/windows/WindowsTestSupport.h"
#include "tests/uitoolkit/menus/MenuTestSupport.h"
#include "uitoolkit/looks/KTDrawHelper.h"
#include "uitoolkit/looks/KTUIGlobals.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

// A child window that takes a menu's commands and deletes itself with its window, as heap
// windows of a program do.
class CPassingMessageWnd : public CWnd
{
public:
    explicit CPassingMessageWnd(std::vector<UINT>& commands) : m_commands(commands) {}
    BOOL CreateIn(CWnd* pParent)
    {
        const CString strClass = AfxRegisterWndClass(0);
        return CWnd::Create(strClass, L"messages", WS_CHILD | WS_VISIBLE, CRect(0, 60, 80, 100), pParent, 0x4321);
    }

protected:
    void PostNcDestroy() override { delete this; }
    void OnCommandRange(UINT nID) { m_commands.push_back(nID); }
    DECLARE_MESSAGE_MAP()

private:
    std::vector<UINT>& m_commands;
};

BEGIN_MESSAGE_MAP(CPassingMessageWnd, CWnd)
ON_COMMAND_RANGE(ID_M_NEW, 1999, &CPassingMessageWnd::OnCommandRange)
END_MESSAGE_MAP()

class PopupMenuOwnersTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CKTPopupMenu::SetAnimationType(CKTPopupMenu::ANIMATION_NONE);
        m_pFrame = new CMenuTestFrame;
        ASSERT_TRUE(
            m_pFrame->Create(nullptr, L"Menu owners", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(60, 60, 560, 420)));
        m_hFrame = m_pFrame->GetSafeHwnd();
        ::SetForegroundWindow(m_hFrame);
        m_pFrame->RecalcLayout();
        PumpAndIdle();
    }
    void TearDown() override
    {
        for (int i = 0; i < 5 && ActivePopup() != nullptr; i++)
        {
            ActivePopup()->SendMessage(WM_CLOSE);
            PumpAndIdle();
        }
        if (::IsWindow(m_hFrame))
            m_pFrame->DestroyWindow();
        PumpAndIdle();
        CKTPopupMenu::SetAnimationType(CKTPopupMenu::ANIMATION_NONE);
    }
    // A context menu of the File items whose commands go to pMessageWnd.
    CKTPopupMenu* OpenFor(CWnd* pMessageWnd)
    {
        CRect rect;
        m_pFrame->GetWindowRect(&rect);
        CKTPopupMenu* pPopup = new CKTPopupMenu;
        if (!pPopup->Create(pMessageWnd, rect.left + 100, rect.top + 80, MakeFileMenu(), FALSE, TRUE))
            return nullptr;
        PumpAndIdle();
        return pPopup;
    }
    void ChooseFirstItemWithKeys()
    {
        UserInput input;
        input.Press(VK_DOWN).Pause(30).Press(VK_RETURN).Pause(50);
        input.Start();
        PumpUntil([&] { return input.Done(); }, 10000);
        RunMessageLoopFor(100);
    }

    CMenuTestFrame* m_pFrame = nullptr;
    HWND m_hFrame = nullptr;
};

} // namespace

TEST_F(PopupMenuOwnersTest, AMessageWindowDestroyedWhileTheMenuIsOpenIsNoLongerUsed)
{
    std::vector<UINT> received;
    // While it lives, the message window takes the chosen command.
    CPassingMessageWnd* pLiving = new CPassingMessageWnd(received);
    ASSERT_TRUE(pLiving->CreateIn(m_pFrame));
    CKTPopupMenu* pPopup = OpenFor(pLiving);
    ASSERT_NE(nullptr, pPopup);
    EXPECT_EQ(pLiving, pPopup->GetMessageWnd());
    ChooseFirstItemWithKeys();
    EXPECT_EQ((std::vector<UINT>{ID_M_NEW}), received);
    EXPECT_TRUE(m_pFrame->m_commands.empty());
    EXPECT_EQ(0, CountPopupWindows());
    pLiving->DestroyWindow();

    // Destroyed (and freed) while its menu is open: the menu's idle updates, command routing and
    // the choice go on without it, and the choice reaches the frame the menu belongs to.
    received.clear();
    CPassingMessageWnd* pGoing = new CPassingMessageWnd(received);
    ASSERT_TRUE(pGoing->CreateIn(m_pFrame));
    pPopup = OpenFor(pGoing);
    ASSERT_NE(nullptr, pPopup);
    pGoing->DestroyWindow();
    PumpAndIdle();
    EXPECT_EQ(nullptr, pPopup->GetMessageWnd());
    EXPECT_FALSE(pPopup->PostCommand(ID_M_OPEN));
    ChooseFirstItemWithKeys();
    EXPECT_TRUE(received.empty());
    EXPECT_EQ((std::vector<UINT>{ID_M_NEW}), m_pFrame->m_commands);
    EXPECT_EQ(0, CountPopupWindows());
}

TEST_F(PopupMenuOwnersTest, OnAPaletteScreenFadeIsOffForThePopupButTheSettingStays)
{
    const int nRealBits = ktGlobals.m_bitsPerPixel;
    struct Case
    {
        int nBits;
        BOOL bItemsAtOnce; // no animation runs: the items are there as the popup appears
    } cases[] = {{32, FALSE}, {8, TRUE}};
    const BOOL bOldShadows = CKTToolBar::m_bMenuShadows;
    CKTToolBar::m_bMenuShadows = TRUE;
    for (const Case& c : cases)
    {
        ktGlobals.m_bitsPerPixel = c.nBits;
        CKTPopupMenu::SetAnimationType(CKTPopupMenu::ANIMATION_FADE);
        CKTPopupMenu* pPopup = OpenFor(m_pFrame);
        ASSERT_NE(nullptr, pPopup) << c.nBits;
        EXPECT_EQ(c.bItemsAtOnce, pPopup->GetMenuBar()->IsWindowVisible() != FALSE) << c.nBits << " bits";
        if (c.nBits <= 8)
        {
            EXPECT_EQ(0, pPopup->GetShadowSize()) << "no shadow on a palette screen";
        }
        EXPECT_EQ((int)CKTPopupMenu::ANIMATION_FADE, CKTPopupMenu::GetAnimationType())
            << "the stored setting is the user's, whatever this screen can show";
        EXPECT_TRUE(PumpUntil([&] { return pPopup->GetMenuBar()->IsWindowVisible() != FALSE; }, 3000));
        pPopup->SendMessage(WM_CLOSE);
        PumpAndIdle();
    }
    ktGlobals.m_bitsPerPixel = nRealBits;
    CKTToolBar::m_bMenuShadows = bOldShadows;
}

TEST_F(PopupMenuOwnersTest, AShadowThatWouldReachOutsideTheOwnersWindowIsLeftOff)
{
    const BOOL bOldShadows = CKTToolBar::m_bMenuShadows;
    CKTToolBar::m_bMenuShadows = TRUE;
    CRect rectFrame;
    m_pFrame->GetWindowRect(&rectFrame);
    struct Case
    {
        const char* name;
        CPoint point;
        BOOL bShadow;
    } cases[] = {
        {"well inside the frame", CPoint(rectFrame.left + 40, rectFrame.top + 60), TRUE},
        {"over the frame's right edge", CPoint(rectFrame.right - 20, rectFrame.top + 60), FALSE},
        {"over the frame's bottom edge", CPoint(rectFrame.left + 40, rectFrame.bottom - 10), FALSE},
    };
    for (const Case& c : cases)
    {
        CKTPopupMenu* pPopup = new CKTPopupMenu;
        ASSERT_TRUE(pPopup->Create(m_pFrame, c.point.x, c.point.y, MakeEditMenu(), FALSE, TRUE)) << c.name;
        PumpAndIdle();
        if (c.bShadow && pPopup->GetShadowSize() == 0)
        {
            pPopup->SendMessage(WM_CLOSE);
            PumpAndIdle();
            CKTToolBar::m_bMenuShadows = bOldShadows;
            GTEST_SKIP() << "the look draws no menu shadow";
        }
        EXPECT_EQ(c.bShadow, pPopup->GetShadowSize() > 0) << c.name;
        CRect rect;
        pPopup->GetWindowRect(&rect);
        EXPECT_EQ(pPopup->GetFinalSize() + CSize(pPopup->GetShadowSize(), pPopup->GetShadowSize()), rect.Size())
            << "the window is the menu and its shadow, if any: " << c.name;
        if (c.bShadow && ktGlobals.m_bitsPerPixel > 8)
        {
            // The row under the menu is the background darkened to 65 percent.
            const int x = rect.left + pPopup->GetFinalSize().cx / 2;
            HDC hScreen = ::GetDC(nullptr);
            const COLORREF background = ::GetPixel(hScreen, x, rect.bottom + 2);
            const COLORREF shadow = ::GetPixel(hScreen, x, rect.top + pPopup->GetFinalSize().cy);
            ::ReleaseDC(nullptr, hScreen);
            const COLORREF expected = CKTDrawHelper::PixelAlpha(background, 65);
            EXPECT_NEAR(GetRValue(expected), GetRValue(shadow), 1) << c.name;
            EXPECT_NEAR(GetGValue(expected), GetGValue(shadow), 1) << c.name;
            EXPECT_NEAR(GetBValue(expected), GetBValue(shadow), 1) << c.name;
        }
        pPopup->SendMessage(WM_CLOSE);
        PumpAndIdle();
    }
    CKTToolBar::m_bMenuShadows = bOldShadows;
}

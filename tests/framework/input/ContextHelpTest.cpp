// The context-help loop as a user meets it: Shift+F1 mode, then clicks. A window that answers
// -1 ("no help here") keeps the mode on, one without an answer passes the question to its parent,
// a positive context ends the mode with that help; Escape ends it without help. The frame's help
// commands reach its own WinHelp.
#include "../windows/WindowsTestSupport.h"
#include "UserInput.h"

#include <gtest/gtest.h>

#include <atomic>
#include <utility>
#include <vector>

namespace {

const LRESULT kHelpedContext = 0x20005;

// A child that answers the help hit test with a fixed value.
class CHitTestWnd : public CWnd
{
public:
    explicit CHitTestWnd(LRESULT lAnswer) : m_lAnswer(lAnswer) {}

protected:
    LRESULT OnHelpHitTest(WPARAM, LPARAM) { return m_lAnswer; }
    DECLARE_MESSAGE_MAP()

private:
    LRESULT m_lAnswer;
};

BEGIN_MESSAGE_MAP(CHitTestWnd, CWnd)
    ON_MESSAGE(WM_HELPHITTEST, &CHitTestWnd::OnHelpHitTest)
END_MESSAGE_MAP()

class CHelpFrame : public CFrameWnd
{
public:
    std::vector<std::pair<DWORD_PTR, UINT>> m_helpCalls;
    void WinHelp(DWORD_PTR dwData, UINT nCmd) override { m_helpCalls.emplace_back(dwData, nCmd); }
};

class ContextHelpTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CHelpFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, L"Help", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(100, 100, 500, 400),
                                     nullptr, nullptr, WS_EX_TOPMOST));
        const LPCTSTR lpszClass = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW),
                                                      reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
        ASSERT_TRUE(m_noHelp.CreateEx(0, lpszClass, L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 100, 80,
                                      m_pFrame->m_hWnd, nullptr));
        ASSERT_TRUE(m_silent.CreateEx(0, lpszClass, L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 130, 10, 100, 80,
                                      m_pFrame->m_hWnd, nullptr));
        ASSERT_TRUE(m_helped.CreateEx(0, lpszClass, L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 250, 10, 100, 80,
                                      m_pFrame->m_hWnd, nullptr));
        m_pFrame->SetForegroundWindow();
        RunMessageLoopFor(150);
    }
    void TearDown() override
    {
        m_pFrame->DestroyWindow();
        PumpAndIdle();
    }

    static CPoint Centre(CWnd& wnd)
    {
        CRect rect;
        wnd.GetWindowRect(&rect);
        return rect.CenterPoint();
    }

    // Runs the help loop while the input plays; the mode seen after each marked step is kept.
    void RunHelpLoop(UserInput& input)
    {
        m_pFrame->PostMessage(WM_COMMAND, ID_CONTEXT_HELP);
        input.Start();
        EXPECT_TRUE(PumpUntil([&] { return input.Done(); }, 10000));
        input.Wait();
        PumpAndIdle();
    }
    void NoteMode(UserInput& input)
    {
        input.Pause(150).Call([this] { m_modes.push_back(m_pFrame->m_bHelpMode); });
    }

    CHelpFrame* m_pFrame = nullptr;
    CHitTestWnd m_noHelp{-1};
    CHitTestWnd m_silent{0};
    CHitTestWnd m_helped{kHelpedContext};
    std::vector<int> m_modes;
};

TEST_F(ContextHelpTest, OnlyAPositiveAnswerEndsHelpModeWithItsHelp)
{
    UserInput input;
    input.Pause(200);
    NoteMode(input);
    input.MoveTo(Centre(m_noHelp)).LeftDown().LeftUp();
    NoteMode(input);
    input.MoveTo(Centre(m_silent)).LeftDown().LeftUp();
    NoteMode(input);
    input.MoveTo(Centre(m_helped)).LeftDown().LeftUp();
    NoteMode(input);
    RunHelpLoop(input);

    const std::vector<int> expectedModes = {CFrameWnd::HELP_ACTIVE, CFrameWnd::HELP_ACTIVE, CFrameWnd::HELP_ACTIVE,
                                            CFrameWnd::HELP_INACTIVE};
    EXPECT_EQ(m_modes, expectedModes);
    const std::vector<std::pair<DWORD_PTR, UINT>> expectedHelp = {{kHelpedContext, HELP_CONTEXT}};
    EXPECT_EQ(m_pFrame->m_helpCalls, expectedHelp);
}

TEST_F(ContextHelpTest, EscapeEndsHelpModeWithoutHelp)
{
    UserInput input;
    input.Pause(200).MoveTo(Centre(m_noHelp)).LeftDown().LeftUp();
    NoteMode(input);
    input.Key(VK_ESCAPE, true).Key(VK_ESCAPE, false);
    NoteMode(input);
    RunHelpLoop(input);

    const std::vector<int> expectedModes = {CFrameWnd::HELP_ACTIVE, CFrameWnd::HELP_INACTIVE};
    EXPECT_EQ(m_modes, expectedModes);
    EXPECT_TRUE(m_pFrame->m_helpCalls.empty());
}

TEST_F(ContextHelpTest, HelpCommandsGoThroughTheFramesWinHelp)
{
    const struct
    {
        UINT m_nID;
        UINT m_nCmd;
    } cases[] = {{ID_HELP_FINDER, HELP_FINDER}, {ID_DEFAULT_HELP, HELP_FINDER}, {ID_HELP_INDEX, HELP_INDEX},
                 {ID_HELP_USING, HELP_HELPONHELP}};
    for (const auto& command : cases)
    {
        m_pFrame->m_helpCalls.clear();
        m_pFrame->SendMessage(WM_COMMAND, command.m_nID);
        const std::vector<std::pair<DWORD_PTR, UINT>> expected = {{0, command.m_nCmd}};
        EXPECT_EQ(m_pFrame->m_helpCalls, expected) << "command " << command.m_nID;
    }
}

} // namespace

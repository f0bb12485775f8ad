// Docked and floating toolbars in a frame that does not make itself their owner: the bar menu,
// the reset after a reload from the resource, the status prompts and the commands must still reach
// the frame, although the bars' parent is then a dock bar. A drop-down group docked the same way
// sends the command chosen in it to the frame too.
#include "tests/uitoolkit/bars/ButtonsTestFrame.h"
#include "uitoolkit/bars/KTDropDownToolBar.h"

#include <algorithm>
#include <vector>

namespace
{
struct ReceivedMessage
{
    UINT message;
    WPARAM wParam;
};

// Records the toolkit's messages, the prompts and the commands that reach it.
class CMessagesTestFrame : public CButtonsTestFrame
{
public:
    std::vector<ReceivedMessage> m_messages;

    std::vector<WPARAM> Received(UINT message) const
    {
        std::vector<WPARAM> result;
        for (const auto& m : m_messages)
            if (m.message == message)
                result.push_back(m.wParam);
        return result;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == KT_WM_TOOLBARMENU || message == KT_WM_RESETTOOLBAR || message == WM_SETMESSAGESTRING)
            m_messages.push_back({message, wParam});
        return CButtonsTestFrame::WindowProc(message, wParam, lParam);
    }
};

enum class Placement
{
    Docked,
    Floating
};

class ToolbarFrameMessagesTest : public BarsWindowTest<CMessagesTestFrame, CKTToolBar>,
                                 public ::testing::WithParamInterface<Placement>
{
protected:
    void SetUp() override
    {
        BarsWindowTest::SetUp();
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
    }

    CKTToolBar* AddPlacedBar(CKTToolBar* pBar, Placement placement)
    {
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        if (placement == Placement::Docked)
            m_pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
        else
        {
            CRect rectFrame;
            m_pFrame->GetWindowRect(&rectFrame);
            m_pFrame->FloatControlBar(pBar, CPoint(rectFrame.left + 120, rectFrame.top + 140));
        }
        Relayout();
        EXPECT_NE(m_pFrame, pBar->GetParent()) << "the bar lives in a dock bar";
        EXPECT_EQ(nullptr, pBar->m_hWndOwner) << "no owner was set";
        return pBar;
    }
};
} // namespace

TEST_P(ToolbarFrameMessagesTest, MenuResetPromptAndCommandReachTheFrame)
{
    CKTToolBar* pBar = AddPlacedBar(AddBar(CBRS_TOP), GetParam());
    const HWND hBar = pBar->GetSafeHwnd();

    // Over Save, then a right click and a left click on it.
    const POINT save = ScreenCentre(pBar, 1);
    UserInput input;
    input.MoveTo(CPoint(save.x - 30, save.y - 60)).Pause(50).MoveTo(save).Pause(100);
    input.RightDown().RightUp().Pause(200).LeftDown().Pause(50).LeftUp().Pause(200);
    Play(input);
    EXPECT_EQ(std::vector<WPARAM>{reinterpret_cast<WPARAM>(hBar)}, m_pFrame->Received(KT_WM_TOOLBARMENU));
    const std::vector<WPARAM> prompts = m_pFrame->Received(WM_SETMESSAGESTRING);
    EXPECT_NE(prompts.end(), std::find(prompts.begin(), prompts.end(), WPARAM(ID_TEST_SAVE)))
        << "the prompt of the button under the mouse";
    EXPECT_EQ(1u, m_pFrame->CommandsOf(ID_TEST_SAVE).size());

    // The Toolbars page's reset reloads the resource; the frame replaces placeholders on it.
    m_pFrame->m_messages.clear();
    ASSERT_TRUE(pBar->RemoveButton(0));
    pBar->RestoreResourceState();
    EXPECT_EQ(std::vector<WPARAM>{IDR_TEST_TOOLBAR}, m_pFrame->Received(KT_WM_RESETTOOLBAR));
    EXPECT_EQ(5, pBar->GetCount());
}

TEST_P(ToolbarFrameMessagesTest, ACommandChosenInADockedGroupReachesTheFrame)
{
    // The group itself is shown, docked or floating, beside the bar with its drop-down button.
    CKTDropDownToolBar group;
    ASSERT_TRUE(group.Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR + 20));
    ASSERT_TRUE(group.LoadToolBar(IDR_TEST_TOOLBAR2));
    AddPlacedBar(&group, GetParam());
    CKTToolBar* pBar = AddPlacedBar(AddBar(CBRS_TOP), Placement::Docked);
    auto* pButton = new CKTDropDownToolbarButton(L"Group", &group);
    const int iButton = pBar->InsertButton(pButton);
    ASSERT_GE(iButton, 0);
    Relayout();

    ASSERT_TRUE(pButton->DropDown());
    CKTDropDownFrame* pDropped = pButton->GetFrame();
    ASSERT_TRUE(pDropped != nullptr);
    const HWND hDropped = pDropped->GetSafeHwnd();
    CRect rectSave;
    pDropped->GetToolBar().GetItemRect(1, &rectSave);
    pDropped->GetToolBar().ClientToScreen(&rectSave);
    UserInput input;
    input.MoveTo(rectSave.CenterPoint()).Pause(100).LeftDown().Pause(50).LeftUp().Pause(300);
    Play(input);
    PumpUntil([&] { return !::IsWindow(hDropped); }, 2000);

    EXPECT_FALSE(::IsWindow(hDropped));
    EXPECT_EQ(1u, m_pFrame->CommandsOf(ID_TEST_SAVE).size());
    EXPECT_EQ(static_cast<UINT>(ID_TEST_SAVE), pButton->m_nID) << "the choice is the current command";
    pBar->RemoveButton(iButton);
    group.DestroyWindow();
}

INSTANTIATE_TEST_SUITE_P(Placements, ToolbarFrameMessagesTest,
                         ::testing::Values(Placement::Docked, Placement::Floating),
                         [](const ::testing::TestParamInfo<Placement>& info) {
                             return std::string(info.param == Placement::Docked ? "Docked" : "Floating");
                         });

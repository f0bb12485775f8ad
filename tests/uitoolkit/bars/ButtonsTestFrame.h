// A frame for the button kinds' window tests: it records every command that reaches it with its
// notification code and control, handles the test commands so that their buttons stay enabled,
// and keeps the bars it carries.
#pragma once

#include "tests/framework/input/UserInput.h"
#include "tests/framework/windows/WindowsTestSupport.h"
#include "tests/uitoolkit/bars/ToolbarTestIds.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/customize/KTCommandManager.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// Commands of the button kinds' tests, beside those of the toolbar resources.
#define ID_BUTTONS_ZOOM 32820
#define ID_BUTTONS_LAST 32839

struct ReceivedCommand
{
    UINT id;
    UINT code;
    HWND hwndControl;
};

class CButtonsTestFrame : public CFrameWnd
{
public:
    std::vector<ReceivedCommand> m_commands;

    std::vector<ReceivedCommand> CommandsOf(UINT uiCmd) const
    {
        std::vector<ReceivedCommand> result;
        for (const auto& c : m_commands)
            if (c.id == uiCmd)
                result.push_back(c);
        return result;
    }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        m_commands.push_back({LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)});
        return CFrameWnd::OnCommand(wParam, lParam);
    }
    void OnTestCommand(UINT) {}
    DECLARE_MESSAGE_MAP()
};

// A frame of the given class on the test display with toolbars of the given class docked in
// it: adding bars from a resource, laying them out again, finding a button on the screen,
// playing input and keeping screenshots in the build folder.
template <class TFrame, class TBar>
class BarsWindowTest : public ::testing::Test
{
protected:
    explicit BarsWindowTest(CRect rectFrame = CRect(40, 40, 600, 340)) : m_rectFrame(rectFrame) {}

    void SetUp() override
    {
        CKTToolBar::SetSizes(CSize(23, 22), CSize(16, 15));
        m_pFrame = new TFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, L"Buttons", WS_OVERLAPPEDWINDOW | WS_VISIBLE, m_rectFrame));
        m_hFrame = m_pFrame->GetSafeHwnd();
        ::SetForegroundWindow(m_hFrame);
    }
    void TearDown() override
    {
        m_bars.clear();
        if (m_pFrame != nullptr && ::IsWindow(m_hFrame))
            m_pFrame->DestroyWindow();
        PumpAndIdle();
        CKTToolBar::SetLargeIcons(FALSE);
        CKTCommandManager::GetInstance()->ClearAllCmdImages();
    }

    TBar* AddBar(DWORD dwAlign, UINT uiResID = IDR_TEST_TOOLBAR, UINT nID = AFX_IDW_TOOLBAR)
    {
        auto bar = std::make_unique<TBar>();
        EXPECT_TRUE(bar->Create(m_pFrame, WS_CHILD | WS_VISIBLE | dwAlign, nID));
        EXPECT_TRUE(bar->LoadToolBar(uiResID));
        m_bars.push_back(std::move(bar));
        return m_bars.back().get();
    }

    void Relayout()
    {
        for (auto& bar : m_bars)
            bar->AdjustLayout();
        m_pFrame->RecalcLayout();
        PumpAndIdle();
        for (auto& bar : m_bars)
            bar->UpdateWindow();
    }

    static POINT ScreenCentre(CKTToolBar* pBar, int iIndex)
    {
        CRect rect;
        pBar->GetItemRect(iIndex, &rect);
        pBar->ClientToScreen(&rect);
        return rect.CenterPoint();
    }

    static void Play(UserInput& input)
    {
        input.Start();
        PumpUntil([&] { return input.Done(); }, 15000);
        PumpAndIdle();
    }

    void SaveScreenshot(const wchar_t* name)
    {
        ::CreateDirectoryW(L"screenshots", nullptr);
        ::RedrawWindow(m_hFrame, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        RunMessageLoopFor(200);
        CRect rect;
        m_pFrame->GetWindowRect(&rect);
        EXPECT_TRUE(SaveScreenArea((std::wstring(L"screenshots\\") + name).c_str(), rect));
    }

    CRect m_rectFrame;
    TFrame* m_pFrame = nullptr;
    HWND m_hFrame = nullptr;
    std::vector<std::unique_ptr<TBar>> m_bars;
};

using ButtonsWindowTest = BarsWindowTest<CButtonsTestFrame, CKTToolBar>;

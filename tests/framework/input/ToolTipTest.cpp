// The thread's tooltip as a user meets it: the mouse rests on a control of a window with tooltips
// on, the tooltip asks for its text, and the window answers with the second line of the control's
// string resource; a control that knows its own text answers first.
#include "../windows/WindowsTestSupport.h"
#include "../windows/TestResource.h"
#include "UserInput.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const UINT kOwnTextID = 4321;  // no string resource: the control answers for itself

// Records every tooltip text request and what the framework answered.
class CTipHostWnd : public CWnd
{
public:
    std::vector<std::wstring> m_answers;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        BOOL bHandled = CWnd::OnNotify(wParam, lParam, pResult);
        auto* pTTT = reinterpret_cast<TOOLTIPTEXTW*>(lParam);
        if (pTTT->hdr.code == TTN_NEEDTEXTW)
            m_answers.push_back(bHandled && pTTT->lpszText != nullptr ? pTTT->lpszText : L"<none>");
        return bHandled;
    }
};

// A hosted control with a text of its own.
class CSelfTellingWnd : public CWnd
{
protected:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT*) override
    {
        auto* pTTT = reinterpret_cast<TOOLTIPTEXTW*>(lParam);
        if (pTTT->hdr.code == TTN_NEEDTEXTW)
            lstrcpynW(pTTT->szText, L"Own words", 80);
        return TRUE;
    }
};

TEST(ToolTipTest, RestingMouseShowsTheControlsPromptTip)
{
    CTipHostWnd host;
    ASSERT_TRUE(host.CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW),
                                                                 reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)),
                              L"tips", WS_POPUP | WS_BORDER | WS_VISIBLE, 200, 200, 360, 120, nullptr, nullptr));
    HWND hButton = ::CreateWindowW(L"BUTTON", L"Probe", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20, 30, 120, 40,
                                   host.m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(ID_TEST_PROBE)), nullptr,
                                   nullptr);
    ASSERT_NE(hButton, nullptr);
    CSelfTellingWnd own;
    ASSERT_TRUE(own.CreateEx(0, AfxRegisterWndClass(0), L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 200, 30, 120, 40,
                             host.m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kOwnTextID))));
    host.EnableToolTips(TRUE);
    host.SetForegroundWindow();
    RunMessageLoopFor(100);

    CRect rectButton;
    ::GetWindowRect(hButton, &rectButton);
    CRect rectOwn;
    own.GetWindowRect(&rectOwn);
    for (const CRect& rect : {rectButton, rectOwn})
    {
        UserInput input;
        input.MoveTo(CPoint(rect.left + 5, rect.top + 5)).MoveTo(rect.CenterPoint()).Pause(100);
        input.Start();
        PumpUntil([&] { return input.Done(); });
        input.Wait();
        const size_t nBefore = host.m_answers.size();
        PumpUntil([&] { return host.m_answers.size() > nBefore; }, 4000);
        if (rect == rectButton)
        {
            RunMessageLoopFor(300);
            HWND hWndTip = AfxGetThreadWndState()->m_hWndToolTip;
            ASSERT_NE(hWndTip, nullptr) << "the thread's tooltip exists once a tool was added";
            EXPECT_TRUE(::IsWindowVisible(hWndTip));
            CRect rectTip;
            ::GetWindowRect(hWndTip, &rectTip);
            CRect rectShot(rectButton.left - 10, rectButton.top - 10, std::max(rectTip.right, rectButton.right) + 10,
                           std::max(rectTip.bottom, rectButton.bottom) + 10);
            EXPECT_TRUE(SaveScreenArea(L"thread_tooltip.bmp", rectShot));
        }
    }
    const std::vector<std::wstring> expected = {L"Probe", L"Own words"};
    EXPECT_EQ(host.m_answers, expected);
    host.DestroyWindow();
}

} // namespace

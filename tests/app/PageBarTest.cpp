// A child frame's page bar as a user meets it: built locked under the page, centred in the frame,
// its buttons and its box moving through a job's pages with the display's mouse and keys, and a
// page out of range answered with the message and the current page put back.
#include "app/OwnToolbarButtons.h"
#include "tests/app/ChildFrameFixture.h"
#include "tests/app/DialogUser.h"
#include "tests/framework/input/UserInput.h"
#include "uitoolkit/bars/KTToolbarEditBoxButton.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace
{

const std::wstring SampleReport = std::wstring(L"" KEST_SOURCE_DIR) + L"/samples/report.kest";
constexpr UINT First = CConvertingFrame::FirstPageCommand;
constexpr UINT Previous = CConvertingFrame::PreviousPageCommand;
constexpr UINT Next = CConvertingFrame::NextPageCommand;
constexpr UINT Last = CConvertingFrame::LastPageCommand;

class PageBarTest : public ChildFramesTest
{
protected:
    void SetUp() override
    {
        ChildFramesTest::SetUp();
        m_report = TempPath(L"kest-page-bar.kest");
        ASSERT_TRUE(CopyFileW(SampleReport.c_str(), m_report.c_str(), FALSE));
        m_frame = Open(m_report);
        ASSERT_EQ(m_frame->GetView().GetPageCount(), 3);
        ASSERT_NE(m_frame->GetPageBox(), nullptr);
        UpdateBars();
    }
    void TearDown() override
    {
        ChildFramesTest::TearDown();
        DeleteFileW(m_report.c_str());
    }

    // What the program's idle time does: button states and the page count from the view.
    void UpdateBars()
    {
        m_main->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        PumpTranslated(50);
    }

    CKTLockedToolBar& Bar() { return m_frame->GetPageBar(); }

    POINT ButtonPoint(UINT command)
    {
        CRect rect;
        Bar().GetItemRect(Bar().CommandToIndex(command), &rect);
        POINT point = rect.CenterPoint();
        ClientToScreen(Bar().m_hWnd, &point);
        return point;
    }

    RECT ScreenRect(HWND window)
    {
        RECT rect = {};
        GetWindowRect(window, &rect);
        return rect;
    }

    std::wstring BoxText() { return TextOf(m_frame->GetPageBox()->GetEditBox()->m_hWnd); }

    bool Enabled(UINT command) { return (Bar().GetButtonStyle(Bar().CommandToIndex(command)) & TBBS_DISABLED) == 0; }

    // Clicks into the page box, empties it and types the text, then Enter.
    void TypePage(UserInput& input, const std::wstring& text)
    {
        input.MoveTo(ButtonPoint(CConvertingFrame::CurrentPageCommand)).LeftDown().LeftUp().Press(VK_END);
        for (int i = 0; i < 4; ++i)
            input.Press(VK_BACK);
        input.Type(text).Press(VK_RETURN);
    }

    void Play(UserInput& input)
    {
        input.Start();
        const DWORD start = GetTickCount();
        while (!input.Done() && GetTickCount() - start < 30000)
            PumpTranslated(10);
        EXPECT_TRUE(input.Done());
        input.Wait();
        PumpTranslated();
        UpdateBars();
    }

    // The bar's distance to the frame's left and right edges.
    std::pair<long, long> Margins()
    {
        RECT client = {};
        GetClientRect(m_frame->m_hWnd, &client);
        MapWindowPoints(m_frame->m_hWnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
        const RECT bar = ScreenRect(Bar().m_hWnd);
        return {bar.left - client.left, client.right - bar.right};
    }

    std::wstring m_report;
    CChildFrame* m_frame = nullptr;
};

TEST_F(PageBarTest, TheBarIsLockedUnderThePageAboveThePreviewAndCentred)
{
    ASSERT_TRUE(Bar().m_hWnd);
    EXPECT_EQ(Bar().GetDlgCtrlID(), static_cast<int>(CConvertingFrame::PageBarId));
    EXPECT_EQ(::GetDlgCtrlID(::GetParent(Bar().m_hWnd)), AFX_IDW_DOCKBAR_BOTTOM);
    EXPECT_EQ(Bar().GetBarStyle() & CBRS_GRIPPER, 0u);
    EXPECT_TRUE(Bar().IsLocked());
    EXPECT_FALSE(Bar().AllowShowOnList());

    std::vector<UINT> commands;
    for (int i = 0; i < Bar().GetCount(); ++i)
        commands.push_back(Bar().GetItemID(i));
    EXPECT_EQ(commands, (std::vector<UINT>{CConvertingFrame::FirstPageCommand, CConvertingFrame::PreviousPageCommand,
                                           CConvertingFrame::CurrentPageCommand, CConvertingFrame::PageCountCommand,
                                           CConvertingFrame::NextPageCommand, CConvertingFrame::LastPageCommand}));
    const CKTToolbarEditBoxButton* box = m_frame->GetPageBox();
    EXPECT_EQ(box->GetWidth(), 60);
    EXPECT_NE(box->GetEditBox()->GetStyle() & ES_NUMBER, 0u);
    EXPECT_EQ(BoxText(), L"1");
    // The box fills its place on the bar, also when the bar was laid out before the frame showed.
    CRect place;
    Bar().GetItemRect(Bar().CommandToIndex(CConvertingFrame::CurrentPageCommand), &place);
    Bar().ClientToScreen(&place);
    const RECT edit = ScreenRect(box->GetEditBox()->m_hWnd);
    EXPECT_TRUE(box->GetEditBox()->IsWindowVisible());
    EXPECT_GE(edit.left, place.left);
    EXPECT_LE(edit.right, place.right);
    EXPECT_GT(edit.right - edit.left, place.Width() / 2);
    const auto* label =
        dynamic_cast<CKTLabelButton*>(Bar().GetButton(Bar().CommandToIndex(CConvertingFrame::PageCountCommand)));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(std::wstring(label->m_strText), L"of 3 Pages");

    // Between the page and the preview.
    const RECT bar = ScreenRect(Bar().m_hWnd);
    EXPECT_GE(bar.top, ScreenRect(m_frame->GetView().m_hWnd).bottom);
    EXPECT_LE(bar.bottom, ScreenRect(m_frame->GetPreviewBar()->m_hWnd).top);

    // Centred, also after the frame changed its size.
    for (int width : {0, 520, 760})
    {
        if (width)
        {
            m_main->MDIRestore(m_frame);
            m_frame->MoveWindow(0, 0, width, 480);
            PumpTranslated();
        }
        const auto margins = Margins();
        EXPECT_LE(std::abs(margins.first - margins.second), 1) << width;
        EXPECT_GT(margins.first, 0) << width;
    }
    m_main->MDIMaximize(m_frame);
    PumpTranslated();

    // Pulled where no button is (or by its border) or double-clicked there, the bar stays put.
    const RECT before = ScreenRect(Bar().m_hWnd);
    CRect client;
    Bar().GetClientRect(&client);
    POINT edge = {before.left, (before.top + before.bottom) / 2};
    for (int x = client.right - 1; x >= 0 && edge.x == before.left; --x)
        for (int y = 0; y < client.bottom; ++y)
            if (Bar().HitTest(CPoint(x, y)) < 0)
            {
                edge = {x, y};
                Bar().ClientToScreen(&edge);
                break;
            }
    UserInput drag;
    drag.MoveTo(edge).LeftDown().Glide(edge, {edge.x - 200, edge.y - 250}).LeftUp().MoveTo(edge).LeftDown().LeftUp();
    drag.LeftDown().LeftUp();
    Play(drag);
    EXPECT_FALSE(Bar().IsFloating());
    EXPECT_EQ(ScreenRect(Bar().m_hWnd).left, before.left);
    EXPECT_EQ(ScreenRect(Bar().m_hWnd).top, before.top);

    RedrawWindow(m_main->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpTranslated(300);
    CreateDirectoryW(L"screenshots", nullptr);
    EXPECT_TRUE(SaveScreenArea(L"screenshots/child-frame-page-bar.bmp", ScreenRect(m_main->m_hWnd)));
}

TEST_F(PageBarTest, ButtonsAndTheBoxMoveThroughThePages)
{
    struct Step
    {
        const char* what;
        std::function<void(UserInput&)> act;
        int page;
    };
    const std::vector<Step> steps = {
        {"last", [&](UserInput& in) { in.MoveTo(ButtonPoint(Last)).LeftDown().LeftUp(); }, 3},
        {"previous", [&](UserInput& in) { in.MoveTo(ButtonPoint(Previous)).LeftDown().LeftUp(); }, 2},
        {"first", [&](UserInput& in) { in.MoveTo(ButtonPoint(First)).LeftDown().LeftUp(); }, 1},
        {"next", [&](UserInput& in) { in.MoveTo(ButtonPoint(Next)).LeftDown().LeftUp(); }, 2},
        {"typed page", [&](UserInput& in) { TypePage(in, L"3"); }, 3},
        {"letters are not taken", [&](UserInput& in) { TypePage(in, L"x1"); }, 1},
    };
    for (const Step& step : steps)
    {
        UserInput input;
        step.act(input);
        Play(input);
        EXPECT_EQ(m_frame->GetView().GetCurrentPageNumber(), step.page) << step.what;
        EXPECT_EQ(BoxText(), std::to_wstring(step.page)) << step.what;
        EXPECT_EQ(m_frame->GetCurrentPage(), step.page) << step.what;
        EXPECT_EQ(Enabled(First), step.page > 1) << step.what;
        EXPECT_EQ(Enabled(Previous), step.page > 1) << step.what;
        EXPECT_EQ(Enabled(Next), step.page < 3) << step.what;
        EXPECT_EQ(Enabled(Last), step.page < 3) << step.what;
    }
}

TEST_F(PageBarTest, APageOutOfRangeIsRefusedAndTheCurrentPageComesBack)
{
    m_frame->GetView().GoToPage(2);
    PumpTranslated();
    ASSERT_EQ(BoxText(), L"2");
    for (const std::wstring typed : {L"9", L"0", L""})
    {
        std::wstring message;
        DialogUser user({{L"Kest", AnswerMessage(message)}});
        UserInput input;
        TypePage(input, typed);
        Play(input);
        EXPECT_FALSE(user.Missed()) << typed.c_str();
        EXPECT_EQ(message, L"The page numbers that you entered are incorrect.\nPage numbers and ranges are only "
                           L"allowed from 1 up to 3, which is the last page.")
            << typed.c_str();
        EXPECT_EQ(m_frame->GetView().GetCurrentPageNumber(), 2) << typed.c_str();
        EXPECT_EQ(BoxText(), L"2") << typed.c_str();
    }
}

} // namespace

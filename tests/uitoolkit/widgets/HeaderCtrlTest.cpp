// The hot-tracking header under the display's mouse: the hot item follows the pointer, and leaving
// the header or cancelling the mode clears it.
#include "tests/uitoolkit/colors/ColorTestSupport.h"
#include "uitoolkit/widgets/KTHeaderCtrl.h"

#include <gtest/gtest.h>

namespace
{

class CTestHeader : public CKTHeaderCtrl
{
public:
    std::vector<int> m_hotDrawn;

protected:
    void OnDrawItem(CDC* pDC, int iItem, CRect rect, BOOL bIsPressed, BOOL bIsHighlighted) override
    {
        if (bIsHighlighted)
            m_hotDrawn.push_back(iItem);
        CKTHeaderCtrl::OnDrawItem(pDC, iItem, rect, bIsPressed, bIsHighlighted);
    }
};

class HeaderCtrlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.Make(CRect(100, 100, 500, 200)));
        m_host.SetForegroundWindow();
        ASSERT_TRUE(
            m_header.Create(WC_HEADER, nullptr, WS_CHILD | WS_VISIBLE | HDS_HORZ, CRect(10, 10, 390, 34), &m_host, 1));
        m_header.SetFont(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
        const wchar_t* names[] = {L"Name", L"Value", L"Kind"};
        for (int i = 0; i < 3; i++)
        {
            HDITEM item{};
            item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
            item.cxy = 100;
            item.fmt = HDF_LEFT | HDF_STRING;
            item.pszText = const_cast<wchar_t*>(names[i]);
            m_header.InsertItem(i, &item);
        }
        m_header.UpdateWindow();
        PumpAndIdle();
    }
    void TearDown() override
    {
        m_host.DestroyWindow();
        PumpAndIdle();
    }
    POINT At(int x) { return ScreenPoint(&m_header, CPoint(x, 12)); }

    CHostWnd m_host;
    CTestHeader m_header;
};

TEST_F(HeaderCtrlTest, HotItemFollowsThePointerAndLeavingClearsIt)
{
    struct Step
    {
        int x;
        int nHot;
    };
    // Over each item, then the room after the last one.
    const Step steps[] = {{50, 0}, {150, 1}, {250, 2}, {120, 1}, {340, -1}, {30, 0}};
    for (const Step& step : steps)
    {
        UserInput input;
        input.Glide(At(step.x - 6), At(step.x), 3).Pause(60);
        Play(input);
        EXPECT_EQ(step.nHot, m_header.GetHotItem()) << step.x;
        if (step.nHot >= 0)
        {
            ASSERT_FALSE(m_header.m_hotDrawn.empty());
            EXPECT_EQ(step.nHot, m_header.m_hotDrawn.back());
        }
    }
    SaveWindowShot(&m_header, L"HotHeader.bmp");

    // Leaving the header: the hot item goes after the system's mouse-leave notice.
    UserInput leave;
    leave.Glide(At(30), ScreenPoint(&m_header, CPoint(30, 70)), 4);
    Play(leave);
    EXPECT_TRUE(PumpUntil([&] { return m_header.GetHotItem() == -1; }, 2000));
    RunMessageLoopFor(500);
    EXPECT_EQ(-1, m_header.GetHotItem());

    // Cancel mode clears it as well.
    UserInput back;
    back.Glide(ScreenPoint(&m_header, CPoint(160, 70)), At(160), 4).Pause(60);
    Play(back);
    EXPECT_EQ(1, m_header.GetHotItem());
    m_header.SendMessage(WM_CANCELMODE);
    EXPECT_EQ(-1, m_header.GetHotItem());
}

} // namespace

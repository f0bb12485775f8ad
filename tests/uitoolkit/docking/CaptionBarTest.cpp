// The caption bar as a user meets it: a message line across the top of a frame with an icon, a
// text and a button, laid out by their alignments, painted with its border bands, its button
// hot, pressed and sending its command, and a right click reaching the frame.
#include "SizingFixture.h"

#include "tests/framework/windows/TestResource.h"

#include "uitoolkit/bars/KTCaptionBar.h"
#include "uitoolkit/looks/KTUIGlobals.h"

#include <functional>

namespace
{

const UINT kCaptionBarId = 0xE880;
// The test application handles this command and logs its arrival.
const UINT kButtonCommand = ID_TEST_PROBE;

using Align = CKTCaptionBar::BarElementAlignment;

int RegularFontHeight()
{
    CClientDC dc(nullptr);
    CFont* pOld = dc.SelectObject(&ktGlobals.m_fontText);
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    dc.SelectObject(pOld);
    return tm.tmHeight;
}

int TextWidth(const CString& text)
{
    CClientDC dc(nullptr);
    CFont* pOld = dc.SelectObject(&ktGlobals.m_fontText);
    const int cx = dc.GetTextExtent(text).cx;
    dc.SelectObject(pOld);
    return cx;
}

class CaptionBarTest : public SizingTest
{
public:
    void SetUp() override
    {
        SizingTest::SetUp();
        ASSERT_TRUE(m_bar.Create(WS_CHILD | WS_VISIBLE | CBRS_TOP, m_pFrame, kCaptionBarId));
        m_pFrame->RecalcLayout();
        PumpAndIdle();
    }
    void TearDown() override
    {
        SizingTest::TearDown();
        if (m_hIcon != nullptr)
            ::DestroyIcon(m_hIcon);
    }

    CRect Client() const
    {
        CRect rect;
        m_bar.GetClientRect(&rect);
        return rect;
    }
    CPoint ScreenPoint(CPoint ptClient) const
    {
        m_bar.ClientToScreen(&ptClient);
        return ptClient;
    }
    HICON Icon()
    {
        if (m_hIcon == nullptr)
            m_hIcon = static_cast<HICON>(::CopyImage(::LoadIcon(nullptr, IDI_INFORMATION), IMAGE_ICON, 0, 0, 0));
        return m_hIcon;
    }

    CKTCaptionBar m_bar;
    HICON m_hIcon = nullptr;
};

} // namespace

TEST_F(CaptionBarTest, AnEmptyBarIsAsHighAsItsFontNeeds)
{
    EXPECT_EQ(m_bar.GetBarHeight(), 4 + 2 * 4 + RegularFontHeight() + 2);
    CRect rectWindow;
    m_bar.GetWindowRect(&rectWindow);
    EXPECT_EQ(rectWindow.Height(), m_bar.GetBarHeight());
    EXPECT_EQ(Client().Height(), rectWindow.Height() - 2 * m_bar.m_nBorderSize) << "the border bands";
    EXPECT_TRUE(m_bar.GetTextRect().IsRectEmpty());
    EXPECT_TRUE(m_bar.GetImageRect().IsRectEmpty());
    EXPECT_TRUE(m_bar.GetButtonRect().IsRectEmpty());

    CKTCaptionBar fixed;
    ASSERT_TRUE(fixed.Create(WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, m_pFrame, kCaptionBarId + 1, 40));
    EXPECT_EQ(fixed.CalcFixedLayout(TRUE, TRUE), CSize(32767, 40));
    fixed.DestroyWindow();
}

TEST_F(CaptionBarTest, ElementsTakeTheirPlacesByAlignment)
{
    const CString text = L"Pages 1 to 4 will be converted";
    const CString label = L"Options";
    struct Case
    {
        const char* name;
        Align textAlign;
        Align buttonAlign; // 0: no button
        BOOL bButtonCommand;
        Align iconAlign; // 0: no icon
        int nBarWidth;   // 0: the frame's width
        std::function<void(const CKTCaptionBar&, const CRect&)> check;
    };
    const int M = 4;
    const int H = 4;
    const int cxLabel = TextWidth(label);
    const Case cases[] = {
        {"text left", Align::ALIGN_LEFT, Align(0), FALSE, Align(0), 0,
         [&](const CKTCaptionBar& bar, const CRect& client) {
             EXPECT_EQ(bar.GetTextRect().left, client.left + H);
             EXPECT_LE(std::abs(bar.GetTextRect().CenterPoint().y - client.CenterPoint().y), 1);
         }},
        {"text right", Align::ALIGN_RIGHT, Align(0), FALSE, Align(0), 0,
         [&](const CKTCaptionBar& bar, const CRect& client) { EXPECT_EQ(bar.GetTextRect().right, client.right - H); }},
        {"text centred", Align::ALIGN_CENTER, Align(0), FALSE, Align(0), 0,
         [&](const CKTCaptionBar& bar, const CRect& client) {
             EXPECT_LE(std::abs(bar.GetTextRect().CenterPoint().x - client.CenterPoint().x), 1);
         }},
        {"icon and text left", Align::ALIGN_LEFT, Align(0), FALSE, Align::ALIGN_LEFT, 0,
         [&](const CKTCaptionBar& bar, const CRect& client) {
             EXPECT_EQ(bar.GetImageRect().left, client.left + M);
             EXPECT_EQ(bar.GetImageRect().Size(), CSize(32, 32));
             EXPECT_EQ(bar.GetTextRect().left, bar.GetImageRect().right + H);
             EXPECT_LE(std::abs(bar.GetImageRect().CenterPoint().y - client.CenterPoint().y), 1);
         }},
        {"icon and command button right", Align::ALIGN_LEFT, Align::ALIGN_RIGHT, TRUE, Align::ALIGN_RIGHT, 0,
         [&](const CKTCaptionBar& bar, const CRect& client) {
             EXPECT_EQ(bar.GetImageRect().right, client.right - M);
             EXPECT_EQ(bar.GetButtonRect().right, bar.GetImageRect().left);
             EXPECT_EQ(bar.GetButtonRect().Width(), cxLabel + 2 * H + 10) << "with its drop-down arrow";
             EXPECT_EQ(bar.GetButtonRect().Height(), client.Height());
         }},
        {"a button without a command has no arrow", Align::ALIGN_LEFT, Align::ALIGN_LEFT, FALSE, Align(0), 0,
         [&](const CKTCaptionBar& bar, const CRect& client) {
             EXPECT_EQ(bar.GetButtonRect().left, client.left);
             EXPECT_EQ(bar.GetButtonRect().Width(), cxLabel + 2 * H);
             EXPECT_GE(bar.GetTextRect().left, bar.GetButtonRect().right + H) << "the text after the button";
         }},
        {"narrow: a right button is cut where it meets the icon", Align::ALIGN_LEFT, Align::ALIGN_RIGHT, TRUE,
         Align::ALIGN_LEFT, 70,
         [&](const CKTCaptionBar& bar, const CRect& client) {
             EXPECT_EQ(bar.GetButtonRect().left, bar.GetImageRect().right);
             EXPECT_LE(bar.GetButtonRect().right, client.right);
             EXPECT_TRUE(bar.GetTextRect().IsRectEmpty() || bar.GetTextRect().Width() == 0) << "no room is left";
         }},
        {"narrow: the text is cut at the button", Align::ALIGN_LEFT, Align::ALIGN_RIGHT, TRUE, Align(0), 150,
         [&](const CKTCaptionBar& bar, const CRect& client) {
             EXPECT_EQ(bar.GetTextRect().right, bar.GetButtonRect().left);
             EXPECT_EQ(bar.GetTextRect().left, client.left + H);
         }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        m_bar.SetIcon(c.iconAlign != 0 ? Icon() : nullptr, c.iconAlign != 0 ? c.iconAlign : Align::ALIGN_LEFT);
        m_bar.SetButton(c.buttonAlign != 0 ? label.GetString() : nullptr, c.bButtonCommand ? kButtonCommand : 0,
                        c.buttonAlign != 0 ? c.buttonAlign : Align::ALIGN_LEFT);
        m_bar.SetText(text, c.textAlign);
        m_pFrame->RecalcLayout();
        if (c.nBarWidth != 0)
        {
            CRect rect;
            m_bar.GetWindowRect(&rect);
            m_pFrame->ScreenToClient(&rect);
            m_bar.MoveWindow(rect.left, rect.top, c.nBarWidth, rect.Height());
        }
        const CRect client = Client();
        c.check(m_bar, client);
        for (const CRect& rect : {m_bar.GetTextRect(), m_bar.GetImageRect(), m_bar.GetButtonRect()})
        {
            if (!rect.IsRectEmpty())
            {
                EXPECT_TRUE(rect.left >= client.left && rect.right <= client.right) << "inside the client area";
            }
        }
        CRect overlap;
        EXPECT_FALSE(overlap.IntersectRect(m_bar.GetButtonRect(), m_bar.GetImageRect()));
        EXPECT_FALSE(overlap.IntersectRect(m_bar.GetTextRect(), m_bar.GetImageRect()));
        EXPECT_FALSE(overlap.IntersectRect(m_bar.GetTextRect(), m_bar.GetButtonRect()));
    }
}

TEST_F(CaptionBarTest, PaintsItsBandsAndElementsAndTakesTheFontItIsGiven)
{
    m_bar.m_clrBarBackground = RGB(0, 128, 0);
    m_bar.m_clrBarText = RGB(255, 255, 255);
    m_bar.SetIcon(Icon(), Align::ALIGN_LEFT);
    m_bar.SetText(L"Ready to convert", Align::ALIGN_LEFT);
    m_bar.SetButton(L"Convert", kButtonCommand, Align::ALIGN_RIGHT);
    m_pFrame->RecalcLayout();
    m_bar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    PumpAndIdle();
    CRect rectWindow;
    m_bar.GetWindowRect(&rectWindow);
    EXPECT_EQ(ScreenPixel(CPoint(rectWindow.left + 40, rectWindow.top + 2)), RGB(0, 128, 0)) << "top band";
    EXPECT_EQ(ScreenPixel(CPoint(rectWindow.left + 40, rectWindow.top)), ktGlobals.m_colorHighlight);
    EXPECT_EQ(ScreenPixel(CPoint(rectWindow.left + 40, rectWindow.bottom - 1)), ktGlobals.m_colorShadow);
    // Some pixel of the text is drawn in the text colour.
    const CRect rectText = m_bar.GetTextRect();
    bool bTextPainted = false;
    for (int x = rectText.left; x < rectText.right && !bTextPainted; ++x)
        for (int y = rectText.top; y < rectText.bottom && !bTextPainted; ++y)
            bTextPainted = ScreenPixel(ScreenPoint(CPoint(x, y))) == RGB(255, 255, 255);
    EXPECT_TRUE(bTextPainted);
    ::CreateDirectoryW(L"screenshots", nullptr);
    CRect rectPicture;
    m_pFrame->GetWindowRect(&rectPicture);
    rectPicture.bottom = rectWindow.bottom + 20;
    SaveScreenArea(L"screenshots\\caption-bar.bmp", rectPicture);

    CFont font;
    font.CreatePointFont(200, L"Tahoma");
    const int nHeightBefore = m_bar.GetBarHeight();
    m_bar.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.GetSafeHandle()));
    EXPECT_EQ(reinterpret_cast<HFONT>(m_bar.SendMessage(WM_GETFONT)), font.GetSafeHandle());
    PumpAndIdle();
    EXPECT_GT(m_bar.GetBarHeight(), nHeightBefore);
    m_bar.GetWindowRect(&rectWindow);
    EXPECT_EQ(rectWindow.Height(), m_bar.GetBarHeight()) << "the frame laid out again";
    m_bar.SendMessage(WM_SETFONT, 0);
}

TEST_F(CaptionBarTest, TheButtonLightsUnderTheMouseAndSendsItsCommand)
{
    m_bar.SetText(L"Message", Align::ALIGN_LEFT);
    m_bar.SetButton(L"Act", kButtonCommand, Align::ALIGN_RIGHT);
    m_pFrame->RecalcLayout();
    PumpAndIdle();
    const CPoint ptButton = ScreenPoint(m_bar.GetButtonRect().CenterPoint());
    const CPoint ptText = ScreenPoint(m_bar.GetTextRect().CenterPoint());
    CRect rectFrame;
    m_pFrame->GetWindowRect(&rectFrame);

    std::vector<std::wstring> arrivals;
    TestApp().m_pRouteLog = &arrivals;
    bool bLitOver = false;
    bool bDarkBeside = false;
    bool bPressed = false;
    UserInput input;
    input.MoveTo(ptText)
        .Pause(150)
        .Glide(ptText, ptButton, 6)
        .Pause(150)
        .Call([&] { bLitOver = m_bar.IsButtonHighlighted() != FALSE; })
        .LeftDown()
        .Pause(150)
        .Call([&] { bPressed = m_bar.IsButtonPressed() != FALSE; })
        .LeftUp()
        .Pause(100)
        .Glide(ptButton, CPoint(ptButton.x, rectFrame.bottom - 20), 6)
        .Pause(400)
        .Call([&] { bDarkBeside = !m_bar.IsButtonHighlighted() && !m_bar.IsButtonPressed(); });
    Play(input);
    EXPECT_TRUE(bLitOver);
    EXPECT_TRUE(bPressed);
    EXPECT_TRUE(bDarkBeside) << "leaving the bar clears the button";
    EXPECT_EQ(arrivals, std::vector<std::wstring>{L"application"}) << "the command went through the frame";

    // Over a button without a command nothing lights and a click sends nothing.
    m_bar.SetButton(L"Act", 0, Align::ALIGN_RIGHT);
    arrivals.clear();
    UserInput again;
    again.MoveTo(ptText).Glide(ptText, ScreenPoint(m_bar.GetButtonRect().CenterPoint()), 6).LeftDown().LeftUp();
    Play(again);
    EXPECT_FALSE(m_bar.IsButtonHighlighted());
    EXPECT_TRUE(arrivals.empty());
    TestApp().m_pRouteLog = nullptr;
}

TEST_F(CaptionBarTest, ARightClickReachesTheFrameWithTheBarAndThePoint)
{
    m_bar.SetText(L"Right-click me", Align::ALIGN_LEFT);
    PumpAndIdle();
    const CPoint pt = ScreenPoint(CPoint(Client().right - 30, Client().CenterPoint().y));
    UserInput input;
    input.MoveTo(pt).RightDown().RightUp();
    Play(input);
    ASSERT_EQ(m_pFrame->m_popupRequests.size(), 1u);
    EXPECT_EQ(m_pFrame->m_popupRequests[0].hWndBar, m_bar.m_hWnd);
    EXPECT_EQ(m_pFrame->m_popupRequests[0].ptScreen, pt);
}

// The link button and the menu button as real windows under the test display: what a click, Enter
// and Space open or report, their sizes, and a menu closed with and without a choice.
#include "tests/uitoolkit/customize/CustomizeTestApp.h"
#include "tests/uitoolkit/customize/CustomizeTestSupport.h"
#include "uitoolkit/customize/KTCursorResource.h"
#include "uitoolkit/customize/KTMenuButton.h"
#include "uitoolkit/customize/KTURLLinkButton.h"
#include "uitoolkit/looks/KTMenuGlyphs.h"
#include "uitoolkit/looks/KTUIGlobals.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

struct ShellCall
{
    std::wstring target;
    int nShowCmd;
};
std::vector<ShellCall> g_shellCalls;

BOOL RecordShellOpen(LPCTSTR lpszTarget, int nShowCmd)
{
    g_shellCalls.push_back({lpszTarget, nShowCmd});
    return TRUE;
}

// A top-level window that records the clicks its buttons report and lets them see their own
// reflected notifications.
class CButtonParent : public CWnd
{
public:
    std::vector<UINT> m_clicks;

    BOOL Make()
    {
        return CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1)),
                        L"Link and menu buttons", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, CRect(100, 100, 460, 260),
                        nullptr, 0);
    }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (HIWORD(wParam) == BN_CLICKED)
            m_clicks.push_back(LOWORD(wParam));
        return CWnd::OnCommand(wParam, lParam);
    }
};

POINT CenterOf(CWnd& wnd)
{
    CRect rect;
    wnd.GetWindowRect(&rect);
    return rect.CenterPoint();
}

class ToolkitButtonsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::CreateDirectoryW(L"screenshots", nullptr);
        g_shellCalls.clear();
        m_pfnOldOpen = CKTURLLinkButton::SetShellOpenFunc(&RecordShellOpen);
        ASSERT_TRUE(m_parent.Make());
        m_parent.SetForegroundWindow();
        Pump();
    }
    void TearDown() override
    {
        m_parent.DestroyWindow();
        Pump();
        CKTURLLinkButton::SetShellOpenFunc(m_pfnOldOpen);
    }

    void Screenshot(const wchar_t* path)
    {
        m_parent.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump();
        CRect rect;
        m_parent.GetWindowRect(&rect);
        SaveScreenArea(path, rect);
    }

    CButtonParent m_parent;
    CKTURLLinkButton::ShellOpenFunc m_pfnOldOpen = nullptr;
};

TEST_F(ToolkitButtonsTest, LinkButtonLooksLikeALink)
{
    CKTURLLinkButton link;
    EXPECT_EQ(CKTButton::BUTTONSTYLE_NOBORDERS, link.m_nFlatStyle);
    EXPECT_TRUE(link.m_bTransparent);
    EXPECT_EQ(CSize(0, 0), link.m_sizePushOffset);
    EXPECT_EQ(ktGlobals.m_colorSelection, link.m_clrRegular);
    EXPECT_EQ(RGB(0, 0, 255), link.m_clrHover);
}

TEST_F(ToolkitButtonsTest, PointerOverALinkIsTheHandTheToolkitShips)
{
    const HCURSOR hHand = KTGetHandCursor();
    ASSERT_NE(nullptr, hHand);
    EXPECT_NE(::LoadCursor(nullptr, IDC_HAND), hHand) << "the program carries its own hand";
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(hHand, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(6u, info.xHotspot);
    EXPECT_EQ(0u, info.yHotspot);
    if (info.hbmMask != nullptr)
        ::DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr)
        ::DeleteObject(info.hbmColor);

    CKTURLLinkButton link;
    ASSERT_TRUE(link.Create(L"Our home page", WS_CHILD | WS_VISIBLE, CRect(10, 10, 170, 34), &m_parent, 11));
    link.SizeToContent();
    Pump();
    UserInput input;
    input.MoveTo(CenterOf(link)).Pause(60).MoveTo(CenterOf(link)).Pause(60);
    Play(input);
    CURSORINFO cursor{};
    cursor.cbSize = sizeof(cursor);
    ASSERT_TRUE(::GetCursorInfo(&cursor));
    EXPECT_EQ(hHand, cursor.hCursor);
}

TEST_F(ToolkitButtonsTest, LinkOpensItsUrlShownOrItsCaptionAndTheParentHearsTheClick)
{
    CKTURLLinkButton withUrl;
    CKTURLLinkButton withoutUrl;
    ASSERT_TRUE(
        withUrl.Create(L"Our home page", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(10, 10, 170, 34), &m_parent, 11));
    ASSERT_TRUE(withoutUrl.Create(L"https://example.invalid/caption", WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                                  CRect(10, 50, 300, 74), &m_parent, 12));
    withUrl.SetURL(L"https://example.invalid/home");
    withUrl.SizeToContent();
    withoutUrl.SizeToContent();
    Pump();
    Screenshot(L"screenshots/url-link-buttons.bmp");

    UserInput input;
    input.MoveTo(CenterOf(withUrl)).LeftDown().LeftUp().Pause(100);
    input.MoveTo(CenterOf(withoutUrl)).LeftDown().LeftUp().Pause(100);
    Play(input);

    ASSERT_EQ(2u, g_shellCalls.size());
    EXPECT_EQ(L"https://example.invalid/home", g_shellCalls[0].target);
    EXPECT_EQ(L"https://example.invalid/caption", g_shellCalls[1].target);
    // Shown, not hidden: show command 0 would start the program invisible.
    EXPECT_EQ(SW_SHOWNORMAL, g_shellCalls[0].nShowCmd);
    EXPECT_EQ(SW_SHOWNORMAL, g_shellCalls[1].nShowCmd);
    EXPECT_EQ((std::vector<UINT>{11, 12}), m_parent.m_clicks);

    withUrl.SetURL(nullptr);
    EXPECT_TRUE(withUrl.GetURL().IsEmpty());
}

TEST_F(ToolkitButtonsTest, LinkOpensOnEnterReleasedNeverOnSpaceAndNotWhenDisabled)
{
    CKTURLLinkButton link;
    ASSERT_TRUE(link.Create(L"Link", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(10, 10, 120, 34), &m_parent, 21));
    link.SetURL(L"https://example.invalid/keys");
    link.SetFocus();
    Pump();

    UserInput space;
    space.Press(VK_SPACE);
    Play(space);
    EXPECT_TRUE(g_shellCalls.empty());

    UserInput enterDown;
    enterDown.Key(VK_RETURN, true);
    Play(enterDown);
    EXPECT_TRUE(g_shellCalls.empty());
    UserInput enterUp;
    enterUp.Key(VK_RETURN, false);
    Play(enterUp);
    ASSERT_EQ(1u, g_shellCalls.size());
    EXPECT_EQ(L"https://example.invalid/keys", g_shellCalls[0].target);

    link.EnableWindow(FALSE);
    m_parent.SendMessage(WM_COMMAND, MAKEWPARAM(21, BN_CLICKED), (LPARAM)link.GetSafeHwnd());
    EXPECT_EQ(1u, g_shellCalls.size());
}

TEST_F(ToolkitButtonsTest, LinkSizeIsTheUnderlinedCaptionWithThreePixelsAroundAndCanStayCentred)
{
    CKTURLLinkButton link;
    ASSERT_TRUE(link.Create(L"Centred link", WS_CHILD | WS_VISIBLE, CRect(20, 20, 220, 80), &m_parent, 31));
    CSize sizeText;
    {
        CClientDC dc(&link);
        HGDIOBJ hOld = dc.SelectObject(ktGlobals.m_fontUnderline.GetSafeHandle());
        CRect rect(0, 0, 0, 0);
        dc.DrawText(CString(L"Centred link"), rect, DT_SINGLELINE | DT_CALCRECT);
        dc.SelectObject(hOld);
        sizeText = rect.Size();
    }
    const CSize size = link.SizeToContent(TRUE, TRUE);
    EXPECT_EQ(CSize(sizeText.cx + 6, sizeText.cy + 6), size);

    CRect rect;
    link.GetWindowRect(&rect);
    m_parent.ScreenToClient(&rect);
    EXPECT_EQ(size, rect.Size());
    EXPECT_EQ(20 + (200 - size.cx) / 2, rect.left);
    EXPECT_EQ(20 + (60 - size.cy) / 2, rect.top);

    link.SizeToContent();
    CRect rectAfter;
    link.GetWindowRect(&rectAfter);
    m_parent.ScreenToClient(&rectAfter);
    EXPECT_EQ(rect.TopLeft(), rectAfter.TopLeft());
}

class MenuButtonTest : public ToolkitButtonsTest
{
protected:
    void SetUp() override
    {
        ToolkitButtonsTest::SetUp();
        m_hMenu = ::CreatePopupMenu();
        ::AppendMenuW(m_hMenu, MF_STRING, 501, L"First");
        ::AppendMenuW(m_hMenu, MF_STRING, 502, L"Second");
        ASSERT_TRUE(
            m_button.Create(L"Options", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(20, 20, 160, 50), &m_parent, 41));
        m_button.m_hMenu = m_hMenu;
        m_button.m_bStayPressed = TRUE;
        Pump();
    }
    void TearDown() override
    {
        m_button.DestroyWindow();
        ::DestroyMenu(m_hMenu);
        ToolkitButtonsTest::TearDown();
    }

    CKTMenuButton m_button;
    HMENU m_hMenu = nullptr;
};

TEST_F(MenuButtonTest, MenuClosedWithoutAChoiceReportsNothingAndLooksNormalAgain)
{
    Screenshot(L"screenshots/menu-button.bmp");
    BOOL bActiveWhileOpen = FALSE;
    BOOL bPushedWhileOpen = FALSE;
    UserInput input;
    input.MoveTo(CenterOf(m_button)).LeftDown().LeftUp().Pause(400);
    input.Call([&] {
        bActiveWhileOpen = m_button.IsMenuActive();
        bPushedWhileOpen = m_button.IsPushed();
    });
    input.Press(VK_ESCAPE).Pause(200);
    Play(input);

    EXPECT_TRUE(bActiveWhileOpen);
    EXPECT_TRUE(bPushedWhileOpen);
    EXPECT_EQ(0, m_button.GetMenuResult());
    EXPECT_TRUE(m_parent.m_clicks.empty());
    EXPECT_FALSE(m_button.IsMenuActive());
    EXPECT_FALSE(m_button.IsPushed());
    EXPECT_FALSE(m_button.IsHighlighted());
}

TEST_F(MenuButtonTest, ChosenCommandIsKeptAndReportedAsTheButtonsClick)
{
    m_button.SetFocus();
    Pump();
    UserInput input;
    input.Press(VK_DOWN).Pause(400).Press(VK_DOWN).Press(VK_DOWN).Press(VK_RETURN).Pause(200);
    Play(input);

    EXPECT_EQ(502, m_button.GetMenuResult());
    EXPECT_EQ((std::vector<UINT>{41}), m_parent.m_clicks);
    EXPECT_FALSE(m_button.IsMenuActive());
}

TEST_F(MenuButtonTest, SizeIsTheButtonsContentAndTheArrow)
{
    CKTButton plain;
    ASSERT_TRUE(plain.Create(L"Options", WS_CHILD, CRect(0, 0, 10, 10), &m_parent, 42));
    CKTMenuGlyphs::Initialize();
    const CSize sizePlain = plain.SizeToContent(TRUE);
    EXPECT_EQ(CSize(sizePlain.cx + CKTMenuGlyphs::GetImageSize().cx, sizePlain.cy), m_button.SizeToContent(TRUE));

    const CSize size = m_button.SizeToContent();
    CRect rect;
    m_button.GetWindowRect(&rect);
    EXPECT_EQ(size, rect.Size());
    EXPECT_EQ(DLGC_WANTARROWS, (UINT)m_button.SendMessage(WM_GETDLGCODE));
}

} // namespace

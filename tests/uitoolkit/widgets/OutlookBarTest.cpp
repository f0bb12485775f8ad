// The shortcut bar in a frame on the test display: its resizing strip on each docked side, the
// work area, its place in the frame's z-order, the caption bits of its style, scrolling while an
// arrow button is held by the display's mouse, pages and their buttons, and the stored forms of
// its pages and shortcut buttons.
#include "tests/uitoolkit/colors/ColorTestSupport.h"
#include "uitoolkit/bars/KTStateVersion.h"
#include "uitoolkit/bars/KTStatusBar.h"
#include "uitoolkit/customize/KTButtonDragDrop.h"
#include "uitoolkit/widgets/KTOutlookBar.h"
#include "uitoolkit/widgets/KTOutlookButton.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{

const UINT kBarId = AFX_IDW_TOOLBAR + 0x10;
const UINT kFirstShortcut = 33000;

// The toolkit's splitter cursor, or the system's when the program carries none.
HCURSOR SplitCursor(UINT nId, LPCTSTR lpszSystem)
{
    HCURSOR hCursor = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(nId));
    return hCursor != nullptr ? hCursor : ::LoadCursor(nullptr, lpszSystem);
}

// The bar with its drop target in reach of the tests.
class CTestOutlookBar : public CKTOutlookBar
{
public:
    using CKTToolBar::m_DropTarget;
};

class OutlookBarTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(AfxOleInit()); }
    void SetUp() override
    {
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(nullptr, L"Shortcuts", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN,
                                     CRect(40, 40, 520, 400)));
        m_hFrame = m_pFrame->GetSafeHwnd();
        ::SetForegroundWindow(m_hFrame);
    }
    void TearDown() override
    {
        CKTToolBar::SetCustomizeMode(FALSE);
        m_pBar.reset();
        m_pStatus.reset();
        if (::IsWindow(m_hFrame))
            m_pFrame->DestroyWindow();
        PumpAndIdle();
    }

    CTestOutlookBar& MakeBar(DWORD dwStyle, BOOL bSplitter)
    {
        m_pBar = std::make_unique<CTestOutlookBar>();
        EXPECT_TRUE(m_pBar->Create(m_pFrame, WS_CHILD | WS_VISIBLE | dwStyle, kBarId, bSplitter));
        m_pFrame->RecalcLayout();
        PumpAndIdle();
        return *m_pBar;
    }

    // Two pages; the first holds nShortcuts shortcuts.
    void AddPages(int nShortcuts)
    {
        ASSERT_EQ(0, m_pBar->AddPage(1, L"Favourites"));
        ASSERT_EQ(1, m_pBar->AddPage(2, L"Folders"));
        for (int i = 0; i < nShortcuts; i++)
        {
            CString strText;
            strText.Format(L"Item %d", i + 1);
            ASSERT_GE(m_pBar->AddShortcut(1, new CKTOutlookButton(kFirstShortcut + i, -1, strText)), 0);
        }
        m_pFrame->RecalcLayout();
        m_pBar->UpdateWindow();
        PumpAndIdle();
    }

    static CPoint Centre(CWnd& wnd)
    {
        CRect rect;
        wnd.GetWindowRect(&rect);
        return rect.CenterPoint();
    }

    CFrameWnd* m_pFrame = nullptr;
    HWND m_hFrame = nullptr;
    std::unique_ptr<CKTStatusBar> m_pStatus;
    std::unique_ptr<CTestOutlookBar> m_pBar;
};

TEST_F(OutlookBarTest, SplitterStripLiesOnTheSideThatFacesTheNeighbour)
{
    struct Case
    {
        DWORD dwSide;
        BOOL bSplitter;
        // The strip against the client rectangle: which edge, 3 pixels deep.
        char chEdge; // 'l', 't', 'r', 'b', or 0 for none
    };
    const Case cases[] = {{CBRS_LEFT, TRUE, 'r'},   {CBRS_RIGHT, TRUE, 'l'}, {CBRS_TOP, TRUE, 'b'},
                          {CBRS_BOTTOM, TRUE, 't'}, {CBRS_LEFT, FALSE, 0},   {CBRS_BOTTOM, FALSE, 0}};
    for (const Case& c : cases)
    {
        CKTOutlookBar& bar = MakeBar(c.dwSide, c.bSplitter);
        CRect client;
        bar.GetClientRect(&client);
        ASSERT_FALSE(client.IsRectEmpty()) << c.dwSide;
        CRect expected;
        switch (c.chEdge)
        {
        case 'l':
            expected = CRect(client.left, client.top, client.left + 3, client.bottom);
            break;
        case 'r':
            expected = CRect(client.right - 3, client.top, client.right, client.bottom);
            break;
        case 't':
            expected = CRect(client.left, client.top, client.right, client.top + 3);
            break;
        case 'b':
            expected = CRect(client.left, client.bottom - 3, client.right, client.bottom);
            break;
        default:
            break;
        }
        EXPECT_EQ(expected, bar.GetSplitterRect()) << c.dwSide << " " << c.bSplitter;

        // The pointer over the edge where a strip lies (or would lie): the splitter cursor only
        // with a strip.
        CRect edge = c.chEdge != 0 ? expected : CRect(client.right - 3, client.top, client.right, client.bottom);
        if (c.chEdge == 0 && c.dwSide == CBRS_BOTTOM)
            edge = CRect(client.left, client.top, client.right, client.top + 3);
        UserInput input;
        input.Glide(ScreenPoint(&bar, edge.CenterPoint() + CPoint(-8, -8)), ScreenPoint(&bar, edge.CenterPoint()), 4)
            .Pause(80);
        Play(input);
        const HCURSOR hSplitH = SplitCursor(30980, IDC_SIZEWE);
        const HCURSOR hSplitV = SplitCursor(30981, IDC_SIZENS);
        CURSORINFO info{};
        info.cbSize = sizeof(info);
        ASSERT_TRUE(::GetCursorInfo(&info));
        if (c.bSplitter)
            EXPECT_EQ((c.dwSide & CBRS_ORIENT_HORZ) ? hSplitV : hSplitH, info.hCursor) << c.dwSide;
        else
            EXPECT_TRUE(info.hCursor != hSplitH && info.hCursor != hSplitV) << c.dwSide;
    }
}

TEST_F(OutlookBarTest, WorkAreaLeavesTheStripOut)
{
    struct Case
    {
        DWORD dwSide;
        BOOL bSplitter;
        CRect inset; // taken off the client rectangle: left, top, right, bottom
    };
    const Case cases[] = {{CBRS_BOTTOM, TRUE, CRect(0, 3, 0, 0)},
                          {CBRS_LEFT, TRUE, CRect(0, 0, 3, 0)},
                          {CBRS_BOTTOM, FALSE, CRect(0, 0, 0, 0)},
                          {CBRS_LEFT, FALSE, CRect(0, 0, 0, 0)}};
    for (const Case& c : cases)
    {
        CKTOutlookBar& bar = MakeBar(c.dwSide, c.bSplitter);
        CRect client;
        bar.GetClientRect(&client);
        const CRect expected(client.left + c.inset.left, client.top + c.inset.top, client.right - c.inset.right,
                             client.bottom - c.inset.bottom);
        EXPECT_EQ(expected, bar.GetWorkArea()) << c.dwSide << " " << c.bSplitter;
        CRect strip;
        EXPECT_FALSE(strip.IntersectRect(bar.GetWorkArea(), bar.GetSplitterRect()));
    }
}

TEST_F(OutlookBarTest, HorizontalBarStandsRightBehindTheStatusBar)
{
    m_pStatus = std::make_unique<CKTStatusBar>();
    ASSERT_TRUE(m_pStatus->Create(m_pFrame));
    // Another bar made in between, so that creation order alone would not give the place.
    CKTOutlookBar vertical;
    ASSERT_TRUE(vertical.Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_LEFT, kBarId + 1, FALSE));
    CKTOutlookBar& bar = MakeBar(CBRS_BOTTOM, TRUE);
    ASSERT_EQ(AFX_IDW_STATUS_BAR, m_pStatus->GetDlgCtrlID());
    EXPECT_EQ(bar.GetSafeHwnd(), ::GetWindow(m_pStatus->GetSafeHwnd(), GW_HWNDNEXT));
    // The vertical bar went to the bottom of the z-order when it was made.
    HWND hwndLast = ::GetWindow(bar.GetSafeHwnd(), GW_HWNDLAST);
    EXPECT_EQ(vertical.GetSafeHwnd(), hwndLast);
    vertical.DestroyWindow();
}

TEST_F(OutlookBarTest, CaptionBitsAreKeptApartFromTheWindowStyle)
{
    CKTOutlookBar& bar = MakeBar(CBRS_LEFT | WS_CAPTION, FALSE);
    EXPECT_EQ(0u, bar.GetStyle() & WS_CAPTION);
    EXPECT_EQ(static_cast<DWORD>(WS_CAPTION), bar.GetCaptionStyle());
    EXPECT_FALSE(bar.GetCaptionRect().IsRectEmpty());
    EXPECT_TRUE(bar.GetCloseButton().IsWindowVisible());

    struct Case
    {
        DWORD dwAdd;
        DWORD dwExpected;
    };
    const Case cases[] = {{0, 0}, {WS_BORDER, WS_BORDER}, {WS_CAPTION, WS_CAPTION}, {WS_DLGFRAME, WS_DLGFRAME}};
    for (const Case& c : cases)
    {
        const DWORD dwStyle = (bar.GetStyle() & ~WS_CAPTION) | c.dwAdd;
        ::SetWindowLong(bar.GetSafeHwnd(), GWL_STYLE, static_cast<LONG>(dwStyle));
        EXPECT_EQ(0u, bar.GetStyle() & WS_CAPTION) << c.dwAdd;
        EXPECT_EQ(c.dwExpected, bar.GetCaptionStyle()) << c.dwAdd;
    }
}

TEST_F(OutlookBarTest, HoldingAnArrowScrollsOneButtonATimeAndStopsAtTheEnd)
{
    CKTOutlookBar& bar = MakeBar(CBRS_LEFT, TRUE);
    AddPages(12);
    ASSERT_EQ(0, bar.GetScrolledButtons());
    CKTButton& back = bar.GetScrollBackButton();
    CKTButton& forward = bar.GetScrollForwardButton();
    EXPECT_FALSE(back.IsWindowVisible());
    ASSERT_TRUE(forward.IsWindowVisible());

    // Held: a step per tick, the timer still running.
    UserInput press;
    press.Glide(Centre(forward) + CPoint(-10, 0), Centre(forward), 3).LeftDown();
    Play(press);
    EXPECT_TRUE(PumpUntil([&] { return bar.GetScrolledButtons() >= 2; }, 3000));
    EXPECT_TRUE(bar.GetScrollBackButton().IsWindowVisible());
    // Until the last button is in view: then the timer stops.
    EXPECT_TRUE(PumpUntil([&] { return !forward.IsWindowVisible(); }, 8000));
    RunMessageLoopFor(300);
    EXPECT_FALSE(::KillTimer(bar.GetSafeHwnd(), CKTOutlookBar::TimerScrollForward));
    EXPECT_FALSE(bar.ScrollDown());
    const int nLast = bar.GetScrolledButtons();
    EXPECT_GT(nLast, 2);
    UserInput release;
    release.LeftUp();
    Play(release);
    bar.UpdateWindow();
    SaveWindowShot(&bar, L"OutlookBarScrolled.bmp");

    // Scrolling back stops at the first button.
    bar.SetFocus();
    UserInput hold;
    hold.Glide(Centre(back) + CPoint(-10, 0), Centre(back), 3).LeftDown();
    Play(hold);
    EXPECT_TRUE(PumpUntil([&] { return bar.GetScrolledButtons() == 0; }, 8000));
    RunMessageLoopFor(300);
    EXPECT_FALSE(::KillTimer(bar.GetSafeHwnd(), CKTOutlookBar::TimerScrollBack));
    UserInput up;
    up.LeftUp();
    Play(up);
}

TEST_F(OutlookBarTest, HoldingScrollBackWithNothingScrolledStopsItsTimerAtOnce)
{
    CKTOutlookBar& bar = MakeBar(CBRS_LEFT, TRUE);
    AddPages(12);
    CKTButton& back = bar.GetScrollBackButton();
    // The arrow shows only when something is scrolled; shown here by hand to be held at the top.
    back.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    back.UpdateWindow();
    UserInput press;
    press.Glide(Centre(back) + CPoint(-10, 0), Centre(back), 3).LeftDown();
    Play(press);
    ASSERT_TRUE(back.IsPushed());
    RunMessageLoopFor(250);
    EXPECT_EQ(0, bar.GetScrolledButtons());
    EXPECT_FALSE(::KillTimer(bar.GetSafeHwnd(), CKTOutlookBar::TimerScrollBack));
    UserInput release;
    release.LeftUp();
    Play(release);
}

TEST_F(OutlookBarTest, PageButtonsStackAroundTheActivePageAndAClickActivates)
{
    CKTOutlookBar& bar = MakeBar(CBRS_LEFT, FALSE);
    AddPages(3);
    ASSERT_EQ(0, bar.AddPage(1, L"Again") + 1) << "an id in use is refused";
    CKTOutlookBarPage* pFirst = bar.GetPage(0);
    CKTOutlookBarPage* pSecond = bar.GetPage(1);
    ASSERT_TRUE(pFirst != nullptr && pSecond != nullptr);
    CRect work = bar.GetWorkArea();
    EXPECT_EQ(pFirst, bar.GetActivePage());
    EXPECT_EQ(work.top, pFirst->m_rect.top);
    EXPECT_EQ(work.bottom, pSecond->m_rect.bottom);
    SaveWindowShot(&bar, L"OutlookBarPages.bmp");

    UserInput click;
    click.Glide(Centre(*pSecond->m_pButton) + CPoint(-10, 0), Centre(*pSecond->m_pButton), 3).LeftDown().LeftUp();
    Play(click);
    EXPECT_EQ(pSecond, bar.GetActivePage());
    // Both buttons at the top now, the shortcuts of the first page hidden.
    EXPECT_EQ(pFirst->m_rect.bottom, pSecond->m_rect.top);
    for (int i = 0; i < bar.GetCount(); i++)
        EXPECT_TRUE(bar.GetButton(i)->m_bHidden) << i;

    // Delayed activation happens only while the pointer stays on that page's button.
    bar.ActivatePageDelayed(pFirst);
    UserInput away;
    away.Glide(Centre(*pSecond->m_pButton), ScreenPoint(&bar, bar.GetWorkArea().CenterPoint() + CPoint(0, 40)), 3);
    Play(away);
    RunMessageLoopFor(700);
    EXPECT_EQ(pSecond, bar.GetActivePage());
    bar.ActivatePageDelayed(pFirst);
    UserInput onto;
    onto.Glide(Centre(*pSecond->m_pButton), Centre(*pFirst->m_pButton), 3);
    Play(onto);
    EXPECT_TRUE(PumpUntil([&] { return bar.GetActivePage() == pFirst; }, 2000));

    EXPECT_TRUE(bar.RemovePage(1));
    EXPECT_EQ(1, bar.GetPageCount());
    EXPECT_EQ(2u, bar.GetActivePage()->m_uiID);
}

TEST_F(OutlookBarTest, ShortcutDraggedOntoAnotherPageButtonOpensThatPageAndLandsOnIt)
{
    CKTOutlookBar& bar = MakeBar(CBRS_LEFT, FALSE);
    AddPages(3);
    CKTOutlookBarPage* pSecond = bar.GetPage(1);
    ASSERT_TRUE(CKTToolBar::SetCustomizeMode(TRUE));
    bar.UpdateWindow();
    CRect rectItem;
    bar.GetItemRect(0, &rectItem);
    const CPoint ptFrom = ScreenPoint(&bar, rectItem.CenterPoint());
    const CPoint ptPage = Centre(*pSecond->m_pButton);
    // Just above the second page's button: the first page's work area now, the second's once
    // that page is open and its button has gone to the top.
    const CPoint ptDrop = ScreenPoint(&bar, CPoint(rectItem.CenterPoint().x, pSecond->m_rect.top - 15));
    CKTOutlookBarPage* pActiveWhileHeld = nullptr;
    UserInput drag;
    drag.MoveTo(ptFrom).Pause(100).LeftDown().Glide(ptFrom, ptPage, 12).MoveTo(ptPage + CPoint(1, 0)).MoveTo(ptPage);
    drag.Pause(900).Call([&] { pActiveWhileHeld = bar.GetActivePage(); });
    drag.Glide(ptPage, ptDrop, 6)
        .Pause(200)
        .MoveTo(ptDrop + CPoint(1, 0))
        .MoveTo(ptDrop)
        .Pause(200)
        .LeftUp()
        .Pause(100);
    Play(drag);
    EXPECT_EQ(pSecond, pActiveWhileHeld) << "held on the page button, the page opened during the drag";
    EXPECT_EQ(pSecond, bar.GetActivePage());
    EXPECT_EQ(nullptr, bar.GetPageToActivate());
    ASSERT_EQ(3, bar.GetCount()) << "moved, not copied";
    int nOnSecond = 0;
    for (int i = 0; i < bar.GetCount(); i++)
    {
        const auto* pButton = static_cast<const CKTOutlookButton*>(bar.GetButton(i));
        if (pButton->m_uiPageID == 2)
        {
            nOnSecond++;
            EXPECT_EQ(kFirstShortcut, pButton->m_nID);
            EXPECT_FALSE(pButton->m_bHidden);
        }
    }
    EXPECT_EQ(1, nOnSecond);
    bar.UpdateWindow();
    SaveWindowShot(&bar, L"OutlookBarDropped.bmp");
}

// Through the drop target's own callbacks: which drags make a page wait for its activation.
TEST_F(OutlookBarTest, OnlyAnAcceptedDragOverAnotherPageButtonMakesThatPageWait)
{
    CTestOutlookBar& bar = MakeBar(CBRS_LEFT, FALSE);
    AddPages(2);
    CKTOutlookBarPage* pFirst = bar.GetPage(0);
    CKTOutlookBarPage* pSecond = bar.GetPage(1);
    CKTOutlookButton shortcut(kFirstShortcut + 50, -1, L"Tasks", 1);
    COleDataSource source;
    ASSERT_TRUE(shortcut.PrepareDrag(source));
    COleDataObject data;
    data.Attach(source.GetDataObject(), TRUE);
    CKTToolbarButton plain(kFirstShortcut + 51, -1, L"Plain");
    COleDataSource plainSource;
    ASSERT_TRUE(plain.PrepareDrag(plainSource));
    COleDataObject plainData;
    plainData.Attach(plainSource.GetDataObject(), TRUE);

    const CPoint ptSecond = pSecond->m_rect.CenterPoint();
    struct Case
    {
        const char* pszLabel;
        BOOL bCustomize;
        COleDataObject* pData;
        CPoint point;
        CKTOutlookBarPage* pWaiting;
        BOOL bAccepted;
    };
    const Case cases[] = {
        {"another page's button", TRUE, &data, ptSecond, pSecond, TRUE},
        {"the open page's button", TRUE, &data, pFirst->m_rect.CenterPoint(), nullptr, TRUE},
        {"the work area", TRUE, &data, bar.GetWorkArea().CenterPoint(), nullptr, TRUE},
        {"outside customize mode", FALSE, &data, ptSecond, nullptr, FALSE},
        // The bar shows no other buttons: one dropped there would be lost.
        {"a plain toolbar button", TRUE, &plainData, ptSecond, nullptr, FALSE},
        {"a plain toolbar button in the work area", TRUE, &plainData, bar.GetWorkArea().CenterPoint(), nullptr, FALSE},
    };
    CKTToolbarDropTarget& target = bar.m_DropTarget;
    for (const Case& c : cases)
    {
        CKTToolBar::SetCustomizeMode(c.bCustomize);
        target.OnDragEnter(&bar, c.pData, MK_LBUTTON, c.point);
        const DROPEFFECT effect = target.OnDragOver(&bar, c.pData, MK_LBUTTON, c.point);
        EXPECT_EQ(c.bAccepted ? DROPEFFECT_MOVE : DROPEFFECT_NONE, effect) << c.pszLabel;
        EXPECT_EQ(c.pWaiting, bar.GetPageToActivate()) << c.pszLabel;
        // Leaving the bar ends the wait.
        target.OnDragLeave(&bar);
        EXPECT_EQ(nullptr, bar.GetPageToActivate()) << c.pszLabel;
    }
    // Moving on from the page button ends the wait as well; the page stays closed.
    CKTToolBar::SetCustomizeMode(TRUE);
    target.OnDragEnter(&bar, &data, MK_LBUTTON, ptSecond);
    ASSERT_EQ(pSecond, bar.GetPageToActivate());
    target.OnDragOver(&bar, &data, MK_LBUTTON, bar.GetWorkArea().CenterPoint());
    EXPECT_EQ(nullptr, bar.GetPageToActivate());
    RunMessageLoopFor(700);
    EXPECT_EQ(pFirst, bar.GetActivePage());
    target.OnDragLeave(&bar);
}

TEST_F(OutlookBarTest, DraggingTheStripResizesTheBar)
{
    CKTOutlookBar& bar = MakeBar(CBRS_LEFT, TRUE);
    AddPages(2);
    const int nBefore = bar.GetBarSize();
    CRect strip = bar.GetSplitterRect();
    const CPoint from = ScreenPoint(&bar, strip.CenterPoint());
    UserInput drag;
    drag.Glide(from + CPoint(-6, 0), from, 3).LeftDown().Glide(from, from + CPoint(40, 0), 6).LeftUp();
    Play(drag);
    EXPECT_FALSE(bar.IsResizing());
    EXPECT_EQ(nBefore + 40, bar.GetBarSize());
    CRect client;
    bar.GetClientRect(&client);
    EXPECT_EQ(nBefore + 40, client.Width());
}

TEST(OutlookBarStorage, PageStoresItsIdThenItsName)
{
    CKTOutlookBarPage page(0x01020304, L"Mail", nullptr);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        page.Serialize(ar);
    }
    file.SeekToBegin();
    BYTE head[4] = {};
    ASSERT_EQ(4u, file.Read(head, 4));
    EXPECT_EQ(0x04, head[0]);
    EXPECT_EQ(0x01, head[3]);
    file.SeekToBegin();
    CHostWnd someWindow;
    CKTOutlookBarPage loaded;
    loaded.m_pWnd = &someWindow;
    {
        CArchive ar(&file, CArchive::load);
        loaded.Serialize(ar);
    }
    EXPECT_EQ(0x01020304u, loaded.m_uiID);
    EXPECT_EQ(CString(L"Mail"), loaded.m_strName);
    EXPECT_EQ(nullptr, loaded.m_pWnd);
}

KTStateVersion s_version;
KTStateVersion ReportVersion()
{
    return s_version;
}

TEST(OutlookBarStorage, ShortcutButtonKeepsItsPageFromVersion471On)
{
    struct Case
    {
        BOOL bWorkspace;
        int nMajor;
        int nMinor;
        BOOL bStored;
    };
    const Case cases[] = {{TRUE, 4, 70, FALSE}, {TRUE, 3, 99, FALSE},  {TRUE, 4, 71, TRUE},
                          {TRUE, 6, 3, TRUE},   {FALSE, -1, -1, TRUE}, {TRUE, -1, -1, TRUE}};
    const KTStateVersionReader pfnPrevious = KTSetStateVersionReader(&ReportVersion);
    for (const Case& c : cases)
    {
        s_version.m_bWorkspace = c.bWorkspace;
        s_version.m_nMajor = c.nMajor;
        s_version.m_nMinor = c.nMinor;
        CKTOutlookButton button(kFirstShortcut, 3, L"Inbox", 7);
        CKTToolbarButton plain(kFirstShortcut, 3, L"Inbox");
        CMemFile withPage;
        CMemFile withoutPage;
        {
            CArchive ar(&withPage, CArchive::store);
            button.Serialize(ar);
        }
        {
            CArchive ar(&withoutPage, CArchive::store);
            plain.Serialize(ar);
        }
        EXPECT_EQ(withoutPage.GetLength() + (c.bStored ? 4 : 0), withPage.GetLength()) << c.nMajor << "." << c.nMinor;

        withPage.SeekToBegin();
        CKTOutlookButton loaded;
        loaded.m_uiPageID = 99;
        {
            CArchive ar(&withPage, CArchive::load);
            loaded.Serialize(ar);
        }
        EXPECT_EQ(c.bStored ? 7u : 0u, loaded.m_uiPageID) << c.nMajor << "." << c.nMinor;
        EXPECT_EQ(CString(L"Inbox"), loaded.m_strText);
    }
    KTSetStateVersionReader(pfnPrevious);
}

TEST(OutlookBarStorage, ShortcutButtonCopiesItsPageAndDropsOnlyOnShortcutBars)
{
    CKTOutlookButton button(kFirstShortcut, 1, L"Calendar", 5);
    CKTOutlookButton copy;
    copy.CopyFrom(button);
    EXPECT_EQ(5u, copy.m_uiPageID);
    EXPECT_EQ(CString(L"Calendar"), copy.m_strText);
    CKTOutlookBar outlook;
    CKTToolBar toolbar;
    EXPECT_TRUE(button.CanBeDropped(&outlook));
    EXPECT_FALSE(button.CanBeDropped(&toolbar));
}

} // namespace

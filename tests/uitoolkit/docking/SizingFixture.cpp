#include "SizingFixture.h"

#include "tests/support/framework/DockRowsPicture.h"

#include "framework/AfxDockBar.h"
#include "uitoolkit/bars/KTBarPopupMessage.h"

#include <algorithm>

LRESULT CRecordingFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == KTGetToolbarPopupMenuMessage())
    {
        m_popupRequests.push_back({reinterpret_cast<HWND>(wParam), KTUnpackScreenPoint(lParam)});
        return 0;
    }
    if (message == WM_COMMAND)
        m_commands.push_back(LOWORD(wParam));
    return CFrameWnd::WindowProc(message, wParam, lParam);
}

void CTestSizingBar::StartTracking(UINT nHitTest)
{
    m_calls.push_back("start");
    CKTSizingControlBar::StartTracking(nHitTest);
}

void CTestSizingBar::StopTracking()
{
    CKTSizingControlBar::StopTracking();
    m_calls.push_back("stop");
}

void CTestSizingBar::OnTrackInvertTracker()
{
    m_calls.push_back("tracker");
    CKTSizingControlBar::OnTrackInvertTracker();
}

void SizingTest::SetUp()
{
    m_pFrame = new CRecordingFrame;
    ASSERT_TRUE(m_pFrame->Create(nullptr, L"Sizing bars", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 760, 560)));
    ASSERT_TRUE(m_wndPane.Create(AfxRegisterWndClass(0, nullptr, ::GetSysColorBrush(COLOR_WINDOW)), L"pane",
                                 WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), m_pFrame, AFX_IDW_PANE_FIRST));
    EnableFrameDocking(m_pFrame, CBRS_ALIGN_ANY);
    m_pFrame->RecalcLayout();
    ::SetForegroundWindow(m_pFrame->m_hWnd);
    PumpAndIdle();
}

void SizingTest::TearDown()
{
    if (::GetCapture() != nullptr)
        ::ReleaseCapture();
    if (m_pFrame != nullptr && ::IsWindow(m_pFrame->m_hWnd))
        m_pFrame->DestroyWindow();
    m_pFrame = nullptr;
    m_bars.clear();
    PumpAndIdle();
}

CTestSizingBar* SizingTest::AddBar(char cName, CSize size)
{
    auto pBar = std::make_unique<CTestSizingBar>();
    wchar_t szName[8] = {L'B', L'a', L'r', L' ', static_cast<wchar_t>(cName), 0};
    EXPECT_TRUE(pBar->Create(szName, m_pFrame, size, TRUE, 0xE811 + (cName - 'A'),
                             WS_CHILD | WS_VISIBLE | CBRS_LEFT | CBRS_TOOLTIPS));
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    m_bars.push_back(std::move(pBar));
    return m_bars.back().get();
}

CTestSizingBar* SizingTest::Bar(char cName) const
{
    for (const auto& pBar : m_bars)
    {
        if (pBar->m_hWnd != nullptr && pBar->GetDlgCtrlID() == 0xE811 + (cName - 'A'))
            return pBar.get();
    }
    return nullptr;
}

CDockBar* SizingTest::Side(UINT nID) const
{
    return dynamic_cast<CDockBar*>(m_pFrame->GetControlBar(nID));
}

std::string SizingTest::Rows(UINT nDockBarID) const
{
    return DockRowsPicture(Side(nDockBarID));
}

CRect SizingTest::Place(const CControlBar* pBar) const
{
    CRect rect;
    pBar->GetWindowRect(&rect);
    if (pBar->m_pDockBar != nullptr)
        pBar->m_pDockBar->ScreenToClient(&rect);
    return rect;
}

CKTMiniDockFrameWnd* SizingTest::FloatingFrameOf(const CControlBar* pBar) const
{
    if (pBar->m_pDockBar == nullptr || !pBar->m_pDockBar->m_bFloating)
        return nullptr;
    return dynamic_cast<CKTMiniDockFrameWnd*>(pBar->m_pDockBar->GetParent());
}

void SizingTest::DockRow(UINT nDockBarID, const char* names)
{
    CControlBar* pPrevious = nullptr;
    for (const char* p = names; *p != 0; ++p)
    {
        CTestSizingBar* pBar = Bar(*p);
        if (pPrevious == nullptr)
            m_pFrame->DockControlBar(pBar, nDockBarID);
        else
        {
            // Just past the previous bar, in its row.
            CRect rect;
            pPrevious->GetWindowRect(&rect);
            const BOOL bHorz = nDockBarID == AFX_IDW_DOCKBAR_TOP || nDockBarID == AFX_IDW_DOCKBAR_BOTTOM;
            CRect rectNew = bHorz ? CRect(rect.right - 2, rect.top, rect.right + 40, rect.bottom)
                                  : CRect(rect.left, rect.bottom - 2, rect.right, rect.bottom + 40);
            m_pFrame->DockControlBar(pBar, nDockBarID, &rectNew);
        }
        Layout();
        pPrevious = pBar;
    }
}

void SizingTest::Layout()
{
    m_pFrame->RecalcLayout();
    PumpAndIdle();
    // A row fit can ask for one more layout at idle time.
    m_pFrame->RecalcLayout();
    PumpAndIdle();
}

void SizingTest::Play(UserInput& input)
{
    input.Start();
    EXPECT_TRUE(PumpUntil([&] { return input.Done(); }, 30000));
    input.Wait();
    PumpAndIdle();
}

bool SizingTest::FindHitPoint(HWND hWnd, LRESULT nHit, POINT* pPoint) const
{
    RECT rect;
    ::GetWindowRect(hWnd, &rect);
    for (int y = rect.top; y < rect.bottom; ++y)
    {
        for (int x = rect.left; x < rect.right; ++x)
        {
            if (::SendMessage(hWnd, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == nHit)
            {
                *pPoint = {x, y};
                return true;
            }
        }
    }
    return false;
}

void SizingTest::SavePicture(const wchar_t* pszName) const
{
    CRect rect;
    m_pFrame->GetWindowRect(&rect);
    for (const auto& pBar : m_bars)
    {
        CKTMiniDockFrameWnd* pFloating = pBar->m_hWnd != nullptr ? FloatingFrameOf(pBar.get()) : nullptr;
        if (pFloating != nullptr && pFloating->IsWindowVisible())
        {
            CRect rectFloating;
            pFloating->GetWindowRect(&rectFloating);
            rect.UnionRect(&rect, &rectFloating);
        }
    }
    ::CreateDirectoryW(L"screenshots", nullptr);
    SaveScreenArea((std::wstring(L"screenshots\\") + pszName).c_str(), rect);
}

#include "DockingFixture.h"

#include "tests/support/framework/DockRowsPicture.h"

#include "../input/UserInput.h"
#include "../windows/WindowsTestSupport.h"

BOOL CPlainBar::Create(CFrameWnd* pFrame, UINT nID, const wchar_t* pszName)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW), nullptr);
    return CWnd::Create(lpszClass, pszName, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER, CRect(0, 0, 0, 0), pFrame,
                        nID);
}

CSize CPlainBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    if (bHorz)
        return CSize(std::max<int>(size.cx, m_nLength), std::max<int>(size.cy, m_nThickness));
    return CSize(std::max<int>(size.cx, m_nThickness), std::max<int>(size.cy, m_nLength));
}

void CPlainBar::DoPaint(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    HBRUSH hbr = ::CreateSolidBrush(m_colour);
    ::FillRect(pDC->m_hDC, &rect, hbr);
    ::DeleteObject(hbr);
    CControlBar::DoPaint(pDC);
}

void DockingTest::SetUp()
{
    m_pFrame = new CFrameWnd;
    ASSERT_TRUE(m_pFrame->Create(nullptr, L"Docking", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(60, 60, 660, 460)));
    ASSERT_TRUE(m_wndPane.Create(AfxRegisterWndClass(0, nullptr, ::GetSysColorBrush(COLOR_WINDOW)), L"pane",
                                 WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), m_pFrame, AFX_IDW_PANE_FIRST));
    m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->RecalcLayout();
    ::SetForegroundWindow(m_pFrame->m_hWnd);
    PumpAndIdle();
}

void DockingTest::TearDown()
{
    if (m_pFrame != nullptr && ::IsWindow(m_pFrame->m_hWnd))
        m_pFrame->DestroyWindow(); // deletes the frame; floating frames go with their owner
    m_pFrame = nullptr;
    m_bars.clear();
    PumpAndIdle();
}

CPlainBar* DockingTest::AddBar(char cName, int nLength, int nThickness)
{
    static const COLORREF colours[] = {RGB(200, 40, 40), RGB(40, 160, 40), RGB(40, 40, 200),
                                       RGB(200, 160, 0), RGB(160, 0, 160), RGB(0, 160, 160)};
    auto pBar = std::make_unique<CPlainBar>(nLength, nThickness, colours[(cName - 'A') % 6]);
    wchar_t szName[2] = {static_cast<wchar_t>(cName), 0};
    EXPECT_TRUE(pBar->Create(m_pFrame, 0xE811 + (cName - 'A'), szName));
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    m_bars.push_back(std::move(pBar));
    return m_bars.back().get();
}

CPlainBar* DockingTest::Bar(char cName) const
{
    for (const auto& pBar : m_bars)
    {
        if (pBar->GetDlgCtrlID() == 0xE811 + (cName - 'A'))
            return pBar.get();
    }
    return nullptr;
}

CDockBar* DockingTest::Side(UINT nID) const
{
    return dynamic_cast<CDockBar*>(m_pFrame->GetControlBar(nID));
}

std::string DockingTest::Rows(const CDockBar* pDockBar) const
{
    return DockRowsPicture(pDockBar);
}

std::string DockingTest::Rows(UINT nDockBarID) const
{
    return Rows(Side(nDockBarID));
}

CRect DockingTest::PlaceInDockBar(const CControlBar* pBar) const
{
    CRect rect;
    pBar->GetWindowRect(&rect);
    if (pBar->m_pDockBar != nullptr)
        pBar->m_pDockBar->ScreenToClient(&rect);
    return rect;
}

CRect DockingTest::PaneRect() const
{
    CRect rect;
    m_wndPane.GetWindowRect(&rect);
    m_pFrame->ScreenToClient(&rect);
    return rect;
}

std::vector<CMiniDockFrameWnd*> DockingTest::FloatingFrames() const
{
    std::vector<CMiniDockFrameWnd*> frames;
    for (const auto& pBar : m_bars)
    {
        if (pBar->m_pDockBar == nullptr || !pBar->m_pDockBar->m_bFloating)
            continue;
        auto* pFrame = dynamic_cast<CMiniDockFrameWnd*>(pBar->m_pDockBar->GetParent());
        if (pFrame != nullptr && std::find(frames.begin(), frames.end(), pFrame) == frames.end())
            frames.push_back(pFrame);
    }
    return frames;
}

void DockingTest::SavePicture(const wchar_t* pszName) const
{
    CRect rect;
    m_pFrame->GetWindowRect(&rect);
    for (CMiniDockFrameWnd* pFrame : FloatingFrames())
    {
        CRect rectFloating;
        pFrame->GetWindowRect(&rectFloating);
        rect.UnionRect(&rect, &rectFloating);
    }
    SaveScreenArea(pszName, rect);
}

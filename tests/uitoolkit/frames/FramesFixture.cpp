#include "tests/uitoolkit/frames/FramesFixture.h"

#include "framework/AfxMsgMap.h"
#include "uitoolkit/bars/KTBarPopupMessage.h"
#include "uitoolkit/bars/KTMenuStore.h"
#include "uitoolkit/bars/KTPopupMenuBar.h"
#include "uitoolkit/looks/KTVisualManagerXP.h"

#include <string>

IMPLEMENT_DYNCREATE(CFramesMainFrame, CKTMDIFrameWnd)
IMPLEMENT_DYNCREATE(CFramesChildFrame, CKTMDIChildWnd)
IMPLEMENT_DYNCREATE(CFramesView, CView)

BOOL CFramesMainFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (nCode == (int)CN_COMMAND && pHandlerInfo == nullptr && nID >= ID_FRAMES_NEW && nID <= ID_FRAMES_WINDOWS)
    {
        m_commands.push_back(nID);
        return TRUE;
    }
    if (nCode == (int)CN_UPDATE_COMMAND_UI && nID >= ID_FRAMES_NEW && nID <= ID_FRAMES_WINDOWS)
    {
        static_cast<CCmdUI*>(pExtra)->Enable(nID != ID_FRAMES_PASTE);
        return TRUE;
    }
    if (nCode == (int)CN_COMMAND && pHandlerInfo != nullptr && nID >= ID_FRAMES_NEW && nID <= ID_FRAMES_WINDOWS)
        return TRUE;
    return CKTMDIFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

LRESULT CFramesMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == KTGetToolbarPopupMenuMessage())
    {
        m_toolbarMenuRequests.push_back(reinterpret_cast<HWND>(wParam));
        return 0;
    }
    if (message == KT_WM_RESETMENU && message != 0)
    {
        m_resetMenus.push_back(static_cast<UINT>(wParam));
        return 0;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == kWinHelpProbeCommand)
    {
        WinHelp(0);
        m_bHelpModeAfterWinHelp = m_bHelpMode != HELP_INACTIVE && IsContextHelpRunning();
        return 0;
    }
    return CKTMDIFrameWnd::WindowProc(message, wParam, lParam);
}

void CFramesMainFrame::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    m_nHelpCalls++;
    m_lastHelpData = dwData;
    CKTMDIFrameWnd::WinHelp(dwData, nCmd);
}

void CFramesView::OnDraw(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    pDC->FillSolidRect(&rect, RGB(255, 255, 240));
}

void FramesTest::SetUp()
{
    CKTToolBar::SetSizes(CSize(23, 22), CSize(16, 15));
    m_pFrame = new CFramesMainFrame;
    ASSERT_TRUE(m_pFrame->LoadFrame(IDR_FRAMES_MAIN, WS_OVERLAPPEDWINDOW));
    m_hFrame = m_pFrame->GetSafeHwnd();
    TestApp().m_pMainWnd = m_pFrame;
    m_pFrame->SetWindowPos(nullptr, 20, 20, 640, 440, SWP_NOZORDER);
    m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
    ASSERT_TRUE(m_wndMenuBar.Create(m_pFrame));
    m_wndMenuBar.SetBarStyle(m_wndMenuBar.GetBarStyle() | CBRS_SIZE_DYNAMIC);
    m_wndMenuBar.EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(&m_wndMenuBar);
    ASSERT_TRUE(m_wndToolBar.Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR));
    ASSERT_TRUE(m_wndToolBar.LoadToolBar(IDR_FRAMES_TOOLBAR));
    m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(&m_wndToolBar);
    m_pTemplate = std::make_unique<CMultiDocTemplate>(IDR_FRAMES_DOC, nullptr, RUNTIME_CLASS(CFramesChildFrame),
                                                      RUNTIME_CLASS(CFramesView));
    m_pFrame->ShowWindow(SW_SHOWNORMAL);
    ::SetForegroundWindow(m_hFrame);
    m_pFrame->RecalcLayout();
    Settle();
}

void FramesTest::TearDown()
{
    if (m_pFrame != nullptr && ::IsWindow(m_hFrame))
        m_pFrame->DestroyWindow();
    TestApp().m_pMainWnd = nullptr;
    PumpAndIdle();
    m_pTemplate.reset();
    // This test's menus are gone; a later test's menu may get the same handle value and would
    // otherwise load the copies stored here.
    CKTMenuFileStore::Get().RemoveAll();
    // A windows-dialog item makes its command a basic one, which would make the next test's
    // menus personalised.
    CKTToolBar::SetBasicCommands(CList<UINT, UINT>());
}

CMDIChildWnd* FramesTest::OpenDocument(LPCTSTR lpszTitle)
{
    CFrameWnd* pChild = m_pTemplate->CreateNewFrame(nullptr, nullptr);
    if (pChild == nullptr)
        return nullptr;
    m_pTemplate->InitialUpdateFrame(pChild, nullptr, TRUE);
    pChild->SetTitle(lpszTitle);
    pChild->OnUpdateFrameTitle(TRUE);
    Settle();
    return static_cast<CMDIChildWnd*>(pChild);
}

void FramesTest::Play(UserInput& input)
{
    input.Start();
    PumpUntil([&] { return input.Done(); }, 15000);
    Settle();
}

void FramesTest::Settle()
{
    PumpAndIdle();
    RunMessageLoopFor(50);
    PumpAndIdle();
}

POINT FramesTest::ItemCentre(CKTToolBar* pBar, int iIndex)
{
    CRect rect;
    pBar->GetItemRect(iIndex, &rect);
    pBar->ClientToScreen(&rect);
    return rect.CenterPoint();
}

void FramesTest::SaveScreenshot(const wchar_t* name)
{
    ::CreateDirectoryW(L"screenshots", nullptr);
    ::RedrawWindow(m_hFrame, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    RunMessageLoopFor(200);
    CRect rect;
    m_pFrame->GetWindowRect(&rect);
    EXPECT_TRUE(SaveScreenArea((std::wstring(L"screenshots\\") + name).c_str(), rect));
}

std::vector<CString> FramesTest::MenuBarTexts()
{
    std::vector<CString> texts;
    for (int i = 0; i < m_wndMenuBar.GetCount(); i++)
    {
        CKTToolbarButton* pButton = m_wndMenuBar.GetButton(i);
        texts.push_back(pButton->IsSeparator() ? CString(L"|") : pButton->m_strText);
    }
    return texts;
}

std::vector<UINT> FramesTest::PopupCommands(CKTPopupMenu* pPopup)
{
    std::vector<UINT> commands;
    CKTPopupMenuBar* pBar = pPopup->GetMenuBar();
    for (int i = 0; i < pBar->GetCount(); i++)
        commands.push_back(pBar->GetButton(i)->IsSeparator() ? 0 : pBar->GetButton(i)->m_nID);
    return commands;
}

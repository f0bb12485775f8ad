// A small toolkit MDI program on the test display: a main frame with a menu bar and a toolbar,
// document windows of a template with its own menu, the commands that reach the frame recorded.
#pragma once

#include "framework/Afx.h"
#include "framework/AfxDocTemplate.h"
#include "framework/AfxOleFrames.h"
#include "tests/framework/input/UserInput.h"
#include "tests/framework/windows/WindowsTestSupport.h"
#include "tests/uitoolkit/frames/FramesTestIds.h"
#include "uitoolkit/bars/KTMDIChildWnd.h"
#include "uitoolkit/bars/KTMDIFrameWnd.h"
#include "uitoolkit/bars/KTMenuBar.h"
#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTToolBar.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <vector>

inline void PrintTo(const CRect& rect, std::ostream* os)
{
    *os << "(" << rect.left << "," << rect.top << ")-(" << rect.right << "," << rect.bottom << ")";
}

class CFramesMainFrame : public CKTMDIFrameWnd
{
    DECLARE_DYNCREATE(CFramesMainFrame)
public:
    std::vector<UINT> m_commands;
    std::vector<HWND> m_toolbarMenuRequests;
    // The menu resource ids the menu bar reported as rebuilt from the menu ("KTTOOLBAR_RESETMENU").
    std::vector<UINT> m_resetMenus;
    BOOL m_bRefusePopups = FALSE;
    int m_nHelpCalls = 0;
    BOOL m_bHelpModeAfterWinHelp = FALSE;
    // A command posted to the frame (the help loop passes commands on): it calls WinHelp with
    // context 0, as a help request from inside the loop does.
    static const UINT kWinHelpProbeCommand = 33050;

    DWORD_PTR m_lastHelpData = 0;
    // Stands in for an object active in place in the active document.
    COleClientItem* m_pActiveItem = nullptr;
    COleClientItem* GetActiveOleItem() override
    {
        return m_pActiveItem != nullptr ? m_pActiveItem : CKTMDIFrameWnd::GetActiveOleItem();
    }
    // What the popup menus asked of the frame's hooks.
    int m_nMenuToolHitTests = 0;
    int m_nMenuImageRequests = 0;
    BOOL OnMenuButtonToolHitTest(CKTToolbarButton*, TOOLINFO*) override
    {
        m_nMenuToolHitTests++;
        return FALSE;
    }
    BOOL OnDrawMenuImage(CDC*, const CKTToolbarMenuButton*, const CRect&) override
    {
        m_nMenuImageRequests++;
        return FALSE;
    }

    BOOL m_bRefuseTearOff = FALSE;
    BOOL OnShowPopupMenu(CKTPopupMenu*) override { return !m_bRefusePopups; }
    BOOL OnTearOffMenu(CKTPopupMenu*, CControlBar*) override { return !m_bRefuseTearOff; }
    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT) override;

protected:
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class CFramesChildFrame : public CKTMDIChildWnd
{
    DECLARE_DYNCREATE(CFramesChildFrame)
};

class CFramesView : public CView
{
    DECLARE_DYNCREATE(CFramesView)
public:
    void OnDraw(CDC* pDC) override;
};

class FramesTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A document window of the template; maximised when asked.
    CMDIChildWnd* OpenDocument(LPCTSTR lpszTitle);
    void Play(UserInput& input);
    void Settle();
    POINT ItemCentre(CKTToolBar* pBar, int iIndex);
    void SaveScreenshot(const wchar_t* name);
    // The texts of the menu bar's buttons, separators as "|".
    std::vector<CString> MenuBarTexts();
    // The commands of a popup's items, separators as 0.
    static std::vector<UINT> PopupCommands(CKTPopupMenu* pPopup);

    CFramesMainFrame* m_pFrame = nullptr;
    HWND m_hFrame = nullptr;
    CKTMenuBar m_wndMenuBar;
    CKTToolBar m_wndToolBar;
    std::unique_ptr<CMultiDocTemplate> m_pTemplate;
};

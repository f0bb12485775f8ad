#pragma once
// A toolkit MDI frame to customize through the sheet, on the test display: a menu bar, a
// toolbar, a toolbar that cannot be closed, one without a title, a plain child window, room for
// the user's own toolbars, and two document templates with menus of their own (a third shares
// the first one's resource). The registered messages the sheet and its pages send are recorded.
#include "framework/Afx.h"
#include "framework/AfxDocTemplate.h"
#include "uitoolkit/bars/KTMDIFrameWnd.h"
#include "uitoolkit/bars/KTMenuBar.h"
#include "uitoolkit/bars/KTToolBar.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

class CKTToolbarCustomize;

class CSheetTestFrame : public CKTMDIFrameWnd
{
    DECLARE_DYNCREATE(CSheetTestFrame)
public:
    // wParam of every "KTTOOLBAR_CUSTOMIZE", and whether the plain child was enabled then.
    std::vector<WPARAM> m_customizeFlags;
    std::vector<BOOL> m_childEnabledAtMessage;
    std::vector<UINT> m_resetMenus;
    std::vector<int> m_helpPages;
    // Every help request the frame was asked for: the topic and the help command.
    std::vector<std::pair<DWORD_PTR, UINT>> m_winHelp;
    // The frame refuses new toolbars and deletions when set.
    BOOL m_bRefuseToolbars = FALSE;
    CWnd m_wndPlain;

    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT) override { m_winHelp.emplace_back(dwData, nCmd); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class CSheetTestView : public CView
{
    DECLARE_DYNCREATE(CSheetTestView)
public:
    void OnDraw(CDC* pDC) override;
};

class SheetTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Made with build-from-menus, user-defined toolbars and the flags, and opened through
    // Create; null when it did not open.
    CKTToolbarCustomize* OpenSheet(UINT uiFlags = 0x2F);
    void CloseSheet();
    void Settle();
    // The frame and the sheet together, kept in the build folder's screenshots.
    void SaveScreenshot(const wchar_t* name);
    CWnd* PageItem(CPropertyPage* pPage, UINT nID) { return pPage->GetDlgItem(nID); }
    // A document window of the template.
    CFrameWnd* OpenDocument(CMultiDocTemplate* pTemplate);
    void ClickItem(CWnd* pWnd, CPoint ptOffset = CPoint(-1, -1));

    CSheetTestFrame* m_pFrame = nullptr;
    HWND m_hFrame = nullptr;
    CKTMenuBar m_wndMenuBar;
    CKTToolBar m_wndStandard;
    CKTToolBar m_wndFormat;
    CKTToolBar m_wndUntitled;
    CKTToolbarCustomize* m_pSheet = nullptr;
    HWND m_hSheet = nullptr;
    std::vector<std::unique_ptr<CMultiDocTemplate>> m_templates;
    CWnd* m_pOldMain = nullptr;
};

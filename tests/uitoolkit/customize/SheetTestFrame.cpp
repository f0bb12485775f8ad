#include "tests/uitoolkit/customize/SheetTestFrame.h"

#include "tests/uitoolkit/customize/CustomizeTestApp.h"
#include "tests/uitoolkit/customize/CustomizeTestIds.h"
#include "tests/uitoolkit/customize/CustomizeTestSupport.h"
#include "uitoolkit/bars/KTMDIChildWnd.h"
#include "uitoolkit/customize/KTToolbarCustomize.h"

#include <algorithm>
#include <string>

IMPLEMENT_DYNCREATE(CSheetTestFrame, CKTMDIFrameWnd)
IMPLEMENT_DYNCREATE(CSheetTestView, CView)

void CSheetTestView::OnDraw(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    pDC->FillSolidRect(&rect, RGB(255, 255, 240));
}

LRESULT CSheetTestFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != 0 && message == KT_WM_CUSTOMIZETOOLBAR)
    {
        m_customizeFlags.push_back(wParam);
        m_childEnabledAtMessage.push_back(m_wndPlain.IsWindowEnabled());
        return 0;
    }
    if (message != 0 && message == KT_WM_RESETMENU)
    {
        m_resetMenus.push_back(static_cast<UINT>(wParam));
        return 0;
    }
    if (message != 0 && message == KT_WM_CUSTOMIZEHELP)
    {
        m_helpPages.push_back(static_cast<int>(wParam));
        return 0;
    }
    if (m_bRefuseToolbars && message != 0 && (message == KT_WM_CREATETOOLBAR || message == KT_WM_DELETETOOLBAR))
        return 0;
    return CKTMDIFrameWnd::WindowProc(message, wParam, lParam);
}

void SheetTest::SetUp()
{
    ::CreateDirectoryW(L"screenshots", nullptr);
    CustomizeTestApp().m_messageBoxes.clear();
    CKTToolBar::SetSizes(CSize(23, 22), CSize(16, 15));
    m_pFrame = new CSheetTestFrame;
    ASSERT_TRUE(m_pFrame->LoadFrame(IDR_SHEET_MAIN, WS_OVERLAPPEDWINDOW));
    m_hFrame = m_pFrame->GetSafeHwnd();
    m_pOldMain = CustomizeTestApp().m_pMainWnd;
    CustomizeTestApp().m_pMainWnd = m_pFrame;
    m_pFrame->SetWindowPos(nullptr, 10, 10, 560, 400, SWP_NOZORDER);
    m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->GetFrameSupport().EnableUserToolbars(L"SOFTWARE\\KestCustomizeTests\\SheetBars\\", ID_SHEET_USERBAR_FIRST,
                                                   ID_SHEET_USERBAR_LAST);

    ASSERT_TRUE(m_wndMenuBar.Create(m_pFrame));
    m_wndMenuBar.EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(&m_wndMenuBar);
    struct Bar
    {
        CKTToolBar* pBar;
        UINT nID;
        UINT nResource;
        const wchar_t* name;
    };
    for (const Bar& bar : {Bar{&m_wndStandard, ID_SHEET_STANDARD_BAR, IDR_SHEET_TOOLBAR, L"Standard"},
                           Bar{&m_wndFormat, ID_SHEET_FORMAT_BAR, IDR_SHEET_FORMAT, L"Format"},
                           Bar{&m_wndUntitled, ID_SHEET_UNTITLED_BAR, IDR_SHEET_TOOLBAR, L""}})
    {
        ASSERT_TRUE(bar.pBar->Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, bar.nID));
        ASSERT_TRUE(bar.pBar->LoadToolBar(bar.nResource));
        bar.pBar->SetWindowText(bar.name);
        bar.pBar->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(bar.pBar);
    }
    m_wndFormat.m_bNoClose = TRUE;
    const CString strClass = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
    ASSERT_TRUE(m_pFrame->m_wndPlain.CreateEx(WS_EX_CLIENTEDGE, strClass, L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0),
                                              m_pFrame, 4150));

    for (UINT nID : {IDR_SHEET_DOC, IDR_SHEET_LAYOUT, IDR_SHEET_DOC})
    {
        m_templates.push_back(std::make_unique<CMultiDocTemplate>(
            nID, RUNTIME_CLASS(CDocument), RUNTIME_CLASS(CKTMDIChildWnd), RUNTIME_CLASS(CSheetTestView)));
        CustomizeTestApp().m_templateList.m_templates.push_back(m_templates.back().get());
    }

    m_pFrame->ShowWindow(SW_SHOWNORMAL);
    ::SetForegroundWindow(m_hFrame);
    m_pFrame->RecalcLayout();
    Settle();
}

void SheetTest::TearDown()
{
    CloseSheet();
    auto& templates = CustomizeTestApp().m_templateList.m_templates;
    for (const auto& pTemplate : m_templates)
        templates.erase(std::remove(templates.begin(), templates.end(), pTemplate.get()), templates.end());
    if (::IsWindow(m_hFrame))
        m_pFrame->DestroyWindow();
    CustomizeTestApp().m_pMainWnd = m_pOldMain;
    CustomizeTestApp().m_nAnswer = IDNO;
    Pump();
    m_templates.clear();
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"SOFTWARE\\KestCustomizeTests\\SheetBars");
}

CKTToolbarCustomize* SheetTest::OpenSheet(UINT uiFlags)
{
    m_pSheet = new CKTToolbarCustomize(m_pFrame, TRUE, uiFlags);
    m_pSheet->EnableUserDefinedToolbars();
    if (!m_pSheet->Create())
    {
        delete m_pSheet;
        m_pSheet = nullptr;
        return nullptr;
    }
    m_hSheet = m_pSheet->GetSafeHwnd();
    CRect rectFrame;
    m_pFrame->GetWindowRect(&rectFrame);
    m_pSheet->SetWindowPos(nullptr, rectFrame.right + 4, rectFrame.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    // The keys a test types go to the sheet, whatever an earlier test left active.
    m_pSheet->SetForegroundWindow();
    Settle();
    return m_pSheet;
}

void SheetTest::CloseSheet()
{
    // The sheet deletes itself with its window.
    if (m_hSheet != nullptr && ::IsWindow(m_hSheet))
        ::DestroyWindow(m_hSheet);
    m_hSheet = nullptr;
    m_pSheet = nullptr;
    Pump();
}

void SheetTest::Settle()
{
    PumpFor(80);
}

void SheetTest::SaveScreenshot(const wchar_t* name)
{
    ::RedrawWindow(m_hFrame, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    if (m_hSheet != nullptr)
        ::RedrawWindow(m_hSheet, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    PumpFor(200);
    CRect rect;
    m_pFrame->GetWindowRect(&rect);
    if (m_hSheet != nullptr)
    {
        CRect rectSheet;
        ::GetWindowRect(m_hSheet, &rectSheet);
        rect.UnionRect(&rect, &rectSheet);
    }
    EXPECT_TRUE(SaveScreenArea((std::wstring(L"screenshots/") + name).c_str(), rect));
}

void SheetTest::ClickItem(CWnd* pWnd, CPoint ptOffset)
{
    CRect rect;
    pWnd->GetWindowRect(&rect);
    const CPoint pt = ptOffset.x < 0 ? rect.CenterPoint() : rect.TopLeft() + ptOffset;
    UserInput input;
    input.MoveTo(pt).LeftDown().LeftUp().Pause(150);
    Play(input);
}

CFrameWnd* SheetTest::OpenDocument(CMultiDocTemplate* pTemplate)
{
    // The template owns the document; the view holds it in the frame.
    CDocument* pDoc = new CDocument;
    pTemplate->AddDocument(pDoc);
    CFrameWnd* pChild = pTemplate->CreateNewFrame(pDoc, nullptr);
    if (pChild == nullptr)
        return nullptr;
    pTemplate->InitialUpdateFrame(pChild, pDoc, TRUE);
    Settle();
    return pChild;
}

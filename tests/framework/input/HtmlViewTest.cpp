// The HTML view in a frame, hosting the stand-in browser registered in the test prefix: the ready
// state follows the browser, navigations of the program and a user's click on a link reach
// OnBeforeNavigate2, whose cancel stops them, and the browser's mouse input passes the view's
// pre-translation first.
#include "../windows/WindowsTestSupport.h"
#include "UserInput.h"
#include "hosts/browser/BrowserClient.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class CRecordingHtmlView : public CHtmlView
{
    DECLARE_DYNCREATE(CRecordingHtmlView)
public:
    std::vector<CString> m_beforeNavigate;
    std::vector<CString> m_documentComplete;
    CString m_strCancelPrefix; // navigations starting with it are cancelled
    BOOL m_bSwallowRightButton = FALSE;

    void OnBeforeNavigate2(LPCTSTR lpszURL, DWORD, LPCTSTR, CByteArray&, LPCTSTR, BOOL* pbCancel) override
    {
        m_beforeNavigate.push_back(lpszURL);
        if (!m_strCancelPrefix.IsEmpty() && CString(lpszURL).Find(m_strCancelPrefix) == 0)
            *pbCancel = TRUE;
    }
    void OnDocumentComplete(LPCTSTR lpszURL) override { m_documentComplete.push_back(lpszURL); }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (m_bSwallowRightButton &&
            (pMsg->message == WM_RBUTTONDOWN || pMsg->message == WM_RBUTTONUP || pMsg->message == WM_RBUTTONDBLCLK))
            return TRUE;
        return CHtmlView::PreTranslateMessage(pMsg);
    }
};
IMPLEMENT_DYNCREATE(CRecordingHtmlView, CHtmlView)

HRESULT PutProperty(LPDISPATCH pDispatch, DISPID dispid, VARIANT value)
{
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value, &putId, 1, 1};
    return pDispatch->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr,
                             nullptr);
}

class HtmlViewTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(AfxOleInit());
        ASSERT_EQ(browserstandin::RegisterBrowserStandIn(), S_OK);
    }

    void SetUp() override
    {
        m_pFrame = new CFrameWnd;
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CRecordingHtmlView);
        ASSERT_TRUE(m_pFrame->Create(nullptr, L"HTML view", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(60, 60, 460, 360),
                                     nullptr, nullptr, WS_EX_TOPMOST, &context));
        CWnd* pPane = m_pFrame->GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
        ASSERT_TRUE(pPane != nullptr && pPane->IsKindOf(RUNTIME_CLASS(CRecordingHtmlView)));
        m_pView = static_cast<CRecordingHtmlView*>(pPane);
        m_pFrame->RecalcLayout();
        RunMessageLoopFor(100);
    }
    void TearDown() override
    {
        if (m_pFrame != nullptr && ::IsWindow(m_pFrame->m_hWnd))
            m_pFrame->DestroyWindow(); // the frame deletes itself
        PumpAndIdle();
    }

    void Hold(bool bHold)
    {
        VARIANT value;
        ::VariantInit(&value);
        value.vt = VT_BOOL;
        value.boolVal = bHold ? VARIANT_TRUE : VARIANT_FALSE;
        ASSERT_EQ(PutProperty(m_pView->m_pBrowserApp, browserstandin::DISPID_HOLDLOADING, value), S_OK);
    }
    void ShowLink(const wchar_t* url)
    {
        VARIANT value;
        ::VariantInit(&value);
        value.vt = VT_BSTR;
        value.bstrVal = ::SysAllocString(url);
        ASSERT_EQ(PutProperty(m_pView->m_pBrowserApp, browserstandin::DISPID_LINK, value), S_OK);
        ::VariantClear(&value);
        m_pView->UpdateWindow();
        ::UpdateWindow(m_pView->GetBrowserWindow());
    }
    std::wstring BrowserLog() const
    {
        VARIANT result;
        ::VariantInit(&result);
        DISPPARAMS noArgs{nullptr, nullptr, 0, 0};
        std::wstring log;
        if (SUCCEEDED(m_pView->m_pBrowserApp->Invoke(browserstandin::DISPID_LOG, IID_NULL, LOCALE_USER_DEFAULT,
                                                     DISPATCH_PROPERTYGET, &noArgs, &result, nullptr, nullptr)) &&
            result.vt == VT_BSTR && result.bstrVal != nullptr)
            log = result.bstrVal;
        ::VariantClear(&result);
        return log;
    }
    CPoint BrowserPoint(int x, int y) const
    {
        CPoint point(x, y);
        ::ClientToScreen(m_pView->GetBrowserWindow(), &point);
        return point;
    }

    CFrameWnd* m_pFrame = nullptr;
    CRecordingHtmlView* m_pView = nullptr;
};

TEST_F(HtmlViewTest, BrowserFillsTheViewAndReadyStateFollowsIt)
{
    EXPECT_EQ(m_pView->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
    HWND hWndBrowser = m_pView->GetBrowserWindow();
    ASSERT_NE(hWndBrowser, nullptr);
    EXPECT_EQ(::GetParent(hWndBrowser), m_pView->m_hWnd);
    CRect rectView, rectBrowser;
    m_pView->GetClientRect(&rectView);
    ::GetClientRect(hWndBrowser, &rectBrowser);
    EXPECT_EQ(rectBrowser.Size(), rectView.Size());

    Hold(true);
    m_pView->Navigate2(L"mk:@MSITStore:C:\\help.chm::/tutorial/Tutorial.htm");
    EXPECT_EQ(m_pView->GetReadyState(), READYSTATE_LOADING);
    ASSERT_EQ(m_pView->m_beforeNavigate.size(), 1u);
    EXPECT_EQ(m_pView->m_beforeNavigate[0], CString(L"mk:@MSITStore:C:\\help.chm::/tutorial/Tutorial.htm"));
    RunMessageLoopFor(100);
    EXPECT_EQ(m_pView->GetReadyState(), READYSTATE_LOADING);
    EXPECT_TRUE(m_pView->m_documentComplete.empty());

    Hold(false);
    EXPECT_TRUE(PumpUntil([&] { return m_pView->GetReadyState() == READYSTATE_COMPLETE; }));
    ASSERT_EQ(m_pView->m_documentComplete.size(), 1u);
    EXPECT_EQ(m_pView->GetLocationURL(), m_pView->m_documentComplete[0]);

    // The frame is resized: the browser follows the view.
    m_pFrame->SetWindowPos(nullptr, 0, 0, 500, 420, SWP_NOMOVE | SWP_NOZORDER);
    m_pFrame->RecalcLayout();
    m_pView->GetClientRect(&rectView);
    ::GetClientRect(hWndBrowser, &rectBrowser);
    EXPECT_EQ(rectBrowser.Size(), rectView.Size());

    ShowLink(L"step://3");
    RunMessageLoopFor(200);
    CRect rectFrame;
    m_pFrame->GetWindowRect(&rectFrame);
    EXPECT_TRUE(SaveScreenArea(L"html_view.bmp", rectFrame));
    EXPECT_EQ(ScreenPixel(BrowserPoint(200, 150)), browserstandin::kPageColour);
    EXPECT_EQ(ScreenPixel(BrowserPoint(200, 60)), browserstandin::kLinkColour);
}

struct NavigationCase
{
    const char* m_name;
    const wchar_t* m_url;
    const wchar_t* m_cancelPrefix;
    const wchar_t* m_logLine; // what the browser did with it
    bool m_bLoads;
};

class HtmlViewNavigationTest : public HtmlViewTest, public ::testing::WithParamInterface<NavigationCase>
{
};

TEST_P(HtmlViewNavigationTest, ProgramNavigationPassesBeforeNavigate)
{
    const NavigationCase& navigation = GetParam();
    m_pView->m_strCancelPrefix = navigation.m_cancelPrefix;
    m_pView->Navigate2(navigation.m_url);
    ASSERT_EQ(m_pView->m_beforeNavigate.size(), 1u);
    EXPECT_EQ(m_pView->m_beforeNavigate[0], CString(navigation.m_url));
    EXPECT_EQ(BrowserLog().find(navigation.m_logLine), 0u) << BrowserLog().c_str();
    if (navigation.m_bLoads)
    {
        EXPECT_TRUE(PumpUntil([&] { return m_pView->m_documentComplete.size() == 1; }));
        EXPECT_EQ(m_pView->GetLocationURL(), CString(navigation.m_url));
    }
    else
    {
        RunMessageLoopFor(100);
        EXPECT_TRUE(m_pView->m_documentComplete.empty());
        EXPECT_TRUE(m_pView->GetLocationURL().IsEmpty());
        EXPECT_EQ(m_pView->GetReadyState(), READYSTATE_UNINITIALIZED);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HtmlViewNavigationTest,
    ::testing::Values(NavigationCase{"Page", L"mk:@MSITStore:help.chm::/a.htm", L"", L"navigate mk:@", true},
                      NavigationCase{"Script", L"javascript:SetCurrentStep('Step2');", L"",
                                     L"script SetCurrentStep('Step2');", false},
                      NavigationCase{"Cancelled", L"http://example.invalid/", L"http:",
                                     L"cancelled http://example.invalid/", false}),
    [](const ::testing::TestParamInfo<NavigationCase>& info) { return std::string(info.param.m_name); });

TEST_F(HtmlViewTest, ClickedLinkReachesBeforeNavigateAndItsCancel)
{
    ShowLink(L"step://3");
    RunMessageLoopFor(150);
    const CPoint ptLink = BrowserPoint(40, 50);

    // Cancelled by the view: the browser stays where it was.
    m_pView->m_strCancelPrefix = L"step://";
    UserInput cancelled;
    cancelled.MoveTo(ptLink).LeftDown().LeftUp().Pause(100);
    cancelled.Start();
    EXPECT_TRUE(PumpUntil([&] { return cancelled.Done() && !m_pView->m_beforeNavigate.empty(); }));
    cancelled.Wait();
    ASSERT_EQ(m_pView->m_beforeNavigate.size(), 1u);
    EXPECT_EQ(m_pView->m_beforeNavigate[0], CString(L"step://3"));
    EXPECT_EQ(BrowserLog(), L"cancelled step://3\n");

    // Allowed: the page loads.
    m_pView->m_strCancelPrefix.Empty();
    UserInput allowed;
    allowed.MoveTo(ptLink).LeftDown().LeftUp().Pause(100);
    allowed.Start();
    EXPECT_TRUE(PumpUntil([&] { return allowed.Done() && m_pView->m_documentComplete.size() == 1; }));
    allowed.Wait();
    EXPECT_EQ(BrowserLog(), L"cancelled step://3\nnavigate step://3\ncomplete step://3\n");
}

TEST_F(HtmlViewTest, RightButtonOnTheBrowserPassesTheViewFirst)
{
    const CPoint ptPage = BrowserPoint(150, 150);
    for (BOOL bSwallow : {TRUE, FALSE})
    {
        m_pView->m_bSwallowRightButton = bSwallow;
        UserInput input;
        input.MoveTo(ptPage).RightDown().RightUp().Pause(150);
        input.Start();
        EXPECT_TRUE(PumpUntil([&] { return input.Done(); }));
        input.Wait();
        PumpAndIdle();
        EXPECT_EQ(BrowserLog(), bSwallow ? L"" : L"context menu\n") << "swallowed: " << bSwallow;
    }
}

} // namespace

// The tutorial pane with the stand-in browser registered in the test prefix: the steps the main
// frame shows and the widths it gives the pane, the links of the page turned into actions (and
// every other address refused), and steps asked for while the page still loads.
#include "app/ChildFrame.h"
#include "app/FileTypes.h"
#include "app/HtmlHelpSeam.h"
#include "app/MainFrame.h"
#include "app/TutorialPane.h"
#include "hosts/browser/BrowserClient.h"
#include "tests/app/AppTestSupport.h"
#include "tests/framework/input/UserInput.h"
#include "uitoolkit/bars/KTFrameWnd.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

const std::wstring SampleTable = std::wstring(L"" KEST_SOURCE_DIR) + L"/samples/table.kest";

struct HelpCall
{
    std::wstring file;
    UINT command;
    DWORD_PTR data;
};
std::vector<HelpCall> g_helpCalls;
std::vector<std::wstring> g_opened;

HWND RecordHelp(HWND, const std::wstring& file, UINT command, DWORD_PTR data)
{
    g_helpCalls.push_back({file, command, data});
    return nullptr;
}

bool RecordOpen(HWND, const std::wstring& target)
{
    g_opened.push_back(target);
    return true;
}

HRESULT PutProperty(LPDISPATCH dispatch, DISPID id, VARIANT value)
{
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value, &putId, 1, 1};
    return dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr,
                            nullptr);
}

std::wstring BrowserLog(CLoadHTMLView* view)
{
    VARIANT result;
    VariantInit(&result);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    std::wstring log;
    if (view && view->m_pBrowserApp &&
        SUCCEEDED(view->m_pBrowserApp->Invoke(browserstandin::DISPID_LOG, IID_NULL, LOCALE_USER_DEFAULT,
                                              DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr)) &&
        result.vt == VT_BSTR && result.bstrVal)
        log = result.bstrVal;
    VariantClear(&result);
    return log;
}

size_t Count(const std::wstring& text, const std::wstring& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

class TutorialPaneTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(AfxOleInit());
        ASSERT_EQ(browserstandin::RegisterBrowserStandIn(), S_OK);
    }
    void SetUp() override
    {
        g_helpCalls.clear();
        g_opened.clear();
        HtmlHelpSeam::m_function = RecordHelp;
        m_frame = new CKTFrameWnd;
        ASSERT_TRUE(m_frame->Create(nullptr, L"Tutorial", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(30, 30, 530, 530),
                                    nullptr, nullptr, WS_EX_TOPMOST));
        m_frame->EnableDocking(CBRS_ALIGN_ANY);
        ASSERT_TRUE(
            m_pane.Create(L"Tutorial", m_frame, CSize(320, 150), TRUE, ID_TUTORIAL, WS_CHILD | WS_VISIBLE | CBRS_LEFT));
        m_pane.EnableDocking(CBRS_ALIGN_ANY);
        m_frame->DockControlBar(&m_pane, AFX_IDW_DOCKBAR_LEFT);
        m_frame->RecalcLayout();
        m_pane.m_shellOpen = RecordOpen;
        m_view = m_pane.GetView();
        ASSERT_NE(m_view, nullptr);
        ASSERT_NE(m_view->m_pBrowserApp, nullptr);
        PumpUntil([&] { return m_view->GetReadyState() == READYSTATE_COMPLETE; }, 5000);
        PumpFor(100);
    }
    void TearDown() override
    {
        if (IsWindow(m_frame->m_hWnd))
            m_frame->DestroyWindow();
        PumpFor(50);
        HtmlHelpSeam::m_function = CallHtmlHelpViewer;
    }
    void Hold(bool hold)
    {
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_BOOL;
        value.boolVal = hold ? VARIANT_TRUE : VARIANT_FALSE;
        ASSERT_EQ(PutProperty(m_view->m_pBrowserApp, browserstandin::DISPID_HOLDLOADING, value), S_OK);
    }
    // Shows a link in the page and clicks it as a user does.
    void ClickLink(const wchar_t* url)
    {
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_BSTR;
        value.bstrVal = SysAllocString(url);
        ASSERT_EQ(PutProperty(m_view->m_pBrowserApp, browserstandin::DISPID_LINK, value), S_OK);
        VariantClear(&value);
        UpdateWindow(m_view->GetBrowserWindow());
        POINT centre = {(browserstandin::kLinkRect.left + browserstandin::kLinkRect.right) / 2,
                        (browserstandin::kLinkRect.top + browserstandin::kLinkRect.bottom) / 2};
        ClientToScreen(m_view->GetBrowserWindow(), &centre);
        UserInput input;
        input.MoveTo(centre).LeftDown().LeftUp();
        input.Start();
        PumpUntil([&] { return input.Done(); }, 10000);
        PumpFor(200);
    }

    static constexpr UINT ID_TUTORIAL = 32772;
    CKTFrameWnd* m_frame = nullptr;
    CTutorialPane m_pane;
    CLoadHTMLView* m_view = nullptr;
};

TEST_F(TutorialPaneTest, ThePageIsTheHelpFilesTutorialInAFrameOfItsOwn)
{
    EXPECT_EQ(m_pane.GetTutorialAddress(),
              L"mk:@MSITStore:" + HtmlHelpSeam::ApplicationHelpFile() + L"::/tutorial/Tutorial.htm");
    EXPECT_EQ(BrowserLog(m_view).find(L"navigate " + m_pane.GetTutorialAddress()), 0u) << BrowserLog(m_view);
    HWND frame = GetDlgItem(m_pane.m_hWnd, CTutorialPane::FrameId);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(GetParent(m_view->m_hWnd), frame);
    EXPECT_EQ(m_view->GetDlgCtrlID(), 59648);
    // The frame fills the pane, the view the frame.
    RECT pane = {}, frameArea = {}, frameClient = {}, view = {};
    GetClientRect(m_pane.m_hWnd, &pane);
    GetWindowRect(frame, &frameArea);
    GetClientRect(frame, &frameClient);
    GetWindowRect(m_view->m_hWnd, &view);
    EXPECT_EQ(frameArea.right - frameArea.left, pane.right);
    EXPECT_EQ(frameArea.bottom - frameArea.top, pane.bottom);
    EXPECT_EQ(view.right - view.left, frameClient.right);
    EXPECT_EQ(view.bottom - view.top, frameClient.bottom);
}

TEST_F(TutorialPaneTest, LinksOfThePageBecomeActionsAndOtherAddressesAreRefused)
{
    CNoDocApp* app = &theApp;
    const struct
    {
        const wchar_t* url;
        bool goesAhead;
        const wchar_t* script; // the step script it runs, or null
        int helpCommand;       // -1: no help
        DWORD_PTR helpData;
        int openedLink; // -1: nothing opened
    } cases[] = {
        {L"step://0", false, nullptr, -1, 0, -1},
        {L"step://3", false, L"script SetCurrentStep('Step3');", -1, 0, -1},
        {L"step://11", false, nullptr, -1, 0, -1},
        {L"help://0", false, nullptr, HelpDisplayTopic, 0, -1},
        {L"help://1234", false, nullptr, HelpDisplayContext, 1234, -1},
        {L"open://40", false, nullptr, -1, 0, 40},
        {L"mk:@MSITStore:C:\\other.chm::/page.htm", true, nullptr, -1, 0, -1},
        {L"javascript:SetCurrentStep('Step7');", true, L"script SetCurrentStep('Step7');", -1, 0, -1},
        {L"http://www.example.com/", false, nullptr, -1, 0, -1},
        {L"STEP://3", false, nullptr, -1, 0, -1},
    };
    for (const auto& c : cases)
    {
        g_helpCalls.clear();
        g_opened.clear();
        const std::wstring before = BrowserLog(m_view);
        const size_t scriptsBefore = Count(before, L"script ");
        ClickLink(c.url);
        const std::wstring log = BrowserLog(m_view).substr(before.size());
        const std::wstring url = c.url;
        if (c.goesAhead)
        {
            EXPECT_NE(log.find(url.rfind(L"javascript:", 0) == 0 ? L"script " : L"navigate " + url), std::wstring::npos)
                << log;
        }
        else
        {
            EXPECT_NE(log.find(L"cancelled " + url), std::wstring::npos) << log;
        }
        if (c.script)
        {
            EXPECT_NE(log.find(c.script), std::wstring::npos) << log;
        }
        else
        {
            EXPECT_EQ(Count(BrowserLog(m_view), L"script "), scriptsBefore) << log;
        }
        ASSERT_EQ(g_helpCalls.size(), c.helpCommand < 0 ? 0u : 1u) << url;
        if (c.helpCommand >= 0)
        {
            EXPECT_EQ(g_helpCalls[0].command, static_cast<UINT>(c.helpCommand));
            EXPECT_EQ(g_helpCalls[0].data, c.helpData);
            EXPECT_EQ(g_helpCalls[0].file, HtmlHelpSeam::ApplicationHelpFile());
        }
        ASSERT_EQ(g_opened.size(), c.openedLink < 0 ? 0u : 1u) << url;
        if (c.openedLink >= 0)
        {
            EXPECT_EQ(g_opened[0], GetWebLinkUrl(app->m_setupNumber, c.openedLink));
        }
    }
}

TEST_F(TutorialPaneTest, OfSeveralStepsAskedWhileThePageLoadsOnlyTheLastIsShown)
{
    Hold(true);
    m_view->NavigateProgram(m_pane.GetTutorialAddress());
    EXPECT_EQ(m_view->GetReadyState(), READYSTATE_LOADING);
    m_pane.ShowStep(1);
    m_pane.ShowStep(4);
    m_pane.ShowStep(2);
    EXPECT_EQ(m_view->GetPendingAddress(), L"javascript:SetCurrentStep('Step3');");
    PumpFor(700);
    EXPECT_EQ(Count(BrowserLog(m_view), L"script "), 0u);
    Hold(false);
    EXPECT_TRUE(PumpUntil([&] { return Count(BrowserLog(m_view), L"script ") > 0; }, 5000));
    PumpFor(600);
    const std::wstring log = BrowserLog(m_view);
    EXPECT_EQ(Count(log, L"script "), 1u) << log;
    EXPECT_NE(log.find(L"script SetCurrentStep('Step3');"), std::wstring::npos) << log;
    EXPECT_TRUE(m_view->GetPendingAddress().empty());
    // The page has loaded once: later steps go at once.
    m_pane.ShowStep(0);
    EXPECT_NE(BrowserLog(m_view).find(L"script SetCurrentStep('Step1');"), std::wstring::npos);
}

TEST_F(TutorialPaneTest, TheBrowsersOwnMenuAndKeysAreSwallowed)
{
    MSG right = {m_view->GetBrowserWindow(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10), 0, {0, 0}};
    EXPECT_TRUE(m_view->PreTranslateMessage(&right));
    right.message = WM_RBUTTONUP;
    EXPECT_TRUE(m_view->PreTranslateMessage(&right));
    MSG left = {m_view->GetBrowserWindow(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10), 0, {0, 0}};
    EXPECT_FALSE(m_view->PreTranslateMessage(&left));
}

// The main frame shows the step the user has reached and sizes the pane for it.
class TutorialStepTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { ASSERT_EQ(browserstandin::RegisterBrowserStandIn(), S_OK); }
    void SetUp() override
    {
        m_savedProfile = theApp.m_pszProfileName ? theApp.m_pszProfileName : L"";
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KestTutorialTest");
        theApp.ResetStart();
        theApp.m_company = L"KestTutorialTest";
        theApp.m_recordMessages = true;
        ASSERT_TRUE(theApp.InitInstance());
        m_main = dynamic_cast<CMainFrame*>(theApp.m_pMainWnd);
        ASSERT_NE(m_main, nullptr);
        RECT window = {};
        GetWindowRect(m_main->m_hWnd, &window);
        m_startWidth = window.right - window.left;
        PumpFor(100);
        wchar_t folder[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, folder);
        m_copy = std::wstring(folder) + L"kest-tutorial-steps.kest";
        ASSERT_TRUE(CopyFileW(SampleTable.c_str(), m_copy.c_str(), FALSE));
    }
    void TearDown() override
    {
        if (theApp.m_pMainWnd && IsWindow(theApp.m_pMainWnd->m_hWnd))
            theApp.m_pMainWnd->DestroyWindow();
        theApp.m_pMainWnd = nullptr;
        PumpFor(30);
        theApp.ExitInstance();
        ProfileNames::Set(theApp, nullptr, m_savedProfile.c_str());
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KestTutorialTest");
        DeleteFileW(m_copy.c_str());
        theApp.m_company = L"QuillMere";
        theApp.m_recordMessages = false;
        theApp.ResetStart();
    }
    int PaneWidth()
    {
        RECT pane = {};
        GetWindowRect(m_main->GetTutorialPane().m_hWnd, &pane);
        return pane.right - pane.left;
    }
    std::wstring Log() { return BrowserLog(m_main->GetTutorialPane().GetView()); }

    CMainFrame* m_main = nullptr;
    std::wstring m_savedProfile, m_copy;
    int m_startWidth = 0;
};

TEST_F(TutorialStepTest, StepsFollowTheDocumentAndThePaneWidensWithoutOne)
{
    // Start-up without a document: the first step, the pane at half the window.
    EXPECT_EQ(m_main->GetTutorialStep(), 0);
    EXPECT_TRUE(m_main->IsTutorialWidened());
    EXPECT_NEAR(PaneWidth(), m_startWidth / 2, 12);
    EXPECT_TRUE(PumpUntil([&] { return Log().find(L"script SetCurrentStep('Step1');") != std::wstring::npos; }, 5000))
        << Log();

    ASSERT_TRUE(theApp.OpenDocument(m_copy, false));
    PumpFor(200);
    CChildFrame* frame = m_main->FindChildFrame(m_copy);
    ASSERT_NE(frame, nullptr);
    const bool empty = frame->GetView().GetLayout().IsEmpty();
    EXPECT_EQ(m_main->GetTutorialStep(), empty ? 3 : 2);
    EXPECT_FALSE(m_main->IsTutorialWidened());
    EXPECT_NEAR(PaneWidth(), 270, 12);

    // A table laid and cleared: the step that asks for a table.
    frame->GetView().ClearLayout();
    PumpFor(100);
    EXPECT_EQ(m_main->GetTutorialStep(), 3);
    theApp.m_advancedMode = true;
    m_main->UpdateTutorialStep(false);
    EXPECT_EQ(m_main->GetTutorialStep(), 5);
    theApp.m_advancedMode = false;
    EXPECT_TRUE(PumpUntil([&] { return Log().find(L"script SetCurrentStep('Step6');") != std::wstring::npos; }, 5000))
        << Log();

    // The last document closed: widened again, remembering the width it had.
    m_main->GetTutorialPane().SetVertSize(CSize(800, m_main->GetTutorialPane().GetVertSize().cy));
    m_main->RecalcLayout();
    ASSERT_TRUE(frame->GetView().UndoLayout());
    frame->SendMessage(WM_CLOSE);
    PumpFor(200);
    EXPECT_FALSE(m_main->HasChildFrames());
    EXPECT_EQ(m_main->GetTutorialStep(), 0);
    EXPECT_TRUE(m_main->IsTutorialWidened());
    // A document in a narrower window: back to the earlier width, at most three quarters.
    m_main->SetWindowPos(nullptr, 0, 0, 800, 600, SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_TRUE(theApp.OpenDocument(m_copy, false));
    PumpFor(200);
    EXPECT_FALSE(m_main->IsTutorialWidened());
    EXPECT_NEAR(PaneWidth(), 600, 12);
}

TEST_F(TutorialStepTest, SwitchingDocumentsShowsTheStepOfTheOneActivated)
{
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring second = std::wstring(folder) + L"kest-tutorial-second.kest";
    ASSERT_TRUE(CopyFileW(SampleTable.c_str(), second.c_str(), FALSE));
    ASSERT_TRUE(theApp.OpenDocument(m_copy, false));
    ASSERT_TRUE(theApp.OpenDocument(second, false));
    PumpFor(200);
    CChildFrame* cleared = m_main->FindChildFrame(m_copy);
    CChildFrame* laid = m_main->FindChildFrame(second);
    ASSERT_TRUE(cleared && laid);
    cleared->GetView().ClearLayout();
    if (laid->GetView().GetLayout().IsEmpty())
    {
        GTEST_SKIP() << "the sample has no table layout";
    }
    const struct
    {
        CChildFrame* activated;
        int step;
    } cases[] = {{laid, 2}, {cleared, 3}, {laid, 2}};
    for (const auto& c : cases)
    {
        // The frame that loses activation tells the main frame, which shows the new one's step.
        m_main->MDIActivate(c.activated);
        PumpFor(150);
        EXPECT_EQ(m_main->GetTutorialStep(), c.step);
    }
    cleared->SendMessage(WM_COMMAND, 57643);
    PumpFor(50);
    for (CChildFrame* frame : {cleared, laid})
        frame->SendMessage(WM_CLOSE);
    PumpFor(150);
    DeleteFileW(second.c_str());
}

} // namespace

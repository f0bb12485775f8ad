// The windows dialog of a toolkit MDI frame, opened through the frame's ShowWindowsDialog with
// document windows on the display and driven with the keyboard and mouse: which buttons a
// selection enables, activating, closing with a refused save question, tiling a chosen set,
// the Help button.
#include "framework/Afx.h"
#include "framework/AfxMdi.h"
#include "tests/framework/input/UserInput.h"
#include "tests/framework/windows/WindowsTestSupport.h"
#include "uitoolkit/bars/KTMDIFrameWnd.h"
#include "uitoolkit/customize/KTWindowsManagerDlg.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace
{

const UINT kFrameMenu = 100;

class CDialogTestFrame : public CKTMDIFrameWnd
{
public:
    std::vector<LPARAM> m_helpRequests;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == CKTWindowsManagerDlg::GetHelpMessage())
        {
            m_helpRequests.push_back(lParam);
            return 0;
        }
        return CKTMDIFrameWnd::WindowProc(message, wParam, lParam);
    }
};

// A document that counts how often the framework's save command saved it.
class CCountingDocument : public CDocument
{
public:
    int m_nSaves = 0;
    BOOL DoFileSave() override
    {
        m_nSaves++;
        return TRUE;
    }
};

// A document window: with unsaved changes its close asks "Save changes?" with Yes, No and Cancel.
class CDocumentChild : public CMDIChildWnd
{
public:
    BOOL m_bModified = FALSE;
    CCountingDocument m_document;

    CDocument* GetActiveDocument() override { return &m_document; }

protected:
    void OnClose()
    {
        if (m_bModified)
        {
            CString strTitle;
            GetWindowText(strTitle);
            // The system's message box: the test application answers its own ones without showing them.
            // Owned by the active window, as a document's save question is.
            if (::MessageBoxW(::GetActiveWindow(), L"Save changes to " + strTitle + L"?", L"Documents",
                              MB_YESNOCANCEL) == IDCANCEL)
                return;
        }
        MDIDestroy();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDocumentChild, CMDIChildWnd)
ON_WM_CLOSE()
END_MESSAGE_MAP()

} // namespace

class WindowsDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_animation.cbSize = sizeof(m_animation);
        ASSERT_TRUE(::SystemParametersInfoW(SPI_GETANIMATION, sizeof(m_animation), &m_animation, 0));
        // The dialog switches the animation off while it moves windows and puts it back: on here,
        // so that putting it back shows.
        ANIMATIONINFO on = m_animation;
        on.iMinAnimate = 1;
        ::SystemParametersInfoW(SPI_SETANIMATION, sizeof(on), &on, 0);
        ANIMATIONINFO now = {sizeof(now), 0};
        ::SystemParametersInfoW(SPI_GETANIMATION, sizeof(now), &now, 0);
        m_nAnimationBefore = now.iMinAnimate;

        m_uiThread = ::GetCurrentThreadId();
        m_pFrame = new CDialogTestFrame;
        ASSERT_TRUE(m_pFrame->LoadFrame(kFrameMenu, WS_OVERLAPPEDWINDOW));
        m_hFrame = m_pFrame->GetSafeHwnd();
        TestApp().m_pMainWnd = m_pFrame;
        m_pFrame->SetWindowPos(nullptr, 20, 20, 700, 500, SWP_NOZORDER);
        m_pFrame->ShowWindow(SW_SHOWNORMAL);
        ::SetForegroundWindow(m_hFrame);
        PumpAndIdle();
    }
    void TearDown() override
    {
        if (m_pFrame != nullptr && ::IsWindow(m_hFrame))
            m_pFrame->DestroyWindow();
        TestApp().m_pMainWnd = nullptr;
        PumpAndIdle();
        ::SystemParametersInfoW(SPI_SETANIMATION, sizeof(m_animation), &m_animation, 0);
    }

    CDocumentChild* OpenDocument(const wchar_t* pszTitle)
    {
        CDocumentChild* pChild = new CDocumentChild;
        const int n = static_cast<int>(m_children.size());
        EXPECT_TRUE(pChild->Create(nullptr, pszTitle, WS_CHILD | WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                   CRect(10 + 20 * n, 10 + 20 * n, 260 + 20 * n, 180 + 20 * n), m_pFrame));
        m_children[pszTitle] = pChild->GetSafeHwnd();
        PumpAndIdle();
        return pChild;
    }
    HWND Child(const wchar_t* pszTitle) { return m_children[pszTitle]; }
    bool IsOpen(const wchar_t* pszTitle)
    {
        HWND hWnd = Child(pszTitle);
        return ::IsWindow(hWnd) && ::GetParent(hWnd) == m_pFrame->m_hWndMDIClient;
    }

    // Opens the dialog through the frame; the steps run on the input thread once the dialog is
    // up and must end it.
    void RunDialog(const std::function<void(UserInput&, HWND)>& script)
    {
        UserInput input;
        std::atomic<HWND> hDlg{nullptr};
        input.Call([&] {
            for (int i = 0; i < 200 && hDlg == nullptr; i++)
            {
                ::Sleep(25);
                hDlg = FindDialogOfThread(m_uiThread, L"Windows");
            }
        });
        input.Pause(150);
        input.Call([&] {
            UserInput steps;
            script(steps, hDlg);
            steps.Start();
            steps.Wait();
        });
        input.Start();
        m_pFrame->ShowWindowsDialog();
        input.Wait();
        PumpAndIdle();
    }

    static HWND FindDialogOfThread(DWORD dwThread, const wchar_t* pszCaption);
    static BOOL Enabled(HWND hDlg, UINT nID) { return ::IsWindowEnabled(::GetDlgItem(hDlg, nID)); }
    static BOOL Visible(HWND hDlg, UINT nID)
    {
        return (::GetWindowLongW(::GetDlgItem(hDlg, nID), GWL_STYLE) & WS_VISIBLE) != 0;
    }
    static POINT Centre(HWND hDlg, UINT nID)
    {
        RECT rect;
        ::GetWindowRect(::GetDlgItem(hDlg, nID), &rect);
        return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }
    // Selects the list's items from the first through the count with the keyboard.
    static void SelectFirst(UserInput& input, int nCount)
    {
        input.Press(VK_HOME).Pause(50);
        input.Key(VK_SHIFT, true);
        for (int i = 1; i < nCount; i++)
            input.Press(VK_DOWN).Pause(30);
        input.Key(VK_SHIFT, false).Pause(100);
    }
    static void Click(UserInput& input, POINT pt)
    {
        input.MoveTo(pt).Pause(60).LeftDown().Pause(40).LeftUp().Pause(150);
    }

    ANIMATIONINFO m_animation{};
    int m_nAnimationBefore = 0;
    DWORD m_uiThread = 0;
    CDialogTestFrame* m_pFrame = nullptr;
    HWND m_hFrame = nullptr;
    std::map<std::wstring, HWND> m_children;
};

namespace
{
struct DialogSearch
{
    const wchar_t* pszCaption;
    HWND hFound;
};

BOOL CALLBACK FindDialogCallback(HWND hWnd, LPARAM lParam)
{
    DialogSearch* pSearch = reinterpret_cast<DialogSearch*>(lParam);
    wchar_t szClass[16] = {};
    wchar_t szCaption[64] = {};
    ::GetClassNameW(hWnd, szClass, 16);
    ::GetWindowTextW(hWnd, szCaption, 64);
    if (wcscmp(szClass, L"#32770") == 0 && wcscmp(szCaption, pSearch->pszCaption) == 0 && ::IsWindowVisible(hWnd))
    {
        pSearch->hFound = hWnd;
        return FALSE;
    }
    return TRUE;
}
} // namespace

HWND WindowsDialogTest::FindDialogOfThread(DWORD dwThread, const wchar_t* pszCaption)
{
    DialogSearch search = {pszCaption, nullptr};
    ::EnumThreadWindows(dwThread, &FindDialogCallback, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

TEST_F(WindowsDialogTest, ButtonsFollowTheSelection)
{
    struct Case
    {
        const char* name;
        std::vector<const wchar_t*> documents;
        const wchar_t* closeDisabled;
        int nSelected;
        BOOL activate, save, close, arrange, minimize;
    };
    const Case cases[] = {
        {"one window selected", {L"Doc A"}, nullptr, 1, TRUE, TRUE, TRUE, FALSE, TRUE},
        {"two of three", {L"Doc A", L"Doc B", L"Doc C"}, nullptr, 2, FALSE, TRUE, TRUE, TRUE, TRUE},
        {"close disabled among them", {L"Doc A", L"Doc B"}, L"Doc B", 2, FALSE, TRUE, FALSE, TRUE, TRUE},
        {"close disabled selected alone", {L"Doc A", L"Doc B"}, L"Doc A", 1, TRUE, TRUE, FALSE, FALSE, TRUE},
        {"close disabled not selected", {L"Doc A", L"Doc B"}, L"Doc B", 1, TRUE, TRUE, TRUE, FALSE, TRUE},
    };
    for (const Case& c : cases)
    {
        for (const wchar_t* pszTitle : c.documents)
            OpenDocument(pszTitle);
        if (c.closeDisabled != nullptr)
            ::EnableMenuItem(::GetSystemMenu(Child(c.closeDisabled), FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
        BOOL activate = -1, save = -1, close = -1, cascade = -1, tileH = -1, tileV = -1, minimize = -1, help = -1;
        int nSelCount = -1;
        RunDialog([&](UserInput& input, HWND hDlg) {
            SelectFirst(input, c.nSelected);
            input.Call([&, hDlg] {
                nSelCount = (int)::SendMessageW(::GetDlgItem(hDlg, CKTWindowsManagerDlg::IDC_WINDOWS_LIST),
                                                LB_GETSELCOUNT, 0, 0);
                activate = Enabled(hDlg, CKTWindowsManagerDlg::IDC_ACTIVATE);
                save = Enabled(hDlg, CKTWindowsManagerDlg::IDC_SAVE);
                close = Enabled(hDlg, CKTWindowsManagerDlg::IDC_CLOSE_WINDOWS);
                cascade = Enabled(hDlg, CKTWindowsManagerDlg::IDC_CASCADE);
                tileH = Enabled(hDlg, CKTWindowsManagerDlg::IDC_TILE_HORZ);
                tileV = Enabled(hDlg, CKTWindowsManagerDlg::IDC_TILE_VERT);
                minimize = Enabled(hDlg, CKTWindowsManagerDlg::IDC_MINIMIZE);
                help = Visible(hDlg, CKTWindowsManagerDlg::IDC_HELP_BUTTON);
            });
            input.Press(VK_ESCAPE).Pause(100);
        });
        EXPECT_EQ(c.nSelected, nSelCount) << c.name;
        EXPECT_EQ(c.activate, activate) << c.name;
        EXPECT_EQ(c.save, save) << c.name;
        EXPECT_EQ(c.close, close) << c.name;
        EXPECT_EQ(c.arrange, cascade) << c.name;
        EXPECT_EQ(c.arrange, tileH) << c.name;
        EXPECT_EQ(c.arrange, tileV) << c.name;
        EXPECT_EQ(c.minimize, minimize) << c.name;
        EXPECT_FALSE(help) << c.name << ": Help is hidden without the frame's flag";
        for (auto& entry : m_children)
        {
            if (::IsWindow(entry.second))
                ::SendMessageW(m_pFrame->m_hWndMDIClient, WM_MDIDESTROY, (WPARAM)entry.second, 0);
        }
        m_children.clear();
        PumpAndIdle();
    }
}

TEST_F(WindowsDialogTest, ActivateRestoresTheChosenWindowAndCloses)
{
    OpenDocument(L"Doc A");
    OpenDocument(L"Doc B");
    ::ShowWindow(Child(L"Doc A"), SW_MINIMIZE);
    PumpAndIdle();
    RunDialog([&](UserInput& input, HWND hDlg) {
        input.Press(VK_HOME).Pause(100);
        Click(input, Centre(hDlg, CKTWindowsManagerDlg::IDC_ACTIVATE));
    });
    EXPECT_EQ(nullptr, FindDialogOfThread(m_uiThread, L"Windows"));
    EXPECT_EQ(Child(L"Doc A"), (HWND)::SendMessageW(m_pFrame->m_hWndMDIClient, WM_MDIGETACTIVE, 0, 0));
    EXPECT_FALSE(::IsIconic(Child(L"Doc A")));
}

TEST_F(WindowsDialogTest, CancelAtTheSecondSaveQuestionKeepsThatWindowAndTheOnesBefore)
{
    for (const wchar_t* pszTitle : {L"Doc A", L"Doc B", L"Doc C"})
        OpenDocument(pszTitle)->m_bModified = TRUE;
    int nListed = -1;
    RunDialog([&](UserInput& input, HWND hDlg) {
        SelectFirst(input, 3);
        Click(input, Centre(hDlg, CKTWindowsManagerDlg::IDC_CLOSE_WINDOWS));
        // The last selected closes first: No to its question, Cancel to the next.
        input.Pause(400).Press('N').Pause(400).Press(VK_ESCAPE).Pause(400);
        input.Call([&, hDlg] {
            nListed =
                (int)::SendMessageW(::GetDlgItem(hDlg, CKTWindowsManagerDlg::IDC_WINDOWS_LIST), LB_GETCOUNT, 0, 0);
        });
        Click(input, Centre(hDlg, IDOK));
    });
    EXPECT_TRUE(IsOpen(L"Doc A"));
    EXPECT_TRUE(IsOpen(L"Doc B"));
    EXPECT_FALSE(IsOpen(L"Doc C"));
    EXPECT_EQ(2, nListed) << "the list shows what is still open";
}

TEST_F(WindowsDialogTest, SaveSavesTheDocumentsOfTheChosenWindowsAndKeepsTheDialogOpen)
{
    CDocumentChild* pA = OpenDocument(L"Doc A");
    CDocumentChild* pB = OpenDocument(L"Doc B");
    CDocumentChild* pC = OpenDocument(L"Doc C");
    BOOL bStillOpen = FALSE;
    RunDialog([&](UserInput& input, HWND hDlg) {
        SelectFirst(input, 2);
        Click(input, Centre(hDlg, CKTWindowsManagerDlg::IDC_SAVE));
        input.Call([&, hDlg] { bStillOpen = ::IsWindowVisible(hDlg); });
        Click(input, Centre(hDlg, IDOK));
    });
    EXPECT_TRUE(bStillOpen);
    EXPECT_EQ(1, pA->m_document.m_nSaves);
    EXPECT_EQ(1, pB->m_document.m_nSaves);
    EXPECT_EQ(0, pC->m_document.m_nSaves);
}

TEST_F(WindowsDialogTest, TilingTwoOfFourMinimizesTheOthersAndPutsTheAnimationBack)
{
    for (const wchar_t* pszTitle : {L"Doc A", L"Doc B", L"Doc C", L"Doc D"})
        OpenDocument(pszTitle);
    BOOL bAnimationAfter = -1;
    RunDialog([&](UserInput& input, HWND hDlg) {
        SelectFirst(input, 2);
        Click(input, Centre(hDlg, CKTWindowsManagerDlg::IDC_TILE_VERT));
        input.Call([&] {
            ANIMATIONINFO info = {sizeof(info), 0};
            ::SystemParametersInfoW(SPI_GETANIMATION, sizeof(info), &info, 0);
            bAnimationAfter = info.iMinAnimate;
        });
        input.Call(
            [hDlg] { ::RedrawWindow(hDlg, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW); });
        input.Pause(300).Call([hDlg] {
            RECT rect;
            ::GetWindowRect(hDlg, &rect);
            ::CreateDirectoryW(L"screenshots", nullptr);
            SaveScreenArea(L"screenshots\\windows_dialog.png", rect);
        });
        input.Press(VK_ESCAPE).Pause(100);
    });
    EXPECT_EQ(m_nAnimationBefore, bAnimationAfter) << "the animation setting is put back";
    EXPECT_TRUE(::IsIconic(Child(L"Doc C")));
    EXPECT_TRUE(::IsIconic(Child(L"Doc D")));
    ASSERT_FALSE(::IsIconic(Child(L"Doc A")));
    ASSERT_FALSE(::IsIconic(Child(L"Doc B")));
    // Tiled side by side: both as high as the client's space above the icons, one beside the other.
    CRect rectA, rectB;
    ::GetWindowRect(Child(L"Doc A"), &rectA);
    ::GetWindowRect(Child(L"Doc B"), &rectB);
    EXPECT_EQ(rectA.top, rectB.top);
    EXPECT_EQ(rectA.Height(), rectB.Height());
    EXPECT_TRUE(rectA.right <= rectB.left || rectB.right <= rectA.left);
}

TEST_F(WindowsDialogTest, HelpButtonShownWithTheFlagSendsTheHelpMessage)
{
    OpenDocument(L"Doc A");
    m_pFrame->EnableWindowsDialog(0xE130 + 15, L"&Windows...", FALSE, TRUE);
    BOOL bVisible = FALSE;
    RunDialog([&](UserInput& input, HWND hDlg) {
        input.Call([&, hDlg] { bVisible = Visible(hDlg, CKTWindowsManagerDlg::IDC_HELP_BUTTON); });
        Click(input, Centre(hDlg, CKTWindowsManagerDlg::IDC_HELP_BUTTON));
        input.Press(VK_F1).Pause(150);
        input.Press(VK_ESCAPE).Pause(100);
    });
    EXPECT_TRUE(bVisible);
    ASSERT_EQ(2u, m_pFrame->m_helpRequests.size()) << "the button and F1";
    EXPECT_NE(0, m_pFrame->m_helpRequests[0]);
}

// The user tools' list and its registry state, a tool run through the shell seam (no program
// runs), its icon on the clipboard, and the mouse manager's commands and their registry state.
#include "framework/Afx.h"
#include "tests/framework/windows/WindowsTestSupport.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/customize/KTCmdUsageCount.h"
#include "uitoolkit/customize/KTDialogMenuHelper.h"
#include "uitoolkit/customize/KTMouseManager.h"
#include "uitoolkit/customize/KTUserTool.h"
#include "uitoolkit/customize/KTUserToolsManager.h"
#include "uitoolkit/looks/KTUIGlobals.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace
{

const wchar_t kToolsKey[] = L"Software\\KestTests\\UserTools\\";
const wchar_t kMouseKey[] = L"Software\\KestTests\\MouseManager\\";
// Each manager keeps its value in a key of its own below the path it is given.
const wchar_t kToolsValueKey[] = L"Software\\KestTests\\UserTools\\KTUserToolsManager";
const wchar_t kMouseValueKey[] = L"Software\\KestTests\\MouseManager\\KTMouseManager";
const UINT kToolsEntry = 33100;
const UINT kFirstTool = 33110;
const UINT kLastTool = 33119;

struct ShellCall
{
    std::wstring operation, file, parameters, directory;
    int nShow;
};
std::vector<ShellCall> s_shellCalls;
INT_PTR s_shellAnswer = 42;

HINSTANCE WINAPI RecordShellExecute(HWND, LPCWSTR lpOperation, LPCWSTR lpFile, LPCWSTR lpParameters,
                                    LPCWSTR lpDirectory, INT nShowCmd)
{
    s_shellCalls.push_back({lpOperation != nullptr ? lpOperation : L"", lpFile != nullptr ? lpFile : L"",
                            lpParameters != nullptr ? lpParameters : L"", lpDirectory != nullptr ? lpDirectory : L"",
                            nShowCmd});
    return reinterpret_cast<HINSTANCE>(s_shellAnswer);
}

class UserToolsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pfnPrevious = CKTUserTool::m_pfnShellExecute;
        CKTUserTool::m_pfnShellExecute = &RecordShellExecute;
        s_shellCalls.clear();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KestTests\\UserTools");
        m_pManager = std::make_unique<CKTUserToolsManager>(kToolsEntry, kFirstTool, kLastTool);
    }
    void TearDown() override
    {
        m_pManager.reset();
        CKTUserTool::m_pfnShellExecute = m_pfnPrevious;
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KestTests\\UserTools");
    }
    std::vector<UINT> Ids() const
    {
        std::vector<UINT> ids;
        const CObList& tools = m_pManager->GetUserTools();
        for (POSITION pos = tools.GetHeadPosition(); pos != nullptr;)
            ids.push_back(static_cast<CKTUserTool*>(tools.GetNext(pos))->m_uiCmdId);
        return ids;
    }
    void WriteToolsValue(const std::vector<BYTE>& bytes)
    {
        HKEY hKey = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyW(HKEY_CURRENT_USER, kToolsValueKey, &hKey));
        ::RegSetValueExW(hKey, CKTUserToolsManager::m_pszValue, 0, REG_BINARY, bytes.data(),
                         static_cast<DWORD>(bytes.size()));
        ::RegCloseKey(hKey);
    }
    std::vector<BYTE> ReadToolsValue()
    {
        std::vector<BYTE> bytes(4096);
        DWORD nBytes = static_cast<DWORD>(bytes.size());
        HKEY hKey = nullptr;
        if (::RegOpenKeyW(HKEY_CURRENT_USER, kToolsValueKey, &hKey) != ERROR_SUCCESS)
            return {};
        ::RegQueryValueExW(hKey, CKTUserToolsManager::m_pszValue, nullptr, nullptr, bytes.data(), &nBytes);
        ::RegCloseKey(hKey);
        bytes.resize(nBytes);
        return bytes;
    }

    CKTUserTool::ShellExecuteFn m_pfnPrevious = nullptr;
    std::unique_ptr<CKTUserToolsManager> m_pManager;
};

} // namespace

TEST_F(UserToolsTest, TheManagerIsKnownWhileItLives)
{
    EXPECT_EQ(m_pManager.get(), g_pUserToolsManager);
    m_pManager.reset();
    EXPECT_EQ(nullptr, g_pUserToolsManager);
}

TEST_F(UserToolsTest, NewToolsTakeTheLowestFreeIdUntilTheRangeIsFull)
{
    ASSERT_EQ(10, m_pManager->GetMaxTools());
    for (int i = 0; i < 10; i++)
        ASSERT_NE(nullptr, m_pManager->CreateNewTool()) << i;
    EXPECT_EQ(kFirstTool, Ids().front());
    EXPECT_EQ(kLastTool, Ids().back());
    EXPECT_EQ(nullptr, m_pManager->CreateNewTool()) << "the range is full";
    EXPECT_EQ(10u, Ids().size());

    // The lowest id comes free: the next tool takes it, at the end of the list.
    ASSERT_TRUE(m_pManager->RemoveTool(m_pManager->FindTool(kFirstTool)));
    ASSERT_TRUE(m_pManager->RemoveTool(m_pManager->FindTool(kFirstTool + 4)));
    CKTUserTool* pTool = m_pManager->CreateNewTool();
    ASSERT_NE(nullptr, pTool);
    EXPECT_EQ(kFirstTool, pTool->m_uiCmdId);
    EXPECT_EQ(kFirstTool, Ids().back());
    EXPECT_EQ(kFirstTool + 4, m_pManager->CreateNewTool()->m_uiCmdId);

    CKTUserTool stranger;
    EXPECT_FALSE(m_pManager->RemoveTool(&stranger));
    EXPECT_EQ(nullptr, m_pManager->FindTool(kFirstTool - 1)) << "outside the range";
    EXPECT_EQ(nullptr, m_pManager->FindTool(kLastTool + 1)) << "outside the range";
}

TEST_F(UserToolsTest, MovingStopsAtTheEnds)
{
    CKTUserTool* pA = m_pManager->CreateNewTool();
    CKTUserTool* pB = m_pManager->CreateNewTool();
    CKTUserTool* pC = m_pManager->CreateNewTool();
    EXPECT_FALSE(m_pManager->MoveToolUp(pA));
    EXPECT_FALSE(m_pManager->MoveToolDown(pC));
    EXPECT_TRUE(m_pManager->MoveToolUp(pC));
    EXPECT_EQ((std::vector<UINT>{pA->m_uiCmdId, pC->m_uiCmdId, pB->m_uiCmdId}), Ids());
    EXPECT_TRUE(m_pManager->MoveToolDown(pA));
    EXPECT_EQ((std::vector<UINT>{pC->m_uiCmdId, pA->m_uiCmdId, pB->m_uiCmdId}), Ids());
    CKTUserTool stranger;
    EXPECT_FALSE(m_pManager->MoveToolUp(&stranger));
    EXPECT_FALSE(m_pManager->MoveToolDown(&stranger));
}

TEST_F(UserToolsTest, ARemovedToolLeavesNoButtonOnTheToolbars)
{
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(nullptr, L"Tools", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 500, 300)));
    const HWND hFrame = pFrame->GetSafeHwnd();
    {
        CKTToolBar bar;
        ASSERT_TRUE(bar.Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR));
        CKTUserTool* pKept = m_pManager->CreateNewTool();
        CKTUserTool* pGone = m_pManager->CreateNewTool();
        const UINT uiGone = pGone->m_uiCmdId;
        bar.InsertButton(CKTToolbarButton(uiGone, -1, L"Gone"));
        bar.InsertButton(CKTToolbarButton(pKept->m_uiCmdId, -1, L"Kept"));
        bar.InsertButton(CKTToolbarButton(uiGone, -1, L"Gone again"));
        ASSERT_EQ(3, bar.GetCount());
        ASSERT_TRUE(m_pManager->RemoveTool(pGone));
        ASSERT_EQ(1, bar.GetCount());
        EXPECT_EQ(pKept->m_uiCmdId, bar.GetButton(0)->m_nID);
        bar.DestroyWindow();
    }
    ::DestroyWindow(hFrame);
    PumpAndIdle();
}

TEST_F(UserToolsTest, AToolRunsOnlyWhenTheShellAnswersAboveThirtyTwo)
{
    CKTUserTool* pTool = m_pManager->CreateNewTool();
    EXPECT_FALSE(m_pManager->InvokeTool(pTool->m_uiCmdId)) << "an empty path runs nothing";
    EXPECT_TRUE(s_shellCalls.empty());

    pTool->SetCommand(L"C:\\Tools\\report.exe");
    pTool->m_strArguments = L"/q $(File)";
    pTool->m_strInitialDirectory = L"C:\\Work";
    const struct
    {
        INT_PTR answer;
        BOOL bRan;
    } cases[] = {
        {0, FALSE}, {2, FALSE}, {31, FALSE}, {32, FALSE}, {33, TRUE}, {42, TRUE},
    };
    for (const auto& c : cases)
    {
        s_shellCalls.clear();
        s_shellAnswer = c.answer;
        EXPECT_EQ(c.bRan, m_pManager->InvokeTool(pTool->m_uiCmdId)) << c.answer;
        ASSERT_EQ(1u, s_shellCalls.size());
        EXPECT_EQ(L"open", s_shellCalls[0].operation);
        EXPECT_EQ(L"C:\\Tools\\report.exe", s_shellCalls[0].file);
        EXPECT_EQ(L"/q $(File)", s_shellCalls[0].parameters);
        EXPECT_EQ(L"C:\\Work", s_shellCalls[0].directory);
        EXPECT_EQ(SW_SHOWNORMAL, s_shellCalls[0].nShow);
    }
    s_shellAnswer = 42;
    EXPECT_FALSE(m_pManager->InvokeTool(kLastTool)) << "no tool has the id";
}

TEST_F(UserToolsTest, TheToolsEntryIsNeverCountedWhileAManagerLives)
{
    CKTCmdUsageCount counter;
    counter.AddCmd(kToolsEntry);
    counter.AddCmd(kFirstTool);
    EXPECT_EQ(0u, counter.GetCount(kToolsEntry));
    EXPECT_EQ(1u, counter.GetCount(kFirstTool)) << "the tools themselves are counted";
    m_pManager.reset();
    counter.AddCmd(kToolsEntry);
    EXPECT_EQ(1u, counter.GetCount(kToolsEntry)) << "without a manager it is a command like any other";
}

TEST_F(UserToolsTest, ADialogsMenuCommandRunsItsToolAndNothingElse)
{
    CKTUserTool* pTool = m_pManager->CreateNewTool();
    pTool->SetCommand(L"C:\\Tools\\report.exe");
    CWnd dialog;
    CKTDialogMenuHelper helper(&dialog);
    struct Case
    {
        WPARAM wParam;
        BOOL bHandled;
        size_t nRuns;
    };
    const Case cases[] = {
        {MAKEWPARAM(pTool->m_uiCmdId, 1), TRUE, 1},  // from a menu: the tool runs
        {MAKEWPARAM(pTool->m_uiCmdId, 0), FALSE, 0}, // a control's notification is not a command
        {MAKEWPARAM(kLastTool, 1), FALSE, 0},        // no tool has the id
        {MAKEWPARAM(100, 1), FALSE, 0},              // not a tool
    };
    for (const Case& c : cases)
    {
        s_shellCalls.clear();
        EXPECT_EQ(c.bHandled, helper.FilterCommand(c.wParam, 0)) << std::hex << c.wParam;
        EXPECT_EQ(c.nRuns, s_shellCalls.size()) << std::hex << c.wParam;
    }
}

TEST_F(UserToolsTest, AProgramNotOnTheSearchPathShowsTheDefaultIcon)
{
    ASSERT_NE(nullptr, CKTUserTool::GetDefaultIcon()) << "the default icon is a resource";
    CKTUserTool* pTool = m_pManager->CreateNewTool();
    pTool->SetCommand(L"no-such-program-anywhere.exe");
    EXPECT_EQ(CKTUserTool::GetDefaultIcon(), pTool->GetIcon());
    pTool->SetCommand(L"");
    EXPECT_EQ(CKTUserTool::GetDefaultIcon(), pTool->GetIcon());
}

// The tool's icon goes to the clipboard as a small-icon bitmap on the button face; while another
// thread holds the clipboard the user is told and the answer is FALSE.
TEST_F(UserToolsTest, TheIconGoesToTheClipboardOnTheButtonFace)
{
    CKTUserTool* pTool = m_pManager->CreateNewTool();
    pTool->SetCommand(L"no-such-program-anywhere.exe");
    ASSERT_NE(nullptr, pTool->GetIcon());
    TestApp().m_messageBoxes.clear();
    ASSERT_TRUE(pTool->CopyIconToClipboard());
    EXPECT_TRUE(TestApp().m_messageBoxes.empty());

    const int cx = ::GetSystemMetrics(SM_CXSMICON);
    const int cy = ::GetSystemMetrics(SM_CYSMICON);
    // The icon over black and over white: pixels equal in both are the icon's own, pixels that
    // take the background are clear.
    std::vector<COLORREF> onBlack, onWhite;
    HDC hScreen = ::GetDC(nullptr);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    for (COLORREF background : {RGB(0, 0, 0), RGB(255, 255, 255)})
    {
        HBITMAP hbm = ::CreateCompatibleBitmap(hScreen, cx, cy);
        HGDIOBJ hOld = ::SelectObject(hMem, hbm);
        HBRUSH hBrush = ::CreateSolidBrush(background);
        RECT rect = {0, 0, cx, cy};
        ::FillRect(hMem, &rect, hBrush);
        ::DeleteObject(hBrush);
        ::DrawIconEx(hMem, 0, 0, pTool->GetIcon(), cx, cy, 0, nullptr, DI_NORMAL);
        for (int y = 0; y < cy; y++)
            for (int x = 0; x < cx; x++)
                (background == 0 ? onBlack : onWhite).push_back(::GetPixel(hMem, x, y));
        ::SelectObject(hMem, hOld);
        ::DeleteObject(hbm);
    }

    ASSERT_TRUE(::OpenClipboard(nullptr));
    HBITMAP hCopied = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
    ASSERT_NE(nullptr, hCopied);
    BITMAP bm = {};
    ASSERT_NE(0, ::GetObjectW(hCopied, sizeof(bm), &bm));
    EXPECT_EQ(cx, bm.bmWidth);
    EXPECT_EQ(cy, bm.bmHeight);
    HGDIOBJ hOld = ::SelectObject(hMem, hCopied);
    int nIcon = 0, nFace = 0, nWrong = 0;
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
        {
            const size_t i = static_cast<size_t>(y * cx + x);
            const COLORREF copied = ::GetPixel(hMem, x, y);
            if (onBlack[i] == onWhite[i])
            {
                nIcon++;
                nWrong += copied != onBlack[i] ? 1 : 0;
            }
            else if (onBlack[i] == RGB(0, 0, 0) && onWhite[i] == RGB(255, 255, 255))
            {
                nFace++;
                nWrong += copied != ktGlobals.m_colorFace ? 1 : 0;
            }
        }
    ::SelectObject(hMem, hOld);
    ::CloseClipboard();
    ::DeleteDC(hMem);
    ::ReleaseDC(nullptr, hScreen);
    EXPECT_GT(nIcon, 20);
    EXPECT_GT(nFace, 0);
    EXPECT_EQ(0, nWrong);

    std::atomic<bool> bHeld{false}, bRelease{false};
    std::thread holder([&] {
        // A window of its own: the clipboard tells holders apart by their windows.
        HWND hHolder =
            ::CreateWindowExW(0, L"STATIC", L"holder", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        const BOOL bOpened = ::OpenClipboard(hHolder);
        bHeld = true;
        while (bOpened && !bRelease)
            ::Sleep(10);
        if (bOpened)
            ::CloseClipboard();
        ::DestroyWindow(hHolder);
    });
    while (!bHeld)
        ::Sleep(10);
    EXPECT_FALSE(pTool->CopyIconToClipboard());
    EXPECT_EQ(std::vector<std::wstring>{L"Can't copy bitmap image into the clipboard!"}, TestApp().m_messageBoxes);
    bRelease = true;
    holder.join();
}

TEST_F(UserToolsTest, ToolsGoToTheRegistryAndComeBack)
{
    CKTUserTool* pA = m_pManager->CreateNewTool();
    pA->m_strLabel = L"&Report";
    pA->SetCommand(L"C:\\Tools\\report.exe");
    pA->m_strArguments = L"/q";
    pA->m_strInitialDirectory = L"C:\\Work";
    CKTUserTool* pB = m_pManager->CreateNewTool();
    pB->m_strLabel = L"Notes";
    ASSERT_TRUE(m_pManager->SaveState(kToolsKey));

    CKTUserToolsManager loaded(kToolsEntry, kFirstTool, kLastTool);
    ASSERT_TRUE(loaded.LoadState(kToolsKey));
    ASSERT_EQ(2, loaded.GetUserTools().GetCount());
    const CKTUserTool* pLoaded = loaded.FindTool(kFirstTool);
    ASSERT_NE(nullptr, pLoaded);
    EXPECT_EQ(CString(L"&Report"), pLoaded->m_strLabel);
    EXPECT_EQ(CString(L"C:\\Tools\\report.exe"), pLoaded->GetCommand());
    EXPECT_EQ(CString(L"/q"), pLoaded->m_strArguments);
    EXPECT_EQ(CString(L"C:\\Work"), pLoaded->m_strInitialDirectory);
    EXPECT_EQ(CString(L"Notes"), loaded.FindTool(kFirstTool + 1)->m_strLabel);

    CKTUserToolsManager missing(kToolsEntry, kFirstTool, kLastTool);
    EXPECT_FALSE(missing.LoadState(L"Software\\KestTests\\UserTools\\Nowhere\\"));
}

TEST_F(UserToolsTest, ADamagedToolsValueFailsTheLoadAndLeavesNoTools)
{
    m_pManager->CreateNewTool()->m_strLabel = L"One";
    m_pManager->CreateNewTool()->m_strLabel = L"Two";
    ASSERT_TRUE(m_pManager->SaveState(kToolsKey));
    const std::vector<BYTE> stored = ReadToolsValue();
    ASSERT_GT(stored.size(), 4u);
    // The list's count is the first word of the value.
    ASSERT_EQ(2, stored[0]);
    const struct
    {
        const char* name;
        std::vector<BYTE> value;
    } cases[] = {
        {"count far beyond the bytes",
         [&] {
             std::vector<BYTE> v = stored;
             v[0] = 0xFE;
             v[1] = 0xFF;
             return v;
         }()},
        {"count of a long list",
         [&] {
             std::vector<BYTE> v = stored;
             v[0] = 0xFF;
             v[1] = 0xFF;
             v.insert(v.begin() + 2, {0xFF, 0xFF, 0xFF, 0x7F});
             return v;
         }()},
        {"one tool too many",
         [&] {
             std::vector<BYTE> v = stored;
             v[0] = 3;
             return v;
         }()},
        {"cut short", std::vector<BYTE>(stored.begin(), stored.begin() + static_cast<long>(stored.size() / 2))},
        {"empty", {}},
    };
    for (const auto& c : cases)
    {
        WriteToolsValue(c.value);
        CKTUserToolsManager loaded(kToolsEntry, kFirstTool, kLastTool);
        loaded.CreateNewTool();
        EXPECT_FALSE(loaded.LoadState(kToolsKey)) << c.name;
        EXPECT_EQ(0, loaded.GetUserTools().GetCount()) << c.name;
    }
}

namespace
{
// A mouse manager with views, as an application that has views would give it.
class CViewsMouseManager : public CKTMouseManager
{
public:
    void AddView(int iId, LPCTSTR lpszName, UINT uiIcon)
    {
        m_ViewsNames.SetAt(lpszName, iId);
        if (uiIcon != 0)
            m_ViewsToIcons.SetAt(iId, uiIcon);
    }
};

class MouseManagerTest : public ::testing::Test
{
protected:
    void SetUp() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KestTests\\MouseManager"); }
    void TearDown() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KestTests\\MouseManager"); }
    static void WriteMouseValue(const std::vector<BYTE>& bytes)
    {
        HKEY hKey = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyW(HKEY_CURRENT_USER, kMouseValueKey, &hKey));
        ::RegSetValueExW(hKey, CKTMouseManager::m_pszValue, 0, REG_BINARY, bytes.data(),
                         static_cast<DWORD>(bytes.size()));
        ::RegCloseKey(hKey);
    }
};
} // namespace

TEST_F(MouseManagerTest, CommandZeroRemovesTheViewsEntry)
{
    CViewsMouseManager manager;
    EXPECT_EQ(&manager, g_pMouseManager);
    manager.AddView(3, L"Pages", 0);
    EXPECT_EQ(0u, manager.GetViewDblClickCommand(3));
    manager.SetCommandForDblClick(3, 32771);
    EXPECT_EQ(32771u, manager.GetViewDblClickCommand(3));
    manager.SetCommandForDblClick(3, 0);
    EXPECT_EQ(0u, manager.GetViewDblClickCommand(3));
    EXPECT_EQ(3, manager.GetViewIdByName(L"Pages"));
    EXPECT_EQ(-1, manager.GetViewIdByName(L"pages")) << "names compare with case";
    EXPECT_EQ(0u, manager.GetViewIconId(3));
}

TEST_F(MouseManagerTest, ThreeEntriesGoToTheRegistryAndReplaceWhatWasThere)
{
    CKTMouseManager stored;
    stored.SetCommandForDblClick(1, 100);
    stored.SetCommandForDblClick(2, 200);
    stored.SetCommandForDblClick(-7, 0xFFFF0001);
    ASSERT_TRUE(stored.SaveState(kMouseKey));

    CKTMouseManager loaded;
    loaded.SetCommandForDblClick(5, 500);
    loaded.SetCommandForDblClick(1, 999);
    ASSERT_TRUE(loaded.LoadState(kMouseKey));
    EXPECT_EQ(100u, loaded.GetViewDblClickCommand(1));
    EXPECT_EQ(200u, loaded.GetViewDblClickCommand(2));
    EXPECT_EQ(0xFFFF0001u, loaded.GetViewDblClickCommand(-7));
    EXPECT_EQ(0u, loaded.GetViewDblClickCommand(5)) << "loading replaces the entries";

    // The stored form: the count, then pairs of view id and command.
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CKTMouseManager one;
        one.SetCommandForDblClick(4, 0x1234);
        one.Serialize(ar);
        ar.Close();
    }
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    EXPECT_EQ((std::vector<BYTE>{1, 0, 0, 0, 4, 0, 0, 0, 0x34, 0x12, 0, 0}), bytes);
}

TEST_F(MouseManagerTest, ACorruptValueFailsTheLoadAndKeepsTheCommands)
{
    const struct
    {
        const char* name;
        std::vector<BYTE> value;
    } cases[] = {
        {"huge count", {0xFF, 0xFF, 0xFF, 0x7F, 1, 0, 0, 0, 2, 0, 0, 0}},
        {"negative count", {0xFF, 0xFF, 0xFF, 0xFF}},
        {"one entry too many", {2, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0}},
        {"cut in an entry", {1, 0, 0, 0, 1, 0, 0}},
        {"shorter than a count", {1, 0}},
    };
    for (const auto& c : cases)
    {
        WriteMouseValue(c.value);
        CKTMouseManager manager;
        manager.SetCommandForDblClick(9, 900);
        EXPECT_FALSE(manager.LoadState(kMouseKey)) << c.name;
        EXPECT_EQ(900u, manager.GetViewDblClickCommand(9)) << c.name;
    }
    CKTMouseManager manager;
    EXPECT_FALSE(manager.LoadState(L"Software\\KestTests\\MouseManager\\Nowhere\\")) << "a missing key";
}

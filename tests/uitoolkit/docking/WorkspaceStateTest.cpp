// The workspace saves a frame's whole layout and brings it back at the next start, under the
// registry names of the saved state; damaged or foreign saved values never stop a start and cost
// only the item they belong to.
#include "WorkspaceFixture.h"

#include "framework/AfxException.h"
#include "uitoolkit/bars/KTFrameImpl.h"
#include "uitoolkit/customize/KTKeyboardManager.h"
#include "uitoolkit/looks/KTRegistry.h"

#include <algorithm>
#include <functional>

namespace
{

const UINT kLeft = AFX_IDW_DOCKBAR_LEFT;
const UINT kBottom = AFX_IDW_DOCKBAR_BOTTOM;

CString SizingBarKey(const CControlBar* pBar)
{
    CString strKey;
    strKey.Format(L"%s\\SizingBars-SCBar-%d", WorkspaceTest::kSection, pBar->GetDlgCtrlID());
    return GetRegistryPath(strKey);
}

CString DockSummaryKey()
{
    return GetRegistryPath(CString(WorkspaceTest::kSection) + L"\\ControlBars-Summary");
}

using WorkspaceStateTest = WorkspaceTest;

} // namespace

TEST_F(WorkspaceStateTest, ALayoutSetUpByHandComesBackAtTheNextStart)
{
    CreateDefaultBars();
    ArrangeByHand();
    const std::string arranged = Describe();
    ASSERT_NE(arranged.find("A: left"), std::string::npos) << arranged;
    ASSERT_NE(arranged.find("expanded"), std::string::npos) << arranged;
    ASSERT_NE(arranged.find("C: floating"), std::string::npos) << arranged;
    ASSERT_NE(arranged.find("rolled"), std::string::npos) << arranged;
    ASSERT_NE(arranged.find("D: bottom"), std::string::npos) << arranged;
    ASSERT_NE(arranged.find("T1: floating"), std::string::npos) << arranged;
    Picture(L"workspace-arranged.bmp");
    ASSERT_TRUE(Save());
    Bar('A')->ToggleExpand(TRUE);
    Layout();
    const std::string contracted = Describe();
    EXPECT_EQ(m_pWorkspace->m_calls,
              (std::vector<std::string>{"before save", "save parameters", "save toolbar " + std::to_string(0xE901),
                                        "save user toolbars", "save tear-off bars", "after save"}));

    DWORD dwMajor = 0;
    DWORD dwMinor = 0;
    EXPECT_TRUE(ReadRegInt(SectionPath(L"KTControlBarVersion"), L"Major", &dwMajor));
    EXPECT_TRUE(ReadRegInt(SectionPath(L"KTControlBarVersion"), L"Minor", &dwMinor));
    EXPECT_EQ(dwMajor, 6u);
    EXPECT_EQ(dwMinor, 3u);
    EXPECT_TRUE(RegKeyExists(DockSummaryKey()));
    DWORD dwExpanded = 0;
    EXPECT_TRUE(ReadRegInt(SizingBarKey(Bar('A')), L"Expanded", &dwExpanded));
    EXPECT_EQ(dwExpanded, 1u);

    Restart();
    ASSERT_NE(Describe(), arranged);
    m_pWorkspace->m_calls.clear();
    EXPECT_TRUE(Load());
    EXPECT_EQ(m_pWorkspace->m_calls,
              (std::vector<std::string>{"before load", "parameters", "toolbar " + std::to_string(0xE901),
                                        "user toolbars", "tear-off bars", "after load"}));
    EXPECT_EQ(Describe(), arranged);
    Picture(L"workspace-restored.bmp");
    Bar('A')->ToggleExpand(TRUE);
    Layout();
    EXPECT_EQ(Describe(), contracted) << "the sizes kept while the row was expanded";
}

TEST_F(WorkspaceStateTest, SavingDisabledWritesNothing)
{
    CreateDefaultBars();
    m_pWorkspace->m_bSaveState = FALSE;
    EXPECT_FALSE(Save());
    EXPECT_FALSE(RegKeyExists(SectionPath()));
    EXPECT_TRUE(m_pWorkspace->m_calls.empty());
}

TEST_F(WorkspaceStateTest, TheVersionReadsAsStoredWhileLoadingAndAsTheCurrentOneAfter)
{
    struct Case
    {
        const char* name;
        int nStoredMajor; // -1: not stored
        int nStoredMinor;
        int nExpectedMajor;
        int nExpectedMinor;
    };
    const Case cases[] = {
        {"none stored", -1, -1, -1, -1},
        {"an older one", 4, 71, 4, 71},
        {"only the major number", 5, -1, 5, -1},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        Restart();
        CKTRegistry(FALSE, FALSE).DeleteKey(SectionPath());
        if (c.nStoredMajor >= 0)
            WriteRegInt(SectionPath(L"KTControlBarVersion"), L"Major", c.nStoredMajor);
        if (c.nStoredMinor >= 0)
            WriteRegInt(SectionPath(L"KTControlBarVersion"), L"Minor", c.nStoredMinor);
        EXPECT_TRUE(Load());
        EXPECT_EQ(m_pWorkspace->m_nMajorSeen, c.nExpectedMajor);
        EXPECT_EQ(m_pWorkspace->m_versionSeenByButtons.m_nMajor, c.nExpectedMajor) << "what buttons read";
        EXPECT_EQ(m_pWorkspace->m_versionSeenByButtons.m_nMinor, c.nExpectedMinor);
        EXPECT_EQ(m_pWorkspace->m_nMinorSeen, c.nExpectedMinor);
        EXPECT_EQ(m_pWorkspace->GetDataVersionMajor(), 6);
        EXPECT_EQ(m_pWorkspace->GetDataVersionMinor(), 3);
    }
}

TEST_F(WorkspaceStateTest, ADockStateNamingABarTheFrameLacksIsIgnoredWhole)
{
    CreateDefaultBars();
    ArrangeByHand();
    ASSERT_TRUE(Save());

    // B, docked when saved, is gone from the program: the bars keep their first layout...
    Restart("ACD");
    const std::string leftAsCreated = Rows(kLeft);
    EXPECT_TRUE(Load());
    EXPECT_EQ(Rows(kLeft), leftAsCreated);
    EXPECT_EQ(Rows(kBottom), "");
    EXPECT_TRUE(Bar('D')->IsWindowVisible());

    // ...unless the program asks for the saved state regardless.
    Restart("ACD");
    m_pWorkspace->m_bForceDockStateLoad = TRUE;
    EXPECT_TRUE(Load());
    EXPECT_NE(Rows(kBottom).find('D'), std::string::npos);
    EXPECT_FALSE(Bar('D')->IsWindowVisible());
    EXPECT_NE(FloatingFrameOf(Bar('C')), nullptr);
}

TEST_F(WorkspaceStateTest, ChangedToolbarResourcesResetEveryToolbarsImages)
{
    struct Case
    {
        const char* name;
        BOOL bSmartUpdate;
        BOOL bForceReset;
        BOOL bResourceChanged;
        int nExpectedResets;
        BOOL bExpectedMappingWhileLoading;
    };
    const Case cases[] = {
        {"resources unchanged", TRUE, FALSE, FALSE, 0, FALSE},
        {"a toolbar's resource changed", TRUE, FALSE, TRUE, 1, FALSE},
        {"changes not tracked", FALSE, FALSE, TRUE, 0, TRUE},
        {"reset asked for", FALSE, TRUE, FALSE, 1, TRUE},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        Restart();
        AddToolBar(2);
        Layout();
        m_pWorkspace->SetResourceSmartUpdate(c.bSmartUpdate);
        m_pWorkspace->m_bForceImageReset = c.bForceReset;
        m_pWorkspace->m_onLoadToolBar = [&](CKTToolBar* pBar) {
            if (pBar == ToolBar(2))
                pBar->m_bResourceWasChanged = c.bResourceChanged;
        };
        EXPECT_TRUE(Load());
        EXPECT_EQ(ToolBar(1)->m_nResets, c.nExpectedResets);
        EXPECT_EQ(ToolBar(2)->m_nResets, c.nExpectedResets);
        ASSERT_EQ(m_pWorkspace->m_mappingWhileLoading.size(), 2u);
        EXPECT_EQ(m_pWorkspace->m_mappingWhileLoading[0], c.bExpectedMappingWhileLoading);
        EXPECT_TRUE(CKTToolbarButton::m_bUpdateImages);
    }
}

TEST_F(WorkspaceStateTest, CleanStateRemovesEverySavedSectionSoTheBarsStayAsCreated)
{
    CreateDefaultBars();
    ArrangeByHand();
    ASSERT_TRUE(Save());
    ASSERT_TRUE(m_pWorkspace->StoreWindowPlacement(CRect(10, 20, 610, 420), 0, SW_SHOWMAXIMIZED));
    const CString otherSection = GetRegistryPath(L"WorkspaceTestNeighbour");
    WriteRegInt(otherSection, L"Kept", 1);

    EXPECT_TRUE(m_pWorkspace->CleanState());
    EXPECT_FALSE(RegKeyExists(SectionPath()));
    EXPECT_FALSE(RegKeyExists(DockSummaryKey()));
    EXPECT_FALSE(RegKeyExists(SizingBarKey(Bar('A'))));
    EXPECT_TRUE(RegKeyExists(otherSection));

    Restart();
    const std::string asCreated = Describe();
    EXPECT_TRUE(Load());
    EXPECT_EQ(Describe(), asCreated);
    CRect rect;
    int nFlags = 0;
    int nShowCmd = 0;
    EXPECT_FALSE(m_pWorkspace->LoadWindowPlacement(rect, nFlags, nShowCmd));
    CKTRegistry(FALSE, FALSE).DeleteKey(otherSection);
}

TEST_F(WorkspaceStateTest, WithThisFrameOnlyTheBarsOfAnotherFrameAreLeftAlone)
{
    CreateDefaultBars("A");
    CRecordingFrame* pOther = new CRecordingFrame;
    ASSERT_TRUE(pOther->Create(nullptr, L"Other frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(100, 100, 500, 400)));
    EnableFrameDocking(pOther, CBRS_ALIGN_ANY);
    CTestSizingBar otherSizingBar;
    ASSERT_TRUE(otherSizingBar.Create(L"Bar E", pOther, CSize(120, 120), TRUE, 0xE815));
    otherSizingBar.EnableDocking(CBRS_ALIGN_ANY);
    pOther->DockControlBar(&otherSizingBar, kLeft);
    CCountingToolBar otherToolBar;
    ASSERT_TRUE(otherToolBar.Create(pOther, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE902));
    pOther->RecalcLayout();

    for (BOOL bFrameOnly : {TRUE, FALSE})
    {
        SCOPED_TRACE(bFrameOnly ? "this frame only" : "every frame");
        CKTRegistry(FALSE, FALSE).DeleteKey(SectionPath());
        m_pWorkspace->m_calls.clear();
        m_pWorkspace->m_bLoadSaveFrameBarsOnly = bFrameOnly;
        ASSERT_TRUE(Save());
        EXPECT_TRUE(RegKeyExists(SizingBarKey(Bar('A'))));
        EXPECT_EQ(RegKeyExists(SizingBarKey(&otherSizingBar)), !bFrameOnly);
        const auto& calls = m_pWorkspace->m_calls;
        const std::string saveOther = "save toolbar " + std::to_string(0xE902);
        EXPECT_EQ(std::count(calls.begin(), calls.end(), saveOther), bFrameOnly ? 0 : 1);
        EXPECT_EQ(std::count(calls.begin(), calls.end(), std::string("save user toolbars (frame only)")),
                  bFrameOnly ? 1 : 0);

        m_pWorkspace->m_calls.clear();
        EXPECT_TRUE(Load());
        const std::string loadOther = "toolbar " + std::to_string(0xE902);
        EXPECT_EQ(std::count(calls.begin(), calls.end(), loadOther), bFrameOnly ? 0 : 1);
    }
    pOther->DestroyWindow();
    PumpAndIdle();
}

TEST_F(WorkspaceStateTest, DamagedSavedValuesStartWithTheirDefaultsAndTheRestLoads)
{
    struct Case
    {
        const char* name;
        std::function<void(WorkspaceTest&)> damage;
        std::function<void(WorkspaceTest&)> check;
    };
    const int cxScreen = ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const Case cases[] = {
        {"a toolbar whose saved buttons cannot be read",
         [](WorkspaceTest& t) {
             t.m_pWorkspace->m_onLoadToolBar = [&t](CKTToolBar* pBar) {
                 if (pBar == t.ToolBar(1))
                     AfxThrowArchiveException(CArchiveException::endOfFile);
             };
         },
         [](WorkspaceTest& t) {
             EXPECT_EQ(t.m_pWorkspace->m_calls.back(), "after load");
             EXPECT_NE(t.Rows(kBottom).find('D'), std::string::npos) << "the dock state still applied";
         }},
        {"a tear-off bar of another class", nullptr,
         [](WorkspaceTest& t) { EXPECT_NE(t.Rows(kBottom).find('D'), std::string::npos); }},
        {"a dock state claiming a huge number of bars",
         [](WorkspaceTest&) { WriteRegInt(DockSummaryKey(), L"Bars", 0x7fffffff); },
         [](WorkspaceTest& t) {
             EXPECT_EQ(t.Rows(kBottom), "");
             EXPECT_EQ(t.Bar('A')->GetVertSize().cx, 140) << "the sizing bars still loaded";
         }},
        {"a huge saved width",
         [](WorkspaceTest& t) { WriteRegInt(SizingBarKey(t.Bar('A')), L"sizeHorzCX", 2147483647); },
         [cxScreen](WorkspaceTest& t) { EXPECT_EQ(t.Bar('A')->GetHorzSize().cx, cxScreen); }},
        {"a saved width below the minimum",
         [](WorkspaceTest& t) { WriteRegInt(SizingBarKey(t.Bar('A')), L"sizeHorzCX", 10); },
         [](WorkspaceTest& t) { EXPECT_EQ(t.Bar('A')->GetHorzSize().cx, t.Bar('A')->GetMinSize().cx); }},
        {"a floating frame saved far off every screen",
         [](WorkspaceTest&) {
             for (int n = 0; n < 32; ++n)
             {
                 CString strRecord;
                 strRecord.Format(L"%s\\ControlBars-Bar%d", WorkspaceTest::kSection, n);
                 const CString path = GetRegistryPath(strRecord);
                 DWORD dwFloating = 0;
                 if (ReadRegInt(path, L"Floating", &dwFloating) && dwFloating != 0)
                 {
                     WriteRegInt(path, L"XPos", 0x7fffffff);
                     WriteRegInt(path, L"YPos", 0x7fffffff);
                 }
             }
         },
         [](WorkspaceTest& t) {
             CKTMiniDockFrameWnd* pFloating = t.FloatingFrameOf(t.Bar('C'));
             ASSERT_NE(pFloating, nullptr);
             CRect rectFrame;
             pFloating->GetWindowRect(&rectFrame);
             const CRect rectScreen(0, 0, ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                                    ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
             CRect rectSeen;
             EXPECT_TRUE(rectSeen.IntersectRect(rectFrame, rectScreen)) << "reachable on the screen";
         }},
        {"a version that is not a number",
         [](WorkspaceTest& t) {
             const BYTE garbage[] = {1, 2, 3};
             WriteRegBinary(t.SectionPath(L"KTControlBarVersion"), L"Major", garbage, sizeof(garbage));
         },
         [](WorkspaceTest& t) { EXPECT_EQ(t.m_pWorkspace->m_nMajorSeen, -1); }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        Restart();
        Bar('A')->SetVertSize(CSize(140, 200));
        m_pFrame->DockControlBar(Bar('D'), kBottom);
        m_pFrame->FloatControlBar(Bar('C'), CPoint(500, 300));
        Layout();
        ASSERT_TRUE(Save());
        Restart();
        if (c.damage)
            c.damage(*this);
        m_pWorkspace->m_calls.clear();
        CTestWorkspaceFrame frame(m_pFrame, m_pWorkspace->m_calls);
        frame.m_bTearOffThrows = std::string(c.name) == "a tear-off bar of another class";
        EXPECT_TRUE(m_pWorkspace->LoadFrameState(nullptr, &frame));
        Layout();
        EXPECT_TRUE(CKTToolbarButton::m_bUpdateImages);
        EXPECT_EQ(m_pWorkspace->GetDataVersionMajor(), 6);
        c.check(*this);
    }
}

TEST_F(WorkspaceStateTest, TheWindowPlacementComesBackOnlyWhenWholeAndPlausible)
{
    ASSERT_TRUE(
        m_pWorkspace->StoreWindowPlacement(CRect(-300, 20, 500, 620), WPF_RESTORETOMAXIMIZED, SW_SHOWMAXIMIZED));
    CRect rect;
    int nFlags = 0;
    int nShowCmd = 0;
    ASSERT_TRUE(m_pWorkspace->LoadWindowPlacement(rect, nFlags, nShowCmd));
    EXPECT_EQ(rect, CRect(-300, 20, 500, 620));
    EXPECT_EQ(nFlags, WPF_RESTORETOMAXIMIZED);
    EXPECT_EQ(nShowCmd, SW_SHOWMAXIMIZED);

    struct Case
    {
        const char* name;
        const wchar_t* value;
        std::vector<LONG> rect; // empty: the value is deleted
    };
    const Case cases[] = {
        {"rectangle missing", L"MainWindowRect", {}},
        {"show command missing", L"ShowCmd", {}},
        {"rectangle truncated", L"MainWindowRect", {10, 20, 300}},
        {"rectangle inside out", L"MainWindowRect", {500, 20, 100, 400}},
        {"rectangle beyond any screen", L"MainWindowRect", {0, 0, 2147483647, 400}},
    };
    const CString key = SectionPath(L"WindowPlacement");
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(m_pWorkspace->StoreWindowPlacement(CRect(10, 20, 610, 420), 0, SW_SHOWNORMAL));
        if (c.rect.empty())
        {
            HKEY hKey = nullptr;
            ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_WRITE, &hKey), ERROR_SUCCESS);
            ::RegDeleteValueW(hKey, c.value);
            ::RegCloseKey(hKey);
        }
        else
            WriteRegBinary(key, c.value, c.rect.data(), static_cast<DWORD>(c.rect.size() * sizeof(LONG)));
        CRect rectOut(1, 2, 3, 4);
        int nFlagsOut = 7;
        int nShowOut = 8;
        EXPECT_FALSE(m_pWorkspace->LoadWindowPlacement(rectOut, nFlagsOut, nShowOut));
        EXPECT_EQ(rectOut, CRect(1, 2, 3, 4));
        EXPECT_EQ(nFlagsOut, 7);
        EXPECT_EQ(nShowOut, 8);
    }
}

TEST_F(WorkspaceStateTest, TheSectionPathAndTheWorkspacePointer)
{
    EXPECT_EQ(GetWorkspace(), m_pWorkspace.get());
    EXPECT_EQ(m_pWorkspace->GetRegSectionPath(), GetRegistryPath(kSection));
    EXPECT_EQ(m_pWorkspace->GetRegSectionPath(L"Sub"), GetRegistryPath(kSection) + L"Sub\\");
    EXPECT_STREQ(m_pWorkspace->SetRegistryBase(nullptr), L"KTWorkspace");
    EXPECT_STREQ(m_pWorkspace->SetRegistryBase(L"Settings"), L"Settings");
    EXPECT_FALSE(m_pWorkspace->ShowPopupMenu(1, CPoint(0, 0), m_pFrame));
    EXPECT_FALSE(m_pWorkspace->OnViewDoubleClick(m_pFrame, 1));
    EXPECT_TRUE(m_pWorkspace->InitKeyboardManager());
    EXPECT_NE(g_pKeyboardManager, nullptr);
    EXPECT_FALSE(m_pWorkspace->InitKeyboardManager()) << "one exists";
    m_pWorkspace.reset();
    EXPECT_EQ(GetWorkspace(), nullptr);
    EXPECT_EQ(g_pKeyboardManager, nullptr) << "the workspace deleted the manager it made";
}

namespace
{

const wchar_t* const kTwoProcessSection = L"WorkspaceTwoProcesses";
const wchar_t* const kSecondProcessReport = L"workspace-second-process.txt";

class TwoProcessTest : public WorkspaceTest
{
public:
    void SetUp() override
    {
        WorkspaceTest::SetUp();
        m_pWorkspace->SetRegistryBase(kTwoProcessSection);
    }
    void TearDown() override
    {
        m_pSupport.reset();
        WorkspaceTest::TearDown();
    }

    std::string DescribeWithPlacement() const
    {
        CRect rect;
        int nFlags = 0;
        int nShowCmd = 0;
        std::string text = Describe();
        if (m_pWorkspace->LoadWindowPlacement(rect, nFlags, nShowCmd))
            text += "placement " + std::to_string(rect.left) + "," + std::to_string(rect.top) + "," +
                    std::to_string(rect.right) + "," + std::to_string(rect.bottom) + " show " +
                    std::to_string(nShowCmd) + "\n";
        return text;
    }

    // The toolkit's frame support of the test frame, as a toolkit frame holds one.
    std::unique_ptr<CKTFrameSupport> m_pSupport;
};

} // namespace

// The first process: the layout set up by hand is saved as the main frame closes, then a second
// run of this program restores it as its frame loads and reports what it sees.
TEST_F(TwoProcessTest, TheLayoutComesBackInASecondProcess)
{
    CKTRegistry(FALSE, FALSE).DeleteKey(GetRegistryPath(kTwoProcessSection));
    CreateDefaultBars();
    ArrangeByHand();
    m_pSupport = std::make_unique<CKTFrameSupport>(m_pFrame);
    Picture(L"workspace-before-closing.bmp");
    // The frame closes: the whole state and the window's placement are stored.
    m_pSupport->OnCloseFrame();
    const std::string saved = DescribeWithPlacement();
    ASSERT_NE(saved.find("placement"), std::string::npos) << saved;
    m_pSupport.reset();
    SizingTest::TearDown();
    ::DeleteFileW(kSecondProcessReport);

    wchar_t szProgram[MAX_PATH] = {};
    ASSERT_GT(::GetModuleFileNameW(nullptr, szProgram, MAX_PATH), 0u);
    std::wstring commandLine = std::wstring(L"\"") + szProgram +
                               L"\" --gtest_also_run_disabled_tests "
                               L"--gtest_filter=TwoProcessTest.DISABLED_SecondProcessRestoresTheLayout";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(
        ::CreateProcessW(szProgram, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    const DWORD dwWait = ::WaitForSingleObject(pi.hProcess, 120000);
    DWORD dwExitCode = 1;
    ::GetExitCodeProcess(pi.hProcess, &dwExitCode);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    ASSERT_EQ(dwWait, WAIT_OBJECT_0);
    EXPECT_EQ(dwExitCode, 0u);

    std::string restored;
    if (FILE* pFile = _wfopen(kSecondProcessReport, L"rb"))
    {
        char buffer[4096];
        size_t nRead = 0;
        while ((nRead = fread(buffer, 1, sizeof(buffer), pFile)) > 0)
            restored.append(buffer, nRead);
        fclose(pFile);
    }
    EXPECT_EQ(restored, saved);
    CKTRegistry(FALSE, FALSE).DeleteKey(GetRegistryPath(kTwoProcessSection));
}

// Run only by the test above, as the program's next start.
TEST_F(TwoProcessTest, DISABLED_SecondProcessRestoresTheLayout)
{
    CreateDefaultBars();
    m_pSupport = std::make_unique<CKTFrameSupport>(m_pFrame);
    // The frame has been loaded: it asks the workspace for the saved state.
    m_pSupport->OnLoadFrame();
    Layout();
    Picture(L"workspace-restored-in-second-process.bmp");
    const std::string restored = DescribeWithPlacement();
    if (FILE* pFile = _wfopen(kSecondProcessReport, L"wb"))
    {
        fwrite(restored.data(), 1, restored.size(), pFile);
        fclose(pFile);
    }
}

TEST_F(WorkspaceStateTest, TheKeyboardManagerItMadeKeepsTheFramesShortcuts)
{
    CreateDefaultBars("A");
    ASSERT_TRUE(m_pWorkspace->InitKeyboardManager());
    ACCEL saved[] = {{FVIRTKEY | FCONTROL, 'K', 0x8001}};
    m_pFrame->m_hAccelTable = ::CreateAcceleratorTableW(saved, 1);
    m_pFrame->m_bOwnAccelTable = TRUE;
    ASSERT_TRUE(Save());
    EXPECT_TRUE(RegKeyExists(SectionPath(L"KTKeyboard-0")));

    Restart("A");
    ASSERT_TRUE(m_pWorkspace->InitKeyboardManager());
    ACCEL other[] = {{FVIRTKEY | FCONTROL, 'Q', 0x8002}};
    m_pFrame->m_hAccelTable = ::CreateAcceleratorTableW(other, 1);
    m_pFrame->m_bOwnAccelTable = TRUE;
    EXPECT_TRUE(Load());
    ACCEL loaded[4] = {};
    ASSERT_EQ(::CopyAcceleratorTableW(m_pFrame->m_hAccelTable, loaded, 4), 1);
    EXPECT_EQ(loaded[0].key, 'K');
    EXPECT_EQ(loaded[0].cmd, 0x8001);
}

// The dock state through the registry of the test prefix: saved and loaded unchanged, scaled to
// another screen, and a damaged one ignored so the bars stay as created.
#include "DockingFixture.h"

#include "../windows/WindowsTestSupport.h"

namespace
{

const UINT kTop = AFX_IDW_DOCKBAR_TOP;
const UINT kLeft = AFX_IDW_DOCKBAR_LEFT;
const LPCTSTR kProfile = L"Workspace\\ControlBars";

class DockStateTest : public DockingTest
{
public:
    void SetUp() override
    {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KestDockingTests");
        TestApp().SetRegistryKey(L"KestDockingTests");
        DockingTest::SetUp();
    }
    void TearDown() override
    {
        DockingTest::TearDown();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KestDockingTests");
    }

    // A and B in one top row with B hidden, C on the left, D floating.
    void Arrange()
    {
        for (char c : {'A', 'B', 'C', 'D'})
            AddBar(c);
        m_pFrame->DockControlBar(Bar('A'), kTop);
        CRect rect;
        Bar('A')->GetWindowRect(&rect);
        rect.OffsetRect(rect.Width() / 2, 0);
        m_pFrame->DockControlBar(Bar('B'), kTop, &rect);
        m_pFrame->DockControlBar(Bar('C'), kLeft);
        m_pFrame->DockControlBar(Bar('D'), kTop);
        m_pFrame->FloatControlBar(Bar('D'), CPoint(400, 300));
        m_pFrame->ShowControlBar(Bar('B'), FALSE, FALSE);
        PumpAndIdle();
    }

    // A fresh frame with every bar in its own top row: "as created".
    void Recreate()
    {
        DockingTest::TearDown();
        DockingTest::SetUp();
        for (char c : {'A', 'B', 'C', 'D'})
        {
            AddBar(c);
            m_pFrame->DockControlBar(Bar(c), kTop);
        }
        PumpAndIdle();
    }

    static void SetValue(LPCTSTR lpszSection, LPCTSTR lpszEntry, DWORD dwValue)
    {
        HKEY hKey = TestApp().GetSectionKey(lpszSection);
        ASSERT_NE(hKey, nullptr);
        ::RegSetValueExW(hKey, lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue), sizeof(dwValue));
        ::RegCloseKey(hKey);
    }
};

const CControlBarInfo* FindInfo(const CDockState& state, UINT nID, int nNth = 0)
{
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i)
    {
        auto* pInfo = static_cast<const CControlBarInfo*>(state.m_arrBarInfo[i]);
        if (pInfo->m_nBarID == nID && nNth-- == 0)
            return pInfo;
    }
    return nullptr;
}

TEST_F(DockStateTest, SavedStateLoadsUnchangedAndPutsTheBarsBack)
{
    Arrange();
    ASSERT_EQ(Rows(kTop), "AB|d|");
    CDockState saved;
    m_pFrame->GetDockState(saved);
    saved.SaveState(kProfile);

    // The sections lie below the workspace key: deleting it deletes them.
    HKEY hKey = nullptr;
    EXPECT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER,
                              L"Software\\KestDockingTests\\KestWindowTests\\Workspace\\ControlBars-Summary", 0,
                              KEY_READ, &hKey),
              ERROR_SUCCESS);
    if (hKey != nullptr)
        ::RegCloseKey(hKey);

    CDockState loaded;
    loaded.LoadState(kProfile);
    ASSERT_EQ(loaded.m_arrBarInfo.GetSize(), saved.m_arrBarInfo.GetSize());
    for (INT_PTR i = 0; i < saved.m_arrBarInfo.GetSize(); ++i)
    {
        auto* pSaved = static_cast<const CControlBarInfo*>(saved.m_arrBarInfo[i]);
        auto* pLoaded = static_cast<const CControlBarInfo*>(loaded.m_arrBarInfo[i]);
        SCOPED_TRACE(pSaved->m_nBarID);
        EXPECT_EQ(pLoaded->m_nBarID, pSaved->m_nBarID);
        EXPECT_EQ(pLoaded->m_bVisible, pSaved->m_bVisible);
        EXPECT_EQ(pLoaded->m_bFloating, pSaved->m_bFloating);
        EXPECT_EQ(pLoaded->m_bHorz, pSaved->m_bHorz);
        EXPECT_EQ(pLoaded->m_pointPos, pSaved->m_pointPos);
        EXPECT_EQ(pLoaded->m_nMRUWidth, pSaved->m_nMRUWidth);
        EXPECT_EQ(pLoaded->m_bDocking, pSaved->m_bDocking);
        EXPECT_EQ(pLoaded->m_uMRUDockID, pSaved->m_uMRUDockID);
        EXPECT_EQ(pLoaded->m_rectMRUDockPos, pSaved->m_rectMRUDockPos);
        EXPECT_EQ(pLoaded->m_ptMRUFloatPos, pSaved->m_ptMRUFloatPos);
        ASSERT_EQ(pLoaded->m_arrBarID.GetSize(), pSaved->m_arrBarID.GetSize());
        for (INT_PTR n = 0; n < pSaved->m_arrBarID.GetSize(); ++n)
            EXPECT_EQ(pLoaded->m_arrBarID[n], pSaved->m_arrBarID[n]);
    }
    const CControlBarInfo* pTop = FindInfo(loaded, kTop);
    ASSERT_NE(pTop, nullptr);
    EXPECT_EQ(pTop->m_arrBarID.GetSize(), 5) << "A B | placeholder of D |";

    // A frame whose bars were created all in the top rows takes the saved arrangement.
    Recreate();
    ASSERT_EQ(Rows(kTop), "A|B|C|D|");
    m_pFrame->SetDockState(loaded);
    PumpAndIdle();
    EXPECT_EQ(Rows(kTop), "AB|d|");
    EXPECT_EQ(Rows(kLeft), "C|");
    ASSERT_EQ(FloatingFrames().size(), 1u);
    EXPECT_TRUE(FloatingFrames().front()->IsWindowVisible());
    EXPECT_FALSE(Bar('B')->IsWindowVisible());
    EXPECT_TRUE(Bar('A')->IsWindowVisible());
    CRect rectFloating;
    FloatingFrames().front()->GetWindowRect(&rectFloating);
    EXPECT_EQ(rectFloating.TopLeft(), FindInfo(loaded, AFX_IDW_DOCKBAR_FLOAT)->m_pointPos);
}

TEST_F(DockStateTest, StateSavedOnAnotherScreenIsScaledAndFloatingFramesKeptOnThisOne)
{
    Arrange();
    CDockState saved;
    m_pFrame->GetDockState(saved);
    saved.SaveState(kProfile);
    const CControlBarInfo* pFloatSaved = FindInfo(saved, AFX_IDW_DOCKBAR_FLOAT);
    ASSERT_NE(pFloatSaved, nullptr);
    const CPoint ptSaved = pFloatSaved->m_pointPos;

    struct Case
    {
        const char* name;
        CRect rectDevice; // of the loading screen; the state was saved on the primary screen
        CRect rectClip;
        CPoint expected;
    };
    const CRect screen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    const CRect twice(0, 0, screen.Width() * 2, screen.Height() * 2);
    const CRect quarter(0, 0, screen.Width() / 4, screen.Height() / 4);
    const Case cases[] = {
        {"same screen", screen, screen, ptSaved},
        {"twice as large", twice, twice, CPoint(ptSaved.x * 2, ptSaved.y * 2)},
        {"a quarter as large, kept inside the clip rectangle", quarter, CRect(0, 0, 50, 50), CPoint(50, 50)},
    };
    ASSERT_GT(ptSaved.x / 4, 50);
    ASSERT_GT(ptSaved.y / 4, 50);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        CDockState loaded;
        loaded.m_rectDevice = c.rectDevice;
        loaded.m_rectClip = c.rectClip;
        loaded.LoadState(kProfile);
        const CControlBarInfo* pFloat = FindInfo(loaded, AFX_IDW_DOCKBAR_FLOAT);
        ASSERT_NE(pFloat, nullptr);
        EXPECT_EQ(pFloat->m_pointPos, c.expected);
        // Docked positions scale with the screen; their size is the bar's own.
        const CControlBarInfo* pA = FindInfo(loaded, 0xE811);
        ASSERT_NE(pA, nullptr);
        EXPECT_EQ(pA->m_rectMRUDockPos.Size(), FindInfo(saved, 0xE811)->m_rectMRUDockPos.Size());
    }
}

TEST_F(DockStateTest, DamagedStateLoadsAsNoneAndLeavesTheBarsAsCreated)
{
    struct Case
    {
        const char* name;
        LPCTSTR section;
        LPCTSTR entry;
        DWORD value; // ~0u: the section is removed instead
    };
    const Case cases[] = {
        {"more bars than any frame has", L"Workspace\\ControlBars-Summary", L"Bars", 100000},
        {"a negative bar count", L"Workspace\\ControlBars-Summary", L"Bars", 0xFFFFFFFF},
        {"no screen size", L"Workspace\\ControlBars-Summary", L"ScreenCX", 0},
        {"a bar id of 0", L"Workspace\\ControlBars-Bar0", L"BarID", 0},
        {"a bar id beyond 16 bits", L"Workspace\\ControlBars-Bar0", L"BarID", 0x12345},
        {"a flag that is neither 0 nor 1", L"Workspace\\ControlBars-Bar0", L"Visible", 7},
        {"a row list longer than allowed", L"Workspace\\ControlBars-Bar0", L"Bars", 1000000},
        {"a row entry that is no id", L"Workspace\\ControlBars-Bar0", L"Bar#0", 0x7FFFFFFF},
        {"a missing record", L"Workspace\\ControlBars-Bar1", nullptr, ~0u},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        Arrange();
        CDockState saved;
        m_pFrame->GetDockState(saved);
        saved.SaveState(kProfile);
        if (c.value == ~0u)
            TestApp().WriteProfileString(c.section, nullptr, nullptr);
        else
            SetValue(c.section, c.entry, c.value);

        CDockState loaded;
        loaded.LoadState(kProfile);
        EXPECT_EQ(loaded.m_arrBarInfo.GetSize(), 0);

        Recreate();
        m_pFrame->SetDockState(loaded);
        PumpAndIdle();
        EXPECT_EQ(Rows(kTop), "A|B|C|D|");
        EXPECT_TRUE(FloatingFrames().empty());
        for (char cBar : {'A', 'B', 'C', 'D'})
            EXPECT_TRUE(Bar(cBar)->IsWindowVisible()) << cBar;
    }
}

} // namespace

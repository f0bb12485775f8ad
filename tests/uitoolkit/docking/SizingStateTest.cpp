// A sizing bar's sizes in the user's profile: saved and loaded back, and damaged values that must
// not spoil the layout.
#include "SizingFixture.h"

#include "uitoolkit/looks/KTRegistry.h"

namespace
{

const UINT kLeft = AFX_IDW_DOCKBAR_LEFT;
const wchar_t* const kSection = L"DockingStateTest\\SizingBars";

CString BarKey(const CControlBar* pBar)
{
    CString strKey;
    strKey.Format(L"%s-SCBar-%d", kSection, pBar->GetDlgCtrlID());
    return GetRegistryPath(strKey);
}

void WriteInt(const CString& path, const wchar_t* name, DWORD dwValue)
{
    HKEY hKey = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_WRITE, nullptr, &hKey, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(hKey, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue), sizeof(dwValue));
    ::RegCloseKey(hKey);
}

bool ValueExists(const CString& path, const wchar_t* name)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    const bool bExists = ::RegQueryValueExW(hKey, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    ::RegCloseKey(hKey);
    return bExists;
}

class SizingStateTest : public SizingTest
{
public:
    void TearDown() override
    {
        CKTRegistry(FALSE, FALSE).DeleteKey(GetRegistryPath(L"DockingStateTest"));
        SizingTest::TearDown();
    }
};

} // namespace

TEST_F(SizingStateTest, SizesComeBackAsSaved)
{
    CTestSizingBar* pBar = AddBar('A');
    DockRow(kLeft, "A");
    pBar->SetHorzSize(CSize(310, 95));
    pBar->SetVertSize(CSize(140, 260));
    pBar->SetFloatSize(CSize(220, 180));
    pBar->SaveState(kSection);
    const CString path = BarKey(pBar);
    EXPECT_FALSE(ValueExists(path, L"RolledFloat"));
    EXPECT_FALSE(ValueExists(path, L"RolledFloatDynamicState"));

    pBar->SetHorzSize(CSize(50, 50));
    pBar->SetVertSize(CSize(50, 50));
    pBar->SetFloatSize(CSize(50, 50));
    pBar->LoadState(kSection);
    EXPECT_EQ(pBar->GetHorzSize(), CSize(310, 95));
    EXPECT_EQ(pBar->GetVertSize(), CSize(140, 260));
    EXPECT_EQ(pBar->GetFloatSize(), CSize(220, 180));

    // A roll-up mode saved once and then given up leaves nothing behind to come back.
    pBar->m_nRollingType = 2;
    pBar->SaveState(kSection);
    EXPECT_TRUE(ValueExists(path, L"RolledFloatDynamicState"));
    pBar->m_nRollingType = 0;
    pBar->m_bRolled = FALSE;
    pBar->SaveState(kSection);
    EXPECT_FALSE(ValueExists(path, L"RolledFloatDynamicState"));
    pBar->LoadState(kSection);
    EXPECT_EQ(pBar->m_nRollingType, 0);
    EXPECT_FALSE(pBar->m_bRolled);
}

TEST_F(SizingStateTest, DamagedOrWildValuesLoadAsSizesTheLayoutCanUse)
{
    const int cxScreen = ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int cyScreen = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    struct Case
    {
        const char* name;
        const wchar_t* value;
        DWORD dwStored;
        CSize expectedVert;
        int nExpectedRollingType;
        BOOL bExpectedRolled;
    };
    const Case cases[] = {
        {"below the minimum is raised to it", L"sizeVertCY", 10, CSize(140, 32), 0, FALSE},
        {"negative is raised to the minimum", L"sizeVertCX", static_cast<DWORD>(-5), CSize(33, 260), 0, FALSE},
        {"huge is held to the virtual screen", L"sizeVertCY", 2147483647, CSize(140, cyScreen), 0, FALSE},
        {"huge width too", L"sizeVertCX", 2147483647, CSize(cxScreen, 260), 0, FALSE},
        {"an unknown roll-up mode is none", L"RolledFloatDynamicState", 9, CSize(140, 260), 0, FALSE},
        {"mode 2 loads rolled up", L"RolledFloatDynamicState", 2, CSize(140, 260), 2, TRUE},
        {"mode 3 loads unrolled", L"RolledFloatDynamicState", 3, CSize(140, 260), 3, FALSE},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        CTestSizingBar* pBar = AddBar('A');
        AddBar('B');
        DockRow(kLeft, "AB");
        pBar->SetVertSize(CSize(140, 260));
        pBar->SaveState(kSection);
        WriteInt(BarKey(pBar), c.value, c.dwStored);
        pBar->LoadState(kSection);
        EXPECT_EQ(pBar->GetVertSize(), c.expectedVert);
        EXPECT_EQ(pBar->m_nRollingType, c.nExpectedRollingType);
        EXPECT_EQ(pBar->m_bRolled, c.bExpectedRolled);
        // The row fit deals with what was loaded in one layout (a wild length would take it
        // billions of rounds).
        Layout();
        CRect rectRow;
        Side(kLeft)->GetClientRect(&rectRow);
        EXPECT_EQ(Bar('A')->GetVertSize().cy + Bar('B')->GetVertSize().cy, rectRow.Height() - 2);
    }
}

TEST_F(SizingStateTest, AnExpandedBarLoadsExpandedAndAMissingStateChangesNothing)
{
    AddBar('A');
    AddBar('B');
    DockRow(kLeft, "AB");
    const CSize sizeBefore = Bar('A')->GetVertSize();
    Bar('A')->LoadState(kSection);
    EXPECT_EQ(Bar('A')->GetVertSize(), sizeBefore) << "nothing saved: the sizes stay";
    EXPECT_FALSE(Bar('A')->IsExpanded());

    Bar('A')->SaveState(kSection);
    WriteInt(BarKey(Bar('A')), L"Expanded", 1);
    Bar('A')->LoadState(kSection);
    Layout();
    EXPECT_TRUE(Bar('A')->IsExpanded());
    EXPECT_EQ(Place(Bar('B')).Height(), 32);
}

// A toolbar's saved state through the real registry: buttons, text labels and title round trip;
// damaged, foreign and hostile "Buttons" values leave the bar as it was; a list with a missing
// entry comes back from the resource with the customize button kept; forbidden commands go;
// smart update follows a changed resource; a combo box comes back where no state version is
// known; and the shared parameters keep what is missing.
#include "tests/support/UserRegistryBytes.h"
#include "tests/framework/windows/WindowsTestSupport.h"
#include "tests/uitoolkit/bars/BarLayoutText.h"
#include "tests/uitoolkit/bars/ToolbarTestIds.h"
#include "uitoolkit/bars/KTStateVersion.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/bars/KTToolbarComboBoxButton.h"
#include "uitoolkit/bars/KTWorkspace.h"
#include "uitoolkit/customize/KTCmdUsageCount.h"
#include "uitoolkit/customize/KTCommandManager.h"
#include "uitoolkit/looks/KTRegistry.h"
#include "uitoolkit/looks/KTVisualManager.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace
{
const wchar_t kProfile[] = L"Software\\KestTests\\ToolbarState\\";
const wchar_t kBarKey[] = L"Software\\KestTests\\ToolbarState\\KTToolBar-59392";
const wchar_t kParametersKey[] = L"Software\\KestTests\\ToolbarState\\KTToolbarParameters";

class CStateToolBar : public CKTToolBar
{
public:
    static void ForgetForbidden() { m_lstUnpermittedCommands.RemoveAll(); }
};

// Stands for the chevron: never stored, always the last button.
class CTestCustomizeButton : public CKTToolbarButton
{
    DECLARE_DYNCREATE(CTestCustomizeButton)
public:
    BOOL CanBeStored() const override { return FALSE; }
};
IMPLEMENT_DYNCREATE(CTestCustomizeButton, CKTToolbarButton)

std::string Layout(const CKTToolBar& bar)
{
    return BarLayout(bar, RUNTIME_CLASS(CTestCustomizeButton));
}

void WriteBinary(LPCTSTR lpszKey, LPCTSTR lpszValue, const std::vector<BYTE>& bytes)
{
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegCreateKeyExW(HKEY_CURRENT_USER, lpszKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr));
    ::RegSetValueExW(hKey, lpszValue, 0, REG_BINARY, bytes.empty() ? nullptr : bytes.data(),
                     static_cast<DWORD>(bytes.size()));
    ::RegCloseKey(hKey);
}

void WriteInt(LPCTSTR lpszKey, LPCTSTR lpszValue, DWORD dwValue)
{
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegCreateKeyExW(HKEY_CURRENT_USER, lpszKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr));
    ::RegSetValueExW(hKey, lpszValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue), sizeof(dwValue));
    ::RegCloseKey(hKey);
}

// An archive written by hand: a list of objects, the text-labels flag and a title.
std::vector<BYTE> ArchiveOf(const std::function<void(CArchive&)>& write)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        write(ar);
        ar.Close();
    }
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

class ToolbarStateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KestTests\\ToolbarState");
        CKTToolBar::SetSizes(CSize(23, 22), CSize(16, 15));
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(nullptr, L"State", WS_OVERLAPPEDWINDOW, CRect(40, 40, 560, 320)));
    }
    void TearDown() override
    {
        CStateToolBar::ForgetForbidden();
        m_bars.clear();
        m_pFrame->DestroyWindow();
        PumpAndIdle();
        CKTCommandManager::GetInstance()->ClearAllCmdImages();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KestTests\\ToolbarState");
    }

    CStateToolBar* NewBar(UINT uiResID = IDR_TEST_TOOLBAR, UINT nID = AFX_IDW_TOOLBAR)
    {
        auto bar = std::make_unique<CStateToolBar>();
        EXPECT_TRUE(bar->Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, nID));
        EXPECT_TRUE(bar->LoadToolBar(uiResID));
        m_bars.push_back(std::move(bar));
        return m_bars.back().get();
    }
    static void AddCustomizeButton(CKTToolBar* pBar)
    {
        CTestCustomizeButton* pButton = new CTestCustomizeButton;
        pButton->m_nID = 1;
        ASSERT_GE(pBar->InsertButton(pButton), 0);
        pBar->m_pCustomizeBtn = pButton;
    }

    CFrameWnd* m_pFrame = nullptr;
    std::vector<std::unique_ptr<CStateToolBar>> m_bars;
};
} // namespace

TEST_F(ToolbarStateTest, ButtonsTextLabelsAndTitleRoundTrip)
{
    CStateToolBar* pSaved = NewBar();
    pSaved->SetWindowText(L"Standard");
    ASSERT_TRUE(pSaved->RemoveButton(0));
    CKTToolbarButton paste(ID_TEST_PASTE, -1, L"P&aste");
    paste.m_bText = TRUE;
    paste.m_bImage = FALSE;
    ASSERT_EQ(1, pSaved->InsertButton(paste, 1));
    pSaved->SetButtonStyle(0, pSaved->GetButtonStyle(0) | TBBS_CHECKED);
    pSaved->EnableTextLabels(TRUE);
    AddCustomizeButton(pSaved);
    ASSERT_TRUE(pSaved->SaveState(kProfile));
    EXPECT_FALSE(UserRegistryBytes(kBarKey, L"Buttons").empty());

    CStateToolBar* pLoaded = NewBar(IDR_TEST_TOOLBAR, AFX_IDW_TOOLBAR + 1);
    AddCustomizeButton(pLoaded);
    ASSERT_TRUE(pLoaded->LoadState(kProfile, AFX_IDW_TOOLBAR));
    EXPECT_EQ(BarIds({ID_TEST_SAVE, ID_TEST_PASTE, 0, ID_TEST_PRINT, ID_TEST_CUT, 1}), Layout(*pLoaded))
        << "the customize button stays last and is never stored";
    EXPECT_TRUE(pLoaded->IsTextLabels());
    CString strTitle;
    pLoaded->GetWindowText(strTitle);
    EXPECT_EQ(CString(L"Standard"), strTitle);
    const CKTToolbarButton* pPaste = pLoaded->GetButton(1);
    EXPECT_EQ(CString(L"P&aste"), pPaste->m_strText);
    EXPECT_TRUE(pPaste->m_bText && !pPaste->m_bImage);
    EXPECT_EQ(0u, pLoaded->GetButtonStyle(0) & (TBBS_CHECKED | TBBS_PRESSED)) << "states are not restored";
    EXPECT_EQ(pLoaded, pLoaded->GetButton(0)->m_pWndParent) << "buttons know their new bar";

    EXPECT_FALSE(pLoaded->LoadState(kProfile, 4711)) << "no such section";
    EXPECT_TRUE(pLoaded->RemoveStateFromRegistry(kProfile, AFX_IDW_TOOLBAR));
    EXPECT_FALSE(pLoaded->LoadState(kProfile, AFX_IDW_TOOLBAR));
}

static KTStateVersion NoWorkspace()
{
    return KTStateVersion{FALSE, -1, -1};
}
static KTStateVersion WorkspaceWithoutVersion()
{
    return KTStateVersion{TRUE, -1, -1};
}

// A combo box stored by a bar and read where no workspace, or one that read no version, says how
// old the state is: the drop-down height the writer always writes is read, and the buttons after
// the combo come back in step.
TEST_F(ToolbarStateTest, ComboWithoutAKnownStateVersionRoundTrips)
{
    CStateToolBar* pSaved = NewBar(IDR_TEST_TOOLBAR2);
    CKTToolbarComboBoxButton zoom(ID_TEST_NOTEXT, -1, CBS_DROPDOWNLIST, 80);
    for (const wchar_t* item : {L"50%", L"100%", L"200%"})
        zoom.AddItem(item);
    zoom.SelectItem(2, FALSE);
    ASSERT_EQ(1, pSaved->InsertButton(zoom, 1));
    ASSERT_TRUE(pSaved->SaveState(kProfile));

    const struct
    {
        const char* m_name;
        KTStateVersionReader m_pfnReader;
    } cases[] = {
        {"no workspace", &NoWorkspace},
        {"workspace without a version", &WorkspaceWithoutVersion},
    };
    for (const auto& c : cases)
    {
        const KTStateVersionReader pfnPrevious = KTSetStateVersionReader(c.m_pfnReader);
        CStateToolBar* pLoaded = NewBar(IDR_TEST_TOOLBAR, AFX_IDW_TOOLBAR + 1 + static_cast<UINT>(m_bars.size()));
        const BOOL bLoaded = pLoaded->LoadState(kProfile, AFX_IDW_TOOLBAR);
        KTSetStateVersionReader(pfnPrevious);
        ASSERT_TRUE(bLoaded) << c.m_name;
        EXPECT_EQ(BarIds({ID_TEST_PASTE, ID_TEST_NOTEXT, ID_TEST_SAVE}), Layout(*pLoaded)) << c.m_name;
        const auto* pCombo = dynamic_cast<const CKTToolbarComboBoxButton*>(pLoaded->GetButton(1));
        ASSERT_TRUE(pCombo != nullptr) << c.m_name;
        EXPECT_EQ(80, pCombo->GetWidth()) << c.m_name;
        EXPECT_EQ(zoom.GetDropDownHeight(), pCombo->GetDropDownHeight()) << c.m_name;
        ASSERT_EQ(3, pCombo->GetCount()) << c.m_name;
        EXPECT_EQ(2, pCombo->GetCurSel()) << c.m_name;
    }
}

TEST_F(ToolbarStateTest, FrameSpecificSectionCarriesTheIdInHex)
{
    CStateToolBar* pBar = NewBar();
    ASSERT_TRUE(pBar->SaveState(kProfile, 3, 0xAB));
    EXPECT_FALSE(UserRegistryBytes(L"Software\\KestTests\\ToolbarState\\KTToolBar-3ab", L"Buttons").empty());
}

// Every prefix of a good value is a damaged value: each load fails and the bar keeps its buttons.
TEST_F(ToolbarStateTest, TruncatedButtonsLeaveTheBarAsItWas)
{
    CStateToolBar* pSaved = NewBar();
    ASSERT_TRUE(pSaved->RemoveButton(1));
    ASSERT_TRUE(pSaved->SaveState(kProfile));
    const std::vector<BYTE> good = UserRegistryBytes(kBarKey, L"Buttons");
    ASSERT_GT(good.size(), 10u);

    CStateToolBar* pLoaded = NewBar(IDR_TEST_TOOLBAR2, AFX_IDW_TOOLBAR + 1);
    AddCustomizeButton(pLoaded);
    const std::string before = Layout(*pLoaded);
    for (size_t n = 0; n < good.size(); n++)
    {
        WriteBinary(kBarKey, L"Buttons", std::vector<BYTE>(good.begin(), good.begin() + n));
        EXPECT_FALSE(pLoaded->LoadState(kProfile, AFX_IDW_TOOLBAR)) << "cut at " << n;
        ASSERT_EQ(before, Layout(*pLoaded)) << "cut at " << n;
    }
    WriteBinary(kBarKey, L"Buttons", good);
    EXPECT_TRUE(pLoaded->LoadState(kProfile, AFX_IDW_TOOLBAR));
    EXPECT_EQ(BarIds({ID_TEST_OPEN, 0, ID_TEST_PRINT, ID_TEST_CUT, 1}), Layout(*pLoaded));
}

TEST_F(ToolbarStateTest, ForeignAndRepeatedObjectsAreRefused)
{
    CStateToolBar* pBar = NewBar();
    const std::string before = Layout(*pBar);
    struct Case
    {
        const char* m_name;
        std::function<void(CArchive&)> m_write;
    } cases[] = {
        {"an object that is not a button",
         [](CArchive& ar) {
             CKTCmdUsageCount counter;
             CKTToolbarButton open(ID_TEST_OPEN, -1);
             ar.WriteCount(2);
             ar.WriteObject(&open);
             ar.WriteObject(&counter);
             ar << LONG(0) << CString(L"x");
         }},
        {"the same button twice",
         [](CArchive& ar) {
             CKTToolbarButton open(ID_TEST_OPEN, -1);
             ar.WriteCount(2);
             ar.WriteObject(&open);
             ar.WriteObject(&open);
             ar << LONG(0) << CString(L"x");
         }},
        {"a count beyond the data",
         [](CArchive& ar) {
             ar.WriteCount(0xFFFE);
             ar << LONG(0);
         }},
    };
    for (const Case& c : cases)
    {
        WriteBinary(kBarKey, L"Buttons", ArchiveOf(c.m_write));
        EXPECT_FALSE(pBar->LoadState(kProfile)) << c.m_name;
        EXPECT_EQ(before, Layout(*pBar)) << c.m_name;
    }
}

TEST_F(ToolbarStateTest, MissingEntryRestoresTheResourceAndKeepsTheCustomizeButton)
{
    CStateToolBar* pBar = NewBar();
    ASSERT_TRUE(pBar->RemoveButton(0));
    AddCustomizeButton(pBar);
    WriteBinary(kBarKey, L"Buttons", ArchiveOf([](CArchive& ar) {
                    CKTToolbarButton paste(ID_TEST_PASTE, -1);
                    ar.WriteCount(2);
                    ar.WriteObject(&paste);
                    ar.WriteObject(nullptr);
                    ar << LONG(1) << CString(L"Damaged");
                }));
    EXPECT_TRUE(pBar->LoadState(kProfile));
    EXPECT_EQ(BarIds({ID_TEST_OPEN, ID_TEST_SAVE, 0, ID_TEST_PRINT, ID_TEST_CUT, 1}), Layout(*pBar));
    EXPECT_FALSE(pBar->IsTextLabels()) << "nothing after the damaged list is taken";
}

TEST_F(ToolbarStateTest, EveryOccurrenceOfAForbiddenCommandIsRemoved)
{
    CStateToolBar* pBar = NewBar();
    ASSERT_GE(pBar->InsertButton(CKTToolbarButton(ID_TEST_PRINT, -1), 1), 0);
    ASSERT_TRUE(pBar->SaveState(kProfile));
    CKTToolBar::AddForbiddenCommand(ID_TEST_PRINT);
    ASSERT_TRUE(pBar->LoadState(kProfile));
    EXPECT_EQ(BarIds({ID_TEST_OPEN, ID_TEST_SAVE, 0, ID_TEST_CUT}), Layout(*pBar));
}

TEST_F(ToolbarStateTest, SmartUpdateFollowsTheChangedResource)
{
    CKTWorkspace workspace(TRUE);
    ASSERT_TRUE(CKTToolBar::IsResourceSmartUpdate());
    // Saved while the resource held Paste and Save; it now holds Open, Save, |, Print, Cut.
    CStateToolBar* pOld = NewBar(IDR_TEST_TOOLBAR2, AFX_IDW_TOOLBAR);
    ASSERT_TRUE(pOld->SaveState(kProfile));
    ASSERT_FALSE(UserRegistryBytes(kBarKey, L"OriginalItems").empty());

    CStateToolBar* pNew = NewBar(IDR_TEST_TOOLBAR, AFX_IDW_TOOLBAR + 1);
    ASSERT_TRUE(pNew->LoadState(kProfile, AFX_IDW_TOOLBAR));
    EXPECT_EQ(BarIds({ID_TEST_OPEN, ID_TEST_SAVE, 0, ID_TEST_PRINT, ID_TEST_CUT}), Layout(*pNew));
    EXPECT_TRUE(pNew->IsResourceChanged());
    int iImage = -1;
    ASSERT_TRUE(CKTToolBar::GetDefaultImage(ID_TEST_PRINT, iImage));
    EXPECT_EQ(iImage, pNew->GetButton(3)->GetImage()) << "a new command takes its resource image";

    // The same resource as saved: nothing changes.
    CStateToolBar* pSame = NewBar(IDR_TEST_TOOLBAR2, AFX_IDW_TOOLBAR + 2);
    pSame->RemoveButton(0);
    ASSERT_TRUE(pSame->SaveState(kProfile, 7));
    ASSERT_TRUE(pSame->LoadState(kProfile, 7));
    EXPECT_EQ(BarIds({ID_TEST_SAVE}), Layout(*pSame));
    EXPECT_FALSE(pSame->IsResourceChanged());
}

TEST_F(ToolbarStateTest, UnreadableOriginalItemsChangeNothing)
{
    CKTWorkspace workspace(TRUE);
    ASSERT_TRUE(CKTToolBar::IsResourceSmartUpdate());
    CStateToolBar* pBar = NewBar();
    ASSERT_TRUE(pBar->RemoveButton(0));
    ASSERT_TRUE(pBar->SaveState(kProfile));
    const std::vector<BYTE> items = UserRegistryBytes(kBarKey, L"OriginalItems");
    ASSERT_GT(items.size(), 4u);
    std::vector<std::vector<BYTE>> damaged = {std::vector<BYTE>{0xFF, 0xFF, 0xFF, 0xFF}};
    for (size_t n = 0; n < items.size(); n++)
        damaged.emplace_back(items.begin(), items.begin() + n);
    for (const std::vector<BYTE>& value : damaged)
    {
        WriteBinary(kBarKey, L"OriginalItems", value);
        ASSERT_TRUE(pBar->LoadState(kProfile)) << value.size() << " bytes";
        EXPECT_EQ(BarIds({ID_TEST_SAVE, 0, ID_TEST_PRINT, ID_TEST_CUT}), Layout(*pBar))
            << "nothing inserted twice, " << value.size() << " bytes";
        EXPECT_FALSE(pBar->IsResourceChanged()) << value.size() << " bytes";
    }
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExW(HKEY_CURRENT_USER, kBarKey, 0, KEY_ALL_ACCESS, &hKey));
    ::RegDeleteValueW(hKey, L"OriginalItems");
    ::RegCloseKey(hKey);
    ASSERT_TRUE(pBar->LoadState(kProfile));
    EXPECT_EQ(BarIds({ID_TEST_SAVE, 0, ID_TEST_PRINT, ID_TEST_CUT}), Layout(*pBar));
}

TEST_F(ToolbarStateTest, ParametersRoundTripAndMissingValuesKeepTheirSetting)
{
    CKTVisualManager* pLook = CKTVisualManager::GetInstance();
    const BOOL bLookBefore = pLook->IsLook2000();
    CKTToolBar::m_bShowTooltips = FALSE;
    CKTToolBar::m_bShowShortcutKeys = TRUE;
    CKTToolBar::m_nMenuAnimation = 2;
    CKTToolBar::m_bRecentlyUsedMenus = FALSE;
    CKTToolBar::m_bMenuShadows = FALSE;
    CKTToolBar::m_bShowAllMenusAfterDelay = FALSE;
    pLook->SetLook2000(TRUE);
    CKTToolBar::GetUsageCount().Reset();
    CKTToolBar::GetUsageCount().AddCmd(ID_TEST_OPEN);
    ASSERT_TRUE(CKTToolBar::SaveParameters(kProfile));

    CKTToolBar::m_bShowTooltips = TRUE;
    CKTToolBar::m_nMenuAnimation = 0;
    CKTToolBar::m_bRecentlyUsedMenus = TRUE;
    CKTToolBar::m_bMenuShadows = TRUE;
    CKTToolBar::m_bShowAllMenusAfterDelay = TRUE;
    pLook->SetLook2000(FALSE);
    CKTToolBar::GetUsageCount().Reset();
    ASSERT_TRUE(CKTToolBar::LoadParameters(kProfile));
    EXPECT_FALSE(CKTToolBar::m_bShowTooltips);
    EXPECT_EQ(2, CKTToolBar::m_nMenuAnimation);
    EXPECT_FALSE(CKTToolBar::m_bRecentlyUsedMenus);
    EXPECT_FALSE(CKTToolBar::m_bMenuShadows);
    EXPECT_FALSE(CKTToolBar::m_bShowAllMenusAfterDelay);
    EXPECT_TRUE(pLook->IsLook2000());
    EXPECT_EQ(1u, CKTToolBar::GetUsageCount().GetCount(ID_TEST_OPEN));

    // A section holding only some values: those are taken, the rest keep their setting.
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kParametersKey);
    WriteInt(kParametersKey, L"Tooltips", 1);
    WriteInt(kParametersKey, L"MenuShadows", 1);
    WriteInt(kParametersKey, L"MenuAnimation", 99);
    EXPECT_FALSE(CKTToolBar::LoadParameters(kProfile));
    EXPECT_TRUE(CKTToolBar::m_bShowTooltips);
    EXPECT_TRUE(CKTToolBar::m_bMenuShadows);
    EXPECT_EQ(2, CKTToolBar::m_nMenuAnimation) << "an animation no menu knows is not taken";
    EXPECT_FALSE(CKTToolBar::m_bRecentlyUsedMenus);
    EXPECT_TRUE(pLook->IsLook2000()) << "a missing Look2000 is no reason to reset it";
    EXPECT_EQ(1u, CKTToolBar::GetUsageCount().GetCount(ID_TEST_OPEN));

    ::RegDeleteTreeW(HKEY_CURRENT_USER, kParametersKey);
    EXPECT_FALSE(CKTToolBar::LoadParameters(kProfile)) << "no section";
    pLook->SetLook2000(bLookBefore);
    CKTToolBar::m_bShowTooltips = TRUE;
    CKTToolBar::m_bMenuShadows = TRUE;
    CKTToolBar::m_nMenuAnimation = 0;
    CKTToolBar::m_bRecentlyUsedMenus = TRUE;
    CKTToolBar::m_bShowAllMenusAfterDelay = TRUE;
    CKTToolBar::GetUsageCount().Reset();
}

// The keyboard manager without windows: tables stored in the registry and read back (also from
// damaged values), the shortcut lookups that tooltips and customize mode make, installing and
// resetting tables, and key texts from the keyboard layout's own names.
#include "tests/uitoolkit/customize/CustomizeTestApp.h"
#include "tests/uitoolkit/customize/CustomizeTestIds.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/customize/KTKeyHelper.h"
#include "uitoolkit/customize/KTKeyboardManager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
const wchar_t kTestRoot[] = L"SOFTWARE\\KestCustomizeTests\\Keyboard";
const wchar_t kPrefix[] = L"SOFTWARE\\KestCustomizeTests\\Keyboard\\";

std::vector<ACCEL> Entries(HACCEL hAccel)
{
    std::vector<ACCEL> entries;
    const int nCount = hAccel != nullptr ? ::CopyAcceleratorTable(hAccel, nullptr, 0) : 0;
    if (nCount > 0)
    {
        entries.resize((size_t)nCount);
        ::CopyAcceleratorTable(hAccel, entries.data(), nCount);
    }
    return entries;
}

HACCEL MakeTable(std::vector<ACCEL> entries)
{
    return ::CreateAcceleratorTable(entries.data(), (int)entries.size());
}

void ExpectSameEntries(const std::vector<ACCEL>& expected, const std::vector<ACCEL>& actual)
{
    ASSERT_EQ(expected.size(), actual.size());
    for (size_t i = 0; i < expected.size(); ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(expected[i].fVirt, actual[i].fVirt);
        EXPECT_EQ(expected[i].key, actual[i].key);
        EXPECT_EQ(expected[i].cmd, actual[i].cmd);
    }
}

// The value as stored, or nothing when the key or value is missing.
bool ReadRaw(const std::wstring& key, std::vector<BYTE>& bytes, DWORD& dwType)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    DWORD size = 0;
    LONG result = ::RegQueryValueExW(hKey, L"Accelerators", nullptr, &dwType, nullptr, &size);
    bytes.assign(size, 0);
    if (result == ERROR_SUCCESS && size > 0)
        result = ::RegQueryValueExW(hKey, L"Accelerators", nullptr, &dwType, bytes.data(), &size);
    ::RegCloseKey(hKey);
    return result == ERROR_SUCCESS;
}

void WriteRaw(const std::wstring& key, DWORD dwType, const std::vector<BYTE>& bytes)
{
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                               &hKey, nullptr));
    ::RegSetValueExW(hKey, L"Accelerators", 0, dwType, bytes.empty() ? nullptr : bytes.data(), (DWORD)bytes.size());
    ::RegCloseKey(hKey);
}

std::wstring TableKey(UINT uiTable)
{
    return std::wstring(kPrefix) + L"KTKeyboard-" + std::to_wstring(uiTable);
}

// The name the keyboard layout gives, cased as the toolkit shows it.
CString LayoutKeyName(UINT uiVirtKey, bool bExtended)
{
    LONG lParam = (LONG)(::MapVirtualKeyW(uiVirtKey, MAPVK_VK_TO_VSC) << 16) | 1;
    if (bExtended)
        lParam |= 0x1000000;
    wchar_t szName[50] = {};
    ::GetKeyNameTextW(lParam, szName, 50);
    CString name(szName);
    name.MakeLower();
    for (int i = 0; i < name.GetLength(); ++i)
    {
        if (::IsCharLowerW(name[i]))
        {
            name.SetAt(i, (wchar_t)(UINT_PTR)::CharUpperW(reinterpret_cast<LPWSTR>((UINT_PTR)name[i])));
            break;
        }
    }
    return name;
}

CString Formatted(ACCEL accel)
{
    CString str;
    CKTKeyHelper(&accel).Format(str);
    return str;
}

// A frame object without a window: its default table is its own table.
class CTableFrame : public CFrameWnd
{
public:
    explicit CTableFrame(HACCEL hAccel)
    {
        m_hAccelTable = hAccel;
        m_bOwnAccelTable = TRUE;
    }
};

class KeyboardManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestRoot);
        CKTKeyboardManager::CleanUp();
    }
    void TearDown() override
    {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestRoot);
        CKTKeyboardManager::CleanUp();
    }

    CKTKeyboardManager m_manager;
};

TEST_F(KeyboardManagerTest, TheInstanceIsTheGlobalManagerWhileItLives)
{
    EXPECT_EQ(&m_manager, g_pKeyboardManager);
    {
        CKTKeyboardManager second;
        EXPECT_EQ(&second, g_pKeyboardManager);
    }
    EXPECT_EQ(nullptr, g_pKeyboardManager);
}

TEST_F(KeyboardManagerTest, SavedTableIsTheSystemRecordsByteForByteUnderItsNumberedKey)
{
    const std::vector<ACCEL> entries = {
        {FVIRTKEY | FCONTROL, 'N', 100},
        {FVIRTKEY | FALT | FSHIFT | FNOINVERT, VK_DELETE, 0xFFFF},
        {0, 'a', 0x1234},
        {FVIRTKEY, VK_F5, 200},
    };
    HACCEL hAccel = MakeTable(entries);
    ASSERT_NE(nullptr, hAccel);
    ASSERT_TRUE(m_manager.SaveAccelTable(kPrefix, 4111, hAccel));

    // Six bytes a record: flags, a zero pad byte, the key and the command little-endian.
    std::vector<BYTE> expected;
    for (const ACCEL& entry : Entries(hAccel))
    {
        const BYTE record[6] = {entry.fVirt,      0, LOBYTE(entry.key), HIBYTE(entry.key), LOBYTE(entry.cmd),
                                HIBYTE(entry.cmd)};
        expected.insert(expected.end(), record, record + 6);
    }
    std::vector<BYTE> stored;
    DWORD dwType = 0;
    ASSERT_TRUE(ReadRaw(TableKey(4111), stored, dwType));
    EXPECT_EQ((DWORD)REG_BINARY, dwType);
    EXPECT_EQ(expected, stored);
    ASSERT_EQ(24u, stored.size());

    HACCEL hLoaded = nullptr;
    ASSERT_TRUE(m_manager.LoadAccelTable(kPrefix, 4111, hLoaded));
    ExpectSameEntries(Entries(hAccel), Entries(hLoaded));
    ::DestroyAcceleratorTable(hLoaded);
    ::DestroyAcceleratorTable(hAccel);
}

TEST_F(KeyboardManagerTest, DamagedStoredTablesLoadOnlyTheirWholeRecords)
{
    const BYTE ctrlN[6] = {FVIRTKEY | FCONTROL, 0, 'N', 0, 100, 0};
    const BYTE f5[6] = {FVIRTKEY, 0x5A, VK_F5, 0, 200, 0}; // a pad byte of any value is ignored
    struct Case
    {
        const char* what;
        bool bWriteKey;
        std::vector<BYTE> bytes;
        bool bLoads;
        size_t nEntries;
    };
    std::vector<BYTE> two(ctrlN, ctrlN + 6);
    two.insert(two.end(), f5, f5 + 6);
    std::vector<BYTE> twoAndCut = two;
    twoAndCut.push_back(FVIRTKEY);
    const Case cases[] = {
        {"no key", false, {}, false, 0},
        {"empty value", true, {}, false, 0},
        {"shorter than a record", true, {FVIRTKEY, 0, 'N', 0, 100}, false, 0},
        {"two records", true, two, true, 2},
        {"two records and a cut-off one", true, twoAndCut, true, 2},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestRoot);
        if (c.bWriteKey)
            WriteRaw(TableKey(3), REG_BINARY, c.bytes);
        HACCEL hLoaded = nullptr;
        EXPECT_EQ(c.bLoads, m_manager.LoadAccelTable(kPrefix, 3, hLoaded) != FALSE);
        EXPECT_EQ(c.nEntries, Entries(hLoaded).size());
        if (c.bLoads && hLoaded != nullptr)
        {
            EXPECT_EQ(VK_F5, Entries(hLoaded)[1].key);
            ::DestroyAcceleratorTable(hLoaded);
        }
    }
}

TEST_F(KeyboardManagerTest, ForbiddenCommandsLoadAsCommandZero)
{
    const WORD wForbidden = 34555;
    CKTToolBar::AddForbiddenCommand(wForbidden);
    HACCEL hAccel = MakeTable({{FVIRTKEY, VK_F7, wForbidden}, {FVIRTKEY, VK_F8, 300}});
    ASSERT_TRUE(m_manager.SaveAccelTable(kPrefix, 0, hAccel));
    HACCEL hLoaded = nullptr;
    ASSERT_TRUE(m_manager.LoadAccelTable(kPrefix, 0, hLoaded));
    ExpectSameEntries({{FVIRTKEY, VK_F7, 0}, {FVIRTKEY, VK_F8, 300}}, Entries(hLoaded));
    ::DestroyAcceleratorTable(hLoaded);
    ::DestroyAcceleratorTable(hAccel);
}

TEST_F(KeyboardManagerTest, TakenKeysNeedExactlyTheSameFlags)
{
    CTableFrame frame(MakeTable({{FVIRTKEY | FCONTROL, 'K', 100}, {FVIRTKEY, VK_F2, 101}}));
    struct Case
    {
        WORD wKey;
        BYTE fVirt;
        BOOL bTaken;
    };
    const Case cases[] = {
        {'K', FVIRTKEY | FCONTROL, TRUE}, {'K', FVIRTKEY | FCONTROL | FNOINVERT, FALSE},
        {'K', FVIRTKEY, FALSE},           {'K', FVIRTKEY | FCONTROL | FSHIFT, FALSE},
        {VK_F2, FVIRTKEY, TRUE},          {VK_F3, FVIRTKEY, FALSE},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.wKey << " " << (int)c.fVirt);
        EXPECT_EQ(c.bTaken, CKTKeyboardManager::IsKeyInAccelTable(c.wKey, c.fVirt, &frame, TRUE));
    }
    EXPECT_FALSE(CKTKeyboardManager::IsKeyInAccelTable('K', FVIRTKEY | FCONTROL, nullptr, TRUE));
    CTableFrame noTable(nullptr);
    EXPECT_FALSE(CKTKeyboardManager::IsKeyInAccelTable('K', FVIRTKEY | FCONTROL, &noTable, TRUE));
}

TEST_F(KeyboardManagerTest, ShortcutTextIsTheFirstEntryOfTheCommandAndFollowsANewTable)
{
    CTableFrame frame(MakeTable({{FVIRTKEY, VK_F9, 7}, {FVIRTKEY | FCONTROL, 'N', 100}, {FVIRTKEY, VK_F2, 100}}));
    CString str = L"left over";
    ASSERT_TRUE(CKTKeyboardManager::FindDefaultAccelerator(100, str, &frame, TRUE));
    EXPECT_EQ(Formatted({FVIRTKEY | FCONTROL, 'N', 100}), str);

    str = L"left over";
    EXPECT_FALSE(CKTKeyboardManager::FindDefaultAccelerator(555, str, &frame, TRUE));
    EXPECT_TRUE(str.IsEmpty());
    EXPECT_FALSE(CKTKeyboardManager::FindDefaultAccelerator(100, str, nullptr, TRUE));

    // A child frame's lookups keep their own copy beside the main frame's.
    CTableFrame child(MakeTable({{FVIRTKEY, VK_F4, 100}}));
    ASSERT_TRUE(CKTKeyboardManager::FindDefaultAccelerator(100, str, &child, FALSE));
    EXPECT_EQ(Formatted({FVIRTKEY, VK_F4, 100}), str);
    ASSERT_TRUE(CKTKeyboardManager::FindDefaultAccelerator(100, str, &frame, TRUE));
    EXPECT_EQ(Formatted({FVIRTKEY | FCONTROL, 'N', 100}), str);

    // A table installed in place of the old one is read afresh, also when the system hands the
    // new table the old one's handle.
    ASSERT_TRUE(m_manager.UpdateAccelTable(nullptr, MakeTable({{FVIRTKEY | FSHIFT, VK_F6, 100}}), &frame));
    ASSERT_TRUE(CKTKeyboardManager::FindDefaultAccelerator(100, str, &frame, TRUE));
    EXPECT_EQ(Formatted({FVIRTKEY | FSHIFT, VK_F6, 100}), str);
    EXPECT_FALSE(CKTKeyboardManager::IsKeyInAccelTable('N', FVIRTKEY | FCONTROL, &frame, TRUE));
}

TEST_F(KeyboardManagerTest, InstallingATableReplacesAndDestroysTheOldOne)
{
    HACCEL hOld = MakeTable({{FVIRTKEY, VK_F2, 1}});
    CTableFrame frame(hOld);
    const ACCEL entries[] = {{FVIRTKEY, VK_F3, 2}, {FVIRTKEY, VK_F4, 3}};
    ASSERT_TRUE(m_manager.UpdateAccelTable(nullptr, const_cast<LPACCEL>(entries), 2, &frame));
    ExpectSameEntries({entries[0], entries[1]}, Entries(frame.m_hAccelTable));
    EXPECT_EQ(0, ::CopyAcceleratorTable(hOld, nullptr, 0));

    // Nothing had a table: nothing gets one, and the caller keeps the table it offered.
    CTableFrame noTable(nullptr);
    HACCEL hOffered = MakeTable({{FVIRTKEY, VK_F5, 4}});
    EXPECT_FALSE(m_manager.UpdateAccelTable(nullptr, hOffered, &noTable));
    EXPECT_EQ(nullptr, noTable.m_hAccelTable);
    EXPECT_EQ(1, ::CopyAcceleratorTable(hOffered, nullptr, 0));
    ::DestroyAcceleratorTable(hOffered);
    EXPECT_FALSE(m_manager.UpdateAccelTable(nullptr, const_cast<LPACCEL>(entries), 0, &frame));

    // A template hands its new table to its frames.
    CMultiDocTemplate docTemplate(IDR_TEST_DOCTYPE, RUNTIME_CLASS(CDocument), RUNTIME_CLASS(CFrameWnd),
                                  RUNTIME_CLASS(CView));
    ASSERT_NE(nullptr, docTemplate.m_hAccelTable);
    ASSERT_TRUE(m_manager.UpdateAccelTable(&docTemplate, const_cast<LPACCEL>(entries), 1));
    ExpectSameEntries({entries[0]}, Entries(docTemplate.m_hAccelTable));
}

TEST_F(KeyboardManagerTest, StateRoundTripsThroughTheRegistryAndResetGoesBackToTheResources)
{
    CMultiDocTemplate* pTemplate = TestDocTemplate(IDR_TEST_DOCTYPE);
    ASSERT_NE(nullptr, pTemplate);
    CTableFrame frame(MakeTable({{FVIRTKEY | FCONTROL, 'Q', 9}}));
    frame.m_nIDHelp = IDR_TEST_MAINFRAME;
    struct MainWindowScope
    {
        CWnd* pOld;
        explicit MainWindowScope(CWnd* pMain) : pOld(CustomizeTestApp().m_pMainWnd)
        {
            CustomizeTestApp().m_pMainWnd = pMain;
        }
        ~MainWindowScope() { CustomizeTestApp().m_pMainWnd = pOld; }
    } mainWindow(&frame);

    ASSERT_TRUE(m_manager.UpdateAccelTable(pTemplate, MakeTable({{FVIRTKEY, VK_F11, 11}})));
    ASSERT_TRUE(m_manager.SaveState(kPrefix, nullptr));
    std::vector<BYTE> bytes;
    DWORD dwType = 0;
    EXPECT_TRUE(ReadRaw(TableKey(0), bytes, dwType));
    EXPECT_TRUE(ReadRaw(TableKey(IDR_TEST_DOCTYPE), bytes, dwType));

    ASSERT_TRUE(m_manager.UpdateAccelTable(nullptr, MakeTable({{FVIRTKEY, VK_F12, 12}}), &frame));
    ASSERT_TRUE(m_manager.UpdateAccelTable(pTemplate, MakeTable({{FVIRTKEY, VK_F12, 12}})));
    ASSERT_TRUE(m_manager.LoadState(kPrefix, &frame));
    ExpectSameEntries({{FVIRTKEY | FCONTROL, 'Q', 9}}, Entries(frame.m_hAccelTable));
    ExpectSameEntries({{FVIRTKEY, VK_F11, 11}}, Entries(pTemplate->m_hAccelTable));

    m_manager.ResetAll();
    HACCEL hMainResource = ::LoadAcceleratorsW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_TEST_MAINFRAME));
    HACCEL hDocResource = ::LoadAcceleratorsW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_TEST_DOCTYPE));
    ExpectSameEntries(Entries(hMainResource), Entries(frame.m_hAccelTable));
    ExpectSameEntries(Entries(hDocResource), Entries(pTemplate->m_hAccelTable));
    EXPECT_EQ(2u, Entries(frame.m_hAccelTable).size());
}

TEST_F(KeyboardManagerTest, KeyTextsUseTheLayoutsNamesInTheOrderCtrlShiftAlt)
{
    const CString ctrl = LayoutKeyName(VK_CONTROL, false);
    const CString shift = LayoutKeyName(VK_SHIFT, false);
    const CString alt = LayoutKeyName(VK_MENU, false);
    struct Case
    {
        ACCEL accel;
        CString expected;
    };
    const Case cases[] = {
        {{FVIRTKEY | FSHIFT | FCONTROL, VK_F5, 1}, ctrl + L"+" + shift + L"+" + LayoutKeyName(VK_F5, false)},
        {{FVIRTKEY | FALT | FSHIFT | FCONTROL, 'K', 1},
         ctrl + L"+" + shift + L"+" + alt + L"+" + LayoutKeyName('K', false)},
        {{FVIRTKEY | FALT, VK_DELETE, 1}, alt + L"+" + LayoutKeyName(VK_DELETE, true)},
        {{FVIRTKEY, VK_PRIOR, 1}, LayoutKeyName(VK_PRIOR, true)},
        {{0, 27, 1}, L""},
        {{0, 'A', 1}, L"A"},
        {{FCONTROL, 'A', 1}, ctrl + L"+A"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << (int)c.accel.fVirt << " " << c.accel.key);
        EXPECT_EQ(c.expected, Formatted(c.accel));
    }
    EXPECT_FALSE(ctrl.IsEmpty());
    // Navigation keys carry their own names, not the numeric keypad's.
    if (LayoutKeyName(VK_DELETE, true) != LayoutKeyName(VK_DELETE, false))
    {
        EXPECT_EQ(-1, Formatted({FVIRTKEY, VK_DELETE, 1}).Find(LayoutKeyName(VK_DELETE, false)));
    }

    CString str = L"left over";
    CKTKeyHelper(nullptr).Format(str);
    EXPECT_TRUE(str.IsEmpty());
}

TEST_F(KeyboardManagerTest, MnemonicCharactersAreUpperCase)
{
    EXPECT_EQ((UINT)'Q', CKTKeyboardManager::TranslateCharToUpper('q'));
    EXPECT_EQ((UINT)'Q', CKTKeyboardManager::TranslateCharToUpper('Q'));
    EXPECT_EQ((UINT)'7', CKTKeyboardManager::TranslateCharToUpper(VK_NUMPAD7));
}

} // namespace

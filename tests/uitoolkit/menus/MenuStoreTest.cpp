// The menu file store (temporary files per menu, their lifetime, failures) and the tear-off ids
// (ranges, marked texts, menus walked by position).
#include "uitoolkit/bars/KTMenuStore.h"
#include "uitoolkit/bars/KTToolBar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
// A bar that stores its buttons' commands, or fails on demand in the middle of writing.
class CStoredBar : public CKTToolBar
{
public:
    BOOL m_bThrowOnStore = FALSE;
    std::vector<UINT> m_loaded;

    void AddCommand(UINT uiCmd) { InsertButton(new CKTToolbarButton(uiCmd, -1, L"x")); }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
        {
            ar << static_cast<DWORD>(GetCount());
            if (m_bThrowOnStore)
                AfxThrowArchiveException(CArchiveException::genericException);
            for (int i = 0; i < GetCount(); i++)
                ar << static_cast<DWORD>(GetButton(i)->m_nID);
            return;
        }
        DWORD nCount = 0;
        ar >> nCount;
        m_loaded.clear();
        for (DWORD i = 0; i < nCount && i < 100; i++)
        {
            DWORD uiCmd = 0;
            ar >> uiCmd;
            m_loaded.push_back(uiCmd);
        }
    }
};

class MenuStoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        wchar_t szTemp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, szTemp);
        m_strFolder.Format(L"%skest-menustore-%u\\", szTemp, ::GetCurrentProcessId());
        ::CreateDirectoryW(m_strFolder, nullptr);
        m_store.m_strFolder = m_strFolder;
    }
    void TearDown() override
    {
        m_store.RemoveAll();
        for (const std::wstring& name : Files())
            ::DeleteFileW(m_strFolder + name.c_str());
        ::RemoveDirectoryW(m_strFolder);
    }
    std::vector<std::wstring> Files() const
    {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW data;
        HANDLE hFind = ::FindFirstFileW(m_strFolder + L"*", &data);
        if (hFind == INVALID_HANDLE_VALUE)
            return names;
        do
        {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.push_back(data.cFileName);
        } while (::FindNextFileW(hFind, &data));
        ::FindClose(hFind);
        return names;
    }

    CString m_strFolder;
    CKTMenuFileStore m_store;
};
} // namespace

TEST_F(MenuStoreTest, EmptyBarIsNotStored)
{
    CStoredBar bar;
    EXPECT_FALSE(m_store.SaveMenu(0x1230, bar));
    EXPECT_FALSE(m_store.HasMenu(0x1230));
    EXPECT_TRUE(Files().empty());
}

TEST_F(MenuStoreTest, SavedMenuLoadsAgainAndStaysForLaterLoads)
{
    CStoredBar bar;
    bar.AddCommand(101);
    bar.AddCommand(102);
    ASSERT_TRUE(m_store.SaveMenu(0x1230, bar));
    ASSERT_EQ(1u, Files().size());
    EXPECT_EQ(0, Files()[0].compare(0, 2, L"KT")) << "a \"KT\" temporary file";
    for (int round = 0; round < 2; round++)
    {
        CStoredBar loaded;
        EXPECT_TRUE(m_store.LoadMenu(0x1230, loaded));
        EXPECT_EQ((std::vector<UINT>{101, 102}), loaded.m_loaded) << round;
    }
    CStoredBar other;
    EXPECT_FALSE(m_store.LoadMenu(0x4560, other)) << "nothing stored under that id";
}

TEST_F(MenuStoreTest, SavingTwiceLeavesOneFileAndRemovingDeletesIt)
{
    CStoredBar bar;
    bar.AddCommand(101);
    ASSERT_TRUE(m_store.SaveMenu(0x1230, bar));
    const std::vector<std::wstring> first = Files();
    bar.AddCommand(103);
    ASSERT_TRUE(m_store.SaveMenu(0x1230, bar));
    const std::vector<std::wstring> second = Files();
    ASSERT_EQ(1u, second.size()) << "the first file went when it was replaced";
    EXPECT_EQ(1, m_store.GetCount());
    CStoredBar loaded;
    ASSERT_TRUE(m_store.LoadMenu(0x1230, loaded));
    EXPECT_EQ((std::vector<UINT>{101, 103}), loaded.m_loaded);

    // Ids in one bucket ((id >> 4) % 17) are told apart by the whole key.
    CStoredBar neighbour;
    neighbour.AddCommand(201);
    ASSERT_TRUE(m_store.SaveMenu(0x1230 + 17 * 16, neighbour));
    EXPECT_EQ(2u, Files().size());
    EXPECT_TRUE(m_store.RemoveMenu(0x1230));
    EXPECT_FALSE(m_store.HasMenu(0x1230)) << "a closed file leaves the map at once";
    EXPECT_FALSE(m_store.RemoveMenu(0x1230));
    EXPECT_EQ(1u, Files().size());
    ASSERT_TRUE(m_store.LoadMenu(0x1230 + 17 * 16, loaded));
    EXPECT_EQ((std::vector<UINT>{201}), loaded.m_loaded);
    m_store.RemoveAll();
    EXPECT_EQ(0, m_store.GetCount());
    EXPECT_TRUE(Files().empty());
}

TEST_F(MenuStoreTest, FailedSavesLeaveNoEntryAndNoFile)
{
    CStoredBar bar;
    bar.AddCommand(101);
    ASSERT_TRUE(m_store.SaveMenu(0x1230, bar));

    // A save that cannot create its file: the old entry is gone, nothing stands in for it.
    m_store.m_strFolder = m_strFolder + L"missing\\";
    EXPECT_FALSE(m_store.SaveMenu(0x1230, bar));
    EXPECT_FALSE(m_store.HasMenu(0x1230));
    CStoredBar loaded;
    EXPECT_FALSE(m_store.LoadMenu(0x1230, loaded));
    m_store.m_strFolder = m_strFolder;
    EXPECT_TRUE(Files().empty());

    // A bar whose serialisation throws: its new file is closed (and so deleted).
    bar.m_bThrowOnStore = TRUE;
    EXPECT_FALSE(m_store.SaveMenu(0x4560, bar));
    EXPECT_FALSE(m_store.HasMenu(0x4560));
    EXPECT_TRUE(Files().empty());
}

TEST_F(MenuStoreTest, MenusWhoseHandlesShareTheirLowHalfKeepTheirOwnCopies)
{
    // On 64-bit a handle value does not fit a 32-bit id: two menus that differ only above bit
    // 31 must not find each other's copy.
    const UINT_PTR uiLow = 0x1230;
    const UINT_PTR uiHigh = sizeof(UINT_PTR) > 4
                                ? static_cast<UINT_PTR>((static_cast<unsigned long long>(1) << 32) | uiLow)
                                : static_cast<UINT_PTR>(0x80001230u);
    CStoredBar first;
    first.AddCommand(101);
    CStoredBar second;
    second.AddCommand(202);
    ASSERT_TRUE(m_store.SaveMenu(uiLow, first));
    EXPECT_FALSE(m_store.HasMenu(uiHigh));
    ASSERT_TRUE(m_store.SaveMenu(uiHigh, second));
    EXPECT_EQ(2, m_store.GetCount());
    CStoredBar loaded;
    ASSERT_TRUE(m_store.LoadMenu(uiLow, loaded));
    EXPECT_EQ((std::vector<UINT>{101}), loaded.m_loaded);
    ASSERT_TRUE(m_store.LoadMenu(uiHigh, loaded));
    EXPECT_EQ((std::vector<UINT>{202}), loaded.m_loaded);
    EXPECT_TRUE(m_store.RemoveMenu(uiHigh));
    EXPECT_TRUE(m_store.HasMenu(uiLow));

    // A menu handle is its own id.
    HMENU hMenu = ::CreatePopupMenu();
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(hMenu), CKTMenuFileStore::MenuId(hMenu));
    ::DestroyMenu(hMenu);
}

TEST(TearOffIdTest, FreeIdsUseCountsAndEmptyRanges)
{
    CKTTearOffIdTable table(1000, 1002);
    EXPECT_EQ(1000u, table.GetFreeId());
    EXPECT_EQ(1001u, table.GetFreeId());
    table.AddRef(1000, FALSE);
    EXPECT_EQ(1000u, table.GetFreeId()) << "a released id is handed out again";
    EXPECT_EQ(1002u, table.GetFreeId());
    EXPECT_EQ(0u, table.GetFreeId()) << "full";
    table.AddRef(1001, FALSE);
    table.AddRef(1001, FALSE);
    EXPECT_EQ(0, table.GetUseCount(1001)) << "never below 0";
    table.AddRef(5, TRUE); // outside: ignored
    EXPECT_EQ(0, table.GetUseCount(5));

    CKTTearOffIdTable unset(0, 0);
    EXPECT_EQ(0u, unset.GetFreeId());
    CKTTearOffIdTable reversed(20, 10);
    EXPECT_EQ(0u, reversed.GetFreeId());
}

TEST(TearOffIdTest, MarkedTexts)
{
    const struct
    {
        std::wstring text;
        UINT id;
        std::wstring rest;
    } cases[] = {
        {L"\x01"
         L"12\x01"
         L"Edit",
         12, L"Edit"},
        {L"\x01"
         L"12Edit",
         0,
         L"\x01"
         L"12Edit"},
        {L"Edit", 0, L"Edit"},
        {L"", 0, L""},
        {L"\x01"
         L"7\x01",
         7, L""},
    };
    for (const auto& c : cases)
    {
        CString strText(c.text.c_str());
        EXPECT_EQ(c.id, CKTTearOffIdTable::ParseTearOffId(strText)) << c.rest;
        EXPECT_STREQ(c.rest.c_str(), static_cast<LPCWSTR>(strText));
    }
    CString strText(L"&View");
    CKTTearOffIdTable::FormatTearOffText(345, strText);
    EXPECT_STREQ(L"\x01"
                 L"345\x01"
                 L"&View",
                 static_cast<LPCWSTR>(strText));
}

TEST(TearOffIdTest, AssignStopsWhenTheRangeRunsOutAndFreeReleases)
{
    CKTTearOffIdTable table(500, 502);
    HMENU hMenu = ::CreateMenu();
    HMENU hSubs[5];
    for (int i = 0; i < 5; i++)
    {
        hSubs[i] = ::CreatePopupMenu();
        ::AppendMenuW(hSubs[i], MF_STRING, 100 + i, L"Item");
        std::wstring text = L"Menu" + std::to_wstring(i);
        ::AppendMenuW(hMenu, MF_POPUP | MF_MENUBARBREAK, reinterpret_cast<UINT_PTR>(hSubs[i]), text.c_str());
    }
    // A plain popup without the break bit gets no id.
    HMENU hPlain = ::CreatePopupMenu();
    ::AppendMenuW(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hPlain), L"Plain");
    table.AssignMenuIds(hMenu);
    auto text = [&](int i) {
        wchar_t sz[64] = {};
        ::GetMenuStringW(hMenu, i, sz, 64, MF_BYPOSITION);
        return std::wstring(sz);
    };
    EXPECT_EQ(L"\x01"
              L"500\x01"
              L"Menu0",
              text(0));
    EXPECT_EQ(L"\x01"
              L"502\x01"
              L"Menu2",
              text(2));
    EXPECT_EQ(L"Menu3", text(3)) << "the fourth finds no free id and stops the walk";
    EXPECT_EQ(L"Menu4", text(4));
    EXPECT_EQ(L"Plain", text(5));
    EXPECT_EQ(hSubs[1], ::GetSubMenu(hMenu, 1)) << "the item keeps its submenu";
    EXPECT_TRUE(::GetMenuState(hMenu, 1, MF_BYPOSITION) & MF_MENUBARBREAK) << "and its state";

    table.FreeMenuIds(hMenu);
    EXPECT_EQ(0, table.GetUseCount(500));
    EXPECT_EQ(0, table.GetUseCount(502));
    table.AssignMenuIds(hMenu);
    EXPECT_EQ(L"\x01"
              L"500\x01"
              L"Menu0",
              text(0))
        << "marked items keep their ids";
    EXPECT_EQ(L"\x01"
              L"500\x01"
              L"Menu3",
              text(3))
        << "freed ids are handed out again";
    ::DestroyMenu(hMenu);
}

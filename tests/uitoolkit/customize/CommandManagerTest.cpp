// The command manager: its image maps and their invariants, the list of commands without menu
// images, and that list's round trip through the real registry of the test prefix.
#include "tests/uitoolkit/customize/CustomizeTestApp.h"
#include "uitoolkit/customize/KTCommandManager.h"
#include "uitoolkit/looks/KTRegistry.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
const wchar_t kScratchRoot[] = L"Software\\KestCustomizeTests";
const wchar_t kProfile[] = L"Software\\KestCustomizeTests\\Workspace\\";
const wchar_t kManagerKey[] = L"Software\\KestCustomizeTests\\Workspace\\KTCommandManager";

std::vector<UINT> ListOf(const CKTCommandManager& manager)
{
    std::vector<UINT> ids;
    const CList<UINT, UINT>& list = manager.GetCommandsWithoutImages();
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        ids.push_back(list.GetNext(pos));
    return ids;
}

void WriteRawValue(const std::vector<BYTE>& bytes)
{
    CKTRegistry reg(FALSE, FALSE);
    ASSERT_TRUE(reg.CreateKey(kManagerKey));
    ASSERT_TRUE(reg.Write(L"CommandsWithoutImages", const_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size())));
}

std::vector<BYTE> ReadRawValue(LPCTSTR key)
{
    CKTRegistry reg(FALSE, TRUE);
    std::vector<BYTE> bytes;
    if (!reg.Open(key))
        return bytes;
    BYTE* pData = nullptr;
    UINT nBytes = 0;
    if (reg.Read(L"CommandsWithoutImages", &pData, &nBytes))
        bytes.assign(pData, pData + nBytes);
    delete[] pData;
    return bytes;
}

class CommandManagerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_manager.ClearAllCmdImages();
        CKTRegistry(FALSE, FALSE).DeleteKey(kScratchRoot);
    }
    void TearDown() override
    {
        m_manager.ClearAllCmdImages();
        CKTRegistry(FALSE, FALSE).DeleteKey(kScratchRoot);
    }

    CKTCommandManager& m_manager = *CKTCommandManager::GetInstance();
};

TEST_F(CommandManagerTest, IsOneAlwaysPresentInstance)
{
    ASSERT_NE(nullptr, CKTCommandManager::GetInstance());
    EXPECT_EQ(CKTCommandManager::GetInstance(), CKTCommandManager::GetInstance());
    m_manager.SetCmdImage(100, 7, FALSE);
    EXPECT_EQ(7, GetCommandImage(100));
    EXPECT_EQ(-1, GetCommandImage(100, TRUE));
}

TEST_F(CommandManagerTest, ImageMapsKeepTheirInvariants)
{
    struct Step
    {
        UINT cmd;
        int image;
        BOOL user;
    };
    struct Case
    {
        const char* what;
        std::vector<Step> steps;
        UINT cmd;
        int expectStandard;
        int expectUser;
    };
    const Case cases[] = {
        {"no entry", {}, 100, -1, -1},
        {"standard image", {{100, 3, FALSE}}, 100, 3, -1},
        {"user image", {{100, 4, TRUE}}, 100, -1, 4},
        {"standard image replaced", {{100, 3, FALSE}, {100, 9, FALSE}}, 100, 9, -1},
        {"user image replaced", {{100, 3, TRUE}, {100, 8, TRUE}}, 100, -1, 8},
        {"no user image beside a standard one", {{100, 3, FALSE}, {100, 5, TRUE}}, 100, 3, -1},
        {"no standard image beside a user one", {{100, 5, TRUE}, {100, 3, FALSE}}, 100, -1, 5},
        {"command 0 ignored", {{0, 2, FALSE}, {0, 2, TRUE}}, 0, -1, -1},
        {"command -1 ignored", {{(UINT)-1, 2, FALSE}, {(UINT)-1, 2, TRUE}}, (UINT)-1, -1, -1},
        {"other commands apart", {{100, 1, FALSE}, {101, 2, TRUE}}, 101, -1, 2},
    };
    for (const Case& c : cases)
    {
        m_manager.ClearAllCmdImages();
        for (const Step& s : c.steps)
            m_manager.SetCmdImage(s.cmd, s.image, s.user);
        EXPECT_EQ(c.expectStandard, m_manager.GetCmdImage(c.cmd, FALSE)) << c.what;
        EXPECT_EQ(c.expectUser, m_manager.GetCmdImage(c.cmd, TRUE)) << c.what;
    }
}

TEST_F(CommandManagerTest, ClearingUserImagesLetsAStandardImageIn)
{
    m_manager.SetCmdImage(200, 6, TRUE);
    m_manager.SetCmdImage(201, 7, TRUE);
    m_manager.SetCmdImage(300, 1, FALSE);
    m_manager.ClearUserCmdImage(200);
    m_manager.ClearUserCmdImage(999); // nothing to clear
    EXPECT_EQ(-1, m_manager.GetCmdImage(200, TRUE));
    EXPECT_EQ(7, m_manager.GetCmdImage(201, TRUE));
    m_manager.SetCmdImage(200, 2, FALSE);
    EXPECT_EQ(2, m_manager.GetCmdImage(200, FALSE));

    m_manager.ClearUserCmdImage(201);
    m_manager.SetCmdImage(201, 4, TRUE); // the emptied map takes entries again
    EXPECT_EQ(4, m_manager.GetCmdImage(201, TRUE));

    m_manager.EnableMenuItemImage(300, FALSE);
    m_manager.ClearAllCmdImages();
    EXPECT_EQ(-1, m_manager.GetCmdImage(300, FALSE));
    EXPECT_EQ(-1, m_manager.GetCmdImage(201, TRUE));
    EXPECT_TRUE(ListOf(m_manager).empty());
}

TEST_F(CommandManagerTest, MenuItemsWithoutImagesAreListedOnceInOrder)
{
    m_manager.EnableMenuItemImage(500, FALSE);
    m_manager.EnableMenuItemImage(400, FALSE);
    m_manager.EnableMenuItemImage(500, FALSE);
    m_manager.EnableMenuItemImage(600, FALSE);
    EXPECT_EQ((std::vector<UINT>{500, 400, 600}), ListOf(m_manager));
    EXPECT_TRUE(m_manager.IsMenuItemWithoutImage(400));

    m_manager.EnableMenuItemImage(700, TRUE); // not listed: nothing changes
    EXPECT_EQ((std::vector<UINT>{500, 400, 600}), ListOf(m_manager));
    m_manager.EnableMenuItemImage(400, TRUE);
    EXPECT_EQ((std::vector<UINT>{500, 600}), ListOf(m_manager));
    EXPECT_FALSE(m_manager.IsMenuItemWithoutImage(400));
}

TEST_F(CommandManagerTest, SavedListComesBackInOrderAtTheNextStart)
{
    for (UINT id : {0x9C40u, 0x8001u, 0xE140u, 0x7FFFFFFFu})
        m_manager.EnableMenuItemImage(id, FALSE);
    ASSERT_TRUE(m_manager.SaveState(kProfile));

    // Count (16 bits), then each id in 32 bits, in list order.
    const std::vector<BYTE> expected = {4, 0,    0x40, 0x9C, 0, 0,    0x01, 0x80, 0,
                                        0, 0x40, 0xE1, 0,    0, 0xFF, 0xFF, 0xFF, 0x7F};
    EXPECT_EQ(expected, ReadRawValue(kManagerKey));

    m_manager.ClearAllCmdImages();
    ASSERT_TRUE(m_manager.LoadState(kProfile));
    EXPECT_EQ((std::vector<UINT>{0x9C40, 0x8001, 0xE140, 0x7FFFFFFF}), ListOf(m_manager));

    // An empty list is stored as such and loads as nothing.
    m_manager.ClearAllCmdImages();
    ASSERT_TRUE(m_manager.SaveState(kProfile));
    EXPECT_EQ((std::vector<BYTE>{0, 0}), ReadRawValue(kManagerKey));
    EXPECT_TRUE(m_manager.LoadState(kProfile));
    EXPECT_TRUE(ListOf(m_manager).empty());
}

TEST_F(CommandManagerTest, WithoutAPathTheApplicationsToolbarSectionIsUsed)
{
    CWinApp& app = CustomizeTestApp();
    LPCTSTR oldKey = app.m_pszRegistryKey;
    LPCTSTR oldProfile = app.m_pszProfileName;
    app.m_pszRegistryKey = L"KestCustomizeTests";
    app.m_pszProfileName = L"Program";

    m_manager.EnableMenuItemImage(1234, FALSE);
    EXPECT_TRUE(m_manager.SaveState());
    EXPECT_EQ(6u, ReadRawValue(L"SOFTWARE\\KestCustomizeTests\\Program\\KTToolBars\\KTCommandManager").size());
    m_manager.ClearAllCmdImages();
    EXPECT_TRUE(m_manager.LoadState(L""));
    EXPECT_EQ((std::vector<UINT>{1234}), ListOf(m_manager));

    app.m_pszRegistryKey = oldKey;
    app.m_pszProfileName = oldProfile;
}

TEST_F(CommandManagerTest, LoadingWithoutSavedStateFailsAndChangesNothing)
{
    EXPECT_FALSE(m_manager.LoadState(kProfile));
    EXPECT_TRUE(ListOf(m_manager).empty());

    m_manager.EnableMenuItemImage(42, FALSE);
    EXPECT_FALSE(m_manager.LoadState(kProfile));
    EXPECT_EQ((std::vector<UINT>{42}), ListOf(m_manager));

    // The key without the value.
    CKTRegistry(FALSE, FALSE).CreateKey(kManagerKey);
    EXPECT_FALSE(m_manager.LoadState(kProfile));
    EXPECT_EQ((std::vector<UINT>{42}), ListOf(m_manager));
}

TEST_F(CommandManagerTest, LoadingAddsNoDuplicates)
{
    // Stored: 20, 10, 30, 20 (a damaged copy may repeat itself); 10 is listed already.
    WriteRawValue({4, 0, 20, 0, 0, 0, 10, 0, 0, 0, 30, 0, 0, 0, 20, 0, 0, 0});
    m_manager.EnableMenuItemImage(10, FALSE);
    ASSERT_TRUE(m_manager.LoadState(kProfile));
    EXPECT_EQ((std::vector<UINT>{10, 20, 30}), ListOf(m_manager));

    // Loading the same state twice changes nothing the second time.
    ASSERT_TRUE(m_manager.LoadState(kProfile));
    EXPECT_EQ((std::vector<UINT>{10, 20, 30}), ListOf(m_manager));
}

TEST_F(CommandManagerTest, ADamagedValueLeavesTheListAsItWas)
{
    for (UINT id : {0x100u, 0x200u, 0x300u})
        m_manager.EnableMenuItemImage(id, FALSE);
    ASSERT_TRUE(m_manager.SaveState(kProfile));
    const std::vector<BYTE> whole = ReadRawValue(kManagerKey);
    ASSERT_EQ(14u, whole.size());

    m_manager.ClearAllCmdImages();
    m_manager.EnableMenuItemImage(7, FALSE);
    for (size_t cut = 0; cut < whole.size(); ++cut)
    {
        WriteRawValue(std::vector<BYTE>(whole.begin(), whole.begin() + cut));
        EXPECT_FALSE(m_manager.LoadState(kProfile)) << "cut at " << cut;
        EXPECT_EQ((std::vector<UINT>{7}), ListOf(m_manager)) << "cut at " << cut;
    }

    // Counts that the value cannot hold: a large 16-bit count, and the escape to a 32-bit count.
    const std::vector<std::vector<BYTE>> foreign = {
        {0xFE, 0xFF, 1, 0, 0, 0},
        {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 1, 0, 0, 0},
        {0xFF, 0xFF, 2, 0, 0, 0, 1, 0, 0, 0},
    };
    for (const std::vector<BYTE>& bytes : foreign)
    {
        WriteRawValue(bytes);
        EXPECT_FALSE(m_manager.LoadState(kProfile));
        EXPECT_EQ((std::vector<UINT>{7}), ListOf(m_manager));
    }
}
} // namespace

// The command usage counter: which commands it counts, the frequently-used threshold, and its
// stored form through an archive and the real registry, damaged copies included.
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/customize/KTCmdUsageCount.h"
#include "uitoolkit/looks/KTRegistry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace
{
const wchar_t kScratchKey[] = L"Software\\KestCustomizeTests\\UsageCount";

std::vector<BYTE> Store(CKTCmdUsageCount& counter)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        counter.Serialize(ar);
        ar.Close();
    }
    const UINT nBytes = static_cast<UINT>(file.GetLength());
    BYTE* pData = file.Detach();
    std::vector<BYTE> bytes(pData, pData + nBytes);
    free(pData);
    return bytes;
}

// FALSE when the archive threw.
bool Load(CKTCmdUsageCount& counter, std::vector<BYTE> bytes)
{
    bytes.push_back(0); // a buffer of its own even when empty
    try
    {
        CMemFile file(bytes.data(), static_cast<UINT>(bytes.size() - 1));
        CArchive ar(&file, CArchive::load);
        counter.Serialize(ar);
        ar.Close();
        return true;
    }
    catch (CException* e)
    {
        e->Delete();
        return false;
    }
}

void Put32(std::vector<BYTE>& bytes, DWORD value)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<BYTE>(value >> (8 * i)));
}

// The stored form of a counter: total, 16-bit count, pairs.
std::vector<BYTE> Stored(DWORD total, std::initializer_list<std::pair<DWORD, DWORD>> pairs)
{
    std::vector<BYTE> bytes;
    Put32(bytes, total);
    bytes.push_back(static_cast<BYTE>(pairs.size()));
    bytes.push_back(0);
    for (const auto& p : pairs)
    {
        Put32(bytes, p.first);
        Put32(bytes, p.second);
    }
    return bytes;
}

void AddTimes(CKTCmdUsageCount& counter, UINT uiCmd, int times)
{
    for (int i = 0; i < times; ++i)
        counter.AddCmd(uiCmd);
}

std::vector<UINT> s_basicCommands;
BOOL IsBasic(UINT uiCmd)
{
    for (UINT basic : s_basicCommands)
        if (basic == uiCmd)
            return TRUE;
    return FALSE;
}

TEST(CmdUsageCountTest, CountsOnlyCommandsThatMenusMayHide)
{
    struct Case
    {
        UINT cmd;
        bool counted;
    };
    const Case cases[] = {
        {0, false},       {(UINT)-1, false},   {0x8000, true},     {0xE10F, true},     {0xE110, false}, {0xE11F, false},
        {0xE120, true},   {0xE20F, true},      {0xE210, false},    {0xE21F, false},    {0xE220, true},  {0xEFFF, true},
        {0xF000, false},  {0xF1EF, false},     {0xF1F0, true},     {0xFEFF, true},     {0xFF00, false}, {0xFFFF, false},
        {0x10000, false}, {0x7FFFFFFF, false}, {0x80000000, true}, {0xFFFFFFFE, true},
    };
    for (const Case& c : cases)
    {
        CKTCmdUsageCount counter;
        counter.AddCmd(c.cmd);
        counter.AddCmd(c.cmd);
        EXPECT_EQ(c.counted ? 2u : 0u, counter.GetCount(c.cmd)) << std::hex << c.cmd;
        EXPECT_EQ(c.counted ? 2u : 0u, counter.GetTotal()) << std::hex << c.cmd;
    }
}

TEST(CmdUsageCountTest, NothingIsCountedInCustomizeModeOrForBasicCommands)
{
    CKTCmdUsageCount counter;
    CKTToolBar::m_bCustomizeMode = TRUE;
    counter.AddCmd(100);
    CKTToolBar::m_bCustomizeMode = FALSE;
    EXPECT_EQ(0u, counter.GetTotal());

    s_basicCommands = {200, 300};
    CKTCmdUsageCount::SetBasicCommandTest(&IsBasic);
    counter.AddCmd(200);
    counter.AddCmd(100);
    CKTCmdUsageCount::SetBasicCommandTest(nullptr);
    counter.AddCmd(300);
    EXPECT_EQ(0u, counter.GetCount(200));
    EXPECT_EQ(1u, counter.GetCount(100));
    EXPECT_EQ(1u, counter.GetCount(300));
    EXPECT_EQ(2u, counter.GetTotal());

    counter.Reset();
    EXPECT_EQ(0u, counter.GetTotal());
    EXPECT_EQ(0u, counter.GetCount(100));
}

TEST(CmdUsageCountTest, FrequentlyUsedMeansAShareAboveFivePercent)
{
    struct Case
    {
        int uses;
        int others;
        bool frequent;
    };
    const Case cases[] = {
        {5, 95, false}, {6, 94, true}, {0, 100, false}, {1, 16, false}, {1, 15, true}, {1, 0, true}, {0, 0, false},
    };
    for (const Case& c : cases)
    {
        CKTCmdUsageCount counter;
        AddTimes(counter, 100, c.uses);
        AddTimes(counter, 101, c.others);
        EXPECT_EQ(c.frequent, counter.IsFrequentlyUsedCmd(100) != FALSE) << c.uses << " of " << c.uses + c.others;
    }

    // Empty: nothing is frequent, and no statistics are needed yet (the minimum is 0).
    CKTCmdUsageCount empty;
    EXPECT_FALSE(empty.IsFrequentlyUsedCmd(100));
    EXPECT_TRUE(empty.HasEnoughStatistics());

    // A stored count too large for the share in 32 bits still counts as the share it is.
    CKTCmdUsageCount large;
    ASSERT_TRUE(Load(large, Stored(0xFFFFFFFF, {{100, 0x80000000}, {101, 0x7FFFFFFF}})));
    EXPECT_TRUE(large.IsFrequentlyUsedCmd(100));
    EXPECT_FALSE(large.IsFrequentlyUsedCmd(102));
}

TEST(CmdUsageCountTest, StoresTheTotalThenTheEntriesBucketByBucket)
{
    // Buckets are (id >> 4) % 17: 0x110 lands in 0, 0x10 and 0x120 in 1 (the later first), 0x20 in 2.
    CKTCmdUsageCount counter;
    AddTimes(counter, 0x20, 1);
    AddTimes(counter, 0x10, 2);
    AddTimes(counter, 0x120, 3);
    AddTimes(counter, 0x110, 4);
    EXPECT_EQ(Stored(10, {{0x110, 4}, {0x120, 3}, {0x10, 2}, {0x20, 1}}), Store(counter));

    CKTCmdUsageCount copy;
    ASSERT_TRUE(Load(copy, Store(counter)));
    EXPECT_EQ(10u, copy.GetTotal());
    for (UINT id : {0x10u, 0x20u, 0x110u, 0x120u})
        EXPECT_EQ(counter.GetCount(id), copy.GetCount(id)) << id;
}

TEST(CmdUsageCountTest, LoadingReplacesTheTotalAndTheStoredCountsOnly)
{
    CKTCmdUsageCount counter;
    AddTimes(counter, 100, 3);
    AddTimes(counter, 200, 4);
    ASSERT_TRUE(Load(counter, Stored(50, {{200, 9}, {300, 41}})));
    EXPECT_EQ(50u, counter.GetTotal());
    EXPECT_EQ(3u, counter.GetCount(100));
    EXPECT_EQ(9u, counter.GetCount(200));
    EXPECT_EQ(41u, counter.GetCount(300));
}

TEST(CmdUsageCountTest, ManyEntriesUseTheLongCount)
{
    std::vector<BYTE> bytes;
    Put32(bytes, 0x10000);
    bytes.push_back(0xFF);
    bytes.push_back(0xFF);
    Put32(bytes, 0x10000);
    for (DWORD i = 0; i < 0x10000; ++i)
    {
        Put32(bytes, 0x80000000 + i);
        Put32(bytes, 1);
    }
    CKTCmdUsageCount counter;
    ASSERT_TRUE(Load(counter, bytes));
    EXPECT_EQ(0x10000u, counter.GetTotal());
    EXPECT_EQ(1u, counter.GetCount(0x8000FFFF));

    const std::vector<BYTE> stored = Store(counter);
    ASSERT_EQ(bytes.size(), stored.size());
    EXPECT_EQ(0, std::memcmp(bytes.data(), stored.data(), 10));
}

TEST(CmdUsageCountTest, ADamagedStreamLeavesTheCounterAsItWas)
{
    CKTCmdUsageCount source;
    AddTimes(source, 100, 2);
    AddTimes(source, 200, 3);
    AddTimes(source, 300, 1);
    const std::vector<BYTE> whole = Store(source);
    ASSERT_EQ(4u + 2u + 3u * 8u, whole.size());

    CKTCmdUsageCount counter;
    AddTimes(counter, 100, 7);
    for (size_t cut = 0; cut < whole.size(); ++cut)
    {
        EXPECT_FALSE(Load(counter, std::vector<BYTE>(whole.begin(), whole.begin() + cut))) << "cut at " << cut;
        EXPECT_EQ(7u, counter.GetTotal()) << "cut at " << cut;
        EXPECT_EQ(7u, counter.GetCount(100)) << "cut at " << cut;
        EXPECT_EQ(0u, counter.GetCount(200)) << "cut at " << cut;
    }
    // A count the stream cannot hold is refused before anything is allocated.
    std::vector<BYTE> huge = {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F};
    EXPECT_FALSE(Load(counter, huge));
    EXPECT_EQ(7u, counter.GetTotal());
}

TEST(CmdUsageCountTest, RoundTripsThroughTheRegistry)
{
    CKTRegistry(FALSE, FALSE).DeleteKey(kScratchKey);
    CKTCmdUsageCount counter;
    AddTimes(counter, 0x8001, 5);
    AddTimes(counter, 0x9C40, 95);
    {
        CKTRegistry reg(FALSE, FALSE);
        ASSERT_TRUE(reg.CreateKey(kScratchKey));
        ASSERT_TRUE(reg.Write(L"CommandsUsage", counter));
    }

    CKTCmdUsageCount loaded;
    {
        CKTRegistry reg(FALSE, TRUE);
        ASSERT_TRUE(reg.Open(kScratchKey));
        ASSERT_TRUE(reg.Read(L"CommandsUsage", loaded));
    }
    EXPECT_EQ(100u, loaded.GetTotal());
    EXPECT_EQ(5u, loaded.GetCount(0x8001));
    EXPECT_EQ(95u, loaded.GetCount(0x9C40));
    EXPECT_FALSE(loaded.IsFrequentlyUsedCmd(0x8001));
    EXPECT_TRUE(loaded.IsFrequentlyUsedCmd(0x9C40));

    // Every truncated copy in the registry is refused and changes nothing.
    const std::vector<BYTE> whole = Store(counter);
    for (size_t cut = 0; cut < whole.size(); ++cut)
    {
        CKTRegistry reg(FALSE, FALSE);
        ASSERT_TRUE(reg.CreateKey(kScratchKey));
        std::vector<BYTE> part(whole.begin(), whole.begin() + cut);
        part.push_back(0);
        ASSERT_TRUE(reg.Write(L"CommandsUsage", part.data(), static_cast<UINT>(cut)));
        EXPECT_FALSE(reg.Read(L"CommandsUsage", loaded)) << "cut at " << cut;
        EXPECT_EQ(100u, loaded.GetTotal()) << "cut at " << cut;
        EXPECT_EQ(5u, loaded.GetCount(0x8001)) << "cut at " << cut;
    }
    CKTRegistry(FALSE, FALSE).DeleteKey(kScratchKey);
}
} // namespace

// Edit-box and combo-box buttons: stored form, damaged data, copies.
#include "uitoolkit/bars/KTToolbarEditBoxButton.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
std::vector<BYTE> StoreButton(CKTToolbarButton& button)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        button.Serialize(ar);
        ar.Close();
    }
    const ULONGLONG n = file.GetLength();
    std::vector<BYTE> bytes(static_cast<size_t>(n));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(n));
    return bytes;
}

// TRUE when the load completed; an archive or memory exception gives FALSE.
BOOL LoadButton(CKTToolbarButton& button, std::vector<BYTE> bytes)
{
    CMemFile file(bytes.empty() ? nullptr : bytes.data(), static_cast<UINT>(bytes.size()));
    try
    {
        CArchive ar(&file, CArchive::load);
        button.Serialize(ar);
        return TRUE;
    }
    catch (CException* e)
    {
        e->Delete();
        return FALSE;
    }
}

TEST(ToolbarEditBoxButtonTest, WidthZeroIsTheDefaultAndStyleGetsChildVisible)
{
    CKTToolbarEditBoxButton box(1200, -1, ES_AUTOHSCROLL, 0);
    EXPECT_EQ(150, box.GetWidth());
    EXPECT_EQ(static_cast<DWORD>(0x50000080), box.GetEditStyle());
    CKTToolbarEditBoxButton defaults;
    EXPECT_EQ(150, defaults.GetWidth());
    EXPECT_EQ(static_cast<DWORD>(0x50000080), defaults.GetEditStyle());
}

TEST(ToolbarEditBoxButtonTest, StoredWithoutAControlKeepsItsText)
{
    CKTToolbarEditBoxButton box(1200, -1, ES_AUTOHSCROLL, 90);
    box.SetContents(L"Revenue");
    const std::vector<BYTE> bytes = StoreButton(box);
    EXPECT_EQ(CString(L"Revenue"), box.GetContents());

    CKTToolbarEditBoxButton loaded;
    loaded.m_rect = CRect(10, 0, 20, 22);
    ASSERT_TRUE(LoadButton(loaded, bytes));
    EXPECT_EQ(CString(L"Revenue"), loaded.GetContents());
    EXPECT_EQ(90, loaded.GetWidth());
    EXPECT_EQ(static_cast<DWORD>(0x50000080), loaded.GetEditStyle());
    EXPECT_EQ(1200u, loaded.m_nID);
}

TEST(ToolbarEditBoxButtonTest, EveryTruncationFailsCleanly)
{
    CKTToolbarEditBoxButton box(1200, -1, ES_AUTOHSCROLL, 90);
    box.SetContents(L"Revenue");
    const std::vector<BYTE> bytes = StoreButton(box);
    for (size_t n = 0; n < bytes.size(); ++n)
    {
        CKTToolbarEditBoxButton loaded;
        EXPECT_FALSE(LoadButton(loaded, std::vector<BYTE>(bytes.begin(), bytes.begin() + n))) << n;
    }
}

TEST(ToolbarEditBoxButtonTest, SetContentsIgnoresACaseOnlyChangeAndCopyTakesTheText)
{
    CKTToolbarEditBoxButton box(1200, -1, ES_AUTOHSCROLL, 90);
    box.SetContents(L"Total");
    box.SetContents(L"TOTAL");
    EXPECT_EQ(CString(L"Total"), box.GetContents());

    CKTToolbarEditBoxButton copy;
    copy.CopyFrom(box);
    EXPECT_EQ(CString(L"Total"), copy.GetContents());
    EXPECT_EQ(90, copy.GetWidth());
    EXPECT_EQ(1200u, copy.m_nID);
    EXPECT_FALSE(box.NotifyCommand(EN_UPDATE)) << "no control, nothing to report";
}
} // namespace

// Edit-box and combo-box buttons: stored form, damaged data, copies.
#include "uitoolkit/bars/KTStateVersion.h"
#include "uitoolkit/bars/KTToolbarComboBoxButton.h"
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

namespace
{
const UINT kZoom = 1300;

// A workspace that reports the version of the state it is loading.
KTStateVersion s_version;
KTStateVersion ReportVersion()
{
    return s_version;
}

class StateVersionScope
{
public:
    explicit StateVersionScope(const KTStateVersion& version)
    {
        s_version = version;
        m_pfnPrevious = KTSetStateVersionReader(&ReportVersion);
    }
    ~StateVersionScope() { KTSetStateVersionReader(m_pfnPrevious); }

private:
    KTStateVersionReader m_pfnPrevious = nullptr;
};

void AddZoomItems(CKTToolbarComboBoxButton& combo)
{
    combo.AddItem(L"50%", 50);
    combo.AddItem(L"100%", 100);
    combo.AddItem(L"200%", 200);
}

TEST(ToolbarComboBoxButtonTest, WidthZeroIsTheDefaultAndStylesGetChildVisibleScroll)
{
    CKTToolbarComboBoxButton combo(kZoom, -1, CBS_DROPDOWN, 0);
    EXPECT_EQ(150, combo.GetWidth());
    EXPECT_EQ(150, combo.GetDropDownHeight());
    EXPECT_EQ(static_cast<DWORD>(0x50200002), combo.GetComboStyle());
    EXPECT_EQ(-1, combo.GetCurSel());
    CKTToolbarComboBoxButton defaults;
    EXPECT_EQ(150, defaults.GetWidth());
    EXPECT_EQ(static_cast<DWORD>(0x50200403), defaults.GetComboStyle());
}

TEST(ToolbarComboBoxButtonTest, AddingAndSelectingItems)
{
    CKTToolbarComboBoxButton combo(kZoom, -1, CBS_DROPDOWN, 90);
    EXPECT_EQ(0, combo.AddItem(L"50%", 50));
    EXPECT_EQ(CString(L"50%"), combo.GetText()) << "the first item becomes the text";
    EXPECT_EQ(1, combo.AddItem(L"100%", 100));
    EXPECT_EQ(1, combo.AddItem(L"50%", 7)) << "no duplicate; the index of the last item";
    EXPECT_EQ(2, combo.GetCount());
    EXPECT_EQ(50u, combo.GetItemData(0)) << "a repeated text keeps its value";
    EXPECT_EQ(CString(L"50%"), combo.GetText());

    const struct
    {
        int index;
        BOOL ok;
        int selAfter;
        const wchar_t* textAfter;
    } cases[] = {
        {1, TRUE, 1, L"100%"},
        {2, FALSE, 1, L"100%"},
        {-1, FALSE, 1, L"100%"},
        {0, TRUE, 0, L"50%"},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.ok, combo.SelectItem(c.index, TRUE)) << c.index;
        EXPECT_EQ(c.selAfter, combo.GetCurSel()) << c.index;
        EXPECT_EQ(CString(c.textAfter), combo.GetText()) << c.index;
    }
    EXPECT_TRUE(combo.SelectItem(L"100%"));
    EXPECT_EQ(1, combo.GetCurSel());
    EXPECT_FALSE(combo.SelectItem(L"75%"));
    combo.SetText(L"50%");
    EXPECT_EQ(0, combo.GetCurSel()) << "a listed text selects its item";
    combo.SetText(L"75%");
    EXPECT_EQ(CString(L"75%"), combo.GetText());
    EXPECT_EQ(0, combo.GetCurSel());
    EXPECT_FALSE(combo.NotifyCommand(CBN_SELENDOK)) << "no control, nothing to report";
}

TEST(ToolbarComboBoxButtonTest, CopyTakesItemsSelectionSizesAndText)
{
    CKTToolbarComboBoxButton combo(kZoom, -1, CBS_DROPDOWN, 90);
    AddZoomItems(combo);
    combo.SelectItem(2, FALSE);
    combo.SetText(L"175%");
    CKTToolbarComboBoxButton copy;
    copy.CopyFrom(combo);
    EXPECT_EQ(kZoom, copy.m_nID);
    EXPECT_EQ(3, copy.GetCount());
    EXPECT_EQ(CString(L"200%"), CString(copy.GetItem(2)));
    EXPECT_EQ(200u, copy.GetItemData(2));
    EXPECT_EQ(2, copy.GetCurSel());
    EXPECT_EQ(90, copy.GetWidth());
    EXPECT_EQ(combo.GetComboStyle(), copy.GetComboStyle());
    EXPECT_EQ(CString(L"175%"), copy.GetText());
}

TEST(ToolbarComboBoxButtonTest, StoredFormRoundTripsUnderEveryStateVersion)
{
    CKTToolbarComboBoxButton combo(kZoom, -1, CBS_DROPDOWN, 90);
    AddZoomItems(combo);
    combo.SelectItem(1, FALSE);
    const std::vector<BYTE> bytes = StoreButton(combo);
    // What a writer before 4.72 stored: the same without the drop-down height, which sits
    // before the three item values.
    std::vector<BYTE> bytesOld = bytes;
    bytesOld.erase(bytesOld.end() - 16, bytesOld.end() - 12);

    const struct
    {
        const char* name;
        BOOL workspace;
        int major;
        int minor;
        bool oldStream;
    } cases[] = {
        {"no workspace", FALSE, -1, -1, false},
        {"workspace, no version read", TRUE, -1, -1, false},
        {"4.72", TRUE, 4, 72, false},
        {"6.3", TRUE, 6, 3, false},
        {"4.71", TRUE, 4, 71, true},
        {"3.99", TRUE, 3, 99, true},
    };
    for (const auto& c : cases)
    {
        StateVersionScope scope(KTStateVersion{c.workspace, c.major, c.minor});
        CKTToolbarComboBoxButton loaded;
        loaded.m_rect = CRect(10, 0, 20, 22);
        ASSERT_TRUE(LoadButton(loaded, c.oldStream ? bytesOld : bytes)) << c.name;
        EXPECT_EQ(kZoom, loaded.m_nID) << c.name;
        EXPECT_EQ(90, loaded.GetWidth()) << c.name;
        EXPECT_EQ(100, loaded.m_rect.right) << c.name;
        EXPECT_EQ(150, loaded.GetDropDownHeight()) << c.name;
        ASSERT_EQ(3, loaded.GetCount()) << c.name;
        EXPECT_EQ(50u, loaded.GetItemData(0)) << c.name;
        EXPECT_EQ(200u, loaded.GetItemData(2)) << c.name;
        EXPECT_EQ(1, loaded.GetCurSel()) << c.name;
        EXPECT_EQ(CString(L"100%"), loaded.GetText()) << c.name;
    }
}

TEST(ToolbarComboBoxButtonTest, EveryTruncationFailsAndKeepsTheItems)
{
    CKTToolbarComboBoxButton combo(kZoom, -1, CBS_DROPDOWN, 90);
    AddZoomItems(combo);
    const std::vector<BYTE> bytes = StoreButton(combo);
    for (size_t n = 0; n < bytes.size(); ++n)
    {
        CKTToolbarComboBoxButton loaded(kZoom, -1, CBS_DROPDOWN, 60);
        loaded.AddItem(L"kept", 9);
        EXPECT_FALSE(LoadButton(loaded, std::vector<BYTE>(bytes.begin(), bytes.begin() + n))) << n;
        ASSERT_EQ(1, loaded.GetCount()) << n;
        EXPECT_EQ(9u, loaded.GetItemData(0)) << n;
    }
}
} // namespace

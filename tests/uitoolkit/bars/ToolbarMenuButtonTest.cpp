// Menu buttons as data: menu handles into buttons and back, the stored form under each state
// version, deep copies and comparison.
#include "uitoolkit/bars/KTStateVersion.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace
{
const UINT kNew = 4001;
const UINT kOpen = 4002;
const UINT kClose = 4003;
const UINT kZoomIn = 4004;
const UINT kZoomOut = 4005;

// File: New, Open (default), ---, Close (starts a new column), View >  (Zoom in, Zoom out).
HMENU BuildFileMenu()
{
    HMENU hView = ::CreatePopupMenu();
    ::AppendMenuW(hView, MF_STRING, kZoomIn, L"Zoom &in");
    ::AppendMenuW(hView, MF_STRING, kZoomOut, L"Zoom &out");
    HMENU hFile = ::CreatePopupMenu();
    ::AppendMenuW(hFile, MF_STRING, kNew, L"&New\tCtrl+N");
    ::AppendMenuW(hFile, MF_STRING, kOpen, L"&Open...");
    ::AppendMenuW(hFile, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(hFile, MF_STRING | MF_MENUBREAK, kClose, L"&Close");
    ::AppendMenuW(hFile, MF_POPUP, reinterpret_cast<UINT_PTR>(hView), L"&View");
    ::SetMenuDefaultItem(hFile, kOpen, FALSE);
    return hFile;
}

struct MenuItemFacts
{
    UINT id;
    CString text;
    BOOL isDefault;
    BOOL menuBreak;
    int subItems;
};

std::vector<MenuItemFacts> Facts(const CKTToolbarMenuButton& button)
{
    std::vector<MenuItemFacts> facts;
    for (POSITION pos = button.GetCommands().GetHeadPosition(); pos != nullptr;)
    {
        const auto* pItem = static_cast<const CKTToolbarMenuButton*>(button.GetCommands().GetNext(pos));
        facts.push_back({pItem->m_nID, pItem->m_strText, pItem->IsDefault(),
                         (pItem->m_nStyle & CKTToolbarMenuButton::MenuBreakStyle) != 0,
                         static_cast<int>(pItem->GetCommands().GetCount())});
    }
    return facts;
}

// The default item is a property of the menu handle; the stored form does not keep it.
void ExpectSameFacts(const std::vector<MenuItemFacts>& a, const std::vector<MenuItemFacts>& b, bool bDefaults = true)
{
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); i++)
    {
        EXPECT_EQ(a[i].id, b[i].id) << i;
        EXPECT_EQ(a[i].text, b[i].text) << i;
        if (bDefaults)
        {
            EXPECT_EQ(a[i].isDefault, b[i].isDefault) << i;
        }
        EXPECT_EQ(a[i].menuBreak, b[i].menuBreak) << i;
        EXPECT_EQ(a[i].subItems, b[i].subItems) << i;
    }
}

KTStateVersion s_version;
KTStateVersion ReportVersion()
{
    return s_version;
}

std::vector<BYTE> Store(CObject& object)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        object.Serialize(ar);
    }
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

BOOL Load(CObject& object, std::vector<BYTE> bytes)
{
    CMemFile file(bytes.empty() ? nullptr : bytes.data(), static_cast<UINT>(bytes.size()));
    try
    {
        CArchive ar(&file, CArchive::load);
        object.Serialize(ar);
        return TRUE;
    }
    catch (CException* e)
    {
        e->Delete();
        return FALSE;
    }
}
} // namespace

TEST(ToolbarMenuButtonTest, MenuHandleRoundTrip)
{
    HMENU hFile = BuildFileMenu();
    CKTToolbarMenuButton button(0, hFile, -1, L"&File");
    ::DestroyMenu(hFile);
    const std::vector<MenuItemFacts> facts = Facts(button);
    const std::vector<MenuItemFacts> expected = {
        {kNew, L"&New\tCtrl+N", FALSE, FALSE, 0}, {kOpen, L"&Open...", TRUE, FALSE, 0},  {0, L"", FALSE, FALSE, 0},
        {kClose, L"&Close", FALSE, TRUE, 0},      {(UINT)-1, L"&View", FALSE, FALSE, 2},
    };
    ExpectSameFacts(expected, facts);

    HMENU hExported = button.CreateMenu();
    ASSERT_TRUE(::IsMenu(hExported));
    EXPECT_EQ(kOpen, ::GetMenuDefaultItem(hExported, FALSE, 0));
    CKTToolbarMenuButton again(0, hExported, -1, L"&File");
    ::DestroyMenu(hExported);
    ExpectSameFacts(facts, Facts(again));
    EXPECT_TRUE(button.CompareWith(again));
}

TEST(ToolbarMenuButtonTest, EmptyMenusAndHandlesThatAreNoMenus)
{
    CKTToolbarMenuButton command(kNew, nullptr, -1, L"New");
    EXPECT_EQ(nullptr, command.CreateMenu()) << "a plain command exports no menu";
    EXPECT_FALSE(command.OpenPopupMenu(nullptr));

    CKTToolbarMenuButton menuOnly(kNew, nullptr, -1, L"New");
    menuOnly.SetMenuOnly(TRUE);
    HMENU hEmpty = menuOnly.CreateMenu();
    ASSERT_TRUE(::IsMenu(hEmpty)) << "a menu-only button exports even an empty menu";
    EXPECT_EQ(0, ::GetMenuItemCount(hEmpty));
    ::DestroyMenu(hEmpty);

    CKTToolbarMenuButton bogus(0, reinterpret_cast<HMENU>(0x1234), -1, L"Bogus");
    EXPECT_TRUE(bogus.GetCommands().IsEmpty());
}

TEST(ToolbarMenuButtonTest, CopiesAreDeepAndCompareEqual)
{
    HMENU hFile = BuildFileMenu();
    CKTToolbarMenuButton button(0, hFile, -1, L"&File");
    ::DestroyMenu(hFile);
    button.SetRadio();
    auto copy = std::make_unique<CKTToolbarMenuButton>();
    copy->CopyFrom(button);
    EXPECT_TRUE(copy->IsRadio());
    ExpectSameFacts(Facts(button), Facts(*copy));
    EXPECT_TRUE(copy->CompareWith(button));
    EXPECT_NE(button.GetCommands().GetHead(), copy->GetCommands().GetHead()) << "items of its own";
    // Removing an item from one leaves the other whole.
    copy->RemoveAllCommands();
    EXPECT_EQ(5, button.GetCommands().GetCount());
    EXPECT_FALSE(copy->CompareWith(button));
}

TEST(ToolbarMenuButtonTest, StoredFormUnderEveryStateVersion)
{
    HMENU hFile = BuildFileMenu();
    CKTToolbarMenuButton button(0, hFile, -1, L"&File");
    ::DestroyMenu(hFile);
    button.SetTearOff(7);

    const struct
    {
        const char* name;
        KTStateVersion version;
        BOOL tearOffStored;
    } cases[] = {
        {"no workspace", {FALSE, -1, -1}, FALSE},
        {"no version read", {TRUE, -1, -1}, TRUE},
        {"4.70", {TRUE, 4, 70}, FALSE},
        {"4.71", {TRUE, 4, 71}, TRUE},
        {"6.3", {TRUE, 6, 3}, TRUE},
    };
    const KTStateVersionReader pfnPrevious = KTSetStateVersionReader(&ReportVersion);
    size_t nSizeWithout = 0;
    for (const auto& c : cases)
    {
        s_version = c.version;
        const std::vector<BYTE> bytes = Store(button);
        if (!c.tearOffStored)
            nSizeWithout = bytes.size();
        CKTToolbarMenuButton loaded;
        ASSERT_TRUE(Load(loaded, bytes)) << c.name;
        EXPECT_EQ(c.tearOffStored ? 7u : 0u, loaded.GetTearOffBarID()) << c.name;
        ExpectSameFacts(Facts(button), Facts(loaded), false);
        if (c.tearOffStored && nSizeWithout != 0)
        {
            EXPECT_GT(bytes.size(), nSizeWithout) << c.name;
        }
    }
    // Every truncation fails and leaves no items behind.
    s_version = KTStateVersion{TRUE, 6, 3};
    const std::vector<BYTE> bytes = Store(button);
    for (size_t n = 0; n < bytes.size(); n += 3)
    {
        CKTToolbarMenuButton loaded;
        EXPECT_FALSE(Load(loaded, std::vector<BYTE>(bytes.begin(), bytes.begin() + n))) << n;
        EXPECT_TRUE(loaded.GetCommands().IsEmpty()) << n;
    }
    KTSetStateVersionReader(pfnPrevious);
}

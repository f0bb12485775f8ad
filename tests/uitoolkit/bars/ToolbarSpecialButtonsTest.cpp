// The bars' own buttons: the customize button's sizes and the menu it offers (shown as a real
// popup), the system-menu button's exported states, the window buttons' size and the show-all
// item's tooltip.
#include "tests/uitoolkit/bars/ButtonsTestFrame.h"
#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTPopupMenuBar.h"
#include "uitoolkit/bars/KTToolbarComboBoxButton.h"
#include "uitoolkit/bars/KTToolbarSpecialButtons.h"
#include "uitoolkit/looks/KTMenuGlyphs.h"
#include "uitoolkit/looks/KTVisualManager.h"

#include <cstdlib>
#include <memory>

namespace
{
const int kCustomizeCmd = ID_BUTTONS_LAST;

struct ItemFacts
{
    UINT id;
    const wchar_t* text;
    int subItems;
};

void ExpectItems(const CObList& items, const std::vector<ItemFacts>& expected)
{
    ASSERT_EQ(static_cast<INT_PTR>(expected.size()), items.GetCount());
    int i = 0;
    for (POSITION pos = items.GetHeadPosition(); pos != nullptr; i++)
    {
        const auto* pItem = static_cast<const CKTToolbarButton*>(items.GetNext(pos));
        if (expected[i].id == 0)
        {
            EXPECT_TRUE(pItem->IsSeparator()) << i;
            continue;
        }
        EXPECT_EQ(expected[i].id, pItem->m_nID) << i;
        EXPECT_EQ(CString(expected[i].text), pItem->m_strText) << i;
        const auto* pMenuItem = pItem->IsKindOf(RUNTIME_CLASS(CKTToolbarMenuButton))
                                    ? static_cast<const CKTToolbarMenuButton*>(pItem)
                                    : nullptr;
        ASSERT_TRUE(pMenuItem != nullptr) << i;
        EXPECT_EQ(expected[i].subItems, pMenuItem->GetCommands().GetCount()) << i;
    }
}

class ToolbarSpecialButtonsTest : public ButtonsWindowTest
{
};
} // namespace

TEST_F(ToolbarSpecialButtonsTest, CustomizeButtonSizes)
{
    CKTToolBar* pBar = AddBar(CBRS_TOP);
    CCustomizeButton button(kCustomizeCmd, L"Customize...");
    button.OnChangeParentWnd(pBar);
    CKTMenuGlyphs::Initialize();
    const CSize sizeGlyph = CKTMenuGlyphs::GetImageSize();
    const int m = CKTVisualManager::GetInstance()->GetCustomizeButtonGlyphMargin();
    const CSize sizeDefault(23, 22);
    EXPECT_EQ(CSize(sizeGlyph.cx + 2 * m, 22), CSize(button.OnCalculateSize(nullptr, sizeDefault, TRUE)));
    EXPECT_EQ(CSize(23, sizeGlyph.cy + 2 * m), CSize(button.OnCalculateSize(nullptr, sizeDefault, FALSE)));
    EXPECT_EQ(CString(L"More Buttons"), button.m_strText);
    button.SetCollapsed(TRUE);
    EXPECT_EQ(CSize(0, 0), CSize(button.OnCalculateSize(nullptr, sizeDefault, TRUE)));
    button.OnChangeParentWnd(pBar);
    EXPECT_FALSE(button.IsCollapsed()) << "a parent change clears the mark";
    EXPECT_FALSE(button.CanBeStored());
    EXPECT_FALSE(button.IsEditable());

    CCustomizeButton copy;
    copy.CopyFrom(button);
    EXPECT_EQ(kCustomizeCmd, copy.GetCustomizeCmdId());
    EXPECT_EQ(CString(L"Customize..."), copy.GetCustomizeText());
}

TEST_F(ToolbarSpecialButtonsTest, CustomizeMenuListsHiddenButtonsWithoutOuterSeparators)
{
    CKTToolBar* pBar = AddBar(CBRS_TOP);
    CKTToolbarButton separator;
    separator.m_nStyle = TBBS_SEPARATOR;
    CKTToolbarButton open(ID_TEST_OPEN, 0);
    CKTToolbarButton cut(ID_TEST_CUT, 3, L"Snip");
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuW(hMenu, MF_STRING, ID_TEST_SAVE, L"&Save");
    ::AppendMenuW(hMenu, MF_STRING, ID_TEST_PRINT, L"&Print");
    CKTToolbarMenuButton menu(ID_TEST_PASTE, hMenu, -1, L"Paste");
    ::DestroyMenu(hMenu);
    CKTToolbarComboBoxButton zoom(ID_TEST_PRINT, -1);
    zoom.m_strText = L"shown only on the bar";

    const struct
    {
        const char* name;
        std::vector<CKTToolbarButton*> hidden;
        int customizeCmd;
        std::vector<ItemFacts> expected;
    } cases[] = {
        {"nothing", {}, 0, {}},
        {"customize only", {}, kCustomizeCmd, {{(UINT)kCustomizeCmd, L"Customize...", 0}}},
        {"hidden and customize",
         {&separator, &open, &separator, &menu, &cut, &zoom, &separator},
         kCustomizeCmd,
         {{ID_TEST_OPEN, L"Open", 0},
          {0, L"", 0},
          {ID_TEST_PASTE, L"Paste", 2},
          {ID_TEST_CUT, L"Snip", 0},
          {ID_TEST_PRINT, L"Print", 0},
          {0, L"", 0},
          {(UINT)kCustomizeCmd, L"Customize...", 0}}},
        {"only separators", {&separator, &separator}, 0, {}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        CCustomizeButton button(c.customizeCmd, L"Customize...");
        button.OnChangeParentWnd(pBar);
        for (CKTToolbarButton* pHidden : c.hidden)
            button.AddInvisibleButton(pHidden);
        CObList items;
        button.BuildMenuItems(items, TRUE);
        ExpectItems(items, c.expected);
        while (!items.IsEmpty())
            delete items.RemoveHead();
    }
}

TEST_F(ToolbarSpecialButtonsTest, CustomizeButtonOpensItsMenuWithoutAMenuHandle)
{
    CKTToolBar* pBar = AddBar(CBRS_TOP);
    auto* pButton = new CCustomizeButton(kCustomizeCmd, L"Customize...");
    const int iIndex = pBar->InsertButton(pButton);
    ASSERT_GE(iIndex, 0);
    Relayout();
    pButton->AddInvisibleButton(pBar->GetButton(0));
    pButton->AddInvisibleButton(pBar->GetButton(1));
    pButton->m_rect = CRect(200, 2, 212, 24);
    ASSERT_TRUE(pButton->OpenPopupMenu(pBar));
    CKTPopupMenu* pPopup = pButton->m_pPopupMenu;
    ASSERT_TRUE(pPopup != nullptr && pPopup->GetSafeHwnd() != nullptr);
    PumpAndIdle();
    CKTToolBar* pItems = pPopup->GetMenuBar();
    ASSERT_EQ(4, pItems->GetCount());
    EXPECT_EQ(static_cast<UINT>(ID_TEST_OPEN), pItems->GetItemID(0));
    EXPECT_EQ(static_cast<UINT>(ID_TEST_SAVE), pItems->GetItemID(1));
    EXPECT_EQ(static_cast<UINT>(kCustomizeCmd), pItems->GetItemID(3));
    {
        ::CreateDirectoryW(L"screenshots", nullptr);
        RunMessageLoopFor(300);
        CRect rectShot, rectPopup;
        m_pFrame->GetWindowRect(&rectShot);
        pPopup->GetWindowRect(&rectPopup);
        rectShot.UnionRect(rectShot, rectPopup);
        EXPECT_TRUE(SaveScreenArea(L"screenshots\\toolbar_customize_menu.bmp", rectShot));
    }
    const HWND hPopup = pPopup->GetSafeHwnd();
    pButton->OnCancelMode();
    PumpUntil([&] { return !::IsWindow(hPopup); }, 2000);
    EXPECT_FALSE(::IsWindow(hPopup));
    EXPECT_FALSE(pButton->IsDroppedDown());
}

TEST_F(ToolbarSpecialButtonsTest, CustomizeMenuCommandsGoWhereTheBarsCommandsGo)
{
    CKTToolBar* pBar = AddBar(CBRS_TOP);
    // The bar serves another window than the frame its menus belong to.
    auto* pOther = new CButtonsTestFrame;
    ASSERT_TRUE(pOther->Create(nullptr, L"Other", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 100)));
    pBar->SetOwner(pOther);
    auto* pButton = new CCustomizeButton(kCustomizeCmd, L"Customize...");
    ASSERT_GE(pBar->InsertButton(pButton), 0);
    Relayout();
    pButton->AddInvisibleButton(pBar->GetButton(0));
    pButton->m_rect = CRect(200, 2, 212, 24);
    ASSERT_TRUE(pButton->OpenPopupMenu(pBar));
    CKTPopupMenu* pPopup = pButton->m_pPopupMenu;
    ASSERT_TRUE(pPopup != nullptr && pPopup->GetSafeHwnd() != nullptr);
    PumpAndIdle();
    EXPECT_EQ(pOther, pPopup->GetMessageWnd());
    EXPECT_EQ(pOther, pPopup->GetMenuBar()->GetCommandTarget());
    const HWND hPopup = pPopup->GetSafeHwnd();
    pButton->OnCancelMode();
    PumpUntil([&] { return !::IsWindow(hPopup); }, 2000);
    pBar->SetOwner(nullptr);
    pOther->DestroyWindow();
    PumpAndIdle();
}

TEST(ToolbarSystemButtonsTest, SystemMenuExportCarriesItemStates)
{
    HMENU hSystem = ::CreatePopupMenu();
    ::AppendMenuW(hSystem, MF_STRING, SC_RESTORE, L"&Restore");
    ::AppendMenuW(hSystem, MF_STRING | MF_GRAYED, SC_MOVE, L"&Move");
    ::AppendMenuW(hSystem, MF_STRING | MF_DISABLED, SC_SIZE, L"&Size");
    ::AppendMenuW(hSystem, MF_STRING | MF_CHECKED, SC_MAXIMIZE, L"Ma&ximize");
    ::AppendMenuW(hSystem, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(hSystem, MF_STRING, SC_CLOSE, L"&Close");
    const HICON hIcon = ::LoadIcon(nullptr, IDI_APPLICATION);
    CKTToolbarSystemMenuButton button(hSystem, hIcon);
    EXPECT_EQ(0u, button.m_nID);
    EXPECT_EQ(hIcon, button.GetIcon());
    EXPECT_EQ(hSystem, button.GetSysMenu());
    EXPECT_FALSE(button.CanBeStored());
    EXPECT_FALSE(button.IsMenuConnectable());

    HMENU hExported = button.CreateMenu();
    ASSERT_TRUE(::IsMenu(hExported));
    EXPECT_EQ(6, ::GetMenuItemCount(hExported));
    const struct
    {
        UINT cmd;
        UINT state;
    } cases[] = {
        {SC_RESTORE, 0}, {SC_MOVE, MF_GRAYED}, {SC_SIZE, MF_DISABLED}, {SC_MAXIMIZE, MF_CHECKED}, {SC_CLOSE, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.state, ::GetMenuState(hExported, c.cmd, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED | MF_CHECKED))
            << std::hex << c.cmd;
    ::DestroyMenu(hExported);
    ::DestroyMenu(hSystem);

    CKTToolbarSystemMenuButton copy;
    copy.CopyFrom(button);
    EXPECT_EQ(hIcon, copy.GetIcon());
    EXPECT_EQ(CSize(::GetSystemMetrics(SM_CXSMICON), 20), CSize(copy.OnCalculateSize(nullptr, CSize(23, 20), TRUE)));
}

TEST(ToolbarSystemButtonsTest, WindowButtonsAndShowAllItem)
{
    const UINT commands[] = {SC_MINIMIZE, SC_RESTORE, SC_CLOSE};
    for (UINT uiCmd : commands)
    {
        CKTToolbarMenuButtonsButton button(uiCmd);
        EXPECT_EQ(uiCmd, button.GetSystemCommand());
        EXPECT_EQ(CSize(::GetSystemMetrics(SM_CXMENUSIZE), ::GetSystemMetrics(SM_CYMENUSIZE)),
                  CSize(button.OnCalculateSize(nullptr, CSize(23, 22), TRUE)));
        EXPECT_FALSE(button.CanBeStored());
        CKTToolbarMenuButtonsButton copy;
        copy.CopyFrom(button);
        EXPECT_EQ(uiCmd, copy.GetSystemCommand());
    }

    CKTShowAllButton showAll;
    EXPECT_EQ(50, showAll.OnCalculateSize(nullptr, CSize(23, 22), TRUE).cx);
    EXPECT_FALSE(showAll.OnClick(nullptr, FALSE)) << "only inside a popup menu";
    TOOLINFO ti = {};
    ASSERT_TRUE(showAll.OnToolHitTest(nullptr, &ti));
    EXPECT_EQ(0u, static_cast<UINT>(ti.uId));
    const CString strTip = ti.lpszText;
    free(ti.lpszText);
    EXPECT_EQ(0, strTip.Find(L"Expand ("));
    EXPECT_NE(-1, strTip.Find(L"+"));
}

namespace
{
// An MDI frame with one maximized child and a toolbar that carries the child's icon.
class SystemMenuDoubleClickTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CMDIFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(nullptr, L"Documents", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 600, 400)));
        m_hFrame = m_pFrame->GetSafeHwnd();
        ::SetForegroundWindow(m_hFrame);
        m_pChild = new CMDIChildWnd;
        ASSERT_TRUE(m_pChild->Create(nullptr, L"Child", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                                     CFrameWnd::rectDefault, m_pFrame));
        m_hChild = m_pChild->GetSafeHwnd();
        m_pChild->MDIMaximize();
        ASSERT_TRUE(m_bar.Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR));
        m_iButton = m_bar.InsertButton(new CKTToolbarSystemMenuButton(m_pChild->GetSystemMenu(FALSE)->GetSafeHmenu(),
                                                                      ::LoadIcon(nullptr, IDI_APPLICATION)));
        ASSERT_GE(m_iButton, 0);
        m_pFrame->RecalcLayout();
        m_bar.AdjustLayout();
        PumpAndIdle();
    }
    void TearDown() override
    {
        if (::IsWindow(m_hFrame))
            m_pFrame->DestroyWindow();
        PumpAndIdle();
    }

    void DoubleClickIcon()
    {
        CRect rect;
        m_bar.GetItemRect(m_iButton, &rect);
        m_bar.ClientToScreen(&rect);
        const POINT pt = rect.CenterPoint();
        UserInput input;
        input.MoveTo(pt).Pause(50).LeftDown().LeftUp().Pause(20).LeftDown().LeftUp().Pause(300);
        input.Start();
        PumpUntil([&] { return input.Done(); }, 10000);
        PumpAndIdle();
    }

    CMDIFrameWnd* m_pFrame = nullptr;
    HWND m_hFrame = nullptr;
    CMDIChildWnd* m_pChild = nullptr;
    HWND m_hChild = nullptr;
    CKTToolBar m_bar;
    int m_iButton = -1;
};
} // namespace

TEST_F(SystemMenuDoubleClickTest, DoubleClickingTheIconClosesTheChildUnlessCloseIsDisabled)
{
    ::EnableMenuItem(m_pChild->GetSystemMenu(FALSE)->GetSafeHmenu(), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    DoubleClickIcon();
    EXPECT_TRUE(::IsWindow(m_hChild)) << "Close is greyed";

    ::EnableMenuItem(m_pChild->GetSystemMenu(FALSE)->GetSafeHmenu(), SC_CLOSE, MF_BYCOMMAND | MF_ENABLED);
    DoubleClickIcon();
    PumpUntil([&] { return !::IsWindow(m_hChild); }, 2000);
    EXPECT_FALSE(::IsWindow(m_hChild));
}

// The page view's controls in the program's main window as a user meets them: the mode buttons'
// menus and their check marks, the zoom box, the context menu's states, each window's page box,
// the main title, the status bar's key panes, a drag whose capture is taken away, and the refresh
// of every document after the settings.
#include "app/OwnToolbarButtons.h"
#include "tests/app/DialogUser.h"
#include "tests/app/MainFrameFixture.h"
#include "uitoolkit/bars/KTToolbarComboBoxButton.h"
#include "uitoolkit/bars/KTToolbarEditBoxButton.h"
#include "uitoolkit/customize/KTCommandManager.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace
{

struct MenuItem
{
    std::wstring text;
    bool enabled;
    bool checked;
};

int CommandImage(UINT command)
{
    return CKTCommandManager::GetInstance()->GetCmdImage(command, FALSE);
}

// Messages go through their windows' pre-translation, as the program's own loop sends them.
void PumpTranslated(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    do
    {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            if (!AfxPreTranslateMessage(&msg))
            {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

class ViewControlsTest : public MainFrameTest
{
protected:
    void PlayTranslated(UserInput& input)
    {
        input.Start();
        const DWORD start = GetTickCount();
        while (!input.Done() && GetTickCount() - start < 15000)
            PumpTranslated(10);
        PumpTranslated(200);
    }
    RecordedCmdUI Update(UINT command)
    {
        // As the toolbars ask: a command nobody handles is disabled.
        RecordedCmdUI state(command);
        state.DoUpdate(m_main, TRUE);
        return state;
    }
    // The items of the popup menu open now, with their states; separators left out.
    std::vector<MenuItem> OpenMenu()
    {
        std::vector<MenuItem> items;
        CKTPopupMenu* menu = CKTPopupMenu::GetActiveMenu();
        if (!menu)
            return items;
        CKTPopupMenuBar* bar = menu->GetMenuBar();
        for (int i = 0; i < bar->GetCount(); ++i)
        {
            const CKTToolbarButton* button = bar->GetButton(i);
            if (!button->IsSeparator())
                items.push_back({std::wstring(button->m_strText), (button->m_nStyle & TBBS_DISABLED) == 0,
                                 (button->m_nStyle & TBBS_CHECKED) != 0});
        }
        return items;
    }
    // The screen centre of the open popup menu's item with that text.
    POINT MenuItemCentre(const wchar_t* text)
    {
        CKTPopupMenu* menu = CKTPopupMenu::GetActiveMenu();
        if (!menu)
            return {0, 0};
        CKTPopupMenuBar* bar = menu->GetMenuBar();
        for (int i = 0; i < bar->GetCount(); ++i)
            if (std::wstring(bar->GetButton(i)->m_strText) == text)
            {
                CRect rect;
                bar->GetItemRect(i, &rect);
                bar->ClientToScreen(&rect);
                return rect.CenterPoint();
            }
        ADD_FAILURE() << "no menu item";
        return {0, 0};
    }
    // Toolbar buttons and popup menus as the frame tests press them; translated for the windows
    // that take their mouse in the pre-translation (the preview bar, the boxes' Enter).
    void Click(POINT at, bool translated = false)
    {
        UserInput input;
        input.MoveTo(at).LeftDown().LeftUp();
        translated ? PlayTranslated(input) : Play(input);
    }
    void RightClick(POINT at, bool translated = false)
    {
        UserInput input;
        input.MoveTo(at).RightDown().RightUp();
        translated ? PlayTranslated(input) : Play(input);
    }
    void CloseMenus()
    {
        if (CKTPopupMenu::GetActiveMenu())
        {
            UserInput input;
            input.Press(VK_ESCAPE).Press(VK_ESCAPE);
            PlayTranslated(input);
        }
    }
    CKTToolbarComboBoxButton* ZoomBox()
    {
        return dynamic_cast<CKTToolbarComboBoxButton*>(FindButton(m_main->GetNavigationBar(), 34160));
    }
    // The screen point of a page point of the frame's view.
    POINT OnPage(CChildFrame* frame, POINT page)
    {
        POINT point = frame->GetView().PageToWindow(page);
        ::ClientToScreen(frame->GetView().m_hWnd, &point);
        return point;
    }
    CChildFrame* OpenSample(const wchar_t* sample, const wchar_t* name)
    {
        wchar_t folder[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, folder);
        const std::wstring path = std::wstring(folder) + name;
        EXPECT_TRUE(CopyFileW((std::wstring(L"" KEST_SOURCE_DIR) + L"/samples/" + sample).c_str(), path.c_str(), FALSE));
        m_copies.push_back(path);
        EXPECT_TRUE(theApp.OpenDocument(path, false));
        PumpFor(100);
        return m_main->FindChildFrame(path);
    }
};

TEST_F(ViewControlsTest, ModeButtonsOpenMenusThatCheckTheCurrentModeAndSwitchIt)
{
    // No document: neither button has anything to switch.
    m_main->GetStandardBar().OnUpdateCmdUI(m_main, TRUE);
    EXPECT_FALSE(Update(34110).m_enabled);
    CChildFrame* frame = OpenCopy(L"kest-view-modes.kest");
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(Update(34110).m_enabled);
    // Outside Row and Cell Editing only columns exist: the column-mode button stays grey.
    EXPECT_FALSE(Update(34114).m_enabled);

    Click(ButtonCentre(m_main->GetStandardBar(), 34110));
    std::vector<MenuItem> items = OpenMenu();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].text, L"Table &Editing mode");
    EXPECT_TRUE(items[0].checked);
    EXPECT_FALSE(items[1].checked);
    Click(MenuItemCentre(L"&Text Selection mode"));
    EXPECT_TRUE(theApp.IsTextSelectionMode());
    // The button shows the text mode's picture, names it, and its menu checks it now.
    EXPECT_EQ(CommandImage(34110), CommandImage(34117));
    EXPECT_EQ(FindButton(m_main->GetStandardBar(), 34110)->GetImage(), CommandImage(34117));
    CString tip;
    CKTToolbarButton modeButton(34110, -1);
    ASSERT_TRUE(m_main->GetToolbarButtonToolTipText(&modeButton, tip));
    EXPECT_EQ(std::wstring(tip), L"Text Selection mode");
    EXPECT_EQ(Update(34117).m_checked, 1);
    EXPECT_EQ(Update(34118).m_checked, 0);
    Click(ButtonCentre(m_main->GetStandardBar(), 34110));
    items = OpenMenu();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_FALSE(items[0].checked);
    EXPECT_TRUE(items[1].checked);
    Click(MenuItemCentre(L"Table &Editing mode"));
    EXPECT_FALSE(theApp.IsTextSelectionMode());

    // Edit > Enable Row and Cell Editing: checked, and the column-mode button opens its menu.
    EXPECT_EQ(Update(34119).m_checked, 0);
    m_main->SendMessage(WM_COMMAND, 34119);
    PumpFor(50);
    EXPECT_EQ(Update(34119).m_checked, 1);
    ASSERT_TRUE(Update(34114).m_enabled);
    m_main->GetTableBar().OnUpdateCmdUI(m_main, TRUE);
    PumpFor(50);
    Click(ButtonCentre(m_main->GetTableBar(), 34114));
    items = OpenMenu();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_TRUE(items[0].checked && items[0].enabled);
    EXPECT_TRUE(!items[1].checked && items[1].enabled);
    Click(MenuItemCentre(L"&Rows"));
    EXPECT_EQ(frame->GetView().GetSelectionKind(), 1);
    EXPECT_EQ(FindButton(m_main->GetTableBar(), 34114)->GetImage(), CommandImage(34112));
    CKTToolbarButton columnButton(34114, -1);
    ASSERT_TRUE(m_main->GetToolbarButtonToolTipText(&columnButton, tip));
    EXPECT_EQ(std::wstring(tip), L"Row Selection");
    // Layout > Table Selection Mode checks the rows.
    EXPECT_EQ(Update(34112).m_checked, 1);
    EXPECT_EQ(Update(34111).m_checked, 0);

    RECT window = {};
    GetWindowRect(m_main->m_hWnd, &window);
    CreateDirectoryW(L"screenshots", nullptr);
    Click(ButtonCentre(m_main->GetTableBar(), 34114));
    EXPECT_TRUE(SaveScreenArea(L"screenshots/view-controls-column-mode-menu.bmp", window));
    CloseMenus();
    m_main->SendMessage(WM_COMMAND, 34119);
    theApp.m_advancedMode = false;
}

TEST_F(ViewControlsTest, TheZoomBoxAppliesAChosenOrTypedZoomAndFollowsTheActiveView)
{
    CKTToolbarComboBoxButton* box = ZoomBox();
    ASSERT_NE(box, nullptr);
    m_main->GetNavigationBar().OnUpdateCmdUI(m_main, TRUE);
    EXPECT_FALSE(Update(34160).m_enabled);
    CChildFrame* first = OpenCopy(L"kest-view-zoom-1.kest");
    ASSERT_NE(first, nullptr);
    CChildView& view = first->GetView();
    EXPECT_TRUE(Update(34160).m_enabled);
    m_main->GetNavigationBar().OnUpdateCmdUI(m_main, TRUE);
    PumpFor(50);
    EXPECT_EQ(std::wstring(box->GetText()), L"100%");
    ASSERT_NE(box->GetComboBox(), nullptr);
    CRect combo;
    box->GetComboBox()->GetWindowRect(&combo);

    // The list: 50%.
    Click({combo.right - 6, combo.CenterPoint().y}, true);
    const int itemHeight = static_cast<int>(box->GetComboBox()->SendMessage(CB_GETITEMHEIGHT, 0, 0));
    Click({combo.CenterPoint().x, combo.bottom + itemHeight * 3 / 2 + 1}, true);
    PumpFor(100);
    EXPECT_EQ(view.GetZoom(), 50);
    EXPECT_EQ(std::wstring(box->GetText()), L"50%");

    // Typed: 150 and Enter; then something no zoom is and Enter puts the box back.
    const struct
    {
        const wchar_t* typed;
        int zoom;
        const wchar_t* shown;
    } cases[] = {{L"150", 150, L"150%"}, {L"75 %", 75, L"75%"}, {L"0", 75, L"75%"}, {L"abc", 75, L"75%"},
                 {L"99999", 75, L"75%"}};
    for (const auto& c : cases)
    {
        UserInput input;
        input.MoveTo({combo.left + 10, combo.CenterPoint().y}).LeftDown().LeftUp();
        input.Press(VK_END);
        for (int i = 0; i < 8; ++i)
            input.Press(VK_BACK);
        input.Type(c.typed).Press(VK_RETURN);
        PlayTranslated(input);
        EXPECT_EQ(view.GetZoom(), c.zoom) << c.typed;
        EXPECT_EQ(std::wstring(box->GetText()), c.shown) << c.typed;
    }
    // Zoom In and Fit Width show in the box too.
    m_main->SendMessage(WM_COMMAND, 34158);
    EXPECT_EQ(std::wstring(box->GetText()), L"100%");
    m_main->SendMessage(WM_COMMAND, 34161);
    EXPECT_EQ(std::wstring(box->GetText()), std::to_wstring(view.GetZoom()) + L"%");

    // A second document at its own zoom; activating either shows its zoom.
    CChildFrame* second = OpenCopy(L"kest-view-zoom-2.kest");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(std::wstring(box->GetText()), L"100%");
    m_main->MDIActivate(first);
    PumpFor(50);
    EXPECT_EQ(std::wstring(box->GetText()), std::to_wstring(view.GetZoom()) + L"%");
    m_main->MDIActivate(second);
    PumpFor(50);
    EXPECT_EQ(std::wstring(box->GetText()), L"100%");
}

TEST_F(ViewControlsTest, TheContextMenusShowTheStatesOfWhatWasClicked)
{
    CChildFrame* frame = OpenCopy(L"kest-view-context.kest");
    ASSERT_NE(frame, nullptr);
    CChildView& view = frame->GetView();
    ASSERT_GE(view.GetLayout().GetColumnCount(), 2);
    const RECT cell = view.GetLayout().GetCellRect(1, 0);
    const POINT inColumn = OnPage(frame, {(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2});
    RightClick(inColumn);
    EXPECT_EQ(view.GetSelection(), (std::set<int32_t>{1}));
    std::vector<MenuItem> items = OpenMenu();
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].text, L"&Merge");
    EXPECT_FALSE(items[0].enabled); // one column
    EXPECT_EQ(items[2].text, L"Column &Format");
    RECT window = {};
    GetWindowRect(m_main->m_hWnd, &window);
    CreateDirectoryW(L"screenshots", nullptr);
    EXPECT_TRUE(SaveScreenArea(L"screenshots/view-context-menu.bmp", window));
    CloseMenus();
    int32_t format = view.GetLayout().GetColumn(1).format;

    // The preview bar's menu on that column: the column's format checked; a choice reaches the view.
    CConvertingSampleBar* bar = frame->GetPreviewBar();
    ASSERT_NE(bar, nullptr);
    CListCtrl& grid = bar->GetGridView();
    ASSERT_GE(grid.GetItemCount(), 1);
    CRect gridCell(LVIR_BOUNDS, 2, 0, 0); // the second converted column of the first row
    ASSERT_TRUE(grid.SendMessage(LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&gridCell)));
    grid.ClientToScreen(&gridCell);
    // The bar offers the formats for a column it shows selected.
    Click(gridCell.CenterPoint(), true);
    for (int32_t chosen : {2, 1})
    {
        RightClick(gridCell.CenterPoint(), true);
        items = OpenMenu();
        ASSERT_EQ(items.size(), 6u);
        for (int32_t i = 0; i < 6; ++i)
            EXPECT_EQ(items[i].checked, i == format) << i;
        EXPECT_TRUE(SaveScreenArea(L"screenshots/preview-format-menu.bmp", window));
        Click(MenuItemCentre(items[chosen].text.c_str()));
        EXPECT_EQ(view.GetLayout().GetColumn(1).format, chosen);
        format = chosen;
    }
}

TEST_F(ViewControlsTest, EachWindowKeepsItsPageBoxAndTheTitleFollowsTheActiveOne)
{
    CChildFrame* first = OpenSample(L"report.kest", L"kest-view-first.kest");
    CChildFrame* second = OpenSample(L"report.kest", L"kest-view-second.kest");
    ASSERT_TRUE(first && second);
    m_main->MDITile(MDITILE_VERTICAL);
    PumpFor(100);
    // The user goes to the last page in the first window with its own page bar.
    m_main->MDIActivate(first);
    PumpFor(50);
    Click(ButtonCentre(first->GetPageBar(), 34127), true);
    PumpFor(50);
    auto boxText = [](CChildFrame* frame) { return TextOf(frame->GetPageBox()->GetEditBox()->m_hWnd); };
    EXPECT_EQ(boxText(first), L"3");
    EXPECT_EQ(boxText(second), L"1");
    // Typing into the second window's box leaves the first one's alone.
    CRect edit;
    second->GetPageBox()->GetEditBox()->GetWindowRect(&edit);
    UserInput input;
    input.MoveTo(edit.CenterPoint()).LeftDown().LeftUp().Press(VK_END).Press(VK_BACK).Type(L"2").Press(VK_RETURN);
    PlayTranslated(input);
    EXPECT_EQ(second->GetView().GetCurrentPageNumber(), 2);
    EXPECT_EQ(boxText(first), L"3");
    EXPECT_EQ(boxText(second), L"2");
    EXPECT_EQ(first->GetView().GetCurrentPageNumber(), 3);
    RECT window = {};
    GetWindowRect(m_main->m_hWnd, &window);
    CreateDirectoryW(L"screenshots", nullptr);
    EXPECT_TRUE(SaveScreenArea(L"screenshots/view-two-page-boxes.bmp", window));

    // The title names the active document alone; closing it names the other, then none.
    EXPECT_EQ(TextOf(m_main->m_hWnd), L"kest-view-second.kest - Kest");
    m_main->MDIActivate(first);
    PumpFor(50);
    EXPECT_EQ(TextOf(m_main->m_hWnd), L"kest-view-first.kest - Kest");
    first->SendMessage(WM_CLOSE);
    PumpFor(100);
    EXPECT_EQ(TextOf(m_main->m_hWnd), L"kest-view-second.kest - Kest");
    second->SendMessage(WM_CLOSE);
    PumpFor(100);
    EXPECT_EQ(TextOf(m_main->m_hWnd), L"Kest");
}

TEST_F(ViewControlsTest, TheKeyPanesFollowTheKeysAndColumnsNeedsADocument)
{
    EXPECT_FALSE(Update(CMainFrame::ColumnModePane).m_enabled);
    ASSERT_NE(OpenCopy(L"kest-view-panes.kest"), nullptr);
    EXPECT_TRUE(Update(CMainFrame::ColumnModePane).m_enabled);
    for (const auto& key : {std::make_pair(VK_CAPITAL, 59137u), std::make_pair(VK_NUMLOCK, 59138u),
                            std::make_pair(VK_SCROLL, 59139u)})
    {
        const bool before = (GetKeyState(key.first) & 1) != 0;
        EXPECT_EQ(Update(key.second).m_enabled, before) << key.second;
        UserInput input;
        input.Press(static_cast<WORD>(key.first));
        PlayTranslated(input);
        EXPECT_EQ(Update(key.second).m_enabled, !before) << key.second;
        UserInput back;
        back.Press(static_cast<WORD>(key.first));
        PlayTranslated(back);
        EXPECT_EQ(Update(key.second).m_enabled, before) << key.second;
    }
}

TEST_F(ViewControlsTest, ALineDragWhoseCaptureIsTakenEndsAndIsRecorded)
{
    CChildFrame* frame = OpenCopy(L"kest-view-capture.kest");
    ASSERT_NE(frame, nullptr);
    CChildView& view = frame->GetView();
    ConvertingTableLayout& layout = view.GetLayout();
    ASSERT_GE(layout.GetColumnCount(), 2);
    // The line between the first two columns.
    const int32_t line = layout.GetColumn(0).x;
    const RECT table = layout.GetTableRect();
    const int32_t y = (table.top + table.bottom) / 2;
    ASSERT_FALSE(frame->IsModified());

    UserInput press;
    press.MoveTo(OnPage(frame, {line, y})).LeftDown().MoveTo(OnPage(frame, {line - 30, y}));
    press.MoveTo(OnPage(frame, {line - 60, y}));
    PlayTranslated(press);
    ASSERT_TRUE(view.IsDragging());
    const int32_t dragged = layout.GetColumn(0).x;
    EXPECT_LT(dragged, line);
    // Another window takes the mouse, as a message box or another program does.
    ::SetCapture(m_main->m_hWnd);
    PumpFor(50);
    EXPECT_FALSE(view.IsDragging());
    ::ReleaseCapture();
    EXPECT_TRUE(frame->IsModified());
    EXPECT_TRUE(view.CanUndo());
    // Plain moves afterwards change nothing, and the release finds no drag.
    UserInput later;
    later.MoveTo(OnPage(frame, {line - 90, y})).LeftUp().MoveTo(OnPage(frame, {line - 100, y}));
    PlayTranslated(later);
    EXPECT_EQ(layout.GetColumn(0).x, dragged);
    ASSERT_TRUE(view.UndoLayout());
    EXPECT_EQ(layout.GetColumn(0).x, line);
    EXPECT_FALSE(frame->IsModified());
}

// Counts the refreshes the frame hands its preview bar.
class CountingSampleBar : public CConvertingSampleBar
{
public:
    void OnRefresh() override { ++m_refreshes; }
    int m_refreshes = 0;
};

class CountingFrame : public CChildFrame
{
public:
    std::unique_ptr<CConvertingSampleBar> CreatePreviewBar() override
    {
        auto bar = std::make_unique<CountingSampleBar>();
        m_bar = bar.get();
        return bar;
    }
    CountingSampleBar* m_bar = nullptr;
};

TEST_F(ViewControlsTest, RefreshingTheChildFramesRefreshesEachPreview)
{
    CountingFrame* frames[2] = {new CountingFrame, new CountingFrame};
    for (CountingFrame* frame : frames)
    {
        ASSERT_TRUE(frame->CreateWithView(m_main, L"Job"));
        ASSERT_NE(frame->m_bar, nullptr);
    }
    m_main->RefreshChildFrames();
    for (CountingFrame* frame : frames)
        EXPECT_EQ(frame->m_bar->m_refreshes, 1);
    for (CountingFrame* frame : frames)
        frame->DestroyWindow();
    PumpFor(50);
}

} // namespace

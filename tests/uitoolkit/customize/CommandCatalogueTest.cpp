// The customize sheet's catalogue of commands, built from menus made in memory: which commands it
// takes, under which categories and texts, menu-path names, replacing buttons, and the category
// lists the pages fill.
#include "tests/uitoolkit/customize/CustomizeTestApp.h"
#include "tests/uitoolkit/customize/CustomizeTestIds.h"
#include "tests/uitoolkit/customize/CustomizeTestSupport.h"
#include "uitoolkit/bars/KTMDIFrameWnd.h"
#include "uitoolkit/bars/KTMenuStore.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/bars/KTToolbarButton.h"
#include "uitoolkit/customize/KTCommandManager.h"
#include "uitoolkit/customize/KTToolbarCustomize.h"
#include "uitoolkit/customize/KTUserTool.h"
#include "uitoolkit/customize/KTUserToolsManager.h"
#include "uitoolkit/looks/KTVisualManager.h"
#include "uitoolkit/looks/KTVisualManagerXP.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{

// A button class of the program's own, which ReplaceButton puts in place.
class CSpecialButton : public CKTToolbarButton
{
    DECLARE_DYNCREATE(CSpecialButton)
};
IMPLEMENT_DYNCREATE(CSpecialButton, CKTToolbarButton)

// File: New, Save &As<tab>Ctrl+S, a separator, a recent file, Help with no text; Tools: New,
// Close (a system command), a verb; Window: a submenu with nothing a bar can run.
HMENU MakeMainMenu()
{
    HMENU hFile = ::CreatePopupMenu();
    ::AppendMenuW(hFile, MF_STRING, ID_TEST_CMD_NEW, L"&New");
    ::AppendMenuW(hFile, MF_STRING, ID_TEST_CMD_SAVEAS, L"Save &As\tCtrl+S");
    ::AppendMenuW(hFile, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(hFile, MF_STRING, 0xE110, L"1 recent.kest");
    ::AppendMenuW(hFile, MF_STRING, ID_TEST_CMD_HELP, L"");
    ::AppendMenuW(hFile, MF_STRING, ID_TEST_CMD_NOTEXT, L"");
    HMENU hTools = ::CreatePopupMenu();
    ::AppendMenuW(hTools, MF_STRING, ID_TEST_CMD_NEW, L"New");
    ::AppendMenuW(hTools, MF_STRING, 0xF060, L"Close");
    ::AppendMenuW(hTools, MF_STRING, 0xE215, L"Verb");
    ::AppendMenuW(hTools, MF_STRING, 0xFF10, L"High");
    ::AppendMenuW(hTools, MF_STRING, ID_TEST_CMD_CUT, L"Cu&t");
    HMENU hArrange = ::CreatePopupMenu();
    ::AppendMenuW(hArrange, MF_SEPARATOR, 0, nullptr);
    HMENU hWindow = ::CreatePopupMenu();
    ::AppendMenuW(hWindow, MF_POPUP, (UINT_PTR)hArrange, L"Arrange");
    HMENU hMain = ::CreateMenu();
    ::AppendMenuW(hMain, MF_POPUP, (UINT_PTR)hFile, L"&File");
    ::AppendMenuW(hMain, MF_POPUP, (UINT_PTR)hTools, L"&Tools");
    ::AppendMenuW(hMain, MF_POPUP, (UINT_PTR)hWindow, L"&Window");
    return hMain;
}

struct Entry
{
    UINT uiCmd;
    std::wstring text;
    std::wstring menuPath;
};

std::vector<Entry> EntriesOf(const CObList* pList)
{
    std::vector<Entry> entries;
    for (POSITION pos = pList != nullptr ? pList->GetHeadPosition() : nullptr; pos != nullptr;)
    {
        const CKTToolbarButton* pButton = static_cast<const CKTToolbarButton*>(pList->GetNext(pos));
        entries.push_back({pButton->m_nID, (LPCTSTR)pButton->m_strText, (LPCTSTR)pButton->m_strMenuPath});
    }
    return entries;
}

// The commands a bar can run, leaving out menu buttons (-1) and the new-menu button (0).
std::vector<UINT> CommandsOf(const CObList* pList)
{
    std::vector<UINT> commands;
    for (const Entry& entry : EntriesOf(pList))
    {
        if (entry.uiCmd != 0 && entry.uiCmd != (UINT)-1)
            commands.push_back(entry.uiCmd);
    }
    return commands;
}

class CommandCatalogueTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_hMenu = MakeMainMenu();
        m_frame.m_hMenuDefault = m_hMenu;
    }
    void TearDown() override
    {
        m_frame.m_hMenuDefault = nullptr;
        ::DestroyMenu(m_hMenu);
    }

    CFrameWnd m_frame;
    HMENU m_hMenu = nullptr;
};

TEST_F(CommandCatalogueTest, MenusBecomeCategoriesWithCleanTextsAndMenuPathNames)
{
    CKTToolbarCustomize sheet(&m_frame, TRUE);
    const CString& all = sheet.GetAllCommandsCategory();
    ASSERT_FALSE(all.IsEmpty());

    std::vector<std::wstring> names;
    for (POSITION pos = sheet.GetCategoryNames().GetHeadPosition(); pos != nullptr;)
        names.push_back((LPCTSTR)sheet.GetCategoryNames().GetNext(pos));
    ASSERT_GE(names.size(), 3u);
    EXPECT_EQ(L"File", names[0]);
    EXPECT_EQ(L"Tools", names[1]);
    EXPECT_EQ(L"Window", names[2]);
    for (const std::wstring& name : names)
        EXPECT_NE(std::wstring((LPCTSTR)all), name);

    // Recent files, system commands, verbs and ids from 0xFF00 never enter; a command without
    // text takes its prompt, one with neither is left out.
    const std::vector<Entry> file = EntriesOf(sheet.GetCategoryButtons(L"File"));
    ASSERT_EQ(3u, file.size());
    EXPECT_EQ((UINT)ID_TEST_CMD_NEW, file[0].uiCmd);
    EXPECT_EQ(L"New", file[0].text);
    EXPECT_EQ(L"FileNew", file[0].menuPath);
    EXPECT_EQ(L"Save As", file[1].text);
    EXPECT_EQ(L"FileSaveAs", file[1].menuPath);
    EXPECT_EQ(L"Help Topics", file[2].text);
    EXPECT_EQ((std::vector<UINT>{ID_TEST_CMD_NEW, ID_TEST_CMD_CUT}), CommandsOf(sheet.GetCategoryButtons(L"Tools")));

    // Each command once in "All Commands", in the order first met.
    EXPECT_EQ((std::vector<UINT>{ID_TEST_CMD_NEW, ID_TEST_CMD_SAVEAS, ID_TEST_CMD_HELP, ID_TEST_CMD_CUT}),
              CommandsOf(sheet.GetCategoryButtons(all)));
    EXPECT_STREQ(L"Cut", sheet.GetCommandText(ID_TEST_CMD_CUT));
    EXPECT_EQ(nullptr, sheet.GetCommandText(ID_TEST_CMD_NOTEXT));
    EXPECT_EQ(1, CKTToolbarCustomize::CountButtonsWithText(L"New", sheet.GetCategoryButtons(L"File")));
    EXPECT_EQ(0, CKTToolbarCustomize::CountButtonsWithText(L"new", sheet.GetCategoryButtons(L"File")));
}

TEST_F(CommandCatalogueTest, TextRulesAndRefusedRangesAsATable)
{
    struct Case
    {
        UINT uiCmd;
        const wchar_t* text;
        const wchar_t* expected; // null: not catalogued
    };
    const Case cases[] = {
        {34101, L"  &Open\tCtrl+O  ", L"Open"},
        {34102, L"R&&D", L"RD"},
        {0xE110, L"MRU first", nullptr},
        {0xE11F, L"MRU last", nullptr},
        {0xF000, L"System first", nullptr},
        {0xF1EF, L"System last", nullptr},
        {0xE210, L"Verb first", nullptr},
        {0xE21F, L"Verb last", nullptr},
        {0xFF00, L"High", nullptr},
        {0xEFFF, L"Just below system", L"Just below system"},
        {ID_TEST_CMD_NOTEXT, L"   ", nullptr},
    };
    CKTToolbarCustomize sheet(&m_frame, FALSE);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.uiCmd);
        sheet.AddCategoryButton(L"Table", CKTToolbarButton(c.uiCmd, -1, c.text));
        const LPCTSTR lpszText = sheet.GetCommandText(c.uiCmd);
        if (c.expected == nullptr)
            EXPECT_EQ(nullptr, lpszText);
        else
            EXPECT_STREQ(c.expected, lpszText);
    }
    const WORD wForbidden = 34556;
    CKTToolBar::AddForbiddenCommand(wForbidden);
    sheet.AddCategoryButton(L"Table", CKTToolbarButton(wForbidden, -1, L"Forbidden"));
    EXPECT_EQ(nullptr, sheet.GetCommandText(wForbidden));

    // The same entry is added once; one without text takes the later text.
    sheet.AddCategoryButton(L"Table", CKTToolbarButton(34101, -1, L"Again"));
    EXPECT_STREQ(L"Open", sheet.GetCommandText(34101));
    EXPECT_EQ(1, CKTToolbarCustomize::CountButtonsWithText(L"Open", sheet.GetCategoryButtons(L"Table")));
}

TEST_F(CommandCatalogueTest, ReplaceButtonKeepsPlacesAndTextsInEveryCategory)
{
    CKTToolbarCustomize sheet(&m_frame, TRUE);
    CSpecialButton special;
    special.m_nID = ID_TEST_CMD_NEW;
    sheet.ReplaceButton(ID_TEST_CMD_NEW, special);

    for (const wchar_t* category : {L"File", L"Tools", (LPCTSTR)sheet.GetAllCommandsCategory()})
    {
        SCOPED_TRACE(category);
        const CObList* pList = sheet.GetCategoryButtons(category);
        ASSERT_NE(nullptr, pList);
        const CKTToolbarButton* pFirst = static_cast<const CKTToolbarButton*>(pList->GetHead());
        EXPECT_TRUE(pFirst->IsKindOf(RUNTIME_CLASS(CSpecialButton)));
        EXPECT_EQ((UINT)ID_TEST_CMD_NEW, pFirst->m_nID);
        EXPECT_EQ(CString(L"New"), pFirst->m_strText);
    }
    const CObList* pFile = sheet.GetCategoryButtons(L"File");
    EXPECT_FALSE(static_cast<const CKTToolbarButton*>(pFile->GetTail())->IsKindOf(RUNTIME_CLASS(CSpecialButton)));
}

TEST_F(CommandCatalogueTest, CategoriesWithoutARealCommandAreListedOnlyWhenAsked)
{
    CKTToolbarCustomize sheet(&m_frame, TRUE);
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), L"lists", WS_POPUP, CRect(0, 0, 200, 200), nullptr, 0));
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWNLIST, CRect(0, 0, 150, 200), &parent, 1));
    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD, CRect(0, 0, 150, 200), &parent, 2));
    sheet.FillCategoryCombo(combo, FALSE);
    sheet.FillCategoryList(list, TRUE);

    std::vector<std::wstring> comboTexts;
    for (int i = 0; i < combo.GetCount(); ++i)
    {
        CString str;
        combo.GetLBText(i, str);
        comboTexts.push_back((LPCTSTR)str);
    }
    std::vector<std::wstring> listed;
    for (int i = 0; i < list.GetCount(); ++i)
    {
        CString str;
        list.GetText(i, str);
        listed.push_back((LPCTSTR)str);
    }
    const std::wstring all((LPCTSTR)sheet.GetAllCommandsCategory());
    // "Window" holds a submenu with nothing to run, "New Menu" only the new-menu button.
    EXPECT_EQ((std::vector<std::wstring>{L"File", L"Tools", all}), comboTexts);
    ASSERT_EQ(5u, listed.size());
    EXPECT_EQ(L"Window", listed[2]);
    EXPECT_EQ(all, listed[4]);
    EXPECT_EQ(sheet.GetCategoryButtons(L"Tools"), list.GetItemDataPtr(1));

    CListBox commands;
    ASSERT_TRUE(commands.Create(WS_CHILD, CRect(0, 0, 150, 200), &parent, 3));
    sheet.FillCommandList(commands);
    const int nSaveAs = commands.FindStringExact(-1, L"FileSaveAs");
    ASSERT_GE(nSaveAs, 0);
    EXPECT_EQ((DWORD_PTR)ID_TEST_CMD_SAVEAS, commands.GetItemData(nSaveAs));
    EXPECT_LT(commands.FindStringExact(-1, L"Save As"), 0);
    parent.DestroyWindow();
}

TEST_F(CommandCatalogueTest, TheLook2000OptionNeedsALookThatAllowsIt)
{
    {
        CKTToolbarCustomize sheet(&m_frame, FALSE, 0x6F);
        EXPECT_EQ(CKTVisualManager::GetInstance()->IsLook2000Allowed() ? 0x2Fu : 0x2Bu, sheet.GetFlags());
    }
    CKTVisualManager::SetDefaultManager(RUNTIME_CLASS(CKTVisualManagerXP));
    {
        CKTToolbarCustomize sheet(&m_frame, FALSE, 0x2F);
        EXPECT_EQ(0x2Bu, sheet.GetFlags());
    }
    CKTVisualManager::SetDefaultManager(RUNTIME_CLASS(CKTVisualManager));
}

TEST_F(CommandCatalogueTest, UserToolsTakeTheirEntrysPlaceUnderTheirLabels)
{
    const UINT uiEntry = 34201, uiFirst = 34210, uiLast = 34219;
    CKTUserToolsManager manager(uiEntry, uiFirst, uiLast);
    for (const wchar_t* label : {L"Notepad", L"Calculator"})
    {
        CKTUserTool* pTool = manager.CreateNewTool();
        ASSERT_NE(nullptr, pTool);
        pTool->m_strLabel = label;
    }
    HMENU hExtras = ::CreatePopupMenu();
    ::AppendMenuW(hExtras, MF_STRING, ID_TEST_CMD_NEW, L"&New");
    ::AppendMenuW(hExtras, MF_STRING, uiEntry, L"External &tools");
    ::AppendMenuW(hExtras, MF_STRING, ID_TEST_CMD_CUT, L"Cu&t");
    HMENU hMenu = ::CreateMenu();
    ::AppendMenuW(hMenu, MF_POPUP, (UINT_PTR)hExtras, L"E&xtras");
    m_frame.m_hMenuDefault = hMenu;

    {
        CKTToolbarCustomize sheet(&m_frame, TRUE);
        // The tools stand where their entry stood, each under its label, with image 0.
        const std::vector<Entry> extras = EntriesOf(sheet.GetCategoryButtons(L"Extras"));
        ASSERT_EQ(4u, extras.size());
        EXPECT_EQ((std::vector<UINT>{ID_TEST_CMD_NEW, uiFirst, uiFirst + 1, ID_TEST_CMD_CUT}),
                  CommandsOf(sheet.GetCategoryButtons(L"Extras")));
        EXPECT_EQ(L"Notepad", extras[1].text);
        EXPECT_EQ(L"Calculator", extras[2].text);
        const CKTToolbarButton* pTool = static_cast<const CKTToolbarButton*>(
            sheet.GetCategoryButtons(L"Extras")->GetAt(sheet.GetCategoryButtons(L"Extras")->FindIndex(1)));
        EXPECT_EQ(0, pTool->GetImage());
        EXPECT_EQ((std::vector<UINT>{ID_TEST_CMD_NEW, uiFirst, uiFirst + 1, ID_TEST_CMD_CUT}),
                  CommandsOf(sheet.GetCategoryButtons(sheet.GetAllCommandsCategory())));

        struct Case
        {
            UINT uiCmd;
            const wchar_t* text;
            const wchar_t* expected; // null: not catalogued
        };
        const Case cases[] = {
            {uiEntry, L"External tools", nullptr},   // the entry itself never goes on a bar
            {uiFirst + 5, L"No such tool", nullptr}, // a free id of the range
            {uiFirst, L"Another text", L"Notepad"},  // the tool's label wins
        };
        for (const Case& c : cases)
        {
            SCOPED_TRACE(c.uiCmd);
            sheet.AddCategoryButton(L"Table", CKTToolbarButton(c.uiCmd, -1, c.text));
            const CObList* pTable = sheet.GetCategoryButtons(L"Table");
            const std::vector<Entry> table = EntriesOf(pTable);
            const bool bListed = std::any_of(table.begin(), table.end(), [&](const Entry& e) {
                return e.uiCmd == c.uiCmd && (c.expected == nullptr || e.text == c.expected);
            });
            EXPECT_EQ(c.expected != nullptr, bListed);
        }
    }
    {
        // Without build-from-menus no category names the tools: the entry is refused, no tool shows.
        CKTToolbarCustomize sheet(&m_frame, FALSE);
        sheet.AddMenuItems(hMenu);
        EXPECT_EQ((std::vector<UINT>{ID_TEST_CMD_NEW, ID_TEST_CMD_CUT}),
                  CommandsOf(sheet.GetCategoryButtons(sheet.GetAllCommandsCategory())));
    }
    m_frame.m_hMenuDefault = m_hMenu;
    ::DestroyMenu(hMenu);
    CKTCommandManager::GetInstance()->ClearAllCmdImages();
}

TEST_F(CommandCatalogueTest, TheWindowMenuOffersTheFramesWindowsDialog)
{
    const UINT uiWindowsDialog = 34301;
    HMENU hWindow = ::CreatePopupMenu();
    ::AppendMenuW(hWindow, MF_STRING, 0xE132, L"&Cascade");
    HMENU hFile = ::CreatePopupMenu();
    ::AppendMenuW(hFile, MF_STRING, ID_TEST_CMD_NEW, L"&New");
    HMENU hMenu = ::CreateMenu();
    ::AppendMenuW(hMenu, MF_POPUP, (UINT_PTR)hFile, L"&File");
    ::AppendMenuW(hMenu, MF_POPUP, (UINT_PTR)hWindow, L"&Window");

    struct Case
    {
        const char* what;
        UINT uiCmd; // the frame's windows dialog, 0: off
        std::vector<UINT> window;
    };
    const Case cases[] = {
        {"offered", uiWindowsDialog, {0xE132, uiWindowsDialog}},
        {"off", 0, {0xE132}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        CKTMDIFrameWnd frame;
        frame.m_hMenuDefault = hMenu;
        frame.EnableWindowsDialog(c.uiCmd, L"&Windows...");
        {
            CKTToolbarCustomize sheet(&frame, TRUE);
            EXPECT_EQ(c.window, CommandsOf(sheet.GetCategoryButtons(L"Window")));
            EXPECT_EQ((std::vector<UINT>{ID_TEST_CMD_NEW}), CommandsOf(sheet.GetCategoryButtons(L"File")));
            if (c.uiCmd != 0)
            {
                EXPECT_STREQ(L"Windows...", sheet.GetCommandText(c.uiCmd));
            }
        }
        frame.m_hMenuDefault = nullptr;
    }
    ::DestroyMenu(hMenu);
}

TEST_F(CommandCatalogueTest, SubmenusMadeForTearOffBarsLoseTheirMarkAndKeepTheirBar)
{
    CString strColours(L"&Colours");
    CKTTearOffIdTable::FormatTearOffText(7, strColours);
    HMENU hColours = ::CreatePopupMenu();
    ::AppendMenuW(hColours, MF_STRING, ID_TEST_CMD_CUT, L"&Red");
    HMENU hFormat = ::CreatePopupMenu();
    ::AppendMenuW(hFormat, MF_POPUP, (UINT_PTR)hColours, strColours);
    HMENU hMenu = ::CreateMenu();
    ::AppendMenuW(hMenu, MF_POPUP, (UINT_PTR)hFormat, L"F&ormat");
    CKTTearOffIdTable table(5, 20);
    CKTTearOffIdTable* pPrevious = g_pTearOffIdTable;
    g_pTearOffIdTable = &table;
    {
        CKTToolbarCustomize sheet(&m_frame, TRUE);
        sheet.AddMenuItems(hMenu);
        const CObList* pFormat = sheet.GetCategoryButtons(L"Format");
        ASSERT_NE(nullptr, pFormat);
        const CKTToolbarMenuButton* pSubmenu = nullptr;
        for (POSITION pos = pFormat->GetHeadPosition(); pos != nullptr;)
        {
            const CKTToolbarButton* pButton = static_cast<const CKTToolbarButton*>(pFormat->GetNext(pos));
            if (pButton->m_nID == (UINT)-1)
                pSubmenu = static_cast<const CKTToolbarMenuButton*>(pButton);
        }
        ASSERT_NE(nullptr, pSubmenu);
        EXPECT_EQ(CString(L"Colours"), pSubmenu->m_strText);
        EXPECT_EQ(7u, pSubmenu->GetTearOffBarID());
        const std::vector<Entry> format = EntriesOf(pFormat);
        const auto red = std::find_if(format.begin(), format.end(), [](const Entry& e) { return e.text == L"Red"; });
        ASSERT_NE(format.end(), red);
        EXPECT_EQ(L"FormatColoursRed", red->menuPath) << "the mark is no part of the menu-path name";
    }
    g_pTearOffIdTable = pPrevious;
    ::DestroyMenu(hMenu);
}

} // namespace

// The managers the workspace keeps with the state: the mouse bindings, the user tools and the
// tear-off ids, made by the workspace, saved, loaded and cleaned with the rest, and a double
// click in a view running the command bound to it.
#include "WorkspaceFixture.h"

#include "uitoolkit/bars/KTMenuStore.h"
#include "uitoolkit/customize/KTMouseManager.h"
#include "uitoolkit/customize/KTUserTool.h"
#include "uitoolkit/customize/KTUserToolsManager.h"

#include <gtest/gtest.h>

namespace
{
const UINT kToolsEntry = 0x8100;
const UINT kFirstTool = 0x8110;
const UINT kLastTool = 0x8117;
const int kPageView = 3;
const int kGridView = 4;
const UINT kZoomCommand = 0x8201;

class WorkspaceManagersTest : public WorkspaceTest
{
protected:
    void InitManagers()
    {
        ASSERT_TRUE(m_pWorkspace->InitMouseManager());
        ASSERT_TRUE(m_pWorkspace->InitUserToolsManager(kToolsEntry, kFirstTool, kLastTool));
    }
};

TEST_F(WorkspaceManagersTest, ToolsAndMouseBindingsSurviveARestart)
{
    CreateDefaultBars("A");
    InitManagers();
    CKTUserTool* pTool = g_pUserToolsManager->CreateNewTool();
    ASSERT_NE(nullptr, pTool);
    pTool->m_strLabel = L"Notepad";
    pTool->SetCommand(L"notepad.exe");
    g_pMouseManager->SetCommandForDblClick(kPageView, kZoomCommand);
    ASSERT_TRUE(Save());
    // Each manager has a key of its own below the workspace's.
    const struct
    {
        const wchar_t* key;
        const wchar_t* value;
    } places[] = {{L"KTMouseManager", L"Mouse"}, {L"KTUserToolsManager", L"Tools"}};
    const auto keyPath = [&](const wchar_t* pszSub) { return SectionPath(pszSub).TrimRight(L'\\'); };
    for (const auto& place : places)
    {
        HKEY hKey = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExW(HKEY_CURRENT_USER, keyPath(place.key), 0, KEY_READ, &hKey))
            << place.key;
        EXPECT_EQ(ERROR_SUCCESS, ::RegQueryValueExW(hKey, place.value, nullptr, nullptr, nullptr, nullptr));
        ::RegCloseKey(hKey);
        ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExW(HKEY_CURRENT_USER, keyPath(L""), 0, KEY_READ, &hKey));
        EXPECT_NE(ERROR_SUCCESS, ::RegQueryValueExW(hKey, place.value, nullptr, nullptr, nullptr, nullptr))
            << place.value << " stands beside the workspace's keys";
        ::RegCloseKey(hKey);
    }

    Restart("A");
    InitManagers();
    EXPECT_EQ(0u, g_pMouseManager->GetViewDblClickCommand(kPageView)) << "a new manager starts empty";
    EXPECT_TRUE(Load());
    EXPECT_EQ(kZoomCommand, g_pMouseManager->GetViewDblClickCommand(kPageView));
    ASSERT_EQ(1, static_cast<int>(g_pUserToolsManager->GetUserTools().GetCount()));
    const CKTUserTool* pLoaded = g_pUserToolsManager->FindTool(kFirstTool);
    ASSERT_NE(nullptr, pLoaded);
    EXPECT_EQ(CString(L"Notepad"), pLoaded->m_strLabel);
    EXPECT_EQ(CString(L"notepad.exe"), pLoaded->GetCommand());

    // Cleaning the state forgets them too.
    EXPECT_TRUE(m_pWorkspace->CleanState());
    for (const auto& place : places)
        EXPECT_FALSE(RegKeyExists(SectionPath(place.key))) << place.key;
    Restart("A");
    InitManagers();
    EXPECT_TRUE(Load());
    EXPECT_EQ(0u, g_pMouseManager->GetViewDblClickCommand(kPageView));
    EXPECT_EQ(0, static_cast<int>(g_pUserToolsManager->GetUserTools().GetCount()));
}

TEST_F(WorkspaceManagersTest, TheWorkspaceDeletesOnlyTheManagersItMade)
{
    CreateDefaultBars("A");
    InitManagers();
    EXPECT_FALSE(m_pWorkspace->InitMouseManager()) << "one exists";
    EXPECT_FALSE(m_pWorkspace->InitUserToolsManager(kToolsEntry, kFirstTool, kLastTool));
    ASSERT_TRUE(m_pWorkspace->EnableTearOffMenus(0x9000, 0x90FF));
    EXPECT_FALSE(m_pWorkspace->EnableTearOffMenus(0x9000, 0x90FF));
    EXPECT_NE(nullptr, g_pTearOffIdTable);
    m_pWorkspace.reset();
    EXPECT_EQ(nullptr, g_pMouseManager);
    EXPECT_EQ(nullptr, g_pUserToolsManager);
    EXPECT_EQ(nullptr, g_pTearOffIdTable);

    // A manager the program made itself stays the program's.
    auto pOwn = std::make_unique<CKTMouseManager>();
    {
        CTestWorkspace workspace;
        EXPECT_FALSE(workspace.InitMouseManager());
    }
    EXPECT_EQ(pOwn.get(), g_pMouseManager);
}

TEST_F(WorkspaceManagersTest, ADoubleClickRunsTheCommandBoundToTheView)
{
    CreateDefaultBars("A");
    EXPECT_FALSE(m_pWorkspace->OnViewDoubleClick(Bar('A'), kPageView)) << "no mouse manager";
    InitManagers();
    g_pMouseManager->SetCommandForDblClick(kPageView, kZoomCommand);
    m_pFrame->m_commands.clear();
    EXPECT_TRUE(m_pWorkspace->OnViewDoubleClick(Bar('A'), kPageView));
    EXPECT_EQ(std::vector<UINT>{kZoomCommand}, m_pFrame->m_commands) << "sent to the view's frame";
    EXPECT_FALSE(m_pWorkspace->OnViewDoubleClick(Bar('A'), kGridView)) << "nothing bound";
    EXPECT_EQ(1u, m_pFrame->m_commands.size());
}

} // namespace

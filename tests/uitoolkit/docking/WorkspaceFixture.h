// A workspace over the test frame: its toolbar hooks and the frame's own bar lists record what the
// workspace asks of them, and a layout of sizing bars and toolbars to save and restore.
#pragma once

#include "SizingFixture.h"

#include "uitoolkit/bars/KTStateVersion.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/bars/KTWorkspace.h"

#include <functional>
#include <string>
#include <vector>

// A toolbar that counts how often its images were reset.
class CCountingToolBar : public CKTToolBar
{
public:
    void ResetAllImages() override
    {
        ++m_nResets;
        CKTToolBar::ResetAllImages();
    }
    int m_nResets = 0;
};

class CTestWorkspace : public CKTWorkspace
{
public:
    CTestWorkspace() : CKTWorkspace(TRUE) {}
    void SetResourceSmartUpdate(BOOL bOn) { m_bResourceSmartUpdate = bOn; }

    void OnBeforeLoadState() override { m_calls.push_back("before load"); }
    void OnAfterLoadState() override
    {
        m_calls.push_back("after load");
        m_nMajorSeen = m_iSavedVersionMajor;
        m_nMinorSeen = m_iSavedVersionMinor;
        m_versionSeenByButtons = KTGetLoadingStateVersion();
    }
    void OnBeforeSaveState() override { m_calls.push_back("before save"); }
    void OnAfterSaveState() override { m_calls.push_back("after save"); }

    std::vector<std::string> m_calls;
    int m_nMajorSeen = -2;
    int m_nMinorSeen = -2;
    KTStateVersion m_versionSeenByButtons;
    // The image-mapping switch as each toolbar found it while it loaded.
    std::vector<BOOL> m_mappingWhileLoading;
    // Runs inside each toolbar's load (may throw, may mark the bar's resources changed).
    std::function<void(CKTToolBar*)> m_onLoadToolBar;

protected:
    BOOL LoadToolBarParameters(const CString& strPath) override;
    BOOL SaveToolBarParameters(const CString& strPath) override;
    BOOL LoadToolBarState(CKTToolBar* pBar, const CString& strPath) override;
    BOOL SaveToolBarState(CKTToolBar* pBar, const CString& strPath) override;
};

// The frame's own bar lists as the workspace sees them; its steps may throw.
class CTestWorkspaceFrame : public CKTWorkspaceFrame
{
public:
    CTestWorkspaceFrame(CFrameWnd* pFrame, std::vector<std::string>& calls) : CKTWorkspaceFrame(pFrame), m_calls(calls)
    {
    }
    void LoadUserToolbars() override { m_calls.push_back("user toolbars"); }
    void LoadTearOffBars() override;
    void SaveUserToolbars(BOOL bFrameOnly) override
    {
        m_calls.push_back(bFrameOnly ? "save user toolbars (frame only)" : "save user toolbars");
    }
    void SaveTearOffBars(BOOL) override { m_calls.push_back("save tear-off bars"); }

    BOOL m_bTearOffThrows = FALSE;

private:
    std::vector<std::string>& m_calls;
};

class WorkspaceTest : public SizingTest
{
public:
    static const wchar_t* const kSection;

    void SetUp() override;
    void TearDown() override;

    // A toolbar "T<n>" with three buttons, docked on top.
    CCountingToolBar* AddToolBar(int n);
    CCountingToolBar* ToolBar(int n) const;
    // The bars as created (sizing bars of the names, docked left, and toolbar T1 on top).
    void CreateDefaultBars(const char* pszNames = "ABCD");
    // The program starts again: a new frame and workspace, the bars as created.
    void Restart(const char* pszNames = "ABCD");
    // The layout set up by hand: A and B in one left row with A expanded, C floating and rolled
    // up, D docked at the bottom and hidden, T1 floating.
    void ArrangeByHand();
    // Every bar's place (dock side and rectangle, or floating frame), visibility and sizes.
    std::string Describe() const;

    // Every window painted afresh, then the picture for the build folder.
    void Picture(const wchar_t* pszName);

    BOOL Save();
    BOOL Load();
    CString SectionPath(const wchar_t* pszSub = L"") const;

    std::unique_ptr<CTestWorkspace> m_pWorkspace;
    std::vector<std::unique_ptr<CCountingToolBar>> m_toolbars;
};

// Registry values written and read directly, as a damaged or foreign profile holds them.
void WriteRegInt(const CString& path, const wchar_t* name, DWORD dwValue);
void WriteRegBinary(const CString& path, const wchar_t* name, const void* pData, DWORD cbData);
bool RegKeyExists(const CString& path);
bool ReadRegInt(const CString& path, const wchar_t* name, DWORD* pValue);

#include "uitoolkit/bars/KTWorkspace.h"

#include "framework/AfxException.h"
#include "uitoolkit/bars/KTFrameDocking.h"
#include "uitoolkit/bars/KTMenuStore.h"
#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTSizingControlBar.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/customize/KTCommandManager.h"
#include "uitoolkit/customize/KTContextMenuManager.h"
#include "uitoolkit/customize/KTKeyboardManager.h"
#include "uitoolkit/customize/KTMouseManager.h"
#include "uitoolkit/customize/KTUserToolsManager.h"
#include "uitoolkit/looks/KTRegistry.h"

#include <algorithm>
#include <exception>
#include <vector>

namespace
{

CKTWorkspace* g_pWorkspace = nullptr;

const wchar_t* const kDefaultSection = L"KTWorkspace";
const wchar_t* const kVersionKey = L"KTControlBarVersion";
const wchar_t* const kSizingBarsSection = L"\\SizingBars";
const wchar_t* const kDockStateSection = L"\\ControlBars";
const wchar_t* const kPlacementKey = L"WindowPlacement";

std::unique_ptr<CKTWorkspaceFrame> NoFrameOfSupport(CKTFrameSupport*)
{
    return nullptr;
}

// Runs one step of a load or save. A stored value that the step cannot digest costs that item
// only: the step's default stays and the rest of the state is still handled.
template <class Step>
void RunStep(Step step)
{
    try
    {
        step();
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (const std::exception&)
    {
    }
}

// While toolbars load their buttons, the images the buttons carry must not replace the
// command-to-image map that the resources built; switched on again on every way out.
class ImageMappingOff
{
public:
    explicit ImageMappingOff(BOOL bActive) : m_bActive(bActive)
    {
        if (m_bActive)
            CKTToolbarButton::m_bUpdateImages = FALSE;
    }
    ~ImageMappingOff()
    {
        if (m_bActive)
            CKTToolbarButton::m_bUpdateImages = TRUE;
    }
    ImageMappingOff(const ImageMappingOff&) = delete;
    ImageMappingOff& operator=(const ImageMappingOff&) = delete;

private:
    BOOL m_bActive;
};

std::vector<CKTToolBar*> LiveToolbars()
{
    std::vector<CKTToolBar*> bars;
    const CObList& all = CKTToolBar::GetAllToolbars();
    for (POSITION pos = all.GetHeadPosition(); pos != nullptr;)
        bars.push_back(static_cast<CKTToolBar*>(all.GetNext(pos)));
    return bars;
}

// A step may create or destroy bars; a bar of an earlier snapshot is used only while it lives.
BOOL IsLiveToolbar(CKTToolBar* pBar)
{
    return CKTToolBar::GetAllToolbars().Find(pBar) != nullptr && pBar->GetSafeHwnd() != nullptr;
}

BOOL IsLiveSizingBar(CKTSizingControlBar* pBar)
{
    const auto& all = CKTSizingControlBar::GetAllBars();
    return std::find(all.begin(), all.end(), pBar) != all.end() && pBar->GetSafeHwnd() != nullptr;
}

// Positions are kept against the whole virtual screen, so that bars floating on a second monitor
// come back there.
void PrepareDockState(CDockState& state)
{
    int cxScreen = ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
    int cyScreen = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (cxScreen <= 0 || cyScreen <= 0)
    {
        cxScreen = ::GetSystemMetrics(SM_CXSCREEN);
        cyScreen = ::GetSystemMetrics(SM_CYSCREEN);
    }
    state.m_rectDevice.SetRect(0, 0, cxScreen, cyScreen);
    state.m_rectClip = state.m_rectDevice;
    state.m_rectClip.right -= ::GetSystemMetrics(SM_CXICON);
    state.m_rectClip.bottom -= ::GetSystemMetrics(SM_CYICON);
}

// Window coordinates live in 16 bits; a stored rectangle beyond them, or turned inside out, was
// not written by a window of ours.
BOOL IsPlausiblePlacement(const CRect& rect)
{
    const LONG kLimit = 32767;
    return rect.left <= rect.right && rect.top <= rect.bottom && rect.left >= -kLimit && rect.top >= -kLimit &&
           rect.right <= kLimit && rect.bottom <= kLimit;
}

CFrameWnd* FrameWindowOf(const CKTWorkspaceFrame* pFrame)
{
    return pFrame != nullptr && pFrame->GetFrame() != nullptr && pFrame->GetFrame()->GetSafeHwnd() != nullptr
               ? pFrame->GetFrame()
               : nullptr;
}

} // namespace

BOOL CKTWorkspaceFrame::IsDockStateValid(const CDockState& state) const
{
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); ++i)
    {
        const auto* pInfo = static_cast<const CControlBarInfo*>(state.m_arrBarInfo[i]);
        if (pInfo->m_bFloating)
            continue;
        if (m_pFrame == nullptr || m_pFrame->GetControlBar(pInfo->m_nBarID) == nullptr)
            return FALSE;
    }
    return TRUE;
}

std::unique_ptr<CKTWorkspaceFrame> (*CKTWorkspace::m_pfnFrameOfSupport)(CKTFrameSupport*) = &NoFrameOfSupport;

CKTWorkspace* GetWorkspace()
{
    return g_pWorkspace;
}

CKTWorkspace::CKTWorkspace(BOOL bResourceSmartUpdate)
    : m_strRegSection(kDefaultSection), m_bResourceSmartUpdate(bResourceSmartUpdate)
{
    g_pWorkspace = this;
}

CKTWorkspace::~CKTWorkspace()
{
    if (m_bKeyboardManagerAutocreated)
        delete g_pKeyboardManager; // clears the global pointer
    if (m_bContextMenuManagerAutocreated)
        delete g_pContextMenuManager;
    if (m_bMouseManagerAutocreated)
        delete g_pMouseManager;
    if (m_bUserToolsManagerAutocreated)
        delete g_pUserToolsManager;
    if (m_bTearOffManagerAutocreated)
    {
        delete g_pTearOffIdTable;
        g_pTearOffIdTable = nullptr;
    }
    if (g_pWorkspace == this)
        g_pWorkspace = nullptr;
}

BOOL CKTWorkspace::InitKeyboardManager()
{
    if (g_pKeyboardManager != nullptr)
        return FALSE;
    new CKTKeyboardManager;
    m_bKeyboardManagerAutocreated = TRUE;
    return TRUE;
}

BOOL CKTWorkspace::InitContextMenuManager()
{
    if (g_pContextMenuManager != nullptr)
        return FALSE;
    new CKTContextMenuManager;
    m_bContextMenuManagerAutocreated = TRUE;
    return TRUE;
}

CKTContextMenuManager* CKTWorkspace::GetContextMenuManager()
{
    if (g_pContextMenuManager == nullptr)
        InitContextMenuManager();
    return g_pContextMenuManager;
}

BOOL CKTWorkspace::InitMouseManager()
{
    if (g_pMouseManager != nullptr)
        return FALSE;
    new CKTMouseManager;
    m_bMouseManagerAutocreated = TRUE;
    return TRUE;
}

BOOL CKTWorkspace::InitUserToolsManager(UINT uiCmdToolsDummy, UINT uiCmdFirst, UINT uiCmdLast,
                                        CRuntimeClass* pToolRTC, UINT uiArgMenuID, UINT uiInitDirMenuID)
{
    if (g_pUserToolsManager != nullptr)
        return FALSE;
    new CKTUserToolsManager(uiCmdToolsDummy, uiCmdFirst, uiCmdLast, pToolRTC, uiArgMenuID, uiInitDirMenuID);
    m_bUserToolsManagerAutocreated = TRUE;
    return TRUE;
}

BOOL CKTWorkspace::EnableTearOffMenus(UINT uiFirstId, UINT uiLastId)
{
    if (g_pTearOffIdTable != nullptr)
        return FALSE;
    g_pTearOffIdTable = new CKTTearOffIdTable(uiFirstId, uiLastId);
    m_bTearOffManagerAutocreated = TRUE;
    return TRUE;
}

LPCTSTR CKTWorkspace::SetRegistryBase(LPCTSTR lpszSectionName)
{
    m_strRegSection = lpszSectionName != nullptr && *lpszSectionName != 0 ? lpszSectionName : kDefaultSection;
    return m_strRegSection;
}

CString CKTWorkspace::GetRegSectionPath(LPCTSTR lpszSubSection) const
{
    CString strPath = GetRegistryPath(m_strRegSection);
    if (lpszSubSection != nullptr && *lpszSubSection != 0)
    {
        strPath += lpszSubSection;
        strPath += L"\\";
    }
    return strPath;
}

BOOL CKTWorkspace::LoadState(LPCTSTR lpszSectionName, CKTFrameSupport* pFrameImpl)
{
    std::unique_ptr<CKTWorkspaceFrame> pFrame = pFrameImpl != nullptr ? m_pfnFrameOfSupport(pFrameImpl) : nullptr;
    return LoadFrameState(lpszSectionName, pFrame.get());
}

BOOL CKTWorkspace::SaveState(LPCTSTR lpszSectionName, CKTFrameSupport* pFrameImpl)
{
    std::unique_ptr<CKTWorkspaceFrame> pFrame = pFrameImpl != nullptr ? m_pfnFrameOfSupport(pFrameImpl) : nullptr;
    return SaveFrameState(lpszSectionName, pFrame.get());
}

BOOL CKTWorkspace::LoadFrameState(LPCTSTR lpszSectionName, CKTWorkspaceFrame* pFrame)
{
    if (lpszSectionName != nullptr)
        SetRegistryBase(lpszSectionName);
    const CString strPath = GetRegSectionPath();
    OnBeforeLoadState();
    {
        CKTRegistryFactory factory;
        CKTRegistry& reg = factory.Create(FALSE, TRUE);
        if (reg.Open(GetRegSectionPath(kVersionKey)))
        {
            reg.Read(L"Major", m_iSavedVersionMajor);
            reg.Read(L"Minor", m_iSavedVersionMinor);
        }
    }
    RunStep([&] { LoadToolBarParameters(strPath); });
    RunStep([&] { CKTCommandManager::GetInstance()->LoadState(strPath); });

    BOOL bResourcesChanged = FALSE;
    {
        ImageMappingOff mappingOff(m_bResourceSmartUpdate);
        if (FrameWindowOf(pFrame) != nullptr)
            LoadFrameBars(strPath, *pFrame, bResourcesChanged);
        if (g_pMouseManager != nullptr)
            RunStep([&] { g_pMouseManager->LoadState(strPath); });
        if (g_pContextMenuManager != nullptr)
            RunStep([&] { g_pContextMenuManager->LoadState(strPath); });
        if (g_pKeyboardManager != nullptr)
            RunStep([&] { g_pKeyboardManager->LoadState(strPath, FrameWindowOf(pFrame)); });
        if (g_pUserToolsManager != nullptr)
            RunStep([&] { g_pUserToolsManager->LoadState(strPath); });
    }

    if (m_bForceImageReset || (m_bResourceSmartUpdate && bResourcesChanged))
    {
        for (CKTToolBar* pBar : LiveToolbars())
        {
            if (IsLiveToolbar(pBar))
                RunStep([&] { pBar->ResetAllImages(); });
        }
        if (FrameWindowOf(pFrame) != nullptr)
            pFrame->GetFrame()->RecalcLayout();
    }

    OnAfterLoadState();
    m_iSavedVersionMajor = kVersionMajor;
    m_iSavedVersionMinor = kVersionMinor;
    return TRUE;
}

void CKTWorkspace::LoadFrameBars(const CString& strPath, CKTWorkspaceFrame& frame, BOOL& bResourcesChanged)
{
    CFrameWnd* pFrameWnd = frame.GetFrame();
    for (CKTToolBar* pBar : LiveToolbars())
    {
        if (!IsLiveToolbar(pBar) || !IsBarOfFrame(pBar, pFrameWnd) || pBar->IsLocked() || frame.IsUserToolbar(pBar))
            continue;
        RunStep([&] { LoadToolBarState(pBar, strPath); });
        if (IsLiveToolbar(pBar) && pBar->IsResourceChanged())
            bResourcesChanged = TRUE;
    }

    const CString strSizingBars = m_strRegSection + kSizingBarsSection;
    const std::vector<CKTSizingControlBar*> sizingBars = CKTSizingControlBar::GetAllBars();
    for (CKTSizingControlBar* pBar : sizingBars)
    {
        if (IsLiveSizingBar(pBar) && IsBarOfFrame(pBar, pFrameWnd))
            RunStep([&] { pBar->LoadState(strSizingBars); });
    }

    RunStep([&] { frame.LoadUserToolbars(); });
    RunStep([&] { frame.LoadTearOffBars(); });

    RunStep([&] {
        CDockState state;
        PrepareDockState(state);
        state.LoadState(m_strRegSection + kDockStateSection);
        if (m_bForceDockStateLoad || frame.IsDockStateValid(state))
            ApplyDockState(pFrameWnd, state);
    });
}

BOOL CKTWorkspace::SaveFrameState(LPCTSTR lpszSectionName, CKTWorkspaceFrame* pFrame)
{
    if (!m_bSaveState)
        return FALSE;
    if (lpszSectionName != nullptr)
        SetRegistryBase(lpszSectionName);
    const CString strPath = GetRegSectionPath();
    OnBeforeSaveState();
    {
        CKTRegistryFactory factory;
        CKTRegistry& reg = factory.Create(FALSE, FALSE);
        if (reg.CreateKey(GetRegSectionPath(kVersionKey)))
        {
            reg.Write(L"Major", kVersionMajor);
            reg.Write(L"Minor", kVersionMinor);
        }
    }
    RunStep([&] { SaveToolBarParameters(strPath); });
    RunStep([&] { CKTCommandManager::GetInstance()->SaveState(strPath); });

    if (FrameWindowOf(pFrame) != nullptr)
        SaveFrameBars(strPath, *pFrame);

    if (g_pMouseManager != nullptr)
        RunStep([&] { g_pMouseManager->SaveState(strPath); });
    if (g_pContextMenuManager != nullptr)
        RunStep([&] { g_pContextMenuManager->SaveState(strPath); });
    if (g_pKeyboardManager != nullptr)
        RunStep([&] { g_pKeyboardManager->SaveState(strPath, FrameWindowOf(pFrame)); });
    if (g_pUserToolsManager != nullptr)
        RunStep([&] { g_pUserToolsManager->SaveState(strPath); });

    // The user's own button images live in a file of their own; it is written when changed or gone.
    CKTImageStrip* pUserImages = CKTToolBar::GetUserImages();
    if (pUserImages != nullptr)
        RunStep([&] { pUserImages->Save(); });

    OnAfterSaveState();
    return TRUE;
}

void CKTWorkspace::SaveFrameBars(const CString& strPath, CKTWorkspaceFrame& frame)
{
    CFrameWnd* pFrameWnd = frame.GetFrame();
    RunStep([&] {
        CDockState state;
        PrepareDockState(state);
        pFrameWnd->GetDockState(state);
        state.SaveState(m_strRegSection + kDockStateSection);
    });

    for (CKTToolBar* pBar : LiveToolbars())
    {
        if (IsLiveToolbar(pBar) && IsBarOfFrame(pBar, pFrameWnd) && !pBar->IsLocked() && !frame.IsUserToolbar(pBar))
            RunStep([&] { SaveToolBarState(pBar, strPath); });
    }

    const CString strSizingBars = m_strRegSection + kSizingBarsSection;
    const std::vector<CKTSizingControlBar*> sizingBars = CKTSizingControlBar::GetAllBars();
    for (CKTSizingControlBar* pBar : sizingBars)
    {
        if (IsLiveSizingBar(pBar) && IsBarOfFrame(pBar, pFrameWnd))
            RunStep([&] { pBar->SaveState(strSizingBars); });
    }

    RunStep([&] { frame.SaveUserToolbars(m_bLoadSaveFrameBarsOnly); });
    RunStep([&] { frame.SaveTearOffBars(m_bLoadSaveFrameBarsOnly); });
}

BOOL CKTWorkspace::IsBarOfFrame(CControlBar* pBar, CFrameWnd* pFrame) const
{
    return !m_bLoadSaveFrameBarsOnly || pBar->GetTopLevelFrame() == pFrame;
}

BOOL CKTWorkspace::CleanState(LPCTSTR lpszSectionName)
{
    if (lpszSectionName != nullptr)
        SetRegistryBase(lpszSectionName);
    CKTRegistryFactory factory;
    return factory.Create(FALSE, FALSE).DeleteKey(GetRegSectionPath());
}

BOOL CKTWorkspace::LoadWindowPlacement(CRect& rectNormalPosition, int& nFlags, int& nShowCmd)
{
    CKTRegistryFactory factory;
    CKTRegistry& reg = factory.Create(FALSE, TRUE);
    CRect rect;
    int nStoredFlags = 0;
    int nStoredShowCmd = 0;
    if (!reg.Open(GetRegSectionPath(kPlacementKey)) || !reg.Read(L"MainWindowRect", rect) ||
        !reg.Read(L"Flags", nStoredFlags) || !reg.Read(L"ShowCmd", nStoredShowCmd) || !IsPlausiblePlacement(rect))
        return FALSE;
    rectNormalPosition = rect;
    nFlags = nStoredFlags;
    nShowCmd = nStoredShowCmd;
    return TRUE;
}

BOOL CKTWorkspace::StoreWindowPlacement(const CRect& rectNormalPosition, int nFlags, int nShowCmd)
{
    CKTRegistryFactory factory;
    CKTRegistry& reg = factory.Create(FALSE, FALSE);
    return reg.CreateKey(GetRegSectionPath(kPlacementKey)) && reg.Write(L"MainWindowRect", rectNormalPosition) &&
           reg.Write(L"Flags", nFlags) && reg.Write(L"ShowCmd", nShowCmd);
}

BOOL CKTWorkspace::OnViewDoubleClick(CWnd* pWnd, int iViewId)
{
    if (g_pMouseManager == nullptr)
        return FALSE;
    const UINT uiCmd = g_pMouseManager->GetViewDblClickCommand(iViewId);
    if (uiCmd == 0 || uiCmd == (UINT)-1)
    {
        ::MessageBeep((UINT)-1);
        return FALSE;
    }
    if (g_pUserToolsManager != nullptr && g_pUserToolsManager->InvokeTool(uiCmd))
        return TRUE;
    // Without a window the command goes to the program's main frame.
    CWnd* pTarget = CKTPopupMenu::GetTopFrame(pWnd);
    if (pTarget == nullptr)
        pTarget = AfxGetMainWnd();
    if (pTarget == nullptr || pTarget->GetSafeHwnd() == nullptr)
        return FALSE;
    pTarget->SendMessage(WM_COMMAND, uiCmd);
    return TRUE;
}

BOOL CKTWorkspace::ShowPopupMenu(UINT uiMenuResId, const CPoint& point, CWnd* pWnd)
{
    return g_pContextMenuManager != nullptr &&
           g_pContextMenuManager->ShowPopupMenuById(uiMenuResId, point.x, point.y, pWnd, FALSE, FALSE);
}

void CKTWorkspace::OnContextHelp(CWnd* pWnd, const DWORD* dwHelpIDArray)
{
    CWinApp* pApp = AfxGetApp();
    ::WinHelpW(pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr, pApp != nullptr ? pApp->m_pszHelpFilePath : nullptr,
               HELP_CONTEXTMENU, reinterpret_cast<ULONG_PTR>(dwHelpIDArray));
}

void CKTWorkspace::OnClosingMainFrame(CKTFrameSupport* pFrameImpl)
{
    SaveState(nullptr, pFrameImpl);
}

BOOL CKTWorkspace::LoadToolBarParameters(const CString& strPath)
{
    return CKTToolBar::LoadParameters(strPath);
}

BOOL CKTWorkspace::SaveToolBarParameters(const CString& strPath)
{
    return CKTToolBar::SaveParameters(strPath);
}

BOOL CKTWorkspace::LoadToolBarState(CKTToolBar* pBar, const CString& strPath)
{
    return pBar->LoadState(strPath);
}

BOOL CKTWorkspace::SaveToolBarState(CKTToolBar* pBar, const CString& strPath)
{
    return pBar->SaveState(strPath);
}

#include "uitoolkit/bars/KTFrameImpl.h"

#include "framework/AfxDockBar.h"
#include "framework/AfxDockState.h"
#include "framework/AfxMdi.h"
#include "uitoolkit/bars/KTFrameWnd.h"
#include "uitoolkit/bars/KTBarPopupMessage.h"
#include "uitoolkit/bars/KTFrameDocking.h"
#include "uitoolkit/bars/KTMDIFrameWnd.h"
#include "uitoolkit/bars/KTMenuBar.h"
#include "uitoolkit/bars/KTMiniDockFrameWnd.h"
#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTFrameImplPopups.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/bars/KTWorkspace.h"
#include "uitoolkit/bars/KTOleIPFrameWnd.h"
#include "uitoolkit/customize/KTUserToolsManager.h"
#include "uitoolkit/customize/KTCmdUsageCount.h"
#include "uitoolkit/customize/KTDialogMenuHelper.h"
#include "uitoolkit/looks/KTRegistry.h"

#include <memory>
#include <vector>

const LPCTSTR KTTearOffBarsSection = L"ControlBars-TearOff";

namespace
{

// String 16243 of the toolkit's resources.
const wchar_t kTooManyUserToolbars[] = L"You can't create more than %d user-defined toolbars!";

BOOL IsKeyHeld(int nVirtKey)
{
    return ::GetKeyState(nVirtKey) < 0;
}

BOOL AcceleratorTableHas(HACCEL hAccel, WORD wKey, BYTE fVirt)
{
    if (hAccel == nullptr)
        return FALSE;
    const int nCount = ::CopyAcceleratorTableW(hAccel, nullptr, 0);
    if (nCount <= 0)
        return FALSE;
    std::vector<ACCEL> entries(static_cast<size_t>(nCount));
    const int nCopied = ::CopyAcceleratorTableW(hAccel, entries.data(), nCount);
    for (int i = 0; i < nCopied && i < nCount; i++)
    {
        if (entries[static_cast<size_t>(i)].key == wKey && entries[static_cast<size_t>(i)].fVirt == fVirt)
            return TRUE;
    }
    return FALSE;
}

void DestroyBarList(CObList& list)
{
    while (!list.IsEmpty())
    {
        CControlBar* pBar = static_cast<CControlBar*>(list.RemoveHead());
        pBar->DestroyWindow();
        delete pBar;
    }
}

// The tear-off bar stored in the value: only a toolkit toolbar, whatever class the value names.
CKTToolBar* ReadTearOffBar(CKTRegistry& reg, LPCTSTR lpszName)
{
    BYTE* pData = nullptr;
    UINT nBytes = 0;
    if (!reg.Read(lpszName, &pData, &nBytes) || pData == nullptr)
        return nullptr;
    std::unique_ptr<BYTE[]> data(pData);
    try
    {
        CMemFile file(data.get(), nBytes);
        CArchive ar(&file, CArchive::load);
        CObject* pObject = ar.ReadObject(RUNTIME_CLASS(CKTToolBar));
        ar.Close();
        if (pObject != nullptr && !pObject->IsKindOf(RUNTIME_CLASS(CKTToolBar)))
        {
            delete pObject;
            return nullptr;
        }
        return static_cast<CKTToolBar*>(pObject);
    }
    catch (CException* e)
    {
        e->Delete();
        return nullptr;
    }
}

BOOL IsAnyPopupMenuOpen()
{
    CKTPopupMenu* pActive = CKTFrameSupport::GetActivePopupMenu();
    return pActive != nullptr && ::IsWindow(pActive->GetSafeHwnd());
}

void ForgetTearOffBar(CFrameWnd* pTopFrame, CControlBar* pBar)
{
    CKTFrameSupport* pSupport = KTGetFrameSupport(pTopFrame);
    if (pSupport != nullptr)
        pSupport->RemoveTearOffBar(pBar);
}

// The frame support as the workspace sees it while it loads or saves the frame's state.
class CFrameSupportWorkspaceSide : public CKTWorkspaceFrame
{
public:
    explicit CFrameSupportWorkspaceSide(CKTFrameSupport& support)
        : CKTWorkspaceFrame(support.GetFrame()), m_support(support)
    {
    }
    BOOL IsUserToolbar(const CControlBar* pBar) const override { return m_support.IsUserToolbar(pBar); }
    void LoadUserToolbars() override { m_support.LoadUserToolbars(); }
    void LoadTearOffBars() override { m_support.LoadTearOffBars(); }
    void SaveUserToolbars(BOOL bFrameOnly) override { m_support.SaveUserToolbars(bFrameOnly); }
    void SaveTearOffBars(BOOL bFrameOnly) override { m_support.SaveTearOffBars(bFrameOnly); }
    BOOL IsDockStateValid(const CDockState& state) const override { return m_support.IsDockStateValid(state); }

private:
    CKTFrameSupport& m_support;
};

BOOL FrameShowPopup(CFrameWnd* pTopFrame, CKTPopupMenu* pPopup)
{
    CKTFrameHooks* pHooks = KTGetFrameHooks(pTopFrame);
    if (pHooks == nullptr)
        return TRUE;
    return pPopup != nullptr ? pHooks->OnPopupMenuOpening(pPopup) : pHooks->GetFrameSupport().OnShowPopupMenu(nullptr);
}

void FramePopupDestroyed(CFrameWnd* pTopFrame, CKTPopupMenu* pPopup)
{
    CKTFrameHooks* pHooks = KTGetFrameHooks(pTopFrame);
    if (pHooks != nullptr)
        pHooks->OnClosePopupMenu(pPopup);
}

BOOL FrameTearOffAccepted(CFrameWnd* pTopFrame, CKTPopupMenu* pPopup, CControlBar* pBar)
{
    CKTFrameHooks* pHooks = KTGetFrameHooks(pTopFrame);
    if (pHooks == nullptr)
        return TRUE;
    if (!pHooks->OnTearOffMenu(pPopup, pBar))
        return FALSE;
    // The frame keeps the bar with its tear-off bars, which it stores and reads back.
    pHooks->GetFrameSupport().AddTearOffBar(pBar);
    return TRUE;
}

std::unique_ptr<CKTWorkspaceFrame> WorkspaceSideOf(CKTFrameSupport* pSupport)
{
    return std::make_unique<CFrameSupportWorkspaceSide>(*pSupport);
}

} // namespace

// Hooks -------------------------------------------------------------------------------------------

CKTPopupMenu* CKTFrameSupport::GetActivePopupMenu()
{
    return CKTPopupMenu::GetActiveMenu();
}

CKTFrameHooks* KTGetFrameHooks(CWnd* pWnd)
{
    if (pWnd == nullptr)
        return nullptr;
    if (pWnd->IsKindOf(RUNTIME_CLASS(CKTMDIFrameWnd)))
        return static_cast<CKTMDIFrameWnd*>(pWnd);
    if (pWnd->IsKindOf(RUNTIME_CLASS(CKTFrameWnd)))
        return static_cast<CKTFrameWnd*>(pWnd);
    if (pWnd->IsKindOf(RUNTIME_CLASS(CKTOleDocIPFrameWnd)))
        return static_cast<CKTOleDocIPFrameWnd*>(pWnd);
    if (pWnd->IsKindOf(RUNTIME_CLASS(CKTOleIPFrameWnd)))
        return static_cast<CKTOleIPFrameWnd*>(pWnd);
    return nullptr;
}

CKTFrameSupport* KTGetFrameSupport(CWnd* pWnd)
{
    CKTFrameHooks* pHooks = KTGetFrameHooks(pWnd);
    return pHooks != nullptr ? &pHooks->GetFrameSupport() : nullptr;
}

// Construction ------------------------------------------------------------------------------------

CKTFrameSupport::CKTFrameSupport(CFrameWnd* pFrame) : m_pFrame(pFrame)
{
    // The floating frames ask the toolkit's frames about popup menus and cancelled tear-offs.
    CKTMiniDockFrameWnd::m_pfnIsPopupMenuOpen = &IsAnyPopupMenuOpen;
    CKTMiniDockFrameWnd::m_pfnRemoveTearOffBar = &ForgetTearOffBar;
    CKTWorkspace::m_pfnFrameOfSupport = &WorkspaceSideOf;
    CKTPopupMenu::m_pfnFrameShowPopup = &FrameShowPopup;
    CKTPopupMenu::m_pfnFramePopupDestroyed = &FramePopupDestroyed;
    CKTPopupMenu::m_pfnFrameTearOffAccepted = &FrameTearOffAccepted;
}

CKTFrameSupport::~CKTFrameSupport()
{
    DestroyBarList(m_listUserBars);
    DestroyBarList(m_listTearOffBars);
}

void CKTFrameSupport::FinishBar(CKTToolBar* pBar, BOOL bFloatAtCentre)
{
    pBar->SetOwner(m_pFrame);
    pBar->SetBarStyle(pBar->GetBarStyle() | kUserToolbarBarStyle);
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    if (bFloatAtCentre)
    {
        const CPoint ptCentre(::GetSystemMetrics(SM_CXSCREEN) / 2, ::GetSystemMetrics(SM_CYSCREEN) / 2);
        m_pFrame->FloatControlBar(pBar, ptCentre, CBRS_ALIGN_TOP);
    }
    else
    {
        m_pFrame->DockControlBar(pBar);
    }
}

// User toolbars -----------------------------------------------------------------------------------

void CKTFrameSupport::EnableUserToolbars(LPCTSTR lpszRegEntry, UINT uiUserToolbarFirst, UINT uiUserToolbarLast)
{
    if (uiUserToolbarFirst == (UINT)-1 || uiUserToolbarLast == (UINT)-1)
        return;
    m_uiUserToolbarFirst = uiUserToolbarFirst;
    m_uiUserToolbarLast = uiUserToolbarLast;
    CKTWorkspace* pWorkspace = GetWorkspace();
    if (lpszRegEntry != nullptr)
        m_strControlBarRegEntry = lpszRegEntry;
    else if (pWorkspace != nullptr)
        m_strControlBarRegEntry = pWorkspace->GetRegSectionPath(L"");
    else
        m_strControlBarRegEntry.Empty();
}

CKTToolBar* CKTFrameSupport::CreateUserToolbar(LPCTSTR lpszName)
{
    UINT uiFreeID = (UINT)-1;
    const BOOL bRange = m_uiUserToolbarFirst != (UINT)-1 && m_uiUserToolbarLast != (UINT)-1 &&
                        m_uiUserToolbarFirst <= m_uiUserToolbarLast;
    const INT_PTR nMax = bRange ? static_cast<INT_PTR>(m_uiUserToolbarLast - m_uiUserToolbarFirst) + 1 : 0;
    if (bRange && m_listUserBars.GetCount() < nMax)
    {
        for (UINT uiID = m_uiUserToolbarFirst; uiID <= m_uiUserToolbarLast && uiFreeID == (UINT)-1; uiID++)
        {
            if (FindUserToolbar(uiID) == nullptr)
                uiFreeID = uiID;
            if (uiID == m_uiUserToolbarLast)
                break;
        }
    }
    if (uiFreeID == (UINT)-1)
    {
        CString strMessage;
        strMessage.Format(kTooManyUserToolbars, static_cast<int>(bRange ? nMax : 0));
        AfxMessageBox(strMessage, MB_OK | MB_ICONINFORMATION);
        return nullptr;
    }

    auto* pBar = new CKTToolBar;
    if (!pBar->Create(m_pFrame, kUserToolbarStyle, uiFreeID))
    {
        delete pBar;
        return nullptr;
    }
    pBar->SetWindowText(lpszName);
    FinishBar(pBar, TRUE);
    m_pFrame->RecalcLayout();
    m_listUserBars.AddTail(pBar);
    return pBar;
}

BOOL CKTFrameSupport::DeleteUserToolbar(CKTToolBar* pBar)
{
    POSITION pos = pBar != nullptr ? m_listUserBars.Find(pBar) : nullptr;
    if (pos == nullptr)
        return FALSE;
    m_listUserBars.RemoveAt(pos);
    // Its stored state goes too, so that the next bar with its id does not come back as this one.
    pBar->RemoveStateFromRegistry(m_strControlBarRegEntry);
    pBar->DestroyWindow();
    delete pBar;
    m_pFrame->RecalcLayout();
    return TRUE;
}

CKTToolBar* CKTFrameSupport::GetUserToolbarByIndex(int iIndex) const
{
    if (iIndex < 0 || iIndex >= m_listUserBars.GetCount())
        return nullptr;
    POSITION pos = m_listUserBars.FindIndex(iIndex);
    return pos != nullptr ? static_cast<CKTToolBar*>(m_listUserBars.GetAt(pos)) : nullptr;
}

BOOL CKTFrameSupport::IsUserToolbar(const CControlBar* pBar) const
{
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr || m_uiUserToolbarFirst == (UINT)-1)
        return FALSE;
    const UINT uiID = static_cast<UINT>(pBar->GetDlgCtrlID());
    return uiID >= m_uiUserToolbarFirst && uiID <= m_uiUserToolbarLast;
}

void CKTFrameSupport::SetUserToolbarMenuItems(HMENU hMenu, UINT uiFirst, UINT uiLast) const
{
    if (hMenu == nullptr || !::IsMenu(hMenu))
        return;
    for (int i = 0; i < ::GetMenuItemCount(hMenu);)
    {
        const UINT uiID = ::GetMenuItemID(hMenu, i);
        if (uiID < uiFirst || uiID > uiLast || uiID == (UINT)-1)
        {
            i++;
            continue;
        }
        CKTToolBar* pBar = GetUserToolbarByIndex(static_cast<int>(uiID - uiFirst));
        if (pBar == nullptr)
        {
            ::DeleteMenu(hMenu, static_cast<UINT>(i), MF_BYPOSITION);
            continue;
        }
        CString strName;
        pBar->GetWindowText(strName);
        ::ModifyMenuW(hMenu, static_cast<UINT>(i), MF_BYPOSITION | MF_STRING, uiID, strName);
        i++;
    }
}

void CKTFrameSupport::LoadUserToolbars()
{
    if (m_uiUserToolbarFirst == (UINT)-1 || m_uiUserToolbarLast == (UINT)-1 ||
        m_uiUserToolbarFirst > m_uiUserToolbarLast)
        return;
    for (UINT uiID = m_uiUserToolbarFirst;; uiID++)
    {
        // The bars' names and buttons come with each toolbar's own saved state; an id without
        // one has no bar.
        if (FindUserToolbar(uiID) == nullptr)
        {
            auto* pBar = new CKTToolBar;
            if (!pBar->Create(m_pFrame, kUserToolbarStyle, uiID))
                delete pBar;
            else if (!pBar->LoadState(m_strControlBarRegEntry))
            {
                pBar->DestroyWindow();
                delete pBar;
            }
            else
            {
                FinishBar(pBar, FALSE);
                m_listUserBars.AddTail(pBar);
            }
        }
        if (uiID == m_uiUserToolbarLast)
            break;
    }
}

void CKTFrameSupport::SaveUserToolbars(BOOL bFrameBarsOnly)
{
    for (POSITION pos = m_listUserBars.GetHeadPosition(); pos != nullptr;)
    {
        CKTToolBar* pBar = static_cast<CKTToolBar*>(m_listUserBars.GetNext(pos));
        if (pBar->GetSafeHwnd() == nullptr)
            continue;
        if (bFrameBarsOnly && pBar->GetTopLevelFrame() != m_pFrame)
            continue;
        pBar->SaveState(m_strControlBarRegEntry);
    }
}

CKTToolBar* CKTFrameSupport::FindUserToolbar(UINT uiID) const
{
    for (POSITION pos = m_listUserBars.GetHeadPosition(); pos != nullptr;)
    {
        CKTToolBar* pBar = static_cast<CKTToolBar*>(m_listUserBars.GetNext(pos));
        if (pBar->GetSafeHwnd() != nullptr && static_cast<UINT>(pBar->GetDlgCtrlID()) == uiID)
            return pBar;
    }
    return nullptr;
}

// Tear-off bars ---------------------------------------------------------------------------------

void CKTFrameSupport::AddTearOffBar(CControlBar* pBar)
{
    if (pBar != nullptr && m_listTearOffBars.Find(pBar) == nullptr)
        m_listTearOffBars.AddTail(pBar);
}

void CKTFrameSupport::RemoveTearOffBar(CControlBar* pBar)
{
    POSITION pos = m_listTearOffBars.Find(pBar);
    if (pos != nullptr)
        m_listTearOffBars.RemoveAt(pos);
}

CString CKTFrameSupport::GetTearOffKey() const
{
    CKTWorkspace* pWorkspace = GetWorkspace();
    const CString strSection = pWorkspace != nullptr ? pWorkspace->GetRegSectionPath(L"") : CString();
    return strSection + KTTearOffBarsSection;
}

void CKTFrameSupport::LoadTearOffBars()
{
    DestroyBarList(m_listTearOffBars);
    const CString strKey = GetTearOffKey();
    for (int n = 0;; n++)
    {
        CString strBarKey;
        strBarKey.Format(L"%s-%d", (LPCTSTR)strKey, n);
        CKTRegistry reg(FALSE, TRUE);
        if (!reg.Open(strBarKey))
            break;
        int nID = 0;
        CString strName;
        if (!reg.Read(L"ID", nID) || !reg.Read(L"Name", strName))
            break;
        CKTToolBar* pBar = ReadTearOffBar(reg, L"State");
        if (pBar == nullptr)
            break;
        if (!pBar->Create(m_pFrame, kUserToolbarStyle, static_cast<UINT>(nID)))
        {
            delete pBar;
            break;
        }
        pBar->SetWindowText(strName);
        FinishBar(pBar, FALSE);
        m_listTearOffBars.AddTail(pBar);
    }
}

void CKTFrameSupport::SaveTearOffBars(BOOL bFrameBarsOnly)
{
    const CString strKey = GetTearOffKey();
    for (int n = 0;; n++)
    {
        CString strBarKey;
        strBarKey.Format(L"%s-%d", (LPCTSTR)strKey, n);
        CKTRegistry reg(FALSE, FALSE);
        if (!reg.DeleteKey(strBarKey))
            break;
    }
    int n = 0;
    for (POSITION pos = m_listTearOffBars.GetHeadPosition(); pos != nullptr;)
    {
        CControlBar* pBar = static_cast<CControlBar*>(m_listTearOffBars.GetNext(pos));
        if (pBar->GetSafeHwnd() == nullptr)
            continue;
        if (bFrameBarsOnly && pBar->GetTopLevelFrame() != m_pFrame)
            continue;
        CString strBarKey;
        strBarKey.Format(L"%s-%d", (LPCTSTR)strKey, n++);
        CKTRegistry reg(FALSE, FALSE);
        if (!reg.CreateKey(strBarKey))
            continue;
        CString strName;
        pBar->GetWindowText(strName);
        reg.Write(L"ID", pBar->GetDlgCtrlID());
        reg.Write(L"Name", strName);
        reg.Write(L"State", pBar);
    }
}

// Frame -----------------------------------------------------------------------------------------

BOOL CKTFrameSupport::IsDockStateValid(const CDockState& state) const
{
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); i++)
    {
        const auto* pInfo = static_cast<const CControlBarInfo*>(state.m_arrBarInfo[i]);
        if (pInfo == nullptr || pInfo->m_bFloating)
            continue;
        if (m_pFrame->GetControlBar(pInfo->m_nBarID) == nullptr)
            return FALSE;
    }
    return TRUE;
}

void CKTFrameSupport::DockControlBarLeftOf(CControlBar* pBar, CControlBar* pLeftOf)
{
    m_pFrame->RecalcLayout(TRUE);
    CRect rect;
    pLeftOf->GetWindowRect(&rect);
    rect.OffsetRect(1, 1);
    const DWORD dwStyle = pLeftOf->GetBarStyle();
    UINT nDockBarID = 0;
    if (dwStyle & CBRS_ALIGN_TOP)
        nDockBarID = AFX_IDW_DOCKBAR_TOP;
    else if (dwStyle & CBRS_ALIGN_BOTTOM)
        nDockBarID = AFX_IDW_DOCKBAR_BOTTOM;
    else if (dwStyle & CBRS_ALIGN_LEFT)
        nDockBarID = AFX_IDW_DOCKBAR_LEFT;
    else if (dwStyle & CBRS_ALIGN_RIGHT)
        nDockBarID = AFX_IDW_DOCKBAR_RIGHT;
    m_pFrame->DockControlBar(pBar, nDockBarID, &rect);
}

void CKTFrameSupport::SetMenuBar(CKTMenuBar* pMenuBar)
{
    m_pMenuBar = pMenuBar;
    if (pMenuBar == nullptr)
        return;
    m_hDefaultMenu = ::GetMenu(m_pFrame->GetSafeHwnd());
    if (m_hDefaultMenu == nullptr)
        m_hDefaultMenu = m_pFrame->m_hMenuDefault;
    pMenuBar->OnDefaultMenuLoaded(m_hDefaultMenu);
    pMenuBar->CreateFromMenu(m_hDefaultMenu, TRUE);
    m_pFrame->SetMenu(nullptr);
    pMenuBar->SetDefaultMenuResId(m_nIDDefaultResource);
}

void CKTFrameSupport::OnCloseFrame()
{
    for (POSITION pos = m_listTearOffBars.GetHeadPosition(); pos != nullptr;)
    {
        POSITION posCur = pos;
        CControlBar* pBar = static_cast<CControlBar*>(m_listTearOffBars.GetNext(pos));
        if (pBar->GetSafeHwnd() != nullptr && pBar->IsWindowVisible())
            continue;
        m_listTearOffBars.RemoveAt(posCur);
        pBar->DestroyWindow();
        delete pBar;
    }
    CKTWorkspace* pWorkspace = GetWorkspace();
    if (pWorkspace == nullptr)
        return;
    pWorkspace->OnClosingMainFrame(this);
    if (m_pFrame->GetSafeHwnd() == nullptr)
        return;
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(WINDOWPLACEMENT);
    if (!m_pFrame->GetWindowPlacement(&wp))
        return;
    const int nShowCmd = wp.showCmd == SW_SHOWMAXIMIZED ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    CRect rectDesktop;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rectDesktop, 0);
    CRect rectNormal(wp.rcNormalPosition);
    rectNormal.OffsetRect(rectDesktop.TopLeft());
    pWorkspace->StoreWindowPlacement(rectNormal, static_cast<int>(wp.flags), nShowCmd);
}

void CKTFrameSupport::RestorePosition(CREATESTRUCT& cs)
{
    CKTWorkspace* pWorkspace = GetWorkspace();
    if (pWorkspace == nullptr)
        return;
    CRect rectNormal(cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy);
    int nFlags = 0;
    int nShowCmd = SW_SHOWNORMAL;
    if (!pWorkspace->LoadWindowPlacement(rectNormal, nFlags, nShowCmd))
        return;

    if (nShowCmd != SW_SHOWMAXIMIZED)
        nShowCmd = SW_SHOWNORMAL;
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr)
    {
        const int nStart = pApp->m_nCmdShow;
        if (nStart != SW_SHOWMINIMIZED && nStart != SW_SHOWMAXIMIZED && nStart != SW_MINIMIZE &&
            nStart != SW_SHOWMINNOACTIVE)
            pApp->m_nCmdShow = nShowCmd;
    }

    CRect rectWork;
    MONITORINFO mi{};
    mi.cbSize = sizeof(MONITORINFO);
    HMONITOR hMonitor = ::MonitorFromPoint(rectNormal.TopLeft(), MONITOR_DEFAULTTONEAREST);
    if (hMonitor != nullptr && ::GetMonitorInfoW(hMonitor, &mi))
        rectWork = mi.rcWork;
    else
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rectWork, 0);

    CRect rectVisible;
    if (!rectVisible.IntersectRect(&rectWork, &rectNormal))
        return;
    cs.x = rectVisible.left;
    cs.y = rectVisible.top;
    cs.cx = rectNormal.Width();
    cs.cy = rectNormal.Height();
}

void CKTFrameSupport::OnLoadFrame()
{
    CKTWorkspace* pWorkspace = GetWorkspace();
    if (pWorkspace != nullptr)
        pWorkspace->LoadState(nullptr, this);
}

// Input -----------------------------------------------------------------------------------------

BOOL CKTFrameSupport::IsHostedControlFocused()
{
    const CObList& bars = CKTToolBar::GetAllToolbars();
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;)
    {
        CKTToolBar* pBar = static_cast<CKTToolBar*>(bars.GetNext(pos));
        if (pBar->GetSafeHwnd() == nullptr || !pBar->IsWindowVisible())
            continue;
        const CObList& buttons = pBar->GetAllButtons();
        for (POSITION posButton = buttons.GetHeadPosition(); posButton != nullptr;)
        {
            if (static_cast<CKTToolbarButton*>(buttons.GetNext(posButton))->HasFocus())
                return TRUE;
        }
    }
    return FALSE;
}

BOOL CKTFrameSupport::IsKeyInFrameAccelerators(UINT nKey) const
{
    BYTE fVirt = FVIRTKEY;
    if (IsKeyHeld(VK_CONTROL))
        fVirt |= FCONTROL;
    if (IsKeyHeld(VK_MENU))
        fVirt |= FALT;
    if (IsKeyHeld(VK_SHIFT))
        fVirt |= FSHIFT;
    const WORD wKey = static_cast<WORD>(nKey);
    CFrameWnd* pMain = m_pFrame->GetTopLevelFrame();
    if (pMain == nullptr)
        pMain = m_pFrame;
    if (AcceleratorTableHas(pMain->GetDefaultAccelerator(), wKey, fVirt) ||
        AcceleratorTableHas(pMain->m_hAccelTable, wKey, fVirt))
        return TRUE;
    CFrameWnd* pActive = pMain->GetActiveFrame();
    return pActive != nullptr && pActive != pMain && AcceleratorTableHas(pActive->m_hAccelTable, wKey, fVirt);
}

BOOL CKTFrameSupport::ProcessKeyDown(UINT nKey, BOOL* pbProcessed)
{
    if (pbProcessed != nullptr)
        *pbProcessed = TRUE;

    CKTPopupMenu* pActive = GetActivePopupMenu();
    if (pActive != nullptr && ::IsWindow(pActive->GetSafeHwnd()))
    {
        pActive->SendMessage(WM_KEYDOWN, nKey, 0);
        return TRUE;
    }
    if (m_pFrame->GetSafeHwnd() != nullptr && m_pFrame->IsIconic())
        return TRUE;
    if (CKTToolBar::IsCustomizeMode())
        return FALSE;

    const BOOL bHostedFocus = IsHostedControlFocused();
    if (!bHostedFocus && IsKeyInFrameAccelerators(nKey))
        return FALSE;

    if (IsKeyHeld(VK_MENU) && !IsKeyHeld(VK_CONTROL) && !IsKeyHeld(VK_SHIFT) && TranslateCharToBars(nKey))
        return TRUE;

    if (bHostedFocus && pbProcessed != nullptr)
        *pbProcessed = FALSE;
    return FALSE;
}

BOOL CKTFrameSupport::ClickOnHostedControl(UINT uiMsg, CPoint pt, HWND hwnd)
{
    if (uiMsg != WM_LBUTTONDOWN || (!CKTToolBar::IsCustomizeMode() && !IsKeyHeld(VK_MENU)))
        return FALSE;
    const CObList& bars = CKTToolBar::GetAllToolbars();
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;)
    {
        CKTToolBar* pBar = static_cast<CKTToolBar*>(bars.GetNext(pos));
        if (pBar->GetSafeHwnd() == nullptr || !pBar->IsWindowVisible())
            continue;
        CPoint ptClient = pt;
        pBar->ScreenToClient(&ptClient);
        CKTToolbarButton* pButton = pBar->GetButton(pBar->HitTest(ptClient));
        if (pButton == nullptr || pButton->GetHwnd() == nullptr || pButton->GetHwnd() != hwnd ||
            !pButton->m_rect.PtInRect(ptClient))
            continue;
        pBar->SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(ptClient.x, ptClient.y));
        return TRUE;
    }
    return FALSE;
}

BOOL CKTFrameSupport::ProcessMouseClick(UINT uiMsg, CPoint pt, HWND hwnd)
{
    if (ClickOnHostedControl(uiMsg, pt, hwnd))
        return TRUE;
    CKTPopupMenu* pActive = GetActivePopupMenu();
    if (CKTToolBar::IsCustomizeMode() || pActive == nullptr || !::IsWindow(pActive->GetSafeHwnd()))
        return FALSE;

    switch (KTPopupHitTest(pActive, pt))
    {
    case KTPopupHit::kShadowRight:
    case KTPopupHit::kShadowBottom:
        pActive->SendMessage(WM_CLOSE);
        m_pFrame->SetFocus();
        return TRUE;
    case KTPopupHit::kOutside: {
        CKTToolbarMenuButton* pParentButton = pActive->m_pParentBtn;
        if (pParentButton != nullptr && pParentButton->m_pWndParent != nullptr)
        {
            CWnd* pBar = pParentButton->m_pWndParent;
            CRect rectButton = pParentButton->m_rect;
            pBar->ClientToScreen(&rectButton);
            if (rectButton.PtInRect(pt))
            {
                // A press on the button closes its menu again; the release of the click that
                // opened it must leave the menu open for the choice.
                const BOOL bRelease = uiMsg == WM_LBUTTONUP || uiMsg == WM_RBUTTONUP || uiMsg == WM_MBUTTONUP;
                if (!bRelease && !pBar->IsKindOf(RUNTIME_CLASS(CKTMenuBar)) && !KTPopupStaysOpen(pActive))
                    pActive->SendMessage(WM_CLOSE);
                return TRUE;
            }
        }
        CKTPopupMenu* pParentMenu = KTGetParentPopupMenu(pActive);
        if (pParentMenu != nullptr)
        {
            KTCancelPendingClose(pParentMenu);
            const KTPopupHit hitParent = KTPopupHitTest(pParentMenu, pt);
            if (hitParent == KTPopupHit::kShadowRight || hitParent == KTPopupHit::kShadowBottom)
            {
                pActive->SendMessage(WM_CLOSE);
                m_pFrame->SetFocus();
                return TRUE;
            }
            if (hitParent != KTPopupHit::kOutside)
                return FALSE;
        }
        const BOOL bEndsClick = KTPopupEndsClick(pActive);
        if (!KTPopupStaysOpen(pActive))
        {
            pActive->SendMessage(WM_CLOSE);
            CWnd* pFocus = CWnd::GetFocus();
            if (pFocus != nullptr && pFocus->IsKindOf(RUNTIME_CLASS(CKTToolBar)))
                m_pFrame->SetFocus();
        }
        return bEndsClick;
    }
    default:
        return FALSE;
    }
}

BOOL CKTFrameSupport::OnShowPopupMenu(CKTPopupMenu* pMenuPopup)
{
    // The popup records itself as the active one once the frame lets it open.
    if (pMenuPopup == nullptr || CKTToolBar::IsCustomizeMode())
        return TRUE;
    CKTPopupMenu* pOuter = pMenuPopup;
    for (CKTPopupMenu* pParent = KTGetParentPopupMenu(pOuter); pParent != nullptr;
         pParent = KTGetParentPopupMenu(pOuter))
        pOuter = pParent;
    CKTToolbarMenuButton* pButton = pOuter->m_pParentBtn;
    CWnd* pBarWnd = pButton != nullptr ? pButton->m_pWndParent : nullptr;
    if (pBarWnd == nullptr || pBarWnd->GetSafeHwnd() == nullptr || !pBarWnd->IsKindOf(RUNTIME_CLASS(CControlBar)) ||
        pBarWnd->IsKindOf(RUNTIME_CLASS(CKTPopupMenuBar)))
        return TRUE;
    CControlBar* pBar = static_cast<CControlBar*>(pBarWnd);
    if (!pBar->IsFloating() && CWnd::GetFocus() != pBar)
        pBar->SetFocus();
    return TRUE;
}

BOOL CKTFrameSupport::TranslateCharToBars(UINT nChar)
{
    if (m_pMenuBar != nullptr && m_pMenuBar->GetSafeHwnd() != nullptr && m_pMenuBar->IsWindowVisible() &&
        m_pMenuBar->TranslateChar(nChar))
        return TRUE;
    const CObList& bars = CKTToolBar::GetAllToolbars();
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;)
    {
        CKTToolBar* pBar = static_cast<CKTToolBar*>(bars.GetNext(pos));
        if (pBar == m_pMenuBar || pBar->GetSafeHwnd() == nullptr || !pBar->IsWindowVisible() ||
            pBar->GetTopLevelFrame() != m_pFrame)
            continue;
        if (pBar->TranslateChar(nChar))
            return TRUE;
    }
    return FALSE;
}

void CKTFrameSupport::OnDeactivateFrame()
{
    if (CKTToolBar::IsCustomizeMode() || m_pMenuBar == nullptr || m_pMenuBar->GetSafeHwnd() == nullptr)
        return;
    CKTPopupMenu* pActive = GetActivePopupMenu();
    if (pActive == nullptr || !::IsWindow(pActive->GetSafeHwnd()))
        return;
    // The toolbar's deactivation leaves the popup open: it is closed here first.
    CKTToolbarButton* pDropped = m_pMenuBar->GetDroppedDownMenu();
    if (pDropped != nullptr)
    {
        CKTPopupMenu* pPopup = static_cast<CKTToolbarMenuButton*>(pDropped)->m_pPopupMenu;
        if (pPopup != nullptr && ::IsWindow(pPopup->GetSafeHwnd()))
            pPopup->SendMessage(WM_CLOSE);
    }
    m_pMenuBar->Deactivate();
}

int CKTFrameSupport::FilterMessage(MSG* pMsg)
{
    CKTPopupMenu* pActive = GetActivePopupMenu();
    const BOOL bPopupOpen = pActive != nullptr && ::IsWindow(pActive->GetSafeHwnd());
    switch (pMsg->message)
    {
    case WM_KEYDOWN: {
        if (IsHelpKey(pMsg))
            return kFilterPassOn;
        BOOL bProcessed = TRUE;
        if (ProcessKeyDown(static_cast<UINT>(pMsg->wParam), &bProcessed))
            return kFilterTaken;
        return bProcessed ? kFilterPassOn : kFilterNoTranslate;
    }
    case WM_SYSKEYDOWN:
        if (bPopupOpen && pMsg->wParam == VK_MENU)
        {
            pActive->SendMessage(WM_CLOSE);
            return kFilterTaken;
        }
        return ProcessKeyDown(static_cast<UINT>(pMsg->wParam)) ? kFilterTaken : kFilterPassOn;
    case WM_KEYUP:
        // The Alt of an Alt+mnemonic that opened a menu: the mnemonic never reached the system, so
        // its release would start the system's keyboard menu over the open popup.
        return bPopupOpen && pMsg->wParam == VK_MENU ? kFilterTaken : kFilterPassOn;
    case WM_SYSKEYUP:
        if (m_pMenuBar != nullptr && m_pMenuBar->GetSafeHwnd() != nullptr && pMsg->wParam == VK_MENU)
        {
            if (CWnd::GetFocus() == m_pMenuBar)
                m_pFrame->SetFocus();
            else
                m_pMenuBar->SetFocus();
            return kFilterTaken;
        }
        return bPopupOpen ? kFilterTaken : kFilterPassOn;
    case WM_MOUSEMOVE: {
        // A menu open in a dialog takes the pointer while it is outside the menu.
        CPoint pt(static_cast<short>(LOWORD(pMsg->lParam)), static_cast<short>(HIWORD(pMsg->lParam)));
        ::ClientToScreen(pMsg->hwnd, &pt);
        return CKTDialogMenuHelper::IsClickOutsideMenu(pt) ? kFilterTaken : kFilterPassOn;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_CONTEXTMENU: {
        CPoint pt(static_cast<short>(LOWORD(pMsg->lParam)), static_cast<short>(HIWORD(pMsg->lParam)));
        const BOOL bScreenPoint = pMsg->message == WM_CONTEXTMENU || pMsg->message == WM_NCLBUTTONDOWN ||
                                  pMsg->message == WM_NCRBUTTONDOWN || pMsg->message == WM_NCMBUTTONDOWN;
        if (!bScreenPoint)
            ::ClientToScreen(pMsg->hwnd, &pt);
        if (ProcessMouseClick(pMsg->message, pt, pMsg->hwnd))
            return kFilterTaken;
        if (!::IsWindow(pMsg->hwnd))
            return kFilterTaken;
        if (pMsg->message == WM_RBUTTONUP && !CKTToolBar::IsCustomizeMode())
        {
            CWnd* pTarget = CWnd::FromHandlePermanent(pMsg->hwnd);
            if (pTarget != nullptr && pTarget->IsKindOf(RUNTIME_CLASS(CDockBar)))
                m_pFrame->SendMessage(KTGetToolbarPopupMenuMessage(), reinterpret_cast<WPARAM>(pMsg->hwnd),
                                      KTPackScreenPoint(pt));
        }
        return kFilterPassOn;
    }
    default:
        return kFilterPassOn;
    }
}

int CKTFrameSupport::FilterCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == 1)
    {
        CKTToolBar::GetUsageCount().AddCmd(LOWORD(wParam));
        if (ProcessKeyDown(VK_ESCAPE))
            return kFilterTaken;
        // A shortcut bound to a user tool runs the tool.
        if (g_pUserToolsManager != nullptr && g_pUserToolsManager->InvokeTool(LOWORD(wParam)))
            return kFilterTaken;
    }
    if (CKTToolBar::IsCustomizeMode())
        return kFilterNoTranslate;
    // A tool chosen in a menu: no handler of the frame's would take its command.
    if (HIWORD(wParam) == 0 && lParam == 0 && g_pUserToolsManager != nullptr &&
        g_pUserToolsManager->InvokeTool(LOWORD(wParam)))
        return kFilterTaken;
    return kFilterPassOn;
}

BOOL CKTFrameSupport::UpdateUserToolCommand(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (nCode != static_cast<int>(CN_UPDATE_COMMAND_UI) || pHandlerInfo != nullptr || pExtra == nullptr ||
        g_pUserToolsManager == nullptr || g_pUserToolsManager->FindTool(nID) == nullptr)
        return FALSE;
    static_cast<CCmdUI*>(pExtra)->Enable(TRUE);
    return TRUE;
}

void CKTFrameSupport::OnActivateFrame(UINT nState)
{
    if (nState == WA_INACTIVE)
    {
        if (!CKTToolBar::IsCustomizeMode())
            OnDeactivateFrame();
        return;
    }
    if (m_pFrame->GetSafeHwnd() != nullptr)
    {
        // The display may raise the frame only once the activation is over: a look once the
        // queue has run.
        ::SetTimer(m_pFrame->GetSafeHwnd(), kOwnedWindowsTimer, 0, &CKTFrameSupport::OwnedWindowsTimerProc);
        if (nState == WA_CLICKACTIVE)
            m_pFrame->UpdateWindow();
    }
}

void CALLBACK CKTFrameSupport::OwnedWindowsTimerProc(HWND hwnd, UINT, UINT_PTR idEvent, DWORD)
{
    ::KillTimer(hwnd, idEvent);
    if (CKTFrameHooks* pHooks = KTGetFrameHooks(CWnd::FromHandlePermanent(hwnd)))
        pHooks->GetFrameSupport().KeepOwnedWindowsAbove();
}

void CKTFrameSupport::KeepOwnedWindowsAbove()
{
    const HWND hFrame = m_pFrame->GetSafeHwnd();
    if (hFrame == nullptr)
        return;
    // The visible windows the frame owns that lie below it, from the lowest up: each goes on
    // top in turn, so that they keep their order among themselves.
    std::vector<HWND> below;
    for (HWND h = ::GetWindow(hFrame, GW_HWNDNEXT); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT))
    {
        if (::GetWindow(h, GW_OWNER) == hFrame && ::IsWindowVisible(h) &&
            (::GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0)
            below.push_back(h);
    }
    for (auto it = below.rbegin(); it != below.rend(); ++it)
        ::SetWindowPos(*it, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void CKTFrameSupport::ReleaseAccelerators()
{
    if (m_pFrame->m_hAccelTable == nullptr)
        return;
    // A table the frame shares with others stays for them.
    if (m_pFrame->m_bOwnAccelTable)
        ::DestroyAcceleratorTable(m_pFrame->m_hAccelTable);
    m_pFrame->m_hAccelTable = nullptr;
    m_pFrame->m_bOwnAccelTable = FALSE;
}

// The popup menu window: creation, the items, placement, keys, the chain of popups and its end.
// Animation, shadow and scrolling are in KTPopupMenuEffects.cpp.
#include "uitoolkit/bars/KTPopupMenu.h"

#include "uitoolkit/bars/KTMenuSound.h"
#include "uitoolkit/bars/KTMenuStore.h"
#include "uitoolkit/bars/KTPopupMenuPlacement.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/customize/KTDialogMenuHelper.h"
#include "uitoolkit/customize/KTMenuPage.h"
#include "uitoolkit/looks/KTMenuGlyphs.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManager.h"

#include <cstring>
#include <cwchar>

IMPLEMENT_SERIAL(CKTPopupMenu, CMiniFrameWnd, VERSIONABLE_SCHEMA | 1)

BOOL (*CKTPopupMenu::m_pfnFrameShowPopup)(CFrameWnd*, CKTPopupMenu*) = nullptr;
void (*CKTPopupMenu::m_pfnFramePopupDestroyed)(CFrameWnd*, CKTPopupMenu*) = nullptr;
BOOL (*CKTPopupMenu::m_pfnFrameTearOffAccepted)(CFrameWnd*, CKTPopupMenu*, CControlBar*) = nullptr;
CFrameWnd* CKTPopupMenu::m_pToolkitMainFrame = nullptr;

namespace
{
const UINT kBarId = 1;
const UINT kRecentFileFirst = 0xE110;
const DWORD kBarWindowStyle = WS_CHILD | WS_VISIBLE;
const DWORD kBarStyle = CBRS_ALIGN_TOP | CBRS_TOOLTIPS | CBRS_FLYBY;

// The menu bar is known by its class name: the popup does not depend on the menu bar's code.
BOOL IsMenuBar(const CObject* pObject)
{
    for (const CRuntimeClass* pClass = pObject->GetRuntimeClass(); pClass != nullptr; pClass = pClass->m_pBaseClass)
        if (strcmp(pClass->m_lpszClassName, "CKTMenuBar") == 0)
            return TRUE;
    return FALSE;
}
} // namespace

BEGIN_MESSAGE_MAP(CKTPopupMenu, CMiniFrameWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_TIMER()
ON_WM_KEYDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_ACTIVATEAPP()
ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

CKTPopupMenu::CKTPopupMenu()
{
    Initialize();
}

CKTPopupMenu::CKTPopupMenu(DWORD dwCaptionStyle, LPCTSTR lpszTitle)
{
    Initialize();
    m_dwCaptionStyle = dwCaptionStyle;
    m_strCaption = lpszTitle != nullptr ? lpszTitle : L"";
}

CKTPopupMenu::CKTPopupMenu(CKTMenuPage* pMenuPage, LPCTSTR lpszTitle) : CKTPopupMenu(WS_CAPTION, lpszTitle)
{
    m_pMenuPage = pMenuPage;
    m_hMenuPageWnd = pMenuPage != nullptr ? pMenuPage->GetSafeHwnd() : nullptr;
}

void CKTPopupMenu::Initialize()
{
    m_AnimationType = GetAnimationType();
    // Fading needs more colours than a palette screen has; the stored setting stays as it is.
    if (m_AnimationType == ANIMATION_FADE && ktGlobals.m_bitsPerPixel <= 8)
        m_AnimationType = ANIMATION_NONE;
    m_bAnimationIsDone = m_AnimationType == ANIMATION_NONE;
    m_iScrollButtonHeight = CKTMenuGlyphs::GetImageSize().cy + 4;
    m_bAutoMenuEnable = FALSE;
}

CKTPopupMenu::~CKTPopupMenu()
{
    if (m_bAutoDestroyMenu && m_hMenu != nullptr && ::IsMenu(m_hMenu))
        ::DestroyMenu(m_hMenu);
    m_hMenu = nullptr;
    if (m_pActivePopupMenu == this)
        m_pActivePopupMenu = nullptr;
}

// Links of the chain -------------------------------------------------------------------------------------------

CKTPopupMenu* CKTPopupMenu::GetParentPopupMenu() const
{
    if (m_pParentBtn == nullptr || m_pParentBtn->m_pWndParent == nullptr)
        return nullptr;
    CWnd* pBar = m_pParentBtn->m_pWndParent;
    if (pBar->GetSafeHwnd() == nullptr || !pBar->IsKindOf(RUNTIME_CLASS(CKTPopupMenuBar)))
        return nullptr;
    return static_cast<CKTPopupMenuBar*>(pBar)->GetPopupMenu();
}

CKTToolBar* CKTPopupMenu::GetParentToolBar() const
{
    if (m_pParentBtn == nullptr || m_pParentBtn->m_pWndParent == nullptr)
        return nullptr;
    CWnd* pBar = m_pParentBtn->m_pWndParent;
    return pBar->IsKindOf(RUNTIME_CLASS(CKTToolBar)) ? static_cast<CKTToolBar*>(pBar) : nullptr;
}

CKTToolbarMenuButton* CKTPopupMenu::GetMenuItem(int iIndex) const
{
    CKTToolbarButton* pButton = m_wndMenuBar.GetButton(iIndex);
    if (pButton == nullptr || !pButton->IsKindOf(RUNTIME_CLASS(CKTToolbarMenuButton)))
        return nullptr;
    return static_cast<CKTToolbarMenuButton*>(pButton);
}

CFrameWnd* CKTPopupMenu::GetTopFrame(const CWnd* pWnd)
{
    if (m_pToolkitMainFrame != nullptr && m_pToolkitMainFrame->GetSafeHwnd() != nullptr)
        return m_pToolkitMainFrame;
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return nullptr;
    // The popup's own frame does not count: the owner's top-level frame does.
    HWND hOwner = ::GetWindow(pWnd->GetSafeHwnd(), GW_OWNER);
    for (HWND h = pWnd->GetSafeHwnd(); h != nullptr; h = ::GetParent(h))
    {
        CWnd* pCandidate = CWnd::FromHandlePermanent(h);
        if (pCandidate != nullptr && !pCandidate->IsKindOf(RUNTIME_CLASS(CKTPopupMenu)) && pCandidate->IsFrameWnd() &&
            (::GetWindowLongW(h, GWL_STYLE) & WS_CHILD) == 0)
            return static_cast<CFrameWnd*>(pCandidate);
        if (::GetParent(h) == nullptr && hOwner == nullptr)
            hOwner = ::GetWindow(h, GW_OWNER);
    }
    for (HWND h = hOwner; h != nullptr; h = ::GetParent(h))
    {
        CWnd* pCandidate = CWnd::FromHandlePermanent(h);
        if (pCandidate != nullptr && !pCandidate->IsKindOf(RUNTIME_CLASS(CKTPopupMenu)) && pCandidate->IsFrameWnd() &&
            (::GetWindowLongW(h, GWL_STYLE) & WS_CHILD) == 0)
            return static_cast<CFrameWnd*>(pCandidate);
    }
    return nullptr;
}

CFrameWnd* CKTPopupMenu::GetTopFrame() const
{
    return GetTopFrame(this);
}

// Creation ------------------------------------------------------------------------------------------------------

BOOL CKTPopupMenu::Create(CWnd* pWndParent, int x, int y, HMENU hMenu, BOOL bLocked, BOOL bOwnMessage)
{
    PlayMenuSound(CKTMenuSound::SOUND_POPUP);
    m_hMenu = hMenu;
    if (x == -1 && y == -1)
    {
        CPoint point(0, 0);
        if (pWndParent != nullptr && pWndParent->GetSafeHwnd() != nullptr)
        {
            pWndParent->ClientToScreen(&point);
            point.Offset(5, 5);
        }
        x = point.x;
        y = point.y;
    }
    m_ptLocation = m_ptLocationInitial = CPoint(x, y);

    CKTPopupMenu* pParentPopup = GetParentPopupMenu();
    if (pParentPopup != nullptr)
    {
        m_bTrackMode = pParentPopup->m_bTrackMode;
        m_iMaxWidth = pParentPopup->m_iMaxWidth;
    }
    if (bOwnMessage)
        SetMessageWnd(pWndParent);
    else if (pParentPopup != nullptr)
        SetMessageWnd(pParentPopup->GetMessageWnd());

    m_iShadowSize = 0;
    if (CKTToolBar::IsMenuShadows() && !CKTToolBar::IsCustomizeMode() && ktGlobals.m_bitsPerPixel > 8)
        m_iShadowSize = CKTVisualManager::GetInstance()->GetMenuShadowDepth();

    const CString strClass = AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursorW(nullptr, IDC_ARROW),
                                                 reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr);
    DWORD dwStyle = WS_POPUP | WS_CLIPCHILDREN;
    if (m_dwCaptionStyle != 0)
        dwStyle |= WS_CAPTION | WS_SYSMENU;
    DWORD dwExStyle = 0;
    CWnd* pWndOwner = pWndParent;
    if (pWndParent != nullptr && pWndParent->GetSafeHwnd() != nullptr)
    {
        dwExStyle |= pWndParent->GetExStyle() & WS_EX_LAYOUTRTL;
        HWND hTop = pWndParent->GetSafeHwnd();
        while ((::GetWindowLongW(hTop, GWL_STYLE) & WS_CHILD) && ::GetParent(hTop) != nullptr)
            hTop = ::GetParent(hTop);
        pWndOwner = CWnd::FromHandle(hTop);
    }
    m_bLockedBar = bLocked;
    const CRect rect(x, y, x, y);
    BOOL bDeleted = FALSE;
    m_pbDeletedDuringCreate = &bDeleted;
    if (!CWnd::CreateEx(dwExStyle, strClass, m_strCaption, dwStyle, rect, pWndOwner, 0))
    {
        if (!bDeleted)
            delete this;
        return FALSE;
    }
    m_pbDeletedDuringCreate = nullptr;
    return TRUE;
}

BOOL CKTPopupMenu::PreCreateWindow(CREATESTRUCT& cs)
{
    // The frame's own class and styles do not apply to a popup.
    return CWnd::PreCreateWindow(cs);
}

int CKTPopupMenu::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    DWORD dwWndStyle = kBarWindowStyle;
    if (m_AnimationType != ANIMATION_NONE && !CKTToolBar::IsCustomizeMode())
        dwWndStyle &= ~WS_VISIBLE;
    if (!m_wndMenuBar.CreateEx(this, TBSTYLE_FLAT, dwWndStyle | kBarStyle, CRect(0, 0, 0, 0), kBarId))
        return -1;
    // A menu's bar has no gripper and no borders of its own: the popup draws the frame.
    m_wndMenuBar.SetBorders(0, 0, 0, 0);
    m_wndMenuBar.m_dwStyle = kBarStyle;
    m_wndMenuBar.SetWindowPos(nullptr, 0, 0, 0, 0,
                              SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    m_wndMenuBar.m_bTrackMode = m_bTrackMode;
    m_wndMenuBar.m_iMaxWidth = m_iMaxWidth;
    // A submenu's window belongs to the popup it drops from, but its commands and their states
    // belong where that popup's do: its owner would route them nowhere.
    CKTPopupMenu* pParentPopup = GetParentPopupMenu();
    if (pParentPopup != nullptr && pParentPopup->m_wndMenuBar.GetOwner() != nullptr)
        m_wndMenuBar.SetOwner(pParentPopup->m_wndMenuBar.GetOwner());
    else
        m_wndMenuBar.SetOwner(GetParent() != nullptr ? GetParent() : GetOwner());
    if (!BuildItems())
        return -1;

    if (m_bRightAlign)
    {
        m_ptLocation.x -= m_FinalSize.cx - 1;
        m_ptLocationInitial = m_ptLocation;
        Reposition();
    }
    m_wndMenuBar.m_bLocked = m_bLockedBar;

    if (m_AnimationType != ANIMATION_NONE && !CKTToolBar::IsCustomizeMode())
        StartAnimation();
    CheckShadow();
    if (m_iShadowSize == 0 && m_AnimationType == ANIMATION_FADE)
        m_AnimSize = m_FinalSize;
    CaptureBackground();
    SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (CKTToolBar::IsCustomizeMode())
        m_wndMenuBar.RedrawWindow();
    return 0;
}

BOOL CKTPopupMenu::BuildItems()
{
    if (m_hMenu != nullptr)
    {
        BOOL bLoaded = FALSE;
        if (m_pParentBtn == nullptr)
            bLoaded = CKTMenuFileStore::Get().LoadMenu(CKTMenuFileStore::MenuId(m_hMenu), m_wndMenuBar);
        if (!bLoaded && !m_wndMenuBar.ImportFromMenu(m_hMenu, m_pParentBtn == nullptr))
            return FALSE;
    }
    InsertRecentFiles();

    CWnd* pTarget = m_wndMenuBar.GetCommandTarget();
    CFrameWnd* pFrame = nullptr;
    if (pTarget != nullptr && pTarget->IsFrameWnd())
        pFrame = static_cast<CFrameWnd*>(pTarget);
    else if (GetParent() != nullptr)
        pFrame = GetParent()->IsFrameWnd() ? static_cast<CFrameWnd*>(GetParent()) : GetParent()->GetParentFrame();
    if (pFrame != nullptr)
        m_wndMenuBar.OnUpdateCmdUI(pFrame, FALSE);

    if (!ActivatePopupMenu(GetTopFrame(), this))
        return FALSE;
    Reposition();
    return TRUE;
}

void CKTPopupMenu::InsertRecentFiles()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || pApp->m_pRecentFileList == nullptr || CKTToolBar::IsCustomizeMode())
        return;
    int iPlaceholder = -1;
    for (int i = 0; i < m_wndMenuBar.GetCount(); i++)
    {
        CKTToolbarButton* pButton = m_wndMenuBar.GetButton(i);
        if (pButton->m_nID == kRecentFileFirst && pButton->m_strText.CompareNoCase(L"Recent File") == 0)
        {
            iPlaceholder = i;
            break;
        }
    }
    if (iPlaceholder < 0)
        return;
    CRecentFileList& list = *pApp->m_pRecentFileList;
    wchar_t szCurDir[MAX_PATH + 2] = {};
    const DWORD nCurDir = ::GetCurrentDirectoryW(MAX_PATH, szCurDir);
    if (nCurDir > 0 && nCurDir < MAX_PATH && szCurDir[nCurDir - 1] != L'\\')
        wcscat(szCurDir, L"\\");
    int nAdded = 0;
    for (int i = 0; i < list.GetSize(); i++)
    {
        if (list[i].IsEmpty())
            continue;
        CString strName;
        if (!list.GetDisplayName(strName, i, szCurDir, static_cast<int>(wcslen(szCurDir)), TRUE))
            continue;
        CString strText;
        strText.Format(L"&%d %s", nAdded + 1, static_cast<LPCWSTR>(strName));
        CKTToolbarMenuButton* pItem = new CKTToolbarMenuButton;
        pItem->m_nID = kRecentFileFirst + static_cast<UINT>(i);
        pItem->m_strText = strText;
        pItem->m_bText = TRUE;
        pItem->m_bImage = FALSE;
        if (m_wndMenuBar.InsertButton(pItem, iPlaceholder + 1 + nAdded) < 0)
        {
            delete pItem;
            continue;
        }
        pItem->OnChangeParentWnd(&m_wndMenuBar);
        nAdded++;
    }
    // The names stand where the placeholder stood; with none, the bar's removal leaves one of
    // the separators around it.
    m_wndMenuBar.RemoveButton(iPlaceholder);
}

BOOL CKTPopupMenu::ActivatePopupMenu(CFrameWnd* pTopFrame, CKTPopupMenu* pPopupMenu)
{
    if (pPopupMenu != nullptr)
        pPopupMenu->TellOwnerDialog(TRUE);
    const BOOL bAllowed = m_pfnFrameShowPopup != nullptr ? m_pfnFrameShowPopup(pTopFrame, pPopupMenu) : TRUE;
    if (!bAllowed)
    {
        if (pPopupMenu != nullptr && !pPopupMenu->m_bToBeDestroyed && pPopupMenu->GetSafeHwnd() != nullptr)
            pPopupMenu->CloseMenu();
        return FALSE;
    }
    // The frame has let it open: it is the active popup (none: no popup is open).
    m_pActivePopupMenu = pPopupMenu;
    if (pPopupMenu == nullptr)
        return TRUE;
    if (pPopupMenu->m_pParentBtn != nullptr && !pPopupMenu->GetMenuBar()->AreAllCommandsShown())
    {
        CKTPopupMenuBar& bar = *pPopupMenu->GetMenuBar();
        CKTToolbarButton* pLast = bar.GetButton(bar.GetCount() - 1);
        if (pLast == nullptr || !pLast->IsKindOf(RUNTIME_CLASS(CKTShowAllButton)))
        {
            CKTShowAllButton* pShowAll = new CKTShowAllButton;
            pShowAll->m_nID = 0;
            pShowAll->m_bText = FALSE;
            if (bar.InsertButton(pShowAll) < 0)
                delete pShowAll;
            else
                pShowAll->OnChangeParentWnd(&bar);
        }
    }
    return TRUE;
}

// Placement --------------------------------------------------------------------------------------------------------

void CKTPopupMenu::RecalcLayout(BOOL)
{
    if (GetMenuBar()->GetSafeHwnd() != nullptr)
        LayOutScrollButtons(TRUE);
}

BOOL CKTPopupMenu::PreTranslateMessage(MSG* pMsg)
{
    if (m_wndTearOffTip.GetSafeHwnd() != nullptr)
        m_wndTearOffTip.RelayEvent(pMsg);
    return CMiniFrameWnd::PreTranslateMessage(pMsg);
}

void CKTPopupMenu::Reposition()
{
    if (GetMenuBar()->GetSafeHwnd() == nullptr)
        return;
    KTPopupPlacementInput in;
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    HMONITOR hMonitor = ::MonitorFromPoint(m_ptLocation, MONITOR_DEFAULTTONEAREST);
    if (hMonitor != nullptr && ::GetMonitorInfoW(hMonitor, &info))
        in.rectWork = info.rcWork;
    else
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &in.rectWork, 0);

    CSize size = GetMenuBar()->CalcSize(TRUE);
    size.cx += 4;
    size.cy += 4;
    m_rectTearOffCaption.SetRectEmpty();
    if (m_pParentBtn != nullptr && m_pParentBtn->IsTearOffMenu() && !CKTToolBar::IsCustomizeMode())
    {
        m_rectTearOffCaption = CRect(2, 2, size.cx - 2, 12);
        size.cy += 10;
        OfferTearOffTip();
    }
    if (m_dwCaptionStyle != 0)
        size.cy += ::GetSystemMetrics(SM_CYSMCAPTION) + 2 * ::GetSystemMetrics(SM_CYBORDER) + 5;

    in.ptLocation = m_ptLocation;
    in.size = size;
    in.bRightAlign = m_bRightAlign;
    in.bRightToLeft = (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    in.nAnimationType = m_AnimationType;
    in.nDropDirection = m_DropDirection;
    CKTPopupMenu* pParentPopup = GetParentPopupMenu();
    if (pParentPopup != nullptr)
    {
        in.bHasParentPopup = TRUE;
        CRect rect;
        pParentPopup->GetWindowRect(&rect);
        in.rectParentPopup = rect;
        in.nParentRowHeight = pParentPopup->GetMenuBar()->GetRowHeight();
    }
    CKTToolBar* pParentBar = GetParentToolBar();
    if (m_pParentBtn != nullptr && pParentBar != nullptr && pParentBar->GetSafeHwnd() != nullptr)
    {
        in.bHasParentButton = TRUE;
        CRect rect = m_pParentBtn->m_rect;
        pParentBar->ClientToScreen(&rect);
        in.rectParentButton = rect;
        const DWORD dwAlign = pParentBar->m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM);
        if (pParentBar->IsKindOf(RUNTIME_CLASS(CKTToolBar)) && !pParentBar->IsKindOf(RUNTIME_CLASS(CKTPopupMenuBar)) &&
            IsMenuBar(pParentBar) && dwAlign == 0)
        {
            in.bOnVerticalMenuBar = TRUE;
            CRect rectBar;
            pParentBar->GetWindowRect(&rectBar);
            in.rectMenuBar = rectBar;
        }
    }
    const KTPopupPlacement out = KTCalcPopupPlacement(in);
    m_DropDirection = static_cast<DropDirection>(out.nDropDirection);
    m_bScrollable = out.bScrollable;
    if (out.nDropDirection != in.nDropDirection || out.pt.x != in.ptLocation.x)
    {
        m_bAnimateFromLeft = out.bAnimateFromLeft;
    }
    m_bAnimateFromTop = out.bAnimateFromTop;
    m_ptLocation = out.pt;
    m_FinalSize = out.size;

    const int nShadow = CKTToolBar::IsCustomizeMode() ? 0 : m_iShadowSize;
    const int cx = m_FinalSize.cx + nShadow;
    const int cy = m_FinalSize.cy + nShadow;
    const int xWindow = in.bRightToLeft ? m_ptLocation.x - cx : m_ptLocation.x;
    UINT uiFlags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (m_dwCaptionStyle != 0 && IsWindowVisible())
        uiFlags |= SWP_NOMOVE;
    SetWindowPos(nullptr, xWindow, m_ptLocation.y, cx, cy, uiFlags);
    if (CKTToolBar::IsCustomizeMode())
        GetMenuBar()->AdjustLocations();

    // The shadow never hides its own button.
    if (nShadow > 0 && m_pParentBtn != nullptr && pParentBar != nullptr && pParentBar->GetSafeHwnd() != nullptr)
    {
        CRect rectButton = m_pParentBtn->m_rect;
        rectButton.InflateRect(nShadow, nShadow);
        pParentBar->InvalidateRect(&rectButton);
    }
}

// Closing
// --------------------------------------------------------------------------------------------------------------

void CKTPopupMenu::WriteBackCustomizedItems()
{
    // The menu buttons keep their menus as sub-items: what the user changed in an open popup goes
    // back into the button it dropped from, and up the chain while customize mode lasts.
    for (CKTPopupMenu* pPopup = this; pPopup != nullptr; pPopup = pPopup->GetParentPopupMenu())
    {
        CKTToolbarMenuButton* pButton = pPopup->m_pParentBtn;
        if (pButton == nullptr || pPopup->m_wndMenuBar.GetSafeHwnd() == nullptr)
            break;
        HMENU hMenu = pPopup->m_wndMenuBar.ExportToMenu();
        if (hMenu != nullptr)
        {
            pButton->CreateFromMenu(hMenu);
            ::DestroyMenu(hMenu);
        }
        if (!CKTToolBar::IsCustomizeMode())
            break;
    }
}

void CKTPopupMenu::CloseMenu(BOOL bSetFocusToBar)
{
    m_bToBeDestroyed = TRUE;
    if (CKTToolBar::IsCustomizeMode())
        WriteBackCustomizedItems();
    CKTPopupMenu* pParentPopup = GetParentPopupMenu();
    CKTToolBar* pParentBar = GetParentToolBar();
    if (pParentPopup != nullptr)
    {
        m_bAutoDestroyParent = FALSE;
        ActivatePopupMenu(GetTopFrame(), pParentPopup);
    }
    else
    {
        ActivatePopupMenu(GetTopFrame(), nullptr);
        TellOwnerDialog(FALSE);
        if (pParentBar != nullptr && bSetFocusToBar && pParentBar->GetSafeHwnd() != nullptr)
            pParentBar->SetFocus();
    }
    SendMessage(WM_CLOSE);
}

void CKTPopupMenu::TellOwnerDialog(BOOL bActivate)
{
    // A toolkit dialog or property page that takes the menu's commands routes its keys and
    // clicks to the menu while it is open.
    CKTDialogMenuHelper::OnOwnerMenu(this, GetMessageWnd(), bActivate);
}

void CKTPopupMenu::SetMessageWnd(CWnd* pWnd)
{
    m_hMessageWnd = pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr;
    m_pMessageWnd = m_hMessageWnd != nullptr ? pWnd : nullptr;
    m_bMessageWndPermanent = m_hMessageWnd != nullptr && CWnd::FromHandlePermanent(m_hMessageWnd) == pWnd;
}

CWnd* CKTPopupMenu::GetMessageWnd() const
{
    // A destroyed window's object may be freed already: only its handle can tell.
    if (m_hMessageWnd == nullptr || !::IsWindow(m_hMessageWnd))
        return nullptr;
    if (!m_bMessageWndPermanent)
        return CWnd::FromHandle(m_hMessageWnd);
    return CWnd::FromHandlePermanent(m_hMessageWnd) == m_pMessageWnd ? m_pMessageWnd : nullptr;
}

BOOL CKTPopupMenu::PostCommand(UINT uiCommandID)
{
    CWnd* pMessageWnd = GetMessageWnd();
    if (pMessageWnd == nullptr)
        return FALSE;
    pMessageWnd->PostMessage(WM_COMMAND, uiCommandID, 0);
    return TRUE;
}

void CKTPopupMenu::OnDestroy()
{
    KillTimer(1);
    KillTimer(2);
    m_wndMenuBar.RemoveDraggedButton();
    CKTToolbarMenuButton* pParentBtn = m_pParentBtn;
    CKTPopupMenu* pParentPopup = GetParentPopupMenu();
    CKTToolBar* pParentBar = GetParentToolBar();
    if (pParentBtn != nullptr)
    {
        if (CKTToolBar::IsCustomizeMode())
            WriteBackCustomizedItems();
        if (pParentBtn->m_pPopupMenu == this)
            pParentBtn->m_pPopupMenu = nullptr;
        pParentBtn->SetStyle(pParentBtn->m_nStyle & ~TBBS_PRESSED);
        if (pParentBar != nullptr && pParentBar->GetSafeHwnd() != nullptr)
        {
            const int iIndex = pParentBar->ButtonToIndex(pParentBtn);
            if (iIndex >= 0)
                pParentBar->InvalidateButton(iIndex);
        }
        if (pParentPopup != nullptr && m_bAutoDestroyParent && !CKTToolBar::IsCustomizeMode() &&
            pParentPopup->GetSafeHwnd() != nullptr)
            pParentPopup->PostMessage(WM_CLOSE); // so the whole chain closes
        m_pParentBtn = nullptr;
    }
    else
        CKTPopupMenuBar::m_bMenuBarShowAllCommands = FALSE;
    // The page stores the edited context menu while its items are still here.
    if (CKTMenuPage* pPage = GetMenuPage())
        pPage->CloseContextMenu(this);

    TellOwnerDialog(FALSE);
    CFrameWnd* pTopFrame = GetTopFrame();
    if (m_pfnFramePopupDestroyed != nullptr)
        m_pfnFramePopupDestroyed(pTopFrame, this);
    if (m_pActivePopupMenu == this)
        m_pActivePopupMenu = pParentPopup != nullptr && pParentPopup->GetSafeHwnd() != nullptr ? pParentPopup : nullptr;
    if (!CKTToolBar::IsCustomizeMode() && pTopFrame != nullptr && m_pActivePopupMenu == nullptr &&
        pParentBar != nullptr && pParentBar->GetSafeHwnd() != nullptr && pParentPopup == nullptr &&
        ::GetFocus() != pParentBar->GetSafeHwnd())
        pParentBar->Deactivate();
    CMiniFrameWnd::OnDestroy();
}

CKTMenuPage* CKTPopupMenu::GetMenuPage() const
{
    if (m_hMenuPageWnd == nullptr || !::IsWindow(m_hMenuPageWnd) ||
        CWnd::FromHandlePermanent(m_hMenuPageWnd) != m_pMenuPage)
        return nullptr;
    return m_pMenuPage;
}

void CKTPopupMenu::PostNcDestroy()
{
    if (m_pbDeletedDuringCreate != nullptr)
        *m_pbDeletedDuringCreate = TRUE;
    delete this;
}

BOOL CKTPopupMenu::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CMiniFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWnd* pMessageWnd = GetMessageWnd();
    return pMessageWnd != nullptr && pMessageWnd->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CKTPopupMenu::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
    CMiniFrameWnd::OnActivateApp(bActive, dwThreadID);
    if (bActive || CKTToolBar::IsCustomizeMode() || InCommand())
        return;
    if (m_bTrackMode)
        m_bToBeDestroyed = TRUE;
    PostMessage(WM_CLOSE);
}

int CKTPopupMenu::OnMouseActivate(CWnd*, UINT, UINT)
{
    // A click into a menu never takes the activation from the frame.
    return MA_NOACTIVATE;
}

// Keys
// ---------------------------------------------------------------------------------------------------------------------

void CKTPopupMenu::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // Any step may end this popup (and the chain): the window handle tells whether it lives.
    const HWND hWndSelf = m_hWnd;
    auto alive = [hWndSelf, this]() { return ::IsWindow(hWndSelf) && CWnd::FromHandlePermanent(hWndSelf) == this; };
    CKTPopupMenu* pParentPopup = GetParentPopupMenu();
    CKTToolBar* pParentBar = GetParentToolBar();
    switch (nChar)
    {
    case VK_ESCAPE:
        CloseMenu(TRUE);
        return;
    case VK_LEFT:
        if (pParentBar != nullptr && pParentPopup == nullptr && !pParentBar->IsKindOf(RUNTIME_CLASS(CKTPopupMenuBar)))
        {
            pParentBar->PrevMenu();
            return;
        }
        if (m_pParentBtn != nullptr && m_pParentBtn->IsDroppedDown())
            CloseMenu(FALSE);
        return;
    case VK_RIGHT: {
        CKTToolbarButton* pHot = GetMenuBar()->GetButton(GetMenuBar()->GetHighlightedIndex());
        BOOL bOpened = FALSE;
        if (GetMenuBar()->IsItemWithSubmenu(pHot) && !(pHot->m_nStyle & TBBS_DISABLED))
        {
            CKTToolbarMenuButton* pItem = static_cast<CKTToolbarMenuButton*>(pHot);
            // A submenu opened from the keyboard appears at once.
            const int nAnimation = GetAnimationType();
            SetAnimationType(ANIMATION_NONE);
            bOpened = pItem->m_pPopupMenu != nullptr || GetMenuBar()->OpenItemPopup(pItem, FALSE);
            SetAnimationType(nAnimation);
            if (bOpened && alive() && pItem->m_pPopupMenu != nullptr &&
                GetMenuBar()->GetButton(GetMenuBar()->GetHighlightedIndex()) == pItem)
                pItem->m_pPopupMenu->SendMessage(WM_KEYDOWN, VK_HOME);
        }
        if (bOpened)
            return;
        if (pParentBar != nullptr && pParentPopup == nullptr)
            pParentBar->NextMenu();
        else if (pParentPopup != nullptr)
            pParentPopup->SendMessage(WM_KEYDOWN, VK_RIGHT);
        return;
    }
    case VK_DOWN:
        if ((::GetKeyState(VK_CONTROL) & 0x8000) && !GetMenuBar()->AreAllCommandsShown())
        {
            ShowAllItems();
            return;
        }
        [[fallthrough]];
    case VK_UP:
    case VK_HOME:
    case VK_END:
    case VK_RETURN:
        if (CKTToolBar::IsCustomizeMode())
            return;
        GetMenuBar()->OnKey(nChar);
        if (!alive() || nChar == VK_RETURN || !m_bScrollable)
            return;
        {
            // Keep the highlighted item in sight.
            CKTToolbarButton* pHot = GetMenuBar()->GetButton(GetMenuBar()->GetHighlightedIndex());
            if (pHot == nullptr)
                return;
            CRect rectBar;
            GetMenuBar()->GetClientRect(&rectBar);
            const int nRow = GetMenuBar()->GetRowHeight();
            if (nRow <= 0 || (pHot->m_rect.top >= rectBar.top && pHot->m_rect.bottom <= rectBar.bottom))
                return;
            int nRows = 0;
            if (pHot->m_rect.top < rectBar.top)
                nRows = -((rectBar.top - pHot->m_rect.top) / nRow + 1);
            else
                nRows = (pHot->m_rect.bottom - rectBar.bottom) / nRow + 1;
            ScrollBy(nRows);
        }
        return;
    default:
        break;
    }
    if (!GetMenuBar()->OnKey(nChar) && alive())
        CMiniFrameWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CKTPopupMenu::ShowAllItems()
{
    if (m_pParentBtn == nullptr)
        return;
    // The expanded menu is shown anew: the frames' hooks see it again.
    m_bShown = FALSE;
    GetMenuBar()->ClearHot();
    CKTPopupMenuBar::m_bMenuBarShowAllCommands = TRUE;
    PlayMenuSound(CKTMenuSound::SOUND_POPUP);
    ShowWindow(SW_HIDE);
    FreeShadowImages();
    m_ptLocation = m_ptLocationInitial;
    BuildItems();
    CheckShadow();
    CaptureBackground();
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    CKTToolBar* pParentBar = GetParentToolBar();
    if (pParentBar != nullptr && pParentBar->GetSafeHwnd() != nullptr)
    {
        const int iIndex = pParentBar->ButtonToIndex(m_pParentBtn);
        if (iIndex >= 0)
            pParentBar->InvalidateButton(iIndex);
    }
}

// Hit testing and tear-off
// ----------------------------------------------------------------------------------------------------

CKTPopupMenu::MenuArea CKTPopupMenu::HitTest(CPoint ptScreen) const
{
    if (GetSafeHwnd() == nullptr)
        return MENU_AREA_OUTSIDE;
    CPoint point = ptScreen;
    ScreenToClient(&point);
    CRect rectClient;
    GetClientRect(&rectClient);
    if (!rectClient.PtInRect(point))
        return MENU_AREA_OUTSIDE;
    const int nShadow = CKTToolBar::IsCustomizeMode() ? 0 : m_iShadowSize;
    if (point.x >= rectClient.right - nShadow)
        return MENU_AREA_SHADOW_RIGHT;
    if (point.y >= rectClient.bottom - nShadow)
        return MENU_AREA_SHADOW_BOTTOM;
    if (!m_rectTearOffCaption.IsRectEmpty() && m_rectTearOffCaption.PtInRect(point))
        return MENU_AREA_TEAROFF_CAPTION;
    return MENU_AREA_ITEMS;
}

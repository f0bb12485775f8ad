#include "uitoolkit/bars/KTMenuBar.h"

#include "framework/AfxDockBar.h"
#include "framework/AfxDockContext.h"
#include "framework/AfxDocTemplate.h"
#include "framework/AfxDocument.h"
#include "framework/AfxMdi.h"
#include "framework/AfxMsgMap.h"
#include "uitoolkit/bars/KTFrameImpl.h"
#include "uitoolkit/bars/KTFrameWnd.h"
#include "uitoolkit/bars/KTMDIFrameWnd.h"
#include "uitoolkit/bars/KTMenuBarButtons.h"
#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/customize/KTCmdUsageCount.h"
#include "uitoolkit/customize/KTMenuPage.h"
#include "uitoolkit/looks/KTUIGlobals.h"

#include <algorithm>

IMPLEMENT_SERIAL(CKTMenuBar, CKTToolBar, VERSIONABLE_SCHEMA | 1)

BEGIN_MESSAGE_MAP(CKTMenuBar, CKTToolBar)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_SETFOCUS()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_WINDOWPOSCHANGED()
ON_WM_TIMER()
ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

namespace
{

// String 16006 of the toolkit's resources.
const wchar_t kMenuBarTitle[] = L"Menu Bar";
const UINT kItemTextMax = 1024;

BOOL FindMenuItemText(HMENU hMenu, UINT uiCmd, CString& strText)
{
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; i++)
    {
        HMENU hSub = ::GetSubMenu(hMenu, i);
        if (hSub != nullptr)
        {
            if (FindMenuItemText(hSub, uiCmd, strText))
                return TRUE;
            continue;
        }
        if (::GetMenuItemID(hMenu, i) != uiCmd)
            continue;
        wchar_t szText[kItemTextMax + 1] = {};
        ::GetMenuStringW(hMenu, static_cast<UINT>(i), szText, kItemTextMax, MF_BYPOSITION);
        strText = szText;
        return TRUE;
    }
    return FALSE;
}

} // namespace

CString CKTMenuBar::GetMenuItemText(HMENU hMenu, int iIndex)
{
    const int nLength = ::GetMenuStringW(hMenu, static_cast<UINT>(iIndex), nullptr, 0, MF_BYPOSITION);
    if (nLength <= 0)
        return CString();
    CString strText;
    const int nSize = std::min<int>(nLength, static_cast<int>(kItemTextMax));
    LPWSTR pBuffer = strText.GetBuffer(nSize + 1);
    ::GetMenuStringW(hMenu, static_cast<UINT>(iIndex), pBuffer, nSize + 1, MF_BYPOSITION);
    strText.ReleaseBuffer();
    return strText;
}

CKTMenuBar::CKTMenuBar()
{
    m_bMenuMode = TRUE;
}

CKTMenuBar::~CKTMenuBar()
{
    if (m_pHookedBar == this)
        RemoveMouseHook();
}

CFont& CKTMenuBar::GetMenuFont(BOOL bHorz)
{
    return bHorz ? ktGlobals.m_fontText : ktGlobals.m_fontRotated270;
}

// Creation ----------------------------------------------------------------------------------------

BOOL CKTMenuBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_pParentWnd = pParentWnd;
    return CKTToolBar::Create(pParentWnd, dwStyle, nID);
}

BOOL CKTMenuBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID)
{
    m_pParentWnd = pParentWnd;
    return CKTToolBar::CreateEx(pParentWnd, dwCtrlStyle, dwStyle, rcBorders, nID);
}

int CKTMenuBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CKTToolBar::OnCreate(lpcs) == -1)
        return -1;
    // Docked, the bar's parent is a dock bar: commands still go to the frame.
    if (m_pParentWnd != nullptr)
        SetOwner(m_pParentWnd);
    SetWindowText(kMenuBarTitle);
    SetBarStyle(GetBarStyle() | CBRS_HIDE_INPLACE);
    MeasureSystemButtons();
    if (m_pParentWnd != nullptr &&
        (m_pParentWnd->IsKindOf(RUNTIME_CLASS(CKTMDIFrameWnd)) || m_pParentWnd->IsKindOf(RUNTIME_CLASS(CKTFrameWnd))))
    {
        CKTFrameSupport* pSupport = KTGetFrameSupport(m_pParentWnd);
        if (pSupport != nullptr)
            pSupport->SetMenuBar(this);
    }
    return 0;
}

void CKTMenuBar::OnDestroy()
{
    if (m_pHookedBar == this)
        RemoveMouseHook();
    CKTFrameSupport* pSupport = KTGetFrameSupport(m_pParentWnd);
    if (pSupport != nullptr && pSupport->GetMenuBar() == this)
        pSupport->SetMenuBar(nullptr);
    CKTToolBar::OnDestroy();
}

void CKTMenuBar::MeasureSystemButtons()
{
    const int nSize = ::GetSystemMetrics(SM_CXMENUSIZE);
    CRect rect(0, 0, nSize, nSize);
    CClientDC dc(this);
    ::DrawFrameControl(dc.GetSafeHdc(), &rect, DFC_CAPTION, DFCS_ADJUSTRECT);
    m_szSystemButton = CSize(std::max<int>(rect.Width(), 1), std::max<int>(rect.Height(), 1));
}

CMDIFrameWnd* CKTMenuBar::GetMDIFrame() const
{
    return m_pParentWnd != nullptr && m_pParentWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))
               ? static_cast<CMDIFrameWnd*>(m_pParentWnd)
               : nullptr;
}

// Building from menus ------------------------------------------------------------------------------

void CKTMenuBar::CreateFromMenu(HMENU hMenu, BOOL bDefaultMenu, BOOL bForce)
{
    if (GetSafeHwnd() != nullptr && GetFocus() == this)
    {
        CWnd* pFrame = GetParentFrame();
        if (pFrame != nullptr)
            pFrame->SetFocus();
    }

    if (hMenu == m_hMenu && !IsCustomizeMode() && !bForce)
    {
        if (m_bMaximizeMode)
        {
            CMDIFrameWnd* pFrame = GetMDIFrame();
            CWnd* pChild = pFrame != nullptr ? pFrame->MDIGetActive() : nullptr;
            SetMaximizeMode(FALSE, nullptr, FALSE);
            SetMaximizeMode(TRUE, pChild, TRUE);
            if (GetSafeHwnd() != nullptr)
                Invalidate();
        }
        return;
    }

    if (m_hMenu != nullptr)
    {
        KTFreeTearOffIds(m_hMenu);
        KTSaveMenuCopy(m_hMenu, this);
    }
    const BOOL bMaximize = m_bMaximizeMode;
    SetMaximizeMode(FALSE, nullptr, FALSE);
    m_hMenu = hMenu;
    if (bDefaultMenu)
        m_hDefaultMenu = hMenu;

    TakeStoredCopy(hMenu);

    if (bMaximize && GetMDIFrame() != nullptr)
        SetMaximizeMode(TRUE, GetMDIFrame()->MDIGetActive(), FALSE);
    if (GetSafeHwnd() != nullptr)
        AdjustLayout();
    RebuildAccelerationKeys();
    // The page and the resets force their rebuilds; an unforced one is the frame's document switch.
    if (!bForce && IsCustomizeMode())
        SelectMenuOnPage(hMenu);
}

void CKTMenuBar::SetMenuPage(CKTMenuPage* pPage)
{
    m_pMenuPage = pPage;
    m_hMenuPageWnd = pPage != nullptr ? pPage->GetSafeHwnd() : nullptr;
}

void CKTMenuBar::SelectMenuOnPage(HMENU hMenu)
{
    if (m_pMenuPage == nullptr || m_bSelectingOnPage || !::IsWindow(m_hMenuPageWnd) ||
        CWnd::FromHandlePermanent(m_hMenuPageWnd) != m_pMenuPage)
        return;
    CMultiDocTemplate* pShown = nullptr;
    CWinApp* pApp = AfxGetApp();
    for (POSITION pos = pApp != nullptr ? pApp->GetFirstDocTemplatePosition() : nullptr; pos != nullptr;)
    {
        CDocTemplate* pTemplate = pApp->GetNextDocTemplate(pos);
        if (pTemplate != nullptr && pTemplate->IsKindOf(RUNTIME_CLASS(CMultiDocTemplate)) &&
            static_cast<CMultiDocTemplate*>(pTemplate)->m_hMenuShared == hMenu)
        {
            pShown = static_cast<CMultiDocTemplate*>(pTemplate);
            break;
        }
    }
    // The page lists the default menu as the entry without a template.
    if (pShown == nullptr && hMenu != m_hDefaultMenu)
        return;
    m_bSelectingOnPage = TRUE;
    m_pMenuPage->SelectMenu(pShown);
    m_bSelectingOnPage = FALSE;
}

// Maximize mode -----------------------------------------------------------------------------------

void CKTMenuBar::SetMaximizeMode(BOOL bMax, CWnd* pWnd, BOOL bRecalcLayout)
{
    if (bMax == m_bMaximizeMode && !(bMax && m_nSystemButtonsNum == 0 && m_hSysMenu == nullptr))
    {
        if (!bMax)
            return;
    }
    if (bMax)
    {
        if (m_bMaximizeMode)
            SetMaximizeMode(FALSE, nullptr, FALSE);
        if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
            return;
        HMENU hSysMenu = ::GetSystemMenu(pWnd->GetSafeHwnd(), FALSE);
        m_hSysMenu = nullptr;
        if (hSysMenu != nullptr && ::IsMenu(hSysMenu))
        {
            HICON hIcon = reinterpret_cast<HICON>(pWnd->SendMessage(WM_GETICON, ICON_SMALL, 0));
            if (hIcon == nullptr)
                hIcon = reinterpret_cast<HICON>(::GetClassLongPtrW(pWnd->GetSafeHwnd(), GCLP_HICONSM));
            CKTToolbarButton* pSysButton = KTNewSystemMenuButton(hSysMenu, hIcon);
            if (InsertButton(pSysButton, 0) >= 0)
                m_hSysMenu = hSysMenu;
            else
                delete pSysButton;
        }
        const DWORD dwStyle = pWnd->GetStyle();
        m_nSystemButtonsNum = 0;
        auto addWindowButton = [this](UINT uiCmd, BOOL bDisabled) {
            CKTToolbarButton* pButton = KTNewWindowButton(uiCmd);
            if (bDisabled)
                pButton->m_nStyle |= TBBS_DISABLED;
            if (InsertButton(pButton) >= 0)
                m_nSystemButtonsNum++;
            else
                delete pButton;
        };
        if (dwStyle & WS_MINIMIZEBOX)
            addWindowButton(SC_MINIMIZE, FALSE);
        if (dwStyle & WS_MAXIMIZEBOX)
            addWindowButton(SC_RESTORE, FALSE);
        BOOL bCloseDisabled = TRUE;
        if (hSysMenu != nullptr)
        {
            MENUITEMINFOW mii{};
            mii.cbSize = sizeof(MENUITEMINFOW);
            mii.fMask = MIIM_STATE;
            if (::GetMenuItemInfoW(hSysMenu, SC_CLOSE, FALSE, &mii))
                bCloseDisabled = (mii.fState & (MFS_GRAYED | MFS_DISABLED)) != 0;
        }
        addWindowButton(SC_CLOSE, bCloseDisabled);
    }
    else
    {
        m_nSystemButtonsNumSaved = m_nSystemButtonsNum;
        if (m_hSysMenu != nullptr)
        {
            RemoveButton(0);
            m_hSysMenu = nullptr;
        }
        for (int i = 0; i < m_nSystemButtonsNumSaved; i++)
        {
            int iLast = GetCount() - 1;
            if (m_pCustomizeBtn != nullptr && GetButton(iLast) == m_pCustomizeBtn)
                iLast--;
            if (iLast >= 0)
                RemoveButton(iLast);
        }
        m_nSystemButtonsNum = 0;
    }
    m_bMaximizeMode = bMax;
    if (bRecalcLayout && GetSafeHwnd() != nullptr)
    {
        AdjustLayout();
        Invalidate();
    }
}

void CKTMenuBar::RestoreMaximizeMode()
{
    if (!m_bMaximizeMode)
        return;
    CMDIFrameWnd* pFrame = GetMDIFrame();
    CWnd* pChild = pFrame != nullptr ? pFrame->MDIGetActive() : nullptr;
    if (pChild == nullptr)
        return;
    m_bMaximizeMode = FALSE;
    m_nSystemButtonsNum = 0;
    m_hSysMenu = nullptr;
    SetMaximizeMode(TRUE, pChild, FALSE);
    pFrame->RecalcLayout();
    Invalidate();
}

BOOL CKTMenuBar::IsWindowButton(int iIndex) const
{
    if (!m_bMaximizeMode)
        return FALSE;
    if (m_hSysMenu != nullptr && iIndex == 0)
        return TRUE;
    int iEnd = GetCount();
    if (m_pCustomizeBtn != nullptr && GetButton(iEnd - 1) == m_pCustomizeBtn)
        iEnd--;
    return iIndex >= iEnd - m_nSystemButtonsNum && iIndex < iEnd;
}

int CKTMenuBar::FirstItem() const
{
    return m_bMaximizeMode && m_hSysMenu != nullptr ? 1 : 0;
}

int CKTMenuBar::EndItem() const
{
    int iEnd = GetCount();
    if (m_pCustomizeBtn != nullptr && GetButton(iEnd - 1) == m_pCustomizeBtn)
        iEnd--;
    return m_bMaximizeMode ? iEnd - m_nSystemButtonsNum : iEnd;
}

BOOL CKTMenuBar::OnSendCommand(const CKTToolbarButton* pButton)
{
    if (pButton == nullptr || !KTIsWindowButton(pButton))
        return FALSE;
    const UINT uiCmd = pButton->m_nID;
    if (uiCmd != SC_CLOSE && uiCmd != SC_MINIMIZE && uiCmd != SC_RESTORE)
        return FALSE;
    CMDIFrameWnd* pFrame = GetMDIFrame();
    CWnd* pChild = pFrame != nullptr ? pFrame->MDIGetActive() : nullptr;
    if (pChild != nullptr)
        pChild->SendMessage(WM_SYSCOMMAND, uiCmd);
    else
        ::MessageBeep(static_cast<UINT>(-1));
    return TRUE;
}

// Layout ------------------------------------------------------------------------------------------

int CKTMenuBar::GetRowHeight() const
{
    if (m_bHaveButtons)
        return CKTToolBar::GetRowHeight();
    const CSize sizeMenu = GetMenuButtonSize();
    const int nHeight = (sizeMenu.cy >= 1 ? sizeMenu.cy : GetDefaultButtonSize().cy) - 2;
    const BOOL bHorz = (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0 || (m_dwStyle & CBRS_ALIGN_ANY) == 0;
    return std::max(nHeight, bHorz ? ktGlobals.m_textHeight : ktGlobals.m_textHeightRotated);
}

int CKTMenuBar::GetColumnWidth() const
{
    if (m_bHaveButtons)
        return CKTToolBar::GetColumnWidth();
    const CSize sizeMenu = GetMenuButtonSize();
    return (sizeMenu.cx >= 1 ? sizeMenu.cx : GetDefaultButtonSize().cx) - 2;
}

void CKTMenuBar::CalcMaxButtonHeight()
{
    m_bHaveButtons = FALSE;
    for (int i = FirstItem(); i < EndItem() && !m_bHaveButtons; i++)
    {
        CKTToolbarButton* pButton = GetButton(i);
        m_bHaveButtons = pButton != nullptr && !pButton->IsSeparator() && pButton->m_bImage && pButton->GetImage() >= 0;
    }
    m_nMaxBtnHeight = GetRowHeight();
}

CSize CKTMenuBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (m_bLaidOut)
        return CKTToolBar::CalcFixedLayout(bStretch, bHorz);
    return CSize(GetColumnWidth(), GetRowHeight());
}

CSize CKTMenuBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    return CalcLayout(dwMode, nLength);
}

CSize CKTMenuBar::CalcLayout(DWORD dwMode, int nLength)
{
    m_bLaidOut = TRUE;
    m_iHighlighted = -1;
    m_iHot = -1;
    CalcMaxButtonHeight();

    const BOOL bDragging = m_pDockContext != nullptr && m_pDockContext->m_bDragging;
    if (bDragging)
        InstallMouseHook();

    if (dwMode == (LM_HORZ | LM_MRUWIDTH) || (IsFloating() && !bDragging))
        return CKTToolBar::CalcLayout(dwMode, nLength);

    CRect rectArea;
    CDockBar* pDockBar = m_pDockBar;
    if (pDockBar != nullptr && pDockBar->GetSafeHwnd() != nullptr)
        pDockBar->GetClientRect(&rectArea);
    if (rectArea.IsRectEmpty())
    {
        CWnd* pOwner = GetOwner() != nullptr ? GetOwner() : GetParent();
        if (pOwner != nullptr)
            pOwner->GetClientRect(&rectArea);
    }

    const BOOL bVert = (dwMode & LM_VERTDOCK) != 0 || (dwMode & LM_HORZ) == 0;
    CSize size;
    if (!bVert)
    {
        const CRect rectBorders = GetBorders();
        WrapToolBar(rectArea.Width() - rectBorders.left - rectBorders.right - 1, 32767);
        size = CKTToolBar::CalcSize(FALSE);
        CRect rectInside(0, 0, 0, 0);
        CalcInsideRect(rectInside, TRUE);
        size.cy -= rectInside.Height();
        size.cx = rectArea.Width();
    }
    else
    {
        WrapToolBar(0, 32767);
        size = CKTToolBar::CalcSize(TRUE);
        CRect rectInside(0, 0, 0, 0);
        CalcInsideRect(rectInside, FALSE);
        size.cx -= rectInside.Width();
        size.cy = rectArea.Height();
    }
    RebuildAccelerationKeys();
    return size;
}

void CKTMenuBar::AdjustLocations()
{
    CKTToolBar::AdjustLocations();
    if (!m_bMaximizeMode || m_nSystemButtonsNum <= 0 || GetSafeHwnd() == nullptr)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    const BOOL bHorz = IsHorizontal();
    const int iEnd = EndItem() + m_nSystemButtonsNum;
    int x = rectClient.right - m_szSystemButton.cx;
    int y = rectClient.bottom - m_szSystemButton.cy;
    for (int i = iEnd - 1; i >= iEnd - m_nSystemButtonsNum; i--)
    {
        CKTToolbarButton* pButton = GetButton(i);
        if (pButton == nullptr)
            continue;
        CRect rect;
        if (bHorz)
        {
            rect = CRect(CPoint(x, rectClient.top + (rectClient.Height() - m_szSystemButton.cy) / 2), m_szSystemButton);
            x -= m_szSystemButton.cx + 1;
        }
        else
        {
            rect = CRect(CPoint(rectClient.left + (rectClient.Width() - m_szSystemButton.cx) / 2, y), m_szSystemButton);
            y -= m_szSystemButton.cy + 1;
        }
        if (rect != pButton->m_rect)
        {
            pButton->m_rect = rect;
            pButton->OnMove();
        }
    }
}

int CKTMenuBar::FindDropIndex(const CPoint point, CRect& rectDrag) const
{
    const int iIndex = CKTToolBar::FindDropIndex(point, rectDrag);
    if (!m_bMaximizeMode)
        return iIndex;
    const int iFirst = FirstItem();
    const int iEnd = EndItem();
    const int iClamped = std::min(std::max(iIndex, iFirst), iEnd);
    if (iClamped == iIndex)
        return iIndex;
    // The marker goes to the edge the button lands at: after the system-menu button, or after the
    // last item, never among the window buttons.
    const CKTToolbarButton* pBefore = iClamped > 0 ? GetButton(iClamped - 1) : nullptr;
    const CKTToolbarButton* pAfter = pBefore == nullptr ? GetButton(iClamped) : nullptr;
    if (pBefore == nullptr && pAfter == nullptr)
        return iClamped;
    const CRect rectRef = pBefore != nullptr ? pBefore->m_rect : pAfter->m_rect;
    const int nHalf =
        std::max(1, rectDrag.IsRectEmpty() ? 3 : (IsHorizontal() ? rectDrag.Width() : rectDrag.Height()) / 2);
    if (IsHorizontal())
    {
        const int x = pBefore != nullptr ? rectRef.right : rectRef.left;
        rectDrag.SetRect(x - nHalf, rectRef.top, x + nHalf, rectRef.bottom);
    }
    else
    {
        const int y = pBefore != nullptr ? rectRef.bottom : rectRef.top;
        rectDrag.SetRect(rectRef.left, y - nHalf, rectRef.right, y + nHalf);
    }
    return iClamped;
}

// Input -------------------------------------------------------------------------------------------

INT_PTR CKTMenuBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    const int iHit = const_cast<CKTMenuBar*>(this)->HitTest(point);
    CKTToolbarButton* pButton = GetButton(iHit);
    if (pButton != nullptr && pButton->IsKindOf(RUNTIME_CLASS(CKTToolbarMenuButton)))
        return -1;
    return CKTToolBar::OnToolHitTest(point, pTI);
}

CString CKTMenuBar::GetButtonToolTipText(UINT uiCmd) const
{
    CString strText;
    if (m_hMenu != nullptr && ::IsMenu(m_hMenu) && FindMenuItemText(m_hMenu, uiCmd, strText))
        return strText;
    return CKTToolBar::GetButtonToolTipText(uiCmd);
}

BOOL CKTMenuBar::IsPureMenuButton(CKTToolbarButton* pButton) const
{
    return m_bMenuMode || (pButton != nullptr && pButton->IsKindOf(RUNTIME_CLASS(CKTToolbarMenuButton)));
}

void CKTMenuBar::MakeItemHot(int iIndex)
{
    const int iOld = m_iHighlighted;
    m_iHighlighted = iIndex;
    m_iHot = iIndex;
    InvalidateButton(iOld);
    InvalidateButton(iIndex);
    UpdateWindow();
}

BOOL CKTMenuBar::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && GetDroppedDownMenu() == nullptr && m_iHighlighted >= 0 &&
        !IsWindowButton(m_iHighlighted))
    {
        const int iFirst = FirstItem();
        const int iEnd = EndItem();
        CKTToolbarButton* pHot = GetButton(m_iHighlighted);
        switch (pMsg->wParam)
        {
        case VK_RETURN:
        case VK_DOWN:
            m_bKeyboardMode = TRUE;
            if (pHot != nullptr && pHot->IsKindOf(RUNTIME_CLASS(CKTToolbarMenuButton)))
            {
                pHot->OnClick(this, FALSE);
                return TRUE;
            }
            if (pMsg->wParam == VK_RETURN && pHot != nullptr && !pHot->IsSeparator())
            {
                const UINT uiCmd = pHot->m_nID;
                Deactivate();
                RestoreFocus();
                CWnd* pTarget = GetCommandTarget();
                if (pTarget != nullptr)
                    pTarget->PostMessage(WM_COMMAND, uiCmd);
            }
            return TRUE;
        case VK_ESCAPE:
            Deactivate();
            RestoreFocus();
            m_bKeyboardMode = FALSE;
            break;
        case VK_LEFT:
        case VK_RIGHT: {
            if (iEnd <= iFirst)
                return TRUE;
            const int nItems = iEnd - iFirst;
            const int iStep = pMsg->wParam == VK_LEFT ? -1 : 1;
            int i = m_iHighlighted;
            for (int n = 0; n < nItems; n++)
            {
                i = iFirst + ((i - iFirst + iStep) % nItems + nItems) % nItems;
                CKTToolbarButton* pButton = GetButton(i);
                if (pButton != nullptr && !pButton->IsSeparator() && !pButton->m_bHidden)
                    break;
            }
            m_bKeyboardMode = TRUE;
            MakeItemHot(i);
            return TRUE;
        }
        default:
            if (TranslateChar(static_cast<UINT>(pMsg->wParam)))
                return TRUE;
            break;
        }
    }
    return CKTToolBar::PreTranslateMessage(pMsg);
}

void CKTMenuBar::OnChangeHot(int iHot)
{
    CKTToolBar::OnChangeHot(iHot);
    if (GetSafeHwnd() == nullptr)
        return;
    if (GetDroppedDownMenu() != nullptr)
    {
        KillTimer(kExpandTimer);
        SetTimer(kExpandTimer, 5000, nullptr);
    }
    else
    {
        m_bKeyboardMode = FALSE;
    }
}

void CKTMenuBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kExpandTimer)
    {
        CKTToolBar::OnTimer(nIDEvent);
        return;
    }
    KillTimer(kExpandTimer);
    int iDropped = -1;
    CKTToolbarButton* pDropped = GetDroppedDownMenu(&iDropped);
    if (pDropped == nullptr)
        return;
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    ScreenToClient(&ptCursor);
    // A menu that shows every item already is left as it is: rebuilt, it would lose its hot item.
    CKTPopupMenu* pPopup = static_cast<CKTToolbarMenuButton*>(pDropped)->m_pPopupMenu;
    if (pDropped->m_rect.PtInRect(ptCursor) && pPopup != nullptr && pPopup->GetSafeHwnd() != nullptr &&
        !pPopup->GetMenuBar()->AreAllCommandsShown())
        KTShowAllItems(pPopup);
}

void CKTMenuBar::OnSetFocus(CWnd* pOldWnd)
{
    CKTToolBar::OnSetFocus(pOldWnd);
    if (GetDroppedDownMenu() != nullptr)
        return;
    CWnd* pTarget = m_pParentWnd != nullptr ? m_pParentWnd : GetParent();
    if (pTarget != nullptr)
        pTarget->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    if (m_iHighlighted < 0 && GetCount() > 0)
    {
        int iFirst = FirstItem();
        while (iFirst < EndItem() && GetButton(iFirst)->IsSeparator())
            iFirst++;
        if (iFirst < EndItem())
            MakeItemHot(iFirst);
    }
}

void CKTMenuBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (GetDroppedDownMenu() != nullptr && HitTest(point) < 0)
        return;
    CKTToolBar::OnLButtonDown(nFlags, point);
}

void CKTMenuBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    const int iHit = HitTest(point);
    CKTToolbarButton* pButton = GetButton(iHit);
    if (m_bRecentlyUsedMenus && pButton != nullptr && !IsWindowButton(iHit) &&
        pButton->IsKindOf(RUNTIME_CLASS(CKTToolbarMenuButton)) && GetUsageCount().HasEnoughStatistics())
    {
        CKTToolbarMenuButton* pMenuButton = static_cast<CKTToolbarMenuButton*>(pButton);
        if (pMenuButton->m_pPopupMenu != nullptr)
            pMenuButton->m_pPopupMenu->SendMessage(WM_CLOSE);
        KTShowAllItemsOnNextOpen(TRUE);
        pButton->OnClick(this, FALSE);
        MakeItemHot(iHit);
        return;
    }
    CKTToolBar::OnLButtonDblClk(nFlags, point);
}

void CKTMenuBar::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CKTToolBar::OnWindowPosChanged(lpwndpos);
    if (m_pHookedBar == this)
        RemoveMouseHook();
}

void CKTMenuBar::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CKTToolBar::OnSettingChange(uFlags, lpszSection);
    MeasureSystemButtons();
    AdjustLayout();
    Invalidate();
}

// Dragging ------------------------------------------------------------------------------------------

void CKTMenuBar::InstallMouseHook()
{
    if (m_hookMouse != nullptr)
    {
        m_pHookedBar = this;
        return;
    }
    m_hookMouse = ::SetWindowsHookExW(WH_MOUSE, &CKTMenuBar::BarMouseProc, nullptr, ::GetCurrentThreadId());
    m_pHookedBar = m_hookMouse != nullptr ? this : nullptr;
}

void CKTMenuBar::RemoveMouseHook()
{
    if (m_hookMouse != nullptr)
        ::UnhookWindowsHookEx(m_hookMouse);
    m_hookMouse = nullptr;
    m_pHookedBar = nullptr;
}

LRESULT CALLBACK CKTMenuBar::BarMouseProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    const HHOOK hHook = m_hookMouse;
    if (nCode == HC_ACTION && (wParam == WM_LBUTTONUP || wParam == WM_NCLBUTTONDOWN) && m_pHookedBar != nullptr)
    {
        CKTMenuBar* pBar = m_pHookedBar;
        if (pBar->m_pDockContext != nullptr && pBar->GetSafeHwnd() != nullptr)
        {
            CRect rectWork;
            MONITORINFO mi{};
            mi.cbSize = sizeof(MONITORINFO);
            HMONITOR hMonitor = ::MonitorFromWindow(pBar->GetSafeHwnd(), MONITOR_DEFAULTTONEAREST);
            if (hMonitor != nullptr && ::GetMonitorInfoW(hMonitor, &mi))
                rectWork = mi.rcWork;
            else
                ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rectWork, 0);
            pBar->m_pDockContext->m_ptMRUFloatPos.x = rectWork.left;
            pBar->m_pDockContext->m_ptMRUFloatPos.y = rectWork.top;
        }
        RemoveMouseHook();
    }
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}

// Documents -----------------------------------------------------------------------------------------

void CKTMenuBar::UpdateMDIChildrenMenus(CMultiDocTemplate* pTemplate)
{
    if (pTemplate == nullptr)
        return;
    for (POSITION pos = pTemplate->GetFirstDocPosition(); pos != nullptr;)
    {
        CDocument* pDoc = pTemplate->GetNextDoc(pos);
        for (POSITION posView = pDoc->GetFirstViewPosition(); posView != nullptr;)
        {
            CView* pView = pDoc->GetNextView(posView);
            CFrameWnd* pFrame = pView != nullptr ? pView->GetParentFrame() : nullptr;
            if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)))
                static_cast<CMDIChildWnd*>(pFrame)->m_hMenuShared = pTemplate->m_hMenuShared;
        }
    }
}

// Dropped button -------------------------------------------------------------------------------

CKTToolbarButton* CKTMenuBar::GetDroppedButton() const
{
    // A button removed meanwhile is no longer the dropped one.
    return m_pDroppedButton != nullptr && ButtonToIndex(m_pDroppedButton) >= 0 ? m_pDroppedButton : nullptr;
}

void CKTMenuBar::CancelDroppedButton()
{
    CKTToolbarButton* pDropped = GetDroppedButton();
    m_pDroppedButton = nullptr;
    if (pDropped != nullptr && pDropped->IsDroppedDown())
        pDropped->OnCancelMode();
}

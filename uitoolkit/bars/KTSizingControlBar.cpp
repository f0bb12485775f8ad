// The sizing bar's creation, its rows (fit, positions, expand) and its saved sizes. Mouse,
// non-client area and edge dragging are in KTSizingControlBarInput.cpp.
#include "uitoolkit/bars/KTSizingControlBar.h"

#include "framework/AfxDockContext.h"
#include "framework/AfxMsgMap.h"
#include "uitoolkit/bars/KTMiniDockFrameWnd.h"
#include "uitoolkit/bars/KTResizingDockContext.h"
#include "uitoolkit/looks/KTMenuGlyphs.h"
#include "uitoolkit/looks/KTRegistry.h"
#include "uitoolkit/looks/KTUIGlobals.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CKTSizingControlBar, CControlBar)

const wchar_t* const CKTSizingControlBar::m_szDefaultSection = L"KTSizingControlBar";

namespace
{

// The framework's split cursors (its resources), or the system's when a program lacks them.
const int kIdcHSplitBar = 30980;
const int kIdcVSplitBar = 30981;

HCURSOR LoadSplitCursor(int nId, LPCWSTR lpszFallback)
{
    HCURSOR hCursor = ::LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nId));
    return hCursor != nullptr ? hCursor : ::LoadCursorW(nullptr, lpszFallback);
}

int LengthOf(CSize size, BOOL bHorz)
{
    return bHorz ? size.cx : size.cy;
}

LONG& Along(CSize& size, BOOL bHorz)
{
    return bHorz ? size.cx : size.cy;
}

LONG& Across(CSize& size, BOOL bHorz)
{
    return bHorz ? size.cy : size.cx;
}

} // namespace

CSize CKTSizingBarButton::GetSize() const
{
    if (m_bHidden)
        return CSize(0, 0);
    CSize size = CKTMenuGlyphs::GetImageSize();
    if (size.cx <= 0 || size.cy <= 0)
        size = CSize(9, 9);
    return size + CSize(5, 5);
}

CKTSizingControlBar::CKTSizingControlBar()
{
    m_rectRedraw.SetRectEmpty();
    m_Buttons[kCloseButton].m_nHit = HTOBJECT;
    m_Buttons[kCloseButton].m_uiTT = IDS_KT_HIDE_BAR;
    m_Buttons[kExpandButton].m_nHit = HTMAXBUTTON;
    m_Buttons[kExpandButton].m_uiTT = IDS_KT_EXPAND_BAR;
    for (CKTSizingBarButton& button : m_Buttons)
        button.m_pParent = this;
}

CKTSizingControlBar::~CKTSizingControlBar()
{
    m_arrBars.erase(std::remove(m_arrBars.begin(), m_arrBars.end(), this), m_arrBars.end());
}

int CKTSizingControlBar::FindBar(const CControlBar* pBar)
{
    auto it = std::find(m_arrBars.begin(), m_arrBars.end(), pBar);
    return it == m_arrBars.end() ? -1 : static_cast<int>(it - m_arrBars.begin());
}

BOOL CKTSizingControlBar::Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, CSize sizeDefault, BOOL bHasGripper,
                                 UINT nID, DWORD dwStyle)
{
    m_szHorz = m_szVert = m_szFloat = sizeDefault;
    m_nCaptionHeight = bHasGripper ? std::max(ktGlobals.m_textHeight, 12) : 0;
    LPCTSTR lpszClass =
        AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW), ::GetSysColorBrush(COLOR_BTNFACE));
    // The bar bits of the style go to the bar style as the window is created (PreCreateWindow).
    if (!CWnd::Create(lpszClass, lpszWindowName, dwStyle | WS_CLIPCHILDREN, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    SetBarStyle(m_dwStyle | CBRS_SIZE_DYNAMIC);
    return TRUE;
}

int CKTSizingControlBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CControlBar::OnCreate(lpcs) == -1)
        return -1;
    m_dwSCBStyle |= kEdgeReserved;
    EnableToolTips();
    if (m_ToolTip.Create(this))
    {
        m_ToolTip.Activate(TRUE);
        if (ktGlobals.m_tipMaxWidth != -1)
            m_ToolTip.SetMaxTipWidth(ktGlobals.m_tipMaxWidth);
        CRect rectEmpty(0, 0, 0, 0);
        for (int i = 0; i < 2; ++i)
            m_ToolTip.AddTool(this, m_Buttons[i].m_uiTT, &rectEmpty, i + 1);
    }
    if (m_hcurSizeWE == nullptr)
        m_hcurSizeWE = LoadSplitCursor(kIdcHSplitBar, IDC_SIZEWE);
    if (m_hcurSizeNS == nullptr)
        m_hcurSizeNS = LoadSplitCursor(kIdcVSplitBar, IDC_SIZENS);
    if (FindBar(this) < 0)
        m_arrBars.push_back(this);
    return 0;
}

void CKTSizingControlBar::OnDestroy()
{
    m_arrBars.erase(std::remove(m_arrBars.begin(), m_arrBars.end(), this), m_arrBars.end());
    CControlBar::OnDestroy();
}

BOOL CKTSizingControlBar::DestroyWindow()
{
    m_arrBars.erase(std::remove(m_arrBars.begin(), m_arrBars.end(), this), m_arrBars.end());
    return CControlBar::DestroyWindow();
}

void CKTSizingControlBar::EnableDocking(DWORD dwDockStyle)
{
    CControlBar::EnableDocking(dwDockStyle);
    if (m_pDockContext == nullptr)
        return;
    // Keep what the framework's context remembered: only the resizing differs.
    auto* pContext = new CKTResizingDockContext(this);
    pContext->m_uMRUDockID = m_pDockContext->m_uMRUDockID;
    pContext->m_rectMRUDockPos = m_pDockContext->m_rectMRUDockPos;
    pContext->m_dwMRUFloatStyle = m_pDockContext->m_dwMRUFloatStyle;
    pContext->m_ptMRUFloatPos = m_pDockContext->m_ptMRUFloatPos;
    delete m_pDockContext;
    m_pDockContext = pContext;
}

void CKTSizingControlBar::SetMinSize(CSize size)
{
    m_szMin = size;
    m_szFloat.cx = std::max(m_szFloat.cx, m_szMin.cx);
    m_szFloat.cy = std::max(m_szFloat.cy, m_szMin.cy);
}

void CKTSizingControlBar::SetMaxSize(CSize size)
{
    m_szMax = size;
    if (m_szMax.cx > 0)
        m_szFloat.cx = std::min(m_szFloat.cx, m_szMax.cx);
    if (m_szMax.cy > 0)
        m_szFloat.cy = std::min(m_szFloat.cy, m_szMax.cy);
}

BOOL CKTSizingControlBar::GetRowSizingBars(std::vector<CKTSizingControlBar*>& arrSCBars,
                                           std::vector<CControlBar*>* pAllVisible) const
{
    arrSCBars.clear();
    if (pAllVisible != nullptr)
        pAllVisible->clear();
    CDockBar* pDockBar = m_pDockBar;
    if (pDockBar == nullptr)
        return FALSE;
    const int nThis = pDockBar->FindBar(const_cast<CKTSizingControlBar*>(this));
    if (nThis <= 0 || pDockBar->m_arrBars[nThis] != this)
        return FALSE;
    int nFirst = nThis;
    while (nFirst > 0 && pDockBar->m_arrBars[nFirst - 1] != nullptr)
        --nFirst;
    for (int i = nFirst; i < pDockBar->m_arrBars.GetSize() && pDockBar->m_arrBars[i] != nullptr; ++i)
    {
        CControlBar* pBar = pDockBar->GetDockedControlBar(i);
        if (pBar == nullptr || !pBar->IsVisible())
            continue;
        if (pAllVisible != nullptr)
            pAllVisible->push_back(pBar);
        if (FindBar(pBar) >= 0)
            arrSCBars.push_back(static_cast<CKTSizingControlBar*>(pBar));
    }
    return TRUE;
}

BOOL CKTSizingControlBar::IsRowFirst() const
{
    std::vector<CKTSizingControlBar*> bars;
    std::vector<CControlBar*> all;
    GetRowSizingBars(bars, &all);
    return all.empty() || all.front() == this;
}

BOOL CKTSizingControlBar::IsRowLast() const
{
    std::vector<CKTSizingControlBar*> bars;
    std::vector<CControlBar*> all;
    GetRowSizingBars(bars, &all);
    return all.empty() || all.back() == this;
}

CSize CKTSizingControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (bStretch)
        return bHorz ? CSize(32767, m_szHorz.cy) : CSize(m_szVert.cx, 32767);
    CDockBar* pDockBar = m_pDockBar;
    if (pDockBar == nullptr)
        return CControlBar::CalcFixedLayout(bStretch, bHorz);

    std::vector<CKTSizingControlBar*> bars;
    GetRowSizingBars(bars);
    if (!pDockBar->m_bLayoutQuery && !bars.empty())
    {
        AFX_SIZEPARENTPARAMS layout{};
        layout.hDWP = ::BeginDeferWindowPos(static_cast<int>(bars.size()));
        for (CKTSizingControlBar* pBar : bars)
            pBar->RecalcDelayShow(&layout);
        if (layout.hDWP != nullptr)
            ::EndDeferWindowPos(layout.hDWP);
    }
    m_bAloneInRow = bars.size() < 2;
    if (m_bExpandAtLayout && !pDockBar->m_bLayoutQuery)
    {
        m_bExpandAtLayout = FALSE;
        if (!m_bAloneInRow && !m_bMaximized && !IsFloating())
            ToggleExpand(TRUE);
    }
    BOOL bOtherExpanded = FALSE;
    for (CKTSizingControlBar* pBar : bars)
        bOtherExpanded = bOtherExpanded || (pBar != this && pBar->m_bMaximized);

    CRect rectRow = pDockBar->m_rectLayout;
    if (rectRow.IsRectEmpty())
        pDockBar->GetClientRect(&rectRow);
    const int nRowLength = bHorz ? rectRow.Width() : rectRow.Height() - 2;

    if (IsVisible() && !IsFloating() && m_bParentSizing && !bars.empty() && bars.front() == this)
    {
        if (NegotiateSpace(nRowLength, bHorz))
            AdjustRowPositions();
    }
    m_bParentSizing = FALSE;

    CSize size = bHorz ? m_szHorz : m_szVert;
    if (bHorz && m_szMax.cy >= 1)
        size.cy = std::min(size.cy, m_szMax.cy);
    if (!bHorz && m_szMax.cx >= 1)
        size.cx = std::min(size.cx, m_szMax.cx);
    size.cx = std::max(size.cx, m_szMin.cx);
    size.cy = std::max(size.cy, m_szMin.cy);

    if (bOtherExpanded)
        Along(size, bHorz) = LengthOf(m_szMin, bHorz);
    else if (m_bMaximized)
        Along(size, bHorz) = nRowLength - static_cast<int>(bars.size() - 1) * LengthOf(m_szMin, bHorz);
    return size;
}

CSize CKTSizingControlBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    if (m_bRolled && IsFloating())
    {
        HWND hFocus = ::GetFocus();
        if (hFocus == nullptr || (hFocus != m_hWnd && !::IsChild(m_hWnd, hFocus)))
            return CSize(m_szFloat.cx, ::GetSystemMetrics(SM_CYFRAME) - 1);
    }
    if ((dwMode & (LM_HORZDOCK | LM_VERTDOCK)) != 0)
    {
        if (nLength == -1)
            m_bParentSizing = TRUE;
        return CControlBar::CalcDynamicLayout(nLength, dwMode);
    }
    if ((dwMode & (LM_MRUWIDTH | LM_COMMIT)) == 0)
    {
        if ((dwMode & LM_LENGTHY) != 0)
            m_szFloat.cy = nLength;
        else
            m_szFloat.cx = nLength;
    }
    if (m_szMax.cx > 0)
        m_szFloat.cx = std::min(m_szFloat.cx, m_szMax.cx);
    if (m_szMax.cy > 0)
        m_szFloat.cy = std::min(m_szFloat.cy, m_szMax.cy);
    m_szFloat.cx = std::max(m_szFloat.cx, m_szMin.cx);
    m_szFloat.cy = std::max(m_szFloat.cy, m_szMin.cy);
    return m_szFloat;
}

BOOL CKTSizingControlBar::NegotiateSpace(int nLength, BOOL bHorz)
{
    std::vector<CKTSizingControlBar*> bars;
    std::vector<CControlBar*> all;
    if (!GetRowSizingBars(bars, &all) || bars.empty())
        return FALSE;

    for (CControlBar* pBar : all)
    {
        if (FindBar(pBar) >= 0)
            continue;
        CRect rect;
        pBar->GetWindowRect(&rect);
        nLength -= bHorz ? rect.Width() : rect.Height();
    }
    int nSum = 0;
    int nMinSum = 2;
    int nThickness = 0;
    for (CKTSizingControlBar* pBar : bars)
    {
        CSize& size = bHorz ? pBar->m_szHorz : pBar->m_szVert;
        nSum += LengthOf(size, bHorz);
        nMinSum += LengthOf(pBar->m_szMin, bHorz);
        nThickness = std::max<LONG>(nThickness, Across(size, bHorz));
    }

    if (nMinSum > nLength)
    {
        if (bars.size() < 2)
            return FALSE;
        CDockBar* pDockBar = m_pDockBar;
        if (pDockBar->m_bLayoutQuery)
            return FALSE;
        // Too long for the row: the bar opens a row of its own after it.
        const int nThis = pDockBar->FindBar(this);
        int nEnd = nThis;
        while (nEnd < pDockBar->m_arrBars.GetSize() && pDockBar->m_arrBars[nEnd] != nullptr)
            ++nEnd;
        if (nEnd >= pDockBar->m_arrBars.GetSize())
            pDockBar->m_arrBars.Add(nullptr);
        pDockBar->m_arrBars.InsertAt(nEnd + 1, this);
        pDockBar->m_arrBars.InsertAt(nEnd + 2, static_cast<void*>(nullptr));
        pDockBar->m_arrBars.RemoveAt(nThis);
        if (m_pDockSite != nullptr)
            m_pDockSite->DelayRecalcLayout();
        return FALSE;
    }

    for (CKTSizingControlBar* pBar : bars)
        Across(bHorz ? pBar->m_szHorz : pBar->m_szVert, bHorz) = nThickness;

    int nDiff = nLength - nSum;
    BOOL bPassKeepSize = TRUE;
    while (nDiff != 0)
    {
        const int nStep = nDiff > 0 ? 1 : -1;
        int nGiven = 0;
        for (CKTSizingControlBar* pBar : bars)
        {
            if (nDiff == 0)
                break;
            if (bPassKeepSize && pBar->m_bKeepSize)
                continue;
            LONG& nBarLength = Along(bHorz ? pBar->m_szHorz : pBar->m_szVert, bHorz);
            if (nStep < 0 && nBarLength <= LengthOf(pBar->m_szMin, bHorz))
                continue;
            nBarLength += nStep;
            nDiff -= nStep;
            ++nGiven;
        }
        if (nGiven == 0)
        {
            if (!bPassKeepSize)
                break;
            bPassKeepSize = FALSE;
        }
    }
    for (CKTSizingControlBar* pBar : bars)
        pBar->m_bKeepSize = FALSE;
    return TRUE;
}

void CKTSizingControlBar::AdjustRowPositions()
{
    CDockBar* pDockBar = m_pDockBar;
    if (pDockBar == nullptr)
        return;
    std::vector<CKTSizingControlBar*> bars;
    std::vector<CControlBar*> all;
    GetRowSizingBars(bars, &all);
    const BOOL bHorz = IsHorzDocked();
    int nPos = 0;
    BOOL bMoved = FALSE;
    CControlBar* pPrevious = nullptr;
    for (CControlBar* pBar : all)
    {
        CRect rect;
        pBar->GetWindowRect(&rect);
        pDockBar->ScreenToClient(&rect);
        if (FindBar(pBar) >= 0)
        {
            auto* pSizing = static_cast<CKTSizingControlBar*>(pBar);
            CSize size = bHorz ? pSizing->m_szHorz : pSizing->m_szVert;
            rect.right = rect.left + size.cx;
            rect.bottom = rect.top + size.cy;
        }
        const int nLead = bHorz ? rect.left : rect.top;
        if (nLead != nPos)
        {
            if (bHorz)
                rect.OffsetRect(nPos - nLead, 0);
            else
                rect.OffsetRect(0, nPos - nLead);
            pBar->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                               SWP_NOZORDER | SWP_NOACTIVATE);
            bMoved = TRUE;
        }
        if (bMoved && pPrevious != nullptr)
            ::SetWindowPos(pPrevious->m_hWnd, pBar->m_hWnd, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        nPos += bHorz ? rect.Width() : rect.Height();
        pPrevious = pBar;
    }
    if (bMoved && m_pDockSite != nullptr)
        m_pDockSite->DelayRecalcLayout();
}

void CKTSizingControlBar::ToggleExpand(BOOL bToggle)
{
    if (IsFloating() || m_bAloneInRow || m_pDockBar == nullptr)
        return;
    std::vector<CKTSizingControlBar*> bars;
    GetRowSizingBars(bars);
    const BOOL bHorz = IsHorzDocked();
    if (bToggle)
        m_bMaximized = !m_bMaximized;

    for (CKTSizingControlBar* pBar : bars)
    {
        if (m_bMaximized && pBar != this && pBar->m_bMaximized)
        {
            // The row was expanded for another bar: back to the kept sizes before this one takes it.
            pBar->m_bMaximized = FALSE;
            pBar->m_Buttons[kExpandButton].m_uiTT = IDS_KT_EXPAND_BAR;
            if (pBar->m_ToolTip.m_hWnd != nullptr)
                pBar->m_ToolTip.UpdateTipText(IDS_KT_EXPAND_BAR, pBar, kExpandButton + 1);
            pBar->RedrawButton(pBar->m_Buttons[kExpandButton]);
            for (CKTSizingControlBar* pOther : bars)
                (bHorz ? pOther->m_szHorz : pOther->m_szVert) = pOther->m_szOld;
        }
    }
    CRect rectRow;
    m_pDockBar->GetClientRect(&rectRow);
    for (CKTSizingControlBar* pBar : bars)
    {
        CSize& size = bHorz ? pBar->m_szHorz : pBar->m_szVert;
        if (!m_bMaximized)
        {
            if (pBar->m_szOld.cx > 0 && pBar->m_szOld.cy > 0)
                size = pBar->m_szOld;
            continue;
        }
        pBar->m_szOld = size;
        if (pBar == this)
            Along(size, bHorz) = bHorz ? rectRow.Width() + 2 : rectRow.Height() - 2;
        else
            Along(size, bHorz) = LengthOf(pBar->m_szMin, bHorz);
    }
    m_Buttons[kExpandButton].m_uiTT = m_bMaximized ? IDS_KT_CONTRACT_BAR : IDS_KT_EXPAND_BAR;
    if (m_ToolTip.m_hWnd != nullptr)
        m_ToolTip.UpdateTipText(m_Buttons[kExpandButton].m_uiTT, this, kExpandButton + 1);
    RedrawButton(m_Buttons[kExpandButton]);
    if (m_pDockSite != nullptr)
        m_pDockSite->DelayRecalcLayout();
}

void CKTSizingControlBar::DisableChildWindows(BOOL bDisable)
{
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        ::EnableWindow(hChild, !bDisable);
}

void CKTSizingControlBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
    if (IsFloating())
        return;
    HWND hFocus = ::GetFocus();
    const BOOL bActive = hFocus != nullptr && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus));
    if (bActive != m_bActive)
    {
        m_bActive = bActive;
        SendMessage(WM_NCPAINT);
    }
}

BOOL CKTSizingControlBar::PreTranslateMessage(MSG* pMsg)
{
    if (m_ToolTip.m_hWnd != nullptr)
        m_ToolTip.RelayEvent(pMsg);
    return CControlBar::PreTranslateMessage(pMsg);
}

namespace
{

// Loaded sizes are untrusted: at least the minimum, at most the whole virtual screen, so that a
// wild value cannot make a row fit hand out pixels for ever.
int LoadedLength(int nValue, int nMin, int nScreen)
{
    if (nScreen <= 0)
        nScreen = 32767;
    return std::max(std::min(nValue, nScreen), nMin);
}

CString SectionKey(LPCTSTR lpszProfileName, int nID)
{
    CString strSection =
        lpszProfileName != nullptr && *lpszProfileName != 0 ? lpszProfileName : CKTSizingControlBar::m_szDefaultSection;
    CString strKey;
    strKey.Format(L"%s-SCBar-%d", (LPCTSTR)strSection, nID);
    return GetRegistryPath(strKey);
}

} // namespace

void CKTSizingControlBar::LoadState(LPCTSTR lpszProfileName)
{
    if (m_hWnd == nullptr)
        return;
    CKTRegistryFactory factory;
    CKTRegistry& reg = factory.Create(FALSE, TRUE);
    if (!reg.Open(SectionKey(lpszProfileName, GetDlgCtrlID())))
        return;
    int cxScreen = ::GetSystemMetrics(SM_CXVIRTUALSCREEN);
    int cyScreen = ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (cxScreen <= 0 || cyScreen <= 0)
    {
        cxScreen = ::GetSystemMetrics(SM_CXSCREEN);
        cyScreen = ::GetSystemMetrics(SM_CYSCREEN);
    }
    struct Item
    {
        const wchar_t* name;
        LONG* pValue;
        int nMin;
        int nScreen;
    } items[] = {
        {L"sizeHorzCX", &m_szHorz.cx, m_szMin.cx, cxScreen},   {L"sizeHorzCY", &m_szHorz.cy, m_szMin.cy, cyScreen},
        {L"sizeVertCX", &m_szVert.cx, m_szMin.cx, cxScreen},   {L"sizeVertCY", &m_szVert.cy, m_szMin.cy, cyScreen},
        {L"sizeFloatCX", &m_szFloat.cx, m_szMin.cx, cxScreen}, {L"sizeFloatCY", &m_szFloat.cy, m_szMin.cy, cyScreen},
    };
    for (const Item& item : items)
    {
        int nValue = static_cast<int>(*item.pValue);
        reg.Read(item.name, nValue);
        *item.pValue = LoadedLength(nValue, item.nMin, item.nScreen);
    }
    int nExpanded = 0;
    reg.Read(L"Expanded", nExpanded);
    int nRolled = m_bRolled;
    reg.Read(L"RolledFloat", nRolled);
    int nRollingType = m_nRollingType;
    reg.Read(L"RolledFloatDynamicState", nRollingType);
    if (nRollingType < 0 || nRollingType > 5)
        nRollingType = 0; // not a mode a frame knows
    m_bRolled = nRolled != 0;
    m_nRollingType = nRollingType;
    if (m_nRollingType == 2 || m_nRollingType == 4)
        m_bRolled = TRUE;
    if (nExpanded != 0 && !m_bMaximized)
    {
        ToggleExpand(TRUE);
        // Not in a row of several yet: the saved docking, which the workspace applies after the
        // sizes, decides at the next layout.
        m_bExpandAtLayout = !m_bMaximized;
    }
    if (m_nRollingType != 0)
    {
        auto* pFrame = dynamic_cast<CKTMiniDockFrameWnd*>(GetParentFrame());
        if (pFrame != nullptr)
            pFrame->SetRollState(m_nRollingType, m_bRolled);
    }
}

void CKTSizingControlBar::SaveState(LPCTSTR lpszProfileName)
{
    if (m_hWnd == nullptr)
        return;
    CKTRegistryFactory factory;
    CKTRegistry& reg = factory.Create(FALSE, FALSE);
    if (!reg.CreateKey(SectionKey(lpszProfileName, GetDlgCtrlID())))
        return;
    CSize szHorz = m_szHorz;
    CSize szVert = m_szVert;
    // In an expanded row every bar's length is borrowed; the kept one is what the user set.
    BOOL bRowExpanded = m_bMaximized;
    std::vector<CKTSizingControlBar*> row;
    if (!IsFloating() && GetRowSizingBars(row))
    {
        for (CKTSizingControlBar* pBar : row)
            bRowExpanded = bRowExpanded || pBar->m_bMaximized;
    }
    if (bRowExpanded && m_szOld.cx > 0 && m_szOld.cy > 0)
        (IsHorzDocked() ? szHorz : szVert) = m_szOld;
    reg.Write(L"sizeHorzCX", static_cast<int>(szHorz.cx));
    reg.Write(L"sizeHorzCY", static_cast<int>(szHorz.cy));
    reg.Write(L"sizeVertCX", static_cast<int>(szVert.cx));
    reg.Write(L"sizeVertCY", static_cast<int>(szVert.cy));
    reg.Write(L"sizeFloatCX", static_cast<int>(m_szFloat.cx));
    reg.Write(L"sizeFloatCY", static_cast<int>(m_szFloat.cy));
    reg.Write(L"Expanded", m_bMaximized ? 1 : 0);
    if (m_nRollingType != 0)
    {
        reg.Write(L"RolledFloat", m_bRolled ? 1 : 0);
        reg.Write(L"RolledFloatDynamicState", m_nRollingType);
    }
    else
    {
        // A roll-up state saved before must not come back.
        reg.DeleteValue(L"RolledFloat");
        reg.DeleteValue(L"RolledFloatDynamicState");
    }
}

#include "uitoolkit/bars/KTTabWnd.h"

#include "uitoolkit/customize/KTButton.h"
#include "uitoolkit/looks/KTMenuGlyphs.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManager.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CKTTabWnd, CWnd)
IMPLEMENT_DYNCREATE(CKTTabButton, CKTButton)

const UINT KTM_ONCHANGE_ACTIVE_TAB = ::RegisterWindowMessageW(L"KTM_ONCHANGE_ACTIVE_TAB");
const UINT KTM_ON_HSCROLL = ::RegisterWindowMessageW(L"KTM_ON_HSCROLL");
const UINT KTM_ON_RENAME_TAB = ::RegisterWindowMessageW(L"KTM_ON_RENAME_TAB");
const UINT KTM_ON_BEFOREMOVE_TAB = ::RegisterWindowMessageW(L"KTM_ON_BEFOREMOVE_TAB");
const UINT KTM_ON_MOVE_TAB = ::RegisterWindowMessageW(L"KTM_ON_MOVE_TAB");

BOOL CKTTabWnd::s_bInScrollForwarding = FALSE;

namespace
{
const UINT kScrollButtonRepeatMs = 50;

const COLORREF kAutoColors[] = {0xE6AF94, 0x75DBFF, 0x9FCDBD, 0x9F9EF0, 0xE1A6BA, 0xB4BF9A, 0x83B6F7, 0xBBA4D5};
const COLORREF kAutoColorsLowDepth[] = {0x00FF00, 0xFFFF00, 0xFF00FF, 0xC0C0C0, 0x00FFFF};
} // namespace

const CKTTabWnd* CKTTabButton::TabWnd()
{
    return dynamic_cast<const CKTTabWnd*>(GetParent());
}

void CKTTabButton::OnFillBackground(CDC* pDC, const CRect& rectClient)
{
    CKTVisualManager::GetInstance()->OnEraseTabsButton(pDC, rectClient, this, TabWnd());
}

void CKTTabButton::OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState)
{
    CKTVisualManager::GetInstance()->OnDrawTabsButtonBorder(pDC, rectClient, this, uiState, TabWnd());
}

CKTTabInfo::CKTTabInfo(const CString& strText, UINT uiIcon, CWnd* pWnd, int iTabID)
    : m_strText(strText), m_uiIcon(uiIcon), m_pWnd(pWnd), m_bIsListView(FALSE), m_iTabID(iTabID)
{
    if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr)
    {
        wchar_t szClass[64] = {};
        ::GetClassNameW(pWnd->GetSafeHwnd(), szClass, 64);
        m_bIsListView = wcscmp(szClass, L"SysListView32") == 0;
    }
}

BEGIN_MESSAGE_MAP(CKTTabWnd, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_SIZE()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_CANCELMODE()
ON_WM_TIMER()
ON_WM_SETCURSOR()
ON_WM_SETTINGCHANGE()
ON_WM_SYSCOLORCHANGE()
ON_WM_HSCROLL()
END_MESSAGE_MAP()

CKTTabWnd::CKTTabWnd() = default;

CKTTabWnd::~CKTTabWnd()
{
    // Destroyed here, while this object is still whole, so that its own clean-up runs.
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
    for (CKTTabInfo* pTab : m_arTabs)
        delete pTab;
    m_arTabs.clear();
    for (CKTButton*& pButton : m_pButtons)
    {
        delete pButton;
        pButton = nullptr;
    }
    delete m_pInPlaceEdit;
}

BOOL CKTTabWnd::Create(Style style, const RECT& rect, CWnd* pParentWnd, UINT nID, Location location, BOOL bCloseBtn)
{
    m_bFlat = style == STYLE_FLAT || style == STYLE_FLAT_SHARED_HORZ_SCROLL;
    m_bSharedScroll = style == STYLE_FLAT_SHARED_HORZ_SCROLL;
    m_bIsOneNoteStyle = style == STYLE_3D_ONENOTE;
    m_bScroll = style == STYLE_FLAT || style == STYLE_FLAT_SHARED_HORZ_SCROLL || style == STYLE_3D_SCROLLED ||
                style == STYLE_3D_ONENOTE;
    m_bHotTrack = style == STYLE_3D_ONENOTE;
    m_bCloseBtn = bCloseBtn;
    m_location = location;
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
    return CWnd::Create(lpszClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, pParentWnd, nID);
}

int CKTTabWnd::OnCreate(LPCREATESTRUCT)
{
    if (Default() == -1)
        return -1;

    if (m_bScroll)
    {
        CKTMenuGlyphs::Initialize();
        struct ButtonSpec
        {
            Button which;
            int iGlyph;
            int iGlyphDisabled;
            BOOL bFlatOnly;
            const wchar_t* tooltip;
        };
        const ButtonSpec specs[] = {
            {BUTTON_FIRST, CKTMenuGlyphs::IdScrollFirst, 0, TRUE, nullptr},
            {BUTTON_LEFT, CKTMenuGlyphs::IdScrollLeft, CKTMenuGlyphs::IdScrollLeftDisabled, FALSE, L"Scroll Left"},
            {BUTTON_RIGHT, CKTMenuGlyphs::IdArrowRightLarge, CKTMenuGlyphs::IdArrowRightLarge + 1, FALSE,
             L"Scroll Right"},
            {BUTTON_LAST, CKTMenuGlyphs::IdScrollLast, 0, TRUE, nullptr},
            {BUTTON_CLOSE, CKTMenuGlyphs::IdClose, 0, FALSE, L"Close"},
        };
        for (const ButtonSpec& spec : specs)
        {
            if ((spec.bFlatOnly && !m_bFlat) || (spec.which == BUTTON_CLOSE && !m_bCloseBtn))
                continue;
            CKTButton* pButton = new CKTTabButton;
            m_pButtons[spec.which] = pButton;
            if (!pButton->Create(L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 0, 0), this, (UINT)-1))
                return -1;
            pButton->SetStdImage(spec.iGlyph, spec.iGlyphDisabled);
            if ((spec.which == BUTTON_LEFT || spec.which == BUTTON_RIGHT) && !m_bIsOneNoteStyle)
                pButton->SetAutoRepeatMode(kScrollButtonRepeatMs);
            if (!m_bFlat && spec.tooltip != nullptr)
                pButton->SetTooltip(spec.tooltip);
            m_lstButtons.AddTail(pButton);
        }
    }

    if (m_bSharedScroll && !m_wndScrollWnd.Create(WS_CHILD | WS_VISIBLE | SBS_HORZ, CRect(0, 0, 0, 0), this, (UINT)-1))
        return -1;

    if (m_bFlat)
        m_brTabArea.CreateSolidBrush(m_clrTabArea == (COLORREF)-1 ? ktGlobals.m_colorFace : m_clrTabArea);
    else if (!m_bScroll && m_ToolTip.Create(this, TTS_ALWAYSTIP))
    {
        m_ToolTip.Activate(TRUE);
        if (ktGlobals.m_tipMaxWidth != -1)
            m_ToolTip.SetMaxTipWidth(ktGlobals.m_tipMaxWidth);
        m_ToolTip.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }

    if (m_bIsDefaultAutoColor)
        InitAutoColors();
    CreateFonts();
    SetTabsHeight();
    return 0;
}

void CKTTabWnd::OnDestroy()
{
    CloseRenameEdit();
    for (CKTTabInfo* pTab : m_arTabs)
    {
        if (m_bAutoDestoyWindow && pTab->m_pWnd != nullptr && ::IsWindow(pTab->m_pWnd->GetSafeHwnd()))
            pTab->m_pWnd->DestroyWindow();
        delete pTab;
    }
    m_arTabs.clear();
    m_iActiveTab = -1;
    m_brTabArea.DeleteObject();
    if (m_ToolTip.GetSafeHwnd() != nullptr)
        m_ToolTip.DestroyWindow();
    CWnd::OnDestroy();
}

void CKTTabWnd::CreateFonts()
{
    m_fntTabs.DeleteObject();
    m_fntTabsBold.DeleteObject();
    if (!m_bFlat)
        return;
    LOGFONT lf{};
    ::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    wcscpy(lf.lfFaceName, KT_FONT_ARIAL);
    lf.lfWeight = FW_NORMAL;
    lf.lfItalic = FALSE;
    lf.lfUnderline = FALSE;
    const int nMaxHeight = ::GetSystemMetrics(SM_CYHSCROLL);
    CClientDC dc(this);
    // Made smaller until a line of it fits the row of a flat tab window.
    for (int i = 0; i < 40; i++)
    {
        m_fntTabs.DeleteObject();
        m_fntTabs.CreateFontIndirect(&lf);
        CFont* pOld = dc.SelectObject(&m_fntTabs);
        TEXTMETRIC tm{};
        dc.GetTextMetrics(&tm);
        dc.SelectObject(pOld);
        if (tm.tmHeight + 2 <= nMaxHeight + 2 || std::abs(lf.lfHeight) <= 6)
            break;
        lf.lfHeight = lf.lfHeight < 0 ? lf.lfHeight + 1 : lf.lfHeight - 1;
    }
    lf.lfWeight = FW_BOLD;
    m_fntTabsBold.CreateFontIndirect(&lf);
}

CFont* CKTTabWnd::GetTabFont()
{
    if (m_bFlat && m_fntTabsBold.GetSafeHandle() != nullptr)
        return &m_fntTabsBold;
    return &ktGlobals.m_fontText;
}

void CKTTabWnd::SetTabsHeight()
{
    if (m_bFlat)
        m_nTabsHeight = ::GetSystemMetrics(SM_CYHSCROLL) + 2;
    else
        m_nTabsHeight = std::max<int>(m_sizeImage.cy + 2 * TAB_IMAGE_MARGIN, ktGlobals.m_textHeight + 2);
}

void CKTTabWnd::AddTab(CWnd* pTabWnd, LPCTSTR lpszTabLabel, UINT uiImageId)
{
    InsertTab(pTabWnd, lpszTabLabel, -1, uiImageId);
}

void CKTTabWnd::InsertTab(CWnd* pTabWnd, LPCTSTR lpszTabLabel, int nInsertAt, UINT uiImageId)
{
    if (pTabWnd == nullptr || pTabWnd->GetSafeHwnd() == nullptr)
        return;
    if (nInsertAt < 0 || nInsertAt > GetTabsNum())
        nInsertAt = GetTabsNum();
    CKTTabInfo* pTab = new CKTTabInfo(lpszTabLabel != nullptr ? lpszTabLabel : L"", m_bFlat ? (UINT)-1 : uiImageId,
                                      pTabWnd, m_iCurTabID++);
    m_arTabs.insert(m_arTabs.begin() + nInsertAt, pTab);
    if (m_iActiveTab >= nInsertAt && m_iActiveTab != -1)
        m_iActiveTab++;
    if (m_ToolTip.GetSafeHwnd() != nullptr)
        m_ToolTip.AddTool(this, pTab->m_strText, CRect(0, 0, 0, 0), (UINT_PTR)pTab->m_iTabID);

    RecalcLayout();
    if (GetTabsNum() == 1)
        SetActiveTab(0);
    else if (m_bHideInactiveWnd)
        pTabWnd->ShowWindow(SW_HIDE);
    else
        pTabWnd->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

BOOL CKTTabWnd::RemoveTab(int iTab)
{
    if (iTab < 0 || iTab >= GetTabsNum())
        return FALSE;
    if (GetTabsNum() == 1)
    {
        RemoveAllTabs();
        return TRUE;
    }
    CloseRenameEdit();
    CKTTabInfo* pTab = m_arTabs[iTab];
    if (m_ToolTip.GetSafeHwnd() != nullptr)
        m_ToolTip.DelTool(this, (UINT_PTR)pTab->m_iTabID);
    m_arTabs.erase(m_arTabs.begin() + iTab);
    if (m_bAutoDestoyWindow && pTab->m_pWnd != nullptr && ::IsWindow(pTab->m_pWnd->GetSafeHwnd()))
        pTab->m_pWnd->DestroyWindow();
    delete pTab;
    if (m_iHighlighted >= GetTabsNum())
        m_iHighlighted = -1;

    RecalcLayout();
    if (iTab <= m_iActiveTab)
    {
        // The records moved down by one: the window to show is the one before the active one.
        const int iNewActive = std::max<int>(0, m_iActiveTab - 1);
        m_iActiveTab = -1;
        SetActiveTab(iNewActive);
    }
    GetParent()->SendMessage(KTM_ONCHANGE_ACTIVE_TAB, (WPARAM)m_iActiveTab, 0);
    return TRUE;
}

void CKTTabWnd::RemoveAllTabs()
{
    CloseRenameEdit();
    // Removes the records here rather than one by one through RemoveTab, which would come back
    // here for its last tab.
    while (!m_arTabs.empty())
    {
        CKTTabInfo* pTab = m_arTabs.back();
        m_arTabs.pop_back();
        if (m_ToolTip.GetSafeHwnd() != nullptr)
            m_ToolTip.DelTool(this, (UINT_PTR)pTab->m_iTabID);
        if (m_bAutoDestoyWindow && pTab->m_pWnd != nullptr && ::IsWindow(pTab->m_pWnd->GetSafeHwnd()))
            pTab->m_pWnd->DestroyWindow();
        delete pTab;
    }
    m_iActiveTab = -1;
    m_iHighlighted = -1;
    m_iCurTabID = 1;
    m_nTabsHorzOffset = 0;
    m_nFirstVisibleTab = 0;
    if (GetSafeHwnd() != nullptr)
        RecalcLayout();
}

BOOL CKTTabWnd::SetActiveTab(int iTab)
{
    if (iTab < 0 || iTab >= GetTabsNum())
        return FALSE;
    if (iTab == m_iActiveTab)
        return TRUE;
    CWnd* pOld = GetTabWnd(m_iActiveTab);
    if (pOld != nullptr && m_bHideInactiveWnd)
        pOld->ShowWindow(SW_HIDE);
    m_iActiveTab = iTab;
    CWnd* pWnd = m_arTabs[iTab]->m_pWnd;
    if (!m_bHideInactiveWnd)
        pWnd->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    pWnd->ShowWindow(SW_SHOWNOACTIVATE);
    if (m_bAutoSizeWnd && !m_rectWndArea.IsRectEmpty())
    {
        // One pixel narrower first, so that a window of the same size still lays itself out.
        pWnd->SetWindowPos(nullptr, m_rectWndArea.left, m_rectWndArea.top, m_rectWndArea.Width() - 1,
                           m_rectWndArea.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        pWnd->SetWindowPos(nullptr, m_rectWndArea.left, m_rectWndArea.top, m_rectWndArea.Width(),
                           m_rectWndArea.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    EnsureVisible(iTab);
    if (m_bFlat)
        SynchronizeScrollBar();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);

    CView* pView = dynamic_cast<CView*>(pWnd);
    CFrameWnd* pFrame = pView != nullptr ? GetParentFrame() : nullptr;
    if (pFrame != nullptr)
        pFrame->SetActiveView(pView);
    else if (IsWindowVisible())
        pWnd->SetFocus();
    return TRUE;
}

int CKTTabWnd::GetVisibleTabsNum() const
{
    int n = 0;
    for (const CKTTabInfo* pTab : m_arTabs)
        n += pTab->m_bVisible ? 1 : 0;
    return n;
}

CWnd* CKTTabWnd::GetTabWnd(int iTab) const
{
    return iTab >= 0 && iTab < GetTabsNum() ? m_arTabs[iTab]->m_pWnd : nullptr;
}

BOOL CKTTabWnd::GetTabRect(int iTab, CRect& rect) const
{
    if (iTab < 0 || iTab >= GetTabsNum() || !m_arTabs[iTab]->m_bVisible)
    {
        rect.SetRectEmpty();
        return FALSE;
    }
    rect = m_arTabs[iTab]->m_rect;
    return TRUE;
}

int CKTTabWnd::GetTabFromHwnd(HWND hwnd) const
{
    for (int i = 0; i < GetTabsNum(); i++)
        if (m_arTabs[i]->m_pWnd->GetSafeHwnd() == hwnd)
            return i;
    return -1;
}

UINT CKTTabWnd::GetTabIcon(int iTab) const
{
    return iTab >= 0 && iTab < GetTabsNum() ? m_arTabs[iTab]->m_uiIcon : (UINT)-1;
}

BOOL CKTTabWnd::SetTabIcon(int iTab, UINT uiIcon)
{
    if (iTab < 0 || iTab >= GetTabsNum() || m_bFlat)
        return FALSE;
    m_arTabs[iTab]->m_uiIcon = uiIcon;
    RecalcLayout();
    return TRUE;
}

BOOL CKTTabWnd::GetTabLabel(int iTab, CString& strLabel) const
{
    if (iTab < 0 || iTab >= GetTabsNum())
        return FALSE;
    strLabel = m_arTabs[iTab]->m_strText;
    return TRUE;
}

BOOL CKTTabWnd::SetTabLabel(int iTab, const CString& strLabel)
{
    if (iTab < 0 || iTab >= GetTabsNum() || strLabel.IsEmpty())
        return FALSE;
    m_arTabs[iTab]->m_strText = strLabel;
    if (m_ToolTip.GetSafeHwnd() != nullptr)
        m_ToolTip.UpdateTipText(strLabel, this, (UINT_PTR)m_arTabs[iTab]->m_iTabID);
    RecalcLayout();
    return TRUE;
}

BOOL CKTTabWnd::ShowTab(int iTab, BOOL bShow)
{
    if (iTab < 0 || iTab >= GetTabsNum())
        return FALSE;
    if (m_arTabs[iTab]->m_bVisible == bShow)
        return TRUE;
    m_arTabs[iTab]->m_bVisible = bShow;
    RecalcLayout();
    return TRUE;
}

BOOL CKTTabWnd::IsTabVisible(int iTab) const
{
    return iTab >= 0 && iTab < GetTabsNum() && m_arTabs[iTab]->m_bVisible;
}

COLORREF CKTTabWnd::GetTabBkColor(int iTab) const
{
    if (iTab < 0 || iTab >= GetTabsNum())
        return (COLORREF)-1;
    const COLORREF color = m_arTabs[iTab]->m_clrBack;
    if (color != (COLORREF)-1 || !m_bIsAutoColor)
        return color;
    // An empty table (the built-in one switched off and no colours given) gives no automatic colour.
    const int nColors = (int)m_arAutoColors.GetSize();
    return nColors == 0 ? (COLORREF)-1 : m_arAutoColors[iTab % nColors];
}

BOOL CKTTabWnd::SetTabBkColor(int iTab, COLORREF color)
{
    if (iTab < 0 || iTab >= GetTabsNum())
        return FALSE;
    m_arTabs[iTab]->m_clrBack = color;
    InvalidateTab(iTab);
    return TRUE;
}

COLORREF CKTTabWnd::GetTabTextColor(int iTab) const
{
    return iTab >= 0 && iTab < GetTabsNum() ? m_arTabs[iTab]->m_clrText : (COLORREF)-1;
}

BOOL CKTTabWnd::SetTabTextColor(int iTab, COLORREF color)
{
    if (iTab < 0 || iTab >= GetTabsNum())
        return FALSE;
    m_arTabs[iTab]->m_clrText = color;
    InvalidateTab(iTab);
    return TRUE;
}

void CKTTabWnd::SetImageList(HIMAGELIST hImageList)
{
    m_hImageList = hImageList;
    m_sizeImage = CSize(0, 0);
    int cx = 0, cy = 0;
    if (hImageList != nullptr && ImageList_GetIconSize(hImageList, &cx, &cy))
        m_sizeImage = CSize(cx, cy);
    SetTabsHeight();
    if (GetSafeHwnd() != nullptr)
        RecalcLayout();
}

void CKTTabWnd::SetDisplayFlag(BOOL bFlag, BOOL bRepaint)
{
    m_bDisplayFlag = bFlag;
    if (bRepaint && GetSafeHwnd() != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CKTTabWnd::HideSingleTab(BOOL bHide)
{
    m_bHideSingleTab = bHide;
    if (GetSafeHwnd() != nullptr)
        RecalcLayout();
}

void CKTTabWnd::HideNoTabs(BOOL bHide)
{
    m_bHideNoTabs = bHide;
    if (GetSafeHwnd() != nullptr)
        RecalcLayout();
}

void CKTTabWnd::EnableAutoColor(BOOL bEnable)
{
    m_bIsAutoColor = bEnable;
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

void CKTTabWnd::EnableAutoColorTable(BOOL bEnable)
{
    m_bIsDefaultAutoColor = bEnable;
    if (bEnable)
        InitAutoColors();
    else
        m_arAutoColors.RemoveAll();
}

void CKTTabWnd::InitAutoColors()
{
    if (!m_bIsDefaultAutoColor)
        return;
    m_arAutoColors.RemoveAll();
    if (ktGlobals.m_bitsPerPixel > 8)
        for (COLORREF color : kAutoColors)
            m_arAutoColors.Add(color);
    else
        for (COLORREF color : kAutoColorsLowDepth)
            m_arAutoColors.Add(color);
}

void CKTTabWnd::SetTabAreaColor(COLORREF color)
{
    m_clrTabArea = color;
    if (m_bFlat && GetSafeHwnd() != nullptr)
    {
        m_brTabArea.DeleteObject();
        m_brTabArea.CreateSolidBrush(color == (COLORREF)-1 ? ktGlobals.m_colorFace : color);
        Invalidate();
    }
}

void CKTTabWnd::SetLocation(Location location)
{
    m_location = location;
    if (GetSafeHwnd() != nullptr)
        RecalcLayout();
}

void CKTTabWnd::InvalidateTab(int iTab)
{
    CRect rect;
    if (GetSafeHwnd() != nullptr && GetTabRect(iTab, rect))
    {
        rect.InflateRect(m_nTabsHeight / 2 + 1, 1);
        InvalidateRect(&rect);
        UpdateWindow();
    }
}

CKTButton* CKTTabWnd::ButtonFromHwnd(HWND hWnd, int* pWhich) const
{
    for (int i = 0; i < BUTTON_COUNT; i++)
        if (m_pButtons[i] != nullptr && m_pButtons[i]->GetSafeHwnd() == hWnd)
        {
            if (pWhich != nullptr)
                *pWhich = i;
            return m_pButtons[i];
        }
    return nullptr;
}

BOOL CKTTabWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    int nWhich = -1;
    if (HIWORD(wParam) == BN_CLICKED && ButtonFromHwnd(reinterpret_cast<HWND>(lParam), &nWhich) != nullptr)
    {
        if (nWhich == BUTTON_CLOSE)
        {
            CWnd* pActive = GetActiveWnd();
            if (pActive != nullptr)
                pActive->SendMessage(WM_CLOSE);
        }
        else
            ScrollBy((Button)nWhich);
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

void CKTTabWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (m_bSharedScroll)
        m_nHorzScrollWidth = 0;
    RecalcLayout();
    SynchronizeScrollBar();
}

void CKTTabWnd::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CWnd::OnSettingChange(uFlags, lpszSection);
    if (m_bFlat)
    {
        CreateFonts();
        SetTabsHeight();
        RecalcLayout();
        SynchronizeScrollBar();
    }
}

void CKTTabWnd::OnSysColorChange()
{
    CWnd::OnSysColorChange();
    if (m_bFlat)
    {
        m_brTabArea.DeleteObject();
        m_brTabArea.CreateSolidBrush(m_clrTabArea == (COLORREF)-1 ? ktGlobals.m_colorFace : m_clrTabArea);
    }
    Invalidate();
    InitAutoColors();
}

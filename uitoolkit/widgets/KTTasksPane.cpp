// The tasks pane: creation, pages and history, groups and tasks, fonts, layout and painting. The
// mouse, the timers and the commands are in KTTasksPaneInput.cpp.
#include "uitoolkit/widgets/KTTasksPane.h"

#include "uitoolkit/customize/KTCursorResource.h"
#include "uitoolkit/looks/KTMemDC.h"
#include "uitoolkit/looks/KTMenuGlyphs.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManager.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CKTTasksPane, CKTOutlookBar)

namespace
{
const int kMargin = 8;
const int kGroupGap = 10;
const int kTaskIndent = 8;
const int kArrowHeight = 12;
const UINT kAnimationDuration = 200;

CString LoadText(UINT nID, LPCTSTR lpszDefault)
{
    CString strText;
    if (!strText.LoadString(nID))
        strText = lpszDefault;
    return strText;
}
} // namespace

CKTTasksPane::CKTTasksPane() = default;

CKTTasksPane::~CKTTasksPane()
{
    for (CKTTasksPanePage* pPage : m_lstPages)
        delete pPage;
}

int CKTTasksPane::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CKTOutlookBar::OnCreate(lpcs) == -1)
        return -1;
    const CString strOther = LoadText(CmdOtherPanes, L"Other Task Panes");
    const CString strForward = LoadText(CmdForward, L"Forward");
    const CString strBack = LoadText(CmdBack, L"Back");
    const CString strTasks = LoadText(17014, L"Tasks Pane");
    AddPage(strTasks);
    SetWindowText(strTasks);

    if (!m_wndToolBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP, IdNavToolBar))
        return 0;
    m_wndToolBar.SetOwner(this);
    m_wndToolBar.SetBarStyle(m_wndToolBar.GetBarStyle() & ~(CBRS_GRIPPER | CBRS_BORDER_ANY));
    m_wndToolBar.SetLockedSizes(CSize(23, 22), CSize(16, 15));
    m_wndToolBar.m_bLocked = TRUE;
    struct NavButton
    {
        UINT nID;
        LPCTSTR lpszDefault;
    };
    const NavButton buttons[] = {
        {CmdBack, L"Back"}, {CmdForward, L"Forward"}, {CmdHome, L"Home"}, {CmdClose, L"Close"}};
    for (const NavButton& nav : buttons)
    {
        auto* pButton = new CKTToolbarButton(nav.nID, -1, LoadText(nav.nID, nav.lpszDefault), FALSE, TRUE);
        pButton->m_bText = TRUE;
        pButton->m_bImage = FALSE;
        if (m_wndToolBar.InsertButton(pButton) < 0)
            delete pButton;
    }
    m_wndToolBar.InsertSeparator();
    auto* pMenuButton = new CTasksPaneMenuButton(CmdOtherPanes, this, strTasks);
    if (m_wndToolBar.InsertButton(pMenuButton) < 0)
        delete pMenuButton;

    RebuildFonts();
    m_hcurHand = KTGetHandCursor();
    m_wndScrollVert.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(0, 0, 0, 0), this, IdScrollBar);

    CKTMenuGlyphs::Initialize();
    const CSize sizeGlyph = CKTMenuGlyphs::GetImageSize();
    const CRect rectButton(0, 0, sizeGlyph.cx + 6, sizeGlyph.cy + 6);
    struct ChildButton
    {
        CKTButton& button;
        UINT nID;
        const CString& strTip;
        int iGlyph;
    };
    const ChildButton children[] = {{m_btnOther, IdOtherPanesButton, strOther, CKTMenuGlyphs::IdArrowDown},
                                    {m_btnForward, IdForwardButton, strForward, CKTMenuGlyphs::IdArrowForward},
                                    {m_btnBack, IdBackButton, strBack, CKTMenuGlyphs::IdArrowBack}};
    for (const ChildButton& child : children)
    {
        if (!child.button.Create(L"", WS_CHILD | BS_PUSHBUTTON, rectButton, this, child.nID))
            continue;
        child.button.SetStdImage(child.iGlyph);
        child.button.SetTooltip(child.strTip);
    }
    return 0;
}

void CKTTasksPane::OnDestroy()
{
    for (CKTTasksPanePage* pPage : m_lstPages)
        delete pPage;
    m_lstPages.clear();
    m_groups.clear();
    m_history.clear();
    m_iActivePage = -1;
    CKTOutlookBar::OnDestroy();
}

// Pages and history -------------------------------------------------------------------------------

int CKTTasksPane::AddPage(LPCTSTR lpszName)
{
    auto* pPage = new CKTTasksPanePage;
    pPage->m_strName = lpszName != nullptr ? lpszName : L"";
    pPage->m_pPane = this;
    m_lstPages.push_back(pPage);
    if (m_history.empty())
    {
        m_history.push_back(0);
        m_iActivePage = 0;
    }
    return GetPageCount() - 1;
}

CString CKTTasksPane::GetPageName(int nPage) const
{
    return nPage >= 0 && nPage < GetPageCount() ? m_lstPages[static_cast<size_t>(nPage)]->m_strName : CString();
}

int CKTTasksPane::GetActivePage() const
{
    return m_iActivePage >= 0 && m_iActivePage < GetHistoryCount() ? m_history[static_cast<size_t>(m_iActivePage)] : -1;
}

BOOL CKTTasksPane::SetActivePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return FALSE;
    if (nPage == GetActivePage())
        return TRUE;
    m_history.resize(static_cast<size_t>(m_iActivePage + 1));
    m_history.push_back(nPage);
    m_iActivePage = GetHistoryCount() - 1;
    m_nTasksScroll = 0;
    RecalcTasks();
    if (GetSafeHwnd() != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return TRUE;
}

HMENU CKTTasksPane::CreateOtherPanesMenu() const
{
    HMENU hMenu = ::CreatePopupMenu();
    if (hMenu == nullptr)
        return nullptr;
    const int nActive = GetActivePage();
    for (int i = 0; i < GetPageCount() && CmdFirstPage + i <= CmdLastPage; i++)
        ::AppendMenu(hMenu, MF_STRING | (i == nActive ? MF_CHECKED : MF_UNCHECKED), CmdFirstPage + i, GetPageName(i));
    return hMenu;
}

// Groups and tasks --------------------------------------------------------------------------------

int CKTTasksPane::AddGroup(int nPage, LPCTSTR lpszName)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return -1;
    CKTTasksGroup group;
    group.m_nPage = nPage;
    group.m_strName = lpszName != nullptr ? lpszName : L"";
    m_groups.push_back(group);
    RecalcTasks();
    return GetGroupCount() - 1;
}

int CKTTasksPane::AddTask(int nGroup, LPCTSTR lpszName, UINT uiCommandID)
{
    if (nGroup < 0 || nGroup >= GetGroupCount())
        return -1;
    CKTTask task;
    task.m_strName = lpszName != nullptr ? lpszName : L"";
    task.m_uiCommandID = uiCommandID;
    auto& tasks = m_groups[static_cast<size_t>(nGroup)].m_tasks;
    tasks.push_back(task);
    RecalcTasks();
    return static_cast<int>(tasks.size()) - 1;
}

const CKTTasksGroup* CKTTasksPane::GetGroup(int nGroup) const
{
    return nGroup >= 0 && nGroup < GetGroupCount() ? &m_groups[static_cast<size_t>(nGroup)] : nullptr;
}

BOOL CKTTasksPane::CollapseGroup(int nGroup, BOOL bCollapse)
{
    if (nGroup < 0 || nGroup >= GetGroupCount())
        return FALSE;
    CKTTasksGroup& group = m_groups[static_cast<size_t>(nGroup)];
    if (group.m_bCollapsed == bCollapse)
        return TRUE;
    group.m_bCollapsed = bCollapse;
    if (m_bAnimateGroups && GetSafeHwnd() != nullptr)
    {
        m_nAnimatedGroup = nGroup;
        m_dwAnimationStart = ::GetTickCount();
        SetTimer(TimerAnimation, 30, nullptr);
    }
    RecalcTasks();
    if (GetSafeHwnd() != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
    return TRUE;
}

// Fonts -------------------------------------------------------------------------------------------

HFONT CKTTasksPane::GetPaneFont() const
{
    return m_hFont != nullptr ? m_hFont : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

void CKTTasksPane::RebuildFonts()
{
    LOGFONT lf{};
    ::GetObject(GetPaneFont(), sizeof(lf), &lf);
    m_fontBold.DeleteObject();
    m_fontUnderline.DeleteObject();
    lf.lfWeight = FW_BOLD;
    m_fontBold.CreateFontIndirect(&lf);
    lf.lfWeight = FW_NORMAL;
    lf.lfUnderline = TRUE;
    m_fontUnderline.CreateFontIndirect(&lf);
}

LRESULT CKTTasksPane::OnSetFont(WPARAM wParam, LPARAM lParam)
{
    m_hFont = reinterpret_cast<HFONT>(wParam);
    RebuildFonts();
    RecalcTasks();
    if (LOWORD(lParam) != 0)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
    return 0;
}

LRESULT CKTTasksPane::OnGetFont(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(GetPaneFont());
}

// Layout ------------------------------------------------------------------------------------------

void CKTTasksPane::AdjustLocations()
{
    CKTOutlookBar::AdjustLocations();
    RecalcTasks();
}

int CKTTasksPane::ScrollStep() const
{
    return std::max(4, ktGlobals.m_textHeight + 6);
}

void CKTTasksPane::RecalcTasks()
{
    if (GetSafeHwnd() == nullptr)
        return;
    CRect rect = GetWorkArea();
    if (!m_rectCaption.IsRectEmpty())
        rect.top = m_rectCaption.bottom + 1;
    if (m_wndToolBar.GetSafeHwnd() != nullptr)
    {
        const int nBarHeight = m_wndToolBar.GetRowHeight() + 4;
        m_wndToolBar.SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), nBarHeight,
                                  SWP_NOZORDER | SWP_NOACTIVATE);
        m_wndToolBar.AdjustLayout();
        rect.top += nBarHeight;
    }
    const int nScrollWidth = ::GetSystemMetrics(SM_CXVSCROLL);

    // Heights first, to know whether the groups fit.
    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(&m_fontBold);
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    const int nCaptionHeight = tm.tmHeight + 8;
    dc.SelectObject(CFont::FromHandle(GetPaneFont()));
    dc.GetTextMetrics(&tm);
    const int nTaskHeight = tm.tmHeight + 6;
    dc.SelectObject(pOldFont);

    const int nActive = GetActivePage();
    auto tasksHeight = [&](size_t nGroup) {
        const CKTTasksGroup& group = m_groups[nGroup];
        const int nFull = static_cast<int>(group.m_tasks.size()) * nTaskHeight + kMargin;
        if (static_cast<int>(nGroup) == m_nAnimatedGroup)
        {
            const DWORD dwElapsed = std::min<DWORD>(::GetTickCount() - m_dwAnimationStart, kAnimationDuration);
            const int nShown = static_cast<int>(nFull * dwElapsed / kAnimationDuration);
            return group.m_bCollapsed ? nFull - nShown : nShown;
        }
        return group.m_bCollapsed ? 0 : nFull;
    };
    m_nContentHeight = kMargin;
    for (size_t i = 0; i < m_groups.size(); i++)
        if (m_groups[i].m_nPage == nActive)
            m_nContentHeight += nCaptionHeight + tasksHeight(i) + kGroupGap;

    const BOOL bOverflow = m_nContentHeight > rect.Height();
    m_rectScrollUp.SetRectEmpty();
    m_rectScrollDown.SetRectEmpty();
    if (m_bUseScrollArrows)
    {
        if (bOverflow)
        {
            m_rectScrollUp = CRect(rect.left, rect.top, rect.right, rect.top + kArrowHeight);
            m_rectScrollDown = CRect(rect.left, rect.bottom - kArrowHeight, rect.right, rect.bottom);
            rect.DeflateRect(0, kArrowHeight);
        }
        if (m_wndScrollVert.GetSafeHwnd() != nullptr)
            m_wndScrollVert.ShowWindow(SW_HIDE);
    }
    else if (m_wndScrollVert.GetSafeHwnd() != nullptr)
    {
        rect.right -= nScrollWidth;
        m_wndScrollVert.SetWindowPos(nullptr, rect.right, rect.top, nScrollWidth, std::max(0, rect.Height()),
                                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    m_rectTasks = rect;
    m_nTasksScroll = std::min(m_nTasksScroll, GetMaxScroll());
    m_nTasksScroll = std::max(m_nTasksScroll, 0);
    if (!m_bUseScrollArrows && m_wndScrollVert.GetSafeHwnd() != nullptr)
    {
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
        si.nMax = m_nContentHeight - 1;
        si.nPage = static_cast<UINT>(std::max(0, rect.Height()));
        si.nPos = m_nTasksScroll;
        m_wndScrollVert.SetScrollInfo(&si, TRUE);
    }

    int y = rect.top + kMargin - m_nTasksScroll;
    for (size_t i = 0; i < m_groups.size(); i++)
    {
        CKTTasksGroup& group = m_groups[i];
        if (group.m_nPage != nActive)
        {
            group.m_rectCaption.SetRectEmpty();
            group.m_rectTasks.SetRectEmpty();
            for (CKTTask& task : group.m_tasks)
                task.m_rect.SetRectEmpty();
            continue;
        }
        group.m_rectCaption = CRect(rect.left + kMargin, y, rect.right - kMargin, y + nCaptionHeight);
        y += nCaptionHeight;
        const int nTasks = tasksHeight(i);
        group.m_rectTasks = CRect(rect.left + kMargin, y, rect.right - kMargin, y + nTasks);
        int yTask = y + kMargin / 2;
        for (CKTTask& task : group.m_tasks)
        {
            const CRect rectTask(group.m_rectTasks.left + kTaskIndent, yTask, group.m_rectTasks.right - kTaskIndent,
                                 yTask + nTaskHeight);
            task.m_rect = rectTask.bottom <= group.m_rectTasks.bottom ? rectTask : CRect();
            yTask += nTaskHeight;
        }
        y += nTasks + kGroupGap;
    }
}

int CKTTasksPane::GetMaxScroll() const
{
    return std::max(0, m_nContentHeight - m_rectTasks.Height());
}

void CKTTasksPane::SetTasksScroll(int nPos)
{
    nPos = std::max(0, std::min(nPos, GetMaxScroll()));
    if (nPos == m_nTasksScroll)
        return;
    m_nTasksScroll = nPos;
    RecalcTasks();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// Painting ----------------------------------------------------------------------------------------

void CKTTasksPane::DoPaint(CDC* pDCPaint)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    CKTMemDC memDC(*pDCPaint, rectClient);
    CDC* pDC = &memDC.GetDC();
    CKTVisualManager* pLook = CKTVisualManager::GetInstance();
    pLook->OnFillTasksPaneBackground(pDC, rectClient);
    if (!m_rectSplitter.IsRectEmpty())
        pDC->FillSolidRect(m_rectSplitter, ktGlobals.m_colorBarFace);
    pDC->SetBkMode(TRANSPARENT);

    pDC->SaveDC();
    pDC->IntersectClipRect(m_rectTasks);
    const int nActive = GetActivePage();
    for (size_t i = 0; i < m_groups.size(); i++)
    {
        const CKTTasksGroup& group = m_groups[i];
        if (group.m_nPage != nActive || group.m_rectCaption.IsRectEmpty())
            continue;
        pDC->SelectObject(&m_fontBold);
        pLook->OnDrawTasksGroupCaption(pDC, &group, static_cast<int>(i) == m_nHotGroup);
        if (group.m_rectTasks.IsRectEmpty())
            continue;
        pLook->OnFillTasksGroupInterior(pDC, group.m_rectTasks);
        pLook->OnDrawTasksGroupAreaBorder(pDC, group.m_rectTasks);
        for (size_t t = 0; t < group.m_tasks.size(); t++)
        {
            const CKTTask& task = group.m_tasks[t];
            if (task.m_rect.IsRectEmpty())
                continue;
            const BOOL bHot = static_cast<int>(i) == m_nHotTaskGroup && static_cast<int>(t) == m_nHotTask;
            pDC->SelectObject(bHot ? &m_fontUnderline : CFont::FromHandle(GetPaneFont()));
            pLook->OnDrawTask(pDC, &task, bHot);
        }
    }
    pDC->RestoreDC(-1);

    // The arrow under the pointer is hot while it scrolls; an arrow that cannot scroll is grey.
    if (!m_rectScrollUp.IsRectEmpty())
        pLook->OnDrawScrollButton(pDC, m_rectScrollUp, TRUE, m_iScrollMode < 0, FALSE, m_nTasksScroll <= 0);
    if (!m_rectScrollDown.IsRectEmpty())
        pLook->OnDrawScrollButton(pDC, m_rectScrollDown, FALSE, m_iScrollMode > 0, FALSE,
                                  m_nTasksScroll >= GetMaxScroll());
}

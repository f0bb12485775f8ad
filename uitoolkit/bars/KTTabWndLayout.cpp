// The tab window's layout: the tabs area, the buttons and the shared scroll bar beside it, each
// tab's rectangle, scrolling the row and hit testing.
#include "uitoolkit/bars/KTTabWnd.h"

#include "uitoolkit/looks/KTMenuGlyphs.h"
#include "uitoolkit/looks/KTUIGlobals.h"

#include <algorithm>

namespace
{
const int kScrollStep = 20;
const int kSplitterWidth = 5;
} // namespace

void CKTTabWnd::RecalcLayout()
{
    if (GetSafeHwnd() == nullptr)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);

    const int nVisible = GetVisibleTabsNum();
    const BOOL bHideRow = (m_bHideSingleTab && nVisible < 2) || (m_bHideNoTabs && nVisible == 0);
    const int nTabsHeight = bHideRow ? 0 : m_nTabsHeight;

    m_rectTabsArea = rectClient;
    m_rectTabsArea.DeflateRect(m_nTabBorderSize, 0);
    if (m_location == LOCATION_BOTTOM)
        m_rectTabsArea.top = m_rectTabsArea.bottom - nTabsHeight;
    else
        m_rectTabsArea.bottom = m_rectTabsArea.top + nTabsHeight;

    if (nTabsHeight == 0)
        m_rectWndArea = rectClient;
    else
    {
        m_rectWndArea = rectClient;
        m_rectWndArea.DeflateRect(m_nTabBorderSize, m_nTabBorderSize);
        if (m_location == LOCATION_BOTTOM)
            m_rectWndArea.bottom = m_rectTabsArea.top;
        else
            m_rectWndArea.top = m_rectTabsArea.bottom;
    }

    // The buttons: square, at the right end of a 3-D row and the left end of a flat one.
    const int nButtonSize = std::min<int>(CKTMenuGlyphs::GetImageSize().cx + 6, nTabsHeight);
    int nButtons = 0;
    for (CKTButton* pButton : m_pButtons)
        nButtons += pButton != nullptr ? 1 : 0;
    const BOOL bShowButtons = nButtons > 0 && nTabsHeight > 0;
    CRect rectButtons = m_rectTabsArea;
    if (bShowButtons)
    {
        if (m_bFlat)
        {
            rectButtons.right = rectButtons.left + nButtons * nButtonSize;
            m_rectTabsArea.left = rectButtons.right;
        }
        else
        {
            rectButtons.left = rectButtons.right - nButtons * nButtonSize;
            m_rectTabsArea.right = rectButtons.left;
        }
    }
    int x = rectButtons.left;
    const Button order[] = {BUTTON_FIRST, BUTTON_LEFT, BUTTON_RIGHT, BUTTON_LAST, BUTTON_CLOSE};
    for (Button which : order)
    {
        CKTButton* pButton = m_pButtons[which];
        if (pButton == nullptr)
            continue;
        if (bShowButtons)
        {
            pButton->SetWindowPos(nullptr, x, rectButtons.top + (rectButtons.Height() - nButtonSize) / 2, nButtonSize,
                                  nButtonSize, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
            x += nButtonSize;
        }
        else
            pButton->ShowWindow(SW_HIDE);
    }

    m_rectTabSplitter.SetRectEmpty();
    if (m_bSharedScroll && m_wndScrollWnd.GetSafeHwnd() != nullptr)
    {
        const int nArrow = ::GetSystemMetrics(SM_CXHSCROLL);
        const int nMax = m_rectTabsArea.Width() - 5;
        if (m_nHorzScrollWidth == 0 || m_nHorzScrollWidth > nMax)
        {
            const int W = rectClient.Width() - 2 * (m_nTabBorderSize + 2 * ::GetSystemMetrics(SM_CXVSCROLL));
            m_nHorzScrollWidth = W / 2 > 2 * nArrow ? W / 2 : (W > 2 * nArrow ? W : 0);
        }
        if (nTabsHeight > 0 && m_nHorzScrollWidth > 0)
        {
            CRect rectScroll = m_rectTabsArea;
            rectScroll.left = rectScroll.right - m_nHorzScrollWidth;
            m_rectTabSplitter = rectScroll;
            m_rectTabSplitter.right = rectScroll.left;
            m_rectTabSplitter.left = rectScroll.left - kSplitterWidth;
            m_rectTabsArea.right = m_rectTabSplitter.left;
            m_wndScrollWnd.SetWindowPos(nullptr, rectScroll.left, rectScroll.top, rectScroll.Width(),
                                        rectScroll.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        }
        else
            m_wndScrollWnd.ShowWindow(SW_HIDE);
    }

    if (m_bAutoSizeWnd)
        for (CKTTabInfo* pTab : m_arTabs)
            if (pTab->m_pWnd->GetSafeHwnd() != nullptr)
                pTab->m_pWnd->SetWindowPos(nullptr, m_rectWndArea.left, m_rectWndArea.top, m_rectWndArea.Width(),
                                           m_rectWndArea.Height(), SWP_NOZORDER | SWP_NOACTIVATE);

    RecalcTabs();
    UpdateScrollButtonsState();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

int CKTTabWnd::TabWidth(CDC* pDC, const CKTTabInfo& tab) const
{
    if (!tab.m_bVisible)
        return 0;
    int nWidth = pDC->GetTextExtent(tab.m_strText).cx + TAB_IMAGE_MARGIN + 8;
    if (tab.m_uiIcon != (UINT)-1 && m_hImageList != nullptr)
        nWidth += m_sizeImage.cx;
    if (m_bIsOneNoteStyle)
        nWidth += m_nTabsHeight + 2 * TAB_IMAGE_MARGIN;
    if (m_bFlat)
        nWidth += m_nTabsHeight / 2;
    return nWidth;
}

void CKTTabWnd::RecalcTabs()
{
    for (CKTTabInfo* pTab : m_arTabs)
        pTab->m_rect.SetRectEmpty();
    m_nTabsTotalWidth = 0;
    const int nVisible = GetVisibleTabsNum();
    if (nVisible == 0 || m_rectTabsArea.Height() <= 0 || m_nTabsHeight == 0)
    {
        for (int i = 0; i < GetTabsNum(); i++)
            UpdateToolTipRect(i);
        return;
    }

    CClientDC dc(this);
    CFont* pOldFont = dc.SelectObject(GetTabFont());
    const int nSlant = m_bIsOneNoteStyle ? m_nTabsHeight : 0;
    int nOffset = m_nTabsHorzOffset;
    if (m_bIsOneNoteStyle)
    {
        nOffset = 0;
        for (int i = 0; i < std::min<int>(m_nFirstVisibleTab, GetTabsNum()); i++)
            if (m_arTabs[i]->m_bVisible)
                nOffset += TabWidth(&dc, *m_arTabs[i]) - nSlant;
    }
    int x = m_rectTabsArea.left - nOffset;
    const int top = m_rectTabsArea.top + (m_location == LOCATION_TOP ? 2 : 0);
    for (CKTTabInfo* pTab : m_arTabs)
    {
        const int nWidth = TabWidth(&dc, *pTab);
        if (nWidth == 0)
            continue;
        pTab->m_rect = CRect(x, top, x + nWidth, m_rectTabsArea.bottom);
        x += nWidth - nSlant;
        m_nTabsTotalWidth += nWidth - nSlant;
    }
    m_nTabsTotalWidth += nSlant;
    dc.SelectObject(pOldFont);

    m_nTabsHorzOffsetMax = std::max<int>(0, m_nTabsTotalWidth - m_rectTabsArea.Width());
    if (!m_bFlat && !m_bScroll && m_nTabsTotalWidth > m_rectTabsArea.Width())
        EqualizeTabs(nVisible);
    for (int i = 0; i < GetTabsNum(); i++)
        UpdateToolTipRect(i);
}

void CKTTabWnd::EqualizeTabs(int nVisible)
{
    const int nAreaWidth = m_rectTabsArea.Width();
    int nShare = nAreaWidth / nVisible;
    const int nIconWidth = m_hImageList != nullptr ? m_sizeImage.cx : 0;
    std::vector<int> widths(m_arTabs.size(), 0);
    if (nShare < TAB_IMAGE_MARGIN + nIconWidth)
    {
        const int nEach = (nAreaWidth + 2 * m_nTabBorderSize) / nVisible;
        for (size_t i = 0; i < m_arTabs.size(); i++)
            widths[i] = m_arTabs[i]->m_bVisible ? nEach : 0;
    }
    else
    {
        // Narrow tabs keep their width; what they leave over is shared by the wide ones.
        int nWide = 0, nSpare = 0;
        for (const CKTTabInfo* pTab : m_arTabs)
        {
            if (!pTab->m_bVisible)
                continue;
            if (pTab->m_rect.Width() < nShare)
                nSpare += nShare - pTab->m_rect.Width();
            else
                nWide++;
        }
        const int nWideWidth = nWide > 0 ? nShare + nSpare / nWide : nShare;
        for (size_t i = 0; i < m_arTabs.size(); i++)
        {
            const CKTTabInfo* pTab = m_arTabs[i];
            if (!pTab->m_bVisible)
                continue;
            widths[i] = pTab->m_strText.IsEmpty()       ? nIconWidth + 8
                        : pTab->m_rect.Width() < nShare ? pTab->m_rect.Width()
                                                        : nWideWidth;
        }
    }
    int x = m_rectTabsArea.left;
    for (size_t i = 0; i < m_arTabs.size(); i++)
    {
        CKTTabInfo* pTab = m_arTabs[i];
        if (!pTab->m_bVisible)
            continue;
        pTab->m_rect.left = x;
        pTab->m_rect.right = std::min<int>(x + widths[i], m_rectTabsArea.right);
        x += widths[i];
    }
    m_nTabsHorzOffset = 0;
    m_nTabsHorzOffsetMax = 0;
}

void CKTTabWnd::UpdateToolTipRect(int iTab)
{
    if (m_ToolTip.GetSafeHwnd() == nullptr || iTab < 0 || iTab >= GetTabsNum())
        return;
    m_ToolTip.SetToolRect(this, (UINT_PTR)m_arTabs[iTab]->m_iTabID, &m_arTabs[iTab]->m_rect);
}

void CKTTabWnd::UpdateScrollButtonsState()
{
    if (!m_bScroll)
        return;
    BOOL bCanLeft, bCanRight;
    if (m_bIsOneNoteStyle)
    {
        bCanLeft = m_nFirstVisibleTab > 0;
        bCanRight = FALSE;
        for (const CKTTabInfo* pTab : m_arTabs)
            if (pTab->m_bVisible && pTab->m_rect.right > m_rectTabsArea.right)
                bCanRight = TRUE;
    }
    else
    {
        bCanLeft = m_nTabsHorzOffset > 0;
        bCanRight = m_nTabsHorzOffset < m_nTabsHorzOffsetMax;
    }
    const BOOL states[BUTTON_COUNT] = {bCanLeft, bCanRight, bCanLeft, bCanRight, TRUE};
    for (int i = 0; i < BUTTON_COUNT; i++)
    {
        CKTButton* pButton = m_pButtons[i];
        if (pButton == nullptr)
            continue;
        if (i != BUTTON_CLOSE)
        {
            if (pButton->IsWindowEnabled() != states[i])
            {
                if (!states[i] && CWnd::GetCapture() == pButton)
                    ::ReleaseCapture();
                pButton->EnableWindow(states[i]);
            }
            if (m_bHideButtons && m_rectTabsArea.Height() > 0)
                pButton->ShowWindow(m_nTabsHorzOffsetMax > 0 || bCanLeft || bCanRight ? SW_SHOWNOACTIVATE : SW_HIDE);
        }
        else
            pButton->EnableWindow(m_iActiveTab >= 0);
    }
}

void CKTTabWnd::SetScrollOffset(int nOffset)
{
    if (!m_bIsOneNoteStyle)
        nOffset = std::max<int>(0, std::min<int>(nOffset, m_nTabsHorzOffsetMax));
    if (nOffset != m_nTabsHorzOffset)
    {
        m_nTabsHorzOffset = nOffset;
        RecalcTabs();
        InvalidateRect(&m_rectTabsArea);
        UpdateWindow();
    }
    UpdateScrollButtonsState();
}

void CKTTabWnd::ScrollBy(Button which)
{
    if (m_bIsOneNoteStyle)
    {
        int nFirst = m_nFirstVisibleTab;
        if ((which == BUTTON_LEFT || which == BUTTON_FIRST) && nFirst > 0)
            nFirst = which == BUTTON_FIRST ? 0 : nFirst - 1;
        else if ((which == BUTTON_RIGHT || which == BUTTON_LAST) && m_pButtons[BUTTON_RIGHT] != nullptr &&
                 m_pButtons[BUTTON_RIGHT]->IsWindowEnabled() && nFirst < GetTabsNum() - 1)
            nFirst++;
        if (nFirst != m_nFirstVisibleTab)
        {
            m_nFirstVisibleTab = nFirst;
            RecalcTabs();
            InvalidateRect(&m_rectTabsArea);
            UpdateWindow();
        }
        UpdateScrollButtonsState();
        return;
    }
    switch (which)
    {
    case BUTTON_LEFT:
        SetScrollOffset(m_nTabsHorzOffset - kScrollStep);
        break;
    case BUTTON_RIGHT:
        SetScrollOffset(m_nTabsHorzOffset + kScrollStep);
        break;
    case BUTTON_FIRST:
        SetScrollOffset(0);
        break;
    case BUTTON_LAST:
        SetScrollOffset(m_nTabsHorzOffsetMax);
        break;
    default:
        break;
    }
}

BOOL CKTTabWnd::EnsureVisible(int iTab)
{
    if (iTab < 0 || iTab >= GetTabsNum() || !m_arTabs[iTab]->m_bVisible)
        return FALSE;
    if (m_bIsOneNoteStyle)
    {
        if (iTab < m_nFirstVisibleTab)
            m_nFirstVisibleTab = iTab;
        else
            while (m_nFirstVisibleTab < iTab && m_arTabs[iTab]->m_rect.right > m_rectTabsArea.right)
            {
                m_nFirstVisibleTab++;
                RecalcTabs();
            }
        RecalcTabs();
        InvalidateRect(&m_rectTabsArea);
        UpdateScrollButtonsState();
        return TRUE;
    }
    const CRect& rect = m_arTabs[iTab]->m_rect;
    if (rect.left < m_rectTabsArea.left)
        SetScrollOffset(m_nTabsHorzOffset - (m_rectTabsArea.left - rect.left));
    else if (rect.right > m_rectTabsArea.right)
        SetScrollOffset(m_nTabsHorzOffset +
                        std::min<int>(rect.right - m_rectTabsArea.right, rect.left - m_rectTabsArea.left));
    return TRUE;
}

int CKTTabWnd::GetTabFromPoint(CPoint pt) const
{
    if (!m_rectTabsArea.PtInRect(pt))
        return -1;
    if (m_bIsOneNoteStyle && m_iActiveTab >= 0 && m_arTabs[m_iActiveTab]->m_bVisible &&
        m_arTabs[m_iActiveTab]->m_rect.PtInRect(pt))
    {
        // The slanted left edge of the active tab covers its neighbour before it.
        const CRect& rect = m_arTabs[m_iActiveTab]->m_rect;
        const int dx = pt.x - rect.left;
        const int dy = rect.bottom - pt.y;
        if ((long long)dx * dx + (long long)dy * dy < (long long)rect.Width() * rect.Height() / 2 && dx < m_nTabsHeight)
        {
            for (int i = m_iActiveTab - 1; i >= 0; i--)
                if (m_arTabs[i]->m_bVisible)
                    return i;
        }
        return m_iActiveTab;
    }
    for (int i = 0; i < GetTabsNum(); i++)
        if (m_arTabs[i]->m_bVisible && m_arTabs[i]->m_rect.PtInRect(pt))
            return i;
    return -1;
}

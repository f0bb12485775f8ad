#include "framework/AfxDockBar.h"

#include "framework/AfxDockContext.h"
#include "framework/AfxGdi.h"
#include "framework/AfxMiniDockFrameWnd.h"
#include "framework/AfxMsgMap.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_NCDESTROY()
ON_MESSAGE(WM_SIZEPARENT, &CDockBar::OnSizeParent)
END_MESSAGE_MAP()

CDockBar::CDockBar(BOOL bFloating) : m_bFloating(bFloating)
{
    m_arrBars.Add(nullptr);
    m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    // Created in the frame that docks (which lists it); a floating frame takes it as child after.
    // The control-bar bits of dwStyle go to m_dwStyle as the window is created.
    return CWnd::Create(AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), ::GetSysColorBrush(COLOR_BTNFACE)),
                        nullptr, dwStyle | WS_CHILD, CRect(0, 0, 0, 0), pParentWnd, nID);
}

CControlBar* CDockBar::GetDockedControlBar(int nPos) const
{
    if (nPos < 0 || nPos >= m_arrBars.GetSize())
        return nullptr;
    void* pEntry = m_arrBars[nPos];
    if (pEntry == nullptr || IsPlaceholder(pEntry))
        return nullptr;
    return static_cast<CControlBar*>(pEntry);
}

int CDockBar::GetDockedCount() const
{
    int nCount = 0;
    for (int i = 0; i < m_arrBars.GetSize(); ++i)
        nCount += GetDockedControlBar(i) != nullptr;
    return nCount;
}

int CDockBar::GetDockedVisibleCount() const
{
    int nCount = 0;
    for (int i = 0; i < m_arrBars.GetSize(); ++i)
    {
        CControlBar* pBar = GetDockedControlBar(i);
        nCount += pBar != nullptr && pBar->IsVisible();
    }
    return nCount;
}

int CDockBar::FindBar(CControlBar* pBar, int nPosExclude) const
{
    UINT_PTR nID = pBar->m_hWnd != nullptr ? static_cast<UINT_PTR>(pBar->GetDlgCtrlID()) : 0;
    for (int i = 0; i < m_arrBars.GetSize(); ++i)
    {
        if (i == nPosExclude)
            continue;
        void* pEntry = m_arrBars[i];
        if (pEntry == pBar || (nID != 0 && IsPlaceholder(pEntry) && reinterpret_cast<UINT_PTR>(pEntry) == nID))
            return i;
    }
    return -1;
}

int CDockBar::Insert(CControlBar* pBar, CRect rect, CPoint ptMid)
{
    BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    if (m_arrBars.GetSize() == 0 || m_arrBars[m_arrBars.GetSize() - 1] != nullptr)
        m_arrBars.Add(nullptr);
    int nMidAcross = bHorz ? ptMid.y : ptMid.x;
    int nRectAlong = bHorz ? rect.left : rect.top;

    int nRowStart = 1;
    while (nRowStart < m_arrBars.GetSize())
    {
        int nRowEnd = nRowStart;
        while (nRowEnd < m_arrBars.GetSize() && m_arrBars[nRowEnd] != nullptr)
            ++nRowEnd;
        // The row's extent across the dock bar, from its visible bars.
        int nTop = INT_MAX;
        int nBottom = INT_MIN;
        for (int i = nRowStart; i < nRowEnd; ++i)
        {
            CControlBar* pOther = GetDockedControlBar(i);
            if (pOther == nullptr || pOther == pBar || !pOther->IsVisible())
                continue;
            CRect rectOther;
            pOther->GetWindowRect(&rectOther);
            ScreenToClient(&rectOther);
            nTop = std::min<int>(nTop, bHorz ? rectOther.top : rectOther.left);
            nBottom = std::max<int>(nBottom, bHorz ? rectOther.bottom : rectOther.right);
        }
        if (nTop <= nBottom)
        {
            if (nMidAcross < nTop)
            {
                // Above the row: a row of its own before it.
                m_arrBars.InsertAt(nRowStart, pBar);
                m_arrBars.InsertAt(nRowStart + 1, static_cast<void*>(nullptr));
                return nRowStart;
            }
            if (nMidAcross < nBottom)
            {
                int nPos = nRowStart;
                for (int i = nRowStart; i < nRowEnd; ++i)
                {
                    CControlBar* pOther = GetDockedControlBar(i);
                    if (pOther == nullptr || pOther == pBar || !pOther->IsVisible())
                        continue;
                    CRect rectOther;
                    pOther->GetWindowRect(&rectOther);
                    ScreenToClient(&rectOther);
                    if ((bHorz ? rectOther.left : rectOther.top) <= nRectAlong)
                        nPos = i + 1;
                }
                m_arrBars.InsertAt(nPos, pBar);
                return nPos;
            }
        }
        nRowStart = nRowEnd + 1;
    }
    // Below every row: a new last row.
    m_arrBars.Add(pBar);
    m_arrBars.Add(nullptr);
    return static_cast<int>(m_arrBars.GetSize()) - 2;
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    CDockBar* pOldDockBar = pBar->m_pDockBar;
    int nPos;
    if (lpRect != nullptr)
    {
        CRect rect(*lpRect);
        ScreenToClient(&rect);
        // Out of the rows first, so that its own old place does not count in finding the new one.
        if (pOldDockBar == this)
            RemoveControlBar(pBar, -1, 0);
        nPos = Insert(pBar, rect, rect.CenterPoint());
    }
    else
    {
        nPos = FindBar(pBar);
        if (nPos > 0)
            m_arrBars[nPos] = pBar; // back into its placeholder
        else
        {
            if (m_arrBars[m_arrBars.GetSize() - 1] != nullptr)
                m_arrBars.Add(nullptr);
            nPos = static_cast<int>(m_arrBars.Add(pBar));
            m_arrBars.Add(nullptr);
        }
    }
    // Other placeholders of the bar here are stale now.
    for (int nOther = FindBar(pBar, nPos); nOther > 0; nOther = FindBar(pBar, nPos))
    {
        m_arrBars.RemoveAt(nOther);
        if (nOther < nPos)
            --nPos;
        if (m_arrBars[nOther - 1] == nullptr && nOther < m_arrBars.GetSize() && m_arrBars[nOther] == nullptr)
        {
            m_arrBars.RemoveAt(nOther);
            if (nOther < nPos)
                --nPos;
        }
    }

    DWORD dwStyle = (pBar->m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_FLOATING)) | (m_dwStyle & CBRS_ALIGN_ANY);
    if (m_bFloating)
        dwStyle |= CBRS_FLOATING;
    pBar->SetBarStyle(dwStyle);

    if (pBar->GetParent() != this)
        pBar->SetParent(this);
    // At the place asked for; else at the start, and the row layout puts it after its neighbours.
    CRect rect(0, 0, 0, 0);
    if (lpRect != nullptr)
    {
        rect = *lpRect;
        ScreenToClient(&rect);
    }
    if (lpRect != nullptr || pOldDockBar != this)
        pBar->SetWindowPos(nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pBar->m_pDockBar = this;

    if (pOldDockBar != nullptr && pOldDockBar != this)
    {
        // Leaving a side for a floating frame keeps its place there, for the way back.
        pOldDockBar->RemoveControlBar(pBar, -1, m_bFloating && !pOldDockBar->m_bFloating ? 1 : 0);
    }
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int nAddPlaceHolder)
{
    int nPos = -1;
    for (int i = 0; i < m_arrBars.GetSize(); ++i)
    {
        if (i != nPosExclude && m_arrBars[i] == pBar)
        {
            nPos = i;
            break;
        }
    }
    if (nPos <= 0)
        return FALSE;
    if (nAddPlaceHolder == 1 && pBar->m_hWnd != nullptr && pBar->GetDlgCtrlID() != 0)
    {
        // Placeholder first, then any older placeholder of the same bar goes.
        m_arrBars[nPos] = reinterpret_cast<void*>(static_cast<UINT_PTR>(pBar->GetDlgCtrlID() & 0xFFFF));
        int nOld = FindBar(pBar, nPos);
        if (nOld > 0)
        {
            m_arrBars.RemoveAt(nOld);
            if (m_arrBars[nOld - 1] == nullptr && nOld < m_arrBars.GetSize() && m_arrBars[nOld] == nullptr)
                m_arrBars.RemoveAt(nOld);
        }
    }
    else
    {
        m_arrBars.RemoveAt(nPos);
        if (m_arrBars[nPos - 1] == nullptr && nPos < m_arrBars.GetSize() && m_arrBars[nPos] == nullptr)
            m_arrBars.RemoveAt(nPos);
        if (nAddPlaceHolder == -1)
            RemovePlaceHolder(pBar);
    }
    if (pBar->m_pDockBar == this)
        pBar->m_pDockBar = nullptr;

    // A floating frame left without bars goes (unless it is going already); one whose bars are
    // all hidden hides.
    if (m_bFloating)
    {
        auto* pFrame = dynamic_cast<CMiniDockFrameWnd*>(GetParent());
        if (pFrame != nullptr && !pFrame->m_bDying)
        {
            if (GetDockedCount() == 0)
                pFrame->DestroyWindow(); // deletes this dock bar with its frame: nothing after this
            else if (GetDockedVisibleCount() == 0)
                pFrame->ShowWindow(SW_HIDE);
        }
    }
    return TRUE;
}

void CDockBar::RemovePlaceHolder(CControlBar* pBar)
{
    for (int nPos = FindBar(pBar); nPos > 0; nPos = FindBar(pBar))
    {
        if (m_arrBars[nPos] == pBar)
            return; // the bar itself is here, no placeholder
        m_arrBars.RemoveAt(nPos);
        if (m_arrBars[nPos - 1] == nullptr && nPos < m_arrBars.GetSize() && m_arrBars[nPos] == nullptr)
            m_arrBars.RemoveAt(nPos);
    }
}

void CDockBar::ShowAll(BOOL bShow)
{
    for (int i = 0; i < m_arrBars.GetSize(); ++i)
    {
        CControlBar* pBar = GetDockedControlBar(i);
        if (pBar != nullptr && pBar->m_pDockSite != nullptr)
            pBar->m_pDockSite->ShowControlBar(pBar, bShow, FALSE);
    }
}

int CDockBar::BarOverlap(const CControlBar*) const
{
    return 2 * AFX_CX_BORDER;
}

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize sizeFixed = CControlBar::CalcFixedLayout(bStretch, bHorz);
    CSize sizeMax = m_rectLayout.Size();
    if (m_rectLayout.IsRectEmpty())
    {
        CFrameWnd* pFrame = GetParentFrame();
        CRect rectFrame(0, 0, 0, 0);
        if (pFrame != nullptr)
            pFrame->GetClientRect(&rectFrame);
        sizeMax = rectFrame.Size();
    }
    const int nLength = bHorz ? sizeMax.cx : sizeMax.cy;

    AFX_SIZEPARENTPARAMS layout{};
    layout.hDWP = m_bLayoutQuery ? nullptr : ::BeginDeferWindowPos(static_cast<int>(m_arrBars.GetSize()));
    int nAlong = 0;     // where the next bar of the row may start
    int nAcross = 0;    // where the current row starts
    int nThickness = 0; // of the current row
    BOOL bRowStart = TRUE;
    int nContentAlong = 0;
    int nContentAcross = 0;

    auto endRow = [&]() {
        if (nThickness != 0)
        {
            nAcross += nThickness;
            nContentAcross = nAcross;
        }
        nAlong = 0;
        nThickness = 0;
        bRowStart = TRUE;
    };

    for (int nPos = 1; nPos < m_arrBars.GetSize(); ++nPos)
    {
        CControlBar* pBar = GetDockedControlBar(nPos);
        if (pBar != nullptr && pBar->IsVisible())
        {
            DWORD dwMode = 0;
            if ((pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) != 0 && (pBar->m_dwStyle & CBRS_FLOATING) != 0)
                dwMode = LM_HORZ | LM_MRUWIDTH;
            else if ((pBar->m_dwStyle & CBRS_ORIENT_HORZ) != 0)
                dwMode = LM_HORZ | LM_HORZDOCK;
            else
                dwMode = LM_VERTDOCK;
            CSize sizeBar = pBar->CalcDynamicLayout(-1, dwMode);
            const int nBarAlong = bHorz ? sizeBar.cx : sizeBar.cy;
            const int nBarAcross = bHorz ? sizeBar.cy : sizeBar.cx;

            CRect rectBar;
            pBar->GetWindowRect(&rectBar);
            ScreenToClient(&rectBar);
            int nStart = nAlong;
            // A bar the user put further along the row stays there; one past the end comes back.
            const int nWasAt = bHorz ? rectBar.left : rectBar.top;
            if (!m_bFloating && nWasAt > nStart)
                nStart = nWasAt;
            if (!m_bFloating && nStart + nBarAlong > nLength)
                nStart = std::max(nLength - nBarAlong, nAlong);
            // A bar that would start past the end of a row it does not open wraps to a new row
            // (a query only pretends: the rows stay as they are).
            if (!m_bFloating && !bRowStart && nStart >= nLength - BarOverlap(pBar))
            {
                endRow();
                if (!m_bLayoutQuery)
                {
                    m_arrBars.InsertAt(nPos, static_cast<void*>(nullptr));
                    ++nPos;
                }
                nStart = 0;
            }
            CRect rect = bHorz ? CRect(CPoint(nStart, nAcross), sizeBar) : CRect(CPoint(nAcross, nStart), sizeBar);
            if (rect != rectBar)
            {
                if (!m_bLayoutQuery && pBar->m_pDockContext != nullptr && !m_bFloating)
                    pBar->m_pDockContext->m_rectMRUDockPos = rect;
                AfxRepositionWindow(&layout, pBar->m_hWnd, &rect);
            }
            nAlong = nStart + nBarAlong - BarOverlap(pBar);
            nThickness = std::max(nThickness, nBarAcross);
            nContentAlong = std::max(nContentAlong, nStart + nBarAlong);
            bRowStart = FALSE;
        }
        if (pBar != nullptr)
            pBar->RecalcDelayShow(&layout); // a delayed hide too, for a bar no longer placed
        if (m_arrBars[nPos] == nullptr)
            endRow();
    }
    if (layout.hDWP != nullptr)
        ::EndDeferWindowPos(layout.hDWP);

    if (nContentAcross > 0)
    {
        CRect rectInside(0, 0, 0, 0);
        CalcInsideRect(rectInside, bHorz);
        if (bHorz)
        {
            sizeFixed.cx = std::max<int>(sizeFixed.cx, nContentAlong - rectInside.Width());
            sizeFixed.cy = std::max<int>(sizeFixed.cy, nContentAcross - rectInside.Height());
        }
        else
        {
            sizeFixed.cx = std::max<int>(sizeFixed.cx, nContentAcross - rectInside.Width());
            sizeFixed.cy = std::max<int>(sizeFixed.cy, nContentAlong - rectInside.Height());
        }
    }
    return sizeFixed;
}

void CDockBar::DoPaint(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    DrawBorders(pDC, rect);
}

LRESULT CDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    auto* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    m_bLayoutQuery = lpLayout->hDWP == nullptr;
    m_rectLayout = lpLayout->rect;
    LRESULT lResult = CControlBar::OnSizeParent(wParam, lParam);
    m_bLayoutQuery = FALSE;
    m_rectLayout.SetRectEmpty();
    return lResult;
}

void CDockBar::OnNcDestroy()
{
    // Bars still docked here lose their dock bar with it.
    for (int i = 0; i < m_arrBars.GetSize(); ++i)
    {
        CControlBar* pBar = GetDockedControlBar(i);
        if (pBar != nullptr && pBar->m_pDockBar == this)
            pBar->m_pDockBar = nullptr;
    }
    CControlBar::OnNcDestroy();
}

#include "uitoolkit/bars/KTStatusBar.h"

#include "uitoolkit/looks/KTMemDC.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManager.h"

#include <cstdlib>
#include <cwchar>

IMPLEMENT_DYNAMIC(CKTStatusBar, CControlBar)

namespace
{
// Room a pane keeps around its contents, and between an icon and a text.
const int kPaneMargin = 4;
const int kIconTextGap = 4;

int PaneWidth(const CKTStatusBarPaneInfo& pane)
{
    int cx = pane.cxText + pane.cxIcon + kPaneMargin;
    if (pane.cxText > 0 && pane.cxIcon > 0)
        cx += kIconTextGap;
    return cx;
}

// The part of a pane inside its border.
CRect PaneInterior(const CKTStatusBarPaneInfo& pane)
{
    CRect rect(pane.rect);
    if ((pane.nStyle & SBPS_NOBORDERS) == 0)
        rect.DeflateRect(2, 1);
    return rect;
}
} // namespace

// Command updates of the panes: enabling, checking (a popped-out pane) and text.
class CKTStatusCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        CKTStatusBar* pBar = static_cast<CKTStatusBar*>(m_pOther);
        const UINT nOld = pBar->GetPaneStyle(static_cast<int>(m_nIndex));
        pBar->SetPaneStyle(static_cast<int>(m_nIndex), bOn ? (nOld & ~SBPS_DISABLED) : (nOld | SBPS_DISABLED));
    }
    void SetCheck(int nCheck) override
    {
        CKTStatusBar* pBar = static_cast<CKTStatusBar*>(m_pOther);
        const UINT nOld = pBar->GetPaneStyle(static_cast<int>(m_nIndex));
        pBar->SetPaneStyle(static_cast<int>(m_nIndex), nCheck != 0 ? (nOld | SBPS_POPOUT) : (nOld & ~SBPS_POPOUT));
    }
    void SetText(LPCTSTR lpszText) override
    {
        static_cast<CKTStatusBar*>(m_pOther)->SetPaneText(static_cast<int>(m_nIndex), lpszText, TRUE);
    }
};

BEGIN_MESSAGE_MAP(CKTStatusBar, CControlBar)
ON_WM_DESTROY()
ON_WM_SIZE()
ON_WM_ERASEBKGND()
ON_WM_NCHITTEST()
ON_WM_SYSCOMMAND()
ON_WM_LBUTTONDBLCLK()
ON_WM_TIMER()
ON_WM_SETTINGCHANGE()
ON_MESSAGE(WM_SETFONT, &CKTStatusBar::OnSetFont)
ON_MESSAGE(WM_GETFONT, &CKTStatusBar::OnGetFont)
ON_MESSAGE(WM_SETTEXT, &CKTStatusBar::OnSetText)
ON_MESSAGE(WM_GETTEXT, &CKTStatusBar::OnGetText)
ON_MESSAGE(WM_GETTEXTLENGTH, &CKTStatusBar::OnGetTextLength)
ON_MESSAGE(WM_SIZEPARENT, &CKTStatusBar::OnSizeParent)
END_MESSAGE_MAP()

CKTStatusBar::CKTStatusBar()
{
    m_cxLeftBorder = 4;
    m_cyTopBorder = 2;
    m_cxRightBorder = 0;
    m_cyBottomBorder = 0;
}

CKTStatusBar::~CKTStatusBar()
{
    // The window goes first (its WM_DESTROY stops the timers), then whatever panes are left.
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this)
        CWnd::DestroyWindow();
    ReleasePanes();
}

BOOL CKTStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, nID);
}

BOOL CKTStatusBar::CreateEx(CWnd* pParentWnd, DWORD, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    LPCTSTR lpszClass =
        AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    if (!CWnd::Create(lpszClass, nullptr, dwStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    RecalcLayout();
    return TRUE;
}

BOOL CKTStatusBar::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CControlBar::PreCreateWindow(cs))
        return FALSE;
    // A bar at the bottom whose only border is the top one needs none: the frame's edge is there.
    if ((m_dwStyle & CBRS_ALIGN_ANY) == CBRS_ALIGN_BOTTOM && (m_dwStyle & CBRS_BORDER_ANY) == CBRS_BORDER_TOP)
        m_dwStyle &= ~(CBRS_BORDER_ANY | CBRS_BORDER_3D);
    return TRUE;
}

CKTStatusBarPaneInfo* CKTStatusBar::GetPanePtr(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_nCount || m_pData == nullptr)
        return nullptr;
    return static_cast<CKTStatusBarPaneInfo*>(m_pData) + nIndex;
}

BOOL CKTStatusBar::CopyText(LPWSTR& lpszTarget, LPCTSTR lpszNew)
{
    LPWSTR lpszCopy = nullptr;
    if (lpszNew != nullptr && lpszNew[0] != L'\0')
    {
        lpszCopy = _wcsdup(lpszNew);
        if (lpszCopy == nullptr)
            return FALSE;
    }
    free(lpszTarget);
    lpszTarget = lpszCopy;
    return TRUE;
}

void CKTStatusBar::StopAnimation(CKTStatusBarPaneInfo* pSBP)
{
    if (pSBP->nFrameCount > 0 && m_hWnd != nullptr)
        KillTimer(pSBP->nID);
    pSBP->nFrameCount = 0;
    pSBP->nCurrFrame = 0;
}

void CKTStatusBar::ReleasePanes()
{
    for (int i = 0; i < m_nCount; ++i)
    {
        CKTStatusBarPaneInfo* pSBP = GetPanePtr(i);
        StopAnimation(pSBP);
        free(pSBP->lpszText);
        pSBP->lpszText = nullptr;
        free(pSBP->lpszToolTip);
        pSBP->lpszToolTip = nullptr;
        if (pSBP->hImages != nullptr)
            ImageList_Destroy(pSBP->hImages);
        pSBP->hImages = nullptr;
        pSBP->cxIcon = 0;
        pSBP->cyIcon = 0;
    }
}

HFONT CKTStatusBar::GetCurrentFont() const
{
    return m_hFont != nullptr ? m_hFont : static_cast<HFONT>(ktGlobals.m_fontText.GetSafeHandle());
}

BOOL CKTStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    // The old panes go whole, as on WM_DESTROY: their tooltips, images and running timers.
    ReleasePanes();
    if ((m_nFlags & WF_TOOLTIPS) != 0)
        CancelToolTips();
    if (!AllocElements(nIDCount, sizeof(CKTStatusBarPaneInfo)))
        return FALSE;
    for (int i = 0; i < m_nCount; ++i)
    {
        CKTStatusBarPaneInfo* pSBP = GetPanePtr(i);
        pSBP->clrText = (COLORREF)-1;
        pSBP->clrProgressBar = (COLORREF)-1;
        pSBP->clrProgressBarDest = (COLORREF)-1;
        pSBP->clrProgressText = (COLORREF)-1;
    }

    BOOL bResult = TRUE;
    if (lpIDArray != nullptr)
    {
        HDC hScreenDC = ::GetDC(nullptr);
        HGDIOBJ hOldFont = hScreenDC != nullptr ? ::SelectObject(hScreenDC, GetCurrentFont()) : nullptr;
        for (int i = 0; i < nIDCount && bResult; ++i)
        {
            CKTStatusBarPaneInfo* pSBP = GetPanePtr(i);
            pSBP->nID = lpIDArray[i];
            if (pSBP->nID == 0)
            {
                pSBP->cxText = ::GetSystemMetrics(SM_CXSCREEN) / 4;
                if (i == 0)
                    pSBP->nStyle |= SBPS_STRETCH | SBPS_NOBORDERS;
                continue;
            }
            CString text;
            if (!text.LoadString(pSBP->nID) || !CopyText(pSBP->lpszText, text))
            {
                bResult = FALSE;
                break;
            }
            SIZE size = {0, 0};
            if (hScreenDC != nullptr)
                ::GetTextExtentPoint32W(hScreenDC, text, text.GetLength(), &size);
            pSBP->cxText = size.cx;
        }
        if (hScreenDC != nullptr)
        {
            ::SelectObject(hScreenDC, hOldFont);
            ::ReleaseDC(nullptr, hScreenDC);
        }
    }
    RecalcLayout();
    return bResult;
}

int CKTStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (int i = 0; i < m_nCount; ++i)
    {
        if (GetPanePtr(i)->nID == nIDFind)
            return i;
    }
    return -1;
}

UINT CKTStatusBar::GetItemID(int nIndex) const
{
    const CKTStatusBarPaneInfo* pSBP = GetPanePtr(nIndex);
    return pSBP != nullptr ? pSBP->nID : 0;
}

void CKTStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    const CKTStatusBarPaneInfo* pSBP = GetPanePtr(nIndex);
    if (pSBP != nullptr)
        *lpRect = pSBP->rect;
    else
        ::SetRectEmpty(lpRect);
}

UINT CKTStatusBar::GetPaneStyle(int nIndex) const
{
    const CKTStatusBarPaneInfo* pSBP = GetPanePtr(nIndex);
    return pSBP != nullptr ? pSBP->nStyle : 0;
}

void CKTStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    CKTStatusBarPaneInfo* pSBP = GetPanePtr(nIndex);
    if (pSBP == nullptr || pSBP->nStyle == nStyle)
        return;
    pSBP->nStyle = nStyle;
    InvalidatePane(nIndex);
}

CString CKTStatusBar::GetPaneText(int nIndex) const
{
    const CKTStatusBarPaneInfo* pSBP = GetPanePtr(nIndex);
    return CString(pSBP != nullptr && pSBP->lpszText != nullptr ? pSBP->lpszText : L"");
}

BOOL CKTStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    CKTStatusBarPaneInfo* pSBP = GetPanePtr(nIndex);
    if (pSBP == nullptr)
        return FALSE;
    const BOOL bNewEmpty = lpszNewText == nullptr || lpszNewText[0] == L'\0';
    if (pSBP->lpszText == nullptr ? bNewEmpty : (!bNewEmpty && lstrcmpW(pSBP->lpszText, lpszNewText) == 0))
        return TRUE;
    if (!CopyText(pSBP->lpszText, lpszNewText))
        return FALSE;
    if (bUpdate)
        InvalidatePane(nIndex);
    return TRUE;
}

CString CKTStatusBar::GetTipText(int nIndex) const
{
    const CKTStatusBarPaneInfo* pSBP = GetPanePtr(nIndex);
    return CString(pSBP != nullptr && pSBP->lpszToolTip != nullptr ? pSBP->lpszToolTip : L"");
}

BOOL CKTStatusBar::SetPaneTooltip(int nIndex, LPCTSTR lpszToolTip)
{
    CKTStatusBarPaneInfo* pSBP = GetPanePtr(nIndex);
    if (pSBP == nullptr || !CopyText(pSBP->lpszToolTip, lpszToolTip))
        return FALSE;
    m_dwStyle |= CBRS_TOOLTIPS;
    if (m_hWnd != nullptr)
        EnableToolTips(TRUE);
    return TRUE;
}

void CKTStatusBar::SetPaneTextColor(int nIndex, COLORREF clrText, BOOL bUpdate)
{
    CKTStatusBarPaneInfo* pSBP = GetPanePtr(nIndex);
    if (pSBP == nullptr)
        return;
    pSBP->clrText = clrText;
    if (bUpdate)
        InvalidatePane(nIndex);
}

void CKTStatusBar::SetPaneIcon(int nIndex, HICON hIcon, BOOL bUpdate)
{
    CKTStatusBarPaneInfo* pSBP = GetPanePtr(nIndex);
    if (pSBP == nullptr)
        return;
    // The icon and the animation frames share the pane's list: an icon ends the animation.
    StopAnimation(pSBP);

    if (hIcon == nullptr)
    {
        if (pSBP->hImages != nullptr)
        {
            ImageList_Destroy(pSBP->hImages);
            pSBP->hImages = nullptr;
            pSBP->cxIcon = 0;
            pSBP->cyIcon = 0;
            RecalcLayout();
        }
        if (bUpdate)
            InvalidatePane(nIndex);
        return;
    }

    ICONINFO info = {};
    if (!::GetIconInfo(hIcon, &info))
        return;
    BITMAP bmp = {};
    int cx = 0;
    int cy = 0;
    if (info.hbmColor != nullptr && ::GetObject(info.hbmColor, sizeof(bmp), &bmp) != 0)
    {
        cx = bmp.bmWidth;
        cy = bmp.bmHeight;
    }
    else if (info.hbmMask != nullptr && ::GetObject(info.hbmMask, sizeof(bmp), &bmp) != 0)
    {
        // A monochrome icon keeps its image and mask one above the other in the mask.
        cx = bmp.bmWidth;
        cy = bmp.bmHeight / 2;
    }
    if (info.hbmColor != nullptr)
        ::DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr)
        ::DeleteObject(info.hbmMask);
    if (cx <= 0 || cy <= 0)
        return;

    BOOL bNewList = FALSE;
    if (pSBP->hImages == nullptr || pSBP->cxIcon != cx || pSBP->cyIcon != cy ||
        ImageList_GetImageCount(pSBP->hImages) != 1)
    {
        HIMAGELIST hList = ImageList_Create(cx, cy, ILC_MASK | ILC_COLOR32, 1, 0);
        if (hList == nullptr)
            return;
        if (ImageList_AddIcon(hList, hIcon) < 0)
        {
            ImageList_Destroy(hList);
            return;
        }
        if (pSBP->hImages != nullptr)
            ImageList_Destroy(pSBP->hImages);
        pSBP->hImages = hList;
        bNewList = TRUE;
    }
    else
    {
        ImageList_ReplaceIcon(pSBP->hImages, 0, hIcon);
    }
    pSBP->cxIcon = cx;
    pSBP->cyIcon = cy;
    if (bNewList)
        RecalcLayout();
    if (bUpdate)
        InvalidatePane(nIndex);
}

void CKTStatusBar::SetPaneAnimation(int nIndex, HIMAGELIST hImageList, UINT nFrameRate, BOOL bUpdate)
{
    CKTStatusBarPaneInfo* pSBP = GetPanePtr(nIndex);
    if (pSBP == nullptr)
        return;
    StopAnimation(pSBP);
    if (pSBP->hImages != nullptr)
    {
        ImageList_Destroy(pSBP->hImages);
        pSBP->hImages = nullptr;
        pSBP->cxIcon = 0;
        pSBP->cyIcon = 0;
    }

    const int nFrames = hImageList != nullptr ? ImageList_GetImageCount(hImageList) : 0;
    int cx = 0;
    int cy = 0;
    if (nFrames > 0 && ImageList_GetIconSize(hImageList, &cx, &cy) && cx > 0 && cy > 0)
    {
        HIMAGELIST hOwn = ImageList_Create(cx, cy, ILC_MASK | ILC_COLOR32, nFrames, 0);
        for (int i = 0; hOwn != nullptr && i < nFrames; ++i)
        {
            HICON hFrame = ImageList_GetIcon(hImageList, i, ILD_NORMAL);
            const int nAdded = hFrame != nullptr ? ImageList_AddIcon(hOwn, hFrame) : -1;
            if (hFrame != nullptr)
                ::DestroyIcon(hFrame);
            if (nAdded < 0)
            {
                ImageList_Destroy(hOwn);
                hOwn = nullptr;
            }
        }
        if (hOwn != nullptr)
        {
            pSBP->hImages = hOwn;
            pSBP->cxIcon = cx;
            pSBP->cyIcon = cy;
            pSBP->nFrameCount = nFrames;
        }
    }

    RecalcLayout();
    if (bUpdate)
        InvalidatePane(nIndex);
    if (pSBP->nFrameCount > 0 && m_hWnd != nullptr)
        SetTimer(pSBP->nID, nFrameRate, nullptr);
}

void CKTStatusBar::EnablePaneProgressBar(int nIndex, long nTotal, BOOL bDisplayText, COLORREF clrBar,
                                         COLORREF clrBarDest, COLORREF clrProgressText)
{
    CKTStatusBarPaneInfo* pSBP = GetPanePtr(nIndex);
    if (pSBP == nullptr)
        return;
    pSBP->nProgressTotal = nTotal > 0 ? nTotal : 0;
    pSBP->nProgressCurr = 0;
    pSBP->bProgressText = bDisplayText;
    pSBP->clrProgressBar = clrBar;
    pSBP->clrProgressBarDest = clrBarDest;
    pSBP->clrProgressText = clrProgressText;
    InvalidatePane(nIndex);
}

void CKTStatusBar::SetPaneProgress(int nIndex, long nCurr, BOOL bUpdate)
{
    CKTStatusBarPaneInfo* pSBP = GetPanePtr(nIndex);
    if (pSBP == nullptr)
        return;
    // The bar never runs outside its pane.
    pSBP->nProgressCurr = nCurr < 0 ? 0 : (nCurr > pSBP->nProgressTotal ? pSBP->nProgressTotal : nCurr);
    if (bUpdate)
        InvalidatePane(nIndex);
}

void CKTStatusBar::InvalidatePane(int nIndex)
{
    const CKTStatusBarPaneInfo* pSBP = GetPanePtr(nIndex);
    if (pSBP == nullptr || m_hWnd == nullptr)
        return;
    CRect rect(pSBP->rect);
    if ((pSBP->nStyle & SBPS_NOBORDERS) == 0)
        rect.DeflateRect(1, 1);
    else
        rect.bottom--;
    if (!rect.IsRectEmpty())
        InvalidateRect(rect, FALSE);
}

int CKTStatusBar::HitTest(CPoint point) const
{
    for (int i = 0; i < m_nCount; ++i)
    {
        if (::PtInRect(&GetPanePtr(i)->rect, point))
            return i;
    }
    return -1;
}

void CKTStatusBar::RecalcLayout()
{
    if (m_hWnd == nullptr)
        return;
    CRect rect;
    GetClientRect(&rect);
    CalcInsideRect(rect, TRUE);

    m_cxSizeBox = ::GetSystemMetrics(SM_CXVSCROLL) + 1;
    if (m_cxSizeBox > rect.Height())
        m_cxSizeBox = rect.Height() > 0 ? rect.Height() : 0;
    const int xMax = m_bHideSizeGrip ? rect.right + 1 : rect.right - m_cxSizeBox;

    int cxExtra = xMax - rect.left + m_cxDefaultGap;
    for (int i = 0; i < m_nCount; ++i)
        cxExtra -= PaneWidth(*GetPanePtr(i)) + m_cxDefaultGap;

    BOOL bStretched = FALSE;
    int x = rect.left;
    for (int i = 0; i < m_nCount; ++i)
    {
        CKTStatusBarPaneInfo* pSBP = GetPanePtr(i);
        if (x >= xMax)
        {
            ::SetRectEmpty(&pSBP->rect);
            continue;
        }
        int cx = PaneWidth(*pSBP);
        if ((pSBP->nStyle & SBPS_STRETCH) != 0 && !bStretched)
        {
            bStretched = TRUE;
            if (cxExtra > 0)
                cx += cxExtra;
        }
        const int right = x + cx < xMax ? x + cx : xMax;
        ::SetRect(&pSBP->rect, x, rect.top, right, rect.bottom);
        x = right + m_cxDefaultGap;
    }

    if (m_bHideSizeGrip || m_cxSizeBox <= 0)
        m_rectSizeBox.SetRectEmpty();
    else
        m_rectSizeBox.SetRect(rect.right - m_cxSizeBox, rect.top, rect.right, rect.bottom);
}

CSize CKTStatusBar::CalcFixedLayout(BOOL, BOOL)
{
    int cyContent = 0;
    HDC hDC = ::GetDC(m_hWnd);
    if (hDC != nullptr)
    {
        HGDIOBJ hOldFont = ::SelectObject(hDC, GetCurrentFont());
        TEXTMETRICW tm = {};
        if (::GetTextMetricsW(hDC, &tm))
            cyContent = tm.tmHeight - tm.tmInternalLeading;
        ::SelectObject(hDC, hOldFont);
        ::ReleaseDC(m_hWnd, hDC);
    }
    for (int i = 0; i < m_nCount; ++i)
    {
        const int cyIcon = GetPanePtr(i)->cyIcon;
        if (cyIcon > cyContent)
            cyContent = cyIcon;
    }
    // The borders as CalcInsideRect takes them away, border lines included.
    CRect rectBorders(0, 0, 0, 0);
    CalcInsideRect(rectBorders, TRUE);
    return CSize(32767, cyContent - rectBorders.Height() + 4);
}

void CKTStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CKTStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(m_nCount);
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex)
    {
        state.m_nID = GetPanePtr(static_cast<int>(state.m_nIndex))->nID;
        state.DoUpdate(pTarget, FALSE);
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

void CKTStatusBar::OnDrawPane(CDC* pDC, CKTStatusBarPaneInfo* pSBP)
{
    CRect rectPane(pSBP->rect);
    if (rectPane.IsRectEmpty() || !pDC->RectVisible(rectPane))
        return;
    CKTVisualManager::GetInstance()->OnDrawStatusBarPaneBorder(pDC, this, rectPane, pSBP->nID, pSBP->nStyle);
    const CRect rectInner = PaneInterior(*pSBP);
    CRect rectText = rectInner;

    if (pSBP->hImages != nullptr && pSBP->cxIcon > 0)
    {
        int y = rectInner.top + (rectInner.Height() - pSBP->cyIcon) / 2;
        if (y < rectInner.top)
            y = rectInner.top;
        ImageList_DrawEx(pSBP->hImages, pSBP->nCurrFrame, pDC->GetSafeHdc(), rectInner.left, y, 0, 0, CLR_NONE,
                         CLR_NONE, ILD_NORMAL);
        rectText.left += pSBP->cxIcon + kIconTextGap;
    }

    if (pSBP->nProgressTotal > 0)
    {
        CRect rectProgress = rectInner;
        rectProgress.DeflateRect(1, 1);
        const COLORREF clrBar =
            pSBP->clrProgressBar == (COLORREF)-1 ? ::GetSysColor(COLOR_HIGHLIGHT) : pSBP->clrProgressBar;
        CKTVisualManager::GetInstance()->OnDrawStatusBarProgress(
            pDC, this, rectProgress, static_cast<int>(pSBP->nProgressTotal), static_cast<int>(pSBP->nProgressCurr),
            clrBar, pSBP->clrProgressBarDest, pSBP->clrProgressText, pSBP->bProgressText);
        return;
    }

    if (pSBP->lpszText != nullptr && pSBP->cxText > 0)
    {
        COLORREF clrText = ktGlobals.m_colorText;
        if ((pSBP->nStyle & SBPS_DISABLED) != 0)
            clrText = ktGlobals.m_colorGrayText;
        else if (pSBP->clrText != (COLORREF)-1)
            clrText = pSBP->clrText;
        const COLORREF clrOld = pDC->SetTextColor(clrText);
        const int nOldMode = pDC->SetBkMode(TRANSPARENT);
        ::DrawTextW(pDC->GetSafeHdc(), pSBP->lpszText, -1, &rectText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        pDC->SetBkMode(nOldMode);
        pDC->SetTextColor(clrOld);
    }
}

void CKTStatusBar::DoPaint(CDC* pDCPaint)
{
    CRect rectClip;
    pDCPaint->GetClipBox(rectClip);
    CRect rectClient;
    GetClientRect(&rectClient);
    if (rectClient.IsRectEmpty())
        return;

    // Without memory for the buffer the panes are drawn straight to the screen.
    CKTMemDC memDC(*pDCPaint, rectClient);
    CDC& dc = memDC.GetDC();
    HGDIOBJ hOldFont = dc.SelectObject(static_cast<HGDIOBJ>(GetCurrentFont()));

    CKTVisualManager* pLook = CKTVisualManager::GetInstance();
    pLook->OnFillBarBackground(&dc, this, rectClient, rectClip);
    for (int i = 0; i < m_nCount; ++i)
        OnDrawPane(&dc, GetPanePtr(i));
    if (!m_bHideSizeGrip && !m_rectSizeBox.IsRectEmpty())
        pLook->OnDrawStatusBarSizeBox(&dc, this, m_rectSizeBox);
    dc.SelectObject(hOldFont);
}

INT_PTR CKTStatusBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    const INT_PTR nHit = CControlBar::OnToolHitTest(point, pTI);
    if (nHit != -1)
        return nHit;
    const int nIndex = HitTest(point);
    const CKTStatusBarPaneInfo* pSBP = GetPanePtr(nIndex);
    if (pSBP == nullptr || pSBP->lpszToolTip == nullptr)
        return -1;
    if (pTI != nullptr)
    {
        LPWSTR lpszCopy = _wcsdup(pSBP->lpszToolTip);
        if (lpszCopy == nullptr)
            return -1;
        pTI->hwnd = m_hWnd;
        pTI->uId = pSBP->nID;
        pTI->rect = pSBP->rect;
        pTI->lpszText = lpszCopy;
        HWND hWndTip = AfxGetThreadWndState()->m_hWndToolTip;
        if (hWndTip != nullptr && ktGlobals.m_fontText.GetSafeHandle() != nullptr)
            ::SendMessage(hWndTip, WM_SETFONT, reinterpret_cast<WPARAM>(ktGlobals.m_fontText.GetSafeHandle()), FALSE);
    }
    return pSBP->nID;
}

void CKTStatusBar::OnDestroy()
{
    ReleasePanes();
    CControlBar::OnDestroy();
}

void CKTStatusBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    RecalcLayout();
    Invalidate();
}

BOOL CKTStatusBar::OnEraseBkgnd(CDC*)
{
    // DoPaint covers every pixel.
    return TRUE;
}

LRESULT CKTStatusBar::OnNcHitTest(CPoint point)
{
    if (!m_bHideSizeGrip && !m_rectSizeBox.IsRectEmpty())
    {
        CPoint ptClient = point;
        ScreenToClient(&ptClient);
        if (m_rectSizeBox.PtInRect(ptClient))
        {
            const BOOL bRightToLeft = (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
            return bRightToLeft ? HTBOTTOMLEFT : HTBOTTOMRIGHT;
        }
    }
    return CControlBar::OnNcHitTest(point);
}

void CKTStatusBar::OnSysCommand(UINT nID, LPARAM lParam)
{
    if (!m_bHideSizeGrip && (nID & 0xFFF0) == SC_SIZE)
    {
        CFrameWnd* pFrame = GetParentFrame();
        if (pFrame != nullptr)
        {
            pFrame->SendMessage(WM_SYSCOMMAND, nID, lParam);
            return;
        }
    }
    CControlBar::OnSysCommand(nID, lParam);
}

void CKTStatusBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_bDblClickSendsCommands)
    {
        const CKTStatusBarPaneInfo* pSBP = GetPanePtr(HitTest(point));
        CWnd* pTarget = GetOwner();
        if (pTarget == nullptr)
            pTarget = GetParent();
        if (pSBP != nullptr && pTarget != nullptr)
            pTarget->PostMessage(WM_COMMAND, pSBP->nID, 0);
    }
    CControlBar::OnLButtonDblClk(nFlags, point);
}

void CKTStatusBar::OnTimer(UINT_PTR nIDEvent)
{
    for (int i = 0; i < m_nCount; ++i)
    {
        CKTStatusBarPaneInfo* pSBP = GetPanePtr(i);
        if (pSBP->nID != nIDEvent || pSBP->nFrameCount <= 0)
            continue;
        pSBP->nCurrFrame = (pSBP->nCurrFrame + 1) % pSBP->nFrameCount;
        CRect rectIcon = PaneInterior(*pSBP);
        rectIcon.right = rectIcon.left + pSBP->cxIcon;
        InvalidateRect(rectIcon, FALSE);
        return;
    }
    CControlBar::OnTimer(nIDEvent);
}

void CKTStatusBar::OnSettingChange(UINT, LPCTSTR)
{
    RecalcLayout();
}

LRESULT CKTStatusBar::OnSetFont(WPARAM wParam, LPARAM lParam)
{
    m_hFont = reinterpret_cast<HFONT>(wParam);
    RecalcLayout();
    if (lParam != 0)
        Invalidate();
    return 0;
}

LRESULT CKTStatusBar::OnGetFont(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(GetCurrentFont());
}

LRESULT CKTStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    const int nIndex = CommandToIndex(0);
    if (nIndex < 0)
        return -1;
    return SetPaneText(nIndex, reinterpret_cast<LPCTSTR>(lParam), TRUE) ? TRUE : -1;
}

LRESULT CKTStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
    const CKTStatusBarPaneInfo* pSBP = GetPanePtr(CommandToIndex(0));
    LPWSTR lpszBuffer = reinterpret_cast<LPWSTR>(lParam);
    const size_t nMax = static_cast<size_t>(wParam);
    if (pSBP == nullptr || nMax == 0 || lpszBuffer == nullptr)
        return 0;
    size_t nLength = pSBP->lpszText != nullptr ? wcslen(pSBP->lpszText) : 0;
    if (nLength > nMax - 1)
        nLength = nMax - 1;
    if (nLength > 0)
        wmemcpy(lpszBuffer, pSBP->lpszText, nLength);
    lpszBuffer[nLength] = L'\0';
    return static_cast<LRESULT>(nLength);
}

LRESULT CKTStatusBar::OnGetTextLength(WPARAM, LPARAM)
{
    const CKTStatusBarPaneInfo* pSBP = GetPanePtr(CommandToIndex(0));
    if (pSBP == nullptr || pSBP->lpszText == nullptr)
        return 0;
    return static_cast<LRESULT>(wcslen(pSBP->lpszText));
}

LRESULT CKTStatusBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    auto* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    BOOL bHide = m_bHideSizeGrip;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr && lpLayout != nullptr)
    {
        CRect rectFrameClient;
        pFrame->GetClientRect(&rectFrameClient);
        const BOOL bReachesCorner =
            lpLayout->rect.right == rectFrameClient.right && lpLayout->rect.bottom == rectFrameClient.bottom;
        bHide = pFrame->IsZoomed() || (pFrame->GetStyle() & WS_THICKFRAME) == 0 || !bReachesCorner;
    }
    if (bHide != m_bHideSizeGrip)
    {
        m_bHideSizeGrip = bHide;
        RecalcLayout();
        Invalidate();
    }
    return CControlBar::OnSizeParent(wParam, lParam);
}

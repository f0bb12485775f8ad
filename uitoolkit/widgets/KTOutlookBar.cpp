// The shortcut bar: creation, pages, layout and painting. Scrolling, the resizing strip and the
// timers are in KTOutlookBarInput.cpp.
#include "uitoolkit/widgets/KTOutlookBar.h"

#include "framework/AfxFrame.h"
#include "uitoolkit/looks/KTMemDC.h"
#include "uitoolkit/looks/KTMenuGlyphs.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManager.h"
#include "uitoolkit/widgets/KTOutlookButton.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CKTOutlookBarPageButton, CKTButton)
IMPLEMENT_SERIAL(CKTOutlookBarPage, CObject, 1)
IMPLEMENT_DYNAMIC(CKTOutlookBar, CKTToolBar)

namespace
{
const UINT kCloseTooltipId = 16105;
const UINT kCursorSplitHorz = 30980;
const UINT kCursorSplitVert = 30981;
const int kSplitterWidth = 3;

HCURSOR LoadSplitCursor(UINT nId, LPCTSTR lpszFallback)
{
    HCURSOR hCursor = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(nId));
    return hCursor != nullptr ? hCursor : ::LoadCursor(nullptr, lpszFallback);
}
} // namespace

// Page buttons ------------------------------------------------------------------------------------

void CKTOutlookBarPageButton::OnFillBackground(CDC* pDC, const CRect& rectClient)
{
    COLORREF clrText = (COLORREF)-1;
    if (!CKTVisualManager::GetInstance()->OnFillOutlookPageButton(this, pDC, rectClient, clrText))
    {
        CKTButton::OnFillBackground(pDC, rectClient);
        return;
    }
    if (clrText == (COLORREF)-1)
        return;
    if (IsHighlighted())
        m_clrHover = clrText;
    else
        m_clrRegular = clrText;
}

void CKTOutlookBarPageButton::OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState)
{
    if (!CKTVisualManager::GetInstance()->OnDrawOutlookPageButtonBorder(this, pDC, rectClient, uiState))
        CKTButton::OnDrawBorder(pDC, rectClient, uiState);
}

// Pages -------------------------------------------------------------------------------------------

CKTOutlookBarPage::CKTOutlookBarPage(UINT uiID, LPCTSTR lpszName, CWnd* pWnd)
    : m_uiID(uiID), m_strName(lpszName != nullptr ? lpszName : L""), m_pWnd(pWnd)
{
}

CKTOutlookBarPage::~CKTOutlookBarPage()
{
    if (m_pWnd != nullptr && ::IsWindow(m_pWnd->GetSafeHwnd()))
        m_pWnd->ShowWindow(SW_HIDE);
    if (m_pButton != nullptr)
    {
        if (::IsWindow(m_pButton->GetSafeHwnd()))
            m_pButton->DestroyWindow();
        delete m_pButton;
    }
}

void CKTOutlookBarPage::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << static_cast<DWORD>(m_uiID);
        ar << m_strName;
        return;
    }
    DWORD dwID = 0;
    ar >> dwID;
    ar >> m_strName;
    m_uiID = dwID;
    m_pWnd = nullptr;
}

// The bar -----------------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CKTOutlookBar, CKTToolBar)
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_CREATE()
ON_WM_NCCALCSIZE()
ON_WM_SYSCOLORCHANGE()
ON_WM_TIMER()
ON_WM_SETCURSOR()
ON_WM_MOUSEMOVE()
ON_WM_CANCELMODE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_CONTEXTMENU()
ON_WM_NCPAINT()
ON_WM_STYLECHANGING()
ON_WM_PARENTNOTIFY()
END_MESSAGE_MAP()

CKTOutlookBar::CKTOutlookBar() : m_clrBackColor(ktGlobals.m_colorBarShadow) {}

CKTOutlookBar::~CKTOutlookBar()
{
    while (!m_lstPages.IsEmpty())
        delete static_cast<CKTOutlookBarPage*>(m_lstPages.RemoveHead());
}

BOOL CKTOutlookBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return Create(pParentWnd, dwStyle, nID, FALSE);
}

BOOL CKTOutlookBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID, BOOL bHasSplitter)
{
    m_bHasSplitter = bHasSplitter;
    m_dwCaptionStyle = dwStyle & WS_CAPTION;
    return CKTToolBar::Create(pParentWnd, dwStyle & ~WS_CAPTION, nID);
}

int CKTOutlookBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CKTToolBar::OnCreate(lpcs) == -1)
        return -1;
    m_dwStyle &= ~(CBRS_BORDER_ANY | CBRS_GRIPPER);
    SetBorders(0, 0, 0, 0);

    // The frame lays its bars out in z-order: a horizontal bar comes right after the status bar,
    // a vertical one after everything else.
    if (IsHorizontal())
    {
        CWnd* pFrame = GetParentFrame() != nullptr ? GetParentFrame() : GetParent();
        HWND hwndStatus = pFrame != nullptr ? ::GetDlgItem(pFrame->GetSafeHwnd(), AFX_IDW_STATUS_BAR) : nullptr;
        if (hwndStatus != nullptr)
            ::SetWindowPos(m_hWnd, hwndStatus, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    else
        ::SetWindowPos(m_hWnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    CKTMenuGlyphs::Initialize();
    const CSize sizeGlyph = CKTMenuGlyphs::GetImageSize();
    const CRect rectButton(0, 0, sizeGlyph.cx + 4, sizeGlyph.cy + 4);
    const BOOL bVert = !IsHorizontal();
    struct ButtonInit
    {
        CKTButton& button;
        UINT nID;
        int iGlyph;
    };
    const ButtonInit buttons[] = {
        {m_btnScrollBack, IdScrollBack, bVert ? CKTMenuGlyphs::IdArrowUp : CKTMenuGlyphs::IdArrowLeft},
        {m_btnScrollForward, IdScrollForward, bVert ? CKTMenuGlyphs::IdArrowDown : CKTMenuGlyphs::IdArrowRight},
        {m_btnClose, IdClose, CKTMenuGlyphs::IdClose}};
    for (const ButtonInit& init : buttons)
    {
        if (!init.button.Create(L"", WS_CHILD | BS_PUSHBUTTON, rectButton, this, init.nID))
            return -1;
        init.button.SetStdImage(init.iGlyph);
    }
    CString strClose;
    if (!strClose.LoadString(kCloseTooltipId))
        strClose = L"Close";
    m_btnClose.SetTooltip(strClose);
    SetWindowText(L"Shortcuts");

    if (m_bHasSplitter && m_hcurSplitHorz == nullptr)
    {
        m_hcurSplitHorz = LoadSplitCursor(kCursorSplitHorz, IDC_SIZEWE);
        m_hcurSplitVert = LoadSplitCursor(kCursorSplitVert, IDC_SIZENS);
    }
    return 0;
}

BOOL CKTOutlookBar::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CKTOutlookBar::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    CKTToolBar::OnNcCalcSize(bCalcValidRects, lpncsp);
}

void CKTOutlookBar::OnNcPaint()
{
    CKTToolBar::OnNcPaint();
}

void CKTOutlookBar::OnContextMenu(CWnd* pWnd, CPoint point)
{
    CKTToolBar::OnContextMenu(pWnd, point);
}

void CKTOutlookBar::OnSysColorChange()
{
    CKTToolBar::OnSysColorChange();
    m_clrBackColor = ktGlobals.m_colorBarShadow;
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CKTOutlookBar::OnStyleChanging(int nStyleType, LPSTYLESTRUCT lpStyleStruct)
{
    if (nStyleType == GWL_STYLE && lpStyleStruct != nullptr)
    {
        m_dwCaptionStyle = lpStyleStruct->styleNew & WS_CAPTION;
        lpStyleStruct->styleNew &= ~WS_CAPTION;
    }
    CKTToolBar::OnStyleChanging(nStyleType, lpStyleStruct);
}

CSize CKTOutlookBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    return bHorz ? CSize(32767, m_nBarSize) : CSize(m_nBarSize, 32767);
}

CSize CKTOutlookBar::CalcDynamicLayout(int, DWORD dwMode)
{
    return CalcFixedLayout(TRUE, (dwMode & LM_HORZ) != 0);
}

void CKTOutlookBar::SetBarSize(int nSize)
{
    m_nBarSize = std::max(nSize, 2 * kSplitterWidth + 16);
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->RecalcLayout();
}

// Pages -------------------------------------------------------------------------------------------

CKTOutlookBarPage* CKTOutlookBar::GetPage(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetPageCount())
        return nullptr;
    POSITION pos = m_lstPages.FindIndex(nIndex);
    return pos != nullptr ? static_cast<CKTOutlookBarPage*>(m_lstPages.GetAt(pos)) : nullptr;
}

CKTOutlookBarPage* CKTOutlookBar::FindPage(UINT uiID) const
{
    for (POSITION pos = m_lstPages.GetHeadPosition(); pos != nullptr;)
    {
        auto* pPage = static_cast<CKTOutlookBarPage*>(m_lstPages.GetNext(pos));
        if (pPage->m_uiID == uiID)
            return pPage;
    }
    return nullptr;
}

CKTOutlookBarPage* CKTOutlookBar::PageFromPoint(CPoint point) const
{
    for (POSITION pos = m_lstPages.GetHeadPosition(); pos != nullptr;)
    {
        auto* pPage = static_cast<CKTOutlookBarPage*>(m_lstPages.GetNext(pos));
        if (pPage->m_rect.PtInRect(point))
            return pPage;
    }
    return nullptr;
}

int CKTOutlookBar::AddPage(UINT uiID, LPCTSTR lpszName, CWnd* pWnd)
{
    if (GetSafeHwnd() == nullptr || FindPage(uiID) != nullptr)
        return -1;
    auto* pPage = new CKTOutlookBarPage(uiID, lpszName, pWnd);
    const int nIndex = GetPageCount();
    pPage->m_pButton = new CKTOutlookBarPageButton;
    if (!pPage->m_pButton->Create(pPage->m_strName, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 0, 0), this,
                                  IdFirstPageButton + nIndex))
    {
        delete pPage;
        return -1;
    }
    pPage->m_pButton->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(ktGlobals.m_fontText.GetSafeHandle()));
    m_lstPages.AddTail(pPage);
    if (m_pActivePage == nullptr)
        m_pActivePage = pPage;
    else if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr)
        pWnd->ShowWindow(SW_HIDE);
    AdjustLocations();
    Invalidate();
    return nIndex;
}

BOOL CKTOutlookBar::RemovePage(UINT uiID)
{
    CKTOutlookBarPage* pPage = FindPage(uiID);
    if (pPage == nullptr)
        return FALSE;
    m_lstPages.RemoveAt(m_lstPages.Find(pPage));
    if (m_pPageToActivate == pPage)
        m_pPageToActivate = nullptr;
    const BOOL bActive = m_pActivePage == pPage;
    delete pPage;
    int nIndex = 0;
    for (POSITION pos = m_lstPages.GetHeadPosition(); pos != nullptr; nIndex++)
    {
        auto* pOther = static_cast<CKTOutlookBarPage*>(m_lstPages.GetNext(pos));
        if (pOther->m_pButton->GetSafeHwnd() != nullptr)
            ::SetWindowLongPtr(pOther->m_pButton->m_hWnd, GWLP_ID, IdFirstPageButton + nIndex);
    }
    if (bActive)
    {
        m_pActivePage = GetPage(0);
        m_nScrolledButtons = 0;
        m_nScrollOffset = 0;
    }
    AdjustLocations();
    Invalidate();
    return TRUE;
}

BOOL CKTOutlookBar::ActivatePage(UINT uiID)
{
    CKTOutlookBarPage* pPage = FindPage(uiID);
    if (pPage == nullptr)
        return FALSE;
    if (pPage == m_pActivePage)
        return TRUE;
    if (m_pActivePage != nullptr && m_pActivePage->m_pWnd != nullptr && m_pActivePage->m_pWnd->GetSafeHwnd())
        m_pActivePage->m_pWnd->ShowWindow(SW_HIDE);
    m_pActivePage = pPage;
    m_nScrolledButtons = 0;
    m_nScrollOffset = 0;
    AdjustLocations();
    Invalidate();
    return TRUE;
}

void CKTOutlookBar::ActivatePageDelayed(CKTOutlookBarPage* pPage)
{
    if (pPage == m_pActivePage)
        pPage = nullptr; // already open: nothing to wait for
    if (pPage == m_pPageToActivate)
        return;
    m_pPageToActivate = pPage;
    KillTimer(TimerActivatePage);
    if (pPage != nullptr)
        SetTimer(TimerActivatePage, 500, nullptr);
}

int CKTOutlookBar::AddShortcut(UINT uiPageID, CKTOutlookButton* pButton)
{
    if (pButton == nullptr)
        return -1;
    pButton->m_uiPageID = uiPageID;
    const int nIndex = InsertButton(pButton);
    if (nIndex >= 0 && GetSafeHwnd() != nullptr)
    {
        AdjustLocations();
        Invalidate();
    }
    return nIndex;
}

// Layout ------------------------------------------------------------------------------------------

DWORD CKTOutlookBar::GetDockSide() const
{
    for (DWORD dwSide :
         {(DWORD)CBRS_ALIGN_LEFT, (DWORD)CBRS_ALIGN_TOP, (DWORD)CBRS_ALIGN_RIGHT, (DWORD)CBRS_ALIGN_BOTTOM})
        if (m_dwStyle & dwSide)
            return dwSide;
    return 0;
}

void CKTOutlookBar::RecalcSplitter()
{
    m_rectSplitter.SetRectEmpty();
    if (!m_bHasSplitter || GetSafeHwnd() == nullptr)
        return;
    CRect rect;
    GetClientRect(&rect);
    switch (GetDockSide())
    {
    case CBRS_ALIGN_LEFT:
        rect.left = rect.right - kSplitterWidth;
        break;
    case CBRS_ALIGN_RIGHT:
        rect.right = rect.left + kSplitterWidth;
        break;
    case CBRS_ALIGN_TOP:
        rect.top = rect.bottom - kSplitterWidth;
        break;
    case CBRS_ALIGN_BOTTOM:
        rect.bottom = rect.top + kSplitterWidth;
        break;
    default:
        return;
    }
    m_rectSplitter = rect;
}

CRect CKTOutlookBar::GetWorkArea() const
{
    CRect rect;
    GetClientRect(&rect);
    if (!m_bHasSplitter)
        return rect;
    // The strip stays out of the work area, whichever side it lies on.
    switch (GetDockSide())
    {
    case CBRS_ALIGN_LEFT:
        rect.right -= kSplitterWidth;
        break;
    case CBRS_ALIGN_RIGHT:
        rect.left += kSplitterWidth;
        break;
    case CBRS_ALIGN_TOP:
        rect.bottom -= kSplitterWidth;
        break;
    case CBRS_ALIGN_BOTTOM:
        rect.top += kSplitterWidth;
        break;
    default:
        break;
    }
    return rect;
}

void CKTOutlookBar::RecalcCaption()
{
    m_rectCaption.SetRectEmpty();
    if (m_dwCaptionStyle == 0 || GetSafeHwnd() == nullptr)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    CRect rect(1, 1, rectClient.right - 2, rectClient.bottom - 2);
    const int nDepth = ktGlobals.m_textHeight + 4;
    if (IsHorizontal())
        rect.right = rect.left + nDepth;
    else
        rect.bottom = rect.top + nDepth;
    // Away from the strip: along it the caption moves, across it the caption gets shorter.
    if (!m_rectSplitter.IsRectEmpty())
    {
        switch (GetDockSide())
        {
        case CBRS_ALIGN_LEFT:
            rect.right = std::min(rect.right, m_rectSplitter.left);
            break;
        case CBRS_ALIGN_TOP:
            rect.bottom = std::min(rect.bottom, m_rectSplitter.top);
            break;
        case CBRS_ALIGN_RIGHT:
            if (IsHorizontal())
                rect.OffsetRect(kSplitterWidth, 0);
            else
                rect.left += kSplitterWidth;
            break;
        case CBRS_ALIGN_BOTTOM:
            if (IsHorizontal())
                rect.top += kSplitterWidth;
            else
                rect.OffsetRect(0, kSplitterWidth);
            break;
        default:
            break;
        }
    }
    CRect rectFit;
    if (rect.IsRectEmpty() || !rectFit.IntersectRect(rect, rectClient) || rectFit != rect)
        return;
    m_rectCaption = rect;
}

CRect CKTOutlookBar::GetPagesArea() const
{
    CRect rect = GetWorkArea();
    if (!m_rectCaption.IsRectEmpty())
    {
        if (IsHorizontal())
            rect.left = m_rectCaption.right + 1;
        else
            rect.top = m_rectCaption.bottom + 1;
    }
    return rect;
}

BOOL CKTOutlookBar::IsShortcutShown(const CKTToolbarButton* pButton) const
{
    if (m_pActivePage == nullptr || m_pActivePage->m_pWnd != nullptr || pButton->IsSeparator())
        return FALSE;
    return pButton->IsKindOf(RUNTIME_CLASS(CKTOutlookButton)) &&
           static_cast<const CKTOutlookButton*>(pButton)->m_uiPageID == m_pActivePage->m_uiID;
}

int CKTOutlookBar::ShortcutLength(const CKTToolbarButton* pButton) const
{
    CClientDC dc(const_cast<CKTOutlookBar*>(this));
    CFont* pOldFont = dc.SelectObject(&ktGlobals.m_fontText);
    const CSize size = const_cast<CKTToolbarButton*>(pButton)->OnCalculateSize(&dc, CSize(0, 0), !IsHorizontal());
    dc.SelectObject(pOldFont);
    return IsHorizontal() ? size.cx : size.cy;
}

int CKTOutlookBar::GetShortcutsLength() const
{
    int nLength = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
    {
        auto* pButton = static_cast<CKTToolbarButton*>(m_Buttons.GetNext(pos));
        if (IsShortcutShown(pButton))
            nLength += ShortcutLength(pButton);
    }
    return nLength;
}

void CKTOutlookBar::AdjustLocations()
{
    if (GetSafeHwnd() == nullptr)
        return;
    RecalcSplitter();
    RecalcCaption();
    const CRect rectPages = GetPagesArea();
    const int nPageHeight = ktGlobals.m_textHeight + 8;

    int nActive = 0;
    for (int i = 0; i < GetPageCount(); i++)
        if (GetPage(i) == m_pActivePage)
            nActive = i;
    int yTop = rectPages.top;
    int yBottom = rectPages.bottom;
    for (int i = 0; i <= nActive && i < GetPageCount(); i++, yTop += nPageHeight)
        GetPage(i)->m_rect = CRect(rectPages.left, yTop, rectPages.right, yTop + nPageHeight);
    for (int i = GetPageCount() - 1; i > nActive; i--, yBottom -= nPageHeight)
        GetPage(i)->m_rect = CRect(rectPages.left, yBottom - nPageHeight, rectPages.right, yBottom);
    m_rectShortcuts = CRect(rectPages.left, yTop, rectPages.right, std::max(yTop, yBottom));

    for (int i = 0; i < GetPageCount(); i++)
    {
        CKTOutlookBarPage* pPage = GetPage(i);
        if (pPage->m_pButton->GetSafeHwnd() != nullptr)
            pPage->m_pButton->SetWindowPos(nullptr, pPage->m_rect.left, pPage->m_rect.top, pPage->m_rect.Width(),
                                           pPage->m_rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        if (pPage->m_pWnd == nullptr || pPage->m_pWnd->GetSafeHwnd() == nullptr)
            continue;
        if (pPage != m_pActivePage)
        {
            pPage->m_pWnd->ShowWindow(SW_HIDE);
            continue;
        }
        CRect rect = m_rectShortcuts;
        MapWindowPoints(pPage->m_pWnd->GetParent(), &rect);
        pPage->m_pWnd->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                                    SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }

    const BOOL bHorz = IsHorizontal();
    int nPos = (bHorz ? m_rectShortcuts.left : m_rectShortcuts.top) - m_nScrollOffset;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
    {
        auto* pButton = static_cast<CKTToolbarButton*>(m_Buttons.GetNext(pos));
        const BOOL bShown = IsShortcutShown(pButton);
        CRect rect;
        if (bShown)
        {
            const int nLength = ShortcutLength(pButton);
            rect = bHorz ? CRect(nPos, m_rectShortcuts.top, nPos + nLength, m_rectShortcuts.bottom)
                         : CRect(m_rectShortcuts.left, nPos, m_rectShortcuts.right, nPos + nLength);
            nPos += nLength;
        }
        if (pButton->m_bHidden == bShown)
        {
            pButton->m_bHidden = !bShown;
            pButton->OnShow(bShown);
        }
        if (rect != pButton->m_rect)
        {
            pButton->m_rect = rect;
            pButton->OnMove();
        }
    }
    UpdateScrollButtons();
    RecalcCloseButton();
}

void CKTOutlookBar::RecalcCloseButton()
{
    if (m_btnClose.GetSafeHwnd() == nullptr)
        return;
    if (m_rectCaption.IsRectEmpty())
    {
        m_btnClose.ShowWindow(SW_HIDE);
        return;
    }
    CRect rectButton;
    m_btnClose.GetWindowRect(&rectButton);
    const CSize size = rectButton.Size();
    const CPoint pt = IsHorizontal()
                          ? CPoint(m_rectCaption.CenterPoint().x - size.cx / 2, m_rectCaption.bottom - size.cy - 1)
                          : CPoint(m_rectCaption.right - size.cx - 1, m_rectCaption.CenterPoint().y - size.cy / 2);
    m_btnClose.SetWindowPos(nullptr, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

// Painting ----------------------------------------------------------------------------------------

void CKTOutlookBar::DoPaint(CDC* pDCPaint)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    CKTMemDC memDC(*pDCPaint, rectClient);
    CDC* pDC = &memDC.GetDC();
    pDC->FillSolidRect(rectClient, m_clrBackColor);
    if (!m_rectSplitter.IsRectEmpty())
        pDC->FillSolidRect(m_rectSplitter, ktGlobals.m_colorBarFace);
    CFont* pOldFont = pDC->SelectObject(&ktGlobals.m_fontText);
    if (!m_rectCaption.IsRectEmpty())
    {
        COLORREF clrText = ktGlobals.m_colorBarText;
        CKTVisualManager::GetInstance()->OnFillOutlookBarCaption(pDC, m_rectCaption, clrText);
        CString strTitle;
        GetWindowText(strTitle);
        CRect rectText = m_rectCaption;
        rectText.DeflateRect(4, 0);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(clrText);
        if (!IsHorizontal())
            pDC->DrawText(strTitle, rectText, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    }

    // Shortcuts stay inside their area while they scroll.
    pDC->SaveDC();
    pDC->IntersectClipRect(m_rectShortcuts);
    CKTImageStrip* pCurrent = nullptr;
    CKTDrawState ds;
    BOOL bDrawing = FALSE;
    int i = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; i++)
    {
        auto* pButton = static_cast<CKTToolbarButton*>(m_Buttons.GetNext(pos));
        if (pButton->m_bHidden || pButton->IsSeparator())
            continue;
        const BOOL bHighlighted = IsButtonHighlighted(i);
        BOOL bFromDisabled = FALSE;
        CKTImageStrip* pStrip = PickStrip(pButton, bHighlighted, bFromDisabled);
        if (pStrip != pCurrent)
        {
            if (bDrawing)
                pCurrent->EndDrawImage(ds);
            bDrawing = pStrip != nullptr && pStrip->PrepareDrawImage(ds, GetImageSize());
            pCurrent = pStrip;
        }
        DrawButton(pDC, pButton, bDrawing ? pStrip : nullptr, bHighlighted, bFromDisabled);
    }
    if (bDrawing)
        pCurrent->EndDrawImage(ds);
    pDC->RestoreDC(-1);
    pDC->SelectObject(pOldFont);
}

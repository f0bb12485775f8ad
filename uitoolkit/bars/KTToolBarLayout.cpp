// The toolbar's sizes for the docking framework, row wrapping and button placement.
#include "uitoolkit/bars/KTToolBar.h"

#include "uitoolkit/bars/KTToolbarSpecialButtons.h"

#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManager.h"

namespace
{
const int kRowGap = 5;

CSize ExtraSize(const CKTToolBar* pBar)
{
    return pBar->IsButtonExtraSizeAvailable() ? CKTVisualManager::GetInstance()->GetButtonExtraBorder() : CSize(0, 0);
}

// The bar's font selected into a screen DC for measuring.
class CMeasureDC
{
public:
    explicit CMeasureDC(BOOL bVert)
    {
        m_dc.Attach(::GetDC(nullptr));
        m_pOld = m_dc.SelectObject(bVert ? &ktGlobals.m_fontRotated270 : &ktGlobals.m_fontText);
    }
    ~CMeasureDC()
    {
        m_dc.SelectObject(m_pOld);
        ::ReleaseDC(nullptr, m_dc.Detach());
    }
    CMeasureDC(const CMeasureDC&) = delete;
    CMeasureDC& operator=(const CMeasureDC&) = delete;
    CDC* operator->() { return &m_dc; }
    CDC* Get() { return &m_dc; }

private:
    CDC m_dc;
    CFont* m_pOld;
};
} // namespace

int CKTToolBar::GetRowHeight() const
{
    int nHeight;
    if (m_bFixedHeight && m_nMaxBtnHeight > 0)
        return m_nMaxBtnHeight;
    if (m_bMenuMode)
        nHeight = m_sizeMenuButton.cy >= 1 ? m_sizeMenuButton.cy : m_sizeButton.cy;
    else
        nHeight = GetButtonSize().cy + ExtraSize(this).cy;
    const BOOL bHorz = (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
    const int nText = bHorz ? ktGlobals.m_textHeight : ktGlobals.m_textHeightRotated;
    return std::max(nHeight, nText);
}

int CKTToolBar::GetColumnWidth() const
{
    if (m_bMenuMode)
        return m_sizeMenuButton.cx >= 1 ? m_sizeMenuButton.cx : m_sizeButton.cx;
    return GetButtonSize().cx + ExtraSize(this).cx;
}

CSize CKTToolBar::GetDefaultSizeForButtons() const
{
    return CSize(GetColumnWidth(), GetRowHeight());
}

int CKTToolBar::HitTest(CPoint point)
{
    int i = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; i++)
    {
        CKTToolbarButton* pButton = static_cast<CKTToolbarButton*>(m_Buttons.GetNext(pos));
        if (!pButton->m_bHidden && pButton->m_rect.PtInRect(point))
            return pButton->IsSeparator() ? -1 : i;
    }
    return -1;
}

CSize CKTToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    return CalcLayout((bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ : 0), -1);
}

CSize CKTToolBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    if (nLength == -1 && !(dwMode & (LM_MRUWIDTH | LM_COMMIT)) && (dwMode & (LM_HORZDOCK | LM_VERTDOCK)))
        return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZDOCK) != 0);
    return CalcLayout(dwMode, nLength);
}

DWORD CKTToolBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout)
{
    const DWORD dw = CControlBar::RecalcDelayShow(lpLayout);
    if (!IsFloating())
        AdjustLocations();
    return dw;
}

int CKTToolBar::WrapToolBar(int nWidth, int nHeight)
{
    if (IsFloating())
        nHeight = 32767;
    if (!IsFloating() && IsHorizontal() && m_pCustomizeBtn != nullptr)
        nWidth -= m_pCustomizeBtn->m_rect.Width();
    CMeasureDC dc(!IsHorizontal());
    const CSize sizeDefault = GetDefaultSizeForButtons();
    int nRows = 1, x = 0, y = 0;
    CKTToolbarButton* pPrev = nullptr;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
    {
        CKTToolbarButton* pButton = static_cast<CKTToolbarButton*>(m_Buttons.GetNext(pos));
        if (pButton == m_pCustomizeBtn && pos == nullptr)
            break;
        pButton->m_bWrap = FALSE;
        CSize size = pButton->OnCalculateSize(dc.Get(), sizeDefault, TRUE);
        if (x == 0 && pButton->IsSeparator())
            size = CSize(0, 0);
        if (x + size.cx > nWidth && y + size.cy + kRowGap < nHeight && !pButton->IsSeparator() && pPrev != nullptr)
        {
            pPrev->m_bWrap = TRUE;
            x = 0;
            y += size.cy + kRowGap;
            nRows++;
        }
        x += size.cx;
        pPrev = pButton;
    }
    return nRows;
}

void CKTToolBar::SizeToolBar(int nLength, BOOL bVert)
{
    if (!bVert)
    {
        const int nTarget = WrapToolBar(nLength);
        if (WrapToolBar(0) != nTarget && nLength > 0)
        {
            int nLow = 0, nHigh = nLength;
            for (;;)
            {
                const int nMid = (nLow + nHigh) / 2;
                if (nMid == nLow)
                {
                    WrapToolBar(nHigh);
                    break;
                }
                if (WrapToolBar(nMid) == nTarget)
                    nHigh = nMid;
                else
                    nLow = nMid;
            }
        }
        WrapToolBar(CalcSize(FALSE).cx);
        return;
    }
    WrapToolBar(32767);
    CSize size = CalcSize(FALSE);
    if (size.cy < nLength)
    {
        const int nStep = GetButtonSize().cx + ExtraSize(this).cx;
        int nWidth = nStep;
        WrapToolBar(nWidth);
        size = CalcSize(FALSE);
        while (size.cy > nLength && nWidth < 32767)
        {
            nWidth += nStep;
            WrapToolBar(nWidth);
            size = CalcSize(FALSE);
        }
    }
    WrapToolBar(size.cx);
}

CSize CKTToolBar::CalcSize(BOOL bVertDock)
{
    if (m_Buttons.IsEmpty())
        return GetButtonSize() + ExtraSize(this);
    CMeasureDC dc(bVertDock);
    CSize sizeResult(GetColumnWidth(), GetRowHeight());
    int x = 1, y = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
    {
        CKTToolbarButton* pButton = static_cast<CKTToolbarButton*>(m_Buttons.GetNext(pos));
        if (pButton == m_pCustomizeBtn && IsFloating())
            break;
        CSize sizeDefault(GetColumnWidth(), GetRowHeight());
        if (m_bFixedHeight && m_nMaxBtnHeight > 0)
            sizeDefault.cy = GetButtonSize().cy + ExtraSize(this).cy;
        CSize size = pButton->OnCalculateSize(dc.Get(), sizeDefault, !bVertDock);
        if (m_bFixedHeight && m_nMaxBtnHeight > 0)
            size.cy = m_nMaxBtnHeight;
        if (bVertDock)
        {
            sizeResult.cx = std::max<int>(sizeResult.cx, size.cx);
            y += size.cy;
            sizeResult.cy = std::max<int>(sizeResult.cy, y);
            continue;
        }
        if ((x == 1 && pButton->IsSeparator()) || (pButton->IsSeparator() && pButton->m_bWrap))
            size = CSize(0, 0);
        x += size.cx;
        sizeResult.cx = std::max<int>(sizeResult.cx, x);
        sizeResult.cy = std::max<int>(sizeResult.cy, y + size.cy);
        if (pButton->m_bWrap)
        {
            y += GetRowHeight() + kRowGap;
            x = 1;
        }
    }
    return sizeResult;
}

CSize CKTToolBar::CalcLayout(DWORD dwMode, int nLength)
{
    CCustomizeButton* pChevron = GetChevron();
    if (pChevron != nullptr)
        pChevron->SetCollapsed(FALSE);
    CalcMaxButtonHeight();
    if (!(m_dwStyle & CBRS_SIZE_FIXED))
    {
        int nWrap;
        BOOL bVert = FALSE;
        if (!(m_dwStyle & CBRS_SIZE_DYNAMIC))
            nWrap = (dwMode & LM_HORZ) ? 32767 : 0;
        else if (dwMode & LM_MRUWIDTH)
            nWrap = static_cast<int>(m_nMRUWidth);
        else if (dwMode & LM_HORZDOCK)
            nWrap = 32767;
        else if (dwMode & LM_VERTDOCK)
            nWrap = 0;
        else if (nLength != -1)
        {
            const CRect rectBorders = GetBorders();
            if (dwMode & LM_LENGTHY)
            {
                nWrap = nLength - rectBorders.top - rectBorders.bottom;
                bVert = TRUE;
            }
            else
                nWrap = nLength - rectBorders.left - rectBorders.right;
        }
        else if (m_dwStyle & CBRS_FLOATING)
            nWrap = static_cast<int>(m_nMRUWidth);
        else
            nWrap = (dwMode & LM_HORZ) ? 32767 : 0;
        SizeToolBar(nWrap, bVert);
    }
    CSize size = CalcSize(!(dwMode & LM_HORZ));
    if (pChevron != nullptr && pChevron->GetCustomizeCmdId() <= 0 && pChevron->GetInvisibleButtons().IsEmpty())
    {
        pChevron->SetCollapsed(TRUE);
        size = CalcSize(!(dwMode & LM_HORZ));
    }
    if ((dwMode & LM_COMMIT) && (m_dwStyle & CBRS_FLOATING) && (m_dwStyle & CBRS_SIZE_DYNAMIC) && (dwMode & LM_HORZ))
        m_nMRUWidth = static_cast<UINT>(size.cx);

    CRect rect(0, 0, 0, 0);
    CalcInsideRect(rect, (dwMode & LM_HORZ) != 0);
    size.cx -= rect.Width();
    size.cy -= rect.Height();
    const CSize sizeMin = CControlBar::CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZ) != 0);
    size.cx = std::max<int>(size.cx, sizeMin.cx);
    size.cy = std::max<int>(size.cy, sizeMin.cy);
    RebuildAccelerationKeys();
    return size;
}

void CKTToolBar::AdjustLocations()
{
    if (m_Buttons.IsEmpty() || GetSafeHwnd() == nullptr)
        return;
    const BOOL bHorz = IsHorizontal();
    CRect rectClient;
    GetClientRect(&rectClient);
    CMeasureDC dc(!bHorz);
    const CSize sizeDefault = GetDefaultSizeForButtons();

    // A docked bar outside customize mode keeps the chevron's room free and hands it the
    // buttons that do not fit.
    CCustomizeButton* pChevron = GetChevron();
    const BOOL bOverflow = pChevron != nullptr && !IsFloating() && !m_bCustomizeMode;
    CSize sizeChevron(0, 0);
    if (bOverflow)
    {
        pChevron->RemoveAllInvisibleButtons();
        // Collapsed only keeps the chevron out of the bar's size; placed, it needs its room.
        const BOOL bCollapsed = pChevron->IsCollapsed();
        pChevron->SetCollapsed(FALSE);
        sizeChevron = pChevron->OnCalculateSize(
            dc.Get(), bHorz ? CSize(GetColumnWidth(), rectClient.Height()) : CSize(rectClient.Width(), GetRowHeight()),
            bHorz);
        pChevron->SetCollapsed(bCollapsed);
    }
    const int iLastReal = GetCount() - (pChevron != nullptr ? 2 : 1);
    const int iClientEnd = bHorz ? rectClient.right : rectClient.bottom;

    int iCursor = bHorz ? rectClient.left + 1 : rectClient.top + 1;
    int iRowStart = iCursor;
    int iRowTop = bHorz ? rectClient.top : rectClient.left;
    BOOL bPrevVisibleSeparator = TRUE; // a separator at the start of a row is hidden
    int iRowFirst = 0;
    int i = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; i++)
    {
        CKTToolbarButton* pButton = static_cast<CKTToolbarButton*>(m_Buttons.GetNext(pos));
        if (pButton == pChevron)
            continue;
        CSize size = pButton->OnCalculateSize(dc.Get(), sizeDefault, bHorz);
        if (bHorz && m_bTextLabels && !pButton->IsSeparator())
            size.cy = GetRowHeight();
        BOOL bHide = FALSE;
        if (pButton->IsSeparator() && bPrevVisibleSeparator)
        {
            bHide = TRUE;
            size = CSize(0, 0);
        }
        CRect rect = bHorz ? CRect(CPoint(iCursor, iRowTop), size) : CRect(CPoint(rectClient.left, iCursor), size);
        if (bOverflow && !bHide)
        {
            // The last button may use the chevron's room when the chevron has nothing to offer.
            const BOOL bChevronNeeded =
                pChevron->GetCustomizeCmdId() > 0 || !pChevron->GetInvisibleButtons().IsEmpty() || i != iLastReal;
            const int iLimit = iClientEnd - (bChevronNeeded ? (bHorz ? sizeChevron.cx : sizeChevron.cy) : 0);
            // Each button that does not fit goes to the chevron and gives its room back: a
            // narrower one after it may still fit.
            if ((bHorz ? rect.right : rect.bottom) > iLimit)
            {
                bHide = TRUE;
                pChevron->AddInvisibleButton(pButton);
            }
        }
        if (bHide != pButton->m_bHidden)
        {
            pButton->m_bHidden = bHide;
            pButton->OnShow(!bHide);
        }
        if (rect != pButton->m_rect)
        {
            pButton->m_rect = rect;
            pButton->OnMove();
        }
        if (!bHide)
        {
            bPrevVisibleSeparator = pButton->IsSeparator();
            iCursor += bHorz ? size.cx : size.cy;
        }

        const BOOL bLast = pos == nullptr || i == iLastReal;
        if ((pButton->m_bWrap && bHorz) || bLast)
        {
            if (bHorz && IsFloating() && m_bTextLabels)
            {
                const int iShift = (rectClient.Width() - (iCursor - iRowStart) - iRowStart) / 2;
                if (iShift >= 1)
                    for (int j = iRowFirst; j <= i; j++)
                        GetButton(j)->m_rect.OffsetRect(iShift, 0);
            }
            iRowTop += GetRowHeight() + kRowGap;
            iCursor = iRowStart;
            iRowFirst = i + 1;
            bPrevVisibleSeparator = TRUE;
        }
    }
    if (pChevron != nullptr)
        PlaceChevron(pChevron, bOverflow, sizeChevron, rectClient);
}

CCustomizeButton* CKTToolBar::GetChevron() const
{
    return m_pCustomizeBtn != nullptr && m_pCustomizeBtn->IsKindOf(RUNTIME_CLASS(CCustomizeButton))
               ? static_cast<CCustomizeButton*>(m_pCustomizeBtn)
               : nullptr;
}

void CKTToolBar::PlaceChevron(CCustomizeButton* pChevron, BOOL bOverflow, CSize size, const CRect& rectClient)
{
    CRect rect(0, 0, 0, 0);
    const BOOL bShow = bOverflow && (pChevron->GetCustomizeCmdId() > 0 || !pChevron->GetInvisibleButtons().IsEmpty());
    if (bShow)
        rect = IsHorizontal()
                   ? CRect(rectClient.right - size.cx, rectClient.top, rectClient.right - 1, rectClient.bottom)
                   : CRect(rectClient.left, rectClient.bottom - 1 - size.cy, rectClient.right, rectClient.bottom - 1);
    if (pChevron->m_bHidden != !bShow)
    {
        pChevron->m_bHidden = !bShow;
        pChevron->OnShow(bShow);
    }
    if (rect != pChevron->m_rect)
    {
        pChevron->m_rect = rect;
        pChevron->OnMove();
    }
}

void CKTToolBar::AdjustLayout()
{
    const BOOL bLabelsUnder = m_bTextLabels && IsHorizontal();
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
    {
        CKTToolbarButton* pButton = static_cast<CKTToolbarButton*>(m_Buttons.GetNext(pos));
        if (!pButton->IsSeparator())
            pButton->m_bTextBelow = bLabelsUnder;
    }
    if (GetSafeHwnd() == nullptr)
        return;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame != nullptr)
        pFrame->RecalcLayout();
    AdjustLocations();
    Invalidate();
    UpdateWindow();
}

void CKTToolBar::CalcMaxButtonHeight()
{
    m_bFixedHeight = FALSE;
    m_nMaxBtnHeight = 0;
    if (!m_bTextLabels || !IsHorizontal())
        return;
    CMeasureDC dc(FALSE);
    const CSize sizeDefault = GetButtonSize() + ExtraSize(this);
    int nMax = sizeDefault.cy;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
    {
        CKTToolbarButton* pButton = static_cast<CKTToolbarButton*>(m_Buttons.GetNext(pos));
        if (pButton->IsSeparator() || !pButton->m_bTextBelow)
            continue;
        if (pButton->m_strText.IsEmpty())
            LoadButtonDefaultText(pButton);
        nMax = std::max<int>(nMax, pButton->OnCalculateSize(dc.Get(), sizeDefault, TRUE).cy);
    }
    m_nMaxBtnHeight = nMax;
    m_bFixedHeight = TRUE;
}

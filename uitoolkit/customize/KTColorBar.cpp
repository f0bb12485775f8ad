// The colour bar's model, layout and storage.
#include "uitoolkit/customize/KTColorBar.h"

#include "uitoolkit/customize/KTColorDialog.h"
#include "uitoolkit/looks/KTUIGlobals.h"

#include <algorithm>
#include <cmath>
#include <vector>

IMPLEMENT_SERIAL(CKTColorBar, CKTPopupMenuBar, VERSIONABLE_SCHEMA | 1)

namespace
{
const int kDefaultPaletteColors = 20;
const int kMaxPaletteColors = 100;

int CeilDiv(int a, int b)
{
    return b <= 0 ? 0 : (a + b - 1) / b;
}

int IntSqrt(int n)
{
    int r = static_cast<int>(std::sqrt(static_cast<double>(n)));
    while (r * r > n)
        r--;
    while ((r + 1) * (r + 1) <= n)
        r++;
    return r;
}

} // namespace

CKTColorBar::CKTColorBar()
{
    CommonInit();
}

CKTColorBar::CKTColorBar(const CArray<COLORREF, COLORREF>& colors, COLORREF color, LPCTSTR lpszAutoColor,
                         LPCTSTR lpszOtherColor, LPCTSTR lpszDocColors, const CList<COLORREF, COLORREF>& lstDocColors,
                         int nColumns, int nRowsDockHorz, int nColDockVert, COLORREF colorAutomatic, UINT nCommandID,
                         CKTColorBarOwner* pOwner)
    : m_nNumColumns(nColumns), m_nNumRowsHorz(nRowsDockHorz), m_nNumColumnsVert(nColDockVert), m_ColorSelected(color),
      m_ColorAutomatic(colorAutomatic), m_strAutoColor(lpszAutoColor), m_strOtherColor(lpszOtherColor),
      m_strDocColors(lpszDocColors), m_nCommandID(nCommandID), m_bShowDocColorsWhenDocked(TRUE), m_pOwner(pOwner)
{
    CommonInit();
    m_colors.Append(colors);
    m_lstDocColors.AddTail(const_cast<CList<COLORREF, COLORREF>*>(&lstDocColors));
}

CKTColorBar::CKTColorBar(const CKTColorBar& src, UINT uiCommandID)
    : m_nNumColumns(src.m_nNumColumns), m_nNumRowsHorz(src.m_nNumRowsHorz), m_nNumColumnsVert(src.m_nNumColumnsVert),
      m_ColorSelected(src.m_ColorSelected), m_ColorAutomatic(src.m_ColorAutomatic), m_strAutoColor(src.m_strAutoColor),
      m_strOtherColor(src.m_strOtherColor), m_strDocColors(src.m_strDocColors), m_nCommandID(uiCommandID),
      m_bStdColorDlg(src.m_bStdColorDlg), m_bIsTearOff(TRUE), m_bShowDocColorsWhenDocked(FALSE)
{
    CommonInit();
    m_colors.Append(src.m_colors);
    m_lstDocColors.AddTail(const_cast<CList<COLORREF, COLORREF>*>(&src.m_lstDocColors));
}

CKTColorBar::~CKTColorBar() = default;

void CKTColorBar::CommonInit()
{
    m_bLocked = TRUE;
    m_bMenuMode = FALSE;
}

void CKTColorBar::SetDocumentColors(LPCTSTR lpszLabel, const CList<COLORREF, COLORREF>& lstColors)
{
    m_strDocColors = lpszLabel != nullptr ? lpszLabel : _T("");
    m_lstDocColors.RemoveAll();
    m_lstDocColors.AddTail(const_cast<CList<COLORREF, COLORREF>*>(&lstColors));
    if (m_hWnd != nullptr)
        Rebuild();
}

void CKTColorBar::EnableAutomaticButton(LPCTSTR lpszLabel, COLORREF colorAutomatic)
{
    m_strAutoColor = lpszLabel != nullptr ? lpszLabel : _T("");
    m_ColorAutomatic = colorAutomatic;
    if (m_hWnd != nullptr)
        Rebuild();
}

void CKTColorBar::EnableOtherButton(LPCTSTR lpszLabel, BOOL bUseSystemDialog)
{
    m_strOtherColor = lpszLabel != nullptr ? lpszLabel : _T("");
    m_bStdColorDlg = bUseSystemDialog;
    if (m_hWnd != nullptr)
        Rebuild();
}

void CKTColorBar::FillColorsFromPalette(CPalette* pPalette)
{
    HPALETTE hPalette = pPalette != nullptr ? (HPALETTE)pPalette->GetSafeHandle() : nullptr;
    int nColors = kDefaultPaletteColors;
    if (hPalette != nullptr)
        nColors = ::GetPaletteEntries(hPalette, 0, 0, nullptr);
    else
        hPalette = (HPALETTE)::GetStockObject(DEFAULT_PALETTE);
    if (nColors <= 0)
        return;
    std::vector<PALETTEENTRY> entries(static_cast<size_t>(nColors));
    const UINT nRead = ::GetPaletteEntries(hPalette, 0, nColors, entries.data());
    m_colors.RemoveAll();
    for (UINT i = 0; i < nRead; i++)
        m_colors.Add(RGB(entries[i].peRed, entries[i].peGreen, entries[i].peBlue));
}

void CKTColorBar::BuildPalette()
{
    m_Palette.DeleteObject();
    if (ktGlobals.m_bitsPerPixel > 8 || m_colors.GetSize() == 0)
        return;
    CreatePaletteOfColors(m_Palette, m_colors, kMaxPaletteColors);
}

void CKTColorBar::CreatePaletteOfColors(CPalette& palette, const CArray<COLORREF, COLORREF>& colors, int nMaxColors)
{
    const int nColors = std::min(static_cast<int>(colors.GetSize()), nMaxColors);
    std::vector<BYTE> buffer(sizeof(LOGPALETTE) + nColors * sizeof(PALETTEENTRY));
    LOGPALETTE* pLogPalette = reinterpret_cast<LOGPALETTE*>(buffer.data());
    pLogPalette->palVersion = 0x300;
    pLogPalette->palNumEntries = static_cast<WORD>(nColors);
    for (int i = 0; i < nColors; i++)
    {
        pLogPalette->palPalEntry[i].peRed = GetRValue(colors[i]);
        pLogPalette->palPalEntry[i].peGreen = GetGValue(colors[i]);
        pLogPalette->palPalEntry[i].peBlue = GetBValue(colors[i]);
        pLogPalette->palPalEntry[i].peFlags = 0;
    }
    palette.CreatePalette(pLogPalette);
}

CPalette* CKTColorBar::GetDrawPalette()
{
    if (m_pOwner != nullptr && m_pOwner->GetColorBarPalette() != nullptr)
        return m_pOwner->GetColorBarPalette();
    if (ktGlobals.m_bitsPerPixel > 8)
        return nullptr;
    if (m_Palette.GetSafeHandle() == nullptr)
        BuildPalette();
    return m_Palette.GetSafeHandle() != nullptr ? &m_Palette : nullptr;
}

BOOL CKTColorBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID, CPalette* pPalette, int nColumns, int nRowsDockHorz,
                         int nColDockVert)
{
    if (m_colors.GetSize() == 0)
    {
        m_nNumColumns = nColumns;
        m_nNumRowsHorz = nRowsDockHorz;
        m_nNumColumnsVert = nColDockVert;
        FillColorsFromPalette(pPalette);
    }
    return CKTToolBar::Create(pParentWnd, dwStyle, nID);
}

int CKTColorBar::ColumnsToFit(int nColors, int cx, int cy)
{
    for (int nColumns = nColors; nColumns > 0; nColumns--)
    {
        const int nCell = cx / nColumns;
        if (nCell == 0 || (nColors / nColumns) * nCell <= cy)
            continue;
        return nColumns + 1;
    }
    return -1;
}

BOOL CKTColorBar::CreateControl(CWnd* pParentWnd, const CRect& rect, UINT nID, int nColumns, CPalette* pPalette)
{
    m_bIsControl = TRUE;
    m_bLargeIconsAreEnbaled = FALSE;
    if (nColumns < 1)
    {
        const int nColors = pPalette != nullptr && pPalette->GetSafeHandle() != nullptr
                                ? ::GetPaletteEntries((HPALETTE)pPalette->GetSafeHandle(), 0, 0, nullptr)
                                : kDefaultPaletteColors;
        nColumns = ColumnsToFit(nColors, rect.Width() - 2 * kMargin, rect.Height() - 2 * kMargin);
    }
    if (!Create(pParentWnd, WS_CHILD | WS_VISIBLE | CBRS_TOP, nID, pPalette, nColumns))
        return FALSE;
    SetBarStyle(GetBarStyle() & ~(CBRS_BORDER_ANY | CBRS_GRIPPER));
    m_bDrawBorders = FALSE;
    SetWindowPos(&CWnd::wndTop, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOACTIVATE | SWP_FRAMECHANGED);
    FitCellsToClient();
    SetOwner(pParentWnd);
    m_nCommandID = nID;
    return TRUE;
}

void CKTColorBar::FitCellsToClient()
{
    CRect rectClient;
    GetClientRect(&rectClient);
    if (rectClient.IsRectEmpty())
        return;
    // Grows or shrinks the cells a pixel at a time until the bar just fits its client area. A bar
    // whose size does not follow the cells (no colours) keeps them as they are.
    auto fit = [&](int& nSize, auto measure, int nTarget) {
        nSize = std::max(nSize, 1);
        for (int nBefore = measure(); nBefore < nTarget;)
        {
            nSize++;
            const int nAfter = measure();
            if (nAfter > nTarget || nAfter == nBefore)
            {
                nSize--;
                break;
            }
            nBefore = nAfter;
        }
        while (measure() > nTarget && nSize > 1)
            nSize--;
    };
    fit(
        m_nBoxHeight,
        [&] {
            m_nRowHeight = m_nBoxHeight * 3 / 2;
            return CalcSize(FALSE).cy;
        },
        rectClient.Height());
    fit(
        m_nBoxWidth, [&] { return CalcSize(FALSE).cx; }, rectClient.Width());
    m_nBoxWidth = std::max(1, m_nBoxWidth - 1);
    m_nBoxHeight = std::max(1, m_nBoxHeight - 1);
    m_nBoxWidth = m_nBoxHeight = std::min(m_nBoxWidth, m_nBoxHeight);
    m_nRowHeight = m_nBoxHeight * 3 / 2;
    const CSize size = CalcSize(FALSE);
    m_nHorzOffset = std::max(0, (rectClient.Width() - static_cast<int>(size.cx)) / 2);
    m_nVertOffset = std::max(0, (rectClient.Height() - static_cast<int>(size.cy)) / 2);
    AdjustLocations();
    Invalidate();
}

BOOL CKTColorBar::ShowsDocumentColors() const
{
    return m_bShowDocColorsWhenDocked || IsFloating();
}

void CKTColorBar::GetColumnsAndRows(BOOL bVertDock, int& nColumns, int& nRows) const
{
    const int nCount = static_cast<int>(m_colors.GetSize());
    const BOOL bDocked = m_hWnd != nullptr && !IsFloating() && !m_bIsControl && m_pDockBar != nullptr;
    if (bDocked && !bVertDock && m_nNumRowsHorz > 0)
    {
        nRows = m_nNumRowsHorz;
        nColumns = CeilDiv(nCount, nRows);
        return;
    }
    if (bDocked && bVertDock && m_nNumColumnsVert > 0)
        nColumns = m_nNumColumnsVert;
    else
        nColumns = m_nNumColumns >= 1 ? m_nNumColumns : IntSqrt(nCount) + 1;
    nRows = CeilDiv(nCount, nColumns);
}

CSize CKTColorBar::CalcSize(BOOL bVertDock)
{
    int nColumns = 0, nRows = 0;
    GetColumnsAndRows(bVertDock, nColumns, nRows);
    int nExtra = 0;
    if (!m_strAutoColor.IsEmpty())
        nExtra = m_nRowHeight;
    else if (!m_strOtherColor.IsEmpty())
        nExtra = kMargin;
    if (!m_strOtherColor.IsEmpty())
        nExtra += m_nRowHeight;
    if (!m_strDocColors.IsEmpty() && !m_lstDocColors.IsEmpty() && ShowsDocumentColors())
        nExtra += CeilDiv(static_cast<int>(m_lstDocColors.GetCount()), nColumns) * m_nBoxHeight + kMargin +
                  m_nRowHeight + kMargin;
    return CSize(nColumns * m_nBoxWidth + 2 * kMargin, nExtra + nRows * m_nBoxHeight + 2 * kMargin);
}

CColorButton* CKTColorBar::GetCustomCell() const
{
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
    {
        CColorButton* pButton = AsColorButton(m_Buttons.GetNext(pos));
        if (pButton != nullptr && pButton->m_bIsOtherColor)
            return pButton;
    }
    return nullptr;
}

BOOL CKTColorBar::NeedsCustomCell() const
{
    if (m_strOtherColor.IsEmpty() || m_ColorSelected == (COLORREF)-1)
        return FALSE;
    const BOOL bDocShown = ShowsDocumentColors();
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
    {
        const CColorButton* pButton = AsColorButton(m_Buttons.GetNext(pos));
        if (pButton == nullptr || pButton->IsTextButton() || pButton->m_bIsOtherColor)
            continue;
        if (pButton->m_bIsDocument && !bDocShown)
            continue;
        if (pButton->m_Color == m_ColorSelected)
            return FALSE;
    }
    return TRUE;
}

void CKTColorBar::Rebuild()
{
    RemoveAllButtons();
    BOOL bSelected = FALSE;
    if (!m_strAutoColor.IsEmpty())
    {
        CColorButton* pAuto = new CColorButton(m_ColorAutomatic, TRUE, FALSE, m_strAutoColor);
        pAuto->m_bHighlight = m_ColorSelected == (COLORREF)-1;
        bSelected = pAuto->m_bHighlight;
        InsertButton(pAuto);
    }
    for (INT_PTR i = 0; i < m_colors.GetSize(); i++)
    {
        CColorButton* pCell = new CColorButton(m_colors[i]);
        pCell->m_bHighlight = m_colors[i] == m_ColorSelected;
        bSelected = bSelected || pCell->m_bHighlight;
        InsertButton(pCell);
    }
    if (!m_strDocColors.IsEmpty() && !m_lstDocColors.IsEmpty())
    {
        InsertSeparator();
        InsertButton(new CColorButton((COLORREF)-1, FALSE, FALSE, m_strDocColors, TRUE));
        for (POSITION pos = m_lstDocColors.GetHeadPosition(); pos != nullptr;)
        {
            const COLORREF color = m_lstDocColors.GetNext(pos);
            CColorButton* pCell = new CColorButton(color, FALSE, FALSE, nullptr, FALSE, TRUE);
            pCell->m_bHighlight = !bSelected && color == m_ColorSelected;
            bSelected = bSelected || pCell->m_bHighlight;
            InsertButton(pCell);
        }
    }
    if (!m_strOtherColor.IsEmpty())
    {
        InsertSeparator();
        InsertButton(new CColorButton((COLORREF)-1, FALSE, TRUE, m_strOtherColor));
        CColorButton* pCustom = new CColorButton(m_ColorSelected, FALSE, FALSE, nullptr, FALSE, FALSE, TRUE);
        pCustom->m_bHighlight = !bSelected;
        InsertButton(pCustom);
    }
    if (!m_bIsEnabled)
    {
        for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
        {
            CKTToolbarButton* pButton = static_cast<CKTToolbarButton*>(m_Buttons.GetNext(pos));
            pButton->SetStyle(pButton->m_nStyle | TBBS_DISABLED);
        }
    }
    if (m_hWnd != nullptr)
    {
        AdjustLocations();
        Invalidate();
    }
}

void CKTColorBar::AdjustLocations()
{
    if (m_hWnd == nullptr || m_nBoxWidth <= 0 || m_nBoxHeight <= 0)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    rectClient.DeflateRect(m_nHorzOffset, m_nVertOffset);
    rectClient.DeflateRect(kMargin, kMargin);
    // The columns give the row width even where the client area is wider.
    int nColumns = 0, nRows = 0;
    GetColumnsAndRows(!IsHorizontal(), nColumns, nRows);
    const int right =
        std::min(static_cast<int>(rectClient.right), static_cast<int>(rectClient.left) + nColumns * m_nBoxWidth);

    const BOOL bShowDoc = ShowsDocumentColors();
    const BOOL bShowCustom = NeedsCustomCell();
    int x = rectClient.left;
    int y = rectClient.top;
    BOOL bRowOpen = FALSE;
    BOOL bPrevSeparator = FALSE;
    CRect rectOther;

    auto endRow = [&] {
        if (bRowOpen)
            y += m_nBoxHeight;
        bRowOpen = FALSE;
        x = rectClient.left;
    };
    auto place = [&](CKTToolbarButton* pButton, const CRect& rect, BOOL bHidden) {
        pButton->m_bHidden = bHidden;
        const CRect rectNew = bHidden ? CRect(0, 0, 0, 0) : rect;
        if (rectNew != pButton->m_rect)
        {
            pButton->m_rect = rectNew;
            pButton->OnMove();
        }
    };

    POSITION pos = m_Buttons.GetHeadPosition();
    while (pos != nullptr)
    {
        CKTToolbarButton* pButton = static_cast<CKTToolbarButton*>(m_Buttons.GetNext(pos));
        CColorButton* pColor = AsColorButton(pButton);
        if (pButton->IsSeparator())
        {
            // The separator before the document colours goes with them.
            const CColorButton* pNext =
                pos != nullptr ? AsColorButton(static_cast<CObject*>(m_Buttons.GetAt(pos))) : nullptr;
            if (bPrevSeparator || (pNext != nullptr && pNext->m_bIsLabel && !bShowDoc))
            {
                place(pButton, CRect(), TRUE);
                continue;
            }
            endRow();
            place(pButton, CRect(rectClient.left, y, right, y + 2), FALSE);
            y += 2 + kMargin;
            bPrevSeparator = TRUE;
            continue;
        }
        bPrevSeparator = FALSE;
        if (pColor == nullptr)
        {
            place(pButton, CRect(), TRUE);
            continue;
        }
        if (pColor->m_bIsLabel && !bShowDoc)
        {
            place(pButton, CRect(), TRUE);
            bPrevSeparator = TRUE; // the row stays closed
            continue;
        }
        if (pColor->IsTextButton())
        {
            endRow();
            CRect rect(rectClient.left, y, right, y + m_nRowHeight - kMargin / 2);
            if (pColor->m_bIsOther)
            {
                rectOther = rect;
                if (bShowCustom)
                    rect.right -= m_nBoxWidth;
                rect.DeflateRect(kMargin / 2, kMargin / 2);
            }
            place(pButton, rect, FALSE);
            y += m_nRowHeight;
            continue;
        }
        if (pColor->m_bIsOtherColor)
        {
            const int yCell = rectOther.top + (rectOther.Height() - m_nBoxHeight) / 2;
            place(pButton, CRect(rectOther.right - m_nBoxWidth, yCell, rectOther.right, yCell + m_nBoxHeight),
                  !bShowCustom || rectOther.IsRectEmpty());
            continue;
        }
        if (pColor->m_bIsDocument && !bShowDoc)
        {
            place(pButton, CRect(), TRUE);
            continue;
        }
        if (bRowOpen && x + m_nBoxWidth > right)
        {
            y += m_nBoxHeight;
            x = rectClient.left;
        }
        place(pButton, CRect(x, y, x + m_nBoxWidth, y + m_nBoxHeight), FALSE);
        x += m_nBoxWidth;
        bRowOpen = TRUE;
    }
}

void CKTColorBar::SetColor(COLORREF color)
{
    if (color == m_ColorSelected)
        return;
    const BOOL bCustomBefore = NeedsCustomCell();
    m_ColorSelected = color;
    if (m_hWnd == nullptr)
        return;
    CColorButton* pHot = nullptr;
    BOOL bFound = FALSE;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
    {
        CColorButton* pButton = AsColorButton(m_Buttons.GetNext(pos));
        if (pButton == nullptr || pButton->m_bIsLabel || pButton->m_bIsOther)
            continue;
        BOOL bSelect = FALSE;
        if (pButton->m_bIsAutomatic)
            bSelect = color == (COLORREF)-1;
        else if (pButton->m_bIsOtherColor)
        {
            pButton->m_Color = color;
            bSelect = !bFound;
        }
        else if (pButton->m_Color == color && color != (COLORREF)-1)
        {
            bSelect = TRUE;
            bFound = TRUE;
            if (pHot == nullptr)
                pHot = pButton;
        }
        if (bSelect != pButton->m_bHighlight || pButton->m_bIsOtherColor)
        {
            pButton->m_bHighlight = bSelect;
            InvalidateRect(pButton->m_rect);
        }
        if (pButton->m_bIsAutomatic && bSelect)
            bFound = TRUE;
    }
    if (pHot != nullptr)
        m_iHighlighted = ButtonToIndex(pHot);
    if (bCustomBefore != NeedsCustomCell())
    {
        AdjustLocations();
        Invalidate();
    }
}

void CKTColorBar::SerializeColors(CArchive& ar, CArray<COLORREF, COLORREF>& colors)
{
    if (ar.IsStoring())
    {
        ar << static_cast<int>(colors.GetSize());
        for (INT_PTR i = 0; i < colors.GetSize(); i++)
            ar << static_cast<DWORD>(colors[i]);
        return;
    }
    int nColors = 0;
    ar >> nColors;
    // A damaged count must not size the array: each colour takes four bytes of what is left.
    if (nColors < 0 || static_cast<ULONGLONG>(nColors) * sizeof(DWORD) > ar.GetRemainingLoadBytes())
        AfxThrowArchiveException(CArchiveException::badIndex);
    colors.SetSize(nColors);
    for (int i = 0; i < nColors; i++)
    {
        DWORD dwColor = 0;
        ar >> dwColor;
        colors[i] = dwColor;
    }
}

void CKTColorBar::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << m_nNumColumns << m_nNumRowsHorz << m_nNumColumnsVert;
        ar << static_cast<DWORD>(m_ColorAutomatic);
        ar << m_strAutoColor << m_strOtherColor << m_strDocColors;
        ar << m_bIsTearOff << static_cast<int>(m_nCommandID) << m_bStdColorDlg;
        SerializeColors(ar, m_colors);
        return;
    }
    DWORD dwAutomatic = 0;
    int nCommandID = 0;
    ar >> m_nNumColumns >> m_nNumRowsHorz >> m_nNumColumnsVert;
    ar >> dwAutomatic;
    m_ColorAutomatic = dwAutomatic;
    ar >> m_strAutoColor >> m_strOtherColor >> m_strDocColors;
    ar >> m_bIsTearOff >> nCommandID >> m_bStdColorDlg;
    m_nCommandID = static_cast<UINT>(nCommandID);
    SerializeColors(ar, m_colors);
    m_Palette.DeleteObject();
    Rebuild();
}

void CKTColorBar::SyncColorBars(UINT nCommandID, COLORREF color, const CKTColorBar* pExcept)
{
    const CObList& bars = CKTToolBar::GetAllToolbars();
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;)
    {
        CKTColorBar* pBar = AsColorBar(bars.GetNext(pos));
        if (pBar != nullptr && pBar != pExcept && pBar->m_nCommandID == nCommandID)
            pBar->SetColor(color);
    }
}

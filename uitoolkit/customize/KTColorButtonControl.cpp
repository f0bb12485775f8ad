// The colour button control: its palette, its popup and its face.
#include "uitoolkit/customize/KTColorButtonControl.h"

#include "uitoolkit/customize/KTColorPopup.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManager.h"
#include "uitoolkit/looks/KTWinXPVisualManager.h"

#include <vector>

IMPLEMENT_DYNAMIC(CKTColorButton, CKTButton)

namespace
{
const int kSystemPaletteEntries = 256;
} // namespace

BEGIN_MESSAGE_MAP(CKTColorButton, CKTButton)
ON_WM_LBUTTONDOWN()
ON_WM_KEYDOWN()
ON_WM_GETDLGCODE()
ON_WM_SYSCOLORCHANGE()
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CKTColorButton::CKTColorButton()
{
    m_bOwnPalette = TRUE;
    RebuildPalette(nullptr);
}

CKTColorButton::~CKTColorButton()
{
    if (m_pPopup != nullptr)
    {
        // The popup outlives no owner: it forgets the button before it goes.
        m_pPopup->GetColorBar()->SetOwnerControl(nullptr);
        if (m_pPopup->GetSafeHwnd() != nullptr)
            m_pPopup->DestroyWindow();
    }
}

void CKTColorButton::RebuildPalette(CPalette* pPalette)
{
    m_Palette.DeleteObject();
    m_Colors.RemoveAll();
    std::vector<PALETTEENTRY> entries;
    if (pPalette != nullptr && pPalette->GetSafeHandle() != nullptr)
    {
        const int nEntries = ::GetPaletteEntries((HPALETTE)pPalette->GetSafeHandle(), 0, 0, nullptr);
        if (nEntries > 0)
        {
            entries.resize(static_cast<size_t>(nEntries));
            entries.resize(::GetPaletteEntries((HPALETTE)pPalette->GetSafeHandle(), 0, nEntries, entries.data()));
        }
    }
    else
    {
        entries.resize(kSystemPaletteEntries);
        HDC hScreen = ::GetDC(nullptr);
        const UINT nRead = ::GetSystemPaletteEntries(hScreen, 0, kSystemPaletteEntries, entries.data());
        ::ReleaseDC(nullptr, hScreen);
        if (nRead == 0)
        {
            // Screens without a palette answer nothing: the default palette stands in.
            entries.resize(::GetPaletteEntries((HPALETTE)::GetStockObject(DEFAULT_PALETTE), 0, kSystemPaletteEntries,
                                               entries.data()));
        }
        else
            entries.resize(nRead);
    }
    if (entries.empty())
        return;
    std::vector<BYTE> buffer(sizeof(LOGPALETTE) + entries.size() * sizeof(PALETTEENTRY));
    LOGPALETTE* pLogPalette = reinterpret_cast<LOGPALETTE*>(buffer.data());
    pLogPalette->palVersion = 0x300;
    pLogPalette->palNumEntries = static_cast<WORD>(entries.size());
    for (size_t i = 0; i < entries.size(); i++)
    {
        pLogPalette->palPalEntry[i] = entries[i];
        pLogPalette->palPalEntry[i].peFlags = 0;
        m_Colors.Add(RGB(entries[i].peRed, entries[i].peGreen, entries[i].peBlue));
    }
    m_Palette.CreatePalette(pLogPalette);
}

void CKTColorButton::SetPalette(CPalette* pPalette)
{
    m_bOwnPalette = pPalette == nullptr;
    RebuildPalette(pPalette);
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

CPalette* CKTColorButton::GetColorBarPalette() const
{
    if (ktGlobals.m_bitsPerPixel > 8 || m_Palette.GetSafeHandle() == nullptr)
        return nullptr;
    return const_cast<CPalette*>(&m_Palette);
}

void CKTColorButton::SetColor(COLORREF color)
{
    m_Color = color;
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

void CKTColorButton::EnableAutomaticButton(LPCTSTR lpszLabel, COLORREF colorAutomatic, BOOL bEnable)
{
    m_strAutoColorText = bEnable && lpszLabel != nullptr ? lpszLabel : _T("");
    m_ColorAutomatic = colorAutomatic;
}

void CKTColorButton::EnableOtherButton(LPCTSTR lpszLabel, BOOL bAltColorDlg, BOOL bEnable)
{
    m_strOtherText = bEnable && lpszLabel != nullptr ? lpszLabel : _T("");
    m_bAltColorDlg = bAltColorDlg;
}

BOOL CKTColorButton::OpenPopup()
{
    if (m_pPopup != nullptr || GetSafeHwnd() == nullptr)
        return FALSE;
    CRect rect;
    GetWindowRect(&rect);
    const CList<COLORREF, COLORREF> none;
    CColorPopup* pPopup =
        new CColorPopup(m_Colors, m_Color, m_strAutoColorText.IsEmpty() ? nullptr : (LPCTSTR)m_strAutoColorText,
                        m_strOtherText.IsEmpty() ? nullptr : (LPCTSTR)m_strOtherText, nullptr, none, m_nColumns, -1, -1,
                        m_ColorAutomatic, GetDlgCtrlID(), this);
    pPopup->GetColorBar()->EnableOtherButton(m_strOtherText.IsEmpty() ? nullptr : (LPCTSTR)m_strOtherText,
                                             !m_bAltColorDlg);
    m_pPopup = pPopup;
    Invalidate();
    // A failed popup deletes itself and has told the button that it closed.
    if (!pPopup->Create(this, rect.left, rect.bottom, nullptr, TRUE))
    {
        m_pPopup = nullptr;
        return FALSE;
    }
    return TRUE;
}

void CKTColorButton::OnColorBarChoose(COLORREF color)
{
    SetColor(color);
    CWnd* pParent = GetParent();
    if (pParent != nullptr && pParent->GetSafeHwnd() != nullptr)
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), reinterpret_cast<LPARAM>(m_hWnd));
}

void CKTColorButton::OnColorBarClosed()
{
    m_pPopup = nullptr;
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

void CKTColorButton::OnLButtonDown(UINT nFlags, CPoint point)
{
    (void)nFlags;
    (void)point;
    SetFocus();
    OpenPopup();
}

void CKTColorButton::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_SPACE || nChar == VK_DOWN)
    {
        OpenPopup();
        return;
    }
    CKTButton::OnKeyDown(nChar, nRepCnt, nFlags);
}

BOOL CKTColorButton::PreTranslateMessage(MSG* pMsg)
{
    // The button keeps the focus while its popup is open: the popup's keys pass through it.
    if (m_pPopup != nullptr && m_pPopup->GetSafeHwnd() != nullptr &&
        (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN))
    {
        CColorPopup* pPopup = m_pPopup;
        if (!pPopup->GetColorBar()->PreTranslateMessage(pMsg) && pMsg->message == WM_KEYDOWN && m_pPopup == pPopup)
            pPopup->SendMessage(WM_KEYDOWN, pMsg->wParam, pMsg->lParam);
        return TRUE;
    }
    return CKTButton::PreTranslateMessage(pMsg);
}

void CKTColorButton::OnKillFocus(CWnd* pNewWnd)
{
    CKTButton::OnKillFocus(pNewWnd);
    // Focus that moves elsewhere in the dialog ends the popup; a popup hidden for the colour
    // dialog stays until that dialog is done.
    if (m_pPopup != nullptr && m_pPopup->GetSafeHwnd() != nullptr && m_pPopup->IsWindowVisible())
    {
        m_pPopup->ShowWindow(SW_HIDE);
        m_pPopup->PostMessage(WM_CLOSE);
    }
}

UINT CKTColorButton::OnGetDlgCode()
{
    return DLGC_WANTARROWS | DLGC_BUTTON;
}

void CKTColorButton::OnSysColorChange()
{
    CKTButton::OnSysColorChange();
    if (m_bOwnPalette)
        RebuildPalette(nullptr);
    Invalidate();
}

void CKTColorButton::OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState)
{
    // Pushed while the popup is open when the themed look is the current one: only that look
    // draws the button through the theme, whatever the buttons' own theme switch says.
    if (m_pPopup != nullptr && CKTVisualManager::GetInstance()->IsKindOf(RUNTIME_CLASS(CKTWinXPVisualManager)))
        uiState |= ODS_SELECTED;
    CKTButton::OnDrawBorder(pDC, rectClient, uiState);
}

void CKTColorButton::OnDraw(CDC* pDC, const CRect& rect, UINT uiState)
{
    CPalette* pOldPalette = nullptr;
    if (CPalette* pPalette = GetColorBarPalette())
    {
        pOldPalette = pDC->SelectPalette(pPalette, FALSE);
        pDC->RealizePalette();
    }
    CRect rectColor = rect;
    rectColor.DeflateRect(2, 2);
    const BOOL bDisabled = (uiState & ODS_DISABLED) != 0;
    const COLORREF color = m_Color == (COLORREF)-1 ? m_ColorAutomatic : m_Color;
    if (!bDisabled)
    {
        CBrush brush(pOldPalette != nullptr ? PALETTERGB(GetRValue(color), GetGValue(color), GetBValue(color)) : color);
        pDC->FillRect(rectColor, &brush);
    }
    pDC->Draw3dRect(rectColor, ktGlobals.m_colorShadow, ktGlobals.m_colorShadow);
    if (pOldPalette != nullptr)
        pDC->SelectPalette(pOldPalette, FALSE);
}

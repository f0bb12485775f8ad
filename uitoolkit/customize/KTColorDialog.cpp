#include "uitoolkit/customize/KTColorDialog.h"

#include "uitoolkit/customize/KTColorPages.h"
#include "uitoolkit/customize/KTColorResources.h"
#include "uitoolkit/customize/KTPropertySheetCtrl.h"
#include "uitoolkit/looks/KTUIGlobals.h"

#include <vector>

IMPLEMENT_DYNAMIC(CKTColorDialog, CDialog)

BEGIN_MESSAGE_MAP(CKTColorDialog, CDialog)
ON_WM_SYSCOLORCHANGE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CKTColorDialog::CKTColorDialog(COLORREF clrInit, DWORD /*dwFlags*/, CWnd* pParentWnd, HPALETTE hPal)
    : CDialog(IDD_KT_COLOR_DIALOG, pParentWnd), m_CurrentColor(clrInit), m_NewColor(clrInit)
{
    if (hPal != nullptr)
        m_pPalette = CPalette::FromHandle(hPal);
}

CKTColorDialog::~CKTColorDialog()
{
    delete m_pPropSheet;
    delete m_pColourSheetOne;
    delete m_pColourSheetTwo;
    if (m_bIsMyPalette)
        delete m_pPalette;
}

void CKTColorDialog::SetCurrentColor(COLORREF color)
{
    m_CurrentColor = color;
    if (m_wndColors.GetSafeHwnd() != nullptr)
        m_wndColors.SetOriginalColor(color);
}

void CKTColorDialog::RebuildPalette()
{
    if (m_bIsMyPalette)
    {
        delete m_pPalette;
        m_pPalette = nullptr;
        m_bIsMyPalette = FALSE;
    }
    // The system palette's 256 entries; a screen without a palette reports none, and then the
    // default palette's entries stand in.
    std::vector<BYTE> buffer(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY));
    LOGPALETTE* pLogPalette = reinterpret_cast<LOGPALETTE*>(buffer.data());
    pLogPalette->palVersion = 0x300;
    HDC hDC = ::GetDC(nullptr);
    UINT nEntries = ::GetSystemPaletteEntries(hDC, 0, 256, pLogPalette->palPalEntry);
    ::ReleaseDC(nullptr, hDC);
    if (nEntries == 0)
        nEntries = ::GetPaletteEntries((HPALETTE)::GetStockObject(DEFAULT_PALETTE), 0, 256, pLogPalette->palPalEntry);
    pLogPalette->palNumEntries = static_cast<WORD>(nEntries);
    CPalette* pPalette = new CPalette;
    if (nEntries == 0 || !pPalette->CreatePalette(pLogPalette))
    {
        delete pPalette;
        return;
    }
    m_pPalette = pPalette;
    m_bIsMyPalette = TRUE;
}

INT_PTR CKTColorDialog::RunSystemColorDialog(COLORREF& color)
{
    CColorDialog dlg(color, CC_FULLOPEN | CC_ANYCOLOR, GetParent());
    const INT_PTR nResult = dlg.DoModal();
    if (nResult == IDOK)
        color = dlg.GetColor();
    return nResult;
}

void CKTColorDialog::HandOverToSystemDialog()
{
    COLORREF color = m_CurrentColor;
    const INT_PTR nResult = RunSystemColorDialog(color);
    if (nResult == IDOK)
        m_NewColor = color;
    EndDialog(static_cast<int>(nResult));
}

BOOL CKTColorDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (ktGlobals.m_bitsPerPixel < 8)
    {
        HandOverToSystemDialog();
        return TRUE;
    }
    if (m_pPalette == nullptr)
        RebuildPalette();

    m_wndColors.SubclassDlgItem(IDC_KT_COLOR_SWATCH, this);
    m_wndColors.SetType(CKTColorPickerCtrl::CURRENT);
    m_wndColors.SetPalette(m_pPalette);
    m_wndColors.SetOriginalColor(m_CurrentColor);
    SetNewColor(m_NewColor);

    m_wndStaticPlaceHolder.SubclassDlgItem(IDC_KT_COLOR_PLACEHOLDER, this);
    CRect rectSheet;
    m_wndStaticPlaceHolder.GetWindowRect(&rectSheet);
    ScreenToClient(&rectSheet);

    m_pColourSheetOne = new CColorPage1;
    m_pColourSheetTwo = new CColorPage2;
    m_pColourSheetOne->SetDialog(this);
    m_pColourSheetTwo->SetDialog(this);
    m_pPropSheet = new CPropertySheetCtrl;
    m_pPropSheet->AddPage(m_pColourSheetOne);
    m_pPropSheet->AddPage(m_pColourSheetTwo);
    if (m_pPropSheet->Create(this, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | DS_SETFONT))
    {
        m_pPropSheet->SetWindowPos(nullptr, rectSheet.left, rectSheet.top, rectSheet.Width(), rectSheet.Height(),
                                   SWP_NOZORDER | SWP_NOACTIVATE);
        // Both pages exist from the start, so that each can follow the other at once.
        m_pPropSheet->SetActivePage(1);
        m_pPropSheet->SetActivePage(0);
        m_pPropSheet->LayoutPages();
    }
    const BYTE R = GetRValue(m_NewColor), G = GetGValue(m_NewColor), B = GetBValue(m_NewColor);
    SetPageOne(R, G, B);
    SetPageTwo(R, G, B);
    return TRUE;
}

void CKTColorDialog::SetNewColor(COLORREF color)
{
    m_NewColor = color;
    if (m_wndColors.GetSafeHwnd() == nullptr)
        return;
    if (ktGlobals.m_bitsPerPixel <= 8 && m_pPalette != nullptr && m_pPalette->GetSafeHandle() != nullptr)
        m_wndColors.SetColor(PALETTEINDEX(::GetNearestPaletteIndex((HPALETTE)m_pPalette->GetSafeHandle(), color)));
    else
        m_wndColors.SetColor(color);
    m_wndColors.Invalidate();
}

void CKTColorDialog::SetPageOne(BYTE R, BYTE G, BYTE B)
{
    if (m_pColourSheetOne != nullptr)
        m_pColourSheetOne->SelectColor(RGB(R, G, B));
}

void CKTColorDialog::SetPageTwo(BYTE R, BYTE G, BYTE B)
{
    if (m_pColourSheetTwo != nullptr)
        m_pColourSheetTwo->Setup(R, G, B);
}

void CKTColorDialog::OnSysColorChange()
{
    Default();
    ktGlobals.UpdateSysColors();
    if (!m_bIsMyPalette)
        return;
    if (ktGlobals.m_bitsPerPixel < 8)
    {
        HandOverToSystemDialog();
        return;
    }
    RebuildPalette();
    m_wndColors.SetPalette(m_pPalette);
    if (m_pColourSheetOne != nullptr && m_pColourSheetOne->GetSafeHwnd() != nullptr)
    {
        m_pColourSheetOne->m_hexpicker.SetPalette(m_pPalette);
        m_pColourSheetOne->m_hexpicker_greyscale.SetPalette(m_pPalette);
    }
    if (m_pColourSheetTwo != nullptr && m_pColourSheetTwo->GetSafeHwnd() != nullptr)
    {
        m_pColourSheetTwo->m_wndLum.SetPalette(m_pPalette);
        m_pColourSheetTwo->m_wndColorPicker.SetPalette(m_pPalette);
    }
    Invalidate();
    UpdateWindow();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void CKTColorDialog::OnDestroy()
{
    // The pickers borrow the palette: they forget it before it goes.
    m_wndColors.SetPalette(nullptr);
    if (m_bIsMyPalette)
    {
        delete m_pPalette;
        m_pPalette = nullptr;
        m_bIsMyPalette = FALSE;
    }
    Default();
}

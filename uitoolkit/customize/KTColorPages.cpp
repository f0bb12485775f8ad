#include "uitoolkit/customize/KTColorPages.h"

#include "uitoolkit/customize/KTColorDialog.h"
#include "uitoolkit/customize/KTColorResources.h"
#include "uitoolkit/looks/KTDrawHelper.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CColorPage1, CPropertyPage)
IMPLEMENT_DYNAMIC(CColorPage2, CPropertyPage)

namespace
{
const int kSpins[] = {IDC_KT_COLOR_HUE_SPIN, IDC_KT_COLOR_SAT_SPIN,   IDC_KT_COLOR_LUM_SPIN,
                      IDC_KT_COLOR_RED_SPIN, IDC_KT_COLOR_GREEN_SPIN, IDC_KT_COLOR_BLUE_SPIN};
} // namespace

// Standard page ----------------------------------------------------------------------------------

CColorPage1::CColorPage1() : CPropertyPage(IDD_KT_COLOR_PAGE_STANDARD) {}

BOOL CColorPage1::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_hexpicker.SubclassDlgItem(IDC_KT_COLOR_HEX, this);
    m_hexpicker_greyscale.SubclassDlgItem(IDC_KT_COLOR_GREY, this);
    CPalette* pPalette = m_pDialog != nullptr ? m_pDialog->GetPalette() : nullptr;
    m_hexpicker.SetPalette(pPalette);
    m_hexpicker_greyscale.SetPalette(pPalette);
    m_hexpicker.SetType(CKTColorPickerCtrl::HEX);
    m_hexpicker_greyscale.SetType(CKTColorPickerCtrl::HEX_GREYSCALE);
    if (m_colorPending != (COLORREF)-1)
        SelectColor(m_colorPending);
    return TRUE;
}

void CColorPage1::SelectColor(COLORREF color)
{
    m_colorPending = color;
    if (m_hexpicker.GetSafeHwnd() == nullptr)
        return;
    m_hexpicker.SetColor(color);
    m_hexpicker_greyscale.SetColor(color);
}

BOOL CColorPage1::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    const UINT nCode = HIWORD(wParam);
    if (nID == IDC_KT_COLOR_HEX || nID == IDC_KT_COLOR_GREY)
    {
        if (nCode == BN_DOUBLECLICKED)
        {
            if (m_pDialog != nullptr)
                m_pDialog->EndDialog(IDOK);
        }
        else if (nCode == 0)
        {
            if (nID == IDC_KT_COLOR_HEX)
                OnHexChanged();
            else
                OnGreyChanged();
        }
        return TRUE;
    }
    return CPropertyPage::OnCommand(wParam, lParam);
}

void CColorPage1::OnHexChanged()
{
    const COLORREF color = m_hexpicker.GetColor();
    m_colorPending = color;
    if (m_pDialog != nullptr)
    {
        m_pDialog->SetNewColor(color);
        m_pDialog->SetPageTwo(GetRValue(color), GetGValue(color), GetBValue(color));
    }
    m_hexpicker_greyscale.SetColor(color);
}

void CColorPage1::OnGreyChanged()
{
    // The grey cell's own colour: converting its hue, luminance and saturation back rounds some
    // greys one step down where doubles are held at extended precision (32-bit builds).
    const COLORREF color = m_hexpicker_greyscale.GetColor();
    m_colorPending = color;
    if (m_pDialog != nullptr)
    {
        m_pDialog->SetNewColor(color);
        m_pDialog->SetPageTwo(GetRValue(color), GetGValue(color), GetBValue(color));
    }
    m_hexpicker.SetColor(color);
}

// Custom page ------------------------------------------------------------------------------------

CColorPage2::CColorPage2() : CPropertyPage(IDD_KT_COLOR_PAGE_CUSTOM) {}

double CColorPage2::FieldToComponent(int nValue)
{
    return std::min((nValue + 0.5) / 255.0, 1.0);
}

int CColorPage2::ComponentToField(double dblValue)
{
    return std::min(static_cast<int>(dblValue * 255 + 0.5), 255);
}

BOOL CColorPage2::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_wndColorPicker.SubclassDlgItem(IDC_KT_COLOR_SWATCH, this);
    m_wndLum.SubclassDlgItem(IDC_KT_COLOR_LUMINANCE, this);
    CPalette* pPalette = m_pDialog != nullptr ? m_pDialog->GetPalette() : nullptr;
    m_wndColorPicker.SetPalette(pPalette);
    m_wndLum.SetPalette(pPalette);
    m_wndColorPicker.SetType(CKTColorPickerCtrl::PICKER);
    m_wndLum.SetType(CKTColorPickerCtrl::LUMINANCE);
    m_wndLum.SetHLS(m_wndColorPicker.GetHue(), m_wndColorPicker.GetLuminance(), m_wndColorPicker.GetSaturation());
    for (int nID : kSpins)
        SendDlgItemMessage(nID, UDM_SETRANGE32, 0, 255);
    m_bIsReady = TRUE;
    if (m_colorPending != (COLORREF)-1)
        Setup(GetRValue(m_colorPending), GetGValue(m_colorPending), GetBValue(m_colorPending));
    return TRUE;
}

void CColorPage2::Setup(BYTE R, BYTE G, BYTE B)
{
    const COLORREF color = RGB(R, G, B);
    m_colorPending = color;
    if (!m_bIsReady)
        return;
    double hue, sat, lum;
    CKTDrawHelper::RGBtoHSL(color, &hue, &sat, &lum);
    m_wndColorPicker.SetHLS(hue, lum, sat);
    m_wndLum.SetHLS(hue, lum, sat);
    SetRGBFields(color);
    SetHLSFields(hue, lum, sat);
}

void CColorPage2::SetRGBFields(COLORREF color)
{
    const BOOL bWasUpdating = m_bInUpdate;
    m_bInUpdate = TRUE;
    SetDlgItemInt(IDC_KT_COLOR_RED, GetRValue(color), FALSE);
    SetDlgItemInt(IDC_KT_COLOR_GREEN, GetGValue(color), FALSE);
    SetDlgItemInt(IDC_KT_COLOR_BLUE, GetBValue(color), FALSE);
    m_bInUpdate = bWasUpdating;
}

void CColorPage2::SetHLSFields(double hue, double lum, double sat)
{
    const BOOL bWasUpdating = m_bInUpdate;
    m_bInUpdate = TRUE;
    SetDlgItemInt(IDC_KT_COLOR_HUE_EDIT, ComponentToField(hue), FALSE);
    SetDlgItemInt(IDC_KT_COLOR_SAT_EDIT, ComponentToField(sat), FALSE);
    SetDlgItemInt(IDC_KT_COLOR_LUM_EDIT, ComponentToField(lum), FALSE);
    m_bInUpdate = bWasUpdating;
}

BOOL CColorPage2::ReadField(int nID, int& nValue) const
{
    BOOL bTranslated = FALSE;
    const UINT nRead = GetDlgItemInt(nID, &bTranslated, FALSE);
    if (!bTranslated || nRead > 255)
        return FALSE;
    nValue = static_cast<int>(nRead);
    return TRUE;
}

void CColorPage2::Propagate(COLORREF color)
{
    m_colorPending = color;
    if (m_pDialog == nullptr)
        return;
    m_pDialog->SetNewColor(color);
    m_pDialog->SetPageOne(GetRValue(color), GetGValue(color), GetBValue(color));
}

BOOL CColorPage2::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    const UINT nCode = HIWORD(wParam);
    switch (nID)
    {
    case IDC_KT_COLOR_RED:
    case IDC_KT_COLOR_GREEN:
    case IDC_KT_COLOR_BLUE:
        if (nCode == EN_CHANGE)
            OnRGBChanged();
        return TRUE;
    case IDC_KT_COLOR_HUE_EDIT:
    case IDC_KT_COLOR_SAT_EDIT:
    case IDC_KT_COLOR_LUM_EDIT:
        if (nCode == EN_CHANGE)
            OnHLSChanged();
        return TRUE;
    case IDC_KT_COLOR_LUMINANCE:
        if (nCode == 0)
            OnLuminanceChanged();
        return TRUE;
    case IDC_KT_COLOR_SWATCH:
        if (nCode == 0)
            OnPictureChanged();
        else if (nCode == BN_DOUBLECLICKED && m_pDialog != nullptr)
            m_pDialog->EndDialog(IDOK);
        return TRUE;
    default:
        return CPropertyPage::OnCommand(wParam, lParam);
    }
}

void CColorPage2::OnRGBChanged()
{
    if (!m_bIsReady || m_bInUpdate)
        return;
    int R, G, B;
    if (!ReadField(IDC_KT_COLOR_RED, R) || !ReadField(IDC_KT_COLOR_GREEN, G) || !ReadField(IDC_KT_COLOR_BLUE, B))
        return;
    const COLORREF color = RGB(R, G, B);
    Propagate(color);
    double hue, sat, lum;
    CKTDrawHelper::RGBtoHSL(color, &hue, &sat, &lum);
    SetHLSFields(hue, lum, sat);
    m_wndColorPicker.SetHLS(hue, lum, sat);
    m_wndLum.SetHLS(hue, lum, sat);
}

void CColorPage2::OnHLSChanged()
{
    if (!m_bIsReady || m_bInUpdate)
        return;
    int H, S, L;
    if (!ReadField(IDC_KT_COLOR_HUE_EDIT, H) || !ReadField(IDC_KT_COLOR_SAT_EDIT, S) ||
        !ReadField(IDC_KT_COLOR_LUM_EDIT, L))
        return;
    const double hue = FieldToComponent(H), sat = FieldToComponent(S), lum = FieldToComponent(L);
    const COLORREF color = CKTDrawHelper::HLStoRGB(hue, lum, sat);
    SetRGBFields(color);
    Propagate(color);
    m_wndColorPicker.SetHLS(hue, lum, sat);
    m_wndLum.SetHLS(hue, lum, sat);
}

void CColorPage2::OnLuminanceChanged()
{
    m_wndColorPicker.SetLuminance(m_wndLum.GetLuminance());
    const COLORREF color = m_wndColorPicker.GetColor();
    SetRGBFields(color);
    SetHLSFields(m_wndColorPicker.GetHue(), m_wndColorPicker.GetLuminance(), m_wndColorPicker.GetSaturation());
    Propagate(color);
}

void CColorPage2::OnPictureChanged()
{
    const COLORREF color = m_wndColorPicker.GetColor();
    SetRGBFields(color);
    m_wndLum.SetHLS(m_wndColorPicker.GetHue(), -1, m_wndColorPicker.GetSaturation());
    m_wndLum.UpdateWindow();
    SetHLSFields(m_wndColorPicker.GetHue(), m_wndColorPicker.GetLuminance(), m_wndColorPicker.GetSaturation());
    Propagate(color);
}

#pragma once
// The two pages of the toolkit's colour dialog. Each keeps its pickers (and the Custom page its
// fields) in step with the dialog's new colour; a double click on a picture chooses the colour.
#include "framework/Afx.h"
#include "uitoolkit/customize/KTColorPickerCtrl.h"

class CKTColorDialog;

class CColorPage1 : public CPropertyPage
{
    DECLARE_DYNAMIC(CColorPage1)
public:
    CColorPage1();

    void SetDialog(CKTColorDialog* pDialog) { m_pDialog = pDialog; }
    // Both pickers select the colour (the one that lacks it shows none).
    void SelectColor(COLORREF color);

    CKTColorPickerCtrl m_hexpicker;
    CKTColorPickerCtrl m_hexpicker_greyscale;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnHexChanged();
    void OnGreyChanged();

    CKTColorDialog* m_pDialog = nullptr;
    COLORREF m_colorPending = (COLORREF)-1;
};

class CColorPage2 : public CPropertyPage
{
    DECLARE_DYNAMIC(CColorPage2)
public:
    CColorPage2();

    void SetDialog(CKTColorDialog* pDialog) { m_pDialog = pDialog; }
    void Setup(BYTE R, BYTE G, BYTE B);

    // A field value 0 to 255 as a component 0 to 1, and back.
    static double FieldToComponent(int nValue);
    static int ComponentToField(double dblValue);

    CKTColorPickerCtrl m_wndLum;
    CKTColorPickerCtrl m_wndColorPicker;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnRGBChanged();
    void OnHLSChanged();
    void OnLuminanceChanged();
    void OnPictureChanged();
    // Writes the red, green and blue fields, and the hue, saturation and luminance ones.
    void SetRGBFields(COLORREF color);
    void SetHLSFields(double hue, double lum, double sat);
    // The dialog's new colour and the Standard page follow the colour.
    void Propagate(COLORREF color);
    BOOL ReadField(int nID, int& nValue) const;

    CKTColorDialog* m_pDialog = nullptr;
    BOOL m_bIsReady = FALSE;
    BOOL m_bInUpdate = FALSE;
    COLORREF m_colorPending = (COLORREF)-1;
};

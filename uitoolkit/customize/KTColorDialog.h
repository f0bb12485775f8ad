#pragma once
// The toolkit's colour dialog: the new colour above the current one, and a Standard page (the
// honeycomb and the grey row) and a Custom page (hue/saturation picture, luminance bar and six
// numeric fields) in a property sheet inside the dialog. IDOK means the new colour was chosen.
// On screens below 8 bits per pixel the system colour dialog runs instead, with the current colour.
//
// The dialog owns its sheet, its pages and the palette it makes; a lent palette stays the caller's.

#include "framework/Afx.h"
#include "uitoolkit/customize/KTColorPickerCtrl.h"

class CColorPage1;
class CColorPage2;
class CPropertySheetCtrl;

class CKTColorDialog : public CDialog
{
    DECLARE_DYNAMIC(CKTColorDialog)
public:
    // dwFlags has no effect; it is kept for the callers that pass the system dialog's flags.
    explicit CKTColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr,
                            HPALETTE hPal = nullptr);
    ~CKTColorDialog() override;

    void SetCurrentColor(COLORREF color);
    COLORREF GetCurrentColor() const { return m_CurrentColor; }
    COLORREF GetColor() const { return m_NewColor; }
    // Stores the new colour and shows it in the swatch (the nearest entry on palette screens).
    void SetNewColor(COLORREF color);
    // The Standard page's pickers select the colour.
    void SetPageOne(BYTE R, BYTE G, BYTE B);
    // The Custom page takes the colour into its pickers and fields.
    void SetPageTwo(BYTE R, BYTE G, BYTE B);

    CPalette* GetPalette() const { return m_pPalette; }
    CKTColorPickerCtrl& GetSwatch() { return m_wndColors; }
    CPropertySheetCtrl* GetSheet() const { return m_pPropSheet; }
    CColorPage1* GetStandardPage() const { return m_pColourSheetOne; }
    CColorPage2* GetCustomPage() const { return m_pColourSheetTwo; }

protected:
    BOOL OnInitDialog() override;
    // The system colour dialog (full open, any colour) from the colour given; its result.
    virtual INT_PTR RunSystemColorDialog(COLORREF& color);
    void HandOverToSystemDialog();
    void RebuildPalette();
    void OnSysColorChange();
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

    COLORREF m_CurrentColor;
    COLORREF m_NewColor;
    CPalette* m_pPalette = nullptr;
    BOOL m_bIsMyPalette = FALSE;
    CKTColorPickerCtrl m_wndColors;
    CStatic m_wndStaticPlaceHolder;
    CPropertySheetCtrl* m_pPropSheet = nullptr;
    CColorPage1* m_pColourSheetOne = nullptr;
    CColorPage2* m_pColourSheetTwo = nullptr;
};

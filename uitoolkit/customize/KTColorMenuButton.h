#pragma once
// A toolbar or menu button that shows the chosen colour as a stripe on its image and drops down a
// colour popup. Every colour button and colour bar with the same command id shows the same colour:
// choosing in one changes the others at once. The button stores its popup's settings with the
// toolbar state; the chosen colour itself is not stored.
//
// The button is owned by its bar; its popup is owned by its window. User-interface thread only.

#include "uitoolkit/bars/KTToolbarMenuButton.h"

class CKTColorMenuButton : public CKTToolbarMenuButton
{
    DECLARE_SERIAL(CKTColorMenuButton)
public:
    CKTColorMenuButton();
    CKTColorMenuButton(UINT uiCmdID, LPCTSTR lpszText, CPalette* pPalette = nullptr);

    // Sent to the top-level frame before a popup with document colours opens: the command id, and
    // a CList<COLORREF, COLORREF>* to fill.
    static UINT GetDocumentColorsMessage();

    // Stores the colour and repaints; with bNotify every other colour menu button and colour bar
    // with this command id takes it too.
    virtual void SetColor(COLORREF color, BOOL bNotify = TRUE);
    COLORREF GetColor() const { return m_Color; }
    // The system colour dialog or the toolkit's, as the switch says; TRUE and the colour on OK.
    virtual BOOL OpenColorDialog(COLORREF colorDefault, COLORREF& colorRes);

    void EnableAutomaticButton(LPCTSTR lpszLabel, COLORREF colorAutomatic, BOOL bEnable = TRUE);
    void EnableOtherButton(LPCTSTR lpszLabel, BOOL bAltColorDlg = TRUE, BOOL bEnable = TRUE);
    void EnableDocumentColors(LPCTSTR lpszLabel, BOOL bEnable = TRUE);
    // Columns of the popup (below 1: automatic) and the docked layouts of a torn-off bar.
    void SetColumnsNumber(int nColumns) { m_nColumns = nColumns; }
    void SetDockedLayout(int nRowsDockHorz, int nColDockVert);
    void SetColors(const CArray<COLORREF, COLORREF>& colors);
    const CArray<COLORREF, COLORREF>& GetColors() const { return m_Colors; }
    COLORREF GetAutomaticColor() const { return m_colorAutomatic; }
    int GetColumns() const { return m_nColumns; }
    int GetRowsDockHorz() const { return m_nHorzDockRows; }
    int GetColumnsDockVert() const { return m_nVertDockColumns; }
    BOOL IsAutomaticButton() const { return m_bIsAutomaticButton; }
    BOOL IsOtherButton() const { return m_bIsOtherButton; }
    BOOL IsDocumentColors() const { return m_bIsDocumentColors; }
    BOOL IsStdColorDlg() const { return m_bStdColorDlg; }

    // The stripe's colour: the colour, the automatic colour for -1, the shadow colour disabled.
    COLORREF GetStripeColor() const;
    // Where the stripe goes inside the button's rectangle, as the button is drawn now.
    CRect GetStripeRect(const CRect& rectButton, BOOL bHighlight) const;

    // Every colour menu button of every toolbar with the command id takes the colour.
    static void SyncColorButtons(UINT uiCmdID, COLORREF color, const CKTColorMenuButton* pExcept = nullptr);

    void Serialize(CArchive& ar) override;
    void CopyFrom(const CKTToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKTImageStrip* pImages, BOOL bHorz = TRUE, BOOL bCustomizeMode = FALSE,
                BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE, BOOL bGrayDisabledButtons = TRUE) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    int DrawAsListItem(CDC* pDC, const CRect& rect, BOOL bSelected) override;
    CKTPopupMenu* CreatePopupMenu() override;
    BOOL IsEmptyMenuAllowed() const override { return TRUE; }
    HWND GetHwnd() override { return nullptr; }

protected:
    void Initialize();
    void BuildPalette();
    void GetDocumentColors(CList<COLORREF, COLORREF>& lstColors);

    COLORREF m_Color = (COLORREF)-1;
    COLORREF m_colorAutomatic = 0;
    CArray<COLORREF, COLORREF> m_Colors;
    CPalette m_Palette;
    int m_nColumns = -1;
    int m_nHorzDockRows = -1;
    int m_nVertDockColumns = -1;
    BOOL m_bIsAutomaticButton = FALSE;
    BOOL m_bIsOtherButton = FALSE;
    BOOL m_bIsDocumentColors = FALSE;
    CString m_strAutomaticButtonLabel;
    CString m_strOtherButtonLabel;
    CString m_strDocumentColorsLabel;
    BOOL m_bStdColorDlg = FALSE;
};

// The button as a colour menu button, or null.
CKTColorMenuButton* AsColorMenuButton(CObject* pObject);

#pragma once
// A grid of colour cells on a popup-menu bar: inside a colour popup, as a palette control on a
// dialog (CreateControl), or as a toolbar torn off a popup. Besides the cells it can show an
// automatic button, a row of document colours under a label, and an other-colours button that
// opens a colour dialog and shows the colour chosen there in a custom cell. Choosing sets the
// selection and reports the bar's command id to its owner (or hands the colour to its owning
// colour control).
//
// The bar owns its buttons and its palette; the owning control is borrowed.

#include "framework/Afx.h"
#include "uitoolkit/bars/KTPopupMenuBar.h"
#include "uitoolkit/bars/KTToolBar.h"

class CKTColorBar;
class CKTColorMenuButton;

// What owns a colour bar dropped down from a control (a property-list colour item): it takes the
// chosen colour and hears that the popup closed.
class CKTColorBarOwner
{
public:
    virtual ~CKTColorBarOwner() = default;
    virtual void OnColorBarChoose(COLORREF color) = 0;
    virtual void OnColorBarClosed() = 0;
    // The window that gets the focus back; null for none.
    virtual CWnd* GetColorBarFocusWnd() const { return nullptr; }
    // A palette the owner shares with the bar; null to use the bar's own.
    virtual CPalette* GetColorBarPalette() const { return nullptr; }
};

// One cell of a colour bar: a colour, the automatic button, the other-colours button, the label
// of the document colours, a document colour or the custom cell.
class CColorButton : public CKTToolbarButton
{
    DECLARE_SERIAL(CColorButton)
public:
    CColorButton();
    CColorButton(COLORREF color, BOOL bIsAutomatic = FALSE, BOOL bIsOther = FALSE, LPCTSTR lpszText = nullptr,
                 BOOL bIsLabel = FALSE, BOOL bIsDocument = FALSE, BOOL bIsOtherColor = FALSE);

    void Serialize(CArchive& ar) override;
    void CopyFrom(const CKTToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKTImageStrip* pImages, BOOL bHorz = TRUE, BOOL bCustomizeMode = FALSE,
                BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE, BOOL bGrayDisabledButtons = TRUE) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    BOOL OnToolHitTest(const CWnd* pWnd, TOOLINFO* pTI) override;
    HWND GetHwnd() override { return nullptr; }
    BOOL IsDroppedDown() const override { return FALSE; }
    BOOL CanBeStored() const override { return FALSE; }

    // "Hex={RR,GG,BB}" for a colour cell, the text of a text button; empty when the cell shows
    // none (disabled, or tooltips switched off).
    CString GetTooltipText() const;
    BOOL IsTextButton() const { return m_bIsAutomatic || m_bIsOther || m_bIsLabel; }

    COLORREF m_Color = (COLORREF)-1;
    BOOL m_bHighlight = FALSE;
    BOOL m_bIsAutomatic = FALSE;
    BOOL m_bIsOther = FALSE;
    BOOL m_bIsLabel = FALSE;
    BOOL m_bIsDocument = FALSE;
    BOOL m_bIsOtherColor = FALSE;
    CKTColorBar* m_pParentBar = nullptr;
};

// The object as a colour cell, or null.
CColorButton* AsColorButton(CObject* pObject);
const CColorButton* AsColorButton(const CObject* pObject);

class CKTColorBar : public CKTPopupMenuBar
{
    DECLARE_SERIAL(CKTColorBar)
public:
    CKTColorBar();
    // For a popup. Null texts are empty (that part is not shown).
    CKTColorBar(const CArray<COLORREF, COLORREF>& colors, COLORREF color, LPCTSTR lpszAutoColor, LPCTSTR lpszOtherColor,
                LPCTSTR lpszDocColors, const CList<COLORREF, COLORREF>& lstDocColors, int nColumns, int nRowsDockHorz,
                int nColDockVert, COLORREF colorAutomatic, UINT nCommandID, CKTColorBarOwner* pOwner = nullptr);
    // A torn-off copy of a popup's bar with a new command id.
    CKTColorBar(const CKTColorBar& src, UINT uiCommandID);
    ~CKTColorBar() override;

    // Fills the colours from the palette (the default palette without one) when there are none.
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID, CPalette* pPalette = nullptr, int nColumns = 0,
                        int nRowsDockHorz = 0, int nColDockVert = 0);
    // A palette control on a dialog, fitted into the rectangle; fewer than one column chooses the
    // count that lets square cells fill it.
    virtual BOOL CreateControl(CWnd* pParentWnd, const CRect& rect, UINT nID, int nColumns = -1,
                               CPalette* pPalette = nullptr);
    // The column count that lets square cells fill a w x h area; -1 for automatic.
    static int ColumnsToFit(int nColors, int cx, int cy);

    void SetColor(COLORREF color);
    COLORREF GetColor() const { return m_ColorSelected; }
    COLORREF GetAutomaticColor() const { return m_ColorAutomatic; }
    UINT GetCommandID() const { return m_nCommandID; }
    void SetCommandID(UINT nCommandID) { m_nCommandID = nCommandID; }
    // The control the bar reports to; null for none.
    void SetOwnerControl(CKTColorBarOwner* pOwner) { m_pOwner = pOwner; }
    void SetDocumentColors(LPCTSTR lpszLabel, const CList<COLORREF, COLORREF>& lstColors);
    void EnableAutomaticButton(LPCTSTR lpszLabel, COLORREF colorAutomatic);
    void EnableOtherButton(LPCTSTR lpszLabel, BOOL bUseSystemDialog = FALSE);
    const CArray<COLORREF, COLORREF>& GetColors() const { return m_colors; }
    CSize GetCellSize() const { return CSize(m_nBoxWidth, m_nBoxHeight); }
    int GetTextRowHeight() const { return m_nRowHeight; }
    BOOL IsTornOff() const { return m_bIsTearOff; }
    BOOL IsEnabled() const { return m_bIsEnabled; }
    // The column and row counts for the bar docked vertically or not.
    void GetColumnsAndRows(BOOL bVertDock, int& nColumns, int& nRows) const;
    BOOL ShowsDocumentColors() const;
    // Whether the custom cell is shown for the selected colour.
    BOOL NeedsCustomCell() const;
    CColorButton* GetCustomCell() const;

    // The owner's palette when it shares one, else the bar's own on palette screens; null for none.
    CPalette* GetDrawPalette();

    virtual BOOL OpenColorDialog(COLORREF colorDefault, COLORREF& colorRes);
    virtual void Rebuild();

    void Serialize(CArchive& ar) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void DoPaint(CDC* pDC) override;
    BOOL IsButtonExtraSizeAvailable() const override { return FALSE; }
    BOOL AllowChangeTextLabels() const override { return FALSE; }
    CSize CalcSize(BOOL bVertDock) override;
    void AdjustLocations() override;
    BOOL OnSendCommand(const CKTToolbarButton* pButton) override;
    // Enter chooses the hot cell; a popup hands its keys here.
    BOOL OnKey(UINT nChar) override;
    void ShowCommandMessageString(UINT uiCmdId) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    // Chooses a cell as a click would (Enter on the hot cell does the same).
    BOOL ChooseCell(CColorButton* pButton);

    // Every colour bar of the toolbar list with this command id selects the colour.
    static void SyncColorBars(UINT nCommandID, COLORREF color, const CKTColorBar* pExcept = nullptr);

    inline static const int kMargin = 4;

protected:
    // The colour menu button whose popup holds the bar, or null.
    CKTColorMenuButton* GetPopupColorButton() const;
    // Closes the popup or the owner's window that holds the bar.
    void ClosePopup();
    void CommonInit();
    void FillColorsFromPalette(CPalette* pPalette);
    void BuildPalette();

public:
    // A logical palette of the first nMaxColors colours, into an empty palette object.
    static void CreatePaletteOfColors(CPalette& palette, const CArray<COLORREF, COLORREF>& colors, int nMaxColors);
    // A colour list as the bar and the colour menu button store it: a count, then each colour.
    // Loading throws an archive exception when the count does not fit the bytes left.
    static void SerializeColors(CArchive& ar, CArray<COLORREF, COLORREF>& colors);

protected:
    // Fits the cells into the client area: square and centred.
    void FitCellsToClient();
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnMouseLeave();
    void OnSize(UINT nType, int cx, int cy);
    BOOL OnQueryNewPalette();
    void OnPaletteChanged(CWnd* pFocusWnd);
    DECLARE_MESSAGE_MAP()

    int m_nNumColumns = 0;
    int m_nNumRowsHorz = 0;
    int m_nNumColumnsVert = 0;
    CArray<COLORREF, COLORREF> m_colors;
    CPalette m_Palette;
    int m_nBoxWidth = 0;
    int m_nBoxHeight = 0;
    int m_nRowHeight = 0;
    COLORREF m_ColorSelected = (COLORREF)-1;
    COLORREF m_ColorAutomatic = (COLORREF)-1;
    CString m_strAutoColor;
    CString m_strOtherColor;
    CString m_strDocColors;
    CList<COLORREF, COLORREF> m_lstDocColors;
    UINT m_nCommandID = 0;
    BOOL m_bStdColorDlg = FALSE;
    BOOL m_bIsEnabled = TRUE;
    BOOL m_bIsTearOff = FALSE;
    BOOL m_bShowDocColorsWhenDocked = FALSE;
    BOOL m_bIsControl = FALSE;
    CKTColorBarOwner* m_pOwner = nullptr;
    int m_nHorzOffset = 0;
    int m_nVertOffset = 0;
};

// The window as a colour bar, or null.
CKTColorBar* AsColorBar(CObject* pObject);

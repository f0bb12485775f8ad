#pragma once
// The pictures of the colour dialog, one owner-drawn button each: the new/current swatch, the
// luminance bar, the hue/saturation picture, the honeycomb of colour hexagons and the row of grey
// hexagons. A picker keeps its colour with its hue, luminance and saturation (each 0 to 1), takes
// the pointer and the arrow keys, and tells its parent of every change with WM_COMMAND (its id,
// code 0); a double click on the picture or the hexagons sends code BN_DOUBLECLICKED.
//
// The palette is borrowed; the hexagon cells and the cached picture belong to the control.

#include "framework/Afx.h"

#include <vector>

// One hexagon of the honeycomb or the grey row.
struct CKTColorHexCell
{
    POINT m_corners[6]{};
    COLORREF m_color = 0;
    // The colour it is painted with: a palette-index colour on palette screens.
    COLORREF m_colorPaint = 0;
    CPoint m_center;
    int m_nSize = 0;

    // The six corners of a cell of this size around the centre.
    static void MakeCorners(CPoint center, int nSize, POINT corners[6]);
    BOOL Contains(CPoint point) const;
};

class CKTColorPickerCtrl : public CButton
{
    DECLARE_DYNAMIC(CKTColorPickerCtrl)
public:
    enum COLORTYPE
    {
        CURRENT = 0,
        LUMINANCE = 1,
        PICKER = 2,
        HEX = 3,
        HEX_GREYSCALE = 4
    };

    CKTColorPickerCtrl();
    ~CKTColorPickerCtrl() override;

    void SetType(COLORTYPE colorType) { m_colorType = colorType; }
    COLORTYPE GetType() const { return m_colorType; }
    // Drops the cached picture; the palette stays the caller's.
    void SetPalette(CPalette* pPalette);
    // The colour with its hue, luminance and saturation; repaints.
    void SetColor(COLORREF color);
    COLORREF GetColor() const { return m_colorNew; }
    // The colour a swatch shows in its lower half.
    void SetOriginalColor(COLORREF color);
    // -1 leaves a component as it is; the colour follows from the three.
    void SetHLS(double hue, double luminance, double saturation, BOOL bInvalidate = TRUE);
    void SetHue(double hue) { SetHLS(hue, -1, -1); }
    void SetLuminance(double luminance) { SetHLS(-1, luminance, -1); }
    void SetSaturation(double saturation) { SetHLS(-1, -1, saturation); }
    double GetHue() const { return m_dblHue; }
    double GetLuminance() const { return m_dblLum; }
    double GetSaturation() const { return m_dblSat; }
    // At most three quarters of the client width.
    void SetLuminanceBarWidth(int nWidth);
    int GetLuminanceBarWidth() const { return m_nLumBarWidth; }

    // The hexagons, built on the first paint (or by BuildCells).
    const std::vector<CKTColorHexCell>& GetCells() const { return m_cells; }
    void BuildCells();
    // The cell whose polygon holds the point; null between cells.
    const CKTColorHexCell* CellFromPoint(CPoint point) const;
    // The first cell of that colour, which is drawn outlined; null when the colour has none.
    const CKTColorHexCell* FindCell(COLORREF color) const;

    // The honeycomb for a client rectangle: a white centre and six rings, 127 cells.
    static void MakeColorHexagons(CRect rect, std::vector<CKTColorHexCell>& cells);
    // The grey row for a client rectangle: big white, 15 greys, big black.
    static void MakeGreyHexagons(const CRect& rect, std::vector<CKTColorHexCell>& cells);
    // Pulls a channel onto 0, 128, 192 or 255 when it lies within the tolerance of one.
    static int SnapChannel(int nValue, int nTolerance);
    // The luminance at a height of the bar (the client rectangle less 5 pixels at each end).
    static double LuminanceFromHeight(const CRect& rectClient, int y);

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;

protected:
    void DrawSwatch(CDC* pDC, const CRect& rect);
    void DrawLuminanceBar(CDC* pDC, const CRect& rect);
    void DrawPicture(CDC* pDC, const CRect& rect);
    void DrawHexagons(CDC* pDC, const CRect& rect);
    void DrawPictureMarker(CDC* pDC);
    void DrawLuminanceMarker(CDC* pDC);
    // Fills the cached hue/saturation bitmap at the client size.
    BOOL BuildPicture(CDC* pDC, const CSize& size);
    COLORREF PaintColor(COLORREF color) const;
    CRect PictureMarkerRect() const;
    CRect LuminanceMarkerRect() const;
    CRect LuminanceBarRect() const;
    void HandlePoint(CPoint point);
    void NotifyParent(UINT nCode = 0);
    void RecomputeColor();

    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    UINT OnGetDlgCode();
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnSize(UINT nType, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* pDC);
    BOOL OnQueryNewPalette();
    void OnPaletteChanged(CWnd* pFocusWnd);
    DECLARE_MESSAGE_MAP()

    COLORTYPE m_colorType = PICKER;
    COLORREF m_colorNew = RGB(0, 0, 0);
    COLORREF m_colorOriginal = RGB(0, 0, 0);
    double m_dblHue = 0;
    double m_dblSat = 0;
    double m_dblLum = 0.5;
    CPalette* m_pPalette = nullptr;
    CBitmap m_bmpPicture;
    CSize m_sizePicture;
    std::vector<CKTColorHexCell> m_cells;
    int m_nLumBarWidth = 20;
    BOOL m_bTracking = FALSE;
};

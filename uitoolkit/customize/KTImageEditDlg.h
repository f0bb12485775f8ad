#pragma once
// The Edit Button Image dialog: a toolbar image drawn pixel by pixel on a zoomed grid, with a
// pencil, a flood fill, lines, rectangles, ellipses and a colour picker, the colour from an
// embedded colour bar, a 1:1 preview, and Copy, Paste and Clear through the clipboard. The
// bitmap is edited in place; there is no undo, the caller decides on IDOK whether to keep it.
//
// User-interface thread only. The bitmap is borrowed; the dialog owns its colour bar, its tools
// bar and the palette it gives the colour bar; the paint area owns its cursors and pens.

#include "framework/Afx.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/customize/KTColorBar.h"

class CKTImageEditDlg;

class CKTImagePaintArea : public CButton
{
    DECLARE_DYNAMIC(CKTImagePaintArea)
public:
    enum Tool
    {
        ToolPencil = 0,
        ToolFill = 1,
        ToolLine = 2,
        ToolRectangle = 3,
        ToolEllipse = 4,
        ToolSelectColor = 5
    };

    explicit CKTImagePaintArea(CKTImageEditDlg* pDlg);
    ~CKTImagePaintArea() override;

    void SetBitmap(CBitmap* pBitmap);
    void SetColor(COLORREF color);
    COLORREF GetColor() const { return m_rgbColor; }
    void SetPreviewRect(const CRect& rect) { m_rectPreview = rect; }
    CSize GetCellSize() const { return CSize(m_sizeCell); }
    // The bitmap pixel under a client point, clamped to the bitmap.
    CPoint ClientToPixel(CPoint point) const;
    // The client point at the centre of a pixel's cell.
    CPoint PixelToClient(CPoint pixel) const;
    // The cursor shown for a tool, null for none.
    HCURSOR GetToolCursor(int iTool) const;

protected:
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    void PreSubclassWindow() override;
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnCancelMode();
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    void DrawPixel(CPoint pixel);
    void DrawRubberBand();
    void RebuildGridPen();
    void RepaintAll();
    int GetTool() const;

    CKTImageEditDlg* m_pDlg;
    CDC m_memDC;
    CBitmap* m_pBitmap = nullptr;
    CSize m_sizeImage = CSize(0, 0);
    CSize m_sizeCell = CSize(1, 1);
    COLORREF m_rgbColor = RGB(0, 0, 0);
    CPen m_penDraw;
    CPen m_penGrid;
    HCURSOR m_aCursors[6] = {};
    // Start (top-left) and end (bottom-right) pixels of a shape being dragged.
    CRect m_rectDraw;
    BOOL m_bDragging = FALSE;
    CRect m_rectPreview;
};

class CKTImageEditDlg : public CDialog
{
    DECLARE_DYNAMIC(CKTImageEditDlg)
public:
    enum
    {
        IDD = 16133,
        IDC_KT_PAINT_AREA = 16513,
        IDC_KT_COLORS = 16516,
        IDC_KT_PREVIEW = 16519,
        IDC_KT_TOOLS = 16533,
        IDR_KT_IMAGE_EDIT_TOOLS = 16138,
        ID_KT_FILL = 16901,
        ID_KT_PENCIL = 16902,
        ID_KT_SELECT_COLOR = 16903,
        ID_KT_LINE = 16904,
        ID_KT_RECTANGLE = 16905,
        ID_KT_ELLIPSE = 16906,
        ID_KT_COPY = 16907,
        ID_KT_PASTE = 16908,
        ID_KT_CLEAR = 16909,
        IDS_KT_CANT_PASTE = 16004,
        IDS_KT_INTERNAL_ERROR = 16008,
        IDS_KT_CANT_COPY = 16010
    };

    // nBitsPerPixel -1: the bitmap's own depth.
    CKTImageEditDlg(HBITMAP hbmImage, CWnd* pParent, int nBitsPerPixel = -1);
    ~CKTImageEditDlg() override;

    int GetTool() const { return m_iTool; }
    void SetTool(int iTool) { m_iTool = iTool; }
    CKTImagePaintArea& GetPaintArea() { return m_wndLargeDrawArea; }
    CKTColorBar& GetColorBar() { return m_wndPalette; }
    CKTToolBar& GetToolsBar() { return m_wndToolbar; }
    const CRect& GetPreviewRect() const { return m_rectPreviewImage; }
    HBITMAP GetBitmap() const { return static_cast<HBITMAP>(m_bitmap.GetSafeHandle()); }
    // The colour the pick tool took: it becomes the drawing colour, and the pencil the tool.
    void OnPickColor(COLORREF color);
    void OnClear();
    void OnCopy();
    void OnPaste();

protected:
    BOOL OnInitDialog() override;
    // Shows a message from the string table; a test may answer it instead.
    virtual void ShowMessage(UINT nIDPrompt);
    void OnPaint();
    void OnDestroy();
    void OnColors();
    void OnToolCommand(UINT nID);
    void OnUpdateToolCommand(CCmdUI* pCmdUI);
    void OnUpdateAlways(CCmdUI* pCmdUI);
    LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    void RepaintPreview();

    CBitmap m_bitmap; // attached, never deleted: the caller's
    CSize m_sizeImage = CSize(0, 0);
    int m_nBitsPerPixel;
    CRect m_rectPreviewImage;
    CRect m_rectPreviewFrame;
    CKTImagePaintArea m_wndLargeDrawArea;
    CKTColorBar m_wndPalette;
    CPalette m_palette;
    CKTToolBar m_wndToolbar;
    int m_iTool = CKTImagePaintArea::ToolPencil;
};

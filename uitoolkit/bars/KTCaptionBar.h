#pragma once
// A thin bar across the whole width of a frame side that shows a message line: an icon or image,
// a text and an optional button, each aligned left, right or centred, in colours and a font that
// the caller sets or leaves to the look. The button sends its command to the parent window.
//
// The icon stays the caller's; the image strip, the texts and the layout belong to the bar.
#include "framework/Afx.h"
#include "uitoolkit/looks/KTImageStrip.h"

class CKTCaptionBar : public CControlBar
{
    DECLARE_DYNCREATE(CKTCaptionBar)
public:
    enum BarElementAlignment
    {
        ALIGN_LEFT = 1,
        ALIGN_RIGHT = 2,
        ALIGN_CENTER = 3
    };

    CKTCaptionBar();
    ~CKTCaptionBar() override;

    // nHeight -1: as high as the font and the image need.
    BOOL Create(DWORD dwStyle, CWnd* pParentWnd, UINT uID, int nHeight = -1);

    void SetText(const CString& strText, BarElementAlignment align = ALIGN_LEFT);
    // The icon is drawn while it is set; it stays the caller's to destroy.
    void SetIcon(HICON hIcon, BarElementAlignment align = ALIGN_LEFT);
    // Image 0 of a bitmap resource of the given image size; FALSE (nothing shown) when it cannot be
    // loaded.
    BOOL SetBitmap(UINT uiBmpResID, CSize sizeImage, COLORREF clrTransparent = (COLORREF)-1, BOOL bStretch = FALSE,
                   BarElementAlignment align = ALIGN_LEFT);
    // An empty label removes the button; uiCmdUI 0 shows it without reacting to the mouse.
    void SetButton(LPCTSTR lpszLabel, UINT uiCmdUI, BarElementAlignment align = ALIGN_LEFT,
                   BOOL bHasDropDownArrow = TRUE);
    void SetFlatBorder(BOOL bFlat = TRUE);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* /*pTarget*/, BOOL /*bDisableIfNoHndler*/) override {}

    virtual void OnDrawBackground(CDC* pDC, CRect rect);
    virtual void OnDrawBorder(CDC* pDC, CRect rect);
    virtual void OnDrawText(CDC* pDC, CRect rect, const CString& strText);
    virtual void OnDrawImage(CDC* pDC, CRect rect);
    virtual void OnDrawButton(CDC* pDC, CRect rect, const CString& strButton, BOOL bDrawArrow);
    virtual void AdjustLayout();
    virtual void RecalcLayout();

    int GetBarHeight() const { return m_nCurrentHeight; }
    CRect GetImageRect() const { return m_rectImage; }
    CRect GetTextRect() const { return m_rectDrawText; }
    CRect GetButtonRect() const { return m_rectButton; }
    BOOL IsButtonHighlighted() const { return m_bIsBtnHighlighted; }
    BOOL IsButtonPressed() const { return m_bIsBtnPressed; }

    COLORREF m_clrBarText = (COLORREF)-1;       // -1: the look's caption-bar text colour
    COLORREF m_clrBarBorder = (COLORREF)-1;     // reserved
    COLORREF m_clrBarBackground = (COLORREF)-1; // -1: the bar-face colour
    int m_nBorderSize = 4;                      // the bands at the top and bottom
    int m_nMargin = 4;                          // around the elements
    int m_nHorzElementOffset = 4;               // on each side of the text and the button

protected:
    // The width of the drop-down arrow's strip at the right of the button.
    static const int kArrowStrip = 10;

    CSize GetImageSize() const;
    BOOL HasImage() const;
    CFont* SelectFont(CDC* pDC);
    void RedrawButton();

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnSize(UINT nType, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnPaint();
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    void OnNcPaint();
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    HICON m_hIcon = nullptr;
    CKTImageStrip m_Bitmap;
    BOOL m_bStretchImage = FALSE;
    BarElementAlignment m_iBmpAlignment = ALIGN_LEFT;
    CRect m_rectImage;
    HFONT m_hFont = nullptr;
    CString m_strText;
    BarElementAlignment m_iTextAlignment = ALIGN_LEFT;
    CRect m_rectText;
    CRect m_rectDrawText;
    CString m_strBtnText;
    UINT m_uiBtnID = 0;
    BarElementAlignment m_iBtnAlignment = ALIGN_LEFT;
    CRect m_rectButton;
    BOOL m_bIsBtnPressed = FALSE;
    BOOL m_bIsBtnHighlighted = FALSE;
    BOOL m_bTracked = FALSE;
    BOOL m_bBtnHasDropDownArrow = TRUE;
    int m_nDefaultHeight = -1;
    int m_nCurrentHeight = 0;
    BOOL m_bFlatBorder = FALSE;
};

#pragma once
// The toolkit's owner-drawn push, check and radio button: images from image lists or a menu glyph,
// a hot state that follows the mouse, a click repeated while the button is held, its own tooltip
// and cursor, and drawing split into steps that subclasses replace.
//
// Every click reaches the parent as WM_COMMAND (control id, BN_CLICKED, the button's handle),
// whether it came from the mouse, Enter, an auto-repeat tick or a keyboard toggle. The button owns
// its image lists and its tooltip window; the font and the cursor are borrowed.

#include "framework/Afx.h"

class CKTButton : public CButton
{
    DECLARE_DYNCREATE(CKTButton)
public:
    enum FlatStyle
    {
        BUTTONSTYLE_3D = 0,
        BUTTONSTYLE_FLAT = 1,
        BUTTONSTYLE_SEMIFLAT = 2,
        BUTTONSTYLE_NOBORDERS = 3
    };
    enum Alignment
    {
        ALIGN_LEFT = 0,
        ALIGN_RIGHT = 1,
        ALIGN_CENTER = 2
    };

    CKTButton();
    ~CKTButton() override;

    // Bitmaps from the application's resources, the 3-D colours mapped to the system's; 0 only
    // clears that kind's lists.
    void SetImage(UINT uiBmpResId, UINT uiBmpHotResId = 0, BOOL bChecked = FALSE);
    // Fills the normal, hot and disabled lists (the checked ones with bChecked). With bAutoDestroy
    // the button deletes the bitmaps afterwards.
    void SetImage(HBITMAP hBitmap, BOOL bAutoDestroy = TRUE, HBITMAP hBitmapHot = nullptr, BOOL bMap3dColors = FALSE,
                  BOOL bChecked = FALSE);
    // A menu glyph instead of an image; the disabled glyph (0: none) while the button is disabled.
    void SetStdImage(int iGlyph, int iGlyphDisabled = 0);
    // Empty text switches the tooltip off.
    void SetTooltip(LPCTSTR lpszToolTipText);
    void SetMouseCursor(HCURSOR hcursor) { m_hCursor = hcursor; }
    void SetHandCursor();
    // Repeats the click every nMilliseconds while the button is held (0: off).
    void SetAutoRepeatMode(int nMilliseconds = 100) { m_nAutoRepeatTimeDelay = nMilliseconds < 0 ? 0 : nMilliseconds; }
    void EnableFullTextTooltip(BOOL bOn = TRUE) { m_bFullTextTooltip = bOn; }
    static void EnableWinXPTheme(BOOL bEnable = TRUE) { s_bWinXPTheme = bEnable; }
    static BOOL IsWinXPThemeEnabled() { return s_bWinXPTheme; }

    BOOL IsPushed() const { return m_bPushed; }
    BOOL IsHighlighted() const { return m_bHighlighted; }
    BOOL IsChecked() const { return m_bChecked; }
    BOOL IsCheckButton() const { return m_bCheckButton; }
    BOOL IsRadioButton() const { return m_bRadioButton; }
    BOOL IsAutoCheck() const { return m_bAutoCheck; }
    CSize GetImageSize() const { return m_sizeImage; }
    int GetStdImage() const { return m_nStdImageId; }
    int GetStdImageDisabled() const { return m_nStdImageDisabledId; }
    int GetAutoRepeatMode() const { return m_nAutoRepeatTimeDelay; }
    // The tooltip control, null until SetTooltip made one.
    CToolTipCtrl* GetToolTipCtrl() { return m_pToolTip; }
    BOOL IsToolTipActive() const { return m_bToolTipActive; }

    virtual void CleanUp();
    // The size that holds image and caption; unless bCalcOnly the window takes it.
    virtual CSize SizeToContent(BOOL bCalcOnly = FALSE);

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    int m_nFlatStyle = BUTTONSTYLE_3D;
    int m_nAlignStyle = ALIGN_CENTER;
    BOOL m_bRightImage = FALSE;
    BOOL m_bTransparent = FALSE;
    BOOL m_bDrawFocus = TRUE;
    BOOL m_bHighlightChecked = TRUE;
    BOOL m_bGrayDisabled = TRUE;
    CSize m_sizePushOffset{2, 2};
    COLORREF m_clrRegular = (COLORREF)-1;
    COLORREF m_clrHover = (COLORREF)-1;
    COLORREF m_clrFace = (COLORREF)-1;

protected:
    virtual void OnFillBackground(CDC* pDC, const CRect& rectClient);
    virtual void OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState);
    virtual void OnDrawFocusRect(CDC* pDC, const CRect& rectClient);
    virtual void OnDraw(CDC* pDC, const CRect& rect, UINT uiState);
    virtual void OnDrawText(CDC* pDC, const CRect& rect, const CString& strText, UINT uiDTFlags, UINT uiState);
    virtual BOOL CreateDisabledImage(HBITMAP hBitmap, BOOL bChecked);
    virtual HGDIOBJ SelectFont(CDC* pDC);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PreSubclassWindow() override;

    BOOL OnEraseBkgnd(CDC* pDC);
    void OnCancelMode();
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnEnable(BOOL bEnable);
    void OnSize(UINT nType, int cx, int cy);
    void OnKillFocus(CWnd* pNewWnd);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetCheck(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetCheck(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // WM_COMMAND with BN_CLICKED to the parent; nothing without a parent.
    void NotifyClick();
    // Reads the button kind and alignment from a button style and makes the style owner-drawn.
    DWORD TranslateStyle(DWORD dwStyle);
    void UncheckRadioGroup();
    // Moves the check to the next (or previous) enabled, visible toolkit radio button of the group.
    BOOL CheckNextRadio(BOOL bPrevious);
    void ClearVisualState();

    BOOL m_bPushed = FALSE;
    BOOL m_bClickedInside = FALSE;
    BOOL m_bHighlighted = FALSE;
    BOOL m_bCaptured = FALSE;
    BOOL m_bHover = FALSE;
    BOOL m_bChecked = FALSE;
    BOOL m_bCheckButton = FALSE;
    BOOL m_bRadioButton = FALSE;
    BOOL m_bAutoCheck = FALSE;
    CSize m_sizeImage{0, 0};
    CImageList m_Images;
    CImageList m_ImagesHot;
    CImageList m_ImagesDisabled;
    CImageList m_ImagesChecked;
    CImageList m_ImagesCheckedHot;
    CImageList m_ImagesCheckedDisabled;
    BOOL m_bFullTextTooltip = FALSE;
    BOOL m_bDelayFullTextTooltipSet = FALSE;
    int m_nStdImageId = -1;
    int m_nStdImageDisabledId = -1;
    CToolTipCtrl* m_pToolTip = nullptr;
    BOOL m_bToolTipActive = FALSE;
    HCURSOR m_hCursor = nullptr;
    HFONT m_hFont = nullptr;
    int m_nAutoRepeatTimeDelay = 0;

    static BOOL s_bWinXPTheme;

private:
    void FillImageLists(HBITMAP hBitmap, HBITMAP hBitmapHot, BOOL bMap3dColors, BOOL bChecked);
};

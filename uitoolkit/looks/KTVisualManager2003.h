#pragma once
// The gradient look built on the XP look: bars filled with two-colour gradients, toolbars with
// rounded corners, and, under the standard "Luna" visual style, colours from that style's theme
// data. On a screen of 8 bits per pixel or fewer every painter is the XP look's.

#include "uitoolkit/looks/KTThemeLibrary.h"
#include "uitoolkit/looks/KTVisualManagerXP.h"

class CKTVisualManager2003 : public CKTVisualManagerXP, public CKTThemeLibrary
{
    DECLARE_DYNCREATE(CKTVisualManager2003)
public:
    explicit CKTVisualManager2003(BOOL bIsTemporary = FALSE);
    ~CKTVisualManager2003() override;

    // The customize button at the end of a toolbar: the caption-button gradient, the highlight
    // gradient when hot, its arrow glyph centred.
    virtual void OnDrawCustomizeButton(CDC* pDC, CRect rect, BOOL bIsHorz, ButtonState state);
    // A solid fill (the bar-area end colour for -1) and, with bDrawBorder, a 3-D frame.
    virtual void OnFillAreaWithBorder(CDC* pDC, CRect rect, COLORREF clrFill = (COLORREF)-1, BOOL bDrawBorder = TRUE);
    // The bar colours of the globals, from the theme (or the system) colours.
    virtual void ModifyGlobalColors();

    void OnUpdateSystemColors() override;
    void OnFillBarBackground(CDC* pDC, CControlBar* pBar, CRect rectClient, CRect rectClip) override;
    void OnDrawBarBorder(CDC* pDC, CControlBar* pBar, CRect& rect) override;
    void OnDrawMenuBorder(CDC* pDC, CWnd* pMenu, CRect rect) override;
    void OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CControlBar* pBar) override;
    void OnDrawSeparator(CDC* pDC, CControlBar* pBar, CRect rect, BOOL bIsHoriz) override;
    void OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                               CKTToolbarButton* pButton) override;
    void OnDrawComboBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                           CKTToolbarButton* pButton) override;
    void OnDrawTearOffCaption(CDC* pDC, CRect rect, BOOL bIsActive) override;
    COLORREF OnFillCommandsListBackground(CDC* pDC, CRect rect, BOOL bIsSelected = FALSE) override;
    void OnFillButtonInterior(CDC* pDC, CKTToolbarButton* pButton, CRect rect, ButtonState state) override;
    void OnDrawButtonBorder(CDC* pDC, CKTToolbarButton* pButton, CRect rect, ButtonState state) override;
    void OnFillHighlightedArea(CDC* pDC, CRect rect, CBrush* pBrush, CKTToolbarButton* pButton) override;
    int GetShowAllMenuItemsHeight(CDC* pDC, const CSize& sizeDefault) override;
    void OnDrawShowAllMenuItems(CDC* pDC, CRect rect, ButtonState state) override;
    void OnDrawStatusBarProgress(CDC* pDC, CKTStatusBar* pStatusBar, CRect rectProgress, int nProgressTotal,
                                 int nProgressCurr, COLORREF clrBar, COLORREF clrProgressBarDest,
                                 COLORREF clrProgressText, BOOL bProgressText) override;
    BOOL OnEraseTabsFrame(CDC* pDC, CRect rect, const CKTTabWnd* pTabWnd) override;
    void OnEraseTabsArea(CDC* pDC, CRect rect, const CKTTabWnd* pTabWnd) override;
    void OnEraseTabsButton(CDC* pDC, CRect rect, CKTButton* pButton, const CKTTabWnd* pTabWnd) override;
    void GetTabFrameColors(const CKTTabWnd* pTabWnd, COLORREF& clrDark, COLORREF& clrBlack, COLORREF& clrHighlight,
                           COLORREF& clrFace, COLORREF& clrDarkShadow, COLORREF& clrLight, CBrush*& pbrFace,
                           CBrush*& pbrBlack) override;
    BOOL IsActiveTabAlwaysHighlighted() const override { return !IsPaletteScreen(); }
    int GetCustomizeButtonGlyphMargin() const override { return IsPaletteScreen() ? 2 : 1; }
    BOOL IsOffsetPressedButton() const override { return IsPaletteScreen(); }

    BOOL IsStandardStyle() const { return m_bStandardStyle; }

    // The status bar is filled with the bar-area gradient while this is on.
    inline static BOOL m_bStatusBarGradient = TRUE;
    // Themes count as in use while this is on; off, only when the main window has a theme.
    inline static BOOL m_bUseGlobalTheme = TRUE;
    // Stands for the visual style's file title when not empty (tests reach the standard style's
    // colours through it).
    inline static CString m_strThemeFileOverride;

    COLORREF m_clrBarGradientStart = 0;
    COLORREF m_clrBarGradientEnd = 0;
    COLORREF m_clrToolBarGradientStart = 0;
    COLORREF m_clrToolBarGradientEnd = 0;
    COLORREF m_clrToolBarGradientVertStart = 0;
    COLORREF m_clrToolBarGradientVertEnd = 0;
    COLORREF m_clrCustomizeButtonGradientStart = 0;
    COLORREF m_clrCustomizeButtonGradientEnd = 0;
    COLORREF m_clrToolBarEdge = 0;
    COLORREF m_clrToolBarCorner1 = 0;
    COLORREF m_clrToolBarCorner2 = 0;
    COLORREF m_clrMenuItemHighlight = (COLORREF)-1;
    COLORREF m_clrHighlightGradientEnd = 0;
    COLORREF m_clrHighlightGradientStart = 0;
    COLORREF m_clrPressed = 0;
    COLORREF m_clrPressedGradientStart = 0;
    COLORREF m_clrChecked = 0;
    COLORREF m_clrCheckedGradientStart = 0;
    COLORREF m_clrPen = 0;
    COLORREF m_clrGripperDots = 0;
    COLORREF m_clrCaptionBarGradientStart = 0;
    COLORREF m_clrCaptionBarGradientEnd = 0;

protected:
    static BOOL IsPaletteScreen();
    // The theme's system colour of the window theme, else the plain system colour.
    COLORREF ThemeSysColor(int nIndex) const { return GetThemeSysColorOrDefault(m_hThemeWindow, nIndex); }
    BOOL IsCustomizeButton(const CKTToolbarButton* pButton) const;

    BOOL m_bStandardStyle = FALSE;
    CPen m_penSeparator2003;
    CPen m_penBarHighlight;
    CBrush m_brBarArea;
    CBrush m_brFace2003;
};

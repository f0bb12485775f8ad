#pragma once
// The look the program uses: flat bars, a light menu background with a tinted strip behind the
// menu images, highlighted items filled with a tint of the system highlight colour and framed in
// that colour, dotted grippers and soft shadows under open menus. Every colour, pen and brush is
// derived from the system colours by OnUpdateSystemColors, never per paint.

#include "uitoolkit/looks/KTVisualManager.h"

class CKTVisualManagerXP : public CKTVisualManager
{
    DECLARE_DYNCREATE(CKTVisualManagerXP)
public:
    explicit CKTVisualManagerXP(BOOL bIsTemporary = FALSE);
    ~CKTVisualManagerXP() override;

    virtual void CreateGripperBrushes();
    // Widens a menu button's rectangle toward its open menu so that the two look joined.
    virtual void AdjustMenuButtonRect(CKTToolbarMenuButton* pButton, CRect& rect);
    // Every fill of a highlighted or pressed area goes through here.
    virtual void OnFillHighlightedArea(CDC* pDC, CRect rect, CBrush* pBrush, CKTToolbarButton* pButton);

    void OnUpdateSystemColors() override;
    void OnFillBarBackground(CDC* pDC, CControlBar* pBar, CRect rectClient, CRect rectClip) override;
    void OnDrawBarBorder(CDC* pDC, CControlBar* pBar, CRect& rect) override;
    void OnDrawMenuBorder(CDC* pDC, CWnd* pMenu, CRect rect) override;
    void OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CControlBar* pBar) override;
    void OnDrawSeparator(CDC* pDC, CControlBar* pBar, CRect rect, BOOL bIsHoriz) override;
    void OnDrawMenuSystemButton(CDC* pDC, CRect rect, UINT uiSystemCommand, UINT nStyle, BOOL bHighlight) override;
    void OnDrawStatusBarPaneBorder(CDC* pDC, CKTStatusBar* pBar, CRect rectPane, UINT uiID, UINT nStyle) override;
    void OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                               CKTToolbarButton* pButton) override;
    void OnDrawComboBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                           CKTToolbarButton* pButton) override;
    void OnDrawEditBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsHighlighted, CKTToolbarButton* pButton) override;
    void OnDrawTearOffCaption(CDC* pDC, CRect rect, BOOL bIsActive) override;
    void OnDrawCaptionButton(CDC* pDC, CKTSizingBarButton* pButton, BOOL bHorz, BOOL bMaximized,
                             BOOL bDisabled) override;
    void OnFillButtonInterior(CDC* pDC, CKTToolbarButton* pButton, CRect rect, ButtonState state) override;
    void OnDrawButtonBorder(CDC* pDC, CKTToolbarButton* pButton, CRect rect, ButtonState state) override;
    void OnHighlightMenuItem(CDC* pDC, CKTToolbarMenuButton* pButton, CRect rect, COLORREF& clrText) override;
    void OnHighlightRarelyUsedMenuItems(CDC* pDC, CRect rectRarelyUsed) override;
    COLORREF GetToolbarButtonTextColor(CKTToolbarButton* pButton, ButtonState state) override;
    COLORREF OnFillCommandsListBackground(CDC* pDC, CRect rect, BOOL bIsSelected = FALSE) override;
    int GetMenuImageMargin() const override { return 3; }
    BOOL IsLook2000Allowed() const override { return FALSE; }
    void OnEraseTabsArea(CDC* pDC, CRect rect, const CKTTabWnd* pTabWnd) override;
    void OnDrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, const CKTTabWnd* pTabWnd) override;
    void OnEraseTabsButton(CDC* pDC, CRect rect, CKTButton* pButton, const CKTTabWnd* pTabWnd) override;
    void OnDrawTabsButtonBorder(CDC* pDC, CRect& rect, CKTButton* pButton, UINT uiState,
                                const CKTTabWnd* pTabWnd) override;

    void OnFillOutlookBarCaption(CDC* pDC, CRect rectCaption, COLORREF& clrText) override;
    void OnFillTasksPaneBackground(CDC* pDC, CRect rectWorkArea) override;
    void OnDrawTasksGroupCaption(CDC* pDC, const CKTTasksGroup* pGroup, BOOL bIsHighlighted) override;
    void OnFillTasksGroupInterior(CDC* pDC, CRect rect) override;
    void OnDrawTasksGroupAreaBorder(CDC* pDC, CRect rect) override;
    void OnDrawTask(CDC* pDC, const CKTTask* pTask, BOOL bIsHighlighted) override;
    void OnDrawScrollButton(CDC* pDC, CRect rect, BOOL bIsUp, BOOL bIsHighlighted, BOOL bIsPressed,
                            BOOL bIsDisabled) override;

    // The text colour on highlighted items: black on a light highlight, white otherwise.
    COLORREF GetHighlightedTextColor() const;

    COLORREF m_clrBarBkgnd = 0;
    COLORREF m_clrMenuLight = 0;
    COLORREF m_clrHighlight = 0;
    COLORREF m_clrHighlightDn = 0;
    COLORREF m_clrHighlightChecked = 0;
    COLORREF m_clrInactiveTabText = 0;
    COLORREF m_clrTabArea = 0;
    COLORREF m_clrSeparator = 0;
    COLORREF m_clrPaneBorder = 0;
    COLORREF m_clrMenuBorder = 0;
    COLORREF m_clrHighlightBorder = 0;
    COLORREF m_clrGripper = 0;
    BOOL m_bConnectMenuToParent = TRUE;

protected:
    BOOL IsInPopupMenu(const CKTToolbarButton* pButton) const;
    // The combo box's down arrow, centred one pixel right and down.
    static void DrawComboArrow(CDC* pDC, const CRect& rect, BOOL bDisabled, BOOL bIsDropped);
    int MenuImageWidth() const;
    // A sizing bar's title at the start of its caption band; the band left for the grip pattern
    // comes back in rectGripper.
    static void DrawSizingBarTitle(CDC* pDC, CRect& rectGripper, BOOL bHorz, CControlBar* pBar);

    CBrush m_brGripperHorz;
    CBrush m_brGripperVert;
    CBrush m_brBarBkgnd;
    CBrush m_brMenuLight;
    CBrush m_brHighlight;
    CBrush m_brHighlightDn;
    CBrush m_brHighlightChecked;
    CBrush m_brTabBack;
    CPen m_penSeparator;
};

#pragma once
// The themed look: bars, buttons, menus and status panes drawn with the system's visual styles.
// Each painter tests its own theme handle first and paints as the XP look, with the same
// arguments, wherever that theme is not open, so a system without visual styles shows the XP
// look exactly.

#include "uitoolkit/looks/KTThemeLibrary.h"
#include "uitoolkit/looks/KTVisualManagerXP.h"

class CKTWinXPVisualManager : public CKTVisualManagerXP, public CKTThemeLibrary
{
    DECLARE_DYNCREATE(CKTWinXPVisualManager)
public:
    explicit CKTWinXPVisualManager(BOOL bIsTemporary = FALSE);
    ~CKTWinXPVisualManager() override;

    // Whether the window theme is open: the current look's when it is a themed look, else that
    // of a temporary themed manager that leaves the current look and the colours alone.
    static BOOL IsWinXPThemeAvailable();

    void OnUpdateSystemColors() override;
    void OnFillBarBackground(CDC* pDC, CControlBar* pBar, CRect rectClient, CRect rectClip) override;
    void OnDrawMenuBorder(CDC* pDC, CWnd* pMenu, CRect rect) override;
    void OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CControlBar* pBar) override;
    void OnDrawSeparator(CDC* pDC, CControlBar* pBar, CRect rect, BOOL bIsHoriz) override;
    void OnDrawMenuSystemButton(CDC* pDC, CRect rect, UINT uiSystemCommand, UINT nStyle, BOOL bHighlight) override;
    void OnDrawStatusBarPaneBorder(CDC* pDC, CKTStatusBar* pBar, CRect rectPane, UINT uiID, UINT nStyle) override;
    void OnDrawStatusBarProgress(CDC* pDC, CKTStatusBar* pStatusBar, CRect rectProgress, int nProgressTotal,
                                 int nProgressCurr, COLORREF clrBar, COLORREF clrProgressBarDest,
                                 COLORREF clrProgressText, BOOL bProgressText) override;
    void OnDrawStatusBarSizeBox(CDC* pDC, CKTStatusBar* pStatBar, CRect rectSizeBox) override;
    void OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                               CKTToolbarButton* pButton) override;
    void OnDrawComboBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                           CKTToolbarButton* pButton) override;
    void OnDrawEditBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsHighlighted,
                          CKTToolbarButton* pButton) override;
    void OnFillButtonInterior(CDC* pDC, CKTToolbarButton* pButton, CRect rect, ButtonState state) override;
    void OnDrawButtonBorder(CDC* pDC, CKTToolbarButton* pButton, CRect rect, ButtonState state) override;
    void OnDrawDropDownSeparator(CDC* pDC, CKTToolbarMenuButton* pButton, CRect rect, ButtonState state,
                                 BOOL bHorz) override;
    void OnHighlightMenuItem(CDC* pDC, CKTToolbarMenuButton* pButton, CRect rect, COLORREF& clrText) override;
    COLORREF OnFillCommandsListBackground(CDC* pDC, CRect rect, BOOL bIsSelected = FALSE) override;
    CSize GetButtonExtraBorder() const override;
    void OnDrawCaptionButton(CDC* pDC, CKTSizingBarButton* pButton, BOOL bHorz, BOOL bMaximized,
                             BOOL bDisabled) override;
    BOOL OnDrawPushButtonBorder(CDC* pDC, CRect& rect, CKTButton* pButton, UINT uiState) override;
    void OnEraseTabsButton(CDC* pDC, CRect rect, CKTButton* pButton, const CKTTabWnd* pTabWnd) override;
    void OnDrawTabsButtonBorder(CDC* pDC, CRect& rect, CKTButton* pButton, UINT uiState,
                                const CKTTabWnd* pTabWnd) override;

    void OnFillHeaderCtrlBackground(CDC* pDC, CRect rect, CWnd* pHeader) override;
    void OnDrawHeaderCtrlBorder(CDC* pDC, CRect& rect, BOOL bIsPressed, BOOL bIsHighlighted, CWnd* pHeader) override;
    void OnFillOutlookBarCaption(CDC* pDC, CRect rectCaption, COLORREF& clrText) override;
    void OnFillTasksPaneBackground(CDC* pDC, CRect rectWorkArea) override;
    void OnDrawTasksGroupCaption(CDC* pDC, const CKTTasksGroup* pGroup, BOOL bIsHighlighted) override;
    void OnFillTasksGroupInterior(CDC* pDC, CRect rect) override;
    void OnDrawTasksGroupAreaBorder(CDC* pDC, CRect rect) override;
    void OnDrawScrollButton(CDC* pDC, CRect rect, BOOL bIsUp, BOOL bIsHighlighted, BOOL bIsPressed,
                            BOOL bIsDisabled) override;
    void OnDrawExpandingBox(CDC* pDC, CRect rect, BOOL bIsOpened, COLORREF colorBox) override;
    void OnDrawControlBorder(CWnd* pWndCtrl) override;

    // The toolbar theme's state for a button: 4 disabled, 6 hot and checked, 5 checked,
    // 3 pressed, 2 hot, else 1.
    static int GetToolbarButtonThemeState(const CKTToolbarButton* pButton, ButtonState state);

    // Menus and the buttons that open them keep the XP look while everything else is themed.
    BOOL m_bXPMenus = FALSE;

protected:
    // The cases that keep the XP look under the XP-menus flag: an item of a popup menu and a
    // menu-bar button whose menu is open.
    BOOL KeepsXPMenuLook(const CKTToolbarButton* pButton) const;
    BOOL HasSystemMenus() const { return m_hThemeWindow != nullptr && !m_bXPMenus; }
};

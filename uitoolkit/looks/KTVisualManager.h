#pragma once
// The one object through which every bar, button, menu and status pane of the toolkit paints its
// frame parts and asks for look-dependent colours and metrics. Its own bodies are the base look
// (flat system colours, 3-D edges); the derived looks replace single operations. Callers fetch
// the single instance with GetInstance on each paint and never learn which look is active.
//
// User-interface thread only; the instance pointer is not locked. Ownership: GetInstance owns
// the instance it creates (auto-delete) and DestroyInstance frees it at exit; an instance that a
// caller constructed itself stays the caller's.

#include "framework/Afx.h"

class CKTToolbarButton;
class CKTToolbarMenuButton;
class CKTStatusBar;
class CKTButton;
class CKTSizingBarButton;
class CKTTabWnd;
struct CKTTask;
struct CKTTasksGroup;

class CKTVisualManager : public CObject
{
    DECLARE_DYNCREATE(CKTVisualManager)
public:
    enum ButtonState
    {
        ButtonsIsRegular = 0,
        ButtonsIsPressed = 1,
        ButtonsIsHighlighted = 2
    };

    explicit CKTVisualManager(BOOL bIsTemporary = FALSE);
    ~CKTVisualManager() override;

    // The current look, created on first use from the chosen class (the base look when none is
    // chosen or the chosen one cannot be made). Never null.
    static CKTVisualManager* GetInstance();
    // The instance when there is one, without creating it.
    static CKTVisualManager* GetCurrent() { return m_pVisManager; }
    // Chooses the look of the next GetInstance: FALSE, nothing changed, for a class that does
    // not derive from CKTVisualManager; null chooses the base look. The current instance is
    // forgotten (and deleted when GetInstance made it), the colours re-read, every window redrawn.
    static BOOL SetDefaultManager(CRuntimeClass* pRTI);
    static void DestroyInstance();
    static void RedrawAll();

    void SetLook2000(BOOL bLook2000 = TRUE);
    BOOL IsLook2000() const { return m_bLook2000; }
    BOOL IsMenuFlatLook() const { return m_bMenuFlatLook; }
    BOOL IsShadowHighlightedImage() const { return m_bShadowHighlightedImage; }
    BOOL IsEmbossDisabledImage() const { return m_bEmbossDisabledImage; }
    BOOL IsFadeInactiveImage() const { return m_bFadeInactiveImage; }
    int GetMenuShadowDepth() const { return m_nMenuShadowDepth; }
    BOOL IsTemporary() const { return m_bIsTemporary; }
    BOOL IsAutoDelete() const { return m_bAutoDelete; }

    virtual void OnUpdateSystemColors();
    virtual void OnFillBarBackground(CDC* pDC, CControlBar* pBar, CRect rectClient, CRect rectClip);
    virtual void OnDrawBarBorder(CDC* pDC, CControlBar* pBar, CRect& rect);
    virtual void OnDrawMenuBorder(CDC* pDC, CWnd* pMenu, CRect rect);
    virtual void OnDrawBarGripper(CDC* pDC, CRect rectGripper, BOOL bHorz, CControlBar* pBar);
    virtual void OnDrawSeparator(CDC* pDC, CControlBar* pBar, CRect rect, BOOL bIsHoriz);
    virtual void OnDrawMenuSystemButton(CDC* pDC, CRect rect, UINT uiSystemCommand, UINT nStyle, BOOL bHighlight);
    virtual void OnDrawStatusBarPaneBorder(CDC* pDC, CKTStatusBar* pBar, CRect rectPane, UINT uiID, UINT nStyle);
    virtual void OnDrawStatusBarProgress(CDC* pDC, CKTStatusBar* pStatusBar, CRect rectProgress, int nProgressTotal,
                                         int nProgressCurr, COLORREF clrBar, COLORREF clrProgressBarDest,
                                         COLORREF clrProgressText, BOOL bProgressText);
    virtual void OnDrawStatusBarSizeBox(CDC* pDC, CKTStatusBar* pStatBar, CRect rectSizeBox);
    virtual void OnDrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                                       CKTToolbarButton* pButton);
    virtual void OnDrawComboBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                                   CKTToolbarButton* pButton);
    virtual void OnDrawEditBorder(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsHighlighted, CKTToolbarButton* pButton);
    virtual void OnDrawTearOffCaption(CDC* pDC, CRect rect, BOOL bIsActive);
    // A caption button of a sizing bar: bHorz for a bar docked at the top or bottom (its expand
    // arrows point sideways), bMaximized while the bar is expanded, bDisabled while it cannot be.
    virtual void OnDrawCaptionButton(CDC* pDC, CKTSizingBarButton* pButton, BOOL bHorz, BOOL bMaximized,
                                     BOOL bDisabled);
    // The menu glyph of a caption button.
    static int GetCaptionButtonGlyph(const CKTSizingBarButton* pButton, BOOL bHorz, BOOL bMaximized, BOOL bDisabled);
    virtual void OnFillButtonInterior(CDC* pDC, CKTToolbarButton* pButton, CRect rect, ButtonState state);
    virtual void OnDrawButtonBorder(CDC* pDC, CKTToolbarButton* pButton, CRect rect, ButtonState state);
    virtual void OnDrawDropDownSeparator(CDC* pDC, CKTToolbarMenuButton* pButton, CRect rect, ButtonState state,
                                         BOOL bHorz);
    virtual void OnHighlightMenuItem(CDC* pDC, CKTToolbarMenuButton* pButton, CRect rect, COLORREF& clrText);
    virtual void OnHighlightRarelyUsedMenuItems(CDC* pDC, CRect rectRarelyUsed);
    virtual COLORREF GetToolbarButtonTextColor(CKTToolbarButton* pButton, ButtonState state);
    virtual COLORREF GetCaptionBarTextColor(CControlBar* pBar);
    virtual COLORREF OnFillCommandsListBackground(CDC* pDC, CRect rect, BOOL bIsSelected = FALSE);
    // The hot-tracking header: its background, and the frame of one item (or of the room after
    // the last one); rect gives back what lies inside the frame.
    virtual void OnFillHeaderCtrlBackground(CDC* pDC, CRect rect, CWnd* pHeader);
    virtual void OnDrawHeaderCtrlBorder(CDC* pDC, CRect& rect, BOOL bIsPressed, BOOL bIsHighlighted, CWnd* pHeader);
    // The page buttons of a shortcut bar: TRUE when the look filled the face (it may set the text
    // colour) or drew the border; FALSE leaves them to the button. The base look declines both.
    virtual BOOL OnFillOutlookPageButton(CKTButton* /*pButton*/, CDC* /*pDC*/, const CRect& /*rect*/,
                                         COLORREF& /*clrText*/)
    {
        return FALSE;
    }
    virtual BOOL OnDrawOutlookPageButtonBorder(CKTButton* /*pButton*/, CDC* /*pDC*/, CRect& /*rect*/, UINT /*uiState*/)
    {
        return FALSE;
    }
    // The caption strip of a shortcut bar; clrText gives back the colour of its title.
    virtual void OnFillOutlookBarCaption(CDC* pDC, CRect rectCaption, COLORREF& clrText);
    // The sort triangle of a header item, pointing up for an ascending sort.
    virtual void OnDrawHeaderCtrlSortArrow(CDC* pDC, CRect rectArrow, BOOL bIsUp);

    // The tasks pane's parts: the background of its work area; a group's caption (its text in
    // the font the pane selected, and the glyph that collapses or expands it); the room of its
    // tasks, its border and its frame; one task (a link when it carries a command); the arrows
    // that scroll the tasks.
    virtual void OnFillTasksPaneBackground(CDC* pDC, CRect rectWorkArea);
    virtual void OnDrawTasksGroupCaption(CDC* pDC, const CKTTasksGroup* pGroup, BOOL bIsHighlighted);
    virtual void OnFillTasksGroupInterior(CDC* pDC, CRect rect);
    virtual void OnDrawTasksGroupAreaBorder(CDC* pDC, CRect rect);
    virtual void OnDrawTasksGroupFrame(CDC* pDC, CRect rect);
    virtual void OnDrawTask(CDC* pDC, const CKTTask* pTask, BOOL bIsHighlighted);
    virtual void OnDrawScrollButton(CDC* pDC, CRect rect, BOOL bIsUp, BOOL bIsHighlighted, BOOL bIsPressed,
                                    BOOL bIsDisabled);
    // The plus/minus box that expands and collapses a group of the property list.
    virtual void OnDrawExpandingBox(CDC* pDC, CRect rect, BOOL bIsOpened, COLORREF colorBox);
    // The frame round a control (the property list), drawn in its window's device context.
    virtual void OnDrawControlBorder(CWnd* pWndCtrl);

    virtual CSize GetButtonExtraBorder() const { return CSize(0, 0); }
    virtual int GetShowAllMenuItemsHeight(CDC* pDC, const CSize& sizeDefault);
    virtual void OnDrawShowAllMenuItems(CDC* pDC, CRect rect, ButtonState state);
    virtual int GetMenuImageMargin() const { return 2; }
    virtual BOOL IsLook2000Allowed() const { return TRUE; }
    virtual int GetCustomizeButtonGlyphMargin() const { return 2; }
    virtual BOOL IsOffsetPressedButton() const { return TRUE; }
    // A themed look draws the frame of a toolkit push button and answers TRUE; the base look
    // leaves it to the button's own border drawing.
    virtual BOOL OnDrawPushButtonBorder(CDC*, CRect&, CKTButton*, UINT) { return FALSE; }

    // The tab window's parts. Which shape a tab has and where the row lies is the tab window's.
    virtual void OnEraseTabsArea(CDC* pDC, CRect rect, const CKTTabWnd* pTabWnd);
    virtual void OnDrawTab(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, const CKTTabWnd* pTabWnd);
    virtual void OnDrawTabContent(CDC* pDC, CRect rectTab, int iTab, BOOL bIsActive, const CKTTabWnd* pTabWnd,
                                  COLORREF clrText);
    virtual void OnEraseTabsButton(CDC* pDC, CRect rect, CKTButton* pButton, const CKTTabWnd* pTabWnd);
    // rect: in, the button; out, what is left inside the border.
    virtual void OnDrawTabsButtonBorder(CDC* pDC, CRect& rect, CKTButton* pButton, UINT uiState,
                                        const CKTTabWnd* pTabWnd);
    virtual void GetTabFrameColors(const CKTTabWnd* pTabWnd, COLORREF& clrDark, COLORREF& clrBlack,
                                   COLORREF& clrHighlight, COLORREF& clrFace, COLORREF& clrDarkShadow,
                                   COLORREF& clrLight, CBrush*& pbrFace, CBrush*& pbrBlack);
    // TRUE when it filled the frame; FALSE leaves the erasing to the caller.
    virtual BOOL OnEraseTabsFrame(CDC* pDC, CRect rect, const CKTTabWnd* pTabWnd);
    virtual BOOL IsActiveTabAlwaysHighlighted() const { return FALSE; }

protected:
    // True when the object's class, or one it derives from, has this run-time class name. The
    // looks recognise bars and buttons by name, so that they need no link to the bars' code.
    static BOOL IsKindOfClass(const CObject* pObject, const char* lpszClassName);
    // TRUE for a button that draws as disabled (in customize mode: one that is not editable).
    static BOOL IsButtonDisabled(const CKTToolbarButton* pButton);
    // A group caption's name and collapse glyph, and a task's name, in the colour given.
    static void DrawTasksGroupCaptionContent(CDC* pDC, const CKTTasksGroup* pGroup, COLORREF clrText);
    static void DrawTaskText(CDC* pDC, const CKTTask* pTask, COLORREF clrText);
    // The up or down arrow glyph (grey when disabled) centred in the rectangle.
    static void DrawScrollGlyph(CDC* pDC, const CRect& rect, BOOL bIsUp, BOOL bIsDisabled, CSize offset = CSize(0, 0));
    // A one-pixel frame in one colour on every side.
    static void DrawFrame(CDC* pDC, const CRect& rect, COLORREF color) { pDC->Draw3dRect(rect, color, color); }

    BOOL m_bLook2000 = FALSE;
    int m_nMenuShadowDepth = 6;
    BOOL m_bMenuFlatLook = FALSE;
    BOOL m_bShadowHighlightedImage = FALSE;
    BOOL m_bEmbossDisabledImage = TRUE;
    BOOL m_bFadeInactiveImage = FALSE;
    BOOL m_bIsTemporary = FALSE;
    int m_nVertMargin = 12;
    int m_nHorzMargin = 12;
    int m_nGroupVertOffset = 15;
    int m_nGroupCaptionHeight = 25;
    int m_nGroupCaptionHorzOffset = 13;
    int m_nGroupCaptionVertOffset = 7;
    int m_nTasksHorzOffset = 12;
    int m_nTasksIconHorzOffset = 5;
    int m_nTasksIconVertOffset = 4;
    BOOL m_bActiveCaptions = TRUE;
    BOOL m_bAutoDelete = FALSE;

private:
    static CKTVisualManager* m_pVisManager;
    static CRuntimeClass* m_pRTIDefault;
};

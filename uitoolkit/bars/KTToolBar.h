#pragma once
// The toolkit's command bar: a docking control bar that owns an ordered list of
// CKTToolbarButtons and lays them out, paints and tracks them itself. Menu bars, popup-menu bars
// and the program's own bars derive from it.
//
// Class-wide data shared by every bar (the list of toolbar windows, button and image sizes, the
// shared image strips, the command-to-image map, the basic and forbidden commands, the usage
// counter, the registered messages) lives for the process and is freed by CleanUpImages.
//
// User-interface thread only. A bar owns its buttons, its resource items and its own strips;
// the shared strips belong to the class.

#include "framework/Afx.h"
#include "uitoolkit/bars/KTToolbarButton.h"
#include "uitoolkit/customize/KTButtonDragDrop.h"
#include "uitoolkit/looks/KTBarNcPainter.h"
#include "uitoolkit/looks/KTImageStrip.h"

class CCustomizeButton;
class CKTCmdUsageCount;
class CKTRegistry;

// Bitmap resources of a toolbar's images; 0 = not given.
struct ToolbarImageResources
{
    UINT m_uiColdResID = 0;
    UINT m_uiHotResID = 0;
    UINT m_uiDisabledResID = 0;
    UINT m_uiLargeColdResID = 0;
    UINT m_uiLargeHotResID = 0;
    UINT m_uiLargeDisabledResID = 0;
    UINT m_uiMenuResID = 0;
    UINT m_uiMenuDisabledResID = 0;
};

// The registered messages of the toolbars, sent to the owner frame.
extern UINT KT_WM_TOOLBARMENU;      // "KTTOOLBAR_POPUPMENU"
extern UINT KT_WM_CUSTOMIZETOOLBAR; // "KTTOOLBAR_CUSTOMIZE"
extern UINT KT_WM_CREATETOOLBAR;    // "KTTOOLBAR_CREATE"
extern UINT KT_WM_DELETETOOLBAR;    // "KTTOOLBAR_DELETE"
extern UINT KT_WM_CUSTOMIZEHELP;    // "KTTOOLBAR_CUSTOMIZEHELP"
extern UINT KT_WM_RESETTOOLBAR;     // "KTTOOLBAR_RESETTOOLBAR"
extern UINT KT_WM_RESETMENU;        // "KTTOOLBAR_RESETMENU"
extern UINT KT_WM_SHOWREGULARMENU;  // "KTTOOLBAR_SHOWREGULARMENU"
extern UINT KT_WM_RESETCONTEXTMENU; // "KTTOOLBAR_RESETCONTEXTMENU"
extern UINT KT_WM_RESETKEYBOARD;    // "KTTOOLBAR_RESETKEYBAORD"

class CKTToolBar : public CControlBar
{
    DECLARE_SERIAL(CKTToolBar)
public:
    CKTToolBar();
    ~CKTToolBar() override;

    // Creation --------------------------------------------------------------------------------
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
    virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                          DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect rcBorders = CRect(1, 1, 1, 1),
                          UINT nID = AFX_IDW_TOOLBAR);

    // Images and resources -------------------------------------------------------------------
    virtual void ResetAllImages();
    virtual BOOL LoadBitmap(UINT uiResID, UINT uiColdResID = 0, UINT uiMenuResID = 0, BOOL bLocked = FALSE,
                            UINT uiDisabledResID = 0, UINT uiMenuDisabledResID = 0);
    virtual BOOL LoadToolBar(UINT uiResID, UINT uiColdResID = 0, UINT uiMenuResID = 0, BOOL bLocked = FALSE,
                             UINT uiDisabledResID = 0, UINT uiMenuDisabledResID = 0, UINT uiHotResID = 0);
    virtual BOOL LoadBitmapEx(const ToolbarImageResources& params, BOOL bLocked = FALSE);
    virtual BOOL LoadToolBarEx(UINT uiToolbarResID, const ToolbarImageResources& params, BOOL bLocked = FALSE);
    static BOOL AddToolBarImages(UINT uiResID, const ToolbarImageResources& params);

    // Buttons ---------------------------------------------------------------------------------
    // Takes ownership; -1 appends (before the customize button). The index, or -1 (bad index,
    // forbidden command) with the button still the caller's.
    int InsertButton(CKTToolbarButton* pButton, int iInsertAt = -1);
    // Inserts a copy of the button; -1 when it cannot be inserted.
    int InsertButton(const CKTToolbarButton& button, int iInsertAt = -1);
    int InsertSeparator(int iInsertAt = -1);
    BOOL RemoveButton(int iIndex);
    virtual void RemoveAllButtons();
    // Replaces buttons of the command by copies of the button: the first only, or all; the
    // number replaced. A copy that cannot be made leaves the old button.
    int ReplaceButton(UINT uiCmd, const CKTToolbarButton& button, BOOL bAll = FALSE);

    int GetCount() const { return static_cast<int>(m_Buttons.GetCount()); }
    CKTToolbarButton* GetButton(int iIndex) const;
    const CObList& GetAllButtons() const { return m_Buttons; }
    const CObList& GetOrigButtons() const { return m_OrigButtons; }
    int CommandToIndex(UINT nIDFind, int iIndexFirst = 0) const;
    int ButtonToIndex(const CKTToolbarButton* pButton) const;
    UINT GetItemID(int nIndex) const;
    UINT GetButtonStyle(int nIndex) const;
    CString GetButtonText(int nIndex) const;
    virtual void GetItemRect(int nIndex, LPRECT lpRect) const;
    virtual void GetInvalidateItemRect(int nIndex, LPRECT lpRect) const;
    virtual void SetButtonStyle(int nIndex, UINT nStyle);
    CKTToolbarButton* GetHighlightedButton() const;
    CKTToolbarButton* GetHotButton() const { return GetHighlightedButton(); }
    void SetHotButton(CKTToolbarButton* pButton);
    static int GetCommandButtons(UINT uiCmd, CObList& listButtons);
    // The upper-cased mnemonic of a button's or item's text ("&&" is a literal ampersand), or 0.
    static wchar_t GetMnemonic(const CString& strText);

    // Switches --------------------------------------------------------------------------------
    void EnableLargeIcons(BOOL bEnable);
    void EnableTextLabels(BOOL bEnable = TRUE);
    BOOL IsLocked() const { return m_bLocked; }
    // TRUE for a bar the user made: its id lies in the user-toolbar range of its toolkit frame.
    BOOL IsUserDefined() const;
    BOOL IsTextLabels() const { return m_bTextLabels; }
    BOOL IsMenuMode() const { return m_bMenuMode; }
    UINT GetResourceID() const { return m_uiOriginalResID; }
    void SetLockedSizes(SIZE sizeButton, SIZE sizeImage);
    CSize GetButtonSize() const;
    CSize GetImageSize() const;

    virtual int GetRowHeight() const;
    virtual int GetColumnWidth() const;
    virtual BOOL IsButtonExtraSizeAvailable() const { return TRUE; }
    virtual void Deactivate();
    virtual BOOL RestoreFocus();
    virtual BOOL IsResourceChanged() const { return m_bResourceWasChanged; }
    virtual BOOL CanBeRestored() const { return m_uiOriginalResID != 0; }
    virtual BOOL CanBeClosed() const { return !m_bNoClose; }
    virtual BOOL IsPureMenuButton(CKTToolbarButton*) const { return m_bMenuMode; }
    virtual CWnd* GetCommandTarget() const;
    virtual BOOL OnSendCommand(const CKTToolbarButton*) { return FALSE; }
    virtual BOOL AllowShowOnList() const { return TRUE; }
    virtual BOOL LoadButtonDefaultText(CKTToolbarButton* pButton);
    virtual BOOL AllowChangeTextLabels() const { return TRUE; }
    // Called when the buttons were rebuilt from the resource; derived bars extend it.
    virtual void OnReset() {}

    // Layout (KTToolBarLayout.cpp) -----------------------------------------------------------
    virtual void AdjustLayout();
    virtual int HitTest(CPoint point);
    virtual CSize CalcSize(BOOL bVertDock);
    virtual CSize CalcLayout(DWORD dwMode, int nLength = -1);
    virtual void AdjustLocations();
    virtual void CalcMaxButtonHeight();
    int WrapToolBar(int nWidth, int nHeight = 32767);
    void SizeToolBar(int nLength, BOOL bVert = FALSE);
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout) override;
    BOOL IsHorizontal() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }
    // The customize button when it is a chevron, else null.
    CCustomizeButton* GetChevron() const;

    // Painting (KTToolBarPaint.cpp) ------------------------------------------------------------
    void DoPaint(CDC* pDC) override;
    virtual BOOL DrawButton(CDC* pDC, CKTToolbarButton* pButton, CKTImageStrip* pImages, BOOL bHighlighted,
                            BOOL bDrawDisabledImages);
    virtual void DrawSeparator(CDC* pDC, const CRect& rect, BOOL bHorz);
    void InvalidateButton(int nIndex);
    BOOL IsButtonHighlighted(int iButton) const;

    // Input (KTToolBarInput.cpp) -------------------------------------------------------------
    virtual void OnChangeHot(int iHot);
    virtual BOOL TranslateChar(UINT nChar);
    virtual BOOL PrevMenu();
    virtual BOOL NextMenu();
    virtual void ShowCommandMessageString(UINT uiCmdId);
    CKTToolbarButton* GetDroppedDownMenu(int* pIndex = nullptr) const;
    virtual CString GetButtonToolTipText(UINT uiCmd) const;
    // The frame's own tooltip text for the button (the program's mode and convert buttons); FALSE
    // leaves the bar's text.
    virtual BOOL ForwardToFrame(CKTToolbarButton* pButton, CString& strText) const;
    // The frame this bar belongs to, docked or floating, else the main window's frame.
    CFrameWnd* GetTopFrame() const;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void Serialize(CArchive& ar) override;

    // Customize mode (KTToolBarCustomize.cpp) ---------------------------------------------------
    // The button context menu of customize mode and its commands.
    enum
    {
        IDR_KT_BUTTON_MENU = 16102,
        ID_KT_BUTTON_RESET = 16910,
        ID_KT_BUTTON_COPY_IMAGE = 16911,
        ID_KT_BUTTON_DELETE = 16912,
        ID_KT_BUTTON_APPEARANCE = 16913,
        ID_KT_BUTTON_IMAGE = 16914,
        ID_KT_BUTTON_TEXT = 16915,
        ID_KT_BUTTON_IMAGE_AND_TEXT = 16916,
        ID_KT_BUTTON_START_GROUP = 16917,
        ID_KT_BUTTON_NEW_MENU = 16918
    };
    // Every toolbar enters or leaves customize mode; FALSE when already in that mode.
    static BOOL SetCustomizeMode(BOOL bSet = TRUE);
    virtual void OnSetCustomizeMode(BOOL bSet);
    // Lets Alt+drag move buttons while the customize sheet is closed.
    static void EnableAltCustomization(BOOL bEnable = TRUE) { m_bAltCustomization = bEnable; }
    static BOOL IsAltCustomizeMode() { return m_bAltCustomizeMode; }
    static CKTToolBar* GetSelToolbar() { return m_pSelToolbar; }
    int GetSelectedIndex() const { return m_iSelected; }
    int GetDropIndex() const { return m_iDropIndex; }
    // The drop side of a button drag; points in client coordinates.
    virtual DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave();
    virtual BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    // Where a button dropped at the point goes, with the marker showing it; -1 none.
    virtual int FindDropIndex(const CPoint point, CRect& rectDrag) const;
    virtual void DrawDragMarker(CDC* pDC);
    // The button in the data, ready to insert; null when there is none or the user cancelled.
    virtual CKTToolbarButton* CreateDroppedButton(COleDataObject* pDataObject);
    virtual void EnableContextMenuItems(CKTToolbarButton* pButton, CMenu* pPopup);
    // Opens the Button Appearance dialog for a button of the bar: TRUE when the user chose OK.
    // The customize dialogs install it; without them every edit counts as cancelled.
    using ButtonAppearanceHook = BOOL (*)(CKTToolbarButton* pButton, CKTToolBar* pBar);
    inline static ButtonAppearanceHook m_pfnButtonAppearance = nullptr;

    // Saved state (KTToolBarState.cpp) ----------------------------------------------------------
    // lpszProfileName: the workspace's registry path, or empty for the application's own;
    // nIndex -1 means the bar's control id; uiID other than -1 makes a frame-specific section.
    virtual BOOL LoadState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = (UINT)-1);
    virtual BOOL SaveState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = (UINT)-1);
    virtual BOOL RemoveStateFromRegistry(LPCTSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = (UINT)-1);
    static BOOL SaveParameters(LPCTSTR lpszProfileName = nullptr);
    static BOOL LoadParameters(LPCTSTR lpszProfileName = nullptr);
    virtual BOOL SaveResourceItems(CKTRegistry& reg);
    virtual BOOL LoadResourceItems(CKTRegistry& reg);
    // Brings the bar in line with its resource as it is now, given the resource items saved with
    // the state; TRUE when the resource changed.
    virtual BOOL SmartUpdate(const CObList& lstSavedItems);
    virtual void RestoreResourceState();
    // The workspace's resource smart-update option (off without a workspace): bars save their
    // resource items and compare them with the resource when they load.
    static BOOL IsResourceSmartUpdate();
    // The registry section of the bar's state.
    CString GetStateSection(LPCTSTR lpszProfileName, int nIndex, UINT uiID) const;

    // Class-wide --------------------------------------------------------------------------------
    static void SetSizes(SIZE sizeButton, SIZE sizeImage);
    static void SetMenuSizes(SIZE sizeButton, SIZE sizeImage);
    static void SetLargeIcons(BOOL bLargeIcons = TRUE);
    static BOOL IsLargeIcons() { return m_bLargeIcons; }
    static BOOL SetUserImages(CKTImageStrip* pUserImages);
    static CKTImageStrip* GetUserImages() { return m_pUserImages; }
    static CKTImageStrip* GetImages() { return &m_Images; }
    static CKTImageStrip* GetColdImages() { return &m_ColdImages; }
    static CKTImageStrip* GetDisabledImages() { return &m_DisabledImages; }
    static CKTImageStrip* GetMenuImages() { return &m_MenuImages; }
    static CKTImageStrip* GetLargeImages() { return &m_LargeImages; }
    static CSize GetMenuImageSize();
    static CSize GetMenuButtonSize();
    static CSize GetDefaultButtonSize() { return m_sizeButton; }
    static CSize GetDefaultImageSize() { return m_sizeImage; }
    static CSize GetCurrentButtonSize() { return m_sizeCurButton; }
    static CSize GetCurrentImageSize() { return m_sizeCurImage; }
    static COLORREF GetCustomTextColor();
    static void AddBasicCommand(UINT uiCmd);
    static void SetBasicCommands(const CList<UINT, UINT>& lstCommands);
    static BOOL IsBasicCommand(UINT uiCmd);
    static BOOL HasBasicCommands() { return !m_lstBasicCommands.IsEmpty(); }
    static void AddForbiddenCommand(UINT uiCmd);
    static BOOL IsCommandForbidden(UINT uiCmd);
    static BOOL IsCommandRarelyUsed(UINT uiCmd);
    static const CObList& GetAllToolbars() { return m_AllToolbars; }
    static void CleanUpImages();
    static CKTCmdUsageCount& GetUsageCount();
    // The image index recorded for the command by the bars' resources; FALSE when none is.
    static BOOL GetDefaultImage(UINT uiCmd, int& iImage);
    static const CMap<UINT, UINT, int, int>& GetDefaultImages() { return m_DefaultImages; }
    // The strip a button draws from in lists: the user images for a user-image button, else
    // the menu images when there are any, else the default images; null when none is loaded.
    static CKTImageStrip* GetListItemImages(BOOL bUserImage);
    static BOOL IsCustomizeMode() { return m_bCustomizeMode; }
    // The split cursors of customize-mode resizing, loaded when the first bar is created.
    static HCURSOR GetSplitCursor() { return m_hcurSplitHorz; }
    // The size by which a checked button's dithered face is inset on each side.
    static CSize GetButtonBorderSize() { return m_sizeButtonBorder; }
    // The "MenuShadows" option: soft shadows under popup menus and their open menu buttons.
    static BOOL IsMenuShadows() { return m_bMenuShadows; }
    static void SetHelpMode(BOOL bOn = TRUE);
    static void RegisterMessages();

    inline static BOOL m_bCustomizeMode = FALSE;
    inline static BOOL m_bAltCustomization = FALSE;
    inline static BOOL m_bAltCustomizeMode = FALSE;
    // Menu options stored with the toolbar parameters; the menus read them from here.
    inline static int m_nMenuAnimation = 0;
    inline static BOOL m_bRecentlyUsedMenus = TRUE;
    inline static BOOL m_bShowAllMenusAfterDelay = TRUE;
    inline static CSize m_sizeButtonBorder = CSize(3, 3);
    inline static COLORREF m_clrCustomText = (COLORREF)-1;
    inline static BOOL m_bMenuShadows = TRUE;
    inline static BOOL m_bShowTooltips = TRUE;
    inline static BOOL m_bShowShortcutKeys = TRUE;

    // Per bar, public as the derived bars and the customize pages use them.
    BOOL m_bLocked = FALSE;
    BOOL m_bLargeIconsAreEnbaled = TRUE;
    BOOL m_bMenuMode = FALSE;
    BOOL m_bNoClose = FALSE;
    BOOL m_bResourceWasChanged = FALSE;
    BOOL m_bRouteCommandsViaFrame = FALSE;
    BOOL m_bDrawTextLabels = FALSE;
    BOOL m_bDisableControlsIfNoHandler = TRUE;
    BOOL m_bDrawBorders = TRUE;
    BOOL m_bGrayDisabledButtons = TRUE;
    // Text changes from command handlers are not taken when set.
    BOOL m_bBlockTextChanges = FALSE;
    CKTToolbarButton* m_pCustomizeBtn = nullptr;
    CKTBarNcPainter m_NcPainter;

    // Reads a list of buttons from an archive into lstButtons, which owns them alone: null entries
    // stay in the list as null; a stored object that is not a button, or a reference back to any
    // object read before (the same button twice, a button of another list, an owner of the list),
    // throws, and what was read is then deleted.
    static void ReadButtonList(CArchive& ar, CObList& lstButtons);
    static void DeleteButtonList(CObList& lstButtons);

protected:
    void RebuildAccelerationKeys();
    BOOL CreateButtonsFromResource(const WORD* pIDs, int nCount);
    void DeleteResourceItems();
    CSize GetDefaultSizeForButtons() const;
    void ClearDeletedIndices(int iRemoved);
    void UpdateButtonFromHandler(int iIndex);
    void SendIdlePrompt();
    CWnd* GetMessageTarget() const;
    void MoveOpenMenuTo(int iHot);
    void OpenMenuFromKeyboard(int iIndex);
    // An open menu of the button gets Home, choosing its first item.
    void SelectFirstItemOf(CKTToolbarButton* pButton);
    // The window is (inside) a popup menu opened from this bar, directly or through others.
    BOOL IsOwnPopupMenu(CWnd* pWnd) const;
    // The released button's command: a user tool bound to it runs, else the frame gets it. The
    // last step of a release: the command may destroy the bar.
    void SendButtonCommand(UINT uiCommand);
    // The tooltip of a button without its shortcut key.
    CString GetToolTipTextOf(CKTToolbarButton* pButton) const;
    void PlaceChevron(CCustomizeButton* pChevron, BOOL bOverflow, CSize size, const CRect& rectClient);
    CKTImageStrip* PickStrip(CKTToolbarButton* pButton, BOOL bHighlighted, BOOL& bFromDisabled);

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnNcPaint();
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    // The gripper and borders around the buttons pick the bar up, or dock and float it.
    LRESULT OnNcHitTest(CPoint point);
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    void OnMouseLeave();
    void OnCancelMode();
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    void OnSysColorChange();
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    LRESULT OnButtonCount(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetItemRect(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetButton(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetButtonText(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // The bar style is set by CreateEx; the window style carries the control's own bits, which
    // overlap the bar bits and must not be read as such.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    static LRESULT CALLBACK HelpMouseProc(int nCode, WPARAM wParam, LPARAM lParam);

    // Customize-mode input (KTToolBarCustomize.cpp); TRUE when the press was a customize press.
    BOOL OnCustomizePress(UINT nFlags, CPoint point);
    void DragButton(CKTToolbarButton* pButton, BOOL bAltDrag);
    void StartStretch(CKTToolbarButton* pButton);
    void TrackStretch(CPoint point);
    void EndStretch(CPoint point, BOOL bApply);
    void DrawStretchRect(const CRect& rect);
    BOOL IsOverStretchEdge(CPoint point) const;
    void SelectButton(int iIndex);
    void EraseDragMarker();
    void OnContextMenu(CWnd* pWnd, CPoint point);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnToolbarReset();
    void OnToolbarCopyImage();
    void OnToolbarDelete();
    void OnToolbarAppearance();
    void OnToolbarImage();
    void OnToolbarText();
    void OnToolbarImageAndText();
    // Image, or image and text, for the selected button.
    void ShowImageOfSelected(BOOL bWithText);
    void OnToolbarStartGroup();
    void OnToolbarNewMenu();

    CKTToolbarDropTarget m_DropTarget;
    int m_iDropIndex = -1;
    CRect m_rectDrag;
    // The button being dragged or resized from this bar; null once a drop on this bar took it.
    CKTToolbarButton* m_pDragButton = nullptr;
    BOOL m_bIsDragCopy = FALSE;
    CPoint m_ptStartDrag = CPoint(-1, -1);
    BOOL m_bStretchButton = FALSE;
    CRect m_rectTrack;
    CRect m_rectTrackDrawn;

    // Own strips of a locked bar.
    CKTImageStrip m_ImagesLocked;
    CKTImageStrip m_ColdImagesLocked;
    CKTImageStrip m_DisabledImagesLocked;
    CKTImageStrip m_LargeImagesLocked;
    CKTImageStrip m_LargeColdImagesLocked;
    CKTImageStrip m_LargeDisabledImagesLocked;
    CKTImageStrip m_MenuImagesLocked;
    CKTImageStrip m_MenuImagesLockedDisabled;

    CSize m_sizeButtonLocked = CSize(23, 22);
    CSize m_sizeImageLocked = CSize(16, 15);
    CSize m_sizeCurButtonLocked = CSize(23, 22);
    CSize m_sizeCurImageLocked = CSize(16, 15);
    BOOL m_bTextLabels = FALSE;
    BOOL m_bFixedHeight = FALSE;
    int m_nMaxBtnHeight = 0;
    int m_iButtonCapture = -1;
    int m_iHighlighted = -1;
    int m_iSelected = -1;
    int m_iHot = -1;
    CObList m_Buttons;
    CObList m_OrigButtons;
    CPen m_penSeparator;
    UINT m_uiOriginalResID = 0;
    int m_iImagesOffset = 0;
    HWND m_hwndLastFocus = nullptr;
    CMap<UINT, UINT, CKTToolbarButton*, CKTToolbarButton*> m_AcellKeys;
    CPoint m_ptLastMouse = CPoint(-1, -1);
    BOOL m_bTracked = FALSE;
    HWND m_hwndPrevCapture = nullptr;

    static CObList m_AllToolbars;
    inline static CSize m_sizeButton = CSize(23, 22);
    inline static CSize m_sizeImage = CSize(16, 15);
    inline static CSize m_sizeCurButton = CSize(23, 22);
    inline static CSize m_sizeCurImage = CSize(16, 15);
    inline static CSize m_sizeMenuImage = CSize(-1, -1);
    inline static CSize m_sizeMenuButton = CSize(-1, -1);
    inline static BOOL m_bLargeIcons = FALSE;
    inline static CKTToolBar* m_pSelToolbar = nullptr;
    static CKTImageStrip m_Images;
    static CKTImageStrip m_ColdImages;
    static CKTImageStrip m_MenuImages;
    static CKTImageStrip m_DisabledImages;
    static CKTImageStrip m_DisabledMenuImages;
    static CKTImageStrip m_LargeImages;
    static CKTImageStrip m_LargeColdImages;
    static CKTImageStrip m_LargeDisabledImages;
    inline static CKTImageStrip* m_pUserImages = nullptr;
    static CMap<UINT, UINT, int, int> m_DefaultImages;
    static CList<UINT, UINT> m_lstBasicCommands;
    static CList<UINT, UINT> m_lstUnpermittedCommands;
    inline static HHOOK m_hookMouseHelp = nullptr;
    inline static HCURSOR m_hcurSplitHorz = nullptr;
    inline static HCURSOR m_hcurSplitVert = nullptr;
    inline static CKTToolBar* m_pLastHookedToolbar = nullptr;
};

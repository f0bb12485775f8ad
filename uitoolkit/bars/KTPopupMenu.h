#pragma once
// The window of one dropped-down menu: a borderless popup frame holding one CKTPopupMenuBar that
// fills its client area. Menu buttons of the menu bar, of toolbars and of other popups open it;
// popups opened from items of other popups form a chain, which closes from any link. The popup
// places itself against its button and the work area, draws its shadow, animates its appearance
// and scrolls its items when the screen is too short, and tells its frame which popup is active.
//
// Ownership: the object deletes itself when its window is gone (never delete it; close it). It
// owns its menu handle while the auto-destroy-menu flag is set, its bar and its shadow images.
// The parent button is borrowed: the popup clears the button's back pointer when it is destroyed.
// User-interface thread only.
#include "framework/Afx.h"
#include "framework/AfxCommCtrl.h"
#include "uitoolkit/bars/KTPopupMenuBar.h"

class CKTToolbarMenuButton;
class CKTToolBar;
class CKTMenuPage;

class CKTPopupMenu : public CMiniFrameWnd
{
    DECLARE_SERIAL(CKTPopupMenu)
public:
    enum DropDirection
    {
        DROP_DIRECTION_NONE = 0,
        DROP_DIRECTION_BOTTOM = 1,
        DROP_DIRECTION_TOP = 2,
        DROP_DIRECTION_RIGHT = 3,
        DROP_DIRECTION_LEFT = 4
    };

    // What HitTest answers for a screen point.
    enum MenuArea
    {
        MENU_AREA_ITEMS = 0,
        MENU_AREA_SHADOW_RIGHT = 1,
        MENU_AREA_SHADOW_BOTTOM = 2,
        MENU_AREA_SIDE_STRIP = 3,
        MENU_AREA_OUTSIDE = 4,
        MENU_AREA_TEAROFF_CAPTION = 5
    };

    enum AnimationType
    {
        ANIMATION_NONE = 0,
        ANIMATION_UNFOLD = 1,
        ANIMATION_SLIDE = 2,
        ANIMATION_FADE = 3
    };

    CKTPopupMenu();
    // A popup with a small caption (the menu customization page's captioned menus).
    CKTPopupMenu(DWORD dwCaptionStyle, LPCTSTR lpszTitle);
    // A captioned context menu the Menu page opens for editing: the page is told when it closes.
    CKTPopupMenu(CKTMenuPage* pMenuPage, LPCTSTR lpszTitle);
    ~CKTPopupMenu() override;

    virtual CKTPopupMenuBar* GetMenuBar() { return &m_wndMenuBar; }
    virtual BOOL InCommand() { return m_wndMenuBar.m_bInCommand; }
    virtual BOOL TearOffAt(CPoint point);
    // The floating bar a torn-off menu becomes; null when it cannot be created.
    virtual CKTToolBar* CreateTearOffBar(CFrameWnd* pFrame, UINT uiId, LPCTSTR lpszName);
    // Builds the items from the menu (owned from now on, also on failure), places and shows the
    // popup. A failed Create deletes the object. x = y = -1 puts it 5 pixels right and below the parent's client
    // origin. With bOwnMessage the parent receives the commands; else the parent popup's message window.
    virtual BOOL Create(CWnd* pWndParent, int x, int y, HMENU hMenu, BOOL bLocked = FALSE, BOOL bOwnMessage = FALSE);

    // The stay-open query of the frames' click handling: TRUE keeps the popup open when the user
    // clicks outside it. The base never stays open.
    virtual BOOL IsAlwaysStayOpen() const { return FALSE; }
    // The cancel check of the button that opened the popup: FALSE keeps the popup open while
    // the mouse holds its tear-off caption.
    virtual BOOL CanBeCancelled() const { return !m_bTearOffTracking; }

    CKTPopupMenu* GetParentPopupMenu() const;
    CKTToolBar* GetParentToolBar() const;
    CKTToolbarMenuButton* GetParentButton() const { return m_pParentBtn; }
    CKTToolbarMenuButton* GetMenuItem(int iIndex) const;
    void RemoveAllItems() { m_wndMenuBar.RemoveAllButtons(); }
    // The window that takes the chain's commands; null when there is none or it is gone.
    CWnd* GetMessageWnd() const;
    // The window that takes the chain's commands from now on; set before Create, it stays.
    void SetMessageWnd(CWnd* pWnd);
    HMENU GetHMenu() const { return m_hMenu; }

    // Asks the top frame whether the popup may open (none: no popup is open); FALSE, with the
    // popup closed, when it refuses.
    static BOOL ActivatePopupMenu(CFrameWnd* pTopFrame, CKTPopupMenu* pPopupMenu);
    void CloseMenu(BOOL bSetFocusToBar = FALSE);
    void ShowAllItems();
    MenuArea HitTest(CPoint ptScreen) const;
    void TellOwnerDialog(BOOL bActivate);
    // Posts the command to the message window; FALSE without one.
    BOOL PostCommand(UINT uiCommandID);
    static void RefreshAllShadows(CRect rectScreen);

    static CKTPopupMenu* GetActiveMenu() { return m_pActivePopupMenu; }
    // The animation of popups opened from now on: the "MenuAnimation" the toolbar parameters store.
    static int GetAnimationType() { return CKTToolBar::m_nMenuAnimation; }
    static void SetAnimationType(int nType) { CKTToolBar::m_nMenuAnimation = nType; }

    // Scroll buttons (KTPopupMenuEffects.cpp): TRUE when a rectangle changed.
    BOOL LayOutScrollButtons(BOOL bForce = FALSE);
    BOOL IsScrollable() const { return m_bScrollable; }
    BOOL IsScrollUpAvailable();
    BOOL IsScrollDownAvailable();
    CRect GetScrollUpRect() const { return m_rectScrollUp; }
    CRect GetScrollDownRect() const { return m_rectScrollDn; }
    int GetShadowSize() const { return m_iShadowSize; }
    CSize GetFinalSize() const { return m_FinalSize; }
    // The part of the popup the animation shows so far (with the shadow).
    CSize GetAnimatedSize() const { return m_AnimSize; }
    BOOL IsAnimationDone() const { return m_bAnimationIsDone; }
    // The caption a menu with a tear-off id offers, in client coordinates; empty otherwise.
    CRect GetTearOffCaptionRect() const { return m_rectTearOffCaption; }
    // The caption is drawn pressed while the mouse holds it or its tip is shown.
    BOOL IsTearOffCaptionPressed() const { return m_bIsTearOffCaptionActive; }
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL IsShown() const { return m_bShown; }

    // The menu button that opened this menu; null for a context menu.
    CKTToolbarMenuButton* m_pParentBtn = nullptr;
    DropDirection m_DropDirection = DROP_DIRECTION_NONE;
    // Closing this popup closes its parent popup too; cleared when only this one closes.
    BOOL m_bAutoDestroyParent = TRUE;
    BOOL m_bAutoDestroy = TRUE;
    // The location is the popup's right edge.
    BOOL m_bRightAlign = FALSE;
    // The chosen command goes back to the context menu manager.
    BOOL m_bTrackMode = FALSE;
    int m_iMaxWidth = -1;
    // The click that closes the popup from outside ends there; clear: it goes on to its target.
    BOOL m_bClickEndsHere = FALSE;
    // Set once the popup was painted in full; the frames' hooks read it (a tear-off copy).
    BOOL m_bShown = FALSE;
    BOOL m_bToBeDestroyed = FALSE;

    // The frames' side of the popup, filled by the frame classes. pTopFrame is the toolkit's
    // main frame, or the popup's top-level frame when none is set. A null hook accepts.
    static BOOL (*m_pfnFrameShowPopup)(CFrameWnd* pTopFrame, CKTPopupMenu* pPopup);
    static void (*m_pfnFramePopupDestroyed)(CFrameWnd* pTopFrame, CKTPopupMenu* pPopup);
    static BOOL (*m_pfnFrameTearOffAccepted)(CFrameWnd* pTopFrame, CKTPopupMenu* pPopup, CControlBar* pBar);
    // The toolkit's main frame; null: each popup asks its own top-level frame.
    static CFrameWnd* m_pToolkitMainFrame;
    static CFrameWnd* GetTopFrame(const CWnd* pWnd);

    // The animation steps a tick makes after the given time: a late tick catches up.
    static int AnimationSteps(DWORD dwElapsedMs);

    static const int kScrollTimerMs = 80;
    static const int kAnimationStepMs = 30;

protected:
    void Initialize();
    BOOL BuildItems();
    void InsertRecentFiles();
    void RecalcLayout(BOOL bNotify = TRUE) override;
    // Placement against the work area (KTPopupMenuPlacement.h has the calculation).
    void Reposition();
    CFrameWnd* GetTopFrame() const;
    void WriteBackCustomizedItems();
    void OfferTearOffTip();

    // Effects (KTPopupMenuEffects.cpp).
    void StartAnimation();
    void CheckShadow();
    void OnAnimationTick();
    void OnScrollTick();
    void DrawFrameAndShadow(CDC* pDC, BOOL bForAnimation);
    void DrawAnimationFrame(CDC* pDC);
    void DrawScrollButtons(CDC* pDC);
    void FreeShadowImages();
    // Keeps the screen under the popup and its shadow before it shows, for the shadow bands
    // and the fade.
    void CaptureBackground();
    CRect GetMenuRect() const;
    void ScrollBy(int nRows);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void PostNcDestroy() override;
    // The Menu page that opened this popup, while the page's window lives.
    CKTMenuPage* GetMenuPage() const;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    void OnTimer(UINT_PTR nIDEvent);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()

    CKTPopupMenuBar m_wndMenuBar;
    // Borrowed: it may be destroyed while the popup is open, so it is used only while its handle
    // still belongs to it (GetMessageWnd).
    CWnd* m_pMessageWnd = nullptr;
    HWND m_hMessageWnd = nullptr;
    // A temporary object of the framework's handle map is looked up again each time.
    BOOL m_bMessageWndPermanent = FALSE;
    CKTMenuPage* m_pMenuPage = nullptr;
    HWND m_hMenuPageWnd = nullptr;
    HMENU m_hMenu = nullptr;
    BOOL m_bAutoDestroyMenu = TRUE;
    CPoint m_ptLocation;
    CPoint m_ptLocationInitial;
    CSize m_FinalSize;
    CSize m_AnimSize;
    int m_iMenuBarHeight = 0;
    BOOL m_bAnimateFromLeft = TRUE;
    BOOL m_bAnimateFromTop = TRUE;
    int m_iFadePercent = 0;
    BOOL m_bAnimationIsDone = TRUE;
    BOOL m_bScrollable = FALSE;
    CRect m_rectScrollUp;
    CRect m_rectScrollDn;
    int m_iScrollDirection = 0;
    int m_iScrollButtonHeight = 0;
    int m_iShadowSize = 0;
    CBitmap m_bmpShadowRight;
    CBitmap m_bmpShadowBottom;
    CBitmap m_bmpAnimation;
    CBitmap m_bmpScreen;
    DWORD m_dwCaptionStyle = 0;
    CString m_strCaption;
    CRect m_rectTearOffCaption;
    BOOL m_bTearOffTracking = FALSE;
    BOOL m_bIsTearOffCaptionActive = FALSE;
    DWORD m_dwLastAnimationTick = 0;
    BOOL m_bLockedBar = FALSE;
    BOOL m_bAnimationImageReady = FALSE;
    CToolTipCtrl m_wndTearOffTip;
    // This popup's animation, taken from the setting when it is constructed.
    int m_AnimationType = ANIMATION_NONE;
    // Set by the window's end while Create runs, so that a failed Create knows the object is gone.
    BOOL* m_pbDeletedDuringCreate = nullptr;

    inline static CKTPopupMenu* m_pActivePopupMenu = nullptr;

    friend class CKTPopupMenuBar;
};

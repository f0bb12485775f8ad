#pragma once
// A shortcut bar: a dockable toolbar showing a stack of pages. Each page has a page button (a
// caption strip that activates it) and shares the work area: the active page shows its window
// there, or else the bar's large shortcut buttons of that page. Two arrow buttons scroll the
// shortcuts one button at a time while held; an optional 3-pixel strip on the side that faces the
// docked neighbour resizes the bar.
//
// Page layout: the page buttons of the pages up to the active one stand at the top, the others at
// the bottom, the work area between them. Shortcuts flow down a vertical bar and across a
// horizontal one.
//
// User-interface thread only. The bar owns its pages and their page buttons; a page's window is
// borrowed (hidden when its page goes).

#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/customize/KTButton.h"

class CKTOutlookButton;

// A page button: its face and border come from the look when the look draws them.
class CKTOutlookBarPageButton : public CKTButton
{
    DECLARE_DYNAMIC(CKTOutlookBarPageButton)
protected:
    void OnFillBackground(CDC* pDC, const CRect& rectClient) override;
    void OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState) override;
};

class CKTOutlookBarPage : public CObject
{
    DECLARE_SERIAL(CKTOutlookBarPage)
public:
    CKTOutlookBarPage() = default;
    CKTOutlookBarPage(UINT uiID, LPCTSTR lpszName, CWnd* pWnd);
    // Hides the page's window and destroys the page button.
    ~CKTOutlookBarPage() override;
    CKTOutlookBarPage(const CKTOutlookBarPage&) = delete;
    CKTOutlookBarPage& operator=(const CKTOutlookBarPage&) = delete;

    // The id, then the name; loading forgets the window.
    void Serialize(CArchive& ar) override;

    UINT m_uiID = 0;
    CString m_strName;
    CKTOutlookBarPageButton* m_pButton = nullptr;
    CWnd* m_pWnd = nullptr;
    CRect m_rect;
};

class CKTOutlookBar : public CKTToolBar
{
    DECLARE_DYNAMIC(CKTOutlookBar)
public:
    // The child controls the bar creates with itself.
    enum
    {
        IdScrollBack = 1,
        IdScrollForward = 2,
        IdClose = 20,
        // Page buttons take ids from here on, in page order.
        IdFirstPageButton = 0x100
    };
    enum
    {
        TimerScrollBack = 1,
        TimerScrollForward = 2,
        TimerActivatePage = 3
    };

    CKTOutlookBar();
    ~CKTOutlookBar() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_LEFT,
                UINT nID = AFX_IDW_TOOLBAR) override;
    // With bHasSplitter the bar gets its resizing strip. WS_CAPTION in the style asks for the
    // bar's own caption; the window never gets a system caption.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID, BOOL bHasSplitter);

    // Pages: -1 when the id is in use or the page button cannot be made. Otherwise the index;
    // the first page becomes the active one.
    int AddPage(UINT uiID, LPCTSTR lpszName, CWnd* pWnd = nullptr);
    BOOL RemovePage(UINT uiID);
    BOOL ActivatePage(UINT uiID);
    CKTOutlookBarPage* FindPage(UINT uiID) const;
    CKTOutlookBarPage* GetActivePage() const { return m_pActivePage; }
    int GetPageCount() const { return static_cast<int>(m_lstPages.GetCount()); }
    CKTOutlookBarPage* GetPage(int nIndex) const;
    // The page whose button lies under the point (client coordinates); null for none.
    CKTOutlookBarPage* PageFromPoint(CPoint point) const;
    // Activates the page after a delay unless the pointer has left its button by then.
    void ActivatePageDelayed(CKTOutlookBarPage* pPage);

    // A shortcut on a page; the bar takes the button. The index, or -1.
    int AddShortcut(UINT uiPageID, CKTOutlookButton* pButton);

    // One step of scrolling: FALSE when there is nothing more to scroll that way.
    BOOL ScrollUp();
    BOOL ScrollDown();
    int GetScrolledButtons() const { return m_nScrolledButtons; }
    int GetScrollOffset() const { return m_nScrollOffset; }

    // The client rectangle without the resizing strip.
    CRect GetWorkArea() const;
    CRect GetSplitterRect() const { return m_rectSplitter; }
    CRect GetCaptionRect() const { return m_rectCaption; }
    BOOL HasSplitter() const { return m_bHasSplitter; }
    // The WS_CAPTION bits the bar took out of its window style.
    DWORD GetCaptionStyle() const { return m_dwCaptionStyle; }
    COLORREF GetBackColor() const { return m_clrBackColor; }
    // The width of a vertical bar, the height of a horizontal one.
    int GetBarSize() const { return m_nBarSize; }
    void SetBarSize(int nSize);
    CKTButton& GetScrollBackButton() { return m_btnScrollBack; }
    CKTButton& GetScrollForwardButton() { return m_btnScrollForward; }
    CKTButton& GetCloseButton() { return m_btnClose; }
    BOOL IsResizing() const { return m_bResizing; }

    // Scrolling moves the shortcuts in small steps when set.
    BOOL m_bEnableAnimation = FALSE;

    // A button dragged onto a page button and held there opens that page after a moment, so that
    // it can be dropped on any page; a dropped shortcut belongs to the page shown.
    DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    void OnDragLeave() override;
    BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;
    CKTToolbarButton* CreateDroppedButton(COleDataObject* pDataObject) override;
    // The page that waits for its delayed activation; null for none.
    CKTOutlookBarPage* GetPageToActivate() const { return m_pPageToActivate; }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void AdjustLocations() override;
    void DoPaint(CDC* pDC) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

protected:
    // Which side the bar is docked on: CBRS_ALIGN_LEFT, _TOP, _RIGHT or _BOTTOM.
    DWORD GetDockSide() const;
    void RecalcSplitter();
    void RecalcCaption();
    void RecalcCloseButton();
    // The work area less the caption: where pages and shortcuts go.
    CRect GetPagesArea() const;
    // The shortcut area of the active page (between the page buttons).
    CRect GetShortcutArea() const { return m_rectShortcuts; }
    BOOL IsShortcutShown(const CKTToolbarButton* pButton) const;
    // The shortcuts' length along the bar without scrolling.
    int GetShortcutsLength() const;
    int ShortcutLength(const CKTToolbarButton* pButton) const;
    void SetScrolledButtons(int nButtons);
    void UpdateScrollButtons();
    void InvalidateWorkArea();
    void InvertResizeLine(CPoint point);
    void DrawResizeLine(CPoint point);
    void EndResizing(BOOL bApply);

    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    void OnSysColorChange();
    void OnTimer(UINT_PTR nIDEvent);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnCancelMode();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    void OnNcPaint();
    void OnStyleChanging(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    // A press on a scroll button starts its timer; the ticks scroll while it stays held.
    void OnParentNotify(UINT message, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CObList m_lstPages;
    CKTOutlookBarPage* m_pActivePage = nullptr;
    CKTOutlookBarPage* m_pPageToActivate = nullptr;
    int m_nScrollOffset = 0;
    int m_nScrolledButtons = 0;
    CKTButton m_btnScrollBack;
    CKTButton m_btnScrollForward;
    CKTButton m_btnClose;
    BOOL m_bHasSplitter = FALSE;
    CRect m_rectSplitter;
    DWORD m_dwCaptionStyle = 0;
    CRect m_rectCaption;
    CRect m_rectShortcuts;
    COLORREF m_clrBackColor;
    int m_nBarSize = 90;
    BOOL m_bResizing = FALSE;
    CPoint m_ptResizeStart;
    CPoint m_ptResizeLine = CPoint(-1, -1);

    inline static HCURSOR m_hcurSplitHorz = nullptr;
    inline static HCURSOR m_hcurSplitVert = nullptr;
};

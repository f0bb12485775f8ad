#pragma once
// The resizable docking pane: docks on any side, shares its row with other sizing bars, is sized
// by dragging its inner edges, floats (and rolls up) in a CKTMiniDockFrameWnd, carries a caption
// band with a close and an expand button, and keeps its sizes in the user's profile.
#include "framework/Afx.h"
#include "framework/AfxCommCtrl.h"
#include "framework/AfxDockBar.h"

#include <utility>
#include <vector>

class CKTSizingControlBar;

// One of the two caption buttons of a sizing bar (close, expand).
class CKTSizingBarButton
{
public:
    // A button is the menu glyph's size plus 5 pixels each way; a hidden one has no size.
    CSize GetSize() const;
    CRect GetRect() const { return CRect(m_ptOrg, GetSize()); }

    BOOL m_bPushed = FALSE;
    BOOL m_bFocused = FALSE; // highlighted
    UINT m_nHit = 0;         // HTCLOSE for close, HTMAXBUTTON for expand
    UINT m_uiTT = 0;         // tooltip string id
    BOOL m_bHidden = FALSE;
    CKTSizingControlBar* m_pParent = nullptr;
    CPoint m_ptOrg; // position inside the window
};

class CKTSizingControlBar : public CControlBar
{
    DECLARE_DYNAMIC(CKTSizingControlBar)
public:
    // Edge flags: which sizing edges the bar shows; kEdgeReserved once the window reserves them.
    enum
    {
        kEdgeLeft = 1,
        kEdgeRight = 2,
        kEdgeTop = 4,
        kEdgeBottom = 8,
        kEdgeReserved = 16
    };
    enum
    {
        kCloseButton = 0,
        kExpandButton = 1
    };
    // Tooltip strings of the caption buttons.
    enum
    {
        IDS_KT_HIDE_BAR = 16011,
        IDS_KT_EXPAND_BAR = 16012,
        IDS_KT_CONTRACT_BAR = 16013
    };

    CKTSizingControlBar();
    ~CKTSizingControlBar() override;

    virtual BOOL Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, CSize sizeDefault, BOOL bHasGripper, UINT nID,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP);
    virtual void SetMinSize(CSize size);
    virtual void SetMaxSize(CSize size);
    // The profile section, or the default one when null or empty.
    virtual void LoadState(LPCTSTR lpszProfileName);
    virtual void SaveState(LPCTSTR lpszProfileName);
    virtual BOOL CanBeClosed() const { return TRUE; }
    virtual void StartTracking(UINT nHitTest);
    virtual void StopTracking();
    virtual void OnTrackUpdateSize(CPoint& point);
    virtual void OnTrackInvertTracker();
    virtual void AdjustRowPositions();
    virtual void DrawCaption(CDC* pDC, const CRect& rectCaption);
    virtual void DisableChildWindows(BOOL bDisable);
    virtual BOOL IsNcPaintClipped() const { return TRUE; }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL DestroyWindow() override;

    void EnableDocking(DWORD dwDockStyle);
    BOOL IsHorzDocked() const { return m_nDockBarID == AFX_IDW_DOCKBAR_TOP || m_nDockBarID == AFX_IDW_DOCKBAR_BOTTOM; }
    BOOL IsVertDocked() const { return m_nDockBarID == AFX_IDW_DOCKBAR_LEFT || m_nDockBarID == AFX_IDW_DOCKBAR_RIGHT; }
    BOOL IsFloating() const { return !IsHorzDocked() && !IsVertDocked(); }
    BOOL IsExpanded() const { return m_bMaximized; }
    BOOL IsAloneInRow() const { return m_bAloneInRow; }
    BOOL IsTracking() const { return m_bTracking; }
    void ToggleExpand(BOOL bToggle);

    CSize GetHorzSize() const { return m_szHorz; }
    CSize GetVertSize() const { return m_szVert; }
    CSize GetFloatSize() const { return m_szFloat; }
    void SetHorzSize(CSize size) { m_szHorz = size; }
    void SetVertSize(CSize size) { m_szVert = size; }
    void SetFloatSize(CSize size) { m_szFloat = size; }
    CSize GetMinSize() const { return m_szMin; }
    CSize GetMaxSize() const { return m_szMax; }
    int GetCaptionHeight() const { return m_nCaptionHeight; }
    UINT GetEdgeFlags() const { return m_dwSCBStyle; }
    const CKTSizingBarButton& GetButton(int i) const { return m_Buttons[i]; }
    CToolTipCtrl& GetToolTip() { return m_ToolTip; }

    // The live sizing bars in creation order.
    static const std::vector<CKTSizingControlBar*>& GetAllBars() { return m_arrBars; }
    static int FindBar(const CControlBar* pBar);
    // The section used when LoadState or SaveState are given none.
    static const wchar_t* const m_szDefaultSection;

    // Saved roll-up state of the bar while it floats (see CKTMiniDockFrameWnd).
    int m_nRollingType = 0;
    BOOL m_bRolled = FALSE;
    // While set, a floating frame in automatic roll-up mode leaves the bar unrolled.
    BOOL m_bKeepUnrolled = FALSE;

    // The sizing bars of the bar's row (visible, in the class-wide list), in row order; the
    // whole row including other bars in arrAll when given. FALSE without a dock bar.
    BOOL GetRowSizingBars(std::vector<CKTSizingControlBar*>& arrSCBars,
                          std::vector<CControlBar*>* pAllVisible = nullptr) const;
    // Fits the row into nLength; FALSE when it could not (the bar moved to its own row, or is
    // alone and too long).
    BOOL NegotiateSpace(int nLength, BOOL bHorz);
    // The edge hit code under a screen point, HTNOWHERE when none.
    LRESULT HitTestEdges(CPoint ptScreen) const;
    // The point of a window-relative rectangle band along an edge, for tests and the tracker.
    CRect GetEdgeRect(UINT nHitTest) const;
    BOOL IsEdgeShown(UINT nHitTest) const;

protected:
    BOOL IsRowFirst() const;
    BOOL IsRowLast() const;
    BOOL IsLeftToRightFrame() const;
    void RedrawButton(const CKTSizingBarButton& button);
    void SetHighlightedButton(int nButton);
    void OnButtonClicked(int nButton);
    CFrameWnd* GetFrameForPopup() const;
    void SendPopupMenuMessage(CPoint ptScreen);
    CRect GetTrackerRect() const;
    // Ends an edge drag keeping the sizes (and deciding the expanded state of a row of two), or
    // cancels it, every bar of the row back at its size from the start.
    void FinishTracking();
    void CancelTracking();

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    LRESULT OnNcHitTest(CPoint point);
    void OnNcPaint();
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    void OnNcLButtonUp(UINT nHitTest, CPoint point);
    void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    void OnNcRButtonUp(UINT nHitTest, CPoint point);
    void OnNcMouseMove(UINT nHitTest, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnCaptureChanged(CWnd* pWnd);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    void OnPaint();
    DECLARE_MESSAGE_MAP()

    CSize m_szHorz{200, 200};
    CSize m_szVert{200, 200};
    CSize m_szFloat{200, 200};
    UINT m_dwSCBStyle = 0; // edge flags
    UINT m_htEdge = 0;     // the edge being dragged
    CSize m_szMax{-1, -1};
    CSize m_szMin{33, 32};
    CSize m_szMinT;
    CSize m_szMaxT;
    CSize m_szOld{0, 0}; // at the start of a drag; also the size kept while expanded
    CPoint m_ptOld{0, 0};
    BOOL m_bTracking = FALSE;
    BOOL m_bKeepSize = FALSE;     // just shown: keeps its length in the next row fit
    BOOL m_bParentSizing = FALSE; // a row fit is pending
    UINT m_nDockBarID = 0;
    int m_cxEdge = 6;
    int m_nCaptionHeight = 0;
    BOOL m_bMaximized = FALSE;
    BOOL m_bExpandAtLayout = FALSE; // loaded expanded while its row was not known yet
    CToolTipCtrl m_ToolTip;
    BOOL m_bAloneInRow = FALSE;
    BOOL m_bActive = FALSE;
    CRect m_rectRedraw;
    int m_nBorder = 5;
    CKTSizingBarButton m_Buttons[2];
    // A thickness drag lays the tracker over the whole dock bar.
    BOOL m_bThicknessDrag = FALSE;
    CKTSizingControlBar* m_pNeighbour = nullptr; // the bar across the dragged edge
    CSize m_szNeighbourOld;
    std::vector<std::pair<CKTSizingControlBar*, CSize>> m_arrTrackStart;
    HWND m_hWndFocusBeforeTracking = nullptr;

    inline static std::vector<CKTSizingControlBar*> m_arrBars;
    inline static HCURSOR m_hcurSizeWE = nullptr;
    inline static HCURSOR m_hcurSizeNS = nullptr;

    friend class CKTMiniDockFrameWnd;
};

#pragma once
// A child window with a row of tabs that shows exactly one of the windows attached to them: 3-D,
// slanted or flat tabs, scroll buttons when they do not fit, a close button for the active window,
// a horizontal scroll bar shared with the active window, renaming in place, moving a tab by
// dragging it, hot tracking, icons, automatic colours and tooltips. Every tab shape and background
// is painted by the visual manager. Changes reach the parent through five registered messages,
// always sent (never posted).
//
// The tab window owns its tab records, its buttons, fonts, brush and tooltip; with the
// auto-destroy flag it destroys the windows attached to the tabs as their tabs go.

#include "uitoolkit/customize/KTButton.h"

#include <vector>

class CKTTabWnd;

// A scroll or close button of a tab window: the visual manager paints its face and border.
class CKTTabButton : public CKTButton
{
    DECLARE_DYNCREATE(CKTTabButton)
protected:
    void OnFillBackground(CDC* pDC, const CRect& rectClient) override;
    void OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState) override;
    const CKTTabWnd* TabWnd();
};

// wParam: new active index; lParam: the old one (on a click), else 0.
extern const UINT KTM_ONCHANGE_ACTIVE_TAB;
// wParam: the scroll code and position of WM_HSCROLL.
extern const UINT KTM_ON_HSCROLL;
// wParam: tab index; lParam: the new label (LPCTSTR). A non-zero answer keeps the old label.
extern const UINT KTM_ON_RENAME_TAB;
// wParam: dragged index; lParam: drop index. A non-zero answer cancels the move.
extern const UINT KTM_ON_BEFOREMOVE_TAB;
// wParam: dragged index; lParam: drop index, after the move.
extern const UINT KTM_ON_MOVE_TAB;

class CKTTabInfo
{
public:
    CKTTabInfo(const CString& strText, UINT uiIcon, CWnd* pWnd, int iTabID);

    CString m_strText;
    UINT m_uiIcon;
    CRect m_rect;
    BOOL m_bVisible = TRUE;
    CWnd* m_pWnd;
    BOOL m_bIsListView;
    int m_iTabID;
    COLORREF m_clrText = (COLORREF)-1;
    COLORREF m_clrBack = (COLORREF)-1;
};

class CKTTabWnd : public CWnd
{
    DECLARE_DYNCREATE(CKTTabWnd)
public:
    enum Style
    {
        STYLE_3D = 0,
        STYLE_FLAT = 1,
        STYLE_FLAT_SHARED_HORZ_SCROLL = 2,
        STYLE_3D_SCROLLED = 3,
        STYLE_3D_ONENOTE = 4
    };
    enum Location
    {
        LOCATION_BOTTOM = 0,
        LOCATION_TOP = 1
    };
    // The tab scroll and close buttons, by their place in the button list.
    enum Button
    {
        BUTTON_LEFT = 0,
        BUTTON_RIGHT = 1,
        BUTTON_FIRST = 2,
        BUTTON_LAST = 3,
        BUTTON_CLOSE = 4,
        BUTTON_COUNT = 5
    };

    CKTTabWnd();
    ~CKTTabWnd() override;

    BOOL Create(Style style, const RECT& rect, CWnd* pParentWnd, UINT nID, Location location = LOCATION_BOTTOM,
                BOOL bCloseBtn = FALSE);

    void AddTab(CWnd* pTabWnd, LPCTSTR lpszTabLabel, UINT uiImageId = (UINT)-1);
    void InsertTab(CWnd* pTabWnd, LPCTSTR lpszTabLabel, int nInsertAt, UINT uiImageId = (UINT)-1);
    BOOL RemoveTab(int iTab);
    void RemoveAllTabs();
    BOOL SetActiveTab(int iTab);
    int GetActiveTab() const { return m_iActiveTab; }
    CWnd* GetActiveWnd() const { return GetTabWnd(m_iActiveTab); }

    int GetTabsNum() const { return (int)m_arTabs.size(); }
    int GetVisibleTabsNum() const;
    CWnd* GetTabWnd(int iTab) const;
    BOOL GetTabRect(int iTab, CRect& rect) const;
    int GetTabFromHwnd(HWND hwnd) const;
    int GetTabFromPoint(CPoint pt) const;
    UINT GetTabIcon(int iTab) const;
    BOOL SetTabIcon(int iTab, UINT uiIcon);
    BOOL GetTabLabel(int iTab, CString& strLabel) const;
    BOOL SetTabLabel(int iTab, const CString& strLabel);
    BOOL ShowTab(int iTab, BOOL bShow = TRUE);
    BOOL IsTabVisible(int iTab) const;
    // The tab's own background colour; with none and automatic colours in use the automatic colour
    // of the tab's place; -1 when neither gives one.
    COLORREF GetTabBkColor(int iTab) const;
    BOOL SetTabBkColor(int iTab, COLORREF color = (COLORREF)-1);
    COLORREF GetTabTextColor(int iTab) const;
    BOOL SetTabTextColor(int iTab, COLORREF color = (COLORREF)-1);
    void SetImageList(HIMAGELIST hImageList);
    HIMAGELIST GetImageList() const { return m_hImageList; }
    CSize GetImageSize() const { return m_sizeImage; }
    BOOL EnsureVisible(int iTab);
    void SetDisplayFlag(BOOL bFlag, BOOL bRepaint = FALSE);
    BOOL GetDisplayFlag() const { return m_bDisplayFlag; }

    void EnableInPlaceEdit(BOOL bEnable = TRUE) { m_bIsInPlaceEdit = bEnable; }
    void EnableTabSwap(BOOL bEnable = TRUE) { m_bEnableTabSwap = bEnable; }
    void HideSingleTab(BOOL bHide = TRUE);
    void HideNoTabs(BOOL bHide = TRUE);
    BOOL IsHideSingleTab() const { return m_bHideSingleTab; }
    BOOL IsHideNoTabs() const { return m_bHideNoTabs; }
    void HideInactiveWindow(BOOL bHide = TRUE) { m_bHideInactiveWnd = bHide; }
    void AutoSizeWindow(BOOL bAutoSize = TRUE) { m_bAutoSizeWnd = bAutoSize; }
    void AutoDestroyWindow(BOOL bAutoDestroy = TRUE) { m_bAutoDestoyWindow = bAutoDestroy; }
    void HideButtons(BOOL bHide = TRUE) { m_bHideButtons = bHide; }
    // Automatic colours: bEnable uses them; the table itself is built only while it is enabled.
    void EnableAutoColor(BOOL bEnable = TRUE);
    void EnableAutoColorTable(BOOL bEnable = TRUE);
    const CArray<COLORREF, COLORREF>& GetAutoColors() const { return m_arAutoColors; }
    void SetTabAreaColor(COLORREF color);

    BOOL IsFlatTab() const { return m_bFlat; }
    BOOL IsSharedScroll() const { return m_bSharedScroll; }
    BOOL IsScrollButtons() const { return m_bScroll; }
    BOOL IsHotTrack() const { return m_bHotTrack; }
    Location GetLocation() const { return m_location; }
    int GetTabsHeight() const { return m_nTabsHeight; }
    int GetHotTab() const { return m_iHighlighted; }
    int GetScrollOffset() const { return m_nTabsHorzOffset; }
    int GetMaxScrollOffset() const { return m_nTabsHorzOffsetMax; }
    CRect GetTabsArea() const { return m_rectTabsArea; }
    CRect GetWndArea() const { return m_rectWndArea; }
    CKTButton* GetButton(Button which) const { return m_pButtons[which]; }
    CEdit* GetRenameEdit() const { return m_pInPlaceEdit; }
    int GetRenamedTab() const { return m_iEditedTab; }
    BOOL IsDragging() const { return m_bTabDrag; }
    int GetDropIndex() const { return m_nTabDropIndex; }
    CFont* GetTabFont();
    CScrollBar* GetSharedScrollBar() { return m_wndScrollWnd.GetSafeHwnd() != nullptr ? &m_wndScrollWnd : nullptr; }
    CToolTipCtrl* GetToolTip() { return m_ToolTip.GetSafeHwnd() != nullptr ? &m_ToolTip : nullptr; }

    virtual BOOL StartRenameTab(int iTab);
    virtual BOOL CanRenameTab(int, const CString&) { return TRUE; }
    virtual void InvalidateTab(int iTab);
    virtual BOOL IsSlantedStyle() const { return m_bIsOneNoteStyle; }
    virtual int GetFirstVisibleTabNum() const { return m_nFirstVisibleTab; }
    virtual void SetLocation(Location location);
    virtual void DrawTabArrow(CDC* pDC, int x, int y, int nSize);
    // One tab of a 3-D tab window, and one of a flat one; both paint through the look.
    virtual void DrawTab(CDC* pDC, int iTab, BOOL bIsActive);
    virtual void DrawFlatTab(CDC* pDC, int iTab, BOOL bIsActive);
    virtual void InitAutoColors();

    void RecalcLayout();

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Painted by the looks; read by them.
    BOOL m_bFlatFrame = FALSE;
    BOOL m_bNoEraseBkgnd = FALSE;
    BOOL m_bInnerFrame = FALSE;

    static const int TAB_IMAGE_MARGIN = 4;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnCancelMode();
    void OnTimer(UINT_PTR nIDEvent);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    void OnSysColorChange();
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    DECLARE_MESSAGE_MAP()

    void RecalcTabs();
    void EqualizeTabs(int nVisible);
    void UpdateScrollButtonsState();
    void SetTabsHeight();
    void CreateFonts();
    void SetScrollOffset(int nOffset);
    void ScrollBy(Button which);
    void SynchronizeScrollBar();
    BOOL RenameTab();
    void CloseRenameEdit();
    void EndDrag(BOOL bDrop);
    void Paint(CDC* pDC);
    void PassMouseToParent(UINT message, UINT nFlags, CPoint point);
    void UpdateToolTipRect(int iTab);
    CKTButton* ButtonFromHwnd(HWND hWnd, int* pWhich) const;
    int TabWidth(CDC* pDC, const CKTTabInfo& tab) const;

    BOOL m_bFlat = FALSE;
    BOOL m_bIsOneNoteStyle = FALSE;
    BOOL m_bSharedScroll = FALSE;
    BOOL m_bScroll = FALSE;
    BOOL m_bCloseBtn = FALSE;
    BOOL m_bHotTrack = FALSE;
    Location m_location = LOCATION_BOTTOM;
    std::vector<CKTTabInfo*> m_arTabs;
    int m_iActiveTab = -1;
    CRect m_rectTabsArea;
    CRect m_rectWndArea;
    int m_nTabsHeight = 0;
    HIMAGELIST m_hImageList = nullptr;
    CSize m_sizeImage{0, 0};
    CToolTipCtrl m_ToolTip;
    CScrollBar m_wndScrollWnd;
    CKTButton* m_pButtons[BUTTON_COUNT] = {};
    CList<CWnd*, CWnd*> m_lstButtons;
    int m_iHighlighted = -1;
    int m_nTabsHorzOffset = 0;
    int m_nTabsHorzOffsetMax = 0;
    int m_nTabsTotalWidth = 0;
    BOOL m_bHideButtons = FALSE;
    int m_nFirstVisibleTab = 0;
    int m_nHorzScrollWidth = 0;
    CRect m_rectTabSplitter;
    BOOL m_bTrackSplitter = FALSE;
    CBrush m_brTabArea;
    CFont m_fntTabs;
    CFont m_fntTabsBold;
    int m_nTabBorderSize = 3;
    BOOL m_bHideInactiveWnd = TRUE;
    BOOL m_bAutoSizeWnd = TRUE;
    BOOL m_bAutoDestoyWindow = TRUE;
    int m_iCurTabID = 1;
    BOOL m_bHideSingleTab = FALSE;
    BOOL m_bHideNoTabs = FALSE;
    BOOL m_bIsInPlaceEdit = FALSE;
    CEdit* m_pInPlaceEdit = nullptr;
    int m_iEditedTab = -1;
    BOOL m_bEnableTabSwap = FALSE;
    BOOL m_bTabDrag = FALSE;
    int m_nTabDragIndex = -1;
    int m_nTabDropIndex = -1;
    BOOL m_bDisplayFlag = FALSE;
    CArray<COLORREF, COLORREF> m_arAutoColors;
    BOOL m_bIsAutoColor = FALSE;
    BOOL m_bIsDefaultAutoColor = TRUE;
    COLORREF m_clrActiveTabBk = (COLORREF)-1;
    COLORREF m_clrTabArea = (COLORREF)-1;

    static BOOL s_bInScrollForwarding;
};

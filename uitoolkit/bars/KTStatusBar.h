#pragma once
// The toolkit's status bar: a control bar with its own array of panes, each showing a text, an
// icon or a looping icon animation, or a progress bar, with its own tooltip and text colour, all
// painted through the visual manager. The frame's idle and menu prompts arrive as window text and
// go to the pane of command 0. Also the caption bar as the looks see it.
//
// The bar owns each pane's text, tooltip and image list; they are released when they are
// replaced, when SetIndicators builds new panes, when the window is destroyed and at the latest
// by the destructor. An animated pane runs a timer whose id is the pane's command id.
#include "framework/Afx.h"

#include <commctrl.h>

// One pane of the bar (an element of the control bar's array, zero-filled when allocated).
struct CKTStatusBarPaneInfo
{
    RECT rect;        // in the bar's client area, set by the layout
    UINT nID;         // the indicator's command id; 0: the text pane
    UINT nStyle;      // SBPS_ bits
    int cxText;       // width reserved for text
    COLORREF clrText; // -1: the global text colour
    int cxIcon;       // size of the icon frames; 0: no icon
    int cyIcon;
    LPWSTR lpszText;    // owned (malloc), null: none
    LPWSTR lpszToolTip; // owned (malloc), null: none
    HIMAGELIST hImages; // owned: the icon or the animation frames
    int nFrameCount;    // animation frames; 0: no animation
    int nCurrFrame;
    long nProgressCurr;
    long nProgressTotal;     // 0: no progress bar
    BOOL bProgressText;      // the percentage is shown
    COLORREF clrProgressBar; // -1: COLOR_HIGHLIGHT
    COLORREF clrProgressBarDest;
    COLORREF clrProgressText;
};

class CKTStatusBar : public CControlBar
{
    DECLARE_DYNAMIC(CKTStatusBar)
public:
    CKTStatusBar();
    ~CKTStatusBar() override;

    using CWnd::Create;
    using CWnd::CreateEx;
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                        UINT nID = AFX_IDW_STATUS_BAR);
    virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                          UINT nID = AFX_IDW_STATUS_BAR);

    // Releases the old panes and builds nIDCount new ones: a non-zero id takes its string
    // resource as text and the text's width; id 0 gets a quarter of the screen width, and when it
    // comes first it also stretches and has no border. FALSE when the panes cannot be allocated or
    // a string is missing (the panes before it are set up).
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    // The pane's rectangle in the bar's client area; an empty one for a bad index.
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);
    CString GetPaneText(int nIndex) const;
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    CString GetTipText(int nIndex) const;
    BOOL SetPaneTooltip(int nIndex, LPCTSTR lpszToolTip);
    void SetPaneTextColor(int nIndex, COLORREF clrText = (COLORREF)-1, BOOL bUpdate = TRUE);
    // The icon is copied; the caller keeps its own. Null removes the pane's icon.
    void SetPaneIcon(int nIndex, HICON hIcon, BOOL bUpdate = TRUE);
    // Copies the list's images as animation frames shown every nFrameRate ms; a null or empty
    // list stops the animation.
    void SetPaneAnimation(int nIndex, HIMAGELIST hImageList, UINT nFrameRate = 500, BOOL bUpdate = TRUE);
    // A progress bar of nTotal steps (0 removes it) in place of the pane's text and icon.
    void EnablePaneProgressBar(int nIndex, long nTotal = 100, BOOL bDisplayText = FALSE, COLORREF clrBar = (COLORREF)-1,
                               COLORREF clrBarDest = (COLORREF)-1, COLORREF clrProgressText = (COLORREF)-1);
    void SetPaneProgress(int nIndex, long nCurr, BOOL bUpdate = TRUE);
    void InvalidatePane(int nIndex);
    // The pane under the point (client coordinates), -1 when none.
    int HitTest(CPoint point) const;
    HFONT GetCurrentFont() const;

    BOOL IsSizeGripHidden() const { return m_bHideSizeGrip; }
    CRect GetSizeGripRect() const { return m_rectSizeBox; }
    // A double click on a pane posts its command to the owner.
    BOOL m_bDblClickSendsCommands = FALSE;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void DoPaint(CDC* pDC) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

protected:
    virtual void OnDrawPane(CDC* pDC, CKTStatusBarPaneInfo* pSBP);

    CKTStatusBarPaneInfo* GetPanePtr(int nIndex) const;
    void RecalcLayout();
    // Frees every pane's text, tooltip and images, and stops its animation.
    void ReleasePanes();
    void StopAnimation(CKTStatusBarPaneInfo* pSBP);
    // Replaces the owned copy; FALSE when the copy cannot be made (the old text stays).
    static BOOL CopyText(LPWSTR& lpszTarget, LPCTSTR lpszNew);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    void OnDestroy();
    void OnSize(UINT nType, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* pDC);
    LRESULT OnNcHitTest(CPoint point);
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnTimer(UINT_PTR nIDEvent);
    void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    HFONT m_hFont = nullptr;
    int m_cxSizeBox = 0;
    BOOL m_bHideSizeGrip = FALSE;
    CRect m_rectSizeBox;

    friend class CKTStatusCmdUI;
};

// CControlBar: a bar along a side of a frame (or floating in a frame of its own), laid out before
// the frame's view gets the rest of the client area. CReBar is only a run-time class here.
#pragma once

#include "framework/AfxFrame.h"

class CDockBar;
class CDockContext;
class CControlBarInfo;

// Control-bar style word (CControlBar::m_dwStyle); CBRS_ALL masks the bits that belong to it.
#define CBRS_FLOATING      0x0001L
#define CBRS_SIZE_FIXED    0x0002L
#define CBRS_SIZE_DYNAMIC  0x0004L
#define CBRS_HIDE_INPLACE  0x0008L
#define CBRS_TOOLTIPS      0x0010L
#define CBRS_FLYBY         0x0020L
#define CBRS_FLOAT_MULTI   0x0040L
#define CBRS_BORDER_3D     0x0080L
#define CBRS_BORDER_LEFT   0x0100L
#define CBRS_BORDER_TOP    0x0200L
#define CBRS_BORDER_RIGHT  0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY    0x0F00L
#define CBRS_ALIGN_LEFT    0x1000L
#define CBRS_ALIGN_TOP     0x2000L
#define CBRS_ALIGN_RIGHT   0x4000L
#define CBRS_ALIGN_BOTTOM  0x8000L
#define CBRS_ALIGN_ANY     0xF000L
#define CBRS_GRIPPER       0x00400000L
#define CBRS_ALL           0x0040FFFFL
#define CBRS_NOALIGN       0x00000000L
#define CBRS_LEFT          (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP           (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT         (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM        (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)
#define CBRS_ORIENT_HORZ   (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT   (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY    (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)

// CalcDynamicLayout modes
#define LM_STRETCH  0x01 // the bar fills the dock bar's length
#define LM_HORZ     0x02 // horizontal, else vertical
#define LM_MRUWIDTH 0x04 // the most recently used floating width
#define LM_HORZDOCK 0x08 // docked horizontally
#define LM_VERTDOCK 0x10 // docked vertically
#define LM_LENGTHY  0x20 // the length given is a height
#define LM_COMMIT   0x40 // the size is final (the floating width is remembered)

// Toolbar button styles and states (states are the control's TBSTATE_ bits shifted up 16)
#define TBBS_BUTTON        0x0000
#define TBBS_SEPARATOR     0x0001
#define TBBS_CHECKBOX      0x0002
#define TBBS_GROUP         0x0004
#define TBBS_CHECKGROUP    (TBBS_GROUP | TBBS_CHECKBOX)
#define TBBS_DROPDOWN      0x0008
#define TBBS_AUTOSIZE      0x0010
#define TBBS_NOPREFIX      0x0020
#define TBBS_CHECKED       0x00010000L
#define TBBS_PRESSED       0x00020000L
#define TBBS_DISABLED      0x00040000L
#define TBBS_HIDDEN        0x00080000L
#define TBBS_INDETERMINATE 0x00100000L
#define TBBS_WRAPPED       0x00200000L
#define TBBS_ELLIPSES      0x00400000L
#define TBBS_MARKED        0x00800000L

// Status bar pane styles
#define SBPS_NORMAL    0x0000
#define SBPS_NOBORDERS 0x0100
#define SBPS_POPOUT    0x0200
#define SBPS_OWNERDRAW 0x1000
#define SBPS_DISABLED  0x04000000L
#define SBPS_STRETCH   0x08000000L

// Border width and height the bars overlap by and draw.
const int AFX_CX_BORDER = 1;
const int AFX_CY_BORDER = 1;

class CControlBar : public CWnd
{
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar();
    ~CControlBar() override;

    // m_nStateFlags: a show or hide put off until the next layout of the dock site.
    enum StateFlags
    {
        delayHide = 1,
        delayShow = 2,
        tempHide = 4,
        statusSet = 8
    };

    int m_cxLeftBorder = 6;
    int m_cxRightBorder = 6;
    int m_cyTopBorder = 2;
    int m_cyBottomBorder = 2;
    int m_cxDefaultGap = 2;
    UINT m_nMRUWidth = 32767;   // floating width last used (LM_MRUWIDTH)
    BOOL m_bAutoDelete = FALSE; // the object deletes itself when its window is gone
    UINT m_nStateFlags = 0;
    DWORD m_dwStyle = 0;     // CBRS_ bits (never in the window style)
    DWORD m_dwDockStyle = 0; // sides it may dock to (CBRS_ALIGN_ bits), 0: no docking
    CFrameWnd* m_pDockSite = nullptr;
    CDockBar* m_pDockBar = nullptr;
    CDockContext* m_pDockContext = nullptr; // owned; created by EnableDocking

    // The element array of derived bars (buttons, panes): m_nCount elements of the size given to
    // AllocElements, zero-filled.
    int m_nCount = 0;
    void* m_pData = nullptr;
    // FALSE (and nothing changed) when the count is negative or the array would not fit in memory.
    BOOL AllocElements(int nElements, int cbElement);

    void SetBarStyle(DWORD dwStyle);
    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
    void SetBorders(LPCRECT lpRect) { SetBorders(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    CRect GetBorders() const { return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder); }
    // Shrinks rect to the part inside the borders, gripper and border lines.
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;

    // Docking: EnableDocking creates the dock context (0 disables docking); the frame docks the bar.
    void EnableDocking(DWORD dwDockStyle);
    CFrameWnd* GetDockingFrame() const;
    BOOL IsFloating() const;
    BOOL IsVisible() const;
    BOOL IsDockBar() const;
    int GetCount() const { return m_nCount; }
    void GetBarInfo(CControlBarInfo* pInfo);
    void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd);

    // Layout. The base answers are the minimums a derived bar builds on: the borders, and the whole
    // length of the dock bar when stretched.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
    // Carries out a delayed show or hide inside the layout's deferred batch (a query only pretends)
    // and answers the window style the bar will have, visibility included.
    virtual DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout);
    void DelayShow(BOOL bShow);

    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
    virtual void DoPaint(CDC* pDC);
    void DrawBorders(CDC* pDC, CRect& rect);
    void DrawGripper(CDC* pDC, const CRect& rect);

    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL DestroyWindow() override;
    void Serialize(CArchive& ar) override;

protected:
    void PostNcDestroy() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    friend class CFrameWnd;
    friend class CDockBar;
};

// A rebar: known by its run-time class (type tests name it); no band management.
class CReBar : public CControlBar
{
    DECLARE_DYNAMIC(CReBar)
public:
    CReBar() = default;
};

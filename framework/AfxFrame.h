// Frame windows: CFrameWnd, the creation context and the layout of control bars.
#pragma once

#include "framework/AfxWnd.h"
#include "framework/AfxView.h"

#include <vector>

class CDocument;
class CDocTemplate;
class CControlBar;
class CDockBar;
class CDockState;
class CMiniDockFrameWnd;

// What a frame is created with: the view class to create and, for document programs, the
// document and template.
struct CCreateContext
{
    CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};

// lParam of WM_SIZEPARENT: each control bar takes its room from rect (and adds it to sizeTotal);
// bars move through hDWP, which is NULL when the layout is only queried.
struct AFX_SIZEPARENTPARAMS
{
    HDWP hDWP;
    RECT rect;
    SIZE sizeTotal;
    BOOL bStretch;
};

// Moves hWnd to lpRect (parent client coordinates) in the layout's deferred batch, unless it is
// there; a layout without a batch is a query and moves nothing.
void AFXAPI AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect);

// What a frame puts away while it shows a print preview, to restore it afterwards.
struct CPrintPreviewState
{
    UINT nIDMainPane = 0;
    HMENU hMenu = nullptr;
    DWORD dwStates = 0;
    HWND hWndFocus = nullptr;
    HACCEL hAccelTable = nullptr;
};

class CFrameWnd : public CWnd
{
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd();
    ~CFrameWnd() override;

    static const CRect rectDefault;

    // m_nIdleFlags: work put off until the next idle time
    enum IdleFlags { idleMenu = 1, idleTitle = 2, idleNotify = 4, idleLayout = 8 };
    // m_bHelpMode
    enum { HELP_INACTIVE = 0, HELP_ACTIVE = 1, HELP_ENTERING = -1 };

    BOOL m_bAutoMenuEnable = TRUE;  // menu items without a handler are disabled
    HMENU m_hMenuDefault = nullptr; // the menu the frame was loaded with
    HACCEL m_hAccelTable = nullptr;
    UINT m_nIDHelp = 0;             // resource id of LoadFrame
    int m_nWindow = -1;             // window number in the title (-1: none)
    int m_bHelpMode = HELP_INACTIVE;
    UINT m_nIdleFlags = 0;
    UINT m_nIDTracking = 0;         // command whose prompt is shown
    UINT m_nIDLastMessage = 0;
    CView* m_pViewActive = nullptr;
    int m_nShowDelay = -1;          // ShowWindow argument put off until idle time (-1: none)
    CString m_strTitle;
    DWORD m_dwPromptContext = 0;
    BOOL m_bInRecalcLayout = FALSE;
    CRect m_rectBorder;             // border space claimed by in-place tools
    CRuntimeClass* m_pFloatingFrameClass = nullptr;
    BOOL m_bOwnAccelTable = FALSE;  // m_hAccelTable was loaded by this frame
    // The frame's control bars; the docking code adds and removes its bars here.
    std::vector<CControlBar*> m_listControlBars;

    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr,
                        LPCTSTR lpszMenuName = nullptr, DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
    // Creates the frame with the menu, accelerators, icon and title (first substring of the
    // string) of resource nIDResource.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    BOOL LoadAccelTable(LPCTSTR lpszResourceName);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

    virtual CFrameWnd* GetActiveFrame() { return this; }
    virtual CDocument* GetActiveDocument();
    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void ActivateFrame(int nCmdShow = -1);

    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
    CString GetTitle() const { return m_strTitle; }
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void UpdateFrameTitleForDocument(LPCTSTR lpszDocName);
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
    virtual HACCEL GetDefaultAccelerator();

    // Layout: control bars first (RepositionBars over WM_SIZEPARENT), the view gets the rest.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    void DelayRecalcLayout(BOOL bNotify = TRUE);
    virtual BOOL NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder);
    enum BorderCmd { borderGet = 1, borderRequest = 2, borderSet = 3 };

    // Docking. EnableDocking makes the dock bars of the sides in dwDockStyle (top, bottom, left,
    // right, in that order of layout) and the floating-frame class (m_pFloatingFrameClass, which a
    // program may replace). A bar docks on the dock bar given (by object or id), else on the side of
    // its current alignment, else on the first side it allows; at lpRect (screen) when given.
    void EnableDocking(DWORD dwDockStyle);
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
    // Floats the bar in a floating frame whose top-left corner is at point (screen).
    void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = 0x2000L /* CBRS_ALIGN_TOP */);
    CMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle);
    // With bDelay the change waits for the next layout (at idle time); without, it happens now.
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    CControlBar* GetControlBar(UINT nID);
    void GetDockState(CDockState& state) const;
    // Bars named in the state take their places; a state naming no bar changes nothing.
    void SetDockState(const CDockState& state);
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    static const DWORD dwDockBarMap[4][2];

    // Prompts: the first line of the command's string resource, shown on the message bar.
    virtual void GetMessageString(UINT nID, CString& rMessage) const;
    void SetMessageText(LPCTSTR lpszText);
    void SetMessageText(UINT nID);
    virtual CWnd* GetMessageBar();

    // Context help
    virtual BOOL CanEnterHelpMode() { return TRUE; }
    void ExitHelpMode();
    BOOL IsTracking() const { return m_nIDTracking != 0 && m_nIDTracking != AFX_IDS_HELPMODEMESSAGE && m_nIDTracking != AFX_IDS_IDLEMESSAGE; }

    // Entering (bPreview) or leaving print preview; the state keeps what the frame restores.
    virtual void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState);
    virtual void BeginModalState();
    virtual void EndModalState();
    BOOL InModalState() const { return m_cModalStack > 0; }

    BOOL IsFrameWnd() const override { return TRUE; }
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT) override;

    // The frame that routes commands on the thread right now (the outermost one).
    static CFrameWnd* PASCAL GetRoutingFrame();

protected:
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    // Takes the help id and title of LoadFrame's resource; the window class with its icon, if any.
    LPCTSTR PrepareLoadFrame(UINT nIDResource);
    int OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    void PostNcDestroy() override;

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnClose();
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    BOOL OnNcActivate(BOOL bActive);
    void OnInitMenu(CMenu* pMenu);
    void OnInitMenuPopup(CMenu* pMenu, UINT nIndex, BOOL bSysMenu);
    void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    void OnEnterIdle(UINT nWhy, CWnd* pWho);
    BOOL OnEraseBkgnd(CDC* pDC);
    LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    LRESULT OnRecalcParent(WPARAM wParam, LPARAM lParam);
    LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
    void OnContextHelp();
    void OnHelp();
    void OnHelpFinder();
    void OnHelpIndex();
    void OnHelpUsing();
    void OnUpdateContextHelp(CCmdUI* pCmdUI);
    LRESULT OnActivateTopLevel(WPARAM wParam, LPARAM lParam);

    int m_cModalStack = 0;
    std::vector<HWND> m_disabledWindows;  // windows disabled by BeginModalState

    DECLARE_MESSAGE_MAP()
};

// Makes a frame the thread's routing frame for the time of one OnCmdMsg.
class CPushRoutingFrame
{
public:
    explicit CPushRoutingFrame(CFrameWnd* pNewFrame);
    ~CPushRoutingFrame();
    CFrameWnd* Outer() const { return m_pOldFrame; }
private:
    CFrameWnd* m_pOldFrame;
};

// The frame windows of the calling thread (idle updates reach each one).
std::vector<CFrameWnd*>& AFXAPI AfxGetThreadFrameList();

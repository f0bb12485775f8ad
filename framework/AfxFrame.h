// Frame windows and views: CFrameWnd, CView, CMiniFrameWnd and the creation context.
#pragma once

#include "framework/AfxWnd.h"

#include <vector>

class CView;
class CDocument;
class CDocTemplate;
class CControlBar;

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

// Moves hWnd to lpRect (parent client coordinates) as part of a layout, unless it is there.
void AFXAPI AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect);

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

    // Prompts: the first line of the command's string resource, shown on the message bar.
    virtual void GetMessageString(UINT nID, CString& rMessage) const;
    void SetMessageText(LPCTSTR lpszText);
    void SetMessageText(UINT nID);
    virtual CWnd* GetMessageBar();

    // Context help
    virtual BOOL CanEnterHelpMode() { return TRUE; }
    void ExitHelpMode();
    BOOL IsTracking() const { return m_nIDTracking != 0 && m_nIDTracking != AFX_IDS_HELPMODEMESSAGE && m_nIDTracking != AFX_IDS_IDLEMESSAGE; }

    virtual void OnSetPreviewMode(BOOL bPreview, void* pState);
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
    void OnUpdateContextHelp(CCmdUI* pCmdUI);
    LRESULT OnActivateTopLevel(WPARAM wParam, LPARAM lParam);

    int m_cModalStack = 0;
    std::vector<HWND> m_disabledWindows;  // windows disabled by BeginModalState

    DECLARE_MESSAGE_MAP()
};

class CView : public CWnd
{
    DECLARE_DYNAMIC(CView)
public:
    CView() = default;
    CDocument* GetDocument() const { return m_pDocument; }
    CDocument* m_pDocument = nullptr;

    virtual void OnDraw(CDC* pDC);
    virtual void OnPrepareDC(CDC* pDC, void* pInfo = nullptr);
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    void PostNcDestroy() override;
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnPaint();
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()
};

// A frame with a small caption (floating palettes and bars).
#define MFS_SYNCACTIVE  0x00000100L
#define MFS_4THICKFRAME 0x00000200L
#define MFS_THICKFRAME  0x00000400L
#define MFS_MOVEFRAME   0x00000800L
#define MFS_BLOCKSYSMENU 0x00001000L

class CMiniFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMiniFrameWnd)
public:
    CMiniFrameWnd() = default;
    BOOL Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd = nullptr, UINT nID = 0);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd = nullptr, UINT nID = 0);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    BOOL OnNcActivate(BOOL bActive);
    LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
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

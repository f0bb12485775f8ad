#include "framework/AfxMdi.h"

#include "framework/AfxMsgMap.h"
#include "framework/AfxMenu.h"
#include "framework/AfxThread.h"
#include "framework/AfxWinApp.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_MESSAGE(WM_COMMANDHELP, &CMDIFrameWnd::OnCommandHelp)
    ON_COMMAND_EX(ID_WINDOW_ARRANGE, &CMDIFrameWnd::OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_CASCADE, &CMDIFrameWnd::OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_TILE_HORZ, &CMDIFrameWnd::OnMDIWindowCmd)
    ON_COMMAND_EX(ID_WINDOW_TILE_VERT, &CMDIFrameWnd::OnMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_ARRANGE, &CMDIFrameWnd::OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_CASCADE, &CMDIFrameWnd::OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_HORZ, &CMDIFrameWnd::OnUpdateMDIWindowCmd)
    ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_VERT, &CMDIFrameWnd::OnUpdateMDIWindowCmd)
END_MESSAGE_MAP()

BOOL CMDIFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr)
    {
        AfxEndDeferRegisterClass(0);
        cs.lpszClass = _afxWndMDIFrame;
    }
    BOOL bResult = CFrameWnd::PreCreateWindow(cs);
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;  // the MDI client has the edge
    return bResult;
}

BOOL CMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    m_hMenuDefault = ::GetMenu(m_hWnd);
    return TRUE;
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*)
{
    CMenu* pMenu = nullptr;
    if (m_hMenuDefault == nullptr)
    {
        // Not yet known during creation: the window's own menu is the default.
        pMenu = GetMenu();
        if (pMenu != nullptr)
            m_hMenuDefault = pMenu->m_hMenu;
    }
    HMENU hWindowMenu = GetWindowMenuPopup(m_hMenuDefault);
    return CreateClient(lpcs, hWindowMenu != nullptr ? CMenu::FromHandle(hWindowMenu) : nullptr);
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu)
{
    CLIENTCREATESTRUCT ccs{};
    ccs.hWindowMenu = pWindowMenu->GetSafeHmenu();
    ccs.idFirstChild = AFX_IDM_FIRST_MDICHILD;
    DWORD dwStyle = WS_VISIBLE | WS_CHILD | WS_BORDER | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | MDIS_ALLCHILDSTYLES;
    if ((lpCreateStruct->style & (WS_HSCROLL | WS_VSCROLL)) != 0)
    {
        dwStyle |= lpCreateStruct->style & (WS_HSCROLL | WS_VSCROLL);
        ModifyStyle(WS_HSCROLL | WS_VSCROLL, 0, SWP_NOREDRAW | SWP_FRAMECHANGED);
    }
    DWORD dwExStyle = WS_EX_CLIENTEDGE;
    dwStyle &= ~WS_BORDER;
    m_hWndMDIClient = ::CreateWindowEx(dwExStyle, L"MDICLIENT", nullptr, dwStyle, 0, 0, 0, 0, m_hWnd,
                                       reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)),
                                       AfxGetInstanceHandle(), &ccs);
    if (m_hWndMDIClient == nullptr)
        return FALSE;
    ::BringWindowToTop(m_hWndMDIClient);
    return TRUE;
}

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar)
{
    if (hMenuBar == nullptr || !::IsMenu(hMenuBar))
        return nullptr;
    int nItems = ::GetMenuItemCount(hMenuBar);
    for (int iItem = nItems - 1; iItem >= 0; iItem--)
    {
        HMENU hMenuPop = ::GetSubMenu(hMenuBar, iItem);
        if (hMenuPop == nullptr)
            continue;
        int nPopItems = ::GetMenuItemCount(hMenuPop);
        for (int iPop = 0; iPop < nPopItems; iPop++)
        {
            UINT nID = ::GetMenuItemID(hMenuPop, iPop);
            if (nID >= AFX_IDM_WINDOW_FIRST && nID <= AFX_IDM_WINDOW_LAST)
                return hMenuPop;
        }
    }
    return nullptr;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    if (m_hWndMDIClient == nullptr)
    {
        if (pbMaximized != nullptr)
            *pbMaximized = FALSE;
        return nullptr;
    }
    BOOL bMaximized = FALSE;
    HWND hWnd = reinterpret_cast<HWND>(::SendMessage(m_hWndMDIClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&bMaximized)));
    if (pbMaximized != nullptr)
        *pbMaximized = bMaximized;
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (pWnd == nullptr || !pWnd->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)))
        return nullptr;
    return static_cast<CMDIChildWnd*>(pWnd);
}

CMenu* CMDIFrameWnd::MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu)
{
    return CMenu::FromHandle(reinterpret_cast<HMENU>(::SendMessage(
        m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(pFrameMenu->GetSafeHmenu()),
        reinterpret_cast<LPARAM>(pWindowMenu->GetSafeHmenu()))));
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* pActiveChild = MDIGetActive();
    if (pActiveChild == nullptr)
        return this;
    return pActiveChild;
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CMDIChildWnd* pActiveChild = MDIGetActive();
    if (pActiveChild != nullptr)
    {
        // The child routes to its view and itself; the application comes after this frame.
        CPushRoutingFrame push(this);
        if (pActiveChild->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
    }
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // Window-menu entries of the children activate them (the system's frame procedure does it).
    UINT nID = LOWORD(wParam);
    if (lParam == 0 && nID >= AFX_IDM_FIRST_MDICHILD)
    {
        DefWindowProc(WM_COMMAND, wParam, lParam);
        return TRUE;
    }
    return CFrameWnd::OnCommand(wParam, lParam);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
    {
        // The active child's accelerators first (their commands come to this frame), then the
        // frame's own, then the system's MDI keys.
        CMDIChildWnd* pActiveChild = MDIGetActive();
        if (pActiveChild != nullptr && pActiveChild->m_hAccelTable != nullptr &&
            ::TranslateAccelerator(m_hWnd, pActiveChild->m_hAccelTable, pMsg))
            return TRUE;
        if (m_hAccelTable != nullptr && ::TranslateAccelerator(m_hWnd, m_hAccelTable, pMsg))
            return TRUE;
        if ((pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) &&
            ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
            return TRUE;
    }
    return FALSE;
}

HACCEL CMDIFrameWnd::GetDefaultAccelerator()
{
    CMDIChildWnd* pActiveChild = MDIGetActive();
    if (pActiveChild != nullptr && pActiveChild->m_hAccelTable != nullptr)
        return pActiveChild->m_hAccelTable;
    return m_hAccelTable;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    return ::DefFrameProc(m_hWnd, m_hWndMDIClient, nMsg, wParam, lParam);
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    CMDIChildWnd* pActiveWnd = MDIGetActive();
    if (pActiveWnd != nullptr)
    {
        pActiveWnd->OnUpdateFrameMenu(TRUE, pActiveWnd, hMenuAlt);
        return;
    }
    if (hMenuAlt == nullptr)
        hMenuAlt = m_hMenuDefault;
    if (m_hWndMDIClient != nullptr && hMenuAlt != nullptr)
    {
        ::SendMessage(m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(hMenuAlt),
                      reinterpret_cast<LPARAM>(GetWindowMenuPopup(hMenuAlt)));
        ::DrawMenuBar(m_hWnd);
    }
}

void CMDIFrameWnd::UpdateMDIChildrenMenus()
{
    OnUpdateFrameMenu(nullptr);
    if (m_hWndMDIClient != nullptr)
        ::SendMessage(m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    DrawMenuBar();
}

void CMDIFrameWnd::RecalcLayout(BOOL bNotify)
{
    CFrameWnd::RecalcLayout(bNotify);
}

void CMDIFrameWnd::OnSize(UINT nType, int, int)
{
    // The client window takes what the bars leave; the system's frame procedure is not asked to
    // size it again.
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CMDIFrameWnd::OnDestroy()
{
    // The default menu is destroyed with the window; the children's shared menus are theirs.
    CFrameWnd::OnDestroy();
}

LRESULT CMDIFrameWnd::OnCommandHelp(WPARAM wParam, LPARAM lParam)
{
    if (lParam == 0 && IsTracking())
        lParam = HID_BASE_COMMAND + m_nIDTracking;
    CMDIChildWnd* pActiveChild = MDIGetActive();
    if (pActiveChild != nullptr && AfxCallWndProc(pActiveChild, pActiveChild->m_hWnd, WM_COMMANDHELP, wParam, lParam) != 0)
        return TRUE;
    return CFrameWnd::OnCommandHelp(wParam, lParam);
}

BOOL CMDIFrameWnd::OnMDIWindowCmd(UINT nID)
{
    UINT msg;
    WPARAM wParam = 0;
    switch (nID)
    {
    case ID_WINDOW_ARRANGE: msg = WM_MDIICONARRANGE; break;
    case ID_WINDOW_CASCADE: msg = WM_MDICASCADE; break;
    case ID_WINDOW_TILE_HORZ: wParam = MDITILE_HORIZONTAL; msg = WM_MDITILE; break;
    case ID_WINDOW_TILE_VERT: wParam = MDITILE_VERTICAL; msg = WM_MDITILE; break;
    default: return FALSE;
    }
    ::SendMessage(m_hWndMDIClient, msg, wParam, 0);
    return TRUE;
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(MDIGetActive() != nullptr);
}

// CMDIChildWnd -----------------------------------------------------------------------------

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_MDIACTIVATE()
    ON_WM_MOUSEACTIVATE()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_NCACTIVATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_CLOSE()
END_MESSAGE_MAP()

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CHILD;
    BOOL bResult = CFrameWnd::PreCreateWindow(cs);
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    return bResult;
}

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext)
{
    if (pParentWnd == nullptr)
    {
        CWnd* pMainWnd = AfxGetMainWnd();
        if (pMainWnd == nullptr || !pMainWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
        {
            PostNcDestroy();
            return FALSE;
        }
        pParentWnd = static_cast<CMDIFrameWnd*>(pMainWnd);
    }
    if (pParentWnd->m_hWndMDIClient == nullptr)
    {
        PostNcDestroy();
        return FALSE;
    }
    // Maximized state follows the active child.
    BOOL bMaximized = FALSE;
    pParentWnd->MDIGetActive(&bMaximized);

    CREATESTRUCT cs{};
    cs.style = dwStyle & ~(WS_MAXIMIZE | WS_VISIBLE);
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.hwndParent = pParentWnd->m_hWnd;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = pContext;
    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }
    cs.style &= ~WS_CHILD;  // the MDI client adds it
    m_strTitle = lpszWindowName;

    MDICREATESTRUCT mcs{};
    mcs.szClass = cs.lpszClass;
    mcs.szTitle = cs.lpszName;
    mcs.hOwner = cs.hInstance;
    mcs.x = cs.x;
    mcs.y = cs.y;
    mcs.cx = cs.cx;
    mcs.cy = cs.cy;
    mcs.style = cs.style & ~(WS_MAXIMIZE | WS_VISIBLE);
    mcs.lParam = reinterpret_cast<LPARAM>(cs.lpCreateParams);

    AfxHookWindowCreate(this);
    HWND hWnd = reinterpret_cast<HWND>(::SendMessage(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0,
                                                     reinterpret_cast<LPARAM>(&mcs)));
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();
    if (hWnd == nullptr)
        return FALSE;
    // Maximized as the active child is, or as the style the frame settled on asks for a shown one.
    if (bMaximized || ((cs.style & WS_MAXIMIZE) != 0 && (dwStyle & WS_VISIBLE) != 0))
        ::ShowWindow(hWnd, SW_SHOWMAXIMIZED);
    else if ((dwStyle & WS_VISIBLE) != 0)
        ::ShowWindow(hWnd, SW_SHOWNORMAL);
    ::SendMessage(pParentWnd->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    LPCTSTR lpszClass = PrepareLoadFrame(nIDResource);
    CMDIFrameWnd* pParent = nullptr;
    if (pParentWnd != nullptr && pParentWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
        pParent = static_cast<CMDIFrameWnd*>(pParentWnd);
    // The menu and accelerators of this kind of child, unless a template shares its own; they
    // are in place before the child activates.
    if (m_hMenuShared == nullptr)
    {
        m_hMenuShared = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource));
        m_bOwnMenuShared = m_hMenuShared != nullptr;
    }
    if (m_hAccelTable == nullptr)
        LoadAccelTable(MAKEINTRESOURCE(nIDResource));
    CString strTitle = m_strTitle;
    if (!Create(lpszClass, strTitle, dwDefaultStyle, rectDefault, pParent, pContext))
        return FALSE;
    if (pContext == nullptr)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

CMDIChildWnd::~CMDIChildWnd()
{
    if (m_bOwnMenuShared && m_hMenuShared != nullptr && ::IsMenu(m_hMenuShared))
        ::DestroyMenu(m_hMenuShared);
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CFrameWnd::OnUpdateFrameTitle(bAddToTitle);
    if (m_hWnd != nullptr)
        ::SendMessage(GetMDIClientHwnd(), WM_MDIREFRESHMENU, 0, 0);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    HWND hWndMDIClient = ::GetParent(m_hWnd);
    CWnd* pFrame = FromHandlePermanent(::GetParent(hWndMDIClient));
    if (pFrame == nullptr || !pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
        return nullptr;
    return static_cast<CMDIFrameWnd*>(pFrame);
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    MDICREATESTRUCT* pMcs = static_cast<MDICREATESTRUCT*>(lpcs->lpCreateParams);
    CCreateContext* pContext = pMcs != nullptr ? reinterpret_cast<CCreateContext*>(pMcs->lParam) : nullptr;
    return OnCreateHelper(lpcs, pContext);
}

LRESULT CMDIChildWnd::DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProc(m_hWnd, nMsg, wParam, lParam);
}

BOOL CMDIChildWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    // Children go through the MDI client so that it activates the next one.
    MDIDestroy();
    return TRUE;
}

void CMDIChildWnd::OnClose()
{
    MDIDestroy();
}

void CMDIChildWnd::OnDestroy()
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    CFrameWnd::OnDestroy();
    if (pFrame == nullptr)
        return;
    CMDIChildWnd* pActive = pFrame->MDIGetActive();
    if ((pActive == nullptr || pActive == this) && pFrame->m_hMenuDefault != nullptr)
    {
        // The last child goes: the frame's own menu comes back before this child's menu can go.
        ::SendMessage(pFrame->m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(pFrame->m_hMenuDefault),
                      reinterpret_cast<LPARAM>(pFrame->GetWindowMenuPopup(pFrame->m_hMenuDefault)));
        ::DrawMenuBar(pFrame->m_hWnd);
    }
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG* pMsg)
{
    // Accelerators are translated by the MDI frame, so that their commands reach it.
    return CWnd::PreTranslateMessage(pMsg);
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    BOOL bVisibleThen = IsWindowVisible();
    CMDIFrameWnd* pFrameWnd = GetMDIFrame();
    BOOL bMaximized = FALSE;
    CMDIChildWnd* pActiveFrame = pFrameWnd != nullptr ? pFrameWnd->MDIGetActive(&bMaximized) : nullptr;
    if (nCmdShow == -1)
    {
        if (!bVisibleThen || IsIconic())
            nCmdShow = bMaximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    }
    if (nCmdShow != -1)
        ShowWindow(nCmdShow);
    if (pActiveFrame != this)
        MDIActivate();
    if (pFrameWnd != nullptr)
        ::SendMessage(pFrameWnd->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == nullptr)
        return;
    if (hMenuAlt == nullptr && bActivate)
        hMenuAlt = m_hMenuShared;
    if (hMenuAlt != nullptr && bActivate)
    {
        ::SendMessage(pFrame->m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(hMenuAlt),
                      reinterpret_cast<LPARAM>(pFrame->GetWindowMenuPopup(hMenuAlt)));
    }
    else if (!bActivate && pActivateWnd == nullptr && pFrame->m_hMenuDefault != nullptr)
    {
        // The last child is going: the frame's own menu comes back.
        ::SendMessage(pFrame->m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(pFrame->m_hMenuDefault),
                      reinterpret_cast<LPARAM>(pFrame->GetWindowMenuPopup(pFrame->m_hMenuDefault)));
    }
    else
        return;
    ::DrawMenuBar(pFrame->m_hWnd);
}

void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd*)
{
    Default();
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (bActivate || pActivateWnd == nullptr)
        OnUpdateFrameMenu(bActivate, pActivateWnd, nullptr);
    CView* pActiveView = GetActiveView();
    if (pActiveView != nullptr)
        pActiveView->OnActivateView(bActivate, bActivate ? pActiveView : nullptr, bActivate ? nullptr : pActiveView);
    if (pFrame != nullptr)
        pFrame->DelayRecalcLayout(FALSE);
    // The prompt of the active child's title and the frame's idle pass are refreshed later.
    m_nIdleFlags |= idleTitle;
}

int CMDIChildWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    int nResult = CFrameWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT)
        return nResult;
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != nullptr && pFrame->MDIGetActive() != this)
        MDIActivate();
    return nResult;
}

void CMDIChildWnd::OnWindowPosChanging(WINDOWPOS* lpWndPos)
{
    Default();
    (void)lpWndPos;
}

BOOL CMDIChildWnd::OnNcActivate(BOOL bActive)
{
    return (BOOL)Default() || bActive;
}

void CMDIChildWnd::OnSize(UINT nType, int cx, int cy)
{
    CFrameWnd::OnSize(nType, cx, cy);
}

#include "framework/AfxFrame.h"

#include "framework/AfxMsgMap.h"
#include "framework/AfxGdi.h"
#include "framework/AfxMenu.h"
#include "framework/AfxThread.h"
#include "framework/AfxWinApp.h"
#include "framework/AfxDocTemplate.h"
#include "framework/AfxThreadData.h"

#include <algorithm>

namespace {

thread_local CFrameWnd* t_pRoutingFrame = nullptr;

struct CThreadFrameList : public CThreadData
{
    std::vector<CFrameWnd*> m_frames;
};

} // namespace

CPushRoutingFrame::CPushRoutingFrame(CFrameWnd* pNewFrame) : m_pOldFrame(t_pRoutingFrame)
{
    t_pRoutingFrame = pNewFrame;
}

CPushRoutingFrame::~CPushRoutingFrame()
{
    t_pRoutingFrame = m_pOldFrame;
}


std::vector<CFrameWnd*>& AFXAPI AfxGetThreadFrameList()
{
    return AfxGetThreadData<CThreadFrameList>().m_frames;
}

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_CLOSE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_ACTIVATE()
    ON_WM_NCACTIVATE()
    ON_WM_INITMENU()
    ON_WM_INITMENUPOPUP()
    ON_WM_MENUSELECT()
    ON_WM_ENTERIDLE()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_SETMESSAGESTRING, &CFrameWnd::OnSetMessageString)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CFrameWnd::OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_RECALCPARENT, &CFrameWnd::OnRecalcParent)
    ON_MESSAGE(WM_HELPHITTEST, &CFrameWnd::OnHelpHitTest)
    ON_MESSAGE(WM_COMMANDHELP, &CFrameWnd::OnCommandHelp)
    ON_MESSAGE(WM_ACTIVATETOPLEVEL, &CFrameWnd::OnActivateTopLevel)
    ON_COMMAND(ID_CONTEXT_HELP, &CFrameWnd::OnContextHelp)
    ON_UPDATE_COMMAND_UI(ID_CONTEXT_HELP, &CFrameWnd::OnUpdateContextHelp)
    ON_COMMAND(ID_HELP, &CFrameWnd::OnHelp)
    ON_COMMAND(ID_HELP_FINDER, &CFrameWnd::OnHelpFinder)
    ON_COMMAND(ID_DEFAULT_HELP, &CFrameWnd::OnHelpFinder)
    ON_COMMAND(ID_HELP_INDEX, &CFrameWnd::OnHelpIndex)
    ON_COMMAND(ID_HELP_USING, &CFrameWnd::OnHelpUsing)
END_MESSAGE_MAP()

CFrameWnd::CFrameWnd()
{
    AfxGetThreadFrameList().push_back(this);
}

CFrameWnd::~CFrameWnd()
{
    auto& frames = AfxGetThreadFrameList();
    frames.erase(std::remove(frames.begin(), frames.end(), this), frames.end());
    if (m_hMenuDefault != nullptr && ::IsMenu(m_hMenuDefault) && (m_hWnd == nullptr || ::GetMenu(m_hWnd) != m_hMenuDefault))
        ::DestroyMenu(m_hMenuDefault);
    if (m_hAccelTable != nullptr && m_bOwnAccelTable)
        ::DestroyAcceleratorTable(m_hAccelTable);
}

CFrameWnd* PASCAL CFrameWnd::GetRoutingFrame()
{
    return t_pRoutingFrame;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr)
    {
        AfxEndDeferRegisterClass(0);
        cs.lpszClass = _afxWndFrameOrView;
    }
    if ((cs.style & FWS_ADDTOTITLE) != 0)
        cs.style |= FWS_PREFIXTITLE;
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return TRUE;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    HMENU hMenu = nullptr;
    if (lpszMenuName != nullptr)
    {
        hMenu = ::LoadMenu(AfxGetResourceHandle(), lpszMenuName);
        if (hMenu == nullptr)
        {
            PostNcDestroy();
            return FALSE;
        }
    }
    m_strTitle = lpszWindowName;
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), hMenu, pContext))
    {
        if (hMenu != nullptr)
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    LPCTSTR lpszClass = PrepareLoadFrame(nIDResource);
    HMENU hMenuResource = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource));
    if (hMenuResource != nullptr)
        ::DestroyMenu(hMenuResource);
    CString strTitle = m_strTitle;
    if (!Create(lpszClass, strTitle, dwDefaultStyle, rectDefault, pParentWnd,
                hMenuResource != nullptr ? MAKEINTRESOURCE(nIDResource) : nullptr, 0, pContext))
        return FALSE;
    m_hMenuDefault = ::GetMenu(m_hWnd);
    LoadAccelTable(MAKEINTRESOURCE(nIDResource));
    if (pContext == nullptr)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

LPCTSTR CFrameWnd::PrepareLoadFrame(UINT nIDResource)
{
    m_nIDHelp = nIDResource;
    CString strFull;
    if (strFull.LoadString(nIDResource))
        AfxExtractSubString(m_strTitle, strFull, 0);
    HICON hIcon = ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource));
    if (hIcon == nullptr)
        return nullptr;
    return AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1),
                               hIcon);
}

BOOL CFrameWnd::LoadAccelTable(LPCTSTR lpszResourceName)
{
    if (m_hAccelTable != nullptr)
        return FALSE;
    m_hAccelTable = ::LoadAccelerators(AfxGetResourceHandle(), lpszResourceName);
    m_bOwnAccelTable = m_hAccelTable != nullptr;
    return m_hAccelTable != nullptr;
}

HACCEL CFrameWnd::GetDefaultAccelerator()
{
    return m_hAccelTable;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    CCreateContext* pContext = static_cast<CCreateContext*>(lpcs->lpCreateParams);
    if ((lpcs->dwExStyle & WS_EX_MDICHILD) != 0 && lpcs->lpCreateParams != nullptr)
        pContext = reinterpret_cast<CCreateContext*>(static_cast<MDICREATESTRUCT*>(lpcs->lpCreateParams)->lParam);
    return OnCreateHelper(lpcs, pContext);
}

int CFrameWnd::OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    if (!OnCreateClient(lpcs, pContext))
        return -1;
    PostMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext != nullptr && pContext->m_pNewViewClass != nullptr)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    CObject* pObject = pContext->m_pNewViewClass->CreateObject();
    CWnd* pView = pObject != nullptr && pObject->IsKindOf(RUNTIME_CLASS(CWnd)) ? static_cast<CWnd*>(pObject) : nullptr;
    if (pView == nullptr)
    {
        delete pObject;
        return nullptr;
    }
    if (!pView->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext))
        return nullptr;  // a view deletes itself when its creation fails
    return pView;
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}

void CFrameWnd::OnDestroy()
{
    // The frame's menu goes with the window unless it is the shared default.
    HMENU hMenuCurrent = ::GetMenu(m_hWnd);
    if (hMenuCurrent != nullptr && hMenuCurrent != m_hMenuDefault)
        ::SetMenu(m_hWnd, m_hMenuDefault);
    if (m_hMenuDefault != nullptr && ::GetMenu(m_hWnd) == m_hMenuDefault)
        ::SetMenu(m_hWnd, nullptr);
    CWnd::OnDestroy();
}

void CFrameWnd::OnClose()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_pMainWnd == this && !pApp->SaveAllModified())
        return;
    DestroyWindow();
}

void CFrameWnd::OnSize(UINT nType, int, int)
{
    Default();
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive != nullptr)
        reinterpret_cast<CWnd*>(m_pViewActive)->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    CView* pActiveView = GetActiveView();
    if (pActiveView != nullptr && nState != WA_INACTIVE && !bMinimized)
        pActiveView->OnActivateFrame(nState, this);
}

BOOL CFrameWnd::OnNcActivate(BOOL bActive)
{
    // Floating palettes keep their caption in step with the frame.
    SendMessageToDescendants(WM_FLOATSTATUS, bActive ? FS_ACTIVATE : FS_DEACTIVATE, 0, TRUE, TRUE);
    return CWnd::OnNcActivate(bActive);
}

LRESULT CFrameWnd::OnActivateTopLevel(WPARAM, LPARAM)
{
    return Default();
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* pDC)
{
    if (m_pViewActive != nullptr)
        return TRUE;  // the view covers the client area
    return CWnd::OnEraseBkgnd(pDC);
}

void CFrameWnd::OnInitMenu(CMenu* pMenu)
{
    CWnd::OnInitMenu(pMenu);
}

void CFrameWnd::OnInitMenuPopup(CMenu* pMenu, UINT, BOOL bSysMenu)
{
    if (bSysMenu)
        return;
    CCmdUI state;
    state.m_pMenu = pMenu;
    state.m_nIndexMax = pMenu->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++)
    {
        state.m_nID = pMenu->GetMenuItemID((int)state.m_nIndex);
        if (state.m_nID == 0)
            continue;  // separator
        if (state.m_nID == (UINT)-1)
        {
            // A popup is updated through its first item's command but never disabled for lack
            // of a handler.
            state.m_pSubMenu = pMenu->GetSubMenu((int)state.m_nIndex);
            if (state.m_pSubMenu == nullptr || (state.m_nID = state.m_pSubMenu->GetMenuItemID(0)) == 0 ||
                state.m_nID == (UINT)-1)
                continue;
            state.DoUpdate(this, FALSE);
        }
        else
        {
            state.m_pSubMenu = nullptr;
            state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
        }
        // Handlers may have added or removed items.
        UINT nCount = pMenu->GetMenuItemCount();
        if (nCount < state.m_nIndexMax)
        {
            state.m_nIndex -= (state.m_nIndexMax - nCount);
            while (state.m_nIndex < nCount && pMenu->GetMenuItemID((int)state.m_nIndex) == state.m_nID)
                state.m_nIndex++;
        }
        state.m_nIndexMax = nCount;
    }
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    if (nFlags == 0xFFFF && hSysMenu == nullptr)
    {
        // The menu closed: back to the idle prompt.
        m_nIDTracking = AFX_IDS_IDLEMESSAGE;
        SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
        m_nIDLastMessage = m_nIDTracking;
        return;
    }
    if (nItemID == 0 || (nFlags & (MF_SEPARATOR | MF_POPUP)) != 0)
        m_nIDTracking = 0;
    else if (nItemID >= 0xF000 && nItemID < 0xF1F0)
        m_nIDTracking = ID_COMMAND_FROM_SC(nItemID);
    else if (nItemID >= AFX_IDM_FIRST_MDICHILD)
        m_nIDTracking = AFX_IDS_MDICHILD;
    else
        m_nIDTracking = nItemID;
    if (m_nIDTracking != m_nIDLastMessage)
    {
        SendMessage(WM_SETMESSAGESTRING, m_nIDTracking);
        m_nIDLastMessage = m_nIDTracking;
    }
}

void CFrameWnd::OnEnterIdle(UINT nWhy, CWnd* pWho)
{
    CWnd::OnEnterIdle(nWhy, pWho);
    if (nWhy != MSGF_MENU || m_nIDTracking == m_nIDLastMessage)
        return;
    SetMessageText(m_nIDTracking);
    m_nIDLastMessage = m_nIDTracking;
}

CWnd* CFrameWnd::GetMessageBar()
{
    return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE);
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    rMessage.Empty();
    CString strFull;
    if (strFull.LoadString(nID))
        AfxExtractSubString(rMessage, strFull, 0);
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    UINT nIDLast = m_nIDLastMessage;
    m_nIDLastMessage = (UINT)wParam;
    CWnd* pMessageBar = GetMessageBar();
    if (pMessageBar != nullptr)
    {
        CString strMessage;
        LPCTSTR lpsz = nullptr;
        if (lParam != 0)
            lpsz = reinterpret_cast<LPCTSTR>(lParam);
        else if (wParam != 0)
        {
            // The idle prompt stays blank in help mode.
            if (wParam == AFX_IDS_IDLEMESSAGE && m_bHelpMode != HELP_INACTIVE)
                GetMessageString(AFX_IDS_HELPMODEMESSAGE, strMessage);
            else
                GetMessageString((UINT)wParam, strMessage);
            lpsz = strMessage;
        }
        pMessageBar->SetWindowText(lpsz != nullptr ? lpsz : L"");
    }
    m_nIDTracking = (UINT)wParam;
    return nIDLast;
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText)
{
    SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText));
}

void CFrameWnd::SetMessageText(UINT nID)
{
    SendMessage(WM_SETMESSAGESTRING, (WPARAM)nID);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    if ((m_nIdleFlags & idleLayout) != 0)
        RecalcLayout((m_nIdleFlags & idleNotify) != 0);
    if ((m_nIdleFlags & idleTitle) != 0)
        OnUpdateFrameTitle(TRUE);
    if ((m_nIdleFlags & idleMenu) != 0)
        OnUpdateFrameMenu(nullptr);
    m_nIdleFlags = 0;
    return 0;
}

CDocument* CFrameWnd::GetActiveDocument()
{
    return m_pViewActive != nullptr ? m_pViewActive->GetDocument() : nullptr;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld)
        return;
    m_pViewActive = nullptr;
    if (pViewOld != nullptr)
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    m_pViewActive = pViewNew;
    if (pViewNew != nullptr && bNotify)
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

void CFrameWnd::InitialUpdateFrame(CDocument*, BOOL bMakeVisible)
{
    if (GetActiveView() == nullptr)
    {
        CWnd* pWnd = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
        if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CView)))
            SetActiveView(static_cast<CView*>(pWnd), FALSE);
    }
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    if (bMakeVisible)
    {
        ActivateFrame();
        if (m_pViewActive != nullptr)
            m_pViewActive->OnActivateView(TRUE, m_pViewActive, m_pViewActive);
    }
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1)
    {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    BringWindowToTop();
    if (nCmdShow != -1)
    {
        ShowWindow(nCmdShow);
        BringWindowToTop();
    }
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if ((GetStyle() & FWS_ADDTOTITLE) == 0)
        return;
    (void)bAddToTitle;  // frames without documents show their own title
    UpdateFrameTitleForDocument(nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR lpszDocName)
{
    CString text;
    if (lpszDocName != nullptr && *lpszDocName != 0)
    {
        if ((GetStyle() & FWS_PREFIXTITLE) != 0)
        {
            text = lpszDocName;
            if (m_nWindow > 0)
            {
                CString number;
                number.Format(L":%d", m_nWindow);
                text += number;
            }
            text += L" - ";
            text += m_strTitle;
        }
        else
        {
            text = m_strTitle;
            text += L" - ";
            text += lpszDocName;
        }
    }
    else
        text = m_strTitle;
    CString current;
    GetWindowText(current);
    if (current != text)
        SetWindowText(text);
}

void CFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    if (hMenuAlt == nullptr)
        hMenuAlt = m_hMenuDefault;
    if (hMenuAlt != nullptr && ::GetMenu(m_hWnd) != hMenuAlt)
        ::SetMenu(m_hWnd, hMenuAlt);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CPushRoutingFrame push(this);
    CView* pView = GetActiveView();
    if (pView != nullptr && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    // A frame routed from an outer frame (an MDI child) leaves the application to the outer frame,
    // which asks it after itself: view, child frame, main frame, application.
    if (push.Outer() != nullptr && push.Outer() == GetParentFrame())
        return FALSE;
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    UINT nID = LOWORD(wParam);
    if (hWndCtrl == nullptr && m_bHelpMode == HELP_ACTIVE && nID != ID_CONTEXT_HELP && nID != ID_APP_EXIT)
    {
        // In help mode a command asks for its help instead of running.
        if (!SendMessage(WM_COMMANDHELP, 0, HID_BASE_COMMAND + nID))
            SendMessage(WM_COMMAND, ID_DEFAULT_HELP);
        ExitHelpMode();
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
    {
        HACCEL hAccel = GetDefaultAccelerator();
        return hAccel != nullptr && ::TranslateAccelerator(m_hWnd, hAccel, pMsg);
    }
    return FALSE;
}

void CFrameWnd::OnSetPreviewMode(BOOL, CPrintPreviewState*) {}

void CFrameWnd::BeginModalState()
{
    if (m_cModalStack++ > 0)
        return;
    // Disable the frame's other top-level windows (floating palettes) while a modal dialog runs.
    m_disabledWindows.clear();
    DWORD dwThread = ::GetCurrentThreadId();
    for (HWND hWnd = ::GetTopWindow(nullptr); hWnd != nullptr; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
    {
        if (hWnd != m_hWnd && ::IsWindowEnabled(hWnd) && ::GetWindowThreadProcessId(hWnd, nullptr) == dwThread &&
            ::GetWindow(hWnd, GW_OWNER) == m_hWnd)
        {
            ::EnableWindow(hWnd, FALSE);
            m_disabledWindows.push_back(hWnd);
        }
    }
    ::EnableWindow(m_hWnd, FALSE);
}

void CFrameWnd::EndModalState()
{
    if (m_cModalStack == 0 || --m_cModalStack > 0)
        return;
    for (HWND hWnd : m_disabledWindows)
    {
        if (::IsWindow(hWnd))
            ::EnableWindow(hWnd, TRUE);
    }
    m_disabledWindows.clear();
    ::EnableWindow(m_hWnd, TRUE);
}

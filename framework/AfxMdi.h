// Multi-document frames: the MDI main frame and its child frames.
#pragma once

#include "framework/AfxFrame.h"

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    CMDIFrameWnd() = default;

    HWND m_hWndMDIClient = nullptr;  // the system MDI client window

    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);
    // The popup of hMenuBar that holds the window commands (0xE130-0xE13F); NULL when none.
    virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);

    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
    void MDIActivate(CWnd* pWndActivate) { ::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)pWndActivate->GetSafeHwnd(), 0); }
    void MDIIconArrange() { ::SendMessage(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0); }
    void MDIMaximize(CWnd* pWnd) { ::SendMessage(m_hWndMDIClient, WM_MDIMAXIMIZE, (WPARAM)pWnd->GetSafeHwnd(), 0); }
    void MDINext() { ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 0); }
    void MDIPrev() { ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 1); }
    void MDIRestore(CWnd* pWnd) { ::SendMessage(m_hWndMDIClient, WM_MDIRESTORE, (WPARAM)pWnd->GetSafeHwnd(), 0); }
    CMenu* MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu);
    void MDITile() { ::SendMessage(m_hWndMDIClient, WM_MDITILE, 0, 0); }
    void MDITile(int nType) { ::SendMessage(m_hWndMDIClient, WM_MDITILE, (WPARAM)nType, 0); }
    void MDICascade() { ::SendMessage(m_hWndMDIClient, WM_MDICASCADE, 0, 0); }
    void MDICascade(int nType) { ::SendMessage(m_hWndMDIClient, WM_MDICASCADE, (WPARAM)nType, 0); }
    // Brings every child's menu up to date (the shared menu of the active one on the frame).
    void UpdateMDIChildrenMenus();

    CFrameWnd* GetActiveFrame() override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;
    HACCEL GetDefaultAccelerator() override;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnDestroy();
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
    BOOL OnMDIWindowCmd(UINT nID);
    void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);
    void OnWindowNew();

    DECLARE_MESSAGE_MAP()
};

class CMDIChildWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    CMDIChildWnd() = default;
    ~CMDIChildWnd() override;

    HMENU m_hMenuShared = nullptr;  // menu shown on the main frame while this child is active
    BOOL m_bOwnMenuShared = FALSE;  // loaded by this child rather than shared by a template

    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                        CMDIFrameWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;

    CMDIFrameWnd* GetMDIFrame() const;
    void MDIDestroy() { ::SendMessage(GetMDIClientHwnd(), WM_MDIDESTROY, (WPARAM)m_hWnd, 0); }
    void MDIActivate() { ::SendMessage(GetMDIClientHwnd(), WM_MDIACTIVATE, (WPARAM)m_hWnd, 0); }
    void MDIMaximize() { ::SendMessage(GetMDIClientHwnd(), WM_MDIMAXIMIZE, (WPARAM)m_hWnd, 0); }
    void MDIRestore() { ::SendMessage(GetMDIClientHwnd(), WM_MDIRESTORE, (WPARAM)m_hWnd, 0); }
    void SetHandles(HMENU hMenu, HACCEL hAccel) { m_hMenuShared = hMenu; m_hAccelTable = hAccel; }

    virtual void OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt);
    void OnUpdateFrameMenu(HMENU hMenuAlt) override { OnUpdateFrameMenu(TRUE, this, hMenuAlt); }
    void ActivateFrame(int nCmdShow = -1) override;
    BOOL DestroyWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    CFrameWnd* GetActiveFrame() override { return this; }
    // Also brings the child's entry in the window menu up to date.
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

protected:
    HWND GetMDIClientHwnd() const { return ::GetParent(m_hWnd); }
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    void OnWindowPosChanging(WINDOWPOS* lpWndPos);
    BOOL OnNcActivate(BOOL bActive);
    void OnDestroy();
    void OnSize(UINT nType, int cx, int cy);
    void OnClose();

    DECLARE_MESSAGE_MAP()
};

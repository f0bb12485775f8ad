#pragma once
// The toolkit's single-document frame: the framework's frame with the same toolkit hooks as the
// multi-document main frame (menu bar, user toolbars, tear-off bars, keys and clicks while popup
// menus are open, the toolkit's registered messages).
//
// User-interface thread only. The frame owns its frame support.

#include "framework/AfxFrame.h"
#include "uitoolkit/bars/KTFrameImpl.h"

// The single-document frame.
class CKTFrameWnd : public CFrameWnd, public CKTFrameHooks
{
    DECLARE_DYNCREATE(CKTFrameWnd)
public:
    CKTFrameWnd();

    CKTFrameSupport& GetFrameSupport() override { return m_Impl; }
    BOOL OnPopupMenuOpening(CKTPopupMenu* pMenuPopup) override;
    CKTMenuBar* GetMenuBar() const { return m_Impl.GetMenuBar(); }
    BOOL IsContextHelpRunning() const { return m_bContextHelp; }

    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT) override;
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    void OnClose();
    void OnDestroy();
    LRESULT OnToolbarCreateNew(WPARAM wParam, LPARAM lParam);
    LRESULT OnToolbarDelete(WPARAM wParam, LPARAM lParam);
    void OnContextHelp();
    DECLARE_MESSAGE_MAP()

    CKTFrameSupport m_Impl;
    UINT m_uiResourceID = 0;
    BOOL m_bContextHelp = FALSE;
};

#pragma once
// The toolkit's in-place frames: the framework's two OLE in-place frames with the same toolkit
// hooks as the other toolkit frames. Nothing activates objects in place in this system; they are
// complete so that the toolkit can recognise them.
//
// User-interface thread only. The frame owns its frame support.

#include "framework/AfxOleFrames.h"
#include "uitoolkit/bars/KTFrameImpl.h"

// In-place frame of a server item.
class CKTOleIPFrameWnd : public COleIPFrameWnd, public CKTFrameHooks
{
    DECLARE_DYNCREATE(CKTOleIPFrameWnd)
public:
    CKTOleIPFrameWnd();

    CKTFrameSupport& GetFrameSupport() override { return m_Impl; }
    BOOL OnPopupMenuOpening(CKTPopupMenu* pMenuPopup) override;
    CKTMenuBar* GetMenuBar() const { return m_Impl.GetMenuBar(); }
    BOOL IsContextHelpRunning() const { return m_bContextHelp; }

    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT) override;

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

// In-place frame of a document server item.
class CKTOleDocIPFrameWnd : public COleDocIPFrameWnd, public CKTFrameHooks
{
    DECLARE_DYNCREATE(CKTOleDocIPFrameWnd)
public:
    CKTOleDocIPFrameWnd();

    CKTFrameSupport& GetFrameSupport() override { return m_Impl; }
    BOOL OnPopupMenuOpening(CKTPopupMenu* pMenuPopup) override;
    CKTMenuBar* GetMenuBar() const { return m_Impl.GetMenuBar(); }
    BOOL IsContextHelpRunning() const { return m_bContextHelp; }

    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT) override;

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

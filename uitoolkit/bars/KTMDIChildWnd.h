#pragma once
// The toolkit's base of a document window in a multi-document frame: it tells the frame's client
// area about activation, title and icon changes (the tabs), and lets keys pass untranslated while
// a popup menu of the toolkit is open.
//
// User-interface thread only.

#include "framework/AfxMdi.h"

class CKTMDIFrameWnd;

class CKTMDIChildWnd : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CKTMDIChildWnd)
public:
    CKTMDIChildWnd() = default;

    // The tab label: the window text.
    virtual CString GetFrameText() const;
    // The small icon: the window's answer, else its class's.
    virtual HICON GetFrameIcon() const;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

    CKTMDIFrameWnd* GetToolkitFrame() const { return m_pMDIFrame; }
    // Set by the client area as the window is being destroyed: it gets no new tab.
    BOOL m_bToBeDestroyed = FALSE;

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetIcon(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CKTMDIFrameWnd* m_pMDIFrame = nullptr;
};

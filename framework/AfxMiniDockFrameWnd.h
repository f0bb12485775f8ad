// CMiniDockFrameWnd: the small frame a floating bar lives in, with a dock bar of its own.
#pragma once

#include "framework/AfxDockBar.h"
#include "framework/AfxMiniFrameWnd.h"

class CMiniDockFrameWnd : public CMiniFrameWnd
{
    DECLARE_DYNCREATE(CMiniDockFrameWnd)
public:
    CMiniDockFrameWnd();

    CDockBar m_wndDockBar; // AFX_IDW_DOCKBAR_FLOAT, listed by the frame the bars dock to
    BOOL m_bDying = FALSE; // being destroyed: its dock bar must not destroy it again

    // A popup owned by pParent (the frame the bars dock to); dwBarStyle is the floating dock bar's
    // style (alignment, CBRS_SIZE_DYNAMIC for sizing borders, CBRS_FLOAT_MULTI).
    virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);
    // Fits the frame around its dock bar and takes the first bar's text as its caption.
    void RecalcLayout(BOOL bNotify = TRUE) override;

protected:
    CControlBar* FirstBar() const;
    void OnClose();
    void OnDestroy();
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    LRESULT OnNcHitTest(CPoint point);
    DECLARE_MESSAGE_MAP()
};

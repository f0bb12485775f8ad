// Views: the client pane of a frame.
#pragma once

#include "framework/AfxWnd.h"

class CDocument;
class CFrameWnd;

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

// CHtmlView: a view whose whole client area is the system's web browser control, activated in
// place in the view's window. Navigation, its events and the ready state go through the control's
// dispatch interface by the browser's standard ids, so any browser object registered under the
// browser's class id serves.
//
// Thread: the view's own, which must have initialised OLE. Failure: the view's creation fails
// (its WM_CREATE answers -1) when the control cannot be created or activated.
#pragma once

#include "framework/AfxColl.h"
#include "framework/AfxFrame.h"

#include <ocidl.h>
#include <ole2.h>

class CHtmlView : public CView
{
    DECLARE_DYNCREATE(CHtmlView)
public:
    CHtmlView();
    ~CHtmlView() override;

    // Starts a navigation; the control answers with OnBeforeNavigate2 first. Does nothing without
    // a control.
    void Navigate2(LPCTSTR lpszURL, DWORD dwFlags = 0, LPCTSTR lpszTargetFrameName = nullptr,
                   LPCTSTR lpszHeaders = nullptr, LPVOID lpvPostData = nullptr, DWORD dwPostDataLen = 0);
    // READYSTATE_UNINITIALIZED when there is no control or it does not answer.
    READYSTATE GetReadyState() const;
    CString GetLocationURL() const;
    void Stop();
    // The control's dispatch interface with a reference for the caller, or null.
    LPDISPATCH GetApplication() const;
    // The control's own window inside the view, or null.
    HWND GetBrowserWindow() const;

    // The control's events. Setting *pbCancel stops the navigation.
    virtual void OnBeforeNavigate2(LPCTSTR lpszURL, DWORD nFlags, LPCTSTR lpszTargetFrameName, CByteArray& baPostedData,
                                   LPCTSTR lpszHeaders, BOOL* pbCancel);
    virtual void OnNavigateComplete2(LPCTSTR strURL);
    virtual void OnDocumentComplete(LPCTSTR lpszURL);

    // Keys go to the control's accelerators after the view's own pre-translation.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The control paints everything.
    void OnDraw(CDC* pDC) override;

    LPDISPATCH m_pBrowserApp = nullptr;

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnSize(UINT nType, int cx, int cy);
    void OnDestroy();
    BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateControl();
    void DestroyControl();
    void OnControlEvent(DISPID dispid, DISPPARAMS* pDispParams);

    // The site the control is activated in: the view's window and client area.
    struct XSite : IOleClientSite, IOleInPlaceSite
    {
        CHtmlView* m_pOwner = nullptr;
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
        ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
        ULONG STDMETHODCALLTYPE Release() override { return 1; }
        // IOleClientSite
        HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** ppContainer) override;
        HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
        HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
        HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }
        // IOleWindow, IOleInPlaceSite
        HRESULT STDMETHODCALLTYPE GetWindow(HWND* phwnd) override;
        HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
        HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
        HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
        HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc,
                                                   LPRECT lprcPosRect, LPRECT lprcClipRect,
                                                   LPOLEINPLACEFRAMEINFO lpFrameInfo) override;
        HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
        HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
        HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }
    } m_xSite;

    // The sink of the control's events.
    struct XEvents : IDispatch
    {
        CHtmlView* m_pOwner = nullptr;
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
        ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
        ULONG STDMETHODCALLTYPE Release() override { return 1; }
        HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override;
        HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
        HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
        {
            return DISP_E_UNKNOWNNAME;
        }
        HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID, LCID, WORD, DISPPARAMS* pDispParams, VARIANT*,
                                         EXCEPINFO*, UINT*) override;
    } m_xEvents;

    IOleObject* m_pOleObject = nullptr;
    IConnectionPoint* m_pEventPoint = nullptr;
    DWORD m_dwEventCookie = 0;
};

#include "framework/AfxHtmlView.h"

#include "framework/AfxGdi.h"

#include <exdisp.h>
#include <exdispid.h>
#include <olectl.h>

#include <vector>

namespace {

// The browser's dispatch ids of the members the view calls.
const DISPID kDispidStop = 106;
const DISPID kDispidLocationUrl = 211;
const DISPID kDispidNavigate2 = 500;

// An event argument as text (by value or by reference); empty when it is none.
CString ArgumentText(const VARIANT& arg)
{
    const VARIANT* pArg = &arg;
    if (arg.vt == (VT_VARIANT | VT_BYREF))
    {
        if (arg.pvarVal == nullptr)
            return CString();
        pArg = arg.pvarVal;
    }
    VARIANT text;
    ::VariantInit(&text);
    CString result;
    if (SUCCEEDED(::VariantChangeType(&text, const_cast<VARIANT*>(pArg), 0, VT_BSTR)) && text.bstrVal != nullptr)
        result = CString(text.bstrVal, static_cast<int>(::SysStringLen(text.bstrVal)));
    ::VariantClear(&text);
    return result;
}

DWORD ArgumentNumber(const VARIANT& arg)
{
    const VARIANT* pArg = arg.vt == (VT_VARIANT | VT_BYREF) && arg.pvarVal != nullptr ? arg.pvarVal : &arg;
    VARIANT number;
    ::VariantInit(&number);
    DWORD result = 0;
    if (SUCCEEDED(::VariantChangeType(&number, const_cast<VARIANT*>(pArg), 0, VT_UI4)))
        result = number.ulVal;
    ::VariantClear(&number);
    return result;
}

// Posted data arrive as a byte array (possibly by reference inside a variant).
void ArgumentBytes(const VARIANT& arg, CByteArray& bytes)
{
    const VARIANT* pArg = arg.vt == (VT_VARIANT | VT_BYREF) && arg.pvarVal != nullptr ? arg.pvarVal : &arg;
    SAFEARRAY* pArray = nullptr;
    if (pArg->vt == (VT_ARRAY | VT_UI1))
        pArray = pArg->parray;
    else if (pArg->vt == (VT_ARRAY | VT_UI1 | VT_BYREF) && pArg->pparray != nullptr)
        pArray = *pArg->pparray;
    if (pArray == nullptr || ::SafeArrayGetDim(pArray) != 1)
        return;
    LONG nLower = 0, nUpper = -1;
    if (FAILED(::SafeArrayGetLBound(pArray, 1, &nLower)) || FAILED(::SafeArrayGetUBound(pArray, 1, &nUpper)) ||
        nUpper < nLower)
        return;
    void* pData = nullptr;
    if (FAILED(::SafeArrayAccessData(pArray, &pData)))
        return;
    const INT_PTR nCount = static_cast<INT_PTR>(nUpper) - nLower + 1;
    bytes.SetSize(nCount);
    memcpy(bytes.GetData(), pData, static_cast<size_t>(nCount));
    ::SafeArrayUnaccessData(pArray);
}

VARIANT TextArgument(LPCTSTR lpsz)
{
    VARIANT v;
    ::VariantInit(&v);
    if (lpsz != nullptr)
    {
        v.vt = VT_BSTR;
        v.bstrVal = ::SysAllocString(lpsz);
    }
    return v;
}

} // namespace

IMPLEMENT_DYNCREATE(CHtmlView, CView)

BEGIN_MESSAGE_MAP(CHtmlView, CView)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CHtmlView::CHtmlView()
{
    m_xSite.m_pOwner = this;
    m_xEvents.m_pOwner = this;
}

CHtmlView::~CHtmlView()
{
    DestroyControl();
}

int CHtmlView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    return CreateControl() ? 0 : -1;
}

BOOL CHtmlView::CreateControl()
{
    if (FAILED(::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                  reinterpret_cast<void**>(&m_pOleObject))) ||
        m_pOleObject == nullptr)
    {
        m_pOleObject = nullptr;
        return FALSE;
    }
    m_pOleObject->SetClientSite(&m_xSite);
    CRect rectClient;
    GetClientRect(&rectClient);
    if (FAILED(m_pOleObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &m_xSite, 0, m_hWnd, &rectClient)) ||
        FAILED(m_pOleObject->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&m_pBrowserApp))))
    {
        m_pBrowserApp = nullptr;
        DestroyControl();
        return FALSE;
    }
    // Without its events the view still shows pages; it only cannot follow them.
    IConnectionPointContainer* pContainer = nullptr;
    if (SUCCEEDED(m_pOleObject->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&pContainer))))
    {
        if (SUCCEEDED(pContainer->FindConnectionPoint(DIID_DWebBrowserEvents2, &m_pEventPoint)) &&
            FAILED(m_pEventPoint->Advise(&m_xEvents, &m_dwEventCookie)))
        {
            m_pEventPoint->Release();
            m_pEventPoint = nullptr;
        }
        pContainer->Release();
    }
    return TRUE;
}

void CHtmlView::DestroyControl()
{
    if (m_pEventPoint != nullptr)
    {
        m_pEventPoint->Unadvise(m_dwEventCookie);
        m_pEventPoint->Release();
        m_pEventPoint = nullptr;
        m_dwEventCookie = 0;
    }
    if (m_pBrowserApp != nullptr)
    {
        m_pBrowserApp->Release();
        m_pBrowserApp = nullptr;
    }
    if (m_pOleObject != nullptr)
    {
        IOleInPlaceObject* pInPlace = nullptr;
        if (SUCCEEDED(m_pOleObject->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&pInPlace))))
        {
            pInPlace->InPlaceDeactivate();
            pInPlace->Release();
        }
        m_pOleObject->Close(OLECLOSE_NOSAVE);
        m_pOleObject->SetClientSite(nullptr);
        m_pOleObject->Release();
        m_pOleObject = nullptr;
    }
}

void CHtmlView::OnDestroy()
{
    DestroyControl();
    CView::OnDestroy();
}

void CHtmlView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    IOleInPlaceObject* pInPlace = nullptr;
    if (m_pOleObject != nullptr &&
        SUCCEEDED(m_pOleObject->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&pInPlace))))
    {
        CRect rect(0, 0, cx, cy);
        pInPlace->SetObjectRects(&rect, &rect);
        pInPlace->Release();
    }
}

BOOL CHtmlView::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CHtmlView::OnDraw(CDC*) {}

void CHtmlView::Navigate2(LPCTSTR lpszURL, DWORD dwFlags, LPCTSTR lpszTargetFrameName, LPCTSTR lpszHeaders,
                          LPVOID lpvPostData, DWORD dwPostDataLen)
{
    if (m_pBrowserApp == nullptr || lpszURL == nullptr)
        return;
    VARIANT url = TextArgument(lpszURL);
    VARIANT flags;
    ::VariantInit(&flags);
    flags.vt = VT_I4;
    flags.lVal = static_cast<LONG>(dwFlags);
    VARIANT target = TextArgument(lpszTargetFrameName);
    VARIANT headers = TextArgument(lpszHeaders);
    VARIANT postData;
    ::VariantInit(&postData);
    if (lpvPostData != nullptr && dwPostDataLen != 0)
    {
        SAFEARRAY* pArray = ::SafeArrayCreateVector(VT_UI1, 0, dwPostDataLen);
        void* pData = nullptr;
        if (pArray != nullptr && SUCCEEDED(::SafeArrayAccessData(pArray, &pData)))
        {
            memcpy(pData, lpvPostData, dwPostDataLen);
            ::SafeArrayUnaccessData(pArray);
            postData.vt = VT_ARRAY | VT_UI1;
            postData.parray = pArray;
        }
        else if (pArray != nullptr)
        {
            ::SafeArrayDestroy(pArray);
        }
    }
    // The members take their arguments as variants by reference, last first.
    VARIANT args[5];
    VARIANT* values[5] = {&headers, &postData, &target, &flags, &url};
    for (int i = 0; i < 5; i++)
    {
        ::VariantInit(&args[i]);
        args[i].vt = VT_VARIANT | VT_BYREF;
        args[i].pvarVal = values[i];
    }
    DISPPARAMS params{args, nullptr, 5, 0};
    m_pBrowserApp->Invoke(kDispidNavigate2, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr,
                          nullptr);
    for (VARIANT* pValue : values)
        ::VariantClear(pValue);
}

namespace {

BOOL GetBrowserProperty(LPDISPATCH pDispatch, DISPID dispid, VARIANT& result)
{
    ::VariantInit(&result);
    if (pDispatch == nullptr)
        return FALSE;
    DISPPARAMS noArgs{nullptr, nullptr, 0, 0};
    return SUCCEEDED(pDispatch->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &noArgs, &result,
                                       nullptr, nullptr));
}

} // namespace

READYSTATE CHtmlView::GetReadyState() const
{
    VARIANT result;
    READYSTATE state = READYSTATE_UNINITIALIZED;
    if (GetBrowserProperty(m_pBrowserApp, DISPID_READYSTATE, result))
    {
        const DWORD dwState = ArgumentNumber(result);
        if (dwState <= READYSTATE_COMPLETE)
            state = static_cast<READYSTATE>(dwState);
    }
    ::VariantClear(&result);
    return state;
}

CString CHtmlView::GetLocationURL() const
{
    VARIANT result;
    CString url;
    if (GetBrowserProperty(m_pBrowserApp, kDispidLocationUrl, result))
        url = ArgumentText(result);
    ::VariantClear(&result);
    return url;
}

void CHtmlView::Stop()
{
    if (m_pBrowserApp == nullptr)
        return;
    DISPPARAMS noArgs{nullptr, nullptr, 0, 0};
    m_pBrowserApp->Invoke(kDispidStop, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &noArgs, nullptr, nullptr,
                          nullptr);
}

LPDISPATCH CHtmlView::GetApplication() const
{
    if (m_pBrowserApp != nullptr)
        m_pBrowserApp->AddRef();
    return m_pBrowserApp;
}

HWND CHtmlView::GetBrowserWindow() const
{
    IOleInPlaceObject* pInPlace = nullptr;
    HWND hWnd = nullptr;
    if (m_pOleObject != nullptr &&
        SUCCEEDED(m_pOleObject->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&pInPlace))))
    {
        if (FAILED(pInPlace->GetWindow(&hWnd)))
            hWnd = nullptr;
        pInPlace->Release();
    }
    return hWnd;
}

BOOL CHtmlView::PreTranslateMessage(MSG* pMsg)
{
    if (CView::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST || m_pOleObject == nullptr)
        return FALSE;
    IOleInPlaceActiveObject* pActive = nullptr;
    BOOL bTranslated = FALSE;
    if (SUCCEEDED(m_pOleObject->QueryInterface(IID_IOleInPlaceActiveObject, reinterpret_cast<void**>(&pActive))))
    {
        bTranslated = pActive->TranslateAccelerator(pMsg) == S_OK;
        pActive->Release();
    }
    return bTranslated;
}

void CHtmlView::OnBeforeNavigate2(LPCTSTR, DWORD, LPCTSTR, CByteArray&, LPCTSTR, BOOL*) {}

void CHtmlView::OnNavigateComplete2(LPCTSTR) {}

void CHtmlView::OnDocumentComplete(LPCTSTR) {}

void CHtmlView::OnControlEvent(DISPID dispid, DISPPARAMS* pDispParams)
{
    // The arguments come from another component: their count and types are checked before use.
    if (pDispParams == nullptr || pDispParams->rgvarg == nullptr)
        return;
    const VARIANT* args = pDispParams->rgvarg;
    switch (dispid)
    {
    case DISPID_BEFORENAVIGATE2: {
        if (pDispParams->cArgs != 7 || args[0].vt != (VT_BOOL | VT_BYREF) || args[0].pboolVal == nullptr)
            return;
        CByteArray postedData;
        ArgumentBytes(args[2], postedData);
        BOOL bCancel = *args[0].pboolVal != VARIANT_FALSE;
        OnBeforeNavigate2(ArgumentText(args[5]), ArgumentNumber(args[4]), ArgumentText(args[3]), postedData,
                          ArgumentText(args[1]), &bCancel);
        *args[0].pboolVal = bCancel ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    }
    case DISPID_NAVIGATECOMPLETE2:
        if (pDispParams->cArgs == 2)
            OnNavigateComplete2(ArgumentText(args[0]));
        break;
    case DISPID_DOCUMENTCOMPLETE:
        if (pDispParams->cArgs == 2)
            OnDocumentComplete(ArgumentText(args[0]));
        break;
    }
}

HRESULT STDMETHODCALLTYPE CHtmlView::XSite::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite))
        *ppv = static_cast<IOleClientSite*>(this);
    else if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceSite))
        *ppv = static_cast<IOleInPlaceSite*>(this);
    return *ppv != nullptr ? S_OK : E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE CHtmlView::XSite::GetContainer(IOleContainer** ppContainer)
{
    if (ppContainer != nullptr)
        *ppContainer = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE CHtmlView::XSite::GetWindow(HWND* phwnd)
{
    if (phwnd == nullptr)
        return E_POINTER;
    *phwnd = m_pOwner->m_hWnd;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CHtmlView::XSite::GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc,
                                                             LPRECT lprcPosRect, LPRECT lprcClipRect,
                                                             LPOLEINPLACEFRAMEINFO lpFrameInfo)
{
    if (ppFrame != nullptr)
        *ppFrame = nullptr;
    if (ppDoc != nullptr)
        *ppDoc = nullptr;
    CRect rect;
    m_pOwner->GetClientRect(&rect);
    if (lprcPosRect != nullptr)
        *lprcPosRect = rect;
    if (lprcClipRect != nullptr)
        *lprcClipRect = rect;
    if (lpFrameInfo != nullptr)
    {
        lpFrameInfo->fMDIApp = FALSE;
        lpFrameInfo->hwndFrame = ::GetAncestor(m_pOwner->m_hWnd, GA_ROOT);
        lpFrameInfo->haccel = nullptr;
        lpFrameInfo->cAccelEntries = 0;
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CHtmlView::XEvents::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, DIID_DWebBrowserEvents2))
    {
        *ppv = static_cast<IDispatch*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE CHtmlView::XEvents::GetTypeInfoCount(UINT* pctinfo)
{
    if (pctinfo == nullptr)
        return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CHtmlView::XEvents::Invoke(DISPID dispIdMember, REFIID, LCID, WORD, DISPPARAMS* pDispParams,
                                                     VARIANT*, EXCEPINFO*, UINT*)
{
    m_pOwner->OnControlEvent(dispIdMember, pDispParams);
    return S_OK;
}

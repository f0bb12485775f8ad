#include "StandInBrowser.h"

#include "BrowserClient.h"

#include <exdisp.h>
#include <exdispid.h>
#include <olectl.h>

namespace browserstandin {

LONG g_nLocks = 0;
HINSTANCE g_hInstance = nullptr;

namespace {

const wchar_t kViewClass[] = L"KestBrowserStandIn";
const wchar_t kNotifyClass[] = L"KestBrowserStandInNotify";
const UINT WM_COMPLETE_NAVIGATION = WM_APP + 1;

// The browser's own dispatch ids of the members a host uses.
const DISPID DISPID_NAVIGATE = 104;
const DISPID DISPID_STOP = 106;
const DISPID DISPID_LOCATIONURL = 211;
const DISPID DISPID_BUSY = 212;
const DISPID DISPID_NAVIGATE2 = 500;

StandInBrowser* BrowserOf(HWND hWnd)
{
    return reinterpret_cast<StandInBrowser*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
}

LRESULT CALLBACK ViewProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    StandInBrowser* pBrowser = BrowserOf(hWnd);
    switch (message)
    {
    case WM_PAINT:
        if (pBrowser != nullptr)
        {
            pBrowser->Paint(hWnd);
            return 0;
        }
        break;
    case WM_LBUTTONDOWN:
        if (pBrowser != nullptr)
            pBrowser->OnClick(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return 0;
    case WM_RBUTTONUP:
        if (pBrowser != nullptr)
            pBrowser->OnContextMenu();
        return 0;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

LRESULT CALLBACK NotifyProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMPLETE_NAVIGATION)
    {
        if (StandInBrowser* pBrowser = BrowserOf(hWnd))
            pBrowser->CompleteNavigation();
        return 0;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

void RegisterClasses()
{
    WNDCLASSW wc{};
    wc.hInstance = g_hInstance;
    wc.lpfnWndProc = &ViewProc;
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kViewClass;
    ::RegisterClassW(&wc);
    wc.lpfnWndProc = &NotifyProc;
    wc.hCursor = nullptr;
    wc.lpszClassName = kNotifyClass;
    ::RegisterClassW(&wc);
}

// A VARIANT argument as text: by value or by reference, anything convertible.
std::wstring ArgumentText(const VARIANT& arg)
{
    const VARIANT* pArg = &arg;
    if (arg.vt == (VT_VARIANT | VT_BYREF) && arg.pvarVal != nullptr)
        pArg = arg.pvarVal;
    VARIANT text;
    ::VariantInit(&text);
    std::wstring result;
    if (SUCCEEDED(::VariantChangeType(&text, const_cast<VARIANT*>(pArg), 0, VT_BSTR)) && text.bstrVal != nullptr)
        result.assign(text.bstrVal, ::SysStringLen(text.bstrVal));
    ::VariantClear(&text);
    return result;
}

bool StartsWithNoCase(const std::wstring& text, const wchar_t* prefix)
{
    const size_t n = wcslen(prefix);
    return text.size() >= n && _wcsnicmp(text.c_str(), prefix, n) == 0;
}

} // namespace

StandInBrowser::StandInBrowser()
{
    ::InterlockedIncrement(&g_nLocks);
    RegisterClasses();
    m_hWndNotify = ::CreateWindowW(kNotifyClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, g_hInstance, nullptr);
    if (m_hWndNotify != nullptr)
        ::SetWindowLongPtrW(m_hWndNotify, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

StandInBrowser::~StandInBrowser()
{
    Close(OLECLOSE_NOSAVE);
    if (m_hWndNotify != nullptr)
        ::DestroyWindow(m_hWndNotify);
    ::InterlockedDecrement(&g_nLocks);
}

HRESULT STDMETHODCALLTYPE StandInBrowser::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    *ppv = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleObject))
        *ppv = static_cast<IOleObject*>(this);
    else if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceObject))
        *ppv = static_cast<IOleInPlaceObject*>(this);
    // Hosts reach the browser's members through its dispatch interface by their standard ids.
    else if (IsEqualIID(riid, IID_IDispatch))
        *ppv = static_cast<IDispatch*>(this);
    else if (IsEqualIID(riid, IID_IConnectionPointContainer))
        *ppv = static_cast<IConnectionPointContainer*>(this);
    if (*ppv == nullptr)
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG STDMETHODCALLTYPE StandInBrowser::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_nRef));
}

ULONG STDMETHODCALLTYPE StandInBrowser::Release()
{
    LONG nRef = ::InterlockedDecrement(&m_nRef);
    if (nRef == 0)
        delete this;
    return static_cast<ULONG>(nRef);
}

HRESULT STDMETHODCALLTYPE StandInBrowser::SetClientSite(IOleClientSite* pClientSite)
{
    if (pClientSite != nullptr)
        pClientSite->AddRef();
    if (m_pClientSite != nullptr)
        m_pClientSite->Release();
    m_pClientSite = pClientSite;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE StandInBrowser::GetClientSite(IOleClientSite** ppClientSite)
{
    if (ppClientSite == nullptr)
        return E_POINTER;
    *ppClientSite = m_pClientSite;
    if (m_pClientSite != nullptr)
        m_pClientSite->AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE StandInBrowser::Close(DWORD)
{
    DestroyInPlaceWindow();
    for (auto& sink : m_sinks)
        sink.second->Release();
    m_sinks.clear();
    SetClientSite(nullptr);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE StandInBrowser::DoVerb(LONG iVerb, LPMSG, IOleClientSite* pActiveSite, LONG, HWND hwndParent,
                                                 LPCRECT lprcPosRect)
{
    if (iVerb != OLEIVERB_INPLACEACTIVATE && iVerb != OLEIVERB_UIACTIVATE && iVerb != OLEIVERB_SHOW &&
        iVerb != OLEIVERB_PRIMARY)
        return OLEOBJ_S_INVALIDVERB;
    if (m_hWnd != nullptr)
        return S_OK;
    if (hwndParent == nullptr || lprcPosRect == nullptr)
        return E_INVALIDARG;
    IOleClientSite* pSite = pActiveSite != nullptr ? pActiveSite : m_pClientSite;
    IOleInPlaceSite* pInPlaceSite = nullptr;
    if (pSite != nullptr)
        pSite->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&pInPlaceSite));
    if (pInPlaceSite != nullptr && pInPlaceSite->CanInPlaceActivate() != S_OK)
    {
        pInPlaceSite->Release();
        return E_FAIL;
    }
    m_hWnd = ::CreateWindowW(kViewClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, lprcPosRect->left,
                             lprcPosRect->top, lprcPosRect->right - lprcPosRect->left,
                             lprcPosRect->bottom - lprcPosRect->top, hwndParent, nullptr, g_hInstance, nullptr);
    if (m_hWnd != nullptr)
        ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    if (pInPlaceSite != nullptr)
    {
        if (m_hWnd != nullptr)
            pInPlaceSite->OnInPlaceActivate();
        pInPlaceSite->Release();
    }
    return m_hWnd != nullptr ? S_OK : E_FAIL;
}

HRESULT STDMETHODCALLTYPE StandInBrowser::GetUserClassID(CLSID* pClsid)
{
    if (pClsid == nullptr)
        return E_POINTER;
    *pClsid = CLSID_WebBrowser;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE StandInBrowser::Unadvise(DWORD dwConnection)
{
    for (auto it = m_sinks.begin(); it != m_sinks.end(); ++it)
    {
        if (it->first == dwConnection)
        {
            it->second->Release();
            m_sinks.erase(it);
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

HRESULT STDMETHODCALLTYPE StandInBrowser::GetMiscStatus(DWORD, DWORD* pdwStatus)
{
    if (pdwStatus == nullptr)
        return E_POINTER;
    *pdwStatus = OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_INSIDEOUT | OLEMISC_SETCLIENTSITEFIRST;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE StandInBrowser::GetWindow(HWND* phwnd)
{
    if (phwnd == nullptr)
        return E_POINTER;
    *phwnd = m_hWnd;
    return m_hWnd != nullptr ? S_OK : E_FAIL;
}

HRESULT STDMETHODCALLTYPE StandInBrowser::InPlaceDeactivate()
{
    DestroyInPlaceWindow();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE StandInBrowser::SetObjectRects(LPCRECT lprcPosRect, LPCRECT)
{
    if (lprcPosRect == nullptr)
        return E_INVALIDARG;
    if (m_hWnd != nullptr)
        ::MoveWindow(m_hWnd, lprcPosRect->left, lprcPosRect->top, lprcPosRect->right - lprcPosRect->left,
                     lprcPosRect->bottom - lprcPosRect->top, TRUE);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE StandInBrowser::GetTypeInfoCount(UINT* pctinfo)
{
    if (pctinfo == nullptr)
        return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE StandInBrowser::GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID,
                                                        DISPID* rgDispId)
{
    static const struct
    {
        const wchar_t* name;
        DISPID id;
    } kNames[] = {{L"Navigate", DISPID_NAVIGATE},
                  {L"Navigate2", DISPID_NAVIGATE2},
                  {L"Stop", DISPID_STOP},
                  {L"LocationURL", DISPID_LOCATIONURL},
                  {L"Busy", DISPID_BUSY},
                  {L"ReadyState", DISPID_READYSTATE},
                  {L"HoldLoading", DISPID_HOLDLOADING},
                  {L"Log", DISPID_LOG},
                  {L"Link", DISPID_LINK}};
    if (rgszNames == nullptr || rgDispId == nullptr)
        return E_POINTER;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < cNames; i++)
    {
        rgDispId[i] = DISPID_UNKNOWN;
        for (const auto& entry : kNames)
            if (rgszNames[i] != nullptr && _wcsicmp(rgszNames[i], entry.name) == 0)
                rgDispId[i] = entry.id;
        if (rgDispId[i] == DISPID_UNKNOWN)
            hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

HRESULT STDMETHODCALLTYPE StandInBrowser::Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags,
                                                 DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO*,
                                                 UINT* puArgErr)
{
    const UINT cArgs = pDispParams != nullptr ? pDispParams->cArgs : 0;
    // Arguments come last first; the first one is rgvarg[cArgs - 1].
    const VARIANT* pFirst = cArgs != 0 && pDispParams->rgvarg != nullptr ? &pDispParams->rgvarg[cArgs - 1] : nullptr;
    if (puArgErr != nullptr)
        *puArgErr = 0;
    switch (dispIdMember)
    {
    case DISPID_NAVIGATE:
    case DISPID_NAVIGATE2:
        if ((wFlags & DISPATCH_METHOD) == 0)
            return DISP_E_MEMBERNOTFOUND;
        if (pFirst == nullptr)
            return DISP_E_BADPARAMCOUNT;
        Navigate(ArgumentText(*pFirst));
        return S_OK;
    case DISPID_STOP:
        m_pending.clear();
        if (m_readyState == READYSTATE_LOADING)
            m_readyState = READYSTATE_COMPLETE;
        return S_OK;
    case DISPID_READYSTATE:
    case DISPID_BUSY:
    case DISPID_LOCATIONURL:
    case DISPID_LOG:
        if ((wFlags & DISPATCH_PROPERTYGET) == 0 || pVarResult == nullptr)
            return DISP_E_MEMBERNOTFOUND;
        ::VariantInit(pVarResult);
        if (dispIdMember == DISPID_READYSTATE)
        {
            pVarResult->vt = VT_I4;
            pVarResult->lVal = m_readyState;
        }
        else if (dispIdMember == DISPID_BUSY)
        {
            pVarResult->vt = VT_BOOL;
            pVarResult->boolVal = m_readyState == READYSTATE_LOADING ? VARIANT_TRUE : VARIANT_FALSE;
        }
        else
        {
            const std::wstring& text = dispIdMember == DISPID_LOG ? m_log : m_location;
            pVarResult->vt = VT_BSTR;
            pVarResult->bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        }
        return S_OK;
    case DISPID_HOLDLOADING:
    case DISPID_LINK:
        if ((wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) == 0)
            return DISP_E_MEMBERNOTFOUND;
        if (pFirst == nullptr)
            return DISP_E_BADPARAMCOUNT;
        if (dispIdMember == DISPID_LINK)
        {
            m_link = ArgumentText(*pFirst);
            if (m_hWnd != nullptr)
                ::InvalidateRect(m_hWnd, nullptr, TRUE);
            return S_OK;
        }
        m_bHoldLoading = ArgumentText(*pFirst) != L"0" && _wcsicmp(ArgumentText(*pFirst).c_str(), L"false") != 0;
        if (!m_bHoldLoading && !m_pending.empty() && m_hWndNotify != nullptr)
            ::PostMessageW(m_hWndNotify, WM_COMPLETE_NAVIGATION, 0, 0);
        return S_OK;
    }
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT STDMETHODCALLTYPE StandInBrowser::FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP)
{
    if (ppCP == nullptr)
        return E_POINTER;
    *ppCP = nullptr;
    if (!IsEqualIID(riid, DIID_DWebBrowserEvents2))
        return CONNECT_E_NOCONNECTION;
    *ppCP = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE StandInBrowser::GetConnectionInterface(IID* pIID)
{
    if (pIID == nullptr)
        return E_POINTER;
    *pIID = DIID_DWebBrowserEvents2;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE StandInBrowser::GetConnectionPointContainer(IConnectionPointContainer** ppCPC)
{
    if (ppCPC == nullptr)
        return E_POINTER;
    *ppCPC = static_cast<IConnectionPointContainer*>(this);
    AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE StandInBrowser::Advise(IUnknown* pUnkSink, DWORD* pdwCookie)
{
    if (pUnkSink == nullptr || pdwCookie == nullptr)
        return E_POINTER;
    IDispatch* pSink = nullptr;
    if (FAILED(pUnkSink->QueryInterface(DIID_DWebBrowserEvents2, reinterpret_cast<void**>(&pSink))) &&
        FAILED(pUnkSink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&pSink))))
        return CONNECT_E_CANNOTCONNECT;
    *pdwCookie = m_nNextCookie++;
    m_sinks.emplace_back(*pdwCookie, pSink);
    return S_OK;
}

void StandInBrowser::Navigate(const std::wstring& url)
{
    if (FireBeforeNavigate2(url))
    {
        Log(L"cancelled " + url);
        return;
    }
    if (StartsWithNoCase(url, L"javascript:"))
    {
        // A script call of the page: the page stays where it is.
        Log(L"script " + url.substr(11));
        return;
    }
    Log(L"navigate " + url);
    m_pending = url;
    m_location = url;
    m_readyState = READYSTATE_LOADING;
    if (m_hWnd != nullptr)
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
    if (!m_bHoldLoading && m_hWndNotify != nullptr)
        ::PostMessageW(m_hWndNotify, WM_COMPLETE_NAVIGATION, 0, 0);
}

void StandInBrowser::CompleteNavigation()
{
    if (m_bHoldLoading || m_pending.empty())
        return;
    const std::wstring url = m_pending;
    m_pending.clear();
    m_readyState = READYSTATE_COMPLETE;
    Log(L"complete " + url);
    AddRef(); // a handler may let the host go
    FireUrlEvent(DISPID_NAVIGATECOMPLETE2, url);
    FireUrlEvent(DISPID_DOCUMENTCOMPLETE, url);
    if (m_hWnd != nullptr)
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
    Release();
}

bool StandInBrowser::FireBeforeNavigate2(const std::wstring& url)
{
    VARIANT_BOOL bCancel = VARIANT_FALSE;
    VARIANT vUrl, vFlags, vTarget, vPostData, vHeaders;
    ::VariantInit(&vUrl);
    vUrl.vt = VT_BSTR;
    vUrl.bstrVal = ::SysAllocStringLen(url.data(), static_cast<UINT>(url.size()));
    ::VariantInit(&vFlags);
    vFlags.vt = VT_I4;
    vFlags.lVal = 0;
    ::VariantInit(&vTarget);
    vTarget.vt = VT_BSTR;
    vTarget.bstrVal = ::SysAllocString(L"");
    ::VariantInit(&vPostData);
    ::VariantInit(&vHeaders);
    vHeaders.vt = VT_BSTR;
    vHeaders.bstrVal = ::SysAllocString(L"");

    VARIANT args[7];
    for (VARIANT& arg : args)
        ::VariantInit(&arg);
    args[0].vt = VT_BOOL | VT_BYREF;
    args[0].pboolVal = &bCancel;
    args[1].vt = VT_VARIANT | VT_BYREF;
    args[1].pvarVal = &vHeaders;
    args[2].vt = VT_VARIANT | VT_BYREF;
    args[2].pvarVal = &vPostData;
    args[3].vt = VT_VARIANT | VT_BYREF;
    args[3].pvarVal = &vTarget;
    args[4].vt = VT_VARIANT | VT_BYREF;
    args[4].pvarVal = &vFlags;
    args[5].vt = VT_VARIANT | VT_BYREF;
    args[5].pvarVal = &vUrl;
    args[6].vt = VT_DISPATCH;
    args[6].pdispVal = static_cast<IDispatch*>(this);
    DISPPARAMS params{args, nullptr, 7, 0};

    AddRef();
    const auto sinks = m_sinks;
    for (const auto& sink : sinks)
        sink.second->Invoke(DISPID_BEFORENAVIGATE2, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                            nullptr, nullptr);
    ::VariantClear(&vUrl);
    ::VariantClear(&vTarget);
    ::VariantClear(&vHeaders);
    ::VariantClear(&vPostData);
    Release();
    return bCancel != VARIANT_FALSE;
}

void StandInBrowser::FireUrlEvent(DISPID dispid, const std::wstring& url)
{
    VARIANT vUrl;
    ::VariantInit(&vUrl);
    vUrl.vt = VT_BSTR;
    vUrl.bstrVal = ::SysAllocStringLen(url.data(), static_cast<UINT>(url.size()));
    VARIANT args[2];
    ::VariantInit(&args[0]);
    ::VariantInit(&args[1]);
    args[0].vt = VT_VARIANT | VT_BYREF;
    args[0].pvarVal = &vUrl;
    args[1].vt = VT_DISPATCH;
    args[1].pdispVal = static_cast<IDispatch*>(this);
    DISPPARAMS params{args, nullptr, 2, 0};
    const auto sinks = m_sinks;
    for (const auto& sink : sinks)
        sink.second->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
    ::VariantClear(&vUrl);
}

void StandInBrowser::Paint(HWND hWnd)
{
    PAINTSTRUCT ps;
    HDC hDC = ::BeginPaint(hWnd, &ps);
    RECT rect;
    ::GetClientRect(hWnd, &rect);
    HBRUSH hPage = ::CreateSolidBrush(kPageColour);
    ::FillRect(hDC, &rect, hPage);
    ::DeleteObject(hPage);
    ::SetBkMode(hDC, TRANSPARENT);
    std::wstring status = (m_readyState == READYSTATE_LOADING ? L"Loading " : L"") + m_location;
    ::TextOutW(hDC, 10, 12, status.c_str(), static_cast<int>(status.size()));
    if (!m_link.empty())
    {
        HBRUSH hLink = ::CreateSolidBrush(kLinkColour);
        ::FillRect(hDC, &kLinkRect, hLink);
        ::DeleteObject(hLink);
        ::SetTextColor(hDC, RGB(0, 0, 200));
        ::TextOutW(hDC, kLinkRect.left + 4, kLinkRect.top + 4, m_link.c_str(), static_cast<int>(m_link.size()));
    }
    ::EndPaint(hWnd, &ps);
}

void StandInBrowser::OnClick(POINT pt)
{
    if (!m_link.empty() && ::PtInRect(&kLinkRect, pt))
    {
        const std::wstring link = m_link;
        Navigate(link);
    }
}

void StandInBrowser::OnContextMenu()
{
    Log(L"context menu");
}

void StandInBrowser::DestroyInPlaceWindow()
{
    if (m_hWnd != nullptr)
    {
        ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
        ::DestroyWindow(m_hWnd);
        m_hWnd = nullptr;
    }
}

void StandInBrowser::Log(const std::wstring& line)
{
    m_log += line;
    m_log += L'\n';
}

} // namespace browserstandin

#include "framework/AfxOle.h"

#include <cstring>
#include <vector>

namespace {

thread_local bool t_oleInitialised = false;

void CheckResult(HRESULT hr)
{
    if (FAILED(hr))
        AfxThrowOleException(hr);
}

// Argument variants built for one call; the strings made for them are freed on every path.
class ArgumentList
{
public:
    explicit ArgumentList(size_t count) : m_args(count)
    {
        for (VARIANT& v : m_args)
            VariantInit(&v);
    }
    ~ArgumentList()
    {
        for (size_t i = 0; i < m_args.size(); ++i) {
            if (m_ownsString.size() > i && m_ownsString[i])
                SysFreeString(m_args[i].bstrVal);
        }
    }
    ArgumentList(const ArgumentList&) = delete;
    ArgumentList& operator=(const ArgumentList&) = delete;

    VARIANT& at(size_t i) { return m_args[i]; }
    VARIANT* data() { return m_args.empty() ? nullptr : m_args.data(); }
    void OwnString(size_t i)
    {
        m_ownsString.resize(m_args.size(), false);
        m_ownsString[i] = true;
    }

private:
    std::vector<VARIANT> m_args;
    std::vector<bool> m_ownsString;
};

bool IsSupportedResult(VARTYPE vt)
{
    switch (vt) {
    case VT_EMPTY: case VT_UI1: case VT_I2: case VT_I4: case VT_R4: case VT_R8: case VT_DATE: case VT_CY:
    case VT_BSTR: case VT_DISPATCH: case VT_ERROR: case VT_BOOL: case VT_VARIANT: case VT_UNKNOWN:
        return true;
    default:
        return false;
    }
}

// Reads one argument of type vt from the list into arg; false for a type we do not pass.
bool PackArgument(VARIANT& arg, VARTYPE vt, va_list& argList, bool& madeString)
{
    madeString = false;
    if (vt & VT_MFCBYREF)
        vt = static_cast<VARTYPE>((vt & ~VT_MFCBYREF) | VT_BYREF);
    switch (vt) {
    case VT_UI1: arg.bVal = static_cast<BYTE>(va_arg(argList, int)); break;
    case VT_I1: arg.cVal = static_cast<CHAR>(va_arg(argList, int)); break;
    case VT_I2: arg.iVal = static_cast<SHORT>(va_arg(argList, int)); break;
    case VT_UI2: arg.uiVal = static_cast<USHORT>(va_arg(argList, int)); break;
    case VT_I4: arg.lVal = va_arg(argList, long); break;
    case VT_UI4: arg.ulVal = va_arg(argList, unsigned long); break;
    case VT_R4: arg.fltVal = static_cast<float>(va_arg(argList, double)); break;
    case VT_R8: arg.dblVal = va_arg(argList, double); break;
    case VT_DATE: arg.date = va_arg(argList, DATE); break;
    case VT_CY: arg.cyVal = *va_arg(argList, CY*); break;
    case VT_BSTR: {
        LPCOLESTR text = va_arg(argList, LPCOLESTR);
        arg.bstrVal = SysAllocString(text);
        if (text != nullptr && arg.bstrVal == nullptr)
            AfxThrowMemoryException();
        madeString = true;
        break;
    }
    case VT_DISPATCH: arg.pdispVal = va_arg(argList, LPDISPATCH); break;
    case VT_ERROR: arg.scode = va_arg(argList, SCODE); break;
    case VT_BOOL: arg.boolVal = va_arg(argList, BOOL) ? VARIANT_TRUE : VARIANT_FALSE; break;
    case VT_VARIANT: {
        // A shallow copy: the caller keeps ownership of what the variant holds.
        const VARIANT* source = va_arg(argList, const VARIANT*);
        if (source == nullptr)
            return false;
        arg = *source;
        return true;
    }
    case VT_UNKNOWN: arg.punkVal = va_arg(argList, LPUNKNOWN); break;
    case VT_I2 | VT_BYREF: arg.piVal = va_arg(argList, short*); break;
    case VT_I4 | VT_BYREF: arg.plVal = va_arg(argList, long*); break;
    case VT_R4 | VT_BYREF: arg.pfltVal = va_arg(argList, float*); break;
    case VT_R8 | VT_BYREF: arg.pdblVal = va_arg(argList, double*); break;
    case VT_BSTR | VT_BYREF: arg.pbstrVal = va_arg(argList, BSTR*); break;
    case VT_DISPATCH | VT_BYREF: arg.ppdispVal = va_arg(argList, LPDISPATCH*); break;
    case VT_BOOL | VT_BYREF: arg.pboolVal = va_arg(argList, VARIANT_BOOL*); break;
    case VT_VARIANT | VT_BYREF: arg.pvarVal = va_arg(argList, VARIANT*); break;
    case VT_UNKNOWN | VT_BYREF: arg.ppunkVal = va_arg(argList, LPUNKNOWN*); break;
    default: return false;
    }
    arg.vt = vt;
    return true;
}

[[noreturn]] void ThrowDispatchException(EXCEPINFO& info)
{
    if (info.pfnDeferredFillIn != nullptr)
        info.pfnDeferredFillIn(&info);
    auto* exception = new COleDispatchException(nullptr, 0, info.wCode);
    if (info.bstrSource != nullptr)
        exception->m_strSource = CString(info.bstrSource, static_cast<int>(SysStringLen(info.bstrSource)));
    if (info.bstrDescription != nullptr)
        exception->m_strDescription =
            CString(info.bstrDescription, static_cast<int>(SysStringLen(info.bstrDescription)));
    if (info.bstrHelpFile != nullptr)
        exception->m_strHelpFile = CString(info.bstrHelpFile, static_cast<int>(SysStringLen(info.bstrHelpFile)));
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrHelpFile);
    exception->m_dwHelpContext = info.dwHelpContext;
    exception->m_scError = info.scode != 0 ? info.scode : DISP_E_EXCEPTION;
    throw exception;
}

// Moves the result into the caller's variable of the type vtRet names.
void StoreResult(VARIANT& result, VARTYPE vtRet, void* pvRet)
{
    switch (vtRet) {
    case VT_UI1: *static_cast<BYTE*>(pvRet) = result.bVal; break;
    case VT_I2: *static_cast<short*>(pvRet) = result.iVal; break;
    case VT_I4: *static_cast<long*>(pvRet) = result.lVal; break;
    case VT_R4: *static_cast<float*>(pvRet) = result.fltVal; break;
    case VT_R8: *static_cast<double*>(pvRet) = result.dblVal; break;
    case VT_DATE: *static_cast<DATE*>(pvRet) = result.date; break;
    case VT_CY: *static_cast<CY*>(pvRet) = result.cyVal; break;
    case VT_BSTR:
        *static_cast<CString*>(pvRet) =
            result.bstrVal != nullptr ? CString(result.bstrVal, static_cast<int>(SysStringLen(result.bstrVal)))
                                      : CString();
        SysFreeString(result.bstrVal);
        break;
    case VT_DISPATCH: *static_cast<LPDISPATCH*>(pvRet) = result.pdispVal; break;
    case VT_ERROR: *static_cast<SCODE*>(pvRet) = result.scode; break;
    case VT_BOOL: *static_cast<BOOL*>(pvRet) = result.boolVal != VARIANT_FALSE; break;
    case VT_VARIANT: *static_cast<VARIANT*>(pvRet) = result; break;
    case VT_UNKNOWN: *static_cast<LPUNKNOWN*>(pvRet) = result.punkVal; break;
    default: VariantClear(&result); break;
    }
}

} // namespace

// ---- COleVariant ----

COleVariant::COleVariant(const VARIANT& varSrc)
{
    VariantInit(this);
    CheckResult(VariantCopy(this, const_cast<VARIANT*>(&varSrc)));
}

COleVariant::COleVariant(LPCVARIANT pSrc)
{
    VariantInit(this);
    if (pSrc != nullptr)
        CheckResult(VariantCopy(this, const_cast<VARIANT*>(pSrc)));
}

COleVariant::COleVariant(const COleVariant& varSrc) : COleVariant(static_cast<const VARIANT&>(varSrc)) {}

COleVariant::COleVariant(LPCTSTR lpszSrc)
{
    VariantInit(this);
    SetString(lpszSrc, VT_BSTR);
}

COleVariant::COleVariant(const CString& strSrc)
{
    VariantInit(this);
    vt = VT_BSTR;
    bstrVal = strSrc.AllocSysString();
    if (bstrVal == nullptr)
        AfxThrowMemoryException();
}

COleVariant::COleVariant(BYTE nSrc)
{
    VariantInit(this);
    vt = VT_UI1;
    bVal = nSrc;
}

COleVariant::COleVariant(short nSrc, VARTYPE vtSrc)
{
    VariantInit(this);
    if (vtSrc == VT_BOOL) {
        vt = VT_BOOL;
        boolVal = nSrc ? VARIANT_TRUE : VARIANT_FALSE;
    } else {
        vt = VT_I2;
        iVal = nSrc;
    }
}

COleVariant::COleVariant(long lSrc, VARTYPE vtSrc)
{
    VariantInit(this);
    if (vtSrc == VT_BOOL) {
        vt = VT_BOOL;
        boolVal = lSrc ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (vtSrc == VT_ERROR) {
        vt = VT_ERROR;
        scode = lSrc;
    } else {
        vt = VT_I4;
        lVal = lSrc;
    }
}

COleVariant::COleVariant(float fltSrc)
{
    VariantInit(this);
    vt = VT_R4;
    fltVal = fltSrc;
}

COleVariant::COleVariant(double dblSrc)
{
    VariantInit(this);
    vt = VT_R8;
    dblVal = dblSrc;
}

const COleVariant& COleVariant::operator=(const VARIANT& varSrc)
{
    if (&varSrc != this)
        CheckResult(VariantCopy(this, const_cast<VARIANT*>(&varSrc)));
    return *this;
}

const COleVariant& COleVariant::operator=(const COleVariant& varSrc)
{
    return *this = static_cast<const VARIANT&>(varSrc);
}

const COleVariant& COleVariant::operator=(LPCTSTR lpszSrc)
{
    SetString(lpszSrc, VT_BSTR);
    return *this;
}

const COleVariant& COleVariant::operator=(const CString& strSrc)
{
    return *this = COleVariant(strSrc);
}

const COleVariant& COleVariant::operator=(long lSrc)
{
    Clear();
    vt = VT_I4;
    lVal = lSrc;
    return *this;
}

const COleVariant& COleVariant::operator=(double dblSrc)
{
    Clear();
    vt = VT_R8;
    dblVal = dblSrc;
    return *this;
}

bool COleVariant::operator==(const VARIANT& varSrc) const
{
    if (vt != varSrc.vt)
        return false;
    return VarCmp(const_cast<COleVariant*>(this), const_cast<VARIANT*>(&varSrc), LOCALE_USER_DEFAULT, 0) ==
           static_cast<HRESULT>(VARCMP_EQ);
}

void COleVariant::ChangeType(VARTYPE vartype, LPVARIANT pSrc)
{
    if (pSrc == nullptr)
        pSrc = this;
    if (pSrc != this || vartype != vt)
        CheckResult(VariantChangeType(this, pSrc, 0, vartype));
}

void COleVariant::Attach(VARIANT& varSrc)
{
    Clear();
    std::memcpy(static_cast<VARIANT*>(this), &varSrc, sizeof(varSrc));
    varSrc.vt = VT_EMPTY;
}

VARIANT COleVariant::Detach()
{
    VARIANT result = *this;
    vt = VT_EMPTY;
    return result;
}

void COleVariant::SetString(LPCTSTR lpszSrc, VARTYPE /*vtSrc*/)
{
    // Strings are wide in this build, so both VT_BSTR and VT_BSTRT make a BSTR.
    Clear();
    vt = VT_BSTR;
    bstrVal = SysAllocString(lpszSrc != nullptr ? lpszSrc : L"");
    if (bstrVal == nullptr) {
        vt = VT_EMPTY;
        AfxThrowMemoryException();
    }
}

// ---- COleDispatchDriver ----

COleDispatchDriver::COleDispatchDriver(LPDISPATCH lpDispatch, BOOL bAutoRelease)
    : m_lpDispatch(lpDispatch), m_bAutoRelease(bAutoRelease)
{
}

COleDispatchDriver::COleDispatchDriver(const COleDispatchDriver& dispatchSrc)
    : m_lpDispatch(dispatchSrc.m_lpDispatch), m_bAutoRelease(TRUE)
{
    if (m_lpDispatch != nullptr)
        m_lpDispatch->AddRef();
}

const COleDispatchDriver& COleDispatchDriver::operator=(const COleDispatchDriver& dispatchSrc)
{
    if (this != &dispatchSrc) {
        LPDISPATCH other = dispatchSrc.m_lpDispatch;
        if (other != nullptr)
            other->AddRef();
        AttachDispatch(other, TRUE);
    }
    return *this;
}

const COleDispatchDriver& COleDispatchDriver::operator=(LPDISPATCH lpDispatch)
{
    AttachDispatch(lpDispatch, TRUE);
    return *this;
}

BOOL COleDispatchDriver::CreateDispatch(REFCLSID clsid, COleException* pError)
{
    ReleaseDispatch();
    LPUNKNOWN unknown = nullptr;
    HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown, reinterpret_cast<void**>(&unknown));
    if (SUCCEEDED(hr)) {
        hr = OleRun(unknown);
        if (SUCCEEDED(hr))
            hr = unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&m_lpDispatch));
        unknown->Release();
    }
    if (FAILED(hr)) {
        m_lpDispatch = nullptr;
        if (pError != nullptr)
            pError->m_sc = hr;
        return FALSE;
    }
    m_bAutoRelease = TRUE;
    return TRUE;
}

BOOL COleDispatchDriver::CreateDispatch(LPCTSTR lpszProgID, COleException* pError)
{
    CLSID clsid;
    HRESULT hr = lpszProgID != nullptr ? CLSIDFromProgID(lpszProgID, &clsid) : E_INVALIDARG;
    if (FAILED(hr)) {
        if (pError != nullptr)
            pError->m_sc = hr;
        return FALSE;
    }
    return CreateDispatch(clsid, pError);
}

void COleDispatchDriver::AttachDispatch(LPDISPATCH lpDispatch, BOOL bAutoRelease)
{
    ReleaseDispatch();
    m_lpDispatch = lpDispatch;
    m_bAutoRelease = bAutoRelease;
}

LPDISPATCH COleDispatchDriver::DetachDispatch()
{
    LPDISPATCH dispatch = m_lpDispatch;
    m_lpDispatch = nullptr;
    return dispatch;
}

void COleDispatchDriver::ReleaseDispatch()
{
    if (m_lpDispatch != nullptr && m_bAutoRelease)
        m_lpDispatch->Release();
    m_lpDispatch = nullptr;
}

void AFX_CDECL COleDispatchDriver::InvokeHelperArgs(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                                    const BYTE* pbParamInfo, ...)
{
    va_list argList;
    va_start(argList, pbParamInfo);
    try {
        InvokeHelperV(dwDispID, wFlags, vtRet, pvRet, pbParamInfo, argList);
    } catch (...) {
        va_end(argList);
        throw;
    }
    va_end(argList);
}

void COleDispatchDriver::InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                       const BYTE* pbParamInfo, va_list argList)
{
    // Without an object there is no result to hand back: that is a failure, not a silent no-op.
    if (m_lpDispatch == nullptr)
        AfxThrowOleException(E_POINTER);
    if (!IsSupportedResult(vtRet) || (vtRet != VT_EMPTY && pvRet == nullptr))
        AfxThrowNotSupportedException();

    size_t count = pbParamInfo != nullptr ? std::strlen(reinterpret_cast<const char*>(pbParamInfo)) : 0;
    bool isPut = (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    if (isPut && count == 0)
        AfxThrowOleException(E_INVALIDARG);

    // Arguments go into the array in reverse order.
    ArgumentList args(count);
    va_list walk;
    va_copy(walk, argList);
    for (size_t i = 0; i < count; ++i) {
        size_t slot = count - 1 - i;
        bool madeString = false;
        bool packed = PackArgument(args.at(slot), pbParamInfo[i], walk, madeString);
        if (madeString)
            args.OwnString(slot);
        if (!packed) {
            va_end(walk);
            AfxThrowNotSupportedException();
        }
    }
    va_end(walk);

    DISPID dispidNamed = DISPID_PROPERTYPUT;
    DISPPARAMS params = {};
    params.cArgs = static_cast<UINT>(count);
    params.rgvarg = args.data();
    if (isPut) {
        params.cNamedArgs = 1;
        params.rgdispidNamedArgs = &dispidNamed;
    }

    VARIANT result;
    VariantInit(&result);
    EXCEPINFO info = {};
    UINT argError = static_cast<UINT>(-1);
    HRESULT hr = m_lpDispatch->Invoke(dwDispID, IID_NULL, 0, wFlags, &params,
                                      vtRet != VT_EMPTY ? &result : nullptr, &info, &argError);
    if (FAILED(hr)) {
        VariantClear(&result);
        if (hr == DISP_E_EXCEPTION)
            ThrowDispatchException(info);
        AfxThrowOleException(hr);
    }
    if (vtRet == VT_EMPTY)
        return;
    if (vtRet != VT_VARIANT && result.vt != vtRet) {
        hr = VariantChangeType(&result, &result, 0, vtRet);
        if (FAILED(hr)) {
            VariantClear(&result);
            AfxThrowOleException(hr);
        }
    }
    StoreResult(result, vtRet, pvRet);
}

void AFX_CDECL COleDispatchDriver::SetPropertyArgs(DISPID dwDispID, VARTYPE vtProp, ...)
{
    BYTE paramInfo[2] = {static_cast<BYTE>(vtProp), 0};
    WORD flags = vtProp == VT_DISPATCH ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT;
    va_list argList;
    va_start(argList, vtProp);
    try {
        InvokeHelperV(dwDispID, flags, VT_EMPTY, nullptr, paramInfo, argList);
    } catch (...) {
        va_end(argList);
        throw;
    }
    va_end(argList);
}

void COleDispatchDriver::GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp) const
{
    const_cast<COleDispatchDriver*>(this)->InvokeHelperArgs(dwDispID, DISPATCH_PROPERTYGET, vtProp, pvProp, nullptr);
}

BOOL AFXAPI AfxOleInit()
{
    if (t_oleInitialised)
        return TRUE;
    if (FAILED(OleInitialize(nullptr)))
        return FALSE;
    t_oleInitialised = true;
    return TRUE;
}

void AFXAPI AfxOleTerm()
{
    if (t_oleInitialised) {
        OleUninitialize();
        t_oleInitialised = false;
    }
}

BOOL AFXAPI AfxOleIsInitialized()
{
    return t_oleInitialised ? TRUE : FALSE;
}

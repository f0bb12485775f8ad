#include "StubObject.h"

#include "StubControl.h"

#include <cwchar>

namespace officestubs {

namespace {

// Private interface id that answers "is this one of ours".
const GUID kStubObjectIid = {0x7559e4a8, 0x6902, 0x43d5, {0xb2, 0x70, 0xaf, 0xe9, 0x2c, 0x99, 0x36, 0xf8}};

const VARIANT& Resolve(const VARIANT& v)
{
    if (V_VT(&v) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(&v))
        return *V_VARIANTREF(&v);
    return v;
}

bool Matches(ArgType type, const VARIANT& v)
{
    switch (type) {
    case ArgType::Any: return true;
    case ArgType::Bstr: return V_VT(&v) == VT_BSTR;
    case ArgType::Int: return V_VT(&v) == VT_I4;
    case ArgType::Bool: return V_VT(&v) == VT_BOOL;
    case ArgType::Float: return V_VT(&v) == VT_R4;
    case ArgType::Object: return V_VT(&v) == VT_DISPATCH && V_DISPATCH(&v) != nullptr;
    }
    return false;
}

const wchar_t* KindName(CallKind kind)
{
    return kind == CallKind::Get ? L"get" : kind == CallKind::Put ? L"put" : L"method";
}

} // namespace

void Raise(const std::wstring& description)
{
    throw StubError{DISP_E_EXCEPTION, description};
}

Args::Args(const DISPPARAMS& params, size_t count)
{
    // rgvarg holds the arguments last first.
    for (size_t i = 0; i < count; ++i)
        m_values.push_back(&Resolve(params.rgvarg[count - 1 - i]));
}

bool Args::Omitted(size_t i) const
{
    const VARIANT& v = *m_values.at(i);
    return V_VT(&v) == VT_ERROR && V_ERROR(&v) == DISP_E_PARAMNOTFOUND;
}

std::wstring Args::Text(size_t i) const
{
    const VARIANT& v = *m_values.at(i);
    if (V_VT(&v) != VT_BSTR)
        throw StubError{DISP_E_TYPEMISMATCH, L"text expected"};
    return V_BSTR(&v) ? std::wstring(V_BSTR(&v), SysStringLen(V_BSTR(&v))) : std::wstring();
}

long Args::Int(size_t i) const
{
    const VARIANT& v = *m_values.at(i);
    if (V_VT(&v) != VT_I4)
        throw StubError{DISP_E_TYPEMISMATCH, L"32-bit integer expected"};
    return V_I4(&v);
}

bool Args::Bool(size_t i) const
{
    const VARIANT& v = *m_values.at(i);
    if (V_VT(&v) != VT_BOOL)
        throw StubError{DISP_E_TYPEMISMATCH, L"boolean expected"};
    return V_BOOL(&v) != VARIANT_FALSE;
}

double Args::Number(size_t i) const
{
    const VARIANT& v = *m_values.at(i);
    switch (V_VT(&v)) {
    case VT_I2: return V_I2(&v);
    case VT_I4: return V_I4(&v);
    case VT_R4: return V_R4(&v);
    case VT_R8: return V_R8(&v);
    default: throw StubError{DISP_E_TYPEMISMATCH, L"number expected"};
    }
}

StubObject* Args::Object(size_t i) const
{
    const VARIANT& v = *m_values.at(i);
    StubObject* object = V_VT(&v) == VT_DISPATCH ? StubObject::FromDispatch(V_DISPATCH(&v)) : nullptr;
    if (!object)
        throw StubError{DISP_E_TYPEMISMATCH, L"object expected"};
    return object;
}

StubObject::StubObject(const wchar_t* app) : m_app(app) {}

HRESULT STDMETHODCALLTYPE StubObject::QueryInterface(REFIID riid, void** object)
{
    if (!object)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == kStubObjectIid) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE StubObject::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&m_refs));
}

ULONG STDMETHODCALLTYPE StubObject::Release()
{
    LONG left = InterlockedDecrement(&m_refs);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE StubObject::GetTypeInfoCount(UINT* count)
{
    if (count)
        *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE StubObject::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info)
        *info = nullptr;
    return DISP_E_BADINDEX;
}

// The program calls by fixed identifiers only; a name look-up is a mistake worth seeing.
HRESULT STDMETHODCALLTYPE StubObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return DISP_E_UNKNOWNNAME;
}

HRESULT STDMETHODCALLTYPE StubObject::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                             VARIANT* result, EXCEPINFO* exception, UINT* argError)
{
    if (riid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    if (!params)
        return E_INVALIDARG;
    const Member* member = nullptr;
    for (const Member& m : Members())
        if (m.id == id && (!m.newerOnly || HasNewerMembers()))
            member = &m;
    const std::wstring where = std::wstring(m_app) + L" " + Describe() + L"." + (member ? member->name : L"?");
    auto refuse = [&](HRESULT code, const std::wstring& why) {
        LogLine(L"FAILED " + where + L": " + why);
        return code;
    };
    if (!member)
        return refuse(DISP_E_MEMBERNOTFOUND, L"no member " + std::to_wstring(id));

    bool kindOk = false;
    switch (member->kind) {
    case CallKind::Put:
        kindOk = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) && params->cNamedArgs == 1 &&
                 params->rgdispidNamedArgs && params->rgdispidNamedArgs[0] == DISPID_PROPERTYPUT;
        break;
    case CallKind::Get:
        kindOk = (flags & DISPATCH_PROPERTYGET) && params->cNamedArgs == 0;
        break;
    case CallKind::Method:
        kindOk = (flags & DISPATCH_METHOD) && params->cNamedArgs == 0;
        break;
    }
    if (!kindOk)
        return refuse(DISP_E_MEMBERNOTFOUND, std::wstring(L"not called as ") + KindName(member->kind));
    const size_t expected = member->args.size();
    if (params->cArgs != expected)
        return refuse(DISP_E_BADPARAMCOUNT, std::to_wstring(params->cArgs) + L" arguments, " +
                                                std::to_wstring(expected) + L" expected");
    if (expected && !params->rgvarg)
        return E_INVALIDARG;
    Args args(*params, expected);
    // A put member lists its value as its one argument.
    for (size_t i = 0; i < expected; ++i) {
        const ArgType type = member->args[i];
        if (!Matches(type, args[i])) {
            if (argError)
                *argError = static_cast<UINT>(expected - 1 - i);
            return refuse(DISP_E_TYPEMISMATCH, L"argument " + std::to_wstring(i + 1) + L" is " +
                                                   FormatVariant(args[i]));
        }
    }

    std::wstring line = where;
    if (member->kind == CallKind::Put) {
        line += L" = " + FormatVariant(args[expected - 1]);
    } else {
        line += L"(";
        for (size_t i = 0; i < expected; ++i)
            line += (i ? L", " : L"") + FormatVariant(args[i]);
        line += L")";
    }

    const std::wstring switchName = std::wstring(m_app) + L"." + ClassName() + L"." + member->name;
    StubError error{S_OK, std::wstring()};
    if (ShouldFail(switchName)) {
        error = StubError{DISP_E_EXCEPTION, L"Forced failure of " + switchName};
    } else {
        if (result)
            VariantInit(result);
        try {
            Call(*member, args, result);
        } catch (const StubError& e) {
            error = e;
        }
    }
    if (error.code == S_OK) {
        LogLine(line);
        return S_OK;
    }
    LogLine(L"FAILED " + line + L": " + error.description);
    if (error.code == DISP_E_EXCEPTION && exception) {
        ZeroMemory(exception, sizeof *exception);
        exception->bstrSource = SysAllocString(m_app);
        exception->bstrDescription = SysAllocString(error.description.c_str());
        exception->scode = E_FAIL;
    }
    return error.code;
}

StubObject* StubObject::FromDispatch(IDispatch* dispatch)
{
    if (!dispatch)
        return nullptr;
    void* ours = nullptr;
    if (FAILED(dispatch->QueryInterface(kStubObjectIid, &ours)) || !ours)
        return nullptr;
    // The caller holds its own reference; the probe's one is not needed.
    auto* object = static_cast<StubObject*>(static_cast<IDispatch*>(ours));
    object->Release();
    return object;
}

void StubObject::ReturnObject(VARIANT* result, StubObject* object)
{
    if (!result) {
        object->Release();
        return;
    }
    V_VT(result) = VT_DISPATCH;
    V_DISPATCH(result) = object;
}

std::wstring FormatVariant(const VARIANT& value)
{
    const VARIANT& v = Resolve(value);
    wchar_t buffer[64];
    switch (V_VT(&v)) {
    case VT_EMPTY: return L"empty";
    case VT_BSTR:
        return L"\"" + (V_BSTR(&v) ? std::wstring(V_BSTR(&v), SysStringLen(V_BSTR(&v))) : std::wstring()) + L"\"";
    case VT_I2: return std::to_wstring(V_I2(&v));
    case VT_I4: return std::to_wstring(V_I4(&v));
    case VT_BOOL: return V_BOOL(&v) ? L"true" : L"false";
    case VT_R4: swprintf(buffer, 64, L"%gf", static_cast<double>(V_R4(&v))); return buffer;
    case VT_R8: swprintf(buffer, 64, L"%g", V_R8(&v)); return buffer;
    case VT_ERROR:
        if (V_ERROR(&v) == DISP_E_PARAMNOTFOUND)
            return L"-";
        swprintf(buffer, 64, L"error %08lx", static_cast<unsigned long>(V_ERROR(&v)));
        return buffer;
    case VT_DISPATCH: {
        StubObject* object = StubObject::FromDispatch(V_DISPATCH(&v));
        return object ? object->Describe() : L"foreign object";
    }
    default: swprintf(buffer, 64, L"vt %u", static_cast<unsigned>(V_VT(&v))); return buffer;
    }
}

} // namespace officestubs

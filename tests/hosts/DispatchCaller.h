// Calls an IDispatch the way an automation client does, for the stand-in tests.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

struct Var {
    VARIANT v;
    Var() { VariantInit(&v); }
    Var(const Var& o) { VariantInit(&v); VariantCopy(&v, const_cast<VARIANT*>(&o.v)); }
    Var& operator=(const Var& o) { if (this != &o) VariantCopy(&v, const_cast<VARIANT*>(&o.v)); return *this; }
    ~Var() { VariantClear(&v); }
    static Var Str(const wchar_t* s) { Var r; V_VT(&r.v) = VT_BSTR; V_BSTR(&r.v) = SysAllocString(s); return r; }
    static Var I4(long n) { Var r; V_VT(&r.v) = VT_I4; V_I4(&r.v) = n; return r; }
    static Var R4(float f) { Var r; V_VT(&r.v) = VT_R4; V_R4(&r.v) = f; return r; }
    static Var Bool(bool b) { Var r; V_VT(&r.v) = VT_BOOL; V_BOOL(&r.v) = b ? VARIANT_TRUE : VARIANT_FALSE; return r; }
    static Var Missing() { Var r; V_VT(&r.v) = VT_ERROR; V_ERROR(&r.v) = DISP_E_PARAMNOTFOUND; return r; }
    static Var Object(IDispatch* d) { Var r; V_VT(&r.v) = VT_DISPATCH; V_DISPATCH(&r.v) = d; if (d) d->AddRef(); return r; }
};

struct Reply {
    HRESULT hr = E_FAIL;
    Var value;
    std::wstring description;
};

class Disp {
public:
    Disp() = default;
    explicit Disp(IDispatch* d) : m_d(d) {}
    Disp(const Disp& o) : m_d(o.m_d) { if (m_d) m_d->AddRef(); }
    Disp& operator=(const Disp& o) { if (o.m_d) o.m_d->AddRef(); if (m_d) m_d->Release(); m_d = o.m_d; return *this; }
    ~Disp() { if (m_d) m_d->Release(); }
    IDispatch* get() const { return m_d; }
    explicit operator bool() const { return m_d != nullptr; }

    Reply Invoke(DISPID id, WORD flags, std::vector<Var> args) const
    {
        Reply reply;
        std::vector<VARIANT> reversed;
        for (auto it = args.rbegin(); it != args.rend(); ++it)
            reversed.push_back(it->v);
        DISPID put = DISPID_PROPERTYPUT;
        DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        if (flags & DISPATCH_PROPERTYPUT) {
            params.rgdispidNamedArgs = &put;
            params.cNamedArgs = 1;
        }
        EXCEPINFO info{};
        UINT argError = 0;
        reply.hr = m_d->Invoke(id, IID_NULL, 0, flags, &params, &reply.value.v, &info, &argError);
        if (info.bstrDescription)
            reply.description = info.bstrDescription;
        SysFreeString(info.bstrDescription);
        SysFreeString(info.bstrSource);
        SysFreeString(info.bstrHelpFile);
        return reply;
    }
    Reply Get(DISPID id, std::vector<Var> args = {}) const { return Invoke(id, DISPATCH_PROPERTYGET, std::move(args)); }
    Reply Put(DISPID id, Var value) const { return Invoke(id, DISPATCH_PROPERTYPUT, {std::move(value)}); }
    Reply Call(DISPID id, std::vector<Var> args = {}) const { return Invoke(id, DISPATCH_METHOD, std::move(args)); }

    // The object a get or method returns; empty when the call failed.
    Disp Object(DISPID id, std::vector<Var> args = {}, WORD flags = DISPATCH_PROPERTYGET) const
    {
        Reply r = Invoke(id, flags, std::move(args));
        if (FAILED(r.hr) || V_VT(&r.value.v) != VT_DISPATCH || !V_DISPATCH(&r.value.v))
            return Disp();
        IDispatch* d = V_DISPATCH(&r.value.v);
        d->AddRef();
        return Disp(d);
    }

private:
    IDispatch* m_d = nullptr;
};

inline Disp CreateByProgId(const wchar_t* progId)
{
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(progId, &clsid)))
        return Disp();
    IDispatch* d = nullptr;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IDispatch, reinterpret_cast<void**>(&d))))
        return Disp();
    return Disp(d);
}

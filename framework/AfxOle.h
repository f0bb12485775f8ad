// Automation client side: COleVariant, COleDispatchDriver with InvokeHelper, AfxOleInit.
#pragma once

#include "framework/AfxException.h"

#include <ole2.h>
#include <oleauto.h>

// Argument type codes of InvokeHelper: a zero-terminated string of VARTYPEs; 0x40 marks by-reference.
typedef const VARIANT* LPCVARIANT;

#define VT_MFCBYREF 0x40
#define VTS_NONE ""
#define VTS_I2 "\x02"
#define VTS_I4 "\x03"
#define VTS_R4 "\x04"
#define VTS_R8 "\x05"
#define VTS_CY "\x06"
#define VTS_DATE "\x07"
#define VTS_BSTR "\x08"
#define VTS_WBSTR "\x08"
#define VTS_DISPATCH "\x09"
#define VTS_SCODE "\x0A"
#define VTS_BOOL "\x0B"
#define VTS_VARIANT "\x0C"
#define VTS_UNKNOWN "\x0D"
#define VTS_I1 "\x10"
#define VTS_UI1 "\x11"
#define VTS_UI2 "\x12"
#define VTS_UI4 "\x13"
#define VTS_PI2 "\x42"
#define VTS_PI4 "\x43"
#define VTS_PR4 "\x44"
#define VTS_PR8 "\x45"
#define VTS_PBSTR "\x48"
#define VTS_PDISPATCH "\x49"
#define VTS_PBOOL "\x4B"
#define VTS_PVARIANT "\x4C"
#define VTS_PUNKNOWN "\x4D"

class COleVariant : public tagVARIANT
{
public:
    COleVariant() { VariantInit(this); }
    ~COleVariant() { VariantClear(this); }
    COleVariant(const VARIANT& varSrc);
    COleVariant(LPCVARIANT pSrc);
    COleVariant(const COleVariant& varSrc);
    COleVariant(LPCTSTR lpszSrc);
    COleVariant(const CString& strSrc);
    COleVariant(BYTE nSrc);
    // vtSrc VT_I2 or VT_BOOL.
    COleVariant(short nSrc, VARTYPE vtSrc = VT_I2);
    // vtSrc VT_I4, VT_ERROR or VT_BOOL.
    COleVariant(long lSrc, VARTYPE vtSrc = VT_I4);
    COleVariant(float fltSrc);
    COleVariant(double dblSrc);

    const COleVariant& operator=(const VARIANT& varSrc);
    const COleVariant& operator=(const COleVariant& varSrc);
    const COleVariant& operator=(LPCTSTR lpszSrc);
    const COleVariant& operator=(const CString& strSrc);
    const COleVariant& operator=(long lSrc);
    const COleVariant& operator=(double dblSrc);
    bool operator==(const VARIANT& varSrc) const;

    void Clear() { VariantClear(this); }
    // Throws COleException when the value cannot be converted.
    void ChangeType(VARTYPE vartype, LPVARIANT pSrc = nullptr);
    void Attach(VARIANT& varSrc);
    VARIANT Detach();
    void SetString(LPCTSTR lpszSrc, VARTYPE vtSrc);

    operator LPVARIANT() { return this; }
    operator LPCVARIANT() const { return this; }
};

static_assert(sizeof(COleVariant) == sizeof(VARIANT), "COleVariant adds no data to VARIANT");

// A VARIANT argument of InvokeHelper travels as its address (VTS_VARIANT takes a VARIANT*), also
// when the caller wrote the variant itself: a C variable argument list cannot carry the object.
inline const VARIANT* AfxVarArg(const VARIANT& value) { return &value; }
inline const VARIANT* AfxVarArg(const COleVariant& value) { return &value; }

class COleDispatchDriver
{
public:
    COleDispatchDriver() = default;
    explicit COleDispatchDriver(LPDISPATCH lpDispatch, BOOL bAutoRelease = TRUE);
    COleDispatchDriver(const COleDispatchDriver& dispatchSrc);
    virtual ~COleDispatchDriver() { ReleaseDispatch(); }
    const COleDispatchDriver& operator=(const COleDispatchDriver& dispatchSrc);
    const COleDispatchDriver& operator=(LPDISPATCH lpDispatch);

    // Creates the object (started and asked for IDispatch); FALSE with the status in pError.
    BOOL CreateDispatch(REFCLSID clsid, COleException* pError = nullptr);
    BOOL CreateDispatch(LPCTSTR lpszProgID, COleException* pError = nullptr);
    // Takes over a reference; the previous one is released first.
    void AttachDispatch(LPDISPATCH lpDispatch, BOOL bAutoRelease = TRUE);
    LPDISPATCH DetachDispatch();
    void ReleaseDispatch();

    // One IDispatch::Invoke. pbParamInfo lists the argument types (VTS_...), the arguments follow.
    // Results: VT_BSTR into a CString, VT_DISPATCH into an LPDISPATCH (the caller owns it),
    // VT_VARIANT into a VARIANT (the caller clears it), VT_BOOL into a BOOL, VT_I4 into a long.
    // A failed call throws COleException; DISP_E_EXCEPTION throws COleDispatchException with
    // the server's description.
    // CString arguments are passed as their text.
    template <typename... Args>
    void InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo,
                      const Args&... args)
    {
        InvokeHelperArgs(dwDispID, wFlags, vtRet, pvRet, pbParamInfo, AfxVarArg(args)...);
    }
    void InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo,
                       va_list argList);
    template <typename Arg> void SetProperty(DISPID dwDispID, VARTYPE vtProp, const Arg& value)
    {
        SetPropertyArgs(dwDispID, vtProp, AfxVarArg(value));
    }
    void GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp) const;

    operator LPDISPATCH() { return m_lpDispatch; }

    LPDISPATCH m_lpDispatch = nullptr;
    BOOL m_bAutoRelease = TRUE;

private:
    void AFX_CDECL InvokeHelperArgs(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                    const BYTE* pbParamInfo, ...);
    void AFX_CDECL SetPropertyArgs(DISPID dwDispID, VARTYPE vtProp, ...);
};

// Initialises OLE on the calling thread; FALSE when that fails.
BOOL AFXAPI AfxOleInit();
// Undoes AfxOleInit on the calling thread (the application's exit does this for the main thread).
void AFXAPI AfxOleTerm();
// TRUE while AfxOleInit's initialisation holds on the calling thread.
BOOL AFXAPI AfxOleIsInitialized();

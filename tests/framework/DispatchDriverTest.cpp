#include "framework/Afx.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace {

// A small automation object with fixed dispatch identifiers.
enum : DISPID {
    kDescribe = 1,  // method: returns a text listing its arguments, first to last
    kValue = 2,     // property: a VARIANT
    kChild = 3,     // method: returns a new object
    kFail = 4,      // method: raises an automation exception with a description
    kDeferred = 5,  // method: raises one whose text is filled in on demand
    kRefuse = 6,    // no such member
    kOut = 7,       // method: writes 42 into its by-reference VARIANT
    kNumberText = 8 // property get: the number 17 as text
};

LONG g_liveServers = 0;

CString Describe(const VARIANT& v)
{
    CString text;
    switch (v.vt) {
    case VT_I4: text.Format(_T("I4:%ld"), v.lVal); break;
    case VT_BOOL: text.Format(_T("BOOL:%d"), v.boolVal); break;
    case VT_R4: text.Format(_T("R4:%g"), v.fltVal); break;
    case VT_BSTR: text.Format(_T("BSTR:%s"), v.bstrVal); break;
    case VT_ERROR: text.Format(_T("ERROR:%08lX"), static_cast<unsigned long>(v.scode)); break;
    case VT_DISPATCH: text = v.pdispVal != nullptr ? _T("DISPATCH") : _T("DISPATCH:null"); break;
    case VT_VARIANT | VT_BYREF: text = _T("PVARIANT"); break;
    default: text.Format(_T("vt%d"), v.vt); break;
    }
    return text;
}

HRESULT STDMETHODCALLTYPE FillDeferred(EXCEPINFO* info)
{
    info->bstrDescription = SysAllocString(L"Filled in later");
    info->scode = E_ABORT;
    return S_OK;
}

class TestServer : public IDispatch
{
public:
    TestServer() { InterlockedIncrement(&g_liveServers); }
    virtual ~TestServer() { InterlockedDecrement(&g_liveServers); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (riid == IID_IUnknown || riid == IID_IDispatch) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&m_refs); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        ULONG refs = InterlockedDecrement(&m_refs);
        if (refs == 0)
            delete this;
        return refs;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* info, UINT*) override
    {
        ++m_calls;
        switch (id) {
        case kDescribe: {
            CString text;
            for (UINT i = params->cArgs; i-- > 0;)
                text += Describe(params->rgvarg[i]) + (i > 0 ? _T("|") : _T(""));
            result->vt = VT_BSTR;
            result->bstrVal = text.AllocSysString();
            return S_OK;
        }
        case kValue:
            if (flags & DISPATCH_PROPERTYPUT) {
                if (params->cArgs != 1 || params->cNamedArgs != 1 ||
                    params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
                    return DISP_E_PARAMNOTOPTIONAL;
                return VariantCopy(&m_value, &params->rgvarg[0]);
            }
            return VariantCopy(result, &m_value);
        case kChild:
            result->vt = VT_DISPATCH;
            result->pdispVal = new TestServer;
            return S_OK;
        case kFail:
            info->wCode = 1001;
            info->bstrSource = SysAllocString(L"TestServer");
            info->bstrDescription = SysAllocString(L"The cell is out of range");
            info->scode = E_INVALIDARG;
            return DISP_E_EXCEPTION;
        case kDeferred:
            info->pfnDeferredFillIn = FillDeferred;
            return DISP_E_EXCEPTION;
        case kOut:
            if (params->cArgs != 1 || params->rgvarg[0].vt != (VT_VARIANT | VT_BYREF))
                return DISP_E_TYPEMISMATCH;
            VariantClear(params->rgvarg[0].pvarVal);
            params->rgvarg[0].pvarVal->vt = VT_I4;
            params->rgvarg[0].pvarVal->lVal = 42;
            return S_OK;
        case kNumberText:
            result->vt = VT_BSTR;
            result->bstrVal = SysAllocString(L"17");
            return S_OK;
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    }

    int m_calls = 0;

private:
    LONG m_refs = 1;
    COleVariant m_value;
};

class DispatchDriverTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        server = new TestServer;
        driver.AttachDispatch(server);
    }
    void TearDown() override
    {
        driver.ReleaseDispatch();
        EXPECT_EQ(0, g_liveServers) << "a reference was leaked";
        CoUninitialize();
    }

    TestServer* server = nullptr;
    COleDispatchDriver driver;
};

const BYTE kAllArgs[] = VTS_I4 VTS_BOOL VTS_R4 VTS_BSTR VTS_VARIANT VTS_VARIANT VTS_DISPATCH;

} // namespace

TEST_F(DispatchDriverTest, PacksArgumentsInOrderAndReturnsText)
{
    COleVariant omitted(static_cast<long>(DISP_E_PARAMNOTFOUND), VT_ERROR);
    COleVariant text(_T("variant text"));
    CString result;
    driver.InvokeHelper(kDescribe, DISPATCH_METHOD, VT_BSTR, &result, kAllArgs, 7L, TRUE, 1.5f, L"plain",
                        static_cast<const VARIANT*>(&omitted), static_cast<const VARIANT*>(&text),
                        static_cast<LPDISPATCH>(server));
    EXPECT_STREQ(_T("I4:7|BOOL:-1|R4:1.5|BSTR:plain|ERROR:80020004|BSTR:variant text|DISPATCH"), result);
    // A variant written without its address still goes as one.
    driver.InvokeHelper(kDescribe, DISPATCH_METHOD, VT_BSTR, &result,
                        reinterpret_cast<const BYTE*>(VTS_VARIANT VTS_VARIANT), omitted, &text);
    EXPECT_STREQ(_T("ERROR:80020004|BSTR:variant text"), result);
    // A CString passed for a BSTR argument goes as its text.
    CString cell(_T("B7"));
    driver.InvokeHelper(kDescribe, DISPATCH_METHOD, VT_BSTR, &result, reinterpret_cast<const BYTE*>(VTS_BSTR VTS_BSTR),
                        cell, cell);
    EXPECT_STREQ(_T("BSTR:B7|BSTR:B7"), result);
    // The caller's variant still owns its string.
    EXPECT_EQ(VT_BSTR, text.vt);
    EXPECT_STREQ(L"variant text", text.bstrVal);
}

TEST_F(DispatchDriverTest, PropertyPutAndGetWithConversions)
{
    COleVariant value(_T("=SUM(A1:A3)"));
    driver.InvokeHelper(kValue, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, reinterpret_cast<const BYTE*>(VTS_VARIANT),
                        static_cast<const VARIANT*>(&value));
    VARIANT back;
    driver.InvokeHelper(kValue, DISPATCH_PROPERTYGET, VT_VARIANT, &back, nullptr);
    EXPECT_EQ(VT_BSTR, back.vt);
    EXPECT_STREQ(L"=SUM(A1:A3)", back.bstrVal);
    VariantClear(&back);

    driver.SetProperty(kValue, VT_I4, -4167L);
    long number = 0;
    driver.GetProperty(kValue, VT_I4, &number);
    EXPECT_EQ(-4167, number);
    CString asText;
    driver.GetProperty(kValue, VT_BSTR, &asText);
    EXPECT_STREQ(_T("-4167"), asText);
    long fromText = 0;
    driver.GetProperty(kNumberText, VT_I4, &fromText);
    EXPECT_EQ(17, fromText);
    BOOL flag = FALSE;
    driver.GetProperty(kValue, VT_BOOL, &flag);
    EXPECT_TRUE(flag);

    COleVariant out;
    driver.InvokeHelper(kOut, DISPATCH_METHOD, VT_EMPTY, nullptr, reinterpret_cast<const BYTE*>(VTS_PVARIANT),
                        static_cast<VARIANT*>(&out));
    EXPECT_EQ(VT_I4, out.vt);
    EXPECT_EQ(42, out.lVal);
}

TEST_F(DispatchDriverTest, ReturnedObjectIsOwnedByTheCaller)
{
    LPDISPATCH child = nullptr;
    driver.InvokeHelper(kChild, DISPATCH_METHOD, VT_DISPATCH, &child, nullptr);
    ASSERT_NE(nullptr, child);
    EXPECT_EQ(2, g_liveServers);
    {
        COleDispatchDriver childDriver;
        childDriver.AttachDispatch(child);
        COleDispatchDriver copy(childDriver);
        CString text;
        copy.InvokeHelper(kDescribe, DISPATCH_METHOD, VT_BSTR, &text, reinterpret_cast<const BYTE*>(VTS_I4), 5L);
        EXPECT_STREQ(_T("I4:5"), text);
    }
    EXPECT_EQ(1, g_liveServers);
}

TEST_F(DispatchDriverTest, FailuresRaiseTheFrameworkExceptions)
{
    try {
        driver.InvokeHelper(kFail, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr);
        ADD_FAILURE() << "no exception";
    } catch (COleDispatchException* e) {
        EXPECT_STREQ(_T("The cell is out of range"), e->m_strDescription);
        EXPECT_STREQ(_T("TestServer"), e->m_strSource);
        EXPECT_EQ(1001, e->m_wCode);
        EXPECT_EQ(E_INVALIDARG, e->m_scError);
        TCHAR message[64];
        EXPECT_TRUE(e->GetErrorMessage(message, 64));
        EXPECT_STREQ(_T("The cell is out of range"), message);
        e->Delete();
    }

    try {
        driver.InvokeHelper(kDeferred, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr);
        ADD_FAILURE() << "no exception";
    } catch (COleDispatchException* e) {
        EXPECT_STREQ(_T("Filled in later"), e->m_strDescription);
        EXPECT_EQ(E_ABORT, e->m_scError);
        e->Delete();
    }

    struct Case { const char* what; DISPID id; VARTYPE vtRet; const BYTE* params; SCODE sc; } cases[] = {
        {"no such member", kRefuse, VT_EMPTY, nullptr, DISP_E_MEMBERNOTFOUND},
        {"a result that cannot be converted", kValue, VT_DISPATCH, nullptr, DISP_E_TYPEMISMATCH},
        {"a put without a value", kValue, VT_EMPTY, nullptr, E_INVALIDARG},
    };
    driver.SetProperty(kValue, VT_BSTR, L"not an object");
    for (const Case& c : cases) {
        LPDISPATCH unused = nullptr;
        WORD flags = std::string(c.what).find("put") != std::string::npos ? DISPATCH_PROPERTYPUT : DISPATCH_METHOD;
        try {
            driver.InvokeHelper(c.id, flags, c.vtRet, &unused, c.params);
            ADD_FAILURE() << c.what;
        } catch (COleException* e) {
            EXPECT_EQ(c.sc, e->m_sc) << c.what;
            e->Delete();
        }
    }
}

TEST_F(DispatchDriverTest, UnknownTypeCodesAndMissingObjectsAreRefusedBeforeCalling)
{
    int callsBefore = server->m_calls;
    const BYTE badArgs[] = {VT_I4, 0x1F, 0};  // 0x1F is no argument type we pass
    CString result;
    EXPECT_THROW(
        {
            try {
                driver.InvokeHelper(kDescribe, DISPATCH_METHOD, VT_BSTR, &result, badArgs, 1L, 2L);
            } catch (CNotSupportedException* e) {
                e->Delete();
                throw 1;
            }
        },
        int);
    EXPECT_EQ(callsBefore, server->m_calls);

    COleDispatchDriver empty;
    long value = 0;
    try {
        empty.InvokeHelper(kValue, DISPATCH_PROPERTYGET, VT_I4, &value, nullptr);
        ADD_FAILURE();
    } catch (COleException* e) {
        EXPECT_EQ(E_POINTER, e->m_sc);
        e->Delete();
    }
}

TEST(DispatchDriverThreadTest, WorksOnAWorkerThreadThatInitialisedCom)
{
    CString result;
    std::thread worker([&result] {
        if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
            return;
        {
            COleDispatchDriver driver(new TestServer);
            driver.InvokeHelper(kDescribe, DISPATCH_METHOD, VT_BSTR, &result,
                                reinterpret_cast<const BYTE*>(VTS_BSTR), L"from the worker");
        }
        CoUninitialize();
    });
    worker.join();
    EXPECT_STREQ(_T("BSTR:from the worker"), result);
    EXPECT_EQ(0, g_liveServers);
}

TEST(DispatchDriverCreateTest, UnknownProgIdFailsWithTheStatus)
{
    ASSERT_TRUE(AfxOleInit());
    COleDispatchDriver driver;
    COleException error;
    EXPECT_FALSE(driver.CreateDispatch(_T("Kest.NoSuchServer.1"), &error));
    EXPECT_TRUE(FAILED(error.m_sc));
    EXPECT_EQ(nullptr, driver.m_lpDispatch);
    AfxOleTerm();
}

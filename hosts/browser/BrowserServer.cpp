// The stand-in's COM server: class factory, unloading and registration under the browser's class id.
#include "StandInBrowser.h"

#include <exdisp.h>
#include <olectl.h>

#include <string>

using browserstandin::g_hInstance;
using browserstandin::g_nLocks;

namespace {

const wchar_t kClsidKey[] = L"CLSID\\{8856F961-340A-11D0-A96B-00C04FD705A2}";

class ClassFactory final : public IClassFactory
{
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory))
        {
            *ppv = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pOuter, REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        *ppv = nullptr;
        if (pOuter != nullptr)
            return CLASS_E_NOAGGREGATION;
        auto* pBrowser = new browserstandin::StandInBrowser;
        HRESULT hr = pBrowser->QueryInterface(riid, ppv);
        pBrowser->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL fLock) override
    {
        if (fLock)
            ::InterlockedIncrement(&g_nLocks);
        else
            ::InterlockedDecrement(&g_nLocks);
        return S_OK;
    }
};

ClassFactory g_factory;

bool SetKeyValue(const std::wstring& key, const wchar_t* name, const std::wstring& value)
{
    HKEY hKey = nullptr;
    if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &hKey, nullptr) !=
        ERROR_SUCCESS)
        return false;
    LONG rc = ::RegSetValueExW(hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                               static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(hKey);
    return rc == ERROR_SUCCESS;
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH)
    {
        g_hInstance = hInstance;
        ::DisableThreadLibraryCalls(hInstance);
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    *ppv = nullptr;
    if (!IsEqualCLSID(rclsid, CLSID_WebBrowser))
        return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(riid, ppv);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow()
{
    return g_nLocks == 0 ? S_OK : S_FALSE;
}

// Takes the browser's class id over in the registry it runs against: only tests call this, in
// their own prefix.
extern "C" HRESULT STDAPICALLTYPE DllRegisterServer()
{
    wchar_t path[MAX_PATH];
    DWORD n = ::GetModuleFileNameW(g_hInstance, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return E_FAIL;
    const std::wstring key = kClsidKey;
    if (!SetKeyValue(key, nullptr, L"Web browser stand-in") || !SetKeyValue(key + L"\\InprocServer32", nullptr, path) ||
        !SetKeyValue(key + L"\\InprocServer32", L"ThreadingModel", L"Apartment"))
        return SELFREG_E_CLASS;
    return S_OK;
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer()
{
    ::RegDeleteTreeW(HKEY_CLASSES_ROOT, kClsidKey);
    return S_OK;
}

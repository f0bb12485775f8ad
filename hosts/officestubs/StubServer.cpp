// The in-process server: class factories for the two stand-ins and their registration under
// HKEY_CLASSES_ROOT (class id, in-process server, programmatic identifier).
#include "ExcelStub.h"
#include "StubControl.h"
#include "WordStub.h"

#include <windows.h>
#include <objbase.h>
#include <olectl.h>

#include <string>

namespace officestubs {

namespace {

HMODULE module = nullptr;

struct ServerClass {
    CLSID clsid;
    const wchar_t* clsidText;
    const wchar_t* progId;
    const wchar_t* app;
    StubObject* (*create)();
};

const ServerClass kClasses[] = {
    {{0x91ec3ad9, 0xf133, 0x4e17, {0x8e, 0x8c, 0x88, 0xd0, 0x56, 0xe9, 0x59, 0x9c}},
     L"{91EC3AD9-F133-4E17-8E8C-88D056E9599C}", L"Excel.Application", L"Excel", CreateExcelApplication},
    {{0x0f054a9d, 0x3c77, 0x47c1, {0x93, 0xac, 0xf5, 0xeb, 0xb2, 0x36, 0x5c, 0xdb}},
     L"{0F054A9D-3C77-47C1-93AC-F5EBB2365CDB}", L"Word.Application", L"Word", CreateWordApplication},
};

class ClassFactory : public IClassFactory {
public:
    explicit ClassFactory(const ServerClass& cls) : m_class(cls) {}
    virtual ~ClassFactory() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IClassFactory) {
            *object = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_refs)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        LONG left = InterlockedDecrement(&m_refs);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        const std::wstring what = std::wstring(m_class.app) + L".create";
        if (ShouldFail(what)) {
            LogLine(L"FAILED " + std::wstring(m_class.app) + L" create");
            return E_FAIL;
        }
        StubObject* app = m_class.create();
        HRESULT hr = app->QueryInterface(riid, object);
        app->Release();
        if (SUCCEEDED(hr))
            LogLine(std::wstring(m_class.app) + L" create");
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    const ServerClass& m_class;
    LONG m_refs = 1;
};

bool SetKeyValue(const std::wstring& path, const wchar_t* name, const std::wstring& value)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    LONG rc = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                             static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

} // namespace

} // namespace officestubs

using namespace officestubs;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        module = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID riid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    for (const ServerClass& cls : kClasses)
        if (cls.clsid == clsid) {
            auto* factory = new ClassFactory(cls);
            HRESULT hr = factory->QueryInterface(riid, object);
            factory->Release();
            return hr;
        }
    return CLASS_E_CLASSNOTAVAILABLE;
}

// The fail switch counts calls across instances; staying loaded keeps the count.
extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow()
{
    return S_FALSE;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer()
{
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(module, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return E_FAIL;
    for (const ServerClass& cls : kClasses) {
        const std::wstring clsidKey = std::wstring(L"CLSID\\") + cls.clsidText;
        const std::wstring name = std::wstring(cls.app) + L" automation stand-in";
        if (!SetKeyValue(clsidKey, nullptr, name) || !SetKeyValue(clsidKey + L"\\InprocServer32", nullptr, path) ||
            !SetKeyValue(clsidKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment") ||
            !SetKeyValue(clsidKey + L"\\ProgID", nullptr, cls.progId) ||
            !SetKeyValue(cls.progId, nullptr, name) ||
            !SetKeyValue(std::wstring(cls.progId) + L"\\CLSID", nullptr, cls.clsidText))
            return SELFREG_E_CLASS;
    }
    return S_OK;
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer()
{
    for (const ServerClass& cls : kClasses) {
        RegDeleteTreeW(HKEY_CLASSES_ROOT, (std::wstring(L"CLSID\\") + cls.clsidText).c_str());
        RegDeleteTreeW(HKEY_CLASSES_ROOT, cls.progId);
    }
    return S_OK;
}

// What the stand-in browser offers beyond the browser's own dispatch interface, for tests: the
// private dispatch ids and the registration in the test prefix. Needs KEST_BROWSER_STANDIN_DLL.
#pragma once
#include <windows.h>

namespace browserstandin {

// put: TRUE keeps every navigation at "loading" until FALSE is put again.
const DISPID DISPID_HOLDLOADING = 0x4B01;
// get: one line per event, "navigate <url>", "cancelled <url>", "script <code>", "complete <url>".
const DISPID DISPID_LOG = 0x4B02;
// put: the address of a link drawn in the page, which a click follows as a user's navigation.
const DISPID DISPID_LINK = 0x4B03;
// The link's place in the browser window's client area.
const RECT kLinkRect = {10, 40, 290, 64};
// The page's colours: background and the link's box.
const COLORREF kPageColour = RGB(255, 255, 255);
const COLORREF kLinkColour = RGB(200, 220, 255);

#ifdef KEST_BROWSER_STANDIN_DLL
// Registers the stand-in under the browser's class id, as its own registration does.
inline HRESULT RegisterBrowserStandIn()
{
    HMODULE dll = LoadLibraryW(L"" KEST_BROWSER_STANDIN_DLL);
    if (!dll)
        return HRESULT_FROM_WIN32(GetLastError());
    auto reg =
        reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(reinterpret_cast<void*>(GetProcAddress(dll, "DllRegisterServer")));
    HRESULT hr = reg ? reg() : E_NOINTERFACE;
    FreeLibrary(dll);
    return hr;
}
#endif

} // namespace browserstandin

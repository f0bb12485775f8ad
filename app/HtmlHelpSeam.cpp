#include "app/HtmlHelpSeam.h"

namespace
{

using ViewerEntry = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);

ViewerEntry LoadViewer()
{
    static HMODULE module = ::LoadLibraryW(L"hhctrl.ocx");
    return module ? reinterpret_cast<ViewerEntry>(reinterpret_cast<void*>(::GetProcAddress(module, "HtmlHelpW")))
                  : nullptr;
}

} // namespace

HWND CallHtmlHelpViewer(HWND caller, const std::wstring& file, UINT command, DWORD_PTR data)
{
    ViewerEntry entry = LoadViewer();
    return entry ? entry(caller, file.c_str(), command, data) : nullptr;
}

std::wstring HtmlHelpSeam::ApplicationHelpFile()
{
    CWinApp* app = AfxGetApp();
    return app && app->m_pszHelpFilePath ? std::wstring(app->m_pszHelpFilePath) : std::wstring();
}

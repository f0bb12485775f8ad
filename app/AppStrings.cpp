#include "app/AppStrings.h"

#include <vector>

#include "app/AppRes.h"

#include "framework/Afx.h"

std::wstring LoadAppString(UINT id)
{
    const wchar_t* text = nullptr;
    // Length 0 asks for a read-only pointer into the resource itself, which is not terminated.
    const int length = ::LoadStringW(AfxGetResourceHandle(), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 && text ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

std::wstring FormatAppString(UINT id, const std::wstring& value)
{
    std::wstring text = LoadAppString(id);
    size_t at = text.find(L"%s");
    if (at == std::wstring::npos)
        at = text.find(L"%d");
    if (at != std::wstring::npos)
        text.replace(at, 2, value);
    return text;
}

std::wstring ProgramVersionText()
{
    wchar_t path[MAX_PATH] = {};
    if (::GetModuleFileNameW(nullptr, path, MAX_PATH) == 0)
        return std::wstring();
    DWORD handle = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path, &handle);
    if (size == 0)
        return std::wstring();
    std::vector<BYTE> block(size);
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!::GetFileVersionInfoW(path, 0, size, block.data()) ||
        !::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &length) || length < sizeof(*info))
        return std::wstring();
    const std::wstring version = std::to_wstring(HIWORD(info->dwFileVersionMS)) + L"." +
                                 std::to_wstring(LOWORD(info->dwFileVersionMS)) + L"." +
                                 std::to_wstring(HIWORD(info->dwFileVersionLS));
    return FormatAppString(IDS_VERSION, version);
}

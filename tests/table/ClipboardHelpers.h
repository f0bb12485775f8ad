#pragma once
// Reading and presetting the clipboard around the conversion tests.
#include <windows.h>

#include <cstring>
#include <string>

// The clipboard's Unicode text; "<none>" when it holds none or cannot be opened.
inline std::wstring ReadClipboardText()
{
    std::wstring text = L"<none>";
    if (!OpenClipboard(nullptr))
        return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

inline bool PresetClipboardText(const std::wstring& text)
{
    if (!OpenClipboard(nullptr))
        return false;
    EmptyClipboard();
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    bool done = false;
    if (block) {
        std::memcpy(GlobalLock(block), text.c_str(), bytes);
        GlobalUnlock(block);
        done = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
        if (!done)
            GlobalFree(block);
    }
    CloseClipboard();
    return done;
}

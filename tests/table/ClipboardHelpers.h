#pragma once
// Reading and presetting the clipboard around the conversion tests, through the program's own
// clipboard code.
#include "table/ClipboardText.h"

#include <string>

// The clipboard's Unicode text; "<none>" when it holds none or cannot be opened.
inline std::wstring ReadClipboardText()
{
    std::wstring text;
    return ReadTextFromClipboard(text) ? text : L"<none>";
}

inline bool PresetClipboardText(const std::wstring& text)
{
    std::wstring error;
    bool final = false;
    return PutTextOnClipboard(text, error, final);
}

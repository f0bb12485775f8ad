#pragma once
// Texts of the program's string table.
#include <windows.h>

#include <string>

// The string resource id of the program's module; empty when it is missing.
std::wstring LoadAppString(UINT id);
// The string with its first "%s" or "%d" replaced by the value.
std::wstring FormatAppString(UINT id, const std::wstring& value);
// "Version %s" (string 133) with the program file's version; empty when the file has none.
std::wstring ProgramVersionText();

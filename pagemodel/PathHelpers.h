#pragma once

#include <string>

// Joins a folder and a name with one backslash between them. With testAbsolute set,
// a name with a drive ("C:...") or a UNC start ("\\...") is returned as it is.
std::wstring CombinePath(const std::wstring& folder, const std::wstring& name, bool testAbsolute);
// True when the path names an existing file that is neither a folder nor offline.
bool FileExists(const std::wstring& path);

// What a print job needs of the page model's helpers: registry values, paths and glyph maps.
#pragma once

#include <windows.h>

#include <map>
#include <string>

// INTERIM until the page model's helpers land: same names and behaviour.
using GlyphCharMap = std::map<unsigned short, unsigned short>;
using GlyphMapCache = std::map<std::wstring, GlyphCharMap>;
GlyphCharMap* GetGlyphMapOnScreenDC(GlyphMapCache& cache, const LOGFONTW& logicalFont);
std::wstring CombinePath(const std::wstring& folder, const std::wstring& name, bool testAbsolute);
bool FileExists(const std::wstring& path);
std::wstring ReadRegistryString(const wchar_t* subKey, const wchar_t* valueName, bool& found);
DWORD ReadRegistryDword(const wchar_t* subKey, const wchar_t* valueName, bool& found);
bool WriteRegistryDword(const wchar_t* subKey, const wchar_t* valueName, DWORD value);

#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// Values under HKEY_LOCAL_MACHINE\Software\QuillMere\<subKey>, shared by the program
// and the driver ("KEST": "Temp", "Path", "DocumentUnique").
extern const wchar_t* const kMachineKeyRoot;
extern const wchar_t* const kKestSubKey;

// A non-empty REG_SZ value; empty with found clear otherwise.
std::wstring ReadRegistryString(const std::wstring& subKey, const std::wstring& valueName, bool& found);
// A REG_DWORD of 4 bytes; 0xFFFFFFFF with found clear otherwise.
uint32_t ReadRegistryDword(const std::wstring& subKey, const std::wstring& valueName, bool& found);
// Creates the key when needed; true when the value was stored and the key closed.
bool WriteRegistryDword(const std::wstring& subKey, const std::wstring& valueName, uint32_t value);

// The same under another root key, for tests and for callers that keep these values elsewhere.
std::wstring ReadRegistryString(HKEY root, const std::wstring& subKey, const std::wstring& valueName, bool& found);
uint32_t ReadRegistryDword(HKEY root, const std::wstring& subKey, const std::wstring& valueName, bool& found);
bool WriteRegistryDword(HKEY root, const std::wstring& subKey, const std::wstring& valueName, uint32_t value);

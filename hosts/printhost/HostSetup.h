// What the program's installer will set up for the driver; the host sets it for its run.
#pragma once

#include <string>

extern const wchar_t kKestRegistryKey[];  // under HKEY_LOCAL_MACHINE

// Writes the machine-wide "Temp" (job folder) and "Path" (program) values, creating the folder.
bool SetJobRegistryValues(const std::wstring& tempFolder, const std::wstring& programPath);
// Removes one value of the key (missing is fine).
bool DeleteJobRegistryValue(const wchar_t* name);

// Job numbers: a counter in the machine-wide registry, advanced under a named mutex so that
// concurrent jobs in any process get numbers of their own.
#pragma once

#include <windows.h>

#include <string>

extern const wchar_t kDocumentCounterMutex[];
constexpr DWORD kNoDocumentNumber = 0xFFFFFFFF;

// The next job number, or kNoDocumentNumber when the mutex or the counter fails.
DWORD NextDocumentNumber();
// Reads, advances and stores "DocumentUnique" (a missing value counts as 1; 0 is never given).
// Returns the new number, or 0 when it cannot be stored.
DWORD IncrementDocumentCounter();

// The job's base path in the folder: the job number as eight hex digits. When no number can be
// had, a name no other job uses, reserved by creating its temporary archive. Empty on failure.
std::wstring MakeJobBasePath(const std::wstring& folder);

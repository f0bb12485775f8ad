#pragma once
// What a print-job folder holds besides the jobs being shown: work files of copies that were
// killed, and temporary archives of writes that were killed. A file some process still has open
// is in use and never touched: the driver writes its archive and the program reads a shown job
// through open handles, and a write in progress holds its temporary file the same way.
//
// Thread: any. Failures: a file that cannot be examined or removed is passed over.

#include <string>
#include <vector>

// True when another handle has the file open (an exclusive open is refused for sharing).
bool IsFileInUse(const std::wstring& path);

// Removes every temporary archive ("*.tmp") directly in folder that nobody has open; the names
// of those removed.
std::vector<std::wstring> RemoveUnusedTemporaryFiles(const std::wstring& folder);

// The work files ("*.kest") directly in folder that nobody has open, as full paths in name order.
std::vector<std::wstring> FindUnusedWorkFiles(const std::wstring& folder);

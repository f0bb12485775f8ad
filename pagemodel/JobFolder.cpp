#include "pagemodel/JobFolder.h"

#include <windows.h>

#include <algorithm>

namespace
{

std::wstring Joined(const std::wstring& folder, const std::wstring& name)
{
    if (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/'))
        return folder + name;
    return folder + L"\\" + name;
}

// The plain files directly in folder whose names match pattern; the search also matches short
// names, so the extension is checked again on the long name.
std::vector<std::wstring> FilesWithExtension(const std::wstring& folder, const wchar_t* extension)
{
    std::vector<std::wstring> names;
    if (folder.empty())
        return names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(Joined(folder, std::wstring(L"*") + extension).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    const size_t extensionLength = wcslen(extension);
    do
    {
        const std::wstring name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || name.size() <= extensionLength ||
            _wcsicmp(name.c_str() + name.size() - extensionLength, extension) != 0)
            continue;
        names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

bool IsFileInUse(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_SHARING_VIOLATION;
    CloseHandle(file);
    return false;
}

std::vector<std::wstring> RemoveUnusedTemporaryFiles(const std::wstring& folder)
{
    std::vector<std::wstring> removed;
    for (const std::wstring& name : FilesWithExtension(folder, L".tmp"))
    {
        const std::wstring path = Joined(folder, name);
        // A writer that opened its file with delete sharing would not stop DeleteFile: ask first.
        if (!IsFileInUse(path) && DeleteFileW(path.c_str()))
            removed.push_back(name);
    }
    return removed;
}

std::vector<std::wstring> FindUnusedWorkFiles(const std::wstring& folder)
{
    std::vector<std::wstring> paths;
    for (const std::wstring& name : FilesWithExtension(folder, L".kest"))
    {
        const std::wstring path = Joined(folder, name);
        if (!IsFileInUse(path))
            paths.push_back(path);
    }
    return paths;
}

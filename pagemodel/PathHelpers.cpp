#include "pagemodel/PathHelpers.h"

#include <windows.h>

std::wstring CombinePath(const std::wstring& folder, const std::wstring& name, bool testAbsolute)
{
    if (folder.empty())
        return name;
    if (name.empty())
        return folder;
    if (testAbsolute) {
        if ((name.size() > 2 && name[1] == L':') || name.compare(0, 2, L"\\\\") == 0)
            return name;
    }
    std::wstring result = folder;
    const wchar_t last = folder.back();
    if (last != L'\\' && last != L'/')
        result += L'\\';
    if (name[0] == L'\\' || name[0] == L'/')
        result.append(name, 1, std::wstring::npos);
    else
        result += name;
    return result;
}

bool FileExists(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_OFFLINE)) == 0;
}

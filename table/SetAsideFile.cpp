#include "table/SetAsideFile.h"

#include <windows.h>

SetAsideFile::SetAsideFile(const std::wstring& path) : m_path(path)
{
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return;
    const size_t slash = path.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? L"." : path.substr(0, slash);
    wchar_t temporary[MAX_PATH] = {};
    // The name is only made, and only read, when the system could make it.
    if (!GetTempFileNameW(folder.c_str(), L"KEST", 0, temporary))
        return;
    if (MoveFileExW(path.c_str(), temporary, MOVEFILE_REPLACE_EXISTING))
        m_setAside = temporary;
    else
        DeleteFileW(temporary);
}

bool SetAsideFile::Restore()
{
    if (m_setAside.empty())
        return true;
    if (!MoveFileExW(m_setAside.c_str(), m_path.c_str(), MOVEFILE_REPLACE_EXISTING))
        return false;
    m_setAside.clear();
    return true;
}

void SetAsideFile::Discard()
{
    if (m_setAside.empty())
        return;
    DeleteFileW(m_setAside.c_str());
    m_setAside.clear();
}

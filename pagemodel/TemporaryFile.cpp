#include "pagemodel/TemporaryFile.h"

#include <windows.h>

TemporaryFile::~TemporaryFile()
{
    if (!m_path.empty())
        DeleteFileW(m_path.c_str());
}

bool TemporaryFile::Create(const wchar_t* besidePath)
{
    wchar_t fullPath[MAX_PATH];
    wchar_t* namePart = nullptr;
    const DWORD length = GetFullPathNameW(besidePath, MAX_PATH, fullPath, &namePart);
    if (length > 0 && length < MAX_PATH && namePart) {
        *namePart = L'\0';
        if (CreateIn(fullPath))
            return true;
    }
    wchar_t folder[MAX_PATH];
    const DWORD folderLength = GetTempPathW(MAX_PATH, folder);
    return folderLength > 0 && folderLength < MAX_PATH && CreateIn(folder);
}

bool TemporaryFile::CreateIn(const wchar_t* folder)
{
    wchar_t name[MAX_PATH];
    if (!GetTempFileNameW(folder, L"KEST", 0, name))
        return false;
    m_path = name;
    return true;
}

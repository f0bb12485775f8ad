#include "app/ConvertingOptions.h"

#include <windows.h>

bool ConvertingOptions::IsClassRegistered(const wchar_t* progId)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, progId, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

void ConvertingOptions::ReadInstalledApplications()
{
    m_excelInstalled = IsClassRegistered(L"Excel.Application");
    m_wordInstalled = IsClassRegistered(L"Word.Application");
}

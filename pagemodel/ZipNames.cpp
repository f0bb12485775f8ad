#include "pagemodel/ZipNames.h"

#include <windows.h>
#include <cstring>

bool ToAnsiPath(const wchar_t* wide, std::string& ansi)
{
    if (!wide)
        return false;
    const DWORD flags = WC_COMPOSITECHECK | WC_DEFAULTCHAR;
    const int needed = WideCharToMultiByte(CP_ACP, flags, wide, -1, nullptr, 0, nullptr, nullptr);
    if (needed <= 0 || needed > kZipMaxPath)
        return false;
    char buffer[kZipMaxPath];
    if (WideCharToMultiByte(CP_ACP, flags, wide, -1, buffer, needed, nullptr, nullptr) != needed)
        return false;
    buffer[needed - 1] = '\0';
    ansi.assign(buffer);
    return true;
}

const char* EntryFileNamePart(const char* name)
{
    const char* part = name;
    for (const char* p = name; *p; ++p)
        if (*p == '/' || *p == '\\')
            part = p + 1;
    return part;
}

const char* EntryExtension(const char* name)
{
    const char* part = EntryFileNamePart(name);
    const char* dot = std::strrchr(part, '.');
    return dot ? dot + 1 : part + std::strlen(part);
}

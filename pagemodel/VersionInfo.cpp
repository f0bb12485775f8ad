#include "pagemodel/VersionInfo.h"

#include <cstdio>

namespace {

const DWORD kMaxVersionBlock = 0x100000;

} // namespace

VersionInfo::VersionInfo(HMODULE module)
{
    wchar_t fileName[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameW(module, fileName, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    m_fileName.assign(fileName, length);
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(fileName, &handle);
    if (size == 0 || size > kMaxVersionBlock)
        return;
    m_block.resize(size);
    if (!GetFileVersionInfoW(fileName, 0, size, m_block.data()))
        return;
    void* fixed = nullptr;
    UINT fixedSize = 0;
    if (VerQueryValueW(m_block.data(), L"\\", &fixed, &fixedSize) && fixed != nullptr
        && fixedSize >= sizeof(VS_FIXEDFILEINFO))
        m_fixed = static_cast<const VS_FIXEDFILEINFO*>(fixed);
}

std::wstring VersionInfo::GetVersionString() const
{
    if (m_fixed == nullptr)
        return std::wstring();
    wchar_t text[64] = {};
    swprintf(text, 64, L"%u.%u.%u.%u", unsigned(HIWORD(m_fixed->dwFileVersionMS)),
             unsigned(LOWORD(m_fixed->dwFileVersionMS)), unsigned(HIWORD(m_fixed->dwFileVersionLS)),
             unsigned(LOWORD(m_fixed->dwFileVersionLS)));
    return text;
}

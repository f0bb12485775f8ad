#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The version resource of a module.
class VersionInfo
{
public:
    // Null: the running program.
    explicit VersionInfo(HMODULE module = nullptr);

    bool IsValid() const { return m_fixed != nullptr; }
    const std::wstring& GetFileName() const { return m_fileName; }
    // The fixed file version as "major.minor.build.revision"; empty without a resource.
    std::wstring GetVersionString() const;

private:
    std::wstring m_fileName;
    std::vector<BYTE> m_block;
    const VS_FIXEDFILEINFO* m_fixed = nullptr;
};

#include "pagemodel/AtomicFileWriter.h"

#include <cwchar>
#include <vector>

namespace
{

const wchar_t kPrefix[] = L"KES";
const wchar_t kExtension[] = L".tmp";
const size_t kUniqueDigits = 4;

// Folds the name as the file system compares it, so that job.kest and JOB.KEST share a stem.
// Two targets whose hashes meet only sweep each other's leftovers, which nobody needs.
uint32_t NameHash(const std::wstring& name)
{
    std::wstring folded = name;
    if (!folded.empty())
        CharUpperBuffW(&folded[0], DWORD(folded.size()));
    uint32_t hash = 2166136261u;
    for (wchar_t c : folded)
    {
        hash = (hash ^ (uint32_t(c) & 0xFF)) * 16777619u;
        hash = (hash ^ (uint32_t(c) >> 8)) * 16777619u;
    }
    return hash;
}

bool IsHexDigit(wchar_t c)
{
    return (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'F') || (c >= L'a' && c <= L'f');
}

// Splits a path into its full folder (with its final separator) and its file name.
bool SplitFullPath(const wchar_t* path, std::wstring& folder, std::wstring& name)
{
    const DWORD needed = GetFullPathNameW(path, 0, nullptr, nullptr);
    if (needed == 0)
        return false;
    std::vector<wchar_t> full(needed + 1);
    wchar_t* namePart = nullptr;
    const DWORD length = GetFullPathNameW(path, DWORD(full.size()), full.data(), &namePart);
    if (length == 0 || length >= full.size() || !namePart || !*namePart)
        return false;
    name = namePart;
    folder.assign(full.data(), namePart);
    return true;
}

// Windows refuses to rename over a file with the read-only attribute, wine does not: asking first
// gives the user the same refusal on both, before anything is written.
bool IsReadOnlyFile(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
           (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

} // namespace

AtomicFileWriter::~AtomicFileWriter()
{
    Discard();
}

bool AtomicFileWriter::Begin(const wchar_t* targetPath)
{
    Discard();
    std::wstring folder, name;
    if (!targetPath || !*targetPath || !SplitFullPath(targetPath, folder, name))
        return false;
    if (IsReadOnlyFile(folder + name))
    {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    wchar_t hash[16];
    std::swprintf(hash, 16, L"%04X", NameHash(name) & 0xFFFF);
    const std::wstring stem = std::wstring(kPrefix) + hash;
    RemoveLeftovers(folder, stem);
    if (!CreateTemporary(folder, stem))
        return false;
    m_targetPath = folder + name;
    m_count = 0;
    m_failed = false;
    return true;
}

void AtomicFileWriter::RemoveLeftovers(const std::wstring& folder, const std::wstring& stem) const
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + stem + L"*" + kExtension).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do
    {
        // The search also matches short names and longer names: take only our exact form.
        const std::wstring candidate = found.cFileName;
        if (candidate.size() != stem.size() + kUniqueDigits + std::wcslen(kExtension) ||
            _wcsnicmp(candidate.c_str(), stem.c_str(), stem.size()) != 0 ||
            _wcsicmp(candidate.c_str() + stem.size() + kUniqueDigits, kExtension) != 0 ||
            (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        bool hex = true;
        for (size_t i = 0; i < kUniqueDigits; ++i)
            hex = hex && IsHexDigit(candidate[stem.size() + i]);
        // A write in progress holds its file without delete sharing: deleting it fails.
        if (hex)
            DeleteFileW((folder + candidate).c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

bool AtomicFileWriter::CreateTemporary(const std::wstring& folder, const std::wstring& stem)
{
    const uint32_t start = GetTickCount() ^ (GetCurrentProcessId() << 7) ^ GetCurrentThreadId();
    for (uint32_t attempt = 0; attempt <= 0xFFFF; ++attempt)
    {
        wchar_t unique[16];
        std::swprintf(unique, 16, L"%04X", (start + attempt) & 0xFFFF);
        const std::wstring path = folder + stem + unique + kExtension;
        m_guard = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        if (m_guard != INVALID_HANDLE_VALUE)
        {
            m_temporaryPath = path;
            return true;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            return false;
    }
    return false;
}

bool AtomicFileWriter::Write(const void* data, uint32_t n)
{
    if (!IsBegun())
        return false;
    const char* bytes = static_cast<const char*>(data);
    uint32_t done = 0;
    while (done < n)
    {
        DWORD written = 0;
        if (!WriteFile(m_guard, bytes + done, n - done, &written, nullptr) || written == 0)
        {
            m_failed = true;
            return false;
        }
        done += written;
    }
    m_count += n;
    return true;
}

bool AtomicFileWriter::Read(void*, uint32_t)
{
    return false;
}

bool AtomicFileWriter::Commit()
{
    if (!IsBegun())
        return false;
    // A write that failed on the way must not become the file, whatever its caller did next.
    const bool complete = !m_failed && FlushFileBuffers(m_guard);
    CloseGuard();
    if (!complete || IsReadOnlyFile(m_targetPath) ||
        !MoveFileExW(m_temporaryPath.c_str(), m_targetPath.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    {
        Discard();
        return false;
    }
    m_temporaryPath.clear();
    m_targetPath.clear();
    return true;
}

void AtomicFileWriter::Discard()
{
    CloseGuard();
    if (!m_temporaryPath.empty())
        DeleteFileW(m_temporaryPath.c_str());
    m_temporaryPath.clear();
    m_targetPath.clear();
}

void AtomicFileWriter::CloseGuard()
{
    if (m_guard != INVALID_HANDLE_VALUE)
        CloseHandle(m_guard);
    m_guard = INVALID_HANDLE_VALUE;
}

bool AtomicFileWriter::WriteWholeFile(const wchar_t* targetPath, const void* data, uint32_t size)
{
    AtomicFileWriter writer;
    return writer.Begin(targetPath) && writer.Write(data, size) && writer.Commit();
}

#include "pagemodel/Unzipper.h"

#include "pagemodel/ZipNames.h"

#include <windows.h>
#include <cstdlib>
#include <cstring>

namespace {

// Deflate cannot expand its input by more than about 1032 to 1; a declared size far
// beyond that is a lie of the header, not data.
constexpr uint64_t kMaxDeflateRatio = 1032;
constexpr uint64_t kDeflateSlack = 4096;

bool PlausibleSize(const UnzipFileInfo& info)
{
    if (info.uncompressedSize > CUnzipper::kMaxEntrySize)
        return false;
    if (info.compressionMethod == 0)
        return info.uncompressedSize == info.compressedSize;
    return info.uncompressedSize <= uint64_t(info.compressedSize) * kMaxDeflateRatio + kDeflateSlack;
}

} // namespace

CUnzipper::CUnzipper(const wchar_t* path)
{
    if (path)
        Open(path);
}

CUnzipper::~CUnzipper()
{
    Close();
}

bool CUnzipper::Open(const wchar_t* path)
{
    Close();
    if (!path || !*path)
        return false;
    wchar_t fullPath[MAX_PATH];
    const DWORD length = GetFullPathNameW(path, MAX_PATH, fullPath, nullptr);
    if (length == 0 || length >= MAX_PATH)
        return false;
    std::string ansiPath;
    if (!ToAnsiPath(path, ansiPath))
        return false;
    m_unzip = unzOpen(ansiPath.c_str());
    if (!m_unzip)
        return false;
    m_pathWithoutExtension = fullPath;
    const size_t dot = m_pathWithoutExtension.find_last_of(L'.');
    const size_t slash = m_pathWithoutExtension.find_last_of(L"\\/");
    if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash))
        m_pathWithoutExtension.erase(dot);
    return true;
}

bool CUnzipper::Close()
{
    bool closed = true;
    if (m_unzip) {
        unzCloseCurrentFile(m_unzip);
        closed = unzClose(m_unzip) == UNZ_OK;
    }
    m_unzip = nullptr;
    m_pathWithoutExtension.clear();
    return closed;
}

bool CUnzipper::SkipToExtension(const wchar_t* extension, int step)
{
    m_reachedEnd = false;
    if (!m_unzip)
        return false;
    std::string wanted;
    const bool filter = extension && *extension;
    if (filter && !ToAnsiPath(extension, wanted))
        return false;
    int err = step == 0 ? unzGoToFirstFile(m_unzip) : unzGoToNextFile(m_unzip);
    while (err == UNZ_OK) {
        if (!filter)
            return true;
        UnzipFileInfo info;
        if (!GetFileInfo(info))
            return false;
        if (_stricmp(EntryExtension(info.name), wanted.c_str()) == 0)
            return true;
        err = unzGoToNextFile(m_unzip);
    }
    m_reachedEnd = err == UNZ_END_OF_LIST_OF_FILE;
    return false;
}

bool CUnzipper::GotoFirstFile(const wchar_t* extension)
{
    return SkipToExtension(extension, 0);
}

bool CUnzipper::GotoNextFile(const wchar_t* extension)
{
    return SkipToExtension(extension, 1);
}

bool CUnzipper::GetFileInfo(UnzipFileInfo& info)
{
    if (!m_unzip)
        return false;
    unz_file_info raw;
    char name[sizeof info.name];
    char comment[sizeof info.comment];
    if (unzGetCurrentFileInfo(m_unzip, &raw, name, sizeof name, nullptr, 0, comment, sizeof comment - 1) != UNZ_OK)
        return false;
    // A name that does not fit would be cut and then match the wrong entry.
    if (raw.size_filename >= sizeof name)
        return false;
    comment[raw.size_file_comment < sizeof comment - 1 ? raw.size_file_comment : sizeof comment - 1] = '\0';

    std::memcpy(info.name, name, sizeof name);
    for (char* p = info.name; *p; ++p)
        if (*p == '/')
            *p = '\\';
    std::memcpy(info.comment, comment, sizeof comment);
    info.versionMadeBy = raw.version;
    info.versionNeeded = raw.version_needed;
    info.flags = raw.flag;
    info.compressionMethod = raw.compression_method;
    info.dosDate = raw.dosDate;
    info.crc = raw.crc;
    info.compressedSize = raw.compressed_size;
    info.uncompressedSize = raw.uncompressed_size;
    info.internalAttributes = raw.internal_fa;
    info.externalAttributes = raw.external_fa;
    info.isFolder = (raw.external_fa & 0x10) != 0;
    return true;
}

bool CUnzipper::GotoFile(const char* name, bool matchFileNamePart)
{
    if (!m_unzip || !name || !*name)
        return false;
    const int caseInsensitive = 2;
    if (unzLocateFile(m_unzip, name, caseInsensitive) == UNZ_OK)
        return true;
    if (!matchFileNamePart)
        return false;
    for (int err = unzGoToFirstFile(m_unzip); err == UNZ_OK; err = unzGoToNextFile(m_unzip)) {
        UnzipFileInfo info;
        if (GetFileInfo(info) && _stricmp(EntryFileNamePart(info.name), name) == 0)
            return true;
    }
    return false;
}

bool CUnzipper::ReadCurrentFile(unsigned char*& data, uint32_t& size)
{
    if (!m_unzip || unzOpenCurrentFile(m_unzip) != UNZ_OK)
        return false;
    UnzipFileInfo info;
    if (!GetFileInfo(info) || !PlausibleSize(info))
        return false;
    size = info.uncompressedSize;
    if (size == 0)
        return true;

    unsigned char* block = static_cast<unsigned char*>(std::malloc(size));
    if (!block)
        return false;
    uint32_t done = 0;
    while (done < size) {
        const int got = unzReadCurrentFile(m_unzip, block + done, size - done);
        if (got <= 0)
            break;
        done += static_cast<uint32_t>(got);
    }
    // Closing the entry after its last byte checks the checksum of what was read.
    if (done != size || unzCloseCurrentFile(m_unzip) != UNZ_OK) {
        std::free(block);
        return false;
    }
    data = block;
    return true;
}

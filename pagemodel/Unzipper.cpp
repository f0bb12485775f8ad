#include "pagemodel/Unzipper.h"

#include "pagemodel/ZipNames.h"
#include "pagemodel/ZipReadCache.h"

#include <windows.h>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// Deflate cannot expand its input by more than about 1032 to 1; a declared size far
// beyond that is a lie of the header, not data.
constexpr uint64_t kMaxDeflateRatio = 1032;
constexpr uint64_t kDeflateSlack = 4096;

// The zip library refuses to look up a name this long, and cuts stored names to it.
constexpr size_t kLongestLookupName = 255;

std::string FoldAsciiCase(const char* name)
{
    std::string folded(name);
    for (char& c : folded)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return folded;
}

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
    if (m_inflaterReady)
        inflateEnd(&m_inflater);
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
    // Paths the zip library could not name are refused above, as ever; the file itself opens by
    // its wide path, read through a block cache.
    zlib_filefunc64_def functions = CachedReadFileFunctions();
    m_unzip = unzOpen2_64(path, &functions);
    if (!m_unzip)
        return false;
    BuildIndex();
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
    m_bytesInflated = 0;
    m_pathWithoutExtension.clear();
    m_entries.clear();
    m_byName.clear();
    m_byFileNamePart.clear();
    return closed;
}

void CUnzipper::BuildIndex()
{
    for (int err = unzGoToFirstFile(m_unzip); err == UNZ_OK; err = unzGoToNextFile(m_unzip))
    {
        unz_file_info raw;
        char name[sizeof UnzipFileInfo::name];
        IndexedEntry entry;
        if (unzGetCurrentFileInfo(m_unzip, &raw, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK ||
            unzGetFilePos64(m_unzip, &entry.position) != UNZ_OK)
            break;
        // A name that does not fit is never found, by a whole name or by its part.
        if (raw.size_filename >= sizeof name)
            continue;
        entry.name = name;
        const size_t index = m_entries.size();
        if (entry.name.size() <= kLongestLookupName)
            m_byName.emplace(FoldAsciiCase(name), index);
        m_byFileNamePart.emplace(FoldAsciiCase(EntryFileNamePart(name)), index);
        m_entries.push_back(std::move(entry));
    }
    unzGoToFirstFile(m_unzip);
}

const char* CUnzipper::GetEntryName(size_t index) const
{
    return index < m_entries.size() ? m_entries[index].name.c_str() : nullptr;
}

bool CUnzipper::GotoIndexed(const std::unordered_map<std::string, size_t>& index, const char* name)
{
    const auto found = index.find(FoldAsciiCase(name));
    return found != index.end() && unzGoToFilePos64(m_unzip, &m_entries[found->second].position) == UNZ_OK;
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
    if (std::strlen(name) <= kLongestLookupName && GotoIndexed(m_byName, name))
        return true;
    return matchFileNamePart && GotoIndexed(m_byFileNamePart, name);
}

bool CUnzipper::OpenCurrentFile(uint32_t& size)
{
    if (!m_unzip || unzOpenCurrentFile(m_unzip) != UNZ_OK)
        return false;
    UnzipFileInfo info;
    if (!GetFileInfo(info) || !PlausibleSize(info))
    {
        unzCloseCurrentFile(m_unzip);
        return false;
    }
    size = info.uncompressedSize;
    return true;
}

bool CUnzipper::ReadCurrentFilePart(void* data, uint32_t n)
{
    if (!m_unzip)
        return false;
    uint8_t* bytes = static_cast<uint8_t*>(data);
    uint32_t done = 0;
    while (done < n)
    {
        const int got = unzReadCurrentFile(m_unzip, bytes + done, n - done);
        if (got <= 0)
            return false;
        done += static_cast<uint32_t>(got);
        m_bytesInflated += static_cast<uint32_t>(got);
    }
    return true;
}

bool CUnzipper::CloseCurrentFile()
{
    // Closing the entry after its last byte checks the checksum of what was read.
    return m_unzip && unzCloseCurrentFile(m_unzip) == UNZ_OK;
}

bool CUnzipper::ReadCurrentFile(unsigned char*& data, uint32_t& size)
{
    uint32_t entrySize = 0;
    if (!OpenCurrentFile(entrySize))
        return false;
    size = entrySize;
    if (size == 0)
        return true;

    unsigned char* block = static_cast<unsigned char*>(std::malloc(size));
    if (!block)
        return false;
    if (!ReadCurrentFilePart(block, size) || !CloseCurrentFile())
    {
        std::free(block);
        return false;
    }
    data = block;
    return true;
}

bool CUnzipper::ReadCurrentFileInto(std::vector<uint8_t>& data)
{
    // Opened raw: the library hands out the stored bytes and leaves inflating and the
    // checksum to us.
    int method = 0, level = 0;
    if (!m_unzip || unzOpenCurrentFile2(m_unzip, &method, &level, 1) != UNZ_OK)
        return false;
    UnzipFileInfo info;
    bool ok = GetFileInfo(info) && PlausibleSize(info) && (method == 0 || method == Z_DEFLATED);
    if (ok)
    {
        try
        {
            m_compressed.resize(info.compressedSize);
        }
        catch (const std::bad_alloc&)
        {
            ok = false;
        }
    }
    for (uint32_t done = 0; ok && done < info.compressedSize;)
    {
        const int got = unzReadCurrentFile(m_unzip, m_compressed.data() + done, info.compressedSize - done);
        ok = got > 0;
        done += ok ? static_cast<uint32_t>(got) : 0;
    }
    unzCloseCurrentFile(m_unzip);
    return ok && InflateInto(info, data);
}

bool CUnzipper::InflateInto(const UnzipFileInfo& info, std::vector<uint8_t>& data)
{
    try
    {
        data.resize(info.uncompressedSize);
    }
    catch (const std::bad_alloc&)
    {
        return false;
    }
    if (info.compressionMethod == 0)
    {
        if (info.uncompressedSize != 0)
            std::memcpy(data.data(), m_compressed.data(), info.uncompressedSize);
    }
    else
    {
        if (!m_inflaterReady)
        {
            if (inflateInit2(&m_inflater, -MAX_WBITS) != Z_OK)
                return false;
            m_inflaterReady = true;
        }
        else if (inflateReset(&m_inflater) != Z_OK)
            return false;
        // zlib wants somewhere to write even when nothing is to be written.
        uint8_t nothing = 0;
        m_inflater.next_in = m_compressed.data();
        m_inflater.avail_in = info.compressedSize;
        m_inflater.next_out = info.uncompressedSize != 0 ? data.data() : &nothing;
        m_inflater.avail_out = info.uncompressedSize;
        if (inflate(&m_inflater, Z_FINISH) != Z_STREAM_END || m_inflater.avail_out != 0)
            return false;
    }
    m_bytesInflated += info.uncompressedSize;
    const uInt size = info.uncompressedSize;
    return crc32(0, info.uncompressedSize != 0 ? data.data() : nullptr, size) == info.crc;
}

UnzipEntryStream::UnzipEntryStream(CUnzipper& unzipper) : m_unzipper(unzipper)
{
    m_open = m_unzipper.OpenCurrentFile(m_size);
    m_count = m_open ? m_size : 0;
}

UnzipEntryStream::~UnzipEntryStream()
{
    Close();
}

bool UnzipEntryStream::Write(const void*, uint32_t)
{
    return false;
}

bool UnzipEntryStream::Read(void* data, uint32_t n)
{
    if (!m_open || n > m_count)
        return false;
    if (n == 0)
        return true;
    if (!m_unzipper.ReadCurrentFilePart(data, n))
    {
        // The entry holds less than it declared: nothing more can be read.
        m_count = 0;
        return false;
    }
    m_count -= n;
    return true;
}

bool UnzipEntryStream::Close()
{
    if (!m_open)
        return true;
    m_open = false;
    const bool wholeEntryRead = m_count == 0;
    return m_unzipper.CloseCurrentFile() || !wholeEntryRead;
}

#include "pagemodel/Unzipper.h"

#include "pagemodel/ZipNames.h"
#include "pagemodel/ZipReadCache.h"

#include <windows.h>
#include <algorithm>
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

char FoldAscii(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

constexpr uint32_t kHashStart = 2166136261u;

uint32_t HashStep(uint32_t hash, char c)
{
    return (hash ^ uint8_t(FoldAscii(c))) * 16777619u;
}

uint32_t FoldedHash(const char* name, size_t length)
{
    uint32_t hash = kHashStart;
    for (size_t i = 0; i < length; ++i)
        hash = HashStep(hash, name[i]);
    return hash;
}

bool FoldedEqual(const char* a, const char* b, size_t length)
{
    for (size_t i = 0; i < length; ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    return true;
}

// A directory record: its signature and fixed part, then name, extra field and comment.
constexpr uint32_t kDirectorySignature = 0x02014b50;
constexpr size_t kDirectoryRecordSize = 46;

uint16_t Little16(const uint8_t* p)
{
    return uint16_t(p[0] | p[1] << 8);
}

uint32_t Little32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
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
    zlib_filefunc64_def functions = CachedReadFileFunctions(&m_file);
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
    m_file = nullptr;
    std::vector<IndexedEntry>().swap(m_entries);
    std::vector<char>().swap(m_names);
    m_byName.Clear();
    m_byFileNamePart.Clear();
    m_partsAreNames = false;
    return closed;
}

void CUnzipper::NameTable::Reset(size_t entryCount)
{
    size_t size = 16;
    while (size < entryCount * 2)
        size *= 2;
    m_slots.assign(size, 0);
}

const char* CUnzipper::NameTable::KeyOf(const CUnzipper& owner, uint32_t index, size_t& length) const
{
    const char* name = owner.NameOf(index);
    const char* key = m_fileNameParts ? EntryFileNamePart(name) : name;
    length = owner.m_entries[index].nameLength - size_t(key - name);
    return key;
}

void CUnzipper::NameTable::Add(const char* name, size_t length, uint32_t hash, uint32_t index,
                               const CUnzipper& owner)
{
    const size_t mask = m_slots.size() - 1;
    for (size_t slot = hash & mask;; slot = (slot + 1) & mask)
    {
        if (m_slots[slot] == 0)
        {
            m_slots[slot] = index + 1;
            return;
        }
        size_t otherLength = 0;
        const char* other = KeyOf(owner, m_slots[slot] - 1, otherLength);
        if (otherLength == length && FoldedEqual(other, name, length))
            return;
    }
}

bool CUnzipper::NameTable::Find(const char* name, size_t length, const CUnzipper& owner, uint32_t& index) const
{
    if (m_slots.empty())
        return false;
    const size_t mask = m_slots.size() - 1;
    for (size_t slot = FoldedHash(name, length) & mask; m_slots[slot] != 0; slot = (slot + 1) & mask)
    {
        size_t candidateLength = 0;
        const char* candidate = KeyOf(owner, m_slots[slot] - 1, candidateLength);
        if (candidateLength == length && FoldedEqual(candidate, name, length))
        {
            index = m_slots[slot] - 1;
            return true;
        }
    }
    return false;
}

void CUnzipper::AddEntry(const char* name, size_t length, const unz64_file_pos& position)
{
    // The name as the library hands it out: up to its first NUL. One that does not fit the
    // library's buffer is never found, by a whole name or by its part.
    if (length >= sizeof UnzipFileInfo::name)
        return;
    IndexedEntry entry;
    entry.nameOffset = uint32_t(m_names.size());
    entry.position = position;
    // One pass over the name: stored, hashed, and looked at for folders.
    uint32_t hash = kHashStart;
    size_t stored = 0;
    for (; stored < length && name[stored] != '\0'; ++stored)
    {
        const char c = name[stored];
        hash = HashStep(hash, c);
        if (c == '/' || c == '\\')
            m_partsAreNames = false;
        m_names.push_back(c);
    }
    m_names.push_back('\0');
    entry.nameLength = uint32_t(stored);
    entry.nameHash = hash;
    if (stored > kLongestLookupName)
        m_partsAreNames = false;
    m_entries.push_back(entry);
}

bool CUnzipper::IndexDirectoryAtOnce()
{
    unz_global_info64 global;
    unz64_file_pos first;
    if (!m_file || unzGetGlobalInfo64(m_unzip, &global) != UNZ_OK || global.number_entry == 0 ||
        global.number_entry >= 0xFFFF || unzGoToFirstFile(m_unzip) != UNZ_OK || unzGetFilePos64(m_unzip, &first) != UNZ_OK)
        return false;
    const uint64_t fileSize = CachedFileSize(*m_file);
    if (first.pos_in_zip_directory >= fileSize)
        return false;
    // The directory is read through the archive's block cache, whose last block then still holds
    // the entries that are looked up first (the page list, written last).
    auto bytesAt = [&](uint64_t at, size_t count) -> const uint8_t* {
        return count > UINT32_MAX ? nullptr : CachedFileBytes(*m_file, at, uint32_t(count));
    };
    // The first record must be the one the library found there, or the directory lies elsewhere
    // (bytes before the archive) and only the library knows where.
    char firstName[sizeof UnzipFileInfo::name];
    unz_file_info raw;
    if (unzGetCurrentFileInfo(m_unzip, &raw, firstName, sizeof firstName, nullptr, 0, nullptr, 0) != UNZ_OK)
        return false;
    const uint8_t* record = bytesAt(first.pos_in_zip_directory, kDirectoryRecordSize);
    if (!record || Little32(record) != kDirectorySignature || Little16(record + 28) != raw.size_filename ||
        Little32(record + 16) != raw.crc)
        return false;

    m_entries.reserve(size_t(global.number_entry));
    m_names.reserve(size_t(global.number_entry) * 16);
    unz64_file_pos position = first;
    for (ZPOS64_T n = 0; n < global.number_entry; ++n)
    {
        // A record cut short or without its signature ends the walk, as in the library.
        record = bytesAt(position.pos_in_zip_directory, kDirectoryRecordSize);
        if (!record || Little32(record) != kDirectorySignature)
            break;
        const size_t nameLength = Little16(record + 28), extraLength = Little16(record + 30),
                     commentLength = Little16(record + 32);
        const size_t recordSize = kDirectoryRecordSize + nameLength + extraLength + commentLength;
        record = bytesAt(position.pos_in_zip_directory, kDirectoryRecordSize + nameLength);
        if (extraLength != 0 || !record)
        {
            std::vector<IndexedEntry>().swap(m_entries);
            std::vector<char>().swap(m_names);
            return false;
        }
        position.num_of_file = n;
        AddEntry(reinterpret_cast<const char*>(record) + kDirectoryRecordSize, nameLength, position);
        if (position.pos_in_zip_directory + recordSize > fileSize)
            break;
        position.pos_in_zip_directory += recordSize;
    }
    // The library's current entry is still the first: only the cache was read here.
    return true;
}

void CUnzipper::IndexEntriesOneByOne()
{
    for (int err = unzGoToFirstFile(m_unzip); err == UNZ_OK; err = unzGoToNextFile(m_unzip))
    {
        unz_file_info raw;
        char name[sizeof UnzipFileInfo::name];
        unz64_file_pos position;
        if (unzGetCurrentFileInfo(m_unzip, &raw, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK ||
            unzGetFilePos64(m_unzip, &position) != UNZ_OK)
            break;
        AddEntry(name, raw.size_filename, position);
    }
    unzGoToFirstFile(m_unzip);
}

void CUnzipper::IndexNames()
{
    // A work file's names have no folders: each is its own file-name part, and one table serves
    // both kinds of lookup (AddEntry found whether that holds).
    m_byName.Reset(m_entries.size());
    if (!m_partsAreNames)
        m_byFileNamePart.Reset(m_entries.size());
    for (uint32_t i = 0; i < m_entries.size(); ++i)
    {
        const IndexedEntry& entry = m_entries[i];
        const char* name = NameOf(i);
        if (entry.nameLength <= kLongestLookupName)
            m_byName.Add(name, entry.nameLength, entry.nameHash, i, *this);
        if (m_partsAreNames)
            continue;
        const char* part = EntryFileNamePart(name);
        const size_t partLength = size_t(name + entry.nameLength - part);
        m_byFileNamePart.Add(part, partLength, FoldedHash(part, partLength), i, *this);
    }
}

void CUnzipper::BuildIndex()
{
    m_partsAreNames = true;
    if (!IndexDirectoryAtOnce())
        IndexEntriesOneByOne();
    IndexNames();
}

const char* CUnzipper::GetEntryName(size_t index) const
{
    return index < m_entries.size() ? NameOf(uint32_t(index)) : nullptr;
}

bool CUnzipper::GotoIndexed(const NameTable& table, const char* name)
{
    uint32_t index = 0;
    return table.Find(name, std::strlen(name), *this, index) &&
           unzGoToFilePos64(m_unzip, &m_entries[index].position) == UNZ_OK;
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
    return matchFileNamePart && !m_partsAreNames && GotoIndexed(m_byFileNamePart, name);
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

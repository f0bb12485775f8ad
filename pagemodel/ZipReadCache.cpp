#include "pagemodel/ZipReadCache.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

namespace
{

const uint32_t kBlockSize = 64 * 1024;
// A block read for a position starts this much before it: the library reads an entry's local
// header just before the entry's data, and a work file's page list lies just before the directory.
const uint32_t kReadBehind = 1024;

} // namespace

struct CachedReadFile
{
    struct Block
    {
        std::vector<uint8_t> bytes;
        uint64_t start = 0;
        uint32_t length = 0;
        uint64_t lastUse = 0;

        bool Holds(uint64_t offset, uint64_t count) const
        {
            return length != 0 && offset >= start && offset + count <= start + length;
        }
    };

    HANDLE m_file = INVALID_HANDLE_VALUE;
    uint64_t m_size = 0;
    uint64_t m_position = 0;
    // A few blocks, so that reads at the end of the archive, in its directory and of entries' data
    // do not push each other out: the one used longest ago is read anew.
    Block m_blocks[3];
    uint64_t m_uses = 0;
    bool m_failed = false;

    // Reads at an offset without moving anything else; false on an error, got 0 at the end.
    bool ReadAt(uint64_t offset, void* data, uint32_t size, uint32_t& got)
    {
        OVERLAPPED at = {};
        at.Offset = DWORD(offset);
        at.OffsetHigh = DWORD(offset >> 32);
        DWORD read = 0;
        if (!ReadFile(m_file, data, size, &read, &at) && GetLastError() != ERROR_HANDLE_EOF)
        {
            m_failed = true;
            return false;
        }
        got = read;
        return true;
    }

    Block* Holding(uint64_t offset, uint64_t count)
    {
        for (Block& block : m_blocks)
            if (block.Holds(offset, count))
            {
                block.lastUse = ++m_uses;
                return &block;
            }
        return nullptr;
    }

    const Block& LastUsed() const
    {
        const Block* last = &m_blocks[0];
        for (const Block& block : m_blocks)
            if (block.lastUse > last->lastUse)
                last = &block;
        return *last;
    }

    // Reads the block that starts at start into the block used longest ago; null on an error or
    // when it does not reach past the offset.
    Block* Load(uint64_t start, uint64_t offset)
    {
        Block* oldest = &m_blocks[0];
        for (Block& candidate : m_blocks)
            if (candidate.lastUse < oldest->lastUse)
                oldest = &candidate;
        Block& block = *oldest;
        try
        {
            block.bytes.resize(kBlockSize);
        }
        catch (const std::bad_alloc&)
        {
            m_failed = true;
            return nullptr;
        }
        uint32_t got = 0;
        block.length = 0;
        if (!ReadAt(start, block.bytes.data(), kBlockSize, got) || start + got <= offset)
            return nullptr;
        block.start = start;
        block.length = got;
        block.lastUse = ++m_uses;
        return &block;
    }
};

namespace
{

using CachedFile = CachedReadFile;

voidpf ZCALLBACK OpenFile(voidpf opened, const void* path, int mode)
{
    if (!path || (mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) != ZLIB_FILEFUNC_MODE_READ)
        return nullptr;
    HANDLE file = CreateFileW(static_cast<const wchar_t*>(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    LARGE_INTEGER size;
    CachedFile* cached = new (std::nothrow) CachedFile;
    if (!cached || !GetFileSizeEx(file, &size))
    {
        delete cached;
        CloseHandle(file);
        return nullptr;
    }
    cached->m_file = file;
    cached->m_size = uint64_t(size.QuadPart);
    if (opened)
        *static_cast<CachedFile**>(opened) = cached;
    return cached;
}

uLong ZCALLBACK ReadFileFunction(voidpf, voidpf stream, void* buffer, uLong size)
{
    CachedFile& file = *static_cast<CachedFile*>(stream);
    uint8_t* out = static_cast<uint8_t*>(buffer);
    uLong done = 0;
    while (done < size && file.m_position < file.m_size)
    {
        const uLong wanted = size - done;
        if (const CachedFile::Block* block = file.Holding(file.m_position, 1))
        {
            const uint32_t offset = uint32_t(file.m_position - block->start);
            const uLong n = std::min<uLong>(wanted, block->length - offset);
            std::memcpy(out + done, block->bytes.data() + offset, n);
            file.m_position += n;
            done += n;
            continue;
        }
        if (wanted >= kBlockSize)
        {
            // Large reads (compressed entry data) go straight to the caller.
            uint32_t got = 0;
            if (!file.ReadAt(file.m_position, out + done, uint32_t(std::min<uLong>(wanted, 1u << 30)), got) || got == 0)
                break;
            file.m_position += got;
            done += got;
            continue;
        }
        // The library looks for the end of the directory by reading backwards from the end of the
        // file a kilobyte at a time: a read that ends where the last block begins gets the block
        // that ends with it, so that the reads before it are served too.
        const CachedFile::Block& last = file.LastUsed();
        const uint64_t end = file.m_position + wanted;
        const bool backwards = last.length != 0 && file.m_position < last.start && end >= last.start;
        uint64_t start = file.m_position > kReadBehind ? file.m_position - kReadBehind : 0;
        if (backwards)
            start = end > kBlockSize ? end - kBlockSize : 0;
        if (!file.Load(start, file.m_position))
            break;
    }
    return done;
}

uLong ZCALLBACK WriteFileFunction(voidpf, voidpf, const void*, uLong)
{
    return 0;
}

ZPOS64_T ZCALLBACK TellFile(voidpf, voidpf stream)
{
    return static_cast<CachedFile*>(stream)->m_position;
}

long ZCALLBACK SeekFile(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
    CachedFile& file = *static_cast<CachedFile*>(stream);
    switch (origin)
    {
    case ZLIB_FILEFUNC_SEEK_SET:
        file.m_position = offset;
        return 0;
    case ZLIB_FILEFUNC_SEEK_CUR:
        file.m_position += offset;
        return 0;
    case ZLIB_FILEFUNC_SEEK_END:
        file.m_position = file.m_size + offset;
        return 0;
    default:
        return -1;
    }
}

int ZCALLBACK CloseFile(voidpf opened, voidpf stream)
{
    CachedFile* file = static_cast<CachedFile*>(stream);
    if (opened && *static_cast<CachedFile**>(opened) == file)
        *static_cast<CachedFile**>(opened) = nullptr;
    const bool closed = CloseHandle(file->m_file) != 0;
    delete file;
    return closed ? 0 : EOF;
}

int ZCALLBACK TestError(voidpf, voidpf stream)
{
    return static_cast<CachedFile*>(stream)->m_failed ? 1 : 0;
}

} // namespace

uint64_t CachedFileSize(const CachedReadFile& file)
{
    return file.m_size;
}

const uint8_t* CachedFileBytes(CachedReadFile& file, uint64_t offset, uint32_t count)
{
    if (const CachedReadFile::Block* block = file.Holding(offset, count))
        return block->bytes.data() + (offset - block->start);
    if (count > kBlockSize || offset + count > file.m_size)
        return nullptr;
    const CachedReadFile::Block* block = file.Load(offset, offset);
    return block && block->length >= count ? block->bytes.data() : nullptr;
}

zlib_filefunc64_def CachedReadFileFunctions(CachedReadFile** opened)
{
    zlib_filefunc64_def functions = {};
    functions.zopen64_file = OpenFile;
    functions.zread_file = ReadFileFunction;
    functions.zwrite_file = WriteFileFunction;
    functions.ztell64_file = TellFile;
    functions.zseek64_file = SeekFile;
    functions.zclose_file = CloseFile;
    functions.zerror_file = TestError;
    functions.opaque = opened;
    return functions;
}

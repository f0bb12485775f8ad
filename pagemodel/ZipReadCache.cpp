#include "pagemodel/ZipReadCache.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

struct CachedReadFile
{
    HANDLE m_file = INVALID_HANDLE_VALUE;
    uint64_t m_size = 0;
    uint64_t m_position = 0;
    std::vector<uint8_t> m_block;
    uint64_t m_blockStart = 0;
    uint32_t m_blockLength = 0;
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
};

namespace
{

const uint32_t kBlockSize = 64 * 1024;

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
        if (file.m_position >= file.m_blockStart && file.m_position < file.m_blockStart + file.m_blockLength)
        {
            const uint32_t offset = uint32_t(file.m_position - file.m_blockStart);
            const uLong n = std::min<uLong>(wanted, file.m_blockLength - offset);
            std::memcpy(out + done, file.m_block.data() + offset, n);
            file.m_position += n;
            done += n;
            continue;
        }
        uint32_t got = 0;
        if (wanted >= kBlockSize)
        {
            // Large reads (compressed entry data) go straight to the caller.
            if (!file.ReadAt(file.m_position, out + done, uint32_t(std::min<uLong>(wanted, 1u << 30)), got) || got == 0)
                break;
            file.m_position += got;
            done += got;
            continue;
        }
        try
        {
            file.m_block.resize(kBlockSize);
        }
        catch (const std::bad_alloc&)
        {
            file.m_failed = true;
            break;
        }
        file.m_blockLength = 0;
        if (!file.ReadAt(file.m_position, file.m_block.data(), kBlockSize, got) || got == 0)
            break;
        file.m_blockStart = file.m_position;
        file.m_blockLength = got;
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

bool ReadCachedFileAt(CachedReadFile& file, uint64_t offset, void* data, uint32_t size)
{
    uint32_t got = 0;
    return file.ReadAt(offset, data, size, got) && got == size;
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

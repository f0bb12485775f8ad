#pragma once
// File functions for the zip library that read an archive through a block cache. The library
// seeks before nearly every directory record and reads its fields a few bytes at a time; with
// the C library's stream every seek drops the stream's buffer, so that walking a directory of
// thousands of entries cost a system call per field. Here a seek only moves a position, and
// reads are served from the cached block that holds them.

#include <minizip/ioapi.h>

#include <cstdint>

struct CachedReadFile;

// The functions for unzOpen2_64, which then takes a wide path (const wchar_t*). The archive is
// opened for reading only, with the sharing the C library's "rb" gives. With opened, the file is
// also handed to its owner there while it is open (and null again once closed), so that the owner
// can read a large part of it at once.
zlib_filefunc64_def CachedReadFileFunctions(CachedReadFile** opened = nullptr);

uint64_t CachedFileSize(const CachedReadFile& file);
// The count bytes at the offset, in the cache's block (valid until the next read of the file);
// null beyond the end of the file, on a read error, or for more than a block holds.
const uint8_t* CachedFileBytes(CachedReadFile& file, uint64_t offset, uint32_t count);

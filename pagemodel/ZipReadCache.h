#pragma once
// File functions for the zip library that read an archive through a block cache. The library
// seeks before nearly every directory record and reads its fields a few bytes at a time; with
// the C library's stream every seek drops the stream's buffer, so that walking a directory of
// thousands of entries cost a system call per field. Here a seek only moves a position, and
// reads are served from the cached block that holds them.

#include <minizip/ioapi.h>

// The functions for unzOpen2_64, which then takes a wide path (const wchar_t*). The archive is
// opened for reading only, with the sharing the C library's "rb" gives.
zlib_filefunc64_def CachedReadFileFunctions();

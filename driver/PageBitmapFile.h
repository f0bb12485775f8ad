// The page image entry "Page%04d.bmp": a bitmap file of the page surface.
#pragma once

#include "driver/DriverDdi.h"

#include <cstdint>

#include "pagemodel/Unzipper.h"

#pragma pack(push, 1)
struct BitmapFileHeader
{
    uint16_t type;
    uint32_t fileSize;
    uint32_t reserved;
    uint32_t bitsOffset;
};
#pragma pack(pop)
static_assert(sizeof(BitmapFileHeader) == 14, "a bitmap file header is 14 bytes");
static_assert(sizeof(BITMAPINFOHEADER) == 40, "a bitmap information header is 40 bytes");

// The layout of a page image of the surface at the resolution.
struct PageBitmapLayout
{
    BitmapFileHeader file{};
    BITMAPINFOHEADER info{};
    bool monochrome = false;
    uint32_t rowBytes = 0;      // a bitmap file's row: rounded up to 4 bytes
    bool rowsAsTheyLie = false;  // the surface's rows already are the file's rows
    uint64_t entrySize = 0;      // headers and bits, counted without wrapping

    // A page image the program cannot read back is not written: the reader refuses entries
    // above its limit, and one such entry would make every later save of the work file fail.
    bool FitsInWorkFile() const { return entrySize <= CUnzipper::kMaxEntrySize; }
};

PageBitmapLayout MakePageBitmapLayout(const SURFOBJ& surface, DWORD resolution);

// The monochrome palette: black, then white.
extern const RGBQUAD kMonochromePalette[2];

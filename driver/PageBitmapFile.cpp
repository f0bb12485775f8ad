#include "driver/PageBitmapFile.h"

const RGBQUAD kMonochromePalette[2] = {{0x00, 0x00, 0x00, 0x00}, {0xFF, 0xFF, 0xFF, 0x00}};

PageBitmapLayout MakePageBitmapLayout(const SURFOBJ& surface, DWORD resolution)
{
    PageBitmapLayout layout;
    layout.monochrome = surface.iBitmapFormat == BMF_1BPP;
    const uint32_t width = static_cast<uint32_t>(surface.sizlBitmap.cx);
    const uint32_t height = static_cast<uint32_t>(surface.sizlBitmap.cy);
    const uint32_t bitsPerPixel = layout.monochrome ? 1 : 24;
    const uint64_t rowBytes = (uint64_t{width} * bitsPerPixel + 31) / 32 * 4;
    layout.rowBytes = static_cast<uint32_t>(rowBytes);
    // The engine's bits go out as they lie when its rows are bottom-up and as wide as a file's;
    // otherwise they are written row by row into the file's layout.
    const uint32_t engineRow = static_cast<uint32_t>(surface.lDelta < 0 ? -surface.lDelta : surface.lDelta);
    layout.rowsAsTheyLie = surface.lDelta < 0 && engineRow == rowBytes && surface.cjBits == rowBytes * height
                           && surface.pvBits;
    const uint64_t bits = layout.rowsAsTheyLie ? surface.cjBits : rowBytes * height;
    const uint32_t headers = sizeof(BitmapFileHeader) + sizeof(BITMAPINFOHEADER)
                             + (layout.monochrome ? sizeof kMonochromePalette : 0);
    layout.entrySize = bits + headers;
    // Only an image that fits is written, so the 32-bit fields below hold its true figures.
    const uint32_t bitsSize = static_cast<uint32_t>(bits);

    layout.file.type = 0x4D42;  // "BM"
    layout.file.fileSize = bitsSize + headers;
    layout.file.bitsOffset = headers;
    BITMAPINFOHEADER& info = layout.info;
    info.biSize = sizeof(BITMAPINFOHEADER);
    info.biWidth = static_cast<LONG>(width);
    info.biHeight = static_cast<LONG>(height);
    info.biPlanes = 1;
    info.biBitCount = static_cast<WORD>(bitsPerPixel);
    info.biCompression = BI_RGB;
    info.biSizeImage = bitsSize;
    info.biXPelsPerMeter = info.biYPelsPerMeter = static_cast<LONG>(resolution * 10000 / 254);
    info.biClrUsed = info.biClrImportant = layout.monochrome ? 2 : 0;
    return layout;
}

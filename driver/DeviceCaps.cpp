#include "driver/DeviceCaps.h"

#include <cmath>
#include <cstring>

bool ReadDeviceMode(const DEVMODEW* devmode, DeviceFigures& figures)
{
    constexpr size_t kPublicFieldsRead = offsetof(DEVMODEW, dmColor) + sizeof(devmode->dmColor);
    if (!devmode || devmode->dmSize < kPublicFieldsRead || devmode->dmDriverExtra != sizeof(PrivateDevMode))
        return false;

    PrivateDevMode privatePart;
    std::memcpy(&privatePart, reinterpret_cast<const BYTE*>(devmode) + devmode->dmSize, sizeof privatePart);
    if (privatePart.magic1 != PrivateDevMode::kMagic1 || privatePart.magic2 != PrivateDevMode::kMagic2)
        return false;

    LONG width = static_cast<SHORT>(devmode->dmPaperWidth);
    LONG length = static_cast<SHORT>(devmode->dmPaperLength);
    LONG scale = static_cast<SHORT>(devmode->dmScale);
    DWORD dpi = privatePart.resolution;
    if (width <= 0 || length <= 0 || scale <= 0 || dpi == 0 || dpi > kMaxResolution)
        return false;

    if (devmode->dmOrientation == DMORIENT_LANDSCAPE)
        std::swap(width, length);
    figures.paperWidth = width;
    figures.paperLength = length;
    figures.scale = scale;
    figures.resolution = dpi;
    figures.colour = devmode->dmColor == DMCOLOR_COLOR;
    return true;
}

namespace {

CIECHROMA Chroma(LDECI4 x, LDECI4 y, LDECI4 luminance = 0)
{
    CIECHROMA chroma;
    chroma.x = x;
    chroma.y = y;
    chroma.Y = luminance;
    return chroma;
}

COLORINFO DeviceColours()
{
    COLORINFO info{};
    info.Red = Chroma(6810, 3050);
    info.Green = Chroma(2260, 6550);
    info.Blue = Chroma(1810, 500);
    info.Cyan = Chroma(2000, 2450);
    info.Magenta = Chroma(5210, 2100);
    info.Yellow = Chroma(4750, 5100);
    info.AlignmentWhite = Chroma(3324, 3474, 10000);
    info.RedGamma = info.GreenGamma = info.BlueGamma = 10000;
    info.MagentaInCyanDye = 1422;
    info.YellowInCyanDye = 952;
    info.CyanInMagentaDye = 787;
    info.YellowInMagentaDye = 495;
    info.CyanInYellowDye = 324;
    info.MagentaInYellowDye = 248;
    return info;
}

} // namespace

GDIINFO MakeGdiInfo(const DeviceFigures& figures)
{
    const LONG dpi = static_cast<LONG>(figures.resolution);
    const LONG scale = figures.scale;
    GDIINFO info{};
    info.ulVersion = 0x500;
    info.ulTechnology = DT_RASPRINTER;
    info.ulHorzSize = static_cast<ULONG>(figures.paperWidth * 10 / scale);
    info.ulVertSize = static_cast<ULONG>(figures.paperLength * 10 / scale);
    info.ulHorzRes = static_cast<ULONG>(figures.paperWidth * dpi / 254);
    info.ulVertRes = static_cast<ULONG>(figures.paperLength * dpi / 254);
    info.szlPhysSize.cx = static_cast<LONG>(info.ulHorzRes);
    info.szlPhysSize.cy = static_cast<LONG>(info.ulVertRes);
    info.ulLogPixelsX = info.ulLogPixelsY = static_cast<ULONG>(static_cast<LONGLONG>(scale) * dpi / 100);
    info.ulAspectX = info.ulAspectY = static_cast<ULONG>(dpi);
    // The rounded-up length of the diagonal: the smallest r with r * r >= 2 * dpi * dpi.
    const ULONGLONG twiceSquare = 2ULL * static_cast<ULONGLONG>(dpi) * static_cast<ULONGLONG>(dpi);
    ULONGLONG diagonal = static_cast<ULONGLONG>(std::sqrt(static_cast<double>(twiceSquare)));
    while (diagonal * diagonal < twiceSquare)
        ++diagonal;
    while (diagonal > 0 && (diagonal - 1) * (diagonal - 1) >= twiceSquare)
        --diagonal;
    info.ulAspectXY = static_cast<ULONG>(diagonal);
    info.xStyleStep = 1;
    info.yStyleStep = 1;
    info.denStyleStep = dpi / 25;
    if (figures.colour)
    {
        info.cBitsPixel = 24;
        // The half-tone output must match the 24-bit page surface.
        info.ulHTOutputFormat = HT_FORMAT_24BPP;
    }
    else
    {
        info.cBitsPixel = 1;
        info.ulHTOutputFormat = HT_FORMAT_1BPP;
    }
    info.cPlanes = 1;
    info.ulNumColors = 16;
    info.ulPrimaryOrder = 4;
    info.ulHTPatternSize = 17;
    info.ciDevice = DeviceColours();
    return info;
}

DEVINFO MakeDevInfo(bool colour)
{
    DEVINFO info{};
    info.flGraphicsCaps = GCAPS_ALTERNATEFILL | GCAPS_HALFTONE | GCAPS_HORIZSTRIKE | GCAPS_VERTSTRIKE
                          | GCAPS_OPAQUERECT | GCAPS_VECTORFONT;
    info.iDitherFormat = colour ? BMF_24BPP : BMF_1BPP;
    return info;
}

void CopyWithinSize(void* target, ULONG targetSize, const void* source, size_t sourceSize)
{
    std::memcpy(target, source, targetSize < sourceSize ? targetSize : sourceSize);
}

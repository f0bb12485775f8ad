// The device mode the driver accepts and the capabilities it reports to GDI.
#pragma once

#include "driver/DriverDdi.h"

#include <cstddef>

// The driver-private bytes behind the public part of the wide device mode.
struct PrivateDevMode
{
    static constexpr DWORD kMagic1 = 0x43444331;
    static constexpr DWORD kMagic2 = 0xCDC00001;

    DWORD magic1;
    DWORD magic2;
    DWORD resolution;   // dots per inch
    BYTE reserved[28];  // written by the printer's user-interface module, not read
};
static_assert(sizeof(PrivateDevMode) == 40, "the private device-mode part is 40 bytes");
static_assert(sizeof(DEVMODEW) == 220, "the public wide device mode is 220 bytes");

// What the driver takes from an accepted device mode.
struct DeviceFigures
{
    LONG paperWidth = 0;   // tenths of a millimetre, already swapped for landscape
    LONG paperLength = 0;
    LONG scale = 0;        // percent
    DWORD resolution = 0;  // dots per inch
    bool colour = false;
};

// The highest resolution accepted: keeps every figure GDI is given within 32 bits.
constexpr DWORD kMaxResolution = 0xFFFF;

// Reads the device mode: its private part lies at the device mode's own size and must be exactly
// the 40 driver-extra bytes with both magic words; paper, scale and resolution must be positive.
bool ReadDeviceMode(const DEVMODEW* devmode, DeviceFigures& figures);

// The GDI information record of the figures (page size in pixels in ulHorzRes and ulVertRes).
GDIINFO MakeGdiInfo(const DeviceFigures& figures);

// The device information record, without its palette.
DEVINFO MakeDevInfo(bool colour);

// Copies a record into the caller's buffer, never beyond the size the caller gave.
void CopyWithinSize(void* target, ULONG targetSize, const void* source, size_t sourceSize);

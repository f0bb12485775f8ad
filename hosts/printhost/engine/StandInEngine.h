// The graphics engine's side of the printer driver interface, standing in for the one Windows runs
// in its spooler: surfaces (device-independent bitmaps that GDI can also draw on), palettes, the
// printer's level-2 information and the text objects of EngineTextObjects.h. Every call can be made
// to fail through a switch so that the driver's error paths can be reached.
#pragma once

#include "driver/DriverDdi.h"

namespace standin {

enum class EngineCall
{
    CreateBitmap,
    AssociateSurface,
    LockSurface,
    CreatePalette,
    GetPrinter,
    TextOut,
    EnumGlyphs,      // STROBJ_bEnum reports an error
    AdvanceWidths,   // STROBJ_bGetAdvanceWidths fails
    FontMetrics,     // FONTOBJ_pifi has none
    FontTransform,   // XFORMOBJ_iGetXform fails
    Count
};

// Back to a working engine: no switch set, printer attributes as the installer sets them.
void ResetEngine();
void SetFailure(EngineCall call, bool fail);
bool Fails(EngineCall call);

// The attributes EngGetPrinter reports (PRINTER_ATTRIBUTE_LOCAL | PRINTER_ATTRIBUTE_DIRECT by default).
void SetPrinterAttributes(DWORD attributes);

// GDI's side: which driver device a device handle stands for, so that associated surfaces carry it.
void RegisterDevice(HDEV hdev, DHPDEV dhpdev);

int LivePalettes();
int LiveSurfaces();
// The row width the driver asked for when it created its last bitmap.
LONG LastRequestedRowWidth();

// The device context that draws on a surface (GDI's own drawing of a page goes through it).
HDC SurfaceDC(HSURF surface);
SURFOBJ* SurfaceObject(HSURF surface);

} // namespace standin

// The driver's numbered errors, its one message per document, and switches that force an error.
#pragma once

#include "driver/DriverDdi.h"

struct DriverPDEV;

enum DriverError : int
{
    kErrorNoMemoryForPageSet = 2001,
    kErrorNoTempFolder = 2002,
    kErrorCreateArchive = 2003,
    kErrorLockSurface = 2004,
    kErrorWriteBitmapFileHeader = 2006,
    kErrorWriteBitmapInfoHeader = 2007,
    kErrorWriteMonochromePalette = 2008,
    kErrorWriteBitmapBits = 2009,
    kErrorCloseImageEntry = 2010,
    kErrorCloseArchive = 2012,
    kErrorSerialisePageSet = 2013,
    kErrorAddPageSet = 2014,
    kErrorAddPage = 2015,
    kErrorSerialisePage = 2016,
    kErrorNoProgramPath = 2017,
    kErrorRenameArchive = 2018,
    kErrorAddFont = 2019,
    kErrorEnumerateGlyphs = 2020,
    kErrorAddText = 2021,
    kErrorStartProgram = 2022,
    kErrorNoArchive = 2023,
    kErrorOpenImageEntry = 2024,
    kErrorNoMemoryForArchive = 2025,
    kErrorNoMemoryForGlyphMaps = 2026,
    kErrorDeleteOldWorkFile = 2027,
    // The printer is not set up as the installer sets it up (its attributes differ).
    kErrorPrinterRefused = 2028,
};

extern const wchar_t kDriverMessageCaption[];
extern const wchar_t kNoPagesPrintedMessage[];

// Where the driver's messages go; null restores the default, an error message box without owner.
using DriverMessageSink = void (*)(const wchar_t* text, const wchar_t* caption);
void SetDriverMessageSink(DriverMessageSink sink);

// Shows "Internal Kest printer driver error <number>" unless the document already failed, and sets
// the abort flag. Returns TRUE so that the failing call reports success to GDI.
BOOL ReportDriverError(DriverPDEV* pdev, int number);
// The same with a text of its own.
BOOL ReportDriverMessage(DriverPDEV* pdev, const wchar_t* text);

// Forces the failure that carries the given number wherever the driver can meet it.
void ForceDriverFault(int number);
void ClearDriverFaults();
bool DriverFaultForced(int number);

// The driver's private device record and its validation.
#pragma once

#include "driver/DriverDdi.h"

#include <memory>

class PrintJob;

struct DriverPDEV
{
    static constexpr DWORD kMagic1 = 0x5175696C;
    static constexpr DWORD kMagic2 = 0x6C6D6572;
    static constexpr DWORD kRecordSize = 84;
    static constexpr DWORD kFlagColour = 0x1;

    DriverPDEV();
    ~DriverPDEV();
    DriverPDEV(const DriverPDEV&) = delete;
    DriverPDEV& operator=(const DriverPDEV&) = delete;

    bool IsColour() const { return (m_flags & kFlagColour) != 0; }

    DWORD m_magic1 = kMagic1;
    DWORD m_recordSize = kRecordSize;
    HANDLE m_printer = nullptr;
    DWORD m_flags = 0;
    DWORD m_resolution = 0;
    HDEV m_hdev = nullptr;
    HSURF m_surface = nullptr;
    LONG m_pageWidth = 0;
    LONG m_pageHeight = 0;
    SURFOBJ* m_currentSurface = nullptr;
    HPALETTE m_palette = nullptr;
    // The document in progress: page set, current page, base path, archive writer and glyph maps.
    std::unique_ptr<PrintJob> m_job;
    // Set by the first error of a document; later calls of that document do no work.
    BYTE m_aborted = 0;
    // Set once the refused-printer message was shown, so that it is shown once per device.
    BYTE m_printerRefusalShown = 0;
    DWORD m_magic2 = kMagic2;
};

// The record when the magic words and size are present, else null (nothing set).
DriverPDEV* ValidatePDEV(DHPDEV dhpdev);

// The record of a surface: validated, remembers the surface; sets ERROR_INVALID_HANDLE when invalid.
DriverPDEV* PDEVFromSurface(SURFOBJ* surface);

// The record of a document, page or text call: null when the record is invalid, which these calls
// answer with ERROR_INVALID_PARAMETER.
DriverPDEV* DocumentPDEV(SURFOBJ* surface);

// The record of a call that has work to do; null, with the call's result in result, when the
// record is invalid (FALSE) or the document has failed (TRUE: the call does nothing).
DriverPDEV* WorkingPDEV(SURFOBJ* surface, BOOL& result);

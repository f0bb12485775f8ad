// Device and surface set-up: the device record, the capabilities GDI asks for and the page surface.
#include "driver/DeviceCaps.h"
#include "driver/DriverErrors.h"
#include "driver/DriverPDEV.h"
#include "driver/PrintJob.h"

#include <new>
#include <vector>

namespace {

// The printer must be set up exactly as the installer sets it up: a local printer printing directly.
constexpr DWORD kRequiredPrinterAttributes = PRINTER_ATTRIBUTE_LOCAL | PRINTER_ATTRIBUTE_DIRECT;
// A level-2 record larger than this is not a printer record.
constexpr DWORD kMaxPrinterInfoSize = 1024 * 1024;

bool PrinterIsInstalledAsExpected(HANDLE printer)
{
    DWORD needed = 0;
    EngGetPrinter(printer, 2, nullptr, 0, &needed);
    if (needed < sizeof(PRINTER_INFO_2W) || needed > kMaxPrinterInfoSize)
        return false;
    std::vector<BYTE> buffer(needed);
    if (!EngGetPrinter(printer, 2, buffer.data(), needed, &needed))
        return false;
    const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
    return info->Attributes == kRequiredPrinterAttributes;
}

} // namespace

DHPDEV APIENTRY DrvEnablePDEV(DEVMODEW* devmode, LPWSTR /*logicalAddress*/, ULONG patternCount,
                              HSURF* patterns, ULONG capsSize, ULONG* gdiInfo, ULONG devInfoSize,
                              DEVINFO* devInfo, HDEV /*hdev*/, LPWSTR /*deviceName*/, HANDLE driverHandle)
{
    DeviceFigures figures;
    if (!ReadDeviceMode(devmode, figures))
        return nullptr;

    auto* pdev = new (std::nothrow) DriverPDEV();
    if (!pdev)
        return nullptr;
    pdev->m_printer = driverHandle;
    pdev->m_resolution = figures.resolution;

    if (patternCount && patterns)
    {
        for (ULONG i = 0; i < patternCount; ++i)
            patterns[i] = nullptr;
    }

    const GDIINFO caps = MakeGdiInfo(figures);
    pdev->m_pageWidth = static_cast<LONG>(caps.ulHorzRes);
    pdev->m_pageHeight = static_cast<LONG>(caps.ulVertRes);
    if (figures.colour)
        pdev->m_flags |= DriverPDEV::kFlagColour;
    if (gdiInfo)
        CopyWithinSize(gdiInfo, capsSize, &caps, sizeof caps);

    if (devInfoSize && devInfo)
    {
        DEVINFO info = MakeDevInfo(pdev->IsColour());
        if (pdev->m_palette)
            EngDeletePalette(pdev->m_palette);
        pdev->m_palette = EngCreatePalette(PAL_BGR, 0, nullptr, 0, 0, 0);
        if (!pdev->m_palette)
        {
            delete pdev;
            return nullptr;
        }
        info.hpalDefault = pdev->m_palette;
        CopyWithinSize(devInfo, devInfoSize, &info, sizeof info);
    }
    return reinterpret_cast<DHPDEV>(pdev);
}

VOID APIENTRY DrvCompletePDEV(DHPDEV dhpdev, HDEV hdev)
{
    reinterpret_cast<DriverPDEV*>(dhpdev)->m_hdev = hdev;
}

BOOL APIENTRY DrvResetPDEV(DHPDEV oldDhpdev, DHPDEV newDhpdev)
{
    DriverPDEV* oldPdev = ValidatePDEV(oldDhpdev);
    DriverPDEV* newPdev = ValidatePDEV(newDhpdev);
    if (!oldPdev || !newPdev)
        return FALSE;
    newPdev->m_job = std::move(oldPdev->m_job);
    newPdev->m_aborted = oldPdev->m_aborted;
    return TRUE;
}

VOID APIENTRY DrvDisablePDEV(DHPDEV dhpdev)
{
    DriverPDEV* pdev = ValidatePDEV(dhpdev);
    if (!pdev)
        return;
    if (pdev->m_palette)
        EngDeletePalette(pdev->m_palette);
    delete pdev;
}

HSURF APIENTRY DrvEnableSurface(DHPDEV dhpdev)
{
    auto* pdev = reinterpret_cast<DriverPDEV*>(dhpdev);
    if (!PrinterIsInstalledAsExpected(pdev->m_printer))
    {
        if (!pdev->m_printerRefusalShown)
        {
            pdev->m_printerRefusalShown = 1;
            ReportDriverError(pdev, kErrorPrinterRefused);
        }
        return nullptr;
    }

    SIZEL size{pdev->m_pageWidth, pdev->m_pageHeight};
    const bool colour = pdev->IsColour();
    const LONG rowWidth = colour ? 3 * pdev->m_pageWidth : (pdev->m_pageWidth + 7) / 8;
    HBITMAP bitmap = EngCreateBitmap(size, rowWidth, colour ? BMF_24BPP : BMF_1BPP,
                                     BMF_USERMEM | BMF_NOZEROINIT, nullptr);
    if (!bitmap)
        return nullptr;
    HSURF surface = reinterpret_cast<HSURF>(bitmap);
    if (!EngAssociateSurface(surface, pdev->m_hdev, HOOK_TEXTOUT))
    {
        EngDeleteSurface(surface);
        return nullptr;
    }
    if (pdev->m_surface)
        EngDeleteSurface(pdev->m_surface);
    pdev->m_surface = surface;
    return surface;
}

VOID APIENTRY DrvDisableSurface(DHPDEV dhpdev)
{
    auto* pdev = reinterpret_cast<DriverPDEV*>(dhpdev);
    if (pdev->m_surface)
    {
        EngDeleteSurface(pdev->m_surface);
        pdev->m_surface = nullptr;
    }
    // An unfinished job leaves only its temporary archive, which goes with it.
    pdev->m_job.reset();
}

ULONG APIENTRY DrvEscape(SURFOBJ* surface, ULONG escape, ULONG inSize, PVOID in, ULONG /*outSize*/,
                         PVOID /*out*/)
{
    if (!PDEVFromSurface(surface))
        return 0;
    if (escape != QUERYESCSUPPORT || !in || inSize < sizeof(DWORD))
        return 0;
    DWORD asked = *static_cast<const DWORD*>(in);
    // Only the query itself is handled; claiming any other escape would promise work never done.
    return asked == QUERYESCSUPPORT ? 1 : 0;
}

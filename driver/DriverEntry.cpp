// The driver's entry points and the table of functions it hands to GDI.
#include "driver/DriverDdi.h"

#include <iterator>

static_assert(sizeof(void*) != 4 || sizeof(DRVENABLEDATA) == 12, "the enable data is 12 bytes on 32-bit");

namespace {

constexpr ULONG kDriverVersion = DDI_DRIVER_VERSION_NT4;

const DRVFN kDriverFunctions[] = {
    {INDEX_DrvDisableDriver, FunctionCast<PFN>(DrvDisableDriver)},
    {INDEX_DrvEnablePDEV, FunctionCast<PFN>(DrvEnablePDEV)},
    {INDEX_DrvResetPDEV, FunctionCast<PFN>(DrvResetPDEV)},
    {INDEX_DrvCompletePDEV, FunctionCast<PFN>(DrvCompletePDEV)},
    {INDEX_DrvDisablePDEV, FunctionCast<PFN>(DrvDisablePDEV)},
    {INDEX_DrvEnableSurface, FunctionCast<PFN>(DrvEnableSurface)},
    {INDEX_DrvDisableSurface, FunctionCast<PFN>(DrvDisableSurface)},
    {INDEX_DrvTextOut, FunctionCast<PFN>(DrvTextOut)},
    {INDEX_DrvStartDoc, FunctionCast<PFN>(DrvStartDoc)},
    {INDEX_DrvSendPage, FunctionCast<PFN>(DrvSendPage)},
    {INDEX_DrvStartPage, FunctionCast<PFN>(DrvStartPage)},
    {INDEX_DrvEndDoc, FunctionCast<PFN>(DrvEndDoc)},
    {INDEX_DrvEscape, FunctionCast<PFN>(DrvEscape)},
};

} // namespace

BOOL APIENTRY DrvQueryDriverInfo(DWORD mode, PVOID buffer, DWORD size, PDWORD needed)
{
    if (mode != DRVQUERY_USERMODE)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (needed)
        *needed = sizeof(DWORD);
    if (!buffer || size < sizeof(DWORD))
    {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    *static_cast<DWORD*>(buffer) = 1;  // the driver runs in user mode
    return TRUE;
}

BOOL APIENTRY DrvEnableDriver(ULONG engineVersion, ULONG size, DRVENABLEDATA* enableData)
{
    if (engineVersion < kDriverVersion)
    {
        SetLastError(ERROR_BAD_DRIVER_LEVEL);
        return FALSE;
    }
    if (!enableData || size < sizeof(DRVENABLEDATA))
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    enableData->iDriverVersion = kDriverVersion;
    enableData->c = static_cast<ULONG>(std::size(kDriverFunctions));
    enableData->pdrvfn = const_cast<DRVFN*>(kDriverFunctions);
    return TRUE;
}

VOID APIENTRY DrvDisableDriver()
{
}

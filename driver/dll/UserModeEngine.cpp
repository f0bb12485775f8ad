// The engine functions a user-mode driver reaches other than through gdi32's import library.
#include "driver/DriverDdi.h"

#include <winspool.h>

// In the spooler the printer is reached through the spooler's own interface.
BOOL APIENTRY EngGetPrinter(HANDLE printer, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed)
{
    return GetPrinterW(printer, level, buffer, size, needed);
}

// gdi32 exports the transform query, but the 32-bit import library lacks it: it is looked up.
ULONG APIENTRY XFORMOBJ_iGetXform(XFORMOBJ* transform, XFORML* xform)
{
    using Query = ULONG(APIENTRY*)(XFORMOBJ*, XFORML*);
    static const Query query = FunctionCast<Query>(GetProcAddress(GetModuleHandleW(L"gdi32.dll"), "XFORMOBJ_iGetXform"));
    return query ? query(transform, xform) : DDI_ERROR;
}

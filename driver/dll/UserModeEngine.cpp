// In the spooler a user-mode driver reaches the printer through the spooler's own interface.
#include "driver/DriverDdi.h"

#include <winspool.h>

BOOL APIENTRY EngGetPrinter(HANDLE printer, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed)
{
    return GetPrinterW(printer, level, buffer, size, needed);
}

// The library entry of KESTPrintDriver.dll.
#include "driver/DriverDdi.h"

namespace {
HINSTANCE g_module = nullptr;
}

extern "C" BOOL WINAPI DllEntryPoint(HINSTANCE module, DWORD reason, LPVOID /*reserved*/)
{
    if (reason == DLL_PROCESS_ATTACH)
        g_module = module;
    return TRUE;
}

// The C run-time's start-up calls DllMain once it is ready; the driver's own entry does the work.
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved)
{
    return DllEntryPoint(module, reason, reserved);
}

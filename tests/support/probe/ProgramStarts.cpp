// The smallest program of each target: the test run starts it to learn whether this machine and
// the wine prefix can run that target's programs at all (for i686: wine's 32-bit half, which a
// prefix made before 32-bit support lacks, and emulation where the kernel refuses 32-bit code).
#include <windows.h>

int main()
{
    // user32 pulls in most of what a test program needs from the prefix.
    const int width = GetSystemMetrics(SM_CXSCREEN);
    char line[64];
    const int length = wsprintfA(line, "kest_probe: %d-bit, screen %d\n", int(sizeof(void*) * 8), width);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line, static_cast<DWORD>(length), &written, nullptr);
    return written == static_cast<DWORD>(length) ? 0 : 1;
}

// The printer graphics driver interface as the driver sees it.
#pragma once

#include <windows.h>
#include <winddi.h>

#include <cstring>

// On 32-bit x86 the interface keeps floating-point values as the bits of a float in a DWORD.
inline float FloatFromFloatL(FLOATL value)
{
    float result;
    static_assert(sizeof result == sizeof value, "FLOATL holds a float");
    std::memcpy(&result, &value, sizeof result);
    return result;
}

inline FLOATL FloatLFromFloat(float value)
{
    FLOATL result;
    std::memcpy(&result, &value, sizeof result);
    return result;
}

// Function pointers of the interface's table travel as the generic PFN; the cast goes through the
// one pointer type the compiler accepts between unrelated function types.
template <class To, class From>
To FunctionCast(From function)
{
    return reinterpret_cast<To>(reinterpret_cast<void (*)()>(function));
}

#pragma once
// COM for the lifetime of an export on the calling thread (a single-threaded apartment).
#include <objbase.h>

class ComApartment
{
public:
    ComApartment() : m_initialized(SUCCEEDED(CoInitialize(nullptr))) {}
    ~ComApartment()
    {
        if (m_initialized)
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool m_initialized;
};

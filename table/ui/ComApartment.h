#pragma once
// COM for the lifetime of an export on the calling thread (a single-threaded apartment).
#include <objbase.h>

class ComApartment
{
public:
    ComApartment() : initialized_(SUCCEEDED(CoInitialize(nullptr))) {}
    ~ComApartment()
    {
        if (initialized_)
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialized_;
};

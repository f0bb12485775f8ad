// Per-thread state of the framework that needs a destructor.
#pragma once

#include "framework/AfxDefs.h"

// With this runtime a thread-local object's storage is already freed when its destructor runs at
// the thread's end, so state with a destructor lives on the heap, reached through a trivial
// thread-local pointer, and a framework thread's end deletes it (AfxDeleteThreadData), as it
// deletes the handle maps.
class CThreadData
{
public:
    CThreadData() = default;
    virtual ~CThreadData() = default;
    CThreadData(const CThreadData&) = delete;
    CThreadData& operator=(const CThreadData&) = delete;
};

// Makes pData one of the calling thread's objects and stores it in *ppSlot, a thread-local
// pointer that is cleared when the object is deleted.
void AFXAPI AfxAddThreadData(CThreadData* pData, CThreadData** ppSlot);

// Deletes every object of the calling thread made through AfxGetThreadData; called where a
// framework thread ends. An object used afterwards on the same thread is made afresh.
void AFXAPI AfxDeleteThreadData();

// The calling thread's object of type T (derived from CThreadData), made on first use.
template <class T>
T& AfxGetThreadData()
{
    static thread_local CThreadData* t_pData = nullptr;
    if (t_pData == nullptr)
        AfxAddThreadData(new T, &t_pData);
    return *static_cast<T*>(t_pData);
}

// Per-thread maps from a system handle to the framework object that wraps it.
#pragma once

#include "framework/AfxDefs.h"

#include <unordered_map>
#include <vector>

// TRUE for a null object pointer; the check survives optimisers that assume `this` is never null,
// so members such as GetSafeHwnd can be called through null pointers as the framework allows.
inline bool AfxIsNullObject(const void* p)
{
    __asm__("" : "+r"(p));
    return p == nullptr;
}

// The maps of a thread live on the heap and are reached through trivial thread-local pointers: with
// this runtime a thread-local object's storage is already freed when its destructor runs at the
// thread's end, so a map must never be a thread-local object itself. Every map of a thread is on
// one list, so that idle time and the thread's end empty them all of their temporary objects
// (AfxDeleteTempMaps), and the thread's end deletes them (AfxDeleteThreadHandleMaps).
class CHandleMapBase
{
public:
    CHandleMapBase() = default;
    virtual ~CHandleMapBase() = default;
    CHandleMapBase(const CHandleMapBase&) = delete;
    CHandleMapBase& operator=(const CHandleMapBase&) = delete;
    virtual void DeleteTempObjects() = 0;
};

// Makes pMap one of the calling thread's maps and stores it in *ppSlot, a thread-local pointer
// that is cleared when the map is deleted.
void AFXAPI AfxAddThreadHandleMap(CHandleMapBase* pMap, CHandleMapBase** ppSlot);

// Deletes the temporary objects of every handle map of the calling thread.
void AFXAPI AfxDeleteTempMaps();

// Deletes every handle map of the calling thread with its temporary objects; called where a
// framework thread ends. A map used afterwards on the same thread is made afresh.
void AFXAPI AfxDeleteThreadHandleMaps();

template <class TObject, class THandle>
class CHandleMap;

// The calling thread's map for one kind of handle, made on first use.
template <class TObject, class THandle>
CHandleMap<TObject, THandle>& AfxGetThreadHandleMap(void (*pfnSetHandle)(TObject*, THandle))
{
    static thread_local CHandleMapBase* t_pMap = nullptr;
    if (t_pMap == nullptr)
        AfxAddThreadHandleMap(new CHandleMap<TObject, THandle>(pfnSetHandle), &t_pMap);
    return *static_cast<CHandleMap<TObject, THandle>*>(t_pMap);
}

// Permanent entries belong to objects the program created; temporary ones are made on demand by
// FromHandle and deleted at idle time (their handle is detached first, so nothing is destroyed).
template <class TObject, class THandle>
class CHandleMap : public CHandleMapBase
{
public:
    using SetHandleFn = void (*)(TObject*, THandle);

    ~CHandleMap() override { DeleteTemp(); }
    void DeleteTempObjects() override { DeleteTemp(); }

    TObject* LookupPermanent(THandle h) const
    {
        auto it = m_permanent.find(h);
        return it == m_permanent.end() ? nullptr : it->second;
    }
    TObject* LookupTemporary(THandle h) const
    {
        auto it = m_temporary.find(h);
        return it == m_temporary.end() ? nullptr : it->second;
    }
    TObject* FromHandle(THandle h)
    {
        if (h == nullptr)
            return nullptr;
        if (TObject* p = LookupPermanent(h))
            return p;
        if (TObject* p = LookupTemporary(h))
            return p;
        TObject* p = new TObject;
        m_setHandle(p, h);
        m_temporary[h] = p;
        return p;
    }
    void SetPermanent(THandle h, TObject* p) { m_permanent[h] = p; }
    void RemoveHandle(THandle h)
    {
        m_permanent.erase(h);
    }
    void DeleteTemp()
    {
        std::vector<TObject*> objects;
        for (auto& entry : m_temporary)
            objects.push_back(entry.second);
        m_temporary.clear();
        for (TObject* p : objects)
        {
            m_setHandle(p, nullptr);
            delete p;
        }
    }

private:
    // Made only through AfxGetThreadHandleMap, so that no map is a thread-local object.
    explicit CHandleMap(SetHandleFn setHandle) : m_setHandle(setHandle) {}
    friend CHandleMap& AfxGetThreadHandleMap<TObject, THandle>(SetHandleFn);

    SetHandleFn m_setHandle;
    std::unordered_map<THandle, TObject*> m_permanent;
    std::unordered_map<THandle, TObject*> m_temporary;
};

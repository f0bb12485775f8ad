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

// Permanent entries belong to objects the program created; temporary ones are made on demand by
// FromHandle and deleted at idle time (their handle is detached first, so nothing is destroyed).
template <class TObject, class THandle>
class CHandleMap
{
public:
    using SetHandleFn = void (*)(TObject*, THandle);

    explicit CHandleMap(SetHandleFn setHandle) : m_setHandle(setHandle) {}
    ~CHandleMap() { DeleteTemp(); }

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
    SetHandleFn m_setHandle;
    std::unordered_map<THandle, TObject*> m_permanent;
    std::unordered_map<THandle, TObject*> m_temporary;
};

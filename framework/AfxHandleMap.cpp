#include "framework/AfxHandleMap.h"

#include <memory>

namespace {

struct HANDLE_MAP_ENTRY
{
    CHandleMapBase* m_pMap;
    CHandleMapBase** m_ppSlot;
};

// Trivial thread-locals only (see CHandleMapBase): the list is on the heap and goes with the maps.
thread_local std::vector<HANDLE_MAP_ENTRY>* t_pHandleMaps = nullptr;

} // namespace

void AFXAPI AfxAddThreadHandleMap(CHandleMapBase* pMap, CHandleMapBase** ppSlot)
{
    if (t_pHandleMaps == nullptr)
        t_pHandleMaps = new std::vector<HANDLE_MAP_ENTRY>;
    t_pHandleMaps->push_back({pMap, ppSlot});
    *ppSlot = pMap;
}

void AFXAPI AfxDeleteTempMaps()
{
    if (t_pHandleMaps == nullptr)
        return;
    // A copy: deleting a temporary object may make the first use of another kind of map.
    const std::vector<HANDLE_MAP_ENTRY> maps = *t_pHandleMaps;
    for (const HANDLE_MAP_ENTRY& entry : maps)
        entry.m_pMap->DeleteTempObjects();
}

void AFXAPI AfxDeleteThreadHandleMaps()
{
    // Deleting a temporary object may make a map afresh; it lands on a new list, deleted next round.
    while (t_pHandleMaps != nullptr)
    {
        std::unique_ptr<std::vector<HANDLE_MAP_ENTRY>> pMaps(t_pHandleMaps);
        t_pHandleMaps = nullptr;
        for (const HANDLE_MAP_ENTRY& entry : *pMaps)
        {
            *entry.m_ppSlot = nullptr;
            delete entry.m_pMap;
        }
    }
}

#include "framework/AfxThreadData.h"

#include <memory>
#include <vector>

namespace {

struct THREAD_DATA_ENTRY
{
    CThreadData* m_pData;
    CThreadData** m_ppSlot;
};

thread_local std::vector<THREAD_DATA_ENTRY>* t_pThreadData = nullptr;

} // namespace

void AFXAPI AfxAddThreadData(CThreadData* pData, CThreadData** ppSlot)
{
    if (t_pThreadData == nullptr)
        t_pThreadData = new std::vector<THREAD_DATA_ENTRY>;
    t_pThreadData->push_back({pData, ppSlot});
    *ppSlot = pData;
}

void AFXAPI AfxDeleteThreadData()
{
    // A destructor may make another object afresh; it lands on a new list, deleted next round.
    while (t_pThreadData != nullptr)
    {
        std::unique_ptr<std::vector<THREAD_DATA_ENTRY>> pList(t_pThreadData);
        t_pThreadData = nullptr;
        for (const THREAD_DATA_ENTRY& entry : *pList)
        {
            *entry.m_ppSlot = nullptr;
            delete entry.m_pData;
        }
    }
}

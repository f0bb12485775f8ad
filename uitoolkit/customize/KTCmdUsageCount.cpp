#include "uitoolkit/customize/KTCmdUsageCount.h"

#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/customize/KTUserToolsManager.h"

#include <utility>
#include <vector>

IMPLEMENT_SERIAL(CKTCmdUsageCount, CObject, 1)

namespace
{
const UINT kHashTableSize = 17;
} // namespace

CKTCmdUsageCount::CKTCmdUsageCount() : m_CmdUsage(10)
{
    m_CmdUsage.InitHashTable(kHashTableSize);
}

CKTCmdUsageCount::~CKTCmdUsageCount() = default;

BOOL CKTCmdUsageCount::IsCountedCommand(UINT uiCmd)
{
    if (uiCmd == 0 || uiCmd == (UINT)-1)
        return FALSE;
    if (uiCmd >= ID_FILE_MRU_FIRST && uiCmd <= ID_FILE_MRU_FIRST + 0x0F) // recent files
        return FALSE;
    if (uiCmd >= 0xF000 && uiCmd < 0xF1F0) // system commands
        return FALSE;
    if (static_cast<int>(uiCmd) >= 0xFF00)
        return FALSE;
    if (uiCmd >= 0xE210 && uiCmd <= 0xE21F) // the window list
        return FALSE;
    // The tools' entry only stands for the tools in the catalogue; it runs nothing itself.
    if (g_pUserToolsManager != nullptr && uiCmd == g_pUserToolsManager->GetToolsEntryCmd())
        return FALSE;
    return TRUE;
}

void CKTCmdUsageCount::AddCmd(UINT uiCmd)
{
    if (CKTToolBar::IsCustomizeMode())
        return;
    if (!IsCountedCommand(uiCmd))
        return;
    if (m_pfnIsBasicCommand != nullptr && m_pfnIsBasicCommand(uiCmd))
        return;

    UINT nCount = 0;
    m_CmdUsage.Lookup(uiCmd, nCount);
    m_CmdUsage.SetAt(uiCmd, nCount + 1);
    ++m_nTotalUsage;
}

void CKTCmdUsageCount::Reset()
{
    m_CmdUsage.RemoveAll();
    m_nTotalUsage = 0;
}

UINT CKTCmdUsageCount::GetCount(UINT uiCmd) const
{
    UINT nCount = 0;
    m_CmdUsage.Lookup(uiCmd, nCount);
    return nCount;
}

BOOL CKTCmdUsageCount::IsFrequentlyUsedCmd(UINT uiCmd) const
{
    if (m_nTotalUsage == 0)
        return FALSE;
    // Counts come from the registry too: the product is taken in 64 bits so that a large count
    // cannot wrap round to a small share.
    const ULONGLONG share = static_cast<ULONGLONG>(GetCount(uiCmd)) * 100 / m_nTotalUsage;
    return share > m_nMinUsagePercentage;
}

BOOL CKTCmdUsageCount::HasEnoughStatistics() const
{
    return m_nTotalUsage >= m_nStartCount;
}

void CKTCmdUsageCount::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring())
    {
        ar << static_cast<DWORD>(m_nTotalUsage);
        m_CmdUsage.Serialize(ar);
        return;
    }

    // Everything is read before anything changes, so a short or damaged stream leaves the
    // counter as it was.
    DWORD dwTotal = 0;
    ar >> dwTotal;
    const DWORD_PTR nEntries = ar.ReadCount();
    ar.CheckLoadCount(nEntries, 2 * sizeof(DWORD));
    std::vector<std::pair<DWORD, DWORD>> stored;
    stored.reserve(nEntries);
    for (DWORD_PTR i = 0; i < nEntries; ++i)
    {
        DWORD dwCmd = 0;
        DWORD dwCount = 0;
        ar >> dwCmd >> dwCount;
        stored.emplace_back(dwCmd, dwCount);
    }

    m_nTotalUsage = dwTotal;
    for (const auto& entry : stored)
        m_CmdUsage.SetAt(entry.first, entry.second);
}

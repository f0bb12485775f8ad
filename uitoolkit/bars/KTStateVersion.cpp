#include "uitoolkit/bars/KTStateVersion.h"

#include "uitoolkit/bars/KTWorkspace.h"

namespace
{
KTStateVersionReader s_pfnReader = nullptr;

KTStateVersion ReadWorkspace()
{
    KTStateVersion version;
    if (const CKTWorkspace* pWorkspace = GetWorkspace())
    {
        version.m_bWorkspace = TRUE;
        version.m_nMajor = pWorkspace->GetDataVersionMajor();
        version.m_nMinor = pWorkspace->GetDataVersionMinor();
    }
    return version;
}
} // namespace

KTStateVersion KTGetLoadingStateVersion()
{
    return s_pfnReader != nullptr ? s_pfnReader() : ReadWorkspace();
}

KTStateVersionReader KTSetStateVersionReader(KTStateVersionReader pfnReader)
{
    const KTStateVersionReader pfnPrevious = s_pfnReader;
    s_pfnReader = pfnReader;
    return pfnPrevious;
}

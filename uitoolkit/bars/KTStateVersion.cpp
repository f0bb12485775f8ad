#include "uitoolkit/bars/KTStateVersion.h"

namespace
{
KTStateVersionReader s_pfnReader = nullptr;
} // namespace

KTStateVersion KTGetLoadingStateVersion()
{
    return s_pfnReader != nullptr ? s_pfnReader() : KTStateVersion();
}

KTStateVersionReader KTSetStateVersionReader(KTStateVersionReader pfnReader)
{
    const KTStateVersionReader pfnPrevious = s_pfnReader;
    s_pfnReader = pfnReader;
    return pfnPrevious;
}

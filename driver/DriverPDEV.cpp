#include "driver/DriverPDEV.h"

#include "driver/PrintJob.h"

DriverPDEV::DriverPDEV() = default;

DriverPDEV::~DriverPDEV()
{
    // The magic words go first so that a stale pointer to a freed record no longer validates.
    m_magic1 = 0;
    m_magic2 = 0;
}

DriverPDEV* ValidatePDEV(DHPDEV dhpdev)
{
    auto* pdev = reinterpret_cast<DriverPDEV*>(dhpdev);
    if (!pdev)
        return nullptr;
    if (pdev->m_magic1 != DriverPDEV::kMagic1 || pdev->m_recordSize != DriverPDEV::kRecordSize
        || pdev->m_magic2 != DriverPDEV::kMagic2)
        return nullptr;
    return pdev;
}

DriverPDEV* PDEVFromSurface(SURFOBJ* surface)
{
    DriverPDEV* pdev = surface ? ValidatePDEV(surface->dhpdev) : nullptr;
    if (!pdev)
    {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    pdev->m_currentSurface = surface;
    return pdev;
}

DriverPDEV* DocumentPDEV(SURFOBJ* surface)
{
    DriverPDEV* pdev = PDEVFromSurface(surface);
    if (!pdev)
        SetLastError(ERROR_INVALID_PARAMETER);
    return pdev;
}

DriverPDEV* WorkingPDEV(SURFOBJ* surface, BOOL& result)
{
    DriverPDEV* pdev = DocumentPDEV(surface);
    result = pdev ? TRUE : FALSE;
    return pdev && !pdev->m_aborted ? pdev : nullptr;
}

#include "hosts/printhost/DriverSession.h"

#include "driver/DeviceCaps.h"
#include "hosts/printhost/engine/StandInEngine.h"

std::vector<BYTE> MakeDeviceMode(const DeviceSettings& settings)
{
    std::vector<BYTE> buffer(sizeof(DEVMODEW) + sizeof(PrivateDevMode));
    auto* devmode = reinterpret_cast<DEVMODEW*>(buffer.data());
    wcscpy_s(devmode->dmDeviceName, L"Kest Printer");
    devmode->dmSpecVersion = DM_SPECVERSION;
    devmode->dmSize = sizeof(DEVMODEW);
    devmode->dmDriverExtra = sizeof(PrivateDevMode);
    devmode->dmFields = DM_ORIENTATION | DM_PAPERLENGTH | DM_PAPERWIDTH | DM_SCALE | DM_COLOR;
    devmode->dmOrientation = settings.landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    devmode->dmPaperLength = settings.paperLength;
    devmode->dmPaperWidth = settings.paperWidth;
    devmode->dmScale = settings.scale;
    devmode->dmColor = settings.colour ? DMCOLOR_COLOR : DMCOLOR_MONOCHROME;
    PrivateDevMode privatePart{};
    privatePart.magic1 = PrivateDevMode::kMagic1;
    privatePart.magic2 = PrivateDevMode::kMagic2;
    privatePart.resolution = settings.resolution;
    std::memcpy(buffer.data() + sizeof(DEVMODEW), &privatePart, sizeof privatePart);
    return buffer;
}

DriverSession::DriverSession(const DeviceSettings& settings)
    : m_settings(settings), m_deviceMode(MakeDeviceMode(settings))
{
}

DriverSession::~DriverSession()
{
    Close();
}

bool DriverSession::Open()
{
    DWORD mode = 0;
    DWORD needed = 0;
    if (!DrvQueryDriverInfo(DRVQUERY_USERMODE, &mode, sizeof mode, &needed) || mode != 1)
        return false;
    DRVENABLEDATA enableData{};
    if (!DrvEnableDriver(DDI_DRIVER_VERSION_NT5, sizeof enableData, &enableData))
        return false;
    m_driverEnabled = true;
    m_functions.assign(enableData.pdrvfn, enableData.pdrvfn + enableData.c);

    using EnablePDEV = DHPDEV(APIENTRY*)(DEVMODEW*, LPWSTR, ULONG, HSURF*, ULONG, ULONG*, ULONG, DEVINFO*, HDEV,
                                         LPWSTR, HANDLE);
    HSURF patterns[HS_DDI_MAX] = {};
    wchar_t deviceName[] = L"Kest Printer";
    m_device = FunctionCast<EnablePDEV>(Function(INDEX_DrvEnablePDEV))(
        reinterpret_cast<DEVMODEW*>(m_deviceMode.data()), nullptr, HS_DDI_MAX, patterns, sizeof m_gdiInfo,
        reinterpret_cast<ULONG*>(&m_gdiInfo), sizeof m_devInfo, &m_devInfo, reinterpret_cast<HDEV>(this),
        deviceName, reinterpret_cast<HANDLE>(this));
    if (!m_device)
        return false;
    standin::RegisterDevice(reinterpret_cast<HDEV>(this), m_device);
    FunctionCast<VOID(APIENTRY*)(DHPDEV, HDEV)>(Function(INDEX_DrvCompletePDEV))(m_device,
                                                                                   reinterpret_cast<HDEV>(this));
    m_surfaceHandle = FunctionCast<HSURF(APIENTRY*)(DHPDEV)>(Function(INDEX_DrvEnableSurface))(m_device);
    if (!m_surfaceHandle)
        return false;
    m_surface = EngLockSurface(m_surfaceHandle);
    return m_surface != nullptr;
}

void DriverSession::Close()
{
    if (m_surface)
    {
        EngUnlockSurface(m_surface);
        m_surface = nullptr;
    }
    if (m_device)
    {
        if (m_surfaceHandle)
            FunctionCast<VOID(APIENTRY*)(DHPDEV)>(Function(INDEX_DrvDisableSurface))(m_device);
        FunctionCast<VOID(APIENTRY*)(DHPDEV)>(Function(INDEX_DrvDisablePDEV))(m_device);
        m_device = nullptr;
        m_surfaceHandle = nullptr;
    }
    if (m_driverEnabled)
    {
        FunctionCast<VOID(APIENTRY*)()>(Function(INDEX_DrvDisableDriver))();
        m_driverEnabled = false;
    }
}

PFN DriverSession::Function(ULONG index) const
{
    for (const DRVFN& function : m_functions)
    {
        if (function.iFunc == index)
            return function.pfn;
    }
    return nullptr;
}

BOOL DriverSession::StartDoc(const wchar_t* documentName, DWORD jobId)
{
    auto startDoc = FunctionCast<BOOL(APIENTRY*)(SURFOBJ*, LPWSTR, DWORD)>(Function(INDEX_DrvStartDoc));
    return startDoc(m_surface, const_cast<LPWSTR>(documentName), jobId);
}

BOOL DriverSession::StartPage()
{
    return FunctionCast<BOOL(APIENTRY*)(SURFOBJ*)>(Function(INDEX_DrvStartPage))(m_surface);
}

BOOL DriverSession::SendPage()
{
    return FunctionCast<BOOL(APIENTRY*)(SURFOBJ*)>(Function(INDEX_DrvSendPage))(m_surface);
}

BOOL DriverSession::EndDoc(FLONG flags)
{
    return FunctionCast<BOOL(APIENTRY*)(SURFOBJ*, FLONG)>(Function(INDEX_DrvEndDoc))(m_surface, flags);
}

BOOL DriverSession::TextOut(STROBJ* string, FONTOBJ* font, RECTL* opaque, BRUSHOBJ* foreground,
                            BRUSHOBJ* opaqueBrush)
{
    using TextOutFunction = BOOL(APIENTRY*)(SURFOBJ*, STROBJ*, FONTOBJ*, CLIPOBJ*, RECTL*, RECTL*, BRUSHOBJ*,
                                            BRUSHOBJ*, POINTL*, MIX);
    POINTL brushOrigin{0, 0};
    return FunctionCast<TextOutFunction>(Function(INDEX_DrvTextOut))(
        m_surface, string, font, nullptr, nullptr, opaque, foreground, opaqueBrush, &brushOrigin, R2_COPYPEN);
}

ULONG DriverSession::Escape(ULONG escape, ULONG inSize, PVOID in)
{
    using EscapeFunction = ULONG(APIENTRY*)(SURFOBJ*, ULONG, ULONG, PVOID, ULONG, PVOID);
    return FunctionCast<EscapeFunction>(Function(INDEX_DrvEscape))(m_surface, escape, inSize, in, 0, nullptr);
}

HDC DriverSession::SurfaceDC() const
{
    return standin::SurfaceDC(m_surfaceHandle);
}

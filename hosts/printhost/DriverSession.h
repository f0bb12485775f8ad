// GDI's side of a print job: enables the driver through its function table and makes the calls
// Windows makes while it plays a spooled job, in Windows' order.
#pragma once

#include "driver/DriverDdi.h"

#include <string>
#include <vector>

// The device mode a printer of the given figures carries, with the driver's private part.
struct DeviceSettings
{
    SHORT paperWidth = 2100;   // tenths of a millimetre (A4)
    SHORT paperLength = 2970;
    SHORT scale = 100;
    DWORD resolution = 144;
    bool colour = false;
    bool landscape = false;
};

// The wide device mode followed by its 40 driver-private bytes.
std::vector<BYTE> MakeDeviceMode(const DeviceSettings& settings);

class DriverSession
{
public:
    explicit DriverSession(const DeviceSettings& settings);
    ~DriverSession();
    DriverSession(const DriverSession&) = delete;
    DriverSession& operator=(const DriverSession&) = delete;

    // Query driver info, enable driver, enable and complete the device, enable the surface.
    bool Open();
    // Disable surface, device and driver (also done by the destructor).
    void Close();

    BOOL StartDoc(const wchar_t* documentName, DWORD jobId = 1);
    BOOL StartPage();
    BOOL SendPage();
    BOOL EndDoc(FLONG flags = 0);
    BOOL TextOut(STROBJ* string, FONTOBJ* font, RECTL* opaque, BRUSHOBJ* foreground, BRUSHOBJ* opaqueBrush);
    ULONG Escape(ULONG escape, ULONG inSize, PVOID in);

    DHPDEV Device() const { return m_device; }
    SURFOBJ* Surface() const { return m_surface; }
    // GDI's own drawing on the page surface.
    HDC SurfaceDC() const;
    const GDIINFO& GdiInfo() const { return m_gdiInfo; }
    const DEVINFO& DevInfo() const { return m_devInfo; }
    ULONG Resolution() const { return m_settings.resolution; }

private:
    PFN Function(ULONG index) const;

    DeviceSettings m_settings;
    std::vector<BYTE> m_deviceMode;
    std::vector<DRVFN> m_functions;
    bool m_driverEnabled = false;
    DHPDEV m_device = nullptr;
    HSURF m_surfaceHandle = nullptr;
    SURFOBJ* m_surface = nullptr;
    GDIINFO m_gdiInfo{};
    DEVINFO m_devInfo{};
};

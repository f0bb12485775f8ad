#include "hosts/printhost/engine/StandInEngine.h"

#include <map>
#include <memory>
#include <mutex>
#include <set>

namespace standin {
namespace {

struct Surface
{
    SURFOBJ object{};
    HDC dc = nullptr;
    HBITMAP section = nullptr;
    HGDIOBJ previousBitmap = nullptr;

    ~Surface()
    {
        if (dc)
        {
            SelectObject(dc, previousBitmap);
            DeleteDC(dc);
        }
        if (section)
            DeleteObject(section);
    }
};

struct Palette
{
    ULONG mode = 0;
};

struct EngineState
{
    std::mutex lock;
    bool failures[static_cast<int>(EngineCall::Count)] = {};
    DWORD printerAttributes = PRINTER_ATTRIBUTE_LOCAL | PRINTER_ATTRIBUTE_DIRECT;
    std::map<HDEV, DHPDEV> devices;
    std::map<HSURF, std::unique_ptr<Surface>> surfaces;
    std::set<Palette*> palettes;
    LONG lastRowWidth = 0;
    ULONG uniqueness = 0;
};

EngineState& State()
{
    static EngineState state;
    return state;
}

Surface* FindSurface(HSURF handle)
{
    auto& surfaces = State().surfaces;
    auto found = surfaces.find(handle);
    return found == surfaces.end() ? nullptr : found->second.get();
}

// A device-independent bitmap section: bottom-up rows rounded up to 4 bytes, as the engine keeps them.
std::unique_ptr<Surface> MakeSurface(SIZEL size, ULONG format)
{
    const WORD bitsPerPixel = format == BMF_24BPP ? 24 : 1;
    struct
    {
        BITMAPINFOHEADER header;
        RGBQUAD colours[2];
    } info{};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = size.cx;
    info.header.biHeight = size.cy;
    info.header.biPlanes = 1;
    info.header.biBitCount = bitsPerPixel;
    info.header.biCompression = BI_RGB;
    if (bitsPerPixel == 1)
    {
        info.header.biClrUsed = 2;
        info.colours[1] = RGBQUAD{0xFF, 0xFF, 0xFF, 0};
    }
    auto surface = std::make_unique<Surface>();
    void* bits = nullptr;
    surface->section = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits,
                                        nullptr, 0);
    if (!surface->section)
        return nullptr;
    surface->dc = CreateCompatibleDC(nullptr);
    if (!surface->dc)
        return nullptr;
    surface->previousBitmap = SelectObject(surface->dc, surface->section);

    const LONG stride = ((size.cx * bitsPerPixel + 31) / 32) * 4;
    SURFOBJ& object = surface->object;
    object.sizlBitmap = size;
    object.cjBits = static_cast<ULONG>(stride) * static_cast<ULONG>(size.cy);
    object.pvBits = bits;
    object.pvScan0 = static_cast<BYTE*>(bits) + static_cast<size_t>(stride) * static_cast<size_t>(size.cy - 1);
    object.lDelta = -stride;
    object.iBitmapFormat = format;
    object.iType = STYPE_BITMAP;
    return surface;
}

} // namespace

void ResetEngine()
{
    std::lock_guard<std::mutex> guard(State().lock);
    for (bool& failure : State().failures)
        failure = false;
    State().printerAttributes = PRINTER_ATTRIBUTE_LOCAL | PRINTER_ATTRIBUTE_DIRECT;
}

void SetFailure(EngineCall call, bool fail)
{
    std::lock_guard<std::mutex> guard(State().lock);
    State().failures[static_cast<int>(call)] = fail;
}

bool Fails(EngineCall call)
{
    std::lock_guard<std::mutex> guard(State().lock);
    return State().failures[static_cast<int>(call)];
}

void SetPrinterAttributes(DWORD attributes)
{
    std::lock_guard<std::mutex> guard(State().lock);
    State().printerAttributes = attributes;
}

void RegisterDevice(HDEV hdev, DHPDEV dhpdev)
{
    std::lock_guard<std::mutex> guard(State().lock);
    State().devices[hdev] = dhpdev;
}

int LivePalettes()
{
    std::lock_guard<std::mutex> guard(State().lock);
    return static_cast<int>(State().palettes.size());
}

int LiveSurfaces()
{
    std::lock_guard<std::mutex> guard(State().lock);
    return static_cast<int>(State().surfaces.size());
}

LONG LastRequestedRowWidth()
{
    std::lock_guard<std::mutex> guard(State().lock);
    return State().lastRowWidth;
}

HDC SurfaceDC(HSURF handle)
{
    std::lock_guard<std::mutex> guard(State().lock);
    Surface* surface = FindSurface(handle);
    return surface ? surface->dc : nullptr;
}

SURFOBJ* SurfaceObject(HSURF handle)
{
    std::lock_guard<std::mutex> guard(State().lock);
    Surface* surface = FindSurface(handle);
    return surface ? &surface->object : nullptr;
}

} // namespace standin

using namespace standin;

HBITMAP APIENTRY EngCreateBitmap(SIZEL size, LONG rowWidth, ULONG format, FLONG /*flags*/, PVOID bits)
{
    std::lock_guard<std::mutex> guard(State().lock);
    State().lastRowWidth = rowWidth;
    if (State().failures[static_cast<int>(EngineCall::CreateBitmap)] || bits || size.cx <= 0 || size.cy <= 0
        || (format != BMF_24BPP && format != BMF_1BPP))
        return nullptr;
    std::unique_ptr<Surface> surface = MakeSurface(size, format);
    if (!surface)
        return nullptr;
    HSURF handle = reinterpret_cast<HSURF>(surface.get());
    surface->object.hsurf = handle;
    surface->object.iUniq = ++State().uniqueness;
    State().surfaces[handle] = std::move(surface);
    return reinterpret_cast<HBITMAP>(handle);
}

BOOL APIENTRY EngAssociateSurface(HSURF handle, HDEV hdev, FLONG /*hooks*/)
{
    std::lock_guard<std::mutex> guard(State().lock);
    Surface* surface = FindSurface(handle);
    if (State().failures[static_cast<int>(EngineCall::AssociateSurface)] || !surface)
        return FALSE;
    auto device = State().devices.find(hdev);
    surface->object.hdev = hdev;
    surface->object.dhpdev = device == State().devices.end() ? nullptr : device->second;
    return TRUE;
}

BOOL APIENTRY EngDeleteSurface(HSURF handle)
{
    std::lock_guard<std::mutex> guard(State().lock);
    return State().surfaces.erase(handle) ? TRUE : FALSE;
}

SURFOBJ* APIENTRY EngLockSurface(HSURF handle)
{
    std::lock_guard<std::mutex> guard(State().lock);
    Surface* surface = FindSurface(handle);
    if (State().failures[static_cast<int>(EngineCall::LockSurface)] || !surface)
        return nullptr;
    return &surface->object;
}

VOID APIENTRY EngUnlockSurface(SURFOBJ* /*surface*/)
{
}

HPALETTE APIENTRY EngCreatePalette(ULONG mode, ULONG /*count*/, ULONG* /*colours*/, FLONG /*red*/,
                                   FLONG /*green*/, FLONG /*blue*/)
{
    std::lock_guard<std::mutex> guard(State().lock);
    if (State().failures[static_cast<int>(EngineCall::CreatePalette)])
        return nullptr;
    auto* palette = new Palette{mode};
    State().palettes.insert(palette);
    return reinterpret_cast<HPALETTE>(palette);
}

BOOL APIENTRY EngDeletePalette(HPALETTE handle)
{
    std::lock_guard<std::mutex> guard(State().lock);
    auto* palette = reinterpret_cast<Palette*>(handle);
    if (!State().palettes.erase(palette))
        return FALSE;
    delete palette;
    return TRUE;
}

BOOL APIENTRY EngGetPrinter(HANDLE /*printer*/, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed)
{
    std::lock_guard<std::mutex> guard(State().lock);
    if (State().failures[static_cast<int>(EngineCall::GetPrinter)] || level != 2)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (needed)
        *needed = sizeof(PRINTER_INFO_2W);
    if (!buffer || size < sizeof(PRINTER_INFO_2W))
    {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    PRINTER_INFO_2W info{};
    info.Attributes = State().printerAttributes;
    std::memcpy(buffer, &info, sizeof info);
    return TRUE;
}

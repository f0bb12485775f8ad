// Driver entry, device modes, the capabilities reported to GDI and the page surface.
#include "tests/driver/DriverTestSupport.h"

#include "driver/DeviceCaps.h"
#include "driver/DriverErrors.h"
#include "driver/DriverPDEV.h"
#include "hosts/printhost/engine/StandInEngine.h"

#include <fstream>
#include <iterator>

namespace {

struct EnabledDevice
{
    DHPDEV device = nullptr;
    GDIINFO gdiInfo{};
    DEVINFO devInfo{};

    ~EnabledDevice()
    {
        if (device)
            DrvDisablePDEV(device);
    }
};

void Enable(std::vector<BYTE>& devmode, EnabledDevice& enabled)
{
    enabled.device = DrvEnablePDEV(reinterpret_cast<DEVMODEW*>(devmode.data()), nullptr, 0, nullptr,
                                   sizeof enabled.gdiInfo, reinterpret_cast<ULONG*>(&enabled.gdiInfo),
                                   sizeof enabled.devInfo, &enabled.devInfo, nullptr, nullptr, nullptr);
}

PrivateDevMode& PrivatePart(std::vector<BYTE>& devmode)
{
    auto* dm = reinterpret_cast<DEVMODEW*>(devmode.data());
    return *reinterpret_cast<PrivateDevMode*>(devmode.data() + dm->dmSize);
}

} // namespace

TEST(DriverEntry, QueryDriverInfoReportsUserModeOnlyIntoABufferOfFourBytes)
{
    struct Case
    {
        DWORD mode;
        DWORD bufferSize;
        BOOL result;
        DWORD error;
        DWORD needed;
    } cases[] = {
        {DRVQUERY_USERMODE, 4, TRUE, 0, 4},
        {DRVQUERY_USERMODE, 8, TRUE, 0, 4},
        {DRVQUERY_USERMODE, 2, FALSE, ERROR_INSUFFICIENT_BUFFER, 4},
        {DRVQUERY_USERMODE, 0, FALSE, ERROR_INSUFFICIENT_BUFFER, 4},
        {2, 4, FALSE, ERROR_INVALID_PARAMETER, 12345},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " size " << c.bufferSize);
        DWORD buffer[2] = {0, 0};
        DWORD needed = 12345;
        SetLastError(0);
        EXPECT_EQ(DrvQueryDriverInfo(c.mode, c.bufferSize ? buffer : nullptr, c.bufferSize, &needed), c.result);
        EXPECT_EQ(needed, c.needed);
        if (c.result)
        {
            EXPECT_EQ(buffer[0], 1u);
        }
        else
        {
            EXPECT_EQ(GetLastError(), c.error);
        }
    }
}

TEST(DriverEntry, EnableDriverHandsOverThirteenFunctionsInTheirOrder)
{
    DRVENABLEDATA data{};
    SetLastError(0);
    EXPECT_FALSE(DrvEnableDriver(0x1FFFF, sizeof data, &data));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_DRIVER_LEVEL));
    EXPECT_FALSE(DrvEnableDriver(0x20000, sizeof data - 1, &data));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    ASSERT_TRUE(DrvEnableDriver(0x20000, sizeof data, &data));
    EXPECT_EQ(data.iDriverVersion, 0x20000u);
    const ULONG expected[] = {8, 0, 7, 1, 2, 3, 4, 23, 35, 32, 33, 34, 24};
    ASSERT_EQ(data.c, std::size(expected));
    for (ULONG i = 0; i < data.c; ++i)
    {
        EXPECT_EQ(data.pdrvfn[i].iFunc, expected[i]) << "entry " << i;
        EXPECT_NE(data.pdrvfn[i].pfn, nullptr);
    }
    EXPECT_EQ(data.pdrvfn[7].pfn, FunctionCast<PFN>(DrvTextOut));
}

// The driver library cannot load here (the engine lives in the spooler), so its export table is
// read from the file.
TEST(DriverEntry, TheLibraryExportsItsEntryPointsByName)
{
    std::ifstream file(KEST_BIN_DIR "/KESTPrintDriver.dll", std::ios::binary);
    ASSERT_TRUE(file.good());
    std::vector<char> image((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_GT(image.size(), sizeof(IMAGE_DOS_HEADER));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(image.data());
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(image.data() + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& exports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    const auto* sections = IMAGE_FIRST_SECTION(nt);
    auto offsetOf = [&](DWORD rva) -> size_t {
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i)
        {
            if (rva >= sections[i].VirtualAddress && rva < sections[i].VirtualAddress + sections[i].SizeOfRawData)
                return rva - sections[i].VirtualAddress + sections[i].PointerToRawData;
        }
        return 0;
    };
    ASSERT_NE(exports.VirtualAddress, 0u);
    const auto* directory =
        reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(image.data() + offsetOf(exports.VirtualAddress));
    const auto* names = reinterpret_cast<const DWORD*>(image.data() + offsetOf(directory->AddressOfNames));
    std::vector<std::string> exported;
    for (DWORD i = 0; i < directory->NumberOfNames; ++i)
        exported.push_back(image.data() + offsetOf(names[i]));
    EXPECT_EQ(exported,
              (std::vector<std::string>{"DllEntryPoint", "DrvDisableDriver", "DrvEnableDriver", "DrvQueryDriverInfo"}));
}

TEST(DeviceMode, OnlyTheDriversOwnPrivatePartWithUsableFiguresIsAccepted)
{
    struct Case
    {
        const char* what;
        WORD driverExtra;
        WORD size;
        DWORD magic1;
        DWORD magic2;
        DWORD dpi;
        SHORT scale;
        SHORT paperWidth;
        bool accepted;
    } cases[] = {
        {"as the installer writes it", 40, 220, PrivateDevMode::kMagic1, PrivateDevMode::kMagic2, 144, 100, 2100, true},
        {"36 private bytes", 36, 220, PrivateDevMode::kMagic1, PrivateDevMode::kMagic2, 144, 100, 2100, false},
        {"44 private bytes", 44, 220, PrivateDevMode::kMagic1, PrivateDevMode::kMagic2, 144, 100, 2100, false},
        {"first word one bit off", 40, 220, PrivateDevMode::kMagic1 ^ 0x10, PrivateDevMode::kMagic2, 144, 100, 2100,
         false},
        {"second word differs", 40, 220, PrivateDevMode::kMagic1, PrivateDevMode::kMagic2 + 1, 144, 100, 2100, false},
        {"resolution 0", 40, 220, PrivateDevMode::kMagic1, PrivateDevMode::kMagic2, 0, 100, 2100, false},
        {"resolution beyond 16 bits", 40, 220, PrivateDevMode::kMagic1, PrivateDevMode::kMagic2, 0x10000, 100, 2100,
         false},
        {"scale 0", 40, 220, PrivateDevMode::kMagic1, PrivateDevMode::kMagic2, 144, 0, 2100, false},
        {"negative scale", 40, 220, PrivateDevMode::kMagic1, PrivateDevMode::kMagic2, 144, -100, 2100, false},
        {"paper width 0", 40, 220, PrivateDevMode::kMagic1, PrivateDevMode::kMagic2, 144, 100, 0, false},
        // A newer, longer public part: the private bytes follow the device mode's own size.
        {"public part of 228 bytes", 40, 228, PrivateDevMode::kMagic1, PrivateDevMode::kMagic2, 300, 100, 2100, true},
        {"public part too short to hold the fields", 40, 64, PrivateDevMode::kMagic1, PrivateDevMode::kMagic2, 144,
         100, 2100, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        DeviceSettings settings;
        settings.resolution = c.dpi;
        settings.scale = c.scale;
        settings.paperWidth = c.paperWidth;
        std::vector<BYTE> devmode = MakeDeviceMode(settings);
        // Move the private part to where the size says; whatever lay at the fixed place is junk.
        PrivateDevMode privatePart = PrivatePart(devmode);
        devmode.assign(devmode.begin(), devmode.begin() + sizeof(DEVMODEW));
        devmode.resize((std::max)(size_t(c.size), sizeof(DEVMODEW)) + sizeof(PrivateDevMode), 0xCD);
        auto* dm = reinterpret_cast<DEVMODEW*>(devmode.data());
        dm->dmSize = c.size;
        dm->dmDriverExtra = c.driverExtra;
        privatePart.magic1 = c.magic1;
        privatePart.magic2 = c.magic2;
        privatePart.resolution = c.dpi;
        std::memcpy(devmode.data() + c.size, &privatePart, sizeof privatePart);

        EnabledDevice enabled;
        Enable(devmode, enabled);
        EXPECT_EQ(enabled.device != nullptr, c.accepted);
        if (c.accepted)
        {
            EXPECT_EQ(enabled.gdiInfo.ulAspectX, c.dpi);
        }
    }
    EXPECT_EQ(DrvEnablePDEV(nullptr, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, nullptr, nullptr, nullptr), nullptr);
}

TEST(DeviceMode, A4FiguresInPortraitAndLandscape)
{
    struct Case
    {
        bool landscape;
        bool colour;
        ULONG width;
        ULONG height;
        ULONG widthMm;
        ULONG heightMm;
    } cases[] = {
        {false, false, 1190, 1683, 210, 297},
        {true, false, 1683, 1190, 297, 210},
        {false, true, 1190, 1683, 210, 297},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "landscape " << c.landscape << " colour " << c.colour);
        DeviceSettings settings;
        settings.landscape = c.landscape;
        settings.colour = c.colour;
        std::vector<BYTE> devmode = MakeDeviceMode(settings);
        EnabledDevice enabled;
        Enable(devmode, enabled);
        ASSERT_NE(enabled.device, nullptr);
        const GDIINFO& info = enabled.gdiInfo;
        EXPECT_EQ(info.ulVersion, 0x500u);
        EXPECT_EQ(info.ulTechnology, static_cast<ULONG>(DT_RASPRINTER));
        EXPECT_EQ(info.ulHorzRes, c.width);
        EXPECT_EQ(info.ulVertRes, c.height);
        EXPECT_EQ(info.szlPhysSize.cx, static_cast<LONG>(c.width));
        EXPECT_EQ(info.szlPhysSize.cy, static_cast<LONG>(c.height));
        EXPECT_EQ(info.ulHorzSize, c.widthMm);
        EXPECT_EQ(info.ulVertSize, c.heightMm);
        EXPECT_EQ(info.ulLogPixelsX, 144u);
        EXPECT_EQ(info.ulLogPixelsY, 144u);
        EXPECT_EQ(info.ulAspectXY, 204u);
        EXPECT_EQ(info.denStyleStep, 5);
        EXPECT_EQ(info.ciDevice.AlignmentWhite.Y, 10000);
        EXPECT_EQ(info.ciDevice.MagentaInYellowDye, 248);
        // The half-tone output matches the page surface: 24 bits for colour, 1 bit otherwise.
        EXPECT_EQ(info.cBitsPixel, c.colour ? 24u : 1u);
        EXPECT_EQ(info.ulHTOutputFormat, c.colour ? ULONG(HT_FORMAT_24BPP) : ULONG(HT_FORMAT_1BPP));
        EXPECT_EQ(enabled.devInfo.iDitherFormat, c.colour ? ULONG(BMF_24BPP) : ULONG(BMF_1BPP));
        EXPECT_EQ(enabled.devInfo.flGraphicsCaps, 0x3D4u);
        EXPECT_NE(enabled.devInfo.hpalDefault, nullptr);
    }
}

TEST(DeviceMode, AspectOfTheDiagonalIsRoundedUp)
{
    for (DWORD dpi : {72u, 96u, 144u, 300u, 600u, 1200u})
    {
        DeviceFigures figures;
        figures.paperWidth = 2100;
        figures.paperLength = 2970;
        figures.scale = 100;
        figures.resolution = dpi;
        const ULONGLONG r = MakeGdiInfo(figures).ulAspectXY;
        EXPECT_GE(r * r, 2ULL * dpi * dpi) << dpi;
        EXPECT_LT((r - 1) * (r - 1), 2ULL * dpi * dpi) << dpi;
    }
}

TEST(DeviceMode, CapabilitiesAreFilledOnlyWithinTheSizesTheCallerGave)
{
    std::vector<BYTE> devmode = MakeDeviceMode(DeviceSettings{});
    const BYTE canary = 0xA5;
    std::vector<BYTE> gdiInfo(sizeof(GDIINFO) + 16, canary);
    std::vector<BYTE> devInfo(sizeof(DEVINFO) + 16, canary);
    const ULONG gdiSize = 24;   // version, technology, sizes: an older, shorter record
    const ULONG devSize = 4;    // the capabilities alone
    DHPDEV device = DrvEnablePDEV(reinterpret_cast<DEVMODEW*>(devmode.data()), nullptr, 0, nullptr, gdiSize,
                                  reinterpret_cast<ULONG*>(gdiInfo.data()), devSize,
                                  reinterpret_cast<DEVINFO*>(devInfo.data()), nullptr, nullptr, nullptr);
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(reinterpret_cast<const GDIINFO*>(gdiInfo.data())->ulVersion, 0x500u);
    EXPECT_EQ(reinterpret_cast<const DEVINFO*>(devInfo.data())->flGraphicsCaps, 0x3D4u);
    for (size_t i = gdiSize; i < gdiInfo.size(); ++i)
        ASSERT_EQ(gdiInfo[i], canary) << "GDI information byte " << i;
    for (size_t i = devSize; i < devInfo.size(); ++i)
        ASSERT_EQ(devInfo[i], canary) << "device information byte " << i;
    DrvDisablePDEV(device);
}

class DeviceSetupTest : public DriverTest
{
};

TEST_F(DeviceSetupTest, TheDefaultPaletteGoesWithTheDevice)
{
    const int before = standin::LivePalettes();
    {
        DriverSession session(DeviceSettings{});
        ASSERT_TRUE(session.Open());
        EXPECT_EQ(standin::LivePalettes(), before + 1);
    }
    EXPECT_EQ(standin::LivePalettes(), before);
    EXPECT_EQ(standin::LiveSurfaces(), 0);

    standin::SetFailure(standin::EngineCall::CreatePalette, true);
    DriverSession refused(DeviceSettings{});
    EXPECT_FALSE(refused.Open());
}

TEST_F(DeviceSetupTest, PageSurfaceRowWidthsAsThePartsAskThemOfTheEngine)
{
    struct Case
    {
        bool colour;
        LONG requestedRow;
        LONG engineRow;
    } cases[] = {{false, 149, 152}, {true, 3570, 3572}};
    for (const Case& c : cases)
    {
        DeviceSettings settings;
        settings.colour = c.colour;
        DriverSession session(settings);
        ASSERT_TRUE(session.Open());
        EXPECT_EQ(standin::LastRequestedRowWidth(), c.requestedRow);
        EXPECT_EQ(session.Surface()->lDelta, -c.engineRow);
        EXPECT_EQ(session.Surface()->sizlBitmap.cx, 1190);
        EXPECT_EQ(session.Surface()->iBitmapFormat, c.colour ? ULONG(BMF_24BPP) : ULONG(BMF_1BPP));
    }

    for (standin::EngineCall failing : {standin::EngineCall::CreateBitmap, standin::EngineCall::AssociateSurface})
    {
        standin::ResetEngine();
        standin::SetFailure(failing, true);
        DriverSession session(DeviceSettings{});
        EXPECT_FALSE(session.Open());
        EXPECT_EQ(standin::LiveSurfaces(), 0);
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DeviceSetupTest, OnlyTheInstallersPrinterAttributesGetASurfaceOthersTheErrorOnce)
{
    struct Case
    {
        DWORD attributes;
        bool accepted;
    } cases[] = {
        {PRINTER_ATTRIBUTE_LOCAL | PRINTER_ATTRIBUTE_DIRECT, true},
        {PRINTER_ATTRIBUTE_LOCAL, false},
        {PRINTER_ATTRIBUTE_DIRECT, false},
        {PRINTER_ATTRIBUTE_LOCAL | PRINTER_ATTRIBUTE_DIRECT | PRINTER_ATTRIBUTE_SHARED, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "attributes " << c.attributes);
        Messages().clear();
        standin::SetPrinterAttributes(c.attributes);
        DriverSession session(DeviceSettings{});
        EXPECT_EQ(session.Open(), c.accepted);
        if (!c.accepted)
        {
            // GDI may ask again; the user hears of it once.
            EXPECT_EQ(DrvEnableSurface(session.Device()), nullptr);
            EXPECT_EQ(ErrorNumbers(), std::vector<int>{kErrorPrinterRefused});
        }
        else
        {
            EXPECT_TRUE(Messages().empty());
        }
    }

    Messages().clear();
    standin::ResetEngine();
    standin::SetFailure(standin::EngineCall::GetPrinter, true);
    DriverSession unreadable(DeviceSettings{});
    EXPECT_FALSE(unreadable.Open());
    EXPECT_EQ(ErrorNumbers(), std::vector<int>{kErrorPrinterRefused});
}

TEST_F(DeviceSetupTest, OnlyTheQueryEscapeItselfIsClaimed)
{
    DriverSession session(DeviceSettings{});
    ASSERT_TRUE(session.Open());
    struct Case
    {
        ULONG escape;
        ULONG inSize;
        DWORD asked;
        ULONG result;
    } cases[] = {
        {QUERYESCSUPPORT, 4, QUERYESCSUPPORT, 1},
        {QUERYESCSUPPORT, 4, PASSTHROUGH, 0},  // not handled, so not claimed
        {QUERYESCSUPPORT, 4, GETPHYSPAGESIZE, 0},
        {QUERYESCSUPPORT, 2, QUERYESCSUPPORT, 0},
        {PASSTHROUGH, 4, 0, 0},
    };
    for (const Case& c : cases)
    {
        DWORD asked = c.asked;
        EXPECT_EQ(session.Escape(c.escape, c.inSize, &asked), c.result) << c.escape << " " << c.asked;
    }

    SURFOBJ stranger{};
    DriverPDEV notADevice;
    notADevice.m_magic2 = 0;
    stranger.dhpdev = reinterpret_cast<DHPDEV>(&notADevice);
    DWORD asked = QUERYESCSUPPORT;
    SetLastError(0);
    EXPECT_EQ(DrvEscape(&stranger, QUERYESCSUPPORT, 4, &asked, 0, nullptr), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(DeviceSetupTest, CallsOnAStrangeSurfaceAreRefused)
{
    DriverPDEV wrongSize;
    wrongSize.m_recordSize = 80;
    SURFOBJ surface{};
    surface.dhpdev = reinterpret_cast<DHPDEV>(&wrongSize);
    struct Call
    {
        const char* name;
        BOOL (*call)(SURFOBJ*);
    } calls[] = {
        {"start doc", [](SURFOBJ* s) { return DrvStartDoc(s, nullptr, 1); }},
        {"start page", [](SURFOBJ* s) { return DrvStartPage(s); }},
        {"send page", [](SURFOBJ* s) { return DrvSendPage(s); }},
        {"end doc", [](SURFOBJ* s) { return DrvEndDoc(s, 0); }},
        {"text out",
         [](SURFOBJ* s) { return DrvTextOut(s, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0); }},
    };
    for (const Call& call : calls)
    {
        SetLastError(0);
        EXPECT_FALSE(call.call(&surface)) << call.name;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER)) << call.name;
        EXPECT_FALSE(call.call(nullptr)) << call.name;
    }
    EXPECT_FALSE(DrvResetPDEV(reinterpret_cast<DHPDEV>(&wrongSize), reinterpret_cast<DHPDEV>(&wrongSize)));
    EXPECT_TRUE(Messages().empty());
}

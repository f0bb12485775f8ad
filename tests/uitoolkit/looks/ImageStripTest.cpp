// Image strips from resources and files, their user-image file, and every draw state of a small
// strip read back from 32-bit surfaces.
#include "tests/uitoolkit/looks/LooksTestSupport.h"
#include "uitoolkit/looks/KTImageStrip.h"
#include "uitoolkit/looks/KTLooksResources.h"
#include "uitoolkit/looks/KTMenuGlyphs.h"
#include "uitoolkit/looks/KTUIGlobals.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace
{
const COLORREF kStandard[4] = {RGB(0, 0, 0), RGB(128, 128, 128), RGB(192, 192, 192), RGB(255, 255, 255)};
// A scheme whose greys differ from the standard ones, so that mapping shows.
const std::initializer_list<std::pair<int, COLORREF>> kOddScheme = {{COLOR_BTNTEXT, RGB(10, 20, 30)},
                                                                     {COLOR_BTNSHADOW, RGB(90, 60, 30)},
                                                                     {COLOR_BTNFACE, RGB(200, 150, 100)},
                                                                     {COLOR_BTNHIGHLIGHT, RGB(250, 240, 230)}};

std::wstring ScratchPath(const wchar_t* name)
{
    wchar_t folder[MAX_PATH];
    ::GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + L"kest-looks-" + name;
}

std::vector<BYTE> ReadFileBytes(const std::wstring& path)
{
    std::vector<BYTE> bytes;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    DWORD size = ::GetFileSize(file, nullptr), read = 0;
    bytes.resize(size);
    ::ReadFile(file, bytes.data(), size, &read, nullptr);
    ::CloseHandle(file);
    return bytes;
}

void WriteFileBytes(const std::wstring& path, const std::vector<BYTE>& bytes)
{
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
}

// A bottom-up bitmap file; pixel(x, y) gives a palette index (4 bits) or a colour (24 bits).
template <class PixelOf>
std::vector<BYTE> BitmapFile(int width, int height, int bitCount, PixelOf pixel)
{
    const int colors = bitCount == 4 ? 16 : 0;
    const int stride = ((width * bitCount + 31) / 32) * 4;
    std::vector<BYTE> bits(static_cast<size_t>(stride) * height);
    for (int y = 0; y < height; ++y)
    {
        BYTE* row = &bits[static_cast<size_t>(height - 1 - y) * stride];
        for (int x = 0; x < width; ++x)
        {
            const COLORREF value = pixel(x, y);
            if (bitCount == 4)
                row[x / 2] |= static_cast<BYTE>(x % 2 ? value : value << 4);
            else
            {
                row[x * 3] = GetBValue(value);
                row[x * 3 + 1] = GetGValue(value);
                row[x * 3 + 2] = GetRValue(value);
            }
        }
    }
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = static_cast<WORD>(bitCount);
    info.biClrUsed = colors;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info) + colors * 4;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(bits.size());
    std::vector<BYTE> bytes(reinterpret_cast<BYTE*>(&file), reinterpret_cast<BYTE*>(&file) + sizeof(file));
    bytes.insert(bytes.end(), reinterpret_cast<BYTE*>(&info), reinterpret_cast<BYTE*>(&info) + sizeof(info));
    for (int i = 0; i < colors; ++i)
    {
        const COLORREF c = i < 4 ? kStandard[i] : RGB(i, i, 0);
        const BYTE quad[4] = {GetBValue(c), GetGValue(c), GetRValue(c), 0};
        bytes.insert(bytes.end(), quad, quad + 4);
    }
    bytes.insert(bytes.end(), bits.begin(), bits.end());
    return bytes;
}

// Image i of a 4-bit test strip is standard colour i % 4 with a black pixel at (0, 0).
std::vector<BYTE> FourBitStrip(int images)
{
    return BitmapFile(16 * images, 15, 4, [](int x, int y) { return (x % 16 == 0 && y == 0) ? 0 : (x / 16) % 4; });
}

// The pixel of image iImage at (x, y) as a strip draws it.
COLORREF DrawnPixel(CKTImageStrip& strip, int iImage, int x, int y)
{
    DibSurface surface(16, 15, RGB(1, 1, 1));
    CKTDrawState ds;
    EXPECT_TRUE(strip.PrepareDrawImage(ds));
    EXPECT_TRUE(strip.Draw(&surface.Dc(), 0, 0, iImage));
    strip.EndDrawImage(ds);
    return surface.Pixel(x, y);
}

class ImageStripFileTest : public ::testing::Test
{
protected:
    void SetUp() override { m_path = ScratchPath(L"user-images.bmp"); }
    void TearDown() override
    {
        ::SetFileAttributesW(m_path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(m_path.c_str());
    }
    std::wstring m_path;
};
} // namespace

TEST(ImageStripTest, ResourcesAppendOnceAndKeepTheirFirstIndex)
{
    CKTImageStrip strip;
    EXPECT_EQ(CSize(16, 15), strip.GetImageSize());
    strip.SetImageSize(CSize(9, 9));
    ASSERT_TRUE(strip.Load(IDB_KT_MENU_IMAGES, nullptr, TRUE));
    EXPECT_EQ(42, strip.GetCount());
    EXPECT_EQ(0, strip.GetResourceOffset(IDB_KT_MENU_IMAGES));
    EXPECT_TRUE(strip.Load(IDB_KT_MENU_IMAGES, nullptr, TRUE));
    EXPECT_EQ(42, strip.GetCount()) << "the same resource is loaded once";
    EXPECT_FALSE(strip.Load(4242, nullptr, TRUE));
    EXPECT_EQ(42, strip.GetCount()) << "a missing resource leaves the strip";
    EXPECT_EQ(4, strip.GetBitsPerPixel());

    CKTImageStrip copy;
    strip.CopyTo(copy);
    EXPECT_TRUE(copy.IsReadOnly());
    EXPECT_EQ(strip.GetImageWell(), copy.GetImageWell());
    EXPECT_FALSE(copy.Load(IDB_KT_MENU_IMAGES));
    EXPECT_EQ(-1, copy.AddImage(strip.GetImageWell()));
    EXPECT_FALSE(copy.MapTo3dColors());
}

TEST(ImageStripTest, SysColorChangeRebuildsTheSameImagesInTheNewColours)
{
    CKTImageStrip strip;
    strip.SetImageSize(CSize(9, 9));
    ASSERT_TRUE(strip.Load(IDB_KT_MENU_IMAGES, nullptr, TRUE));
    const int count = strip.GetCount();
    // Glyph 6, the check mark, has button-text pixels at (7, 1).
    COLORREF before = DrawnPixel(strip, CKTMenuGlyphs::IdCheck, 7, 1);
    {
        ScopedSysColors colors{{COLOR_BTNTEXT, RGB(200, 0, 100)}};
        strip.OnSysColorChange();
        EXPECT_EQ(count, strip.GetCount()) << "neither emptied nor doubled";
        EXPECT_EQ(0, strip.GetResourceOffset(IDB_KT_MENU_IMAGES));
        EXPECT_EQ(ColorText(RGB(200, 0, 100)), ColorText(DrawnPixel(strip, CKTMenuGlyphs::IdCheck, 7, 1)));
    }
    strip.OnSysColorChange();
    EXPECT_EQ(count, strip.GetCount());
    EXPECT_EQ(ColorText(before), ColorText(DrawnPixel(strip, CKTMenuGlyphs::IdCheck, 7, 1)));
}

TEST_F(ImageStripFileTest, StandardGreysShowInTheUsersColours)
{
    ScopedSysColors colors(kOddScheme);
    struct Case
    {
        const char* what;
        std::vector<BYTE> file;
        int image;
        COLORREF expected;
    };
    const Case cases[] = {
        {"4-bit shadow", FourBitStrip(4), 1, RGB(90, 60, 30)},
        {"4-bit face", FourBitStrip(4), 2, RGB(200, 150, 100)},
        {"4-bit highlight", FourBitStrip(4), 3, RGB(250, 240, 230)},
        {"24-bit face", BitmapFile(32, 15, 24, [](int x, int) { return x < 16 ? RGB(192, 192, 192) : RGB(192, 192, 193); }),
         0, RGB(200, 150, 100)},
        {"24-bit near face stays", BitmapFile(32, 15, 24, [](int x, int) { return x < 16 ? RGB(192, 192, 192) : RGB(192, 192, 193); }),
         1, RGB(192, 192, 193)},
        {"24-bit shadow", BitmapFile(16, 15, 24, [](int, int) { return RGB(128, 128, 128); }), 0, RGB(90, 60, 30)},
    };
    for (const Case& c : cases)
    {
        WriteFileBytes(m_path, c.file);
        CKTImageStrip strip;
        ASSERT_TRUE(strip.LoadFromFile(m_path.c_str())) << c.what;
        EXPECT_EQ(ColorText(c.expected), ColorText(DrawnPixel(strip, c.image, 5, 5))) << c.what;
    }
}

TEST_F(ImageStripFileTest, CountIndexBoundsAndMissingFiles)
{
    WriteFileBytes(m_path, FourBitStrip(5));
    CKTImageStrip strip;
    ASSERT_TRUE(strip.LoadFromFile(m_path.c_str()));
    EXPECT_EQ(5, strip.GetCount()) << "80 pixels of 16";
    DibSurface surface(16, 15);
    CKTDrawState ds;
    ASSERT_TRUE(strip.PrepareDrawImage(ds));
    EXPECT_TRUE(strip.Draw(&surface.Dc(), 0, 0, 4));
    EXPECT_FALSE(strip.Draw(&surface.Dc(), 0, 0, 5));
    EXPECT_FALSE(strip.Draw(&surface.Dc(), 0, 0, -1));
    strip.EndDrawImage(ds);

    EXPECT_FALSE(strip.LoadFromFile(ScratchPath(L"absent.bmp").c_str()));
    EXPECT_EQ(0, strip.GetCount());
    EXPECT_FALSE(strip.PrepareDrawImage(ds)) << "an empty strip has nothing to draw";
}

TEST_F(ImageStripFileTest, SavingWritesStandardGreysAndOnlyWhenNeeded)
{
    WriteFileBytes(m_path, FourBitStrip(4));
    ScopedSysColors colors(kOddScheme);
    CKTImageStrip strip;
    ASSERT_TRUE(strip.LoadFromFile(m_path.c_str()));
    EXPECT_TRUE(strip.IsUserImagesList());

    // Unmodified, to its own file: nothing written (the marker survives).
    std::vector<BYTE> marked = ReadFileBytes(m_path);
    marked.push_back(0x5A);
    WriteFileBytes(m_path, marked);
    EXPECT_TRUE(strip.Save());
    EXPECT_EQ(marked, ReadFileBytes(m_path));

    // Modified: written whole, the face colour back as 0xC0C0C0 in the colour table.
    ASSERT_TRUE(strip.UpdateImage(0, strip.GetImageWell()));
    EXPECT_TRUE(strip.IsModified());
    ASSERT_TRUE(strip.Save());
    EXPECT_FALSE(strip.IsModified());
    const std::vector<BYTE> saved = ReadFileBytes(m_path);
    ASSERT_GE(saved.size(), 14u + 40u + 64u);
    EXPECT_EQ('B', saved[0]);
    const BITMAPINFOHEADER* info = reinterpret_cast<const BITMAPINFOHEADER*>(&saved[14]);
    EXPECT_EQ(4, info->biBitCount);
    EXPECT_EQ(64, info->biWidth);
    const RGBQUAD* table = reinterpret_cast<const RGBQUAD*>(&saved[14 + 40]);
    bool faceAsStandard = false, oddFaceLeft = false;
    for (int i = 0; i < 16; ++i)
    {
        faceAsStandard |= table[i].rgbRed == 192 && table[i].rgbGreen == 192 && table[i].rgbBlue == 192;
        oddFaceLeft |= table[i].rgbRed == 200 && table[i].rgbGreen == 150 && table[i].rgbBlue == 100;
    }
    EXPECT_TRUE(faceAsStandard);
    EXPECT_FALSE(oddFaceLeft);

    CKTImageStrip reloaded;
    ASSERT_TRUE(reloaded.LoadFromFile(m_path.c_str()));
    EXPECT_EQ(ColorText(RGB(200, 150, 100)), ColorText(DrawnPixel(reloaded, 2, 5, 5)));
}

TEST_F(ImageStripFileTest, AnUnchangedStripIsWrittenAgainWhenItsFileIsGone)
{
    WriteFileBytes(m_path, FourBitStrip(3));
    CKTImageStrip strip;
    ASSERT_TRUE(strip.LoadFromFile(m_path.c_str()));
    const COLORREF clrDrawn = DrawnPixel(strip, 2, 5, 5);
    ASSERT_TRUE(::DeleteFileW(m_path.c_str()));
    EXPECT_FALSE(strip.IsModified());
    EXPECT_TRUE(strip.Save());
    CKTImageStrip reloaded;
    ASSERT_TRUE(reloaded.LoadFromFile(m_path.c_str()));
    EXPECT_EQ(3, reloaded.GetCount());
    EXPECT_EQ(ColorText(clrDrawn), ColorText(DrawnPixel(reloaded, 2, 5, 5)));
}

TEST_F(ImageStripFileTest, ReadOnlyFilesAndFailedSavesKeepTheOldFile)
{
    WriteFileBytes(m_path, FourBitStrip(2));
    const std::vector<BYTE> original = ReadFileBytes(m_path);
    {
        ::SetFileAttributesW(m_path.c_str(), FILE_ATTRIBUTE_READONLY);
        CKTImageStrip strip;
        ASSERT_TRUE(strip.LoadFromFile(m_path.c_str()));
        EXPECT_TRUE(strip.IsFileReadOnly());
        ASSERT_TRUE(strip.UpdateImage(1, strip.GetImageWell()));
        EXPECT_FALSE(strip.Save());
        EXPECT_EQ(original, ReadFileBytes(m_path));
        ::SetFileAttributesW(m_path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    CKTImageStrip strip;
    ASSERT_TRUE(strip.LoadFromFile(m_path.c_str()));
    ASSERT_TRUE(strip.UpdateImage(1, strip.GetImageWell()));
    // Held open without delete sharing: the new file cannot replace it.
    HANDLE held = ::CreateFileW(m_path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_FALSE(strip.Save());
    ::CloseHandle(held);
    EXPECT_TRUE(strip.IsModified()) << "a failed save keeps the changes to save";
    EXPECT_EQ(original, ReadFileBytes(m_path));
    EXPECT_FALSE(strip.Save(ScratchPath(L"no-such-folder\\user-images.bmp").c_str()));
    EXPECT_TRUE(strip.Save());
    EXPECT_NE(original, ReadFileBytes(m_path));
}

// A 2-image strip: a black 6 x 5 block at (4, 4) on the face colour, and an all-white image.
class ImageStripDrawTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_colors = std::make_unique<ScopedSysColors>(ScopedSysColors::Classic());
        const std::wstring path = ScratchPath(L"draw-states.bmp");
        WriteFileBytes(path, BitmapFile(32, 15, 4, [](int x, int y) {
                           return x >= 16 ? 3 : (x >= 4 && x < 10 && y >= 4 && y < 9) ? 0 : 2;
                       }));
        ASSERT_TRUE(m_strip.LoadFromFile(path.c_str()));
        ::DeleteFileW(path.c_str());
    }

    // Draws image 0 in the given states on a surface filled with the marker colour.
    DibSurface& DrawState(BOOL hot, BOOL disabled, BOOL indeterminate, BOOL shadow, CSize size = CSize(0, 0))
    {
        m_surface = std::make_unique<DibSurface>(40, 40, kMarker);
        CKTDrawState ds;
        EXPECT_TRUE(m_strip.PrepareDrawImage(ds, size));
        EXPECT_TRUE(m_strip.Draw(&m_surface->Dc(), 2, 2, 0, hot, disabled, indeterminate, shadow));
        m_strip.EndDrawImage(ds);
        return *m_surface;
    }

    static constexpr COLORREF kMarker = RGB(0, 200, 0);
    std::unique_ptr<ScopedSysColors> m_colors;
    CKTImageStrip m_strip;
    std::unique_ptr<DibSurface> m_surface;
};

TEST_F(ImageStripDrawTest, EachStateDrawsWhatAButtonNeeds)
{
    const COLORREF face = RGB(212, 208, 200), shadow = RGB(128, 128, 128), white = RGB(255, 255, 255);
    LOGBRUSH halftone{};
    ktGlobals.m_brushHalftone.GetLogBrush(&halftone);
    struct Case
    {
        const char* what;
        BOOL hot, disabled, indeterminate, shadow;
        COLORREF foreground;  // at (2 + 5, 2 + 5), inside the black block
        COLORREF background;  // at (2 + 1, 2 + 1), the face colour of the image
        COLORREF besideBlock; // at (2 + 10, 2 + 5), just right of the block
    };
    const Case cases[] = {
        {"normal", FALSE, FALSE, FALSE, FALSE, RGB(0, 0, 0), face, face},
        {"disabled", FALSE, TRUE, FALSE, FALSE, shadow, kMarker, white},
        {"shadow", FALSE, FALSE, FALSE, TRUE, shadow, kMarker, kMarker},
        {"hot", TRUE, FALSE, FALSE, FALSE, kMarker, halftone.lbColor, halftone.lbColor},
    };
    for (const Case& c : cases)
    {
        DibSurface& surface = DrawState(c.hot, c.disabled, c.indeterminate, c.shadow);
        EXPECT_EQ(ColorText(c.foreground), ColorText(surface.Pixel(7, 7))) << c.what;
        EXPECT_EQ(ColorText(c.background), ColorText(surface.Pixel(3, 3))) << c.what;
        EXPECT_EQ(ColorText(c.besideBlock), ColorText(surface.Pixel(12, 7))) << c.what;
        EXPECT_EQ(ColorText(kMarker), ColorText(surface.Pixel(1, 1))) << c.what << ": outside the image";
        surface.SaveAs((std::wstring(L"strip-") + std::wstring(c.what, c.what + strlen(c.what)) + L".bmp").c_str());
    }
}

TEST_F(ImageStripDrawTest, TransparentColourAndStretching)
{
    m_strip.SetTransparentColor(RGB(212, 208, 200));
    DibSurface& surface = DrawState(FALSE, FALSE, FALSE, FALSE);
    EXPECT_EQ(ColorText(kMarker), ColorText(surface.Pixel(3, 3))) << "the transparent colour leaves the target";
    EXPECT_EQ(ColorText(RGB(0, 0, 0)), ColorText(surface.Pixel(7, 7)));

    DibSurface& stretched = DrawState(TRUE, FALSE, FALSE, FALSE, CSize(32, 30));
    EXPECT_EQ(ColorText(RGB(0, 0, 0)), ColorText(stretched.Pixel(2 + 14, 2 + 12))) << "block doubled; hot ignored";
    EXPECT_EQ(ColorText(kMarker), ColorText(stretched.Pixel(2 + 30, 2 + 28)));
    EXPECT_EQ(ColorText(kMarker), ColorText(stretched.Pixel(2 + 33, 2 + 5))) << "nothing beyond the draw size";
}

TEST(MenuGlyphsTest, GlyphsLoadOnceAndReloadInNewColours)
{
    ASSERT_TRUE(CKTMenuGlyphs::Initialize());
    EXPECT_EQ(CSize(9, 9), CKTMenuGlyphs::GetImageSize());
    EXPECT_EQ(42, CKTMenuGlyphs::GetCount());
    auto checkPixel = []
    {
        DibSurface surface(12, 12, RGB(0, 200, 0));
        CKTMenuGlyphs::Draw(&surface.Dc(), CKTMenuGlyphs::IdCheck, CPoint(1, 1));
        EXPECT_EQ(ColorText(RGB(0, 200, 0)), ColorText(surface.Pixel(1, 1))) << "magenta is left out";
        return surface.Pixel(1 + 7, 1 + 1);
    };
    {
        ScopedSysColors colors{{COLOR_BTNTEXT, RGB(30, 60, 90)}};
        EXPECT_EQ(ColorText(RGB(30, 60, 90)), ColorText(checkPixel()));
    }
    EXPECT_EQ(ColorText(::GetSysColor(COLOR_BTNTEXT)), ColorText(checkPixel()));

    DibSurface sheet(9 * 42 + 2, 40, RGB(255, 255, 255));
    for (int glyph = 0; glyph < 42; ++glyph)
    {
        CKTMenuGlyphs::Draw(&sheet.Dc(), glyph, CPoint(1 + glyph * 9, 1));
        CKTMenuGlyphs::Draw(&sheet.Dc(), glyph, CPoint(1 + glyph * 9, 12), CSize(9, 9));
    }
    sheet.SaveAs(L"menu-glyphs.bmp");
}

// A user scheme where a system colour equals another standard grey: the glyphs take each colour
// once (mapped twice, the text colour grey would turn into the shadow colour).
TEST(MenuGlyphsTest, AUserColourThatIsAStandardGreyIsNotMappedAgain)
{
    const COLORREF kShadow = RGB(20, 40, 160);
    auto glyphPixels = [](int glyph, CPoint pixel)
    {
        DibSurface surface(12, 12, RGB(0, 200, 0));
        CKTMenuGlyphs::Draw(&surface.Dc(), glyph, CPoint(1, 1));
        return surface.Pixel(1 + pixel.x, 1 + pixel.y);
    };
    ScopedSysColors colors{{COLOR_BTNTEXT, RGB(128, 128, 128)}, {COLOR_BTNSHADOW, kShadow}};
    EXPECT_EQ(ColorText(RGB(128, 128, 128)), ColorText(glyphPixels(CKTMenuGlyphs::IdCheck, CPoint(7, 1))))
        << "black of the check: the user's text colour";
    EXPECT_EQ(ColorText(kShadow), ColorText(glyphPixels(CKTMenuGlyphs::IdCheckDisabled, CPoint(7, 1))))
        << "grey of the disabled check: the user's shadow colour";
}

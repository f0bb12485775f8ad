#include "pagemodel/CDCPageImage.h"
#include "tests/pagemodel/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

struct Pixel { uint8_t blue, green, red; };

// A bitmap file with an information header, built byte by byte; rows bottom-up,
// each padded to 4 bytes. `colours` entries of colour table for bit counts up to 8.
std::vector<uint8_t> InfoBitmap(int32_t width, int32_t height, uint16_t bits, uint32_t clrUsed, uint32_t colours,
                                const std::vector<uint8_t>& rows)
{
    ByteWriter file;
    const uint32_t offBits = 14 + 40 + 4 * colours;
    file.U8('B').U8('M').U32(offBits + uint32_t(rows.size())).U32(0).U32(offBits);
    file.U32(40).I32(width).I32(height).U16(1).U16(bits).U32(BI_RGB).U32(uint32_t(rows.size()))
        .I32(3780).I32(3780).U32(clrUsed).U32(0);
    for (uint32_t i = 0; i < colours; ++i)
        file.U32(i == 0 ? 0x000000 : 0xFFFFFF);
    file.Bytes(rows);
    return file.Get();
}

// 2 x 2 pixels, 24 bits: bottom row blue, green; top row red, white.
std::vector<uint8_t> ColourBitmap()
{
    return InfoBitmap(2, 2, 24, 0, 0, {
        0xFF, 0, 0, 0, 0xFF, 0, 0, 0,          // bottom: blue, green, padding
        0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0,    // top: red, white, padding
    });
}

// 8 x 2 pixels, 1 bit, two colours (black, white); top row all white, bottom row all black.
std::vector<uint8_t> MonoBitmap()
{
    return InfoBitmap(8, 2, 1, 2, 2, {0x00, 0, 0, 0, 0xFF, 0, 0, 0});
}

uint8_t* Block(const std::vector<uint8_t>& bytes)
{
    uint8_t* block = static_cast<uint8_t*>(std::malloc(bytes.empty() ? 1 : bytes.size()));
    if (!bytes.empty())
        std::memcpy(block, bytes.data(), bytes.size());
    return block;
}

bool AttachBytes(CDCPageImage& image, const std::vector<uint8_t>& bytes)
{
    return image.Attach(Block(bytes), uint32_t(bytes.size()));
}

// A 32-bit memory surface to draw into.
class Surface
{
public:
    Surface(int width, int height) : m_dc(CreateCompatibleDC(nullptr))
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_old = SelectObject(m_dc, m_bitmap);
        RECT all = {0, 0, width, height};
        FillRect(m_dc, &all, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    }
    ~Surface()
    {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    HDC Dc() const { return m_dc; }
    COLORREF At(int x, int y) const { return GetPixel(m_dc, x, y); }

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
};

TEST(CDCPageImageTest, EmptyHolder)
{
    CDCPageImage image;
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_EQ(0, image.GetWidth());
    EXPECT_EQ(0, image.GetHeight());
    EXPECT_EQ(-1, image.GetBitCount());
    EXPECT_EQ(-1, image.GetColourCount());
    EXPECT_EQ(nullptr, image.GetBits());
    Surface surface(4, 4);
    EXPECT_FALSE(image.Draw(surface.Dc()));
    EXPECT_EQ(RGB(128, 128, 128), surface.At(0, 0)) << "nothing drawn";
    EXPECT_EQ(COLORONCOLOR, image.GetStretchMode());
}

TEST(CDCPageImageTest, HeadersColourTablesAndRows)
{
    // A core-header 1-bit image: 3-byte colour table entries.
    ByteWriter core;
    core.U8('B').U8('M').U32(0).U32(0).U32(0).U32(12).U16(8).U16(2).U16(1).U16(1);
    core.U8(0).U8(0).U8(0).U8(0xFF).U8(0xFF).U8(0xFF);
    core.Bytes({0xFF, 0, 0, 0, 0x0F, 0, 0, 0});

    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        int width, height, bits;
        int64_t colours;
        size_t bitsOffset;  // from the information header
    };
    const Case cases[] = {
        {"monochrome, 2 colours used", MonoBitmap(), 8, 2, 1, 2, 40 + 8},
        {"24 bits: rows behind the header", ColourBitmap(), 2, 2, 24, 1 << 24, 40},
        {"8 bits, colours used 0 means 256", InfoBitmap(1, 1, 8, 0, 256, {1, 0, 0, 0}), 1, 1, 8, 256, 40 + 1024},
        {"core header", core.Get(), 8, 2, 1, 2, 12 + 6},
    };
    for (const Case& c : cases) {
        CDCPageImage image;
        ASSERT_TRUE(AttachBytes(image, c.bytes)) << c.what;
        EXPECT_EQ(c.width, image.GetWidth()) << c.what;
        EXPECT_EQ(c.height, image.GetHeight()) << c.what;
        EXPECT_EQ(c.bits, image.GetBitCount()) << c.what;
        EXPECT_EQ(c.colours, image.GetColourCount()) << c.what;
        const size_t rowsAt = 14 + c.bitsOffset;
        ASSERT_NE(nullptr, image.GetBits());
        EXPECT_EQ(0, std::memcmp(image.GetBits(), c.bytes.data() + rowsAt, c.bytes.size() - rowsAt)) << c.what;
    }
}

TEST(CDCPageImageTest, DrawsCopiedStretchedAndInParts)
{
    CDCPageImage image;
    ASSERT_TRUE(AttachBytes(image, ColourBitmap()));
    {
        Surface surface(4, 4);
        ASSERT_TRUE(image.Draw(surface.Dc()));
        EXPECT_EQ(RGB(255, 0, 0), surface.At(0, 0));
        EXPECT_EQ(RGB(255, 255, 255), surface.At(1, 0));
        EXPECT_EQ(RGB(0, 0, 255), surface.At(0, 1));
        EXPECT_EQ(RGB(0, 255, 0), surface.At(1, 1));
        EXPECT_EQ(RGB(128, 128, 128), surface.At(2, 2)) << "only the image's size";
    }
    {
        Surface surface(4, 4);
        const RECT destination = {0, 0, 4, 4};
        ASSERT_TRUE(image.Draw(surface.Dc(), &destination));
        EXPECT_EQ(RGB(255, 0, 0), surface.At(1, 1));
        EXPECT_EQ(RGB(255, 255, 255), surface.At(3, 0));
        EXPECT_EQ(RGB(0, 0, 255), surface.At(0, 3));
        EXPECT_EQ(RGB(0, 255, 0), surface.At(3, 3));
    }
    {
        // The source's top is counted from the top of the page, though rows lie bottom-up.
        Surface surface(4, 4);
        const RECT destination = {2, 2, 3, 3};
        const RECT topRight = {1, 0, 2, 1};
        ASSERT_TRUE(image.Draw(surface.Dc(), &destination, &topRight));
        EXPECT_EQ(RGB(255, 255, 255), surface.At(2, 2));
        const RECT bigger = {0, 0, 4, 4};
        const RECT bottomLeft = {0, 1, 1, 2};
        ASSERT_TRUE(image.Draw(surface.Dc(), &bigger, &bottomLeft));
        EXPECT_EQ(RGB(0, 0, 255), surface.At(3, 3));
    }
    {
        CDCPageImage mono;
        ASSERT_TRUE(AttachBytes(mono, MonoBitmap()));
        mono.SetStretchMode(HALFTONE);
        Surface surface(8, 2);
        ASSERT_TRUE(mono.Draw(surface.Dc()));
        EXPECT_EQ(RGB(255, 255, 255), surface.At(5, 0));
        EXPECT_EQ(RGB(0, 0, 0), surface.At(5, 1));
    }
}

TEST(CDCPageImageTest, AttachingAgainReplacesTheImage)
{
    CDCPageImage image;
    ASSERT_TRUE(AttachBytes(image, ColourBitmap()));
    ASSERT_TRUE(AttachBytes(image, MonoBitmap()));
    EXPECT_EQ(8, image.GetWidth());
    EXPECT_FALSE(AttachBytes(image, {1, 2, 3}));
    EXPECT_TRUE(image.IsEmpty()) << "a failed attach leaves the holder empty";
    EXPECT_FALSE(image.Attach(nullptr, 100));
    image.Free();
    EXPECT_TRUE(image.IsEmpty());
}

// Some writers store rows without their padding to 4 bytes; such a page image is valid
// when its image size says so, and draws as the padded one would.
TEST(CDCPageImageTest, RowsStoredWithoutPaddingAreRead)
{
    // 3 x 2 pixels, 24 bits, 9 bytes a row: bottom row blue, green, red; top row white, black, blue.
    const std::vector<uint8_t> colourRows = {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF,
                                             0xFF, 0xFF, 0xFF, 0, 0, 0, 0xFF, 0, 0};
    // 20 x 2 pixels, 1 bit, 3 bytes a row: bottom row black then white from x = 8; top row white.
    const std::vector<uint8_t> monoRows = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    std::vector<uint8_t> noImageSize = InfoBitmap(3, 2, 24, 0, 0, colourRows);
    noImageSize[14 + 20] = 0;
    ByteWriter core;
    core.U8('B').U8('M').U32(0).U32(0).U32(0).U32(12).U16(3).U16(2).U16(1).U16(24).Bytes(colourRows);

    struct Case
    {
        const char* what;
        std::vector<uint8_t> bytes;
        int width;
        std::vector<std::pair<POINT, COLORREF>> pixels;
    };
    const std::vector<std::pair<POINT, COLORREF>> colourPixels = {
        {{0, 1}, RGB(0, 0, 255)}, {{1, 1}, RGB(0, 255, 0)},     {{2, 1}, RGB(255, 0, 0)},
        {{0, 0}, RGB(255, 255, 255)}, {{1, 0}, RGB(0, 0, 0)}, {{2, 0}, RGB(0, 0, 255)}};
    const Case cases[] = {
        {"24 bits, image size of unpadded rows", InfoBitmap(3, 2, 24, 0, 0, colourRows), 3, colourPixels},
        {"24 bits, no image size, bytes of unpadded rows", noImageSize, 3, colourPixels},
        {"core header, bytes of unpadded rows", core.Get(), 3, colourPixels},
        {"1 bit",
         InfoBitmap(20, 2, 1, 2, 2, monoRows),
         20,
         {{{0, 1}, RGB(0, 0, 0)}, {{7, 1}, RGB(0, 0, 0)}, {{8, 1}, RGB(255, 255, 255)}, {{19, 1}, RGB(255, 255, 255)},
          {{0, 0}, RGB(255, 255, 255)}}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        CDCPageImage image;
        ASSERT_TRUE(AttachBytes(image, c.bytes));
        EXPECT_EQ(c.width, image.GetWidth());
        EXPECT_EQ(2, image.GetHeight());
        Surface surface(24, 4);
        ASSERT_TRUE(image.Draw(surface.Dc()));
        for (const auto& pixel : c.pixels)
            EXPECT_EQ(pixel.second, surface.At(pixel.first.x, pixel.first.y)) << pixel.first.x << "," << pixel.first.y;
        EXPECT_EQ(RGB(128, 128, 128), surface.At(c.width, 0)) << "only the image's width";
    }
}

TEST(CDCPageImageTest, ImagesThatDoNotFitTheirBytesFailToLoad)
{
    auto patched = [](std::vector<uint8_t> bytes, size_t offset, uint32_t value, int width = 4) {
        for (int i = 0; i < width; ++i)
            bytes[offset + i] = uint8_t(value >> (8 * i));
        return bytes;
    };
    const std::vector<uint8_t> colour = ColourBitmap();
    const std::vector<uint8_t> mono = MonoBitmap();
    // Offsets within the file: header size 14, width 18, height 22, planes 26,
    // bit count 28, compression 30, colours used 46.
    struct Case { const char* what; std::vector<uint8_t> bytes; };
    const Case cases[] = {
        {"taller than its rows", patched(colour, 22, 3)},
        {"wider than its rows", patched(colour, 18, 3)},
        {"giant height", patched(colour, 22, 0x7FFFFFFF)},
        {"giant width", patched(colour, 18, 0x7FFFFFFF)},
        {"zero width", patched(colour, 18, 0)},
        {"negative height", patched(colour, 22, uint32_t(-2))},
        {"colour table beyond the end", patched(mono, 46, 200)},
        {"more colours than the bit count has", patched(mono, 46, 3)},
        {"header larger than the entry", patched(colour, 14, 124)},
        {"unknown header size", patched(colour, 14, 64)},
        {"unknown bit count", patched(colour, 28, 3, 2)},
        {"two planes", patched(colour, 26, 2, 2)},
        {"compressed rows", patched(colour, 30, BI_RLE8)},
    };
    for (const Case& c : cases) {
        CDCPageImage image;
        EXPECT_FALSE(AttachBytes(image, c.bytes)) << c.what;
        EXPECT_TRUE(image.IsEmpty()) << c.what;
        Surface surface(2, 2);
        EXPECT_FALSE(image.Draw(surface.Dc())) << c.what;
    }
    for (const std::vector<uint8_t>* valid : {&colour, &mono}) {
        for (size_t length = 0; length < valid->size(); ++length) {
            CDCPageImage image;
            EXPECT_FALSE(AttachBytes(image, Truncated(*valid, length))) << length;
        }
    }
}

} // namespace

#include "pagemodel/CDCPageImage.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace {

static_assert(sizeof(BITMAPINFOHEADER) == 40, "information header");
static_assert(sizeof(BITMAPCOREHEADER) == 12, "core header");

const uint32_t kInfoHeaderSize = 40;
const uint32_t kCoreHeaderSize = 12;

template <typename T> T ReadAt(const uint8_t* bytes)
{
    T value;
    std::memcpy(&value, bytes, sizeof(T));
    return value;
}

bool IsSupportedBitCount(int bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

uint64_t PaddedStride(int64_t width, int bits)
{
    return ((uint64_t(width) * uint64_t(bits) + 31) / 32) * 4;
}

uint64_t UnpaddedStride(int64_t width, int bits)
{
    return (uint64_t(width) * uint64_t(bits) + 7) / 8;
}

} // namespace

CDCPageImage::~CDCPageImage()
{
    Free();
}

bool CDCPageImage::Attach(uint8_t* bytes, uint32_t size)
{
    Free();
    if (bytes == nullptr)
        return false;
    m_block = bytes;
    if (size < kFileHeaderSize + sizeof(uint32_t)) {
        Free();
        return false;
    }
    m_header = bytes + kFileHeaderSize;
    m_size = size - kFileHeaderSize;
    const RowLayout layout = Validate();
    if (layout == RowLayout::Invalid || (layout == RowLayout::Unpadded && !PadRows())) {
        Free();
        return false;
    }
    return true;
}

uint64_t CDCPageImage::FileSizeFromHeaders(const uint8_t* bytes, uint32_t size)
{
    if (size < kFileHeaderSize + sizeof(uint32_t))
        return 0;
    const uint8_t* header = bytes + kFileHeaderSize;
    const uint32_t headerSize = ReadAt<uint32_t>(header);
    if ((headerSize != kInfoHeaderSize && headerSize != kCoreHeaderSize) || size < kFileHeaderSize + headerSize)
        return 0;
    int64_t width = 0, height = 0;
    int bits = 0;
    uint64_t colours = 0, entrySize = sizeof(RGBQUAD);
    if (headerSize == kInfoHeaderSize) {
        const BITMAPINFOHEADER info = ReadAt<BITMAPINFOHEADER>(header);
        width = info.biWidth;
        height = info.biHeight;
        bits = info.biBitCount;
        colours = info.biClrUsed;
    } else {
        const BITMAPCOREHEADER core = ReadAt<BITMAPCOREHEADER>(header);
        width = core.bcWidth;
        height = core.bcHeight;
        bits = core.bcBitCount;
        entrySize = sizeof(RGBTRIPLE);
    }
    if (width <= 0 || height <= 0 || !IsSupportedBitCount(bits))
        return 0;
    if (bits > 8)
        colours = 0;
    else if (colours == 0 || colours > (1u << bits))
        colours = 1u << bits;
    return kFileHeaderSize + headerSize + colours * entrySize + PaddedStride(width, bits) * uint64_t(height);
}

void CDCPageImage::Free()
{
    std::free(m_block);
    m_block = nullptr;
    m_header = nullptr;
    m_size = 0;
    if (m_palette != nullptr) {
        DeleteObject(m_palette);
        m_palette = nullptr;
    }
}

bool CDCPageImage::IsCoreHeader() const
{
    return ReadAt<uint32_t>(m_header) != kInfoHeaderSize;
}

// The file comes from a work file: every size it gives is checked against the block.
CDCPageImage::RowLayout CDCPageImage::Validate() const
{
    const uint32_t headerSize = ReadAt<uint32_t>(m_header);
    if (headerSize != kInfoHeaderSize && headerSize != kCoreHeaderSize)
        return RowLayout::Invalid;
    if (m_size < headerSize)
        return RowLayout::Invalid;
    int64_t width = 0, height = 0;
    int planes = 0;
    uint32_t imageSize = 0;
    if (headerSize == kInfoHeaderSize) {
        const BITMAPINFOHEADER info = ReadAt<BITMAPINFOHEADER>(m_header);
        if (info.biCompression != BI_RGB)
            return RowLayout::Invalid;
        width = info.biWidth;
        height = info.biHeight;
        planes = info.biPlanes;
        imageSize = info.biSizeImage;
        if (info.biBitCount <= 8 && info.biClrUsed > (1u << info.biBitCount))
            return RowLayout::Invalid;
    } else {
        const BITMAPCOREHEADER core = ReadAt<BITMAPCOREHEADER>(m_header);
        width = core.bcWidth;
        height = core.bcHeight;
        planes = core.bcPlanes;
    }
    const int bits = GetBitCount();
    if (width <= 0 || height <= 0 || planes != 1 || !IsSupportedBitCount(bits))
        return RowLayout::Invalid;
    const uint64_t rowsAt = uint64_t(headerSize) + GetColourTableSize();
    if (rowsAt + PaddedStride(width, bits) * uint64_t(height) <= m_size)
        return RowLayout::Padded;
    // Rows without padding are taken only when the file says so: its image size (or, where
    // that is not given, the bytes behind the colour table) is exactly that of such rows, so
    // that a cut file is never mistaken for one.
    const uint64_t unpadded = UnpaddedStride(width, bits) * uint64_t(height);
    if (rowsAt + unpadded > m_size)
        return RowLayout::Invalid;
    const bool sizeGiven = headerSize == kInfoHeaderSize && imageSize != 0;
    return (sizeGiven ? imageSize == unpadded : m_size - rowsAt == unpadded) ? RowLayout::Unpadded
                                                                            : RowLayout::Invalid;
}

// Drawing wants every row on a 4-byte boundary: the rows are copied into a new block so.
bool CDCPageImage::PadRows()
{
    const int64_t width = GetWidth(), height = GetHeight();
    const int bits = GetBitCount();
    const uint32_t rowsAt = ReadAt<uint32_t>(m_header) + GetColourTableSize();
    const uint64_t from = UnpaddedStride(width, bits), to = PaddedStride(width, bits);
    const uint64_t size = uint64_t(kFileHeaderSize) + rowsAt + to * uint64_t(height);
    if (size > UINT32_MAX)
        return false;
    uint8_t* padded = static_cast<uint8_t*>(std::calloc(size_t(size), 1));
    if (padded == nullptr)
        return false;
    std::memcpy(padded, m_block, kFileHeaderSize + rowsAt);
    for (int64_t row = 0; row < height; ++row)
        std::memcpy(padded + kFileHeaderSize + rowsAt + row * to, m_header + rowsAt + row * from, size_t(from));
    const uint32_t fileSize = uint32_t(size);
    std::memcpy(padded + 2, &fileSize, sizeof fileSize);
    if (ReadAt<uint32_t>(m_header) == kInfoHeaderSize) {
        const uint32_t imageSize = uint32_t(to * uint64_t(height));
        std::memcpy(padded + kFileHeaderSize + offsetof(BITMAPINFOHEADER, biSizeImage), &imageSize, sizeof imageSize);
    }
    std::free(m_block);
    m_block = padded;
    m_header = padded + kFileHeaderSize;
    m_size = fileSize - kFileHeaderSize;
    return true;
}

int CDCPageImage::GetWidth() const
{
    if (m_header == nullptr)
        return 0;
    return IsCoreHeader() ? ReadAt<BITMAPCOREHEADER>(m_header).bcWidth : ReadAt<BITMAPINFOHEADER>(m_header).biWidth;
}

int CDCPageImage::GetHeight() const
{
    if (m_header == nullptr)
        return 0;
    return IsCoreHeader() ? ReadAt<BITMAPCOREHEADER>(m_header).bcHeight : ReadAt<BITMAPINFOHEADER>(m_header).biHeight;
}

int CDCPageImage::GetBitCount() const
{
    if (m_header == nullptr)
        return -1;
    return IsCoreHeader() ? ReadAt<BITMAPCOREHEADER>(m_header).bcBitCount
                          : ReadAt<BITMAPINFOHEADER>(m_header).biBitCount;
}

int64_t CDCPageImage::GetColourCount() const
{
    if (m_header == nullptr)
        return -1;
    const int bits = GetBitCount();
    if (!IsCoreHeader()) {
        const DWORD used = ReadAt<BITMAPINFOHEADER>(m_header).biClrUsed;
        if (used != 0)
            return used;
    }
    return bits < 63 ? int64_t(1) << bits : -1;
}

uint32_t CDCPageImage::GetColourTableSize() const
{
    if (GetBitCount() > 8)
        return 0;
    return uint32_t(GetColourCount()) * (IsCoreHeader() ? sizeof(RGBTRIPLE) : sizeof(RGBQUAD));
}

const uint8_t* CDCPageImage::GetBits() const
{
    if (m_header == nullptr)
        return nullptr;
    return m_header + ReadAt<uint32_t>(m_header) + GetColourTableSize();
}

bool CDCPageImage::Draw(HDC dc, const RECT* destination, const RECT* source) const
{
    if (m_header == nullptr)
        return false;
    const RECT whole = {0, 0, GetWidth(), GetHeight()};
    const RECT& to = destination != nullptr ? *destination : whole;
    const RECT& from = source != nullptr ? *source : whole;
    const int toWidth = to.right - to.left, toHeight = to.bottom - to.top;
    const int fromWidth = from.right - from.left, fromHeight = from.bottom - from.top;

    HPALETTE oldPalette = nullptr;
    if (m_palette != nullptr) {
        oldPalette = SelectPalette(dc, m_palette, TRUE);
        RealizePalette(dc);
    }
    SetStretchBltMode(dc, m_stretchMode);
    if (m_stretchMode == HALFTONE)
        SetBrushOrgEx(dc, 0, 0, nullptr);

    const BITMAPINFO* info = reinterpret_cast<const BITMAPINFO*>(m_header);
    // Rows are stored bottom-up: the source's vertical position counts from the bottom.
    const int fromBottom = GetHeight() - from.top - fromHeight;
    int result = 0;
    if (toWidth != fromWidth || toHeight != fromHeight) {
        result = StretchDIBits(dc, to.left, to.top, toWidth, toHeight, from.left, fromBottom, fromWidth, fromHeight,
                               GetBits(), info, DIB_RGB_COLORS, SRCCOPY);
    } else {
        result = SetDIBitsToDevice(dc, to.left, to.top, DWORD(toWidth), DWORD(toHeight), from.left, fromBottom, 0,
                                   UINT(GetHeight()), GetBits(), info, DIB_RGB_COLORS);
    }
    if (m_palette != nullptr)
        SelectPalette(dc, oldPalette, TRUE);
    return result != 0;
}

#include "pagemodel/CDCPageImage.h"

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
    if (!Validate()) {
        Free();
        return false;
    }
    return true;
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
bool CDCPageImage::Validate() const
{
    const uint32_t headerSize = ReadAt<uint32_t>(m_header);
    if (headerSize != kInfoHeaderSize && headerSize != kCoreHeaderSize)
        return false;
    if (m_size < headerSize)
        return false;
    int64_t width = 0, height = 0;
    int planes = 0;
    if (headerSize == kInfoHeaderSize) {
        const BITMAPINFOHEADER info = ReadAt<BITMAPINFOHEADER>(m_header);
        if (info.biCompression != BI_RGB)
            return false;
        width = info.biWidth;
        height = info.biHeight;
        planes = info.biPlanes;
        if (info.biBitCount <= 8 && info.biClrUsed > (1u << info.biBitCount))
            return false;
    } else {
        const BITMAPCOREHEADER core = ReadAt<BITMAPCOREHEADER>(m_header);
        width = core.bcWidth;
        height = core.bcHeight;
        planes = core.bcPlanes;
    }
    const int bits = GetBitCount();
    if (width <= 0 || height <= 0 || planes != 1 || !IsSupportedBitCount(bits))
        return false;
    const uint64_t stride = ((uint64_t(width) * uint64_t(bits) + 31) / 32) * 4;
    const uint64_t needed = uint64_t(headerSize) + GetColourTableSize() + stride * uint64_t(height);
    return needed <= m_size;
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

#pragma once

#include <windows.h>

#include <cstdint>

// The image of the page on show: the bytes of a bitmap file, drawn straight from them.
class CDCPageImage
{
public:
    static constexpr uint32_t kFileHeaderSize = 14;

    CDCPageImage() = default;
    ~CDCPageImage();
    CDCPageImage(const CDCPageImage&) = delete;
    CDCPageImage& operator=(const CDCPageImage&) = delete;

    // Takes over a malloc'ed block holding a whole bitmap file. The headers, the colour
    // table and every row must lie within the block; otherwise the block is freed,
    // the holder stays empty and the result is false. Rows stored without their padding
    // to 4 bytes (the image size saying so) are read too: the holder then keeps a padded
    // copy and frees the block at once.
    bool Attach(uint8_t* bytes, uint32_t size);
    void Free();

    // The most bytes a bitmap file beginning with these bytes (its file header and as much
    // of its bitmap header as there is) can use: headers, colour table and padded rows.
    // 0 when they are not a bitmap's headers.
    static uint64_t FileSizeFromHeaders(const uint8_t* bytes, uint32_t size);
    bool IsEmpty() const { return m_header == nullptr; }

    int GetWidth() const;
    int GetHeight() const;
    int GetBitCount() const;
    // -1 when empty.
    int64_t GetColourCount() const;
    const uint8_t* GetBits() const;

    int GetStretchMode() const { return m_stretchMode; }
    void SetStretchMode(int mode) { m_stretchMode = mode; }

    // Draws the source part of the image (null: all of it) into the destination
    // rectangle (null: the image's size at the origin), stretched when the sizes differ.
    bool Draw(HDC dc, const RECT* destination = nullptr, const RECT* source = nullptr) const;

private:
    bool IsCoreHeader() const;
    uint32_t GetColourTableSize() const;
    enum class RowLayout
    {
        Invalid,
        Padded,
        Unpadded
    };
    RowLayout Validate() const;
    bool PadRows();

    uint8_t* m_block = nullptr;     // owned, from malloc: the file header starts here
    HPALETTE m_palette = nullptr;
    const uint8_t* m_header = nullptr;
    uint32_t m_size = 0;            // bytes from the header to the end of the block
    int m_stretchMode = COLORONCOLOR;
};

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
    // the holder stays empty and the result is false.
    bool Attach(uint8_t* bytes, uint32_t size);
    void Free();
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
    bool Validate() const;

    uint8_t* m_block = nullptr;     // owned, from malloc: the file header starts here
    HPALETTE m_palette = nullptr;
    const uint8_t* m_header = nullptr;
    uint32_t m_size = 0;            // bytes from the header to the end of the block
    int m_stretchMode = COLORONCOLOR;
};

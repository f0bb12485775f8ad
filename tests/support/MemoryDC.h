#pragma once
// A device context in memory for tests that measure or draw text without a window. Made with a
// size, it draws into a 32-bit top-down surface whose pixels can be read back.

#include <windows.h>

class MemoryDC
{
public:
    // Compatible with the screen; its one-pixel stock bitmap is enough for measuring.
    MemoryDC();
    // With a white width x height surface selected. The surface is absent when it could not be
    // made: Pixel then answers CLR_INVALID.
    MemoryDC(int width, int height);
    ~MemoryDC();
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;

    operator HDC() const { return m_dc; }
    bool HasSurface() const { return m_bits != nullptr; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The colour at (x, y) of the surface, or CLR_INVALID outside it. Drawing calls are flushed first.
    COLORREF Pixel(int x, int y) const;

private:
    HDC m_dc;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    const DWORD* m_bits = nullptr;
    int m_width = 0;
    int m_height = 0;
};

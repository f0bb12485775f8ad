#pragma once

#include <cstdint>

// A growable block of bytes. The block comes from malloc and is owned by the
// buffer; blocks handed to Attach must come from malloc as well.
class OxBuffer
{
public:
    OxBuffer() = default;
    virtual ~OxBuffer();

    OxBuffer(const OxBuffer&) = delete;
    OxBuffer& operator=(const OxBuffer&) = delete;

    // Appends n bytes behind the used bytes; grows to max(2 x capacity, size + n + 1).
    // False (and nothing changed) when the block cannot grow.
    bool Append(const void* data, uint32_t n);
    // Makes room for at least n + 1 bytes.
    bool Reserve(uint32_t n);
    // Reserve(n), then size = n; the size stays as it was when reserving fails.
    bool SetSize(uint32_t n);
    void Free();
    // Frees the current block and takes over a malloc'ed block of the given capacity.
    void Attach(void* data, uint32_t size, uint32_t capacity);

    uint8_t* GetData() { return m_data; }
    const uint8_t* GetData() const { return m_data; }
    uint32_t GetSize() const { return m_size; }
    uint32_t GetCapacity() const { return m_capacity; }

private:
    bool Reallocate(uint32_t capacity);

    uint8_t* m_data = nullptr;
    uint32_t m_size = 0;
    uint32_t m_capacity = 0;
};

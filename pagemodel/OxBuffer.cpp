#include "pagemodel/OxBuffer.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

OxBuffer::~OxBuffer()
{
    Free();
}

bool OxBuffer::Reallocate(uint32_t capacity)
{
    uint8_t* block = static_cast<uint8_t*>(std::malloc(capacity));
    if (block == nullptr)
        return false;
    if (m_size != 0)
        std::memcpy(block, m_data, m_size);
    std::free(m_data);
    m_data = block;
    m_capacity = capacity;
    return true;
}

bool OxBuffer::Append(const void* data, uint32_t n)
{
    const uint64_t needed = uint64_t(m_size) + n;
    if (needed > m_capacity) {
        uint64_t grown = (std::max)(uint64_t(m_capacity) * 2, needed + 1);
        if (grown > UINT32_MAX) {
            if (needed + 1 > UINT32_MAX)
                return false;
            grown = UINT32_MAX;
        }
        if (!Reallocate(uint32_t(grown)))
            return false;
    }
    if (n != 0) {
        std::memcpy(m_data + m_size, data, n);
        m_size += n;
    }
    return true;
}

bool OxBuffer::Reserve(uint32_t n)
{
    const uint64_t wanted = uint64_t(n) + 1;
    if (m_capacity >= wanted)
        return true;
    if (wanted > UINT32_MAX)
        return false;
    return Reallocate(uint32_t(wanted));
}

bool OxBuffer::SetSize(uint32_t n)
{
    if (!Reserve(n))
        return false;
    m_size = n;
    return true;
}

void OxBuffer::Free()
{
    std::free(m_data);
    m_data = nullptr;
    m_size = 0;
    m_capacity = 0;
}

void OxBuffer::Attach(void* data, uint32_t size, uint32_t capacity)
{
    if (data == m_data) {
        m_size = size;
        m_capacity = capacity;
        return;
    }
    Free();
    m_data = static_cast<uint8_t*>(data);
    m_size = data != nullptr ? size : 0;
    m_capacity = data != nullptr ? capacity : 0;
}

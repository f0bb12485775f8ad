#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// A file in the temporary folder, deleted when the test ends.
class TempFile
{
public:
    TempFile()
    {
        wchar_t folder[MAX_PATH + 1] = {};
        wchar_t name[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH, folder);
        GetTempFileNameW(folder, L"KTS", 0, name);
        m_path = name;
    }
    ~TempFile() { DeleteFileW(m_path.c_str()); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const wchar_t* Path() const { return m_path.c_str(); }

private:
    std::wstring m_path;
};

// Builds little-endian records byte by byte, as the formats describe them.
class ByteWriter
{
public:
    ByteWriter& U8(uint8_t v) { m_bytes.push_back(v); return *this; }
    ByteWriter& U16(uint16_t v) { return U8(uint8_t(v)).U8(uint8_t(v >> 8)); }
    ByteWriter& U32(uint32_t v) { return U16(uint16_t(v)).U16(uint16_t(v >> 16)); }
    ByteWriter& I32(int32_t v) { return U32(uint32_t(v)); }
    ByteWriter& Wide(const std::wstring& text)
    {
        U32(uint32_t(text.size()));
        for (wchar_t c : text)
            U16(uint16_t(c));
        return *this;
    }
    ByteWriter& Bytes(const std::vector<uint8_t>& bytes)
    {
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
        return *this;
    }
    const std::vector<uint8_t>& Get() const { return m_bytes; }

private:
    std::vector<uint8_t> m_bytes;
};

#include "pagemodel/OxBuffer.h"
#include "pagemodel/OxReadWrite.h"

// Runs `read` over a memory stream holding the given bytes.
template <typename ReadFunction>
bool ReadFromBytes(const std::vector<uint8_t>& bytes, ReadFunction read)
{
    OxBuffer buffer;
    if (!bytes.empty())
        buffer.Append(bytes.data(), uint32_t(bytes.size()));
    OxReadWriteBuffer stream(buffer);
    return read(stream);
}

// The bytes that `write` puts on a memory stream.
template <typename WriteFunction>
std::vector<uint8_t> WrittenBytes(WriteFunction write)
{
    OxBuffer buffer;
    OxReadWriteBuffer stream(buffer);
    if (!write(stream))
        return {};
    return std::vector<uint8_t>(buffer.GetData(), buffer.GetData() + buffer.GetSize());
}

inline std::vector<uint8_t> Truncated(const std::vector<uint8_t>& bytes, size_t length)
{
    return std::vector<uint8_t>(bytes.begin(), bytes.begin() + length);
}

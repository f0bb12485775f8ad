#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

class OxBuffer;

static_assert(sizeof(wchar_t) == 2, "wide strings are stored as UTF-16 code units");

// The byte stream every stored record goes through. Values travel raw, little-endian.
// GetCount: bytes held (memory stream being written), bytes not yet read (any
// stream being read), bytes written (file being written).
class OxReadWrite
{
public:
    virtual ~OxReadWrite() = default;
    virtual bool Write(const void* data, uint32_t n) = 0;
    virtual bool Read(void* data, uint32_t n) = 0;
    uint32_t GetCount() const { return m_count; }

    template <typename T> bool WriteValue(const T& value) { return Write(&value, sizeof(T)); }
    template <typename T> bool ReadValue(T& value) { return Read(&value, sizeof(T)); }

protected:
    uint32_t m_count = 0;
};

// Writes into or reads from an OxBuffer that it borrows. The read window is the
// buffer's content at construction.
class OxReadWriteBuffer : public OxReadWrite
{
public:
    explicit OxReadWriteBuffer(OxBuffer& buffer);
    bool Write(const void* data, uint32_t n) override;
    // Fails, consuming nothing, when fewer than n bytes are left.
    bool Read(void* data, uint32_t n) override;

private:
    OxBuffer& m_buffer;
    const uint8_t* m_readPointer;
    uint32_t m_bytesLeft;
};

// Reads bytes that it borrows, which must outlive it; writing is refused.
class OxReadMemory : public OxReadWrite
{
public:
    OxReadMemory(const uint8_t* data, uint32_t size) : m_readPointer(data) { m_count = size; }
    bool Write(const void* data, uint32_t n) override;
    // Fails, consuming nothing, when fewer than n bytes are left.
    bool Read(void* data, uint32_t n) override;

private:
    const uint8_t* m_readPointer;
};

class OxReadWriteFile : public OxReadWrite
{
public:
    OxReadWriteFile() = default;
    ~OxReadWriteFile() override;
    OxReadWriteFile(const OxReadWriteFile&) = delete;
    OxReadWriteFile& operator=(const OxReadWriteFile&) = delete;

    // Reading: "rb", count = file length (files of 4 GiB or more are refused).
    // Writing: "ab" when append is set, else "wb"; count = 0.
    bool Open(const wchar_t* path, bool forReading, bool append);
    bool Close();
    bool IsOpen() const { return m_file != nullptr; }
    bool Write(const void* data, uint32_t n) override;
    bool Read(void* data, uint32_t n) override;

private:
    FILE* m_file = nullptr;
};

// u32 count of UTF-16 code units, then the units, no terminator.
bool WriteWideString(OxReadWrite& stream, const std::wstring& text);
// Fails, leaving text as it was, on a short stream or a count the stream cannot hold.
bool ReadWideString(OxReadWrite& stream, std::wstring& text);

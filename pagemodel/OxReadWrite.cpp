#include "pagemodel/OxReadWrite.h"

#include "pagemodel/OxBuffer.h"

#include <algorithm>
#include <cstring>

OxReadWriteBuffer::OxReadWriteBuffer(OxBuffer& buffer)
    : m_buffer(buffer), m_readPointer(buffer.GetData()), m_bytesLeft(buffer.GetSize())
{
    m_count = buffer.GetSize();
}

bool OxReadWriteBuffer::Write(const void* data, uint32_t n)
{
    if (!m_buffer.Append(data, n))
        return false;
    m_count = m_buffer.GetSize();
    return true;
}

bool OxReadWriteBuffer::Read(void* data, uint32_t n)
{
    if (n > m_bytesLeft)
        return false;
    if (n != 0)
        std::memcpy(data, m_readPointer, n);
    m_readPointer += n;
    m_bytesLeft -= n;
    m_count -= n;
    return true;
}

bool OxReadMemory::Write(const void*, uint32_t)
{
    return false;
}

bool OxReadMemory::Read(void* data, uint32_t n)
{
    if (n > m_count)
        return false;
    if (n != 0)
        std::memcpy(data, m_readPointer, n);
    m_readPointer += n;
    m_count -= n;
    return true;
}

OxReadWriteFile::~OxReadWriteFile()
{
    Close();
}

bool OxReadWriteFile::Open(const wchar_t* path, bool forReading, bool append)
{
    Close();
    m_count = 0;
    if (path == nullptr)
        return false;
    m_file = _wfopen(path, forReading ? L"rb" : (append ? L"ab" : L"wb"));
    if (m_file == nullptr)
        return false;
    if (forReading) {
        long long length = -1;
        if (_fseeki64(m_file, 0, SEEK_END) == 0)
            length = _ftelli64(m_file);
        if (length < 0 || length > (long long)UINT32_MAX || _fseeki64(m_file, 0, SEEK_SET) != 0) {
            Close();
            return false;
        }
        m_count = uint32_t(length);
    }
    return true;
}

bool OxReadWriteFile::Close()
{
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    return true;
}

bool OxReadWriteFile::Write(const void* data, uint32_t n)
{
    if (m_file == nullptr)
        return false;
    if (n == 0)
        return true;
    if (std::fwrite(data, 1, n, m_file) != n)
        return false;
    m_count += n;
    return true;
}

bool OxReadWriteFile::Read(void* data, uint32_t n)
{
    if (m_file == nullptr)
        return false;
    if (n == 0)
        return true;
    if (std::fread(data, 1, n, m_file) != n)
        return false;
    m_count -= (std::min)(n, m_count);
    return true;
}

bool WriteWideString(OxReadWrite& stream, const std::wstring& text)
{
    if (text.size() > UINT32_MAX / 2)
        return false;
    const uint32_t length = uint32_t(text.size());
    if (!stream.WriteValue(length))
        return false;
    if (length == 0)
        return true;
    return stream.Write(text.data(), length * 2);
}

bool ReadWideString(OxReadWrite& stream, std::wstring& text)
{
    uint32_t length = 0;
    if (!stream.ReadValue(length))
        return false;
    if (length == 0) {
        text.clear();
        return true;
    }
    // The count comes from the file: never allocate more than the stream can still deliver.
    if (length > stream.GetCount() / 2)
        return false;
    std::wstring read(length, L'\0');
    if (!stream.Read(&read[0], length * 2))
        return false;
    text.swap(read);
    return true;
}

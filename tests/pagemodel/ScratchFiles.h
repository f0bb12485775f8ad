#pragma once
// Scratch folders and whole-file helpers for the page-model tests.

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

// A fresh folder under the temporary folder, removed with everything in it.
class ScratchFolder
{
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::wstring& Path() const { return m_path; }
    std::wstring File(const std::wstring& name) const { return m_path + L"\\" + name; }
    // The names of the files in the folder, sorted.
    std::vector<std::wstring> FileNames() const;

private:
    std::wstring m_path;
};

bool ReadWholeFile(const std::wstring& path, Bytes& bytes);
bool WriteWholeFile(const std::wstring& path, const Bytes& bytes);
bool PathExists(const std::wstring& path);

// Little-endian access to a byte vector, for patching archives and records.
uint32_t GetU32(const Bytes& bytes, size_t at);
void PutU32(Bytes& bytes, size_t at, uint32_t value);
uint16_t GetU16(const Bytes& bytes, size_t at);
// Offsets of every occurrence of a 4-byte little-endian signature.
std::vector<size_t> FindSignature(const Bytes& bytes, uint32_t signature);

// Zip record signatures and the offsets of their size fields.
constexpr uint32_t kLocalHeaderSignature = 0x04034b50;
constexpr uint32_t kCentralHeaderSignature = 0x02014b50;
constexpr size_t kLocalCrc = 14, kLocalCompressed = 18, kLocalUncompressed = 22;
constexpr size_t kCentralCrc = 16, kCentralCompressed = 20, kCentralUncompressed = 24;

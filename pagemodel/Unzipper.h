#pragma once
// Reads a zip archive: finds entries by name or extension and reads them whole into memory.

#include <minizip/unzip.h>

#include <cstdint>
#include <string>

// Information on the current entry. Names use '\' as folder separator.
struct UnzipFileInfo
{
    char name[261];
    char comment[256];
    uint32_t versionMadeBy;
    uint32_t versionNeeded;
    uint32_t flags;
    uint32_t compressionMethod;
    uint32_t dosDate;
    uint32_t crc;
    uint32_t compressedSize;
    uint32_t uncompressedSize;
    uint32_t internalAttributes;
    uint32_t externalAttributes;
    bool isFolder;
};

class CUnzipper
{
public:
    // Entries larger than this are refused before anything is allocated: the biggest
    // entries of a work file are page images, far below it.
    static constexpr uint32_t kMaxEntrySize = 256u * 1024u * 1024u;

    explicit CUnzipper(const wchar_t* path = nullptr);
    virtual ~CUnzipper();

    CUnzipper(const CUnzipper&) = delete;
    CUnzipper& operator=(const CUnzipper&) = delete;

    bool Open(const wchar_t* path);
    bool Close();
    bool IsOpen() const { return m_unzip != nullptr; }
    // The full path of the open archive without its extension.
    const std::wstring& GetPathWithoutExtension() const { return m_pathWithoutExtension; }

    // With an extension (without its dot), the first or next entry whose name carries it.
    bool GotoFirstFile(const wchar_t* extension = nullptr);
    bool GotoNextFile(const wchar_t* extension = nullptr);
    // After GotoFirstFile or GotoNextFile returned false: true when the walk ended at the end
    // of the archive, false when a damaged directory stopped it.
    bool ReachedEnd() const { return m_reachedEnd; }
    bool GetFileInfo(UnzipFileInfo& info);
    // Locates an entry ignoring case; with matchFileNamePart also an entry in a folder
    // whose name and extension equal the given name.
    bool GotoFile(const char* name, bool matchFileNamePart);

    // Reads the current entry whole into a block from malloc that the caller then owns
    // and frees with free(). An empty entry gives size 0 and no block. On failure data
    // is null and nothing is allocated: a failed read never hands out a block.
    bool ReadCurrentFile(unsigned char*& data, uint32_t& size);

private:
    bool SkipToExtension(const wchar_t* extension, int step);

    unzFile m_unzip = nullptr;
    std::wstring m_pathWithoutExtension;
    bool m_reachedEnd = false;
};

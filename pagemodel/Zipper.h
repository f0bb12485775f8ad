#pragma once
// Writes a zip archive entry by entry: whole entries from memory, or an entry streamed
// in pieces (the printer driver). Entry names are ANSI for the zip library.

#include <minizip/zip.h>

#include <cstdint>

class CZipper
{
public:
    // With a path the archive is opened at once (see OpenZip).
    explicit CZipper(const wchar_t* path = nullptr, const wchar_t* rootFolder = nullptr, bool append = false);
    virtual ~CZipper();

    CZipper(const CZipper&) = delete;
    CZipper& operator=(const CZipper&) = delete;

    // Creates a new archive (an existing file is replaced), or with append set and a file
    // present at the path, opens that archive to add entries behind the existing ones.
    // Without a root folder the root becomes the archive's own drive and folder.
    bool OpenZip(const wchar_t* path, const wchar_t* rootFolder = nullptr, bool append = false);
    bool CloseZip();

    // A whole entry, dated now (UTC).
    bool AddFileToZip(const wchar_t* name, const void* data, uint32_t size);
    // A whole entry with the caller's time stamp, DOS date and attributes.
    bool AddFileToZip(const char* name, const void* data, uint32_t size, const zip_fileinfo& info);

    // A streamed entry. One opened without autoClose must be closed by its writer
    // (CloseFileInZip) before any further entry can be added.
    bool OpenFileInZip(const wchar_t* name, bool autoClose);
    // The same with the caller's name, time stamp, DOS date and attributes (an entry copied
    // from another archive piece by piece).
    bool OpenFileInZip(const char* name, const zip_fileinfo& info, bool autoClose);
    bool WriteFileInZip(const void* data, uint32_t size);
    bool CloseFileInZip();
    bool EnsureFileClosed();

    bool IsOpen() const { return m_zip != nullptr; }
    bool IsFileOpen() const { return m_fileOpen != 0; }
    const char* GetRootFolder() const { return m_rootFolder; }
    uint32_t GetEntryCount() const { return m_entryCount; }
    uint32_t GetByteCount() const { return m_byteCount; }

    // The entry information of an entry dated with the current UTC time.
    static zip_fileinfo CurrentTimeInfo();

private:
    bool OpenEntry(const char* name, const zip_fileinfo& info);

    zipFile m_zip = nullptr;
    char m_rootFolder[261] = {};
    uint32_t m_entryCount = 0;
    uint32_t m_byteCount = 0;
    unsigned char m_fileOpen = 0;
    unsigned char m_autoClose = 0;
};

#pragma once
// Reads a zip archive: finds entries by name or extension and reads them whole into memory,
// or piece by piece (UnzipEntryStream) so that only what a reader takes is inflated.
// Opening reads the archive's directory once, in large pieces, and indexes its entries by name, so
// that opening a large archive costs little more than a small one and each later lookup by name
// costs the same however many entries the archive holds.

#include "pagemodel/OxReadWrite.h"
#include "pagemodel/ZipReadCache.h"

#include <minizip/unzip.h>

#include <cstdint>
#include <string>
#include <vector>

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
    // Locates an entry ignoring case (of ASCII letters), the first in directory order when
    // several match; failing that, with matchFileNamePart, the first entry in any folder whose
    // name and extension equal the given name. Names of 256 bytes or more never match whole.
    bool GotoFile(const char* name, bool matchFileNamePart);

    // The entries indexed when the archive was opened, in directory order: all of them, or
    // those before a damaged directory record.
    size_t GetEntryCount() const { return m_entries.size(); }
    // The stored name of an indexed entry ('/' as stored), or null outside 0..count-1.
    const char* GetEntryName(size_t index) const;

    // Reads the current entry whole into a block from malloc that the caller then owns
    // and frees with free(). An empty entry gives size 0 and no block. On failure data
    // is null and nothing is allocated: a failed read never hands out a block.
    bool ReadCurrentFile(unsigned char*& data, uint32_t& size);
    // Reads the current entry whole into data, whose storage is kept and reused: the entry's
    // compressed bytes are taken in one read and inflated in one pass by an inflater that
    // lives as long as the unzipper, so that reading many small entries one after the other
    // (a conversion's page files) allocates nothing once the buffers have grown. The checksum
    // is checked; on failure data holds nothing useful.
    bool ReadCurrentFileInto(std::vector<uint8_t>& data);

    // The current entry piece by piece, inflating only what is asked for. Open gives the
    // entry's size (refusing one beyond kMaxEntrySize or beyond what its compressed bytes
    // can hold); ReadPart is true only with all n bytes; Close is false when the whole entry
    // was read and its checksum does not match.
    bool OpenCurrentFile(uint32_t& size);
    bool ReadCurrentFilePart(void* data, uint32_t n);
    bool CloseCurrentFile();

    // Bytes inflated from the archive's entries since it was opened.
    uint64_t GetBytesInflated() const { return m_bytesInflated; }

private:
    struct IndexedEntry
    {
        uint32_t nameOffset; // into m_names, where the name ends with a NUL
        uint32_t nameLength;
        uint32_t nameHash; // of the whole name, folded
        unz64_file_pos position;
    };
    // Entry indices by name folded to upper case (ASCII only, as the zip library compares them):
    // open addressing over a power of two of slots, each the entry's index plus one, 0 when free.
    class NameTable
    {
    public:
        explicit NameTable(bool fileNameParts) : m_fileNameParts(fileNameParts) {}
        void Reset(size_t entryCount);
        // Keeps the first entry of a name: later ones of the same name are not added.
        void Add(const char* name, size_t length, uint32_t hash, uint32_t index, const CUnzipper& owner);
        bool Find(const char* name, size_t length, const CUnzipper& owner, uint32_t& index) const;
        void Clear() { std::vector<uint32_t>().swap(m_slots); }

    private:
        // The part of the entry's name this table goes by, and its length.
        const char* KeyOf(const CUnzipper& owner, uint32_t index, size_t& length) const;

        bool m_fileNameParts;
        std::vector<uint32_t> m_slots;
    };

    bool SkipToExtension(const wchar_t* extension, int step);
    void BuildIndex();
    // The directory read in large pieces and parsed here: false, with nothing indexed, where the
    // archive has anything the zip library's own walk must judge (extra fields, a directory that
    // is not where the library found it, more entries than a 16-bit count holds).
    bool IndexDirectoryAtOnce();
    void IndexEntriesOneByOne();
    void AddEntry(const char* name, size_t length, const unz64_file_pos& position);
    void IndexNames();
    bool GotoIndexed(const NameTable& table, const char* name);
    const char* NameOf(uint32_t index) const { return m_names.data() + m_entries[index].nameOffset; }

    bool InflateInto(const UnzipFileInfo& info, std::vector<uint8_t>& data);

    unzFile m_unzip = nullptr;
    CachedReadFile* m_file = nullptr; // the open archive's file, owned by the zip library
    uint64_t m_bytesInflated = 0;
    std::vector<uint8_t> m_compressed;
    z_stream m_inflater = {};
    bool m_inflaterReady = false;
    std::vector<IndexedEntry> m_entries;
    std::vector<char> m_names;
    // Whole names, and the file-name parts behind the last folder, to the first entry with them.
    NameTable m_byName{false};
    NameTable m_byFileNamePart{true};
    // Every name is its own file-name part and short enough to be looked up whole: the part
    // table would repeat the name table, and is not built.
    bool m_partsAreNames = false;
    std::wstring m_pathWithoutExtension;
    bool m_reachedEnd = false;
};

// Reads the current entry of an archive as a stream, inflating only the bytes its reader
// asks for: a record parsed from a few bytes of a large entry costs those few bytes. The
// count is the entry's size less what was read. Borrows the unzipper, whose current entry
// must not change while the stream is in use.
class UnzipEntryStream : public OxReadWrite
{
public:
    explicit UnzipEntryStream(CUnzipper& unzipper);
    ~UnzipEntryStream() override;
    UnzipEntryStream(const UnzipEntryStream&) = delete;
    UnzipEntryStream& operator=(const UnzipEntryStream&) = delete;

    bool IsOpen() const { return m_open; }
    uint32_t GetSize() const { return m_size; }
    bool Write(const void* data, uint32_t n) override;
    // False, with nothing consumed, when fewer than n bytes are left.
    bool Read(void* data, uint32_t n) override;
    // Ends the read: false when the entry was read to its end and its checksum does not
    // match. Bytes not read are never inflated, nor checked.
    bool Close();

private:
    CUnzipper& m_unzipper;
    uint32_t m_size = 0;
    bool m_open = false;
};

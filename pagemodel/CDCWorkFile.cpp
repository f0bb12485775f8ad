#include "pagemodel/CDCWorkFile.h"

#include "pagemodel/AtomicFileWriter.h"
#include "pagemodel/CDCPageImage.h"
#include "pagemodel/GlyphMap.h"
#include "pagemodel/OxBuffer.h"
#include "pagemodel/OxReadWrite.h"
#include "pagemodel/OxSerializable.h"
#include "pagemodel/PageWordBuilder.h"
#include "pagemodel/PageWordList.h"
#include "pagemodel/ZipNames.h"
#include "pagemodel/Zipper.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

const char kPageSetEntry[] = "Pages.dat";
const char kLayoutEntry[] = "Page.Layout";

namespace {

// Entries are copied from one archive to another in pieces of this size, so that a save
// holds no entry whole in memory.
const uint32_t kCopyChunk = 64 * 1024;

// Page files up to this size are inflated whole; a larger one is parsed straight from the
// archive, so that only as much of it is inflated as its records take.
const uint32_t kWholePageEntry = 1024 * 1024;

// Parses the current entry straight from the archive, inflating only what the parser reads:
// a record of a few bytes stored in a large entry costs a few bytes. The checksum is checked
// when the parser read the entry to its end, as every record that we write is read.
template <typename Parse>
bool ParseCurrentEntry(CUnzipper& unzipper, Parse parse)
{
    UnzipEntryStream stream(unzipper);
    return stream.IsOpen() && parse(stream) && stream.Close();
}

bool CopyCurrentEntry(CUnzipper& unzipper, CZipper& zipper, const char* name, const zip_fileinfo& date)
{
    uint32_t size = 0;
    if (!unzipper.OpenCurrentFile(size))
        return false;
    if (!zipper.OpenFileInZip(name, date, false)) {
        unzipper.CloseCurrentFile();
        return false;
    }
    std::vector<uint8_t> chunk(std::min(size, kCopyChunk));
    bool ok = true;
    for (uint32_t done = 0; ok && done < size;) {
        const uint32_t n = std::min(size - done, kCopyChunk);
        ok = unzipper.ReadCurrentFilePart(chunk.data(), n) && zipper.WriteFileInZip(chunk.data(), n);
        done += n;
    }
    // Closing the read entry after its last byte checks its checksum.
    ok = unzipper.CloseCurrentFile() && ok;
    return zipper.CloseFileInZip() && ok;
}

bool FoldedEquals(const char* text, const char* upper, size_t length)
{
    for (size_t i = 0; i < length; ++i) {
        const char c = text[i] >= 'a' && text[i] <= 'z' ? char(text[i] - 'a' + 'A') : text[i];
        if (c != upper[i])
            return false;
    }
    return true;
}

// The number N of a page entry "PageN.<extension>" (N in decimal, compared without regard
// to case, folders ignored); 0 for any other name. Called for every entry when a work file
// opens: it compares by hand rather than through the C library's locale-aware calls.
uint32_t PageEntryNumber(const char* name, const char* upperExtension)
{
    const char* part = EntryFileNamePart(name);
    if (!FoldedEquals(part, "PAGE", 4))
        return 0;
    const char* digits = part + 4;
    const char* end = digits;
    uint32_t number = 0;
    while (*end >= '0' && *end <= '9' && end - digits < 10)
        number = number * 10 + uint32_t(*end++ - '0');
    const size_t digitCount = static_cast<size_t>(end - digits);
    const size_t extensionLength = std::strlen(upperExtension);
    if (digitCount == 0 || digitCount > 9 || *end != '.' || !FoldedEquals(end + 1, upperExtension, extensionLength)
        || end[1 + extensionLength] != '\0')
        return 0;
    return number;
}

bool HasExtension(const char* name, const char* extension)
{
    return _stricmp(EntryExtension(name), extension) == 0 && std::strlen(name) > 4;
}

zip_fileinfo EntryDate(const UnzipFileInfo& info)
{
    zip_fileinfo date = {};
    date.dosDate = info.dosDate;
    date.internal_fa = info.internalAttributes;
    date.external_fa = info.externalAttributes;
    return date;
}

bool AddBuffer(CZipper& zipper, const char* name, const OxBuffer& buffer, const zip_fileinfo& date)
{
    return zipper.AddFileToZip(name, buffer.GetData(), buffer.GetSize(), date);
}

} // namespace

bool CDCWorkFile::Open(const wchar_t* path)
{
    Close();
    if (!m_unzipper.Open(path))
        return false;
    // The page list may not claim more pages than the archive has page entries: first bounded by
    // the number of entries, then the page entries counted until there are enough.
    const uint32_t entries = uint32_t((std::min<size_t>)(m_unzipper.GetEntryCount(), UINT32_MAX));
    if (!ParseEntry(kPageSetEntry, [&](OxReadWrite& stream) { return m_pageSet.Load(stream, entries); })
        || CountPageEntries(m_pageSet.GetPageCount()) < m_pageSet.GetPageCount()) {
        Close();
        return false;
    }
    if (m_pageSet.GetResolution() == 0)
        m_pageSet.SetResolution(kDefaultResolution);
    m_fileName = path;
    return true;
}

uint32_t CDCWorkFile::CountPageEntries(uint32_t enough) const
{
    uint32_t count = 0;
    for (size_t i = 0; i < m_unzipper.GetEntryCount() && count < enough; ++i) {
        const char* name = m_unzipper.GetEntryName(i);
        // The extension is the last four characters of a page entry's name.
        const size_t length = std::strlen(name);
        const char* extension = length > 4 ? name + length - 3 : "";
        if (PageEntryNumber(name, FoldedEquals(extension, "BMP", 4) ? "BMP" : "DAT") != 0)
            ++count;
    }
    return count;
}

void CDCWorkFile::Close()
{
    m_unzipper.Close();
    m_pageSet.Clear();
    m_fileName.clear();
}

template <typename Parse>
bool CDCWorkFile::ParseEntry(const char* name, Parse parse)
{
    return m_unzipper.GotoFile(name, true) && ParseCurrentEntry(m_unzipper, parse);
}

bool CDCWorkFile::LoadPage(uint32_t n, CDCPage& page)
{
    char name[32];
    std::snprintf(name, sizeof name, "%s%04u%s", "Page", n, ".dat");
    UnzipFileInfo info;
    if (!m_unzipper.GotoFile(name, true) || !m_unzipper.GetFileInfo(info))
        return false;
    if (info.uncompressedSize > kWholePageEntry)
        return ParseCurrentEntry(m_unzipper, [&](OxReadWrite& stream) { return page.Load(stream); });
    // A page file of the usual size is read through: inflated whole, in one pass, into a block
    // kept from page to page.
    if (!m_unzipper.ReadCurrentFileInto(m_pageBytes))
        return false;
    OxReadMemory stream(m_pageBytes.data(), uint32_t(m_pageBytes.size()));
    return page.Load(stream);
}

bool CDCWorkFile::LoadPageImage(uint32_t n, CDCPageImage& image)
{
    char name[32];
    std::snprintf(name, sizeof name, "%s%04u%s", "Page", n, ".bmp");
    if (!m_unzipper.GotoFile(name, true))
        return false;
    UnzipEntryStream stream(m_unzipper);
    if (!stream.IsOpen() || stream.GetSize() == 0)
        return false;
    // The headers tell how many bytes the image can use: only those are inflated, so that
    // a small image declared in a huge entry costs what the image needs.
    uint8_t headers[CDCPageImage::kFileHeaderSize + sizeof(BITMAPINFOHEADER)];
    const uint32_t headerBytes = std::min(stream.GetSize(), uint32_t(sizeof headers));
    if (!stream.Read(headers, headerBytes))
        return false;
    const uint64_t used = CDCPageImage::FileSizeFromHeaders(headers, headerBytes);
    const uint32_t size = uint32_t(std::min<uint64_t>(stream.GetSize(), std::max<uint64_t>(used, headerBytes)));
    uint8_t* block = static_cast<uint8_t*>(std::malloc(size));
    if (!block)
        return false;
    std::memcpy(block, headers, headerBytes);
    if (!stream.Read(block + headerBytes, size - headerBytes) || !stream.Close()) {
        std::free(block);
        return false;
    }
    return image.Attach(block, size);
}

bool CDCWorkFile::GetPageWords(uint32_t n, HDC dc, PageWordList& words)
{
    CDCPage* page = m_pageSet.GetPage(n);
    if (!page || !dc || !IsOpen())
        return false;
    if (!page->IsLoaded()) {
        if (!LoadPage(n, *page))
            return false;
        RemapGlyphText(*page, dc);
    }
    words.Clear();
    BuildPageWords(*page, GetResolution(), dc, words);
    words.ArrangeInReadingOrder();
    return true;
}

void CDCWorkFile::UnloadPage(uint32_t n)
{
    CDCPage* page = m_pageSet.GetPage(n);
    if (page && page->IsLoaded() && !page->IsChanged())
        page->Clear();
}

bool CDCWorkFile::HasLayout()
{
    return m_unzipper.GotoFile(kLayoutEntry, true);
}

bool CDCWorkFile::LoadLayout(OxSerializable& layout)
{
    return ParseEntry(kLayoutEntry, [&](OxReadWrite& stream) { return layout.Read(stream); });
}

bool CDCWorkFile::CopyEntries(CZipper& zipper, bool replaceLayout)
{
    for (bool more = m_unzipper.GotoFirstFile(); more; more = m_unzipper.GotoNextFile()) {
        UnzipFileInfo info;
        if (!m_unzipper.GetFileInfo(info))
            return false;
        if (_stricmp(info.name, kPageSetEntry) == 0)
            continue;
        if (replaceLayout && _stricmp(info.name, kLayoutEntry) == 0)
            continue;
        if (replaceLayout && HasExtension(info.name, "dat")) {
            const uint32_t number = PageEntryNumber(info.name, "DAT");
            const CDCPage* page = m_pageSet.GetPage(number);
            if (!page)
                return false;
            if (page->IsChanged()) {
                OxBuffer rewritten;
                OxReadWriteBuffer stream(rewritten);
                if (!page->Save(stream) || !AddBuffer(zipper, info.name, rewritten, EntryDate(info)))
                    return false;
                continue;
            }
        }
        if (!CopyCurrentEntry(m_unzipper, zipper, info.name, EntryDate(info)))
            return false;
    }
    // A directory that breaks off early must not quietly drop the entries behind the break.
    return m_unzipper.ReachedEnd();
}

bool CDCWorkFile::WriteArchive(const wchar_t* targetPath, const OxBuffer* layout, bool replaceLayout)
{
    OxBuffer pageSet;
    OxReadWriteBuffer pageSetStream(pageSet);
    if (!m_pageSet.Save(pageSetStream))
        return false;
    CZipper zipper;
    if (!zipper.OpenZip(targetPath) || !CopyEntries(zipper, replaceLayout))
        return false;
    const zip_fileinfo now = CZipper::CurrentTimeInfo();
    if (!AddBuffer(zipper, kPageSetEntry, pageSet, now))
        return false;
    if (replaceLayout && layout && !AddBuffer(zipper, kLayoutEntry, *layout, now))
        return false;
    return zipper.CloseZip();
}

bool CDCWorkFile::Commit(AtomicFileWriter& writer)
{
    // The reader holds the old file open, and an open file cannot be replaced.
    m_unzipper.Close();
    if (!writer.Commit()) {
        m_unzipper.Open(m_fileName.c_str());
        return false;
    }
    return true;
}

bool CDCWorkFile::Save(const wchar_t* targetPath, const OxSerializable* layout, bool replaceLayout)
{
    if (!IsOpen() || !targetPath || !*targetPath)
        return false;
    OxBuffer layoutBuffer;
    const OxBuffer* layoutToWrite = nullptr;
    if (replaceLayout && layout) {
        OxReadWriteBuffer stream(layoutBuffer);
        if (!layout->Write(stream))
            return false;
        layoutToWrite = &layoutBuffer;
    }
    AtomicFileWriter writer;
    if (!writer.Begin(targetPath) || !WriteArchive(writer.GetTemporaryPath().c_str(), layoutToWrite, replaceLayout) ||
        !Commit(writer))
        return false;
    m_fileName = targetPath;
    return m_unzipper.Open(m_fileName.c_str());
}

bool CDCWorkFile::AddWorkFile(const wchar_t* path)
{
    if (!IsOpen())
        return false;
    CDCWorkFile other;
    if (!other.Open(path) || other.GetResolution() != GetResolution())
        return false;
    const uint32_t added = other.GetPageCount();
    if (added == 0)
        return true;
    const uint32_t existing = GetPageCount();
    if (added > UINT32_MAX - existing)
        return false;
    AtomicFileWriter writer;
    if (!writer.Begin(m_fileName.c_str()) || !m_pageSet.SetPageCount(existing + added))
        return false;

    bool ok = WriteArchive(writer.GetTemporaryPath().c_str(), nullptr, false);
    if (ok) {
        CZipper zipper;
        ok = zipper.OpenZip(writer.GetTemporaryPath().c_str(), nullptr, true) &&
             other.CopyRenumberedPages(zipper, existing) && zipper.CloseZip();
    }
    other.Close();
    if (ok && Commit(writer))
        return m_unzipper.Open(m_fileName.c_str());
    m_pageSet.SetPageCount(existing);
    return false;
}

bool CDCWorkFile::CopyRenumberedPages(CZipper& zipper, uint32_t offset)
{
    const uint32_t count = GetPageCount();
    for (bool more = m_unzipper.GotoFirstFile(); more; more = m_unzipper.GotoNextFile()) {
        UnzipFileInfo info;
        if (!m_unzipper.GetFileInfo(info))
            return false;
        if (_stricmp(info.name, kPageSetEntry) == 0 || _stricmp(info.name, kLayoutEntry) == 0)
            continue;
        const char* extension = EntryExtension(info.name);
        if (!HasExtension(info.name, "dat") && !HasExtension(info.name, "bmp"))
            return false;
        // An entry beyond the page list would never be shown and would block later saves.
        const uint32_t number = PageEntryNumber(info.name, HasExtension(info.name, "dat") ? "DAT" : "BMP");
        if (number == 0 || number > count)
            return false;
        char name[40];
        std::snprintf(name, sizeof name, "%s%04u.%s", "Page", number + offset, extension);
        if (!CopyCurrentEntry(m_unzipper, zipper, name, EntryDate(info)))
            return false;
    }
    return m_unzipper.ReachedEnd();
}

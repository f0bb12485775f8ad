#include "pagemodel/CDCWorkFile.h"

#include "pagemodel/CDCPageImage.h"
#include "pagemodel/GlyphMap.h"
#include "pagemodel/OxBuffer.h"
#include "pagemodel/OxReadWrite.h"
#include "pagemodel/OxSerializable.h"
#include "pagemodel/PageWordBuilder.h"
#include "pagemodel/PageWordList.h"
#include "pagemodel/TemporaryFile.h"
#include "pagemodel/ZipNames.h"
#include "pagemodel/Zipper.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

const char kPageSetEntry[] = "Pages.dat";
const char kLayoutEntry[] = "Page.Layout";

namespace {

bool ReadCurrentEntry(CUnzipper& unzipper, OxBuffer& buffer)
{
    unsigned char* data = nullptr;
    uint32_t size = 0;
    if (!unzipper.ReadCurrentFile(data, size))
        return false;
    buffer.Attach(data, data ? size : 0, data ? size : 0);
    return true;
}

// The number N of a page entry "PageN.<extension>" (N in decimal, compared without regard
// to case, folders ignored); 0 for any other name.
uint32_t PageEntryNumber(const char* name, const char* extension)
{
    const char* part = EntryFileNamePart(name);
    if (_strnicmp(part, "Page", 4) != 0)
        return 0;
    const char* digits = part + 4;
    const char* end = digits;
    while (*end >= '0' && *end <= '9')
        ++end;
    const size_t digitCount = static_cast<size_t>(end - digits);
    if (digitCount == 0 || digitCount > 9 || *end != '.' || _stricmp(end + 1, extension) != 0)
        return 0;
    return static_cast<uint32_t>(std::strtoul(digits, nullptr, 10));
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
    OxBuffer buffer;
    if (!ReadEntry(kPageSetEntry, buffer)) {
        Close();
        return false;
    }
    OxReadWriteBuffer stream(buffer);
    if (!m_pageSet.Load(stream)) {
        Close();
        return false;
    }
    if (m_pageSet.GetResolution() == 0)
        m_pageSet.SetResolution(kDefaultResolution);
    m_fileName = path;
    return true;
}

void CDCWorkFile::Close()
{
    m_unzipper.Close();
    m_pageSet.Clear();
    m_fileName.clear();
}

bool CDCWorkFile::ReadEntry(const char* name, OxBuffer& buffer)
{
    return m_unzipper.GotoFile(name, true) && ReadCurrentEntry(m_unzipper, buffer);
}

bool CDCWorkFile::LoadPage(uint32_t n, CDCPage& page)
{
    char name[32];
    std::snprintf(name, sizeof name, "%s%04u%s", "Page", n, ".dat");
    OxBuffer buffer;
    if (!ReadEntry(name, buffer))
        return false;
    OxReadWriteBuffer stream(buffer);
    return page.Load(stream);
}

bool CDCWorkFile::LoadPageImage(uint32_t n, CDCPageImage& image)
{
    char name[32];
    std::snprintf(name, sizeof name, "%s%04u%s", "Page", n, ".bmp");
    unsigned char* data = nullptr;
    uint32_t size = 0;
    if (!m_unzipper.GotoFile(name, true) || !m_unzipper.ReadCurrentFile(data, size) || !data)
        return false;
    return image.Attach(data, size);
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

bool CDCWorkFile::HasLayout()
{
    return m_unzipper.GotoFile(kLayoutEntry, true);
}

bool CDCWorkFile::LoadLayout(OxSerializable& layout)
{
    OxBuffer buffer;
    if (!ReadEntry(kLayoutEntry, buffer))
        return false;
    OxReadWriteBuffer stream(buffer);
    return layout.Read(stream);
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
            const uint32_t number = PageEntryNumber(info.name, "dat");
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
        OxBuffer stored;
        if (!ReadCurrentEntry(m_unzipper, stored) || !AddBuffer(zipper, info.name, stored, EntryDate(info)))
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

bool CDCWorkFile::ReplaceFile(TemporaryFile& temporary, const std::wstring& targetPath)
{
    // The reader holds the old file open, and an open file cannot be replaced.
    m_unzipper.Close();
    if (!MoveFileExW(temporary.Path().c_str(), targetPath.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH)) {
        m_unzipper.Open(m_fileName.c_str());
        return false;
    }
    temporary.Forget();
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
    TemporaryFile temporary;
    if (!temporary.Create(targetPath) || !WriteArchive(temporary.Path().c_str(), layoutToWrite, replaceLayout) ||
        !ReplaceFile(temporary, targetPath))
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
    // A page list that the reader would refuse must not be written.
    if (uint64_t(existing) + added > CDCPageSet::kMaxPageCount)
        return false;
    TemporaryFile temporary;
    if (!temporary.Create(m_fileName.c_str()) || !m_pageSet.SetPageCount(existing + added))
        return false;

    bool ok = WriteArchive(temporary.Path().c_str(), nullptr, false);
    if (ok) {
        CZipper zipper;
        ok = zipper.OpenZip(temporary.Path().c_str(), nullptr, true) &&
             other.CopyRenumberedPages(zipper, existing) && zipper.CloseZip();
    }
    other.Close();
    if (ok && ReplaceFile(temporary, m_fileName))
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
        OxBuffer stored;
        if (!ReadCurrentEntry(m_unzipper, stored))
            return false;
        const char* extension = EntryExtension(info.name);
        if (!HasExtension(info.name, "dat") && !HasExtension(info.name, "bmp"))
            return false;
        // An entry beyond the page list would never be shown and would block later saves.
        const uint32_t number = PageEntryNumber(info.name, extension);
        if (number == 0 || number > count)
            return false;
        char name[40];
        std::snprintf(name, sizeof name, "%s%04u.%s", "Page", number + offset, extension);
        if (!AddBuffer(zipper, name, stored, EntryDate(info)))
            return false;
    }
    return m_unzipper.ReachedEnd();
}

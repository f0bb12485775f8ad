#pragma once
// One open work file: the ".kest" zip archive of a print job with its page set, page items,
// page images and table layout.

#include "pagemodel/CDCPage.h"
#include "pagemodel/Unzipper.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class CDCPageImage;
class CZipper;
class OxBuffer;
class OxSerializable;
class PageWordList;
class AtomicFileWriter;

class CDCWorkFile
{
public:
    // Printed pages without a recorded resolution were printed at this one.
    static constexpr uint32_t kDefaultResolution = 144;

    CDCWorkFile() = default;
    ~CDCWorkFile() = default;
    CDCWorkFile(const CDCWorkFile&) = delete;
    CDCWorkFile& operator=(const CDCWorkFile&) = delete;

    // Opens the archive and reads its page list; the pages' items are read on first use.
    bool Open(const wchar_t* path);
    void Close();
    bool IsOpen() const { return m_unzipper.IsOpen(); }
    const std::wstring& GetFileName() const { return m_fileName; }
    // Bytes inflated from the archive since it was opened: what reading the file has cost.
    uint64_t GetBytesInflated() const { return m_unzipper.GetBytesInflated(); }

    CDCPageSet& GetPageSet() { return m_pageSet; }
    const CDCPageSet& GetPageSet() const { return m_pageSet; }
    uint32_t GetPageCount() const { return m_pageSet.GetPageCount(); }
    uint32_t GetResolution() const { return m_pageSet.GetResolution(); }

    // Hands page n's image (1-based) to the holder, which then owns its bytes. False when
    // the entry is missing, empty or unreadable, or the holder refuses the bitmap.
    bool LoadPageImage(uint32_t n, CDCPageImage& image);

    // Loads page n's items on first use (1-based) and rebuilds the word list in reading
    // order, measuring text with the caller's device context. On failure the list is
    // left as it was.
    bool GetPageWords(uint32_t n, HDC dc, PageWordList& words);

    // Frees page n's items (1-based), which are read again on their next use, so that a walk
    // through every page holds one page at a time. A changed page keeps its items: its
    // changes exist nowhere else until the next save.
    void UnloadPage(uint32_t n);

    // The stored table layout: HasLayout tells whether the archive holds one.
    bool HasLayout();
    bool LoadLayout(OxSerializable& layout);

    // Saves the work file, with its changed pages, to targetPath, which may be this file or
    // a new name. The whole archive is first written to a temporary file beside the target
    // (AtomicFileWriter); only when that succeeded does it replace the target, and the work
    // file then stays open on targetPath. On failure the files on disk are as they were and
    // the work file stays open on its old file. No temporary file is left behind either way.
    // With replaceLayout set the layout (none: no layout) takes the place of the stored
    // one; otherwise the stored layout is kept.
    bool Save(const wchar_t* targetPath, const OxSerializable* layout, bool replaceLayout);

    // Appends the pages of another work file of the same resolution behind this one's,
    // rewriting this file. On failure this file and the page list are as they were.
    bool AddWorkFile(const wchar_t* path);

private:
    // Parses the named entry through a stream over the archive.
    template <typename Parse>
    bool ParseEntry(const char* name, Parse parse);
    // The entries named as a page's items or image, counted up to enough: no page list can be
    // longer, as every page that was recorded has at least its items stored.
    uint32_t CountPageEntries(uint32_t enough) const;
    bool LoadPage(uint32_t n, CDCPage& page);
    // Writes the whole archive anew to targetPath from the open archive.
    bool WriteArchive(const wchar_t* targetPath, const OxBuffer* layout, bool replaceLayout);
    bool CopyEntries(CZipper& zipper, bool replaceLayout);
    // Adds this file's page entries to the archive, renumbered behind the first offset pages.
    bool CopyRenumberedPages(CZipper& zipper, uint32_t offset);
    // Puts the finished archive in place of its target; the reader is closed then and
    // reopened on the old file only when that fails.
    bool Commit(AtomicFileWriter& writer);

    CUnzipper m_unzipper;
    CDCPageSet m_pageSet;
    std::wstring m_fileName;
    // The last page file read, kept so that its storage serves the next page.
    std::vector<uint8_t> m_pageBytes;
};

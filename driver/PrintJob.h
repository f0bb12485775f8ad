// The document in progress on a device: the page being drawn, what "Pages.dat" will need, the
// job's file names, the archive being written and the glyph maps of its fonts.
#pragma once

#include "driver/JobEnvironment.h"

#include <cstdint>
#include <memory>
#include <string>

class CDCPage;
class CDCPageSet;
class CZipper;

class PrintJob
{
public:
    PrintJob();
    // An unfinished job leaves nothing behind: its temporary archive is closed and deleted.
    ~PrintJob();
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    std::wstring TemporaryArchivePath() const { return m_basePath + L".tmp"; }
    std::wstring WorkFilePath() const { return m_basePath + L".kest"; }

    // Resolution and document name; its pages are only counted (m_pageCount) while the job runs:
    // each page's record goes into the archive when the page ends, so that a long job holds one
    // page at a time.
    std::unique_ptr<CDCPageSet> m_pageSet;
    uint32_t m_pageCount = 0;
    // The page being drawn, numbered m_pageCount; none once its record is in the archive.
    std::unique_ptr<CDCPage> m_currentPage;
    std::wstring m_basePath;  // job folder and job number, without extension
    std::unique_ptr<CZipper> m_zipper;
    std::unique_ptr<GlyphMapCache> m_glyphMaps;
};

// The document in progress on a device: its page set, the page being drawn, the job's file names,
// the archive being written and the glyph maps of its fonts.
#pragma once

#include "driver/JobEnvironment.h"

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

    std::wstring TemporaryArchivePath() const { return basePath + L".tmp"; }
    std::wstring WorkFilePath() const { return basePath + L".kest"; }

    std::unique_ptr<CDCPageSet> pageSet;
    CDCPage* currentPage = nullptr;  // the last page of the page set
    std::wstring basePath;           // job folder and job number, without extension
    std::unique_ptr<CZipper> zipper;
    std::unique_ptr<GlyphMapCache> glyphMaps;
};

// The document and page calls: a work file per document, a page image per page, and at the end
// the page records, the rename to ".kest" and the start of the program.
#include "driver/DocumentCounter.h"
#include "driver/DriverErrors.h"
#include "driver/DriverPDEV.h"
#include "driver/PageBitmapFile.h"
#include "driver/PrintJob.h"

#include "pagemodel/CDCPage.h"
#include "pagemodel/OxBuffer.h"
#include "pagemodel/OxReadWrite.h"
#include "pagemodel/Zipper.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <vector>

namespace {

// A failure forced by its switch, or the operation's own.
bool Fails(int number, bool succeeded)
{
    return DriverFaultForced(number) || !succeeded;
}

std::wstring EntryName(const wchar_t* format, uint32_t pageNumber)
{
    wchar_t name[32];
    swprintf(name, sizeof name / sizeof name[0], format, static_cast<unsigned>(pageNumber));
    return name;
}

bool WriteEntry(CZipper& zipper, const void* data, size_t size)
{
    return zipper.WriteFileInZip(data, static_cast<uint32_t>(size));
}

constexpr size_t kRowChunkBytes = 64 * 1024;

// The bits in the file's layout: as they lie, or row by row from the bottom row up.
bool WritePageBits(CZipper& zipper, const SURFOBJ& surface, const PageBitmapLayout& layout)
{
    if (layout.rowsAsTheyLie)
        return WriteEntry(zipper, surface.pvBits, surface.cjBits);
    if (!surface.pvScan0)
        return false;
    if (layout.rowBytes == 0)
        return true;  // an image without width has no bits
    const uint32_t engineRow = static_cast<uint32_t>(surface.lDelta < 0 ? -surface.lDelta : surface.lDelta);
    const size_t copied = engineRow < layout.rowBytes ? engineRow : layout.rowBytes;
    // Rows go to the archive some at a time: one call per row would cost more than the copy.
    const size_t rowsPerChunk = (std::max)(size_t{1}, kRowChunkBytes / layout.rowBytes);
    std::vector<BYTE> chunk(rowsPerChunk * layout.rowBytes, 0);  // the padding stays 0
    size_t filled = 0;
    for (LONG y = surface.sizlBitmap.cy - 1; y >= 0; --y)
    {
        const BYTE* source = static_cast<const BYTE*>(surface.pvScan0) + static_cast<ptrdiff_t>(y) * surface.lDelta;
        std::memcpy(chunk.data() + filled * layout.rowBytes, source, copied);
        if (++filled == rowsPerChunk || y == 0)
        {
            if (!WriteEntry(zipper, chunk.data(), filled * layout.rowBytes))
                return false;
            filled = 0;
        }
    }
    return true;
}

bool SaveToArchive(CZipper& zipper, const wchar_t* name, const OxBuffer& buffer)
{
    return zipper.AddFileToZip(name, buffer.GetData(), buffer.GetSize());
}

// Writes the record of the page being drawn, when there is one, as "Page%04d.dat" and lets the
// page go: the job keeps no page that has ended. The error number of a failure, or 0.
int FinishPage(PrintJob& job)
{
    if (!job.m_currentPage)
        return 0;
    const std::unique_ptr<CDCPage> page = std::move(job.m_currentPage);
    OxBuffer buffer;
    OxReadWriteBuffer stream(buffer);
    if (Fails(kErrorSerialisePage, page->Save(stream)))
        return kErrorSerialisePage;
    if (Fails(kErrorAddPage, SaveToArchive(*job.m_zipper, EntryName(L"Page%04u.dat", job.m_pageCount).c_str(), buffer)))
        return kErrorAddPage;
    return 0;
}

// "Pages.dat": the page set with as many pages as the job printed. The error number of a
// failure, or 0.
int WritePageSet(PrintJob& job)
{
    OxBuffer buffer;
    OxReadWriteBuffer stream(buffer);
    // The pages are only counted in the stored page set; empty ones stand in for them here.
    const bool counted = job.m_pageSet->SetPageCount(job.m_pageCount);
    const bool saved = counted && job.m_pageSet->Save(stream);
    job.m_pageSet->SetPageCount(0);
    if (Fails(kErrorSerialisePageSet, saved))
        return kErrorSerialisePageSet;
    if (Fails(kErrorAddPageSet, SaveToArchive(*job.m_zipper, L"Pages.dat", buffer)))
        return kErrorAddPageSet;
    return 0;
}

// Starts the program with the work file; false when it cannot be started.
bool StartProgram(const std::wstring& program, const std::wstring& workFile)
{
    std::wstring commandLine = L"\"" + program + L"\" -printed=\"" + workFile + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                        &startup, &process))
        return false;
    WaitForInputIdle(process.hProcess, 5000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

// Finishes a document that has pages: the error number of the first failure, or 0.
int FinishDocument(PrintJob& job)
{
    if (const int failed = FinishPage(job))
        return failed;
    if (const int failed = WritePageSet(job))
        return failed;
    if (Fails(kErrorCloseArchive, job.m_zipper->CloseZip()))
        return kErrorCloseArchive;

    bool found = false;
    const std::wstring program = ReadRegistryString(kKestSubKey, L"Path", found);
    if (Fails(kErrorNoProgramPath, found))
        return kErrorNoProgramPath;

    const std::wstring workFile = job.WorkFilePath();
    const std::wstring oldWorkFile = job.m_basePath + L".KEST";
    if (FileExists(oldWorkFile) && Fails(kErrorDeleteOldWorkFile, DeleteFileW(oldWorkFile.c_str()) != FALSE))
        return kErrorDeleteOldWorkFile;
    if (Fails(kErrorRenameArchive, MoveFileW(job.TemporaryArchivePath().c_str(), workFile.c_str()) != FALSE))
        return kErrorRenameArchive;

    if (Fails(kErrorStartProgram, StartProgram(program, workFile)))
    {
        DeleteFileW(workFile.c_str());
        return kErrorStartProgram;
    }
    return 0;
}

} // namespace

BOOL APIENTRY DrvStartDoc(SURFOBJ* surface, LPWSTR documentName, DWORD /*jobId*/)
{
    BOOL result;
    // A document that failed stays failed until its end, also when GDI starts it again on a reset
    // device: no part of it may reach the program.
    DriverPDEV* pdev = WorkingPDEV(surface, result);
    if (!pdev)
        return result;
    if (!pdev->m_job)
    {
        pdev->m_job.reset(DriverFaultForced(kErrorNoMemoryForPageSet) ? nullptr : new (std::nothrow) PrintJob());
        if (!pdev->m_job)
            return ReportDriverError(pdev, kErrorNoMemoryForPageSet);
    }
    PrintJob& job = *pdev->m_job;

    if (!job.m_pageSet)
    {
        job.m_pageSet.reset(DriverFaultForced(kErrorNoMemoryForPageSet) ? nullptr : new (std::nothrow) CDCPageSet());
        if (!job.m_pageSet)
            return ReportDriverError(pdev, kErrorNoMemoryForPageSet);
        job.m_pageSet->SetResolution(pdev->m_resolution);
        job.m_pageCount = 0;
        job.m_currentPage.reset();
    }
    if (documentName && job.m_pageSet->GetDocumentName().empty())
        job.m_pageSet->SetDocumentName(documentName);

    if (!job.m_zipper)
    {
        bool found = false;
        const std::wstring folder = ReadRegistryString(kKestSubKey, L"Temp", found);
        if (Fails(kErrorNoTempFolder, found))
            return ReportDriverError(pdev, kErrorNoTempFolder);
        job.m_basePath = MakeJobBasePath(folder);
        job.m_zipper.reset(DriverFaultForced(kErrorNoMemoryForArchive) ? nullptr : new (std::nothrow) CZipper());
        if (!job.m_zipper)
            return ReportDriverError(pdev, kErrorNoMemoryForArchive);
        if (job.m_basePath.empty()
            || Fails(kErrorCreateArchive, job.m_zipper->OpenZip(job.TemporaryArchivePath().c_str(), nullptr, false)))
            return ReportDriverError(pdev, kErrorCreateArchive);
    }

    if (!job.m_glyphMaps)
    {
        job.m_glyphMaps.reset(DriverFaultForced(kErrorNoMemoryForGlyphMaps) ? nullptr : new (std::nothrow)
                                                                                            GlyphMapCache());
        if (!job.m_glyphMaps)
            return ReportDriverError(pdev, kErrorNoMemoryForGlyphMaps);
    }
    return TRUE;
}

BOOL APIENTRY DrvStartPage(SURFOBJ* surface)
{
    BOOL result;
    DriverPDEV* pdev = WorkingPDEV(surface, result);
    if (!pdev)
        return result;

    SURFOBJ* page = DriverFaultForced(kErrorLockSurface) ? nullptr : EngLockSurface(pdev->m_surface);
    if (!page)
        return ReportDriverError(pdev, kErrorLockSurface);
    if (page->pvBits)
        std::memset(page->pvBits, 0xFF, page->cjBits);  // a white page
    EngUnlockSurface(page);

    PrintJob* job = pdev->m_job.get();
    if (job && job->m_pageSet)
    {
        // A page that was never sent still has its record written, as every started page counts.
        if (job->m_currentPage)
        {
            if (!job->m_zipper || !job->m_zipper->IsOpen())
                return ReportDriverError(pdev, kErrorNoArchive);
            if (const int failed = FinishPage(*job))
                return ReportDriverError(pdev, failed);
        }
        job->m_currentPage.reset(new (std::nothrow) CDCPage());
        if (!job->m_currentPage)
            return ReportDriverError(pdev, kErrorNoMemoryForPageSet);
        ++job->m_pageCount;
    }
    return TRUE;
}

BOOL APIENTRY DrvSendPage(SURFOBJ* surface)
{
    BOOL result;
    DriverPDEV* pdev = WorkingPDEV(surface, result);
    if (!pdev)
        return result;

    PrintJob* job = pdev->m_job.get();
    if (Fails(kErrorNoArchive, job && job->m_zipper && job->m_zipper->IsOpen()))
        return ReportDriverError(pdev, kErrorNoArchive);
    CZipper& zipper = *job->m_zipper;

    // A page too large for a work file keeps its text and goes without its image.
    const PageBitmapLayout layout = MakePageBitmapLayout(*surface, pdev->m_resolution);
    if (layout.FitsInWorkFile())
    {
        const uint32_t pageNumber = job->m_pageCount;
        if (Fails(kErrorOpenImageEntry, zipper.OpenFileInZip(EntryName(L"Page%04u.bmp", pageNumber).c_str(), false)))
            return ReportDriverError(pdev, kErrorOpenImageEntry);
        if (Fails(kErrorWriteBitmapFileHeader, WriteEntry(zipper, &layout.file, sizeof layout.file)))
            return ReportDriverError(pdev, kErrorWriteBitmapFileHeader);
        if (Fails(kErrorWriteBitmapInfoHeader, WriteEntry(zipper, &layout.info, sizeof layout.info)))
            return ReportDriverError(pdev, kErrorWriteBitmapInfoHeader);
        if (layout.monochrome
            && Fails(kErrorWriteMonochromePalette, WriteEntry(zipper, kMonochromePalette, sizeof kMonochromePalette)))
            return ReportDriverError(pdev, kErrorWriteMonochromePalette);
        if (Fails(kErrorWriteBitmapBits, WritePageBits(zipper, *surface, layout)))
            return ReportDriverError(pdev, kErrorWriteBitmapBits);
        if (Fails(kErrorCloseImageEntry, zipper.CloseFileInZip()))
            return ReportDriverError(pdev, kErrorCloseImageEntry);
    }
    if (const int failed = FinishPage(*job))
        return ReportDriverError(pdev, failed);
    return TRUE;
}

namespace {

// The end of a document that has not failed so far.
BOOL EndDocument(DriverPDEV* pdev, PrintJob& job, FLONG flags)
{
    job.m_glyphMaps.reset();
    if (flags & ED_ABORTDOC)
    {
        if (job.m_zipper && Fails(kErrorCloseArchive, job.m_zipper->CloseZip()))
            return ReportDriverError(pdev, kErrorCloseArchive);
        return TRUE;
    }
    if (!job.m_pageSet || job.m_pageCount == 0)
        return ReportDriverMessage(pdev, kNoPagesPrintedMessage);
    if (!job.m_zipper || !job.m_zipper->IsOpen())
        return ReportDriverError(pdev, kErrorNoArchive);

    if (const int failed = FinishDocument(job))
        return ReportDriverError(pdev, failed);
    job.m_basePath.clear();  // the work file now belongs to the program
    return TRUE;
}

} // namespace

BOOL APIENTRY DrvEndDoc(SURFOBJ* surface, FLONG flags)
{
    DriverPDEV* pdev = DocumentPDEV(surface);
    if (!pdev)
        return FALSE;
    // Whatever happens below, the document ends here: what it leaves is released, its temporary
    // archive deleted, and the next document on this device starts clean.
    const std::unique_ptr<PrintJob> job = std::move(pdev->m_job);
    const BOOL result = pdev->m_aborted || !job ? TRUE : EndDocument(pdev, *job, flags);
    pdev->m_aborted = 0;
    return result;
}

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

// The bits in the file's layout: as they lie, or row by row from the bottom row up.
bool WritePageBits(CZipper& zipper, const SURFOBJ& surface, const PageBitmapLayout& layout)
{
    if (layout.rowsAsTheyLie)
        return WriteEntry(zipper, surface.pvBits, surface.cjBits);
    if (!surface.pvScan0)
        return false;
    const uint32_t engineRow = static_cast<uint32_t>(surface.lDelta < 0 ? -surface.lDelta : surface.lDelta);
    std::vector<BYTE> row(layout.rowBytes, 0);
    const size_t copied = engineRow < layout.rowBytes ? engineRow : layout.rowBytes;
    for (LONG y = surface.sizlBitmap.cy - 1; y >= 0; --y)
    {
        const BYTE* source = static_cast<const BYTE*>(surface.pvScan0) + static_cast<ptrdiff_t>(y) * surface.lDelta;
        std::memcpy(row.data(), source, copied);
        if (!WriteEntry(zipper, row.data(), row.size()))
            return false;
    }
    return true;
}

bool SaveToArchive(CZipper& zipper, const wchar_t* name, const OxBuffer& buffer)
{
    return zipper.AddFileToZip(name, buffer.GetData(), buffer.GetSize());
}

// Writes the page set and every page; the error number of the first failure, or 0.
int WritePageRecords(CZipper& zipper, const CDCPageSet& pageSet)
{
    {
        OxBuffer buffer;
        OxReadWriteBuffer stream(buffer);
        if (Fails(kErrorSerialisePageSet, pageSet.Save(stream)))
            return kErrorSerialisePageSet;
        if (Fails(kErrorAddPageSet, SaveToArchive(zipper, L"Pages.dat", buffer)))
            return kErrorAddPageSet;
    }
    for (uint32_t number = 1; number <= pageSet.GetPageCount(); ++number)
    {
        OxBuffer buffer;
        OxReadWriteBuffer stream(buffer);
        if (Fails(kErrorSerialisePage, pageSet.GetPage(number)->Save(stream)))
            return kErrorSerialisePage;
        if (Fails(kErrorAddPage, SaveToArchive(zipper, EntryName(L"Page%04u.dat", number).c_str(), buffer)))
            return kErrorAddPage;
    }
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
    if (const int failed = WritePageRecords(*job.zipper, *job.pageSet))
        return failed;
    if (Fails(kErrorCloseArchive, job.zipper->CloseZip()))
        return kErrorCloseArchive;

    bool found = false;
    const std::wstring program = ReadRegistryString(kKestSubKey, L"Path", found);
    if (Fails(kErrorNoProgramPath, found))
        return kErrorNoProgramPath;

    const std::wstring workFile = job.WorkFilePath();
    const std::wstring oldWorkFile = job.basePath + L".KEST";
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
    DriverPDEV* pdev = DocumentPDEV(surface);
    if (!pdev)
        return FALSE;
    if (pdev->aborted)
    {
        // A document that failed leaves nothing to the next one.
        pdev->job.reset();
        pdev->aborted = 0;
    }
    if (!pdev->job)
    {
        pdev->job.reset(DriverFaultForced(kErrorNoMemoryForPageSet) ? nullptr : new (std::nothrow) PrintJob());
        if (!pdev->job)
            return ReportDriverError(pdev, kErrorNoMemoryForPageSet);
    }
    PrintJob& job = *pdev->job;

    if (!job.pageSet)
    {
        job.pageSet.reset(DriverFaultForced(kErrorNoMemoryForPageSet) ? nullptr : new (std::nothrow) CDCPageSet());
        if (!job.pageSet)
            return ReportDriverError(pdev, kErrorNoMemoryForPageSet);
        job.pageSet->SetResolution(pdev->resolution);
        job.currentPage = nullptr;
    }
    if (documentName && job.pageSet->GetDocumentName().empty())
        job.pageSet->SetDocumentName(documentName);

    if (!job.zipper)
    {
        bool found = false;
        const std::wstring folder = ReadRegistryString(kKestSubKey, L"Temp", found);
        if (Fails(kErrorNoTempFolder, found))
            return ReportDriverError(pdev, kErrorNoTempFolder);
        job.basePath = MakeJobBasePath(folder);
        job.zipper.reset(DriverFaultForced(kErrorNoMemoryForArchive) ? nullptr : new (std::nothrow) CZipper());
        if (!job.zipper)
            return ReportDriverError(pdev, kErrorNoMemoryForArchive);
        if (job.basePath.empty()
            || Fails(kErrorCreateArchive, job.zipper->OpenZip(job.TemporaryArchivePath().c_str(), nullptr, false)))
            return ReportDriverError(pdev, kErrorCreateArchive);
    }

    if (!job.glyphMaps)
    {
        job.glyphMaps.reset(DriverFaultForced(kErrorNoMemoryForGlyphMaps) ? nullptr : new (std::nothrow)
                                                                                          GlyphMapCache());
        if (!job.glyphMaps)
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

    SURFOBJ* page = DriverFaultForced(kErrorLockSurface) ? nullptr : EngLockSurface(pdev->surface);
    if (!page)
        return ReportDriverError(pdev, kErrorLockSurface);
    if (page->pvBits)
        std::memset(page->pvBits, 0xFF, page->cjBits);  // a white page
    EngUnlockSurface(page);

    PrintJob* job = pdev->job.get();
    if (job && job->pageSet)
    {
        const uint32_t count = job->pageSet->GetPageCount();
        if (!job->pageSet->SetPageCount(count + 1))
            return ReportDriverError(pdev, kErrorNoMemoryForPageSet);
        job->currentPage = job->pageSet->GetPage(count + 1);
    }
    return TRUE;
}

BOOL APIENTRY DrvSendPage(SURFOBJ* surface)
{
    BOOL result;
    DriverPDEV* pdev = WorkingPDEV(surface, result);
    if (!pdev)
        return result;

    PrintJob* job = pdev->job.get();
    if (Fails(kErrorNoArchive, job && job->zipper && job->zipper->IsOpen()))
        return ReportDriverError(pdev, kErrorNoArchive);
    CZipper& zipper = *job->zipper;
    const uint32_t pageNumber = job->pageSet ? job->pageSet->GetPageCount() : 0;
    if (Fails(kErrorOpenImageEntry, zipper.OpenFileInZip(EntryName(L"Page%04u.bmp", pageNumber).c_str(), false)))
        return ReportDriverError(pdev, kErrorOpenImageEntry);

    const PageBitmapLayout layout = MakePageBitmapLayout(*surface, pdev->resolution);
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
    return TRUE;
}

BOOL APIENTRY DrvEndDoc(SURFOBJ* surface, FLONG flags)
{
    DriverPDEV* pdev = DocumentPDEV(surface);
    if (!pdev)
        return FALSE;
    // Whatever happens below, the document ends here: what it leaves is released, its temporary
    // archive deleted, so that the next document on this device starts clean.
    std::unique_ptr<PrintJob> job = std::move(pdev->job);
    if (pdev->aborted || !job)
        return TRUE;
    job->glyphMaps.reset();

    if (flags & ED_ABORTDOC)
    {
        if (job->zipper && Fails(kErrorCloseArchive, job->zipper->CloseZip()))
            return ReportDriverError(pdev, kErrorCloseArchive);
        return TRUE;
    }
    if (!job->pageSet || job->pageSet->GetPageCount() == 0)
        return ReportDriverMessage(pdev, kNoPagesPrintedMessage);
    if (!job->zipper || !job->zipper->IsOpen())
        return ReportDriverError(pdev, kErrorNoArchive);

    if (const int failed = FinishDocument(*job))
        return ReportDriverError(pdev, failed);
    job->basePath.clear();  // the work file now belongs to the program
    return TRUE;
}
